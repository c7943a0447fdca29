// cdxCDynamicBar.cpp - cdxCDynamicBar.
#include "cdxCDynamicBar.h"

#include "cdxCDynamicBarDlg.h"

#include <string.h>

IMPLEMENT_DYNAMIC(cdxCDynamicBar, CSizingControlBar)

BEGIN_MESSAGE_MAP(cdxCDynamicBar, CSizingControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

cdxCDynamicBar::cdxCDynamicBar(cdxCDynamicBarDlg* pDlg)
    : m_pDlg(pDlg), m_nBorderLeft(0), m_nBorderTop(0), m_nBorderRight(0), m_nBorderBottom(0)
{
}

BOOL cdxCDynamicBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                            UINT nID, DWORD dwStyle)
{
    if (!CSizingControlBar::Create(lpszWindowName, pParentWnd, sizeDefault, bHasGripper, nID,
                                   dwStyle | WS_CLIPCHILDREN))
        return FALSE;
    if (m_pDlg == NULL || !m_pDlg->CreateInBar(this)) {
        DestroyWindow();
        return FALSE;
    }
    // The non-client borders, as the bar computes them for a window of any
    // size; a docked bar's gripper may lie on either side.
    NCCALCSIZE_PARAMS params;
    memset(&params, 0, sizeof(params));
    CRect rcProbe(0, 0, 1000, 1000);
    params.rgrc[0] = rcProbe;
    SendMessage(WM_NCCALCSIZE, FALSE, (LPARAM)&params);
    CRect rcInside(params.rgrc[0]);
    m_nBorderLeft = rcInside.left - rcProbe.left;
    m_nBorderTop = rcInside.top - rcProbe.top;
    m_nBorderRight = rcProbe.right - rcInside.right;
    m_nBorderBottom = rcProbe.bottom - rcInside.bottom;
    CSize szDlgMin = m_pDlg->GetMinSize();
    m_szMin = CSize(szDlgMin.cx + m_nBorderLeft + m_nBorderRight + m_cyGripper,
                    szDlgMin.cy + m_nBorderTop + m_nBorderBottom + m_cyGripper);
    m_pDlg->ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL cdxCDynamicBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pDlg != NULL && ::IsWindow(m_pDlg->m_hWnd) && m_pDlg->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CSizingControlBar::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void cdxCDynamicBar::OnSize(UINT nType, int cx, int cy)
{
    CSizingControlBar::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || m_pDlg == NULL || !::IsWindow(m_pDlg->m_hWnd))
        return;
    m_pDlg->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void cdxCDynamicBar::OnTrackUpdateSize(CPoint& point)
{
    if (m_pDlg != NULL && ::IsWindow(m_pDlg->m_hWnd))
        m_pDlg->StartAntiFlickerTimer(m_htEdge == HTRIGHT || m_htEdge == HTBOTTOM);
    CSizingControlBar::OnTrackUpdateSize(point);
}
