#include "MainFrame.h"

#include "ExportAndCopy.h"
#include "ExportFormats.h"
#include "PellucorView.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_CREATE()
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

static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_wndStatusBar.Create(this) ||
      !m_wndStatusBar.SetIndicators(indicators, sizeof indicators / sizeof indicators[0]))
    return -1;
  return 0;
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
