// afxdisp.h - OLE automation types: COleDateTime and COleDateTimeSpan.
//
// A DATE is the OLE day count: days since 1899-12-30, the fraction being the
// time of day. Before that day the integer part counts backwards while the
// fraction still runs forwards (-1.25 is 1899-12-29 06:00), so arithmetic
// goes through a continuous day count and back.
#ifndef PELLUCOR_AFXDISP_H
#define PELLUCOR_AFXDISP_H

#include "afx.h"
#include <oleauto.h>

class COleDateTimeSpan;

class COleDateTime
{
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    static COleDateTime PASCAL GetCurrentTime();

    COleDateTime() : m_dt(0), m_status(valid) {}
    COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid) {}
    COleDateTime(const VARIANT& varSrc);
    COleDateTime(__time64_t timeSrc);              // shown as local time
    COleDateTime(const SYSTEMTIME& systimeSrc);
    COleDateTime(const FILETIME& filetimeSrc);     // UTC, shown as local time
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    {
        SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
    }
    COleDateTime(WORD wDosDate, WORD wDosTime);

    COleDateTime& operator=(DATE dtSrc) { m_dt = dtSrc; m_status = valid; return *this; }
    COleDateTime& operator=(const VARIANT& varSrc) { return *this = COleDateTime(varSrc); }
    COleDateTime& operator=(__time64_t timeSrc) { return *this = COleDateTime(timeSrc); }
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc) { return *this = COleDateTime(systimeSrc); }
    COleDateTime& operator=(const FILETIME& filetimeSrc) { return *this = COleDateTime(filetimeSrc); }

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    bool GetAsSystemTime(SYSTEMTIME& sysTime) const;

    // -1 when the value is not valid
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday
    int GetDayOfYear() const;   // 1 = January 1st

    // 0 when set; 1 (and status invalid) for an impossible date or time, or a
    // year outside 100..9999.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
    int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

    bool operator==(const COleDateTime& date) const;
    bool operator!=(const COleDateTime& date) const { return !(*this == date); }
    bool operator<(const COleDateTime& date) const;
    bool operator>(const COleDateTime& date) const { return date < *this; }
    bool operator<=(const COleDateTime& date) const { return !(date < *this); }
    bool operator>=(const COleDateTime& date) const { return !(*this < date); }

    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTime& operator+=(const COleDateTimeSpan& dateSpan);
    COleDateTime& operator-=(const COleDateTimeSpan& dateSpan);
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    // dwFlags/lcid: the system's date-to-text conversion (VarBstrFromDate)
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // strftime-style format
    CString Format(LPCSTR lpszFormat) const;
    CString Format(UINT nFormatID) const;
    // "YYYY-MM-DD[ HH:MM[:SS]]" (also with 'T'), else the system's parser
    bool ParseDateTime(LPCSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    DATE m_dt;
    DateTimeStatus m_status;
};

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() : m_span(0), m_status(valid) {}
    COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc), m_status(valid) {}
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) { SetDateTimeSpan(lDays, nHours, nMins, nSecs); }

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);
    operator double() const { return m_span; }
    COleDateTimeSpan& operator=(double dblSpanSrc) { m_span = dblSpanSrc; m_status = valid; return *this; }

    // Totals are whole units of the span rounded to the second, towards zero.
    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;
    LONG GetDays() const;
    LONG GetHours() const;     // -23..23
    LONG GetMinutes() const;   // -59..59
    LONG GetSeconds() const;   // -59..59

    bool operator==(const COleDateTimeSpan& s) const { return m_status == s.m_status && m_span == s.m_span; }
    bool operator!=(const COleDateTimeSpan& s) const { return !(*this == s); }
    bool operator<(const COleDateTimeSpan& s) const { return m_span < s.m_span; }
    bool operator>(const COleDateTimeSpan& s) const { return m_span > s.m_span; }
    bool operator<=(const COleDateTimeSpan& s) const { return m_span <= s.m_span; }
    bool operator>=(const COleDateTimeSpan& s) const { return m_span >= s.m_span; }

    COleDateTimeSpan operator+(const COleDateTimeSpan& s) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& s) const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& s) { return *this = *this + s; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& s) { return *this = *this - s; }
    COleDateTimeSpan operator-() const { COleDateTimeSpan r(-m_span); r.m_status = m_status; return r; }

    // %D days, %H hours, %M minutes, %S seconds, %% percent
    CString Format(LPCSTR pFormat) const;
    CString Format(UINT nID) const;

    double m_span;
    DateTimeSpanStatus m_status;
};

#endif // PELLUCOR_AFXDISP_H
