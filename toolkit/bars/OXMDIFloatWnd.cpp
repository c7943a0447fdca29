#include "OXMDIFloatWnd.h"

#include "OXFrameWndDock.h"

IMPLEMENT_DYNCREATE(COXMDIFloatWnd, COXMDIChildWndSizeDock)

namespace {

LPCTSTR FloatWndClass()
{
    static CString strClass;
    if (strClass.IsEmpty())
        strClass = AfxRegisterWndClass(CS_DBLCLKS);
    return strClass;
}

}   // namespace

COXMDIFloatWnd::COXMDIFloatWnd() : m_wndDockBar(TRUE)
{
    m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL COXMDIFloatWnd::Create(CFrameWnd* pFrame, DWORD dwBarStyle)
{
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
    if (pMDIFrame == NULL) {
        CWinThread* pThread = AfxGetThread();
        pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pThread != NULL ? pThread->m_pMainWnd : NULL);
    }
    // no layout until a bar is in
    m_bInRecalcLayout = TRUE;
    const DWORD dwStyle = WS_CHILD | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW | FWS_SNAPTOBARS;
    if (!COXMDIChildWndSizeDock::Create(FloatWndClass(), "", dwStyle, rectDefault, pMDIFrame))
        return FALSE;   // the failed child deleted itself
    DWORD dwDockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // made in the frame so that it registers there with the other bars
    if (!m_wndDockBar.Create(pFrame, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

BOOL COXMDIFloatWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!COXMDIChildWndSizeDock::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

void COXMDIFloatWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    COXMDIChildWndSizeDock::RecalcLayout(bNotify);
    if (m_wndDockBar.m_hWnd != NULL) {
        CString strTitle, strOld;
        m_wndDockBar.GetWindowText(strTitle);
        GetWindowText(strOld);
        if (strOld != strTitle)
            SetWindowText(strTitle);
    }
}

CControlBar* COXMDIFloatWnd::GetSingleBar()
{
    if (m_wndDockBar.m_hWnd == NULL || (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI))
        return NULL;
    for (int nPos = 1; nPos < (int)m_wndDockBar.m_arrBars.GetSize(); nPos++) {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar(nPos);
        if (pBar != NULL)
            return pBar;
    }
    return NULL;
}

CSize COXMDIFloatWnd::FloatSizeFromClient(CSize sizeClient, DWORD dwBarStyle, int cxBorder2, int cyBorder2)
{
    if (dwBarStyle & CBRS_BORDER_LEFT)
        sizeClient.cx += cxBorder2;
    if (dwBarStyle & CBRS_BORDER_RIGHT)
        sizeClient.cx += cxBorder2;
    if (dwBarStyle & CBRS_BORDER_TOP)
        sizeClient.cy += cyBorder2;
    if (dwBarStyle & CBRS_BORDER_BOTTOM)
        sizeClient.cy += cyBorder2;
    return sizeClient;
}

// Closing hides the bars within the window and activates the next document
// window; a bar made to be deleted on close goes with the window.
void COXMDIFloatWnd::OnCloseFloat()
{
    CControlBar* pBar = GetSingleBar();
    COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
    if (pSizeBar != NULL && (pSizeBar->m_dwSizeBarStyle & SZBAR_DELETEONCLOSE)) {
        OnCloseChild();
        delete pSizeBar;
        return;
    }
    if (pBar != NULL) {
        pBar->SendMessage(WM_COMMAND, ID_OXSIZEBAR_HIDE);
        return;
    }
    // several bars (or none): each is hidden, then the window gives way
    ::SendMessage(::GetParent(m_hWnd), WM_MDINEXT, (WPARAM)m_hWnd, 0);
    for (int nPos = 1; nPos < (int)m_wndDockBar.m_arrBars.GetSize(); nPos++) {
        CControlBar* p = m_wndDockBar.GetDockedControlBar(nPos);
        if (p != NULL && p->m_pDockSite != NULL)
            p->m_pDockSite->ShowControlBar(p, FALSE, FALSE);
    }
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

LRESULT COXMDIFloatWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_SIZE: {
        const CSize size(LOWORD(lParam), HIWORD(lParam));
        COXSizeControlBar* pBar = DYNAMIC_DOWNCAST(COXSizeControlBar, GetSingleBar());
        if (pBar != NULL && pBar->IsVisible() && size.cx != 0 && size.cy != 0)
            pBar->m_FloatSize = FloatSizeFromClient(size, pBar->m_dwStyle, afxData.cxBorder2, afxData.cyBorder2);
        break;
    }
    case WM_WINDOWPOSCHANGED: {
        LRESULT lResult = COXMDIChildWndSizeDock::WindowProc(nMsg, wParam, lParam);
        CControlBar* pBar = GetSingleBar();
        if (pBar != NULL && pBar->m_pDockContext != NULL) {
            CRect rect;
            GetWindowRect(&rect);
            pBar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
        }
        return lResult;
    }
    case WM_SHOWWINDOW:
        if (wParam && lParam == 0)
            SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case WM_CLOSE:
        OnCloseFloat();
        return 0;
    default:
        break;
    }
    return COXMDIChildWndSizeDock::WindowProc(nMsg, wParam, lParam);
}
