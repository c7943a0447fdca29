// The program's main frame.
#pragma once

#include <afxext.h>

class CMainFrame : public CFrameWnd {
 protected:
  CMainFrame() = default;
  DECLARE_DYNCREATE(CMainFrame)

 protected:
  CStatusBar m_wndStatusBar;

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  DECLARE_MESSAGE_MAP()
};
