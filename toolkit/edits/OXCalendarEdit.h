// COXCalendarEdit - a masked drop edit for a date in a fixed format ("DD",
// "MM", "YYYY" or "YY" fields and separators) whose drop button opens the
// system month calendar (COXMonthCalPopup) on the date typed.
#pragma once

#include <afxcmn.h>
#include <afxdisp.h>

#include "OXCalendarModel.h"
#include "OXDropEdit.h"

class COXMonthCalPopup : public CMonthCalCtrl
{
public:
    // Shows the calendar at rcPopup (screen), kept on its monitor and above
    // the anchor when it would pass the bottom; TRUE with the day chosen by a
    // click or Enter, FALSE on Esc, a click on nothing, or a quit.
    BOOL Pick(CRect rcPopup, CRect rcAnchor, COleDateTime dateStart, COleDateTime& dateOut);
};

class COXCalendarEdit : public COXDropEdit<COXMaskedEdit>
{
    DECLARE_DYNCREATE(COXCalendarEdit)
public:
    explicit COXCalendarEdit(LPCTSTR pszFormat = "");

    virtual CString GetValueText() const override;
    virtual void SetValueText(LPCTSTR pszText) override;
    virtual BOOL IsValidDate(LPCTSTR pszText) const;
    virtual CString GetInvalidDateText() const { return "<bad date>"; }

    CString GetDateFormat() const { return m_sDateFormat; }
    COXMonthCalPopup& GetMonthCal() { return m_monthCal; }

protected:
    virtual BOOL InitializeDropEdit() override;
    virtual void OnDropButton() override;
    CString CurrentText() const { return m_hWnd ? COXMaskedEdit::GetValueText() : GetCellText(); }

    COXMonthCalPopup m_monthCal;
    CString m_sDateFormat;
};
