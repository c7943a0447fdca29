#include "OXFrameSkin.h"

#include "OXSkins.h"

void COXFrameSkinXP::DrawBorder(CWnd* pWnd)
{
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    CWindowDC dc(pWnd);
    CRect rect;
    pWnd->GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    DrawBorderOn(&dc, rect);
}

void COXFrameSkinXP::DrawBorderOn(CDC* pDC, const RECT& rectWindow)
{
    CBrush brush(m_pSkin->GetFrameBorderColor());
    pDC->FrameRect(&rectWindow, &brush);
}

void COXFrameSkinXP::AdjustBorderRect(RECT& rect)
{
    ::InflateRect(&rect, 1, 1);
}

COLORREF COXFrameSkinXP::GetBackgroundColor()
{
    return m_pSkin->SysColor(COLOR_BTNFACE);
}

COLORREF COXFrameSkinXP::GetBorderColor()
{
    return m_pSkin->SysColor(COLOR_BTNSHADOW);
}

COXFrameSkin2003::COXFrameSkin2003(COXSkin2003* pSkin) : COXFrameSkinXP(pSkin) {}

COLORREF COXFrameSkin2003::GetBackgroundColor()
{
    return m_pSkin->GetDockbarBackgroundColor();
}

COLORREF COXFrameSkin2003::GetBorderColor()
{
    return m_pSkin->GetFrameBorderColor();
}
