// richedit.cpp - CRichEditCtrl (rich edit 2.0) and the loading of its library.
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

// riched20.dll registers "RichEdit20A" when it loads; it stays loaded for the
// life of the process.
BOOL AFXAPI AfxInitRichEdit2()
{
    static HMODULE s_hRichEdit = NULL;
    if (s_hRichEdit == NULL)
        s_hRichEdit = ::LoadLibraryA("riched20.dll");
    return s_hRichEdit != NULL;
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit2())
        return FALSE;
    return CWnd::CreateEx(dwExStyle, RICHEDIT_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    // EM_GETLINE reads the buffer size from the buffer's first WORD.
    if (nMaxLength < (int)(sizeof(WORD) / sizeof(TCHAR)))
        return 0;
    *(LPWORD)lpszBuffer = (WORD)nMaxLength;
    return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {0, 0};
    ::SendMessage(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

// Characters may take two bytes in a multi-byte code page: room for both.
CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr = {0, 0};
    ::SendMessage(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr);
    CString str;
    int nChars = (int)(cr.cpMax - cr.cpMin);
    if (nChars <= 0)
        return str;
    LPTSTR psz = str.GetBufferSetLength(nChars * 2 + 1);
    psz[0] = '\0';
    ::SendMessage(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)psz);
    str.ReleaseBuffer();
    return str;
}

int CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    if (nLast < 0)
        nLast = (int)GetTextLength();
    refString.Empty();
    if (nLast <= nFirst)
        return 0;
    TEXTRANGEA tr = {};
    tr.chrg.cpMin = nFirst;
    tr.chrg.cpMax = nLast;
    tr.lpstrText = refString.GetBufferSetLength((nLast - nFirst) * 2 + 1);
    tr.lpstrText[0] = '\0';
    int nResult = (int)::SendMessage(m_hWnd, EM_GETTEXTRANGE, 0, (LPARAM)&tr);
    refString.ReleaseBuffer();
    return nResult;
}

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT uCodePage) const
{
    GETTEXTLENGTHEX gtl = {dwFlags, uCodePage};
    return (long)::SendMessage(m_hWnd, EM_GETTEXTLENGTHEX, (WPARAM)&gtl, 0);
}

void CRichEditCtrl::PasteSpecial(UINT nClipFormat, DWORD dvAspect, HMETAFILE hMF)
{
    REPASTESPECIAL reps = {dvAspect, (DWORD_PTR)hMF};
    ::SendMessage(m_hWnd, EM_PASTESPECIAL, nClipFormat, (LPARAM)&reps);
}
