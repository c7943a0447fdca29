// The program's main frame: the menu with the export and copy-as commands, and
// the status bar.
#pragma once

#include <afxext.h>

class CPellucorView;

class CMainFrame : public CFrameWnd {
 protected:
  CMainFrame() = default;
  DECLARE_DYNCREATE(CMainFrame)

 public:
  // The main view, or NULL while there is none.
  CPellucorView* GetPellucorView() const;

 protected:
  CStatusBar m_wndStatusBar;

  // Writes the Basket, as it stands in the Basket box now, in one format to a
  // file the user picks.
  void ExportBasketAs(int nFormat);
  // Puts the Basket, as it stands now, on the clipboard in one format; an
  // empty text leaves the clipboard as it was.
  void CopyBasketAs(int nFormat);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnExportTohtmlfile();
  afx_msg void OnExportTotextfile();
  afx_msg void OnExportTometatag();
  afx_msg void OnExportTocsvfile();
  afx_msg void OnExportToexcel();
  afx_msg void OnExportToAdwordsBroadMatch();
  afx_msg void OnExportTotAdwordsPhraseMatch();
  afx_msg void OnExportToAdwordsExactMatch();
  afx_msg void OnCopyAsText();
  afx_msg void OnCopyAsHtmlTable();
  afx_msg void OnCopyAsCommaList();
  afx_msg void OnCopyAsMetaTag();
  afx_msg void OnCopyAdwordsBroadMatch();
  afx_msg void OnCopyAdwordsPhraseMatch();
  afx_msg void OnCopyAdwordsExactMatch();
  DECLARE_MESSAGE_MAP()
};
