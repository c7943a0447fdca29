#include "OXStatusbarSkin.h"

#include <algorithm>

#include "OXSkins.h"
#include "OXStatusBar.h"

namespace {

COXStatusBar* AsOXStatusBar(CWnd* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(COXStatusBar)) ? static_cast<COXStatusBar*>(pBar) : NULL;
}

// The virtual key behind a key indicator, 0 for other panes.
int IndicatorKey(UINT nID)
{
    switch (nID) {
    case ID_INDICATOR_CAPS: return VK_CAPITAL;
    case ID_INDICATOR_NUM: return VK_NUMLOCK;
    case ID_INDICATOR_SCRL: return VK_SCROLL;
    default: return 0;
    }
}

void FillSquare(CDC* pDC, int x, int y, COLORREF clr)
{
    pDC->FillSolidRect(x, y, 2, 2, clr);
}

} // namespace

// ---------------------------------------------------------------------------
// COXStatusbarSkin
// ---------------------------------------------------------------------------
std::vector<CRect> COXStatusbarSkin::PaneRects(CStatusBar* pBar)
{
    std::vector<CRect> rects;
    const int n = pBar->GetCount();
    for (int i = 0; i < n; ++i) {
        CRect rect;
        pBar->GetItemRect(i, &rect);
        if (i == n - 1) {
            UINT nID, nStyle;
            int cxWidth;
            pBar->GetPaneInfo(i, nID, nStyle, cxWidth);
            rect.right = rect.left + cxWidth + 6;
        }
        rects.push_back(rect);
    }
    return rects;
}

BOOL COXStatusbarSkin::WantsSizeGrip(CWnd* pBar)
{
    CWnd* pFrame = pBar->GetParentFrame();
    if (pFrame == NULL)
        pFrame = pBar->GetParent();
    if (pFrame == NULL)
        return FALSE;
    return (pFrame->GetStyle() & WS_THICKFRAME) != 0 && !pFrame->IsZoomed();
}

void COXStatusbarSkin::DrawPaneExtras(CDC* pDC, CStatusBar* pBar)
{
    COXStatusBar* pOXBar = AsOXStatusBar(pBar);
    if (pOXBar == NULL)
        return;
    for (int i = 0; i < pOXBar->GetCount(); ++i) {
        const UINT nStyle = pOXBar->GetPaneStyle(i);
        if (!(nStyle & SBPS_DISABLED) && pOXBar->GetPaneBitmap(i) != NULL)
            pOXBar->DrawBitmapPane(pDC, i, nStyle);
    }
}

// ---------------------------------------------------------------------------
// COXStatusbarSkinClassic
// ---------------------------------------------------------------------------
void COXStatusbarSkinClassic::OnPaint(CStatusBar* pBar)
{
    pBar->Default();
    CClientDC dc(pBar);
    if (COXStatusBar* pOXBar = AsOXStatusBar(pBar))
        pOXBar->UpdateAllPanes(FALSE, TRUE);
    DrawBackground(&dc, pBar);
    DrawPaneBorders(&dc, pBar);
    DrawPaneExtras(&dc, pBar);
}

void COXStatusbarSkinClassic::DrawBackground(CDC* pDC, CStatusBar* pBar)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    HFONT hFont = (HFONT)pBar->SendMessage(WM_GETFONT);
    for (int i = 0; i < pBar->GetCount(); ++i) {
        const int nKey = IndicatorKey(pBar->GetItemID(i));
        if (nKey == 0 || (keys[nKey] & 1) != 0)
            continue;
        // Inside the pane's edge, the text where the control puts its own.
        CRect rect;
        pBar->GetItemRect(i, &rect);
        if (!(pBar->GetPaneStyle(i) & SBPS_NOBORDERS))
            rect.DeflateRect(1, 1);
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        rect.left += 3;
        CFont* pOldFont = hFont != NULL ? pDC->SelectObject(CFont::FromHandle(hFont)) : NULL;
        const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        const int nOldBk = pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(pBar->GetPaneText(i), &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        pDC->SetBkMode(nOldBk);
        pDC->SetTextColor(clrOld);
        if (pOldFont != NULL)
            pDC->SelectObject(pOldFont);
    }
}

// ---------------------------------------------------------------------------
// COXStatusbarSkinXP
// ---------------------------------------------------------------------------
void COXStatusbarSkinXP::OnPaint(CStatusBar* pBar)
{
    CPaintDC dc(pBar);
    if (COXStatusBar* pOXBar = AsOXStatusBar(pBar))
        pOXBar->UpdateAllPanes(FALSE, TRUE);
    DrawBackground(&dc, pBar);
    DrawPaneBorders(&dc, pBar);
    DrawSizeGrip(&dc, pBar);
    DrawPaneExtras(&dc, pBar);
}

void COXStatusbarSkinXP::DrawBackground(CDC* pDC, CStatusBar* pBar)
{
    CRect rect;
    pBar->GetClientRect(&rect);
    pDC->FillSolidRect(&rect, m_pSkin->SysColor(COLOR_BTNFACE));
    DrawPaneTexts(pDC, pBar);
}

void COXStatusbarSkinXP::DrawPaneTexts(CDC* pDC, CStatusBar* pBar)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    HFONT hFont = (HFONT)pBar->SendMessage(WM_GETFONT);
    const std::vector<CRect> rects = PaneRects(pBar);
    for (int i = 0; i < (int)rects.size(); ++i) {
        const int nKey = IndicatorKey(pBar->GetItemID(i));
        if (nKey == 0) {
            DRAWITEMSTRUCT dis = {};
            dis.CtlType = ODT_STATIC;
            dis.CtlID = pBar->GetDlgCtrlID();
            dis.itemID = (UINT)i;
            dis.itemAction = ODA_DRAWENTIRE;
            dis.hwndItem = pBar->GetSafeHwnd();
            dis.hDC = pDC->GetSafeHdc();
            dis.rcItem = rects[i];
            pBar->DrawItem(&dis);
            continue;
        }
        const BOOL bOn = (keys[nKey] & 1) != 0;
        CFont* pOldFont = hFont != NULL ? pDC->SelectObject(CFont::FromHandle(hFont)) : NULL;
        const COLORREF clrOld =
            pDC->SetTextColor(bOn ? m_pSkin->SysColor(COLOR_BTNTEXT) : m_pSkin->GetDisabledTextColor());
        const int nOldBk = pDC->SetBkMode(TRANSPARENT);
        CRect rect = rects[i];
        pDC->DrawText(pBar->GetPaneText(i), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetBkMode(nOldBk);
        pDC->SetTextColor(clrOld);
        if (pOldFont != NULL)
            pDC->SelectObject(pOldFont);
    }
}

COLORREF COXStatusbarSkinXP::PaneFrameColor() const
{
    return OXOffsetColor(m_pSkin->SysColor(COLOR_BTNFACE), 17, 12, 16);
}

void COXStatusbarSkinXP::DrawPaneBorders(CDC* pDC, CStatusBar* pBar)
{
    CBrush brush(PaneFrameColor());
    for (const CRect& rect : PaneRects(pBar))
        pDC->FrameRect(&rect, &brush);
}

CRect COXStatusbarSkinXP::GripSquare(const CRect& rectClient)
{
    int a = rectClient.Height();
    if (a % 2 != 0)
        --a;
    return CRect(rectClient.right - a, rectClient.bottom - a, rectClient.right, rectClient.bottom);
}

void COXStatusbarSkinXP::DrawSizeGrip(CDC* pDC, CWnd* pBar)
{
    if (!WantsSizeGrip(pBar))
        return;
    CRect rectClient;
    pBar->GetClientRect(&rectClient);
    const CRect rect = GripSquare(rectClient);
    pDC->FillSolidRect(&rect, m_pSkin->SysColor(COLOR_BTNFACE));
    CPen penShadow(PS_SOLID, 1, m_pSkin->SysColor(COLOR_BTNSHADOW));
    CPen penLight(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* pOldPen = pDC->SelectObject(&penShadow);
    const int right = rect.right, bottom = rect.bottom;
    for (int off = 0; off < rect.Width(); off += 4) {
        pDC->SelectObject(&penShadow);
        pDC->MoveTo(right - off, bottom);
        pDC->LineTo(right, bottom - off);
        pDC->SelectObject(&penLight);
        pDC->MoveTo(right - off - 1, bottom);
        pDC->LineTo(right, bottom - off - 1);
    }
    pDC->SelectObject(pOldPen);
}

// ---------------------------------------------------------------------------
// COXStatusbarSkin2003
// ---------------------------------------------------------------------------
COXStatusbarSkin2003::COXStatusbarSkin2003(COXSkin2003* pSkin) : COXStatusbarSkinXP(pSkin) {}

COXSkin2003* COXStatusbarSkin2003::Skin2003() const
{
    return static_cast<COXSkin2003*>(m_pSkin);
}

COLORREF COXStatusbarSkin2003::GetStatusTopColor() const
{
    COLORREF clrTH;
    if (Skin2003()->IsThemed(&clrTH))
        return OXBlendColors(m_pSkin->SysColor(COLOR_WINDOW), 30, clrTH, 30);
    return m_pSkin->SysColor(COLOR_BTNSHADOW);
}

COLORREF COXStatusbarSkin2003::GetStatusBackgroundColor() const
{
    COLORREF clrTH;
    if (Skin2003()->IsThemed(&clrTH))
        return OXBlendColors(m_pSkin->SysColor(COLOR_WINDOW), 60, clrTH, 40);
    return OXBlendColors(m_pSkin->SysColor(COLOR_WINDOW), 50, m_pSkin->SysColor(COLOR_BTNFACE), 50);
}

COLORREF COXStatusbarSkin2003::GetStatusBottomColor() const
{
    COLORREF clrTH;
    if (Skin2003()->IsThemed(&clrTH))
        return OXBlendColors(m_pSkin->SysColor(COLOR_WINDOW), 30, clrTH, 70);
    return OXBlendColors(m_pSkin->SysColor(COLOR_WINDOW), 20, m_pSkin->SysColor(COLOR_BTNFACE), 80);
}

void COXStatusbarSkin2003::FillBands(CDC* pDC, const CRect& rect, const CRect& rectBar) const
{
    if (rect.IsRectEmpty())
        return;
    const COLORREF clrBack = GetStatusBackgroundColor();
    pDC->FillSolidRect(&rect, clrBack);
    const int yTopEnd = std::min<int>(rectBar.top + 3, rectBar.bottom);
    const int yBottomStart = std::max<int>(rectBar.bottom - 5, yTopEnd);
    Skin2003()->GradientFill(pDC, CRect(rect.left, rectBar.top, rect.right, yTopEnd), GetStatusTopColor(), clrBack,
                             TRUE);
    Skin2003()->GradientFill(pDC, CRect(rect.left, yBottomStart, rect.right, rectBar.bottom), clrBack,
                             GetStatusBottomColor(), TRUE);
}

void COXStatusbarSkin2003::DrawBackground(CDC* pDC, CStatusBar* pBar)
{
    CRect rect;
    pBar->GetClientRect(&rect);
    FillBands(pDC, rect, rect);
    DrawPaneTexts(pDC, pBar);
}

void COXStatusbarSkin2003::DrawPaneBorders(CDC* pDC, CStatusBar* pBar)
{
    CPen penDark(PS_SOLID, 1, m_pSkin->GetSeparatorColor());
    CPen penLight(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* pOldPen = pDC->SelectObject(&penDark);
    for (const CRect& rect : PaneRects(pBar)) {
        const int x = rect.right - 1;
        pDC->SelectObject(&penDark);
        pDC->MoveTo(x, rect.top + 2);
        pDC->LineTo(x, rect.bottom - 2);
        pDC->SelectObject(&penLight);
        pDC->MoveTo(x + 1, rect.top + 3);
        pDC->LineTo(x + 1, rect.bottom - 1);
    }
    pDC->SelectObject(pOldPen);
}

int COXStatusbarSkin2003::GripLeft(const CRect& rectClient)
{
    const int h = rectClient.Height();
    return h % 2 == 0 ? rectClient.right - h + 1 : rectClient.right - h;
}

std::vector<CPoint> COXStatusbarSkin2003::GripDots(const CRect& rectClient)
{
    std::vector<CPoint> dots;
    const int left = GripLeft(rectClient), top = rectClient.top;
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            if (i + j >= 2)
                dots.push_back(CPoint(left + 7 + 4 * i, top + 7 + 4 * j));
    return dots;
}

void COXStatusbarSkin2003::DrawSizeGrip(CDC* pDC, CWnd* pBar)
{
    if (!WantsSizeGrip(pBar))
        return;
    CRect rectClient;
    pBar->GetClientRect(&rectClient);
    const int left = GripLeft(rectClient);
    FillBands(pDC, CRect(left + 3, rectClient.top, rectClient.right, rectClient.bottom), rectClient);
    const COLORREF clrLight = m_pSkin->SysColor(COLOR_WINDOW), clrDark = m_pSkin->GetGripperColor();
    for (const CPoint& pt : GripDots(rectClient)) {
        FillSquare(pDC, pt.x, pt.y, clrLight);
        FillSquare(pDC, pt.x - 1, pt.y - 1, clrDark);
    }
}
