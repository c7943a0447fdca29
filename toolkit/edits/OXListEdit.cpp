#include "OXListEdit.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// COXListPopup
// ---------------------------------------------------------------------------

int COXListPopup::Pick(CRect rcPopup, CRect rcAnchor)
{
    OXShowPopup(this, rcPopup, rcAnchor);
    int nResult = -1;
    auto itemAt = [this](const MSG& msg, BOOL& bOutside) {
        CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
        if (msg.hwnd != m_hWnd) {
            ::ClientToScreen(msg.hwnd, &pt);
            ScreenToClient(&pt);
        }
        CRect rcClient;
        GetClientRect(&rcClient);
        UINT nItem = ItemFromPoint(pt, bOutside);
        bOutside = bOutside || !rcClient.PtInRect(pt);
        return (int)nItem;
    };
    OXRunPopupLoop([&](MSG& msg) {
        BOOL bOutside = TRUE;
        switch (msg.message) {
        case WM_LBUTTONUP: {
            int nItem = itemAt(msg, bOutside);
            if (!bOutside)
                nResult = nItem;
            return FALSE;
        }
        case WM_LBUTTONDOWN:
            return TRUE;
        case WM_MOUSEMOVE: {
            int nItem = itemAt(msg, bOutside);
            if (!bOutside)
                SetCurSel(nItem);
            return TRUE;
        }
        case WM_KEYDOWN: {
            int nSel = GetCurSel();
            switch (msg.wParam) {
            case VK_ESCAPE:
                nResult = -1;
                return FALSE;
            case VK_UP:
                SetCurSel(nSel <= 0 ? 0 : nSel - 1);
                return TRUE;
            case VK_DOWN:
                SetCurSel(nSel < 0 ? 0 : std::min(nSel + 1, GetCount() - 1));
                return TRUE;
            case VK_RETURN:
                nResult = nSel;
                return FALSE;
            default:
                return TRUE;
            }
        }
        case WM_CHAR:
        case WM_KEYUP:
            return TRUE;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            return TRUE;
        }
    });
    OXHidePopup(this);
    return nResult;
}

// ---------------------------------------------------------------------------
// COXListEdit
// ---------------------------------------------------------------------------

OX_IMPLEMENT_DYNCREATE_OVER_T(COXListEdit, COXDropEdit<COXEdit>)

COXListEdit::COXListEdit()
{
}

BOOL COXListEdit::InitializeDropEdit()
{
    if (!m_listPopup.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "ListBox", NULL, WS_POPUP | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                              CRect(0, 0, 0, 0), this, 0))
        AfxThrowResourceException();
    m_listPopup.SetOwner(this);
    if (m_font.m_hObject == NULL) {
        CClientDC dc(this);
        m_font.CreatePointFont(80, "MS Sans Serif", &dc);
    }
    m_listPopup.SendMessage(WM_SETFONT, (WPARAM)m_font.m_hObject, TRUE);
    return TRUE;
}

int COXListEdit::SetItems(const CStringArray& items, CWnd* pHost)
{
    if (m_hWnd == NULL) {
        if (pHost == NULL || !Create(WS_CHILD, CRect(0, 0, 0, 0), pHost, HIDDEN_EDIT_ID))
            return 0;
        // the first message after creation sets the drop edit up
        SendMessage(WM_NULL);
    }
    m_listPopup.SendMessage(LB_RESETCONTENT);
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        m_listPopup.SendMessage(LB_ADDSTRING, 0, (LPARAM)(LPCSTR)items[i]);
    return (int)items.GetSize();
}

int COXListEdit::PopupHeight(int nItems) const
{
    int nRows = std::min<int>(nItems, MAX_VISIBLE_ROWS);
    int nItemHeight = m_listPopup.m_hWnd ? (int)m_listPopup.SendMessage(LB_GETITEMHEIGHT, 0) : 0;
    return nRows * (nItemHeight + 1) + (nRows == 1 ? 1 : 0);
}

void COXListEdit::OnDropButton()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    CRect rcPopup(rcClient.left, rcClient.bottom, rcClient.right + GetButtonWidth(),
                  rcClient.bottom + PopupHeight(m_listPopup.GetCount()));
    ::SetFocus(NULL);
    int nItem = m_listPopup.Pick(rcPopup, rcClient);
    if (nItem >= 0) {
        CString sText;
        m_listPopup.GetText(nItem, sText);
        SetWindowText(sText);
    }
}
