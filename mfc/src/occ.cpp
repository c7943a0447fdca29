// occ.cpp - COleControlSite, COleControlContainer, COccManager: a control
// container over plain COM. A control is created, given its client site, run,
// and activated in place inside the container's window; it asks the site for
// its window context and for ambient properties.
#include "afxocc.h"

// ---------------------------------------------------------------------------
// COleControlContainer
// ---------------------------------------------------------------------------

// A hosted control must see itself in user mode (not in a design tool), alive,
// and without design-time adornments.
BOOL COleControlContainer::OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar)
{
    (void)pSite;
    switch (dispid) {
    case DISPID_AMBIENT_USERMODE:
        V_VT(pvar) = VT_BOOL;
        V_BOOL(pvar) = VARIANT_TRUE;
        return TRUE;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
    case DISPID_AMBIENT_MESSAGEREFLECT:
        V_VT(pvar) = VT_BOOL;
        V_BOOL(pvar) = VARIANT_FALSE;
        return TRUE;
    case DISPID_AMBIENT_LOCALEID:
        V_VT(pvar) = VT_I4;
        V_I4(pvar) = (LONG)GetUserDefaultLCID();
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// COccManager
// ---------------------------------------------------------------------------

COleControlSite* COccManager::CreateSite(COleControlContainer* pCtrlCont)
{
    return new COleControlSite(pCtrlCont);
}

// ---------------------------------------------------------------------------
// COleControlSite
// ---------------------------------------------------------------------------

COleControlSite::COleControlSite(COleControlContainer* pCtrlCont)
    : m_pCtrlCont(pCtrlCont), m_hWnd(NULL), m_rect(0, 0, 0, 0), m_nID(0), m_nRefs(1), m_pObject(NULL),
      m_pOleObject(NULL), m_pInPlaceObject(NULL), m_pActiveObject(NULL), m_bInPlaceActive(FALSE)
{
}

COleControlSite::~COleControlSite()
{
    DestroyControl();
}

static HWND ContainerWindow(COleControlContainer* pCont)
{
    return pCont != NULL ? pCont->m_pWnd->GetSafeHwnd() : NULL;
}

BOOL COleControlSite::CreateControl(REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, UINT nID)
{
    HWND hWndCont = ContainerWindow(m_pCtrlCont);
    if (hWndCont == NULL || m_pObject != NULL)
        return FALSE;
    m_rect = rect;
    m_nID = nID;

    if (FAILED(CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IUnknown,
                                (void**)&m_pObject)) || m_pObject == NULL) {
        m_pObject = NULL;
        return FALSE;
    }
    if (FAILED(m_pObject->QueryInterface(IID_IOleObject, (void**)&m_pOleObject)) || m_pOleObject == NULL) {
        m_pOleObject = NULL;
        DestroyControl();
        return FALSE;
    }

    // Controls that want their client site before initialisation say so.
    DWORD dwMisc = 0;
    m_pOleObject->GetMiscStatus(DVASPECT_CONTENT, &dwMisc);
    if (dwMisc & OLEMISC_SETCLIENTSITEFIRST)
        m_pOleObject->SetClientSite(static_cast<IOleClientSite*>(this));

    IPersistStreamInit* pInit = NULL;
    if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, (void**)&pInit)) && pInit != NULL) {
        pInit->InitNew();
        pInit->Release();
    }
    if (!(dwMisc & OLEMISC_SETCLIENTSITEFIRST))
        m_pOleObject->SetClientSite(static_cast<IOleClientSite*>(this));

    m_pOleObject->SetHostNames(L"Container", NULL);
    OleSetContainedObject(m_pObject, TRUE);

    RECT rc = rect;
    HRESULT hr = m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, NULL, static_cast<IOleClientSite*>(this), 0,
                                      hWndCont, &rc);
    if (SUCCEEDED(hr) && m_pInPlaceObject == NULL)
        m_pObject->QueryInterface(IID_IOleInPlaceObject, (void**)&m_pInPlaceObject);
    if (FAILED(hr) || m_pInPlaceObject == NULL || FAILED(m_pInPlaceObject->GetWindow(&m_hWnd)) ||
        m_hWnd == NULL) {
        DestroyControl();
        return FALSE;
    }

    ::SetWindowLongPtr(m_hWnd, GWLP_ID, (LONG_PTR)nID);
    if (lpszWindowName != NULL && *lpszWindowName != '\0')
        ::SetWindowText(m_hWnd, lpszWindowName);
    // Shown without the "show" verb: that one also activates the control's
    // user interface (keyboard focus, shared menus), which a control embedded
    // in a form should get only when the user clicks into it.
    ::ShowWindow(m_hWnd, (dwStyle & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    return TRUE;
}

// The control lets go of the site (SetClientSite(NULL)) before the site lets go
// of the control, so neither side calls into the other half torn down.
void COleControlSite::DestroyControl()
{
    if (m_pInPlaceObject != NULL) {
        if (m_bInPlaceActive)
            m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject->Release();
        m_pInPlaceObject = NULL;
    }
    if (m_pActiveObject != NULL) {
        m_pActiveObject->Release();
        m_pActiveObject = NULL;
    }
    if (m_pOleObject != NULL) {
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(NULL);
        m_pOleObject->Release();
        m_pOleObject = NULL;
    }
    if (m_pObject != NULL) {
        m_pObject->Release();
        m_pObject = NULL;
    }
    m_hWnd = NULL;
    m_bInPlaceActive = FALSE;
}

void COleControlSite::MoveWindow(const RECT& rect)
{
    m_rect = rect;
    if (m_pInPlaceObject != NULL)
        m_pInPlaceObject->SetObjectRects(&rect, &rect);
    else if (m_hWnd != NULL)
        ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

BOOL COleControlSite::PreTranslateMessage(MSG* pMsg)
{
    if (m_pActiveObject == NULL || m_hWnd == NULL || pMsg == NULL || pMsg->message < WM_KEYFIRST ||
        pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return m_pActiveObject->TranslateAccelerator(pMsg) == S_OK;
}

// ---- IUnknown ----

STDMETHODIMP COleControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(riid, IID_IOleControlSite))
        *ppv = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(this);
    else
        *ppv = GetExtraInterface(riid);
    if (*ppv == NULL)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) COleControlSite::AddRef()
{
    return (ULONG)InterlockedIncrement(&m_nRefs);
}

STDMETHODIMP_(ULONG) COleControlSite::Release()
{
    LONG n = InterlockedDecrement(&m_nRefs);
    if (n == 0)
        delete this;
    return (ULONG)n;
}

// ---- IOleClientSite ----

STDMETHODIMP COleControlSite::SaveObject() { return S_OK; }

STDMETHODIMP COleControlSite::GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk)
{
    (void)dwAssign;
    (void)dwWhichMoniker;
    if (ppmk != NULL)
        *ppmk = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer != NULL)
        *ppContainer = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP COleControlSite::ShowObject() { return S_OK; }
STDMETHODIMP COleControlSite::OnShowWindow(BOOL fShow) { (void)fShow; return S_OK; }
STDMETHODIMP COleControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// ---- IOleWindow ----

STDMETHODIMP COleControlSite::GetWindow(HWND* phwnd)
{
    if (phwnd == NULL)
        return E_POINTER;
    *phwnd = ContainerWindow(m_pCtrlCont);
    return *phwnd != NULL ? S_OK : E_FAIL;
}

STDMETHODIMP COleControlSite::ContextSensitiveHelp(BOOL fEnterMode) { (void)fEnterMode; return S_OK; }

// ---- IOleInPlaceSite ----

STDMETHODIMP COleControlSite::CanInPlaceActivate() { return S_OK; }

STDMETHODIMP COleControlSite::OnInPlaceActivate()
{
    m_bInPlaceActive = TRUE;
    if (m_pInPlaceObject == NULL && m_pObject != NULL)
        m_pObject->QueryInterface(IID_IOleInPlaceObject, (void**)&m_pInPlaceObject);
    return S_OK;
}

STDMETHODIMP COleControlSite::OnUIActivate() { return S_OK; }

// The site is its own frame; there is no separate document window. Both
// rectangles are the control's place in the container.
STDMETHODIMP COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (ppFrame == NULL || ppDoc == NULL || lprcPosRect == NULL || lprcClipRect == NULL)
        return E_POINTER;
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *ppDoc = NULL;
    *lprcPosRect = m_rect;
    *lprcClipRect = m_rect;
    if (lpFrameInfo != NULL) {
        lpFrameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = ContainerWindow(m_pCtrlCont);
        lpFrameInfo->haccel = NULL;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP COleControlSite::Scroll(SIZE scrollExtant) { (void)scrollExtant; return E_NOTIMPL; }
STDMETHODIMP COleControlSite::OnUIDeactivate(BOOL fUndoable) { (void)fUndoable; return S_OK; }

STDMETHODIMP COleControlSite::OnInPlaceDeactivate()
{
    m_bInPlaceActive = FALSE;
    return S_OK;
}

STDMETHODIMP COleControlSite::DiscardUndoState() { return S_OK; }
STDMETHODIMP COleControlSite::DeactivateAndUndo() { return S_OK; }

STDMETHODIMP COleControlSite::OnPosRectChange(LPCRECT lprcPosRect)
{
    if (lprcPosRect == NULL)
        return E_POINTER;
    m_rect = *lprcPosRect;
    if (m_pInPlaceObject != NULL)
        m_pInPlaceObject->SetObjectRects(lprcPosRect, lprcPosRect);
    return S_OK;
}

// ---- IOleInPlaceUIWindow / IOleInPlaceFrame: no tool space, menus or
// accelerators are shared with the control. ----

STDMETHODIMP COleControlSite::GetBorder(LPRECT lprectBorder) { (void)lprectBorder; return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP COleControlSite::RequestBorderSpace(LPCBORDERWIDTHS pborderwidths) { (void)pborderwidths; return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP COleControlSite::SetBorderSpace(LPCBORDERWIDTHS pborderwidths) { (void)pborderwidths; return S_OK; }

STDMETHODIMP COleControlSite::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR pszObjName)
{
    (void)pszObjName;
    if (pActiveObject != NULL)
        pActiveObject->AddRef();
    if (m_pActiveObject != NULL)
        m_pActiveObject->Release();
    m_pActiveObject = pActiveObject;
    return S_OK;
}

STDMETHODIMP COleControlSite::InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) { (void)hmenuShared; (void)lpMenuWidths; return E_NOTIMPL; }
STDMETHODIMP COleControlSite::SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) { (void)hmenuShared; (void)holemenu; (void)hwndActiveObject; return S_OK; }
STDMETHODIMP COleControlSite::RemoveMenus(HMENU hmenuShared) { (void)hmenuShared; return E_NOTIMPL; }
STDMETHODIMP COleControlSite::SetStatusText(LPCOLESTR pszStatusText) { (void)pszStatusText; return S_OK; }
STDMETHODIMP COleControlSite::EnableModeless(BOOL fEnable) { (void)fEnable; return S_OK; }
STDMETHODIMP COleControlSite::TranslateAccelerator(LPMSG lpmsg, WORD wID) { (void)lpmsg; (void)wID; return S_FALSE; }

// ---- IOleControlSite ----

STDMETHODIMP COleControlSite::OnControlInfoChanged() { return S_OK; }
STDMETHODIMP COleControlSite::LockInPlaceActive(BOOL fLock) { (void)fLock; return S_OK; }

STDMETHODIMP COleControlSite::GetExtendedControl(IDispatch** ppDisp)
{
    if (ppDisp != NULL)
        *ppDisp = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::TransformCoords(POINTL* pPtlHimetric, POINTF* pPtfContainer, DWORD dwFlags)
{
    (void)pPtlHimetric;
    (void)pPtfContainer;
    (void)dwFlags;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::TranslateAccelerator(MSG* pMsg, DWORD grfModifiers) { (void)pMsg; (void)grfModifiers; return S_FALSE; }
STDMETHODIMP COleControlSite::OnFocus(BOOL fGotFocus) { (void)fGotFocus; return S_OK; }
STDMETHODIMP COleControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

// ---- IDispatch: ambient properties ----

STDMETHODIMP COleControlSite::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == NULL)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP COleControlSite::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo)
{
    (void)iTInfo;
    (void)lcid;
    if (ppTInfo != NULL)
        *ppTInfo = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId)
{
    (void)riid;
    (void)rgszNames;
    (void)lcid;
    for (UINT i = 0; rgDispId != NULL && i < cNames; i++)
        rgDispId[i] = DISPID_UNKNOWN;
    return E_NOTIMPL;
}

// Ambient properties are read-only: only a property get is answered, and only
// for properties the container knows.
STDMETHODIMP COleControlSite::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    (void)riid;
    (void)lcid;
    (void)pDispParams;
    (void)pExcepInfo;
    (void)puArgErr;
    if (!(wFlags & DISPATCH_PROPERTYGET) || m_pCtrlCont == NULL)
        return DISP_E_MEMBERNOTFOUND;
    VARIANT var;
    VariantInit(&var);
    if (!m_pCtrlCont->OnAmbientProperty(this, dispIdMember, &var)) {
        VariantClear(&var);
        return DISP_E_MEMBERNOTFOUND;
    }
    if (pVarResult != NULL)
        *pVarResult = var;   // ownership passes to the caller
    else
        VariantClear(&var);
    return S_OK;
}
