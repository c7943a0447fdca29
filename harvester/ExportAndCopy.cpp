// ExportAndCopy.cpp - the export progress dialog and the export commands.
#include "ExportAndCopy.h"
#include "ExportThread.h"
#include "FileDialogST.h"

// ---------------------------------------------------------------------------
// The commands
// ---------------------------------------------------------------------------

const EXPORT_COMMAND g_aExportCommands[exportFormatCount] = {
    {ID_EXPORT_TOHTMLFILE, exportHtmlTable, &profileExportHtml, "html", "HTML files\n*.html\nAll files\n*.*\n",
     "To HTML File", "Export keywords to HTML file"},
    {ID_EXPORT_TOTEXTFILE, exportTextList, &profileExportText, "txt", "Text files\n*.txt\nAll files\n*.*\n",
     "To Text File", "Export keywords to Text file"},
    {ID_EXPORT_TOMETATAG, exportMetaTag, &profileExportMetaTag, "txt", "Text Files\n*.txt\nAll files\n*.*\n",
     "To \"keywords\" Meta Tag", "Export keywords to MetaTag file"},
    {ID_EXPORT_TOCSVFILE, exportCsv, &profileExportCsv, "csv", "CSV files\n*.csv\nAll files\n*.*\n",
     "To CSV File", "Export keywords to CSV file"},
    {ID_EXPORT_TOEXCEL, exportExcel, &profileExportExcel, "xls", "Excel files\n*.xls\nAll files\n*.*\n",
     "To Excel File", "Export keywords to Excel file"},
    {ID_EXPORT_ADWORDS_BROADMATCH, exportBroadMatch, &profileExportBroadMatch, "txt",
     "Text files\n*.txt\nAll files\n*.*\n", "Broad Match", "Export keywords to Adwords Broad Match file"},
    {ID_EXPORT_ADWORDS_PHRASEMATCH, exportPhraseMatch, &profileExportPhraseMatch, "txt",
     "Text files\n*.txt\nAll files\n*.*\n", "Phrase Match", "Export keywords to Adwords Phrase Match file"},
    {ID_EXPORT_ADWORDS_EXACTMATCH, exportExactMatch, &profileExportExactMatch, "txt",
     "Text files\n*.txt\nAll files\n*.*\n", "Exact Match", "Export keywords to Adwords Exact Match file"},
};

const EXPORT_COMMAND* FindExportCommand(UINT nID)
{
    for (const EXPORT_COMMAND& command : g_aExportCommands)
        if (command.nID == nID)
            return &command;
    return NULL;
}

const EXPORT_COMMAND* FindExportFormat(int nFormat)
{
    for (const EXPORT_COMMAND& command : g_aExportCommands)
        if (command.nFormat == nFormat)
            return &command;
    return NULL;
}

// A cancelled prompt writes and stores nothing. The path is stored before
// the export runs, so a failed export still proposes it next time.
BOOL ExportBasket(CWnd* pParent, int nFormat, const CStringArray& aLines)
{
    const EXPORT_COMMAND* pCommand = FindExportFormat(nFormat);
    if (pCommand == NULL)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    CString sLastPath = ReadProfileKey(pApp, *pCommand->pKey);
    CString sFilter = CFileDialogST::MakeFilter(pCommand->pszFilter);
    CFileDialogST dlg(FALSE, pCommand->pszExtension, sLastPath, OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT, sFilter,
                      pParent);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    CString sPath = dlg.GetPathName();
    WriteProfileKey(pApp, *pCommand->pKey, sPath);
    return RunExport(nFormat, sPath, aLines);
}

BOOL RunExport(int nFormat, LPCSTR pszPath, const CStringArray& aLines, CString* psError)
{
    CExportAndCopy dlg(0, NULL);
    dlg.m_nFormat = nFormat;
    dlg.m_sPath = pszPath;
    dlg.SetLines(aLines);
    dlg.DoModal();
    if (psError != NULL)
        *psError = dlg.m_sError;
    return dlg.m_bFinished && dlg.m_sError.IsEmpty();
}

// ---------------------------------------------------------------------------
// CExportAndCopy
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CExportAndCopy, CDialog)

BEGIN_MESSAGE_MAP(CExportAndCopy, CDialog)
END_MESSAGE_MAP()

CExportAndCopy::CExportAndCopy(int nMode, CWnd* pParent)
    : CDialog(IDD, pParent), m_nMode(nMode), m_bFinished(FALSE), m_pThread(NULL), m_nFormat(0),
      m_bCancelRequested(FALSE), m_bShowingError(FALSE), m_bErrorShown(FALSE)
{
}

CExportAndCopy::~CExportAndCopy()
{
}

void CExportAndCopy::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXPORT_PROGRESS, m_wndProgress);
}

BOOL CExportAndCopy::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bFinished = FALSE;
    m_sError.Empty();
    if (m_nMode == 0) {
        SetWindowText("Exporting ...");
    } else if (m_nMode == 1) {
        SetWindowText("Coping ...");
    } else {
        // Nothing to run: let Cancel close the dialog.
        m_bFinished = TRUE;
        return TRUE;
    }

    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CExportThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (pThread == NULL) {
        m_sError = "Can't start the export.";
        MessageBox(m_sError, "Can't export Basket", MB_OK | MB_ICONERROR);
        m_bFinished = TRUE;
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_pThread = static_cast<CExportThread*>(pThread);
    m_pThread->m_pOwner = this;
    m_pThread->ResumeThread();
    return TRUE;
}

// Cancel, Esc and the writer's close request all come here; only once the
// writer has finished do they close the dialog. Whichever comes first then
// shows the writer's failure, if any, and closes the dialog when the user has
// read it; one that arrives while the box is up is dropped.
void CExportAndCopy::OnCancel()
{
    if (!InterlockedCompareExchange(&m_bFinished, 0, 0)) {
        m_bCancelRequested = TRUE;
        return;
    }
    if (m_bShowingError)
        return;
    if (!m_sError.IsEmpty() && !m_bErrorShown) {
        m_bShowingError = TRUE;
        m_bErrorShown = TRUE;
        MessageBox(m_sError, "Can't export Basket", MB_OK | MB_ICONERROR);
        m_bShowingError = FALSE;
    }
    EndDialog(IDCANCEL);
}
