// GridCtrlScroll.cpp - scroll bars and scrolling, the mouse wheel, and the window's size,
// font and system settings.
#include "GridCtrl.h"
#include <algorithm>
using std::max;
using std::min;

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos)
{
    if (!::IsWindow(GetSafeHwnd()))
        return 0;
    SCROLLINFO si;
    si.cbSize = sizeof(SCROLLINFO);
    if (bGetTrackPos) {
        if (GetScrollInfo(nBar, &si, SIF_TRACKPOS))
            return si.nTrackPos;
    } else {
        if (GetScrollInfo(nBar, &si, SIF_POS))
            return si.nPos;
    }
    return 0;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    m_cellTopLeft.row = -1;
    if (!::IsWindow(GetSafeHwnd()))
        return FALSE;
    SCROLLINFO si;
    si.cbSize = sizeof(SCROLLINFO);
    si.fMask = SIF_POS;
    si.nPos = nPos;
    return SetScrollInfo(nBar, &si, bRedraw);
}

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable)
{
    if (!::IsWindow(GetSafeHwnd()))
        return;
    if (bEnable) {
        if (!IsHScrollShown() && (nBar == SB_HORZ || nBar == SB_BOTH)) {
            m_nShownBars |= GRIDLINES_HORZ;
            CWnd::EnableScrollBarCtrl(SB_HORZ, bEnable);
        }
        if (!IsVScrollShown() && (nBar == SB_VERT || nBar == SB_BOTH)) {
            m_nShownBars |= GRIDLINES_VERT;
            CWnd::EnableScrollBarCtrl(SB_VERT, bEnable);
        }
    } else {
        if (IsHScrollShown() && (nBar == SB_HORZ || nBar == SB_BOTH)) {
            m_nShownBars &= ~GRIDLINES_HORZ;
            CWnd::EnableScrollBarCtrl(SB_HORZ, bEnable);
        }
        if (IsVScrollShown() && (nBar == SB_VERT || nBar == SB_BOTH)) {
            m_nShownBars &= ~GRIDLINES_VERT;
            CWnd::EnableScrollBarCtrl(SB_VERT, bEnable);
        }
    }
}

BOOL CGridCtrl::ResetScrollBars()
{
    m_cellTopLeft.row = -1;

    if (!m_bAllowDraw || !::IsWindow(GetSafeHwnd()))
        return FALSE;

    // The client area as it is with no bar shown. Bars are shown or hidden
    // only when they must change: switching them costs a frame change and a
    // repaint, and row inserts and deletes reset the bars every time.
    CRect rect;
    GetClientRect(rect);
    DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        rect.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    if (rect.left == rect.right || rect.top == rect.bottom) {
        EnableScrollBars(SB_BOTH, FALSE);
        return FALSE;
    }

    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();
    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        EnableScrollBars(SB_BOTH, FALSE);
        return FALSE;
    }

    CRect VisibleRect(GetFixedColumnWidth(), GetFixedRowHeight(), rect.right, rect.bottom);
    CRect VirtualRect(GetFixedColumnWidth(), GetFixedRowHeight(), GetVirtualWidth(), GetVirtualHeight());

    if (VisibleRect.Height() < VirtualRect.Height())
        VisibleRect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (VisibleRect.Width() < VirtualRect.Width())
        VisibleRect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);

    if (VisibleRect.Height() < VirtualRect.Height()) {
        EnableScrollBars(SB_VERT, TRUE);
        m_nVScrollMax = VirtualRect.Height() - 1;
    } else {
        EnableScrollBars(SB_VERT, FALSE);
        m_nVScrollMax = 0;
    }

    if (VisibleRect.Width() < VirtualRect.Width()) {
        EnableScrollBars(SB_HORZ, TRUE);
        m_nHScrollMax = VirtualRect.Width() - 1;
    } else {
        EnableScrollBars(SB_HORZ, FALSE);
        m_nHScrollMax = 0;
    }

    // A bar is given its range and page only when they change, and is redrawn
    // with the next paint rather than at once: drawing it now would cost far
    // more than a row insert or delete, which reset the bars every time.
    auto SetRange = [this](int nBar, UINT fMask, int nMax, UINT nPage) {
        SCROLLINFO cur;
        cur.cbSize = sizeof(SCROLLINFO);
        if (GetScrollInfo(nBar, &cur, SIF_PAGE | SIF_RANGE) && cur.nMin == 0 && cur.nMax == nMax && cur.nPage == nPage)
            return FALSE;
        SCROLLINFO si;
        si.cbSize = sizeof(SCROLLINFO);
        si.fMask = fMask;
        si.nPage = nPage;
        si.nMin = 0;
        si.nMax = nMax;
        SetScrollInfo(nBar, &si, FALSE);
        return TRUE;
    };
    BOOL bChanged = SetRange(SB_HORZ, SIF_PAGE | SIF_RANGE, m_nHScrollMax,
                             (m_nHScrollMax > 0) ? (UINT)VisibleRect.Width() : 0);
    bChanged |= SetRange(SB_VERT, SIF_PAGE | SIF_RANGE | SIF_DISABLENOSCROLL, m_nVScrollMax,
                         (m_nVScrollMax > 0) ? (UINT)VisibleRect.Height() : 0);
    // The bars' frame is invalidated once for a run of changes (a loop of
    // row inserts resets the bars every time), from a message posted to the
    // grid: each invalidation is a round trip to the window server, dear
    // when the machine is busy.
    if (bChanged && !m_bBarsRedrawPosted) {
        m_bBarsRedrawPosted = PostMessage(WM_GRID_REDRAWBARS);
        if (!m_bBarsRedrawPosted)
            OnRedrawBars(0, 0);
    }
    return TRUE;
}

LRESULT CGridCtrl::OnRedrawBars(WPARAM, LPARAM)
{
    m_bBarsRedrawPosted = FALSE;
    RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return 0;
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    if (bAllowDraw && !m_bAllowDraw) {
        m_bAllowDraw = TRUE;
        Refresh();
    }
    m_bAllowDraw = bAllowDraw;
    if (bResetScrollBars)
        ResetScrollBars();
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    ScrollAlong(SB_HORZ, nSBCode);
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    ScrollAlong(SB_VERT, nSBCode);
}

// One scroll request along columns (SB_HORZ) or rows (SB_VERT): the codes of
// the two bars share their values (SB_LINERIGHT is SB_LINEDOWN, SB_LEFT is
// SB_TOP...), and so do the rules. A line is the first visible cell's extent,
// skipping hidden ones; a page the scrolling area's; only what scrolled into
// view is repainted after a line forward.
void CGridCtrl::ScrollAlong(int nBar, UINT nSBCode)
{
    EndEditing();
    m_TitleTip.Hide();

    const BOOL bHorz = nBar == SB_HORZ;
    auto extent = [&](int i) { return bHorz ? GetColumnWidth(i) : GetRowHeight(i); };
    const int nCount = bHorz ? GetColumnCount() : GetRowCount();
    const int nFixed = bHorz ? GetFixedColumnCount() : GetFixedRowCount();
    const int nFixedExtent = bHorz ? GetFixedColumnWidth() : GetFixedRowHeight();
    const int nMax = bHorz ? m_nHScrollMax : m_nVScrollMax;

    int scrollPos = GetScrollPos32(nBar);
    CCellID idTopLeft = GetTopleftNonFixedCell();
    int nFirst = bHorz ? idTopLeft.column : idTopLeft.row;

    // The scrolling area: the client area below or right of the fixed cells.
    CRect rect;
    GetClientRect(rect);
    LONG& rectStart = bHorz ? rect.left : rect.top;
    LONG& rectEnd = bHorz ? rect.right : rect.bottom;
    rectStart = nFixedExtent;
    const int nPage = bHorz ? rect.Width() : rect.Height();

    switch (nSBCode) {
    case SB_LINEDOWN:
        if (scrollPos < nMax) {
            while (nFirst < nCount - 1 && extent(nFirst) < 1)
                nFirst++;
            int nStep = extent(nFirst);
            SetScrollPos32(nBar, scrollPos + nStep, FALSE);
            if (GetScrollPos32(nBar) == scrollPos)
                break;
            rectStart = nFixedExtent + nStep;
            ScrollWindow(bHorz ? -nStep : 0, bHorz ? 0 : -nStep, rect);
            rectStart = rectEnd - nStep;
            InvalidateRect(rect);
        }
        break;

    case SB_LINEUP:
        if (scrollPos > 0 && nFirst > nFixed) {
            int nUse = nFirst - 1;
            while (nUse > nFixed && extent(nUse) < 1)
                nUse--;
            SetScrollPos32(nBar, max(0, scrollPos - extent(nUse)), FALSE);
            if (GetScrollPos32(nBar) != scrollPos)
                InvalidateRect(rect);
        }
        break;

    case SB_PAGEDOWN:
    case SB_PAGEUP: {
        int pos = nSBCode == SB_PAGEDOWN ? min(nMax, scrollPos + nPage) : max(0, scrollPos - nPage);
        if (nSBCode == SB_PAGEDOWN ? scrollPos >= nMax : scrollPos <= 0)
            break;
        SetScrollPos32(nBar, pos, FALSE);
        if (GetScrollPos32(nBar) != scrollPos)
            InvalidateRect(rect);
        break;
    }

    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SetScrollPos32(nBar, GetScrollPos32(nBar, TRUE), FALSE);
        m_cellTopLeft.row = -1;
        if (GetTopleftNonFixedCell() != idTopLeft)
            InvalidateRect(rect);
        break;
    }

    case SB_TOP:
    case SB_BOTTOM: {
        int pos = nSBCode == SB_TOP ? 0 : nMax;
        if (scrollPos != pos) {
            SetScrollPos32(nBar, pos, FALSE);
            Invalidate();
        }
        break;
    }

    default:
        break;
    }

    // The bar is drawn with the paint that follows, beside the cells, rather
    // than at once: drawn on its own it cost about as much as the cells.
    if (GetScrollPos32(nBar) != scrollPos)
        RedrawWindow(GetScrollRect(nBar), NULL, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// Where a scroll bar lies in client coordinates: beside the client area, so
// that invalidating it reaches the frame alone.
CRect CGridCtrl::GetScrollRect(int nBar) const
{
    CRect rect;
    GetClientRect(rect);
    if (nBar == SB_VERT)
        return CRect(rect.right, 0, rect.right + ::GetSystemMetrics(SM_CXVSCROLL), rect.bottom);
    return CRect(0, rect.bottom, rect.right, rect.bottom + ::GetSystemMetrics(SM_CYHSCROLL));
}

BOOL CGridCtrl::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    if (m_nWheelScrollLines == -1) {
        int nPagesScrolled = zDelta / 120;
        if (nPagesScrolled > 0)
            for (int i = 0; i < nPagesScrolled; i++)
                PostMessage(WM_VSCROLL, SB_PAGEUP, 0);
        else
            for (int i = 0; i > nPagesScrolled; i--)
                PostMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    } else {
        int nRowsScrolled = m_nWheelScrollLines * zDelta / 120;
        if (nRowsScrolled > 0)
            for (int i = 0; i < nRowsScrolled; i++)
                PostMessage(WM_VSCROLL, SB_LINEUP, 0);
        else
            for (int i = 0; i > nRowsScrolled; i--)
                PostMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    }
    return TRUE;
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    if (m_bInSize)
        return;
    m_bInSize = TRUE;

    // The drop target is registered once the window is there.
    if (!m_DropTarget.IsRegistered())
        m_DropTarget.Register(this);

    EndEditing();
    CWnd::OnSize(nType, cx, cy);
    ResetScrollBars();

    m_bInSize = FALSE;
}

LRESULT CGridCtrl::OnSetFont(WPARAM hFont, LPARAM /*lParam*/)
{
    LRESULT result = Default();

    LOGFONT lf;
    if (!GetObject((HFONT)hFont, sizeof(LOGFONT), &lf))
        return result;

    m_defCellNormal.SetFont(&lf);
    m_defCellFixedCol.SetFont(&lf);
    m_defCellFixedRow.SetFont(&lf);
    m_defCellFixedBoth.SetFont(&lf);

    Refresh();
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    CFont* pFont = m_defCellNormal.GetFontObject();
    return (LRESULT)(pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL);
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();

    CGridDefaultCell* cells[] = {&m_defCellNormal, &m_defCellFixedRow, &m_defCellFixedCol, &m_defCellFixedBoth};
    for (CGridDefaultCell* pCell : cells) {
        if (pCell->GetTextClr() == m_crSysWindowText)
            pCell->SetTextClr(::GetSysColor(COLOR_WINDOWTEXT));
        if (pCell->GetBackClr() == m_crSysWindow)
            pCell->SetBackClr(::GetSysColor(COLOR_WINDOW));
    }
    if (m_crGridBack == m_crSysShadow)
        m_crGridBack = ::GetSysColor(COLOR_3DSHADOW);

    m_crSysWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crSysWindow = ::GetSysColor(COLOR_WINDOW);
    m_crSysFace = ::GetSysColor(COLOR_3DFACE);
    m_crSysShadow = ::GetSysColor(COLOR_3DSHADOW);
}

void CGridCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    // Not routed by the message map; kept for derived grids.
    (void)uFlags;
    (void)lpszSection;
    OnSysColorChange();
    UINT nLines = 0;
    if (::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
        m_nWheelScrollLines = (nLines == WHEEL_PAGESCROLL) ? -1 : (int)nLines;
}
