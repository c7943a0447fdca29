#include "OXSubclass.h"

#include <map>
#include <utility>

namespace
{
// Windows where a procedure is left passing through, and where to.
std::map<std::pair<HWND, WNDPROC>, WNDPROC>& PassingOn()
{
    static std::map<std::pair<HWND, WNDPROC>, WNDPROC> map;
    return map;
}
} // namespace

WNDPROC OXSubclass::Install(HWND hWnd, WNDPROC pfnProc)
{
    auto it = PassingOn().find({hWnd, pfnProc});
    if (it != PassingOn().end()) {
        WNDPROC pfnPrev = it->second;
        PassingOn().erase(it);
        return pfnPrev;
    }
    if (hWnd == NULL || !::IsWindow(hWnd))
        return NULL;
    return (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnProc);
}

void OXSubclass::Remove(HWND hWnd, WNDPROC pfnProc, WNDPROC pfnPrev)
{
    if (!::IsWindow(hWnd))
        return;
    if ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == pfnProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnPrev);
    else
        PassingOn()[{hWnd, pfnProc}] = pfnPrev;
}

LRESULT OXSubclass::PassThrough(WNDPROC pfnProc, WNDPROC pfnFallback, HWND hWnd, UINT message, WPARAM wParam,
                                LPARAM lParam)
{
    WNDPROC pfnNext = pfnFallback;
    auto it = PassingOn().find({hWnd, pfnProc});
    if (it != PassingOn().end()) {
        pfnNext = it->second;
        if (message == WM_NCDESTROY) {
            PassingOn().erase(it);
            if ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == pfnProc)
                ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnNext);
        }
    }
    if (pfnNext == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return ::CallWindowProcA(pfnNext, hWnd, message, wParam, lParam);
}
