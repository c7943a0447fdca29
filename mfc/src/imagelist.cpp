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
