// The tooltip window under real messages: tools on a parent and its child, mouse
// moves relayed as the owner's message loop would, and the show, auto-hide and
// hide-now paths driven by the tip's own timers.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <vector>
#include "PPToolTip.h"
#include "testsupport.h"
#include "TipRelay.h"

namespace {

class CTestTip : public CPPToolTip
{
public:
    using CPPToolTip::m_tiDisplayed;
    using CPPToolTip::m_hwndDisplayedTool;
    using CPPToolTip::m_nTransparency;
};

class PPToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE,
                                    CRect(100, 100, 500, 400), nullptr, 0));
        ASSERT_TRUE(child.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE,
                                   CRect(20, 20, 120, 60), &parent, 1001));
        ASSERT_TRUE(tip.Create(&parent, TRUE));
        tip.SetDelayTime(PPTOOLTIP_TIME_INITIAL, 100);
        PumpMessagesFor(50);
    }
    void TearDown() override
    {
        tip.DestroyWindow();
        child.DestroyWindow();
        parent.DestroyWindow();
    }

    // Puts the cursor at a point of the parent's client area and relays the move.
    void MoveTo(int x, int y, HWND target = NULL)
    {
        POINT pt = {x, y};
        ::ClientToScreen(parent.m_hWnd, &pt);
        RelayMouseMove(tip, target ? target : parent.m_hWnd, pt);
    }
    void Relay(UINT message) { RelayAtCursor(tip, parent.m_hWnd, message); }
    bool Visible() const { return TipVisible(tip); }
    bool ShowsWithin(DWORD ms) { return PumpUntil([this] { return Visible(); }, ms); }
    bool HidesWithin(DWORD ms) { return PumpUntil([this] { return !Visible(); }, ms); }

    CWnd parent, child;
    CTestTip tip;
};

TEST_F(PPToolTipTest, CreatesTopmostToolWindowOwnedByParent)
{
    EXPECT_EQ(WS_POPUP, ::GetWindowLongA(tip.m_hWnd, GWL_STYLE) & (WS_POPUP | WS_CHILD));
    LONG ex = ::GetWindowLongA(tip.m_hWnd, GWL_EXSTYLE);
    EXPECT_EQ(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_EQ(parent.m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));
    char cls[32] = "";
    ::GetClassNameA(tip.m_hWnd, cls, sizeof(cls));
    EXPECT_STREQ("CPPToolTip", cls);
    EXPECT_EQ(16, tip.GetSize(0));      // balloon sizes
    tip.SetDefaultSizes(FALSE);
    EXPECT_EQ(0, tip.GetSize(0));
    EXPECT_EQ(3, tip.GetSize(2));
    EXPECT_EQ(0, tip.GetSize(9));
    EXPECT_FALSE(Visible());
}

// Lookup rules: a lone tool with an empty rectangle covers its window; with more
// tools only rectangles match; a child without tools falls back to its parent.
TEST_F(PPToolTipTest, FindsToolsByWindowAndRectangle)
{
    tip.AddTool(&child, "child tip");
    tip.AddTool(&parent, "left", CRect(150, 150, 200, 200), 1);
    tip.AddTool(&parent, "right", CRect(250, 150, 300, 200), 2);

    struct Case { int x, y; bool found; HWND wnd; const char* text; } cases[] = {
        {30, 30, true, child.m_hWnd, "child tip"},
        {110, 55, true, child.m_hWnd, "child tip"},
        {160, 160, true, parent.m_hWnd, "left"},
        {260, 190, true, parent.m_hWnd, "right"},
        {220, 160, false, NULL, ""},
        {5, 5, false, NULL, ""},
    };
    for (const Case& c : cases) {
        HWND hwnd = NULL;
        TooltipTool ti;
        EXPECT_EQ(c.found, tip.FindTool(CPoint(c.x, c.y), hwnd, ti) != FALSE) << c.x << "," << c.y;
        if (c.found) {
            EXPECT_EQ(c.wnd, hwnd) << c.x << "," << c.y;
            EXPECT_STREQ(c.text, ti.sTooltip) << c.x << "," << c.y;
        }
    }

    // Same rectangle replaces; removing by rectangle keeps the others.
    tip.AddTool(&parent, "left again", CRect(150, 150, 200, 200), 3);
    HWND hwnd = NULL;
    TooltipTool ti;
    ASSERT_TRUE(tip.FindTool(CPoint(160, 160), hwnd, ti));
    EXPECT_STREQ("left again", ti.sTooltip);
    EXPECT_EQ(3, ti.nIDTool);
    CRect left(150, 150, 200, 200);
    tip.RemoveTool(&parent, &left);
    EXPECT_FALSE(tip.FindTool(CPoint(160, 160), hwnd, ti));
    EXPECT_TRUE(tip.FindTool(CPoint(260, 160), hwnd, ti));
    // A child whose tools are gone falls back to the parent's tools.
    tip.RemoveTool(&child);
    tip.AddTool(&parent, "whole parent");   // now one of two: empty never matches
    EXPECT_FALSE(tip.FindTool(CPoint(30, 30), hwnd, ti));
    tip.RemoveAllTools();
    tip.AddTool(&parent, "whole parent");
    ASSERT_TRUE(tip.FindTool(CPoint(30, 30), hwnd, ti));
    EXPECT_EQ(parent.m_hWnd, hwnd);
}

// An empty rectangle covers the window only while it is the window's one
// tool: registered before or after a tool with a rectangle, it answers
// nowhere, and the other tool only inside its rectangle.
TEST_F(PPToolTipTest, AWholeWindowToolBesideAnotherNeverAnswers)
{
  for (bool wholeFirst : {true, false}) {
    tip.RemoveAllTools();
    if (wholeFirst)
      tip.AddTool(&parent, "whole");
    tip.AddTool(&parent, "part", CRect(150, 150, 200, 200));
    if (!wholeFirst)
      tip.AddTool(&parent, "whole");
    struct Case { int x, y; bool found; } cases[] = {{160, 160, true}, {300, 250, false}, {5, 5, false}};
    for (const Case& c : cases) {
      HWND hwnd = NULL;
      TooltipTool ti;
      ASSERT_EQ(c.found, tip.FindTool(CPoint(c.x, c.y), hwnd, ti) != FALSE)
          << (wholeFirst ? "whole first " : "whole last ") << c.x << "," << c.y << ": " << (LPCSTR)ti.sTooltip;
      if (c.found) {
        EXPECT_STREQ("part", ti.sTooltip);
      }
    }
  }
}

class CTipScrollView : public CScrollView
{
public:
  void OnDraw(CDC*) override {}
  void PostNcDestroy() override {}   // lives on the test's stack
};

// Tools of a scroll view are in its document's coordinates: scrolled down,
// a point of the view finds the tool as far down the document.
TEST_F(PPToolTipTest, ScrollViewToolsFollowTheScrollPosition)
{
  CTipScrollView view;
  ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(150, 20, 350, 220), &parent, 1002, NULL));
  view.SetScrollSizes(MM_TEXT, CSize(150, 2000));
  tip.AddTool(&view, "top", CRect(0, 0, 150, 50));
  tip.AddTool(&view, "far down", CRect(0, 500, 150, 550));
  struct Case { int scroll; const char* text; } cases[] = {{0, "top"}, {500, "far down"}, {0, "top"}};
  for (const Case& c : cases) {
    view.ScrollToPosition(CPoint(0, c.scroll));
    ASSERT_EQ(c.scroll, view.GetScrollPosition().y);
    HWND hwnd = NULL;
    TooltipTool ti;
    ASSERT_TRUE(tip.FindTool(CPoint(160, 30), hwnd, ti)) << c.scroll;
    EXPECT_EQ(view.m_hWnd, hwnd);
    EXPECT_STREQ(c.text, ti.sTooltip) << c.scroll;
  }
  view.DestroyWindow();
}

TEST_F(PPToolTipTest, ShowsAfterDelayAndHidesWhenMouseLeaves)
{
    tip.AddTool(&child, "Hello from child");
    const DWORD start = ::GetTickCount();
    MoveTo(40, 40, child.m_hWnd);
    EXPECT_FALSE(Visible());
    ASSERT_TRUE(ShowsWithin(kWaitMs));
    EXPECT_GE(::GetTickCount() - start, 90u) << "shown before the initial delay of 100 ms";
    EXPECT_EQ(PPTOOLTIP_STATE_SHOWING, tip.m_nTooltipState);
    EXPECT_EQ(PPTOOLTIP_SHOW_TOOL, tip.m_nTooltipType);
    EXPECT_STREQ("Hello from child", tip.m_tiDisplayed.sTooltip);
    EXPECT_EQ(child.m_hWnd, tip.m_hwndDisplayedTool);
    CRect rc;
    tip.GetWindowRect(&rc);
    EXPECT_GT(rc.Width(), 2 * tip.GetSize(2));
    EXPECT_GT(rc.Height(), 2 * tip.GetSize(3));

    // The same point again changes nothing.
    MoveTo(40, 40, child.m_hWnd);
    EXPECT_TRUE(Visible());

    MoveTo(300, 250);   // no tool there
    EXPECT_FALSE(Visible());
    EXPECT_EQ(PPTOOLTIP_STATE_HIDEN, tip.m_nTooltipState);
    EXPECT_FALSE(TipTimerRunning(tip, kTipShowTimer)) << "nothing will show it again";
}

// A move inside the shown tool hides it (default behaviour) and it stays hidden
// while the cursor remains in the tool.
TEST_F(PPToolTipTest, MoveInsideShownToolHidesUntilLeft)
{
    tip.AddTool(&child, "tip");
    MoveTo(40, 40, child.m_hWnd);
    ASSERT_TRUE(ShowsWithin(kWaitMs));
    MoveTo(45, 42, child.m_hWnd);
    EXPECT_FALSE(Visible());
    EXPECT_FALSE(TipTimerRunning(tip, kTipShowTimer)) << "nothing will show it again";
    // Once the cursor has left, coming back shows it again.
    MoveTo(300, 250);
    MoveTo(46, 43, child.m_hWnd);
    EXPECT_TRUE(ShowsWithin(kWaitMs));
}

TEST_F(PPToolTipTest, AutoPopHidesAndZeroDisablesIt)
{
    tip.AddTool(&child, "tip");
    tip.SetDelayTime(PPTOOLTIP_TIME_AUTOPOP, 300);
    MoveTo(40, 40, child.m_hWnd);
    ASSERT_TRUE(ShowsWithin(kWaitMs));
    EXPECT_TRUE(HidesWithin(kWaitMs));
    EXPECT_EQ(PPTOOLTIP_STATE_HIDEN, tip.m_nTooltipState);

    tip.SetDelayTime(PPTOOLTIP_TIME_AUTOPOP, 0);
    MoveTo(300, 250);
    MoveTo(41, 41, child.m_hWnd);
    ASSERT_TRUE(ShowsWithin(kWaitMs));
    EXPECT_FALSE(TipTimerRunning(tip, kTipHideTimer)) << "nothing will hide it";
    EXPECT_TRUE(Visible());
}

// Clicks and keys hide at once; HideTooltip and app deactivation too; a window
// without tools shows nothing.
TEST_F(PPToolTipTest, HidesOnInputDeactivationAndShowsNothingWithoutTools)
{
    MoveTo(40, 40, child.m_hWnd);
    EXPECT_FALSE(Visible());
    EXPECT_FALSE(TipTimerRunning(tip, kTipShowTimer)) << "a window without tools shows nothing";

    tip.AddTool(&child, "tip");
    const UINT hiders[] = {WM_LBUTTONDOWN, WM_KEYDOWN, WM_ACTIVATEAPP, 0};
    int x = 50;
    for (UINT m : hiders) {
        MoveTo(300, 250);
        MoveTo(x++, 40, child.m_hWnd);
        ASSERT_TRUE(ShowsWithin(kWaitMs)) << m;
        if (m == WM_ACTIVATEAPP)
            tip.SendMessage(WM_ACTIVATEAPP, FALSE, 0);
        else if (m == 0)
            tip.HideTooltip();
        else
            Relay(m);
        EXPECT_FALSE(Visible()) << m;
        EXPECT_EQ(PPTOOLTIP_STATE_HIDEN, tip.m_nTooltipState) << m;
    }
    // Button-up changes nothing.
    MoveTo(300, 250);
    MoveTo(60, 40, child.m_hWnd);
    ASSERT_TRUE(ShowsWithin(kWaitMs));
    Relay(WM_LBUTTONUP);
    EXPECT_TRUE(Visible());
}

TEST_F(PPToolTipTest, FadesInAndOutOverSteps)
{
    tip.AddTool(&child, "tip");
    tip.SetDelayTime(PPTOOLTIP_TIME_FADEIN, 20);
    tip.SetDelayTime(PPTOOLTIP_TIME_FADEOUT, 20);
    // The transparency after each fade tick, in the order the ticks came.
    std::vector<int> steps;
    auto record = [&] {
        if (steps.empty() || steps.back() != tip.m_nTransparency)
            steps.push_back(tip.m_nTransparency);
    };
    MoveTo(40, 40, child.m_hWnd);
    ASSERT_TRUE(ShowsWithin(kWaitMs));
    EXPECT_EQ(PPTOOLTIP_STATE_APPEARING, tip.m_nTooltipState);
    record();
    ASSERT_TRUE(PumpUntil([&] { record(); return tip.m_nTooltipState == PPTOOLTIP_STATE_SHOWING; }, kWaitMs));
    EXPECT_EQ(std::vector<int>({100, 80, 60, 40, 20, 0}), steps) << "fade-in steps";
    steps.clear();
    tip.HideTooltip();
    EXPECT_EQ(PPTOOLTIP_STATE_DISAPPEARING, tip.m_nTooltipState);
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(PumpUntil([&] { if (Visible()) record(); return !Visible(); }, kWaitMs));
    EXPECT_EQ(std::vector<int>({0, 20, 40, 60, 80}), steps) << "fade-out steps";
    EXPECT_EQ(PPTOOLTIP_STATE_HIDEN, tip.m_nTooltipState);
}

}  // namespace
