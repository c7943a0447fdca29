// Hook windows on a real window: the chain's order as hooks come and go, the
// end of the window, hover tracking by the real pointer, and the hook's own
// timers and failures kept away from the window.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXHookWnd.h"
#include "testsupport.h"

namespace {

const UINT kProbe = WM_APP + 7;
std::vector<std::string> g_seen;   // who saw kProbe, in order
std::vector<UINT> g_ownMessages;   // what reached the window's own procedure
std::vector<WPARAM> g_ownTimers;   // the ids of the timers it got

LRESULT CALLBACK OwnProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    g_ownMessages.push_back(m);
    if (m == WM_TIMER)
        g_ownTimers.push_back(w);
    if (m == kProbe) {
        g_seen.push_back("window");
        return 42;
    }
    return ::DefWindowProcA(h, m, w, l);
}

class CNamedHook : public COXHookWnd
{
public:
    explicit CNamedHook(const char* name, bool bThrow = false) : m_name(name), m_bThrow(bThrow) {}
    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
    {
        if (m == kProbe) {
            g_seen.push_back(m_name);
            if (m_bThrow)
                AfxThrowNotSupportedException();
            if (w == 1)
                return Default();   // hands the current message on from inside a handler
        }
        return COXHookWnd::WindowProc(m, w, l);
    }
    std::string m_name;
    bool m_bThrow;
};

class OXHookWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "OXHookTestWindow";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, wc.lpszClassName, "hooked", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, NULL,
                                   NULL, wc.hInstance, NULL);
        ASSERT_NE(m_hWnd, nullptr);
        m_wnd.Attach(m_hWnd);
        g_seen.clear();
        g_ownMessages.clear();
    }
    void TearDown() override
    {
        m_wnd.Detach();
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    std::vector<std::string> Probe(WPARAM w = 0)
    {
        g_seen.clear();
        ::SendMessageA(m_hWnd, kProbe, w, 0);
        return g_seen;
    }
    using Seen = std::vector<std::string>;

    HWND m_hWnd = NULL;
    CWnd m_wnd;
};

TEST_F(OXHookWndTest, TheNewestHookSeesEachMessageFirstWhicheverGoes)
{
    WNDPROC own = (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    CNamedHook a("A"), b("B"), c("C");
    a.HookWindow(&m_wnd);
    b.HookWindow(&m_wnd);
    c.HookWindow(&m_wnd);
    EXPECT_EQ(Probe(), (Seen{"C", "B", "A", "window"}));
    EXPECT_EQ(::SendMessageA(m_hWnd, kProbe, 0, 0), 42);
    EXPECT_EQ(Probe(1), (Seen{"C", "B", "A", "window"}));   // through Default
    b.Unhook();
    EXPECT_EQ(Probe(), (Seen{"C", "A", "window"}));
    c.Unhook();
    EXPECT_EQ(Probe(), (Seen{"A", "window"}));
    EXPECT_NE((WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC), own);
    a.Unhook();
    EXPECT_EQ(Probe(), (Seen{"window"}));
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC), own);
}

TEST_F(OXHookWndTest, HookingAnAttachedHookAgainMovesItWithoutALoop)
{
    CNamedHook a("A"), b("B");
    a.HookWindow(&m_wnd);
    b.HookWindow(&m_wnd);
    b.HookWindow(&m_wnd);   // again: let go first, then at the head once more
    EXPECT_EQ(Probe(), (Seen{"B", "A", "window"}));
    a.HookWindow(&m_wnd);
    EXPECT_EQ(Probe(), (Seen{"A", "B", "window"}));
    EXPECT_FALSE(COXHookWndMap::GetHookMap().Add(m_hWnd, &a));   // already in a chain
    EXPECT_EQ(Probe(), (Seen{"A", "B", "window"}));
}

TEST_F(OXHookWndTest, DestroyingTheWindowLeavesEveryHookUnattached)
{
    CNamedHook a("A"), b("B");
    a.HookWindow(&m_wnd);
    b.HookWindow(&m_wnd);
    ASSERT_TRUE(b.StartHoverTracking());
    m_wnd.Detach();
    ::DestroyWindow(m_hWnd);
    EXPECT_EQ(a.m_hWndTarget, nullptr);
    EXPECT_EQ(b.m_hWndTarget, nullptr);
    EXPECT_EQ(b.m_nHoverTimer, 0u);
    ASSERT_FALSE(g_ownMessages.empty());
    EXPECT_EQ(g_ownMessages.back(), (UINT)WM_NCDESTROY);
    EXPECT_EQ(COXHookWndMap::GetHookMap().LookupHook(m_hWnd), nullptr);
}

TEST_F(OXHookWndTest, AProcedureInstalledAfterTheHooksIsNotCutOff)
{
    static WNDPROC s_before = NULL;
    static int s_foreign = 0;
    struct Foreign
    {
        static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
        {
            if (m == kProbe)
                s_foreign++;
            return ::CallWindowProcA(s_before, h, m, w, l);
        }
    };
    CNamedHook a("A");
    a.HookWindow(&m_wnd);
    s_before = (WNDPROC)::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)&Foreign::Proc);
    a.Unhook();
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC), &Foreign::Proc);
    EXPECT_EQ(Probe(), (Seen{"window"}));   // through the left-behind procedure
    EXPECT_EQ(s_foreign, 1);
    a.HookWindow(&m_wnd);                   // takes the left-behind link back
    EXPECT_EQ(Probe(), (Seen{"A", "window"}));
    a.Unhook();
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)s_before);
    EXPECT_EQ(Probe(), (Seen{"window"}));
}

// A hook that notes each of its own hover checks among the window's messages.
class CCheckCountingHook : public CNamedHook
{
public:
    CCheckCountingHook() : CNamedHook("H") {}
    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
    {
        if (m == WM_TIMER && m_nHoverTimer != 0 && w == m_nHoverTimer)
            g_ownMessages.push_back(kHoverCheck);
        return CNamedHook::WindowProc(m, w, l);
    }
    static constexpr UINT kHoverCheck = WM_APP + 100;
};

TEST_F(OXHookWndTest, HoverTrackingFollowsThePointerAndKeepsItsTimerToItself)
{
    CCheckCountingHook a;
    EXPECT_FALSE(a.StartHoverTracking());
    EXPECT_EQ(a.m_nHoverTimer, 0u);

    ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 200, 100, 80, 80, m_hWnd, NULL, NULL, NULL);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    a.HookWindow(&m_wnd);
    // The window's own timer, id 1, at the 100 ms the hover checks are asked
    // to keep: under any load the two keep pace.
    ASSERT_TRUE(a.StartHoverTracking());
    ::SetTimer(m_hWnd, 1, 100, NULL);

    auto count = [](UINT message) {
        int n = 0;
        for (UINT m : g_ownMessages)
            n += m == message;
        return n;
    };
    ::SetCursorPos(120, 120);   // over the window
    EXPECT_TRUE(PumpUntil([&] { return a.m_bMouseOver && count(WM_HOOKWND_MOUSEENTER) > 0; }, kWaitMs));
    // Over its child (a static would let the point through): the leave comes
    // with the first check after the move.
    g_ownMessages.clear();
    ::SetCursorPos(340, 240);
    ASSERT_TRUE(PumpUntil([&] { return !a.m_bMouseOver && count(WM_HOOKWND_MOUSELEAVE) > 0; }, kWaitMs));
    EXPECT_EQ(count(CCheckCountingHook::kHoverCheck), 1);
    // The checks come as often as the window's 100 ms timer ticks.
    g_ownMessages.clear();
    ASSERT_TRUE(PumpUntil([&] { return count(CCheckCountingHook::kHoverCheck) >= 8; }, kWaitMs));
    EXPECT_GE(count(WM_TIMER), 5);
    EXPECT_LE(count(WM_TIMER), 11);
    ::SetCursorPos(120, 120);
    EXPECT_TRUE(PumpUntil([&] { return a.m_bMouseOver; }, kWaitMs));
    // The window's timer reaches it; the hook's never does.
    g_ownTimers.clear();
    ASSERT_TRUE(PumpUntil([&] { return g_ownTimers.size() >= 3; }, kWaitMs));
    for (WPARAM id : g_ownTimers)
        EXPECT_EQ(id, 1u);
    ::KillTimer(m_hWnd, 1);
}

TEST_F(OXHookWndTest, AFailingHookRefusesTheMessageAndTheProgramGoesOn)
{
    CNamedHook a("A"), thrower("T", true);
    a.HookWindow(&m_wnd);
    thrower.HookWindow(&m_wnd);
    EXPECT_EQ(::SendMessageA(m_hWnd, kProbe, 0, 0), 0);
    EXPECT_EQ(g_seen, (Seen{"T"}));
    thrower.Unhook();
    EXPECT_EQ(Probe(), (Seen{"A", "window"}));
}

} // namespace
