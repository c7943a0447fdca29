// The application object of a program that wants skins: it owns the
// Classic, Office XP and Office 2003 skins and names the current one. Every
// skinned control asks it for its element skin at each paint (nothing is
// cached), so a switch shows everywhere at the next paint; in a program whose
// application object is of another class each control keeps a Classic element
// skin of its own.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

#include "OXSkins.h"

class COXSkinnedApp : public CWinApp
{
    DECLARE_DYNAMIC(COXSkinnedApp)
public:
    // Registers the three skins, "Office XP" current.
    COXSkinnedApp();
    ~COXSkinnedApp() override;

    // Takes pSkin over under its name. A skin already registered under that
    // name is deleted, and when it was current the new one becomes current.
    void AddSkin(COXSkin* pSkin);
    COXSkin* GetSkin(LPCTSTR lpszName) const;
    // Makes the named skin current and repaints the main window and its
    // floating bars; an unknown name leaves no skin current (FALSE), and the
    // windows are repainted in their own Classic look when a skin was
    // current before.
    BOOL SetCurrentSkin(LPCTSTR lpszName);
    BOOL SetCurrentSkin(COXSkin* pSkin);
    COXSkin* GetCurrentSkin() const { return m_pCurrentSkin; }

    // Lays out a window and all its children, depth first, and repaints
    // them, frames included.
    static void RefreshWindow(HWND hWnd);

protected:
    // Repaints the main window of the thread after a switch, its floating
    // frames first.
    void RefreshAfterSwitch();
    static void RefreshLayout(HWND hWnd);
    // Whether a skin may change the window's non-client area: a frame, a
    // bar, or a window with borders.
    static BOOL HasSkinnedFrame(HWND hWnd);

    CMapStringToPtr m_mapSkins;
    COXSkin* m_pCurrentSkin;
};

// The current skin of the application object when it is a COXSkinnedApp,
// else NULL: where a control's element-skin lookup starts.
COXSkin* AFXAPI OXGetCurrentSkin();
