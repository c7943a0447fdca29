#include "OXMDIChildWndSizeDock.h"

#include <windowsx.h>

#include <afxpriv.h>

#include "OXFrameWndDock.h"
#include "OXSizableMiniDockFrameWnd.h"
#include "OXSizeDockBar.h"

IMPLEMENT_DYNAMIC(COXSizeViewBar, COXSizeControlBar)
IMPLEMENT_DYNCREATE(COXMDIChildWndSizeDock, CMDIChildWnd)

UINT OXGetDockMDIChildCommand()
{
    static const UINT nCommand = ::RegisterWindowMessageA("_DOCK_MDICHILD_");
    return nCommand;
}

namespace {

const char kWrapperClass[] = "MDIChildWndDockWrapper";

BOOL RegisterWrapperClass()
{
    WNDCLASSA wc;
    if (::GetClassInfoA(AfxGetInstanceHandle(), kWrapperClass, &wc))
        return TRUE;
    memset(&wc, 0, sizeof(wc));
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = AfxGetAfxWndProc();
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = kWrapperClass;
    return AfxRegisterClass(&wc);
}

// The window of a child that may have deleted itself.
template <class T>
T* Alive(T* p)
{
    return p != NULL && ::IsWindow(p->m_hWnd) && CWnd::FromHandlePermanent(p->m_hWnd) == p ? p : NULL;
}

}   // namespace

// ---------------------------------------------------------------------------
// The wrapper
// ---------------------------------------------------------------------------

COXSizeBarWrapper::COXSizeBarWrapper() : m_pViewBar(NULL), m_pView(NULL), m_bDestroying(FALSE) {}

BOOL COXSizeBarWrapper::Create(COXSizeViewBar* pBar)
{
    if (!RegisterWrapperClass())
        return FALSE;
    m_pViewBar = pBar;
    m_bDestroying = FALSE;
    CRect rect;
    pBar->GetClientRect(&rect);
    CString strText;
    pBar->GetWindowText(strText);
    if (!CWnd::CreateEx(0, kWrapperClass, strText, WS_CHILD | WS_VISIBLE, rect, pBar, 0))
        return FALSE;
    SendMessage(WM_NCACTIVATE, TRUE);
    return TRUE;
}

void COXSizeBarWrapper::Attach(COXSizeViewBar* pBar, CWnd* pView)
{
    if (m_hWnd == NULL && !Create(pBar))
        AfxThrowMemoryException();
    m_pViewBar = pBar;
    m_pView = pView;
    if (pView != NULL && ::GetParent(pView->m_hWnd) != m_hWnd)
        pView->SetParent(this);
    CRect rect;
    pBar->GetClientRect(&rect);
    SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    UpdateWindow();
}

void COXSizeBarWrapper::Detach()
{
    if (m_pView != NULL && ::IsWindow(m_pView->m_hWnd) && m_pViewBar != NULL) {
        if (::GetParent(m_pView->m_hWnd) == m_hWnd)
            m_pView->SetParent(m_pViewBar);
        ShowWindow(SW_HIDE);
    }
}

LRESULT COXSizeBarWrapper::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    COXSizeViewBar* pBar = m_pViewBar != NULL && ::IsWindow(m_pViewBar->m_hWnd) ? m_pViewBar : NULL;
    switch (nMsg) {
    case WM_NCHITTEST: {
        LRESULT nHit = CWnd::WindowProc(nMsg, wParam, lParam);
        if ((nHit == HTCLIENT || nHit == HTCAPTION) && pBar != NULL)
            return pBar->SendMessage(WM_NCHITTEST, 0, lParam);
        return nHit;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (pBar != NULL) {
            CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            MapWindowPoints(pBar, &pt, 1);
            return pBar->SendMessage(nMsg, wParam, MAKELPARAM(pt.x, pt.y));
        }
        break;
    case WM_MOUSEACTIVATE: {
        LRESULT nResult = CWnd::WindowProc(nMsg, wParam, lParam);
        if (nResult != MA_NOACTIVATE && nResult != MA_NOACTIVATEANDEAT && pBar != NULL)
            pBar->SendMessage(WM_OXVIEWBAR_ACTIVATE, 1, 2);
        return nResult;
    }
    case WM_NCACTIVATE:
        // the caption looks active only for the frame's active child
        if (wParam && pBar != NULL) {
            COXMDIChildWndSizeDock* pChild = pBar->GetChild();
            COXMDIFrameWndSizeDock* pFrame = pChild != NULL ? pChild->GetSizeDockFrame() : NULL;
            if (pFrame != NULL && pFrame->GetActiveMDIChild() != pChild)
                wParam = FALSE;
        }
        break;
    case WM_CLOSE:
        if (pBar != NULL && !pBar->m_bDestroying && !pBar->CanClose())
            return 0;
        break;
    case WM_DESTROY:
        m_bDestroying = TRUE;
        if (pBar != NULL && !pBar->m_bDestroying && !pBar->IsFloatingStyle())
            Detach();
        break;
    case WM_NCDESTROY: {
        m_bDestroying = TRUE;
        LRESULT lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        if (pBar != NULL && !pBar->m_bDestroying)
            pBar->DestroyWindow();
        return lResult;
    }
    default:
        break;
    }
    return CWnd::WindowProc(nMsg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The view bar
// ---------------------------------------------------------------------------

COXSizeViewBar::COXSizeViewBar(DWORD dwSizeBarStyle)
    : COXSizeControlBar(dwSizeBarStyle), m_pChildFrame(NULL), m_pView(NULL), m_bChildWasMaximized(FALSE),
      m_bDestroying(FALSE)
{
}

COXMDIChildWndSizeDock* COXSizeViewBar::GetChild() const
{
    return Alive(m_pChildFrame);
}

BOOL COXSizeViewBar::IsClosing() const
{
    COXMDIChildWndSizeDock* pChild = GetChild();
    return m_bDestroying || (pChild != NULL && pChild->m_bClosing);
}

COXMDIFrameWndSizeDock* COXSizeViewBar::GetSizeDockFrame() const
{
    COXMDIChildWndSizeDock* pChild = GetChild();
    return pChild != NULL ? pChild->GetSizeDockFrame() : NULL;
}

BOOL COXSizeViewBar::DockChild(COXMDIChildWndSizeDock* pChild)
{
    m_pChildFrame = pChild;
    m_pView = pChild->GetActiveView();
    COXMDIFrameWndSizeDock* pFrame = pChild->GetSizeDockFrame();
    if (m_pView == NULL || pFrame == NULL)
        return FALSE;
    BOOL bNew = FALSE;
    if (m_hWnd == NULL) {
        m_bDestroying = FALSE;
        if (!Create(pFrame, "", 1, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP,
                    CFrameWnd::rectDefault))
            return FALSE;
        EnableDocking(pChild->m_dwDockBarStyle);
        ShowWindow(SW_HIDE);
        bNew = TRUE;
    }
    CString strText;
    pChild->GetWindowText(strText);
    SetWindowText(strText);
    m_pView->SetParent(this);

    BOOL bMaximized = FALSE;
    m_bChildWasMaximized = FALSE;
    if (pFrame->GetActiveMDIChild(&bMaximized) == pChild) {
        m_bChildWasMaximized = bMaximized;
        if (bMaximized) {
            // the next child takes the maximised place; this one is restored unseen
            ::SendMessage(pFrame->m_hWndMDIClient, WM_MDINEXT, (WPARAM)pChild->m_hWnd, 0);
            pChild->ShowWindow(SW_HIDE);
            ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pChild->m_hWnd, 0);
            pChild->ShowWindow(SW_HIDE);
        }
        pChild->m_bDocked = TRUE;
        pFrame->ActivateMDIChild(pChild);
        pChild->m_bDocked = FALSE;
    }
    pChild->ShowWindow(SW_HIDE);

    if (bNew) {
        ShowWindow(SW_SHOWNA);
        const DWORD dwAllowed = pChild->m_dwDockBarStyle;
        UINT nDockBarID = 0;
        if (dwAllowed & CBRS_ALIGN_TOP)
            nDockBarID = AFX_IDW_DOCKBAR_TOP;
        else if (dwAllowed & CBRS_ALIGN_BOTTOM)
            nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
        else if (dwAllowed & CBRS_ALIGN_LEFT)
            nDockBarID = AFX_IDW_DOCKBAR_LEFT;
        else if (dwAllowed & CBRS_ALIGN_RIGHT)
            nDockBarID = AFX_IDW_DOCKBAR_RIGHT;
        pFrame->DockControlBar(this, nDockBarID);
        pFrame->RecalcLayout(TRUE);
    } else {
        pFrame->ShowControlBar(this, !IsVisible(), TRUE);
        pFrame->RecalcLayout(TRUE);
    }
    // the view goes where the bar holds it now, whatever the layout changed
    CRect rect;
    GetWindowRect(&rect);
    pChild->m_bDocked = TRUE;
    OnSizedOrDocked(rect.Width(), rect.Height(), IsFloatingStyle(), 2);
    pChild->m_bDocked = FALSE;
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    pFrame->DrawMenuBar();
    return TRUE;
}

void COXSizeViewBar::OnSizedOrDocked(int cx, int cy, BOOL bFloating, UINT nWhat)
{
    COXSizeControlBar::OnSizedOrDocked(cx, cy, bFloating, nWhat);
    COXMDIChildWndSizeDock* pChild = GetChild();
    if (pChild == NULL || !pChild->m_bDocked || m_pView == NULL || !::IsWindow(m_pView->m_hWnd) ||
        m_bDestroying)
        return;
    CWnd* pHolder = this;
    if (bFloating) {
        if (m_wndWrapper.m_hWnd != NULL && !m_wndWrapper.m_bDestroying)
            m_wndWrapper.Detach();
        if (::GetParent(m_pView->m_hWnd) != m_hWnd)
            m_pView->SetParent(this);
        // the floating frame takes the bar's size now, not at idle time, so
        // that the view below is sized to the bar as it stays
        CFrameWnd* pDockingFrame = GetDockingFrame();
        if (pDockingFrame != NULL)
            pDockingFrame->RecalcLayout(TRUE);
    } else {
        m_wndWrapper.Attach(this, m_pView);
        pHolder = &m_wndWrapper;
    }
    CRect rect;
    pHolder->GetClientRect(&rect);
    m_pView->SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_pView->ShowWindow(SW_SHOWNA);
    COXMDIFrameWndSizeDock* pFrame = pChild->GetSizeDockFrame();
    if (pFrame != NULL && pFrame->GetActiveMDIChild() == pChild && ::GetActiveWindow() == pFrame->m_hWnd)
        m_pView->SetFocus();
}

BOOL COXSizeViewBar::UndockChild(BOOL bShowChild)
{
    COXMDIChildWndSizeDock* pChild = GetChild();
    COXMDIFrameWndSizeDock* pFrame = pChild != NULL ? pChild->GetSizeDockFrame() : NULL;
    if (pFrame == NULL || !pChild->m_bDocked)
        return FALSE;
    if (m_hWnd != NULL && !IsFloatingStyle() && m_wndWrapper.m_hWnd != NULL && !m_wndWrapper.m_bDestroying)
        m_wndWrapper.Detach();
    if (m_pView != NULL && ::IsWindow(m_pView->m_hWnd)) {
        m_pView->SetParent(pChild);
        pFrame->SetActiveView(NULL, FALSE);
        pChild->SetActiveView(m_pView, FALSE);
    }
    if (bShowChild && m_hWnd != NULL) {
        pFrame->ShowControlBar(this, !IsVisible(), FALSE);
        pFrame->RecalcLayout(TRUE);
    }
    // the child is shown before it is activated: the MDI client passes over
    // hidden children
    pChild->m_bDocked = FALSE;
    if (bShowChild)
        pChild->ShowWindow(SW_SHOWNA);
    if (!pChild->m_bClosing && pFrame->GetActiveMDIChild() == pChild) {
        BOOL bMaximized = FALSE;
        pFrame->MDIGetActive(&bMaximized);
        pFrame->ActivateMDIChild(pChild);
        if (m_bChildWasMaximized || bMaximized)
            ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pChild->m_hWnd, 0);
        pChild->RecalcLayout(TRUE);
    }
    pChild->m_bDocked = TRUE;
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    pFrame->DrawMenuBar();
    return TRUE;
}

BOOL COXSizeViewBar::CanClose()
{
    COXMDIChildWndSizeDock* pChild = GetChild();
    if (m_hWnd == NULL || m_pView == NULL || !::IsWindow(m_pView->m_hWnd) || pChild == NULL)
        return TRUE;
    CDocument* pDoc = m_pView->GetDocument();
    return pDoc == NULL || !pChild->IsLastFrameOf(pDoc) || pDoc->SaveModified();
}

void COXSizeViewBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    // only the bar's dialog controls; the active look follows the child
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

LRESULT COXSizeViewBar::OnViewBarActivate(BOOL bActive, int nKind)
{
    COXMDIChildWndSizeDock* pChild = GetChild();
    const BOOL bDocked = pChild != NULL && pChild->m_bDocked;
    if (nKind == 1 && bDocked) {
        if (IsFloatingStyle()) {
            CFrameWnd* pFloat = DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, GetParentFrame());
            if (pFloat != NULL) {
                pFloat->SendMessage(WM_NCACTIVATE, FALSE);
                pFloat->SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE);
            }
        } else if (m_wndWrapper.m_hWnd != NULL) {
            m_wndWrapper.SendMessage(WM_NCACTIVATE, bActive);
        }
    } else if ((nKind == 2 || nKind == 3) && bDocked && bActive) {
        COXMDIFrameWndSizeDock* pFrame = pChild->GetSizeDockFrame();
        if (pFrame != NULL && pFrame->GetActiveMDIChild() != pChild)
            pFrame->ActivateMDIChild(pChild);
        if (m_pView != NULL && ::IsWindow(m_pView->m_hWnd))
            m_pView->SetFocus();
    }
    SetActive(bActive, FALSE);
    return 0;
}

void COXSizeViewBar::TrackDockMenu(CPoint point)
{
    COXMDIChildWndSizeDock* pChild = GetChild();
    if (pChild == NULL)
        return;
    HMENU hMenu = ::CreatePopupMenu();
    pChild->AppendDockMenuItem(hMenu);
    if (point.x == -1 && point.y == -1)
        ::GetCursorPos(&point);
    const UINT nCmd = (UINT)::TrackPopupMenu(hMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x,
                                             point.y, 0, m_hWnd, NULL);
    ::DestroyMenu(hMenu);
    if (nCmd == OXGetDockMDIChildCommand() && (pChild = GetChild()) != NULL)
        pChild->ToggleDocked();
}

void COXSizeViewBar::OnNcDestroyBar()
{
    m_bDestroying = TRUE;
    if (m_wndWrapper.m_hWnd != NULL && !m_wndWrapper.m_bDestroying)
        m_wndWrapper.DestroyWindow();
    COXMDIChildWndSizeDock* pChild = GetChild();
    if (pChild == NULL)
        return;
    COXMDIFrameWndSizeDock* pFrame = pChild->GetSizeDockFrame();
    if (pChild->m_bClosing || !pChild->m_bDocked) {
        if (pFrame != NULL)
            pFrame->SetActiveView(NULL, FALSE);
    } else {
        // the bar went on its own: its document window closes with it
        pChild->PostMessage(WM_CLOSE);
    }
}

LRESULT COXSizeViewBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_NCACTIVATE:
        return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
    case WM_SETTEXT:
        if (IsFloatingStyle()) {
            CFrameWnd* pFloat = GetParentFrame();
            if (pFloat != NULL && pFloat != GetSizeDockFrame())
                pFloat->SendMessage(nMsg, wParam, lParam);
        } else if (m_wndWrapper.m_hWnd != NULL) {
            m_wndWrapper.SendMessage(nMsg, wParam, lParam);
        }
        break;
    case WM_CONTEXTMENU:
        if (m_dwSizeBarStyle & SZBAR_CONTEXTMENU) {
            TrackDockMenu(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return 0;
        }
        break;
    case WM_OXSIZEBAR_FILLMENU: {
        LRESULT lResult = COXSizeControlBar::WindowProc(nMsg, wParam, lParam);
        COXMDIChildWndSizeDock* pChild = GetChild();
        if (pChild != NULL)
            pChild->AppendDockMenuItem((HMENU)lParam);
        return lResult;
    }
    case WM_OXVIEWBAR_ACTIVATE:
        return OnViewBarActivate((BOOL)wParam, (int)lParam);
    case WM_RETURNVIEWHOME: {
        // the document is closing and takes the frame of its view: that must
        // be the child, not the MDI frame or the floating frame holding the bar
        COXMDIChildWndSizeDock* pChild = GetChild();
        if (pChild == NULL || !pChild->m_bDocked || m_pView == NULL || m_pView->m_hWnd != (HWND)lParam)
            return 0;
        return pChild->SetDocked(FALSE) && !pChild->m_bDocked;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == (OXGetDockMDIChildCommand() & 0xFFFF)) {
            COXMDIChildWndSizeDock* pChild = GetChild();
            if (pChild != NULL)
                pChild->ToggleDocked();
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        // the close button closes the document's window, which may ask to save
        if (m_nPressedButton == -3 && ::GetCapture() == m_hWnd &&
            m_rectCloseButton.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) && GetChild() != NULL) {
            m_nPressedButton = -1;
            m_bMaybeDrag = FALSE;
            ::ReleaseCapture();
            RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE);
            m_pChildFrame->SendMessage(WM_CLOSE);
            return 0;
        }
        break;
    case WM_CLOSE: {
        // closed by its floating frame: the document window comes back into
        // the MDI client; the bar itself stays for the next docking (its
        // window goes only with the child's)
        COXMDIChildWndSizeDock* pChild = GetChild();
        if (pChild != NULL && pChild->m_bDocked && !IsClosing())
            pChild->OnViewBarClosed();
        return 0;
    }
    case WM_DESTROY: {
        m_bDestroying = TRUE;
        COXMDIChildWndSizeDock* pChild = GetChild();
        if (pChild != NULL && pChild->m_bDocked)
            UndockChild(FALSE);
        break;
    }
    case WM_NCDESTROY: {
        OnNcDestroyBar();
        LRESULT lResult = COXSizeControlBar::WindowProc(nMsg, wParam, lParam);
        m_bDestroying = FALSE;
        return lResult;
    }
    default:
        break;
    }
    return COXSizeControlBar::WindowProc(nMsg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The child
// ---------------------------------------------------------------------------

COXMDIChildWndSizeDock::COXMDIChildWndSizeDock()
    : m_wndViewBar(SZBAR_CONTEXTMENU | SZBAR_SOLIDCAPTION), m_bDocked(FALSE), m_dwDockBarStyle(CBRS_ALIGN_ANY),
      m_bClosing(FALSE)
{
    if (!m_sDockMenuItem.LoadString(IDS_OX_DOCKMDICHILD))
        m_sDockMenuItem = "Dock";
}

COXMDIFrameWndSizeDock* COXMDIChildWndSizeDock::GetSizeDockFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(COXMDIFrameWndSizeDock, GetMDIFrame());
}

BOOL COXMDIChildWndSizeDock::SetDocked(BOOL bDock)
{
    if (GetSizeDockFrame() == NULL)
        return FALSE;
    bDock = bDock != FALSE;
    if (bDock == m_bDocked)
        return TRUE;
    BOOL bResult = bDock ? m_wndViewBar.DockChild(this) : m_wndViewBar.UndockChild(TRUE);
    if (!bResult)
        return FALSE;
    SetDockedState(bDock);
    return TRUE;
}

void COXMDIChildWndSizeDock::SetDockedState(BOOL bDocked)
{
    m_bDocked = bDocked;
    // the system menu's item shows the state
    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hSysMenu != NULL)
        ::CheckMenuItem(hSysMenu, OXGetDockMDIChildCommand(), MF_BYCOMMAND | (bDocked ? MF_CHECKED : MF_UNCHECKED));
    if (!bDocked)
        RecalcLayout(TRUE);
}

void COXMDIChildWndSizeDock::OnViewBarClosed()
{
    COXMDIFrameWndSizeDock* pFrame = GetSizeDockFrame();
    if (pFrame == NULL || !m_bDocked)
        return;
    // the bar stays hidden; the child shows and becomes the active one
    m_wndViewBar.UndockChild(FALSE);
    SetDockedState(FALSE);
    ShowWindow(SW_SHOW);
    pFrame->ActivateMDIChild(this);
}

CMDIChildWnd* COXMDIChildWndSizeDock::GetActiveMDIChild(BOOL* pbMaximized)
{
    if (m_hWnd == NULL)
        return NULL;
    COXMDIFrameWndSizeDock* pFrame = GetSizeDockFrame();
    if (pFrame != NULL)
        return pFrame->GetActiveMDIChild(pbMaximized);
    CMDIFrameWnd* pMDIFrame = GetMDIFrame();
    return pMDIFrame != NULL ? pMDIFrame->MDIGetActive(pbMaximized) : NULL;
}

BOOL COXMDIChildWndSizeDock::UpdateClientEdge(LPRECT lpRect)
{
    COXMDIFrameWndSizeDock* pFrame = GetSizeDockFrame();
    if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return CMDIChildWnd::UpdateClientEdge(lpRect);
    // the frame's active child decides, whichever child asks: the standard
    // rule, run first, only knows the MDI client's
    CMDIChildWnd* pActive = pFrame->GetActiveMDIChild();
    const BOOL bEdge = pActive == NULL || (pActive->GetStyle() & WS_MAXIMIZE) == 0 ||
                       (pActive->GetExStyle() & WS_EX_CLIENTEDGE) != 0;
    return AfxSetMDIClientEdge(pFrame->m_hWndMDIClient, bEdge, lpRect);
}

void COXMDIChildWndSizeDock::MDIActivate()
{
    CMDIChildWnd::MDIActivate();
}

void COXMDIChildWndSizeDock::MDIDestroy()
{
    CMDIChildWnd::MDIDestroy();
}

void COXMDIChildWndSizeDock::MDIMaximize()
{
    if (!m_bDocked)
        CMDIChildWnd::MDIMaximize();
}

void COXMDIChildWndSizeDock::MDIRestore()
{
    if (!m_bDocked)
        CMDIChildWnd::MDIRestore();
}

void COXMDIChildWndSizeDock::AppendDockMenuItem(HMENU hMenu)
{
    ::AppendMenuA(hMenu, MF_STRING | (m_bDocked ? MF_CHECKED : 0), OXGetDockMDIChildCommand(), m_sDockMenuItem);
}

void COXMDIChildWndSizeDock::AddDockItemToSystemMenu(CMenu* pMenu)
{
    if (pMenu == NULL)
        return;
    ::AppendMenuA(pMenu->m_hMenu, MF_SEPARATOR, 0, NULL);
    AppendDockMenuItem(pMenu->m_hMenu);
}

BOOL COXMDIChildWndSizeDock::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                    const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL) {
        CWinThread* pThread = AfxGetThread();
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, pThread != NULL ? pThread->m_pMainWnd : NULL);
    }
    // made hidden; shown here so that a size-dock frame activates it its way
    if (!CMDIChildWnd::Create(lpszClassName, lpszWindowName, dwStyle & ~WS_VISIBLE, rect, pParentWnd, pContext))
        return FALSE;
    if (dwStyle & WS_VISIBLE) {
        ::BringWindowToTop(m_hWnd);
        if (dwStyle & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (dwStyle & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        COXMDIFrameWndSizeDock* pFrame = GetSizeDockFrame();
        if (pFrame != NULL)
            pFrame->ActivateMDIChild(this);
        else
            ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    AddDockItemToSystemMenu(GetSystemMenu(FALSE));
    return TRUE;
}

void COXMDIChildWndSizeDock::ActivateFrame(int nCmdShow)
{
    if (m_bDocked) {
        // a docked child shows through its bar
        COXMDIFrameWndSizeDock* pFrame = GetSizeDockFrame();
        if (pFrame != NULL) {
            if (!m_wndViewBar.IsVisible())
                pFrame->ShowControlBar(&m_wndViewBar, TRUE, FALSE);
            pFrame->ActivateMDIChild(this);
        }
        return;
    }
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (nCmdShow == -1 && pFrameWnd != NULL) {
        BOOL bMaximized = FALSE;
        GetActiveMDIChild(&bMaximized);
        const DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    if (pFrameWnd != NULL) {
        COXMDIFrameWndSizeDock* pFrame = GetSizeDockFrame();
        if (pFrame != NULL)
            pFrame->ActivateMDIChild(this);
        else
            CMDIChildWnd::MDIActivate();
        ::SendMessage(pFrameWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
}

BOOL COXMDIChildWndSizeDock::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    m_bClosing = TRUE;
    if (m_wndViewBar.m_hWnd != NULL && !m_wndViewBar.m_bDestroying)
        m_wndViewBar.DestroyWindow();
    m_bDocked = FALSE;
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd == NULL)
        return CFrameWnd::DestroyWindow();
    const HWND hWndFrame = pFrameWnd->m_hWnd;
    const DWORD dwStyle = (DWORD)::GetWindowLongPtr(hWndFrame, GWL_STYLE);
    ::SetWindowLongPtr(hWndFrame, GWL_STYLE, (LONG_PTR)(dwStyle & ~FWS_ADDTOTITLE));
    if (pFrameWnd->GetActiveView() != NULL && pFrameWnd->GetActiveView()->GetParentFrame() != pFrameWnd)
        pFrameWnd->SetActiveView(NULL, FALSE);
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
    if (::IsWindow(hWndFrame)) {
        ::SetWindowLongPtr(hWndFrame, GWL_STYLE, (LONG_PTR)dwStyle);
        pFrameWnd->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void COXMDIChildWndSizeDock::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd != NULL)
        pFrameWnd->OnUpdateFrameTitle(bAddToTitle);
    CDocument* pDocument = GetActiveDocument();
    if ((GetStyle() & FWS_ADDTOTITLE) == 0 || !bAddToTitle || pDocument == NULL)
        return;
    CString strText = pDocument->GetTitle();
    if (m_nWindow > 0) {
        CString strNum;
        strNum.Format(":%d", m_nWindow);
        strText += strNum;
    }
    CString strOld;
    GetWindowText(strOld);
    // WM_SETTEXT passes the text on to the bar while docked
    if (strOld != strText)
        SetWindowText(strText);
    else if (m_bDocked && m_wndViewBar.m_hWnd != NULL)
        m_wndViewBar.SetWindowText(strText);
}

BOOL COXMDIChildWndSizeDock::IsLastFrameOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = pDoc->GetNextView(pos);
        if (pView == m_wndViewBar.m_pView && m_bDocked)
            continue;
        if (pView->GetParentFrame() != this)
            return FALSE;
    }
    return TRUE;
}

// The frame's close: the document may refuse (the child stays and can be
// closed again), the last frame of a self-deleting document closes the
// document. A docked view goes back into the child first, so that the
// document's close finds it there and not in the main frame.
void COXMDIChildWndSizeDock::OnCloseChild()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    CDocument* pDocument = GetActiveDocument();
    BOOL bCanClose = TRUE;
    if (pDocument != NULL)
        bCanClose = m_bDocked ? (!IsLastFrameOf(pDocument) || pDocument->SaveModified())
                              : pDocument->CanCloseFrame(this);
    if (!bCanClose) {
        m_bClosing = FALSE;
        return;
    }
    if (m_bDocked && m_wndViewBar.m_hWnd != NULL)
        m_wndViewBar.DestroyWindow();
    m_bDocked = FALSE;
    if (pDocument != NULL && pDocument->m_bAutoDelete && IsLastFrameOf(pDocument)) {
        pDocument->OnCloseDocument();
        return;
    }
    if (pDocument != NULL)
        pDocument->PreCloseFrame(this);
    DestroyWindow();
}

void COXMDIChildWndSizeDock::TrackDockMenu(CPoint point)
{
    HMENU hMenu = ::CreatePopupMenu();
    AppendDockMenuItem(hMenu);
    const UINT nCmd = (UINT)::TrackPopupMenu(hMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x,
                                             point.y, 0, m_hWnd, NULL);
    ::DestroyMenu(hMenu);
    if (nCmd != 0 && nCmd == OXGetDockMDIChildCommand())
        ToggleDocked();
}

LRESULT COXMDIChildWndSizeDock::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_SYSCOMMAND:
        if ((UINT)wParam == OXGetDockMDIChildCommand()) {
            ToggleDocked();
            return 0;
        }
        break;
    case WM_CONTEXTMENU: {
        CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (pt.x == -1 && pt.y == -1)
            ::GetCursorPos(&pt);
        TrackDockMenu(pt);
        return 0;
    }
    case WM_NCRBUTTONUP:
        if (wParam == HTCAPTION && !(GetStyle() & WS_SYSMENU)) {
            TrackDockMenu(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return 0;
        }
        break;
    case WM_SETTEXT:
        if (m_bDocked && m_wndViewBar.m_hWnd != NULL)
            m_wndViewBar.SendMessage(WM_SETTEXT, wParam, lParam);
        break;
    case WM_STYLECHANGING:
        if (m_bDocked && wParam == (WPARAM)GWL_STYLE)
            ((STYLESTRUCT*)lParam)->styleNew &= ~WS_VISIBLE;
        break;
    case WM_WINDOWPOSCHANGING:
        // a docked child stays hidden, whoever shows it
        if (m_bDocked)
            ((WINDOWPOS*)lParam)->flags &= ~SWP_SHOWWINDOW;
        break;
    case WM_CLOSE:
        OnCloseChild();
        return 0;
    case WM_MDIACTIVATE:
        // another child activated by the MDI client: no docked child counts
        // as the active one any more
        if ((HWND)lParam == m_hWnd && !m_bDocked) {
            COXMDIFrameWndSizeDock* pFrame = GetSizeDockFrame();
            if (pFrame != NULL && pFrame->m_hWndActiveDockedChild != NULL)
                pFrame->SetActiveDockedChild(NULL);
        }
        break;
    case WM_SIZE: {
        // after the standard rule, which knows only the MDI client's child
        const LRESULT lResult = CMDIChildWnd::WindowProc(nMsg, wParam, lParam);
        UpdateClientEdge();
        return lResult;
    }
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_DESTROY) {
            CView* pView = DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent((HWND)lParam));
            if (pView != NULL) {
                if (GetActiveView() == pView)
                    SetActiveView(NULL, FALSE);
                CMDIFrameWnd* pFrame = GetMDIFrame();
                if (pFrame != NULL && pFrame->GetActiveView() == pView)
                    pFrame->SetActiveView(NULL, FALSE);
            }
        }
        break;
    default:
        break;
    }
    return CMDIChildWnd::WindowProc(nMsg, wParam, lParam);
}
