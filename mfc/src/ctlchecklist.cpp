// ctlchecklist.cpp - CCheckListBox: an owner-drawn list box with a check box
// in front of each item.
//
// Each item's list-box data points to a small record with its check state,
// whether it is enabled, and the caller's own item data. LB_GETITEMDATA and
// LB_SETITEMDATA are answered from that record whoever sends them, so the
// check state never shows through GetItemData. Items nobody has set anything
// on have no record: unchecked, enabled, data 0. A record is freed when the
// list box deletes the item (WM_DELETEITEM, reflected from the parent).
//
// A click in an item's check box, or Space on the caret item, changes the
// check (auto styles) and tells the parent with WM_COMMAND CLBN_CHKCHANGE.
#include <afxwin.h>

namespace {
const int kCheckSize = 13;   // the check box, in pixels
const int kCheckMargin = 2;  // space around it, before the item's text
}

struct CCheckListBox::CheckData
{
    int m_nCheck;
    BOOL m_bEnabled;
    DWORD_PTR m_dwUserData;
};

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(LB_GETITEMDATA, &CCheckListBox::OnLBGetItemData)
    ON_MESSAGE(LB_SETITEMDATA, &CCheckListBox::OnLBSetItemData)
END_MESSAGE_MAP()

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX), m_cyText(0)
{
}

CCheckListBox::~CCheckListBox()
{
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        dwStyle |= LBS_OWNERDRAWFIXED;
    dwStyle |= LBS_HASSTRINGS;
    if (!CListBox::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    EnsureItemHeight();
    return TRUE;
}

// A list box from a dialog template measured its items before it was ours.
void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    EnsureItemHeight();
}

// Fixed-height items are at least as high as the check box. A list box still
// being created answers 0 and is measured through WM_MEASUREITEM instead.
void CCheckListBox::EnsureItemHeight()
{
    if (!(GetStyle() & LBS_OWNERDRAWFIXED))
        return;
    int cyItem = GetItemHeight(0);
    if (cyItem <= 0)
        return;
    int cyMin = CalcMinimumItemHeight();
    if (cyItem < cyMin)
        SetItemHeight(0, (UINT)cyMin);
}

CCheckListBox::CheckData* CCheckListBox::GetCheckData(int nIndex, BOOL bCreate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    // The list box's own item data, past our LB_GETITEMDATA handler.
    CheckData* pData = (CheckData*)CWnd::DefWindowProc(LB_GETITEMDATA, (WPARAM)nIndex, 0);
    if (pData == (CheckData*)(LONG_PTR)LB_ERR)
        return NULL;
    if (pData == NULL && bCreate) {
        pData = new CheckData{BST_UNCHECKED, TRUE, 0};
        CWnd::DefWindowProc(LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)pData);
    }
    return pData;
}

LRESULT CCheckListBox::OnLBGetItemData(WPARAM wParam, LPARAM)
{
    int nIndex = (int)wParam;
    if (nIndex < 0 || nIndex >= GetCount())
        return LB_ERR;
    CheckData* pData = GetCheckData(nIndex, FALSE);
    return pData != NULL ? (LRESULT)pData->m_dwUserData : 0;
}

LRESULT CCheckListBox::OnLBSetItemData(WPARAM wParam, LPARAM lParam)
{
    CheckData* pData = GetCheckData((int)wParam, TRUE);
    if (pData == NULL)
        return LB_ERR;
    pData->m_dwUserData = (DWORD_PTR)lParam;
    return TRUE;
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    if (nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_3STATE)
        m_nStyle = nStyle;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    CheckData* pData = GetCheckData(nIndex, TRUE);
    if (pData == NULL || pData->m_nCheck == nCheck)
        return;
    pData->m_nCheck = nCheck;
    InvalidateItem(nIndex);
}

int CCheckListBox::GetCheck(int nIndex)
{
    CheckData* pData = GetCheckData(nIndex, FALSE);
    return pData != NULL ? pData->m_nCheck : BST_UNCHECKED;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    CheckData* pData = GetCheckData(nIndex, TRUE);
    if (pData == NULL || pData->m_bEnabled == bEnabled)
        return;
    pData->m_bEnabled = bEnabled;
    InvalidateItem(nIndex);
}

BOOL CCheckListBox::IsEnabled(int nIndex)
{
    CheckData* pData = GetCheckData(nIndex, FALSE);
    return pData != NULL ? pData->m_bEnabled : (nIndex >= 0 && nIndex < GetCount());
}

void CCheckListBox::InvalidateItem(int nIndex)
{
    CRect rect;
    if (GetItemRect(nIndex, rect) != LB_ERR)
        ::InvalidateRect(m_hWnd, rect, FALSE);
}

// The check box sits at the item's left edge, centred vertically.
CRect CCheckListBox::OnGetCheckPosition(CRect rectItem, CRect rectCheckBox)
{
    int dy = (rectItem.Height() - rectCheckBox.Height()) / 2;
    rectCheckBox.OffsetRect(rectItem.left + kCheckMargin, rectItem.top + (dy > 0 ? dy : 0));
    return rectCheckBox;
}

int CCheckListBox::CalcMinimumItemHeight()
{
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    TEXTMETRIC tm = {};
    ::GetTextMetrics(hDC, &tm);
    if (hOld != NULL)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    m_cyText = tm.tmHeight;
    return m_cyText > kCheckSize + 2 ? m_cyText : kCheckSize + 2;
}

// The item under point, and whether the point is in its check box area
// (everything left of the text); -1 when no item is there.
int CCheckListBox::CheckFromPoint(CPoint point, BOOL& bInCheck)
{
    bInCheck = FALSE;
    BOOL bOutside = TRUE;
    int nIndex = (int)ItemFromPoint(point, bOutside);
    if (bOutside || nIndex >= GetCount())
        return -1;
    CRect rectItem;
    GetItemRect(nIndex, rectItem);
    CRect rectBox = OnGetCheckPosition(rectItem, CRect(0, 0, kCheckSize, kCheckSize));
    bInCheck = point.x >= rectItem.left && point.x < rectBox.right + kCheckMargin;
    return nIndex;
}

// Auto styles step the check (0-1, or 0-1-2 for three states) and tell the
// parent; the plain styles only tell the parent, which sets the check itself.
void CCheckListBox::ToggleCheck(int nIndex)
{
    if (!IsEnabled(nIndex))
        return;
    if (m_nStyle == BS_AUTOCHECKBOX || m_nStyle == BS_AUTO3STATE) {
        int nModulo = m_nStyle == BS_AUTO3STATE ? 3 : 2;
        int nCheck = GetCheck(nIndex);
        if (nCheck >= nModulo)
            nCheck = nModulo - 1;
        SetCheck(nIndex, (nCheck + 1) % nModulo);
    }
    ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    BOOL bInCheck = FALSE;
    int nIndex = CheckFromPoint(point, bInCheck);
    if (nIndex >= 0 && bInCheck)
        ToggleCheck(nIndex);
    Default();
}

// A second quick click in the check box is another click, not an open.
void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    BOOL bInCheck = FALSE;
    int nIndex = CheckFromPoint(point, bInCheck);
    if (nIndex >= 0 && bInCheck) {
        OnLButtonDown(nFlags, point);
        return;
    }
    Default();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_SPACE) {
        int nIndex = GetCaretIndex();
        if (nIndex >= 0 && nIndex < GetCount())
            ToggleCheck(nIndex);
    }
    Default();
}

// Space toggles the check; it must not also jump to an item starting with ' '.
void CCheckListBox::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == ' ')
        return;
    Default();
}

// ---------------------------------------------------------------------------
// Owner draw
// ---------------------------------------------------------------------------

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
        PreDrawItem((LPDRAWITEMSTRUCT)lParam);
        break;
    case WM_MEASUREITEM:
        PreMeasureItem((LPMEASUREITEMSTRUCT)lParam);
        break;
    case WM_DELETEITEM:
        PreDeleteItem((LPDELETEITEMSTRUCT)lParam);
        break;
    default:
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

// Draws the check box, then lets DrawItem draw the rest of the item with the
// caller's item data.
void CCheckListBox::PreDrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    DRAWITEMSTRUCT dis = *lpDIS;
    CheckData* pData = (int)dis.itemID >= 0 ? (CheckData*)dis.itemData : NULL;
    CRect rectItem(dis.rcItem);
    CRect rectBox = OnGetCheckPosition(rectItem, CRect(0, 0, kCheckSize, kCheckSize));

    if ((int)dis.itemID >= 0 && (dis.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        CRect rectCheckArea(rectItem.left, rectItem.top, rectBox.right + kCheckMargin, rectItem.bottom);
        ::FillRect(dis.hDC, rectCheckArea, ::GetSysColorBrush(COLOR_WINDOW));
        int nCheck = pData != NULL ? pData->m_nCheck : BST_UNCHECKED;
        BOOL bEnabled = (pData == NULL || pData->m_bEnabled) && ::IsWindowEnabled(m_hWnd);
        UINT nState = DFCS_BUTTONCHECK;
        if (nCheck == BST_CHECKED)
            nState |= DFCS_CHECKED;
        else if (nCheck == BST_INDETERMINATE)
            nState |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (!bEnabled)
            nState |= DFCS_INACTIVE;
        ::DrawFrameControl(dis.hDC, rectBox, DFC_BUTTON, nState);
    }

    dis.rcItem.left = rectBox.right + kCheckMargin;
    dis.itemData = pData != NULL ? pData->m_dwUserData : 0;
    DrawItem(&dis);
}

void CCheckListBox::PreMeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    int cyMin = CalcMinimumItemHeight();
    MEASUREITEMSTRUCT mis = *lpMIS;
    CheckData* pData = (int)mis.itemID >= 0 ? (CheckData*)mis.itemData : NULL;
    mis.itemData = pData != NULL ? pData->m_dwUserData : 0;
    mis.itemHeight = (UINT)cyMin;
    MeasureItem(&mis);
    lpMIS->itemHeight = mis.itemHeight < (UINT)cyMin ? (UINT)cyMin : mis.itemHeight;
    lpMIS->itemWidth = mis.itemWidth;
}

void CCheckListBox::PreDeleteItem(LPDELETEITEMSTRUCT lpDIS)
{
    DELETEITEMSTRUCT dis = *lpDIS;
    CheckData* pData = (CheckData*)dis.itemData;
    dis.itemData = pData != NULL ? pData->m_dwUserData : 0;
    delete pData;
    DeleteItem(&dis);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    (void)lpMIS;   // PreMeasureItem has set the minimum height
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT lpDIS)
{
    (void)lpDIS;
}

// The item's text, highlighted when selected, grey when disabled, with the
// focus rectangle when it has the focus.
void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    HDC hDC = lpDIS->hDC;
    CRect rect(lpDIS->rcItem);
    int nIndex = (int)lpDIS->itemID;
    if (nIndex >= 0 && (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
        BOOL bEnabled = IsEnabled(nIndex) && ::IsWindowEnabled(m_hWnd);
        ::FillRect(hDC, rect, ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (GetStyle() & LBS_HASSTRINGS) {
            CString strText;
            GetText(nIndex, strText);
            int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
            COLORREF crOld = ::SetTextColor(hDC, ::GetSysColor(!bEnabled ? COLOR_GRAYTEXT
                                                               : bSelected ? COLOR_HIGHLIGHTTEXT
                                                                           : COLOR_WINDOWTEXT));
            CRect rectText(rect);
            rectText.left += 2;
            ::DrawTextA(hDC, strText, strText.GetLength(), rectText,
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
            ::SetTextColor(hDC, crOld);
            ::SetBkMode(hDC, nOldMode);
        }
    }
    if ((lpDIS->itemAction & ODA_FOCUS) ||
        ((lpDIS->itemAction & ODA_DRAWENTIRE) && (lpDIS->itemState & ODS_FOCUS)))
        ::DrawFocusRect(hDC, rect);
}
