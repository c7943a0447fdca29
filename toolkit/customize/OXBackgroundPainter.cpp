#include "OXBackgroundPainter.h"

#include <afxcmn.h>
#include <afxext.h>

namespace
{
const UINT kRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME;
// Everything, children included, at once: the picture moved under them.
const UINT kRedrawAll = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW
                        | RDW_ERASENOW | RDW_FRAME;

const char kImageFileName[] = "ImageFileName";
const char kPaintType[] = "PaintType";
const char kBackgroundColor[] = "BackgroundColor";

BOOL HasArea(CSize size) { return size.cx > 0 && size.cy > 0; }

// x reduced into (-n, 0]: the same phase of a grid of step n.
int FirstAtOrBefore(int x, int n)
{
    int r = x % n;
    return r > 0 ? r - n : r;
}
} // namespace

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

CRect OXBackgroundLayout::Placement(int nPaintType, CSize sizeImage, CSize sizeReference)
{
    if (!HasArea(sizeImage) || nPaintType < OXPaintStretched || nPaintType > OXPaintBottomRight)
        return CRect(0, 0, 0, 0);
    if (nPaintType == OXPaintStretched)
        return CRect(CPoint(0, 0), sizeReference);
    // Types 2 to 10 run left, centre, right along the top row, then the
    // middle row, then the bottom one.
    const int nColumn = (nPaintType - OXPaintTopLeft) % 3;
    const int nRow = (nPaintType - OXPaintTopLeft) / 3;
    const int x = nColumn == 0 ? 0 : nColumn == 1 ? (sizeReference.cx - sizeImage.cx) / 2 : sizeReference.cx - sizeImage.cx;
    const int y = nRow == 0 ? 0 : nRow == 1 ? (sizeReference.cy - sizeImage.cy) / 2 : sizeReference.cy - sizeImage.cy;
    return CRect(CPoint(x, y), sizeImage);
}

OXBackgroundLayout::Tiles OXBackgroundLayout::Tiling(CPoint ptOffset, CSize sizeImage, CSize sizeWindow)
{
    Tiles tiles = {CPoint(0, 0), 0, 0};
    if (!HasArea(sizeImage) || !HasArea(sizeWindow))
        return tiles;
    tiles.ptFirst = CPoint(FirstAtOrBefore(ptOffset.x, sizeImage.cx), FirstAtOrBefore(ptOffset.y, sizeImage.cy));
    tiles.nColumns = (sizeWindow.cx - tiles.ptFirst.x + sizeImage.cx - 1) / sizeImage.cx;
    tiles.nRows = (sizeWindow.cy - tiles.ptFirst.y + sizeImage.cy - 1) / sizeImage.cy;
    return tiles;
}

CRect OXBackgroundLayout::ClientOnScreen(HWND hWnd)
{
    CRect rect(0, 0, 0, 0);
    if (hWnd == NULL || !::IsWindow(hWnd))
        return rect;
    ::GetClientRect(hWnd, &rect);
    ::MapWindowPoints(hWnd, NULL, (LPPOINT)&rect, 2);
    return rect;
}

void OXBackgroundState::Read(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    sImageFileName = pApp->GetProfileString(lpszSection, kImageFileName, "");
    nPaintType = (int)pApp->GetProfileInt(lpszSection, kPaintType, -1);
    clrBackground = (COLORREF)pApp->GetProfileInt(lpszSection, kBackgroundColor, -1);
}

// ---------------------------------------------------------------------------
// Painter
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COXBackgroundPainter, COXHookWnd)

COXBackgroundPainter::COXBackgroundPainter()
    : m_nPaintType(OXPaintTiled), m_clrBackground(OX_DEFAULT_BACKGROUND), m_clrTransparent(CLR_NONE),
      m_hWndOrigin(NULL),
      m_rectLastWindow(0, 0, 0, 0)
{
}

COXBackgroundPainter::~COXBackgroundPainter()
{
}

BOOL COXBackgroundPainter::Attach(CWnd* pWnd, const COXDIB* pDIB, int nPaintType, COLORREF clrBackground,
                                  CWnd* pOriginWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || IsHooked())
        return FALSE;
    HookWindow(pWnd);
    m_clrBackground = clrBackground;
    m_clrTransparent = CLR_NONE;
    m_rectLastWindow.SetRectEmpty();
    ApplyImage(pDIB, "", FALSE);
    m_nPaintType = nPaintType;
    m_hWndOrigin = pOriginWnd != NULL && pOriginWnd->GetSafeHwnd() != pWnd->GetSafeHwnd() ? pOriginWnd->GetSafeHwnd()
                                                                                          : NULL;
    Redraw();
    return TRUE;
}

void COXBackgroundPainter::Detach(BOOL bRedraw)
{
    HWND hWnd = m_hWndTarget;
    if (IsHooked())
        Unhook();
    if (bRedraw && hWnd != NULL && ::IsWindow(hWnd))
        ::RedrawWindow(hWnd, NULL, NULL, kRedraw);
}

void COXBackgroundPainter::Redraw()
{
    if (m_hWndTarget != NULL && ::IsWindow(m_hWndTarget))
        ::RedrawWindow(m_hWndTarget, NULL, NULL, kRedraw);
}

void COXBackgroundPainter::ApplyImage(const COXDIB* pDIB, LPCTSTR lpszFileName, BOOL bRedraw)
{
    if (pDIB != NULL && pDIB != &m_dib)
        m_dib = *pDIB;
    else if (pDIB == NULL)
        m_dib.Empty();
    m_sImageFileName = lpszFileName;
    m_bmpImage.DeleteObject();
    RealizePalette(TRUE, FALSE);
    if (bRedraw)
        Redraw();
}

BOOL COXBackgroundPainter::SetImage(const COXDIB* pDIB, BOOL bRedraw)
{
    ApplyImage(pDIB, "", bRedraw);
    return TRUE;
}

BOOL COXBackgroundPainter::LoadImage(LPCTSTR lpszFileName, BOOL bRedraw)
{
    if (lpszFileName == NULL || *lpszFileName == '\0') {
        ApplyImage(NULL, "", bRedraw);
        return TRUE;
    }
    COXDIB dib;
    if (!dib.Load(lpszFileName))
        return FALSE;
    ApplyImage(&dib, lpszFileName, bRedraw);
    return TRUE;
}

void COXBackgroundPainter::SetPaintType(int nPaintType, BOOL bRedraw)
{
    m_nPaintType = nPaintType;
    if (bRedraw)
        Redraw();
}

void COXBackgroundPainter::SetBackgroundColor(COLORREF clrBackground, BOOL bRedraw)
{
    m_clrBackground = clrBackground;
    if (bRedraw)
        Redraw();
}

void COXBackgroundPainter::SetTransparentColor(COLORREF clrTransparent, BOOL bRedraw)
{
    m_clrTransparent = clrTransparent;
    if (bRedraw)
        Redraw();
}

void COXBackgroundPainter::SetOriginWnd(CWnd* pOriginWnd, BOOL bRedraw)
{
    HWND hOrigin = pOriginWnd != NULL ? pOriginWnd->GetSafeHwnd() : NULL;
    m_hWndOrigin = hOrigin == m_hWndTarget ? NULL : hOrigin;
    if (bRedraw)
        Redraw();
}

HWND COXBackgroundPainter::OriginWindow() const
{
    return m_hWndOrigin != NULL && ::IsWindow(m_hWndOrigin) ? m_hWndOrigin : m_hWndTarget;
}

CWnd* COXBackgroundPainter::GetOriginWnd() const
{
    HWND hOrigin = OriginWindow();
    return hOrigin != NULL ? CWnd::FromHandle(hOrigin) : NULL;
}

BOOL COXBackgroundPainter::SaveState(LPCTSTR lpszSection) const
{
    if (!IsHooked())
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp->WriteProfileString(lpszSection, kImageFileName, m_sImageFileName)
           && pApp->WriteProfileInt(lpszSection, kPaintType, m_nPaintType)
           && pApp->WriteProfileInt(lpszSection, kBackgroundColor, (int)m_clrBackground);
}

void COXBackgroundPainter::ApplyState(const OXBackgroundState& state, const COXDIB* pLoaded, BOOL bRedraw)
{
    if (state.clrBackground != (COLORREF)-1)
        m_clrBackground = state.clrBackground;
    if (state.nPaintType != -1)
        m_nPaintType = state.nPaintType;
    if (pLoaded != NULL)
        ApplyImage(pLoaded, state.sImageFileName, FALSE);
    if (bRedraw)
        Redraw();
}

BOOL COXBackgroundPainter::LoadState(LPCTSTR lpszSection, BOOL bRedraw)
{
    if (!IsHooked())
        return FALSE;
    OXBackgroundState state;
    state.Read(lpszSection);
    // An image that cannot be read keeps the one shown; the rest still applies.
    COXDIB dib;
    BOOL bLoaded = !state.sImageFileName.IsEmpty() && dib.Load(state.sImageFileName);
    ApplyState(state, bLoaded ? &dib : NULL, bRedraw);
    return TRUE;
}

int COXBackgroundPainter::RealizePalette(BOOL bBackground, BOOL bRedraw)
{
    CPalette* pPalette = m_dib.GetPalette();
    if (pPalette == NULL || pPalette->GetSafeHandle() == NULL || m_hWndTarget == NULL)
        return 0;
    HDC hdc = ::GetDC(m_hWndTarget);
    HPALETTE hOld = ::SelectPalette(hdc, (HPALETTE)pPalette->GetSafeHandle(), bBackground);
    UINT nChanged = ::RealizePalette(hdc);
    ::SelectPalette(hdc, hOld, TRUE);
    ::ReleaseDC(m_hWndTarget, hdc);
    if (nChanged == GDI_ERROR)
        nChanged = 0;
    if (nChanged > 0 && bRedraw)
        ::RedrawWindow(m_hWndTarget, NULL, NULL, kRedrawAll);
    return (int)nChanged;
}

void COXBackgroundPainter::GetOriginOffset(CPoint& ptOffset, CRect& rectReference)
{
    HWND hOrigin = OriginWindow();
    // A floating bar anchored elsewhere takes its floating frame instead: the
    // frame it was anchored to is not behind it any more.
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(m_hWndTarget));
    if (pBar != NULL && hOrigin != m_hWndTarget && pBar->IsFloating()) {
        if (CFrameWnd* pFrame = pBar->GetDockingFrame())
            hOrigin = pFrame->GetSafeHwnd();
    }
    rectReference = OXBackgroundLayout::ClientOnScreen(hOrigin);
    if (hOrigin == m_hWndTarget) {
        ptOffset = CPoint(0, 0);
        return;
    }
    ptOffset = rectReference.TopLeft() - OXBackgroundLayout::ClientOnScreen(m_hWndTarget).TopLeft();
}

void COXBackgroundPainter::FillBackground(CDC* pDC)
{
    CRect rect;
    ::GetWindowRect(m_hWndTarget, &rect);
    rect.OffsetRect(-rect.left, -rect.top);
    HBRUSH hBrush;
    BOOL bOwned = TRUE;
    if (m_clrBackground != OX_DEFAULT_BACKGROUND) {
        hBrush = ::CreateSolidBrush(m_clrBackground);
    } else if ((hBrush = (HBRUSH)::GetClassLongPtrA(m_hWndTarget, GCLP_HBRBACKGROUND)) != NULL) {
        bOwned = FALSE;
        // A class brush may be given as a system colour index plus one.
        if ((UINT_PTR)hBrush <= COLOR_MENUBAR + 1) {
            hBrush = ::GetSysColorBrush((int)(UINT_PTR)hBrush - 1);
        }
    } else {
        hBrush = ::GetSysColorBrush(COLOR_BTNFACE);
        bOwned = FALSE;
    }
    ::FillRect(pDC->GetSafeHdc(), &rect, hBrush);
    if (bOwned)
        ::DeleteObject(hBrush);
}

CBitmap* COXBackgroundPainter::ImageBitmap(CDC* pDC)
{
    if (m_bmpImage.GetSafeHandle() == NULL) {
        CBitmap* pMade = m_dib.MakeBitmap(pDC);
        if (pMade == NULL)
            return NULL;
        m_bmpImage.Attach(pMade->Detach());
        delete pMade;
    }
    return &m_bmpImage;
}

void COXBackgroundPainter::DrawTiles(CDC* pDC, const OXBackgroundLayout::Tiles& tiles, CSize sizeImage)
{
    CBitmap* pBitmap = ImageBitmap(pDC);
    if (pBitmap == NULL) {
        FillBackground(pDC);
        return;
    }
    if (m_clrTransparent != CLR_NONE) {
        for (int c = 0; c < tiles.nColumns; c++)
            for (int r = 0; r < tiles.nRows; r++)
                DrawKeyed(pDC, CRect(tiles.ptFirst + CSize(c * sizeImage.cx, r * sizeImage.cy), sizeImage), sizeImage);
        return;
    }
    CDC dcImage;
    dcImage.CreateCompatibleDC(pDC);
    CBitmap* pOld = dcImage.SelectObject(pBitmap);
    HDC hdc = pDC->GetSafeHdc(), hdcImage = dcImage.GetSafeHdc();
    for (int c = 0; c < tiles.nColumns; c++) {
        const int x = tiles.ptFirst.x + c * sizeImage.cx;
        for (int r = 0; r < tiles.nRows; r++)
            ::BitBlt(hdc, x, tiles.ptFirst.y + r * sizeImage.cy, sizeImage.cx, sizeImage.cy, hdcImage, 0, 0, SRCCOPY);
    }
    dcImage.SelectObject(pOld);
}

void COXBackgroundPainter::DrawKeyed(CDC* pDC, const CRect& rectDest, CSize sizeImage)
{
    CBitmap* pBitmap = ImageBitmap(pDC);
    if (pBitmap == NULL)
        return;
    CDC dcImage;
    dcImage.CreateCompatibleDC(pDC);
    CBitmap* pOld = dcImage.SelectObject(pBitmap);
    const COLORREF clrKey = m_clrTransparent == CLR_DEFAULT ? dcImage.GetPixel(0, 0) : m_clrTransparent;
    ::TransparentBlt(pDC->GetSafeHdc(), rectDest.left, rectDest.top, rectDest.Width(), rectDest.Height(),
                     dcImage.GetSafeHdc(), 0, 0, sizeImage.cx, sizeImage.cy, clrKey);
    dcImage.SelectObject(pOld);
}

void COXBackgroundPainter::DrawBackground(CDC* pDC)
{
    const CSize sizeImage = m_dib.IsEmpty() ? CSize(0, 0) : m_dib.GetSize();
    // An image without area has nothing to tile or place: colour only.
    if (!HasArea(sizeImage)) {
        FillBackground(pDC);
        return;
    }
    // What the image keys out shows the colour, whatever the paint type.
    if ((m_nPaintType != OXPaintTiled && m_nPaintType != OXPaintStretched) || m_clrTransparent != CLR_NONE)
        FillBackground(pDC);

    CPoint ptOffset;
    CRect rectReference;
    GetOriginOffset(ptOffset, rectReference);
    CRect rectClient = OXBackgroundLayout::ClientOnScreen(m_hWndTarget);
    // A window DC may belong to another window than the painted one; a
    // memory DC stands for the painted window's client area itself.
    CPoint ptDC = rectClient.TopLeft();
    if (::GetObjectType(pDC->GetSafeHdc()) != OBJ_MEMDC)
        ::GetDCOrgEx(pDC->GetSafeHdc(), &ptDC);
    ptOffset += rectClient.TopLeft() - ptDC;

    if (m_nPaintType == OXPaintTiled) {
        DrawTiles(pDC, OXBackgroundLayout::Tiling(ptOffset, sizeImage, rectClient.Size()), sizeImage);
        return;
    }
    CRect rectImage = OXBackgroundLayout::Placement(m_nPaintType, sizeImage, rectReference.Size());
    if (rectImage.IsRectEmpty())
        return;
    rectImage.OffsetRect(ptOffset);
    if (m_clrTransparent != CLR_NONE)
        DrawKeyed(pDC, rectImage, sizeImage);
    else
        m_dib.Paint(pDC, rectImage, CRect(CPoint(0, 0), sizeImage));
}

BOOL COXBackgroundPainter::RepaintIfMoved()
{
    CRect rectWindow;
    if (!::GetWindowRect(m_hWndTarget, &rectWindow) || rectWindow == m_rectLastWindow)
        return FALSE;
    // What the system copied along no longer lines up with the picture:
    // everything repaints, children too.
    m_rectLastWindow = rectWindow;
    ::RedrawWindow(m_hWndTarget, NULL, NULL, kRedrawAll);
    return TRUE;
}

LRESULT COXBackgroundPainter::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        if (RepaintIfMoved())
            return 1;
        CRect rectWindow;
        ::GetWindowRect(m_hWndTarget, &rectWindow);
        HDC hdc = (HDC)wParam;
        const int nSaved = ::SaveDC(hdc);
        ::IntersectClipRect(hdc, 0, 0, rectWindow.Width(), rectWindow.Height());
        DrawBackground(CDC::FromHandle(hdc));
        ::RestoreDC(hdc, nSaved);
        return 1;
    }
    case WM_SIZE:
        if (m_nPaintType != OXPaintTiled && m_nPaintType != OXPaintTopLeft)
            ::RedrawWindow(m_hWndTarget, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        break;
    case WM_SETFOCUS:
        RealizePalette(FALSE, TRUE);
        break;
    case WM_QUERYNEWPALETTE:
        return RealizePalette(FALSE, TRUE) > 0;
    case WM_PALETTECHANGED:
        if ((HWND)wParam != m_hWndTarget) {
            RealizePalette(TRUE, TRUE);
            return 0;
        }
        break;
    }
    return COXHookWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Organizer
// ---------------------------------------------------------------------------

CMap<DWORD, DWORD, COXBackgroundPainterOrganizer*, COXBackgroundPainterOrganizer*>
    COXBackgroundPainterOrganizer::m_mapThreadOrganizer;
HHOOK COXBackgroundPainterOrganizer::g_hCBTHook = NULL;
HHOOK COXBackgroundPainterOrganizer::g_hGetMessageHook = NULL;

COXBackgroundPainterOrganizer::COXBackgroundPainterOrganizer()
    : m_nDefaultPaintType(OXPaintTiled), m_clrDefaultBackground(OX_DEFAULT_BACKGROUND),
      m_clrDefaultTransparent(CLR_NONE),
      m_pDefaultOriginWnd(NULL), m_pAttachedWnd(NULL), m_dwThreadID(0), m_hCBTHook(NULL),
      m_hGetMessageHook(NULL)
{
}

COXBackgroundPainterOrganizer::~COXBackgroundPainterOrganizer()
{
    if (m_pAttachedWnd != NULL)
        DetachFromThread(TRUE);
    else
        Detach(NULL, TRUE);
    for (INT_PTR i = 0; i < m_arrUnusedPainters.GetSize(); i++)
        delete m_arrUnusedPainters[i];
}

BOOL COXBackgroundPainterOrganizer::ShouldPaintWindow(CObject* pObject)
{
    CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, pWnd);
    if (pBar != NULL && pBar->IsDockBar())
        return TRUE;
    HWND hParent = ::GetParent(pWnd->m_hWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CToolBar))) {
        CControlBar* pParentBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hParent));
        return pParentBar != NULL && pParentBar->IsDockBar();
    }
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pAttachedWnd);
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return FALSE;
    if (pWnd->m_hWnd == pFrame->m_hWndMDIClient)
        return TRUE;
    return pWnd->IsKindOf(RUNTIME_CLASS(CTabCtrl)) && hParent == pFrame->m_hWnd;
}

COXBackgroundPainter* COXBackgroundPainterOrganizer::GetPainter(const CWnd* pWnd) const
{
    COXBackgroundPainter* pPainter = NULL;
    if (pWnd == NULL || !m_mapPainters.Lookup(pWnd->GetSafeHwnd(), pPainter))
        return NULL;
    return pPainter;
}

COXBackgroundPainter* COXBackgroundPainterOrganizer::GetFirstPainter() const
{
    return OXFirstLiveHandler(m_mapPainters);
}

COXBackgroundPainter* COXBackgroundPainterOrganizer::TakePainter()
{
    if (m_arrUnusedPainters.GetSize() == 0)
        return new COXBackgroundPainter;
    COXBackgroundPainter* pPainter = m_arrUnusedPainters[0];
    m_arrUnusedPainters.RemoveAt(0);
    return pPainter;
}

BOOL COXBackgroundPainterOrganizer::Attach(CWnd* pWnd, const COXDIB* pDIB, int nPaintType,
                                           COLORREF clrBackground, CWnd* pOriginWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || IsAttached(pWnd))
        return FALSE;
    COXBackgroundPainter* pPainter = TakePainter();
    if (!pPainter->Attach(pWnd, pDIB, nPaintType, clrBackground, pOriginWnd)) {
        m_arrUnusedPainters.Add(pPainter);
        return FALSE;
    }
    pPainter->SetTransparentColor(m_clrDefaultTransparent, m_clrDefaultTransparent != CLR_NONE);
    m_mapPainters.SetAt(pWnd->GetSafeHwnd(), pPainter);
    return TRUE;
}

BOOL COXBackgroundPainterOrganizer::Detach(CWnd* pWnd, BOOL bRedraw)
{
    if (pWnd != NULL) {
        COXBackgroundPainter* pPainter = GetPainter(pWnd);
        if (pPainter == NULL)
            return FALSE;
        m_mapPainters.RemoveKey(pWnd->GetSafeHwnd());
        pPainter->Detach(bRedraw);
        m_arrUnusedPainters.Add(pPainter);
        return TRUE;
    }
    for (POSITION pos = m_mapPainters.GetStartPosition(); pos != NULL;) {
        HWND hWnd;
        COXBackgroundPainter* pPainter;
        m_mapPainters.GetNextAssoc(pos, hWnd, pPainter);
        pPainter->Detach(bRedraw);
        m_arrUnusedPainters.Add(pPainter);
    }
    m_mapPainters.RemoveAll();
    return TRUE;
}

template <class F>
BOOL COXBackgroundPainterOrganizer::ForEach(CWnd* pWnd, F f)
{
    if (pWnd != NULL) {
        COXBackgroundPainter* pPainter = GetPainter(pWnd);
        if (pPainter == NULL)
            return FALSE;
        f(pPainter);
        return TRUE;
    }
    for (POSITION pos = m_mapPainters.GetStartPosition(); pos != NULL;) {
        HWND hWnd;
        COXBackgroundPainter* pPainter;
        m_mapPainters.GetNextAssoc(pos, hWnd, pPainter);
        f(pPainter);
    }
    return TRUE;
}

BOOL COXBackgroundPainterOrganizer::SetImage(CWnd* pWnd, const COXDIB* pDIB, BOOL bRedraw)
{
    if (pWnd == NULL && m_pAttachedWnd != NULL) {
        if (pDIB != NULL)
            m_dibDefault = *pDIB;
        else
            m_dibDefault.Empty();
        m_sDefaultImageFileName.Empty();
    }
    return ForEach(pWnd, [&](COXBackgroundPainter* p) { p->SetImage(pDIB, bRedraw); });
}

BOOL COXBackgroundPainterOrganizer::LoadImage(CWnd* pWnd, LPCTSTR lpszFileName, BOOL bRedraw)
{
    if (pWnd != NULL && !IsAttached(pWnd))
        return FALSE;
    // Read once; a file that is no image changes nothing anywhere.
    COXDIB dib;
    const BOOL bEmpty = lpszFileName == NULL || *lpszFileName == '\0';
    if (!bEmpty && !dib.Load(lpszFileName))
        return FALSE;
    CString sName = bEmpty ? "" : lpszFileName;
    if (pWnd == NULL && m_pAttachedWnd != NULL) {
        m_dibDefault = dib;
        m_sDefaultImageFileName = sName;
    }
    return ForEach(pWnd, [&](COXBackgroundPainter* p) { p->ApplyImage(bEmpty ? NULL : &dib, sName, bRedraw); });
}

BOOL COXBackgroundPainterOrganizer::SetPaintType(CWnd* pWnd, int nPaintType, BOOL bRedraw)
{
    if (pWnd == NULL && m_pAttachedWnd != NULL)
        m_nDefaultPaintType = nPaintType;
    return ForEach(pWnd, [&](COXBackgroundPainter* p) { p->SetPaintType(nPaintType, bRedraw); });
}

BOOL COXBackgroundPainterOrganizer::SetBackgroundColor(CWnd* pWnd, COLORREF clrBackground, BOOL bRedraw)
{
    if (pWnd == NULL && m_pAttachedWnd != NULL)
        m_clrDefaultBackground = clrBackground;
    return ForEach(pWnd, [&](COXBackgroundPainter* p) { p->SetBackgroundColor(clrBackground, bRedraw); });
}

BOOL COXBackgroundPainterOrganizer::SetTransparentColor(CWnd* pWnd, COLORREF clrTransparent, BOOL bRedraw)
{
    if (pWnd == NULL)
        m_clrDefaultTransparent = clrTransparent;
    return ForEach(pWnd, [&](COXBackgroundPainter* p) { p->SetTransparentColor(clrTransparent, bRedraw); });
}

BOOL COXBackgroundPainterOrganizer::SetOriginWnd(CWnd* pWnd, CWnd* pOriginWnd, BOOL bRedraw)
{
    if (pWnd == NULL && m_pAttachedWnd != NULL)
        m_pDefaultOriginWnd = pOriginWnd;
    return ForEach(pWnd, [&](COXBackgroundPainter* p) { p->SetOriginWnd(pOriginWnd, bRedraw); });
}

BOOL COXBackgroundPainterOrganizer::LoadState(CWnd* pWnd, LPCTSTR lpszSection, BOOL bRedraw)
{
    if (pWnd != NULL && !IsAttached(pWnd))
        return FALSE;
    OXBackgroundState state;
    state.Read(lpszSection);
    COXDIB dib;
    const BOOL bLoaded = !state.sImageFileName.IsEmpty() && dib.Load(state.sImageFileName);
    if (pWnd == NULL && m_pAttachedWnd != NULL) {
        if (state.clrBackground != (COLORREF)-1)
            m_clrDefaultBackground = state.clrBackground;
        if (state.nPaintType != -1)
            m_nDefaultPaintType = state.nPaintType;
        if (bLoaded) {
            m_dibDefault = dib;
            m_sDefaultImageFileName = state.sImageFileName;
        }
    }
    return ForEach(pWnd, [&](COXBackgroundPainter* p) { p->ApplyState(state, bLoaded ? &dib : NULL, bRedraw); });
}

CWnd* COXBackgroundPainterOrganizer::CandidateWindow(HWND hWnd) const
{
    if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd))
        return pWnd;
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pAttachedWnd);
    if (pFrame != NULL && hWnd == pFrame->m_hWndMDIClient)
        return CWnd::FromHandle(hWnd);
    return NULL;
}

void COXBackgroundPainterOrganizer::AttachWithSettings(HWND hWnd)
{
    HWND hRefusedParent;
    if (m_mapPainters.PLookup(hWnd) != NULL
        || (m_mapRefused.Lookup(hWnd, hRefusedParent) && hRefusedParent == ::GetParent(hWnd)))
        return;
    CWnd* pWnd = CandidateWindow(hWnd);
    if (pWnd == NULL)
        return;
    if (!ShouldPaintWindow(pWnd)) {
        m_mapRefused.SetAt(hWnd, ::GetParent(hWnd));
        return;
    }
    m_mapRefused.RemoveKey(hWnd);
    if (COXBackgroundPainter* pModel = GetFirstPainter()) {
        // A model anchored to itself gives a painter anchored to itself.
        CWnd* pOrigin = pModel->m_hWndOrigin != NULL ? CWnd::FromHandle(pModel->m_hWndOrigin) : NULL;
        if (Attach(pWnd, &pModel->m_dib, pModel->m_nPaintType, pModel->m_clrBackground, pOrigin)) {
            GetPainter(pWnd)->m_sImageFileName = pModel->m_sImageFileName;
            GetPainter(pWnd)->m_clrTransparent = pModel->m_clrTransparent;
        }
    } else if (Attach(pWnd, &m_dibDefault, m_nDefaultPaintType, m_clrDefaultBackground, m_pDefaultOriginWnd)) {
        GetPainter(pWnd)->m_sImageFileName = m_sDefaultImageFileName;
        GetPainter(pWnd)->m_clrTransparent = m_clrDefaultTransparent;
    }
}

void COXBackgroundPainterOrganizer::AttachTree(HWND hWnd)
{
    for (; hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(hWnd, NULL) != m_dwThreadID)
            continue;
        CWnd* pWnd = CandidateWindow(hWnd);
        if (pWnd != NULL && !IsAttached(pWnd)) {
            if (ShouldPaintWindow(pWnd))
                Attach(pWnd, NULL, OXPaintTiled, OX_DEFAULT_BACKGROUND, NULL);
            else
                m_mapRefused.SetAt(hWnd, ::GetParent(hWnd));
        }
        if (HWND hChild = ::GetWindow(hWnd, GW_CHILD))
            AttachTree(hChild);
    }
}

BOOL COXBackgroundPainterOrganizer::AttachToThread(CWnd* pWnd, const COXDIB* pDIB, int nPaintType,
                                                   COLORREF clrBackground)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || m_pAttachedWnd != NULL)
        return FALSE;
    const DWORD dwThreadID = ::GetWindowThreadProcessId(pWnd->m_hWnd, NULL);
    COXBackgroundPainterOrganizer* pOther = NULL;
    if (m_mapThreadOrganizer.Lookup(dwThreadID, pOther))
        return FALSE;
    m_mapThreadOrganizer.SetAt(dwThreadID, this);
    m_dwThreadID = dwThreadID;
    m_pAttachedWnd = pWnd;
    if (pDIB != NULL)
        m_dibDefault = *pDIB;
    else
        m_dibDefault.Empty();
    m_sDefaultImageFileName.Empty();
    m_nDefaultPaintType = nPaintType;
    m_clrDefaultBackground = clrBackground;
    m_pDefaultOriginWnd = pWnd;

    if (HWND hFirst = OXFirstWindowOfThread(dwThreadID))
        AttachTree(hFirst);
    OXInstallThreadHooks(dwThreadID, CBTHookProc, GetMessageHookProc, m_hCBTHook, m_hGetMessageHook, g_hCBTHook,
                         g_hGetMessageHook);
    ForEach(NULL, [&](COXBackgroundPainter* p) {
        p->SetBackgroundColor(m_clrDefaultBackground, FALSE);
        p->SetOriginWnd(m_pDefaultOriginWnd, FALSE);
        p->SetPaintType(m_nDefaultPaintType, FALSE);
        p->SetImage(&m_dibDefault, TRUE);
    });
    return TRUE;
}

BOOL COXBackgroundPainterOrganizer::DetachFromThread(BOOL bRedraw)
{
    if (m_pAttachedWnd == NULL)
        return FALSE;
    OXRemoveThreadHooks(m_hCBTHook, m_hGetMessageHook, g_hCBTHook, g_hGetMessageHook);
    m_mapThreadOrganizer.RemoveKey(m_dwThreadID);
    m_pAttachedWnd = NULL;
    m_dwThreadID = 0;
    m_mapRefused.RemoveAll();
    return Detach(NULL, bRedraw);
}

LRESULT CALLBACK COXBackgroundPainterOrganizer::CBTHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = (HWND)wParam;
    COXBackgroundPainterOrganizer* pOrganizer = NULL;
    if (nCode < 0 || !::IsWindow(hWnd)
        || !m_mapThreadOrganizer.Lookup(::GetWindowThreadProcessId(hWnd, NULL), pOrganizer))
        return ::CallNextHookEx(g_hCBTHook, nCode, wParam, lParam);
    try {
        if (nCode == HCBT_DESTROYWND) {
            pOrganizer->m_mapRefused.RemoveKey(hWnd);
            COXBackgroundPainter* pPainter = NULL;
            if (pOrganizer->m_mapPainters.Lookup(hWnd, pPainter)) {
                pOrganizer->m_mapPainters.RemoveKey(hWnd);
                pPainter->Detach(TRUE);
                pOrganizer->m_arrUnusedPainters.Add(pPainter);
            }
        } else {
            pOrganizer->AttachWithSettings(hWnd);
        }
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return ::CallNextHookEx(pOrganizer->m_hCBTHook, nCode, wParam, lParam);
}

LRESULT CALLBACK COXBackgroundPainterOrganizer::GetMessageHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = (const MSG*)lParam;
    COXBackgroundPainterOrganizer* pOrganizer = NULL;
    if (nCode < 0 || pMsg == NULL || pMsg->hwnd == NULL || !::IsWindow(pMsg->hwnd)
        || !m_mapThreadOrganizer.Lookup(::GetCurrentThreadId(), pOrganizer))
        return ::CallNextHookEx(g_hGetMessageHook, nCode, wParam, lParam);
    try {
        pOrganizer->AttachWithSettings(pMsg->hwnd);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return ::CallNextHookEx(pOrganizer->m_hGetMessageHook, nCode, wParam, lParam);
}
