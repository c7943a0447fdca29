// COXCustomizePage: the base of every page of the customize manager. A page
// is a child window made from its own dialog template when it is first shown,
// hidden (never destroyed) while another page is active, and asked through
// its virtuals to apply, close and save. A concrete page sets m_nDialogID and
// its profile name, and overrides what it needs.
#pragma once

#include <afxwin.h>

#include "OXLayoutManager.h"

class COXCustomizeManager;

class COXCustomizePage : public CWnd
{
    DECLARE_DYNCREATE(COXCustomizePage)
public:
    COXCustomizePage();
    virtual ~COXCustomizePage();

    COXCustomizeManager* GetCustomizeManager() const { return m_pCustomizeManager; }
    CString GetProfileName() const { return m_sProfileName; }
    BOOL IsInitialized() const { return m_bInitialized; }

    // ---- virtual operations ----
    // Makes the page window from its template under pParentWnd, at the given
    // edges, with control id nID; WS_VISIBLE in dwStyle shows it.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd, int left, int top, int right, int bottom,
                        UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE);
    // Shows the page, creating it first when it has no window yet.
    virtual BOOL Load(const COXCustomizeManager* pManager);
    // Hides the page.
    virtual void Unload();
    // The manager closes (OK or Cancel); FALSE keeps the manager open.
    virtual BOOL OnCloseManager(BOOL bIsOk);
    virtual BOOL SaveWorkspaceState();
    virtual BOOL ApplyChanges();
    virtual BOOL IsSupportingApplyChanges();
    virtual CString GetTitle() const;
    // A bitmap resource of 32-pixel images (0: none), the first of which
    // stands for the page in the manager's bar, and its clear colour.
    virtual UINT GetImageResource() const;
    virtual COLORREF GetImageMask() const;
    virtual CString GetTooltip() const;
    // The bar group the page joins.
    virtual CString GetGroup() const;

    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // A string of the toolkit's resources: the pages' titles and tips.
    static CString LoadText(UINT nID)
    {
        CString s;
        s.LoadString(nID);
        return s;
    }
    // Runs once the page window exists: fills the controls from the members
    // and lays them out. Concrete pages extend it.
    virtual void OnInitPage();

    afx_msg void OnDestroy();

    COXCustomizeManager* m_pCustomizeManager;
    UINT m_nDialogID;
    COXLayoutManager m_LayoutManager;
    CString m_sProfileName;     // empty: the page neither reads nor writes the profile
    BOOL m_bInitialized;        // command handlers do nothing while FALSE

    DECLARE_MESSAGE_MAP()
};
