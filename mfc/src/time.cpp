// CTime and CTimeSpan: seconds since 1970 on the C run-time's 64-bit time,
// local time by the run-time's rules, formatting by msvcrt's strftime.
#include "afx.h"

namespace
{
// strftime into a CString; grows the buffer when the result does not fit
// (strftime reports that and an empty result alike, so give up at 64K).
CString FormatTm(LPCSTR pszFormat, const struct tm* ptm)
{
    CString str;
    if (pszFormat == NULL)
        AfxThrowInvalidArgException();
    if (ptm == NULL || *pszFormat == '\0')
        return str;
    for (int nSize = 256; nSize <= 0x10000; nSize *= 4)
    {
        char* p = str.GetBuffer(nSize);
        size_t n = strftime(p, (size_t)nSize, pszFormat, ptm);
        if (n > 0)
        {
            str.ReleaseBuffer((int)n);
            return str;
        }
    }
    str.ReleaseBuffer(0);
    return str;
}

CString LoadFormat(UINT nFormatID)
{
    CString str;
    if (!str.LoadString(nFormatID))
        AfxThrowInvalidArgException();
    return str;
}
} // namespace

// ---------------------------------------------------------------------------
// CTimeSpan
// ---------------------------------------------------------------------------
// %D whole days, %H hours (00-23), %M minutes (00-59), %S seconds (00-59)
CString CTimeSpan::Format(LPCSTR pszFormat) const
{
    if (pszFormat == NULL)
        AfxThrowInvalidArgException();
    CString str;
    for (LPCSTR p = pszFormat; *p; p++)
    {
        if (*p != '%' || p[1] == '\0')
        {
            str += *p;
            continue;
        }
        switch (*++p)
        {
        case 'D': str.AppendFormat("%I64d", (LONGLONG)GetDays()); break;
        case 'H': str.AppendFormat("%02ld", (long)GetHours()); break;
        case 'M': str.AppendFormat("%02ld", (long)GetMinutes()); break;
        case 'S': str.AppendFormat("%02ld", (long)GetSeconds()); break;
        case '%': str += '%'; break;
        default: str += '%'; str += *p; break;
        }
    }
    return str;
}

CString CTimeSpan::Format(UINT nFormatID) const
{
    return Format(LoadFormat(nFormatID));
}

// ---------------------------------------------------------------------------
// CTime
// ---------------------------------------------------------------------------
CTime PASCAL CTime::GetCurrentTime()
{
    return CTime(_time64(NULL));
}

BOOL PASCAL CTime::IsValidFILETIME(const FILETIME& ft)
{
    FILETIME ftLocal;
    SYSTEMTIME st;
    return ::FileTimeToLocalFileTime(&ft, &ftLocal) && ::FileTimeToSystemTime(&ftLocal, &st);
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 ||
        nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
        AfxThrowInvalidArgException();
    struct tm atm = {};
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    m_time = _mktime64(&atm);
    if (m_time == -1)
        AfxThrowInvalidArgException();
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
{
    *this = CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11,
                  (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST);
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
{
    if (st.wYear < 1900)
        m_time = 0;
    else
        *this = CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST);
}

CTime::CTime(const FILETIME& ft, int nDST)
{
    FILETIME ftLocal;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&ft, &ftLocal) || !::FileTimeToSystemTime(&ftLocal, &st))
        AfxThrowInvalidArgException();
    *this = CTime(st, nDST);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    static thread_local struct tm s_tm;
    struct tm* pResult = _gmtime64(&m_time);
    if (pResult == NULL)
        return NULL;
    struct tm* pOut = ptm ? ptm : &s_tm;
    *pOut = *pResult;
    return pOut;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    static thread_local struct tm s_tm;
    struct tm* pResult = _localtime64(&m_time);
    if (pResult == NULL)
        return NULL;
    struct tm* pOut = ptm ? ptm : &s_tm;
    *pOut = *pResult;
    return pOut;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm ttm;
    if (GetLocalTm(&ttm) == NULL)
        return false;
    st.wYear = (WORD)(1900 + ttm.tm_year);
    st.wMonth = (WORD)(1 + ttm.tm_mon);
    st.wDayOfWeek = (WORD)ttm.tm_wday;
    st.wDay = (WORD)ttm.tm_mday;
    st.wHour = (WORD)ttm.tm_hour;
    st.wMinute = (WORD)ttm.tm_min;
    st.wSecond = (WORD)ttm.tm_sec;
    st.wMilliseconds = 0;
    return true;
}

#define CTIME_FIELD(name, expr) \
    int CTime::name() const \
    { \
        struct tm ttm; \
        if (GetLocalTm(&ttm) == NULL) \
            return -1; \
        return expr; \
    }
CTIME_FIELD(GetYear, ttm.tm_year + 1900)
CTIME_FIELD(GetMonth, ttm.tm_mon + 1)
CTIME_FIELD(GetDay, ttm.tm_mday)
CTIME_FIELD(GetHour, ttm.tm_hour)
CTIME_FIELD(GetMinute, ttm.tm_min)
CTIME_FIELD(GetSecond, ttm.tm_sec)
CTIME_FIELD(GetDayOfWeek, ttm.tm_wday + 1)
#undef CTIME_FIELD

CString CTime::Format(LPCSTR pszFormat) const
{
    struct tm ttm;
    return FormatTm(pszFormat, GetLocalTm(&ttm));
}

CString CTime::FormatGmt(LPCSTR pszFormat) const
{
    struct tm ttm;
    return FormatTm(pszFormat, GetGmtTm(&ttm));
}

CString CTime::Format(UINT nFormatID) const
{
    return Format(LoadFormat(nFormatID));
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    return FormatGmt(LoadFormat(nFormatID));
}
