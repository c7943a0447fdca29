// ChevBar.cpp - the chevron rebar and its drop-down window of hidden buttons.
#include "ChevBar.h"

namespace {
const UINT kInnerToolBarId = 0xE8A0;
}

// ---------------------------------------------------------------------------
// CChevDrop
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CChevDrop, CWnd)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CChevDrop::CChevDrop() : m_hMsgReceiver(NULL)
{
}

CChevDrop::~CChevDrop()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    DestroyToolBar();
}

BOOL CChevDrop::CreatePopup(CWnd* pParent)
{
    if (m_hWnd != NULL)
        return TRUE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW);
    return CreateEx(WS_EX_TOOLWINDOW, lpszClass, "", WS_POPUP | WS_DLGFRAME, CRect(0, 0, 0, 0), pParent, 0);
}

// A fresh inner tool bar each time the window is shown; it never shares the
// band's image list, so that destroying one leaves the other intact.
BOOL CChevDrop::CreateToolBar()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND hTb = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, NULL,
                                 WS_CHILD | CCS_NODIVIDER | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | TBSTYLE_FLAT,
                                 0, 0, 0, 0, m_hWnd, (HMENU)(UINT_PTR)kInnerToolBarId, AfxGetInstanceHandle(), NULL);
    if (hTb == NULL)
        return FALSE;
    ::SendMessage(hTb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessage(hTb, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    m_tb.Attach(hTb);
    return TRUE;
}

BOOL CChevDrop::DestroyToolBar()
{
    if (m_tb.m_hWnd != NULL)
        m_tb.DestroyWindow();
    m_ImageList.DeleteImageList();
    return TRUE;
}

BOOL CChevDrop::ShowPopup(CWnd* pMsgReceiver, CToolBar* pToolBar, const RECT& rcVisible, POINT ptScreen)
{
    DestroyToolBar();
    if (!CreateToolBar())
        return FALSE;
    m_hMsgReceiver = pMsgReceiver != NULL ? pMsgReceiver->m_hWnd : NULL;

    CToolBarCtrl& band = pToolBar->GetToolBarCtrl();
    HIMAGELIST hImages = (HIMAGELIST)band.SendMessage(TB_GETIMAGELIST);
    if (hImages != NULL) {
        m_ImageList.Attach(ImageList_Duplicate(hImages));
        m_tb.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_ImageList.GetSafeHandle());
    }

    int nButtons = band.GetButtonCount();
    if (nButtons <= 0)
        return FALSE;

    // A button counts as hidden unless the visible part holds all of it.
    int nCopied = 0;
    for (int i = 0; i < nButtons; i++) {
        TBBUTTON tbb = {};
        if (!band.GetButton(i, &tbb) || (tbb.fsStyle & TBSTYLE_SEP))
            continue;
        CRect rcButton, rcShown;
        band.GetItemRect(i, &rcButton);
        rcShown.IntersectRect(&rcButton, &rcVisible);
        if (rcShown == rcButton)
            continue;
        if (IS_INTRESOURCE(tbb.iString))
            tbb.iString = -1;   // an index into the band's strings, which the copy does not have
        m_tb.AddButtons(1, &tbb);
        nCopied++;
    }
    if (nCopied == 0)
        return FALSE;

    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_tb.AutoSize();
    // about four buttons a row
    int nRows = (nCopied + 3) / 4;
    if (nRows < 1)
        nRows = 1;
    CRect rcRows(0, 0, 0, 0);
    m_tb.SetRows(nRows, TRUE, &rcRows);
    CSize size = rcRows.Size();
    if (m_tb.GetRows() != nRows) {
        // Some tool-bar controls ignore the row request and wrap at their
        // parent's width instead: give the window the width of a full row and
        // let the wrapping make the rows.
        int nPerRow = (nCopied + nRows - 1) / nRows;
        CRect rcClient(0, 0, nPerRow * m_tb.GetButtonSize().cx, 0);
        ::AdjustWindowRectEx(&rcClient, GetStyle(), FALSE, GetExStyle());
        SetWindowPos(NULL, 0, 0, rcClient.Width(), rcClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_tb.AutoSize();
        CRect rcLast;
        m_tb.GetItemRect(nCopied - 1, &rcLast);
        size = CSize(nPerRow * m_tb.GetButtonSize().cx, rcLast.bottom);
    }
    if (size.cx == 0) {
        SIZE full = {};
        m_tb.GetMaxSize(&full);
        size.cx = full.cx;
    }
    DWORD dwPadding = m_tb.GetPadding();
    CRect rcWnd(ptScreen.x, ptScreen.y, ptScreen.x + size.cx + LOWORD(dwPadding),
                ptScreen.y + size.cy + HIWORD(dwPadding));

    // stays on the screen, keeping its size
    int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    if (rcWnd.right > cxScreen)
        rcWnd.OffsetRect(cxScreen - rcWnd.right, 0);
    if (rcWnd.bottom > cyScreen)
        rcWnd.OffsetRect(0, cyScreen - rcWnd.bottom);

    MoveWindow(&rcWnd);
    m_tb.SetWindowPos(NULL, 0, 0, rcWnd.Width(), rcWnd.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_tb.ShowWindow(SW_SHOW);
    ShowWindow(SW_SHOW);
    return TRUE;
}

// The inner tool bar's commands and notifications belong to the frame.
BOOL CChevDrop::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return (BOOL)::SendMessage(m_hMsgReceiver, WM_COMMAND, wParam, lParam);
}

BOOL CChevDrop::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    *pResult = ::SendMessage(m_hMsgReceiver, WM_NOTIFY, wParam, lParam);
    return TRUE;
}

void CChevDrop::PostNcDestroy()
{
    DestroyToolBar();
    CWnd::PostNcDestroy();
}

void CChevDrop::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    HidePopup();
}

void CChevDrop::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        HidePopup();
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

// ---------------------------------------------------------------------------
// CChevBar
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CChevBar, CReBar)
    ON_NOTIFY_REFLECT(RBN_CHEVRONPUSHED, &CChevBar::OnChevronPushed)
END_MESSAGE_MAP()

CChevBar::CChevBar() : m_pDropWnd(NULL)
{
}

CChevBar::~CChevBar()
{
    delete m_pDropWnd;
}

BOOL CChevBar::AddBarWithChevron(CWnd* pBar, UINT nID, LPCTSTR pszText, DWORD dwStyle)
{
    // only tool bars get chevrons, and -1 asks for none
    CToolBar* pToolBar = DYNAMIC_DOWNCAST(CToolBar, pBar);
    BOOL bChevron = pToolBar != NULL && nID != (UINT)-1;
    if (bChevron)
        dwStyle |= RBBS_USECHEVRON;
    else
        dwStyle &= ~RBBS_USECHEVRON;
    if (!AddBar(pBar, pszText, NULL, dwStyle))
        return FALSE;
    if (!bChevron)
        return TRUE;

    // The ideal width is the tool bar's full width: narrower than that, the
    // rebar shows the chevron. A minimum width of 0 lets the band shrink.
    SIZE full = {};
    pToolBar->SendMessage(TB_GETMAXSIZE, 0, (LPARAM)&full);
    REBARBANDINFOA rbbi = {};
    rbbi.cbSize = REBARBANDINFOA_V6_SIZE;   // cxIdeal is in the V6 part; the size comctl32 v5 and v6 both take
    rbbi.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE;
    rbbi.cxMinChild = 0;
    rbbi.cyMinChild = full.cy;
    rbbi.cx = full.cx;
    rbbi.cxIdeal = full.cx;
    rbbi.wID = nID;
    UINT nBand = (UINT)SendMessage(RB_GETBANDCOUNT) - 1;
    SendMessage(RB_SETBANDINFOA, nBand, (LPARAM)&rbbi);
    return TRUE;
}

void CChevBar::OnChevronPushed(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMREBARCHEVRON* pChevron = (NMREBARCHEVRON*)pNMHDR;
    *pResult = 0;

    REBARBANDINFOA rbbi = {};
    rbbi.cbSize = REBARBANDINFOA_V6_SIZE;
    rbbi.fMask = RBBIM_CHILD;
    if (!SendMessage(RB_GETBANDINFOA, pChevron->uBand, (LPARAM)&rbbi))
        return;
    CToolBar* pToolBar = DYNAMIC_DOWNCAST(CToolBar, CWnd::FromHandlePermanent(rbbi.hwndChild));
    if (pToolBar == NULL)
        return;

    // The part of the band that shows buttons whole: the band less its chevron.
    CRect rcBand;
    SendMessage(RB_GETRECT, pChevron->uBand, (LPARAM)&rcBand);
    CRect rcVisible(0, 0, rcBand.Width(), rcBand.Height());
    rcVisible.right -= pChevron->rc.right - pChevron->rc.left;

    CPoint pt(pChevron->rc.left, pChevron->rc.bottom);
    ClientToScreen(&pt);

    if (m_pDropWnd == NULL) {
        m_pDropWnd = new (std::nothrow) CChevDrop;
        if (m_pDropWnd == NULL)
            return;
        if (!m_pDropWnd->CreatePopup(this)) {
            delete m_pDropWnd;
            m_pDropWnd = NULL;
            return;
        }
    }
    m_pDropWnd->ShowPopup(GetParent(), pToolBar, rcVisible, pt);
}
