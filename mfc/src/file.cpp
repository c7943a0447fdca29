// CFile, CStdioFile, CMemFile, CSharedFile and CFileFind.
//
// Errors: CFile members throw CFileException (cause from the Win32 error,
// m_lOsError the error itself, m_strFileName the file); Open reports through
// its CFileException* and returns FALSE instead.
#include "afx.h"
#include <io.h>
#include <fcntl.h>
#include <errno.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)
IMPLEMENT_DYNAMIC(CFileFind, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace
{
// The part of a path after its last separator.
LPCSTR NamePart(LPCSTR lpszPath)
{
    LPCSTR pName = lpszPath;
    for (LPCSTR p = lpszPath; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            pName = p + 1;
    return pName;
}

CString TitleOf(LPCSTR lpszName)
{
    CString str(lpszName);
    int nDot = str.ReverseFind('.');
    if (nDot > 0)
        str.Truncate(nDot);
    return str;
}

CTime TimeFromFileTime(const FILETIME& ft)
{
    if (!CTime::IsValidFILETIME(ft) || (ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0))
        return CTime();
    return CTime(ft);
}

void DeleteQuietly(CException* e)
{
    if (e != NULL)
        e->Delete();
}
} // namespace

// ---------------------------------------------------------------------------
// CFile
// ---------------------------------------------------------------------------
CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        throw new CFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            DeleteQuietly(e);
        }
    }
}

HANDLE PASCAL CFile::OpenHandle(LPCSTR lpszFileName, UINT nOpenFlags, CString& strFullPath,
                                CFileException* pError)
{
    if (pError != NULL)
    {
        pError->m_cause = CFileException::none;
        pError->m_lOsError = -1;
        pError->m_strFileName = lpszFileName;
    }
    if (lpszFileName == NULL || *lpszFileName == '\0')
    {
        if (pError != NULL)
        {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = ERROR_INVALID_NAME;
        }
        return INVALID_HANDLE_VALUE;
    }

    char szFull[MAX_PATH];
    DWORD nFull = ::GetFullPathNameA(lpszFileName, MAX_PATH, szFull, NULL);
    strFullPath = (nFull > 0 && nFull < MAX_PATH) ? szFull : lpszFileName;

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3)
    {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    default:
        if (pError != NULL)
        {
            pError->m_cause = CFileException::genericException;
            pError->m_lOsError = ERROR_INVALID_PARAMETER;
        }
        return INVALID_HANDLE_VALUE;
    }

    DWORD dwShare = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite: dwShare = FILE_SHARE_READ; break;
    case shareDenyRead: dwShare = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: dwShare = 0; break;   // shareCompat, shareExclusive
    }

    SECURITY_ATTRIBUTES sa = { sizeof(sa), NULL, (nOpenFlags & modeNoInherit) == 0 };
    DWORD dwCreate = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        dwCreate = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer)
        dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough)
        dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess)
        dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan)
        dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShare, &sa, dwCreate, dwFlags, NULL);
    if (hFile == INVALID_HANDLE_VALUE && pError != NULL)
    {
        DWORD dwError = ::GetLastError();
        pError->m_lOsError = (LONG)dwError;
        pError->m_cause = CFileException::OsErrorToException((LONG)dwError);
    }
    return hFile;
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    CString strFull;
    HANDLE hFile = OpenHandle(lpszFileName, nOpenFlags, strFull, pError);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = strFull;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DWORD dwMethod = nFrom == begin ? FILE_BEGIN : nFrom == current ? FILE_CURRENT : FILE_END;
    if (nFrom > end)
        AfxThrowInvalidArgException();
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, dwMethod))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liZero, liPos;
    liZero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liZero, &liPos, FILE_CURRENT))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liPos.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    if (!::GetFileSizeEx(m_hFile, &liSize))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liSize.QuadPart;
}

// Leaves the position at the new end, as the file's end is set from there.
void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    DWORD dwError = 0;
    if (m_hFile != hFileNull)
    {
        bError = !::CloseHandle(m_hFile);
        dwError = ::GetLastError();
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    CString strName = m_strFileName;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError((LONG)dwError, strName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

CFile* CFile::Duplicate() const
{
    HANDLE hDup = NULL;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &hDup, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    CFile* pFile = new CFile(hDup);
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

CString CFile::GetFileName() const
{
    return CString(NamePart(m_strFileName));
}

CString CFile::GetFileTitle() const
{
    return TitleOf(NamePart(m_strFileName));
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

UINT CFile::GetBufferPtr(UINT, UINT, void** ppBufStart, void** ppBufMax)
{
    if (ppBufStart != NULL)
        *ppBufStart = NULL;
    if (ppBufMax != NULL)
        *ppBufMax = NULL;
    return 0;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    lstrcpynA(rStatus.m_szFullName, m_strFileName, MAX_PATH);
    if (m_hFile == hFileNull)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    rStatus.m_ctime = TimeFromFileTime(info.ftCreationTime);
    rStatus.m_atime = TimeFromFileTime(info.ftLastAccessTime);
    rStatus.m_mtime = TimeFromFileTime(info.ftLastWriteTime);
    if (rStatus.m_ctime.GetTime() == 0)
        rStatus.m_ctime = rStatus.m_mtime;
    if (rStatus.m_atime.GetTime() == 0)
        rStatus.m_atime = rStatus.m_mtime;
    rStatus.m_size = ((ULONGLONG)info.nFileSizeHigh << 32) | info.nFileSizeLow;
    rStatus.m_attribute = (BYTE)(info.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus();
    if (lpszFileName == NULL || *lpszFileName == '\0' || strpbrk(lpszFileName, "*?") != NULL)
        return FALSE;
    DWORD nFull = ::GetFullPathNameA(lpszFileName, MAX_PATH, rStatus.m_szFullName, NULL);
    if (nFull == 0 || nFull >= MAX_PATH)
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    rStatus.m_ctime = TimeFromFileTime(data.ftCreationTime);
    rStatus.m_atime = TimeFromFileTime(data.ftLastAccessTime);
    rStatus.m_mtime = TimeFromFileTime(data.ftLastWriteTime);
    if (rStatus.m_ctime.GetTime() == 0)
        rStatus.m_ctime = rStatus.m_mtime;
    if (rStatus.m_atime.GetTime() == 0)
        rStatus.m_atime = rStatus.m_mtime;
    rStatus.m_size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    rStatus.m_attribute = (BYTE)(data.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    return TRUE;
}

void PASCAL CFile::SetStatus(LPCSTR lpszFileName, const CFileStatus& status)
{
    DWORD dwAttr = ::GetFileAttributesA(lpszFileName);
    if (dwAttr == INVALID_FILE_ATTRIBUTES)
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
    if (status.m_mtime.GetTime() != 0)
    {
        SYSTEMTIME st;
        FILETIME ftLocal, ftUtc;
        if (status.m_mtime.GetAsSystemTime(st) && ::SystemTimeToFileTime(&st, &ftLocal) &&
            ::LocalFileTimeToFileTime(&ftLocal, &ftUtc))
        {
            if (dwAttr & FILE_ATTRIBUTE_READONLY)
                ::SetFileAttributesA(lpszFileName, dwAttr & ~FILE_ATTRIBUTE_READONLY);
            HANDLE h = ::CreateFileA(lpszFileName, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
            if (h == INVALID_HANDLE_VALUE)
                CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
            BOOL bOk = ::SetFileTime(h, NULL, NULL, &ftUtc);
            DWORD dwError = ::GetLastError();
            ::CloseHandle(h);
            if (!bOk)
                CFileException::ThrowOsError((LONG)dwError, lpszFileName);
        }
    }
    DWORD dwNew = status.m_attribute ? status.m_attribute : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileAttributesA(lpszFileName, dwNew))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

void PASCAL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

// ---------------------------------------------------------------------------
// CStdioFile: a C run-time stream over the Win32 handle, so that text mode
// is the run-time's own (CR LF <-> "\n").
// ---------------------------------------------------------------------------
CStdioFile::CStdioFile() : m_pStream(NULL)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream)
{
    if (pOpenStream != NULL)
        m_hFile = (HANDLE)_get_osfhandle(_fileno(pOpenStream));
}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        throw new CFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            DeleteQuietly(e);
        }
    }
    m_pStream = NULL;
    m_hFile = hFileNull;
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream != NULL)
        Abort();
    CString strFull;
    HANDLE hFile = OpenHandle(lpszFileName, nOpenFlags, strFull, pError);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;

    int nFlags = 0;
    const char* pszMode = "r";
    switch (nOpenFlags & 3)
    {
    case modeRead: nFlags = _O_RDONLY; pszMode = "r"; break;
    case modeWrite: nFlags = _O_WRONLY; pszMode = "w"; break;
    default: nFlags = _O_RDWR; pszMode = "r+"; break;
    }
    bool bBinary = (nOpenFlags & typeBinary) != 0;
    nFlags |= bBinary ? _O_BINARY : _O_TEXT;
    char szMode[4];
    lstrcpynA(szMode, pszMode, 3);
    strcat(szMode, bBinary ? "b" : "t");

    int fd = _open_osfhandle((intptr_t)hFile, nFlags);
    if (fd == -1)
    {
        ::CloseHandle(hFile);
        if (pError != NULL)
        {
            pError->m_cause = CFileException::tooManyOpenFiles;
            pError->m_lOsError = ERROR_TOO_MANY_OPEN_FILES;
        }
        return FALSE;
    }
    m_pStream = _fdopen(fd, szMode);
    if (m_pStream == NULL)
    {
        _close(fd);
        if (pError != NULL)
        {
            pError->m_cause = CFileException::ErrnoToException(errno);
            pError->m_lOsError = (LONG)::GetLastError();
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = strFull;
    return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    size_t nRead = fread(lpBuf, 1, nCount, m_pStream);
    if (nRead == 0 && ferror(m_pStream))
    {
        clearerr(m_pStream);
        CFileException::ThrowErrno(errno, m_strFileName);
    }
    return (UINT)nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    if (fputs(lpsz, m_pStream) == EOF)
        CFileException::ThrowErrno(errno, m_strFileName);
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    LPSTR lpszResult = fgets(lpsz, (int)nMax, m_pStream);
    if (lpszResult == NULL && !feof(m_pStream))
    {
        clearerr(m_pStream);
        CFileException::ThrowErrno(errno, m_strFileName);
    }
    return lpszResult;
}

// Reads one line of any length; the "\n" (and a CR before it) is dropped.
// FALSE only at the end of the file with nothing read.
BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    char buf[512];
    bool bGot = false;
    for (;;)
    {
        if (fgets(buf, (int)sizeof(buf), m_pStream) == NULL)
        {
            if (!feof(m_pStream))
            {
                clearerr(m_pStream);
                CFileException::ThrowErrno(errno, m_strFileName);
            }
            break;
        }
        bGot = true;
        int n = (int)strlen(buf);
        if (n > 0 && buf[n - 1] == '\n')
        {
            rString.Append(buf, n - 1);
            int nLength = rString.GetLength();
            if (nLength > 0 && rString[nLength - 1] == '\r')
                rString.Truncate(nLength - 1);
            break;
        }
        rString.Append(buf, n);
    }
    return bGot;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    int nOrigin = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    if (nFrom > end)
        AfxThrowInvalidArgException();
    if (_fseeki64(m_pStream, lOff, nOrigin) != 0)
        AfxThrowFileException(CFileException::badSeek, (LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)_ftelli64(m_pStream);
}

ULONGLONG CStdioFile::GetPosition() const
{
    __int64 nPos = _ftelli64(m_pStream);
    if (nPos < 0)
        AfxThrowFileException(CFileException::invalidFile, (LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)nPos;
}

ULONGLONG CStdioFile::GetLength() const
{
    __int64 nPos = _ftelli64(m_pStream);
    if (nPos < 0 || _fseeki64(m_pStream, 0, SEEK_END) != 0)
        AfxThrowFileException(CFileException::invalidFile, (LONG)::GetLastError(), m_strFileName);
    __int64 nLength = _ftelli64(m_pStream);
    _fseeki64(m_pStream, nPos, SEEK_SET);
    return (ULONGLONG)nLength;
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    if (fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    CFile::SetLength(dwNewLen);
    _fseeki64(m_pStream, (__int64)dwNewLen, SEEK_SET);
}

void CStdioFile::Flush()
{
    if (m_pStream != NULL && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close()
{
    int nResult = 0;
    if (m_pStream != NULL)
        nResult = fclose(m_pStream);   // closes the handle too
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    CString strName = m_strFileName;
    m_strFileName.Empty();
    if (nResult != 0)
        CFileException::ThrowErrno(errno, strName);
}

void CStdioFile::Abort()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

// ---------------------------------------------------------------------------
// CMemFile. The buffer grows in steps of m_nGrowBytes but at least by half
// its size, so writing a large file through a small step stays linear.
// ---------------------------------------------------------------------------
CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL), m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL), m_bAutoDelete(FALSE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != NULL)
        Close();
}

// A fixed buffer (nGrowBytes 0) is readable as a whole; a growable one
// starts empty.
void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    return lpBuffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return (BYTE*)malloc(nBytes);
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return nBytes ? (BYTE*)realloc(lpMem, nBytes) : NULL;
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes)
{
    return (BYTE*)memcpy(lpMemTarget, lpMemSource, nBytes);
}

void CMemFile::Free(BYTE* lpMem)
{
    free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    SIZE_T nNew = m_nBufferSize + m_nBufferSize / 2;
    if (nNew < dwNewLen)
        nNew = dwNewLen;
    nNew = (nNew + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* lpNew = m_lpBuffer == NULL ? Alloc(nNew) : Realloc(m_lpBuffer, nNew);
    if (lpNew == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNew;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    SIZE_T nRead = m_nFileSize - m_nPosition;
    if (nRead > nCount)
        nRead = nCount;
    Memcpy((BYTE*)lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return (UINT)nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    if (m_nPosition > (SIZE_T)-1 - nCount)
        AfxThrowFileException(CFileException::badSeek);
    SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        GrowFile(nEnd);
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    Memcpy(m_lpBuffer + m_nPosition, (const BYTE*)lpBuf, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG nNew;
    switch (nFrom)
    {
    case begin: nNew = lOff; break;
    case current: nNew = (LONGLONG)m_nPosition + lOff; break;
    case end: nNew = (LONGLONG)m_nFileSize + lOff; break;
    default: AfxThrowInvalidArgException();
    }
    if (nNew < 0)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = (SIZE_T)nNew;
    return (ULONGLONG)nNew;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    SIZE_T nNew = (SIZE_T)dwNewLen;
    if (nNew > m_nBufferSize)
        GrowFile(nNew);
    if (nNew > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, nNew - m_nFileSize);
    if (nNew < m_nPosition)
        m_nPosition = nNew;
    m_nFileSize = nNew;
}

void CMemFile::Close()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
}

void CMemFile::Abort()
{
    Close();
}

UINT CMemFile::GetBufferPtr(UINT nCommand, UINT nCount, void** ppBufStart, void** ppBufMax)
{
    if (nCommand == bufferCheck)
        return bufferDirect;
    if (nCommand == bufferCommit)
    {
        m_nPosition += nCount;
        if (m_nPosition > m_nFileSize)
            m_nFileSize = m_nPosition;
        return 0;
    }
    if (nCommand == bufferWrite && m_nPosition + nCount > m_nBufferSize)
        GrowFile(m_nPosition + nCount);
    SIZE_T nLimit = nCommand == bufferWrite ? m_nBufferSize : m_nFileSize;
    SIZE_T nAvail = m_nPosition < nLimit ? nLimit - m_nPosition : 0;
    if (nCount == 0 || nCount > nAvail)
        nCount = (UINT)nAvail;
    if (ppBufStart != NULL)
        *ppBufStart = m_lpBuffer + m_nPosition;
    if (ppBufMax != NULL)
        *ppBufMax = m_lpBuffer + m_nPosition + nCount;
    if (nCommand == bufferRead)
        m_nPosition += nCount;
    return nCount;
}

// ---------------------------------------------------------------------------
// CSharedFile: the buffer is a locked global block. Close frees the block;
// Detach hands it over unlocked.
// ---------------------------------------------------------------------------
CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    if (m_lpBuffer != NULL)
        Close();
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    HGLOBAL hMem = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (hMem == NULL)
        return NULL;
    m_hGlobalMemory = hMem;
    return (BYTE*)::GlobalLock(hMem);
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes)
{
    if (!m_bAllowGrow || m_hGlobalMemory == NULL)
        return NULL;
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, GMEM_MOVEABLE);
    if (hNew == NULL)
    {
        ::GlobalLock(m_hGlobalMemory);
        return NULL;
    }
    m_hGlobalMemory = hNew;
    return (BYTE*)::GlobalLock(hNew);
}

void CSharedFile::Free(BYTE*)
{
    if (m_hGlobalMemory != NULL)
    {
        ::GlobalUnlock(m_hGlobalMemory);
        ::GlobalFree(m_hGlobalMemory);
        m_hGlobalMemory = NULL;
    }
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != NULL)
        ::GlobalUnlock(hMem);
    m_hGlobalMemory = NULL;
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    return hMem;
}

// The file takes the block over (Close frees it; Detach gives it back);
// its whole size is readable.
void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    if (m_lpBuffer != NULL)
        Close();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = (BYTE*)::GlobalLock(hGlobalMemory);
    m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobalMemory);
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    m_bAutoDelete = TRUE;
}

// ---------------------------------------------------------------------------
// CFileFind
// ---------------------------------------------------------------------------
CFileFind::CFileFind()
    : m_pFoundInfo(NULL), m_pNextInfo(NULL), m_hContext(NULL), m_chDirSeparator('\\')
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    delete m_pFoundInfo;
    delete m_pNextInfo;
    m_pFoundInfo = NULL;
    m_pNextInfo = NULL;
    if (m_hContext != NULL && m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = NULL;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCSTR pstrName, DWORD)
{
    Close();
    if (pstrName == NULL)
        pstrName = "*.*";
    m_pNextInfo = new WIN32_FIND_DATAA;
    HANDLE hFind = ::FindFirstFileA(pstrName, m_pNextInfo);
    if (hFind == INVALID_HANDLE_VALUE)
    {
        DWORD dwError = ::GetLastError();
        Close();
        ::SetLastError(dwError);
        return FALSE;
    }
    m_hContext = hFind;

    char szFull[MAX_PATH];
    DWORD nFull = ::GetFullPathNameA(pstrName, MAX_PATH, szFull, NULL);
    m_strRoot = (nFull > 0 && nFull < MAX_PATH) ? szFull : pstrName;
    int nName = (int)(NamePart(m_strRoot) - (LPCSTR)m_strRoot);
    m_strRoot.Truncate(nName);
    // keep "C:\" whole, drop the separator after a folder name
    if (nName > 1 && (m_strRoot[nName - 1] == '\\' || m_strRoot[nName - 1] == '/') &&
        m_strRoot[nName - 2] != ':')
        m_strRoot.Truncate(nName - 1);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hContext == NULL || m_pNextInfo == NULL)
        return FALSE;
    if (m_pFoundInfo == NULL)
        m_pFoundInfo = new WIN32_FIND_DATAA;
    WIN32_FIND_DATAA* pTemp = m_pFoundInfo;
    m_pFoundInfo = m_pNextInfo;
    m_pNextInfo = pTemp;
    return ::FindNextFileA(m_hContext, m_pNextInfo);
}

ULONGLONG CFileFind::GetLength() const
{
    if (m_pFoundInfo == NULL)
        return 0;
    return ((ULONGLONG)m_pFoundInfo->nFileSizeHigh << 32) | m_pFoundInfo->nFileSizeLow;
}

CString CFileFind::GetFileName() const
{
    return m_pFoundInfo ? CString(m_pFoundInfo->cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    CString strPath = m_strRoot;
    int n = strPath.GetLength();
    if (n > 0 && strPath[n - 1] != '\\' && strPath[n - 1] != '/')
        strPath += m_chDirSeparator;
    return strPath + GetFileName();
}

CString CFileFind::GetFileTitle() const
{
    return TitleOf(GetFileName());
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == NULL || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == NULL || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftLastAccessTime;
    return TRUE;
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == NULL || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftCreationTime;
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    if (m_pFoundInfo == NULL)
        return FALSE;
    refTime = TimeFromFileTime(m_pFoundInfo->ftLastWriteTime);
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    if (m_pFoundInfo == NULL)
        return FALSE;
    refTime = TimeFromFileTime(m_pFoundInfo->ftLastAccessTime);
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    if (m_pFoundInfo == NULL)
        return FALSE;
    refTime = TimeFromFileTime(m_pFoundInfo->ftCreationTime);
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_pFoundInfo != NULL && (m_pFoundInfo->dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (m_pFoundInfo == NULL || !IsDirectory())
        return FALSE;
    LPCSTR p = m_pFoundInfo->cFileName;
    return p[0] == '.' && (p[1] == '\0' || (p[1] == '.' && p[2] == '\0'));
}
