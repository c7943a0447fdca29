// The program's main frame: the auto-save period and the timed save, the Copy
// and Export bar with its drop-down menus, and the frame under an application
// that is not the framework's.
#include "ViewFixture.h"
#include <climits>
#include <set>
#include <commctrl.h>
#include "BasedApp.h"
#include "ErrorReaderDlg.h"
#include "FrameworkUtils.h"
#include "ProfileKeys.h"
#include "TestFolder.h"

namespace {

// ---- auto-save ----

struct PeriodCase {
    int nMinutes;
    UINT nPeriod;
};

TEST(MainFrameAutoSave, PeriodIsClampedToWholeMinutesThatFit)
{
    const PeriodCase cases[] = {
        {INT_MIN, 60000u}, {-5, 60000u}, {0, 60000u}, {1, 60000u},
        {10, 600000u}, {35791, 35791u * 60000u}, {35792, 35791u * 60000u}, {INT_MAX, 35791u * 60000u},
    };
    for (const PeriodCase& c : cases) {
        EXPECT_EQ(CMainFrame::AutoSavePeriod(c.nMinutes), c.nPeriod) << c.nMinutes << " minutes";
        EXPECT_LE(CMainFrame::AutoSavePeriod(c.nMinutes), (UINT)INT_MAX);
    }
}

// A document that records its saves and can be made to fail one.
class CSaveRecorderDoc : public CDocument
{
public:
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override
    {
        m_saves.push_back(lpszPathName);
        if (m_bThrow)
            throw CString("disk full");
        return TRUE;
    }
    std::vector<std::string> m_saves;
    bool m_bThrow = false;
};

struct SaveCase {
    bool bModified;
    const char* pszPath;
    bool bThrow;
    bool bSaved;       // what the timed save reports
    int nSaveCalls;
};

TEST(MainFrameAutoSave, SavesOnlyAModifiedDocumentWithAPathAndSwallowsFailures)
{
    const SaveCase cases[] = {
        {true, "C:\\work\\keywords.kvfile", false, true, 1},
        {false, "C:\\work\\keywords.kvfile", false, false, 0},
        {true, "", false, false, 0},        // never had a path: no prompt, no save
        {false, "", false, false, 0},
        {true, "C:\\work\\keywords.kvfile", true, false, 1},
    };
    for (const SaveCase& c : cases) {
        CSaveRecorderDoc doc;
        if (*c.pszPath)
            doc.SetPathName(c.pszPath, FALSE);
        doc.SetModifiedFlag(c.bModified);
        doc.m_bThrow = c.bThrow;
        EXPECT_EQ(CMainFrame::AutoSaveDocument(&doc) != FALSE, c.bSaved) << c.pszPath << " " << c.bModified;
        ASSERT_EQ((int)doc.m_saves.size(), c.nSaveCalls) << c.pszPath << " " << c.bModified;
        if (c.nSaveCalls)
            EXPECT_EQ(doc.m_saves[0], c.pszPath);
    }
    EXPECT_FALSE(CMainFrame::AutoSaveDocument(NULL));
}

// ---- the frame ----

// The command ids a pop-up menu shows, those of its pop-ups too.
void CollectMenuIds(HMENU hMenu, std::set<UINT>& ids)
{
    for (int i = 0; i < GetMenuItemCount(hMenu); i++) {
        if (HMENU hSub = GetSubMenu(hMenu, i))
            CollectMenuIds(hSub, ids);
        else if (GetMenuItemID(hMenu, i) != 0)
            ids.insert(GetMenuItemID(hMenu, i));
    }
}

class MainFrameTest : public ViewTest
{
protected:
    // The bar's arrow as the tool-bar control reports a click on it: whether
    // a menu showed, and the command ids it showed before it was closed.
    bool DropDown(UINT nButtonID, std::set<UINT>& ids)
    {
        ids.clear();
        CToolBar24& bar = m_pFrame->GetCopyExportBar();
        NMTOOLBARA nm = {};
        nm.hdr.hwndFrom = bar.m_hWnd;
        nm.hdr.idFrom = IDR_COPY_EXPORT_BAR;
        nm.hdr.code = TBN_DROPDOWN;
        nm.iItem = (int)nButtonID;
        CMenuWatch watch([&](HWND hMenuWnd) {
            if (HMENU hMenu = (HMENU)SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0))
                CollectMenuIds(hMenu, ids);
            EndMenu();
        });
        ::SendMessageA(m_pFrame->m_hWnd, WM_NOTIFY, IDR_COPY_EXPORT_BAR, (LPARAM)&nm);
        return watch.Acted();
    }
};

TEST_F(MainFrameTest, CaptionStatusBarAndCopyExportBar)
{
    CreateWindows();
    char szCaption[64] = "";
    ::GetWindowTextA(m_pFrame->m_hWnd, szCaption, sizeof szCaption);
    EXPECT_STREQ(szCaption, "Pellucor");
    EXPECT_TRUE(::IsWindow(m_pFrame->GetStatusBar().m_hWnd));

    CToolBar24& bar = m_pFrame->GetCopyExportBar();
    ASSERT_TRUE(::IsWindow(bar.m_hWnd));
    ASSERT_EQ(::SendMessageA(bar.m_hWnd, TB_BUTTONCOUNT, 0, 0), 11);
    const UINT ids[] = {IDC_BACK, IDC_SETTINGS, 0, IDC_CHECK_ALL, IDC_UNCHECK_ALL, 0,
                        IDC_COPY, IDC_SAVE, 0, ID_EXPORT_DROPDOWN, ID_COPY_DROPDOWN};
    for (int i = 0; i < 11; i++) {
        TBBUTTON button = {};
        ::SendMessageA(bar.m_hWnd, TB_GETBUTTON, (WPARAM)i, (LPARAM)&button);
        if (ids[i] != 0)
            EXPECT_EQ((UINT)button.idCommand, ids[i]) << "button " << i;
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, ids[i] == 0) << "button " << i;
        bool bDropDown = (button.fsStyle & BTNS_DROPDOWN) != 0;
        EXPECT_EQ(bDropDown, i >= 9) << "button " << i;
    }
}

TEST_F(MainFrameTest, DropDownArrowsOpenTheirMenus)
{
    CreateWindows();
    const std::set<UINT> copyIds = {ID_COPY_ASTEXT, ID_COPY_ASHTMLTABLE, ID_COPY_ASCOMMALIST, ID_COPY_ASMETATAG,
                                    ID_COPY_ADWORDS_BROADMATCH, ID_COPY_ADWORDS_PHRASEMATCH,
                                    ID_COPY_ADWORDS_EXACTMATCH};
    const std::set<UINT> exportIds = {ID_EXPORT_TOHTMLFILE, ID_EXPORT_TOTEXTFILE, ID_EXPORT_TOMETATAG,
                                      ID_EXPORT_TOCSVFILE, ID_EXPORT_TOEXCEL, ID_EXPORT_ADWORDS_BROADMATCH,
                                      ID_EXPORT_ADWORDS_PHRASEMATCH, ID_EXPORT_ADWORDS_EXACTMATCH};
    std::set<UINT> ids;
    EXPECT_TRUE(DropDown(ID_COPY_DROPDOWN, ids)) << "no menu showed";
    EXPECT_EQ(ids, copyIds);

    EXPECT_TRUE(DropDown(ID_EXPORT_DROPDOWN, ids)) << "no menu showed";
    EXPECT_EQ(ids, exportIds);

    // any other button has no menu (a menu is tracked before the call returns)
    EXPECT_FALSE(DropDown(IDC_SAVE, ids));
}

// The tests' application is not the framework's: nothing says auto-save is
// on, so the first tick stops the timer and saves nothing.
TEST_F(MainFrameTest, AutoSaveTickWithoutFrameworkApplicationStopsTheTimer)
{
    CreateWindows();
    CDocument* pDoc = m_pFrame->GetActiveDocument();
    ASSERT_NE(pDoc, nullptr);
    pDoc->SetModifiedFlag(TRUE);
    // The frame started the timer when it was made; it is started again here
    // so that the tick has a running timer to stop.
    ASSERT_TRUE(::KillTimer(m_pFrame->m_hWnd, CMainFrame::nAutoSaveTimer)) << "the frame started no auto-save timer";
    ASSERT_TRUE(::SetTimer(m_pFrame->m_hWnd, CMainFrame::nAutoSaveTimer, 3600000, NULL));
    ::SendMessageA(m_pFrame->m_hWnd, WM_TIMER, CMainFrame::nAutoSaveTimer, 0);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_FALSE(::KillTimer(m_pFrame->m_hWnd, CMainFrame::nAutoSaveTimer));
    pDoc->SetModifiedFlag(FALSE);
}

// ---- the program's images ----

// The size of each picture an icon resource holds (from its group directory).
std::set<int> IconSizes(int nID)
{
    std::set<int> sizes;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hGroup = ::FindResourceA(hInst, MAKEINTRESOURCE(nID), RT_GROUP_ICON);
    if (hGroup == NULL)
        return sizes;
    PBYTE pDir = (PBYTE)::LockResource(::LoadResource(hInst, hGroup));
    for (int n : {16, 32}) {
        int nIcon = ::LookupIconIdFromDirectoryEx(pDir, TRUE, n, n, LR_DEFAULTCOLOR);
        HRSRC hIcon = ::FindResourceA(hInst, MAKEINTRESOURCE(nIcon), RT_ICON);
        if (hIcon == NULL)
            continue;
        const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::LockResource(::LoadResource(hInst, hIcon));
        if (pHeader->biWidth == n && pHeader->biHeight == 2 * n)
            sizes.insert(n);
    }
    return sizes;
}

// The bytes of an icon resource's 16 pixel picture.
std::string IconBits(int nID)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hGroup = ::FindResourceA(hInst, MAKEINTRESOURCE(nID), RT_GROUP_ICON);
    if (hGroup == NULL)
        return std::string();
    PBYTE pDir = (PBYTE)::LockResource(::LoadResource(hInst, hGroup));
    int nIcon = ::LookupIconIdFromDirectoryEx(pDir, TRUE, 16, 16, LR_DEFAULTCOLOR);
    HRSRC hIcon = ::FindResourceA(hInst, MAKEINTRESOURCE(nIcon), RT_ICON);
    if (hIcon == NULL)
        return std::string();
    return std::string((const char*)::LockResource(::LoadResource(hInst, hIcon)), ::SizeofResource(hInst, hIcon));
}

struct BitmapFacts {
    int nWidth = 0, nHeight = 0;
    COLORREF crCorner = CLR_INVALID;
    int nPainted = 0;   // pixels that are not the corner's colour
};

BitmapFacts ReadBitmap(int nID)
{
    BitmapFacts facts;
    HBITMAP hbm = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCE(nID), IMAGE_BITMAP, 0, 0,
                                        LR_CREATEDIBSECTION);
    if (hbm == NULL)
        return facts;
    BITMAP bm = {};
    ::GetObjectA(hbm, sizeof bm, &bm);
    facts.nWidth = bm.bmWidth;
    facts.nHeight = bm.bmHeight;
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    facts.crCorner = ::GetPixel(hdc, 0, 0);
    for (int y = 0; y < bm.bmHeight; y++)
        for (int x = 0; x < bm.bmWidth; x++)
            if (::GetPixel(hdc, x, y) != facts.crCorner)
                facts.nPainted++;
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::DeleteObject(hbm);
    return facts;
}

// The buttons with an image in a tool bar resource (separators have none).
int ToolBarImageCount(int nID, int& nImageSize)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCE(nID), RT_TOOLBAR);
    if (hRes == NULL)
        return -1;
    // as the resource compiler writes it: width, height, count, then the ids
    const DWORD* pData = (const DWORD*)::LockResource(::LoadResource(hInst, hRes));
    nImageSize = (int)pData[0];
    int nCount = 0;
    for (DWORD i = 0; i < pData[2]; i++)
        if (pData[3 + i] != 0)
            nCount++;
    return nCount;
}

// Each of the main view's buttons has an icon and a bitmap under one id,
// each icon has a 16 and a 32 pixel picture, and each bitmap is one 16 pixel
// picture on its transparent colour.
TEST(ProgramImages, ButtonsHaveIconsAndBitmaps)
{
    struct Case { int nID; const char* what; bool bBitmap; } cases[] = {
        {134, "Settings", true}, {137, "Get New Version", true}, {138, "Check All", true},
        {139, "Exit", true}, {140, "Copy", true}, {141, "Help", true}, {143, "Back", true},
        {144, "Save", true}, {167, "Unckeck All", false}, {505, "Check Custom", false},
        {142, "program and tray", false}, {508, "tray, second frame", false}, {IDR_MAINFRAME, "main window", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(IconSizes(c.nID), (std::set<int>{16, 32}));
        if (!c.bBitmap)
            continue;
        BitmapFacts facts = ReadBitmap(c.nID);
        EXPECT_EQ(facts.nWidth, 16);
        EXPECT_EQ(facts.nHeight, 16);
        EXPECT_EQ(facts.crCorner, RGB(192, 192, 192));
        EXPECT_GT(facts.nPainted, 40);
    }
    // the animation's two frames differ
    EXPECT_NE(IconBits(142), IconBits(508));
}

// The tool bars' strips have one 16 pixel picture per button, on the
// transparent colour each bar is loaded with.
TEST(ProgramImages, ToolBarStripsMatchTheirButtons)
{
    struct Case { int nID; COLORREF crMask; int nButtons; } cases[] = {
        {IDR_MAINFRAME, RGB(192, 192, 192), 2},
        {IDR_COPY_EXPORT_BAR, RGB(255, 0, 255), 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nID);
        int nImageSize = 0;
        EXPECT_EQ(ToolBarImageCount(c.nID, nImageSize), c.nButtons);
        EXPECT_EQ(nImageSize, 16);
        BitmapFacts facts = ReadBitmap(c.nID);
        EXPECT_EQ(facts.nWidth, 16 * c.nButtons);
        EXPECT_EQ(facts.nHeight, 16);
        EXPECT_EQ(facts.crCorner, c.crMask);
        EXPECT_GT(facts.nPainted, 40 * c.nButtons);
    }
}

// ---- the tray icon, the framework's commands ----

struct ShellCall {
    DWORD dwMessage;
    UINT uFlags;
    HICON hIcon;
};
std::vector<ShellCall> g_shellCalls;

BOOL WINAPI RecordShell(DWORD dwMessage, PNOTIFYICONDATAA pData)
{
    g_shellCalls.push_back({dwMessage, pData->uFlags, pData->hIcon});
    return TRUE;
}

// The frame with a shell that records what it is asked.
class MainFrameShellTest : public MainFrameTest
{
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        g_shellCalls.clear();
        CSystemTray::s_pfnShellNotifyIcon = RecordShell;
    }
    void TearDown() override
    {
        MainFrameTest::TearDown();
        CSystemTray::s_pfnShellNotifyIcon = ::Shell_NotifyIconA;
    }
    static HICON Icon(int nID) { return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(nID)); }
};

// The shell's right click on the icon reaches the frame as its callback
// message: the "Tray" menu opens with "&Show" in bold, and closing it runs
// nothing.
TEST_F(MainFrameShellTest, RightClickOnTheTrayIconOpensTheTrayMenu)
{
    CreateWindows();
    ASSERT_FALSE(g_shellCalls.empty());
    EXPECT_EQ(g_shellCalls[0].dwMessage, (DWORD)NIM_ADD);
    EXPECT_EQ(g_shellCalls[0].hIcon, Icon(142));

    std::vector<UINT> ids;
    int nDefault = -1;
    LRESULT result = 0;
    {
        CMenuWatch watch([&](HWND hMenuWnd) {
            HMENU hMenu = (HMENU)SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0);
            for (int i = 0; hMenu != NULL && i < GetMenuItemCount(hMenu); i++)
                ids.push_back(GetMenuItemID(hMenu, i));
            if (hMenu != NULL)
                nDefault = (int)GetMenuDefaultItem(hMenu, TRUE, 0);
            EndMenu();
        });
        result = ::SendMessageA(m_pFrame->m_hWnd, WM_TRAY_NOTIFY, IDR_TRAY, WM_RBUTTONUP);
        ASSERT_TRUE(watch.Acted()) << "the tray menu never showed";
    }
    PumpAppFor(50);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ids, (std::vector<UINT>{ID_TRAY_SHOW, ID_TRAY_MINIMIZE, ID_TRAY_ALWAYS_ON_TOP, 0, ID_APP_EXIT}));
    EXPECT_EQ(nDefault, 0);
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
}

// The harvest's animation shows the two tray icons in turn and puts the
// program's icon back at the end.
TEST_F(MainFrameShellTest, TrayAnimationAlternatesTheTwoIcons)
{
    CreateWindows();
    HICON hFirst = Icon(142), hSecond = Icon(508);
    ASSERT_NE(hFirst, (HICON)NULL);
    ASSERT_NE(hSecond, (HICON)NULL);
    ASSERT_NE(hFirst, hSecond);
    CSystemTray& tray = m_pFrame->GetTrayIcon();
    HICON list[] = {hFirst, hSecond};   // as the view hands them over
    ASSERT_TRUE(tray.SetIconList(list, 2));
    g_shellCalls.clear();
    ASSERT_TRUE(tray.Animate(20, -1));
    EXPECT_TRUE(PumpApp([] { return g_shellCalls.size() >= 4; }, 3000));
    tray.StopAnimation();
    ASSERT_GE(g_shellCalls.size(), 5u);
    std::vector<HICON> shown;
    for (const ShellCall& call : g_shellCalls) {
        EXPECT_EQ(call.dwMessage, (DWORD)NIM_MODIFY);
        EXPECT_EQ(call.uFlags, (UINT)NIF_ICON);
        shown.push_back(call.hIcon);
    }
    for (size_t i = 0; i + 1 < shown.size(); i++)
        EXPECT_EQ(shown[i], i % 2 == 0 ? hSecond : hFirst) << "tick " << i;
    EXPECT_EQ(shown.back(), hFirst);
}

// The framework's Settings button: the harvest settings with their
// defaults; what the user picks there changes nothing.
TEST_F(MainFrameTest, ProgramSettingsShowsTheDefaultsAndAppliesNothing)
{
    CreateWindows();
    const CHarvestRun& run = m_pView->GetRun();
    const int nPages = run.m_nPagesLimit, nLevels = run.m_nLevelsLimit, nDigMode = run.m_nDigMode;
    struct Seen { bool bSeen = false; UINT nSort = 9, nDedupe = 9, nSample = 9; std::string pages, levels; } seen;
    m_answerer.Handle([&](HWND dialog, const ShownDialog&) {
        seen.bSeen = GetDlgItem(dialog, IDC_SETTINGS_PAGES) != NULL;
        seen.nSort = IsDlgButtonChecked(dialog, IDC_SORT_BASKET);
        seen.nDedupe = IsDlgButtonChecked(dialog, IDC_DEDUPE_BASKET);
        seen.nSample = IsDlgButtonChecked(dialog, IDC_DIG_BY_SAMPLE);
        seen.pages = WindowText(GetDlgItem(dialog, IDC_SETTINGS_PAGES));
        seen.levels = WindowText(GetDlgItem(dialog, IDC_SETTINGS_LEVELS));
        CheckDlgButton(dialog, IDC_SORT_BASKET, BST_UNCHECKED);
        SetDlgItemInt(dialog, IDC_SETTINGS_PAGES, 7, TRUE);
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    ::SendMessageA(m_pFrame->m_hWnd, WM_COMMAND, ID_PROGRAM_SETTINGS, 0);
    ASSERT_TRUE(seen.bSeen);
    EXPECT_EQ(seen.nSort, (UINT)BST_UNCHECKED);
    EXPECT_EQ(seen.nDedupe, (UINT)BST_UNCHECKED);
    EXPECT_EQ(seen.nSample, (UINT)BST_CHECKED);
    EXPECT_EQ(seen.pages, "1");
    EXPECT_EQ(seen.levels, "1");
    EXPECT_EQ(run.m_nPagesLimit, nPages);
    EXPECT_EQ(run.m_nLevelsLimit, nLevels);
    EXPECT_EQ(run.m_nDigMode, nDigMode);
    EXPECT_EQ(ReadProfileKey(AfxGetApp(), profileSortBasket), 1);
    EXPECT_EQ(ReadProfileKey(AfxGetApp(), profileDedupeBasket), 1);
}

TEST_F(MainFrameTest, ErrorReaderCommandOpensTheReportReader)
{
    CreateWindows();
    std::string caption, text = "<not seen>";
    auto see = [&](HWND dialog, const ShownDialog& shown) {
        caption = shown.caption;
        text = WindowText(GetDlgItem(dialog, IDC_INPUT_STRING));
        CDialogAnswerer::PressButton(dialog, IDOK);
    };
    m_answerer.Handle(see);
    // A report of known bytes, then none: the reader shows the one byte for
    // byte and says that there is no file for the other.
    CString sReport = CErrorReaderDlg::GetReportPath();
    const bool bHadReport = TestPathExists(sReport);
    const std::string sSaved = bHadReport ? ReadFileBytes(sReport) : std::string();
    const char szKnown[] = "Exception report\r\nAccess violation at 0x00401000\r\n";
    WriteFileBytes(sReport, szKnown);
    ::SendMessageA(m_pFrame->m_hWnd, WM_COMMAND, ID_ERROR_READER, 0);
    EXPECT_EQ(caption, "Error report dialog");
    EXPECT_EQ(text, szKnown);

    // No report written yet: the reader says so.
    DeleteFileA(sReport);
    caption.clear();
    text = "<not seen>";
    m_answerer.Handle(see);
    ::SendMessageA(m_pFrame->m_hWnd, WM_COMMAND, ID_ERROR_READER, 0);
    EXPECT_EQ(caption, "Error report dialog");
    EXPECT_EQ(text, "No file");
    if (bHadReport) WriteFileBytes(sReport, sSaved);
}

// The support command goes out through the mail interface: the stand-in
// beside the tests writes down what it was handed.
TEST_F(MainFrameTest, SupportCommandHandsAPreparedMailToTheMailInterface)
{
    // The support address and the program's path come from the framework's
    // application object, made here for the frame's lifetime only.
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CWinApp* pCurrent = pState->m_pCurrentWinApp;
    LPCTSTR pszCurrentName = pState->m_lpszCurrentAppName;
    CBasedApp* pFrameworkApp = new CBasedApp("PellucorMailTest");
    pState->m_pCurrentWinApp = pCurrent;
    pState->m_lpszCurrentAppName = pszCurrentName;

    CTestFolder folder;
    CString sLog = folder.File("mapi.log");
    SetEnvironmentVariableA("PELLUCOR_MAPI_LOG", sLog);
    CreateWindows();
    ::SendMessageA(m_pFrame->m_hWnd, WM_COMMAND, ID_HELP_MAIL_SUPPORT, 0);
    DestroyWindows();
    SetEnvironmentVariableA("PELLUCOR_MAPI_LOG", NULL);

    std::string expected =
        "logon profile=none password=none flags=0x0\n"
        "send session=ok flags=0x8\n"
        "orig: none\n"
        "to:  <" + std::string(pFrameworkApp->GetSupportEmail()) + ">\n"
        "subject: Question by " + std::string(pFrameworkApp->GetModulePath()) + "\\r\\n\\r\\n\n"
        "text: < Question 1 : >\n"
        "files: 0, no list\n"
        "logoff session=ok flags=0x0\n";
    delete pFrameworkApp;
    EXPECT_EQ(ReadFileBytes(sLog), expected);
}

}  // namespace
