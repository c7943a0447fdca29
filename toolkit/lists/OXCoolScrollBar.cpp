#include "OXCoolScrollBar.h"

BEGIN_MESSAGE_MAP(COXCoolScrollBar, COXCoolCtrl<CScrollBar>)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void COXCoolScrollBar::OnPaint()
{
    Default();
    if (!IsCoolState() || m_bHot)
        return;
    CClientDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    DrawFlatScrollBar(&dc, rect.left, rect.top, rect.right, rect.bottom, !(GetStyle() & SBS_VERT));
}

void COXCoolScrollBar::SetHotState(BOOL bHot)
{
    COXCoolCtrl<CScrollBar>::SetHotState(bHot);
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

LRESULT COXCoolScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCPAINT)
        return CWnd::WindowProc(message, wParam, lParam);
    return COXCoolCtrl<CScrollBar>::WindowProc(message, wParam, lParam);
}
