// The cool look under real messages: hot on focus and hover, cold when both
// have gone, the hover timer's own id kept from the control, the tooltip's
// one tool, and the flat scroll bar's arithmetic as a table.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "OXCoolCtrl.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// An edit that counts the timer messages its own class sees.
class CCountingEdit : public CEdit
{
public:
    int m_nTimers = 0;
    UINT_PTR m_lastTimer = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER) {
            ++m_nTimers;
            m_lastTimer = wParam;
        }
        return CEdit::WindowProc(message, wParam, lParam);
    }
};

class COXCoolCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "cool", WS_POPUP | WS_VISIBLE, CRect(400, 300, 700, 500)));
        ::SetForegroundWindow(m_host.m_hWnd);
        m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 100, 150, 124), &m_host, 2);
        ::SetCursorPos(5, 5);   // away from everything
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CWnd m_host;
    CEdit m_other;
};

TEST_F(COXCoolCtrlTest, FocusMakesHotAndLeavingMakesCold)
{
    COXCoolCtrl<CEdit> edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), &m_host, 1));
    EXPECT_FALSE(edit.IsHot());
    ASSERT_TRUE(::IsWindow(edit.GetToolTip().m_hWnd));   // initialised on WM_CREATE

    m_other.SetFocus();
    edit.SetFocus();
    EXPECT_TRUE(edit.IsHot());
    // The mouse leaving does not cool a control that holds the focus.
    edit.SetHotState(FALSE);
    EXPECT_TRUE(edit.IsHot());
    m_other.SetFocus();
    EXPECT_FALSE(edit.IsHot());
}

TEST_F(COXCoolCtrlTest, HoverStartsTheTimerAndLeavingStopsIt)
{
    COXCoolCtrl<CEdit> edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), &m_host, 1));
    CRect rect;
    edit.GetWindowRect(&rect);
    ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
    edit.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(edit.IsMouseOver());
    EXPECT_TRUE(edit.IsHot());
    EXPECT_EQ(edit.GetHoverTimerID(), (UINT_PTR)OXCOOL_TIMER_ID);

    ::SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return !edit.IsMouseOver(); }, kWaitMs));
    EXPECT_FALSE(edit.IsHot());
    EXPECT_EQ(edit.GetHoverTimerID(), (UINT_PTR)0);
}

TEST_F(COXCoolCtrlTest, OnlyOtherTimersReachTheControl)
{
    COXCoolCtrl<CCountingEdit> edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), &m_host, 1));
    edit.SendMessage(WM_TIMER, OXCOOL_TIMER_ID, 0);
    EXPECT_EQ(edit.m_nTimers, 0);
    edit.SendMessage(WM_TIMER, 77, 0);
    EXPECT_EQ(edit.m_nTimers, 1);
    EXPECT_EQ(edit.m_lastTimer, (UINT_PTR)77);
}

TEST_F(COXCoolCtrlTest, CoolStateOnWithTheFocusMakesHotAtOnce)
{
    COXCoolCtrl<CEdit> edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), &m_host, 1));
    edit.SetCoolState(FALSE);
    edit.SetFocus();              // not cool: focus changes nothing
    EXPECT_FALSE(edit.IsHot());
    edit.SetCoolState(TRUE);
    EXPECT_TRUE(edit.IsHot());
}

TEST_F(COXCoolCtrlTest, SubclassingInitialisesOnceAndTheObjectCanServeAgain)
{
    CWnd* pWnd = &m_other;
    HWND hOther = pWnd->m_hWnd;
    m_other.UnsubclassWindow();
    COXCoolCtrl<CEdit> edit;
    ASSERT_TRUE(edit.SubclassWindow(hOther));
    EXPECT_TRUE(::IsWindow(edit.GetToolTip().m_hWnd));
    edit.DestroyWindow();
    EXPECT_FALSE(::IsWindow(edit.GetToolTip().GetSafeHwnd()));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), &m_host, 1));
    EXPECT_TRUE(::IsWindow(edit.GetToolTip().m_hWnd));
}

TEST_F(COXCoolCtrlTest, TooltipHasOneToolThatFollowsTheText)
{
    COXCoolCtrl<CEdit> edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), &m_host, 1));
    CString text;
    ASSERT_TRUE(edit.GetTooltipText(text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(edit.SetTooltipText("Seed keyword"));
    EXPECT_TRUE(edit.GetTooltipText(text));
    EXPECT_EQ(text, "Seed keyword");
    EXPECT_EQ(edit.GetToolTip().GetToolCount(), 1);
    EXPECT_TRUE(edit.SetTooltipText("Other"));
    EXPECT_EQ(edit.GetToolTip().GetToolCount(), 1);
    // A resize keeps the text over the new client rectangle.
    edit.MoveWindow(10, 10, 200, 30);
    EXPECT_TRUE(edit.GetTooltipText(text));
    EXPECT_EQ(text, "Other");
    EXPECT_TRUE(edit.SetTooltipText(""));
    EXPECT_EQ(edit.GetToolTip().GetToolCount(), 0);

    COXCoolCtrl<CEdit> bare;   // no window, no tooltip
    EXPECT_FALSE(bare.SetTooltipText("x"));
    EXPECT_FALSE(bare.GetTooltipText(text));
}

TEST_F(COXCoolCtrlTest, AncestryWalksParentsAndOwners)
{
    COXCoolCtrl<CEdit> edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), &m_host, 1));
    EXPECT_TRUE(IsAncestorOrSelf(&m_host, &edit));
    EXPECT_TRUE(IsAncestorOrSelf(&edit, &edit));
    EXPECT_FALSE(IsAncestorOrSelf(&edit, &m_host));
    EXPECT_FALSE(IsAncestorOrSelf(&edit, &m_other));
    EXPECT_FALSE(IsAncestorOrSelf(&edit, NULL));
    EXPECT_TRUE(IsEditClassWindow(edit.m_hWnd));
    EXPECT_FALSE(IsComboBoxClassWindow(edit.m_hWnd));
}

TEST_F(COXCoolCtrlTest, BorderIsTwoRingsColdAndSunkenHot)
{
    // An edit draws WS_BORDER inside its client area: only an edged one has
    // a non-client border to paint.
    COXCoolCtrl<CEdit> edit;
    ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 34), &m_host, 1));
    PumpMessagesFor(50);
    edit.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    {
        CWindowDC dc(&edit);
        EXPECT_EQ(dc.GetPixel(0, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(dc.GetPixel(1, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    m_other.SetFocus();
    edit.SetFocus();
    ASSERT_TRUE(edit.IsHot());
    edit.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    {
        CWindowDC dc(&edit);
        EXPECT_EQ(dc.GetPixel(0, 5), ::GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(dc.GetPixel(1, 5), ::GetSysColor(COLOR_3DDKSHADOW));
    }
    COXCoolCtrl<CEdit> bare;   // client equals window: nothing is painted
    ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 150, 64), &m_host, 3));
    bare.DrawCoolBorder();
}

struct ScrollCase {
    int length, arrow;
    int nMin, nMax;
    UINT nPage;
    int nPos;
    int expectArrow;
    BOOL expectThumb;
    int expectStart, expectLength;
};

TEST(OXFlatScrollLayout, ArrowsAndThumb)
{
    const ScrollCase cases[] = {
        // length arrow min max page pos -> arrow thumb start len
        {100, 16, 0, 99, 10, 0, 16, TRUE, 16, 7 < 8 ? 8 : 7},   // small page: 8-pixel thumb
        {100, 16, 0, 99, 50, 50, 16, TRUE, 16 + 34, 34},         // 68*50/100 = 34; (68-34)*50/50 = 34
        {100, 16, 0, 99, 0, 0, 16, FALSE, 0, 0},                 // page 0: no thumb
        {100, 16, 0, 9, 20, 0, 16, FALSE, 0, 0},                 // max below page: no thumb
        {38, 16, 0, 99, 10, 0, 16, FALSE, 0, 0},                 // track of 6: no thumb
        {20, 16, 0, 99, 10, 0, 10, FALSE, 0, 0},                 // shorter than two arrows: half each
        {100, 16, 0, 99, 10, 90, 16, TRUE, 76, 8},               // at the end: ends at the second arrow
        {1000000, 16, 0, 2000000000, 1000, 1000000000, 16, TRUE, 16 + 499980, 8},   // no int overflow
    };
    for (const ScrollCase& c : cases) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.nMin = c.nMin;
        si.nMax = c.nMax;
        si.nPage = c.nPage;
        si.nPos = c.nPos;
        OXFlatScrollLayout l = OXLayoutFlatScrollBar(c.length, c.arrow, si);
        SCOPED_TRACE(testing::Message() << "length " << c.length << " page " << c.nPage << " pos " << c.nPos);
        EXPECT_EQ(l.nArrow, c.expectArrow);
        EXPECT_EQ(l.bThumb, c.expectThumb);
        if (c.expectThumb) {
            EXPECT_EQ(l.nThumbStart, c.expectStart);
            EXPECT_EQ(l.nThumbLength, c.expectLength);
        }
    }
}

}  // namespace
