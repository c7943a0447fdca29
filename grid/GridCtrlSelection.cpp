// GridCtrlSelection.cpp - the focus cell and the selection: ranges, Select All, list mode
// and finding the next cell.
//
// Select All is a range selection through SetSelectedRange, so the map and the cells'
// selected bits agree and the fixed rows and columns stay out. Selection keys are 64-bit;
// the selection map is never changed while it is walked.
#include "GridCtrl.h"
#include <algorithm>
using std::max;
using std::min;

CCellID CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    return SetFocusCell(CCellID(nRow, nCol));
}

CCellID CGridCtrl::SetFocusCell(CCellID cell)
{
    if (cell == m_cellFocus)
        return m_cellFocus;

    CCellID idPrev = m_cellFocus;

    if (cell.row != -1 && cell.row < GetFixedRowCount())
        cell.row = GetFixedRowCount();
    if (cell.column != -1 && cell.column < GetFixedColumnCount())
        cell.column = GetFixedColumnCount();

    m_cellFocus = cell;

    if (IsValid(idPrev)) {
        SetCellState(idPrev.row, idPrev.column, GetCellState(idPrev.row, idPrev.column) & ~CELLSTATE_FOCUSED);
        InvalidateCellRect(idPrev);
    }
    if (IsValid(m_cellFocus)) {
        SetCellState(m_cellFocus.row, m_cellFocus.column,
                     GetCellState(m_cellFocus.row, m_cellFocus.column) | CELLSTATE_FOCUSED);
        InvalidateCellRect(m_cellFocus);
    }
    return idPrev;
}

void CGridCtrl::ClearSelectionAndFocus()
{
    m_mapPrevSelected.RemoveAll();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}

void CGridCtrl::ClearSelectionMap()
{
    m_mapSelected.RemoveAll();
    Refresh();
}

CCellRange CGridCtrl::GetSelectedCellRange() const
{
    CCellRange Selection(GetRowCount(), GetColumnCount(), -1, -1);

    for (POSITION pos = m_mapSelected.GetStartPosition(); pos != NULL;) {
        GRIDSELKEY key;
        CCellID cell;
        m_mapSelected.GetNextAssoc(pos, key, (CCellID&)cell);

        Selection.SetMinRow(min(Selection.GetMinRow(), cell.row));
        Selection.SetMinCol(min(Selection.GetMinCol(), cell.column));
        Selection.SetMaxRow(max(Selection.GetMaxRow(), cell.row));
        Selection.SetMaxCol(max(Selection.GetMaxCol(), cell.column));
    }
    return Selection;
}

void CGridCtrl::SetSelectedRange(const CCellRange& Range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SetSelectedRange(Range.GetMinRow(), Range.GetMinCol(), Range.GetMaxRow(), Range.GetMaxCol(), bForceRepaint,
                     bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint,
                                 BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;

    BOOL bWindow = ::IsWindow(GetSafeHwnd());
    CDC* pDC = (bForceRepaint && bWindow) ? GetDC() : NULL;

    CCellRange VisCellRange;
    if (bWindow)
        VisCellRange = VisibleRange();

    if (nMinRow >= 0 && nMinRow < GetFixedRowCount())
        nMinRow = GetFixedRowCount();
    if (nMaxRow >= 0 && nMaxRow < GetFixedRowCount())
        nMaxRow = GetFixedRowCount();
    if (nMinCol >= 0 && nMinCol < GetFixedColumnCount())
        nMinCol = GetFixedColumnCount();
    if (nMaxCol >= 0 && nMaxCol < GetFixedColumnCount())
        nMaxCol = GetFixedColumnCount();

    auto Redraw = [&](int row, int col) {
        if (!VisCellRange.InRange(row, col))
            return;
        if (pDC != NULL)
            RepaintCell(row, col, pDC);
        else
            InvalidateCellRect(row, col);
    };

    if (bSelectCells) {
        // The map is walked from a copy: clearing a cell's selected
        // bit removes its key, so the map is never changed while it is walked.
        std::vector<std::pair<GRIDSELKEY, CCellID>> selected;
        selected.reserve((size_t)m_mapSelected.GetCount());
        for (POSITION pos = m_mapSelected.GetStartPosition(); pos != NULL;) {
            GRIDSELKEY key;
            CCellID cell;
            m_mapSelected.GetNextAssoc(pos, key, (CCellID&)cell);
            selected.emplace_back(key, cell);
        }
        for (const auto& entry : selected) {
            const CCellID& cell = entry.second;
            if (!IsValid(cell)) {
                m_mapSelected.RemoveKey(entry.first);
                continue;
            }
            UINT state = GetCellState(cell.row, cell.column);
            SetCellState(cell.row, cell.column, state & ~CELLSTATE_SELECTED);
            // In virtual mode there is no cell whose state drops the key.
            m_mapSelected.RemoveKey(entry.first);

            if (nMinRow <= cell.row && cell.row <= nMaxRow && nMinCol <= cell.column && cell.column <= nMaxCol)
                continue;
            Redraw(cell.row, cell.column);
        }

        // A Ctrl-click selection keeps what was selected before it began.
        if (!GetSingleRowSelection() && nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0) {
            for (POSITION pos = m_mapPrevSelected.GetStartPosition(); pos != NULL;) {
                GRIDSELKEY key;
                CCellID cell;
                m_mapPrevSelected.GetNextAssoc(pos, key, (CCellID&)cell);
                if (!IsValid(cell))
                    continue;
                UINT state = GetCellState(cell.row, cell.column);
                SetCellState(cell.row, cell.column, state | CELLSTATE_SELECTED);
                Redraw(cell.row, cell.column);
            }
        }
    }

    if (nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0 && nMaxRow < m_nRows && nMaxCol < m_nCols &&
        nMinCol <= nMaxCol) {
        if (bSelectCells && nMinRow <= nMaxRow)
            SizeSelectionMap((LONGLONG)(nMaxRow - nMinRow + 1) * (nMaxCol - nMinCol + 1) + m_mapSelected.GetCount());
        for (int row = nMinRow; row <= nMaxRow; row++)
            for (int col = nMinCol; col <= nMaxCol; col++) {
                BOOL bCellSelected = IsCellInSelection(row, col);
                if (bSelectCells == bCellSelected)
                    continue;
                UINT state = GetCellState(row, col);
                if (bSelectCells)
                    SetCellState(row, col, state | CELLSTATE_SELECTED);
                else
                    SetCellState(row, col, state & ~CELLSTATE_SELECTED);
                Redraw(row, col);
            }
    }

    if (pDC != NULL)
        ReleaseDC(pDC);
}

// The map's table never grows by itself, and a chain per bucket makes every
// lookup walk it: a table too small for what is added turns a large selection
// quadratic. An empty map is sized for what it is about to hold (shrinking
// after a large selection, so that walking it stays cheap); a map that keeps
// entries only grows.
void CGridCtrl::SizeSelectionMap(LONGLONG nEntries)
{
    const LONGLONG nLeast = 17, nMost = 1 << 22;
    UINT nSize = (UINT)max(nLeast, min(nMost, nEntries));
    if (m_mapSelected.IsEmpty())
        m_mapSelected.InitHashTable(nSize, FALSE);
    else if (m_mapSelected.GetHashTableSize() < nSize)
        m_mapSelected.InitHashTable(nSize);
}

void CGridCtrl::SelectAllCells()
{
    NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, LVN_ITEMCHANGING);
    if (m_bEnableSelection)
        SelectEveryCell();
    NotifyOwner(m_cellFocus.row, m_cellFocus.column, LVN_ITEMCHANGED);
}

void CGridCtrl::SelectEveryCell()
{
    if (!m_bEnableSelection)
        return;
    // A range selection, so that the map and the cells'
    // selected bits agree; the fixed rows and columns stay out of it.
    SetSelectedRange(m_nFixedRows, m_nFixedCols, GetRowCount() - 1, GetColumnCount() - 1, FALSE, TRUE);
    Refresh();
}

void CGridCtrl::SelectColumnRange(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    if (currentCell.column < m_nFixedCols)
        return;
    if (!IsValid(currentCell))
        return;

    if (GetSingleColSelection())
        SetSelectedRange(GetFixedRowCount(), currentCell.column, GetRowCount() - 1, currentCell.column, bForceRedraw,
                         bSelectCells);
    else
        SetSelectedRange(GetFixedRowCount(), min(m_cellSelectStart.column, currentCell.column), GetRowCount() - 1,
                         max(m_cellSelectStart.column, currentCell.column), bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectRowRange(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    if (currentCell.row < m_nFixedRows)
        return;
    if (!IsValid(currentCell))
        return;

    if (GetSingleRowSelection())
        SetSelectedRange(currentCell.row, GetFixedColumnCount(), currentCell.row, GetColumnCount() - 1,
                         bForceRedraw, bSelectCells);
    else
        SetSelectedRange(min(m_cellSelectStart.row, currentCell.row), GetFixedColumnCount(),
                         max(m_cellSelectStart.row, currentCell.row), GetColumnCount() - 1, bForceRedraw,
                         bSelectCells);
}

void CGridCtrl::SelectCellRange(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    int row = currentCell.row;
    int col = currentCell.column;
    if (row < m_nFixedRows || col < m_nFixedCols)
        return;
    if (!IsValid(currentCell))
        return;

    SetSelectedRange(min(m_cellSelectStart.row, row), min(m_cellSelectStart.column, col),
                     max(m_cellSelectStart.row, row), max(m_cellSelectStart.column, col), bForceRedraw,
                     bSelectCells);
}

void CGridCtrl::ExtendSelectionTo(const CCellID& currentCell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_nMouseMode) {
    case MOUSE_SELECT_ALL: SelectEveryCell(); break;
    case MOUSE_SELECT_COL: SelectColumnRange(currentCell, TRUE, TRUE); break;
    case MOUSE_SELECT_ROW: SelectRowRange(currentCell, TRUE, TRUE); break;
    case MOUSE_SELECT_CELLS: SelectCellRange(currentCell, TRUE, TRUE); break;
    default: break;
    }
}

CCellID CGridCtrl::FindNextCell(CCellID start, int nFlags) const
{
    CCellID cell(-1, -1);
    if (!IsValid(start))
        return cell;

    // The state bits asked for.
    UINT nWanted = 0;
    if (nFlags & FINDCELL_FOCUSED)
        nWanted |= CELLSTATE_FOCUSED;
    if (nFlags & FINDCELL_SELECTED)
        nWanted |= CELLSTATE_SELECTED;
    if (nFlags & FINDCELL_DROPHILITED)
        nWanted |= CELLSTATE_DROPHILITED;
    if (nFlags & FINDCELL_READONLY)
        nWanted |= CELLSTATE_READONLY;
    if (nFlags & FINDCELL_FIXED)
        nWanted |= CELLSTATE_FIXED;
    if (nFlags & FINDCELL_MODIFIED)
        nWanted |= CELLSTATE_MODIFIED;

    auto Matches = [&](int row, int col) { return (GetCellState(row, col) & nWanted) != 0; };

    int row = start.row, col = start.column;

    if ((nFlags & FINDCELL_ALL) == FINDCELL_ALL) {
        // Row by row from the cell after start through all non-fixed cells.
        int nStartRow = (row < 1) ? m_nFixedRows : row;
        int nStartCol = (col < 1) ? m_nFixedCols : col + 1;
        for (int r = nStartRow; r < GetRowCount(); r++) {
            for (int c = (r == nStartRow ? nStartCol : m_nFixedCols); c < GetColumnCount(); c++)
                if (Matches(r, c))
                    return CCellID(r, c);
        }
        return cell;
    }
    if ((nFlags & FINDCELL_AREA) == FINDCELL_AREA) {
        for (int r = row; r < GetRowCount(); r++)
            for (int c = col + 1; c < GetColumnCount(); c++)
                if (Matches(r, c))
                    return CCellID(r, c);
        return cell;
    }
    if (nFlags & FINDCELL_ABOVE) {
        for (int r = row - 1; r >= m_nFixedRows; r--)
            if (Matches(r, col))
                return CCellID(r, col);
    } else if (nFlags & FINDCELL_BELOW) {
        for (int r = row + 1; r < GetRowCount(); r++)
            if (Matches(r, col))
                return CCellID(r, col);
    } else if (nFlags & FINDCELL_TOLEFT) {
        for (int c = col - 1; c >= m_nFixedCols; c--)
            if (Matches(row, c))
                return CCellID(row, c);
    } else if (nFlags & FINDCELL_TORIGHT) {
        for (int c = col + 1; c < GetColumnCount(); c++)
            if (Matches(row, c))
                return CCellID(row, c);
    }
    return cell;
}

void CGridCtrl::SetListMode(BOOL bEnableListMode)
{
    ClearSelectionAndFocus();
    SetSortColumn(-1);
    m_bListMode = bEnableListMode;
    SetFixedColumnSelection(FALSE);
    Refresh();
}

void CGridCtrl::SetSortColumn(int nCol)
{
    if (m_nSortColumn >= 0)
        InvalidateCellRect(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        InvalidateCellRect(0, nCol);
}

void CGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bEnableSelection);
}
