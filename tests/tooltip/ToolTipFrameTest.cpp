// The tooltip on a test frame under real messages: tools on controls, nested
// controls and tool-bar buttons; behaviours, notifications, placement at the
// screen's edges, fading transparency read back from the screen, menu-item
// tips and links in a tip.
#include <afxext.h>
#include <afxwin.h>
#include <commctrl.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "PPToolTip.h"
#include "testsupport.h"
#include "TipRelay.h"
#include "tooltip_test_res.h"

namespace {

class CFrameTip : public CPPToolTip
{
public:
  using CPPToolTip::m_tiDisplayed;
  using CPPToolTip::m_hwndDisplayedTool;
  using CPPToolTip::m_nTransparency;
  using CPPToolTip::m_nResolvedDirection;
  using CPPToolTip::m_rcTipBody;
  using CPPToolTip::m_rcTipText;
  using CPPToolTip::DrawTip;
};

CFrameTip* g_tip = nullptr;
HMENU g_menu = NULL;
std::string g_notifyText;          // what the display notification puts in the tool
int g_notifications = 0;

// The frame: a plain top-level window with a blue face that answers the tip's
// display notification and passes menu selections to the tip.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  switch (msg) {
  case WM_NOTIFY: {
    NMHDR* hdr = (NMHDR*)lParam;
    if (hdr->code == UDM_TOOLTIP_DISPLAY) {
      ++g_notifications;
      TooltipDisplayNotify* nm = (TooltipDisplayNotify*)lParam;
      if (g_notifyText != "-")
        nm->ti->sTooltip = g_notifyText.c_str();
      return 0;
    }
    break;
  }
  case WM_MENUSELECT:
    if (g_tip)
      g_tip->OnMenuSelect(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
    return 0;
  case WM_ENTERIDLE:
    if (g_tip)
      g_tip->OnEnterIdle((UINT)wParam, (HWND)lParam);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

const COLORREF kFace = RGB(0, 0, 255);

class ToolTipFrameTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hbrBackground = ::CreateSolidBrush(kFace);
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "ToolTipTestFrame";
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowExA(0, "ToolTipTestFrame", "Frame", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                  100, 100, 500, 400, NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE((HWND)NULL, hwnd);
    frame.Attach(hwnd);
    ASSERT_TRUE(control.CreateEx(0, "STATIC", "control", WS_CHILD | WS_VISIBLE, CRect(20, 60, 120, 100), &frame, 1001));
    // A container with a control inside it, and a group box over both.
    ASSERT_TRUE(container.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(150, 60, 450, 200), &frame, 1002));
    ASSERT_TRUE(nested.CreateEx(0, "STATIC", "nested", WS_CHILD | WS_VISIBLE, CRect(20, 20, 120, 60), &container, 1003));
    ASSERT_TRUE(group.CreateEx(0, "BUTTON", "group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(140, 50, 460, 210),
                               &frame, 1004));
    ::SetWindowPos(group.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // A tool bar of two text buttons.
    toolbar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE,
                                0, 0, 300, 40, hwnd, (HMENU)1005, wc.hInstance, NULL);
    ASSERT_NE((HWND)NULL, toolbar);
    ::SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
    TBBUTTON buttons[2] = {};
    buttons[0].iBitmap = I_IMAGENONE;
    buttons[0].idCommand = IDS_TIP_OPEN;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[1] = buttons[0];
    buttons[1].idCommand = IDS_TIP_SAVE;
    ::SendMessageA(toolbar, TB_ADDBUTTONSA, 2, (LPARAM)buttons);
    ::SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELONG(40, 30));

    ASSERT_TRUE(tip.Create(&frame, TRUE));
    tip.SetDelayTime(PPTOOLTIP_TIME_INITIAL, 100);
    g_tip = &tip;
    g_notifyText = "-";
    g_notifications = 0;
    PumpMessagesFor(50);
  }
  void TearDown() override
  {
    g_tip = nullptr;
    tip.DestroyWindow();
    if (frame.m_hWnd)
      ::DestroyWindow(frame.Detach());
  }

  // The cursor to a point of the frame's client area, the move relayed as the
  // frame's message loop would.
  void MoveTo(int x, int y)
  {
    POINT pt = {x, y};
    ::ClientToScreen(frame.m_hWnd, &pt);
    MoveToScreen(pt);
  }
  void MoveToScreen(POINT pt) { RelayMouseMove(tip, ::WindowFromPoint(pt), pt); }
  void Relay(UINT message) { RelayAtCursor(tip, frame.m_hWnd, message); }
  bool Visible() const { return TipVisible(tip); }
  bool ShowsWithin(DWORD ms) { return PumpUntil([this] { return Visible(); }, ms); }
  CRect TipRect() const { CRect rc; ::GetWindowRect(tip.m_hWnd, &rc); return rc; }
  // A pixel of what the tip shows, in its margin left of its text.
  COLORREF MarginPixel() const { return TipPixel(tip.m_rcTipText.left - 4, tip.m_rcTipText.top + tip.m_rcTipText.Height() / 2); }
  COLORREF TipPixel(int x, int y) const
  {
    HDC hdc = ::GetDC(tip.m_hWnd);
    COLORREF c = ::GetPixel(hdc, x, y);
    ::ReleaseDC(tip.m_hWnd, hdc);
    return c;
  }

  CWnd frame, control, container, nested, group;
  HWND toolbar = NULL;
  CFrameTip tip;
};

// The deepest enabled control under the point answers, not its container and
// not a group box drawn over both; a disabled control passes to its parent.
TEST_F(ToolTipFrameTest, FindsToolsOnNestedControls)
{
  tip.AddTool(&nested, "nested tip");
  tip.AddTool(&container, "container tip");
  tip.AddTool(&control, "control tip");
  struct Case { int x, y; const char* text; } cases[] = {
    {180, 90, "nested tip"}, {400, 150, "container tip"}, {30, 70, "control tip"},
  };
  for (const Case& c : cases) {
    HWND hwnd = NULL;
    TooltipTool ti;
    ASSERT_TRUE(tip.FindTool(CPoint(c.x, c.y), hwnd, ti)) << c.text;
    EXPECT_STREQ(c.text, ti.sTooltip);
  }
  nested.EnableWindow(FALSE);
  HWND hwnd = NULL;
  TooltipTool ti;
  ASSERT_TRUE(tip.FindTool(CPoint(180, 90), hwnd, ti));
  EXPECT_EQ(container.m_hWnd, hwnd);
  nested.EnableWindow(TRUE);

  MoveTo(181, 91);
  ASSERT_TRUE(ShowsWithin(kWaitMs));
  EXPECT_STREQ("nested tip", tip.m_tiDisplayed.sTooltip);
}

TEST_F(ToolTipFrameTest, ToolBarButtonsShowTheirCommandTips)
{
  tip.AddToolBar(CWnd::FromHandle(toolbar));
  RECT rc;
  ASSERT_TRUE(::SendMessageA(toolbar, TB_GETITEMRECT, 1, (LPARAM)&rc));
  POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  ::ClientToScreen(toolbar, &pt);
  MoveToScreen(pt);
  ASSERT_TRUE(ShowsWithin(kWaitMs));
  EXPECT_STREQ("Save", tip.m_tiDisplayed.sTooltip);
  EXPECT_EQ(IDS_TIP_SAVE, tip.m_tiDisplayed.nIDTool);
  EXPECT_EQ(toolbar, tip.m_hwndDisplayedTool);
  // Off the buttons, the tip goes.
  MoveTo(350, 300);
  EXPECT_FALSE(Visible());
}

BOOL CALLBACK AddTipControlTools(HWND hwnd, LPARAM lParam)
{
  char cls[32] = "";
  ::GetClassNameA(hwnd, cls, sizeof(cls));
  if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0)
    *(int*)lParam += (int)::SendMessageA(hwnd, TTM_GETTOOLCOUNT, 0, 0);
  return TRUE;
}

// The tools this thread's own tooltip controls (the ones a window's
// EnableToolTips uses) hold.
int ThreadTipControlTools()
{
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), AddTipControlTools, (LPARAM)&count);
  return count;
}

// A real tool bar keeps its own tips in its bar style: once the tooltip has
// the bar, a move over a button gives the bar's tip control nothing and only
// the rich tip shows, with the button's command text.
TEST_F(ToolTipFrameTest, TakesOverARealToolBarsTips)
{
  CToolBar bar;
  ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, 1006));
  ASSERT_TRUE(bar.LoadToolBar(IDR_TIP_TOOLBAR));
  const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
  bar.SetWindowPos(&CWnd::wndTop, 10, 250, size.cx, size.cy, SWP_NOACTIVATE);
  auto buttonCentre = [&](int index) {
    CRect rc;
    bar.GetItemRect(index, &rc);
    POINT pt = rc.CenterPoint();
    bar.ClientToScreen(&pt);
    return pt;
  };
  auto barSeesMove = [&](POINT ptScreen) {
    MSG msg = {};
    msg.hwnd = bar.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.pt = ptScreen;
    POINT ptClient = ptScreen;
    bar.ScreenToClient(&ptClient);
    msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
    bar.PreTranslateMessage(&msg);
  };
  barSeesMove(buttonCentre(0));
  ASSERT_EQ(1, ThreadTipControlTools()) << "the bar shows tips of its own before";

  tip.AddToolBar(&bar);
  EXPECT_EQ(0u, bar.GetBarStyle() & CBRS_TOOLTIPS);
  EXPECT_EQ(0, ThreadTipControlTools()) << "the button's own tip went";
  barSeesMove(buttonCentre(1));
  EXPECT_EQ(0, ThreadTipControlTools());

  MoveToScreen(buttonCentre(1));
  ASSERT_TRUE(ShowsWithin(kWaitMs));
  EXPECT_STREQ("Save", tip.m_tiDisplayed.sTooltip);
  EXPECT_EQ(bar.m_hWnd, tip.m_hwndDisplayedTool);
  // Held for a picture of the tip over the bar when asked.
  if (const char* hold = getenv("TOOLTIP_TEST_HOLD_MS")) PumpMessagesFor((DWORD)atoi(hold));
  tip.HideNow();
}

TEST_F(ToolTipFrameTest, DisplayNotificationChangesOrCancelsTheTool)
{
  tip.AddTool(&control, "original");
  tip.EnableNotify();
  g_notifyText = "changed by the owner";
  MoveTo(30, 70);
  ASSERT_TRUE(ShowsWithin(kWaitMs));
  EXPECT_EQ(1, g_notifications);
  EXPECT_STREQ("changed by the owner", tip.m_tiDisplayed.sTooltip);

  MoveTo(350, 300);
  g_notifyText = "";
  MoveTo(31, 71);
  ASSERT_TRUE(PumpUntil([] { return g_notifications == 2; }, kWaitMs)) << "asked again after the delay";
  EXPECT_FALSE(Visible()) << "an emptied text shows nothing";
  EXPECT_EQ(PPTOOLTIP_STATE_HIDEN, tip.m_nTooltipState);
}

// What a move inside the shown tool does, by behaviour.
TEST_F(ToolTipFrameTest, BehavioursOnMovesInsideTheShownTool)
{
  struct Case { int behaviour; bool visibleAfterMove; bool showsAgain; } cases[] = {
    {0, false, false},
    {PPTOOLTIP_MULTIPLE_SHOW, false, true},
    {PPTOOLTIP_TRACKING_MOUSE, true, false},
    {PPTOOLTIP_CLOSE_LEAVEWND, true, false},
  };
  int x = 30;
  for (const Case& c : cases) {
    tip.RemoveAllTools();
    tip.SetBehaviour(c.behaviour);
    tip.AddTool(&control, "behaviour");
    MoveTo(350, 300);
    MoveTo(x, 70);
    ASSERT_TRUE(ShowsWithin(kWaitMs)) << c.behaviour;
    const CRect before = TipRect();
    MoveTo(x + 5, 73);
    EXPECT_EQ(c.visibleAfterMove, Visible()) << c.behaviour;
    if (c.behaviour == PPTOOLTIP_TRACKING_MOUSE) {
      // The tip follows the cursor's movement, not its position.
      EXPECT_EQ(before.left + 5, TipRect().left);
      EXPECT_EQ(before.top + 3, TipRect().top);
    }
    if (c.showsAgain) {
      EXPECT_TRUE(ShowsWithin(kWaitMs)) << c.behaviour;
    } else if (!c.visibleAfterMove) {
      EXPECT_FALSE(TipTimerRunning(tip, kTipShowTimer)) << c.behaviour << ": nothing will show it again";
    }
    x += 10;
  }
}

TEST_F(ToolTipFrameTest, AutoHideAndKeepOverTheTip)
{
  tip.SetDelayTime(PPTOOLTIP_TIME_AUTOPOP, 300);
  tip.SetBehaviour(PPTOOLTIP_DISABLE_AUTOPOP);
  tip.AddTool(&control, "stays");
  MoveTo(30, 70);
  ASSERT_TRUE(ShowsWithin(kWaitMs));
  EXPECT_FALSE(TipTimerRunning(tip, kTipHideTimer)) << "never auto-hidden";
  EXPECT_TRUE(Visible());

  // Over the tip itself: kept with 0x08, hidden without.
  for (int behaviour : {PPTOOLTIP_NOCLOSE_OVER, 0}) {
    tip.RemoveAllTools();
    tip.SetBehaviour(behaviour);
    tip.AddTool(&control, "over");
    MoveTo(350, 300);
    MoveTo(35, 71);
    ASSERT_TRUE(ShowsWithin(kWaitMs));
    CRect rc = TipRect();
    POINT inside = {rc.left + tip.m_rcTipText.left + 2, rc.top + tip.m_rcTipText.top + 2};
    MoveToScreen(inside);
    EXPECT_EQ(behaviour != 0, Visible()) << behaviour;
  }
}

TEST_F(ToolTipFrameTest, TipAtPointIgnoresTheMouse)
{
  tip.SetDelayTime(PPTOOLTIP_TIME_AUTOPOP, 200);
  tip.AddTool(&control, "tool");
  tip.ShowTextAtPoint(CPoint(300, 300), "<b>program</b> tip");
  EXPECT_TRUE(Visible()) << "shown at once";
  EXPECT_EQ(PPTOOLTIP_SHOW_AT_POINT, tip.m_nTooltipType);
  MoveTo(30, 70);
  MoveTo(350, 300);
  EXPECT_FALSE(TipTimerRunning(tip, kTipShowTimer)) << "the tool under the mouse waits for nothing";
  EXPECT_FALSE(TipTimerRunning(tip, kTipHideTimer)) << "never auto-hidden";
  EXPECT_TRUE(Visible());
  EXPECT_STREQ("<b>program</b> tip", tip.m_tiDisplayed.sTooltip);
  tip.HideTooltip();
  EXPECT_FALSE(Visible());

  // The icon forms build a table around an icon.
  HICON icon = ::LoadIcon(NULL, IDI_INFORMATION);
  tip.ShowTextAtPoint(CPoint(300, 300), "with icon", icon);
  EXPECT_NE(-1, tip.m_tiDisplayed.sTooltip.Find("<table><tr><td><icon handle=0x"));
  tip.ShowTextWithResourceIcon(CPoint(300, 300), IDS_TIP_OPEN, 7, CSize(16, 16));
  EXPECT_STREQ("<table><tr><td><icon idres=7 width=16 height=16></td><td>Opens a file\nOpen</td></tr></table>",
               tip.m_tiDisplayed.sTooltip);
  tip.HideNow();
}

TEST_F(ToolTipFrameTest, FadeStopsAtTheToolsTransparency)
{
  tip.SetTransparency(150);
  tip.SetTransparency(30);
  tip.SetTransparency(200);   // above 100: ignored
  tip.SetDelayTime(PPTOOLTIP_TIME_FADEIN, 20);
  tip.AddTool(&control, "faded");
  std::vector<int> steps;
  auto record = [&] {
    if (steps.empty() || steps.back() != tip.m_nTransparency)
      steps.push_back(tip.m_nTransparency);
  };
  MoveTo(30, 70);
  ASSERT_TRUE(ShowsWithin(kWaitMs));
  record();
  ASSERT_TRUE(PumpUntil([&] { record(); return tip.m_nTooltipState == PPTOOLTIP_STATE_SHOWING; }, kWaitMs));
  EXPECT_EQ(std::vector<int>({100, 80, 60, 40, 30}), steps);
}

// A tool that arrives while the tip fades out waits, and paints in between
// draw the old text safely; then the new tool shows with its own text.
TEST_F(ToolTipFrameTest, PendingShowDuringFadeOut)
{
  tip.SetDelayTime(PPTOOLTIP_TIME_FADEOUT, 40);
  tip.ShowTextAtPoint(CPoint(300, 300), "<table border=1><tr><td>one</td><td>two</td></tr></table>");
  ASSERT_TRUE(Visible());
  tip.HideTooltip();
  EXPECT_EQ(PPTOOLTIP_STATE_DISAPPEARING, tip.m_nTooltipState);
  TooltipTool next;
  next.sTooltip = "a<br>much<br>longer<br>text<table><tr><td colspan=3>with</td></tr><tr><td>a</td><td>b</td>"
                  "<td>c</td></tr></table>";
  tip.ShowAtPoint(CPoint(320, 320), next);
  EXPECT_EQ(PPTOOLTIP_STATE_DISAPPEARING, tip.m_nTooltipState) << "waits for the fade-out";
  for (int i = 0; i < 3; ++i) {
    tip.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessagesFor(20);
  }
  ASSERT_TRUE(PumpUntil([&] { return tip.m_nTooltipState == PPTOOLTIP_STATE_SHOWING; }, kWaitMs));
  EXPECT_STREQ(next.sTooltip, tip.m_tiDisplayed.sTooltip);
  EXPECT_TRUE(Visible());
}

// Near the right edge a tip whose stem sits at the left end moves it to the
// right end; near the top a tip above the point goes below it.
TEST_F(ToolTipFrameTest, PlacementFlipsAtTheScreenEdges)
{
  const int cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  tip.SetShadow(0, 0);
  struct Case { int direction; int x, y; int resolved; } cases[] = {
    {16, 400, 500, 16}, {16, cx - 5, 500, 17}, {16, 400, 5, 0}, {0, 400, cy - 5, 16},
    {32, 5, 400, 32}, {32, cx - 5, 400, 48}, {48, 5, 400, 32}, {34, 400, 400, 34},
  };
  for (const Case& c : cases) {
    tip.SetDirection(c.direction);
    tip.ShowTextAtPoint(CPoint(c.x, c.y), "A tip near the edge of the screen");
    ASSERT_TRUE(Visible());
    EXPECT_EQ(c.resolved, tip.m_nResolvedDirection) << c.direction << " at " << c.x << "," << c.y;
    CRect rc = TipRect();
    EXPECT_GE(rc.left, 0) << c.direction;
    EXPECT_LE(rc.right, cx) << c.direction;
    EXPECT_GE(rc.top, 0) << c.direction;
    EXPECT_LE(rc.bottom, cy) << c.direction;
    // The stem's point is at the given point.
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(tip.m_hWnd, rgn));
    if (c.x > 5 && c.x < cx - 5 && c.y > 5 && c.y < cy - 5) {
      EXPECT_TRUE(::PtInRegion(rgn, c.x - rc.left, c.y - rc.top) ||
                  ::PtInRegion(rgn, c.x - rc.left - 1, c.y - rc.top - 1) ||
                  ::PtInRegion(rgn, c.x - rc.left, c.y - rc.top - 1) ||
                  ::PtInRegion(rgn, c.x - rc.left - 1, c.y - rc.top)) << c.direction;
    }
    ::DeleteObject(rgn);
    tip.HideNow();
  }
  // A plain tip: no stem, square corners; the shadow widens the window.
  tip.SetDefaultSizes(FALSE);
  tip.SetShadow(6, 6);
  tip.SetDirection(16);
  tip.ShowTextAtPoint(CPoint(400, 400), "plain");
  CRect rc = TipRect();
  EXPECT_EQ(tip.m_rcTipBody.Width() + 6, rc.Width());
  EXPECT_EQ(tip.m_rcTipBody.Height() + 6, rc.Height());
  EXPECT_EQ(400, rc.left);
  EXPECT_EQ(400, rc.top + tip.m_rcTipBody.Height()) << "above the point, its corner at the cursor";
}

// The tip blends with a copy of the screen taken before it showed: invisible
// at 100, its own colour at 0, a mix between; the shadow darkens the frame.
TEST_F(ToolTipFrameTest, TransparencyIsVisibleWhileFading)
{
  tip.SetColor(RGB(255, 255, 255));
  tip.SetDelayTime(PPTOOLTIP_TIME_FADEIN, 60000);   // stays at the first step
  tip.SetShadow(6, 6, 50, FALSE);
  tip.ShowTextAtPoint(CPoint(250, 480), "Faded tip text");
  ASSERT_TRUE(Visible());
  PumpMessagesFor(100);
  EXPECT_EQ(100, tip.m_nTransparency);
  EXPECT_EQ(kFace, MarginPixel()) << "at 100 only what lay below shows";
  tip.DrawTip(NULL, 0);
  EXPECT_EQ(RGB(255, 255, 255), MarginPixel());
  tip.DrawTip(NULL, 50);
  // Half the tip's white over what lies below: the frame's blue under the
  // shadow, which fades with the tip (grey 191 at 50).
  COLORREF mix = MarginPixel();
  EXPECT_NEAR(127, GetRValue(mix), 2);
  EXPECT_NEAR((255 + 191) / 2, GetBValue(mix), 2);
  // The hard shadow right of the body, at transparency 0: half as bright.
  tip.DrawTip(NULL, 0);
  COLORREF shade = TipPixel(tip.m_rcTipBody.right + 3, tip.m_rcTipBody.top + 20);
  EXPECT_NEAR(127, GetBValue(shade), 2);
  EXPECT_EQ(0, GetRValue(shade));
  tip.HideNow();
}

TEST_F(ToolTipFrameTest, ClickOnALinkInTheTipActivatesIt)
{
  struct COpener : CPPLinkOpener {
    INT_PTR ShellOpen(LPCSTR link, int) override { links.push_back(link); return 42; }
    std::vector<std::string> links;
  } opener;
  CPPHtmlDrawer::SetLinkOpener(&opener);
  tip.ShowTextAtPoint(CPoint(300, 300), "<a href=\"http://example.invalid/\">a link</a>");
  ASSERT_TRUE(Visible());
  PumpMessagesFor(50);
  const std::vector<HtmlHotArea>& areas = tip.GetHtmlDrawer()->GetHotAreas();
  ASSERT_EQ(1u, areas.size());
  POINT pt = {(areas[0].rect.left + areas[0].rect.right) / 2, (areas[0].rect.top + areas[0].rect.bottom) / 2};
  ::ClientToScreen(tip.m_hWnd, &pt);
  ::SetCursorPos(pt.x, pt.y);
  tip.SendMessage(WM_SETCURSOR, (WPARAM)tip.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(0, tip.GetHtmlDrawer()->GetCurrentHotId());
  Relay(WM_LBUTTONDOWN);
  CPPHtmlDrawer::SetLinkOpener(NULL);
  ASSERT_EQ(1u, opener.links.size());
  EXPECT_EQ("http://example.invalid/", opener.links[0]);
  EXPECT_FALSE(Visible()) << "a click hides the tip";
}

TEST_F(ToolTipFrameTest, DebugModeDescribesTheWindowUnderTheCursor)
{
  tip.AddTool(&control, "x");
  tip.EnableDebugMode();
  MoveTo(30, 70);
  ASSERT_TRUE(ShowsWithin(kWaitMs));
  const CString& text = tip.m_tiDisplayed.sTooltip;
  EXPECT_NE(-1, text.Find("<tr><td bgcolor=buttonface>Class Name</td><td bgcolor=window>Static</td></tr>"));
  EXPECT_NE(-1, text.Find("<td bgcolor=white>Yes</td>"));
  EXPECT_NE(-1, text.Find("<td bgcolor=white>1001</td>"));
  EXPECT_STREQ("a?b", CPPToolTip::EscapeDebugText("a<b"));
  EXPECT_STREQ("abcdefghijklmnopqrstu ...", CPPToolTip::EscapeDebugText("abcdefghijklmnopqrstuvwxyz"));
}

// Steps inside the menu's own loop, each taken once what the one before
// waits for has happened: the menu is up, then the first item highlighted by
// key shows its tip, then the next item's selection (as the frame passes it
// on) replaces it, then the menu closes. A limit closes the menu in any case.
std::vector<std::string> g_menuTips;
int g_menuStep = 0;
DWORD g_menuStart = 0;

bool MenuTipShows(const char* text)
{
  return g_tip && ::IsWindowVisible(g_tip->m_hWnd) && g_tip->m_tiDisplayed.sTooltip == text;
}

void CALLBACK MenuStepTimer(HWND hwnd, UINT, UINT_PTR, DWORD)
{
  HWND menuWnd = ::FindWindowA("#32768", NULL);
  if (::GetTickCount() - g_menuStart > kWaitMs) {
    ::KillTimer(hwnd, 77);
    ::EndMenu();
    return;
  }
  if (g_menuStep == 0 && menuWnd && ::IsWindowVisible(menuWnd)) {
    // The tip stays only while the cursor is over the menu: put it on the
    // menu's frame, away from the items.
    RECT rc;
    ::GetWindowRect(menuWnd, &rc);
    ::SetCursorPos(rc.left + 1, rc.bottom - 1);
    ::PostMessageA(menuWnd, WM_KEYDOWN, VK_DOWN, 0);
    ++g_menuStep;
  } else if (g_menuStep == 1 && MenuTipShows("The item's tip")) {
    g_menuTips.push_back("The item's tip");
    g_tip->OnMenuSelect(IDS_TIP_MENU_OFF, MF_HILITE, g_menu);
    ++g_menuStep;
  } else if (g_menuStep == 2 && MenuTipShows("Off item tip")) {
    g_menuTips.push_back("Off item tip");
    ::KillTimer(hwnd, 77);
    ::EndMenu();
    ++g_menuStep;
  }
}

// Menu-item tips: selecting an item of a real pop-up menu by key shows the
// first part of its string beside the item, the next item's selection
// replaces it, and closing the menu hides it.
TEST_F(ToolTipFrameTest, MenuItemTips)
{
  HMENU menu = ::CreatePopupMenu();
  g_menu = menu;
  ::AppendMenuA(menu, MF_STRING, IDS_TIP_MENU_ITEM, "Item");
  ::AppendMenuA(menu, MF_STRING, IDS_TIP_MENU_OFF, "Off");
  tip.SetMenuTipPlacement(PPTOOLTIP_MENU_RIGHT);
  g_menuTips.clear();
  g_menuStep = 0;
  g_menuStart = ::GetTickCount();
  ::SetTimer(frame.m_hWnd, 77, 50, MenuStepTimer);
  ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 200, 200, 0, frame.m_hWnd, NULL);
  ::KillTimer(frame.m_hWnd, 77);
  ::DestroyMenu(menu);
  PumpMessagesFor(50);
  EXPECT_EQ(3, g_menuStep) << "stopped waiting at this step";
  EXPECT_EQ(g_menuTips, (std::vector<std::string>{"The item's tip", "Off item tip"}));
  tip.OnMenuSelect(0, 0xFFFF, NULL);
  EXPECT_FALSE(Visible());
  EXPECT_EQ(PPTOOLTIP_STATE_HIDEN, tip.m_nTooltipState);
}

}  // namespace

namespace {

// Hostile markups shown as tips: huge fonts, line breaks and tables are cut to
// the screen, and every fade step paints them without a fault.
TEST_F(ToolTipFrameTest, HostileTipsStayOnTheScreenAndPaint)
{
  const int cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const char* const tips[] = {
    "<font size=1000>WWWWWWWWWWWWWWWWWWWW</font>",
    "x<br=1000>y<br=1000>z",
    "<table width=32767 border=255 cellpadding=20000><tr><td colspan=99999 rowspan=99999 bgeffect=metal>a</td></tr></table>",
    "<hr width=32767 size=1000><t=1000><t=1000>",
    "<table><table><table><table><table><table><table><table><table><table><table><table><table><table>"
    "<table><table><table><table><table><table>deep",
    "<icon handle=0x1 cx=9999 cy=9999><bmp handle=0x2 width=99999 height=99999>",
    "",
  };
  for (const char* html : tips) {
    tip.ShowTextAtPoint(CPoint(300, 300), html);
    if (!*html) {
      EXPECT_FALSE(Visible()) << "an empty tip is not shown";
      continue;
    }
    ASSERT_TRUE(Visible()) << html;
    CRect rc = TipRect();
    EXPECT_LE(rc.Width(), cx) << html;
    EXPECT_LE(rc.Height(), cy) << html;
    for (int t = 100; t >= 0; t -= 50)
      tip.DrawTip(NULL, t);
    PumpMessagesFor(20);
    tip.HideNow();
  }
}

}  // namespace

namespace {

class CBorderTip : public CFrameTip
{
public:
  void DrawBorder(HDC hdc, HRGN hrgn) override
  {
    ++borders;
    CFrameTip::DrawBorder(hdc, hrgn);
  }
  int borders = 0;
};

// The border is drawn through the overridable DrawBorder, in the brush given,
// and not at all once removed; the drawer's settings reach the tips.
TEST_F(ToolTipFrameTest, BorderAndDrawerSettings)
{
  CBorderTip bordered;
  ASSERT_TRUE(bordered.Create(&frame, TRUE));
  bordered.SetShadow(0, 0);
  bordered.SetColor(RGB(255, 255, 255));
  bordered.SetBorderColor(RGB(255, 0, 0), 2, 2);
  bordered.ShowTextAtPoint(CPoint(300, 450), "bordered");
  bordered.DrawTip(NULL, 0);
  EXPECT_GT(bordered.borders, 0);
  const CRect body = bordered.m_rcTipBody;
  HDC hdc = ::GetDC(bordered.m_hWnd);
  EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(hdc, body.left + body.Width() / 2, body.bottom - 1));
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hdc, body.left + body.Width() / 2, body.bottom - 3));
  // The brush it holds, handed back with new sizes, stays alive and draws.
  HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 255));
  bordered.SetBorder(blue, 2, 2);
  bordered.SetBorder(blue, 1, 1);
  EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(blue));
  bordered.DrawTip(hdc, 0);
  EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(hdc, body.left + body.Width() / 2, body.bottom - 1));
  bordered.RemoveBorder();
  bordered.borders = 0;
  bordered.DrawTip(hdc, 0);
  EXPECT_EQ(0, bordered.borders);
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hdc, body.left + body.Width() / 2, body.bottom - 1));
  ::ReleaseDC(bordered.m_hWnd, hdc);
  bordered.DestroyWindow();

  // A style sheet of the tooltip's own, and line breaks kept or dropped.
  tip.SetStyleSheet("body {font-size: 30px}");
  EXPECT_STREQ("body {font-size: 30px}", tip.GetStyleSheet());
  tip.ShowTextAtPoint(CPoint(300, 450), "big");
  const int big = tip.m_rcTipText.Height();
  tip.SetStyleSheet(NULL);
  tip.ShowTextAtPoint(CPoint(300, 450), "big");
  EXPECT_GT(big, tip.m_rcTipText.Height());
  tip.ShowTextAtPoint(CPoint(300, 450), "two\nlines");
  const int kept = tip.m_rcTipText.Height();
  tip.SetKeepLineBreaks(FALSE);
  tip.ShowTextAtPoint(CPoint(300, 450), "two\nlines");
  EXPECT_GT(kept, tip.m_rcTipText.Height());
  tip.HideNow();
}

}  // namespace
