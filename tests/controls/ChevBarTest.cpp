// The chevron rebar: a frame with a tool bar in a chevron band, narrowed until
// buttons hide; the drop window lists exactly the hidden buttons, runs their
// commands in the frame, lays them out in rows and stays on the screen.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <vector>
#include "ChevBar.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const UINT kFirstCmd = 33400;
const int kButtons = 10;

class CChevTestFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;
    afx_msg void OnToolCmd(UINT nID) { m_commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChevTestFrame, CFrameWnd)
    ON_COMMAND_RANGE(kFirstCmd, kFirstCmd + kButtons - 1, &CChevTestFrame::OnToolCmd)
END_MESSAGE_MAP()

class ChevBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create("Chevrons", CRect(0, 0, 900, 300)));
        ASSERT_TRUE(m_rebar.Create(m_frame));
        ASSERT_TRUE(m_toolBar.CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
        // ten buttons with a separator after the third
        std::vector<UINT> ids;
        for (int i = 0; i < kButtons; i++) {
            ids.push_back(kFirstCmd + i);
            if (i == 2)
                ids.push_back(ID_SEPARATOR);
        }
        ASSERT_TRUE(m_toolBar.SetButtons(ids.data(), (int)ids.size()));
        ASSERT_TRUE(m_rebar.AddBarWithChevron(&m_toolBar, 0, NULL, RBBS_USECHEVRON));
        m_frame.Show();
    }
    void TearDown() override { m_frame.Destroy(); }

    void SetFrameWidth(int cx)
    {
        m_frame->SetWindowPos(NULL, 0, 0, cx, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_frame->RecalcLayout();
        PumpMessagesFor(50);
    }
    int FullWidth()
    {
        SIZE full = {};
        m_toolBar.SendMessage(TB_GETMAXSIZE, 0, (LPARAM)&full);
        return full.cx;
    }
    // The band's command ids in order, separators left out.
    std::vector<UINT> BandCommands()
    {
        std::vector<UINT> ids;
        for (int i = 0; i < m_toolBar.GetCount(); i++)
            if (m_toolBar.GetItemID(i) != ID_SEPARATOR)
                ids.push_back(m_toolBar.GetItemID(i));
        return ids;
    }
    static std::vector<UINT> DropCommands(CChevDrop* pDrop)
    {
        std::vector<UINT> ids;
        CToolBarCtrl& tb = pDrop->GetInnerToolBar();
        for (int i = 0; i < tb.GetButtonCount(); i++) {
            TBBUTTON tbb = {};
            tb.GetButton(i, &tbb);
            ids.push_back((UINT)tbb.idCommand);
        }
        return ids;
    }
    static bool Shown(CChevDrop* pDrop) { return pDrop != nullptr && pDrop->IsWindowVisible(); }
    // The visible part that leaves the last nHidden buttons out; bPartly cuts
    // one pixel off the last button that would otherwise still show.
    CRect VisibleLeaving(int nHidden, bool bPartly = false)
    {
        int nIndex = m_toolBar.GetCount() - nHidden - 1;
        CRect rc;
        m_toolBar.GetToolBarCtrl().GetItemRect(nIndex, &rc);
        return CRect(0, 0, bPartly ? rc.right - 1 : rc.right, rc.bottom);
    }

    CScopedFrame<CChevTestFrame> m_frame;
    CChevBar m_rebar;
    CToolBar m_toolBar;
};

TEST_F(ChevBarTest, ChevronDropsTheHiddenButtonsAndTheirCommandsRunInTheFrame)
{
    SetFrameWidth(FullWidth() / 2);
    m_rebar.SendMessage(RB_PUSHCHEVRON, 0, 0);
    CChevDrop* pDrop = m_rebar.GetDropWnd();
    ASSERT_TRUE(Shown(pDrop));

    // the hidden buttons are the band's last ones, in order
    std::vector<UINT> band = BandCommands(), dropped = DropCommands(pDrop);
    ASSERT_GT(dropped.size(), 0u);
    ASSERT_LT(dropped.size(), band.size());
    EXPECT_EQ(dropped, std::vector<UINT>(band.end() - dropped.size(), band.end()));
    CRect rcBand;
    m_rebar.SendMessage(RB_GETRECT, 0, (LPARAM)&rcBand);
    CRect rcFirstHidden;
    m_toolBar.GetToolBarCtrl().GetRect(dropped.front(), &rcFirstHidden);
    EXPECT_GT(rcFirstHidden.right, rcBand.Width() - 20);   // it does not fit before the chevron

    // a click on a dropped button runs its command in the frame
    CToolBarCtrl& tb = pDrop->GetInnerToolBar();
    CRect rcButton;
    tb.GetItemRect(0, &rcButton);
    LPARAM at = MAKELPARAM(rcButton.CenterPoint().x, rcButton.CenterPoint().y);
    tb.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    tb.SendMessage(WM_LBUTTONUP, 0, at);
    PumpMessagesFor(50);
    EXPECT_EQ(m_frame->m_commands, std::vector<UINT>{dropped.front()});

    // Escape hides the window, other keys leave it; the same window comes back
    pDrop->SendMessage(WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(Shown(pDrop));
    pDrop->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(Shown(pDrop));
    m_rebar.SendMessage(RB_PUSHCHEVRON, 0, 0);
    EXPECT_EQ(m_rebar.GetDropWnd(), pDrop);
    EXPECT_TRUE(Shown(pDrop));
    EXPECT_EQ(DropCommands(pDrop), dropped);
}

TEST_F(ChevBarTest, NothingDropsWhenEveryButtonShows)
{
    CChevDrop drop;
    ASSERT_TRUE(drop.CreatePopup(&m_rebar));
    CRect rcAll(0, 0, FullWidth() + 10, 100);
    EXPECT_FALSE(drop.ShowPopup(m_frame, &m_toolBar, rcAll, CPoint(10, 10)));
    EXPECT_FALSE(drop.IsWindowVisible());

    CToolBar empty;
    ASSERT_TRUE(empty.CreateEx(m_frame));
    EXPECT_FALSE(drop.ShowPopup(m_frame, &empty, CRect(0, 0, 0, 0), CPoint(10, 10)));
    EXPECT_FALSE(drop.IsWindowVisible());
}

TEST_F(ChevBarTest, DropWindowTakesAboutFourButtonsARowAndCountsPartlyCutOnes)
{
    struct Case {
        int nHidden;
        bool bPartly;
        int nCopied, nRows;
    } cases[] = {
        {1, false, 1, 1},
        {4, false, 4, 1},
        {7, false, 7, 2},
        {3, true, 4, 1},   // the button cut by one pixel is hidden too
    };
    CChevDrop drop;
    ASSERT_TRUE(drop.CreatePopup(&m_rebar));
    for (const Case& c : cases) {
        ASSERT_TRUE(drop.ShowPopup(m_frame, &m_toolBar, VisibleLeaving(c.nHidden, c.bPartly), CPoint(10, 10)))
            << c.nHidden;
        EXPECT_EQ(drop.GetInnerToolBar().GetButtonCount(), c.nCopied) << c.nHidden;
        EXPECT_EQ(drop.GetInnerToolBar().GetRows(), c.nRows) << c.nHidden;
        EXPECT_TRUE(drop.IsWindowVisible());
    }
}

TEST_F(ChevBarTest, DropWindowStaysOnTheScreen)
{
    CChevDrop drop;
    ASSERT_TRUE(drop.CreatePopup(&m_rebar));
    int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(drop.ShowPopup(m_frame, &m_toolBar, VisibleLeaving(2), CPoint(100, 100)));
    CRect rcFree;
    drop.GetWindowRect(&rcFree);
    EXPECT_EQ(rcFree.TopLeft(), CPoint(100, 100));

    ASSERT_TRUE(drop.ShowPopup(m_frame, &m_toolBar, VisibleLeaving(2), CPoint(cxScreen - 5, cyScreen - 5)));
    CRect rcEdge;
    drop.GetWindowRect(&rcEdge);
    EXPECT_EQ(rcEdge.right, cxScreen);
    EXPECT_EQ(rcEdge.bottom, cyScreen);
    EXPECT_EQ(rcEdge.Size(), rcFree.Size());
}

TEST_F(ChevBarTest, OnlyToolBarsWithAnIdGetAChevron)
{
    CToolBar second;
    ASSERT_TRUE(second.CreateEx(m_frame));
    CStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), m_frame, 1));
    ASSERT_TRUE(m_rebar.AddBarWithChevron(&second, (UINT)-1, NULL, RBBS_USECHEVRON));
    ASSERT_TRUE(m_rebar.AddBarWithChevron(&label, 5, "Text", RBBS_USECHEVRON));
    const bool expected[] = {true, false, false};
    ASSERT_EQ(m_rebar.SendMessage(RB_GETBANDCOUNT), 3);
    for (int i = 0; i < 3; i++) {
        REBARBANDINFOA rbbi = {};
        rbbi.cbSize = REBARBANDINFOA_V6_SIZE;
        rbbi.fMask = RBBIM_STYLE | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_CHILDSIZE;
        ASSERT_TRUE(m_rebar.SendMessage(RB_GETBANDINFOA, i, (LPARAM)&rbbi));
        EXPECT_EQ((rbbi.fStyle & RBBS_USECHEVRON) != 0, expected[i]) << i;
        if (expected[i]) {
            EXPECT_EQ(rbbi.wID, 0u);
            EXPECT_EQ((int)rbbi.cxIdeal, FullWidth());
            EXPECT_EQ(rbbi.cxMinChild, 0u);
        }
    }
    EXPECT_FALSE(m_rebar.AddBarWithChevron(NULL, 1, NULL, 0));
}

}  // namespace
