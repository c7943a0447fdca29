// framedock.cpp - CFrameWnd as a dock site: its four dock bars, docking,
// floating and re-docking bars, the floating frames it owns, and their
// activation kept in step with its own.
#include "docimpl.h"
#include <afxext.h>
#include <algorithm>
#include <vector>

// Each edge's dock bar id and style (its alignment and the border towards
// the view).
const DWORD CFrameWnd::dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

// The frame's edge dock bar of that id; NULL for any other id, and for a
// bar of that id that is not a dock bar (an id read from a stored state or
// given by a program is never cast blindly).
static CDockBar* EdgeDockBar(CFrameWnd* pFrame, UINT nID)
{
    if (nID < AFX_IDW_DOCKBAR_TOP || nID > AFX_IDW_DOCKBAR_BOTTOM)
        return NULL;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        if (pBar->IsDockBar() && pBar->m_hWnd != NULL && !((CDockBar*)pBar)->m_bFloating &&
            (UINT)pBar->GetDlgCtrlID() == nID)
            return (CDockBar*)pBar;
    }
    return NULL;
}

CDockBar* AFXAPI AfxGetEdgeDockBar(CFrameWnd* pFrame, UINT nID)
{
    return pFrame != NULL ? EdgeDockBar(pFrame, nID) : NULL;
}

void AFXAPI AfxKeepOnWorkArea(HWND hWnd)
{
    CRect rect;
    if (hWnd == NULL || !::GetWindowRect(hWnd, &rect))
        return;
    HMONITOR hMonitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {sizeof(mi)};
    if (hMonitor == NULL || !::GetMonitorInfo(hMonitor, &mi))
        return;
    const CRect rectWork(mi.rcWork);
    CPoint pt = rect.TopLeft();
    if (rect.right > rectWork.right)
        pt.x -= rect.right - rectWork.right;
    if (rect.bottom > rectWork.bottom)
        pt.y -= rect.bottom - rectWork.bottom;
    pt.x = std::max<int>(pt.x, rectWork.left);
    pt.y = std::max<int>(pt.y, rectWork.top);
    if (pt != rect.TopLeft())
        ::SetWindowPos(hWnd, NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dock bars of the edges named that do not exist yet are made; bars
// float in CMiniDockFrameWnd frames from now on.
void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (int i = 0; i < 4; i++) {
        if (dwDockBarMap[i][1] & dwDockStyle & CBRS_ALIGN_ANY) {
            CDockBar* pDock = EdgeDockBar(this, dwDockBarMap[i][0]);
            if (pDock == NULL) {
                pDock = new CDockBar;
                if (!pDock->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | dwDockBarMap[i][1],
                                   dwDockBarMap[i][0])) {
                    delete pDock;
                    AfxThrowResourceException();
                }
            }
        }
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    // an id that names no edge's dock bar docks at the bar's own edge
    DockControlBar(pBar, EdgeDockBar(this, nDockBarID), lpRect);
}

// The dock bar of the edge of the bar's CBRS_ALIGN_ bits when none is
// named.
static CDockBar* DockBarOfAlignment(CFrameWnd* pFrame, DWORD dwStyle)
{
    for (int i = 0; i < 4; i++) {
        if ((CFrameWnd::dwDockBarMap[i][1] & CBRS_ALIGN_ANY) == (dwStyle & CBRS_ALIGN_ANY))
            return EdgeDockBar(pFrame, CFrameWnd::dwDockBarMap[i][0]);
    }
    return NULL;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == NULL || pBar->m_pDockContext == NULL)
        return;   // EnableDocking was not called for the bar
    if (pDockBar == NULL)
        pDockBar = DockBarOfAlignment(this, pBar->m_dwStyle);
    if (pDockBar == NULL)
        return;   // the frame did not enable that edge
    pDockBar->DockControlBar(pBar, lpRect);
}

// Without a dock bar named: the one holding the bar's place-holder, else
// the one of the bar's edge.
void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == NULL || pBar->m_pDockContext == NULL)
        return;
    if (pDockBar == NULL) {
        CDockBar* pPossibleBar = NULL;
        for (int i = 0; i < 4; i++) {
            CDockBar* pTempBar = EdgeDockBar(this, dwDockBarMap[i][0]);
            if (pTempBar != NULL &&
                pTempBar->FindBar((CControlBar*)(UINT_PTR)(UINT)::GetDlgCtrlID(pBar->m_hWnd)) > 0) {
                pDockBar = pTempBar;
                break;
            }
            if ((dwDockBarMap[i][1] & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY))
                pPossibleBar = pTempBar;
        }
        if (pDockBar == NULL)
            pDockBar = pPossibleBar;
    }
    if (pDockBar == NULL)
        return;
    pDockBar->ReDockControlBar(pBar, lpRect);
}

// A bar floating alone in a frame whose orientation dwStyle allows only
// moves with it. Otherwise a new floating frame takes it: a dynamic bar
// floats horizontally (CBRS_SIZE_DYNAMIC); the frame shows when the bar is
// visible.
void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == NULL)
        return;
    if (pBar->m_pDockSite != NULL && pBar->m_pDockBar != NULL) {
        CDockBar* pDockBar = pBar->m_pDockBar;
        if (pDockBar->m_bFloating && pDockBar->GetDockedCount() == 1 &&
            (dwStyle & pDockBar->m_dwStyle & CBRS_ALIGN_ANY) != 0) {
            CFrameWnd* pDockFrame = (CFrameWnd*)pDockBar->GetParent();
            pDockFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pDockFrame->RecalcLayout(TRUE);
            pDockFrame->UpdateWindow();
            return;
        }
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT) {
            dwStyle &= ~CBRS_ALIGN_ANY;
            dwStyle |= CBRS_ALIGN_TOP;
        }
    }
    CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(dwStyle);
    if (pDockFrame == NULL)
        return;
    pDockFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pDockFrame->m_hWndOwner == NULL)
        pDockFrame->m_hWndOwner = pBar->m_hWnd;
    CDockBar* pDockBar = (CDockBar*)pDockFrame->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT);
    if (pDockBar == NULL)
        return;
    pDockBar->DockControlBar(pBar);
    pDockFrame->RecalcLayout(TRUE);
    if (::GetWindowLong(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE) {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass != NULL ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* pObject = pClass->CreateObject();
    CMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pObject);
    if (pFrame == NULL) {
        delete pObject;
        AfxThrowMemoryException();
    }
    if (!pFrame->Create(this, dwStyle)) {
        if (pFrame->m_hWnd == NULL)
            delete pFrame;
        AfxThrowResourceException();
    }
    return pFrame;
}

// The first visible dock bar, among the frame's bars in order, whose edge
// dwDockStyle allows and whose window rect meets (an empty one counts as
// one pixel thick); a floating dock bar only for CBRS_FLOAT_MULTI.
DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
    if (ppDockBar != NULL)
        *ppDockBar = NULL;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (!pBar->IsDockBar() || pBar->m_hWnd == NULL)
            continue;
        CDockBar* pDockBar = (CDockBar*)pBar;
        if (pDockBar->IsWindowVisible() && (pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY) &&
            (!pDockBar->m_bFloating || (dwDockStyle & pDockBar->m_dwStyle & CBRS_FLOAT_MULTI))) {
            CRect rectBar;
            pDockBar->GetWindowRect(&rectBar);
            if (rectBar.Width() == 0)
                rectBar.right++;
            if (rectBar.Height() == 0)
                rectBar.bottom++;
            if (rectBar.IntersectRect(rectBar, rect)) {
                if (ppDockBar != NULL)
                    *ppDockBar = pDockBar;
                return pDockBar->m_dwStyle & dwDockStyle;
            }
        }
    }
    return 0;
}

// hWnd is pParent or one of its children or owned windows, at any depth.
static BOOL IsDescendant(HWND hWndParent, HWND hWnd)
{
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h)) {
        if (h == hWndParent)
            return TRUE;
    }
    return FALSE;
}

// FS_ACTIVATE / FS_DEACTIVATE draw the top-level frame's caption active or
// not (a floating frame asking keeps itself from activating meanwhile,
// WF_KEEPMINIACTIVE); then every top-level window the frame owns, at any
// depth, gets WM_FLOATSTATUS with the flags.
void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    CFrameWnd* pParent = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pParent == NULL)
        pParent = this;
    if (dwFlags & (FS_DEACTIVATE | FS_ACTIVATE)) {
        BOOL bActivate = !(dwFlags & FS_DEACTIVATE);
        BOOL bEnabled = pParent->IsWindowEnabled();
        if (bActivate && bEnabled) {
            m_nFlags |= WF_KEEPMINIACTIVE;
            pParent->SendMessage(WM_NCACTIVATE, TRUE);
            m_nFlags &= ~WF_KEEPMINIACTIVE;
        } else {
            pParent->SendMessage(WM_NCACTIVATE, FALSE);
        }
    }
    std::vector<HWND> windows;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != pParent->m_hWnd && IsDescendant(pParent->m_hWnd, hWnd))
            windows.push_back(hWnd);
    }
    for (HWND hWnd : windows) {
        if (::IsWindow(hWnd))
            ::SendMessage(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

// The caption stays active with WF_STAYACTIVE, never while the frame is
// disabled; the default drawing gets the flag as decided.
BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0L);
}

// Floating frames are enabled and disabled with their owner.
void CFrameWnd::OnEnable(BOOL bEnable)
{
    Default();
    if (bEnable && (m_nFlags & WF_STAYACTIVE))
        SendMessage(WM_NCACTIVATE, TRUE);
    if (::GetWindowLong(m_hWnd, GWL_STYLE) & WS_CHILD)
        return;
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

// Help on the command whose prompt shows while a menu tracks, else on the
// frame's resource (m_nIDHelp); lParam names the context when not 0.
LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0) {
        if (m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE)
            lParam = HID_BASE_COMMAND + m_nIDTracking;
        else if (m_nIDHelp != 0)
            lParam = HID_BASE_RESOURCE + m_nIDHelp;
    }
    if (lParam != 0) {
        WinHelp((DWORD_PTR)lParam);
        return TRUE;
    }
    return FALSE;
}

// The frame's dock bars go with it; a floating one takes its frame along,
// unless that frame is one of this frame's own windows (a document window
// holding a bar in an MDI client), which goes with this frame's windows: torn
// down ahead of them, it would ask the MDI client of a frame that is already
// going to destroy it.
void CFrameWnd::DestroyDockBars()
{
    std::vector<HWND> dockBars;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->IsDockBar() && pBar->m_hWnd != NULL)
            dockBars.push_back(pBar->m_hWnd);
    }
    for (HWND hWndDockBar : dockBars) {
        CDockBar* pDockBar = (CDockBar*)CWnd::FromHandlePermanent(hWndDockBar);
        if (pDockBar == NULL || !::IsWindow(hWndDockBar))
            continue;
        if (pDockBar->m_bFloating) {
            CFrameWnd* pFrameWnd = pDockBar->GetParentFrame();
            if (pFrameWnd != NULL && pFrameWnd != this && !::IsChild(m_hWnd, pFrameWnd->m_hWnd))
                pFrameWnd->DestroyWindow();
        } else {
            pDockBar->DestroyWindow();
        }
    }
}
