// ctlbar.cpp - CControlBar: a bar at an edge of its frame. The frame's
// RepositionBars asks each bar for its strip (WM_SIZEPARENT); at idle the bar
// updates its items through the frame's command routing (WM_IDLEUPDATECMDUI).
#include "docimpl.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
END_MESSAGE_MAP()

// The width of a border line pair (shadow and highlight).
static const int kBorderLine = 2;

// A bar paints its own face. Flat tool bars would otherwise hand the erase to
// the frame, whose window class has no background brush, and show through.
BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    ::FillRect(pDC->GetSafeHdc(), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

CControlBar::CControlBar()
    : m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(1), m_cyBottomBorder(1), m_cxDefaultGap(2),
      m_nMRUWidth(32767), m_bAutoDelete(FALSE), m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(NULL),
      m_pDockBar(NULL), m_pDockContext(NULL), m_nCount(0), m_pData(NULL), m_bDockBar(FALSE), m_nStateFlags(0)
{
}

CControlBar::~CControlBar()
{
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CControlBar::CreateBar(LPCTSTR lpszClass, CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    CRect rect(0, 0, 0, 0);
    return CWnd::Create(lpszClass, NULL, dwStyle, rect, pParentWnd, nID);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    BOOL bBorders = (m_dwStyle ^ dwStyle) & CBRS_BORDER_ANY;
    m_dwStyle = dwStyle;
    if (bBorders && m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A bar registers with the frame it is created in, so the frame finds it by id
// (ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR) even after a rebar adopts it.
int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != NULL && pParent->IsFrameWnd()) {
        m_pDockSite = reinterpret_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite != NULL) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (m_pDockSite != NULL)
        return m_pDockSite;
    return GetParentFrame();
}

BOOL CControlBar::IsFloating() const
{
    return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size;
    size.cx = bStretch && bHorz ? 32767 : 0;
    size.cy = bStretch && !bHorz ? 32767 : 0;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    (void)nLength;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorderLine;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorderLine;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBorderLine;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorderLine;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

// The borders are the bar's non-client area; the control draws inside them.
void CControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_VERT) == 0 || (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += rect.left;
    rc.top += rect.top;
    rc.right += rect.right;
    rc.bottom += rect.bottom;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

// The border space in the face colour, and etched lines on the CBRS_BORDER_
// sides.
void CControlBar::OnNcPaint()
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    if (rectClient == rectWindow)
        return;
    HDC hDC = ::GetWindowDC(m_hWnd);
    ::ExcludeClipRect(hDC, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    ::FillRect(hDC, &rectWindow, ::GetSysColorBrush(COLOR_BTNFACE));
    HBRUSH hShadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH hHighlight = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    const CRect& r = rectWindow;
    if (m_dwStyle & CBRS_BORDER_TOP) {
        RECT a = {r.left, r.top, r.right, r.top + 1}, b = {r.left, r.top + 1, r.right, r.top + 2};
        ::FillRect(hDC, &a, hShadow);
        ::FillRect(hDC, &b, hHighlight);
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM) {
        RECT a = {r.left, r.bottom - 2, r.right, r.bottom - 1}, b = {r.left, r.bottom - 1, r.right, r.bottom};
        ::FillRect(hDC, &a, hShadow);
        ::FillRect(hDC, &b, hHighlight);
    }
    if (m_dwStyle & CBRS_BORDER_LEFT) {
        RECT a = {r.left, r.top, r.left + 1, r.bottom}, b = {r.left + 1, r.top, r.left + 2, r.bottom};
        ::FillRect(hDC, &a, hShadow);
        ::FillRect(hDC, &b, hHighlight);
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT) {
        RECT a = {r.right - 2, r.top, r.right - 1, r.bottom}, b = {r.right - 1, r.top, r.right, r.bottom};
        ::FillRect(hDC, &a, hShadow);
        ::FillRect(hDC, &b, hHighlight);
    }
    ::ReleaseDC(m_hWnd, hDC);
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
    if (m_nStateFlags & (delayHide | delayShow)) {
        UINT swpFlags = 0;
        if (m_nStateFlags & delayHide) {
            if (dwStyle & WS_VISIBLE)
                swpFlags = SWP_HIDEWINDOW;
        } else if (!(dwStyle & WS_VISIBLE)) {
            swpFlags = SWP_SHOWWINDOW;
        }
        if (swpFlags != 0) {
            dwStyle ^= WS_VISIBLE;   // as it will be
            if (lpLayout->hDWP != NULL) {
                m_nStateFlags &= ~(delayShow | delayHide);
                lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
                                                  swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        } else {
            m_nStateFlags &= ~(delayShow | delayHide);
        }
    }
    return dwStyle;
}

// A visible bar takes a strip of the space left at the edge it is aligned to:
// as high (or wide) as it asks, as long as the space is.
LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if ((dwStyle & WS_VISIBLE) && (dwStyle & CBRS_ALIGN_ANY) != 0) {
        CRect rect(lpLayout->rect);
        CSize sizeAvail = rect.Size();
        DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
        if (dwStyle & CBRS_ORIENT_HORZ)
            dwMode |= LM_HORZ | LM_HORZDOCK;
        else
            dwMode |= LM_VERTDOCK;
        CSize size = CalcDynamicLayout(-1, dwMode);
        size.cx = size.cx < sizeAvail.cx ? size.cx : sizeAvail.cx;
        size.cy = size.cy < sizeAvail.cy ? size.cy : sizeAvail.cy;
        if (size.cx < 0)
            size.cx = 0;
        if (size.cy < 0)
            size.cy = 0;

        if (dwStyle & CBRS_ORIENT_HORZ) {
            lpLayout->sizeTotal.cy += size.cy;
            if (lpLayout->sizeTotal.cx < size.cx)
                lpLayout->sizeTotal.cx = size.cx;
            if (dwStyle & CBRS_ALIGN_TOP) {
                lpLayout->rect.top += size.cy;
            } else {
                rect.top = rect.bottom - size.cy;
                lpLayout->rect.bottom -= size.cy;
            }
        } else {
            lpLayout->sizeTotal.cx += size.cx;
            if (lpLayout->sizeTotal.cy < size.cy)
                lpLayout->sizeTotal.cy = size.cy;
            if (dwStyle & CBRS_ALIGN_LEFT) {
                lpLayout->rect.left += size.cx;
            } else {
                rect.left = rect.right - size.cx;
                lpLayout->rect.right -= size.cx;
            }
        }
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
        if (lpLayout->hDWP != NULL)
            AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    }
    return 0;
}

// Bars whose parent is not a frame (a rebar) still belong to one.
CWnd* CControlBar::GetBarOwner() const
{
    CWnd* pOwner = GetOwner();
    return pOwner != NULL ? pOwner : GetParent();
}

CFrameWnd* CControlBar::GetUpdateTarget() const
{
    CWnd* pOwner = GetBarOwner();
    if (pOwner != NULL && pOwner->IsFrameWnd())
        return reinterpret_cast<CFrameWnd*>(pOwner);
    return GetParentFrame();
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if ((GetStyle() & WS_VISIBLE) && (m_pDockBar == NULL || (m_pDockBar->GetStyle() & WS_VISIBLE))) {
        CFrameWnd* pTarget = GetUpdateTarget();
        if (pTarget != NULL)
            OnUpdateCmdUI(pTarget, (BOOL)wParam);
    }
    return 0;
}

LRESULT CControlBar::OnRecalcParent(WPARAM, LPARAM)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
    return 0;
}

// What the bar's children tell their parent is for the bar's owner (a
// frame's command routing), after the bar's own map had its chance.
LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        LRESULT lResult = 0;
        if (OnWndMsg(nMsg, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetBarOwner();
        if (pOwner != NULL && pOwner->m_hWnd != NULL)
            return pOwner->SendMessage(nMsg, wParam, lParam);
        break;
    }
    default:
        break;
    }
    return CWnd::WindowProc(nMsg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// CDockBar: only what the bar members need until docking is built
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_bDockBar = TRUE;
}

CDockBar::~CDockBar()
{
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CControlBar::CalcFixedLayout(bStretch, bHorz);
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
        if (m_arrBars[i] != NULL)
            nCount++;
    }
    return nCount;
}
