#include "PellucorApp.h"

#include <afxsock.h>
#include "MainFrame.h"
#include "PellucorDoc.h"
#include "PellucorView.h"
#include "ProfileKeys.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CPellucorApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
END_MESSAGE_MAP()

CPellucorApp theApp;

CPellucorApp::CPellucorApp() : CWinApp("Pellucor"), m_bDedupeBasket(TRUE), m_bSortBasket(TRUE) {}

void CPellucorApp::LoadBasketOptions()
{
  m_bDedupeBasket = ReadProfileKey(this, profileDedupeBasket) != 0;
  m_bSortBasket = ReadProfileKey(this, profileSortBasket) != 0;
}

void CPellucorApp::SaveBasketOptions()
{
  WriteProfileKey(this, profileDedupeBasket, m_bDedupeBasket ? 1 : 0);
  WriteProfileKey(this, profileSortBasket, m_bSortBasket ? 1 : 0);
}

BOOL CPellucorApp::InitInstance()
{
  if (!AfxSocketInit()) {
    AfxMessageBox("Socket initialization failed");
    return FALSE;
  }
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  SetRegistryKey(szProfileCompanyKey);

  LoadBasketOptions();
  const int nFrameState = ReadProfileKey(this, profileMainFrameState);

  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPellucorDoc),
                                        RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CPellucorView)));
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;

  // 1 (start hidden) needs the tray icon to bring the window back; until the
  // program has one, it starts shown.
  m_pMainWnd->ShowWindow(nFrameState == 2 ? SW_SHOWMAXIMIZED : SW_SHOW);
  m_pMainWnd->UpdateWindow();
  return TRUE;
}

int CPellucorApp::ExitInstance()
{
  return CWinApp::ExitInstance();
}
