// Tabbed MDI: the tick's rules and the layout as tables, then a real MDI
// frame with real children driven by real messages: attaching and
// detaching, tabs following the children (titles, hiding, activation,
// destruction with and without the MDI client knowing), selection, double
// clicks, an OLE drag over the tabs, each tab position, and the state kept
// in the profile.
#include <afxwin.h>
#include <afxcmn.h>
#include <afxole.h>
#include <gtest/gtest.h>

#include <vector>

#include "MDITestSupport.h"
#include "OXTabClientWnd.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

typedef COXTabWorkspace::UpdateStep Step;
typedef COXTabWorkspace::UpdateTab Tab;
typedef COXTabWorkspace::UpdateChild Child;

const HWND h1 = (HWND)0x101, h2 = (HWND)0x102, h3 = (HWND)0x103, h4 = (HWND)0x104;

Tab T(HWND h, const char* text, BOOL bGone = FALSE, int nImage = 0, const char* cls = "Child")
{
    return Tab{h, cls, text, nImage, bGone};
}
Child C(HWND h, const char* text, BOOL bVisible = TRUE, int nImage = 0, const char* cls = "Child", BOOL bMDI = TRUE)
{
    return Child{h, cls, text, bVisible, bMDI, nImage};
}

// ---------------------------------------------------------------------------
// The tick, without windows
// ---------------------------------------------------------------------------
TEST(TabWorkspaceRules, TheTickPlansEachChangeOnce)
{
    struct Case {
        const char* name;
        std::vector<Tab> tabs;
        std::vector<Child> children;
        HWND hActive;
        BOOL bAddNew, bIcons, bForce;
        std::vector<Step> steps;
        int nSelect;
        BOOL bRecalc;
    } cases[] = {
        {"nothing changed", {T(h1, "a"), T(h2, "b"), T(h3, "c")}, {C(h3, "c"), C(h1, "a"), C(h2, "b")}, h2,
         TRUE, FALSE, FALSE, {}, 1, FALSE},
        {"forced recalculation", {T(h1, "a")}, {C(h1, "a")}, h1, TRUE, FALSE, TRUE, {}, 0, TRUE},
        {"a new title", {T(h1, "a"), T(h2, "b")}, {C(h1, "a"), C(h2, "b2")}, h1, TRUE, FALSE, FALSE,
         {{Step::setText, 1, 1}}, 0, TRUE},
        {"a hidden child before the active one", {T(h1, "a"), T(h2, "b"), T(h3, "c")},
         {C(h3, "c"), C(h1, "a", FALSE), C(h2, "b")}, h3, TRUE, FALSE, FALSE, {{Step::remove, 0, 1}}, 1, TRUE},
        {"a new child, added", {T(h1, "a")}, {C(h1, "a"), C(h2, "b")}, h1, TRUE, FALSE, FALSE,
         {{Step::append, 1, 1}}, 0, TRUE},
        {"a new active child is selected", {T(h1, "a")}, {C(h2, "b"), C(h1, "a")}, h2, TRUE, FALSE, FALSE,
         {{Step::append, 1, 0}}, 1, TRUE},
        {"a new child, not added", {T(h1, "a")}, {C(h1, "a"), C(h2, "b")}, h1, FALSE, FALSE, FALSE, {}, 0, FALSE},
        {"a new hidden child", {T(h1, "a")}, {C(h1, "a"), C(h2, "b", FALSE)}, h1, TRUE, FALSE, FALSE, {}, 0,
         FALSE},
        {"not an MDI child", {T(h1, "a")}, {C(h1, "a"), C(h2, "b", TRUE, 0, "Child", FALSE)}, h1, TRUE, FALSE,
         FALSE, {}, 0, FALSE},
        {"gone tabs go first, from the end", {T(h1, "a", TRUE), T(h2, "b"), T(h3, "c", TRUE)}, {C(h2, "b")}, h2,
         TRUE, FALSE, FALSE, {{Step::remove, 2, -1}, {Step::remove, 0, -1}}, 0, TRUE},
        // A reused handle: the tab of the old window is gone, the new window
        // of another class gets a tab of its own.
        {"a handle of another class", {T(h1, "a", TRUE), T(h2, "b")},
         {C(h1, "x", TRUE, 0, "Other"), C(h2, "b")}, h2, TRUE, FALSE, FALSE,
         {{Step::remove, 0, -1}, {Step::append, 1, 0}}, 0, TRUE},
        {"a new icon, refreshed", {T(h1, "a", FALSE, 0), T(h2, "b", FALSE, 1)},
         {C(h1, "a", TRUE, 0), C(h2, "b", TRUE, 0)}, h1, TRUE, TRUE, FALSE, {{Step::setImage, 1, 1}}, 0, FALSE},
        {"a new icon, not refreshed", {T(h1, "a", FALSE, 0)}, {C(h1, "a", TRUE, 3)}, h1, TRUE, FALSE, FALSE, {}, 0,
         FALSE},
        {"two hidden, the active last", {T(h1, "a"), T(h2, "b"), T(h3, "c"), T(h4, "d")},
         {C(h4, "d"), C(h1, "a", FALSE), C(h3, "c", FALSE), C(h2, "b")}, h4, TRUE, FALSE, FALSE,
         {{Step::remove, 0, 1}, {Step::remove, 1, 2}}, 1, TRUE},
    };
    for (const Case& c : cases) {
        COXTabWorkspace::UpdatePlan plan =
            COXTabWorkspace::PlanUpdate(c.tabs, c.children, c.hActive, c.bAddNew, c.bIcons, c.bForce);
        EXPECT_EQ(c.steps, plan.steps) << c.name;
        EXPECT_EQ(c.nSelect, plan.nSelect) << c.name;
        EXPECT_EQ(c.bRecalc, plan.bRecalc) << c.name;
    }
}

TEST(TabWorkspaceRules, TitlesShowAmpersandsAndMarginsShrinkOrCollapse)
{
    EXPECT_EQ(CString("Salt && pepper"), COXTabWorkspace::TabItemText("Salt & pepper"));
    EXPECT_EQ(CString("&&&&x&&"), COXTabWorkspace::TabItemText("&&x&"));
    EXPECT_EQ(CString(""), COXTabWorkspace::TabItemText(""));

    struct Case {
        CRect rect;
        int nMargin;
        CRect expected;
    } cases[] = {
        {CRect(0, 0, 100, 50), 1, CRect(1, 1, 99, 49)},
        {CRect(0, 0, 100, 50), 0, CRect(0, 0, 100, 50)},
        {CRect(0, 0, 100, 50), 25, CRect(25, 50, 75, 50)},   // 50 is not more than twice 25
        {CRect(10, 10, 14, 30), 2, CRect(14, 12, 14, 28)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, COXTabWorkspace::ShrinkByMargin(c.rect, c.nMargin)) << c.nMargin;
}

// A tab control's measures: a 20-pixel band on the side its style says,
// 2 pixels elsewhere (none for buttons).
class CFakeTabControl : public COXTabClientWnd::LayoutControl
{
public:
    std::vector<CRect> sized;
    std::vector<DWORD> styles;

    void SizeControl(const CRect& rect, BOOL) override { sized.push_back(rect); }
    CRect DisplayArea(const CRect& rect, DWORD dwStyle) override
    {
        styles.push_back(dwStyle);
        const int e = (dwStyle & TCS_BUTTONS) ? 0 : 2;
        CRect rc(rect);
        rc.DeflateRect(e, e);
        if (dwStyle & TCS_VERTICAL) {
            if (dwStyle & TCS_RIGHT)
                rc.right -= 20;
            else
                rc.left += 20;
        } else if (dwStyle & TCS_BOTTOM) {
            rc.bottom -= 20;
        } else {
            rc.top += 20;
        }
        return rc;
    }
};

TEST(TabClientLayout, EachPositionLeavesTheClientBesideItsBand)
{
    const CRect rect(0, 0, 400, 300);
    struct Case {
        const char* name;
        DWORD dwStyle;
        int nMargin;
        CRect client;
        DWORD dwMeasured;   // the style the control was measured with
    } cases[] = {
        {"top", 0, 1, CRect(3, 23, 397, 297), 0},
        {"bottom", TCS_BOTTOM, 1, CRect(3, 3, 397, 277), TCS_BOTTOM},
        {"top buttons", TCS_BUTTONS, 1, CRect(1, 21, 399, 299), TCS_BUTTONS},
        // Measured as top buttons; the client stays above the band.
        {"bottom buttons", TCS_BUTTONS | TCS_BOTTOM, 1, CRect(1, 1, 399, 279), TCS_BUTTONS},
        {"left buttons", TCS_BUTTONS | TCS_VERTICAL, 1, CRect(21, 1, 399, 299), TCS_BUTTONS},
        {"right buttons", TCS_BUTTONS | TCS_VERTICAL | TCS_RIGHT, 1, CRect(1, 1, 379, 299), TCS_BUTTONS},
        {"left tabs", TCS_VERTICAL | TCS_MULTILINE, 1, CRect(23, 3, 397, 297), TCS_VERTICAL | TCS_MULTILINE},
        {"wide margin", 0, 5, CRect(7, 27, 393, 293), 0},
        // Too small for the band: empty, not inside out.
        {"no room", 0, 1, CRect(3, 23, 3, 23), 0},
    };
    for (const Case& c : cases) {
        CFakeTabControl control;
        const CRect given = CString(c.name) == "no room" ? CRect(0, 0, 10, 10) : rect;
        const CRect client = COXTabClientWnd::Layout(given, c.dwStyle, c.nMargin, control);
        EXPECT_EQ(c.client, client) << c.name;
        ASSERT_EQ(1u, control.styles.size()) << c.name;
        EXPECT_EQ(c.dwMeasured, control.styles[0]) << c.name;
        ASSERT_EQ(1u, control.sized.size()) << c.name;
        // Vertical buttons are measured lying down.
        const BOOL bLyingDown = (c.dwStyle & TCS_BUTTONS) && (c.dwStyle & TCS_VERTICAL);
        EXPECT_EQ(bLyingDown ? CRect(0, 0, given.Height(), given.Width()) : given, control.sized[0]) << c.name;
    }
}

// ---------------------------------------------------------------------------
// A real MDI frame
// ---------------------------------------------------------------------------
const char kSection[] = "TabClientTest";

class TabbedMDI : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { AfxOleInit(); }
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create("Tabbed MDI", CRect(0, 0, 640, 480)));
        m_frame.Show();
        for (const char* title : {"Seeds", "Basket & export", "Phrases"})
            ASSERT_NE(nullptr, AddChild(title));
    }
    void TearDown() override
    {
        m_client.Detach();
        m_frame.Destroy();
    }

    CMDIChildWnd* AddChild(const char* title)
    {
        CMDIChildWnd* pChild = AddMDIChild(m_frame, title);
        if (pChild != NULL)
            m_children.push_back(pChild->m_hWnd);
        return pChild;
    }
    COXTabWorkspace& Tabs() { return *m_client.GetTabCtrl(); }
    CString TabText(int i)
    {
        char sz[256] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        Tabs().GetItem(i, &item);
        return sz;
    }
    HWND Active() { return (HWND)::SendMessage(m_frame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0); }
    // Rectangles in the frame's client coordinates.
    CRect InFrame(HWND hWnd)
    {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        m_frame->ScreenToClient(&rect);
        return rect;
    }
    CRect TabRect(int i)
    {
        CRect rect;
        Tabs().GetItemRect(i, &rect);
        Tabs().ClientToScreen(&rect);
        m_frame->ScreenToClient(&rect);
        return rect;
    }
    bool TickUntil(const std::function<bool()>& pred)
    {
        return PumpUntil(pred, kWaitMs);
    }

    CScopedFrame<CMDIFrameWnd> m_frame;
    std::vector<HWND> m_children;
    COXTabClientWnd m_client;
};

TEST_F(TabbedMDI, AttachGivesEachChildATabAndDetachGivesTheClientBack)
{
    HWND hClient = m_frame->m_hWndMDIClient;
    const CRect rectAlone = InFrame(hClient);
    ASSERT_TRUE(m_client.Attach(m_frame, TCS_HOTTRACK));
    EXPECT_EQ(hClient, m_client.GetSafeHwnd());
    ASSERT_EQ(3, Tabs().GetItemCount());
    ASSERT_EQ(3, Tabs().GetTabEntryCount());
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(-1, Tabs().FindTab(m_children[i]));
    EXPECT_EQ(CString("Basket && export"), TabText(Tabs().FindTab(m_children[1])));
    EXPECT_EQ(CString("Basket & export"), Tabs().GetTabEntry(Tabs().FindTab(m_children[1])).sText);
    EXPECT_EQ(Tabs().FindTab(Active()), Tabs().GetCurSel());

    // The tab control takes the client's place, the client its display area.
    EXPECT_EQ(rectAlone, InFrame(Tabs().m_hWnd));
    const CRect rectClient = InFrame(hClient);
    EXPECT_TRUE(rectAlone.PtInRect(rectClient.TopLeft()) && rectClient.bottom <= rectAlone.bottom);
    EXPECT_GE(rectClient.top, TabRect(0).bottom);

    COXTabClientWnd second;
    EXPECT_FALSE(m_client.Attach(m_frame, 0)) << "attached twice";
    EXPECT_FALSE(second.Attach(m_frame, 0)) << "the client already has a window object";
    CScopedFrame<CFrameWnd> sdi;
    ASSERT_TRUE(sdi.Create("not MDI", CRect(0, 0, 200, 100)));
    EXPECT_FALSE(second.Attach((CMDIFrameWnd*)(CFrameWnd*)sdi, 0));

    EXPECT_TRUE(m_client.Detach());
    EXPECT_FALSE(m_client.Detach());
    EXPECT_FALSE(::IsWindow(Tabs().GetSafeHwnd()));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hClient));
    EXPECT_EQ(rectAlone, InFrame(hClient));
    // Children still work as plain MDI children.
    ::SendMessage(hClient, WM_MDIACTIVATE, (WPARAM)m_children[0], 0);
    EXPECT_EQ(m_children[0], Active());
    // And the frame can be tabbed again.
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    EXPECT_EQ(3, Tabs().GetItemCount());
}

TEST_F(TabbedMDI, TabsFollowTheChildren)
{
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    HWND hClient = m_frame->m_hWndMDIClient;

    // A new child: its tab comes with the tick the client posts, selected.
    CMDIChildWnd* pNew = AddChild("Levels");
    ASSERT_NE(nullptr, pNew);
    ASSERT_TRUE(TickUntil([&] { return Tabs().GetItemCount() == 4; })) << "no tab for a new child";
    EXPECT_TRUE(TickUntil([&] { return Tabs().GetCurSel() == Tabs().FindTab(pNew); }));

    // A new title, with an ampersand.
    pNew->SetWindowText("Levels & pages");
    ASSERT_TRUE(TickUntil([&] { return TabText(Tabs().FindTab(pNew)) == "Levels && pages"; }));

    // Activation from the window menu selects its tab at once.
    ::SendMessage(hClient, WM_MDIACTIVATE, (WPARAM)m_children[0], 0);
    EXPECT_EQ(Tabs().FindTab(m_children[0]), Tabs().GetCurSel());

    // Hidden: the tab goes at the next tick; shown again: it comes back.
    ::ShowWindow(m_children[1], SW_HIDE);
    ASSERT_TRUE(TickUntil([&] { return Tabs().FindTab(m_children[1]) == -1; })) << "a hidden child kept its tab";
    EXPECT_EQ(3, Tabs().GetItemCount());
    ::ShowWindow(m_children[1], SW_SHOWNA);
    ASSERT_TRUE(TickUntil([&] { return Tabs().FindTab(m_children[1]) != -1; })) << "no tab when shown again";

    // Destroyed through the MDI client: the tab goes at once.
    ::SendMessage(hClient, WM_MDIDESTROY, (WPARAM)pNew->m_hWnd, 0);
    EXPECT_EQ(3, Tabs().GetItemCount());
    EXPECT_EQ(3, Tabs().GetTabEntryCount());

    // Destroyed behind the client's back: the tab goes at the next tick.
    HWND hGone = m_children[2];
    ::DestroyWindow(hGone);
    ASSERT_FALSE(::IsWindow(hGone));
    EXPECT_EQ(-1, Tabs().FindTab(hGone));
    ASSERT_TRUE(TickUntil([&] { return Tabs().GetItemCount() == 2; })) << "a destroyed child kept its tab";
    EXPECT_EQ(2, Tabs().GetTabEntryCount());
    for (int i = 0; i < 2; ++i)
        EXPECT_NE(hGone, Tabs().GetTabEntry(i).hWnd);
}

TEST_F(TabbedMDI, ChoosingAndDoubleClickingTabs)
{
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    HWND hClient = m_frame->m_hWndMDIClient;
    const int nTab = Tabs().FindTab(m_children[0]);
    ASSERT_NE(Active(), m_children[0]);

    // A click on a tab activates its child.
    const CPoint pt = CRect([&] { CRect r; Tabs().GetItemRect(nTab, &r); return r; }()).CenterPoint();
    Tabs().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Tabs().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(nTab, Tabs().GetCurSel());
    EXPECT_EQ(m_children[0], Active());

    // Double clicks: maximize the active child, then restore it. The tab
    // control's class turns a user's second click into one.
    EXPECT_TRUE(::GetClassLongPtr(Tabs().m_hWnd, GCL_STYLE) & CS_DBLCLKS);
    BOOL bMax = FALSE;
    Tabs().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(m_children[0], (HWND)::SendMessage(hClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMax));
    EXPECT_TRUE(bMax);
    Tabs().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessage(hClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMax);
    EXPECT_FALSE(bMax);

    // A child not active is maximized by a double click on its tab.
    const int nOther = Tabs().FindTab(m_children[2]);
    Tabs().SetCurSel(nOther);
    Tabs().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(m_children[2], (HWND)::SendMessage(hClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMax));
    EXPECT_TRUE(bMax);
}

TEST_F(TabbedMDI, AnOleDragOverATabActivatesItsChild)
{
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    // The workspace registered its target with OLE; the drag comes through it
    // as OLE's loop would give it, in screen coordinates.
    ASSERT_NE(nullptr, Tabs().m_pDropTarget) << "the drop target is not registered";
    IDropTarget* pTarget = Tabs().m_pDropTarget->GetDropTarget();
    COXTabWorkspaceDropTarget* pOwn = dynamic_cast<COXTabWorkspaceDropTarget*>(Tabs().m_pDropTarget);
    ASSERT_NE(nullptr, pOwn);
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, ::GlobalAlloc(GMEM_MOVEABLE, 4));
    auto over = [&](CPoint pt) {
        Tabs().ClientToScreen(&pt);
        DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(S_OK, pTarget->DragOver(MK_LBUTTON, POINTL{pt.x, pt.y}, &dwEffect));
        return dwEffect;
    };
    auto centre = [&](HWND hChild) {
        CRect r;
        Tabs().GetItemRect(Tabs().FindTab(hChild), &r);
        return r.CenterPoint();
    };
    auto enter = [&] {
        DWORD dwEffect = DROPEFFECT_COPY;
        POINTL pt = {0, 0};
        EXPECT_EQ(S_OK, pTarget->DragEnter(pSource->GetDataObject(), MK_LBUTTON, pt, &dwEffect));
    };

    enter();
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, over(centre(m_children[0]))) << "the tabs take no drop";
    EXPECT_EQ(m_children[0], Active());
    EXPECT_EQ(Tabs().FindTab(m_children[0]), pOwn->m_nLastTab);
    EXPECT_EQ(Tabs().FindTab(m_children[0]), Tabs().GetCurSel());

    // Still over the same tab: the child is not activated again.
    ::SendMessage(m_frame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)m_children[1], 0);
    over(centre(m_children[0]));
    EXPECT_EQ(m_children[1], Active());
    // Off the tabs: nothing.
    CRect rectClient;
    Tabs().GetClientRect(&rectClient);
    over(CPoint(rectClient.right - 2, rectClient.bottom - 2));
    EXPECT_EQ(m_children[1], Active());
    // After leaving, the same tab counts again.
    EXPECT_EQ(S_OK, pTarget->DragLeave());
    EXPECT_EQ(-1, pOwn->m_nLastTab);
    enter();
    over(centre(m_children[0]));
    EXPECT_EQ(m_children[0], Active());
    pTarget->DragLeave();

    Tabs().m_bActivateOnDragOver = FALSE;
    enter();
    over(centre(m_children[2]));
    EXPECT_EQ(m_children[0], Active());
    pTarget->DragLeave();
    pSource->InternalRelease();
}

TEST_F(TabbedMDI, EachTabPositionLeavesTheClientClearOfTheTabs)
{
    struct Case {
        const char* name;
        DWORD dwStyle;
    } cases[] = {
        {"top", 0},
        {"bottom", TCS_BOTTOM},
        {"buttons", TCS_BUTTONS},
        {"flat buttons", TCS_BUTTONS | TCS_FLATBUTTONS},
        {"bottom buttons", TCS_BUTTONS | TCS_BOTTOM},
        {"left buttons", TCS_BUTTONS | TCS_VERTICAL | TCS_MULTILINE},
        {"right buttons", TCS_BUTTONS | TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE},
        {"multiline", TCS_MULTILINE},
    };
    HWND hClient = m_frame->m_hWndMDIClient;
    for (const Case& c : cases) {
        ASSERT_TRUE(m_client.Attach(m_frame, c.dwStyle)) << c.name;
        const CRect rectTabs = InFrame(Tabs().m_hWnd), rectClient = InFrame(hClient);
        EXPECT_FALSE(rectClient.IsRectEmpty()) << c.name;
        CRect rectInside;
        EXPECT_TRUE(rectInside.IntersectRect(rectTabs, rectClient) && rectInside == rectClient) << c.name;
        for (int i = 0; i < Tabs().GetItemCount(); ++i) {
            CRect rectTab = TabRect(i), rectOver;
            EXPECT_FALSE(rectOver.IntersectRect(rectTab, rectClient)) << c.name << " tab " << i;
            if (c.dwStyle & TCS_VERTICAL)
                EXPECT_TRUE((c.dwStyle & TCS_RIGHT) ? rectTab.left >= rectClient.right
                                                    : rectTab.right <= rectClient.left)
                    << c.name;
            else if (c.dwStyle & TCS_BOTTOM)
                EXPECT_GE(rectTab.top, rectClient.bottom) << c.name;
            else
                EXPECT_LE(rectTab.bottom, rectClient.top) << c.name;
        }
        ASSERT_TRUE(m_client.Detach());
    }
}

TEST_F(TabbedMDI, HidingTheClientHidesTheTabs)
{
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    HWND hClient = m_frame->m_hWndMDIClient;
    ::ShowWindow(hClient, SW_HIDE);
    EXPECT_FALSE(Tabs().GetStyle() & WS_VISIBLE);
    // Laid out hidden, the tabs leave the client the whole place.
    m_frame->RecalcLayout();
    EXPECT_EQ(InFrame(Tabs().m_hWnd), InFrame(hClient));
    ::ShowWindow(hClient, SW_SHOWNA);
    EXPECT_TRUE(Tabs().GetStyle() & WS_VISIBLE);
    m_frame->RecalcLayout();
    EXPECT_GE(InFrame(hClient).top, TabRect(0).bottom);
}

TEST_F(TabbedMDI, ChildrenWithOneIconShareOneImage)
{
    HICON hA = ::LoadIcon(NULL, IDI_APPLICATION), hB = ::LoadIcon(NULL, IDI_WARNING);
    ::SendMessage(m_children[0], WM_SETICON, ICON_SMALL, (LPARAM)hA);
    ::SendMessage(m_children[1], WM_SETICON, ICON_SMALL, (LPARAM)hB);
    ::SendMessage(m_children[2], WM_SETICON, ICON_SMALL, (LPARAM)hA);
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    auto image = [&](HWND hChild) {
        TCITEMA item = {};
        item.mask = TCIF_IMAGE;
        Tabs().GetItem(Tabs().FindTab(hChild), &item);
        return item.iImage;
    };
    EXPECT_EQ(image(m_children[0]), image(m_children[2]));
    EXPECT_NE(image(m_children[0]), image(m_children[1]));
    EXPECT_EQ(2, ImageList_GetImageCount((HIMAGELIST)Tabs().SendMessage(TCM_GETIMAGELIST)));

    // A changed icon shows when the tick refreshes icons.
    ::SendMessage(m_children[2], WM_SETICON, ICON_SMALL, (LPARAM)hB);
    Tabs().UpdateContents(FALSE, TRUE);
    EXPECT_EQ(image(m_children[1]), image(m_children[2]));
}

// ---------------------------------------------------------------------------
// The state in the profile
// ---------------------------------------------------------------------------
TEST_F(TabbedMDI, StateComesBackAfterARestart)
{
    CWinApp* pApp = AfxGetApp();
    // Detached: attached 0, offset 1, style 64.
    ASSERT_TRUE(m_client.SaveState(kSection));
    EXPECT_EQ(0u, pApp->GetProfileInt(kSection, "IsAttached", 9));
    EXPECT_EQ(1u, pApp->GetProfileInt(kSection, "Offset", 9));
    EXPECT_EQ(64u, pApp->GetProfileInt(kSection, "Style", 9));
    EXPECT_TRUE(m_client.LoadState(kSection)) << "detached and stored detached";

    ASSERT_TRUE(m_client.Attach(m_frame, TCS_BOTTOM | TCS_HOTTRACK));
    Tabs().m_nOffset = 4;
    ASSERT_TRUE(m_client.SaveState(kSection));
    EXPECT_EQ(1u, pApp->GetProfileInt(kSection, "IsAttached", 9));
    EXPECT_EQ(4u, pApp->GetProfileInt(kSection, "Offset", 9));
    EXPECT_EQ((UINT)(TCS_BOTTOM | TCS_HOTTRACK | TCS_FOCUSNEVER), pApp->GetProfileInt(kSection, "Style", 9));

    // Unchanged: nothing is done.
    HWND hTabs = Tabs().m_hWnd;
    EXPECT_TRUE(m_client.LoadState(kSection));
    EXPECT_EQ(hTabs, Tabs().m_hWnd);

    // A restart: a new tab client on a new frame, tabbed at the top.
    m_client.Detach();
    m_frame.Destroy();
    CScopedFrame<CMDIFrameWnd> frame;
    ASSERT_TRUE(CreateMDIFrameWithChild(frame, "Tabbed MDI again", CRect(0, 0, 640, 480)));
    COXTabClientWnd client;
    EXPECT_FALSE(client.LoadState(kSection)) << "detached, it has no frame to attach to";
    EXPECT_FALSE(client.IsAttached());
    ASSERT_TRUE(client.Attach(frame, 0));
    ASSERT_TRUE(client.LoadState(kSection));
    ASSERT_TRUE(client.IsAttached());
    EXPECT_EQ(4, client.GetTabCtrl()->m_nOffset);
    EXPECT_EQ((DWORD)(TCS_BOTTOM | TCS_HOTTRACK), client.GetTabCtrl()->GetStyle() & (TCS_BOTTOM | TCS_HOTTRACK));
    EXPECT_EQ(1, client.GetTabCtrl()->GetItemCount());
    // The margin is in the tab control's frame.
    CRect rectWindow, rectClient;
    client.GetTabCtrl()->GetWindowRect(&rectWindow);
    client.GetTabCtrl()->GetClientRect(&rectClient);
    EXPECT_EQ(rectWindow.Width() - 8, rectClient.Width());

    // Stored detached: the tabs go.
    pApp->WriteProfileInt(kSection, "IsAttached", 0);
    EXPECT_TRUE(client.LoadState(kSection));
    EXPECT_FALSE(client.IsAttached());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(frame->m_hWndMDIClient));
    frame.Destroy();
}

TEST_F(TabbedMDI, StoredValuesOutOfBoundsTakeTheDefaults)
{
    CWinApp* pApp = AfxGetApp();
    struct Case {
        const char* name;
        const char* key;
        int nValue;            // written as a number
        const char* pszText;   // or, when set, as text
    } cases[] = {
        {"style with window bits", "Style", (int)0xFFFFFFFF, NULL},
        {"negative offset", "Offset", -5, NULL},
        {"offset too large", "Offset", 1001, NULL},
        {"offset as text", "Offset", 0, "12"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_client.Attach(m_frame, TCS_BUTTONS)) << c.name;
        Tabs().m_nOffset = 3;
        ASSERT_TRUE(m_client.SaveState(kSection));
        if (c.pszText != NULL)
            pApp->WriteProfileString(kSection, c.key, c.pszText);
        else
            pApp->WriteProfileInt(kSection, c.key, c.nValue);
        ASSERT_TRUE(m_client.LoadState(kSection)) << c.name;
        ASSERT_TRUE(m_client.IsAttached()) << c.name;
        const BOOL bStyleCase = CString(c.key) == "Style";
        EXPECT_EQ(bStyleCase ? 3 : 1, Tabs().m_nOffset) << c.name;
        EXPECT_EQ(bStyleCase ? (DWORD)TCS_HOTTRACK : (DWORD)TCS_BUTTONS,
                  Tabs().GetStyle() & (TCS_HOTTRACK | TCS_BUTTONS))
            << c.name;
        EXPECT_EQ(0u, Tabs().GetStyle() & (WS_POPUP | WS_DISABLED | WS_MAXIMIZE)) << c.name;
        ASSERT_TRUE(m_client.Detach());
    }
}

// Refuses the creation of tab controls on this thread while it lives.
class CRefuseTabControls
{
public:
    CRefuseTabControls() { m_hHook = ::SetWindowsHookExA(WH_CBT, Proc, NULL, ::GetCurrentThreadId()); }
    ~CRefuseTabControls() { ::UnhookWindowsHookEx(m_hHook); }

private:
    static LRESULT CALLBACK Proc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND) {
            char szClass[64] = "";
            ::GetClassNameA((HWND)wParam, szClass, sizeof(szClass));
            if (lstrcmpiA(szClass, WC_TABCONTROLA) == 0)
                return 1;
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    HHOOK m_hHook;
};

TEST_F(TabbedMDI, AFailedReattachAnswersFalseAndLeavesTheClientFree)
{
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    CWinApp* pApp = AfxGetApp();
    ASSERT_TRUE(m_client.SaveState(kSection));
    pApp->WriteProfileInt(kSection, "Style", TCS_BOTTOM);
    {
        CRefuseTabControls refuse;
        EXPECT_FALSE(m_client.LoadState(kSection));
    }
    EXPECT_FALSE(m_client.IsAttached());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(m_frame->m_hWndMDIClient));
    // The MDI client works on, and can be tabbed again.
    ::SendMessage(m_frame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)m_children[0], 0);
    EXPECT_EQ(m_children[0], Active());
    EXPECT_TRUE(m_client.Attach(m_frame, 0));
}

// The frame's client area as the screen shows it.
std::vector<COLORREF> CaptureScreenPixels(CWnd* pFrame, CRect& rect)
{
    pFrame->GetClientRect(&rect);
    pFrame->ClientToScreen(&rect);
    CPixelCanvas canvas(rect.Width(), rect.Height());
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.dc.m_hDC, 0, 0, rect.Width(), rect.Height(), hScreen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rect.Height(); y++)
        for (int x = 0; x < rect.Width(); x++)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

// The same once the screen has settled: Wine hands a window's pixels to the
// display on its own schedule, which a loaded machine delays, so the capture
// is taken again, a tenth of a second apart, until two agree. Pixels a paint
// left out stay as they are and are seen all the same.
std::vector<COLORREF> ScreenPixels(CWnd* pFrame, CRect& rect)
{
    std::vector<COLORREF> last = CaptureScreenPixels(pFrame, rect);
    const DWORD dwStart = GetTickCount();
    for (;;) {
        PumpMessagesFor(100);
        std::vector<COLORREF> now = CaptureScreenPixels(pFrame, rect);
        if (now == last || GetTickCount() - dwStart > kWaitMs)
            return now;
        last.swap(now);
    }
}

// Tabs taken away and put back on a frame that shows: once the paints
// queued are done, the screen is what a full repaint of the frame gives.
TEST_F(TabbedMDI, TabsPutBackPaintTheFrameAsAFullRepaintWould)
{
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    m_frame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    // Away and back in one go, as a restyle does.
    ASSERT_TRUE(m_client.Detach());
    ASSERT_TRUE(m_client.Attach(m_frame, 0));
    PumpPending();
    CRect rect;
    const std::vector<COLORREF> after = ScreenPixels(m_frame, rect);
    m_frame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    const std::vector<COLORREF> repainted = ScreenPixels(m_frame, rect);
    ASSERT_EQ(after.size(), repainted.size());
    int nDiffer = 0, xFirst = -1, yFirst = -1;
    for (size_t i = 0; i < after.size(); i++) {
        if (after[i] != repainted[i] && nDiffer++ == 0) {
            xFirst = (int)(i % rect.Width());
            yFirst = (int)(i / rect.Width());
        }
    }
    EXPECT_EQ(0, nDiffer) << "pixels left unpainted, the first at (" << xFirst << "," << yFirst
                          << ") of the frame's client area";
}

} // namespace
