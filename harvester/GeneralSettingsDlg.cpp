#include "GeneralSettingsDlg.h"

CGeneralSettingsDlg::CGeneralSettingsDlg(CWnd* pParent) : CDialog(IDD, pParent), m_page(NULL) {}

// The page sits where the template's frame marks its place.
BOOL CGeneralSettingsDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  if (!m_page.Create(CSettingPageGeneral::IDD, this)) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  CRect rc;
  CWnd* pArea = GetDlgItem(IDC_GENERAL_PAGE_AREA);
  if (pArea != NULL) {
    pArea->GetWindowRect(&rc);
    ScreenToClient(&rc);
  } else {
    GetClientRect(&rc);
  }
  m_page.SetWindowPos(pArea, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW);
  return TRUE;
}

void CGeneralSettingsDlg::OnOK()
{
  if (m_page.SaveChanges()) CDialog::OnOK();
}
