// BaseTabCtrlFormView.cpp - CBaseTabCtrlFormView: the pages made at the
// initial update, the selected tab kept across runs.
#include "BaseTabCtrlFormView.h"
#include "ProfileKeys.h"

IMPLEMENT_DYNAMIC(CBaseTabCtrlFormView, CBaseFormView)

BEGIN_MESSAGE_MAP(CBaseTabCtrlFormView, CBaseFormView)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {


}  // namespace

CBaseTabCtrlFormView::CBaseTabCtrlFormView(UINT nIDTemplate)
    : CBaseFormView(nIDTemplate)
{
}

// Pages handed to the tab control go with it; a page added but never put in
// (a view that went before its initial update) is deleted here.
CBaseTabCtrlFormView::~CBaseTabCtrlFormView()
{
    for (INT_PTR i = m_TabCtrl.GetPageCount(); i < m_arrPages.GetSize(); ++i) delete m_arrPages[i];
    m_arrPages.RemoveAll();
}

void CBaseTabCtrlFormView::AddPage(LPCTSTR lpszTitle, CBaseDlg* pPage)
{
    m_arrTitles.Add(lpszTitle);
    m_arrPages.Add(pPage);
}

void CBaseTabCtrlFormView::DoDataExchange(CDataExchange* pDX)
{
    CBaseFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAGE_TABS, m_TabCtrl);
}

// A view updated again for a new document keeps the pages it made the first
// time.
void CBaseTabCtrlFormView::OnInitialUpdate()
{
    CBaseFormView::OnInitialUpdate();
    if (m_TabCtrl.GetSafeHwnd() == NULL || m_TabCtrl.GetPageCount() > 0) return;
    CreatePages();
    OnPagesCreated();
}

// A stored tab that no longer exists (fewer pages than last time) falls back
// to the first, so a page is always shown.
void CBaseTabCtrlFormView::CreatePages()
{
    const int nPages = (int)m_arrPages.GetSize();
    for (int i = 0; i < nPages; ++i) {
        CBaseDlg* pPage = m_arrPages[i];
        if (pPage->GetSafeHwnd() == NULL) pPage->Create((UINT)pPage->GetTemplateId(), &m_TabCtrl);
        m_TabCtrl.AddPage(i, i < m_arrTitles.GetSize() ? (LPCTSTR)m_arrTitles[i] : "", i, pPage);
        if (pPage->GetSafeHwnd() != NULL) pPage->RedrawWindow();
    }
    m_TabCtrl.InitPages();
    int nTab = (int)AfxGetApp()->GetProfileInt(m_strProfileSection, szTabViewCurrentTab, nTabViewCurrentTabDefault);
    if (nTab < 0 || nTab >= nPages) nTab = 0;
    if (nPages > 0) m_TabCtrl.SetActivePage(nTab);
}

void CBaseTabCtrlFormView::OnDestroy()
{
    if (m_TabCtrl.GetSafeHwnd() != NULL)
        AfxGetApp()->WriteProfileInt(m_strProfileSection, szTabViewCurrentTab, m_TabCtrl.GetCurSel());
    CBaseFormView::OnDestroy();
}
