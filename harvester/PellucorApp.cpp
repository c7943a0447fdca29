#include "PellucorApp.h"

#include <afxsock.h>
#include "MainFrame.h"
#include "PellucorDoc.h"
#include "PellucorView.h"
#include "ProfileKeys.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CPellucorApp, CBasedApp)
END_MESSAGE_MAP()

CPellucorApp theApp;

CPellucorApp::CPellucorApp() : CBasedApp("Pellucor"), m_bDedupeBasket(TRUE), m_bSortBasket(TRUE)
{
  m_strAbout =
      "\tPellucor\r\n***\r\nDunmorrow Software\r\nhttp://www.dunmorrow.example/\r\nRelease version.\r\n"
      "Press Esc to close this dialog";
  m_nAboutNumber = 130;
  m_bAboutFlag = 0;
}

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
  // common controls, OLE, the profile, folders, options, external tools
  if (!CBasedApp::InitInstance()) return FALSE;

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
  return CBasedApp::ExitInstance();
}
