// htmlview.cpp - CHtmlView: the WebBrowser control in a view, its events
// delivered through a DWebBrowserEvents2 connection to virtual functions.
#include "afxhtml.h"
#include "afxext.h"
#include <exdispid.h>
#include <olectl.h>

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
END_MESSAGE_MAP()

static const CLSID kClsidWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
static const IID kIidWebBrowser2 = {0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};
static const IID kDiidWebBrowserEvents2 = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

CHtmlView::CHtmlView()
    : m_pBrowserApp(NULL), m_pBrowserSite(NULL), m_bTopLevelEvent(TRUE), m_container(this), m_pEventPoint(NULL),
      m_dwEventCookie(0)
{
    m_xEventSink.m_pThis = this;
}

CHtmlView::~CHtmlView()
{
    DestroyBrowser();
}

BOOL CHtmlView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;

    CRect rcClient;
    GetClientRect(&rcClient);
    COleControlSite* pSite = CreateControlSite(&m_container);
    if (pSite == NULL)
        pSite = new COleControlSite(&m_container);
    m_pBrowserSite = pSite;

    IUnknown* pUnk = NULL;
    if (pSite->CreateControl(kClsidWebBrowser, lpszWindowName, WS_VISIBLE | WS_CHILD, rcClient,
                             AFX_IDW_PANE_FIRST_BROWSER) &&
        (pUnk = pSite->GetControlUnknown()) != NULL &&
        SUCCEEDED(pUnk->QueryInterface(kIidWebBrowser2, (void**)&m_pBrowserApp)) && m_pBrowserApp != NULL) {
        m_wndBrowser.Attach(pSite->GetControlWindow());
        IConnectionPointContainer* pCPC = NULL;
        if (SUCCEEDED(pUnk->QueryInterface(IID_IConnectionPointContainer, (void**)&pCPC)) && pCPC != NULL) {
            if (SUCCEEDED(pCPC->FindConnectionPoint(kDiidWebBrowserEvents2, &m_pEventPoint)) &&
                m_pEventPoint != NULL) {
                if (FAILED(m_pEventPoint->Advise(&m_xEventSink, &m_dwEventCookie))) {
                    m_pEventPoint->Release();
                    m_pEventPoint = NULL;
                    m_dwEventCookie = 0;
                }
            }
            pCPC->Release();
        }
        return TRUE;
    }

    m_pBrowserApp = NULL;
    DestroyWindow();   // OnDestroy lets go of the control and the site
    return FALSE;
}

// Unhooks the events, closes the control and lets go of the site. Safe to call
// more than once.
void CHtmlView::DestroyBrowser()
{
    if (m_pEventPoint != NULL) {
        m_pEventPoint->Unadvise(m_dwEventCookie);
        m_pEventPoint->Release();
        m_pEventPoint = NULL;
        m_dwEventCookie = 0;
    }
    if (m_pBrowserApp != NULL) {
        m_pBrowserApp->Release();
        m_pBrowserApp = NULL;
    }
    if (m_wndBrowser.m_hWnd != NULL)
        m_wndBrowser.Detach();
    if (m_pBrowserSite != NULL) {
        COleControlSite* pSite = m_pBrowserSite;
        m_pBrowserSite = NULL;
        pSite->DestroyControl();
        // The control may hold the site past this view: it must not reach the
        // container, which is this view's member.
        pSite->m_pCtrlCont = NULL;
        pSite->Release();
    }
}

void CHtmlView::OnDestroy()
{
    DestroyBrowser();
    CView::OnDestroy();
}

void CHtmlView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_pBrowserSite != NULL && cx > 0 && cy > 0)
        m_pBrowserSite->MoveWindow(CRect(0, 0, cx, cy));
}

// The browser paints itself; only an empty view (no browser) needs filling.
void CHtmlView::OnPaint()
{
    Default();
}

BOOL CHtmlView::PreTranslateMessage(MSG* pMsg)
{
    if (m_pBrowserSite != NULL && m_pBrowserSite->PreTranslateMessage(pMsg))
        return TRUE;
    return CView::PreTranslateMessage(pMsg);
}

BOOL CHtmlView::OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar)
{
    return m_container.BaseAmbientProperty(pSite, dispid, pvar);
}

BOOL CHtmlView::CContainer::OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar)
{
    return static_cast<CHtmlView*>(m_pWnd)->OnAmbientProperty(pSite, dispid, pvar);
}

// ---- navigation ----

void CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName, LPCTSTR lpszHeaders,
                          LPVOID lpvPostData, DWORD dwPostDataLen)
{
    if (m_pBrowserApp == NULL || lpszURL == NULL)
        return;
    CString strURL(lpszURL);
    VARIANT vURL, vFlags, vTarget, vPost, vHeaders;
    VariantInit(&vURL);
    VariantInit(&vFlags);
    VariantInit(&vTarget);
    VariantInit(&vPost);
    VariantInit(&vHeaders);
    V_VT(&vURL) = VT_BSTR;
    V_BSTR(&vURL) = strURL.AllocSysString();
    V_VT(&vFlags) = VT_I4;
    V_I4(&vFlags) = (LONG)dwFlags;
    if (lpszTargetFrameName != NULL) {
        V_VT(&vTarget) = VT_BSTR;
        V_BSTR(&vTarget) = CString(lpszTargetFrameName).AllocSysString();
    }
    if (lpszHeaders != NULL) {
        V_VT(&vHeaders) = VT_BSTR;
        V_BSTR(&vHeaders) = CString(lpszHeaders).AllocSysString();
    }
    if (lpvPostData != NULL && dwPostDataLen > 0) {
        SAFEARRAY* psa = SafeArrayCreateVector(VT_UI1, 0, dwPostDataLen);
        if (psa != NULL) {
            void* pData = NULL;
            if (SUCCEEDED(SafeArrayAccessData(psa, &pData))) {
                memcpy(pData, lpvPostData, dwPostDataLen);
                SafeArrayUnaccessData(psa);
            }
            V_VT(&vPost) = VT_ARRAY | VT_UI1;
            V_ARRAY(&vPost) = psa;
        }
    }
    m_pBrowserApp->Navigate2(&vURL, &vFlags, &vTarget, &vPost, &vHeaders);
    VariantClear(&vURL);
    VariantClear(&vTarget);
    VariantClear(&vPost);
    VariantClear(&vHeaders);
}

void CHtmlView::Stop()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->Stop();
}

void CHtmlView::Refresh()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->Refresh();
}

CString CHtmlView::GetLocationURL() const
{
    CString str;
    BSTR bstr = NULL;
    if (m_pBrowserApp != NULL && SUCCEEDED(m_pBrowserApp->get_LocationURL(&bstr)) && bstr != NULL) {
        str = CString(bstr);
        SysFreeString(bstr);
    }
    return str;
}

BOOL CHtmlView::GetBusy() const
{
    VARIANT_BOOL b = VARIANT_FALSE;
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->get_Busy(&b);
    return b != VARIANT_FALSE;
}

LPDISPATCH CHtmlView::GetHtmlDocument() const
{
    LPDISPATCH pDisp = NULL;
    if (m_pBrowserApp == NULL || FAILED(m_pBrowserApp->get_Document(&pDisp)))
        return NULL;
    return pDisp;
}

// ---- default event handling ----

void CHtmlView::OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName,
                                  CByteArray& baPostedData, LPCTSTR lpszHeaders, BOOL* pbCancel)
{
    (void)lpszURL;
    (void)nFlags;
    (void)lpszTargetFrameName;
    (void)baPostedData;
    (void)lpszHeaders;
    (void)pbCancel;
}

void CHtmlView::OnNavigateError(LPCTSTR lpszURL, LPCTSTR lpszFrame, DWORD dwError, BOOL* pbCancel)
{
    (void)lpszURL;
    (void)lpszFrame;
    (void)dwError;
    (void)pbCancel;
}

void CHtmlView::OnStatusTextChange(LPCTSTR lpszText)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && lpszText != NULL)
        pFrame->SetMessageText(lpszText);
}

// ---- the event sink ----

// An event argument may come by value or by reference (VT_BYREF|VT_VARIANT);
// these look through the reference.
static const VARIANT* EventArg(const DISPPARAMS* p, UINT iFromFirst)
{
    if (p == NULL || iFromFirst >= p->cArgs)
        return NULL;
    const VARIANT* v = &p->rgvarg[p->cArgs - 1 - iFromFirst];   // arguments come last first
    while (v != NULL && V_VT(v) == (VT_BYREF | VT_VARIANT))
        v = V_VARIANTREF(v);
    return v;
}

static CString ArgText(const VARIANT* v)
{
    if (v == NULL)
        return CString();
    if (V_VT(v) == VT_BSTR)
        return V_BSTR(v) != NULL ? CString(V_BSTR(v)) : CString();
    if (V_VT(v) == (VT_BYREF | VT_BSTR) && V_BSTRREF(v) != NULL && *V_BSTRREF(v) != NULL)
        return CString(*V_BSTRREF(v));
    return CString();
}

CString CHtmlView::UrlFromWide(LPCWSTR pszURL)
{
    CString strURL;
    if (pszURL == NULL)
        return strURL;
    // An address is ASCII once its other characters are escaped as UTF-8; a
    // conversion to the ANSI code page could map a look-alike character to
    // a plain one, and the address judged would not be the one loaded.
    static const char szHex[] = "0123456789ABCDEF";
    for (LPCWSTR p = pszURL; *p != 0; p++) {
        if (*p < 0x80) {
            strURL += (char)*p;
            continue;
        }
        int nChars = (*p >= 0xD800 && *p <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) ? 2 : 1;
        char szUtf8[8];
        int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, p, nChars, szUtf8, sizeof szUtf8, NULL, NULL);
        for (int i = 0; i < nBytes; i++) {
            strURL += '%';
            strURL += szHex[(BYTE)szUtf8[i] >> 4];
            strURL += szHex[(BYTE)szUtf8[i] & 15];
        }
        p += nChars - 1;
    }
    return strURL;
}

static CString ArgUrl(const VARIANT* v)
{
    if (v == NULL)
        return CString();
    if (V_VT(v) == VT_BSTR)
        return CHtmlView::UrlFromWide(V_BSTR(v));
    if (V_VT(v) == (VT_BYREF | VT_BSTR) && V_BSTRREF(v) != NULL)
        return CHtmlView::UrlFromWide(*V_BSTRREF(v));
    return CString();
}

static LONG ArgLong(const VARIANT* v)
{
    if (v == NULL)
        return 0;
    VARIANT tmp;
    VariantInit(&tmp);
    LONG n = 0;
    if (SUCCEEDED(VariantChangeType(&tmp, const_cast<VARIANT*>(v), 0, VT_I4)))
        n = V_I4(&tmp);
    VariantClear(&tmp);
    return n;
}

static VARIANT_BOOL* ArgBoolRef(const VARIANT* v)
{
    if (v != NULL && V_VT(v) == (VT_BYREF | VT_BOOL))
        return V_BOOLREF(v);
    return NULL;
}

static LPDISPATCH ArgDispatch(const VARIANT* v)
{
    if (v == NULL)
        return NULL;
    if (V_VT(v) == VT_DISPATCH)
        return V_DISPATCH(v);
    if (V_VT(v) == VT_UNKNOWN)
        return (LPDISPATCH)V_UNKNOWN(v);
    return NULL;
}

static void ArgBytes(const VARIANT* v, CByteArray& ba)
{
    ba.RemoveAll();
    if (v == NULL || !(V_VT(v) & VT_ARRAY))
        return;
    SAFEARRAY* psa = (V_VT(v) & VT_BYREF) ? (V_ARRAYREF(v) ? *V_ARRAYREF(v) : NULL) : V_ARRAY(v);
    if (psa == NULL || SafeArrayGetDim(psa) != 1 || SafeArrayGetElemsize(psa) != 1)
        return;
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(psa, 1, &lo);
    SafeArrayGetUBound(psa, 1, &hi);
    void* pData = NULL;
    if (hi < lo || FAILED(SafeArrayAccessData(psa, &pData)))
        return;
    ba.SetSize(hi - lo + 1);
    memcpy(ba.GetData(), pData, (size_t)(hi - lo + 1));
    SafeArrayUnaccessData(psa);
}

// Whether an event's browser object is the view's own browser, compared as
// COM identities.
static BOOL IsSameObject(IUnknown* a, IUnknown* b)
{
    if (a == NULL || b == NULL)
        return FALSE;
    IUnknown* ua = NULL;
    IUnknown* ub = NULL;
    a->QueryInterface(IID_IUnknown, (void**)&ua);
    b->QueryInterface(IID_IUnknown, (void**)&ub);
    BOOL bSame = ua != NULL && ua == ub;
    if (ua != NULL)
        ua->Release();
    if (ub != NULL)
        ub->Release();
    return bSame;
}

void CHtmlView::OnBrowserEvent(DISPID dispid, DISPPARAMS* p)
{
    switch (dispid) {
    case DISPID_BEFORENAVIGATE2: {
        // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        VARIANT_BOOL* pvbCancel = ArgBoolRef(EventArg(p, 6));
        CByteArray baPost;
        ArgBytes(EventArg(p, 4), baPost);
        BOOL bCancel = pvbCancel != NULL && *pvbCancel != VARIANT_FALSE;
        m_bTopLevelEvent = IsSameObject(ArgDispatch(EventArg(p, 0)), m_pBrowserApp);
        OnBeforeNavigate2(ArgUrl(EventArg(p, 1)), (DWORD)ArgLong(EventArg(p, 2)), ArgText(EventArg(p, 3)), baPost,
                          ArgText(EventArg(p, 5)), &bCancel);
        m_bTopLevelEvent = TRUE;
        if (pvbCancel != NULL)
            *pvbCancel = bCancel ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case DISPID_NAVIGATEERROR: {
        // (pDisp, URL, Frame, StatusCode, Cancel)
        VARIANT_BOOL* pvbCancel = ArgBoolRef(EventArg(p, 4));
        BOOL bCancel = pvbCancel != NULL && *pvbCancel != VARIANT_FALSE;
        m_bTopLevelEvent = IsSameObject(ArgDispatch(EventArg(p, 0)), m_pBrowserApp);
        OnNavigateError(ArgUrl(EventArg(p, 1)), ArgText(EventArg(p, 2)), (DWORD)ArgLong(EventArg(p, 3)), &bCancel);
        m_bTopLevelEvent = TRUE;
        if (pvbCancel != NULL)
            *pvbCancel = bCancel ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case DISPID_NAVIGATECOMPLETE2:
        OnNavigateComplete2(ArgUrl(EventArg(p, 1)));
        break;
    case DISPID_DOCUMENTCOMPLETE:
        OnDocumentComplete(ArgUrl(EventArg(p, 1)));
        break;
    case DISPID_STATUSTEXTCHANGE:
        OnStatusTextChange(ArgText(EventArg(p, 0)));
        break;
    case DISPID_ONSTATUSBAR:
        OnStatusBar(ArgLong(EventArg(p, 0)) != 0);
        break;
    case DISPID_DOWNLOADCOMPLETE:
        OnDownloadComplete();
        break;
    case DISPID_NEWWINDOW3: {
        // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        const VARIANT* vDisp = EventArg(p, 0);
        VARIANT_BOOL* pvbCancel = ArgBoolRef(EventArg(p, 1));
        LPDISPATCH* ppDisp = (vDisp != NULL && V_VT(vDisp) == (VT_BYREF | VT_DISPATCH)) ? V_DISPATCHREF(vDisp) : NULL;
        LPDISPATCH pDummy = NULL;
        BOOL bCancel = pvbCancel != NULL && *pvbCancel != VARIANT_FALSE;
        OnNewWindow3(ppDisp != NULL ? ppDisp : &pDummy, &bCancel, (DWORD)ArgLong(EventArg(p, 2)),
                     ArgUrl(EventArg(p, 3)), ArgUrl(EventArg(p, 4)));
        if (pvbCancel != NULL)
            *pvbCancel = bCancel ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case DISPID_NEWWINDOW2: {
        // (ppDisp, Cancel)
        const VARIANT* vDisp = EventArg(p, 0);
        VARIANT_BOOL* pvbCancel = ArgBoolRef(EventArg(p, 1));
        LPDISPATCH* ppDisp = (vDisp != NULL && V_VT(vDisp) == (VT_BYREF | VT_DISPATCH)) ? V_DISPATCHREF(vDisp) : NULL;
        LPDISPATCH pDummy = NULL;
        BOOL bCancel = pvbCancel != NULL && *pvbCancel != VARIANT_FALSE;
        OnNewWindow2(ppDisp != NULL ? ppDisp : &pDummy, &bCancel);
        if (pvbCancel != NULL)
            *pvbCancel = bCancel ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    }
}

STDMETHODIMP CHtmlView::XEventSink::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kDiidWebBrowserEvents2)) {
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP CHtmlView::XEventSink::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == NULL)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CHtmlView::XEventSink::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo)
{
    (void)iTInfo;
    (void)lcid;
    if (ppTInfo != NULL)
        *ppTInfo = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP CHtmlView::XEventSink::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                                  DISPID* rgDispId)
{
    (void)riid;
    (void)rgszNames;
    (void)cNames;
    (void)lcid;
    (void)rgDispId;
    return E_NOTIMPL;
}

STDMETHODIMP CHtmlView::XEventSink::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                           DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                           UINT* puArgErr)
{
    (void)riid;
    (void)lcid;
    (void)wFlags;
    (void)pVarResult;
    (void)pExcepInfo;
    (void)puArgErr;
    m_pThis->OnBrowserEvent(dispIdMember, pDispParams);
    return S_OK;
}
