#include "OXCustomizeBackgroundPage.h"

#include "OXCustomizeProfile.h"

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------

BOOL OXBackgroundPageControlEnabled(UINT nID, BOOL bPaintBackground, BOOL bUseDefaultImage)
{
    if (nID == IDC_OX_BGP_FILE_NAME)
        return bPaintBackground && !bUseDefaultImage;
    if (nID >= IDC_OX_BGP_TILED && nID <= IDC_OX_BGP_BOTTOM_RIGHT)
        return bPaintBackground;
    switch (nID) {
    case IDC_OX_BGP_TYPE_LABEL:
    case IDC_OX_BGP_ONLY_CLIENT:
    case IDC_OX_BGP_COLOR:
    case IDC_OX_BGP_COLOR_LABEL:
    case IDC_OX_BGP_DEFAULT_IMAGE:
    case IDC_OX_BGP_IMAGE_FILE:
    case IDC_OX_BGP_SEP_IMAGE:
    case IDC_OX_BGP_PREVIEW:
        return bPaintBackground;
    default:
        return TRUE;
    }
}

BOOL OXBackgroundPageUsesFile(BOOL bUseDefaultImage, const CString& sImageFileName)
{
    return !bUseDefaultImage && !sImageFileName.IsEmpty();
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COXCustomizeBackgroundPage, COXCustomizePage)

BEGIN_MESSAGE_MAP(COXCustomizeBackgroundPage, COXCustomizePage)
    ON_BN_CLICKED(IDC_OX_BGP_PAINT, &COXCustomizeBackgroundPage::OnPaintBackground)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_OX_BGP_TILED, IDC_OX_BGP_BOTTOM_RIGHT, &COXCustomizeBackgroundPage::OnPaintType)
    ON_BN_CLICKED(IDC_OX_BGP_COLOR, &COXCustomizeBackgroundPage::OnColor)
    ON_BN_CLICKED(IDC_OX_BGP_DEFAULT_IMAGE, &COXCustomizeBackgroundPage::OnDefaultImage)
    ON_BN_CLICKED(IDC_OX_BGP_IMAGE_FILE, &COXCustomizeBackgroundPage::OnImageFile)
    ON_CBN_EDITCHANGE(IDC_OX_BGP_FILE_NAME, &COXCustomizeBackgroundPage::OnFileNameEdited)
    ON_CBN_SELCHANGE(IDC_OX_BGP_FILE_NAME, &COXCustomizeBackgroundPage::OnFileNameChosen)
    ON_WM_DESTROY()
    ON_WM_PALETTECHANGED()
    ON_WM_QUERYNEWPALETTE()
    ON_MESSAGE(WM_KICKIDLE, &COXCustomizeBackgroundPage::OnKickIdle)
END_MESSAGE_MAP()

static const LPCTSTR kPaintBackground = "PaintBackground";
static const LPCTSTR kOnlyClientArea = "OnlyClientArea";
static const LPCTSTR kImageFileName = "ImageFileName";
static const LPCTSTR kPaintType = "PaintType";
static const LPCTSTR kBackgroundColor = "BackgroundColor";
static const LPCTSTR kUseDefaultImage = "UseDefaultImage";

COXCustomizeBackgroundPage::COXCustomizeBackgroundPage()
    : m_bPaintBackground(TRUE), m_bOnlyClientArea(TRUE), m_nPaintType(-1),
      m_clrBackground(::GetSysColor(COLOR_WINDOW)), m_nImageSource(0), m_bUseDefaultImage(TRUE),
      m_pMDIClientWnd(NULL), m_comboImageFileName(IDS_OX_BMP_FILE_FILTER),
      m_btnBackground(40, 4, (DWORD)-1, 18, 18, IDS_OX_COLORPICKER_DEFAULT, IDS_OX_COLORPICKER_CUSTOM)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_BACKGROUND;
}

COXCustomizeBackgroundPage::~COXCustomizeBackgroundPage()
{
    // The painters let go of their windows before the helper object goes.
    if (m_organizer.GetAttachedWnd() != NULL)
        m_organizer.DetachFromThread(FALSE);
    else
        m_organizer.Detach(NULL, FALSE);
    ReleaseHelperWnd();
}

CString COXCustomizeBackgroundPage::GetTitle() const
{
    return LoadText(IDS_OX_CUSTOMIZE_BACKGROUND_TITLE);
}

CString COXCustomizeBackgroundPage::GetTooltip() const
{
    return LoadText(IDS_OX_CUSTOMIZE_BACKGROUND_TIP);
}

BOOL COXCustomizeBackgroundPage::InitializeBackgroundPainter(BOOL bPaintBackground, BOOL bOnlyClientArea,
                                                             const COXDIB* pDefaultImage, int nPaintType,
                                                             COLORREF clrBackground, LPCTSTR lpszProfileName)
{
    m_bPaintBackground = bPaintBackground;
    m_bOnlyClientArea = bOnlyClientArea;
    m_nPaintType = nPaintType;
    m_clrBackground = clrBackground;
    m_bUseDefaultImage = TRUE;
    if (lpszProfileName != NULL && *lpszProfileName != '\0') {
        m_sProfileName = lpszProfileName;
        LoadFromProfile();
    }
    if (pDefaultImage != NULL)
        m_dibDefault = *pDefaultImage;
    else
        m_dibDefault.Empty();
    ApplyBackgroundPainter();
    return TRUE;
}

BOOL COXCustomizeBackgroundPage::InitializeBackgroundPainter(BOOL bPaintBackground, BOOL bOnlyClientArea,
                                                             LPCTSTR lpszDIBResourceName, int nPaintType,
                                                             COLORREF clrBackground, LPCTSTR lpszProfileName)
{
    COXDIB dib;
    if (lpszDIBResourceName != NULL)
        dib.LoadResource(lpszDIBResourceName);
    return InitializeBackgroundPainter(bPaintBackground, bOnlyClientArea, &dib, nPaintType, clrBackground,
                                       lpszProfileName);
}

BOOL COXCustomizeBackgroundPage::InitializeBackgroundPainter(BOOL bPaintBackground, BOOL bOnlyClientArea,
                                                             UINT nDIBResourceID, int nPaintType,
                                                             COLORREF clrBackground, LPCTSTR lpszProfileName)
{
    return InitializeBackgroundPainter(bPaintBackground, bOnlyClientArea, MAKEINTRESOURCE(nDIBResourceID),
                                       nPaintType, clrBackground, lpszProfileName);
}

BOOL COXCustomizeBackgroundPage::InitializeBackgroundPainterFromFile(BOOL bPaintBackground, BOOL bOnlyClientArea,
                                                                     LPCTSTR lpszFileName, int nPaintType,
                                                                     COLORREF clrBackground,
                                                                     LPCTSTR lpszProfileName)
{
    COXDIB dib;
    const CString sFileName = lpszFileName != NULL ? lpszFileName : "";
    if (!sFileName.IsEmpty() && !dib.Load(sFileName))
        return FALSE;
    m_sImageFileName = sFileName;
    return InitializeBackgroundPainter(bPaintBackground, bOnlyClientArea, &dib, nPaintType, clrBackground,
                                       lpszProfileName);
}

void COXCustomizeBackgroundPage::LoadFromProfile()
{
    if (m_sProfileName.IsEmpty())
        return;
    LPCTSTR s = m_sProfileName;
    m_bPaintBackground = OXGetProfileBool(s, kPaintBackground, m_bPaintBackground);
    m_bOnlyClientArea = OXGetProfileBool(s, kOnlyClientArea, m_bOnlyClientArea);
    m_sImageFileName = OXGetProfileStringBounded(s, kImageFileName, m_sImageFileName, MAX_PATH);
    m_nPaintType = OXGetProfileIntInRange(s, kPaintType, m_nPaintType, OXPaintTiled, OXPaintBottomRight);
    m_clrBackground = (COLORREF)AfxGetApp()->GetProfileInt(s, kBackgroundColor, (int)m_clrBackground);
    m_bUseDefaultImage = OXGetProfileBool(s, kUseDefaultImage, m_bUseDefaultImage);
}

void COXCustomizeBackgroundPage::SaveToProfile() const
{
    if (m_sProfileName.IsEmpty())
        return;
    CWinApp* pApp = AfxGetApp();
    LPCTSTR s = m_sProfileName;
    pApp->WriteProfileInt(s, kPaintBackground, m_bPaintBackground);
    pApp->WriteProfileInt(s, kOnlyClientArea, m_bOnlyClientArea);
    pApp->WriteProfileString(s, kImageFileName, m_sImageFileName);
    pApp->WriteProfileInt(s, kPaintType, m_nPaintType);
    pApp->WriteProfileInt(s, kBackgroundColor, (int)m_clrBackground);
    pApp->WriteProfileInt(s, kUseDefaultImage, m_bUseDefaultImage);
}

CWnd* COXCustomizeBackgroundPage::ClientWindow(HWND hWndClient)
{
    if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndClient))
        return pWnd;
    if (m_pMDIClientWnd == NULL)
        m_pMDIClientWnd = new COXHelperWnd;
    if (m_pMDIClientWnd->GetSafeHwnd() != hWndClient) {
        if (m_pMDIClientWnd->GetSafeHwnd() != NULL)
            m_pMDIClientWnd->Detach();
        m_pMDIClientWnd->Attach(hWndClient);
    }
    return m_pMDIClientWnd;
}

void COXCustomizeBackgroundPage::ReleaseHelperWnd()
{
    if (m_pMDIClientWnd == NULL)
        return;
    if (m_pMDIClientWnd->GetSafeHwnd() != NULL)
        m_pMDIClientWnd->Detach();
    delete m_pMDIClientWnd;
    m_pMDIClientWnd = NULL;
}

COLORREF COXCustomizeBackgroundPage::ImageTransparentColor() const
{
    return OXBackgroundPageUsesFile(m_bUseDefaultImage, m_sImageFileName) ? CLR_NONE : m_clrDefaultTransparent;
}

void COXCustomizeBackgroundPage::ApplyBackgroundPainter()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && ::IsWindow(pMainWnd->GetSafeHwnd())) {
        pMainWnd->InvalidateRect(NULL, TRUE);
        CClientDC dc(pMainWnd);
        pMainWnd->SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc());
    }
    CWnd* pPreview = ::IsWindow(m_wndPreview.GetSafeHwnd()) ? &m_wndPreview : NULL;
    COXDIB dib;
    COXBackgroundPainter* pFirst = m_organizer.GetFirstPainter();
    if (pFirst == NULL || m_bUseDefaultImage)
        dib = m_dibDefault;
    else
        dib = *pFirst->GetImage();
    // Every painter attached from here on keys out what the image in use does.
    m_organizer.SetTransparentColor(NULL, ImageTransparentColor(), FALSE);
    const BOOL bHooked = m_organizer.GetAttachedWnd() != NULL;
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pMainWnd);
    const HWND hWndClient = pMDIFrame != NULL && ::IsWindow(pMDIFrame->m_hWndMDIClient) ? pMDIFrame->m_hWndMDIClient
                                                                                      : NULL;

    if (!m_bPaintBackground) {
        if (bHooked)
            m_organizer.DetachFromThread(TRUE);
        else
            m_organizer.Detach(NULL, TRUE);
        // The preview goes on showing the look chosen.
        if (pPreview != NULL) {
            m_organizer.Attach(pPreview, &dib, m_nPaintType, m_clrBackground);
            if (OXBackgroundPageUsesFile(m_bUseDefaultImage, m_sImageFileName))
                m_organizer.LoadImage(pPreview, m_sImageFileName, TRUE);
        }
        return;
    }

    if (m_bOnlyClientArea && bHooked) {
        m_organizer.DetachFromThread(TRUE);
        if (pPreview != NULL)
            m_organizer.Attach(pPreview, &dib, m_nPaintType, m_clrBackground);
        if (hWndClient != NULL)
            m_organizer.Attach(ClientWindow(hWndClient), &dib, m_nPaintType, m_clrBackground);
    } else if (!m_bOnlyClientArea && !bHooked) {
        if (hWndClient != NULL)
            m_organizer.Detach(CWnd::FromHandle(hWndClient), FALSE);
        m_organizer.AttachToThread(pMainWnd, &dib, m_nPaintType, m_clrBackground);
    } else if (m_bOnlyClientArea && hWndClient != NULL) {
        CWnd* pClient = ClientWindow(hWndClient);
        if (!m_organizer.IsAttached(pClient))
            m_organizer.Attach(pClient, &dib, m_nPaintType, m_clrBackground);
    }
    // (Painting everything while already hooked: the hooks give the MDI
    // client its painter themselves.)

    if (pPreview != NULL)
        m_organizer.SetOriginWnd(pPreview, pPreview, TRUE);
    if (OXBackgroundPageUsesFile(m_bUseDefaultImage, m_sImageFileName))
        m_organizer.LoadImage(NULL, m_sImageFileName, FALSE);
    else
        m_organizer.SetImage(NULL, &m_dibDefault, FALSE);
    m_organizer.SetBackgroundColor(NULL, m_clrBackground, FALSE);
    m_organizer.SetPaintType(NULL, m_nPaintType, TRUE);
}

BOOL COXCustomizeBackgroundPage::ApplyChanges()
{
    if (::IsWindow(GetSafeHwnd()) && !UpdateData(TRUE))
        return FALSE;
    m_bUseDefaultImage = m_nImageSource == 0;
    ApplyBackgroundPainter();
    return TRUE;
}

BOOL COXCustomizeBackgroundPage::OnCloseManager(BOOL bIsOk)
{
    if (bIsOk) {
        if (!ApplyChanges())
            return FALSE;
        SaveToProfile();
        return TRUE;
    }
    if (!m_sProfileName.IsEmpty()) {
        LoadFromProfile();
        ApplyBackgroundPainter();
    }
    return TRUE;
}

void COXCustomizeBackgroundPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_BGP_FILE_NAME, m_comboImageFileName);
    DDX_Control(pDX, IDC_OX_BGP_COLOR, m_btnBackground);
    DDX_Control(pDX, IDC_OX_BGP_SEP_TYPE, m_sepType);
    DDX_Control(pDX, IDC_OX_BGP_SEP_IMAGE, m_sepImage);
    DDX_Check(pDX, IDC_OX_BGP_PAINT, m_bPaintBackground);
    DDX_Check(pDX, IDC_OX_BGP_ONLY_CLIENT, m_bOnlyClientArea);
    DDX_Radio(pDX, IDC_OX_BGP_TILED, m_nPaintType);
    DDX_ColorPicker(pDX, IDC_OX_BGP_COLOR, m_clrBackground);
    DDX_Radio(pDX, IDC_OX_BGP_DEFAULT_IMAGE, m_nImageSource);
    // An exact match: an empty name must not pick the first file of the history.
    DDX_CBStringExact(pDX, IDC_OX_BGP_FILE_NAME, m_sImageFileName);
}

void COXCustomizeBackgroundPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    m_comboImageFileName.SetAutoPersistent("CustomizeBackgroundPainter_ImageFileName");
    for (int nButton = 4; nButton <= 9; nButton++)
        m_comboImageFileName.SetButtonFlag(nButton, FALSE);
    if (CToolBar* pBar = m_comboImageFileName.GetToolbar()) {
        if (::IsWindow(pBar->GetSafeHwnd()))
            pBar->ModifyStyle(0, TBSTYLE_FLAT);
    }
    m_comboImageFileName.InitializeToolbar();
    m_btnBackground.SetToolTip(TRUE);
    m_btnBackground.GetColorPickerCtrl()->SetDefaultValue(::GetSysColor(COLOR_BTNFACE));

    // The preview takes the place of the template's placeholder.
    if (CWnd* pPlaceholder = GetDlgItem(IDC_OX_BGP_PREVIEW)) {
        CRect rect;
        pPlaceholder->GetWindowRect(&rect);
        ScreenToClient(&rect);
        pPlaceholder->DestroyWindow();
        m_wndPreview.Create(AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "", WS_CHILD | WS_VISIBLE,
                            rect, this, IDC_OX_BGP_PREVIEW);
    }
    if (::IsWindow(m_wndPreview.GetSafeHwnd())) {
        COXDIB dib;
        BOOL bImage = TRUE;
        if (OXBackgroundPageUsesFile(m_bUseDefaultImage, m_sImageFileName))
            bImage = dib.Load(m_sImageFileName);
        else
            dib = m_dibDefault;
        if (bImage) {
            m_organizer.Attach(&m_wndPreview, &dib, m_nPaintType, m_clrBackground);
            m_organizer.SetTransparentColor(&m_wndPreview, ImageTransparentColor(), FALSE);
        }
        m_wndPreview.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
        m_wndPreview.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
    m_nImageSource = m_bUseDefaultImage ? 0 : 1;
    // Lines and the file combo widen with the page, the right-hand column
    // keeps to its edge, the preview takes what the page grows by.
    for (int nID : {IDC_OX_BGP_SEP_TYPE, IDC_OX_BGP_SEP_IMAGE, IDC_OX_BGP_FILE_NAME, IDC_OX_BGP_TYPE_LABEL})
        m_LayoutManager.TieChild(nID, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    for (int nID : {IDC_OX_BGP_STRETCHED, IDC_OX_BGP_TOP_RIGHT, IDC_OX_BGP_CENTER_RIGHT, IDC_OX_BGP_BOTTOM_RIGHT,
                    IDC_OX_BGP_COLOR_LABEL, IDC_OX_BGP_COLOR})
        m_LayoutManager.TieChild(nID, OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_BGP_PREVIEW, OX_LMS_ALL, OX_LMT_SAME);
    if (m_bUseDefaultImage)
        m_sImageFileName.Empty();
    UpdateData(FALSE);
    ShowControls();
    m_bInitialized = TRUE;
}

void COXCustomizeBackgroundPage::ShowControls()
{
    static const UINT ids[] = {IDC_OX_BGP_TYPE_LABEL, IDC_OX_BGP_ONLY_CLIENT, IDC_OX_BGP_COLOR,
                               IDC_OX_BGP_COLOR_LABEL, IDC_OX_BGP_DEFAULT_IMAGE, IDC_OX_BGP_IMAGE_FILE,
                               IDC_OX_BGP_SEP_IMAGE, IDC_OX_BGP_PREVIEW, IDC_OX_BGP_FILE_NAME};
    for (UINT nID = IDC_OX_BGP_TILED; nID <= IDC_OX_BGP_BOTTOM_RIGHT; nID++) {
        if (CWnd* pCtrl = GetDlgItem(nID))
            pCtrl->EnableWindow(OXBackgroundPageControlEnabled(nID, m_bPaintBackground, m_bUseDefaultImage));
    }
    for (UINT nID : ids) {
        CWnd* pCtrl = GetDlgItem(nID);
        if (pCtrl != NULL)
            pCtrl->EnableWindow(OXBackgroundPageControlEnabled(nID, m_bPaintBackground, m_bUseDefaultImage));
    }
}

void COXCustomizeBackgroundPage::OnPaintBackground()
{
    if (!m_bInitialized)
        return;
    m_bPaintBackground = IsDlgButtonChecked(IDC_OX_BGP_PAINT) == BST_CHECKED;
    ShowControls();
}

void COXCustomizeBackgroundPage::OnPaintType(UINT nID)
{
    if (m_bInitialized)
        m_organizer.SetPaintType(&m_wndPreview, (int)(nID - IDC_OX_BGP_TILED), TRUE);
}

void COXCustomizeBackgroundPage::OnColor()
{
    if (m_bInitialized)
        m_organizer.SetBackgroundColor(&m_wndPreview, m_btnBackground.GetColor(), TRUE);
}

void COXCustomizeBackgroundPage::OnDefaultImage()
{
    if (!m_bInitialized)
        return;
    m_bUseDefaultImage = TRUE;
    m_sImageFileName.Empty();
    m_comboImageFileName.SetWindowText("");
    m_organizer.SetTransparentColor(&m_wndPreview, m_clrDefaultTransparent, FALSE);
    m_organizer.SetImage(&m_wndPreview, &m_dibDefault, TRUE);
    ShowControls();
}

void COXCustomizeBackgroundPage::OnImageFile()
{
    if (!m_bInitialized)
        return;
    m_bUseDefaultImage = FALSE;
    ShowControls();
    m_comboImageFileName.OnIdle(0);
    CString sFileName;
    m_comboImageFileName.GetWindowText(sFileName);
    PreviewFile(sFileName);
}

void COXCustomizeBackgroundPage::PreviewFile(const CString& sFileName)
{
    // A file's image keys nothing out.
    if (m_organizer.IsAttached(&m_wndPreview)) {
        m_organizer.SetTransparentColor(&m_wndPreview, CLR_NONE, FALSE);
        m_organizer.LoadImage(&m_wndPreview, sFileName, TRUE);
        return;
    }
    COXDIB dib;
    if (!sFileName.IsEmpty() && dib.Load(sFileName) &&
        m_organizer.Attach(&m_wndPreview, &dib, m_nPaintType, m_btnBackground.GetColor()))
        m_organizer.SetTransparentColor(&m_wndPreview, CLR_NONE, TRUE);
}

void COXCustomizeBackgroundPage::OnFileNameEdited()
{
    if (!m_bInitialized)
        return;
    CString sFileName;
    m_comboImageFileName.GetWindowText(sFileName);
    PreviewFile(sFileName);
}

void COXCustomizeBackgroundPage::OnFileNameChosen()
{
    if (!m_bInitialized)
        return;
    // The edit part takes the chosen line only after this notification.
    const int nIndex = m_comboImageFileName.GetCurSel();
    if (nIndex < 0)
        return;
    CString sFileName;
    m_comboImageFileName.GetLBText(nIndex, sFileName);
    PreviewFile(sFileName);
}

void COXCustomizeBackgroundPage::OnDestroy()
{
    // The preview goes with the page; its painter is let go first.
    if (::IsWindow(m_wndPreview.GetSafeHwnd()))
        m_organizer.Detach(&m_wndPreview, FALSE);
    COXCustomizePage::OnDestroy();
}

void COXCustomizeBackgroundPage::OnPaletteChanged(CWnd* pFocusWnd)
{
    COXCustomizePage::OnPaletteChanged(pFocusWnd);
    const MSG* pMsg = GetCurrentMessage();
    SendMessageToDescendants(WM_PALETTECHANGED, pMsg->wParam, pMsg->lParam, TRUE, TRUE);
}

BOOL COXCustomizeBackgroundPage::OnQueryNewPalette()
{
    SendMessageToDescendants(WM_QUERYNEWPALETTE, 0, 0, TRUE, TRUE);
    return COXCustomizePage::OnQueryNewPalette();
}

LRESULT COXCustomizeBackgroundPage::OnKickIdle(WPARAM, LPARAM)
{
    if (::IsWindow(m_comboImageFileName.GetSafeHwnd()))
        m_comboImageFileName.OnIdle(0);
    return TRUE;
}
