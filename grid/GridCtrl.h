// GridCtrl.h - CGridCtrl: the grid control. A child
// window that shows rows by columns of cell objects, with fixed header rows
// and columns, a focus cell and a selection, in-place editing, sorting,
// clipboard text, printing and text files.
//
// The model (counts, cells, selection, sorting, Save/Load, copy text and
// paste splitting) works without a window: every operation that would paint
// or scroll checks for the window first.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <afxole.h>
#include <vector>
#include "CellRange.h"
#include "GridCellBase.h"
#include "GridCell.h"
#include "GridDefaultCell.h"
#include "TitleTip.h"
#include "GridDropTarget.h"

struct CPrintInfo;
class CPrintDialog;

// The selection map's key: row and column side by side in 64 bits, so that
// grids beyond 65,535 rows or columns give every cell its own key (two
// 16-bit halves in one 32-bit key would collide there).
typedef ULONGLONG GRIDSELKEY;
inline GRIDSELKEY GridSelKey(int nRow, int nCol)
{
    return ((GRIDSELKEY)(DWORD)nCol << 32) | (DWORD)nRow;
}
template<>
inline UINT AFXAPI HashKey<GRIDSELKEY>(GRIDSELKEY key)
{
    // Rows vary fastest; columns are spread over the buckets too.
    return (UINT)key * 2654435761u ^ (UINT)(key >> 32) * 40503u;
}

#define GRID_WNDCLASS _T("MFCGridCtrl")
// Posted by the grid to itself: its scroll bars changed and are to be redrawn.
#define WM_GRID_REDRAWBARS (WM_USER + 0x4A1)
#define GRID_EDITOR_ID 8

// Grid lines.
#define GRIDLINES_NONE 0L
#define GRIDLINES_HORZ 1L
#define GRIDLINES_VERT 2L
#define GRIDLINES_BOTH 3L

// Auto-size styles.
#define AUTOSIZE_DEFAULT 0
#define AUTOSIZE_HEADER 1
#define AUTOSIZE_DATA 2
#define AUTOSIZE_BOTH 3

// FindNextCell flags.
#define FINDCELL_FOCUSED     0x0001
#define FINDCELL_SELECTED    0x0002
#define FINDCELL_DROPHILITED 0x0004
#define FINDCELL_READONLY    0x0008
#define FINDCELL_FIXED       0x0010
#define FINDCELL_MODIFIED    0x0020
#define FINDCELL_ABOVE       0x0100
#define FINDCELL_BELOW       0x0200
#define FINDCELL_TOLEFT      0x0400
#define FINDCELL_TORIGHT     0x0800
#define FINDCELL_ALL         (FINDCELL_BELOW | FINDCELL_TORIGHT | FINDCELL_TOLEFT)
#define FINDCELL_AREA        (FINDCELL_BELOW | FINDCELL_TORIGHT)

// The auto-scroll timer.
#define GRID_AUTOSCROLL_TIMER 513   // id 513

typedef BOOL(CALLBACK* PFNGRIDDISPLAY)(GRIDDISPINFO*, LPARAM);
// Compare function: two cells (either may be NULL) and the caller's value;
// negative, 0 or positive as the first sorts before, with or after the second.
typedef int(CALLBACK* PFNGRIDCOMPARE)(CGridCellBase*, CGridCellBase*, LPARAM);

// A row: one cell pointer per column, owned by the grid.
typedef CTypedPtrArray<CObArray, CGridCellBase*> CGridRow;

// The rows and their heights: a tiered array (blocks of 1,024 slots, each a
// ring), so that inserting or deleting a row moves at most one block's slots
// plus one slot per later block, instead of every row after it, while the
// row at an index is still found in constant time.
class CGridRowArray
{
public:
    struct Row
    {
        CGridRow* pCells;   // NULL in virtual mode
        UINT nHeight;
    };

    CGridRowArray() : m_nSize(0) {}
    ~CGridRowArray() { RemoveAll(); }
    CGridRowArray(const CGridRowArray&) = delete;
    CGridRowArray& operator=(const CGridRowArray&) = delete;

    int GetSize() const { return m_nSize; }
    Row& operator[](int i)
    {
        Block* b = m_blocks[(size_t)i >> kShift];
        return b->items[(b->start + (i & kMask)) & kMask];
    }
    const Row& operator[](int i) const
    {
        const Block* b = m_blocks[(size_t)i >> kShift];
        return b->items[(b->start + (i & kMask)) & kMask];
    }
    void Add(const Row& row) { InsertAt(m_nSize, row); }
    void InsertAt(int nIndex, const Row& row);
    void RemoveAt(int nIndex);
    void RemoveAll();
    void Swap(int i, int j)
    {
        Row t = (*this)[i];
        (*this)[i] = (*this)[j];
        (*this)[j] = t;
    }

private:
    enum { kShift = 10, kBlock = 1 << kShift, kMask = kBlock - 1 };
    struct Block
    {
        Row items[kBlock];
        int start = 0;
        Row& At(int j) { return items[(start + j) & kMask]; }
    };
    int BlockCount(int k) const { return (k < (int)m_blocks.size() - 1) ? (int)kBlock : m_nSize - k * kBlock; }
    std::vector<Block*> m_blocks;
    int m_nSize;
};

class CGridCtrl : public CWnd
{
    DECLARE_DYNCREATE(CGridCtrl)
    friend class CGridCell;
    friend class CGridCellBase;

public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    virtual ~CGridCtrl();

    BOOL Create(const RECT& rect, CWnd* parent, UINT nID, DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);

    // ---- counts ----
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows = 10);
    BOOL SetColumnCount(int nCols = 10);
    BOOL SetFixedRowCount(int nFixedRows = 1);
    BOOL SetFixedColumnCount(int nFixedCols = 1);

    // ---- geometry ----
    int GetRowHeight(int nRow) const;
    BOOL SetRowHeight(int row, int height);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int col, int width);

    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p);
    BOOL GetCellOrigin(const CCellID& cell, LPPOINT p) { return GetCellOrigin(cell.row, cell.column, p); }
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellRect(const CCellID& cell, LPRECT pRect) { return GetCellRect(cell.row, cell.column, pRect); }
    BOOL GetTextRect(const CCellID& cell, LPRECT pRect) { return GetTextRect(cell.row, cell.column, pRect); }
    BOOL GetTextRect(int nRow, int nCol, LPRECT pRect);

    CCellID GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE);

    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualWidth() const;
    long GetVirtualHeight() const;

    CSize GetTextExtent(int nRow, int nCol, LPCTSTR str);

    // ---- options ----
    int GetSelectedCount() const { return (int)m_mapSelected.GetCount(); }

    CCellID SetFocusCell(CCellID cell);
    CCellID SetFocusCell(int nRow, int nCol);
    CCellID GetFocusCell() const { return m_cellFocus; }

    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }

    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    CImageList* GetImageList() const { return m_pImageList; }

    void SetGridLines(int nWhichLines = GRIDLINES_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetListMode(BOOL bEnableListMode = TRUE);
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL bSing = TRUE) { m_bSingleRowSelection = bSing; }
    BOOL GetSingleRowSelection() { return m_bSingleRowSelection && m_bListMode; }
    void SetSingleColSelection(BOOL bSing = TRUE) { m_bSingleColSelection = bSing; }
    BOOL GetSingleColSelection() { return m_bSingleColSelection; }
    void EnableSelection(BOOL bEnable = TRUE)
    {
        ClearSelectionAndFocus();
        m_bEnableSelection = bEnable;
        ClearSelectionAndFocus();
    }
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetFixedColumnSelection(BOOL bSelect) { m_bFixedColumnSelection = bSelect; }
    BOOL GetFixedColumnSelection() { return m_bFixedColumnSelection; }
    void SetFixedRowSelection(BOOL bSelect) { m_bFixedRowSelection = bSelect; }
    BOOL GetFixedRowSelection() { return m_bFixedRowSelection; }
    void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bAllowDragAndDrop = bAllow; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetRowResize(BOOL bResize = TRUE) { m_bAllowRowResize = bResize; }
    BOOL GetRowResize() const { return m_bAllowRowResize; }
    void SetColumnResize(BOOL bResize = TRUE) { m_bAllowColumnResize = bResize; }
    BOOL GetColumnResize() const { return m_bAllowColumnResize; }
    void SetSortOnClick(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
    BOOL GetSortOnClick() const { return m_bSortOnClick; }
    void SetWantTab(BOOL bHandleTab = TRUE) { m_bWantTab = bHandleTab; }
    BOOL GetWantTab() const { return m_bWantTab; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
    BOOL GetTitleTips() { return m_bTitleTips; }
    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(BOOL bAscending) { m_bSortAscending = bAscending; }
    BOOL GetSortAscending() const { return m_bSortAscending; }
    void SetMarkFocusHeaders(BOOL bTrack) { m_bMarkFocusHeaders = bTrack; }
    BOOL GetMarkFocusHeaders() { return m_bMarkFocusHeaders; }
    void SetFocusFrame(BOOL bFrame) { m_bFocusFrame = bFrame; }
    BOOL GetFocusFrame() { return m_bFocusFrame; }
    void SetAutoSizeStyle(int nStyle = AUTOSIZE_BOTH) { m_nAutoSizeStyle = nStyle; }
    int GetAutoSizeStyle() { return m_nAutoSizeStyle; }
    void SetReopenHiddenColumns(BOOL bEnable = TRUE) { m_bReopenHiddenColumns = bEnable; }
    BOOL GetReopenHiddenColumns() { return m_bReopenHiddenColumns; }
    void SetReopenHiddenRows(BOOL bEnable = TRUE) { m_bReopenHiddenRows = bEnable; }
    BOOL GetReopenHiddenRows() { return m_bReopenHiddenRows; }
    void SetAllowColumnHide(BOOL bEnable = TRUE) { m_bAllowColumnHide = bEnable; }
    BOOL GetAllowColumnHide() { return m_bAllowColumnHide; }
    void SetAllowRowHide(BOOL bEnable = TRUE) { m_bAllowRowHide = bEnable; }
    BOOL GetAllowRowHide() { return m_bAllowRowHide; }
    int GetMouseMode() const { return m_nMouseMode; }
    void SetWheelScrollLines(int n) { m_nWheelScrollLines = n; }
    int GetWheelScrollLines() const { return m_nWheelScrollLines; }

    // ---- default cells ----
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;

    // ---- cells ----
    CGridCellBase* GetCell(int nRow, int nCol) const;
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL IsModified(int nRow = -1, int nCol = -1);
    BOOL IsCellFixed(int nRow, int nCol);

    BOOL SetItem(const GRIDITEMINFO* pItem);
    BOOL GetItem(GRIDITEMINFO* pItem);
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    BOOL SetItemTextFmt(int nRow, int nCol, LPCTSTR szFmt, ...);
    BOOL SetItemTextFmtID(int nRow, int nCol, UINT nID, ...);
    virtual CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int iImage);
    int GetItemImage(int nRow, int nCol) const;
    BOOL SetCellState(int nRow, int nCol, UINT state);
    UINT GetCellState(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
    UINT GetItemFormat(int nRow, int nCol) const;
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    BOOL SetItemFont(int nRow, int nCol, const LOGFONT* lf);
    const LOGFONT* GetItemFont(int nRow, int nCol);
    BOOL IsItemEditing(int nRow, int nCol);
    BOOL SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass);
    BOOL SetDefaultCellType(CRuntimeClass* pRuntimeClass);

    // ---- operations ----
    int InsertColumn(LPCTSTR strHeading, UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int nColumn = -1);
    int InsertRow(LPCTSTR strHeading, int nRow = -1);
    BOOL DeleteColumn(int nColumn);
    BOOL DeleteRow(int nRow);
    BOOL DeleteNonFixedRows();
    BOOL DeleteAllItems();

    void ClearCells(CCellRange Selection);

    BOOL AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);
    BOOL AutoSizeColumn(int nCol, UINT nAutoSizeStyle = AUTOSIZE_DEFAULT, BOOL bResetScroll = TRUE);
    void AutoSizeRows();
    void AutoSizeColumns(UINT nAutoSizeStyle = AUTOSIZE_DEFAULT);
    void AutoSize(UINT nAutoSizeStyle = AUTOSIZE_DEFAULT);
    void ExpandColumnsToFit(BOOL bExpandFixed = TRUE);
    void ExpandLastColumn();
    void ExpandRowsToFit(BOOL bExpandFixed = TRUE);

    void Refresh();
    void AutoFill();

    void EnsureVisible(CCellID& cell) { EnsureVisible(cell.row, cell.column); }
    void EnsureVisible(int nRow, int nCol);
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL IsCellVisible(CCellID cell) { return IsCellVisible(cell.row, cell.column); }
    BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellEditable(const CCellID& cell) const { return IsCellEditable(cell.row, cell.column); }
    BOOL IsCellInSelection(int nRow, int nCol) const;
    BOOL IsCellInSelection(CCellID cell) const { return IsCellInSelection(cell.row, cell.column); }

    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    BOOL RepaintCell(int nRow, int nCol, CDC* pDC = NULL);
    BOOL RepaintCell(const CCellID& cell, CDC* pDC = NULL) { return RepaintCell(cell.row, cell.column, pDC); }
    BOOL RepaintRow(int row);
    BOOL RepaintColumn(int col);
    BOOL InvalidateCellRect(const int row, const int col);
    BOOL InvalidateCellRect(const CCellID& cell) { return InvalidateCellRect(cell.row, cell.column); }
    BOOL InvalidateCellRect(const CCellRange& cellRange);

    BOOL Save(LPCTSTR filename, TCHAR chSeparator = _T(','));
    BOOL Load(LPCTSTR filename, TCHAR chSeparator = _T(','));

    // ---- selection ----
    CCellRange GetCellRange() const;
    CCellRange GetSelectedCellRange() const;
    void SetSelectedRange(const CCellRange& Range, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    void SetSelectedCellRange(const CCellRange& Range, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE)
    {
        SetSelectedRange(Range, bForceRepaint, bSelectCells);
    }
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CCellID& cell) const;
    BOOL IsValid(const CCellRange& range) const;
    void ClearSelectionAndFocus();
    void ClearSelectionMap();
    CCellID FindNextCell(CCellID start, int nFlags) const;

    // ---- clipboard ----
    virtual void CutSelectedText();
    virtual COleDataSource* CopyTextFromGrid();
    virtual BOOL PasteTextToGrid(CCellID cell, COleDataObject* pDataObject, BOOL bSelectPastedCells = TRUE);
    // The copy text of the selection (CF_TEXT without the NUL); empty when
    // nothing is selected. The same text CopyTextFromGrid puts on the clipboard.
    CString GetSelectionText();
    // Pastes text as PasteTextToGrid does with the clipboard's CF_TEXT.
    BOOL PasteText(CCellID cell, LPCTSTR szText, BOOL bSelectPastedCells = TRUE);

    // ---- drag and drop ----
    virtual void OnBeginDrag();
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();

    // ---- sorting ----
    void SetCompareFunction(PFNGRIDCOMPARE pfnCompare) { m_pfnCompare = pfnCompare; }
    BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItemsByText(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItemsWith(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0)
    {
        return SortItems(pfnCompare, nCol, bAscending, data);
    }
    BOOL SortRange(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high);
    // The compare functions supplied with the grid.
    static int CALLBACK CompareCellText(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM lParamSort);
    static int CALLBACK CompareCellLong(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM lParamSort);
    static int CALLBACK CompareCellFloat(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM lParamSort);
    // The texts' order as CompareCellText gives it (unsigned bytes).
    static int CompareTexts(LPCTSTR psz1, LPCTSTR psz2);

    // ---- printing ----
    void Print(CPrintDialog* pPrntDialog = NULL);
    void SetPrintColours(BOOL bEnable = TRUE) { m_bPrintColours = bEnable; }
    BOOL GetPrintColours() { return m_bPrintColours; }
    void SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                            int nTopMargin, int nBottomMargin, int nGap);
    void GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin, int& nRightMargin,
                            int& nTopMargin, int& nBottomMargin, int& nGap);
    void SetPrintAtScreenSize(BOOL b) { m_bPrintAtScreenSize = b; }
    // The print state of the last OnBeginPrinting (for tests and callers).
    CSize GetPrintCharSize() const { return m_sizeChar; }
    int GetPrintPagesDown() const { return m_nPagesDown; }
    int GetPrintPagesAcross() const { return m_nPagesAcross; }

    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    // ---- scrolling ----
    BOOL ResetScrollBars();
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE);
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);

    // ---- painting ----
    virtual void OnDraw(CDC* pDC);
    CCellRange VisibleRange(LPRECT pRect = NULL, BOOL bForceRecalculation = FALSE);
    CCellRange UnobstructedRange(BOOL bForceRecalculation = FALSE);
    CCellID GetTopleftNonFixedCell(BOOL bForceRecalculation = FALSE);
    void EraseBkgnd(CDC* pDC);

    // ---- editing and notifications ----
    virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void OnEndEditCell(int nRow, int nCol, CString str);
    virtual BOOL ValidateEdit(int nRow, int nCol, LPCTSTR str);
    virtual void EndEditing();
    BOOL ReplaceCellText(int nRow, int nCol, LPCTSTR szText);
    LRESULT NotifyOwner(int nRow, int nCol, int nMessage) const;
    LRESULT SendDisplayRequest(GRIDDISPINFO* pDisplayInfo) const;
    LRESULT SendCacheHint(const CCellRange& range) const;

    // The selection steps.
    virtual void SelectAllCells();
    void SelectColumnRange(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectRowRange(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectCellRange(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectEveryCell();
    void ExtendSelectionTo(const CCellID& currentCell);


    // The title tip (for tests and owners).
    CTitleTip& GetTitleTip() { return m_TitleTip; }

    // Options the owners read and set directly.
    COLORREF m_crGridBack;
    COLORREF m_crLines;
    COLORREF m_crTitleTipBack, m_crTitleTipText;
    // Virtual mode: the display callback and its value (else LVN_GETDISPINFO goes to the owner).
    PFNGRIDDISPLAY m_pfnCallback;
    LPARAM m_lParamCallback;
    BOOL m_bEditable;
    BOOL m_bSortOnClick;
    BOOL m_bAllowRowResize;
    BOOL m_bAllowColumnResize;
    BOOL m_bSortAscending;
    int m_nSortColumn;

protected:
    BOOL RegisterWindowClass();
    BOOL Initialise();
    void SetupDefaultCells();

    LRESULT SendToOwner(NMHDR* pHdr) const;

    BOOL IsVScrollShown() { return (m_nShownBars & GRIDLINES_VERT) > 0; }
    BOOL IsHScrollShown() { return (m_nShownBars & GRIDLINES_HORZ) > 0; }
    void EnableScrollBars(int nBar, BOOL bEnable = TRUE);
    CRect GetScrollRect(int nBar) const;

    int GetColumnLeft(int nCol) const;

    CPoint GetPointClicked(int nRow, int nCol, const CPoint& point);

    void SizeSelectionMap(LONGLONG nEntries);

    // Divider sizing along the rows (bRows) or the columns.
    int AxisExtent(BOOL bRows, int i) const;
    BOOL AxisStart(BOOL bRows, int i, int& nStart);
    BOOL MouseOverResizeArea(BOOL bRows, CPoint point);
    BOOL HoverDivider(CPoint point);
    void InvertSizingLine(BOOL bRows, int nPos);
    void BeginSizing(BOOL bRows, CPoint point);
    void EndSizing(BOOL bRows, CPoint point);
    void FitToDivider(BOOL bRows, CPoint point, CCellID cell);

    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);
    CGridCellBase* NewCell(int nRow, int nCol);
    void NoteCellKind(const CGridCellBase* pCell);

    virtual void OnFixedColumnClick(CCellID& cell);
    virtual void OnFixedRowClick(CCellID& cell);

    virtual BOOL PrintGridCell(int nRow, int nCol, CDC* pDC, CRect rect, CGridCellBase* pCell);
    virtual void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintRowHeadings(CDC* pDC, CPrintInfo* pInfo);


    template <class Extent>
    static std::vector<int> PageStarts(int nFirst, int nCount, int nSpace, Extent extent);

    // The parent's first non-empty window text.
    CString GetParentTitle();


    // One row of text as Save writes it / a line as Load reads it.
    static void SplitLoadLine(const CString& line, TCHAR chSeparator, CStringArray& fields);

    void PreSubclassWindow() override;

    // Message handlers.
    afx_msg void OnPaint();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void ScrollAlong(int nBar, UINT nSBCode);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnSysColorChange();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg LRESULT OnSetFont(WPARAM hFont, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM hFont, LPARAM lParam);
    afx_msg LRESULT OnImeChar(WPARAM wCharCode, LPARAM lParam);
    afx_msg LRESULT OnRedrawBars(WPARAM, LPARAM);
    afx_msg void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    // ---- data ----
    // The system colours last seen, so that a colour change moves only the
    // default colours the owner did not replace.
    COLORREF m_crSysWindowText, m_crSysWindow, m_crSysFace, m_crSysShadow;

    BOOL m_bVirtualMode;

    int m_nGridLines;
    BOOL m_bModified;
    BOOL m_bAllowDragAndDrop;
    BOOL m_bListMode;
    BOOL m_bSingleRowSelection;
    BOOL m_bSingleColSelection;
    BOOL m_bAllowDraw;
    BOOL m_bEnableSelection;
    BOOL m_bFixedColumnSelection, m_bFixedRowSelection;
    BOOL m_bWantTab;
    BOOL m_bDoubleBuffer;
    BOOL m_bTitleTips;
    int m_nShownBars;
    BOOL m_bPrintAtScreenSize;
    BOOL m_bReopenHiddenColumns, m_bReopenHiddenRows;
    BOOL m_bAllowColumnHide, m_bAllowRowHide;
    BOOL m_bMarkFocusHeaders;
    BOOL m_bFocusFrame;
    UINT m_nAutoSizeStyle;

    int m_nRows, m_nFixedRows, m_nCols, m_nFixedCols;
    CUIntArray m_arColWidths;
    int m_nVScrollMax, m_nHScrollMax;

    CRuntimeClass* m_pCellClass;
    CGridDefaultCell m_defCellNormal;
    CGridDefaultCell m_defCellFixedCol, m_defCellFixedRow, m_defCellFixedBoth;
    CFont m_fontPrinter;

    CImageList* m_pImageList;

    // The rows (cells and heights).
    CGridRowArray m_arRows;

    enum eMouseModes
    {
        MOUSE_NOTHING,
        MOUSE_SELECT_ALL,
        MOUSE_SELECT_COL,
        MOUSE_SELECT_ROW,
        MOUSE_SELECT_CELLS,
        MOUSE_SCROLLING_CELLS,
        MOUSE_OVER_ROW_DIVIDE,
        MOUSE_SIZING_ROW,
        MOUSE_OVER_COL_DIVIDE,
        MOUSE_SIZING_COL,
        MOUSE_PREPARE_EDIT,
        MOUSE_PREPARE_DRAG,
        MOUSE_DRAGGING
    };
    int m_nMouseMode;
    BOOL m_bLeftButtonDown, m_bRightButtonDown;
    CPoint m_pressPoint, m_lastPointerPos;
    CCellID m_cellLeftDown, m_cellSelectStart;
    CCellID m_cellFocus, m_cellTopLeft;
    UINT_PTR m_nAutoScrollTimer;
    int m_nAutoScrollInterval;
    int m_nResizeMargin;
    int m_nWheelScrollLines;
    CMap<GRIDSELKEY, GRIDSELKEY, CCellID, CCellID&> m_mapSelected, m_mapPrevSelected;

    CTitleTip m_TitleTip;

    CCellID m_CurCol;   // the cell being sized
    CCellID m_cellDragOver;
    CGridDropTarget m_DropTarget;

    // Printing.
    CSize m_sizeChar;
    int m_nPageHeight;
    CSize m_sizeLogicalPage, m_sizePaperDevice;
    int m_nPageWidth;
    int m_nCurrPrintCol, m_nPrintColEnd;   // the page's columns: from, and one past the last
    int m_nCurrPrintRow, m_nPrintRowEnd;   // and its rows
    int m_nNumPages;
    int m_nPagesDown, m_nPagesAcross;
    std::vector<int> m_arPrintRowStarts, m_arPrintColStarts;   // the first row (column) of each page

    PFNGRIDCOMPARE m_pfnCompare;

    BOOL m_bPrintColours;
    int m_nHeaderHeight, m_nFooterHeight, m_nLeftMargin, m_nRightMargin, m_nTopMargin, m_nBottomMargin, m_nGap;

    // Set once a cell other than a plain CGridCell is in the grid: only such
    // cells are told their new places when rows move.
    BOOL m_bCellsKnowTheirPlace;
    BOOL m_bBarsRedrawPosted;   // WM_GRID_REDRAWBARS is on its way

    // Re-entry guards.
    BOOL m_bInSize;
    BOOL m_bInPreSubclass;

public:
    // The sample whose extent gives the printer's average character width
    // (divided by its real length, 53).
    static const TCHAR* const kPrintSample;
};

// The virtual-mode display record and cell are per process.
