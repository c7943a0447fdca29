// afxhtml.h - CHtmlView: a view that shows web pages through the WebBrowser
// control, with the browser's navigation events as virtual functions.
#ifndef PELLUCOR_AFXHTML_H
#define PELLUCOR_AFXHTML_H

#include "afxwin.h"
#include "afxcoll.h"
#include "afxocc.h"
#include <exdisp.h>

#define AFX_IDW_PANE_FIRST_BROWSER 0xE900   // the browser control's id inside the view

class CHtmlView : public CView
{
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView();
    virtual ~CHtmlView();

    // Creates the view window, then the browser control filling it. FALSE,
    // with no window left behind, when either cannot be made (a system without
    // the browser control). A view whose window was made and destroyed again
    // goes the way of every view's window: PostNcDestroy (delete for a heap
    // view).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);

    // Navigation. Without a browser these do nothing.
    void Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL,
                   LPCTSTR lpszHeaders = NULL, LPVOID lpvPostData = NULL, DWORD dwPostDataLen = 0);
    void Stop();
    void Refresh();
    CString GetLocationURL() const;
    BOOL GetBusy() const;
    // The document's automation object (AddRef'd; the caller releases), or NULL.
    LPDISPATCH GetHtmlDocument() const;
    // The browser (not AddRef'd), or NULL when the control could not be made.
    IWebBrowser2* GetBrowserApp() const { return m_pBrowserApp; }
    COleControlSite* GetBrowserSite() const { return m_pBrowserSite; }

    // An address as the navigation events hand it on: characters outside
    // ASCII escaped as their UTF-8 bytes ("%C3%A9"), never approximated.
    static CString UrlFromWide(LPCWSTR pszURL);

    // Navigation events. The defaults do nothing, except OnStatusTextChange
    // which shows the text in the frame's status bar.
    virtual void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName,
                                   CByteArray& baPostedData, LPCTSTR lpszHeaders, BOOL* pbCancel);
    virtual void OnNavigateComplete2(LPCTSTR strURL) { (void)strURL; }
    virtual void OnDocumentComplete(LPCTSTR lpszURL) { (void)lpszURL; }
    virtual void OnNavigateError(LPCTSTR lpszURL, LPCTSTR lpszFrame, DWORD dwError, BOOL* pbCancel);
    virtual void OnStatusBar(BOOL bStatusBar) { (void)bStatusBar; }
    virtual void OnStatusTextChange(LPCTSTR lpszText);
    virtual void OnDownloadComplete() {}
    virtual void OnNewWindow2(LPDISPATCH* ppDisp, BOOL* pbCancel) { (void)ppDisp; (void)pbCancel; }
    // The page asks for a new window onto lpszURL (a link with a target of its
    // own, a script opening a window); dwFlags are the NWMF_ flags.
    virtual void OnNewWindow3(LPDISPATCH* ppDisp, BOOL* pbCancel, DWORD dwFlags, LPCTSTR lpszUrlContext,
                              LPCTSTR lpszURL)
    {
        (void)ppDisp;
        (void)pbCancel;
        (void)dwFlags;
        (void)lpszUrlContext;
        (void)lpszURL;
    }

    // The site of the browser control: NULL makes the ordinary site.
    virtual COleControlSite* CreateControlSite(COleControlContainer* pContainer)
    {
        (void)pContainer;
        return NULL;
    }
    // The browser's ambient properties; the default gives the container's.
    virtual BOOL OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar);

    virtual void OnDraw(CDC* pDC) { (void)pDC; }
    // Keys pressed in the page go to the browser first.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    // True while an event handler runs for the pane's own browser, false when
    // it runs for one of the page's frames.
    BOOL IsTopLevelEvent() const { return m_bTopLevelEvent; }

    // Called for every event the browser fires; unpacks the arguments and
    // calls the On... function.
    virtual void OnBrowserEvent(DISPID dispid, DISPPARAMS* pParams);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CWnd m_wndBrowser;              // the control's window (attached, not subclassed)
    IWebBrowser2* m_pBrowserApp;
    COleControlSite* m_pBrowserSite;
    BOOL m_bTopLevelEvent;

private:
    // The browser's ambient properties come to the view.
    class CContainer : public COleControlContainer
    {
    public:
        explicit CContainer(CHtmlView* pView) : COleControlContainer(pView) {}
        BOOL OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar) override;
        BOOL BaseAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar)
        {
            return COleControlContainer::OnAmbientProperty(pSite, dispid, pvar);
        }
    };
    // The DWebBrowserEvents2 sink. Lives inside the view; the browser's hold
    // on it ends with Unadvise before the view goes.
    class XEventSink : public IDispatch
    {
    public:
        CHtmlView* m_pThis;
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override { return 1; }
        STDMETHOD_(ULONG, Release)() override { return 1; }
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
        STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                          VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
    };
    friend class XEventSink;
    friend class CContainer;

    void DestroyBrowser();

    CContainer m_container;
    XEventSink m_xEventSink;
    IConnectionPoint* m_pEventPoint;
    DWORD m_dwEventCookie;
};

#endif // PELLUCOR_AFXHTML_H
