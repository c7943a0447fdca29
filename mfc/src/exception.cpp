// The exception family. Exceptions are thrown as heap pointers; the catcher
// ends their life with Delete(), which frees only auto-delete exceptions
// (so a static, pre-built exception can be thrown repeatedly).
#include "afx.h"
#include <errno.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace
{
// Copies a message into a caller's buffer, always NUL-terminated.
BOOL CopyMessage(LPCSTR lpszText, LPSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszText, (int)nMaxError);
    return TRUE;
}

// Replaces "%1" in a message with the file name (or removes it).
CString WithFileName(LPCSTR lpszMessage, const CString& strFileName)
{
    CString str(lpszMessage);
    str.Replace("%1", strFileName.IsEmpty() ? "an unnamed file" : (LPCSTR)strFileName);
    return str;
}
} // namespace

// ---------------------------------------------------------------------------
void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return static_cast<const CException*>(this)->GetErrorMessage(lpszError, nMaxError, pnHelpContext);
}

// Shows the exception's own message, else the given string resource, else a
// general text.
int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[512];
    if (GetErrorMessage(szMessage, _countof(szMessage)) && szMessage[0] != '\0')
        return AfxMessageBox(szMessage, nType);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox("An unknown error has occurred.", nType);
}

BOOL CSimpleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage(GetDefaultText(), lpszError, nMaxError);
}

// ---------------------------------------------------------------------------
// File exceptions
// ---------------------------------------------------------------------------
int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return CFileException::none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_HANDLE:
    case ERROR_NO_MORE_FILES:
    case ERROR_DISK_CHANGE:
    case ERROR_MOD_NOT_FOUND:
        return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_WRONG_DISK:
    case ERROR_DUP_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NET_NAME:
    case ERROR_SHARING_PAUSED:
    case ERROR_ALREADY_ASSIGNED:
    case ERROR_BUFFER_OVERFLOW:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_LEVEL:
    case ERROR_NO_VOLUME_LABEL:
    case ERROR_DIR_NOT_ROOT:
    case ERROR_LABEL_TOO_LONG:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_META_EXPANSION_TOO_LONG:
    case ERROR_DIRECTORY:
        return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
    case ERROR_TOO_MANY_NAMES:
    case ERROR_NO_MORE_SEARCH_HANDLES:
        return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_WRITE_PROTECT:
    case ERROR_WRITE_FAULT:
    case ERROR_NETWORK_BUSY:
    case ERROR_BAD_NET_RESP:
    case ERROR_NETNAME_DELETED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_REQ_NOT_ACCEP:
    case ERROR_FILE_EXISTS:
    case ERROR_CANNOT_MAKE:
    case ERROR_INVALID_PASSWORD:
    case ERROR_BUSY:
    case ERROR_ALREADY_EXISTS:
    case ERROR_SWAPERROR:
        return CFileException::accessDenied;
    case ERROR_BAD_FORMAT:
    case ERROR_NOT_DOS_DISK:
    case ERROR_BAD_REM_ADAP:
    case ERROR_BAD_DEV_TYPE:
    case ERROR_INVALID_TARGET_HANDLE:
    case ERROR_INVALID_ORDINAL:
    case ERROR_INVALID_EXE_SIGNATURE:
    case ERROR_BAD_EXE_FORMAT:
        return CFileException::invalidFile;
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_DIR_NOT_EMPTY:
        return CFileException::removeCurrentDir;
    case ERROR_NO_SPOOL_SPACE:
        return CFileException::directoryFull;
    case ERROR_BAD_LENGTH:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return CFileException::badSeek;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_CRC:
    case ERROR_ADAP_HDW_ERR:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NET_WRITE_FAULT:
    case ERROR_INVALID_CATEGORY:
    case ERROR_OPERATION_ABORTED:
    case ERROR_IO_INCOMPLETE:
    case ERROR_IO_PENDING:
        return CFileException::hardIO;
    case ERROR_SHARING_VIOLATION:
        return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED:
        return CFileException::lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return CFileException::diskFull;
    case ERROR_HANDLE_EOF:
        return CFileException::endOfFile;
    default:
        return CFileException::genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case 0:
        return CFileException::none;
    case ENOENT:
        return CFileException::fileNotFound;
    case EMFILE:
        return CFileException::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EEXIST:
        return CFileException::accessDenied;
    case EBADF:
        return CFileException::invalidFile;
    case ENOSPC:
        return CFileException::diskFull;
    case EINVAL:
        return CFileException::badSeek;
    case EIO:
        return CFileException::hardIO;
    default:
        return CFileException::genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName)
{
    throw new CFileException(ErrnoToException(nErrno), (LONG)::GetLastError(), lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    static const LPCSTR s_messages[] = {
        "No error occurred while accessing %1.",                  // none
        "An unexpected error occurred while accessing %1.",      // genericException
        "%1 was not found.",                                      // fileNotFound
        "%1 contains an incorrect path.",                         // badPath
        "%1 could not be opened because there are too many open files.",
        "Access to %1 was denied.",                               // accessDenied
        "An incorrect file handle was associated with %1.",       // invalidFile
        "%1 could not be removed because it is the current directory.",
        "%1 could not be created because the directory is full.",
        "Seek failed on %1.",                                     // badSeek
        "A hardware I/O error was reported while accessing %1.",
        "A sharing violation occurred while accessing %1.",
        "A locking violation occurred while accessing %1.",
        "Disk full while accessing %1.",                          // diskFull
        "An attempt was made to access %1 past its end.",         // endOfFile
    };
    int nCause = (m_cause >= 0 && m_cause < (int)_countof(s_messages)) ? m_cause : genericException;
    return CopyMessage(WithFileName(s_messages[nCause], m_strFileName), lpszError, nMaxError);
}

// ---------------------------------------------------------------------------
// Archive exceptions
// ---------------------------------------------------------------------------
BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    static const LPCSTR s_messages[] = {
        "No error occurred while reading %1.",                    // none
        "An unexpected error occurred while reading %1.",        // genericException
        "Tried to write to %1 while it was being read.",          // readOnly
        "An unexpected end of file was found while reading %1.",  // endOfFile
        "Tried to read from %1 while it was being written.",      // writeOnly
        "%1 has an incorrect format.",                            // badIndex
        "%1 contains an unexpected object.",                      // badClass
        "%1 contains an incorrect schema.",                       // badSchema
        "The archive buffer of %1 is full.",                      // bufferFull
    };
    int nCause = (m_cause >= 0 && m_cause < (int)_countof(s_messages)) ? m_cause : genericException;
    return CopyMessage(WithFileName(s_messages[nCause], m_strFileName), lpszError, nMaxError);
}

// ---------------------------------------------------------------------------
// OLE exceptions: the system's text for the SCODE.
// ---------------------------------------------------------------------------
BOOL COleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    LPSTR lpBuffer = NULL;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               NULL, (DWORD)m_sc, 0, (LPSTR)&lpBuffer, 0, NULL);
    CString str;
    if (n != 0 && lpBuffer != NULL)
    {
        str = CString(lpBuffer, (int)n);
        str.TrimRight();
    }
    else
        str.Format("OLE error 0x%08lX.", (unsigned long)m_sc);
    if (lpBuffer != NULL)
        ::LocalFree(lpBuffer);
    return CopyMessage(str, lpszError, nMaxError);
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException == NULL)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CInvalidArgException)))
        return E_INVALIDARG;
    return E_UNEXPECTED;
}

// ---------------------------------------------------------------------------
// The throw helpers
// ---------------------------------------------------------------------------
void AFXAPI AfxThrowMemoryException()
{
    throw new CMemoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}
