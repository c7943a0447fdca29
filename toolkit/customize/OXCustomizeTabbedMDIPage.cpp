#include "OXCustomizeTabbedMDIPage.h"

#include "OXCustomizeProfile.h"
#include "toolkit_res.h"

#include <initializer_list>
#include <utility>

IMPLEMENT_DYNCREATE(COXCustomizeTabbedMDIPage, COXCustomizePage)

BEGIN_MESSAGE_MAP(COXCustomizeTabbedMDIPage, COXCustomizePage)
    ON_BN_CLICKED(IDC_OX_TMP_SUPPORT, &COXCustomizeTabbedMDIPage::OnSupportClicked)
END_MESSAGE_MAP()

namespace {

// Each radio and the style bits it stands for.
struct RadioStyle {
    UINT nID;
    DWORD dwStyle;
};
const RadioStyle kRadios[] = {
    {COXCustomizeTabbedMDIPage::IDOPT_POSITION_LEFT, TCS_VERTICAL},
    {COXCustomizeTabbedMDIPage::IDOPT_POSITION_TOP, 0},
    {COXCustomizeTabbedMDIPage::IDOPT_POSITION_RIGHT, TCS_VERTICAL | TCS_RIGHT},
    {COXCustomizeTabbedMDIPage::IDOPT_POSITION_BOTTOM, TCS_BOTTOM},
    {COXCustomizeTabbedMDIPage::IDOPT_LOOK_TABS, 0},
    {COXCustomizeTabbedMDIPage::IDOPT_LOOK_BUTTONS, TCS_BUTTONS},
    {COXCustomizeTabbedMDIPage::IDOPT_LOOK_FLATBUTTONS, TCS_BUTTONS | TCS_FLATBUTTONS},
    {COXCustomizeTabbedMDIPage::IDOPT_LINES_MULTI, TCS_MULTILINE},
    {COXCustomizeTabbedMDIPage::IDOPT_LINES_SINGLE, 0},
};

// The checks in option order (2040 on) and the bit each one sets; the fill
// check is the other way round: left unchecked, it asks for ragged rows.
const DWORD kCheckStyles[COXCustomizeTabbedMDIPage::nCheckCount] = {
    TCS_HOTTRACK, TCS_FIXEDWIDTH, TCS_RAGGEDRIGHT, TCS_SCROLLOPPOSITE, TCS_FORCEICONLEFT, TCS_FORCELABELLEFT,
};
const int kFillCheck = COXCustomizeTabbedMDIPage::IDOPT_FILLROWS - COXCustomizeTabbedMDIPage::IDOPT_HOTTRACK;

DWORD RadioBits(UINT nID, UINT nFirst, UINT nLast)
{
    if (nID < nFirst || nID > nLast)
        return 0;
    for (const RadioStyle& radio : kRadios)
        if (radio.nID == nID)
            return radio.dwStyle;
    return 0;
}

} // namespace

// ---------------------------------------------------------------------------
// The rules
// ---------------------------------------------------------------------------
COXCustomizeTabbedMDIPage::Choice COXCustomizeTabbedMDIPage::ChoiceFromStyle(DWORD dwStyle)
{
    Choice choice;
    if ((dwStyle & (TCS_VERTICAL | TCS_RIGHT)) == (TCS_VERTICAL | TCS_RIGHT))
        choice.nPosition = IDOPT_POSITION_RIGHT;
    else if (dwStyle & TCS_VERTICAL)
        choice.nPosition = IDOPT_POSITION_LEFT;
    else if (dwStyle & TCS_BOTTOM)
        choice.nPosition = IDOPT_POSITION_BOTTOM;
    else
        choice.nPosition = IDOPT_POSITION_TOP;
    if ((dwStyle & (TCS_BUTTONS | TCS_FLATBUTTONS)) == (TCS_BUTTONS | TCS_FLATBUTTONS))
        choice.nLook = IDOPT_LOOK_FLATBUTTONS;
    else if (dwStyle & TCS_BUTTONS)
        choice.nLook = IDOPT_LOOK_BUTTONS;
    else
        choice.nLook = IDOPT_LOOK_TABS;
    choice.nLines = (dwStyle & TCS_MULTILINE) ? IDOPT_LINES_MULTI : IDOPT_LINES_SINGLE;
    for (int i = 0; i < nCheckCount; i++) {
        const BOOL bSet = (dwStyle & kCheckStyles[i]) != 0;
        choice.checks[i] = (i == kFillCheck ? !bSet : bSet) ? 1 : 0;
    }
    return choice;
}

DWORD COXCustomizeTabbedMDIPage::StyleFromChoice(const Choice& choice)
{
    DWORD dwStyle = RadioBits(choice.nPosition, IDOPT_POSITION_LEFT, IDOPT_POSITION_BOTTOM) |
                    RadioBits(choice.nLook, IDOPT_LOOK_TABS, IDOPT_LOOK_FLATBUTTONS) |
                    RadioBits(choice.nLines, IDOPT_LINES_MULTI, IDOPT_LINES_SINGLE);
    for (int i = 0; i < nCheckCount; i++) {
        const BOOL bChecked = choice.checks[i] == 1;
        if (i == kFillCheck ? !bChecked : bChecked)
            dwStyle |= kCheckStyles[i];
    }
    return dwStyle;
}

COXCustomizeTabbedMDIPage::ApplyStep COXCustomizeTabbedMDIPage::PlanApply(BOOL bSupport, DWORD dwOffset,
                                                                         DWORD dwStyle, BOOL bAttached,
                                                                         DWORD dwTabOffset, DWORD dwTabStyle)
{
    if (!bAttached)
        return bSupport ? applyAttach : applyKeep;
    if (!bSupport)
        return applyDetach;
    if (dwOffset == dwTabOffset && (dwTabStyle & kTabStyleBits) == (dwStyle & kTabStyleBits))
        return applyKeep;
    return applyReattach;
}

COXCustomizeTabbedMDIPage::StoredState COXCustomizeTabbedMDIPage::ReadStoredState(LPCTSTR lpszProfileName)
{
    StoredState state = {TRUE, (DWORD)COXTabClientWnd::kDefaultOffset, COXTabClientWnd::kDefaultStyle};
    if (AfxGetApp() == NULL || lpszProfileName == NULL || *lpszProfileName == '\0')
        return state;
    state.bAttached = OXGetProfileBool(lpszProfileName, COXTabClientWnd::kProfileIsAttached, TRUE);
    state.dwOffset = (DWORD)OXGetProfileIntInRange(lpszProfileName, COXTabClientWnd::kProfileOffset,
                                                   COXTabClientWnd::kDefaultOffset, 0, COXTabClientWnd::kMaxOffset);
    const DWORD dwStyle = AfxGetApp()->GetProfileInt(lpszProfileName, COXTabClientWnd::kProfileStyle,
                                                     (int)COXTabClientWnd::kDefaultStyle);
    if ((dwStyle & ~COXTabClientWnd::kStyleBits) == 0)
        state.dwStyle = dwStyle;
    return state;
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------
COXCustomizeTabbedMDIPage::COXCustomizeTabbedMDIPage()
    : m_bSupportTabbedMDI(FALSE), m_dwOffset(0), m_dwTabCtrlStyle(0)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_TABBEDMDI;
}

COXCustomizeTabbedMDIPage::~COXCustomizeTabbedMDIPage()
{
}

CString COXCustomizeTabbedMDIPage::GetTitle() const
{
    return LoadText(IDS_OX_TMP_TITLE);
}

UINT COXCustomizeTabbedMDIPage::GetImageResource() const
{
    return IDB_OX_TABBEDMDI_PAGE;
}

CString COXCustomizeTabbedMDIPage::GetTooltip() const
{
    return LoadText(IDS_OX_TMP_TOOLTIP);
}

CMDIFrameWnd* COXCustomizeTabbedMDIPage::GetMDIFrame() const
{
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    return pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()) ? pFrame : NULL;
}

void COXCustomizeTabbedMDIPage::SetTabOffset(DWORD dwOffset)
{
    COXTabWorkspace* pTab = m_tabClientWnd.GetTabCtrl();
    pTab->m_nOffset = (int)dwOffset;
    if (!::IsWindow(pTab->GetSafeHwnd()))
        return;
    pTab->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (CMDIFrameWnd* pFrame = m_tabClientWnd.GetMDIFrame())
        pFrame->RecalcLayout(TRUE);
}

BOOL COXCustomizeTabbedMDIPage::AttachTabs(CMDIFrameWnd* pFrame, DWORD dwStyle, DWORD dwOffset)
{
    // An object that only holds the MDI client's handle lets go of it, so
    // that the tab client can take the window. One that has subclassed it
    // keeps it, and the tab client refuses: taken from it, the window would
    // lose the MDI client's own procedure, which only that object knows.
    const HWND hWndClient = pFrame->m_hWndMDIClient;
    CWnd* pHolder = CWnd::FromHandlePermanent(hWndClient);
    if (pHolder != NULL && pHolder != &m_tabClientWnd &&
        (WNDPROC)::GetWindowLongPtr(hWndClient, GWLP_WNDPROC) != AfxGetAfxWndProc())
        pHolder->Detach();
    if (!m_tabClientWnd.Attach(pFrame, dwStyle))
        return FALSE;
    SetTabOffset(dwOffset);
    return TRUE;
}

BOOL COXCustomizeTabbedMDIPage::InitializeTabbedMDI(DWORD dwTabCtrlStyle, DWORD dwOffset, LPCTSTR lpszProfileName,
                                                    BOOL bSupportTabbedMDI)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return FALSE;
    if (bSupportTabbedMDI) {
        // A second initialisation restyles the tabs already there.
        if (m_tabClientWnd.IsAttached())
            m_tabClientWnd.Detach();
        if (!AttachTabs(pFrame, dwTabCtrlStyle, dwOffset))
            return FALSE;
    }
    if (lpszProfileName != NULL && *lpszProfileName != '\0') {
        m_sProfileName = lpszProfileName;
        if (m_tabClientWnd.IsAttached()) {
            if (!m_tabClientWnd.LoadState(m_sProfileName))
                return FALSE;
        } else {
            // Detached, the tab client has no frame to load its state into:
            // stored tabs are attached here, with their stored settings.
            const StoredState state = ReadStoredState(m_sProfileName);
            if (state.bAttached && !AttachTabs(pFrame, state.dwStyle, state.dwOffset))
                return FALSE;
        }
    }
    m_bSupportTabbedMDI = m_tabClientWnd.IsAttached();
    return TRUE;
}

COXCustomizeTabbedMDIPage::Choice COXCustomizeTabbedMDIPage::ReadChoice() const
{
    Choice choice;
    choice.nPosition = m_treeOptions.GetCheckedRadio(IDOPT_POSITION_LEFT, IDOPT_POSITION_BOTTOM);
    choice.nLook = m_treeOptions.GetCheckedRadio(IDOPT_LOOK_TABS, IDOPT_LOOK_FLATBUTTONS);
    // Radios are searched in tree order: one row comes first.
    choice.nLines = m_treeOptions.GetCheckedRadio(IDOPT_LINES_SINGLE, IDOPT_LINES_MULTI);
    for (int i = 0; i < nCheckCount; i++)
        choice.checks[i] = m_treeOptions.GetOptionCheck(IDOPT_HOTTRACK + i);
    return choice;
}

BOOL COXCustomizeTabbedMDIPage::ApplyChanges()
{
    if (!UpdateData(TRUE))
        return FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return FALSE;
    if (::IsWindow(m_treeOptions.GetSafeHwnd()))
        m_dwTabCtrlStyle = StyleFromChoice(ReadChoice());

    COXTabWorkspace* pTab = m_tabClientWnd.GetTabCtrl();
    const BOOL bAttached = m_tabClientWnd.IsAttached() && m_tabClientWnd.GetSafeHwnd() != NULL;
    const BOOL bTabWindow = bAttached && ::IsWindow(pTab->GetSafeHwnd());
    switch (PlanApply(m_bSupportTabbedMDI, m_dwOffset, m_dwTabCtrlStyle, bAttached,
                      bTabWindow ? (DWORD)pTab->m_nOffset : 0, bTabWindow ? pTab->GetStyle() : 0)) {
    case applyKeep:
        return TRUE;
    case applyDetach:
        m_tabClientWnd.Detach();
        return TRUE;
    case applyReattach:
        m_tabClientWnd.Detach();
        return AttachTabs(pFrame, m_dwTabCtrlStyle, m_dwOffset);
    case applyAttach:
        return AttachTabs(pFrame, m_dwTabCtrlStyle, m_dwOffset);
    }
    return TRUE;
}

BOOL COXCustomizeTabbedMDIPage::OnCloseManager(BOOL bIsOk)
{
    if (!bIsOk)
        return TRUE;
    if (!ApplyChanges())
        return FALSE;
    if (!m_sProfileName.IsEmpty())
        m_tabClientWnd.SaveState(m_sProfileName);
    return TRUE;
}

void COXCustomizeTabbedMDIPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_TMP_SUPPORT, m_btnSupport);
    DDX_Control(pDX, IDC_OX_TMP_OPTIONS, m_treeOptions);
    DDX_Control(pDX, IDC_OX_TMP_OFFSET_SPIN, m_spinOffset);
    DDX_Check(pDX, IDC_OX_TMP_SUPPORT, m_bSupportTabbedMDI);
    DDX_Text(pDX, IDC_OX_TMP_OFFSET, m_dwOffset);
    DDV_MinMaxDWord(pDX, m_dwOffset, 0, kMaxOffset);
}

void COXCustomizeTabbedMDIPage::FillOptions()
{
    m_treeOptions.DeleteAllOptions();
    const COLORREF clrMask = RGB(192, 192, 192);
    const int nTabsImage = m_treeOptions.AddImages(IDB_OX_TABBEDMDI_TABS, clrMask);
    const int nPositionImage = m_treeOptions.AddImages(IDB_OX_TABBEDMDI_POSITION, clrMask);
    const int nLookImage = m_treeOptions.AddImages(IDB_OX_TABBEDMDI_LOOK, clrMask);
    const int nOptionsImage = m_treeOptions.AddImages(IDB_OX_TABBEDMDI_OPTIONS, clrMask);
    const int nLinesImage = m_treeOptions.AddImages(IDB_OX_TABBEDMDI_LINES, clrMask);

    const Choice choice = ChoiceFromStyle(m_dwTabCtrlStyle);
    auto text = [](UINT nID) { return LoadText(nID); };
    auto radios = [&](HTREEITEM hGroup, std::initializer_list<std::pair<UINT, UINT>> items, UINT nChecked) {
        for (const auto& item : items)
            m_treeOptions.AddRadioButton(item.first, text(item.second), hGroup, item.first == nChecked ? 1 : 0);
    };

    HTREEITEM hRoot = m_treeOptions.AddGroup(text(IDS_OX_TMP_ROOT), TVI_ROOT, TRUE, nTabsImage, nTabsImage);
    HTREEITEM hPosition =
        m_treeOptions.AddGroup(text(IDS_OX_TMP_POSITION), hRoot, TRUE, nPositionImage, nPositionImage);
    radios(hPosition,
           {{IDOPT_POSITION_LEFT, IDS_OX_TMP_LEFT},
            {IDOPT_POSITION_TOP, IDS_OX_TMP_TOP},
            {IDOPT_POSITION_RIGHT, IDS_OX_TMP_RIGHT},
            {IDOPT_POSITION_BOTTOM, IDS_OX_TMP_BOTTOM}},
           choice.nPosition);
    HTREEITEM hLook = m_treeOptions.AddGroup(text(IDS_OX_TMP_LOOK), hRoot, TRUE, nLookImage, nLookImage);
    radios(hLook,
           {{IDOPT_LOOK_TABS, IDS_OX_TMP_TABS},
            {IDOPT_LOOK_BUTTONS, IDS_OX_TMP_BUTTONS},
            {IDOPT_LOOK_FLATBUTTONS, IDS_OX_TMP_FLATBUTTONS}},
           choice.nLook);
    HTREEITEM hOptions = m_treeOptions.AddGroup(text(IDS_OX_TMP_OPTIONS), hRoot, TRUE, nOptionsImage, nOptionsImage);
    HTREEITEM hLines = m_treeOptions.AddGroup(text(IDS_OX_TMP_LINES), hOptions, TRUE, nLinesImage, nLinesImage);
    radios(hLines, {{IDOPT_LINES_SINGLE, IDS_OX_TMP_SINGLELINE}, {IDOPT_LINES_MULTI, IDS_OX_TMP_MULTILINE}},
           choice.nLines);
    for (int i = 0; i < nCheckCount; i++)
        m_treeOptions.AddCheckBox(IDOPT_HOTTRACK + i, text(IDS_OX_TMP_HOTTRACK + i), hOptions, choice.checks[i]);
    m_treeOptions.SelectItem(hRoot);
}

void COXCustomizeTabbedMDIPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    m_spinOffset.SetRange32(0, (int)kMaxOffset);

    COXTabWorkspace* pTab = m_tabClientWnd.GetTabCtrl();
    const BOOL bAttached = m_tabClientWnd.IsAttached() && ::IsWindow(pTab->GetSafeHwnd());
    m_bSupportTabbedMDI = bAttached;
    m_dwOffset = bAttached ? (DWORD)pTab->m_nOffset : 1;
    m_dwTabCtrlStyle = bAttached ? (pTab->GetStyle() & kTabStyleBits) : TCS_HOTTRACK;
    FillOptions();

    m_LayoutManager.TieChild(IDC_OX_TMP_SUPPORT, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_TMP_OPTIONS, OX_LMS_ALL, OX_LMT_SAME);
    for (UINT nID : {IDC_OX_TMP_OFFSET_LABEL, IDC_OX_TMP_OFFSET, IDC_OX_TMP_OFFSET_SPIN})
        m_LayoutManager.TieChild(nID, OX_LMS_BOTTOM, OX_LMT_SAME);

    m_bInitialized = TRUE;
    UpdateData(FALSE);
    EnableControls();
}

void COXCustomizeTabbedMDIPage::EnableControls()
{
    m_treeOptions.EnableWindow(m_bSupportTabbedMDI);
    for (UINT nID : {IDC_OX_TMP_OFFSET, IDC_OX_TMP_OFFSET_SPIN})
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(m_bSupportTabbedMDI);
}

void COXCustomizeTabbedMDIPage::OnSupportClicked()
{
    if (!m_bInitialized)
        return;
    // Only the switch is read: a half-typed offset is not judged yet.
    m_bSupportTabbedMDI = m_btnSupport.GetCheck() == BST_CHECKED;
    EnableControls();
}
