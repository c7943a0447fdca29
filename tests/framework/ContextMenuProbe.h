// Opens a window's context menu with a real WM_CONTEXTMENU and reads the state
// of its items while it is open: once the menu is up, the states of the menu
// the recorder saw initialised are kept by item id and the menu is closed.
#pragma once

#include <afxwin.h>
#include <map>
#include "testsupport.h"

// The states of the last menu opened, by item id.
inline std::map<UINT, UINT>& ContextMenuItemStates()
{
    static std::map<UINT, UINT> states;
    return states;
}

// Right-clicks the window at (dx, dy) from its top left corner, rec watching
// it for WM_INITMENUPOPUP (cleared first); false when no menu was tracked.
inline bool OpenContextMenu(CWnd* pWnd, CMessageRecorder& rec, int dx, int dy)
{
    std::map<UINT, UINT>& states = ContextMenuItemStates();
    states.clear();
    rec.Clear();
    bool bSeen = false;
    CMenuWatch watch([&](HWND) {
        for (const RecordedMessage& m : rec.Records()) {
            if (m.msg != WM_INITMENUPOPUP)
                continue;
            HMENU hMenu = (HMENU)m.wParam;
            bSeen = true;
            for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
                states[GetMenuItemID(hMenu, i)] = GetMenuState(hMenu, i, MF_BYPOSITION);
        }
        EndMenu();
    });
    CRect rc;
    pWnd->GetWindowRect(rc);
    pWnd->SendMessage(WM_CONTEXTMENU, (WPARAM)pWnd->m_hWnd, MAKELPARAM(rc.left + dx, rc.top + dy));
    return bSeen;
}
