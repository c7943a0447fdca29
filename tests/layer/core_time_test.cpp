// CTime/CTimeSpan and COleDateTime/COleDateTimeSpan: fields of fixed dates,
// arithmetic, the OLE day count on both sides of 1899-12-30, parsing and
// numeric formats (never locale text).
#include "core_test.h"
#include "layer_test_res.h"
#include <afxdisp.h>
#include <math.h>

TEST(CoreTime, FieldsArithmeticAndFormat)
{
    CTime t(2021, 3, 14, 15, 9, 26);
    EXPECT_EQ(2021, t.GetYear());
    EXPECT_EQ(3, t.GetMonth());
    EXPECT_EQ(14, t.GetDay());
    EXPECT_EQ(15, t.GetHour());
    EXPECT_EQ(9, t.GetMinute());
    EXPECT_EQ(26, t.GetSecond());
    EXPECT_EQ(1, t.GetDayOfWeek());   // a Sunday
    EXPECT_STREQ("2021-03-14 15:09:26", t.Format("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("2021/03/14", t.Format(IDS_CORE_DATEFMT));

    CTime later = t + CTimeSpan(1, 10, 51, 34);
    EXPECT_STREQ("2021-03-16 02:01:00", later.Format("%Y-%m-%d %H:%M:%S"));
    CTimeSpan span = later - t;
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(10, span.GetHours());
    EXPECT_EQ(51, span.GetMinutes());
    EXPECT_EQ(34, span.GetSeconds());
    EXPECT_EQ(2 * 3600 + 1 * 60 - (15 * 3600 + 9 * 60 + 26) + 2 * 86400, span.GetTotalSeconds());
    EXPECT_STREQ("1:10:51:34 %", span.Format("%D:%H:%M:%S %%"));
    EXPECT_TRUE(t < later && later > t && t != later && later - span == t);

    SYSTEMTIME st;
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(2021, st.wYear);
    EXPECT_EQ(0, st.wDayOfWeek);
    EXPECT_EQ(t, CTime(st));

    struct tm* ptm = t.GetLocalTm();
    ASSERT_NE(nullptr, ptm);
    EXPECT_EQ(121, ptm->tm_year);
    EXPECT_STREQ("1970-01-01 00:00:00", CTime(0).FormatGmt("%Y-%m-%d %H:%M:%S"));

    CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetYear(), 2023);
    EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>([] { CTime(2021, 13, 1, 0, 0, 0); }));
}

TEST(CoreOleDateTime, TheDayCountOnBothSidesOfItsOrigin)
{
    struct Case
    {
        int y, mo, d, h, mi, s;
        DATE dt;
        int nDayOfWeek;
        int nDayOfYear;
    };
    const Case cases[] = {
        { 1899, 12, 30, 0, 0, 0, 0.0, 7, 364 },
        { 2000, 1, 1, 0, 0, 0, 36526.0, 7, 1 },
        { 2000, 12, 31, 18, 0, 0, 36891.75, 1, 366 },
        { 1899, 12, 29, 6, 0, 0, -1.25, 6, 363 },   // the fraction runs forwards
        { 1800, 3, 1, 12, 0, 0, -36463.5, 7, 60 },
        { 100, 1, 1, 0, 0, 0, -657434.0, 6, 1 },
        { 9999, 12, 31, 0, 0, 0, 2958465.0, 6, 365 },
    };
    for (const Case& c : cases)
    {
        COleDateTime date(c.y, c.mo, c.d, c.h, c.mi, c.s);
        ASSERT_EQ(COleDateTime::valid, date.GetStatus());
        EXPECT_DOUBLE_EQ(c.dt, date.m_dt) << c.y << "-" << c.mo << "-" << c.d;
        COleDateTime back(c.dt);
        EXPECT_EQ(c.y, back.GetYear());
        EXPECT_EQ(c.mo, back.GetMonth());
        EXPECT_EQ(c.d, back.GetDay());
        EXPECT_EQ(c.h, back.GetHour());
        EXPECT_EQ(c.mi, back.GetMinute());
        EXPECT_EQ(c.s, back.GetSecond());
        EXPECT_EQ(c.nDayOfWeek, back.GetDayOfWeek()) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(c.nDayOfYear, back.GetDayOfYear()) << c.y << "-" << c.mo << "-" << c.d;
    }
}

TEST(CoreOleDateTime, InvalidDates)
{
    COleDateTime date;
    EXPECT_EQ(1, date.SetDateTime(2001, 2, 29, 0, 0, 0));
    EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
    EXPECT_EQ(-1, date.GetYear());
    EXPECT_EQ(0, date.SetDate(2004, 2, 29));
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_EQ(1, date.SetDateTime(2004, 1, 1, 24, 0, 0));
    EXPECT_EQ(1, date.SetDate(99, 1, 1));
    EXPECT_EQ(1, date.SetDate(10000, 1, 1));

    COleDateTime bad(2001, 2, 29, 0, 0, 0);
    COleDateTime sum = bad + COleDateTimeSpan(1.0);
    EXPECT_EQ(COleDateTime::invalid, sum.GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (COleDateTime(2000, 1, 1, 0, 0, 0) - bad).GetStatus());
}

TEST(CoreOleDateTime, ArithmeticAndComparison)
{
    COleDateTime start(2021, 3, 14, 15, 9, 26);
    COleDateTime end = start + COleDateTimeSpan(1, 12, 0, 34);
    EXPECT_EQ(2021, end.GetYear());
    EXPECT_EQ(16, end.GetDay());
    EXPECT_EQ(3, end.GetHour());
    EXPECT_EQ(10, end.GetMinute());
    EXPECT_EQ(0, end.GetSecond());

    COleDateTimeSpan span = end - start;
    EXPECT_DOUBLE_EQ(129634.0, span.GetTotalSeconds());
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(12, span.GetHours());
    EXPECT_EQ(0, span.GetMinutes());
    EXPECT_EQ(34, span.GetSeconds());
    EXPECT_DOUBLE_EQ(36.0, span.GetTotalHours());
    EXPECT_STREQ("1 12:00:34", span.Format("%D %H:%M:%S"));
    EXPECT_TRUE(start < end && end > start && start <= start && start != end);
    EXPECT_STREQ(start.Format("%Y-%m-%d %H:%M:%S"), (end - span).Format("%Y-%m-%d %H:%M:%S"));

    COleDateTimeSpan back = start - end;
    EXPECT_DOUBLE_EQ(-129634.0, back.GetTotalSeconds());
    EXPECT_EQ(-1, back.GetDays());
    EXPECT_EQ(-12, back.GetHours());

    // across the origin: -1.75 (18:00) is later than -1.25 (06:00)
    COleDateTime morning(1899, 12, 29, 6, 0, 0), evening(1899, 12, 29, 18, 0, 0);
    EXPECT_TRUE(morning < evening);
    EXPECT_DOUBLE_EQ(0.5, (evening - morning).m_span);
    COleDateTime next = morning + COleDateTimeSpan(1, 0, 0, 0);
    EXPECT_DOUBLE_EQ(0.25, next.m_dt);
    COleDateTime before = COleDateTime(1899, 12, 30, 3, 0, 0) - COleDateTimeSpan(0, 6, 0, 0);
    EXPECT_DOUBLE_EQ(-1.875, before.m_dt);
    EXPECT_EQ(21, before.GetHour());
}

TEST(CoreOleDateTime, ConversionsParsingAndFormat)
{
    COleDateTime date;
    EXPECT_TRUE(date.ParseDateTime("2021-03-14 15:09:26"));
    EXPECT_EQ(COleDateTime(2021, 3, 14, 15, 9, 26), date);
    EXPECT_TRUE(date.ParseDateTime("2021-03-14"));
    EXPECT_EQ(0, date.GetHour());
    EXPECT_FALSE(date.ParseDateTime("not a date"));
    EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
    EXPECT_FALSE(date.ParseDateTime("2021-02-30"));

    COleDateTime fixed(2021, 3, 14, 15, 9, 26);
    EXPECT_STREQ("2021-03-14 15:09:26", fixed.Format("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("Invalid DateTime", COleDateTime(2021, 2, 30, 0, 0, 0).Format("%Y"));
    EXPECT_FALSE(fixed.Format().IsEmpty());   // the system's text; only its presence is certain

    SYSTEMTIME st;
    ASSERT_TRUE(fixed.GetAsSystemTime(st));
    EXPECT_EQ(2021, st.wYear);
    EXPECT_EQ(15, st.wHour);
    EXPECT_EQ(0, st.wDayOfWeek);
    EXPECT_EQ(fixed, COleDateTime(st));

    // the same moment through CTime
    CTime t(2021, 3, 14, 15, 9, 26);
    EXPECT_EQ(fixed, COleDateTime(t.GetTime()));

    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(COleDateTime::valid, now.GetStatus());
    EXPECT_LT(fabs((now - COleDateTime(CTime::GetCurrentTime().GetTime())).GetTotalSeconds()), 5.0);
}
