// The shortcut bar window: layout, header look, expanding by click and by
// hover, header drags (dropped, refused, cancelled by Escape or by losing the
// mouse), header editing, the context menu's commands, and sorting a group's
// items in place. Notifications are logged by the parent, which can refuse
// any of them.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "OXSHBListCtrl.h"
#include "OXShortcutBar.h"
#include "testsupport.h"

static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

TEST(ShortcutBarLayout, HeadersAndChildAreaTable)
{
    struct Case { int height, expanded, gap; CRect margins; std::vector<CRect> headers; CRect child; } cases[] = {
        // Three groups, the first expanded, 300 pixels.
        {300, 0, 0, CRect(5, 5, 5, 5), {{0, 0, 200, 18}, {0, 264, 200, 282}, {0, 282, 200, 300}}, {5, 23, 195, 259}},
        // The middle one expanded, with a gap between headers.
        {300, 1, 2, CRect(5, 5, 5, 5), {{0, 0, 200, 18}, {0, 20, 200, 38}, {0, 282, 200, 300}}, {5, 43, 195, 275}},
        // Headers fill the whole height: no room for a child.
        {54, 0, 0, CRect(5, 5, 5, 5), {{0, 0, 200, 18}, {0, 18, 200, 36}, {0, 36, 200, 54}}, {0, 0, 0, 0}},
        // Margins larger than the free space.
        {64, 0, 0, CRect(5, 5, 5, 6), {{0, 0, 200, 18}, {0, 28, 200, 46}, {0, 46, 200, 64}}, {0, 0, 0, 0}},
        // Nothing expanded.
        {300, -1, 0, CRect(5, 5, 5, 5), {{0, 0, 200, 18}, {0, 18, 200, 36}, {0, 36, 200, 54}}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<CRect> headers;
        CRect child;
        COXShortcutBar::CalculateHeaderRects(CRect(0, 0, 200, c.height), {18, 18, 18}, c.expanded, c.gap,
                                             c.margins, headers, child);
        EXPECT_EQ(c.headers, headers) << "height " << c.height << " expanded " << c.expanded;
        EXPECT_EQ(c.child, child) << "height " << c.height << " expanded " << c.expanded;
    }
}

TEST(ShortcutBarLayout, ColoursTable)
{
    struct Case { COLORREF back, light, dark, marker; } cases[] = {
        {RGB(192, 192, 192), RGB(255, 255, 255), RGB(64, 64, 64), RGB(255, 0, 0)},
        {RGB(250, 20, 20), RGB(255, 84, 84), RGB(122, 0, 0), RGB(0, 0, 255)},   // near red: blue marker
        {RGB(200, 60, 60), RGB(255, 124, 124), RGB(72, 0, 0), RGB(0, 0, 255)},   // (55 + 60 + 60) / 3 = 58
        {RGB(200, 80, 80), RGB(255, 144, 144), RGB(72, 0, 0), RGB(255, 0, 0)},   // (55 + 80 + 80) / 3 = 71
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.light, COXShortcutBar::LightColor(c.back));
        EXPECT_EQ(c.dark, COXShortcutBar::DarkColor(c.back));
        EXPECT_EQ(c.marker, COXShortcutBar::DropMarkerColor(c.back)) << std::hex << c.back;
    }
    EXPECT_EQ(RGB(55, 155, 255), COXShortcutBar::InvertColor(RGB(200, 100, 0)));
}

TEST(ShortcutBarLayout, AnimationFrames)
{
    EXPECT_TRUE(COXShortcutBar::AnimationSteps(39).empty()) << "lower than 40 pixels: no frames";
    EXPECT_EQ((std::vector<int>{20, 20, 20, 20, 20, 20, 40, 40}), COXShortcutBar::AnimationSteps(200));
    EXPECT_EQ((std::vector<int>{20}), COXShortcutBar::AnimationSteps(40));
}

// The bar's parent: logs every notification and refuses the codes it is told to.
class CBarHost : public CWnd
{
public:
    std::vector<UINT> m_codes;
    std::map<UINT, LRESULT> m_replies;
    std::vector<std::string> m_menuTexts;
    std::string m_lastText;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        SHB_NOTIFY* pNm = (SHB_NOTIFY*)lParam;
        if (pNm->hdr.code >= SHBN_DRAGENTER && pNm->hdr.code <= SHBN_CONTEXTMENU) {
            // Drawing is asked for at every paint: not part of the behaviours here.
            if (pNm->hdr.code != SHBN_DRAWHEADER && pNm->hdr.code != SHBN_DRAWITEM)
                m_codes.push_back(pNm->hdr.code);
            if (pNm->hdr.code == SHBN_BEGINGROUPEDIT || pNm->hdr.code == SHBN_ENDGROUPEDIT)
                m_lastText = (LPCSTR)pNm->lParam;
            if (pNm->hdr.code == SHBN_CONTEXTMENU) {
                CMenu* pMenu = ((SHB_CONTEXTMENU*)pNm->lParam)->pMenu;
                m_menuTexts.clear();
                for (int i = 0; i < (int)pMenu->GetMenuItemCount(); ++i) {
                    CString s;
                    pMenu->GetMenuString(i, s, MF_BYPOSITION);
                    m_menuTexts.push_back(pMenu->GetMenuItemID(i) == 0 ? "-" : (LPCSTR)s);
                }
            }
            if (pNm->hdr.code == SHBN_GETHEADERINFOTIP || pNm->hdr.code == SHBN_GETITEMINFOTIP) {
                SHB_TIPINFO* pTip = (SHB_TIPINFO*)pNm->lParam;
                EXPECT_EQ(0, pTip->szText[0]) << "asked with a zeroed record";
                _snprintf(pTip->szText, 79, "tip %d/%d", (int)(INT_PTR)pNm->hGroup, pNm->nItem);
            }
            auto it = m_replies.find(pNm->hdr.code);
            *pResult = it != m_replies.end() ? it->second : 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

// The bar with the timers that tests wait on in view.
class CTestBar : public COXShortcutBar
{
public:
    using COXShortcutBar::m_hPendingExpand;
    using COXShortcutBar::m_nExpandTimer;
    using COXShortcutBar::m_nPressTimer;
};

class ShortcutBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "bar host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    CRect(20, 20, 260, 360), NULL, 0));
        CRect rect;
        m_host.GetClientRect(&rect);
        ASSERT_TRUE(m_bar.Create(&m_host, CRect(0, 0, 200, 300), 0, 1000));
        m_a = m_bar.InsertGroup("Alpha");
        m_b = m_bar.InsertGroup("Bravo");
        m_c = m_bar.InsertGroup("Charlie");
        m_bar.ExpandGroup(m_a);
        m_host.m_codes.clear();
    }
    void TearDown() override { m_host.DestroyWindow(); }
    CPoint HeaderPoint(HSHBGROUP h)
    {
        CRect rect;
        m_bar.GetGroupHeaderRect(h, &rect);
        return rect.CenterPoint();
    }
    void Send(UINT msg, WPARAM w, CPoint pt) { m_bar.SendMessage(msg, w, MAKELPARAM(pt.x, pt.y)); }
    std::string Column()
    {
        std::string s;
        for (int i = 0; i < m_bar.GetGroupCount(); ++i)
            s += std::string(i ? " " : "") + (LPCSTR)m_bar.GetGroupText(m_bar.FindGroupByOrder(i));
        return s;
    }
    // Presses a header, lets the press delay pass and moves with the button held.
    void StartHeaderDrag(HSHBGROUP h)
    {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, HeaderPoint(h));
        ASSERT_NE(0u, (UINT)m_bar.m_nPressTimer);
        ASSERT_TRUE(PumpUntil([&] { return m_bar.m_nPressTimer == 0; }, kWaitMs)) << "the press delay never ended";
        Send(WM_MOUSEMOVE, MK_LBUTTON, HeaderPoint(h) + CPoint(3, 0));
    }

    CBarHost m_host;
    CTestBar m_bar;
    HSHBGROUP m_a = NULL, m_b = NULL, m_c = NULL;
};

TEST_F(ShortcutBar, LaysOutTheExpandedGroupsListBetweenTheHeaders)
{
    CRect rect;
    ASSERT_TRUE(m_bar.GetGroupHeaderRect(m_c, &rect));
    EXPECT_EQ(CRect(0, 282, 200, 300), rect);
    EXPECT_EQ(CRect(5, 23, 195, 259), m_bar.GetChildWndRect());
    COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(m_a);
    ASSERT_NE(nullptr, pList);
    EXPECT_TRUE(pList->IsWindowVisible());
    EXPECT_FALSE(m_bar.GetGroupListCtrl(m_b)->IsWindowVisible());
    EXPECT_EQ(m_bar.GetSafeHwnd(), ::GetParent(pList->GetSafeHwnd()));
    EXPECT_EQ(m_a, pList->GetGroup());
    UINT nHit;
    EXPECT_EQ(m_a, m_bar.HitTest(CPoint(50, 100), &nHit));
    EXPECT_EQ(2u, nHit);
    EXPECT_EQ(m_c, m_bar.HitTest(CPoint(50, 290), &nHit));
    EXPECT_EQ(1u, nHit);
    EXPECT_EQ(NULL, m_bar.HitTest(CPoint(2, 100), &nHit));
    EXPECT_EQ(3u, nHit);
}

TEST_F(ShortcutBar, AClickExpandsOnPressOrWithHotTrackingOnRelease)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, HeaderPoint(m_b));
    EXPECT_EQ(m_b, m_bar.GetExpandedGroup());
    Send(WM_LBUTTONUP, 0, HeaderPoint(m_b));
    EXPECT_EQ((std::vector<UINT>{SHBN_GROUPEXPANDING, SHBN_GROUPEXPANDED}), m_host.m_codes);

    m_bar.SetBarStyle(SHBS_FLATGROUPBUTTON);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, HeaderPoint(m_c));
    EXPECT_EQ(m_b, m_bar.GetExpandedGroup());
    Send(WM_LBUTTONUP, 0, HeaderPoint(m_a));   // released elsewhere: nothing
    EXPECT_EQ(m_b, m_bar.GetExpandedGroup());
    Send(WM_LBUTTONDOWN, MK_LBUTTON, HeaderPoint(m_c));
    Send(WM_LBUTTONUP, 0, HeaderPoint(m_c));
    EXPECT_EQ(m_c, m_bar.GetExpandedGroup());

    m_host.m_replies[SHBN_GROUPEXPANDING] = 1;
    EXPECT_EQ(m_c, m_bar.ExpandGroup(m_a));
    EXPECT_EQ(m_c, m_bar.GetExpandedGroup()) << "refused";
    m_host.m_replies.clear();
    EXPECT_EQ(m_c, m_bar.ExpandGroup((HSHBGROUP)99)) << "an unknown group is refused";
    EXPECT_EQ(m_c, m_bar.GetExpandedGroup());
}

TEST_F(ShortcutBar, AnimatedExpandEndsInTheSameLayout)
{
    m_bar.SetBarStyle(SHBS_ANIMATEEXPAND);
    EXPECT_EQ(m_a, m_bar.ExpandGroup(m_c));
    CRect rect;
    m_bar.GetGroupHeaderRect(m_b, &rect);
    EXPECT_EQ(CRect(0, 18, 200, 36), rect);
    EXPECT_EQ(CRect(5, 59, 195, 295), m_bar.GetChildWndRect());
    EXPECT_TRUE(m_bar.GetGroupListCtrl(m_c)->IsWindowVisible());
    EXPECT_FALSE(m_bar.GetGroupListCtrl(m_a)->IsWindowVisible());
}

TEST_F(ShortcutBar, HoveringOverACollapsedHeaderExpandsItLater)
{
    m_bar.SetBarStyle(SHBS_AUTOEXPAND);
    m_bar.SetHoverExpandDelay(50);
    CPoint pt = HeaderPoint(m_b);
    m_bar.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    Send(WM_MOUSEMOVE, 0, HeaderPoint(m_b));
    EXPECT_EQ(m_a, m_bar.GetExpandedGroup());
    EXPECT_TRUE(PumpUntil([&] { return m_bar.GetExpandedGroup() == m_b; }, kWaitMs));
}

TEST_F(ShortcutBar, DeletingTheExpandedGroupExpandsTheNextOrTheFirst)
{
    m_bar.ExpandGroup(m_c);
    m_host.m_codes.clear();
    // The owner may refuse the group that would open: the deletion is refused.
    m_host.m_replies[SHBN_GROUPEXPANDING] = 1;
    EXPECT_FALSE(m_bar.DeleteGroup(m_c));
    EXPECT_EQ(m_c, m_bar.GetExpandedGroup());
    EXPECT_EQ(3, m_bar.GetGroupCount());
    EXPECT_EQ((std::vector<UINT>{SHBN_DELETEGROUP, SHBN_GROUPEXPANDING}), m_host.m_codes);
    m_host.m_replies.clear();
    m_host.m_codes.clear();
    EXPECT_TRUE(m_bar.DeleteGroup(m_c));
    EXPECT_EQ(m_a, m_bar.GetExpandedGroup()) << "the last one went: the first opens";
    EXPECT_EQ((std::vector<UINT>{SHBN_DELETEGROUP, SHBN_GROUPEXPANDING, SHBN_GROUPEXPANDED}), m_host.m_codes);
    EXPECT_TRUE(m_bar.GetGroupListCtrl(m_a)->IsWindowVisible());
    EXPECT_TRUE(m_bar.DeleteGroup(m_a));
    EXPECT_EQ(m_b, m_bar.GetExpandedGroup());
    m_host.m_replies[SHBN_DELETEGROUP] = 1;
    EXPECT_FALSE(m_bar.DeleteGroup(m_b));
    m_host.m_replies.clear();
    EXPECT_TRUE(m_bar.DeleteAllGroups());
    EXPECT_EQ(NULL, m_bar.GetExpandedGroup());
    EXPECT_FALSE(m_bar.DeleteGroup(m_b));
}

TEST_F(ShortcutBar, FieldsTable)
{
    CImageList images;
    images.Create(16, 16, ILC_COLOR24, 10, 0);
    for (int i = 0; i < 10; ++i) {
        CBitmap bmp;
        CClientDC dc(&m_bar);
        bmp.CreateCompatibleBitmap(&dc, 16, 16);
        images.Add(&bmp, (CBitmap*)NULL);
    }
    m_bar.SetImageList(&images);
    EXPECT_TRUE(m_bar.SetGroupImage(m_a, 3));
    EXPECT_EQ(3, m_bar.GetGroupImageExpanded(m_a)) << "falls back to the image";
    EXPECT_TRUE(m_bar.SetGroupImage(m_a, -5));
    EXPECT_EQ(-1, m_bar.GetGroupImage(m_a));
    EXPECT_FALSE(m_bar.SetGroupImage(m_a, 99));
    EXPECT_EQ(1, m_bar.GetGroupView(m_a));
    EXPECT_FALSE(m_bar.SetGroupView(m_a, 4));
    EXPECT_EQ(-1, m_bar.GetGroupView((HSHBGROUP)77));
    EXPECT_TRUE(m_bar.SetGroupOrder(m_c, 0));
    EXPECT_EQ("Charlie Bravo Alpha", Column());
    EXPECT_FALSE(m_bar.SetGroupOrder(m_c, -1));
    EXPECT_FALSE(m_bar.SetBarStyle(0x10000));
    EXPECT_EQ(0u, m_bar.GetBarStyle());
    CFont empty;
    EXPECT_FALSE(m_bar.SetGroupTextFont(m_a, &empty));
    EXPECT_EQ(SHB_DEFAULTHEADERHEIGHT, m_bar.GetGroupHeaderHeight(m_a));
    EXPECT_TRUE(m_bar.SetGroupHeaderHeight(NULL, 24));   // every group
    EXPECT_EQ(24, m_bar.GetGroupHeaderHeight(m_b));
    CRect rect;
    m_bar.GetGroupHeaderRect(m_a, &rect);
    EXPECT_EQ(CRect(0, 48, 200, 72), rect) << "the expanded group is the last";
    EXPECT_EQ(m_b, m_bar.FindGroupByText("Bra"));
    EXPECT_EQ(NULL, m_bar.FindGroupByText("Bravissimo"));
    m_bar.SetImageList(NULL);
}

TEST_F(ShortcutBar, MetricChangesReachEveryGroupWindow)
{
    CMessageRecorder rec;
    rec.Watch(m_bar.GetGroupListCtrl(m_b)->GetSafeHwnd(), "list");
    rec.Only({SHBM_SHBINFOCHANGED});
    EXPECT_EQ(0, m_bar.SetHeaderGap(4));
    EXPECT_EQ(4, m_bar.SetHeaderGap(4));   // unchanged: nobody is told
    m_bar.SetBarStyle(SHBS_EDITHEADERS);
    EXPECT_TRUE(rec.Matches({{"list", SHBM_SHBINFOCHANGED, kSent, 0}, {"list", SHBM_SHBINFOCHANGED, kSent, 0}}));
}

TEST_F(ShortcutBar, HeaderDragReordersUnlessRefused)
{
    StartHeaderDrag(m_a);
    ASSERT_EQ(m_a, m_bar.GetDraggedGroup());
    EXPECT_EQ(m_bar.GetSafeHwnd(), ::GetCapture());
    Send(WM_MOUSEMOVE, MK_LBUTTON, HeaderPoint(m_c));
    EXPECT_EQ(m_c, m_bar.GetDropTargetGroup());
    m_host.m_replies[SHBN_DROPGROUP] = 1;
    Send(WM_LBUTTONUP, 0, HeaderPoint(m_c));
    EXPECT_EQ("Alpha Bravo Charlie", Column()) << "refused";
    EXPECT_EQ(NULL, m_bar.GetDraggedGroup());
    EXPECT_NE(m_bar.GetSafeHwnd(), ::GetCapture());

    m_host.m_replies.clear();
    m_host.m_codes.clear();
    StartHeaderDrag(m_a);
    Send(WM_MOUSEMOVE, MK_LBUTTON, HeaderPoint(m_c));
    Send(WM_LBUTTONUP, 0, HeaderPoint(m_c));
    EXPECT_EQ("Charlie Bravo Alpha", Column()) << "the two swap places";
    EXPECT_EQ((std::vector<UINT>{SHBN_BEGINDRAGHEADER, SHBN_BEGINDRAGHEADER, SHBN_DROPGROUP}), m_host.m_codes);

    StartHeaderDrag(m_b);
    Send(WM_LBUTTONUP, 0, HeaderPoint(m_b));
    EXPECT_EQ("Charlie Bravo Alpha", Column()) << "dropped on itself";
}

// The dragged header's picture over another header stays whole when the
// bar repaints under it.
TEST_F(ShortcutBar, TheDraggedHeadersPictureSurvivesARepaint)
{
    m_bar.SetBarStyle(SHBS_DRAWHEADERDRAGIMAGE);
    m_bar.SetGroupHeaderBkColor(m_c, RGB(255, 236, 160));
    StartHeaderDrag(m_a);
    ASSERT_EQ(m_a, m_bar.GetDraggedGroup());
    Send(WM_MOUSEMOVE, MK_LBUTTON, HeaderPoint(m_c) - CPoint(20, 4));
    CRect rect;
    m_bar.GetGroupHeaderRect(m_c, &rect);
    auto pixels = [&] {
        std::vector<COLORREF> v;
        CClientDC dc(&m_bar);
        for (int y = rect.top + 2; y < rect.bottom - 2; y += 3)
            for (int x = rect.left + 2; x < rect.right - 2; x += 3)
                v.push_back(dc.GetPixel(x, y));
        return v;
    };
    const std::vector<COLORREF> withPicture = pixels();
    CImageList::DragShowNolock(FALSE);
    ASSERT_NE(withPicture, pixels()) << "no picture over the header";
    CImageList::DragShowNolock(TRUE);
    m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(withPicture, pixels()) << "the repaint tore the picture";
    m_bar.SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(NULL, m_bar.GetDraggedGroup());
}

// While a header is dragged it keeps its own colours, and its picture
// follows the cursor up and down over the column of headers only: moved
// aside, it neither leaves the bar nor slides off the header under it.
TEST_F(ShortcutBar, TheDraggedHeaderKeepsItsColoursAndItsPictureItsColumn)
{
    m_bar.SetBarStyle(SHBS_DRAWHEADERDRAGIMAGE | SHBS_FLATGROUPBUTTON);
    StartHeaderDrag(m_a);
    ASSERT_EQ(m_a, m_bar.GetDraggedGroup());
    CRect rectC, rectWindow;
    m_bar.GetGroupHeaderRect(m_c, &rectC);
    m_bar.GetWindowRect(&rectWindow);
    CPoint ptHeaderLeft = rectC.TopLeft();
    m_bar.ClientToScreen(&ptHeaderLeft);
    ptHeaderLeft -= rectWindow.TopLeft();
    for (int dx : {-20, 30}) {
        Send(WM_MOUSEMOVE, MK_LBUTTON, HeaderPoint(m_c) + CPoint(dx, -4));
        POINT pt = {}, ptHot = {};
        ASSERT_NE(nullptr, ::ImageList_GetDragImage(&pt, &ptHot));
        EXPECT_EQ(ptHeaderLeft.x, pt.x - ptHot.x) << "moved " << dx << " aside";
        EXPECT_EQ(ptHeaderLeft.y - 4, pt.y - ptHot.y) << "moved " << dx << " aside";
    }

    CImageList::DragShowNolock(FALSE);
    m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CRect rectA;
    m_bar.GetGroupHeaderRect(m_a, &rectA);
    {
        CClientDC dc(&m_bar);
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dc.GetPixel(rectA.CenterPoint().x, rectA.top + 3));
    }
    CImageList::DragShowNolock(TRUE);
    m_bar.SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(NULL, m_bar.GetDraggedGroup());
}

TEST_F(ShortcutBar, HeaderDragEndsWithoutReorderOnEscapeOrWhenTheMouseIsTaken)
{
    m_bar.SetBarStyle(SHBS_DRAWHEADERDRAGIMAGE);
    for (int way = 0; way < 3; ++way) {
        StartHeaderDrag(m_a);
        ASSERT_EQ(m_a, m_bar.GetDraggedGroup()) << way;
        Send(WM_MOUSEMOVE, MK_LBUTTON, HeaderPoint(m_c));
        if (way == 0)
            m_bar.SendMessage(WM_KEYDOWN, VK_ESCAPE);
        else if (way == 1)
            m_host.SetCapture();   // another window takes the mouse
        else
            m_bar.SendMessage(WM_CANCELMODE);
        EXPECT_EQ(NULL, m_bar.GetDraggedGroup()) << way;
        EXPECT_EQ(NULL, m_bar.GetDropTargetGroup()) << way;
        EXPECT_NE(m_bar.GetSafeHwnd(), ::GetCapture()) << way;
        ::ReleaseCapture();
        Send(WM_LBUTTONUP, 0, HeaderPoint(m_c));
        EXPECT_EQ("Alpha Bravo Charlie", Column()) << way;
    }
}

TEST_F(ShortcutBar, HeaderEditingAskedAndEnded)
{
    EXPECT_EQ(nullptr, m_bar.EditGroupHeader(m_b)) << "header editing is off";
    m_bar.SetBarStyle(SHBS_EDITHEADERS);
    m_host.m_replies[SHBN_BEGINGROUPEDIT] = 1;
    EXPECT_EQ(nullptr, m_bar.EditGroupHeader(m_b));
    EXPECT_EQ("Bravo", m_host.m_lastText);
    m_host.m_replies.clear();

    COXSHBEdit* pEdit = m_bar.EditGroupHeader(m_b);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(m_b, m_bar.GetEditedGroup());
    pEdit->SetWindowText("Mail");
    pEdit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ("Mail", std::string(m_bar.GetGroupText(m_b)));
    EXPECT_EQ(NULL, m_bar.GetEditedGroup());

    m_host.m_replies[SHBN_ENDGROUPEDIT] = 1;
    pEdit = m_bar.EditGroupHeader(m_b);
    pEdit->SetWindowText("Post");
    pEdit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ("Mail", std::string(m_bar.GetGroupText(m_b))) << "the owner kept the old text";

    m_host.m_replies.clear();
    pEdit = m_bar.EditGroupHeader(m_b);
    pEdit->SetWindowText("Post");
    pEdit->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ("Mail", m_host.m_lastText) << "a cancel reports the unchanged text";
    EXPECT_EQ("Mail", std::string(m_bar.GetGroupText(m_b)));
}

TEST_F(ShortcutBar, ContextMenuOffersWhatTheStyleAllows)
{
    m_host.m_replies[SHBN_CONTEXTMENU] = 1;   // look at the menu, do not show it
    CPoint pt(100, 100);
    m_bar.ClientToScreen(&pt);
    m_bar.SendMessage(WM_CONTEXTMENU, (WPARAM)m_bar.GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((std::vector<std::string>{"&Large Icons", "&Small Icons"}), m_host.m_menuTexts);

    m_bar.SetBarStyle(SHBS_EDITHEADERS | SHBS_EDITITEMS);
    m_bar.InsertGroupItem(m_a, LVIF_TEXT, 0, "Inbox", 0, 0, 0, 0);
    CRect rect;
    m_bar.GetGroupListCtrl(m_a)->GetItemRect(0, &rect, LVIR_LABEL);
    pt = rect.CenterPoint();
    m_bar.GetGroupListCtrl(m_a)->ClientToScreen(&pt);
    m_bar.SendMessage(WM_CONTEXTMENU, (WPARAM)m_bar.GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((std::vector<std::string>{"&Add New Group", "-", "&Large Icons", "&Small Icons", "-",
                                        "&Remove Group", "Re&name Group", "-", "Rename I&tem", "Remove &Item"}),
              m_host.m_menuTexts);

    m_bar.DeleteAllGroups();
    m_host.m_menuTexts.clear();
    m_bar.SetBarStyle(0);
    m_bar.SendMessage(WM_CONTEXTMENU, (WPARAM)m_bar.GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(m_host.m_menuTexts.empty()) << "no group: an empty menu";
}

TEST_F(ShortcutBar, ContextMenuCommands)
{
    m_bar.SetBarStyle(SHBS_EDITHEADERS);
    m_bar.SendMessage(WM_COMMAND, SHB_IDMSMALLICON);
    EXPECT_EQ(SHB_SMALLICON, m_bar.GetGroupView(m_a));
    m_bar.SendMessage(WM_COMMAND, SHB_IDMLARGEICON);
    EXPECT_EQ(SHB_LARGEICON, m_bar.GetGroupView(m_a));
    m_bar.SendMessage(WM_COMMAND, SHB_IDMADDNEWGROUP);
    EXPECT_EQ(4, m_bar.GetGroupCount());
    HSHBGROUP hNew = m_bar.FindGroupByOrder(3);
    EXPECT_EQ(hNew, m_bar.GetEditedGroup()) << "the new group's header is being edited";
    m_bar.SendMessage(WM_KEYDOWN, VK_ESCAPE);
    // Right-clicked on Bravo's header, then removed.
    m_host.m_replies[SHBN_CONTEXTMENU] = 1;
    CPoint pt = HeaderPoint(m_b);
    m_bar.ClientToScreen(&pt);
    m_bar.SendMessage(WM_CONTEXTMENU, (WPARAM)m_bar.GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(m_b, m_bar.GetContextMenuGroup());
    m_bar.SendMessage(WM_COMMAND, SHB_IDMREMOVEGROUP);
    EXPECT_EQ(3, m_bar.GetGroupCount());
    EXPECT_EQ(nullptr, m_bar.GetGroupListCtrl(m_b));
}

TEST_F(ShortcutBar, SortingItemsKeepsEveryItemWholeAndDeletesNone)
{
    std::string longText(300, 'z');
    m_bar.InsertGroupItem(m_a, LVIF_TEXT | LVIF_PARAM | LVIF_STATE, 0, longText.c_str(), LVIS_CUT, LVIS_CUT, 0,
                          (LPARAM)0x1122334455LL);
    m_bar.InsertGroupItem(m_a, LVIF_TEXT | LVIF_PARAM, 1, "beta", 0, 0, 0, 2);
    m_bar.InsertGroupItem(m_a, LVIF_TEXT | LVIF_PARAM, 2, "alpha", 0, 0, 0, 3);
    m_bar.InsertGroupItem(m_a, LVIF_TEXT | LVIF_PARAM, 3, "alpha", 0, 0, 0, 4);
    m_host.m_codes.clear();
    EXPECT_EQ(0, m_bar.SortGroupItems(m_a));
    for (UINT code : m_host.m_codes)
        EXPECT_TRUE(code != SHBN_DELETEITEM && code != SHBN_DELETEALLITEMS && code != SHBN_INSERTITEM) << code;
    COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(m_a);
    ASSERT_EQ(4, pList->GetItemCount());
    EXPECT_EQ("alpha", std::string(pList->GetItemText(0, 0)));
    EXPECT_EQ(3u, pList->GetItemData(0));
    EXPECT_EQ(4u, pList->GetItemData(1)) << "equal texts both come back";
    EXPECT_EQ("beta", std::string(pList->GetItemText(2, 0)));
    EXPECT_EQ(longText, std::string(pList->GetItemText(3, 0)));
    EXPECT_EQ((DWORD_PTR)0x1122334455LL, pList->GetItemData(3));
    EXPECT_EQ((UINT)LVIS_CUT, pList->GetItemState(3, LVIS_CUT));
    EXPECT_EQ(-1, m_bar.SortGroupItems((HSHBGROUP)99));
}

}  // namespace
namespace {
TEST_F(ShortcutBar, HeadersArePaintedInTheirColours)
{
    m_bar.SetGroupHeaderBkColor(m_b, RGB(10, 200, 30));
    m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CClientDC dc(&m_bar);
    CRect rect;
    m_bar.GetGroupHeaderRect(m_b, &rect);
    EXPECT_EQ(RGB(10, 200, 30), dc.GetPixel(rect.left + 3, rect.top + 3));
    m_bar.GetGroupHeaderRect(m_a, &rect);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dc.GetPixel(rect.left + 3, rect.top + 3));
}
}  // namespace
namespace {
TEST_F(ShortcutBar, AGroupWithAnImageNeedsNoExpandedImage)
{
    CImageList images;
    images.Create(16, 16, ILC_COLOR24, 2, 0);
    CClientDC dc(&m_bar);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 32, 16);
    images.Add(&bmp, (CBitmap*)NULL);
    m_bar.SetImageList(&images);
    HSHBGROUP h = m_bar.InsertGroup("Pictures", -1, 1);
    ASSERT_NE((HSHBGROUP)NULL, h);
    EXPECT_EQ(1, m_bar.GetGroupImageExpanded(h));
    HSHBGROUP h2 = m_bar.InsertGroup("Both", -1, 1, 0);
    EXPECT_EQ(0, m_bar.GetGroupImageExpanded(h2));
    m_bar.SetImageList(NULL);
}
}  // namespace
namespace {
TEST_F(ShortcutBar, TooltipTextsComeFromTheOwner)
{
    m_bar.SetBarStyle(SHBS_INFOTIP);
    TOOLINFO ti = {};
    EXPECT_EQ((INT_PTR)m_b, m_bar.OnToolHitTest(HeaderPoint(m_b), &ti));
    EXPECT_EQ(LPSTR_TEXTCALLBACK, ti.lpszText);
    EXPECT_EQ(-1, m_bar.OnToolHitTest(CPoint(100, 100), &ti)) << "only on headers";

    NMTTDISPINFOA a = {};
    a.hdr.hwndFrom = (HWND)0x1;
    a.hdr.idFrom = (UINT_PTR)m_b;
    a.hdr.code = TTN_NEEDTEXTA;
    m_bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&a);
    EXPECT_STREQ("tip 2/-1", a.lpszText);
    NMTTDISPINFOW w = {};
    w.hdr.hwndFrom = (HWND)0x1;
    w.hdr.idFrom = (UINT_PTR)m_c;
    w.hdr.code = TTN_NEEDTEXTW;
    m_bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&w);
    EXPECT_STREQ(L"tip 3/-1", w.lpszText);

    // An item of a group's list: its tip is asked for through the bar.
    m_bar.InsertGroupItem(m_a, LVIF_TEXT, 0, "Inbox", 0, 0, 0, 0);
    COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(m_a);
    NMTTDISPINFOA item = {};
    item.hdr.hwndFrom = (HWND)0x1;
    item.hdr.idFrom = 1;   // item 0
    item.hdr.code = TTN_NEEDTEXTA;
    pList->SendMessage(WM_NOTIFY, 0, (LPARAM)&item);
    EXPECT_STREQ("tip 1/0", item.lpszText);
}
}  // namespace
namespace {
TEST_F(ShortcutBar, AnOleDragRestingOnAHeaderExpandsItsGroup)
{
    m_bar.SetHoverExpandDelay(200);   // a quarter of it during a drag
    OXDRAGDROPMESSAGE rec = {};
    rec.pWnd = &m_bar;
    CPoint pt = HeaderPoint(m_c);
    rec.x = pt.x;
    rec.y = pt.y;
    rec.result = DROPEFFECT_COPY;
    CPoint ptScreen(pt);
    m_bar.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    EXPECT_EQ(1, (int)m_bar.SendMessage(SHBDTM_DRAGOVER, 0, (LPARAM)&rec));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, rec.result) << "the headers take no drops";
    EXPECT_TRUE(PumpUntil([&] { return m_bar.GetExpandedGroup() == m_c; }, kWaitMs));

    m_bar.SetBarStyle(SHBS_DISABLEDRAGDROP);
    rec.x = HeaderPoint(m_b).x;
    rec.y = HeaderPoint(m_b).y;
    EXPECT_EQ(0, (int)m_bar.SendMessage(SHBDTM_DRAGOVER, 0, (LPARAM)&rec));
    EXPECT_EQ(0u, (UINT)m_bar.m_nExpandTimer) << "no expansion on its way";
    EXPECT_EQ(NULL, m_bar.m_hPendingExpand);
    EXPECT_EQ(m_c, m_bar.GetExpandedGroup());
}
}  // namespace
