// dockcont.cpp - CDockContext: the drag and resize loops of a control bar
// and the toggle between its remembered docked and floating places.
//
// Dragging draws an outline on the screen: the bar's docked size, thin,
// while it is over a dock bar it may dock at (that edge's orientation), the
// floating frame's size, thick and dithered, elsewhere. Releasing the
// button docks the bar where the outline is, or floats it there; Escape or
// the right button cancels. Ctrl held floats whatever the outline is over;
// Shift takes the other orientation.
#include "docimpl.h"
#include <afxext.h>

#define HORZF(dw) ((dw) & CBRS_ORIENT_HORZ)
#define VERTF(dw) ((dw) & CBRS_ORIENT_VERT)

// Moves rect the least so that pt is inside it.
static void AdjustRectangle(CRect& rect, CPoint pt)
{
    int nXOffset = (pt.x < rect.left) ? (pt.x - rect.left) : (pt.x > rect.right) ? (pt.x - rect.right) : 0;
    int nYOffset = (pt.y < rect.top) ? (pt.y - rect.top) : (pt.y > rect.bottom) ? (pt.y - rect.bottom) : 0;
    rect.OffsetRect(nXOffset, nYOffset);
}

// The bar's first float style follows its orientation (a dynamic bar floats
// horizontally); it has no floating place yet (x = CW_USEDEFAULT).
CDockContext::CDockContext(CControlBar* pBar)
    : m_ptLast(0, 0), m_rectLast(0, 0, 0, 0), m_sizeLast(0, 0), m_bDitherLast(FALSE), m_rectDragHorz(0, 0, 0, 0),
      m_rectDragVert(0, 0, 0, 0), m_rectFrameDragHorz(0, 0, 0, 0), m_rectFrameDragVert(0, 0, 0, 0), m_pBar(pBar),
      m_pDockSite(pBar->m_pDockSite), m_dwDockStyle(0), m_dwOverDockStyle(0), m_dwStyle(0), m_bFlip(FALSE),
      m_bForceFrame(FALSE), m_pDC(NULL), m_bDragging(FALSE), m_nHitTest(0), m_uMRUDockID(0),
      m_rectMRUDockPos(0, 0, 0, 0), m_dwMRUFloatStyle(0), m_ptMRUFloatPos(CW_USEDEFAULT, 0),
      m_rectRequestedSize(0, 0, 0, 0), m_rectActualSize(0, 0, 0, 0), m_rectActualFrameSize(0, 0, 0, 0),
      m_rectFrameBorders(0, 0, 0, 0), m_pbDeleted(NULL)
{
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
        m_dwMRUFloatStyle = pBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (pBar->m_dwStyle & CBRS_FLOAT_MULTI);
    else
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (pBar->m_dwStyle & CBRS_FLOAT_MULTI);
}

// The bar leaves its dock bar (no place-holder is kept). A loop running
// on this context learns that it is gone, and what it holds (the outline,
// the screen DC, the desktop's lock) is given back here.
CDockContext::~CDockContext()
{
    if (m_pbDeleted != NULL)
        *m_pbDeleted = TRUE;
    if (m_pDC != NULL)
        CancelLoop();
    if (m_pBar->m_pDockBar != NULL)
        m_pBar->m_pDockBar->RemoveControlBar(m_pBar, -1, FALSE);
}

// The outlines start at the bar's top left: a dynamic bar's at its docked
// sizes and its floating (MRU) size; a fixed bar's at its docked sizes; any
// other bar's at its own rectangle for its orientation and the other
// orientation's size across the cursor. Each is moved to hold the cursor.
void CDockContext::StartDrag(CPoint pt)
{
    if (::GetCapture() != NULL)
        return;   // another window has the mouse: no drag
    m_bDragging = TRUE;
    InitLoop();

    CRect rect;
    m_pBar->GetWindowRect(rect);
    m_ptLast = pt;
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeFloat);
        m_rectFrameDragVert = CRect(rect.TopLeft(), sizeFloat);
    } else if (m_pBar->m_dwStyle & CBRS_SIZE_FIXED) {
        CSize sizeHorz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        CSize sizeVert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
        m_rectFrameDragHorz = m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectFrameDragVert = m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
    } else {
        BOOL bHorz = HORZF(m_dwStyle) != 0;
        DWORD dwMode = !bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
        CSize size = m_pBar->CalcDynamicLayout(-1, dwMode);
        if (bHorz) {
            m_rectDragHorz = rect;
            m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), size);
        } else {
            m_rectDragVert = rect;
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - rect.Width() / 2), size);
        }
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert);
    m_rectFrameDragHorz.InflateRect(-afxData.cxBorder2, -afxData.cyBorder2);
    m_rectFrameDragVert.InflateRect(-afxData.cxBorder2, -afxData.cyBorder2);

    AdjustRectangle(m_rectDragHorz, pt);
    AdjustRectangle(m_rectDragVert, pt);
    AdjustRectangle(m_rectFrameDragHorz, pt);
    AdjustRectangle(m_rectFrameDragVert, pt);

    m_dwOverDockStyle = CanDock();
    Move(pt);   // the keys already down count
    Track();
}

void CDockContext::Move(CPoint pt)
{
    CPoint ptOffset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(ptOffset);
    m_rectFrameDragHorz.OffsetRect(ptOffset);
    m_rectDragVert.OffsetRect(ptOffset);
    m_rectFrameDragVert.OffsetRect(ptOffset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL)
        UpdateState(&m_bForceFrame, bDown);
    if (nChar == VK_SHIFT)
        UpdateState(&m_bFlip, bDown);
}

// Flipping needs a bar that may dock both ways.
void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue)
{
    if (*pFlag != bNewValue) {
        *pFlag = bNewValue;
        m_bFlip = HORZF(m_dwDockStyle) && VERTF(m_dwDockStyle) && m_bFlip;
        m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
        DrawFocusRect();
    }
}

// The bar's own orientation is tried first (the other one with Shift);
// without Shift the other orientation counts too when both its outlines
// meet the same dock bar.
DWORD CDockContext::CanDock()
{
    DWORD dwDock = 0;
    DWORD dwCurr = 0;
    BOOL bStyleHorz = HORZF(m_dwStyle) != 0;
    bStyleHorz = m_bFlip ? !bStyleHorz : bStyleHorz;
    if (bStyleHorz && HORZF(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (VERTF(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
    if (!m_bFlip) {
        if (dwDock == 0 && HORZF(m_dwDockStyle)) {
            dwCurr = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dwDock = (dwDock == dwCurr) ? dwDock : 0;
        }
        if (dwDock == 0 && VERTF(m_dwDockStyle)) {
            dwCurr = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dwDock = (dwDock == dwCurr) ? dwDock : 0;
        }
    }
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* pBar = NULL;
    if (HORZF(dwOverDockStyle)) {
        m_pDockSite->CanDock(m_rectDragHorz, HORZF(dwOverDockStyle), &pBar);
        return pBar;
    }
    if (VERTF(dwOverDockStyle)) {
        m_pDockSite->CanDock(m_rectDragVert, VERTF(dwOverDockStyle), &pBar);
        return pBar;
    }
    return NULL;
}

// Docked where the outline is (remembered as the MRU dock place on a frame
// edge), else floated at the outline's top left (remembered as the MRU
// float place and style).
void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0) {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar == NULL)
            return;
        CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
        UINT uID = (UINT)::GetDlgCtrlID(pDockBar->m_hWnd);
        if (uID >= AFX_IDW_DOCKBAR_TOP && uID <= AFX_IDW_DOCKBAR_BOTTOM) {
            m_uMRUDockID = uID;
            m_rectMRUDockPos = rect;
            pDockBar->ScreenToClient(&m_rectMRUDockPos);
        }
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
    } else if ((m_dwStyle & CBRS_SIZE_DYNAMIC) || (HORZF(m_dwStyle) && !m_bFlip) || (VERTF(m_dwStyle) && m_bFlip)) {
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    } else {
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    }
}

// Resizing a floating dynamic bar by a border of its frame: the bar is asked
// for the layout of the length the border is dragged to.
void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (::GetCapture() != NULL)
        return;
    m_bDragging = FALSE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(rect);
    m_ptLast = pt;
    m_nHitTest = nHitTest;
    CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectRequestedSize = CRect(rect.TopLeft(), size);
    m_rectActualSize = CRect(rect.TopLeft(), size);
    m_rectActualFrameSize = CRect(rect.TopLeft(), size);
    CMiniFrameWnd::CalcBorders(&m_rectActualFrameSize);
    m_rectActualFrameSize.InflateRect(-afxData.cxBorder2, -afxData.cyBorder2);
    m_rectFrameBorders = CRect(CPoint(0, 0), m_rectActualFrameSize.Size() - m_rectActualSize.Size());
    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    CPoint ptOffset = pt - m_ptLast;
    int nLength = 0;
    DWORD dwMode = LM_HORZ;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT) {
        if (m_nHitTest == HTLEFT)
            m_rectRequestedSize.left += ptOffset.x;
        else
            m_rectRequestedSize.right += ptOffset.x;
        nLength = m_rectRequestedSize.Width();
    } else {
        dwMode |= LM_LENGTHY;
        if (m_nHitTest == HTTOP)
            m_rectRequestedSize.top += ptOffset.y;
        else
            m_rectRequestedSize.bottom += ptOffset.y;
        nLength = m_rectRequestedSize.Height();
    }
    nLength = nLength >= 0 ? nLength : 0;
    CSize size = m_pBar->CalcDynamicLayout(nLength, dwMode);

    CRect rectDesk;
    ::GetWindowRect(::GetDesktopWindow(), &rectDesk);
    CRect rectTemp = m_rectActualFrameSize;
    CRect rect;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOP) {
        rectTemp.left = rectTemp.right - (size.cx + m_rectFrameBorders.Width());
        rectTemp.top = rectTemp.bottom - (size.cy + m_rectFrameBorders.Height());
        if (rect.IntersectRect(rectDesk, rectTemp)) {
            m_rectActualSize.left = m_rectActualSize.right - size.cx;
            m_rectActualSize.top = m_rectActualSize.bottom - size.cy;
            m_rectActualFrameSize.left = rectTemp.left;
            m_rectActualFrameSize.top = rectTemp.top;
        }
    } else {
        rectTemp.right = rectTemp.left + (size.cx + m_rectFrameBorders.Width());
        rectTemp.bottom = rectTemp.top + (size.cy + m_rectFrameBorders.Height());
        if (rect.IntersectRect(rectDesk, rectTemp)) {
            m_rectActualSize.right = m_rectActualSize.left + size.cx;
            m_rectActualSize.bottom = m_rectActualSize.top + size.cy;
            m_rectActualFrameSize.right = rectTemp.right;
            m_rectActualFrameSize.bottom = rectTemp.bottom;
        }
    }
    m_ptLast = pt;
    DrawFocusRect();
}

// The new width becomes the bar's MRU width; its frame moves to the new top
// left.
void CDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                                 CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

// The loop runs while the bar has the capture: mouse moves move (or
// stretch), the left button's release ends it, keys change the state,
// Escape and the right button cancel; other messages are dispatched. A
// message passed on may delete the context (its bar deleted) or destroy the
// bar's window (its frame closed): the loop ends then without touching
// either. Every way out gives back what InitLoop took.
BOOL CDockContext::Track()
{
    if (::GetCapture() != NULL) {
        CancelLoop();
        return FALSE;
    }
    BOOL bDeleted = FALSE;
    m_pbDeleted = &bDeleted;
    const HWND hWndBar = m_pBar->m_hWnd;
    ::SetCapture(hWndBar);
    while (::IsWindow(hWndBar) && ::GetCapture() == hWndBar) {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (bDeleted || !::IsWindow(hWndBar) || ::GetCapture() != hWndBar) {
            // gone while the message was fetched: it is someone else's
            ::DispatchMessage(&msg);
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            m_pbDeleted = NULL;
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            if (m_bDragging)
                Move(msg.pt);
            else
                Stretch(msg.pt);
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey((int)msg.wParam, FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey((int)msg.wParam, TRUE);
            if (msg.wParam == VK_ESCAPE) {
                m_pbDeleted = NULL;
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            m_pbDeleted = NULL;
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessage(&msg);
            if (bDeleted)
                return FALSE;
            break;
        }
    }
    if (bDeleted)
        return FALSE;
    m_pbDeleted = NULL;
    CancelLoop();
    return FALSE;
}

// Pending paints go first; the screen DC is taken with window updates
// locked while the outline is drawn.
void CDockContext::InitLoop()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        if (!::GetMessage(&msg, NULL, WM_PAINT, WM_PAINT))
            return;
        ::DispatchMessage(&msg);
    }
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    m_rectLast.SetRectEmpty();
    m_sizeLast.cx = m_sizeLast.cy = 0;
    m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
    CWnd* pWnd = CWnd::GetDesktopWindow();
    if (pWnd->LockWindowUpdate()) {
        m_pDC = pWnd->GetDCEx(NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
        if (m_pDC == NULL)
            pWnd->UnlockWindowUpdate();   // no outline, nothing held
    } else {
        m_pDC = pWnd->GetDCEx(NULL, DCX_WINDOW | DCX_CACHE);
    }
}

// The capture is given back only when the bar holds it (never another
// window's); the screen DC and the desktop's lock only while the loop holds
// them.
void CDockContext::CancelLoop()
{
    if (m_pDC != NULL)
        DrawFocusRect(TRUE);   // takes the outline away
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != NULL && hWndCapture == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (m_pDC != NULL) {
        CWnd* pWnd = CWnd::GetDesktopWindow();
        pWnd->UnlockWindowUpdate();
        pWnd->ReleaseDC(m_pDC);
        m_pDC = NULL;
    }
}

// Docked outlines are thin, white and one pixel in; floating ones are as
// thick as a sizing border and dithered. The last outline is taken away
// as the new one is drawn.
void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == NULL)
        return;
    CSize size(1, 1);
    CRect rect;
    CBrush* pWhiteBrush = CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH));
    CBrush* pDitherBrush = CDC::GetHalftoneBrush();
    CBrush* pBrush = pWhiteBrush;
    if (HORZF(m_dwOverDockStyle)) {
        rect = m_rectDragHorz;
    } else if (VERTF(m_dwOverDockStyle)) {
        rect = m_rectDragVert;
    } else {
        size.cx = ::GetSystemMetrics(SM_CXFRAME) - 1;
        size.cy = ::GetSystemMetrics(SM_CYFRAME) - 1;
        if (!m_bDragging)
            rect = m_rectActualFrameSize;
        else if ((HORZF(m_dwStyle) && !m_bFlip) || (VERTF(m_dwStyle) && m_bFlip))
            rect = m_rectFrameDragHorz;
        else
            rect = m_rectFrameDragVert;
        pBrush = pDitherBrush;
    }
    if (bRemoveRect)
        size.cx = size.cy = 0;
    if (HORZF(m_dwOverDockStyle) || VERTF(m_dwOverDockStyle))
        rect.InflateRect(-1, -1);

    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, pBrush, m_bDitherLast ? pDitherBrush : pWhiteBrush);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = pBrush == pDitherBrush;
}

// A floating bar docks back at its MRU dock place (its place-holder when
// the dock bar still has one); a docked bar floats at its MRU float place,
// or where it is docked when it has floated nowhere yet.
void CDockContext::ToggleDocking()
{
    if (m_pBar->IsFloating()) {
        if (m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) {
            CRect rect = m_rectMRUDockPos;
            CDockBar* pDockBar = AfxGetEdgeDockBar(m_pDockSite, m_uMRUDockID);
            if (pDockBar != NULL)
                pDockBar->ClientToScreen(&rect);
            m_pDockSite->ReDockControlBar(m_pBar, pDockBar, pDockBar != NULL ? &rect : NULL);
            m_pDockSite->RecalcLayout();
        }
    } else {
        // x = CW_USEDEFAULT: it never floated (any other point is a place,
        // on a monitor left of or above the primary one too)
        CPoint ptFloat = m_ptMRUFloatPos;
        if (ptFloat.x == CW_USEDEFAULT) {
            ptFloat = m_rectMRUDockPos.TopLeft();
            m_pBar->GetParent()->ClientToScreen(&ptFloat);
        }
        m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle);
        // a remembered place may be off every screen now
        if (m_pBar->IsFloating())
            AfxKeepOnWorkArea(m_pBar->GetDockingFrame()->m_hWnd);
    }
}
