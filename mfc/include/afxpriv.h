// afxpriv.h - the framework's classes that programs reach for less often:
// dock bars, the dock context, mini dock frames, bar state.
// They live with the other bars in afxext.h.
#pragma once

#include "afxext.h"

// Sent by a closing document to each window between one of its views and the
// view's parent frame, nearest first: a window that shows the view away from
// its own frame (a docking bar) puts it back and answers nonzero.
// lParam = the view's HWND.
#define WM_RETURNVIEWHOME 0x036F

// Gives the MDI client its sunken edge, or takes it away, repainting what the
// edge uncovers; lpRect, when given, gets the client's new client rectangle.
// FALSE when the edge was already so.
BOOL AfxSetMDIClientEdge(HWND hWndClient, BOOL bEdge, LPRECT lpRect);
