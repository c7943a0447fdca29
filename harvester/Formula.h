// Formula.h - CFormula: a request address held in pieces (the dot-separated
// parts of its path and its query parameters as name/value pairs), and the
// percent-encoder that every keyword of the program goes through.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <afxtempl.h>

class CFormula
{
public:
    CFormula() {}
    explicit CFormula(LPCSTR pszText) { Parse(pszText); }
    CFormula(const CFormula& other) { CopyFrom(other); }
    CFormula& operator=(const CFormula& other);
    virtual ~CFormula() {}

    // Equal parts in order and, once both sides have their pairs ordered by
    // SortParameters (both are left ordered), equal pairs one by one.
    bool operator==(CFormula& other);
    bool operator!=(CFormula& other) { return !(*this == other); }

    // The percent-encoder and its helpers. Encoding is byte-wise over code
    // page 1251 text; the request and the next-page link in the page must come
    // out byte-identical, so both go through Encode.
    static CString Encode(LPCSTR pszText);
    static CString Decode(LPCSTR pszText);
    // malloc'ed block of the decoded bytes (no terminator), its size in
    // nSize; the caller frees it.
    static BYTE* DecodeToBytes(LPCSTR pszText, int& nSize);
    static CString ByteToHex(BYTE by);
    static CString BytesToHex(const BYTE* pBytes, int nCount);
    static int HexDigitValue(BYTE by);
    static bool HasNoInnerNul(const BYTE* pBytes, int nCount);

    // The path and query of one statistics request: "/stats?&q=", the
    // keyword lower-cased and encoded, "&sf=" and the page offset (the page
    // text followed by "00", nothing for the first page's empty text).
    static CString StatsKeyword(LPCSTR pszKeyword);
    static CString StatsRequestPath(LPCSTR pszKeyword, LPCSTR pszPage);

    void Parse(LPCSTR pszText);
    void SetText(LPCSTR pszText) { Parse(pszText); }
    CString GetUrl() const;
    CString GetPath() const;

    CString GetPart(int nIndex) const;
    CString& PartAt(int nIndex);
    bool HasParts() const { return m_aParts.GetSize() > 0; }
    CFormula WithoutFirstParts(int nCount) const;

    CString GetValue(LPCSTR pszName, int nOccurrence = 0) const;
    CString& ParameterAt(LPCSTR pszName);
    void AddParameter(LPCSTR pszName, LPCSTR pszValue);
    void GetStringList(LPCSTR pszName, CStringArray& aValues) const;
    void SetStringList(LPCSTR pszName, const CStringArray& aValues);
    void GetIntList(LPCSTR pszName, CArray<int, int>& aValues) const;
    void SetIntList(LPCSTR pszName, const CArray<int, int>& aValues);
    // DecodeToBytes of the first value of that name, or NULL (nSize 0).
    BYTE* GetBinary(LPCSTR pszName, int& nSize) const;
    void SetBinary(LPCSTR pszName, const BYTE* pBytes, int nCount);
    int CountNames() const;
    CString GetName(int nIndex) const;
    void SortParameters();

protected:
    void CopyFrom(const CFormula& other);
    void RemoveParameter(LPCSTR pszName);

    CStringArray m_aParts;
    CStringArray m_aNames;
    CStringArray m_aValues;
    CString m_sScratch;
};
