#include "OXCalendarModel.h"

#include <math.h>
#include <stdlib.h>

namespace {

COXCalendarLocale g_locale;
BOOL g_bLoaded = FALSE;

// EnumCalendarInfoA hands each value to a plain callback.
CString g_sEnumerated;
BOOL CALLBACK TakeCalendarInfo(LPSTR pszInfo)
{
    g_sEnumerated = pszInfo;
    return FALSE;
}

CString CalendarInfo(LCID lcid, CALTYPE type)
{
    g_sEnumerated.Empty();
    ::EnumCalendarInfoA(TakeCalendarInfo, lcid, CAL_GREGORIAN, type);
    return g_sEnumerated;
}

}  // namespace

COXCalendarLocale COXCalendarLocale::Read(LCID lcid)
{
    COXCalendarLocale loc;
    for (int i = 0; i < 7; ++i)
        loc.arrDayNames[i] = CalendarInfo(lcid, CAL_SABBREVDAYNAME1 + i);
    for (int i = 0; i < 12; ++i)
        loc.arrMonthNames[i] = CalendarInfo(lcid, CAL_SMONTHNAME1 + i);
    char sz[8] = {};
    if (::GetLocaleInfoA(lcid, LOCALE_IFIRSTDAYOFWEEK, sz, sizeof(sz)) > 0)
        loc.nFirstDayOfWeek = atoi(sz) % 7;
    return loc;
}

const COXCalendarLocale& COXCalendarLocale::Get()
{
    if (!g_bLoaded)
        Reload();
    return g_locale;
}

void COXCalendarLocale::Reload()
{
    g_locale = Read();
    g_bLoaded = TRUE;
}

namespace OXCalendarRules
{

COleDateTime WholeDay(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid)
        return date;
    COleDateTime day;
    day.SetDate(date.GetYear(), date.GetMonth(), date.GetDay());
    return day;
}

COleDateTime GridStart(const COleDateTime& dateMonth, int nFirstDayOfWeek)
{
    COleDateTime first;
    first.SetDate(dateMonth.GetYear(), dateMonth.GetMonth(), 1);
    int w = (first.GetDayOfWeek() + 5) % 7;   // Monday = 0
    int nBack = (w - nFirstDayOfWeek + 7) % 7;
    if (nBack == 0)
        nBack = 7;
    return first - COleDateTimeSpan(nBack, 0, 0, 0);
}

COleDateTime Clamp(const COleDateTime& date, const COleDateTime& dateMin, const COleDateTime& dateMax)
{
    if (date.GetStatus() != COleDateTime::valid)
        return date;
    if (dateMin.GetStatus() == COleDateTime::valid && date < dateMin)
        return dateMin;
    if (dateMax.GetStatus() == COleDateTime::valid && date > dateMax)
        return dateMax;
    return date;
}

CString MaskFromFormat(const CString& sFormat)
{
    CString sMask;
    for (int i = 0; i < sFormat.GetLength(); ++i) {
        char ch = sFormat[i];
        if (ch == 'D' || ch == 'M' || ch == 'Y')
            sMask += '#';
        else
            sMask += CString('\\') + ch;   // the format's own separators, not the locale's
    }
    return sMask;
}

CString StrftimeFromFormat(const CString& sFormat)
{
    CString s = sFormat;
    s.Replace("YYYY", "%Y");
    s.Replace("YY", "%y");
    s.Replace("MM", "%m");
    s.Replace("DD", "%d");
    return s;
}

namespace {

// The number in the text at the first-to-last positions of a field letter;
// -1 when the format has no such field. nWidth receives the field's width.
int FieldValue(const CString& sText, const CString& sFormat, char chField, int& nWidth)
{
    int nFirst = sFormat.Find(chField);
    int nLast = sFormat.ReverseFind(chField);
    nWidth = nFirst < 0 ? 0 : nLast - nFirst + 1;
    if (nFirst < 0 || nFirst >= sText.GetLength())
        return -1;
    return atoi(sText.Mid(nFirst, nWidth));
}

}  // namespace

BOOL DateFromText(const CString& sText, const CString& sFormat, COleDateTime& date)
{
    int nYearWidth, nWidth;
    int y = FieldValue(sText, sFormat, 'Y', nYearWidth);
    int m = FieldValue(sText, sFormat, 'M', nWidth);
    int d = FieldValue(sText, sFormat, 'D', nWidth);
    if (y < 0 || m < 0 || d < 0)
        return FALSE;
    if (nYearWidth == 2)
        y += y < 30 ? 2000 : 1900;
    COleDateTime result;
    if (result.SetDate(y, m, d) != 0)
        return FALSE;
    date = result;
    return TRUE;
}

BOOL IsEmptyDateText(const CString& sText, const CString& sFormat)
{
    if (sText.IsEmpty())
        return TRUE;
    CString sBlank = sFormat;
    sBlank.Replace('Y', ' ');
    sBlank.Replace('M', ' ');
    sBlank.Replace('D', ' ');
    return sText == sBlank;
}

}  // namespace OXCalendarRules
