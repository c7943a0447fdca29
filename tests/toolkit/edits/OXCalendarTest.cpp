// The calendars: the month grid, dates read through a format (two-digit
// years through a century window), the calendar edit's value text, and its
// month calendar ended by a click, Enter, Esc or a quit.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "EditsTestSupport.h"
#include "OXCalendarEdit.h"
#include "testsupport.h"

namespace {

COleDateTime Day(int y, int m, int d)
{
    return COleDateTime(y, m, d, 0, 0, 0);
}

TEST(OXCalendarRules, GridStartsInThePreviousMonth)
{
    struct Case { COleDateTime month; int firstDay; COleDateTime start; };
    const Case cases[] = {
        {Day(2026, 12, 10), 0, Day(2026, 11, 30)},   // 1 Dec 2026 is a Tuesday
        {Day(2026, 12, 10), 6, Day(2026, 11, 29)},   // weeks from Sunday
        {Day(2026, 6, 1), 0, Day(2026, 5, 25)},      // 1 Jun 2026 is a Monday: a whole week before
        {Day(2026, 2, 28), 6, Day(2026, 1, 25)},     // 1 Feb 2026 is a Sunday
        {Day(2026, 2, 28), 0, Day(2026, 1, 26)},
    };
    for (const Case& c : cases) {
        COleDateTime start = OXCalendarRules::GridStart(c.month, c.firstDay);
        EXPECT_EQ(start, c.start) << (LPCSTR)c.month.Format("%Y-%m-%d") << " " << c.firstDay;
    }
}

TEST(OXCalendarRules, DatesThroughTheFormat)
{
    struct Case { const char* format; const char* text; BOOL ok; int y, m, d; };
    const Case cases[] = {
        {"DD.MM.YYYY", "10.12.2026", TRUE, 2026, 12, 10},
        {"DD.MM.YYYY", "31.02.2026", FALSE, 0, 0, 0},
        {"DD.MM.YYYY", "29.02.2024", TRUE, 2024, 2, 29},
        {"DD.MM.YYYY", "  .  .    ", FALSE, 0, 0, 0},
        {"YY/MM/DD", "26/12/10", TRUE, 2026, 12, 10},
        {"YY/MM/DD", "00/01/01", TRUE, 2000, 1, 1},
        {"YY/MM/DD", "29/01/01", TRUE, 2029, 1, 1},
        {"YY/MM/DD", "30/01/01", TRUE, 1930, 1, 1},
        {"YY/MM/DD", "99/12/31", TRUE, 1999, 12, 31},
        {"MM-DD-YYYY", "13-01-2026", FALSE, 0, 0, 0},
    };
    for (const Case& c : cases) {
        COleDateTime date;
        EXPECT_EQ(OXCalendarRules::DateFromText(c.text, c.format, date), c.ok) << c.format << " " << c.text;
        if (c.ok) {
            EXPECT_EQ(date, Day(c.y, c.m, c.d)) << c.text;
        }
    }
    EXPECT_STREQ(OXCalendarRules::MaskFromFormat("DD.MM.YYYY"), "##\\.##\\.####");
    EXPECT_STREQ(OXCalendarRules::StrftimeFromFormat("DD.MM.YY"), "%d.%m.%y");
    EXPECT_TRUE(OXCalendarRules::IsEmptyDateText("  .  .    ", "DD.MM.YYYY"));
    EXPECT_TRUE(OXCalendarRules::IsEmptyDateText("", "DD.MM.YYYY"));
}

TEST(OXCalendarRules, LocaleNamesAreRead)
{
    COXCalendarLocale loc = COXCalendarLocale::Read(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
    EXPECT_STREQ(loc.arrDayNames[0], "Mon");
    EXPECT_STREQ(loc.arrMonthNames[11], "December");
    COXCalendarLocale ru = COXCalendarLocale::Read(MAKELCID(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), SORT_DEFAULT));
    EXPECT_EQ(ru.nFirstDayOfWeek, 0);
    ASSERT_FALSE(ru.arrMonthNames[0].IsEmpty());
    EXPECT_GE((BYTE)ru.arrMonthNames[0][0], 0x80) << "Cyrillic in code page 1251";
}

TEST(OXCalendarEditRules, ValueText)
{
    struct Case { const char* format; const char* typed; const char* value; };
    const Case cases[] = {
        {"DD.MM.YYYY", "", ""},
        {"DD.MM.YYYY", "10122026", "10.12.2026"},
        {"DD.MM.YYYY", "31022026", "<bad date>"},
        {"YY-MM-DD", "261210", "26-12-10"},       // a two-digit year is a valid date
        {"dd/mm/yy", "010130", "01/01/30"},
    };
    for (const Case& c : cases) {
        COXCalendarEdit edit(c.format);
        edit.SetInputData(c.typed);
        EXPECT_STREQ(edit.GetValueText(), c.value) << c.format << " " << c.typed;
    }
    COXCalendarEdit edit("DD.MM.YYYY");
    edit.SetValueText("10.12.2026");
    EXPECT_STREQ(edit.GetCellText(), "10.12.2026");
    edit.SetValueText("30.02.2026");
    EXPECT_STREQ(edit.GetCellText(), "  .  .    ");
}

class CDroppableCalendarEdit : public COXCalendarEdit
{
public:
    CDroppableCalendarEdit() : COXCalendarEdit("DD.MM.YYYY") {}
    using COXCalendarEdit::OnDropButton;
};

class OXCalendarEditWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &m_host, 101));
        m_edit.SendMessage(WM_NULL);
        m_edit.SetWindowText("10.12.2026");
    }
    void TearDown() override
    {
        m_edit.DestroyWindow();
        m_host.DestroyWindow();
    }
    HWND Cal() { return m_edit.GetMonthCal().m_hWnd; }

    CNotifyHost m_host;
    CDroppableCalendarEdit m_edit;
};

TEST_F(OXCalendarEditWindow, EnterTakesTheSelectedDay)
{
    CStepDriver driver;
    driver.WaitFor([&] { return ::IsWindowVisible(Cal()) != FALSE; });
    driver.Then([&] {
        SYSTEMTIME st = {};
        ::SendMessage(Cal(), MCM_GETCURSEL, 0, (LPARAM)&st);
        EXPECT_EQ(st.wDay, 10) << "opens on the typed date";
        st.wDay = 24;
        ::SendMessage(Cal(), MCM_SETCURSEL, 0, (LPARAM)&st);
        ::PostMessage(Cal(), WM_KEYDOWN, VK_RETURN, 1);
    });
    m_edit.OnDropButton();
    EXPECT_EQ(WindowText(m_edit.m_hWnd), "24.12.2026");
    EXPECT_FALSE(::IsWindowVisible(Cal()));
}

TEST_F(OXCalendarEditWindow, EscapeKeepsTheText)
{
    {
        CStepDriver driver;
        driver.WaitFor([&] { return ::IsWindowVisible(Cal()) != FALSE; });
        driver.Then([&] { ::PostMessage(Cal(), WM_KEYDOWN, VK_ESCAPE, 1); });
        m_edit.OnDropButton();
    }
    EXPECT_EQ(WindowText(m_edit.m_hWnd), "10.12.2026");
}

TEST_F(OXCalendarEditWindow, AQuitEndsThePickAndReachesTheProgram)
{
    CStepDriver driver;
    driver.WaitFor([&] { return ::IsWindowVisible(Cal()) != FALSE; });
    driver.Then([] { ::PostQuitMessage(5); });
    m_edit.OnDropButton();
    EXPECT_EQ(WindowText(m_edit.m_hWnd), "10.12.2026");
    EXPECT_FALSE(::IsWindowVisible(Cal()));
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

}  // namespace
