#include "OX3DTabViewContainer.h"

#include "OXTabSkin.h"

IMPLEMENT_DYNAMIC(COX3DTabViewContainer, COXSkinnedTabCtrl)

namespace {
// The style CreateTabCtrl gets from Create: child, visible, tabs along the
// bottom in as many rows as they need, hot-tracked, never taking the focus.
const DWORD dwContainerStyle = WS_CHILD | WS_VISIBLE | TCS_FOCUSNEVER | TCS_MULTILINE | TCS_HOTTRACK | TCS_BOTTOM;
// A lone tab keeps this much of the strip free, else an empty tab follows.
const int nLoneTabRoom = 50;
}   // namespace

// ---------------------------------------------------------------------------
// COX3DTabViewDropTarget
// ---------------------------------------------------------------------------

COX3DTabViewDropTarget::COX3DTabViewDropTarget() : m_nLastHoverTab(-1), m_bSwitchOnDragOver(TRUE) {}

DROPEFFECT COX3DTabViewDropTarget::OnDragOver(CWnd* pWnd, COleDataObject*, DWORD, CPoint point)
{
    COX3DTabViewContainer* pContainer = DYNAMIC_DOWNCAST(COX3DTabViewContainer, pWnd);
    if (pContainer == NULL || !m_bSwitchOnDragOver)
        return DROPEFFECT_NONE;
    TCHITTESTINFO info = {};
    info.pt = point;
    const int nTab = pContainer->HitTest(&info);
    if (nTab >= 0 && nTab != m_nLastHoverTab && nTab < pContainer->GetPageCount()) {
        pContainer->SetActivePageIndex(nTab);
        m_nLastHoverTab = nTab;
    }
    return DROPEFFECT_NONE;
}

// ---------------------------------------------------------------------------
// COX3DTabViewContainer
// ---------------------------------------------------------------------------

COX3DTabViewContainer::COX3DTabViewContainer()
    : m_bDummyTab(FALSE), m_nOffsetExternal(0), m_nOffsetInternal(0), m_nActivePageIndex(-1),
      m_bErasingNonClient(FALSE), m_rectPage(0, 0, 0, 0)
{
    m_arrUniqueIds.Add(1);
}

COX3DTabViewContainer::~COX3DTabViewContainer() {}

BOOL COX3DTabViewContainer::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                   CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (lpszClassName != NULL && lstrcmpiA(lpszClassName, WC_TABCONTROLA) == 0) {
        if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
            return FALSE;
        SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        // OLE may be off in this program: tabs then just do not follow drags
        m_dropTarget.Register(this);
        return TRUE;
    }
    if (!CreateTabCtrl(pParentWnd, rect, dwContainerStyle, nID))
        return FALSE;
    SetWindowText(lpszWindowName);
    return TRUE;
}

BOOL COX3DTabViewContainer::CreateTabCtrl(CWnd* pParentWnd, const RECT& rect, DWORD dwStyle, UINT nID)
{
    return Create(WC_TABCONTROLA, NULL, dwStyle, rect, pParentWnd, nID, NULL);
}

int COX3DTabViewContainer::GetPageCount() const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    return GetItemCount() - (m_bDummyTab ? 1 : 0);
}

CWnd* COX3DTabViewContainer::GetPage(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPageCount())
        return NULL;
    TCITEM item = {};
    item.mask = TCIF_PARAM;
    if (!GetItem(nIndex, &item))
        return NULL;
    return (CWnd*)item.lParam;
}

BOOL COX3DTabViewContainer::FindPage(HWND hWnd, int& nIndex) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        CWnd* pPage = GetPage(i);
        if (pPage != NULL && pPage->m_hWnd == hWnd) {
            nIndex = i;
            return TRUE;
        }
    }
    return FALSE;
}

void COX3DTabViewContainer::DropDummyTab()
{
    if (m_bDummyTab && ::IsWindow(m_hWnd)) {
        DeleteItem(GetItemCount() - 1);
        m_bDummyTab = FALSE;
    }
}

BOOL COX3DTabViewContainer::InsertPage(int nIndex, CWnd* pWnd, LPCTSTR lpszTitle, int nImage, DWORD dwExStyle,
                                       BOOL bActivate)
{
    if (nIndex < 0 || nIndex > GetPageCount() || pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    // the empty tab serves a lone page only
    DropDummyTab();
    pWnd->SetParent(this);
    TCITEM item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM | (nImage >= 0 ? TCIF_IMAGE : 0);
    item.pszText = (LPTSTR)(lpszTitle != NULL ? lpszTitle : "");
    item.iImage = nImage;
    item.lParam = (LPARAM)pWnd;
    if (InsertItem(nIndex, &item) < 0)
        return FALSE;
    if (nIndex <= m_nActivePageIndex) {
        ++m_nActivePageIndex;   // it keeps naming the same page
        SetCurSel(m_nActivePageIndex);
    }
    if (dwExStyle != 0)
        pWnd->ModifyStyleEx(0, dwExStyle, SWP_FRAMECHANGED);
    pWnd->ModifyStyle(0, WS_TABSTOP);
    if (bActivate)
        SetActivePageIndex(nIndex);
    else if (nIndex != m_nActivePageIndex)
        pWnd->ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL COX3DTabViewContainer::InsertPage(int nIndex, CRuntimeClass* pClass, CCreateContext* pContext,
                                       LPCTSTR lpszTitle, int nImage, DWORD dwExStyle, BOOL bActivate)
{
    if (pClass == NULL || nIndex < 0 || nIndex > GetPageCount())
        return FALSE;
    CCreateContext context;
    if (pContext == NULL) {
        CView* pActiveView = DYNAMIC_DOWNCAST(CView, GetActivePage());
        if (pActiveView != NULL) {
            context.m_pCurrentDoc = pActiveView->GetDocument();
            if (context.m_pCurrentDoc != NULL)
                context.m_pNewDocTemplate = context.m_pCurrentDoc->GetDocTemplate();
            context.m_pLastView = pActiveView;
            pContext = &context;
        }
    }
    CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pClass->CreateObject());
    if (pWnd == NULL)
        return FALSE;
    // the old look framed every page; the flat one leaves that to the tabs
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | (afxData.bWin4 ? 0 : WS_BORDER);
    if (!pWnd->Create(NULL, NULL, dwStyle, CRect(0, 0, 0, 0), this, GetUniqueId(), pContext))
        return FALSE;   // a window that failed its creation deletes itself
    if (!InsertPage(nIndex, pWnd, lpszTitle, nImage, dwExStyle, bActivate)) {
        pWnd->DestroyWindow();
        return FALSE;
    }
    if (pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        pWnd->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

BOOL COX3DTabViewContainer::DeletePage(int nIndex, BOOL bDestroy)
{
    const int nPages = GetPageCount();
    if (nIndex < 0 || nIndex >= nPages)
        return FALSE;
    CWnd* pPage = GetPage(nIndex);
    const BOOL bWasActive = nIndex == m_nActivePageIndex;
    if (bWasActive)
        SetActivePageIndex(nIndex + 1 < nPages ? nIndex + 1 : (nPages > 1 ? 0 : -1));
    if (bDestroy && pPage != NULL && ::IsWindow(pPage->m_hWnd)) {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL && pFrame->GetActiveView() == (CView*)pPage)
            pFrame->SetActiveView(NULL);
        // an id goes back only when this container handed it out and it is
        // not back already: a page's own id could otherwise go to two pages
        const DWORD nID = (DWORD)pPage->GetDlgCtrlID();
        BOOL bKnown = FALSE;
        for (INT_PTR i = 0; i < m_arrUniqueIds.GetSize(); ++i)
            bKnown |= m_arrUniqueIds[i] == nID;
        if (nID != 0 && nID < m_arrUniqueIds[0] && !bKnown)
            m_arrUniqueIds.Add(nID);
        pPage->DestroyWindow();
    }
    DeleteItem(nIndex);
    if (bWasActive) {
        if (m_nActivePageIndex > 0)
            --m_nActivePageIndex;
    } else if (nIndex < m_nActivePageIndex) {
        --m_nActivePageIndex;
    }
    if (GetPageCount() == 0)
        DropDummyTab();
    SetCurSel(m_nActivePageIndex);
    RecalcLayout();
    return TRUE;
}

BOOL COX3DTabViewContainer::DeletePage(CWnd* pWnd, BOOL bDestroy)
{
    int nIndex = -1;
    if (pWnd == NULL || !FindPage(pWnd->m_hWnd, nIndex))
        return FALSE;
    return DeletePage(nIndex, bDestroy);
}

BOOL COX3DTabViewContainer::SetActivePageIndex(int nIndex)
{
    if (nIndex == m_nActivePageIndex)
        return TRUE;
    const HWND hFocus = ::GetFocus();
    const BOOL bFocusInside = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    CWnd* pOld = GetActivePage();
    if (pOld != NULL && ::IsWindow(pOld->m_hWnd))
        pOld->ShowWindow(SW_HIDE);
    if (nIndex < 0 || nIndex >= GetPageCount()) {
        m_nActivePageIndex = -1;
        SetCurSel(-1);
        return FALSE;
    }
    m_nActivePageIndex = nIndex;
    SetCurSel(nIndex);
    CWnd* pNew = GetPage(nIndex);
    if (pNew == NULL || !::IsWindow(pNew->m_hWnd))
        return TRUE;
    RecalcLayout();
    pNew->ShowWindow(SW_SHOW);
    if (bFocusInside)
        pNew->SetFocus();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
    if (pFrame == NULL)
        pFrame = GetParentFrame();
    if (pFrame != NULL) {
        if (pNew->IsKindOf(RUNTIME_CLASS(CView)))
            pFrame->SetActiveView((CView*)pNew);
        else if (pOld != NULL && pOld->IsKindOf(RUNTIME_CLASS(CView)))
            pFrame->SetActiveView(NULL);
    }
    pNew->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

DWORD COX3DTabViewContainer::GetUniqueId()
{
    const INT_PTR nLast = m_arrUniqueIds.GetSize() - 1;
    const DWORD nID = m_arrUniqueIds[nLast];
    if (nLast == 0)
        m_arrUniqueIds[0] = nID + 1;
    else
        m_arrUniqueIds.RemoveAt(nLast);
    return nID;
}

CRect COX3DTabViewContainer::CalcPageRect()
{
    CRect rect;
    GetWindowRect(&rect);
    ScreenToClient(&rect);
    rect.DeflateRect(m_nOffsetExternal, m_nOffsetExternal);
    if (!rect.IsRectEmpty()) {
        const int nTabs = GetItemCount();
        const BOOL bOneRealTab = (nTabs == 1 && !m_bDummyTab) || (nTabs == 2 && m_bDummyTab);
        BOOL bAdjusted = FALSE;
        if (bOneRealTab) {
            CRect rectTab;
            GetItemRect(nTabs - 1, &rectTab);
            if (rectTab.Width() + nLoneTabRoom < rect.Width()) {
                DropDummyTab();
                AdjustRect(FALSE, &rect);
                rect.InflateRect(m_nOffsetInternal, m_nOffsetInternal);
                bAdjusted = TRUE;
            } else if (nTabs == 1) {
                TCITEM item = {};
                item.mask = TCIF_TEXT | TCIF_PARAM;
                item.pszText = (LPTSTR) "";
                InsertItem(1, &item);
                m_bDummyTab = TRUE;
            }
        }
        if (!bAdjusted) {
            AdjustRect(FALSE, &rect);
            rect.DeflateRect(m_nOffsetInternal, m_nOffsetInternal);
        }
    }
    rect.left += 1;
    rect.top += 1;
    rect.right -= 1;
    rect.bottom -= 2;
    RECT r = rect;
    GetTabSkin()->AdjustRect(r, 4, this);
    return CRect(r);
}

void COX3DTabViewContainer::RecalcLayout()
{
    CWnd* pPage = GetActivePage();
    if (pPage == NULL || !::IsWindow(pPage->m_hWnd))
        return;
    m_rectPage = CalcPageRect();
    pPage->MoveWindow(&m_rectPage, TRUE);
}

BEGIN_MESSAGE_MAP(COX3DTabViewContainer, COXSkinnedTabCtrl)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, OnSelChange)
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int COX3DTabViewContainer::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COXSkinnedTabCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    return 0;
}

void COX3DTabViewContainer::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    Default();
    RECT& r = lpncsp->rgrc[0];
    const int d = m_nOffsetExternal;
    if (2 * d < r.right - r.left) {
        r.left += d;
        r.right -= d;
    } else {
        r.right = r.left;
    }
    if (2 * d < r.bottom - r.top) {
        r.top += d;
        r.bottom -= d;
    } else {
        r.bottom = r.top;
    }
}

void COX3DTabViewContainer::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    m_bErasingNonClient = TRUE;
    SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC);
    m_bErasingNonClient = FALSE;
    if (GetExStyle() & WS_EX_CLIENTEDGE)
        dc.Draw3dRect(&rectWindow, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

BOOL COX3DTabViewContainer::OnEraseBkgnd(CDC* pDC)
{
    if (GetItemCount() > 0 && !m_bErasingNonClient && GetActivePage() != NULL)
        pDC->ExcludeClipRect(&m_rectPage);
    CRect rect;
    GetWindowRect(&rect);
    if (m_bErasingNonClient)
        rect.OffsetRect(-rect.left, -rect.top);   // a window DC
    else
        rect.OffsetRect(-rect.left - m_nOffsetExternal, -rect.top - m_nOffsetExternal);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void COX3DTabViewContainer::OnSize(UINT nType, int cx, int cy)
{
    COXSkinnedTabCtrl::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
}

BOOL COX3DTabViewContainer::OnSelChange(NMHDR*, LRESULT* pResult)
{
    const int nSel = GetCurSel();
    if (nSel >= GetPageCount())
        SetCurSel(m_nActivePageIndex);   // the empty tab is no page
    else
        SetActivePageIndex(nSel);
    *pResult = 0;
    return FALSE;
}

void COX3DTabViewContainer::OnSetFocus(CWnd* pOldWnd)
{
    COXSkinnedTabCtrl::OnSetFocus(pOldWnd);
    CWnd* pPage = GetActivePage();
    if (pPage != NULL && ::IsWindow(pPage->m_hWnd))
        pPage->SetFocus();
}

void COX3DTabViewContainer::OnDestroy()
{
    m_nActivePageIndex = -1;
    CFrameWnd* pFrame = GetParentFrame();
    int nActive = -1;
    if (pFrame != NULL && pFrame->GetActiveView() != NULL && FindPage(pFrame->GetActiveView()->m_hWnd, nActive))
        pFrame->SetActiveView(NULL);
    for (int i = GetPageCount() - 1; i >= 0; --i) {
        CWnd* pPage = GetPage(i);
        DeleteItem(i);
        if (pPage != NULL && ::IsWindow(pPage->m_hWnd))
            pPage->DestroyWindow();
    }
    m_dropTarget.Revoke();
    COXSkinnedTabCtrl::OnDestroy();
}
