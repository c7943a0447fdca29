#include "OXTabWorkspace.h"

#include <unordered_map>

#include "OXTabClientWnd.h"
#include "OXTabSkin.h"

// ---------------------------------------------------------------------------
// The tick's rules
// ---------------------------------------------------------------------------
COXTabWorkspace::UpdatePlan COXTabWorkspace::PlanUpdate(const std::vector<UpdateTab>& tabs,
                                                        const std::vector<UpdateChild>& children,
                                                        HWND hWndActive, BOOL bAddNew, BOOL bIcons,
                                                        BOOL bForceRecalc)
{
    UpdatePlan plan;
    plan.bRecalc = bForceRecalc;

    // The tabs still standing, as (handle, class, text, image); gone ones
    // are dropped from the end so that the indexes before them hold.
    struct Work {
        HWND hWnd;
        const CString* pClass;
        CString sText;
        int nImage;
    };
    std::vector<Work> work;
    work.reserve(tabs.size() + children.size());
    for (const UpdateTab& tab : tabs)
        if (!tab.bGone)
            work.push_back(Work{tab.hWnd, &tab.sClass, tab.sText, tab.nImage});
    for (int i = (int)tabs.size() - 1; i >= 0; --i) {
        if (tabs[i].bGone) {
            plan.steps.push_back(UpdateStep{UpdateStep::remove, i, -1});
            plan.bRecalc = TRUE;
        }
    }

    // Each child is looked up once, by handle; its class must match too.
    std::unordered_map<HWND, int> index;
    index.reserve(work.size() * 2 + 1);
    for (int i = (int)work.size() - 1; i >= 0; --i)
        index[work[i].hWnd] = i;
    auto find = [&](const UpdateChild& child) {
        auto it = index.find(child.hWnd);
        return it != index.end() && *work[it->second].pClass == child.sClass ? it->second : -1;
    };

    int nSelect = -1;
    for (int nChild = 0; nChild < (int)children.size(); ++nChild) {
        const UpdateChild& child = children[nChild];
        const int nTab = find(child);
        if (nTab >= 0 && child.bVisible) {
            if (child.hWnd == hWndActive)
                nSelect = nTab;
            if (work[nTab].sText != child.sText) {
                work[nTab].sText = child.sText;
                plan.steps.push_back(UpdateStep{UpdateStep::setText, nTab, nChild});
                plan.bRecalc = TRUE;
            }
            if (bIcons && work[nTab].nImage != child.nImage) {
                work[nTab].nImage = child.nImage;
                plan.steps.push_back(UpdateStep{UpdateStep::setImage, nTab, nChild});
            }
        } else if (nTab >= 0) {
            plan.steps.push_back(UpdateStep{UpdateStep::remove, nTab, nChild});
            work.erase(work.begin() + nTab);
            index.erase(child.hWnd);
            for (auto& entry : index)
                if (entry.second > nTab)
                    --entry.second;
            if (nSelect > nTab)
                --nSelect;
            plan.bRecalc = TRUE;
        } else if (bAddNew && child.bVisible && child.bMDIChild) {
            const int nNew = (int)work.size();
            plan.steps.push_back(UpdateStep{UpdateStep::append, nNew, nChild});
            work.push_back(Work{child.hWnd, &child.sClass, child.sText, child.nImage});
            index[child.hWnd] = nNew;
            // A child created since the last tick is often the active one:
            // its new tab is selected at once rather than a tick later.
            if (child.hWnd == hWndActive)
                nSelect = nNew;
            plan.bRecalc = TRUE;
        }
    }
    plan.nSelect = nSelect;
    return plan;
}

CString COXTabWorkspace::TabItemText(const CString& sText)
{
    CString s(sText);
    s.Replace("&", "&&");
    return s;
}

CRect COXTabWorkspace::ShrinkByMargin(const RECT& rect, int nMargin)
{
    CRect rc(rect);
    if (rc.Width() > 2 * nMargin) {
        rc.left += nMargin;
        rc.right -= nMargin;
    } else {
        rc.left = rc.right;
    }
    if (rc.Height() > 2 * nMargin) {
        rc.top += nMargin;
        rc.bottom -= nMargin;
    } else {
        rc.top = rc.bottom;
    }
    return rc;
}

// ---------------------------------------------------------------------------
// Drop target
// ---------------------------------------------------------------------------
DROPEFFECT COXTabWorkspaceDropTarget::OnDragOver(CWnd* pWnd, COleDataObject*, DWORD, CPoint point)
{
    COXTabWorkspace* pTab = DYNAMIC_DOWNCAST(COXTabWorkspace, pWnd);
    if (pTab != NULL && ::IsWindow(pTab->GetSafeHwnd()) && pTab->m_bActivateOnDragOver) {
        TCHITTESTINFO hti = {};
        hti.pt = point;
        const int nTab = pTab->HitTest(&hti);
        if (nTab != -1 && nTab != m_nLastTab) {
            HWND hWndChild = pTab->GetTabWindow(nTab);
            CMDIFrameWnd* pFrame = pTab->GetMDIFrame();
            if (hWndChild != NULL && pFrame != NULL)
                pFrame->MDIActivate(CWnd::FromHandle(hWndChild));
            m_nLastTab = nTab;
        }
    }
    return DROPEFFECT_NONE;
}

void COXTabWorkspaceDropTarget::OnDragLeave(CWnd* pWnd)
{
    m_nLastTab = -1;
    COleDropTarget::OnDragLeave(pWnd);
}

// ---------------------------------------------------------------------------
// COXTabWorkspace
// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(COXTabWorkspace, COXSkinnedTabCtrl)

BEGIN_MESSAGE_MAP(COXTabWorkspace, COXSkinnedTabCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

COXTabWorkspace::COXTabWorkspace()
    : m_nOffset(1), m_bActivateOnDragOver(TRUE), m_pTabClientWnd(NULL)
{
}

COXTabWorkspace::~COXTabWorkspace()
{
    m_dropTarget.Revoke();
    m_imageList.DeleteImageList();
}

CString COXTabWorkspace::WindowClass(HWND hWnd)
{
    char szClass[512] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

int COXTabWorkspace::FindTab(HWND hWnd) const
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return -1;
    CString sClass;
    BOOL bClassRead = FALSE;
    for (int i = 0; i < (int)m_arrTabs.GetSize(); ++i) {
        if (m_arrTabs[i].hWnd != hWnd)
            continue;
        if (!bClassRead) {
            sClass = WindowClass(hWnd);
            bClassRead = TRUE;
        }
        if (m_arrTabs[i].sWndClass == sClass)
            return i;
    }
    return -1;
}

HWND COXTabWorkspace::GetTabWindow(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_arrTabs.GetSize())
        return NULL;
    const TAB_ITEM_ENTRY& entry = m_arrTabs[nIndex];
    return ::IsWindow(entry.hWnd) && WindowClass(entry.hWnd) == entry.sWndClass ? entry.hWnd : NULL;
}

CMDIFrameWnd* COXTabWorkspace::GetMDIFrame() const
{
    return m_pTabClientWnd != NULL ? m_pTabClientWnd->m_pMDIFrame : NULL;
}

CString COXTabWorkspace::GetTabText(CWnd* pChildWnd)
{
    HWND hWnd = pChildWnd->GetSafeHwnd();
    if (hWnd == NULL)
        return CString();
    LPCTSTR lpszText = (LPCTSTR)::SendMessage(hWnd, WM_GETTABTEXT, 0, 0);
    if (lpszText != NULL && *lpszText != '\0')
        return lpszText;
    char szText[512] = "";
    ::GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

HICON COXTabWorkspace::GetChildIcon(HWND hWnd)
{
    HICON hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICON);
    return hIcon;
}

int COXTabWorkspace::GetChildImage(HWND hWnd)
{
    HICON hIcon = GetChildIcon(hWnd);
    if (hIcon == NULL)
        return -1;
    for (int i = 0; i < (int)m_arrIcons.GetSize(); ++i)
        if (m_arrIcons[i] == hIcon)
            return i;
    if (m_imageList.GetSafeHandle() == NULL || m_imageList.Add(hIcon) < 0)
        return -1;
    return (int)m_arrIcons.Add(hIcon);
}

void COXTabWorkspace::RecalcFrame()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
        pFrame->RecalcLayout();
}

BOOL COXTabWorkspace::AddTab(int nIndex, CWnd* pChildWnd, BOOL bRecalc, BOOL bOnlyVisible)
{
    HWND hWnd = pChildWnd->GetSafeHwnd();
    if (m_hWnd == NULL || hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;
    if (!(::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD))
        return FALSE;
    if (bOnlyVisible && !(::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE))
        return FALSE;
    const int nCount = (int)m_arrTabs.GetSize();
    nIndex = nIndex < 0 ? 0 : nIndex > nCount ? nCount : nIndex;

    TAB_ITEM_ENTRY entry;
    entry.sWndClass = WindowClass(hWnd);
    entry.sText = GetTabText(pChildWnd);
    entry.hWnd = hWnd;
    entry.bValid = TRUE;
    if (!InsertItem(TCIF_TEXT | TCIF_IMAGE, nIndex, TabItemText(entry.sText), GetChildImage(hWnd), 0))
        return FALSE;
    if (nCount == 0 && bRecalc)
        Invalidate();
    m_arrTabs.InsertAt(nIndex, entry);
    if (bRecalc)
        RecalcFrame();
    return TRUE;
}

BOOL COXTabWorkspace::RemoveTab(CWnd* pChildWnd, BOOL bRecalc)
{
    const int nTab = FindTab(pChildWnd);
    if (nTab < 0)
        return FALSE;
    DeleteItem(nTab);
    m_arrTabs.RemoveAt(nTab);
    if (bRecalc)
        RecalcFrame();
    return TRUE;
}

void COXTabWorkspace::UpdateContents(BOOL bAddNewWindows, BOOL bUpdateWindowsInfo)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL || m_hWnd == NULL)
        return;

    // The children, in Z order from the first of the active child's
    // siblings; each read once.
    std::vector<UpdateChild> children;
    HWND hWndActive = (HWND)::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
    if (hWndActive != NULL) {
        children.reserve(m_arrTabs.GetSize() + 4);
        for (HWND hWnd = ::GetWindow(hWndActive, GW_HWNDFIRST); hWnd != NULL;
             hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
            UpdateChild child;
            child.hWnd = hWnd;
            child.sClass = WindowClass(hWnd);
            child.sText = GetTabText(CWnd::FromHandle(hWnd));
            child.bVisible = (::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
            child.bMDIChild = (::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
            child.nImage = bUpdateWindowsInfo && child.bVisible ? GetChildImage(hWnd) : -1;
            children.push_back(child);
        }
    }
    std::unordered_map<HWND, const UpdateChild*> walked;
    walked.reserve(children.size() * 2 + 1);
    for (const UpdateChild& child : children)
        walked[child.hWnd] = &child;

    std::vector<UpdateTab> tabs;
    tabs.reserve(m_arrTabs.GetSize());
    for (int i = 0; i < (int)m_arrTabs.GetSize(); ++i) {
        const TAB_ITEM_ENTRY& entry = m_arrTabs[i];
        UpdateTab tab;
        tab.hWnd = entry.hWnd;
        tab.sClass = entry.sWndClass;
        tab.sText = entry.sText;
        tab.nImage = -1;
        if (bUpdateWindowsInfo) {
            TCITEMA item = {};
            item.mask = TCIF_IMAGE;
            if (GetItem(i, &item))
                tab.nImage = item.iImage;
        }
        // A window not among the children is checked on its own: one
        // destroyed without the MDI client knowing leaves its tab here.
        auto it = walked.find(entry.hWnd);
        tab.bGone = it != walked.end() ? FALSE
                                       : !::IsWindow(entry.hWnd) || WindowClass(entry.hWnd) != entry.sWndClass;
        tabs.push_back(tab);
    }

    const UpdatePlan plan = PlanUpdate(tabs, children, hWndActive, bAddNewWindows, bUpdateWindowsInfo,
                                       m_pTabClientWnd->m_bForceToRecalc);
    for (const UpdateStep& step : plan.steps) {
        switch (step.nKind) {
        case UpdateStep::remove:
            DeleteItem(step.nTab);
            m_arrTabs.RemoveAt(step.nTab);
            break;
        case UpdateStep::setText: {
            m_arrTabs[step.nTab].sText = children[step.nChild].sText;
            CString sItem = TabItemText(children[step.nChild].sText);
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = sItem.GetBuffer();
            SetItem(step.nTab, &item);
            sItem.ReleaseBuffer();
            break;
        }
        case UpdateStep::setImage: {
            TCITEMA item = {};
            item.mask = TCIF_IMAGE;
            item.iImage = children[step.nChild].nImage;
            SetItem(step.nTab, &item);
            break;
        }
        case UpdateStep::append:
            AddTab((int)m_arrTabs.GetSize(), CWnd::FromHandle(children[step.nChild].hWnd), FALSE, TRUE);
            break;
        }
    }

    if (plan.nSelect != -1 && plan.nSelect != GetCurSel()) {
        SetCurSel(plan.nSelect);
        RecalcFrame();
    } else if (plan.bRecalc) {
        RecalcFrame();
    }
    if (m_pTabClientWnd != NULL)
        m_pTabClientWnd->m_bForceToRecalc = FALSE;
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------
int COXTabWorkspace::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COXSkinnedTabCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (SetTimer(IDT_OXTABWORKSPACE_UPDATE, 500, NULL) == 0)
        return -1;
    if (!m_imageList.Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR8 | ILC_MASK,
                            4, 4))
        return -1;
    SetImageList(&m_imageList);
    SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    // Without OLE there is no drag to follow; the tabs work all the same.
    m_dropTarget.Register(this);
    return 0;
}

void COXTabWorkspace::OnDestroy()
{
    COXSkinnedTabCtrl::OnDestroy();
    m_dropTarget.Revoke();
    m_dropTarget.m_nLastTab = -1;
    KillTimer(IDT_OXTABWORKSPACE_UPDATE);
    m_imageList.DeleteImageList();
    m_arrIcons.RemoveAll();
    m_arrTabs.RemoveAll();
}

void COXTabWorkspace::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_OXTABWORKSPACE_UPDATE)
        UpdateContents(TRUE, FALSE);
    else
        COXSkinnedTabCtrl::OnTimer(nIDEvent);
}

void COXTabWorkspace::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    COXSkinnedTabCtrl::OnNcCalcSize(bCalcValidRects, lpncsp);
    lpncsp->rgrc[0] = ShrinkByMargin(lpncsp->rgrc[0], m_nOffset);
}

void COXTabWorkspace::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc());
    GetTabSkin()->DrawBorder(&dc, rectWindow, this);
}

BOOL COXTabWorkspace::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetWindowRect(&rect);
    ScreenToClient(&rect);
    rect.right += m_nOffset;
    rect.bottom += m_nOffset;
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void COXTabWorkspace::OnSelChange(NMHDR*, LRESULT* pResult)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    HWND hWndChild = GetTabWindow(GetCurSel());
    if (pFrame != NULL && hWndChild != NULL)
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)hWndChild, 0);
    RecalcFrame();
    *pResult = 0;
}

void COXTabWorkspace::OnLButtonDblClk(UINT, CPoint)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    HWND hWndChild = GetTabWindow(GetCurSel());
    if (pFrame == NULL || hWndChild == NULL)
        return;
    BOOL bMaximized = FALSE;
    HWND hWndActive = (HWND)::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
    if (hWndActive == hWndChild && bMaximized)
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)hWndChild, 0);
    else
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)hWndChild, 0);
}
