// SystemTray.h - CSystemTray: one icon in the shell's notification area, with
// its tooltip, its pop-up menu, a default command and an animation that cycles
// through a list of icons on a timer.
//
// The tray's menu is the menu resource whose id is the icon's id; its first
// pop-up is what the right button shows, with the default item in bold. A left
// click or double click sends the default command to the main window.
//
// Every call to the shell goes through s_pfnShellNotifyIcon, so that a host
// can watch or replace the shell. A shell that accepts an icon does not always
// show it (a desktop with no notification area says yes all the same), so a
// window that would hide itself to the tray asks IsIconShown first: it holds
// only while the icon was accepted, is not hidden and the shell's notification
// area is on the screen.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <afxdisp.h>
#include <shellapi.h>

#ifndef WM_TRAY_NOTIFY
#define WM_TRAY_NOTIFY (WM_USER + 0x1000)
#endif

class CSystemTray : public CWnd
{
    DECLARE_DYNAMIC(CSystemTray)
public:
    typedef BOOL (WINAPI* PFNSHELLNOTIFYICON)(DWORD dwMessage, PNOTIFYICONDATAA lpData);
    typedef BOOL (*PFNTRAYAREAVISIBLE)();

    // The shell's notification call (Shell_NotifyIconA by default).
    static PFNSHELLNOTIFYICON s_pfnShellNotifyIcon;
    // Whether the shell's notification area is on the screen (IsTrayAreaVisible
    // by default).
    static PFNTRAYAREAVISIBLE s_pfnTrayAreaVisible;
    // The shell's task bar exists, is visible and has its notification area,
    // also visible.
    static BOOL IsTrayAreaVisible();

    // The animation's timer on the tray's own window.
    enum { TIMER_ANIMATION = 4567 };
    // The tooltip's length without its terminator: longer texts are cut.
    enum { MAX_TIP_LENGTH = 63 };

    CSystemTray();
    CSystemTray(CWnd* pParent, UINT uCallbackMessage, LPCTSTR szTip, HICON icon, UINT uID);
    virtual ~CSystemTray();

    BOOL Create(CWnd* pParent, UINT uCallbackMessage, LPCTSTR szTip, HICON icon, UINT uID);

    // The shell accepted the icon and it was not removed.
    BOOL Enabled() const { return m_bEnabled; }
    BOOL Visible() const { return m_bEnabled && !m_bHidden; }
    // The icon is known to be on the screen: hide a window to the tray only then.
    BOOL IsIconShown() const;

    void RemoveIcon();
    void HideIcon();
    void ShowIcon();
    void MoveToRight();

    BOOL SetIcon(HICON hIcon);
    BOOL SetIcon(LPCTSTR lpszIconName);
    BOOL SetIcon(UINT nIDResource) { return SetIcon(MAKEINTRESOURCE(nIDResource)); }
    BOOL SetStandardIcon(LPCTSTR lpIconName);
    BOOL SetStandardIcon(UINT nIDResource) { return SetStandardIcon(MAKEINTRESOURCE(nIDResource)); }
    HICON GetIcon() const { return m_bEnabled ? m_tnd.hIcon : NULL; }

    BOOL SetTooltipText(LPCTSTR pszTip);
    BOOL SetTooltipText(UINT nID);
    CString GetTooltipText() const { return m_bEnabled ? CString(m_tnd.szTip) : CString(); }

    BOOL SetNotificationWnd(CWnd* pNotifyWnd);
    CWnd* GetNotificationWnd() const { return CWnd::FromHandle(m_tnd.hWnd); }

    BOOL SetMenuDefaultItem(UINT uItem, BOOL bByPos);
    void GetMenuDefaultItem(UINT& uItem, BOOL& bByPos) const
    {
        uItem = m_DefaultMenuItemID;
        bByPos = m_DefaultMenuItemByPos;
    }

    BOOL SetIconList(UINT uFirstIconID, UINT uLastIconID);
    BOOL SetIconList(HICON* pHIconList, UINT nNumIcons);
    // Interval in milliseconds; duration in seconds, 0 or less: until stopped.
    BOOL Animate(UINT nDelayMilliSeconds, int nNumSeconds = -1);
    BOOL StepAnimation();
    BOOL StopAnimation();
    BOOL IsAnimating() const { return m_uIDTimer != 0; }

    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL Notify(DWORD dwMessage) { return s_pfnShellNotifyIcon(dwMessage, &m_tnd); }

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    BOOL m_bEnabled;
    BOOL m_bHidden;
    NOTIFYICONDATAA m_tnd;
    CArray<HICON, HICON> m_IconList;
    UINT_PTR m_uIDTimer;
    int m_nCurrentIcon;
    COleDateTime m_StartTime;
    int m_nAnimationPeriod;
    HICON m_hSavedIcon;
    UINT m_DefaultMenuItemID;
    BOOL m_DefaultMenuItemByPos;
};
