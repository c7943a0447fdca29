// mdi.cpp - CMDIFrameWnd and CMDIChildWnd: child frames inside the MDI
// client of a main frame. Commands reach the active child first; the child's
// template menu replaces the frame's while the child is active.
#include "docimpl.h"
#include "wndimpl.h"

#include "afxpriv.h"

// ---------------------------------------------------------------------------
// CMDIFrameWnd
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL)
{
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    (void)pContext;
    HMENU hMenuBar = ::GetMenu(m_hWnd);
    HMENU hWindowMenu = hMenuBar != NULL ? GetWindowMenuPopup(hMenuBar) : NULL;
    return CreateClient(lpcs, hWindowMenu != NULL ? CMenu::FromHandle(hWindowMenu) : NULL);
}

// The client takes the frame's scroll bars and client edge; it is the pane
// (AFX_IDW_PANE_FIRST) the frame's layout sizes.
BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpcs, CMenu* pWindowMenu)
{
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    dwStyle |= (DWORD)lpcs->style & (WS_HSCROLL | WS_VSCROLL);
    ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);

    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                                        (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(),
                                        (LPVOID)&ccs);
    if (m_hWndMDIClient == NULL)
        return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == NULL)
        return NULL;
    int iItem = ::GetMenuItemCount(hMenuBar);
    while (iItem-- > 0) {
        HMENU hMenuPop = ::GetSubMenu(hMenuBar, iItem);
        if (hMenuPop == NULL)
            continue;
        int iItemMax = ::GetMenuItemCount(hMenuPop);
        for (int iItemPop = 0; iItemPop < iItemMax; iItemPop++) {
            UINT nID = ::GetMenuItemID(hMenuPop, iItemPop);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hMenuPop;
        }
    }
    return NULL;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == NULL)
        return NULL;
    HWND hWnd = (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)pbMaximized);
    return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWnd));
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld = (HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrameMenu->GetSafeHmenu(),
                                      (LPARAM)pWindowMenu->GetSafeHmenu());
    return CMenu::FromHandle(hOld);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild == NULL)
        return this;
    return pActiveChild;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// The active child sees a command first, as a message, so that a child
// class's OnCommand or WindowProc, or a window hooked onto the child, gets
// the frame's menu and accelerator commands; what the child leaves goes
// through the frame's routing (which passes the child's handlers again,
// finding none). Commands of the Window menu's child entries belong to the
// MDI client.
BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (SendCommandToChild(MDIGetActive(), wParam, lParam))
        return TRUE;
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (lParam == 0 && LOWORD(wParam) >= AFX_IDM_FIRST_MDICHILD) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

// A child that hands what it does not handle to its frame would get the same
// command back from it, and so on for ever: a command already on its way
// down from this frame goes through the frame's own routing only.
BOOL CMDIFrameWnd::SendCommandToChild(CWnd* pChild, WPARAM wParam, LPARAM lParam)
{
    if (pChild == NULL || pChild == this || !::IsWindow(pChild->m_hWnd))
        return FALSE;
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    for (const AFX_CHILD_COMMAND* p = pState->pChildCommand; p != NULL; p = p->pOuter) {
        if (p->hWndFrame == m_hWnd && p->wParam == wParam && p->lParam == lParam)
            return FALSE;
    }
    const AFX_CHILD_COMMAND command = {m_hWnd, wParam, lParam, pState->pChildCommand};
    pState->pChildCommand = &command;
    const LRESULT lResult = ::SendMessage(pChild->m_hWnd, WM_COMMAND, wParam, lParam);
    pState->pChildCommand = command.pOuter;
    return lResult != 0;
}

// The frame's accelerators, then the MDI system keys (Ctrl+F4, Ctrl+F6).
BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        if (m_hAccelTable != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
            return TRUE;
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && m_hWndMDIClient != NULL &&
            ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
    }
    return FALSE;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* pActiveWnd = MDIGetActive();
    if (pActiveWnd != NULL) {
        pActiveWnd->OnUpdateFrameMenu(TRUE, pActiveWnd, hMenuAlt);
    } else if (m_hWndMDIClient != NULL) {
        if (hMenuAlt == NULL)
            hMenuAlt = m_hMenuDefault;
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, (LPARAM)GetWindowMenuPopup(hMenuAlt));
    }
    DrawMenuBar();
}

// The title names the active child's document unless the child is
// maximised (the child's caption then shows in the frame's).
void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = NULL;
    if (bAddToTitle && pActiveChild != NULL && (pActiveChild->GetStyle() & WS_MAXIMIZE) == 0)
        pDocument = pActiveChild->GetActiveDocument();
    UpdateFrameTitleForDocument(pDocument != NULL ? (LPCTSTR)pDocument->GetTitle() : NULL);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnDestroy()
{
    // the MDI client takes its additions out of the frame's own menu
    if (m_hWndMDIClient != NULL && m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)m_hMenuDefault, 0);
    CFrameWnd::OnDestroy();
}

// The layout sizes the MDI client; the default would size it to the whole
// client area first.
void CMDIFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    (void)cx;
    (void)cy;
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != NULL);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    UINT msg;
    WPARAM wParam = 0;
    switch (nID) {
    case ID_WINDOW_ARRANGE: msg = WM_MDIICONARRANGE; break;
    case ID_WINDOW_CASCADE: msg = WM_MDICASCADE; break;
    case ID_WINDOW_TILE_HORZ: msg = WM_MDITILE; wParam = MDITILE_HORIZONTAL; break;
    case ID_WINDOW_TILE_VERT: msg = WM_MDITILE; wParam = MDITILE_VERTICAL; break;
    default: return FALSE;
    }
    ::SendMessage(m_hWndMDIClient, msg, wParam, 0);
    return TRUE;
}

// Another frame on the active child's document.
void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != NULL ? pActiveChild->GetActiveDocument() : NULL;
    CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
    if (pTemplate == NULL) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActiveChild);
    if (pFrame == NULL) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

// ---------------------------------------------------------------------------
// CMDIChildWnd
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL)
{
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    dwDefaultStyle |= WS_CHILD;
    dwDefaultStyle &= ~WS_POPUP;
    CMultiDocTemplate* pTemplate =
        pContext != NULL ? DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate) : NULL;
    if (pTemplate != NULL) {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    CString strFullString, strTitle;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(strTitle, strFullString, 0);

    LPCTSTR lpszClass = NULL;
    LPCTSTR lpszIcon = MAKEINTRESOURCE(nIDResource);
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon);
    if (hIcon != NULL)
        lpszClass = AfxDocFrameOrViewClass(hIcon);

    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pMDIFrame, pContext))
        return FALSE;
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL) {
        CWinThread* pThread = AfxGetThread();
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, pThread != NULL ? pThread->m_pMainWnd : NULL);
    }
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL) {
        PostNcDestroy();
        return FALSE;
    }
    CREATESTRUCT cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    if (::EqualRect(&rect, &rectDefault)) {
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    } else {
        cs.x = rect.left;
        cs.y = rect.top;
        cs.cx = rect.right - rect.left;
        cs.cy = rect.bottom - rect.top;
    }
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = (LPVOID)pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName;

    // children are created hidden through the client and shown afterwards
    MDICREATESTRUCTA mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = (DWORD)cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // never attached
    if (hWnd == NULL)
        return FALSE;

    if (cs.style & WS_VISIBLE) {
        ::BringWindowToTop(hWnd);
        if (cs.style & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (cs.style & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        pParentWnd->MDIActivate(this);
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

// The creation context comes in the MDICREATESTRUCT.
int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    MDICREATESTRUCT* lpmcs = (MDICREATESTRUCT*)lpcs->lpCreateParams;
    CCreateContext* pContext = lpmcs != NULL ? (CCreateContext*)lpmcs->lParam : NULL;
    return OnCreateHelper(lpcs, pContext);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndMDIClient = ::GetParent(m_hWnd);
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(hWndMDIClient)));
}

// The MDI client destroys its children; the frame's title must not flash the
// document's name while it does.
BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd == NULL)
        return CFrameWnd::DestroyWindow();
    HWND hWndFrame = pFrameWnd->m_hWnd;
    DWORD dwStyle = (DWORD)::GetWindowLongPtr(hWndFrame, GWL_STYLE);
    ::SetWindowLongPtr(hWndFrame, GWL_STYLE, (LONG_PTR)(dwStyle & ~FWS_ADDTOTITLE));
    MDIDestroy();
    if (::IsWindow(hWndFrame)) {
        ::SetWindowLongPtr(hWndFrame, GWL_STYLE, (LONG_PTR)dwStyle);
        pFrameWnd->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (nCmdShow == -1 && pFrameWnd != NULL) {
        BOOL bMaximized = FALSE;
        pFrameWnd->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    if (pFrameWnd != NULL) {
        MDIActivate();
        ::SendMessage(pFrameWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
}

// Child accelerators translate for the MDI frame, which has the menu.
BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        CMDIFrameWnd* pFrameWnd = GetMDIFrame();
        return hAccel != NULL && pFrameWnd != NULL && ::TranslateAcceleratorA(pFrameWnd->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd != NULL)
        pFrameWnd->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0 || !bAddToTitle)
        return;
    CDocument* pDocument = GetActiveDocument();
    CString strText = pDocument != NULL ? pDocument->GetTitle() : m_strTitle;
    if (m_nWindow > 0) {
        char szNum[16];
        wsprintfA(szNum, ":%d", m_nWindow);
        strText += szNum;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

// An active child shows its template's menu in the frame; the last child
// going gives the frame its own menu back.
void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return;
    if (hMenuAlt == NULL && bActivate) {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
    }
    if (hMenuAlt == NULL)
        hMenuAlt = m_hMenuShared;
    if (hMenuAlt != NULL && bActivate) {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
                      (LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
    } else if (hMenuAlt != NULL && !bActivate && pActivateWnd == NULL) {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrame->m_hMenuDefault,
                      (LPARAM)pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault));
    } else {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    (void)pDeactivateWnd;
    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL)
        pFrame->DrawMenuBar();
    CView* pActiveView = GetActiveView();
    if (pActiveView != NULL)
        pActiveView->OnActivateView(bActivate, pActiveView, pActiveView);
    if (bActivate)
        UpdateClientEdge();
}

CWnd* CMDIChildWnd::GetMessageBar()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return pFrame != NULL ? pFrame->GetMessageBar() : NULL;
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    UpdateClientEdge();
    // maximising changes what the frame's title shows
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL)
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnDestroy()
{
    UpdateClientEdge();
    CFrameWnd::OnDestroy();
}

// A maximised child fills the client, so the client's own sunken edge would
// frame it twice; the child's edge (if it has one) is the only one shown.
// Only the active child decides: an inactive one never changes the client.
BOOL CMDIChildWnd::UpdateClientEdge(LPRECT lpRect)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return FALSE;
    CMDIChildWnd* pActive = pFrame->MDIGetActive();
    if (pActive != NULL && pActive != this)
        return FALSE;
    const BOOL bEdge = pActive == NULL || (GetExStyle() & WS_EX_CLIENTEDGE) || !(GetStyle() & WS_MAXIMIZE);
    return AfxSetMDIClientEdge(pFrame->m_hWndMDIClient, bEdge, lpRect);
}

BOOL AfxSetMDIClientEdge(HWND hWndClient, BOOL bEdge, LPRECT lpRect)
{
    DWORD dwExStyle = (DWORD)::GetWindowLongPtr(hWndClient, GWL_EXSTYLE);
    DWORD dwNewExStyle = bEdge ? dwExStyle | WS_EX_CLIENTEDGE : dwExStyle & ~WS_EX_CLIENTEDGE;
    if (dwNewExStyle == dwExStyle)
        return FALSE;
    // the bits under the old edge are not moved: repaint everything
    ::RedrawWindow(hWndClient, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
    ::SetWindowLongPtr(hWndClient, GWL_EXSTYLE, (LONG_PTR)dwNewExStyle);
    ::SetWindowPos(hWndClient, NULL, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOCOPYBITS);
    if (lpRect != NULL)
        ::GetClientRect(hWndClient, lpRect);
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}
