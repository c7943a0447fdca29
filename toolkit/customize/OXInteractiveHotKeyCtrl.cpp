#include "OXInteractiveHotKeyCtrl.h"

IMPLEMENT_DYNAMIC(COXInteractiveHotKeyCtrl, CHotKeyCtrl)

LRESULT COXInteractiveHotKeyCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CHotKeyCtrl::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
        NotifyParent((UINT)NM_SETFOCUS, 0, 0);
        break;
    case WM_KILLFOCUS:
        NotifyParent((UINT)NM_KILLFOCUS, 0, 0);
        break;
    case WM_KEYDOWN:
        NotifyParent((UINT)NM_KEYDOWN, wParam, lParam);
        break;
    default:
        break;
    }
    return lResult;
}

void COXInteractiveHotKeyCtrl::NotifyParent(UINT nCode, WPARAM wKey, LPARAM lKeyData)
{
    // The parent may have destroyed the field, or itself, while handling the
    // key (a dialog's Escape, say).
    if (!::IsWindow(m_hWnd))
        return;
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == NULL || !::IsWindow(hParent))
        return;
    NMKEY nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(m_hWnd);
    nm.hdr.code = nCode;
    if (nCode == (UINT)NM_KEYDOWN) {
        nm.nVKey = (UINT)wKey;
        nm.uFlags = HIWORD(lKeyData);
    }
    ::SendMessage(hParent, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}
