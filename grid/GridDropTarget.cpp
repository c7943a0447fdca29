// GridDropTarget.cpp - the grid's OLE drop target.
#include "GridDropTarget.h"
#include "GridCtrl.h"

CGridDropTarget::CGridDropTarget() : m_pTargetGrid(NULL), m_bIsRegistered(FALSE) {}

CGridDropTarget::~CGridDropTarget() {}

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl)
{
    static BOOL bInProcedure = FALSE;   // one registration at a time, process-wide
    if (bInProcedure || m_bIsRegistered)
        return FALSE;
    bInProcedure = TRUE;

    if (pGridCtrl == NULL || !pGridCtrl->IsKindOf(RUNTIME_CLASS(CGridCtrl))) {
        bInProcedure = FALSE;
        return FALSE;
    }
    m_pTargetGrid = pGridCtrl;
    m_bIsRegistered = COleDropTarget::Register(pGridCtrl);

    bInProcedure = FALSE;
    return m_bIsRegistered;
}

void CGridDropTarget::Revoke()
{
    m_bIsRegistered = FALSE;
    COleDropTarget::Revoke();
}

DROPEFFECT CGridDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint /*point*/)
{
    if (m_pTargetGrid == NULL || pWnd->GetSafeHwnd() != m_pTargetGrid->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_pTargetGrid == NULL || pWnd->GetSafeHwnd() != m_pTargetGrid->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return m_pTargetGrid->OnDragEnter(pDataObject, dwKeyState, point);
}

void CGridDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (m_pTargetGrid != NULL && pWnd->GetSafeHwnd() == m_pTargetGrid->GetSafeHwnd())
        m_pTargetGrid->OnDragLeave();
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_pTargetGrid == NULL || pWnd->GetSafeHwnd() != m_pTargetGrid->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return m_pTargetGrid->OnDragOver(pDataObject, dwKeyState, point);
}

BOOL CGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (m_pTargetGrid == NULL || pWnd->GetSafeHwnd() != m_pTargetGrid->GetSafeHwnd())
        return FALSE;
    return m_pTargetGrid->OnDrop(pDataObject, dropEffect, point);
}
