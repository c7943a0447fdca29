// What the owner's message loop hands the tooltip, for tests: a mouse move
// with the cursor put at the point, or another message at the cursor.
#pragma once

#include <afxwin.h>
#include "PPToolTip.h"

inline void RelayMouseMove(CPPToolTip& tip, HWND hwndTarget, POINT ptScreen)
{
  ::SetCursorPos(ptScreen.x, ptScreen.y);
  MSG msg = {};
  msg.hwnd = hwndTarget;
  msg.message = WM_MOUSEMOVE;
  msg.pt = ptScreen;
  msg.time = ::GetTickCount();
  tip.RelayEvent(&msg);
}

inline void RelayAtCursor(CPPToolTip& tip, HWND hwndTarget, UINT message)
{
  MSG msg = {};
  msg.hwnd = hwndTarget;
  msg.message = message;
  ::GetCursorPos(&msg.pt);
  tip.RelayEvent(&msg);
}

inline bool TipVisible(const CPPToolTip& tip) { return ::IsWindowVisible(tip.m_hWnd) != FALSE; }

// The tip's show and hide timers: while neither runs, nothing will change
// what the tip shows until the next message, so a test can say "it stays
// hidden" (or shown) without waiting a fixed time. Asking stops the timer:
// ask only where none should run.
const UINT_PTR kTipShowTimer = 256;
const UINT_PTR kTipHideTimer = 257;
inline bool TipTimerRunning(const CPPToolTip& tip, UINT_PTR nTimer) { return ::KillTimer(tip.m_hWnd, nTimer) != FALSE; }
