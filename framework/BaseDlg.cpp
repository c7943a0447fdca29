// BaseDlg.cpp - CBaseDlg: size kept in "Settings", the context menu that
// follows the controls' state, the owner-drawn menu glue and the labels.
#include "BaseDlg.h"
#include "ProfileKeys.h"

IMPLEMENT_DYNAMIC(CBaseDlg, cdxCDynamicDialog)

namespace {

// Anti-flicker timer and size grip: the engine's default flags.
const UINT kEngineFlags = cdxCDynamicWnd::flSizeIcon | cdxCDynamicWnd::flAntiFlicker;

}  // namespace

BEGIN_MESSAGE_MAP(CBaseDlg, cdxCDynamicDialog)
    ON_WM_SIZE()
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CBaseDlg::CBaseDlg(UINT nIDTemplate, CWnd* pParent)
    : cdxCDynamicDialog(nIDTemplate, pParent, fdAll, kEngineFlags),
      m_hBkBrush(NULL),
      m_nContextMenuId(-1),
      m_pLabelIds(NULL),
      m_nLabelIds(0),
      m_pImageList(new CImageList),
      m_nTemplateId((int)nIDTemplate)
{
}

CBaseDlg::CBaseDlg()
    : cdxCDynamicDialog((CWnd*)NULL, fdAll, kEngineFlags),
      m_hBkBrush(NULL),
      m_nContextMenuId(-1),
      m_pLabelIds(NULL),
      m_nLabelIds(0),
      m_pImageList(new CImageList),
      m_nTemplateId(-1)
{
}

CBaseDlg::~CBaseDlg()
{
    for (INT_PTR i = 0; i < m_Labels.GetSize(); ++i) {
        delete m_Labels[i];
        m_Labels[i] = NULL;
    }
    m_Labels.RemoveAll();
    delete[] m_pLabelIds;
    delete m_pImageList;
}

BOOL CBaseDlg::OnInitDialog()
{
    cdxCDynamicDialog::OnInitDialog();
    return TRUE;
}

// A window created through PreCreateWindow starts at the size and place last
// written to "Settings"; dialogs made from templates never pass here, and are
// placed by the layout engine's own record instead.
BOOL CBaseDlg::PreCreateWindow(CREATESTRUCT& cs)
{
    CWinApp* pApp = AfxGetApp();
    cs.x = (int)pApp->GetProfileInt(szSectionSettings, SettingsKey(szDialogXSuffix), cs.x);
    cs.y = (int)pApp->GetProfileInt(szSectionSettings, SettingsKey(szDialogYSuffix), cs.y);
    cs.cx = (int)pApp->GetProfileInt(szSectionSettings, SettingsKey(szDialogWidthSuffix), cs.cx);
    cs.cy = (int)pApp->GetProfileInt(szSectionSettings, SettingsKey(szDialogHeightSuffix), cs.cy);
    return CWnd::PreCreateWindow(cs);
}

void CBaseDlg::SavePosition()
{
    CRect rc;
    GetWindowRect(rc);
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(szSectionSettings, SettingsKey(szDialogXSuffix), rc.left);
    pApp->WriteProfileInt(szSectionSettings, SettingsKey(szDialogYSuffix), rc.top);
}

// After the relayout the window size is written on every change; an empty
// dimension (a window on its way out) is not.
void CBaseDlg::OnSize(UINT nType, int cx, int cy)
{
    cdxCDynamicDialog::OnSize(nType, cx, cy);
    CRect rc;
    GetWindowRect(rc);
    CWinApp* pApp = AfxGetApp();
    if (rc.Width() > 0) pApp->WriteProfileInt(szSectionSettings, SettingsKey(szDialogWidthSuffix), rc.Width());
    if (rc.Height() > 0) pApp->WriteProfileInt(szSectionSettings, SettingsKey(szDialogHeightSuffix), rc.Height());
}

int CBaseDlg::GetProfileInt(LPCTSTR lpszEntry, int nDefault)
{
    return (int)AfxGetApp()->GetProfileInt(m_strProfile, lpszEntry, nDefault);
}

BOOL CBaseDlg::WriteProfileInt(LPCTSTR lpszEntry, int nValue)
{
    return AfxGetApp()->WriteProfileInt(m_strProfile, lpszEntry, nValue);
}

CString CBaseDlg::GetProfileString(LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    return AfxGetApp()->GetProfileString(m_strProfile, lpszEntry, lpszDefault);
}

BOOL CBaseDlg::WriteProfileString(LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    return AfxGetApp()->WriteProfileString(m_strProfile, lpszEntry, lpszValue);
}

void CBaseDlg::SetLabelIds(const int* pIds, int nCount)
{
    delete[] m_pLabelIds;
    m_nLabelIds = nCount > 0 ? nCount : 0;
    m_pLabelIds = new int[m_nLabelIds > 0 ? m_nLabelIds : 1];
    for (int i = 0; i < m_nLabelIds; ++i) m_pLabelIds[i] = pIds[i];
}

void TrackControlStateMenu(CWnd* pWnd, int nMenuId, CPoint point)
{
    BCMenu menu;
    BCMenu::SetIconSize(32, 32);
    if (!menu.LoadMenuById((UINT)nMenuId)) return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup != NULL) {
        int nCount = pPopup->GetMenuItemCount();
        for (int i = 0; i < nCount; ++i) {
            UINT nID = pPopup->GetMenuItemID(i);
            if (nID == 0 || nID == (UINT)-1) continue;
            HWND hCtl = ::GetDlgItem(pWnd->m_hWnd, (int)nID);
            if (hCtl == NULL) continue;
            pPopup->EnableMenuItem(i, MF_BYPOSITION | (::IsWindowEnabled(hCtl) ? MF_ENABLED : MF_GRAYED));
        }
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, pWnd);
    }
    menu.DestroyMenu();
}

void CBaseDlg::OnContextMenu(CWnd*, CPoint point)
{
    if (m_nContextMenuId != -1) TrackControlStateMenu(this, m_nContextMenuId, point);
}

void CBaseDlg::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    cdxCDynamicDialog::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && BCMenu::IsKnownMenu(pPopupMenu)) BCMenu::UpdateMenu(pPopupMenu);
}

// The layer's measuring finds the owner-drawn menu that holds the item.
void CBaseDlg::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU && ::IsMenu((HMENU)(UINT_PTR)lpMeasureItemStruct->itemID))
        BCMenu::IsKnownMenuHandle((HMENU)(UINT_PTR)lpMeasureItemStruct->itemID);
    CWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CBaseDlg::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (BCMenu::IsKnownMenu(pMenu)) return BCMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return cdxCDynamicDialog::OnMenuChar(nChar, nFlags, pMenu);
}

HBRUSH CBaseDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = cdxCDynamicDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    return m_hBkBrush != NULL ? m_hBkBrush : hbr;
}

// Labels taken over from the template give their windows back before the
// windows go, so nothing routes to a label being deleted.
void CBaseDlg::OnDestroy()
{
    if (m_pLabelIds != NULL) {
        for (INT_PTR i = 0; i < m_Labels.GetSize(); ++i) {
            CLabel* pLabel = m_Labels[i];
            if (pLabel != NULL && pLabel->GetSafeHwnd() != NULL) pLabel->UnsubclassWindow();
        }
    }
    cdxCDynamicDialog::OnDestroy();
}
