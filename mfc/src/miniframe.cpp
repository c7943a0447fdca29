// miniframe.cpp - CMiniFrameWnd, a frame with a small (tool window)
// caption, and CMiniDockFrameWnd, the floating frame a control bar floats in.
#include "docimpl.h"
#include <afxext.h>

// ---------------------------------------------------------------------------
// CMiniFrameWnd
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_QUERYCENTERWND, OnQueryCenterWnd)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() : m_bActive(FALSE)
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

// The class double-clicks (a caption double click docks a floating bar).
// The default rectangle is empty: a floating frame sizes itself to its bars.
BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strCaption = lpWindowName;
    m_strTitle = lpWindowName;
    if (lpClassName == NULL)
        lpClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    CRect rc(rect);
    if (rc == rectDefault)
        rc.SetRectEmpty();
    HMENU hMenu = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rc.left, rc.top, rc.Width(), rc.Height(),
                          pParentWnd->GetSafeHwnd(), hMenu);
}

// MFS_THICKFRAME and MFS_4THICKFRAME size the frame (WS_THICKFRAME); a
// caption makes a tool window; a mini frame has no client edge.
BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.style & (MFS_4THICKFRAME | MFS_THICKFRAME))
        cs.style |= WS_THICKFRAME;
    if (cs.style & WS_CAPTION)
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    CFrameWnd::PreCreateWindow(cs);
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

void PASCAL CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    (void)dwExStyle;
    ::AdjustWindowRectEx(lpClientRect, dwStyle, FALSE, WS_EX_PALETTEWINDOW);
}

// A frame that follows its owner's activation (MFS_SYNCACTIVE) draws its
// caption only when its owner tells it to (WM_FLOATSTATUS); the system's own
// activation changes nothing.
BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if ((GetStyle() & MFS_SYNCACTIVE) == 0) {
        m_bActive = bActive;
        return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
    }
    if (m_nFlags & WF_KEEPMINIACTIVE)
        return FALSE;
    return TRUE;
}

// MFS_BLOCKSYSMENU: the system menu box is caption; MFS_MOVEFRAME: the
// border moves the frame; MFS_4THICKFRAME: corners size one side only.
LRESULT CMiniFrameWnd::OnNcHitTest(CPoint point)
{
    DWORD dwStyle = GetStyle();
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CSize sizeFrame(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    LRESULT nHit = DefWindowProc(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (dwStyle & MFS_BLOCKSYSMENU) {
        if (nHit == HTSYSMENU)
            nHit = HTCAPTION;
        if (::GetKeyState(VK_RBUTTON) < 0)
            return HTNOWHERE;
    }
    if ((nHit < HTSIZEFIRST || nHit > HTSIZELAST) && nHit != HTGROWBOX)
        return nHit;
    if (dwStyle & MFS_MOVEFRAME)
        return HTCAPTION;
    rectWindow.InflateRect(-sizeFrame.cx, -sizeFrame.cy);
    if (dwStyle & MFS_4THICKFRAME) {
        switch (nHit) {
        case HTTOPLEFT: return point.y < rectWindow.top ? HTTOP : HTLEFT;
        case HTTOPRIGHT: return point.y < rectWindow.top ? HTTOP : HTRIGHT;
        case HTBOTTOMLEFT: return point.y > rectWindow.bottom ? HTBOTTOM : HTLEFT;
        case HTGROWBOX:
        case HTBOTTOMRIGHT: return point.y > rectWindow.bottom ? HTBOTTOM : HTRIGHT;
        default: break;
        }
    }
    return nHit;
}

// A floating popup's system commands other than closing (and Alt+F4 on a
// synchronised one) are its owner frame's.
void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    DWORD dwStyle = GetStyle();
    if ((dwStyle & WS_POPUP) &&
        ((nID & 0xFFF0) != SC_CLOSE ||
         (::GetKeyState(VK_F4) < 0 && ::GetKeyState(VK_MENU) < 0 && (dwStyle & MFS_SYNCACTIVE)))) {
        UINT nCmd = nID & 0xFFF0;
        if (nCmd == SC_KEYMENU || nCmd == SC_PREVWINDOW || nCmd == SC_NEXTWINDOW || nCmd == SC_CLOSE) {
            CWnd* pTop = GetTopLevelParent();
            CFrameWnd* pOwner = GetTopLevelFrame();
            if (pOwner != NULL && pOwner != this && pOwner->m_hWnd != NULL) {
                pOwner->SendMessage(WM_SYSCOMMAND, nID, lParam);
                return;
            }
            (void)pTop;
        }
    }
    DefWindowProc(WM_SYSCOMMAND, nID, lParam);
}

// The owner's FS_ flags: show, hide, enable; a synchronised frame draws its
// caption as the owner's (FS_ACTIVATE/FS_DEACTIVATE) and answers
// FS_SYNCACTIVE with 1.
LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    LRESULT lResult = 0;
    if ((GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE))
        lResult = 1;
    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(NULL, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE |
                         SWP_NOACTIVATE);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE)) {
        ModifyStyle(MFS_SYNCACTIVE, 0);
        m_bActive = (wParam & FS_ACTIVATE) != 0;
        SendMessage(WM_NCACTIVATE, m_bActive);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return lResult;
}

// A synchronised frame that appears draws its caption as its owner has it:
// active while the owner or one of its synchronised palettes is active.
void CMiniFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    (void)nStatus;
    if (!bShow || !(GetStyle() & MFS_SYNCACTIVE))
        return;
    CFrameWnd* pTop = GetTopLevelFrame();
    if (pTop == NULL || pTop == this)
        return;
    HWND hWndActive = ::GetActiveWindow();
    BOOL bActive = hWndActive == pTop->m_hWnd;
    if (!bActive && hWndActive != NULL && hWndActive != m_hWnd && ::GetWindow(hWndActive, GW_OWNER) == pTop->m_hWnd)
        bActive = ::SendMessage(hWndActive, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
    OnFloatStatus(bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
}

// Dialogs centre on the owner frame, not on the palette.
LRESULT CMiniFrameWnd::OnQueryCenterWnd(WPARAM, LPARAM)
{
    CWnd* pOwner = GetTopLevelFrame();
    return (LRESULT)(pOwner != NULL && pOwner != this ? pOwner->m_hWnd : NULL);
}

// ---------------------------------------------------------------------------
// CMiniDockFrameWnd
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
    m_wndDockBar.m_bAutoDelete = FALSE;
}

// The frame is made with layout held off (until a bar docks in it); its
// dock bar is made a child of the dock site first, so that it registers
// there with the other bars, then moved into the frame.
BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    m_bInRecalcLayout = TRUE;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    if (!CMiniFrameWnd::CreateEx(0, NULL, "", dwStyle, rectDefault, pParent)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    dwStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != NULL) {
        // a palette is neither sized by the menu nor minimised or maximised
        pSysMenu->DeleteMenu(SC_SIZE, MF_BYCOMMAND);
        pSysMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
        pSysMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
        pSysMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
    }
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

// The caption is the dock bar's text (its single bar's title).
void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    CMiniFrameWnd::RecalcLayout(bNotify);
    if (m_wndDockBar.m_hWnd != NULL) {
        CString strTitle, strOld;
        m_wndDockBar.GetWindowText(strTitle);
        GetWindowText(strOld);
        if (strOld != strTitle)
            SetWindowText(strTitle);
    }
}

CWnd* CMiniDockFrameWnd::GetMessageBar()
{
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame != NULL && pFrame != this)
        return pFrame->GetMessageBar();
    return NULL;
}

void CMiniDockFrameWnd::OnClose()
{
    m_wndDockBar.ShowAll(FALSE);
}

CControlBar* CMiniDockFrameWnd::GetSingleBar()
{
    if (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)
        return NULL;
    for (int nPos = 1; nPos < (int)m_wndDockBar.m_arrBars.GetSize(); nPos++) {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar(nPos);
        if (pBar != NULL)
            return pBar;
    }
    return NULL;
}

// A press on the caption activates the owner frame (unless the palette
// has the focus) and drags the bar.
static void ActivateTopParent(CWnd* pWnd)
{
    HWND hWndActive = ::GetForegroundWindow();
    if (hWndActive == NULL || !(hWndActive == pWnd->m_hWnd || ::IsChild(hWndActive, pWnd->m_hWnd))) {
        CFrameWnd* pTop = pWnd->GetTopLevelFrame();
        if (pTop != NULL)
            ::SetForegroundWindow(pTop->m_hWnd);
    }
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION) {
        ActivateTopParent(this);
        CControlBar* pBar = GetSingleBar();
        if (pBar != NULL && pBar->m_pDockContext != NULL) {
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
    } else if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
        ActivateTopParent(this);
        CControlBar* pBar = GetSingleBar();
        if (pBar != NULL && pBar->m_pDockContext != NULL && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
            pBar->m_pDockContext->StartResize((int)nHitTest, point);
            return;
        }
    }
    DefWindowProc(WM_NCLBUTTONDOWN, nHitTest, MAKELPARAM(point.x, point.y));
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION) {
        ActivateTopParent(this);
        CControlBar* pBar = GetSingleBar();
        if (pBar != NULL && pBar->m_pDockContext != NULL) {
            pBar->m_pDockContext->ToggleDocking();
            return;
        }
    }
    DefWindowProc(WM_NCLBUTTONDBLCLK, nHitTest, MAKELPARAM(point.x, point.y));
}
