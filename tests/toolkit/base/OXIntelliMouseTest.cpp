// Middle-button scrolling on a real scrollable window driven by the real
// pointer: where it starts and where it does not, direction areas and
// speeds, ticks that scroll, and the clicks and keys that end it; the
// organizer's handlers by window and by thread.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "OXIntelliMouse.h"
#include "testsupport.h"

namespace {

struct CScrollLog
{
    std::vector<std::pair<UINT, WPARAM>> scrolls;   // WM_HSCROLL / WM_VSCROLL and their codes
    std::vector<UINT> buttons;
    std::vector<LPARAM> buttonPoints;
    std::vector<UINT> keys;
    std::vector<WPARAM> timers;
    std::vector<LPARAM> moves;   // where WM_MOUSEMOVE found the pointer
    int nUnpaintedScrolls = 0;   // scrolls that found part of the window still unpainted
} g_log;

LRESULT CALLBACK ScrollableProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    switch (m) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        g_log.scrolls.push_back({m, w});
        g_log.nUnpaintedScrolls += ::GetUpdateRect(h, NULL, FALSE) != FALSE;
        int bar = m == WM_HSCROLL ? SB_HORZ : SB_VERT;
        SCROLLINFO si = {sizeof si, SIF_ALL};
        ::GetScrollInfo(h, bar, &si);
        int pos = si.nPos + ((LOWORD(w) == SB_LINEDOWN) ? 1 : -1);
        pos = pos < 0 ? 0 : pos > si.nMax - (int)si.nPage + 1 ? si.nMax - (int)si.nPage + 1 : pos;
        si.fMask = SIF_POS;
        si.nPos = pos;
        ::SetScrollInfo(h, bar, &si, TRUE);
        // Ten pixels a line, the edge that comes in left to be painted.
        ::ScrollWindowEx(h, m == WM_HSCROLL ? -10 : 0, m == WM_VSCROLL ? -10 : 0, NULL, NULL, NULL, NULL,
                         SW_INVALIDATE);
        return 0;
    }
    case WM_LBUTTONDOWN: case WM_MBUTTONDOWN: case WM_NCLBUTTONDOWN:
        g_log.buttons.push_back(m);
        g_log.buttonPoints.push_back(l);
        return 0;
    case WM_KEYDOWN:
        g_log.keys.push_back((UINT)w);
        return 0;
    case WM_TIMER:
        g_log.timers.push_back(w);
        return 0;
    case WM_MOUSEMOVE:
        g_log.moves.push_back(l);
        break;
    }
    return ::DefWindowProcA(h, m, w, l);
}

class OXIntelliMouseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ScrollableProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.hbrBackground = (HBRUSH)::GetStockObject(WHITE_BRUSH);
        wc.lpszClassName = "OXScrollableTest";
        ::RegisterClassA(&wc);
        g_log = CScrollLog();
    }
    void TearDown() override
    {
        if (m_handler)
            m_handler->Detach();
        delete m_handler;
        m_wnd.Detach();
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        ::SetCursorPos(5, 5);
    }
    // A window at (100, 100) 400 x 300 with the bars asked for; nPage 10 of 0..nMax.
    void Make(bool bHorz, bool bVert, int nMax = 100)
    {
        DWORD style = WS_POPUP | WS_VISIBLE | (bHorz ? WS_HSCROLL : 0) | (bVert ? WS_VSCROLL : 0);
        m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, "OXScrollableTest", "scrollable", style, 100, 100, 400, 300, NULL,
                                   NULL, NULL, NULL);
        for (int bar : {SB_HORZ, SB_VERT}) {
            if ((bar == SB_HORZ && !bHorz) || (bar == SB_VERT && !bVert))
                continue;
            SCROLLINFO si = {sizeof si, SIF_ALL, 0, nMax, 10, 0};
            ::SetScrollInfo(m_hWnd, bar, &si, TRUE);
        }
        m_wnd.Attach(m_hWnd);
        m_handler = new COXIntelliMouse;
        m_handler->Attach(&m_wnd, WM_MBUTTONDOWN, 0);
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_hWnd);
    }
    bool PressMiddle(int x = 250, int y = 200)
    {
        // The pointer's move reaches the window before the press, as a
        // user's would.
        g_log.moves.clear();
        ::SetCursorPos(x, y);
        if (!PumpUntil([&] {
                for (LPARAM l : g_log.moves)
                    if (l == MAKELPARAM(x - 100, y - 100))
                        return true;
                return false;
            }, kWaitMs))
            ADD_FAILURE() << "the pointer's move to " << x << ", " << y << " never reached the window";
        ::SendMessageA(m_hWnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(x - 100, y - 100));
        return m_handler->IsScrolling() != FALSE;
    }
    void MoveTo(int x, int y)
    {
        ::SetCursorPos(x, y);
        ::SendMessageA(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x - 100, y - 100));
    }
    int Scrolls(UINT message, WPARAM code) const
    {
        int n = 0;
        for (const auto& s : g_log.scrolls)
            n += s.first == message && s.second == code;
        return n;
    }

    HWND m_hWnd = NULL;
    CWnd m_wnd;
    COXIntelliMouse* m_handler = NULL;
};

TEST_F(OXIntelliMouseTest, AWindowWithNothingToScrollGetsItsPressBack)
{
    Make(false, false);
    EXPECT_FALSE(PressMiddle());
    ASSERT_EQ(g_log.buttons.size(), 1u);
    EXPECT_EQ(g_log.buttons[0], (UINT)WM_MBUTTONDOWN);
    m_handler->Detach();
    delete m_handler;
    m_handler = NULL;
    m_wnd.Detach();
    ::DestroyWindow(m_hWnd);
    Make(false, true, 9);   // the page shows all there is
    EXPECT_FALSE(PressMiddle());
    // A key that must be held and is not: no start either.
    m_handler->SetStartEvent(WM_MBUTTONDOWN, OX_IMKEY_CONTROL);
    EXPECT_FALSE(PressMiddle());
}

TEST_F(OXIntelliMouseTest, OnlyAVerticalBarGivesFullWidthBands)
{
    Make(false, true);
    ASSERT_TRUE(PressMiddle(250, 200));
    EXPECT_EQ(m_handler->GetCurrentDirection(), OX_SCROLL_VERT_NEUTRAL);
    EXPECT_EQ(::GetCapture(), m_hWnd);
    CRect up, neutral, left;
    ASSERT_TRUE(m_handler->GetDirectionRect(OX_SCROLL_UP, up));
    ASSERT_TRUE(m_handler->GetDirectionRect(OX_SCROLL_VERT_NEUTRAL, neutral));
    EXPECT_FALSE(m_handler->GetDirectionRect(OX_SCROLL_LEFT, left));
    EXPECT_EQ(up.left, 0);
    EXPECT_EQ(up.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(up.bottom, neutral.top);
    MoveTo(600, 200);   // sideways: still the neutral band
    EXPECT_EQ(m_handler->GetHorzSpeed(), 0);
    EXPECT_EQ(m_handler->GetVertSpeed(), 0);
    ::SendMessageA(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(m_handler->IsScrolling());
    EXPECT_TRUE(g_log.keys.empty());   // the key ended it and went no further
    EXPECT_NE(::GetCapture(), m_hWnd);
}

TEST_F(OXIntelliMouseTest, SpeedsFollowTheDistanceAndTicksScroll)
{
    Make(true, true);
    ::SetTimer(m_hWnd, 7, 40, NULL);   // the window's own timer
    ASSERT_TRUE(PressMiddle(250, 200));
    CRect neutral;
    ASSERT_TRUE(m_handler->GetDirectionRect(OX_SCROLL_NEUTRAL, neutral));
    ASSERT_TRUE(m_handler->IsScrolling());
    MoveTo(neutral.right + 50, 200);
    EXPECT_EQ(m_handler->GetCurrentDirection(), OX_SCROLL_RIGHT);
    EXPECT_EQ(m_handler->GetHorzSpeed(), 2);
    EXPECT_TRUE(PumpUntil([&] { return Scrolls(WM_HSCROLL, SB_LINERIGHT) >= 4; }, kWaitMs));
    EXPECT_EQ(Scrolls(WM_HSCROLL, SB_LINERIGHT) % 2, 0);   // two lines a tick
    MoveTo(250, neutral.bottom + 50);
    EXPECT_EQ(m_handler->GetCurrentDirection(), OX_SCROLL_DOWN);
    EXPECT_EQ(m_handler->GetVertSpeed(), 5);
    // Down to the end of the document: the speed that way drops to 0.
    EXPECT_TRUE(PumpUntil([&] { return m_handler->GetVertSpeed() == 0; }, 20000));
    SCROLLINFO si = {sizeof si, SIF_ALL};
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);
    EXPECT_EQ(si.nPos + (int)si.nPage, si.nMax + 1);
    // The handler's ticks never reached the window; its own timer did.
    ASSERT_FALSE(g_log.timers.empty());
    for (WPARAM id : g_log.timers)
        EXPECT_EQ(id, 7u);
    ::KillTimer(m_hWnd, 7);
}

// Every line is painted before the next one moves the window's pixels: a
// scroll that finds an unpainted edge drags it along, one row repeated.
TEST_F(OXIntelliMouseTest, EachLineIsPaintedBeforeTheNextScrolls)
{
    Make(false, true, 1000);
    ASSERT_TRUE(PressMiddle(250, 200));
    CRect neutral;
    ASSERT_TRUE(m_handler->GetDirectionRect(OX_SCROLL_VERT_NEUTRAL, neutral));
    MoveTo(250, neutral.bottom + 50);
    ASSERT_EQ(m_handler->GetVertSpeed(), 5);
    g_log.nUnpaintedScrolls = 0;
    g_log.scrolls.clear();
    EXPECT_TRUE(PumpUntil([&] { return Scrolls(WM_VSCROLL, SB_LINEDOWN) >= 10; }, kWaitMs));
    EXPECT_EQ(g_log.nUnpaintedScrolls, 0) << "of " << g_log.scrolls.size() << " scrolls";
}

TEST_F(OXIntelliMouseTest, AClickEndsItAndReachesTheWindowOnlyOverIt)
{
    Make(true, true);
    ASSERT_TRUE(PressMiddle(250, 200));
    ::SetCursorPos(300, 250);
    ::SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(m_handler->IsScrolling());
    ASSERT_EQ(g_log.buttons.size(), 1u);
    EXPECT_EQ(g_log.buttons[0], (UINT)WM_LBUTTONDOWN);
    EXPECT_EQ(g_log.buttonPoints[0], MAKELPARAM(200, 150));   // made client-relative

    ASSERT_TRUE(PressMiddle(250, 200));
    ::SetCursorPos(700, 700);   // over no window of ours
    ::SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(m_handler->IsScrolling());
    EXPECT_EQ(g_log.buttons.size(), 1u);   // swallowed
}

// Whether a timer whose id lies inside the object is still set on the window
// (a handler's timer id is the address of one of its members); a timer found
// is killed.
bool TimerLeftInside(HWND hWnd, const void* pObject, size_t nSize)
{
    bool bFound = false;
    for (UINT_PTR id = (UINT_PTR)pObject; id < (UINT_PTR)pObject + nSize; id += alignof(UINT_PTR))
        bFound = ::KillTimer(hWnd, id) || bFound;
    return bFound;
}

TEST_F(OXIntelliMouseTest, LetGoOfMidScrollItLeavesNoTimerAndNoCapture)
{
    Make(true, true);
    ASSERT_TRUE(PressMiddle(250, 200));
    ASSERT_EQ(::GetCapture(), m_hWnd);
    m_handler->Detach();
    EXPECT_FALSE(m_handler->IsScrolling());
    EXPECT_NE(::GetCapture(), m_hWnd);
    EXPECT_FALSE(TimerLeftInside(m_hWnd, m_handler, sizeof(COXIntelliMouse)));

    // The same through an organizer, one window and all of them.
    for (bool bOne : {true, false}) {
        COXIntelliMouseOrganizer organizer;
        COXIntelliMouse* pHandler = organizer.Attach(&m_wnd);
        ASSERT_NE(pHandler, nullptr);
        ::SetCursorPos(250, 200);
        ::SendMessageA(m_hWnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(150, 100));
        ASSERT_TRUE(pHandler->IsScrolling());
        ASSERT_TRUE(bOne ? organizer.Detach(&m_wnd) : organizer.Detach(NULL));
        EXPECT_NE(::GetCapture(), m_hWnd) << (bOne ? "one window" : "all windows");
        EXPECT_FALSE(TimerLeftInside(m_hWnd, pHandler, sizeof(COXIntelliMouse))) << (bOne ? "one window" : "all windows");
    }
}

TEST(OXIntelliMouseOrganizer, HandlersByWindowAndByThread)
{
    CWnd first, second;
    ASSERT_TRUE(first.CreateEx(0, AfxRegisterWndClass(0), "first", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    ASSERT_TRUE(second.CreateEx(0, AfxRegisterWndClass(0), "second", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    {
        COXIntelliMouseOrganizer organizer;
        COXIntelliMouse* pHandler = organizer.Attach(&first, WM_RBUTTONDOWN, OX_IMKEY_SHIFT);
        ASSERT_NE(pHandler, nullptr);
        EXPECT_EQ(organizer.Attach(&first, WM_MBUTTONDOWN, 0), pHandler);   // the same, first settings kept
        EXPECT_EQ(organizer.GetAttachedStartEvent(&first), (UINT)WM_RBUTTONDOWN);
        EXPECT_EQ(organizer.GetAttachedKeyState(&first), (DWORD)OX_IMKEY_SHIFT);
        EXPECT_TRUE(organizer.Detach(&first));
        EXPECT_FALSE(organizer.Detach(&first));
        EXPECT_EQ(organizer.Attach(&second), pHandler);   // reused from the pool
    }
    {
        COXIntelliMouseOrganizer organizer, other;
        ASSERT_TRUE(organizer.AttachAllInThread(::GetCurrentThreadId()));
        EXPECT_FALSE(organizer.AttachAllInThread(::GetCurrentThreadId()));
        EXPECT_FALSE(other.AttachAllInThread(::GetCurrentThreadId()));
        EXPECT_TRUE(organizer.IsAttached(&first));
        // A window made while the thread is served gets a handler through the hooks.
        CWnd later;
        ASSERT_TRUE(later.CreateEx(0, AfxRegisterWndClass(0), "later", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
        EXPECT_TRUE(organizer.IsAttached(&later));
        later.DestroyWindow();
        EXPECT_FALSE(organizer.IsAttached(&later));
        EXPECT_TRUE(organizer.DetachAllInThread());
        EXPECT_FALSE(organizer.IsAttached(&first));
        EXPECT_TRUE(other.AttachAllInThread(::GetCurrentThreadId()));
        other.DetachAllInThread();
    }
    first.DestroyWindow();
    second.DestroyWindow();
}

} // namespace
