// The program's main view: the form with the keyword box, the result list and
// the Basket. It drives every harvest (Go, the start timer, one fetch thread
// per page, Stop, Back, Settings) and keeps the Basket box and "Basket.txt".
//
// The result list is a virtual list: it holds no rows of its own, only their
// number, and asks the view for what it draws. A refill after a page
// therefore costs the same however many rows are already shown, and a row's
// check box is drawn from the Basket: a row is ticked exactly when its Basket
// line ("phrase count") is a line of the Basket box.
#pragma once

#include <afxcmn.h>
#include <afxext.h>
#include <unordered_set>
#include "Basket.h"
#include "HistoryCombo.h"
#include "SuggestionPage.h"
#include "resource.h"

class CPellucorDoc;

class CPellucorView : public CFormView {
 protected:
  CPellucorView();
  DECLARE_DYNCREATE(CPellucorView)

 public:
  enum { IDD = IDD_PELLUCOR_FORM };
  // The one-shot start timer of a run, and its delay.
  enum { nStartTimer = 1021, nStartDelay = 100 };
  // The visit history keeps the latest seeds started, at most this many.
  enum { nVisitHistoryLimit = 100 };

  virtual ~CPellucorView();

  CPellucorDoc* GetDocument() const;

  // The Basket box text as it stands, and the lines an export or a copy
  // takes from it now (CutBasketText).
  CString GetBasketText() const;
  void GetBasketLines(CStringArray& aLines) const;
  // "Basket.txt" beside the program.
  const CString& GetBasketPath() const { return m_sBasketPath; }
  // The options that shape the Basket after a change through the list, as the
  // profile holds them.
  static BASKET_OPTIONS GetBasketOptions();

  const CHarvestRun& GetRun() const { return m_run; }
  const CStringArray& GetVisitHistory() const { return m_aVisitHistory; }

  // Puts the text on the clipboard as CF_TEXT, owned by pOwner; FALSE when
  // the clipboard could not be had.
  static BOOL PutTextOnClipboard(CWnd* pOwner, LPCSTR pszText, int nLength);

  // The harvest commands (buttons, Enter, a double click on the list).
  void OnGo();
  void OnStop();
  void OnBack();
  void OnSettings();
  // The Basket commands.
  void OnCheckAll();
  void OnUncheckAll();
  void OnCheckCustom();
  void OnCopyBasket();
  void OnSaveBasketToFile();

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  CHistoryCombo m_wndKeyword;
  CListCtrl m_wndResults;
  CEdit m_wndBasket;
  CProgressCtrl m_wndPageProgress;
  CProgressCtrl m_wndRunProgress;

  CHarvestRun m_run;
  CStringArray m_aVisitHistory;   // seeds started, oldest first
  bool m_bListFilling;
  int m_nRowsShown;               // the result list's row count
  bool m_bWaitCursor;             // a run shows the wait cursor until its first page

  CString m_sBasketPath;
  // The box text as the view last set or read it; typing into the box makes
  // it stale.
  mutable CString m_sBasketText;
  mutable bool m_bBasketTextValid;
  // The Basket box's lines, for drawing the check boxes; built again from the
  // box when it is next needed after the box changed. When the box held only
  // lines that need no normalising, a tick or an untick is recorded beside
  // the set instead of building it again.
  CBasketLineSet m_basketSet;
  bool m_bBasketSetStale;
  bool m_bBasketSetExact;
  std::unordered_set<CString, CStringHash> m_setTicked;     // lines in since the set was built
  std::unordered_set<CString, CStringHash> m_setUnticked;   // lines out since then
  bool m_bSettingBasket;          // the view itself is changing the box
  bool m_bBasketEditedByHand;     // typed into since "Basket.txt" was last written

  void DoDataExchange(CDataExchange* pDX) override;
  void OnInitialUpdate() override;

  // Shows the rows of the result arrays in the list.
  void FillResultsList();
  // Ends the run now (Go enabled again); the wait cursor ends with it.
  void EndRun();
  void StopWaitCursor();

  // The row's Basket line, and whether it is in the Basket.
  CString GetRowBasketLine(int nRow) const;
  bool IsRowInBasket(int nRow);
  void BuildBasketSet();
  // Ticks or unticks one row as a click on its check box does.
  void ToggleRow(int nRow);
  // Puts the new Basket text into the box and writes "Basket.txt".
  void ChangeBasket(const CString& sOldText, const CString& sNewText);
  // Replaces only the part of the box text that changed, keeping the box's
  // scroll position and selection.
  void SetBasketBoxText(const CString& sOld, const CString& sNew);
  void LoadBasket();

  // Does nothing: the form's hidden "Exit" button.
  virtual void DoExit() {}

  afx_msg LRESULT OnFetchNextPage(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSuggestionsFetched(WPARAM wParam, LPARAM lParam);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();
  afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnResultsClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnResultsDblClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnResultsKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnResultsItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnBasketChange();
  afx_msg void OnGetNewVersion();
  afx_msg void OnHelpSite();
  afx_msg void OnExit();

  DECLARE_MESSAGE_MAP()
};
