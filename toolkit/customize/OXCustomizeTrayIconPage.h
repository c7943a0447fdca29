// COXCustomizeTrayIconPage: the customize page that gives the program an
// icon in the notification area: whether it shows, its tooltip, its picture
// (the program's own icon or one taken from any file) and which mouse button
// opens the program's tray menu (the first submenu of a menu resource the
// program names).
//
//   page.InitializeTrayIcon(hIcon, IDR_TRAY, "Pellucor", TRUE, TRUE, NULL, "TrayIcon");
#pragma once

#include <afxwin.h>

#include "OXCustomizePage.h"
#include "OXHistoryCombo.h"
#include "OXImageListBox.h"
#include "OXSeparator.h"
#include "OXTaskbarIcon.h"
#include "toolkit_res.h"

// ---------------------------------------------------------------------------
// The page's rules, callable without a window
// ---------------------------------------------------------------------------

// Whether a mouse message from the icon opens the menu.
BOOL OXTrayMenuOpensOn(UINT nMessage, BOOL bUseRightClick);
// Whether what ExtractIcon answered is an icon (it answers 1 for a file
// that is not a program, a library or an icon file, NULL for no icon).
BOOL OXIsExtractedIcon(HICON hIcon);

class COXCustomizeTrayIconPage;

// The page's icon: its mouse reports open the page's menu.
class COXCustomizeTaskbarIcon : public COXTaskbarIcon
{
public:
    COXCustomizeTaskbarIcon() : m_pPage(NULL) {}

    COXCustomizeTrayIconPage* m_pPage;

protected:
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class COXCustomizeTrayIconPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeTrayIconPage)
public:
    COXCustomizeTrayIconPage();
    virtual ~COXCustomizeTrayIconPage();

    // Sets the page up and applies it: the program's own icon (not taken
    // over), the menu resource whose first submenu is the tray menu, the
    // tooltip, shown, the right button (else the left) opening the menu, the
    // file offered for icons (NULL or empty: the program's own); given a
    // profile section the stored values replace the arguments.
    virtual BOOL InitializeTrayIcon(HICON hDefaultIcon, UINT nMenuID, LPCTSTR lpszTooltip = NULL,
                                    BOOL bShowTrayIcon = TRUE, BOOL bUseRightClick = TRUE,
                                    LPCTSTR lpszIconSourceFileName = NULL, LPCTSTR lpszProfileName = NULL);
    // Puts the settings on the icon: tooltip, shown or hidden, picture.
    virtual void ApplyTrayIcon();
    // Opens the tray menu at the pointer for the thread's main window.
    virtual void ShowPopupMenu();

    virtual BOOL ApplyChanges() override;
    virtual BOOL IsSupportingApplyChanges() override { return TRUE; }
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override { return IDB_OX_CUSTOMIZE_TRAYICON; }
    virtual CString GetTooltip() const override;

    // The six values under the page's section (nothing without one). Stored
    // values the page cannot use are ignored: the field keeps what it had.
    void LoadFromProfile();
    void SaveToProfile() const;

    COXCustomizeTaskbarIcon& GetTaskbarIcon() { return m_taskbarIcon; }
    BOOL IsUsingRightClick() const { return m_bUseRightClick; }
    CMenu& GetPopupMenu() { return m_menuPopup; }

protected:
    // An empty file name stands for the program's own file.
    void DefaultIconSourceFileName();
    // Fills the icon list from a file and picks its first icon; a file
    // without icons leaves the list empty.
    void FillIconList(LPCTSTR lpszFileName);
    void EnableFileControls(BOOL bEnable);

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    afx_msg void OnDefaultIconClicked();
    afx_msg void OnFileIconClicked();
    afx_msg void OnFileNameSelChange();
    afx_msg void OnFileNameEditChange();
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    BOOL m_bShowTrayIcon;
    CString m_sTrayIconTooltip;
    int m_nMouseButton;
    int m_nIconSource;
    CString m_sIconSourceFileName;
    COXCustomizeTaskbarIcon m_taskbarIcon;
    CMenu m_menuPopup;
    HICON m_hDefaultIcon;
    HICON m_hExtractedIcon;
    int m_nIconIndex;
    BOOL m_bUseRightClick;
    BOOL m_bUseDefaultIcon;

    COXHistoryCombo m_comboIconSourceFileName;
    COXImageListBox m_listIcons;
    CStatic m_staticDefaultIcon;
    COXSeparator m_sepIcon;
    COXSeparator m_sepLower;

    DECLARE_MESSAGE_MAP()
};
