// GridCtrlMouse.cpp - the mouse and title tips: clicks and drags that select, sizing rows and
// columns by their dividers, the cursor, and the timer that scrolls while a drag is outside.
#include "GridCtrl.h"
#include <algorithm>
using std::max;
using std::min;

CPoint CGridCtrl::GetPointClicked(int nRow, int nCol, const CPoint& point)
{
    CPoint PointCellOrigin;
    if (!GetCellOrigin(nRow, nCol, &PointCellOrigin))
        return CPoint(0, 0);
    CPoint PointClickedCellRelative(point);
    PointClickedCellRelative -= PointCellOrigin;
    return PointClickedCellRelative;
}

// Divider sizing follows one rule along either axis: bRows picks the rows
// (heights, y, the row header band left of the fixed columns) or the columns
// (widths, x, the column header band above the fixed rows).

int CGridCtrl::AxisExtent(BOOL bRows, int i) const
{
    return bRows ? GetRowHeight(i) : GetColumnWidth(i);
}

// The first pixel of row (column) i, along its axis.
BOOL CGridCtrl::AxisStart(BOOL bRows, int i, int& nStart)
{
    CPoint origin;
    if (!GetCellOrigin(bRows ? i : 0, bRows ? 0 : i, &origin))
        return FALSE;
    nStart = bRows ? origin.y : origin.x;
    return TRUE;
}

BOOL CGridCtrl::MouseOverResizeArea(BOOL bRows, CPoint point)
{
    if ((bRows ? point.x : point.y) >= (bRows ? GetFixedColumnWidth() : GetFixedRowHeight()))
        return FALSE;

    CCellID idCurrentCell = GetCellFromPt(point);
    int nIndex = bRows ? idCurrentCell.row : idCurrentCell.column;
    CPoint origin;
    if (!GetCellOrigin(idCurrentCell, &origin))
        return FALSE;
    int nAlong = bRows ? point.y - origin.y : point.x - origin.x;
    return (nAlong < m_nResizeMargin && nIndex != 0) || AxisExtent(bRows, nIndex) - nAlong < m_nResizeMargin;
}

// The 2-pixel line that follows the pointer while a divider is dragged,
// drawn and erased by inverting it.
void CGridCtrl::InvertSizingLine(BOOL bRows, int nPos)
{
    CRect rect;
    GetClientRect(rect);
    if (bRows)
        rect.SetRect(rect.left, nPos, rect.right, nPos + 2);
    else
        rect.SetRect(nPos, rect.top, nPos + 2, rect.bottom);
    CDC* pDC = GetDC();
    if (pDC != NULL) {
        pDC->InvertRect(&rect);
        ReleaseDC(pDC);
    }
}

// A press on a divider: picks the row (column) to size and starts the drag.
void CGridCtrl::BeginSizing(BOOL bRows, CPoint point)
{
    m_nMouseMode = bRows ? MOUSE_SIZING_ROW : MOUSE_SIZING_COL;
    int& nIndex = bRows ? m_cellLeftDown.row : m_cellLeftDown.column;
    const int nLast = (bRows ? GetRowCount() : GetColumnCount()) - 1;
    const int nPos = bRows ? point.y : point.x;

    // A last one thinner than the margin is sized at the edge of the cells.
    if (AxisExtent(bRows, nLast) < m_nResizeMargin) {
        CRect VisRect;
        VisibleRange(VisRect);
        if (abs(nPos - (bRows ? VisRect.bottom : VisRect.right)) < m_nResizeMargin)
            nIndex = nLast;
    }

    int nStart;
    if (!AxisStart(bRows, nIndex, nStart))
        return;
    const BOOL bNearEdge = nPos - nStart < m_nResizeMargin;

    // Unless hidden ones may be reopened, the nearest shown one before takes
    // the place of a hidden one.
    if (!(bRows ? m_bReopenHiddenRows : m_bReopenHiddenColumns) && (bNearEdge || nIndex < nLast)) {
        int iOffset = bNearEdge ? 1 : 0;
        while (nIndex - iOffset >= 0 && AxisExtent(bRows, nIndex - iOffset) <= 0)
            nIndex--;
        if (nIndex - iOffset < 0)
            return;
    }

    InvertSizingLine(bRows, nPos);

    // On the near edge the divider is the previous one's far edge.
    if (bNearEdge && (nIndex < nLast || AxisExtent(bRows, nLast) >= m_nResizeMargin))
        if (!AxisStart(bRows, --nIndex, nStart))
            return;

    // The pointer stays past the sized one's first pixel.
    CRect rect;
    GetClientRect(rect);
    LONG& rectStart = bRows ? rect.top : rect.left;
    LONG& rectEnd = bRows ? rect.bottom : rect.right;
    int nSpan = (rectEnd - rectStart) - (bRows ? GetFixedRowHeight() : GetFixedColumnWidth());
    rectStart = nStart + 1;
    rectEnd = rectStart + nSpan;
    ClientToScreen(rect);
    ::ClipCursor(rect);
}

// The release that ends a divider drag: the row (column) ends where the
// pointer is.
void CGridCtrl::EndSizing(BOOL bRows, CPoint point)
{
    InvertSizingLine(bRows, bRows ? m_lastPointerPos.y : m_lastPointerPos.x);
    if (m_pressPoint == point || (point.x == 0 && point.y == 0))
        return;
    int nIndex = bRows ? m_cellLeftDown.row : m_cellLeftDown.column;
    int nStart;
    if (!AxisStart(bRows, nIndex, nStart))
        return;
    BOOL bMayHide = bRows ? m_bAllowRowHide : m_bAllowColumnHide;
    int nExtent = max((int)((bRows ? point.y : point.x) - nStart), bMayHide ? 0 : 1);
    if (bRows)
        SetRowHeight(nIndex, nExtent);
    else
        SetColumnWidth(nIndex, nExtent);
    ResetScrollBars();
    Invalidate();
}

// A double click on a divider fits the row (column) whose far edge it is,
// or the nearest shown one before it.
void CGridCtrl::FitToDivider(BOOL bRows, CPoint point, CCellID cell)
{
    int nIndex = bRows ? cell.row : cell.column;
    int nStart;
    if (!AxisStart(bRows, nIndex, nStart))
        return;
    if ((bRows ? point.y : point.x) - nStart < m_nResizeMargin)
        nIndex--;
    while (nIndex > 0 && AxisExtent(bRows, nIndex) <= 0)
        nIndex--;
    if (nIndex < 0)
        return;
    if (bRows)
        AutoSizeRow(nIndex);
    else
        AutoSizeColumn(nIndex, GetAutoSizeStyle());
    Invalidate();
}

// The pointer over a divider (a column divider wins where both meet): its
// cursor and mode. FALSE when it is over none.
BOOL CGridCtrl::HoverDivider(CPoint point)
{
    for (BOOL bRows : {FALSE, TRUE}) {
        if (!(bRows ? m_bAllowRowResize : m_bAllowColumnResize) || !MouseOverResizeArea(bRows, point))
            continue;
        int nMode = bRows ? MOUSE_OVER_ROW_DIVIDE : MOUSE_OVER_COL_DIVIDE;
        if (m_nMouseMode != nMode) {
            ::SetCursor(::LoadCursor(NULL, bRows ? IDC_SIZENS : IDC_SIZEWE));
            m_nMouseMode = nMode;
        }
        return TRUE;
    }
    return FALSE;
}

void CGridCtrl::OnFixedColumnClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bFixedColumnSelection) {
        m_nMouseMode = (cell.row < GetFixedRowCount()) ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
        ExtendSelectionTo(cell);
    }
}

void CGridCtrl::OnFixedRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;

    if (GetSortOnClick()) {
        CWaitCursor waiter;
        if (cell.column == GetSortColumn())
            SortItems(cell.column, !GetSortAscending());
        else
            SortItems(cell.column, FALSE);   // a new column sorts descending first
        SendMessage(WM_VSCROLL, SB_TOP, 0);
        SetFocusCell(1, cell.column);
        SetSelectedRange(1, 0, 1, GetColumnCount() - 1, FALSE, TRUE);
        Invalidate();
    }

    if (m_bFixedRowSelection) {
        m_nMouseMode = (cell.column < GetFixedColumnCount()) ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        ExtendSelectionTo(cell);
    }
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();

    m_pressPoint = point;
    m_bLeftButtonDown = TRUE;
    m_cellLeftDown = GetCellFromPt(point);
    if (!IsValid(m_cellLeftDown))
        return;

    if ((nFlags & MK_SHIFT) != MK_SHIFT)
        m_cellSelectStart = m_cellLeftDown;
    else if (!IsValid(m_cellSelectStart))
        m_cellSelectStart = m_cellFocus;

    EndEditing();

    CGridCellBase* pCell = GetCell(m_cellLeftDown.row, m_cellLeftDown.column);
    if (pCell != NULL)
        pCell->OnPress(GetPointClicked(m_cellLeftDown.row, m_cellLeftDown.column, point));

    BOOL bInTextArea = FALSE;
    pCell = GetCell(m_cellLeftDown.row, m_cellLeftDown.column);
    if (pCell != NULL) {
        CRect rectCell;
        if (GetCellRect(m_cellLeftDown.row, m_cellLeftDown.column, rectCell) && pCell->GetTextRect(rectCell))
            bInTextArea = rectCell.PtInRect(point);
    }

    if (m_cellLeftDown == m_cellFocus && !(nFlags & MK_CONTROL) && bInTextArea &&
        IsCellEditable(m_cellLeftDown)) {
        m_nMouseMode = MOUSE_PREPARE_EDIT;
        return;
    } else if (IsCellInSelection(m_cellLeftDown)) {
        if (nFlags & MK_CONTROL) {
            SetFocusCell(m_cellLeftDown);
            if (GetListMode())
                SelectRowRange(m_cellLeftDown, TRUE, FALSE);
            else
                SelectCellRange(m_cellLeftDown, TRUE, FALSE);
            return;
        } else if (m_bAllowDragAndDrop)
            m_nMouseMode = MOUSE_PREPARE_DRAG;
    } else if (m_nMouseMode != MOUSE_OVER_COL_DIVIDE && m_nMouseMode != MOUSE_OVER_ROW_DIVIDE) {
        if (m_cellLeftDown.row >= GetFixedRowCount())
            SetFocusCell(m_cellLeftDown.row, m_cellLeftDown.column);
    }

    SetCapture();

    if (m_nMouseMode == MOUSE_NOTHING)
        HoverDivider(point);

    if (m_nMouseMode == MOUSE_OVER_COL_DIVIDE || m_nMouseMode == MOUSE_OVER_ROW_DIVIDE) {
        BeginSizing(m_nMouseMode == MOUSE_OVER_ROW_DIVIDE, point);
    } else if (m_nMouseMode != MOUSE_PREPARE_DRAG) {
        NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, LVN_ITEMCHANGING);

        if (m_cellLeftDown.row >= GetFixedRowCount()) {
            m_mapPrevSelected.RemoveAll();
            if (nFlags & MK_CONTROL) {
                for (POSITION pos = m_mapSelected.GetStartPosition(); pos != NULL;) {
                    GRIDSELKEY key;
                    CCellID cell;
                    m_mapSelected.GetNextAssoc(pos, key, (CCellID&)cell);
                    m_mapPrevSelected.SetAt(key, cell);
                }
            }
        }

        if (m_cellLeftDown.row < GetFixedRowCount())
            OnFixedRowClick(m_cellLeftDown);
        else if (m_cellLeftDown.column < GetFixedColumnCount()) {
            SelectRowRange(m_cellLeftDown, TRUE, TRUE);
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        } else {
            m_nMouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            ExtendSelectionTo(m_cellLeftDown);
            m_nAutoScrollTimer = SetTimer(GRID_AUTOSCROLL_TIMER, m_nAutoScrollInterval, NULL);
        }
    }

    m_lastPointerPos = point;
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rect;
    GetClientRect(rect);

    if (m_nMouseMode != MOUSE_DRAGGING && !rect.PtInRect(point))
        return;

    if (!m_bLeftButtonDown || (m_bLeftButtonDown && m_nMouseMode == MOUSE_NOTHING)) {
        // Hover handling.
        if (!HoverDivider(point) && m_nMouseMode != MOUSE_NOTHING) {
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
            m_nMouseMode = MOUSE_NOTHING;
        }

        if (m_nMouseMode == MOUSE_NOTHING && !(GetVirtualMode() && !m_bTitleTips)) {
            CCellID idCurrentCell = GetCellFromPt(point);
            CGridCellBase* pCell = GetCell(idCurrentCell.row, idCurrentCell.column);
            if (pCell != NULL) {
                pCell->OnHover();
                if (m_bTitleTips) {
                    CRect TextRect, CellRect;
                    LPCTSTR szTipText = pCell->GetTipText();
                    if (szTipText != NULL && szTipText[0] != 0 && !pCell->IsEditing() &&
                        GetCellRect(idCurrentCell.row, idCurrentCell.column, &TextRect) &&
                        pCell->GetTipTextRect(&TextRect) &&
                        GetCellRect(idCurrentCell.row, idCurrentCell.column, CellRect)) {
                        CString strTip = szTipText;
                        m_TitleTip.SetParentWnd(this);
                        m_TitleTip.Show(TextRect, strTip, 0, CellRect, pCell->GetFont(), m_crTitleTipText,
                                        m_crTitleTipBack);
                    }
                }
            }
        }
        m_lastPointerPos = point;
        return;
    }

    if (!IsValid(m_cellLeftDown)) {
        m_lastPointerPos = point;
        return;
    }

    if (m_bLeftButtonDown) {
        switch (m_nMouseMode) {
        case MOUSE_SELECT_ALL:
            break;

        case MOUSE_SELECT_COL:
        case MOUSE_SELECT_ROW:
        case MOUSE_SELECT_CELLS: {
            CCellID idCurrentCell = GetCellFromPt(point);
            if (!IsValid(idCurrentCell))
                return;
            if (idCurrentCell != GetFocusCell()) {
                ExtendSelectionTo(idCurrentCell);
                if ((idCurrentCell.row >= GetFixedRowCount() && idCurrentCell.column >= GetFixedColumnCount()) ||
                    m_nMouseMode == MOUSE_SELECT_COL || m_nMouseMode == MOUSE_SELECT_ROW)
                    RepaintRow(idCurrentCell.row);
            }
            break;
        }

        case MOUSE_SIZING_COL:
        case MOUSE_SIZING_ROW: {
            BOOL bRows = m_nMouseMode == MOUSE_SIZING_ROW;
            InvertSizingLine(bRows, bRows ? m_lastPointerPos.y : m_lastPointerPos.x);
            InvertSizingLine(bRows, bRows ? point.y : point.x);
            break;
        }

        case MOUSE_PREPARE_EDIT:
        case MOUSE_PREPARE_DRAG:
            m_nMouseMode = MOUSE_PREPARE_DRAG;
            OnBeginDrag();
            break;
        }
    }

    m_lastPointerPos = point;
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);

    m_bLeftButtonDown = FALSE;
    ::ClipCursor(NULL);

    if (GetCapture()->GetSafeHwnd() == GetSafeHwnd()) {
        ReleaseCapture();
        if (m_nAutoScrollTimer != 0)
            KillTimer(m_nAutoScrollTimer);
        m_nAutoScrollTimer = 0;
    }

    CPoint pointClickedRel = GetPointClicked(m_cellFocus.row, m_cellFocus.column, point);

    if (m_nMouseMode == MOUSE_PREPARE_EDIT) {
        OnEditCell(m_cellFocus.row, m_cellFocus.column, pointClickedRel, VK_LBUTTON);
    } else if (m_nMouseMode == MOUSE_PREPARE_DRAG) {
        // A press on a selected cell that did not become a drag.
        CGridCellBase* pCell = GetCell(m_cellFocus.row, m_cellFocus.column);
        if (pCell != NULL)
            pCell->OnClick(GetPointClicked(m_cellFocus.row, m_cellFocus.column, point));
        NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, NM_CLICK);
        NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, LVN_ITEMCHANGING);
        // The pressed cell (its row in list mode) becomes the selection, with
        // the map and the cells' bits together, and the focus is on it alone.
        ClearSelectionAndFocus();
        if (m_bListMode)
            SetSelectedRange(m_cellLeftDown.row, m_nFixedCols, m_cellLeftDown.row, GetColumnCount() - 1,
                             FALSE, TRUE);
        else
            SetSelectedRange(m_cellLeftDown.row, m_cellLeftDown.column, m_cellLeftDown.row,
                             m_cellLeftDown.column, FALSE, TRUE);
        SetFocusCell(m_cellLeftDown);
        Invalidate();
        NotifyOwner(m_cellFocus.row, m_cellFocus.column, LVN_ITEMCHANGED);
    } else if (m_nMouseMode == MOUSE_SIZING_COL || m_nMouseMode == MOUSE_SIZING_ROW) {
        EndSizing(m_nMouseMode == MOUSE_SIZING_ROW, point);
    } else {
        NotifyOwner(m_cellFocus.row, m_cellFocus.column, LVN_ITEMCHANGED);

        CGridCellBase* pCell = GetCell(m_cellFocus.row, m_cellFocus.column);
        if (pCell != NULL)
            pCell->OnClick(GetPointClicked(m_cellFocus.row, m_cellFocus.column, point));
        NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, NM_CLICK);
    }

    m_nMouseMode = MOUSE_NOTHING;
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));

    if (!IsValid(m_cellLeftDown))
        return;

    CWnd* pOwner = GetOwner();
    if (pOwner != NULL && ::IsWindow(pOwner->m_hWnd))
        pOwner->PostMessage(WM_COMMAND, MAKELONG(GetDlgCtrlID(), 0), (LPARAM)GetSafeHwnd());
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return;

    if (m_nMouseMode == MOUSE_OVER_COL_DIVIDE || m_nMouseMode == MOUSE_OVER_ROW_DIVIDE) {
        FitToDivider(m_nMouseMode == MOUSE_OVER_ROW_DIVIDE, point, cell);
    } else if (m_nMouseMode == MOUSE_NOTHING) {
        CPoint pointClickedRel = GetPointClicked(cell.row, cell.column, point);

        CGridCellBase* pCell = NULL;
        if (IsValid(cell))
            pCell = GetCell(cell.row, cell.column);

        if (cell.row >= m_nFixedRows && cell.column >= m_nFixedCols && pCell != NULL &&
            (IsValid(m_cellLeftDown) || m_bListMode)) {
            CRect rectText;
            if (GetCellRect(cell.row, cell.column, rectText) && pCell->GetTextRect(rectText) &&
                rectText.PtInRect(point))
                OnEditCell(cell.row, cell.column, pointClickedRel, VK_LBUTTON);
        }

        pCell = GetCell(cell.row, cell.column);
        if (pCell != NULL)
            pCell->OnDoubleClick(pointClickedRel);
        NotifyOwner(cell.row, cell.column, NM_DBLCLK);
    }

    CWnd::OnLButtonDblClk(nFlags, point);
}

void CGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonUp(nFlags, point);

    m_bRightButtonDown = FALSE;
    EndEditing();

    CCellID FocusCell = GetCellFromPt(point);
    if (!IsValid(FocusCell)) {
        NotifyOwner(-1, -1, NM_RCLICK);
        return;
    }

    SetFocusCell(-1, -1);
    SetFocusCell(max(FocusCell.row, m_nFixedRows), max(FocusCell.column, m_nFixedCols));
    SetSelectedRange(FocusCell.row, 0, FocusCell.row, GetColumnCount() - 1, FALSE, TRUE);

    CGridCellBase* pCell = GetCell(FocusCell.row, FocusCell.column);
    if (pCell != NULL)
        pCell->OnRightClick(GetPointClicked(FocusCell.row, FocusCell.column, point));
    NotifyOwner(FocusCell.row, FocusCell.column, NM_RCLICK);
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        switch (m_nMouseMode) {
        case MOUSE_OVER_COL_DIVIDE: ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE)); break;
        case MOUSE_OVER_ROW_DIVIDE: ::SetCursor(::LoadCursor(NULL, IDC_SIZENS)); break;
        case MOUSE_DRAGGING: break;
        default:
            if (!GetVirtualMode()) {
                CPoint pt(GetMessagePos());
                ScreenToClient(&pt);
                CCellID cell = GetCellFromPt(pt);
                if (IsValid(cell)) {
                    CGridCellBase* pCell = GetCell(cell.row, cell.column);
                    if (pCell != NULL)
                        return pCell->OnSetCursor();
                }
            }
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
        }
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd->GetSafeHwnd() == GetSafeHwnd())
        return;

    if (m_nAutoScrollTimer != 0) {
        KillTimer(m_nAutoScrollTimer);
        m_nAutoScrollTimer = 0;
    }
    if (m_nMouseMode == MOUSE_DRAGGING)
        m_nMouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != GRID_AUTOSCROLL_TIMER)
        return;

    CPoint pt, origPt;
    if (!GetCursorPos(&origPt))
        return;
    ScreenToClient(&origPt);

    CRect rect;
    GetClientRect(rect);

    int nFixedRowHeight = GetFixedRowHeight();
    int nFixedColWidth = GetFixedColumnWidth();

    pt = origPt;
    if (pt.y > rect.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        if (pt.x < rect.left)
            pt.x = rect.left;
        if (pt.x > rect.right)
            pt.x = rect.right;
        pt.y = rect.bottom;
        ExtendSelectionTo(GetCellFromPt(pt));
    } else if (pt.y < nFixedRowHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        if (pt.x < rect.left)
            pt.x = rect.left;
        if (pt.x > rect.right)
            pt.x = rect.right;
        pt.y = nFixedRowHeight + 1;
        ExtendSelectionTo(GetCellFromPt(pt));
    }

    pt = origPt;
    if (pt.x > rect.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        if (pt.y < rect.top)
            pt.y = rect.top;
        if (pt.y > rect.bottom)
            pt.y = rect.bottom;
        pt.x = rect.right;
        ExtendSelectionTo(GetCellFromPt(pt));
    } else if (pt.x < nFixedColWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        if (pt.y < rect.top)
            pt.y = rect.top;
        if (pt.y > rect.bottom)
            pt.y = rect.bottom;
        pt.x = nFixedColWidth + 1;
        ExtendSelectionTo(GetCellFromPt(pt));
    }
}
