#include "OXCustomizeCoolControlsPage.h"

#include "toolkit_res.h"

// ---------------------------------------------------------------------------
// The organizer
// ---------------------------------------------------------------------------
COXCustomizeCoolControlOrganizer::~COXCustomizeCoolControlOrganizer()
{
}

BOOL COXCustomizeCoolControlOrganizer::CanConvertWindow(HWND hWnd, const CString& sClassName)
{
    if (!COXCoolControlOrganizer::CanConvertWindow(hWnd, sClassName))
        return FALSE;
    return m_pCustomizePage == NULL || m_pCustomizePage->IsConvertibleWindow(hWnd, sClassName);
}

CWnd* COXCustomizeCoolControlOrganizer::ConvertWindow(HWND hWnd, const CString& sClassName)
{
    return COXCoolControlOrganizer::ConvertWindow(hWnd, sClassName);
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------
IMPLEMENT_DYNCREATE(COXCustomizeCoolControlsPage, COXCustomizePage)

const TCHAR COXCustomizeCoolControlsPage::szConvertCommonToCool[] = "ConvertCommonToCool";
const TCHAR COXCustomizeCoolControlsPage::szControlTypeState[] = "ControlTypeState_%d";
const TCHAR COXCustomizeCoolControlsPage::szTreeControlTypes[] = "TreeControlTypes";

const COXCustomizeCoolControlsPage::TypeInfo COXCustomizeCoolControlsPage::s_types[nTypeCount] = {
    {0, "Edit box", "Edit"},
    {1, "Button", "Button"},
    {2, "Combo box", "ComboBox"},
    {3, "Tree control", "SysTreeView32"},
    {4, "List control", "SysListView32"},
    {5, "List box", "LISTBOX"},
    {6, "Spin button", "msctls_updown32"},
    {7, "Scroll bar", "ScrollBar"},
    {8, "Progress bar", "msctls_progress32"},
    {9, "Slider control", "msctls_trackbar32"},
    {10, "Hot key control", "msctls_hotkey32"},
    {11, "Rich edit control", "RICHEDIT"},
    {12, "Date-time picker", "SysDateTimePick32"},
    {13, "Month calendar", "SysMonthCal32"},
    {14, "IP address edit box", "SysIPAddress32"},
};

BEGIN_MESSAGE_MAP(COXCustomizeCoolControlsPage, COXCustomizePage)
    ON_BN_CLICKED(IDC_OX_COOL_CONVERT, &COXCustomizeCoolControlsPage::OnConvertClicked)
    ON_BN_CLICKED(IDC_OX_COOL_CHECK_ALL, &COXCustomizeCoolControlsPage::OnCheckAll)
END_MESSAGE_MAP()

namespace {
CString ClassKey(LPCTSTR lpszClassName)
{
    // Window classes are named without regard to case ("ListBox" is the
    // list box's own spelling of "LISTBOX").
    CString sKey(lpszClassName);
    sKey.MakeUpper();
    return sKey;
}
} // namespace

COXCustomizeCoolControlsPage::COXCustomizeCoolControlsPage()
    : m_bConvertCommonToCool(FALSE), m_bAppliedConvert(FALSE)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_COOLCONTROLS;
    for (const TypeInfo& type : s_types) {
        m_mapTypeNames.SetAt(type.nIndex, type.lpszName);
        m_mapTypeStates.SetAt(type.nIndex, 1);
        m_mapClassTypes.SetAt(ClassKey(type.lpszClassName), type.nIndex);
    }
    m_organizer.m_pCustomizePage = this;
}

COXCustomizeCoolControlsPage::~COXCustomizeCoolControlsPage()
{
    // The organizer's controls go back to their own procedures while the
    // page can still answer for them.
    if (m_organizer.IsAttached())
        m_organizer.DetachFromThread();
    m_organizer.m_pCustomizePage = NULL;
}

int COXCustomizeCoolControlsPage::GetTypeState(int nType) const
{
    int nState = -1;
    return m_mapTypeStates.Lookup(nType, nState) ? nState : -1;
}

BOOL COXCustomizeCoolControlsPage::SetTypeState(int nType, int nState)
{
    if (nType < 0 || nType >= nTypeCount || (nState != 0 && nState != 1))
        return FALSE;
    m_mapTypeStates.SetAt(nType, nState);
    return TRUE;
}

int COXCustomizeCoolControlsPage::FindClassType(LPCTSTR lpszClassName) const
{
    int nType = -1;
    if (lpszClassName == NULL || !m_mapClassTypes.Lookup(ClassKey(lpszClassName), nType))
        return -1;
    return nType;
}

BOOL COXCustomizeCoolControlsPage::IsConvertibleWindow(HWND /*hWnd*/, LPCTSTR lpszClassName)
{
    const int nType = FindClassType(lpszClassName);
    return nType < 0 || GetTypeState(nType) != 0;
}

CString COXCustomizeCoolControlsPage::GetTitle() const
{
    return LoadText(IDS_OX_COOL_TITLE);
}

UINT COXCustomizeCoolControlsPage::GetImageResource() const
{
    return IDB_OX_COOL_PAGE;
}

CString COXCustomizeCoolControlsPage::GetTooltip() const
{
    return LoadText(IDS_OX_COOL_TOOLTIP);
}

void COXCustomizeCoolControlsPage::ReadTypeStates()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || m_sProfileName.IsEmpty())
        return;
    for (int i = 0; i < nTypeCount; i++) {
        CString sEntry;
        sEntry.Format(szControlTypeState, i);
        const int nState = (int)pApp->GetProfileInt(m_sProfileName, sEntry, GetTypeState(i));
        SetTypeState(i, nState);   // anything but 0 and 1 leaves the state as it is
    }
}

BOOL COXCustomizeCoolControlsPage::InitializeCoolControls(BOOL bConvertCommonToCool, LPCTSTR lpszProfileName)
{
    m_bConvertCommonToCool = bConvertCommonToCool;
    CWinApp* pApp = AfxGetApp();
    if (lpszProfileName != NULL && *lpszProfileName != '\0' && pApp != NULL) {
        m_sProfileName = lpszProfileName;
        m_bConvertCommonToCool =
            pApp->GetProfileInt(m_sProfileName, szConvertCommonToCool, m_bConvertCommonToCool) != 0;
        // Read before the organizer converts anything, so that the windows
        // that exist already are converted by the stored choice too.
        ReadTypeStates();
    }
    if (m_bConvertCommonToCool && !m_organizer.IsAttached() && !m_organizer.AttachToThread(::GetCurrentThreadId()))
        return FALSE;
    m_bAppliedConvert = m_bConvertCommonToCool;
    return TRUE;
}

BOOL COXCustomizeCoolControlsPage::ReattachOrganizer()
{
    // Detaching hands every converted control back; attaching again
    // converts the thread's windows by the present states.
    if (m_organizer.IsAttached() && !m_organizer.DetachFromThread())
        return FALSE;
    if (m_bConvertCommonToCool && !m_organizer.AttachToThread(::GetCurrentThreadId()))
        return FALSE;
    m_bAppliedConvert = m_bConvertCommonToCool;
    return TRUE;
}

BOOL COXCustomizeCoolControlsPage::ApplyChanges()
{
    if (!UpdateData(TRUE))
        return FALSE;
    for (int i = 0; i < nTypeCount; i++) {
        const int nCheck = m_treeControlTypes.GetOptionCheck(i + 1);
        if (nCheck == 0 || nCheck == 1)
            SetTypeState(i, nCheck);
    }
    return ReattachOrganizer();
}

void COXCustomizeCoolControlsPage::WriteProfileValues()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || m_sProfileName.IsEmpty())
        return;
    pApp->WriteProfileInt(m_sProfileName, szConvertCommonToCool, m_bConvertCommonToCool);
    for (int i = 0; i < nTypeCount; i++) {
        CString sEntry;
        sEntry.Format(szControlTypeState, i);
        pApp->WriteProfileInt(m_sProfileName, sEntry, GetTypeState(i));
    }
    m_treeControlTypes.SaveState(m_sProfileName, szTreeControlTypes);
}

BOOL COXCustomizeCoolControlsPage::OnCloseManager(BOOL bIsOk)
{
    if (bIsOk) {
        if (!ApplyChanges())
            return FALSE;
        WriteProfileValues();
        return TRUE;
    }
    // Cancel: back to what is stored, or, where nothing is stored, to what
    // was last in effect; the edits made since are dropped.
    m_bConvertCommonToCool = m_bAppliedConvert;
    ShowTypeStates();
    CWinApp* pApp = AfxGetApp();
    if (!m_sProfileName.IsEmpty() && pApp != NULL) {
        m_bConvertCommonToCool =
            pApp->GetProfileInt(m_sProfileName, szConvertCommonToCool, m_bConvertCommonToCool) != 0;
        m_treeControlTypes.LoadState(m_sProfileName, szTreeControlTypes);
    }
    UpdateData(FALSE);
    // A failed attach leaves the controls plain; Cancel closes regardless.
    ApplyChanges();
    return TRUE;
}

void COXCustomizeCoolControlsPage::ShowTypeStates()
{
    if (!::IsWindow(m_treeControlTypes.GetSafeHwnd()))
        return;
    for (int i = 0; i < nTypeCount; i++)
        m_treeControlTypes.SetOptionCheck(i + 1, GetTypeState(i) == 0 ? 0 : 1);
}

void COXCustomizeCoolControlsPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_COOL_TYPES, m_treeControlTypes);
    DDX_Check(pDX, IDC_OX_COOL_CONVERT, m_bConvertCommonToCool);
}

void COXCustomizeCoolControlsPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();

    m_treeControlTypes.DeleteAllOptions();
    const int nImage = m_treeControlTypes.AddImages(IDB_OX_COOL_TYPES, RGB(192, 192, 192), IDB_OX_COOL_TYPES,
                                                    RGB(192, 192, 192));
    CString sRoot;
    sRoot.LoadString(IDS_OX_COOL_TYPES_ROOT);
    HTREEITEM hRoot = m_treeControlTypes.AddGroup(sRoot, TVI_ROOT, TRUE, nImage, nImage);
    m_treeControlTypes.SetItemState(hRoot, TVIS_BOLD, TVIS_BOLD);
    for (int i = 0; i < nTypeCount; i++) {
        CString sName;
        m_mapTypeNames.Lookup(i, sName);
        m_treeControlTypes.AddCheckBox(i + 1, sName, hRoot, GetTypeState(i) == 0 ? 0 : 1, TVI_SORT);
    }
    m_treeControlTypes.Expand(hRoot, TVE_EXPAND);
    if (!m_sProfileName.IsEmpty())
        m_treeControlTypes.LoadState(m_sProfileName, szTreeControlTypes);

    m_LayoutManager.TieChild(IDC_OX_COOL_CHECK_ALL, OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_COOL_TYPES, OX_LMS_ALL, OX_LMT_SAME);

    m_bInitialized = TRUE;
    UpdateData(FALSE);
    UpdateData(TRUE);
    EnableControls();
}

void COXCustomizeCoolControlsPage::EnableControls()
{
    m_treeControlTypes.EnableWindow(m_bConvertCommonToCool);
    if (CWnd* pCheckAll = GetDlgItem(IDC_OX_COOL_CHECK_ALL))
        pCheckAll->EnableWindow(m_bConvertCommonToCool);
}

void COXCustomizeCoolControlsPage::OnConvertClicked()
{
    if (!m_bInitialized)
        return;
    UpdateData(TRUE);
    EnableControls();
}

void COXCustomizeCoolControlsPage::OnCheckAll()
{
    if (!m_bInitialized)
        return;
    for (int i = 0; i < nTypeCount; i++)
        m_treeControlTypes.SetOptionCheck(i + 1, 1);
}
