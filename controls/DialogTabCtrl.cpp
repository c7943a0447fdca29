// DialogTabCtrl.cpp - CDialogTabCtrl: page placement and switching.
#include "DialogTabCtrl.h"

#include "ControlUtils.h"

IMPLEMENT_DYNAMIC(CDialogTabCtrl, CTabCtrl)

BEGIN_MESSAGE_MAP(CDialogTabCtrl, CTabCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_SIZE()
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, &CDialogTabCtrl::OnSelChange)
END_MESSAGE_MAP()

namespace {

// Tab 0 closer than this to the top of the client area: tabs along the top.
const int kTopTabsLimit = 8;

void RedrawNow(CWnd* pWnd)
{
    pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

CDialogTabCtrl::CDialogTabCtrl()
    : m_nCurPage(-1)
{
}

// The pages are the control's: each goes with it, window and object.
CDialogTabCtrl::~CDialogTabCtrl()
{
    for (INT_PTR i = 0; i < m_arrPages.GetSize(); ++i) {
        delete m_arrPages[i];
        m_arrPages[i] = NULL;
    }
    m_arrPages.RemoveAll();
}

void CDialogTabCtrl::AddPage(int nTab, LPCTSTR lpszText, int nImage, CDialog* pPage)
{
    InsertItem(TCIF_TEXT | TCIF_IMAGE, nTab, lpszText, nImage, 0);
    m_arrPages.Add(pPage);
}

void CDialogTabCtrl::InitPages()
{
    m_nCurPage = m_arrPages.GetSize() > 0 ? 0 : -1;
    LayoutPages(FALSE);
}

CRect CDialogTabCtrl::GetPageRect(BOOL bAllowBottom) const
{
    CRect rcClient, rcTab;
    GetClientRect(rcClient);
    if (!GetItemRect(0, rcTab)) rcTab.SetRectEmpty();
    CRect rc;
    if (!bAllowBottom || rcTab.top - rcClient.top < kTopTabsLimit) {
        rc.left = rcTab.left;
        rc.top = rcTab.bottom + 1;
        rc.right = rc.left + (rcClient.right - rcTab.left - 1);
        rc.bottom = rc.top + (rcClient.bottom - (rcTab.bottom + 1) - 1);
    } else {
        rc.left = 0;
        rc.top = 0;
        rc.right = rcClient.right - rcTab.left - 1;
        rc.bottom = rcClient.bottom - (rcTab.bottom - rcTab.top) - 1;
    }
    return rc;
}

void CDialogTabCtrl::LayoutPages(BOOL bAllowBottom)
{
    const CRect rc = GetPageRect(bAllowBottom);
    for (int i = 0; i < GetPageCount(); ++i) {
        CDialog* pPage = m_arrPages[i];
        if (pPage == NULL || pPage->GetSafeHwnd() == NULL) continue;
        pPage->SetWindowPos(&wndTop, rc.left, rc.top, rc.Width(), rc.Height(),
                            i == m_nCurPage ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    }
}

void CDialogTabCtrl::SetActivePage(int nPage)
{
    if (m_arrPages.GetSize() == 0) return;
    if (IsPage(m_nCurPage)) m_arrPages[m_nCurPage]->ShowWindow(SW_HIDE);
    SetCurSel(nPage);
    m_nCurPage = nPage;
    if (IsPage(nPage)) {
        m_arrPages[nPage]->ShowWindow(SW_SHOW);
        m_arrPages[nPage]->SetFocus();
    }
    RedrawNow(this);
}

void CDialogTabCtrl::SwitchTo(int nPage)
{
    if (nPage == m_nCurPage) return;
    if (IsPage(m_nCurPage)) m_arrPages[m_nCurPage]->ShowWindow(SW_HIDE);
    m_nCurPage = nPage;
    if (IsPage(nPage)) {
        CDialog* pPage = m_arrPages[nPage];
        pPage->ShowWindow(SW_SHOW);
        pPage->SetFocus();
        RedrawNow(pPage);
    }
}

// The default handling selects the clicked tab; its page follows.
void CDialogTabCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTabCtrl::OnLButtonDown(nFlags, point);
    SwitchTo(GetCurFocus());
}

// A selection changed from the keyboard shows its page as a click does; the
// parent still hears of the change.
BOOL CDialogTabCtrl::OnSelChange(NMHDR*, LRESULT* pResult)
{
    SwitchTo(GetCurSel());
    *pResult = 0;
    return FALSE;
}

void CDialogTabCtrl::OnSize(UINT nType, int cx, int cy)
{
    CTabCtrl::OnSize(nType, cx, cy);
    LayoutPages(TRUE);
}

BOOL CDialogTabCtrl::LoadTabImages(UINT nBitmapId)
{
    HBITMAP hBitmap = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nBitmapId), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION);
    if (hBitmap == NULL) return FALSE;
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    ReplaceBitmapBackground(hBitmap, clrFace);
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    // With a mask the background adding takes out is drawn in the list's
    // background colour; without one it would come out black.
    m_ImageList.DeleteImageList();
    if (!m_ImageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 26, 0)) return FALSE;
    m_ImageList.Add(&bitmap, clrFace);
    m_ImageList.SetBkColor(clrFace);
    SetImageList(&m_ImageList);
    return TRUE;
}
