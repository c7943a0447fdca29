// PPToolTip.cpp - CPPToolTip: the tool registry, relaying of the owner's messages,
// and the timers and states that decide when a tip is shown, moved and hidden.
#include "PPToolTip.h"
#include <commctrl.h>

namespace {

const char kClassName[] = "CPPToolTip";

// The nine sizes: corner ellipse, text margins, stem width, height and offset,
// and two kept values.
const int kSizesAtConstruction[9] = {16, 16, 12, 12, 12, 16, 16, 0, 0};
const int kSizesBalloon[9]        = {16, 16, 12, 12, 12, 16, 16, 0, 0};
const int kSizesPlain[9]          = {0, 0, 3, 1, 0, 0, 0, 0, 0};

// Part n (from 0) of a newline-separated text.
CString TextPart(const CString& s, int nPart)
{
    int start = 0;
    for (int i = 0; i < nPart; ++i) {
        int nl = s.Find('\n', start);
        if (nl < 0)
            return CString();
        start = nl + 1;
    }
    int end = s.Find('\n', start);
    return end < 0 ? s.Mid(start) : s.Mid(start, end - start);
}

struct ChildSearch
{
    HWND hwndTip;
    BOOL bDisabled;
    POINT pt;
    HWND hwndFound;
};

BOOL CALLBACK FindChildAt(HWND hwnd, LPARAM lParam)
{
    ChildSearch* s = reinterpret_cast<ChildSearch*>(lParam);
    if (hwnd == s->hwndTip)
        return TRUE;
    LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    if (!s->bDisabled && (style & WS_DISABLED))
        return TRUE;
    char cls[16] = "";
    ::GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Button") == 0 && (style & 0x0F) == BS_GROUPBOX)
        return TRUE;
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    if (!::PtInRect(&rc, s->pt))
        return TRUE;
    s->hwndFound = hwnd;
    return FALSE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPPToolTip, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_ACTIVATEAPP()
    ON_MESSAGE(UDM_TOOLTIP_REPAINT, &CPPToolTip::OnDrawerRedraw)
END_MESSAGE_MAP()

// The window class is registered once per module; a failed registration is a
// resource failure.
CPPToolTip::CPPToolTip()
    : m_nTooltipState(PPTOOLTIP_STATE_HIDEN),
      m_nTooltipType(PPTOOLTIP_SHOW_TOOL),
      m_hParentWnd(NULL),
      m_hNotifyWnd(NULL),
      m_bRedrawRequests(TRUE),
      m_bDebugMode(FALSE),
      m_ptLast(0, 0),
      m_hwndDisplayedTool(NULL),
      m_bDelayNextTool(FALSE),
      m_bNextToolExist(FALSE),
      m_hwndNextTool(NULL),
      m_nNextTooltipType(PPTOOLTIP_SHOW_TOOL),
      m_hbrBorder(NULL),
      m_nTransparency(0),
      m_dwTimeAutoPop(5000),
      m_dwTimeInitial(500),
      m_dwTimeFadeIn(0),
      m_dwTimeFadeOut(0),
      m_nBehaviour(0),
      m_nEffect(0),
      m_nDirection(16),
      m_nOption(0),
      m_nGranularity(0),
      m_nTransparencyDefault(0),
      m_bFadeInEnabled(TRUE),
      m_bFadeOutEnabled(TRUE)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSA wc;
    if (!::GetClassInfoA(hInst, kClassName, &wc)) {
        memset(&wc, 0, sizeof(wc));
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = NULL;
        wc.hbrBackground = NULL;
        wc.lpszClassName = kClassName;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
    COLORREF bk = ::GetSysColor(COLOR_INFOBK);
    m_crBegin = m_crMid = m_crEnd = bk;
    memcpy(m_nSizes, kSizesAtConstruction, sizeof(m_nSizes));
    m_hbrBorder = ::CreateSolidBrush(::GetSysColor(COLOR_INFOTEXT));
}

CPPToolTip::~CPPToolTip()
{
    if (m_hbrBorder)
        ::DeleteObject(m_hbrBorder);
    RemoveAllTools();
    if (m_hWnd)
        DestroyWindow();
}

BOOL CPPToolTip::Create(CWnd* pParentWnd, BOOL bBalloon)
{
    m_hParentWnd = pParentWnd ? pParentWnd->GetSafeHwnd() : NULL;
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, NULL, WS_POPUP,
                  0, 0, 0, 0, m_hParentWnd, NULL))
        return FALSE;
    SetDefaultSizes(bBalloon);
    return TRUE;
}

BOOL CPPToolTip::DestroyWindow()
{
    HideNow();
    return CWnd::DestroyWindow();
}

BOOL CPPToolTip::PreTranslateMessage(MSG* pMsg)
{
    RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Tools
// ---------------------------------------------------------------------------

// A window's tools are kept in insertion order; a tool with the same rectangle
// as an existing one replaces it.
void CPPToolTip::SetTool(CWnd* pWnd, TooltipTool& ti)
{
    HWND hwnd = pWnd ? pWnd->GetSafeHwnd() : NULL;
    std::vector<TooltipTool>& tools = m_Tools[hwnd];
    for (size_t i = 0; i < tools.size(); ++i) {
        if (::EqualRect(&tools[i].rectBounds, &ti.rectBounds)) {
            tools[i] = ti;
            return;
        }
    }
    tools.push_back(ti);
}

void CPPToolTip::AddTool(CWnd* pWnd, LPCTSTR lpszString, LPCRECT lpRect, int nIDTool)
{
    TooltipTool ti;
    ti.nIDTool = nIDTool;
    if (lpRect)
        ti.rectBounds = *lpRect;
    ti.sTooltip = lpszString ? lpszString : "";
    SetTool(pWnd, ti);
}

void CPPToolTip::AddToolFromString(CWnd* pWnd, UINT nIdText, LPCRECT lpRect, int nIDTool)
{
    CString s;
    s.LoadString(nIdText);
    AddTool(pWnd, s, lpRect, nIDTool);
}

// With a rectangle only the tool with that rectangle goes (and the window's
// entry with its last tool); without one, all the window's tools go.
void CPPToolTip::RemoveTool(CWnd* pWnd, LPCRECT lpRect)
{
    HWND hwnd = pWnd ? pWnd->GetSafeHwnd() : NULL;
    auto it = m_Tools.find(hwnd);
    if (it == m_Tools.end())
        return;
    if (!lpRect) {
        m_Tools.erase(it);
        return;
    }
    std::vector<TooltipTool>& tools = it->second;
    for (size_t i = 0; i < tools.size(); ++i) {
        if (::EqualRect(&tools[i].rectBounds, lpRect)) {
            tools.erase(tools.begin() + i);
            if (tools.empty())
                m_Tools.erase(it);
            return;
        }
    }
}

void CPPToolTip::RemoveAllTools()
{
    m_Tools.clear();
    m_ToolBars.clear();
}

// The bar's own tips are switched off so that only this window shows them.
void CPPToolTip::AddToolBar(CWnd* pBar)
{
    HWND hwnd = pBar ? pBar->GetSafeHwnd() : NULL;
    if (!hwnd)
        return;
    for (size_t i = 0; i < m_ToolBars.size(); ++i)
        if (m_ToolBars[i] == hwnd)
            return;
    m_ToolBars.push_back(hwnd);
    ::SetWindowLongPtrA(hwnd, GWL_STYLE, ::GetWindowLongPtrA(hwnd, GWL_STYLE) & ~(LONG_PTR)0x10);
}

// The first descendant of the parent under the point (screen order of
// enumeration), skipping the tip itself and group boxes; none gives the parent.
HWND CPPToolTip::ChildWindowFromPoint(CPoint point, BOOL bDisabled) const
{
    ChildSearch s;
    s.hwndTip = m_hWnd;
    s.bDisabled = bDisabled;
    s.pt = point;
    ::ClientToScreen(m_hParentWnd, &s.pt);
    s.hwndFound = NULL;
    ::EnumChildWindows(m_hParentWnd, FindChildAt, reinterpret_cast<LPARAM>(&s));
    return s.hwndFound ? s.hwndFound : m_hParentWnd;
}

// point: parent client coordinates. The window under it answers first, then
// that window's parent.
BOOL CPPToolTip::FindTool(CPoint point, HWND& hwndTool, TooltipTool& ti)
{
    HWND hwnd = ChildWindowFromPoint(point, FALSE);
    if (FindToolInWindow(hwnd, point, ti)) {
        hwndTool = hwnd;
        return TRUE;
    }
    HWND hwndParent = ::GetParent(hwnd);
    if (FindToolInWindow(hwndParent, point, ti)) {
        hwndTool = hwndParent;
        return TRUE;
    }
    return FALSE;
}

// A window with a single tool of empty rectangle answers for its whole area;
// otherwise the first tool whose rectangle holds the point.
BOOL CPPToolTip::FindToolInWindow(HWND hwnd, CPoint point, TooltipTool& ti)
{
    auto it = m_Tools.find(hwnd);
    if (it == m_Tools.end() || it->second.empty())
        return FALSE;
    const std::vector<TooltipTool>& tools = it->second;
    if (tools.size() == 1 && ::IsRectEmpty(&tools[0].rectBounds)) {
        ti = tools[0];
        return TRUE;
    }
    POINT pt = point;
    if (hwnd != m_hParentWnd) {
        ::ClientToScreen(m_hParentWnd, &pt);
        ::ScreenToClient(hwnd, &pt);
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hwnd);
    if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CScrollView))) {
        CPoint pos = static_cast<CScrollView*>(pWnd)->GetScrollPosition();
        pt.x += pos.x;
        pt.y += pos.y;
    }
    for (size_t i = 0; i < tools.size(); ++i) {
        if (::PtInRect(&tools[i].rectBounds, pt)) {
            ti = tools[i];
            return TRUE;
        }
    }
    return FALSE;
}

// A button of a registered tool bar gives a tool whose text is the second
// newline-separated part of the string resource with the button's command id.
BOOL CPPToolTip::FindToolBarButton(CPoint ptScreen, HWND& hwndBar, TooltipTool& ti)
{
    if (m_ToolBars.empty())
        return FALSE;
    HWND hwnd = ::WindowFromPoint(ptScreen);
    bool known = false;
    for (size_t i = 0; i < m_ToolBars.size(); ++i)
        if (m_ToolBars[i] == hwnd)
            known = true;
    if (!known)
        return FALSE;
    POINT pt = ptScreen;
    ::ScreenToClient(hwnd, &pt);
    int count = (int)::SendMessageA(hwnd, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        RECT rc;
        if (!::SendMessageA(hwnd, TB_GETITEMRECT, i, (LPARAM)&rc) || !::PtInRect(&rc, pt))
            continue;
        TBBUTTON button;
        memset(&button, 0, sizeof(button));
        ::SendMessageA(hwnd, TB_GETBUTTON, i, (LPARAM)&button);
        CString s;
        s.LoadString(button.idCommand);
        ti = TooltipTool();
        ti.nIDTool = button.idCommand;
        ti.rectBounds = rc;
        ti.sTooltip = TextPart(s, 1);
        hwndBar = hwnd;
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Relaying
// ---------------------------------------------------------------------------

LRESULT CPPToolTip::RelayEvent(MSG* pMsg)
{
    if (!pMsg || !m_hWnd)
        return 0;
    switch (pMsg->message) {
    case WM_MOUSEMOVE: {
        // A tip placed by the program stays until it is hidden explicitly.
        if (m_nTooltipType == PPTOOLTIP_SHOW_AT_POINT || m_nNextTooltipType == PPTOOLTIP_SHOW_AT_POINT)
            return 0;
        // Repeated moves at rest must not restart the show delay.
        if (pMsg->pt.x == m_ptLast.x && pMsg->pt.y == m_ptLast.y)
            return 0;
        m_ptLast = pMsg->pt;
        CPoint pt = pMsg->pt;
        ::ScreenToClient(m_hParentWnd, &pt);

        HWND hwndTool = NULL;
        TooltipTool ti;
        if (!m_bDebugMode) {
            if (IsCursorOverTip()) {
                if (!(m_tiDisplayed.nBehaviour & PPTOOLTIP_TRACKING_MOUSE)) {
                    if (m_tiDisplayed.nBehaviour & PPTOOLTIP_NOCLOSE_OVER)
                        RestartAutoPop();
                    else
                        HideTooltip();
                    return 0;
                }
            }
            if (!FindToolBarButton(pMsg->pt, hwndTool, ti) && !FindTool(pt, hwndTool, ti)) {
                m_hwndDisplayedTool = NULL;
                ::SetRectEmpty(&m_tiDisplayed.rectBounds);
                KillTooltipTimer(kTimerShow);
                HideTooltip();
                return 0;
            }
            if (hwndTool == m_hwndDisplayedTool &&
                ::EqualRect(&ti.rectBounds, &m_tiDisplayed.rectBounds)) {
                int b = m_tiDisplayed.nBehaviour;
                if (b & PPTOOLTIP_TRACKING_MOUSE) {
                    RestartAutoPop();
                    MoveTipBy(pt);
                    return 0;
                }
                if (b & PPTOOLTIP_CLOSE_LEAVEWND) {
                    RestartAutoPop();
                    return 0;
                }
                if (!(b & PPTOOLTIP_MULTIPLE_SHOW)) {
                    HideTooltip();
                    return 0;
                }
            }
        } else {
            // Diagnostics: the tip tells about the window under the cursor.
            HWND hwnd = ChildWindowFromPoint(pt, TRUE);
            char cls[129] = "";
            ::GetClassNameA(hwnd, cls, sizeof(cls));
            ti.sTooltip.Format("Window 0x%08X %s", (unsigned)(UINT_PTR)hwnd, cls);
            hwndTool = m_hWnd;
            m_hwndDisplayedTool = NULL;
        }
        ShowTool(hwndTool, ti, TRUE, PPTOOLTIP_SHOW_TOOL);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        HideNow();
        break;
    default:
        break;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Showing and hiding
// ---------------------------------------------------------------------------

// A shown tip makes way first; a tool arriving while a fade-out runs waits
// until it ends.
void CPPToolTip::ShowTool(HWND hwndTool, const TooltipTool& ti, BOOL bUseDelay, int nMode)
{
    m_bNextToolExist = FALSE;
    if (m_nTooltipState == PPTOOLTIP_STATE_APPEARING)
        KillTooltipTimer(kTimerFadeIn);
    if (m_nTooltipState == PPTOOLTIP_STATE_APPEARING || m_nTooltipState == PPTOOLTIP_STATE_SHOWING)
        OnHideTimer();

    m_nNextTooltipType = nMode;
    m_hwndNextTool = hwndTool;
    m_tiNextTool = ti;

    if (m_nTooltipState != PPTOOLTIP_STATE_HIDEN) {
        m_bNextToolExist = TRUE;
        m_bDelayNextTool = bUseDelay && m_dwTimeInitial != 0;
        return;
    }
    if (bUseDelay && m_dwTimeInitial != 0)
        SetTimer(kTimerShow, m_dwTimeInitial, NULL);
    else
        OnShowTimer();
}

void CPPToolTip::ShowAtPoint(CPoint pt, const TooltipTool& tool)
{
    m_ptLast = pt;
    TooltipTool ti = tool;
    ti.nBehaviour = m_nBehaviour | PPTOOLTIP_DISABLE_AUTOPOP;
    ti.nMask = PPTOOLTIP_MASK_BEHAVIOUR;
    m_bNextToolExist = FALSE;
    if (m_nTooltipState == PPTOOLTIP_STATE_APPEARING)
        KillTooltipTimer(kTimerFadeIn);
    if (m_nTooltipState == PPTOOLTIP_STATE_APPEARING || m_nTooltipState == PPTOOLTIP_STATE_SHOWING)
        OnHideTimer();
    m_nNextTooltipType = PPTOOLTIP_SHOW_AT_POINT;
    m_hwndNextTool = NULL;
    m_tiNextTool = ti;
    if (m_nTooltipState != PPTOOLTIP_STATE_HIDEN) {
        m_bNextToolExist = TRUE;
        m_bDelayNextTool = FALSE;
        return;
    }
    OnShowTimer();
}

void CPPToolTip::ShowTextAtPoint(CPoint pt, LPCTSTR lpszText)
{
    TooltipTool ti;
    ti.sTooltip = lpszText ? lpszText : "";
    ShowAtPoint(pt, ti);
}

void CPPToolTip::HideTooltip()
{
    if (m_nTooltipState == PPTOOLTIP_STATE_APPEARING) {
        KillTooltipTimer(kTimerFadeIn);
        OnHideTimer();
    } else if (m_nTooltipState == PPTOOLTIP_STATE_SHOWING) {
        OnHideTimer();
    }
}

// Hides at once, without fading; a tool that shows again on every move is
// forgotten so that the next move over it shows it anew.
void CPPToolTip::HideNow()
{
    m_nTooltipState = PPTOOLTIP_STATE_HIDEN;
    m_nTooltipType = PPTOOLTIP_SHOW_TOOL;
    m_nNextTooltipType = PPTOOLTIP_SHOW_TOOL;
    if (!m_hWnd)
        return;
    KillTooltipTimer(0);
    if (IsWindowVisible()) {
        if (m_tiDisplayed.nBehaviour & PPTOOLTIP_MULTIPLE_SHOW) {
            m_hwndDisplayedTool = NULL;
            ::SetRectEmpty(&m_tiDisplayed.rectBounds);
        }
        ShowWindow(SW_HIDE);
    }
}

void CPPToolTip::RestartAutoPop()
{
    if (m_dwTimeAutoPop != 0 && !(m_tiDisplayed.nBehaviour & PPTOOLTIP_DISABLE_AUTOPOP))
        SetTimer(kTimerHide, m_dwTimeAutoPop, NULL);
}

void CPPToolTip::KillTooltipTimer(UINT_PTR nIDTimer)
{
    if (!m_hWnd)
        return;
    if (nIDTimer != 0) {
        KillTimer(nIDTimer);
        return;
    }
    for (UINT_PTR id = kTimerShow; id <= kTimerFadeOut; ++id)
        KillTimer(id);
}

void CPPToolTip::MoveTipBy(CPoint pt)
{
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(pt);
    MoveWindow(rc, TRUE);
}

BOOL CPPToolTip::IsCursorOverTip() const
{
    if (!m_hWnd || !::IsWindowVisible(m_hWnd))
        return FALSE;
    POINT pt;
    ::GetCursorPos(&pt);
    return ::WindowFromPoint(pt) == m_hWnd;
}

void CPPToolTip::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kTimerShow:    OnShowTimer(); break;
    case kTimerHide:    OnHideTimer(); break;
    case kTimerFadeIn:  OnFadeInTimer(); break;
    case kTimerFadeOut: OnFadeOutTimer(); break;
    default:            CWnd::OnTimer(nIDEvent); break;
    }
}

// The tip appears only when the mouse is still where it came to rest.
void CPPToolTip::OnShowTimer()
{
    KillTooltipTimer(kTimerShow);
    CPoint pt;
    if (m_nNextTooltipType == PPTOOLTIP_SHOW_AT_POINT || m_nNextTooltipType == PPTOOLTIP_SHOW_MENU)
        pt = m_ptLast;
    else
        ::GetCursorPos(&pt);

    if (pt == m_ptLast) {
        if (m_nTooltipState != PPTOOLTIP_STATE_HIDEN)
            return;
        m_nTooltipState = PPTOOLTIP_STATE_APPEARING;
        PrepareTip(m_ptLast);
        if (m_nTooltipState != PPTOOLTIP_STATE_APPEARING)
            return;   // nothing to show
        if (m_bFadeInEnabled && m_dwTimeFadeIn != 0) {
            SetTimer(kTimerFadeIn, m_dwTimeFadeIn, NULL);
        } else {
            m_nTooltipState = PPTOOLTIP_STATE_SHOWING;
            if (m_dwTimeAutoPop != 0 && !(m_tiNextTool.nBehaviour & PPTOOLTIP_DISABLE_AUTOPOP))
                SetTimer(kTimerHide, m_dwTimeAutoPop, NULL);
        }
    } else if (m_nTooltipState == PPTOOLTIP_STATE_APPEARING) {
        KillTooltipTimer(kTimerFadeIn);
        OnHideTimer();
    } else if (m_nTooltipState == PPTOOLTIP_STATE_SHOWING) {
        OnHideTimer();
    }
}

void CPPToolTip::OnHideTimer()
{
    KillTooltipTimer(kTimerShow);
    KillTooltipTimer(kTimerFadeIn);
    KillTooltipTimer(kTimerHide);
    if (m_nTooltipState == PPTOOLTIP_STATE_DISAPPEARING)
        return;
    m_nTooltipState = PPTOOLTIP_STATE_DISAPPEARING;
    if (m_bFadeOutEnabled && m_dwTimeFadeOut != 0) {
        SetTimer(kTimerFadeOut, m_dwTimeFadeOut, NULL);
    } else {
        m_nTransparency = 100;
        OnFadeOutTimer();
    }
}

// Fading in goes by 20 percent a tick and stops at the tool's own transparency.
void CPPToolTip::OnFadeInTimer()
{
    m_nTransparency = m_nTransparency > 20 ? m_nTransparency - 20 : 0;
    if (m_tiDisplayed.nTransparency >= m_nTransparency) {
        m_nTransparency = m_tiDisplayed.nTransparency;
        KillTooltipTimer(kTimerFadeIn);
        m_nTooltipState = PPTOOLTIP_STATE_SHOWING;
        RestartAutoPop();
    }
    DrawTip(NULL, m_nTransparency);
}

// At the end of a fade-out the window goes, and a tool that waited is shown.
void CPPToolTip::OnFadeOutTimer()
{
    m_nTransparency = m_nTransparency >= 80 ? 100 : m_nTransparency + 20;
    if (m_nTransparency < 100) {
        DrawTip(NULL, m_nTransparency);
        return;
    }
    KillTooltipTimer(kTimerFadeOut);
    ShowWindow(SW_HIDE);
    m_nTooltipState = PPTOOLTIP_STATE_HIDEN;
    if (m_bNextToolExist) {
        m_bNextToolExist = FALSE;
        if (m_bDelayNextTool)
            SetTimer(kTimerShow, m_dwTimeInitial, NULL);
        else
            OnShowTimer();
    } else {
        m_nTooltipType = PPTOOLTIP_SHOW_TOOL;
        m_nNextTooltipType = PPTOOLTIP_SHOW_TOOL;
    }
}

// ---------------------------------------------------------------------------
// Preparing and painting
// ---------------------------------------------------------------------------

void CPPToolTip::ApplyDefaults(TooltipTool& ti) const
{
    if (!(ti.nMask & PPTOOLTIP_MASK_OPTION))
        ti.nOption = m_nOption;
    if (!(ti.nMask & PPTOOLTIP_MASK_EFFECT)) {
        ti.nEffect = m_nEffect;
        ti.nGranularity = m_nGranularity;
    }
    if (!(ti.nMask & PPTOOLTIP_MASK_COLORS)) {
        ti.crBegin = m_crBegin;
        ti.crMid = m_crMid;
        ti.crEnd = m_crEnd;
    }
    if (!(ti.nMask & PPTOOLTIP_MASK_DIRECTION))
        ti.nDirection = m_nDirection;
    if (!(ti.nMask & PPTOOLTIP_MASK_BEHAVIOUR))
        ti.nBehaviour = m_nBehaviour;
    if (!(ti.nMask & PPTOOLTIP_MASK_TRANSPARENCY))
        ti.nTransparency = m_nTransparencyDefault;
}

// Returns FALSE when the tip must not be shown (its text is empty after the
// notify window had its say).
BOOL CPPToolTip::NotifyDisplay(TooltipTool& ti)
{
    if (m_hNotifyWnd && m_hWnd) {
        TooltipDisplayNotify nm;
        nm.hdr.hwndFrom = m_hWnd;
        nm.hdr.idFrom = ::GetDlgCtrlID(m_hWnd);
        nm.hdr.code = UDM_TOOLTIP_DISPLAY;
        nm.hwndTool = m_hwndNextTool;
        POINT pt = m_ptLast;
        nm.pt = &pt;
        nm.ti = &ti;
        ::SendMessageA(m_hNotifyWnd, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
    }
    return !ti.sTooltip.IsEmpty();
}

// Lays the next tool out and shows it beside the point. The body is the text
// plus the margins; shaped windows and the stem come with the rich drawing.
void CPPToolTip::PrepareTip(CPoint pt)
{
    ApplyDefaults(m_tiNextTool);
    if (!NotifyDisplay(m_tiNextTool)) {
        m_nTooltipState = PPTOOLTIP_STATE_HIDEN;
        return;
    }
    m_hwndDisplayedTool = m_hwndNextTool;
    m_tiDisplayed = m_tiNextTool;
    m_nTooltipType = m_nNextTooltipType;

    HDC hdc = ::GetDC(m_hWnd);
    CSize text = MeasureTipText(hdc, m_tiDisplayed.sTooltip);
    ::ReleaseDC(m_hWnd, hdc);
    int mx = m_nSizes[2], my = m_nSizes[3];
    m_rcTipText.SetRect(mx, my, mx + text.cx, my + text.cy);
    m_rcTipWindow.SetRect(0, 0, text.cx + 2 * mx, text.cy + 2 * my);

    // Below and right of the cursor, kept on the virtual screen.
    int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    int right = left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int bottom = top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    int x = pt.x, y = pt.y + ::GetSystemMetrics(SM_CYCURSOR) / 2;
    if (x + m_rcTipWindow.Width() > right)
        x = right - m_rcTipWindow.Width();
    if (y + m_rcTipWindow.Height() > bottom)
        y = pt.y - m_rcTipWindow.Height();
    if (x < left)
        x = left;
    if (y < top)
        y = top;

    m_nTransparency = (m_bFadeInEnabled && m_dwTimeFadeIn != 0) ? 100 : m_tiDisplayed.nTransparency;
    ::SetWindowPos(m_hWnd, HWND_TOP, x, y, m_rcTipWindow.Width(), m_rcTipWindow.Height(),
                   SWP_NOCOPYBITS | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void CPPToolTip::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    DrawTip(hdc, m_nTransparency);
    ::EndPaint(m_hWnd, &ps);
}

// Plain painting: background colour, text and border. Transparency is kept
// for the composing painter and not applied here.
void CPPToolTip::DrawTip(HDC hdc, int nTransparency)
{
    (void)nTransparency;
    if (!m_hWnd)
        return;
    bool own = hdc == NULL;
    if (own)
        hdc = ::GetDC(m_hWnd);
    HBRUSH bk = ::CreateSolidBrush(m_tiDisplayed.crBegin);
    ::FillRect(hdc, &m_rcTipWindow, bk);
    ::DeleteObject(bk);
    DrawTipText(hdc, m_tiDisplayed.sTooltip, m_rcTipText);
    if (m_hbrBorder)
        ::FrameRect(hdc, &m_rcTipWindow, m_hbrBorder);
    if (own)
        ::ReleaseDC(m_hWnd, hdc);
}

CSize CPPToolTip::MeasureTipText(HDC hdc, const CString& sText) const
{
    HGDIOBJ old = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
    RECT rc = {0, 0, 0, 0};
    ::DrawTextA(hdc, sText, sText.GetLength(), &rc, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(hdc, old);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

void CPPToolTip::DrawTipText(HDC hdc, const CString& sText, const RECT& rcText) const
{
    HGDIOBJ old = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
    int mode = ::SetBkMode(hdc, TRANSPARENT);
    COLORREF clr = ::SetTextColor(hdc, ::GetSysColor(COLOR_INFOTEXT));
    RECT rc = rcText;
    ::DrawTextA(hdc, sText, sText.GetLength(), &rc, DT_NOPREFIX | DT_EXPANDTABS);
    ::SetTextColor(hdc, clr);
    ::SetBkMode(hdc, mode);
    ::SelectObject(hdc, old);
}

BOOL CPPToolTip::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    (void)pWnd; (void)nHitTest; (void)message;
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    return TRUE;
}

void CPPToolTip::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive)
        HideNow();
}

LRESULT CPPToolTip::OnDrawerRedraw(WPARAM, LPARAM)
{
    if (m_bRedrawRequests)
        DrawTip(NULL, 0);
    return 1;
}

// ---------------------------------------------------------------------------
// Settings
// ---------------------------------------------------------------------------

void CPPToolTip::SetDelayTime(DWORD dwType, DWORD dwTime)
{
    switch (dwType) {
    case PPTOOLTIP_TIME_AUTOPOP: m_dwTimeAutoPop = dwTime; break;
    case PPTOOLTIP_TIME_INITIAL: m_dwTimeInitial = dwTime; break;
    case PPTOOLTIP_TIME_FADEIN:  m_dwTimeFadeIn = dwTime; break;
    case PPTOOLTIP_TIME_FADEOUT: m_dwTimeFadeOut = dwTime; break;
    default: break;
    }
}

DWORD CPPToolTip::GetDelayTime(DWORD dwType) const
{
    switch (dwType) {
    case PPTOOLTIP_TIME_AUTOPOP: return m_dwTimeAutoPop;
    case PPTOOLTIP_TIME_INITIAL: return m_dwTimeInitial;
    case PPTOOLTIP_TIME_FADEIN:  return m_dwTimeFadeIn;
    case PPTOOLTIP_TIME_FADEOUT: return m_dwTimeFadeOut;
    default: return 0;
    }
}

// Only the low byte counts; above 100 percent is refused.
void CPPToolTip::SetTransparency(BYTE nTransparency)
{
    if (nTransparency <= 100)
        m_nTransparencyDefault = nTransparency;
}

void CPPToolTip::SetSize(int nIndex, int nValue)
{
    if (nIndex >= 0 && nIndex < kSizeCount)
        m_nSizes[nIndex] = nValue;
}

int CPPToolTip::GetSize(int nIndex) const
{
    return (nIndex >= 0 && nIndex < kSizeCount) ? m_nSizes[nIndex] : 0;
}

void CPPToolTip::SetDefaultSizes(BOOL bBalloon)
{
    memcpy(m_nSizes, bBalloon ? kSizesBalloon : kSizesPlain, sizeof(m_nSizes));
}
