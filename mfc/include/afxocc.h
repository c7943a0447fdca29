// afxocc.h - hosting ActiveX controls in a window: the container that answers
// a control's ambient properties, the site each control talks to, and the
// manager that decides which kind of site a container makes.
#ifndef PELLUCOR_AFXOCC_H
#define PELLUCOR_AFXOCC_H

#include "afxwin.h"
#include <ole2.h>
#include <olectl.h>

class COleControlSite;

// ---------------------------------------------------------------------------
// COleControlContainer: the window that hosts controls. Its sites ask it for
// ambient properties; a host class overrides OnAmbientProperty (or forwards it
// to its own window class) to change the answers.
// ---------------------------------------------------------------------------
class COleControlContainer
{
public:
    explicit COleControlContainer(CWnd* pWnd) : m_pWnd(pWnd) {}
    virtual ~COleControlContainer() {}

    // Fills *pvar and returns TRUE for a property it knows; FALSE makes the
    // control fall back on its own default. The base knows the properties a
    // control needs to run in user mode.
    virtual BOOL OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar);

    CWnd* m_pWnd;
};

// ---------------------------------------------------------------------------
// COleControlSite: one hosted control. It is the control's client site,
// in-place site and in-place frame, and its ambient-property dispatch.
//
// The site is reference counted: whoever makes it holds the first reference
// and lets go with Release (never delete), so a control that keeps a pointer
// to its site a little longer than asked never reaches freed memory.
// A subclass exposes further interfaces by overriding GetExtraInterface.
// ---------------------------------------------------------------------------
class COleControlSite : public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleInPlaceFrame,
                        public IOleControlSite,
                        public IDispatch
{
public:
    explicit COleControlSite(COleControlContainer* pCtrlCont);

    // Creates the control clsid and activates it in place as a child of the
    // container's window at rect (container client coordinates). On success
    // the control's window gets nID and, when asked, WS_VISIBLE. FALSE
    // (control not creatable, not in-place capable, no window) leaves the site
    // empty.
    virtual BOOL CreateControl(REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, UINT nID);
    // Deactivates and closes the control and lets go of every pointer to it.
    virtual void DestroyControl();

    // The control's own object (not AddRef'd), or NULL.
    LPUNKNOWN GetControlUnknown() const { return m_pObject; }
    HWND GetControlWindow() const { return m_hWnd; }
    // Offers a keyboard message aimed at the control's windows to the active
    // control (tab between its parts, its own shortcuts); TRUE when it took it.
    BOOL PreTranslateMessage(MSG* pMsg);
    // Moves the control within the container (container client coordinates).
    void MoveWindow(const RECT& rect);

    COleControlContainer* m_pCtrlCont;
    HWND m_hWnd;         // the control's window once in place
    CRect m_rect;        // where it is
    UINT m_nID;

    // IUnknown, shared by every interface of the site.
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    // IOleClientSite
    STDMETHOD(SaveObject)() override;
    STDMETHOD(GetMoniker)(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    STDMETHOD(GetContainer)(IOleContainer** ppContainer) override;
    STDMETHOD(ShowObject)() override;
    STDMETHOD(OnShowWindow)(BOOL fShow) override;
    STDMETHOD(RequestNewObjectLayout)() override;

    // IOleWindow (of the in-place site and of the frame)
    STDMETHOD(GetWindow)(HWND* phwnd) override;
    STDMETHOD(ContextSensitiveHelp)(BOOL fEnterMode) override;

    // IOleInPlaceSite
    STDMETHOD(CanInPlaceActivate)() override;
    STDMETHOD(OnInPlaceActivate)() override;
    STDMETHOD(OnUIActivate)() override;
    STDMETHOD(GetWindowContext)(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHOD(Scroll)(SIZE scrollExtant) override;
    STDMETHOD(OnUIDeactivate)(BOOL fUndoable) override;
    STDMETHOD(OnInPlaceDeactivate)() override;
    STDMETHOD(DiscardUndoState)() override;
    STDMETHOD(DeactivateAndUndo)() override;
    STDMETHOD(OnPosRectChange)(LPCRECT lprcPosRect) override;

    // IOleInPlaceUIWindow / IOleInPlaceFrame
    STDMETHOD(GetBorder)(LPRECT lprectBorder) override;
    STDMETHOD(RequestBorderSpace)(LPCBORDERWIDTHS pborderwidths) override;
    STDMETHOD(SetBorderSpace)(LPCBORDERWIDTHS pborderwidths) override;
    STDMETHOD(SetActiveObject)(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR pszObjName) override;
    STDMETHOD(InsertMenus)(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
    STDMETHOD(SetMenu)(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) override;
    STDMETHOD(RemoveMenus)(HMENU hmenuShared) override;
    STDMETHOD(SetStatusText)(LPCOLESTR pszStatusText) override;
    STDMETHOD(EnableModeless)(BOOL fEnable) override;
    STDMETHOD(TranslateAccelerator)(LPMSG lpmsg, WORD wID) override;

    // IOleControlSite
    STDMETHOD(OnControlInfoChanged)() override;
    STDMETHOD(LockInPlaceActive)(BOOL fLock) override;
    STDMETHOD(GetExtendedControl)(IDispatch** ppDisp) override;
    STDMETHOD(TransformCoords)(POINTL* pPtlHimetric, POINTF* pPtfContainer, DWORD dwFlags) override;
    STDMETHOD(TranslateAccelerator)(MSG* pMsg, DWORD grfModifiers) override;
    STDMETHOD(OnFocus)(BOOL fGotFocus) override;
    STDMETHOD(ShowPropertyFrame)() override;

    // IDispatch: the ambient properties, read through the container.
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                      VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

protected:
    virtual ~COleControlSite();
    // Further interfaces of a subclass: return the interface (not AddRef'd)
    // or NULL. Asked after the site's own interfaces.
    virtual LPUNKNOWN GetExtraInterface(REFIID riid) { (void)riid; return NULL; }

    LONG m_nRefs;
    LPUNKNOWN m_pObject;
    IOleObject* m_pOleObject;
    IOleInPlaceObject* m_pInPlaceObject;
    IOleInPlaceActiveObject* m_pActiveObject;
    BOOL m_bInPlaceActive;

private:
    COleControlSite(const COleControlSite&) = delete;
    void operator=(const COleControlSite&) = delete;
};

// ---------------------------------------------------------------------------
// COccManager: makes the sites of a container. A host that wants its own site
// class (one that exposes more interfaces) hands the host a manager whose
// CreateSite makes it.
// ---------------------------------------------------------------------------
class COccManager
{
public:
    COccManager() {}
    virtual ~COccManager() {}
    // A new site holding one reference for the caller.
    virtual COleControlSite* CreateSite(COleControlContainer* pCtrlCont);
};

#endif // PELLUCOR_AFXOCC_H
