// The framework's main window, created by each test on an application object
// of the test's own (with its own profile); the shell's tray is a fake that
// records what it is asked and says whether a notification area is on screen.
#include "mainframe_test_res.h"
#include <afxwin.h>
#include <gtest/gtest.h>
#include <vector>
#include "BasedApp.h"
#include "BasedMainFrame.h"
#include "LogWindow.h"
#include "PPToolTip.h"
#include "Logger.h"
#include "OwnAppTest.h"
#include "ProfileKeys.h"
#include "TestFolder.h"
#include "controls_test_res.h"
#include "testsupport.h"

namespace {

const char kAppName[] = "PellucorMainFrameTest";
const char kProfileKey[] = "Software\\Dunmorrow\\PellucorMainFrameTest";

std::vector<DWORD> g_shellCalls;
BOOL g_areaVisible = FALSE;

BOOL WINAPI FakeShell(DWORD msg, PNOTIFYICONDATAA)
{
    g_shellCalls.push_back(msg);
    return TRUE;
}
BOOL FakeArea() { return g_areaVisible; }

class CTestBasedApp : public CBasedApp
{
public:
    CTestBasedApp() : CBasedApp(kAppName) {}
    CString GetSupportEmail() override { return "support@example.test"; }
    CString GetModulePath() override { return "C:\\Prog\\Pellucor.exe"; }
};

std::vector<CString> g_mail;
BOOL RecordMail(LPCSTR pszTo, LPCSTR pszSubject, LPCSTR pszBody)
{
    g_mail = {pszTo, pszSubject, pszBody};
    return TRUE;
}

// As the program's frame does: its own CFrameWnd creation and status bar
// first, then the base's creation step.
class CTestFrame : public CBasedMainFrame
{
public:
    CTestFrame()
    {
        m_nIDToolBar = IDR_BCMENU_TOOLBAR;
        m_nIDToolBarBitmap = IDB_MAINFRAME_TEST_NORMAL;
        m_nIDToolBarHotBitmap = IDB_MAINFRAME_TEST_HOT;
        m_nIDTrayMenu = IDR_TRAY_TEST;
    }
    CStatusBar m_wndStatusBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        static const UINT indicators[] = {ID_SEPARATOR};
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1))
            return -1;
        return CBasedMainFrame::OnCreate(lpCreateStruct);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CBasedMainFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class BasedMainFrameTest : public OwnAppTest<CTestBasedApp>
{
protected:
    BasedMainFrameTest() : OwnAppTest(kProfileKey) {}
    void SetUp() override
    {
        OwnAppTest::SetUp();
        m_pApp->InitProfile();
        g_shellCalls.clear();
        g_areaVisible = FALSE;
        CSystemTray::s_pfnShellNotifyIcon = FakeShell;
        CSystemTray::s_pfnTrayAreaVisible = FakeArea;
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        GetLogger().DestroyLogWindow();
        CSystemTray::s_pfnShellNotifyIcon = ::Shell_NotifyIconA;
        CSystemTray::s_pfnTrayAreaVisible = CSystemTray::IsTrayAreaVisible;
        DeleteExternalTools(m_pApp->m_arrExternalTools);
        delete m_pApp->m_pLogTemplate;
        m_pApp->m_pLogTemplate = NULL;
        OwnAppTest::TearDown();
    }
    CTestFrame* MakeFrame()
    {
        m_pFrame = new CTestFrame;
        if (!m_pFrame->Create(NULL, "Frame test")) {
            m_pFrame = nullptr;
            return nullptr;
        }
        return m_pFrame;
    }
    void DestroyFrame()
    {
        m_pFrame->DestroyWindow();   // deletes the frame
        m_pFrame = nullptr;
    }
    int Profile(const PROFILE_INT_KEY& key) { return m_pApp->GetProfileInt(key.pszSection, key.pszEntry, -99); }

    CTestFrame* m_pFrame = nullptr;
};

// Moves and sizes are kept as they happen and the next frame opens there;
// a maximised frame keeps only its state.
TEST_F(BasedMainFrameTest, PlacementIsKeptAndRestored)
{
    ASSERT_NE(MakeFrame(), nullptr);
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    m_pFrame->MoveWindow(40, 50, 500, 400);
    EXPECT_EQ(Profile(profileMainFrameX), 40);
    EXPECT_EQ(Profile(profileMainFrameY), 50);
    EXPECT_EQ(Profile(profileMainFrameWidth), 500);
    EXPECT_EQ(Profile(profileMainFrameHeight), 400);
    EXPECT_EQ(Profile(profileMainFrameState), 0);

    m_pFrame->ShowWindow(SW_MAXIMIZE);
    EXPECT_EQ(Profile(profileMainFrameState), 2);
    EXPECT_EQ(Profile(profileMainFrameX), 40);
    EXPECT_EQ(Profile(profileMainFrameWidth), 500);
    DestroyFrame();

    ASSERT_NE(MakeFrame(), nullptr);
    CRect rc;
    m_pFrame->GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(40, 50, 540, 450));
}

TEST_F(BasedMainFrameTest, FullScreenAndTopmostToggleAndAreKept)
{
    ASSERT_NE(MakeFrame(), nullptr);
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    m_pFrame->MoveWindow(30, 20, 600, 450);
    m_pFrame->SendMessage(WM_COMMAND, ID_FULL_SCREEN);
    EXPECT_TRUE(m_pFrame->IsFullScreen());
    EXPECT_EQ(m_pFrame->GetStyle() & WS_CAPTION, 0u);
    CRect rc;
    m_pFrame->GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(-4, -4, ::GetSystemMetrics(SM_CXSCREEN) + 4, ::GetSystemMetrics(SM_CYSCREEN) + 4));
    EXPECT_FALSE(m_pFrame->GetMainToolBar().IsWindowVisible());
    EXPECT_EQ(Profile(profileMainFrameX), 30);   // full screen keeps no placement

    m_pFrame->SendMessage(WM_COMMAND, ID_ALWAYS_ON_TOP);
    EXPECT_NE(m_pFrame->GetExStyle() & WS_EX_TOPMOST, 0u);
    EXPECT_EQ(Profile(profileTopmost), 1);
    // the frame's tip is still there, its own
    EXPECT_EQ(::GetWindow(m_pFrame->GetToolTip().GetSafeHwnd(), GW_OWNER), m_pFrame->m_hWnd);
    DestroyFrame();
    EXPECT_EQ(Profile(profileFullScreen), 1);

    // the next frame starts topmost and knows it was left full screen
    ASSERT_NE(MakeFrame(), nullptr);
    EXPECT_TRUE(m_pFrame->IsFullScreen());
    EXPECT_NE(m_pFrame->GetStyle() & WS_CAPTION, 0u);
    m_pFrame->EnterFullScreen();   // as the application's start-up does
    EXPECT_EQ(m_pFrame->GetStyle() & WS_CAPTION, 0u);
    EXPECT_NE(m_pFrame->GetExStyle() & WS_EX_TOPMOST, 0u);
    m_pFrame->SendMessage(WM_COMMAND, ID_ALWAYS_ON_TOP);
    EXPECT_EQ(m_pFrame->GetExStyle() & WS_EX_TOPMOST, 0u);
    EXPECT_EQ(Profile(profileTopmost), 0);
}

TEST_F(BasedMainFrameTest, LeavingFullScreenPutsTheFrameBack)
{
    ASSERT_NE(MakeFrame(), nullptr);
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    m_pFrame->MoveWindow(30, 20, 600, 450);
    m_pFrame->EnterFullScreen();
    m_pFrame->LeaveFullScreen();
    EXPECT_FALSE(m_pFrame->IsFullScreen());
    EXPECT_NE(m_pFrame->GetStyle() & WS_CAPTION, 0u);
    EXPECT_TRUE(m_pFrame->GetMainToolBar().IsWindowVisible());
    CRect rc;
    m_pFrame->GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(30, 20, 630, 470));
    DestroyFrame();
    EXPECT_EQ(Profile(profileFullScreen), 0);
}

TEST_F(BasedMainFrameTest, TrayIconIsAddedWithTheFrameAndDeletedWithIt)
{
    ASSERT_NE(MakeFrame(), nullptr);
    EXPECT_EQ(g_shellCalls, std::vector<DWORD>{NIM_ADD});
    EXPECT_EQ(m_pFrame->GetTrayIcon().GetNotificationWnd(), m_pFrame);
    DestroyFrame();
    ASSERT_FALSE(g_shellCalls.empty());
    EXPECT_EQ(g_shellCalls.back(), (DWORD)NIM_DELETE);
}

// Minimise-to-tray hides the frame only while the icon is on screen; with
// no notification area the frame stays on the task bar, minimised.
TEST_F(BasedMainFrameTest, MinimiseHidesOnlyWhileTheTrayIsShown)
{
    struct Case { BOOL areaVisible; bool hidden; };
    for (Case c : {Case{FALSE, false}, Case{TRUE, true}}) {
        g_areaVisible = c.areaVisible;
        m_pApp->m_bMinimizeToTray = 1;
        ASSERT_NE(MakeFrame(), nullptr);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->ShowWindow(SW_MINIMIZE);
        EXPECT_EQ(Profile(profileMainFrameState), 1);
        EXPECT_EQ(!m_pFrame->IsWindowVisible(), c.hidden) << c.areaVisible;
        if (!c.hidden) {
            EXPECT_TRUE(m_pFrame->IsIconic());
        }

        // the tray menu's command as well
        m_pFrame->SendMessage(WM_COMMAND, ID_SHOW_APPLICATION);
        EXPECT_TRUE(m_pFrame->IsWindowVisible());
        m_pFrame->SendMessage(WM_COMMAND, ID_MINIMIZE_TO_TRAY);
        EXPECT_EQ(!m_pFrame->IsWindowVisible(), c.hidden) << c.areaVisible;
        DestroyFrame();
    }
}

TEST_F(BasedMainFrameTest, ToolsMenuIsRebuiltAndAToolStarts)
{
    CString out = m_folder.File("tool.txt");
    CExternalTool* pTool = new CExternalTool;
    pTool->m_strTitle = "Echo";
    pTool->m_strCommand = "cmd.exe";
    pTool->m_strArguments = "/c echo ran> \"" + out + "\"";
    pTool->m_strHotKey = "Ctrl+E";
    m_pApp->m_arrExternalTools.Add(pTool);
    pTool = new CExternalTool;
    pTool->m_strTitle = "Other";
    m_pApp->m_arrExternalTools.Add(pTool);

    ASSERT_NE(MakeFrame(), nullptr);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_EXTERNAL_TOOLS, "&Tools...");
    menu.AppendMenu(MF_STRING, ID_EXTERNAL_TOOL_FIRST + 5, "stale");
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.GetSafeHmenu(), 0);
    ASSERT_EQ(menu.GetMenuItemCount(), 4);
    EXPECT_FALSE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED) << "the list's editor opens from it";
    EXPECT_FALSE(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(menu.GetMenuItemID(1), 0u);   // separator
    CString text;
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_EQ(text, "Echo\t        Ctrl+E");
    EXPECT_EQ(menu.GetMenuItemID(2), (UINT)ID_EXTERNAL_TOOL_FIRST);
    menu.GetMenuString(3, text, MF_BYPOSITION);
    EXPECT_EQ(text, "Other");

    m_pFrame->SendMessage(WM_COMMAND, ID_EXTERNAL_TOOL_FIRST);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFileAttributesA(out) != INVALID_FILE_ATTRIBUTES; }, kWaitMs));

    // The command itself opens the editor of the list, owned by the frame.
    CDialogAnswerer answerer;
    std::string sFirstTitle;
    HWND hOwner = NULL;
    answerer.Handle([&](HWND hDialog, const ShownDialog&) {
        ::SendMessage(hDialog, WM_COMMAND, MAKEWPARAM(1065, BN_CLICKED), 0);   // Add
        sFirstTitle = WindowText(::GetDlgItem(hDialog, 1081));
        hOwner = ::GetWindow(hDialog, GW_OWNER);
        CDialogAnswerer::PressButton(hDialog, IDCANCEL);
    });
    m_pFrame->SendMessage(WM_COMMAND, ID_EXTERNAL_TOOLS);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "External Tools");
    EXPECT_EQ(sFirstTitle, "External Tool #2");
    EXPECT_EQ(hOwner, m_pFrame->GetSafeHwnd());
    EXPECT_EQ(m_pApp->m_arrExternalTools.GetSize(), 3);
}

TEST_F(BasedMainFrameTest, StartAndExitAreLogged)
{
    m_pApp->CreateLogTemplate();
    g_bEnableLog = 1;
    ASSERT_NE(MakeFrame(), nullptr);
    ASSERT_NE(CLogWindowView::GetLogView(), nullptr);   // made hidden by the frame
    EXPECT_FALSE(GetLogger().GetLogFrame()->IsWindowVisible());
    CTraceList& list = CLogWindowView::GetLogView()->GetList();
    ASSERT_GE(list.GetCount(), 2);
    EXPECT_EQ(list.GetEvent(list.GetCount() - 2)->GetText().Left(21), "Application starting ");
    DestroyFrame();
    ASSERT_GE(list.GetCount(), 4);
    TraceEvent* pComment = list.GetEvent(list.GetCount() - 2);
    EXPECT_TRUE(pComment->IsKindOf(RUNTIME_CLASS(TraceComment)));
    EXPECT_EQ(pComment->GetText().Left(20), "Application exiting ");
    EXPECT_TRUE(list.GetEvent(list.GetCount() - 1)->IsKindOf(RUNTIME_CLASS(TraceData)));
}

TEST_F(BasedMainFrameTest, SupportCommandHandsAPreparedMailToTheMailer)
{
    ASSERT_NE(MakeFrame(), nullptr);
    g_mail.clear();
    CBasedMainFrame::s_pfnSendMail = RecordMail;
    m_pFrame->SendMessage(WM_COMMAND, ID_MAIL_SUPPORT);
    CBasedMainFrame::s_pfnSendMail = NULL;
    ASSERT_EQ(g_mail.size(), 3u);
    EXPECT_EQ(g_mail[0], "support@example.test");
    EXPECT_EQ(g_mail[1], "Question by C:\\Prog\\Pellucor.exe\r\n\r\n");
    EXPECT_EQ(g_mail[2], "< Question 1 : >");
}

// The main tool bar's normal images come from the normal bitmap and its hot
// images from the hot bitmap, each picture on the button face.
TEST_F(BasedMainFrameTest, ToolBarImagesComeFromTheNormalAndTheHotBitmap)
{
    ASSERT_NE(MakeFrame(), nullptr);
    HWND hBar = m_pFrame->GetMainToolBar().GetSafeHwnd();
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    const struct {
        const char* name;
        UINT nMessage;
        COLORREF first, second;
    } cases[] = {
        {"normal", TB_GETIMAGELIST, RGB(0, 0, 255), RGB(0, 128, 0)},
        {"hot", TB_GETHOTIMAGELIST, RGB(255, 0, 0), RGB(255, 255, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HIMAGELIST hList = (HIMAGELIST)::SendMessage(hBar, c.nMessage, 0, 0);
        ASSERT_NE(hList, nullptr);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(hList, &cx, &cy);
        EXPECT_EQ(cx, 32);
        EXPECT_EQ(cy, 32);
        ASSERT_EQ(ImageList_GetImageCount(hList), 2);
        HDC hScreen = ::GetDC(NULL);
        HDC hdc = ::CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 64, 32);
        HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
        ImageList_Draw(hList, 0, hdc, 0, 0, ILD_NORMAL);
        ImageList_Draw(hList, 1, hdc, 32, 0, ILD_NORMAL);
        EXPECT_EQ(::GetPixel(hdc, 16, 16), c.first);
        EXPECT_EQ(::GetPixel(hdc, 48, 16), c.second);
        EXPECT_EQ(::GetPixel(hdc, 1, 1), clrFace);
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hdc);
        ::ReleaseDC(NULL, hScreen);
    }
}

// Hot keys come as WM_KEYDOWN, or as WM_SYSKEYDOWN for Alt combinations and
// F10; one without Ctrl or Alt is left to an edit the user types in.
TEST_F(BasedMainFrameTest, HotKeysFireFromKeyAndSystemKeyMessages)
{
    const struct {
        const char* title;
        WORD wKey;
        int nModifiers;
    } tools[] = {
        {"AltX", 'X', HOTKEYF_ALT},
        {"F10", VK_F10, 0},
        {"CtrlE", 'E', HOTKEYF_CONTROL},
        {"Q", 'Q', 0},
    };
    for (const auto& t : tools) {
        CExternalTool* pTool = new CExternalTool;
        pTool->m_strTitle = t.title;
        pTool->m_nVirtualKey = (short)t.wKey;
        pTool->m_nModifiers = (short)t.nModifiers;
        m_pApp->m_arrExternalTools.Add(pTool);
    }
    ASSERT_NE(MakeFrame(), nullptr);
    CWnd* pEdit = new CEdit;
    ASSERT_TRUE(((CEdit*)pEdit)->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), m_pFrame, 4711));
    HWND hFrame = m_pFrame->GetSafeHwnd();

    BYTE abSaved[256];
    ASSERT_TRUE(::GetKeyboardState(abSaved));
    auto hold = [&](bool bAlt, bool bCtrl) {
        BYTE ab[256];
        memcpy(ab, abSaved, sizeof ab);
        ab[VK_MENU] = bAlt ? 0x80 : 0;
        ab[VK_CONTROL] = bCtrl ? 0x80 : 0;
        ab[VK_SHIFT] = 0;
        ::SetKeyboardState(ab);
    };
    const struct {
        UINT message;
        WPARAM key;
        bool bAlt, bCtrl;
        HWND target;
        int expected;
    } cases[] = {
        {WM_SYSKEYDOWN, 'X', true, false, hFrame, 0},
        {WM_SYSKEYDOWN, 'X', true, false, pEdit->m_hWnd, 0},
        {WM_SYSKEYDOWN, VK_F10, false, false, hFrame, 1},
        {WM_SYSKEYDOWN, VK_F10, false, false, pEdit->m_hWnd, 1},
        {WM_KEYDOWN, 'E', false, true, pEdit->m_hWnd, 2},
        {WM_KEYDOWN, 'Q', false, false, hFrame, 3},
        {WM_KEYDOWN, 'Q', false, false, pEdit->m_hWnd, -1},   // typing a "q"
        {WM_KEYDOWN, 'X', false, false, hFrame, -1},           // Alt not held
        {WM_KEYUP, 'Q', false, false, hFrame, -1},
        {WM_SYSKEYUP, VK_F10, false, false, hFrame, -1},
    };
    for (const auto& c : cases) {
        hold(c.bAlt, c.bCtrl);
        MSG msg = {c.target, c.message, c.key, 0};
        EXPECT_EQ(m_pFrame->HotKeyTool(&msg), c.expected)
            << "message " << c.message << " key " << c.key << (c.target == hFrame ? " to the frame" : " to the edit");
    }
    ::SetKeyboardState(abSaved);
    pEdit->DestroyWindow();
    delete pEdit;
}

// ---- the rich tooltip ----

// The tip's window comes with the frame: a top-most tool window owned by it,
// gone with it.
TEST_F(BasedMainFrameTest, TooltipWindowIsMadeWithTheFrameAndGoesWithIt)
{
    ASSERT_NE(MakeFrame(), nullptr);
    HWND hTip = m_pFrame->GetToolTip().GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hTip));
    char szClass[64] = "";
    ::GetClassNameA(hTip, szClass, sizeof szClass);
    EXPECT_STREQ(szClass, "CPPToolTip");
    EXPECT_EQ(::GetWindow(hTip, GW_OWNER), m_pFrame->m_hWnd);
    EXPECT_EQ(::GetWindowLongA(hTip, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_FALSE(::IsWindowVisible(hTip));
    DestroyFrame();
    EXPECT_FALSE(::IsWindow(hTip));
}

// The frame's tip with one tool over its whole client area, shown soon after
// the mouse rests at a new point.
class BasedMainFrameTipTest : public BasedMainFrameTest
{
protected:
    void SetUp() override
    {
        BasedMainFrameTest::SetUp();
        ASSERT_NE(MakeFrame(), nullptr);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->MoveWindow(100, 100, 500, 400);
        PumpMessagesFor(20);
        CPPToolTip& tip = m_pFrame->GetToolTip();
        tip.AddTool(m_pFrame, "Frame tip");
        tip.SetDelayTime(PPTOOLTIP_TIME_INITIAL, 10);
        tip.SetBehaviour(PPTOOLTIP_MULTIPLE_SHOW);   // each new point shows it again
        // the middle of the client area, away from the bars
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        m_pt = rc.CenterPoint();
        m_pFrame->ClientToScreen(&m_pt);
        ::SetCursorPos(m_pt.x, m_pt.y);
        ::GetCursorPos(&m_pt);
    }
    // A message as the loop hands it to the frame.
    BOOL Relay(UINT message, WPARAM wParam = 0)
    {
        MSG msg = {};
        msg.hwnd = m_pFrame->m_hWnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.pt = m_pt;
        CPoint ptClient = m_pt;
        m_pFrame->ScreenToClient(&ptClient);
        msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
        return m_pFrame->PreTranslateMessage(&msg);
    }
    bool TipShown()
    {
        CPPToolTip& tip = m_pFrame->GetToolTip();
        return ::IsWindowVisible(tip.GetSafeHwnd()) && tip.m_nTooltipState == PPTOOLTIP_STATE_SHOWING;
    }
    // The mouse comes to rest at m_pt and the tip shows. On a busy machine the
    // first move can come while the new frame still lays out its windows (the
    // tool is found from the window under the point) and is rightly let go:
    // then the mouse comes to rest anew (by way of a neighbouring point, as a
    // move to the same point is no move), until the tip shows or the limit
    // passes.
    ::testing::AssertionResult ShowTip()
    {
        const ULONGLONG ullEnd = ::GetTickCount64() + kWaitMs;
        CPoint ptCursor;
        int nTries = 0;
        do {
            if (nTries++ > 0) {
                const CPoint pt = m_pt;
                m_pt.x += 1;
                Relay(WM_MOUSEMOVE);
                m_pt = pt;
            }
            ::SetCursorPos(m_pt.x, m_pt.y);
            Relay(WM_MOUSEMOVE);
            if (PumpUntil([&] { return TipShown(); }, 2000))
                return ::testing::AssertionSuccess();
            ::GetCursorPos(&ptCursor);
        } while (::GetTickCount64() < ullEnd);
        return ::testing::AssertionFailure() << "the tip never showed (" << nTries << " tries; the cursor at "
                                             << ptCursor.x << "," << ptCursor.y << ", the mouse at rest at " << m_pt.x
                                             << "," << m_pt.y << "; tip state " << m_pFrame->GetToolTip().m_nTooltipState
                                             << ")";
    }
    CPoint m_pt;
};

// Every message the frame pre-translates reaches the tip: a mouse at rest
// over the tool shows it, a key hides it; a tip whose window went is made
// again by the next message.
TEST_F(BasedMainFrameTipTest, MessagesAreRelayedToTheTip)
{
    ASSERT_TRUE(ShowTip());
    EXPECT_FALSE(Relay(WM_KEYDOWN, VK_SHIFT));
    EXPECT_FALSE(::IsWindowVisible(m_pFrame->GetToolTip().GetSafeHwnd()));
    EXPECT_EQ(m_pFrame->GetToolTip().m_nTooltipState, PPTOOLTIP_STATE_HIDEN);

    m_pFrame->GetToolTip().DestroyWindow();
    ASSERT_FALSE(::IsWindow(m_pFrame->GetToolTip().GetSafeHwnd()));
    Relay(WM_NULL);
    EXPECT_TRUE(::IsWindow(m_pFrame->GetToolTip().GetSafeHwnd()));
    EXPECT_EQ(::GetWindow(m_pFrame->GetToolTip().GetSafeHwnd(), GW_OWNER), m_pFrame->m_hWnd);
}

// While a menu is open, a menu item's tip stays only while the cursor is over
// the window the idle message names; other tips and other idle reasons leave
// it alone.
TEST_F(BasedMainFrameTipTest, OpenMenuHidesAMenuTipAwayFromItsWindow)
{
    HWND hElsewhere = m_pFrame->m_wndStatusBar.m_hWnd;
    struct Case { const char* what; UINT nWhy; int nMode; bool bOver; bool bShown; } cases[] = {
        {"menu tip, cursor over the window", MSGF_MENU, PPTOOLTIP_SHOW_MENU, true, true},
        {"menu tip, cursor elsewhere", MSGF_MENU, PPTOOLTIP_SHOW_MENU, false, false},
        {"tool tip, cursor elsewhere", MSGF_MENU, PPTOOLTIP_SHOW_TOOL, false, true},
        {"dialog idle", MSGF_DIALOGBOX, PPTOOLTIP_SHOW_MENU, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CPPToolTip& tip = m_pFrame->GetToolTip();
        tip.HideNow();
        m_pt.x += 1;   // a new point, so that the move counts
        ::SetCursorPos(m_pt.x, m_pt.y);
        ::GetCursorPos(&m_pt);
        ASSERT_TRUE(ShowTip());
        tip.m_nTooltipType = c.nMode;   // as the tip of a menu item is marked
        HWND hWho = c.bOver ? ::WindowFromPoint(m_pt) : hElsewhere;
        ASSERT_NE(::WindowFromPoint(m_pt), hElsewhere);
        m_pFrame->SendMessage(WM_ENTERIDLE, c.nWhy, (LPARAM)hWho);
        EXPECT_EQ(TipShown(), c.bShown);
    }
}

}  // namespace
