#include "OXSizableMiniDockFrameWnd.h"

#include <afxres.h>

#include "OXCoolToolBar.h"
#include "OXMDIChildWndSizeDock.h"
#include "OXMiniFrameSkin.h"
#include "OXSizeControlBar.h"
#include "OXSkins.h"
#include "OXSkinnedApp.h"

IMPLEMENT_DYNCREATE(COXSizableMiniDockFrameWnd, CMiniDockFrameWnd)

namespace {

// One mouse hook for the thread, shared by every frame, and the window the
// cursor was last over: leaving a frame turns its hot close button cold.
HHOOK s_hMouseHook = NULL;
HWND s_hWndLastUnderMouse = NULL;
// Set while a frame is made only to measure the floating insets: it neither
// puts the hook in nor takes it with it.
BOOL s_bMeasuring = FALSE;

COXSizableMiniDockFrameWnd* SizableFrameFromHandle(HWND hWnd)
{
    return hWnd != NULL && ::IsWindow(hWnd)
               ? DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, CWnd::FromHandlePermanent(hWnd))
               : NULL;
}

LRESULT CALLBACK MiniFrameMouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && (wParam == WM_MOUSEMOVE || wParam == WM_NCMOUSEMOVE)) {
        const MOUSEHOOKSTRUCT* pInfo = (const MOUSEHOOKSTRUCT*)lParam;
        const HWND hWndNow = pInfo != NULL ? pInfo->hwnd : NULL;
        if (hWndNow != s_hWndLastUnderMouse) {
            if (COXSizableMiniDockFrameWnd* pOld = SizableFrameFromHandle(s_hWndLastUnderMouse))
                pOld->GetMiniFrameSkin()->DrawCaptionButtons(pOld);
        }
        s_hWndLastUnderMouse = hWndNow;
    }
    return ::CallNextHookEx(s_hMouseHook, nCode, wParam, lParam);
}

} // namespace

COXSizableMiniDockFrameWnd::COXSizableMiniDockFrameWnd() : m_bClosing(FALSE), m_nFrameKind(0), m_pDefaultSkin(NULL)
{
}

COXSizableMiniDockFrameWnd::~COXSizableMiniDockFrameWnd()
{
    delete m_pDefaultSkin;
}

BOOL COXSizableMiniDockFrameWnd::IsMouseHookInstalled()
{
    return s_hMouseHook != NULL;
}

COXSizableMiniDockFrameWnd::CMeasuring::CMeasuring() : m_bWas(s_bMeasuring)
{
    s_bMeasuring = TRUE;
}

COXSizableMiniDockFrameWnd::CMeasuring::~CMeasuring()
{
    s_bMeasuring = m_bWas;
}

// ---------------------------------------------------------------------------
// What the frame holds
// ---------------------------------------------------------------------------
CControlBar* COXSizableMiniDockFrameWnd::GetBar()
{
    return GetSingleBar();
}

COXSizeViewBar* COXSizableMiniDockFrameWnd::GetViewBar()
{
    return DYNAMIC_DOWNCAST(COXSizeViewBar, GetBar());
}

COXMDIChildWndSizeDock* COXSizableMiniDockFrameWnd::GetViewBarChild()
{
    COXSizeViewBar* pViewBar = GetViewBar();
    return pViewBar != NULL ? pViewBar->GetChild() : NULL;
}

int COXSizableMiniDockFrameWnd::GetFrameKind()
{
    if (m_nFrameKind != 0)
        return m_nFrameKind;
    int nKind = 1;
    CControlBar* pBar = GetBar();
    COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
    if (pSizeBar != NULL) {
        nKind = 2;
        // a floating sizing bar is neither minimised, maximised nor restored
        GetSystemMenu(TRUE);
        CMenu* pMenu = GetSystemMenu(FALSE);
        if (pMenu != NULL) {
            pMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
            pMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
            pMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
            pMenu->DeleteMenu(SC_TASKLIST, MF_BYCOMMAND);
            for (int i = (int)pMenu->GetMenuItemCount() - 1; i >= 0; --i)
                if (pMenu->GetMenuState(i, MF_BYPOSITION) & MF_SEPARATOR)
                    pMenu->DeleteMenu(i, MF_BYPOSITION);
            CString strHide;
            if (!(pSizeBar->m_dwSizeBarStyle & SZBAR_DELETEONCLOSE) && strHide.LoadString(AFX_IDS_HIDE))
                pMenu->ModifyMenu(SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, strHide);
        }
    } else if (pBar != NULL && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
        ModifyStyle(0, MFS_4THICKFRAME);
    } else {
        // a bar of fixed size: the border moves the frame
        ModifyStyle(WS_THICKFRAME, MFS_MOVEFRAME, SWP_FRAMECHANGED);
    }
    m_nFrameKind = nKind;
    return nKind;
}

COXMiniFrameSkin* COXSizableMiniDockFrameWnd::GetMiniFrameSkin()
{
    if (COXSkin* pSkin = OXGetCurrentSkin())
        if (COXMiniFrameSkin* pElement = pSkin->GetMiniFrameSkin())
            return pElement;
    if (m_pDefaultSkin == NULL)
        m_pDefaultSkin = new COXMiniFrameSkinClassic;
    return m_pDefaultSkin;
}

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------
void COXSizableMiniDockFrameWnd::InflateByBarBorders(CRect& rect, DWORD dwBarStyle)
{
    if (dwBarStyle & CBRS_BORDER_LEFT)
        rect.left -= afxData.cxBorder2;
    if (dwBarStyle & CBRS_BORDER_TOP)
        rect.top -= afxData.cyBorder2;
    if (dwBarStyle & CBRS_BORDER_RIGHT)
        rect.right += afxData.cxBorder2;
    if (dwBarStyle & CBRS_BORDER_BOTTOM)
        rect.bottom += afxData.cyBorder2;
}

CRect COXSizableMiniDockFrameWnd::GetFloatingInsets()
{
    static BOOL s_bMeasured = FALSE;
    static CRect s_insets(0, 0, 0, 0);
    if (s_bMeasured)
        return s_insets;
    CRect rect(0, 0, 0, 0);
    CWnd* pMain = AfxGetMainWnd();
    COXSizableMiniDockFrameWnd* pTemp = NULL;
    if (pMain != NULL && ::IsWindow(pMain->m_hWnd)) {
        s_bMeasuring = TRUE;
        pTemp = new COXSizableMiniDockFrameWnd;
        if (!pTemp->Create(pMain, CBRS_ALIGN_TOP)) {
            // a frame that failed to be made deletes itself when its window went
            pTemp = NULL;
        }
    }
    if (pTemp != NULL) {
        pTemp->CalcWindowRect(&rect);
        rect.DeflateRect(afxData.cxBorder2, afxData.cyBorder2);
        s_insets = CRect(rect.right, -rect.top, rect.right, rect.bottom);
        pTemp->DestroyWindow();
        s_bMeasured = TRUE;
    }
    s_bMeasuring = FALSE;
    return s_insets;
}

void COXSizableMiniDockFrameWnd::AdjustFloatingRect(CRect& rect, BOOL bShrink)
{
    const CRect insets = GetFloatingInsets();
    const int nSign = bShrink ? 1 : -1;
    rect.top += nSign * insets.top;
    rect.left += nSign * insets.left;
    rect.right -= nSign * insets.right;
    rect.bottom -= nSign * insets.bottom;
}

BOOL COXSizableMiniDockFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~(MFS_MOVEFRAME | MFS_4THICKFRAME);
    cs.style |= MFS_THICKFRAME | WS_THICKFRAME;
    return CMiniDockFrameWnd::PreCreateWindow(cs);
}

// ---------------------------------------------------------------------------
// Helpers of the handlers
// ---------------------------------------------------------------------------
void COXSizableMiniDockFrameWnd::ActivateTopParent()
{
    CWnd* pTop = GetTopLevelParent();
    if (pTop != NULL && pTop != this)
        pTop->SetActiveWindow();
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame != NULL && pFrame != this && ::GetForegroundWindow() != pFrame->m_hWnd &&
        ::GetForegroundWindow() != m_hWnd)
        ::SetForegroundWindow(pFrame->m_hWnd);
    // Activating the owners lifts them on the display, and a frame owned by
    // another window takes only its own popups along: this frame must come
    // back on top, or the next click of a double click lands in the window
    // under it. It is often on top already in the system's order, where a
    // lift to the top changes nothing and leaves the display as the
    // activation made it (and the system's order follows the display later):
    // through topmost and back, it is lifted on the display too.
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void COXSizableMiniDockFrameWnd::TrackSystemMenu(CPoint pt)
{
    CMenu* pMenu = GetSystemMenu(FALSE);
    if (pMenu == NULL || pMenu->GetMenuItemCount() == 0)
        return;
    const UINT nCmd = (UINT)pMenu->TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN | TPM_LEFTBUTTON, pt.x, pt.y, this);
    if (nCmd != 0)
        SendMessage(WM_SYSCOMMAND, nCmd, MAKELPARAM(pt.x, pt.y));
}

// ---------------------------------------------------------------------------
// Message handlers
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXSizableMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCACTIVATE()
    ON_WM_NCPAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATE()
    ON_WM_PARENTNOTIFY()
    ON_WM_INITMENUPOPUP()
    ON_WM_SYSCOMMAND()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

int COXSizableMiniDockFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMiniDockFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_nFrameKind = 0;
    m_bClosing = FALSE;
    if (s_hMouseHook == NULL && !s_bMeasuring)
        s_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MiniFrameMouseHook, NULL, ::GetCurrentThreadId());
    return 0;
}

void COXSizableMiniDockFrameWnd::OnDestroy()
{
    // the first frame to go takes the hook with it; the next one made puts it back
    if (s_hMouseHook != NULL && !s_bMeasuring) {
        ::UnhookWindowsHookEx(s_hMouseHook);
        s_hMouseHook = NULL;
        s_hWndLastUnderMouse = NULL;
    }
    CMiniDockFrameWnd::OnDestroy();
}

void COXSizableMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    if (cx == 0 && cy == 0)
        return;
    COXSizeControlBar* pBar = DYNAMIC_DOWNCAST(COXSizeControlBar, GetBar());
    if (pBar != NULL && pBar->IsVisible()) {
        CRect rect(0, 0, cx, cy);
        InflateByBarBorders(rect, pBar->m_dwStyle);
        pBar->m_FloatSize = rect.Size();
    }
    (void)nType;
    RecalcLayout();
}

void COXSizableMiniDockFrameWnd::OnClose()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    const HWND hWndSelf = m_hWnd;
    CloseFrame();
    // a frame that is still there must close again next time
    if (::IsWindow(hWndSelf) && CWnd::FromHandlePermanent(hWndSelf) == this)
        m_bClosing = FALSE;
}

void COXSizableMiniDockFrameWnd::CloseFrame()
{
    if (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) {
        CMiniDockFrameWnd::OnClose();
        return;
    }
    CControlBar* pBar = GetBar();
    COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
    COXSizeViewBar* pViewBar = GetViewBar();
    if (pViewBar != NULL && ::IsWindow(pViewBar->m_hWnd) && !pViewBar->IsClosing()) {
        // the document may refuse ("save changes?" cancelled): all stays
        if (!pViewBar->CanClose())
            return;
        // the bar goes back to its dock bar unseen, and its close brings the
        // document window back into the MDI client; docking it takes this
        // frame away
        const HWND hWndBar = pViewBar->m_hWnd;
        CFrameWnd* pDockSite = pViewBar->m_pDockSite;
        if (pDockSite != NULL)
            pDockSite->ShowControlBar(pViewBar, FALSE, FALSE);
        if (pViewBar->m_pDockContext != NULL)
            pViewBar->m_pDockContext->ToggleDocking();
        if (::IsWindow(hWndBar))
            ::SendMessage(hWndBar, WM_CLOSE, 0, 0);
        return;
    }
    if (pSizeBar != NULL && (pSizeBar->m_dwSizeBarStyle & SZBAR_DELETEONCLOSE)) {
        // the bar goes with the frame: deleted here unless its window's end deleted it
        const BOOL bDeletesItself = pSizeBar->m_bAutoDelete;
        CFrameWnd::OnClose();
        if (!bDeletesItself)
            delete pSizeBar;
        return;
    }
    CMiniDockFrameWnd::OnClose();
}

LRESULT COXSizableMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    return CMiniFrameWnd::OnNcHitTest(point);
}

BOOL COXSizableMiniDockFrameWnd::OnSetCursor(CWnd*, UINT nHitTest, UINT)
{
    CFrameWnd* pTop = GetTopLevelFrame();
    if (pTop != NULL && pTop->m_bHelpMode) {
        ::SetCursor(afxData.hcurHelp != NULL ? afxData.hcurHelp : ::LoadCursor(NULL, IDC_HELP));
        return TRUE;
    }
    LPCTSTR lpszCursor = IDC_ARROW;
    switch (nHitTest) {
    case HTLEFT:
    case HTRIGHT: lpszCursor = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: lpszCursor = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: lpszCursor = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: lpszCursor = IDC_SIZENESW; break;
    default: break;
    }
    ::SetCursor(::LoadCursor(NULL, lpszCursor));
    return TRUE;
}

void COXSizableMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    const int nKind = GetFrameKind();
    const BOOL bSizing = nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT;
    if (nKind == 2 && bSizing) {
        // the system sizes the frame; WM_SIZE passes the size on to the bar
        ActivateTopParent();
        Default();
        return;
    }
    if (nKind == 2 && nHitTest == HTSYSMENU) {
        CPoint pt(0, 0);
        ClientToScreen(&pt);
        TrackSystemMenu(pt);
        return;
    }
    if (nHitTest == HTCLOSE) {
        if (!GetMiniFrameSkin()->DrawCaptionButtons(this)) {
            CMiniDockFrameWnd::OnNcLButtonDown(HTCLOSE, point);
            return;
        }
        CMenu* pMenu = GetSystemMenu(FALSE);
        if (pMenu != NULL && pMenu->GetMenuItemCount() > 0)
            return;   // the close follows on release
        nHitTest = HTCAPTION;   // no close to offer: the button is caption
    }
    if (nHitTest == HTCAPTION) {
        ActivateTopParent();
        if (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) {
            DefWindowProc(WM_NCLBUTTONDOWN, nHitTest, MAKELPARAM(point.x, point.y));
            return;
        }
        CWnd* pMain = AfxGetMainWnd();
        if (pMain == NULL || !::IsWindow(pMain->m_hWnd) || pMain->SendMessage(WM_QUERYSIZEDOCKDRAG) == 0) {
            CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
            return;
        }
        CControlBar* pBar = GetBar();
        COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
        COXCoolToolBar* pCoolBar = DYNAMIC_DOWNCAST(COXCoolToolBar, pBar);
        if (pSizeBar == NULL && pCoolBar == NULL) {
            DefWindowProc(WM_NCLBUTTONDOWN, nHitTest, MAKELPARAM(point.x, point.y));
            return;
        }
        // the press measured from the frame's window origin, so that the
        // frame keeps its place under the cursor while the bar floats
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        const CPoint pt = point - rectWindow.TopLeft();
        if (pSizeBar != NULL) {
            pSizeBar->StartOwnDrag(pt + pSizeBar->GetWindowRectInClient().TopLeft());
        } else {
            pCoolBar->BeginCaptionDrag(pt);
            pCoolBar->SetCapture();
            pCoolBar->m_bDragging = TRUE;
        }
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
        return;
    }
    if (nKind == 1 && bSizing) {
        ActivateTopParent();
        CControlBar* pBar = GetBar();
        if (pBar != NULL && pBar->m_pDockContext != NULL) {
            pBar->m_pDockContext->StartResize((int)nHitTest, point);
            return;
        }
    }
    Default();
}

void COXSizableMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    CMenu* pMenu = GetSystemMenu(FALSE);
    if (nHitTest == HTCLOSE && pMenu != NULL && pMenu->GetMenuItemCount() > 0) {
        SendMessage(WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(point.x, point.y));
        return;
    }
    Default();
}

void COXSizableMiniDockFrameWnd::OnNcRButtonDown(UINT, CPoint point)
{
    TrackSystemMenu(point);
}

void COXSizableMiniDockFrameWnd::OnNcMouseMove(UINT, CPoint)
{
    GetMiniFrameSkin()->DrawCaptionButtons(this);
    Default();
}

BOOL COXSizableMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    return GetMiniFrameSkin()->OnNcActivate(bActive, this);
}

void COXSizableMiniDockFrameWnd::OnNcPaint()
{
    GetMiniFrameSkin()->OnNcPaint(this);
}

int COXSizableMiniDockFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (IsViewBarFrame())
        GetBar()->SendMessage(WM_OXVIEWBAR_ACTIVATE, 1, 3);
    if (GetFrameKind() == 2 && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT)
        return (int)Default();
    return CMiniDockFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void COXSizableMiniDockFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CMiniDockFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (IsViewBarFrame())
        GetBar()->SendMessage(WM_OXVIEWBAR_ACTIVATE, nState != WA_INACTIVE ? 1 : 0, 3);
}

void COXSizableMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    const UINT nEvent = LOWORD(message);
    if (nEvent == WM_LBUTTONDOWN || nEvent == WM_RBUTTONDOWN || nEvent == WM_MBUTTONDOWN) {
        if (CControlBar* pBar = GetBar())
            pBar->SendMessage(WM_OXVIEWBAR_ACTIVATE, 1, 3);
    }
    CMiniDockFrameWnd::OnParentNotify(message, lParam);
}

void COXSizableMiniDockFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    AfxCancelModes(m_hWnd);
    (void)nIndex;
    COXMDIChildWndSizeDock* pChild = GetViewBarChild();
    if (pPopupMenu == NULL || pChild == NULL)
        return;
    // the frame tracks its system menu itself, and a menu so tracked is not
    // flagged as the system menu: know it by its handle as well
    if (!bSysMenu && pPopupMenu->m_hMenu != ::GetSystemMenu(m_hWnd, FALSE))
        return;
    const UINT nDock = OXGetDockMDIChildCommand();
    if (pPopupMenu->GetMenuState(nDock, MF_BYCOMMAND) != (UINT)-1)
        return;
    pPopupMenu->AppendMenu(MF_SEPARATOR);
    pPopupMenu->AppendMenu(MF_STRING | (pChild->IsDocked() ? MF_CHECKED : MF_UNCHECKED), nDock,
                           pChild->m_sDockMenuItem);
}

void COXSizableMiniDockFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    COXMDIChildWndSizeDock* pChild = GetViewBarChild();
    if (pChild != NULL && nID == OXGetDockMDIChildCommand()) {
        pChild->ToggleDocked();
        return;
    }
    CMiniDockFrameWnd::OnSysCommand(nID, lParam);
}

void COXSizableMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}
