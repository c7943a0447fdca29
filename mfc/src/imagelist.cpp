// Image lists: the per-thread map and the members that need a resource or a
// window.
#include <afxwin.h>
#include <afxhandle.h>

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace
{

typedef CHandleMap<CImageList, HIMAGELIST,
                   CHandleMemberTraits<CImageList, HIMAGELIST, &CImageList::m_hImageList> >
    CImageListHandleMap;

inline CImageListHandleMap* ImageListMap() { return CImageListHandleMap::GetThreadMap(); }

}  // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return ImageListMap()->FromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return hImageList != NULL ? ImageListMap()->LookupPermanent(hImageList) : NULL;
}

void PASCAL CImageList::DeleteTempMap()
{
    ImageListMap()->DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == NULL)
        return FALSE;
    m_hImageList = hImageList;
    ImageListMap()->SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != NULL)
    {
        CImageListHandleMap* pMap = ImageListMap();
        if (pMap->LookupPermanent(hImageList) == this)
            pMap->RemoveHandle(hImageList);
    }
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

// ---------------------------------------------------------------------------
// Archives. The common controls read and write an image list through an
// IStream; this one reads and writes the archive at its current place, so
// the list's bytes stand in the archive between whatever comes before and
// after it, with no length of their own.
// ---------------------------------------------------------------------------
namespace {

class CArchiveStream : public IStream
{
public:
    explicit CArchiveStream(CArchive* pArchive) : m_pArchive(pArchive) {}

    // lives on the caller's stack: no reference counting
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IStream || riid == IID_ISequentialStream) {
            *ppv = this;
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        ULONG nRead = 0;
        try {
            nRead = m_pArchive->Read(pv, cb);
        } catch (CException* e) {
            e->Delete();
            return STG_E_READFAULT;
        }
        if (pcbRead != NULL)
            *pcbRead = nRead;
        return nRead == cb ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        try {
            m_pArchive->Write(pv, cb);
        } catch (CException* e) {
            e->Delete();
            return STG_E_WRITEFAULT;
        }
        if (pcbWritten != NULL)
            *pcbWritten = cb;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    CArchive* m_pArchive;
};

}  // namespace

BOOL CImageList::Read(CArchive* pArchive)
{
    CArchiveStream stream(pArchive);
    HIMAGELIST hImageList = ImageList_Read(&stream);
    if (hImageList == NULL)
        return FALSE;
    DeleteImageList();
    return Attach(hImageList);
}

BOOL CImageList::Write(CArchive* pArchive)
{
    CArchiveStream stream(pArchive);
    return m_hImageList != NULL && ImageList_Write(m_hImageList, &stream);
}

// The bitmap is loaded as a DIB section so that the list takes the bitmap's
// own colour depth instead of the screen's; cx is the width of one image, and
// crMask (CLR_NONE for none) the colour that becomes transparent.
BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadImage(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle, DWORD dwRop,
                              COLORREF rgbBack, COLORREF rgbFore, DWORD fState, DWORD Frame, COLORREF crEffect)
{
    IMAGELISTDRAWPARAMS params;
    memset(&params, 0, sizeof(params));
    params.cbSize = sizeof(params);
    params.himl = m_hImageList;
    params.i = nImage;
    params.hdcDst = pDC->GetSafeHdc();
    params.x = pt.x;
    params.y = pt.y;
    params.cx = sz.cx;
    params.cy = sz.cy;
    params.xBitmap = ptOrigin.x;
    params.yBitmap = ptOrigin.y;
    params.rgbBk = rgbBack;
    params.rgbFg = rgbFore;
    params.fStyle = fStyle;
    params.dwRop = dwRop;
    params.fState = fState;
    params.Frame = Frame;
    params.crEffect = crEffect;
    return ImageList_DrawIndirect(&params);
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock->GetSafeHwnd());
}
