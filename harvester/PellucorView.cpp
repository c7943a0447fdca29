#include "PellucorView.h"

#include <string.h>
#include <time.h>
#include <unordered_set>
#include "FileDialogST.h"
#include "FileHandle.h"
#include "GeneralSettingsDlg.h"
#include "GetSuggestionThread.h"
#include "HarvestMessages.h"
#include "InputDlg.h"
#include "MainFrame.h"
#include "Path.h"
#include "PellucorDoc.h"
#include "ProfileKeys.h"
#include "SettingsDialog.h"
#include "SiteAddresses.h"
#include "SystemTray.h"

namespace {

const char szSettingsRefused[] = "Can't change settings process is running";
const char szWarningCaption[] = "WARNING";
const char szSaveFailedCaption[] = "Can't save Basket";
// The fifth letter is the Cyrillic "е".
const char szCheckCustomCaption[] = "Pleasе enter a keywords";
const char szSaveFilter[] = "Text Files (*.txt)\n*.txt\nAll files (*.*)\n*.*\n";

// Button images: the transparent colour of the bitmaps, and the icons' size.
const COLORREF clrImageTransparent = RGB(192, 192, 192);
const int nButtonIconSize = 16;

// The layout of the form for a client area of W x H pixels; the form
// template gives every position that is not named here.
const int nAdPaneMargin = 30;          // ad pane: cx - 30 wide
const int nResultsWidth = 442;         // result list: 442 x (H - 258)
const int nResultsHeightLess = 258;
const int nBasketHeightLess = 210;     // Basket: to 10 px from the right edge, H - 210 high
const int nBasketRightMargin = 10;
const int nBottomRowFromBottom = 25;   // the bottom row of buttons: y = H - 25
const int nGetNewVersionFromRight = 257;
const int nHelpFromRight = 86;
const int nSaveFromRight = 79;         // Save and Copy keep their height
const int nCopyFromRight = 143;

}  // namespace

CPellucorView::PFNOPENADDRESS CPellucorView::s_pfnOpenAddress = ::ShellExecuteA;
CPellucorView::PFNCLOCK CPellucorView::s_pfnClock = ::time;

IMPLEMENT_DYNCREATE(CPellucorView, CBaseFormView)

BEGIN_DYNAMIC_MAP(CPellucorView, CBaseFormView)
END_DYNAMIC_MAP()

BEGIN_MESSAGE_MAP(CPellucorView, CBaseFormView)
  ON_BN_CLICKED(IDC_GO, &CPellucorView::OnGo)
  ON_BN_CLICKED(IDC_STOP, &CPellucorView::OnStop)
  ON_BN_CLICKED(IDC_BACK, &CPellucorView::OnBack)
  ON_BN_CLICKED(IDC_SETTINGS, &CPellucorView::OnSettings)
  ON_BN_CLICKED(IDC_CHECK_ALL, &CPellucorView::OnCheckAll)
  ON_BN_CLICKED(IDC_UNCHECK_ALL, &CPellucorView::OnUncheckAll)
  ON_BN_CLICKED(IDC_CHECK_CUSTOM, &CPellucorView::OnCheckCustom)
  ON_BN_CLICKED(IDC_COPY, &CPellucorView::OnCopyBasket)
  ON_BN_CLICKED(IDC_SAVE, &CPellucorView::OnSaveBasketToFile)
  ON_BN_CLICKED(IDC_GET_NEW_VERSION, &CPellucorView::OnGetNewVersion)
  ON_BN_CLICKED(IDC_HELP_SITE, &CPellucorView::OnHelpSite)
  ON_BN_CLICKED(IDC_EXIT, &CPellucorView::OnExit)
  ON_COMMAND(ID_GENERAL_SETTINGS, &CPellucorView::OnGeneralSettings)
  ON_EN_CHANGE(IDC_BASKET, &CPellucorView::OnBasketChange)
  ON_NOTIFY(LVN_GETDISPINFO, IDC_RESULTS, &CPellucorView::OnGetDispInfo)
  ON_NOTIFY(NM_CLICK, IDC_RESULTS, &CPellucorView::OnResultsClick)
  ON_NOTIFY(NM_DBLCLK, IDC_RESULTS, &CPellucorView::OnResultsDblClick)
  ON_NOTIFY(LVN_KEYDOWN, IDC_RESULTS, &CPellucorView::OnResultsKeyDown)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_RESULTS, &CPellucorView::OnResultsItemChanged)
  ON_MESSAGE(WM_FETCH_NEXT_PAGE, &CPellucorView::OnFetchNextPage)
  ON_MESSAGE(WM_LOAD_BASKET, &CPellucorView::OnLoadBasket)
  ON_MESSAGE(WM_SUGGESTIONS_FETCHED, &CPellucorView::OnSuggestionsFetched)
  ON_WM_TIMER()
  ON_WM_SIZE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPellucorView::CPellucorView()
    : CBaseFormView(IDD),
      m_bListFilling(false),
      m_nRowsShown(0),
      m_bWaitCursor(false),
      m_bTrayAnimating(false),
      m_bBasketTextValid(false),
      m_bBasketSetStale(true),
      m_bBasketSetExact(false),
      m_bSettingBasket(false),
      m_bBasketEditedByHand(false)
{
  m_strProfileSection = szSectionPellucorView;
  m_sBasketPath = GetBasketFilePath(CPath(CPath::sourceModule).GetLocation());
}

CPellucorView::~CPellucorView() {}

CPellucorDoc* CPellucorView::GetDocument() const
{
  return static_cast<CPellucorDoc*>(m_pDocument);
}

void CPellucorView::DoDataExchange(CDataExchange* pDX)
{
  CBaseFormView::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_KEYWORD, m_wndKeyword);
  DDX_Control(pDX, IDC_RESULTS, m_wndResults);
  DDX_Control(pDX, IDC_BASKET, m_wndBasket);
  DDX_Control(pDX, IDC_SETTINGS, m_btnSettings);
  DDX_Control(pDX, IDC_GET_NEW_VERSION, m_btnGetNewVersion);
  DDX_Control(pDX, IDC_CHECK_ALL, m_btnCheckAll);
  DDX_Control(pDX, IDC_EXIT, m_btnExit);
  DDX_Control(pDX, IDC_COPY, m_btnCopy);
  DDX_Control(pDX, IDC_HELP_SITE, m_btnHelp);
  DDX_Control(pDX, IDC_BACK, m_btnBack);
  DDX_Control(pDX, IDC_SAVE, m_btnSave);
  DDX_Control(pDX, IDC_CHECK_CUSTOM, m_btnCheckCustom);
  DDX_Control(pDX, IDC_UNCHECK_ALL, m_btnUncheckAll);
  DDX_Control(pDX, IDC_PAGE_PROGRESS, m_wndPageProgress);
  DDX_Control(pDX, IDC_RUN_PROGRESS, m_wndRunProgress);
  DDX_Control(pDX, IDC_AD_PLACEHOLDER, m_wndAdPlaceholder);
  DDX_Control(pDX, IDC_GO, m_btnGo);
}

void CPellucorView::OnInitialUpdate()
{
  // A view updated again for a new document keeps what it set up the first
  // time: its buttons, columns, tray pictures and ad pane.
  const bool bFirst = m_wndAdPane.GetSafeHwnd() == NULL && m_btnSettings.GetSafeHwnd() == NULL;
  CBaseFormView::OnInitialUpdate();

  if (bFirst) {
    SetUpButtons();
    SetUpResultsList();
  }
  FillResultsList();

  // A Basket of any size is shown whole. It is put into the box once the
  // window has its place and size: the box lays a long text out again at
  // every change of its width, which the frame's first showing brings. Whoever
  // reads the Basket before then loads it first.
  m_wndBasket.SetLimitText(0);
  m_bBasketLoadDue = true;
  PostMessage(WM_LOAD_BASKET);

  m_wndKeyword.LoadHistory(szSectionPellucorView, szKeywordHistoryPrefix, TRUE, NULL);
  m_wndKeyword.SetWindowText(ReadProfileKey(AfxGetApp(), profileLastKeyword));

  if (bFirst) {
    SetUpTrayAnimation();
    CreateAdPane();
  }

  m_wndPageProgress.SetRange(0, 100);
  m_wndRunProgress.SetRange(0, 100);

  CRect rc;
  GetClientRect(&rc);
  OnSize(SIZE_RESTORED, rc.Width(), rc.Height());
}

void CPellucorView::SetUpButtons()
{
  struct BUTTON_LOOK {
    CButtonST* pButton;
    int nImage;
    bool bBitmap;        // an icon and a bitmap of the id, or the icon alone
    LPCSTR pszTooltip;
  };
  const CString sGetNewVersionTip = CString("Get updates and new software from ") + PELLUCOR_SITE_ADDRESS;
  const BUTTON_LOOK looks[] = {
      {&m_btnSettings, IDR_IMAGE_SETTINGS, true, "Settings"},
      {&m_btnGetNewVersion, IDR_IMAGE_GET_NEW_VERSION, true, sGetNewVersionTip},
      {&m_btnCheckAll, IDR_IMAGE_CHECK_ALL, true, "Add all keywords to Basket"},
      {&m_btnExit, IDR_IMAGE_EXIT, true, "Quit Fennicle"},
      {&m_btnCopy, IDR_IMAGE_COPY, true, "Copy all keywords from Basket to clipboard"},
      {&m_btnHelp, IDR_IMAGE_HELP, true, "Learn how to effectively use Fennicle"},
      {&m_btnBack, IDR_IMAGE_BACK, true, "Navigate to previous keyword"},
      {&m_btnSave, IDR_IMAGE_SAVE, true, "Save all keywords from Basket to file"},
      {&m_btnUncheckAll, IDI_UNCHECK_ALL, false, "Unckeck All"},
      {&m_btnCheckCustom, IDI_CHECK_CUSTOM, false, "Check Custom Keywords and add to Basket"},
  };
  // A picture missing from the resources leaves its button with its caption.
  for (const BUTTON_LOOK& look : looks) {
    look.pButton->SetIcon(look.nImage, nButtonIconSize, nButtonIconSize);
    if (look.bBitmap) look.pButton->SetBitmaps(look.nImage, clrImageTransparent, look.nImage, clrImageTransparent);
    look.pButton->EnableBalloonTooltip();
    look.pButton->SetTooltipText(look.pszTooltip, TRUE);
  }
}

void CPellucorView::SetUpResultsList()
{
  // The list asks for every row's check box as it draws it.
  m_wndResults.SetExtendedStyle(m_wndResults.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  m_wndResults.ModifyStyle(0, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
  m_wndResults.SetCallbackMask(LVIS_STATEIMAGEMASK);
  if (Header_GetItemCount(ListView_GetHeader(m_wndResults.m_hWnd)) <= 0) {
    CRect rc;
    m_wndResults.GetClientRect(&rc);
    m_wndResults.InsertColumn(0, "Keyword", LVCFMT_LEFT, rc.Width() - 103);
    m_wndResults.InsertColumn(1, "Queries", LVCFMT_RIGHT, 100);
  }
}

// The tray shows its own icon and the busy one by turns while a page is
// fetched.
void CPellucorView::SetUpTrayAnimation()
{
  CSystemTray* pTray = GetTrayIcon();
  if (pTray == NULL) return;
  HICON icons[2];
  UINT nIcons = 0;
  for (UINT nID : {(UINT)IDR_TRAY, (UINT)IDI_TRAY_BUSY}) {
    HICON hIcon = AfxGetApp()->LoadIcon(nID);
    if (hIcon != NULL) icons[nIcons++] = hIcon;
  }
  pTray->SetIconList(icons, nIcons);
}

// The pane starts on one of two pages by the clock; a pane that cannot be
// made leaves the view without it.
void CPellucorView::CreateAdPane()
{
  if (m_wndAdPlaceholder.GetSafeHwnd() == NULL) return;
  CRect rc;
  m_wndAdPlaceholder.GetWindowRect(&rc);
  ScreenToClient(&rc);
  if (!m_wndAdPane.Create(NULL, "", WS_CHILD | WS_VISIBLE | WS_BORDER, rc, this, IDC_AD_PANE, NULL, TRUE, TRUE))
    return;
  m_wndAdPane.Navigate2(AdPageAt(s_pfnClock(NULL)));
}

LPCSTR CPellucorView::AdPageAt(time_t tNow)
{
  const struct tm* pNow = tNow != (time_t)-1 ? localtime(&tNow) : NULL;
  const bool bEven = pNow != NULL && pNow->tm_sec % 2 == 0;
  return bEven ? PELLUCOR_AD_PAGE_EVEN : PELLUCOR_AD_PAGE_ODD;
}

void CPellucorView::OnSize(UINT nType, int cx, int cy)
{
  CBaseFormView::OnSize(nType, cx, cy);
  if (m_wndKeyword.GetSafeHwnd() == NULL) return;

  CRect rcClient;
  GetClientRect(&rcClient);
  const int W = rcClient.Width();
  const int H = rcClient.Height();
  auto rectOf = [this](CWnd& wnd) {
    CRect rc;
    wnd.GetWindowRect(&rc);
    ScreenToClient(&rc);
    return rc;
  };
  auto resize = [](CWnd& wnd, int nWidth, int nHeight) {
    if (wnd.GetSafeHwnd() == NULL) return;
    wnd.SetWindowPos(NULL, 0, 0, nWidth > 0 ? nWidth : 0, nHeight > 0 ? nHeight : 0,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  };
  auto move = [](CWnd& wnd, int x, int y) {
    if (wnd.GetSafeHwnd() == NULL) return;
    wnd.SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  };

  if (m_wndAdPane.GetSafeHwnd() != NULL) resize(m_wndAdPane, cx - nAdPaneMargin, rectOf(m_wndAdPane).Height());
  resize(m_wndResults, nResultsWidth, H - nResultsHeightLess);
  // The Basket takes the width right of the list: a Basket W - 367 wide would
  // run over the list's right part at every size.
  resize(m_wndBasket, W - nBasketRightMargin - rectOf(m_wndBasket).left, H - nBasketHeightLess);

  const int yBottomRow = H - nBottomRowFromBottom;
  for (CWnd* pButton : {(CWnd*)&m_btnCheckCustom, (CWnd*)&m_btnUncheckAll, (CWnd*)&m_btnCheckAll,
                        (CWnd*)&m_btnSettings})
    if (pButton->GetSafeHwnd() != NULL) move(*pButton, rectOf(*pButton).left, yBottomRow);
  move(m_btnGetNewVersion, W - nGetNewVersionFromRight, yBottomRow);
  move(m_btnHelp, W - nHelpFromRight, yBottomRow);
  if (m_btnSave.GetSafeHwnd() != NULL) move(m_btnSave, W - nSaveFromRight, rectOf(m_btnSave).top);
  if (m_btnCopy.GetSafeHwnd() != NULL) move(m_btnCopy, W - nCopyFromRight, rectOf(m_btnCopy).top);
}

// ---------------------------------------------------------------------------
// The harvest
// ---------------------------------------------------------------------------

void CPellucorView::OnGo()
{
  // An empty keyword starts nothing and changes nothing: a run that cannot
  // fetch must not leave Go disabled and Settings refused.
  CString sKeyword;
  m_wndKeyword.GetWindowText(sKeyword);
  if (sKeyword.IsEmpty()) return;

  GetDlgItem(IDC_GO)->EnableWindow(FALSE);
  // A new run id: pages of a run restarted here are dropped when they come.
  m_run.BeginRun(sKeyword);
  // Read once for the run: reading the profile for every page is a good
  // part of a page's handling under Wine.
  m_sStatsHost = CGetSuggestionThread::GetProfileHost();
  FillResultsList();

  m_wndKeyword.SaveHistory(TRUE);
  WriteProfileKey(AfxGetApp(), profileLastKeyword, sKeyword);

  if (!m_bWaitCursor) {
    BeginWaitCursor();
    m_bWaitCursor = true;
  }
  KillTimer(nStartTimer);
  SetTimer(nStartTimer, nStartDelay, NULL);
  StartTrayAnimation();

  m_wndPageProgress.SetPos(30);
  m_wndRunProgress.SetPos(0);
}

void CPellucorView::OnTimer(UINT_PTR nIDEvent)
{
  if (nIDEvent == nRefillTimer) {
    KillTimer(nRefillTimer);
    FlushRefill();
    return;
  }
  if (nIDEvent == nStartTimer) {
    KillTimer(nStartTimer);
    if (m_run.m_bRunning) {
      // The seed is the run's own (taken at Go): the keyword box only shows it.
      m_aVisitHistory.Add(m_run.m_sKeyword);
      while (m_aVisitHistory.GetSize() > nVisitHistoryLimit) m_aVisitHistory.RemoveAt(0);
      OnFetchNextPage(0, 0);
    }
  }
  CBaseFormView::OnTimer(nIDEvent);
}

LRESULT CPellucorView::OnFetchNextPage(WPARAM, LPARAM)
{
  if (!m_run.m_bRunning) return 1;
  if (CGetSuggestionThread::Start(m_hWnd, m_run.m_nRunId, m_run.m_sKeyword, m_run.GetPageText(), m_sStatsHost) ==
      NULL) {
    // No thread, no page: the run ends as after a fetch that gave up.
    CHarvestStep step = TakeFetchedPage(m_run, szNotParsedPage);
    EndRun();
    AfxMessageBox(step.sMessage, step.nMessageType);
  }
  return 1;
}

LRESULT CPellucorView::OnSuggestionsFetched(WPARAM wParam, LPARAM lParam)
{
  // Both blocks are freed when the page goes, whatever happens to it.
  CFetchedPage page(wParam, lParam);
  // A page of an earlier run (restarted by Go) is dropped: it must neither
  // add rows to this run nor start a second chain of fetches.
  if (!m_run.m_bRunning || page.GetRunId() != m_run.m_nRunId) return 1;

  CHarvestStep step = TakeFetchedPage(m_run, page.GetPage());
  const bool bFetchNext = step.nAction == harvestFetchNextPage || step.nAction == harvestFetchNextSeed;
  // The next page is fetched while this one is listed and drawn: the run goes
  // at the pace of the fetches, not of the drawing. A page that brings a
  // message box starts the next fetch only once the box is closed.
  const bool bFetchNow = bFetchNext && step.sMessage.IsEmpty() && m_run.m_aPhrases.GetSize() > 0;
  if (bFetchNow) OnFetchNextPage(0, 0);
  if (step.nAction == harvestFetchNextSeed) m_wndKeyword.SetWindowText(m_run.m_sKeyword);
  if (step.nAction != harvestFetchFailed) {
    if (m_run.m_bRunning)
      RefillAfterPage();
    else
      FillResultsList();
  }
  if (step.nRunProgress >= 0) SetProgressQuietly(m_wndRunProgress, step.nRunProgress);
  if (step.EndsRun()) EndRun();
  // The wait cursor and the tray animation show until the page is in.
  StopWaitCursor();
  StopTrayAnimation();

  // The page bar stands at 60 while a page is handled and at 100 once it is
  // in; the 60 can only be seen while a box waits for the user. Without a
  // box the bar is left as it is: drawing it twice for every page costs a
  // good part of what fetching the page costs.
  const bool bNoSuggestions = step.nAction != harvestFetchFailed && m_run.m_aPhrases.GetSize() == 0;
  if (!step.sMessage.IsEmpty() || bNoSuggestions) SetProgressQuietly(m_wndPageProgress, 60);
  if (!step.sMessage.IsEmpty()) {
    if (step.sCaption.IsEmpty())
      AfxMessageBox(step.sMessage, step.nMessageType);
    else
      MessageBox(step.sMessage, step.sCaption, step.nMessageType);
  }
  if (bNoSuggestions) AfxMessageBox(szNoSuggestions);
  SetProgressQuietly(m_wndPageProgress, 100);

  if (bFetchNext && !bFetchNow) PostMessage(WM_FETCH_NEXT_PAGE);
  return 1;
}

bool CPellucorView::IsRunMessage(const MSG* pMsg)
{
  const bool bRunMessage = pMsg->message == WM_SUGGESTIONS_FETCHED || pMsg->message == WM_FETCH_NEXT_PAGE ||
                           (pMsg->message == WM_TIMER && pMsg->wParam == nRefillTimer);
  return bRunMessage && DYNAMIC_DOWNCAST(CPellucorView, CWnd::FromHandlePermanent(pMsg->hwnd)) != NULL;
}

void CPellucorView::EndRun()
{
  m_run.m_bRunning = false;
  KillTimer(nStartTimer);
  GetDlgItem(IDC_GO)->EnableWindow(TRUE);
  StopWaitCursor();
  StopTrayAnimation();
}

void CPellucorView::StopWaitCursor()
{
  if (m_bWaitCursor) {
    EndWaitCursor();
    m_bWaitCursor = false;
  }
}

CSystemTray* CPellucorView::GetTrayIcon()
{
  if (g_pMainFrame == NULL || g_pMainFrame->GetTrayIcon().GetSafeHwnd() == NULL) return NULL;
  return &g_pMainFrame->GetTrayIcon();
}

void CPellucorView::StartTrayAnimation()
{
  CSystemTray* pTray = GetTrayIcon();
  if (pTray == NULL) return;
  pTray->Animate(nTrayAnimationStep, -1);
  m_bTrayAnimating = true;
}

void CPellucorView::StopTrayAnimation()
{
  if (!m_bTrayAnimating) return;
  m_bTrayAnimating = false;
  if (CSystemTray* pTray = GetTrayIcon()) pTray->StopAnimation();
}

void CPellucorView::SetProgressQuietly(CProgressCtrl& progress, int nPos)
{
  if (progress.GetPos() == nPos) return;
  progress.SetRedraw(FALSE);
  progress.SetPos(nPos);
  progress.SetRedraw(TRUE);
  progress.Invalidate(FALSE);
}

void CPellucorView::RefillAfterPage()
{
  // Listing rows sets the list's scroll bars and header again, which under
  // Wine costs more than fetching a page, however many rows there are: the
  // pages of a tenth of a second share one refill, and on a busy machine,
  // where a refill takes longer, the refills are spaced so that they take
  // no more than a twentieth of the thread's time, yet come every second.
  DWORD dwInterval = m_dwRefillCost * nRefillShare;
  if (dwInterval < (DWORD)nRefillInterval) dwInterval = nRefillInterval;
  if (dwInterval > (DWORD)nRefillIntervalMax) dwInterval = nRefillIntervalMax;
  const DWORD dwNow = ::GetTickCount();
  if (dwNow - m_dwLastRefill >= dwInterval) {
    FillResultsList();
    return;
  }
  if (!m_bRefillDue) {
    m_bRefillDue = true;
    SetTimer(nRefillTimer, dwInterval - (dwNow - m_dwLastRefill), NULL);
  }
}

void CPellucorView::FlushRefill()
{
  if (m_bRefillDue) FillResultsList();
}

void CPellucorView::FillResultsList()
{
  if (m_bRefillDue) {
    m_bRefillDue = false;
    KillTimer(nRefillTimer);
  }
  const DWORD dwStart = ::GetTickCount();
  m_bListFilling = true;
  int n = (int)(m_run.m_aPhrases.GetSize() < m_run.m_aQueries.GetSize() ? m_run.m_aPhrases.GetSize()
                                                                         : m_run.m_aQueries.GetSize());
  // Rows only ever come after the ones shown, until a new run empties the
  // list: the rows already shown are neither touched nor drawn again.
  bool bGrowing = n >= m_nRowsShown;
  m_nRowsShown = n;
  m_wndResults.SetItemCountEx(n, bGrowing ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : 0);
  if (!bGrowing) m_wndResults.Invalidate(FALSE);
  m_wndResults.EnableWindow(n > 0);
  m_bListFilling = false;
  m_dwLastRefill = ::GetTickCount();
  m_dwRefillCost = m_dwLastRefill - dwStart;
}

void CPellucorView::OnStop()
{
  // Taken when the next page arrives.
  m_run.m_bStopRequested = true;
}

void CPellucorView::OnBack()
{
  CString sText;
  m_wndKeyword.GetWindowText(sText);
  while (m_aVisitHistory.GetSize() > 0) {
    INT_PTR nLast = m_aVisitHistory.GetSize() - 1;
    if (m_aVisitHistory[nLast] == sText) {
      m_aVisitHistory.RemoveAt(nLast);
      continue;
    }
    m_wndKeyword.SetWindowText(m_aVisitHistory[nLast]);
    break;
  }
}

BASKET_OPTIONS CPellucorView::GetBasketOptions()
{
  BASKET_OPTIONS options;
  options.bSort = ReadProfileKey(AfxGetApp(), profileSortBasket) != 0;
  options.bDedupe = ReadProfileKey(AfxGetApp(), profileDedupeBasket) != 0;
  return options;
}

void CPellucorView::OnSettings()
{
  if (m_run.m_bRunning) {
    MessageBox(szSettingsRefused, szWarningCaption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  BASKET_OPTIONS options = GetBasketOptions();
  CSettingsDialog dlg(options.bDedupe ? 1 : 0, options.bSort ? 1 : 0, m_run.m_nDigMode, m_run.m_nLevelsLimit,
                      m_run.m_nPagesLimit, this);
  if (dlg.DoModal() != IDOK) return;
  m_run.m_nPagesLimit = dlg.m_nPages;
  m_run.m_nDigMode = (short)dlg.m_nDigMode;
  m_run.m_nLevelsLimit = dlg.m_nLevels;
  WriteProfileKey(AfxGetApp(), profileSortBasket, dlg.m_bSortBasket ? 1 : 0);
  WriteProfileKey(AfxGetApp(), profileDedupeBasket, dlg.m_bDedupeBasket ? 1 : 0);
}

BOOL CPellucorView::PreTranslateMessage(MSG* pMsg)
{
  // Enter starts a run from anywhere in the form but the Basket box, where it
  // starts a new line.
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && GetKeyState(VK_SHIFT) >= 0 &&
      GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) && pMsg->hwnd != m_wndBasket.m_hWnd) {
    OnGo();
    return TRUE;
  }
  return CBaseFormView::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// The result list
// ---------------------------------------------------------------------------

void CPellucorView::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
  LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(pNMHDR)->item;
  *pResult = 0;
  const int nRow = item.iItem;
  if (nRow < 0 || nRow >= m_nRowsShown || nRow >= m_run.m_aPhrases.GetSize() ||
      nRow >= m_run.m_aQueries.GetSize())
    return;
  if ((item.mask & LVIF_TEXT) && item.pszText != NULL && item.cchTextMax > 0) {
    LPCSTR pszText = item.iSubItem == 0 ? (LPCSTR)m_run.m_aPhrases[nRow]
                     : item.iSubItem == 1 ? (LPCSTR)m_run.m_aQueries[nRow]
                                          : "";
    lstrcpynA(item.pszText, pszText, item.cchTextMax);
  }
  if (item.mask & LVIF_STATE) {
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(IsRowInBasket(nRow) ? 2 : 1);
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

void CPellucorView::OnResultsClick(NMHDR* pNMHDR, LRESULT* pResult)
{
  // A virtual list keeps no check state: a click on a row's check box is the
  // view's to turn into a tick or an untick.
  *pResult = 0;
  LVHITTESTINFO hit = {};
  hit.pt = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->ptAction;
  if (m_wndResults.SubItemHitTest(&hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) ToggleRow(hit.iItem);
}

void CPellucorView::OnResultsDblClick(NMHDR* pNMHDR, LRESULT* pResult)
{
  // The second click of a double click on a check box ticks it again;
  // anywhere else a double click starts a run.
  *pResult = 0;
  LVHITTESTINFO hit = {};
  hit.pt = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->ptAction;
  if (m_wndResults.SubItemHitTest(&hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON))
    ToggleRow(hit.iItem);
  else
    OnGo();
}

void CPellucorView::OnResultsKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
  *pResult = 0;
  if (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey != VK_SPACE) return;
  int nRow = m_wndResults.GetNextItem(-1, LVNI_FOCUSED);
  if (nRow < 0) nRow = m_wndResults.GetNextItem(-1, LVNI_SELECTED);
  if (nRow >= 0) ToggleRow(nRow);
}

void CPellucorView::OnResultsItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
  // Only selection reaches here (check boxes are drawn from the Basket): the
  // selected row's phrase goes into the keyword box. A run keeps its own
  // seed, so this never changes what a run fetches.
  *pResult = 0;
  const NMLISTVIEW* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
  if (m_bListFilling || pInfo->iItem < 0 || pInfo->iItem >= m_nRowsShown || !(pInfo->uChanged & LVIF_STATE))
    return;
  if ((pInfo->uNewState & LVIS_SELECTED) && !(pInfo->uOldState & LVIS_SELECTED))
    m_wndKeyword.SetWindowText(m_run.m_aPhrases[pInfo->iItem]);
}

CString CPellucorView::GetRowBasketLine(int nRow) const
{
  return MakeBasketLine(m_run.m_aPhrases[nRow], m_run.m_aQueries[nRow]);
}

bool CPellucorView::IsRowInBasket(int nRow)
{
  if (m_bBasketSetStale) BuildBasketSet();
  const CString sLine = GetRowBasketLine(nRow);
  if (m_setUnticked.count(sLine) != 0) return false;
  return m_setTicked.count(sLine) != 0 || m_basketSet.Contains(sLine);
}

namespace {

// A line that normalising leaves as it is: not empty, no line break, no tab,
// no two spaces in a row.
bool IsNormalLine(LPCSTR p, int n)
{
  if (n <= 0) return false;
  for (int i = 0; i < n; i++) {
    if (p[i] == '\r' || p[i] == '\n' || p[i] == '\t') return false;
    if (p[i] == ' ' && i + 1 < n && p[i + 1] == ' ') return false;
  }
  return true;
}

// A Basket text whose lines are exactly its normalised lines: normal lines
// joined by CR LF, no empty line, nothing after the last.
bool IsNormalBasketText(const CString& sText)
{
  LPCSTR p = sText;
  const int n = sText.GetLength();
  if (n == 0) return true;
  int nStart = 0;
  for (;;) {
    LPCSTR pBreak = static_cast<LPCSTR>(memchr(p + nStart, '\r', (size_t)(n - nStart)));
    const int nEnd = pBreak != NULL ? (int)(pBreak - p) : n;
    if (!IsNormalLine(p + nStart, nEnd - nStart)) return false;
    if (pBreak == NULL) return true;
    if (nEnd + 1 >= n || p[nEnd + 1] != '\n') return false;
    nStart = nEnd + 2;
  }
}

}  // namespace

void CPellucorView::BuildBasketSet()
{
  const CString& sText = GetBasketText();
  m_basketSet.SetText(sText);
  m_bBasketSetExact = IsNormalBasketText(sText);
  m_setTicked.clear();
  m_setUnticked.clear();
  m_bBasketSetStale = false;
}

// ---------------------------------------------------------------------------
// The Basket
// ---------------------------------------------------------------------------

LRESULT CPellucorView::OnLoadBasket(WPARAM, LPARAM)
{
  if (m_bBasketLoadDue) LoadBasket();
  return 1;
}

CString CPellucorView::GetBasketText() const
{
  if (m_bBasketLoadDue) const_cast<CPellucorView*>(this)->LoadBasket();
  if (!m_bBasketTextValid) {
    m_sBasketText.Empty();
    if (m_wndBasket.m_hWnd != NULL) m_wndBasket.GetWindowText(m_sBasketText);
    m_bBasketTextValid = m_wndBasket.m_hWnd != NULL;
  }
  return m_sBasketText;
}

void CPellucorView::GetBasketLines(CStringArray& aLines) const
{
  aLines.RemoveAll();
  CutBasketText(GetBasketText(), aLines);
}

void CPellucorView::LoadBasket()
{
  m_bBasketLoadDue = false;
  CString sText;
  LoadBasketFile(m_sBasketPath, sText);   // a Basket that cannot be read starts empty
  m_bSettingBasket = true;
  m_wndBasket.SetWindowText(sText);
  m_bSettingBasket = false;
  m_bBasketTextValid = false;
  m_bBasketEditedByHand = false;
  m_bBasketSetStale = true;
  m_wndResults.Invalidate(FALSE);
}

void CPellucorView::ToggleRow(int nRow)
{
  if (nRow < 0 || nRow >= m_nRowsShown) return;
  const bool bTicked = IsRowInBasket(nRow);
  const CString sBox = GetBasketText();
  const CString sLine = GetRowBasketLine(nRow);
  const BASKET_OPTIONS options = GetBasketOptions();
  const bool bSetExact = m_bBasketSetExact && !m_bBasketSetStale;
  ChangeBasket(sBox, bTicked ? RemoveFromBasket(sBox, sLine, options) : AddToBasket(sBox, sLine, options));
  // Lines that need no normalising stay as they are: the Basket's lines
  // differ from before by this one line alone.
  if (bSetExact && IsNormalLine(sLine, sLine.GetLength())) {
    if (bTicked) {
      m_setTicked.erase(sLine);
      m_setUnticked.insert(sLine);
    } else {
      m_setUnticked.erase(sLine);
      m_setTicked.insert(sLine);
    }
    m_bBasketSetStale = false;
    // Only rows with this line change their check box.
    const int nTop = m_wndResults.GetTopIndex();
    const int nEnd = nTop + m_wndResults.GetCountPerPage() + 1;
    for (int i = nTop; i <= nEnd && i < m_nRowsShown; i++)
      if (i == nRow || GetRowBasketLine(i) == sLine) m_wndResults.RedrawItems(i, i);
  } else {
    m_wndResults.Invalidate(FALSE);
  }
}

namespace {

// The Basket lines of rows, each once, in row order: those that are in the
// Basket (bInBasket) or those that are not.
template <class TIsIn, class TLine, class TTake>
void CollectRowLines(int nRows, bool bInBasket, TIsIn isIn, TLine line, TTake take, CStringArray& aLines)
{
  std::unordered_set<CString, CStringHash> seen;
  for (int i = 0; i < nRows; i++) {
    if (!take(i) || isIn(i) != bInBasket) continue;
    CString sLine = line(i);
    if (seen.insert(sLine).second) aLines.Add(sLine);
  }
}

}  // namespace

void CPellucorView::OnCheckAll()
{
  FlushRefill();
  // All rows at once give the Basket that ticking the unticked rows one by
  // one gives, at the cost of one change of the box and one write.
  CStringArray aLines;
  CollectRowLines(
      m_nRowsShown, false, [this](int i) { return IsRowInBasket(i); }, [this](int i) { return GetRowBasketLine(i); },
      [](int) { return true; }, aLines);
  if (aLines.GetSize() == 0) return;
  const CString sBox = GetBasketText();
  ChangeBasket(sBox, AddLinesToBasket(sBox, aLines, GetBasketOptions()));
  m_wndResults.Invalidate(FALSE);
}

void CPellucorView::OnUncheckAll()
{
  FlushRefill();
  CStringArray aLines;
  CollectRowLines(
      m_nRowsShown, true, [this](int i) { return IsRowInBasket(i); }, [this](int i) { return GetRowBasketLine(i); },
      [](int) { return true; }, aLines);
  if (aLines.GetSize() == 0) return;
  const CString sBox = GetBasketText();
  ChangeBasket(sBox, RemoveLinesFromBasket(sBox, aLines, GetBasketOptions()));
  m_wndResults.Invalidate(FALSE);
}

void CPellucorView::OnCheckCustom()
{
  CBaseInputStringDlg dlg("", szCheckCustomCaption, IDD_INPUT_STRING, NULL);
  if (dlg.DoModal() != IDOK) return;
  FlushRefill();
  CStringArray aWords;
  SplitCustomWords(dlg.m_strResult, aWords);
  if (aWords.GetSize() == 0) return;

  CStringArray aLines;
  CollectRowLines(
      m_nRowsShown, false, [this](int i) { return IsRowInBasket(i); }, [this](int i) { return GetRowBasketLine(i); },
      [this, &aWords](int i) { return PhraseContainsAnyWord(m_run.m_aPhrases[i], aWords); }, aLines);
  if (aLines.GetSize() == 0) return;
  const CString sBox = GetBasketText();
  ChangeBasket(sBox, AddLinesToBasket(sBox, aLines, GetBasketOptions()));
  m_wndResults.Invalidate(FALSE);
}

void CPellucorView::ChangeBasket(const CString& sOldText, const CString& sNewText)
{
  SetBasketBoxText(sOldText, sNewText);
  m_sBasketText = sNewText;
  m_bBasketTextValid = true;
  // "Basket.txt" is replaced only by a whole new file; should that fail, the
  // old file stays and the box keeps the new text.
  SaveBasketFile(m_sBasketPath, sNewText);
  m_bBasketEditedByHand = false;
  m_bBasketSetStale = true;
}

void CPellucorView::SetBasketBoxText(const CString& sOld, const CString& sNew)
{
  if (sOld == sNew) return;
  // The part that changed, widened to whole lines: a tick changes one line,
  // and an edit box takes far longer to lay out a whole Basket again than to
  // replace a few lines of it.
  const int nOld = sOld.GetLength();
  const int nNew = sNew.GetLength();
  const LPCSTR pOld = sOld;
  const LPCSTR pNew = sNew;
  const int nCommon = nOld < nNew ? nOld : nNew;
  const int nBlock = 4096;
  int nPrefix = 0;
  while (nPrefix + nBlock <= nCommon && memcmp(pOld + nPrefix, pNew + nPrefix, nBlock) == 0) nPrefix += nBlock;
  while (nPrefix < nCommon && pOld[nPrefix] == pNew[nPrefix]) nPrefix++;
  while (nPrefix > 0 && pOld[nPrefix - 1] != '\n') nPrefix--;
  int nSuffix = 0;
  while (nSuffix + nBlock <= nCommon - nPrefix &&
         memcmp(pOld + nOld - nSuffix - nBlock, pNew + nNew - nSuffix - nBlock, nBlock) == 0)
    nSuffix += nBlock;
  while (nSuffix < nCommon - nPrefix && pOld[nOld - 1 - nSuffix] == pNew[nNew - 1 - nSuffix]) nSuffix++;
  while (nSuffix > 0 && pOld[nOld - nSuffix - 1] != '\n') nSuffix--;
  const int nOldPart = nOld - nPrefix - nSuffix;
  const int nNewPart = nNew - nPrefix - nSuffix;

  m_bSettingBasket = true;
  if (2 * (nOldPart + nNewPart) > nOld + nNew) {
    m_wndBasket.SetWindowText(sNew);
  } else {
    const int nFirstLine = m_wndBasket.GetFirstVisibleLine();
    int nSelStart = 0, nSelEnd = 0;
    m_wndBasket.GetSel(nSelStart, nSelEnd);
    m_wndBasket.SetRedraw(FALSE);
    m_wndBasket.SetSel(nPrefix, nPrefix + nOldPart, TRUE);
    m_wndBasket.ReplaceSel(sNew.Mid(nPrefix, nNewPart), FALSE);
    // The box stays where the user left it.
    const int nShift = nNewPart - nOldPart;
    if (nSelStart >= nPrefix + nOldPart) nSelStart += nShift;
    if (nSelEnd >= nPrefix + nOldPart) nSelEnd += nShift;
    if (nSelStart > nNew) nSelStart = nNew;
    if (nSelEnd > nNew) nSelEnd = nNew;
    m_wndBasket.SetSel(nSelStart, nSelEnd, TRUE);
    m_wndBasket.LineScroll(nFirstLine - m_wndBasket.GetFirstVisibleLine());
    m_wndBasket.SetRedraw(TRUE);
    m_wndBasket.Invalidate(FALSE);
  }
  m_bSettingBasket = false;
}

void CPellucorView::OnBasketChange()
{
  // The view's own changes keep the text and the set up to date themselves.
  if (m_bSettingBasket) return;
  m_bBasketTextValid = false;
  m_bBasketSetStale = true;
  m_bBasketEditedByHand = true;
}

BOOL CPellucorView::PutTextOnClipboard(CWnd* pOwner, LPCSTR pszText, int nLength)
{
  // The text and two zero bytes.
  HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)nLength + 2);
  if (hText == NULL) return FALSE;
  char* p = static_cast<char*>(::GlobalLock(hText));
  memcpy(p, pszText, (size_t)nLength);
  p[nLength] = p[nLength + 1] = 0;
  ::GlobalUnlock(hText);

  // Another program may hold the clipboard for a moment.
  BOOL bOpen = FALSE;
  for (int nTry = 0; nTry < 20 && !(bOpen = ::OpenClipboard(pOwner->GetSafeHwnd())); nTry++) ::Sleep(10);
  if (!bOpen) {
    ::GlobalFree(hText);
    return FALSE;
  }
  ::EmptyClipboard();
  BOOL bDone = ::SetClipboardData(CF_TEXT, hText) != NULL;
  if (!bDone) ::GlobalFree(hText);
  ::CloseClipboard();
  return bDone;
}

void CPellucorView::OnCopyBasket()
{
  CString sText = GetBasketText();
  PutTextOnClipboard(this, sText, sText.GetLength());
}

void CPellucorView::OnSaveBasketToFile()
{
  CString sFilter = CFileDialogST::MakeFilter(szSaveFilter);
  CFileDialogST dlg(FALSE, "txt", "Basket", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, sFilter, this);
  if (dlg.DoModal() != IDOK) return;
  CString sText = GetBasketText();
  try {
    CFileHandle file(dlg.GetPathName());
    file.OpenForWrite();
    file.WriteBuffer((LPCSTR)sText, (DWORD)sText.GetLength());
    file.Close();
  } catch (const CString& sError) {
    MessageBox(sError, szSaveFailedCaption, MB_OK | MB_ICONERROR);
  }
}

// ---------------------------------------------------------------------------
// The rest of the form
// ---------------------------------------------------------------------------

void CPellucorView::OnGetNewVersion()
{
  s_pfnOpenAddress(m_hWnd, "open", PELLUCOR_NEW_VERSION_URL, NULL, NULL, SW_SHOWNORMAL);
}

void CPellucorView::OnHelpSite()
{
  s_pfnOpenAddress(m_hWnd, "open", PELLUCOR_HELP_URL, NULL, NULL, SW_SHOWNORMAL);
}

void CPellucorView::OnExit()
{
  DoExit();
}

void CPellucorView::OnGeneralSettings()
{
  CGeneralSettingsDlg dlg(this);
  dlg.DoModal();
}

void CPellucorView::OnDestroy()
{
  KillTimer(nStartTimer);
  StopWaitCursor();
  StopTrayAnimation();
  // Lines typed into the Basket box are kept as well as those ticked.
  if (m_bBasketEditedByHand) SaveBasketFile(m_sBasketPath, GetBasketText());
  m_bBasketEditedByHand = false;
  CBaseFormView::OnDestroy();
}
