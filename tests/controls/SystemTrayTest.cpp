// The tray icon against a watched shell: what it adds, changes and deletes,
// its menu and default command under injected notifications, the animation on
// its timer, the tooltip's bound, and when the icon counts as shown.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "SystemTray.h"
#include "controls_test_res.h"
#include "testsupport.h"

namespace {

struct ShellCall {
  DWORD msg;
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  std::string tip;
};

std::vector<ShellCall> g_calls;
BOOL g_shellAnswer = TRUE;
BOOL g_areaVisible = TRUE;

BOOL WINAPI FakeShell(DWORD msg, PNOTIFYICONDATAA nid)
{
  g_calls.push_back({msg, nid->cbSize, nid->hWnd, nid->uID, nid->uFlags, nid->uCallbackMessage, nid->hIcon,
                     std::string(nid->szTip)});
  return g_shellAnswer;
}
BOOL FakeArea() { return g_areaVisible; }

// The main window as the frame is: it hands WM_TRAY_NOTIFY to the tray, and
// records the commands it gets and the pop-up menus it is asked to set up.
class CTargetWnd : public CWnd {
 public:
  CSystemTray* tray = nullptr;
  std::vector<UINT> commands;
  HMENU popup = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
  {
    if (message == WM_TRAY_NOTIFY && tray != nullptr) return tray->OnTrayNotification(wParam, lParam);
    if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
    if (message == WM_INITMENUPOPUP) popup = (HMENU)wParam;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

const HICON kIcon0 = LoadIconA(nullptr, IDI_APPLICATION);
const HICON kIcon1 = LoadIconA(nullptr, IDI_WARNING);
const HICON kIcon2 = LoadIconA(nullptr, IDI_ERROR);

class SystemTrayTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    g_calls.clear();
    g_shellAnswer = TRUE;
    g_areaVisible = TRUE;
    CSystemTray::s_pfnShellNotifyIcon = FakeShell;
    CSystemTray::s_pfnTrayAreaVisible = FakeArea;
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP | WS_VISIBLE,
                                CRect(50, 50, 250, 150), nullptr, 0));
    target.tray = &tray;
    savedMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = &target;
  }
  void TearDown() override
  {
    AfxGetApp()->m_pMainWnd = savedMain;
    target.tray = nullptr;
    tray.RemoveIcon();
    target.DestroyWindow();
    CSystemTray::s_pfnShellNotifyIcon = ::Shell_NotifyIconA;
    CSystemTray::s_pfnTrayAreaVisible = CSystemTray::IsTrayAreaVisible;
  }
  BOOL MakeTray(LPCTSTR tip = "Pellucor") { return tray.Create(&target, WM_TRAY_NOTIFY, tip, kIcon0, IDR_TRAY_TEST); }
  std::vector<HICON> ModifiedIcons() const
  {
    std::vector<HICON> icons;
    for (const ShellCall& c : g_calls)
      if (c.msg == NIM_MODIFY && (c.uFlags & NIF_ICON)) icons.push_back(c.hIcon);
    return icons;
  }

  CTargetWnd target;
  CSystemTray tray;
  CWnd* savedMain = nullptr;
};

TEST_F(SystemTrayTest, AddModifyAndDeleteReachTheShellWithTheirIconsAndTips)
{
  ASSERT_TRUE(MakeTray());
  ASSERT_EQ(g_calls.size(), 1u);
  const ShellCall& add = g_calls[0];
  EXPECT_EQ(add.msg, (DWORD)NIM_ADD);
  EXPECT_EQ(add.cbSize, (DWORD)NOTIFYICONDATAA_V1_SIZE);
  EXPECT_EQ(add.hWnd, target.m_hWnd);
  EXPECT_EQ(add.uID, (UINT)IDR_TRAY_TEST);
  EXPECT_EQ(add.uFlags, (UINT)(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(add.uCallbackMessage, (UINT)WM_TRAY_NOTIFY);
  EXPECT_EQ(add.hIcon, kIcon0);
  EXPECT_EQ(add.tip, "Pellucor");

  EXPECT_TRUE(tray.SetIcon(kIcon1));
  EXPECT_TRUE(tray.SetTooltipText("Harvesting"));
  tray.HideIcon();
  tray.HideIcon();   // already hidden: no second delete
  tray.ShowIcon();
  tray.ShowIcon();   // already shown: no second add
  tray.RemoveIcon();
  EXPECT_FALSE(tray.SetIcon(kIcon2));   // removed: the shell hears nothing more
  EXPECT_EQ(tray.GetIcon(), (HICON) nullptr);
  EXPECT_EQ(tray.GetTooltipText(), "");

  ASSERT_EQ(g_calls.size(), 6u);
  EXPECT_EQ(g_calls[1].msg, (DWORD)NIM_MODIFY);
  EXPECT_EQ(g_calls[1].uFlags, (UINT)NIF_ICON);
  EXPECT_EQ(g_calls[1].hIcon, kIcon1);
  EXPECT_EQ(g_calls[2].msg, (DWORD)NIM_MODIFY);
  EXPECT_EQ(g_calls[2].uFlags, (UINT)NIF_TIP);
  EXPECT_EQ(g_calls[2].tip, "Harvesting");
  EXPECT_EQ(g_calls[3].msg, (DWORD)NIM_DELETE);
  EXPECT_EQ(g_calls[4].msg, (DWORD)NIM_ADD);
  EXPECT_EQ(g_calls[4].hIcon, kIcon1);
  EXPECT_EQ(g_calls[5].msg, (DWORD)NIM_DELETE);
  EXPECT_EQ(g_calls[5].uFlags, 0u);
}

TEST_F(SystemTrayTest, TooltipIsCutTo63Characters)
{
  const std::string long100(100, 'x');
  struct Case { std::string text; std::string expected; } cases[] = {
      {std::string(62, 'a'), std::string(62, 'a')},
      {std::string(63, 'b'), std::string(63, 'b')},
      {std::string(64, 'c'), std::string(63, 'c')},
      {long100, std::string(63, 'x')},
  };
  ASSERT_TRUE(MakeTray(long100.c_str()));
  EXPECT_EQ(g_calls.back().tip, std::string(63, 'x'));
  for (const Case& c : cases) {
    EXPECT_TRUE(tray.SetTooltipText(c.text.c_str()));
    EXPECT_EQ(g_calls.back().tip, c.expected) << c.text.size() << " characters";
    EXPECT_EQ(std::string((LPCSTR)tray.GetTooltipText()), c.expected);
  }
}

// A window hides itself to the tray only when this holds.
TEST_F(SystemTrayTest, IconCountsAsShownOnlyWhenAcceptedNotHiddenAndTheAreaIsOnScreen)
{
  struct Case { BOOL shellAccepts; BOOL areaVisible; bool hide; BOOL shown; } cases[] = {
      {TRUE, TRUE, false, TRUE},
      {FALSE, TRUE, false, FALSE},   // the shell refused the icon
      {TRUE, FALSE, false, FALSE},   // accepted, but no notification area to show it in
      {TRUE, TRUE, true, FALSE},     // taken out by HideIcon
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.shellAccepts << c.areaVisible << c.hide);
    g_shellAnswer = c.shellAccepts;
    g_areaVisible = c.areaVisible;
    EXPECT_EQ(MakeTray(), c.shellAccepts);
    if (c.hide) tray.HideIcon();
    EXPECT_EQ(tray.IsIconShown(), c.shown);
    tray.RemoveIcon();
  }
  g_shellAnswer = FALSE;
  ASSERT_FALSE(MakeTray());
  g_calls.clear();
  EXPECT_FALSE(tray.SetIcon(kIcon1));   // a refused tray stays silent
  HICON list[] = {kIcon1, kIcon2};
  tray.SetIconList(list, 2);
  tray.Animate(10, -1);
  ASSERT_TRUE(PumpPastTimer(60)) << "the marker timer never fired";
  tray.StopAnimation();
  EXPECT_TRUE(g_calls.empty());
}

// This display has no task bar: the real shell says yes to the icon, and the
// tray must not take that for an icon the user can see.
TEST_F(SystemTrayTest, RealShellWithoutNotificationAreaIsNotConfirmed)
{
  CSystemTray::s_pfnShellNotifyIcon = ::Shell_NotifyIconA;
  CSystemTray::s_pfnTrayAreaVisible = CSystemTray::IsTrayAreaVisible;
  BOOL accepted = MakeTray();
  PumpMessagesFor(200);
  EXPECT_FALSE(tray.IsIconShown()) << "accepted=" << accepted;
  EXPECT_FALSE(CSystemTray::IsTrayAreaVisible());
}

// A task bar of the test's own: a visible "Shell_TrayWnd" with a visible
// "TrayNotifyWnd" inside is a notification area a user can see; take either
// out of sight, or away, and there is none.
TEST_F(SystemTrayTest, TaskBarWithANotificationAreaIsFoundAndConfirmsTheIcon)
{
  CSystemTray::s_pfnTrayAreaVisible = CSystemTray::IsTrayAreaVisible;
  ASSERT_FALSE(CSystemTray::IsTrayAreaVisible()) << "this display already has a task bar";
  for (const char* pszClass : {"Shell_TrayWnd", "TrayNotifyWnd"}) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = pszClass;
    RegisterClassA(&wc);
  }
  HWND hBar = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 990, 1280, 34, NULL, NULL,
                              GetModuleHandleA(NULL), NULL);
  ASSERT_NE(hBar, nullptr);
  HWND hArea = CreateWindowExA(0, "TrayNotifyWnd", "", WS_CHILD, 1100, 2, 170, 30, hBar, NULL,
                               GetModuleHandleA(NULL), NULL);
  ASSERT_NE(hArea, nullptr);
  EXPECT_FALSE(CSystemTray::IsTrayAreaVisible()) << "neither is shown yet";
  ShowWindow(hBar, SW_SHOWNOACTIVATE);
  EXPECT_FALSE(CSystemTray::IsTrayAreaVisible()) << "a task bar without a visible notification area";
  ShowWindow(hArea, SW_SHOWNA);
  EXPECT_TRUE(CSystemTray::IsTrayAreaVisible());

  // With the shell's yes and the area on screen, the icon counts as shown.
  g_shellAnswer = TRUE;
  EXPECT_TRUE(MakeTray());
  EXPECT_TRUE(tray.IsIconShown());
  tray.RemoveIcon();

  ShowWindow(hBar, SW_HIDE);
  EXPECT_FALSE(CSystemTray::IsTrayAreaVisible()) << "the task bar is hidden";
  ShowWindow(hBar, SW_SHOWNOACTIVATE);
  DestroyWindow(hArea);
  EXPECT_FALSE(CSystemTray::IsTrayAreaVisible()) << "no notification area in the task bar";
  DestroyWindow(hBar);
  EXPECT_FALSE(CSystemTray::IsTrayAreaVisible());
}

TEST_F(SystemTrayTest, RightClickShowsTheTrayMenuWithTheDefaultItemBold)
{
  struct Case { UINT item; BOOL byPos; int boldPos; } cases[] = {
      {0, TRUE, 0},               // the default: the first item
      {ID_TRAYTEST_EXIT, FALSE, 3},   // by command
  };
  ASSERT_TRUE(MakeTray());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    tray.SetMenuDefaultItem(c.item, c.byPos);
    target.popup = nullptr;
    int boldPos = -1;
    CMenuWatch watch([&](HWND) {
      HMENU menu = target.popup;
      for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); i++) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE;
        if (GetMenuItemInfoA(menu, i, TRUE, &mii) && (mii.fState & MFS_DEFAULT)) boldPos = i;
      }
      EndMenu();
    });
    LRESULT result = target.SendMessage(WM_TRAY_NOTIFY, IDR_TRAY_TEST, WM_RBUTTONUP);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(watch.Acted()) << "the menu was not shown";
    EXPECT_EQ(boldPos, c.boldPos);
    EXPECT_TRUE(target.commands.empty());   // closed without a choice
  }
}

TEST_F(SystemTrayTest, LeftClickOrDoubleClickRunsTheDefaultCommand)
{
  struct Case { UINT item; BOOL byPos; UINT mouse; WPARAM id; LRESULT result; std::vector<UINT> commands; } cases[] = {
      {0, TRUE, WM_LBUTTONDBLCLK, IDR_TRAY_TEST, 1, {ID_TRAYTEST_SHOW}},
      {1, TRUE, WM_LBUTTONDOWN, IDR_TRAY_TEST, 1, {ID_TRAYTEST_HIDE}},
      {ID_TRAYTEST_EXIT, FALSE, WM_LBUTTONDBLCLK, IDR_TRAY_TEST, 1, {ID_TRAYTEST_EXIT}},
      {0, TRUE, WM_MOUSEMOVE, IDR_TRAY_TEST, 1, {}},
      {0, TRUE, WM_LBUTTONDBLCLK, IDR_TRAY_TEST + 1, 0, {}},   // another icon's notification
  };
  ASSERT_TRUE(MakeTray());
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.item << " mouse " << c.mouse);
    tray.SetMenuDefaultItem(c.item, c.byPos);
    target.commands.clear();
    EXPECT_EQ(target.SendMessage(WM_TRAY_NOTIFY, c.id, c.mouse), c.result);
    EXPECT_EQ(target.commands, c.commands);
  }
}

TEST_F(SystemTrayTest, AnimationAlternatesItsIconsAndStoppingPutsTheFirstIconBack)
{
  ASSERT_TRUE(MakeTray());
  HICON list[] = {kIcon1, kIcon2};
  ASSERT_TRUE(tray.SetIconList(list, 2));
  ASSERT_TRUE(tray.Animate(30, -1));
  ASSERT_TRUE(PumpUntil([&] { return ModifiedIcons().size() >= 3; }, kWaitMs));
  std::vector<HICON> shown = ModifiedIcons();
  EXPECT_EQ(shown[0], kIcon2);
  EXPECT_EQ(shown[1], kIcon1);
  EXPECT_EQ(shown[2], kIcon2);

  // Restarting puts the original back first, so the end still restores it.
  ASSERT_TRUE(PumpUntil([&] { return tray.GetIcon() != kIcon0; }, kWaitMs));
  ASSERT_TRUE(tray.Animate(30, -1));
  EXPECT_EQ(ModifiedIcons().back(), kIcon0);
  ASSERT_TRUE(PumpUntil([&] { return tray.GetIcon() != kIcon0; }, kWaitMs));
  EXPECT_TRUE(tray.StopAnimation());
  EXPECT_EQ(tray.GetIcon(), kIcon0);
  EXPECT_EQ(ModifiedIcons().back(), kIcon0);

  size_t calls = g_calls.size();
  EXPECT_FALSE(tray.StopAnimation());   // nothing running: nothing changes
  ASSERT_TRUE(PumpPastTimer(100)) << "the marker timer never fired";
  EXPECT_EQ(g_calls.size(), calls);
}

TEST_F(SystemTrayTest, AnimationWithADurationStopsByItself)
{
  ASSERT_TRUE(MakeTray());
  HICON list[] = {kIcon1, kIcon2};
  ASSERT_TRUE(tray.SetIconList(list, 2));
  DWORD start = GetTickCount();
  ASSERT_TRUE(tray.Animate(50, 1));
  ASSERT_TRUE(PumpUntil([&] { return !tray.IsAnimating(); }, kWaitMs));
  // The start is taken in whole seconds: stopping needs two seconds on that
  // clock, which is more than one real second.
  EXPECT_GE(GetTickCount() - start, 950u);
  EXPECT_EQ(tray.GetIcon(), kIcon0);
  EXPECT_GT(ModifiedIcons().size(), 3u);
}

// Before Create the tray has no window for its timer: Animate refuses, and no
// timer of the thread is left running that no stop could kill.
TEST_F(SystemTrayTest, AnimateBeforeCreateSetsNoTimer)
{
  CSystemTray fresh;
  HICON list[] = {kIcon1, kIcon2};
  fresh.SetIconList(list, 2);
  MSG msg;
  while (PeekMessageA(&msg, NULL, WM_TIMER, WM_TIMER, PM_REMOVE)) {}
  EXPECT_FALSE(fresh.Animate(10, -1));
  EXPECT_FALSE(fresh.IsAnimating());
  // A thread timer of the test's own, set after the call with a longer period:
  // a timer the call set would come first.
  const UINT_PTR marker = SetTimer(nullptr, 0, 60, nullptr);
  std::vector<UINT_PTR> others;
  const ULONGLONG end = GetTickCount64() + kWaitMs;
  bool markerCame = false;
  while (!markerCame && GetTickCount64() < end) {
    if (!PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_TIMER);
      continue;
    }
    if (msg.hwnd != nullptr)
      continue;   // a window's timer: not the thread's
    if (msg.wParam == marker)
      markerCame = true;
    else
      others.push_back(msg.wParam);
  }
  KillTimer(nullptr, marker);
  ASSERT_TRUE(markerCame) << "the marker timer never fired";
  EXPECT_TRUE(others.empty()) << "a thread timer was set";
  fresh.StopAnimation();
}

}  // namespace
