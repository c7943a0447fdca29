#include "PellucorApp.h"

#include <afxsock.h>
#include "MainFrame.h"
#include "PellucorDoc.h"
#include "PellucorView.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CPellucorApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
END_MESSAGE_MAP()

CPellucorApp theApp;

CPellucorApp::CPellucorApp() : CWinApp("Pellucor") {}

BOOL CPellucorApp::InitInstance()
{
  if (!AfxSocketInit()) {
    AfxMessageBox("Socket initialization failed");
    return FALSE;
  }
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  SetRegistryKey("Dunmorrow");

  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPellucorDoc),
                                        RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CPellucorView)));
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;

  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();
  return TRUE;
}
