#include "OXSameOrChildWindow.h"

BOOL IsSameOrChildWindow(HWND hWnd, HWND hChild)
{
    if (hWnd == NULL)
        return FALSE;
    for (HWND h = hChild; h != NULL;) {
        if (h == hWnd)
            return TRUE;
        h = (::GetWindowLong(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : ::GetWindow(h, GW_OWNER);
    }
    return FALSE;
}
