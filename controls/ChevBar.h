// ChevBar.h - CChevBar: a rebar whose tool-bar bands show a chevron when the
// band is too narrow for all its buttons; pressing it drops down CChevDrop, a
// small pop-up holding the buttons that do not fit, whose commands go on to
// the frame.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxext.h>

// The pop-up window that shows a band's hidden buttons as a tool bar of its
// own; it is hidden, not destroyed, when it loses the focus or on Escape.
class CChevDrop : public CWnd
{
public:
    CChevDrop();
    virtual ~CChevDrop();

    // Creates the pop-up window unless it already has one.
    BOOL CreatePopup(CWnd* pParent);
    // Fills the inner tool bar with the buttons of pToolBar that do not lie
    // wholly inside rcVisible (band co-ordinates) and shows the window at
    // ptScreen; FALSE, and nothing shown, when no button is hidden.
    BOOL ShowPopup(CWnd* pMsgReceiver, CToolBar* pToolBar, const RECT& rcVisible, POINT ptScreen);
    // Destroys the inner tool bar and its copy of the images.
    BOOL DestroyToolBar();

    CToolBarCtrl& GetInnerToolBar() { return m_tb; }

protected:
    CToolBarCtrl m_tb;        // the hidden buttons
    CImageList m_ImageList;   // a copy of the band's images, never shared
    HWND m_hMsgReceiver;      // gets the inner tool bar's commands and notifications

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

    void HidePopup() { SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE); }
    BOOL CreateToolBar();

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};

class CChevBar : public CReBar
{
public:
    CChevBar();
    virtual ~CChevBar();

    // Adds pBar in a new band. A tool bar with an id other than -1 gets a
    // chevron (RBBS_USECHEVRON) and an ideal width of its full size; any other
    // window, or id -1, gets a plain band. FALSE when the band cannot be added.
    BOOL AddBarWithChevron(CWnd* pBar, UINT nID, LPCTSTR pszText, DWORD dwStyle);

    // The drop window, NULL before the first chevron push.
    CChevDrop* GetDropWnd() const { return m_pDropWnd; }

protected:
    CChevDrop* m_pDropWnd;

    afx_msg void OnChevronPushed(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
