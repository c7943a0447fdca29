// A small window laid over the bar button a menu drops from, while the menu
// is tracked: the menu skin draws the button's frame, open toward the menu,
// and its shadow, so that button and menu read as one shape.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include <vector>

// Where the menu lies from the button.
enum
{
    OXSIW_BELOW = 1,
    OXSIW_RIGHT = 2,
    OXSIW_LEFT = 4,
    OXSIW_ABOVE = 8,
};

class COXShadowedItemWnd : public CWnd
{
    DECLARE_DYNAMIC(COXShadowedItemWnd)
public:
    COXShadowedItemWnd(CWnd* pBar, int nItem, int nSide) : m_pBar(pBar), m_nItem(nItem), m_nSide(nSide) {}

    // A transparent tool window, child of the desktop, over rectScreen.
    // What the screen shows there first is kept: a window is not see-through
    // on every display, so the skin paints the button back from it.
    BOOL Create(const RECT& rectScreen);

    // The screen under the window as it was, at (0, 0) of a DC.
    BOOL DrawUnder(CDC* pDC);
    // The colours under the shadow bands of the window (4 pixels at the
    // right and the bottom), in the order the menu skins keep a popup's:
    // the right band column by column from the outside in, then the bottom
    // band row by row from the outside in.
    void GetShadowSource(CArray<COLORREF, COLORREF>& arrColors) const;

    CWnd* m_pBar;
    int m_nItem;
    int m_nSide;

protected:
    CBitmap m_bmpUnder;
    std::vector<COLORREF> m_arrUnder;   // row by row from the top left
    CSize m_size;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
