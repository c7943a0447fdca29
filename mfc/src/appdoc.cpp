// appdoc.cpp - the document members of CWinApp: they hand over to the
// document manager, made with the first template.
#include "docimpl.h"

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == NULL)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != NULL ? m_pDocManager->GetFirstDocTemplatePosition() : NULL;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return m_pDocManager != NULL ? m_pDocManager->GetNextDocTemplate(pos) : NULL;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager != NULL ? m_pDocManager->SaveAllModified() : TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != NULL)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager != NULL ? m_pDocManager->GetOpenDocumentCount() : 0;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    if (m_pDocManager != NULL)
        return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
    CDocManager manager;
    return manager.DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

// Files reach a running program through its command line; opening them over
// DDE is not offered, so there is nothing to start here.
void CWinApp::EnableShellOpen()
{
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    if (m_pDocManager != NULL)
        m_pDocManager->RegisterShellFileTypes(bCompat);
}

void CWinApp::UnregisterShellFileTypes()
{
    if (m_pDocManager != NULL)
        m_pDocManager->UnregisterShellFileTypes();
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileOpen();
}

// The printer chosen here is kept for the program's later print jobs.
static HGLOBAL g_hDevMode = NULL;
static HGLOBAL g_hDevNames = NULL;

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = CWnd::GetSafeOwner_(NULL, NULL);
    pd.hDevMode = g_hDevMode;
    pd.hDevNames = g_hDevNames;
    pd.Flags = PD_PRINTSETUP;
    if (::PrintDlgA(&pd)) {
        g_hDevMode = pd.hDevMode;
        g_hDevNames = pd.hDevNames;
    }
}
