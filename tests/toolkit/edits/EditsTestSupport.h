// What the toolkit edits' tests share: a host window that records and answers
// notifications (the steps run inside a pop-up's own loop come from the shared
// CStepDriver).
#pragma once

#include <afxwin.h>
#include <functional>
#include <vector>
#include "testsupport.h"

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

// Dispatches this thread's messages until none but timer ticks are waiting
// (what a window posted to itself while being made or shown has run); false
// when messages still kept coming after ms.
bool PumpUntilIdle(DWORD ms = kWaitMs);

// Posts a click (move, button down, button up) at a client point of a window.
void PostClick(HWND hWnd, CPoint pt);
