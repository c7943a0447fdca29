// The program's main view: the form with the keyword box, the result list and
// the Basket. It drives every harvest (Go, the start timer, one fetch thread
// per page, Stop, Back, Settings) and keeps the Basket box and "Basket.txt".
// It lays its form out itself whenever it is sized (the layout engine's map
// is empty), and animates the main window's tray icon while a page is
// fetched.
//
// The result list is a virtual list: it holds no rows of its own, only their
// number, and asks the view for what it draws. A refill after a page
// therefore costs the same however many rows are already shown, and a row's
// check box is drawn from the Basket: a row is ticked exactly when its Basket
// line ("phrase count") is a line of the Basket box.
#pragma once

#include <time.h>

#include <afxcmn.h>
#include <afxext.h>
#include <unordered_set>
#include "BaseFormView.h"
#include "Basket.h"
#include "ButtonST.h"
#include "HistoryCombo.h"
#include "HtmlCtrl.h"
#include "SuggestionPage.h"
#include "resource.h"

class CPellucorDoc;
class CSystemTray;

class CPellucorView : public CBaseFormView {
 protected:
  CPellucorView();
  DECLARE_DYNCREATE(CPellucorView)

 public:
  enum { IDD = IDD_PELLUCOR_FORM };
  // The one-shot start timer of a run, and its delay.
  enum { nStartTimer = 1021, nStartDelay = 100 };
  // While pages come fast, the list takes the new rows at most this often
  // (a timer brings in the rows of the pages in between), and at most once in
  // nRefillShare times the last refill's cost, but at least every
  // nRefillIntervalMax ms; the last page of a run is always listed at once.
  enum { nRefillTimer = 1023, nRefillInterval = 100, nRefillShare = 20, nRefillIntervalMax = 1000 };
  // The visit history keeps the latest seeds started, at most this many.
  enum { nVisitHistoryLimit = 100 };
  // The tray icon's animation step while a page is fetched.
  enum { nTrayAnimationStep = 400 };

  // Opens an address in the user's browser (the shell's "open"); replaceable
  // so that a test can see what would be opened.
  typedef HINSTANCE(WINAPI* PFNOPENADDRESS)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static PFNOPENADDRESS s_pfnOpenAddress;
  // The clock the ad pane's first page is chosen by; replaceable so that a
  // test can choose the second.
  typedef time_t (*PFNCLOCK)(time_t*);
  static PFNCLOCK s_pfnClock;
  // The ad pane's first page at a time: the maker's page for even seconds of
  // the local clock, the other for odd ones (and for a clock that fails).
  static LPCSTR AdPageAt(time_t tNow);

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

  // The messages that carry a run along (a page handed over, the next page
  // asked for, the list's refill timer) change the state of no command, so
  // they need not start the program's idle-time updates: those walk every
  // window of the frame, which under Wine costs about as much as the page.
  static bool IsRunMessage(const MSG* pMsg);

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

  // The ad pane, or NULL when it could not be made (the view works without).
  CHtmlCtrl* GetAdPane() { return m_wndAdPane.GetSafeHwnd() != NULL ? &m_wndAdPane : NULL; }

 protected:
  CHistoryCombo m_wndKeyword;
  CListCtrl m_wndResults;
  CEdit m_wndBasket;
  CButtonST m_btnSettings;
  CButtonST m_btnGetNewVersion;
  CButtonST m_btnCheckAll;
  CButtonST m_btnExit;
  CButtonST m_btnCopy;
  CButtonST m_btnHelp;
  CButtonST m_btnBack;
  CButtonST m_btnSave;
  CButtonST m_btnCheckCustom;
  CButtonST m_btnUncheckAll;
  CButton m_btnGo;
  CProgressCtrl m_wndPageProgress;
  CProgressCtrl m_wndRunProgress;
  CEdit m_wndAdPlaceholder;       // hidden: the ad pane takes its rectangle
  CHtmlCtrl m_wndAdPane;

  CHarvestRun m_run;
  CStringArray m_aVisitHistory;   // seeds started, oldest first
  bool m_bListFilling;
  int m_nRowsShown;               // the result list's row count
  bool m_bWaitCursor;             // a run shows the wait cursor until its first page
  bool m_bTrayAnimating;          // and animates the tray icon until then

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
  // The refill after a page of a running run: at once when the last one is
  // nRefillInterval old, else by the refill timer.
  void RefillAfterPage();
  // A refill still due is made now (commands that act on every row).
  void FlushRefill();
  // Sets a progress bar's position and leaves the drawing to the next paint.
  static void SetProgressQuietly(CProgressCtrl& progress, int nPos);
  CString m_sStatsHost;            // the statistics host of the run, read at Go
  DWORD m_dwLastRefill = 0;        // when the last refill ended
  DWORD m_dwRefillCost = 0;        // how long it took, in milliseconds
  bool m_bRefillDue = false;
  // Ends the run now (Go enabled again); the wait cursor ends with it.
  void EndRun();
  void StopWaitCursor();
  // The main frame's tray icon, when there is one to animate.
  static CSystemTray* GetTrayIcon();
  void StartTrayAnimation();
  void StopTrayAnimation();

  // First set-up steps.
  void SetUpButtons();
  void SetUpResultsList();
  void SetUpTrayAnimation();
  void CreateAdPane();

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
  // The Basket is loaded by this message, posted at the first update (see
  // OnInitialUpdate), or by the first reader, whichever comes first.
  enum { WM_LOAD_BASKET = WM_USER + 103 };
  afx_msg LRESULT OnLoadBasket(WPARAM, LPARAM);
  bool m_bBasketLoadDue = false;

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
  afx_msg void OnGeneralSettings();
  afx_msg void OnSize(UINT nType, int cx, int cy);

  DECLARE_MESSAGE_MAP()
  DECLARE_DYNAMIC_MAP()
};
