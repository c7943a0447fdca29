// Putting a toolkit window procedure on a window the toolkit does not own,
// and taking it off again safely. Another procedure installed after ours
// holds ours as its former one: restoring ours then would cut that one off,
// and its own restore later would put ours back on a window we have left.
// So ours is taken off only while it is the window's current procedure;
// otherwise it stays in the chain, passing every message through, until the
// window is destroyed.
#pragma once

#include <windows.h>

namespace OXSubclass
{
// Puts pfnProc on the window and returns the former procedure (NULL on
// failure). A procedure still passing through on that window is taken back
// into use instead, so that the chain never holds it twice.
WNDPROC Install(HWND hWnd, WNDPROC pfnProc);

// Takes pfnProc off the window, or leaves it passing through to pfnPrev.
void Remove(HWND hWnd, WNDPROC pfnProc, WNDPROC pfnPrev);

// For a call of pfnProc on a window it no longer serves: on to where it was
// left passing (pfnFallback when it was never left: the window's former
// procedure as its caller knows it; DefWindowProc without one). At
// WM_NCDESTROY the window is forgotten.
LRESULT PassThrough(WNDPROC pfnProc, WNDPROC pfnFallback, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
}
