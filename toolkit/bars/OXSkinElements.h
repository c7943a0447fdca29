// The element skins a skin holds whose drawing comes with the bars that use
// them: the tool bar, menu, dock bar, mini frame, status bar and frame
// elements. Each family's XP form derives from its base, its 2003 form from
// the XP form, and its Classic form from the base directly. Until a family's
// drawing is built a skin holds no element of it (NULL), and a control of
// that family draws through its own Classic element.
#pragma once

#include <afxwin.h>

// The tool bar element also draws the combo boxes a bar hosts; so far only
// that part exists.
class COXToolbarSkin
{
public:
    virtual ~COXToolbarSkin() {}

    // The combo box's WM_PAINT: its own painting, then the skin's look.
    virtual void OnPaintComboBox(CWnd* pCombo) = 0;
    // The skin's look of a combo box over what the box painted itself.
    virtual void DrawComboBox(CWnd* pCombo) = 0;
};

// The stock look: the combo box paints itself and nothing is added.
class COXToolbarSkinClassic : public COXToolbarSkin
{
public:
    void OnPaintComboBox(CWnd* pCombo) override { pCombo->Default(); }
    void DrawComboBox(CWnd*) override {}
};

// The menu element has a header of its own (OXMenuSkin.h).
class COXMenuSkin;

// The dock bar element has a header of its own (OXDockbarSkin.h).
class COXDockbarSkin;

class COXMiniFrameSkin
{
public:
    virtual ~COXMiniFrameSkin() {}
};

class COXStatusbarSkin
{
public:
    virtual ~COXStatusbarSkin() {}
};

class COXFrameSkin
{
public:
    virtual ~COXFrameSkin() {}
};
