// CString: 8-bit, reference counted, copied on write.
//
// The object is one pointer to the characters; a CStringData header (count,
// length, capacity) sits in front of them. Rules this file keeps:
// - A buffer with nRefs > 1 is shared and never written: every change first
//   makes the buffer this string's own (PrepareWrite).
// - A locked buffer (nRefs < 0) belongs to one string; copies of it get their
//   own characters.
// - The shared empty string has capacity 0 and is never written or freed.
// - The stored length is the length: NUL bytes inside are ordinary data.
// - Appending grows the capacity geometrically, so building a long string
//   piece by piece costs linear time.
// - An argument that points into this string's own characters stays valid
//   until the new characters are in place (the old buffer is released last).
#include "afx.h"
#include <stdlib.h>
#include <limits.h>
#include <algorithm>

namespace
{
struct EmptyStringData
{
    CStringData hdr;
    char nul[8];
};
EmptyStringData s_emptyString = { { -1, 0, 0 }, { 0 } };

inline char* EmptyChars()
{
    return s_emptyString.hdr.data();
}

inline bool IsOwned(const CStringData* p)
{
    // the only holder: refcount 1, or locked
    return p->nAllocLength != 0 && (p->nRefs == 1 || p->nRefs < 0);
}

inline bool InSet(LPCSTR lpszSet, char ch)
{
    return ch != '\0' && lpszSet != NULL && strchr(lpszSet, ch) != NULL;
}

inline bool IsSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

int CompareBytes(const char* a, int na, const char* b, int nb)
{
    int r = memcmp(a, b, (size_t)std::min(na, nb));
    if (r != 0)
        return r < 0 ? -1 : 1;
    return na < nb ? -1 : (na > nb ? 1 : 0);
}

// Lower-case mapping of the ANSI code page, taken once from Win32.
const unsigned char* LowerTable()
{
    static const struct Table
    {
        unsigned char map[256];
        Table()
        {
            char buf[256];
            for (int i = 0; i < 256; i++)
                buf[i] = (char)i;
            ::CharLowerBuffA(buf + 1, 255);
            map[0] = 0;
            for (int i = 1; i < 256; i++)
                map[i] = (unsigned char)buf[i];
        }
    } table;
    return table.map;
}
} // namespace

// ---------------------------------------------------------------------------
// Buffer management
// ---------------------------------------------------------------------------
CStringData* CString::AllocData(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength == 0)
        return &s_emptyString.hdr;
    if (nLength > INT_MAX - 64)
        AfxThrowMemoryException();
    CStringData* p = (CStringData*)malloc(sizeof(CStringData) + (size_t)nLength + 1);
    if (p == NULL)
        AfxThrowMemoryException();
    p->nRefs = 1;
    p->nDataLength = 0;
    p->nAllocLength = nLength;
    p->data()[0] = '\0';
    return p;
}

void CString::ReleaseData(CStringData* pData)
{
    if (pData == &s_emptyString.hdr)   // shared by every empty string, never freed
        return;
    if (pData->nRefs < 0 || ::InterlockedDecrement(&pData->nRefs) == 0)
        free(pData);
}

void CString::Release()
{
    CStringData* p = GetData();
    m_pchData = EmptyChars();
    ReleaseData(p);
}

void CString::SetLength(int nLength)
{
    GetData()->nDataLength = nLength;
    m_pchData[nLength] = '\0';
}

bool CString::IsInside(LPCSTR p) const
{
    const CStringData* pData = GetData();
    return pData->nAllocLength != 0 && p >= m_pchData && p <= m_pchData + pData->nAllocLength;
}

char* CString::PrepareWrite(int nLength, bool bGrow)
{
    CStringData* pOld = GetData();
    if (IsOwned(pOld) && pOld->nAllocLength >= nLength)
        return m_pchData;
    int nAlloc = std::max(nLength, 1);
    if (bGrow && nAlloc < INT_MAX / 2)
        nAlloc = std::max(nAlloc, nLength + nLength / 2 + 8);
    int nKeep = std::min(pOld->nDataLength, nAlloc);
    CStringData* pNew = AllocData(nAlloc);
    memcpy(pNew->data(), m_pchData, (size_t)nKeep);
    pNew->data()[nKeep] = '\0';
    pNew->nDataLength = nKeep;
    if (pOld->nAllocLength != 0 && pOld->nRefs < 0)
        pNew->nRefs = -1;
    m_pchData = pNew->data();
    ReleaseData(pOld);
    return m_pchData;
}

void CString::AssignCopy(LPCSTR pch, int nLength)
{
    if (nLength < 0 || (nLength > 0 && pch == NULL))
        AfxThrowInvalidArgException();
    if (nLength == 0)
    {
        Empty();
        return;
    }
    CStringData* pOld = GetData();
    if (IsOwned(pOld) && pOld->nAllocLength >= nLength)
    {
        memmove(m_pchData, pch, (size_t)nLength);
        SetLength(nLength);
        return;
    }
    CStringData* pNew = AllocData(nLength);
    memcpy(pNew->data(), pch, (size_t)nLength);
    pNew->nDataLength = nLength;
    pNew->data()[nLength] = '\0';
    m_pchData = pNew->data();
    ReleaseData(pOld);
}

// ---------------------------------------------------------------------------
// Construction and assignment
// ---------------------------------------------------------------------------
CString::CString() : m_pchData(EmptyChars())
{
}

CString::CString(const CString& stringSrc) : m_pchData(EmptyChars())
{
    CStringData* p = stringSrc.GetData();
    if (p->nAllocLength == 0)
        return;
    if (p->nRefs < 0)
    {
        AssignCopy(stringSrc.m_pchData, p->nDataLength);
        return;
    }
    ::InterlockedIncrement(&p->nRefs);
    m_pchData = stringSrc.m_pchData;
}

CString::CString(CString&& stringSrc) noexcept : m_pchData(stringSrc.m_pchData)
{
    stringSrc.m_pchData = EmptyChars();
}

CString::CString(LPCSTR lpsz) : m_pchData(EmptyChars())
{
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
        LoadString(LOWORD((ULONG_PTR)lpsz));
    else
        AssignCopy(lpsz, StringLength(lpsz));
}

CString::CString(LPCSTR lpch, int nLength) : m_pchData(EmptyChars())
{
    AssignCopy(lpch, nLength);
}

CString::CString(char ch, int nRepeat) : m_pchData(EmptyChars())
{
    if (nRepeat > 0)
    {
        char* p = PrepareWrite(nRepeat, false);
        memset(p, ch, (size_t)nRepeat);
        SetLength(nRepeat);
    }
}

CString::CString(LPCWSTR lpsz) : m_pchData(EmptyChars())
{
    if (lpsz != NULL)
        *this = CString(lpsz, (int)wcslen(lpsz));
}

CString::CString(LPCWSTR lpch, int nLength) : m_pchData(EmptyChars())
{
    if (nLength < 0 || (nLength > 0 && lpch == NULL))
        AfxThrowInvalidArgException();
    if (nLength == 0)
        return;
    int n = ::WideCharToMultiByte(CP_ACP, 0, lpch, nLength, NULL, 0, NULL, NULL);
    if (n <= 0)
        return;
    char* p = PrepareWrite(n, false);
    ::WideCharToMultiByte(CP_ACP, 0, lpch, nLength, p, n, NULL, NULL);
    SetLength(n);
}

CString::~CString()
{
    ReleaseData(GetData());
}

CString& CString::operator=(const CString& stringSrc)
{
    if (m_pchData != stringSrc.m_pchData)
    {
        CString copy(stringSrc);
        std::swap(m_pchData, copy.m_pchData);
    }
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
    {
        CStringData* pOld = GetData();
        m_pchData = stringSrc.m_pchData;
        stringSrc.m_pchData = EmptyChars();
        ReleaseData(pOld);
    }
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(lpsz, StringLength(lpsz));
    return *this;
}

CString& CString::operator=(LPCWSTR lpsz)
{
    *this = CString(lpsz);
    return *this;
}

CString& CString::operator=(char ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

void CString::SetString(LPCSTR psz)
{
    AssignCopy(psz, StringLength(psz));
}

void CString::SetString(LPCSTR pch, int nLength)
{
    AssignCopy(pch, nLength);
}

void CString::Empty()
{
    Release();
}

// ---------------------------------------------------------------------------
// Element access and appending
// ---------------------------------------------------------------------------
char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    int nLength = GetLength();
    if (nIndex < 0 || nIndex >= nLength)
        AfxThrowInvalidArgException();
    PrepareWrite(nLength, false)[nIndex] = ch;
}

void CString::Append(LPCSTR psz)
{
    Append(psz, StringLength(psz));
}

void CString::Append(LPCSTR pch, int nLength)
{
    if (nLength < 0 || (nLength > 0 && pch == NULL))
        AfxThrowInvalidArgException();
    if (nLength == 0)
        return;
    CStringData* pOld = GetData();
    int nOld = pOld->nDataLength;
    if (nLength > INT_MAX - 64 - nOld)
        AfxThrowMemoryException();
    int nNew = nOld + nLength;
    if (IsOwned(pOld) && pOld->nAllocLength >= nNew)
    {
        // pch may lie in [0, nOld) of this buffer: no overlap with the tail
        memcpy(m_pchData + nOld, pch, (size_t)nLength);
        SetLength(nNew);
        return;
    }
    int nAlloc = nNew;
    if (nAlloc < INT_MAX / 2 && pOld->nAllocLength != 0)
        nAlloc = nNew + nNew / 2 + 8;
    CStringData* pNew = AllocData(nAlloc);
    memcpy(pNew->data(), m_pchData, (size_t)nOld);
    memcpy(pNew->data() + nOld, pch, (size_t)nLength);
    pNew->nDataLength = nNew;
    pNew->data()[nNew] = '\0';
    if (pOld->nAllocLength != 0 && pOld->nRefs < 0)
        pNew->nRefs = -1;
    m_pchData = pNew->data();
    ReleaseData(pOld);
}

void CString::AppendChar(char ch)
{
    Append(&ch, 1);
}

void CString::Truncate(int nNewLength)
{
    int nLength = GetLength();
    if (nNewLength < 0 || nNewLength > nLength)
        AfxThrowInvalidArgException();
    if (nNewLength == nLength)
        return;
    PrepareWrite(nLength, false);
    SetLength(nNewLength);
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s;
    s.Preallocate(string1.GetLength() + string2.GetLength());
    s.Append(string1);
    s.Append(string2);
    return s;
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
    int n = CString::StringLength(lpsz);
    CString s;
    s.Preallocate(string.GetLength() + n);
    s.Append(string);
    s.Append(lpsz, n);
    return s;
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
    int n = CString::StringLength(lpsz);
    CString s;
    s.Preallocate(string.GetLength() + n);
    s.Append(lpsz, n);
    s.Append(string);
    return s;
}

CString AFXAPI operator+(const CString& string, char ch)
{
    CString s;
    s.Preallocate(string.GetLength() + 1);
    s.Append(string);
    s.AppendChar(ch);
    return s;
}

CString AFXAPI operator+(char ch, const CString& string)
{
    CString s;
    s.Preallocate(string.GetLength() + 1);
    s.AppendChar(ch);
    s.Append(string);
    return s;
}

// ---------------------------------------------------------------------------
// Comparison
// ---------------------------------------------------------------------------
int CString::Compare(LPCSTR lpsz) const
{
    if (lpsz == NULL)
        lpsz = "";
    return CompareBytes(m_pchData, GetLength(), lpsz, (int)strlen(lpsz));
}

int CString::Compare(const CString& str) const
{
    if (m_pchData == str.m_pchData)
        return 0;
    return CompareBytes(m_pchData, GetLength(), str.m_pchData, str.GetLength());
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    if (lpsz == NULL)
        lpsz = "";
    const unsigned char* map = LowerTable();
    const unsigned char* a = (const unsigned char*)m_pchData;
    const unsigned char* b = (const unsigned char*)lpsz;
    int na = GetLength(), nb = (int)strlen(lpsz);
    int n = std::min(na, nb);
    for (int i = 0; i < n; i++)
    {
        int d = (int)map[a[i]] - (int)map[b[i]];
        if (d != 0)
            return d < 0 ? -1 : 1;
    }
    return na < nb ? -1 : (na > nb ? 1 : 0);
}

// Collation is the user's alphabetical order, as the C runtime's strcoll
// gives it once a program has set its locale: letters in the language's
// order whatever their case ("alpha" before "Beta"), a small letter before
// its capital, and punctuation (a hyphen, an apostrophe) counting as a
// character that sorts before the letters, not ignored as in word sorting.
int CString::Collate(LPCSTR lpsz) const
{
    if (lpsz == NULL)
        lpsz = "";
    return ::CompareStringA(LOCALE_USER_DEFAULT, SORT_STRINGSORT, m_pchData, GetLength(), lpsz, -1) - CSTR_EQUAL;
}

int CString::CollateNoCase(LPCSTR lpsz) const
{
    if (lpsz == NULL)
        lpsz = "";
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, m_pchData, GetLength(), lpsz,
                            -1) -
           CSTR_EQUAL;
}

// ---------------------------------------------------------------------------
// Extraction. Out-of-range arguments are clamped, never an error.
// ---------------------------------------------------------------------------
CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - std::max(nFirst, 0));
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    if (nFirst == 0 && nCount == nLength)
        return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int nLength = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLength)
        nCount = nLength;
    return Mid(nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    int n = 0, nLength = GetLength();
    while (n < nLength && InSet(lpszCharSet, m_pchData[n]))
        n++;
    return Left(n);
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    int n = 0, nLength = GetLength();
    while (n < nLength && !InSet(lpszCharSet, m_pchData[n]))
        n++;
    return Left(n);
}

// Skips leading delimiters, returns the token up to the next delimiter and
// moves iStart past that delimiter; at the end returns "" and sets iStart to
// -1. With no delimiters the rest of the string is one token.
CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    if (iStart < 0)
        AfxThrowInvalidArgException();
    int nLength = GetLength();
    if (pszTokens == NULL || *pszTokens == '\0')
    {
        if (iStart < nLength)
        {
            CString rest = Mid(iStart);
            iStart = nLength;
            return rest;
        }
    }
    else
    {
        int i = iStart;
        while (i < nLength && InSet(pszTokens, m_pchData[i]))
            i++;
        if (i < nLength)
        {
            int j = i;
            while (j < nLength && !InSet(pszTokens, m_pchData[j]))
                j++;
            iStart = j + 1;
            return Mid(i, j - i);
        }
    }
    iStart = -1;
    return CString();
}

// ---------------------------------------------------------------------------
// Case mapping (through the ANSI code page) and reversal
// ---------------------------------------------------------------------------
CString& CString::MakeUpper()
{
    int nLength = GetLength();
    if (nLength > 0)
        ::CharUpperBuffA(PrepareWrite(nLength, false), (DWORD)nLength);
    return *this;
}

CString& CString::MakeLower()
{
    int nLength = GetLength();
    if (nLength > 0)
        ::CharLowerBuffA(PrepareWrite(nLength, false), (DWORD)nLength);
    return *this;
}

CString& CString::MakeReverse()
{
    int nLength = GetLength();
    if (nLength > 1)
    {
        char* p = PrepareWrite(nLength, false);
        std::reverse(p, p + nLength);
    }
    return *this;
}

// ---------------------------------------------------------------------------
// Trimming
// ---------------------------------------------------------------------------
namespace
{
template<class Pred>
void TrimRightIf(CString& str, Pred pred)
{
    LPCSTR p = str.GetString();
    int n = str.GetLength();
    while (n > 0 && pred(p[n - 1]))
        n--;
    if (n != str.GetLength())
        str.Truncate(n);
}

template<class Pred>
void TrimLeftIf(CString& str, Pred pred)
{
    LPCSTR p = str.GetString();
    int nLength = str.GetLength();
    int n = 0;
    while (n < nLength && pred(p[n]))
        n++;
    if (n > 0)
        str.Delete(0, n);
}
} // namespace

CString& CString::TrimRight()
{
    TrimRightIf(*this, IsSpace);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    TrimRightIf(*this, [chTarget](char c) { return c == chTarget; });
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    TrimRightIf(*this, [lpszTargets](char c) { return InSet(lpszTargets, c); });
    return *this;
}

CString& CString::TrimLeft()
{
    TrimLeftIf(*this, IsSpace);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    TrimLeftIf(*this, [chTarget](char c) { return c == chTarget; });
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    TrimLeftIf(*this, [lpszTargets](char c) { return InSet(lpszTargets, c); });
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

// ---------------------------------------------------------------------------
// Searching: over the whole stored length; a negative start counts as 0.
// ---------------------------------------------------------------------------
int CString::Find(char ch, int nStart) const
{
    int nLength = GetLength();
    if (nStart < 0)
        nStart = 0;
    if (nStart >= nLength)
        return -1;
    const char* p = (const char*)memchr(m_pchData + nStart, ch, (size_t)(nLength - nStart));
    return p ? (int)(p - m_pchData) : -1;
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL)
        return -1;
    int nLength = GetLength();
    if (nStart < 0)
        nStart = 0;
    if (nStart > nLength)
        return -1;
    int nSub = (int)strlen(lpszSub);
    if (nSub == 0)
        return nStart;
    const char* pEnd = m_pchData + nLength - nSub;
    for (const char* p = m_pchData + nStart; p <= pEnd; p++)
    {
        p = (const char*)memchr(p, lpszSub[0], (size_t)(pEnd - p + 1));
        if (p == NULL)
            break;
        if (memcmp(p, lpszSub, (size_t)nSub) == 0)
            return (int)(p - m_pchData);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = GetLength() - 1; i >= 0; i--)
        if (m_pchData[i] == ch)
            return i;
    return -1;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    int nLength = GetLength();
    for (int i = 0; i < nLength; i++)
        if (InSet(lpszCharSet, m_pchData[i]))
            return i;
    return -1;
}

// ---------------------------------------------------------------------------
// Editing
// ---------------------------------------------------------------------------
int CString::Replace(char chOld, char chNew)
{
    if (chOld == chNew)
        return 0;
    int nLength = GetLength();
    int nCount = 0;
    char* p = NULL;
    for (int i = 0; i < nLength; i++)
    {
        if (m_pchData[i] == chOld)
        {
            if (p == NULL)
                p = PrepareWrite(nLength, false);
            p[i] = chNew;
            nCount++;
        }
    }
    return nCount;
}

// Non-overlapping matches, left to right; an empty pattern replaces nothing.
int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOld = StringLength(lpszOld);
    if (nOld == 0)
        return 0;
    int nNew = StringLength(lpszNew);
    int nCount = 0;
    for (int i = Find(lpszOld); i >= 0; i = Find(lpszOld, i + nOld))
        nCount++;
    if (nCount == 0)
        return 0;

    int nLength = GetLength();
    LONGLONG nResult = (LONGLONG)nLength + (LONGLONG)(nNew - nOld) * nCount;
    if (nResult > INT_MAX - 64)
        AfxThrowMemoryException();
    CString result;
    result.Preallocate((int)nResult);
    int nFrom = 0;
    for (int i = Find(lpszOld); i >= 0; i = Find(lpszOld, i + nOld))
    {
        result.Append(m_pchData + nFrom, i - nFrom);
        result.Append(lpszNew, nNew);
        nFrom = i + nOld;
    }
    result.Append(m_pchData + nFrom, nLength - nFrom);
    *this = std::move(result);
    return nCount;
}

int CString::Remove(char chRemove)
{
    int nLength = GetLength();
    if (memchr(m_pchData, chRemove, (size_t)nLength) == NULL)
        return 0;
    char* p = PrepareWrite(nLength, false);
    int nOut = 0;
    for (int i = 0; i < nLength; i++)
        if (p[i] != chRemove)
            p[nOut++] = p[i];
    SetLength(nOut);
    return nLength - nOut;
}

int CString::Insert(int nIndex, char ch)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    char* p = PrepareWrite(nLength + 1, true);
    memmove(p + nIndex + 1, p + nIndex, (size_t)(nLength - nIndex));
    p[nIndex] = ch;
    SetLength(nLength + 1);
    return nLength + 1;
}

int CString::Insert(int nIndex, LPCSTR psz)
{
    int nInsert = StringLength(psz);
    int nLength = GetLength();
    if (nInsert == 0)
        return nLength;
    if (IsInside(psz))
        return Insert(nIndex, (LPCSTR)CString(psz, nInsert));
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    if (nInsert > INT_MAX - 64 - nLength)
        AfxThrowMemoryException();
    char* p = PrepareWrite(nLength + nInsert, true);
    memmove(p + nIndex + nInsert, p + nIndex, (size_t)(nLength - nIndex));
    memcpy(p + nIndex, psz, (size_t)nInsert);
    SetLength(nLength + nInsert);
    return nLength + nInsert;
}

int CString::Delete(int nIndex, int nCount)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount <= 0 || nIndex >= nLength)
        return nLength;
    if (nCount > nLength - nIndex)
        nCount = nLength - nIndex;
    char* p = PrepareWrite(nLength, false);
    memmove(p + nIndex, p + nIndex + nCount, (size_t)(nLength - nIndex - nCount));
    SetLength(nLength - nCount);
    return nLength - nCount;
}

// ---------------------------------------------------------------------------
// Formatting. One backend: msvcrt's _vscprintf/_vsnprintf, so "%I64X",
// "%c" with a NUL and the rest behave as in any msvcrt program. An argument
// may point into this string: the old characters live until the result is
// complete.
// ---------------------------------------------------------------------------
void CString::AppendFormatArgs(LPCSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    va_list args;
    va_copy(args, argList);
    int n = _vscprintf(lpszFormat, args);
    va_end(args);
    if (n < 0)
        AfxThrowInvalidArgException();
    if (n == 0)
        return;
    int nOld = GetLength();
    if (n > INT_MAX - 64 - nOld)
        AfxThrowMemoryException();
    CStringData* pData = GetData();
    if (IsOwned(pData) && pData->nAllocLength >= nOld + n)
    {
        va_copy(args, argList);
        _vsnprintf(m_pchData + nOld, (size_t)n + 1, lpszFormat, args);
        va_end(args);
        SetLength(nOld + n);
        return;
    }
    CString piece;
    char* p = piece.PrepareWrite(n, false);
    va_copy(args, argList);
    _vsnprintf(p, (size_t)n + 1, lpszFormat, args);
    va_end(args);
    piece.SetLength(n);
    Append(piece);
}

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    CString result;
    result.AppendFormatArgs(lpszFormat, argList);
    *this = std::move(result);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list argList)
{
    AppendFormatArgs(lpszFormat, argList);
}

void AFX_CDECL CString::Format(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(strFormat, args);
    va_end(args);
}

void AFX_CDECL CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    AppendFormatArgs(lpszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::AppendFormat(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    AppendFormatArgs(strFormat, args);
    va_end(args);
}

void CString::FormatMessageV(LPCSTR lpszFormat, va_list* pArgList)
{
    LPSTR lpszTemp = NULL;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat,
                               0, 0, (LPSTR)&lpszTemp, 0, pArgList);
    if (n == 0 || lpszTemp == NULL)
    {
        if (lpszFormat != NULL && *lpszFormat == '\0')
        {
            Empty();
            return;
        }
        AfxThrowMemoryException();
    }
    AssignCopy(lpszTemp, (int)n);
    ::LocalFree(lpszTemp);
}

void AFX_CDECL CString::FormatMessage(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatMessageV(lpszFormat, &args);
    va_end(args);
}

void AFX_CDECL CString::FormatMessage(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatMessageV(strFormat, &args);
    va_end(args);
}

// ---------------------------------------------------------------------------
// String resources: read straight from the string table, so any length
// loads whole; UTF-16 in the table becomes the ANSI code page.
// ---------------------------------------------------------------------------
BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEA((nID >> 4) + 1), (LPCSTR)RT_STRING);
    return LoadString(hInst, nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    HRSRC hRes = ::FindResourceA(hInstance, MAKEINTRESOURCEA((nID >> 4) + 1), (LPCSTR)RT_STRING);
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInstance, hRes);
    const WORD* p = hGlobal ? (const WORD*)::LockResource(hGlobal) : NULL;
    if (p == NULL)
        return FALSE;
    const WORD* pEnd = p + ::SizeofResource(hInstance, hRes) / sizeof(WORD);
    for (UINT i = 0; i < (nID & 15); i++)
    {
        if (p >= pEnd)
            return FALSE;
        p += 1 + *p;
    }
    if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd)
        return FALSE;
    *this = CString((LPCWSTR)(p + 1), (int)*p);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Raw buffer access
// ---------------------------------------------------------------------------
LPSTR CString::GetBuffer()
{
    return PrepareWrite(GetLength(), false);
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        AfxThrowInvalidArgException();
    return PrepareWrite(std::max(nMinBufLength, GetLength()), false);
}

void CString::ReleaseBuffer(int nNewLength)
{
    CStringData* p = GetData();
    if (p->nAllocLength == 0)
    {
        if (nNewLength > 0)
            AfxThrowInvalidArgException();
        return;
    }
    if (p->nRefs > 1)
        p = (PrepareWrite(p->nDataLength, false), GetData());
    if (nNewLength == -1)
    {
        const char* pEnd = (const char*)memchr(m_pchData, '\0', (size_t)p->nAllocLength);
        nNewLength = pEnd ? (int)(pEnd - m_pchData) : p->nAllocLength;
    }
    if (nNewLength < 0 || nNewLength > p->nAllocLength)
        AfxThrowInvalidArgException();
    SetLength(nNewLength);
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    char* p = PrepareWrite(nNewLength, false);
    if (nNewLength == 0 && GetData()->nAllocLength == 0)
        return p;
    SetLength(nNewLength);
    return p;
}

void CString::FreeExtra()
{
    CStringData* p = GetData();
    if (!IsOwned(p) || p->nAllocLength == p->nDataLength)
        return;
    if (p->nDataLength == 0)
    {
        if (p->nRefs >= 0)
            Empty();
        return;
    }
    CStringData* pNew = (CStringData*)realloc(p, sizeof(CStringData) + (size_t)p->nDataLength + 1);
    if (pNew != NULL)
    {
        pNew->nAllocLength = pNew->nDataLength;
        m_pchData = pNew->data();
    }
}

void CString::Preallocate(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength > GetData()->nAllocLength || !IsOwned(GetData()))
        PrepareWrite(std::max(nLength, GetLength()), false);
}

LPSTR CString::LockBuffer()
{
    char* p = PrepareWrite(GetLength(), false);
    GetData()->nRefs = -1;
    return p;
}

void CString::UnlockBuffer()
{
    CStringData* p = GetData();
    if (p->nAllocLength != 0 && p->nRefs < 0)
        p->nRefs = 1;
}

// ---------------------------------------------------------------------------
// Conversions
// ---------------------------------------------------------------------------
BSTR CString::AllocSysString() const
{
    int nLength = GetLength();
    int n = nLength ? ::MultiByteToWideChar(CP_ACP, 0, m_pchData, nLength, NULL, 0) : 0;
    BSTR bstr = ::SysAllocStringLen(NULL, (UINT)n);
    if (bstr == NULL)
        AfxThrowMemoryException();
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, m_pchData, nLength, bstr, n);
    bstr[n] = 0;
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    BSTR bstr = AllocSysString();
    if (pbstr != NULL)
    {
        ::SysFreeString(*pbstr);
        *pbstr = bstr;
    }
    return bstr;
}

BOOL CString::GetEnvironmentVariable(LPCSTR pszVar)
{
    DWORD n = ::GetEnvironmentVariableA(pszVar, NULL, 0);
    if (n == 0)
    {
        Empty();
        return FALSE;
    }
    char* p = GetBuffer((int)n);
    DWORD nGot = ::GetEnvironmentVariableA(pszVar, p, n + 1);
    ReleaseBuffer(nGot <= n ? (int)nGot : 0);
    return TRUE;
}

void CString::AnsiToOem()
{
    int nLength = GetLength();
    if (nLength > 0)
    {
        char* p = PrepareWrite(nLength, false);
        ::CharToOemBuffA(p, p, (DWORD)nLength);
    }
}

void CString::OemToAnsi()
{
    int nLength = GetLength();
    if (nLength > 0)
    {
        char* p = PrepareWrite(nLength, false);
        ::OemToCharBuffA(p, p, (DWORD)nLength);
    }
}

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep)
{
    if (lpszFullString == NULL)
        return FALSE;
    while (iSubString-- > 0)
    {
        lpszFullString = strchr(lpszFullString, chSep);
        if (lpszFullString == NULL)
        {
            rString.Empty();
            return FALSE;
        }
        lpszFullString++;
    }
    LPCSTR pEnd = strchr(lpszFullString, chSep);
    int n = pEnd ? (int)(pEnd - lpszFullString) : (int)strlen(lpszFullString);
    rString = CString(lpszFullString, n);
    return TRUE;
}

// ---------------------------------------------------------------------------
// String-table texts with arguments
// ---------------------------------------------------------------------------
int AFXAPI AfxLoadString(UINT nIDS, LPSTR lpszBuf, UINT nMaxBuf)
{
    if (lpszBuf == NULL || nMaxBuf == 0)
        return 0;
    CString str;
    if (!str.LoadString(nIDS))
        str.Empty();
    int nLen = str.GetLength() < (int)nMaxBuf - 1 ? str.GetLength() : (int)nMaxBuf - 1;
    memcpy(lpszBuf, (LPCSTR)str, (size_t)nLen);
    lpszBuf[nLen] = '\0';
    return nLen;
}

void AFXAPI AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString)
{
    CString strResult;
    for (LPCSTR p = lpszFormat != NULL ? lpszFormat : ""; *p != '\0'; ++p) {
        int nArg = -1;
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9')
            nArg = p[1] - '1';
        else if (p[0] == '%' && p[1] >= 'A' && p[1] <= 'Z')
            nArg = 9 + (p[1] - 'A');
        else if (p[0] == '%' && p[1] == '0')
            nArg = nString;   // never an argument
        if (nArg < 0) {
            strResult += *p;
            continue;
        }
        ++p;
        if (nArg >= nString || rglpsz == NULL)
            strResult += '?';
        else if (rglpsz[nArg] != NULL)
            strResult += rglpsz[nArg];
    }
    rString = strResult;
}

void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCSTR const* rglpsz, int nString)
{
    CString strFormat;
    if (!strFormat.LoadString(nIDS))
        strFormat.Empty();
    AfxFormatStrings(rString, strFormat, rglpsz, nString);
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1)
{
    AfxFormatStrings(rString, nIDS, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2)
{
    LPCSTR rglpsz[2] = { lpsz1, lpsz2 };
    AfxFormatStrings(rString, nIDS, rglpsz, 2);
}
