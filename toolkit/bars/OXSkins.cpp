#include "OXSkins.h"

#include <algorithm>
#include <cstddef>

#include "OXDockbarSkin.h"
#include "OXFrameSkin.h"
#include "OXMenuSkin.h"
#include "OXMiniFrameSkin.h"
#include "OXShortcutBarSkin.h"
#include "OXSizeControlBar.h"
#include "OXStatusbarSkin.h"
#include "OXTabSkin.h"

namespace {

int Limit(int n)
{
    return n < 0 ? 0 : n > 255 ? 255 : n;
}

} // namespace

COLORREF OXBlendColors(COLORREF clrA, int nWeightA, COLORREF clrB, int nWeightB, COLORREF clrC, int nWeightC)
{
    auto mix = [&](BYTE a, BYTE b, BYTE c) { return Limit((a * nWeightA + b * nWeightB + c * nWeightC) / 100); };
    return RGB(mix(GetRValue(clrA), GetRValue(clrB), GetRValue(clrC)),
               mix(GetGValue(clrA), GetGValue(clrB), GetGValue(clrC)),
               mix(GetBValue(clrA), GetBValue(clrB), GetBValue(clrC)));
}

COLORREF OXOffsetColor(COLORREF clr, int nRed, int nGreen, int nBlue)
{
    return RGB(Limit(GetRValue(clr) + nRed), Limit(GetGValue(clr) + nGreen), Limit(GetBValue(clr) + nBlue));
}

COLORREF OXScaleColor(COLORREF clr, int nPercent)
{
    return RGB(Limit(GetRValue(clr) * nPercent / 100), Limit(GetGValue(clr) * nPercent / 100),
               Limit(GetBValue(clr) * nPercent / 100));
}

BOOL OXGetNonClientMetrics(NONCLIENTMETRICSA& ncm)
{
    ZeroMemory(&ncm, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        return TRUE;
    // Systems older than the padded border refuse the longer record.
    ncm.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    return ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
}

// ---------------------------------------------------------------------------
// COXSkin
// ---------------------------------------------------------------------------
COXSkin::~COXSkin()
{
    delete m_pToolbarSkin;
    delete m_pMenuSkin;
    delete m_pDockbarSkin;
    delete m_pTabSkin;
    delete m_pShortcutBarSkin;
    delete m_pMiniFrameSkin;
    delete m_pStatusbarSkin;
    delete m_pFrameSkin;
}

COXSkinClassic::COXSkinClassic()
{
    m_strName = "Classic";
    m_pToolbarSkin = new COXToolbarSkinClassic;
    m_pDockbarSkin = new COXDockbarSkinClassic;
    m_pMenuSkin = new COXMenuSkinClassic;
    m_pTabSkin = new COXTabSkinClassic;
    m_pShortcutBarSkin = new COXShortcutBarSkinClassic;
    m_pStatusbarSkin = new COXStatusbarSkinClassic;
    m_pFrameSkin = new COXFrameSkinClassic;
    m_pMiniFrameSkin = new COXMiniFrameSkinClassic;
}

// ---------------------------------------------------------------------------
// COXSkinXP
// ---------------------------------------------------------------------------
COXSkinXP::COXSkinXP()
{
    m_strName = "Office XP";
    m_pToolbarSkin = new COXToolbarSkinXP(this);
    m_pDockbarSkin = new COXDockbarSkinXP(this);
    m_pMenuSkin = new COXMenuSkinXP(this);
    m_pTabSkin = new COXTabSkinXP(this);
    m_pShortcutBarSkin = new COXShortcutBarSkinXP(this);
    m_pStatusbarSkin = new COXStatusbarSkinXP(this);
    m_pFrameSkin = new COXFrameSkinXP(this);
    m_pMiniFrameSkin = new COXMiniFrameSkinXP(this);
}

COLORREF COXSkinXP::GetHotItemColor() const
{
    return OXBlendColors(SysColor(COLOR_WINDOW), 70, SysColor(COLOR_HIGHLIGHT), 30);
}

COLORREF COXSkinXP::GetCheckedItemColor() const
{
    return OXBlendColors(SysColor(COLOR_BTNFACE), 42, SysColor(COLOR_WINDOW), 48, SysColor(COLOR_HIGHLIGHT), 10);
}

COLORREF COXSkinXP::GetPressedItemColor() const
{
    return OXBlendColors(SysColor(COLOR_WINDOW), 50, SysColor(COLOR_HIGHLIGHT), 50);
}

COLORREF COXSkinXP::GetHotItemBorderColor() const
{
    return SysColor(COLOR_HIGHLIGHT);
}

COLORREF COXSkinXP::GetMenuBackgroundColor() const
{
    return OXBlendColors(SysColor(COLOR_WINDOW), 86, SysColor(COLOR_BTNFACE), 14);
}

COLORREF COXSkinXP::GetMenuBorderColor() const
{
    return SysColor(COLOR_BTNSHADOW);
}

COLORREF COXSkinXP::GetToolbarBackgroundColor() const
{
    return OXBlendColors(SysColor(COLOR_WINDOW), 16, SysColor(COLOR_BTNFACE), 84);
}

COLORREF COXSkinXP::GetDockbarBackgroundColor() const
{
    return SysColor(COLOR_BTNFACE);
}

COLORREF COXSkinXP::GetInactiveTabTextColor() const
{
    return OXOffsetColor(SysColor(COLOR_GRAYTEXT), -8, -12, -22);
}

COLORREF COXSkinXP::GetSeparatorColor() const
{
    return OXOffsetColor(SysColor(COLOR_BTNSHADOW), 38);
}

COLORREF COXSkinXP::GetFrameBorderColor() const
{
    return SysColor(COLOR_BTNSHADOW);
}

COLORREF COXSkinXP::GetGripperColor() const
{
    return OXOffsetColor(SysColor(COLOR_BTNSHADOW), 32);
}

COLORREF COXSkinXP::GetMiniFrameCaptionColor() const
{
    return SysColor(COLOR_BTNSHADOW);
}

COLORREF COXSkinXP::GetMiniFrameCaptionTextColor() const
{
    return SysColor(COLOR_CAPTIONTEXT);
}

COLORREF COXSkinXP::GetMiniFrameBorderColor() const
{
    return OXOffsetColor(SysColor(COLOR_BTNSHADOW), -9);
}

COLORREF COXSkinXP::GetMiniFrameBackgroundColor() const
{
    return GetToolbarBackgroundColor();
}

COLORREF COXSkinXP::GetDisabledTextColor() const
{
    return SysColor(COLOR_GRAYTEXT);
}

COLORREF COXSkinXP::GetMenuDisabledTextColor() const
{
    return GetSeparatorColor();
}

COXSkinXP::ButtonLook COXSkinXP::FrameButtonLook(BOOL bCursorInside, BOOL bCaptured)
{
    if (!bCursorInside)
        return buttonPlain;
    return bCaptured ? buttonPressed : buttonHot;
}

COLORREF COXSkinXP::FrameButtonFrameColor(COLORREF clrBack, BOOL bHighlightFrame)
{
    return OXOffsetColor(clrBack, bHighlightFrame ? 64 : -96);
}

void COXSkinXP::DrawTransparent(CBitmap* pBitmap, CDC* pDC, int x, int y, int cx, int cy,
                                COLORREF clrTransparent)
{
    if (pBitmap == NULL || pDC == NULL || cx <= 0 || cy <= 0)
        return;
    COLORREF clrOldBack = pDC->SetBkColor(RGB(255, 255, 255));
    COLORREF clrOldText = pDC->SetTextColor(RGB(0, 0, 0));

    CDC dcImage, dcMask;
    dcImage.CreateCompatibleDC(pDC);
    dcMask.CreateCompatibleDC(pDC);
    CBitmap* pOldImage = dcImage.SelectObject(pBitmap);
    CBitmap bmpMask;
    bmpMask.CreateBitmap(cx, cy, 1, 1, NULL);
    CBitmap* pOldMask = dcMask.SelectObject(&bmpMask);

    // The mask: white (1) where the image has the transparent colour.
    dcImage.SetBkColor(clrTransparent);
    dcMask.BitBlt(0, 0, cx, cy, &dcImage, 0, 0, SRCCOPY);

    // XOR the image in, keep the target only under the mask, XOR it again:
    // the opaque pixels end up as the image, the masked ones as they were.
    pDC->BitBlt(x, y, cx, cy, &dcImage, 0, 0, SRCINVERT);
    pDC->BitBlt(x, y, cx, cy, &dcMask, 0, 0, SRCAND);
    pDC->BitBlt(x, y, cx, cy, &dcImage, 0, 0, SRCINVERT);

    dcMask.SelectObject(pOldMask);
    dcImage.SelectObject(pOldImage);
    pDC->SetBkColor(clrOldBack);
    pDC->SetTextColor(clrOldText);
}

void COXSkinXP::DrawFrameButton(CDC* pDC, const RECT& rect, UINT nState, BOOL bFrame, BOOL bHighlightFrame,
                                COLORREF clrBack, CWnd* pWnd)
{
    CRect rc(rect);
    if (pDC == NULL || rc.Width() <= 0 || rc.Height() <= 0)
        return;
    // The glyph of a button that cannot act takes one colour over the back:
    // on a caption in the caption colour it is the caption's text colour, as
    // the title, so that it reads on a dark caption; elsewhere a shade of the
    // back.
    COLORREF clrFrame = 0;
    if (bFrame) {
        clrFrame = bHighlightFrame ? SysColor(COLOR_CAPTIONTEXT) : FrameButtonFrameColor(clrBack, FALSE);
        bHighlightFrame = FALSE;
    }

    CPoint ptCursor(-32768, -32768);
    if (::GetCursorPos(&ptCursor) && pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd())) {
        CRect rectWindow;
        pWnd->GetWindowRect(&rectWindow);
        ptCursor.Offset(-rectWindow.left, -rectWindow.top);
    }
    BOOL bInside = rc.PtInRect(ptCursor);
    // A button its host says is pushed looks pressed wherever the cursor is.
    ButtonLook look = (nState & DFCS_PUSHED) ? buttonPressed : FrameButtonLook(bInside, ::GetCapture() != NULL);
    nState &= ~DFCS_PUSHED;

    const int cx = rc.Width(), cy = rc.Height();
    CDC dcBack;
    dcBack.CreateCompatibleDC(pDC);
    CBitmap bmpBack;
    bmpBack.CreateCompatibleBitmap(pDC, cx, cy);
    CBitmap* pOldBack = dcBack.SelectObject(&bmpBack);
    if (look != buttonPlain && !bFrame) {
        CPen pen(PS_SOLID, 1, GetHotItemBorderColor());
        CBrush brush(look == buttonPressed ? GetPressedItemColor() : GetHotItemColor());
        CPen* pOldPen = dcBack.SelectObject(&pen);
        CBrush* pOldBrush = dcBack.SelectObject(&brush);
        dcBack.Rectangle(0, 0, cx, cy);
        dcBack.SelectObject(pOldBrush);
        dcBack.SelectObject(pOldPen);
    } else {
        FillFrameButtonBack(&dcBack, rc, clrBack, pWnd);
    }

    // The glyph alone: the control is drawn 2 pixels larger than the bitmap
    // on every side, so its edges fall outside.
    const int w = cx - 4, h = cy - 4;
    if (w > 0 && h > 0) {
        CDC dcGlyph;
        dcGlyph.CreateCompatibleDC(pDC);
        CBitmap bmpGlyph;
        bmpGlyph.CreateCompatibleBitmap(pDC, w, h);
        CBitmap* pOldGlyph = dcGlyph.SelectObject(&bmpGlyph);
        CRect rectGlyph(-2, -2, w + 2, h + 2);
        dcGlyph.DrawFrameControl(&rectGlyph, DFC_CAPTION, nState | DFCS_FLAT);
        COLORREF clrTransparent = SysColor(COLOR_BTNFACE);
        // A glyph drawn from a smoothed font comes with grey edge pixels
        // that would keep their grey on any back: every pixel of the glyph
        // becomes black, so that it takes whole the colour it is given.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (dcGlyph.GetPixel(x, y) != clrTransparent)
                    dcGlyph.SetPixel(x, y, RGB(0, 0, 0));
        if (look == buttonPressed || (bHighlightFrame && !bInside)) {
            dcGlyph.PatBlt(0, 0, w, h, PATINVERT);
            clrTransparent = RGB(255 - GetRValue(clrTransparent), 255 - GetGValue(clrTransparent),
                                 255 - GetBValue(clrTransparent));
        }
        dcGlyph.SelectObject(pOldGlyph);
        DrawTransparent(&bmpGlyph, &dcBack, 2, 2, w, h, clrTransparent);
    }

    if (bFrame) {
        CDC dcFrame;
        dcFrame.CreateCompatibleDC(pDC);
        CBitmap bmpFrame;
        bmpFrame.CreateCompatibleBitmap(pDC, cx, cy);
        CBitmap* pOldFrame = dcFrame.SelectObject(&bmpFrame);
        dcFrame.FillSolidRect(0, 0, cx, cy, clrFrame);
        dcBack.SelectObject(pOldBack);
        DrawTransparent(&bmpBack, &dcFrame, 0, 0, cx, cy, RGB(0, 0, 0));
        pDC->BitBlt(rc.left, rc.top, cx, cy, &dcFrame, 0, 0, SRCCOPY);
        dcFrame.SelectObject(pOldFrame);
    } else {
        pDC->BitBlt(rc.left, rc.top, cx, cy, &dcBack, 0, 0, SRCCOPY);
        dcBack.SelectObject(pOldBack);
    }
}

void COXSkinXP::FillFrameButtonBack(CDC* pDC, const RECT& rectButton, COLORREF clrBack, CWnd*)
{
    pDC->FillSolidRect(0, 0, rectButton.right - rectButton.left, rectButton.bottom - rectButton.top, clrBack);
}

// ---------------------------------------------------------------------------
// COXSkin2003
// ---------------------------------------------------------------------------
COXSkin2003::COXSkin2003()
    : COXSkinXP(NoElements()), m_hMsimg32(::LoadLibraryA("Msimg32.dll")), m_pfnGradientFill(NULL),
      m_pUxTheme(&m_uxTheme)
{
    m_strName = "Office 2003";
    if (m_hMsimg32 != NULL)
        m_pfnGradientFill = (PFNGRADIENTFILL)::GetProcAddress(m_hMsimg32, "GradientFill");
    m_pToolbarSkin = new COXToolbarSkin2003(this);
    m_pTabSkin = new COXTabSkin2003(this);
    m_pShortcutBarSkin = new COXShortcutBarSkin2003(this);
    m_pDockbarSkin = new COXDockbarSkin2003(this);
    m_pStatusbarSkin = new COXStatusbarSkin2003(this);
    m_pMenuSkin = new COXMenuSkin2003(this);
    m_pFrameSkin = new COXFrameSkin2003(this);
    m_pMiniFrameSkin = new COXMiniFrameSkinXP(this);
}

COXSkin2003::~COXSkin2003()
{
    // The element skins go before the library their gradients call into.
    delete m_pToolbarSkin;
    m_pToolbarSkin = NULL;
    delete m_pTabSkin;
    m_pTabSkin = NULL;
    delete m_pShortcutBarSkin;
    m_pShortcutBarSkin = NULL;
    delete m_pDockbarSkin;
    m_pDockbarSkin = NULL;
    delete m_pMenuSkin;
    m_pMenuSkin = NULL;
    delete m_pStatusbarSkin;
    m_pStatusbarSkin = NULL;
    ResetTheme();
    if (m_hMsimg32 != NULL)
        ::FreeLibrary(m_hMsimg32);
}

BOOL COXSkin2003::IsThemed(COLORREF* pHighlight, COLORREF* pCaption) const
{
    if (!m_bThemeRead) {
        m_hTheme = m_pUxTheme->IsLoaded() ? m_pUxTheme->OpenThemeData(NULL, "button") : NULL;
        m_bThemeRead = TRUE;
    }
    if (m_hTheme == NULL)
        return FALSE;
    if (pHighlight != NULL)
        *pHighlight = m_pUxTheme->GetThemeSysColor(m_hTheme, COLOR_HIGHLIGHT);
    if (pCaption != NULL)
        *pCaption = m_pUxTheme->GetThemeSysColor(m_hTheme, COLOR_ACTIVECAPTION);
    return TRUE;
}

void COXSkin2003::ResetTheme()
{
    if (m_hTheme != NULL)
        m_pUxTheme->CloseThemeData(m_hTheme);
    m_hTheme = NULL;
    m_bThemeRead = FALSE;
}

COLORREF COXSkin2003::WindowBlend(int nWindowThemed, int nWindowPlain) const
{
    COLORREF clrTH;
    if (IsThemed(&clrTH))
        return OXBlendColors(SysColor(COLOR_WINDOW), nWindowThemed, clrTH, 100 - nWindowThemed);
    return OXBlendColors(SysColor(COLOR_WINDOW), nWindowPlain, SysColor(COLOR_BTNFACE), 100 - nWindowPlain);
}

COLORREF COXSkin2003::GetHotItemColor() const
{
    return IsThemed() ? RGB(255, 238, 194) : COXSkinXP::GetHotItemColor();
}

COLORREF COXSkin2003::GetCheckedItemColor() const
{
    return IsThemed() ? RGB(255, 192, 111) : COXSkinXP::GetCheckedItemColor();
}

COLORREF COXSkin2003::GetPressedItemColor() const
{
    return IsThemed() ? RGB(254, 128, 62) : COXSkinXP::GetPressedItemColor();
}

COLORREF COXSkin2003::GetHotItemBorderColor() const
{
    COLORREF clrTC;
    return IsThemed(NULL, &clrTC) ? OXOffsetColor(clrTC, 0, -84, -99) : SysColor(COLOR_HIGHLIGHT);
}

COLORREF COXSkin2003::GetMenuBackgroundColor() const
{
    return IsThemed() ? RGB(246, 246, 246) : COXSkinXP::GetMenuBackgroundColor();
}

COLORREF COXSkin2003::GetMenuBorderColor() const
{
    COLORREF clrTC;
    return IsThemed(NULL, &clrTC) ? OXScaleColor(clrTC, 55) : SysColor(COLOR_BTNSHADOW);
}

COLORREF COXSkin2003::GetToolbarBackgroundColor() const
{
    return COXSkinXP::GetToolbarBackgroundColor();
}

COLORREF COXSkin2003::GetDockbarBackgroundColor() const
{
    return IsThemed() ? GetDockGradientEndColor() : SysColor(COLOR_BTNFACE);
}

COLORREF COXSkin2003::GetInactiveTabTextColor() const
{
    return SysColor(COLOR_BTNTEXT);
}

COLORREF COXSkin2003::GetSeparatorColor() const
{
    COLORREF clrTH;
    if (IsThemed(&clrTH))
        return OXBlendColors(SysColor(COLOR_WINDOW), 20, clrTH, 80);
    return OXOffsetColor(SysColor(COLOR_BTNSHADOW), 38);
}

COLORREF COXSkin2003::GetFrameBorderColor() const
{
    COLORREF clrTH;
    return IsThemed(&clrTH) ? OXScaleColor(clrTH, 50) : OXOffsetColor(SysColor(COLOR_BTNSHADOW), 38);
}

COLORREF COXSkin2003::GetGripperColor() const
{
    COLORREF clrTH;
    return IsThemed(&clrTH) ? OXScaleColor(clrTH, 70) : OXOffsetColor(SysColor(COLOR_BTNSHADOW), 32);
}

COLORREF COXSkin2003::GetMiniFrameCaptionColor() const
{
    COLORREF clrTH;
    return IsThemed(&clrTH) ? clrTH : SysColor(COLOR_BTNSHADOW);
}

COLORREF COXSkin2003::GetMiniFrameCaptionTextColor() const
{
    return SysColor(COLOR_CAPTIONTEXT);
}

COLORREF COXSkin2003::GetMiniFrameBorderColor() const
{
    COLORREF clrTH;
    return IsThemed(&clrTH) ? clrTH : OXOffsetColor(SysColor(COLOR_BTNSHADOW), -9);
}

COLORREF COXSkin2003::GetMiniFrameBackgroundColor() const
{
    return GetDockbarBackgroundColor();
}

COLORREF COXSkin2003::GetDisabledTextColor() const
{
    return IsThemed() ? RGB(141, 141, 141) : SysColor(COLOR_GRAYTEXT);
}

COLORREF COXSkin2003::GetMenuDisabledTextColor() const
{
    return IsThemed() ? RGB(141, 141, 141) : GetSeparatorColor();
}

COLORREF COXSkin2003::GetBarGradientStartColor() const
{
    return WindowBlend(95, 78);
}

COLORREF COXSkin2003::GetBarGradientEndColor() const
{
    return WindowBlend(20, 4);
}

COLORREF COXSkin2003::GetDockGradientStartColor() const
{
    return WindowBlend(50, 0);
}

COLORREF COXSkin2003::GetDockGradientEndColor() const
{
    return WindowBlend(70, 80);
}

COLORREF COXSkin2003::GetCaptionGradientStartColor() const
{
    return WindowBlend(95, 73);
}

COLORREF COXSkin2003::GetCaptionGradientEndColor() const
{
    return WindowBlend(20, 0);
}

COLORREF COXSkin2003::GetMenuGradientStartColor() const
{
    return WindowBlend(95, 86);
}

COLORREF COXSkin2003::GetMenuGradientEndColor() const
{
    return WindowBlend(20, 8);
}

COLORREF COXSkin2003::GetMenuGradientAltEndColor() const
{
    return WindowBlend(20, 58);
}

COLORREF COXSkin2003::GetHeaderGradientColor() const
{
    COLORREF clrTH;
    if (IsThemed(&clrTH))
        return OXBlendColors(SysColor(COLOR_WINDOW), 50, clrTH, 50);
    return GetToolbarBackgroundColor();
}

COLORREF COXSkin2003::GetHotGradientStartColor() const
{
    return IsThemed() ? RGB(255, 244, 204) : COXSkinXP::GetHotItemColor();
}

COLORREF COXSkin2003::GetHotGradientEndColor() const
{
    return IsThemed() ? RGB(255, 208, 145) : COXSkinXP::GetHotItemColor();
}

COLORREF COXSkin2003::GetCheckedGradientStartColor() const
{
    return IsThemed() ? RGB(255, 213, 140) : COXSkinXP::GetCheckedItemColor();
}

COLORREF COXSkin2003::GetCheckedGradientEndColor() const
{
    return IsThemed() ? RGB(255, 173, 85) : COXSkinXP::GetCheckedItemColor();
}

COLORREF COXSkin2003::GetPressedGradientStartColor() const
{
    return IsThemed() ? RGB(254, 145, 78) : COXSkinXP::GetPressedItemColor();
}

COLORREF COXSkin2003::GetPressedGradientEndColor() const
{
    return IsThemed() ? RGB(255, 211, 142) : COXSkinXP::GetPressedItemColor();
}

COLORREF COXSkin2003::GradientLineColor(COLORREF clrStart, COLORREF clrEnd, int i, int n)
{
    if (n <= 0)
        return clrStart;
    auto channel = [&](int s, int e) { return s + (e - s) * i / n; };
    return RGB(channel(GetRValue(clrStart), GetRValue(clrEnd)), channel(GetGValue(clrStart), GetGValue(clrEnd)),
               channel(GetBValue(clrStart), GetBValue(clrEnd)));
}

void COXSkin2003::GradientFillLines(CDC* pDC, const RECT& rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical)
{
    const int n = bVertical ? rect.bottom - rect.top : rect.right - rect.left;
    const int nAcross = bVertical ? rect.right - rect.left : rect.bottom - rect.top;
    if (pDC == NULL || n <= 0 || nAcross <= 0)
        return;
    for (int i = 0; i < n; ++i) {
        CPen pen(PS_SOLID, 1, GradientLineColor(clrStart, clrEnd, i, n));
        CPen* pOldPen = pDC->SelectObject(&pen);
        if (bVertical) {
            pDC->MoveTo(rect.left, rect.top + i);
            pDC->LineTo(rect.right, rect.top + i);
        } else {
            pDC->MoveTo(rect.left + i, rect.top);
            pDC->LineTo(rect.left + i, rect.bottom);
        }
        pDC->SelectObject(pOldPen);
    }
}

namespace {

// A vertex's channels are 16-bit: the 8-bit value goes in the high byte, so
// that 255 stays 255 when drawn.
TRIVERTEX Vertex(LONG x, LONG y, COLORREF clr)
{
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = (COLOR16)(GetRValue(clr) << 8);
    v.Green = (COLOR16)(GetGValue(clr) << 8);
    v.Blue = (COLOR16)(GetBValue(clr) << 8);
    v.Alpha = 0;
    return v;
}

} // namespace

void COXSkin2003::GradientFill(CDC* pDC, const RECT& rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical) const
{
    if (pDC == NULL || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    if (m_pfnGradientFill == NULL) {
        GradientFillLines(pDC, rect, clrStart, clrEnd, bVertical);
        return;
    }
    TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, clrStart), Vertex(rect.right, rect.bottom, clrEnd)};
    GRADIENT_RECT mesh = {0, 1};
    m_pfnGradientFill(pDC->GetSafeHdc(), vertices, 2, &mesh, 1,
                      bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void COXSkin2003::GradientFill4(CDC* pDC, const RECT& rect, COLORREF clrTopLeft, COLORREF clrTopRight,
                                COLORREF clrBottomLeft, COLORREF clrBottomRight) const
{
    if (pDC == NULL || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    if (m_pfnGradientFill == NULL) {
        if (rect.right - rect.left < rect.bottom - rect.top)
            GradientFillLines(pDC, rect, clrTopLeft, clrTopRight, FALSE);
        else
            GradientFillLines(pDC, rect, clrTopLeft, clrBottomLeft, TRUE);
        return;
    }
    TRIVERTEX vertices[6] = {
        Vertex(rect.left, rect.top, clrTopLeft),      Vertex(rect.right, rect.top, clrTopRight),
        Vertex(rect.left, rect.bottom, clrBottomLeft), Vertex(rect.right, rect.top, clrTopRight),
        Vertex(rect.left, rect.bottom, clrBottomLeft), Vertex(rect.right, rect.bottom, clrBottomRight),
    };
    GRADIENT_TRIANGLE mesh[2] = {{0, 1, 2}, {3, 4, 5}};
    m_pfnGradientFill(pDC->GetSafeHdc(), vertices, 6, mesh, 2, GRADIENT_FILL_TRIANGLE);
}

void COXSkin2003::FillDockGradient(CDC* pDC, const RECT& rect, int xBand, int cxBand) const
{
    if (pDC == NULL || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    // The gradient spans the whole half band, so that each part drawn shows
    // the colours of its place in it; the clip keeps the drawing in rect.
    const int xHalf = xBand + cxBand / 2;
    pDC->SaveDC();
    pDC->IntersectClipRect(&rect);
    if (xHalf > rect.left)
        GradientFill(pDC, CRect(xBand, rect.top, xHalf, rect.bottom), GetDockGradientStartColor(),
                     GetDockGradientEndColor(), FALSE);
    if (rect.right > xHalf) {
        CRect rectRest(rect);
        rectRest.left = std::max<LONG>(rect.left, xHalf);
        pDC->FillSolidRect(&rectRest, GetDockGradientEndColor());
    }
    pDC->RestoreDC(-1);
}

void COXSkin2003::GetDockBand(CWnd* pWnd, BOOL bClient, int& xBand, int& cxBand)
{
    xBand = 0;
    cxBand = ::GetSystemMetrics(SM_CXSCREEN);
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    CWnd* pFrame = pWnd->GetParentFrame();
    if (pFrame == NULL)
        pFrame = pWnd->GetTopLevelParent();
    if (pFrame == NULL)
        pFrame = pWnd;
    CRect rectFrame, rectWindow;
    pFrame->GetWindowRect(&rectFrame);
    pWnd->GetWindowRect(&rectWindow);
    POINT ptOrigin = {rectWindow.left, rectWindow.top};
    if (bClient) {
        ptOrigin.x = ptOrigin.y = 0;
        pWnd->ClientToScreen(&ptOrigin);
    }
    xBand = rectFrame.left - ptOrigin.x;
    cxBand = std::max(cxBand, rectFrame.Width());
}

// Whether the window is a menu bar (or made from one); the class is known
// here by its run-time name only.
static bool IsMenuBar(CWnd* pWnd)
{
    if (pWnd == NULL)
        return false;
    for (CRuntimeClass* pClass = pWnd->GetRuntimeClass(); pClass != NULL; pClass = pClass->m_pBaseClass)
        if (strcmp(pClass->m_lpszClassName, "COXMenuBar") == 0)
            return true;
    return false;
}

void COXSkin2003::FillFrameButtonBack(CDC* pDC, const RECT& rectButton, COLORREF clrBack, CWnd* pWnd)
{
    COXSkinXP::FillFrameButtonBack(pDC, rectButton, clrBack, pWnd);
    const CRect rectBitmap(0, 0, rectButton.right - rectButton.left, rectButton.bottom - rectButton.top);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(COXSizeControlBar))) {
        // The button's rectangle is in the bar's window coordinates.
        COXSizeControlBar* pBar = static_cast<COXSizeControlBar*>(pWnd);
        CRect rectCaption = COXDockbarSkin::ToWindow(pBar, pBar->m_rectGripper);
        rectCaption.OffsetRect(-rectButton.left, -rectButton.top);
        pDC->SaveDC();
        pDC->IntersectClipRect(&rectBitmap);
        GradientFill(pDC, rectCaption, GetCaptionGradientStartColor(), GetCaptionGradientEndColor(),
                     !pBar->IsHorzDocked());
        pDC->RestoreDC(-1);
    } else if (IsMenuBar(pWnd)) {
        // The menu bar paints its background in client coordinates, its
        // band starting 2 pixels left of the frame.
        int xBand, cxBand;
        GetDockBand(pWnd, TRUE, xBand, cxBand);
        FillDockGradient(pDC, rectBitmap, xBand - 2 - rectButton.left, cxBand);
    }
}
