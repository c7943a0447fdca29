#include "OXSizeControlBar.h"

#include "OXDockbarSkin.h"
#include "OXSkinnedApp.h"

IMPLEMENT_DYNAMIC(COXSizeControlBar, CControlBar)

COXSizeControlBar::COXSizeControlBar(DWORD dwSizeBarStyle)
    : m_dwSizeBarStyle(dwSizeBarStyle), m_bClientReduced(FALSE), m_nPressedButton(-1), m_bMaximizedInRow(FALSE),
      m_bActive(FALSE), m_pPrivateSkin(NULL)
{
}

COXSizeControlBar::~COXSizeControlBar()
{
    delete m_pPrivateSkin;
}

BOOL COXSizeControlBar::CanMaximizeInRow()
{
    return FALSE;
}

COXDockbarSkin* COXSizeControlBar::GetDockbarSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetDockbarSkin() != NULL)
        return pSkin->GetDockbarSkin();
    if (m_pPrivateSkin == NULL)
        m_pPrivateSkin = new COXDockbarSkinClassic;
    return m_pPrivateSkin;
}

CPoint COXSizeControlBar::GetClientOffset() const
{
    if (!::IsWindow(m_hWnd))
        return CPoint(0, 0);
    CRect rectWindow;
    ::GetWindowRect(m_hWnd, &rectWindow);
    POINT ptClient = {0, 0};
    ::ClientToScreen(m_hWnd, &ptClient);
    return CPoint(ptClient.x - rectWindow.left, ptClient.y - rectWindow.top);
}

CRect COXSizeControlBar::GetWindowRectInClient() const
{
    if (!::IsWindow(m_hWnd))
        return CRect(0, 0, 0, 0);
    CRect rectWindow;
    ::GetWindowRect(m_hWnd, &rectWindow);
    CPoint ptOffset = GetClientOffset();
    return CRect(-ptOffset.x, -ptOffset.y, rectWindow.Width() - ptOffset.x, rectWindow.Height() - ptOffset.y);
}

void COXSizeControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
