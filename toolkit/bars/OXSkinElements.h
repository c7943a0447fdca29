// The element skins a skin holds whose drawing comes with the bars that use
// them: the tool bar, menu, dock bar, mini frame, status bar and frame
// elements. Each family's XP form derives from its base, its 2003 form from
// the XP form, and its Classic form from the base directly. Until a family's
// drawing is built a skin holds no element of it (NULL), and a control of
// that family draws through its own Classic element. The frame element's XP
// and 2003 forms are in OXFrameSkin.h.
#pragma once

#include <afxwin.h>

#include "OXToolbarSkin.h"

// The menu element has a header of its own (OXMenuSkin.h).
class COXMenuSkin;

// The dock bar element has a header of its own (OXDockbarSkin.h).
class COXDockbarSkin;

// The mini frame element has a header of its own (OXMiniFrameSkin.h).
class COXMiniFrameSkin;

// The status bar element has a header of its own (OXStatusbarSkin.h).
class COXStatusbarSkin;

class COXFrameSkin
{
public:
    virtual ~COXFrameSkin() {}
    virtual void DrawBorder(CWnd* pWnd) = 0;
    virtual void AdjustBorderRect(RECT& rect) = 0;
    // The fill of a framed window and the colour of its frame lines.
    virtual COLORREF GetBackgroundColor() = 0;
    virtual COLORREF GetBorderColor() = 0;
};

// The Classic frame leaves the border to the system and takes its colours
// from the 3D face and shadow.
class COXFrameSkinClassic : public COXFrameSkin
{
public:
    void DrawBorder(CWnd*) override {}
    void AdjustBorderRect(RECT&) override {}
    COLORREF GetBackgroundColor() override { return ::GetSysColor(COLOR_BTNFACE); }
    COLORREF GetBorderColor() override { return ::GetSysColor(COLOR_BTNSHADOW); }
};
