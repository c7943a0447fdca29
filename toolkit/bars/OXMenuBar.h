// The menu bar: a frame's menu shown as a dockable cool tool bar of text
// buttons, one per top-level item. A button (its mnemonic, or the keyboard
// in menu mode) drops the item's popup below, above or beside it; while an
// MDI child is maximized the bar also carries the child's icon (its system
// menu) and its minimize, restore and close buttons. A menu the user
// customizes is kept in the profile per document class and comes back when
// that menu is shown again.
//
// The bar does not find its menu by itself: the frame hides its own menu and
// hands it over with SetMenu (from OnUpdateFrameMenu), and passes Alt, F10
// and its system keys to HandleMenuKey.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxtempl.h>

#include <map>
#include <string>
#include <vector>

#include "OXCoolToolBar.h"

class COXMenuSkin;

// The bar's default control id, among the frame's control bars.
#define OX_IDW_MENUBAR 0xE81F
// Posted to the bar to open the popup at position wParam.
#define WM_MENUBAR_DROPDOWN 0x808D
// Sent to the bar's frame after a menu was saved (0x8073) or a load was
// tried (0x8074): wParam the HMENU, lParam the profile section's name.
#define WM_MENUBAR_MENUSAVED 0x8073
#define WM_MENUBAR_MENULOADED 0x8074
// The customization commands of a menu bar button.
#define ID_OXMENUBAR_DELETE 0x807D
#define ID_OXMENUBAR_APPEARANCE 0x807E
// The customization notification command that asks for a popup to be shown
// as a customization window; its data is an OXMENUBARPOPUP.
#define ID_OXMENUBAR_CUSTOMIZEPOPUP 0x808E

struct OXMENUBARPOPUP
{
    HMENU hMenu;
    UINT nFlags;   // TPM_ placement flags
    int x, y;
};

// One item of a menu as it is saved, or as a dropped command record reads.
struct OXMENUBARITEM
{
    UINT nType = 0;       // MFT_ bits
    BOOL bPopup = FALSE;
    UINT nID = 0;         // (UINT)-1 for a popup
    std::string strText;
    std::vector<OXMENUBARITEM> children;
};

class COXMenuBar : public COXCoolToolBar
{
    DECLARE_DYNAMIC(COXMenuBar)
public:
    COXMenuBar();
    ~COXMenuBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = OX_IDW_MENUBAR) override;

    // ---- the menu ----
    BOOL SetMenu(HMENU hMenu);
    HMENU GetMenu() const { return m_hMenu; }
    void RebuildButtons(BOOL bRedraw = TRUE);
    CString GetMenuText(int nPos) const;
    // The keyboard entry: 0 toggles menu mode, other codes are virtual keys.
    // TRUE when the key was used.
    BOOL HandleMenuKey(UINT nKey);
    void DropDown(int nPos);
    // For the frame's PreTranslateMessage: Alt alone or F10 toggles menu
    // mode, Alt+key goes to the mnemonics, keys typed while the bar is in
    // menu mode move over it. TRUE when the message was used.
    BOOL TranslateFrameKey(const MSG* pMsg);
    BOOL IsPopupOpen() const { return m_nPopupItem != -1; }
    BOOL IsInMenuMode() const { return m_bMenuMode; }
    BOOL EnterMenuMode(BOOL bEnter, int nItem = 0);
    void EndPopup();
    int GetPopupItem() const { return m_nPopupItem; }
    HMENU GetWindowMenu() const { return m_hWindowMenu; }

    // ---- the profile ----
    BOOL SaveMenu(HMENU hMenu, LPCTSTR pszDocClass);
    // FALSE, with the menu unchanged, when nothing is saved for the class
    // or what is saved does not read whole.
    BOOL LoadMenu(HMENU hMenu, LPCTSTR pszDocClass);
    void SaveMenuIfModified();
    static CString SectionFor(LPCTSTR pszDocClass);

    // ---- the MDI child's items ----
    void UpdateMDIIcon(BOOL bRedraw = TRUE);
    void SetMDIIcon(HICON hIcon, BOOL bRedraw = TRUE);
    // -2 minimize, -3 restore, -4 close pressed, -1 none.
    int GetPressedMDIItem() const { return m_nPressedMDIItem; }
    CRect GetCloseButtonRect() const { return m_rectCloseBtn; }
    CRect GetRestoreButtonRect() const { return m_rectRestoreBtn; }
    CRect GetMinimizeButtonRect() const { return m_rectMinimizeBtn; }
    // The maximized active child of the bar's MDI frame, or NULL.
    CMDIChildWnd* GetMaximizedChild() const;
    virtual void DrawMDIItems(CDC* pDC);

    // ---- buttons ----
    void PressButton(int nID, BOOL bPress = TRUE) { SendMessage(TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0)); }
    void SetButtonSize(CSize size) { SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    void SetCmdID(int nIndex, UINT nID) { SendMessage(TB_SETCMDID, nIndex, nID); }
    // A button's rectangle; nPos = item count is the MDI icon's, in client
    // coordinates.
    virtual void GetItemRect(int nPos, LPRECT lpRect) const override;
    // Reads command records (a command drag block) and inserts them into
    // hMenu from nPos on; FALSE, with nothing inserted, for a block that does
    // not read whole within nBytes.
    virtual BOOL BuildMenu(const BYTE* pData, UINT nBytes, HMENU hMenu, int nPos);

    // The first menu bar of pWnd or its descendants (NULL: the main window).
    static COXMenuBar* FindMenuBar(CWnd* pWnd = NULL);
    // The menu a frame shows now: its active document's, its active MDI
    // child's, or its own.
    static HMENU FrameMenuFor(CFrameWnd* pFrame);
    // The menu an MDI child's activation change leaves on its frame: the
    // child's when it activates, the frame's own when the last child goes,
    // NULL while another child takes over.
    static HMENU ChildMenuFor(CMDIChildWnd* pChild, BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    // For the frame's OnUpdateFrameMenu: the frame's own menu is hidden,
    // an MDI client keeps its window list in hMenu's window popup, and the
    // bar shows hMenu.
    void TakeFrameMenu(HMENU hMenu);

    // ---- overrides of the cool tool bar ----
    BOOL IsCustomizable(BOOL bAdvanced = TRUE) const override { return bAdvanced ? TRUE : FALSE; }
    BOOL SaveBarState(LPCTSTR lpszSubKey, LPCTSTR lpszValueName, BOOL bProperties = TRUE) override;
    BOOL LoadBarState(LPCTSTR, LPCTSTR, BOOL = TRUE) override { return TRUE; }
    void DisplayCustomizeButtonContextMenu(int nButton, int x, int y) override;
    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    CSize CalcSize(TBBUTTON* pData, int nCount) override;
    void GetBorderMargins(CRect& rect, BOOL bHorz) override;
    void DrawNonClientExtra(CDC* pDC, CRect& rect) override;
    void DrawIcon(CDC* pDC, CRect& rect) override;
    void OnFloatingDocking(BOOL bFloating) override;
    void OnChangeDockSide(DWORD dwDockSide) override;
    DROPEFFECT OnDragOver(OXDRAGDROPMESSAGE* pMessage) override;
    BOOL DeleteButton(int nPos) override;

    // ---- rules free of windows ----
    // The MDI buttons of a bar of cxWindow x cyWindow (bHorz: the thickness
    // is the height); bBoxes when the child has a minimize or maximize box.
    // Returns the length they add to the bar.
    static int LayoutMDIButtons(BOOL bHorz, int cxWindow, int cyWindow, BOOL bBoxes, CRect& rectClose,
                                CRect& rectRestore, CRect& rectMinimize);
    // Keyboard moves over n items (the MDI icon at n when bIcon); -1 starts.
    static int PreviousPosition(int nPos, int nCount, BOOL bIcon);
    static int NextPosition(int nPos, int nCount, BOOL bIcon);
    // The mnemonic of an item text, upper-cased in the user's code page, 0
    // when it has none.
    static BYTE MnemonicOf(LPCTSTR lpszText);
    static BYTE FoldMnemonic(BYTE ch);
    // The saved block of a menu: an archive's layout, written from the menu,
    // read whole (depth and counts bounded by the bytes there are) or not at
    // all.
    static std::vector<BYTE> WriteMenuBlock(HMENU hMenu);
    static BOOL ReadMenuBlock(const BYTE* pData, UINT nBytes, std::vector<OXMENUBARITEM>& items);
    enum { kMaxMenuDepth = 16 };

public:
    HMENU m_hWindowMenu;
    HMENU m_hMenu;
    int m_nPopupItem;
    int m_nNextPopupItem;
    int m_nClosedItem;
    BOOL m_bAlwaysFullLength;
    BOOL m_bReturnToMenuMode;
    BOOL m_bStretch;
    CWnd* m_pFrameWnd;
    CMap<BYTE, BYTE, int, int> m_mapMnemonics;
    CRect m_rectCloseBtn, m_rectRestoreBtn, m_rectMinimizeBtn;
    int m_nPressedMDIItem;
    BOOL m_bMenuMode;
    CFont m_fontMenu;
    BOOL m_bFontCreated;
    CMap<HMENU, HMENU, CDocTemplate*, CDocTemplate*> m_mapMenuTemplates;
    CMap<HMENU, HMENU, int, int> m_mapModifiedMenus;
    CArray<HMENU, HMENU> m_arrCreatedMenus;
    UINT_PTR m_nDragTimer;
    int m_nDragItem;
    COXMenuSkin* m_pMenuSkin;
    CRect m_rectIcon;   // the MDI icon, bar window coordinates

protected:
    // Where a customization popup is shown for the popup at nPos: sends the
    // customization notification with ID_OXMENUBAR_CUSTOMIZEPOPUP; the
    // receiver shows the menu.
    virtual void ShowCustomizationPopup(HMENU hPopup, UINT nFlags, int x, int y);
    void MakeMenuFont();
    void RedrawWithLayout(BOOL bFrameChanged);
    // Gives the buttons their widths for the orientation; the texts are
    // measured again only after a rebuild or a font change.
    void ApplyButtonWidths(BOOL bHorz);
    std::vector<int> m_arrTextWidths;
    std::map<std::string, INT_PTR> m_mapStrings;   // texts given to the control, by their index
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    void LayoutMDIItems();
    // The position after a keyboard move, past a clipped button to the icon.
    int MovedPosition(int nPos, BOOL bNext);
    void SelectHot(int nPos);
    int MDIItemAt(CPoint ptWindow) const;
    BOOL IsOverIconOrMDIButton(CPoint ptWindow) const;
    CFrameWnd* GetFrame() const;
    // The window that owns the bar's popups and hears their commands: the
    // bar's frame, else the main window.
    CWnd* GetCommandTarget() const;
    CDocument* ActiveDocument() const;
    void InsertItems(const std::vector<OXMENUBARITEM>& items, HMENU hMenu, int nPos, BOOL bRestoring);
    void PostNextPopupClick(int nPos);
    BOOL IsCommandItem(int nPos) const;
    // Leaves keyboard menu mode and tells the frame its menu loop ended;
    // nothing outside menu mode.
    void LeaveMenuMode();
    void NotifyExitMenuLoop();
    // Runs the top-level command item at nPos, menu mode over first.
    void FireCommandItem(int nPos);
    // The frame's accelerators, tried on a key the bar would take.
    BOOL TranslateFrameAccelerator(const MSG* pMsg);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnMenuBarDropDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFloated(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDeleteItem();
    afx_msg void OnUpdateButton(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MenuFilterProc(int nCode, WPARAM wParam, LPARAM lParam);
    static HHOOK s_hMouseHook;
    static HWND s_hWndUnderMouse;
    static HWND s_hWndSavedFocus;
    static HHOOK s_hFilterHook;
    BOOL m_bAltAlone = FALSE;   // Alt went down and nothing else since
    static COXMenuBar* s_pTrackingBar;
};
