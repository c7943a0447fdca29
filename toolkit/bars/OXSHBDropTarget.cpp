#include "OXSHBDropTarget.h"

#include <afxwin.h>

IMPLEMENT_DYNAMIC(COXSHBDropTarget, COleDropTarget)

namespace {

OXDRAGDROPMESSAGE MakeRecord(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    OXDRAGDROPMESSAGE rec = {};
    rec.pWnd = pWnd;
    rec.pDataObject = pDataObject;
    rec.dwKeyState = dwKeyState;
    rec.x = point.x;
    rec.y = point.y;
    return rec;
}

LRESULT Ask(CWnd* pWnd, UINT nMsg, OXDRAGDROPMESSAGE& rec)
{
    return pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd())
               ? ::SendMessage(pWnd->GetSafeHwnd(), nMsg, 0, (LPARAM)&rec)
               : 0;
}

}  // namespace

DROPEFFECT COXSHBDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                         CPoint point)
{
    OXDRAGDROPMESSAGE rec = MakeRecord(pWnd, pDataObject, dwKeyState, point);
    return Ask(pWnd, SHBDTM_DRAGENTER, rec) ? rec.result : DROPEFFECT_NONE;
}

DROPEFFECT COXSHBDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                        CPoint point)
{
    OXDRAGDROPMESSAGE rec = MakeRecord(pWnd, pDataObject, dwKeyState, point);
    return Ask(pWnd, SHBDTM_DRAGOVER, rec) ? rec.result : DROPEFFECT_NONE;
}

void COXSHBDropTarget::OnDragLeave(CWnd* pWnd)
{
    OXDRAGDROPMESSAGE rec = MakeRecord(pWnd, NULL, 0, CPoint(0, 0));
    if (!Ask(pWnd, SHBDTM_DRAGLEAVE, rec))
        COleDropTarget::OnDragLeave(pWnd);
}

BOOL COXSHBDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    OXDRAGDROPMESSAGE rec = MakeRecord(pWnd, pDataObject, 0, point);
    rec.dropEffect = dropEffect;
    return Ask(pWnd, SHBDTM_DROP, rec) ? (BOOL)rec.result : FALSE;
}

DROPEFFECT COXSHBDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                      DROPEFFECT dropList, CPoint point)
{
    // A result left at -1 means the window did not decide.
    OXDRAGDROPMESSAGE rec = MakeRecord(pWnd, pDataObject, 0, point);
    rec.dropEffect = dropDefault;
    rec.dropList = dropList;
    rec.result = (DWORD)-1;
    if (Ask(pWnd, SHBDTM_DROPEX, rec) && rec.result != (DWORD)-1)
        return rec.result;
    return COleDropTarget::OnDropEx(pWnd, pDataObject, dropDefault, dropList, point);
}

DROPEFFECT COXSHBDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    // The window's answer stands as it is, even unanswered (0): only a
    // window that asks for scrolling gets it.
    OXDRAGDROPMESSAGE rec = MakeRecord(pWnd, NULL, dwKeyState, point);
    Ask(pWnd, SHBDTM_DRAGSCROLL, rec);
    if (rec.result != DROPEFFECT_SCROLL)
        return rec.result;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return COleDropTarget::OnDragScroll(pWnd, dwKeyState, point);
    return AutoScroll(pWnd, dwKeyState, point);
}

BOOL COXSHBDropTarget::HasVerticalRange(CWnd* pWnd)
{
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(pWnd->GetSafeHwnd(), SB_VERT, &si))
        return FALSE;
    if (pWnd->GetStyle() & WS_VSCROLL)
        return si.nMax != 0 && si.nPage != 0 && si.nPage <= (UINT)si.nMax;
    return si.nMax > 0 && si.nPage <= (UINT)si.nMax;
}

DROPEFFECT COXSHBDropTarget::AutoScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    CRect rectClient;
    pWnd->GetClientRect(&rectClient);
    CRect rectInner = rectClient;
    rectInner.DeflateRect(0, nScrollInset);
    UINT nCode = NO_SCROLL;
    if (rectClient.PtInRect(point) && !rectInner.PtInRect(point) && HasVerticalRange(pWnd))
        nCode = point.y < rectInner.top ? SB_LINEUP : SB_LINEDOWN;

    if (nCode == NO_SCROLL) {
        // Out of the band after scrolling: the drag is over the window again.
        if (m_nTimerID != NO_SCROLL) {
            m_nTimerID = NO_SCROLL;
            COleDataObject dataObject;
            dataObject.Attach(m_lpDataObject, FALSE);
            OnDragEnter(pWnd, &dataObject, dwKeyState, point);
        }
        return DROPEFFECT_NONE;
    }

    const DWORD dwTick = ::GetTickCount();
    if (nCode != m_nTimerID) {
        m_dwLastTick = dwTick;
        m_nScrollDelay = nScrollDelay;
    }
    if (dwTick - m_dwLastTick >= m_nScrollDelay) {
        pWnd->SendMessage(WM_VSCROLL, MAKEWPARAM(nCode, 0), 0);
        m_dwLastTick = dwTick;
        m_nScrollDelay = nScrollInterval;
    }
    if (m_nTimerID == NO_SCROLL)
        OnDragLeave(pWnd);
    m_nTimerID = nCode;

    if ((dwKeyState & (MK_CONTROL | MK_SHIFT)) == (MK_CONTROL | MK_SHIFT))
        return DROPEFFECT_SCROLL | DROPEFFECT_LINK;
    if (dwKeyState & MK_CONTROL)
        return DROPEFFECT_SCROLL | DROPEFFECT_COPY;
    if (dwKeyState & (MK_SHIFT | MK_ALT))
        return DROPEFFECT_SCROLL | DROPEFFECT_MOVE;
    return DROPEFFECT_SCROLL;
}
