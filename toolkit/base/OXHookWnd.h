// COXHookWnd: sees another window's messages without deriving from its
// class. Any number of hooks sit on one window as a chain, the newest first;
// the window's procedure is replaced once, by one procedure shared by every
// hooked window. A derived class overrides WindowProc and passes messages on
// through the base. The base can also tell the window when the pointer comes
// over it and leaves it.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <afxcoll.h>

#define WM_HOOKWND_MOUSEENTER 0x808A
#define WM_HOOKWND_MOUSELEAVE 0x808B

class COXHookWnd : public CObject
{
    DECLARE_DYNAMIC(COXHookWnd)
public:
    COXHookWnd();
    virtual ~COXHookWnd();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void HookWindow(CWnd* pWnd);
    virtual void Unhook();
    virtual BOOL StartHoverTracking();
    virtual void StopHoverTracking();

    // The names other parts of the toolkit call.
    int UnhookWindow() { Unhook(); return 0; }
    BOOL StartHoverTimer() { return StartHoverTracking(); }
    void StopHoverTimer() { StopHoverTracking(); }

    LRESULT Default();
    void CheckMouseOver();
    BOOL IsHooked() const { return m_hWndTarget != NULL; }
    HWND GetHookedWnd() const { return m_hWndTarget; }

    HWND m_hWndTarget;
    WNDPROC m_pfnPrevWndProc;
    COXHookWnd* m_pNextHook;
    UINT_PTR m_nHoverTimer;
    BOOL m_bMouseOver;

protected:
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);
    void StopTimer();

    friend class COXHookWndMap;
};

// Every hooked window and the first hook of its chain.
class COXHookWndMap : public CMapPtrToPtr
{
public:
    static COXHookWndMap& GetHookMap();
    COXHookWnd* LookupHook(HWND hWnd) const;
    void SetHook(HWND hWnd, COXHookWnd* pHook);
    BOOL Add(HWND hWnd, COXHookWnd* pHook);
    void Remove(COXHookWnd* pHook);
    void RemoveAll(HWND hWnd);
    using CMapPtrToPtr::RemoveAll;

    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The handler of the first window of a window-to-handler map that still
// exists: an organizer copies its settings to each window it takes on later.
template <class T>
T* OXFirstLiveHandler(const CMap<HWND, HWND, T*, T*>& map)
{
    for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
        HWND hWnd;
        T* pHandler;
        map.GetNextAssoc(pos, hWnd, pHandler);
        if (::IsWindow(hWnd))
            return pHandler;
    }
    return NULL;
}

// An organizer's hooks on the thread it serves, a creation (CBT) hook and a
// message hook. The first of each installed is also kept class-wide, for the
// hook procedures to call on through; removing one clears the class-wide
// handle where it is that one.
void OXInstallThreadHooks(DWORD dwThreadID, HOOKPROC pfnCBT, HOOKPROC pfnGetMessage, HHOOK& hCBT,
                          HHOOK& hGetMessage, HHOOK& hClassCBT, HHOOK& hClassGetMessage);
void OXRemoveThreadHooks(HHOOK& hCBT, HHOOK& hGetMessage, HHOOK& hClassCBT, HHOOK& hClassGetMessage);

// The first top-level window of the thread, NULL when it has none: where an
// organizer starts taking on the thread's windows.
HWND OXFirstWindowOfThread(DWORD dwThreadID);
