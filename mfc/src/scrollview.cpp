// scrollview.cpp - CScrollView: a view larger than its window, scrolled with
// the window's own scroll bars. Positions are kept by the scroll bars in
// pixels; the logical sizes go through the map mode.
#include "docimpl.h"
#include <climits>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() : m_nMapMode(0), m_bInsideUpdate(FALSE)
{
}

CScrollView::~CScrollView()
{
}

// Logical sizes to pixels through a screen DC in nMapMode (sizes stay
// positive whatever the axis direction).
static CSize LogicalToDevice(int nMapMode, SIZE size)
{
    if (nMapMode == MM_TEXT || nMapMode == 0)
        return CSize(size.cx, size.cy);
    HDC hDC = ::GetDC(NULL);
    ::SetMapMode(hDC, nMapMode);
    POINT pts[2] = {{0, 0}, {size.cx, size.cy}};
    ::LPtoDP(hDC, pts, 2);
    ::ReleaseDC(NULL, hDC);
    return CSize(abs(pts[1].x - pts[0].x), abs(pts[1].y - pts[0].y));
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_totalDev = LogicalToDevice(nMapMode, sizeTotal);
    m_pageDev = LogicalToDevice(nMapMode, sizePage);
    m_lineDev = LogicalToDevice(nMapMode, sizeLine);
    // a page is a tenth of the whole and a line a tenth of a page by default
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd != NULL) {
        UpdateBars();
        if (nOldMapMode != m_nMapMode)
            Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0) {
        HDC hDC = ::GetDC(NULL);
        ::SetMapMode(hDC, m_nMapMode);
        ::DPtoLP(hDC, &pt, 1);
        ::ReleaseDC(NULL, hDC);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0) {
        HDC hDC = ::GetDC(NULL);
        ::SetMapMode(hDC, m_nMapMode);
        ::LPtoDP(hDC, &pt, 1);
        ::ReleaseDC(NULL, hDC);
        pt.y = -pt.y;   // y grows downwards on the scroll bar
    }
    // never scroll past the end
    int xMax = GetScrollLimit(SB_HORZ);
    int yMax = GetScrollLimit(SB_VERT);
    pt.x = pt.x < 0 ? 0 : (pt.x > xMax ? xMax : pt.x);
    pt.y = pt.y < 0 ? 0 : (pt.y > yMax ? yMax : pt.y);
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    int xOrig = GetScrollPos(SB_HORZ);
    SetScrollPos(SB_HORZ, ptDev.x);
    int yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_VERT, ptDev.y);
    // the bars may have clamped the position
    int x = GetScrollPos(SB_HORZ), y = GetScrollPos(SB_VERT);
    if (x != xOrig || y != yOrig)
        ScrollWindow(xOrig - x, yOrig - y);
}

void CScrollView::GetScrollBarSizes(CSize& sizeSb)
{
    sizeSb.cx = ::GetSystemMetrics(SM_CXVSCROLL);
    sizeSb.cy = ::GetSystemMetrics(SM_CYHSCROLL);
}

// The client size without the scroll bars shown now; FALSE when there is
// no room for scroll bars at all.
BOOL CScrollView::GetTrueClientSize(CSize& size, CSize& sizeSb)
{
    CRect rect;
    GetClientRect(&rect);
    size.cx = rect.right;
    size.cy = rect.bottom;
    GetScrollBarSizes(sizeSb);
    DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        size.cx += sizeSb.cx;
    if (dwStyle & WS_HSCROLL)
        size.cy += sizeSb.cy;
    return size.cx > sizeSb.cx && size.cy > sizeSb.cy;
}

// A bar is needed when the total does not fit; one bar taking room can make
// the other needed too. ptMove is the position clamped to the new range.
void CScrollView::GetScrollBarState(CSize sizeClient, CSize& needSb, CSize& sizeRange, CPoint& ptMove,
                                    BOOL bInsideClient)
{
    CSize sizeSb;
    GetScrollBarSizes(sizeSb);
    sizeRange = m_totalDev - sizeClient;
    ptMove = GetDeviceScrollPosition();

    BOOL bNeedH = sizeRange.cx > 0;
    if (!bNeedH)
        ptMove.x = 0;
    else if (bInsideClient)
        sizeRange.cy += sizeSb.cy;

    BOOL bNeedV = sizeRange.cy > 0;
    if (!bNeedV)
        ptMove.y = 0;
    else if (bInsideClient)
        sizeRange.cx += sizeSb.cx;

    if (bNeedV && !bNeedH && sizeRange.cx > 0) {
        bNeedH = TRUE;
        sizeRange.cy += sizeSb.cy;
    }
    if (sizeRange.cx > 0 && ptMove.x >= sizeRange.cx)
        ptMove.x = sizeRange.cx;
    if (sizeRange.cy > 0 && ptMove.y >= sizeRange.cy)
        ptMove.y = sizeRange.cy;
    needSb.cx = bNeedH;
    needSb.cy = bNeedV;
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_nMapMode == 0)
        return;
    m_bInsideUpdate = TRUE;

    CSize sizeClient, sizeSb;
    if (!GetTrueClientSize(sizeClient, sizeSb)) {
        // no room for scroll bars: show none
        CRect rect;
        GetClientRect(&rect);
        if (rect.right > 0 && rect.bottom > 0)
            ShowScrollBar(SB_BOTH, FALSE);
        m_bInsideUpdate = FALSE;
        return;
    }
    CSize needSb, sizeRange;
    CPoint ptMove;
    GetScrollBarState(sizeClient, needSb, sizeRange, ptMove, TRUE);
    if (ptMove != GetDeviceScrollPosition())
        ScrollToDevicePosition(ptMove);

    SCROLLINFO info;
    info.fMask = SIF_PAGE | SIF_RANGE;
    info.nMin = 0;

    ShowScrollBar(SB_HORZ, needSb.cx != 0);
    if (needSb.cx) {
        info.nPage = (UINT)(sizeClient.cx - (needSb.cy ? sizeSb.cx : 0));
        info.nMax = m_totalDev.cx - 1;
        SetScrollInfo(SB_HORZ, &info, TRUE);
    }
    ShowScrollBar(SB_VERT, needSb.cy != 0);
    if (needSb.cy) {
        info.nPage = (UINT)(sizeClient.cy - (needSb.cx ? sizeSb.cy : 0));
        info.nMax = m_totalDev.cy - 1;
        SetScrollInfo(SB_VERT, &info, TRUE);
    }
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

// The viewport origin moves by the scroll position, so OnDraw paints in
// document coordinates.
void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode != 0)
        pDC->SetMapMode(m_nMapMode);
    CPoint ptVpOrg(0, 0);
    if (!pDC->IsPrinting()) {
        CPoint pos = GetDeviceScrollPosition();
        ptVpOrg.x = -pos.x;
        ptVpOrg.y = -pos.y;
    }
    pDC->SetViewportOrg(ptVpOrg);
    CView::OnPrepareDC(pDC, pInfo);
}

// The thumb's position is read whole from the bar: nPos carries 16 bits only.
static UINT TrackPos(HWND hWnd, int nBar, UINT nPos)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    if (::GetScrollInfo(hWnd, nBar, &si))
        return (UINT)si.nTrackPos;
    return nPos;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL)
        return;   // a scroll bar control of the form, not the view's own
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION)
        nPos = TrackPos(m_hWnd, SB_HORZ, nPos);
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL)
        return;
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION)
        nPos = TrackPos(m_hWnd, SB_VERT, nPos);
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

// nScrollCode: the horizontal code in the low byte, the vertical one in the
// high byte (0xFF: that bar does not move).
BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    int x = GetScrollPos(SB_HORZ);
    int xOrig = x;
    switch (LOBYTE(nScrollCode)) {
    case SB_TOP: x = 0; break;
    case SB_BOTTOM: x = INT_MAX; break;
    case SB_LINEUP: x -= m_lineDev.cx; break;
    case SB_LINEDOWN: x += m_lineDev.cx; break;
    case SB_PAGEUP: x -= m_pageDev.cx; break;
    case SB_PAGEDOWN: x += m_pageDev.cx; break;
    case SB_THUMBTRACK: x = (int)nPos; break;
    }
    int y = GetScrollPos(SB_VERT);
    int yOrig = y;
    switch (HIBYTE(nScrollCode)) {
    case SB_TOP: y = 0; break;
    case SB_BOTTOM: y = INT_MAX; break;
    case SB_LINEUP: y -= m_lineDev.cy; break;
    case SB_LINEDOWN: y += m_lineDev.cy; break;
    case SB_PAGEUP: y -= m_pageDev.cy; break;
    case SB_PAGEDOWN: y += m_pageDev.cy; break;
    case SB_THUMBTRACK: y = (int)nPos; break;
    }
    long long dx = (long long)x - xOrig, dy = (long long)y - yOrig;
    dx = dx > INT_MAX ? INT_MAX : dx;
    dy = dy > INT_MAX ? INT_MAX : dy;
    BOOL bResult = OnScrollBy(CSize((int)dx, (int)dy), bDoScroll);
    if (bResult && bDoScroll)
        UpdateWindow();
    return bResult;
}

// Scrolls within the bars' limits; FALSE when nothing moved.
BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    DWORD dwStyle = GetStyle();
    if (!(dwStyle & WS_VSCROLL))
        sizeScroll.cy = 0;
    if (!(dwStyle & WS_HSCROLL))
        sizeScroll.cx = 0;

    int xOrig = GetScrollPos(SB_HORZ), x = xOrig;
    int xMax = GetScrollLimit(SB_HORZ);
    long long xNew = (long long)x + sizeScroll.cx;
    x = xNew < 0 ? 0 : (xNew > xMax ? xMax : (int)xNew);

    int yOrig = GetScrollPos(SB_VERT), y = yOrig;
    int yMax = GetScrollLimit(SB_VERT);
    long long yNew = (long long)y + sizeScroll.cy;
    y = yNew < 0 ? 0 : (yNew > yMax ? yMax : (int)yNew);

    if (x == xOrig && y == yOrig)
        return FALSE;
    if (bDoScroll) {
        ScrollWindow(xOrig - x, yOrig - y);
        if (x != xOrig)
            SetScrollPos(SB_HORZ, x);
        if (y != yOrig)
            SetScrollPos(SB_VERT, y);
    }
    return TRUE;
}

BOOL CScrollView::OnMouseWheel(UINT fFlags, short zDelta, CPoint point)
{
    return DoMouseWheel(fFlags, zDelta, point);
}

// The wheel scrolls the lines the system asks for, vertically when there is a
// vertical bar, else horizontally.
BOOL CScrollView::DoMouseWheel(UINT fFlags, short zDelta, CPoint point)
{
    (void)point;
    if (fFlags & (MK_SHIFT | MK_CONTROL))
        return FALSE;
    UINT uLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &uLines, 0);
    DWORD dwStyle = GetStyle();
    BOOL bVert = (dwStyle & WS_VSCROLL) != 0;
    if (!bVert && !(dwStyle & WS_HSCROLL))
        return FALSE;
    int nLine = bVert ? m_lineDev.cy : m_lineDev.cx;
    int nPage = bVert ? m_pageDev.cy : m_pageDev.cx;
    int nToScroll;
    if (uLines == WHEEL_PAGESCROLL)
        nToScroll = ::MulDiv(-zDelta, nPage, WHEEL_DELTA);
    else
        nToScroll = ::MulDiv(-zDelta, (int)uLines, WHEEL_DELTA) * nLine;
    if (nToScroll == 0)
        return FALSE;
    BOOL bResult = OnScrollBy(bVert ? CSize(0, nToScroll) : CSize(nToScroll, 0), TRUE);
    if (bResult)
        UpdateWindow();
    return bResult;
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush)
{
    CRect rect;
    GetClientRect(&rect);
    CPoint pos = GetDeviceScrollPosition();
    int right = m_totalDev.cx - pos.x, bottom = m_totalDev.cy - pos.y;
    HDC hDC = pDC->m_hDC;
    HBRUSH hBrush = (HBRUSH)pBrush->GetSafeHandle();
    int nSaved = ::SaveDC(hDC);
    ::SetMapMode(hDC, MM_TEXT);
    ::SetViewportOrgEx(hDC, 0, 0, NULL);
    ::SetWindowOrgEx(hDC, 0, 0, NULL);
    if (right < rect.right) {
        RECT r = {right, 0, rect.right, rect.bottom};
        ::FillRect(hDC, &r, hBrush);
    }
    if (bottom < rect.bottom) {
        RECT r = {0, bottom, right < rect.right ? right : rect.right, rect.bottom};
        ::FillRect(hDC, &r, hBrush);
    }
    ::RestoreDC(hDC, nSaved);
}

// Sizes the parent frame so that the view's client area is the total size
// (with bShrinkOnly, never larger than it is now).
void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return;
    // the client area as if no scroll bars were shown
    CRect rectClient;
    GetClientRect(&rectClient);
    CSize sizeSb;
    GetScrollBarSizes(sizeSb);
    DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        rectClient.right += sizeSb.cx;
    if (dwStyle & WS_HSCROLL)
        rectClient.bottom += sizeSb.cy;

    int cx = m_totalDev.cx, cy = m_totalDev.cy;
    if (bShrinkOnly) {
        cx = cx < rectClient.right ? cx : rectClient.right;
        cy = cy < rectClient.bottom ? cy : rectClient.bottom;
    }
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width() + cx - rectClient.right,
                         rectFrame.Height() + cy - rectClient.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
