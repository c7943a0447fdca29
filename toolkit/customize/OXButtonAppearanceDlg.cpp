#include "OXButtonAppearanceDlg.h"

#include "toolkit_res.h"

OXButtonAppearanceEnabling OXButtonAppearanceRules(int nStyle, BOOL bCustomButton, BOOL bNoImage,
                                                   BOOL bDisableOption, BOOL bDisableCombo)
{
    OXButtonAppearanceEnabling e;
    // An image-only button has no text to edit, unless it has no image to
    // show instead.
    e.bText = !bCustomButton && (nStyle != 0 || bNoImage);
    e.bStyle = !bNoImage && !bCustomButton;
    e.bImages = !bNoImage || bCustomButton;
    e.bOption = !bDisableOption && !bCustomButton;
    e.bCombo = !bDisableCombo && !bCustomButton;
    e.bCustom = bCustomButton;
    return e;
}

COXButtonAppearanceDlg::CImageListBox::CImageListBox()
    : COXImageListBox(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR24 | ILC_MASK)
{
}

void COXButtonAppearanceDlg::CImageListBox::SetBackgroundColor(COLORREF clr, BOOL bRedraw)
{
    m_clrBackground = clr;
    if (bRedraw && m_hWnd != NULL)
        RedrawWindow();
}

BEGIN_MESSAGE_MAP(COXButtonAppearanceDlg, CDialog)
    ON_BN_CLICKED(IDC_OX_BA_STYLE_IMAGE, OnStyleClicked)
    ON_BN_CLICKED(IDC_OX_BA_STYLE_TEXT, OnStyleClicked)
END_MESSAGE_MAP()

COXButtonAppearanceDlg::COXButtonAppearanceDlg(CWnd* pParent)
    : CDialog(IDD_OX_BUTTON_APPEARANCE, pParent), m_nStyle(-1), m_nImageIndex(-1), m_bOption(FALSE),
      m_nComboIndex(0), m_nHeight(0), m_nWidth(0), m_bShowHorzDocked(FALSE), m_bShowVertDocked(FALSE),
      m_bShowFloating(FALSE), m_pImageList(NULL), m_bNoImage(FALSE), m_bDisableOption(FALSE),
      m_bDisableCombo(TRUE), m_bCustomButton(FALSE)
{
    m_arrComboStrings.Add("None");
}

void COXButtonAppearanceDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_BA_SEP_STYLE, m_sepStyle);
    DDX_Control(pDX, IDC_OX_BA_SEP_IMAGE, m_sepImage);
    DDX_Control(pDX, IDC_OX_BA_SEP_TEXT, m_sepText);
    DDX_Control(pDX, IDC_OX_BA_SEP_CUSTOM, m_sepCustom);
    DDX_Radio(pDX, IDC_OX_BA_STYLE_IMAGE, m_nStyle);
    DDX_LBIndex(pDX, IDC_OX_BA_IMAGES, m_nImageIndex);
    DDX_Text(pDX, IDC_OX_BA_TEXT, m_sText);
    DDX_Check(pDX, IDC_OX_BA_OPTION, m_bOption);
    DDX_CBIndex(pDX, IDC_OX_BA_COMBO, m_nComboIndex);
    DDX_Text(pDX, IDC_OX_BA_HEIGHT, m_nHeight);
    DDX_Text(pDX, IDC_OX_BA_WIDTH, m_nWidth);
    DDX_Check(pDX, IDC_OX_BA_SHOW_HORZ, m_bShowHorzDocked);
    DDX_Check(pDX, IDC_OX_BA_SHOW_VERT, m_bShowVertDocked);
    DDX_Check(pDX, IDC_OX_BA_SHOW_FLOATING, m_bShowFloating);
}

BOOL COXButtonAppearanceDlg::OnInitDialog()
{
    // The images and the list's entries go in before the data exchange sets
    // their selections.
    m_images.SubclassDlgItem(IDC_OX_BA_IMAGES, this);
    m_images.FillFromImageList(m_pImageList);
    m_images.SetBackgroundColor(::GetSysColor(COLOR_BTNFACE), TRUE);
    for (INT_PTR i = 0; i < m_arrComboStrings.GetSize(); i++)
        SendDlgItemMessage(IDC_OX_BA_COMBO, CB_ADDSTRING, 0, (LPARAM)(LPCTSTR)m_arrComboStrings[i]);
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_OX_BA_HEIGHT_SPIN, UDM_SETRANGE, 0, MAKELPARAM(1000, 0));
    SendDlgItemMessage(IDC_OX_BA_WIDTH_SPIN, UDM_SETRANGE, 0, MAKELPARAM(1000, 0));
    UpdateControls();
    return TRUE;
}

void COXButtonAppearanceDlg::UpdateControls()
{
    if (!UpdateData(TRUE))
        return;
    const OXButtonAppearanceEnabling e =
        OXButtonAppearanceRules(m_nStyle, m_bCustomButton, m_bNoImage, m_bDisableOption, m_bDisableCombo);
    struct {
        int nID;
        BOOL bEnable;
    } const controls[] = {
        {IDC_OX_BA_TEXT, e.bText},
        {IDC_OX_BA_STYLE_IMAGE, e.bStyle},
        {IDC_OX_BA_STYLE_TEXT, e.bStyle},
        {IDC_OX_BA_IMAGES, e.bImages},
        {IDC_OX_BA_OPTION, e.bOption},
        {IDC_OX_BA_COMBO, e.bCombo},
        {IDC_OX_BA_HEIGHT, e.bCustom},
        {IDC_OX_BA_HEIGHT_SPIN, e.bCustom},
        {IDC_OX_BA_WIDTH, e.bCustom},
        {IDC_OX_BA_WIDTH_SPIN, e.bCustom},
        {IDC_OX_BA_SHOW_HORZ, e.bCustom},
        {IDC_OX_BA_SHOW_VERT, e.bCustom},
        {IDC_OX_BA_SHOW_FLOATING, e.bCustom},
    };
    for (const auto& c : controls)
        if (CWnd* pControl = GetDlgItem(c.nID))
            pControl->EnableWindow(c.bEnable);
}

void COXButtonAppearanceDlg::OnStyleClicked()
{
    UpdateControls();
}
