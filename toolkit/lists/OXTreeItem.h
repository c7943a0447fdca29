// The data behind the multi-column tree: COXTreeItem holds column 0 of one
// item (label, images, colours, font) and a COXTreeSubItem for each further
// column given something; items form a linked tree of their own, apart from
// the list rows that show the visible ones. The rows are reached through
// COXTreeRows, which the tree control implements, so that the model runs and
// is tested without a window.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#define TIF_SHOWN 0x01
#define TIF_DISABLED 0x02
#define TIF_TEXTCOLOR 0x04
#define TIF_FONT 0x08
#define TIF_BACKCOLOR 0x10

#define TSF_IMAGE 0x01
#define TSF_FONT 0x02
#define TSF_TEXTCOLOR 0x04
#define TSF_TEXT 0x08
#define TSF_BACKCOLOR 0x10

#define TEM_EDIT 0
#define TEM_COMBO 1
#define TEM_DATE 2
#define TEM_NONE 3

class COXTreeItem;

// The list rows of a tree: one row per visible item, carrying the item.
class COXTreeRows
{
public:
    virtual ~COXTreeRows() {}
    // The row showing the item, -1 when it has none (the root never has one).
    virtual int RowOf(const COXTreeItem* pItem) const = 0;
    // Inserts a row for the item at nRow; the row's index, -1 on failure.
    virtual int InsertRow(COXTreeItem* pItem, int nRow) = 0;
    virtual void DeleteRow(int nRow) = 0;
    // Deletes the block of rows [nFirst, nFirst + nCount), the last first,
    // so that no row below the block moves more than once per row deleted.
    virtual void DeleteRows(int nFirst, int nCount)
    {
        for (int nRow = nFirst + nCount - 1; nRow >= nFirst; nRow--)
            DeleteRow(nRow);
    }
};

class COXTreeSubItem
{
public:
    explicit COXTreeSubItem(int nColumn = -1);
    COXTreeSubItem(const COXTreeSubItem&) = delete;
    COXTreeSubItem& operator=(const COXTreeSubItem&) = delete;

    void SetTextColor(COLORREF clr) { m_clrText = clr; m_nFlags |= TSF_TEXTCOLOR; }
    void SetBackColor(COLORREF clr) { m_clrBack = clr; m_nFlags |= TSF_BACKCOLOR; }
    BOOL SetFont(CFont* pFont);
    void CopyFrom(const COXTreeSubItem& other);

    CString m_sText;
    int m_nColumn;
    UINT m_nFlags;
    int m_nImage;
    UINT m_nDrawFormat;
    CStringArray m_arrChoices;
    int m_nEditMode;
    CFont m_font;
    COLORREF m_clrText;
    COLORREF m_clrBack;
};

class COXTreeItem
{
public:
    COXTreeItem();
    explicit COXTreeItem(LPCTSTR lpszText);
    virtual ~COXTreeItem();
    COXTreeItem& operator=(const COXTreeItem& other);
    COXTreeItem(const COXTreeItem&) = delete;

    // Links and traversal.
    void Unlink();
    COXTreeItem* AddChild(COXTreeItem* pItem, HTREEITEM hAfter = NULL);
    HTREEITEM FindSortedPosition(LPCTSTR lpszText, BOOL bAscending = TRUE) const;
    void MoveDown();
    void DeleteChildren();
    COXTreeItem* GetFirstChild() const { return m_pFirstChild; }
    int GetChildCount() const;
    int CountChildren(BOOL bAll) const;
    COXTreeItem* GetLastChild() const;
    BOOL IsChild(HTREEITEM hItem) const;
    int GetLevel() const;
    COXTreeItem* GetNextInOrder() const;
    COXTreeItem* GetPrevInOrder() const;
    HTREEITEM Handle() const { return (HTREEITEM)this; }

    // State.
    BOOL IsHidden() const { return !(m_nFlags & TIF_SHOWN); }
    void Hide(BOOL bHide) { m_nFlags = bHide ? (m_nFlags & ~TIF_SHOWN) : (m_nFlags | TIF_SHOWN); }
    BOOL IsVisible() const;
    BOOL IsUnderCollapsedAncestor() const;
    BOOL IsLastShownSibling() const;
    BOOL HasChildren() const;
    BOOL IsDisabled() const { return (m_nFlags & TIF_DISABLED) != 0; }
    void SetDisabled(BOOL bDisabled) { m_nFlags = bDisabled ? (m_nFlags | TIF_DISABLED) : (m_nFlags & ~TIF_DISABLED); }
    BOOL IsExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL bExpanded);
    // The label as text: an empty string for none or a text the owner gives.
    CString GetLabel() const;
    BOOL HasCallbackText() const { return m_tvi.pszText == LPSTR_TEXTCALLBACK; }
    void SetLabel(LPCTSTR lpszText);

    // Per column: column 0 is the item itself.
    COXTreeSubItem* GetSubItem(int nColumn) const;
    int GetImage(int nColumn, BOOL bNormal) const;
    int GetSubItemImage(int nColumn) const;
    CString GetSubItemText(int nColumn) const;
    BOOL SetSubItemText(LPCTSTR lpszText, int nColumn);
    BOOL SetSubItem(int nColumn, UINT nMask, LPCTSTR lpszText, int nImage, CFont* pFont, COLORREF clrText,
                    COLORREF clrBack);
    BOOL HasTextColor(int nColumn) const;
    COLORREF GetTextColor(int nColumn) const;
    void SetTextColor(COLORREF clr) { m_clrText = clr; m_nFlags |= TIF_TEXTCOLOR; }
    BOOL HasBackColor(int nColumn) const;
    COLORREF GetBackColor(int nColumn) const;
    void SetBackColor(COLORREF clr) { m_clrBack = clr; m_nFlags |= TIF_BACKCOLOR; }
    BOOL HasFont(int nColumn) const;
    CFont* GetFont(int nColumn) const;
    BOOL SetFont(int nColumn, CFont* pFont);
    UINT GetDrawFormat(int nColumn) const;
    void SetDrawFormat(UINT nFormat, int nColumn);
    int GetEditMode(int nColumn) const;
    void SetEditMode(int nMode, const CStringArray& arrChoices, int nColumn);
    const CStringArray& GetChoices(int nColumn) const;
    int SetChoices(const CStringArray& arrChoices, int nColumn);
    void RemoveColumn(int nColumn);

    // Expansion and the rows of the descendants.
    BOOL Expand(UINT nCode, COXTreeRows* pRows);
    int InsertVisibleChildRows(COXTreeRows* pRows, int nRow);
    void UpdateChildRows(COXTreeRows* pRows);
    void RemoveChildRows(COXTreeRows* pRows);
    // The rows of the descendants: one block [nFirst, nFirst + nCount) right
    // below the item while the rows match the tree (nFirst -1 when none has
    // one); FALSE when the rows found are not one block.
    BOOL FindDescendantRows(COXTreeRows* pRows, int& nFirst, int& nCount) const;

    // Sorting and copying.
    BOOL CompareWithNext(int nColumn, BOOL bAscending) const;
    BOOL SortChildren(int nColumn, BOOL bOnlyThisLevel, BOOL bAscending, PFNTVCOMPARE pfnCompare,
                      LPARAM lParamSort);
    COXTreeItem* CopySubtree(const COXTreeItem* pSource, HTREEITEM hAfter, BOOL bRecursive);

    CFont m_font;
    COLORREF m_clrText;
    COLORREF m_clrBack;
    TVITEMA m_tvi;
    UINT m_nDrawFormat;
    UINT m_nFlags;
    BOOL m_bExpanded;
    BOOL m_bExpandedOnce;
    COXTreeItem* m_pParent;
    COXTreeItem* m_pNext;
    COXTreeItem* m_pPrev;
    COXTreeItem* m_pFirstChild;
    CArray<COXTreeSubItem*, COXTreeSubItem*> m_arrSubItems;
    CStringArray m_arrChoices;
    int m_nEditMode;
    // The row the rows' owner last gave the item (-1: none), and that owner:
    // a hint the owner checks, never the model's own truth.
    mutable int m_nRow;
    mutable const COXTreeRows* m_pRowsOwner;

protected:
    void Init();
    void FreeText();
    void SwapWithNext();
    void DeleteDescendantRows(COXTreeRows* pRows);
};
