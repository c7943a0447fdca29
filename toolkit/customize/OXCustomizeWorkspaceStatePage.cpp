#include "OXCustomizeWorkspaceStatePage.h"

#include "OXCustomizeManager.h"
#include "OXCustomizeProfile.h"
#include "OXFrameWndDock.h"
#include "toolkit_res.h"

IMPLEMENT_DYNCREATE(COXCustomizeWorkspaceStatePage, COXCustomizePage)

BEGIN_MESSAGE_MAP(COXCustomizeWorkspaceStatePage, COXCustomizePage)
    ON_NOTIFY(OTN_OPTIONCHANGED, IDC_OX_WSP_PAGES, &COXCustomizeWorkspaceStatePage::OnPageCheckChanged)
END_MESSAGE_MAP()

namespace {

const char kIncludeBars[] = "IncludeBars";
const char kIncludeMainWnd[] = "IncludeMainWnd";
const char kIncludeChildFrames[] = "IncludeChildFrames";
const char kIncludeSplitterPanes[] = "IncludeSplitterPanes";
const char kPageKeyFormat[] = "%d_CustomizePageKey";

CString PageKeyEntry(int n)
{
    CString sEntry;
    sEntry.Format(kPageKeyFormat, n);
    return sEntry;
}

BOOL HasProfile(LPCTSTR lpszSection)
{
    return AfxGetApp() != NULL && lpszSection != NULL && *lpszSection != '\0';
}

} // namespace

// ---------------------------------------------------------------------------
// The rules
// ---------------------------------------------------------------------------
CString COXCustomizeWorkspaceStatePage::MakePageKey(LPCTSTR lpszTitle, LPCTSTR lpszGroup)
{
    return CString(lpszTitle) + "~!@#$^" + lpszGroup;
}

BOOL COXCustomizeWorkspaceStatePage::KeepsOwnBars(const CWnd* pMainWnd)
{
    return pMainWnd != NULL && (pMainWnd->IsKindOf(RUNTIME_CLASS(COXFrameWndSizeDock)) ||
                                pMainWnd->IsKindOf(RUNTIME_CLASS(COXMDIFrameWndSizeDock)));
}

void COXCustomizeWorkspaceStatePage::ReadPageMap(LPCTSTR lpszSection, CPageIncludedMap& map)
{
    map.RemoveAll();
    if (!HasProfile(lpszSection))
        return;
    for (int n = 0; n < kMaxPageKeys; n++) {
        // A key longer than any page's reads as the end of the list.
        const CString sKey = OXGetProfileStringBounded(lpszSection, PageKeyEntry(n), "", kMaxPageKeyLength);
        if (sKey.IsEmpty())
            break;
        map[sKey] = OXGetProfileBool(lpszSection, sKey, TRUE);
    }
}

void COXCustomizeWorkspaceStatePage::WritePageMap(LPCTSTR lpszSection, const CPageIncludedMap& map)
{
    if (!HasProfile(lpszSection))
        return;
    CWinApp* pApp = AfxGetApp();
    int n = 0;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        CString sKey;
        BOOL bIncluded = TRUE;
        map.GetNextAssoc(pos, sKey, bIncluded);
        pApp->WriteProfileString(lpszSection, PageKeyEntry(n++), sKey);
        pApp->WriteProfileInt(lpszSection, sKey, bIncluded ? 1 : 0);
    }
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------
COXCustomizeWorkspaceStatePage::COXCustomizeWorkspaceStatePage()
    : m_bIncludeBars(FALSE), m_bIncludeMainWnd(FALSE), m_bIncludeChildFrames(FALSE),
      m_bIncludeSplitterPanes(FALSE), m_mapPageIncluded(10)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_WORKSPACE;
    m_mapPageIncluded.InitHashTable(17);
}

COXCustomizeWorkspaceStatePage::~COXCustomizeWorkspaceStatePage()
{
}

CString COXCustomizeWorkspaceStatePage::GetTitle() const
{
    return LoadText(IDS_OX_WSP_TITLE);
}

UINT COXCustomizeWorkspaceStatePage::GetImageResource() const
{
    return IDB_OX_WORKSPACE_PAGE;
}

CString COXCustomizeWorkspaceStatePage::GetTooltip() const
{
    return LoadText(IDS_OX_WSP_TOOLTIP);
}

CString COXCustomizeWorkspaceStatePage::GetPageKey(COXCustomizePage* pPage) const
{
    return MakePageKey(pPage->GetTitle(), pPage->GetGroup());
}

BOOL COXCustomizeWorkspaceStatePage::IsCustomizePageIncluded(COXCustomizePage* pPage)
{
    if (pPage == NULL)
        return FALSE;
    if (pPage == this)
        return TRUE;
    BOOL bIncluded = TRUE;
    return m_mapPageIncluded.Lookup(GetPageKey(pPage), bIncluded) ? bIncluded : TRUE;
}

void COXCustomizeWorkspaceStatePage::SetStateOptions()
{
    m_workspaceState.SetIncludeMainWnd(m_bIncludeMainWnd);
    m_workspaceState.SetIncludeChildFrames(m_bIncludeChildFrames);
    m_workspaceState.SetIncludeSplitterPanes(m_bIncludeSplitterPanes);
    m_workspaceState.SetIncludeBars(m_bIncludeBars && !KeepsOwnBars(AfxGetMainWnd()));
}

BOOL COXCustomizeWorkspaceStatePage::InitializeWorkspaceState(BOOL bIncludeMainWnd, BOOL bIncludeBars,
                                                              BOOL bIncludeChildFrames, BOOL bIncludeSplitterPanes,
                                                              LPCTSTR lpszProfileName)
{
    m_bIncludeMainWnd = bIncludeMainWnd;
    m_bIncludeBars = bIncludeBars;
    m_bIncludeChildFrames = bIncludeChildFrames;
    m_bIncludeSplitterPanes = bIncludeSplitterPanes;
    m_sProfileName = lpszProfileName != NULL ? lpszProfileName : "";
    if (HasProfile(m_sProfileName)) {
        m_bIncludeBars = OXGetProfileBool(m_sProfileName, kIncludeBars, m_bIncludeBars);
        m_bIncludeMainWnd = OXGetProfileBool(m_sProfileName, kIncludeMainWnd, m_bIncludeMainWnd);
        m_bIncludeChildFrames = OXGetProfileBool(m_sProfileName, kIncludeChildFrames, m_bIncludeChildFrames);
        m_bIncludeSplitterPanes = OXGetProfileBool(m_sProfileName, kIncludeSplitterPanes, m_bIncludeSplitterPanes);
    }
    SetStateOptions();

    // A stored record brings its own choices back with it: one that holds
    // bars (stored before the frame kept its own) must not move the bars of
    // a frame that keeps them.
    if (m_workspaceState.LoadFromRegistry(NULL, NULL, NULL, HKEY_CURRENT_USER, FALSE)) {
        if (KeepsOwnBars(AfxGetMainWnd()))
            m_workspaceState.SetIncludeBars(FALSE);
        m_workspaceState.ApplyState();
    }
    // The offered pages are the user's choice whether a workspace was stored
    // or not.
    ReadPageMap(m_sProfileName, m_mapPageIncluded);
    return TRUE;
}

BOOL COXCustomizeWorkspaceStatePage::SaveWorkspaceState()
{
    SetStateOptions();
    // Bars left out are not captured: what a loaded record held of them
    // would otherwise be stored again.
    if (!m_workspaceState.m_bIncludeBars && m_workspaceState.m_pDockState != NULL)
        m_workspaceState.m_pDockState->Clear();
    return m_workspaceState.StoreToRegistry(NULL, NULL, NULL, HKEY_CURRENT_USER, TRUE, TRUE, TRUE);
}

BOOL COXCustomizeWorkspaceStatePage::OnCloseManager(BOOL bIsOk)
{
    if (!bIsOk) {
        ReadPageMap(m_sProfileName, m_mapPageIncluded);
        return TRUE;
    }
    // Without a profile the choices still hold for this run.
    if (!UpdateData(TRUE))
        return FALSE;
    if (!HasProfile(m_sProfileName))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(m_sProfileName, kIncludeBars, m_bIncludeBars ? 1 : 0);
    pApp->WriteProfileInt(m_sProfileName, kIncludeMainWnd, m_bIncludeMainWnd ? 1 : 0);
    pApp->WriteProfileInt(m_sProfileName, kIncludeChildFrames, m_bIncludeChildFrames ? 1 : 0);
    pApp->WriteProfileInt(m_sProfileName, kIncludeSplitterPanes, m_bIncludeSplitterPanes ? 1 : 0);
    WritePageMap(m_sProfileName, m_mapPageIncluded);
    return TRUE;
}

void COXCustomizeWorkspaceStatePage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_WSP_PAGES, m_treePages);
    DDX_Control(pDX, IDC_OX_WSP_SEP_PAGES, m_sepPages);
    DDX_Check(pDX, IDC_OX_WSP_MAINWND, m_bIncludeMainWnd);
    DDX_Check(pDX, IDC_OX_WSP_BARS, m_bIncludeBars);
    DDX_Check(pDX, IDC_OX_WSP_CHILDFRAMES, m_bIncludeChildFrames);
    DDX_Check(pDX, IDC_OX_WSP_SPLITTERPANES, m_bIncludeSplitterPanes);
}

void COXCustomizeWorkspaceStatePage::FillPages()
{
    m_treePages.DeleteAllOptions();
    const int nImage = m_treePages.AddImages(IDB_OX_WORKSPACE_PAGES, RGB(192, 192, 192));
    HTREEITEM hRoot = m_treePages.AddGroup(LoadText(IDS_OX_WSP_ROOT), TVI_ROOT, TRUE, nImage, nImage);
    m_treePages.SetItemState(hRoot, TVIS_BOLD, TVIS_BOLD);

    COXCustomizeManager* pManager = GetCustomizeManager();
    CArray<COXCustomizePage*, COXCustomizePage*> arrPages;
    if (pManager != NULL)
        pManager->GetRegisteredPages(arrPages);
    UINT nID = IDOPT_FIRST_PAGE;
    for (INT_PTR i = 0; i < arrPages.GetSize(); i++) {
        COXCustomizePage* pPage = arrPages[i];
        HSHBGROUP hGroup = NULL;
        int nItem = -1;
        const BOOL bShown = pManager->FindPage(pPage, hGroup, nItem);
        // This page cannot take itself away: without it nothing would bring
        // the others back.
        HTREEITEM hItem = m_treePages.AddCheckBox(nID++, pPage->GetTitle(), hRoot, bShown ? 1 : 0, TVI_SORT,
                                                  pPage == this);
        m_treePages.SetItemData(hItem, (DWORD_PTR)pPage);
    }
    m_treePages.Expand(hRoot, TVE_EXPAND);
    m_treePages.SelectItem(hRoot);
}

void COXCustomizeWorkspaceStatePage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    // Document windows exist only in an MDI frame.
    if (CWnd* pChildFrames = GetDlgItem(IDC_OX_WSP_CHILDFRAMES))
        pChildFrames->ShowWindow(DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd()) != NULL ? SW_SHOW : SW_HIDE);
    FillPages();

    for (UINT nID : {IDC_OX_WSP_MAINWND, IDC_OX_WSP_BARS, IDC_OX_WSP_CHILDFRAMES, IDC_OX_WSP_SPLITTERPANES,
                     IDC_OX_WSP_SEP_PAGES})
        m_LayoutManager.TieChild(nID, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_WSP_PAGES, OX_LMS_ALL, OX_LMT_SAME);

    m_bInitialized = TRUE;
}

void COXCustomizeWorkspaceStatePage::OnPageCheckChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bInitialized)
        return;
    const NMOPTIONTREE* pInfo = (const NMOPTIONTREE*)pNMHDR;
    COXCustomizePage* pPage = (COXCustomizePage*)m_treePages.GetItemData(pInfo->hItem);
    if (pPage == NULL || pInfo->nNewCheck < 0)
        return;
    m_mapPageIncluded[GetPageKey(pPage)] = pInfo->nNewCheck == 1;
}
