// The whole program as it starts, shows its windows, harvests, exports and
// closes, driven from outside (PellucorProcess.h).
#include "PellucorProcess.h"
#include "VersionText.h"

namespace {

// A fresh start: the splash counts up and goes before the main window comes,
// the window is maximised with nothing else of the program on screen (the
// trace log stays hidden, no tip is asked for), the keyword box holds the
// history, the Basket box the Basket file, and both Basket options are on.
TEST_F(PellucorProcessTest, StartsThroughTheSplashMaximisedWithHistoryAndBasket)
{
    WriteFileBytes(m_sBasketPath.c_str(), "pear 3\r\napple 12\r\n");
    WriteProfileText("CPellucorView", "m_wndKeyword0", "green tea");
    WriteProfileText("CPellucorView", "m_wndKeyword1", "black coffee");
    WriteProfileText("CPellucorView", "m_wndKeyword", "black coffee");

    ASSERT_FALSE(ClassesKeyExists(szDocumentExtension));
    ASSERT_FALSE(ClassesKeyExists(szDocumentType));
    Start();
    HWND hFrame = WaitForMainFrame();
    ASSERT_NE(hFrame, nullptr) << "the program ended or showed no main window";
    EXPECT_TRUE(WaitForStartUp(hFrame,
                               [&] {
                                   return IsWindowVisible(hFrame) && IsZoomed(hFrame) &&
                                          Windows(true) == std::vector<HWND>{hFrame};
                               }))
        << "on screen: " << Describe(Windows(true));

    // The splash.
    EXPECT_EQ(m_sSplashCaption, "Pellucor v 4.0");
    EXPECT_FALSE(m_bFrameDuringSplash) << "the main window came before the splash had gone";
    // Its template's text may show before the first step.
    if (!m_aSplashTexts.empty() && m_aSplashTexts.front() == "Loading Icons...")
        m_aSplashTexts.erase(m_aSplashTexts.begin());
    std::vector<int> percents;
    for (const std::string& s : m_aSplashTexts) {
        unsigned n = 0;
        char tail[8] = "";
        ASSERT_EQ(sscanf(s.c_str(), "Loading (%u%%)%7s", &n, tail), 2) << "splash text \"" << s << "\"";
        EXPECT_STREQ(tail, "...");
        percents.push_back((int)n);
    }
    // How many steps are seen depends on how often this test gets to look;
    // the splash lasts seconds, so it is seen at least twice and past half.
    ASSERT_GE(percents.size(), 2u) << "the splash was seen counting only " << percents.size() << " times";
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()) &&
                std::adjacent_find(percents.begin(), percents.end()) == percents.end())
        << "percents do not count up";
    EXPECT_GE(percents.back(), 50);
    EXPECT_LE(percents.back(), 100);

    // The main window, alone on screen.
    EXPECT_NE(RemoteText(hFrame).find("Pellucor"), std::string::npos) << RemoteText(hFrame);
    EXPECT_TRUE(IsWindowVisible(hFrame));
    EXPECT_TRUE(IsZoomed(hFrame));
    EXPECT_TRUE(IsWindowEnabled(hFrame)) << "a box of the start-up holds the main window";
    std::vector<HWND> visible = Windows(true);
    EXPECT_EQ(visible, std::vector<HWND>{hFrame}) << "on screen: " << Describe(visible);
    EXPECT_NE(GetMenu(hFrame), nullptr);

    // The shell knows the document type and opens it with this program.
    char sz[1024] = "";
    DWORD n = sizeof sz;
    EXPECT_EQ(RegGetValueA(HKEY_CLASSES_ROOT, szDocumentExtension, nullptr, RRF_RT_REG_SZ, nullptr, sz, &n),
              ERROR_SUCCESS);
    EXPECT_STREQ(sz, szDocumentType);
    n = sizeof sz;
    EXPECT_EQ(RegGetValueA(HKEY_CLASSES_ROOT, (std::string(szDocumentType) + "\\shell\\open\\command").c_str(),
                           nullptr, RRF_RT_REG_SZ, nullptr, sz, &n),
              ERROR_SUCCESS);
    EXPECT_NE(std::string(sz).find("Pellucor.exe\" \"%1\""), std::string::npos) << sz;

    // The keyword history and the last keyword, the Basket.
    HWND hKeyword = Item(IDC_KEYWORD);
    EXPECT_EQ(Send(hKeyword, CB_GETCOUNT), 2);
    EXPECT_NE(Send(hKeyword, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "green tea"), CB_ERR);
    EXPECT_EQ(RemoteText(hKeyword), "black coffee");
    // The Basket file is read just after the window shows, so that a large
    // one does not hold up the start.
    std::string sBasket;
    WaitFor([&] { return !(sBasket = TrimEnd(RemoteText(Item(IDC_BASKET)))).empty(); }, kWaitMs);
    EXPECT_EQ(sBasket, "pear 3\r\napple 12");

    // Both Basket options on: the Settings dialog shows them ticked.
    PostMessageA(View(), WM_COMMAND, MAKEWPARAM(IDC_SETTINGS, BN_CLICKED), (LPARAM)Item(IDC_SETTINGS));
    HWND hSettings = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hSettings = DialogWith(IDC_SORT_BASKET)) != nullptr; }, kWaitMs));
    EXPECT_EQ(Send(GetDlgItem(hSettings, IDC_SORT_BASKET), BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(GetDlgItem(hSettings, IDC_DEDUPE_BASKET), BM_GETCHECK), BST_CHECKED);
    PostMessageA(hSettings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return DialogWith(IDC_SORT_BASKET) == nullptr; }, kWaitMs));

    EXPECT_EQ(Close(), 0u);
}

// One harvest from end to end through the program's own windows: a keyword
// typed in and Go pressed fills the result list from the service; a ticked
// row goes into the Basket (sorted and de-duplicated under the fresh
// profile's options) and its file; the Text File export writes it where the
// save dialog was told; closing the window ends the program with 0 and keeps
// the keyword in the history.
TEST_F(PellucorProcessTest, HarvestsTicksIntoTheBasketExportsAndCloses)
{
    WriteFileBytes(m_sBasketPath.c_str(), "zebra 1\r\nant 2\r\nant 2\r\n");
    Start();
    HWND hFrame = WaitForMainFrame();
    ASSERT_NE(hFrame, nullptr);
    ASSERT_TRUE(WaitForStartUp(hFrame, [&] { return Windows(true) == std::vector<HWND>{hFrame}; }))
        << "on screen: " << Describe(Windows(true));

    Send(Item(IDC_KEYWORD), WM_SETTEXT, 0, (LPARAM) "melon");
    Send(Item(IDC_GO), BM_CLICK);
    const std::vector<CStatsRow> rows = m_service.PageRows("melon", 0);
    ASSERT_FALSE(rows.empty());
    ASSERT_TRUE(WaitFor([&] { return RowCount() >= (int)rows.size(); }, kWaitMs)) << RowCount() << " rows";
    // The run ends with its message, answered as a user would.
    HWND hDone = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hDone = DialogWith(0xFFFF)) != nullptr; }, kWaitMs)) << "no end-of-run box";
    EXPECT_EQ(RemoteText(hDone), "MESSAGE");
    EXPECT_NE(RemoteText(GetDlgItem(hDone, 0xFFFF)).find("completed"), std::string::npos)
        << RemoteText(GetDlgItem(hDone, 0xFFFF));
    PostMessageA(hDone, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return DialogWith(0xFFFF) == nullptr; }, kWaitMs));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Item(IDC_GO)) != FALSE; }, kWaitMs));
    EXPECT_EQ(RowText(0, 0), rows[0].phrase);
    EXPECT_EQ(RowText(0, 1), std::to_string(rows[0].queries));

    TickRow(0);
    EXPECT_TRUE(WaitFor([&] { return RowTicked(0); }, kWaitMs)) << "the space did not tick the row";
    std::vector<std::string> lines = {"ant 2", Line(rows[0]), "zebra 1"};
    std::sort(lines.begin(), lines.end());
    std::string sBasket;
    for (const std::string& s : lines)
        sBasket += s + "\r\n";
    EXPECT_TRUE(WaitFor([&] { return TrimEnd(RemoteText(Item(IDC_BASKET))) == TrimEnd(sBasket); }, kWaitMs))
        << RemoteText(Item(IDC_BASKET));
    EXPECT_EQ(TrimEnd(ReadFileBytes(m_sBasketPath.c_str())), TrimEnd(sBasket));

    // The export asks for a file name in the save dialog, then writes there.
    const CString sExport = m_folder.File("basket.txt");
    ASSERT_TRUE(ExportTextTo(hFrame, sExport)) << "no save dialog";
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(sExport) == sBasket; }, kWaitMs)) << ReadFileBytes(sExport);
    EXPECT_TRUE(WaitFor([&] { return Windows(true) == std::vector<HWND>{hFrame}; }, kWaitMs))
        << "a box of the export is still open: " << Describe(Windows(true));

    EXPECT_EQ(Close(), 0u);
    EXPECT_EQ(ReadProfileValue("CPellucorView", "m_wndKeyword0"), "melon");
    EXPECT_EQ(TrimEnd(ReadFileBytes(m_sBasketPath.c_str())), TrimEnd(sBasket));
}

// "Main Frame State" as the window was left decides how it comes back; a
// window left full screen comes back full screen. Starting hidden needs a tray
// icon the user can see to come back by: without one (as here) the window is
// shown normally.
TEST_F(PellucorProcessTest, ShowsTheWindowAsItWasLeft)
{
    struct Case {
        int nState;
        int nFullScreen;
    } cases[] = {{0, 0}, {3, 0}, {1, 0}, {2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("Main Frame State " + std::to_string(c.nState) + ", full screen " +
                     std::to_string(c.nFullScreen));
        FreshProfile();
        WriteProfileDword("Settings", "Main Frame State", (DWORD)c.nState);
        WriteProfileDword("CBasedMainFrame", "m_bFullScreen", (DWORD)c.nFullScreen);

        Start();
        HWND hFrame = WaitForMainFrame();
        ASSERT_NE(hFrame, nullptr);
        // The whole screen and a margin past each edge of it.
        const RECT rcFull = {-nFullScreenOverhang, -nFullScreenOverhang,
                             GetSystemMetrics(SM_CXSCREEN) + nFullScreenOverhang,
                             GetSystemMetrics(SM_CYSCREEN) + nFullScreenOverhang};
        auto caption = [&] { return (GetWindowLongA(hFrame, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; };
        auto fullScreen = [&] {
            RECT rc = {};
            return GetWindowRect(hFrame, &rc) && !caption() && EqualRect(&rc, &rcFull);
        };
        EXPECT_TRUE(WaitForStartUp(hFrame, [&] { return IsWindowVisible(hFrame) && (!c.nFullScreen || fullScreen()); }))
            << "the window did not come as it was left";
        EXPECT_TRUE(IsWindowVisible(hFrame));
        EXPECT_FALSE(IsIconic(hFrame));
        EXPECT_FALSE(IsZoomed(hFrame));
        RECT rc = {};
        GetWindowRect(hFrame, &rc);
        const bool bCaption = caption();
        if (c.nFullScreen) {
            EXPECT_FALSE(bCaption);
            EXPECT_EQ(rc.left, rcFull.left);
            EXPECT_EQ(rc.top, rcFull.top);
            EXPECT_EQ(rc.right, rcFull.right);
            EXPECT_EQ(rc.bottom, rcFull.bottom);
        } else {
            EXPECT_TRUE(bCaption);
            EXPECT_LT(rc.right - rc.left, GetSystemMetrics(SM_CXSCREEN));
        }
        EXPECT_EQ(Close(), 0u);
        EndProcess();
    }
}

// A document named on the command line that cannot be opened ends the
// program after the framework's message; no window is left behind.
TEST_F(PellucorProcessTest, EndsWhenTheFileOnItsCommandLineCannotBeOpened)
{
    const CString sMissing = m_folder.File("missing.VLQA");
    Start((LPCSTR)sMissing);
    HWND hBox = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            hBox = DialogWith(0xFFFF);
            return hBox != nullptr || !Running();
        }, kWaitMs));
    ASSERT_NE(hBox, nullptr) << "the program ended without a word";
    EXPECT_NE(RemoteText(GetDlgItem(hBox, 0xFFFF)).find("missing.VLQA"), std::string::npos)
        << RemoteText(GetDlgItem(hBox, 0xFFFF));
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(m_pi.hProcess, kWaitMs), WAIT_OBJECT_0)
        << "still running: " << Describe(Windows(true));
}

// With "Tip"/"StartUp" 0 the tip of the day follows the main window, showing
// the first tip of "tips.txt" in the current folder with its start-up box
// ticked; closing it leaves the program running and stores the box as the
// user left it (unticked here, so that the stored value is the program's).
TEST_F(PellucorProcessTest, ShowsTheTipOfTheDayAfterTheMainWindow)
{
    WriteFileBytes(m_folder.File("tips.txt"), "; the program's tips\r\nFirst tip.\r\nSecond tip.\r\n");
    WriteProfileDword("Tip", "StartUp", 0);
    Start();
    HWND hTip = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hTip = DialogWith(nTipTextId)) != nullptr || !Running(); }, kWaitMs));
    ASSERT_NE(hTip, nullptr);
    HWND hFrame = MainFrame();
    ASSERT_NE(hFrame, nullptr);
    EXPECT_TRUE(IsWindowVisible(hFrame)) << "the tip came before the main window was shown";
    EXPECT_EQ(RemoteText(hTip), "Tip of the Day");
    EXPECT_EQ(RemoteText(GetDlgItem(hTip, nTipTextId)).substr(0, 10), "First tip.");
    HWND hStartUp = GetDlgItem(hTip, nTipStartUpId);
    ASSERT_NE(hStartUp, nullptr);
    EXPECT_EQ(Send(hStartUp, BM_GETCHECK), BST_CHECKED);
    Send(hStartUp, BM_SETCHECK, BST_UNCHECKED);

    PostMessageA(hTip, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return DialogWith(nTipTextId) == nullptr; }, kWaitMs));
    EXPECT_TRUE(Running());
    // The box is written as the dialog ends, after it has left the screen.
    EXPECT_TRUE(WaitFor([&] { return ReadProfileValue("Tip", "StartUp") == "1"; }, kWaitMs))
        << "\"Tip\"/\"StartUp\" is " << ReadProfileValue("Tip", "StartUp");
    EXPECT_EQ(Close(), 0u);
}

// The build installs the program's own tips beside it: started from its own
// folder, the program greets with the first of them, not with the text
// saying that there is no tips file.
TEST_F(PellucorProcessTest, ShowsItsOwnTipsWhenStartedFromItsFolder)
{
    std::string sTips = ReadFileBytes((ProgramFolder() + "tips.txt").c_str());
    ASSERT_FALSE(sTips.empty()) << "no tips.txt beside " << ProgramPath();
    std::vector<std::string> tips;
    for (size_t nStart = 0; nStart < sTips.size();) {
        size_t nEnd = sTips.find("\r\n", nStart);
        ASSERT_NE(nEnd, std::string::npos) << "every line ends in CR LF";
        std::string sLine = sTips.substr(nStart, nEnd - nStart);
        nStart = nEnd + 2;
        if (sLine.empty() || sLine[0] == ';' || sLine[0] == ' ' || sLine[0] == '\t')
            continue;
        EXPECT_LT(sLine.size(), 999u) << sLine;
        tips.push_back(sLine);
    }
    ASSERT_GE(tips.size(), 10u);

    WriteProfileDword("Tip", "StartUp", 0);
    WriteProfileDword("Tip", "FilePos", 0);
    Start("", ProgramFolder().c_str());
    HWND hTip = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hTip = DialogWith(nTipTextId)) != nullptr || !Running(); }, kWaitMs));
    ASSERT_NE(hTip, nullptr);
    EXPECT_EQ(RemoteText(GetDlgItem(hTip, nTipTextId)).substr(0, tips[0].size()), tips[0]);
    PostMessageA(hTip, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return DialogWith(nTipTextId) == nullptr; }, kWaitMs));
    EXPECT_EQ(Close(), 0u);
}

}  // namespace

// Resources made for the controls' tests stay with the tests: the program
// file carries none of them.
TEST(PellucorResources, CarryNoTestResources)
{
    HMODULE hProgram = LoadLibraryExA(ProgramPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hProgram, nullptr) << ProgramPath();
    const struct {
        int nId;
        LPCSTR pszType;
    } testResources[] = {
        {3100, RT_MENU},      // the owner-drawn menu's test menu
        {3101, MAKEINTRESOURCEA(241)},   // its tool bar
        {3101, RT_BITMAP},
        {3200, RT_MENU},      // the button's drop-down menu
        {3300, RT_DIALOG},    // the label's host dialog
        {3400, RT_MENU},      // the tray's test menu
    };
    for (const auto& r : testResources)
        EXPECT_EQ(FindResourceA(hProgram, MAKEINTRESOURCEA(r.nId), r.pszType), nullptr) << r.nId;
    // The program's own resources are there.
    EXPECT_NE(FindResourceA(hProgram, MAKEINTRESOURCEA(128), RT_MENU), nullptr);
    FreeLibrary(hProgram);
}

// The about box puts the program file's version where its text says "***".
TEST(PellucorVersion, TheProgramFileNamesItsVersion)
{
    EXPECT_STREQ("Pellucor version 4.0", (LPCSTR)GetVersionText());
}
