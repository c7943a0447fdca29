// The Pellucor application object.
#pragma once

#include <afxwin.h>

class CPellucorApp : public CWinApp {
 public:
  CPellucorApp();

  BOOL InitInstance() override;

 protected:
  DECLARE_MESSAGE_MAP()
};

extern CPellucorApp theApp;
