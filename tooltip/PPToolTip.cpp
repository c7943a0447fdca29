// PPToolTip.cpp - CPPToolTip: the tool registry, relaying of the owner's messages,
// and the timers and states that decide when a tip is shown, moved and hidden.
#include "PPToolTip.h"
#include <afxext.h>
#include <commctrl.h>
#include <stdlib.h>
#include <algorithm>

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

bool IsGroupBox(HWND hwnd)
{
    char cls[16] = "";
    ::GetClassNameA(hwnd, cls, sizeof(cls));
    return lstrcmpiA(cls, "Button") == 0 && (::GetWindowLongA(hwnd, GWL_STYLE) & 0x0F) == BS_GROUPBOX;
}

// The topmost visible child of hwndParent under the screen point that is not
// the tip, not a group box and (unless wanted) not disabled.
HWND ChildAt(HWND hwndParent, POINT ptScreen, HWND hwndTip, BOOL bDisabled)
{
    for (HWND h = ::GetWindow(hwndParent, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h == hwndTip || !::IsWindowVisible(h))
            continue;
        if (!bDisabled && (::GetWindowLongA(h, GWL_STYLE) & WS_DISABLED))
            continue;
        if (IsGroupBox(h))
            continue;
        RECT rc;
        ::GetWindowRect(h, &rc);
        if (::PtInRect(&rc, ptScreen))
            return h;
    }
    return NULL;
}

// A handle as the drawer's markup writes it.
CString HandleText(const void* h)
{
    char buf[32] = "";
    _ui64toa((unsigned long long)(UINT_PTR)h, buf, 16);
    return CString("0x") + buf;
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
      m_nResolvedDirection(16),
      m_hbmBackground(NULL),
      m_hbmScreen(NULL),
      m_hrgnTip(NULL),
      m_hbrBorder(NULL),
      m_nBorderWidth(1),
      m_nBorderHeight(1),
      m_bShadowBlurred(TRUE),
      m_nShadowDx(6),
      m_nShadowDy(6),
      m_nShadowBlurX(7),
      m_nShadowBlurY(7),
      m_nShadowDarkness(50),
      m_nTransparency(0),
      m_nMenuPlacement(0),
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
    if (m_hWnd)
        DestroyWindow();
    FreeTipResources();
    if (m_hbrBorder)
        ::DeleteObject(m_hbrBorder);
    RemoveAllTools();
}

void CPPToolTip::FreeTipResources()
{
    if (m_hrgnTip)
        ::DeleteObject(m_hrgnTip);
    if (m_hbmBackground)
        ::DeleteObject(m_hbmBackground);
    if (m_hbmScreen)
        ::DeleteObject(m_hbmScreen);
    m_hrgnTip = NULL;
    m_hbmBackground = NULL;
    m_hbmScreen = NULL;
}

BOOL CPPToolTip::Create(CWnd* pParentWnd, BOOL bBalloon)
{
    m_hParentWnd = pParentWnd ? pParentWnd->GetSafeHwnd() : NULL;
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, NULL, WS_POPUP,
                  0, 0, 0, 0, m_hParentWnd, NULL))
        return FALSE;
    SetDefaultSizes(bBalloon);
    m_drawer.SetRedrawCallback(m_hWnd, UDM_TOOLTIP_REPAINT, 0);
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

CString CPPToolTip::IconTipText(LPCTSTR lpszText, HICON hIcon)
{
    CString s;
    s.Format("<table><tr><td><icon handle=%s></td><td>%s</td></tr></table>", (LPCSTR)HandleText(hIcon),
             lpszText ? lpszText : "");
    return s;
}

CString CPPToolTip::ResourceIconTipText(LPCTSTR lpszText, UINT nIdIcon, CSize szIcon)
{
    CString s;
    s.Format("<table><tr><td><icon idres=%d width=%d height=%d></td><td>%s</td></tr></table>", (int)nIdIcon,
             (int)szIcon.cx, (int)szIcon.cy, lpszText ? lpszText : "");
    return s;
}

void CPPToolTip::AddToolWithIcon(CWnd* pWnd, LPCTSTR lpszString, HICON hIcon, LPCRECT lpRect, int nIDTool)
{
    AddTool(pWnd, IconTipText(lpszString, hIcon), lpRect, nIDTool);
}

void CPPToolTip::AddToolWithResourceIcon(CWnd* pWnd, LPCTSTR lpszString, UINT nIdIcon, CSize szIcon,
                                         LPCRECT lpRect, int nIDTool)
{
    AddTool(pWnd, ResourceIconTipText(lpszString, nIdIcon, szIcon), lpRect, nIDTool);
}

void CPPToolTip::AddToolFromStringWithIcon(CWnd* pWnd, UINT nIdText, HICON hIcon, LPCRECT lpRect, int nIDTool)
{
    CString s;
    s.LoadString(nIdText);
    AddToolWithIcon(pWnd, s, hIcon, lpRect, nIDTool);
}

void CPPToolTip::AddToolFromStringWithResourceIcon(CWnd* pWnd, UINT nIdText, UINT nIdIcon, CSize szIcon,
                                                   LPCRECT lpRect, int nIDTool)
{
    CString s;
    s.LoadString(nIdText);
    AddToolWithResourceIcon(pWnd, s, nIdIcon, szIcon, lpRect, nIDTool);
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

// A control bar's own tips are switched off through its bar style, which is
// where it keeps them, so that only this window shows tips over its buttons.
// A window that is no control bar has no bar style to change.
void CPPToolTip::AddToolBar(CWnd* pBar)
{
    HWND hwnd = pBar ? pBar->GetSafeHwnd() : NULL;
    if (!hwnd)
        return;
    for (size_t i = 0; i < m_ToolBars.size(); ++i)
        if (m_ToolBars[i] == hwnd)
            return;
    m_ToolBars.push_back(hwnd);
    if (CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar))
        pControlBar->SetBarStyle(pControlBar->GetBarStyle() & ~CBRS_TOOLTIPS);
}

// The deepest window under the point (parent client coordinates) that is
// visible, not the tip and not a group box, and not disabled unless wanted;
// the parent itself when no child is there.
HWND CPPToolTip::ChildWindowFromPoint(CPoint point, BOOL bDisabled) const
{
    POINT pt = point;
    ::ClientToScreen(m_hParentWnd, &pt);
    HWND hwnd = m_hParentWnd;
    for (int depth = 0; depth < 64; ++depth) {
        HWND child = ChildAt(hwnd, pt, m_hWnd, bDisabled);
        if (!child)
            break;
        hwnd = child;
    }
    return hwnd;
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
        const CPoint moved(pMsg->pt.x - m_ptLast.x, pMsg->pt.y - m_ptLast.y);
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
                    MoveTipBy(moved);
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
            ti.sTooltip = BuildWindowInfoText(pt);
            hwndTool = m_hWnd;
            m_hwndDisplayedTool = NULL;
        }
        ShowTool(hwndTool, ti, TRUE, PPTOOLTIP_SHOW_TOOL);
        break;
    }
    case WM_LBUTTONDOWN:
        if (IsCursorOverTip()) {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            m_drawer.OnHotAreaClick(pt);
        }
        HideNow();
        break;
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

void CPPToolTip::ShowTextAtPoint(CPoint pt, LPCTSTR lpszText, HICON hIcon)
{
    TooltipTool ti;
    ti.sTooltip = hIcon ? IconTipText(lpszText, hIcon) : CString(lpszText ? lpszText : "");
    ShowAtPoint(pt, ti);
}

void CPPToolTip::ShowTextAtPoint(CPoint pt, UINT nIdText, HICON hIcon)
{
    CString s;
    s.LoadString(nIdText);
    ShowTextAtPoint(pt, (LPCTSTR)s, hIcon);
}

void CPPToolTip::ShowTextWithResourceIcon(CPoint pt, LPCTSTR lpszText, UINT nIdIcon, CSize szIcon)
{
    TooltipTool ti;
    ti.sTooltip = ResourceIconTipText(lpszText, nIdIcon, szIcon);
    ShowAtPoint(pt, ti);
}

void CPPToolTip::ShowTextWithResourceIcon(CPoint pt, UINT nIdText, UINT nIdIcon, CSize szIcon)
{
    CString s;
    s.LoadString(nIdText);
    ShowTextWithResourceIcon(pt, (LPCTSTR)s, nIdIcon, szIcon);
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

// A tracking tip follows the cursor's movement, not its position.
void CPPToolTip::MoveTipBy(CPoint offset)
{
    if (!m_hWnd)
        return;
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(offset);
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

// Lays the next tool out, shapes the window and shows it with its stem at the
// point (screen coordinates).
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
    const int mx = m_nSizes[PPTTSZ_MARGIN_CX], my = m_nSizes[PPTTSZ_MARGIN_CY];
    // A tip never grows beyond the screen: what does not fit is cut off.
    const int reach = m_nSizes[PPTTSZ_HEIGHT_ANCHOR] + std::abs(m_nShadowDx) + std::abs(m_nShadowDy);
    text.cx = std::max(0, std::min<int>(text.cx, ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 2 * mx - reach));
    text.cy = std::max(0, std::min<int>(text.cy, ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 2 * my - reach));
    m_rcTipText.SetRect(mx, my, mx + text.cx, my + text.cy);
    m_rcTipBody.SetRect(0, 0, text.cx + 2 * mx, text.cy + 2 * my);

    CPoint anchor;
    m_nResolvedDirection = PlaceTip(m_tiDisplayed.nDirection, pt, anchor, m_rcTipBody, m_rcTipWindow, m_rcTipText);
    FreeTipResources();
    const int w = m_rcTipWindow.Width(), h = m_rcTipWindow.Height();
    m_hrgnTip = MakeTipRegion(m_nResolvedDirection, anchor.x, anchor.y, w, h);

    // The background is rendered once per tip; the stem repeats the body's
    // edge line next to it.
    m_hbmBackground = ::CreateCompatibleBitmap(hdc, std::max(w, 1), std::max(h, 1));
    HDC mem = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(mem, m_hbmBackground);
    CPPDrawManager& dm = *m_drawer.GetDrawManager();
    dm.FillRectWithEffect(mem, m_tiDisplayed.nEffect, &m_rcTipBody, m_tiDisplayed.crBegin, m_tiDisplayed.crMid,
                          m_tiDisplayed.crEnd, m_tiDisplayed.nGranularity, 5);
    const CRect& b = m_rcTipBody;
    switch (m_nResolvedDirection / 16) {
    case PPTOOLTIP_TOP_SIDE:
        dm.TileBlit(mem, b.left, 0, b.Width(), b.top, mem, b.left, b.top + 1, b.Width(), 1);
        break;
    case PPTOOLTIP_BOTTOM_SIDE:
        dm.TileBlit(mem, b.left, b.bottom, b.Width(), h - b.bottom, mem, b.left, b.bottom - 1, b.Width(), 1);
        break;
    case PPTOOLTIP_LEFT_SIDE:
        dm.TileBlit(mem, 0, b.top, b.left, b.Height(), mem, b.left + 1, b.top, 1, b.Height());
        break;
    default:
        dm.TileBlit(mem, b.right, b.top, w - b.right, b.Height(), mem, b.right - 1, b.top, 1, b.Height());
        break;
    }
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(m_hWnd, hdc);

    const CPoint topLeft(pt.x - anchor.x, pt.y - anchor.y);
    m_nTransparency = (m_bFadeInEnabled && m_dwTimeFadeIn != 0) ? 100 : m_tiDisplayed.nTransparency;

    HRGN hrgnWindow = ::CreateRectRgn(0, 0, 0, 0);
    if (m_nShadowDx || m_nShadowDy) {
        HRGN shadow = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(shadow, m_hrgnTip, NULL, RGN_COPY);
        ::OffsetRgn(shadow, m_nShadowDx, m_nShadowDy);
        ::CombineRgn(hrgnWindow, m_hrgnTip, shadow, RGN_OR);
        ::DeleteObject(shadow);
        m_rcTipWindow.right += m_nShadowDx;
        m_rcTipWindow.bottom += m_nShadowDy;
    } else {
        ::CombineRgn(hrgnWindow, m_hrgnTip, NULL, RGN_COPY);
    }
    ::SetWindowRgn(m_hWnd, hrgnWindow, FALSE);

    // What lies under the tip is copied from the screen before the tip shows:
    // the tip blends with it while it fades and casts its shadow on it.
    const int W = m_rcTipWindow.Width(), H = m_rcTipWindow.Height();
    HDC screen = ::GetDC(NULL);
    m_hbmScreen = ::CreateCompatibleBitmap(screen, std::max(W, 1), std::max(H, 1));
    HDC copy = ::CreateCompatibleDC(screen);
    old = ::SelectObject(copy, m_hbmScreen);
    ::BitBlt(copy, 0, 0, W, H, screen, topLeft.x, topLeft.y, SRCCOPY);
    ::SelectObject(copy, old);
    ::DeleteDC(copy);
    ::ReleaseDC(NULL, screen);

    ::SetWindowPos(m_hWnd, HWND_TOPMOST, topLeft.x, topLeft.y, W, H,
                   SWP_NOCOPYBITS | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

// Places a window of the body's size plus the stem so that the stem's point
// lands on the point, flipping sides and alignments at the virtual screen's
// edges.
int CPPToolTip::PlaceTip(int nDirection, CPoint point, CPoint& anchor, CRect& rcBody, CRect& rcWindow,
                         CRect& rcText)
{
    const int L = ::GetSystemMetrics(SM_XVIRTUALSCREEN), T = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int R = L + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), B = T + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int s = m_nSizes[PPTTSZ_HEIGHT_ANCHOR], o = m_nSizes[PPTTSZ_MARGIN_ANCHOR];
    int side = (nDirection / 16) & 3, align = nDirection % 16;
    if (align > 2)
        align = 0;

    rcWindow = rcBody;
    if (side == PPTOOLTIP_TOP_SIDE || side == PPTOOLTIP_BOTTOM_SIDE)
        rcWindow.bottom += s;
    else
        rcWindow.right += s;
    const int w = rcWindow.Width(), h = rcWindow.Height();

    // Horizontal fit.
    if (side <= PPTOOLTIP_BOTTOM_SIDE) {
        if (align == 0 && point.x + w - s > R)
            align = 1;
        else if (align == 1 && point.x + s - w < L)
            align = 0;
    } else if (side == PPTOOLTIP_LEFT_SIDE && point.x + w > R) {
        side = PPTOOLTIP_RIGHT_SIDE;
    } else if (side == PPTOOLTIP_RIGHT_SIDE && point.x - w < L) {
        side = PPTOOLTIP_LEFT_SIDE;
    }
    // Vertical fit.
    if (side == PPTOOLTIP_TOP_SIDE && point.y + h > B)
        side = PPTOOLTIP_BOTTOM_SIDE;
    else if (side == PPTOOLTIP_BOTTOM_SIDE && point.y - h < T)
        side = PPTOOLTIP_TOP_SIDE;
    else if (side >= PPTOOLTIP_LEFT_SIDE && align == 0 && point.y + h - s > B)
        align = 1;
    else if (side >= PPTOOLTIP_LEFT_SIDE && align == 1 && point.y + s - h < T)
        align = 0;

    if (side == PPTOOLTIP_TOP_SIDE)
        anchor.y = rcWindow.top;
    else if (side == PPTOOLTIP_BOTTOM_SIDE)
        anchor.y = rcWindow.bottom;
    else if (side == PPTOOLTIP_LEFT_SIDE)
        anchor.x = rcWindow.left;
    else
        anchor.x = rcWindow.right;
    if (side <= PPTOOLTIP_BOTTOM_SIDE) {
        anchor.x = align == 0 ? rcWindow.left + o
                 : align == 1 ? rcWindow.right - o
                              : rcWindow.left + (rcWindow.right - rcWindow.left) / 2;
    } else {
        anchor.y = align == 0 ? rcWindow.top + o
                 : align == 1 ? rcWindow.bottom - o
                              : (rcWindow.bottom - rcWindow.top) / 2;
    }

    // Keep the window on the screen along the stem's edge.
    const int dir = side * 16 + align;
    if (dir == 0 || dir == 2 || dir == 16 || dir == 18) {
        if (point.x - anchor.x < L)
            anchor.x = point.x - L;
    } else if (dir == 1 || dir == 17) {
        if (point.x + w - anchor.x > R)
            anchor.x = point.x + w - R;
    } else if (dir == 32 || dir == 34 || dir == 48 || dir == 50) {
        if (point.y - anchor.y < T)
            anchor.y = point.y - T;
    } else if (dir == 33 || dir == 49) {
        if (point.y + h - anchor.y > B)
            anchor.y = point.y + h - B;
    }

    if (side == PPTOOLTIP_TOP_SIDE) {
        rcBody.OffsetRect(0, s);
        rcText.OffsetRect(0, s);
    } else if (side == PPTOOLTIP_LEFT_SIDE) {
        rcBody.OffsetRect(s, 0);
        rcText.OffsetRect(s, 0);
    }
    return dir;
}

// A rounded body with a triangular stem from the anchor to its edge.
HRGN CPPToolTip::MakeTipRegion(int nDirection, int ax, int ay, int width, int height) const
{
    const int s = m_nSizes[PPTTSZ_HEIGHT_ANCHOR], o = m_nSizes[PPTTSZ_MARGIN_ANCHOR];
    const int sw = m_nSizes[PPTTSZ_WIDTH_ANCHOR];
    const int side = (nDirection / 16) & 3, align = nDirection % 16;
    int left = 0, top = 0, right = width, bottom = height;
    switch (side) {
    case PPTOOLTIP_TOP_SIDE: top = s; break;
    case PPTOOLTIP_BOTTOM_SIDE: bottom = height - s; break;
    case PPTOOLTIP_LEFT_SIDE: left = s; break;
    default: right = width - s; break;
    }
    POINT pts[3];
    pts[0].x = ax;
    pts[0].y = ay;
    if (side <= PPTOOLTIP_BOTTOM_SIDE) {
        const int edge = side == PPTOOLTIP_TOP_SIDE ? top : bottom;
        int from, to;
        if (align == 0) { from = left + o; to = left + o + sw; }
        else if (align == 1) { from = right - o; to = right - o - sw; }
        else { from = left + (right - sw - left) / 2; to = from + sw; }
        pts[1].x = from; pts[1].y = edge;
        pts[2].x = to; pts[2].y = edge;
    } else {
        const int edge = side == PPTOOLTIP_LEFT_SIDE ? left : right;
        int from, to;
        if (align == 0) { from = top + o; to = top + o + sw; }
        else if (align == 1) { from = bottom - o; to = bottom - o - sw; }
        else { from = top + (bottom - sw - top) / 2; to = from + sw; }
        pts[1].x = edge; pts[1].y = from;
        pts[2].x = edge; pts[2].y = to;
    }
    HRGN body = ::CreateRoundRectRgn(left, top, right + 1, bottom + 1, m_nSizes[PPTTSZ_ROUNDED_CX],
                                     m_nSizes[PPTTSZ_ROUNDED_CY]);
    HRGN stem = (s && sw) ? ::CreatePolygonRgn(pts, 3, ALTERNATE) : ::CreateRectRgn(0, 0, 0, 0);
    HRGN result = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(result, body, stem, RGN_OR);
    ::DeleteObject(body);
    ::DeleteObject(stem);
    return result;
}

// The tip paints the tool it last prepared, in that tool's shape; a tool
// waiting for a fade-out to end is prepared (and measured) when it shows.
void CPPToolTip::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    DrawTip(hdc, m_nTransparency);
    ::EndPaint(m_hWnd, &ps);
}

void CPPToolTip::DrawBorder(HDC hdc, HRGN hrgn)
{
    ::FrameRgn(hdc, hrgn, m_hbrBorder, m_nBorderWidth, m_nBorderHeight);
}

// Composes background, text, border and shadow over the copy of what lay under
// the tip, blended at the transparency (0 opaque, 100 invisible).
void CPPToolTip::DrawTip(HDC hdc, int nTransparency)
{
    if (!m_hWnd || !m_hbmBackground || !m_hrgnTip)
        return;
    const int t = std::max(0, std::min(100, nTransparency));
    const bool own = hdc == NULL;
    if (own)
        hdc = ::GetDC(m_hWnd);
    const int W = m_rcTipWindow.Width(), H = m_rcTipWindow.Height();
    const int bw = W - m_nShadowDx, bh = H - m_nShadowDy;

    HDC dcA = ::CreateCompatibleDC(hdc), dcB = ::CreateCompatibleDC(hdc), dcC = ::CreateCompatibleDC(hdc);
    HBITMAP bmA = ::CreateCompatibleBitmap(hdc, W, H), bmC = ::CreateCompatibleBitmap(hdc, W, H);
    HGDIOBJ oldA = ::SelectObject(dcA, bmA), oldB = ::SelectObject(dcB, m_hbmBackground);
    HGDIOBJ oldC = ::SelectObject(dcC, bmC);

    ::BitBlt(dcA, 0, 0, bw, bh, dcB, 0, 0, SRCCOPY);
    DrawTipText(dcA, m_tiDisplayed.sTooltip, m_rcTipText);
    if (m_hbrBorder && m_nBorderWidth && m_nBorderHeight)
        DrawBorder(dcA, m_hrgnTip);

    if (!m_hbmScreen) {
        m_hbmScreen = ::CreateCompatibleBitmap(hdc, W, H);
        HDC dcS = ::CreateCompatibleDC(hdc);
        HGDIOBJ o = ::SelectObject(dcS, m_hbmScreen);
        ::BitBlt(dcS, 0, 0, W, H, hdc, 0, 0, SRCCOPY);
        ::SelectObject(dcS, o);
        ::DeleteDC(dcS);
    }
    ::SelectObject(dcB, m_hbmScreen);
    ::BitBlt(dcC, 0, 0, W, H, dcB, 0, 0, SRCCOPY);
    ::SelectObject(dcB, m_hbmBackground);

    CPPDrawManager& dm = *m_drawer.GetDrawManager();
    if ((m_nShadowDx || m_nShadowDy) && bw > 0 && bh > 0) {
        // The shadow fades with the tip.
        HBITMAP mask = ::CreateCompatibleBitmap(hdc, bw, bh);
        HDC dcM = ::CreateCompatibleDC(hdc);
        HGDIOBJ o = ::SelectObject(dcM, mask);
        ::PatBlt(dcM, 0, 0, bw, bh, WHITENESS);
        const int e = ::MulDiv(255, 100 - m_nShadowDarkness, 100);
        const BYTE v = (BYTE)(e + (255 - e) * t / 100);
        HBRUSH grey = ::CreateSolidBrush(RGB(v, v, v));
        ::FillRgn(dcM, m_hrgnTip, grey);
        ::DeleteObject(grey);
        ::SelectObject(dcM, o);
        ::DeleteDC(dcM);
        dm.CastShadow(dcC, m_nShadowDx, m_nShadowDy, bw, bh, mask, m_bShadowBlurred, m_nShadowBlurX, m_nShadowBlurY);
        ::DeleteObject(mask);
    }
    ::SelectClipRgn(dcC, m_hrgnTip);
    dm.BlendBlit(dcC, 0, 0, bw, bh, dcA, 0, 0, 100 - t);
    ::SelectClipRgn(dcC, NULL);
    ::BitBlt(hdc, 0, 0, W, H, dcC, 0, 0, SRCCOPY);

    ::SelectObject(dcA, oldA);
    ::SelectObject(dcB, oldB);
    ::SelectObject(dcC, oldC);
    ::DeleteObject(bmA);
    ::DeleteObject(bmC);
    ::DeleteDC(dcA);
    ::DeleteDC(dcB);
    ::DeleteDC(dcC);
    if (own)
        ::ReleaseDC(m_hWnd, hdc);
}

CSize CPPToolTip::MeasureTipText(HDC hdc, const CString& sText)
{
    SIZE sz = {0, 0};
    m_drawer.MeasureHtml(&sz, hdc, sText);
    return CSize(sz.cx, sz.cy);
}

void CPPToolTip::DrawTipText(HDC hdc, const CString& sText, const RECT& rcText)
{
    m_drawer.DrawHtmlInRect(hdc, sText, rcText.left, rcText.top, rcText.right, rcText.bottom);
}

// Over a link the drawer shows its hand; elsewhere the arrow.
BOOL CPPToolTip::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    (void)pWnd; (void)nHitTest; (void)message;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (!m_drawer.OnHotAreaSetCursor(pt))
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    return TRUE;
}

void CPPToolTip::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive)
        HideNow();
}

// The link under the mouse changed: repainted at the transparency of the
// moment, so that a hover does not make a see-through tip opaque.
LRESULT CPPToolTip::OnDrawerRedraw(WPARAM, LPARAM)
{
    if (m_bRedrawRequests && IsWindowVisible())
        DrawTip(NULL, m_nTransparency);
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

// Without a brush or with a zero size there is no border. The brush held may
// come back with new sizes: it is not deleted under itself.
void CPPToolTip::SetBorder(HBRUSH hBrush, int nWidth, int nHeight)
{
    if (m_hbrBorder && m_hbrBorder != hBrush)
        ::DeleteObject(m_hbrBorder);
    m_hbrBorder = NULL;
    m_nBorderWidth = m_nBorderHeight = 0;
    if (hBrush && nWidth && nHeight) {
        m_hbrBorder = hBrush;
        m_nBorderWidth = nWidth;
        m_nBorderHeight = nHeight;
    } else if (hBrush) {
        ::DeleteObject(hBrush);
    }
}

void CPPToolTip::SetBorderColor(COLORREF color, int nWidth, int nHeight)
{
    SetBorder(::CreateSolidBrush(color), nWidth, nHeight);
}

void CPPToolTip::SetShadow(int nOffsetX, int nOffsetY, BYTE nDarkenPercent, BOOL bGradient, int nDepthX, int nDepthY)
{
    m_nShadowDx = nOffsetX;
    m_nShadowDy = nOffsetY;
    m_nShadowDarkness = nDarkenPercent > 100 ? 100 : nDarkenPercent;
    m_bShadowBlurred = bGradient;
    m_nShadowBlurX = nDepthX;
    m_nShadowBlurY = nDepthY;
}

// ---------------------------------------------------------------------------
// Menu-item tips
// ---------------------------------------------------------------------------

namespace {

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM lParam)
{
    char cls[16] = "";
    ::GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32768") == 0) {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

// The tip of a menu item is part 0 of its string resource (part 2 when the
// item is disabled), placed beside the item by the placement bits.
void CPPToolTip::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSubMenu)
{
    if (nFlags == 0xFFFF || (nFlags & (MF_POPUP | MF_SEPARATOR))) {
        HideNow();
        return;
    }
    if (nItemID == 0 || !hSubMenu)
        return;
    HWND hwndMenu = NULL;
    ::EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&hwndMenu));
    if (!hwndMenu) {
        HideNow();
        return;
    }
    CRect rcMenu;
    ::GetWindowRect(hwndMenu, &rcMenu);
    int y = rcMenu.top + ::GetSystemMetrics(SM_CYEDGE) + 1;
    const int count = ::GetMenuItemCount(hSubMenu);
    CRect rcItem;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        RECT rc;
        if (!::GetMenuItemRect(m_hParentWnd, hSubMenu, i, &rc))
            ::SetRectEmpty(&rc);
        if (::GetMenuItemID(hSubMenu, i) == nItemID) {
            rcItem = rc;
            found = true;
            break;
        }
        y += rc.bottom - rc.top;
    }
    if (!found) {
        HideNow();
        return;
    }
    const bool disabled = (::GetMenuState(hSubMenu, nItemID, MF_BYCOMMAND) & MF_DISABLED) != 0;
    TooltipTool ti;
    ti.sTooltip = CPPHtmlDrawer::GetStringResourceLine(nItemID, disabled ? 2 : 0);
    ti.rectBounds = rcItem;
    int x = rcMenu.left;
    if (m_nMenuPlacement & PPTOOLTIP_MENU_CENTER)
        x += rcItem.Width() / 2;
    else if (m_nMenuPlacement & PPTOOLTIP_MENU_RIGHT)
        x += rcItem.Width();
    if (m_nMenuPlacement & PPTOOLTIP_MENU_VCENTER)
        y += rcItem.Height() / 2;
    else if (m_nMenuPlacement & PPTOOLTIP_MENU_BOTTOM)
        y += rcItem.Height();
    m_nNextTooltipType = PPTOOLTIP_SHOW_MENU;
    m_ptLast = CPoint(x, y);
    ShowTool(hwndMenu, ti, TRUE, PPTOOLTIP_SHOW_MENU);
}

void CPPToolTip::OnEnterIdle(UINT nWhy, HWND hWho)
{
    if (nWhy != MSGF_MENU || m_nTooltipType != PPTOOLTIP_SHOW_MENU || m_nTooltipState != PPTOOLTIP_STATE_SHOWING)
        return;
    POINT pt;
    ::GetCursorPos(&pt);
    if (::WindowFromPoint(pt) != hWho)
        HideTooltip();
}

// ---------------------------------------------------------------------------
// Debug text
// ---------------------------------------------------------------------------

CString CPPToolTip::EscapeDebugText(const CString& sIn)
{
    CString s = sIn;
    s.Replace('<', '?');
    if (s.GetLength() > 25)
        s = s.Left(21) + " ...";
    return s;
}

CString CPPToolTip::BuildWindowInfoText(CPoint point)
{
    HWND hwnd = ChildWindowFromPoint(point, TRUE);
    HWND owner = hwnd ? ::GetParent(hwnd) : NULL;
    char cls[129] = "", title[129] = "";
    ::GetClassNameA(hwnd, cls, sizeof(cls));
    ::GetWindowTextA(hwnd, title, sizeof(title));
    CRect rc;
    ::GetWindowRect(hwnd, &rc);
    HWND found = NULL;
    TooltipTool ti;
    const bool hasTip = FindTool(point, found, ti) != FALSE;
    const char* row = "<tr><td bgcolor=buttonface>%s</td><td bgcolor=white>%s</td></tr>";
    CString text = "<table><tr><td><font color=darkblue>Window</font><table border=1>";
    CString line;
    line.Format("<tr><td bgcolor=buttonface>Class Name</td><td bgcolor=window>%s</td></tr>",
                (LPCSTR)EscapeDebugText(cls));
    text += line;
    line.Format(row, "Title", (LPCSTR)EscapeDebugText(title));
    text += line;
    line.Format("<tr><td bgcolor=buttonface>Handle</td><td bgcolor=white>0x%08X</td></tr>", (unsigned)(UINT_PTR)hwnd);
    text += line;
    line.Format("<tr><td bgcolor=buttonface>Control ID</td><td bgcolor=white>%d</td></tr>", (int)::GetWindowLongA(hwnd, GWL_ID));
    text += line;
    line.Format("<tr><td bgcolor=buttonface>Styles</td><td bgcolor=white>0x%08X</td></tr>",
                (unsigned)::GetWindowLongA(hwnd, GWL_STYLE));
    text += line;
    line.Format("<tr><td bgcolor=buttonface>RECT</td><td bgcolor=white>(%d, %d)-(%d, %d)</td></tr>",
                (int)rc.left, (int)rc.top, (int)rc.right, (int)rc.bottom);
    text += line;
    line.Format("<tr><td bgcolor=buttonface>Width</td><td bgcolor=white>%d</td></tr>", (int)rc.Width());
    text += line;
    line.Format("<tr><td bgcolor=buttonface>Height</td><td bgcolor=white>%d</td></tr>", (int)rc.Height());
    text += line;
    line.Format(row, "Has Tooltip", hasTip ? "Yes" : "No");
    text += line;
    text += "</table></td>";
    text += "<td><font color=darkblue>Window Owner</font><table border=1>";
    char ocls[129] = "N/A", otitle[129] = "N/A";
    if (owner) {
        ::GetClassNameA(owner, ocls, sizeof(ocls));
        ::GetWindowTextA(owner, otitle, sizeof(otitle));
    }
    line.Format(row, "Class Name", (LPCSTR)EscapeDebugText(ocls));
    text += line;
    line.Format(row, "Title", (LPCSTR)EscapeDebugText(otitle));
    text += line;
    line.Format("<tr><td bgcolor=buttonface>Handle</td><td bgcolor=white>0x%08X</td></tr>", (unsigned)(UINT_PTR)owner);
    text += line;
    text += "</table>";
    text += "<font color=darkblue>Mouse Cursor</font><table border=1>";
    line.Format("<tr><td bgcolor=buttonface>X</td><td bgcolor=white>%d</td></tr>", (int)point.x);
    text += line;
    line.Format("<tr><td bgcolor=buttonface>Y</td><td bgcolor=white>%d</td></tr>", (int)point.y);
    text += line;
    text += "</table></td></tr></table>";
    return text;
}
