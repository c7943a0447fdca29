#include "OXRegistryValFile.h"

#include <vector>

IMPLEMENT_DYNAMIC(COXRegistryValFile, CMemFile)

COXRegistryValFile::COXRegistryValFile() : CMemFile(1024), m_hKey(NULL) {}

COXRegistryValFile::COXRegistryValFile(HKEY hParentKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName)
    : CMemFile(1024), m_hKey(NULL)
{
    LONG nError = 0;
    if (!Open(hParentKey, lpszSubKey, lpszValueName, nError))
        throw new CFileException(CFileException::accessDenied, nError, lpszSubKey);
}

COXRegistryValFile::~COXRegistryValFile()
{
    // A destructor must not throw: a failure here is the caller's to see
    // through an explicit Close.
    if (m_hKey != NULL) {
        try {
            WriteBack();
        } catch (CException* e) {
            e->Delete();
        }
        CloseKey();
    }
}

BOOL COXRegistryValFile::Open(HKEY hParentKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, LONG& nError)
{
    if (m_hKey != NULL)
        CloseKey();
    SetLength(0);
    m_sValueName = lpszValueName ? lpszValueName : "";
    HKEY hKey = NULL;
    nError = ::RegCreateKeyA(hParentKey, lpszSubKey, &hKey);
    if (nError != ERROR_SUCCESS) {
        m_sValueName.Empty();
        return FALSE;
    }
    DWORD nType = 0, nSize = 0;
    if (::RegQueryValueExA(hKey, m_sValueName, NULL, &nType, NULL, &nSize) != ERROR_SUCCESS) {
        nError = 0;
        m_hKey = hKey;
        return TRUE;
    }
    nError = 0;
    if (nType != REG_BINARY) {
        ::RegCloseKey(hKey);
        m_sValueName.Empty();
        return FALSE;
    }
    std::vector<BYTE> buffer(nSize);
    if (nSize > 0) {
        LONG nRead = ::RegQueryValueExA(hKey, m_sValueName, NULL, &nType, buffer.data(), &nSize);
        if (nRead != ERROR_SUCCESS) {
            nError = nRead;
            ::RegCloseKey(hKey);
            m_sValueName.Empty();
            return FALSE;
        }
        Write(buffer.data(), nSize);
        SeekToBegin();
    }
    m_hKey = hKey;
    return TRUE;
}

void COXRegistryValFile::WriteBack()
{
    if (m_hKey == NULL)
        return;
    LONG nError = ::RegSetValueExA(m_hKey, m_sValueName, 0, REG_BINARY, m_lpBuffer, (DWORD)m_nFileSize);
    if (nError != ERROR_SUCCESS)
        throw new CFileException(CFileException::accessDenied, nError, m_sValueName);
}

void COXRegistryValFile::CloseKey()
{
    ::RegCloseKey(m_hKey);
    m_hKey = NULL;
    m_sValueName.Empty();
}

void COXRegistryValFile::Flush()
{
    WriteBack();
}

void COXRegistryValFile::Close()
{
    if (m_hKey == NULL)
        return;
    // The key is closed whether or not the value could be written.
    try {
        WriteBack();
    } catch (...) {
        CloseKey();
        throw;
    }
    CloseKey();
}

void COXRegistryValFile::Abort()
{
    // Abort never throws: it writes what it can and closes.
    if (m_hKey == NULL)
        return;
    try {
        WriteBack();
    } catch (CException* e) {
        e->Delete();
    }
    CloseKey();
}
