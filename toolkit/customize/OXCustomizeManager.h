// COXCustomizeManager: the modeless, resizable customize dialog. A shortcut
// bar on the left lists the registered pages as large icons, one bar group
// per page group; the active page fills the area between the two lines on
// the right, under its title. Clicking an item switches pages; OK and Cancel
// close every page (a page may refuse), Apply applies the active one.
//
//   COXCustomizeManager manager;
//   manager.RegisterPage(&captionPage, 1);   // before the dialog opens
//   manager.Open(pFrame);                    // modeless
//
// Page objects belong to whoever registered them; the manager never deletes
// them, and may be opened again after it closed. A page whose window goes
// while the dialog is open (its object deleted, say) leaves the dialog: it
// is no longer shown, listed or asked on closing. Registration stays.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "OXCustomizePage.h"
#include "OXLayoutManager.h"
#include "OXSeparator.h"
#include "OXSHBListCtrl.h"
#include "OXShortcutBar.h"
#include "OXStatic.h"
#include "toolkit_res.h"

// The manager's bar style: headers edited by nobody, items neither dragged
// nor dropped, the active item drawn sunken and kept visible.
#define OX_CUSTOMIZE_BAR_STYLE 0x05D3

// The smallest size the dialog can be tracked to.
#define OX_CUSTOMIZE_MIN_WIDTH 520
#define OX_CUSTOMIZE_MIN_HEIGHT 450

// The title line's background: darkening to the left, where its text starts.
#define OX_CUSTOMIZE_TITLE_BKMODE 1

// The title's text colour: the scheme's caption text colour (clrPreferred)
// unless it cannot be read on the title's gradient (clrBack darkening to
// black, nWidth wide) under the title's first cxText pixels.
COLORREF OXCustomizeTitleTextColor(COLORREF clrPreferred, COLORREF clrBack, int nWidth, int cxText);

class COXCustomizeManager : public CDialog
{
public:
    enum { IDD = IDD_OX_CUSTOMIZE_MANAGER };

    explicit COXCustomizeManager(CWnd* pParent = NULL);
    virtual ~COXCustomizeManager();

    // Registers a page under an identifier (several pages may share one);
    // takes effect the next time the dialog opens. FALSE for NULL.
    BOOL RegisterPage(COXCustomizePage* pPage, DWORD dwPageID);
    // Opens the dialog modeless, or brings it forward when it is open.
    BOOL Open(CWnd* pParentWnd = NULL);

    BOOL FindPage(COXCustomizePage* pPage, HSHBGROUP& hGroup, int& nItem);
    BOOL FindPage(LPCTSTR lpszTitle, LPCTSTR lpszGroup, HSHBGROUP& hGroup, int& nItem);
    BOOL FindPageByID(DWORD dwPageID, HSHBGROUP& hGroup, int& nItem);
    BOOL ActivatePage(COXCustomizePage* pPage);
    BOOL ActivatePage(LPCTSTR lpszTitle, LPCTSTR lpszGroup);
    BOOL ActivatePageByID(DWORD dwPageID);
    // Adds a page at the end of its group (a new group takes it first).
    BOOL AddPage(COXCustomizePage* pPage);
    BOOL SetPageTooltip(COXCustomizePage* pPage, LPCTSTR lpszTooltip);

    COXCustomizePage* GetActivePage() const { return m_pActivePage; }
    CRect GetPageRect() const { return m_rectPage; }
    int GetPageCount();
    int GetGroupPageCount(LPCTSTR lpszGroup);
    COXShortcutBar& GetShortcutBar() { return m_shb; }
    // Every registered page, added to the bar or not, in no particular order.
    void GetRegisteredPages(CArray<COXCustomizePage*, COXCustomizePage*>& arrPages) const;

    // ---- virtual operations ----
    // Adds every registered page that IsPageIncluded accepts.
    virtual BOOL LoadPages();
    virtual BOOL IsPageIncluded(DWORD dwPageID);
    // Closes every page; FALSE, with the refusing page shown, when one refuses.
    virtual BOOL CloseManager(BOOL bIsOk);
    // The parent of every page window.
    virtual CWnd* GetPageParentWnd() const;
    virtual BOOL AddPage(COXCustomizePage* pPage, int nIndex);
    virtual BOOL DeletePage(COXCustomizePage* pPage);
    virtual BOOL ActivatePage(HSHBGROUP hGroup, int nItem);
    virtual BOOL SaveWorkspaceState();
    // Called by a page as its window goes.
    virtual void OnPageDestroyed(COXCustomizePage* pPage);

protected:
    // The group whose header is exactly lpszGroup, or NULL.
    HSHBGROUP FindGroupByName(LPCTSTR lpszGroup);
    HSHBGROUP GetGroupByOrder(int nOrder) { return m_shb.FindGroupByOrder(nOrder); }
    COXCustomizePage* GetItemPage(HSHBGROUP hGroup, int nItem);
    // The pages added in this opening, taken before a loop whose calls may
    // make pages leave.
    void GetAddedPages(CArray<COXCustomizePage*, COXCustomizePage*>& arrPages) const;
    BOOL CreateShortcutBar();
    void RecalcPageRect();
    // A text colour that reads on the part of the title's gradient the
    // present title covers.
    void UpdateTitleColor();

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    virtual void OnCancel() override;
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnApply();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    COXSeparator m_sepTop;
    COXSeparator m_sepBottom;
    COXShortcutBar m_shb;
    COXStatic m_title;
    CFont m_fontTitle;
    CImageList m_ilPages;
    CRect m_rectPage;
    COXCustomizePage* m_pActivePage;
    COXLayoutManager m_layoutManager;
    CMap<COXCustomizePage*, COXCustomizePage*, DWORD, DWORD> m_mapPages;
    CMap<COXCustomizePage*, COXCustomizePage*, DWORD, DWORD> m_mapAddedPages;
    CMap<COXCustomizePage*, COXCustomizePage*, CString, CString> m_mapTooltips;
    BOOL m_bInitialized;

    DECLARE_MESSAGE_MAP()
};
