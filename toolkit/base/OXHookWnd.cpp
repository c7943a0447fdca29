#include "OXHookWnd.h"

#include "OXSubclass.h"

IMPLEMENT_DYNAMIC(COXHookWnd, CObject)

// ---------------------------------------------------------------------------
// COXHookWnd
// ---------------------------------------------------------------------------
COXHookWnd::COXHookWnd()
    : m_hWndTarget(NULL), m_pfnPrevWndProc(NULL), m_pNextHook(NULL), m_nHoverTimer(0), m_bMouseOver(FALSE)
{
}

COXHookWnd::~COXHookWnd()
{
    if (m_hWndTarget != NULL) {
        StopTimer();
        COXHookWndMap::GetHookMap().Remove(this);
        m_pfnPrevWndProc = NULL;
        m_hWndTarget = NULL;
    }
}

void COXHookWnd::HookWindow(CWnd* pWnd)
{
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : (HWND)NULL;
    // Hooking again without letting go first would link the hook into its
    // own chain (a loop) or cut the chain it was in.
    if (m_hWndTarget != NULL)
        Unhook();
    StopHoverTracking();
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    if (COXHookWndMap::GetHookMap().Add(hWnd, this))
        m_hWndTarget = hWnd;
}

void COXHookWnd::Unhook()
{
    if (m_hWndTarget == NULL)
        return;
    StopHoverTracking();
    COXHookWndMap::GetHookMap().Remove(this);
    m_pfnPrevWndProc = NULL;
    m_hWndTarget = NULL;
}

LRESULT COXHookWnd::PassOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pNextHook != NULL)
        return m_pNextHook->WindowProc(message, wParam, lParam);
    return ::CallWindowProcA(m_pfnPrevWndProc, m_hWndTarget, message, wParam, lParam);
}

LRESULT COXHookWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && m_nHoverTimer != 0 && wParam == m_nHoverTimer) {
        // The hover timer is the hook's own: the window never sees it.
        CheckMouseOver();
        return 0;
    }
    if (message == WM_MOUSEMOVE && !m_bMouseOver)
        CheckMouseOver();
    return PassOn(message, wParam, lParam);
}

LRESULT COXHookWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return COXHookWnd::WindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL COXHookWnd::StartHoverTracking()
{
    if (m_hWndTarget == NULL)
        return FALSE;
    if (m_nHoverTimer != 0)
        return TRUE;
    // The hook's address is its timer id: unique among the hooks, and far
    // from the small ids a window gives its own timers.
    m_nHoverTimer = ::SetTimer(m_hWndTarget, (UINT_PTR)this, 100, NULL);
    return m_nHoverTimer != 0;
}

void COXHookWnd::StopTimer()
{
    if (m_nHoverTimer != 0 && m_hWndTarget != NULL)
        ::KillTimer(m_hWndTarget, m_nHoverTimer);
    m_bMouseOver = FALSE;
    m_nHoverTimer = 0;
}

void COXHookWnd::StopHoverTracking()
{
    StopTimer();
}

void COXHookWnd::CheckMouseOver()
{
    if (m_hWndTarget == NULL)
        return;
    POINT pt;
    ::GetCursorPos(&pt);
    const BOOL bOver = ::WindowFromPoint(pt) == m_hWndTarget;
    if (bOver == m_bMouseOver)
        return;
    m_bMouseOver = bOver;
    ::PostMessageA(m_hWndTarget, bOver ? WM_HOOKWND_MOUSEENTER : WM_HOOKWND_MOUSELEAVE, 0, 0);
}

// ---------------------------------------------------------------------------
// COXHookWndMap
// ---------------------------------------------------------------------------
COXHookWndMap& COXHookWndMap::GetHookMap()
{
    static COXHookWndMap map;
    return map;
}

COXHookWnd* COXHookWndMap::LookupHook(HWND hWnd) const
{
    void* p = NULL;
    return Lookup(hWnd, p) ? (COXHookWnd*)p : NULL;
}

void COXHookWndMap::SetHook(HWND hWnd, COXHookWnd* pHook)
{
    SetAt(hWnd, pHook);
}

BOOL COXHookWndMap::Add(HWND hWnd, COXHookWnd* pHook)
{
    // A hook already in a chain would link that chain into this one.
    if (pHook == NULL || pHook->m_hWndTarget != NULL || pHook->m_pNextHook != NULL)
        return FALSE;
    COXHookWnd* pFirst = LookupHook(hWnd);
    if (pFirst != NULL) {
        pHook->m_pfnPrevWndProc = pFirst->m_pfnPrevWndProc;
    } else {
        WNDPROC pfnPrev = OXSubclass::Install(hWnd, HookWndProc);
        if (pfnPrev == NULL)
            return FALSE;
        pHook->m_pfnPrevWndProc = pfnPrev;
    }
    pHook->m_pNextHook = pFirst;
    SetHook(hWnd, pHook);
    return TRUE;
}

void COXHookWndMap::Remove(COXHookWnd* pHook)
{
    HWND hWnd = pHook->m_hWndTarget;
    COXHookWnd* pFirst = LookupHook(hWnd);
    if (pFirst == pHook) {
        if (pHook->m_pNextHook != NULL) {
            SetHook(hWnd, pHook->m_pNextHook);
        } else {
            RemoveKey(hWnd);
            OXSubclass::Remove(hWnd, HookWndProc, pHook->m_pfnPrevWndProc);
        }
    } else {
        for (COXHookWnd* p = pFirst; p != NULL; p = p->m_pNextHook) {
            if (p->m_pNextHook == pHook) {
                p->m_pNextHook = pHook->m_pNextHook;
                break;
            }
        }
    }
    pHook->m_pNextHook = NULL;
}

void COXHookWndMap::RemoveAll(HWND hWnd)
{
    while (COXHookWnd* pHook = LookupHook(hWnd))
        pHook->Unhook();
}

LRESULT CALLBACK COXHookWndMap::HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG saved = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = message;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    COXHookWndMap& map = GetHookMap();
    COXHookWnd* pFirst = map.LookupHook(hWnd);
    LRESULT lResult = 0;
    if (pFirst == NULL) {
        // Left passing through: no hook is on this window any more.
        lResult = OXSubclass::PassThrough(HookWndProc, NULL, hWnd, message, wParam, lParam);
    } else if (message == WM_NCDESTROY) {
        // No hook sees the end: all let go, and the window's own procedure
        // gets it.
        WNDPROC pfnPrev = pFirst->m_pfnPrevWndProc;
        map.RemoveAll(hWnd);
        lResult = OXSubclass::PassThrough(HookWndProc, pfnPrev, hWnd, message, wParam, lParam);
    } else {
        // An exception must not leave through the system's dispatch: the
        // message is refused instead.
        try {
            lResult = pFirst->WindowProc(message, wParam, lParam);
        } catch (CException* e) {
            e->Delete();
            lResult = 0;
        } catch (...) {
            lResult = 0;
        }
    }
    pState->m_lastSentMsg = saved;
    return lResult;
}

void OXInstallThreadHooks(DWORD dwThreadID, HOOKPROC pfnCBT, HOOKPROC pfnGetMessage, HHOOK& hCBT,
                          HHOOK& hGetMessage, HHOOK& hClassCBT, HHOOK& hClassGetMessage)
{
    hCBT = ::SetWindowsHookExA(WH_CBT, pfnCBT, NULL, dwThreadID);
    hGetMessage = ::SetWindowsHookExA(WH_GETMESSAGE, pfnGetMessage, NULL, dwThreadID);
    if (hClassCBT == NULL)
        hClassCBT = hCBT;
    if (hClassGetMessage == NULL)
        hClassGetMessage = hGetMessage;
}

static void RemoveThreadHook(HHOOK& hHook, HHOOK& hClassHook)
{
    if (hHook == NULL)
        return;
    ::UnhookWindowsHookEx(hHook);
    if (hClassHook == hHook)
        hClassHook = NULL;
    hHook = NULL;
}

void OXRemoveThreadHooks(HHOOK& hCBT, HHOOK& hGetMessage, HHOOK& hClassCBT, HHOOK& hClassGetMessage)
{
    RemoveThreadHook(hCBT, hClassCBT);
    RemoveThreadHook(hGetMessage, hClassGetMessage);
}

namespace {
struct CFirstOfThread {
    DWORD dwThreadID;
    HWND hWnd;
};
BOOL CALLBACK FindFirstOfThread(HWND hWnd, LPARAM lParam)
{
    CFirstOfThread& find = *(CFirstOfThread*)lParam;
    if (::GetWindowThreadProcessId(hWnd, NULL) != find.dwThreadID)
        return TRUE;
    find.hWnd = hWnd;
    return FALSE;
}
}  // namespace

HWND OXFirstWindowOfThread(DWORD dwThreadID)
{
    CFirstOfThread find = {dwThreadID, NULL};
    ::EnumWindows(FindFirstOfThread, (LPARAM)&find);
    return find.hWnd;
}
