#include "OXFrameWndDock.h"

#include <algorithm>
#include <vector>

#include "OXCoolToolBar.h"
#include "OXMDIChildWndSizeDock.h"
#include "OXMDIFloatWnd.h"
#include "OXSizableMiniDockFrameWnd.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"

IMPLEMENT_DYNCREATE(COXFrameWndSizeDock, CFrameWnd)
IMPLEMENT_DYNCREATE(COXMDIFrameWndSizeDock, CMDIFrameWnd)

namespace {

// The frame's dock bars, in the order docking and loading use them.
const DWORD kDockBarTable[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};

const int kLayoutVersion = 2;

LONG Clamp(LONG n)
{
    return std::min<LONG>(std::max<LONG>(n, 0), 32767);
}

// Every bar of the frame, each once.
std::vector<CControlBar*> FrameBars(CFrameWnd* pFrame)
{
    std::vector<CControlBar*> bars;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
        bars.push_back((CControlBar*)pFrame->m_listControlBars.GetNext(pos));
    return bars;
}

BOOL IsInMDIFloat(CControlBar* pBar)
{
    if (!(pBar->m_dwStyle & CBRS_FLOATING))
        return FALSE;
    CFrameWnd* pFrame = pBar->GetParentFrame();
    return DYNAMIC_DOWNCAST(COXMDIFloatWnd, pFrame) != NULL;
}

void EmptyHiddenLists(CFrameWnd* pFrame)
{
    for (const auto& row : kDockBarTable) {
        COXSizeDockBar* pDockBar = DYNAMIC_DOWNCAST(COXSizeDockBar, pFrame->GetControlBar(row[0]));
        if (pDockBar != NULL)
            pDockBar->m_arrHiddenBars.RemoveAll();
    }
}

}   // namespace

// ---------------------------------------------------------------------------
// Shared operations
// ---------------------------------------------------------------------------

void OXSizeDock::EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle)
{
    pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(COXSizableMiniDockFrameWnd);
    for (const auto& row : kDockBarTable) {
        if ((row[1] & dwDockStyle & CBRS_ALIGN_ANY) == 0 || pFrame->GetControlBar(row[0]) != NULL)
            continue;
        COXSizeDockBar* pDockBar = new COXSizeDockBar;
        if (!pDockBar->Create(pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | row[1], row[0])) {
            delete pDockBar;
            AfxThrowResourceException();
        }
        pDockBar->m_bAutoDelete = TRUE;
    }
}

void OXSizeDock::TileDockedBars(CFrameWnd* pFrame, DWORD dwDockStyle)
{
    for (const auto& row : kDockBarTable) {
        if ((row[1] & dwDockStyle & CBRS_ALIGN_ANY) == 0)
            continue;
        COXSizeDockBar* pDockBar = DYNAMIC_DOWNCAST(COXSizeDockBar, pFrame->GetControlBar(row[0]));
        if (pDockBar != NULL && pDockBar->m_dwStyle != 0)
            pDockBar->EqualizeAllRows();
    }
    pFrame->RecalcLayout(TRUE);
}

OXBARSIZERECORD OXSizeDock::MakeRecord(const COXSizeControlBar* pBar, BOOL bInMDIFloat)
{
    OXBARSIZERECORD r = {pBar->m_FloatSize.cx, pBar->m_FloatSize.cy, pBar->m_HorzDockSize.cx,
                         pBar->m_HorzDockSize.cy, pBar->m_VertDockSize.cx, pBar->m_VertDockSize.cy,
                         bInMDIFloat ? 1 : 0};
    return r;
}

BOOL OXSizeDock::ReadRecord(const BYTE* pData, UINT nBytes, OXBARSIZERECORD& record)
{
    if (pData == NULL || nBytes != sizeof(OXBARSIZERECORD))
        return FALSE;
    memcpy(&record, pData, sizeof(record));
    LONG* p = &record.nFloatCx;
    for (int i = 0; i < 6; ++i)
        p[i] = Clamp(p[i]);
    record.nInMDIFloat = record.nInMDIFloat == 1 ? 1 : 0;
    return TRUE;
}

void OXSizeDock::BoundRecord(OXBARSIZERECORD& record, CSize sizeWorkArea)
{
    const LONG cx = std::max<LONG>(sizeWorkArea.cx, 0), cy = std::max<LONG>(sizeWorkArea.cy, 0);
    for (LONG* p : {&record.nFloatCx, &record.nHorzCx, &record.nVertCx})
        *p = std::min(*p, cx);
    for (LONG* p : {&record.nFloatCy, &record.nHorzCy, &record.nVertCy})
        *p = std::min(*p, cy);
}

CString OXSizeDock::RecordName(UINT nID)
{
    CString str;
    str.Format("BarSize_%u", nID);
    return str;
}

void OXSizeDock::SaveSizeBarState(CFrameWnd* pFrame, LPCTSTR lpszProfileName, BOOL bExcludeViewBars)
{
    CWinApp* pApp = AfxGetApp();
    // auto-delete bars are not kept: they go now, last first
    if (COXSizeControlBar::m_pAutoDeleteBars != NULL) {
        for (INT_PTR i = COXSizeControlBar::m_pAutoDeleteBars->GetSize() - 1;
             COXSizeControlBar::m_pAutoDeleteBars != NULL && i >= 0; --i) {
            if (i >= COXSizeControlBar::m_pAutoDeleteBars->GetSize())
                continue;
            COXSizeControlBar* pBar = (COXSizeControlBar*)COXSizeControlBar::m_pAutoDeleteBars->GetAt(i);
            if (::IsWindow(pBar->m_hWnd) && pBar->GetTopLevelFrame() == pFrame)
                pBar->DestroyWindow();
        }
    }
    if (bExcludeViewBars) {
        CDockState state;
        pFrame->GetDockState(state);
        for (INT_PTR i = state.m_arrBarInfo.GetSize() - 1; i >= 0; --i) {
            CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
            CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID);
            if (DYNAMIC_DOWNCAST(COXSizeViewBar, pBar) != NULL) {
                delete pInfo;
                state.m_arrBarInfo.RemoveAt(i);
            }
        }
        state.SaveState(lpszProfileName);
    } else {
        pFrame->SaveBarState(lpszProfileName);
    }
    for (CControlBar* pBar : FrameBars(pFrame)) {
        COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
        if (pSizeBar == NULL)
            continue;
        OXBARSIZERECORD r = MakeRecord(pSizeBar, IsInMDIFloat(pSizeBar));
        pApp->WriteProfileBinary(lpszProfileName, RecordName(pSizeBar->GetDlgCtrlID()), (LPBYTE)&r, sizeof(r));
    }
    pApp->WriteProfileInt(lpszProfileName, "Version", kLayoutVersion);
}

void OXSizeDock::LoadSizeBarState(CFrameWnd* pFrame, LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if ((int)pApp->GetProfileInt(lpszProfileName, "Version", 0) != kLayoutVersion) {
        // a layout of another version is not read at all
        HKEY hAppKey = pApp->GetAppRegistryKey();
        if (hAppKey != NULL) {
            pApp->DelRegTree(hAppKey, lpszProfileName);
            ::RegCloseKey(hAppKey);
        }
        return;
    }
    pFrame->RecalcLayout(TRUE);
    pFrame->Invalidate();
    pFrame->UpdateWindow();
    CDockState state;
    state.LoadState(lpszProfileName);
    // flat tool bars are restored without their flat style, which changes
    // the sizes the restore lays them out by, and get it back afterwards
    std::vector<CControlBar*> flatBars;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        CControlBar* pBar = pFrame->GetControlBar(((CControlBarInfo*)state.m_arrBarInfo[i])->m_nBarID);
        if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CMFCToolBar)) && (pBar->GetStyle() & TBSTYLE_FLAT) &&
            std::find(flatBars.begin(), flatBars.end(), pBar) == flatBars.end()) {
            pBar->ModifyStyle(TBSTYLE_FLAT, 0);
            flatBars.push_back(pBar);
        }
    }
    pFrame->SetDockState(state);
    for (CControlBar* pBar : flatBars)
        if (::IsWindow(pBar->m_hWnd))
            pBar->ModifyStyle(0, TBSTYLE_FLAT);

    // sizes saved on a larger screen come back bounded by this one; the
    // dock bars bound what they lay out by the frame as it is then
    MONITORINFO mi = {sizeof(mi)};
    CRect rectWork(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (::GetMonitorInfoA(::MonitorFromWindow(pFrame->m_hWnd, MONITOR_DEFAULTTONEAREST), &mi))
        rectWork = mi.rcWork;
    std::vector<COXSizeControlBar*> mdiFloat;
    for (CControlBar* pBar : FrameBars(pFrame)) {
        COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
        if (pSizeBar == NULL)
            continue;
        LPBYTE pData = NULL;
        UINT nBytes = 0;
        OXBARSIZERECORD r;
        BOOL bRead = pApp->GetProfileBinary(lpszProfileName, RecordName(pSizeBar->GetDlgCtrlID()), &pData, &nBytes) &&
                     ReadRecord(pData, nBytes, r);
        delete[] pData;
        if (!bRead)
            continue;   // the bar keeps its sizes
        BoundRecord(r, rectWork.Size());
        pSizeBar->m_FloatSize = CSize(r.nFloatCx, r.nFloatCy);
        pSizeBar->m_HorzDockSize = CSize(r.nHorzCx, r.nHorzCy);
        pSizeBar->m_VertDockSize = CSize(r.nVertCx, r.nVertCy);
        CSize size = pSizeBar->CalcFixedLayout(FALSE, (pSizeBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0);
        pSizeBar->SetWindowPos(NULL, 0, 0, size.cx, size.cy,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
        if (pSizeBar->m_dwStyle & CBRS_FLOATING) {
            if (r.nInMDIFloat == 1) {
                mdiFloat.push_back(pSizeBar);
            } else {
                EmptyHiddenLists(pFrame);
                CFrameWnd* pFloatFrame = pSizeBar->GetParentFrame();
                if (pFloatFrame != NULL && pFloatFrame != pFrame)
                    pFloatFrame->RecalcLayout(TRUE);
            }
        }
    }
    EmptyHiddenLists(pFrame);
    pFrame->RecalcLayout(TRUE);
    // bars that floated as MDI children float so again, at their last
    // floating position (in a frame without an MDI client, in a floating frame)
    COXMDIFrameWndSizeDock* pMDIFrame = DYNAMIC_DOWNCAST(COXMDIFrameWndSizeDock, pFrame);
    for (COXSizeControlBar* pBar : mdiFloat) {
        if (pBar->m_pDockContext == NULL)
            continue;
        if (pMDIFrame != NULL && pMDIFrame->m_hWndMDIClient != NULL)
            pMDIFrame->FloatControlBarInMDIChild(pBar, pBar->m_pDockContext->m_ptMRUFloatPos, CBRS_ALIGN_TOP,
                                                 pBar->IsVisible());
        else
            pFrame->FloatControlBar(pBar, pBar->m_pDockContext->m_ptMRUFloatPos, CBRS_ALIGN_TOP);
    }
    EmptyHiddenLists(pFrame);
    pFrame->RecalcLayout(TRUE);
    if (pFrame->IsWindowVisible()) {
        pFrame->Invalidate();
        pFrame->UpdateWindow();
    }
}

void OXSizeDock::FloatControlBarNotify(CFrameWnd* pFrame, CControlBar* pBar, CPoint pt, DWORD dwStyle)
{
    pFrame->FloatControlBar(pBar, pt, dwStyle);
    if (pBar != NULL && ::IsWindow(pBar->m_hWnd))
        pBar->SendMessage(WM_OXSIZEBAR_FLOATED);
}

void OXSizeDock::FloatControlBarAt(CFrameWnd* pFrame, CControlBar* pBar, CPoint pt, DWORD dwStyle)
{
    if (pBar == NULL || !::IsWindow(pBar->m_hWnd))
        return;
    const DWORD dwEdges = dwStyle & CBRS_ALIGN_ANY;
    CDockBar* pDockBar = pBar->m_pDockBar;
    if (pDockBar != NULL && pDockBar->m_bFloating && pDockBar->GetDockedCount() == 1 &&
        (pDockBar->m_dwStyle & dwEdges) == dwEdges) {
        CFrameWnd* pDockFrame = pDockBar->GetParentFrame();
        if (pDockFrame != NULL) {
            pDockFrame->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pDockFrame->RecalcLayout(TRUE);
            return;
        }
    }
    // a bar that sizes itself floats as a row whatever edge it came from
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pDockFrame = pFrame->CreateFloatingFrame(dwStyle);
    pDockFrame->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pDockFrame->m_hWndOwner == NULL)
        pDockFrame->m_hWndOwner = pBar->m_hWnd;
    pDockFrame->m_wndDockBar.DockControlBar(pBar);
    pDockFrame->RecalcLayout(TRUE);
    if (pBar->GetStyle() & WS_VISIBLE) {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
}

void OXSizeDock::PlaceWindows(CSize sizeClient, const CSize* pSizes, int nCount, UINT nCorner, CPoint* pPositions,
                              BOOL* pPlaced)
{
    struct Band
    {
        int y, nHeight, nTaken;
    };
    std::vector<Band> bands(1, Band{0, sizeClient.cy, 0});
    const BOOL bFromLeft = (nCorner & 0x1) && (nCorner & 0x4);
    const BOOL bFromTop = (nCorner & 0x1) && (nCorner & 0x2);
    for (int i = 0; i < nCount; ++i) {
        const CSize s = pSizes[i];
        pPlaced[i] = FALSE;
        if (s.cx > sizeClient.cx)
            continue;
        // the first band with room for the window's width and height; else
        // the first with room for its width
        int nBand = -1;
        for (int pass = 0; pass < 2 && nBand < 0; ++pass)
            for (size_t b = 0; b < bands.size() && nBand < 0; ++b)
                if (bands[b].nTaken + s.cx <= sizeClient.cx && (pass == 1 || bands[b].nHeight >= s.cy))
                    nBand = (int)b;
        if (nBand < 0)
            continue;
        Band& band = bands[nBand];
        CPoint pt(band.nTaken, band.y);
        if (band.nHeight > s.cy) {
            Band rest = {band.y + s.cy, band.nHeight - s.cy, band.nTaken};
            band.nHeight = s.cy;
            band.nTaken += s.cx;
            bands.insert(bands.begin() + nBand + 1, rest);
        } else {
            band.nTaken += s.cx;
        }
        if (!bFromLeft)
            pt.x = sizeClient.cx - pt.x - s.cx;
        if (!bFromTop)
            pt.y = sizeClient.cy - pt.y - s.cy;
        pPositions[i] = pt;
        pPlaced[i] = TRUE;
    }
}

void OXSizeDock::ArrangeWindows(CWnd* pParent, CObArray& arrWnd, UINT nCorner)
{
    CRect rectClient;
    pParent->GetClientRect(&rectClient);
    if (arrWnd.GetSize() == 0 || rectClient.Height() == 0)
        return;
    std::vector<CWnd*> wnds;
    for (INT_PTR i = 0; i < arrWnd.GetSize(); ++i)
        wnds.push_back((CWnd*)arrWnd[i]);
    auto area = [](CWnd* p) {
        CRect r;
        p->GetWindowRect(&r);
        return (long long)r.Width() * r.Height();
    };
    std::stable_sort(wnds.begin(), wnds.end(), [&](CWnd* a, CWnd* b) { return area(a) > area(b); });
    std::vector<CSize> sizes;
    for (CWnd* p : wnds) {
        CRect r;
        p->GetWindowRect(&r);
        sizes.push_back(r.Size());
    }
    std::vector<CPoint> positions(wnds.size());
    std::vector<BOOL> placed(wnds.size());
    PlaceWindows(rectClient.Size(), sizes.data(), (int)sizes.size(), nCorner, positions.data(), placed.data());
    HDWP hDWP = ::BeginDeferWindowPos((int)wnds.size());
    for (size_t i = 0; i < wnds.size(); ++i) {
        if (!placed[i])
            continue;
        CPoint pt = positions[i];
        // popups and windows of another parent are placed on the screen
        if ((wnds[i]->GetStyle() & WS_POPUP) || ::GetParent(wnds[i]->m_hWnd) != pParent->m_hWnd)
            pParent->ClientToScreen(&pt);
        if (hDWP != NULL)
            hDWP = ::DeferWindowPos(hDWP, wnds[i]->m_hWnd, NULL, pt.x, pt.y, 0, 0,
                                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
}

void OXSizeDock::ArrangeFloatingBars(CFrameWnd* pFrame, CWnd* pParent, UINT nCorner, DWORD dwStyleRemove)
{
    CObArray arrWnd;
    for (CControlBar* pBar : FrameBars(pFrame)) {
        if (pBar->IsDockBar() || !(pBar->m_dwStyle & CBRS_FLOATING) || !pBar->IsVisible())
            continue;
        CFrameWnd* pFloat = pBar->GetParentFrame();
        if (pFloat == NULL || pFloat == pFrame)
            continue;
        BOOL bSeen = FALSE;
        for (INT_PTR i = 0; i < arrWnd.GetSize(); ++i)
            bSeen |= arrWnd[i] == pFloat;
        if (!bSeen)
            arrWnd.Add(pFloat);
    }
    ArrangeWindows(pParent, arrWnd, nCorner);
    if (dwStyleRemove != 0)
        for (INT_PTR i = 0; i < arrWnd.GetSize(); ++i)
            ((CWnd*)arrWnd[i])->ModifyStyle(dwStyleRemove, 0);
}

// ---------------------------------------------------------------------------
// The frames
// ---------------------------------------------------------------------------

COXFrameWndSizeDock::COXFrameWndSizeDock() : m_bOwnBarDrag(FALSE) {}

LRESULT COXFrameWndSizeDock::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_QUERYSIZEDOCKDRAG:
        return m_bOwnBarDrag;
    case WM_DESTROY:
        if (GetTopLevelFrame() == this || GetTopLevelFrame() == NULL)
            COXSizeControlBar::DestroyFrameBars(this);
        break;
    default:
        break;
    }
    return CFrameWnd::WindowProc(nMsg, wParam, lParam);
}

COXMDIFrameWndSizeDock::COXMDIFrameWndSizeDock()
    : m_pActiveSizeBar(NULL), m_hWndActiveDockedChild(NULL), m_bClosing(FALSE), m_bOwnBarDrag(FALSE)
{
}

void COXMDIFrameWndSizeDock::ArrangeFloatingBars(UINT nCorner)
{
    // a floating frame that a drag placed (style bit 0x0001) counts as
    // placed by the arrangement from now on
    OXSizeDock::ArrangeFloatingBars(this, CWnd::FromHandle(m_hWndMDIClient), nCorner, 0x0001);
}

CMDIChildWnd* COXMDIFrameWndSizeDock::GetActiveDockedChild()
{
    if (m_hWndActiveDockedChild == NULL)
        return NULL;
    CMDIChildWnd* pChild = NULL;
    if (::IsWindow(m_hWndActiveDockedChild))
        pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(m_hWndActiveDockedChild));
    if (pChild == NULL)
        m_hWndActiveDockedChild = NULL;
    return pChild;
}

void COXMDIFrameWndSizeDock::SetActiveDockedChild(CWnd* pChild)
{
    m_hWndActiveDockedChild = pChild != NULL && ::IsWindow(pChild->m_hWnd) ? pChild->m_hWnd : NULL;
}

CMDIChildWnd* COXMDIFrameWndSizeDock::GetActiveMDIChild(BOOL* pbMaximized)
{
    CMDIChildWnd* pDocked = GetActiveDockedChild();
    if (pDocked != NULL) {
        if (pbMaximized != NULL)
            *pbMaximized = FALSE;
        return pDocked;
    }
    CMDIChildWnd* pChild = MDIGetActive(pbMaximized);
    return pChild != NULL && ::IsWindow(pChild->m_hWnd) ? pChild : NULL;
}

BOOL COXMDIFrameWndSizeDock::IsActiveChildMaximized()
{
    BOOL bMaximized = FALSE;
    MDIGetActive(&bMaximized);
    return bMaximized;
}

void COXMDIFrameWndSizeDock::OnCloseFrame()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        if (!pApp->SaveAllModified()) {
            // the frame stays: it must close next time
            m_bClosing = FALSE;
            return;
        }
        // what was not saved now is given up: nothing asks about it again
        // while the windows close, and the program goes out of sight first
        POSITION posTemplate = pApp->GetFirstDocTemplatePosition();
        while (posTemplate != NULL) {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
            POSITION posDoc = pTemplate->GetFirstDocPosition();
            while (posDoc != NULL)
                pTemplate->GetNextDoc(posDoc)->SetModifiedFlag(FALSE);
        }
        pApp->HideApplication();
        // docked views go back into their children, which the documents close
        UndockAllChildren();
        pApp->CloseAllDocuments(FALSE);
        if (pApp->m_pMainWnd == NULL) {
            ::PostQuitMessage(0);
            m_bClosing = FALSE;
            return;
        }
    }
    DestroyWindow();
}

LRESULT COXMDIFrameWndSizeDock::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_QUERYSIZEDOCKDRAG:
        return m_bOwnBarDrag;
    case WM_DESTROY:
        if (GetTopLevelFrame() == this || GetTopLevelFrame() == NULL)
            COXSizeControlBar::DestroyFrameBars(this);
        break;
    case WM_CLOSE:
        OnCloseFrame();
        return 0;
    case WM_COMMANDHELP: {
        // the active child first: a docked one is unknown to the MDI client
        CMDIChildWnd* pChild = GetActiveMDIChild();
        if (pChild != NULL && pChild->SendMessage(WM_COMMANDHELP, wParam, lParam) != 0)
            return TRUE;
        return OnCommandHelp(wParam, lParam);
    }
    case WM_SYSCOMMAND:
        if (RouteDockCommand((UINT)wParam))
            return 0;
        break;
    case WM_ACTIVATE: {
        LRESULT lResult = CMDIFrameWnd::WindowProc(nMsg, wParam, lParam);
        const BOOL bActive = LOWORD(wParam) != WA_INACTIVE;
        if (LOWORD(wParam) != WA_CLICKACTIVE && m_pActiveSizeBar != NULL && ::IsWindow(m_pActiveSizeBar->m_hWnd))
            m_pActiveSizeBar->SetActive(bActive, bActive);
        return lResult;
    }
    default:
        break;
    }
    return CMDIFrameWnd::WindowProc(nMsg, wParam, lParam);
}
