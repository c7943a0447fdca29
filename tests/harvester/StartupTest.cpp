// The whole program: the built Pellucor.exe started as a process of its own,
// with a fresh profile and the statistics service of this test, and driven
// from here through its windows with real messages, as another program (or a
// user's tools) would drive it.
#include "StatisticsService.h"
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "TestFolder.h"
#include "VersionText.h"
#include "resource.h"
#include "testsupport.h"

#ifndef PELLUCOR_EXE_PATH
#error "PELLUCOR_EXE_PATH names the built program"
#endif

namespace {

const char szProfileKey[] = "Software\\Dunmorrow\\Pellucor";
const UINT nViewId = 0xE900;           // the frame's first pane
const UINT nSplashStatusId = 1018;     // the splash's "Loading (N%)..." static
const UINT nTipTextId = 1020;          // the tip of the day's text
const UINT nTipStartUpId = 1003;       // the tip of the day's "show at start-up" box
// The full-screen frame reaches this far past every edge of the screen, so
// that its borders are out of sight.
const int nFullScreenOverhang = 4;
// What the program registers for its documents.
const char szDocumentExtension[] = ".VLQA";
const char szDocumentType[] = "VLQB.Document";

// The build names the program by its Unix path; Wine's drive Z: is the root.
std::string ProgramPath()
{
    std::string s = PELLUCOR_EXE_PATH;
    if (!s.empty() && s[0] == '/') {
        std::replace(s.begin(), s.end(), '/', '\\');
        s = "Z:" + s;
    }
    return s;
}

std::string ProgramFolder()
{
    std::string s = ProgramPath();
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ClassOf(HWND hwnd)
{
    char sz[256] = "";
    GetClassNameA(hwnd, sz, sizeof sz);
    return sz;
}

const char szNoAnswer[] = "<no answer>";

// WM_GETTEXT across processes (the system carries the text back).
std::string RemoteText(HWND hwnd)
{
    char sz[4096] = "";
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof sz, (LPARAM)sz, SMTO_ABORTIFHUNG, 2000, &result))
        return szNoAnswer;
    return sz;
}

// The class and text of each window, for failure messages.
std::string Describe(const std::vector<HWND>& windows)
{
    std::string s;
    for (HWND hwnd : windows)
        s += "[" + ClassOf(hwnd) + " \"" + RemoteText(hwnd) + "\"] ";
    return s;
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return (LRESULT)result;
}

// A block of memory in the other process, for the messages whose pointers
// the system does not carry across (the list view's).
class CRemoteBlock
{
public:
    CRemoteBlock(HANDLE hProcess, size_t nSize) : m_hProcess(hProcess)
    {
        m_p = VirtualAllocEx(hProcess, nullptr, nSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~CRemoteBlock()
    {
        if (m_p)
            VirtualFreeEx(m_hProcess, m_p, 0, MEM_RELEASE);
    }
    CRemoteBlock(const CRemoteBlock&) = delete;
    CRemoteBlock& operator=(const CRemoteBlock&) = delete;

    char* Address(size_t nOffset = 0) const { return static_cast<char*>(m_p) + nOffset; }
    bool Write(size_t nOffset, const void* pData, size_t n) const
    {
        SIZE_T nDone = 0;
        return WriteProcessMemory(m_hProcess, Address(nOffset), pData, n, &nDone) && nDone == n;
    }
    bool Read(size_t nOffset, void* pData, size_t n) const
    {
        SIZE_T nDone = 0;
        return ReadProcessMemory(m_hProcess, Address(nOffset), pData, n, &nDone) && nDone == n;
    }

private:
    HANDLE m_hProcess;
    void* m_p = nullptr;
};

void WriteProfileDword(const char* pszSection, const char* pszEntry, DWORD n)
{
    std::string sKey = std::string(szProfileKey) + "\\" + pszSection;
    RegSetKeyValueA(HKEY_CURRENT_USER, sKey.c_str(), pszEntry, REG_DWORD, &n, sizeof n);
}

void WriteProfileText(const char* pszSection, const char* pszEntry, const std::string& s)
{
    std::string sKey = std::string(szProfileKey) + "\\" + pszSection;
    RegSetKeyValueA(HKEY_CURRENT_USER, sKey.c_str(), pszEntry, REG_SZ, s.c_str(), (DWORD)s.size() + 1);
}

// A profile value as text ("<none>" when missing); integers in decimal.
std::string ReadProfileValue(const char* pszSection, const char* pszEntry)
{
    std::string sKey = std::string(szProfileKey) + "\\" + pszSection;
    char buf[1024] = "";
    DWORD nType = 0, nSize = sizeof buf - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, sKey.c_str(), pszEntry, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &nType, buf,
                     &nSize) != ERROR_SUCCESS)
        return "<none>";
    if (nType == REG_DWORD)
        return std::to_string(*reinterpret_cast<DWORD*>(buf));
    return buf;
}

// Whether a text ends its last line is the writer's choice.
std::string TrimEnd(std::string s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    return s;
}

bool WaitFor(const std::function<bool()>& pred, DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(5);
    }
}

class PellucorProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_service.Start()) << m_service.LastError();
        FreshProfile();
        m_sBasketPath = ProgramFolder() + "Basket.txt";
        m_bHadBasket = TestPathExists(m_sBasketPath.c_str());
        if (m_bHadBasket)
            m_sSavedBasket = ReadFileBytes(m_sBasketPath.c_str());
        DeleteFileA(m_sBasketPath.c_str());
    }

    void TearDown() override
    {
        EndProcess();
        m_service.Stop();
        RegDeleteTreeA(HKEY_CURRENT_USER, szProfileKey);
        ForgetDocumentType();
        DeleteFileA(m_sBasketPath.c_str());
        if (m_bHadBasket)
            WriteFileBytes(m_sBasketPath.c_str(), m_sSavedBasket);
    }

    // Nothing but the way to the service, and no tip of the day unless a
    // test asks for it; no document type registered by an earlier run.
    void FreshProfile()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, szProfileKey);
        WriteProfileText("Settings", "StatisticsHost", m_service.Host());
        WriteProfileDword("Tip", "StartUp", 1);
        ForgetDocumentType();
    }

    static void ForgetDocumentType()
    {
        for (const char* pszKey : {szDocumentExtension, szDocumentType}) {
            // the user's part of the classes first, then what the merged view still shows
            RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + pszKey).c_str());
            RegDeleteTreeA(HKEY_CLASSES_ROOT, pszKey);
        }
    }
    static bool ClassesKeyExists(const char* pszKey)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }

    // Whatever state the program is in: no box of it left open, closed as a
    // user would close it, and killed only when that fails.
    void EndProcess()
    {
        if (!m_pi.hProcess)
            return;
        if (Running()) {
            for (HWND hDialog : Windows(true))
                if (ClassOf(hDialog) == "#32770")
                    PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
            if (HWND hFrame = MainFrame())
                PostMessageA(hFrame, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(m_pi.hProcess, 5000) == WAIT_TIMEOUT)
                TerminateProcess(m_pi.hProcess, 99);
            WaitForSingleObject(m_pi.hProcess, 5000);
        }
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
        m_pi = {};
    }

    // Starts the program in the test's folder (its current directory, where
    // the tip of the day looks for "tips.txt"), with an argument or none.
    void Start(const std::string& sArgument = "")
    {
        std::string sCommand = "\"" + ProgramPath() + "\"";
        if (!sArgument.empty())
            sCommand += " \"" + sArgument + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessA(ProgramPath().c_str(), &sCommand[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   m_folder.Path(), &si, &m_pi))
            << ProgramPath() << ": error " << GetLastError();
    }

    bool Running() const { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

    // The program's top-level windows.
    std::vector<HWND> Windows(bool bVisibleOnly) const
    {
        struct Search {
            DWORD pid;
            bool bVisibleOnly;
            std::vector<HWND> found;
        } search{m_pi.dwProcessId, bVisibleOnly, {}};
        EnumWindows(
            [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
                Search& s = *reinterpret_cast<Search*>(lParam);
                DWORD pid = 0;
                GetWindowThreadProcessId(hwnd, &pid);
                if (pid == s.pid && (!s.bVisibleOnly || IsWindowVisible(hwnd)))
                    s.found.push_back(hwnd);
                return TRUE;
            },
            (LPARAM)&search);
        return search.found;
    }

    // The main frame: the top-level window whose view holds the keyword box.
    HWND MainFrame() const
    {
        for (HWND hwnd : Windows(false)) {
            HWND hView = GetDlgItem(hwnd, nViewId);
            if (hView && GetDlgItem(hView, IDC_KEYWORD))
                return hwnd;
        }
        return nullptr;
    }
    HWND View() const { return GetDlgItem(MainFrame(), nViewId); }
    HWND Item(int nID) const { return GetDlgItem(View(), nID); }

    // A visible dialog box of the program that has this control.
    HWND DialogWith(int nID) const
    {
        for (HWND hwnd : Windows(true))
            if (ClassOf(hwnd) == "#32770" && GetDlgItem(hwnd, nID))
                return hwnd;
        return nullptr;
    }

    // Waits through the splash (recording what its status line showed) until
    // the main frame is there. The frame is found while it is being made:
    // showing it, its menu, full screen and the rest of the start-up come
    // after, so a test waits for the state it looks at (WaitForStartUp).
    HWND WaitForMainFrame()
    {
        HWND hFrame = nullptr;
        WaitFor(
            [&] {
                HWND hSplash = DialogWith(nSplashStatusId);
                if (hSplash) {
                    m_bFrameDuringSplash |= MainFrame() != nullptr;
                    if (m_sSplashCaption.empty())
                        m_sSplashCaption = RemoteText(hSplash);
                    std::string s = RemoteText(GetDlgItem(hSplash, nSplashStatusId));
                    // (a splash closing between the look and the read)
                    if (s == szNoAnswer)
                        return false;
                    if (m_aSplashTexts.empty() || m_aSplashTexts.back() != s)
                        m_aSplashTexts.push_back(s);
                    return false;
                }
                hFrame = MainFrame();
                return hFrame != nullptr || !Running();
            },
            10000);
        return hFrame;
    }

    // Waits until the start-up has brought the frame to the state a test
    // looks at, then makes a round trip through the frame's thread: its
    // start-up steps take no messages in between, so the answer comes from
    // its message loop once they are done, or from a modal box one of them
    // opened (which disables the frame). The state must still hold after.
    bool WaitForStartUp(HWND hFrame, const std::function<bool()>& state)
    {
        if (!WaitFor([&] { return state() || !Running(); }, 10000) || !Running())
            return false;
        Send(hFrame, WM_NULL);
        return state();
    }

    // Ends the program as a user would, and gives its exit code.
    DWORD Close()
    {
        PostMessageA(MainFrame(), WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_pi.hProcess, 10000) != WAIT_OBJECT_0)
            return (DWORD)-1;
        DWORD nCode = 0;
        GetExitCodeProcess(m_pi.hProcess, &nCode);
        return nCode;
    }

    // ---- the result list, in the other process ----
    HWND List() const { return Item(IDC_RESULTS); }
    int RowCount() const { return (int)Send(List(), LVM_GETITEMCOUNT); }
    std::string RowText(int nRow, int nColumn) const
    {
        CRemoteBlock block(m_pi.hProcess, sizeof(LVITEMA) + 1024);
        LVITEMA item = {};
        item.iSubItem = nColumn;
        item.pszText = block.Address(sizeof item);
        item.cchTextMax = 1024;
        char sz[1024] = "";
        if (!block.Write(0, &item, sizeof item) || !block.Write(sizeof item, sz, 1))
            return "<no memory>";
        Send(List(), LVM_GETITEMTEXTA, (WPARAM)nRow, (LPARAM)block.Address());
        block.Read(sizeof item, sz, sizeof sz - 1);
        return sz;
    }
    // The list is a virtual one whose check boxes the view draws from the
    // Basket: a tick is the user's space on the focused row.
    void TickRow(int nRow) const
    {
        CRemoteBlock block(m_pi.hProcess, sizeof(LVITEMA));
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ASSERT_TRUE(block.Write(0, &item, sizeof item));
        Send(List(), LVM_SETITEMSTATE, (WPARAM)nRow, (LPARAM)block.Address());
        PostMessageA(List(), WM_KEYDOWN, VK_SPACE, 0x00390001);
        PostMessageA(List(), WM_KEYUP, VK_SPACE, 0xC0390001);
    }
    bool RowTicked(int nRow) const
    {
        return ((UINT)Send(List(), LVM_GETITEMSTATE, (WPARAM)nRow, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
               INDEXTOSTATEIMAGEMASK(2);
    }

    static std::string Line(const CStatsRow& row) { return row.phrase + " " + std::to_string(row.queries); }

    CStatisticsService m_service;
    CTestFolder m_folder;
    PROCESS_INFORMATION m_pi = {};
    std::string m_sBasketPath;

    // What the splash showed while WaitForMainFrame watched it.
    std::string m_sSplashCaption;
    std::vector<std::string> m_aSplashTexts;
    bool m_bFrameDuringSplash = false;

private:
    bool m_bHadBasket = false;
    std::string m_sSavedBasket;
};

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
    EXPECT_EQ(TrimEnd(RemoteText(Item(IDC_BASKET))), "pear 3\r\napple 12");

    // Both Basket options on: the Settings dialog shows them ticked.
    PostMessageA(View(), WM_COMMAND, MAKEWPARAM(IDC_SETTINGS, BN_CLICKED), (LPARAM)Item(IDC_SETTINGS));
    HWND hSettings = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hSettings = DialogWith(IDC_SORT_BASKET)) != nullptr; }, 5000));
    EXPECT_EQ(Send(GetDlgItem(hSettings, IDC_SORT_BASKET), BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(GetDlgItem(hSettings, IDC_DEDUPE_BASKET), BM_GETCHECK), BST_CHECKED);
    PostMessageA(hSettings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return DialogWith(IDC_SORT_BASKET) == nullptr; }, 5000));

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
    ASSERT_TRUE(WaitFor([&] { return RowCount() >= (int)rows.size(); }, 10000)) << RowCount() << " rows";
    // The run ends with its message, answered as a user would.
    HWND hDone = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hDone = DialogWith(0xFFFF)) != nullptr; }, 10000)) << "no end-of-run box";
    EXPECT_EQ(RemoteText(hDone), "MESSAGE");
    EXPECT_NE(RemoteText(GetDlgItem(hDone, 0xFFFF)).find("completed"), std::string::npos)
        << RemoteText(GetDlgItem(hDone, 0xFFFF));
    PostMessageA(hDone, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return DialogWith(0xFFFF) == nullptr; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Item(IDC_GO)) != FALSE; }, 10000));
    EXPECT_EQ(RowText(0, 0), rows[0].phrase);
    EXPECT_EQ(RowText(0, 1), std::to_string(rows[0].queries));

    TickRow(0);
    EXPECT_TRUE(WaitFor([&] { return RowTicked(0); }, 5000)) << "the space did not tick the row";
    std::vector<std::string> lines = {"ant 2", Line(rows[0]), "zebra 1"};
    std::sort(lines.begin(), lines.end());
    std::string sBasket;
    for (const std::string& s : lines)
        sBasket += s + "\r\n";
    EXPECT_TRUE(WaitFor([&] { return TrimEnd(RemoteText(Item(IDC_BASKET))) == TrimEnd(sBasket); }, 5000))
        << RemoteText(Item(IDC_BASKET));
    EXPECT_EQ(TrimEnd(ReadFileBytes(m_sBasketPath.c_str())), TrimEnd(sBasket));

    // The export asks for a file name in the save dialog, then writes there.
    const CString sExport = m_folder.File("basket.txt");
    PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_EXPORT_TOTEXTFILE, 0), 0);
    HWND hSave = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            hSave = DialogWith(cmb13);
            if (!hSave)
                hSave = DialogWith(edt1);
            return hSave != nullptr;
        },
        5000))
        << "no save dialog";
    HWND hName = GetDlgItem(hSave, cmb13) ? GetDlgItem(hSave, cmb13) : GetDlgItem(hSave, edt1);
    Send(hName, WM_SETTEXT, 0, (LPARAM)(LPCSTR)sExport);
    PostMessageA(hSave, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(hSave, IDOK));
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(sExport) == sBasket; }, 10000)) << ReadFileBytes(sExport);
    EXPECT_TRUE(WaitFor([&] { return Windows(true) == std::vector<HWND>{hFrame}; }, 5000))
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
        },
        10000));
    ASSERT_NE(hBox, nullptr) << "the program ended without a word";
    EXPECT_NE(RemoteText(GetDlgItem(hBox, 0xFFFF)).find("missing.VLQA"), std::string::npos)
        << RemoteText(GetDlgItem(hBox, 0xFFFF));
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(m_pi.hProcess, 5000), WAIT_OBJECT_0) << "still running: " << Describe(Windows(true));
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
    ASSERT_TRUE(WaitFor([&] { return (hTip = DialogWith(nTipTextId)) != nullptr || !Running(); }, 10000));
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
    ASSERT_TRUE(WaitFor([&] { return DialogWith(nTipTextId) == nullptr; }, 5000));
    EXPECT_TRUE(Running());
    // The box is written as the dialog ends, after it has left the screen.
    EXPECT_TRUE(WaitFor([&] { return ReadProfileValue("Tip", "StartUp") == "1"; }, 5000))
        << "\"Tip\"/\"StartUp\" is " << ReadProfileValue("Tip", "StartUp");
    EXPECT_EQ(Close(), 0u);
}

}  // namespace

// The about box puts the program file's version where its text says "***".
TEST(PellucorVersion, TheProgramFileNamesItsVersion)
{
    EXPECT_STREQ("Pellucor version 4.0", (LPCSTR)GetVersionText());
}
