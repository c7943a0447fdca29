// wndreflect.cpp - commands and notifications from child controls: the
// control sees its own notification first (reflection), then the parent's
// message map and command routing; owner-draw of menus.
#include "wndimpl.h"

// ---------------------------------------------------------------------------
// Commands and notifications
// ---------------------------------------------------------------------------

namespace {

// Collects what update handlers do with a command, to learn whether it is
// enabled before running it.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    if (hWndCtrl == NULL) {
        // a menu item or accelerator: an update handler may have disabled it
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (AfxGetWndThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;   // UpdateData is filling the controls
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;   // the control consumed its notification
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)pNMHDR->idFrom;
    int nCode = (int)pNMHDR->code;

    if (AfxGetWndThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    // A tooltip of a TTF_IDISHWND tool names the control by handle: route it
    // by the control's id like every other notification.
    if ((nCode == (int)TTN_NEEDTEXTA || nCode == (int)TTN_NEEDTEXTW) &&
        (((NMTTDISPINFOA*)pNMHDR)->uFlags & TTF_IDISHWND) && ::IsWindow((HWND)pNMHDR->idFrom))
        nID = (UINT)::GetDlgCtrlID((HWND)pNMHDR->idFrom);

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == NULL)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    MSG msg = AfxGetWndThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

// The notification runs through this (child) window's own map as
// WM_REFLECT_BASE + message. TRUE means consumed: the parent does not see it.
BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lDummy = 0;
    if (pResult == NULL)
        pResult = &lDummy;
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        AFX_NOTIFY notify;
        notify.pResult = pResult;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            AFX_CTLCOLOR ctl;
            ctl.hDC = (HDC)wParam;
            ctl.hWnd = (HWND)lParam;
            ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
            return CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, pResult);
        }
        return FALSE;
    }
}

// ---------------------------------------------------------------------------
// Default handlers of notifications from children: reflect, else Default()
// ---------------------------------------------------------------------------

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult;
    if (pWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

// The menu an owner-drawn item of this window belongs to: the popup last
// initialised for this window, else the search of the menu classes (tracked
// popup, menu bar, permanent menus).
static CMenu* FindOwnerDrawMenu(HWND hWnd, UINT nItemID)
{
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    if (pState->m_hTrackingWindow == hWnd && ::IsMenu(pState->m_hTrackingMenu)) {
        CMenu* pMenu = CMenu::FindPopupMenuFromID(CMenu::FromHandle(pState->m_hTrackingMenu), nItemID);
        if (pMenu != NULL)
            return pMenu;
    }
    return CMenu::FindMenuForMeasureItem(hWnd, nItemID);
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS->CtlType == ODT_MENU) {
        CMenu* pMenu = FindOwnerDrawMenu(m_hWnd, lpMIS->itemID);
        if (pMenu != NULL) {
            pMenu->MeasureItem(lpMIS);
            return;
        }
    } else {
        // no window handle in the message: find the control by its id
        CWnd* pChild = GetDescendantWindow((int)lpMIS->CtlID, TRUE);
        if (pChild != NULL && pChild->SendChildNotifyLastMsg())
            return;
    }
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS->CtlType == ODT_MENU) {
        CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDIS->hwndItem);
        if (pMenu == NULL)
            pMenu = FindOwnerDrawMenu(m_hWnd, lpDIS->itemID);
        if (pMenu != NULL) {
            pMenu->DrawItem(lpDIS);
            return;
        }
    } else if (ReflectLastMsg(lpDIS->hwndItem)) {
        return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCIS)
{
    LRESULT lResult;
    if (lpCIS->CtlType != ODT_MENU && ReflectLastMsg(lpCIS->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDIS)
{
    if (lpDIS->CtlType != ODT_MENU && ReflectLastMsg(lpDIS->hwndItem))
        return;
    Default();
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult;
    if (pListBox != NULL && ReflectLastMsg(reinterpret_cast<CWnd*>(pListBox)->m_hWnd, &lResult))
        return (int)lResult;
    return (int)Default();
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult;
    if (pListBox != NULL && ReflectLastMsg(reinterpret_cast<CWnd*>(pListBox)->m_hWnd, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

// A child's creation or destruction is reflected to it.
void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg((HWND)lParam))
        return;
    Default();
}

// Top-level windows pass system-wide changes on to their children; the main
// window refreshes afxData once for the whole program.
void CWnd::OnSysColorChange()
{
    if (AfxGetMainWnd() == this)
        afxData.UpdateSysColors();
    if (!(GetStyle() & WS_CHILD)) {
        const MSG& msg = AfxGetWndThreadState()->m_lastSentMsg;
        SendMessageToDescendants(msg.message, msg.wParam, msg.lParam, TRUE, TRUE);
    }
    Default();
}

void CWnd::OnSettingChange(UINT, LPCTSTR)
{
    if (AfxGetMainWnd() == this)
        afxData.UpdateSysMetrics();
    if (!(GetStyle() & WS_CHILD)) {
        MSG msg = AfxGetWndThreadState()->m_lastSentMsg;
        SendMessageToDescendants(msg.message, msg.wParam, msg.lParam, TRUE, TRUE);
    }
    Default();
}
