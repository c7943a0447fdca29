// COXCalendar - a compound date field: a child edit showing the date as text
// and a drop-down arrow that opens COXCalendarPopup, a month grid drawn by
// the toolkit itself with range limits, the locale's day and month names, and
// today and none buttons.
#pragma once

#include <afxwin.h>
#include <afxdisp.h>

#include "OXCalendarModel.h"

class COXCalendar;

class COXCalendarPopup : public CWnd
{
    DECLARE_DYNCREATE(COXCalendarPopup)
public:
    enum { ID_TODAY = 100, ID_NONE = 101, ID_TITLE = 102 };
    enum { TRACK_NONE = 0, TRACK_TODAY, TRACK_NONEBUTTON, TRACK_CELLS };
    static const UINT WM_OX_CALENDAR_END = WM_USER + 10;

    COXCalendarPopup();
    BOOL Create(CWnd* pOwner);
    BOOL Pick(COleDateTime& date, const COleDateTime& dateMin, const COleDateTime& dateMax, CRect rcAnchor);
    void SetFirstDayOfWeek(int nDay) { m_nFirstDayOfWeek = nDay; }
    // The grid cell's date (0-41) and the cell under a client point (-1: none).
    COleDateTime CellDate(int nCell) const;
    int CellFromPoint(CPoint pt) const;
    CRect CellRect(int nCell) const;
    COleDateTime GetMonth() const { return m_dateMonth; }
    BOOL StepMonth(int nDirection);
    CRect GetTodayRect() const { return m_rectToday; }
    CRect GetNoneRect() const { return m_rectNone; }
    CRect GetArrowRect(int nDirection) const { return nDirection < 0 ? m_rectPrev : m_rectNext; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Layout();
    void Paint(CDC* pDC);
    BOOL IsInRange(const COleDateTime& date) const;
    void OnButtonDown(CPoint pt);
    void OnMouseMoved(CPoint pt);
    void OnButtonUp(CPoint pt);
    void End(BOOL bChosen);

    CString m_sNoneText, m_sTodayText;
    CButton m_btnToday, m_btnNone, m_btnTitle;
    CFont m_font;
    int m_nCellWidth, m_nCellHeight;
    CRect m_rectGrid, m_rectPrev, m_rectNext, m_rectTitle, m_rectToday, m_rectNone;
    int m_nFirstDayOfWeek;
    COleDateTime m_dateToday, m_dateMin, m_dateMax, m_dateSelected, m_dateHot, m_dateMonth;
    int m_nTrackMode;
    int m_nScrollDirection;
    BOOL m_bEnding;
};

class COXCalendar : public CWnd
{
    DECLARE_DYNCREATE(COXCalendar)
public:
    enum { ID_EDIT = 100 };

    COXCalendar();
    virtual ~COXCalendar();

    virtual void FormatDate(CString& sText);

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID);
    BOOL SetFirstDayOfWeek(int nDay);   // 0 = Sunday .. 6 = Saturday
    int GetFirstDayOfWeek() const { return (m_nFirstDayOfWeek + 1) % 7; }
    BOOL SetRange(const COleDateTime& dateMin, const COleDateTime& dateMax);
    void GetRange(COleDateTime& dateMin, COleDateTime& dateMax) const { dateMin = m_dateMin; dateMax = m_dateMax; }
    BOOL SetDate(const COleDateTime& date);
    COleDateTime GetDate();
    // Reads the typed date, writes it back in the display format when valid,
    // tells the parent the edit lost the focus, and gives the edit the whole
    // width again.
    void TakeOverTypedDate();
    void ShowButton(BOOL bShow);
    void SetFormat(LPCTSTR pszFormat) { m_sFormat = pszFormat ? pszFormat : ""; }
    CEdit& GetEdit() { return m_edit; }
    COXCalendarPopup& GetPopup() { return m_popup; }
protected:
    CString DateText(const COleDateTime& date);
    virtual void PreSubclassWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void PostNcDestroy() override {}
    void Setup();
    void ReadDate();
    void Notify(UINT nCode);
    void PlaceEdit();

    CEdit m_edit;
    CFont m_font;
    COleDateTime m_date;
    COleDateTime m_dateMax;
    COleDateTime m_dateMin;
    int m_nFirstDayOfWeek;
    COXCalendarPopup m_popup;
    HCURSOR m_hCursor;
    BOOL m_bButtonShown;
    int m_nButtonWidth;
    CString m_sFormat;
    BOOL m_bCreating;
};
