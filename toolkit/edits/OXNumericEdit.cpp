#include "OXNumericEdit.h"

#include <algorithm>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

const char* const g_negativeNumberFormats[] = {"(1.1)", "-1.1", "- 1.1", "1.1-", "1.1 -"};
const char* const g_positiveCurrencyFormats[] = {"$1.1", "1.1$", "$ 1.1", "1.1 $"};
const char* const g_negativeCurrencyFormats[] = {
    "($1.1)", "-$1.1", "$-1.1", "$1.1-", "(1.1$)", "-1.1$", "1.1-$", "1.1$-",
    "-1.1 $", "-$ 1.1", "1.1 $-", "$ 1.1-", "$ -1.1", "1.1- $", "($ 1.1)", "(1.1 $)"};

BOOL IsDigit(char ch)
{
    return (BYTE)ch >= '0' && (BYTE)ch <= '9';
}

// Separators compare without regard to case; bytes of 0x80 and above (the
// no-break space that groups digits in code page 1251) go through unsigned
// char.
BOOL SameChar(char a, char b)
{
    return ::CharLowerA((LPSTR)(UINT_PTR)(BYTE)a) == ::CharLowerA((LPSTR)(UINT_PTR)(BYTE)b);
}

CString ReadLocaleText(LCID lcid, LCTYPE type)
{
    int nSize = ::GetLocaleInfoA(lcid, type, NULL, 0);
    if (nSize <= 0)
        return CString();
    CString sText;
    ::GetLocaleInfoA(lcid, type, sText.GetBuffer(nSize), nSize);
    sText.ReleaseBuffer();
    return sText;
}

// A member follows the locale only while it still holds the locale's last
// value; the copy always takes the new value.
void FollowChar(char& member, char* copy, const CString& text)
{
    if (text.IsEmpty())
        return;
    if (SameChar(member, copy[0]))
        member = text[0];
    copy[0] = text[0];
    copy[1] = 0;
}

void FollowInt(int& member, int& copy, int value)
{
    if (member == copy)
        member = value;
    copy = value;
}

void FollowFormat(CString& member, CString& copy, const CString& code, const char* const* table, int nCount)
{
    if (code.IsEmpty())
        return;
    int n = atoi(code);
    if (n < 0 || n >= nCount)
        return;
    if (member.CompareNoCase(copy) == 0)
        member = table[n];
    copy = table[n];
}

}  // namespace

COXNumberLocale COXNumberLocale::Read(BOOL bCurrency, LCID lcid)
{
    COXNumberLocale loc;
    loc.sDecimal = ReadLocaleText(lcid, bCurrency ? LOCALE_SMONDECIMALSEP : LOCALE_SDECIMAL);
    loc.sGroup = ReadLocaleText(lcid, bCurrency ? LOCALE_SMONTHOUSANDSEP : LOCALE_STHOUSAND);
    loc.sLeadingZero = ReadLocaleText(lcid, LOCALE_ILZERO);
    loc.sGrouping = ReadLocaleText(lcid, bCurrency ? LOCALE_SMONGROUPING : LOCALE_SGROUPING);
    loc.sDigits = ReadLocaleText(lcid, bCurrency ? LOCALE_ICURRDIGITS : LOCALE_IDIGITS);
    if (bCurrency) {
        loc.sCurrency = ReadLocaleText(lcid, LOCALE_SCURRENCY);
        loc.sPositive = ReadLocaleText(lcid, LOCALE_ICURRENCY);
    }
    loc.sNegative = ReadLocaleText(lcid, bCurrency ? LOCALE_INEGCURR : LOCALE_INEGNUMBER);
    return loc;
}

IMPLEMENT_DYNCREATE(COXNumericEdit, COXEdit)

BEGIN_MESSAGE_MAP(COXNumericEdit, COXEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

COXNumericEdit::COXNumericEdit()
    : m_chGroupSeparator(','),
      m_nGroupLength(3),
      m_chDecimalSeparator('.'),
      m_bShowLeadingZero(TRUE),
      m_nFractionalDigitCount(2),
      m_nMaxIntegerDigitCount(-1),
      m_sFormatNegative("-1.1"),
      m_sFormatPositive("1.1"),
      m_clrNegativeText(m_clrText),
      m_dValue(0),
      m_bNegative(FALSE),
      m_bAcceptPeriod(TRUE),
      m_nLocaleGroupLength(3),
      m_bLocaleShowLeadingZero(TRUE),
      m_nLocaleFractionalDigitCount(2),
      m_nLocaleMaxIntegerDigitCount(-1),
      m_sLocaleFormatNegative("-1.1"),
      m_sLocaleFormatPositive("1.1"),
      m_sCurrencySymbol("$"),
      m_sLocaleCurrencySymbol("$")
{
    strcpy(m_szLocaleGroupSeparator, ",");
    strcpy(m_szLocaleDecimalSeparator, ".");
    // The base built its model before this class's rules existed.
    SetMask(m_sMask);
}

// ---------------------------------------------------------------------------
// Locale
// ---------------------------------------------------------------------------

BOOL COXNumericEdit::GetLocaleSettings()
{
    ApplyLocale(COXNumberLocale::Read(FALSE), FALSE);
    return TRUE;
}

void COXNumericEdit::ApplyLocale(const COXNumberLocale& loc, BOOL bCurrency)
{
    char chOldDecimal = m_chDecimalSeparator;
    FollowChar(m_chDecimalSeparator, m_szLocaleDecimalSeparator, loc.sDecimal);
    FollowChar(m_chGroupSeparator, m_szLocaleGroupSeparator, loc.sGroup);
    if (!loc.sLeadingZero.IsEmpty()) {
        int nMember = m_bShowLeadingZero ? 1 : 0, nCopy = m_bLocaleShowLeadingZero ? 1 : 0;
        FollowInt(nMember, nCopy, atoi(loc.sLeadingZero) != 0);
        m_bShowLeadingZero = nMember;
        m_bLocaleShowLeadingZero = nCopy;
    }
    int nEnd = loc.sGrouping.Find(";0");
    if (nEnd >= 0)
        FollowInt(m_nGroupLength, m_nLocaleGroupLength, atoi(loc.sGrouping.Left(nEnd)));
    if (!loc.sDigits.IsEmpty())
        FollowInt(m_nFractionalDigitCount, m_nLocaleFractionalDigitCount, atoi(loc.sDigits));
    if (bCurrency) {
        if (!loc.sCurrency.IsEmpty()) {
            if (m_sCurrencySymbol.CompareNoCase(m_sLocaleCurrencySymbol) == 0)
                m_sCurrencySymbol = loc.sCurrency;
            m_sLocaleCurrencySymbol = loc.sCurrency;
        }
        FollowFormat(m_sFormatPositive, m_sLocaleFormatPositive, loc.sPositive, g_positiveCurrencyFormats, 4);
        FollowFormat(m_sFormatNegative, m_sLocaleFormatNegative, loc.sNegative, g_negativeCurrencyFormats, 16);
    } else {
        FollowFormat(m_sFormatNegative, m_sLocaleFormatNegative, loc.sNegative, g_negativeNumberFormats, 5);
    }
    // The input keeps its number: a new decimal separator replaces the old one
    // in place instead of being dropped by the next normalisation.
    if (chOldDecimal != m_chDecimalSeparator)
        m_arrInputData.Replace(chOldDecimal, m_chDecimalSeparator);
    Reenter([] {});
}

// ---------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------

CString COXNumericEdit::GetInputData() const
{
    CString sInput = m_arrInputData;
    if (m_nGroupLength > 0)
        sInput.Remove(m_chGroupSeparator);
    return sInput;
}

void COXNumericEdit::DeleteContents()
{
    COXEdit::DeleteContents();
    m_dValue = 0;
}

BOOL COXNumericEdit::IsInputPosition(int nPos) const
{
    if (!COXEdit::IsInputPosition(nPos))
        return FALSE;
    char ch = m_arrInputData[nPos - LeftCount()];
    return ch != m_chDecimalSeparator && !(m_nGroupLength > 0 && ch == m_chGroupSeparator);
}

int COXNumericEdit::ValidateInput()
{
    const int nOldLength = m_arrInputData.GetLength();
    const char chDec = m_chDecimalSeparator;

    // 1. digits, the rightmost decimal separator and a leading minus
    CString s;
    BOOL bMinus = FALSE, bSeparator = FALSE;
    for (int i = m_arrInputData.GetLength() - 1; i >= 0; --i) {
        char ch = m_arrInputData[i];
        if (IsDigit(ch))
            s.Insert(0, ch);
        else if (ch == '-' && i == 0)
            bMinus = TRUE;
        else if (ch == chDec && !bSeparator) {
            s.Insert(0, ch);
            bSeparator = TRUE;
        }
    }
    BOOL bChanged = FALSE;
    auto integerDigits = [&] { int n = s.Find(chDec); return n < 0 ? s.GetLength() : n; };
    auto fractionDigits = [&] { int n = s.Find(chDec); return n < 0 ? 0 : s.GetLength() - n - 1; };

    // 3. leading zeros
    while (s.GetLength() > 0 && s[0] == '0' && integerDigits() > 1)
        s.Delete(0);
    // 4. surplus fraction digits
    if (fractionDigits() > m_nFractionalDigitCount) {
        s.Delete(s.GetLength() - (fractionDigits() - m_nFractionalDigitCount), fractionDigits() - m_nFractionalDigitCount);
        bChanged = TRUE;
    }
    // 5. surplus integer digits: the highest go
    if (m_nMaxIntegerDigitCount != -1 && s.GetLength() > 0 && s[0] != '0' && integerDigits() > m_nMaxIntegerDigitCount) {
        s.Delete(0, integerDigits() - m_nMaxIntegerDigitCount);
        bChanged = TRUE;
    }
    if (m_nFractionalDigitCount > 0) {
        // 6. the separator, the fraction zeros and the leading zero
        if (s.Find(chDec) < 0)
            s += chDec;
        while (fractionDigits() < m_nFractionalDigitCount)
            s += '0';
        if (integerDigits() == 1 && s[0] == '0' && !m_bShowLeadingZero)
            s.Delete(0);
        else if (integerDigits() == 0 && m_bShowLeadingZero)
            s.Insert(0, '0');
    } else {
        // 7. integers only
        int n = s.Find(chDec);
        if (n >= 0)
            s.Delete(n);
        if (s.IsEmpty() && m_bShowLeadingZero)
            s = "0";
    }
    // 8. group separators
    if (m_nGroupLength > 0) {
        int nDigits = 0;
        for (int i = integerDigits() - 1; i > 0; --i) {
            if (++nDigits == m_nGroupLength) {
                s.Insert(i, m_chGroupSeparator);
                nDigits = 0;
                bChanged = TRUE;
            }
        }
    }
    m_arrInputData = s;
    // 9. the sign shows through the literals
    SetNegative(bMinus ? TRUE : m_bNegative);
    if (bChanged)
        RefreshText(-1);
    // 11. the value
    CString sNumber = GetInputData();
    sNumber.Replace(chDec, '.');
    double d = strtod(sNumber, NULL);
    m_dValue = m_bNegative ? -d : d;
    return m_arrInputData.GetLength() - nOldLength;
}

void COXNumericEdit::SplitMask(CString& sLeft, CString& sRight) const
{
    int n = m_sMask.Find('#');
    sLeft = n < 0 ? m_sMask : m_sMask.Left(n);
    sRight = n < 0 ? CString() : m_sMask.Mid(n + 1);
}

int COXNumericEdit::SetNegative(BOOL bNegative)
{
    const int nOldLeft = LeftCount();
    m_bNegative = bNegative;
    CString sMaskLeft, sMaskRight;
    SplitMask(sMaskLeft, sMaskRight);
    const CString& sFormat = bNegative ? m_sFormatNegative : m_sFormatPositive;
    int n = sFormat.Find("1.1");
    m_arrLeftLiterals = sMaskLeft + sFormat.Left(n);
    m_arrRightLiterals = sFormat.Mid(n + 3) + sMaskRight;
    AdjustLiterals();
    RefreshText(-1);
    m_dValue = bNegative ? -fabs(m_dValue) : fabs(m_dValue);
    return LeftCount() - nOldLeft;
}

BOOL COXNumericEdit::SetPositiveFormat(LPCTSTR pszFormat)
{
    if (pszFormat == NULL || strstr(pszFormat, "1.1") == NULL)
        return FALSE;
    m_sFormatPositive = pszFormat;
    SetNegative(m_bNegative);
    return TRUE;
}

BOOL COXNumericEdit::SetNegativeFormat(LPCTSTR pszFormat)
{
    if (pszFormat == NULL || strstr(pszFormat, "1.1") == NULL)
        return FALSE;
    m_sFormatNegative = pszFormat;
    SetNegative(m_bNegative);
    return TRUE;
}

int COXNumericEdit::ProcessChar(int nPos, char ch, BOOL bReplace)
{
    const int L = LeftCount();
    const BOOL bDigit = IsDigit(ch);
    const BOOL bSeparator = ch == m_chDecimalSeparator || (m_bAcceptPeriod && ch == '.');
    if (!bDigit && !bSeparator && ch != '-')
        return -1;
    if (ch == '-')
        return SetNegative(!m_bNegative) + nPos - 1;

    const int nSep = m_arrInputData.Find(m_chDecimalSeparator);
    if (bSeparator) {
        if (m_nFractionalDigitCount == 0)
            return -1;
        if (nSep >= 0)
            return L + nSep;
        m_arrInputData += m_chDecimalSeparator;
        Validate();
        RefreshText(-1);
        return L + m_arrInputData.Find(m_chDecimalSeparator);
    }

    const int nIndex = nPos - L;
    const int N = m_arrInputData.GetLength();
    if (nIndex == 0 && N > 0) {
        if (ch == '0' && IsInputPosition(nPos)) {
            if (!bReplace)
                return -1;
            m_arrInputData.Delete(0);
            Validate();
            RefreshText(-1);
            return (m_arrInputData.GetLength() > 0 &&
                    (m_arrInputData[0] == '0' || m_arrInputData[0] == m_chDecimalSeparator)) ? nPos : -1;
        }
        if (bReplace)
            return m_arrInputData[0] == m_chDecimalSeparator ? COXEdit::InsertAt(nPos, ch) : COXEdit::SetAt(nPos, ch);
        if (m_arrInputData[0] == '0')
            return COXEdit::SetAt(nPos, ch);
    } else if (bReplace) {
        if (nPos >= L + N)
            return COXEdit::SetAt(nPos - 1, ch);
        return COXEdit::SetAt(nPos, ch);
    }

    // insert mode
    if (nSep < 0 && GetInputData() == "0")
        return COXEdit::SetAt(nPos - 1, ch);
    if (nSep >= 0 && nIndex > nSep) {
        int nFraction = N - nSep - 1;
        if (nFraction < m_nFractionalDigitCount)
            return COXEdit::InsertAt(nPos, ch);
        return COXEdit::SetAt(nPos >= L + N ? nPos - 1 : nPos, ch);
    }
    int nInteger = 0;
    for (int i = 0; i < (nSep < 0 ? N : nSep); ++i)
        if (IsDigit(m_arrInputData[i]))
            ++nInteger;
    if (m_nMaxIntegerDigitCount == -1 || nInteger < m_nMaxIntegerDigitCount)
        return COXEdit::InsertAt(nPos, ch);
    return COXEdit::SetAt(nPos, ch);
}

int COXNumericEdit::GroupCountBefore(int nPos) const
{
    int nCount = 0;
    if (m_nGroupLength <= 0)
        return 0;
    for (int i = 0; i < nPos - LeftCount() && i < m_arrInputData.GetLength(); ++i)
        if (m_arrInputData[i] == m_chGroupSeparator)
            ++nCount;
    return nCount;
}

int COXNumericEdit::DeleteRange(int& nStart, int& nEnd)
{
    const int L = LeftCount();
    nStart = GetNextInsertPosition(nStart);
    const int nGroupsBefore = GroupCountBefore(nStart);
    const int nSep = m_arrInputData.Find(m_chDecimalSeparator);
    int nCount;
    if (nSep < 0 || L + nSep < nStart || L + nSep >= nEnd) {
        nCount = COXEdit::DeleteRange(nStart, nEnd);
    } else {
        // the separator stays: the parts after and before it go separately
        const BOOL bWhole = nStart <= L && nEnd >= L + m_arrInputData.GetLength();
        int a = L + nSep + 1, b = nEnd;
        nCount = COXEdit::DeleteRange(a, b);
        int c = nStart, d = L + nSep;
        nCount += COXEdit::DeleteRange(c, d);
        if (bWhole && m_bNegative)
            SetNegative(FALSE);
    }
    if (nCount > 0)
        Validate();
    const int nDelta = GroupCountBefore(nStart) - nGroupsBefore;
    nStart = std::max(0, nStart + nDelta);
    nEnd = std::max(0, nEnd + nDelta);
    return nCount;
}

// ---------------------------------------------------------------------------
// Settings
// ---------------------------------------------------------------------------

BOOL COXNumericEdit::SetGroupSeparator(char ch)
{
    if (ch == 0 || IsDigit(ch) || ch == '-' || ch == m_chDecimalSeparator)
        return FALSE;
    if (ch == m_chGroupSeparator)
        return TRUE;
    // the input still holds the old separator; the new one replaces it
    m_arrInputData.Replace(m_chGroupSeparator, ch);
    return Reenter([&] { m_chGroupSeparator = ch; });
}

BOOL COXNumericEdit::SetGroupLength(int nLength)
{
    if (nLength < 0)
        return FALSE;
    if (nLength == m_nGroupLength)
        return TRUE;
    return Reenter([&] { m_nGroupLength = nLength; });
}

BOOL COXNumericEdit::SetFractionalDigitCount(int nCount)
{
    if (nCount < 0)
        return FALSE;
    if (nCount == m_nFractionalDigitCount)
        return TRUE;
    return Reenter([&] { m_nFractionalDigitCount = nCount; });
}

BOOL COXNumericEdit::SetMaxIntegerDigitCount(int nCount)
{
    if (nCount < -1)
        return FALSE;
    if (nCount == m_nMaxIntegerDigitCount)
        return TRUE;
    return Reenter([&] { m_nMaxIntegerDigitCount = nCount; });
}

void COXNumericEdit::SetShowLeadingZero(BOOL bShow)
{
    if (bShow == m_bShowLeadingZero)
        return;
    Reenter([&] { m_bShowLeadingZero = bShow; });
}

BOOL COXNumericEdit::SetDecimalSeparator(char ch)
{
    if (ch == 0 || IsDigit(ch) || ch == '-' || ch == m_chGroupSeparator)
        return FALSE;
    m_arrInputData.Replace(m_chDecimalSeparator, ch);
    m_chDecimalSeparator = ch;
    RefreshText(-1);
    return TRUE;
}

void COXNumericEdit::SetNegativeTextColor(COLORREF clr, BOOL bRedraw)
{
    if (clr == m_clrNegativeText)
        return;
    m_clrNegativeText = clr;
    if (bRedraw && m_bNegative && m_hWnd)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The value becomes the number the text shows (rounded to the fraction
// digits, cut to the integer digits), never the one given: what is read back
// is what the user saw.
BOOL COXNumericEdit::SetValue(double dValue)
{
    const BOOL bNegative = dValue < 0;
    CString sText;
    sText.Format("%.*f", m_nFractionalDigitCount, fabs(dValue));
    sText.Replace('.', m_chDecimalSeparator);
    if (bNegative)
        sText.Insert(0, '-');
    m_bNegative = bNegative;
    EmptyData(TRUE);
    COXEdit::SetInputData(sText, 0);
    SetNegative(bNegative);
    return TRUE;
}

HBRUSH COXNumericEdit::CtlColor(CDC* pDC, UINT nCtlColor)
{
    HBRUSH hBrush = COXEdit::CtlColor(pDC, nCtlColor);
    if (m_bNegative)
        pDC->SetTextColor(m_clrNegativeText);
    return hBrush;
}

// ---------------------------------------------------------------------------
// Currency
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COXCurrencyEdit, COXNumericEdit)

COXCurrencyEdit::COXCurrencyEdit()
{
    m_sFormatNegative = m_sLocaleFormatNegative = "($1.1)";
    m_sFormatPositive = m_sLocaleFormatPositive = "$1.1";
    SetNegative(m_bNegative);
}

BOOL COXCurrencyEdit::GetLocaleSettings()
{
    ApplyLocale(COXNumberLocale::Read(TRUE), TRUE);
    return TRUE;
}

void COXCurrencyEdit::AdjustLiterals()
{
    const CString& sFormat = m_bNegative ? m_sFormatNegative : m_sFormatPositive;
    int nDollar = sFormat.Find('$');
    int nNumber = sFormat.Find("1.1");
    if (nDollar < 0)
        return;
    CString sMaskLeft, sMaskRight;
    SplitMask(sMaskLeft, sMaskRight);
    if (nDollar < nNumber) {
        int n = nDollar + sMaskLeft.GetLength();
        m_arrLeftLiterals.Delete(n);
        m_arrLeftLiterals.Insert(n, m_sCurrencySymbol);
    } else {
        int n = nDollar - (nNumber + 3);
        m_arrRightLiterals.Delete(n);
        m_arrRightLiterals.Insert(n, m_sCurrencySymbol);
    }
}

BOOL COXCurrencyEdit::SetPositiveFormat(LPCTSTR pszFormat)
{
    if (pszFormat == NULL || strchr(pszFormat, '$') == NULL)
        return FALSE;
    return COXNumericEdit::SetPositiveFormat(pszFormat);
}

BOOL COXCurrencyEdit::SetNegativeFormat(LPCTSTR pszFormat)
{
    if (pszFormat == NULL || strchr(pszFormat, '$') == NULL)
        return FALSE;
    return COXNumericEdit::SetNegativeFormat(pszFormat);
}

BOOL COXCurrencyEdit::SetCurrencySymbol(LPCTSTR pszSymbol)
{
    if (pszSymbol == NULL || *pszSymbol == 0)
        return FALSE;
    return Reenter([&] { m_sCurrencySymbol = pszSymbol; });
}

// ---------------------------------------------------------------------------
// Dialog data exchange
// ---------------------------------------------------------------------------

namespace {

COXNumericEdit* NumericControl(CDataExchange* pDX, int nIDC)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    return DYNAMIC_DOWNCAST(COXNumericEdit, CWnd::FromHandlePermanent(hWnd));
}

}  // namespace

void AFXAPI DDX_NumericValue(CDataExchange* pDX, int nIDC, double& value)
{
    COXNumericEdit* pEdit = NumericControl(pDX, nIDC);
    if (pEdit == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        value = pEdit->GetValue();
    else
        pEdit->SetValue(value);
}

void AFXAPI DDX_NumericValue(CDataExchange* pDX, int nIDC, int& value)
{
    double d = value;
    DDX_NumericValue(pDX, nIDC, d);
    if (pDX->m_bSaveAndValidate)
        value = (int)d;
}

void AFXAPI DDX_NumericValue(CDataExchange* pDX, int nIDC, float& value)
{
    double d = value;
    DDX_NumericValue(pDX, nIDC, d);
    if (pDX->m_bSaveAndValidate)
        value = (float)d;
}
