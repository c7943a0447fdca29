#include "OXCustomizeSplashWindowPage.h"

#include <climits>

#include "OXCustomizeProfile.h"

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------

int OXSplashColorType(COLORREF clr)
{
    if (clr == CLR_DEFAULT)
        return OX_SPLASH_COLOR_AT_POINT;
    if (clr == CLR_NONE)
        return OX_SPLASH_COLOR_NONE;
    return OX_SPLASH_COLOR_GIVEN;
}

COLORREF OXSplashTransparentColor(int nType, COLORREF clrChosen)
{
    switch (nType) {
    case OX_SPLASH_COLOR_GIVEN:
        return clrChosen;
    case OX_SPLASH_COLOR_NONE:
        return CLR_NONE;
    default:
        return CLR_DEFAULT;
    }
}

BOOL OXSplashPageControlEnabled(UINT nID, int nShowMode, int nImageSource, int nColorType)
{
    switch (nID) {
    case IDC_OX_SPP_DELAY:
    case IDC_OX_SPP_DELAY_SPIN:
        return nShowMode == 0;
    case IDC_OX_SPP_FILE_NAME:
        return nImageSource == 1;
    case IDC_OX_SPP_COLOR:
        return nColorType == OX_SPLASH_COLOR_GIVEN;
    case IDC_OX_SPP_POINT_X:
    case IDC_OX_SPP_POINT_Y:
        return nColorType == OX_SPLASH_COLOR_AT_POINT;
    case IDC_OX_SPP_TOLERANCE:
    case IDC_OX_SPP_TOLERANCE_SPIN:
        return nColorType != OX_SPLASH_COLOR_NONE;
    default:
        return TRUE;
    }
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COXCustomizeSplashWindowPage, COXCustomizePage)

BEGIN_MESSAGE_MAP(COXCustomizeSplashWindowPage, COXCustomizePage)
    ON_BN_CLICKED(IDC_OX_SPP_DEFAULT_IMAGE, &COXCustomizeSplashWindowPage::OnDefaultImageClicked)
    ON_BN_CLICKED(IDC_OX_SPP_IMAGE_FILE, &COXCustomizeSplashWindowPage::OnRadioClicked)
    ON_BN_CLICKED(IDC_OX_SPP_SHOW_FOR, &COXCustomizeSplashWindowPage::OnRadioClicked)
    ON_BN_CLICKED(IDC_OX_SPP_SHOW_UNTIL_CLOSED, &COXCustomizeSplashWindowPage::OnRadioClicked)
    ON_BN_CLICKED(IDC_OX_SPP_COLOR_TYPE_COLOR, &COXCustomizeSplashWindowPage::OnRadioClicked)
    ON_BN_CLICKED(IDC_OX_SPP_COLOR_TYPE_NONE, &COXCustomizeSplashWindowPage::OnRadioClicked)
    ON_BN_CLICKED(IDC_OX_SPP_COLOR_TYPE_POINT, &COXCustomizeSplashWindowPage::OnRadioClicked)
    ON_BN_CLICKED(IDC_OX_SPP_PREVIEW, &COXCustomizeSplashWindowPage::OnPreview)
    ON_MESSAGE(WM_KICKIDLE, &COXCustomizeSplashWindowPage::OnKickIdle)
END_MESSAGE_MAP()

static const LPCTSTR kDisplaySplashWindow = "DisplaySplashWindow";
static const LPCTSTR kInterruptable = "SplashWindow_Interruptable";
static const LPCTSTR kShowDelay = "SplashWindowShowDelay";
static const LPCTSTR kPointX = "TransparentColorPoint_CoordX";
static const LPCTSTR kPointY = "TransparentColorPoint_CoordY";
static const LPCTSTR kTransparentColorType = "TransparentColorType";
static const LPCTSTR kUseDefaultImage = "UseDefaultImage";
static const LPCTSTR kShowInfinitely = "SplashWindowShowInfinitely";
static const LPCTSTR kImageFileName = "SplashImageFileName";
static const LPCTSTR kTransparentColor = "TransparentColor";
static const LPCTSTR kColorTolerance = "ColorTolerance";

COXCustomizeSplashWindowPage::COXCustomizeSplashWindowPage()
    : m_bInterruptable(FALSE), m_bDisplaySplashWindow(TRUE), m_nShowDelay(0), m_ptTransparentColor(0, 0),
      m_nTransparentColorType(OX_SPLASH_COLOR_AT_POINT), m_nImageSource(0), m_nShowMode(1), m_nColorTolerance(0),
      m_clrTransparent(::GetSysColor(COLOR_WINDOW)), m_nImageResourceID(0), m_bUseDefaultImage(TRUE),
      m_bShowInfinitely(TRUE), m_btnTransparentColor(40, 4, (DWORD)-1, 18, 18, IDS_OX_COLORPICKER_DEFAULT,
                                                      IDS_OX_COLORPICKER_CUSTOM)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_SPLASH;
}

COXCustomizeSplashWindowPage::~COXCustomizeSplashWindowPage()
{
    m_wndSplash.Close();
    m_wndPreviewSplash.Close();
}

CString COXCustomizeSplashWindowPage::GetTitle() const
{
    return LoadText(IDS_OX_CUSTOMIZE_SPLASH_TITLE);
}

CString COXCustomizeSplashWindowPage::GetTooltip() const
{
    return LoadText(IDS_OX_CUSTOMIZE_SPLASH_TIP);
}

BOOL COXCustomizeSplashWindowPage::InitializeSplashWindow(UINT nBitmapResourceID, BOOL bDisplaySplashWindow,
                                                          int nDisplayTime, BOOL bInterruptable,
                                                          COLORREF clrTransparent, LPPOINT pTransparentPoint,
                                                          BYTE nColorTolerance, LPCTSTR lpszProfileName)
{
    m_nImageResourceID = nBitmapResourceID;
    m_bDisplaySplashWindow = bDisplaySplashWindow;
    m_bInterruptable = bInterruptable;
    m_bUseDefaultImage = TRUE;
    m_bShowInfinitely = nDisplayTime == -1;
    m_nShowDelay = nDisplayTime < 0 ? 0 : (UINT)nDisplayTime;
    m_ptTransparentColor = pTransparentPoint != NULL ? CPoint(*pTransparentPoint) : CPoint(0, 0);
    m_nTransparentColorType = OXSplashColorType(clrTransparent);
    if (m_nTransparentColorType == OX_SPLASH_COLOR_GIVEN)
        m_clrTransparent = clrTransparent;
    m_nColorTolerance = nColorTolerance;
    m_sImageFileName.Empty();

    if (lpszProfileName != NULL) {
        m_sProfileName = lpszProfileName;
        LoadFromProfile();
    }
    m_nImageSource = m_bUseDefaultImage ? 0 : 1;
    m_nShowMode = m_bShowInfinitely ? 1 : 0;

    if (m_bDisplaySplashWindow)
        ShowSplashWindow(m_wndSplash, FALSE);
    return TRUE;
}

void COXCustomizeSplashWindowPage::LoadFromProfile()
{
    if (m_sProfileName.IsEmpty())
        return;
    LPCTSTR s = m_sProfileName;
    m_bDisplaySplashWindow = OXGetProfileBool(s, kDisplaySplashWindow, m_bDisplaySplashWindow);
    m_bInterruptable = OXGetProfileBool(s, kInterruptable, m_bInterruptable);
    m_nShowDelay = (UINT)OXGetProfileIntInRange(s, kShowDelay, (int)m_nShowDelay, 0, INT_MAX);
    m_ptTransparentColor.x = OXGetProfileIntInRange(s, kPointX, m_ptTransparentColor.x, 0, INT_MAX);
    m_ptTransparentColor.y = OXGetProfileIntInRange(s, kPointY, m_ptTransparentColor.y, 0, INT_MAX);
    // A type outside the three would leave the splash window's colour unchosen.
    m_nTransparentColorType = OXGetProfileIntInRange(s, kTransparentColorType, m_nTransparentColorType,
                                                     OX_SPLASH_COLOR_GIVEN, OX_SPLASH_COLOR_AT_POINT);
    m_bUseDefaultImage = OXGetProfileBool(s, kUseDefaultImage, m_bUseDefaultImage);
    m_bShowInfinitely = OXGetProfileBool(s, kShowInfinitely, m_bShowInfinitely);
    m_sImageFileName = OXGetProfileStringBounded(s, kImageFileName, m_sImageFileName, MAX_PATH);
    m_clrTransparent = (COLORREF)AfxGetApp()->GetProfileInt(s, kTransparentColor, (int)m_clrTransparent);
    m_nColorTolerance = (UINT)OXGetProfileIntInRange(s, kColorTolerance, (int)m_nColorTolerance, 0, 255);
}

void COXCustomizeSplashWindowPage::SaveToProfile() const
{
    if (m_sProfileName.IsEmpty())
        return;
    CWinApp* pApp = AfxGetApp();
    LPCTSTR s = m_sProfileName;
    pApp->WriteProfileInt(s, kDisplaySplashWindow, m_bDisplaySplashWindow);
    pApp->WriteProfileInt(s, kInterruptable, m_bInterruptable);
    pApp->WriteProfileInt(s, kShowDelay, (int)m_nShowDelay);
    pApp->WriteProfileInt(s, kPointX, m_ptTransparentColor.x);
    pApp->WriteProfileInt(s, kPointY, m_ptTransparentColor.y);
    pApp->WriteProfileInt(s, kTransparentColorType, m_nTransparentColorType);
    pApp->WriteProfileInt(s, kUseDefaultImage, m_bUseDefaultImage);
    pApp->WriteProfileInt(s, kShowInfinitely, m_bShowInfinitely);
    pApp->WriteProfileString(s, kImageFileName, m_sImageFileName);
    pApp->WriteProfileInt(s, kTransparentColor, (int)m_clrTransparent);
    pApp->WriteProfileInt(s, kColorTolerance, (int)m_nColorTolerance);
}

BOOL COXCustomizeSplashWindowPage::ShowSplashWindow(COXSplashWnd& wndSplash, BOOL bPreview)
{
    COLORREF clr = OXSplashTransparentColor(m_nTransparentColorType, m_clrTransparent);
    CPoint pt = m_ptTransparentColor;
    BYTE nTolerance = (BYTE)(m_nColorTolerance > 255 ? 255 : m_nColorTolerance);
    BOOL bLoaded = m_nImageSource == 1 ? wndSplash.LoadBitmapFile(m_sImageFileName, clr, &pt, nTolerance)
                                       : wndSplash.LoadBitmap(m_nImageResourceID, clr, &pt, nTolerance);
    if (!bLoaded)
        return FALSE;
    wndSplash.SetHideOnUserInput(bPreview || m_bInterruptable);
    return wndSplash.Show(m_nShowMode == 1 ? -1 : (int)m_nShowDelay, NULL, NULL);
}

BOOL COXCustomizeSplashWindowPage::ApplyChanges()
{
    if (!UpdateData(TRUE))
        return FALSE;
    m_bUseDefaultImage = m_nImageSource == 0;
    m_bShowInfinitely = m_nShowMode == 1;
    return TRUE;
}

BOOL COXCustomizeSplashWindowPage::OnCloseManager(BOOL bIsOk)
{
    if (!bIsOk)
        return TRUE;
    if (!ApplyChanges())
        return FALSE;
    SaveToProfile();
    return TRUE;
}

void COXCustomizeSplashWindowPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_SPP_FILE_NAME, m_comboImageFileName);
    DDX_Control(pDX, IDC_OX_SPP_COLOR, m_btnTransparentColor);
    DDX_Control(pDX, IDC_OX_SPP_DELAY_SPIN, m_spinShowDelay);
    DDX_Control(pDX, IDC_OX_SPP_TOLERANCE_SPIN, m_spinColorTolerance);
    DDX_Control(pDX, IDC_OX_SPP_SEP_IMAGE, m_sepImage);
    DDX_Control(pDX, IDC_OX_SPP_SEP_DISPLAY, m_sepDisplay);
    DDX_Control(pDX, IDC_OX_SPP_SEP_TRANSPARENT, m_sepTransparent);
    DDX_Control(pDX, IDC_OX_PAGE_SEP_LOWER, m_sepPreview);
    DDX_Check(pDX, IDC_OX_SPP_DISPLAY, m_bDisplaySplashWindow);
    DDX_Check(pDX, IDC_OX_SPP_INTERRUPTABLE, m_bInterruptable);
    DDX_Radio(pDX, IDC_OX_SPP_DEFAULT_IMAGE, m_nImageSource);
    // An exact match: an empty name must not pick the first file of the history.
    DDX_CBStringExact(pDX, IDC_OX_SPP_FILE_NAME, m_sImageFileName);
    DDX_Radio(pDX, IDC_OX_SPP_SHOW_FOR, m_nShowMode);
    DDX_Text(pDX, IDC_OX_SPP_DELAY, m_nShowDelay);
    DDX_Radio(pDX, IDC_OX_SPP_COLOR_TYPE_COLOR, m_nTransparentColorType);
    DDX_ColorPicker(pDX, IDC_OX_SPP_COLOR, m_clrTransparent);
    DDX_Text(pDX, IDC_OX_SPP_POINT_X, m_ptTransparentColor.x);
    DDX_Text(pDX, IDC_OX_SPP_POINT_Y, m_ptTransparentColor.y);
    DDX_Text(pDX, IDC_OX_SPP_TOLERANCE, m_nColorTolerance);
    DDV_MinMaxUInt(pDX, m_nColorTolerance, 0, 255);
}

void COXCustomizeSplashWindowPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    // Lines widen with the page; Preview keeps to its right edge.
    for (int nID : {IDC_OX_SPP_SEP_IMAGE, IDC_OX_SPP_SEP_DISPLAY, IDC_OX_SPP_SEP_TRANSPARENT, IDC_OX_PAGE_SEP_LOWER})
        m_LayoutManager.TieChild(nID, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_SPP_PREVIEW, OX_LMS_RIGHT, OX_LMT_SAME);
    m_comboImageFileName.SetAutoPersistent("CustomizeSplashWindow_ImageFileName");
    for (int nButton = 4; nButton <= 9; nButton++)
        m_comboImageFileName.SetButtonFlag(nButton, FALSE);
    if (CToolBar* pBar = m_comboImageFileName.GetToolbar()) {
        if (::IsWindow(pBar->GetSafeHwnd()))
            pBar->ModifyStyle(0, TBSTYLE_FLAT);
    }
    m_comboImageFileName.InitializeToolbar();
    m_nImageSource = m_bUseDefaultImage ? 0 : 1;
    m_nShowMode = m_bShowInfinitely ? 1 : 0;
    m_spinShowDelay.SetRange32(0, 32000);
    m_spinColorTolerance.SetRange32(0, 255);
    m_bInitialized = TRUE;
    UpdateData(FALSE);
    ShowControls();
}

void COXCustomizeSplashWindowPage::ShowControls()
{
    static const UINT ids[] = {IDC_OX_SPP_DELAY,   IDC_OX_SPP_DELAY_SPIN, IDC_OX_SPP_FILE_NAME,
                               IDC_OX_SPP_COLOR,   IDC_OX_SPP_POINT_X,    IDC_OX_SPP_POINT_Y,
                               IDC_OX_SPP_TOLERANCE, IDC_OX_SPP_TOLERANCE_SPIN};
    for (UINT nID : ids) {
        CWnd* pCtrl = GetDlgItem(nID);
        if (pCtrl != NULL)
            pCtrl->EnableWindow(
                OXSplashPageControlEnabled(nID, m_nShowMode, m_nImageSource, m_nTransparentColorType));
    }
}

void COXCustomizeSplashWindowPage::OnRadioClicked()
{
    if (!m_bInitialized || !UpdateData(TRUE))
        return;
    ShowControls();
}

void COXCustomizeSplashWindowPage::OnDefaultImageClicked()
{
    if (!m_bInitialized || !UpdateData(TRUE))
        return;
    m_sImageFileName.Empty();
    UpdateData(FALSE);
    ShowControls();
}

void COXCustomizeSplashWindowPage::OnPreview()
{
    if (!m_bInitialized || !UpdateData(TRUE))
        return;
    ShowSplashWindow(m_wndPreviewSplash, TRUE);
}

LRESULT COXCustomizeSplashWindowPage::OnKickIdle(WPARAM, LPARAM)
{
    if (::IsWindow(m_comboImageFileName.GetSafeHwnd()))
        m_comboImageFileName.OnIdle(0);
    return FALSE;
}
