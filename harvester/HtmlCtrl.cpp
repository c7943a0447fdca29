// CHtmlCtrl and its document host: see HtmlCtrl.h.
#include "HtmlCtrl.h"
#include "PaneNavigation.h"
#include <mshtml.h>
#include <mshtmdid.h>

// What the pane lets the browser fetch: images, but no ActiveX controls to
// download, pages fresh from the server, and no dialogs of its own (script
// errors and the like).
// The show-UI interface of the document host (the system's import library
// does not carry its identifier).
static const IID kIidDocHostShowUI = {0xC4D244B0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};

static const LONG kPaneDownloadControl = DLCTL_DLIMAGES | DLCTL_NO_DLACTIVEXCTLS | DLCTL_PRAGMA_NO_CACHE | DLCTL_SILENT;

// ---------------------------------------------------------------------------
// CHtml_Host_Handlers
// ---------------------------------------------------------------------------

HRESULT CHtml_Host_Handlers::OnDocWindowActivate(BOOL fActivate) { (void)fActivate; return E_NOTIMPL; }
HRESULT CHtml_Host_Handlers::EnableModeless(BOOL fEnable) { (void)fEnable; return E_NOTIMPL; }

HRESULT CHtml_Host_Handlers::FilterDataObject(IDataObject* pDO, IDataObject** ppDORet)
{
    (void)pDO;
    if (ppDORet != NULL)
        *ppDORet = NULL;
    return E_NOTIMPL;
}

HRESULT CHtml_Host_Handlers::OnFrameWindowActivate(BOOL fActivate) { (void)fActivate; return E_NOTIMPL; }

HRESULT CHtml_Host_Handlers::GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget)
{
    (void)pDropTarget;
    (void)ppDropTarget;
    return E_NOTIMPL;
}

HRESULT CHtml_Host_Handlers::GetExternal(IDispatch** ppDispatch)
{
    if (ppDispatch != NULL)
        *ppDispatch = NULL;
    return E_NOTIMPL;
}

// The pane looks like part of the window: themed controls, and no scroll bars
// or sunken border when the creator turned them off.
HRESULT CHtml_Host_Handlers::GetHostInfo(DOCHOSTUIINFO* pInfo)
{
    if (pInfo == NULL)
        return E_POINTER;
    pInfo->dwFlags = DOCHOSTUIFLAG_THEME;
    if (!m_bShowScrollBars)
        pInfo->dwFlags |= DOCHOSTUIFLAG_SCROLL_NO;
    if (!m_bShow3DBorder)
        pInfo->dwFlags |= DOCHOSTUIFLAG_NO3DBORDER;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

// The browser keeps the pane's settings under a key of their own, apart from
// the user's browser settings.
HRESULT CHtml_Host_Handlers::GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw)
{
    (void)dw;
    if (pchKey == NULL)
        return E_INVALIDARG;
    static const WCHAR kKey[] = L"Software\\CHtmlDialog";
    *pchKey = (LPOLESTR)CoTaskMemAlloc(sizeof(kKey));
    if (*pchKey == NULL)
        return E_OUTOFMEMORY;
    memcpy(*pchKey, kKey, sizeof(kKey));
    return S_OK;
}

HRESULT CHtml_Host_Handlers::HideUI() { return S_OK; }

HRESULT CHtml_Host_Handlers::ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow)
{
    (void)prcBorder;
    (void)pUIWindow;
    (void)fRameWindow;
    return E_NOTIMPL;
}

HRESULT CHtml_Host_Handlers::ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                    IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                    IOleInPlaceUIWindow* pDoc)
{
    (void)dwID;
    (void)pActiveObject;
    (void)pCommandTarget;
    (void)pFrame;
    (void)pDoc;
    return E_NOTIMPL;
}

HRESULT CHtml_Host_Handlers::TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID)
{
    (void)lpMsg;
    (void)pguidCmdGroup;
    (void)nCmdID;
    return S_FALSE;
}

// No translation: the output says so, so the browser never reads a stale pointer.
HRESULT CHtml_Host_Handlers::TranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut)
{
    (void)dwTranslate;
    (void)pchURLIn;
    if (ppchURLOut != NULL)
        *ppchURLOut = NULL;
    return E_NOTIMPL;
}

HRESULT CHtml_Host_Handlers::UpdateUI() { return S_OK; }

HRESULT CHtml_Host_Handlers::ShowHelp(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData, POINT ptMouse,
                                      IDispatch* pDispatchObjectHit)
{
    (void)hwnd;
    (void)pszHelpFile;
    (void)uCommand;
    (void)dwData;
    (void)ptMouse;
    (void)pDispatchObjectHit;
    return E_NOTIMPL;
}

// A page's alert or confirm: a plain box with the page's text and buttons, its
// answer handed back to the page.
HRESULT CHtml_Host_Handlers::ShowMessage(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption, DWORD dwType,
                                         LPOLESTR lpstrHelpFile, DWORD dwHelpContext, LRESULT* plResult)
{
    (void)hwnd;
    (void)lpstrCaption;
    (void)lpstrHelpFile;
    (void)dwHelpContext;
    int nResult = ::MessageBoxW(NULL, lpstrText != NULL ? lpstrText : L"", L"Caption", dwType);
    if (plResult != NULL)
        *plResult = nResult;
    return S_OK;
}

// ---------------------------------------------------------------------------
// CDocHostSite
// ---------------------------------------------------------------------------

CDocHostSite::CDocHostSite(COleControlContainer* pCtrlCont) : COleControlSite(pCtrlCont), m_pHandlers(NULL)
{
    m_xDocHostUIHandler.m_pThis = this;
    m_xDocHostShowUI.m_pThis = this;
}

LPUNKNOWN CDocHostSite::GetExtraInterface(REFIID riid)
{
    if (IsEqualIID(riid, IID_IDocHostUIHandler))
        return &m_xDocHostUIHandler;
    if (IsEqualIID(riid, kIidDocHostShowUI))
        return &m_xDocHostShowUI;
    return NULL;
}

// Every host question goes to the handler object; once the pane has let go of
// it (its window is being destroyed) the answer is "not implemented".
#define DOCHOST_HANDLERS(outer) CHtml_Host_Handlers* pHandlers = (outer)->m_pHandlers

STDMETHODIMP CDocHostSite::XDocHostUIHandler::ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                                              IDispatch* pdispReserved)
{
    DOCHOST_HANDLERS(m_pThis);
    if (pHandlers == NULL || pHandlers->m_pCtrl == NULL)
        return S_FALSE;
    return pHandlers->m_pCtrl->OnShowContextMenu(dwID, ppt, pcmdtReserved, pdispReserved);
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* pInfo)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->GetHostInfo(pInfo) : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                                     IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                                     IOleInPlaceUIWindow* pDoc)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->ShowUI(dwID, pActiveObject, pCommandTarget, pFrame, pDoc) : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::HideUI()
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->HideUI() : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::UpdateUI()
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->UpdateUI() : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::EnableModeless(BOOL fEnable)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->EnableModeless(fEnable) : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::OnDocWindowActivate(BOOL fActivate)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->OnDocWindowActivate(fActivate) : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::OnFrameWindowActivate(BOOL fActivate)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->OnFrameWindowActivate(fActivate) : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                                           BOOL fRameWindow)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->ResizeBorder(prcBorder, pUIWindow, fRameWindow) : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup,
                                                                   DWORD nCmdID)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->TranslateAccelerator(lpMsg, pguidCmdGroup, nCmdID) : S_FALSE;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw)
{
    DOCHOST_HANDLERS(m_pThis);
    if (pHandlers != NULL)
        return pHandlers->GetOptionKeyPath(pchKey, dw);
    if (pchKey != NULL)
        *pchKey = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->GetDropTarget(pDropTarget, ppDropTarget) : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::GetExternal(IDispatch** ppDispatch)
{
    DOCHOST_HANDLERS(m_pThis);
    if (pHandlers != NULL)
        return pHandlers->GetExternal(ppDispatch);
    if (ppDispatch != NULL)
        *ppDispatch = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::TranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn,
                                                           OLECHAR** ppchURLOut)
{
    DOCHOST_HANDLERS(m_pThis);
    if (pHandlers != NULL)
        return pHandlers->TranslateUrl(dwTranslate, pchURLIn, ppchURLOut);
    if (ppchURLOut != NULL)
        *ppchURLOut = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostUIHandler::FilterDataObject(IDataObject* pDO, IDataObject** ppDORet)
{
    DOCHOST_HANDLERS(m_pThis);
    if (pHandlers != NULL)
        return pHandlers->FilterDataObject(pDO, ppDORet);
    if (ppDORet != NULL)
        *ppDORet = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostShowUI::ShowMessage(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption,
                                                       DWORD dwType, LPOLESTR lpstrHelpFile, DWORD dwHelpContext,
                                                       LRESULT* plResult)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL
               ? pHandlers->ShowMessage(hwnd, lpstrText, lpstrCaption, dwType, lpstrHelpFile, dwHelpContext, plResult)
               : E_NOTIMPL;
}

STDMETHODIMP CDocHostSite::XDocHostShowUI::ShowHelp(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData,
                                                    POINT ptMouse, IDispatch* pDispatchObjectHit)
{
    DOCHOST_HANDLERS(m_pThis);
    return pHandlers != NULL ? pHandlers->ShowHelp(hwnd, pszHelpFile, uCommand, dwData, ptMouse, pDispatchObjectHit)
                             : E_NOTIMPL;
}

#undef DOCHOST_HANDLERS

// ---------------------------------------------------------------------------
// CDocHostOccManager
// ---------------------------------------------------------------------------

COleControlSite* CDocHostOccManager::CreateSite(COleControlContainer* pCtrlCont)
{
    CDocHostSite* pSite = new CDocHostSite(pCtrlCont);
    pSite->SetHandlers(m_pHandlers);
    m_pLastSite = pSite;
    return pSite;
}

// ---------------------------------------------------------------------------
// CHtmlCtrl
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CHtmlCtrl, CHtmlView)

BEGIN_MESSAGE_MAP(CHtmlCtrl, CHtmlView)
    ON_WM_MOUSEACTIVATE()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CHtmlCtrl::PFNSHELLEXECUTE CHtmlCtrl::s_pfnShellExecute = ::ShellExecuteA;

CHtmlCtrl::CHtmlCtrl() : m_pHandlers(NULL), m_pOccManager(NULL), m_bDefaultContextMenu(FALSE)
{
}

CHtmlCtrl::~CHtmlCtrl()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    delete m_pHandlers;
    delete m_pOccManager;
}

BOOL CHtmlCtrl::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext, BOOL bShowScrollBars,
                       BOOL bShow3DBorder)
{
    if (m_pOccManager == NULL)
        m_pOccManager = new CDocHostOccManager;
    // A handler object goes with the window; a pane created again after its
    // window was destroyed gets a new one rather than the deleted one.
    if (m_pHandlers == NULL) {
        m_pHandlers = new CHtml_Host_Handlers(this, bShowScrollBars != FALSE, bShow3DBorder != FALSE);
        m_pOccManager->m_pHandlers = m_pHandlers;
    }
    m_pOccManager->m_pLastSite = NULL;
    return CHtmlView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

// The static only marks the place: the pane takes its rectangle and id.
BOOL CHtmlCtrl::ReplaceStatic(UINT nID, CWnd* pParent)
{
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return FALSE;
    HWND hStatic = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    if (hStatic == NULL)
        return FALSE;
    CRect rc;
    ::GetWindowRect(hStatic, &rc);
    pParent->ScreenToClient(&rc);
    ::DestroyWindow(hStatic);
    return Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rc, pParent, nID, NULL, TRUE, TRUE);
}

COleControlSite* CHtmlCtrl::CreateControlSite(COleControlContainer* pContainer)
{
    if (m_pOccManager == NULL)
        return NULL;
    return m_pOccManager->CreateSite(pContainer);
}

BOOL CHtmlCtrl::OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar)
{
    if (dispid == DISPID_AMBIENT_DLCONTROL) {
        V_VT(pvar) = VT_I4;
        V_I4(pvar) = kPaneDownloadControl;
        return TRUE;
    }
    return CHtmlView::OnAmbientProperty(pSite, dispid, pvar);
}

// Menus only where they make sense: on a link the browser's own menu (open,
// copy the address), elsewhere none, so the pane does not offer "view source",
// "back" or "refresh" on an advertisement. The owner can let the browser show
// its menu everywhere.
HRESULT CHtmlCtrl::OnShowContextMenu(DWORD dwID, LPPOINT ppt, LPUNKNOWN pcmdtReserved, LPDISPATCH pdispReserved)
{
    (void)ppt;
    (void)pcmdtReserved;
    if (m_bDefaultContextMenu)
        return S_FALSE;
    CString strHref;
    if ((dwID & 4) != 0 && pdispReserved != NULL) {
        IHTMLAnchorElement* pAnchor = NULL;
        if (SUCCEEDED(pdispReserved->QueryInterface(IID_IHTMLAnchorElement, (void**)&pAnchor)) && pAnchor != NULL) {
            BSTR bstr = NULL;
            if (SUCCEEDED(pAnchor->get_href(&bstr)) && bstr != NULL) {
                strHref = CString(bstr);
                SysFreeString(bstr);
            }
            pAnchor->Release();
        }
    }
    return strHref.IsEmpty() ? S_OK : S_FALSE;
}

#ifndef NWMF_USERINITIATED
#define NWMF_USERINITIATED 0x2  // a new window the user's own click asked for
#endif

BOOL CHtmlCtrl::RouteAddress(LPCTSTR lpszURL, BOOL bTopLevel)
{
    switch (DecidePaneNavigation(lpszURL, bTopLevel != FALSE)) {
    case paneLoad:
        return TRUE;
    case paneAppCommand: {
        m_strLastApp = lpszURL;
        CString strCommand = PaneAppCommand(lpszURL);
        if (!strCommand.IsEmpty())
            OnAppCommand(strCommand);
        break;
    }
    case paneOpenInShell:
        s_pfnShellExecute(NULL, "open", lpszURL, NULL, NULL, SW_SHOWNORMAL);
        break;
    case paneCancel:
        break;
    }
    return FALSE;
}

void CHtmlCtrl::OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName,
                                  CByteArray& baPostedData, LPCTSTR lpszHeaders, BOOL* pbCancel)
{
    (void)nFlags;
    (void)lpszTargetFrameName;
    (void)baPostedData;
    (void)lpszHeaders;
    if (!RouteAddress(lpszURL, IsTopLevelEvent()) && pbCancel != NULL)
        *pbCancel = TRUE;
}

// The pane never opens browser windows of its own: such a window would show
// any address a page names, past the pane's rule. A link meant for a new
// window goes where the rule sends a link the user followed in the pane.
void CHtmlCtrl::OnNewWindow2(LPDISPATCH* ppDisp, BOOL* pbCancel)
{
    if (pbCancel != NULL)
        *pbCancel = TRUE;
    CHtmlView::OnNewWindow2(ppDisp, pbCancel);
}

void CHtmlCtrl::OnNewWindow3(LPDISPATCH* ppDisp, BOOL* pbCancel, DWORD dwFlags, LPCTSTR lpszUrlContext,
                             LPCTSTR lpszURL)
{
    (void)ppDisp;
    (void)lpszUrlContext;
    if (pbCancel != NULL)
        *pbCancel = TRUE;
    // A window a page's script opens by itself is no link the user followed:
    // it goes nowhere.
    if ((dwFlags & NWMF_USERINITIATED) == 0)
        return;
    if (RouteAddress(lpszURL, TRUE))
        Navigate2(lpszURL);
}

// A page that cannot be reached shows nothing rather than the browser's error page.
void CHtmlCtrl::OnNavigateError(LPCTSTR lpszURL, LPCTSTR lpszFrame, DWORD dwError, BOOL* pbCancel)
{
    if (pbCancel != NULL)
        *pbCancel = TRUE;
    CHtmlView::OnNavigateError(lpszURL, lpszFrame, dwError, pbCancel);
}

void CHtmlCtrl::OnStatusBar(BOOL bStatusBar)
{
    (void)bStatusBar;
    CHtmlView::OnStatusBar(FALSE);
}

// A click in the pane must not make it the frame's active view, as a view's
// handler would: the window's default answer only.
int CHtmlCtrl::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    return (int)Default();
}

void CHtmlCtrl::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    (void)pWnd;
    (void)pos;
    Default();
}

void CHtmlCtrl::OnDestroy()
{
    // The site may outlive the window for as long as the browser holds it:
    // it must not keep the handler object that goes now.
    if (m_pOccManager != NULL) {
        if (m_pOccManager->m_pLastSite != NULL && m_pOccManager->m_pLastSite == GetBrowserSite())
            m_pOccManager->m_pLastSite->SetHandlers(NULL);
        m_pOccManager->m_pLastSite = NULL;
        m_pOccManager->m_pHandlers = NULL;
    }
    CHtmlView::OnDestroy();
    delete m_pHandlers;
    m_pHandlers = NULL;
}
