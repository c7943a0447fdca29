// COXCustomizeCommandsPage: the customize page through which the user
// rebuilds tool bars and menus by drag and drop. A tree holds every command
// of the program (the main menu's structure, the document types' menus, the
// cool tool bars' custom buttons and the commands the program adds itself)
// with a description of the one selected; while the page shows, every cool
// tool bar of the main frame and the page's own menu organizer are in
// customization mode and tell the page of every action, which it answers by
// selecting buttons, opening menus for editing and running the button
// appearance dialog.
//
//   COXCustomizeCommandsPage page;
//   page.InitializeCommands(MAKEINTRESOURCE(IDB_MORE), RGB(192, 192, 192), TRUE, FALSE, "CustomizeCommands");
//   manager.RegisterPage(&page, 1);
//
// Every tool bar is switched to the page's image list (the tree's icons,
// then every bar's images, then the added commands'), and each cool tool
// bar gets the list of command ids ordered by image. The rules (which menu
// items are commands, the id list's slots, the texts cut from menu strings
// and command strings) need no window: the static members answer them.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxext.h>
#include <afxtempl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "OXBitmapButton.h"
#include "OXBitmapMenuOrganizer.h"
#include "OXCoolToolBar.h"
#include "OXCustomizePage.h"
#include "OXSeparator.h"

class COXBitmapMenu;
class COXBitmapMenuPopupWnd;
class COXMenuBar;

class COXCustomizeCommandsPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeCommandsPage)
public:
    // Tree item data besides command ids.
    enum : DWORD_PTR
    {
        kDataFolder = (DWORD_PTR)-1,
        kDataNewMenu = (DWORD_PTR)-2,
        kDataSeparator = 0,
        kDataCustomButtons = (DWORD_PTR)-3,
    };
    // The tree's own images, first in the page's image list.
    enum
    {
        kImageFolder = 0,
        kImageNewMenu = 1,
        kImageSeparator = 2,
        kImageCommand = 3,
        kImageCustomButton = 4,
        kTreeImageCount = 5
    };
    // The main menu's resource.
    enum { kMainMenuID = 128 };

    // Profile values, in the section the page is given.
    static const char szShowIconsInMenu[];            // "ShowIconsInMenu"
    static const char szShowOnlyRecentlyUsed[];       // "ShowOnlyRecentlyUsedMenuItems"
    static const char szRecentlyUsedSection[];        // "RecentlyUsedMenuItems"
    static const char szToolbarsStateSection[];       // "Toolbars State"
    static const char szToolbarValueFormat[];         // "Toolbar_ID_%d"

    COXCustomizeCommandsPage();
    ~COXCustomizeCommandsPage() override;

    // ---- rules without a window ----
    // Whether a menu item is one of the commands: not a separator, not a
    // recent file, not a window-list entry of an MDI frame, with a string.
    static BOOL IsCollectedCommand(UINT nID, BOOL bMDIFrame, BOOL bHasString);
    // Every command of a menu and its submenus (value -1 for new ones).
    static void CollectMenuCommands(HMENU hMenu, BOOL bMDIFrame, const std::function<BOOL(UINT)>& hasString,
                                    CMap<UINT, UINT, int, int>& mapCommands, int nDepth = 0);
    // The ids the cool tool bars offer, by image: a command with image i
    // (from the tree's five) sits at slot i - 5; the rest fill the free
    // slots from the end backwards. There are as many slots as commands,
    // or as the highest image needs when a bar has more images than
    // buttons; a slot no command takes holds 0.
    static std::vector<UINT> BuildButtonIds(const std::map<UINT, int>& commandImages);
    // A menu string as the tree shows it: cut at the first tab, the first
    // '&' taken out.
    static CString CleanMenuText(LPCTSTR lpszText);
    // A command string's description (up to the first newline) and its
    // short text (after the first newline; the whole string without one).
    static CString CommandDescription(LPCTSTR lpszString);
    static CString CommandShortText(LPCTSTR lpszString);
    // Where the preview of a custom button goes inside the frame control's
    // rectangle, for a control of sizeControl.
    static CRect PreviewRect(const CRect& rectFrame, CSize sizeControl);

    // ---- operations ----
    virtual BOOL InitializeCommands(LPCTSTR lpszCustomImageResource = NULL, COLORREF clrMask = RGB(192, 192, 192),
                                    BOOL bShowIconsInMenu = TRUE, BOOL bShowOnlyRecentlyUsed = TRUE,
                                    LPCTSTR lpszProfileName = "CustomizeCommands");
    // The frame whose bars and menus the page customizes: the thread's main
    // window unless one is set here (before InitializeCommands).
    void SetFrame(CFrameWnd* pFrameWnd) { m_hWndFrame = pFrameWnd->GetSafeHwnd(); }
    virtual COXBitmapMenuOrganizer* GetMenuOrganizer() { return &m_menuOrganizer; }
    virtual BOOL SaveToolbarState(CToolBar* pToolbar);
    virtual BOOL LoadToolbarState(CToolBar* pToolbar);
    virtual void SetupToolbar(CToolBar* pToolbar);
    virtual BOOL AddCustomCommand(UINT nCommandID, UINT nTextID, int nImageIndex, UINT nPathID);
    virtual BOOL AddCustomCommand(UINT nCommandID, LPCTSTR lpszText, int nImageIndex, LPCTSTR lpszPath);
    virtual BOOL IsCustomCommand(UINT nCommandID);
    virtual BOOL GetCustomCommandInfo(UINT nCommandID, CString& sText, int& nImageIndex, CString& sPath);

    // What the page holds, for its callers and tests.
    int GetCommandImage(UINT nCommandID) const;
    int GetCommandCount() const { return (int)m_mapCommandImages.GetCount(); }
    std::vector<UINT> GetButtonIds() const { return std::vector<UINT>(m_pBitmapIDs, m_pBitmapIDs + m_nBitmapIDs); }
    CImageList& GetImageList() { return m_ilImages; }
    CTreeCtrl& GetTree() { return m_treeCommands; }
    CString GetDescription() const { return m_sDescription; }
    COXCoolToolBar* GetCustomizedToolbar() const { return m_pCustomizedToolbar; }
    int GetCustomizedPopupItem() const { return m_nCustomizedPopupItem; }
    HWND GetPreviewWnd() const { return m_hPreviewWnd; }
    BOOL IsShowingIconsInMenu() const { return m_bShowIconsInMenu; }
    BOOL IsShowingOnlyRecentlyUsed() const { return m_bShowOnlyRecentlyUsed; }
    // The customization popup showing hMenu, NULL when none does.
    COXBitmapMenuPopupWnd* FindPopupWnd(HMENU hMenu) const;
    // Visible customization popups.
    int GetVisiblePopupCount() const;
    // The drag block of a tree item (NULL for the custom buttons root or
    // no item); the caller frees it.
    HGLOBAL CreateItemDragData(HTREEITEM hItem);

    // ---- overrides of the page ----
    BOOL Load(const COXCustomizeManager* pManager) override;
    void Unload() override;
    BOOL OnCloseManager(BOOL bIsOk) override;
    BOOL SaveWorkspaceState() override;
    // Every change takes effect at once: there is nothing to apply.
    BOOL IsSupportingApplyChanges() override { return FALSE; }
    CString GetTitle() const override;
    UINT GetImageResource() const override;
    CString GetTooltip() const override;

protected:
    CFrameWnd* GetMainFrame() const;
    void GetToolbars(CArray<CToolBar*, CToolBar*>& arrBars) const;
    void GetCoolToolbars(CArray<COXCoolToolBar*, COXCoolToolBar*>& arrBars) const;
    COXMenuBar* GetMenuBar() const;
    void RebuildButtonIds();
    void GiveButtonIds();
    // The tree.
    void FillTree();
    void AddMenuToTree(HMENU hMenu, HTREEITEM hParent, int nDepth);
    HTREEITEM FindChild(HTREEITEM hParent, LPCTSTR lpszText) const;
    HTREEITEM InsertTreeItem(LPCTSTR lpszText, int nImage, DWORD_PTR nData, HTREEITEM hParent, BOOL bBold);
    CString GetCommandString(UINT nID) const;
    CString GetItemDragText(HTREEITEM hItem) const;
    HMENU BuildFolderMenu(HTREEITEM hFolder) const;
    // The preview: a copy of a custom button's control, or for any other
    // command a button as a tool bar shows it, its picture and its text.
    void DestroyPreview();
    void PlacePreview();
    void CreateCommandPreview(UINT nID, const CString& sText);
    // The customization popups.
    COXBitmapMenuPopupWnd* GetPopupWnd(HMENU hMenu, int nLevel);
    void ClosePopups(int nLevel);
    int GetPopupLevel(COXBitmapMenuPopupWnd* pPopup) const;
    void RefreshMenuBar();
    // The notifications' work.
    LRESULT OnToolbarCustomize(COXCoolToolBar* pBar, int nCommand, void* pData);
    LRESULT OnMenuCustomize(COXBitmapMenuPopupWnd* pPopup, int nCommand);
    void EditButtonAppearance(COXCoolToolBar* pBar, int nButton);
    void EditMenuBarItemAppearance(COXMenuBar* pBar, int nButton);
    void EditMenuItemAppearance(COXBitmapMenuPopupWnd* pPopup);
    void ShowSubmenuPopup(COXBitmapMenuPopupWnd* pPopup, int nItem);
    // An image list for the appearance dialog: the current image first, then
    // every image of the page's list from the tree's five on.
    void MakeDialogImages(CImageList& il, int nCurrentImage);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitPage() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnModifyDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnOptionClicked();
    afx_msg BOOL OnToolbarNotify(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnMenuNotify(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    COXSeparator m_sepCommands, m_sepSelection, m_sepMenu;
    COXBitmapButton m_btnModifySelection;
    CTreeCtrl m_treeCommands;
    CString m_sDescription;
    BOOL m_bShowIconsInMenu;
    BOOL m_bShowOnlyRecentlyUsed;
    COXBitmapMenuOrganizer m_menuOrganizer;
    CMap<COXBitmapMenuPopupWnd*, COXBitmapMenuPopupWnd*, int, int> m_mapPopupWnds;
    CMap<UINT, UINT, int, int> m_mapCommandImages;
    CMap<UINT, UINT, CString, LPCTSTR> m_mapCustomCommandText;
    CMap<UINT, UINT, CString, LPCTSTR> m_mapCustomCommandPath;
    CImageList m_ilImages;
    CImageList m_ilCustomImages;
    // The ids every cool tool bar was given (the bars keep the pointer: it
    // is freed only after they were given the next one).
    UINT* m_pBitmapIDs;
    int m_nBitmapIDs;
    // Where the added commands' images start in m_ilImages (-1 before
    // InitializeCommands), and each added command's index among them.
    int m_nCustomImageBase;
    CMap<UINT, UINT, int, int> m_mapCustomCommandImage;
    // Each folder's children by their lower-case text, while the tree fills.
    std::map<HTREEITEM, std::map<std::string, HTREEITEM>> m_mapTreeChildren;
    COXCoolToolBar* m_pCustomizedToolbar;
    int m_nCustomizedPopupItem;
    HWND m_hPreviewWnd;
    CFont m_fontBold;
    // Kept by its window: the frame may go before the page.
    HWND m_hWndFrame;

    DECLARE_MESSAGE_MAP()
};
