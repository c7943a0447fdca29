#include "OXTaskbarIcon.h"

IMPLEMENT_DYNAMIC(COXTaskbarIcon, CWnd)

static_assert(sizeof(OXNOTIFYICONDATA) == 88 || sizeof(void*) == 8,
              "the shell's short record is 88 bytes in the 32-bit build");

BEGIN_MESSAGE_MAP(COXTaskbarIcon, CWnd)
    ON_MESSAGE(OX_TASKBAR_CALLBACK, &COXTaskbarIcon::OnTaskbarCallback)
END_MESSAGE_MAP()

COXTaskbarIcon::COXTaskbarIcon()
{
}

COXTaskbarIcon::~COXTaskbarIcon()
{
    if (::IsWindow(m_hWnd)) {
        if (m_bShowing && Notify(NIM_DELETE))
            m_bShowing = FALSE;
        DestroyWindow();
    }
}

BOOL COXTaskbarIcon::Create(UINT nID)
{
    m_nIconID = nID;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_CLASSDC | CS_GLOBALCLASS, NULL, NULL, NULL);
    return CreateEx(0, lpszClass, "", 0, 0, 0, 0, 0, NULL, NULL);
}

void COXTaskbarIcon::SetTooltipText(UINT nIDText, BOOL bRefresh)
{
    CString sText;
    sText.LoadString(nIDText);
    SetTooltipText(sText, bRefresh);
}

void COXTaskbarIcon::SetTooltipText(LPCTSTR lpszText, BOOL bRefresh)
{
    SetWindowText(lpszText);
    if (m_bShowing && bRefresh)
        Refresh();
}

HICON COXTaskbarIcon::SetIcon(LPCTSTR lpszIconName, BOOL bRefresh)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszIconName, RT_GROUP_ICON);
    return SetIcon(::LoadIcon(hInst, lpszIconName), bRefresh);
}

HICON COXTaskbarIcon::SetIcon(UINT nIDIcon, BOOL bRefresh)
{
    return SetIcon(MAKEINTRESOURCE(nIDIcon), bRefresh);
}

HICON COXTaskbarIcon::SetIcon(HICON hIcon, BOOL bRefresh)
{
    HICON hOld = (HICON)SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    if (m_bShowing && bRefresh)
        Refresh();
    return hOld;
}

BOOL COXTaskbarIcon::Show()
{
    if (m_bShowing)
        return FALSE;
    if (Notify(NIM_ADD))
        m_bShowing = TRUE;
    return m_bShowing;
}

BOOL COXTaskbarIcon::Hide()
{
    if (!m_bShowing)
        return FALSE;
    if (!Notify(NIM_DELETE))
        return FALSE;
    m_bShowing = FALSE;
    return TRUE;
}

BOOL COXTaskbarIcon::Refresh()
{
    return m_bShowing ? Notify(NIM_MODIFY) : FALSE;
}

void COXTaskbarIcon::GetTooltipText(CString& rText) const
{
    GetWindowText(rText);
}

int COXTaskbarIcon::GetTooltipText(LPTSTR lpszText, int nMaxCount) const
{
    return GetWindowText(lpszText, nMaxCount);
}

HICON COXTaskbarIcon::GetIcon() const
{
    return (HICON)::SendMessage(m_hWnd, WM_GETICON, ICON_SMALL, 0);
}

void COXTaskbarIcon::FillNotifyData(DWORD dwMessage, OXNOTIFYICONDATA& nid) const
{
    memset(&nid, 0, sizeof(nid));
    // The shell knows this short form by its size, 88 bytes on 32 bits.
    nid.cbSize = sizeof(nid);
    nid.hWnd = m_hWnd;
    nid.uID = m_nIconID;
    if (dwMessage == NIM_DELETE)
        return;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = OX_TASKBAR_CALLBACK;
    nid.hIcon = GetIcon();
    ::GetWindowTextA(m_hWnd, nid.szTip, sizeof(nid.szTip));
}

BOOL COXTaskbarIcon::Notify(DWORD dwMessage)
{
    OXNOTIFYICONDATA nid;
    FillNotifyData(dwMessage, nid);
    return ::Shell_NotifyIconA(dwMessage, (PNOTIFYICONDATAA)&nid);
}

LRESULT COXTaskbarIcon::OnTaskbarCallback(WPARAM wParam, LPARAM lParam)
{
    HWND hTarget = ::GetWindow(m_hWnd, GW_OWNER);
    if (hTarget == NULL)
        hTarget = ::GetParent(m_hWnd);
    if (hTarget)
        ::PostMessage(hTarget, OX_TASKBAR_CALLBACK, wParam, lParam);
    else
        PostMessage((UINT)lParam, 0, 0);
    return -1;
}
