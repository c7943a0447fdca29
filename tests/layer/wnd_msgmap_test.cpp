// Message maps: every kind of entry dispatches with its parameters cracked,
// the creation hook attaches the object before its first message, and the
// per-class lookup cache keeps classes apart.
#include "wnd_test.h"

#include <stdarg.h>

std::string Fmt(const char* fmt, ...)
{
    char buf[512];
    va_list args;
    va_start(args, fmt);
    vsnprintf(buf, sizeof(buf), fmt, args);
    va_end(args);
    return buf;
}

namespace {

const UINT WM_WND_TEST_REGISTERED = ::RegisterWindowMessageA("Pellucor.WndTest.Registered");
const UINT kFirstRangeCmd = 32772;
const UINT kLastRangeCmd = 32872;
const UINT kGuardedCmd = 33000;

class CProbeWnd : public CWnd
{
public:
    CCallLog m_log;
    HBRUSH m_hbrCtl = (HBRUSH)::GetStockObject(GRAY_BRUSH);
    BOOL m_bGuardEnabled = TRUE;

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        m_log.Add(Fmt("NcCreate attached=%d", CWnd::FromHandlePermanent(m_hWnd) == this));
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        m_log.Add(Fmt("Create %s", lpcs->lpszName));
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
    {
        (void)lpMMI;
        m_log.Add("GetMinMaxInfo");
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) { m_log.Add(Fmt("Size %u %d %d", nType, cx, cy)); }
    afx_msg void OnMove(int x, int y) { m_log.Add(Fmt("Move %d %d", x, y)); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { m_log.Add(Fmt("Timer %u", (unsigned)nIDEvent)); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { m_log.Add(Fmt("LButtonDown %u %d %d", nFlags, (int)point.x, (int)point.y)); }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { m_log.Add(Fmt("KeyDown %u %u %x", nChar, nRepCnt, nFlags)); }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos)
    {
        m_log.Add(Fmt("ContextMenu self=%d %d %d", pWnd == this, (int)pos.x, (int)pos.y));
    }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        m_log.Add(Fmt("MouseWheel %u %d %d %d", nFlags, zDelta, (int)pt.x, (int)pt.y));
        return TRUE;
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        m_log.Add(Fmt("EraseBkgnd dc=%d", pDC != NULL && pDC->m_hDC != NULL));
        return TRUE;
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        m_log.Add(Fmt("CtlColor %u dc=%d ctl=%p", nCtlColor, pDC != NULL, (void*)pWnd->GetSafeHwnd()));
        return m_hbrCtl;
    }
    afx_msg void OnTimeChange() { m_log.Add("TimeChange"); }
    afx_msg LRESULT OnApp(WPARAM wParam, LPARAM lParam)
    {
        m_log.Add(Fmt("App %u %ld", (unsigned)wParam, (long)lParam));
        return 1234;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        m_log.Add(Fmt("Registered %u", (unsigned)wParam));
        return 77;
    }
    afx_msg void OnSingleCommand() { m_log.Add("Command"); }
    afx_msg void OnRangeCommand(UINT nID) { m_log.Add(Fmt("Range %u", nID)); }
    afx_msg void OnGuarded() { m_log.Add("Guarded"); }
    afx_msg void OnUpdateGuarded(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bGuardEnabled); }
    afx_msg void OnEditChange() { m_log.Add("EditChange"); }
    afx_msg void OnButtonClicked() { m_log.Add("Clicked"); }
    afx_msg void OnNotifyRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log.Add(Fmt("NotifyRange %u code=%d", nID, (int)pNMHDR->code));
        *pResult = 42;
    }
    afx_msg BOOL OnNotifyEx(UINT nID, NMHDR*, LRESULT* pResult)
    {
        m_log.Add(Fmt("NotifyEx %u", nID));
        *pResult = 5;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSEWHEEL()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_TIMECHANGE()
    ON_MESSAGE(WM_APP + 1, &CProbeWnd::OnApp)
    ON_REGISTERED_MESSAGE(WM_WND_TEST_REGISTERED, &CProbeWnd::OnRegistered)
    ON_COMMAND(ID_EDIT_COPY, &CProbeWnd::OnSingleCommand)
    ON_COMMAND_RANGE(kFirstRangeCmd, kLastRangeCmd, &CProbeWnd::OnRangeCommand)
    ON_COMMAND(kGuardedCmd, &CProbeWnd::OnGuarded)
    ON_UPDATE_COMMAND_UI(kGuardedCmd, &CProbeWnd::OnUpdateGuarded)
    ON_EN_CHANGE(1001, &CProbeWnd::OnEditChange)
    ON_BN_CLICKED(1002, &CProbeWnd::OnButtonClicked)
    ON_NOTIFY_RANGE(NM_CLICK, 1005, 1009, &CProbeWnd::OnNotifyRange)
    ON_NOTIFY_EX(NM_DBLCLK, 1010, &CProbeWnd::OnNotifyEx)
END_MESSAGE_MAP()

struct MsgCase
{
    const char* name;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::string expectedLog;   // the one line the handler logs; "" when nothing may run
    LRESULT expectedResult;
};

class WndMessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(m_wnd, "probe"));
        m_hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, m_wnd.m_hWnd, (HMENU)1001,
                                     AfxGetInstanceHandle(), NULL);
        m_wnd.m_log.Clear();
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    CProbeWnd m_wnd;
    HWND m_hChild = NULL;
};

TEST_F(WndMessageMapTest, CreationHookAttachesBeforeTheFirstMessage)
{
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, "second", WS_OVERLAPPEDWINDOW));
    // An overlapped window may get WM_GETMINMAXINFO before WM_NCCREATE; the
    // object sees whichever comes first, already attached.
    std::vector<std::string> lines = wnd.m_log.lines;
    if (!lines.empty() && lines[0] == "GetMinMaxInfo")
        lines.erase(lines.begin());
    ASSERT_GE(lines.size(), 2u) << wnd.m_log.Joined();
    EXPECT_EQ(lines[0], "NcCreate attached=1");
    EXPECT_EQ(lines[1], "Create second");
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC), AfxGetAfxWndProc());
    HWND hWnd = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);
}

TEST_F(WndMessageMapTest, EveryKindOfEntryGetsItsCrackedParameters)
{
    NMHDR nmClick = { m_hChild, 1007, (UINT)NM_CLICK };
    NMHDR nmOutside = { m_hChild, 1004, (UINT)NM_CLICK };
    NMHDR nmDblClk = { m_hChild, 1010, (UINT)NM_DBLCLK };
    HDC hdc = ::GetDC(m_wnd.m_hWnd);
    const MsgCase cases[] = {
        { "size", WM_SIZE, SIZE_RESTORED, MAKELPARAM(320, 240), "Size 0 320 240", 0 },
        { "move with negative x", WM_MOVE, 0, MAKELPARAM(-20, 30), "Move -20 30", 0 },
        { "timer", WM_TIMER, 17, 0, "Timer 17", 0 },
        { "mouse", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7), "LButtonDown 5 -5 7", 0 },
        { "key", WM_KEYDOWN, VK_F5, MAKELPARAM(3, 0x4000), "KeyDown 116 3 4000", 0 },
        { "context menu", WM_CONTEXTMENU, (WPARAM)m_wnd.m_hWnd, MAKELPARAM(100, 200), "ContextMenu self=1 100 200", 0 },
        { "wheel", WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(short)-120), MAKELPARAM(10, 20), "MouseWheel 8 -120 10 20", TRUE },
        { "erase", WM_ERASEBKGND, (WPARAM)hdc, 0, "EraseBkgnd dc=1", TRUE },
        { "control colour", WM_CTLCOLOREDIT, (WPARAM)hdc, (LPARAM)m_hChild,
          Fmt("CtlColor %u dc=1 ctl=%p", (unsigned)CTLCOLOR_EDIT, (void*)m_hChild), (LRESULT)m_wnd.m_hbrCtl },
        { "no-argument message", WM_TIMECHANGE, 0, 0, "TimeChange", 0 },
        { "user message", WM_APP + 1, 9, -3, "App 9 -3", 1234 },
        { "registered message", WM_WND_TEST_REGISTERED, 4, 0, "Registered 4", 77 },
        { "command", WM_COMMAND, ID_EDIT_COPY, 0, "Command", 1 },
        { "command range first", WM_COMMAND, kFirstRangeCmd, 0, Fmt("Range %u", kFirstRangeCmd), 1 },
        { "command range last", WM_COMMAND, kLastRangeCmd, 0, Fmt("Range %u", kLastRangeCmd), 1 },
        { "command past the range", WM_COMMAND, kLastRangeCmd + 1, 0, "", 0 },
        { "accelerator command", WM_COMMAND, MAKEWPARAM(ID_EDIT_COPY, 1), 0, "Command", 1 },
        { "control notification", WM_COMMAND, MAKEWPARAM(1001, EN_CHANGE), (LPARAM)m_hChild, "EditChange", 1 },
        { "other code of the same control", WM_COMMAND, MAKEWPARAM(1001, EN_UPDATE), (LPARAM)m_hChild, "", 0 },
        { "button", WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), (LPARAM)m_hChild, "Clicked", 1 },
        { "notify range", WM_NOTIFY, 1007, (LPARAM)&nmClick, Fmt("NotifyRange 1007 code=%d", (int)NM_CLICK), 42 },
        { "notify outside the range", WM_NOTIFY, 1004, (LPARAM)&nmOutside, "", 0 },
        { "notify ex", WM_NOTIFY, 1010, (LPARAM)&nmDblClk, "NotifyEx 1010", 5 },
    };
    for (const MsgCase& c : cases) {
        m_wnd.m_log.Clear();
        LRESULT lResult = ::SendMessageA(m_wnd.m_hWnd, c.msg, c.wParam, c.lParam);
        if (c.expectedLog.empty()) {
            EXPECT_TRUE(m_wnd.m_log.lines.empty()) << c.name << ": " << m_wnd.m_log.Joined();
        } else {
            EXPECT_EQ(m_wnd.m_log.Joined(), c.expectedLog) << c.name;
        }
        EXPECT_EQ(lResult, c.expectedResult) << c.name;
    }
    ::ReleaseDC(m_wnd.m_hWnd, hdc);
}

TEST_F(WndMessageMapTest, MenuCommandDisabledByItsUpdateHandlerIsDropped)
{
    m_wnd.m_bGuardEnabled = FALSE;
    ::SendMessageA(m_wnd.m_hWnd, WM_COMMAND, kGuardedCmd, 0);
    EXPECT_TRUE(m_wnd.m_log.lines.empty()) << m_wnd.m_log.Joined();
    m_wnd.m_bGuardEnabled = TRUE;
    ::SendMessageA(m_wnd.m_hWnd, WM_COMMAND, kGuardedCmd, 0);
    EXPECT_EQ(m_wnd.m_log.Joined(), "Guarded");
}

TEST_F(WndMessageMapTest, PostedTimerMessageIsDispatchedThroughTheMap)
{
    m_wnd.SetTimer(3, 10);
    ASSERT_TRUE(PumpUntil([&] { return !m_wnd.m_log.lines.empty(); }, kWaitMs));
    m_wnd.KillTimer(3);
    EXPECT_EQ(m_wnd.m_log.lines[0], "Timer 3");
}

// A base class without an entry and a derived class with one: the cached
// "no entry" of the base must not hide the derived class's handler.
class CBaseNoEntry : public CWnd
{
public:
    int m_nDefault = 0;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 2)
            m_nDefault++;
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
};

class CDerivedWithEntry : public CBaseNoEntry
{
public:
    int m_nHandled = 0;

protected:
    afx_msg LRESULT OnApp2(WPARAM, LPARAM)
    {
        m_nHandled++;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWithEntry, CBaseNoEntry)
    ON_MESSAGE(WM_APP + 2, &CDerivedWithEntry::OnApp2)
END_MESSAGE_MAP()

TEST(WndMessageMapCache, LookupsOfOneClassDoNotAnswerForAnother)
{
    CBaseNoEntry base;
    CDerivedWithEntry derived;
    ASSERT_TRUE(CreateTopLevel(base));
    ASSERT_TRUE(CreateTopLevel(derived));
    for (int i = 0; i < 3; i++) {
        base.SendMessage(WM_APP + 2);
        derived.SendMessage(WM_APP + 2);
    }
    EXPECT_EQ(base.m_nDefault, 3);
    EXPECT_EQ(derived.m_nHandled, 3);
    EXPECT_EQ(derived.m_nDefault, 0);
    base.DestroyWindow();
    derived.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Exceptions thrown by handlers are caught at the window procedure
// ---------------------------------------------------------------------------

class CThrowingWnd : public CWnd
{
public:
    BOOL m_bThrowOnCreate = FALSE;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (m_bThrowOnCreate)
            throw CString("creation refused");
        return CWnd::OnCreate(lpcs);
    }
    afx_msg LRESULT OnThrowString(WPARAM, LPARAM) { throw CString("handler failed: disk full"); }
    afx_msg LRESULT OnThrowException(WPARAM, LPARAM) { AfxThrowInvalidArgException(); }
    afx_msg LRESULT OnThrowStd(WPARAM, LPARAM) { throw std::runtime_error("std failure"); }
    afx_msg LRESULT OnThrowUser(WPARAM, LPARAM) { AfxThrowUserException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_APP + 10, &CThrowingWnd::OnThrowString)
    ON_MESSAGE(WM_APP + 11, &CThrowingWnd::OnThrowException)
    ON_MESSAGE(WM_APP + 12, &CThrowingWnd::OnThrowStd)
    ON_MESSAGE(WM_APP + 13, &CThrowingWnd::OnThrowUser)
END_MESSAGE_MAP()

TEST(WndExceptionBoundary, HandlerExceptionsAreReportedAndTheProgramGoesOn)
{
    CDialogAnswerer answerer;
    CThrowingWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));

    EXPECT_EQ(wnd.SendMessage(WM_APP + 10), 0);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, "handler failed: disk full");
    EXPECT_EQ(answerer.Shown()[0].caption, AfxGetAppName());

    wnd.SendMessage(WM_APP + 12);
    ASSERT_EQ(answerer.Shown().size(), 2u);
    EXPECT_EQ(answerer.Shown()[1].text, "std failure");

    wnd.SendMessage(WM_APP + 11);   // a CException reports itself
    ASSERT_EQ(answerer.Shown().size(), 3u);
    EXPECT_FALSE(answerer.Shown()[2].text.empty());

    wnd.SendMessage(WM_APP + 13);   // a CUserException was already shown to the user
    EXPECT_EQ(answerer.Shown().size(), 3u);

    // the window still works
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    wnd.DestroyWindow();
}

TEST(WndExceptionBoundary, ExceptionInOnCreateFailsTheCreation)
{
    CDialogAnswerer answerer;
    CThrowingWnd wnd;
    wnd.m_bThrowOnCreate = TRUE;
    EXPECT_FALSE(CreateTopLevel(wnd));
    EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, "creation refused");
}

}  // namespace
