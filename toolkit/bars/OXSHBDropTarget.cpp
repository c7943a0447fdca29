#include "OXSHBDropTarget.h"

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
    OXDRAGDROPMESSAGE rec = MakeRecord(pWnd, NULL, dwKeyState, point);
    if (Ask(pWnd, SHBDTM_DRAGSCROLL, rec) && rec.result != DROPEFFECT_SCROLL)
        return rec.result;
    return COleDropTarget::OnDragScroll(pWnd, dwKeyState, point);
}
