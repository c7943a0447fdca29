// COXInteractiveHotKeyCtrl: a hot-key field that tells its parent, through
// WM_NOTIFY, when it gains or loses the focus (NM_SETFOCUS, NM_KILLFOCUS, a
// bare NMHDR) and when a key goes down in it (NM_KEYDOWN, an NMKEY with the
// key and the high word of the key's lParam), so that the parent can say at
// once what the combination pressed already does. Each notice follows the
// control's own handling of the message.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class COXInteractiveHotKeyCtrl : public CHotKeyCtrl
{
    DECLARE_DYNAMIC(COXInteractiveHotKeyCtrl)
public:
    COXInteractiveHotKeyCtrl() {}
    ~COXInteractiveHotKeyCtrl() override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Sends the parent one notice, while the control and its parent exist.
    void NotifyParent(UINT nCode, WPARAM wKey, LPARAM lKeyData);
};
