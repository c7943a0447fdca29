// The cool combo under real messages: its edit and list made cool, hot while
// the focus is in its edit field even with the mouse away, flat frame and
// raised button drawn, the tooltip passed to its parts, and the selection
// field following the font.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXCoolComboBox.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class COXCoolComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "combos", WS_POPUP | WS_VISIBLE, CRect(300, 300, 700, 600)));
        ::SetForegroundWindow(m_host.m_hWnd);
        m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 200, 150, 224), &m_host, 2);
        ::SetCursorPos(5, 5);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CWnd m_host;
    CEdit m_other;
};

TEST_F(COXCoolComboBoxTest, EditFocusKeepsTheComboHot)
{
    COXCoolComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, CRect(10, 10, 210, 200), &m_host, 1));
    ASSERT_TRUE(::IsWindow(combo.GetEdit().m_hWnd));   // the edit is a cool control
    EXPECT_EQ(combo.GetEdit().m_pCombo, &combo);
    m_other.SetFocus();
    EXPECT_FALSE(combo.IsHot());
    combo.GetEdit().SetFocus();
    EXPECT_TRUE(combo.IsHot());
    combo.SetHotState(FALSE);   // the mouse leaving changes nothing
    EXPECT_TRUE(combo.IsHot());
    m_other.SetFocus();
    EXPECT_FALSE(combo.IsHot());
}

TEST_F(COXCoolComboBoxTest, HoverMakesHotAndTheFrameSunken)
{
    COXCoolComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(10, 10, 210, 200), &m_host, 1));
    combo.AddString("Alpha");
    combo.SetCurSel(0);
    m_other.SetFocus();
    combo.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    {
        CClientDC dc(&combo);
        EXPECT_EQ(dc.GetPixel(5, 0), ::GetSysColor(COLOR_BTNFACE));   // idle: flat
    }
    CRect button = combo.GetButtonRect();
    CPoint pt = button.CenterPoint();
    combo.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    combo.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
    EXPECT_TRUE(combo.IsHot());
    EXPECT_TRUE(PumpUntil([&] {
        CClientDC dc(&combo);
        return dc.GetPixel(5, 0) == ::GetSysColor(COLOR_BTNSHADOW);
    }, kWaitMs)) << "repainted hot";
    {
        CClientDC dc(&combo);
        EXPECT_EQ(dc.GetPixel(5, 0), ::GetSysColor(COLOR_BTNSHADOW));        // sunken top edge
        EXPECT_EQ(dc.GetPixel(button.left + 1, button.top + 3), ::GetSysColor(COLOR_BTNHIGHLIGHT));   // raised button
    }
    ::SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return !combo.IsHot(); }, kWaitMs));
}

TEST_F(COXCoolComboBoxTest, SimpleComboHasNoButton)
{
    COXCoolComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_SIMPLE, CRect(10, 10, 210, 120), &m_host, 1));
    EXPECT_TRUE(combo.GetButtonRect().IsRectEmpty());
    COXCoolComboBox drop;
    ASSERT_TRUE(drop.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 130, 210, 300), &m_host, 3));
    CRect client, button = drop.GetButtonRect();
    drop.GetClientRect(&client);
    EXPECT_EQ(button.right, client.right - 2);
    EXPECT_EQ(button.Width(), ::GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(button.top, 2);
}

// Idle, a simple combo's field has the flat frame that parts it from the list,
// and what lies under a list kept to whole items is painted too.
TEST_F(COXCoolComboBoxTest, SimpleComboPaintsItsFrameAndBelowItsList)
{
    COXCoolComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_SIMPLE, CRect(10, 10, 210, 100), &m_host, 1));
    combo.AddString("one");
    combo.AddString("two");
    m_other.SetFocus();
    HWND hList = ::GetDlgItem(combo.m_hWnd, 1000);
    ASSERT_NE(hList, (HWND)NULL);
    CRect client, list, edit;
    combo.GetClientRect(&client);
    ::GetWindowRect(hList, &list);
    combo.ScreenToClient(&list);
    combo.GetEdit().GetWindowRect(&edit);
    combo.ScreenToClient(&edit);
    ASSERT_LT(list.bottom, client.bottom) << "the list keeps to whole items";
    combo.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CClientDC dc(&combo);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(dc.GetPixel(client.Width() / 2, client.bottom - 1), clrFace) << "under the list";
    EXPECT_EQ(dc.GetPixel(client.Width() / 2, edit.bottom + 1), clrFace) << "the field's frame";
    EXPECT_EQ(dc.GetPixel(client.Width() / 2, 0), clrFace);
}

TEST_F(COXCoolComboBoxTest, TooltipReachesEditAndCombo)
{
    COXCoolComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 210, 200), &m_host, 1));
    EXPECT_TRUE(combo.SetTooltipText("Keyword history"));
    CString text;
    combo.GetTooltipText(text);
    EXPECT_EQ(text, "Keyword history");
    combo.GetEdit().GetTooltipText(text);
    EXPECT_EQ(text, "Keyword history");
}

TEST_F(COXCoolComboBoxTest, SelectionFieldFollowsTheFont)
{
    COXCoolComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(10, 10, 210, 200), &m_host, 1));
    CFont font;
    font.CreatePointFont(140, "Tahoma");
    combo.SetFont(&font);
    CClientDC dc(&combo);
    dc.SelectObject(&font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    // What the system reads back for a field set to the font height + 1 (it
    // may add padding of its own).
    CComboBox plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(220, 10, 300, 200), &m_host, 4));
    plain.SendMessage(CB_SETITEMHEIGHT, (WPARAM)-1, tm.tmHeight + 1);
    EXPECT_EQ(combo.SendMessage(CB_GETITEMHEIGHT, (WPARAM)-1, 0), plain.SendMessage(CB_GETITEMHEIGHT, (WPARAM)-1, 0));
}

TEST(COXCoolComboArrow, PointsAndTheDroppedShift)
{
    POINT pts[3];
    COXCoolComboBox::ArrowPoints(CRect(100, 2, 117, 20), FALSE, pts);
    // w 17: x1 105, x2 100+11+1=112 (odd span 7 -> 111), xm 108, d 6, y 2+10-1-1=10
    EXPECT_EQ(pts[0].x, 105);
    EXPECT_EQ(pts[1].x, 111);
    EXPECT_EQ(pts[2].x, 108);
    EXPECT_EQ(pts[0].y, 10);
    EXPECT_EQ(pts[2].y, 13);
    POINT dropped[3];
    COXCoolComboBox::ArrowPoints(CRect(100, 2, 117, 20), TRUE, dropped);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dropped[i].x, pts[i].x + 1);
        EXPECT_EQ(dropped[i].y, pts[i].y + 1);
    }
}

}  // namespace
