// ExportFormats.h - the eight formats the Basket leaves the program in, for
// files and for the clipboard. Keywords are never trimmed. They are written so
// that the program reading the format takes them back unchanged: "&", "<" and
// ">" as entities in the HTML and Excel tables, the apostrophe too in the meta
// tag's quoted content, a double quote doubled inside a CSV field; the plain
// lists (text, broad, phrase and exact match) carry them as they are. The HTML
// and Excel files open with a line naming their code page, 1251.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// Format index, as the export dialog holds it.
enum ExportFormat
{
    exportHtmlTable = 0,
    exportTextList = 1,
    exportMetaTag = 2,
    exportCsv = 3,
    exportExcel = 4,
    exportBroadMatch = 5,
    exportPhraseMatch = 6,
    exportExactMatch = 7,
    exportFormatCount = 8
};

// How the writer shows its progress: the range first (0 to the number of
// lines, position 0), then the position at every step-th line.
class CExportProgress
{
public:
    virtual ~CExportProgress() {}
    virtual void SetRange(int nLines) = 0;
    virtual void SetPosition(int nLine) = 0;
};

// Lines per progress step: a hundredth of the lines, at least 1.
int GetExportProgressStep(int nLines);

// The whole file text of one format (text before, a piece per line, text
// after), reserved up front and built in one pass. An index outside 0..7 gives
// an empty text and reports nothing.
CString BuildExportText(int nFormat, const CStringArray& aLines, CExportProgress* pProgress = NULL);

// Whether a copy-as command exists for the format (all but Excel).
bool HasCopyText(int nFormat);

// The clipboard text of one format: the pieces only, with no text before or
// after. Empty for Excel and for an empty Basket.
CString BuildCopyText(int nFormat, const CStringArray& aLines);
