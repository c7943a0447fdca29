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
