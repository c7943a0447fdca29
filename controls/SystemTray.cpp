// SystemTray.cpp - CSystemTray: the notification-area icon, its menu and its
// animation.
#include "SystemTray.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CSystemTray, CWnd)

BEGIN_MESSAGE_MAP(CSystemTray, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CSystemTray::PFNSHELLNOTIFYICON CSystemTray::s_pfnShellNotifyIcon = ::Shell_NotifyIconA;
CSystemTray::PFNTRAYAREAVISIBLE CSystemTray::s_pfnTrayAreaVisible = CSystemTray::IsTrayAreaVisible;

// A shell that takes icons without a task bar (a bare X display, a kiosk
// shell) still answers yes; what a user can click is the task bar's
// notification area, so that is what is looked for, not the answer.
BOOL CSystemTray::IsTrayAreaVisible()
{
    HWND hTray = ::FindWindowA("Shell_TrayWnd", NULL);
    if (hTray == NULL || !::IsWindowVisible(hTray))
        return FALSE;
    HWND hNotify = ::FindWindowExA(hTray, NULL, "TrayNotifyWnd", NULL);
    return hNotify != NULL && ::IsWindowVisible(hNotify);
}

CSystemTray::CSystemTray()
    : m_bEnabled(FALSE), m_bHidden(FALSE), m_uIDTimer(0), m_nCurrentIcon(0), m_nAnimationPeriod(0),
      m_hSavedIcon(NULL), m_DefaultMenuItemID(0), m_DefaultMenuItemByPos(TRUE)
{
    memset(&m_tnd, 0, sizeof(m_tnd));
    m_StartTime = COleDateTime();
}

CSystemTray::CSystemTray(CWnd* pParent, UINT uCallbackMessage, LPCTSTR szTip, HICON icon, UINT uID)
    : CSystemTray()
{
    Create(pParent, uCallbackMessage, szTip, icon, uID);
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
    m_IconList.RemoveAll();
    if (m_hWnd != NULL)
        DestroyWindow();
}

// The tooltip field holds MAX_TIP_LENGTH characters and a terminator; a longer
// text is cut rather than refused, so the icon always says who it belongs to.
static void CopyTip(NOTIFYICONDATAA& tnd, LPCTSTR pszTip)
{
    memset(tnd.szTip, 0, sizeof(tnd.szTip));
    if (pszTip != NULL)
        lstrcpynA(tnd.szTip, pszTip, CSystemTray::MAX_TIP_LENGTH + 1);
}

BOOL CSystemTray::Create(CWnd* pParent, UINT uCallbackMessage, LPCTSTR szTip, HICON icon, UINT uID)
{
    m_bEnabled = (LOBYTE(LOWORD(::GetVersion())) >= 4);
    if (!m_bEnabled)
        return FALSE;

    // The tray's own window only receives the animation timer.
    if (m_hWnd == NULL)
        CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL);

    memset(&m_tnd, 0, sizeof(m_tnd));
    // The first-version layout: every shell understands it.
    m_tnd.cbSize = NOTIFYICONDATAA_V1_SIZE;
    HWND hParent = pParent != NULL ? pParent->GetSafeHwnd() : NULL;
    m_tnd.hWnd = hParent != NULL ? hParent : m_hWnd;
    m_tnd.uID = uID;
    m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_tnd.uCallbackMessage = uCallbackMessage;
    m_tnd.hIcon = icon;
    CopyTip(m_tnd, szTip);

    m_bHidden = FALSE;
    m_bEnabled = Notify(NIM_ADD);
    return m_bEnabled;
}

BOOL CSystemTray::IsIconShown() const
{
    return m_bEnabled && !m_bHidden && s_pfnTrayAreaVisible != NULL && s_pfnTrayAreaVisible();
}

void CSystemTray::RemoveIcon()
{
    if (!m_bEnabled)
        return;
    m_tnd.uFlags = 0;
    Notify(NIM_DELETE);
    m_bEnabled = FALSE;
}

void CSystemTray::HideIcon()
{
    if (!m_bEnabled || m_bHidden)
        return;
    m_tnd.uFlags = NIF_ICON;
    Notify(NIM_DELETE);
    m_bHidden = TRUE;
}

void CSystemTray::ShowIcon()
{
    if (!m_bEnabled || !m_bHidden)
        return;
    m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    Notify(NIM_ADD);
    m_bHidden = FALSE;
}

// The shell puts a re-added icon at the end of the row.
void CSystemTray::MoveToRight()
{
    HideIcon();
    ShowIcon();
}

BOOL CSystemTray::SetIcon(HICON hIcon)
{
    if (!m_bEnabled)
        return FALSE;
    m_tnd.uFlags = NIF_ICON;
    m_tnd.hIcon = hIcon;
    return Notify(NIM_MODIFY);
}

BOOL CSystemTray::SetIcon(LPCTSTR lpszIconName)
{
    return SetIcon(AfxGetApp()->LoadIcon(lpszIconName));
}

BOOL CSystemTray::SetStandardIcon(LPCTSTR lpIconName)
{
    return SetIcon(::LoadIconA(NULL, lpIconName));
}

BOOL CSystemTray::SetTooltipText(LPCTSTR pszTip)
{
    if (!m_bEnabled)
        return FALSE;
    CopyTip(m_tnd, pszTip);
    m_tnd.uFlags = NIF_TIP;
    return Notify(NIM_MODIFY);
}

BOOL CSystemTray::SetTooltipText(UINT nID)
{
    CString strText;
    strText.LoadString(nID);
    return SetTooltipText(strText);
}

BOOL CSystemTray::SetNotificationWnd(CWnd* pNotifyWnd)
{
    if (!m_bEnabled)
        return FALSE;
    m_tnd.hWnd = pNotifyWnd->GetSafeHwnd();
    m_tnd.uFlags = 0;
    return Notify(NIM_MODIFY);
}

// The tray's menu is the first popup of the menu resource with the icon's id;
// NULL when there is none.
static CMenu* LoadTrayPopup(CMenu& menu, UINT nID)
{
    return menu.LoadMenu(nID) ? menu.GetSubMenu(0) : NULL;
}

// The values are kept even when the menu cannot be had now: they are applied
// each time the menu is shown.
BOOL CSystemTray::SetMenuDefaultItem(UINT uItem, BOOL bByPos)
{
    if (m_DefaultMenuItemID == uItem && m_DefaultMenuItemByPos == bByPos)
        return TRUE;
    m_DefaultMenuItemID = uItem;
    m_DefaultMenuItemByPos = bByPos;

    CMenu menu;
    CMenu* pSubMenu = LoadTrayPopup(menu, m_tnd.uID);
    if (pSubMenu == NULL)
        return FALSE;
    ::SetMenuDefaultItem(pSubMenu->GetSafeHmenu(), m_DefaultMenuItemID, m_DefaultMenuItemByPos);
    return TRUE;
}

// Running out of memory reports the error to the user and leaves an empty
// list, so the animation does nothing rather than cycle a partial list.
template <class Fill>
static BOOL RebuildIconList(CArray<HICON, HICON>& list, Fill fill)
{
    list.RemoveAll();
    try {
        fill(list);
    } catch (CMemoryException* e) {
        e->ReportError();
        e->Delete();
        list.RemoveAll();
        return FALSE;
    }
    return TRUE;
}

BOOL CSystemTray::SetIconList(UINT uFirstIconID, UINT uLastIconID)
{
    if (uFirstIconID > uLastIconID)
        return FALSE;
    return RebuildIconList(m_IconList, [=](CArray<HICON, HICON>& list) {
        for (UINT i = uFirstIconID; i <= uLastIconID; i++)
            list.Add(AfxGetApp()->LoadIcon(i));
    });
}

BOOL CSystemTray::SetIconList(HICON* pHIconList, UINT nNumIcons)
{
    return RebuildIconList(m_IconList, [=](CArray<HICON, HICON>& list) {
        for (UINT i = 0; i < nNumIcons; i++)
            list.Add(pHIconList[i]);
    });
}

// A running animation ends first, so the icon put back at the very end is the
// one shown before the first Animate, not an animation frame.
BOOL CSystemTray::Animate(UINT nDelayMilliSeconds, int nNumSeconds)
{
    StopAnimation();
    // The timer lives on the tray's own window: before Create there is none,
    // and a timer set without a window would be the thread's, which no stop
    // could find again.
    if (!::IsWindow(m_hWnd))
        return FALSE;

    m_nCurrentIcon = 0;
    m_StartTime = COleDateTime::GetCurrentTime();
    m_nAnimationPeriod = nNumSeconds;
    m_hSavedIcon = GetIcon();

    m_uIDTimer = SetTimer(TIMER_ANIMATION, nDelayMilliSeconds);
    return m_uIDTimer != 0;
}

// The first step after Animate shows the second icon of the list.
BOOL CSystemTray::StepAnimation()
{
    if (m_IconList.GetSize() == 0)
        return FALSE;
    m_nCurrentIcon++;
    if (m_nCurrentIcon >= m_IconList.GetSize())
        m_nCurrentIcon = 0;
    return SetIcon(m_IconList[m_nCurrentIcon]);
}

BOOL CSystemTray::StopAnimation()
{
    BOOL bResult = FALSE;
    if (m_uIDTimer != 0 && m_hWnd != NULL)
        bResult = KillTimer(m_uIDTimer);
    m_uIDTimer = 0;
    if (m_hSavedIcon != NULL && m_bEnabled)
        SetIcon(m_hSavedIcon);
    m_hSavedIcon = NULL;
    return bResult;
}

// The duration counts whole seconds of the wall clock (the elapsed time is
// rounded half away from zero, which only absorbs the day fraction's error):
// with 5 the animation stops at the first tick once the clock's seconds have
// moved on by 6.
void CSystemTray::OnTimer(UINT_PTR /*nIDEvent*/)
{
    if (m_nAnimationPeriod > 0) {
        COleDateTimeSpan span = COleDateTime::GetCurrentTime() - m_StartTime;
        double dSeconds = (double)span * 86400.0;
        long nSeconds = (long)(dSeconds + (dSeconds >= 0 ? 0.5 : -0.5));
        if (nSeconds > m_nAnimationPeriod) {
            StopAnimation();
            return;
        }
    }
    StepAnimation();
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_tnd.uCallbackMessage && m_tnd.uCallbackMessage != 0)
        return OnTrayNotification(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

// Right button: the tray menu at the cursor, its commands going to the main
// window; left click or double click: the default command. The main window is
// brought to the front first, or the menu would not close when the user clicks
// elsewhere; the posted WM_NULL lets the shell finish its own tracking.
LRESULT CSystemTray::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_tnd.uID)
        return 0;

    CWnd* pTarget = AfxGetMainWnd();
    UINT uMouseMsg = LOWORD(lParam);

    if (uMouseMsg == WM_RBUTTONUP) {
        CMenu menu;
        CMenu* pSubMenu = LoadTrayPopup(menu, m_tnd.uID);
        if (pSubMenu == NULL)
            return 0;
        ::SetMenuDefaultItem(pSubMenu->GetSafeHmenu(), m_DefaultMenuItemID, m_DefaultMenuItemByPos);

        CPoint pos;
        ::GetCursorPos(&pos);
        HWND hTarget = pTarget->GetSafeHwnd();
        if (hTarget != NULL)
            ::SetForegroundWindow(hTarget);
        ::TrackPopupMenu(pSubMenu->GetSafeHmenu(), 0, pos.x, pos.y, 0, hTarget, NULL);
        if (hTarget != NULL)
            ::PostMessage(hTarget, WM_NULL, 0, 0);
        menu.DestroyMenu();
    } else if (uMouseMsg == WM_LBUTTONDOWN || uMouseMsg == WM_LBUTTONDBLCLK) {
        if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
            return 0;
        pTarget->SetForegroundWindow();

        UINT uItem = m_DefaultMenuItemID;
        if (m_DefaultMenuItemByPos) {
            CMenu menu;
            CMenu* pSubMenu = LoadTrayPopup(menu, m_tnd.uID);
            if (pSubMenu == NULL)
                return 0;
            uItem = ::GetMenuItemID(pSubMenu->GetSafeHmenu(), (int)m_DefaultMenuItemID);
        }
        pTarget->SendMessage(WM_COMMAND, uItem, 0);
    }
    return 1;
}
