// COXCustomizeToolbarsPage: the customize page that lists the frame's tool
// bars with a check box each (shown or hidden), makes, renames and deletes
// tool bars of the user's own, and sets four options for every bar at once:
// flat look, tooltips, gripper and border size. Its changes take effect at
// once; OK keeps the options and the user's tool bars in the profile, from
// which the next start makes the bars again. A menu bar is listed but keeps
// its own look, all but its border size.
//
//   COXCustomizeToolbarsPage page;
//   page.InitializeToolbars(TRUE, TRUE, TRUE, 0, "CustomizeToolbars");   // once the frame has its bars
//   manager.RegisterPage(&page, 6);
//
// The rules (the profile's key names, the search for a free id, which stored
// ids are taken as they are, the buttons' states) need no window: the static
// members answer them.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxext.h>
#include <afxtempl.h>

#include <functional>

#include "OXCoolToolBar.h"
#include "OXCustomizePage.h"
#include "OXOptionTreeCtrl.h"
#include "OXSeparator.h"

class COXCustomizeToolbarsPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeToolbarsPage)
public:
    // The ids a user's tool bar may have: from the highest down.
    enum : UINT { kFirstCustomId = 0xE8FF, kLastCustomId = 0xE815 };
    // No more user tool bars than ids to give them: stored numbers 0 to
    // kMaxCustomToolbars - 1.
    enum : int { kMaxCustomToolbars = (int)(kFirstCustomId - kLastCustomId) + 1 };
    // The style of a user's tool bar.
    enum : DWORD
    {
        kCustomStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY |
                       CBRS_SIZE_DYNAMIC
    };
    enum { kMaxBorderSize = 100 };

    // Profile values, in the section the page is given.
    static const char szCoolLook[];       // "CoolLook"
    static const char szShowTooltips[];   // "ShowTooltips"
    static const char szShowGripper[];    // "ShowGripper"
    static const char szBorderSize[];     // "BorderSize"
    static const char szIdSuffix[];       // "_ID"
    static const char szTitleSuffix[];    // "_Title"

    struct ButtonStates
    {
        BOOL bNew, bDelete, bRename, bGripper;
    };
    struct ToolbarEntry
    {
        CMFCToolBar* pBar;
        BOOL bCustom;
    };

    COXCustomizeToolbarsPage();
    ~COXCustomizeToolbarsPage() override;

    // ---- rules without a window ----
    // The first id from 0xE8FF down to 0xE815 that bUsed does not claim; 0
    // when every one is taken.
    static UINT FindFreeId(const std::function<BOOL(UINT)>& bUsed);
    // Whether a stored id is one a user's tool bar may keep.
    static BOOL IsCustomId(UINT nID) { return nID >= kLastCustomId && nID <= kFirstCustomId; }
    static ButtonStates GetButtonStates(BOOL bSelectedCustom, BOOL bCoolLook);
    // A border size read from outside, within 0 to 100.
    static DWORD ClampBorderSize(DWORD nSize) { return nSize > kMaxBorderSize ? kMaxBorderSize : nSize; }

    // ---- operations ----
    virtual BOOL InitializeToolbars(BOOL bCoolLook = TRUE, BOOL bShowGripper = TRUE, BOOL bShowTooltips = TRUE,
                                    DWORD nBorderSize = 0, LPCTSTR lpszProfileName = "CustomizeToolbars");
    // The frame whose bars the page lists and makes: the thread's main
    // window unless one is set here (before InitializeToolbars).
    void SetFrame(CFrameWnd* pFrameWnd) { m_pFrameWnd = pFrameWnd; }
    // The key stem of the user's tool bar n.
    virtual CString GetCustomToolbarName(int nIndex) const;

    int GetToolbarCount() const { return (int)m_arrToolbars.GetSize(); }
    const ToolbarEntry& GetToolbar(int nIndex) const { return m_arrToolbars[nIndex]; }
    int FindToolbar(CMFCToolBar* pBar) const;
    int GetCreatedToolbarCount() const { return (int)m_arrCreatedToolbars.GetSize(); }
    COXCoolToolBar* GetCreatedToolbar(int nIndex) const { return m_arrCreatedToolbars[nIndex]; }
    BOOL IsCoolLook() const { return m_bCoolLook; }
    BOOL IsShowingTooltips() const { return m_bShowTooltips; }
    BOOL IsShowingGripper() const { return m_bShowGripper; }
    DWORD GetBorderSize() const { return m_nBorderSize; }

    // The user's actions, as the page's buttons and tree carry them out.
    COXCoolToolBar* NewToolbar();
    BOOL RenameToolbar(int nIndex, LPCTSTR lpszTitle);
    BOOL DeleteToolbar(int nIndex);

    // ---- overrides of the page ----
    BOOL OnCloseManager(BOOL bIsOk) override;
    BOOL ApplyChanges() override { return TRUE; }
    BOOL IsSupportingApplyChanges() override { return FALSE; }
    CString GetTitle() const override;
    UINT GetImageResource() const override;
    CString GetTooltip() const override;

protected:
    CFrameWnd* GetFrame() const;
    static BOOL IsMenuBar(CControlBar* pBar);
    BOOL IsUsedId(UINT nID) const;
    void AddToolbar(CMFCToolBar* pBar, BOOL bCustom);
    // Makes a user's tool bar in pBar with the id and title; it is listed
    // and its options applied by the caller.
    BOOL CreateCustomToolbar(COXCoolToolBar* pBar, UINT nID, LPCTSTR lpszTitle);
    // Puts a bar object whose window went back to the state of a new one.
    static void ResetToolbarObject(COXCoolToolBar* pBar);
    void ApplyOptions(CMFCToolBar* pBar);
    void ApplyBorders(CMFCToolBar* pBar);
    void WriteProfileValues();
    int GetSelectedIndex() const;
    void UpdateButtons();

    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitPage() override;

    afx_msg void OnNew();
    afx_msg void OnDelete();
    afx_msg void OnRename();
    afx_msg void OnUnused();
    afx_msg void OnCoolLook();
    afx_msg void OnTooltips();
    afx_msg void OnGripper();
    afx_msg void OnBorderSizeChange();
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnOptionChanged(NMHDR* pNMHDR, LRESULT* pResult);

    BOOL m_bCoolLook;
    BOOL m_bShowTooltips;
    DWORD m_nBorderSize;
    BOOL m_bShowGripper;
    CArray<COXCoolToolBar*, COXCoolToolBar*> m_arrCreatedToolbars;
    CArray<ToolbarEntry, const ToolbarEntry&> m_arrToolbars;
    CMap<CMFCToolBar*, CMFCToolBar*, int, int> m_mapToolbarIndex;

    COXOptionTreeCtrl m_treeToolbars;
    CSpinButtonCtrl m_spinBorderSize;
    COXSeparator m_sepBars, m_sepOptions, m_sepBorder;
    // The tree's option ids are handed out once each: indexes move on a
    // delete.
    UINT m_nNextOptionId;
    CFrameWnd* m_pFrameWnd;

    DECLARE_MESSAGE_MAP()
};
