// The Pellucor application object, on the framework's application class.
#pragma once

#include <afxwin.h>
#include "BasedApp.h"

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

  BOOL InitInstance() override;
  int ExitInstance() override;

 protected:
  DECLARE_MESSAGE_MAP()
};

extern CPellucorApp theApp;
