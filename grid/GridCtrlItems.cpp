// GridCtrlItems.cpp - the model's item access, which works without a window: a cell's text,
// data, image, state, format, colours and font, its modified mark, and which cells are valid.
#include "GridCtrl.h"

BOOL CGridCtrl::SetItem(const GRIDITEMINFO* pItem)
{
    if (pItem == NULL || GetVirtualMode())
        return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->column);
    if (pCell == NULL)
        return FALSE;

    SetModified(TRUE, pItem->row, pItem->column);

    if (pItem->mask & GRIDITEM_TEXT)
        pCell->SetText(pItem->strText);
    if (pItem->mask & GRIDITEM_PARAM)
        pCell->SetData(pItem->lParam);
    if (pItem->mask & GRIDITEM_IMAGE)
        pCell->SetImage(pItem->image);
    if (pItem->mask & GRIDITEM_STATE)
        SetCellState(pItem->row, pItem->column, pItem->state);
    if (pItem->mask & GRIDITEM_FORMAT)
        pCell->SetFormat(pItem->format);
    if (pItem->mask & GRIDITEM_BKCLR)
        pCell->SetBackClr(pItem->crBack);
    if (pItem->mask & GRIDITEM_FGCLR)
        pCell->SetTextClr(pItem->crText);
    if (pItem->mask & GRIDITEM_FONT)
        pCell->SetFont(&(pItem->lfFont));
    if (pItem->mask & GRIDITEM_MARGIN)
        pCell->SetMargin(pItem->margin);
    return TRUE;
}

BOOL CGridCtrl::GetItem(GRIDITEMINFO* pItem)
{
    if (pItem == NULL)
        return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->column);
    if (pCell == NULL)
        return FALSE;

    if (pItem->mask & GRIDITEM_TEXT)
        pItem->strText = GetItemText(pItem->row, pItem->column);
    if (pItem->mask & GRIDITEM_PARAM)
        pItem->lParam = pCell->GetData();
    if (pItem->mask & GRIDITEM_IMAGE)
        pItem->image = pCell->GetImage();
    if (pItem->mask & GRIDITEM_STATE)
        pItem->state = pCell->GetState();
    if (pItem->mask & GRIDITEM_FORMAT)
        pItem->format = pCell->GetFormat();
    if (pItem->mask & GRIDITEM_BKCLR)
        pItem->crBack = pCell->GetBackClr();
    if (pItem->mask & GRIDITEM_FGCLR)
        pItem->crText = pCell->GetTextClr();
    if (pItem->mask & GRIDITEM_FONT) {
        LOGFONT* plf = pCell->GetFont();
        if (plf != NULL)
            memcpy(&(pItem->lfFont), plf, sizeof(LOGFONT));
    }
    if (pItem->mask & GRIDITEM_MARGIN)
        pItem->margin = pCell->GetMargin();
    return TRUE;
}

// The cell a setter may write: none in virtual mode, where the owner keeps
// the data, nor outside the grid.
static CGridCellBase* StoredCell(const CGridCtrl* pGrid, int nRow, int nCol)
{
    return pGrid->GetVirtualMode() ? NULL : pGrid->GetCell(nRow, nCol);
}

// What a getter reads from a cell, or its answer where there is no cell.
template <class R, class T>
static R CellValue(const CGridCellBase* pCell, T (CGridCellBase::*get)() const, R rNone)
{
    return pCell != NULL ? (R)(pCell->*get)() : rNone;
}

// A setter's write into the stored cell; FALSE where there is none. Writes of
// what the grid saves (text, data, image) mark the cell modified.
template <class A, class V>
static BOOL WriteCell(CGridCtrl* pGrid, int nRow, int nCol, void (CGridCellBase::*set)(A), V value,
                      BOOL bModifies)
{
    CGridCellBase* pCell = StoredCell(pGrid, nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    (pCell->*set)(value);
    if (bModifies)
        pGrid->SetModified(TRUE, nRow, nCol);
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetText, str, TRUE);
}

BOOL CGridCtrl::SetItemTextFmt(int nRow, int nCol, LPCTSTR szFmt, ...)
{
    if (StoredCell(this, nRow, nCol) == NULL)
        return FALSE;
    CString strText;
    va_list argptr;
    va_start(argptr, szFmt);
    strText.FormatV(szFmt, argptr);
    va_end(argptr);
    return SetItemText(nRow, nCol, strText);
}

BOOL CGridCtrl::SetItemTextFmtID(int nRow, int nCol, UINT nID, ...)
{
    if (StoredCell(this, nRow, nCol) == NULL)
        return FALSE;
    CString strFormat;
    strFormat.LoadString(nID);
    CString strText;
    va_list argptr;
    va_start(argptr, nID);
    strText.FormatV(strFormat, argptr);
    va_end(argptr);
    return SetItemText(nRow, nCol, strText);
}

CString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return _T("");
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return _T("");
    return pCell->GetText();
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetData, lParam, TRUE);
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetData, (LPARAM)0);
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int iImage)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetImage, iImage, TRUE);
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetImage, -1);
}

BOOL CGridCtrl::SetCellState(int nRow, int nCol, UINT state)
{
    BOOL bSelected = IsCellInSelection(nRow, nCol);

    // The map follows the selected bit.
    if (bSelected && !(state & CELLSTATE_SELECTED)) {
        CCellID cell;
        GRIDSELKEY key = GridSelKey(nRow, nCol);
        if (m_mapSelected.Lookup(key, (CCellID&)cell))
            m_mapSelected.RemoveKey(key);
    } else if (!bSelected && (state & CELLSTATE_SELECTED)) {
        CCellID cell(nRow, nCol);
        m_mapSelected.SetAt(GridSelKey(nRow, nCol), cell);
    }

    if (GetVirtualMode())
        return FALSE;

    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    pCell->SetState(state);
    return TRUE;
}

UINT CGridCtrl::GetCellState(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetState, (UINT)0);
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetFormat, nFormat, FALSE);
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetFormat, (UINT)0);
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetBackClr, cr, FALSE);
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetBackClr, (COLORREF)0);
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetTextClr, cr, FALSE);
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetTextClr, (COLORREF)0);
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* plf)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetFont, plf, FALSE);
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return GetDefaultCell(nRow < GetFixedRowCount(), nCol < GetFixedColumnCount())->GetFont();
    return pCell->GetFont();
}

BOOL CGridCtrl::IsItemEditing(int nRow, int nCol)
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::IsEditing, FALSE);
}

BOOL CGridCtrl::IsCellFixed(int nRow, int nCol)
{
    return (nRow < GetFixedRowCount() || nCol < GetFixedColumnCount());
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    // A change of a column (or of the whole grid) drops the sort mark.
    if (nCol < 0 || nCol == GetSortColumn()) {
        if (GetSortColumn() >= 0)
            InvalidateCellRect(0, GetSortColumn());
        m_nSortColumn = -1;
    }

    if (nRow >= 0 && nCol >= 0) {
        if (bModified) {
            SetCellState(nRow, nCol, GetCellState(nRow, nCol) | CELLSTATE_MODIFIED);
            m_bModified = TRUE;
        } else
            SetCellState(nRow, nCol, GetCellState(nRow, nCol) & ~CELLSTATE_MODIFIED);
    } else
        m_bModified = bModified;

    if (!m_bModified && !GetVirtualMode()) {
        for (int row = 0; row < GetRowCount(); row++)
            for (int col = 0; col < GetColumnCount(); col++)
                SetCellState(row, col, GetCellState(row, col) & ~CELLSTATE_MODIFIED);
    }
}

BOOL CGridCtrl::IsModified(int nRow, int nCol)
{
    if (nRow >= 0 && nCol >= 0)
        return ((GetCellState(nRow, nCol) & CELLSTATE_MODIFIED) == CELLSTATE_MODIFIED);
    return m_bModified;
}

BOOL CGridCtrl::IsValid(int nRow, int nCol) const
{
    return (nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols);
}

BOOL CGridCtrl::IsValid(const CCellID& cell) const
{
    return IsValid(cell.row, cell.column);
}

BOOL CGridCtrl::IsValid(const CCellRange& range) const
{
    return (range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0 &&
            range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow() &&
            range.GetMinCol() <= range.GetMaxCol());
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    return IsEditable() && ((GetCellState(nRow, nCol) & CELLSTATE_READONLY) != CELLSTATE_READONLY);
}

BOOL CGridCtrl::IsCellInSelection(int nRow, int nCol) const
{
    if (!IsSelectable())
        return FALSE;
    if (GetVirtualMode())
        return m_mapSelected.PLookup(GridSelKey(nRow, nCol)) != NULL;
    return ((GetCellState(nRow, nCol) & CELLSTATE_SELECTED) == CELLSTATE_SELECTED);
}
