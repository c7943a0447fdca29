// Uniform data transfer: COleDataSource (an IDataObject over cached or
// delay-rendered formats) and COleDataObject (the reading side).
#include "oleimpl.h"

#include <new>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

namespace {

DVTARGETDEVICE* CopyTargetDevice(const DVTARGETDEVICE* ptd)
{
    if (ptd == NULL)
        return NULL;
    DVTARGETDEVICE* pCopy = (DVTARGETDEVICE*)CoTaskMemAlloc(ptd->tdSize);
    if (pCopy == NULL)
        AfxThrowMemoryException();
    memcpy(pCopy, ptd, ptd->tdSize);
    return pCopy;
}

bool SameTargetDevice(const DVTARGETDEVICE* a, const DVTARGETDEVICE* b)
{
    if (a == NULL || b == NULL)
        return a == b;
    return a->tdSize == b->tdSize && memcmp(a, b, a->tdSize) == 0;
}

HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    SIZE_T nSize = GlobalSize(hSource);
    HGLOBAL hCopy = GlobalAlloc(GMEM_MOVEABLE, nSize);
    if (hCopy == NULL)
        return NULL;
    const void* pSrc = GlobalLock(hSource);
    void* pDst = GlobalLock(hCopy);
    if (pSrc != NULL && pDst != NULL)
        memcpy(pDst, pSrc, nSize);
    GlobalUnlock(hCopy);
    GlobalUnlock(hSource);
    return hCopy;
}

// A copy of a cached medium that the receiver may release on its own.
HRESULT CopyMedium(CLIPFORMAT cfFormat, const STGMEDIUM& src, STGMEDIUM* pDst)
{
    *pDst = src;
    pDst->pUnkForRelease = NULL;
    switch (src.tymed) {
    case TYMED_HGLOBAL:
        pDst->hGlobal = CopyGlobal(src.hGlobal);
        return pDst->hGlobal != NULL ? S_OK : E_OUTOFMEMORY;
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
        pDst->hGlobal = OleDuplicateData(src.hGlobal, cfFormat, 0);
        return pDst->hGlobal != NULL ? S_OK : E_OUTOFMEMORY;
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
        // The interface is shared; its own count keeps it alive.
        if (src.pstm != NULL)
            src.pstm->AddRef();
        return S_OK;
    case TYMED_FILE: {
        size_t nLen = wcslen(src.lpszFileName) + 1;
        pDst->lpszFileName = (LPOLESTR)CoTaskMemAlloc(nLen * sizeof(OLECHAR));
        if (pDst->lpszFileName == NULL)
            return E_OUTOFMEMORY;
        memcpy(pDst->lpszFileName, src.lpszFileName, nLen * sizeof(OLECHAR));
        return S_OK;
    }
    default:
        return DV_E_TYMED;
    }
}

// The formats a source offered, enumerated from a snapshot.
class CEnumFormatEtc : public IEnumFORMATETC
{
public:
    explicit CEnumFormatEtc(const std::vector<FORMATETC>& formats) : m_nRefs(1), m_nPos(0)
    {
        for (const FORMATETC& f : formats) {
            FORMATETC copy = f;
            copy.ptd = CopyTargetDevice(f.ptd);
            m_formats.push_back(copy);
        }
    }
    virtual ~CEnumFormatEtc()
    {
        for (FORMATETC& f : m_formats)
            CoTaskMemFree(f.ptd);
    }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumFORMATETC)) {
            *ppv = static_cast<IEnumFORMATETC*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return (ULONG)InterlockedIncrement(&m_nRefs); }
    STDMETHOD_(ULONG, Release)() override
    {
        LONG n = InterlockedDecrement(&m_nRefs);
        if (n == 0)
            delete this;
        return (ULONG)n;
    }
    STDMETHOD(Next)(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override
    {
        return ComBoundary([&]() -> HRESULT {
            if (rgelt == NULL || (celt > 1 && pceltFetched == NULL))
                return E_POINTER;
            ULONG n = 0;
            for (; n < celt && m_nPos < m_formats.size(); n++, m_nPos++) {
                rgelt[n] = m_formats[m_nPos];
                rgelt[n].ptd = CopyTargetDevice(m_formats[m_nPos].ptd);
            }
            if (pceltFetched != NULL)
                *pceltFetched = n;
            return n == celt ? S_OK : S_FALSE;
        });
    }
    STDMETHOD(Skip)(ULONG celt) override
    {
        m_nPos += celt;
        if (m_nPos <= m_formats.size())
            return S_OK;
        m_nPos = m_formats.size();
        return S_FALSE;
    }
    STDMETHOD(Reset)() override
    {
        m_nPos = 0;
        return S_OK;
    }
    STDMETHOD(Clone)(IEnumFORMATETC** ppenum) override
    {
        return ComBoundary([&]() -> HRESULT {
            if (ppenum == NULL)
                return E_POINTER;
            CEnumFormatEtc* pClone = new CEnumFormatEtc(m_formats);
            pClone->m_nPos = m_nPos;
            *ppenum = pClone;
            return S_OK;
        });
    }

private:
    LONG m_nRefs;
    size_t m_nPos;
    std::vector<FORMATETC> m_formats;
};

// The data source now on the clipboard, if one of ours was put there.
COleDataSource* s_pClipboardSource = NULL;

}  // namespace

// ---------------------------------------------------------------------------
// COleDataSource

COleDataSource::COleDataSource() : m_nRefs(1)
{
    m_xDataObject.m_pOuter = this;
}

COleDataSource::~COleDataSource()
{
    if (s_pClipboardSource == this)
        s_pClipboardSource = NULL;
    Empty();
}

DWORD COleDataSource::InternalRelease()
{
    LONG n = InterlockedDecrement(&m_nRefs);
    if (n == 0)
        delete this;
    return (DWORD)n;
}

void COleDataSource::Empty()
{
    for (CacheEntry& entry : m_cache) {
        CoTaskMemFree(entry.m_formatEtc.ptd);
        if (entry.m_stgMedium.tymed != TYMED_NULL)
            ReleaseStgMedium(&entry.m_stgMedium);
    }
    m_cache.clear();
}

// An entry matches a request for the same format, device and aspect, with a
// storage medium the request accepts.
COleDataSource::CacheEntry* COleDataSource::Lookup(const FORMATETC* lpFormatEtc)
{
    for (CacheEntry& entry : m_cache) {
        const FORMATETC& f = entry.m_formatEtc;
        if (f.cfFormat == lpFormatEtc->cfFormat && f.dwAspect == lpFormatEtc->dwAspect &&
            (f.lindex == lpFormatEtc->lindex || lpFormatEtc->lindex == -1) &&
            (f.tymed & lpFormatEtc->tymed) != 0 && SameTargetDevice(f.ptd, lpFormatEtc->ptd))
            return &entry;
    }
    return NULL;
}

void COleDataSource::AddEntry(const FORMATETC& formatEtc, const STGMEDIUM& stgMedium)
{
    CacheEntry entry;
    entry.m_formatEtc = formatEtc;
    entry.m_formatEtc.ptd = CopyTargetDevice(formatEtc.ptd);
    entry.m_stgMedium = stgMedium;
    // A later offer of the same format replaces the earlier one.
    for (size_t i = 0; i < m_cache.size(); i++) {
        FORMATETC& f = m_cache[i].m_formatEtc;
        if (f.cfFormat == formatEtc.cfFormat && f.dwAspect == formatEtc.dwAspect && f.lindex == formatEtc.lindex &&
            f.tymed == formatEtc.tymed && SameTargetDevice(f.ptd, formatEtc.ptd)) {
            CoTaskMemFree(f.ptd);
            if (m_cache[i].m_stgMedium.tymed != TYMED_NULL)
                ReleaseStgMedium(&m_cache[i].m_stgMedium);
            m_cache[i] = entry;
            return;
        }
    }
    m_cache.push_back(entry);
}

static FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    if (lpFormatEtc != NULL) {
        FORMATETC f = *lpFormatEtc;
        f.cfFormat = cfFormat;
        return f;
    }
    FORMATETC f = {cfFormat, NULL, DVASPECT_CONTENT, -1, tymed};
    return f;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM medium = {};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    FORMATETC f = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    f.tymed = TYMED_HGLOBAL;
    AddEntry(f, medium);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    FORMATETC f = MakeFormatEtc(cfFormat, lpFormatEtc, lpStgMedium->tymed);
    f.tymed = lpStgMedium->tymed;
    AddEntry(f, *lpStgMedium);
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM medium = {};
    medium.tymed = TYMED_NULL;
    AddEntry(MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL), medium);
}

void COleDataSource::SetClipboard()
{
    HRESULT hr = OleSetClipboard(&m_xDataObject);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    s_pClipboardSource = this;
    // The clipboard holds its own reference now; the creator's is dropped.
    InternalRelease();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner()
{
    if (s_pClipboardSource != NULL && OleIsCurrentClipboard(&s_pClipboardSource->m_xDataObject) == S_OK)
        return s_pClipboardSource;
    return NULL;
}

void PASCAL COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner() != NULL)
        OleFlushClipboard();
}

BOOL COleDataSource::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    if ((lpFormatEtc->tymed & TYMED_HGLOBAL) == 0)
        return FALSE;
    HGLOBAL hGlobal = NULL;
    if (!OnRenderGlobalData(lpFormatEtc, &hGlobal) || hGlobal == NULL)
        return FALSE;
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = hGlobal;
    lpStgMedium->pUnkForRelease = NULL;
    return TRUE;
}

// ---------------------------------------------------------------------------
// COleDataSource::XDataObject

STDMETHODIMP COleDataSource::XDataObject::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::AddRef()
{
    return Outer()->InternalAddRef();
}

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::Release()
{
    return Outer()->InternalRelease();
}

STDMETHODIMP COleDataSource::XDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    return ComBoundary([&]() -> HRESULT {
        if (pformatetcIn == NULL || pmedium == NULL)
            return E_POINTER;
        memset(pmedium, 0, sizeof *pmedium);
        COleDataSource* pThis = Outer();
        CacheEntry* pEntry = pThis->Lookup(pformatetcIn);
        if (pEntry == NULL)
            return DV_E_FORMATETC;
        if (pEntry->m_stgMedium.tymed != TYMED_NULL)
            return CopyMedium(pformatetcIn->cfFormat, pEntry->m_stgMedium, pmedium);
        FORMATETC f = *pformatetcIn;
        f.tymed &= pEntry->m_formatEtc.tymed;
        pmedium->tymed = TYMED_NULL;
        return pThis->OnRenderData(&f, pmedium) ? S_OK : DV_E_FORMATETC;
    });
}

// Only global blocks are rendered into the caller's medium.
STDMETHODIMP COleDataSource::XDataObject::GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium)
{
    return ComBoundary([&]() -> HRESULT {
        if (pformatetc == NULL || pmedium == NULL)
            return E_POINTER;
        if (pmedium->tymed != TYMED_HGLOBAL || pmedium->hGlobal == NULL)
            return DV_E_TYMED;
        FORMATETC f = *pformatetc;
        f.tymed = TYMED_HGLOBAL;
        COleDataSource* pThis = Outer();
        CacheEntry* pEntry = pThis->Lookup(&f);
        if (pEntry == NULL)
            return DV_E_FORMATETC;
        STGMEDIUM rendered = {};
        if (pEntry->m_stgMedium.tymed == TYMED_NULL && !pThis->OnRenderData(&f, &rendered))
            return DV_E_FORMATETC;
        HGLOBAL hSource = pEntry->m_stgMedium.tymed != TYMED_NULL ? pEntry->m_stgMedium.hGlobal : rendered.hGlobal;
        HRESULT hr = S_OK;
        SIZE_T nSize = GlobalSize(hSource);
        if (GlobalSize(pmedium->hGlobal) < nSize) {
            hr = STG_E_MEDIUMFULL;
        } else {
            memcpy(GlobalLock(pmedium->hGlobal), GlobalLock(hSource), nSize);
            GlobalUnlock(pmedium->hGlobal);
            GlobalUnlock(hSource);
        }
        if (rendered.tymed != TYMED_NULL)
            ReleaseStgMedium(&rendered);
        return hr;
    });
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(FORMATETC* pformatetc)
{
    return ComBoundary([&]() -> HRESULT {
        if (pformatetc == NULL)
            return E_POINTER;
        return Outer()->Lookup(pformatetc) != NULL ? S_OK : DV_E_FORMATETC;
    });
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut)
{
    if (pformatectIn == NULL || pformatetcOut == NULL)
        return E_POINTER;
    *pformatetcOut = *pformatectIn;
    pformatetcOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease)
{
    return ComBoundary([&]() -> HRESULT {
        if (pformatetc == NULL || pmedium == NULL)
            return E_POINTER;
        return Outer()->OnSetData(pformatetc, pmedium, fRelease) ? S_OK : E_NOTIMPL;
    });
}

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    return ComBoundary([&]() -> HRESULT {
        if (ppenumFormatEtc == NULL)
            return E_POINTER;
        *ppenumFormatEtc = NULL;
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        for (const CacheEntry& entry : Outer()->m_cache)
            formats.push_back(entry.m_formatEtc);
        *ppenumFormatEtc = new CEnumFormatEtc(formats);
        return S_OK;
    });
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

// ---------------------------------------------------------------------------
// COleDataObject

COleDataObject::COleDataObject()
    : m_lpDataObject(NULL), m_lpEnumerator(NULL), m_bAutoRelease(TRUE), m_bClipboard(FALSE)
{
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    if (m_lpEnumerator != NULL) {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    m_lpDataObject = NULL;
    m_bClipboard = FALSE;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpEnumerator != NULL) {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
    m_bClipboard = FALSE;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    m_bClipboard = TRUE;
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (m_lpDataObject != NULL && bAddRef)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

void COleDataObject::BeginEnumFormats()
{
    if (m_lpEnumerator != NULL) {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    if (m_lpDataObject != NULL)
        m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator);
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (m_lpEnumerator == NULL)
        return FALSE;
    ULONG nFetched = 0;
    if (m_lpEnumerator->Next(1, lpFormatEtc, &nFetched) != S_OK || nFetched != 1)
        return FALSE;
    // The device description is not kept: callers look at the format only.
    CoTaskMemFree(lpFormatEtc->ptd);
    lpFormatEtc->ptd = NULL;
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC f = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_FILE |
                                                            TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF);
    return m_lpDataObject->QueryGetData(&f) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL || lpStgMedium == NULL)
        return FALSE;
    FORMATETC f = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_FILE |
                                                            TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF);
    memset(lpStgMedium, 0, sizeof *lpStgMedium);
    return m_lpDataObject->GetData(&f, lpStgMedium) == S_OK;
}

// A block the caller owns: taken over when the medium is ours to keep,
// copied otherwise; a stream is read into a new block from its start.
HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return NULL;
    FORMATETC f = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM);
    if (lpFormatEtc == NULL || (f.tymed & (TYMED_HGLOBAL | TYMED_ISTREAM)) == 0)
        f.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    STGMEDIUM medium = {};
    if (m_lpDataObject->GetData(&f, &medium) != S_OK)
        return NULL;

    HGLOBAL hResult = NULL;
    if (medium.tymed == TYMED_HGLOBAL) {
        if (medium.pUnkForRelease == NULL)
            return medium.hGlobal;
        hResult = CopyGlobal(medium.hGlobal);
    } else if (medium.tymed == TYMED_ISTREAM && medium.pstm != NULL) {
        STATSTG stat = {};
        LARGE_INTEGER zero = {};
        if (SUCCEEDED(medium.pstm->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart < 0x7FFFFFFF &&
            SUCCEEDED(medium.pstm->Seek(zero, STREAM_SEEK_SET, NULL))) {
            ULONG nSize = (ULONG)stat.cbSize.QuadPart;
            hResult = GlobalAlloc(GMEM_MOVEABLE, nSize != 0 ? nSize : 1);
            ULONG nRead = 0;
            if (hResult != NULL) {
                HRESULT hr = medium.pstm->Read(GlobalLock(hResult), nSize, &nRead);
                GlobalUnlock(hResult);
                if (FAILED(hr) || nRead != nSize) {
                    GlobalFree(hResult);
                    hResult = NULL;
                }
            }
        }
    }
    ReleaseStgMedium(&medium);
    return hResult;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    HGLOBAL hGlobal = GetGlobalData(cfFormat, lpFormatEtc);
    if (hGlobal == NULL)
        return NULL;
    // The shared file frees the block when it is closed or deleted.
    CSharedFile* pFile = new CSharedFile(GMEM_MOVEABLE);
    pFile->SetHandle(hGlobal, FALSE);
    return pFile;
}
