// OLE drag and drop: COleDropSource (the dragging side's decisions),
// COleDataSource::DoDragDrop, and COleDropTarget (a window's receiving side,
// with scrolling along a view's edges while the cursor rests there).
#include "oleimpl.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

UINT COleDropSource::nDragMinDist = DD_DEFDRAGMINDIST;
UINT COleDropSource::nDragDelay = DD_DEFDRAGDELAY;
int COleDropTarget::nScrollInset = DD_DEFSCROLLINSET;
UINT COleDropTarget::nScrollDelay = DD_DEFSCROLLDELAY;
UINT COleDropTarget::nScrollInterval = DD_DEFSCROLLINTERVAL;

static const UINT NO_SCROLL = MAKEWORD(0xFF, 0xFF);

// ---------------------------------------------------------------------------
// COleDropSource
// ---------------------------------------------------------------------------

COleDropSource::COleDropSource()
    : m_bDragStarted(FALSE), m_dwButtonCancel(0), m_dwButtonDrop(MK_LBUTTON), m_rectStartDrag(0, 0, 0, 0)
{
    m_xDropSource.m_pOuter = this;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0) {
        m_bDragStarted = FALSE;
        return DRAGDROP_S_CANCEL;
    }
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return m_bDragStarted ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    return S_OK;
}

// Before the drag has really started the cursor is left as it is, so that a
// click that never moved far shows no drag cursor.
SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return m_bDragStarted ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
}

// The button held now drags; the other one cancels. A click (any button
// going up or down) or Escape ends the wait without a drag.
BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    m_bDragStarted = FALSE;
    m_dwButtonCancel = 0;
    m_dwButtonDrop = 0;
    if (::GetKeyState(VK_LBUTTON) < 0) {
        m_dwButtonDrop |= MK_LBUTTON;
        m_dwButtonCancel |= MK_RBUTTON;
    } else if (::GetKeyState(VK_RBUTTON) < 0) {
        m_dwButtonDrop |= MK_RBUTTON;
        m_dwButtonCancel |= MK_LBUTTON;
    }
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return FALSE;

    DWORD dwStart = ::GetTickCount();
    pWnd->SetCapture();
    while (!m_bDragStarted) {
        if (::GetCapture() != pWnd->m_hWnd)
            break;   // someone took the capture away: no drag
        MSG msg;
        if (::PeekMessage(&msg, NULL, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE | PM_NOYIELD) ||
            ::PeekMessage(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE | PM_NOYIELD)) {
            if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_LBUTTONDOWN ||
                msg.message == WM_RBUTTONDOWN)
                break;
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                break;
            m_bDragStarted = !m_rectStartDrag.PtInRect(msg.pt);
        } else {
            ::Sleep(1);
        }
        if (::GetTickCount() - dwStart > nDragDelay)
            m_bDragStarted = TRUE;
    }
    if (::GetCapture() == pWnd->m_hWnd)
        ::ReleaseCapture();
    return m_bDragStarted;
}

STDMETHODIMP COleDropSource::XDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    return ComBoundary([&]() -> HRESULT { return m_pOuter->QueryContinueDrag(fEscapePressed, grfKeyState); });
}

STDMETHODIMP COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect)
{
    return ComBoundary([&]() -> HRESULT { return m_pOuter->GiveFeedback(dwEffect); });
}

// ---------------------------------------------------------------------------
// COleDataSource::DoDragDrop
// ---------------------------------------------------------------------------

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource dropSource;
    if (pDropSource == NULL)
        pDropSource = &dropSource;

    pDropSource->m_bDragStarted = FALSE;
    if (lpRectStartDrag != NULL) {
        pDropSource->m_rectStartDrag = *lpRectStartDrag;
    } else {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        pDropSource->m_rectStartDrag.SetRect(ptCursor.x, ptCursor.y, ptCursor.x, ptCursor.y);
    }
    if (pDropSource->m_rectStartDrag.IsRectNull()) {
        // all zero: the caller has seen the mouse move already
        pDropSource->m_bDragStarted = TRUE;
        pDropSource->m_dwButtonDrop = ::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0 ? MK_RBUTTON
                                                                                                   : MK_LBUTTON;
        pDropSource->m_dwButtonCancel = pDropSource->m_dwButtonDrop == MK_LBUTTON ? MK_RBUTTON : MK_LBUTTON;
    } else {
        if (pDropSource->m_rectStartDrag.IsRectEmpty())
            pDropSource->m_rectStartDrag.InflateRect((int)COleDropSource::nDragMinDist,
                                                     (int)COleDropSource::nDragMinDist);
        // the wait needs a window to hold the capture: the one that has it
        // (the press), else the program's main window, else the active one
        CWnd* pWnd = CWnd::GetCapture();
        if (pWnd == NULL)
            pWnd = AfxGetMainWnd();
        if (pWnd == NULL)
            pWnd = CWnd::GetActiveWindow();
        if (!pDropSource->OnBeginDrag(pWnd))
            return DROPEFFECT_NONE;
    }

    DWORD dwResultEffect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(GetDataObject(), pDropSource->GetDropSource(), dwEffects, &dwResultEffect);
    return hr == DRAGDROP_S_DROP ? dwResultEffect : DROPEFFECT_NONE;
}

// ---------------------------------------------------------------------------
// COleDropTarget
// ---------------------------------------------------------------------------

COleDropTarget::COleDropTarget()
    : m_hWnd(NULL), m_lpDataObject(NULL), m_nTimerID(NO_SCROLL), m_dwLastTick(0), m_nScrollDelay(nScrollDelay)
{
    m_xDropTarget.m_pOuter = this;
}

COleDropTarget::~COleDropTarget()
{
    if (m_hWnd != NULL)
        Revoke();
    if (m_lpDataObject != NULL)
        m_lpDataObject->Release();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL || m_hWnd != NULL)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, &m_xDropTarget)))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    pWnd->m_pDropTarget = this;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == NULL)
        return;
    ::RevokeDragDrop(m_hWnd);
    CWnd* pWnd = CWnd::FromHandlePermanent(m_hWnd);
    if (pWnd != NULL && pWnd->m_pDropTarget == this)
        pWnd->m_pDropTarget = NULL;
    m_hWnd = NULL;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL ? pView->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL ? pView->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CView* pView = DYNAMIC_DOWNCAST(CView, pWnd))
        pView->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL && pView->OnDrop(pDataObject, dropEffect, point);
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                    DROPEFFECT dropList, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL ? pView->OnDropEx(pDataObject, dropDefault, dropList, point) : (DROPEFFECT)-1;
}

// Only views scroll. The band is nScrollInset pixels wide inside the client
// rectangle; the view scrolls a line towards the edge the cursor rests at,
// first after nScrollDelay ms, then every nScrollInterval ms, as long as it
// can. Going into the band counts as leaving the view (OnDragLeave); coming
// out of it, as entering again (OnDragEnter). While scrolling, Ctrl and Shift
// together ask for a link, Ctrl for a copy, Shift or Alt for a move.
DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    if (pView == NULL)
        return DROPEFFECT_NONE;
    DROPEFFECT dropEffect = pView->OnDragScroll(dwKeyState, point);
    if (dropEffect != DROPEFFECT_SCROLL)
        return dropEffect;

    CRect rectClient;
    pWnd->GetClientRect(&rectClient);
    CRect rectInner = rectClient;
    rectInner.InflateRect(-nScrollInset, -nScrollInset);
    UINT nTimerID = NO_SCROLL;
    CSplitterWnd* pSplitter = NULL;
    if (rectClient.PtInRect(point) && !rectInner.PtInRect(point)) {
        BYTE bHorz = 0xFF, bVert = 0xFF;
        if (point.x < rectInner.left)
            bHorz = SB_LINEUP;
        else if (point.x >= rectInner.right)
            bHorz = SB_LINEDOWN;
        if (point.y < rectInner.top)
            bVert = SB_LINEUP;
        else if (point.y >= rectInner.bottom)
            bVert = SB_LINEDOWN;
        nTimerID = MAKEWORD(bHorz, bVert);
        // a pane of a splitter scrolls through it, with the panes it shares bars with
        pSplitter = CView::GetParentSplitter(pView, FALSE);
        BOOL bCanScroll = pSplitter != NULL ? pSplitter->DoScroll(pView, nTimerID, FALSE)
                                            : pView->OnScroll(nTimerID, 0, FALSE);
        if (!bCanScroll)
            nTimerID = NO_SCROLL;   // already at that end
    }

    if (nTimerID == NO_SCROLL) {
        if (m_nTimerID != NO_SCROLL) {
            COleDataObject dataObject;
            dataObject.Attach(m_lpDataObject, FALSE);
            OnDragEnter(pWnd, &dataObject, dwKeyState, point);
            m_nTimerID = NO_SCROLL;
        }
        return DROPEFFECT_NONE;
    }

    DWORD dwTick = ::GetTickCount();
    if (nTimerID != m_nTimerID) {
        m_dwLastTick = dwTick;
        m_nScrollDelay = nScrollDelay;
    }
    if (dwTick - m_dwLastTick > m_nScrollDelay) {
        if (pSplitter != NULL)
            pSplitter->DoScroll(pView, nTimerID, TRUE);
        else
            pView->OnScroll(nTimerID, 0, TRUE);
        m_dwLastTick = dwTick;
        m_nScrollDelay = nScrollInterval;
    }
    if (m_nTimerID == NO_SCROLL)
        OnDragLeave(pWnd);
    m_nTimerID = nTimerID;

    if ((dwKeyState & (MK_CONTROL | MK_SHIFT)) == (MK_CONTROL | MK_SHIFT))
        return DROPEFFECT_SCROLL | DROPEFFECT_LINK;
    if (dwKeyState & MK_CONTROL)
        return DROPEFFECT_SCROLL | DROPEFFECT_COPY;
    if (dwKeyState & (MK_ALT | MK_SHIFT))
        return DROPEFFECT_SCROLL | DROPEFFECT_MOVE;
    return DROPEFFECT_SCROLL;
}

// What the target asked for, if the source allows it; else a copy becomes a
// move (or a link) and a move a copy (or a link) when the source allows
// only that. A link is never put in place of something else. The scroll bit
// goes along.
static DROPEFFECT FilterDropEffect(DROPEFFECT dropEffect, DROPEFFECT dwAllowed)
{
    if ((dropEffect & dwAllowed) != 0)
        return dropEffect;
    DROPEFFECT dwScroll = dropEffect & DROPEFFECT_SCROLL;
    switch (dropEffect & ~DROPEFFECT_SCROLL) {
    case DROPEFFECT_COPY:
        if (dwAllowed & DROPEFFECT_MOVE)
            return DROPEFFECT_MOVE | dwScroll;
        if (dwAllowed & DROPEFFECT_LINK)
            return DROPEFFECT_LINK | dwScroll;
        break;
    case DROPEFFECT_MOVE:
        if (dwAllowed & DROPEFFECT_COPY)
            return DROPEFFECT_COPY | dwScroll;
        if (dwAllowed & DROPEFFECT_LINK)
            return DROPEFFECT_LINK | dwScroll;
        break;
    }
    return DROPEFFECT_NONE;
}

// The point comes in screen coordinates; the handlers get it in the window's
// client coordinates. A point in the scroll band goes to OnDragScroll alone.
STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                    DWORD* pdwEffect)
{
    return ComBoundary([&]() -> HRESULT {
        COleDropTarget* pThis = m_pOuter;
        if (pdwEffect == NULL)
            return E_POINTER;
        CWnd* pWnd = CWnd::FromHandle(pThis->m_hWnd);
        if (pThis->m_lpDataObject != NULL)
            pThis->m_lpDataObject->Release();
        pThis->m_lpDataObject = pDataObj;
        if (pDataObj != NULL)
            pDataObj->AddRef();
        pThis->m_nTimerID = NO_SCROLL;
        COleDataObject dataObject;
        dataObject.Attach(pDataObj, FALSE);
        CPoint point((int)pt.x, (int)pt.y);
        pWnd->ScreenToClient(&point);
        DROPEFFECT dropEffect = pThis->OnDragScroll(pWnd, grfKeyState, point);
        if ((dropEffect & DROPEFFECT_SCROLL) == 0)
            dropEffect = pThis->OnDragEnter(pWnd, &dataObject, grfKeyState, point);
        *pdwEffect = FilterDropEffect(dropEffect, *pdwEffect);
        return S_OK;
    });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return ComBoundary([&]() -> HRESULT {
        COleDropTarget* pThis = m_pOuter;
        if (pdwEffect == NULL)
            return E_POINTER;
        CWnd* pWnd = CWnd::FromHandle(pThis->m_hWnd);
        COleDataObject dataObject;
        dataObject.Attach(pThis->m_lpDataObject, FALSE);
        CPoint point((int)pt.x, (int)pt.y);
        pWnd->ScreenToClient(&point);
        DROPEFFECT dropEffect = pThis->OnDragScroll(pWnd, grfKeyState, point);
        if ((dropEffect & DROPEFFECT_SCROLL) == 0)
            dropEffect = pThis->OnDragOver(pWnd, &dataObject, grfKeyState, point);
        *pdwEffect = FilterDropEffect(dropEffect, *pdwEffect);
        return S_OK;
    });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
    return ComBoundary([&]() -> HRESULT {
        COleDropTarget* pThis = m_pOuter;
        pThis->m_nTimerID = NO_SCROLL;
        pThis->OnDragLeave(CWnd::FromHandle(pThis->m_hWnd));
        if (pThis->m_lpDataObject != NULL) {
            pThis->m_lpDataObject->Release();
            pThis->m_lpDataObject = NULL;
        }
        return S_OK;
    });
}

// The drop is checked once more with OnDragOver, then carried out by OnDropEx
// or, when that does not handle it, by OnDrop. A drop nobody accepts is a
// leave, so the window can take its feedback away.
STDMETHODIMP COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                               DWORD* pdwEffect)
{
    return ComBoundary([&]() -> HRESULT {
        COleDropTarget* pThis = m_pOuter;
        if (pdwEffect == NULL)
            return E_POINTER;
        CWnd* pWnd = CWnd::FromHandle(pThis->m_hWnd);
        pThis->m_nTimerID = NO_SCROLL;
        COleDataObject dataObject;
        dataObject.Attach(pDataObj, FALSE);
        CPoint point((int)pt.x, (int)pt.y);
        pWnd->ScreenToClient(&point);
        DROPEFFECT dropEffect =
            FilterDropEffect(pThis->OnDragOver(pWnd, &dataObject, grfKeyState, point), *pdwEffect);
        DROPEFFECT dropEx = pThis->OnDropEx(pWnd, &dataObject, dropEffect, *pdwEffect, point);
        if (dropEx != (DROPEFFECT)-1) {
            dropEffect = dropEx;
        } else if (dropEffect != DROPEFFECT_NONE) {
            if (!pThis->OnDrop(pWnd, &dataObject, dropEffect, point))
                dropEffect = DROPEFFECT_NONE;
        } else {
            pThis->OnDragLeave(pWnd);
        }
        if (pThis->m_lpDataObject != NULL) {
            pThis->m_lpDataObject->Release();
            pThis->m_lpDataObject = NULL;
        }
        *pdwEffect = dropEffect;
        return S_OK;
    });
}
