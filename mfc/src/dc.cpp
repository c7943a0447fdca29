// Device contexts: the per-thread DC map, the members that keep the output and
// attribute DCs in step, the drawing helpers with rules of their own, and the
// window DCs.
#include <afxwin.h>
#include <afxhandle.h>

#include <stdlib.h>
#include <vector>

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace
{

// A temporary CDC wraps one handle as both its output and its attribute DC.
struct CDCTempTraits
{
    static CDC* CreateTemp(HDC h)
    {
        CDC* p = new CDC;
        p->m_hDC = h;
        p->m_hAttribDC = h;
        return p;
    }
    static void DetachTemp(CDC* p)
    {
        p->m_hDC = NULL;
        p->m_hAttribDC = NULL;
    }
};

typedef CHandleMap<CDC, HDC, CDCTempTraits> CDCHandleMap;

inline CDCHandleMap* DCMap() { return CDCHandleMap::GetThreadMap(); }

// Applies a setting to the output DC (when it is a separate DC) and to the
// attribute DC, and returns what the attribute DC reported: that is the DC
// later questions are asked of.
template<class R, class F>
R SetBoth(HDC hDC, HDC hAttribDC, R failed, F set)
{
    R result = failed;
    if (hDC != NULL && hDC != hAttribDC)
        result = set(hDC);
    if (hAttribDC != NULL)
        result = set(hAttribDC);
    return result;
}

}  // namespace

CDC::~CDC()
{
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return DCMap()->FromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap()
{
    DCMap()->DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == NULL)
        return FALSE;
    m_hDC = hDC;
    SetAttribDC(m_hDC);
    DCMap()->SetPermanent(m_hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
    {
        CDCHandleMap* pMap = DCMap();
        if (pMap->LookupPermanent(hDC) == this)
            pMap->RemoveHandle(hDC);
    }
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

// With two DCs the returned level only fits the attribute DC, so a caller gets
// -1 (restore the last save), the one value valid for both.
int CDC::SaveDC()
{
    int nSaved = 0;
    if (m_hAttribDC != NULL)
        nSaved = ::SaveDC(m_hAttribDC);
    if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        nSaved = -1;
    return nSaved;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bResult = TRUE;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        bResult = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != NULL)
        bResult = ::RestoreDC(m_hAttribDC, nSavedDC) && bResult;
    return bResult;
}

// ---------------------------------------------------------------------------
// Selection. The object goes into both DCs; the one it replaced comes back
// wrapped (permanent wrapper when there is one, else temporary).
// ---------------------------------------------------------------------------
CGdiObject* CDC::SelectGdiObject(CGdiObject* pObject)
{
    HGDIOBJ hObject = pObject->GetSafeHandle();
    if (hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(SelectObject(hObject));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return SetBoth<HGDIOBJ>(m_hDC, m_hAttribDC, NULL, [hObject](HDC h) { return ::SelectObject(h, hObject); });
}

int CDC::SelectObject(CRgn* pRgn)
{
    HGDIOBJ hRgn = pRgn->GetSafeHandle();
    return SetBoth<int>(m_hDC, m_hAttribDC, ERROR,
                        [hRgn](HDC h) { return (int)(INT_PTR)::SelectObject(h, hRgn); });
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    if (hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(SelectObject(hObject));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE hPalette = (HPALETTE)pPalette->GetSafeHandle();
    return CPalette::FromHandle(SetBoth<HPALETTE>(m_hDC, m_hAttribDC, NULL, [=](HDC h) {
        return ::SelectPalette(h, hPalette, bForceBackground);
    }));
}

// ---------------------------------------------------------------------------
// Colours, modes and mapping: set on both DCs.
// ---------------------------------------------------------------------------
COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return SetBoth<COLORREF>(m_hDC, m_hAttribDC, CLR_INVALID, [=](HDC h) { return ::SetBkColor(h, crColor); });
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return SetBoth<COLORREF>(m_hDC, m_hAttribDC, CLR_INVALID, [=](HDC h) { return ::SetTextColor(h, crColor); });
}

int CDC::SetBkMode(int nBkMode)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, 0, [=](HDC h) { return ::SetBkMode(h, nBkMode); });
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, 0, [=](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); });
}

int CDC::SetROP2(int nDrawMode)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, 0, [=](HDC h) { return ::SetROP2(h, nDrawMode); });
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, 0, [=](HDC h) { return ::SetStretchBltMode(h, nStretchMode); });
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return SetBoth<UINT>(m_hDC, m_hAttribDC, GDI_ERROR, [=](HDC h) { return ::SetTextAlign(h, nFlags); });
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, (int)0x80000000, [=](HDC h) { return ::SetTextCharacterExtra(h, nCharExtra); });
}

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, 0,
                        [=](HDC h) { return ::SetTextJustification(h, nBreakExtra, nBreakCount); });
}

int CDC::SetMapMode(int nMapMode)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, 0, [=](HDC h) { return ::SetMapMode(h, nMapMode); });
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT pt = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE, [&](HDC h) { return ::SetViewportOrgEx(h, x, y, &pt); });
    return pt;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT pt = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE, [&](HDC h) { return ::OffsetViewportOrgEx(h, nWidth, nHeight, &pt); });
    return pt;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE, [&](HDC h) { return ::SetViewportExtEx(h, cx, cy, &size); });
    return size;
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE,
                  [&](HDC h) { return ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, &size); });
    return size;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT pt = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE, [&](HDC h) { return ::SetWindowOrgEx(h, x, y, &pt); });
    return pt;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT pt = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE, [&](HDC h) { return ::OffsetWindowOrgEx(h, nWidth, nHeight, &pt); });
    return pt;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE, [&](HDC h) { return ::SetWindowExtEx(h, cx, cy, &size); });
    return size;
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE,
                  [&](HDC h) { return ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, &size); });
    return size;
}

// A size has no origin: only the scale between window and viewport extents
// applies, and a flipped axis does not make it negative.
void CDC::DPtoLP(LPSIZE lpSize) const
{
    CSize sizeWinExt = GetWindowExt();
    CSize sizeVpExt = GetViewportExt();
    if (sizeVpExt.cx == 0 || sizeVpExt.cy == 0)
        return;
    lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeWinExt.cx), abs(sizeVpExt.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeWinExt.cy), abs(sizeVpExt.cy));
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    CSize sizeWinExt = GetWindowExt();
    CSize sizeVpExt = GetViewportExt();
    if (sizeWinExt.cx == 0 || sizeWinExt.cy == 0)
        return;
    lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeVpExt.cx), abs(sizeWinExt.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeVpExt.cy), abs(sizeWinExt.cy));
}

// ---------------------------------------------------------------------------
// Clipping and the current position: on both DCs.
// ---------------------------------------------------------------------------
int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
    return SetBoth<int>(m_hDC, m_hAttribDC, ERROR, [=](HDC h) { return ::SelectClipRgn(h, hRgn); });
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
    return SetBoth<int>(m_hDC, m_hAttribDC, ERROR, [=](HDC h) { return ::ExtSelectClipRgn(h, hRgn, nMode); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, ERROR, [=](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, ERROR, [=](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}

int CDC::OffsetClipRgn(int x, int y)
{
    return SetBoth<int>(m_hDC, m_hAttribDC, ERROR, [=](HDC h) { return ::OffsetClipRgn(h, x, y); });
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    return SetBoth<int>(m_hDC, m_hAttribDC, ERROR, [=](HDC h) { return ::ExcludeUpdateRgn(h, hWnd); });
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = {0, 0};
    SetBoth<BOOL>(m_hDC, m_hAttribDC, FALSE, [&](HDC h) { return ::MoveToEx(h, x, y, &pt); });
    return pt;
}

// The line is drawn on the output DC; the attribute DC only follows the
// current position.
BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

// ---------------------------------------------------------------------------
// Drawing helpers
// ---------------------------------------------------------------------------

// An opaque ExtTextOut with no text fills the rectangle with the background
// colour: the fastest solid fill GDI has, and it needs no brush. The caller's
// background colour is put back afterwards.
void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    COLORREF crOld = ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    if (crOld != CLR_INVALID)
        ::SetBkColor(m_hDC, crOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

// One-pixel frame: the top and left edges in clrTopLeft, the right and bottom
// edges in clrBottomRight, which also takes the top-right and bottom-left
// corner pixels.
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

// ---------------------------------------------------------------------------
// Drag rectangles
// ---------------------------------------------------------------------------

// One brush for the whole program, never deleted while it runs: callers keep
// the pointer.
CBrush* PASCAL CDC::GetHalftoneBrush()
{
    static CBrush* s_pBrush = [] {
        // a checkerboard of single pixels: every other pixel, alternating rows
        WORD grayPattern[8];
        for (int i = 0; i < 8; i++)
            grayPattern[i] = (WORD)(0x5555 << (i & 1));
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, grayPattern);
        CBrush* pBrush = new CBrush;
        if (hBitmap != NULL) {
            pBrush->Attach(::CreatePatternBrush(hBitmap));
            ::DeleteObject(hBitmap);
        }
        return pBrush;
    }();
    return s_pBrush;
}

// The frame of the given thickness just inside lpRect, as a region (empty for
// a thickness of 0 by 0).
static HRGN DragFrameRegion(LPCRECT lpRect, SIZE size)
{
    HRGN hFrame = ::CreateRectRgnIndirect(lpRect);
    RECT rectInside = *lpRect;
    ::InflateRect(&rectInside, -size.cx, -size.cy);
    ::IntersectRect(&rectInside, &rectInside, lpRect);
    HRGN hInside = ::CreateRectRgnIndirect(&rectInside);
    ::CombineRgn(hFrame, hFrame, hInside, RGN_XOR);
    ::DeleteObject(hInside);
    return hFrame;
}

static void InvertWithBrush(HDC hDC, HRGN hRgn, HBRUSH hBrush)
{
    ::SelectClipRgn(hDC, hRgn);
    RECT rect;
    ::GetClipBox(hDC, &rect);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATINVERT);
    ::SelectObject(hDC, hOldBrush);
    ::SelectClipRgn(hDC, NULL);
}

// Drawing inverts, so drawing the same frame twice takes it away. With one
// brush for both frames only the pixels that differ between the last frame
// and the new one are inverted, so the part that stays does not flicker; with
// two brushes the last frame is taken away first, then the new one drawn.
void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    if (pBrush == NULL)
        pBrush = GetHalftoneBrush();
    if (pBrushLast == NULL)
        pBrushLast = pBrush;
    HRGN hNew = DragFrameRegion(lpRect, size);
    if (lpRectLast != NULL) {
        HRGN hLast = DragFrameRegion(lpRectLast, sizeLast);
        if (pBrushLast->GetSafeHandle() == pBrush->GetSafeHandle())
            ::CombineRgn(hNew, hNew, hLast, RGN_XOR);
        else
            InvertWithBrush(m_hDC, hLast, (HBRUSH)pBrushLast->GetSafeHandle());
        ::DeleteObject(hLast);
    }
    InvertWithBrush(m_hDC, hNew, (HBRUSH)pBrush->GetSafeHandle());
    ::DeleteObject(hNew);
}

// DT_MODIFYSTRING may write into the text, so it is drawn from a copy.
int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    int nLength = str.GetLength();
    std::vector<char> buffer((LPCTSTR)str, (LPCTSTR)str + nLength);
    buffer.resize((size_t)nLength + 5, '\0');   // room for DT_END_ELLIPSIS's "..."
    return DrawTextEx(buffer.data(), nLength, lpRect, nFormat, lpDTParams);
}

int CDC::GetTextFace(CString& rString) const
{
    int nResult = ::GetTextFace(m_hAttribDC, LF_FACESIZE, rString.GetBuffer(LF_FACESIZE));
    rString.ReleaseBuffer();
    return nResult;
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di;
    memset(&di, 0, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return StartDoc(&di);
}

// ---------------------------------------------------------------------------
// Window DCs. Each is a permanent wrapper of its DC for its lifetime.
// ---------------------------------------------------------------------------
CPaintDC::CPaintDC(CWnd* pWnd)
{
    m_hWnd = pWnd->GetSafeHwnd();
    memset(&m_ps, 0, sizeof(m_ps));
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    if (m_hDC != NULL)
    {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
}

CClientDC::CClientDC(CWnd* pWnd)
{
    m_hWnd = pWnd->GetSafeHwnd();
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd)
{
    m_hWnd = pWnd->GetSafeHwnd();
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}
