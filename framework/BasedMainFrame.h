// BasedMainFrame.h - the framework's main window: placement kept in the
// profile, full screen, always on top, the main tool bar in a chevron rebar,
// the tray icon with its menu, the rich tooltip, a hidden status-bar progress
// bar, the external-tools menu, the trace-log window, the support mail and a
// document's file properties.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include "BCMenu.h"
#include "ChevBar.h"
#include "EnBitmap.h"
#include "PPToolTip.h"
#include "ProgressBar.h"
#include "SystemTray.h"

#define ID_SHOW_APPLICATION         33001
#define ID_ALWAYS_ON_TOP            32079
#define ID_MINIMIZE_TO_TRAY         32077
#define ID_FRAME_NOTHING            35000
#define ID_FULL_SCREEN              35001
#define ID_MAIL_SUPPORT             35002
#define ID_DOCUMENT_PROPERTIES      35006
#define ID_SHOW_TRACE_LOG           35008

class CBasedApp;

class CBasedMainFrame : public CFrameWnd
{
    DECLARE_DYNAMIC(CBasedMainFrame)
public:
    CBasedMainFrame();
    virtual ~CBasedMainFrame();

    // The support mail goes out through this when it is set (the program
    // sets it to its mailer); without one nothing is sent.
    typedef BOOL (*PFNSENDMAIL)(LPCSTR pszTo, LPCSTR pszSubject, LPCSTR pszBody);
    static PFNSENDMAIL s_pfnSendMail;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The index of the external tool whose hot key this key message is, with
    // the modifiers held now, or -1 (also when the key belongs to typing).
    int HotKeyTool(const MSG* pMsg);
    virtual HMENU BuildMenu();

    void EnterFullScreen();
    void LeaveFullScreen();
    void ToggleFullScreen() { if (m_bFullScreen) LeaveFullScreen(); else EnterFullScreen(); }
    BOOL IsFullScreen() const { return m_bFullScreen != 0; }

    void ToggleAlwaysOnTop();
    void HideApplication();
    // Hiding to the tray only when the user can see the icon to come back by.
    BOOL CanHideToTray() const { return m_TrayIcon.IsIconShown(); }

    CSystemTray& GetTrayIcon() { return m_TrayIcon; }
    CProgressBar* GetProgressBar() const { return m_pProgressBar; }
    CToolBar24& GetMainToolBar() { return m_wndToolBar; }
    CChevBar& GetReBar() { return m_wndReBar; }
    CPPToolTip& GetToolTip() { return m_tooltip; }

    // Resources of the main window; the derived frame may change them before
    // its creation.
    UINT m_nIDToolBar;
    UINT m_nIDToolBarBitmap;
    UINT m_nIDToolBarHotBitmap;
    UINT m_nIDTrayIcon;
    UINT m_nIDTrayMenu;
    UINT m_nIDContextMenu;
    UINT m_nIDMenu;
    UINT m_nIDSecondToolBar;

protected:
    CBasedApp* m_pApp;
    CChevBar m_wndReBar;
    BCMenu m_menu;
    CToolBar24 m_wndToolBar;
    // The main tool bar's normal and hot images (bitmaps m_nIDToolBarBitmap
    // and m_nIDToolBarHotBitmap).
    CImageList m_ilToolBar;
    CImageList m_ilToolBarHot;
    int m_nImageDepth;
    int m_nImageSize;
    COLORREF m_clrMask;
    CPPToolTip m_tooltip;
    CProgressBar* m_pProgressBar;
    CSystemTray m_TrayIcon;
    BYTE m_bFullScreen;
    BYTE m_bToolBarWasVisible;
    BYTE m_bWasMaximized;
    CRect m_rcBeforeFullScreen;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnShowApplication();
    afx_msg void OnAlwaysOnTop() { ToggleAlwaysOnTop(); }
    afx_msg void OnUpdateAlwaysOnTop(CCmdUI* pCmdUI);
    afx_msg void OnMinimizeToTray() { HideApplication(); }
    afx_msg void OnUpdateMinimizeToTray(CCmdUI*) {}
    afx_msg void OnExternalTools();
    afx_msg void OnUpdateExternalTools(CCmdUI* pCmdUI);
    afx_msg void OnExternalTool(UINT nID);
    afx_msg void OnNothing() {}
    afx_msg void OnShowTraceLog();
    afx_msg void OnUpdateShowTraceLog(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    afx_msg void OnFullScreen() { ToggleFullScreen(); }
    afx_msg void OnUpdateFullScreen(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bFullScreen ? 1 : 0); }
    afx_msg void OnMailSupport();
    afx_msg void OnDocumentProperties();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void LogLine(LPCSTR pszWhat);
    void SetTopmost(BOOL bTopmost, UINT nFlags);
};
