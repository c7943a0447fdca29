#include "OXCoolButton.h"

BEGIN_MESSAGE_MAP(COXCoolButton, COXCoolCtrl<CButton>)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

const int kMarkSize = 13;

enum ButtonKind { kOther, kPush, kCheck, kRadio };

ButtonKind KindOf(DWORD dwStyle)
{
    switch (dwStyle & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return kPush;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return kCheck;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return kRadio;
    default:
        return kOther;
    }
}

} // namespace

BOOL COXCoolButton::IsRadioStyle(DWORD dwStyle)
{
    return KindOf(dwStyle) == kRadio;
}

CRect COXCoolButton::MarkBoxRect(const CRect& rectClient, DWORD dwStyle)
{
    int nLeft = (dwStyle & BS_LEFTTEXT) ? rectClient.right - kMarkSize : rectClient.left;
    int nTop = (rectClient.top + rectClient.bottom - kMarkSize) / 2;
    return CRect(nLeft, nTop, nLeft + kMarkSize, nTop + kMarkSize);
}

void COXCoolButton::DrawFlat(CDC* pDC, const CRect& rectClient, DWORD dwStyle, int nCheck)
{
    DWORD dwType = dwStyle & BS_TYPEMASK;
    if (dwType == BS_GROUPBOX || dwType == BS_USERBUTTON || dwType == BS_OWNERDRAW || (dwStyle & BS_FLAT))
        return;
    ButtonKind kind = KindOf(dwStyle);
    BOOL bPushLike = (dwStyle & BS_PUSHLIKE) != 0;
    if (kind == kOther && !bPushLike)
        return;

    if (kind == kPush || bPushLike) {
        int nFrame = (kind == kPush && !bPushLike) ? 3 : 2;
        CRect rectInside = rectClient;
        rectInside.DeflateRect(nFrame, nFrame);
        pDC->SelectClipRgn(NULL);
        pDC->ExcludeClipRect(&rectInside);
        pDC->FillSolidRect(&rectClient, ::GetSysColor(COLOR_BTNFACE));
        CRect rect = rectClient;
        if (dwType == BS_DEFPUSHBUTTON) {
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DDKSHADOW));
            rect.DeflateRect(1, 1);
        }
        if (kind != kPush && nCheck != 0)
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        else
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    } else {
        CRect box = MarkBoxRect(rectClient, dwStyle);
        if (kind == kCheck) {
            box.DeflateRect(1, 1);
            pDC->Draw3dRect(&box, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        } else {
            // The sunken ring becomes a flat one: its two 3D rings covered
            // by the mark's white, then one whole ring in shadow around it,
            // so the circle shows on any background. The dot is left as it is.
            CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
            CPen penCover(PS_INSIDEFRAME, 2, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            CPen* pOldPen = pDC->SelectObject(&penCover);
            pDC->Ellipse(&box);
            CPen penRing(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
            pDC->SelectObject(&penRing);
            pDC->Ellipse(&box);
            pDC->SelectObject(pOldPen);
            pDC->SelectObject(pOldBrush);
        }
    }
    pDC->SelectClipRgn(NULL);
}

void COXCoolButton::OnPaint()
{
    Default();
    if (!IsCoolState() || (IsWindowEnabled() && m_bHot))
        return;
    CClientDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    DrawFlat(&dc, rect, GetStyle(), (int)SendMessage(BM_GETCHECK));
}

void COXCoolButton::SetHotState(BOOL bHot)
{
    if (IsRadioStyle(GetStyle())) {
        if (!bHot == !m_bHot || (bHot && !m_bMouseOver))
            return;
        m_bHot = bHot;
    } else {
        COXCoolCtrl<CButton>::SetHotState(bHot);
    }
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

LRESULT COXCoolButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The flat face replaces the cool border: a button has no frame of its own.
    if (message == WM_NCPAINT)
        return CWnd::WindowProc(message, wParam, lParam);
    LRESULT lResult = COXCoolCtrl<CButton>::WindowProc(message, wParam, lParam);
    // A radio button unchecked by its group's click is not repainted by the
    // control over the flat mark that is no longer right for it.
    if (message == BM_SETCHECK && wParam == 0 && IsRadioStyle(GetStyle()))
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return lResult;
}
