// Item tips over real controls: what each query answers for a point, the
// parent's last word, the tip shown over the cell and kept on the screen,
// and clicks passed through to the control beneath.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXItemTip.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const char kLong[] = "A long phrase that the narrow column cannot show whole";

// The parent: may turn any answer into another (the last word).
int g_parentResult = 0;
LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_NOTIFY && ((NMHDR*)l)->code == OXITN_GETITEMTIPINFO && g_parentResult != 0)
        ((NMOXITEMTIP*)l)->info.result = g_parentResult;
    return ::DefWindowProcA(h, m, w, l);
}

class COXItemTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_parentResult = 0;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "OXItemTipParent";
        ::RegisterClassA(&wc);
        m_hParent = ::CreateWindowExA(0, "OXItemTipParent", "tips", WS_POPUP | WS_VISIBLE, 100, 100, 500, 300, NULL,
                                      NULL, NULL, NULL);
        ::SetActiveWindow(m_hParent);
        m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | WS_BORDER, CRect(10, 10, 310, 210),
                      CWnd::FromHandle(m_hParent), 100);
        m_list.InsertColumn(0, "Keyword", LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, "Queries", LVCFMT_LEFT, 90);
        m_list.InsertItem(0, "short");
        m_list.SetItemText(0, 1, kLong);
        m_list.InsertItem(1, kLong);
        m_list.SetItemText(1, 1, "12");
        m_tip.Attach(&m_list);
    }
    void TearDown() override
    {
        m_tip.Detach();
        ::DestroyWindow(m_hParent);
    }
    CPoint CellPoint(int row, int col)
    {
        CRect r;
        m_list.GetSubItemRect(row, col, LVIR_BOUNDS, r);
        if (col == 0)
            m_list.GetItemRect(row, r, LVIR_LABEL);
        return r.CenterPoint();
    }

    HWND m_hParent = NULL;
    CListCtrl m_list;
    COXItemTip m_tip;
};

TEST_F(COXItemTipTest, AnswersByPointAndView)
{
    OXITEMTIPINFO info = m_tip.Query(CellPoint(0, 1));
    EXPECT_EQ(info.result, OXITEMTIP_SHOW);
    EXPECT_EQ(info.row, 0);
    EXPECT_EQ(info.col, 1);
    EXPECT_STREQ(info.szText, kLong);
    EXPECT_EQ(info.nMargin, 6);
    CRect cell;
    m_list.GetSubItemRect(0, 1, LVIR_BOUNDS, cell);
    EXPECT_EQ(info.rectItem.left, cell.left);
    EXPECT_GT(info.rectItem.right - info.rectItem.left, 90);   // the whole text's width
    EXPECT_EQ(info.clrText, m_list.GetTextColor());

    info = m_tip.Query(CellPoint(0, 0));   // "short" fits
    EXPECT_EQ(info.result, OXITEMTIP_NOTHING);
    info = m_tip.Query(CellPoint(1, 0));   // over the label of column 0: half the margin
    EXPECT_EQ(info.result, OXITEMTIP_SHOW);
    EXPECT_EQ(info.nMargin, 3);
    info = m_tip.Query(CPoint(250, 150));   // no item there
    EXPECT_EQ(info.result, OXITEMTIP_NOITEM);

    // The parent has the last word.
    g_parentResult = OXITEMTIP_NOTHING;
    EXPECT_EQ(m_tip.Query(CellPoint(0, 1)).result, OXITEMTIP_NOTHING);
    g_parentResult = 0;

    m_list.ModifyStyle(LVS_TYPEMASK, LVS_LIST);
    EXPECT_EQ(m_tip.Query(CellPoint(0, 0)).result, OXITEMTIP_UNSUPPORTED);
    m_list.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
    m_list.DeleteAllItems();
    EXPECT_EQ(m_tip.Query(CPoint(20, 30)).result, OXITEMTIP_NOITEM);
}

TEST_F(COXItemTipTest, TextsAreCutTo299AndClippedCellsStillShow)
{
    std::string huge(400, 'x');
    m_list.SetItemText(0, 1, huge.c_str());
    OXITEMTIPINFO info = m_tip.Query(CellPoint(0, 1));
    EXPECT_EQ(strlen(info.szText), 299u);
    // A fitting text scrolled partly out of the client area.
    m_list.SetItemText(0, 1, "fits cell");   // fits its 90 pixels, past the list's edge
    m_list.SetColumnWidth(0, 270);
    CPoint pt = CellPoint(0, 1);
    pt.x = 295;   // the visible part of the cell
    EXPECT_EQ(m_tip.Query(pt).result, OXITEMTIP_SHOW);
}

TEST_F(COXItemTipTest, TheTipShowsOverTheCellAndClicksGoThrough)
{
    CPoint pt = CellPoint(0, 1);
    CPoint screen = pt;
    m_list.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    // A move with a button down never opens a tip.
    m_list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(m_tip.GetTipWnd().IsWindowVisible());
    OXITEMTIPINFO info = m_tip.Query(pt);
    ASSERT_EQ(info.result, OXITEMTIP_SHOW);
    m_tip.GetTipWnd().Display(&info.rectItem, info.szText, info.nMargin, info.nAlignment, info.pFont, info.clrText,
                              info.clrBack);
    ASSERT_TRUE(m_tip.GetTipWnd().IsWindowVisible());
    CRect tipRect, cell;
    m_tip.GetTipWnd().GetWindowRect(&tipRect);
    m_list.GetSubItemRect(0, 1, LVIR_BOUNDS, cell);
    m_list.ClientToScreen(&cell);
    EXPECT_EQ(tipRect.left, cell.left);
    EXPECT_EQ(tipRect.top, cell.top);

    // A click on the tip reaches the list at the same screen place.
    CPoint onTip(tipRect.left + 5, tipRect.top + 3);
    CPoint tipClient = onTip;
    m_tip.GetTipWnd().ScreenToClient(&tipClient);
    MSG click = {m_tip.GetTipWnd().GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tipClient.x, tipClient.y)};
    EXPECT_TRUE(m_tip.GetTipWnd().PreTranslateMessage(&click));
    EXPECT_FALSE(m_tip.GetTipWnd().IsWindowVisible());
    MSG posted;
    CPoint listPoint = onTip;
    m_list.ScreenToClient(&listPoint);
    ASSERT_TRUE(::PeekMessageA(&posted, m_list.GetSafeHwnd(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(posted.lParam, MAKELPARAM(listPoint.x, listPoint.y));
}

TEST(OXItemTipVariants, ListBoxEditAndComboAnswers)
{
    CWnd host;
    ASSERT_TRUE(CreateHostWindow(host, "variants", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300)));
    CListBox list;
    list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 80, 100), &host, 1);
    list.AddString(kLong);
    list.AddString("ok");
    COXListBoxTip listTip;
    listTip.Attach(&list);
    CRect item;
    list.GetItemRect(0, &item);
    OXITEMTIPINFO info = listTip.Query(item.CenterPoint());
    EXPECT_EQ(info.result, OXITEMTIP_SHOW);
    EXPECT_EQ(info.nMargin, 2);
    list.GetItemRect(1, &item);
    EXPECT_EQ(listTip.Query(item.CenterPoint()).result, OXITEMTIP_NOTHING);
    EXPECT_EQ(listTip.Query(CPoint(40, 95)).result, OXITEMTIP_NOITEM);

    CEdit edit;
    edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 120, 60, 140), &host, 2);
    edit.SetWindowText(kLong);
    COXEditTip editTip;
    editTip.Attach(&edit);
    EXPECT_EQ(editTip.Query(CPoint(5, 5)).result, OXITEMTIP_SHOW);
    edit.SetWindowText("");
    EXPECT_EQ(editTip.Query(CPoint(5, 5)).result, OXITEMTIP_NOTHING);

    CComboBox combo;
    combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(100, 0, 180, 100), &host, 3);
    COXComboBoxTip comboTip;
    comboTip.Attach(&combo);
    EXPECT_EQ(comboTip.Query(CPoint(5, 5)).result, OXITEMTIP_UNSUPPORTED);

    listTip.Detach();
    editTip.Detach();
    comboTip.Detach();
    host.DestroyWindow();
}

} // namespace
