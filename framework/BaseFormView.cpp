// BaseFormView.cpp - CBaseFormView: the context menu that follows the
// controls' state and the owner-drawn menu glue.
#include "BaseFormView.h"

#include "BCMenu.h"
#include "BaseDlg.h"

IMPLEMENT_DYNAMIC(CBaseFormView, cdxCDynamicFormView)

BEGIN_MESSAGE_MAP(CBaseFormView, cdxCDynamicFormView)
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
END_MESSAGE_MAP()

CBaseFormView::CBaseFormView(UINT nIDTemplate)
    : cdxCDynamicFormView(nIDTemplate),
      m_nContextMenuId(-1)
{
}

void CBaseFormView::OnContextMenu(CWnd*, CPoint point)
{
    if (m_nContextMenuId != -1) TrackControlStateMenu(this, m_nContextMenuId, point);
}

void CBaseFormView::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    cdxCDynamicFormView::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && BCMenu::IsKnownMenu(pPopupMenu)) BCMenu::UpdateMenu(pPopupMenu);
}

// The layer's measuring finds the owner-drawn menu that holds the item.
void CBaseFormView::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU && ::IsMenu((HMENU)(UINT_PTR)lpMeasureItemStruct->itemID))
        BCMenu::IsKnownMenuHandle((HMENU)(UINT_PTR)lpMeasureItemStruct->itemID);
    CWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CBaseFormView::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (BCMenu::IsKnownMenu(pMenu)) return BCMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return cdxCDynamicFormView::OnMenuChar(nChar, nFlags, pMenu);
}
