// DynamicPropSheet.h - a resizable property sheet and its pages on the dynamic
// layout engine: the sheet's buttons keep to the bottom-right corner, its tab
// control and the active page stretch with it.
#pragma once

#include <afxdlgs.h>
#include "DynamicWnd.h"

class cdxCDynamicPropSheet;

class cdxCDynamicPropPage : public CPropertyPage, public cdxCDynamicWnd
{
    DECLARE_DYNAMIC(cdxCDynamicPropPage)
public:
    explicit cdxCDynamicPropPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit cdxCDynamicPropPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~cdxCDynamicPropPage() {}

    cdxCDynamicPropSheet* m_pSheet;   // set while the page belongs to a dynamic sheet
    BYTE m_bFirstHit;                 // the sheet has placed the page once

    BOOL OnSetActive() override;

protected:
    BOOL OnInitDialog() override;

    DECLARE_DYNAMIC_LAYOUT_HANDLERS()
    DECLARE_MESSAGE_MAP()
};

class cdxCDynamicPropSheet : public CPropertySheet, public cdxCDynamicWndEx
{
    DECLARE_DYNAMIC(cdxCDynamicPropSheet)
public:
    explicit cdxCDynamicPropSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0,
                                  Freedom fd = fdAll, UINT nFlags = flDefault);
    explicit cdxCDynamicPropSheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0,
                                  Freedom fd = fdAll, UINT nFlags = flDefault);
    virtual ~cdxCDynamicPropSheet();

    Position m_PagePos;     // where the active page sat at set-up
    BYTE m_bHasPos;         // m_PagePos is known

    void AddPage(cdxCDynamicPropPage* pPage);
    void RemovePage(cdxCDynamicPropPage* pPage);
    void RemovePage(int nPage);

    // Called by a page each time it becomes active.
    virtual void OnPageActivated(cdxCDynamicPropPage* pPage);

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_DYNAMIC_LAYOUT_HANDLERS_NO_PARENT_NOTIFY()
    DECLARE_MESSAGE_MAP()
    DECLARE_DYNAMIC_MAP()
};
