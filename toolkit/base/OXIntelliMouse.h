// Middle-button scrolling: pressing the chosen button (with the chosen keys
// held) over a scrollable window shows an origin mark there; the window then
// scrolls every 100 ms toward the pointer, faster the farther it is, until a
// click or a key. COXIntelliMouse does it for one window as a hook on it;
// COXIntelliMouseOrganizer attaches handlers window by window or to every
// window of one user-interface thread, which it follows through thread hooks.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "OXHookWnd.h"
#include "OXSplashWnd.h"

enum _tagSCROLLDIRECTION
{
    OX_SCROLL_NONE = 0,
    OX_SCROLL_LEFT = 1,
    OX_SCROLL_UP = 2,
    OX_SCROLL_UPLEFT = 3,
    OX_SCROLL_RIGHT = 4,
    OX_SCROLL_HORZ_NEUTRAL = 5,
    OX_SCROLL_UPRIGHT = 6,
    OX_SCROLL_DOWN = 8,
    OX_SCROLL_DOWNLEFT = 9,
    OX_SCROLL_VERT_NEUTRAL = 10,
    OX_SCROLL_DOWNRIGHT = 12,
    OX_SCROLL_NEUTRAL = 15
};

// Keys that must be down for the start event to count.
#define OX_IMKEY_CONTROL 1
#define OX_IMKEY_SHIFT 2
#define OX_IMKEY_ALT 4

class COXIntelliMouse : public COXHookWnd
{
    DECLARE_DYNAMIC(COXIntelliMouse)
public:
    COXIntelliMouse();
    virtual ~COXIntelliMouse();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL CheckScrollability();

    BOOL Attach(CWnd* pWnd, UINT nStartEvent = WM_MBUTTONDOWN, DWORD dwKeyState = 0);
    void Detach() { Unhook(); }
    // A scroll under way ends first: its timer and the mouse capture belong
    // to the window let go.
    void Unhook() override;
    UINT GetStartEvent() const { return m_nStartEvent; }
    DWORD GetKeyState() const { return m_dwKeyState; }
    void SetStartEvent(UINT nStartEvent, DWORD dwKeyState)
    {
        m_nStartEvent = nStartEvent;
        m_dwKeyState = dwKeyState;
    }
    BOOL IsScrolling() const { return m_bScrolling; }
    _tagSCROLLDIRECTION GetCurrentDirection() const { return m_nCurrentDir; }
    int GetHorzSpeed() const { return m_nHorzSpeed; }
    int GetVertSpeed() const { return m_nVertSpeed; }
    BOOL GetDirectionRect(_tagSCROLLDIRECTION nDir, CRect& rect) const;

    BOOL StartScrolling();
    void StopScrolling();

protected:
    void BuildDirectionAreas(int nKind);
    void UpdateDirection(CPoint ptScreen);
    LRESULT EndByClick(UINT message, LPARAM lParam);
    void ScrollTick();
    BOOL RequiredKeysDown() const;

    COXSplashWnd m_wndOrigin;
    UINT m_nStartEvent;
    DWORD m_dwKeyState;
    BOOL m_bScrolling;
    int m_nAvailableDirs;
    SCROLLINFO m_siHorz;
    SCROLLINFO m_siVert;
    UINT_PTR m_nTimerID;
    _tagSCROLLDIRECTION m_nCurrentDir;
    CMap<int, int, CRect, CRect&> m_mapDirRect;
    CMap<int, int, void*, void*> m_mapDirCursor;
    int m_nHorzSpeed;
    int m_nVertSpeed;
    POINT m_ptStart;
    CWnd m_wndScreen;
    CWnd* m_pLastForegroundWnd;
};

class COXIntelliMouseOrganizer
{
public:
    COXIntelliMouseOrganizer();
    virtual ~COXIntelliMouseOrganizer();

    // Whether a window of the thread may have a handler.
    virtual BOOL IsQualified(HWND hWnd, LPCTSTR lpszClassName);

    COXIntelliMouse* Attach(CWnd* pWnd, UINT nStartEvent = WM_MBUTTONDOWN, DWORD dwKeyState = 0);
    BOOL Detach(CWnd* pWnd = NULL);
    BOOL IsAttached(const CWnd* pWnd) const;
    COXIntelliMouse* GetAttachedIntelliMouse(const CWnd* pWnd) const;
    BOOL IsRejected(HWND hWnd) const;
    UINT GetAttachedStartEvent(const CWnd* pWnd) const;
    DWORD GetAttachedKeyState(const CWnd* pWnd) const;
    BOOL SetAttachedEventInfo(CWnd* pWnd, UINT nStartEvent, DWORD dwKeyState);
    BOOL AttachAllInThread(DWORD dwThreadID = ::GetCurrentThreadId(), UINT nStartEvent = WM_MBUTTONDOWN,
                           DWORD dwKeyState = 0);
    BOOL DetachAllInThread();
    COXIntelliMouse* GetFirstAttached() const;
    DWORD GetAttachedThread() const { return m_dwThreadID; }

protected:
    void AttachTree(HWND hWnd);
    void AttachFromHook(HWND hWnd);
    static LRESULT CALLBACK CBTHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GetMessageHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    UINT m_nDefaultStartEvent;
    DWORD m_dwDefaultKeyState;
    CMap<HWND, HWND, COXIntelliMouse*, COXIntelliMouse*> m_mapIntelliMouse;
    CArray<COXIntelliMouse*, COXIntelliMouse*> m_arrFreeIntelliMouse;
    CMap<HWND, HWND, void*, void*> m_mapRejected;
    DWORD m_dwThreadID;
    HHOOK m_hCBTHook;
    HHOOK m_hGetMessageHook;

    static CMap<DWORD, DWORD, COXIntelliMouseOrganizer*, COXIntelliMouseOrganizer*> m_mapThreadOrganizer;
    static HHOOK g_hCBTHook;
    static HHOOK g_hGetMessageHook;
};
