#include "OXShortcutBarSkin.h"

#include <commctrl.h>

#include "OXSHBListCtrl.h"
#include "OXSkinnedApp.h"
#include "OXSkins.h"

COLORREF COXShortcutBarSkinClassic::LightFrameColor(COLORREF clrBack)
{
    auto up = [](int c) { return c + 64 > 255 ? 255 : c + 64; };
    return RGB(up(GetRValue(clrBack)), up(GetGValue(clrBack)), up(GetBValue(clrBack)));
}

COLORREF COXShortcutBarSkinClassic::DarkFrameColor(COLORREF clrBack)
{
    auto down = [](int c) { return c - 128 < 0 ? 0 : c - 128; };
    return RGB(down(GetRValue(clrBack)), down(GetGValue(clrBack)), down(GetBValue(clrBack)));
}

COLORREF COXShortcutBarSkinClassic::BarLightFrameColor(COLORREF clrBack)
{
    int r = GetRValue(clrBack), g = GetGValue(clrBack);
    r = r < 192 ? r + 64 : 255;
    g = g < 192 ? g + 64 : 255;
    return RGB(r, g, r);
}

COLORREF COXShortcutBarSkinClassic::BarDarkFrameColor(COLORREF clrBack)
{
    int r = GetRValue(clrBack), g = GetGValue(clrBack);
    r = r >= 128 ? r - 128 : 0;
    g = g >= 128 ? g - 128 : 0;
    return RGB(r, g, r);
}

COLORREF COXShortcutBarSkinClassic::GetBackgroundColor(CWnd*)
{
    return ::GetSysColor(COLOR_BTNSHADOW);
}

COLORREF COXShortcutBarSkinClassic::GetTextColor()
{
    return ::GetSysColor(COLOR_CAPTIONTEXT);
}

COLORREF COXShortcutBarSkinClassic::DrawItemFrame(CDC* pDC, const RECT& rect, BOOL bHot, BOOL bPressed,
                                                  COXSHBListCtrl* pList)
{
    // The list is a CWnd at its own address (a single chain of window
    // classes), and answers LVM_GETBKCOLOR with its group's colour.
    CWnd* pWnd = reinterpret_cast<CWnd*>(pList);
    COLORREF clrBack = pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd())
                           ? (COLORREF)::SendMessage(pWnd->GetSafeHwnd(), LVM_GETBKCOLOR, 0, 0)
                           : ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrLight = BarLightFrameColor(clrBack), clrDark = BarDarkFrameColor(clrBack);
    if (bPressed)
        pDC->Draw3dRect(&rect, clrDark, clrLight);
    else if (bHot)
        pDC->Draw3dRect(&rect, clrLight, clrDark);
    return clrDark;
}

// Whether the window is a group list (or made from one); the class is known
// here by its run-time name only.
static bool IsGroupList(CWnd* pWnd)
{
    if (pWnd == NULL)
        return false;
    for (CRuntimeClass* pClass = pWnd->GetRuntimeClass(); pClass != NULL; pClass = pClass->m_pBaseClass)
        if (strcmp(pClass->m_lpszClassName, "COXSHBListCtrl") == 0)
            return true;
    return false;
}

void COXShortcutBarSkinClassic::FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bUseColor,
                                               COLORREF clr)
{
    CRect rc(rect);
    // A group list paints into item bitmaps whose origin is its own.
    if (IsGroupList(pWnd))
        rc.MoveToXY(0, 0);
    pDC->FillSolidRect(&rc, bUseColor ? clr : GetBackgroundColor(pWnd));
}

// ---------------------------------------------------------------------------
// Office XP and Office 2003
// ---------------------------------------------------------------------------
COLORREF COXShortcutBarSkinXP::GetBackgroundColor(CWnd*)
{
    return m_pSkin->GetToolbarBackgroundColor();
}

COLORREF COXShortcutBarSkinXP::GetTextColor()
{
    return m_pSkin->SysColor(COLOR_WINDOWTEXT);
}

COLORREF COXShortcutBarSkinXP::ItemFrameFill(BOOL bHot, BOOL bPressed) const
{
    if (bHot && bPressed)
        return m_pSkin->GetPressedItemColor();
    if (bHot)
        return m_pSkin->GetHotItemColor();
    if (bPressed)
        return m_pSkin->GetCheckedItemColor();
    return CLR_NONE;
}

COLORREF COXShortcutBarSkinXP::DrawItemFrame(CDC* pDC, const RECT& rect, BOOL bHot, BOOL bPressed,
                                             COXSHBListCtrl*)
{
    COLORREF clrBorder = m_pSkin->GetHotItemBorderColor();
    CPen pen(PS_SOLID, 1, clrBorder);
    CPen* pOldPen = pDC->SelectObject(&pen);
    COLORREF clrFill = ItemFrameFill(bHot, bPressed);
    CBrush brush;
    CBrush* pOldBrush = NULL;
    if (clrFill != CLR_NONE) {
        brush.CreateSolidBrush(clrFill);
        pOldBrush = pDC->SelectObject(&brush);
    }
    pDC->Rectangle(&rect);
    if (pOldBrush != NULL)
        pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
    return clrBorder;
}

void COXShortcutBarSkinXP::FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bUseColor, COLORREF clr)
{
    CRect rc(rect);
    if (IsGroupList(pWnd))
        rc.MoveToXY(0, 0);
    pDC->FillSolidRect(&rc, bUseColor ? clr : GetBackgroundColor(pWnd));
}

COXShortcutBarSkin2003::COXShortcutBarSkin2003(COXSkin2003* pSkin) : COXShortcutBarSkinXP(pSkin) {}

void COXShortcutBarSkin2003::FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bUseColor,
                                            COLORREF clr)
{
    CRect rc(rect);
    // Every list of a bar shows its own part of the bar's one gradient: the
    // rectangle becomes the bar's client area, seen from the list.
    if (IsGroupList(pWnd)) {
        HWND hBar = ::GetParent(pWnd->GetSafeHwnd());
        if (hBar != NULL) {
            ::GetClientRect(hBar, &rc);
            ::MapWindowPoints(hBar, pWnd->GetSafeHwnd(), (LPPOINT)&rc, 2);
            // An item drawn into a bitmap of its own sees the gradient from
            // its corner.
            rc.OffsetRect(-static_cast<COXSHBListCtrl*>(pWnd)->GetPaintOffset());
        }
    }
    if (bUseColor) {
        pDC->FillSolidRect(&rc, clr);
        return;
    }
    COXSkin2003* pSkin = static_cast<COXSkin2003*>(m_pSkin);
    COLORREF clrHeader = pSkin->GetHeaderGradientColor();
    pSkin->GradientFill4(pDC, rc, pSkin->GetMenuGradientStartColor(), clrHeader, clrHeader, clrHeader);
}

COXShortcutBarSkin* AFXAPI OXGetAppShortcutBarSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    return pSkin != NULL ? pSkin->GetShortcutBarSkin() : NULL;
}
