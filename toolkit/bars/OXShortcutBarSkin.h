// The shortcut bar's element skin: the colours and fills of the bar's own
// surface and of its group lists. A skinned application hands out its own
// element through its current skin; every other application gets the Classic
// element, which a bar creates and owns for itself.
#pragma once

#include <afxwin.h>

class COXSHBListCtrl;   // the group list; only ever passed through here
class COXSkinXP;
class COXSkin2003;

class COXShortcutBarSkin
{
public:
    virtual ~COXShortcutBarSkin() {}

    // Fill colour of the bar or list window given.
    virtual COLORREF GetBackgroundColor(CWnd* pWnd) = 0;
    // Colour of the items' texts in a group.
    virtual COLORREF GetTextColor() = 0;
    // Frames a list item's image: raised when hot, sunken when pressed,
    // nothing otherwise. Returns the dark colour of the frame.
    virtual COLORREF DrawItemFrame(CDC* pDC, const RECT& rect, BOOL bHot, BOOL bPressed,
                                   COXSHBListCtrl* pList) = 0;
    // Fills rect with clr when bUseColor is set, else with the skin's own
    // background; a group list's rectangle is taken from its origin.
    virtual void FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bUseColor,
                                COLORREF clr) = 0;
    // Hooks a skin may use to follow the windows it paints.
    virtual void OnAttach(CWnd* /*pWnd*/) {}
    virtual void OnDetach(CWnd* /*pWnd*/) {}
};

class COXShortcutBarSkinClassic : public COXShortcutBarSkin
{
public:
    COLORREF GetBackgroundColor(CWnd* pWnd) override;
    COLORREF GetTextColor() override;
    COLORREF DrawItemFrame(CDC* pDC, const RECT& rect, BOOL bHot, BOOL bPressed,
                           COXSHBListCtrl* pList) override;
    void FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bUseColor, COLORREF clr) override;

    // The two frame colours made from a background: each channel + 64 (at
    // most 255) and - 128 (at least 0). A group list on its own frames its
    // items in these.
    static COLORREF LightFrameColor(COLORREF clrBack);
    static COLORREF DarkFrameColor(COLORREF clrBack);
    // The frame colours of an item in a bar: red and green as above, blue
    // taking the red channel's value.
    static COLORREF BarLightFrameColor(COLORREF clrBack);
    static COLORREF BarDarkFrameColor(COLORREF clrBack);
};

// The flat form: the bar in the tool bars' background, hot and pressed items
// boxed in the scheme's item colours.
class COXShortcutBarSkinXP : public COXShortcutBarSkin
{
public:
    explicit COXShortcutBarSkinXP(COXSkinXP* pSkin) : m_pSkin(pSkin) {}

    COLORREF GetBackgroundColor(CWnd* pWnd) override;
    COLORREF GetTextColor() override;
    COLORREF DrawItemFrame(CDC* pDC, const RECT& rect, BOOL bHot, BOOL bPressed,
                           COXSHBListCtrl* pList) override;
    void FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bUseColor, COLORREF clr) override;

    // The fill of an item box (hot, pressed, both); CLR_NONE for neither.
    COLORREF ItemFrameFill(BOOL bHot, BOOL bPressed) const;

protected:
    COXSkinXP* m_pSkin;
};

// The gradient form: one four-corner gradient spread over the bar and all
// its group lists.
class COXShortcutBarSkin2003 : public COXShortcutBarSkinXP
{
public:
    explicit COXShortcutBarSkin2003(COXSkin2003* pSkin);

    void FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bUseColor, COLORREF clr) override;
};

// The element skin of the application's current skin, or NULL when the
// application is not skinned (then a window uses a Classic element of its own).
COXShortcutBarSkin* AFXAPI OXGetAppShortcutBarSkin();
