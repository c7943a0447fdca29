// COXShellFolderTree: a tree of the shell namespace (the desktop, drives,
// folders and, on request, files) with the system's icons. A folder's
// children are read when it is first expanded and sorted as the shell sorts
// them; items can be renamed in place, files opened by double-click, and
// each item's own shell context menu is offered on a right click. A filter
// of extensions limits the files shown.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#include "OXShellNamespaceNavigator.h"

class COXShellFolderTree : public CTreeCtrl
{
    DECLARE_DYNAMIC(COXShellFolderTree)
public:
    COXShellFolderTree(BOOL bContextMenus = TRUE, BOOL bFileSystemOnly = TRUE, BOOL bShellOwner = TRUE,
                       BOOL bRootItem = FALSE, BOOL bShowFiles = FALSE, LPCTSTR lpszFilter = NULL);
    virtual ~COXShellFolderTree();

    // Settings; a change takes effect at the next InitializeTree (the shell
    // owner at once).
    BOOL m_bContextMenus;       // right-button menus of the shell
    BOOL m_bFileSystemOnly;     // leave out what is neither in nor above the file system
    BOOL m_bShellOwner;         // the tree is the owner of windows the shell shows
    BOOL m_bRootItem;           // one top item above the root folder's contents
    BOOL m_bShowFiles;          // files too, not only folders

    BOOL InitializeTree(LPCTSTR lpszRootPath = NULL);
    BOOL OpenFolder(LPCTSTR lpszPath, BOOL bExpand = FALSE);
    HTREEITEM FindFolder(LPCTSTR lpszPath);
    CString GetItemPath(HTREEITEM hItem) const;
    BOOL RefreshItem(HTREEITEM hItem);
    BOOL RefreshFolder(LPCTSTR lpszPath);
    void SetFilter(LPCTSTR lpszFilter);
    CString GetFilter() const;
    void EnableRedraw(BOOL bEnable);
    void SortChildren(HTREEITEM hItem);
    void ApplyShellOwner();

    LPNAVIGATORITEM GetItemRecord(HTREEITEM hItem) const;
    COXShellNamespaceNavigator& GetNavigator() { return m_navigator; }
    // The item's shell context menu (NULL for an item without data); the
    // caller destroys it.
    HMENU BuildContextMenu(HTREEITEM hItem);

    // ---- virtual operations ----
    virtual BOOL IsObjectAccepted(LPNAVIGATORITEM pItem);
    virtual BOOL IsFileAccepted(LPCTSTR lpszName);

    // The extension of a name as the filter compares it: all after its
    // first ".", the whole name without one, empty when it starts with one.
    static CString FilterExtension(LPCTSTR lpszName);

protected:
    BOOL IsAdmitted(DWORD dwAttributes) const;
    void FillChildren(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlFolder);
    int OwnImageIndex(int nSystemIndex);
    HTREEITEM FirstContentItem() const;
    // Whether the IDs of pidl before pAfterRoot name the tree's root folder.
    BOOL SameRootFolder(LPCITEMIDLIST pidl, LPCITEMIDLIST pAfterRoot);
    HTREEITEM WalkTo(LPCITEMIDLIST pidl, BOOL bOpen, BOOL bExpandLast);
    void SetRightClickMark(HTREEITEM hItem, BOOL bMark);
    void RestoreMarks();
    BOOL ShowContextMenu(HTREEITEM hItem, CPoint ptScreen);
    static int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    afx_msg BOOL OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnDestroy();
    void FreeAllRecords(HTREEITEM hParent);

    COXShellNamespaceNavigator m_navigator;
    HIMAGELIST m_hSystemImageList = NULL;
    CImageList m_imageList;
    CMap<int, int, int, int> m_mapIcons;
    CStringArray m_arrFilters;
    int m_nRedrawLock = 0;
    BOOL m_bLabelEdit = FALSE;
    HTREEITEM m_hRightClickItem = NULL;
    BOOL m_bMenuUp = FALSE;
    LPITEMIDLIST m_pidlRoot = NULL;     // the root folder's full ID list (NULL: the desktop)

    DECLARE_MESSAGE_MAP()
};
