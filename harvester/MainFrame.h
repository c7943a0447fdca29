// The program's main frame: the framework's main window with the program's
// caption, the status bar, the Copy and Export tool bar with its drop-down
// menus, the export and copy-as commands, the framework tool bar's settings
// and report-reader commands, and the auto-save timer.
#pragma once

#include <afxext.h>
#include "BasedMainFrame.h"

class CPellucorView;

class CMainFrame : public CBasedMainFrame {
 protected:
  UINT m_nAutoSavePeriod = 0;
  CMainFrame();
  DECLARE_DYNCREATE(CMainFrame)

 public:
  ~CMainFrame() override;

  enum { nAutoSaveTimer = 45 };

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // The main view, or NULL while there is none.
  CPellucorView* GetPellucorView() const;

  // (Re)starts the auto-save timer with the framework's interval, or with the
  // interval given in minutes.
  void StartAutoSaveTimer();
  void RestartAutoSaveTimer(int nMinutes);
  // The period the auto-save timer was last started with, in milliseconds.
  UINT GetAutoSavePeriod() const { return m_nAutoSavePeriod; }
  // The timer's period in milliseconds for an interval in minutes: clamped to
  // 1..35791 minutes, so that neither a zero nor an overflowing period runs.
  static UINT AutoSavePeriod(int nMinutes);
  // One timed save: a modified document with a path is saved to it; one
  // that never had a path is left alone (a timer never asks for a name).
  // Returns whether a save was made; failures are swallowed.
  static BOOL AutoSaveDocument(CDocument* pDoc);

  CToolBar24& GetCopyExportBar() { return m_wndCopyExportBar; }
  CStatusBar& GetStatusBar() { return m_wndStatusBar; }

 protected:
  CStatusBar m_wndStatusBar;
  CToolBar24 m_wndCopyExportBar;

  BOOL CreateCopyExportBar();

  // Writes the Basket, as it stands in the Basket box now, in one format to a
  // file the user picks.
  void ExportBasketAs(int nFormat);
  // Puts the Basket, as it stands now, on the clipboard in one format; an
  // empty text leaves the clipboard as it was.
  void CopyBasketAs(int nFormat);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnClose();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDropDown(NMHDR* pNotifyStruct, LRESULT* pResult);
  afx_msg void OnDropDownFace() {}
  afx_msg void OnUpdateDropDownFace(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  afx_msg void OnSettings();
  afx_msg void OnProgramSettings();
  afx_msg void OnErrorReader();
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

// The one main frame, from its construction to its destruction.
extern CMainFrame* g_pMainFrame;
