// CBasedApp's start-up and exit steps, run on an application object of the
// test's own (the test main's object stays the process's application), with
// a profile and a program folder of their own; the question that is asked
// only once; the message-box functions, which the exception reporter is
// handed; the hand-over to the sibling program.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <string>
#include <thread>
#include "BasedApp.h"
#include "ExceptionReport.h"
#include "LogWindow.h"
#include "Logger.h"
#include "ProfileKeys.h"
#include "SeException.h"
#include "OwnAppTest.h"
#include "TemplateMessageBox.h"
#include "TestFolder.h"
#include "loopback_http.h"
#include "testsupport.h"

namespace {

const char kAppName[] = "PellucorBasedAppTest";
const char kProfileKey[] = "Software\\Dunmorrow\\PellucorBasedAppTest";

class CTestBasedApp : public CBasedApp
{
public:
    CTestBasedApp() : CBasedApp(kAppName) {}
    using CBasedApp::OnUpdateRecentFileMenu;
};

// The object under test becomes AfxGetApp() while it lives (as the
// recent-file list expects); the test main's application is put back after.
class BasedAppTest : public OwnAppTest<CTestBasedApp>
{
protected:
    BasedAppTest() : OwnAppTest(kProfileKey) {}
    void TearDown() override
    {
        OwnAppTest::TearDown();
        GetLogger().SetDefaultLogFile("");
    }
    // The list of the log window, opened on the test's application; NULL
    // when the window does not open.
    CTraceList* OpenLogList()
    {
        m_pApp->CreateLogTemplate();
        if (GetLogger().CreateLogWindow(m_pApp->m_pLogTemplate) == nullptr || CLogWindowView::GetLogView() == nullptr)
            return nullptr;
        return &CLogWindowView::GetLogView()->GetList();
    }
    int Profile(const PROFILE_INT_KEY& key, int nMissing = -99)
    {
        return m_pApp->GetProfileInt(key.pszSection, key.pszEntry, nMissing);
    }
};

TEST_F(BasedAppTest, ConstructorSetsDefaultsAndRegisters)
{
    EXPECT_EQ(GetBasedApp(), m_pApp);
    EXPECT_EQ(m_pApp->m_strCompanyKey, "Dunmorrow");
    EXPECT_EQ(m_pApp->m_nAboutNumber, 420);
    EXPECT_EQ(m_pApp->m_bAboutFlag, 1);
    EXPECT_EQ(m_pApp->m_strAbout.Right(30), CString("Press Esc to close this dialog"));
    EXPECT_EQ(m_pApp->m_bMinimizeToTray, 1);
    EXPECT_EQ(m_pApp->m_bAutoSaveByMinimize + m_pApp->m_bAutoSaveBySwitch + m_pApp->m_bStartWithWindows +
                  m_pApp->m_bDontCloseAndMinimize,
              0);
    EXPECT_EQ(m_pApp->GetProgramFolder(), m_folder.Path() + "\\");
    EXPECT_EQ(m_pApp->GetTempFolder(), m_folder.Path() + "\\Temp\\");

    // Without SetProgramFolder: the program file's folder.
    CString strModule = m_pApp->GetModulePath();
    CTestBasedApp* pOther = new CTestBasedApp;
    EXPECT_EQ(pOther->GetProgramFolder(), strModule.Left(strModule.ReverseFind('\\') + 1));
    EXPECT_EQ(GetBasedApp(), pOther);
    delete pOther;
    EXPECT_EQ(GetBasedApp(), nullptr);
}

// The whole start-up on a fresh profile, then the exit writing back.
TEST_F(BasedAppTest, StartsUpAndWritesBackAtExit)
{
    WriteFileBytes(m_folder.File("ExternalTools.ini"), "1.1\r\nTool\r\ntool.exe\r\n-a\r\nF5\r\n116 0\r\n");
    ASSERT_TRUE(m_pApp->InitInstance());

    EXPECT_STREQ(m_pApp->m_pszRegistryKey, "Dunmorrow");
    EXPECT_TRUE(TestPathExists(m_folder.File("Temp")));
    EXPECT_TRUE(TestPathExists(m_folder.File("Logs")));
    EXPECT_EQ(m_pApp->m_strLogFolder, m_folder.Path() + "\\Logs\\");
    EXPECT_EQ(m_pApp->m_strLogFile, m_folder.Path() + "\\Logs\\log.txt");
    EXPECT_EQ(m_pApp->m_bLogReady, 1);
    EXPECT_EQ(GetLogger().GetDefaultLogFile(), m_pApp->m_strLogFile);

    EXPECT_EQ(g_bEnableLog, 1);   // no value in the profile: logging is on
    EXPECT_EQ(m_pApp->m_bAutoSaveEnable, 0);
    EXPECT_EQ(m_pApp->m_iSaveTime, 10);
    EXPECT_EQ(m_pApp->m_bMinimizeToTray, 1);

    ASSERT_NE(m_pApp->m_pRecentFileList, nullptr);
    EXPECT_EQ(m_pApp->m_pRecentFileList->GetSize(), 4);
    ASSERT_EQ(m_pApp->m_arrExternalTools.GetSize(), 1);
    EXPECT_EQ(m_pApp->m_arrExternalTools[0]->m_strCommand, "tool.exe");
    EXPECT_NE(m_pApp->m_hHandCursor, (HCURSOR)NULL);
    EXPECT_NE(m_pApp->m_pLogTemplate, nullptr);

    g_bEnableLog = 0;
    m_pApp->m_bMinimizeToTray = 0;
    m_pApp->m_bStartWithWindows = 1;
    m_pApp->m_bAutoSaveEnable = 1;
    m_pApp->m_iSaveTime = 3;
    CExternalTool* pTool = new CExternalTool;
    pTool->m_strTitle = "Second";
    m_pApp->m_arrExternalTools.Add(pTool);
    m_pApp->ExitInstance();

    EXPECT_EQ(Profile(profileEnableLog), 0);
    EXPECT_EQ(Profile(profileMinimizeToTray), 0);
    EXPECT_EQ(Profile(profileStartWithWindows), 1);
    EXPECT_EQ(Profile(profileAutoSaveByMinimize), 0);
    EXPECT_EQ(Profile(profileAutoSaveBySwitch), 0);
    EXPECT_EQ(Profile(profileDontCloseAndMinimize), 0);
    // the settings page writes these two, not the exit
    EXPECT_EQ(Profile(profileAutoSaveEnable), -99);
    EXPECT_EQ(Profile(profileSaveTime), -99);
    EXPECT_EQ(ReadFileBytes(m_folder.File("ExternalTools.ini")),
              "1.1\r\nTool\r\ntool.exe\r\n-a\r\nF5\r\n116 0\r\nSecond\r\n\r\n\r\n\r\n0 0\r\n");
    EXPECT_EQ(m_pApp->m_arrExternalTools.GetSize(), 0);
}

TEST_F(BasedAppTest, ReadsOptionsAsFlags)
{
    m_pApp->InitProfile();
    const struct {
        const PROFILE_INT_KEY* key;
        int stored;
    } stored[] = {
        {&profileEnableLog, 0},          {&profileAutoSaveEnable, 7},   {&profileSaveTime, 25},
        {&profileMinimizeToTray, 0},     {&profileAutoSaveByMinimize, 2}, {&profileDontCloseAndMinimize, 1},
        {&profileStartWithWindows, -1},
    };
    for (const auto& s : stored)
        WriteProfileKey(m_pApp, *s.key, s.stored);
    m_pApp->m_bAutoSaveBySwitch = 1;   // no value stored: the member's own value stays
    m_pApp->LoadOptions();
    EXPECT_EQ(g_bEnableLog, 0);
    EXPECT_EQ(m_pApp->m_bAutoSaveEnable, 1);
    EXPECT_EQ(m_pApp->m_iSaveTime, 25);
    EXPECT_EQ(m_pApp->m_bMinimizeToTray, 0);
    EXPECT_EQ(m_pApp->m_bAutoSaveByMinimize, 1);
    EXPECT_EQ(m_pApp->m_bDontCloseAndMinimize, 1);
    EXPECT_EQ(m_pApp->m_bStartWithWindows, 1);
    EXPECT_EQ(m_pApp->m_bAutoSaveBySwitch, 1);
}

TEST_F(BasedAppTest, RecentFilesAndTheirMenu)
{
    m_pApp->InitProfile();
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
    CCmdUI cmdUI;
    cmdUI.m_nID = ID_FILE_MRU_FILE1;
    cmdUI.m_nIndex = 0;
    cmdUI.m_pMenu = &menu;
    cmdUI.m_nIndexMax = 1;
    m_pApp->OnUpdateRecentFileMenu(&cmdUI);   // empty list: the item stays, greyed
    ASSERT_EQ(menu.GetMenuItemCount(), 1u);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);

    m_pApp->WriteProfileString("Recent File List", "File1", "C:\\dir\\a&b.kvfile");
    m_pApp->WriteProfileString("Recent File List", "File2", "C:\\x.kvfile");
    m_pApp->InitProfile();
    ASSERT_EQ(m_pApp->m_pRecentFileList->GetSize(), 4);
    EXPECT_EQ((*m_pApp->m_pRecentFileList)[0], "C:\\dir\\a&b.kvfile");

    cmdUI.m_nID = ID_FILE_MRU_FILE1;
    cmdUI.m_nIndex = 0;
    m_pApp->OnUpdateRecentFileMenu(&cmdUI);
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    CString strItem;
    menu.GetMenuString(0, strItem, MF_BYPOSITION);
    EXPECT_EQ(strItem, "&1 C:\\dir\\a&&b.kvfile");
    EXPECT_EQ(menu.GetMenuItemID(1), (UINT)ID_FILE_MRU_FILE1 + 1);
    menu.GetMenuString(1, strItem, MF_BYPOSITION);
    EXPECT_EQ(strItem, "&2 C:\\x.kvfile");

    const struct {
        int n;
        const char* prefix;
    } prefixes[] = {{1, "&1 "}, {9, "&9 "}, {10, "1&0 "}, {11, "11 "}, {15, "15 "}};
    for (const auto& p : prefixes)
        EXPECT_EQ(CBasedApp::RecentFilePrefix(p.n), p.prefix) << p.n;
}

TEST_F(BasedAppTest, QuestionOnceStoresOnlyATickedYes)
{
    m_pApp->InitProfile();
    const struct {
        const char* name;
        bool tick;
        int button;
        int storedAfter;
    } cases[] = {
        {"ticked No", true, IDNO, 0},
        {"unticked Yes", false, IDYES, 0},
        {"ticked Yes", true, IDYES, 1},
    };
    CDialogAnswerer answerer;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        answerer.Clear();
        answerer.Handle([&](HWND hDlg, const ShownDialog&) {
            if (c.tick)
                CheckDlgButton(hDlg, IDC_TMB_DONTAGAIN, BST_CHECKED);
            CDialogAnswerer::PressButton(hDlg, c.button);
        });
        EXPECT_EQ(m_pApp->QuestionMessageOnce("Delete them all?", "Question", "AskedOnce"), c.button);
        ASSERT_EQ(answerer.Shown().size(), 1u);
        EXPECT_EQ(answerer.Shown()[0].caption, "Question");
        EXPECT_EQ(m_pApp->GetProfileInt("Settings", "AskedOnce", 0), c.storedAfter);
    }
    // stored: Yes at once, no box
    answerer.Clear();
    EXPECT_EQ(m_pApp->QuestionMessageOnce("Delete them all?", "Question", "AskedOnce"), IDYES);
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(BasedAppTest, MessageBoxFunctionsShowTheirBoxes)
{
    g_bEnableLog = 0;
    CDialogAnswerer answerer;
    answerer.Answer(IDOK);
    WarningMessage("w text", "W caption");
    answerer.Answer(IDOK);
    InfoMessage("i text");
    answerer.Answer(IDOK);
    ErrorMessage("e text");
    answerer.Answer(IDNO);
    EXPECT_EQ(QuestionMessage("q text"), IDNO);
    answerer.Answer(IDYES);
    EXPECT_EQ(QuestionWarningMessage("qw text"), IDYES);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"W caption", "w text"}, {"Information", "i text"}, {"Error", "e text"},
        {"Question", "q text"},  {"Warning", "qw text"},
    };
    ASSERT_EQ(answerer.Shown().size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        EXPECT_EQ(answerer.Shown()[i].caption, expected[i].first);
        EXPECT_EQ(answerer.Shown()[i].text, expected[i].second);
    }
}

// Each box adds a prefixed comment and an empty data record to the log while
// logging is on; the questions log before they ask, the others after.
TEST_F(BasedAppTest, MessageBoxFunctionsLogWithTheirPrefixes)
{
    CTraceList* pList = OpenLogList();
    ASSERT_NE(pList, nullptr);
    CTraceList& list = *pList;
    const int nStart = list.GetCount();

    CDialogAnswerer answerer;
    std::vector<int> rowsWhileShown;
    auto answer = [&](int nButton) {
        answerer.Handle([&, nButton](HWND hDlg, const ShownDialog&) {
            rowsWhileShown.push_back(list.GetCount() - nStart);
            CDialogAnswerer::PressButton(hDlg, nButton);
        });
    };
    g_bEnableLog = 1;
    answer(IDOK);
    WarningMessage("disk full");
    answer(IDOK);
    InfoMessage("done");
    answer(IDOK);
    ErrorMessage("failed");
    answer(IDYES);
    QuestionMessage("go on?");
    answer(IDNO);
    QuestionWarningMessage("really?");
    g_bEnableLog = 0;
    answer(IDOK);
    ErrorMessage("not logged");

    EXPECT_EQ(rowsWhileShown, (std::vector<int>{0, 2, 4, 8, 10, 10}));
    const char* texts[] = {"== WarningMessage: disk full", "== InfoMessage: done", "== ErrorMessage: failed",
                           "== QuestionMessage: go on?", "== QuestionWarningMessage: really?"};
    ASSERT_EQ(list.GetCount() - nStart, 10);
    for (int i = 0; i < 5; i++) {
        TraceEvent* pComment = list.GetEvent(nStart + 2 * i);
        TraceEvent* pData = list.GetEvent(nStart + 2 * i + 1);
        EXPECT_TRUE(pComment->IsKindOf(RUNTIME_CLASS(TraceComment)));
        EXPECT_EQ(pComment->GetText(), texts[i]);
        EXPECT_EQ(pComment->m_nNumber, -1);
        EXPECT_TRUE(pData->IsKindOf(RUNTIME_CLASS(TraceData)));
        EXPECT_EQ(pData->GetText(), "");
    }
    GetLogger().DestroyLogWindow();
}

// The exception reporter stands below the framework and is handed the
// application's boxes: what it says is shown and logged like any other box.
TEST_F(BasedAppTest, ExceptionReporterShowsTheApplicationsBoxes)
{
    CDialogAnswerer answerer;
    CTraceList* pList = OpenLogList();
    ASSERT_NE(pList, nullptr);
    const int nStart = pList->GetCount();
    g_bEnableLog = 1;
    answerer.Answer(IDOK);
    CSeException fault(0xC0000005, NULL);
    fault.ReportError();
    answerer.Answer(IDNO);
    EXPECT_EQ(AskReportQuestion("Write a report?"), IDNO);
    g_bEnableLog = 0;

    ASSERT_EQ(answerer.Shown().size(), 2u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Error");
    EXPECT_EQ(answerer.Shown()[1].caption, "Warning");
    ASSERT_EQ(pList->GetCount() - nStart, 4);
    EXPECT_EQ(pList->GetEvent(nStart)->GetText(),
              "== ErrorMessage: Exception ACCESS_VIOLATION (0xc0000005) at address 0x00000000.");
    EXPECT_EQ(pList->GetEvent(nStart + 2)->GetText(), "== QuestionWarningMessage: Write a report?");
    GetLogger().DestroyLogWindow();
}

TEST_F(BasedAppTest, SavesAndLoadsTextFiles)
{
    CString path = m_folder.File("text.txt");
    const struct {
        const char* name;
        BOOL raw;
        const char* text;
        std::string onDisk;
        const char* loaded;
    } cases[] = {
        {"raw keeps bytes", TRUE, "a\nb\r\n", "a\nb\r\n", "a\nb\r\n"},
        {"text translates line ends", FALSE, "a\nb\n", "a\r\nb\r\n", "a\r\nb\r\n"},
        {"text ends every line", FALSE, "a\nlast", "a\r\nlast", "a\r\nlast\r\n"},
        {"empty", FALSE, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(path, "previous, longer content");
        ASSERT_TRUE(m_pApp->SaveStringToFile(path, c.text, c.raw));
        EXPECT_EQ(ReadFileBytes(path), c.onDisk);
        EXPECT_EQ(m_pApp->LoadStringFromFile(path, c.raw), c.loaded);
    }
    EXPECT_EQ(m_pApp->LoadStringFromFile(m_folder.File("none.txt"), TRUE), "");
    EXPECT_EQ(m_pApp->LoadStringFromFile(m_folder.File("none.txt"), FALSE), "");
    EXPECT_FALSE(m_pApp->SaveStringToFile(m_folder.File("no folder\\x.txt"), "x", TRUE));
    EXPECT_FALSE(m_pApp->SaveStringToFile(m_folder.File("no folder\\x.txt"), "x", FALSE));
}

TEST_F(BasedAppTest, NumbersFoldersAfterTheLastOne)
{
    CString strName;
    EXPECT_FALSE(m_pApp->GetNextNumberedFolderName(m_folder.File("missing"), strName));
    ASSERT_TRUE(m_pApp->GetNextNumberedFolderName(m_folder.Path(), strName));
    EXPECT_EQ(strName, "00000");
    CreateDirectoryA(m_folder.File("00007"), NULL);
    WriteFileBytes(m_folder.File("99999.txt"), "a file is no folder");
    ASSERT_TRUE(m_pApp->GetNextNumberedFolderName(m_folder.Path(), strName));
    EXPECT_EQ(strName, "00008");
}

TEST_F(BasedAppTest, DownloadsOnePage)
{
    CLoopbackHttpServer server;
    server.Route("/page", [](const CLoopbackRequest&) { return CLoopbackResponse::Text(200, "page text"); });
    server.Route("/zero", [](const CLoopbackRequest&) {
        return CLoopbackResponse::Text(200, std::string("before\0after", 12));
    });
    ASSERT_TRUE(server.Start());

    EXPECT_EQ(m_pApp->DownloadUrl(server.Url("/page").c_str()), "page text");
    CLoopbackRequest rq = server.LastRequest();
    EXPECT_EQ(rq.method, "GET");
    EXPECT_EQ(rq.Header("User-Agent"), std::string(m_pApp->GetModulePath()));
    EXPECT_EQ(rq.Header("Referer"), std::string(m_pApp->GetSiteUrl()));

    EXPECT_EQ(m_pApp->DownloadUrl(server.Url("/zero").c_str()), "before");
    EXPECT_EQ(m_pApp->DownloadUrl(server.Url("/missing").c_str()), "");   // 404
    // Every answer outside 2xx is a failure, whatever its body.
    for (int nStatus : {201, 299}) {
        server.Route("/status", [nStatus](const CLoopbackRequest&) { return CLoopbackResponse::Text(nStatus, "body"); });
        EXPECT_EQ(m_pApp->DownloadUrl(server.Url("/status").c_str()), "body") << nStatus;
    }
    for (int nStatus : {300, 400, 403, 410, 500, 503}) {
        server.Route("/status", [nStatus](const CLoopbackRequest&) {
            return CLoopbackResponse::Text(nStatus, "error page");
        });
        EXPECT_EQ(m_pApp->DownloadUrl(server.Url("/status").c_str()), "") << nStatus;
    }
    EXPECT_EQ(m_pApp->DownloadUrl("not a url"), "");

    CString file = m_folder.File("download.tmp");
    EXPECT_EQ(m_pApp->DownloadUrl(server.Url("/page").c_str(), file), "page text");
    EXPECT_FALSE(TestPathExists(file));
}

TEST_F(BasedAppTest, BacksUpASavedDocumentOnly)
{
    m_pApp->InitProfile();
    CDocument doc;
    CDialogAnswerer answerer;
    EXPECT_FALSE(m_pApp->BackupDocument(&doc));
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Warning");
    EXPECT_EQ(answerer.Shown()[0].text, "Now document not saved to disk.");

    CString strBackup = m_folder.File("backup");
    CreateDirectoryA(strBackup, NULL);
    WriteFileBytes(m_folder.File("words.kvfile"), "document bytes");
    doc.SetPathName(m_folder.File("words.kvfile"), FALSE);
    WriteProfileKey(m_pApp, profileBackupFolder, strBackup);
    answerer.Clear();
    // The user picks the backup folder in the folder browser and presses OK
    // once the browser shows it selected. (This Wine's browser fills its tree
    // after it shows, so the pick is repeated until it holds.)
    CString strPick = strBackup;
    answerer.Handle([strPick](HWND dialog, const ShownDialog&) {
        std::thread([dialog, strPick] {
            HWND hTree = ::FindWindowExA(dialog, NULL, WC_TREEVIEWA, NULL);
            auto selected = [hTree] {
                char szText[MAX_PATH] = "";
                TVITEMA item = {};
                item.mask = TVIF_TEXT;
                item.hItem = TreeView_GetSelection(hTree);
                item.pszText = szText;
                item.cchTextMax = sizeof(szText);
                return item.hItem != NULL && TreeView_GetItem(hTree, &item) ? std::string(szText) : std::string();
            };
            const ULONGLONG ullEnd = ::GetTickCount64() + kWaitMs;
            while (selected() != "backup" && ::GetTickCount64() < ullEnd) {
                ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, (LPARAM)(LPCSTR)strPick);
                ::Sleep(20);
            }
            CDialogAnswerer::PressButton(dialog, IDOK);
        }).detach();
    });
    EXPECT_TRUE(m_pApp->BackupDocument(&doc));
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(ReadFileBytes(strBackup + "\\words.kvfile"), "document bytes");
    EXPECT_EQ(ReadProfileKey(m_pApp, profileBackupFolder), strBackup);
}

// ---------------------------------------------------------------------------
// The sibling program, played by windows of the test's own.
// ---------------------------------------------------------------------------
struct SiblingCall {
    std::string window;
    ULONG_PTR id;
    DWORD length;
    std::string text;
};
std::vector<SiblingCall> g_siblingCalls;

LRESULT CALLBACK SiblingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COPYDATA) {
        const COPYDATASTRUCT* pData = (const COPYDATASTRUCT*)lParam;
        g_siblingCalls.push_back({WindowText(hWnd), pData->dwData, pData->cbData,
                                  std::string((const char*)pData->lpData)});
        return (LRESULT)GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

class CSiblingWindow
{
public:
    CSiblingWindow(const char* pszTitle, LRESULT nAnswer, bool bVisible, HWND hOwner = NULL)
    {
        static ATOM atom = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = SiblingProc;
            wc.hInstance = GetModuleHandleA(NULL);
            wc.lpszClassName = "PellucorTestSibling";
            return RegisterClassA(&wc);
        }();
        (void)atom;
        m_hWnd = CreateWindowExA(0, "PellucorTestSibling", pszTitle, WS_POPUP | (bVisible ? WS_VISIBLE : 0), 0, 0,
                                 50, 50, hOwner, NULL, GetModuleHandleA(NULL), NULL);
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, (LONG_PTR)nAnswer);
    }
    ~CSiblingWindow() { DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

TEST_F(BasedAppTest, HandsTextToTheSiblingThatTakesIt)
{
    g_siblingCalls.clear();
    {
        // Created bottom first: the walk meets them from the top.
        CSiblingWindow taker("Fennicle - taker", 5, true);
        CSiblingWindow hidden("Fennicle - hidden", 5, false);
        CSiblingWindow owned("Fennicle - owned", 5, true, taker.m_hWnd);
        CSiblingWindow refuser("Fennicle - refuser", 0, true);
        CSiblingWindow other("Another program", 5, true);
        CDialogAnswerer answerer;
        m_pApp->SendTextToSiblingProgram("keyword list");
        EXPECT_TRUE(answerer.Shown().empty());
    }
    ASSERT_EQ(g_siblingCalls.size(), 2u);
    EXPECT_EQ(g_siblingCalls[0].window, "Fennicle - refuser");
    EXPECT_EQ(g_siblingCalls[1].window, "Fennicle - taker");
    EXPECT_EQ(g_siblingCalls[1].id, 1u);
    EXPECT_EQ(g_siblingCalls[1].length, 13u);   // the text and its zero
    EXPECT_EQ(g_siblingCalls[1].text, "keyword list");
}

// A sibling whose thread does not answer is passed over after a while: the
// hand-over goes on to the next one instead of freezing the program.
TEST_F(BasedAppTest, PassesOverAHungSibling)
{
    g_siblingCalls.clear();
    CSiblingWindow taker("Fennicle - taker", 5, true);
    HANDLE hMade = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE hRelease = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread hung([&] {
        CSiblingWindow window("Fennicle - hung", 5, true);
        SetEvent(hMade);
        WaitForSingleObject(hRelease, 30000);   // never pumps its messages meanwhile
        // The unanswered hand-over is dropped with the thread, never handled late.
        SetWindowLongPtrA(window.m_hWnd, GWLP_WNDPROC, (LONG_PTR)DefWindowProcA);
    });
    ASSERT_EQ(WaitForSingleObject(hMade, kWaitMs), WAIT_OBJECT_0);
    ::SetWindowPos(taker.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CDialogAnswerer answerer;
    DWORD dwStart = GetTickCount();
    m_pApp->SendTextToSiblingProgram("keyword list");
    DWORD dwElapsed = GetTickCount() - dwStart;
    SetEvent(hRelease);
    hung.join();
    CloseHandle(hMade);
    CloseHandle(hRelease);
    EXPECT_LT(dwElapsed, 10000u);
    EXPECT_TRUE(answerer.Shown().empty());
    ASSERT_EQ(g_siblingCalls.size(), 1u);
    EXPECT_EQ(g_siblingCalls[0].window, "Fennicle - taker");
}

TEST_F(BasedAppTest, AsksToLaunchTheSiblingWhenNoneTakesTheText)
{
    g_siblingCalls.clear();
    CSiblingWindow refuser("Fennicle", 0, true);
    CDialogAnswerer answerer;
    m_pApp->SendTextToSiblingProgram("x");
    EXPECT_EQ(g_siblingCalls.size(), 1u);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Launch Fennicle, please");
    EXPECT_EQ(answerer.Shown()[0].text,
              "Launch Fennicle first, please.\r\nYou should have Fennicle up and running in order to use this "
              "feature.");
}

}  // namespace
