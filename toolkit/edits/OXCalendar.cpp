#include "OXCalendar.h"

#include <algorithm>

#include "OXDropEdit.h"
#include "toolkit_res.h"

namespace {

const UINT_PTR SCROLL_TIMER = 1;

// The three system colours of the grid, read once per process.
struct GridColours
{
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
};

const GridColours& Colours()
{
    static GridColours s_colours;
    return s_colours;
}

BOOL IsValidDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

}  // namespace

// ---------------------------------------------------------------------------
// COXCalendarPopup
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COXCalendarPopup, CWnd)

COXCalendarPopup::COXCalendarPopup()
    : m_nCellWidth(0), m_nCellHeight(0), m_nFirstDayOfWeek(COXCalendarLocale::Get().nFirstDayOfWeek),
      m_nTrackMode(TRACK_NONE), m_nScrollDirection(0), m_bEnding(FALSE)
{
    m_dateHot.SetStatus(COleDateTime::null);
    m_dateSelected.SetStatus(COleDateTime::null);
}

BOOL COXCalendarPopup::Create(CWnd* pOwner)
{
    static CString s_sClass;
    if (s_sClass.IsEmpty())
        s_sClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                       (HBRUSH)::GetStockObject(WHITE_BRUSH));
    m_sNoneText.LoadString(IDS_OX_CALENDAR_NONE);
    m_sTodayText.LoadString(IDS_OX_CALENDAR_TODAY);
    if (!CreateEx(WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE,
                  s_sClass, "", WS_POPUP | WS_BORDER, CRect(0, 0, 0, 0), pOwner, 0))
        return FALSE;
    LOGFONT lf;
    CFont* pFont = pOwner ? pOwner->GetFont() : NULL;
    if (pFont && pFont->GetLogFont(&lf))
        m_font.CreateFontIndirect(&lf);
    else
        m_font.CreateStockObject(DEFAULT_GUI_FONT);
    m_btnToday.Create(m_sTodayText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, ID_TODAY);
    m_btnNone.Create(m_sNoneText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, ID_NONE);
    m_btnTitle.Create(m_sNoneText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, ID_TITLE);
    for (CButton* p : {&m_btnToday, &m_btnNone, &m_btnTitle})
        p->SetFont(&m_font);
    Layout();
    return TRUE;
}

void COXCalendarPopup::Layout()
{
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(&m_font);
    CSize digits = dc.GetTextExtent("0123456789");
    m_nCellWidth = digits.cx / 5 + digits.cx / 20;
    m_nCellHeight = digits.cy + digits.cy / 5;
    int nTitle = 0;
    for (const CString& sMonth : COXCalendarLocale::Get().arrMonthNames) {
        CString s;
        s.Format(" %s 1997 ", (LPCSTR)sMonth);
        nTitle = std::max(nTitle, (int)dc.GetTextExtent(s).cx);
    }
    dc.SelectObject(pOld);
    const int cxArrow = ::GetSystemMetrics(SM_CXHSCROLL);
    nTitle += 2 * cxArrow;
    // The today and none buttons stand a margin inside the window's left,
    // right and bottom edges, and are as high as their text plus the push
    // button's raised frame above and below it: a cell's height would leave
    // the text's descenders on the frame.
    const int nMargin = 2 * ::GetSystemMetrics(SM_CXEDGE);
    const int cyButton = digits.cy + 4 * ::GetSystemMetrics(SM_CYEDGE);
    const int cxClient = std::max(7 * m_nCellWidth + 2 * cxArrow, nTitle);
    const int cxWindow = cxClient + 2 * ::GetSystemMetrics(SM_CXEDGE);
    const int xGrid = (cxWindow - 7 * m_nCellWidth) / 2;
    m_rectGrid = CRect(xGrid, 2 * m_nCellHeight + 2, xGrid + 7 * m_nCellWidth, 2 * m_nCellHeight + 2 + 6 * m_nCellHeight);
    m_rectPrev = CRect(0, 0, cxArrow, m_nCellHeight);
    m_rectNext = CRect(cxWindow - cxArrow, 0, cxWindow, m_nCellHeight);
    m_rectTitle = CRect(cxArrow, 0, cxWindow - cxArrow, m_nCellHeight);
    const int yButtons = m_rectGrid.bottom + m_nCellHeight / 2;
    m_rectToday = CRect(nMargin, yButtons, nMargin + 3 * m_nCellWidth, yButtons + cyButton);
    m_rectNone = CRect(cxWindow - nMargin - 3 * m_nCellWidth, yButtons, cxWindow - nMargin, yButtons + cyButton);
    const int cyWindow = m_rectToday.bottom + nMargin;
    // the window's own frames come on top of the client area
    CRect rcWindow(0, 0, cxWindow, cyWindow);
    ::AdjustWindowRectEx(&rcWindow, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_btnToday.MoveWindow(&m_rectToday);
    m_btnNone.MoveWindow(&m_rectNone);
    m_btnTitle.MoveWindow(&m_rectTitle);
}

BOOL COXCalendarPopup::IsInRange(const COleDateTime& date) const
{
    if (!IsValidDate(date))
        return FALSE;
    if (IsValidDate(m_dateMin) && date < m_dateMin)
        return FALSE;
    if (IsValidDate(m_dateMax) && date > m_dateMax)
        return FALSE;
    return TRUE;
}

COleDateTime COXCalendarPopup::CellDate(int nCell) const
{
    return OXCalendarRules::GridStart(m_dateMonth, m_nFirstDayOfWeek) + COleDateTimeSpan(nCell, 0, 0, 0);
}

CRect COXCalendarPopup::CellRect(int nCell) const
{
    int x = m_rectGrid.left + (nCell % 7) * m_nCellWidth, y = m_rectGrid.top + (nCell / 7) * m_nCellHeight;
    return CRect(x, y, x + m_nCellWidth, y + m_nCellHeight);
}

int COXCalendarPopup::CellFromPoint(CPoint pt) const
{
    if (!m_rectGrid.PtInRect(pt))
        return -1;
    int nCell = ((pt.y - m_rectGrid.top) / m_nCellHeight) * 7 + (pt.x - m_rectGrid.left) / m_nCellWidth;
    return IsInRange(CellDate(nCell)) ? nCell : -1;
}

BOOL COXCalendarPopup::StepMonth(int nDirection)
{
    int y = m_dateMonth.GetYear(), m = m_dateMonth.GetMonth() + nDirection;
    if (m < 1) {
        m = 12;
        --y;
    } else if (m > 12) {
        m = 1;
        ++y;
    }
    COleDateTime month(y, m, 1, 0, 0, 0);
    if (!IsValidDate(month))
        return FALSE;
    // refused when no day of the new month's grid lies in the range
    COleDateTime first = OXCalendarRules::GridStart(month, m_nFirstDayOfWeek);
    COleDateTime last = first + COleDateTimeSpan(41, 0, 0, 0);
    if ((IsValidDate(m_dateMin) && last < m_dateMin) || (IsValidDate(m_dateMax) && first > m_dateMax))
        return FALSE;
    m_dateMonth = month;
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

void COXCalendarPopup::End(BOOL bChosen)
{
    if (!m_bEnding) {
        m_bEnding = TRUE;
        PostMessage(WM_OX_CALENDAR_END, bChosen);
    }
}

BOOL COXCalendarPopup::Pick(COleDateTime& date, const COleDateTime& dateMin, const COleDateTime& dateMax, CRect rcAnchor)
{
    // a range of a single day opens on that day; a reversed one opens nothing
    if (IsValidDate(dateMax) && IsValidDate(dateMin) &&
        OXCalendarRules::WholeDay(dateMax) < OXCalendarRules::WholeDay(dateMin))
        return FALSE;
    m_dateToday = OXCalendarRules::WholeDay(COleDateTime::GetCurrentTime());
    m_dateMin = OXCalendarRules::WholeDay(dateMin);
    m_dateMax = OXCalendarRules::WholeDay(dateMax);
    COleDateTime start = IsValidDate(date) ? OXCalendarRules::WholeDay(date) : m_dateToday;
    m_dateMonth = OXCalendarRules::Clamp(start, m_dateMin, m_dateMax);
    m_dateSelected = date;
    m_dateHot = IsValidDate(date) ? start : COleDateTime();
    if (!IsValidDate(date))
        m_dateHot.SetStatus(COleDateTime::null);
    m_btnToday.EnableWindow(IsInRange(m_dateToday));
    m_nTrackMode = TRACK_NONE;
    m_bEnding = FALSE;

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    int x = std::max(0, (int)rcAnchor.right - rcWindow.Width());
    int y = rcAnchor.bottom;
    if (y + rcWindow.Height() > ::GetSystemMetrics(SM_CYSCREEN))
        y = rcAnchor.top - rcWindow.Height();
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    SetCapture();

    BOOL bChosen = FALSE;
    OXRunPopupLoop([&](MSG& msg) {
        if (msg.message == WM_OX_CALENDAR_END && msg.hwnd == m_hWnd) {
            bChosen = (BOOL)msg.wParam;
            return FALSE;
        }
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN)
            return FALSE;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR ||
            msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP)
            return TRUE;
        ::DispatchMessage(&msg);
        // the capture went elsewhere: the pop-up was left
        if (::GetCapture() != m_hWnd && !m_bEnding)
            return FALSE;
        return TRUE;
    });
    KillTimer(SCROLL_TIMER);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
    if (bChosen)
        date = m_dateSelected;
    return bChosen;
}

void COXCalendarPopup::OnButtonDown(CPoint pt)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt)) {
        End(FALSE);
        return;
    }
    int nCell = CellFromPoint(pt);
    if (nCell >= 0) {
        m_nTrackMode = TRACK_CELLS;
        m_dateHot = CellDate(nCell);
        Invalidate();
    } else if (m_rectToday.PtInRect(pt) && m_btnToday.IsWindowEnabled()) {
        m_nTrackMode = TRACK_TODAY;
        m_btnToday.SetState(TRUE);
    } else if (m_rectNone.PtInRect(pt)) {
        m_nTrackMode = TRACK_NONEBUTTON;
        m_btnNone.SetState(TRUE);
    } else if (m_rectPrev.PtInRect(pt) || m_rectNext.PtInRect(pt)) {
        m_nScrollDirection = m_rectPrev.PtInRect(pt) ? 1 : 2;
        StepMonth(m_nScrollDirection == 1 ? -1 : 1);
        SetTimer(SCROLL_TIMER, 200, NULL);
    }
}

void COXCalendarPopup::OnMouseMoved(CPoint pt)
{
    if (m_nTrackMode == TRACK_TODAY)
        m_btnToday.SetState(m_rectToday.PtInRect(pt));
    else if (m_nTrackMode == TRACK_NONEBUTTON)
        m_btnNone.SetState(m_rectNone.PtInRect(pt));
    else if (m_nTrackMode == TRACK_CELLS) {
        int nCell = CellFromPoint(pt);
        if (nCell >= 0 && CellDate(nCell) != m_dateHot) {
            for (int i = 0; i < 42; ++i)
                if (CellDate(i) == m_dateHot)
                    InvalidateRect(CellRect(i));
            m_dateHot = CellDate(nCell);
            InvalidateRect(CellRect(nCell));
        }
    }
    if (m_nScrollDirection) {
        const CRect& rcArrow = m_nScrollDirection == 1 ? m_rectPrev : m_rectNext;
        if (!rcArrow.PtInRect(pt)) {
            KillTimer(SCROLL_TIMER);
            m_nScrollDirection = 0;
        }
    }
}

void COXCalendarPopup::OnButtonUp(CPoint pt)
{
    KillTimer(SCROLL_TIMER);
    m_nScrollDirection = 0;
    const int nMode = m_nTrackMode;
    m_nTrackMode = TRACK_NONE;
    m_btnToday.SetState(FALSE);
    m_btnNone.SetState(FALSE);
    if (nMode == TRACK_TODAY && m_rectToday.PtInRect(pt)) {
        m_dateSelected = m_dateToday;
        End(TRUE);
    } else if (nMode == TRACK_NONEBUTTON && m_rectNone.PtInRect(pt)) {
        m_dateSelected = COleDateTime();
        m_dateSelected.SetStatus(COleDateTime::null);
        End(TRUE);
    } else if (nMode == TRACK_CELLS) {
        int nCell = CellFromPoint(pt);
        if (nCell >= 0) {
            m_dateSelected = CellDate(nCell);
            End(TRUE);
        }
    }
}

void COXCalendarPopup::Paint(CDC* pDC)
{
    const COXCalendarLocale& loc = COXCalendarLocale::Get();
    CFont* pOld = pDC->SelectObject(&m_font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawFrameControl(&m_rectPrev, DFC_SCROLL, DFCS_SCROLLLEFT);
    pDC->DrawFrameControl(&m_rectNext, DFC_SCROLL, DFCS_SCROLLRIGHT);
    CString sTitle = loc.arrMonthNames[m_dateMonth.GetMonth() - 1] + m_dateMonth.Format(" %Y");
    CString sOld;
    m_btnTitle.GetWindowText(sOld);
    if (sOld != sTitle)
        m_btnTitle.SetWindowText(sTitle);
    // the day-name row, with a line under it and one under the grid
    pDC->SetTextColor(RGB(0, 0, 0));
    for (int c = 0; c < 7; ++c) {
        CRect rc = CellRect(c);
        rc.OffsetRect(0, -m_nCellHeight);
        CString sDay = loc.arrDayNames[(c + m_nFirstDayOfWeek) % 7].Left(1);
        pDC->DrawText(sDay, &rc, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOCLIP);
    }
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(m_rectGrid.left, m_rectGrid.top - 1);
    pDC->LineTo(m_rectGrid.right, m_rectGrid.top - 1);
    pDC->MoveTo(m_rectGrid.left, m_rectGrid.bottom + 1);
    pDC->LineTo(m_rectGrid.right, m_rectGrid.bottom + 1);
    pDC->SelectObject(pOldPen);
    CPen penToday(PS_SOLID, 1, RGB(192, 0, 0));
    for (int i = 0; i < 42; ++i) {
        COleDateTime day = CellDate(i);
        CRect rc = CellRect(i);
        CString sNumber;
        sNumber.Format("%d", day.GetDay());
        if (IsValidDate(m_dateHot) && day == m_dateHot) {
            CRect rcHot = rc;
            rcHot.OffsetRect(1, 0);
            pDC->FillSolidRect(&rcHot, Colours().clrHighlight);
            pDC->SetTextColor(Colours().clrHighlightText);
        } else {
            pDC->SetTextColor(day.GetMonth() == m_dateMonth.GetMonth() ? RGB(0, 0, 0) : Colours().clrShadow);
        }
        pDC->DrawText(sNumber, &rc, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOCLIP);
        if (day == m_dateToday) {
            pOldPen = pDC->SelectObject(&penToday);
            CBrush* pOldBrush = (CBrush*)pDC->SelectStockObject(NULL_BRUSH);
            pDC->Rectangle(&rc);
            pDC->SelectObject(pOldBrush);
            pDC->SelectObject(pOldPen);
        }
    }
    pDC->SelectObject(pOld);
}

LRESULT COXCalendarPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(this);
        Paint(&dc);
        return 0;
    }
    case WM_LBUTTONDOWN:
        OnButtonDown(pt);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMoved(pt);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(pt);
        return 0;
    case WM_TIMER:
        if (wParam == SCROLL_TIMER && m_nScrollDirection)
            StepMonth(m_nScrollDirection == 1 ? -1 : 1);
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != m_hWnd)
            End(FALSE);
        return 0;
    case WM_SETTINGCHANGE:
        COXCalendarLocale::Reload();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// COXCalendar
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COXCalendar, CWnd)

COXCalendar::COXCalendar()
    : m_dateMax(9999, 12, 31, 0, 0, 0),
      m_dateMin(100, 1, 1, 0, 0, 0),
      m_nFirstDayOfWeek(COXCalendarLocale::Get().nFirstDayOfWeek),
      m_hCursor(::LoadCursor(NULL, IDC_ARROW)),
      m_bButtonShown(FALSE),
      m_nButtonWidth(::GetSystemMetrics(SM_CXVSCROLL)),
      m_bCreating(FALSE)
{
    m_date.SetStatus(COleDateTime::null);
}

COXCalendar::~COXCalendar()
{
}

BOOL COXCalendar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID)
{
    m_bCreating = TRUE;
    BOOL bOK = CreateEx(0, AfxRegisterWndClass(0, m_hCursor, (HBRUSH)(COLOR_WINDOW + 1)), "", dwStyle, rect,
                        pParent, nID);
    m_bCreating = FALSE;
    if (!bOK)
        return FALSE;
    Setup();
    return TRUE;
}

void COXCalendar::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (!m_bCreating && AfxGetThreadState()->m_pWndInit == NULL)
        Setup();
}

void COXCalendar::Setup()
{
    CRect rc;
    GetClientRect(&rc);
    m_edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, rc, this, ID_EDIT);
    CWnd* pParent = GetParent();
    LOGFONT lf;
    if (pParent && pParent->GetFont() && pParent->GetFont()->GetLogFont(&lf)) {
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&lf);
        SetFont(&m_font);
        m_edit.SetFont(&m_font);
    }
    m_nButtonWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    m_popup.Create(this);
    m_popup.SetFirstDayOfWeek(m_nFirstDayOfWeek);
    if (IsValidDate(m_date))
        m_edit.SetWindowText(DateText(m_date));
}

BOOL COXCalendar::SetFirstDayOfWeek(int nDay)
{
    if (nDay < 0 || nDay > 6)
        return FALSE;
    m_nFirstDayOfWeek = (nDay + 6) % 7;
    m_popup.SetFirstDayOfWeek(m_nFirstDayOfWeek);
    return TRUE;
}

BOOL COXCalendar::SetRange(const COleDateTime& dateMin, const COleDateTime& dateMax)
{
    if (dateMin.GetStatus() == COleDateTime::invalid || dateMax.GetStatus() == COleDateTime::invalid)
        return FALSE;
    if (IsValidDate(dateMin) && IsValidDate(dateMax) && dateMin > dateMax)
        return FALSE;
    m_dateMin = dateMin;
    m_dateMax = dateMax;
    return TRUE;
}

BOOL COXCalendar::SetDate(const COleDateTime& date)
{
    if (date.GetStatus() == COleDateTime::invalid)
        return FALSE;
    if (IsValidDate(date) && OXCalendarRules::Clamp(date, m_dateMin, m_dateMax) != date)
        return FALSE;
    m_date = date;
    if (m_edit.m_hWnd)
        m_edit.SetWindowText(DateText(m_date));
    return TRUE;
}

void COXCalendar::ReadDate()
{
    if (m_edit.m_hWnd == NULL)
        return;
    m_date = COleDateTime();
    m_date.SetStatus(COleDateTime::null);
    CString sText;
    m_edit.GetWindowText(sText);
    int nDigit = sText.FindOneOf("0123456789");
    COleDateTime parsed;
    if (nDigit >= 0 && parsed.ParseDateTime(sText.Mid(nDigit), 0, LANG_USER_DEFAULT))
        m_date = parsed;
}

COleDateTime COXCalendar::GetDate()
{
    ReadDate();
    return m_date;
}

CString COXCalendar::DateText(const COleDateTime& date)
{
    COleDateTime kept = m_date;
    m_date = date;
    CString sText;
    FormatDate(sText);
    m_date = kept;
    return sText;
}

void COXCalendar::FormatDate(CString& sText)
{
    if (!IsValidDate(m_date)) {
        sText.LoadString(IDS_OX_CALENDAR_NONE);
        return;
    }
    if (m_sFormat.IsEmpty()) {
        const COXCalendarLocale& loc = COXCalendarLocale::Get();
        sText = loc.arrDayNames[(m_date.GetDayOfWeek() + 5) % 7] + " " + m_date.Format(VAR_DATEVALUEONLY, LANG_USER_DEFAULT);
    } else {
        sText = m_date.Format(m_sFormat);
    }
}

void COXCalendar::PlaceEdit()
{
    CRect rc;
    GetClientRect(&rc);
    if (m_bButtonShown)
        rc.right -= m_nButtonWidth;
    if (m_edit.m_hWnd)
        m_edit.MoveWindow(&rc);
    Invalidate();
}

void COXCalendar::ShowButton(BOOL bShow)
{
    m_bButtonShown = bShow;
    PlaceEdit();
}

void COXCalendar::Notify(UINT nCode)
{
    CWnd* pParent = GetParent();
    if (pParent)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), (LPARAM)m_hWnd);
}

void COXCalendar::TakeOverTypedDate()
{
    ReadDate();
    if (IsValidDate(m_date))
        m_edit.SetWindowText(DateText(m_date));
    Notify(EN_KILLFOCUS);
    ShowButton(FALSE);
}

LRESULT COXCalendar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        if (m_edit.m_hWnd)
            m_edit.SetFocus();
        return 0;
    case WM_PAINT: {
        CPaintDC dc(this);
        if (m_bButtonShown) {
            CRect rc;
            GetClientRect(&rc);
            rc.left = rc.right - m_nButtonWidth;
            dc.DrawFrameControl(&rc, DFC_SCROLL, DFCS_SCROLLDOWN);
        }
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && (HWND)wParam == m_hWnd) {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_EDIT && (HWND)lParam == m_edit.m_hWnd) {
            switch (HIWORD(wParam)) {
            case EN_SETFOCUS:
                Notify(EN_SETFOCUS);
                ShowButton(TRUE);
                break;
            case EN_KILLFOCUS: {
                ReadDate();
                COleDateTime clamped = OXCalendarRules::Clamp(m_date, m_dateMin, m_dateMax);
                m_date = clamped;
                if (IsValidDate(m_date))
                    m_edit.SetWindowText(DateText(m_date));
                Notify(EN_KILLFOCUS);
                ShowButton(FALSE);
                break;
            }
            case EN_CHANGE:
            case EN_UPDATE:
                Notify(HIWORD(wParam));
                break;
            default:
                break;
            }
            return 0;
        }
        break;
    case WM_CLOSE:
        ReadDate();
        break;
    case WM_LBUTTONDOWN: {
        ReadDate();
        m_date = OXCalendarRules::Clamp(m_date, m_dateMin, m_dateMax);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        COleDateTime date = m_date;
        if (m_popup.Pick(date, m_dateMin, m_dateMax, rcWindow)) {
            m_date = date;
            m_edit.SetWindowText(DateText(m_date));
        }
        SetFocus();
        return 0;
    }
    case WM_SETTINGCHANGE:
        COXCalendarLocale::Reload();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
