#include "MainFrame.h"

#include "BCMenu.h"
#include "BasedApp.h"
#include "ErrorReaderDlg.h"
#include "ExportAndCopy.h"
#include "ExportFormats.h"
#include "MailMsg.h"
#include "PellucorView.h"
#include "SettingsDialog.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CBasedMainFrame)

CMainFrame* g_pMainFrame = NULL;

namespace {

const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// Indexes of the drop-down buttons on the Copy and Export bar.
const int nExportButton = 9;
const int nCopyButton = 10;

const int nMinSaveMinutes = 1;
// The largest whole number of minutes whose milliseconds fit in 31 bits.
const int nMaxSaveMinutes = 35791;

// The support mail: handed to the user's mail program, which shows it.
BOOL SendSupportMail(LPCSTR pszTo, LPCSTR pszSubject, LPCSTR pszBody)
{
  CMailMsg mail;
  mail.SetSubject(pszSubject);
  mail.SetMessage(pszBody);
  mail.AddRecipient(pszTo, "");
  return mail.Send();
}

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CBasedMainFrame)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_TIMER()
  ON_NOTIFY(TBN_DROPDOWN, IDR_COPY_EXPORT_BAR, &CMainFrame::OnDropDown)
  ON_COMMAND(ID_EXPORT_DROPDOWN, &CMainFrame::OnDropDownFace)
  ON_UPDATE_COMMAND_UI(ID_EXPORT_DROPDOWN, &CMainFrame::OnUpdateDropDownFace)
  ON_COMMAND(ID_COPY_DROPDOWN, &CMainFrame::OnDropDownFace)
  ON_UPDATE_COMMAND_UI(ID_COPY_DROPDOWN, &CMainFrame::OnUpdateDropDownFace)
  ON_COMMAND(ID_SERVICE_SETTINGS, &CMainFrame::OnSettings)
  ON_COMMAND(ID_PROGRAM_SETTINGS, &CMainFrame::OnProgramSettings)
  ON_COMMAND(ID_ERROR_READER, &CMainFrame::OnErrorReader)
  ON_COMMAND(ID_EXPORT_TOHTMLFILE, &CMainFrame::OnExportTohtmlfile)
  ON_COMMAND(ID_EXPORT_TOTEXTFILE, &CMainFrame::OnExportTotextfile)
  ON_COMMAND(ID_EXPORT_TOMETATAG, &CMainFrame::OnExportTometatag)
  ON_COMMAND(ID_EXPORT_TOCSVFILE, &CMainFrame::OnExportTocsvfile)
  ON_COMMAND(ID_EXPORT_TOEXCEL, &CMainFrame::OnExportToexcel)
  ON_COMMAND(ID_EXPORT_ADWORDS_BROADMATCH, &CMainFrame::OnExportToAdwordsBroadMatch)
  ON_COMMAND(ID_EXPORT_ADWORDS_PHRASEMATCH, &CMainFrame::OnExportTotAdwordsPhraseMatch)
  ON_COMMAND(ID_EXPORT_ADWORDS_EXACTMATCH, &CMainFrame::OnExportToAdwordsExactMatch)
  ON_COMMAND(ID_COPY_ASTEXT, &CMainFrame::OnCopyAsText)
  ON_COMMAND(ID_COPY_ASHTMLTABLE, &CMainFrame::OnCopyAsHtmlTable)
  ON_COMMAND(ID_COPY_ASCOMMALIST, &CMainFrame::OnCopyAsCommaList)
  ON_COMMAND(ID_COPY_ASMETATAG, &CMainFrame::OnCopyAsMetaTag)
  ON_COMMAND(ID_COPY_ADWORDS_BROADMATCH, &CMainFrame::OnCopyAdwordsBroadMatch)
  ON_COMMAND(ID_COPY_ADWORDS_PHRASEMATCH, &CMainFrame::OnCopyAdwordsPhraseMatch)
  ON_COMMAND(ID_COPY_ADWORDS_EXACTMATCH, &CMainFrame::OnCopyAdwordsExactMatch)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
  m_nIDTrayMenu = IDR_TRAY;
  m_nImageSize = 16;
  if (CBasedMainFrame::s_pfnSendMail == NULL) CBasedMainFrame::s_pfnSendMail = SendSupportMail;
  g_pMainFrame = this;
}

CMainFrame::~CMainFrame()
{
  if (g_pMainFrame == this) g_pMainFrame = NULL;
}

// The caption is the program's name alone, whatever document is open.
BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
  if (!CBasedMainFrame::PreCreateWindow(cs)) return FALSE;
  cs.style = WS_OVERLAPPEDWINDOW;
  cs.lpszName = "Pellucor";
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(indicators, sizeof indicators / sizeof indicators[0]))
    return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  if (CBasedMainFrame::OnCreate(lpCreateStruct) == -1) return -1;
  ShowControlBar(&m_wndToolBar, FALSE, FALSE);
  if (m_wndReBar.GetSafeHwnd() != NULL) m_wndReBar.ShowWindow(SW_HIDE);
  CreateCopyExportBar();  // a frame without it still works through the menu
  ShowWindow(SW_SHOW);
  SetForegroundWindow();
  SetFocus();
  StartAutoSaveTimer();
  return 0;
}

BOOL CMainFrame::CreateCopyExportBar()
{
  if (!m_wndCopyExportBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_GRIPPER |
                                       CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY |
                                       CBRS_SIZE_DYNAMIC,
                                   CRect(0, 0, 0, 0), IDR_COPY_EXPORT_BAR) ||
      !m_wndCopyExportBar.LoadToolBar(IDR_COPY_EXPORT_BAR))
    return FALSE;
  m_wndCopyExportBar.LoadToolBarImages(IDR_COPY_EXPORT_BAR, RGB(255, 0, 255), 16);
  m_wndCopyExportBar.GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
  // The two labelled buttons size themselves to their text: at the bar's
  // 35-pixel button width "Export" and "Copy" would be cut to "...".
  m_wndCopyExportBar.SetButtonStyle(nExportButton, TBSTYLE_DROPDOWN | BTNS_SHOWTEXT | BTNS_AUTOSIZE);
  m_wndCopyExportBar.SetButtonStyle(nCopyButton, TBSTYLE_DROPDOWN | BTNS_SHOWTEXT | BTNS_AUTOSIZE);
  m_wndCopyExportBar.SetButtonText(nCopyButton, "Copy");
  m_wndCopyExportBar.SetButtonText(nExportButton, "Export");
  m_wndCopyExportBar.SetHeight(24);
  m_wndCopyExportBar.SetSizes(CSize(35, 24), CSize(16, 16));
  RecalcLayout();
  return TRUE;
}

// Without the framework's application object the interval is the profile's
// default.
void CMainFrame::StartAutoSaveTimer()
{
  CBasedApp* pApp = GetBasedApp();
  RestartAutoSaveTimer(pApp != NULL ? pApp->m_iSaveTime : 10);
}

void CMainFrame::RestartAutoSaveTimer(int nMinutes)
{
  KillTimer(nAutoSaveTimer);
  m_nAutoSavePeriod = AutoSavePeriod(nMinutes);
  SetTimer(nAutoSaveTimer, m_nAutoSavePeriod, NULL);
}

UINT CMainFrame::AutoSavePeriod(int nMinutes)
{
  if (nMinutes < nMinSaveMinutes) nMinutes = nMinSaveMinutes;
  if (nMinutes > nMaxSaveMinutes) nMinutes = nMaxSaveMinutes;
  return (UINT)nMinutes * 60000u;
}

BOOL CMainFrame::AutoSaveDocument(CDocument* pDoc)
{
  if (pDoc == NULL) return FALSE;
  try {
    if (!pDoc->IsModified()) return FALSE;
    CString sPath = pDoc->GetPathName();
    if (sPath.IsEmpty()) return FALSE;
    return pDoc->OnSaveDocument(sPath);
  } catch (...) {
    return FALSE;
  }
}

void CMainFrame::OnClose()
{
  KillTimer(nAutoSaveTimer);
  CBasedMainFrame::OnClose();
}

// Auto-save off (or no framework application to say it is on) stops the timer.
void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
  if (nIDEvent == nAutoSaveTimer) {
    CBasedApp* pApp = GetBasedApp();
    if (pApp != NULL && pApp->m_bAutoSaveEnable)
      AutoSaveDocument(GetActiveDocument());
    else
      KillTimer(nAutoSaveTimer);
  }
  CBasedMainFrame::OnTimer(nIDEvent);
}

// Only the arrow of a drop-down button opens its menu; its face does nothing.
void CMainFrame::OnDropDown(NMHDR* pNotifyStruct, LRESULT* pResult)
{
  *pResult = TBDDRET_DEFAULT;
  NMTOOLBAR* pToolBar = (NMTOOLBAR*)pNotifyStruct;
  UINT nMenu;
  int nButton;
  if (pToolBar->iItem == ID_COPY_DROPDOWN) {
    nMenu = IDR_COPY_MENU;
    nButton = nCopyButton;
  } else if (pToolBar->iItem == ID_EXPORT_DROPDOWN) {
    nMenu = IDR_EXPORT_MENU;
    nButton = nExportButton;
  } else {
    return;
  }
  CRect rc;
  m_wndCopyExportBar.GetItemRect(nButton, &rc);
  m_wndCopyExportBar.ClientToScreen(&rc);
  BCMenu menu;
  if (!menu.LoadMenu(nMenu)) return;
  CMenu* pPopup = menu.GetSubMenu(0);
  if (pPopup != NULL) pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom, this);
  menu.DestroyMenu();
}

void CMainFrame::OnSettings()
{
  CPellucorView* pView = GetPellucorView();
  if (pView != NULL) pView->OnSettings();
}

// The harvest settings with their defaults: what the user picks here is not
// applied anywhere (the view's own Settings command is the one that counts).
void CMainFrame::OnProgramSettings()
{
  CSettingsDialog dlg(this);
  dlg.DoModal();
}

void CMainFrame::OnErrorReader()
{
  CErrorReaderDlg dlg(this);
  dlg.DoModal();
}

CPellucorView* CMainFrame::GetPellucorView() const
{
  return DYNAMIC_DOWNCAST(CPellucorView, GetActiveView());
}

void CMainFrame::ExportBasketAs(int nFormat)
{
  CPellucorView* pView = GetPellucorView();
  if (pView == NULL) return;
  // The writer gets its own copy of the lines, cut from the box as it is now.
  CStringArray aLines;
  pView->GetBasketLines(aLines);
  ExportBasket(this, nFormat, aLines);
}

void CMainFrame::CopyBasketAs(int nFormat)
{
  CPellucorView* pView = GetPellucorView();
  if (pView == NULL) return;
  CStringArray aLines;
  pView->GetBasketLines(aLines);
  CString sText = BuildCopyText(nFormat, aLines);
  if (sText.IsEmpty()) return;
  CPellucorView::PutTextOnClipboard(this, sText, sText.GetLength());
}

void CMainFrame::OnExportTohtmlfile() { ExportBasketAs(exportHtmlTable); }
void CMainFrame::OnExportTotextfile() { ExportBasketAs(exportTextList); }
void CMainFrame::OnExportTometatag() { ExportBasketAs(exportMetaTag); }
void CMainFrame::OnExportTocsvfile() { ExportBasketAs(exportCsv); }
void CMainFrame::OnExportToexcel() { ExportBasketAs(exportExcel); }
void CMainFrame::OnExportToAdwordsBroadMatch() { ExportBasketAs(exportBroadMatch); }
void CMainFrame::OnExportTotAdwordsPhraseMatch() { ExportBasketAs(exportPhraseMatch); }
void CMainFrame::OnExportToAdwordsExactMatch() { ExportBasketAs(exportExactMatch); }

void CMainFrame::OnCopyAsText() { CopyBasketAs(exportTextList); }
void CMainFrame::OnCopyAsHtmlTable() { CopyBasketAs(exportHtmlTable); }
void CMainFrame::OnCopyAsCommaList() { CopyBasketAs(exportCsv); }
void CMainFrame::OnCopyAsMetaTag() { CopyBasketAs(exportMetaTag); }
void CMainFrame::OnCopyAdwordsBroadMatch() { CopyBasketAs(exportBroadMatch); }
void CMainFrame::OnCopyAdwordsPhraseMatch() { CopyBasketAs(exportPhraseMatch); }
void CMainFrame::OnCopyAdwordsExactMatch() { CopyBasketAs(exportExactMatch); }
