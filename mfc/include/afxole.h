// afxole.h - OLE start-up and uniform data transfer: a data source that
// offers formats on the clipboard, and a data object that reads them back.
#ifndef PELLUCOR_AFXOLE_H
#define PELLUCOR_AFXOLE_H

#include "afxwin.h"
#include <ole2.h>
#include <vector>

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

#endif // PELLUCOR_AFXOLE_H
