// GridReports.cpp - the grid's HTML and comma-separated reports.
#include "GridReports.h"

#include "BasedApp.h"
#include "FileDialogST.h"
#include "FrameworkUtils.h"
#include "GridCtrl.h"
#include "ProgressBar.h"

namespace {

// What an empty cell shows in the HTML report.
const char szEmptyHtmlCell[] = "___________";
const char szNoData[] = "Empty";

// One write of the whole text; the user is told when the file cannot be
// created or written.
BOOL WriteReportFile(LPCTSTR lpszPath, const CString& strText)
{
    CStdioFile file;
    CFileException error;
    if (!file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite | CFile::typeText, &error)) {
        WarningMessage("Cannot create the report file \"" + CString(lpszPath) +
                       "\". Check that its folder exists and that the file is not read-only or open elsewhere.");
        return FALSE;
    }
    try {
        file.Write((LPCTSTR)strText, (UINT)strText.GetLength());
        file.Close();
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        WarningMessage("Cannot write the report file \"" + CString(lpszPath) + "\".");
        return FALSE;
    }
    return TRUE;
}

void OpenWithShell(LPCTSTR lpszPath)
{
    ::ShellExecuteA(NULL, "open", lpszPath, "", "", SW_SHOW);
}

}  // namespace

CString BuildHtmlReport(CGridCtrl& grid, LPCTSTR lpszTitle, CProgressBar* pProgress)
{
    CString strHead = "<center><h3>" + EscapeText(lpszTitle, textEscapeHtml) + "</h3><p>";
    const int nRows = grid.GetRowCount();
    const int nColumns = grid.GetColumnCount();
    CString strBody;
    if (nRows > 1) {
        strBody = "<p><table border=1 width=80%><tr><th colspan=10></th></tr><tr>";
        for (int c = 0; c < nColumns; ++c)
            strBody += "<th>" + EscapeText(grid.GetItemText(0, c), textEscapeHtml) + "</th>";
        strBody += "</tr>";
        for (int r = 1; r < nRows; ++r) {
            if (pProgress != NULL) {
                int nPercent = (int)((double)r / (double)nRows * 100.0);
                pProgress->SetText(FormatInteger(nPercent, FALSE) + "% - generate html report file");
                pProgress->SetPos(nPercent);
            }
            strBody += "<tr>";
            for (int c = 0; c < nColumns; ++c) {
                CString strCell = grid.GetItemText(r, c);
                strBody += "<td>" + (strCell.IsEmpty() ? CString(szEmptyHtmlCell) : EscapeText(strCell, textEscapeHtml)) +
                           "</td>";
            }
            strBody += "</tr>";
        }
        strBody += "</table>";
    } else {
        strBody = szNoData;
    }
    return strHead + strBody + "</center>";
}

CString BuildCsvReport(CGridCtrl& grid)
{
    const int nRows = grid.GetRowCount();
    const int nColumns = grid.GetColumnCount();
    if (nRows <= 1)
        return szNoData;
    CString strText;
    for (int r = 0; r < nRows; ++r) {
        for (int c = 0; c < nColumns; ++c) {
            if (c > 0)
                strText += ",";
            strText += QuoteCsvField(grid.GetItemText(r, c));
        }
        strText += r == 0 ? "\n\n" : "\n";
    }
    return strText;
}

BOOL GenerateHtmlReport(LPCTSTR lpszPath, CGridCtrl& grid, LPCTSTR lpszTitle, CProgressBar* pProgress, BOOL bOpen)
{
    if (pProgress != NULL)
        pProgress->ShowWindow(SW_SHOW);
    BOOL bWritten;
    {
        CWaitCursor wait;
        bWritten = WriteReportFile(lpszPath, BuildHtmlReport(grid, lpszTitle, pProgress));
        if (bWritten && bOpen)
            OpenWithShell(lpszPath);
    }
    if (pProgress != NULL) {
        pProgress->SetText("Done");
        pProgress->ShowWindow(SW_HIDE);
    }
    return bWritten;
}

BOOL ExportGridToCsv(LPCTSTR lpszPath, CGridCtrl& grid)
{
    CString strPath(lpszPath != NULL ? lpszPath : "");
    if (strPath.IsEmpty()) {
        CString strFilter = CFileDialogST::MakeFilter("CSV files\n*.csv\nAll files\n*.*\n");
        CFileDialogST dlg(FALSE, NULL, NULL, OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT, strFilter,
                          grid.GetSafeHwnd() != NULL ? &grid : NULL);
        dlg.m_ofn.lpstrTitle = "Select target file";
        if (dlg.DoModal() != IDOK)
            return FALSE;
        strPath = dlg.GetPathName();
    }
    CWaitCursor wait;
    if (!WriteReportFile(strPath, BuildCsvReport(grid)))
        return FALSE;
    OpenWithShell(strPath);
    return TRUE;
}

int SelectGridRow(int nRow, CGridCtrl& grid)
{
    const int nFixedRows = grid.GetFixedRowCount();
    const int nRows = grid.GetRowCount();
    if (nFixedRows >= nRows)
        return nFixedRows;
    if (nRow < nFixedRows)
        nRow = nFixedRows;
    if (nRow > nRows - 1)
        nRow = nRows - 1;
    grid.EnsureVisible(nRow, 0);
    grid.SetFocusCell(nRow, 0);
    // The selection is refused when the grid allows none.
    if (!grid.IsSelectable())
        return FALSE;
    grid.SetSelectedRange(nRow, 0, nRow, grid.GetColumnCount() - 1, FALSE, TRUE);
    return TRUE;
}
