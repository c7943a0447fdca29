#include "OXShadowedItemWnd.h"

#include "OXMenuSkin.h"

IMPLEMENT_DYNAMIC(COXShadowedItemWnd, CWnd)

BEGIN_MESSAGE_MAP(COXShadowedItemWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL COXShadowedItemWnd::Create(const RECT& rectScreen)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, lpszClass, "", WS_CHILD | WS_VISIBLE, rectScreen,
                    CWnd::GetDesktopWindow(), 0);
}

void COXShadowedItemWnd::OnPaint()
{
    if (!OXGetMenuSkin()->PaintShadowedItem(this))
        Default();
}

BOOL COXShadowedItemWnd::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}
