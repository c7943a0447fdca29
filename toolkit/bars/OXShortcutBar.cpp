#include "OXShortcutBar.h"

#include <windowsx.h>

#include <algorithm>

#include "OXSHBListCtrl.h"
#include "toolkit_res.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(COXShortcutBar, CWnd)

BEGIN_MESSAGE_MAP(COXShortcutBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_NCHITTEST()
    ON_WM_CONTEXTMENU()
    ON_WM_CAPTURECHANGED()
    ON_WM_KEYDOWN()
    ON_WM_CANCELMODE()
    ON_MESSAGE(SHBDTM_DRAGOVER, OnDropTargetDragOver)
    ON_MESSAGE(SHBDTM_DRAGLEAVE, OnDropTargetDragLeave)
    ON_NOTIFY_EX(SHBN_ENDEDIT, 0xFFFF, OnHeaderEditEnd)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFFFFFF, OnToolTipTextA)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFFFFFF, OnToolTipTextW)
    ON_COMMAND(SHB_IDMLARGEICON, OnLargeIcon)
    ON_COMMAND(SHB_IDMSMALLICON, OnSmallIcon)
    ON_COMMAND(SHB_IDMADDNEWGROUP, OnAddNewGroup)
    ON_COMMAND(SHB_IDMREMOVEGROUP, OnRemoveGroup)
    ON_COMMAND(SHB_IDMRENAMEGROUP, OnRenameGroup)
    ON_COMMAND(SHB_IDMREMOVEITEM, OnRemoveItem)
    ON_COMMAND(SHB_IDMRENAMEITEM, OnRenameItem)
    ON_UPDATE_COMMAND_UI(SHB_IDMLARGEICON, OnUpdateLargeIcon)
    ON_UPDATE_COMMAND_UI(SHB_IDMSMALLICON, OnUpdateSmallIcon)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------
// The group set as the bar sees it
// ---------------------------------------------------------------------------
int COXShortcutBar::CGroupSet::GetImageCount() const
{
    return m_pBar != NULL && m_pBar->m_pImageList != NULL && m_pBar->m_pImageList->GetSafeHandle() != NULL
               ? m_pBar->m_pImageList->GetImageCount()
               : -1;
}

BOOL COXShortcutBar::CGroupSet::IsChildWindow(HWND hWnd) const
{
    return m_pBar != NULL && hWnd != NULL && ::IsWindow(hWnd) && (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) &&
           ::GetParent(hWnd) == m_pBar->GetSafeHwnd();
}

HSHBGROUP COXShortcutBar::CGroupSet::GenerateHandle()
{
    return m_pBar != NULL ? m_pBar->GenerateGroupHandle() : GenerateNext();
}

// ---------------------------------------------------------------------------
// Construction
// ---------------------------------------------------------------------------
COXShortcutBar::COXShortcutBar()
    : m_pImageList(NULL), m_hDropTargetGroup(NULL), m_hExpandedGroup(NULL), m_hEditGroup(NULL),
      m_hContextMenuGroup(NULL), m_hDragGroup(NULL), m_hPressedGroup(NULL), m_nSortOrder(0), m_dwBarStyle(0),
      m_rectChildWnd(0, 0, 0, 0), m_nGroupMargin(0), m_rectChildMargins(5, 5, 5, 5), m_sizeScrollButton(16, 16),
      m_nScrollingDelay(200), m_nAutoScrollingDelay(400), m_nAutoExpandDelay(800), m_bCreatingDragImage(FALSE),
      m_pDragImage(NULL), m_ptDragHotSpot(0, 0), m_hPressGroup(NULL), m_nPressTimer(0), m_nExpandTimer(0),
      m_nHotTimer(0), m_hPendingExpand(NULL), m_hHotGroup(NULL), m_pOwnSkin(NULL)
{
    m_groups.m_pBar = this;
    if (!m_font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif"))
        AfxThrowMemoryException();
}

COXShortcutBar::~COXShortcutBar()
{
    if (::IsWindow(m_hWnd))
        DeleteAllGroups();
    m_groups.RemoveAll();
    for (auto& entry : m_mapLists)
        delete entry.second;
    m_mapLists.clear();
    m_mapHeaderRects.clear();
    delete m_pDragImage;
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    delete m_pOwnSkin;
}

BOOL COXShortcutBar::Create(CWnd* pParentWnd, const RECT& rect, DWORD dwBarStyle, UINT nID, DWORD dwStyle,
                            DWORD dwExStyle)
{
    WNDCLASS wc = {};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!::GetClassInfo(hInst, "OXShortcutBar", &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = "OXShortcutBar";
        if (!AfxRegisterClass(&wc))
            return FALSE;
    }
    if (!CreateEx(dwExStyle, "OXShortcutBar", "", dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    if (!SetBarStyle(dwBarStyle))
        return FALSE;
    return InitShortcutBar();
}

void COXShortcutBar::PreSubclassWindow()
{
    // An existing window (a dialog's custom control) rather than one created here.
    if (AfxGetThreadState()->m_pWndInit == NULL) {
        m_dwBarStyle = 0x20F;
        InitShortcutBar();
    }
    CWnd::PreSubclassWindow();
}

BOOL COXShortcutBar::InitShortcutBar()
{
    if (!CreateEditControl())
        return FALSE;
    EnableToolTips(TRUE);
    m_nHotTimer = SetTimer(SHB_IDT_HOTTRACK, 500, NULL);
    COleDropTarget* pTarget = GetDropTarget();
    if (pTarget != NULL)
        pTarget->Register(this);
    return TRUE;
}

BOOL COXShortcutBar::CreateEditControl()
{
    if (::IsWindow(m_edit.GetSafeHwnd()))
        return TRUE;
    return m_edit.Create(WS_BORDER | WS_CHILD, CRect(0, 0, 0, 0), this, 0xFFFF);
}

COXSHBListCtrl* COXShortcutBar::NewGroupListCtrl()
{
    return new (std::nothrow) COXSHBListCtrl;
}

BOOL COXShortcutBar::CreateGroupListCtrl(HSHBGROUP hGroup)
{
    auto it = m_mapLists.find(hGroup);
    if (m_groups.Lookup(hGroup) == NULL || it == m_mapLists.end() || it->second == NULL)
        return FALSE;
    COXSHBListCtrl* pList = it->second;
    if (::IsWindow(pList->GetSafeHwnd()))
        pList->DestroyWindow();
    if (!pList->Create(LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_NOSCROLL | WS_CHILD, CRect(0, 0, 0, 0), this,
                       (UINT)(UINT_PTR)hGroup))
        return FALSE;
    pList->SendMessage(SHBM_SETSHBGROUP, 0, (LPARAM)hGroup);
    return TRUE;
}

HSHBGROUP COXShortcutBar::GenerateGroupHandle()
{
    return m_groups.GenerateNext();
}

COleDropTarget* COXShortcutBar::GetDropTarget()
{
    LPARAM lTarget = 0;
    if (OXSendSHBNotify(m_hWnd, SHBN_GETDROPTARGET, NULL, -1, lTarget) != 0 && lTarget != 0)
        return (COleDropTarget*)lTarget;
    return &m_dropTarget;
}

COXShortcutBarSkin* COXShortcutBar::GetSkin()
{
    COXShortcutBarSkin* pSkin = OXGetAppShortcutBarSkin();
    if (pSkin != NULL)
        return pSkin;
    if (m_pOwnSkin == NULL)
        m_pOwnSkin = new COXShortcutBarSkinClassic;
    return m_pOwnSkin;
}

LRESULT COXShortcutBar::SendSHBNotification(UINT nCode, HSHBGROUP hGroup, LPARAM lParam, int nItem)
{
    return OXSendSHBNotify(m_hWnd, nCode, hGroup, nItem, lParam);
}

// ---------------------------------------------------------------------------
// Groups
// ---------------------------------------------------------------------------
HSHBGROUP COXShortcutBar::InsertGroup(const SHB_GROUPINFO* pGroupInfo)
{
    if (SendSHBNotification(SHBN_INSERTGROUP, NULL, (LPARAM)pGroupInfo) != 0)
        return NULL;
    HSHBGROUP hGroup = m_groups.Insert(pGroupInfo);
    if (hGroup == NULL)
        return NULL;
    if (pGroupInfo->nMask & SHBIF_ORDER && pGroupInfo->nOrder == SHBI_SORT)
        m_nSortOrder = 1;
    SHB_GROUPINFO* pRecord = m_groups.Lookup(hGroup);
    if (pRecord->nMask & SHBIF_CHILDWND) {
        ::SendMessage(pRecord->hwndChild, SHBM_SETSHBGROUP, 0, (LPARAM)hGroup);
        CalculateLayout();
        return hGroup;
    }
    COXSHBListCtrl* pList = NewGroupListCtrl();
    if (pList == NULL) {
        m_groups.Remove(hGroup);
        return NULL;
    }
    m_mapLists[hGroup] = pList;
    if (!CreateGroupListCtrl(hGroup)) {
        DeleteGroup(hGroup);
        // A refused deletion still may not leave a group without a window.
        if (m_groups.Lookup(hGroup) != NULL) {
            m_groups.Remove(hGroup);
            delete pList;
            m_mapLists.erase(hGroup);
        }
        return NULL;
    }
    CalculateLayout();
    return hGroup;
}

HSHBGROUP COXShortcutBar::InsertGroup(LPCTSTR pszText, int nOrder, int nImage, int nImageExpanded, LPARAM lParam,
                                      int nView, LPSHB_DESCRIPTOR pDescriptor, CWnd* pChildWnd)
{
    SHB_GROUPINFO info;
    if (pszText != NULL) {
        info.nMask |= SHBIF_TEXT;
        info.pszText = (LPSTR)pszText;
        info.nTextLength = (int)strlen(pszText);
    }
    if (nOrder != -1) {
        info.nMask |= SHBIF_ORDER;
        info.nOrder = nOrder;
    }
    if (nImage != -1) {
        info.nMask |= SHBIF_IMAGE;
        info.nImage = nImage;
    }
    // Without an expanded image the group shows its image expanded too; a -1
    // here would make the whole record invalid.
    if (nImage != -1 && nImageExpanded != -1) {
        info.nMask |= SHBIF_IMAGEEXPANDED;
        info.nImageExpanded = nImageExpanded;
    }
    if (lParam != 0) {
        info.nMask |= SHBIF_PARAM;
        info.lParam = lParam;
    }
    if (nView != -1) {
        info.nMask |= SHBIF_VIEW;
        info.nView = nView;
    }
    if (pDescriptor != NULL) {
        info.nMask |= SHBIF_DESCRIPTOR;
        info.pDescriptor = pDescriptor;
    }
    if (pChildWnd != NULL) {
        info.nMask |= SHBIF_CHILDWND;
        info.hwndChild = pChildWnd->GetSafeHwnd();
    }
    return InsertGroup(&info);
}

BOOL COXShortcutBar::DeleteGroup(HSHBGROUP hGroup)
{
    if (m_groups.Lookup(hGroup) == NULL || SendSHBNotification(SHBN_DELETEGROUP, hGroup, 0) != 0)
        return FALSE;
    int nOrder = GetGroupOrder(hGroup);
    if (m_hExpandedGroup == hGroup && m_groups.GetCount() > 1) {
        // The group that takes the deleted one's place (the first, after
        // the last) opens through ExpandGroup while both still exist, so
        // that the owner may refuse it; a refusal keeps the group.
        HSHBGROUP hNext = m_groups.FindByOrder(nOrder + 1);
        if (hNext == NULL)
            hNext = m_groups.FindByOrder(0);
        ExpandGroup(hNext);
        if (m_hExpandedGroup != hNext)
            return FALSE;
    }
    CWnd* pWnd = GetGroupWindow(hGroup);
    if (pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd())) {
        pWnd->ShowWindow(SW_HIDE);
        pWnd->SendMessage(SHBM_DELETESHBGROUP, 0, 0);
    }
    if (m_hEditGroup == hGroup) {
        m_hEditGroup = NULL;
        if (m_edit.IsEditing())
            m_edit.FinishEdit(FALSE);
    }
    for (HSHBGROUP* p : {&m_hDropTargetGroup, &m_hContextMenuGroup, &m_hDragGroup, &m_hPressedGroup,
                         &m_hPressGroup, &m_hPendingExpand, &m_hHotGroup})
        if (*p == hGroup)
            *p = NULL;
    m_groups.Remove(hGroup);
    m_mapHeaderRects.erase(hGroup);
    if (m_hExpandedGroup == hGroup) {   // the last group went
        m_hExpandedGroup = NULL;
        CalculateLayout();
        if (::IsWindow(m_hWnd))
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    } else {
        CalculateLayout();
        if (m_hExpandedGroup != NULL)
            ShowGroupWindow(m_hExpandedGroup, TRUE);
        if (::IsWindow(m_hWnd))
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    auto it = m_mapLists.find(hGroup);
    if (it != m_mapLists.end()) {
        delete it->second;
        m_mapLists.erase(it);
    }
    return TRUE;
}

BOOL COXShortcutBar::DeleteAllGroups()
{
    BOOL bAll = TRUE;
    for (HSHBGROUP hGroup : m_groups.GetGroups())
        if (!DeleteGroup(hGroup))
            bAll = FALSE;
    return bAll;
}

BOOL COXShortcutBar::GetGroupInfo(HSHBGROUP hGroup, SHB_GROUPINFO* pGroupInfo, BOOL bAll)
{
    return m_groups.Get(hGroup, pGroupInfo, bAll);
}

BOOL COXShortcutBar::SetGroupInfo(HSHBGROUP hGroup, const SHB_GROUPINFO* pGroupInfo, BOOL bReplace)
{
    SHB_GROUPINFO* pRecord = m_groups.Lookup(hGroup);
    if (pRecord == NULL || pGroupInfo == NULL)
        return FALSE;
    HWND hOldChild = (pRecord->nMask & SHBIF_CHILDWND) ? pRecord->hwndChild : NULL;
    UINT nChanged = 0;
    if (!m_groups.Set(hGroup, pGroupInfo, bReplace, &nChanged))
        return FALSE;
    if (nChanged & (SHBIF_ORDER | SHBIF_DESCRIPTOR))
        CalculateLayout();
    HWND hNewChild = (pRecord->nMask & SHBIF_CHILDWND) ? pRecord->hwndChild : NULL;
    if (hNewChild != NULL && hNewChild != hOldChild) {
        if (hOldChild != NULL && ::IsWindow(hOldChild))
            ::ShowWindow(hOldChild, SW_HIDE);
        ::SendMessage(hNewChild, SHBM_SETSHBGROUP, 0, (LPARAM)hGroup);
        COXSHBListCtrl* pList = GetGroupListCtrl(hGroup);
        if (pList != NULL && ::IsWindow(pList->GetSafeHwnd()))
            pList->ShowWindow(SW_HIDE);
    } else if (hNewChild == NULL && hOldChild != NULL) {
        ::ShowWindow(hOldChild, SW_HIDE);
        if (m_mapLists.find(hGroup) == m_mapLists.end()) {
            COXSHBListCtrl* pList = NewGroupListCtrl();
            if (pList == NULL)
                return FALSE;
            m_mapLists[hGroup] = pList;
            if (!CreateGroupListCtrl(hGroup)) {
                m_mapLists.erase(hGroup);
                delete pList;
                return FALSE;
            }
        }
    }
    if (hGroup == m_hExpandedGroup && hNewChild != hOldChild)
        ShowGroupWindow(hGroup, TRUE);
    CWnd* pWnd = GetGroupWindow(hGroup);
    if (pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd()))
        pWnd->SendMessage(SHBM_GROUPINFOCHANGED, 0, (LPARAM)nChanged);
    if (::IsWindow(m_hWnd) && (nChanged & (SHBIF_TEXT | SHBIF_IMAGE | SHBIF_IMAGEEXPANDED | SHBIF_ORDER |
                                           SHBIF_DESCRIPTOR)))
        Invalidate(FALSE);
    return TRUE;
}

BOOL COXShortcutBar::SortGroups(PFNSHBCOMPARE pfnCompare, LPARAM lParamSort, int nSortOrder)
{
    m_nSortOrder = nSortOrder;
    m_groups.Sort(pfnCompare, lParamSort, nSortOrder);
    CalculateLayout();
    if (::IsWindow(m_hWnd)) {
        if (m_hExpandedGroup != NULL)
            ShowGroupWindow(m_hExpandedGroup, FALSE);
        Invalidate(FALSE);
    }
    return TRUE;
}

BOOL COXShortcutBar::SortGroups(int nSortOrder)
{
    return SortGroups(CompareGroupsByText, (LPARAM)this, nSortOrder);
}

int CALLBACK COXShortcutBar::CompareGroupsByText(HSHBGROUP hGroup1, HSHBGROUP hGroup2, LPARAM lParamSort)
{
    COXShortcutBar* pBar = (COXShortcutBar*)lParamSort;
    return COXSHBGroupSet::CompareByText(hGroup1, hGroup2, (LPARAM)&pBar->m_groups);
}

CWnd* COXShortcutBar::GetGroupWindow(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* pRecord = m_groups.Lookup(hGroup);
    if (pRecord == NULL)
        return NULL;
    if (pRecord->nMask & SHBIF_CHILDWND)
        return CWnd::FromHandle(pRecord->hwndChild);
    return GetGroupListCtrl(hGroup);
}

COXSHBListCtrl* COXShortcutBar::GetGroupListCtrl(HSHBGROUP hGroup)
{
    auto it = m_mapLists.find(hGroup);
    return it == m_mapLists.end() ? NULL : it->second;
}

BOOL COXShortcutBar::UsesGroupListCtrl(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* pRecord = m_groups.Lookup(hGroup);
    return pRecord != NULL && !(pRecord->nMask & SHBIF_CHILDWND);
}

BOOL COXShortcutBar::ScrollExpandedList(int nDeltaX, int nDeltaY)
{
    if (m_hExpandedGroup == NULL || !UsesGroupListCtrl(m_hExpandedGroup))
        return FALSE;
    COXSHBListCtrl* pList = GetGroupListCtrl(m_hExpandedGroup);
    return pList != NULL && pList->Scroll(CSize(nDeltaX, nDeltaY));
}

COXSHBEdit* COXShortcutBar::EditGroupHeader(HSHBGROUP hGroup)
{
    if (!(m_dwBarStyle & SHBS_EDITHEADERS) || m_groups.Lookup(hGroup) == NULL)
        return NULL;
    if (m_edit.IsEditing())
        m_edit.FinishEdit(TRUE);
    m_hEditGroup = NULL;
    CString sText = GetGroupText(hGroup);
    if (SendSHBNotification(SHBN_BEGINGROUPEDIT, hGroup, (LPARAM)(LPCSTR)sText) != 0)
        return NULL;
    CRect rectHeader, rectClient, rectCommon;
    GetClientRect(&rectClient);
    if (!GetGroupHeaderRect(hGroup, &rectHeader) || rectHeader.IsRectEmpty() ||
        !rectCommon.IntersectRect(&rectHeader, &rectClient) || rectCommon != rectHeader)
        return NULL;
    CFont font;
    font.CreateFontIndirect(GetGroupHeaderTextFont(hGroup));
    SHB_EDITDISPLAY display = {};
    display.nMask = SHBEIF_TEXT | SHBEIF_RECTDISPLAY | SHBEIF_STYLE | SHBEIF_SELRANGE | SHBEIF_FONT;
    display.lpText = sText;
    display.rectDisplay = rectHeader;
    display.dwStyle = WS_BORDER | ES_AUTOHSCROLL;
    display.nSelStart = 0;
    display.nSelEnd = -1;
    display.pFont = &font;
    if (!m_edit.StartEdit(&display))
        return NULL;
    m_hEditGroup = hGroup;
    return &m_edit;
}

BOOL COXShortcutBar::OnHeaderEditEnd(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    NMSHBEDIT* pNm = (NMSHBEDIT*)pNMHDR;
    HSHBGROUP hGroup = m_hEditGroup;
    *pResult = 0;
    if (hGroup == NULL || m_groups.Lookup(hGroup) == NULL) {
        m_hEditGroup = NULL;
        return TRUE;
    }
    if (pNm->bOK) {
        CString sText;
        m_edit.GetWindowText(sText);
        if (SendSHBNotification(SHBN_ENDGROUPEDIT, hGroup, (LPARAM)(LPCSTR)sText) == 0 &&
            SetGroupText(hGroup, sText))
            RedrawGroupHeader(hGroup);
    } else {
        CString sText = GetGroupText(hGroup);
        SendSHBNotification(SHBN_ENDGROUPEDIT, hGroup, (LPARAM)(LPCSTR)sText);
    }
    m_hEditGroup = NULL;
    return TRUE;
}

CEdit* COXShortcutBar::EditGroupItem(HSHBGROUP hGroup, int nItem)
{
    if (!(m_dwBarStyle & SHBS_EDITITEMS))
        return NULL;
    COXSHBListCtrl* pList = GetGroupListCtrl(hGroup);
    return pList != NULL ? pList->EditItem(nItem) : NULL;
}

int COXShortcutBar::SortGroupItems(HSHBGROUP hGroup)
{
    COXSHBListCtrl* pList = GetGroupListCtrl(hGroup);
    if (pList == NULL || !::IsWindow(pList->GetSafeHwnd()))
        return -1;
    // Sorted in place: every item is read whole (its full text, all its
    // states, its data) and written back at its new place, so nothing is cut
    // and no item is deleted on the way (owners free item data on deletion).
    struct Item
    {
        CString sText;
        LVITEM lvi;
    };
    int nCount = pList->GetItemCount();
    std::vector<Item> items(nCount);
    for (int i = 0; i < nCount; ++i) {
        items[i].sText = pList->GetItemText(i, 0);
        LVITEM& lvi = items[i].lvi;
        memset(&lvi, 0, sizeof(lvi));
        lvi.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
        lvi.iItem = i;
        lvi.stateMask = (UINT)-1;
        pList->GetItem(&lvi);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return strcmp(a.sText, b.sText) < 0; });
    for (int i = 0; i < nCount; ++i) {
        LVITEM lvi = items[i].lvi;
        lvi.mask |= LVIF_TEXT;
        lvi.iItem = i;
        lvi.iSubItem = 0;
        lvi.pszText = (LPSTR)(LPCSTR)items[i].sText;
        lvi.stateMask = (UINT)-1;
        pList->SetItem(&lvi);
    }
    pList->ItemsReordered();
    return 0;
}

// ---------------------------------------------------------------------------
// Fields
// ---------------------------------------------------------------------------
CString COXShortcutBar::GetGroupText(HSHBGROUP hGroup)
{
    return m_groups.GetText(hGroup);
}

BOOL COXShortcutBar::SetGroupText(HSHBGROUP hGroup, const CString& sText)
{
    return SetGroupText(hGroup, sText, sText.GetLength());
}

BOOL COXShortcutBar::SetGroupText(HSHBGROUP hGroup, LPCSTR pszText, int nLength)
{
    SHB_GROUPINFO info;
    info.nMask = SHBIF_TEXT;
    info.pszText = (LPSTR)pszText;
    info.nTextLength = nLength;
    return SetGroupInfo(hGroup, &info);
}

int COXShortcutBar::GetGroupImage(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* p = m_groups.Lookup(hGroup);
    return p != NULL && (p->nMask & SHBIF_IMAGE) ? p->nImage : -1;
}

BOOL COXShortcutBar::SetGroupImage(HSHBGROUP hGroup, int nImage)
{
    return SetGroupValue(hGroup, SHBIF_IMAGE, &SHB_GROUPINFO::nImage, nImage);
}

int COXShortcutBar::GetGroupImageExpanded(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* p = m_groups.Lookup(hGroup);
    if (p == NULL)
        return -1;
    return (p->nMask & SHBIF_IMAGEEXPANDED) ? p->nImageExpanded : GetGroupImage(hGroup);
}

BOOL COXShortcutBar::SetGroupImageExpanded(HSHBGROUP hGroup, int nImage)
{
    return SetGroupValue(hGroup, SHBIF_IMAGEEXPANDED, &SHB_GROUPINFO::nImageExpanded, nImage);
}

LPARAM COXShortcutBar::GetGroupData(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* p = m_groups.Lookup(hGroup);
    return p != NULL && (p->nMask & SHBIF_PARAM) ? p->lParam : 0;
}

BOOL COXShortcutBar::SetGroupData(HSHBGROUP hGroup, LPARAM lParam)
{
    return SetGroupValue(hGroup, SHBIF_PARAM, &SHB_GROUPINFO::lParam, lParam);
}

int COXShortcutBar::GetGroupOrder(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* p = m_groups.Lookup(hGroup);
    return p != NULL && (p->nMask & SHBIF_ORDER) ? p->nOrder : -1;
}

BOOL COXShortcutBar::SetGroupOrder(HSHBGROUP hGroup, int nOrder)
{
    return SetGroupValue(hGroup, SHBIF_ORDER, &SHB_GROUPINFO::nOrder, nOrder);
}

int COXShortcutBar::GetGroupView(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* p = m_groups.Lookup(hGroup);
    if (p == NULL)
        return -1;
    return (p->nMask & SHBIF_VIEW) ? p->nView : SHB_LARGEICON;
}

BOOL COXShortcutBar::SetGroupView(HSHBGROUP hGroup, int nView)
{
    if ((UINT)nView > 3)
        return FALSE;
    SHB_GROUPINFO info;
    info.nMask = SHBIF_VIEW;
    info.nView = nView;
    if (hGroup != NULL)
        return SetGroupInfo(hGroup, &info);
    BOOL bOk = TRUE;
    for (HSHBGROUP h : m_groups.GetGroups())
        bOk = SetGroupInfo(h, &info) && bOk;
    return bOk;
}

LPSHB_DESCRIPTOR COXShortcutBar::GetGroupDescriptor(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* p = m_groups.Lookup(hGroup);
    return p != NULL && (p->nMask & SHBIF_DESCRIPTOR) ? p->pDescriptor : NULL;
}

BOOL COXShortcutBar::SetGroupDescriptor(HSHBGROUP hGroup, const SHB_DESCRIPTOR* pDescriptor)
{
    SHB_GROUPINFO info;
    info.nMask = SHBIF_DESCRIPTOR;
    info.pDescriptor = (LPSHB_DESCRIPTOR)pDescriptor;
    if (hGroup != NULL)
        return SetGroupInfo(hGroup, &info);
    for (HSHBGROUP h : m_groups.GetGroups())
        if (!SetGroupInfo(h, &info))
            return FALSE;
    return TRUE;
}

CWnd* COXShortcutBar::GetGroupChildWnd(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* p = m_groups.Lookup(hGroup);
    return p != NULL && (p->nMask & SHBIF_CHILDWND) ? CWnd::FromHandle(p->hwndChild) : NULL;
}

BOOL COXShortcutBar::SetGroupChildWnd(HSHBGROUP hGroup, CWnd* pChildWnd)
{
    SHB_GROUPINFO info;
    info.nMask = SHBIF_CHILDWND;
    info.hwndChild = pChildWnd->GetSafeHwnd();
    return SetGroupInfo(hGroup, &info);
}

const SHB_DESCRIPTOR* COXShortcutBar::FindDescriptorField(HSHBGROUP hGroup, UINT nBit)
{
    LPSHB_DESCRIPTOR p = GetGroupDescriptor(hGroup);
    return p != NULL && (p->nMask & nBit) ? p : NULL;
}

BOOL COXShortcutBar::SetDescriptorField(HSHBGROUP hGroup, UINT nBit, const SHB_DESCRIPTOR& field)
{
    SHB_DESCRIPTOR desc = field;
    desc.nMask = nBit;
    return SetGroupDescriptor(hGroup, &desc);
}

COLORREF COXShortcutBar::GetGroupBkColor(HSHBGROUP hGroup)
{
    return GetDescriptorValue(hGroup, SHBIF_CLRBACK, &SHB_DESCRIPTOR::clrBackground,
                              GetSkin()->GetBackgroundColor(this), (COLORREF)-1);
}

BOOL COXShortcutBar::SetGroupBkColor(HSHBGROUP hGroup, COLORREF clr)
{
    return SetDescriptorValue(hGroup, SHBIF_CLRBACK, &SHB_DESCRIPTOR::clrBackground, clr);
}

BOOL COXShortcutBar::HasGroupBkColor(HSHBGROUP hGroup)
{
    return FindDescriptorField(hGroup, SHBIF_CLRBACK) != NULL;
}

COLORREF COXShortcutBar::GetGroupTextColor(HSHBGROUP hGroup)
{
    return GetDescriptorValue(hGroup, SHBIF_CLRTEXT, &SHB_DESCRIPTOR::clrText,
                              GetSkin()->GetTextColor(), (COLORREF)-1);
}

BOOL COXShortcutBar::SetGroupTextColor(HSHBGROUP hGroup, COLORREF clr)
{
    return SetDescriptorValue(hGroup, SHBIF_CLRTEXT, &SHB_DESCRIPTOR::clrText, clr);
}

COLORREF COXShortcutBar::GetGroupHeaderBkColor(HSHBGROUP hGroup)
{
    return GetDescriptorValue(hGroup, SHBIF_HDRCLRBACK, &SHB_DESCRIPTOR::clrHeaderBackground,
                              (COLORREF)::GetSysColor(COLOR_BTNFACE), (COLORREF)-1);
}

BOOL COXShortcutBar::SetGroupHeaderBkColor(HSHBGROUP hGroup, COLORREF clr)
{
    return SetDescriptorValue(hGroup, SHBIF_HDRCLRBACK, &SHB_DESCRIPTOR::clrHeaderBackground, clr);
}

COLORREF COXShortcutBar::GetGroupHeaderTextColor(HSHBGROUP hGroup)
{
    return GetDescriptorValue(hGroup, SHBIF_HDRCLRTEXT, &SHB_DESCRIPTOR::clrHeaderText,
                              (COLORREF)::GetSysColor(COLOR_BTNTEXT), (COLORREF)-1);
}

BOOL COXShortcutBar::SetGroupHeaderTextColor(HSHBGROUP hGroup, COLORREF clr)
{
    return SetDescriptorValue(hGroup, SHBIF_HDRCLRTEXT, &SHB_DESCRIPTOR::clrHeaderText, clr);
}

UINT COXShortcutBar::GetGroupHeaderTextFormat(HSHBGROUP hGroup)
{
    return GetDescriptorValue(hGroup, SHBIF_HDRTEXTFMT, &SHB_DESCRIPTOR::nHeaderTextFormat,
                              (UINT)SHB_DEFAULTHEADERFORMAT, 0u);
}

BOOL COXShortcutBar::SetGroupHeaderTextFormat(HSHBGROUP hGroup, UINT nFormat)
{
    return SetDescriptorValue(hGroup, SHBIF_HDRTEXTFMT, &SHB_DESCRIPTOR::nHeaderTextFormat, nFormat);
}

// The font's description in lf, or NULL for no font.
static const LOGFONT* LogFontOf(CFont* pFont, LOGFONT& lf)
{
    return pFont != NULL && pFont->GetSafeHandle() != NULL && pFont->GetLogFont(&lf) ? &lf : NULL;
}

LPLOGFONT COXShortcutBar::GetGroupTextFont(HSHBGROUP hGroup)
{
    static LOGFONT lf;
    if (m_groups.Lookup(hGroup) == NULL)
        return NULL;
    const SHB_DESCRIPTOR* p = FindDescriptorField(hGroup, SHBIF_FONT);
    if (p != NULL) {
        lf = p->lfText;
        return &lf;
    }
    CWnd* pWnd = GetGroupWindow(hGroup);
    HFONT hFont = pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd()) ? (HFONT)pWnd->SendMessage(WM_GETFONT) : NULL;
    if (hFont == NULL && ::IsWindow(m_hWnd))
        hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = (HFONT)m_font.GetSafeHandle();
    if (hFont == NULL || ::GetObject(hFont, sizeof(lf), &lf) == 0)
        return NULL;
    return &lf;
}

BOOL COXShortcutBar::SetGroupTextFont(HSHBGROUP hGroup, const LOGFONT* pLF)
{
    if (pLF == NULL)
        return FALSE;
    SHB_DESCRIPTOR d = {};
    OXCopyLogFont(&d.lfText, pLF);
    return SetDescriptorField(hGroup, SHBIF_FONT, d);
}

BOOL COXShortcutBar::SetGroupTextFont(HSHBGROUP hGroup, CFont* pFont)
{
    LOGFONT lf;
    return SetGroupTextFont(hGroup, LogFontOf(pFont, lf));
}

LPLOGFONT COXShortcutBar::GetGroupHeaderTextFont(HSHBGROUP hGroup)
{
    static LOGFONT lf;
    if (m_groups.Lookup(hGroup) == NULL)
        return NULL;
    const SHB_DESCRIPTOR* p = FindDescriptorField(hGroup, SHBIF_HDRFONT);
    if (p != NULL) {
        lf = p->lfHeader;
        return &lf;
    }
    if (!m_font.GetLogFont(&lf))
        return NULL;
    return &lf;
}

BOOL COXShortcutBar::SetGroupHeaderTextFont(HSHBGROUP hGroup, const LOGFONT* pLF)
{
    if (pLF == NULL)
        return FALSE;
    SHB_DESCRIPTOR d = {};
    OXCopyLogFont(&d.lfHeader, pLF);
    return SetDescriptorField(hGroup, SHBIF_HDRFONT, d);
}

BOOL COXShortcutBar::SetGroupHeaderTextFont(HSHBGROUP hGroup, CFont* pFont)
{
    LOGFONT lf;
    return SetGroupHeaderTextFont(hGroup, LogFontOf(pFont, lf));
}

int COXShortcutBar::GetGroupHeaderHeight(HSHBGROUP hGroup)
{
    return GetDescriptorValue(hGroup, SHBIF_HDRHEIGHT, &SHB_DESCRIPTOR::nHeaderHeight,
                              SHB_DEFAULTHEADERHEIGHT, -1);
}

BOOL COXShortcutBar::SetGroupHeaderHeight(HSHBGROUP hGroup, int nHeight)
{
    return SetDescriptorValue(hGroup, SHBIF_HDRHEIGHT, &SHB_DESCRIPTOR::nHeaderHeight, nHeight);
}

int COXShortcutBar::GetHeaderHeight(HSHBGROUP hGroup)
{
    return GetGroupHeaderHeight(hGroup);
}

// ---------------------------------------------------------------------------
// Items of a group's list
// ---------------------------------------------------------------------------
CImageList* COXShortcutBar::SetGroupImageList(HSHBGROUP hGroup, CImageList* pImageList, int nImageList)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? p->SetImageList(pImageList, nImageList) : NULL;
}

CImageList* COXShortcutBar::GetGroupImageList(HSHBGROUP hGroup, int nImageList)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? p->GetImageList(nImageList) : NULL;
}

BOOL COXShortcutBar::GetGroupItem(HSHBGROUP hGroup, LVITEM* pItem)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? (BOOL)p->SendMessage(LVM_GETITEM, 0, (LPARAM)pItem) : FALSE;
}

int COXShortcutBar::GetGroupItemCount(HSHBGROUP hGroup)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? (int)p->SendMessage(LVM_GETITEMCOUNT) : 0;
}

BOOL COXShortcutBar::SetGroupItem(HSHBGROUP hGroup, LVITEM* pItem)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? (BOOL)p->SendMessage(LVM_SETITEM, 0, (LPARAM)pItem) : FALSE;
}

BOOL COXShortcutBar::SetGroupItem(HSHBGROUP hGroup, int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem,
                                  int nImage, UINT nState, UINT nStateMask, LPARAM lParam)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? p->SetItem(nItem, nSubItem, nMask, lpszItem, nImage, nState, nStateMask, lParam) : FALSE;
}

int COXShortcutBar::InsertGroupItem(HSHBGROUP hGroup, LVITEM* pItem)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? (int)p->SendMessage(LVM_INSERTITEM, 0, (LPARAM)pItem) : -1;
}

int COXShortcutBar::InsertGroupItem(HSHBGROUP hGroup, UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState,
                                    UINT nStateMask, int nImage, LPARAM lParam)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? p->InsertItem(nMask, nItem, lpszItem, nState, nStateMask, nImage, lParam) : -1;
}

BOOL COXShortcutBar::DeleteGroupItem(HSHBGROUP hGroup, int nItem)
{
    COXSHBListCtrl* p = GetGroupListCtrl(hGroup);
    return p != NULL ? (BOOL)p->SendMessage(LVM_DELETEITEM, nItem) : FALSE;
}

// ---------------------------------------------------------------------------
// Metrics
// ---------------------------------------------------------------------------
BOOL COXShortcutBar::NotifyMetricChange(UINT nCode, BOOL bRelayout)
{
    if (!::IsWindow(m_hWnd))
        return TRUE;
    if (bRelayout) {
        CalculateLayout();
        if (m_hExpandedGroup != NULL)
            ShowGroupWindow(m_hExpandedGroup, TRUE);
        Invalidate(FALSE);
    }
    SendMessageToDescendants(SHBM_SHBINFOCHANGED, 0, (LPARAM)nCode, TRUE);
    return TRUE;
}

BOOL COXShortcutBar::SetBarStyle(DWORD dwStyle)
{
    if (dwStyle > 0xFFFF)
        return FALSE;
    m_dwBarStyle = dwStyle;
    NotifyMetricChange(SHBIF_SHBSTYLE, FALSE);
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
    return TRUE;
}

// A bar metric changes in one way: take the new value, tell the owner only
// when it really differs, and hand back the old one.
template <class T>
T COXShortcutBar::ReplaceMetric(T& field, const T& value, UINT nCode, BOOL bRelayout)
{
    T old = field;
    if (old != value) {
        field = value;
        NotifyMetricChange(nCode, bRelayout);
    }
    return old;
}

int COXShortcutBar::SetHeaderGap(int nGap)
{
    return ReplaceMetric(m_nGroupMargin, nGap, SHBIF_GROUPMARGIN, TRUE);
}

CRect COXShortcutBar::SetChildMargins(const RECT& rect)
{
    return ReplaceMetric(m_rectChildMargins, CRect(rect), SHBIF_CHILDMARGINS, TRUE);
}

CSize COXShortcutBar::SetScrollButtonSize(int cx, int cy)
{
    return ReplaceMetric(m_sizeScrollButton, CSize(cx, cy), SHBIF_SCRLBTNSIZE, FALSE);
}

UINT COXShortcutBar::SetListScrollDelay(UINT nDelay)
{
    return ReplaceMetric(m_nScrollingDelay, nDelay, SHBIF_SCRLDELAY, FALSE);
}

UINT COXShortcutBar::SetListDragScrollDelay(UINT nDelay)
{
    return ReplaceMetric(m_nAutoScrollingDelay, nDelay, SHBIF_AUTOSCRLDELAY, FALSE);
}

UINT COXShortcutBar::SetHoverExpandDelay(UINT nDelay)
{
    return ReplaceMetric(m_nAutoExpandDelay, nDelay, SHBIF_AUTOEXPANDDELAY, FALSE);
}

CImageList* COXShortcutBar::SetImageList(CImageList* pImageList)
{
    CImageList* pOld = m_pImageList;
    m_pImageList = pImageList;
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
    return pOld;
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------
void COXShortcutBar::CalculateHeaderRects(const CRect& rectClient, const std::vector<int>& heights,
                                          int nExpandedOrder, int nGap, const CRect& rectMargins,
                                          std::vector<CRect>& headers, CRect& rectChild)
{
    headers.clear();
    rectChild.SetRectEmpty();
    int nTop = rectClient.top;
    for (int nHeight : heights) {
        headers.push_back(CRect(rectClient.left, nTop, rectClient.right, nTop + nHeight));
        nTop += nHeight + nGap;
    }
    if (headers.empty() || nExpandedOrder < 0 || nExpandedOrder >= (int)headers.size())
        return;
    int nLastBottom = headers.back().bottom;
    if (nLastBottom >= rectClient.bottom)
        return;
    int nFree = rectClient.bottom - nLastBottom;
    CRect rectE = headers[nExpandedOrder];
    rectChild.SetRect(rectE.left + rectMargins.left, rectE.bottom + rectMargins.top, rectE.right - rectMargins.right,
                      rectE.bottom + nFree - rectMargins.bottom);
    if (rectChild.top >= rectChild.bottom || rectChild.left >= rectChild.right)
        rectChild.SetRectEmpty();
    for (CRect& rect : headers)
        if (rect.top >= rectE.bottom + nGap)
            rect.OffsetRect(0, nFree);
}

void COXShortcutBar::CalculateLayout()
{
    m_rectChildWnd.SetRectEmpty();
    m_mapHeaderRects.clear();
    if (!::IsWindow(m_hWnd) || m_groups.GetCount() == 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    std::vector<HSHBGROUP> byOrder;
    std::vector<int> heights;
    for (int i = 0; i < m_groups.GetCount(); ++i) {
        HSHBGROUP h = m_groups.FindByOrder(i);
        byOrder.push_back(h);
        heights.push_back(GetHeaderHeight(h));
    }
    std::vector<CRect> headers;
    CalculateHeaderRects(rectClient, heights, m_hExpandedGroup != NULL ? GetGroupOrder(m_hExpandedGroup) : -1,
                         m_nGroupMargin, m_rectChildMargins, headers, m_rectChildWnd);
    for (size_t i = 0; i < byOrder.size(); ++i)
        if (byOrder[i] != NULL)
            m_mapHeaderRects[byOrder[i]] = headers[i];
}

HSHBGROUP COXShortcutBar::HitTest(CPoint point, UINT* pFlags) const
{
    UINT nFlags = 3;
    HSHBGROUP hGroup = NULL;
    if (!m_rectChildWnd.IsRectEmpty() && m_rectChildWnd.PtInRect(point)) {
        hGroup = m_hExpandedGroup;
        nFlags = 2;
    } else {
        for (const auto& entry : m_mapHeaderRects)
            if (entry.second.PtInRect(point)) {
                hGroup = entry.first;
                nFlags = 1;
                break;
            }
    }
    if (pFlags != NULL)
        *pFlags = nFlags;
    return hGroup;
}

BOOL COXShortcutBar::GetGroupHeaderRect(HSHBGROUP hGroup, LPRECT lpRect) const
{
    auto it = m_mapHeaderRects.find(hGroup);
    if (it == m_mapHeaderRects.end())
        return FALSE;
    *lpRect = it->second;
    return TRUE;
}

BOOL COXShortcutBar::RedrawGroupHeader(HSHBGROUP hGroup)
{
    CRect rect;
    if (hGroup == NULL || !::IsWindow(m_hWnd) || !GetGroupHeaderRect(hGroup, &rect))
        return FALSE;
    RedrawWindow(&rect, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

void COXShortcutBar::SetHotGroup(HSHBGROUP hGroup)
{
    HSHBGROUP hOld = m_hHotGroup;
    m_hHotGroup = hGroup;
    if (hOld != hGroup && (m_dwBarStyle & SHBS_FLATGROUPBUTTON)) {
        RedrawGroupHeader(hOld);
        RedrawGroupHeader(hGroup);
    }
}

HSHBGROUP COXShortcutBar::SetDraggedGroup(HSHBGROUP hGroup)
{
    HSHBGROUP hOld = m_hDragGroup;
    if (hOld != hGroup) {
        SendSHBNotification(SHBN_BEGINDRAGHEADER, hGroup, (LPARAM)&m_ptDragHotSpot);
        m_hDragGroup = hGroup;
    }
    return hOld;
}

void COXShortcutBar::ShowGroupWindow(HSHBGROUP hGroup, BOOL bRedraw)
{
    CWnd* pWnd = GetGroupWindow(hGroup);
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    if (m_rectChildWnd.IsRectEmpty()) {
        pWnd->ShowWindow(SW_HIDE);
        return;
    }
    pWnd->MoveWindow(&m_rectChildWnd, FALSE);
    if (bRedraw)
        pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    pWnd->ShowWindow(SW_SHOW);
}

void COXShortcutBar::HideGroupWindow(HSHBGROUP hGroup)
{
    CWnd* pWnd = GetGroupWindow(hGroup);
    if (pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd()))
        pWnd->ShowWindow(SW_HIDE);
}

std::vector<int> COXShortcutBar::AnimationSteps(int nHeight)
{
    std::vector<int> steps;
    int n = nHeight / 20;
    if (n <= 1)
        return steps;
    int i = 0, nStep = 20;
    do {
        if (i > nHeight / 40) {
            ++i;
            nStep = 40;
        }
        steps.push_back(nStep);
        ++i;
    } while (i < n - 1);
    return steps;
}

void COXShortcutBar::AnimateExpand(HSHBGROUP hOld, HSHBGROUP hNew)
{
    int nOldOrder = GetGroupOrder(hOld), nNewOrder = GetGroupOrder(hNew);
    if (nOldOrder < 0 || m_rectChildWnd.IsRectEmpty())
        return;
    std::vector<int> steps = AnimationSteps(m_rectChildWnd.Height());
    if (steps.empty())
        return;
    int n = m_rectChildWnd.Height() / 20;
    BOOL bUp = nOldOrder < nNewOrder;
    CWnd* pOldWnd = GetGroupWindow(hOld);
    for (int nStep : steps) {
        CRect rectUpdate(0, 0, 0, 0);
        for (int nOrder = min(nOldOrder, nNewOrder) + 1; nOrder <= max(nOldOrder, nNewOrder); ++nOrder) {
            HSHBGROUP h = m_groups.FindByOrder(nOrder);
            auto it = m_mapHeaderRects.find(h);
            if (it == m_mapHeaderRects.end())
                continue;
            CRect rectOld = it->second;
            it->second.OffsetRect(0, bUp ? -nStep : nStep);
            rectUpdate.UnionRect(&rectUpdate, &rectOld);
            rectUpdate.UnionRect(&rectUpdate, &it->second);
        }
        if (bUp)
            m_rectChildWnd.bottom -= nStep;
        else
            m_rectChildWnd.top += nStep;
        if (m_rectChildWnd.bottom < m_rectChildWnd.top)
            m_rectChildWnd.bottom = m_rectChildWnd.top;
        if (pOldWnd != NULL && ::IsWindow(pOldWnd->GetSafeHwnd()))
            pOldWnd->MoveWindow(&m_rectChildWnd, FALSE);
        RedrawWindow(&rectUpdate, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::Sleep(100 / n);
    }
}

HSHBGROUP COXShortcutBar::ExpandGroup(HSHBGROUP hGroup)
{
    StopHoverExpand();
    if (hGroup == m_hExpandedGroup)
        return hGroup;
    // An unknown handle is refused like a vetoed expand.
    if (hGroup != NULL && m_groups.Lookup(hGroup) == NULL)
        return m_hExpandedGroup;
    if (SendSHBNotification(SHBN_GROUPEXPANDING, hGroup, 0) != 0)
        return m_hExpandedGroup;
    HSHBGROUP hOld = m_hExpandedGroup;
    m_hExpandedGroup = hGroup;
    if ((m_dwBarStyle & SHBS_ANIMATEEXPAND) && hOld != NULL && hGroup != NULL && ::IsWindow(m_hWnd))
        AnimateExpand(hOld, hGroup);
    CalculateLayout();
    HideGroupWindow(hOld);
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    if (hGroup != NULL)
        ShowGroupWindow(hGroup, TRUE);
    SendSHBNotification(SHBN_GROUPEXPANDED, hGroup, 0);
    return hOld;
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------
COLORREF COXShortcutBar::LightColor(COLORREF clr)
{
    return COXShortcutBarSkinClassic::LightFrameColor(clr);
}

COLORREF COXShortcutBar::DarkColor(COLORREF clr)
{
    return COXShortcutBarSkinClassic::DarkFrameColor(clr);
}

COLORREF COXShortcutBar::InvertColor(COLORREF clr)
{
    return RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr));
}

COLORREF COXShortcutBar::DropMarkerColor(COLORREF clrBack)
{
    const COLORREF clrRed = RGB(255, 0, 0);
    int nDistance = (abs(GetRValue(clrBack) - 255) + abs(GetGValue(clrBack)) + abs(GetBValue(clrBack))) / 3;
    return nDistance <= 64 ? RGB(0, 0, 255) : clrRed;
}

BOOL COXShortcutBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COXShortcutBar::OnPaint()
{
    // A header drag's picture lies over the headers: it comes off while they
    // are painted and goes back over what they became, whatever asked for
    // the painting (a drop mark, hot tracking, an expose).
    const BOOL bDragImage = (m_dwBarStyle & SHBS_DRAWHEADERDRAGIMAGE) && m_pDragImage != NULL && m_hDragGroup != NULL;
    if (bDragImage)
        CImageList::DragShowNolock(FALSE);
    PaintHeaders();
    if (bDragImage)
        CImageList::DragShowNolock(TRUE);
}

void COXShortcutBar::PaintHeaders()
{
    CPaintDC dc(this);
    int nSaved = dc.SaveDC();
    CRect rectClient;
    GetClientRect(&rectClient);
    dc.IntersectClipRect(&rectClient);
    if (!m_rectChildWnd.IsRectEmpty())
        dc.ExcludeClipRect(&m_rectChildWnd);
    FillBackground(&dc);
    for (int nOrder = 0; nOrder < m_groups.GetCount(); ++nOrder) {
        HSHBGROUP hGroup = m_groups.FindByOrder(nOrder);
        CRect rect;
        if (!GetGroupHeaderRect(hGroup, &rect) || !dc.RectVisible(&rect))
            continue;
        CDC dcMem;
        CBitmap bitmap;
        if (!dcMem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height()))
            break;
        CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = 0;
        dis.CtlID = (UINT)GetDlgCtrlID();
        dis.itemID = (UINT)(UINT_PTR)hGroup;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_DEFAULT;
        dis.hwndItem = m_hWnd;
        dis.hDC = dcMem.GetSafeHdc();
        dis.rcItem = CRect(0, 0, rect.Width(), rect.Height());
        dis.itemData = (ULONG_PTR)hGroup;
        DrawGroupHeader(&dis);
        dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOldBitmap);
    }
    dc.RestoreDC(nSaved);
}

void COXShortcutBar::FillBackground(CDC* pDC)
{
    COXShortcutBarSkin* pSkin = GetSkin();
    BOOL bOwn = m_hExpandedGroup != NULL && HasGroupBkColor(m_hExpandedGroup);
    COLORREF clr = bOwn ? GetGroupBkColor(m_hExpandedGroup) : pSkin->GetBackgroundColor(this);
    // The headers are cut out for the fill only: they are painted next.
    int nSaved = pDC->SaveDC();
    for (const auto& entry : m_mapHeaderRects)
        pDC->ExcludeClipRect(&entry.second);
    if (!m_rectChildWnd.IsRectEmpty())
        pDC->ExcludeClipRect(&m_rectChildWnd);
    CRect rectClient;
    GetClientRect(&rectClient);
    pSkin->FillBackground(pDC, rectClient, this, bOwn, clr);
    pDC->RestoreDC(nSaved);
}

namespace {

void Frame(CDC* pDC, CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    pDC->Draw3dRect(&rect, clrTopLeft, clrBottomRight);
    rect.DeflateRect(1, 1);
}

void Arrow(CDC* pDC, int L, int R, int edge, int dir)
{
    // Shafts and heads at both ends; dir 1 points up from edge (top), -1
    // points down to edge (bottom).
    for (int x : {L + 2, L + 3, L + 4, R - 2, R - 3, R - 4}) {
        pDC->MoveTo(x, edge + dir * 9);
        pDC->LineTo(x, edge + dir * 3);
    }
    for (int k = 0; k < 4; ++k) {
        int y = edge + dir * (3 - k);
        pDC->MoveTo(L + k, y);
        pDC->LineTo(L + 7 - k, y);
        pDC->MoveTo(R - k, y);
        pDC->LineTo(R - 7 + k, y);
    }
}

}  // namespace

void COXShortcutBar::DrawGroupHeader(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HSHBGROUP hGroup = (HSHBGROUP)lpDrawItemStruct->itemData;
    if (SendSHBNotification(SHBN_DRAWHEADER, hGroup, (LPARAM)lpDrawItemStruct) != 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    const CRect rectItem = rect;
    // The dragged header stays in its own colours, held down while its
    // picture travels.
    BOOL bDragged = hGroup == m_hDragGroup && !m_bCreatingDragImage;
    COLORREF clrBack = GetGroupHeaderBkColor(hGroup);
    COLORREF clrLight = LightColor(clrBack), clrDark = DarkColor(clrBack);

    enum { kFlat, kRaised, kSunken, kRaisedTwice } look = kRaisedTwice;
    if (bDragged) {
        look = kSunken;
    } else if (m_dwBarStyle & SHBS_FLATGROUPBUTTON) {
        if (m_bCreatingDragImage)
            look = kFlat;
        else if (m_hPressedGroup != NULL)
            look = hGroup == m_hPressedGroup ? (hGroup == m_hHotGroup ? kSunken : kRaised) : kFlat;
        else
            look = hGroup == m_hHotGroup ? kRaised : kFlat;
    }
    switch (look) {
    case kFlat:
        Frame(pDC, rect, clrLight, clrDark);
        Frame(pDC, rect, clrBack, clrBack);
        break;
    case kRaised:
        Frame(pDC, rect, clrLight, clrDark);
        Frame(pDC, rect, clrBack, clrDark);
        break;
    case kSunken:
        Frame(pDC, rect, clrDark, clrBack);
        Frame(pDC, rect, clrDark, clrLight);
        break;
    case kRaisedTwice:
        Frame(pDC, rect, clrLight, clrDark);
        Frame(pDC, rect, clrBack, clrDark);
        break;
    }
    pDC->FillSolidRect(&rect, clrBack);

    CFont font;
    LOGFONT lf = *GetGroupHeaderTextFont(hGroup);
    if ((m_dwBarStyle & SHBS_BOLDEXPANDEDGROUP) && hGroup == m_hExpandedGroup)
        lf.lfWeight = min<LONG>(1000, (lf.lfWeight == 0 ? 400 : (int)lf.lfWeight) + 300);
    font.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&font);
    int nMargin = pDC->GetTextExtent(" ", 1).cx;
    rect.DeflateRect(2 * nMargin, 0);

    int nImage = hGroup == m_hExpandedGroup ? GetGroupImageExpanded(hGroup) : GetGroupImage(hGroup);
    if (nImage >= 0 && m_pImageList != NULL && m_pImageList->GetSafeHandle() != NULL) {
        IMAGEINFO info;
        m_pImageList->GetImageInfo(nImage, &info);
        m_pImageList->Draw(pDC, nImage, rect.TopLeft(), ILD_TRANSPARENT);
        rect.left += CRect(info.rcImage).Width();
    }
    CString sText = GetGroupText(hGroup);
    if (!rect.IsRectEmpty() && !sText.IsEmpty()) {
        pDC->SetBkMode(TRANSPARENT);
        COLORREF clrText = GetGroupHeaderTextColor(hGroup);
        pDC->SetTextColor(clrText);
        pDC->DrawText(sText, &rect, GetGroupHeaderTextFormat(hGroup));
    }
    pDC->SelectObject(pOldFont);

    if (m_hDragGroup != NULL && hGroup == m_hDropTargetGroup && hGroup != m_hDragGroup) {
        COLORREF clrMarker = DropMarkerColor(clrBack);
        pDC->Draw3dRect(&rectItem, clrMarker, clrMarker);
        CRect r = rectItem;
        r.DeflateRect(4, 4);
        CPen pen(PS_SOLID, 1, clrMarker);
        CPen* pOldPen = pDC->SelectObject(&pen);
        if (GetGroupOrder(hGroup) < GetGroupOrder(m_hDragGroup))
            Arrow(pDC, r.left, r.right, r.top, 1);
        else
            Arrow(pDC, r.left, r.right, r.bottom, -1);
        pDC->SelectObject(pOldPen);
    }
}

CImageList* COXShortcutBar::CreateGroupDragImage(HSHBGROUP hGroup)
{
    CRect rect;
    if (!GetGroupHeaderRect(hGroup, &rect))
        return NULL;
    m_bCreatingDragImage = TRUE;
    CImageList* pList = new CImageList;
    CClientDC dc(this);
    CDC dcMem;
    CBitmap bitmap;
    if (pList->Create(rect.Width(), rect.Height(), ILC_COLOR24, 0, 1) && dcMem.CreateCompatibleDC(&dc) &&
        bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height())) {
        CBitmap* pOld = dcMem.SelectObject(&bitmap);
        DRAWITEMSTRUCT dis = {};
        dis.CtlID = (UINT)GetDlgCtrlID();
        dis.itemID = (UINT)(UINT_PTR)hGroup;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_DEFAULT;
        dis.hwndItem = m_hWnd;
        dis.hDC = dcMem.GetSafeHdc();
        dis.rcItem = CRect(0, 0, rect.Width(), rect.Height());
        dis.itemData = (ULONG_PTR)hGroup;
        DrawGroupHeader(&dis);
        dcMem.SelectObject(pOld);
        pList->Add(&bitmap, (CBitmap*)NULL);
    }
    m_bCreatingDragImage = FALSE;
    return pList;
}

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------
void COXShortcutBar::StopHoverExpand()
{
    if (m_nExpandTimer != 0 && ::IsWindow(m_hWnd))
        KillTimer(m_nExpandTimer);
    m_nExpandTimer = 0;
    m_hPendingExpand = NULL;
}

void COXShortcutBar::ReleasePressedGroup()
{
    if (m_hPressedGroup == NULL || (::GetKeyState(VK_LBUTTON) & 0x8000))
        return;
    HSHBGROUP hOld = m_hPressedGroup;
    m_hPressedGroup = NULL;
    if (m_dwBarStyle & SHBS_FLATGROUPBUTTON)
        RedrawGroupHeader(hOld);
}

void COXShortcutBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    CalculateLayout();
    ShowGroupWindow(m_hExpandedGroup, TRUE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void COXShortcutBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT nHit;
    HSHBGROUP hGroup = HitTest(point, &nHit);
    if (nHit == 1) {
        m_hPressedGroup = hGroup;
        if (m_dwBarStyle & SHBS_FLATGROUPBUTTON)
            RedrawGroupHeader(hGroup);
        else
            ExpandGroup(hGroup);
        UINT nHit2;
        if (!(m_dwBarStyle & SHBS_DISABLEDRAGDROPHEADER) && HitTest(point, &nHit2) == hGroup && nHit2 == 1) {
            m_nPressTimer = SetTimer(SHB_IDT_PRESSDELAY, 100, NULL);
            m_hPressGroup = hGroup;
            if (m_dwBarStyle & SHBS_DRAWHEADERDRAGIMAGE) {
                CRect rect;
                GetGroupHeaderRect(hGroup, &rect);
                m_ptDragHotSpot = point - rect.TopLeft();
            }
        }
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void COXShortcutBar::OnMouseMove(UINT nFlags, CPoint point)
{
    UINT nHit;
    HSHBGROUP hGroup = HitTest(point, &nHit);
    SetHotGroup(nHit == 1 ? hGroup : NULL);
    ReleasePressedGroup();

    if (m_hDragGroup != NULL) {
        HSHBGROUP hCandidate = nHit == 1 ? hGroup : NULL;
        BOOL bImage = (m_dwBarStyle & SHBS_DRAWHEADERDRAGIMAGE) && m_pDragImage != NULL;
        if (bImage)
            CImageList::DragMove(DragImagePoint(point));
        if (nHit == 3) {
            CRect rectDragged;
            if (bImage) {
                IMAGEINFO info;
                m_pDragImage->GetImageInfo(0, &info);
                rectDragged = CRect(info.rcImage);
                rectDragged.MoveToXY(CPoint(0, point.y - m_ptDragHotSpot.y));
            } else {
                GetGroupHeaderRect(m_hDragGroup, &rectDragged);
            }
            CRect rectClient, rectCommon;
            GetClientRect(&rectClient);
            rectCommon.IntersectRect(&rectDragged, &m_rectChildWnd);
            if (rectCommon.IntersectRect(&rectDragged, &rectClient) &&
                !(rectCommon.IntersectRect(&rectDragged, &m_rectChildWnd) && rectCommon == rectDragged)) {
                int nBest = 0;
                for (const auto& entry : m_mapHeaderRects) {
                    CRect r;
                    if (r.IntersectRect(&rectDragged, &entry.second) && r.Width() * r.Height() > nBest) {
                        nBest = r.Width() * r.Height();
                        hCandidate = entry.first;
                    }
                }
            }
        }
        HSHBGROUP hPrevious = m_hDropTargetGroup;
        m_hDropTargetGroup = hCandidate;
        if (hPrevious != NULL && hPrevious != m_hDragGroup && hPrevious != hCandidate)
            RedrawGroupHeader(hPrevious);
        if (hCandidate != NULL && hCandidate != hPrevious && hCandidate != m_hDragGroup)
            RedrawGroupHeader(hCandidate);
        ::SetCursor(::LoadCursor(NULL, hCandidate != NULL && hCandidate != m_hDragGroup ? IDC_ARROW : IDC_NO));
    } else if (nHit == 1 && m_nPressTimer == 0 && (nFlags & MK_LBUTTON) && hGroup == m_hPressGroup &&
               !(m_dwBarStyle & SHBS_DISABLEDRAGDROPHEADER)) {
        // The header drag starts.
        if (m_dwBarStyle & SHBS_DRAWHEADERDRAGIMAGE) {
            delete m_pDragImage;
            m_pDragImage = CreateGroupDragImage(hGroup);
            if (m_pDragImage != NULL) {
                m_pDragImage->BeginDrag(0, m_ptDragHotSpot);
                CImageList::DragEnter(this, DragImagePoint(point));
                CImageList::DragShowNolock(FALSE);
            }
        }
        SetCapture();
        // The Escape that cancels the drag comes here.
        SetFocus();
        SetDraggedGroup(hGroup);
        RedrawGroupHeader(hGroup);
        if ((m_dwBarStyle & SHBS_DRAWHEADERDRAGIMAGE) && m_pDragImage != NULL)
            CImageList::DragShowNolock(TRUE);
    } else if (nHit == 1 && m_nPressTimer == 0 && !(nFlags & MK_LBUTTON) && hGroup != m_hExpandedGroup &&
               (m_dwBarStyle & SHBS_AUTOEXPAND) && !m_edit.IsEditing() && hGroup != m_hPendingExpand) {
        StopHoverExpand();
        m_nExpandTimer = SetTimer(SHB_IDT_AUTOEXPAND, m_nAutoExpandDelay, NULL);
        m_hPendingExpand = hGroup;
    }
    CWnd::OnMouseMove(nFlags, point);
}

// The dragged header's picture is drawn in the bar's own window DC, whose
// pixels it saves and puts back as it moves, so that the headers repainted
// under it stay whole (the desktop's DC holds no other window's pixels on
// every system); its positions are relative to the bar's window rectangle.
// A header only goes up or down: its picture follows the cursor up and down
// and stays over the column of headers, the cursor's sideways moves aside.
CPoint COXShortcutBar::DragImagePoint(CPoint ptClient) const
{
    ptClient.x = m_ptDragHotSpot.x;   // headers start at the client's left edge
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    ClientToScreen(&ptClient);
    return ptClient - rectWindow.TopLeft();
}

void COXShortcutBar::EndHeaderDrag(BOOL bDrop)
{
    if ((m_dwBarStyle & SHBS_DRAWHEADERDRAGIMAGE) && m_pDragImage != NULL) {
        CImageList::DragLeave(this);
        CImageList::EndDrag();
    }
    HSHBGROUP hDragged = SetDraggedGroup(NULL);
    HSHBGROUP hTarget = m_hDropTargetGroup;
    m_hDropTargetGroup = NULL;
    m_hPressGroup = NULL;
    if (bDrop && hTarget != NULL && hTarget != hDragged) {
        if (SendSHBNotification(SHBN_DROPGROUP, hDragged, (LPARAM)hTarget) != 0) {
            RedrawGroupHeader(hDragged);
            RedrawGroupHeader(hTarget);
        } else {
            SetGroupOrder(hDragged, GetGroupOrder(hTarget));
            CalculateLayout();
            ShowGroupWindow(m_hExpandedGroup, TRUE);
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    } else {
        // Dropped on itself, outside, or given up: nothing moves.
        RedrawGroupHeader(hDragged);
        RedrawGroupHeader(hTarget);
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void COXShortcutBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_hDragGroup != NULL) {
        EndHeaderDrag(TRUE);
    } else if (m_hPressedGroup != NULL) {
        HSHBGROUP hPressed = m_hPressedGroup;
        m_hPressedGroup = NULL;
        if (m_dwBarStyle & SHBS_FLATGROUPBUTTON) {
            UINT nHit;
            if (HitTest(point, &nHit) == hPressed && nHit == 1 && hPressed != m_hExpandedGroup)
                ExpandGroup(hPressed);
            else
                RedrawGroupHeader(hPressed);
        }
    }
    m_hPressGroup = NULL;
    CWnd::OnLButtonUp(nFlags, point);
}

void COXShortcutBar::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse (another program came to the front): the
    // header drag ends where it started.
    if (m_hDragGroup != NULL && pWnd != this)
        EndHeaderDrag(FALSE);
    CWnd::OnCaptureChanged(pWnd);
}

void COXShortcutBar::OnCancelMode()
{
    if (m_hDragGroup != NULL)
        EndHeaderDrag(FALSE);
    CWnd::OnCancelMode();
}

void COXShortcutBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_hDragGroup != NULL) {
        EndHeaderDrag(FALSE);
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void COXShortcutBar::OnTimer(UINT_PTR nIDEvent)
{
    ReleasePressedGroup();
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    UINT nHit;
    switch (nIDEvent) {
    case SHB_IDT_PRESSDELAY:
        KillTimer(SHB_IDT_PRESSDELAY);
        m_nPressTimer = 0;
        break;
    case SHB_IDT_AUTOEXPAND: {
        HSHBGROUP hPending = m_hPendingExpand;
        StopHoverExpand();
        if (hPending != NULL && HitTest(point, &nHit) == hPending && nHit == 1)
            ExpandGroup(hPending);
        break;
    }
    case SHB_IDT_HOTTRACK: {
        HSHBGROUP hGroup = HitTest(point, &nHit);
        CRect rectClient;
        GetClientRect(&rectClient);
        SetHotGroup(nHit == 1 && rectClient.PtInRect(point) ? hGroup : NULL);
        break;
    }
    default:
        CWnd::OnTimer(nIDEvent);
        break;
    }
}

void COXShortcutBar::OnDestroy()
{
    if (m_hDragGroup != NULL)
        EndHeaderDrag(FALSE);
    for (UINT_PTR nTimer : {(UINT_PTR)SHB_IDT_PRESSDELAY, (UINT_PTR)SHB_IDT_AUTOEXPAND, (UINT_PTR)SHB_IDT_HOTTRACK})
        KillTimer(nTimer);
    m_nPressTimer = m_nExpandTimer = m_nHotTimer = 0;
    CWnd::OnDestroy();
}

LRESULT COXShortcutBar::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

// ---------------------------------------------------------------------------
// OLE drags passing over the headers
// ---------------------------------------------------------------------------
LRESULT COXShortcutBar::OnDropTargetDragOver(WPARAM wParam, LPARAM lParam)
{
    return OnDragOver(wParam, lParam);
}

LRESULT COXShortcutBar::OnDropTargetDragLeave(WPARAM wParam, LPARAM lParam)
{
    return OnDragLeave(wParam, lParam);
}

LRESULT COXShortcutBar::OnDragOver(WPARAM, LPARAM lParam)
{
    if (m_dwBarStyle & SHBS_DISABLEDRAGDROP)
        return 0;
    if (SendSHBNotification(SHBN_DRAGOVER, NULL, lParam) != 0)
        return 1;
    OXDRAGDROPMESSAGE* pRec = (OXDRAGDROPMESSAGE*)lParam;
    pRec->result = DROPEFFECT_NONE;
    UINT nHit;
    HSHBGROUP hGroup = HitTest(CPoint(pRec->x, pRec->y), &nHit);
    if (nHit != 1 || hGroup == m_hExpandedGroup)
        return 1;
    if (hGroup != m_hPendingExpand) {
        StopHoverExpand();
        m_nExpandTimer = SetTimer(SHB_IDT_AUTOEXPAND, m_nAutoExpandDelay / 4, NULL);
        m_hPendingExpand = hGroup;
    }
    return 1;
}

LRESULT COXShortcutBar::OnDragLeave(WPARAM, LPARAM lParam)
{
    if (m_dwBarStyle & SHBS_DISABLEDRAGDROP)
        return 0;
    if (SendSHBNotification(SHBN_DRAGLEAVE, NULL, lParam) != 0)
        return 1;
    StopHoverExpand();
    return 1;
}

// ---------------------------------------------------------------------------
// Context menu and its commands
// ---------------------------------------------------------------------------
void COXShortcutBar::OnContextMenu(CWnd*, CPoint point)
{
    StopHoverExpand();
    CPoint ptClient(point);
    ScreenToClient(&ptClient);
    UINT nHit;
    HSHBGROUP hGroup = HitTest(ptClient, &nHit);
    if (nHit != 1)
        hGroup = m_hExpandedGroup;
    m_hContextMenuGroup = hGroup;

    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    CString s;
    BOOL bEdit = (m_dwBarStyle & SHBS_EDITHEADERS) != 0;
    if (bEdit) {
        s.LoadString(IDS_OX_SHB_ADDNEWGROUP);
        menu.AppendMenu(MF_STRING, SHB_IDMADDNEWGROUP, s);
    }
    if (hGroup != NULL) {
        if (bEdit)
            menu.AppendMenu(MF_SEPARATOR);
        BOOL bLarge = m_hExpandedGroup == NULL || GetGroupView(m_hExpandedGroup) == SHB_LARGEICON;
        s.LoadString(IDS_OX_SHB_LARGEICONS);
        menu.AppendMenu(MF_STRING | (bLarge ? MF_CHECKED : 0), SHB_IDMLARGEICON, s);
        s.LoadString(IDS_OX_SHB_SMALLICONS);
        menu.AppendMenu(MF_STRING | (m_hExpandedGroup == NULL || !bLarge ? MF_CHECKED : 0), SHB_IDMSMALLICON, s);
        if (bEdit) {
            menu.AppendMenu(MF_SEPARATOR);
            s.LoadString(IDS_OX_SHB_REMOVEGROUP);
            menu.AppendMenu(MF_STRING, SHB_IDMREMOVEGROUP, s);
            s.LoadString(IDS_OX_SHB_RENAMEGROUP);
            menu.AppendMenu(MF_STRING, SHB_IDMRENAMEGROUP, s);
        }
    }
    SHB_CONTEXTMENU record = {&menu, this, hGroup, {point.x, point.y}};
    if (nHit == 2 && hGroup != NULL) {
        CWnd* pWnd = GetGroupWindow(hGroup);
        if (pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd()))
            pWnd->SendMessage(SHBM_POPULATECONTEXTMENU, 0, (LPARAM)&record);
    }
    if (SendSHBNotification(SHBN_CONTEXTMENU, hGroup, (LPARAM)&record) != 0 || menu.GetMenuItemCount() == 0)
        return;
    menu.TrackPopupMenu(0, point.x, point.y, this);
}

void COXShortcutBar::OnLargeIcon()
{
    if (m_hExpandedGroup != NULL && GetGroupView(m_hExpandedGroup) != SHB_LARGEICON &&
        SetGroupView(m_hExpandedGroup, SHB_LARGEICON))
        ShowGroupWindow(m_hExpandedGroup, TRUE);
}

void COXShortcutBar::OnSmallIcon()
{
    if (m_hExpandedGroup != NULL && GetGroupView(m_hExpandedGroup) != SHB_SMALLICON &&
        SetGroupView(m_hExpandedGroup, SHB_SMALLICON))
        ShowGroupWindow(m_hExpandedGroup, TRUE);
}

void COXShortcutBar::OnUpdateLargeIcon(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_hExpandedGroup != NULL && GetGroupView(m_hExpandedGroup) == SHB_LARGEICON);
}

void COXShortcutBar::OnUpdateSmallIcon(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_hExpandedGroup != NULL && GetGroupView(m_hExpandedGroup) == SHB_SMALLICON);
}

void COXShortcutBar::OnAddNewGroup()
{
    HSHBGROUP hGroup = InsertGroup("");
    if (hGroup == NULL)
        return;
    if (m_groups.GetCount() == 1) {
        ExpandGroup(hGroup);
    } else {
        CalculateLayout();
        ShowGroupWindow(m_hExpandedGroup, TRUE);
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    EditGroupHeader(hGroup);
}

void COXShortcutBar::OnRemoveGroup()
{
    if (m_hContextMenuGroup != NULL)
        DeleteGroup(m_hContextMenuGroup);
}

void COXShortcutBar::OnRenameGroup()
{
    if (m_hContextMenuGroup != NULL)
        EditGroupHeader(m_hContextMenuGroup);
}

void COXShortcutBar::OnRemoveItem()
{
    COXSHBListCtrl* pList = UsesGroupListCtrl(m_hExpandedGroup) ? GetGroupListCtrl(m_hExpandedGroup) : NULL;
    if (pList == NULL)
        return;
    int nItem = pList->GetHotItem() != -1 ? pList->GetHotItem() : pList->GetLastHotItem();
    if (nItem != -1)
        pList->SendMessage(LVM_DELETEITEM, nItem);
}

void COXShortcutBar::OnRenameItem()
{
    COXSHBListCtrl* pList = UsesGroupListCtrl(m_hExpandedGroup) ? GetGroupListCtrl(m_hExpandedGroup) : NULL;
    if (pList == NULL)
        return;
    int nItem = pList->GetHotItem() != -1 ? pList->GetHotItem() : pList->GetLastHotItem();
    if (nItem == -1)
        return;
    pList->EnsureItemVisible(nItem, FALSE);
    EditGroupItem(m_hExpandedGroup, nItem);
}

BOOL COXShortcutBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CWnd* pParent = GetParent();
    if (pParent != NULL && !pParent->IsKindOf(RUNTIME_CLASS(COXShortcutBar)) &&
        pParent->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWnd* pWnd = m_hExpandedGroup != NULL ? GetGroupWindow(m_hExpandedGroup) : NULL;
    if (pWnd != NULL && CWnd::FromHandlePermanent(pWnd->GetSafeHwnd()) != NULL &&
        !pWnd->IsKindOf(RUNTIME_CLASS(COXShortcutBar)) && pWnd->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------
// Header tooltips
// ---------------------------------------------------------------------------
INT_PTR COXShortcutBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!(m_dwBarStyle & SHBS_INFOTIP))
        return -1;
    UINT nHit;
    HSHBGROUP hGroup = HitTest(point, &nHit);
    if (nHit != 1 || hGroup == NULL)
        return -1;
    CRect rect;
    GetGroupHeaderRect(hGroup, &rect);
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)hGroup;
    pTI->rect = rect;
    pTI->lpszText = LPSTR_TEXTCALLBACK;
    return (INT_PTR)hGroup;
}

LRESULT COXShortcutBar::FillToolTipText(NMHDR* pNMHDR, BOOL)
{
    SHB_TIPINFO tip = {};
    LRESULT lr = SendSHBNotification(SHBN_GETHEADERINFOTIP, (HSHBGROUP)pNMHDR->idFrom, (LPARAM)&tip);
    OXFillToolTipText(pNMHDR, tip);
    return lr;
}

BOOL COXShortcutBar::OnToolTipTextA(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pNMHDR->hwndFrom == m_edit.GetSafeHwnd())
        return FALSE;
    *pResult = FillToolTipText(pNMHDR, FALSE);
    return TRUE;
}

BOOL COXShortcutBar::OnToolTipTextW(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = FillToolTipText(pNMHDR, TRUE);
    return TRUE;
}
