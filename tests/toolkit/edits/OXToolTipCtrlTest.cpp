// The toolkit's tooltip: the text rules and placement as tables, and a real
// tip over a real tool, shown, switched to its extended text and hidden.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "EditsTestSupport.h"
#include "OXToolTipCtrl.h"
#include "testdrawing.h"
#include "testsupport.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

TEST(OXToolTipText, FieldsAndShownText)
{
    EXPECT_EQ(COXToolTipCtrl::GetFieldFromString("a\rb\rc", 0, '\r'), "a");
    EXPECT_EQ(COXToolTipCtrl::GetFieldFromString("a\rb\rc", 2, '\r'), "c");
    EXPECT_EQ(COXToolTipCtrl::GetFieldFromString("a\rb", 3, '\r'), "");
    EXPECT_EQ(COXToolTipCtrl::GetFieldFromString("", 0, '\r'), "");

    struct Case {
        const char* raw;
        BOOL extended;
        const char* shown;
        BOOL has;
    } cases[] = {
        {"Plain", FALSE, "Plain", FALSE},
        {"Plain", TRUE, "Plain", FALSE},
        {"Short\rLonger text", FALSE, "Short  ", TRUE},
        {"Short\rLonger text", TRUE, "  Longer text", TRUE},
        {"Ends here\r", FALSE, "Ends here  ", TRUE},
        {"Ends here\r", TRUE, "  ", TRUE},
    };
    for (const Case& c : cases) {
        BOOL has = -1;
        EXPECT_EQ(COXToolTipCtrl::ShownText(c.raw, c.extended, &has), c.shown) << c.raw;
        EXPECT_EQ(has, c.has) << c.raw;
    }
}

TEST(OXToolTipText, PlacementStaysOnTheMonitorHorizontallyAndGoesAboveTheTool)
{
    const CRect monitor(0, 0, 1280, 1024);
    const CRect size(0, 0, 100, 20);
    struct Case {
        CPoint pt;
        CRect expected;
    } cases[] = {
        {{200, 300}, {200, 300, 300, 320}},           // fits
        {{1250, 300}, {1180, 300, 1280, 320}},        // past the right edge: shifted left only
        {{-30, 300}, {0, 300, 100, 320}},             // past the left edge: shifted right
        {{200, 1010}, {200, 880, 300, 900}},          // past the bottom: above the tool (top 900)
    };
    for (const Case& c : cases)
        EXPECT_EQ(COXToolTipCtrl::PlaceTipRect(c.pt, size, monitor, 900), c.expected) << c.pt.x << "," << c.pt.y;
}

class OXToolTipWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(CRect(100, 100, 500, 400)));
        ASSERT_TRUE(m_a.Create("A", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &m_host, 101));
        ASSERT_TRUE(m_b.Create("B", WS_CHILD | WS_VISIBLE, CRect(200, 10, 300, 40), &m_host, 102));
        ASSERT_TRUE(m_tip.Create(&m_host));
        m_tip.SetDelayTime(TTDT_INITIAL, 30);
        m_tip.m_nCheckPeriod = 30;
        ASSERT_TRUE(PumpUntilIdle());
    }
    void TearDown() override
    {
        m_tip.DestroyWindow();
        m_host.DestroyWindow();
    }
    // Moves the cursor to a point of a control and relays the move as its
    // owner would.
    void MoveOver(CWnd& wnd, CPoint pt)
    {
        CPoint screen = pt;
        wnd.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        MSG msg = {wnd.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y)};
        m_tip.RelayEvent(&msg);
    }

    CNotifyHost m_host;
    CStatic m_a, m_b;
    COXToolTipCtrl m_tip;
};

TEST_F(OXToolTipWindow, ShowsTheShortTextAndSwitchesToTheExtendedOneOnAClick)
{
    ASSERT_TRUE(m_tip.AddTool(&m_a, "Open\rOpens the file you choose"));
    MoveOver(m_a, CPoint(20, 10));
    ASSERT_TRUE(PumpUntil([&] { return m_tip.IsWindowVisible() != FALSE; }, kWaitMs));
    EXPECT_FALSE(m_tip.IsExtendedMode());
    EXPECT_TRUE(m_tip.HasExtendedText());
    CRect shortRect;
    m_tip.GetWindowRect(&shortRect);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    EXPECT_EQ(shortRect.TopLeft(), cursor + CPoint(0, 20));   // the offset under the cursor

    m_tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(m_tip.IsExtendedMode());
    CRect longRect;
    m_tip.GetWindowRect(&longRect);
    EXPECT_EQ(longRect.TopLeft(), shortRect.TopLeft());
    EXPECT_GT(longRect.Width(), shortRect.Width());

    m_tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_FALSE(m_tip.IsExtendedMode());
}

TEST_F(OXToolTipWindow, MovingOntoAnotherToolHidesAndTracksIt)
{
    ASSERT_TRUE(m_tip.AddTool(&m_a, "First"));
    ASSERT_TRUE(m_tip.AddTool(&m_b, "Second"));
    MoveOver(m_a, CPoint(20, 10));
    ASSERT_TRUE(PumpUntil([&] { return m_tip.IsWindowVisible() != FALSE; }, kWaitMs));
    EXPECT_EQ(m_tip.GetCurrentTool(), m_tip.FindTool(&m_a));

    MoveOver(m_b, CPoint(20, 10));
    EXPECT_EQ(m_tip.GetCurrentTool(), m_tip.FindTool(&m_b));
    EXPECT_FALSE(m_tip.IsWindowVisible());     // hidden while the new tool is tracked
    ASSERT_TRUE(PumpUntil([&] { return m_tip.IsWindowVisible() != FALSE; }, kWaitMs));
    CString text;
    m_tip.GetText(text, &m_b);
    EXPECT_EQ(text, "Second");
}

TEST_F(OXToolTipWindow, AKeyHidesTheTipUntilANewToolIsTracked)
{
    ASSERT_TRUE(m_tip.AddTool(&m_a, "First"));
    MoveOver(m_a, CPoint(20, 10));
    ASSERT_TRUE(PumpUntil([&] { return m_tip.IsWindowVisible() != FALSE; }, kWaitMs));
    MSG key = {m_a.GetSafeHwnd(), WM_KEYDOWN, 'X', 0};
    m_tip.RelayEvent(&key);
    EXPECT_FALSE(m_tip.IsWindowVisible());
    EXPECT_TRUE(m_tip.IsTipHidden());
    // The pointer check already armed still runs (and, finding the tip hidden,
    // stops): it does not bring the tip back.
    CMessageRecorder recorder;
    recorder.Watch(m_tip.GetSafeHwnd(), "tip");
    recorder.Only({WM_TIMER});
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(WM_TIMER) >= 1; }, kWaitMs)) << "no check ran";
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_FALSE(m_tip.IsWindowVisible());
}

TEST_F(OXToolTipWindow, AskedTextFromAStringThatIsMissingShowsNoTip)
{
    // The owner answers with a string id of a module that lacks it.
    class CAnswer : public CNotifyHost
    {
    public:
        BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override
        {
            NMTTDISPINFOA* p = (NMTTDISPINFOA*)lParam;
            p->hinst = AfxGetResourceHandle();
            p->lpszText = MAKEINTRESOURCEA(17999);
            return TRUE;
        }
    };
    CAnswer owner;
    ASSERT_TRUE(owner.CreateHost());
    COXToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&owner));
    ASSERT_TRUE(tip.AddTool(&owner, LPSTR_TEXTCALLBACK));
    CString text = "unchanged";
    tip.GetText(text, &owner);
    EXPECT_EQ(text, "");
    tip.DestroyWindow();
    owner.DestroyWindow();
}

TEST_F(OXToolTipWindow, DefaultsReachOnlyToolsThatStillCarryThem)
{
    ASSERT_TRUE(m_tip.AddTool(&m_a, "A"));
    ASSERT_TRUE(m_tip.AddTool(&m_b, "B"));
    OXTOOLTIPDATA data;
    ASSERT_TRUE(m_tip.GetToolData(&data, &m_b));
    EXPECT_EQ(data.cbSize, sizeof(OXTOOLTIPDATA));
    data.clrBkColor = RGB(1, 2, 3);
    data.nMaxWidth = 77;
    m_tip.SetToolData(&data);

    m_tip.SetTipBkColor(RGB(200, 0, 0));
    m_tip.SetMaxTipWidth(150);
    EXPECT_EQ(m_tip.FindTool(&m_a)->m_crBkColor, RGB(200, 0, 0));
    EXPECT_EQ(m_tip.FindTool(&m_a)->m_nMaxWidth, 150);
    EXPECT_EQ(m_tip.FindTool(&m_b)->m_crBkColor, RGB(1, 2, 3));
    EXPECT_EQ(m_tip.FindTool(&m_b)->m_nMaxWidth, 77);
    EXPECT_EQ(m_tip.GetDelayTime(TTDT_RESHOW), 0);
}

// The margins lie inside the black frame: the text stands exactly that far
// from it, as it stands from the corner of a bare page drawn with the same
// font and flags.
TEST_F(OXToolTipWindow, TheTextKeepsItsMarginsInsideTheFrame)
{
    const char* text = "Held inside";
    ASSERT_TRUE(m_tip.AddTool(&m_a, text));
    MoveOver(m_a, CPoint(20, 10));
    ASSERT_TRUE(PumpUntil([&] { return m_tip.IsWindowVisible() != FALSE; }, kWaitMs));
    ASSERT_TRUE(PumpUntilIdle());
    CRect client;
    m_tip.GetClientRect(&client);
    CRect margin;
    m_tip.GetMargin(&margin);
    const COLORREF clrBack = ::GetSysColor(COLOR_INFOBK);

    CPixelCanvas page(client.Width(), client.Height(), clrBack);
    page.dc.SelectObject(&m_tip.m_font);
    CRect pageRect = client;
    page.dc.SetBkMode(TRANSPARENT);
    page.dc.DrawText(text, &pageRect, m_tip.m_nDrawFlags);
    const CRect bare = InkBounds(page.dc, client, clrBack);

    CClientDC dc(&m_tip);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(client.right - 1, client.bottom - 1), RGB(0, 0, 0));
    CRect inner = client;
    inner.DeflateRect(1, 1);
    const CRect ink = InkBounds(dc, inner, clrBack);
    EXPECT_EQ(ink.left, 1 + margin.left + bare.left);
    EXPECT_EQ(ink.top, 1 + margin.top + bare.top);
    // The window is the text's size, the margins and the frame.
    CRect size = m_tip.CalculateTipSize(text, 0);
    EXPECT_EQ(client.Size(), size.Size());
    EXPECT_LE(ink.bottom, client.bottom - 1 - margin.bottom);
}

// The shown window is as wide as its widest line in the tip's font, plus
// both margins and both frame lines, and as high as its lines, plus the
// same: measured on the window itself, the text apart.
TEST_F(OXToolTipWindow, TheShownWindowIsTheTextWithItsMarginsAndFrame)
{
    struct Case {
        CStatic* tool;
        const char* text;
        std::vector<const char*> lines;
    };
    const Case cases[] = {
        {&m_a, "Held inside", {"Held inside"}},
        {&m_b, "Short\nA rather longer second line", {"Short", "A rather longer second line"}},
    };
    CRect margin;
    m_tip.GetMargin(&margin);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(m_tip.AddTool(c.tool, c.text));
        MoveOver(*c.tool, CPoint(20, 10));
        ASSERT_TRUE(PumpUntil([&] {
            return m_tip.IsWindowVisible() && m_tip.GetCurrentTool() == m_tip.FindTool(c.tool);
        }, kWaitMs));
        CRect shown;
        m_tip.GetWindowRect(&shown);

        CWindowDC dc(NULL);
        CFont* pOld = dc.SelectObject(&m_tip.m_font);
        int textWidth = 0;
        for (const char* line : c.lines) {
            SIZE extent = {};
            ASSERT_TRUE(::GetTextExtentPoint32A(dc.GetSafeHdc(), line, (int)strlen(line), &extent));
            textWidth = std::max(textWidth, (int)extent.cx);
        }
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        const int textHeight = (int)c.lines.size() * (tm.tmHeight + tm.tmExternalLeading);
        EXPECT_EQ(shown.Width(), textWidth + margin.left + margin.right + 2);
        EXPECT_EQ(shown.Height(), textHeight + margin.top + margin.bottom + 2);
    }
}

TEST_F(OXToolTipWindow, MeasuresEveryLineOfAText)
{
    CRect one = m_tip.CalculateTipSize("A much longer line of text", 0);
    CRect three = m_tip.CalculateTipSize("x\n\nA much longer line of text", 0);
    EXPECT_EQ(three.Width(), one.Width());
    EXPECT_GT(three.Height(), 2 * one.Height());
}

}  // namespace
