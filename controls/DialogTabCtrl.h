// DialogTabCtrl.h - CDialogTabCtrl: a tab control that owns one modeless child
// dialog per tab. The dialog of the selected tab fills the area beside the
// tabs; the others are hidden.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

class CDialogTabCtrl : public CTabCtrl
{
    DECLARE_DYNAMIC(CDialogTabCtrl)
public:
    CDialogTabCtrl();
    virtual ~CDialogTabCtrl();

    // Inserts a tab with text and image at nTab and appends pPage, whose
    // window must be a child of this control. Pages match tabs by their order,
    // so tabs are added in order. The control owns pPage from here on.
    void AddPage(int nTab, LPCTSTR lpszText, int nImage, CDialog* pPage);
    // Once, after the pages were added: page 0 current and shown, the others
    // hidden, all of them placed in the page area.
    void InitPages();
    // Hides the current page, selects tab nPage and shows its page with the
    // focus.
    void SetActivePage(int nPage);
    // 16 x 16 tab images from a bitmap resource whose first pixel gives the
    // background colour. FALSE when the bitmap cannot be loaded.
    BOOL LoadTabImages(UINT nBitmapId);

    int GetActivePage() const { return m_nCurPage; }
    int GetPageCount() const { return (int)m_arrPages.GetSize(); }
    CDialog* GetPage(int nPage) const { return IsPage(nPage) ? m_arrPages[nPage] : NULL; }

    // The area the pages fill, in client coordinates. With bAllowBottom, tabs
    // that do not start at the top are taken to run along the bottom.
    CRect GetPageRect(BOOL bAllowBottom) const;

    CImageList m_ImageList;
    CArray<CDialog*, CDialog*> m_arrPages;
    int m_nCurPage;

protected:
    BOOL IsPage(int nPage) const { return nPage >= 0 && nPage < m_arrPages.GetSize(); }
    void LayoutPages(BOOL bAllowBottom);
    // Makes nPage current when it is not already, swapping the shown page.
    void SwitchTo(int nPage);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
