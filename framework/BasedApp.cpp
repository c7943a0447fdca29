// BasedApp.cpp - the framework's application object: start-up, options,
// folders, recent files, the message-box functions and the hand-over to the
// sibling program.
#include "BasedApp.h"

#include <afxcmn.h>
#include <afxinet.h>
#include <afxole.h>
#include <stdio.h>
#include <time.h>
#include <new>
#include <string>
#include "AboutDlg.h"
#include "ExceptionReport.h"
#include "FileHandle.h"
#include "FrameworkUtils.h"
#include "LogWindow.h"
#include "Logger.h"
#include "Path.h"
#include "ProfileKeys.h"
#include "TemplateMessageBox.h"
#include "TipDlg.h"
#include "framework_res.h"

namespace {

CBasedApp* g_pBasedApp = NULL;

// The default about text; the program replaces it in its constructor. Lines
// are separated by line feeds as the about box expects (a leading tab marks
// the title, "***" becomes the version), and the last line tells how to
// close it.
const char szDefaultAbout[] =
    "\tPellucor framework application\n***\nDunmorrow\n\nPress Esc to close this dialog";

const char szOleFailed[] = "OLE initializtion failed\nTry reinstall your system";
const char szSiblingMissingText[] =
    "Launch Fennicle first, please.\r\nYou should have Fennicle up and running in order to use this feature.";
const char szSiblingMissingCaption[] = "Launch Fennicle, please";
// How long the hand-over waits for one sibling window's answer.
const UINT nSiblingTimeoutMs = 2000;

HWND MainWindowOfThread()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL ? pMain->GetSafeHwnd() : NULL;
}

// Two records per box: the prefixed text, then an empty data record.
void LogBoxText(LPCSTR pszPrefix, LPCSTR pszText)
{
    if (!g_bEnableLog)
        return;
    GetLogger().AddEvent(new TraceComment(-1, CString(pszPrefix) + pszText));
    GetLogger().AddEvent(new TraceData(-1, (const void*)NULL, 0));
}

BYTE AsFlag(int nValue) { return nValue != 0 ? 1 : 0; }

}  // namespace

BYTE g_bEnableLog = 1;

CBasedApp* GetBasedApp()
{
    return g_pBasedApp;
}

BEGIN_MESSAGE_MAP(CBasedApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &CBasedApp::OnAppAbout)
    ON_COMMAND(ID_SHOW_TIP_OF_THE_DAY, &CBasedApp::OnShowTipOfTheDay)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
    ON_COMMAND(ID_BACKUP_DOCUMENT, &CBasedApp::OnBackupDocument)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CBasedApp::OnUpdateRecentFileMenu)
    ON_COMMAND(ID_CLEAR_RECENT_FILES, &CBasedApp::OnClearRecentFiles)
    ON_UPDATE_COMMAND_UI(ID_CLEAR_RECENT_FILES, &CBasedApp::OnUpdateClearRecentFiles)
    ON_COMMAND(ID_TEST_FAULT, &CBasedApp::OnTestFault)
END_MESSAGE_MAP()

CBasedApp::CBasedApp(LPCTSTR lpszAppName)
    : CWinApp(lpszAppName),
      m_pSplashWnd(NULL),
      m_bSplash(0),
      m_strAbout(szDefaultAbout),
      m_nAboutNumber(420),
      m_bAboutFlag(1),
      m_bAutoSaveEnable(0),
      m_iSaveTime(10),
      m_bMinimizeToTray(1),
      m_bAutoSaveByMinimize(0),
      m_bAutoSaveBySwitch(0),
      m_bStartWithWindows(0),
      m_bDontCloseAndMinimize(0),
      m_pLogTemplate(NULL),
      m_bLogReady(0),
      m_hHandCursor(NULL),
      m_strCompanyKey(szProfileCompanyKey)
{
    g_pBasedApp = this;
    CString strModule = GetModulePath();
    m_strProgramFolder = strModule.Left(strModule.ReverseFind('\\') + 1);
    // Structured exceptions of the starting thread become CSeException from
    // here on, the first one of the run offering an exception report in the
    // application's own message boxes, which log what they say.
    SetExceptionReportBoxes(ErrorMessage, QuestionWarningMessage);
    InstallSeTranslator();
}

CBasedApp::~CBasedApp()
{
    // An application that never reached ExitInstance still owns its splash.
    if (m_pSplashWnd != NULL) {
        if (::IsWindow(m_pSplashWnd->GetSafeHwnd()))
            m_pSplashWnd->DestroyWindow();
        delete m_pSplashWnd;
    }
    delete m_pLogTemplate;
    DeleteExternalTools(m_arrExternalTools);
    if (g_pBasedApp == this)
        g_pBasedApp = NULL;
}

void CBasedApp::OnTestFault()
{
    TestFaultPoint("ui");
}

CString CBasedApp::GetModulePath()
{
    char szPath[MAX_PATH * 2] = "";
    ::GetModuleFileNameA(NULL, szPath, sizeof szPath);
    return szPath;
}

CString CBasedApp::GetSiteUrl() { return "http://www.dunmorrow.example/"; }
CString CBasedApp::GetSecondSiteUrl() { return "http://pellucor.dunmorrow.example/"; }
CString CBasedApp::GetSupportEmail() { return szReportSupportAddress; }

void CBasedApp::SetProgramFolder(LPCSTR pszFolder)
{
    m_strProgramFolder = pszFolder;
    if (!m_strProgramFolder.IsEmpty() && m_strProgramFolder.Right(1) != "\\")
        m_strProgramFolder += "\\";
}

// ---------------------------------------------------------------------------
// Start-up and exit
// ---------------------------------------------------------------------------

BOOL CBasedApp::InitInstance()
{
    InitCommonControls();
    if (!InitOle())
        return FALSE;
    InitControlLibraries();
    InitProfile();
    InstallSeTranslator();
    CreateFolders();
    LoadOptions();
    LoadExternalTools();
    CreateLogTemplate();
    m_hHandCursor = ::LoadCursor(NULL, IDC_HAND);
    return TRUE;
}

void CBasedApp::InitCommonControls()
{
    AfxInitCommonControls();
    CWinApp::InitInstance();
}

BOOL CBasedApp::InitOle()
{
    if (!AfxOleInit()) {
        ErrorMessage(szOleFailed);
        return FALSE;
    }
    return TRUE;
}

void CBasedApp::InitControlLibraries()
{
    AfxInitRichEdit2();
    // Control containers need no start-up in this layer: ActiveX controls are
    // hosted by the windows that create them.
}

void CBasedApp::InitProfile()
{
    SetRegistryKey(m_strCompanyKey);
    LoadStdProfileSettings(nProfileRecentFiles);
}

void CBasedApp::CreateFolders()
{
    // both usually exist; a failure shows later, where a file is written
    ::CreateDirectoryA(GetTempFolder(), NULL);
    ::CreateDirectoryA(GetProgramFolder(), NULL);
    m_strLogFolder = GetProgramFolder() + "Logs\\";
    ::CreateDirectoryA(m_strLogFolder, NULL);
    m_strLogFile = m_strLogFolder + "log.txt";
    GetLogger().SetDefaultLogFile(m_strLogFile);
    m_bLogReady = 1;
}

void CBasedApp::LoadOptions()
{
    g_bEnableLog = AsFlag(ReadProfileKey(this, profileEnableLog));
    m_bAutoSaveEnable = AsFlag(ReadProfileKey(this, profileAutoSaveEnable));
    m_iSaveTime = ReadProfileKey(this, profileSaveTime);
    // the members' own values are the defaults of the rest
    m_bMinimizeToTray = AsFlag(GetProfileInt(szSectionSettings, profileMinimizeToTray.pszEntry, m_bMinimizeToTray));
    m_bAutoSaveByMinimize =
        AsFlag(GetProfileInt(szSectionSettings, profileAutoSaveByMinimize.pszEntry, m_bAutoSaveByMinimize));
    m_bDontCloseAndMinimize =
        AsFlag(GetProfileInt(szSectionSettings, profileDontCloseAndMinimize.pszEntry, m_bDontCloseAndMinimize));
    m_bAutoSaveBySwitch =
        AsFlag(GetProfileInt(szSectionSettings, profileAutoSaveBySwitch.pszEntry, m_bAutoSaveBySwitch));
    m_bStartWithWindows =
        AsFlag(GetProfileInt(szSectionSettings, profileStartWithWindows.pszEntry, m_bStartWithWindows));
}

BOOL CBasedApp::LoadExternalTools()
{
    return ::LoadExternalTools(m_arrExternalTools, GetExternalToolsPath());
}

void CBasedApp::CreateLogTemplate()
{
    // Kept out of the document manager: the log window is no document of the
    // user's (not in the window list, never asked to save, not opened by New).
    delete m_pLogTemplate;
    m_pLogTemplate = new CMultiDocTemplate(IDR_TRACE_LOG, RUNTIME_CLASS(CLogWindowDoc), RUNTIME_CLASS(CLogFrame),
                                           RUNTIME_CLASS(CLogWindowView));
    m_pLogTemplate->LoadTemplate();
}

int CBasedApp::ExitInstance()
{
    if (m_pSplashWnd != NULL) {
        m_pSplashWnd->DestroyWindow();
        delete m_pSplashWnd;
        m_pSplashWnd = NULL;
    }
    // a system cursor is shared: there is nothing to destroy
    m_hHandCursor = NULL;
    WriteProfileKey(this, profileEnableLog, g_bEnableLog ? 1 : 0);
    if (m_pLogTemplate != NULL)
        m_pLogTemplate->CloseAllDocuments(TRUE);
    SaveOptions();
    delete m_pLogTemplate;
    m_pLogTemplate = NULL;
    SaveExternalTools();
    DeleteExternalTools(m_arrExternalTools);
    return CWinApp::ExitInstance();
}

void CBasedApp::SaveOptions()
{
    WriteProfileKey(this, profileMinimizeToTray, m_bMinimizeToTray ? 1 : 0);
    WriteProfileKey(this, profileAutoSaveByMinimize, m_bAutoSaveByMinimize ? 1 : 0);
    WriteProfileKey(this, profileDontCloseAndMinimize, m_bDontCloseAndMinimize ? 1 : 0);
    WriteProfileKey(this, profileAutoSaveBySwitch, m_bAutoSaveBySwitch ? 1 : 0);
    WriteProfileKey(this, profileStartWithWindows, m_bStartWithWindows ? 1 : 0);
}

BOOL CBasedApp::SaveExternalTools()
{
    return ::SaveExternalTools(m_arrExternalTools, GetExternalToolsPath());
}

BOOL CBasedApp::OpenLastDocumentAtStartup()
{
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    delete m_pSplashWnd;
    m_pSplashWnd = new CAboutDlg(m_strAbout, m_nAboutNumber, m_bAboutFlag, 1, NULL);
    m_bSplash = cmdInfo.m_bShowSplash;
    if (cmdInfo.m_bRunEmbedded)
        m_nCmdShow = SW_SHOWNORMAL;
    else if (m_nCmdShow == SW_HIDE || m_nCmdShow == SW_SHOWMINIMIZED || m_nCmdShow == SW_MINIMIZE ||
             m_nCmdShow == SW_SHOWMINNOACTIVE)
        m_bSplash = 0;
    if (m_bSplash && m_pSplashWnd->Create(IDD_ABOUT, NULL)) {
        m_pSplashWnd->ShowWindow(SW_SHOW);
        m_pSplashWnd->UpdateWindow();
    }

    BOOL bOpened = OpenStartupDocument(cmdInfo);

    // Gone on every way out: a failed start must not leave it standing.
    if (m_bSplash) {
        m_pSplashWnd->DestroyWindow();
        m_bSplash = 0;
    }
    return bOpened;
}

BOOL CBasedApp::OpenStartupDocument(CCommandLineInfo& cmdInfo)
{
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileNew || !cmdInfo.m_strFileName.IsEmpty())
        return ProcessShellCommand(cmdInfo);

    CString strLast = ReadProfileKey(this, profileRecentFile1);
    CString strExtension;
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos != NULL)
        GetNextDocTemplate(pos)->GetDocString(strExtension, CDocTemplate::filterExt);
    if (!strExtension.IsEmpty() && strLast.Find(strExtension) < 0)
        strLast += strExtension;
    if (!strLast.IsEmpty() && ::GetFileAttributesA(strLast) != INVALID_FILE_ATTRIBUTES) {
        OpenDocumentFile(strLast);
        if (m_pMainWnd == NULL && !ProcessShellCommand(cmdInfo))
            return FALSE;
    } else if (!ProcessShellCommand(cmdInfo)) {
        return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// About box and tip of the day
// ---------------------------------------------------------------------------

void CBasedApp::OnAppAbout()
{
    CAboutDlg dlg(m_strAbout, m_nAboutNumber, m_bAboutFlag, 1, NULL);
    dlg.DoModal();
}

void CBasedApp::OnShowTipOfTheDay()
{
    CTipDlg dlg;
    dlg.DoModal();
}

void CBasedApp::ShowTipAtStartup()
{
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!cmdInfo.m_bShowSplash)
        return;
    CTipDlg dlg;
    if (dlg.m_bStartup)
        dlg.DoModal();
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

BOOL CBasedApp::SaveStringToFile(LPCSTR pszPath, LPCSTR pszText, BOOL bRaw)
{
    if (!bRaw) {
        FILE* pFile = fopen(pszPath, "wt");
        if (pFile == NULL)
            return FALSE;
        bool bWritten = fputs(pszText, pFile) >= 0;
        bWritten = (fclose(pFile) == 0) && bWritten;
        return bWritten;
    }
    CFileHandle file(pszPath);
    try {
        file.OpenForWrite();
        file.WriteString(pszText);
        file.Close();
    } catch (const CString&) {
        return FALSE;
    }
    return TRUE;
}

CString CBasedApp::LoadStringFromFile(LPCSTR pszPath, BOOL bRaw)
{
    CString strText;
    if (bRaw) {
        CFileHandle file(pszPath);
        try {
            file.OpenForRead();
            strText = file.ReadAllText();
            file.Close();
        } catch (const CString&) {
            if (file.IsOpen())
                file.Close();
        }
        return strText;
    }
    FILE* pFile = fopen(pszPath, "rt");
    if (pFile == NULL)
        return strText;
    char szBuffer[1024];
    while (fgets(szBuffer, sizeof szBuffer, pFile) != NULL) {
        size_t nLength = strlen(szBuffer);
        if (nLength > 0 && szBuffer[nLength - 1] == '\n') {
            szBuffer[nLength - 1] = '\0';
            strText += szBuffer;
            strText += "\r\n";
        } else {
            strText += szBuffer;
            if (feof(pFile))
                strText += "\r\n";
        }
    }
    fclose(pFile);
    return strText;
}

CString CBasedApp::LoadHtmlResourceText(UINT nID)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nID), MAKEINTRESOURCEA(23));
    if (hResource == NULL)
        return CString();
    DWORD nSize = ::SizeofResource(hInstance, hResource);
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const char* pBytes = hData != NULL ? (const char*)::LockResource(hData) : NULL;
    if (pBytes == NULL || nSize == 0)
        return CString();
    return CString(pBytes, (int)nSize);
}

void CBasedApp::AppendLineToFile(LPCSTR pszText, LPCSTR pszFileName)
{
    char szTime[128] = "";
    time_t tNow = time(NULL);
    strftime(szTime, sizeof szTime, "%c", localtime(&tNow));
    CString strLine;
    strLine.Format("%s> %s\r\n", szTime, pszText);
    CFileHandle file(GetProgramFolder() + pszFileName);
    try {
        file.OpenForAppend();
        file.WriteString(strLine);
        file.Close();
    } catch (const CString&) {
    }
}

BOOL CBasedApp::GetNextNumberedFolderName(LPCSTR pszFolder, CString& strResult)
{
    DWORD dwAttributes = ::GetFileAttributesA(pszFolder);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    try {
        CStringArray arrFolders;
        WIN32_FIND_DATAA fd;
        CString strFolder(pszFolder);
        if (strFolder.Right(1) != "\\")
            strFolder += "\\";
        HANDLE hFind = ::FindFirstFileA(strFolder + "*.*", &fd);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    arrFolders.Add(fd.cFileName);
            } while (::FindNextFileA(hFind, &fd));
            ::FindClose(hFind);
        }
        int nNext = 0;
        for (INT_PTR i = arrFolders.GetSize() - 1; i >= 0; i--) {
            if (arrFolders[i] != "." && arrFolders[i] != "..") {
                nNext = atoi(arrFolders[i]) + 1;
                break;
            }
        }
        strResult.Format("%05d", nNext);
    } catch (...) {
        ::MessageBoxA(MainWindowOfThread(), "Error in GetSizeFolderOrFile", "catch", MB_OK | MB_ICONERROR);
    }
    return TRUE;
}

CString CBasedApp::DownloadUrl(LPCSTR pszUrl, LPCSTR pszFile)
{
    // The read stops past this many bytes, so a runaway answer cannot
    // exhaust memory.
    static const size_t nReadLimit = 9998000;
    static const UINT nBlock = 1000;

    CString strText;
    CInternetSession* pSession = NULL;
    CHttpConnection* pConnection = NULL;
    CHttpFile* pFile = NULL;
    try {
        pSession = new CInternetSession(GetModulePath(), 1, INTERNET_OPEN_TYPE_PRECONFIG);
        DWORD dwService = 0;
        CString strServer, strObject;
        INTERNET_PORT nPort = 0;
        if (!AfxParseURL(pszUrl, dwService, strServer, strObject, nPort))
            throw CString("Can't load ") + pszUrl;
        pConnection = pSession->GetHttpConnection(strServer, nPort);
        DWORD dwFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
        if (strstr(pszUrl, "https://") != NULL)
            dwFlags |= INTERNET_FLAG_SECURE;
        pFile = pConnection->OpenRequest(CHttpConnection::HTTP_VERB_GET, strObject, GetSiteUrl(), 1, NULL, NULL,
                                         dwFlags);
        if (!pFile->SendRequest())
            throw CString("Can't load ") + pszUrl;
        DWORD dwStatus = 0;
        pFile->QueryInfoStatusCode(dwStatus);
        // Only a success answer carries the page: an error page (404, 500, a
        // redirect WinINet did not follow) is no download.
        if (dwStatus < 200 || dwStatus > 299) {
            CString strError;
            strError.Format("Error %lu on %s", dwStatus, pszUrl);
            throw strError;
        }
        std::string strBody;
        char szBlock[nBlock];
        UINT nRead;
        while (strBody.size() <= nReadLimit && (nRead = pFile->Read(szBlock, nBlock)) > 0)
            strBody.append(szBlock, nRead);
        pFile->Close();
        pConnection->Close();
        strText = strBody.c_str();   // up to the first zero byte
    } catch (const CString&) {
        strText.Empty();
    } catch (CException* e) {
        e->Delete();
        strText.Empty();
    } catch (const std::bad_alloc&) {
        strText.Empty();
    }
    delete pFile;
    delete pConnection;
    delete pSession;

    if (!strText.IsEmpty() && pszFile != NULL && *pszFile != '\0') {
        SaveStringToFile(pszFile, strText, TRUE);
        strText = LoadStringFromFile(pszFile, TRUE);
        DeleteFolderOrFile(pszFile);
    }
    return strText;
}

// ---------------------------------------------------------------------------
// Questions and the sibling program
// ---------------------------------------------------------------------------

int CBasedApp::QuestionMessageOnce(LPCSTR pszText, LPCSTR pszCaption, LPCSTR pszKey)
{
    if (GetProfileInt(szSectionSettings, pszKey, nQuestionOnceDefault) != 0)
        return IDYES;
    int nResult = TemplateMessageBox(MainWindowOfThread(), pszText, pszCaption,
                                     MB_YESNO | MB_ICONQUESTION | MB_DONTASKAGAIN);
    int nButton = TemplateMessageBoxButton(nResult);
    if ((nResult & MB_DONTASKAGAIN) != 0 && nButton == IDYES)
        WriteProfileInt(szSectionSettings, pszKey, 1);
    return nButton;
}

void CBasedApp::SendTextToSiblingProgram(LPCSTR pszText)
{
    HWND hMain = MainWindowOfThread();
    CString strText(pszText);
    COPYDATASTRUCT data;
    data.dwData = nSiblingCopyDataId;
    data.cbData = (DWORD)strText.GetLength() + 1;
    data.lpData = (PVOID)(LPCSTR)strText;

    static const int nTitleMax = 5000;
    char szTitle[nTitleMax];
    for (HWND hWnd = ::GetTopWindow(NULL); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(hWnd) || ::GetWindow(hWnd, GW_OWNER) != NULL)
            continue;
        // Read without a message to the window: a hung one would block the read.
        WCHAR wszTitle[nTitleMax];
        if (::InternalGetWindowText(hWnd, wszTitle, nTitleMax) <= 0 ||
            ::WideCharToMultiByte(CP_ACP, 0, wszTitle, -1, szTitle, nTitleMax, NULL, NULL) <= 0 ||
            strstr(szTitle, szSiblingProgramTitle) == NULL)
            continue;
        // A sibling that does not answer in time (hung, or busy) is passed
        // over rather than freezing this program with it.
        DWORD_PTR nAnswer = 0;
        if (::SendMessageTimeoutA(hWnd, WM_COPYDATA, (WPARAM)hMain, (LPARAM)&data, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                  nSiblingTimeoutMs, &nAnswer) != 0 &&
            nAnswer == (DWORD_PTR)nSiblingAccepted)
            return;
    }
    ::MessageBoxA(hMain, szSiblingMissingText, szSiblingMissingCaption, MB_OK);
}

// ---------------------------------------------------------------------------
// Recent files
// ---------------------------------------------------------------------------

CString CBasedApp::RecentFilePrefix(int n)
{
    CString strPrefix;
    if (n < 10)
        strPrefix.Format("&%d ", n);
    else if (n == 10)
        strPrefix = "1&0 ";
    else
        strPrefix.Format("%d ", n);
    return strPrefix;
}

void CBasedApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    CRecentFileList* pList = m_pRecentFileList;
    if (pList == NULL) {
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pList->m_arrNames[0].IsEmpty()) {
        if (pList->m_strOriginal.IsEmpty() && pCmdUI->m_pMenu != NULL)
            pCmdUI->m_pMenu->GetMenuString(pCmdUI->m_nID, pList->m_strOriginal, MF_BYCOMMAND);
        if (!pList->m_strOriginal.IsEmpty())
            pCmdUI->SetText(pList->m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pCmdUI->m_pMenu == NULL)
        return;
    for (int i = 0; i < pList->GetSize(); i++)
        pCmdUI->m_pMenu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);

    char szCurDir[MAX_PATH + 1];
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (nCurDir == 0 || nCurDir >= MAX_PATH)
        return;
    strcat(szCurDir, "\\");
    nCurDir++;

    for (int i = 0; i < pList->GetSize(); i++) {
        CString strName;
        if (!pList->GetDisplayName(strName, i, szCurDir, (int)nCurDir))
            break;
        // "&" in a file name would underline the next letter
        CString strShown;
        for (int j = 0; j < strName.GetLength(); j++) {
            char c = strName[j];
            if (::IsDBCSLeadByte((BYTE)c) && j + 1 < strName.GetLength()) {
                strShown += c;
                strShown += strName[++j];
                continue;
            }
            if (c == '&')
                strShown += '&';
            strShown += c;
        }
        int n = (int)((pList->m_nStart + i + 1) & 15);
        pCmdUI->m_pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++,
                                    RecentFilePrefix(n) + strShown);
    }
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = (UINT)pCmdUI->m_pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CBasedApp::OnClearRecentFiles()
{
    if (m_pRecentFileList == NULL)
        return;
    for (int i = m_pRecentFileList->GetSize() - 1; i >= 0; i--)
        m_pRecentFileList->Remove(i);
}

void CBasedApp::OnBackupDocument()
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd);
    CDocument* pDoc = pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
    if (pDoc != NULL)
        BackupDocument(pDoc);
}

BOOL CBasedApp::BackupDocument(CDocument* pDoc)
{
    CString strPath = pDoc->GetPathName();
    if (strPath.IsEmpty()) {
        WarningMessage("Now document not saved to disk.", "Warning");
        return FALSE;
    }
    CString strFolder = ReadProfileKey(this, profileBackupFolder, GetProgramFolder());
    if (!SelectFolder(strFolder, "Select backup folder"))
        return FALSE;
    WriteProfileKey(this, profileBackupFolder, strFolder);
    // the user may decline to save: the copy is then of the file as it was
    pDoc->SaveModified();
    CPath path(strPath);
    return ::CopyFileA(strPath, AddSlash(strFolder) + path.GetFileName(), FALSE);
}

// ---------------------------------------------------------------------------
// Message boxes that log
// ---------------------------------------------------------------------------

void WarningMessage(LPCSTR pszText, LPCSTR pszCaption)
{
    ::MessageBoxA(MainWindowOfThread(), pszText, pszCaption, MB_OK | MB_ICONWARNING);
    LogBoxText("== WarningMessage: ", pszText);
}

void InfoMessage(LPCSTR pszText, CWnd* pParent)
{
    HWND hOwner = pParent != NULL ? pParent->GetSafeHwnd() : MainWindowOfThread();
    ::MessageBoxA(hOwner, pszText, "Information", MB_OK | MB_ICONINFORMATION);
    LogBoxText("== InfoMessage: ", pszText);
}

void ErrorMessage(LPCSTR pszText)
{
    ::MessageBoxA(MainWindowOfThread(), pszText, "Error", MB_OK | MB_ICONERROR);
    LogBoxText("== ErrorMessage: ", pszText);
}

int QuestionMessage(LPCSTR pszText)
{
    LogBoxText("== QuestionMessage: ", pszText);
    return ::MessageBoxA(MainWindowOfThread(), pszText, "Question", MB_YESNO | MB_ICONQUESTION);
}

int QuestionWarningMessage(LPCSTR pszText)
{
    LogBoxText("== QuestionWarningMessage: ", pszText);
    return ::MessageBoxA(MainWindowOfThread(), pszText, "Warning", MB_YESNO | MB_ICONWARNING);
}
