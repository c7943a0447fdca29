// GridCtrlGeometry.cpp - where cells lie in the window: the visible range, cell rectangles,
// the cell under a point, bringing a cell into view, and auto-sizing rows and columns.
#include "GridCtrl.h"
#include <algorithm>
using std::max;
using std::min;

CCellID CGridCtrl::GetTopleftNonFixedCell(BOOL bForceRecalculation)
{
    if (m_cellTopLeft.IsValid() && !bForceRecalculation)
        return m_cellTopLeft;

    int nVertScroll = GetScrollPos32(SB_VERT), nHorzScroll = GetScrollPos32(SB_HORZ);

    m_cellTopLeft.column = m_nFixedCols;
    int nRight = 0;
    while (nRight < nHorzScroll && m_cellTopLeft.column < (GetColumnCount() - 1))
        nRight += GetColumnWidth(m_cellTopLeft.column++);

    m_cellTopLeft.row = m_nFixedRows;
    int nTop = 0;
    while (nTop < nVertScroll && m_cellTopLeft.row < (GetRowCount() - 1))
        nTop += GetRowHeight(m_cellTopLeft.row++);

    return m_cellTopLeft;
}

CCellRange CGridCtrl::VisibleRange(LPRECT pRect, BOOL bForceRecalculation)
{
    if (!::IsWindow(GetSafeHwnd())) {
        if (pRect != NULL)
            ::SetRectEmpty(pRect);
        return CCellRange(-1, -1, -1, -1);
    }
    CRect rect;
    GetClientRect(rect);
    CCellID idTopLeft = GetTopleftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    int i;
    for (i = idTopLeft.row; i < GetRowCount(); i++) {
        bottom += GetRowHeight(i);
        if (bottom >= rect.bottom) {
            bottom = rect.bottom;
            break;
        }
    }
    int maxVisibleRow = min(i, GetRowCount() - 1);

    int right = GetFixedColumnWidth();
    for (i = idTopLeft.column; i < GetColumnCount(); i++) {
        right += GetColumnWidth(i);
        if (right >= rect.right) {
            right = rect.right;
            break;
        }
    }
    int maxVisibleCol = min(i, GetColumnCount() - 1);
    if (pRect != NULL) {
        pRect->left = pRect->top = 0;
        pRect->right = right;
        pRect->bottom = bottom;
    }
    return CCellRange(idTopLeft.row, idTopLeft.column, maxVisibleRow, maxVisibleCol);
}

CCellRange CGridCtrl::UnobstructedRange(BOOL bForceRecalculation)
{
    if (!::IsWindow(GetSafeHwnd()))
        return CCellRange(-1, -1, -1, -1);
    CRect rect;
    GetClientRect(rect);
    CCellID idTopLeft = GetTopleftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    int i;
    for (i = idTopLeft.row; i < GetRowCount(); i++) {
        bottom += GetRowHeight(i);
        if (bottom >= rect.bottom)
            break;
    }
    int maxVisibleRow = min(i, GetRowCount() - 1);
    if (maxVisibleRow > 0 && bottom > rect.bottom)
        maxVisibleRow--;

    int right = GetFixedColumnWidth();
    for (i = idTopLeft.column; i < GetColumnCount(); i++) {
        right += GetColumnWidth(i);
        if (right >= rect.right)
            break;
    }
    int maxVisibleCol = min(i, GetColumnCount() - 1);
    if (maxVisibleCol > 0 && right > rect.right)
        maxVisibleCol--;

    return CCellRange(idTopLeft.row, idTopLeft.column, maxVisibleRow, maxVisibleCol);
}

CCellRange CGridCtrl::GetCellRange() const
{
    return CCellRange(0, 0, GetRowCount() - 1, GetColumnCount() - 1);
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p)
{
    if (!IsValid(nRow, nCol))
        return FALSE;

    CCellID idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
        idTopLeft = GetTopleftNonFixedCell();

    if ((nRow >= m_nFixedRows && nRow < idTopLeft.row) || (nCol >= m_nFixedCols && nCol < idTopLeft.column))
        return FALSE;

    int i;
    p->x = 0;
    if (nCol < m_nFixedCols)
        for (i = 0; i < nCol; i++)
            p->x += GetColumnWidth(i);
    else {
        for (i = 0; i < m_nFixedCols; i++)
            p->x += GetColumnWidth(i);
        for (i = idTopLeft.column; i < nCol; i++)
            p->x += GetColumnWidth(i);
    }

    p->y = 0;
    if (nRow < m_nFixedRows)
        for (i = 0; i < nRow; i++)
            p->y += GetRowHeight(i);
    else {
        for (i = 0; i < m_nFixedRows; i++)
            p->y += GetRowHeight(i);
        for (i = idTopLeft.row; i < nRow; i++)
            p->y += GetRowHeight(i);
    }
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    CPoint CellOrigin;
    if (!GetCellOrigin(nRow, nCol, &CellOrigin))
        return FALSE;
    pRect->left = CellOrigin.x;
    pRect->top = CellOrigin.y;
    pRect->right = CellOrigin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = CellOrigin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

BOOL CGridCtrl::GetTextRect(int nRow, int nCol, LPRECT pRect)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    if (!GetCellRect(nRow, nCol, pRect))
        return FALSE;
    return pCell->GetTextRect(pRect);
}

int CGridCtrl::GetColumnLeft(int nCol) const
{
    int x = 0;
    for (int i = 0; i < nCol && i < m_nCols; i++)
        x += GetColumnWidth(i);
    return x;
}

CCellID CGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck)
{
    CCellID cellID;
    CCellID idTopLeft = GetTopleftNonFixedCell();
    if (!bAllowFixedCellCheck && !IsValid(idTopLeft))
        return cellID;

    // The same walk along each axis: in the fixed band from the first cell,
    // beyond it from the first scrolled cell; -1 past the last.
    auto cellAt = [&](int pos, int nFixed, int nFixedExtent, int nFirst, int nCount, auto extent) {
        if (pos < 0 || (!bAllowFixedCellCheck && pos < nFixedExtent))
            return -1;
        BOOL bFixed = pos < nFixedExtent;
        int i = bFixed ? 0 : nFirst;
        int end = bFixed ? nFixed : nCount;
        for (int at = bFixed ? 0 : nFixedExtent; i < end; i++) {
            at += extent(i);
            if (at > pos)
                break;
        }
        return bFixed || i < nCount ? i : -1;
    };
    cellID.column = cellAt(point.x, m_nFixedCols, GetFixedColumnWidth(), idTopLeft.column, GetColumnCount(),
                           [&](int i) { return GetColumnWidth(i); });
    cellID.row = cellAt(point.y, m_nFixedRows, GetFixedRowHeight(), idTopLeft.row, GetRowCount(),
                        [&](int i) { return GetRowHeight(i); });
    return cellID;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!::IsWindow(GetSafeHwnd()))
        return FALSE;

    int x, y;
    CCellID TopLeft;
    if (nCol >= GetFixedColumnCount() || nRow >= GetFixedRowCount()) {
        TopLeft = GetTopleftNonFixedCell();
        if (nCol >= GetFixedColumnCount() && nCol < TopLeft.column)
            return FALSE;
        if (nRow >= GetFixedRowCount() && nRow < TopLeft.row)
            return FALSE;
    }

    CRect rect;
    GetClientRect(rect);
    if (nCol < GetFixedColumnCount()) {
        x = 0;
        for (int i = 0; i <= nCol; i++) {
            if (x >= rect.right)
                return FALSE;
            x += GetColumnWidth(i);
        }
    } else {
        x = GetFixedColumnWidth();
        for (int i = TopLeft.column; i <= nCol; i++) {
            if (x >= rect.right)
                return FALSE;
            x += GetColumnWidth(i);
        }
    }

    if (nRow < GetFixedRowCount()) {
        y = 0;
        for (int i = 0; i <= nRow; i++) {
            if (y >= rect.bottom)
                return FALSE;
            y += GetRowHeight(i);
        }
    } else {
        if (nRow < TopLeft.row)
            return FALSE;
        y = GetFixedRowHeight();
        for (int i = TopLeft.row; i <= nRow; i++) {
            if (y >= rect.bottom)
                return FALSE;
            y += GetRowHeight(i);
        }
    }
    return TRUE;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!m_bAllowDraw || !::IsWindow(GetSafeHwnd()))
        return;

    CRect rectWindow;
    // Keep the window that has the focus (the scroll ends any edit).
    CWnd* pFocusWnd = GetFocus();
    HWND hFocus = pFocusWnd->GetSafeHwnd();

    CCellRange VisibleCells = VisibleRange();

    int right = nCol - VisibleCells.GetMaxCol();
    int left = VisibleCells.GetMinCol() - nCol;
    int down = nRow - VisibleCells.GetMaxRow();
    int up = VisibleCells.GetMinRow() - nRow;

    int iColumnStart = VisibleCells.GetMaxCol() + 1;
    while (right > 0) {
        if (GetColumnWidth(iColumnStart) > 0)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        right--;
        iColumnStart++;
    }

    iColumnStart = VisibleCells.GetMinCol() - 1;
    while (left > 0) {
        if (GetColumnWidth(iColumnStart) > 0)
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        left--;
        iColumnStart--;
    }

    int iRowStart = VisibleCells.GetMaxRow() + 1;
    while (down > 0) {
        if (GetRowHeight(iRowStart) > 0)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        down--;
        iRowStart++;
    }

    iRowStart = VisibleCells.GetMinRow() - 1;
    while (up > 0) {
        if (GetRowHeight(iRowStart) > 0)
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        up--;
        iRowStart--;
    }

    // A cell only partly shown: on along each axis a line at a time while its
    // far edge is cut off and its near edge is still past the fixed cells (a
    // cell larger than the view ends up starting where the fixed cells end).
    GetClientRect(rectWindow);
    for (int nBar : {SB_HORZ, SB_VERT}) {
        const BOOL bHorz = nBar == SB_HORZ;
        const int nFixedExtent = bHorz ? GetFixedColumnWidth() : GetFixedRowHeight();
        const int nEnd = bHorz ? rectWindow.right : rectWindow.bottom;
        for (int nTimes = bHorz ? GetColumnCount() : GetRowCount(); nTimes > 0; nTimes--) {
            CRect rectCell;
            if (!GetCellRect(nRow, nCol, rectCell))
                break;
            int nNear = bHorz ? rectCell.left : rectCell.top;
            int nFar = bHorz ? rectCell.right : rectCell.bottom;
            if (nFar < nEnd || nNear <= nFixedExtent)
                break;
            int nPos = GetScrollPos32(nBar);
            SendMessage(bHorz ? WM_HSCROLL : WM_VSCROLL, bHorz ? SB_LINERIGHT : SB_LINEDOWN, 0);
            if (GetScrollPos32(nBar) == nPos)
                break;
        }
    }

    if (hFocus != NULL && ::IsWindow(hFocus))
        ::SetFocus(hFocus);
}

// ---- auto-size ----

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    if (GetColumnWidth(nCol) <= 0)
        return FALSE;   // hidden columns stay hidden

    CSize size;
    CDC* pDC = ::IsWindow(GetSafeHwnd()) ? GetDC() : NULL;
    if (pDC == NULL)
        return FALSE;

    if (nAutoSizeStyle == AUTOSIZE_DEFAULT)
        nAutoSizeStyle = GetAutoSizeStyle();

    int nStartRow = (nAutoSizeStyle & AUTOSIZE_HEADER) ? 0 : GetFixedRowCount();
    int nEndRow = (nAutoSizeStyle & AUTOSIZE_DATA) ? GetRowCount() - 1 : GetFixedRowCount() - 1;

    if (GetVirtualMode())
        SendCacheHint(CCellRange(nStartRow, nCol, nEndRow, nCol));

    int nWidth = 0;
    for (int nRow = nStartRow; nRow <= nEndRow; nRow++) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != NULL)
            size = pCell->GetCellExtent(pDC);
        else
            size = CSize(0, 0);
        if (size.cx > nWidth)
            nWidth = size.cx;
    }

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));

    m_arColWidths[nCol] = (UINT)nWidth;
    ReleaseDC(pDC);
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    if (GetRowHeight(nRow) <= 0)
        return FALSE;

    CSize size;
    CDC* pDC = ::IsWindow(GetSafeHwnd()) ? GetDC() : NULL;
    if (pDC == NULL)
        return FALSE;

    int nNumColumns = GetColumnCount();
    if (GetVirtualMode())
        SendCacheHint(CCellRange(nRow, 0, nRow, nNumColumns - 1));

    int nHeight = 0;
    for (int nCol = 0; nCol < nNumColumns; nCol++) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != NULL)
            size = pCell->GetCellExtent(pDC);
        else
            size = CSize(0, 0);
        if (size.cy > nHeight)
            nHeight = size.cy;
    }
    m_arRows[nRow].nHeight = (UINT)nHeight;

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));

    ReleaseDC(pDC);
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns(UINT nAutoSizeStyle)
{
    int nNumColumns = GetColumnCount();
    for (int nCol = 0; nCol < nNumColumns; nCol++)
        if (GetColumnWidth(nCol) > 0)
            AutoSizeColumn(nCol, nAutoSizeStyle, FALSE);
    ResetScrollBars();
}

void CGridCtrl::AutoSizeRows()
{
    int nNumRows = GetRowCount();
    for (int nRow = 0; nRow < nNumRows; nRow++)
        if (GetRowHeight(nRow) > 0)
            AutoSizeRow(nRow, FALSE);
    ResetScrollBars();
}

void CGridCtrl::AutoSize(UINT nAutoSizeStyle)
{
    CDC* pDC = ::IsWindow(GetSafeHwnd()) ? GetDC() : NULL;
    if (pDC == NULL)
        return;

    int nNumColumns = GetColumnCount();
    if (nAutoSizeStyle == AUTOSIZE_DEFAULT)
        nAutoSizeStyle = GetAutoSizeStyle();

    int nStartRow = (nAutoSizeStyle & AUTOSIZE_HEADER) ? 0 : GetFixedRowCount();
    int nEndRow = (nAutoSizeStyle & AUTOSIZE_DATA) ? GetRowCount() - 1 : GetFixedRowCount() - 1;

    if (GetVirtualMode())
        SendCacheHint(CCellRange(nStartRow, 0, nEndRow, nNumColumns - 1));

    // Hidden rows and columns stay hidden.
    std::vector<bool> colShown((size_t)nNumColumns), rowShown((size_t)max(0, nEndRow - nStartRow + 1));
    int nCol, nRow;
    for (nCol = 0; nCol < nNumColumns; nCol++) {
        colShown[(size_t)nCol] = GetColumnWidth(nCol) > 0;
        if (colShown[(size_t)nCol])
            m_arColWidths[nCol] = 0;
    }
    for (nRow = nStartRow; nRow <= nEndRow; nRow++) {
        rowShown[(size_t)(nRow - nStartRow)] = GetRowHeight(nRow) > 0;
        if (rowShown[(size_t)(nRow - nStartRow)])
            m_arRows[nRow].nHeight = 1;
    }

    CSize size;
    for (nCol = 0; nCol < nNumColumns; nCol++) {
        if (!colShown[(size_t)nCol])
            continue;
        for (nRow = nStartRow; nRow <= nEndRow; nRow++) {
            if (!rowShown[(size_t)(nRow - nStartRow)])
                continue;
            CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell != NULL)
                size = pCell->GetCellExtent(pDC);
            else
                size = CSize(0, 0);
            if (size.cx > (int)m_arColWidths[nCol])
                m_arColWidths[nCol] = (UINT)size.cx;
            if (size.cy > (int)m_arRows[nRow].nHeight)
                m_arRows[nRow].nHeight = (UINT)size.cy;
        }
    }

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));

    ReleaseDC(pDC);
    ResetScrollBars();
    Refresh();
}

void CGridCtrl::ExpandColumnsToFit(BOOL bExpandFixed)
{
    if (!::IsWindow(GetSafeHwnd()) || GetColumnCount() <= 0)
        return;

    EnableScrollBars(SB_HORZ, FALSE);

    int col;
    CRect rect;
    GetClientRect(rect);

    int nFirstColumn = (bExpandFixed) ? 0 : GetFixedColumnCount();
    int nNumColumnsAffected = 0;
    for (col = nFirstColumn; col < GetColumnCount(); col++)
        if (m_arColWidths[col] > 0)
            nNumColumnsAffected++;
    if (nNumColumnsAffected <= 0)
        return;

    long virtualWidth = GetVirtualWidth();
    int nDifference = rect.Width() - (int)virtualWidth;
    int nColumnAdjustment = nDifference / nNumColumnsAffected;

    for (col = nFirstColumn; col < GetColumnCount(); col++)
        if (m_arColWidths[col] > 0)
            m_arColWidths[col] += nColumnAdjustment;

    if (nDifference > 0) {
        int leftOver = nDifference % nNumColumnsAffected;
        for (int nCount = 0, c = nFirstColumn; (c < GetColumnCount()) && (nCount < leftOver); c++, nCount++)
            if (m_arColWidths[c] > 0)
                m_arColWidths[c] += 1;
    } else {
        int leftOver = (-nDifference) % nNumColumnsAffected;
        for (int nCount = 0, c = nFirstColumn; (c < GetColumnCount()) && (nCount < leftOver); c++, nCount++)
            if (m_arColWidths[c] > 0)
                m_arColWidths[c] -= 1;
    }

    Refresh();
    ResetScrollBars();
}

void CGridCtrl::ExpandLastColumn()
{
    if (!::IsWindow(GetSafeHwnd()) || GetColumnCount() <= 0)
        return;

    int nLastColumn = GetColumnCount() - 1;
    while (m_arColWidths[nLastColumn] <= 0)
        if (--nLastColumn < 0)
            return;

    EnableScrollBars(SB_HORZ, FALSE);
    CRect rect;
    GetClientRect(rect);
    long virtualWidth = GetVirtualWidth();
    int nDifference = rect.Width() - (int)virtualWidth;
    if (nDifference > 0) {
        m_arColWidths[nLastColumn] += nDifference;
        Refresh();
    }
    ResetScrollBars();
}

void CGridCtrl::ExpandRowsToFit(BOOL bExpandFixed)
{
    if (!::IsWindow(GetSafeHwnd()) || GetRowCount() <= 0)
        return;

    EnableScrollBars(SB_VERT, FALSE);

    int row;
    CRect rect;
    GetClientRect(rect);

    int nFirstRow = (bExpandFixed) ? 0 : GetFixedRowCount();
    int nNumRowsAffected = 0;
    for (row = nFirstRow; row < GetRowCount(); row++)
        if (m_arRows[row].nHeight > 0)
            nNumRowsAffected++;
    if (nNumRowsAffected <= 0)
        return;

    long virtualHeight = GetVirtualHeight();
    int nDifference = rect.Height() - (int)virtualHeight;
    int nRowAdjustment = nDifference / nNumRowsAffected;

    for (row = nFirstRow; row < GetRowCount(); row++)
        if (m_arRows[row].nHeight > 0)
            m_arRows[row].nHeight += nRowAdjustment;

    if (nDifference > 0) {
        int leftOver = nDifference % nNumRowsAffected;
        for (int nCount = 0, r = nFirstRow; (r < GetRowCount()) && (nCount < leftOver); r++, nCount++)
            if (m_arRows[r].nHeight > 0)
                m_arRows[r].nHeight += 1;
    } else {
        int leftOver = (-nDifference) % nNumRowsAffected;
        for (int nCount = 0, r = nFirstRow; (r < GetRowCount()) && (nCount < leftOver); r++, nCount++)
            if (m_arRows[r].nHeight > 0)
                m_arRows[r].nHeight -= 1;
    }

    Refresh();
    ResetScrollBars();
}

void CGridCtrl::AutoFill()
{
    if (!::IsWindow(m_hWnd))
        return;

    CRect rect;
    GetClientRect(rect);

    SetColumnCount(rect.Width() / m_defCellNormal.GetWidth() + 1);
    SetRowCount(rect.Height() / m_defCellNormal.GetHeight() + 1);
    SetFixedRowCount(1);
    SetFixedColumnCount(1);
    ExpandColumnsToFit(TRUE);
    ExpandRowsToFit(TRUE);
    ExpandColumnsToFit(TRUE);
}

CSize CGridCtrl::GetTextExtent(int nRow, int nCol, LPCTSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return CSize(0, 0);
    return pCell->GetTextExtent(str);
}
