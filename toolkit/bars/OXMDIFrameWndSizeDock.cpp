// The MDI size-dock frame's side of docked MDI children and MDI float
// windows: a docked child counts as the active child wherever the MDI frame
// would ask the MDI client, and bars float as MDI children.
#include <algorithm>
#include <vector>

#include "OXFrameWndDock.h"
#include "OXMDIChildWndSizeDock.h"
#include "OXMDIFloatWnd.h"

namespace {

// The children of the MDI client of the kind that can dock.
template <class F>
void ForEachSizeDockChild(HWND hWndMDIClient, F f)
{
    if (hWndMDIClient == NULL)
        return;
    std::vector<HWND> children;
    for (HWND h = ::GetWindow(hWndMDIClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    for (HWND h : children) {
        COXMDIChildWndSizeDock* pChild =
            ::IsWindow(h) ? DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, CWnd::FromHandlePermanent(h)) : NULL;
        if (pChild != NULL)
            f(pChild);
    }
}

COXMDIFloatWnd* MDIFloatWndOf(CControlBar* pBar)
{
    if (pBar == NULL || pBar->m_pDockBar == NULL || !pBar->m_pDockBar->m_bFloating)
        return NULL;
    return DYNAMIC_DOWNCAST(COXMDIFloatWnd, pBar->GetParentFrame());
}

}   // namespace

void COXMDIFrameWndSizeDock::ActivateMDIChild(CMDIChildWnd* pChild)
{
    COXMDIChildWndSizeDock* pSizeDockChild = DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, pChild);
    if (pSizeDockChild != NULL && pSizeDockChild->m_bDocked) {
        SetActiveDockedChild(pChild);
    } else {
        SetActiveDockedChild(NULL);
        if (pChild != NULL && ::IsWindow(pChild->m_hWnd))
            ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pChild->m_hWnd, 0);
    }
    UpdateActiveChildState();
}

void COXMDIFrameWndSizeDock::UpdateActiveChildState()
{
    CMDIChildWnd* pActive = GetActiveMDIChild();
    ForEachSizeDockChild(m_hWndMDIClient, [&](COXMDIChildWndSizeDock* pChild) {
        pChild->SendMessage(WM_NCACTIVATE, pChild == pActive);
        if (pChild->m_bDocked && pChild->m_wndViewBar.m_hWnd != NULL)
            pChild->m_wndViewBar.SendMessage(WM_OXVIEWBAR_ACTIVATE, pChild == pActive, 1);
    });
    if (pActive != NULL) {
        CView* pView = pActive->GetActiveView();
        if (pView != NULL && ::IsWindow(pView->m_hWnd))
            SetActiveViewOf(pView);
        COXMDIChildWndSizeDock* pSizeDockChild = DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, pActive);
        if (pSizeDockChild != NULL)
            pSizeDockChild->UpdateClientEdge();
    }
    OnUpdateFrameTitle(TRUE);
}

void COXMDIFrameWndSizeDock::ActivateNextChild(CMDIChildWnd* pChild)
{
    // the MDI client's next child, or with none the client's own active one
    HWND hWndNext = ::GetWindow(pChild->m_hWnd, GW_HWNDNEXT);
    while (hWndNext != NULL && !::IsWindowVisible(hWndNext))
        hWndNext = ::GetWindow(hWndNext, GW_HWNDNEXT);
    if (hWndNext == NULL) {
        hWndNext = ::GetWindow(pChild->m_hWnd, GW_HWNDFIRST);
        while (hWndNext != NULL && (hWndNext == pChild->m_hWnd || !::IsWindowVisible(hWndNext)))
            hWndNext = ::GetWindow(hWndNext, GW_HWNDNEXT);
    }
    CMDIChildWnd* pNext = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWndNext));
    SetActiveDockedChild(NULL);
    if (pNext != NULL)
        ActivateMDIChild(pNext);
    else
        UpdateActiveChildState();
}

void COXMDIFrameWndSizeDock::SetActiveViewOf(CView* pView)
{
    // a view floating in its bar's frame would take the activation to that
    // frame: it changes hands hidden inside this frame, then goes back
    CWnd* pHolder = pView->GetParent();
    const BOOL bFloating = pView->IsWindowVisible() && pHolder != NULL &&
                           DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pView->GetParentFrame()) != NULL;
    if (!bFloating) {
        SetActiveView(pView, FALSE);
        return;
    }
    const DWORD dwStyle = pView->GetStyle();
    pView->ModifyStyle(WS_VISIBLE, 0);
    pView->SetParent(this);
    SetActiveView(pView, FALSE);
    pView->SetParent(pHolder);
    ::SetWindowLongPtr(pView->m_hWnd, GWL_STYLE, (LONG_PTR)dwStyle);
}

void COXMDIFrameWndSizeDock::MDIMaximizeChild(CWnd* pWnd)
{
    COXMDIChildWndSizeDock* pChild = DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, pWnd);
    if (pWnd != NULL && (pChild == NULL || !pChild->m_bDocked))
        ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->m_hWnd, 0);
}

void COXMDIFrameWndSizeDock::MDIRestoreChild(CWnd* pWnd)
{
    COXMDIChildWndSizeDock* pChild = DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, pWnd);
    if (pWnd != NULL && (pChild == NULL || !pChild->m_bDocked))
        ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->m_hWnd, 0);
}

void COXMDIFrameWndSizeDock::FloatControlBarInMDIChild(CControlBar* pBar, CPoint pt, DWORD dwStyle, BOOL bShow)
{
    if (pBar == NULL || m_hWndMDIClient == NULL)
        return;
    ::ScreenToClient(m_hWndMDIClient, &pt);
    CRect rectClient, rectBar;
    ::GetClientRect(m_hWndMDIClient, &rectClient);
    pBar->GetClientRect(&rectBar);
    pt.x = std::max(0L, std::min((LONG)pt.x, rectClient.right - rectBar.Width()));
    pt.y = std::max(0L, std::min((LONG)pt.y, rectClient.bottom - rectBar.Height()));

    COXMDIFloatWnd* pFloat = MDIFloatWndOf(pBar);
    const DWORD dwEdges = dwStyle & CBRS_ALIGN_ANY;
    if (pFloat != NULL && pFloat->m_wndDockBar.GetDockedCount() == 1 &&
        (pFloat->m_wndDockBar.m_dwStyle & dwEdges) == dwEdges) {
        pFloat->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    CObject* pObject = RUNTIME_CLASS(COXMDIFloatWnd)->CreateObject();
    pFloat = DYNAMIC_DOWNCAST(COXMDIFloatWnd, pObject);
    if (pFloat == NULL) {
        delete pObject;
        AfxThrowResourceException();
    }
    if (!pFloat->Create(this, dwStyle)) {
        // a child that was made goes with its window; one never made is gone
        if (pFloat->m_hWnd != NULL && CWnd::FromHandlePermanent(pFloat->m_hWnd) == pFloat)
            pFloat->DestroyWindow();
        AfxThrowResourceException();
    }
    pFloat->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pFloat->m_hWndOwner == NULL)
        pFloat->m_hWndOwner = pBar->m_hWnd;
    pFloat->m_wndDockBar.DockControlBar(pBar);
    pFloat->RecalcLayout(TRUE);
    if (bShow) {
        pFloat->ShowWindow(SW_SHOWNA);
        pFloat->UpdateWindow();
    }
    ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar();
}

void COXMDIFrameWndSizeDock::FloatControlBarInFrame(CControlBar* pBar, CPoint pt, DWORD dwStyle)
{
    if (pBar == NULL)
        return;
    (void)pt;
    CFrameWnd* pOld = pBar->GetParentFrame();
    CRect rectOld;
    if (pOld != NULL && pOld != this)
        pOld->GetWindowRect(&rectOld);
    else
        pBar->GetWindowRect(&rectOld);
    const BOOL bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
    CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(dwStyle);
    pDockFrame->SetWindowPos(NULL, rectOld.left, rectOld.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pDockFrame->m_hWndOwner == NULL)
        pDockFrame->m_hWndOwner = pBar->m_hWnd;
    // the bar leaving empties its MDI float window, which goes
    pDockFrame->m_wndDockBar.DockControlBar(pBar);
    pDockFrame->RecalcLayout(TRUE);
    if (bVisible) {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
    ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar();
}

void COXMDIFrameWndSizeDock::UndockAllChildren()
{
    ForEachSizeDockChild(m_hWndMDIClient, [](COXMDIChildWndSizeDock* pChild) {
        if (pChild->m_bDocked)
            pChild->SetDocked(FALSE);
    });
}

CFrameWnd* COXMDIFrameWndSizeDock::GetActiveFrame()
{
    CMDIChildWnd* pChild = GetActiveMDIChild();
    return pChild != NULL ? (CFrameWnd*)pChild : this;
}

BOOL COXMDIFrameWndSizeDock::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // the dock item of a maximised child's system menu, in the menu bar
    if (nID != 0 && nID == (OXGetDockMDIChildCommand() & 0xFFFF) && nCode == (int)CN_UPDATE_COMMAND_UI &&
        pExtra != NULL && pHandlerInfo == NULL) {
        ((CCmdUI*)pExtra)->Enable(MDIGetActive() != NULL);
        return TRUE;
    }
    CMDIChildWnd* pChild = GetActiveMDIChild();
    if (pChild != NULL && pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL COXMDIFrameWndSizeDock::RouteDockCommand(UINT nID)
{
    if (nID == 0 || (nID & 0xFFFF) != (OXGetDockMDIChildCommand() & 0xFFFF))
        return FALSE;
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild != NULL)
        pChild->SendMessage(WM_SYSCOMMAND, OXGetDockMDIChildCommand());
    return TRUE;
}

// The active child sees the command first, as a message (a docked one too,
// which the MDI client knows nothing of); then the frame's own commands and
// routing, which pass the child's handlers again, finding none.
BOOL COXMDIFrameWndSizeDock::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (SendCommandToChild(GetActiveMDIChild(), wParam, lParam))
        return TRUE;
    if (lParam == 0 && RouteDockCommand(LOWORD(wParam)))
        return TRUE;
    // a new window on the active child's document, docked or not
    if (LOWORD(wParam) == ID_WINDOW_NEW && lParam == 0) {
        CMDIChildWnd* pChild = GetActiveMDIChild();
        CDocument* pDocument = pChild != NULL ? pChild->GetActiveDocument() : NULL;
        CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
        CFrameWnd* pFrame = pTemplate != NULL ? pTemplate->CreateNewFrame(pDocument, pChild) : NULL;
        if (pFrame == NULL) {
            AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
            return TRUE;
        }
        pTemplate->InitialUpdateFrame(pFrame, pDocument);
        UpdateActiveChildState();
        return TRUE;
    }
    if (LOWORD(wParam) == ID_VIEW_STATUS_BAR && lParam == 0) {
        // the standard toggle; a docked child whose bar it hid is no longer
        // where the user works: the next child becomes the active one
        COXMDIChildWndSizeDock* pChild = DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, GetActiveMDIChild());
        const BOOL bHandled = CFrameWnd::OnCommand(wParam, lParam);
        CControlBar* pBar = GetControlBar(ID_VIEW_STATUS_BAR);
        if (pChild != NULL && pChild->m_bDocked && pBar == &pChild->m_wndViewBar && !pBar->IsVisible())
            ActivateNextChild(pChild);
        ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        DrawMenuBar();
        return bHandled;
    }
    // not the MDI frame's: it would hand the command to the MDI client's
    // active child, which need not be the one that counts here
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // a system command nothing took (a docked child's, from the menu bar)
    if (lParam == 0 && (LOWORD(wParam) & 0xF000) == 0xF000) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL COXMDIFrameWndSizeDock::PreTranslateMessage(MSG* pMsg)
{
    // a press elsewhere closes a dropped combo box list
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_NCLBUTTONDOWN)
        AfxCancelModes(pMsg->hwnd);
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // the active child first, before the frame's accelerators: the walk
    // from a window in a bar (or from a docked child's view, which lives in
    // its bar) never passes through it
    CMDIChildWnd* pChild = GetActiveMDIChild();
    if (pChild != NULL && pChild->PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (m_hAccelTable != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && GetActiveView() == NULL &&
        m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return FALSE;
}

void COXMDIFrameWndSizeDock::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* pChild = GetActiveMDIChild();
    if (pChild != NULL) {
        pChild->OnUpdateFrameMenu(TRUE, pChild, hMenuAlt);
    } else if (m_hWndMDIClient != NULL) {
        if (hMenuAlt == NULL)
            hMenuAlt = m_hMenuDefault;
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, (LPARAM)GetWindowMenuPopup(hMenuAlt));
    }
    DrawMenuBar();
}

void COXMDIFrameWndSizeDock::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = GetActiveMDIChild(&bMaximized);
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pChild != NULL && !bMaximized && (pChild->GetStyle() & WS_MAXIMIZE) == 0)
        pDocument = pChild->GetActiveDocument();
    UpdateFrameTitleForDocument(pDocument != NULL ? (LPCTSTR)pDocument->GetTitle() : NULL);
}

LRESULT COXMDIFrameWndSizeDock::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // the MDI frame procedure would add the (hidden) docked child's title
    if (nMsg == WM_SETTEXT && GetActiveDockedChild() != NULL)
        return ::DefWindowProcA(m_hWnd, nMsg, wParam, lParam);
    return CMDIFrameWnd::DefWindowProc(nMsg, wParam, lParam);
}

BOOL COXMDIFrameWndSizeDock::DestroyWindow()
{
    SetActiveView(NULL, FALSE);
    return CMDIFrameWnd::DestroyWindow();
}
