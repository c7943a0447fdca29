// COXCustomizeShortkeysPage: the customize page on which the user gives
// commands their keyboard shortcuts. The commands of the menus show as a
// tree; the shortcuts of the chosen command in the chosen accelerator table
// as a list; a hot-key field takes a new combination and says at once which
// command has it already. The page owns the shortkeys organizer that holds
// the tables, makes them live on the frame and keeps them in the profile.
//
//   COXCustomizeShortkeysPage page;
//   page.InitializeShortkeys(pMainFrame, "CustomizeShortkeys");   // at start-up
//   manager.RegisterPage(&page, 5);
//
// The rules (which commands are listed, item texts, the key a hot-key field
// holds, the controls' states) need no window: the static members answer
// them.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#include "OXCustomizePage.h"
#include "OXInteractiveHotKeyCtrl.h"
#include "OXListBoxEx.h"
#include "OXSeparator.h"
#include "OXShortkeysOrganizer.h"
#include "OXStatic.h"

class COXCustomizeShortkeysPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeShortkeysPage)
public:
    // The list's rows: a shortcut of the frame's own table shown beside a
    // template's table (grey, cannot be removed here), or one of the chosen
    // table.
    enum { kRowFrameTable = -1, kRowChosenTable = 0 };

    // Which of the page's controls are enabled.
    struct ControlStates
    {
        BOOL bHotKey, bRemoveAll, bReset, bAssign, bRemove;
    };

    COXCustomizeShortkeysPage();
    ~COXCustomizeShortkeysPage() override;

    // ---- rules without a window ----
    // Whether a menu command is listed: not 0, not a recent-file command, not
    // an MDI window-list command, and with a string resource.
    static BOOL IsListedCommand(UINT nID, BOOL bMDI, BOOL bHasString);
    // A menu item's text as the tree shows it: cut at the first tab, its
    // first "&" removed.
    static CString GetItemText(LPCTSTR lpszMenuText);
    // The accelerator flags of a hot-key field's modifiers (HOTKEYF_).
    static BYTE HotKeyToVirt(WORD wModifiers);
    // The accelerator a hot-key field's value stands for (cmd 0); FALSE when
    // the field holds no key.
    static BOOL HotKeyToAccel(DWORD dwHotKey, ACCEL& accel);
    // nSelectedRow is the selected row's data, or a value other than the two
    // row kinds when no row is selected.
    static ControlStates GetControlStates(BOOL bCommandSelected, int nRowCount, BOOL bProfile, BOOL bFieldHasKey,
                                          int nSelectedRowData);
    // A command's string split at its first newline: the description before
    // it, the short name after it.
    static CString GetDescriptionPart(const CString& sCommandString);
    static CString GetNamePart(const CString& sCommandString);

    // ---- operations ----
    virtual BOOL InitializeShortkeys(CFrameWnd* pFrameWnd, LPCTSTR lpszProfileName = "CustomizeShortkeys");
    COXShortkeysOrganizer* GetShortkeysOrganizer() { return &m_shortkeysOrganizer; }
    // The image of a command in the page's image list, -1 for none; FALSE
    // for a command the page did not collect.
    BOOL LookupCommandImage(UINT nID, int& nImage) const { return m_mapCommandImage.Lookup(nID, nImage); }
    int GetCommandCount() const { return (int)m_mapCommandImage.GetCount(); }
    // The accelerator a row of the list stands for.
    BOOL GetRowAccel(int nRow, ACCEL& accel) const;
    CString GetAssignedTo() const { return m_sAssignedTo; }
    CString GetDescription() const { return m_sDescription; }

    // ---- overrides of the page ----
    BOOL OnCloseManager(BOOL bIsOk) override;
    BOOL ApplyChanges() override;
    BOOL IsSupportingApplyChanges() override { return TRUE; }
    CString GetTitle() const override;
    UINT GetImageResource() const override;
    CString GetTooltip() const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL IsMDI() const;
    static BOOL HasString(UINT nID);
    void CollectMenuCommands(HMENU hMenu);
    void FillTree(HMENU hMenu, HTREEITEM hParent);
    HTREEITEM FindChild(HTREEITEM hParent, const CString& sText) const;
    // The selected command, 0 with no command (a menu or nothing) selected.
    UINT GetSelectedCommand() const;
    CDocTemplate* GetChosenTemplate(BOOL* pbChosen = NULL) const;
    void RefreshShortkeys();
    void UpdateControls();
    void ShowAssignedTo(DWORD dwHotKey);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitPage() override;

    afx_msg void OnSelChangedCommands(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChangeTable();
    afx_msg void OnSelChangeShortkeys();
    afx_msg void OnHotKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAssign();
    afx_msg void OnRemove();
    afx_msg void OnRemoveAll();
    afx_msg void OnReset();

    CTreeCtrl m_treeCommands;
    COXStatic m_staticDescription;
    CComboBox m_comboTable;
    COXInteractiveHotKeyCtrl m_hotKey;
    COXListBoxEx m_listShortkeys;
    COXSeparator m_sepCommands, m_sepDescription, m_sepNew, m_sepShortcuts;

    CString m_sAssignedTo;
    CString m_sDescription;
    int m_nAccelTableIndex;
    int m_nShortkeyIndex;
    CMap<UINT, UINT, int, int> m_mapCommandImage;
    CImageList m_ilCommands;
    COXShortkeysOrganizer m_shortkeysOrganizer;
    BOOL m_bNoTables;

    CFrameWnd* m_pFrameWnd;
    int m_nFolderImage;
    int m_nNoImage;
    // Each row's own accelerator: a row is removed by value, never by
    // reading its text back (many keys have no name that reads back).
    CArray<ACCEL, const ACCEL&> m_arrRowAccels;

    DECLARE_MESSAGE_MAP()
};
