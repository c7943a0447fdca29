#include "EditsTestSupport.h"

#include "testsupport.h"

BOOL CNotifyHost::CreateHost(const CRect& rect)
{
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                    "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, rect, NULL, 0);
}

BOOL CNotifyHost::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHdr = (const NMHDR*)lParam;
    m_codes.push_back(pHdr->code);
    *pResult = m_notifyResult;
    return TRUE;
}

LRESULT CNotifyHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_recordMessage && message == m_recordMessage)
        m_messages.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
}

void PostClick(HWND hWnd, CPoint pt)
{
    LPARAM lp = MAKELPARAM(pt.x, pt.y);
    ::PostMessage(hWnd, WM_MOUSEMOVE, 0, lp);
    ::PostMessage(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    ::PostMessage(hWnd, WM_LBUTTONUP, 0, lp);
}

bool PumpUntilIdle(DWORD ms)
{
    return PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0; }, ms);
}
