// GridCtrlDraw.cpp - painting: the background, the visible cells and grid lines, and
// repainting or invalidating single cells, rows and columns.
#include "GridCtrl.h"
#include <algorithm>
using std::max;
using std::min;
#include "MemDC.h"

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CMemDC MemDC(&dc);
        OnDraw(&MemDC);
    } else
        OnDraw(&dc);
}

BOOL CGridCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;   // OnDraw paints every pixel
}

void CGridCtrl::EraseBkgnd(CDC* pDC)
{
    CRect VisRect, ClipRect, rect;
    CBrush FixedRowColBack(GetDefaultCell(TRUE, TRUE)->GetBackClr()),
        FixedRowBack(GetDefaultCell(TRUE, FALSE)->GetBackClr()),
        FixedColBack(GetDefaultCell(FALSE, TRUE)->GetBackClr()),
        TextBack(GetDefaultCell(FALSE, FALSE)->GetBackClr());
    CBrush Back(m_crGridBack);

    if (pDC->GetClipBox(ClipRect) == ERROR)
        return;
    VisibleRange(VisRect);

    int nFixedColumnWidth = GetFixedColumnWidth();
    int nFixedRowHeight = GetFixedRowHeight();

    if (ClipRect.top < nFixedRowHeight && ClipRect.left < nFixedColumnWidth)
        pDC->FillRect(CRect(ClipRect.left, ClipRect.top, nFixedColumnWidth, nFixedRowHeight), &FixedRowColBack);

    if (ClipRect.left < nFixedColumnWidth && ClipRect.top < VisRect.bottom)
        pDC->FillRect(CRect(ClipRect.left, ClipRect.top, nFixedColumnWidth, VisRect.bottom), &FixedColBack);

    if (ClipRect.top < nFixedRowHeight && ClipRect.right > nFixedColumnWidth && ClipRect.left < VisRect.right)
        pDC->FillRect(CRect(nFixedColumnWidth - 1, ClipRect.top, VisRect.right, nFixedRowHeight), &FixedRowBack);

    if (rect.IntersectRect(VisRect, ClipRect)) {
        CRect CellRect(max(nFixedColumnWidth, (int)rect.left), max(nFixedRowHeight, (int)rect.top), rect.right, rect.bottom);
        pDC->FillRect(CellRect, &TextBack);
    }

    if (VisRect.right < ClipRect.right)
        pDC->FillRect(CRect(VisRect.right, ClipRect.top, ClipRect.right, ClipRect.bottom), &Back);

    if (VisRect.bottom < ClipRect.bottom && ClipRect.left < VisRect.right)
        pDC->FillRect(CRect(ClipRect.left, VisRect.bottom, VisRect.right, ClipRect.bottom), &Back);
}

void CGridCtrl::OnDraw(CDC* pDC)
{
    if (!m_bAllowDraw)
        return;

    CRect clipRect;
    if (pDC->GetClipBox(&clipRect) == ERROR)
        return;

    EraseBkgnd(pDC);

    int row, col;
    CGridCellBase* pCell;

    int nFixedRowHeight = GetFixedRowHeight();
    int nFixedColWidth = GetFixedColumnWidth();

    CCellID idTopLeft = GetTopleftNonFixedCell();
    int minVisibleRow = idTopLeft.row, minVisibleCol = idTopLeft.column;

    CRect VisRect;
    CCellRange VisCellRange = VisibleRange(VisRect);
    int maxVisibleRow = VisCellRange.GetMaxRow(), maxVisibleCol = VisCellRange.GetMaxCol();

    if (GetVirtualMode())
        SendCacheHint(VisCellRange);

    CRect rect;

    // The fixed corner.
    rect.bottom = -1;
    for (row = 0; row < m_nFixedRows; row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (col = 0; col < m_nFixedCols; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            pCell = GetCell(row, col);
            if (pCell != NULL) {
                pCell->SetCoords(row, col);
                pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    }

    // The fixed columns of the visible rows.
    rect.bottom = nFixedRowHeight - 1;
    for (row = minVisibleRow; row <= maxVisibleRow; row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = -1;
        for (col = 0; col < m_nFixedCols; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            pCell = GetCell(row, col);
            if (pCell != NULL) {
                pCell->SetCoords(row, col);
                pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    }

    // The fixed rows of the visible columns.
    rect.bottom = -1;
    for (row = 0; row < m_nFixedRows; row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = nFixedColWidth - 1;
        for (col = minVisibleCol; col <= maxVisibleCol; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            pCell = GetCell(row, col);
            if (pCell != NULL) {
                pCell->SetCoords(row, col);
                pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    }

    // The visible non-fixed cells.
    rect.bottom = nFixedRowHeight - 1;
    for (row = minVisibleRow; row <= maxVisibleRow; row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = nFixedColWidth - 1;
        for (col = minVisibleCol; col <= maxVisibleCol; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            pCell = GetCell(row, col);
            if (pCell != NULL) {
                pCell->SetCoords(row, col);
                pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    }

    // Grid lines, at the last pixel of each visible non-fixed row and column.
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, m_crLines);
    CPen* pOldPen = pDC->SelectObject(&pen);

    if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
        int x = nFixedColWidth;
        for (col = minVisibleCol; col <= maxVisibleCol; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            x += GetColumnWidth(col);
            pDC->MoveTo(x - 1, nFixedRowHeight);
            pDC->LineTo(x - 1, VisRect.bottom);
        }
    }

    if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
        int y = nFixedRowHeight;
        for (row = minVisibleRow; row <= maxVisibleRow; row++) {
            if (GetRowHeight(row) <= 0)
                continue;
            y += GetRowHeight(row);
            pDC->MoveTo(nFixedColWidth, y - 1);
            pDC->LineTo(VisRect.right, y - 1);
        }
    }

    pDC->SelectObject(pOldPen);

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));
}

BOOL CGridCtrl::RepaintCell(int nRow, int nCol, CDC* pDC)
{
    BOOL bResult = TRUE;
    BOOL bMustReleaseDC = FALSE;

    if (!m_bAllowDraw || !IsCellVisible(nRow, nCol))
        return FALSE;

    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return FALSE;

    if (pDC == NULL) {
        pDC = GetDC();
        if (pDC != NULL)
            bMustReleaseDC = TRUE;
    }

    if (pDC != NULL) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != NULL) {
            pCell->SetCoords(nRow, nCol);
            bResult = pCell->Draw(pDC, nRow, nCol, rect, TRUE);
        }

        if (!IsCellFixed(nRow, nCol)) {
            CPen pen;
            pen.CreatePen(PS_SOLID, 0, m_crLines);
            CPen* pOldPen = pDC->SelectObject(&pen);
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
            pDC->SelectObject(pOldPen);
        }
    } else
        InvalidateRect(rect, TRUE);

    if (bMustReleaseDC)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::RepaintRow(int row)
{
    BOOL bResult = TRUE;
    if (!::IsWindow(GetSafeHwnd()))
        return FALSE;
    CDC* pDC = GetDC();
    for (int col = 0; col < GetColumnCount(); col++)
        bResult = RepaintCell(row, col, pDC) && bResult;
    if (pDC != NULL)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::RepaintColumn(int col)
{
    BOOL bResult = TRUE;
    if (!::IsWindow(GetSafeHwnd()))
        return FALSE;
    CDC* pDC = GetDC();
    for (int row = 0; row < GetRowCount(); row++)
        bResult = RepaintCell(row, col, pDC) && bResult;
    if (pDC != NULL)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::InvalidateCellRect(const int row, const int col)
{
    if (!::IsWindow(GetSafeHwnd()) || !m_bAllowDraw)
        return FALSE;
    if (!IsValid(row, col))
        return FALSE;
    if (!IsCellVisible(row, col))
        return FALSE;

    CRect rect;
    if (!GetCellRect(row, col, rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(rect, TRUE);
    return TRUE;
}

BOOL CGridCtrl::InvalidateCellRect(const CCellRange& cellRange)
{
    if (!::IsWindow(GetSafeHwnd()) || !m_bAllowDraw)
        return FALSE;
    CCellRange visibleCellRange = VisibleRange();
    for (int row = cellRange.GetMinRow(); row <= cellRange.GetMaxRow(); row++)
        for (int col = cellRange.GetMinCol(); col <= cellRange.GetMaxCol(); col++)
            if (visibleCellRange.InRange(row, col))
                InvalidateCellRect(row, col);
    return TRUE;
}

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    Refresh();
}

void CGridCtrl::Refresh()
{
    if (::IsWindow(GetSafeHwnd()) && m_bAllowDraw)
        Invalidate();
}
