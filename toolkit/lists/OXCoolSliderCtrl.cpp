#include "OXCoolSliderCtrl.h"

BEGIN_MESSAGE_MAP(COXCoolSliderCtrl, COXCoolCtrl<CSliderCtrl>)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

void Polyline(CDC* pDC, CPen* pPen, std::initializer_list<CPoint> points)
{
    CPen* pOldPen = pDC->SelectObject(pPen);
    auto it = points.begin();
    pDC->MoveTo(*it);
    for (++it; it != points.end(); ++it)
        pDC->LineTo(*it);
    pDC->SelectObject(pOldPen);
}

// The pointed thumb in three strokes: shadow, highlight (in the order that
// lets the lit edges win where they meet), then a ring of button face just
// inside them. w and h stay those of the full thumb for the inner ring.
void DrawPointedThumb(CDC* pDC, COXCoolSliderCtrl::ThumbShape shape, CRect rect)
{
    CPen* pHighlight = OXCoolPen(COLOR_BTNHIGHLIGHT);
    CPen* pShadow = OXCoolPen(COLOR_BTNSHADOW);
    CPen* pFace = OXCoolPen(COLOR_BTNFACE);
    const int w = rect.Width(), h = rect.Height();
    int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    CPoint C = rect.CenterPoint();
    switch (shape) {
    case COXCoolSliderCtrl::kThumbUp:
        Polyline(pDC, pShadow, {{C.x, T}, {R - 1, T + w / 2}, {R - 1, B - 1}, {L - 1, B - 1}});
        Polyline(pDC, pHighlight, {{L, B - 2}, {L, T + w / 2}, {C.x, T}});
        break;
    case COXCoolSliderCtrl::kThumbLeft:
        Polyline(pDC, pShadow, {{L, C.y}, {L + h / 2, B - 1}, {R - 1, B - 1}, {R - 1, T - 1}});
        Polyline(pDC, pHighlight, {{R - 2, T}, {L + h / 2, T}, {L, C.y}});
        break;
    case COXCoolSliderCtrl::kThumbDown:
        Polyline(pDC, pHighlight, {{C.x, B - 1}, {L, B - w / 2 - 1}, {L, T}, {R, T}});
        Polyline(pDC, pShadow, {{R - 1, T}, {R - 1, B - w / 2 - 1}, {C.x, B - 1}});
        break;
    default:
        Polyline(pDC, pHighlight, {{R - 2, C.y - 1}, {R - h / 2 - 1, T}, {L, T}, {L, B - 1}});
        Polyline(pDC, pShadow, {{L, B - 1}, {R - h / 2 - 1, B - 1}, {R, C.y - 1}});
        break;
    }
    rect.DeflateRect(1, 1);
    L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    C = rect.CenterPoint();
    switch (shape) {
    case COXCoolSliderCtrl::kThumbUp:
        Polyline(pDC, pFace, {{C.x, T}, {R - 1, T + w / 2}, {R - 1, B - 1}, {L, B - 1}, {L, T + w / 2}, {C.x, T}});
        break;
    case COXCoolSliderCtrl::kThumbLeft:
        Polyline(pDC, pFace, {{L, C.y}, {L + h / 2, B - 1}, {R - 1, B - 1}, {R - 1, T}, {L + h / 2, T}, {L, C.y}});
        break;
    case COXCoolSliderCtrl::kThumbDown:
        Polyline(pDC, pFace,
                 {{C.x, B - 1}, {L, B - w / 2 - 1}, {L, T}, {R - 1, T}, {R - 1, B - w / 2 - 1}, {C.x, B - 1}});
        break;
    default:
        Polyline(pDC, pFace,
                 {{R - 1, C.y}, {R - h / 2 - 1, T}, {L, T}, {L, B - 1}, {R - h / 2 - 1, B - 1}, {R - 1, C.y}});
        break;
    }
}

} // namespace

COXCoolSliderCtrl::ThumbShape COXCoolSliderCtrl::ThumbShapeOf(DWORD dwStyle)
{
    BOOL bVertical = (dwStyle & TBS_VERT) != 0;
    if (dwStyle & TBS_BOTH)
        return kThumbBox;
    if (dwStyle & TBS_TOP)
        return bVertical ? kThumbLeft : kThumbUp;
    return bVertical ? kThumbRight : kThumbDown;
}

void COXCoolSliderCtrl::DrawFlat(CDC* pDC, DWORD dwStyle, CRect rectThumb, CRect rectChannel)
{
    ThumbShape shape = ThumbShapeOf(dwStyle);
    if (shape == kThumbBox)
        OXDrawRaisedFlatBox(pDC, rectThumb);
    else
        DrawPointedThumb(pDC, shape, rectThumb);
    pDC->ExcludeClipRect(&rectThumb);
    // Some versions of the control report a vertical slider's channel lying
    // on its side, others standing: a vertical channel is taller than wide.
    if ((dwStyle & TBS_VERT) && rectChannel.Width() > rectChannel.Height())
        rectChannel.SetRect(rectChannel.top, rectChannel.left, rectChannel.bottom, rectChannel.right);
    OXDrawSunkenFlatBox(pDC, rectChannel);
    pDC->SelectClipRgn(NULL);
}

void COXCoolSliderCtrl::OnPaint()
{
    Default();
    if (!IsCoolState() || m_bHot)
        return;
    CRect rectThumb, rectChannel;
    GetThumbRect(&rectThumb);
    GetChannelRect(&rectChannel);
    CClientDC dc(this);
    DrawFlat(&dc, GetStyle(), rectThumb, rectChannel);
}

void COXCoolSliderCtrl::SetHotState(BOOL bHot)
{
    COXCoolCtrl<CSliderCtrl>::SetHotState(bHot);
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

LRESULT COXCoolSliderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCPAINT)
        return CWnd::WindowProc(message, wParam, lParam);
    return COXCoolCtrl<CSliderCtrl>::WindowProc(message, wParam, lParam);
}
