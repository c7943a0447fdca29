// GDI object wrappers: the per-thread handle map, creation helpers that need
// more than one call, and the rules for destroying handles.
#include <afxwin.h>
#include <afxhandle.h>

#include <stdlib.h>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace
{

// A temporary wrapper is of the class that matches the handle's type, so that
// code which casts the result of SelectObject or FromHandle to CPen*, CFont*...
// gets an object of that class.
struct CGdiTempTraits
{
    static CGdiObject* CreateTemp(HGDIOBJ h)
    {
        CGdiObject* p;
        switch (::GetObjectType(h))
        {
        case OBJ_PEN:
        case OBJ_EXTPEN: p = new CPen; break;
        case OBJ_BRUSH: p = new CBrush; break;
        case OBJ_FONT: p = new CFont; break;
        case OBJ_BITMAP: p = new CBitmap; break;
        case OBJ_PAL: p = new CPalette; break;
        case OBJ_REGION: p = new CRgn; break;
        default: p = new CGdiObject; break;
        }
        p->m_hObject = h;
        return p;
    }
    static void DetachTemp(CGdiObject* p) { p->m_hObject = NULL; }
};

typedef CHandleMap<CGdiObject, HGDIOBJ, CGdiTempTraits> CGdiHandleMap;

inline CGdiHandleMap* GdiMap() { return CGdiHandleMap::GetThreadMap(); }

}  // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return GdiMap()->FromHandle(hObject);
}

void PASCAL CGdiObject::DeleteTempMap()
{
    GdiMap()->DeleteTemp();
    // Image lists are drawing resources too; their temporary wrappers go at
    // the same idle point.
    CImageList::DeleteTempMap();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    m_hObject = hObject;
    GdiMap()->SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL)
    {
        // Another wrapper may have attached the same handle since (stock
        // objects, system colour brushes): leave its entry alone.
        CGdiHandleMap* pMap = GdiMap();
        if (pMap->LookupPermanent(hObject) == this)
            pMap->RemoveHandle(hObject);
    }
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

// ---------------------------------------------------------------------------
// Constructors that create: a failure to create throws, as there is no other
// way for a constructor to report it.
// ---------------------------------------------------------------------------
CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle))
        AfxThrowResourceException();
}

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CBrush::CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage)
{
    // The brush copies the DIB, so the memory is only locked for the call.
    const void* lpPackedDIB = ::GlobalLock(hPackedDIB);
    if (lpPackedDIB == NULL)
        return FALSE;
    BOOL bResult = Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
    ::GlobalUnlock(hPackedDIB);
    return bResult;
}

// ---------------------------------------------------------------------------
// CFont
// ---------------------------------------------------------------------------
BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpyn(logFont.lfFaceName, lpszFaceName ? lpszFaceName : "", LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

// lfHeight holds tenths of a point. The height in device pixels follows from
// the device's vertical resolution (720 tenths of a point to the inch), and is
// then turned into logical units of the DC; the negative value asks for that
// character height rather than that cell height.
BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;

    LOGFONT logFont = *lpLogFont;
    POINT pt;
    pt.x = 0;
    pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720);
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -abs(pt.y - ptOrg.y);

    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}

// ---------------------------------------------------------------------------
// CBitmap
// ---------------------------------------------------------------------------
BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
    return Attach(::CreateMappedBitmap(hInst, (INT_PTR)nIDBitmap, (UINT)nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

// ---------------------------------------------------------------------------
// CPalette, CRgn
// ---------------------------------------------------------------------------
BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return Attach(::CreateHalftonePalette(pDC->GetSafeHdc()));
}

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    return Attach(::PathToRegion(pDC->GetSafeHdc()));
}
