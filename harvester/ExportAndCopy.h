// ExportAndCopy.h - CExportAndCopy, the modal progress dialog of an export,
// and the export commands of the main window.
//
// The dialog starts one CExportThread, which drives its progress bar with
// sent messages and closes it by a posted WM_CLOSE once the file is written
// or has failed; until then Cancel and Esc leave it open. A failure's text
// (the file handle's message) is handed to the dialog with the finished
// flag, and the dialog shows it on the user-interface thread before it
// closes.
//
// The commands: each asks for a file name (the last one per format is kept
// under "CMainFrame"), then runs the dialog on a copy of the Basket lines
// the caller cut from the Basket box at that moment (CutBasketText):
//
//   void CMainFrame::OnExportTohtmlfile()
//   {
//       CStringArray aLines;
//       CutBasketText(<Basket box text>, aLines);
//       ExportBasket(this, exportHtmlTable, aLines);
//   }
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include "ExportFormats.h"
#include "ProfileKeys.h"
#include "resource.h"

class CExportThread;

class CExportAndCopy : public CDialog
{
    DECLARE_DYNAMIC(CExportAndCopy)
public:
    // nMode 0 exports, 1 copies (caption only; copies do not use the dialog).
    explicit CExportAndCopy(int nMode, CWnd* pParent = NULL);
    virtual ~CExportAndCopy();

    enum { IDD = IDD_EXPORT_AND_COPY };

    int m_nMode;
    volatile LONG m_bFinished;   // set by the writer just before it posts WM_CLOSE
    CExportThread* m_pThread;    // the writer while it runs (it deletes itself)
    int m_nFormat;               // ExportFormat, 0 to 7
    CString m_sPath;             // the file to write
    CProgressCtrl m_wndProgress;
    // The Basket lines the writer reads: a copy the caller hands over.
    CStringArray m_aLines;
    // The failure the writer reported, "" when the file was written. The
    // writer sets it before the finished flag; the dialog reads it only
    // after it has seen the flag.
    CString m_sError;
    // Cancel was pressed while the writer ran. The writer builds the text in
    // memory and writes it once, so it does not stop early: the file is
    // either whole or not written at all.
    BOOL m_bCancelRequested;

    void SetLines(const CStringArray& aLines) { m_aLines.Copy(aLines); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Closes only once the writer has finished.
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bShowingError;   // the failure box is up
    BOOL m_bErrorShown;
};

// One export command of the main window's menu.
struct EXPORT_COMMAND
{
    UINT nID;                          // menu command
    int nFormat;                       // ExportFormat
    const PROFILE_STRING_KEY* pKey;    // last path, in "CMainFrame"; its default is the file name
    LPCSTR pszExtension;               // default extension, no dot
    LPCSTR pszFilter;                  // "name\npattern\n..." pairs; LF becomes NUL for the dialog
    LPCSTR pszMenuText;
    LPCSTR pszPrompt;                  // the status-bar prompt
};

// The eight export commands, in menu order.
extern const EXPORT_COMMAND g_aExportCommands[exportFormatCount];
// The command of an id or of a format; NULL when there is none.
const EXPORT_COMMAND* FindExportCommand(UINT nID);
const EXPORT_COMMAND* FindExportFormat(int nFormat);

// The whole export command: asks for a file name (save dialog, owner
// pParent), stores it, and writes the lines in the format. FALSE when the
// user cancelled or the file could not be written (the reason was shown).
BOOL ExportBasket(CWnd* pParent, int nFormat, const CStringArray& aLines);

// The export without the file prompt: runs the progress dialog modally (no
// parent) and the writer. FALSE when the file could not be written; the
// reason, already shown to the user, in *psError.
BOOL RunExport(int nFormat, LPCSTR pszPath, const CStringArray& aLines, CString* psError = NULL);
