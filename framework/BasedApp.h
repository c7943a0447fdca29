// BasedApp.h - CBasedApp, the framework's application class, and the
// message-box functions that also write what they show into the trace log.
//
// The program's application class derives from CBasedApp and calls its
// InitInstance from its own. Start-up runs in a fixed order (see
// InitInstance); each step is a member of its own so that it can be run, and
// checked, on an object that is not the running application.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include "ExternalTools.h"

class CMultiDocTemplate;

// Commands of the application's message map.
#define ID_SHOW_TIP_OF_THE_DAY      300
#define ID_BACKUP_DOCUMENT          35005
#define ID_CLEAR_RECENT_FILES       35012
// On no menu: the whole-program tests fault the user-interface thread with it
// (it does nothing unless their switch is set).
#define ID_TEST_FAULT               35098

// The sibling program the hand-over looks for, by its window title, and the
// answer with which it takes a text.
inline constexpr char szSiblingProgramTitle[] = "Fennicle";
inline constexpr ULONG_PTR nSiblingCopyDataId = 1;
inline constexpr LRESULT nSiblingAccepted = 5;

class CBasedApp : public CWinApp
{
public:
    explicit CBasedApp(LPCTSTR lpszAppName = NULL);
    virtual ~CBasedApp();

    // ---- set by the program's constructor ----
    CDialog* m_pSplashWnd;          // the about box shown as a splash, destroyed at exit
    int m_bSplash;                  // whether that splash is showing
    CString m_strAbout;             // text of the about box
    int m_nAboutNumber;             // passed to the about box
    BYTE m_bAboutFlag;              // passed to the about box

    // ---- framework options (profile: "Settings") ----
    BYTE m_bAutoSaveEnable;         // auto-save on the frame's timer
    int m_iSaveTime;                // its period in minutes
    BYTE m_bMinimizeToTray;
    BYTE m_bAutoSaveByMinimize;
    BYTE m_bAutoSaveBySwitch;
    BYTE m_bStartWithWindows;
    BYTE m_bDontCloseAndMinimize;   // the close box minimises

    CMultiDocTemplate* m_pLogTemplate;   // the trace-log window's; not in the document manager
    CString m_strLogFolder;              // program folder + "Logs\"
    BYTE m_bLogReady;                    // the log paths are known
    CString m_strLogFile;                // log folder + "log.txt"
    HCURSOR m_hHandCursor;
    CString m_strCompanyKey;             // "Dunmorrow"
    CExternalToolArray m_arrExternalTools;   // owned

    // ---- overridables ----
    virtual CString GetModulePath();       // the program file's full path
    virtual CString GetSiteUrl();
    virtual CString GetSecondSiteUrl();
    virtual CString GetSupportEmail();
    // Opens the document of the command line, else the last recent file when
    // it still exists, else processes the command line as usual. Unless the
    // program starts hidden, minimised or embedded, the about box stands as a
    // splash on the screen meanwhile.
    virtual BOOL OpenLastDocumentAtStartup();

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override { return CWinApp::PreTranslateMessage(pMsg); }
    int ExitInstance() override;

    // ---- start-up steps, in the order InitInstance runs them ----
    void InitCommonControls();       // and the base's InitInstance
    BOOL InitOle();                  // FALSE (after the error box) when OLE refuses
    void InitControlLibraries();     // rich edit, control containers
    void InitProfile();              // registry key, four recent files
    void CreateFolders();            // "Temp\", "Logs\" and the log paths
    void LoadOptions();
    BOOL LoadExternalTools();
    void CreateLogTemplate();

    // ---- exit steps ----
    void SaveOptions();              // all but the two auto-save values
    BOOL SaveExternalTools();

    // ---- folders and files ----
    // The folder of the program file, with a trailing backslash; a program
    // (or a test) may keep its files elsewhere with SetProgramFolder.
    CString GetProgramFolder() const { return m_strProgramFolder; }
    void SetProgramFolder(LPCSTR pszFolder);
    CString GetTempFolder() const { return GetProgramFolder() + "Temp\\"; }
    CString GetExternalToolsPath() const { return GetProgramFolder() + szExternalToolsFile; }

    // raw: byte for byte; else a text stream (line ends translated).
    BOOL SaveStringToFile(LPCSTR pszPath, LPCSTR pszText, BOOL bRaw);
    CString LoadStringFromFile(LPCSTR pszPath, BOOL bRaw);
    CString LoadHtmlResourceText(UINT nID);
    // Appends "<local date and time>> <text>\r\n" to a file in the program folder.
    void AppendLineToFile(LPCSTR pszText, LPCSTR pszFileName);
    // The next name of a folder of numbered subfolders: the last subfolder's
    // number + 1 (0 when there is none), as five digits. FALSE when the
    // folder is no directory.
    BOOL GetNextNumberedFolderName(LPCSTR pszFolder, CString& strResult);

    // One HTTP GET of the URL (the program's path as the agent, the site as
    // the referer, never from the cache); the body's text up to its first
    // zero byte, at most about 10 MB. Empty on any failure, a 404 included.
    // With a file name the text also passes through that file, which is
    // deleted afterwards.
    CString DownloadUrl(LPCSTR pszUrl, LPCSTR pszFile = "");

    // Asks with a "Don't ask me again" box, unless "Settings"/key says the
    // user ticked it with Yes before (then IDYES at once). Returns the button.
    int QuestionMessageOnce(LPCSTR pszText, LPCSTR pszCaption, LPCSTR pszKey);

    // Hands the text to the first visible, unowned top-level window whose
    // title holds "Fennicle" and that takes it (answers 5); when none does,
    // asks the user to start it first.
    void SendTextToSiblingProgram(LPCSTR pszText);

    // Copies the document's file into a folder the user picks (kept as
    // "CommonSettings"/"BackupFolder"), after offering to save its changes.
    // An unsaved document only gets a warning. TRUE when a copy was made.
    BOOL BackupDocument(CDocument* pDoc);

    // "&1 " to "&9 ", "1&0 ", then "11 " and on: the prefix of recent file n (1-based).
    static CString RecentFilePrefix(int n);

    // The tip of the day at the end of the program's start-up: shown when the
    // command line allows a splash and the user has not switched it off.
    void ShowTipAtStartup();

protected:
    // The document part of OpenLastDocumentAtStartup.
    BOOL OpenStartupDocument(CCommandLineInfo& cmdInfo);

    afx_msg void OnAppAbout();
    afx_msg void OnShowTipOfTheDay();
    afx_msg void OnBackupDocument();
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg void OnClearRecentFiles();
    afx_msg void OnUpdateClearRecentFiles(CCmdUI* pCmdUI) {}
    afx_msg void OnTestFault();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strProgramFolder;
};

// The one application object of the framework (set by CBasedApp's
// constructor, cleared by its destructor); NULL when there is none.
CBasedApp* GetBasedApp();

// Whether the message-box functions log what they show ("CBasedApp"/
// "m_bEnableLog", read at start-up, written at exit).
extern BYTE g_bEnableLog;

// Message boxes owned by the calling thread's main window (none when it has
// none). When g_bEnableLog is set each also logs its text with a prefix
// ("== WarningMessage: " and so on); the questions log before they ask, the
// others after the box is closed.
void WarningMessage(LPCSTR pszText, LPCSTR pszCaption = "Warning");
void InfoMessage(LPCSTR pszText, CWnd* pParent = NULL);
void ErrorMessage(LPCSTR pszText);
int QuestionMessage(LPCSTR pszText);
int QuestionWarningMessage(LPCSTR pszText);
