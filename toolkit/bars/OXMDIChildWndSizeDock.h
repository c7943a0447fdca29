// MDI children that can leave the MDI client and live as docking bars of a
// COXMDIFrameWndSizeDock, and come back. While docked the child frame stays
// hidden and its view sits in a COXSizeViewBar, a sizing bar the frame docks
// or floats like any other; docked (not floating), a wrapper window of class
// "MDIChildWndDockWrapper" sits between the bar and the view and passes
// presses and activation up to the bar. The frame keeps treating the docked
// child as an MDI child: it can be the active one, gets the commands, and
// its title follows the document. The user docks and undocks from the
// child's system menu or context menu (the command whose id is the value of
// the registered message "_DOCK_MDICHILD_").
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include "OXSizeControlBar.h"

// Sent to a view bar: wParam non-zero activates, lParam the kind (1 the
// caption's look, 2 and 3 an activation by the user).
#define WM_OXVIEWBAR_ACTIVATE 0x80B6
#define WM_VIEWBAR_ACTIVATE   WM_OXVIEWBAR_ACTIVATE

// The text of the dock item.
#define IDS_OX_DOCKMDICHILD 26965

// The id of the command (and system-menu item) that docks an MDI child.
UINT OXGetDockMDIChildCommand();

class COXMDIChildWndSizeDock;
class COXSizeViewBar;
class COXMDIFrameWndSizeDock;

class COXSizeBarWrapper : public CWnd
{
public:
    COXSizeBarWrapper();

    BOOL Create(COXSizeViewBar* pBar);
    // Moves pView into the wrapper (made when needed) and sizes it to the
    // bar's client area.
    void Attach(COXSizeViewBar* pBar, CWnd* pView);
    // Gives the view back to the bar and hides the wrapper.
    void Detach();

    COXSizeViewBar* m_pViewBar;
    CWnd* m_pView;
    BOOL m_bDestroying;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};

class COXSizeViewBar : public COXSizeControlBar
{
    DECLARE_DYNAMIC(COXSizeViewBar)
public:
    explicit COXSizeViewBar(DWORD dwSizeBarStyle = SZBAR_CONTEXTMENU | SZBAR_SOLIDCAPTION);

    BOOL DockChild(COXMDIChildWndSizeDock* pChild);
    BOOL UndockChild(BOOL bShowChild);
    // FALSE when the child's document refuses to close the child.
    BOOL CanClose();
    // The child, when its window still exists.
    COXMDIChildWndSizeDock* GetChild() const;
    // The bar's window or its child's is on its way out.
    BOOL IsClosing() const;

    // A double click anywhere toggles docking.
    INT_PTR OnToolHitTest(CPoint, TOOLINFO*) const override { return -1; }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnSizedOrDocked(int cx, int cy, BOOL bFloating, UINT nWhat) override;

    COXMDIChildWndSizeDock* m_pChildFrame;
    CView* m_pView;
    COXSizeBarWrapper m_wndWrapper;
    BOOL m_bChildWasMaximized;
    BOOL m_bDestroying;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnViewBarActivate(BOOL bActive, int nKind);
    void OnNcDestroyBar();
    void TrackDockMenu(CPoint point);
    COXMDIFrameWndSizeDock* GetSizeDockFrame() const;
};

class COXMDIChildWndSizeDock : public CMDIChildWnd
{
    DECLARE_DYNCREATE(COXMDIChildWndSizeDock)
public:
    COXMDIChildWndSizeDock();

    BOOL SetDocked(BOOL bDock);
    // The floating bar was closed: the child comes back into the MDI client,
    // shown and active; the bar stays hidden.
    void OnViewBarClosed();
    BOOL ToggleDocked() { return SetDocked(!m_bDocked); }
    BOOL IsDocked() const { return m_bDocked; }
    BOOL IsInSizeDockFrame() const { return GetSizeDockFrame() != NULL; }
    COXMDIFrameWndSizeDock* GetSizeDockFrame() const;
    CMDIChildWnd* GetActiveMDIChild(BOOL* pbMaximized = NULL);

    void MDIActivate();
    void MDIDestroy();
    // Nothing while docked: a docked child keeps its hidden place.
    void MDIMaximize();
    void MDIRestore();

    virtual void AppendDockMenuItem(HMENU hMenu);
    virtual void AddDockItemToSystemMenu(CMenu* pMenu);

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    void ActivateFrame(int nCmdShow = -1) override;
    BOOL DestroyWindow() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The MDI client's sunken edge by the standard rule, but for the active
    // child as the size-dock frame counts it (a docked one included); any
    // child may ask, after the standard rule has run on its own change.
    BOOL UpdateClientEdge(LPRECT lpRect = NULL);

    COXSizeViewBar m_wndViewBar;
    BOOL m_bDocked;
    CString m_sDockMenuItem;
    DWORD m_dwDockBarStyle;
    BOOL m_bClosing;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnCloseChild();
    void SetDockedState(BOOL bDocked);
    // Whether this child is the last frame showing pDoc's views (a docked
    // view counts as this child's, though it sits in the bar).
    BOOL IsLastFrameOf(CDocument* pDoc);
    void TrackDockMenu(CPoint point);
    friend class COXSizeViewBar;
};
