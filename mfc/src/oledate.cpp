// COleDateTime and COleDateTimeSpan.
//
// Calendar arithmetic is done here (proleptic Gregorian, to the second)
// rather than through the variant-time functions, so that conversions are
// exact and the same on every system. Values are rounded to the nearest
// second when split into fields.
#include "afxdisp.h"
#include <math.h>
#include <vector>

namespace
{
const double dSecondsPerDay = 86400.0;
const double dMinDate = -657434.0;   // 0100-01-01
const double dMaxDate = 2958465.99999;   // 9999-12-31 23:59:59

// Days from 1970-01-01 to a civil date (any year; months 1..12).
constexpr LONGLONG DaysFromCivil(LONGLONG y, int m, int d)
{
    y -= m <= 2;
    LONGLONG era = (y >= 0 ? y : y - 399) / 400;
    LONGLONG yoe = y - era * 400;
    LONGLONG doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    LONGLONG doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(LONGLONG z, int& y, int& m, int& d)
{
    z += 719468;
    LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    LONGLONG doe = z - era * 146097;
    LONGLONG yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    LONGLONG doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    LONGLONG mp = (5 * doy + 2) / 153;
    d = (int)(doy - (153 * mp + 2) / 5 + 1);
    m = (int)(mp < 10 ? mp + 3 : mp - 9);
    y = (int)(yoe + era * 400 + (m <= 2));
}

constexpr LONGLONG nOleEpoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int s_days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return m == 2 && IsLeap(y) ? 29 : s_days[m - 1];
}

// DATE <-> a continuous day count (the fraction always runs forwards).
double LinearFromDate(DATE dt)
{
    if (dt >= 0)
        return dt;
    double whole = ceil(dt);
    return whole + (whole - dt);
}

DATE DateFromLinear(double x)
{
    if (x >= 0)
        return x;
    double whole = floor(x);
    return whole - (x - whole);
}

struct Fields
{
    int nYear, nMonth, nDay, nHour, nMinute, nSecond, nDayOfWeek, nDayOfYear;
};

bool SplitDate(const COleDateTime& date, Fields& f)
{
    if (date.GetStatus() != COleDateTime::valid || date.m_dt < dMinDate || date.m_dt > dMaxDate + 1)
        return false;
    double x = LinearFromDate(date.m_dt);
    LONGLONG nSeconds = (LONGLONG)floor(x * dSecondsPerDay + 0.5);
    LONGLONG nDays = nSeconds >= 0 ? nSeconds / 86400 : -((-nSeconds + 86399) / 86400);
    LONGLONG nSecOfDay = nSeconds - nDays * 86400;
    CivilFromDays(nDays + nOleEpoch, f.nYear, f.nMonth, f.nDay);
    f.nHour = (int)(nSecOfDay / 3600);
    f.nMinute = (int)(nSecOfDay / 60 % 60);
    f.nSecond = (int)(nSecOfDay % 60);
    LONGLONG nWeekDay = (nDays + 6) % 7;   // 1899-12-30 was a Saturday
    if (nWeekDay < 0)
        nWeekDay += 7;
    f.nDayOfWeek = (int)nWeekDay + 1;
    f.nDayOfYear = (int)(DaysFromCivil(f.nYear, f.nMonth, f.nDay) - DaysFromCivil(f.nYear, 1, 1)) + 1;
    return true;
}

COleDateTime::DateTimeStatus CombineStatus(COleDateTime::DateTimeStatus a, COleDateTimeSpan::DateTimeSpanStatus b)
{
    if (a == COleDateTime::valid && b == COleDateTimeSpan::valid)
        return COleDateTime::valid;
    if (a == COleDateTime::null || b == COleDateTimeSpan::null)
        return COleDateTime::null;
    return COleDateTime::invalid;
}

COleDateTime FromSystemFields(const SYSTEMTIME& st)
{
    COleDateTime dt;
    dt.SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return dt;
}

LONGLONG RoundedSeconds(double span)
{
    return (LONGLONG)(span >= 0 ? floor(span * dSecondsPerDay + 0.5) : -floor(-span * dSecondsPerDay + 0.5));
}

bool ParseNumber(LPCSTR& p, int nDigitsMin, int nDigitsMax, int& nValue)
{
    int n = 0;
    nValue = 0;
    while (n < nDigitsMax && *p >= '0' && *p <= '9')
    {
        nValue = nValue * 10 + (*p++ - '0');
        n++;
    }
    return n >= nDigitsMin;
}

// "YYYY-MM-DD", optionally followed by ' ' or 'T' and "HH:MM[:SS]"
bool ParseIso(LPCSTR p, int& y, int& mo, int& d, int& h, int& mi, int& s)
{
    while (*p == ' ')
        p++;
    h = mi = s = 0;
    if (!ParseNumber(p, 4, 4, y) || *p++ != '-' || !ParseNumber(p, 1, 2, mo) || *p++ != '-' ||
        !ParseNumber(p, 1, 2, d))
        return false;
    if (*p == ' ' || *p == 'T')
    {
        p++;
        if (!ParseNumber(p, 1, 2, h) || *p++ != ':' || !ParseNumber(p, 1, 2, mi))
            return false;
        if (*p == ':')
        {
            p++;
            if (!ParseNumber(p, 1, 2, s))
                return false;
        }
    }
    while (*p == ' ')
        p++;
    return *p == '\0';
}
} // namespace

// ---------------------------------------------------------------------------
// COleDateTime
// ---------------------------------------------------------------------------
COleDateTime PASCAL COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return FromSystemFields(st);
}

COleDateTime::COleDateTime(const VARIANT& varSrc) : m_dt(0), m_status(valid)
{
    if (varSrc.vt == VT_DATE)
    {
        m_dt = varSrc.date;
        return;
    }
    if (varSrc.vt == VT_NULL)
    {
        m_status = null;
        return;
    }
    VARIANT var;
    ::VariantInit(&var);
    if (FAILED(::VariantChangeType(&var, const_cast<VARIANT*>(&varSrc), 0, VT_DATE)))
        m_status = invalid;
    else
        m_dt = var.date;
    ::VariantClear(&var);
}

COleDateTime::COleDateTime(__time64_t timeSrc) : m_dt(0), m_status(valid)
{
    struct tm* ptm = _localtime64(&timeSrc);
    if (ptm == NULL)
    {
        m_status = invalid;
        return;
    }
    SetDateTime(ptm->tm_year + 1900, ptm->tm_mon + 1, ptm->tm_mday, ptm->tm_hour, ptm->tm_min, ptm->tm_sec);
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0), m_status(valid)
{
    *this = FromSystemFields(systimeSrc);
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc) : m_dt(0), m_status(valid)
{
    FILETIME ftLocal;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&filetimeSrc, &ftLocal) || !::FileTimeToSystemTime(&ftLocal, &st))
        m_status = invalid;
    else
        *this = FromSystemFields(st);
}

COleDateTime::COleDateTime(WORD wDosDate, WORD wDosTime) : m_dt(0), m_status(valid)
{
    SetDateTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11,
                (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2);
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 ||
        nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 ||
        nSec > 59)
    {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    double days = (double)(DaysFromCivil(nYear, nMonth, nDay) - nOleEpoch);
    double time = (nHour * 3600 + nMin * 60 + nSec) / dSecondsPerDay;
    m_dt = DateFromLinear(days + time);
    m_status = valid;
    return 0;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    Fields f;
    if (!SplitDate(*this, f))
        return false;
    sysTime.wYear = (WORD)f.nYear;
    sysTime.wMonth = (WORD)f.nMonth;
    sysTime.wDay = (WORD)f.nDay;
    sysTime.wDayOfWeek = (WORD)(f.nDayOfWeek - 1);
    sysTime.wHour = (WORD)f.nHour;
    sysTime.wMinute = (WORD)f.nMinute;
    sysTime.wSecond = (WORD)f.nSecond;
    sysTime.wMilliseconds = 0;
    return true;
}

#define OLEDATE_FIELD(name, member) \
    int COleDateTime::name() const \
    { \
        Fields f; \
        return SplitDate(*this, f) ? f.member : -1; \
    }
OLEDATE_FIELD(GetYear, nYear)
OLEDATE_FIELD(GetMonth, nMonth)
OLEDATE_FIELD(GetDay, nDay)
OLEDATE_FIELD(GetHour, nHour)
OLEDATE_FIELD(GetMinute, nMinute)
OLEDATE_FIELD(GetSecond, nSecond)
OLEDATE_FIELD(GetDayOfWeek, nDayOfWeek)
OLEDATE_FIELD(GetDayOfYear, nDayOfYear)
#undef OLEDATE_FIELD

bool COleDateTime::operator==(const COleDateTime& date) const
{
    return m_status == date.m_status && m_dt == date.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) < LinearFromDate(date.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result;
    result.m_status = CombineStatus(m_status, dateSpan.m_status);
    if (result.m_status == valid)
        result.m_dt = DateFromLinear(LinearFromDate(m_dt) + dateSpan.m_span);
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + (-dateSpan);
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& dateSpan)
{
    return *this = *this + dateSpan;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& dateSpan)
{
    return *this = *this - dateSpan;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span;
    if (m_status == valid && date.m_status == valid)
        span.m_span = LinearFromDate(m_dt) - LinearFromDate(date.m_dt);
    else
        span.m_status = (m_status == null || date.m_status == null) ? COleDateTimeSpan::null
                                                                       : COleDateTimeSpan::invalid;
    return span;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString("Invalid DateTime");
    BSTR bstr = NULL;
    if (FAILED(::VarBstrFromDate(m_dt, lcid, dwFlags, &bstr)))
        return CString("Invalid DateTime");
    CString str(bstr);
    ::SysFreeString(bstr);
    return str;
}

CString COleDateTime::Format(LPCSTR lpszFormat) const
{
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    if (m_status == null)
        return CString();
    Fields f;
    if (!SplitDate(*this, f))
        return CString("Invalid DateTime");
    struct tm ttm = {};
    ttm.tm_year = f.nYear - 1900;
    ttm.tm_mon = f.nMonth - 1;
    ttm.tm_mday = f.nDay;
    ttm.tm_hour = f.nHour;
    ttm.tm_min = f.nMinute;
    ttm.tm_sec = f.nSecond;
    ttm.tm_wday = f.nDayOfWeek - 1;
    ttm.tm_yday = f.nDayOfYear - 1;
    ttm.tm_isdst = -1;
    CString str;
    if (*lpszFormat == '\0')
        return str;
    for (int nSize = 256; nSize <= 0x10000; nSize *= 4)
    {
        char* p = str.GetBuffer(nSize);
        size_t n = strftime(p, (size_t)nSize, lpszFormat, &ttm);
        if (n > 0)
        {
            str.ReleaseBuffer((int)n);
            return str;
        }
    }
    str.ReleaseBuffer(0);
    return str;
}

CString COleDateTime::Format(UINT nFormatID) const
{
    CString strFormat;
    if (!strFormat.LoadString(nFormatID))
        AfxThrowInvalidArgException();
    return Format((LPCSTR)strFormat);
}

bool COleDateTime::ParseDateTime(LPCSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    if (lpszDate == NULL)
        AfxThrowInvalidArgException();
    int y, mo, d, h, mi, s;
    if (ParseIso(lpszDate, y, mo, d, h, mi, s))
        return SetDateTime(y, mo, d, h, mi, s) == 0;

    int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, NULL, 0);
    std::vector<WCHAR> wide(nWide > 0 ? (size_t)nWide : 1, 0);
    if (nWide > 0)
        ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, wide.data(), nWide);
    DATE dt;
    if (nWide <= 1 || FAILED(::VarDateFromStr(wide.data(), lcid, dwFlags, &dt)))
    {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    m_dt = dt;
    m_status = valid;
    return true;
}

// ---------------------------------------------------------------------------
// COleDateTimeSpan
// ---------------------------------------------------------------------------
void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_span = lDays + ((double)nHours * 3600 + (double)nMins * 60 + nSecs) / dSecondsPerDay;
    m_status = valid;
}

double COleDateTimeSpan::GetTotalSeconds() const
{
    return (double)RoundedSeconds(m_span);
}

double COleDateTimeSpan::GetTotalMinutes() const
{
    return (double)(RoundedSeconds(m_span) / 60);
}

double COleDateTimeSpan::GetTotalHours() const
{
    return (double)(RoundedSeconds(m_span) / 3600);
}

double COleDateTimeSpan::GetTotalDays() const
{
    return (double)(RoundedSeconds(m_span) / 86400);
}

LONG COleDateTimeSpan::GetDays() const
{
    return (LONG)(RoundedSeconds(m_span) / 86400);
}

LONG COleDateTimeSpan::GetHours() const
{
    return (LONG)(RoundedSeconds(m_span) / 3600 % 24);
}

LONG COleDateTimeSpan::GetMinutes() const
{
    return (LONG)(RoundedSeconds(m_span) / 60 % 60);
}

LONG COleDateTimeSpan::GetSeconds() const
{
    return (LONG)(RoundedSeconds(m_span) % 60);
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& s) const
{
    COleDateTimeSpan r(m_span + s.m_span);
    if (m_status != valid || s.m_status != valid)
        r.m_status = (m_status == null || s.m_status == null) ? null : invalid;
    return r;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& s) const
{
    return *this + (-s);
}

CString COleDateTimeSpan::Format(LPCSTR pFormat) const
{
    if (pFormat == NULL)
        AfxThrowInvalidArgException();
    CString str;
    for (LPCSTR p = pFormat; *p; p++)
    {
        if (*p != '%' || p[1] == '\0')
        {
            str += *p;
            continue;
        }
        switch (*++p)
        {
        case 'D': str.AppendFormat("%ld", (long)GetDays()); break;
        case 'H': str.AppendFormat("%02ld", (long)GetHours()); break;
        case 'M': str.AppendFormat("%02ld", (long)GetMinutes()); break;
        case 'S': str.AppendFormat("%02ld", (long)GetSeconds()); break;
        case '%': str += '%'; break;
        default: str += '%'; str += *p; break;
        }
    }
    return str;
}

CString COleDateTimeSpan::Format(UINT nID) const
{
    CString strFormat;
    if (!strFormat.LoadString(nID))
        AfxThrowInvalidArgException();
    return Format((LPCSTR)strFormat);
}
