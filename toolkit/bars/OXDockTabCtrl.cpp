#include "OXDockTabCtrl.h"

#include <algorithm>

#include "OXCoolToolBar.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"

IMPLEMENT_DYNAMIC(COXDockTabCtrl, COXSkinnedTabCtrl)

namespace {
// Only the bottom of a dock bar counts as its tab strip when a bar is
// dragged over it.
const int nTabHitBand = 48;
const int nMaxTabText = 256;
// Room around a tab's text: across and along the strip.
const int nTabPaddingX = 12, nTabPaddingY = 4;
// How much further than the others the selected tab reaches from the
// display area.
const int nSelectedReach = 2;
}   // namespace

COXDockTabCtrl::COXDockTabCtrl(COXSizeDockBar* pDockBar)
    : m_pLastShownBar(NULL), m_pDockBar(pDockBar), m_ptLButtonDown(0, 0)
{
}

COXDockTabCtrl::~COXDockTabCtrl() {}

BOOL COXDockTabCtrl::IsHorzDockBar(CDockBar* pDockBar)
{
    return pDockBar != NULL && (pDockBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
}

int COXDockTabCtrl::GetStripHeight() const
{
    return ::IsWindow(m_hWnd) && GetItemCount() > 0 ? COXSizeDockBar::nTabStripHeight : 0;
}

int COXDockTabCtrl::FindTab(CControlBar* pBar) const
{
    if (!::IsWindow(m_hWnd) || pBar == NULL)
        return -1;
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetTabBar(i) == pBar)
            return i;
    return -1;
}

CControlBar* COXDockTabCtrl::GetTabBar(int nIndex) const
{
    TCITEM item = {};
    item.mask = TCIF_PARAM;
    if (!::IsWindow(m_hWnd) || !GetItem(nIndex, &item))
        return NULL;
    return (CControlBar*)item.lParam;
}

int COXDockTabCtrl::HitTestTab(CPoint ptScreen) const
{
    if (m_pDockBar == NULL || !::IsWindow(m_pDockBar->m_hWnd) || !::IsWindow(m_hWnd))
        return -1;
    CRect rectDock;
    m_pDockBar->GetWindowRect(&rectDock);
    rectDock.top = rectDock.bottom - nTabHitBand;
    if (!rectDock.PtInRect(ptScreen))
        return -1;
    TCHITTESTINFO info = {};
    info.pt = ptScreen;
    ScreenToClient(&info.pt);
    const int n = HitTest(&info);
    return n < 0 ? 0 : n;
}

BOOL COXDockTabCtrl::PassesMiddle(int nFrom, int nTo, const CRect& rectTo, int x)
{
    const int nMiddle = rectTo.left + rectTo.Width() / 2;
    if (nTo > nFrom)
        return x > nMiddle;
    if (nTo < nFrom)
        return x < nMiddle;
    return FALSE;
}

BOOL COXDockTabCtrl::MoveTab(int nFrom, int nTo, CPoint ptScreen)
{
    if (!::IsWindow(m_hWnd) || nFrom == nTo || nFrom < 0 || nTo < 0 || nFrom >= GetItemCount() ||
        nTo >= GetItemCount())
        return FALSE;
    CRect rectTo;
    GetItemRect(nTo, &rectTo);
    CPoint pt = ptScreen;
    ScreenToClient(&pt);
    if (!PassesMiddle(nFrom, nTo, rectTo, pt.x))
        return FALSE;
    TCHAR szText[nMaxTabText + 1] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = szText;
    item.cchTextMax = nMaxTabText;
    if (!GetItem(nFrom, &item))
        return FALSE;
    szText[nMaxTabText] = 0;
    const BOOL bSelected = GetCurSel() == nFrom;
    DeleteItem(nFrom);
    InsertItem(nTo, &item);
    if (bSelected)
        SetCurSel(nTo);
    return TRUE;
}

void COXDockTabCtrl::InsertTab(int nIndex, CControlBar* pBar)
{
    CString strText;
    pBar->GetWindowText(strText);
    TCITEM item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = (LPTSTR)(LPCTSTR)strText;
    item.lParam = (LPARAM)pBar;
    InsertItem(nIndex, &item);
}

BOOL COXDockTabCtrl::DropStrayTabs()
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    BOOL bDropped = FALSE;
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        CControlBar* pBar = GetTabBar(i);
        const BOOL bHere = pBar != NULL && m_pDockBar->FindBar(pBar) >= 0 && ::IsWindow(pBar->m_hWnd) &&
                           pBar->m_pDockBar == m_pDockBar;
        if (!bHere) {
            DeleteItem(i);
            if (m_pLastShownBar == pBar)
                m_pLastShownBar = NULL;
            bDropped = TRUE;
        }
    }
    if (!bDropped)
        return FALSE;
    if (GetItemCount() == 1) {
        // one tab is no stack: its bar shows on its own
        CControlBar* pLast = GetTabBar(0);
        DeleteItem(0);
        CFrameWnd* pFrame = m_pDockBar->GetDockingFrame();
        if (pFrame != NULL && pLast != NULL)
            pFrame->ShowControlBar(pLast, TRUE, TRUE);
    } else if (GetItemCount() > 0 && GetCurSel() < 0) {
        // the bar on show left: the first tab's bar shows in its place
        SetCurSel(0);
        CFrameWnd* pFrame = m_pDockBar->GetDockingFrame();
        if (pFrame != NULL && GetTabBar(0) != NULL)
            pFrame->ShowControlBar(GetTabBar(0), TRUE, TRUE);
    }
    m_pDockBar->PlaceTabContainer();
    return TRUE;
}

int COXDockTabCtrl::InsertBar(CControlBar* pBar, int nIndex, BOOL bShow)
{
    if (!::IsWindow(m_hWnd) || pBar == NULL)
        return 0;
    DropStrayTabs();
    const int nOthers = m_pDockBar->CountOtherSizingBars(pBar);
    if (nOthers == 0)
        return 0;
    // a new stack takes no length from a bar shown in an earlier one, which
    // may have left the dock bar long ago
    if (GetItemCount() == 0)
        m_pLastShownBar = NULL;
    for (int i = 0; i < m_pDockBar->m_arrBars.GetSize(); ++i) {
        CControlBar* p = m_pDockBar->GetDockedControlBar(i);
        if (p != NULL && p != pBar && COXSizeDockBar::IsSizingBar(p) && FindTab(p) < 0)
            InsertTab(0, p);
    }
    const int nOld = FindTab(pBar);
    if (nOld >= 0)
        DeleteItem(nOld);
    nIndex = std::max(0, std::min(nIndex, GetItemCount()));
    InsertTab(nIndex, pBar);
    SetCurSel(nIndex);
    m_pDockBar->PlaceTabContainer();
    if (bShow) {
        UpdateTabs();
    } else {
        CFrameWnd* pFrame = m_pDockBar->GetDockingFrame();
        for (int i = 0; i < GetItemCount(); ++i) {
            CControlBar* p = GetTabBar(i);
            if (i != nIndex && p != NULL && pFrame != NULL)
                pFrame->ShowControlBar(p, FALSE, TRUE);
        }
    }
    return nOthers;
}

int COXDockTabCtrl::RemoveBar(CControlBar* pBar)
{
    if (!::IsWindow(m_hWnd) || GetItemCount() == 0)
        return 0;
    const int nTab = FindTab(pBar);
    // The bar that shows in place of the shown one that leaves takes the
    // stack's place in its row, at the stack's length: at its own (older)
    // length it would squeeze the bars beside it to nothing, or run past
    // the row's end.
    COXSizeControlBar* pShownLeaving = NULL;
    if (m_pLastShownBar == pBar && IsHorzDockBar(m_pDockBar))
        pShownLeaving = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
    if (m_pDockBar->CountOtherSizingBars(pBar) == 1) {
        // a lone companion is no stack: it loses its tab and shows
        COXSizeControlBar* pOther = m_pDockBar->FindOtherSizingBar(pBar);
        const int nOther = FindTab(pOther);
        if (nOther >= 0) {
            DeleteItem(nOther);
            if (pShownLeaving != NULL)
                pOther->m_HorzDockSize = pShownLeaving->m_HorzDockSize;
            CFrameWnd* pFrame = m_pDockBar->GetDockingFrame();
            if (pFrame != NULL)
                pFrame->ShowControlBar(pOther, TRUE, TRUE);
        }
    }
    const int nRemove = FindTab(pBar);
    if (nRemove >= 0)
        DeleteItem(nRemove);
    m_pDockBar->PlaceTabContainer();
    const int nLeft = GetItemCount();
    // the leaving bar, as the last one shown, still gives the tab shown
    // next its length
    if (nLeft > 1) {
        SetCurSel(nTab > 0 ? nTab - 1 : 0);
        UpdateTabs();
    }
    if (m_pLastShownBar == pBar || nLeft == 0)
        m_pLastShownBar = NULL;
    return nLeft;
}

CRect COXDockTabCtrl::VertPlacement(const CRect& rectClient, BOOL bLeftDockBar, BOOL bRightDockBar, int nStripHeight)
{
    CRect rect = rectClient;
    if (bLeftDockBar)
        rect.right -= 3;
    else if (bRightDockBar)
        rect.left += 4;
    rect.bottom -= nStripHeight;
    return rect;
}

CControlBar* COXDockTabCtrl::UpdateTabs()
{
    if (!::IsWindow(m_hWnd))
        return NULL;
    DropStrayTabs();
    const int nSel = GetCurSel();
    CControlBar* pSelected = GetTabBar(nSel);
    CFrameWnd* pFrame = m_pDockBar->GetDockingFrame();
    for (int i = 0; i < GetItemCount(); ++i) {
        CControlBar* p = GetTabBar(i);
        if (p != NULL && pFrame != NULL)
            pFrame->ShowControlBar(p, i == nSel, TRUE);
    }
    COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pSelected);
    if (pSizeBar == NULL)
        return NULL;
    CRect rect;
    m_pDockBar->GetClientRect(&rect);
    if (IsHorzDockBar(m_pDockBar)) {
        // the stack keeps one length along the row whichever tab shows
        COXSizeControlBar* pLast = DYNAMIC_DOWNCAST(COXSizeControlBar, m_pLastShownBar);
        if (pLast != NULL && pLast != pSizeBar)
            pSizeBar->m_HorzDockSize = pLast->m_HorzDockSize;
        m_pLastShownBar = pSizeBar;
    } else {
        const UINT nID = m_pDockBar->GetDlgCtrlID();
        rect = VertPlacement(rect, nID == AFX_IDW_DOCKBAR_LEFT, nID == AFX_IDW_DOCKBAR_RIGHT, GetStripHeight());
        // a dock bar laid out while none of its bars showed has no width
        // to give: the bar keeps its own
        if (rect.Width() <= 0 || rect.Height() <= 0)
            return pSizeBar;
        pSizeBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
        pSizeBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        pSizeBar->m_VertDockSize = CSize(rect.Width(), rect.Height() + 5);
    }
    return pSizeBar;
}

BEGIN_MESSAGE_MAP(COXDockTabCtrl, COXSkinnedTabCtrl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

BOOL COXDockTabCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    // The labels are drawn here (DrawItem); the skins that paint the whole
    // strip draw their own and never ask.
    cs.style |= TCS_OWNERDRAWFIXED;
    return COXSkinnedTabCtrl::PreCreateWindow(cs);
}

CRect COXDockTabCtrl::LabelRect(const CRect& rectTab, BOOL bBottom)
{
    // The selected tab reaches further from the display area than the
    // others; the label keeps to the part every tab has, so that all the
    // labels stand in one line, in the middle of the tabs.
    CRect rect(rectTab);
    if (bBottom)
        rect.bottom -= nSelectedReach;
    else
        rect.top += nSelectedReach;
    return rect;
}

void COXDockTabCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    // The stock control moves an unselected label away from the display
    // area by the vertical padding, which along the bottom puts it on the
    // tab's far edge: the label is centred here instead. Across, the
    // rectangle handed over is the tab's inside.
    CRect rectTab;
    if (!GetItemRect((int)lpDIS->itemID, &rectTab))
        return;
    CRect rect = LabelRect(rectTab, (GetStyle() & TCS_BOTTOM) != 0);
    rect.left = lpDIS->rcItem.left;
    rect.right = lpDIS->rcItem.right;
    TCHAR szText[nMaxTabText + 1] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = nMaxTabText;
    GetItem((int)lpDIS->itemID, &item);
    szText[nMaxTabText] = 0;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CFont* pOldFont = pDC->SelectObject(GetFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(szText, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

int COXDockTabCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COXSkinnedTabCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_font.CreatePointFont(80, "MS Sans Serif");
    SetFont(&m_font, TRUE);
    SendMessage(TCM_SETPADDING, 0, MAKELPARAM(nTabPaddingX, nTabPaddingY));
    // The stock height leaves the padding above the text only: an unselected
    // tab, drawn lower along the bottom, cuts the descenders with its edge.
    // The tabs are as high as the text with the padding on both sides.
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(&m_font);
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(0, tm.tmHeight + 2 * nTabPaddingY + 2));
    return 0;
}

void COXDockTabCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_ptLButtonDown = point;
    COXSkinnedTabCtrl::OnLButtonDown(nFlags, point);
}

void COXDockTabCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) && COXSizeControlBar::IsBeyondDragThreshold(m_ptLButtonDown, point)) {
        TCHITTESTINFO info = {};
        info.pt = point;
        const int nTab = HitTest(&info);
        CControlBar* pBar = nTab >= 0 ? GetTabBar(nTab) : NULL;
        if (COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, pBar)) {
            pCool->BeginCaptionDrag(CPoint(0, 0));
            pCool->SetCapture();
            pCool->m_bDragging = TRUE;
            ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
            return;
        }
        if (COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar)) {
            // the bar's drag takes the press from the bar's own point of view
            CPoint ptBar = point;
            ClientToScreen(&ptBar);
            pSizeBar->ScreenToClient(&ptBar);
            pSizeBar->StartOwnDrag(ptBar);
            return;
        }
    }
    COXSkinnedTabCtrl::OnMouseMove(nFlags, point);
}

BOOL COXDockTabCtrl::OnSelChange(NMHDR*, LRESULT* pResult)
{
    UpdateTabs();
    *pResult = 0;
    return FALSE;
}
