// CHtmlCtrl: the browser pane of the main view, an HTML view used as a plain
// child control. Its own site decides the browser's download options, host
// flags, context menus and message boxes, and the pane keeps to the maker's few
// pages: everything else opens in the user's browser or not at all.
#pragma once

#include <afxwin.h>
#include <afxhtml.h>
#include <mshtmhst.h>

class CHtmlCtrl;

// What the pane's document host answers the browser, one function per host
// question.
class CHtml_Host_Handlers
{
public:
    CHtml_Host_Handlers(CHtmlCtrl* pCtrl, bool bShowScrollBars, bool bShow3DBorder)
        : m_pCtrl(pCtrl), m_bShowScrollBars(bShowScrollBars), m_bShow3DBorder(bShow3DBorder)
    {
    }
    virtual ~CHtml_Host_Handlers() {}

    virtual HRESULT OnDocWindowActivate(BOOL fActivate);
    virtual HRESULT EnableModeless(BOOL fEnable);
    virtual HRESULT FilterDataObject(IDataObject* pDO, IDataObject** ppDORet);
    virtual HRESULT OnFrameWindowActivate(BOOL fActivate);
    virtual HRESULT GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget);
    virtual HRESULT GetExternal(IDispatch** ppDispatch);
    virtual HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo);
    virtual HRESULT GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw);
    virtual HRESULT HideUI();
    virtual HRESULT ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow);
    virtual HRESULT ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject, IOleCommandTarget* pCommandTarget,
                           IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc);
    virtual HRESULT TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID);
    virtual HRESULT TranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut);
    virtual HRESULT UpdateUI();
    virtual HRESULT ShowHelp(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData, POINT ptMouse,
                             IDispatch* pDispatchObjectHit);
    virtual HRESULT ShowMessage(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption, DWORD dwType,
                                LPOLESTR lpstrHelpFile, DWORD dwHelpContext, LRESULT* plResult);

    CHtmlCtrl* m_pCtrl;
    bool m_bShowScrollBars;
    bool m_bShow3DBorder;
};

// The browser's site in the pane: the ordinary control site plus the document
// host interfaces, answered by the handler object.
class CDocHostSite : public COleControlSite
{
public:
    explicit CDocHostSite(COleControlContainer* pCtrlCont);

    // The handler object (not owned); NULL makes every host question answer
    // "not implemented".
    void SetHandlers(CHtml_Host_Handlers* pHandlers) { m_pHandlers = pHandlers; }
    CHtml_Host_Handlers* GetHandlers() const { return m_pHandlers; }

protected:
    LPUNKNOWN GetExtraInterface(REFIID riid) override;

    class XDocHostUIHandler : public IDocHostUIHandler
    {
    public:
        CDocHostSite* m_pThis;
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override { return m_pThis->QueryInterface(riid, ppv); }
        STDMETHOD_(ULONG, AddRef)() override { return m_pThis->AddRef(); }
        STDMETHOD_(ULONG, Release)() override { return m_pThis->Release(); }
        STDMETHOD(ShowContextMenu)(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved, IDispatch* pdispReserved) override;
        STDMETHOD(GetHostInfo)(DOCHOSTUIINFO* pInfo) override;
        STDMETHOD(ShowUI)(DWORD dwID, IOleInPlaceActiveObject* pActiveObject, IOleCommandTarget* pCommandTarget,
                          IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc) override;
        STDMETHOD(HideUI)() override;
        STDMETHOD(UpdateUI)() override;
        STDMETHOD(EnableModeless)(BOOL fEnable) override;
        STDMETHOD(OnDocWindowActivate)(BOOL fActivate) override;
        STDMETHOD(OnFrameWindowActivate)(BOOL fActivate) override;
        STDMETHOD(ResizeBorder)(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow) override;
        STDMETHOD(TranslateAccelerator)(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
        STDMETHOD(GetOptionKeyPath)(LPOLESTR* pchKey, DWORD dw) override;
        STDMETHOD(GetDropTarget)(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
        STDMETHOD(GetExternal)(IDispatch** ppDispatch) override;
        STDMETHOD(TranslateUrl)(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut) override;
        STDMETHOD(FilterDataObject)(IDataObject* pDO, IDataObject** ppDORet) override;
    };
    class XDocHostShowUI : public IDocHostShowUI
    {
    public:
        CDocHostSite* m_pThis;
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override { return m_pThis->QueryInterface(riid, ppv); }
        STDMETHOD_(ULONG, AddRef)() override { return m_pThis->AddRef(); }
        STDMETHOD_(ULONG, Release)() override { return m_pThis->Release(); }
        STDMETHOD(ShowMessage)(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption, DWORD dwType,
                               LPOLESTR lpstrHelpFile, DWORD dwHelpContext, LRESULT* plResult) override;
        STDMETHOD(ShowHelp)(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData, POINT ptMouse,
                            IDispatch* pDispatchObjectHit) override;
    };

    XDocHostUIHandler m_xDocHostUIHandler;
    XDocHostShowUI m_xDocHostShowUI;
    CHtml_Host_Handlers* m_pHandlers;
};

// Makes the pane's sites: each gets the pane's handler object.
class CDocHostOccManager : public COccManager
{
public:
    CDocHostOccManager() : m_pHandlers(NULL), m_pLastSite(NULL) {}
    COleControlSite* CreateSite(COleControlContainer* pCtrlCont) override;

    CHtml_Host_Handlers* m_pHandlers;   // given to new sites (not owned)
    CDocHostSite* m_pLastSite;          // the last site made (not owned)
};

class CHtmlCtrl : public CHtmlView
{
    DECLARE_DYNCREATE(CHtmlCtrl)
public:
    CHtmlCtrl();
    virtual ~CHtmlCtrl();

    // Shell hand-over of addresses the pane does not show; replaceable so that
    // a test can see what would be opened.
    typedef HINSTANCE(WINAPI* PFNSHELLEXECUTE)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static PFNSHELLEXECUTE s_pfnShellExecute;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = NULL, BOOL bShowScrollBars = TRUE, BOOL bShow3DBorder = TRUE);
    // Puts the pane where the static control nID of pParent is, in its place.
    BOOL ReplaceStatic(UINT nID, CWnd* pParent);

    // TRUE lets the browser show its own context menu everywhere.
    void SetDefaultContextMenu(BOOL bDefault) { m_bDefaultContextMenu = (BYTE)(bDefault != FALSE); }
    BOOL GetDefaultContextMenu() const { return m_bDefaultContextMenu; }
    // The last "app:" address the page asked for.
    const CString& GetLastAppAddress() const { return m_strLastApp; }

    CHtml_Host_Handlers* GetHandlers() const { return m_pHandlers; }
    CDocHostOccManager* GetOccManager() const { return m_pOccManager; }

    // The browser asks before showing a context menu: S_FALSE lets it show its
    // own, S_OK means none.
    virtual HRESULT OnShowContextMenu(DWORD dwID, LPPOINT ppt, LPUNKNOWN pcmdtReserved, LPDISPATCH pdispReserved);

    void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName, CByteArray& baPostedData,
                           LPCTSTR lpszHeaders, BOOL* pbCancel) override;
    void OnNavigateError(LPCTSTR lpszURL, LPCTSTR lpszFrame, DWORD dwError, BOOL* pbCancel) override;
    void OnNewWindow2(LPDISPATCH* ppDisp, BOOL* pbCancel) override;
    void OnNewWindow3(LPDISPATCH* ppDisp, BOOL* pbCancel, DWORD dwFlags, LPCTSTR lpszUrlContext,
                      LPCTSTR lpszURL) override;
    void OnStatusBar(BOOL bStatusBar) override;
    COleControlSite* CreateControlSite(COleControlContainer* pContainer) override;
    BOOL OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar) override;

protected:
    // A page's "app:" command with its digit ("0", "1", "2", "3" or "9").
    // Nothing here; a pane that offers such commands overrides it.
    virtual void OnAppCommand(LPCTSTR lpszCommand) { (void)lpszCommand; }

    // What the pane does with an address: show it, hand it to the shell, run
    // its "app:" command, or drop it. TRUE when the pane itself loads it.
    BOOL RouteAddress(LPCTSTR lpszURL, BOOL bTopLevel);

    // The pane is a member of its parent's class, not a heap view.
    void PostNcDestroy() override {}

    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CHtml_Host_Handlers* m_pHandlers;     // owned; deleted with the window
    CDocHostOccManager* m_pOccManager;    // owned; made by the first Create
    CString m_strLastApp;
    BYTE m_bDefaultContextMenu;
};
