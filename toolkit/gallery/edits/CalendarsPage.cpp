// Gallery: the compound calendar with its month pop-up (dropped for the
// screenshot) and calendar edits over the system month calendar, one with a
// two-digit year.
#include "Gallery.h"
#include "OXCalendar.h"
#include "OXCalendarEdit.h"

namespace {

enum { ID_CALENDAR = 700, ID_CALENDAR_EDIT, ID_CALENDAR_EDIT_YY };
const UINT WM_DROP_CALENDAR = WM_APP + 41;

class CCalendarsPage : public CGalleryPage
{
public:
    CCalendarsPage() : m_edit("DD.MM.YYYY"), m_editShort("YY-MM-DD") {}

protected:
    void Populate() override
    {
        NewRow("Calendar (click the arrow; the edit shows it while focused)");
        m_calendar.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, NextRect(200, 24), this, ID_CALENDAR);
        m_calendar.SetDate(COleDateTime(2026, 12, 10, 0, 0, 0));

        NewRow("Calendar edits \"DD.MM.YYYY\" and \"YY-MM-DD\" (Alt+Enter drops the month calendar)");
        for (COXCalendarEdit* pEdit : {&m_edit, &m_editShort}) {
            pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, NextRect(160, 24), this,
                          pEdit == &m_edit ? ID_CALENDAR_EDIT : ID_CALENDAR_EDIT_YY);
            ApplyFont(pEdit);
        }
        m_edit.SetWindowText("10.12.2026");
        m_editShort.SetWindowText("26-12-10");
        m_values.Create("", WS_CHILD | WS_VISIBLE, NextRect(200, 24), this);
        ApplyFont(&m_values);
        m_values.SetWindowText("\"" + m_edit.GetValueText() + "\"  \"" + m_editShort.GetValueText() + "\"");
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DROP_CALENDAR) {
            CRect rect;
            m_calendar.GetClientRect(&rect);
            m_calendar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right - 2, 2));
            return 0;
        }
        return CGalleryPage::WindowProc(message, wParam, lParam);
    }

    void ShowOff() override { PostMessage(WM_DROP_CALENDAR); }

    COXCalendar m_calendar;
    COXCalendarEdit m_edit, m_editShort;
    CStatic m_values;
};

}  // namespace

GALLERY_PAGE(CCalendarsPage, "edits", "Calendars");
