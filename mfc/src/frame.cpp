// frame.cpp - CFrameWnd: the window around a view and its bars. It routes
// commands (active view, its document, the frame, the application), keeps
// the menu and status line up to date, and lays out its bars.
#include "docimpl.h"
#include <afxext.h>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

// This thread's frames, newest first.
static thread_local CFrameWnd* t_pFirstFrame = NULL;

CFrameWnd* PASCAL CFrameWnd::GetThreadFrameList()
{
    return t_pFirstFrame;
}

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_hMenuDefault(NULL), m_hAccelTable(NULL), m_rectBorder(0, 0, 0, 0),
      m_nIDHelp(0), m_nIDTracking(0), m_nIDLastMessage(0), m_pViewActive(NULL), m_nWindow(-1),
      m_nShowDelay(-1), m_nIdleFlags(0), m_dwDockStyle(0), m_pNextFrameWnd(t_pFirstFrame),
      m_bInRecalcLayout(FALSE), m_hMenuAlt(NULL), m_cModalStack(0), m_phWndDisable(NULL)
{
    m_pFloatingFrameClass = NULL;
    m_bHelpMode = FALSE;
    t_pFirstFrame = this;
}

CFrameWnd::~CFrameWnd()
{
    for (CFrameWnd** pp = &t_pFirstFrame; *pp != NULL; pp = &(*pp)->m_pNextFrameWnd) {
        if (*pp == this) {
            *pp = m_pNextFrameWnd;
            break;
        }
    }
    delete[] m_phWndDisable;
}

// ---------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        if ((hMenu = ::LoadMenuA(hInst, lpszMenuName)) == NULL) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (::EqualRect(&rect, &rectDefault))
        x = y = cx = cy = CW_USEDEFAULT;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(),
                  hMenu, (LPVOID)pContext)) {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFullString, 0);

    // a class of its own when there is an icon of that id
    LPCTSTR lpszClass = NULL;
    LPCTSTR lpszIcon = MAKEINTRESOURCE(nIDResource);
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon);
    if (hIcon != NULL)
        lpszClass = AfxDocFrameOrViewClass(hIcon);

    // a frame without a menu of that id gets none
    CString strTitle = m_strTitle;
    BOOL bHasMenu = ::FindResourceA(AfxFindResourceHandle(lpszIcon, RT_MENU), lpszIcon, RT_MENU) != NULL;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, bHasMenu ? lpszIcon : NULL, 0L,
                pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(lpszIcon);
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxDocFrameOrViewClass();
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    // the view gives the client edge up when it has one of its own
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, (CCreateContext*)lpcs->lpCreateParams);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    // the status line says "Ready" once the frame is up
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    (void)lpcs;
    if (pContext != NULL && pContext->m_pNewViewClass != NULL) {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == NULL)
            return FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == NULL || pContext->m_pNewViewClass == NULL)
        return NULL;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CWnd)) ? (CWnd*)pObject : NULL;
    if (pView == NULL) {
        delete pObject;
        return NULL;
    }
    // a view that fails is deleted by its PostNcDestroy
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

// Frames live on the heap and go with their window.
void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnDestroy()
{
    // the frame's own menu goes with the window; a shared one stays
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    DestroyDockBars();
    CWnd::OnDestroy();
}

// ---------------------------------------------------------------------------
// Active view and document
// ---------------------------------------------------------------------------

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = NULL;
    if (pViewOld != NULL)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    // the old view may have activated another one meanwhile
    if (m_pViewActive != NULL)
        return;
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

// The pane view becomes active; with bMakeVisible every view gets
// OnInitialUpdate and the frame is shown (the main frame as the program was
// started).
void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = NULL;
    if (GetActiveView() == NULL) {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != NULL)
            pView->OnActivateFrame(WA_INACTIVE, this);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;   // only the first time
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != NULL)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    BOOL bTop = ::GetParent(m_hWnd) == NULL && nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE &&
                nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE;
    if (bTop)
        ::BringWindowToTop(::GetLastActivePopup(m_hWnd));
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        if (bTop)
            ::BringWindowToTop(::GetLastActivePopup(m_hWnd));
    }
}

// ---------------------------------------------------------------------------
// Command routing
// ---------------------------------------------------------------------------

// The active view (and through it the document) first, then the frame's own
// map, then the application.
BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Keyboard messages go through the accelerators (the document's, else the
// frame's) after the tooltip filter.
BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    HACCEL hAccelTable = m_hAccelTable;
    CDocument* pDoc = GetActiveDocument();
    HACCEL hAccel;
    if (pDoc != NULL && (hAccel = pDoc->GetDefaultAccelerator()) != NULL)
        hAccelTable = hAccel;
    return hAccelTable;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
    m_hAccelTable = ::LoadAcceleratorsA(hInst, lpszResourceName);
    return m_hAccelTable != NULL;
}

// ---------------------------------------------------------------------------
// Closing
// ---------------------------------------------------------------------------

// The active document is asked whether it may go; closing the main frame asks
// about every document and closes them all, which destroys this frame too.
void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        if (pDocument == NULL && !pApp->SaveAllModified())
            return;
        pApp->HideApplication();
        pApp->CloseAllDocuments(FALSE);
        // closing the documents may have destroyed the main window already
        if (pApp->m_pMainWnd == NULL)
            return;
    }
    // the last frame on an auto-deleting document closes the document
    if (pDocument != NULL && pDocument->m_bAutoDelete) {
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != NULL) {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this) {
                bOtherFrame = TRUE;
                break;
            }
        }
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
        return pApp->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    if (!bEnding)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        pApp->CloseAllDocuments(TRUE);
        pApp->ExitInstance();
    }
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

// Bars take their strips at the edges (WM_SIZEPARENT); the view gets what is
// left, less m_rectBorder. A FWS_SNAPTOBARS frame (a floating palette)
// instead takes the size its bars ask for. A delayed layout that asked for
// notification is a notifying one.
void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == NULL)
        return;
    m_bInRecalcLayout = TRUE;
    if (m_nIdleFlags & idleNotify)
        bNotify = TRUE;
    (void)bNotify;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (GetStyle() & FWS_SNAPTOBARS) {
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    } else {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_pViewActive != NULL)
        return TRUE;   // the view paints the whole client area
    return CWnd::OnEraseBkgnd(pDC);
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd) {
    case borderGet:
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, lpRectBorder);
        break;
    case borderRequest:
        return TRUE;
    case borderSet:
        if (lpRectBorder == NULL) {
            if (!m_rectBorder.IsRectNull()) {
                m_rectBorder.SetRectEmpty();
                return TRUE;
            }
            return FALSE;
        }
        if (!::EqualRect(&m_rectBorder, lpRectBorder)) {
            m_rectBorder = *lpRectBorder;
            return TRUE;
        }
        return FALSE;
    }
    return TRUE;
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

// The top-level frame's caption and its floating palettes stay active while
// the window activated is the frame itself or one of its palettes that
// follows its activation (MFS_SYNCACTIVE).
void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CFrameWnd* pTopLevel = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pTopLevel != NULL) {
        CWnd* pActive = nState == WA_INACTIVE ? pWndOther : this;
        BOOL bStayActive = FALSE;
        if (pActive != NULL && pActive->m_hWnd != NULL) {
            bStayActive = pTopLevel == pActive ||
                          (pTopLevel == pActive->GetTopLevelFrame() &&
                           pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0);
        }
        pTopLevel->NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);
    }
    CView* pActiveView = GetActiveView();
    if (pActiveView != NULL && !bMinimized)
        pActiveView->OnActivateFrame(nState, this);
}

// What the idle loop asked for: the menu, the title, the layout and the
// status line prompt.
LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu) {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(m_hMenuAlt);
    }
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout) {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
        UpdateWindow();
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    return 0;
}

// ---------------------------------------------------------------------------
// Title and menu
// ---------------------------------------------------------------------------

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

// "Document - Title" (FWS_PREFIXTITLE) or "Title - Document", with ":n" when
// the document shows in several frames.
void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    CString strDoc;
    if (lpszDocName != NULL) {
        strDoc = lpszDocName;
        if (m_nWindow > 0) {
            char szNum[16];
            wsprintfA(szNum, ":%d", m_nWindow);
            strDoc += szNum;
        }
    }
    if (GetStyle() & FWS_PREFIXTITLE) {
        if (lpszDocName != NULL) {
            strText = strDoc;
            strText += " - ";
        }
        strText += m_strTitle;
    } else {
        strText = m_strTitle;
        if (lpszDocName != NULL) {
            strText += " - ";
            strText += strDoc;
        }
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == NULL) {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
        if (hMenuAlt == NULL)
            hMenuAlt = m_hMenuDefault;
    }
    if (::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

// Every item of an opening popup is updated through the command routing;
// items nothing handles are disabled (m_bAutoMenuEnable).
void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
{
    (void)nIndex;
    if (bSysMenu)
        return;
    AfxUpdatePopupMenu(this, pMenu, m_bAutoMenuEnable);
}

// ---------------------------------------------------------------------------
// Status line
// ---------------------------------------------------------------------------

// The prompt of the item under the menu cursor shows in the status line;
// when the menu closes the idle message comes back.
void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    if (pFrameWnd == NULL)
        pFrameWnd = this;
    if (nFlags == 0xFFFF && hSysMenu == NULL)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);   // system commands
    else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
        m_nIDTracking = AFX_IDS_MDICHILD;
    else
        m_nIDTracking = nItemID;
    pFrameWnd->m_nIDTracking = m_nIDTracking;
    if (m_nIDTracking != pFrameWnd->m_nIDLastMessage)
        pFrameWnd->SetMessageText(m_nIDTracking);
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CWnd::OnEnterIdle(nWhy, pWho);
    if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    if (nID == AFX_IDS_IDLEMESSAGE) {
        rMessage = AfxDocLoadString(nID, AFX_TEXT_IDLEMESSAGE);
    } else if (nID != 0) {
        rMessage.LoadString(nID);
    }
    int iNewline = rMessage.Find('\n');
    if (iNewline >= 0)
        rMessage = rMessage.Left(iNewline);
}

// wParam: a string id whose prompt to show (0: none), or lParam: the text.
// Returns the id shown before.
LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != NULL) {
        CString strMessage;
        LPCTSTR lpsz = NULL;
        if (lParam != 0) {
            lpsz = (LPCTSTR)lParam;
        } else if (wParam != 0) {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz != NULL ? lpsz : "");
        CFrameWnd* pFrameWnd = pMessageBar->GetParentFrame();
        if (pFrameWnd != NULL && pFrameWnd != this) {
            pFrameWnd->m_nIDLastMessage = (UINT)wParam;
            pFrameWnd->m_nIDTracking = (UINT)wParam;
        }
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

// CAP, NUM and SCRL show while their keys are toggled on.
void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVK;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS: nVK = VK_CAPITAL; break;
    case ID_INDICATOR_NUM: nVK = VK_NUMLOCK; break;
    case ID_INDICATOR_SCRL: nVK = VK_SCROLL; break;
    case ID_INDICATOR_KANA: nVK = VK_KANA; break;
    default: return;
    }
    pCmdUI->Enable(::GetKeyState(nVK) & 1);
}

// Tool tips of bar buttons: the part of the command's string after "\n".
BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    TOOLTIPTEXTA* pTTTA = (TOOLTIPTEXTA*)pNMHDR;
    TOOLTIPTEXTW* pTTTW = (TOOLTIPTEXTW*)pNMHDR;
    UINT_PTR nID = pNMHDR->idFrom;
    BOOL bIsHwnd = pNMHDR->code == TTN_NEEDTEXTA ? (pTTTA->uFlags & TTF_IDISHWND) != 0
                                                   : (pTTTW->uFlags & TTF_IDISHWND) != 0;
    if (bIsHwnd)
        nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    CString strTipText;
    if (nID != 0) {
        CString strFull;
        if (!strFull.LoadString((UINT)nID))
            return FALSE;
        AfxExtractSubString(strTipText, strFull, 1, '\n');
    }
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        lstrcpynA(pTTTA->szText, strTipText, (int)_countof(pTTTA->szText));
        pTTTA->lpszText = pTTTA->szText;
        pTTTA->hinst = NULL;
    } else {
        ::MultiByteToWideChar(CP_ACP, 0, strTipText, -1, pTTTW->szText, (int)_countof(pTTTW->szText));
        pTTTW->szText[_countof(pTTTW->szText) - 1] = 0;
        pTTTW->lpszText = pTTTW->szText;
        pTTTW->hinst = NULL;
    }
    *pResult = 0;
    // over any other popup
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Control bars
// ---------------------------------------------------------------------------

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return NULL;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd != NULL && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return NULL;
}

// A bar inside a rebar shows or hides with its band.
void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    CFrameWnd* pParentFrame = pBar->GetDockingFrame();
    if (pParentFrame == NULL)
        pParentFrame = this;
    CReBar* pReBar = DYNAMIC_DOWNCAST(CReBar, CWnd::FromHandlePermanent(::GetParent(pBar->m_hWnd)));
    if (pReBar != NULL) {
        pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
        pReBar->ShowBand(pBar, bShow);
        pParentFrame->RecalcLayout();
        return;
    }
    if (bDelay) {
        pBar->DelayShow(bShow);
        pParentFrame->DelayRecalcLayout();
    } else {
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                                                 (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow);   // clears a pending contrary request
        if (bShow || !pBar->IsFloating())
            pParentFrame->RecalcLayout(FALSE);
    }
    // a floating frame shows with its first visible bar and hides with its
    // last (at idle time when delayed)
    if (pBar->IsFloating()) {
        int nVisCount = pBar->m_pDockBar != NULL ? pBar->m_pDockBar->GetDockedVisibleCount() : bShow ? 1 : 0;
        if (nVisCount == 1 && bShow) {
            pParentFrame->m_nShowDelay = -1;
            if (bDelay) {
                pParentFrame->m_nShowDelay = SW_SHOWNA;
                pParentFrame->RecalcLayout(FALSE);
            } else {
                pParentFrame->ShowWindow(SW_SHOWNA);
            }
        } else if (nVisCount == 0) {
            pParentFrame->m_nShowDelay = -1;
            if (bDelay)
                pParentFrame->m_nShowDelay = SW_HIDE;
            else
                pParentFrame->ShowWindow(SW_HIDE);
        } else if (!bDelay) {
            pParentFrame->RecalcLayout(FALSE);
        }
    }
}

// ID_VIEW_STATUS_BAR and ID_VIEW_TOOLBAR are the ids of the bars they toggle.
void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar != NULL) {
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Modal state: the frame and the other top-level windows it owns are
// disabled while a modeless window acts as a modal one.
// ---------------------------------------------------------------------------

struct DisableList
{
    HWND hWndFrame;
    HWND hWndSkip;
    std::vector<HWND> windows;
};

static BOOL CALLBACK CollectOwnedWindow(HWND hWnd, LPARAM lParam)
{
    DisableList* pList = (DisableList*)lParam;
    if (hWnd == pList->hWndSkip || !::IsWindowEnabled(hWnd))
        return TRUE;
    if (hWnd == pList->hWndFrame || ::GetWindow(hWnd, GW_OWNER) == pList->hWndFrame)
        pList->windows.push_back(hWnd);
    return TRUE;
}

void CFrameWnd::BeginModalState()
{
    if (++m_cModalStack > 1)
        return;
    CWnd* pTop = GetTopLevelParent();
    DisableList list;
    list.hWndFrame = pTop != NULL ? pTop->m_hWnd : m_hWnd;
    list.hWndSkip = ::GetActiveWindow() != list.hWndFrame ? ::GetActiveWindow() : NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectOwnedWindow, (LPARAM)&list);
    delete[] m_phWndDisable;
    m_phWndDisable = new HWND[list.windows.size() + 1];
    size_t n = 0;
    for (HWND hWnd : list.windows) {
        ::EnableWindow(hWnd, FALSE);
        m_phWndDisable[n++] = hWnd;
    }
    m_phWndDisable[n] = NULL;
}

void CFrameWnd::EndModalState()
{
    if (m_cModalStack == 0 || --m_cModalStack > 0 || m_phWndDisable == NULL)
        return;
    for (HWND* phWnd = m_phWndDisable; *phWnd != NULL; ++phWnd) {
        if (::IsWindow(*phWnd))
            ::EnableWindow(*phWnd, TRUE);
    }
    delete[] m_phWndDisable;
    m_phWndDisable = NULL;
}
