// The general options page: tips at start-up, logging, and auto-save with its
// interval. A child-style page: the window that hosts it calls SaveChanges
// when the user confirms.
#pragma once

#include <afxcmn.h>
#include "BaseDlg.h"
#include "resource.h"

class CSettingPageGeneral : public CBaseDlg {
  DECLARE_DYNAMIC(CSettingPageGeneral)

 public:
  enum { IDD = IDD_SETTING_PAGE_GENERAL };

  explicit CSettingPageGeneral(CWnd* pParent = NULL);
  ~CSettingPageGeneral() override;

  BOOL m_bShowTips;   // shown inverted from "Tip"/"StartUp"
  BOOL m_bKeepLog;
  BOOL m_bAutoSave;

  // Writes the four options to the profile and hands logging and auto-save
  // to the running program; FALSE (and nothing written) when the controls
  // cannot be read.
  BOOL SaveChanges() override;

 protected:
  CEdit m_wndMinutes;
  CSpinButtonCtrl m_wndMinutesSpin;

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnAutoSave();
  DECLARE_MESSAGE_MAP()
};
