// afxole.h - OLE start-up and uniform data transfer: a data source that
// offers formats on the clipboard or in a drag, a data object that reads them
// back, and the two ends of drag and drop (drop source, drop target).
#ifndef PELLUCOR_AFXOLE_H
#define PELLUCOR_AFXOLE_H

#include "afxwin.h"
#include <ole2.h>
#include <vector>

class COleDropSource;
class COleDataObject;

// Initialises OLE on the calling thread (OleInitialize); FALSE on failure.
// The thread's OLE is shut down again by AfxOleTerm, or when the thread (or,
// for the main thread, the process) ends.
BOOL AFXAPI AfxOleInit();
// Shuts down OLE on the calling thread if AfxOleInit started it there.
// bJustRevoke: nothing is shut down (there are no class factories to revoke).
void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);

// ---------------------------------------------------------------------------
// COleDataSource: an IDataObject whose formats are cached data or rendered on
// demand. It is reference counted: the creator holds the first reference;
// SetClipboard hands it to the clipboard, which then owns it (do not delete
// it afterwards). A source never given away is deleted with delete or
// InternalRelease.
// ---------------------------------------------------------------------------
class COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    virtual ~COleDataSource();

    // Offer data that is ready now. The source takes ownership of the block /
    // the medium; a second offer of the same format replaces the first.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // Offer a format rendered when asked for, by OnRenderData/OnRenderGlobalData.
    void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // Drops every format offered.
    void Empty();

    // Puts the source on the OLE clipboard, which takes it over. Throws
    // COleException when OLE refuses (for instance without AfxOleInit).
    void SetClipboard();
    // The data source on the clipboard if it is one of ours, else NULL.
    static COleDataSource* PASCAL GetClipboardOwner();
    // Renders every format into the clipboard and lets the source go, so the
    // data outlives the source (and the program).
    static void PASCAL FlushClipboard();

    // Drags the source's data with the mouse: waits until the mouse leaves
    // lpRectStartDrag (screen coordinates; NULL: a few pixels around the
    // cursor; an all-zero rectangle: no wait), then runs OLE's drag loop with
    // pDropSource (NULL: a plain COleDropSource). Returns the effect the drop
    // target carried out, DROPEFFECT_NONE when the drag was cancelled.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = NULL, COleDropSource* pDropSource = NULL);

    // The source's IDataObject (not AddRef'd).
    LPDATAOBJECT GetDataObject() { return &m_xDataObject; }
    DWORD InternalAddRef() { return (DWORD)InterlockedIncrement(&m_nRefs); }
    DWORD InternalRelease();

protected:
    // Rendering of delayed formats. OnRenderData is called first and, for an
    // HGLOBAL request, asks OnRenderGlobalData. Return FALSE to refuse.
    virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) { return FALSE; }
    // Data given to the source by others (IDataObject::SetData); FALSE refuses.
    virtual BOOL OnSetData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium, BOOL bRelease) { return FALSE; }

    struct CacheEntry
    {
        FORMATETC m_formatEtc;
        STGMEDIUM m_stgMedium;   // tymed TYMED_NULL: rendered on demand
    };
    CacheEntry* Lookup(const FORMATETC* lpFormatEtc);
    void AddEntry(const FORMATETC& formatEtc, const STGMEDIUM& stgMedium);

    class XDataObject : public IDataObject
    {
    public:
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(GetData)(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
        STDMETHOD(GetDataHere)(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
        STDMETHOD(QueryGetData)(FORMATETC* pformatetc) override;
        STDMETHOD(GetCanonicalFormatEtc)(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
        STDMETHOD(SetData)(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
        STDMETHOD(EnumFormatEtc)(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
        STDMETHOD(DAdvise)(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
        STDMETHOD(DUnadvise)(DWORD dwConnection) override;
        STDMETHOD(EnumDAdvise)(IEnumSTATDATA** ppenumAdvise) override;
        COleDataSource* Outer() { return m_pOuter; }
        COleDataSource* m_pOuter = nullptr;
    };
    friend class XDataObject;
    XDataObject m_xDataObject;
    LONG m_nRefs;
    std::vector<CacheEntry> m_cache;
};

// ---------------------------------------------------------------------------
// COleDataObject: the reading side of data transfer, over the clipboard or a
// given IDataObject.
// ---------------------------------------------------------------------------
class COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject() { Release(); }

    // bAutoRelease: Release (and the destructor) release the interface.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // Attaches to what is on the clipboard now (OleGetClipboard).
    BOOL AttachClipboard();
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The medium belongs to the caller (ReleaseStgMedium).
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // A global block (from an HGLOBAL or a stream) the caller frees; NULL if
    // the format is not there.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data as a memory file the caller deletes; NULL if it is not there.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

protected:
    LPDATAOBJECT m_lpDataObject;
    LPENUMFORMATETC m_lpEnumerator;
    BOOL m_bAutoRelease;
    BOOL m_bClipboard;

private:
    COleDataObject(const COleDataObject&) = delete;
    void operator=(const COleDataObject&) = delete;
};

// An interface an object hands to OLE while its owner keeps the object
// alive: OLE's references are counted, never used to delete it.
template <class I>
class CAfxOwnedInterface : public I
{
public:
    explicit CAfxOwnedInterface(REFIID iid) : m_iid(iid), m_nRefs(0) {}
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, m_iid) ? static_cast<I*>(this) : NULL;
        if (*ppv == NULL)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return (ULONG)InterlockedIncrement(&m_nRefs); }
    STDMETHOD_(ULONG, Release)() override { return (ULONG)InterlockedDecrement(&m_nRefs); }

private:
    const IID& m_iid;
    LONG m_nRefs;
};

// ---------------------------------------------------------------------------
// COleDropSource: the dragging side. OLE asks it, while the drag runs, whether
// to go on (QueryContinueDrag) and which cursor to show (GiveFeedback). It
// lives as long as its creator keeps it (OLE's references never delete it).
// ---------------------------------------------------------------------------
class COleDropSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    virtual ~COleDropSource() {}

    // Escape or the other mouse button cancels; releasing the button that
    // drags drops once the drag has started, else cancels; otherwise go on.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // The system's drag cursors once the drag has started.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Holds the capture on pWnd until the mouse leaves m_rectStartDrag or
    // nDragDelay ms pass (the drag starts: TRUE), or a button or Escape ends
    // it first (FALSE).
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    LPDROPSOURCE GetDropSource() { return &m_xDropSource; }

    BOOL m_bDragStarted;
    DWORD m_dwButtonCancel;   // MK_ bits of the button that cancels
    DWORD m_dwButtonDrop;     // MK_ bits of the button that drags
    CRect m_rectStartDrag;    // screen coordinates

    static UINT nDragMinDist;   // pixels the mouse moves before a drag starts
    static UINT nDragDelay;     // ms the mouse rests before a drag starts anyway

protected:
    class XDropSource : public CAfxOwnedInterface<IDropSource>
    {
    public:
        XDropSource() : CAfxOwnedInterface<IDropSource>(IID_IDropSource) {}
        STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState) override;
        STDMETHOD(GiveFeedback)(DWORD dwEffect) override;
        COleDropSource* m_pOuter = nullptr;
    };
    XDropSource m_xDropSource;
};

// ---------------------------------------------------------------------------
// COleDropTarget: the receiving side, registered for one window. Each OLE
// call comes to a virtual with the window and the point in its client
// coordinates; the defaults hand them to the window when it is a CView and
// refuse for any other window. While the cursor rests within nScrollInset of
// a view's edge the view scrolls (OnDragScroll). The target lives as long as
// its owner keeps it (usually a member of the window's class); OLE's
// references never delete it, and it is revoked when its window goes.
// ---------------------------------------------------------------------------
class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    virtual ~COleDropTarget();

    // FALSE when the window is already registered or OLE refuses.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 means "not handled": the drop goes to OnDrop instead.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    // DROPEFFECT_SCROLL, combined with the effect, while scrolling;
    // DROPEFFECT_NONE when the point is outside the scroll band.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    LPDROPTARGET GetDropTarget() { return &m_xDropTarget; }

    HWND m_hWnd;                  // the registered window, or NULL
    LPDATAOBJECT m_lpDataObject;  // the data being dragged over the window
    UINT m_nTimerID;              // scroll direction (MAKEWORD(horz, vert)); 0xFFFF: none
    DWORD m_dwLastTick;
    UINT m_nScrollDelay;

    static int nScrollInset;       // pixels of the band along the edges
    static UINT nScrollDelay;      // ms in the band before the first step
    static UINT nScrollInterval;   // ms between steps

protected:
    class XDropTarget : public CAfxOwnedInterface<IDropTarget>
    {
    public:
        XDropTarget() : CAfxOwnedInterface<IDropTarget>(IID_IDropTarget) {}
        STDMETHOD(DragEnter)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragLeave)() override;
        STDMETHOD(Drop)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        COleDropTarget* m_pOuter = nullptr;
    };
    friend class XDropTarget;
    XDropTarget m_xDropTarget;
};

#endif // PELLUCOR_AFXOLE_H
