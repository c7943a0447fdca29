// Registry.h - CRegistry: one open registry key, its values of the kinds the
// framework stores (numbers, strings, archived MFC objects, rectangles and
// points), and the result of the last call kept for the caller.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <atltypes.h>

class CRegistry : public CObject
{
public:
    explicit CRegistry(HKEY hKey = NULL) : m_nLastError(ERROR_SUCCESS), m_dwLastType(0), m_dwLastSize(0), m_hKey(hKey) {}
    virtual ~CRegistry();

    // Keys
    BOOL Open(HKEY hKeyParent, LPCTSTR lpszSubKey);
    BOOL OpenKeyPath(HKEY hKeyParent, LPCTSTR lpszSubKey);
    BOOL OpenSubKey(LPCTSTR lpszSubKey);
    BOOL Create(HKEY hKeyParent, LPCTSTR lpszSubKey);
    void Close();
    BOOL DeleteKey(HKEY hKeyParent, LPCTSTR lpszSubKey);
    HKEY GetKey() const { return m_hKey; }

    // Values
    BOOL ValueExists(LPCTSTR lpszName);
    BOOL DeleteValue(LPCTSTR lpszName);

    BOOL WriteDWORD(LPCTSTR lpszName, DWORD dwValue);
    LONG SetDWORD(LPCTSTR lpszName, DWORD dwValue);   // the system's result code
    BOOL WriteString(LPCTSTR lpszName, LPCTSTR lpszValue);
    BOOL WriteObject(LPCTSTR lpszName, CObject& obj);
    BOOL WriteRect(LPCTSTR lpszName, const RECT& rc);
    BOOL WritePoint(LPCTSTR lpszName, const POINT& pt);

    BOOL ReadDWORD(LPCTSTR lpszName, DWORD& dwValue);
    BOOL ReadString(LPCTSTR lpszName, CString& sValue);
    BOOL ReadStringList(LPCTSTR lpszName, CStringList& list);
    BOOL ReadByteArray(LPCTSTR lpszName, CByteArray& array);
    BOOL ReadWordArray(LPCTSTR lpszName, CWordArray& array);
    BOOL ReadStringArray(LPCTSTR lpszName, CStringArray& array);
    BOOL ReadDWordArray(LPCTSTR lpszName, CDWordArray& array);
    BOOL ReadRect(LPCTSTR lpszName, RECT& rc);
    BOOL ReadPoint(LPCTSTR lpszName, POINT& pt);

    LONG m_nLastError;
    DWORD m_dwLastType;
    DWORD m_dwLastSize;
    HKEY m_hKey;
    CString m_sKeyPath;

protected:
    // Queries a value into a buffer of nMax bytes, recording result, type and size.
    BOOL QueryValue(LPCTSTR lpszName, BYTE* pData, DWORD nMax);
    // Reads a REG_BINARY value of up to nMax bytes and loads obj from it;
    // another type leaves obj untouched.
    BOOL ReadBinaryObject(LPCTSTR lpszName, CObject& obj, DWORD nMax);
    template <class TArray, class TElement>
    BOOL ReadArrayKeepingSize(LPCTSTR lpszName, TArray& array, const TElement& empty);
    BOOL Record(LONG nResult, DWORD dwType, DWORD dwSize)
    {
        m_nLastError = nResult;
        m_dwLastType = dwType;
        m_dwLastSize = dwSize;
        return nResult == ERROR_SUCCESS;
    }

private:
    CRegistry(const CRegistry&) = delete;
    void operator=(const CRegistry&) = delete;
};
