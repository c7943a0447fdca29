#include "OXCustomizeToolbarsPage.h"

#include <new>

#include "OXMenuBar.h"
#include "OXSkinnedApp.h"
#include "OXSkins.h"
#include "toolkit_res.h"

IMPLEMENT_DYNCREATE(COXCustomizeToolbarsPage, COXCustomizePage)

const char COXCustomizeToolbarsPage::szCoolLook[] = "CoolLook";
const char COXCustomizeToolbarsPage::szShowTooltips[] = "ShowTooltips";
const char COXCustomizeToolbarsPage::szShowGripper[] = "ShowGripper";
const char COXCustomizeToolbarsPage::szBorderSize[] = "BorderSize";
const char COXCustomizeToolbarsPage::szIdSuffix[] = "_ID";
const char COXCustomizeToolbarsPage::szTitleSuffix[] = "_Title";

BEGIN_MESSAGE_MAP(COXCustomizeToolbarsPage, COXCustomizePage)
    ON_BN_CLICKED(IDC_OX_TBP_NEW, &COXCustomizeToolbarsPage::OnNew)
    ON_BN_CLICKED(IDC_OX_TBP_DELETE, &COXCustomizeToolbarsPage::OnDelete)
    ON_BN_CLICKED(IDC_OX_TBP_RENAME, &COXCustomizeToolbarsPage::OnRename)
    ON_BN_CLICKED(IDC_OX_TBP_UNUSED1, &COXCustomizeToolbarsPage::OnUnused)
    ON_BN_CLICKED(IDC_OX_TBP_UNUSED2, &COXCustomizeToolbarsPage::OnUnused)
    ON_BN_CLICKED(IDC_OX_TBP_COOL_LOOK, &COXCustomizeToolbarsPage::OnCoolLook)
    ON_BN_CLICKED(IDC_OX_TBP_TOOLTIPS, &COXCustomizeToolbarsPage::OnTooltips)
    ON_BN_CLICKED(IDC_OX_TBP_GRIPPER, &COXCustomizeToolbarsPage::OnGripper)
    ON_EN_CHANGE(IDC_OX_TBP_BORDER_SIZE, &COXCustomizeToolbarsPage::OnBorderSizeChange)
    ON_NOTIFY(TVN_SELCHANGED, IDC_OX_TBP_BARS, &COXCustomizeToolbarsPage::OnSelChanged)
    ON_NOTIFY(TVN_BEGINLABELEDIT, IDC_OX_TBP_BARS, &COXCustomizeToolbarsPage::OnBeginLabelEdit)
    ON_NOTIFY(TVN_ENDLABELEDIT, IDC_OX_TBP_BARS, &COXCustomizeToolbarsPage::OnEndLabelEdit)
    ON_NOTIFY(OTN_OPTIONCHANGED, IDC_OX_TBP_BARS, &COXCustomizeToolbarsPage::OnOptionChanged)
END_MESSAGE_MAP()

namespace {
const CSize kButtonSize(23, 22);
const CSize kImageSize(16, 16);
// Where a new tool bar floats first (screen).
const CPoint kNewBarPoint(100, 100);
const int kSpinMax = COXCustomizeToolbarsPage::kMaxBorderSize;

void SetFlat(CMFCToolBar* pBar, BOOL bFlat)
{
    const DWORD dwStyle = pBar->GetStyle();
    const DWORD dwNew = bFlat ? (dwStyle | TBSTYLE_FLAT) : (dwStyle & ~(DWORD)TBSTYLE_FLAT);
    if (dwNew != dwStyle)
        pBar->ModifyStyle(dwStyle & ~dwNew, dwNew & ~dwStyle);
}

void SetBarStyleBit(CControlBar* pBar, DWORD dwBit, BOOL bOn)
{
    const DWORD dwStyle = pBar->GetBarStyle();
    pBar->SetBarStyle(bOn ? (dwStyle | dwBit) : (dwStyle & ~dwBit));
}

// The frame's layout again, and the bar's frame drawn with its new borders.
void RefreshBarFrame(CControlBar* pBar)
{
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (CFrameWnd* pFrame = pBar->GetDockingFrame())
        pFrame->RecalcLayout();
}
} // namespace

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
UINT COXCustomizeToolbarsPage::FindFreeId(const std::function<BOOL(UINT)>& bUsed)
{
    for (UINT nID = kFirstCustomId; nID >= kLastCustomId; nID--) {
        if (!bUsed(nID))
            return nID;
    }
    return 0;
}

COXCustomizeToolbarsPage::ButtonStates COXCustomizeToolbarsPage::GetButtonStates(BOOL bSelectedCustom, BOOL bCoolLook)
{
    ButtonStates states;
    states.bNew = TRUE;
    states.bDelete = bSelectedCustom;
    states.bRename = bSelectedCustom;
    states.bGripper = bCoolLook;
    return states;
}

CString COXCustomizeToolbarsPage::GetCustomToolbarName(int nIndex) const
{
    CString s;
    s.Format("%d~!@#$CustomMadeToolbar", nIndex);
    return s;
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------
COXCustomizeToolbarsPage::COXCustomizeToolbarsPage()
    : m_bCoolLook(TRUE), m_bShowTooltips(TRUE), m_nBorderSize(0), m_bShowGripper(TRUE), m_mapToolbarIndex(10),
      m_nNextOptionId(1), m_pFrameWnd(NULL)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_TOOLBARS;
    m_mapToolbarIndex.InitHashTable(17);
}

COXCustomizeToolbarsPage::~COXCustomizeToolbarsPage()
{
    for (int i = 0; i < m_arrCreatedToolbars.GetSize(); i++) {
        COXCoolToolBar* pBar = m_arrCreatedToolbars[i];
        // A bar whose window went with its frame must not reach back to
        // that frame.
        if (!::IsWindow(pBar->GetSafeHwnd())) {
            pBar->m_pDockSite = NULL;
            pBar->m_pDockBar = NULL;
        }
        delete pBar;
    }
    m_arrCreatedToolbars.RemoveAll();
}

CString COXCustomizeToolbarsPage::GetTitle() const
{
    return LoadText(IDS_OX_TOOLBARS_TITLE);
}

UINT COXCustomizeToolbarsPage::GetImageResource() const
{
    return IDB_OX_CUSTOMIZE_TOOLBARS;
}

CString COXCustomizeToolbarsPage::GetTooltip() const
{
    return LoadText(IDS_OX_TOOLBARS_TIP);
}

CFrameWnd* COXCustomizeToolbarsPage::GetFrame() const
{
    if (m_pFrameWnd != NULL)
        return m_pFrameWnd;
    return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
}

BOOL COXCustomizeToolbarsPage::IsMenuBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(COXMenuBar));
}

BOOL COXCustomizeToolbarsPage::IsUsedId(UINT nID) const
{
    CFrameWnd* pFrame = GetFrame();
    return pFrame != NULL && pFrame->GetControlBar(nID) != NULL;
}

int COXCustomizeToolbarsPage::FindToolbar(CMFCToolBar* pBar) const
{
    int nIndex = -1;
    return m_mapToolbarIndex.Lookup(pBar, nIndex) ? nIndex : -1;
}

void COXCustomizeToolbarsPage::AddToolbar(CMFCToolBar* pBar, BOOL bCustom)
{
    ToolbarEntry entry = {pBar, bCustom};
    m_mapToolbarIndex.SetAt(pBar, (int)m_arrToolbars.Add(entry));
}

BOOL COXCustomizeToolbarsPage::CreateCustomToolbar(COXCoolToolBar* pBar, UINT nID, LPCTSTR lpszTitle)
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == NULL || !pBar->Create(pFrame, kCustomStyle, nID))
        return FALSE;
    pBar->SetSizes(kButtonSize, kImageSize);
    pBar->SendMessage(TB_AUTOSIZE);
    const DWORD dwButton = (DWORD)pBar->SendMessage(TB_GETBUTTONSIZE);
    pBar->SetSizes(CSize(LOWORD(dwButton), HIWORD(dwButton)), pBar->m_sizeImage);
    pBar->SendMessage(TB_AUTOSIZE);
    pBar->SetWindowText(lpszTitle);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

void COXCustomizeToolbarsPage::ResetToolbarObject(COXCoolToolBar* pBar)
{
    // Every field back to a new bar's: a reused object that remembered its
    // dock bar, its dock context or its sizes would sit in two places.
    pBar->m_pDockSite = NULL;
    pBar->m_pDockBar = NULL;
    pBar->~COXCoolToolBar();
    new (pBar) COXCoolToolBar;
}

void COXCustomizeToolbarsPage::ApplyBorders(CMFCToolBar* pBar)
{
    const int n = (int)m_nBorderSize;
    pBar->SetBorders(n, n, n, n);
}

void COXCustomizeToolbarsPage::ApplyOptions(CMFCToolBar* pBar)
{
    if (IsMenuBar(pBar))
        return;
    SetBarStyleBit(pBar, CBRS_TOOLTIPS, m_bShowTooltips);
    ApplyBorders(pBar);
    if (COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, pBar)) {
        SetFlat(pCool, m_bCoolLook);
        SetBarStyleBit(pCool, CBRS_GRIPPER, m_bShowGripper);
        pCool->RedrawToolBar(TRUE, TRUE);
    } else {
        RefreshBarFrame(pBar);
    }
}

BOOL COXCustomizeToolbarsPage::InitializeToolbars(BOOL bCoolLook, BOOL bShowGripper, BOOL bShowTooltips,
                                                  DWORD nBorderSize, LPCTSTR lpszProfileName)
{
    m_bCoolLook = bCoolLook;
    m_bShowGripper = bShowGripper;
    m_bShowTooltips = bShowTooltips;
    m_nBorderSize = ClampBorderSize(nBorderSize);
    m_arrToolbars.RemoveAll();
    m_mapToolbarIndex.RemoveAll();
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == NULL)
        return TRUE;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        if (CMFCToolBar* pToolBar = DYNAMIC_DOWNCAST(CMFCToolBar, pBar))
            AddToolbar(pToolBar, FALSE);
    }

    if (lpszProfileName != NULL && *lpszProfileName != '\0')
        m_sProfileName = lpszProfileName;
    CWinApp* pApp = AfxGetApp();
    if (!m_sProfileName.IsEmpty() && pApp != NULL) {
        m_bCoolLook = pApp->GetProfileInt(m_sProfileName, szCoolLook, m_bCoolLook) != 0;
        m_bShowTooltips = pApp->GetProfileInt(m_sProfileName, szShowTooltips, m_bShowTooltips) != 0;
        m_bShowGripper = pApp->GetProfileInt(m_sProfileName, szShowGripper, m_bShowGripper) != 0;
        m_nBorderSize = ClampBorderSize(pApp->GetProfileInt(m_sProfileName, szBorderSize, m_nBorderSize));
        // No more bars than ids to give them, whatever the profile says.
        for (int n = 0; n < kMaxCustomToolbars; n++) {
            UINT nID = pApp->GetProfileInt(m_sProfileName, GetCustomToolbarName(n) + szIdSuffix, 0);
            if (nID == 0)
                break;
            const CString sTitle = pApp->GetProfileString(m_sProfileName, GetCustomToolbarName(n) + szTitleSuffix);
            // A stored id outside the range, or one a bar has already, is
            // replaced: two bars of one id would be one bar to the frame.
            if (!IsCustomId(nID) || IsUsedId(nID))
                nID = FindFreeId([this](UINT nOther) { return IsUsedId(nOther); });
            if (nID == 0)
                break;
            COXCoolToolBar* pBar = new COXCoolToolBar;
            m_arrCreatedToolbars.Add(pBar);
            if (!CreateCustomToolbar(pBar, nID, sTitle))
                continue;
            pFrame->DockControlBar(pBar);
            AddToolbar(pBar, TRUE);
        }
    }
    for (int i = 0; i < m_arrToolbars.GetSize(); i++)
        ApplyOptions(m_arrToolbars[i].pBar);
    return TRUE;
}

COXCoolToolBar* COXCustomizeToolbarsPage::NewToolbar()
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == NULL)
        return NULL;
    const UINT nID = FindFreeId([this](UINT nOther) { return IsUsedId(nOther); });
    if (nID == 0)
        return NULL;
    COXCoolToolBar* pBar = NULL;
    for (int i = 0; i < m_arrCreatedToolbars.GetSize() && pBar == NULL; i++) {
        if (FindToolbar(m_arrCreatedToolbars[i]) < 0 && m_arrCreatedToolbars[i]->m_hWnd == NULL)
            pBar = m_arrCreatedToolbars[i];
    }
    if (pBar == NULL) {
        pBar = new COXCoolToolBar;
        m_arrCreatedToolbars.Add(pBar);
    }
    CString sTitle;
    sTitle.Format(LoadText(IDS_OX_TBP_NEW_TITLE), (int)m_arrCreatedToolbars.GetSize());
    if (!CreateCustomToolbar(pBar, nID, sTitle))
        return NULL;
    pFrame->FloatControlBar(pBar, kNewBarPoint, CBRS_ALIGN_TOP);
    ApplyOptions(pBar);
    AddToolbar(pBar, TRUE);

    if (::IsWindow(m_treeToolbars.GetSafeHwnd())) {
        HTREEITEM hItem = m_treeToolbars.AddCheckBox(m_nNextOptionId++, sTitle, TVI_ROOT, 1);
        if (hItem != NULL) {
            m_treeToolbars.SetItemData(hItem, (DWORD_PTR)(CMFCToolBar*)pBar);
            m_treeToolbars.SelectItem(hItem);
            m_treeToolbars.SetFocus();
            m_treeToolbars.EditLabel(hItem);
        }
        UpdateButtons();
    }
    return pBar;
}

BOOL COXCustomizeToolbarsPage::RenameToolbar(int nIndex, LPCTSTR lpszTitle)
{
    if (nIndex < 0 || nIndex >= m_arrToolbars.GetSize() || !m_arrToolbars[nIndex].bCustom || lpszTitle == NULL ||
        *lpszTitle == '\0')
        return FALSE;
    CMFCToolBar* pBar = m_arrToolbars[nIndex].pBar;
    pBar->SetWindowText(lpszTitle);
    if (pBar->IsFloating()) {
        if (CMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pBar->GetDockingFrame()))
            pMini->SetWindowText(lpszTitle);
    }
    return TRUE;
}

BOOL COXCustomizeToolbarsPage::DeleteToolbar(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arrToolbars.GetSize() || !m_arrToolbars[nIndex].bCustom)
        return FALSE;
    COXCoolToolBar* pBar = DYNAMIC_DOWNCAST(COXCoolToolBar, m_arrToolbars[nIndex].pBar);
    CFrameWnd* pFrame = GetFrame();
    if (pBar == NULL || pFrame == NULL)
        return FALSE;
    const BOOL bDocked = !pBar->IsFloating();

    // Out of every dock bar before the window goes: the edges' dock bars
    // keep a place for a bar that floated, and the bar's own dock bar its
    // entry (a floating one goes with its emptied mini frame).
    if (::IsWindow(pBar->m_hWnd)) {
        for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
            CControlBar* pOther = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
            if (pOther->IsDockBar() && pOther != pBar->m_pDockBar)
                ((CDockBar*)pOther)->RemovePlaceHolder(pBar);
        }
    }
    if (CDockBar* pDockBar = pBar->m_pDockBar) {
        pDockBar->RemoveControlBar(pBar);
        pBar->m_pDockBar = NULL;
    }
    if (::IsWindow(pBar->m_hWnd))
        pBar->CWnd::DestroyWindow();
    pFrame->RemoveControlBar(pBar);
    ResetToolbarObject(pBar);

    // Out of the page's lists; the indexes above move down.
    m_arrToolbars.RemoveAt(nIndex);
    m_mapToolbarIndex.RemoveAll();
    for (int i = 0; i < m_arrToolbars.GetSize(); i++)
        m_mapToolbarIndex.SetAt(m_arrToolbars[i].pBar, i);
    if (::IsWindow(m_treeToolbars.GetSafeHwnd())) {
        for (HTREEITEM hItem = m_treeToolbars.GetRootItem(); hItem != NULL;
             hItem = m_treeToolbars.GetNextSiblingItem(hItem)) {
            if (m_treeToolbars.GetItemData(hItem) == (DWORD_PTR)(CMFCToolBar*)pBar) {
                m_treeToolbars.DeleteItem(hItem);
                break;
            }
        }
        UpdateButtons();
    }
    if (bDocked)
        pFrame->RecalcLayout();
    return TRUE;
}

void COXCustomizeToolbarsPage::WriteProfileValues()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || m_sProfileName.IsEmpty())
        return;
    pApp->WriteProfileInt(m_sProfileName, szCoolLook, m_bCoolLook);
    pApp->WriteProfileInt(m_sProfileName, szShowTooltips, m_bShowTooltips);
    pApp->WriteProfileInt(m_sProfileName, szShowGripper, m_bShowGripper);
    pApp->WriteProfileInt(m_sProfileName, szBorderSize, (int)m_nBorderSize);
    // Every stored number goes, not only those before the first gap: an
    // entry past a gap would come back as a bar the user never made once
    // the user's bars reach it.
    for (int n = 0; n < kMaxCustomToolbars; n++) {
        pApp->WriteProfileString(m_sProfileName, GetCustomToolbarName(n) + szIdSuffix, NULL);
        pApp->WriteProfileString(m_sProfileName, GetCustomToolbarName(n) + szTitleSuffix, NULL);
    }
    int n = 0;
    for (int i = 0; i < m_arrToolbars.GetSize(); i++) {
        if (!m_arrToolbars[i].bCustom || !::IsWindow(m_arrToolbars[i].pBar->GetSafeHwnd()))
            continue;
        CString sTitle;
        m_arrToolbars[i].pBar->GetWindowText(sTitle);
        pApp->WriteProfileInt(m_sProfileName, GetCustomToolbarName(n) + szIdSuffix,
                              m_arrToolbars[i].pBar->GetDlgCtrlID());
        pApp->WriteProfileString(m_sProfileName, GetCustomToolbarName(n) + szTitleSuffix, sTitle);
        n++;
    }
}

BOOL COXCustomizeToolbarsPage::OnCloseManager(BOOL bIsOk)
{
    if (::IsWindow(m_hWnd) && !UpdateData(TRUE))
        return FALSE;
    if (bIsOk)
        WriteProfileValues();
    return TRUE;
}

void COXCustomizeToolbarsPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_TBP_BARS, m_treeToolbars);
    DDX_Control(pDX, IDC_OX_TBP_BORDER_SPIN, m_spinBorderSize);
    DDX_Control(pDX, IDC_OX_TBP_SEP_BARS, m_sepBars);
    DDX_Control(pDX, IDC_OX_TBP_SEP_OPTIONS, m_sepOptions);
    DDX_Control(pDX, IDC_OX_TBP_SEP_BORDER, m_sepBorder);
    DDX_Check(pDX, IDC_OX_TBP_COOL_LOOK, m_bCoolLook);
    DDX_Check(pDX, IDC_OX_TBP_TOOLTIPS, m_bShowTooltips);
    DDX_Check(pDX, IDC_OX_TBP_GRIPPER, m_bShowGripper);
    if (pDX->m_bSaveAndValidate) {
        // What cannot be read as a size keeps the last; a larger one is cut.
        BOOL bRead = FALSE;
        const UINT nSize = GetDlgItemInt(IDC_OX_TBP_BORDER_SIZE, &bRead, FALSE);
        if (bRead)
            m_nBorderSize = ClampBorderSize(nSize);
    } else {
        SetDlgItemInt(IDC_OX_TBP_BORDER_SIZE, m_nBorderSize, FALSE);
    }
}

void COXCustomizeToolbarsPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    m_spinBorderSize.SetRange32(0, kSpinMax);

    m_treeToolbars.DeleteAllOptions();
    for (int i = 0; i < m_arrToolbars.GetSize(); i++) {
        CMFCToolBar* pBar = m_arrToolbars[i].pBar;
        if (!::IsWindow(pBar->GetSafeHwnd()))
            continue;
        CString sText;
        pBar->GetWindowText(sText);
        HTREEITEM hItem =
            m_treeToolbars.AddCheckBox(m_nNextOptionId++, sText, TVI_ROOT, (pBar->GetStyle() & WS_VISIBLE) ? 1 : 0);
        if (hItem != NULL)
            m_treeToolbars.SetItemData(hItem, (DWORD_PTR)pBar);
    }

    if (COXSkinnedApp* pSkinned = DYNAMIC_DOWNCAST(COXSkinnedApp, AfxGetApp())) {
        COXSkin* pSkin = pSkinned->GetCurrentSkin();
        if (pSkin != NULL && pSkin->GetName() == "Office XP") {
            m_bCoolLook = TRUE;
            CheckDlgButton(IDC_OX_TBP_COOL_LOOK, BST_CHECKED);
            GetDlgItem(IDC_OX_TBP_COOL_LOOK)->EnableWindow(FALSE);
        }
    }

    m_LayoutManager.TieChild(IDC_OX_TBP_BARS, OX_LMS_RIGHT | OX_LMS_LEFT | OX_LMS_TOP, OX_LMT_SAME);
    m_bInitialized = TRUE;
    UpdateButtons();
}

int COXCustomizeToolbarsPage::GetSelectedIndex() const
{
    HTREEITEM hItem = m_treeToolbars.GetSelectedItem();
    if (hItem == NULL)
        return -1;
    return FindToolbar((CMFCToolBar*)m_treeToolbars.GetItemData(hItem));
}

void COXCustomizeToolbarsPage::UpdateButtons()
{
    if (!::IsWindow(m_hWnd))
        return;
    const int nIndex = GetSelectedIndex();
    const ButtonStates states = GetButtonStates(nIndex >= 0 && m_arrToolbars[nIndex].bCustom, m_bCoolLook);
    GetDlgItem(IDC_OX_TBP_NEW)->EnableWindow(states.bNew);
    GetDlgItem(IDC_OX_TBP_DELETE)->EnableWindow(states.bDelete);
    GetDlgItem(IDC_OX_TBP_RENAME)->EnableWindow(states.bRename);
    GetDlgItem(IDC_OX_TBP_UNUSED1)->EnableWindow(FALSE);
    GetDlgItem(IDC_OX_TBP_UNUSED2)->EnableWindow(FALSE);
    GetDlgItem(IDC_OX_TBP_GRIPPER)->EnableWindow(states.bGripper);
}

void COXCustomizeToolbarsPage::OnNew()
{
    if (m_bInitialized)
        NewToolbar();
}

void COXCustomizeToolbarsPage::OnDelete()
{
    if (m_bInitialized)
        DeleteToolbar(GetSelectedIndex());
}

void COXCustomizeToolbarsPage::OnRename()
{
    if (!m_bInitialized)
        return;
    HTREEITEM hItem = m_treeToolbars.GetSelectedItem();
    if (hItem != NULL) {
        m_treeToolbars.SetFocus();
        m_treeToolbars.EditLabel(hItem);
    }
}

void COXCustomizeToolbarsPage::OnUnused()
{
}

void COXCustomizeToolbarsPage::OnCoolLook()
{
    if (!m_bInitialized || !UpdateData(TRUE))
        return;
    for (int i = 0; i < m_arrToolbars.GetSize(); i++) {
        COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, m_arrToolbars[i].pBar);
        if (pCool != NULL && !IsMenuBar(pCool) && ::IsWindow(pCool->m_hWnd)) {
            SetFlat(pCool, m_bCoolLook);
            pCool->RedrawToolBar(TRUE, TRUE);
        }
    }
    UpdateButtons();
}

void COXCustomizeToolbarsPage::OnTooltips()
{
    if (!m_bInitialized || !UpdateData(TRUE))
        return;
    for (int i = 0; i < m_arrToolbars.GetSize(); i++) {
        CMFCToolBar* pBar = m_arrToolbars[i].pBar;
        if (!IsMenuBar(pBar) && ::IsWindow(pBar->m_hWnd))
            SetBarStyleBit(pBar, CBRS_TOOLTIPS, m_bShowTooltips);
    }
}

void COXCustomizeToolbarsPage::OnGripper()
{
    if (!m_bInitialized || !UpdateData(TRUE))
        return;
    for (int i = 0; i < m_arrToolbars.GetSize(); i++) {
        COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, m_arrToolbars[i].pBar);
        if (pCool != NULL && !IsMenuBar(pCool) && ::IsWindow(pCool->m_hWnd)) {
            SetBarStyleBit(pCool, CBRS_GRIPPER, m_bShowGripper);
            pCool->RedrawToolBar(TRUE, TRUE);
        }
    }
}

void COXCustomizeToolbarsPage::OnBorderSizeChange()
{
    if (!m_bInitialized || !UpdateData(TRUE))
        return;
    for (int i = 0; i < m_arrToolbars.GetSize(); i++) {
        CMFCToolBar* pBar = m_arrToolbars[i].pBar;
        if (!::IsWindow(pBar->m_hWnd))
            continue;
        ApplyBorders(pBar);
        RefreshBarFrame(pBar);
    }
}

void COXCustomizeToolbarsPage::OnSelChanged(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bInitialized)
        UpdateButtons();
}

void COXCustomizeToolbarsPage::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVDISPINFO* pInfo = (const NMTVDISPINFO*)pNMHDR;
    const int nIndex = FindToolbar((CMFCToolBar*)m_treeToolbars.GetItemData(pInfo->item.hItem));
    // Only the user's own bars can be renamed.
    *pResult = (nIndex >= 0 && m_arrToolbars[nIndex].bCustom) ? FALSE : TRUE;
}

void COXCustomizeToolbarsPage::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVDISPINFO* pInfo = (const NMTVDISPINFO*)pNMHDR;
    *pResult = FALSE;
    if (pInfo->item.pszText == NULL)
        return;   // the edit was cancelled
    *pResult = RenameToolbar(FindToolbar((CMFCToolBar*)m_treeToolbars.GetItemData(pInfo->item.hItem)),
                             pInfo->item.pszText);
}

void COXCustomizeToolbarsPage::OnOptionChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMOPTIONTREE* pInfo = (const NMOPTIONTREE*)pNMHDR;
    CFrameWnd* pFrame = GetFrame();
    CMFCToolBar* pBar = (CMFCToolBar*)m_treeToolbars.GetItemData(pInfo->hItem);
    if (pFrame != NULL && FindToolbar(pBar) >= 0)
        pFrame->ShowControlBar(pBar, pInfo->nNewCheck == 1, FALSE);
}
