// Reflection: a control sees its own notifications first; plain _REFLECT
// entries consume them, _REFLECT_EX entries returning FALSE let the parent
// have them too. Owner-draw and colour messages reach the control the same way.
#include "wnd_test.h"

namespace {

enum { IDC_EX_BUTTON = 5101, IDC_PLAIN_BUTTON, IDC_LIST, IDC_STATIC_COLOR, IDC_OWNERDRAW };

CCallLog g_log;

class CParentWnd : public CWnd
{
public:
    BOOL m_bLogColors = FALSE;

protected:
    afx_msg void OnExClicked() { g_log.Add("parent: ex clicked"); }
    afx_msg void OnPlainClicked() { g_log.Add("parent: plain clicked"); }
    afx_msg void OnListClick(NMHDR*, LRESULT* pResult)
    {
        g_log.Add("parent: list click");
        *pResult = 3;
    }
    afx_msg void OnListDblClk(NMHDR*, LRESULT*) { g_log.Add("parent: list dblclk"); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        // the default reflects to the control first
        HBRUSH hbr = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
        if (m_bLogColors)
            g_log.Add(Fmt("parent: ctlcolor white=%d", hbr == (HBRUSH)::GetStockObject(WHITE_BRUSH)));
        return hbr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(IDC_EX_BUTTON, &CParentWnd::OnExClicked)
    ON_BN_CLICKED(IDC_PLAIN_BUTTON, &CParentWnd::OnPlainClicked)
    ON_NOTIFY(NM_CLICK, IDC_LIST, &CParentWnd::OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST, &CParentWnd::OnListDblClk)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// Handles BN_CLICKED itself; m_bConsume decides whether the parent hears of it.
class CExButton : public CWnd
{
public:
    BOOL m_bConsume = FALSE;

protected:
    afx_msg BOOL OnClicked()
    {
        g_log.Add(Fmt("button: ex clicked consume=%d", m_bConsume));
        return m_bConsume;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CExButton::OnClicked)
END_MESSAGE_MAP()

class CPlainButton : public CWnd
{
protected:
    afx_msg void OnClicked() { g_log.Add("button: plain clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlainButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, &CPlainButton::OnClicked)
END_MESSAGE_MAP()

// NM_CLICK consumed (with a result); NM_DBLCLK seen and passed on.
class CReflectingList : public CWnd
{
protected:
    afx_msg void OnClick(NMHDR*, LRESULT* pResult)
    {
        g_log.Add("list: click");
        *pResult = 7;
    }
    afx_msg BOOL OnDblClk(NMHDR*, LRESULT*)
    {
        g_log.Add("list: dblclk");
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingList, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, &CReflectingList::OnClick)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &CReflectingList::OnDblClk)
END_MESSAGE_MAP()

// Colours itself when m_hbr is set; NULL leaves it to the parent.
class CColorStatic : public CWnd
{
public:
    HBRUSH m_hbr = NULL;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        g_log.Add(Fmt("static: ctlcolor type=%u dc=%d", nCtlColor, pDC != NULL));
        return m_hbr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorStatic, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class COwnerDrawButton : public CWnd
{
public:
    UINT m_nDrawnItemState = 0xFFFF;

protected:
    afx_msg void DrawItem(LPDRAWITEMSTRUCT lpDIS)
    {
        m_nDrawnItemState = lpDIS->itemState;
        g_log.Add("button: draw item");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerDrawButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class WndReflectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.Clear();
        ASSERT_TRUE(CreateTopLevel(m_parent, "parent", WS_POPUP | WS_VISIBLE));
        CRect rc(0, 0, 60, 20);
        ASSERT_TRUE(m_exButton.Create("BUTTON", "ex", WS_VISIBLE | BS_PUSHBUTTON, rc, &m_parent, IDC_EX_BUTTON));
        ASSERT_TRUE(m_plainButton.Create("BUTTON", "plain", WS_VISIBLE | BS_PUSHBUTTON, CRect(70, 0, 130, 20),
                                         &m_parent, IDC_PLAIN_BUTTON));
        ASSERT_TRUE(m_list.Create("STATIC", "", 0, CRect(0, 30, 60, 50), &m_parent, IDC_LIST));
        ASSERT_TRUE(m_static.Create("STATIC", "text", WS_VISIBLE, CRect(0, 60, 60, 80), &m_parent, IDC_STATIC_COLOR));
        ASSERT_TRUE(m_ownerDraw.Create("BUTTON", "", BS_OWNERDRAW, CRect(0, 90, 60, 110), &m_parent, IDC_OWNERDRAW));
        g_log.Clear();
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    LRESULT SendCommand(CWnd& ctl, UINT nCode)
    {
        return m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(ctl.GetDlgCtrlID(), nCode), (LPARAM)ctl.m_hWnd);
    }
    LRESULT SendNotify(CWnd& ctl, int nCode)
    {
        NMHDR nm = { ctl.m_hWnd, (UINT_PTR)ctl.GetDlgCtrlID(), (UINT)nCode };
        return m_parent.SendMessage(WM_NOTIFY, nm.idFrom, (LPARAM)&nm);
    }

    CParentWnd m_parent;
    CExButton m_exButton;
    CPlainButton m_plainButton;
    CReflectingList m_list;
    CColorStatic m_static;
    COwnerDrawButton m_ownerDraw;
};

TEST_F(WndReflectionTest, ControlNotificationGoesToTheControlFirst)
{
    m_exButton.m_bConsume = FALSE;
    SendCommand(m_exButton, BN_CLICKED);
    EXPECT_EQ(g_log.Joined(), "button: ex clicked consume=0 | parent: ex clicked");

    g_log.Clear();
    m_exButton.m_bConsume = TRUE;
    SendCommand(m_exButton, BN_CLICKED);
    EXPECT_EQ(g_log.Joined(), "button: ex clicked consume=1");

    g_log.Clear();
    SendCommand(m_plainButton, BN_CLICKED);
    EXPECT_EQ(g_log.Joined(), "button: plain clicked");
}

TEST_F(WndReflectionTest, RealButtonClickTakesTheSameRoad)
{
    m_exButton.m_bConsume = FALSE;
    m_exButton.SendMessage(BM_CLICK);
    PumpMessagesFor(20);
    std::string clicks;
    for (const std::string& line : g_log.lines)
        if (line.find("clicked") != std::string::npos)
            clicks += (clicks.empty() ? "" : " | ") + line;
    EXPECT_EQ(clicks, "button: ex clicked consume=0 | parent: ex clicked");
}

TEST_F(WndReflectionTest, NotifyReflectConsumesAndReflectExPassesOn)
{
    EXPECT_EQ(SendNotify(m_list, NM_CLICK), 7);
    EXPECT_EQ(g_log.Joined(), "list: click");

    g_log.Clear();
    SendNotify(m_list, NM_DBLCLK);
    EXPECT_EQ(g_log.Joined(), "list: dblclk | parent: list dblclk");
}

TEST_F(WndReflectionTest, ControlColourFromTheControlOrElseTheParent)
{
    HDC hdc = ::GetDC(m_static.m_hWnd);
    m_parent.m_bLogColors = TRUE;
    m_static.m_hbr = (HBRUSH)::GetStockObject(WHITE_BRUSH);
    LRESULT lResult = m_parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)m_static.m_hWnd);
    EXPECT_EQ((HBRUSH)lResult, m_static.m_hbr);
    EXPECT_EQ(g_log.Joined(), Fmt("static: ctlcolor type=%u dc=1 | parent: ctlcolor white=1", (unsigned)CTLCOLOR_STATIC));

    g_log.Clear();
    m_static.m_hbr = NULL;
    lResult = m_parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)m_static.m_hWnd);
    EXPECT_NE((HBRUSH)lResult, (HBRUSH)NULL);   // the system's default colour
    EXPECT_NE((HBRUSH)lResult, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(g_log.Joined(), Fmt("static: ctlcolor type=%u dc=1 | parent: ctlcolor white=0", (unsigned)CTLCOLOR_STATIC));
    ::ReleaseDC(m_static.m_hWnd, hdc);
}

TEST_F(WndReflectionTest, OwnerDrawGoesToTheControl)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = IDC_OWNERDRAW;
    dis.hwndItem = m_ownerDraw.m_hWnd;
    dis.itemState = ODS_FOCUS;
    dis.hDC = ::GetDC(m_ownerDraw.m_hWnd);
    EXPECT_EQ(m_parent.SendMessage(WM_DRAWITEM, IDC_OWNERDRAW, (LPARAM)&dis), TRUE);
    ::ReleaseDC(m_ownerDraw.m_hWnd, dis.hDC);
    EXPECT_EQ(g_log.Joined(), "button: draw item");
    EXPECT_EQ(m_ownerDraw.m_nDrawnItemState, (UINT)ODS_FOCUS);

    // the real control asks to be drawn when shown
    g_log.Clear();
    m_ownerDraw.ShowWindow(SW_SHOW);
    m_ownerDraw.UpdateWindow();
    PumpMessagesFor(20);
    EXPECT_NE(g_log.Joined().find("button: draw item"), std::string::npos) << g_log.Joined();
}

// ---------------------------------------------------------------------------
// Owner-drawn menu items are measured and drawn by their permanent CMenu
// ---------------------------------------------------------------------------

class COwnerDrawMenu : public CMenu
{
public:
    CCallLog m_log;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        m_log.Add(Fmt("measure %u", lpMIS->itemID));
        lpMIS->itemWidth = 80;
        lpMIS->itemHeight = 18;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { m_log.Add(Fmt("draw %u", lpDIS->itemID)); }
};

// Closes the tracked menu once it has been measured.
TEST(WndOwnerDrawMenu, TrackedPopupItemsReachTheMenuObject)
{
    CWnd owner;
    ASSERT_TRUE(CreateTopLevel(owner, "menu owner", WS_POPUP | WS_VISIBLE));
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_OWNERDRAW, 6001, (LPCTSTR)(UINT_PTR)1);
    menu.AppendMenu(MF_OWNERDRAW, 6002, (LPCTSTR)(UINT_PTR)2);

    // sent as the system sends them, without tracking
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = 6002;
    owner.SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
    owner.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
    EXPECT_EQ(mis.itemWidth, 80u);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = 6001;
    dis.hwndItem = (HWND)menu.m_hMenu;
    owner.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
    EXPECT_EQ(menu.m_log.Joined(), "measure 6002 | draw 6001");

    // a real popup tracked with the Win32 call
    menu.m_log.Clear();
    ::SetForegroundWindow(owner.m_hWnd);
    CMenuWatch watch([](HWND) { ::EndMenu(); });
    ::TrackPopupMenu(menu.m_hMenu, TPM_LEFTALIGN | TPM_RETURNCMD, 10, 10, 0, owner.m_hWnd, NULL);
    EXPECT_TRUE(watch.Acted()) << "the menu never showed";
    EXPECT_NE(menu.m_log.Joined().find("measure 6001"), std::string::npos) << menu.m_log.Joined();
    menu.DestroyMenu();
    owner.DestroyWindow();
}

}  // namespace
