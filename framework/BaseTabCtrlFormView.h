// BaseTabCtrlFormView.h - CBaseTabCtrlFormView: a form view holding a tab
// control with one dialog page per tab. The derived view adds its pages and
// sets its profile section before the initial update; the selected tab is
// kept in that section under "CurrentTab".
#pragma once

#include "BaseFormView.h"
#include "BaseDlg.h"
#include "DialogTabCtrl.h"

#include <afxtempl.h>

class CBaseTabCtrlFormView : public CBaseFormView
{
    DECLARE_DYNAMIC(CBaseTabCtrlFormView)
protected:
    explicit CBaseTabCtrlFormView(UINT nIDTemplate);
public:
    virtual ~CBaseTabCtrlFormView();

    // The dialog control of the form that becomes the tab control.
    enum { IDC_PAGE_TABS = 1023 };

    // ---- operations ----
    // Before the initial update: a tab titled lpszTitle showing pPage, made
    // from the page's own template as a child of the tab control. The view
    // takes pPage over.
    void AddPage(LPCTSTR lpszTitle, CBaseDlg* pPage);

    CDialogTabCtrl& GetTabCtrl() { return m_TabCtrl; }

    CStringArray m_arrTitles;
    CArray<CBaseDlg*, CBaseDlg*> m_arrPages;
    CDialogTabCtrl m_TabCtrl;

    void OnInitialUpdate() override;

protected:
    // Creates the pages, puts them in the tab control and shows the tab last
    // left selected.
    virtual void CreatePages();
    // Called once the pages exist and the stored tab is shown; nothing here.
    virtual void OnPagesCreated() {}

    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
