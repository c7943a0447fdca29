// The layout manager on a real container: children tied to the container and
// to each other follow WM_SIZE; cycles, impossible minimums and a swinging
// search give no layout instead of a wrong one or a hang; the subclassing
// survives other procedures hooked in before or after it.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <map>

#include "OXLayoutManager.h"
#include "customize_test_res.h"
#include "testdrawing.h"

namespace {

class CInspectedLayout : public COXLayoutManager
{
public:
    using COXLayoutManager::m_nMinWidth;
    int nLayouts = 0;
    BOOL OnSize(int cx, int cy) override
    {
        nLayouts++;
        return COXLayoutManager::OnSize(cx, cy);
    }
};

class OXLayoutManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "layout host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
        // A borderless child as the container: its client size is its size.
        ASSERT_TRUE(m_container.CreateEx(0, AfxRegisterWndClass(0), "container", WS_CHILD | WS_VISIBLE,
                                         CRect(0, 0, 200, 100), &m_host, 500));
    }
    void TearDown() override
    {
        m_layout.Detach();
        m_host.DestroyWindow();
    }
    HWND AddStatic(int nID, const CRect& rect) { return AddStatic(m_container, nID, rect); }
    static HWND AddStatic(CWnd& container, int nID, const CRect& rect)
    {
        return ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.Width(),
                                 rect.Height(), container.GetSafeHwnd(), (HMENU)(INT_PTR)nID, NULL, NULL);
    }
    CRect ChildRect(int nID) { return ChildRect(m_container, nID); }
    static CRect ChildRect(CWnd& container, int nID)
    {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(container.GetSafeHwnd(), nID), &rect);
        ::MapWindowPoints(NULL, container.GetSafeHwnd(), (LPPOINT)&rect, 2);
        return rect;
    }
    void Resize(int cx, int cy) { Resize(m_container, cx, cy); }
    static void Resize(CWnd& container, int cx, int cy)
    {
        container.SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE);
    }

    CWnd m_host, m_container;
    CInspectedLayout m_layout;
};

TEST_F(OXLayoutManagerTest, ChildrenFollowTheContainerByKind)
{
    struct Side { int side, kind, value; };
    struct Case { const char* what; std::vector<Side> sides; CRect expected; } cases[] = {
        {"margin of 10 all round", {{OX_LMS_TOP, 1, 10}, {OX_LMS_BOTTOM, 1, -10}, {OX_LMS_LEFT, 1, 10}, {OX_LMS_RIGHT, 1, -10}},
         CRect(10, 10, 290, 190)},
        {"both at the middle", {{OX_LMS_LEFT | OX_LMS_RIGHT, 3, 50}}, CRect(150, 5, 150, 25)},
        {"the left half", {{OX_LMS_LEFT, 3, 0}, {OX_LMS_RIGHT, 3, 50}}, CRect(0, 5, 150, 25)},
        {"only the top, from the bottom", {{OX_LMS_TOP, 2, -40}}, CRect(5, 160, 45, 180)},
        {"right edge from the right", {{OX_LMS_RIGHT, 1, -5}}, CRect(255, 5, 295, 25)},
    };
    for (const Case& c : cases) {
        AddStatic(101, CRect(5, 5, 45, 25));
        m_layout.Attach(&m_container);
        for (const Side& s : c.sides)
            ASSERT_TRUE(m_layout.SetConstraint(101, s.side, s.kind, s.value));
        Resize(300, 200);
        EXPECT_EQ(ChildRect(101), c.expected) << c.what;
        m_layout.Detach();
        ::DestroyWindow(::GetDlgItem(m_container.GetSafeHwnd(), 101));
        Resize(200, 100);
    }
}

TEST_F(OXLayoutManagerTest, ChildrenTiedToEachOtherAndToWhereTheyAre)
{
    AddStatic(101, CRect(10, 10, 60, 30));
    AddStatic(102, CRect(20, 40, 70, 60));
    m_layout.Attach(&m_container);
    // 101 spans the width less 10; 102 hangs 10 below 101 and ends at 101's middle.
    m_layout.SetConstraint(101, OX_LMS_LEFT, OX_LMT_SAME, 10);
    m_layout.SetConstraint(101, OX_LMS_RIGHT, OX_LMT_SAME, -10);
    m_layout.SetConstraint(101, OX_LMS_TOP, OX_LMT_SAME, 10);
    m_layout.SetConstraint(102, OX_LMS_TOP, OX_LMT_OPPOSITE, 10, 101);
    m_layout.SetConstraint(102, OX_LMS_RIGHT, OX_LMT_POSITION, 50, 101);
    Resize(300, 200);
    EXPECT_EQ(ChildRect(101), CRect(10, 10, 290, 30));
    EXPECT_EQ(ChildRect(102), CRect(100, 40, 150, 60));

    int kind, value, base;
    ASSERT_TRUE(m_layout.GetConstraint(102, OX_LMS_RIGHT, kind, value, base));
    EXPECT_EQ(kind, OX_LMT_POSITION);
    EXPECT_EQ(value, 50);
    EXPECT_EQ(base, 101);
    // A side that changes kind keeps nothing of its share.
    m_layout.SetConstraint(102, OX_LMS_RIGHT, OX_LMT_OPPOSITE, 0, 101);
    ASSERT_TRUE(m_layout.GetConstraint(102, OX_LMS_RIGHT, kind, value, base));
    EXPECT_EQ(kind, OX_LMT_OPPOSITE);
    EXPECT_EQ(value, 0);
    Resize(300, 201);
    EXPECT_EQ(ChildRect(102), CRect(-40, 40, 10, 60));   // ends where 101 begins

    // The base cannot go while it is used; the other can.
    EXPECT_FALSE(m_layout.RemoveChild(101));
    EXPECT_EQ(m_layout.GetChildCount(), 2);
    EXPECT_TRUE(m_layout.RemoveChild(102));
    EXPECT_TRUE(m_layout.RemoveChild(101));
    EXPECT_FALSE(m_layout.RemoveChild(101));

    // Tied where it is now: same edges of the container.
    Resize(200, 100);
    AddStatic(103, CRect(20, 30, 70, 50));
    ASSERT_TRUE(m_layout.TieChild(103, OX_LMS_ALL, OX_LMT_SAME));
    EXPECT_FALSE(m_layout.TieChild(103, OX_LMS_ALL, OX_LMT_POSITION));
    Resize(300, 200);
    EXPECT_EQ(ChildRect(103), CRect(20, 30, 170, 150));
}

// Attached to a second window, the manager lays out that window's children
// as it is sized, and leaves the first one and its children alone.
TEST_F(OXLayoutManagerTest, AttachedToASecondWindowItLeavesTheFirstAlone)
{
    CWnd second;
    ASSERT_TRUE(second.CreateEx(0, AfxRegisterWndClass(0), "second", WS_CHILD | WS_VISIBLE,
                                CRect(0, 150, 200, 250), &m_host, 501));
    AddStatic(101, CRect(10, 10, 60, 30));
    AddStatic(second, 101, CRect(10, 10, 60, 30));
    m_layout.Attach(&m_container);
    ASSERT_TRUE(m_layout.SetConstraint(101, OX_LMS_LEFT, OX_LMT_SAME, 10));
    ASSERT_TRUE(m_layout.SetConstraint(101, OX_LMS_RIGHT, OX_LMT_SAME, -10));
    Resize(300, 100);
    EXPECT_EQ(ChildRect(101).right, 290);

    m_layout.Attach(&second);
    ASSERT_TRUE(m_layout.SetConstraint(101, OX_LMS_LEFT, OX_LMT_SAME, 10));
    ASSERT_TRUE(m_layout.SetConstraint(101, OX_LMS_RIGHT, OX_LMT_SAME, -20));
    Resize(second, 250, 100);
    EXPECT_EQ(ChildRect(second, 101).right, 230) << "the second window's child";

    const int nLayouts = m_layout.nLayouts;
    Resize(400, 100);
    EXPECT_EQ(ChildRect(101).right, 290) << "the first window's child moved";
    EXPECT_EQ(ChildRect(second, 101).right, 230) << "sizing the first moved the second's child";
    EXPECT_EQ(m_layout.nLayouts, nLayouts);
    CRect client;
    m_container.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 400);     // its own procedure still ran

    m_layout.Detach();
    second.DestroyWindow();
}

TEST_F(OXLayoutManagerTest, CyclesAndMissingBasesGiveNoLayout)
{
    AddStatic(101, CRect(10, 10, 60, 30));
    AddStatic(102, CRect(10, 40, 60, 60));
    m_layout.Attach(&m_container);
    m_layout.SetConstraint(101, OX_LMS_LEFT, OX_LMT_OPPOSITE, 5, 102);
    m_layout.SetConstraint(102, OX_LMS_LEFT, OX_LMT_OPPOSITE, 5, 101);
    EXPECT_FALSE(m_layout.OnSize(300, 200));
    EXPECT_EQ(ChildRect(101), CRect(10, 10, 60, 30));
    EXPECT_EQ(ChildRect(102), CRect(10, 40, 60, 60));
    // The cycle leaves no side marked busy: broken, the layout works again.
    m_layout.RemoveConstraint(102, OX_LMS_LEFT);
    EXPECT_TRUE(m_layout.OnSize(300, 200));
    EXPECT_EQ(ChildRect(101).left, 65);
}

TEST_F(OXLayoutManagerTest, MinimumsAreSearchedOnceAndRemembered)
{
    AddStatic(101, CRect(10, 10, 190, 30));
    m_layout.Attach(&m_container);
    m_layout.SetConstraint(101, OX_LMS_LEFT, OX_LMT_SAME, 10);
    m_layout.SetConstraint(101, OX_LMS_RIGHT, OX_LMT_SAME, -10);
    m_layout.SetMinMax(101, 150, 0, 0, 0);
    EXPECT_TRUE(m_layout.OnSize(100, 100));
    EXPECT_EQ(ChildRect(101).Width(), 150);   // laid out for a 170-wide container
    EXPECT_EQ(m_layout.m_nMinWidth, 170);
    EXPECT_TRUE(m_layout.OnSize(120, 100));   // starts from the bound: no search
    EXPECT_EQ(ChildRect(101).Width(), 150);
    EXPECT_TRUE(m_layout.OnSize(250, 100));
    EXPECT_EQ(ChildRect(101).Width(), 230);
    SIZE smin, smax;
    ASSERT_TRUE(m_layout.GetMinMax(101, smin, smax));
    EXPECT_EQ(smin.cx, 150);
}

TEST_F(OXLayoutManagerTest, ASwingingSearchStopsInsteadOfHanging)
{
    // At 100 the first child is under its minimum; at 101 the second is over
    // its maximum: the search would swing between the two sizes for ever.
    AddStatic(101, CRect(0, 0, 100, 20));
    AddStatic(102, CRect(0, 30, 98, 50));
    m_layout.Attach(&m_container);
    m_layout.SetConstraint(101, OX_LMS_LEFT, OX_LMT_SAME, 0);
    m_layout.SetConstraint(101, OX_LMS_RIGHT, OX_LMT_SAME, 0);
    m_layout.SetConstraint(102, OX_LMS_LEFT, OX_LMT_SAME, 1);
    m_layout.SetConstraint(102, OX_LMS_RIGHT, OX_LMT_SAME, -1);
    m_layout.SetMinMax(101, 101, 0, 0, 0);
    m_layout.SetMinMax(102, 0, 0, 98, 0);
    EXPECT_FALSE(m_layout.OnSize(100, 100));
    EXPECT_EQ(ChildRect(101), CRect(0, 0, 100, 20));
    // Opposite wishes in one pass end at once too.
    m_layout.SetMinMax(102, 0, 0, 50, 0);
    m_layout.SetMinMax(101, 300, 0, 0, 0);
    EXPECT_FALSE(m_layout.OnSize(100, 100));
}

TEST_F(OXLayoutManagerTest, AnotherProcedureHookedAfterOursKeepsWorking)
{
    static WNDPROC s_pfnBefore = NULL;
    static int s_nForeignSizes = 0;
    struct Foreign
    {
        static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
        {
            if (m == WM_SIZE)
                s_nForeignSizes++;
            return ::CallWindowProcA(s_pfnBefore, h, m, w, l);
        }
    };
    AddStatic(101, CRect(10, 10, 60, 30));
    HWND hWnd = m_container.GetSafeHwnd();
    WNDPROC pfnOriginal = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    m_layout.Attach(&m_container);
    m_layout.SetConstraint(101, OX_LMS_RIGHT, OX_LMT_SAME, -10);

    // Hooked after ours, the other procedure calls ours as its former one.
    s_pfnBefore = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&Foreign::Proc);
    m_layout.Detach();   // cannot take ours out: it passes through now
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC), &Foreign::Proc);
    int nLayouts = m_layout.nLayouts;
    Resize(300, 150);
    EXPECT_EQ(s_nForeignSizes, 1);
    EXPECT_EQ(m_layout.nLayouts, nLayouts);          // no manager any more
    CRect client;
    m_container.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 300, 150));        // the original procedure still ran

    // A new manager takes the window over without a second link.
    m_layout.Attach(&m_container);
    m_layout.SetConstraint(101, OX_LMS_RIGHT, OX_LMT_SAME, -10);
    Resize(250, 150);
    EXPECT_EQ(ChildRect(101).right, 240);
    // The other one leaves first, putting ours back; then ours leaves too.
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)s_pfnBefore);
    m_layout.Detach();
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC), pfnOriginal);
}

TEST_F(OXLayoutManagerTest, AFailingLayoutDoesNotTakeTheWindowWithIt)
{
    class CThrowingLayout : public COXLayoutManager
    {
    public:
        BOOL OnSize(int, int) override { AfxThrowNotSupportedException(); }
    } layout;
    layout.Attach(&m_container);
    Resize(321, 123);
    CRect client;
    m_container.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 321, 123));
    layout.Detach();
}

TEST(OXLayoutManagerDialog, ADialogsControlsFollowItsFrameAsTheUserSizesIt)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_CT_LAYOUT));
    dialog.ShowWindow(SW_SHOWNA);
    const HWND hDlg = dialog.GetSafeHwnd();
    auto rectOf = [&](int nID) {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(hDlg, nID), &rect);
        ::MapWindowPoints(NULL, hDlg, (LPPOINT)&rect, 2);
        return rect;
    };
    const int ids[] = {IDC_CT_NAME, IDC_CT_LIST, IDOK, IDCANCEL};
    std::map<int, CRect> before;
    for (int nID : ids)
        before[nID] = rectOf(nID);

    // The name stretches across, the list both ways, OK keeps to the top
    // right and Cancel to the bottom right; the list is never under 80 wide.
    COXLayoutManager layout;
    layout.Attach(&dialog);
    layout.TieChild(IDC_CT_NAME, OX_LMS_LEFT | OX_LMS_RIGHT | OX_LMS_TOP, OX_LMT_SAME);
    layout.TieChild(IDC_CT_LIST, OX_LMS_ALL, OX_LMT_SAME);
    layout.TieChild(IDOK, OX_LMS_RIGHT | OX_LMS_TOP, OX_LMT_SAME);
    layout.TieChild(IDCANCEL, OX_LMS_RIGHT | OX_LMS_BOTTOM, OX_LMT_SAME);
    layout.SetMinMax(IDC_CT_LIST, 80, 0, 0, 0);

    CRect window;
    dialog.GetWindowRect(&window);
    // Sized as a drag of the frame would: the system sends WM_SIZE on.
    struct Step { int dx, dy; } steps[] = {{120, 60}, {-30, 10}, {0, 0}};
    for (const Step& step : steps) {
        dialog.SetWindowPos(NULL, 0, 0, window.Width() + step.dx, window.Height() + step.dy,
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const std::map<int, CRect> expected = {
            {IDC_CT_NAME, CRect(before[IDC_CT_NAME].left, before[IDC_CT_NAME].top,
                                before[IDC_CT_NAME].right + step.dx, before[IDC_CT_NAME].bottom)},
            {IDC_CT_LIST, CRect(before[IDC_CT_LIST].TopLeft(), before[IDC_CT_LIST].BottomRight() + CSize(step.dx, step.dy))},
            {IDOK, before[IDOK] + CPoint(step.dx, 0)},
            {IDCANCEL, before[IDCANCEL] + CPoint(step.dx, step.dy)},
        };
        for (const auto& e : expected)
            EXPECT_EQ(rectOf(e.first), e.second) << "control " << e.first << " after " << step.dx << ", " << step.dy;
    }
    // Narrower than the list allows: laid out for the least width that fits,
    // the list at its minimum and the buttons where that width puts them.
    const int dxLeast = 80 - before[IDC_CT_LIST].Width();
    dialog.SetWindowPos(NULL, 0, 0, window.Width() - 200, window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(rectOf(IDC_CT_LIST).Width(), 80);
    EXPECT_EQ(rectOf(IDOK), before[IDOK] + CPoint(dxLeast, 0));
    layout.Detach();
    dialog.DestroyWindow();
}

} // namespace
