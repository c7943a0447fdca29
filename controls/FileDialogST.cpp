// FileDialogST.cpp - the common file dialogs and the folder browser.
#include "FileDialogST.h"
#include <shlobj.h>
#include <stdlib.h>

CFileDialogST::CFileDialogST() : m_bOpenFileDialog(TRUE)
{
    memset(&m_ofn, 0, sizeof m_ofn);
    memset(m_szFile, 0, sizeof m_szFile);
    memset(m_szFileTitle, 0, sizeof m_szFileTitle);
    memset(m_szSelectedFolder, 0, sizeof m_szSelectedFolder);
}

CFileDialogST::CFileDialogST(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                             LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialogST()
{
    m_bOpenFileDialog = bOpenFileDialog;
    m_ofn.lpstrDefExt = lpszDefExt;
    // At most 259 bytes, so that the buffer stays terminated.
    if (lpszFileName != NULL)
        lstrcpynA(m_szFile, lpszFileName, MAX_PATH);
    m_ofn.lpstrFile = m_szFile;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFilter = lpszFilter;
    if (pParentWnd != NULL)
        m_ofn.hwndOwner = pParentWnd->GetSafeHwnd();
}

CFileDialogST::~CFileDialogST()
{
}

INT_PTR CFileDialogST::DoModal()
{
    m_ofn.lStructSize = sizeof(OPENFILENAMEA);
    BOOL bChosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return bChosen ? IDOK : IDCANCEL;
}

CString CFileDialogST::MakeFilter(LPCTSTR lpszLines)
{
    CString sFilter(lpszLines ? lpszLines : "");
    int nLength = sFilter.GetLength();
    LPSTR pszBuffer = sFilter.GetBuffer(nLength);
    for (int i = 0; i < nLength; ++i)
        if (pszBuffer[i] == '\n')
            pszBuffer[i] = '\0';
    // The string's own terminator ends the list after the last part's NUL.
    sFilter.ReleaseBuffer(nLength);
    return sFilter;
}

CString CFileDialogST::GetPathName() const
{
    return m_ofn.lpstrFile ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialogST::GetFileName() const
{
    return m_ofn.lpstrFileTitle ? CString(m_ofn.lpstrFileTitle) : CString();
}

CString CFileDialogST::GetFileTitle() const
{
    char szName[_MAX_FNAME];
    _splitpath(m_szFile, NULL, NULL, szName, NULL);
    return szName;
}

CString CFileDialogST::GetFileExt() const
{
    char szExt[_MAX_EXT];
    _splitpath(m_szFile, NULL, NULL, NULL, szExt);
    return szExt;
}

CString CFileDialogST::GetFileFolder() const
{
    char szDrive[_MAX_DRIVE];
    char szDir[_MAX_DIR];
    _splitpath(m_szFile, szDrive, szDir, NULL, NULL);
    return CString(szDrive) + szDir;
}

CString CFileDialogST::GetFileDrive() const
{
    char szDrive[_MAX_DRIVE];
    _splitpath(m_szFile, szDrive, NULL, NULL, NULL);
    return szDrive;
}

// A multiple choice comes back as the folder, then the names, each ended by
// a NUL and the whole by a second NUL in explorer style, or separated by
// blanks in the old style. A single choice is the whole path.
CString CFileDialogST::GetNextPathName(POSITION& pos) const
{
    const BOOL bExplorer = (m_ofn.Flags & OFN_EXPLORER) != 0;
    const char chSeparator = bExplorer ? '\0' : ' ';
    LPCSTR pszFile = m_ofn.lpstrFile ? m_ofn.lpstrFile : m_szFile;
    LPCSTR psz = (LPCSTR)pos;
    if (psz == NULL)
        return "";

    if (psz == pszFile) {
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
            pos = NULL;
            return pszFile;
        }
        while (*psz != chSeparator && *psz != '\0')
            psz = ::CharNextA(psz);
        // Nothing after the folder: a single choice.
        if ((!bExplorer && *psz == '\0') || psz[1] == '\0') {
            pos = NULL;
            return pszFile;
        }
        ++psz;
    }

    CString sFolder;
    if (bExplorer) {
        sFolder = pszFile;
    } else {
        LPCSTR pszEnd = pszFile;
        while (*pszEnd != ' ' && *pszEnd != '\0')
            pszEnd = ::CharNextA(pszEnd);
        sFolder = CString(pszFile, (int)(pszEnd - pszFile));
    }

    LPCSTR pszName = psz;
    while (*psz != chSeparator && *psz != '\0')
        psz = ::CharNextA(psz);
    CString sName(pszName, (int)(psz - pszName));
    if (*psz == '\0' && !bExplorer) {
        pos = NULL;
    } else {
        ++psz;   // past the separator
        pos = (*psz == '\0') ? NULL : (POSITION)psz;
    }

    if (!sFolder.IsEmpty()) {
        char chLast = sFolder[sFolder.GetLength() - 1];
        if (chLast != '\\' && chLast != '/')
            sFolder += '\\';
    }
    return sFolder + sName;
}

// Opens the browser at the folder given as the callback's parameter.
int CALLBACK CFileDialogST::BrowseCtrlCallback(HWND hwnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    if (uMsg == BFFM_INITIALIZED && lpData != 0)
        ::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, lpData);
    return 0;
}

int CFileDialogST::SelectFolder(LPCTSTR lpszTitle, LPCTSTR lpszStartPath, UINT ulFlags, CWnd* pParentWnd)
{
    IMalloc* pMalloc = NULL;
    if (FAILED(::SHGetMalloc(&pMalloc)) || pMalloc == NULL)
        return IDCANCEL;

    BROWSEINFOA bi;
    memset(&bi, 0, sizeof bi);
    bi.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : NULL;
    bi.pidlRoot = NULL;
    bi.pszDisplayName = m_szSelectedFolder;
    bi.lpszTitle = lpszTitle;
    bi.ulFlags = ulFlags;
    bi.lpfn = BrowseCtrlCallback;
    bi.lParam = (LPARAM)lpszStartPath;

    int nResult = IDCANCEL;
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&bi);
    if (pidl != NULL) {
        if (::SHGetPathFromIDListA(pidl, m_szSelectedFolder))
            nResult = IDOK;
        pMalloc->Free(pidl);
    }
    pMalloc->Release();
    return nResult;
}
