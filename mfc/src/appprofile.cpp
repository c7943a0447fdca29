// appprofile.cpp - the application's profile: values under
// HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section> once
// SetRegistryKey was called, else in the INI file m_pszProfileName.
#include "wndimpl.h"

#include <stdlib.h>
#include <vector>

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    CloseAppKeyCache();
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _strdup(lpszRegistryKey != NULL ? lpszRegistryKey : "");
    // the application's key is named after the application
    free((void*)m_pszProfileName);
    m_pszProfileName = _strdup(m_pszAppName != NULL ? m_pszAppName : AfxGetAppName());
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey((LPCTSTR)strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    HKEY hSoftKey = NULL, hCompanyKey = NULL, hAppKey = NULL;
    DWORD dwDisposition;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ | KEY_WRITE, &hSoftKey) == ERROR_SUCCESS) {
        if (::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                              NULL, &hCompanyKey, &dwDisposition) == ERROR_SUCCESS) {
            ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_READ | KEY_WRITE, NULL, &hAppKey, &dwDisposition);
            ::RegCloseKey(hCompanyKey);
        }
        ::RegCloseKey(hSoftKey);
    }
    return hAppKey;
}

HKEY CWinApp::AppKeyForSections()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    // Other threads open the key afresh: the cache belongs to the application's thread.
    if (::GetCurrentThreadId() != m_nThreadID)
        return NULL;
    CString strPath = CString(m_pszRegistryKey) + "\\" + m_pszProfileName;
    if (m_hAppKeyCache != NULL && strPath != m_strAppKeyCachePath)
        CloseAppKeyCache();
    if (m_hAppKeyCache == NULL) {
        m_hAppKeyCache = GetAppRegistryKey();
        m_strAppKeyCachePath = strPath;
    }
    return m_hAppKeyCache;
}

void CWinApp::CloseAppKeyCache()
{
    if (m_hAppKeyCache != NULL)
        ::RegCloseKey(m_hAppKeyCache);
    m_hAppKeyCache = NULL;
    m_strAppKeyCachePath.Empty();
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    DWORD dwDisposition;
    HKEY hSectionKey = NULL;
    if (HKEY hCached = AppKeyForSections()) {
        LONG lResult = ::RegCreateKeyExA(hCached, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE,
                                         KEY_READ | KEY_WRITE, NULL, &hSectionKey, &dwDisposition);
        if (lResult == ERROR_SUCCESS)
            return hSectionKey;
        // deleted behind our back (a reset profile): open the application's key afresh below
        CloseAppKeyCache();
        hSectionKey = NULL;
    }
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                      &hSectionKey, &dwDisposition);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

LONG CWinApp::DelRegTree(HKEY hParentKey, const CString& strKeyName)
{
    HKEY hKey;
    LONG lResult = ::RegOpenKeyExA(hParentKey, strKeyName, 0, KEY_READ | KEY_WRITE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    // collect the subkeys first: deleting while enumerating shifts the indexes
    std::vector<CString> subKeys;
    char szSubKey[256];
    for (DWORD i = 0;; i++) {
        DWORD cch = sizeof(szSubKey);
        if (::RegEnumKeyExA(hKey, i, szSubKey, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        subKeys.push_back(CString(szSubKey));
    }
    for (const CString& strSub : subKeys) {
        lResult = DelRegTree(hKey, strSub);
        if (lResult != ERROR_SUCCESS)
            break;
    }
    ::RegCloseKey(hKey);
    if (lResult == ERROR_SUCCESS || subKeys.empty())
        lResult = ::RegDeleteKeyA(hParentKey, strKeyName);
    return lResult;
}

// ---------------------------------------------------------------------------
// Values
// ---------------------------------------------------------------------------

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return (UINT)nDefault;
    DWORD dwValue = 0, dwType = 0, dwCount = sizeof(DWORD);
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
        return (UINT)dwValue;
    return (UINT)nDefault;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL) {
        char szValue[16];
        snprintf(szValue, sizeof(szValue), "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, szValue, m_pszProfileName);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString strDefault(lpszDefault != NULL ? lpszDefault : "");
    if (m_pszRegistryKey == NULL) {
        // the INI call reports a truncated value by filling the buffer
        std::vector<char> buffer(4096);
        for (;;) {
            DWORD nLen = ::GetPrivateProfileStringA(lpszSection, lpszEntry, strDefault, buffer.data(),
                                                    (DWORD)buffer.size(), m_pszProfileName);
            if (nLen < buffer.size() - 1)
                return CString(buffer.data());
            buffer.resize(buffer.size() * 2);
        }
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return strDefault;
    CString strValue;
    DWORD dwType = 0, dwCount = 0;
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
        char* pBuf = strValue.GetBuffer((int)dwCount + 1);
        lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)pBuf, &dwCount);
        pBuf[lResult == ERROR_SUCCESS ? dwCount : 0] = '\0';
        strValue.ReleaseBuffer();
    } else {
        lResult = ERROR_FILE_NOT_FOUND;
    }
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS ? strValue : strDefault;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    LONG lResult;
    if (lpszEntry == NULL) {
        HKEY hAppKey = GetAppRegistryKey();
        if (hAppKey == NULL)
            return FALSE;
        lResult = DelRegTree(hAppKey, CString(lpszSection));
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    if (lpszValue == NULL) {
        lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
        if (lResult == ERROR_FILE_NOT_FOUND)
            lResult = ERROR_SUCCESS;
    } else {
        lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                   (DWORD)strlen(lpszValue) + 1);
    }
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

// In an INI file a binary value is text: two letters per byte, 'A' + the low
// nibble, then 'A' + the high nibble.
BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL) {
        CString str = GetProfileString(lpszSection, lpszEntry, NULL);
        int nLen = str.GetLength();
        if (nLen == 0)
            return FALSE;
        UINT nBytes = (UINT)nLen / 2;
        *ppData = new BYTE[nBytes > 0 ? nBytes : 1];
        for (UINT i = 0; i < nBytes; i++)
            (*ppData)[i] = (BYTE)(((str[(int)(2 * i + 1)] - 'A') << 4) | ((str[(int)(2 * i)] - 'A') & 0x0F));
        *pBytes = nBytes;
        return TRUE;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwType = 0, dwCount = 0;
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
        *ppData = new BYTE[dwCount > 0 ? dwCount : 1];
        lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, *ppData, &dwCount);
        if (lResult == ERROR_SUCCESS) {
            *pBytes = dwCount;
        } else {
            delete[] *ppData;
            *ppData = NULL;
        }
    } else if (lResult == ERROR_SUCCESS) {
        lResult = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL) {
        CString str;
        char* p = str.GetBufferSetLength((int)nBytes * 2);
        for (UINT i = 0; i < nBytes; i++) {
            p[2 * i] = (char)((pData[i] & 0x0F) + 'A');
            p[2 * i + 1] = (char)(((pData[i] >> 4) & 0x0F) + 'A');
        }
        str.ReleaseBuffer((int)nBytes * 2);
        return WriteProfileString(lpszSection, lpszEntry, str);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------
// Standard settings
// ---------------------------------------------------------------------------

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU > _AFX_MRU_MAX_COUNT)
        nMaxMRU = _AFX_MRU_MAX_COUNT;
    if (nMaxMRU != 0) {
        delete m_pRecentFileList;
        m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
    m_nNumPreviewPages = GetProfileInt("Settings", "PreviewPages", 0);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
    if (m_nNumPreviewPages != 0)
        WriteProfileInt("Settings", "PreviewPages", (int)m_nNumPreviewPages);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}
