// ProgressBar.cpp - the progress control that lives in a status-bar pane.
#include "ProgressBar.h"
#include <afxres.h>

IMPLEMENT_DYNCREATE(CProgressBar, CProgressCtrl)

BEGIN_MESSAGE_MAP(CProgressBar, CProgressCtrl)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CProgressBar::CProgressBar() : m_nSize(0), m_nPane(0), m_Rect(0, 0, 0, 0)
{
}

CProgressBar::CProgressBar(LPCTSTR strMessage, int nSize, int MaxValue, BOOL bSmooth, int nPane)
    : m_nSize(0), m_nPane(0), m_Rect(0, 0, 0, 0)
{
    Create(strMessage, nSize, MaxValue, bSmooth, nPane);
}

CProgressBar::~CProgressBar()
{
    Clear();
}

CStatusBar* CProgressBar::GetStatusBar()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd == NULL)
        return NULL;
    CWnd* pBar;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pMainWnd);
    if (pFrame != NULL)
        pBar = pFrame->GetMessageBar();
    else
        pBar = pMainWnd->GetDescendantWindow(AFX_IDW_STATUS_BAR);
    return DYNAMIC_DOWNCAST(CStatusBar, pBar);
}

BOOL CProgressBar::Create(LPCTSTR strMessage, int nSize, int MaxValue, BOOL bSmooth, int nPane)
{
    CStatusBar* pStatusBar = GetStatusBar();
    if (pStatusBar == NULL)
        return FALSE;
    CRect rcPane;
    pStatusBar->GetItemRect(nPane, &rcPane);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    if (bSmooth)
        dwStyle |= PBS_SMOOTH;
    if (!CProgressCtrl::Create(dwStyle, rcPane, pStatusBar, 1))
        return FALSE;

    SetRange(0, MaxValue, 1);
    SetStep(1);
    m_strMessage = strMessage != NULL ? strMessage : "";
    m_nSize = nSize;
    m_nPane = nPane;
    m_strPrevText = pStatusBar->GetPaneText(nPane);
    Resize();
    return TRUE;
}

void CProgressBar::Clear()
{
    if (m_hWnd == NULL)
        return;
    ModifyStyle(WS_VISIBLE, 0);
    CStatusBar* pStatusBar = GetStatusBar();
    if (pStatusBar == NULL)
        return;
    // the message pane goes back to the idle prompt, any other to what it had
    CString strText = m_strPrevText;
    if (m_nPane == 0) {
        if (!strText.LoadString(AFX_IDS_IDLEMESSAGE))
            strText = "Ready";
    }
    pStatusBar->SetPaneText(m_nPane, strText);
    pStatusBar->UpdateWindow();
}

BOOL CProgressBar::SetText(LPCTSTR strMessage)
{
    m_strMessage = strMessage != NULL ? strMessage : "";
    return Resize();
}

BOOL CProgressBar::SetSize(int nSize)
{
    m_nSize = nSize;
    return Resize();
}

BOOL CProgressBar::SetRange(int nLower, int nUpper, int nStep)
{
    if (m_hWnd == NULL)
        return FALSE;
    SendMessage(PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper);
    SendMessage(PBM_SETSTEP, (WPARAM)nStep);
    return TRUE;
}

void CProgressBar::SetPos(int nPos)
{
    if (m_hWnd == NULL)
        return;
    Show();
    CProgressCtrl::SetPos(nPos);
}

int CProgressBar::OffsetPos(int nPos)
{
    if (m_hWnd == NULL)
        return 0;
    Show();
    return CProgressCtrl::OffsetPos(nPos);
}

void CProgressBar::SetStep(int nStep)
{
    if (m_hWnd == NULL)
        return;
    Show();
    CProgressCtrl::SetStep(nStep);
}

int CProgressBar::StepIt()
{
    if (m_hWnd == NULL)
        return 0;
    Show();
    return CProgressCtrl::StepIt();
}

COLORREF CProgressBar::SetBarColour(COLORREF clrBar)
{
    return m_hWnd != NULL ? CProgressCtrl::SetBarColor(clrBar) : CLR_DEFAULT;
}

COLORREF CProgressBar::SetBkColour(COLORREF clrBk)
{
    return m_hWnd != NULL ? CProgressCtrl::SetBkColor(clrBk) : CLR_DEFAULT;
}

// The bar takes m_nSize percent of the pane's room after the message and four
// blanks, and leaves a fifth of the pane's height free above and below.
BOOL CProgressBar::Resize()
{
    if (m_hWnd == NULL)
        return FALSE;
    CStatusBar* pStatusBar = GetStatusBar();
    if (pStatusBar == NULL)
        return FALSE;

    if (GetStyle() & WS_VISIBLE) {
        pStatusBar->SetPaneText(m_nPane, m_strMessage);
        pStatusBar->UpdateWindow();
    }

    CClientDC dc(pStatusBar);
    CFont* pOldFont = dc.SelectObject(pStatusBar->GetFont());
    int cxMessage = dc.GetTextExtent(m_strMessage).cx;
    int cxBlank = dc.GetTextExtent(" ", 1).cx;
    dc.SelectObject(pOldFont);

    CRect rc;
    pStatusBar->GetItemRect(m_nPane, &rc);
    if (!m_strMessage.IsEmpty())
        rc.left += cxMessage + 4 * cxBlank;
    rc.right -= (100 - m_nSize) * (rc.right - rc.left) / 100;
    if (rc.right < rc.left)
        rc.right = rc.left;
    int h = (rc.bottom - rc.top) / 5;
    rc.top += h;
    rc.bottom -= h;

    if (rc != m_Rect) {
        MoveWindow(&rc, TRUE);
        m_Rect = rc;
    }
    return TRUE;
}

BOOL CProgressBar::OnEraseBkgnd(CDC* pDC)
{
    Resize();
    return CProgressCtrl::OnEraseBkgnd(pDC);
}
