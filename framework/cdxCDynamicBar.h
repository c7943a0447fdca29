// cdxCDynamicBar.h - cdxCDynamicBar: a sizing control bar that hosts one
// dialog laid out by the dynamic-layout engine. The dialog fills the bar's
// client area, gets the bar's commands first, and sets the bar's minimum size.
#pragma once

#include "SizingControlBar.h"

class cdxCDynamicBarDlg;

class cdxCDynamicBar : public CSizingControlBar
{
    DECLARE_DYNAMIC(cdxCDynamicBar)
public:
    // The bar shows pDlg (which it neither creates as an object nor deletes).
    explicit cdxCDynamicBar(cdxCDynamicBarDlg* pDlg);
    virtual ~cdxCDynamicBar() {}

    // Creates the bar, then the dialog in it; without the dialog there is no bar.
    BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    cdxCDynamicBarDlg* GetDialog() const { return m_pDlg; }

protected:
    void OnTrackUpdateSize(CPoint& point) override;

    cdxCDynamicBarDlg* m_pDlg;
    int m_nBorderLeft, m_nBorderTop, m_nBorderRight, m_nBorderBottom;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
