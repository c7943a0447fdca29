// app.cpp - CWinApp: the application object, its start-up, shell commands,
// wait cursor and the globals that find it.
#include "wndimpl.h"

#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

static LPTSTR DupString(LPCTSTR psz)
{
    return psz != NULL ? _strdup(psz) : NULL;
}

// The one application object of the process; it runs on the thread that
// constructs it.
CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    m_bAutoDelete = FALSE;
    m_pszAppName = DupString(lpszAppName);
    m_nThreadID = ::GetCurrentThreadId();
    ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &m_hThread, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);

    m_hInstance = NULL;
    m_lpCmdLine = NULL;
    m_nCmdShow = SW_SHOWNORMAL;
    m_pszRegistryKey = NULL;
    m_pszExeName = NULL;
    m_pszHelpFilePath = NULL;
    m_pszProfileName = NULL;
    m_bHelpMode = FALSE;
    m_pDocManager = NULL;
    m_pRecentFileList = NULL;
    m_nNumPreviewPages = 0;
    m_nWaitCursorCount = 0;
    m_hcurWaitCursorRestore = NULL;
    m_hAppKeyCache = NULL;

    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    pModuleState->m_pCurrentWinApp = this;
    pModuleState->m_lpszCurrentAppName = m_pszAppName;
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;
    m_pDocManager = NULL;
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;

    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    if (pModuleState->m_pCurrentWinApp == this) {
        pModuleState->m_pCurrentWinApp = NULL;
        pModuleState->m_lpszCurrentAppName = NULL;
    }
    CloseAppKeyCache();
    free((void*)m_pszAppName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszExeName);
    free((void*)m_pszHelpFilePath);
    free((void*)m_pszProfileName);
}

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

// The main window of the calling thread (a worker's own, or none).
CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pszAppName != NULL)
        return pApp->m_pszAppName;
    LPCSTR pszName = AfxGetModuleState()->m_lpszCurrentAppName;
    return pszName != NULL ? pszName : "";
}

// Names derived from the executable: the title (AFX_IDS_APP_TITLE, else the
// exe name), the help file beside the exe, and the INI profile used until a
// registry key is set.
void CWinApp::SetCurrentHandles()
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(m_hInstance, szPath, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        lstrcpyA(szPath, "app.exe");
    char* pszFile = strrchr(szPath, '\\');
    pszFile = pszFile != NULL ? pszFile + 1 : szPath;
    char szExeName[MAX_PATH];
    lstrcpynA(szExeName, pszFile, MAX_PATH);
    if (char* pszExt = strrchr(szExeName, '.'))
        *pszExt = '\0';

    if (m_pszExeName == NULL)
        m_pszExeName = DupString(szExeName);
    if (m_pszAppName == NULL) {
        CString strTitle;
        if (strTitle.LoadString(AFX_IDS_APP_TITLE) && !strTitle.IsEmpty())
            m_pszAppName = DupString(strTitle);
        else
            m_pszAppName = DupString(m_pszExeName);
    }
    AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;

    if (m_pszHelpFilePath == NULL) {
        char szHelp[MAX_PATH];
        lstrcpynA(szHelp, szPath, MAX_PATH);
        char* pszExt = strrchr(szHelp, '.');
        if (pszExt != NULL && pszExt > strrchr(szHelp, '\\') && (pszExt - szHelp) + 5 < MAX_PATH)
            lstrcpyA(pszExt, ".HLP");
        m_pszHelpFilePath = DupString(szHelp);
    }
    if (m_pszProfileName == NULL) {
        char szIni[MAX_PATH];
        snprintf(szIni, sizeof(szIni), "%s.INI", m_pszExeName);
        m_pszProfileName = DupString(szIni);
    }
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    AfxSetInstanceHandle(hInstance);
    AfxSetResourceHandle(hInstance);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_COOL_CLASSES |
                                                  ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS };
    ::InitCommonControlsEx(&icc);

    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->m_nThreadID = ::GetCurrentThreadId();
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    AfxDeleteTempMaps();
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

int CWinApp::Run()
{
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return CWinThread::PreTranslateMessage(pMsg);
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    return CWinThread::ProcessWndProcException(e, pMsg);
}

// ---------------------------------------------------------------------------
// Wait cursor
// ---------------------------------------------------------------------------

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    } else {
        m_nWaitCursorCount = 0;   // an extra end never goes below zero
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

// ---------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelp()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->SendMessage(WM_COMMANDHELP, 0, 0))
        return;
    WinHelp(0, HELP_FINDER);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    ::WinHelp(pMainWnd->GetSafeHwnd(), m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::HideApplication()
{
    if (m_pMainWnd == NULL)
        return;
    m_pMainWnd->ShowOwnedPopups(FALSE);
    m_pMainWnd->ShowWindow(SW_HIDE);
}

// A file that no longer opens leaves the list.
BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL)
        return FALSE;
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) == NULL)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

// ---------------------------------------------------------------------------
// Shell commands
// ---------------------------------------------------------------------------

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    BOOL bResult = TRUE;
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // a program's ID_FILE_NEW handler comes first
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, NULL, NULL))
            OnFileNew();
        if (m_pMainWnd == NULL)
            bResult = FALSE;
        break;
    case CCommandLineInfo::FileOpen:
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == NULL)
            bResult = FALSE;
        break;
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint:
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != NULL && m_pMainWnd != NULL)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        bResult = FALSE;
        break;
    case CCommandLineInfo::FileDDE:
        // DDE opens arrive later as WM_DDE_EXECUTE; nothing to show yet
        m_nCmdShow = SW_HIDE;
        break;
    case CCommandLineInfo::AppRegister:
        RegisterShellFileTypes(TRUE);
        bResult = FALSE;
        break;
    case CCommandLineInfo::AppUnregister:
        UnregisterShellFileTypes();
        bResult = FALSE;
        break;
    case CCommandLineInfo::FileNothing:
    default:
        break;
    }
    return bResult;
}
