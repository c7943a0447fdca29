#include "ColorButtonsDialog.h"

#include "Gallery.h"

namespace {
const UINT kCells = 40, kRows = 4, kCellSize = 18;
const DWORD kNoColour = (DWORD)-1;
}  // namespace

CColorButtonsDialog::CColorButtonsDialog(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_btnBackground(kCells, kRows, kNoColour, kCellSize, kCellSize, IDS_OX_COLORPICKER_DEFAULT,
                      IDS_OX_COLORPICKER_CUSTOM),
      m_btnTextBackground(kCells, kRows, kNoColour, kCellSize, kCellSize, IDS_OX_COLORPICKER_DEFAULT,
                          IDS_OX_COLORPICKER_CUSTOM),
      m_btnText(kCells, kRows, kNoColour, kCellSize, kCellSize, IDS_OX_COLORPICKER_DEFAULT,
                IDS_OX_COLORPICKER_CUSTOM),
      m_btnGridLines(kCells, kRows, kNoColour, kCellSize, kCellSize, IDS_OX_COLORPICKER_DEFAULT,
                     IDS_OX_COLORPICKER_CUSTOM)
{
}

void CColorButtonsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COLOR_BACKGROUND, m_btnBackground);
    DDX_Control(pDX, IDC_COLOR_TEXTBACKGROUND, m_btnTextBackground);
    DDX_Control(pDX, IDC_COLOR_TEXT, m_btnText);
    DDX_Control(pDX, IDC_COLOR_GRIDLINES, m_btnGridLines);
    DDX_ColorPicker(pDX, IDC_COLOR_BACKGROUND, m_clrBackground);
    DDX_ColorPicker(pDX, IDC_COLOR_TEXTBACKGROUND, m_clrTextBackground);
    DDX_ColorPicker(pDX, IDC_COLOR_TEXT, m_clrText);
    DDX_ColorPicker(pDX, IDC_COLOR_GRIDLINES, m_clrGridLines);
}

void CColorButtonsDialog::OnOK()
{
    if (!m_bDeleteOnClose) {
        CDialog::OnOK();
        return;
    }
    UpdateData(TRUE);
    DestroyWindow();
}

void CColorButtonsDialog::OnCancel()
{
    if (!m_bDeleteOnClose) {
        CDialog::OnCancel();
        return;
    }
    DestroyWindow();
}

void CColorButtonsDialog::PostNcDestroy()
{
    if (m_bDeleteOnClose)
        delete this;
}

namespace {

CWnd* OpenColorButtonsDialog(CWnd* pGallery)
{
    CColorButtonsDialog* pDialog = new CColorButtonsDialog(pGallery);
    pDialog->m_bDeleteOnClose = TRUE;
    if (!pDialog->Create(CColorButtonsDialog::IDD, pGallery)) {
        delete pDialog;
        return NULL;
    }
    pDialog->ShowWindow(SW_SHOW);
    return pDialog;
}

}  // namespace

GALLERY_ENTRY("edits", "Colour buttons dialog", OpenColorButtonsDialog);
