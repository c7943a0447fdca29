// COXCustomizeWorkspaceStatePage: the customize page that decides what the
// saved workspace holds (the main window's place, the control bars, the
// document windows, the split panes) and which pages the customize dialog
// offers. The page owns the workspace state that does the work: its
// initializer puts the stored workspace back at start, the manager's
// SaveWorkspaceState stores it again (as the program closes, say).
//
//   COXCustomizeWorkspaceStatePage page;
//   page.InitializeWorkspaceState(TRUE, TRUE, TRUE, TRUE, "CustomizeWorkspaceState");   // once the frame exists
//   manager.RegisterPage(&page, 15);
//   ...
//   BOOL CMyManager::IsPageIncluded(DWORD dwPageID)   // the page offered or not
//   { return m_workspacePage.IsCustomizePageIncluded(PageOf(dwPageID)); }
//
// A size-dock frame keeps its bars itself: its workspace never holds them.
// The rules (a page's key, which frames keep their bars, the offered pages
// read from and written to the profile) need no window and are tested by
// tables.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "OXCustomizePage.h"
#include "OXOptionTreeCtrl.h"
#include "OXSeparator.h"
#include "OXWorkspaceState.h"

class COXCustomizeWorkspaceStatePage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeWorkspaceStatePage)
public:
    // The first id of the tree's page items.
    enum { IDOPT_FIRST_PAGE = 2000 };
    // Page key to whether the page is offered.
    typedef CMap<CString, LPCTSTR, BOOL, BOOL> CPageIncludedMap;
    // Bounds of what the profile lists: the keys read, and a key's length.
    enum { kMaxPageKeys = 1000, kMaxPageKeyLength = 1024 };

    // A page's title and group as one key.
    static CString MakePageKey(LPCTSTR lpszTitle, LPCTSTR lpszGroup);
    // A size-dock frame (SDI or MDI) keeps its own bar layout.
    static BOOL KeepsOwnBars(const CWnd* pMainWnd);
    // The offered pages stored in a profile section: "%d_CustomizePageKey"
    // from 0 names each key, up to the first missing or empty one; the key's
    // own value says whether that page is offered (1 when absent). Nothing is
    // read for an empty section.
    static void ReadPageMap(LPCTSTR lpszSection, CPageIncludedMap& map);
    static void WritePageMap(LPCTSTR lpszSection, const CPageIncludedMap& map);

    COXCustomizeWorkspaceStatePage();
    virtual ~COXCustomizeWorkspaceStatePage();

    COXWorkspaceState& GetWorkspaceState() { return m_workspaceState; }
    // FALSE for NULL; TRUE for this page itself, and for a page never
    // unchecked here.
    BOOL IsCustomizePageIncluded(COXCustomizePage* pPage);

    // ---- overrides of the page ----
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual BOOL SaveWorkspaceState() override;
    virtual BOOL ApplyChanges() override { return TRUE; }
    virtual BOOL IsSupportingApplyChanges() override { return FALSE; }
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override;
    virtual CString GetTooltip() const override;

    // ---- the page's own virtuals ----
    // Takes the options (a profile section overrides them), puts the stored
    // workspace back and reads which pages are offered. TRUE.
    virtual BOOL InitializeWorkspaceState(BOOL bIncludeMainWnd = TRUE, BOOL bIncludeBars = TRUE,
                                          BOOL bIncludeChildFrames = TRUE, BOOL bIncludeSplitterPanes = TRUE,
                                          LPCTSTR lpszProfileName = "CustomizeWorkspaceState");
    virtual CString GetPageKey(COXCustomizePage* pPage) const;

protected:
    // Gives the workspace state the page's options.
    void SetStateOptions();
    void FillPages();

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    afx_msg void OnPageCheckChanged(NMHDR* pNMHDR, LRESULT* pResult);

    COXOptionTreeCtrl m_treePages;
    COXSeparator m_sepPages;

    BOOL m_bIncludeBars;
    BOOL m_bIncludeMainWnd;
    BOOL m_bIncludeChildFrames;
    BOOL m_bIncludeSplitterPanes;
    COXWorkspaceState m_workspaceState;
    CPageIncludedMap m_mapPageIncluded;

    DECLARE_MESSAGE_MAP()
};
