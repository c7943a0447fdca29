// COXTreeCtrl: a multi-column tree shown as the rows of an owner-drawn
// report list. The control keeps the tree itself (COXTreeItem) and holds one
// list row per displayed item, in depth-first order; it offers the
// programming interface of a tree control (item handles, TVI_ROOT, the TVGN_
// and TVE_ codes, TVITEM records and TVN_ notifications) on top of the list.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#include <vector>

#include "OXItemTip.h"
#include "OXTreeCal.h"
#include "OXTreeCombo.h"
#include "OXTreeEdit.h"
#include "OXTreeHeader.h"
#include "OXTreeItem.h"

#define TVXS_FIXEDEDITSIZE 0x00040000
#define TVXS_MULTISEL 0x00080000
#define TVXS_COLUMNHDR 0x00100000
#define TVXS_FULLROWSEL 0x00200000
#define TVXS_HGRID 0x00400000
#define TVXS_VGRID 0x00800000
#define TVXS_HGRIDEXT 0x01000000
#define TVXS_ROWCLICK 0x02000000
#define TVXS_NOSCROLL 0x04000000
#define TVXS_NOSORTHEADER 0x08000000
#define TVXS_SHAREIMAGELISTS 0x10000000
#define TVXS_ITEMTIPS 0x20000000
#define TVXS_AUTOFITCOLUMNS 0x40000000
#define TVXS_NOFOCUSRECT 0x80000000

// Sent to the parent after the columns were fitted to the client width.
#define WM_TREE_FITCOLUMNS (WM_USER + 91)
// Asks the parent for the flat layout of a property list (nonzero: flat).
// A registered message: WM_USER + 92 is also the sizing-dock frames' drag
// query, and a tree inside such a frame must not take that answer for its own.
UINT OXTreeQueryFlatMessage();
#define WM_TREE_QUERYFLAT (OXTreeQueryFlatMessage())

// The type-ahead search's timer.
#define OXTREE_SEARCH_TIMER 237

class COXTreeCtrl : public CListCtrl, public COXTreeRows
{
    DECLARE_DYNAMIC(COXTreeCtrl)
public:
    COXTreeCtrl();
    virtual ~COXTreeCtrl();

    // Creation and styles.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwExStyle);
    using CListCtrl::Create;
    virtual BOOL InitTreeCtrl();
    DWORD GetStyle() const;
    DWORD HasButtons() const { return m_dwTCStyle & TVS_HASBUTTONS; }
    DWORD HasLines() const { return m_dwTCStyle & TVS_HASLINES; }
    DWORD HasLinesAtRoot() const { return m_dwTCStyle & TVS_LINESATROOT; }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyExStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    DWORD GetExStyle() const { return m_dwExStyle; }
    DWORD HasRowClick() const { return m_dwExStyle & TVXS_ROWCLICK; }
    DWORD HasHGridExt() const { return m_dwExStyle & TVXS_HGRIDEXT; }
    DWORD HasExStyle(DWORD dwMask) const { return m_dwExStyle & dwMask; }
    void SetHGridColor(COLORREF clr) { m_clrHGrid = clr; }
    void SetVGridColor(COLORREF clr) { m_clrVGrid = clr; }
    UINT GetIndent() const { return m_nIndent; }
    void SetIndent(UINT nIndent);
    UINT GetCount() const { return m_nItemCount; }
    HWND GetHeaderWnd() const;
    BOOL IsHeaderSortable() const;
    int GetSortColumn() const { return m_header.GetSortColumn(); }
    int GetSortOrder() const { return m_header.GetSortOrder(); }
    COXTreeHeader& GetHeader() { return m_header; }
    int SetRedraw(BOOL bRedraw = TRUE);

    // Items.
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct);
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    virtual BOOL Expand(HTREEITEM hItem, UINT nCode);
    BOOL HideItem(HTREEITEM hItem, BOOL bHide = TRUE);
    BOOL IsItemHidden(HTREEITEM hItem) const;
    HTREEITEM GetFirstHiddenItem() const;
    HTREEITEM GetNextHiddenItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevHiddenItem(HTREEITEM hItem) const;
    BOOL DisableItem(HTREEITEM hItem, BOOL bDisable = TRUE);
    BOOL IsItemDisabled(HTREEITEM hItem) const;
    BOOL EnsureVisible(HTREEITEM hItem);
    BOOL SelectSetFirstVisible(HTREEITEM hItem);

    // Navigation.
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL IsAncestor(HTREEITEM hAncestor, HTREEITEM hItem) const;
    HTREEITEM GetRootItem() const { return m_root.Handle(); }
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem, BOOL bInView = FALSE) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem, BOOL bInView = FALSE) const;
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetDropHilightItem() const;
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    using CListCtrl::GetNextItem;

    // Selection.
    BOOL Select(HTREEITEM hItem, UINT nCode);
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL RedrawItemRange(HTREEITEM hFirst, HTREEITEM hLast);

    // The rows (COXTreeRows).
    int RowOf(const COXTreeItem* pItem) const override;
    int RowOf(HTREEITEM hItem) const { return RowOf(ItemOf(hItem)); }
    int InsertRow(COXTreeItem* pItem, int nRow) override;
    void DeleteRow(int nRow) override;
    void DeleteRows(int nFirst, int nCount) override;
    COXTreeItem* ItemOfRow(int nRow) const;

    // TVITEM emulation.
    BOOL SetItem(TVITEM* pItem);
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    BOOL GetItem(TVITEM* pItem) const;
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);

    // Cells: column 0 is the item, above 0 its sub-item.
    CString GetItemText(HTREEITEM hItem, int nCol = 0) const;
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszText, int nCol = 0);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage, int nCol = 0) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage, int nCol = 0);
    BOOL SetSubItem(HTREEITEM hItem, int nCol, UINT uFlags, LPCTSTR lpszText, int nImage = 0, CFont* pFont = NULL,
                    COLORREF clrText = 0, COLORREF clrBack = 0);
    BOOL SetItemTextColor(HTREEITEM hItem, COLORREF clr, int nCol = 0) { return SetCellColor(hItem, clr, nCol, TRUE); }
    BOOL SetItemBackColor(HTREEITEM hItem, COLORREF clr, int nCol = 0) { return SetCellColor(hItem, clr, nCol, FALSE); }
    COLORREF GetItemTextColor(HTREEITEM hItem, int nCol = 0) const;
    BOOL SetItemFont(HTREEITEM hItem, CFont* pFont, int nCol = 0);
    CFont* GetItemFont(HTREEITEM hItem, int nCol = 0) const;
    BOOL SetItemDrawFormat(HTREEITEM hItem, UINT nFormat, int nCol = 0);
    BOOL GetItemDrawFormat(HTREEITEM hItem, UINT& nFormat, int nCol = 0) const;
    BOOL SetItemEditMode(HTREEITEM hItem, int nMode, const CStringArray& arrChoices, int nCol = 0);
    BOOL SetItemPlainEdit(HTREEITEM hItem, int nCol = 0);
    BOOL SetItemNoEdit(HTREEITEM hItem, int nCol = 0);
    int SetItemChoices(HTREEITEM hItem, const CStringArray& arrChoices, int nCol = 0);
    CStringArray* GetItemChoices(HTREEITEM hItem, int nCol = 0) const;

    // Columns.
    int GetColumnCount() const;
    BOOL DeleteColumn(int nCol);
    int GetColumnFitWidth(int nCol);
    BOOL FitColumnWidth(int nCol);

    // Sorting, copying and moving.
    virtual BOOL SortChildren(HTREEITEM hParent, int nCol = 0, BOOL bAscending = TRUE, PFNTVCOMPARE lpfnCompare = NULL,
                              LPARAM lParam = 0);
    BOOL SortChildrenCB(LPTVSORTCB pSort, int nCol = 0);
    void SetColumnCompareFunction(int nCol, PFNTVCOMPARE pfn) { m_mapCompare.SetAt(nCol, pfn); }
    BOOL CopyItem(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hInsertAfter = TVI_LAST, BOOL bWithChildren = TRUE,
                  HTREEITEM* phNewItem = NULL);
    BOOL MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hInsertAfter = TVI_LAST,
                  COXTreeCtrl* pTarget = NULL);

    // Drawing and geometry.
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    virtual void DrawItemButton(CDC* pDC, const CRect& rect, BOOL bExpanded);
    int GetItemIndent(HTREEITEM hItem) const;
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    using CListCtrl::GetItemRect;
    // nPart: 0 the button, 1 the image, 2 the state image, 3 the label.
    BOOL GetItemPartRect(int nPart, HTREEITEM hItem, LPRECT lpRect, int& nIndent) const;
    int HitTest(CPoint pt, UINT* pFlags = NULL) const;
    HTREEITEM HitTest(TVHITTESTINFO* pInfo) const;
    CSize GetCellTextExtent(int nRow, int nCol) const;
    // Where the list draws the first letter of a sub-item's text (nCol > 0),
    // in client coordinates: an editor over the cell puts its text there.
    CPoint GetSubItemTextOrigin(HTREEITEM hItem, int nCol);
    int GetRowStateImage(int nRow) const;
    CImageList* GetImageList(int nKind) const;
    CImageList* SetImageList(CImageList* pImageList, int nKind);
    BOOL SetItemHeight(int nHeight);
    // A new image list the caller owns: the item's row (bMultiple: every
    // selected row) as dragged; NULL when the item has no row.
    CImageList* CreateDragImage(HTREEITEM hItem, BOOL bMultiple = FALSE);
    int GetItemHeight() const { return m_nItemHeight; }
    // The least row height that shows the control's font whole: its cell
    // height and leading, a pixel above and below, and the horizontal grid
    // line drawn over the row's last pixel row. 0 without a window or font.
    int GetFontRowHeight() const;
    // The button square drawn in a slot of the indentation.
    static CRect ButtonRect(const CRect& rectSlot);

    // Input and editing.
    CEdit* EditLabel(HTREEITEM hItem, int nCol = 0);
    int GetCellAtEditPoint(HTREEITEM hItem, LPRECT pTextRect) const;
    // The middle of a cell, in client coordinates: where an edit of it is asked.
    CPoint EditPointOf(HTREEITEM hItem, int nCol) const;
    virtual CWnd* StartEditCell(CWnd* pListEdit, COXTreeItem* pItem, const CRect& rectText, int nCol,
                                LRESULT* pResult);
    virtual void GetItemTipInfo(WPARAM wParam, OXITEMTIPINFO* pInfo);
    // The text a type-ahead search compares: upper case in the code page
    // (the program's own unless another is named).
    static CString FoldForSearch(LPCTSTR lpszText, UINT nCodePage = CP_ACP);
    const CString& GetSearchText() const { return m_sSearch; }

    // Item handle to item, TVI_ROOT and NULL the root where allowed.
    COXTreeItem* ItemOf(HTREEITEM hItem) const;
    COXTreeItem* GetRoot() { return &m_root; }

protected:
    static BOOL IsReal(HTREEITEM hItem) { return hItem != NULL && hItem != TVI_FIRST && hItem != TVI_LAST; }
    BOOL AddRow(COXTreeItem* pItem);
    BOOL SetCellColor(HTREEITEM hItem, COLORREF clr, int nCol, BOOL bText);
    void RedrawRow(COXTreeItem* pItem);
    LRESULT Notify(NMHDR* pHdr) const;
    BOOL SendExpandNotify(UINT nCode, COXTreeItem* pItem, UINT nAction);
    void SendDeleteNotify(COXTreeItem* pItem);
    void NotifyDeleteSubtree(COXTreeItem* pItem);
    int CountSubtree(const COXTreeItem* pItem) const;
    void ForgetDropHilite(const COXTreeItem* pSubtree);
    BOOL IsFlat() const;
    BOOL IsDisplayed(const COXTreeItem* pItem) const;
    BOOL IsRowInView(int nRow) const;
    COXTreeItem* PrevDisplayed(COXTreeItem* pItem) const;
    // The row index read again from the list; forgotten (the items' rows
    // cleared only while the items still live).
    void ReadRows();
    // A row is about to be inserted or deleted under the redraw lock.
    void NoteRowChange();
    enum { kRowChangesDrawn = 1 };
    void ForgetRows(BOOL bItemsAlive);
    void ReorderRows(COXTreeItem* pParent, int nFirst, int nCount);
    COLORREF ListBackColor() const;
    COLORREF CellBackColor(const COXTreeItem* pItem, int nCol) const;
    COLORREF CellTextColor(const COXTreeItem* pItem, int nCol) const;
    CFont* CellFont(const COXTreeItem* pItem, int nCol);
    int ColumnWidth(int nCol) const;
    // How far column nCol starts from the row's left edge.
    int ColumnOffset(int nCol) const;
    int ColumnFormat(int nCol) const;
    CSize ImageSize(int nKind) const;
    int ImageWidth(int nKind) const;
    int ShownImage(COXTreeItem* pItem, BOOL bSelected, int nCol = 0) const;
    BOOL IsRowSelected(const COXTreeItem* pItem) const;
    void DrawCellText(CDC* pDC, const CRect& rect, LPCTSTR lpszText, int nColFormat, BOOL bFocus, COLORREF clrBack,
                      UINT nFormat);
    void DrawLines(CDC* pDC, const CRect& rectArea, COXTreeItem* pItem, int nRow);
    void FitColumnsToClient();
    void Search(LPCTSTR lpszAdd);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AttachHeader();
    void PostNcDestroy() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMIS);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyle);
    afx_msg BOOL OnFocusChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDeleteAllRows(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnFitColumns(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetItemTipInfo(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

public:
    BOOL m_bInit;
    COXTreeCombo m_combo;
    COXTreeCal m_cal;
    COXTreeHeader m_header;
    int m_nEditColumn;
    CWnd* m_pActiveEditor;
    CPoint m_ptEdit;
    COXTreeEdit m_edit;
    DWORD m_dwTCStyle;
    CPen m_penLines;
    DWORD m_dwExStyle;
    UINT m_nIndent;
    COXTreeItem m_root;
    int m_nItemHeight;
    UINT m_nItemCount;
    BOOL m_bDragImage;
    COXTreeItem* m_pDropHilite;
    COLORREF m_clrHGrid;
    COLORREF m_clrVGrid;
    CMap<int, int, PFNTVCOMPARE, PFNTVCOMPARE> m_mapCompare;
    BOOL m_bItemTipPending;
    COXItemTip m_itemTip;
    int m_nRedrawLock;
    UINT_PTR m_nSearchTimer;
    CString m_sSearch;
    int m_nPendingEditColumn;
    std::vector<COXTreeItem*> m_arrRows;
    mutable int m_nRowsNumbered;
    BOOL m_bRedrawOff;
    int m_nLockedRowChanges;
    BOOL m_bFocused;
};
