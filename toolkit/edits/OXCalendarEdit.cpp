#include "OXCalendarEdit.h"

#include <commctrl.h>

// ---------------------------------------------------------------------------
// COXMonthCalPopup
// ---------------------------------------------------------------------------

BOOL COXMonthCalPopup::Pick(CRect rcPopup, CRect rcAnchor, COleDateTime dateStart, COleDateTime& dateOut)
{
    SYSTEMTIME st = {};
    if (dateStart.GetAsSystemTime(st))
        SendMessage(MCM_SETCURSEL, 0, (LPARAM)&st);
    OXShowPopup(this, rcPopup, rcAnchor);
    BOOL bResult = FALSE;
    auto takeSelection = [&] {
        SYSTEMTIME sel = {};
        if (SendMessage(MCM_GETCURSEL, 0, (LPARAM)&sel)) {
            dateOut = COleDateTime(sel.wYear, sel.wMonth, sel.wDay, 0, 0, 0);
            bResult = TRUE;
        }
    };
    OXRunPopupLoop([&](MSG& msg) {
        switch (msg.message) {
        case WM_LBUTTONDOWN:
            ::DispatchMessage(&msg);
            SetCapture();
            return TRUE;
        case WM_LBUTTONUP: {
            ::DispatchMessage(&msg);
            MCHITTESTINFO hit = {};
            hit.cbSize = sizeof(hit);
            hit.pt = CPoint((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            if (msg.hwnd != m_hWnd) {
                ::ClientToScreen(msg.hwnd, &hit.pt);
                ScreenToClient(&hit.pt);
            }
            UINT nHit = (UINT)SendMessage(MCM_HITTEST, 0, (LPARAM)&hit);
            if (nHit == MCHT_CALENDARDATE) {
                takeSelection();
                return FALSE;
            }
            if (nHit == MCHT_NOWHERE)
                return FALSE;
            SetCapture();
            return TRUE;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_RETURN) {
                ::DispatchMessage(&msg);
                takeSelection();
                return FALSE;
            }
            if (msg.wParam == VK_ESCAPE)
                return FALSE;
            break;
        default:
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
        return TRUE;
    });
    OXHidePopup(this);
    return bResult;
}

// ---------------------------------------------------------------------------
// COXCalendarEdit
// ---------------------------------------------------------------------------

OX_IMPLEMENT_DYNCREATE_OVER_T(COXCalendarEdit, COXDropEdit<COXMaskedEdit>)

COXCalendarEdit::COXCalendarEdit(LPCTSTR pszFormat) : m_sDateFormat(pszFormat ? pszFormat : "")
{
    m_sDateFormat.MakeUpper();
    if (!m_sDateFormat.IsEmpty())
        SetMask(OXCalendarRules::MaskFromFormat(m_sDateFormat));
}

BOOL COXCalendarEdit::IsValidDate(LPCTSTR pszText) const
{
    CString sText = pszText ? pszText : "";
    if (OXCalendarRules::IsEmptyDateText(sText, m_sDateFormat))
        return TRUE;
    COleDateTime date;
    return OXCalendarRules::DateFromText(sText, m_sDateFormat, date);
}

CString COXCalendarEdit::GetValueText() const
{
    CString sText = CurrentText();
    if (OXCalendarRules::IsEmptyDateText(sText, m_sDateFormat))
        return CString();
    return IsValidDate(sText) ? sText : GetInvalidDateText();
}

void COXCalendarEdit::SetValueText(LPCTSTR pszText)
{
    CString sText = IsValidDate(pszText) ? CString(pszText ? pszText : "") : CString();
    if (m_hWnd)
        COXMaskedEdit::SetValueText(sText);
    else
        OnSetText(0, (LPARAM)(LPCSTR)sText);
}

BOOL COXCalendarEdit::InitializeDropEdit()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!m_monthCal.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MONTHCAL_CLASSA, NULL, WS_POPUP | WS_BORDER,
                             CRect(0, 0, 0, 0), this, 0))
        AfxThrowResourceException();
    return TRUE;
}

void COXCalendarEdit::OnDropButton()
{
    CRect rcMin(0, 0, 0, 0);
    m_monthCal.SendMessage(MCM_GETMINREQRECT, 0, (LPARAM)&rcMin);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    CPoint ptTopRight(rcClient.right + GetButtonWidth(), rcClient.bottom);
    CRect rcPopup(ptTopRight.x - rcMin.Width(), ptTopRight.y, ptTopRight.x, ptTopRight.y + rcMin.Height());
    COleDateTime dateStart;
    if (!OXCalendarRules::DateFromText(CurrentText(), m_sDateFormat, dateStart))
        dateStart = COleDateTime::GetCurrentTime();
    COleDateTime dateOut;
    if (m_monthCal.Pick(rcPopup, rcClient, dateStart, dateOut))
        SetWindowText(dateOut.Format(OXCalendarRules::StrftimeFromFormat(m_sDateFormat)));
}
