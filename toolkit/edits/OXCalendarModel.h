// The calendars' rules without a window: the locale's day and month names,
// the month grid, the calendar edit's date text through its format, and the
// compound calendar's date text.
#pragma once

#include <afx.h>
#include <afxdisp.h>

// The locale's names, read once per process and again on a settings change.
struct COXCalendarLocale
{
    CString arrDayNames[7];     // abbreviated, Monday first
    CString arrMonthNames[12];
    int nFirstDayOfWeek = 0;    // 0 = Monday .. 6 = Sunday

    static const COXCalendarLocale& Get();
    static void Reload();
    static COXCalendarLocale Read(LCID lcid = LOCALE_SYSTEM_DEFAULT);
};

namespace OXCalendarRules
{
// The first day of the six-week grid of the month holding dateMonth: at
// least one day of the previous month shows. nFirstDayOfWeek: 0 = Monday.
COleDateTime GridStart(const COleDateTime& dateMonth, int nFirstDayOfWeek);
// Whole days: the time of day cut off.
COleDateTime WholeDay(const COleDateTime& date);
// A date clamped into [min, max] (either end may be invalid or null: no limit).
COleDateTime Clamp(const COleDateTime& date, const COleDateTime& dateMin, const COleDateTime& dateMax);

// The calendar edit's format ("DD.MM.YYYY", "YY/MM/DD", ...), upper-cased.
// Its mask: every D, M and Y an input digit, every other character a literal.
CString MaskFromFormat(const CString& sFormat);
// The strftime form: YYYY -> %Y, YY -> %y, MM -> %m, DD -> %d.
CString StrftimeFromFormat(const CString& sFormat);
// Reads a date at the format's D, M and Y positions. A two-digit year lies in
// a century window: 00-29 are 2000-2029, 30-99 are 1930-1999.
BOOL DateFromText(const CString& sText, const CString& sFormat, COleDateTime& date);
// An empty input: the format with D, M and Y as blanks, or nothing.
BOOL IsEmptyDateText(const CString& sText, const CString& sFormat);
}
