#include "OXShortcutBarSkin.h"

#include <commctrl.h>

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
    COLORREF clrLight = LightFrameColor(clrBack), clrDark = DarkFrameColor(clrBack);
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

COXShortcutBarSkin* AFXAPI OXGetAppShortcutBarSkin()
{
    // No skinned application class exists yet: every window keeps its own
    // Classic element.
    return NULL;
}
