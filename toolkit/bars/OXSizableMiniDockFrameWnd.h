// The floating frame of the sizing bars: the small captioned window a bar
// (or several) floats in. A frame holding one sizing bar is sized by its
// thick border, the new client size becoming the bar's floating size; its
// system menu keeps only what a floating bar needs (close reads "Hide"
// unless the bar is destroyed on close). A press on the caption hands the
// drag to the bar's own loop when the main window asks for it. A frame
// holding a view bar (a docked MDI child's bar) activates, closes and docks
// the child back through it. Caption and border are painted by the mini
// frame element of the current skin.
//
// The size-dock frames name it as their floating frame class; the docking
// code creates it by run-time class.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class COXMiniFrameSkin;
class COXMiniFrameSkinClassic;

class COXMDIChildWndSizeDock;
class COXSizeViewBar;

class COXSizableMiniDockFrameWnd : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(COXSizableMiniDockFrameWnd)
public:
    COXSizableMiniDockFrameWnd();
    ~COXSizableMiniDockFrameWnd() override;

    // The first bar docked in the frame (NULL for a frame of several bars).
    CControlBar* GetBar();
    // The frame's bar when it is a docked MDI child's view bar, else NULL.
    COXSizeViewBar* GetViewBar();
    BOOL IsViewBarFrame() { return GetViewBar() != NULL; }
    // 1 a plain frame, 2 the frame of one sizing bar; decided once. A sizing
    // bar's frame keeps Move, Size and Close in its system menu (Close reads
    // "Hide" unless the bar goes on close); a frame of another bar is sized
    // by its sides when the bar sizes itself, else moved by its border.
    int GetFrameKind();
    // The current skin's mini frame element, else the frame's own Classic.
    COXMiniFrameSkin* GetMiniFrameSkin();
    // The hosted MDI child of the frame's view bar, NULL when none.
    COXMDIChildWndSizeDock* GetViewBarChild();

    // Grows rect by the doubled border metrics on each side a CBRS_BORDER_
    // bit of dwBarStyle names.
    static void InflateByBarBorders(CRect& rect, DWORD dwBarStyle);
    // Between a floating frame's window rectangle and its client one:
    // bShrink takes the window rectangle to the client one.
    static void AdjustFloatingRect(CRect& rect, BOOL bShrink);
    // The insets behind AdjustFloatingRect (left and right alike), measured
    // once per process on a floating frame of the main window.
    static CRect GetFloatingInsets();

    // Sized by its thick border, never moved by it.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The mini frame's own activation painting, for the Classic element.
    BOOL DefaultNcActivate(BOOL bActive) { return CMiniFrameWnd::OnNcActivate(bActive); }

    // Whether the shared mouse hook is in place.
    static BOOL IsMouseHookInstalled();
    // While one lives, frames made and destroyed only to measure a floating
    // frame's size neither put the shared mouse hook in nor take it away.
    class CMeasuring
    {
    public:
        CMeasuring();
        ~CMeasuring();
        CMeasuring(const CMeasuring&) = delete;
        CMeasuring& operator=(const CMeasuring&) = delete;
    private:
        BOOL m_bWas;
    };

    BOOL m_bClosing;
    int m_nFrameKind;
    COXMiniFrameSkinClassic* m_pDefaultSkin;

protected:
    // Runs the system menu at pt (screen) and sends the chosen command.
    void TrackSystemMenu(CPoint pt);
    void ActivateTopParent();
    void CloseFrame();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()
};
