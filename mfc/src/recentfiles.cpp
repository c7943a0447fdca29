// recentfiles.cpp - CRecentFileList: the recent-file list of the File menu,
// kept in the profile as <section>\<entry format, numbered from 1>.
#include "wndimpl.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart), m_nMaxDisplayLength(nMaxDispLen)
{
    m_arrNames = new CString[m_nSize];
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

static CString FullPath(LPCTSTR lpszPathName)
{
    char szFull[MAX_PATH];
    LPSTR pszFilePart;
    DWORD nLen = ::GetFullPathNameA(lpszPathName, MAX_PATH, szFull, &pszFilePart);
    if (nLen == 0 || nLen >= MAX_PATH)
        return CString(lpszPathName);
    return CString(szFull);
}

// The same file (compared without case) moves to the top instead of
// appearing twice; a new file pushes the oldest out.
void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == '\0')
        return;
    CString strPath = FullPath(lpszPathName);
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize - 1; iMRU++) {
        if (m_arrNames[iMRU].CompareNoCase(strPath) == 0)
            break;
    }
    for (; iMRU > 0; iMRU--)
        m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    m_arrNames[nIndex].Empty();
    int iMRU;
    for (iMRU = nIndex; iMRU < m_nSize - 1; iMRU++)
        m_arrNames[iMRU] = m_arrNames[iMRU + 1];
    m_arrNames[iMRU].Empty();
}

static CString EntryName(const CString& strFormat, int nIndex)
{
    char szEntry[64];
    snprintf(szEntry, sizeof(szEntry), (LPCTSTR)strFormat, nIndex);
    return CString(szEntry);
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++)
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, EntryName(m_strEntryFormat, i + 1), "");
}

// Empty slots are removed from the profile, so a shorter list leaves no
// stale entries behind.
void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++) {
        CString strEntry = EntryName(m_strEntryFormat, i + 1);
        if (m_arrNames[i].IsEmpty())
            pApp->WriteProfileString(m_strSectionName, strEntry, NULL);
        else
            pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i]);
    }
}

static LPCTSTR FileNamePart(LPCTSTR lpszPath)
{
    LPCTSTR lpszName = lpszPath;
    for (LPCTSTR p = lpszPath; *p != '\0'; p = ::CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    return lpszName;
}

void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int nMaxLength, BOOL bAtLeastName)
{
    int nLen = lstrlenA(lpszCanon);
    if (nLen <= nMaxLength)
        return;
    LPCTSTR lpszName = FileNamePart(lpszCanon);
    int nName = lstrlenA(lpszName);
    if (nName > nMaxLength) {
        if (bAtLeastName)
            memmove(lpszCanon, lpszName, (size_t)nName + 1);
        else
            lpszCanon[0] = '\0';
        return;
    }
    // the volume: "C:" or "\\server\share"
    int nVol = 0;
    if (lpszCanon[0] == '\\' && lpszCanon[1] == '\\') {
        LPCTSTR p = strchr(lpszCanon + 2, '\\');
        p = p != NULL ? strchr(p + 1, '\\') : NULL;
        nVol = p != NULL ? (int)(p - lpszCanon) : nLen;
    } else if (lpszCanon[0] != '\0' && lpszCanon[1] == ':') {
        nVol = 2;
    }
    // the longest tail of whole directories that fits after "<volume>\..."
    LPCTSTR lpszTail = NULL;
    if (nVol < nLen) {
        for (LPCTSTR p = strchr(lpszCanon + nVol + 1, '\\'); p != NULL; p = strchr(p + 1, '\\')) {
            if (nVol + 4 + lstrlenA(p) <= nMaxLength) {
                lpszTail = p;
                break;
            }
        }
    }
    if (lpszTail == NULL) {
        memmove(lpszCanon, lpszName, (size_t)nName + 1);
        return;
    }
    CString strResult(lpszCanon, nVol);
    strResult += "\\...";
    strResult += lpszTail;
    lstrcpyA(lpszCanon, strResult);
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& strPath = m_arrNames[nIndex];
    LPCTSTR lpszName = FileNamePart(strPath);
    int nDir = (int)(lpszName - (LPCTSTR)strPath);
    if (lpszCurDir != NULL && nDir == nCurDir && _strnicmp(strPath, lpszCurDir, (size_t)nCurDir) == 0) {
        strName = lpszName;   // in the current directory: the name alone
        return TRUE;
    }
    char szBuf[MAX_PATH + 1];
    lstrcpynA(szBuf, strPath, MAX_PATH);
    if (m_nMaxDisplayLength != -1)
        AfxAbbreviateName(szBuf, m_nMaxDisplayLength, bAtLeastName);
    strName = szBuf;
    return TRUE;
}

// The placeholder item (ID_FILE_MRU_FILE1) is replaced by one item per file,
// "&1 name" ... numbered from m_nStart + 1; with no files the placeholder is
// shown, with its original text, disabled.
void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    HMENU hMenu = pCmdUI->m_pMenu != NULL ? pCmdUI->m_pMenu->GetSafeHmenu() : NULL;
    if (m_strOriginal.IsEmpty() && hMenu != NULL) {
        char szText[256];
        if (::GetMenuStringA(hMenu, pCmdUI->m_nID, szText, sizeof(szText), MF_BYCOMMAND) > 0)
            m_strOriginal = szText;
    }
    if (m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (hMenu == NULL)
        return;

    for (int i = 0; i < m_nSize; i++)
        ::DeleteMenu(hMenu, pCmdUI->m_nID + (UINT)i, MF_BYCOMMAND);

    char szCurDir[MAX_PATH + 1];
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH - 1, szCurDir);
    if (nCurDir == 0 || nCurDir >= MAX_PATH - 1)
        nCurDir = 0;
    if (nCurDir > 0 && szCurDir[nCurDir - 1] != '\\') {
        szCurDir[nCurDir++] = '\\';
    }
    szCurDir[nCurDir] = '\0';

    CString strName, strItem;
    for (int i = 0; i < m_nSize; i++) {
        if (!GetDisplayName(strName, i, szCurDir, (int)nCurDir))
            break;
        strName.Replace("&", "&&");   // no accidental mnemonics
        strItem.Format("&%d %s", (int)((i + 1 + m_nStart) % 10), (LPCTSTR)strName);
        ::InsertMenuA(hMenu, pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, strItem);
    }
    // continue the update after the last inserted item
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    pCmdUI->m_bEnableChanged = TRUE;
}
