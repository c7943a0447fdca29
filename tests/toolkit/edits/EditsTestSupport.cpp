#include "EditsTestSupport.h"

#include "testsupport.h"

CStepDriver* CStepDriver::s_current = nullptr;

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

CStepDriver::CStepDriver(UINT intervalMs)
{
    s_current = this;
    m_timer = ::SetTimer(NULL, 0, intervalMs, OnTick);
}

CStepDriver::~CStepDriver()
{
    ::KillTimer(NULL, m_timer);
    s_current = nullptr;
}

void CStepDriver::Then(std::function<void()> step)
{
    m_steps.push_back([step] {
        step();
        return true;
    });
}

void CStepDriver::WaitFor(std::function<bool()> condition)
{
    m_steps.push_back(condition);
}

void CALLBACK CStepDriver::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    CStepDriver* self = s_current;
    if (!self || self->Done())
        return;
    if (self->m_steps[self->m_next]())
        ++self->m_next;
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
