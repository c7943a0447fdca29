// The shared ways a test waits for what its steps brought about: a menu probe
// acts once the menu is up however late it comes, and a step driver whose
// wait runs out or whose step fails closes what it drove and fails the test
// instead of leaving a loop to hang the run.
#include <afxwin.h>
#include <windowsx.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <string>
#include "ContextMenuProbe.h"
#include "modalscript_test_res.h"
#include "testsupport.h"

namespace {

const UINT kItemOn = 4801, kItemGrey = 4802;

// A window whose context menu is slow to come, as on a loaded machine: its
// handler dispatches messages (timer ticks included) for a while before it
// tracks the menu.
class CSlowMenuWnd : public CWnd
{
public:
    DWORD m_dwDelayMs = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_CONTEXTMENU)
            return CWnd::WindowProc(message, wParam, lParam);
        PumpMessagesFor(m_dwDelayMs);
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, kItemOn, "On");
        ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, kItemGrey, "Grey");
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_RETURNCMD, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0,
                         m_hWnd, NULL);
        ::DestroyMenu(hMenu);
        return 0;
    }
};

class WaitingHelpersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.CreateEx(0, AfxRegisterWndClass(0), "slow menu", WS_POPUP | WS_VISIBLE,
                                   CRect(100, 100, 300, 200), NULL, 0));
        ::SetForegroundWindow(m_wnd.m_hWnd);
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    CSlowMenuWnd m_wnd;
};

// However long the menu takes to come, it is read once it is up and closed.
TEST_F(WaitingHelpersTest, AContextMenuIsReadOnceItIsUpHoweverLateItComes)
{
    for (DWORD dwDelay : {0u, 400u}) {
        SCOPED_TRACE(dwDelay);
        m_wnd.m_dwDelayMs = dwDelay;
        CMessageRecorder rec;
        rec.Watch(m_wnd.m_hWnd, "owner");
        rec.Only({WM_INITMENUPOPUP});
        ASSERT_TRUE(OpenContextMenu(&m_wnd, rec, 10, 10)) << "the menu was not read";
        EXPECT_EQ(ContextMenuItemStates()[kItemOn] & MF_GRAYED, 0u);
        EXPECT_EQ(ContextMenuItemStates()[kItemGrey] & MF_GRAYED, (UINT)MF_GRAYED);
        EXPECT_EQ(ShownMenu(), (HWND)NULL);
    }
}

// A menu that comes only after the limit is not acted on but ended, so that
// it cannot hold the test.
TEST_F(WaitingHelpersTest, AMenuThatComesAfterTheLimitIsEnded)
{
    m_wnd.m_dwDelayMs = 0;
    bool bActed = false;
    CMenuWatch watch([&](HWND) { bActed = true; }, 300);
    const ULONGLONG ullLate = ::GetTickCount64() + 300;
    PumpUntil([&] { return ::GetTickCount64() >= ullLate; }, 1000);
    CRect rc;
    m_wnd.GetWindowRect(rc);
    m_wnd.SendMessage(WM_CONTEXTMENU, (WPARAM)m_wnd.m_hWnd, MAKELPARAM(rc.left + 10, rc.top + 10));
    EXPECT_FALSE(bActed);
    EXPECT_FALSE(watch.Acted());
    EXPECT_TRUE(watch.EndedAMenu());
    EXPECT_EQ(ShownMenu(), (HWND)NULL);
}

// A wait that runs out, or a step that fails, fails the test once and ends
// the dialog the steps drove; no later step runs.
TEST(StepDriverTest, AFailingDriverFailsOnceAndClosesWhatItDrove)
{
    struct Case {
        const char* name;
        bool bWait;   // a wait that never ends, else a failed assertion
        const char* expected;
    } cases[] = {
        {"a wait that never ends", true, "waited 300 ms for a window that never opens (step 1)"},
        {"a failed assertion", false, "no such control"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDialog dlg(IDD_SCRIPT_OUTER);
        bool bRanOn = false;
        INT_PTR nResult = 0;
        ::testing::TestPartResultArray failures;
        {
            ::testing::ScopedFakeTestPartResultReporter reporter(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
            CStepDriver driver;
            driver.WaitFor([&] { return dlg.GetSafeHwnd() != NULL && dlg.IsWindowVisible(); }, "the dialog");
            if (c.bWait)
                driver.WaitFor([] { return false; }, "a window that never opens", 300);
            else
                driver.Then([] { FAIL() << "no such control"; });
            driver.Then([&] { bRanOn = true; });
            nResult = dlg.DoModal();
            EXPECT_FALSE(driver.Done());
        }
        // The step's own failure, if any, then the driver's.
        ASSERT_EQ(failures.size(), c.bWait ? 1 : 2);
        const std::string message = failures.GetTestPartResult(failures.size() - 1).message();
        EXPECT_NE(message.find(c.bWait ? c.expected : "step 1 failed"), std::string::npos) << message;
        if (!c.bWait) {
            EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find(c.expected), std::string::npos);
        }
        EXPECT_FALSE(bRanOn) << "a step ran after the failure";
        EXPECT_EQ(nResult, IDCANCEL) << "the dialog was closed by the driver";
    }
}

}  // namespace
