// IsSameOrChildWindow - whether a window is another one or lies below it,
// following parents for child windows and owners for pop-ups (a pop-up's
// drop-down list or a dialog it opened counts as inside it).
#pragma once

#include <afxwin.h>

BOOL IsSameOrChildWindow(HWND hWnd, HWND hChild);
inline BOOL IsSameOrChildWindow(const CWnd* pWnd, const CWnd* pChild)
{
    return IsSameOrChildWindow(pWnd->GetSafeHwnd(), pChild->GetSafeHwnd());
}
