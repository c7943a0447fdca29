// The status-bar progress: a frame with a two-pane status bar as the main
// window; the bar sits in its pane after the message, steps, shows itself
// again when stepped, follows the status bar, and gives the pane back.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <memory>
#include "ProgressBar.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class ProgressBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create("Progress", CRect(0, 0, 700, 300)));
        ASSERT_TRUE(m_status.Create(m_frame));
        const UINT ids[] = {ID_SEPARATOR, ID_SEPARATOR};
        ASSERT_TRUE(m_status.SetIndicators(ids, 2));
        m_status.SetPaneInfo(1, ID_SEPARATOR, SBPS_NORMAL, 200);
        m_frame.Show();
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        m_frame.Destroy();
    }

    CRect Pane(int nPane)
    {
        CRect rc;
        m_status.GetItemRect(nPane, &rc);
        return rc;
    }
    static CRect Placed(CProgressBar& bar)
    {
        CRect rc;
        bar.GetWindowRect(&rc);
        bar.GetParent()->ScreenToClient(&rc);
        return rc;
    }
    int TextWidth(const char* text)
    {
        CClientDC dc(&m_status);
        CFont* pOld = dc.SelectObject(m_status.GetFont());
        int cx = dc.GetTextExtent(text).cx;
        dc.SelectObject(pOld);
        return cx;
    }

    CScopedFrame<> m_frame;
    CStatusBar m_status;
    CWnd* m_pOldMain = nullptr;
};

TEST_F(ProgressBarTest, BarSitsInItsPaneAfterTheMessage)
{
    struct Case {
        const char* message;
        int nSize;
    } cases[] = {{"", 100}, {"Done", 100}, {"Done", 50}, {"Done", 0}};
    for (const Case& c : cases) {
        CProgressBar bar;
        ASSERT_TRUE(bar.Create(c.message, c.nSize, 100, FALSE, 1)) << c.message;
        EXPECT_EQ(bar.GetParent(), &m_status);
        CRect pane = Pane(1), placed = Placed(bar);
        SCOPED_TRACE(testing::Message() << '"' << c.message << "\" " << c.nSize);
        if (*c.message == '\0')
            EXPECT_EQ(placed.left, pane.left);
        else
            EXPECT_GT(placed.left, pane.left + TextWidth(c.message));   // blanks between text and bar
        int room = pane.right - placed.left;
        EXPECT_NEAR(placed.Width(), room * c.nSize / 100, 1);
        // a fifth of the pane's height free above and below
        EXPECT_EQ(placed.top - pane.top, pane.Height() / 5);
        EXPECT_EQ(pane.bottom - placed.bottom, pane.Height() / 5);
        EXPECT_EQ(m_status.GetPaneText(1), c.message);
    }

    // a message wider than the pane leaves a bar of no width where the text ends
    CProgressBar wide;
    ASSERT_TRUE(wide.Create(CString('x', 200), 100, 100, FALSE, 1));
    EXPECT_EQ(Placed(wide).Width(), 0);
}

TEST_F(ProgressBarTest, SteppingMovesTheBarAndShowsItAgain)
{
    CProgressBar bar("Working", 100, 10, TRUE, 0);
    ASSERT_NE(bar.m_hWnd, (HWND)NULL);
    EXPECT_TRUE(bar.GetStyle() & PBS_SMOOTH);
    int lower = -1, upper = -1;
    bar.GetRange(lower, upper);
    EXPECT_EQ(upper, 10);
    EXPECT_EQ(bar.StepIt(), 0);
    EXPECT_EQ(bar.StepIt(), 1);
    EXPECT_EQ(bar.GetPos(), 2);
    EXPECT_EQ(bar.OffsetPos(3), 2);
    EXPECT_EQ(bar.GetPos(), 5);

    bar.ShowWindow(SW_HIDE);
    bar.SetPos(7);
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(bar.GetPos(), 7);
    EXPECT_TRUE(bar.SetRange(0, 200, 10));
    bar.SetPos(0);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 10);

    // a new text moves the bar along the pane
    int leftBefore = Placed(bar).left;
    EXPECT_TRUE(bar.SetText("A much longer message"));
    EXPECT_GT(Placed(bar).left, leftBefore);
    EXPECT_EQ(m_status.GetPaneText(0), "A much longer message");
}

TEST_F(ProgressBarTest, BarFollowsTheStatusBarWhenTheFrameResizes)
{
    CProgressBar bar("Done", 100, 100, FALSE, 0);
    ASSERT_NE(bar.m_hWnd, (HWND)NULL);
    m_frame->SetWindowPos(NULL, 0, 0, 900, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_frame->RecalcLayout();
    m_status.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
    PumpMessagesFor(50);
    EXPECT_EQ(Placed(bar).right, Pane(0).right);
}

TEST_F(ProgressBarTest, ClearingGivesThePaneBack)
{
    m_status.SetPaneText(1, "before");
    {
        CProgressBar bar("Busy", 100, 100, FALSE, 1);
        ASSERT_NE(bar.m_hWnd, (HWND)NULL);
        EXPECT_EQ(m_status.GetPaneText(1), "Busy");
        bar.Clear();
        EXPECT_FALSE(bar.IsWindowVisible());
        EXPECT_EQ(m_status.GetPaneText(1), "before");
        bar.StepIt();
        EXPECT_EQ(m_status.GetPaneText(1), "before");   // stepping shows the bar, not the text
        bar.SetText("Busy again");
        EXPECT_EQ(m_status.GetPaneText(1), "Busy again");
    }
    EXPECT_EQ(m_status.GetPaneText(1), "before");   // the destructor clears it
    EXPECT_EQ(m_status.GetDlgItem(1), nullptr);

    // the message pane returns to the idle prompt, whatever it had
    m_status.SetPaneText(0, "something");
    auto pBar = std::unique_ptr<CProgressBar>(DYNAMIC_DOWNCAST(CProgressBar, RUNTIME_CLASS(CProgressBar)->CreateObject()));
    ASSERT_TRUE(pBar);
    ASSERT_TRUE(pBar->Create("Done", 100, 100, FALSE, 0));
    pBar.reset();
    EXPECT_EQ(m_status.GetPaneText(0), "Ready");
}

TEST_F(ProgressBarTest, WithoutAStatusBarNothingIsMade)
{
    AfxGetApp()->m_pMainWnd = nullptr;
    CProgressBar bar;
    EXPECT_EQ(bar.GetStatusBar(), nullptr);
    EXPECT_FALSE(bar.Create("Done", 100, 100, FALSE, 0));
    EXPECT_EQ(bar.m_hWnd, (HWND)NULL);

    AfxGetApp()->m_pMainWnd = m_frame;
    EXPECT_EQ(bar.GetStatusBar(), &m_status);
    EXPECT_FALSE(bar.SetRange(0, 10, 1));
    EXPECT_FALSE(bar.Resize());
    EXPECT_FALSE(bar.SetText("x"));
    EXPECT_EQ(bar.StepIt(), 0);
    EXPECT_EQ(bar.OffsetPos(1), 0);
    EXPECT_EQ(bar.SetBarColour(RGB(1, 2, 3)), CLR_DEFAULT);
    EXPECT_EQ(bar.SetBkColour(RGB(1, 2, 3)), CLR_DEFAULT);
    bar.Clear();   // harmless without a window
}

}  // namespace
