// DynamicPropSheet.cpp - the resizable property sheet and page.
#include "DynamicPropSheet.h"

// The wizard's separator line above its buttons.
static const UINT ID_WIZARD_SEPARATOR = 0x3026;

// ---------------------------------------------------------------------------
// cdxCDynamicPropPage
// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(cdxCDynamicPropPage, CPropertyPage)

cdxCDynamicPropPage::cdxCDynamicPropPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption), cdxCDynamicWnd(fdAll, flAntiFlicker), m_pSheet(NULL),
      m_bFirstHit(FALSE)
{
}

cdxCDynamicPropPage::cdxCDynamicPropPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CPropertyPage(lpszTemplateName, nIDCaption), cdxCDynamicWnd(fdAll, flAntiFlicker), m_pSheet(NULL),
      m_bFirstHit(FALSE)
{
}

BEGIN_MESSAGE_MAP(cdxCDynamicPropPage, CPropertyPage)
    ON_DYNAMIC_LAYOUT_MESSAGES()
END_MESSAGE_MAP()

BOOL cdxCDynamicPropPage::OnInitDialog()
{
    BOOL bResult = CPropertyPage::OnInitDialog();
    DoInitWindow(*this);
    return bResult;
}

BOOL cdxCDynamicPropPage::OnSetActive()
{
    BOOL bResult = CPropertyPage::OnSetActive();
    if (m_pSheet != NULL)
        m_pSheet->OnPageActivated(this);
    return bResult;
}

IMPLEMENT_DYNAMIC_LAYOUT_HANDLERS(cdxCDynamicPropPage, CPropertyPage)

// ---------------------------------------------------------------------------
// cdxCDynamicPropSheet
// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(cdxCDynamicPropSheet, CPropertySheet)

cdxCDynamicPropSheet::cdxCDynamicPropSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, Freedom fd,
                                           UINT nFlags)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), cdxCDynamicWndEx(fd, nFlags), m_bHasPos(FALSE)
{
}

cdxCDynamicPropSheet::cdxCDynamicPropSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, Freedom fd,
                                           UINT nFlags)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), cdxCDynamicWndEx(fd, nFlags), m_bHasPos(FALSE)
{
}

// A modeless sheet still open is closed while the layout can store its placement.
cdxCDynamicPropSheet::~cdxCDynamicPropSheet()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BEGIN_MESSAGE_MAP(cdxCDynamicPropSheet, CPropertySheet)
    ON_WM_CREATE()
    ON_DYNAMIC_LAYOUT_MESSAGES_NO_PARENT_NOTIFY()
END_MESSAGE_MAP()

BEGIN_DYNAMIC_MAP(cdxCDynamicPropSheet, cdxCDynamicWndEx)
    DYNAMIC_MAP_ENTRY_EX(ID_WIZNEXT, mdRepos, mdRepos)
    DYNAMIC_MAP_ENTRY_EX(ID_WIZFINISH, mdRepos, mdRepos)
    DYNAMIC_MAP_ENTRY_EX(ID_WIZBACK, mdRepos, mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDOK, mdRepos, mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDCANCEL, mdRepos, mdRepos)
    DYNAMIC_MAP_ENTRY_EX(ID_WIZNEXT, mdRepos, mdRepos)
    DYNAMIC_MAP_ENTRY_EX(ID_APPLY_NOW, mdRepos, mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDHELP, mdRepos, mdRepos)
    DYNAMIC_MAP_ENTRY_EX(AFX_IDC_TAB_CONTROL, mdResize, mdResize)
    DYNAMIC_MAP_ENTRY_EX(ID_WIZARD_SEPARATOR, mdResize, mdRepos)
END_DYNAMIC_MAP()

void cdxCDynamicPropSheet::AddPage(cdxCDynamicPropPage* pPage)
{
    pPage->m_pSheet = this;
    CPropertySheet::AddPage(pPage);
}

void cdxCDynamicPropSheet::RemovePage(cdxCDynamicPropPage* pPage)
{
    pPage->m_pSheet = NULL;
    CPropertySheet::RemovePage(pPage);
}

void cdxCDynamicPropSheet::RemovePage(int nPage)
{
    cdxCDynamicPropPage* pPage = dynamic_cast<cdxCDynamicPropPage*>(GetPage(nPage));
    if (pPage != NULL)
        pPage->m_pSheet = NULL;
    CPropertySheet::RemovePage(nPage);
}

// The sheet is made resizable after the system has created it as a fixed
// dialog.
int cdxCDynamicPropSheet::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int nResult = CPropertySheet::OnCreate(lpCreateStruct);
    if (nResult != -1) {
        ModifyStyle(0, WS_THICKFRAME | WS_SYSMENU);
        ModifyStyleEx(0, WS_EX_COMPOSITED);
    }
    return nResult;
}

BOOL cdxCDynamicPropSheet::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();
    DoInitWindow(*this);
    ModifyStyle(0, WS_CLIPSIBLINGS);
    CPropertyPage* pPage = GetActivePage();
    if (pPage != NULL && ::IsWindow(pPage->m_hWnd)) {
        AddControl(*pPage, 0, 0, 100, 100, CSize(0, 0), TRUE);
        m_bHasPos = GetControlPositionRecord(pPage->m_hWnd, m_PagePos);
    }
    return bResult;
}

// A page is given the active page's place once, on its first activation; a
// wizard lays out again after every page change (its buttons change).
void cdxCDynamicPropSheet::OnPageActivated(cdxCDynamicPropPage* pPage)
{
    if (!pPage->m_bFirstHit) {
        if (m_bHasPos)
            UpdateControlPosition(*pPage, m_PagePos, TRUE);
        pPage->m_bFirstHit = TRUE;
    }
    if (m_psh.dwFlags & PSH_WIZARD)
        Layout();
}

BOOL cdxCDynamicPropSheet::DestroyWindow()
{
    DoOnDestroy();
    return CPropertySheet::DestroyWindow();
}

IMPLEMENT_DYNAMIC_LAYOUT_HANDLERS_NO_PARENT_NOTIFY(cdxCDynamicPropSheet, CPropertySheet)
