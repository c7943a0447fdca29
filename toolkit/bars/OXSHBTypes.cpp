#include "OXSHBTypes.h"

CLIPFORMAT AFXAPI OXGetSHBItemClipFormat()
{
    static const CLIPFORMAT cf = (CLIPFORMAT)::RegisterClipboardFormatA("Shortcut bar child window item");
    return cf;
}

// Registered with the module, so that every bar and list of the process
// shares one identifier from the start.
static const CLIPFORMAT g_cfShortcutBarItem = OXGetSHBItemClipFormat();

LRESULT AFXAPI OXSendSHBNotify(HWND hwndFrom, UINT nCode, HSHBGROUP hGroup, int nItem, LPARAM& lParam)
{
    if (hwndFrom == NULL || !::IsWindow(hwndFrom))
        return 0;
    SHB_NOTIFY nm = {};
    nm.hdr.hwndFrom = hwndFrom;
    nm.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(hwndFrom);
    nm.hdr.code = nCode;
    nm.hGroup = hGroup;
    nm.nItem = nItem;
    nm.lParam = lParam;
    HWND hOwner = ::GetWindow(hwndFrom, GW_OWNER);
    if (hOwner == NULL)
        hOwner = ::GetParent(hwndFrom);
    LRESULT lr = hOwner != NULL ? ::SendMessage(hOwner, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm) : 0;
    lParam = nm.lParam;
    return lr;
}

void AFXAPI OXFillToolTipText(NMHDR* pNMHDR, SHB_TIPINFO& tip)
{
    tip.szText[sizeof(tip.szText) - 1] = '\0';
    BOOL bResource = tip.lpszText != NULL && IS_INTRESOURCE(tip.lpszText);
    if (pNMHDR->code == TTN_NEEDTEXTW) {
        NMTTDISPINFOW* p = (NMTTDISPINFOW*)pNMHDR;
        LPCSTR pszText = tip.lpszText != NULL && !bResource ? tip.lpszText : tip.szText;
        ::MultiByteToWideChar(CP_ACP, 0, pszText, -1, p->szText, 80);
        p->szText[79] = L'\0';
        p->lpszText = bResource ? (LPWSTR)tip.lpszText : p->szText;
        p->hinst = tip.hinst;
    } else {
        NMTTDISPINFOA* p = (NMTTDISPINFOA*)pNMHDR;
        lstrcpynA(p->szText, tip.szText, 80);
        p->lpszText = tip.lpszText != NULL ? tip.lpszText : p->szText;
        p->hinst = tip.hinst;
    }
}
