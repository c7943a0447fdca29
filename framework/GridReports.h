// GridReports.h - the whole content of a grid written to a file for the user:
// an HTML report (a centred title over a bordered table) and a comma-separated
// file. Row 0 gives the headings, rows 1 to the last the data; the text goes
// in one write through a text-mode stream, so "\n" is CR LF on disk. Cells
// are escaped as the program's exports do: HTML entities in the report,
// every CSV field double-quoted with its double quotes doubled, so that a
// comma or a line break in a keyword stays inside its field.
#pragma once

#include <afxwin.h>

class CGridCtrl;
class CProgressBar;

// Writes the HTML report of the grid to lpszPath, shows the progress on
// pProgress when given, and opens the file through the shell when bOpen is
// set. A file that cannot be created is reported to the user and FALSE
// returned; nothing is opened then.
BOOL GenerateHtmlReport(LPCTSTR lpszPath, CGridCtrl& grid, LPCTSTR lpszTitle, CProgressBar* pProgress, BOOL bOpen);

// Writes the grid as comma-separated lines (each cell quoted) and opens the file through the shell. An empty path asks the user for
// one first; cancelling writes nothing. A file that cannot be created is
// reported and FALSE returned.
BOOL ExportGridToCsv(LPCTSTR lpszPath, CGridCtrl& grid);

// Selects row nRow (clamped to the data rows) across all columns and makes
// it the focus: TRUE when selected, FALSE when the grid allows no
// selection. With no data rows it returns the fixed row count and does
// nothing.
int SelectGridRow(int nRow, CGridCtrl& grid);

// The texts the reports write (what the files hold, without opening them).
CString BuildHtmlReport(CGridCtrl& grid, LPCTSTR lpszTitle, CProgressBar* pProgress);
CString BuildCsvReport(CGridCtrl& grid);
