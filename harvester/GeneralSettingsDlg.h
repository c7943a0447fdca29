// "General Settings": a small modal dialog that hosts the general options
// page. OK closes it only once the page has stored its options.
#pragma once

#include "SettingPageGeneral.h"
#include "resource.h"

class CGeneralSettingsDlg : public CDialog {
 public:
  enum { IDD = IDD_GENERAL_SETTINGS };

  explicit CGeneralSettingsDlg(CWnd* pParent = NULL);

  CSettingPageGeneral& GetPage() { return m_page; }

 protected:
  CSettingPageGeneral m_page;

  BOOL OnInitDialog() override;
  void OnOK() override;
};
