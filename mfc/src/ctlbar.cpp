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
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

// The gripper: two 3-pixel etched lines, 2 pixels from the edge; the bar's
// inside starts past it.
static const int kGripper = 3;
static const int kBorderGripper = 2;
static const int kGripperAll = kGripper + kBorderGripper * 2;

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
      m_pDockBar(NULL), m_pDockContext(NULL), m_nStateFlags(0), m_nCount(0), m_pData(NULL), m_bDockBar(FALSE)
{
}

CControlBar::~CControlBar()
{
    if (m_hWnd != NULL)
        CWnd::DestroyWindow();
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
    // the dock context takes the bar out of its dock bar
    CDockContext* pDockContext = m_pDockContext;
    m_pDockContext = NULL;
    delete pDockContext;
}

// A floating bar's window is destroyed with its mini frame.
BOOL CControlBar::DestroyWindow()
{
    if (m_hWnd != NULL && IsFloating())
        return GetDockingFrame()->DestroyWindow();
    return CWnd::DestroyWindow();
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

// Tool tips follow CBRS_TOOLTIPS whether the style changed or not.
void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_hWnd != NULL)
        EnableToolTips((dwStyle & CBRS_TOOLTIPS) != 0);
    if (m_dwStyle != dwStyle) {
        DWORD dwOldStyle = m_dwStyle;
        m_dwStyle = dwStyle;
        OnBarStyleChange(dwOldStyle, dwStyle);
    }
}

// The base recomputes the non-client area when the borders changed.
void CControlBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd != NULL && ((dwOldStyle ^ dwNewStyle) & (CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_FLOATING)))
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The edges a bar may dock at; the first call makes its dock context.
void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    if (m_pDockContext == NULL && m_pDockSite != NULL)
        m_pDockContext = new CDockContext(this);
    // permanently wire the bar's owner to its current parent
    if (m_hWndOwner == NULL && m_hWnd != NULL)
        m_hWndOwner = ::GetParent(m_hWnd);
}

// A bar registers with the frame it is created in, so the frame finds it by id
// (ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR) even after a rebar adopts it.
int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips();
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != NULL && pParent->IsFrameWnd()) {
        m_pDockSite = reinterpret_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

// A docked bar whose window goes leaves its dock bar's list (a window made
// again, as a reset tool bar is, docks anew, and the dock bar never holds a
// bar that may be deleted before it). A floating frame left with no bar is
// hidden; it cannot be destroyed from inside this one's destruction.
void CControlBar::OnDestroy()
{
    if (m_pDockBar != NULL && !IsDockBar()) {
        CDockBar* pDockBar = m_pDockBar;
        m_pDockBar = NULL;
        int nPos = pDockBar->FindBar(this);
        if (nPos > 0) {
            pDockBar->m_arrBars.RemoveAt(nPos);
            if (nPos < (int)pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[nPos - 1] == NULL &&
                pDockBar->m_arrBars[nPos] == NULL)
                pDockBar->m_arrBars.RemoveAt(nPos);
        }
        CFrameWnd* pFrameWnd = pDockBar->m_hWnd != NULL ? pDockBar->GetParentFrame() : NULL;
        if (pFrameWnd != NULL) {
            if (pDockBar->m_bFloating && pDockBar->GetDockedVisibleCount() == 0) {
                if (pFrameWnd->IsWindowVisible())
                    pFrameWnd->ShowWindow(SW_HIDE);
            } else {
                pFrameWnd->DelayRecalcLayout();
            }
        }
    }
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

// The frame above the bar (its mini frame while it floats); the dock site
// when the bar has no parent frame.
CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrameWnd = GetParentFrame();
    if (pFrameWnd == NULL)
        pFrameWnd = m_pDockSite;
    return pFrameWnd;
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return ((const CDockBar*)this)->m_bFloating;
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
        rect.left += afxData.cxBorder2;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += afxData.cyBorder2;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= afxData.cxBorder2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= afxData.cyBorder2;
    // a docked bar's gripper comes before its inside
    BOOL bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (bGripper)
            rect.left += kGripperAll;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (bGripper)
            rect.top += kGripperAll;
    }
}

// The borders are the bar's non-client area; the control draws inside them.
void CControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_VERT) == 0 || (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    ShrinkClientRect(lpncsp, rect);
}

void PASCAL CControlBar::ShrinkClientRect(NCCALCSIZE_PARAMS* lpncsp, const CRect& rectInside)
{
    RECT& rc = lpncsp->rgrc[0];
    rc.left += rectInside.left;
    rc.top += rectInside.top;
    rc.right += rectInside.right;
    rc.bottom += rectInside.bottom;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

// A shadow line on each CBRS_BORDER_ side, with CBRS_BORDER_3D a highlight
// line inside it; rect loses the border space of every side.
void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;
    CRect rect1 = rect, rect2 = rect;
    COLORREF clr = afxData.clrBtnShadow;
    // the dark line one pixel back and up when there is a highlight too
    if (dwStyle & CBRS_BORDER_3D) {
        rect1.right -= 1;
        rect1.bottom -= 1;
    }
    if (dwStyle & CBRS_BORDER_TOP)
        rect2.top += afxData.cyBorder2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect2.bottom -= afxData.cyBorder2;
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect2.top, 1, rect2.Height(), clr);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clr);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect1.right - 1, rect2.top, 1, rect2.Height(), clr);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect1.bottom - 1, rect.Width(), 1, clr);
    if (dwStyle & CBRS_BORDER_3D) {
        clr = afxData.clrBtnHilite;
        if (dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left + 1, rect2.top, 1, rect2.Height(), clr);
        if (dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, clr);
        if (dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right - 1, rect2.top, 1, rect2.Height(), clr);
        if (dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clr);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += afxData.cxBorder2;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += afxData.cyBorder2;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= afxData.cxBorder2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= afxData.cyBorder2;
}

// Only a docked bar with CBRS_GRIPPER has one: an etched line across the
// bar's thickness at its start.
void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    COLORREF clrHilite = afxData.clrBtnHilite, clrShadow = afxData.clrBtnShadow;
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + kBorderGripper, rect.top + m_cyTopBorder, kGripper,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, clrHilite, clrShadow);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + kBorderGripper,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, kGripper, clrHilite, clrShadow);
}

// On a window DC clipped to the non-client area: the borders, the face
// (WM_ERASEBKGND) where they leave room, then the gripper.
void CControlBar::EraseNonClient()
{
    CWindowDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    ScreenToClient(rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    DrawBorders(&dc, rectWindow);
    dc.IntersectClipRect(rectWindow);
    // A control's own erase covers its client size from the DC's origin and
    // so misses the strips past it on the right and below: the face goes
    // under everything first.
    dc.FillSolidRect(rectWindow, afxData.clrBtnFace);
    SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC);
    DrawGripper(&dc, rectWindow);
}

void CControlBar::OnNcPaint()
{
    EraseNonClient();
}

// A press on no item of a docked bar drags it; a double click there floats
// or docks it.
void CControlBar::OnLButtonDown(UINT nFlags, CPoint pt)
{
    if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(pt, NULL) == -1) {
        ClientToScreen(&pt);
        m_pDockContext->StartDrag(pt);
    } else {
        CWnd::OnLButtonDown(nFlags, pt);
    }
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint pt)
{
    if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(pt, NULL) == -1)
        m_pDockContext->ToggleDocking();
    else
        CWnd::OnLButtonDblClk(nFlags, pt);
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
        // a floating dynamic bar is asked for its floating size
        DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
        if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
            dwMode |= LM_HORZ | LM_MRUWIDTH;
        else if (dwStyle & CBRS_ORIENT_HORZ)
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

// The owner set on the bar (SetOwner, EnableDocking) updates it whatever it
// is (a combo box owning its tool bar gets its handlers run); a bar with no
// owner set (one a rebar adopted, say) is updated by its parent frame.
CCmdTarget* CControlBar::GetUpdateTarget() const
{
    if (m_hWndOwner != NULL) {
        CWnd* pOwner = CWnd::FromHandle(m_hWndOwner);
        if (pOwner != NULL)
            return pOwner;
    }
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsFrameWnd())
        return pParent;
    return GetParentFrame();
}

// A pending DelayShow is applied first; a bar updates while it and its dock
// bar are visible.
LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    BOOL bVis = (GetStyle() & WS_VISIBLE) != 0;
    UINT swpFlags = 0;
    if ((m_nStateFlags & delayHide) && bVis)
        swpFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVis)
        swpFlags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayShow | delayHide);
    if (swpFlags != 0)
        SetWindowPos(NULL, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if ((GetStyle() & WS_VISIBLE) && (m_pDockBar == NULL || (m_pDockBar->GetStyle() & WS_VISIBLE))) {
        // CCmdUI::DoUpdate routes through the target's OnCmdMsg only
        CCmdTarget* pTarget = GetUpdateTarget();
        if (pTarget != NULL)
            OnUpdateCmdUI((CFrameWnd*)pTarget, (BOOL)wParam);
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

