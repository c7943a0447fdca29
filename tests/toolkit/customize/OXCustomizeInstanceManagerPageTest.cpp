// The instance manager page: its rules as tables; three copies of the program
// listed, driven by the six buttons, one killed by "taskkill /F" and dropped
// while the others stay, one closed by allowing a single copy; OK storing the
// maximum ("reg query" reads it) for a restarted program, Cancel storing none.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CustomizePageTestSupport.h"
#include "OXCustomizeInstanceManagerPage.h"
#include "testdrawing.h"
#include "toolkit_res.h"

using namespace pagetest;

namespace {

const char kSection[] = "InstancePageTest";
typedef COXInstancePageRules Rules;

TEST(OXInstancePageRules, OptionsAndMaximums)
{
    const struct { UINT nMax; int nOption; } options[] = {
        {1000, Rules::OptionUnlimited}, {1, Rules::OptionSingle}, {2, Rules::OptionNumber}, {999, Rules::OptionNumber},
    };
    for (const auto& o : options) {
        EXPECT_EQ(Rules::OptionForMax(o.nMax), o.nOption) << o.nMax;
        EXPECT_EQ(Rules::MaxForOption(o.nOption, o.nMax), o.nMax) << o.nMax;
    }
    EXPECT_EQ(Rules::MaxForOption(Rules::OptionUnlimited, 5), 1000u);
    EXPECT_EQ(Rules::MaxForOption(Rules::OptionSingle, 5), 1u);
    const struct { UINT nMax; BOOL bValid; } limits[] = {{0, FALSE}, {1, TRUE}, {1000, TRUE}, {1001, FALSE}, {(UINT)-1, FALSE}};
    for (const auto& l : limits)
        EXPECT_EQ(Rules::IsValidMax(l.nMax), l.bValid) << l.nMax;
}

TEST(OXInstancePageRules, WhichButtonsAreEnabled)
{
    const DWORD kAll = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    const struct {
        const char* pszCase;
        int nOption;
        BOOL bSelected, bOwn;
        DWORD dwStyle;
        Rules::Enabling expected;   // number, close, activate/behind, maximize, minimize, restore
    } cases[] = {
        {"nothing chosen, any number", 0, FALSE, FALSE, kAll, {0, 0, 0, 0, 0, 0}},
        {"nothing chosen, a number", 2, FALSE, FALSE, kAll, {1, 0, 0, 0, 0, 0}},
        {"one only", 1, FALSE, FALSE, kAll, {0, 0, 0, 0, 0, 0}},
        {"another copy, normal", 0, TRUE, FALSE, kAll, {0, 1, 1, 1, 1, 0}},
        {"another copy, maximized", 0, TRUE, FALSE, kAll | WS_MAXIMIZE, {0, 1, 1, 0, 1, 1}},
        {"another copy, minimized", 0, TRUE, FALSE, kAll | WS_MINIMIZE, {0, 1, 1, 1, 0, 1}},
        {"no maximize box", 0, TRUE, FALSE, WS_SYSMENU | WS_MINIMIZEBOX, {0, 1, 1, 0, 1, 0}},
        {"no maximize box, minimized", 0, TRUE, FALSE, WS_SYSMENU | WS_MINIMIZEBOX | WS_MINIMIZE, {0, 1, 1, 0, 0, 1}},
        {"no minimize box", 0, TRUE, FALSE, WS_SYSMENU | WS_MAXIMIZEBOX, {0, 1, 1, 1, 0, 1}},
        {"no system menu", 0, TRUE, FALSE, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, {0, 1, 1, 0, 0, 0}},
        {"no main window", 0, TRUE, FALSE, 0, {0, 1, 1, 0, 0, 0}},
        {"this copy", 2, TRUE, TRUE, kAll, {1, 1, 0, 1, 1, 0}},
    };
    for (const auto& c : cases) {
        const Rules::Enabling e = Rules::GetEnabling(c.nOption, c.bSelected, c.bOwn, c.dwStyle);
        EXPECT_TRUE(e == c.expected) << c.pszCase << ": got " << e.bNumber << e.bClose << e.bActivate << e.bMaximize
                                     << e.bMinimize << e.bRestore;
    }
}

TEST(OXCustomizeInstanceManagerPage, InitializingRefusesBadMaximumsAndReadsTheProfile)
{
    DeleteProfileSection(kSection);
    COXCustomizeInstanceManagerPage page;
    EXPECT_EQ(page.GetTitle(), "Instances");
    EXPECT_EQ(page.GetImageResource(), (UINT)IDB_OX_INSTANCES_PAGE);
    EXPECT_FALSE(page.InitializeInstanceManager(0, kSection));
    EXPECT_FALSE(page.InitializeInstanceManager(1001, kSection));
    EXPECT_TRUE(page.GetProfileName().IsEmpty());

    const struct { int nStored; UINT nMax; int nOption; } cases[] = {
        {-1, 7, Rules::OptionNumber},        // nothing stored: the argument
        {1, 1, Rules::OptionSingle},
        {1000, 1000, Rules::OptionUnlimited},
        {0, 7, Rules::OptionNumber},         // stray numbers are ignored
        {5000, 7, Rules::OptionNumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nStored);
        if (c.nStored >= 0)
            AfxGetApp()->WriteProfileInt(kSection, "MaxAllowedInstanceNumber", c.nStored);
        ASSERT_TRUE(page.InitializeInstanceManager(7, kSection));
        EXPECT_EQ(page.GetMaxAllowedInstances(), c.nMax);
        EXPECT_EQ(page.GetInstanceOption(), c.nOption);
        EXPECT_EQ(page.GetInstanceManager()->GetMaxAllowedInstances(), (int)c.nMax);
    }
    EXPECT_EQ(page.GetInstanceManager()->GetInstanceCount(), 1);
    DeleteProfileSection(kSection);
}

// A copy of the program: a main window and its instance registered; it ends
// when its window is closed.
TEST(OXCustomizeInstanceManagerPageChild, Run)
{
    std::string args, log;
    if (!ChildArgs(args, log))
        GTEST_SKIP() << "started by the instance manager page test only";
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "copy", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200, 100, NULL,
                                  NULL, ::GetModuleHandleA(NULL), NULL);
    // A plain static does not end the loop when it goes: watch for it.
    COXInstanceManager manager(COXCustomizeInstanceManagerPage::GetInstanceName());
    AppendLog(log, "up\n");
    if (args == "hung") {   // a copy that stops answering
        ::Sleep(INFINITE);
        return;
    }
    MSG msg;
    while (::IsWindow(hWnd)) {
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == hWnd && msg.message == WM_CLOSE) {
                ::DestroyWindow(hWnd);
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
        }
    }
}

// A restarted program reports the maximum and option it reads.
TEST(OXCustomizeInstanceManagerPageChild, Report)
{
    std::string section, log;
    if (!ChildArgs(section, log))
        GTEST_SKIP() << "started by the instance manager page test only";
    COXCustomizeInstanceManagerPage page;
    page.InitializeInstanceManager(1000, section.c_str());
    AppendLog(log, "max=" + std::to_string(page.GetMaxAllowedInstances()) +
                       " option=" + std::to_string(page.GetInstanceOption()) + "\n");
}

class OXCustomizeInstanceManagerPageDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { DeleteProfileSection(kSection); }
    void TearDown() override { DeleteProfileSection(kSection); }

    int Rows() { return List().GetItemCount(); }
    CListCtrl& List() { return *(CListCtrl*)m_page.GetDlgItem(IDC_OX_INST_LIST); }
    int RowOf(DWORD dwProcess)
    {
        for (int i = 0; i < Rows(); i++)
            if (List().GetItemData(i) == dwProcess)
                return i;
        return -1;
    }
    bool Listed(DWORD dwProcess) { return RowOf(dwProcess) >= 0; }
    void Choose(DWORD dwProcess)
    {
        const int nRow = RowOf(dwProcess);
        ASSERT_GE(nRow, 0);
        List().SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    // The page's buttons as enabled now: close, activate, behind, maximize,
    // minimize, restore.
    std::string Buttons()
    {
        std::string s;
        for (UINT nID = IDC_OX_INST_CLOSE; nID <= IDC_OX_INST_RESTORE; nID++)
            s += m_page.GetDlgItem(nID)->IsWindowEnabled() ? '1' : '0';
        return s;
    }
    void ChooseOption(UINT nID)
    {
        m_page.CheckRadioButton(IDC_OX_INST_UNLIMITED, IDC_OX_INST_NUMBER, nID);
        PressPageButton(&m_page, nID);
    }
    std::string Text(UINT nID)
    {
        CString s;
        m_page.GetDlgItemText(nID, s);
        return (LPCTSTR)s;
    }
    // Waits until a copy is registered, then until the page lists it; the
    // time between the two.
    DWORD ListingTime(CChild& child, int nCount)
    {
        EXPECT_TRUE(PumpUntil([&] { return child.Said("up"); }, 20000)) << "the copy did not start";
        const DWORD t0 = ::GetTickCount();
        EXPECT_TRUE(PumpUntil([&] { return Listed(child.Id()) && Rows() == nCount; }, kWaitMs))
            << "the copy was not listed";
        return ::GetTickCount() - t0;
    }

    COXCustomizeInstanceManagerPage m_page;
    CTestFolder m_folder;
};

// The lowest row of a static's text, in its parent's coordinates, as the
// static paints itself (its colours and font from its parent, as on screen);
// only columns from the text's left edge to nColumns beyond it count.
int TextBottom(CWnd* pStatic, int nColumns)
{
    CRect rect;
    pStatic->GetClientRect(&rect);
    CPixelCanvas canvas(rect.Width(), rect.Height(), kWhite);
    pStatic->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT | PRF_ERASEBKGND);
    auto IsInk = [&](int x, int y) {
        const COLORREF c = canvas.At(x, y);
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 384;
    };
    int nLeft = -1;
    for (int x = 0; x < rect.Width() && nLeft < 0; x++)
        for (int y = 0; y < rect.Height() && nLeft < 0; y++)
            if (IsInk(x, y))
                nLeft = x;
    int nBottom = -1;
    for (int x = std::max(nLeft, 0); x < std::min(nLeft + nColumns, (int)rect.Width()); x++)
        for (int y = 0; y < rect.Height(); y++)
            if (IsInk(x, y))
                nBottom = std::max(nBottom, y);
    pStatic->ClientToScreen(&rect);
    pStatic->GetParent()->ScreenToClient(&rect);
    return nLeft < 0 ? -1000 : rect.top + nBottom;
}

// The count, in its larger font, stands on the baseline of "Running:".
TEST_F(OXCustomizeInstanceManagerPageDialogTest, TheCountStandsOnItsLabelsBaseline)
{
    ASSERT_TRUE(m_page.InitializeInstanceManager(1000, ""));
    CPageManager manager(&m_page);
    ASSERT_TRUE(manager.OpenOn(&m_page));
    ASSERT_EQ(Text(IDC_OX_INST_COUNT), "1");
    CWnd* pLabel = m_page.GetDlgItem(IDC_OX_INST_COUNT_LABEL);
    ASSERT_NE(pLabel, nullptr);
    // The "R" of the label and the "1" of the count: neither reaches below it.
    EXPECT_EQ(TextBottom(m_page.GetDlgItem(IDC_OX_INST_COUNT), 100), TextBottom(pLabel, 5));
}

TEST_F(OXCustomizeInstanceManagerPageDialogTest, ThreeCopiesListedDrivenKilledAndClosed)
{
    ASSERT_TRUE(m_page.InitializeInstanceManager(1000, kSection));
    CPageManager manager(&m_page);
    ASSERT_TRUE(manager.OpenOn(&m_page));
    const DWORD self = ::GetCurrentProcessId();
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Text(IDC_OX_INST_COUNT), "1");
    EXPECT_EQ(m_page.GetCheckedRadioButton(IDC_OX_INST_UNLIMITED, IDC_OX_INST_NUMBER), IDC_OX_INST_UNLIMITED);
    EXPECT_FALSE(m_page.GetDlgItem(IDC_OX_INST_MAX)->IsWindowEnabled());
    EXPECT_EQ(Buttons(), "000000");

    CChild first("OXCustomizeInstanceManagerPageChild.Run", "copy", m_folder.File("first.log"));
    const DWORD dwFirst = ListingTime(first, 2);
    CChild second("OXCustomizeInstanceManagerPageChild.Run", "copy", m_folder.File("second.log"));
    const DWORD dwSecond = ListingTime(second, 3);
    printf("[ figures  ] copies listed %lu ms and %lu ms after they started (timer period 1000 ms)\n", dwFirst,
           dwSecond);
    EXPECT_LE(dwFirst, 1500u);
    EXPECT_LE(dwSecond, 1500u);
    EXPECT_EQ(Text(IDC_OX_INST_COUNT), "3");
    ASSERT_EQ(RowOf(self), 0);
    EXPECT_EQ(std::string((LPCTSTR)List().GetItemText(0, 0)), "Copy 1");
    EXPECT_EQ(std::string((LPCTSTR)List().GetItemText(0, 2)), "yes");
    EXPECT_EQ(std::string((LPCTSTR)List().GetItemText(RowOf(second.Id()), 0)), "Copy 3");
    EXPECT_EQ(std::string((LPCTSTR)List().GetItemText(RowOf(second.Id()), 1)), std::to_string(second.Id()));
    EXPECT_EQ(std::string((LPCTSTR)List().GetItemText(RowOf(second.Id()), 2)), "");

    // This copy can be closed, not activated or placed behind itself.
    Choose(self);
    EXPECT_EQ(Buttons().substr(0, 3), "100");

    // The other copy's window, through the six buttons.
    Choose(first.Id());
    HWND hFirst = COXInstanceManager::GetMainWindow(first.Id());
    ASSERT_NE(hFirst, (HWND)NULL);
    EXPECT_EQ(Buttons(), "111110");
    PressPageButton(&m_page, IDC_OX_INST_MAXIMIZE);
    EXPECT_TRUE(::IsZoomed(hFirst));
    EXPECT_EQ(Buttons(), "111011");
    PressPageButton(&m_page, IDC_OX_INST_RESTORE);
    EXPECT_FALSE(::IsZoomed(hFirst));
    PressPageButton(&m_page, IDC_OX_INST_MINIMIZE);
    EXPECT_TRUE(::IsIconic(hFirst));
    EXPECT_EQ(Buttons(), "111101");
    PressPageButton(&m_page, IDC_OX_INST_ACTIVATE);   // restores it too
    EXPECT_FALSE(::IsIconic(hFirst));
    EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == hFirst; }, kWaitMs)) << "not activated";
    EXPECT_EQ(Buttons(), "111110");
    PressPageButton(&m_page, IDC_OX_INST_BEHIND);
    EXPECT_TRUE(PumpUntil([&] { return ::GetWindow(manager.m_hWnd, GW_HWNDNEXT) == hFirst; }, kWaitMs))
        << "not placed just behind this program's window";

    // Killed without a word: dropped; the others stay.
    std::string output;
    CString sKill;
    sKill.Format("taskkill.exe /F /PID %lu", second.Id());
    EXPECT_EQ(RunCommand(sKill, &output), 0) << output;
    ASSERT_TRUE(second.Ended(10000));
    EXPECT_TRUE(PumpUntil([&] { return Rows() == 2; }, kWaitMs)) << "the killed copy stayed listed";
    EXPECT_TRUE(Listed(self));
    EXPECT_TRUE(Listed(first.Id()));
    EXPECT_EQ(Text(IDC_OX_INST_COUNT), "2");
    EXPECT_EQ(RowOf(first.Id()), 1);   // still chosen across the refresh
    EXPECT_TRUE(List().GetItemState(1, LVIS_SELECTED) & LVIS_SELECTED);

    PressPageButton(&m_page, IDC_OX_INST_CLOSE);
    EXPECT_TRUE(first.Ended(20000)) << "the copy was not closed";
    EXPECT_TRUE(PumpUntil([&] { return Rows() == 1; }, kWaitMs));

    // One copy at most: OK closes the copy started since, and keeps this one.
    CChild third("OXCustomizeInstanceManagerPageChild.Run", "copy", m_folder.File("third.log"));
    ListingTime(third, 2);
    ChooseOption(IDC_OX_INST_SINGLE);
    EXPECT_FALSE(m_page.GetDlgItem(IDC_OX_INST_MAX)->IsWindowEnabled());
    manager.Press(IDOK);
    EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    EXPECT_TRUE(third.Ended(20000)) << "one copy allowed, the other still runs";
    EXPECT_EQ(m_page.GetInstanceManager()->GetInstanceCount(), 1);
    EXPECT_EQ(m_page.GetInstanceManager()->GetMaxAllowedInstances(), 1);
    EXPECT_EQ(RegQuerySection(kSection), (std::map<std::string, std::string>{{"MaxAllowedInstanceNumber", "1"}}));
}

// The list is checked by process, not only by count: a copy that ended while
// another started leaves the count as it was.
TEST_F(OXCustomizeInstanceManagerPageDialogTest, TheListFollowsTheProcessesNotOnlyTheirCount)
{
    ASSERT_TRUE(m_page.InitializeInstanceManager(1000, ""));
    CPageManager manager(&m_page);
    ASSERT_TRUE(manager.OpenOn(&m_page));
    ASSERT_EQ(Rows(), 1);
    List().SetItemData(0, 0x7FFFFFF0);   // a process that has ended, listed in place of this one
    m_page.SendMessage(WM_TIMER, COXCustomizeInstanceManagerPage::nTimerID, 0);
    EXPECT_EQ(RowOf(::GetCurrentProcessId()), 0);
    EXPECT_EQ(Rows(), 1);
}

// A copy that answers nothing holds up a command for a bounded time only.
TEST_F(OXCustomizeInstanceManagerPageDialogTest, AHungCopyDoesNotHangThisOne)
{
    ASSERT_TRUE(m_page.InitializeInstanceManager(1000, ""));
    CPageManager manager(&m_page);
    ASSERT_TRUE(manager.OpenOn(&m_page));
    CChild hung("OXCustomizeInstanceManagerPageChild.Run", "hung", m_folder.File("hung.log"));
    ListingTime(hung, 2);
    Choose(hung.Id());
    ASSERT_EQ(Buttons(), "111110");
    const DWORD t0 = ::GetTickCount();
    PressPageButton(&m_page, IDC_OX_INST_MAXIMIZE);
    PressPageButton(&m_page, IDC_OX_INST_MINIMIZE);
    const DWORD dwElapsed = ::GetTickCount() - t0;
    EXPECT_LE(dwElapsed, 2u * COXCustomizeInstanceManagerPage::nSendTimeout + 3000) << "a command waited on the hung copy";
    EXPECT_TRUE(::IsWindow(m_page.GetSafeHwnd()));
}

TEST_F(OXCustomizeInstanceManagerPageDialogTest, OkStoresANumberARestartReadsCancelStoresNone)
{
    ASSERT_TRUE(m_page.InitializeInstanceManager(1000, kSection));
    {
        CPageManager manager(&m_page);
        ASSERT_TRUE(manager.OpenOn(&m_page));
        ChooseOption(IDC_OX_INST_NUMBER);
        EXPECT_TRUE(m_page.GetDlgItem(IDC_OX_INST_MAX)->IsWindowEnabled());
        EXPECT_TRUE(m_page.GetDlgItem(IDC_OX_INST_MAX_SPIN)->IsWindowEnabled());
        CDialogAnswerer answerer;
        m_page.SetDlgItemText(IDC_OX_INST_MAX, "");   // on the way to another number: no complaint
        m_page.SetDlgItemText(IDC_OX_INST_MAX, "3");
        EXPECT_TRUE(answerer.Texts().empty()) << answerer.Texts()[0];
        manager.Press(IDCANCEL);
        EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    }
    EXPECT_TRUE(RegQuerySection(kSection).empty());
    EXPECT_EQ(m_page.GetMaxAllowedInstances(), 1000u);
    EXPECT_EQ(m_page.GetInstanceOption(), Rules::OptionUnlimited);
    EXPECT_EQ(m_page.GetInstanceManager()->GetMaxAllowedInstances(), 1000);

    {
        CPageManager manager(&m_page);
        ASSERT_TRUE(manager.OpenOn(&m_page));
        EXPECT_EQ(m_page.GetCheckedRadioButton(IDC_OX_INST_UNLIMITED, IDC_OX_INST_NUMBER), IDC_OX_INST_UNLIMITED);
        ChooseOption(IDC_OX_INST_NUMBER);
        m_page.SetDlgItemText(IDC_OX_INST_MAX, "3");
        manager.Press(IDOK);
        EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    }
    EXPECT_EQ(m_page.GetInstanceManager()->GetMaxAllowedInstances(), 3);
    EXPECT_EQ(RegQuerySection(kSection), (std::map<std::string, std::string>{{"MaxAllowedInstanceNumber", "3"}}));

    CChild restarted("OXCustomizeInstanceManagerPageChild.Report", kSection, m_folder.File("report.log"));
    ASSERT_TRUE(restarted.Ended(30000)) << restarted.Log();
    EXPECT_EQ(restarted.Log(), "max=3 option=2\n");
}

} // namespace
