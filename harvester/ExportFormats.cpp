// ExportFormats.cpp - the export and copy formats, byte for byte.
#include "ExportFormats.h"

#include <string.h>

#include "FrameworkUtils.h"

namespace {

// One format: the text around the pieces of a file, the text before and
// after each keyword in its piece, and how the keyword is written.
struct FORMAT_TEXTS
{
    LPCSTR pszFileBefore;
    LPCSTR pszFileAfter;
    LPCSTR pszBeforeKeyword;
    LPCSTR pszAfterKeyword;
    TextEscape escape;  // how a keyword is written, so that the reader takes it back as it was
};

// The HTML and Excel files name their code page in their first line: a
// spreadsheet or browser on a system of another code page would otherwise
// read the Cyrillic bytes in its own.
#define CHARSET_LINE "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"

// The HTML table's header row holds no cell; the Excel table has a bare
// "<tr>" instead and rows that are never closed, all on one line; the meta
// tag's list keeps the comma after its last keyword; the "CSV" format uses
// ";". Text list and broad match are the same bytes.
const FORMAT_TEXTS s_formats[exportFormatCount] = {
    {CHARSET_LINE "<table border='1'>\r\n<tr>Words</tr>\r\n", "</table>", "<tr><td align='left'>", "</td></tr>\r\n",
     textEscapeHtml},
    {"", "", "", "\r\n", textEscapeNone},
    {"<meta name='keywords' content='", "'>", "", ",", textEscapeHtmlQuote},
    {"", "", "\"", "\";\r\n", textEscapeCsvField},
    {CHARSET_LINE "<table border='1'>\r\n<tr>", "</table>", "<tr><td align='left'>", "</td>", textEscapeHtml},
    {"", "", "", "\r\n", textEscapeNone},
    {"", "", "\"", "\"\r\n", textEscapeNone},
    {"", "", "[", "]\r\n", textEscapeNone},
};

size_t EscapedLength(TextEscape escape, const CString& sKeyword)
{
    size_t nLength = (size_t)sKeyword.GetLength();
    if (escape == textEscapeNone)
        return nLength;
    LPCSTR p = sKeyword;
    for (size_t i = 0, n = nLength; i < n; i++)
        if (LPCSTR pszEscape = EscapeOfChar(escape, p[i]))
            nLength += strlen(pszEscape) - 1;
    return nLength;
}

void AppendRaw(char*& pOut, LPCSTR psz, size_t nLength)
{
    memcpy(pOut, psz, nLength);
    pOut += nLength;
}

void AppendKeyword(char*& pOut, TextEscape escape, const CString& sKeyword)
{
    LPCSTR p = sKeyword;
    size_t n = (size_t)sKeyword.GetLength();
    if (escape == textEscapeNone) {
        AppendRaw(pOut, p, n);
        return;
    }
    for (size_t i = 0; i < n; i++) {
        if (LPCSTR pszEscape = EscapeOfChar(escape, p[i]))
            AppendRaw(pOut, pszEscape, strlen(pszEscape));
        else
            *pOut++ = p[i];
    }
}

CString BuildText(int nFormat, const CStringArray& aLines, bool bFrame, CExportProgress* pProgress)
{
    if (nFormat < 0 || nFormat >= exportFormatCount)
        return CString();
    const FORMAT_TEXTS& f = s_formats[nFormat];
    const size_t nBefore = bFrame ? strlen(f.pszFileBefore) : 0;
    const size_t nAfter = bFrame ? strlen(f.pszFileAfter) : 0;
    const size_t nKeyBefore = strlen(f.pszBeforeKeyword);
    const size_t nKeyAfter = strlen(f.pszAfterKeyword);

    const int nLines = (int)aLines.GetSize();
    size_t nTotal = nBefore + nAfter + (size_t)nLines * (nKeyBefore + nKeyAfter);
    for (int i = 0; i < nLines; i++)
        nTotal += EscapedLength(f.escape, aLines[i]);

    const int nStep = GetExportProgressStep(nLines);
    if (pProgress) {
        pProgress->SetRange(nLines);
        pProgress->SetPosition(0);
    }

    CString sText;
    if (nTotal == 0)
        return sText;
    char* pOut = sText.GetBuffer((int)nTotal);
    AppendRaw(pOut, f.pszFileBefore, nBefore);
    for (int i = 0; i < nLines; i++) {
        AppendRaw(pOut, f.pszBeforeKeyword, nKeyBefore);
        AppendKeyword(pOut, f.escape, aLines[i]);
        AppendRaw(pOut, f.pszAfterKeyword, nKeyAfter);
        if (pProgress && i % nStep == 0)
            pProgress->SetPosition(i);
    }
    AppendRaw(pOut, f.pszFileAfter, nAfter);
    sText.ReleaseBuffer((int)nTotal);
    return sText;
}

}  // namespace

int GetExportProgressStep(int nLines)
{
    int nStep = nLines / 100;
    return nStep > 0 ? nStep : 1;
}

CString BuildExportText(int nFormat, const CStringArray& aLines, CExportProgress* pProgress)
{
    return BuildText(nFormat, aLines, true, pProgress);
}

bool HasCopyText(int nFormat)
{
    return nFormat >= 0 && nFormat < exportFormatCount && nFormat != exportExcel;
}

CString BuildCopyText(int nFormat, const CStringArray& aLines)
{
    if (!HasCopyText(nFormat))
        return CString();
    return BuildText(nFormat, aLines, false, NULL);
}
