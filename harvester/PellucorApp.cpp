#include "PellucorApp.h"
#include "Utilities.h"

#include <afxsock.h>
#include "BasedMainFrame.h"
#include "Logger.h"
#include "MainFrame.h"
#include "PellucorDoc.h"
#include "PellucorView.h"
#include "ProfileKeys.h"
#include "SplashDialog.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CPellucorApp, CBasedApp)
END_MESSAGE_MAP()

CPellucorApp theApp;

namespace {

const char szSplashCaption[] = "Pellucor v 4.0";

}  // namespace

CPellucorApp::CPellucorApp() : CBasedApp("Pellucor"), m_bDedupeBasket(TRUE), m_bSortBasket(TRUE)
{
  // The about box splits its text at line feeds; a leading tab marks the title
  // line, and "***" becomes the program's version.
  m_strAbout =
      "\tPellucor\n"
      "***\n"
      "Dunmorrow Software\n"
      "http://www.dunmorrow.example/\n"
      "Release version.\n"
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

  {
    CSplashDialog splash(szSplashCaption, NULL);
    splash.DoModal();
  }

  LoadBasketOptions();
  const int nFrameState = ReadProfileKey(this, profileMainFrameState);

  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPellucorDoc),
                                        RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CPellucorView)));

  // Files given to the program arrive on its command line; the registration
  // points the shell's open, print and print-to commands at it.
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);

  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;

  CBasedMainFrame* pFrame = DYNAMIC_DOWNCAST(CBasedMainFrame, m_pMainWnd);
  if (pFrame == NULL) return FALSE;
  InstallOwnerDrawnMenu(pFrame);
  ShowMainFrame(pFrame, nFrameState);

  // A frame left full screen comes back full screen: the flag was read from
  // the profile when the frame was built, the window itself is not yet.
  if (pFrame->IsFullScreen()) pFrame->EnterFullScreen();

  // The frame built the trace-log window; it stays out of sight until asked for.
  CFrameWnd* pLogFrame = GetLogger().GetLogFrame();
  if (pLogFrame != NULL && ::IsWindow(pLogFrame->GetSafeHwnd())) pLogFrame->ShowWindow(SW_HIDE);

  ShowTipAtStartup();
  return TRUE;
}

int CPellucorApp::ExitInstance()
{
  return CBasedApp::ExitInstance();
}

BOOL CPellucorApp::IsIdleMessage(MSG* pMsg)
{
  return CBasedApp::IsIdleMessage(pMsg) && !CPellucorView::IsRunMessage(pMsg);
}

BOOL CPellucorApp::HasActiveWindow() const
{
  return ::HasActiveWindow(this);
}

void CPellucorApp::ShowActiveWindow(int nCmdShow)
{
  ::ShowActiveWindow(this, nCmdShow);
}

int CPellucorApp::StartupShowCommand(int nFrameState, BOOL bCanHideToTray)
{
  switch (nFrameState) {
    case frameStateHidden:
      // Hidden with no icon to come back by would leave a running program
      // the user cannot reach.
      return bCanHideToTray ? SW_HIDE : SW_SHOW;
    case frameStateMaximized:
      return SW_SHOWMAXIMIZED;
    default:
      return SW_SHOW;
  }
}

void CPellucorApp::InstallOwnerDrawnMenu(CBasedMainFrame* pFrame)
{
  HMENU hMenu = pFrame->BuildMenu();
  if (hMenu == NULL) return;
  HMENU hOldMenu = pFrame->m_hMenuDefault;
  pFrame->m_hMenuDefault = hMenu;
  pFrame->OnUpdateFrameMenu(hMenu);
  pFrame->DrawMenuBar();
  // The menu the frame was created with is no longer attached to any window.
  if (hOldMenu != NULL && hOldMenu != hMenu && ::GetMenu(pFrame->m_hWnd) != hOldMenu) ::DestroyMenu(hOldMenu);
}

void CPellucorApp::ShowMainFrame(CBasedMainFrame* pFrame, int nFrameState)
{
  const int nCmdShow = StartupShowCommand(nFrameState, pFrame->CanHideToTray());
  if (nCmdShow == SW_HIDE) {
    pFrame->HideApplication();
    return;
  }
  pFrame->ShowWindow(nCmdShow);
  pFrame->UpdateWindow();
}
