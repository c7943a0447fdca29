// ExportThread.cpp - the export writer.
#include "ExportThread.h"
#include "ExportAndCopy.h"
#include "ExceptionReport.h"
#include "ExportFormats.h"
#include "FileHandle.h"

IMPLEMENT_DYNCREATE(CExportThread, CWinThread)

BEGIN_MESSAGE_MAP(CExportThread, CWinThread)
END_MESSAGE_MAP()

CExportThread::CExportThread() : m_pOwner(NULL)
{
    m_bAutoDelete = TRUE;
}

CExportThread::~CExportThread()
{
}

BOOL CExportThread::InitInstance()
{
    InstallSeTranslator();
    return TRUE;
}

namespace {

// The dialog's bar, driven with sent messages: the dialog's modal loop on the
// user-interface thread serves them while the writer waits.
class CBarProgress : public CExportProgress
{
public:
    explicit CBarProgress(HWND hBar) : m_hBar(hBar) {}
    void SetRange(int nLines) override
    {
        ::SendMessage(m_hBar, PBM_SETRANGE32, 0, nLines);
        ::SendMessage(m_hBar, PBM_SETPOS, 0, 0);
    }
    void SetPosition(int nLine) override { ::SendMessage(m_hBar, PBM_SETPOS, nLine, 0); }

private:
    HWND m_hBar;
};

}   // namespace

// Whatever happens, the dialog is told: a failure's text goes into the
// dialog first (it shows the text on its own thread once it sees the finished
// flag), then the flag is set and the close request posted. Nothing of the
// dialog is touched after that, since the dialog may be gone as soon as it
// sees the flag.
int CExportThread::Run()
{
    CExportAndCopy* pOwner = m_pOwner;
    HWND hDialog = pOwner->GetSafeHwnd();
    CString sError;
    try {
        TestFaultPoint("export");
        int nFormat = pOwner->m_nFormat;
        if (nFormat >= 0 && nFormat < exportFormatCount) {
            CBarProgress progress(pOwner->m_wndProgress.GetSafeHwnd());
            CString sText = BuildExportText(nFormat, pOwner->m_aLines, &progress);
            CFileHandle file(pOwner->m_sPath);
            file.OpenForWrite();
            file.WriteBuffer((LPCSTR)sText, (DWORD)sText.GetLength());
            file.Close();
        }
    } catch (const CString& sMessage) {
        sError = sMessage;
    } catch (CException* e) {
        char szMessage[512] = "";
        if (!e->GetErrorMessage(szMessage, sizeof szMessage) || szMessage[0] == '\0')
            strcpy(szMessage, "The export failed.");
        sError = szMessage;
        e->Delete();
    } catch (...) {
        sError = "The export failed.";
    }
    pOwner->m_sError = sError;
    InterlockedExchange(&pOwner->m_bFinished, TRUE);
    ::PostMessage(hDialog, WM_CLOSE, 0, 0);
    return ExitInstance();
}
