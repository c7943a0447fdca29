// Helpers of the splash, tip-of-the-day and about-box tests: steps run one by
// one from a timer inside a modal loop, so that a test can act on a dialog as
// a user would, after each earlier action has been handled.
#pragma once

#include <windows.h>
#include <functional>
#include <vector>

class CTimedSteps
{
public:
    // Runs each step on its own tick, nPeriodMs apart, starting one period
    // from now; the steps run in whatever message loop is pumping.
    void Start(std::vector<std::function<void()>> steps, UINT nPeriodMs = 40)
    {
        m_steps = std::move(steps);
        m_next = 0;
        s_pCurrent = this;
        m_timer = ::SetTimer(NULL, 0, nPeriodMs, &CTimedSteps::OnTick);
    }
    ~CTimedSteps() { Stop(); }
    void Stop()
    {
        if (m_timer != 0)
            ::KillTimer(NULL, m_timer);
        m_timer = 0;
        if (s_pCurrent == this)
            s_pCurrent = nullptr;
    }
    bool Done() const { return m_next >= m_steps.size(); }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
    {
        CTimedSteps* p = s_pCurrent;
        if (p == nullptr || p->Done())
            return;
        size_t n = p->m_next++;
        if (p->Done())
            p->Stop();
        p->m_steps[n]();
    }
    static inline CTimedSteps* s_pCurrent = nullptr;
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
};
