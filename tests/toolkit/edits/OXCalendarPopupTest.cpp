// The compound calendar and its month pop-up under real messages: a click on
// a day, the today button within and outside the range, month steps limited
// by the range, Esc and a quit; taking over a typed date.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "EditsTestSupport.h"
#include "OXCalendar.h"
#include "testsupport.h"

namespace {

COleDateTime Day(int y, int m, int d)
{
    return COleDateTime(y, m, d, 0, 0, 0);
}

class OXCalendarWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_calendar.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &m_host, 300));
        m_calendar.SetFormat("%Y-%m-%d");
        m_host.SetForegroundWindow();
    }
    void TearDown() override
    {
        m_calendar.DestroyWindow();
        m_host.DestroyWindow();
    }
    COXCalendarPopup& Popup() { return m_calendar.GetPopup(); }
    void ClickCell(CStepDriver& driver, int nCell)
    {
        driver.Then([this, nCell] {
            CPoint pt = Popup().CellRect(nCell).CenterPoint();
            Popup().PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            Popup().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        });
    }
    void Drop() { m_calendar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(180, 5)); }

    CNotifyHost m_host;
    COXCalendar m_calendar;
};

TEST_F(OXCalendarWindow, AClickOnADayChoosesIt)
{
    ASSERT_TRUE(m_calendar.SetDate(Day(2026, 12, 10)));
    EXPECT_EQ(WindowText(m_calendar.GetEdit().m_hWnd), "2026-12-10");
    CStepDriver driver;
    driver.WaitFor([&] { return Popup().IsWindowVisible() != FALSE; });
    driver.Then([&] {
        EXPECT_EQ(Popup().GetMonth().GetMonth(), 12);
        EXPECT_EQ(Popup().CellDate(0), OXCalendarRules::GridStart(Day(2026, 12, 1), COXCalendarLocale::Get().nFirstDayOfWeek));
    });
    ClickCell(driver, 17);
    Drop();
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(Popup().IsWindowVisible());
    COleDateTime expected = Popup().CellDate(17);
    EXPECT_EQ(m_calendar.GetDate(), expected);
}

TEST_F(OXCalendarWindow, RangeLimitsTodayAndTheMonthSteps)
{
    COleDateTime today = COleDateTime::GetCurrentTime();
    COleDateTime next(today.GetYear() + 1, 1, 1, 0, 0, 0);
    ASSERT_TRUE(m_calendar.SetRange(next, next + COleDateTimeSpan(20, 0, 0, 0)));
    EXPECT_FALSE(m_calendar.SetRange(next, next - COleDateTimeSpan(1, 0, 0, 0)));
    COleDateTime bad;
    bad.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(m_calendar.SetRange(bad, next));
    CStepDriver driver;
    driver.WaitFor([&] { return Popup().IsWindowVisible() != FALSE; });
    driver.Then([&] {
        EXPECT_FALSE(Popup().GetDlgItem(COXCalendarPopup::ID_TODAY)->IsWindowEnabled());
        EXPECT_EQ(Popup().GetMonth().GetMonth(), 1) << "opens in the range";
        EXPECT_FALSE(Popup().StepMonth(1)) << "February shows no day of the range";
        EXPECT_TRUE(Popup().StepMonth(-1)) << "December's grid shows the first days of January";
        EXPECT_FALSE(Popup().StepMonth(-1));
        Popup().PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    });
    Drop();
    EXPECT_EQ(m_calendar.GetDate().GetStatus(), COleDateTime::null);
}

// The today and none buttons stand one margin inside the left, right and
// bottom edges, and hold their text with the raised frame above and below it.
TEST_F(OXCalendarWindow, TheButtonsStandInsideThePopupAndHoldTheirText)
{
    CRect client;
    Popup().GetClientRect(&client);
    const CRect today = Popup().GetTodayRect(), none = Popup().GetNoneRect();
    const int nMargin = today.left - client.left;
    EXPECT_GT(nMargin, 0);
    EXPECT_EQ(client.right - none.right, nMargin);
    EXPECT_EQ(client.bottom - today.bottom, nMargin);
    EXPECT_EQ(none.bottom, today.bottom);

    CWnd* pButton = Popup().GetDlgItem(COXCalendarPopup::ID_TODAY);
    CRect window;
    pButton->GetWindowRect(&window);
    Popup().ScreenToClient(&window);
    EXPECT_EQ(window, today);
    CClientDC dc(pButton);
    CFont* pOld = dc.SelectObject(pButton->GetFont());
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    EXPECT_GE(today.Height(), tm.tmHeight + 4 * ::GetSystemMetrics(SM_CYEDGE));
}

TEST_F(OXCalendarWindow, OneDayRangeOpensAndTodayButtonChoosesToday)
{
    COleDateTime today = OXCalendarRules::WholeDay(COleDateTime::GetCurrentTime());
    ASSERT_TRUE(m_calendar.SetRange(today, today));
    CStepDriver driver;
    driver.WaitFor([&] { return Popup().IsWindowVisible() != FALSE; });
    driver.Then([&] {
        CPoint pt = Popup().GetTodayRect().CenterPoint();
        EXPECT_TRUE(Popup().GetDlgItem(COXCalendarPopup::ID_TODAY)->IsWindowEnabled());
        Popup().PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        Popup().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    });
    Drop();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(m_calendar.GetDate(), today);
}

TEST_F(OXCalendarWindow, AQuitEndsThePickAndReachesTheProgram)
{
    CStepDriver driver;
    driver.WaitFor([&] { return Popup().IsWindowVisible() != FALSE; });
    driver.Then([] { ::PostQuitMessage(9); });
    Drop();
    EXPECT_FALSE(Popup().IsWindowVisible());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(OXCalendarWindow, TakeOverTypedDateRewritesAndNotifies)
{
    m_host.m_recordMessage = WM_COMMAND;
    m_calendar.GetEdit().SetWindowText("Thu 2026-12-10");
    m_host.m_messages.clear();
    m_calendar.TakeOverTypedDate();
    EXPECT_EQ(m_calendar.GetDate(), Day(2026, 12, 10));
    EXPECT_EQ(WindowText(m_calendar.GetEdit().m_hWnd), "2026-12-10");
    EXPECT_EQ(m_host.m_messages.size(), 3u) << "the rewrite's update and change, then the focus leaving";
}

}  // namespace
