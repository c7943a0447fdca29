#include "OXSizeControlBar.h"

#include <algorithm>

#include "OXDockbarSkin.h"
#include "OXDragDockContext.h"
#include "OXDragGuard.h"
#include "OXFrameWndDock.h"
#include "OXMDIChildWndSizeDock.h"
#include "OXMDIFloatWnd.h"
#include "OXSizableMiniDockFrameWnd.h"
#include "OXSizeDockBar.h"
#include "OXSkinnedApp.h"

IMPLEMENT_DYNAMIC(COXSizeControlBar, CControlBar)

CObArray* COXSizeControlBar::m_pAutoDeleteBars = NULL;

// The thread's mouse hook, shared by every sizing bar: when the cursor leaves
// a bar, its caption buttons lose their hover look.
static HHOOK s_hMouseHook = NULL;
static HWND s_hWndLastUnderCursor = NULL;

static LRESULT CALLBACK SizeBarMouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && (wParam == WM_MOUSEMOVE || wParam == WM_NCMOUSEMOVE)) {
        const MOUSEHOOKSTRUCT* pInfo = (const MOUSEHOOKSTRUCT*)lParam;
        HWND hWndNow = pInfo->hwnd;
        if (s_hWndLastUnderCursor != NULL && s_hWndLastUnderCursor != hWndNow) {
            CWnd* pLast = CWnd::FromHandlePermanent(s_hWndLastUnderCursor);
            COXSizeControlBar* pBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pLast);
            if (pBar != NULL && ::IsWindow(pBar->m_hWnd)) {
                CWindowDC dc(pBar);
                pBar->DrawCloseButton(&dc);
                pBar->DrawMaximizeButton(&dc);
            }
        }
        s_hWndLastUnderCursor = hWndNow;
    }
    return ::CallNextHookEx(s_hMouseHook, nCode, wParam, lParam);
}

BOOL OXSizeBarMouseHookInstalled()
{
    return s_hMouseHook != NULL;
}

COXSizeControlBar::COXSizeControlBar(DWORD dwSizeBarStyle)
    : m_FloatSize(0, 0), m_HorzDockSize(0, 0), m_VertDockSize(0, 0), m_SavedDockSize(0, 0), m_dwSavedDockStyle(0),
      m_cxLastWindow(0xFFFF), m_cyLastWindow(0xFFFF), m_nLastPlacement(3), m_bTracking(FALSE), m_bMaybeDrag(FALSE),
      m_nHiddenTabIndex(-1), m_ptDragOffset(0, 0), m_ptButtonDown(0, 0), m_dwSizeBarStyle(dwSizeBarStyle),
      m_bClientReduced(FALSE), m_nPressedButton(-1), m_bMaximizedInRow(FALSE), m_bActive(FALSE), m_pPrivateSkin(NULL)
{
    m_rectGripper.SetRectEmpty();
    m_rectCloseButton.SetRectEmpty();
    m_rectMaximizeButton.SetRectEmpty();
    if (m_dwSizeBarStyle & SZBAR_AUTODELETE) {
        if (m_pAutoDeleteBars == NULL)
            m_pAutoDeleteBars = new CObArray;
        m_pAutoDeleteBars->Add(this);
    }
}

COXSizeControlBar::~COXSizeControlBar()
{
    if (m_pAutoDeleteBars != NULL) {
        for (INT_PTR i = m_pAutoDeleteBars->GetSize() - 1; i >= 0; --i)
            if (m_pAutoDeleteBars->GetAt(i) == this) {
                m_pAutoDeleteBars->RemoveAt(i);
                break;
            }
        if (m_pAutoDeleteBars->GetSize() == 0) {
            delete m_pAutoDeleteBars;
            m_pAutoDeleteBars = NULL;
        }
    }
    delete m_pDockContext;
    m_pDockContext = NULL;
    delete m_pPrivateSkin;
}

BOOL COXSizeControlBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle, const RECT& rect)
{
    return Create(NULL, lpszWindowName, dwStyle, rect, pParentWnd, nID, NULL);
}

BOOL COXSizeControlBar::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                               CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    CRect rectBar(rect);
    if (rectBar == CFrameWnd::rectDefault && pParentWnd != NULL) {
        pParentWnd->GetClientRect(&rectBar);
        rectBar.left = rectBar.right - rectBar.right / 2;
        rectBar.top = rectBar.bottom - rectBar.bottom / 4;
    }
    const int w = rectBar.Width(), h = rectBar.Height();
    m_FloatSize = CSize(w, h);
    m_HorzDockSize = CSize(w, h);
    m_VertDockSize = CSize(h, w);
    // the CBRS_ bits overlap window styles: the window takes only its own
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN;
    if (lpszClassName == NULL)
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
    return CWnd::Create(lpszClassName, lpszWindowName, dwWndStyle, rectBar, pParentWnd, nID, pContext);
}

void COXSizeControlBar::EnableDocking(DWORD dwDockStyle)
{
    if (m_pDockContext == NULL && m_pDockSite != NULL)
        m_pDockContext = new COXDragDockContext(this);
    CControlBar::EnableDocking(dwDockStyle);
    if (m_hWndOwner == NULL && GetParent() != NULL)
        m_hWndOwner = GetParent()->m_hWnd;
}

CSize COXSizeControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    if (m_dwStyle & CBRS_FLOATING)
        return m_FloatSize;
    return bHorz ? m_HorzDockSize : m_VertDockSize;
}

BOOL COXSizeControlBar::CanMaximizeInRow()
{
    COXSizeDockBar* pDockBar = GetSizeDockBar();
    return pDockBar != NULL && !pDockBar->HasTabs() && pDockBar->RowHasOtherSizingBar(this);
}

COXDockTabCtrl* COXSizeControlBar::GetTabContainer()
{
    COXSizeDockBar* pDockBar = GetSizeDockBar();
    return pDockBar != NULL ? pDockBar->GetTabContainerOf(this) : NULL;
}

COXSizeDockBar* COXSizeControlBar::GetSizeDockBar() const
{
    if (m_pDockBar == NULL || (m_dwStyle & CBRS_FLOATING))
        return NULL;
    return DYNAMIC_DOWNCAST(COXSizeDockBar, m_pDockBar);
}

COXDockbarSkin* COXSizeControlBar::GetDockbarSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetDockbarSkin() != NULL)
        return pSkin->GetDockbarSkin();
    if (m_pPrivateSkin == NULL)
        m_pPrivateSkin = new COXDockbarSkinClassic;
    return m_pPrivateSkin;
}

CPoint COXSizeControlBar::GetClientOffset() const
{
    if (!::IsWindow(m_hWnd))
        return CPoint(0, 0);
    CRect rectWindow;
    ::GetWindowRect(m_hWnd, &rectWindow);
    POINT ptClient = {0, 0};
    ::ClientToScreen(m_hWnd, &ptClient);
    return CPoint(ptClient.x - rectWindow.left, ptClient.y - rectWindow.top);
}

CRect COXSizeControlBar::GetWindowRectInClient() const
{
    if (!::IsWindow(m_hWnd))
        return CRect(0, 0, 0, 0);
    CRect rectWindow;
    ::GetWindowRect(m_hWnd, &rectWindow);
    CPoint ptOffset = GetClientOffset();
    return CRect(-ptOffset.x, -ptOffset.y, rectWindow.Width() - ptOffset.x, rectWindow.Height() - ptOffset.y);
}

CFrameWnd* COXSizeControlBar::GetBarFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && (m_dwStyle & CBRS_FLOATING))
        pFrame = pFrame->GetTopLevelFrame();
    return pFrame;
}

void COXSizeControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    HWND hFocus = ::GetFocus();
    BOOL bActive = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bActive != m_bActive)
        SetActive(bActive, FALSE);
}

void COXSizeControlBar::SetActive(BOOL bActive, BOOL bDeactivateOthers)
{
    m_bActive = bActive;
    if (bActive) {
        HWND hFocus = ::GetFocus();
        if (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus)) {
            // the focus goes as deep as it has to before a window keeps it
            HWND hWnd = m_hWnd;
            while (hWnd != NULL) {
                ::SetFocus(hWnd);
                if (::GetFocus() == hWnd)
                    break;
                hWnd = ::GetWindow(hWnd, GW_CHILD);
            }
        }
        if (bDeactivateOthers) {
            CFrameWnd* pFrame = GetBarFrame();
            if (pFrame != NULL) {
                POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
                while (pos != NULL) {
                    CControlBar* pOther = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
                    COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pOther);
                    if (pSizeBar != NULL && pSizeBar != this && pSizeBar->m_bActive &&
                        DYNAMIC_DOWNCAST(COXSizeViewBar, pSizeBar) == NULL)
                        pSizeBar->SetActive(FALSE, FALSE);
                }
            }
        }
    }
    COXMDIFrameWndSizeDock* pMDIFrame = DYNAMIC_DOWNCAST(COXMDIFrameWndSizeDock, GetBarFrame());
    if (pMDIFrame != NULL) {
        if (bActive) {
            pMDIFrame->m_pActiveSizeBar = this;
        } else {
            CMDIChildWnd* pChild = pMDIFrame->GetActiveMDIChild();
            HWND hFocus = ::GetFocus();
            if (pChild != NULL && hFocus != NULL && (hFocus == pChild->m_hWnd || ::IsChild(pChild->m_hWnd, hFocus)))
                pMDIFrame->m_pActiveSizeBar = NULL;
        }
    }
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void COXSizeControlBar::ShowBar(BOOL bShow)
{
    if (IsVisible() == bShow)
        return;
    CFrameWnd* pFrame = GetBarFrame();
    COXSizeDockBar* pDockBar = GetSizeDockBar();
    COXDockTabCtrl* pTabs = GetTabContainer();
    if (bShow) {
        if (pTabs != NULL) {
            pTabs->SetCurSel(pTabs->FindTab(this));
            pTabs->UpdateTabs();
            return;
        }
        // shown at the next layout, so that it never lays out beside the
        // bar of its stack that shows now
        if (pFrame != NULL)
            pFrame->ShowControlBar(this, TRUE, TRUE);
        // a bar hidden out of a stack goes back to its place in it
        if (pDockBar != NULL && m_nHiddenTabIndex != -1 && pDockBar->CountBarsInColumn(this) > 1) {
            COXDockTabCtrl& tabs = pDockBar->m_wndTabContainer;
            const int nTab = tabs.FindTab(this);
            if (nTab >= 0) {
                tabs.SetCurSel(nTab);
                tabs.UpdateTabs();
            } else {
                tabs.InsertBar(this, std::min(m_nHiddenTabIndex, tabs.GetItemCount()), TRUE);
            }
        }
        return;
    }
    if (pFrame != NULL)
        pFrame->ShowControlBar(this, FALSE, FALSE);
    if (pDockBar != NULL && pDockBar->HasTabs()) {
        m_nHiddenTabIndex = pDockBar->m_wndTabContainer.FindTab(this);
        if (m_nHiddenTabIndex >= 0)
            pDockBar->m_wndTabContainer.RemoveBar(this);
    }
}

void COXSizeControlBar::SetMaximizedInRow(BOOL bMaximized)
{
    if (m_bMaximizedInRow == bMaximized)
        return;
    m_bMaximizedInRow = bMaximized;
    if (::IsWindow(m_hWnd) && !(m_dwSizeBarStyle & SZBAR_NOMAXIMIZEBUTTON)) {
        CWindowDC dc(this);
        DrawMaximizeButton(&dc);
    }
}

void COXSizeControlBar::DestroyFrameBars(CFrameWnd* pFrame)
{
    if (m_pAutoDeleteBars == NULL)
        return;
    for (INT_PTR i = m_pAutoDeleteBars->GetSize() - 1; m_pAutoDeleteBars != NULL && i >= 0; --i) {
        if (i >= m_pAutoDeleteBars->GetSize())
            continue;
        COXSizeControlBar* pBar = (COXSizeControlBar*)m_pAutoDeleteBars->GetAt(i);
        if (::IsWindow(pBar->m_hWnd) && pBar->GetTopLevelFrame() == pFrame)
            pBar->DestroyWindow();
        if (!::IsWindow(pBar->m_hWnd))
            delete pBar;   // leaves the list, which goes when it empties
    }
}

void COXSizeControlBar::OnSizedOrDocked(int, int, BOOL, UINT) {}

void COXSizeControlBar::DrawGripper(CDC* pDC)
{
    GetDockbarSkin()->DrawCaption(pDC, this);
}

void COXSizeControlBar::DrawCloseButton(CDC* pDC)
{
    GetDockbarSkin()->DrawCloseButton(pDC, this);
}

void COXSizeControlBar::DrawMaximizeButton(CDC* pDC)
{
    GetDockbarSkin()->DrawMaximizeButton(pDC, this);
}

void COXSizeControlBar::DrawNonClient()
{
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    dc.IntersectClipRect(&rectWindow);
    COXDockbarSkin* pSkin = GetDockbarSkin();
    pSkin->DrawNonClientBackground(&dc, rectWindow, this);
    pSkin->LayoutCaption(this);
    if (!(m_dwSizeBarStyle & SZBAR_NOGRIPPER))
        DrawGripper(&dc);
    if (!(m_dwSizeBarStyle & SZBAR_NOCLOSEBUTTON))
        DrawCloseButton(&dc);
    if (!(m_dwSizeBarStyle & SZBAR_NOMAXIMIZEBUTTON))
        DrawMaximizeButton(&dc);
}

void COXSizeControlBar::RedrawCaptionButtons()
{
    CWindowDC dc(this);
    if (!(m_dwSizeBarStyle & SZBAR_NOCLOSEBUTTON))
        DrawCloseButton(&dc);
    if (!(m_dwSizeBarStyle & SZBAR_NOMAXIMIZEBUTTON))
        DrawMaximizeButton(&dc);
}

CPoint COXSizeControlBar::CalcDragOffset(const CRect& r, CPoint c, CSize sizeFloat, BOOL bHorzDocked, BOOL bDocked)
{
    double x;
    if (bHorzDocked)
        x = r.Height() != 0 ? (double)sizeFloat.cx * (r.bottom - c.y) / r.Height() : 0;
    else
        x = r.Width() != 0 ? (double)sizeFloat.cx * (c.x - r.left) / r.Width() : 0;
    int nX = (int)x;
    nX = std::min<int>(nX, sizeFloat.cx - 20);
    nX = std::max<int>(nX, 5);
    int nY = bDocked ? 10 : c.y - r.top;
    return CPoint(nX, nY);
}

BOOL COXSizeControlBar::IsBeyondDragThreshold(CPoint ptDown, CPoint pt)
{
    return abs(pt.x - ptDown.x) > nDragThreshold || abs(pt.y - ptDown.y) > nDragThreshold;
}

void COXSizeControlBar::StartOwnDrag(CPoint point)
{
    m_ptButtonDown = point;
    m_bMaybeDrag = FALSE;
    m_ptDragOffset = CalcDragOffset(GetWindowRectInClient(), point, m_FloatSize, IsHorzDocked(),
                                    !(m_dwStyle & CBRS_FLOATING));
    m_bTracking = TRUE;
    SetCapture();
    ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
}

void COXSizeControlBar::EndTracking()
{
    m_bTracking = FALSE;
    m_bMaybeDrag = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void COXSizeControlBar::OnLButtonDownBar(UINT nFlags, CPoint point)
{
    m_nPressedButton = -1;
    if (!(m_dwStyle & CBRS_FLOATING) && m_pDockBar != NULL) {
        if (m_rectCloseButton.PtInRect(point)) {
            SetCapture();
            m_nPressedButton = -3;
            RedrawCaptionButtons();
            return;
        }
        if (m_rectMaximizeButton.PtInRect(point)) {
            if (!CanMaximizeInRow())
                return;
            SetCapture();
            m_nPressedButton = -2;
            RedrawCaptionButtons();
            return;
        }
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != NULL && ::IsWindow(pMain->m_hWnd) && pMain->SendMessage(WM_QUERYSIZEDOCKDRAG) != 0) {
            m_ptButtonDown = point;
            m_bMaybeDrag = TRUE;
            return;
        }
    }
    CControlBar::OnLButtonDown(nFlags, point);
}

void COXSizeControlBar::OnMouseMoveBar(UINT nFlags, CPoint point)
{
    if (m_bMaybeDrag && (nFlags & MK_LBUTTON) && IsBeyondDragThreshold(m_ptButtonDown, point)) {
        StartOwnDrag(point);
        return;
    }
    if (m_bTracking) {
        ClientToScreen(&point);
        // floating or docking may throw: the drag must not keep the mouse
        COXDragGuard guard(m_hWnd, [this] { EndTracking(); });
        TrackTo(point, nFlags);
        guard.Dismiss();
        return;
    }
    if (::GetCapture() == m_hWnd) {
        // a held button shows released while the cursor is off it
        if (m_rectCloseButton.PtInRect(point))
            m_nPressedButton = -3;
        else if (m_rectMaximizeButton.PtInRect(point) && CanMaximizeInRow())
            m_nPressedButton = -2;
        else
            m_nPressedButton = -1;
    }
    if (!(m_dwStyle & CBRS_FLOATING))
        RedrawCaptionButtons();
    Default();
}

void COXSizeControlBar::TrackTo(CPoint ptScreen, UINT nFlags)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame == NULL) {
        EndTracking();
        return;
    }
    // let the windows uncovered by the last move paint first
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        if (!::GetMessage(&msg, NULL, WM_PAINT, WM_PAINT) || msg.message == WM_QUIT) {
            // the quit belongs to the message loop: give it back and stop
            ::PostQuitMessage((int)msg.wParam);
            EndTracking();
            return;
        }
        ::DispatchMessage(&msg);
    }
    HWND hWndSelf = m_hWnd;
    CPoint ptFloat = ptScreen;
    if (m_pDockContext != NULL) {
        COXSizeDockBar* pDockBar = COXSizeDockBar::FindDockBarAt(ptScreen, this);
        if (pDockBar != NULL && !(nFlags & MK_CONTROL)) {
            CSize size = CalcFixedLayout(FALSE, pDockBar->IsHorzDockBar());
            if (!(m_dwStyle & CBRS_FLOATING)) {
                CRect rectNow;
                GetWindowRect(&rectNow);
                size = rectNow.Size();
            }
            CRect rect(ptScreen, size);
            pDockBar->DockBarAt(this, &rect);
            pFrame->RecalcLayout(TRUE);
            return;
        }
        COXDockTabCtrl* pTabs = GetTabContainer();
        if (pTabs != NULL)
            pTabs->RemoveBar(this);
        ptFloat -= m_ptDragOffset;
    }
    pFrame->FloatControlBar(this, ptFloat, CBRS_ALIGN_TOP);
    if (::IsWindow(hWndSelf) && (m_dwStyle & CBRS_FLOATING))
        SendMessage(WM_OXSIZEBAR_FLOATED);
    // floating moved the bar into another window: the drag keeps the mouse
    if (::IsWindow(hWndSelf) && m_bTracking && ::GetCapture() != m_hWnd)
        SetCapture();
}

void COXSizeControlBar::OnLButtonUpBar(UINT nFlags, CPoint point)
{
    if (m_bTracking) {
        EndTracking();
        return;
    }
    m_bMaybeDrag = FALSE;
    const int nPressed = m_nPressedButton;
    m_nPressedButton = -1;
    if (nPressed != -1)
        RedrawCaptionButtons();
    if (::GetCapture() != m_hWnd) {
        Default();
        return;
    }
    ::ReleaseCapture();
    if (nPressed == -3 && m_rectCloseButton.PtInRect(point)) {
        ShowBar(FALSE);
    } else if (nPressed == -2 && m_rectMaximizeButton.PtInRect(point)) {
        COXSizeDockBar* pDockBar = GetSizeDockBar();
        if (pDockBar != NULL)
            pDockBar->MaximizeInRow(this, !m_bMaximizedInRow);
    }
}

namespace {
// A multi-line edit filling a bar sets its scroll range from its lines as
// they were before a new size wrapped them again: an edit created small and
// then widened keeps the range of its narrow lines, and its scroll bar shows
// a thumb though all its text fits. Once the bar's children have their new
// sizes, each such edit is told its size once more, and the range follows
// the lines it now has.
void RefreshEditScrollRanges(CWnd* pBar)
{
    for (HWND hChild = ::GetWindow(pBar->m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[16] = {};
        ::GetClassNameA(hChild, szClass, sizeof(szClass));
        const LONG lStyle = ::GetWindowLongA(hChild, GWL_STYLE);
        if (lstrcmpiA(szClass, "Edit") != 0 || (lStyle & ES_MULTILINE) == 0 || (lStyle & WS_VSCROLL) == 0)
            continue;
        RECT rect;
        ::GetClientRect(hChild, &rect);
        ::SendMessage(hChild, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.right, rect.bottom));
    }
}
}   // namespace

void COXSizeControlBar::OnWindowPosChangedBar(WINDOWPOS* pPos)
{
    CRect rect;
    GetWindowRect(&rect);
    const int cx = rect.Width(), cy = rect.Height();
    const int nPlacement = (m_pDockBar == NULL || (m_dwStyle & CBRS_FLOATING)) ? 1 : 0;
    UINT nWhat = 0;
    if (cx != m_cxLastWindow || cy != m_cyLastWindow)
        nWhat |= 1;
    if (nPlacement != m_nLastPlacement)
        nWhat |= 2;
    (void)pPos;
    if (nWhat != 0) {
        m_cxLastWindow = cx;
        m_cyLastWindow = cy;
        m_nLastPlacement = nPlacement;
        OnSizedOrDocked(cx, cy, nPlacement, nWhat);
        RefreshEditScrollRanges(this);
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    }
    GetDockbarSkin()->LayoutCaption(this);
    if (m_bMaximizedInRow)
        SetMaximizedInRow(FALSE);
}

void COXSizeControlBar::FillMenu(HMENU hMenu)
{
    CFrameWnd* pParentFrame = GetParentFrame();
    const BOOL bMDIFloat = (m_dwStyle & CBRS_FLOATING) && pParentFrame != NULL &&
                           DYNAMIC_DOWNCAST(COXMDIFloatWnd, pParentFrame) != NULL;
    CString str;
    if ((m_dwSizeBarStyle & SZBAR_ALLOWMDIFLOAT) && m_pDockContext != NULL) {
        str.LoadString(ID_OXSIZEBAR_MDIFLOAT);
        ::AppendMenu(hMenu, MF_STRING | (bMDIFloat ? MF_CHECKED : 0), ID_OXSIZEBAR_MDIFLOAT, str);
    }
    if (!bMDIFloat) {
        DWORD a = m_dwDockStyle & CBRS_ALIGN_ANY;
        if (a != 0 || m_dwSavedDockStyle != 0) {
            str.LoadString(ID_OXSIZEBAR_ALLOWDOCKING);
            ::AppendMenu(hMenu, MF_STRING | (a != 0 ? MF_CHECKED : 0), ID_OXSIZEBAR_ALLOWDOCKING, str);
        }
    }
    str.LoadString(ID_OXSIZEBAR_HIDE);
    ::AppendMenu(hMenu, MF_STRING, ID_OXSIZEBAR_HIDE, str);
}

BOOL COXSizeControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_OXSIZEBAR_ALLOWDOCKING:
        if (m_dwDockStyle & CBRS_ALIGN_ANY) {
            m_dwSavedDockStyle = m_dwDockStyle & CBRS_ALIGN_ANY;
            if (!(m_dwStyle & CBRS_FLOATING) && m_pDockContext != NULL)
                m_pDockContext->ToggleDocking();
            EnableDocking(0);
        } else {
            EnableDocking(m_dwSavedDockStyle);
        }
        return TRUE;
    case ID_OXSIZEBAR_HIDE: {
        CFrameWnd* pFrame = GetBarFrame();
        CFrameWnd* pParentFrame = GetParentFrame();
        const BOOL bMDIFloat = (m_dwStyle & CBRS_FLOATING) && pParentFrame != NULL &&
                               DYNAMIC_DOWNCAST(COXMDIFloatWnd, pParentFrame) != NULL;
        // hidden within its MDI float window, which gives way to the next child
        if (bMDIFloat && ::GetParent(pParentFrame->m_hWnd) != NULL)
            ::SendMessage(::GetParent(pParentFrame->m_hWnd), WM_MDINEXT, (WPARAM)pParentFrame->m_hWnd, 0);
        if (pFrame != NULL)
            pFrame->ShowControlBar(this, FALSE, FALSE);
        return TRUE;
    }
    case ID_OXSIZEBAR_MDIFLOAT: {
        COXMDIFrameWndSizeDock* pMDIFrame = DYNAMIC_DOWNCAST(COXMDIFrameWndSizeDock, m_pDockSite);
        if (pMDIFrame == NULL || m_pDockContext == NULL)
            return TRUE;
        CFrameWnd* pParentFrame = GetParentFrame();
        if ((m_dwStyle & CBRS_FLOATING) && pParentFrame != NULL &&
            DYNAMIC_DOWNCAST(COXMDIFloatWnd, pParentFrame) != NULL) {
            CRect rect;
            pParentFrame->GetWindowRect(&rect);
            pMDIFrame->FloatControlBarInFrame(this, rect.TopLeft(), CBRS_ALIGN_TOP);
        } else {
            pMDIFrame->FloatControlBarInMDIChild(this, m_pDockContext->m_ptMRUFloatPos, CBRS_ALIGN_TOP, TRUE);
        }
        return TRUE;
    }
    default:
        return CControlBar::OnCommand(wParam, lParam);
    }
}

BEGIN_MESSAGE_MAP(COXSizeControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CAPTURECHANGED()
    ON_WM_CONTEXTMENU()
    ON_WM_WINDOWPOSCHANGED()
    ON_MESSAGE(WM_OXSIZEBAR_FILLMENU, OnFillMenu)
    ON_MESSAGE(WM_OXSIZEBAR_FLOATED, OnFloated)
END_MESSAGE_MAP()

int COXSizeControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (s_hMouseHook == NULL)
        s_hMouseHook = ::SetWindowsHookEx(WH_MOUSE, SizeBarMouseHook, NULL, ::GetCurrentThreadId());
    return 0;
}

void COXSizeControlBar::OnDestroy()
{
    // a bar going removes the hook for every bar; the next one made puts it back
    if (s_hMouseHook != NULL) {
        ::UnhookWindowsHookEx(s_hMouseHook);
        s_hMouseHook = NULL;
        s_hWndLastUnderCursor = NULL;
    }
    COXMDIFrameWndSizeDock* pFrame = DYNAMIC_DOWNCAST(COXMDIFrameWndSizeDock, GetBarFrame());
    if (pFrame != NULL && pFrame->m_pActiveSizeBar == this)
        pFrame->m_pActiveSizeBar = NULL;
    if (m_bTracking)
        EndTracking();
    // a stack never keeps the tab of a bar that is gone
    if (COXDockTabCtrl* pTabs = GetTabContainer())
        pTabs->RemoveBar(this);
    CControlBar::OnDestroy();
}

void COXSizeControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    Default();
    GetDockbarSkin()->CalcClientRect(lpncsp->rgrc[0], this);
}

void COXSizeControlBar::OnNcPaint()
{
    DrawNonClient();
}

void COXSizeControlBar::OnPaint()
{
    // The bar's children paint themselves; beginning the paint still erases
    // what they leave uncovered and draws a non-client area left invalid.
    CPaintDC dc(this);
}

BOOL COXSizeControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    pDC->GetClipBox(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

LRESULT COXSizeControlBar::OnNcHitTest(CPoint point)
{
    if (!(m_dwStyle & CBRS_FLOATING)) {
        // docked, the caption and its buttons are client: presses come as client clicks
        CRect rect;
        GetWindowRect(&rect);
        if (rect.PtInRect(point))
            return HTCLIENT;
    }
    return (LRESULT)Default();
}

BOOL COXSizeControlBar::OnSetCursor(CWnd* pWnd, UINT, UINT)
{
    if (pWnd != this)
        return FALSE;
    ::SetCursor(::LoadCursor(NULL, m_bTracking ? IDC_SIZEALL : IDC_ARROW));
    return TRUE;
}

void COXSizeControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    OnLButtonDownBar(nFlags, point);
}

void COXSizeControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    OnMouseMoveBar(nFlags, point);
}

void COXSizeControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    OnLButtonUpBar(nFlags, point);
}

void COXSizeControlBar::OnLButtonDblClk(UINT, CPoint point)
{
    if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1) {
        COXDockTabCtrl* pTabs = GetTabContainer();
        CWnd* pMain = AfxGetMainWnd();
        if (pTabs != NULL && pMain != NULL && ::IsWindow(pMain->m_hWnd) && pMain->SendMessage(WM_QUERYSIZEDOCKDRAG) != 0)
            pTabs->RemoveBar(this);
        m_pDockContext->ToggleDocking();
    } else
        Default();
}

void COXSizeControlBar::OnCaptureChanged(CWnd* pWnd)
{
    // another window took the mouse: the drag is over
    if (m_bTracking && (pWnd == NULL || pWnd->m_hWnd != m_hWnd)) {
        m_bTracking = FALSE;
        m_bMaybeDrag = FALSE;
    }
    Default();
}

void COXSizeControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (!(m_dwSizeBarStyle & SZBAR_CONTEXTMENU)) {
        Default();
        return;
    }
    HMENU hMenu = ::CreatePopupMenu();
    FillMenu(hMenu);
    if (point.x == -1 && point.y == -1)
        ::GetCursorPos(&point);
    ::TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, NULL);
    ::DestroyMenu(hMenu);
}

void COXSizeControlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CControlBar::OnWindowPosChanged(lpwndpos);
    OnWindowPosChangedBar(lpwndpos);
}

LRESULT COXSizeControlBar::OnFillMenu(WPARAM, LPARAM lParam)
{
    FillMenu((HMENU)lParam);
    return 0;
}

LRESULT COXSizeControlBar::OnFloated(WPARAM, LPARAM)
{
    // the floating frame trims its system menu for the bar
    if (COXSizableMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, GetParentFrame()))
        pFrame->GetFrameKind();
    return TRUE;
}
