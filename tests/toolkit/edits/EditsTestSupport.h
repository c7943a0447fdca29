// What the toolkit edits' tests share: a host window that records and answers
// notifications, and a driver that runs steps from a timer while a control's
// own modal loop (a pop-up's pick) is running.
#pragma once

#include <afxwin.h>
#include <functional>
#include <vector>

// A top-level window whose WM_NOTIFY codes are recorded and answered with a
// chosen value.
class CNotifyHost : public CWnd
{
public:
    BOOL CreateHost(const CRect& rect = CRect(100, 100, 500, 400));
    std::vector<UINT> m_codes;
    std::vector<UINT> m_messages;       // other messages recorded by RecordMessage
    LRESULT m_notifyResult = 0;
    UINT m_recordMessage = 0;           // a message to count (e.g. WM_OXPB_FLOATPICKED)

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}
};

// Runs queued steps one per timer tick (thread timer, so that any message loop
// of the thread runs them, a pop-up's included). A step returning false is
// tried again at the next tick (waiting for a window to appear).
class CStepDriver
{
public:
    explicit CStepDriver(UINT intervalMs = 20);
    ~CStepDriver();
    void Then(std::function<void()> step);
    void WaitFor(std::function<bool()> condition);
    bool Done() const { return m_next >= m_steps.size(); }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<std::function<bool()>> m_steps;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
    static CStepDriver* s_current;
};

// Dispatches this thread's messages until none but timer ticks are waiting
// (what a window posted to itself while being made or shown has run); false
// when messages still kept coming after ms.
bool PumpUntilIdle(DWORD ms = 2000);

// Posts a click (move, button down, button up) at a client point of a window.
void PostClick(HWND hWnd, CPoint pt);
