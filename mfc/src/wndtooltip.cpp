// wndtooltip.cpp - tooltips for the child controls of a window
// (EnableToolTips): one tooltip control per thread, owned by the top-level
// window the mouse is over. The tool under the mouse is found with
// OnToolHitTest and replaced when the hit changes; its text is asked from the
// window with TTN_NEEDTEXT.
#include "wndimpl.h"

// The size comctl32 of every version accepts.
static const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;

static void RemoveCurrentTool(AFX_WND_THREAD_STATE* pState)
{
    if (pState->nLastHit != -1 && ::IsWindow(pState->hToolTip)) {
        pState->lastInfo.cbSize = kToolInfoSize;
        ::SendMessage(pState->hToolTip, TTM_DELTOOL, 0, (LPARAM)&pState->lastInfo);
    }
    pState->nLastHit = -1;
    pState->hLastHitWnd = NULL;
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable) {
        m_nFlags |= WF_TOOLTIPS;
    } else {
        m_nFlags &= ~WF_TOOLTIPS;
        AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
        if (pState->hLastHitWnd == m_hWnd)
            RemoveCurrentTool(pState);
    }
    return bOld;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
    AFX_WND_THREAD_STATE* pState = AfxPeekWndThreadState();
    if (pState != NULL && ::IsWindow(pState->hToolTip))
        ::SendMessage(pState->hToolTip, TTM_POP, 0, 0);
}

// Disabled controls have tips too; hidden ones do not.
INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || nID == -1 || nID == 0xFFFF)
        return -1;
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        // a tip under a button would hide what it explains
        if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
            pTI->uFlags |= TTF_CENTERTIP;
    }
    return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    UINT message = pMsg->message;
    BOOL bMouse = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE ||
                  (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK);
    BOOL bKey = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if ((!bMouse && !bKey) || m_hWnd == NULL)
        return;

    // the window nearest the message's target that has tool tips handles
    // them (a tool bar's buttons inside a rebar that has tips too)
    if (pMsg->hwnd != NULL && pMsg->hwnd != m_hWnd) {
        for (HWND hWnd = pMsg->hwnd; hWnd != NULL && hWnd != m_hWnd; hWnd = ::GetParent(hWnd)) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd != NULL && (pWnd->m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)))
                return;
        }
    }

    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    CWnd* pTop = GetTopLevelParent();
    HWND hWndTop = pTop != NULL ? pTop->m_hWnd : m_hWnd;
    if (pState->hToolTip == NULL || !::IsWindow(pState->hToolTip) || pState->hToolTipOwner != hWndTop) {
        if (::IsWindow(pState->hToolTip))
            ::DestroyWindow(pState->hToolTip);
        pState->hToolTip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWndTop, NULL,
                                             AfxGetInstanceHandle(), NULL);
        pState->hToolTipOwner = hWndTop;
        pState->nLastHit = -1;
        pState->hLastHitWnd = NULL;
        if (pState->hToolTip == NULL)
            return;
    }
    if (bKey) {
        ::SendMessage(pState->hToolTip, TTM_POP, 0, 0);   // typing hides the tip
        return;
    }

    CPoint point = pMsg->pt;
    ::ScreenToClient(m_hWnd, &point);
    TOOLINFO ti = {};
    ti.cbSize = kToolInfoSize;
    INT_PTR nHit = OnToolHitTest(point, &ti);
    if (nHit != pState->nLastHit || pState->hLastHitWnd != m_hWnd) {
        RemoveCurrentTool(pState);
        if (nHit != -1) {
            ti.cbSize = kToolInfoSize;
            if (ti.hwnd == NULL)
                ti.hwnd = m_hWnd;
            ::SendMessage(pState->hToolTip, TTM_ADDTOOL, 0, (LPARAM)&ti);
            ::SendMessage(pState->hToolTip, TTM_ACTIVATE, TRUE, 0);
            pState->lastInfo = ti;
            pState->nLastHit = nHit;
            pState->hLastHitWnd = m_hWnd;
        }
    }
    if (nHit != -1) {
        MSG msg = *pMsg;
        ::SendMessage(pState->hToolTip, TTM_RELAYEVENT, 0, (LPARAM)&msg);
    }
    // text OnToolHitTest returned is the caller's to free (malloc'd, as
    // _tcsdup gives it); the tooltip control copied it
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK) {
        free(ti.lpszText);
        pState->lastInfo.lpszText = LPSTR_TEXTCALLBACK;
    }
}

void AFXAPI AfxToolTipWindowDestroyed(CWnd* pWnd)
{
    AFX_WND_THREAD_STATE* pState = AfxPeekWndThreadState();
    if (pState == NULL)
        return;
    if (pState->hLastHitWnd == pWnd->m_hWnd)
        RemoveCurrentTool(pState);
    if (pState->hToolTipOwner == pWnd->m_hWnd) {
        if (::IsWindow(pState->hToolTip))
            ::DestroyWindow(pState->hToolTip);
        pState->hToolTip = NULL;
        pState->hToolTipOwner = NULL;
    }
}

void AFXAPI AfxToolTipTerm(AFX_WND_THREAD_STATE* pState)
{
    if (::IsWindow(pState->hToolTip))
        ::DestroyWindow(pState->hToolTip);
    pState->hToolTip = NULL;
}
