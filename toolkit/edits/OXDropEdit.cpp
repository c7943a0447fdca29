#include "OXDropEdit.h"

#include <algorithm>

void OXKeepPopupOnMonitor(CRect& rcPopup, const CRect& rcAnchor)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromRect(&rcPopup, MONITOR_DEFAULTTONEAREST);
    if (hMonitor == NULL || !::GetMonitorInfo(hMonitor, &mi))
        return;
    const CRect rcMonitor(mi.rcMonitor);
    if (rcPopup.left < rcMonitor.left)
        rcPopup.OffsetRect(rcMonitor.left - rcPopup.left, 0);
    if (rcPopup.right > rcMonitor.right)
        rcPopup.OffsetRect(std::max(rcMonitor.left - rcPopup.left, rcMonitor.right - rcPopup.right), 0);
    if (rcPopup.bottom > rcMonitor.bottom)
        rcPopup.OffsetRect(0, rcAnchor.top - rcPopup.bottom);
}

void OXShowPopup(CWnd* pPopup, CRect rcPopup, const CRect& rcAnchor)
{
    OXKeepPopupOnMonitor(rcPopup, rcAnchor);
    pPopup->SetWindowPos(&CWnd::wndTopMost, rcPopup.left, rcPopup.top, rcPopup.Width(), rcPopup.Height(),
                         SWP_NOACTIVATE);
    pPopup->ShowWindow(SW_SHOWNA);
    pPopup->SetCapture();
}

void OXHidePopup(CWnd* pPopup)
{
    if (::GetCapture() == pPopup->m_hWnd)
        ::ReleaseCapture();
    pPopup->ShowWindow(SW_HIDE);
}
