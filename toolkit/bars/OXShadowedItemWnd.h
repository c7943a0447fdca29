// A small window laid over the bar button a menu drops from, while the menu
// is tracked: the menu skin draws the button's frame, open toward the menu,
// and its shadow, so that button and menu read as one shape.
#pragma once

#include <afxwin.h>

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
    BOOL Create(const RECT& rectScreen);

    CWnd* m_pBar;
    int m_nItem;
    int m_nSide;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
