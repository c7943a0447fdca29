#include "OXCustomizeTrayIconPage.h"

#include <shellapi.h>

#include "OXCustomizeProfile.h"

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------

BOOL OXTrayMenuOpensOn(UINT nMessage, BOOL bUseRightClick)
{
    return nMessage == (bUseRightClick ? (UINT)WM_RBUTTONUP : (UINT)WM_LBUTTONUP);
}

BOOL OXIsExtractedIcon(HICON hIcon)
{
    return hIcon != NULL && hIcon != (HICON)1;
}

// ---------------------------------------------------------------------------
// The icon
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(COXCustomizeTaskbarIcon, COXTaskbarIcon)
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

void COXCustomizeTaskbarIcon::OnLButtonUp(UINT nFlags, CPoint point)
{
    COXTaskbarIcon::OnLButtonUp(nFlags, point);
    if (m_pPage != NULL && OXTrayMenuOpensOn(WM_LBUTTONUP, m_pPage->IsUsingRightClick()))
        m_pPage->ShowPopupMenu();
}

void COXCustomizeTaskbarIcon::OnRButtonUp(UINT nFlags, CPoint point)
{
    COXTaskbarIcon::OnRButtonUp(nFlags, point);
    if (m_pPage != NULL && OXTrayMenuOpensOn(WM_RBUTTONUP, m_pPage->IsUsingRightClick()))
        m_pPage->ShowPopupMenu();
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COXCustomizeTrayIconPage, COXCustomizePage)

BEGIN_MESSAGE_MAP(COXCustomizeTrayIconPage, COXCustomizePage)
    ON_BN_CLICKED(IDC_OX_TRP_DEFAULT_ICON, &COXCustomizeTrayIconPage::OnDefaultIconClicked)
    ON_BN_CLICKED(IDC_OX_TRP_FILE_ICON, &COXCustomizeTrayIconPage::OnFileIconClicked)
    ON_CBN_SELCHANGE(IDC_OX_TRP_FILE_NAME, &COXCustomizeTrayIconPage::OnFileNameSelChange)
    ON_CBN_EDITCHANGE(IDC_OX_TRP_FILE_NAME, &COXCustomizeTrayIconPage::OnFileNameEditChange)
    ON_MESSAGE(WM_KICKIDLE, &COXCustomizeTrayIconPage::OnKickIdle)
END_MESSAGE_MAP()

static const LPCTSTR kTrayIconTooltip = "TrayIconTooltip";
static const LPCTSTR kShowTrayIcon = "ShowTrayIcon";
static const LPCTSTR kUseRightClick = "UseRightClick";
static const LPCTSTR kUseDefaultIcon = "UseDefaultIcon";
static const LPCTSTR kTrayIconSourceFileName = "TrayIconSourceFileName";
static const LPCTSTR kIconIndexFromSourceFile = "IconIndexFromSourceFile";

// The notification area shows a tip of at most this many characters.
static const int kMaxTooltip = 63;

COXCustomizeTrayIconPage::COXCustomizeTrayIconPage()
    : m_bShowTrayIcon(TRUE), m_nMouseButton(1), m_nIconSource(0), m_hDefaultIcon(NULL), m_hExtractedIcon(NULL),
      m_nIconIndex(-1), m_bUseRightClick(TRUE), m_bUseDefaultIcon(TRUE),
      m_listIcons(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR24 | ILC_MASK)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_TRAYICON;
    m_taskbarIcon.Create(0);
    m_taskbarIcon.m_pPage = this;
}

COXCustomizeTrayIconPage::~COXCustomizeTrayIconPage()
{
    // The icon leaves the notification area before the picture it shows goes.
    if (::IsWindow(m_taskbarIcon.GetSafeHwnd())) {
        m_taskbarIcon.m_pPage = NULL;
        m_taskbarIcon.Hide();
        m_taskbarIcon.DestroyWindow();
    }
    if (m_hExtractedIcon != NULL)
        ::DestroyIcon(m_hExtractedIcon);
}

CString COXCustomizeTrayIconPage::GetTitle() const
{
    return LoadText(IDS_OX_CUSTOMIZE_TRAYICON_TITLE);
}

CString COXCustomizeTrayIconPage::GetTooltip() const
{
    return LoadText(IDS_OX_CUSTOMIZE_TRAYICON_TIP);
}

BOOL COXCustomizeTrayIconPage::InitializeTrayIcon(HICON hDefaultIcon, UINT nMenuID, LPCTSTR lpszTooltip,
                                                  BOOL bShowTrayIcon, BOOL bUseRightClick,
                                                  LPCTSTR lpszIconSourceFileName, LPCTSTR lpszProfileName)
{
    m_hDefaultIcon = hDefaultIcon;
    if (m_menuPopup.GetSafeHmenu() != NULL)
        m_menuPopup.DestroyMenu();
    if (nMenuID != 0) {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nMenuID), RT_MENU);
        m_menuPopup.Attach(::LoadMenu(hInst, MAKEINTRESOURCE(nMenuID)));
    }
    m_sTrayIconTooltip = lpszTooltip != NULL ? lpszTooltip : "";
    m_sTrayIconTooltip = m_sTrayIconTooltip.Left(kMaxTooltip);
    m_bShowTrayIcon = bShowTrayIcon;
    m_bUseRightClick = bUseRightClick;
    m_sIconSourceFileName = lpszIconSourceFileName != NULL ? lpszIconSourceFileName : "";
    m_bUseDefaultIcon = TRUE;
    m_nIconIndex = -1;
    if (lpszProfileName != NULL) {
        m_sProfileName = lpszProfileName;
        LoadFromProfile();
    }
    DefaultIconSourceFileName();
    ApplyTrayIcon();
    return TRUE;
}

void COXCustomizeTrayIconPage::DefaultIconSourceFileName()
{
    if (!m_sIconSourceFileName.IsEmpty())
        return;
    char szPath[MAX_PATH + 1] = "";
    DWORD nLength = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    szPath[nLength <= MAX_PATH ? nLength : MAX_PATH] = '\0';
    m_sIconSourceFileName = szPath;
}

void COXCustomizeTrayIconPage::LoadFromProfile()
{
    if (m_sProfileName.IsEmpty())
        return;
    LPCTSTR s = m_sProfileName;
    m_sTrayIconTooltip = AfxGetApp()->GetProfileString(s, kTrayIconTooltip, m_sTrayIconTooltip).Left(kMaxTooltip);
    m_bShowTrayIcon = OXGetProfileBool(s, kShowTrayIcon, m_bShowTrayIcon);
    m_bUseRightClick = OXGetProfileBool(s, kUseRightClick, m_bUseRightClick);
    m_bUseDefaultIcon = OXGetProfileBool(s, kUseDefaultIcon, m_bUseDefaultIcon);
    m_sIconSourceFileName = OXGetProfileStringBounded(s, kTrayIconSourceFileName, m_sIconSourceFileName, MAX_PATH);
    m_nIconIndex = OXGetProfileIntInRange(s, kIconIndexFromSourceFile, m_nIconIndex, -1, 0xFFFF);
}

void COXCustomizeTrayIconPage::SaveToProfile() const
{
    if (m_sProfileName.IsEmpty())
        return;
    CWinApp* pApp = AfxGetApp();
    LPCTSTR s = m_sProfileName;
    pApp->WriteProfileString(s, kTrayIconTooltip, m_sTrayIconTooltip);
    pApp->WriteProfileInt(s, kShowTrayIcon, m_bShowTrayIcon);
    pApp->WriteProfileInt(s, kUseRightClick, m_bUseRightClick);
    pApp->WriteProfileInt(s, kUseDefaultIcon, m_bUseDefaultIcon);
    pApp->WriteProfileString(s, kTrayIconSourceFileName, m_sIconSourceFileName);
    pApp->WriteProfileInt(s, kIconIndexFromSourceFile, m_nIconIndex);
}

void COXCustomizeTrayIconPage::ApplyTrayIcon()
{
    // A page built before the program could make windows makes its icon now.
    if (!::IsWindow(m_taskbarIcon.GetSafeHwnd()) && !m_taskbarIcon.Create(0))
        return;
    m_taskbarIcon.SetTooltipText(m_sTrayIconTooltip, TRUE);
    if (m_bShowTrayIcon)
        m_taskbarIcon.Show();
    else
        m_taskbarIcon.Hide();

    if (!m_bUseDefaultIcon) {
        // A negative index would ask the file for its number of icons, which
        // is no icon.
        HICON hIcon = m_nIconIndex >= 0
                          ? ::ExtractIconA(AfxGetInstanceHandle(), m_sIconSourceFileName, (UINT)m_nIconIndex)
                          : NULL;
        if (OXIsExtractedIcon(hIcon)) {
            // The new picture goes up before the old one is destroyed.
            m_taskbarIcon.SetIcon(hIcon, TRUE);
            if (m_hExtractedIcon != NULL)
                ::DestroyIcon(m_hExtractedIcon);
            m_hExtractedIcon = hIcon;
            return;
        }
        m_bUseDefaultIcon = TRUE;
        m_nIconIndex = -1;
        if (::IsWindow(m_hWnd) && m_bInitialized) {
            m_nIconSource = 0;
            CheckRadioButton(IDC_OX_TRP_DEFAULT_ICON, IDC_OX_TRP_FILE_ICON, IDC_OX_TRP_DEFAULT_ICON);
            m_listIcons.SetCurSel(-1);
            EnableFileControls(FALSE);
        }
    }
    m_taskbarIcon.SetIcon(m_hDefaultIcon, TRUE);
    if (m_hExtractedIcon != NULL) {
        ::DestroyIcon(m_hExtractedIcon);
        m_hExtractedIcon = NULL;
    }
}

void COXCustomizeTrayIconPage::ShowPopupMenu()
{
    // A menu resource without a submenu has no tray menu to show.
    CMenu* pPopup = m_menuPopup.GetSafeHmenu() != NULL ? m_menuPopup.GetSubMenu(0) : NULL;
    if (pPopup == NULL)
        return;
    CWnd* pOwner = AfxGetMainWnd();
    if (pOwner == NULL || !::IsWindow(pOwner->GetSafeHwnd()))
        pOwner = &m_taskbarIcon;
    CPoint pt;
    ::GetCursorPos(&pt);
    // The owner must be in front for a click elsewhere to close the menu,
    // and the menu ends only once the owner's queue has moved on.
    pOwner->SetForegroundWindow();
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, pOwner);
    pOwner->PostMessage(WM_NULL);
}

BOOL COXCustomizeTrayIconPage::ApplyChanges()
{
    if (!UpdateData(TRUE))
        return FALSE;
    m_nIconIndex = ::IsWindow(m_listIcons.GetSafeHwnd()) ? m_listIcons.GetCurSel() : m_nIconIndex;
    m_bUseRightClick = m_nMouseButton == 1;
    m_bUseDefaultIcon = m_nIconSource == 0;
    ApplyTrayIcon();
    return TRUE;
}

BOOL COXCustomizeTrayIconPage::OnCloseManager(BOOL bIsOk)
{
    if (bIsOk) {
        if (!ApplyChanges())
            return FALSE;
        SaveToProfile();
        return TRUE;
    }
    if (!m_sProfileName.IsEmpty()) {
        LoadFromProfile();
        DefaultIconSourceFileName();
        ApplyTrayIcon();
    }
    return TRUE;
}

void COXCustomizeTrayIconPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_TRP_FILE_NAME, m_comboIconSourceFileName);
    DDX_Control(pDX, IDC_OX_TRP_ICONS, m_listIcons);
    DDX_Control(pDX, IDC_OX_TRP_DEFAULT_PICTURE, m_staticDefaultIcon);
    DDX_Control(pDX, IDC_OX_TRP_SEP_ICON, m_sepIcon);
    DDX_Control(pDX, IDC_OX_PAGE_SEP_LOWER, m_sepLower);
    DDX_Check(pDX, IDC_OX_TRP_SHOW, m_bShowTrayIcon);
    DDX_Text(pDX, IDC_OX_TRP_TOOLTIP, m_sTrayIconTooltip);
    DDV_MaxChars(pDX, m_sTrayIconTooltip, kMaxTooltip);
    DDX_Radio(pDX, IDC_OX_TRP_LEFT_BUTTON, m_nMouseButton);
    DDX_Radio(pDX, IDC_OX_TRP_DEFAULT_ICON, m_nIconSource);
    // An exact match: an empty name must not pick the first file of the history.
    DDX_CBStringExact(pDX, IDC_OX_TRP_FILE_NAME, m_sIconSourceFileName);
}

void COXCustomizeTrayIconPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    // The tip, the lines and the icon list widen with the page; the list
    // grows down with it, the lower line below it.
    for (int nID : {IDC_OX_TRP_TOOLTIP, IDC_OX_TRP_SEP_ICON})
        m_LayoutManager.TieChild(nID, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_TRP_ICONS, OX_LMS_ALL, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_PAGE_SEP_LOWER, OX_LMS_LEFT | OX_LMS_RIGHT | OX_LMS_BOTTOM, OX_LMT_SAME);
    m_comboIconSourceFileName.SetAutoPersistent("CustomizeTrayIcon_IconSourceFileName");
    for (int nButton = 4; nButton <= 9; nButton++)
        m_comboIconSourceFileName.SetButtonFlag(nButton, FALSE);
    if (CToolBar* pBar = m_comboIconSourceFileName.GetToolbar()) {
        if (::IsWindow(pBar->GetSafeHwnd()))
            pBar->ModifyStyle(0, TBSTYLE_FLAT);
    }
    m_comboIconSourceFileName.InitializeToolbar();
    m_nMouseButton = m_bUseRightClick ? 1 : 0;
    m_nIconSource = m_bUseDefaultIcon ? 0 : 1;
    m_staticDefaultIcon.SetIcon(m_hDefaultIcon);
    // A picture static made with no icon of its own may have shrunk to
    // nothing: it gets the size of an icon back.
    m_staticDefaultIcon.SetWindowPos(NULL, 0, 0, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInitialized = TRUE;
    UpdateData(FALSE);
    EnableFileControls(m_nIconSource == 1);
    CString sFile;
    m_comboIconSourceFileName.GetWindowText(sFile);
    if (!sFile.IsEmpty())
        FillIconList(sFile);
    m_listIcons.SetCurSel(m_nIconIndex);
}

void COXCustomizeTrayIconPage::EnableFileControls(BOOL bEnable)
{
    m_listIcons.EnableWindow(bEnable);
    m_comboIconSourceFileName.EnableWindow(bEnable);
}

void COXCustomizeTrayIconPage::FillIconList(LPCTSTR lpszFileName)
{
    // A file without icons is no reason to keep another file's icons listed:
    // they would be taken for this file's.
    if (!m_listIcons.LoadIconsFromFile(lpszFileName, TRUE)) {
        m_listIcons.ResetContent();
        return;
    }
    m_listIcons.SetCurSel(0);
}

void COXCustomizeTrayIconPage::OnDefaultIconClicked()
{
    if (!m_bInitialized)
        return;
    EnableFileControls(FALSE);
    m_sIconSourceFileName.Empty();
    m_bUseDefaultIcon = TRUE;
}

void COXCustomizeTrayIconPage::OnFileIconClicked()
{
    if (!m_bInitialized)
        return;
    EnableFileControls(TRUE);
}

void COXCustomizeTrayIconPage::OnFileNameSelChange()
{
    if (!m_bInitialized)
        return;
    int nSel = m_comboIconSourceFileName.GetCurSel();
    if (nSel < 0)
        return;
    m_comboIconSourceFileName.GetLBText(nSel, m_sIconSourceFileName);
    FillIconList(m_sIconSourceFileName);
}

void COXCustomizeTrayIconPage::OnFileNameEditChange()
{
    if (!m_bInitialized)
        return;
    m_comboIconSourceFileName.GetWindowText(m_sIconSourceFileName);
    FillIconList(m_sIconSourceFileName);
}

LRESULT COXCustomizeTrayIconPage::OnKickIdle(WPARAM, LPARAM)
{
    if (::IsWindow(m_comboIconSourceFileName.GetSafeHwnd()))
        m_comboIconSourceFileName.OnIdle(0);
    return FALSE;
}
