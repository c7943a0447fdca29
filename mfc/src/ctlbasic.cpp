// ctlbasic.cpp - the basic controls: static, button, edit, list box, combo box
// and scroll bar. Owner-drawn controls receive their WM_DRAWITEM (and for
// list and combo boxes WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM) from
// the parent's reflection through OnChildNotify, and call their virtuals.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

// ---------------------------------------------------------------------------
// CStatic
// ---------------------------------------------------------------------------

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CButton
// ---------------------------------------------------------------------------

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CEdit
// ---------------------------------------------------------------------------

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    // EM_GETLINE reads the buffer size from the buffer's first WORD.
    if (nMaxLength < (int)(sizeof(WORD) / sizeof(TCHAR)))
        return 0;
    *(LPWORD)lpszBuffer = (WORD)nMaxLength;
    return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

// ---------------------------------------------------------------------------
// CListBox
// ---------------------------------------------------------------------------

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD dw = (DWORD)::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

// Selecting runs first to last; deselecting is asked for with the range
// reversed.
int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    if (bSelect)
        return (int)::SendMessage(m_hWnd, LB_SELITEMRANGEEX, nFirstItem, nLastItem);
    return (int)::SendMessage(m_hWnd, LB_SELITEMRANGEEX, nLastItem, nFirstItem);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int nLen = GetTextLen(nIndex);
    if (nLen <= 0) {
        rString.Empty();
        return;
    }
    int nGot = GetText(nIndex, rString.GetBufferSetLength(nLen));
    rString.ReleaseBuffer(nGot < 0 ? 0 : nGot);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        break;
    case WM_MEASUREITEM:
        MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        break;
    case WM_COMPAREITEM:
        lResult = CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case WM_DELETEITEM:
        DeleteItem((LPDELETEITEMSTRUCT)lParam);
        break;
    case WM_VKEYTOITEM:
        lResult = VKeyToItem(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_CHARTOITEM:
        lResult = CharToItem(LOWORD(wParam), HIWORD(wParam));
        break;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CComboBox
// ---------------------------------------------------------------------------

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLen = GetLBTextLen(nIndex);
    if (nLen <= 0) {
        rString.Empty();
        return;
    }
    int nGot = GetLBText(nIndex, rString.GetBufferSetLength(nLen));
    rString.ReleaseBuffer(nGot < 0 ? 0 : nGot);
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        break;
    case WM_MEASUREITEM:
        MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        break;
    case WM_COMPAREITEM:
        lResult = CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case WM_DELETEITEM:
        DeleteItem((LPDELETEITEMSTRUCT)lParam);
        break;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CScrollBar
// ---------------------------------------------------------------------------

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nLimit = info.nMax;
    if (info.nPage > 1)
        nLimit -= (int)info.nPage - 1;
    return nLimit;
}
