#include "OXDragDockContext.h"

#include <algorithm>

#include "OXDockTabCtrl.h"
#include "OXMDIFloatWnd.h"
#include "OXSizableMiniDockFrameWnd.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "toolkit_res.h"

namespace {

// A window that never validates would keep a paint pending for ever.
const int nMaxPaintsBeforeDrag = 256;

// A quit comes through a peek for paints too: it goes back in the queue,
// where the drag loop meets it and ends.
void DispatchPendingPaints()
{
    MSG msg;
    for (int i = 0; i < nMaxPaintsBeforeDrag && ::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        ::DispatchMessage(&msg);
    }
}

void SetMainMessage(UINT nID)
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL && ::IsWindow(pMain->m_hWnd))
        pMain->SendMessage(WM_SETMESSAGESTRING, nID);
}

}   // namespace

// ---------------------------------------------------------------------------
// COXDragFeedbackWnd
// ---------------------------------------------------------------------------

COXDragFeedbackWnd::COXDragFeedbackWnd() : m_rectShown(0, 0, 0, 0), m_sizeShown(0, 0), m_bDither(FALSE) {}

COXDragFeedbackWnd::~COXDragFeedbackWnd()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

void COXDragFeedbackWnd::ShowFrame(const CRect& rect, CSize sizeFrame, BOOL bDither)
{
    if (sizeFrame.cx <= 0 || sizeFrame.cy <= 0 || rect.IsRectEmpty()) {
        HideFrame();
        return;
    }
    if (!::IsWindow(m_hWnd)) {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
        if (!CreateEx(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
                      lpszClass, "", WS_POPUP, rect, NULL, 0))
            return;
        ::SetLayeredWindowAttributes(m_hWnd, 0, 192, LWA_ALPHA);
    }
    const BOOL bChanged = rect != m_rectShown || sizeFrame != m_sizeShown || bDither != m_bDither || !IsShown();
    if (!bChanged)
        return;
    // the window is the frame alone: its inside belongs to what lies under it
    if (rect.Size() != m_rectShown.Size() || sizeFrame != m_sizeShown) {
        HRGN hRgn = ::CreateRectRgn(0, 0, rect.Width(), rect.Height());
        HRGN hInside = ::CreateRectRgn(sizeFrame.cx, sizeFrame.cy, rect.Width() - sizeFrame.cx,
                                       rect.Height() - sizeFrame.cy);
        ::CombineRgn(hRgn, hRgn, hInside, RGN_DIFF);
        ::DeleteObject(hInside);
        ::SetWindowRgn(m_hWnd, hRgn, FALSE);   // the window owns the region now
    }
    m_rectShown = rect;
    m_sizeShown = sizeFrame;
    m_bDither = bDither;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void COXDragFeedbackWnd::HideFrame()
{
    if (::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd))
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    m_rectShown.SetRectEmpty();
    m_sizeShown = CSize(0, 0);
}

BEGIN_MESSAGE_MAP(COXDragFeedbackWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

void COXDragFeedbackWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (m_bDither) {
        CBrush* pOld = dc.SelectObject(CDC::GetHalftoneBrush());
        dc.PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
        dc.SelectObject(pOld);
    } else {
        dc.FillSolidRect(&rect, RGB(255, 255, 255));
    }
}

LRESULT COXDragFeedbackWnd::OnNcHitTest(CPoint)
{
    return HTTRANSPARENT;
}

// ---------------------------------------------------------------------------
// COXDragLoopGuard
// ---------------------------------------------------------------------------

CDC* COXDragLoopGuard::TakeDesktop()
{
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    m_bLocked = pDesktop->LockWindowUpdate();
    m_pDC = pDesktop->GetDCEx(NULL, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    return m_pDC;
}

void COXDragLoopGuard::Capture(HWND hWnd)
{
    m_hWndCapture = hWnd;
    ::SetCapture(hWnd);
}

void COXDragLoopGuard::Release()
{
    // never another window's capture
    if (m_hWndCapture != NULL && ::GetCapture() == m_hWndCapture)
        ::ReleaseCapture();
    m_hWndCapture = NULL;
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    if (m_bLocked) {
        pDesktop->UnlockWindowUpdate();
        m_bLocked = FALSE;
    }
    if (m_pDC != NULL) {
        pDesktop->ReleaseDC(m_pDC);
        m_pDC = NULL;
    }
}

// ---------------------------------------------------------------------------
// COXDragDockContext
// ---------------------------------------------------------------------------

BOOL COXDragDockContext::m_bDrawOnDesktop = FALSE;

COXDragDockContext::COXDragDockContext(CControlBar* pBar)
    : CDockContext(pBar), m_rectDock(0, 0, 0, 0), m_rectDockAreaHorz(0, 0, 0, 0), m_rectDockAreaVert(0, 0, 0, 0),
      m_pTargetDockBar(NULL), m_ptStart(0, 0), m_pGuard(NULL)
{
}

COXDragDockContext::~COXDragDockContext()
{
    // deleted under a running drag (its bar went): the feedback and what
    // the loop holds go now; the loop learns of it through m_pbDeleted
    m_wndFeedback.HideFrame();
    if (m_pGuard != NULL)
        m_pGuard->Release();
    m_pDC = NULL;
}

int COXDragDockContext::DragLength(int nLength, int nClientLength)
{
    return nLength >= nClientLength - 16 ? nClientLength / 3 : nLength;
}

void COXDragDockContext::HoldX(CRect& rect, int x)
{
    if (x < rect.left)
        rect.OffsetRect(x - rect.left, 0);
    else if (x > rect.right)
        rect.OffsetRect(x - rect.right, 0);
}

CRect COXDragDockContext::ShareOfRow(const CRect& rectDrag, const CRect& rectArea, int nOthers, BOOL bHorz)
{
    CRect rect = rectDrag;
    if (bHorz)
        rect.right = rect.left + rectArea.Width() / (nOthers + 1);
    else
        rect.bottom = rect.top + rectArea.Height() / (nOthers + 1);
    return rect;
}

BOOL COXDragDockContext::IsInMDIFloatWnd() const
{
    if (!(m_pBar->m_dwStyle & CBRS_FLOATING) || !::IsWindow(m_pBar->m_hWnd))
        return FALSE;
    return DYNAMIC_DOWNCAST(COXMDIFloatWnd, m_pBar->GetParentFrame()) != NULL;
}

CSize COXDragDockContext::BarSize(int nWhich) const
{
    COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, m_pBar);
    if (pSizeBar != NULL)
        return nWhich == 0 ? pSizeBar->m_FloatSize : nWhich == 1 ? pSizeBar->m_HorzDockSize : pSizeBar->m_VertDockSize;
    if (nWhich == 0)
        return m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    return m_pBar->CalcDynamicLayout(-1, nWhich == 1 ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

void COXDragDockContext::InitDrag(CPoint pt)
{
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    if ((m_dwDockStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_ANY)
        SetMainMessage(IDS_OX_DRAGDOCK_HINT);

    DispatchPendingPaints();
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_bForceFrame = FALSE;
    m_bFlip = FALSE;
    m_bDragging = TRUE;
    m_dwOverDockStyle = 0;
    m_pTargetDockBar = NULL;
    CRect rectBar;
    m_pBar->GetWindowRect(&rectBar);
    m_ptLast = m_ptStart = pt;

    // the frame's client area, the side dock bars counted in
    CRect rectClient;
    m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectClient);
    m_pDockSite->ClientToScreen(&rectClient);
    CControlBar* pLeft = m_pDockSite->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    CControlBar* pRight = m_pDockSite->GetControlBar(AFX_IDW_DOCKBAR_RIGHT);
    CRect r;
    if (pLeft != NULL && ::IsWindow(pLeft->m_hWnd) && pLeft->IsWindowVisible()) {
        pLeft->GetWindowRect(&r);
        rectClient.left -= r.Width();
    }
    if (pRight != NULL && ::IsWindow(pRight->m_hWnd) && pRight->IsWindowVisible()) {
        pRight->GetWindowRect(&r);
        rectClient.right += r.Width();
    }

    const CSize sizeFloat = BarSize(0), sizeHorz = BarSize(1), sizeVert = BarSize(2);
    m_rectDockAreaHorz = CRect(rectClient.left, rectBar.top, rectClient.right, rectBar.top + sizeHorz.cy);
    m_rectDockAreaVert = CRect(rectBar.left, rectClient.top, rectBar.left + sizeVert.cx, rectClient.bottom);
    m_rectDragHorz = CRect(rectBar.TopLeft(), CSize(DragLength(sizeHorz.cx, rectClient.Width()), sizeHorz.cy));
    m_rectDragVert = CRect(rectBar.TopLeft(), CSize(sizeVert.cx, DragLength(sizeVert.cy, rectClient.Height())));

    // the floating outlines are as big as the frame the bar would float in
    m_rectFrameDragHorz = CRect(rectBar.TopLeft(), sizeFloat);
    m_rectFrameDragVert = CRect(rectBar.TopLeft(), sizeFloat);
    {
        // a frame made only to measure must leave the floating frames' hook alone
        COXSizableMiniDockFrameWnd::CMeasuring measuring;
        CMiniDockFrameWnd* pTemp =
            m_pDockSite->CreateFloatingFrame((m_dwStyle & CBRS_ORIENT_HORZ) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
        if (pTemp == NULL)
            AfxThrowMemoryException();
        pTemp->CalcWindowRect(&m_rectFrameDragHorz);
        pTemp->CalcWindowRect(&m_rectFrameDragVert);
        pTemp->DestroyWindow();
    }

    HoldX(m_rectDockAreaHorz, pt.x);
    HoldX(m_rectDockAreaVert, pt.x);
    HoldX(m_rectDragHorz, pt.x);
    HoldX(m_rectDragVert, pt.x);
    HoldX(m_rectFrameDragHorz, pt.x);
    HoldX(m_rectFrameDragVert, pt.x);
}

DWORD COXDragDockContext::CanDock()
{
    m_pTargetDockBar = NULL;
    for (int nPass = 0; nPass < 2; ++nPass) {
        const BOOL bHorz = nPass == 0;
        const DWORD dwOrient = bHorz ? CBRS_ORIENT_HORZ : CBRS_ORIENT_VERT;
        if (!(m_dwDockStyle & dwOrient))
            continue;
        const DWORD dwStyle = m_dwDockStyle & ~(bHorz ? CBRS_ORIENT_VERT : CBRS_ORIENT_HORZ);
        const CRect& rectArea = bHorz ? m_rectDockAreaHorz : m_rectDockAreaVert;
        const CRect& rectDrag = bHorz ? m_rectDragHorz : m_rectDragVert;
        CDockBar* pDockBar = NULL;
        const DWORD dwFound = m_pDockSite->CanDock(rectArea, dwStyle, &pDockBar);
        if (dwFound == 0)
            continue;
        m_rectDock = rectArea;
        m_pTargetDockBar = pDockBar;
        CDockBar* pRowBar = NULL;
        if (m_pDockSite->CanDock(rectDrag, dwStyle, &pRowBar) != 0 && pRowBar != NULL) {
            COXSizeDockBar* pSizeDock = DYNAMIC_DOWNCAST(COXSizeDockBar, pRowBar);
            const int nOthers = pSizeDock != NULL ? pSizeDock->CountOtherBarsInRow(m_pBar, rectDrag) : 0;
            m_rectDock = ShareOfRow(rectDrag, rectArea, nOthers, bHorz);
            m_pTargetDockBar = pRowBar;
        }
        return dwFound;
    }
    return 0;
}

void COXDragDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    CSize size(1, 1);
    CRect rect;
    BOOL bDither = FALSE;
    if (m_dwOverDockStyle & CBRS_ALIGN_ANY) {
        rect = m_rectDock;
        rect.InflateRect(-1, -1);
    } else {
        size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
        rect = m_rectFrameDragHorz;
        bDither = TRUE;
    }
    if (bRemoveRect)
        size = CSize(0, 0);
    if (m_bDrawOnDesktop) {
        if (m_pDC == NULL)
            return;
        CBrush* pWhite = CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH));
        CBrush* pHalftone = CDC::GetHalftoneBrush();
        m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, bDither ? pHalftone : pWhite,
                            m_bDitherLast ? pHalftone : pWhite);
    } else {
        m_wndFeedback.ShowFrame(rect, size, bDither);
    }
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = bDither;
}

void COXDragDockContext::Move(CPoint pt)
{
    const CPoint d = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(d);
    m_rectDragVert.OffsetRect(d);
    m_rectFrameDragHorz.OffsetRect(d);
    m_rectFrameDragVert.OffsetRect(d);
    m_rectDockAreaHorz.OffsetRect(0, d.y);
    m_rectDockAreaVert.OffsetRect(d.x, 0);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void COXDragDockContext::SetForceFrame(BOOL bForce)
{
    if (m_bForceFrame == bForce)
        return;
    m_bForceFrame = bForce;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void COXDragDockContext::CancelDrag()
{
    DrawFocusRect(TRUE);
    m_wndFeedback.HideFrame();
    if (m_pGuard != NULL)
        m_pGuard->Release();
    m_pDC = NULL;
    SetMainMessage(AFX_IDS_IDLEMESSAGE);
}

void COXDragDockContext::EndDrag(CPoint pt)
{
    CancelDrag();
    if (pt == m_ptStart)
        return;   // a click: nothing moves
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, m_pBar);
    COXSizeDockBar* pOldDock = DYNAMIC_DOWNCAST(COXSizeDockBar, m_pBar->m_pDockBar);
    if (m_dwOverDockStyle == 0 || m_pTargetDockBar == NULL) {
        // a bar leaving its stack takes its tab with it
        if (pOldDock != NULL && pOldDock->GetTabContainerOf(m_pBar) != NULL)
            pOldDock->m_wndTabContainer.RemoveBar(m_pBar);
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        const HWND hWndBar = m_pBar->m_hWnd;
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
        if (::IsWindow(hWndBar)) {
            m_pBar->SendMessage(WM_OXSIZEBAR_FLOATED);
            CFrameWnd* pFloatFrame = m_pBar->GetParentFrame();
            if (pFloatFrame != NULL && pFloatFrame != m_pDockSite)
                pFloatFrame->ModifyStyle(0, 0x0001);
        }
        return;
    }
    const BOOL bHorz = (m_pTargetDockBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    // a bar that takes the drag's length, in its own row too, needs the
    // others to make room for it (the row's signature may not change when
    // it only moves along its row)
    BOOL bNewLength = FALSE;
    if (pSizeBar != NULL) {
        CSize& sizeDock = bHorz ? pSizeBar->m_HorzDockSize : pSizeBar->m_VertDockSize;
        bNewLength = sizeDock != m_rectDock.Size();
        sizeDock = m_rectDock.Size();
    }
    const UINT nSignatureBefore = pOldDock != NULL ? pOldDock->CurrentSignature() : 0;
    COXSizeDockBar* pTarget = DYNAMIC_DOWNCAST(COXSizeDockBar, m_pTargetDockBar);
    if (pTarget != NULL) {
        pTarget->DockBarAt(m_pBar, &m_rectDock);
        if (pTarget != pOldDock || bNewLength || pTarget->CurrentSignature() != nSignatureBefore)
            pTarget->MakeRoomInRow(m_pBar);
    } else {
        m_pDockSite->DockControlBar(m_pBar, m_pTargetDockBar, &m_rectDock);
    }
    m_pDockSite->RecalcLayout();
}

void COXDragDockContext::Track(const BOOL& bDeleted)
{
    const HWND hWndBar = m_pBar->m_hWnd;
    for (;;) {
        if (!::IsWindow(hWndBar) || ::GetCapture() != hWndBar)
            break;
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0)) {
            // the quit belongs to the message loop that called us
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        CPoint pt = msg.pt;
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.hwnd == hWndBar) {
            pt = CPoint((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(hWndBar, &pt);
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
            Move(pt);
            break;
        case WM_LBUTTONUP:
                        EndDrag(pt);
            return;
        case WM_RBUTTONDOWN:
                        CancelDrag();
            return;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                                CancelDrag();
                return;
            }
            if (msg.wParam == VK_CONTROL)
                SetForceFrame(TRUE);
            break;
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL)
                SetForceFrame(FALSE);
            break;
        default:
            ::DispatchMessage(&msg);
            if (bDeleted)
                return;   // the context went with its bar
            break;
        }
    }
    if (!bDeleted)
        CancelDrag();
}

void COXDragDockContext::StartDrag(CPoint pt)
{
    if (IsInMDIFloatWnd() || m_pDockSite == NULL || ::GetCapture() != NULL)
        return;
    // Locals outlive the context when a message the loop passes on deletes
    // it: the guard gives back what the drag holds on every way out, and
    // the context is touched again only while it lives.
    COXDragLoopGuard guard;
    BOOL bDeleted = FALSE;
    struct Detach
    {
        COXDragDockContext* p;
        const BOOL& bDeleted;
        ~Detach()
        {
            if (bDeleted)
                return;
            p->m_wndFeedback.HideFrame();
            p->m_pGuard = NULL;
            p->m_pDC = NULL;
            p->m_pbDeleted = NULL;
        }
    } detach{this, bDeleted};
    m_pGuard = &guard;
    m_pbDeleted = &bDeleted;
    InitDrag(pt);
    if (m_bDrawOnDesktop)
        m_pDC = guard.TakeDesktop();
    guard.Capture(m_pBar->m_hWnd);
    m_dwOverDockStyle = CanDock();
    DrawFocusRect();
    Track(bDeleted);
}

void COXDragDockContext::ToggleDocking()
{
    if (IsInMDIFloatWnd())
        return;
    COXSizeDockBar* pDock = DYNAMIC_DOWNCAST(COXSizeDockBar, m_pBar->m_pDockBar);
    if (pDock != NULL && !m_pBar->IsFloating() && pDock->GetTabContainerOf(m_pBar) != NULL)
        pDock->m_wndTabContainer.RemoveBar(m_pBar);
    CDockContext::ToggleDocking();
}
