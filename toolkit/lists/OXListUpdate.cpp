#include "OXListUpdate.h"

BOOL OXHoldListDrawing(CWnd* pList)
{
    if (!pList->IsWindowVisible())
        return FALSE;
    pList->SetRedraw(FALSE);
    pList->ModifyStyle(WS_VISIBLE, 0);
    return TRUE;
}

void OXReleaseListDrawing(CWnd* pList)
{
    pList->ModifyStyle(0, WS_VISIBLE);
    pList->SetRedraw(TRUE);
    pList->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}
