// Opens a window's context menu with a real WM_CONTEXTMENU and reads the state
// of its items while it is open: a timer looks for the WM_INITMENUPOPUP the
// recorder saw, keeps GetMenuState of each item by its id and closes the menu.
#pragma once

#include <afxwin.h>
#include <map>
#include "testsupport.h"

namespace contextmenuprobe {

inline std::map<UINT, UINT> g_itemStates;
inline bool g_menuSeen = false;
inline CMessageRecorder* g_recorder = nullptr;

inline void CALLBACK ReadMenuAndClose(HWND, UINT, UINT_PTR id, DWORD)
{
    for (const RecordedMessage& m : g_recorder->Records()) {
        if (m.msg != WM_INITMENUPOPUP) continue;
        HMENU hMenu = (HMENU)m.wParam;
        g_menuSeen = true;
        for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
            g_itemStates[GetMenuItemID(hMenu, i)] = GetMenuState(hMenu, i, MF_BYPOSITION);
    }
    KillTimer(nullptr, id);
    EndMenu();
}

}  // namespace contextmenuprobe

// The states of the last menu opened, by item id.
inline std::map<UINT, UINT>& ContextMenuItemStates()
{
    return contextmenuprobe::g_itemStates;
}

// Right-clicks the window at (dx, dy) from its top left corner, rec watching
// it for WM_INITMENUPOPUP (cleared first); false when no menu was tracked.
inline bool OpenContextMenu(CWnd* pWnd, CMessageRecorder& rec, int dx, int dy)
{
    using namespace contextmenuprobe;
    g_itemStates.clear();
    g_menuSeen = false;
    g_recorder = &rec;
    rec.Clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 150, &ReadMenuAndClose);
    CRect rc;
    pWnd->GetWindowRect(rc);
    pWnd->SendMessage(WM_CONTEXTMENU, (WPARAM)pWnd->m_hWnd, MAKELPARAM(rc.left + dx, rc.top + dy));
    KillTimer(nullptr, timer);
    g_recorder = nullptr;
    return g_menuSeen;
}
