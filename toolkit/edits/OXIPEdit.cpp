#include "OXIPEdit.h"

IMPLEMENT_DYNCREATE(COXIPEdit, COXMaskedEdit)

// The dots are plain literal periods: a locale decimal separator there (a
// comma under the Russian locale) would make every address unreadable.
COXIPEdit::COXIPEdit() : COXMaskedEdit("")
{
    SetMask("###\\.###\\.###\\.###");
}

BOOL COXIPEdit::IsEmptyAddress(LPCTSTR pszAddress)
{
    return pszAddress == NULL || *pszAddress == 0 || strcmp(pszAddress, "   .   .   .   ") == 0;
}

BOOL COXIPEdit::ParseAddress(LPCTSTR pszAddress, BYTE& b1, BYTE& b2, BYTE& b3, BYTE& b4)
{
    CString sText = pszAddress ? pszAddress : "";
    sText.Remove(' ');
    if (sText.IsEmpty())
        return FALSE;
    int parts[4] = {};
    int nPart = 0, nDigits = 0;
    for (int i = 0; i <= sText.GetLength(); ++i) {
        char ch = i < sText.GetLength() ? sText[i] : '.';
        if (ch >= '0' && ch <= '9') {
            if (nPart >= 4 || ++nDigits > 3)
                return FALSE;
            parts[nPart] = parts[nPart] * 10 + (ch - '0');
        } else if (ch == '.') {
            if (nDigits == 0 || parts[nPart] > 255)
                return FALSE;
            nDigits = 0;
            if (++nPart > 4)
                return FALSE;
            if (nPart < 4 && i == sText.GetLength())
                return FALSE;
        } else {
            return FALSE;
        }
    }
    if (nPart != 4)
        return FALSE;
    b1 = (BYTE)parts[0];
    b2 = (BYTE)parts[1];
    b3 = (BYTE)parts[2];
    b4 = (BYTE)parts[3];
    return TRUE;
}

CString COXIPEdit::FormatAddress(BYTE b1, BYTE b2, BYTE b3, BYTE b4)
{
    CString s;
    s.Format("%u.%u.%u.%u", b1, b2, b3, b4);
    return s;
}

BOOL COXIPEdit::IsValidAddress(LPCTSTR pszAddress) const
{
    BYTE b1, b2, b3, b4;
    return IsEmptyAddress(pszAddress) || ParseAddress(pszAddress, b1, b2, b3, b4);
}

CString COXIPEdit::GetValueText() const
{
    CString sText = m_hWnd ? COXMaskedEdit::GetValueText() : GetCellText();
    if (IsEmptyAddress(sText))
        return CString();
    if (!IsValidAddress(sText))
        return GetBadAddressText();
    sText.Remove(' ');
    return sText;
}

void COXIPEdit::SetValueText(LPCTSTR pszText)
{
    BYTE b1, b2, b3, b4;
    if (IsEmptyAddress(pszText) || !ParseAddress(pszText, b1, b2, b3, b4)) {
        EmptyData(TRUE);
        return;
    }
    CString s;
    s.Format("%3u.%3u.%3u.%3u", b1, b2, b3, b4);
    if (m_hWnd)
        SetWindowText(s);
    else
        OnSetText(0, (LPARAM)(LPCSTR)s);
}
