// GridCtrlCells.cpp - the grid's model, which works without a window: the row array, the
// cells and their kinds, counts, inserting and deleting, virtual mode, heights and widths.
#include "GridCtrl.h"
#include <typeinfo>

// ===========================================================================
// CGridRowArray: the tiered row array.
// ===========================================================================

void CGridRowArray::InsertAt(int nIndex, const Row& row)
{
    if (nIndex < 0 || nIndex > m_nSize)
        AfxThrowInvalidArgException();
    if (m_nSize == (int)m_blocks.size() * kBlock)
        m_blocks.push_back(new Block);

    int k = nIndex >> kShift;
    int nLast = (int)m_blocks.size() - 1;
    Row carry = row;
    Block* b = m_blocks[k];
    int c = BlockCount(k);
    int o = nIndex & kMask;
    if (c == kBlock) {
        // A full block: its last row moves on to the next block.
        Row out = b->At(kBlock - 1);
        // Insert carry at o among the first kBlock - 1 rows.
        if (o < (kBlock - 1) / 2) {
            b->start = (b->start - 1) & kMask;
            for (int j = 0; j < o; j++)
                b->At(j) = b->At(j + 1);
        } else {
            for (int j = kBlock - 1; j > o; j--)
                b->At(j) = b->At(j - 1);
        }
        b->At(o) = carry;
        carry = out;
        // Every later block takes the carried row at its front.
        for (int kk = k + 1; kk <= nLast; kk++) {
            Block* bb = m_blocks[kk];
            int cc = BlockCount(kk);
            if (cc == kBlock) {
                Row out2 = bb->At(kBlock - 1);
                bb->start = (bb->start - 1) & kMask;
                bb->At(0) = carry;
                carry = out2;
            } else {
                bb->start = (bb->start - 1) & kMask;
                bb->At(0) = carry;
                m_nSize++;
                return;
            }
        }
        // Unreachable: a new block was added when all were full.
        m_nSize++;
        return;
    }
    // The last block, not full.
    if (o < c / 2) {
        b->start = (b->start - 1) & kMask;
        for (int j = 0; j < o; j++)
            b->At(j) = b->At(j + 1);
    } else {
        for (int j = c; j > o; j--)
            b->At(j) = b->At(j - 1);
    }
    b->At(o) = carry;
    m_nSize++;
}

void CGridRowArray::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        AfxThrowInvalidArgException();
    int k = nIndex >> kShift;
    int nLast = (int)m_blocks.size() - 1;
    Block* b = m_blocks[k];
    int c = BlockCount(k);
    int o = nIndex & kMask;
    if (o < c / 2) {
        for (int j = o; j > 0; j--)
            b->At(j) = b->At(j - 1);
        b->start = (b->start + 1) & kMask;
    } else {
        for (int j = o; j < c - 1; j++)
            b->At(j) = b->At(j + 1);
    }
    // Each later block gives its first row to the block before it.
    for (int kk = k + 1; kk <= nLast; kk++) {
        Block* bb = m_blocks[kk];
        m_blocks[kk - 1]->At(kBlock - 1) = bb->At(0);
        bb->start = (bb->start + 1) & kMask;
    }
    m_nSize--;
    if (m_nSize <= ((int)m_blocks.size() - 1) * kBlock) {
        delete m_blocks.back();
        m_blocks.pop_back();
    }
}

void CGridRowArray::RemoveAll()
{
    for (Block* b : m_blocks)
        delete b;
    m_blocks.clear();
    m_nSize = 0;
}

// ===========================================================================
// Counts and cells
// ===========================================================================

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
{
    if (bFixedRow && bFixedCol)
        return (CGridDefaultCell*)&m_defCellFixedBoth;
    if (bFixedRow)
        return (CGridDefaultCell*)&m_defCellFixedRow;
    if (bFixedCol)
        return (CGridDefaultCell*)&m_defCellFixedCol;
    return (CGridDefaultCell*)&m_defCellNormal;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return NULL;

    if (GetVirtualMode()) {
        // One process-wide record and cell: each call overwrites the last.
        static GRIDDISPINFO gvdi;
        static CGridCell* pCell = NULL;
        if (pCell == NULL)
            pCell = new CGridCell;
        pCell->Reset();
        pCell->SetGrid((CGridCtrl*)this);

        CGridDefaultCell* pDefCell = GetDefaultCell(nRow < m_nFixedRows, nCol < m_nFixedCols);
        gvdi.item.row = nRow;
        gvdi.item.column = nCol;
        gvdi.item.mask = 0xFFFFFFFF;
        gvdi.item.state = 0;
        gvdi.item.format = pDefCell->GetFormat();
        gvdi.item.image = pDefCell->GetImage();
        gvdi.item.crBack = pDefCell->GetBackClr();
        gvdi.item.crText = pDefCell->GetTextClr();
        gvdi.item.lParam = pDefCell->GetData();
        memcpy(&gvdi.item.lfFont, pDefCell->GetFont(), sizeof(LOGFONT));
        gvdi.item.margin = pDefCell->GetMargin();
        gvdi.item.strText.Empty();

        CCellID cell;
        if (m_mapSelected.PLookup(GridSelKey(nRow, nCol)) != NULL)
            gvdi.item.state |= CELLSTATE_SELECTED;
        if (nRow < GetFixedRowCount())
            gvdi.item.state |= (CELLSTATE_FIXED | CELLSTATE_FIXEDROW);
        if (nCol < GetFixedColumnCount())
            gvdi.item.state |= (CELLSTATE_FIXED | CELLSTATE_FIXEDCOL);
        if (GetFocusCell() == CCellID(nRow, nCol))
            gvdi.item.state |= CELLSTATE_FOCUSED;

        SendDisplayRequest(&gvdi);

        pCell->SetState(gvdi.item.state);
        pCell->SetText(gvdi.item.strText);
        pCell->SetData(gvdi.item.lParam);
        pCell->SetImage(gvdi.item.image);
        pCell->SetFormat(gvdi.item.format);
        pCell->SetTextClr(gvdi.item.crText);
        pCell->SetBackClr(gvdi.item.crBack);
        pCell->SetFont(&gvdi.item.lfFont);
        pCell->SetMargin(gvdi.item.margin);
        return pCell;
    }

    CGridRow* pRow = m_arRows[nRow].pCells;
    if (pRow == NULL)
        return NULL;
    return pRow->GetAt(nCol);
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass)
{
    if (GetVirtualMode() || !IsValid(nRow, nCol))
        return FALSE;
    if (pRuntimeClass == NULL || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;

    CGridCellBase* pNewCell = (CGridCellBase*)pRuntimeClass->CreateObject();
    if (pNewCell == NULL)
        return FALSE;
    CGridCellBase* pCurrCell = GetCell(nRow, nCol);
    if (pCurrCell != NULL)
        *pNewCell = *pCurrCell;
    pNewCell->SetCoords(nRow, nCol);
    NoteCellKind(pNewCell);
    m_arRows[nRow].pCells->SetAt(nCol, pNewCell);
    delete pCurrCell;
    return TRUE;
}

BOOL CGridCtrl::SetDefaultCellType(CRuntimeClass* pRuntimeClass)
{
    if (pRuntimeClass == NULL || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    m_pCellClass = pRuntimeClass;
    return TRUE;
}

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (m_pCellClass == NULL || !m_pCellClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return NULL;
    CGridCellBase* pCell = (CGridCellBase*)m_pCellClass->CreateObject();
    if (pCell == NULL)
        return NULL;

    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);

    if (nCol < m_nFixedCols)
        pCell->SetState(pCell->GetState() | CELLSTATE_FIXED | CELLSTATE_FIXEDCOL);
    if (nRow < m_nFixedRows)
        pCell->SetState(pCell->GetState() | CELLSTATE_FIXED | CELLSTATE_FIXEDROW);

    pCell->SetFormat(pCell->GetDefaultCell()->GetFormat());
    return pCell;
}

// Every cell put into the grid comes through here: plain cells ignore their
// coordinates, so rows can move without telling their cells until a cell of
// another kind is in the grid.
CGridCellBase* CGridCtrl::NewCell(int nRow, int nCol)
{
    CGridCellBase* pCell = CreateCell(nRow, nCol);
    NoteCellKind(pCell);
    return pCell;
}

void CGridCtrl::NoteCellKind(const CGridCellBase* pCell)
{
    if (pCell != NULL && typeid(*pCell) != typeid(CGridCell))
        m_bCellsKnowTheirPlace = TRUE;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    // The selection map forgets the cell first.
    SetCellState(nRow, nCol, 0);
    delete GetCell(nRow, nCol);
}

BOOL CGridCtrl::SetRowCount(int nRows)
{
    BOOL bResult = TRUE;
    if (nRows < 0)
        return FALSE;
    if (nRows == GetRowCount())
        return bResult;

    m_cellTopLeft.column = -1;

    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_cellFocus.row >= nRows)
        SetFocusCell(-1, -1);

    int addedRows = nRows - GetRowCount();

    // Shrinking: the cells and rows that fall out are destroyed.
    if (addedRows < 0) {
        if (!GetVirtualMode()) {
            for (int row = nRows; row < m_nRows; row++) {
                for (int col = 0; col < m_nCols; col++)
                    DestroyCell(row, col);
                delete m_arRows[row].pCells;
                m_arRows[row].pCells = NULL;
            }
        }
        while (m_arRows.GetSize() > nRows)
            m_arRows.RemoveAt(m_arRows.GetSize() - 1);
        m_nRows = nRows;
    }

    try {
        if (addedRows > 0) {
            UINT nHeight = (UINT)m_defCellNormal.GetHeight();
            if (GetVirtualMode()) {
                for (int row = m_nRows; row < nRows; row++) {
                    CGridRowArray::Row r = {NULL, nHeight};
                    m_arRows.Add(r);
                }
                m_nRows = nRows;
            } else {
                int startRow = m_nRows;
                for (int row = startRow; row < nRows; row++) {
                    CGridRow* pRow = new CGridRow;
                    pRow->SetSize(m_nCols);
                    for (int col = 0; col < m_nCols; col++)
                        pRow->SetAt(col, NULL);
                    CGridRowArray::Row r = {pRow, nHeight};
                    m_arRows.Add(r);
                    m_nRows++;
                    for (int col = 0; col < m_nCols; col++)
                        pRow->SetAt(col, NewCell(row, col));
                }
            }
        }
    } catch (CMemoryException* e) {
        e->ReportError();
        e->Delete();
        bResult = FALSE;
    }

    SetModified();
    ResetScrollBars();
    Refresh();
    return bResult;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    BOOL bResult = TRUE;
    if (nCols < 0)
        return FALSE;
    if (nCols == GetColumnCount())
        return bResult;

    m_cellTopLeft.column = -1;

    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_cellFocus.column >= nCols)
        SetFocusCell(-1, -1);

    int addedCols = nCols - GetColumnCount();

    if (addedCols < 0 && !GetVirtualMode()) {
        for (int row = 0; row < m_nRows; row++)
            for (int col = nCols; col < GetColumnCount(); col++)
                DestroyCell(row, col);
    }

    try {
        m_arColWidths.SetSize(nCols);

        if (!GetVirtualMode())
            for (int i = 0; i < m_nRows; i++)
                if (m_arRows[i].pCells != NULL)
                    m_arRows[i].pCells->SetSize(nCols);

        if (addedCols > 0) {
            int startCol = m_nCols;
            for (int col = startCol; col < nCols; col++)
                m_arColWidths[col] = (UINT)m_defCellFixedCol.GetWidth();

            if (!GetVirtualMode()) {
                for (int row = 0; row < m_nRows; row++)
                    for (int col = startCol; col < nCols; col++) {
                        CGridRow* pRow = m_arRows[row].pCells;
                        if (pRow != NULL)
                            pRow->SetAt(col, NewCell(row, col));
                    }
            }
        }
    } catch (CMemoryException* e) {
        e->ReportError();
        e->Delete();
        bResult = FALSE;
    }

    m_nCols = nCols;

    SetModified();
    ResetScrollBars();
    Refresh();
    return bResult;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (m_nFixedRows == nFixedRows)
        return TRUE;
    if (nFixedRows < 0)
        return FALSE;

    ClearSelectionAndFocus();
    m_cellTopLeft.column = -1;

    if (nFixedRows > GetRowCount())
        if (!SetRowCount(nFixedRows))
            return FALSE;

    if (m_cellFocus.row < nFixedRows)
        SetFocusCell(-1, -1);

    if (!GetVirtualMode()) {
        if (nFixedRows > m_nFixedRows) {
            for (int i = m_nFixedRows; i < nFixedRows; i++)
                for (int j = 0; j < GetColumnCount(); j++) {
                    SetCellState(i, j, GetCellState(i, j) | CELLSTATE_FIXED | CELLSTATE_FIXEDROW);
                }
        } else {
            for (int i = nFixedRows; i < m_nFixedRows; i++) {
                int j;
                for (j = 0; j < GetFixedColumnCount(); j++)
                    SetCellState(i, j, GetCellState(i, j) & ~CELLSTATE_FIXEDROW);
                for (j = GetFixedColumnCount(); j < GetColumnCount(); j++) {
                    SetCellState(i, j, GetCellState(i, j) & ~(CELLSTATE_FIXED | CELLSTATE_FIXEDROW));
                }
            }
        }
    }

    m_nFixedRows = nFixedRows;
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (m_nFixedCols == nFixedCols)
        return TRUE;
    if (nFixedCols < 0)
        return FALSE;

    if (nFixedCols > GetColumnCount())
        if (!SetColumnCount(nFixedCols))
            return FALSE;

    if (m_cellFocus.column < nFixedCols)
        SetFocusCell(-1, -1);

    ClearSelectionAndFocus();
    m_cellTopLeft.column = -1;

    if (!GetVirtualMode()) {
        if (nFixedCols > m_nFixedCols) {
            for (int i = 0; i < GetRowCount(); i++)
                for (int j = m_nFixedCols; j < nFixedCols; j++) {
                    SetCellState(i, j, GetCellState(i, j) | CELLSTATE_FIXED | CELLSTATE_FIXEDCOL);
                }
        } else {
            {
                for (int i = 0; i < GetFixedRowCount(); i++)
                    for (int j = nFixedCols; j < m_nFixedCols; j++)
                        SetCellState(i, j, GetCellState(i, j) & ~CELLSTATE_FIXEDCOL);
            }
            {
                for (int i = GetFixedRowCount(); i < GetRowCount(); i++)
                    for (int j = nFixedCols; j < m_nFixedCols; j++) {
                        SetCellState(i, j, GetCellState(i, j) & ~(CELLSTATE_FIXED | CELLSTATE_FIXEDCOL));
                    }
            }
        }
    }

    m_nFixedCols = nFixedCols;
    Refresh();
    return TRUE;
}

int CGridCtrl::InsertColumn(LPCTSTR strHeading, UINT nFormat, int nColumn)
{
    if (nColumn >= 0 && nColumn < m_nFixedCols)
        return -1;
    if (nColumn >= 0 && nColumn > GetColumnCount())
        return -1;

    ClearSelectionAndFocus();

    // A grid without rows gets one, for the heading.
    if (m_nRows < 1)
        SetRowCount(1);

    if (nColumn < 0 || nColumn == GetColumnCount()) {
        nColumn = m_nCols;
        m_arColWidths.Add(0);
        if (!GetVirtualMode())
            for (int row = 0; row < m_nRows; row++) {
                CGridRow* pRow = m_arRows[row].pCells;
                if (pRow == NULL)
                    return -1;
                pRow->Add(NewCell(row, nColumn));
            }
    } else {
        m_arColWidths.InsertAt(nColumn, (UINT)0);
        if (!GetVirtualMode())
            for (int row = 0; row < m_nRows; row++) {
                CGridRow* pRow = m_arRows[row].pCells;
                if (pRow == NULL)
                    return -1;
                pRow->InsertAt(nColumn, NewCell(row, nColumn));
            }
    }

    m_nCols++;

    SetItemText(0, nColumn, strHeading);
    for (int row = 0; row < m_nRows; row++)
        SetItemFormat(row, nColumn, nFormat);

    // The width of the heading.
    CGridCellBase* pCell = GetCell(0, nColumn);
    if (pCell != NULL)
        m_arColWidths[nColumn] = (UINT)pCell->GetTextExtent(strHeading).cx;

    if (m_cellFocus.column != -1 && nColumn < m_cellFocus.column)
        m_cellFocus.column++;

    ResetScrollBars();
    SetModified();
    return nColumn;
}

int CGridCtrl::InsertRow(LPCTSTR strHeading, int nRow)
{
    if (nRow >= 0 && nRow < m_nFixedRows)
        return -1;
    if (nRow >= 0 && nRow >= GetRowCount())
        return -1;

    ClearSelectionAndFocus();

    if (m_nCols < 1)
        SetColumnCount(1);

    CGridRowArray::Row r = {NULL, 0};
    if (!GetVirtualMode()) {
        r.pCells = new CGridRow;
        r.pCells->SetSize(m_nCols);
    }
    if (nRow < 0) {
        nRow = m_nRows;
        m_arRows.Add(r);
    } else
        m_arRows.InsertAt(nRow, r);

    if (!GetVirtualMode())
        for (int col = 0; col < m_nCols; col++) {
            CGridCellBase* pCell = NewCell(nRow, col);
            r.pCells->SetAt(col, pCell);
        }

    m_nRows++;

    SetItemText(nRow, 0, strHeading);

    // The row takes the height of its heading; an empty heading leaves it hidden.
    if (strHeading != NULL && strHeading[0] != 0) {
        CGridCellBase* pCell = GetCell(nRow, 0);
        if (pCell != NULL)
            m_arRows[nRow].nHeight = (UINT)pCell->GetTextExtent(strHeading).cy;
    }

    if (m_cellFocus.row != -1 && nRow < m_cellFocus.row)
        m_cellFocus.row++;

    ResetScrollBars();
    SetModified();
    return nRow;
}

BOOL CGridCtrl::DeleteColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return FALSE;

    ClearSelectionAndFocus();

    if (!GetVirtualMode()) {
        for (int row = 0; row < GetRowCount(); row++) {
            CGridRow* pRow = m_arRows[row].pCells;
            if (pRow == NULL)
                return FALSE;
            DestroyCell(row, nColumn);
            pRow->RemoveAt(nColumn);
        }
    }
    m_arColWidths.RemoveAt(nColumn);
    m_nCols--;
    if (nColumn < m_nFixedCols)
        m_nFixedCols--;

    if (nColumn == m_cellFocus.column)
        m_cellFocus.row = m_cellFocus.column = -1;
    else if (nColumn < m_cellFocus.column)
        m_cellFocus.column--;

    ResetScrollBars();
    SetModified();
    return TRUE;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return FALSE;

    ClearSelectionAndFocus();

    CGridRow* pRow = m_arRows[nRow].pCells;
    if (!GetVirtualMode()) {
        if (pRow == NULL)
            return FALSE;
        for (int col = 0; col < GetColumnCount(); col++)
            DestroyCell(nRow, col);
        delete pRow;
    }
    m_arRows.RemoveAt(nRow);

    m_nRows--;
    if (nRow < m_nFixedRows)
        m_nFixedRows--;

    if (nRow == m_cellFocus.row)
        m_cellFocus.row = m_cellFocus.column = -1;
    else if (nRow < m_cellFocus.row)
        m_cellFocus.row--;

    ResetScrollBars();
    SetModified();
    return TRUE;
}

BOOL CGridCtrl::DeleteNonFixedRows()
{
    ClearSelectionAndFocus();
    int nFixed = GetFixedRowCount();
    int nCount = GetRowCount();
    if (GetRowCount() > nFixed) {
        for (int nRow = nCount; nRow >= nFixed; nRow--)
            DeleteRow(nRow);
    }
    return TRUE;
}

BOOL CGridCtrl::DeleteAllItems()
{
    ClearSelectionAndFocus();

    m_arColWidths.RemoveAll();

    if (!GetVirtualMode()) {
        for (int row = 0; row < m_nRows; row++) {
            CGridRow* pRow = m_arRows[row].pCells;
            if (pRow == NULL)
                continue;
            for (int col = 0; col < m_nCols; col++) {
                CGridCellBase* pCell = pRow->GetAt(col);
                if (pCell != NULL) {
                    SetCellState(row, col, 0);
                    delete pCell;
                }
            }
            delete pRow;
        }
    }
    m_arRows.RemoveAll();

    m_nCols = m_nRows = m_nFixedCols = m_nFixedRows = 0;
    ResetScrollBars();
    SetModified();
    return TRUE;
}

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    DeleteAllItems();
    m_bVirtualMode = bVirtual;
    if (m_bVirtualMode) {
        SetEditable(FALSE);
        SetSortOnClick(FALSE);
        SetAutoSizeStyle(AUTOSIZE_HEADER);
        SetFixedColumnSelection(FALSE);
        SetFixedRowSelection(FALSE);
    }
}

// ---- row heights and column widths ----

int CGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows)
        return -1;
    return (int)m_arRows[nRow].nHeight;
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return -1;
    return (int)m_arColWidths[nCol];
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0)
        return FALSE;
    m_arRows[nRow].nHeight = (UINT)height;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return FALSE;
    m_arColWidths[nCol] = (UINT)width;
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    int nHeight = 0;
    for (int i = 0; i < m_nFixedRows; i++)
        nHeight += GetRowHeight(i);
    return nHeight;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int nWidth = 0;
    for (int i = 0; i < m_nFixedCols; i++)
        nWidth += GetColumnWidth(i);
    return nWidth;
}

long CGridCtrl::GetVirtualWidth() const
{
    long lVirtualWidth = 0;
    int iColCount = GetColumnCount();
    for (int i = 0; i < iColCount; i++)
        lVirtualWidth += m_arColWidths[i];
    return lVirtualWidth;
}

long CGridCtrl::GetVirtualHeight() const
{
    // Rows are taken to be of equal height.
    if (m_nRows <= 0)
        return 0;
    return (long)m_nRows * (long)m_arRows[0].nHeight;
}
