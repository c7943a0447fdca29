// Registry.cpp - CRegistry. Every operation records the system's result code
// (and for values their type and size) and returns whether it succeeded;
// nothing throws for a registry failure.
#include "Registry.h"

#include <vector>

namespace {

// Objects are read with a buffer of this size; rectangles and points need 22
// bytes (a 2-byte count and five 32-bit numbers) and are read with 30.
const DWORD kObjectReadSize = 4096;
const DWORD kRectReadSize = 30;

// The stored form of rectangles and points: an archived CDWordArray of five.
void PackFive(CDWordArray& a, DWORD d0, DWORD d1, DWORD d2, DWORD d3)
{
    a.SetSize(5);
    a[0] = d0;
    a[1] = d1;
    a[2] = d2;
    a[3] = d3;
    a[4] = 0;
}

// Sets an array back to the size it had before loading: longer loads are cut,
// shorter ones are padded with zero (or empty) elements.
template <class TArray, class TElement>
void RestoreSize(TArray& array, INT_PTR nOldSize, const TElement& empty)
{
    INT_PTR nLoaded = array.GetSize();
    array.SetSize(nOldSize);
    for (INT_PTR i = nLoaded; i < nOldSize; i++)
        array[i] = empty;
}

// Whether the archive count at the start of the bytes could be met by them:
// every element takes at least one byte, so a larger count is damage, and
// loading it would first allocate for that many elements.
bool CountFits(const BYTE* p, DWORD dwSize)
{
    ULONGLONG nCount;
    DWORD nUsed;
    if (dwSize < 2)
        return false;
    nCount = *(const WORD*)p;
    nUsed = 2;
    if (nCount == 0xFFFF) {
        if (dwSize < 6)
            return false;
        nCount = *(const DWORD*)(p + 2);
        nUsed = 6;
        if (nCount == 0xFFFFFFFF) {
            if (dwSize < 14)
                return false;
            nCount = *(const ULONGLONG*)(p + 6);
            nUsed = 14;
        }
    }
    return nCount <= dwSize - nUsed;
}

} // namespace

CRegistry::~CRegistry()
{
    Close();
}

BOOL CRegistry::Open(HKEY hKeyParent, LPCTSTR lpszSubKey)
{
    LONG n = ::RegOpenKeyExA(hKeyParent, lpszSubKey, 0, KEY_ALL_ACCESS, &m_hKey);
    if (n != ERROR_SUCCESS)
        m_hKey = NULL;
    return Record(n, 0, 0);
}

BOOL CRegistry::OpenKeyPath(HKEY hKeyParent, LPCTSTR lpszSubKey)
{
    m_sKeyPath = lpszSubKey;
    return Open(hKeyParent, lpszSubKey);
}

// The sub-key's handle replaces the open key; the parent stays open (it
// belongs to whoever opened it for this object).
BOOL CRegistry::OpenSubKey(LPCTSTR lpszSubKey)
{
    HKEY hSub = NULL;
    LONG n = ::RegOpenKeyExA(m_hKey, lpszSubKey, 0, KEY_ALL_ACCESS, &hSub);
    if (n == ERROR_SUCCESS) {
        // The sub-key takes the parent's place: the parent's handle is ours
        // to close (closing a predefined root key does nothing).
        if (m_hKey != NULL)
            ::RegCloseKey(m_hKey);
        m_hKey = hSub;
    }
    return Record(n, 0, 0);
}

// Created keys are ordinary persistent keys: a volatile key would vanish at
// the next restart of the system.
BOOL CRegistry::Create(HKEY hKeyParent, LPCTSTR lpszSubKey)
{
    DWORD dwDisposition = 0;
    LONG n = ::RegCreateKeyExA(hKeyParent, lpszSubKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                               &m_hKey, &dwDisposition);
    if (n != ERROR_SUCCESS)
        m_hKey = NULL;
    return Record(n, 0, 0);
}

void CRegistry::Close()
{
    if (m_hKey != NULL)
        ::RegCloseKey(m_hKey);
    m_hKey = NULL;
}

BOOL CRegistry::DeleteKey(HKEY hKeyParent, LPCTSTR lpszSubKey)
{
    return Record(::RegDeleteKeyA(hKeyParent, lpszSubKey), 0, 0);
}

BOOL CRegistry::ValueExists(LPCTSTR lpszName)
{
    DWORD dwType = 0, dwSize = 0;
    LONG n = ::RegQueryValueExA(m_hKey, lpszName, NULL, &dwType, NULL, &dwSize);
    return Record(n, dwType, dwSize);
}

BOOL CRegistry::DeleteValue(LPCTSTR lpszName)
{
    return Record(::RegDeleteValueA(m_hKey, lpszName), 0, 0);
}

BOOL CRegistry::WriteDWORD(LPCTSTR lpszName, DWORD dwValue)
{
    return Record(SetDWORD(lpszName, dwValue), REG_DWORD, sizeof(DWORD));
}

LONG CRegistry::SetDWORD(LPCTSTR lpszName, DWORD dwValue)
{
    return ::RegSetValueExA(m_hKey, lpszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue);
}

BOOL CRegistry::WriteString(LPCTSTR lpszName, LPCTSTR lpszValue)
{
    if (lpszValue == NULL)
        lpszValue = "";
    DWORD dwSize = (DWORD)lstrlenA(lpszValue) + 1;
    return Record(::RegSetValueExA(m_hKey, lpszName, 0, REG_SZ, (const BYTE*)lpszValue, dwSize), REG_SZ, dwSize);
}

// The object's archive is built in a memory file that grows as needed, so an
// object of any size is written whole.
BOOL CRegistry::WriteObject(LPCTSTR lpszName, CObject& obj)
{
    CMemFile file(16);
    try {
        CArchive ar(&file, CArchive::store, 4096);
        obj.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return Record(ERROR_NOT_ENOUGH_MEMORY, REG_BINARY, 0);
    }
    DWORD dwSize = (DWORD)file.GetLength();
    std::vector<BYTE> bytes(dwSize > 0 ? dwSize : 1);
    file.SeekToBegin();
    file.Read(bytes.data(), dwSize);
    return Record(::RegSetValueExA(m_hKey, lpszName, 0, REG_BINARY, bytes.data(), dwSize), REG_BINARY, dwSize);
}

BOOL CRegistry::WriteRect(LPCTSTR lpszName, const RECT& rc)
{
    CDWordArray a;
    PackFive(a, (DWORD)rc.top, (DWORD)rc.bottom, (DWORD)rc.left, (DWORD)rc.right);
    return WriteObject(lpszName, a);
}

BOOL CRegistry::WritePoint(LPCTSTR lpszName, const POINT& pt)
{
    CDWordArray a;
    PackFive(a, (DWORD)pt.x, (DWORD)pt.y, 0, 0);
    return WriteObject(lpszName, a);
}

BOOL CRegistry::QueryValue(LPCTSTR lpszName, BYTE* pData, DWORD nMax)
{
    DWORD dwType = 0, dwSize = nMax;
    LONG n = ::RegQueryValueExA(m_hKey, lpszName, NULL, &dwType, pData, &dwSize);
    return Record(n, dwType, dwSize);
}

BOOL CRegistry::ReadDWORD(LPCTSTR lpszName, DWORD& dwValue)
{
    DWORD dw = 0;
    if (!QueryValue(lpszName, (BYTE*)&dw, sizeof dw))
        return FALSE;
    dwValue = dw;
    return TRUE;
}

BOOL CRegistry::ReadString(LPCTSTR lpszName, CString& sValue)
{
    char buf[200];
    if (!QueryValue(lpszName, (BYTE*)buf, sizeof buf))
        return FALSE;
    // A value stored without its terminator ends at its size.
    int nLength = 0;
    while (nLength < (int)m_dwLastSize && buf[nLength] != '\0')
        nLength++;
    sValue = CString(buf, nLength);
    return TRUE;
}

// A value whose bytes are not a whole archive of the object counts as a
// failed read (ERROR_INVALID_DATA) instead of throwing to the caller; the
// object is loaded into a temporary by the callers, so a failed load leaves
// theirs untouched. Every object read here starts with an archive count.
BOOL CRegistry::ReadBinaryObject(LPCTSTR lpszName, CObject& obj, DWORD nMax)
{
    std::vector<BYTE> buf(nMax);
    if (!QueryValue(lpszName, buf.data(), nMax))
        return FALSE;
    if (m_dwLastType != REG_BINARY)
        return TRUE;
    DWORD dwType = m_dwLastType, dwSize = m_dwLastSize;
    if (!CountFits(buf.data(), dwSize))
        return Record(ERROR_INVALID_DATA, dwType, dwSize);
    try {
        CMemFile file(buf.data(), dwSize);
        CArchive ar(&file, CArchive::load, 4096);
        obj.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return Record(ERROR_INVALID_DATA, dwType, dwSize);
    }
    return TRUE;
}

BOOL CRegistry::ReadStringList(LPCTSTR lpszName, CStringList& list)
{
    CStringList loaded;
    if (!ReadBinaryObject(lpszName, loaded, kObjectReadSize))
        return FALSE;
    if (m_dwLastType == REG_BINARY) {
        list.RemoveAll();
        list.AddTail(&loaded);
    }
    return TRUE;
}

// The byte, word and string arrays keep the size the caller's array had: a
// longer stored array is cut, a shorter one padded with empty elements.
template <class TArray, class TElement>
BOOL CRegistry::ReadArrayKeepingSize(LPCTSTR lpszName, TArray& array, const TElement& empty)
{
    TArray loaded;
    if (!ReadBinaryObject(lpszName, loaded, kObjectReadSize))
        return FALSE;
    if (m_dwLastType == REG_BINARY) {
        RestoreSize(loaded, array.GetSize(), empty);
        array.Copy(loaded);
    }
    return TRUE;
}

BOOL CRegistry::ReadByteArray(LPCTSTR lpszName, CByteArray& array)
{
    return ReadArrayKeepingSize(lpszName, array, (BYTE)0);
}

BOOL CRegistry::ReadWordArray(LPCTSTR lpszName, CWordArray& array)
{
    return ReadArrayKeepingSize(lpszName, array, (WORD)0);
}

BOOL CRegistry::ReadStringArray(LPCTSTR lpszName, CStringArray& array)
{
    return ReadArrayKeepingSize(lpszName, array, CString());
}

BOOL CRegistry::ReadDWordArray(LPCTSTR lpszName, CDWordArray& array)
{
    CDWordArray loaded;
    if (!ReadBinaryObject(lpszName, loaded, kObjectReadSize))
        return FALSE;
    if (m_dwLastType == REG_BINARY)
        array.Copy(loaded);
    return TRUE;
}

BOOL CRegistry::ReadRect(LPCTSTR lpszName, RECT& rc)
{
    CDWordArray a;
    if (!ReadBinaryObject(lpszName, a, kRectReadSize))
        return FALSE;
    if (m_dwLastType == REG_BINARY && a.GetSize() >= 4) {
        rc.top = (LONG)a[0];
        rc.bottom = (LONG)a[1];
        rc.left = (LONG)a[2];
        rc.right = (LONG)a[3];
    }
    return TRUE;
}

BOOL CRegistry::ReadPoint(LPCTSTR lpszName, POINT& pt)
{
    CDWordArray a;
    if (!ReadBinaryObject(lpszName, a, kRectReadSize))
        return FALSE;
    if (m_dwLastType == REG_BINARY && a.GetSize() >= 2) {
        pt.x = (LONG)a[0];
        pt.y = (LONG)a[1];
    }
    return TRUE;
}
