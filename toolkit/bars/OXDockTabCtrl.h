// COXDockTabCtrl: the tab strip of a size dock bar. Sizing bars docked in
// the same place of the dock bar share it as tabs: only the bar of the
// selected tab shows, the strip sits along the dock bar's bottom, and a tab
// dragged away drags its bar. Each tab carries its bar's window text and
// the bar itself (item data).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXSkinnedTabCtrl.h"

class COXSizeDockBar;

class COXDockTabCtrl : public COXSkinnedTabCtrl
{
    DECLARE_DYNAMIC(COXDockTabCtrl)
public:
    explicit COXDockTabCtrl(COXSizeDockBar* pDockBar);
    ~COXDockTabCtrl() override;

    // The tab whose item holds pBar, -1 for none. FindBar is the same.
    int FindTab(CControlBar* pBar) const;
    int FindBar(CControlBar* pBar) const { return FindTab(pBar); }
    CControlBar* GetTabBar(int nIndex) const;
    // -1 off the bottom 48 pixels of the dock bar; else the tab under the
    // point, 0 when none is.
    int HitTestTab(CPoint ptScreen) const;
    // Moves tab nFrom to nTo once the point has passed the middle of the
    // target tab; TRUE when it moved.
    BOOL MoveTab(int nFrom, int nTo, CPoint ptScreen);
    // Makes pBar a tab at nIndex (and every other untabbed sizing bar of
    // the dock bar a tab at 0); returns how many other sizing bars the dock
    // bar holds, 0 doing nothing.
    int InsertBar(CControlBar* pBar, int nIndex, BOOL bShow);
    // Takes pBar's tab away (and the last companion's); returns the tabs
    // left, or UpdateTabs's result.
    int RemoveBar(CControlBar* pBar);
    // Shows the selected tab's bar, hides the others, and places the shown
    // one; returns it when it is a sizing bar.
    CControlBar* UpdateTabs();
    // Drops the tabs of bars that are no longer docked in the dock bar
    // (floated, docked elsewhere or destroyed by a path that never asked
    // the strip); TRUE when one went.
    BOOL DropStrayTabs();

    static BOOL IsHorzDockBar(CDockBar* pDockBar);
    // The strip's height along the dock bar's bottom.
    int GetStripHeight() const;

    // Where the selected bar goes in a vertical dock bar whose client area
    // is rectClient: 3 pixels off the frame side of a left dock bar, 4 of a
    // right one, above the strip.
    static CRect VertPlacement(const CRect& rectClient, BOOL bLeftDockBar, BOOL bRightDockBar, int nStripHeight);
    // Whether a tab dragged from nFrom to nTo, whose rectangle is rectTo,
    // moves at x: once x has passed the target's middle.
    static BOOL PassesMiddle(int nFrom, int nTo, const CRect& rectTo, int x);
    // Where a tab's label is centred: the tab (its item rectangle) less the
    // rows only the selected tab has, on the side away from the display.
    static CRect LabelRect(const CRect& rectTab, BOOL bBottom);

    CFont m_font;
    CControlBar* m_pLastShownBar;
    COXSizeDockBar* m_pDockBar;
    CPoint m_ptLButtonDown;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void InsertTab(int nIndex, CControlBar* pBar);
};
