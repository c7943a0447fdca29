#include "OXCustomizeCaptionPage.h"

#include <algorithm>

#include "OXCustomizeProfile.h"

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------

// The shade counts the page offers.
static const UINT kMinShades = 1;
static const UINT kMaxShades = 128;

// The title's nine places, by list index: column + 3 x row.
static const UINT kTextAlignmentFlags[9] = {
    0,        DT_CENTER,             DT_RIGHT,             // top
    DT_VCENTER, DT_VCENTER | DT_CENTER, DT_VCENTER | DT_RIGHT,   // middle
    DT_BOTTOM, DT_BOTTOM | DT_CENTER, DT_BOTTOM | DT_RIGHT,       // bottom
};
static const UINT kTextEllipsisFlags[3] = {
    DT_SINGLELINE,
    DT_SINGLELINE | DT_END_ELLIPSIS,
    DT_SINGLELINE | DT_PATH_ELLIPSIS,
};

int OXCaptionTextAlignmentIndex(UINT nTextFormat)
{
    const int nColumn = (nTextFormat & DT_RIGHT) ? 2 : (nTextFormat & DT_CENTER) ? 1 : 0;
    const int nRow = (nTextFormat & DT_BOTTOM) ? 2 : (nTextFormat & DT_VCENTER) ? 1 : 0;
    return nColumn + 3 * nRow;
}

int OXCaptionTextEllipsisIndex(UINT nTextFormat)
{
    if (nTextFormat & DT_PATH_ELLIPSIS)
        return 2;
    if (nTextFormat & DT_END_ELLIPSIS)
        return 1;
    return 0;
}

UINT OXCaptionTextFormat(int nAlignmentIndex, int nEllipsisIndex)
{
    // No choice in a list (-1) reads as its first entry.
    const UINT nAlignment = nAlignmentIndex >= 0 && nAlignmentIndex < 9 ? kTextAlignmentFlags[nAlignmentIndex] : 0;
    const UINT nEllipsis = nEllipsisIndex >= 0 && nEllipsisIndex < 3 ? kTextEllipsisFlags[nEllipsisIndex]
                                                                      : kTextEllipsisFlags[0];
    return nEllipsis | nAlignment;
}

OXCaptionPageValues OXCaptionPageValuesFromInfo(const COXCaptionInfo& info, BOOL bActive)
{
    OXCaptionPageValues v;
    v.bGradient = info.m_bGradient;
    v.nGradientAlignment = info.m_nGradientAlignment;
    v.nGradientAlgorithm = info.m_nGradientAlgorithm == 0 ? 0 : 1;
    // A stored count the edit cannot hold would be refused by every later
    // change on the page.
    const int nShades = info.m_nShadeCount;
    v.nShadeCount = nShades < (int)kMinShades ? kMinShades : nShades > (int)kMaxShades ? kMaxShades : (UINT)nShades;
    v.clrBackground = info.GetBackgroundColor(bActive);
    v.clrText = info.GetTextColor(bActive);
    v.nTextAlignment = OXCaptionTextAlignmentIndex(info.m_nTextFormat);
    v.nTextEllipsis = OXCaptionTextEllipsisIndex(info.m_nTextFormat);
    return v;
}

void OXCaptionPageValuesToInfo(const OXCaptionPageValues& values, COXCaptionInfo& info)
{
    info.m_bGradient = values.bGradient;
    info.m_nGradientAlgorithm = values.nGradientAlgorithm == 0 ? FALSE : TRUE;
    // Another side would draw no gradient at all.
    if (values.nGradientAlignment >= 0 && values.nGradientAlignment <= 2)
        info.m_nGradientAlignment = values.nGradientAlignment;
    if (values.nShadeCount != 0)
        info.SetShadeCount((int)values.nShadeCount);
    info.m_clrBackground = values.clrBackground;
    info.m_clrText = values.clrText;
    info.SetTextFormat(OXCaptionTextFormat(values.nTextAlignment, values.nTextEllipsis));
}

BOOL OXCaptionPageControlEnabled(UINT nID, BOOL bPaintCaption, BOOL bGradient)
{
    switch (nID) {
    case IDC_OX_CPP_ALIGNMENT:
    case IDC_OX_CPP_ALGORITHM:
    case IDC_OX_CPP_SHADES:
    case IDC_OX_CPP_SHADES_SPIN:
        return bPaintCaption && bGradient;
    case IDC_OX_CPP_STATE:
    case IDC_OX_CPP_BACKGROUND:
    case IDC_OX_CPP_GRADIENT:
    case IDC_OX_CPP_CAPTION_FONT:
    case IDC_OX_CPP_SMCAPTION_FONT:
    case IDC_OX_CPP_TEXT_ALIGNMENT:
    case IDC_OX_CPP_TEXT_ELLIPSIS:
        return bPaintCaption;
    default:
        return TRUE;
    }
}

COLORREF OXCaptionPageDefaultBackground(BOOL bActive)
{
    return bActive ? RGB(0, 0, 128) : RGB(128, 128, 128);
}

int OXCaptionPagePreviewMode(BOOL bGradient, int nGradientAlignment)
{
    if (!bGradient || nGradientAlignment < 0 || nGradientAlignment > 2)
        return 0;
    return nGradientAlignment + 1;
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COXCustomizeCaptionPage, COXCustomizePage)

BEGIN_MESSAGE_MAP(COXCustomizeCaptionPage, COXCustomizePage)
    ON_BN_CLICKED(IDC_OX_CPP_PAINT, &COXCustomizeCaptionPage::OnPaintCaption)
    ON_CBN_SELCHANGE(IDC_OX_CPP_STATE, &COXCustomizeCaptionPage::OnStateChanged)
    ON_BN_CLICKED(IDC_OX_CPP_BACKGROUND, &COXCustomizeCaptionPage::OnLookChanged)
    ON_BN_CLICKED(IDC_OX_CPP_GRADIENT, &COXCustomizeCaptionPage::OnLookChanged)
    ON_CBN_SELCHANGE(IDC_OX_CPP_ALIGNMENT, &COXCustomizeCaptionPage::OnLookChanged)
    ON_CBN_SELCHANGE(IDC_OX_CPP_ALGORITHM, &COXCustomizeCaptionPage::OnLookChanged)
    ON_CBN_SELCHANGE(IDC_OX_CPP_TEXT_ALIGNMENT, &COXCustomizeCaptionPage::OnLookChanged)
    ON_CBN_SELCHANGE(IDC_OX_CPP_TEXT_ELLIPSIS, &COXCustomizeCaptionPage::OnLookChanged)
    ON_EN_CHANGE(IDC_OX_CPP_SHADES, &COXCustomizeCaptionPage::OnShadesChanged)
    ON_BN_CLICKED(IDC_OX_CPP_CAPTION_FONT, &COXCustomizeCaptionPage::OnCaptionFont)
    ON_BN_CLICKED(IDC_OX_CPP_SMCAPTION_FONT, &COXCustomizeCaptionPage::OnSmCaptionFont)
END_MESSAGE_MAP()

static const LPCTSTR kPaintCaption = "PaintCaption";
static const LPCTSTR kOnlyMainWindow = "OnlyMainWindow";

COXCustomizeCaptionPage::COXCustomizeCaptionPage()
    : m_bPaintCaption(TRUE), m_bOnlyMainWindow(FALSE), m_bPaintCaptionSetUp(TRUE), m_bOnlyMainWindowSetUp(FALSE),
      m_nCaptionState(-1), m_clrBackground(RGB(0, 0, 128)),
      m_bGradient(FALSE), m_nGradientAlignment(-1), m_nGradientAlgorithm(-1), m_nShadeCount(0),
      m_clrText(RGB(255, 255, 255)), m_clrSmText(RGB(255, 255, 255)), m_nTextAlignment(-1), m_nTextEllipsis(-1),
      m_btnBackground(40, 4, (DWORD)-1, 18, 18, IDS_OX_COLORPICKER_DEFAULT, IDS_OX_COLORPICKER_CUSTOM)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_CAPTION;
}

COXCustomizeCaptionPage::~COXCustomizeCaptionPage()
{
}

CString COXCustomizeCaptionPage::GetTitle() const
{
    return LoadText(IDS_OX_CUSTOMIZE_CAPTION_TITLE);
}

CString COXCustomizeCaptionPage::GetTooltip() const
{
    return LoadText(IDS_OX_CUSTOMIZE_CAPTION_TIP);
}

BOOL COXCustomizeCaptionPage::InitializeCaptionPainter(BOOL bPaintCaption, LPCTSTR lpszProfileName,
                                                       BOOL bOnlyMainWindow)
{
    m_bPaintCaption = m_bPaintCaptionSetUp = bPaintCaption;
    m_bOnlyMainWindow = m_bOnlyMainWindowSetUp = bOnlyMainWindow;
    if (lpszProfileName != NULL && *lpszProfileName != '\0') {
        m_sProfileName = lpszProfileName;
        m_bPaintCaption = OXGetProfileBool(m_sProfileName, kPaintCaption, m_bPaintCaption);
        m_bOnlyMainWindow = OXGetProfileBool(m_sProfileName, kOnlyMainWindow, m_bOnlyMainWindow);
    }
    ApplyCaptionPainter();
    return TRUE;
}

COXCaptionPainter* COXCustomizeCaptionPage::MainWindowPainter() const
{
    return m_organizer.GetPainter(AfxGetMainWnd());
}

void COXCustomizeCaptionPage::ApplyCaptionPainter()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (m_organizer.GetAttachedThread() != 0)
        m_organizer.DetachFromThread(TRUE);
    else if (pMainWnd != NULL && m_organizer.IsAttached(pMainWnd))
        m_organizer.Detach(pMainWnd, TRUE);
    if (!m_bPaintCaption)
        return;
    if (m_bOnlyMainWindow) {
        if (pMainWnd != NULL)
            m_organizer.Attach(pMainWnd);
    } else {
        m_organizer.AttachToThread();
    }
    if (!m_sProfileName.IsEmpty())
        m_organizer.LoadState(NULL, m_sProfileName, TRUE);
}

BOOL COXCustomizeCaptionPage::OnCloseManager(BOOL bIsOk)
{
    const BOOL bKeep = !m_sProfileName.IsEmpty();
    CWinApp* pApp = AfxGetApp();
    if (!bIsOk) {
        if (bKeep) {
            // The page's switches changed as they were clicked.
            m_bPaintCaption = OXGetProfileBool(m_sProfileName, kPaintCaption, m_bPaintCaptionSetUp);
            m_bOnlyMainWindow = OXGetProfileBool(m_sProfileName, kOnlyMainWindow, m_bOnlyMainWindowSetUp);
            ApplyCaptionPainter();
        }
        return TRUE;
    }
    if (bKeep) {
        pApp->WriteProfileInt(m_sProfileName, kPaintCaption, m_bPaintCaption);
        pApp->WriteProfileInt(m_sProfileName, kOnlyMainWindow, m_bOnlyMainWindow);
    }
    // Without a section OK still shows the chosen looks; only keeping them is left out.
    ApplyCaptionPainter();
    m_organizer.SetCaptionInfo(NULL, &m_infoActive, TRUE, TRUE);
    m_organizer.SetCaptionInfo(NULL, &m_infoInactive, FALSE, TRUE);
    if (bKeep) {
        // A main window without a caption has no painter: another holds the same looks.
        COXCaptionPainter* pPainter = MainWindowPainter();
        if (pPainter == NULL)
            pPainter = m_organizer.GetFirstPainter();
        if (pPainter != NULL)
            pPainter->SaveState(m_sProfileName);
    }
    return TRUE;
}

void COXCustomizeCaptionPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_CPP_BACKGROUND, m_btnBackground);
    DDX_Control(pDX, IDC_OX_CPP_CAPTION_FONT, m_btnCaptionFont);
    DDX_Control(pDX, IDC_OX_CPP_SMCAPTION_FONT, m_btnSmCaptionFont);
    DDX_Control(pDX, IDC_OX_CPP_PREVIEW, m_preview);
    DDX_Control(pDX, IDC_OX_CPP_SHADES_SPIN, m_spinShades);
    DDX_Control(pDX, IDC_OX_CPP_SEP_STATE, m_sepState);
    DDX_Control(pDX, IDC_OX_CPP_SEP_GRADIENT, m_sepGradient);
    DDX_Control(pDX, IDC_OX_CPP_SEP_PREVIEW, m_sepPreview);
    DDX_Check(pDX, IDC_OX_CPP_PAINT, m_bPaintCaption);
    DDX_CBIndex(pDX, IDC_OX_CPP_STATE, m_nCaptionState);
    DDX_ColorPicker(pDX, IDC_OX_CPP_BACKGROUND, m_clrBackground);
    DDX_Check(pDX, IDC_OX_CPP_GRADIENT, m_bGradient);
    DDX_CBIndex(pDX, IDC_OX_CPP_ALIGNMENT, m_nGradientAlignment);
    DDX_CBIndex(pDX, IDC_OX_CPP_ALGORITHM, m_nGradientAlgorithm);
    DDX_Text(pDX, IDC_OX_CPP_SHADES, m_nShadeCount);
    // 0 stands for "as it is": the look keeps its count.
    DDV_MinMaxUInt(pDX, m_nShadeCount, 0, kMaxShades);
    DDX_FontPicker(pDX, IDC_OX_CPP_CAPTION_FONT, m_fontCaption);
    DDX_FontPickerColor(pDX, IDC_OX_CPP_CAPTION_FONT, m_clrText);
    DDX_FontPicker(pDX, IDC_OX_CPP_SMCAPTION_FONT, m_fontSmCaption);
    DDX_FontPickerColor(pDX, IDC_OX_CPP_SMCAPTION_FONT, m_clrSmText);
    DDX_CBIndex(pDX, IDC_OX_CPP_TEXT_ALIGNMENT, m_nTextAlignment);
    DDX_CBIndex(pDX, IDC_OX_CPP_TEXT_ELLIPSIS, m_nTextEllipsis);
}

static void FillCombo(CWnd* pPage, UINT nID, std::initializer_list<UINT> strings)
{
    CComboBox* pCombo = (CComboBox*)pPage->GetDlgItem(nID);
    if (pCombo == NULL)
        return;
    pCombo->ResetContent();
    for (UINT nString : strings) {
        CString s;
        s.LoadString(nString);
        pCombo->AddString(s);
    }
}

void COXCustomizeCaptionPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    m_btnCaptionFont.SetBuddy(IDC_OX_CPP_CAPTION_FONT_TEXT);
    m_btnSmCaptionFont.SetBuddy(IDC_OX_CPP_SMCAPTION_FONT_TEXT);
    FillCombo(this, IDC_OX_CPP_STATE, {IDS_OX_CPP_STATE_ACTIVE, IDS_OX_CPP_STATE_INACTIVE});
    FillCombo(this, IDC_OX_CPP_ALIGNMENT, {IDS_OX_CPP_ALIGN_LEFT, IDS_OX_CPP_ALIGN_CENTER, IDS_OX_CPP_ALIGN_RIGHT});
    FillCombo(this, IDC_OX_CPP_ALGORITHM, {IDS_OX_CPP_LINEAR, IDS_OX_CPP_SQUARE});
    FillCombo(this, IDC_OX_CPP_TEXT_ALIGNMENT,
              {IDS_OX_CPP_TEXT_TOP_LEFT, IDS_OX_CPP_TEXT_TOP_CENTER, IDS_OX_CPP_TEXT_TOP_RIGHT,
               IDS_OX_CPP_TEXT_CENTER_LEFT, IDS_OX_CPP_ALIGN_CENTER, IDS_OX_CPP_TEXT_CENTER_RIGHT,
               IDS_OX_CPP_TEXT_BOTTOM_LEFT, IDS_OX_CPP_TEXT_BOTTOM_CENTER, IDS_OX_CPP_TEXT_BOTTOM_RIGHT});
    FillCombo(this, IDC_OX_CPP_TEXT_ELLIPSIS,
              {IDS_OX_CPP_ELLIPSIS_NONE, IDS_OX_CPP_ELLIPSIS_END, IDS_OX_CPP_ELLIPSIS_PATH});
    m_spinShades.SetRange32(kMinShades, kMaxShades);
    // Lists, lines and font labels widen with the page; the preview keeps to its foot.
    for (int nID : {IDC_OX_CPP_STATE, IDC_OX_CPP_SEP_STATE, IDC_OX_CPP_CAPTION_FONT_TEXT,
                    IDC_OX_CPP_SMCAPTION_FONT_TEXT, IDC_OX_CPP_SEP_GRADIENT, IDC_OX_CPP_ALIGNMENT,
                    IDC_OX_CPP_ALGORITHM})
        m_LayoutManager.TieChild(nID, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    for (int nID : {IDC_OX_CPP_SEP_PREVIEW, IDC_OX_CPP_PREVIEW})
        m_LayoutManager.TieChild(nID, OX_LMS_BOTTOM | OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_nCaptionState = 0;
    LoadControls(TRUE);
    m_bInitialized = TRUE;
}

void COXCustomizeCaptionPage::LoadControls(BOOL bFromPainter)
{
    if (bFromPainter) {
        if (COXCaptionPainter* pPainter = MainWindowPainter()) {
            m_infoActive = *pPainter->GetCaptionInfo(TRUE);
            m_infoInactive = *pPainter->GetCaptionInfo(FALSE);
        }
    }
    const COXCaptionInfo& info = EditedInfo();
    const OXCaptionPageValues v = OXCaptionPageValuesFromInfo(info, m_nCaptionState == 0);
    m_bGradient = v.bGradient;
    m_nGradientAlignment = v.nGradientAlignment;
    m_nGradientAlgorithm = v.nGradientAlgorithm;
    m_nShadeCount = v.nShadeCount;
    m_clrBackground = v.clrBackground;
    m_clrText = m_clrSmText = v.clrText;
    m_nTextAlignment = v.nTextAlignment;
    m_nTextEllipsis = v.nTextEllipsis;
    LOGFONT lf;
    m_fontCaption.DeleteObject();
    if (info.GetCaptionLogFont(&lf))
        m_fontCaption.CreateFontIndirect(&lf);
    m_fontSmCaption.DeleteObject();
    if (info.GetSmCaptionLogFont(&lf))
        m_fontSmCaption.CreateFontIndirect(&lf);
    // (Filling the controls sends the page no change notifications.)
    UpdateData(FALSE);
    ShowControls();
}

BOOL COXCustomizeCaptionPage::SaveControls()
{
    if (!UpdateData(TRUE))
        return FALSE;
    OXCaptionPageValues v;
    v.bGradient = m_bGradient;
    v.nGradientAlignment = m_nGradientAlignment;
    v.nGradientAlgorithm = m_nGradientAlgorithm;
    v.nShadeCount = m_nShadeCount;
    v.clrBackground = m_clrBackground;
    v.clrText = m_clrText;
    v.nTextAlignment = m_nTextAlignment;
    v.nTextEllipsis = m_nTextEllipsis;
    COXCaptionInfo& info = EditedInfo();
    OXCaptionPageValuesToInfo(v, info);
    LOGFONT lf;
    if (m_fontCaption.GetSafeHandle() != NULL && m_fontCaption.GetLogFont(&lf)) {
        info.m_fontCaption.DeleteObject();
        info.m_fontCaption.CreateFontIndirect(&lf);
    }
    if (m_fontSmCaption.GetSafeHandle() != NULL && m_fontSmCaption.GetLogFont(&lf)) {
        info.m_fontSmCaption.DeleteObject();
        info.m_fontSmCaption.CreateFontIndirect(&lf);
    }
    ShowControls();
    return TRUE;
}

void COXCustomizeCaptionPage::ShowControls()
{
    static const UINT ids[] = {IDC_OX_CPP_STATE,        IDC_OX_CPP_BACKGROUND,     IDC_OX_CPP_GRADIENT,
                               IDC_OX_CPP_ALIGNMENT,    IDC_OX_CPP_ALGORITHM,      IDC_OX_CPP_SHADES,
                               IDC_OX_CPP_SHADES_SPIN,  IDC_OX_CPP_CAPTION_FONT,   IDC_OX_CPP_SMCAPTION_FONT,
                               IDC_OX_CPP_TEXT_ALIGNMENT, IDC_OX_CPP_TEXT_ELLIPSIS};
    for (UINT nID : ids) {
        if (CWnd* pCtrl = GetDlgItem(nID))
            pCtrl->EnableWindow(OXCaptionPageControlEnabled(nID, m_bPaintCaption, m_bGradient));
    }
    m_btnBackground.GetColorPickerCtrl()->SetDefaultValue(OXCaptionPageDefaultBackground(m_nCaptionState != 1));
    if (::IsWindow(m_preview.GetSafeHwnd()))
        ShowPreview();
}

// The strip shows a caption as it will be painted: the background, and a
// sample title in the caption font, placed as the title is, in the colour
// the painter draws it in.
void COXCustomizeCaptionPage::ShowPreview()
{
    const int nMode = OXCaptionPagePreviewMode(m_bGradient, m_nGradientAlignment);
    m_preview.SetBkDrawMode(nMode, FALSE);
    m_preview.SetBkColor(m_clrBackground, FALSE);
    if (m_fontCaption.GetSafeHandle() != NULL)
        m_preview.SetTextFont(&m_fontCaption, FALSE);

    CString sTitle;
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->GetWindowText(sTitle);
    if (sTitle.IsEmpty())
        sTitle = AfxGetAppName();
    CString sShown;
    m_preview.GetWindowText(sShown);
    if (sShown != sTitle)
        m_preview.SetWindowText(sTitle);

    const UINT nFormat = OXCaptionTextFormat(m_nTextAlignment, m_nTextEllipsis);
    const DWORD dwAlign = (nFormat & DT_RIGHT) ? SS_RIGHT : (nFormat & DT_CENTER) ? SS_CENTER : SS_LEFT;
    const DWORD dwPlace = dwAlign | ((nFormat & (DT_VCENTER | DT_BOTTOM)) ? SS_CENTERIMAGE : 0) |
                          ((nFormat & DT_END_ELLIPSIS) ? SS_ENDELLIPSIS : 0) |
                          ((nFormat & DT_PATH_ELLIPSIS) ? SS_PATHELLIPSIS : 0);
    m_preview.ModifyStyle(SS_TYPEMASK | SS_CENTERIMAGE | SS_ELLIPSISMASK, dwPlace);

    CRect rect;
    m_preview.GetClientRect(&rect);
    CClientDC dc(&m_preview);
    CFont* pFont = m_preview.GetTextFont() != NULL ? m_preview.GetTextFont() : m_preview.GetFont();
    CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    const int cxText = std::min((int)dc.GetTextExtent(sTitle).cx, rect.Width());
    if (pOld != NULL)
        dc.SelectObject(pOld);
    const int x0 = dwAlign == SS_RIGHT ? rect.Width() - cxText : dwAlign == SS_CENTER ? (rect.Width() - cxText) / 2 : 0;
    std::vector<COLORREF> behind;
    if (nMode == 0) {
        behind.push_back(m_clrBackground);
    } else {
        for (const OXGradientBand& band : OXStaticGradientBands(nMode, rect.Width(), m_clrBackground)) {
            if (band.x < x0 + cxText && band.x + band.cx > x0)
                behind.push_back(band.clr);
        }
    }
    m_preview.SetTextColor(OXReadableTextColor(m_clrText, behind), FALSE);
    m_preview.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void COXCustomizeCaptionPage::OnPaintCaption()
{
    if (m_bInitialized)
        SaveControls();
}

void COXCustomizeCaptionPage::OnStateChanged()
{
    if (!m_bInitialized)
        return;
    // The state shown before kept its edits as they were made: the other
    // state's look is shown as the page holds it, not as painted.
    CComboBox* pState = (CComboBox*)GetDlgItem(IDC_OX_CPP_STATE);
    const int nState = pState->GetCurSel();
    if (nState < 0)
        return;
    m_nCaptionState = nState;
    LoadControls(FALSE);
}

void COXCustomizeCaptionPage::OnLookChanged()
{
    if (m_bInitialized)
        SaveControls();
}

void COXCustomizeCaptionPage::OnShadesChanged()
{
    if (m_bInitialized)
        SaveControls();
}

void COXCustomizeCaptionPage::OnCaptionFont()
{
    if (!m_bInitialized)
        return;
    // One title colour for both fonts.
    m_btnSmCaptionFont.SetBuddyTextColor(m_btnCaptionFont.GetBuddyTextColor(), TRUE);
    SaveControls();
}

void COXCustomizeCaptionPage::OnSmCaptionFont()
{
    if (!m_bInitialized)
        return;
    m_btnCaptionFont.SetBuddyTextColor(m_btnSmCaptionFont.GetBuddyTextColor(), TRUE);
    SaveControls();
}
