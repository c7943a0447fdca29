// rebar.cpp - CReBar: the common rebar control as a control bar holding other
// bars (tool bars, dialog bars) in its bands.
#include "docimpl.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar()
{
    SetBorders(0, 0, 0, 0);
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    return CreateBar(REBARCLASSNAME, pParentWnd, dwCtrlStyle | RBS_VARHEIGHT, dwStyle, nID);
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFOA rbBand = {};
    rbBand.fMask = RBBIM_STYLE;
    rbBand.fStyle = dwStyle;
    if (pbmp != NULL) {
        rbBand.fMask |= RBBIM_BACKGROUND;
        rbBand.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
    }
    return DoAddBar(pBar, &rbBand, pszText);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText, DWORD dwStyle)
{
    REBARBANDINFOA rbBand = {};
    rbBand.fMask = RBBIM_STYLE | RBBIM_COLORS;
    rbBand.fStyle = dwStyle;
    rbBand.clrFore = clrFore;
    rbBand.clrBack = clrBack;
    return DoAddBar(pBar, &rbBand, pszText);
}

// The band is as large as the bar asks to be (a control bar's own layout, a
// plain window's size); the band's id is the bar's.
BOOL CReBar::DoAddBar(CWnd* pBar, REBARBANDINFO* pRBBI, LPCTSTR pszText)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return FALSE;
    // the size of the structure this build's comctl32 knows
    pRBBI->cbSize = REBARBANDINFOA_V6_SIZE;
    pRBBI->fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_SIZE | RBBIM_IDEALSIZE;
    pRBBI->hwndChild = pBar->m_hWnd;
    pRBBI->wID = (UINT)pBar->GetDlgCtrlID();
    if (pszText != NULL) {
        pRBBI->fMask |= RBBIM_TEXT;
        pRBBI->lpText = (LPSTR)pszText;
    }
    CSize size;
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    if (pControlBar != NULL) {
        size = pControlBar->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    } else {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    pRBBI->cxMinChild = size.cx;
    pRBBI->cyMinChild = size.cy;
    pRBBI->cx = size.cx;
    pRBBI->cxIdeal = size.cx;
    if (!SendMessage(RB_INSERTBANDA, (WPARAM)-1, (LPARAM)pRBBI))
        return FALSE;
    CFrameWnd* pFrameWnd = GetParentFrame();
    if (pFrameWnd != NULL)
        pFrameWnd->RecalcLayout();
    return TRUE;
}

BOOL CReBar::ShowBand(CWnd* pBar, BOOL bShow)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return FALSE;
    int nBand = (int)SendMessage(RB_IDTOINDEX, (WPARAM)pBar->GetDlgCtrlID());
    if (nBand < 0)
        return FALSE;
    return (BOOL)SendMessage(RB_SHOWBAND, (WPARAM)nBand, bShow);
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    int nHeight = m_hWnd != NULL ? (int)::SendMessage(m_hWnd, RB_GETBARHEIGHT, 0, 0) : 0;
    CSize size;
    size.cx = bStretch ? 32767 : 0;
    size.cy = nHeight - rect.Height();
    return size;
}

CSize CReBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    (void)nLength;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, TRUE);
}

// The height changes while the frame is laying out too; then the frame lays
// out again afterwards.
void CReBar::OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    *pResult = 0;
    CFrameWnd* pFrameWnd = GetParentFrame();
    if (pFrameWnd == NULL)
        return;
    if (!pFrameWnd->m_bInRecalcLayout)
        pFrameWnd->RecalcLayout();
    else
        PostMessage(WM_RECALCPARENT);
}
