// GridCtrlEdit.cpp - in-place editing: starting and ending a cell's editor, and taking or
// refusing the text it hands back.
#include "GridCtrl.h"
#include "InPlaceEdit.h"

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar)
{
    m_TitleTip.Hide();

    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;

    EnsureVisible(nRow, nCol);
    if (!IsCellVisible(nRow, nCol))
        return;

    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return;

    if (NotifyOwner(nRow, nCol, LVN_BEGINLABELEDIT) >= 0) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != NULL)
            pCell->Edit(nRow, nCol, rect, point, GRID_EDITOR_ID, nChar);
    }
}

void CGridCtrl::EndEditing()
{
    CCellID cell = GetFocusCell();
    if (!IsValid(cell))
        return;
    CGridCellBase* pCell = GetCell(cell.row, cell.column);
    if (pCell != NULL)
        pCell->EndEdit();
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    GRIDDISPINFO* pgvDispInfo = (GRIDDISPINFO*)pNMHDR;
    GRIDITEMINFO* pgvItem = &pgvDispInfo->item;

    if (::IsWindow(GetSafeHwnd()))
        OnEndEditCell(pgvItem->row, pgvItem->column, pgvItem->strText);

    switch (pgvItem->lParam) {
    case VK_TAB:
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_HOME:
    case VK_END:
        OnKeyDown((UINT)pgvItem->lParam, 0, 0);
        OnEditCell(m_cellFocus.row, m_cellFocus.column, CPoint(-1, -1), VK_LBUTTON);
        break;
    }
    *pResult = 0;
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, CString str)
{
    CString strCurrentText = GetItemText(nRow, nCol);
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!GetVirtualMode() && pCell != NULL) {
        pCell->SetText(str);
        SetModified(TRUE, nRow, nCol);
    }

    if (ValidateEdit(nRow, nCol, str) && NotifyOwner(nRow, nCol, LVN_ENDLABELEDIT) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RepaintCell(nRow, nCol);
    } else
        SetItemText(nRow, nCol, strCurrentText);

    pCell = GetCell(nRow, nCol);
    if (pCell != NULL)
        pCell->OnEndEdit();
}

BOOL CGridCtrl::ValidateEdit(int nRow, int nCol, LPCTSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return TRUE;
    return pCell->ValidateEdit(str);
}

BOOL CGridCtrl::ReplaceCellText(int nRow, int nCol, LPCTSTR szText)
{
    if (!IsCellEditable(nRow, nCol))
        return FALSE;
    if (NotifyOwner(nRow, nCol, LVN_BEGINLABELEDIT) < 0)
        return FALSE;

    CString strCurrentText = GetItemText(nRow, nCol);
    if (strCurrentText == szText)
        return TRUE;

    SetItemText(nRow, nCol, szText);
    if (ValidateEdit(nRow, nCol, szText) && NotifyOwner(nRow, nCol, LVN_ENDLABELEDIT) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RepaintCell(nRow, nCol);
        return TRUE;
    }
    SetItemText(nRow, nCol, strCurrentText);
    return FALSE;
}
