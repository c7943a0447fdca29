#include "OXSkinnedTabCtrl.h"

#include "OXSkinnedApp.h"
#include "OXTabSkin.h"

IMPLEMENT_DYNAMIC(COXSkinnedTabCtrl, CTabCtrl)

BEGIN_MESSAGE_MAP(COXSkinnedTabCtrl, CTabCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

COXSkinnedTabCtrl::COXSkinnedTabCtrl() : m_pTabSkin(NULL) {}

COXSkinnedTabCtrl::~COXSkinnedTabCtrl()
{
    if (::IsWindow(m_wndSpin.GetSafeHwnd()))
        m_wndSpin.DestroyWindow();
    delete m_pTabSkin;
}

COXTabSkin* COXSkinnedTabCtrl::GetTabSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetTabSkin() != NULL)
        return pSkin->GetTabSkin();
    if (m_pTabSkin == NULL)
        m_pTabSkin = new COXTabSkinClassic;
    return m_pTabSkin;
}

COXSkinnedSpinCtrl* COXSkinnedTabCtrl::GetSkinnedSpin(CWnd* pWnd)
{
    COXSkinnedTabCtrl* pTab = DYNAMIC_DOWNCAST(COXSkinnedTabCtrl, pWnd);
    return pTab != NULL ? &pTab->m_wndSpin : NULL;
}

void COXSkinnedTabCtrl::OnPaint()
{
    GetTabSkin()->OnPaint(this);
}
