// GridCtrlKeys.cpp - the keyboard: keys that move the focus and the selection, the clipboard
// and Select All shortcuts, and typed characters that start editing a cell.
#include "GridCtrl.h"
#include <algorithm>
using std::max;
using std::min;

static BOOL IsSHIFTpressed()
{
    return (GetKeyState(VK_SHIFT) & (1 << (sizeof(SHORT) * 8 - 1))) != 0;
}

static BOOL IsCTRLpressed()
{
    return (GetKeyState(VK_CONTROL) & (1 << (sizeof(SHORT) * 8 - 1))) != 0;
}

UINT CGridCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bWantTab && !IsCTRLpressed())
        nCode |= DLGC_WANTTAB;
    return nCode;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsValid(m_cellFocus)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    CCellID next = m_cellFocus;
    BOOL bChangeLine = FALSE;
    BOOL bHorzScrollAction = FALSE;
    BOOL bVertScrollAction = FALSE;

    if (IsCTRLpressed()) {
        switch (nChar) {
        case 'A': OnEditSelectAll(); break;
        case 'X': OnEditCut(); break;
        case VK_INSERT:
        case 'C': OnEditCopy(); break;
        case 'V': OnEditPaste(); break;
        }
    }

    if (IsSHIFTpressed() && nChar == VK_INSERT) {
        OnEditPaste();
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    auto FirstVisibleCol = [&]() {
        int c = m_nFixedCols;
        while (c < GetColumnCount() - 1 && GetColumnWidth(c) <= 0)
            c++;
        return c;
    };
    auto LastVisibleCol = [&]() {
        int c = GetColumnCount() - 1;
        while (c > m_nFixedCols && GetColumnWidth(c) <= 0)
            c--;
        return c;
    };
    auto FirstVisibleRow = [&]() {
        int r = m_nFixedRows;
        while (r < GetRowCount() - 1 && GetRowHeight(r) <= 0)
            r++;
        return r;
    };
    auto LastVisibleRow = [&]() {
        int r = GetRowCount() - 1;
        while (r > m_nFixedRows && GetRowHeight(r) <= 0)
            r--;
        return r;
    };

    if (nChar == VK_DOWN) {
        int iNextRow = next.row + 1;
        while (iNextRow < GetRowCount() && GetRowHeight(iNextRow) <= 0)
            iNextRow++;
        if (iNextRow < GetRowCount())
            next.row = iNextRow;
    } else if (nChar == VK_UP) {
        int iNextRow = next.row - 1;
        while (iNextRow >= m_nFixedRows && GetRowHeight(iNextRow) <= 0)
            iNextRow--;
        if (iNextRow >= m_nFixedRows)
            next.row = iNextRow;
    } else if (nChar == VK_RIGHT || (nChar == VK_TAB && !IsSHIFTpressed())) {
        int iNextCol = next.column + 1;
        while (iNextCol < GetColumnCount() && GetColumnWidth(iNextCol) <= 0)
            iNextCol++;
        if (iNextCol < GetColumnCount())
            next.column = iNextCol;
        else if (nChar == VK_TAB) {
            // Wrap to the first column of the next visible row.
            int iNextRow = next.row + 1;
            while (iNextRow < GetRowCount() && GetRowHeight(iNextRow) <= 0)
                iNextRow++;
            if (iNextRow < GetRowCount()) {
                next.row = iNextRow;
                next.column = FirstVisibleCol();
                bChangeLine = TRUE;
            }
        }
    } else if (nChar == VK_LEFT || (nChar == VK_TAB && IsSHIFTpressed())) {
        int iNextCol = next.column - 1;
        while (iNextCol >= m_nFixedCols && GetColumnWidth(iNextCol) <= 0)
            iNextCol--;
        if (iNextCol >= m_nFixedCols)
            next.column = iNextCol;
        else if (nChar == VK_TAB && next.row > m_nFixedRows) {
            int iNextRow = next.row - 1;
            while (iNextRow > m_nFixedRows && GetRowHeight(iNextRow) <= 0)
                iNextRow--;
            next.row = max(iNextRow, m_nFixedRows);
            next.column = LastVisibleCol();
            bChangeLine = TRUE;
        }
    } else if (nChar == VK_NEXT) {
        CCellID idOldTopLeft = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        bVertScrollAction = TRUE;
        CCellID idNewTopLeft = GetTopleftNonFixedCell();
        int increment = idNewTopLeft.row - idOldTopLeft.row;
        if (increment) {
            next.row += increment;
            if (next.row > (GetRowCount() - 1))
                next.row = GetRowCount() - 1;
        } else
            next.row = GetRowCount() - 1;
    } else if (nChar == VK_PRIOR) {
        CCellID idOldTopLeft = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
        bVertScrollAction = TRUE;
        CCellID idNewTopLeft = GetTopleftNonFixedCell();
        int increment = idNewTopLeft.row - idOldTopLeft.row;
        if (increment) {
            next.row += increment;
            if (next.row < m_nFixedRows)
                next.row = m_nFixedRows;
        } else
            next.row = m_nFixedRows;
    } else if (nChar == VK_HOME) {
        if (IsCTRLpressed()) {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            bVertScrollAction = TRUE;
            next.row = FirstVisibleRow();
        }
        SendMessage(WM_HSCROLL, SB_LEFT, 0);
        bHorzScrollAction = TRUE;
        next.column = FirstVisibleCol();
    } else if (nChar == VK_END) {
        if (IsCTRLpressed()) {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            bVertScrollAction = TRUE;
            next.row = LastVisibleRow();
        }
        SendMessage(WM_HSCROLL, SB_RIGHT, 0);
        bHorzScrollAction = TRUE;
        next.column = LastVisibleCol();
    } else if (nChar == VK_F2) {
        OnEditCell(m_cellFocus.row, m_cellFocus.column, CPoint(-1, -1), VK_LBUTTON);
    } else if (nChar == VK_DELETE) {
        // Consumed: nothing happens.
    } else {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    if (next == m_cellFocus)
        return;

    if (m_nMouseMode == MOUSE_NOTHING) {
        m_mapPrevSelected.RemoveAll();
        m_nMouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!IsSHIFTpressed() || nChar == VK_TAB)
            m_cellSelectStart = next;

        NotifyOwner(next.row, next.column, LVN_ITEMCHANGING);
        SelectRowRange(next, TRUE, TRUE);
        NotifyOwner(next.row, next.column, LVN_ITEMCHANGED);
        m_nMouseMode = MOUSE_NOTHING;
    }

    SetFocusCell(next);

    if (!IsCellVisible(next)) {
        switch (nChar) {
        case VK_RIGHT:
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            bHorzScrollAction = TRUE;
            break;
        case VK_LEFT:
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            bHorzScrollAction = TRUE;
            break;
        case VK_DOWN:
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            bVertScrollAction = TRUE;
            break;
        case VK_UP:
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            bVertScrollAction = TRUE;
            break;
        case VK_TAB:
            if (IsSHIFTpressed()) {
                if (bChangeLine) {
                    SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                    bVertScrollAction = TRUE;
                    SetScrollPos32(SB_HORZ, m_nHScrollMax);
                } else {
                    SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
                    bHorzScrollAction = TRUE;
                }
            } else {
                if (bChangeLine) {
                    SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                    bVertScrollAction = TRUE;
                    SetScrollPos32(SB_HORZ, 0);
                } else {
                    SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
                    bHorzScrollAction = TRUE;
                }
            }
            break;
        }
        EnsureVisible(next.row, next.column);
        Invalidate();
    }
    EnsureVisible(next.row, next.column);

    if (bHorzScrollAction)
        SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
    if (bVertScrollAction)
        SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsCTRLpressed() && m_nMouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE) {
        if (!m_bWantTab || nChar != VK_TAB)
            OnEditCell(m_cellFocus.row, m_cellFocus.column, CPoint(-1, -1), nChar);
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CGridCtrl::OnImeChar(WPARAM wCharCode, LPARAM /*lParam*/)
{
    if (!IsCTRLpressed() && m_nMouseMode == MOUSE_NOTHING && wCharCode != VK_ESCAPE)
        OnEditCell(m_cellFocus.row, m_cellFocus.column, CPoint(-1, -1), (UINT)wCharCode);
    return 0;
}

void CGridCtrl::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CWnd::OnSysKeyDown(nChar, nRepCnt, nFlags);
}
