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
