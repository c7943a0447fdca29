// Formula.cpp - the request-address pieces and the percent-encoder.
#include "Formula.h"

#include <stdlib.h>
#include <algorithm>
#include <vector>

CFormula& CFormula::operator=(const CFormula& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

void CFormula::CopyFrom(const CFormula& other)
{
    m_aParts.Copy(other.m_aParts);
    m_aNames.Copy(other.m_aNames);
    m_aValues.Copy(other.m_aValues);
}

bool CFormula::operator==(CFormula& other)
{
    if (m_aParts.GetSize() != other.m_aParts.GetSize())
        return false;
    for (INT_PTR i = 0; i < m_aParts.GetSize(); i++)
        if (m_aParts[i] != other.m_aParts[i])
            return false;
    SortParameters();
    other.SortParameters();
    if (m_aNames.GetSize() != other.m_aNames.GetSize())
        return false;
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++)
        if (m_aNames[i] != other.m_aNames[i] || m_aValues[i] != other.m_aValues[i])
            return false;
    return true;
}

// ---------------------------------------------------------------------------
// Percent-encoding
// ---------------------------------------------------------------------------

// Bytes that travel as an escape. The escapes of "%" and "+" come first so that
// a "+" standing for a space stays apart from a literal "+"; "#" would cut the
// request at a fragment, and control bytes and every byte from 0x80 up (all of
// code page 1251's letters, not only the small Cyrillic ones) have no place
// raw in an address.
static bool NeedsEscape(BYTE by)
{
    if (by < 0x20 || by >= 0x80)
        return true;
    switch (by) {
    case '%': case '+': case '&': case '=': case '?': case '.': case '\'':
    case '"': case '<': case '>': case '#':
        return true;
    }
    return false;
}

static const char s_szHexDigits[] = "0123456789ABCDEF";

CString CFormula::Encode(LPCSTR pszText)
{
    int nLength = CString::StringLength(pszText);
    CString sResult;
    char* pOut = sResult.GetBuffer(nLength * 3);
    int n = 0;
    for (int i = 0; i < nLength; i++) {
        BYTE by = (BYTE)pszText[i];
        if (by == ' ') {
            pOut[n++] = '+';
        } else if (NeedsEscape(by)) {
            pOut[n++] = '%';
            pOut[n++] = s_szHexDigits[by >> 4];
            pOut[n++] = s_szHexDigits[by & 0x0F];
        } else {
            pOut[n++] = (char)by;
        }
    }
    sResult.ReleaseBuffer(n);
    return sResult;
}

int CFormula::HexDigitValue(BYTE by)
{
    // '0' gives 0 along with every byte that is no digit at all.
    if (by >= '1' && by <= '9')
        return by - '0';
    if (by >= 'A' && by <= 'F')
        return by - 'A' + 10;
    if (by >= 'a' && by <= 'f')
        return by - 'a' + 10;
    return 0;
}

// Decodes into pOut (room for nLength bytes); returns the count. A "%" with
// fewer than two bytes after it is copied as it stands instead of reading past
// the end of the text.
static int DecodeInto(LPCSTR pszText, int nLength, BYTE* pOut)
{
    int n = 0;
    for (int i = 0; i < nLength; i++) {
        BYTE by = (BYTE)pszText[i];
        if (by == '%' && i + 2 < nLength) {
            pOut[n++] = (BYTE)(CFormula::HexDigitValue((BYTE)pszText[i + 1]) * 16 +
                               CFormula::HexDigitValue((BYTE)pszText[i + 2]));
            i += 2;
        } else {
            pOut[n++] = by;
        }
    }
    return n;
}

CString CFormula::Decode(LPCSTR pszText)
{
    int nLength = CString::StringLength(pszText);
    std::vector<BYTE> buffer(nLength + 1);
    int n = DecodeInto(pszText, nLength, buffer.data());
    // A decoded zero byte ends the text, as it would a C string.
    const BYTE* pEnd = std::find(buffer.data(), buffer.data() + n, (BYTE)0);
    return CString((LPCSTR)buffer.data(), (int)(pEnd - buffer.data()));
}

BYTE* CFormula::DecodeToBytes(LPCSTR pszText, int& nSize)
{
    int nLength = CString::StringLength(pszText);
    BYTE* pBytes = (BYTE*)malloc(nLength > 0 ? nLength : 1);
    if (!pBytes)
        AfxThrowMemoryException();
    nSize = DecodeInto(pszText, nLength, pBytes);
    return pBytes;
}

CString CFormula::ByteToHex(BYTE by)
{
    char sz[4] = {'%', s_szHexDigits[by >> 4], s_szHexDigits[by & 0x0F], 0};
    return CString(sz);
}

CString CFormula::BytesToHex(const BYTE* pBytes, int nCount)
{
    CString sResult;
    if (nCount <= 0)
        return sResult;
    char* pOut = sResult.GetBuffer(nCount * 3);
    for (int i = 0; i < nCount; i++) {
        pOut[i * 3] = '%';
        pOut[i * 3 + 1] = s_szHexDigits[pBytes[i] >> 4];
        pOut[i * 3 + 2] = s_szHexDigits[pBytes[i] & 0x0F];
    }
    sResult.ReleaseBuffer(nCount * 3);
    return sResult;
}

bool CFormula::HasNoInnerNul(const BYTE* pBytes, int nCount)
{
    for (int i = 0; i + 1 < nCount; i++)
        if (pBytes[i] == 0)
            return false;
    return true;
}

CString CFormula::StatsKeyword(LPCSTR pszKeyword)
{
    // Lower-cased through the ANSI code page, so that Cyrillic capitals fold
    // as well under code page 1251.
    CString sKeyword(pszKeyword);
    sKeyword.MakeLower();
    return Encode(sKeyword);
}

CString CFormula::StatsRequestPath(LPCSTR pszKeyword, LPCSTR pszPage)
{
    CString sPath("/stats?&q=");
    sPath += StatsKeyword(pszKeyword);
    sPath += "&sf=";
    if (pszPage && *pszPage) {
        sPath += pszPage;
        sPath += "00";
    }
    return sPath;
}

// ---------------------------------------------------------------------------
// Address text
// ---------------------------------------------------------------------------

// "+" stands for a space in a query; the escapes are then taken back.
static CString DecodeQueryPiece(const CString& sPiece)
{
    CString s(sPiece);
    s.Replace('+', ' ');
    return CFormula::Decode(s);
}

void CFormula::Parse(LPCSTR pszText)
{
    m_aParts.RemoveAll();
    m_aNames.RemoveAll();
    m_aValues.RemoveAll();

    CString sText(pszText);
    int nQuery = sText.Find('?');
    CString sPath = nQuery < 0 ? sText : sText.Left(nQuery);
    int nStart = 0;
    while (nStart <= sPath.GetLength()) {
        int nDot = sPath.Find('.', nStart);
        int nEnd = nDot < 0 ? sPath.GetLength() : nDot;
        if (nEnd > nStart)
            m_aParts.Add(sPath.Mid(nStart, nEnd - nStart));
        if (nDot < 0)
            break;
        nStart = nDot + 1;
    }

    if (nQuery < 0)
        return;
    // Pairs are the "&"-separated pieces after the first "?"; a piece without
    // "=" ends the reading.
    CString sQuery = sText.Mid(nQuery + 1);
    int nPos = 0;
    for (;;) {
        int nAmp = sQuery.Find('&', nPos);
        int nEnd = nAmp < 0 ? sQuery.GetLength() : nAmp;
        CString sPiece = sQuery.Mid(nPos, nEnd - nPos);
        int nEquals = sPiece.Find('=');
        if (nEquals < 0)
            break;
        CString sName = DecodeQueryPiece(sPiece.Left(nEquals));
        if (!sName.IsEmpty()) {
            m_aNames.Add(sName);
            m_aValues.Add(DecodeQueryPiece(sPiece.Mid(nEquals + 1)));
        }
        if (nAmp < 0)
            break;
        nPos = nAmp + 1;
    }
}

CString CFormula::GetPath() const
{
    CString sPath;
    for (INT_PTR i = 0; i < m_aParts.GetSize(); i++) {
        if (i > 0)
            sPath += '.';
        sPath += m_aParts[i];
    }
    return sPath;
}

CString CFormula::GetUrl() const
{
    CString sUrl = GetPath();
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++) {
        sUrl += i == 0 ? '?' : '&';
        sUrl += Encode(m_aNames[i]);
        sUrl += '=';
        sUrl += Encode(m_aValues[i]);
    }
    return sUrl;
}

CString CFormula::GetPart(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_aParts.GetSize())
        return CString();
    return m_aParts[nIndex];
}

CString& CFormula::PartAt(int nIndex)
{
    if (nIndex < 0) {
        m_sScratch.Empty();
        return m_sScratch;
    }
    while (m_aParts.GetSize() <= nIndex)
        m_aParts.Add(CString());
    return m_aParts.ElementAt(nIndex);
}

CFormula CFormula::WithoutFirstParts(int nCount) const
{
    CFormula result(*this);
    if (nCount > 0)
        result.m_aParts.RemoveAt(0, std::min<INT_PTR>(nCount, result.m_aParts.GetSize()));
    return result;
}

// ---------------------------------------------------------------------------
// Parameters
// ---------------------------------------------------------------------------

CString CFormula::GetValue(LPCSTR pszName, int nOccurrence) const
{
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++)
        if (m_aNames[i] == pszName && nOccurrence-- == 0)
            return m_aValues[i];
    return CString();
}

CString& CFormula::ParameterAt(LPCSTR pszName)
{
    if (!pszName || !*pszName) {
        m_sScratch.Empty();
        return m_sScratch;
    }
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++)
        if (m_aNames[i] == pszName)
            return m_aValues.ElementAt(i);
    AddParameter(pszName, "");
    return m_aValues.ElementAt(m_aValues.GetSize() - 1);
}

void CFormula::AddParameter(LPCSTR pszName, LPCSTR pszValue)
{
    m_aNames.Add(pszName);
    m_aValues.Add(pszValue);
}

void CFormula::RemoveParameter(LPCSTR pszName)
{
    for (INT_PTR i = m_aNames.GetSize() - 1; i >= 0; i--)
        if (m_aNames[i] == pszName) {
            m_aNames.RemoveAt(i);
            m_aValues.RemoveAt(i);
        }
}

void CFormula::GetStringList(LPCSTR pszName, CStringArray& aValues) const
{
    aValues.RemoveAll();
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++)
        if (m_aNames[i] == pszName)
            aValues.Add(m_aValues[i]);
}

void CFormula::SetStringList(LPCSTR pszName, const CStringArray& aValues)
{
    RemoveParameter(pszName);
    for (INT_PTR i = 0; i < aValues.GetSize(); i++)
        AddParameter(pszName, aValues[i]);
}

void CFormula::GetIntList(LPCSTR pszName, CArray<int, int>& aValues) const
{
    aValues.RemoveAll();
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++)
        if (m_aNames[i] == pszName)
            aValues.Add(atoi(m_aValues[i]));
}

void CFormula::SetIntList(LPCSTR pszName, const CArray<int, int>& aValues)
{
    RemoveParameter(pszName);
    for (INT_PTR i = 0; i < aValues.GetSize(); i++) {
        CString sValue;
        sValue.Format("%d", aValues[i]);
        AddParameter(pszName, sValue);
    }
}

BYTE* CFormula::GetBinary(LPCSTR pszName, int& nSize) const
{
    nSize = 0;
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++)
        if (m_aNames[i] == pszName)
            return DecodeToBytes(m_aValues[i], nSize);
    return NULL;
}

void CFormula::SetBinary(LPCSTR pszName, const BYTE* pBytes, int nCount)
{
    RemoveParameter(pszName);
    AddParameter(pszName, BytesToHex(pBytes, nCount));
}

int CFormula::CountNames() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++) {
        INT_PTR j = 0;
        while (j < i && m_aNames[j] != m_aNames[i])
            j++;
        if (j == i)
            nCount++;
    }
    return nCount;
}

CString CFormula::GetName(int nIndex) const
{
    for (INT_PTR i = 0; i < m_aNames.GetSize(); i++) {
        INT_PTR j = 0;
        while (j < i && m_aNames[j] != m_aNames[i])
            j++;
        if (j == i && nIndex-- == 0)
            return m_aNames[i];
    }
    return CString();
}

void CFormula::SortParameters()
{
    // Pairs of equal names keep their order of addition.
    std::vector<INT_PTR> order(m_aNames.GetSize());
    for (size_t i = 0; i < order.size(); i++)
        order[i] = (INT_PTR)i;
    std::stable_sort(order.begin(), order.end(), [this](INT_PTR a, INT_PTR b) {
        return m_aNames[a].Compare(m_aNames[b]) < 0;
    });
    CStringArray aNames, aValues;
    aNames.SetSize((INT_PTR)order.size());
    aValues.SetSize((INT_PTR)order.size());
    for (size_t i = 0; i < order.size(); i++) {
        aNames[(INT_PTR)i] = m_aNames[order[i]];
        aValues[(INT_PTR)i] = m_aValues[order[i]];
    }
    m_aNames.Copy(aNames);
    m_aValues.Copy(aValues);
}
