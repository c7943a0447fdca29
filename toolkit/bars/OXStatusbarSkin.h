// The status bar element skin: paints a status bar (COXStatusBar) in the
// look of its skin: background, the key indicators' texts, pane borders or
// separators, and the size grip. Classic leaves the drawing to the control;
// XP paints flat, 2003 with gradients.
//
// The geometry and colours are worked out without a window (PaneRects,
// GripSquare, GripDots, PaneFrameColor and the 2003 status colours) so that
// tests can check them by tables; Draw... take any DC, a memory one included.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <vector>

#include "OXSkinElements.h"

class COXSkinXP;
class COXSkin2003;

class COXStatusbarSkin
{
public:
    virtual ~COXStatusbarSkin() {}

    // The bar's WM_PAINT.
    virtual void OnPaint(CStatusBar* pBar) = 0;
    virtual void DrawBackground(CDC* pDC, CStatusBar* pBar) = 0;
    virtual void DrawPaneBorders(CDC* pDC, CStatusBar* pBar) = 0;
    virtual void DrawSizeGrip(CDC* pDC, CWnd* pBar) = 0;

    // The panes' rectangles in the bar: the last one reaches its left + its
    // width + 6, whatever the control says.
    static std::vector<CRect> PaneRects(CStatusBar* pBar);
    // Whether the grip is to be drawn: the bar's parent frame can be sized
    // and is not maximized.
    static BOOL WantsSizeGrip(CWnd* pBar);

protected:
    // The bar's extras (bitmaps; progress controls are windows of their own)
    // over what was painted, for every pane that is not disabled.
    static void DrawPaneExtras(CDC* pDC, CStatusBar* pBar);
};

// The stock look: the control paints itself, then the pane extras go over it.
// The control shows a key indicator's text whatever the state of its key, so
// an indicator whose key is off is painted again, greyed, as the other skins
// show it.
class COXStatusbarSkinClassic : public COXStatusbarSkin
{
public:
    void OnPaint(CStatusBar* pBar) override;
    void DrawBackground(CDC* pDC, CStatusBar* pBar) override;
    void DrawPaneBorders(CDC*, CStatusBar*) override {}
    void DrawSizeGrip(CDC*, CWnd*) override {}
};

class COXStatusbarSkinXP : public COXStatusbarSkin
{
public:
    explicit COXStatusbarSkinXP(COXSkinXP* pSkin) : m_pSkin(pSkin) {}

    void OnPaint(CStatusBar* pBar) override;
    void DrawBackground(CDC* pDC, CStatusBar* pBar) override;
    void DrawPaneBorders(CDC* pDC, CStatusBar* pBar) override;
    void DrawSizeGrip(CDC* pDC, CWnd* pBar) override;

    // The frame around each pane: COLOR_BTNFACE lightened.
    COLORREF PaneFrameColor() const;
    // The grip's square at the bottom right of rectClient: its side is the
    // client height made even.
    static CRect GripSquare(const CRect& rectClient);

    COXSkinXP* m_pSkin;

protected:
    // The key indicators in the skin's colours, every other pane by the
    // bar's own DrawItem.
    void DrawPaneTexts(CDC* pDC, CStatusBar* pBar);
};

class COXStatusbarSkin2003 : public COXStatusbarSkinXP
{
public:
    explicit COXStatusbarSkin2003(COXSkin2003* pSkin);

    void DrawBackground(CDC* pDC, CStatusBar* pBar) override;
    void DrawPaneBorders(CDC* pDC, CStatusBar* pBar) override;
    void DrawSizeGrip(CDC* pDC, CWnd* pBar) override;

    // The status bands' colours: the top rows fade from the first to the
    // second, the bottom rows from the second to the third.
    COLORREF GetStatusTopColor() const;
    COLORREF GetStatusBackgroundColor() const;
    COLORREF GetStatusBottomColor() const;
    // The grip's left edge for a client rectangle; the six dots' top-left
    // corners (the light ones; the dark ones are one pixel up and left).
    static int GripLeft(const CRect& rectClient);
    static std::vector<CPoint> GripDots(const CRect& rectClient);

protected:
    // The three bands over rect (rows measured from rectBar's top and bottom).
    void FillBands(CDC* pDC, const CRect& rect, const CRect& rectBar) const;
    COXSkin2003* Skin2003() const;
};
