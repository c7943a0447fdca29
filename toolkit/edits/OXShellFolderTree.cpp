#include "OXShellFolderTree.h"

#include <shellapi.h>

#include "toolkit_res.h"

IMPLEMENT_DYNAMIC(COXShellFolderTree, CTreeCtrl)

static const int ROOT_ICON = 34;              // of shell32.dll
static const UINT CMD_DELETE = 18;            // shell menu commands the tree follows up
static const UINT CMD_RENAME = 19;
static const UINT CMD_PROPERTIES_REFRESH = 27;

// Two item IDs are the same when their bytes are.
static BOOL SameItemID(LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    return a && b && a->mkid.cb == b->mkid.cb && memcmp(a, b, a->mkid.cb) == 0;
}

BOOL COXShellFolderTree::SameRootFolder(LPCITEMIDLIST pidl, LPCITEMIDLIST pAfterRoot)
{
    // The IDs of pidl up to pAfterRoot, as a list of their own.
    const size_t nBytes = (const BYTE*)pAfterRoot - (const BYTE*)pidl;
    ITEMIDLIST* pPrefix = (ITEMIDLIST*)m_navigator.GetMalloc()->Alloc(nBytes + sizeof(USHORT));
    if (pPrefix == NULL)
        return FALSE;
    memcpy(pPrefix, pidl, nBytes);
    *(USHORT*)((BYTE*)pPrefix + nBytes) = 0;
    BOOL bSame = FALSE;
    IShellFolder* pDesktop = NULL;
    if (SUCCEEDED(::SHGetDesktopFolder(&pDesktop)) && pDesktop != NULL) {
        HRESULT hr = pDesktop->CompareIDs(0, m_pidlRoot, pPrefix);
        bSame = SUCCEEDED(hr) && (short)HRESULT_CODE(hr) == 0;
        pDesktop->Release();
    }
    m_navigator.FreeIDList(pPrefix);
    return bSame;
}

BEGIN_MESSAGE_MAP(COXShellFolderTree, CTreeCtrl)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGA, &COXShellFolderTree::OnItemExpanding)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMA, &COXShellFolderTree::OnDeleteItem)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITA, &COXShellFolderTree::OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDITA, &COXShellFolderTree::OnEndLabelEdit)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &COXShellFolderTree::OnDblClick)
    ON_NOTIFY_REFLECT(NM_RCLICK, &COXShellFolderTree::OnRightClick)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COXShellFolderTree::COXShellFolderTree(BOOL bContextMenus, BOOL bFileSystemOnly, BOOL bShellOwner, BOOL bRootItem,
                                       BOOL bShowFiles, LPCTSTR lpszFilter)
    : m_bContextMenus(bContextMenus), m_bFileSystemOnly(bFileSystemOnly), m_bShellOwner(bShellOwner),
      m_bRootItem(bRootItem), m_bShowFiles(bShowFiles), m_mapIcons(10)
{
    m_mapIcons.InitHashTable(17);
    m_navigator.SetAutoCleanUp(TRUE);
    SetFilter(lpszFilter);
}

COXShellFolderTree::~COXShellFolderTree()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();   // the items' records go with their items
    m_arrFilters.RemoveAll();
    m_mapIcons.RemoveAll();
    m_imageList.DeleteImageList();
    m_navigator.FreeIDList(m_pidlRoot);
}

// ---------------------------------------------------------------------------
// Filters
// ---------------------------------------------------------------------------

void COXShellFolderTree::SetFilter(LPCTSTR lpszFilter)
{
    m_arrFilters.RemoveAll();
    CString sRest = lpszFilter ? lpszFilter : "";
    if (sRest.IsEmpty())
        return;
    for (int nBar; (nBar = sRest.Find('|')) >= 0; sRest = sRest.Mid(nBar + 1))
        if (nBar > 0)
            m_arrFilters.Add(sRest.Left(nBar));
    m_arrFilters.Add(sRest);
}

CString COXShellFolderTree::GetFilter() const
{
    if (m_arrFilters.GetSize() == 1 && m_arrFilters[0].IsEmpty())
        return "|";
    CString s;
    for (int i = 0; i < m_arrFilters.GetSize(); ++i) {
        if (i > 0)
            s += "|";
        s += m_arrFilters[i];
    }
    return s;
}

CString COXShellFolderTree::FilterExtension(LPCTSTR lpszName)
{
    CString sName = lpszName ? lpszName : "";
    if (sName.Left(1) == ".")
        return CString();
    int nDot = sName.Find('.');
    return nDot < 0 ? sName : sName.Mid(nDot + 1);
}

BOOL COXShellFolderTree::IsFileAccepted(LPCTSTR lpszName)
{
    if (m_arrFilters.GetSize() == 0)
        return TRUE;
    CString sExtension = FilterExtension(lpszName);
    for (int i = 0; i < m_arrFilters.GetSize(); ++i)
        if (sExtension.CompareNoCase(m_arrFilters[i]) == 0)
            return TRUE;
    return FALSE;
}

BOOL COXShellFolderTree::IsObjectAccepted(LPNAVIGATORITEM pItem)
{
    (void)pItem;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Building and filling
// ---------------------------------------------------------------------------

LPNAVIGATORITEM COXShellFolderTree::GetItemRecord(HTREEITEM hItem) const
{
    if (hItem == NULL || hItem == TVI_ROOT || !::IsWindow(m_hWnd))
        return NULL;
    return (LPNAVIGATORITEM)GetItemData(hItem);
}

void COXShellFolderTree::ApplyShellOwner()
{
    m_navigator.SetOwnerWnd(m_bShellOwner ? this : NULL);
}

int COXShellFolderTree::OwnImageIndex(int nSystemIndex)
{
    int nOwn;
    if (m_mapIcons.Lookup(nSystemIndex, nOwn))
        return nOwn;
    HICON hIcon = ImageList_GetIcon(m_hSystemImageList, nSystemIndex, ILD_NORMAL);
    nOwn = hIcon ? ImageList_ReplaceIcon(m_imageList.GetSafeHandle(), -1, hIcon) : 0;
    if (hIcon)
        ::DestroyIcon(hIcon);
    if (nOwn < 0)
        nOwn = 0;
    m_mapIcons.SetAt(nSystemIndex, nOwn);
    return nOwn;
}

BOOL COXShellFolderTree::IsAdmitted(DWORD dw) const
{
    if (m_bFileSystemOnly && !m_bShowFiles)
        return ((dw & SFGAO_FILESYSANCESTOR) && (dw & SFGAO_HASSUBFOLDER))
               || ((dw & SFGAO_FILESYSTEM) && (dw & SFGAO_FOLDER));
    if (m_bFileSystemOnly)
        return (dw & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) != 0;
    return m_bShowFiles || (dw & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)) != 0;
}

void COXShellFolderTree::FillChildren(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlFolder)
{
    CWaitCursor wait;
    if (!m_navigator.BeginEnumeration(pFolder, pidlFolder))
        return;
    BOOL bEnd = FALSE;
    while (LPNAVIGATORITEM pItem = m_navigator.GetNextEnumeratedObject(bEnd)) {
        DWORD dw = pItem->dwAttributes;
        BOOL bFile = (dw & SFGAO_FILESYSTEM) && !(dw & SFGAO_FOLDER);
        if (!IsAdmitted(dw) || (bFile && !IsFileAccepted(pItem->szName)) || !IsObjectAccepted(pItem)) {
            m_navigator.FreeItemRecord(pItem);
            continue;
        }
        TVINSERTSTRUCTA tvis = {};
        tvis.hParent = hParent;
        tvis.hInsertAfter = TVI_LAST;
        tvis.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
        tvis.item.pszText = pItem->szName;
        tvis.item.lParam = (LPARAM)pItem;
        tvis.item.iImage = OwnImageIndex(pItem->nIconSmall);
        tvis.item.iSelectedImage = OwnImageIndex(pItem->nIconSmallOpen);
        tvis.item.cChildren = ((dw & (SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR))
                               || (m_bShowFiles && (dw & SFGAO_FOLDER))) ? 1 : 0;
        if (SendMessage(TVM_INSERTITEMA, 0, (LPARAM)&tvis) == 0)
            m_navigator.FreeItemRecord(pItem);
    }
    m_navigator.EndEnumeration();
}

BOOL COXShellFolderTree::InitializeTree(LPCTSTR lpszRootPath)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    ApplyShellOwner();
    SetImageList(NULL, TVSIL_NORMAL);
    m_imageList.DeleteImageList();
    m_mapIcons.RemoveAll();
    if (m_hSystemImageList == NULL)
        m_hSystemImageList = COXShellNamespaceNavigator::GetSystemImageList(TRUE);
    if (m_hSystemImageList == NULL)
        return FALSE;
    int cx = 16, cy = 16;
    ImageList_GetIconSize(m_hSystemImageList, &cx, &cy);
    if (!m_imageList.Create(cx, cy, ILC_MASK | ILC_COLOR32, 16, 16))
        return FALSE;
    HICON hRootIcon = NULL;
    ::ExtractIconExA("shell32.dll", ROOT_ICON, NULL, &hRootIcon, 1);
    if (hRootIcon == NULL)
        hRootIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    m_imageList.Add(hRootIcon);
    SetImageList(&m_imageList, TVSIL_NORMAL);

    CString sRoot = lpszRootPath ? lpszRootPath : "";
    LPITEMIDLIST pidlRoot = NULL;
    if (!m_navigator.GetPIDLFromPath(sRoot, &pidlRoot))
        return FALSE;
    IShellFolder* pFolder = m_navigator.GetShellFolder((LPCITEMIDLIST)pidlRoot);
    if (pFolder == NULL) {
        m_navigator.FreeIDList(pidlRoot);
        return FALSE;
    }
    m_navigator.FreeIDList(m_pidlRoot);
    m_pidlRoot = pidlRoot;

    EnableRedraw(FALSE);
    SelectItem(NULL);
    DeleteAllItems();
    HTREEITEM hParent = TVI_ROOT;
    if (m_bRootItem) {
        CString sCaption;
        sCaption.LoadString(IDS_OX_SHELLTREE_ROOT);
        TVINSERTSTRUCTA tvis = {};
        tvis.hParent = TVI_ROOT;
        tvis.hInsertAfter = TVI_LAST;
        tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE | TVIF_PARAM;
        tvis.item.pszText = (LPSTR)(LPCTSTR)sCaption;
        tvis.item.cChildren = 1;
        tvis.item.state = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        tvis.item.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        hParent = (HTREEITEM)SendMessage(TVM_INSERTITEMA, 0, (LPARAM)&tvis);
    }
    FillChildren(hParent, pFolder, m_pidlRoot);
    SortChildren(TVI_ROOT);
    if (hParent != TVI_ROOT)
        SortChildren(hParent);
    EnableRedraw(TRUE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Sorting, finding, paths
// ---------------------------------------------------------------------------

int CALLBACK COXShellFolderTree::CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    (void)lParamSort;
    LPNAVIGATORITEM p1 = (LPNAVIGATORITEM)lParam1, p2 = (LPNAVIGATORITEM)lParam2;
    if (p1 == NULL || p2 == NULL || p1->pParentFolder == NULL)
        return 0;
    HRESULT hr = p1->pParentFolder->CompareIDs(0, p1->pidlRelative, p2->pidlRelative);
    if (FAILED(hr))
        return 0;
    return (short)HRESULT_CODE(hr);
}

void COXShellFolderTree::SortChildren(HTREEITEM hItem)
{
    TVSORTCB sort = {};
    sort.hParent = hItem;
    sort.lpfnCompare = CompareItems;
    sort.lParam = (LPARAM)this;
    SendMessage(TVM_SORTCHILDRENCB, 0, (LPARAM)&sort);
}

CString COXShellFolderTree::GetItemPath(HTREEITEM hItem) const
{
    LPNAVIGATORITEM pItem = GetItemRecord(hItem);
    return pItem ? COXShellNamespaceNavigator::GetPathFromIDL(pItem->pidlFull) : CString();
}

HTREEITEM COXShellFolderTree::FirstContentItem() const
{
    HTREEITEM hFirst = GetRootItem();
    if (m_bRootItem && hFirst && GetItemRecord(hFirst) == NULL)
        return GetChildItem(hFirst);
    return hFirst;
}

// Walks the tree along an ID list below the root folder, level by level.
HTREEITEM COXShellFolderTree::WalkTo(LPCITEMIDLIST pidl, BOOL bOpen, BOOL bExpandLast)
{
    // The tree starts at its root folder: skip the IDs the root stands for.
    LPCITEMIDLIST pLevel = (pidl && pidl->mkid.cb) ? pidl : NULL;
    BOOL bSameBytes = TRUE;
    for (LPCITEMIDLIST pRoot = (m_pidlRoot && m_pidlRoot->mkid.cb) ? m_pidlRoot : NULL; pRoot;
         pRoot = COXShellNamespaceNavigator::GetNextIDListItem(pRoot)) {
        if (pLevel == NULL)
            return NULL;
        bSameBytes = bSameBytes && SameItemID(pRoot, pLevel);
        pLevel = COXShellNamespaceNavigator::GetNextIDListItem(pLevel);
    }
    if (pLevel == NULL)
        return NULL;
    // A folder's ID carries its last write time, which anything written in it
    // changes: the root's folders are the same when the shell says so.
    if (!bSameBytes && !SameRootFolder(pidl, pLevel))
        return NULL;
    HTREEITEM hMatch = NULL;
    for (HTREEITEM hSibling = FirstContentItem(); pLevel;) {
        hMatch = NULL;
        for (HTREEITEM h = hSibling; h; h = GetNextSiblingItem(h)) {
            LPNAVIGATORITEM pItem = GetItemRecord(h);
            if (pItem == NULL)
                continue;
            if (SameItemID(pItem->pidlRelative, pLevel)) {
                hMatch = h;
                break;
            }
        }
        if (hMatch == NULL) {
            // Equal to the shell, if not to the byte: ask the folder.
            for (HTREEITEM h = hSibling; h && !hMatch; h = GetNextSiblingItem(h)) {
                LPNAVIGATORITEM pItem = GetItemRecord(h);
                if (pItem && pItem->pParentFolder) {
                    ITEMIDLIST* pOne = (ITEMIDLIST*)m_navigator.GetMalloc()->Alloc(pLevel->mkid.cb + sizeof(USHORT));
                    if (pOne) {
                        memcpy(pOne, pLevel, pLevel->mkid.cb);
                        *(USHORT*)((BYTE*)pOne + pLevel->mkid.cb) = 0;
                        HRESULT hr = pItem->pParentFolder->CompareIDs(0, pItem->pidlRelative, pOne);
                        if (SUCCEEDED(hr) && (short)HRESULT_CODE(hr) == 0)
                            hMatch = h;
                        m_navigator.FreeIDList(pOne);
                    }
                }
            }
        }
        if (hMatch == NULL)
            return NULL;
        pLevel = COXShellNamespaceNavigator::GetNextIDListItem(pLevel);
        if (pLevel) {
            if (bOpen)
                Expand(hMatch, TVE_EXPAND);
            else if (!(GetItemState(hMatch, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE))
                return NULL;
            hSibling = GetChildItem(hMatch);
        }
    }
    if (bOpen && hMatch) {
        SelectItem(hMatch);
        if (bExpandLast)
            Expand(hMatch, TVE_EXPAND);
        EnsureVisible(hMatch);
    }
    return hMatch;
}

BOOL COXShellFolderTree::OpenFolder(LPCTSTR lpszPath, BOOL bExpand)
{
    if (lpszPath == NULL || *lpszPath == '\0')
        return TRUE;
    LPITEMIDLIST pidl = NULL;
    if (!m_navigator.GetPIDLFromPath(lpszPath, &pidl))
        return FALSE;
    HTREEITEM hItem = WalkTo(pidl, TRUE, bExpand);
    m_navigator.FreeIDList(pidl);
    return hItem != NULL;
}

HTREEITEM COXShellFolderTree::FindFolder(LPCTSTR lpszPath)
{
    LPITEMIDLIST pidl = NULL;
    if (lpszPath == NULL || *lpszPath == '\0' || !m_navigator.GetPIDLFromPath(lpszPath, &pidl))
        return NULL;
    HTREEITEM hItem = WalkTo(pidl, FALSE, FALSE);
    m_navigator.FreeIDList(pidl);
    return hItem;
}

void COXShellFolderTree::EnableRedraw(BOOL bEnable)
{
    if (!bEnable) {
        if (m_nRedrawLock++ == 0 && ::IsWindow(m_hWnd))
            SendMessage(WM_SETREDRAW, FALSE, 0);
        return;
    }
    if (m_nRedrawLock == 0)
        return;
    if (--m_nRedrawLock == 0 && ::IsWindow(m_hWnd)) {
        SendMessage(WM_SETREDRAW, TRUE, 0);
        Invalidate();
    }
}

BOOL COXShellFolderTree::RefreshItem(HTREEITEM hItem)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    CString sSelected = GetItemPath(GetSelectedItem());
    SelectItem(NULL);
    HTREEITEM hStart;
    if (hItem == TVI_ROOT || hItem == NULL) {
        hStart = GetRootItem();
        if (hStart && GetItemRecord(hStart) == NULL)
            hStart = GetChildItem(hStart);
    } else {
        if (!(GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED)) {
            SetItemState(hItem, 0, TVIS_EXPANDEDONCE);
            return TRUE;
        }
        hStart = GetChildItem(hItem);
    }
    // Folders open below the refreshed item (or anywhere, for the top).
    CStringArray arrExpanded;
    for (HTREEITEM h = hStart; h; h = GetNextVisibleItem(h)) {
        if (hItem != TVI_ROOT && hItem != NULL) {
            HTREEITEM hUp = h;
            while (hUp && hUp != hItem)
                hUp = GetParentItem(hUp);
            if (hUp != hItem)
                break;   // walked past the refreshed item's subtree
        }
        if (GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED) {
            CString sPath = GetItemPath(h);
            if (!sPath.IsEmpty())
                arrExpanded.Add(sPath);
        }
    }
    EnableRedraw(FALSE);
    if (hItem == TVI_ROOT || hItem == NULL) {
        InitializeTree(NULL);
    } else {
        BOOL bWasExpanded = (GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        for (HTREEITEM hChild = GetChildItem(hItem); hChild;) {
            HTREEITEM hNext = GetNextSiblingItem(hChild);
            DeleteItem(hChild);
            hChild = hNext;
        }
        SetItemState(hItem, 0, TVIS_EXPANDEDONCE);
        if (bWasExpanded) {
            Expand(hItem, TVE_COLLAPSE);
            TVITEMA tvi = {};
            tvi.mask = TVIF_CHILDREN | TVIF_HANDLE;
            tvi.hItem = hItem;
            tvi.cChildren = 1;
            SendMessage(TVM_SETITEMA, 0, (LPARAM)&tvi);
            Expand(hItem, TVE_EXPAND);
        }
    }
    for (int i = 0; i < arrExpanded.GetSize(); ++i)
        OpenFolder(arrExpanded[i], TRUE);
    OpenFolder(sSelected, FALSE);
    EnableRedraw(TRUE);
    return TRUE;
}

BOOL COXShellFolderTree::RefreshFolder(LPCTSTR lpszPath)
{
    HTREEITEM hItem = FindFolder(lpszPath);
    return hItem != NULL && RefreshItem(hItem);
}

// ---------------------------------------------------------------------------
// Notifications
// ---------------------------------------------------------------------------

BOOL COXShellFolderTree::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pTV = (NMTREEVIEWA*)pNMHDR;
    *pResult = 0;
    HTREEITEM hItem = pTV->itemNew.hItem;
    if (pTV->action != TVE_EXPAND || (GetItemState(hItem, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE))
        return FALSE;
    LPNAVIGATORITEM pItem = GetItemRecord(hItem);
    if (pItem == NULL)
        return FALSE;
    CWaitCursor wait;
    IShellFolder* pFolder = m_navigator.BindToSubfolder(pItem->pParentFolder, pItem->pidlRelative);
    if (pFolder) {
        FillChildren(hItem, pFolder, pItem->pidlFull);
        SortChildren(hItem);
        pFolder->Release();
    }
    return FALSE;
}

BOOL COXShellFolderTree::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pTV = (NMTREEVIEWA*)pNMHDR;
    m_navigator.FreeItemRecord((LPNAVIGATORITEM)pTV->itemOld.lParam);
    if (pTV->itemOld.hItem == m_hRightClickItem)
        m_hRightClickItem = NULL;
    *pResult = 0;
    return FALSE;
}

void COXShellFolderTree::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* pInfo = (NMTVDISPINFOA*)pNMHDR;
    LPNAVIGATORITEM pItem = GetItemRecord(pInfo->item.hItem);
    if (pItem == NULL || !(pItem->dwAttributes & SFGAO_CANRENAME)) {
        *pResult = TRUE;
        return;
    }
    m_bLabelEdit = TRUE;
    *pResult = 0;
}

void COXShellFolderTree::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* pInfo = (NMTVDISPINFOA*)pNMHDR;
    CWaitCursor wait;
    m_bLabelEdit = FALSE;
    *pResult = FALSE;
    LPNAVIGATORITEM pItem = GetItemRecord(pInfo->item.hItem);
    if (pItem == NULL || pInfo->item.pszText == NULL || *pInfo->item.pszText == '\0')
        return;
    LPITEMIDLIST pidlNew = m_navigator.Rename(pItem->pParentFolder, pItem->pidlRelative, pInfo->item.pszText);
    if (pidlNew == NULL)
        return;
    m_navigator.FreeIDList(pItem->pidlRelative);
    pItem->pidlRelative = pidlNew;
    m_navigator.FreeIDList(pItem->pidlFull);
    LPNAVIGATORITEM pParent = GetItemRecord(GetParentItem(pInfo->item.hItem));
    LPCITEMIDLIST pidlParentFull = pParent ? pParent->pidlFull : m_pidlRoot;
    pItem->pidlFull = m_navigator.ConcatenatePIDLs(pidlParentFull, pidlNew);
    lstrcpynA(pItem->szName, m_navigator.GetDisplayName(pItem->pParentFolder, pidlNew), MAX_PATH);
    *pResult = TRUE;
}

void COXShellFolderTree::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bLabelEdit) {
        SetFocus();   // ends the edit
        return;
    }
    CTreeCtrl::OnLButtonDown(nFlags, point);
}

BOOL COXShellFolderTree::OnDblClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    *pResult = 0;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    LPNAVIGATORITEM pItem = GetItemRecord(HitTest(pt));
    if (pItem && !(pItem->dwAttributes & SFGAO_FOLDER))
        m_navigator.InvokeDefaultCommand(pItem->pParentFolder, pItem->pidlRelative);
    return FALSE;
}

// ---------------------------------------------------------------------------
// Context menus
// ---------------------------------------------------------------------------

HMENU COXShellFolderTree::BuildContextMenu(HTREEITEM hItem)
{
    LPNAVIGATORITEM pItem = GetItemRecord(hItem);
    if (pItem == NULL)
        return NULL;
    UINT nFlags = CMF_EXPLORE;
    if ((GetStyle() & TVS_EDITLABELS) && (pItem->dwAttributes & SFGAO_CANRENAME))
        nFlags |= CMF_CANRENAME;
    return m_navigator.GetObjectContextMenu(pItem->pParentFolder, pItem->pidlRelative, nFlags);
}

BOOL COXShellFolderTree::ShowContextMenu(HTREEITEM hItem, CPoint ptScreen)
{
    HMENU hMenu = BuildContextMenu(hItem);
    if (hMenu == NULL)
        return FALSE;
    m_bMenuUp = TRUE;
    UINT nCommand = (UINT)::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0,
                                           m_hWnd, NULL);
    ::DestroyMenu(hMenu);
    m_bMenuUp = FALSE;
    LPNAVIGATORITEM pItem = GetItemRecord(hItem);
    if (nCommand == CMD_RENAME) {
        EditLabel(hItem);
    } else if (nCommand != 0 && pItem
               && m_navigator.InvokeCommand(pItem->pParentFolder, pItem->pidlRelative, nCommand)) {
        if (nCommand == CMD_DELETE)
            DeleteItem(hItem);
        else if (nCommand == CMD_PROPERTIES_REFRESH)
            RefreshItem(hItem);
    }
    return TRUE;
}

void COXShellFolderTree::SetRightClickMark(HTREEITEM hItem, BOOL bMark)
{
    if (hItem == NULL)
        return;
    UINT nMark = hItem == GetSelectedItem() ? TVIS_SELECTED : TVIS_DROPHILITED;
    SetItemState(hItem, bMark ? nMark : 0, nMark);
}

void COXShellFolderTree::RestoreMarks()
{
    if (m_bMenuUp)
        return;
    HTREEITEM hSelected = GetSelectedItem();
    if (m_hRightClickItem && m_hRightClickItem != hSelected) {
        if (hSelected)
            SetItemState(hSelected, TVIS_SELECTED, TVIS_SELECTED);
        SetItemState(m_hRightClickItem, 0, TVIS_DROPHILITED);
    }
    m_hRightClickItem = NULL;
}

void COXShellFolderTree::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bContextMenus) {
        CTreeCtrl::OnRButtonDown(nFlags, point);
        return;
    }
    m_hRightClickItem = HitTest(point);
    HTREEITEM hSelected = GetSelectedItem();
    if (m_hRightClickItem && m_hRightClickItem != hSelected) {
        if (hSelected)
            SetItemState(hSelected, 0, TVIS_SELECTED);
        SetItemState(m_hRightClickItem, TVIS_DROPHILITED, TVIS_DROPHILITED);
    }
    SetCapture();
}

void COXShellFolderTree::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bContextMenus && (nFlags & MK_RBUTTON) && GetCapture() == this) {
        HTREEITEM hUnder = HitTest(point);
        if (hUnder != m_hRightClickItem) {
            SetRightClickMark(m_hRightClickItem, FALSE);
            m_hRightClickItem = hUnder;
            SetRightClickMark(m_hRightClickItem, TRUE);
        }
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void COXShellFolderTree::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bContextMenus) {
        CTreeCtrl::OnRButtonUp(nFlags, point);
        return;
    }
    HTREEITEM hItem = m_hRightClickItem;
    if (hItem && GetItemRecord(hItem)) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        ShowContextMenu(hItem, ptScreen);
    }
    if (GetCapture() == this)
        ReleaseCapture();   // WM_CAPTURECHANGED restores the marks
    else
        RestoreMarks();
}

void COXShellFolderTree::OnCaptureChanged(CWnd* pWnd)
{
    RestoreMarks();
    CTreeCtrl::OnCaptureChanged(pWnd);
}

void COXShellFolderTree::OnCancelMode()
{
    RestoreMarks();
    CTreeCtrl::OnCancelMode();
}

// The records go before the window: a parent that does not reflect the
// deletions would otherwise leave them behind.
void COXShellFolderTree::FreeAllRecords(HTREEITEM hParent)
{
    for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
        FreeAllRecords(h);
        LPNAVIGATORITEM pItem = GetItemRecord(h);
        if (pItem) {
            SetItemData(h, 0);
            m_navigator.FreeItemRecord(pItem);
        }
    }
}

void COXShellFolderTree::OnDestroy()
{
    FreeAllRecords(TVI_ROOT);
    m_hRightClickItem = NULL;
    CTreeCtrl::OnDestroy();
}

void COXShellFolderTree::OnRightClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    if (!m_bContextMenus) {
        *pResult = 0;
        return;
    }
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    CPoint pt = ptScreen;
    ScreenToClient(&pt);
    HTREEITEM hItem = HitTest(pt);
    if (hItem == NULL || m_bMenuUp) {
        *pResult = 1;
        return;
    }
    *pResult = (GetItemRecord(hItem) && ShowContextMenu(hItem, ptScreen)) ? 1 : 0;
}
