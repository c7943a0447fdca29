#include "SettingPageGeneral.h"

#include <stdlib.h>
#include "BasedApp.h"
#include "MainFrame.h"
#include "ProfileKeys.h"

namespace {

const char szProfileName[] = "CSettingPageGeneral";
// The up-down control's range.
const int nMinutesSpinMin = 0;
const int nMinutesSpinMax = 32762;

}  // namespace

IMPLEMENT_DYNAMIC(CSettingPageGeneral, CBaseDlg)

BEGIN_MESSAGE_MAP(CSettingPageGeneral, CBaseDlg)
  ON_BN_CLICKED(IDC_AUTO_SAVE, &CSettingPageGeneral::OnAutoSave)
END_MESSAGE_MAP()

CSettingPageGeneral::CSettingPageGeneral(CWnd* pParent) : CBaseDlg(IDD, pParent)
{
  m_strProfile = szProfileName;
  CWinApp* pApp = AfxGetApp();
  m_bShowTips = ReadProfileKey(pApp, profileTipStartUp) == 0;
  m_bKeepLog = ReadProfileKey(pApp, profileEnableLog) != 0;
  m_bAutoSave = ReadProfileKey(pApp, profileAutoSaveEnable) != 0;
}

CSettingPageGeneral::~CSettingPageGeneral() {}

void CSettingPageGeneral::DoDataExchange(CDataExchange* pDX)
{
  CBaseDlg::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_SHOW_TIPS, m_bShowTips);
  DDX_Check(pDX, IDC_KEEP_LOG, m_bKeepLog);
  DDX_Check(pDX, IDC_AUTO_SAVE, m_bAutoSave);
  DDX_Control(pDX, IDC_SAVE_MINUTES, m_wndMinutes);
  DDX_Control(pDX, IDC_SAVE_MINUTES_SPIN, m_wndMinutesSpin);
}

BOOL CSettingPageGeneral::OnInitDialog()
{
  CBaseDlg::OnInitDialog();
  CString sMinutes;
  sMinutes.Format("%d", ReadProfileKey(AfxGetApp(), profileSaveTime));
  m_wndMinutes.SetWindowText(sMinutes);
  m_wndMinutes.EnableWindow(m_bAutoSave);
  m_wndMinutesSpin.SetRange32(nMinutesSpinMin, nMinutesSpinMax);
  UpdateData(FALSE);
  return TRUE;
}

void CSettingPageGeneral::OnAutoSave()
{
  UpdateData(TRUE);
  m_wndMinutes.EnableWindow(m_bAutoSave);
}

BOOL CSettingPageGeneral::SaveChanges()
{
  if (!UpdateData(TRUE)) return FALSE;
  CWinApp* pApp = AfxGetApp();
  WriteProfileKey(pApp, profileTipStartUp, m_bShowTips ? 0 : 1);

  WriteProfileKey(pApp, profileEnableLog, m_bKeepLog ? 1 : 0);
  g_bEnableLog = m_bKeepLog ? 1 : 0;

  // The text's leading digits, as typed; 0 when there are none.
  CString sMinutes;
  m_wndMinutes.GetWindowText(sMinutes);
  const int nMinutes = atoi(sMinutes);
  WriteProfileKey(pApp, profileSaveTime, nMinutes);

  WriteProfileKey(pApp, profileAutoSaveEnable, m_bAutoSave ? 1 : 0);
  CBasedApp* pBasedApp = GetBasedApp();
  if (pBasedApp != NULL) pBasedApp->m_bAutoSaveEnable = m_bAutoSave ? 1 : 0;

  // The running timer takes the new interval now (clamped as the frame clamps
  // its own, so that 0 or a huge number never makes a runaway or a wrapped
  // period); the program's interval value itself is read again at the next
  // start. Auto-save switched off leaves the timer to stop itself at its next
  // tick.
  if (m_bAutoSave && g_pMainFrame != NULL && g_pMainFrame->GetSafeHwnd() != NULL) {
    g_pMainFrame->RestartAutoSaveTimer(nMinutes);
  }
  return TRUE;
}
