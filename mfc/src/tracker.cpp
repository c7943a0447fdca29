// CRectTracker: a rectangle moved and sized with the mouse, drawn with
// lines, hatching and handles, tracked in a capture loop of its own.
#include <afxwin.h>
#include <afxext.h>
#include <stdlib.h>
#include <algorithm>

namespace {

// The tracker's drawing tools and cursors, made once for the process.
struct TrackerResources
{
    HBRUSH hHatchBrush;
    HPEN hDottedPen;
    HCURSOR hCursors[10];   // per handle, then the middle and the hatched border (a move)
    int nHandleSize;

    TrackerResources()
    {
        hHatchBrush = ::CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
        hDottedPen = ::CreatePen(PS_DOT, 0, RGB(0, 0, 0));
        HCURSOR hNWSE = ::LoadCursor(NULL, IDC_SIZENWSE), hNESW = ::LoadCursor(NULL, IDC_SIZENESW);
        HCURSOR hNS = ::LoadCursor(NULL, IDC_SIZENS), hWE = ::LoadCursor(NULL, IDC_SIZEWE);
        HCURSOR hAll = ::LoadCursor(NULL, IDC_SIZEALL);
        const HCURSOR cursors[10] = {hNWSE, hNESW, hNWSE, hNESW, hNS, hWE, hNS, hWE, hAll, hAll};
        memcpy(hCursors, cursors, sizeof(hCursors));
        // the width Windows gives the border of an object being edited in place
        nHandleSize = (int)::GetProfileIntA("windows", "oleinplaceborderwidth", 4);
    }
};

const TrackerResources& Resources()
{
    static const TrackerResources s_resources;
    return s_resources;
}

// The sides of a rectangle by number: left, top, right, bottom.
enum { SIDE_LEFT, SIDE_TOP, SIDE_RIGHT, SIDE_BOTTOM };

LONG* Side(RECT& rect, int nSide)
{
    switch (nSide) {
    case SIDE_LEFT: return &rect.left;
    case SIDE_TOP: return &rect.top;
    case SIDE_RIGHT: return &rect.right;
    default: return &rect.bottom;
    }
}

// For each handle: the sides its position is taken from, whether it sits in
// the middle of a side (per axis), how far it is drawn back inside from its
// side (in handle sizes), and the handle it becomes when the rectangle is
// inverted along x or y. A handle that is its own inversion along an axis
// does not change that axis when dragged.
struct HandleInfo
{
    int nSideX, nSideY;
    int nCenterX, nCenterY;
    int nHandleX, nHandleY;
    int nInvertX, nInvertY;
};

const HandleInfo g_handles[8] = {
    {SIDE_LEFT, SIDE_TOP, 0, 0, 0, 0, 1, 3},        // top left
    {SIDE_RIGHT, SIDE_TOP, 0, 0, -1, 0, 0, 2},      // top right
    {SIDE_RIGHT, SIDE_BOTTOM, 0, 0, -1, -1, 3, 1},  // bottom right
    {SIDE_LEFT, SIDE_BOTTOM, 0, 0, 0, -1, 2, 0},    // bottom left
    {SIDE_LEFT, SIDE_TOP, 1, 0, 0, 0, 4, 6},        // top
    {SIDE_RIGHT, SIDE_TOP, 0, 1, -1, 0, 7, 5},      // right
    {SIDE_LEFT, SIDE_BOTTOM, 1, 0, 0, -1, 6, 4},    // bottom
    {SIDE_LEFT, SIDE_TOP, 0, 1, 0, 0, 5, 7},        // left
};

// The side across from each side, and which way the rectangle grows from it.
struct SideInfo
{
    int nAcross;
    int nSignAcross;
};
const SideInfo g_sides[4] = {{SIDE_RIGHT, +1}, {SIDE_BOTTOM, +1}, {SIDE_LEFT, -1}, {SIDE_TOP, -1}};

}  // namespace

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle)
{
    Construct();
    m_rect = *lpSrcRect;
    m_nStyle = nStyle;
}

void CRectTracker::Construct()
{
    m_nStyle = 0;
    m_rect.SetRectEmpty();
    m_nHandleSize = Resources().nHandleSize;
    m_sizeMin.cx = m_sizeMin.cy = m_nHandleSize * 2;
    m_bAllowInvert = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast.cx = m_sizeLast.cy = 0;
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
}

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------

// Handles inside a small rectangle shrink so that two fit across it.
int CRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    if (lpRect == NULL)
        lpRect = &m_rect;
    int nSize = m_nHandleSize;
    if (!(m_nStyle & resizeOutside)) {
        int nMax = std::min(abs((int)(lpRect->right - lpRect->left)), abs((int)(lpRect->bottom - lpRect->top)));
        if (nSize * 2 > nMax)
            nSize = nMax / 2;
    }
    return nSize;
}

UINT CRectTracker::GetHandleMask() const
{
    UINT nMask = 0x0F;
    int nSize = m_nHandleSize * 3;
    if (abs(m_rect.Width()) - nSize > 4)
        nMask |= 0x50;   // top and bottom
    if (abs(m_rect.Height()) - nSize > 4)
        nMask |= 0xA0;   // right and left
    return nMask;
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    int nInflate = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder))
        nInflate += GetHandleSize() - 1;
    if (m_nStyle & (solidLine | dottedLine))
        ++nInflate;
    rect.InflateRect(nInflate, nInflate);
    *lpTrueRect = rect;
}

int CRectTracker::NormalizeHit(int nHandle) const
{
    if (nHandle == hitMiddle || nHandle == hitNothing)
        return nHandle;
    if (m_rect.Width() < 0)
        nHandle = g_handles[nHandle].nInvertX;
    if (m_rect.Height() < 0)
        nHandle = g_handles[nHandle].nInvertY;
    return nHandle;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    CRect rectT = m_rect;
    rectT.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine))
        rectT.InflateRect(1, 1);
    // the rectangle was normalised, so the handle is too
    nHandle = NormalizeHit(nHandle);
    int nSize = GetHandleSize();
    if (m_nStyle & resizeOutside)
        rectT.InflateRect(nSize - 1, nSize - 1);
    const HandleInfo& info = g_handles[nHandle];
    CRect rect;
    rect.left = *Side(rectT, info.nSideX) + nSize * info.nHandleX + info.nCenterX * (rectT.Width() - nSize) / 2;
    rect.top = *Side(rectT, info.nSideY) + nSize * info.nHandleY + info.nCenterY * (rectT.Height() - nSize) / 2;
    rect.right = rect.left + nSize;
    rect.bottom = rect.top + nSize;
    *pHandleRect = rect;
}

// A handle first; then, unless the border is hatched (where the border
// itself moves the object), a point between handles outside the rectangle
// hits nothing.
int CRectTracker::HitTestHandles(CPoint point) const
{
    CRect rect;
    GetTrueRect(&rect);
    if (!rect.PtInRect(point))
        return hitNothing;
    UINT nMask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
        if (nMask & (1u << i)) {
            GetHandleRect(i, &rect);
            if (rect.PtInRect(point))
                return i;
        }
    }
    if (!(m_nStyle & hatchedBorder)) {
        rect = m_rect;
        rect.NormalizeRect();
        if (m_nStyle & (dottedLine | solidLine))
            rect.InflateRect(1, 1);
        if (!rect.PtInRect(point))
            return hitNothing;
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect rectTrue;
    GetTrueRect(&rectTrue);
    if (!rectTrue.PtInRect(point))
        return hitNothing;
    return (m_nStyle & (resizeInside | resizeOutside)) ? HitTestHandles(point) : (int)hitMiddle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (nHitTest != HTCLIENT)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    pWnd->ScreenToClient(&point);
    int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    nHandle = NormalizeHit(nHandle);
    // between the handles of a hatched border: the same move, another cursor
    if (nHandle == hitMiddle && !m_rect.PtInRect(point) && (m_nStyle & hatchedBorder))
        nHandle = 9;
    ::SetCursor(Resources().hCursors[nHandle]);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

void CRectTracker::Draw(CDC* pDC) const
{
    HDC hDC = pDC->GetSafeHdc();
    int nSaved = ::SaveDC(hDC);
    ::SetMapMode(hDC, MM_TEXT);
    ::SetViewportOrgEx(hDC, 0, 0, NULL);
    ::SetWindowOrgEx(hDC, 0, 0, NULL);
    CRect rect = m_rect;
    rect.NormalizeRect();

    // lines one pixel outside the rectangle
    if (m_nStyle & (dottedLine | solidLine)) {
        ::SelectObject(hDC, (m_nStyle & dottedLine) ? (HGDIOBJ)Resources().hDottedPen : ::GetStockObject(BLACK_PEN));
        ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
        ::SetROP2(hDC, R2_COPYPEN);
        ::Rectangle(hDC, rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1);
    }
    // hatching over the inside keeps what is under it readable
    if (m_nStyle & hatchInside) {
        ::UnrealizeObject(Resources().hHatchBrush);
        ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
        ::SelectObject(hDC, Resources().hHatchBrush);
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetROP2(hDC, R2_MASKNOTPEN);
        ::Rectangle(hDC, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    }
    if (m_nStyle & hatchedBorder) {
        ::UnrealizeObject(Resources().hHatchBrush);
        ::SelectObject(hDC, Resources().hHatchBrush);
        ::SetBkMode(hDC, OPAQUE);
        CRect rectTrue;
        GetTrueRect(&rectTrue);
        ::PatBlt(hDC, rectTrue.left, rectTrue.top, rectTrue.Width(), rect.top - rectTrue.top, PATCOPY);
        ::PatBlt(hDC, rectTrue.left, rect.bottom, rectTrue.Width(), rectTrue.bottom - rect.bottom, PATCOPY);
        ::PatBlt(hDC, rectTrue.left, rect.top, rect.left - rectTrue.left, rect.Height(), PATCOPY);
        ::PatBlt(hDC, rect.right, rect.top, rectTrue.right - rect.right, rect.Height(), PATCOPY);
    }
    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT nMask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (nMask & (1u << i)) {
                CRect rectHandle;
                GetHandleRect(i, &rectHandle);
                pDC->FillSolidRect(rectHandle, RGB(0, 0, 0));
            }
        }
    }
    ::RestoreDC(hDC, nSaved);
}

// An inverted frame one pixel wide (the width of the hatching for a hatched
// border); each call takes the last frame away in the same pass, and the
// final erase only takes it away.
void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect = *lpRect;
    rect.NormalizeRect();
    if (pWndClipTo != NULL) {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        if (m_nStyle & hatchedBorder) {
            size.cx = size.cy = std::max(1, GetHandleSize(rect) - 1);
            rect.InflateRect(size);
        } else {
            size.cx = size.cy = 1;
        }
    }
    if (m_bFinalErase || !m_bErase)
        pDC->DrawDragRect(rect, size, m_rectLast, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
}

// ---------------------------------------------------------------------------
// Tracking
// ---------------------------------------------------------------------------

// The sides of m_rect a handle moves (NULL for an axis it leaves alone), and
// where along each axis the handle stands now.
void CRectTracker::GetModifyPointers(int nHandle, int** ppx, int** ppy, int* px, int* py)
{
    if (nHandle == hitMiddle)
        nHandle = hitTopLeft;   // a move drags the top-left corner
    const HandleInfo& info = g_handles[nHandle];
    *ppx = NULL;
    *ppy = NULL;
    if (info.nInvertX != nHandle) {
        *ppx = (int*)Side(m_rect, info.nSideX);
        if (px != NULL)
            *px = **ppx;
    } else if (px != NULL) {
        *px = m_rect.left + abs(m_rect.Width()) / 2;
    }
    if (info.nInvertY != nHandle) {
        *ppy = (int*)Side(m_rect, info.nSideY);
        if (py != NULL)
            *py = **ppy;
    } else if (py != NULL) {
        *py = m_rect.top + abs(m_rect.Height()) / 2;
    }
}

// A side dragged closer than m_sizeMin to the one across is held at that
// distance; unless inverting is allowed, it stays on its own side too.
void CRectTracker::AdjustRect(int nHandle, LPRECT)
{
    if (nHandle == hitMiddle)
        return;
    int* px;
    int* py;
    GetModifyPointers(nHandle, &px, &py, NULL, NULL);
    auto enforce = [this](int* pSide, int nLength, int nMin) {
        int nAbs = m_bAllowInvert ? abs(nLength) : nLength;
        if (pSide == NULL || nAbs >= nMin)
            return;
        int nSign = nAbs != 0 ? nLength / nAbs : 1;
        int nSide = 0;
        while ((int*)Side(m_rect, nSide) != pSide)
            ++nSide;
        const SideInfo& info = g_sides[nSide];
        *pSide = (int)*Side(m_rect, info.nAcross) + nSign * nMin * -info.nSignAcross;
    };
    enforce(px, m_rect.Width(), m_sizeMin.cx);
    enforce(py, m_rect.Height(), m_sizeMin.cy);
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(nHandle, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, pWnd, point, NULL);
}

// The loop keeps the capture on pWnd and reads the mouse and keys itself;
// everything else is dispatched. The rectangle is redrawn only when it
// changed; a loop that ends without a move leaves m_rect as it was.
BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    if (::GetCapture() != NULL)
        return FALSE;
    int nWidth = m_rect.Width();
    int nHeight = m_rect.Height();
    pWnd->SetCapture();
    if (::GetCapture() != pWnd->m_hWnd)
        return FALSE;
    pWnd->UpdateWindow();
    if (pWndClipTo != NULL)
        pWndClipTo->UpdateWindow();
    CRect rectSave = m_rect;

    int* px;
    int* py;
    int xDiff, yDiff;
    GetModifyPointers(nHandle, &px, &py, &xDiff, &yDiff);
    xDiff = point.x - xDiff;
    yDiff = point.y - yDiff;

    HWND hWndDraw = pWndClipTo != NULL ? pWndClipTo->m_hWnd : pWnd->m_hWnd;
    HDC hDC = pWndClipTo != NULL ? ::GetDCEx(hWndDraw, NULL, DCX_CACHE) : ::GetDC(hWndDraw);
    CDC* pDrawDC = CDC::FromHandle(hDC);
    m_rectLast.SetRectEmpty();
    m_sizeLast.cx = m_sizeLast.cy = 0;

    BOOL bMoved = FALSE;
    for (;;) {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);   // keep the quit for the program's loop
            break;
        }
        if (::GetCapture() != pWnd->m_hWnd) {
            // taken away: the message is someone else's, the outline goes
            ::DispatchMessage(&msg);
            if (bMoved) {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(&m_rect, pWndClipTo, pDrawDC, pWnd);
            }
            break;
        }
        BOOL bCancel = FALSE;
        switch (msg.message) {
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE: {
            CRect rectOld = m_rect;
            if (px != NULL)
                *px = (int)(short)LOWORD(msg.lParam) - xDiff;
            if (py != NULL)
                *py = (int)(short)HIWORD(msg.lParam) - yDiff;
            if (nHandle == hitMiddle) {
                m_rect.right = m_rect.left + nWidth;
                m_rect.bottom = m_rect.top + nHeight;
            }
            AdjustRect(nHandle, &m_rect);
            m_bFinalErase = msg.message == WM_LBUTTONUP;
            if (rectOld != m_rect || m_bFinalErase) {
                if (bMoved) {
                    m_bErase = TRUE;
                    DrawTrackerRect(&rectOld, pWndClipTo, pDrawDC, pWnd);
                }
                OnChangedRect(rectOld);
                if (msg.message != WM_LBUTTONUP)
                    bMoved = TRUE;
            }
            if (m_bFinalErase)
                goto ExitLoop;
            if (rectOld != m_rect) {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, pWndClipTo, pDrawDC, pWnd);
            }
            break;
        }
        case WM_KEYDOWN:
            bCancel = msg.wParam == VK_ESCAPE;
            break;
        case WM_RBUTTONDOWN:
            bCancel = TRUE;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
        if (bCancel) {
            if (bMoved) {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(&m_rect, pWndClipTo, pDrawDC, pWnd);
            }
            m_rect = rectSave;
            goto ExitLoop;
        }
    }
ExitLoop:
    ::ReleaseDC(hWndDraw, hDC);
    if (::GetCapture() == pWnd->m_hWnd)
        ::ReleaseCapture();
    if (!bMoved)
        m_rect = rectSave;
    m_bFinalErase = FALSE;
    m_bErase = FALSE;
    return rectSave != m_rect;
}
