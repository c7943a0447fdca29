// The Pellucor application object, on the framework's application class.
#pragma once

#include <afxwin.h>
#include "BasedApp.h"

class CBasedMainFrame;

class CPellucorApp : public CBasedApp {
 public:
  CPellucorApp();

  // The Basket options (Basket.h): reshaping after every change made through
  // the result list. The view reads and writes them through the profile, so
  // that the view behaves the same under any application object; these are
  // the values read at start-up.
  BOOL m_bDedupeBasket;
  BOOL m_bSortBasket;

  // "Settings"/"bDedupeBasket" and "Settings"/"bSortBasket", both default 1.
  void LoadBasketOptions();
  // Writes both as 0 or 1.
  void SaveBasketOptions();

  // Start-up: sockets, the framework, the splash, the options, the document
  // template, the shell command line, then the main window shown as it was
  // left (see ShowMainFrame) and the tip of the day. FALSE ends the program.
  BOOL InitInstance() override;
  int ExitInstance() override;
  // A harvest's own messages do not start the idle-time updates
  // (CPellucorView::IsRunMessage).
  BOOL IsIdleMessage(MSG* pMsg) override;

  // "Settings"/"Main Frame State" at start-up: 1 hidden, 2 maximised, any
  // other value shown normally.
  enum { frameStateHidden = 1, frameStateMaximized = 2 };
  // The show command for a start-up state. A frame asked to start hidden is
  // shown normally when the user could not bring it back from the tray.
  static int StartupShowCommand(int nFrameState, BOOL bCanHideToTray);

  // The application's active window: TRUE when it is set and still a window.
  BOOL HasActiveWindow() const;
  // Shows the active window with the show command, when there is one.
  void ShowActiveWindow(int nCmdShow);

 protected:
  // Puts the frame's owner-drawn menu in place of the menu it was created with.
  static void InstallOwnerDrawnMenu(CBasedMainFrame* pFrame);
  void ShowMainFrame(CBasedMainFrame* pFrame, int nFrameState);

  DECLARE_MESSAGE_MAP()
};

extern CPellucorApp theApp;
