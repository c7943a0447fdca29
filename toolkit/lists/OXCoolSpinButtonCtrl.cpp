#include "OXCoolSpinButtonCtrl.h"

BEGIN_MESSAGE_MAP(COXCoolSpinButtonCtrl, COXCoolCtrl<CSpinButtonCtrl>)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL COXCoolSpinButtonCtrl::IsSpinAttachedToEdit() const
{
    if (!(GetStyle() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)))
        return FALSE;
    HWND hBuddy = (HWND)::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0);
    if (!::IsWindow(hBuddy))
        return FALSE;
    char szClass[256] = "";
    ::GetClassNameA(hBuddy, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, "EDIT") == 0;
}

void COXCoolSpinButtonCtrl::DrawFlat(CDC* pDC, CRect rect, const OXSpinFlatLook& look)
{
    if (look.bAttached) {
        int d = look.nBuddyBorder;
        rect.top += d;
        rect.bottom -= d;
        if (look.bAlignRight)
            rect.right -= d;
        else
            rect.left += d;
        if (look.ring != OXSpinFlatLook::kNoRing) {
            CRect ring = rect;
            ring.InflateRect(d, d);
            if (look.ring == OXSpinFlatLook::kHotRing) {
                pDC->Draw3dRect(&ring, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
                ring.DeflateRect(1, 1);
                pDC->Draw3dRect(&ring, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNFACE));
            } else {
                COLORREF clrInner = ::GetSysColor(look.ring == OXSpinFlatLook::kColdRing ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE);
                pDC->Draw3dRect(&ring, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNHIGHLIGHT));
                ring.DeflateRect(1, 1);
                pDC->Draw3dRect(&ring, clrInner, clrInner);
            }
        }
    }
    if (look.bHot)
        return;
    int nHalf = (look.bHorizontal ? rect.Width() : rect.Height()) / 2;
    if (nHalf < 4)
        return;
    if (look.bHorizontal) {
        OXDrawRaisedFlatBox(pDC, CRect(rect.left, rect.top, rect.left + nHalf, rect.bottom));
        OXDrawRaisedFlatBox(pDC, CRect(rect.right - nHalf, rect.top, rect.right, rect.bottom));
    } else {
        OXDrawRaisedFlatBox(pDC, CRect(rect.left, rect.top, rect.right, rect.top + nHalf));
        OXDrawRaisedFlatBox(pDC, CRect(rect.left, rect.bottom - nHalf, rect.right, rect.bottom));
    }
}

void COXCoolSpinButtonCtrl::OnPaint()
{
    Default();
    if (!IsCoolState())
        return;
    DWORD dwStyle = GetStyle();
    OXSpinFlatLook look;
    look.bHorizontal = (dwStyle & UDS_HORZ) != 0;
    look.bAlignRight = (dwStyle & UDS_ALIGNRIGHT) != 0;
    look.bHot = m_bHot;
    if (IsSpinAttachedToEdit()) {
        look.bAttached = TRUE;
        HWND hBuddy = (HWND)SendMessage(UDM_GETBUDDY);
        CRect rectClient, rectWindow;
        ::GetClientRect(hBuddy, &rectClient);
        ::ClientToScreen(hBuddy, (POINT*)&rectClient.left);
        ::GetWindowRect(hBuddy, &rectWindow);
        look.nBuddyBorder = rectClient.top - rectWindow.top;
        // The buddy is an "Edit": a cool one is the edit instance or derives from it.
        COXCoolCtrl<CEdit>* pCool = dynamic_cast<COXCoolCtrl<CEdit>*>(CWnd::FromHandlePermanent(hBuddy));
        if (pCool != NULL) {
            if (pCool->IsHot() || m_bHot)
                look.ring = OXSpinFlatLook::kHotRing;
            else
                look.ring = ::IsWindowEnabled(hBuddy) ? OXSpinFlatLook::kColdRing : OXSpinFlatLook::kDisabledRing;
        }
    }
    CClientDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    DrawFlat(&dc, rect, look);
}

void COXCoolSpinButtonCtrl::SetHotState(BOOL bHot)
{
    COXCoolCtrl<CSpinButtonCtrl>::SetHotState(bHot);
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

LRESULT COXCoolSpinButtonCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCPAINT)
        return CWnd::WindowProc(message, wParam, lParam);
    return COXCoolCtrl<CSpinButtonCtrl>::WindowProc(message, wParam, lParam);
}
