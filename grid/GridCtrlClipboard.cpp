// GridCtrlClipboard.cpp - clipboard and drag and drop: the selection as text, pasting text
// into cells, and the cut, copy and paste commands.
#include "GridCtrl.h"
#include <string>

CString CGridCtrl::GetSelectionText()
{
    CCellRange Selection = GetSelectedCellRange();
    if (!IsValid(Selection))
        return CString();

    if (GetVirtualMode())
        SendCacheHint(Selection);

    std::string text;
    for (int row = Selection.GetMinRow(); row <= Selection.GetMaxRow(); row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = Selection.GetMinCol(); col <= Selection.GetMaxCol(); col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != NULL && (pCell->GetState() & CELLSTATE_SELECTED))
                text += pCell->GetText();
            if (col != Selection.GetMaxCol())
                text += '\t';
        }
        if (row != Selection.GetMaxRow())
            text += '\n';
    }

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));

    return CString(text.c_str(), (int)text.size());
}

COleDataSource* CGridCtrl::CopyTextFromGrid()
{
    CCellRange Selection = GetSelectedCellRange();
    if (!IsValid(Selection))
        return NULL;

    CString str = GetSelectionText();
    int nLength = str.GetLength();
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, (SIZE_T)nLength + 1);
    if (hMem == NULL)
        return NULL;
    char* p = (char*)::GlobalLock(hMem);
    if (p == NULL) {
        ::GlobalFree(hMem);
        return NULL;
    }
    memcpy(p, (LPCSTR)str, (size_t)nLength);
    p[nLength] = 0;
    ::GlobalUnlock(hMem);

    COleDataSource* pSource = new COleDataSource();
    pSource->CacheGlobalData(CF_TEXT, hMem);
    return pSource;
}

// One field of pasted text, trimmed of white space (bytes compared as
// unsigned values, with no CRT classification of bytes above 0x7F).
static CString TrimField(const char* p, int n)
{
    auto IsSpace = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    int b = 0, e = n;
    while (b < e && IsSpace((unsigned char)p[b]))
        b++;
    while (e > b && IsSpace((unsigned char)p[e - 1]))
        e--;
    return CString(p + b, e - b);
}

BOOL CGridCtrl::PasteText(CCellID cell, LPCTSTR szText, BOOL bSelectPastedCells)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || szText == NULL)
        return FALSE;

    CCellRange PasteRange(cell.row, cell.column, -1, -1);

    const char* pText = szText;
    int nTargetRow = cell.row;
    while (*pText != 0) {
        const char* pLineEnd = strchr(pText, '\n');
        int nLineLen = pLineEnd ? (int)(pLineEnd - pText) : (int)strlen(pText);

        // Rows of height 0 are stepped over.
        while (nTargetRow < GetRowCount() && GetRowHeight(nTargetRow) == 0)
            nTargetRow++;

        if (nTargetRow < GetRowCount()) {
            int nTargetCol = cell.column;
            int nPos = 0;
            while (nPos < nLineLen) {
                int nEnd = nPos;
                while (nEnd < nLineLen && pText[nEnd] != '\t' && pText[nEnd] != ',')
                    nEnd++;
                // A trailing piece after the last separator that is only a
                // carriage return or white space still counts as a field
                // unless it is empty.
                CString field = TrimField(pText + nPos, nEnd - nPos);
                BOOL bLastPiece = (nEnd >= nLineLen);
                if (bLastPiece && nEnd == nPos)
                    break;

                while (nTargetCol < GetColumnCount() && GetColumnWidth(nTargetCol) == 0)
                    nTargetCol++;
                if (IsValid(nTargetRow, nTargetCol)) {
                    ReplaceCellText(nTargetRow, nTargetCol, field);
                    SetCellState(nTargetRow, nTargetCol, GetCellState(nTargetRow, nTargetCol) & ~CELLSTATE_SELECTED);
                    if (nTargetRow > PasteRange.GetMaxRow())
                        PasteRange.SetMaxRow(nTargetRow);
                    if (nTargetCol > PasteRange.GetMaxCol())
                        PasteRange.SetMaxCol(nTargetCol);
                }
                nTargetCol++;
                nPos = nEnd + 1;
            }
        }
        nTargetRow++;

        if (pLineEnd == NULL)
            break;
        pText = pLineEnd + 1;
    }

    if (bSelectPastedCells)
        SetSelectedRange(PasteRange, TRUE, TRUE);
    else {
        ClearSelectionAndFocus();
        Refresh();
    }
    return TRUE;
}

BOOL CGridCtrl::PasteTextToGrid(CCellID cell, COleDataObject* pDataObject, BOOL bSelectPastedCells)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || pDataObject == NULL || !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;

    HGLOBAL hmem = pDataObject->GetGlobalData(CF_TEXT);
    if (hmem == NULL)
        return FALSE;
    SIZE_T nSize = ::GlobalSize(hmem);
    const char* p = (const char*)::GlobalLock(hmem);
    CString strText;
    if (p != NULL) {
        SIZE_T n = 0;
        while (n < nSize && p[n] != 0)
            n++;
        strText = CString(p, (int)n);
        ::GlobalUnlock(hmem);
    }
    ::GlobalFree(hmem);

    return PasteText(cell, strText, bSelectPastedCells);
}

void CGridCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;

    CCellRange Selection = GetSelectedCellRange();
    NotifyOwner(Selection.GetMinRow(), Selection.GetMinCol(), LVN_BEGINDRAG);

    m_nMouseMode = MOUSE_DRAGGING;
    m_bLeftButtonDown = FALSE;

    m_DropTarget.Revoke();
    m_DropTarget.Register(this);
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/)
{
    return DROPEFFECT_NONE;
}

void CGridCtrl::OnDragLeave() {}

BOOL CGridCtrl::OnDrop(COleDataObject* /*pDataObject*/, DROPEFFECT /*dropEffect*/, CPoint /*point*/)
{
    return FALSE;
}

void CGridCtrl::CutSelectedText()
{
    if (!IsEditable())
        return;

    // A copy of the keys: replacing texts may change the map.
    std::vector<CCellID> cells;
    for (POSITION pos = m_mapSelected.GetStartPosition(); pos != NULL;) {
        GRIDSELKEY key;
        CCellID cell;
        m_mapSelected.GetNextAssoc(pos, key, (CCellID&)cell);
        cells.push_back(cell);
    }
    for (const CCellID& cell : cells)
        ReplaceCellText(cell.row, cell.column, _T(""));
}

void CGridCtrl::ClearCells(CCellRange Selection)
{
    for (int row = Selection.GetMinRow(); row <= Selection.GetMaxRow(); row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = Selection.GetMinCol(); col <= Selection.GetMaxCol(); col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            ReplaceCellText(row, col, _T(""));
        }
    }
    Refresh();
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditable())
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == NULL)
        return;
    pSource->SetClipboard();
    CutSelectedText();
}

void CGridCtrl::OnEditCopy()
{
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == NULL)
        return;
    pSource->SetClipboard();
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditable())
        return;

    CCellRange cellRange = GetSelectedCellRange();
    CCellID cell;
    if (IsValid(cellRange))
        cell = cellRange.GetTopLeft();
    else {
        cell = GetFocusCell();
        if (!IsValid(cell))
            cell = GetTopleftNonFixedCell();
        if (!IsValid(cell))
            return;
    }

    // A cell being edited takes the text into its editor.
    CGridCellBase* pCell = GetCell(cell.row, cell.column);
    if (pCell != NULL && pCell->IsEditing()) {
        CWnd* pEditWnd = pCell->GetEditWnd();
        if (pEditWnd != NULL && pEditWnd->IsKindOf(RUNTIME_CLASS(CEdit))) {
            ((CEdit*)pEditWnd)->Paste();
            return;
        }
    }

    COleDataObject obj;
    if (obj.AttachClipboard())
        PasteTextToGrid(cell, &obj);
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsEditable() && GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    CCellID cell = GetFocusCell();
    BOOL bCanPaste = IsValid(cell) && IsCellEditable(cell) && ::IsClipboardFormatAvailable(CF_TEXT);
    pCmdUI->Enable(bCanPaste);
}
