// GridLayout.cpp - the grid layout kept in the profile and the operations the
// grid dialogs and grid form views share.
#include "GridLayout.h"

#include "GridDefaultCell.h"
#include "ProfileKeys.h"

namespace {

// The text colour of the grid's default cells: navy.
const COLORREF clrDefaultCellText = RGB(0, 0, 128);
const COLORREF clrDefaultGridLines = RGB(0xC0, 0xC0, 0xC0);
const COLORREF clrPickedDefault = (COLORREF)-1;

}  // namespace

CGridLayout::CGridLayout()
    : m_clrBackground(0), m_clrTextBackground(0), m_clrTextForeground(0), m_clrGridLines(0),
      m_nDefaultColumnWidth(nGridColumnWidthDefault), m_strItemNoun("item"), m_nRememberedRow(-1)
{
}

COLORREF CGridLayout::DefaultColour(Colour which)
{
    switch (which) {
    case colourTextForeground:
        return ::GetSysColor(COLOR_WINDOWTEXT);
    case colourGridLines:
        return clrDefaultGridLines;
    default:
        return ::GetSysColor(COLOR_WINDOW);
    }
}

COLORREF CGridLayout::PickedColour(COLORREF clr, Colour which)
{
    return clr == clrPickedDefault ? DefaultColour(which) : clr;
}

int CGridLayout::ReadInt(LPCTSTR lpszKey, int nDefault) const
{
    return (int)AfxGetApp()->GetProfileInt(LayoutSection(), lpszKey, nDefault);
}

void CGridLayout::WriteInt(LPCTSTR lpszKey, int nValue) const
{
    AfxGetApp()->WriteProfileInt(LayoutSection(), lpszKey, nValue);
}

void CGridLayout::SetUpListGrid()
{
    CGridCtrl& grid = LayoutGrid();
    grid.SetListMode(TRUE);
    grid.SetFixedColumnCount(0);
    grid.SetColumnCount((int)m_arrColumnNames.GetSize());
    grid.SetFixedRowCount(1);
    SetDefaultCellsTextColour(clrDefaultCellText);
    grid.SetRowCount(1);
    grid.SetSortColumn(0);
    grid.SetCompareFunction(CGridCtrl::CompareCellFloat);
}

void CGridLayout::SetDefaultCellsTextColour(COLORREF clr)
{
    CGridCtrl& grid = LayoutGrid();
    grid.GetDefaultCell(FALSE, FALSE)->SetTextClr(clr);
    grid.GetDefaultCell(TRUE, FALSE)->SetTextClr(clr);
    grid.GetDefaultCell(FALSE, TRUE)->SetTextClr(clr);
}

void CGridLayout::ReadColours()
{
    CGridCtrl& grid = LayoutGrid();
    CGridDefaultCell* pCell = grid.GetDefaultCell(FALSE, FALSE);
    m_clrBackground = PickedColour((COLORREF)ReadInt(szGridBackground, (int)grid.m_crGridBack), colourBackground);
    m_clrTextBackground =
        PickedColour((COLORREF)ReadInt(szGridTextBackground, (int)pCell->GetBackClr()), colourTextBackground);
    m_clrTextForeground =
        PickedColour((COLORREF)ReadInt(szGridTextForeground, (int)pCell->GetTextClr()), colourTextForeground);
    m_clrGridLines = PickedColour((COLORREF)ReadInt(szGridLines, (int)grid.m_crLines), colourGridLines);
    ApplyColours();
}

void CGridLayout::ApplyColours()
{
    CGridCtrl& grid = LayoutGrid();
    grid.m_crGridBack = m_clrBackground;
    grid.GetDefaultCell(FALSE, FALSE)->SetBackClr(m_clrTextBackground);
    grid.GetDefaultCell(FALSE, FALSE)->SetTextClr(m_clrTextForeground);
    grid.m_crLines = m_clrGridLines;
    if (grid.GetSafeHwnd() != NULL)
        grid.Invalidate();
}

void CGridLayout::ReadColumns(const CUIntArray* pFirstRunVisible)
{
    CGridCtrl& grid = LayoutGrid();
    const int nColumns = (int)m_arrColumnNames.GetSize();
    m_arrColumnWidths.SetSize(nColumns);
    m_arrColumnVisible.SetSize(nColumns);
    CRect rcClient(0, 0, 0, 0);
    if (grid.GetSafeHwnd() != NULL)
        grid.GetClientRect(&rcClient);
    for (int i = 0; i < nColumns; ++i) {
        const CString& strName = m_arrColumnNames[i];
        grid.SetItemText(0, i, strName);
        grid.SetItemData(0, i, i);
        grid.SetItemFgColour(0, i, RGB(0, 0, 0));
        int nWidth = ReadInt(strName, m_nDefaultColumnWidth);
        int nVisible = ReadInt(strName + szGridColumnVisibleSuffix, nGridColumnVisibleDefault);
        if (pFirstRunVisible != NULL && i < pFirstRunVisible->GetSize()) {
            nVisible = (int)pFirstRunVisible->GetAt(i);
            if (nVisible == 0)
                nWidth = 0;
        }
        if (nWidth == -1 && nColumns > 0)
            nWidth = (rcClient.Width() - GetSystemMetrics(SM_CYVSCROLL) - 1) / nColumns;
        if (nWidth < 0)
            nWidth = 0;
        m_arrColumnWidths[i] = (UINT)nWidth;
        m_arrColumnVisible[i] = (UINT)(nVisible != 0);
        grid.SetColumnWidth(i, nVisible != 0 ? nWidth : 0);
    }
}

void CGridLayout::SortAsStored(int nAscendingDefault, int nColumnDefault)
{
    CGridCtrl& grid = LayoutGrid();
    BOOL bAscending = ReadInt(szGridSortAscending, nAscendingDefault) != 0;
    int nColumn = ReadInt(szGridSortColumn, nColumnDefault);
    if (nColumn >= grid.GetColumnCount())
        nColumn = -1;
    grid.SetSortColumn(nColumn);
    grid.SetSortAscending(bAscending);
    if (nColumn >= 0)
        grid.SortItems(nColumn, bAscending);
}

void CGridLayout::RefillGrid(int nAscendingDefault, int nColumnDefault, BOOL bSelectRemembered)
{
    CGridCtrl& grid = LayoutGrid();
    CWaitCursor wait;
    WriteInt(szGridSortAscending, grid.GetSortAscending());
    WriteInt(szGridSortColumn, grid.GetSortColumn());
    int nRow = SelectedGridRow();
    grid.SetRedraw(FALSE);
    grid.SetRowCount(1);
    FillRows();
    grid.SetRedraw(TRUE);
    grid.ResetScrollBars();
    SortAsStored(nAscendingDefault, nColumnDefault);
    if (nRow != -1 && bSelectRemembered) {
        if (nRow > grid.GetRowCount() - 1)
            nRow = grid.GetRowCount() - 1;
        if (nRow >= 1)
            SelectGridRowOf(nRow);
    }
}

void CGridLayout::SaveLayout()
{
    CGridCtrl& grid = LayoutGrid();
    const int nColumns = (int)m_arrColumnNames.GetSize();
    m_arrColumnWidths.SetSize(nColumns);
    for (int i = 0; i < nColumns; ++i) {
        int nWidth = grid.GetColumnWidth(i);
        if (nWidth < 0)
            nWidth = 0;
        m_arrColumnWidths[i] = (UINT)nWidth;
        WriteInt(m_arrColumnNames[i], nWidth);
        WriteInt(m_arrColumnNames[i] + szGridColumnVisibleSuffix, nWidth > 0);
    }
    WriteInt(szGridSortAscending, grid.GetSortAscending());
    WriteInt(szGridSortColumn, grid.GetSortColumn());
    WriteInt(szGridBackground, (int)m_clrBackground);
    WriteInt(szGridTextBackground, (int)m_clrTextBackground);
    WriteInt(szGridTextForeground, (int)m_clrTextForeground);
    WriteInt(szGridLines, (int)m_clrGridLines);
}

int CGridLayout::SelectedGridRow()
{
    CGridCtrl& grid = LayoutGrid();
    CCellRange range = grid.GetSelectedCellRange();
    if (range.GetMaxCol() == -1 || range.GetMinRow() < 1 || range.GetMinRow() >= grid.GetRowCount())
        return -1;
    return range.GetMinRow();
}

int CGridLayout::SelectedGridItemData()
{
    int nRow = SelectedGridRow();
    return nRow == -1 ? -1 : (int)LayoutGrid().GetItemData(nRow, 0);
}

BOOL CGridLayout::SelectGridRowOf(int nRow)
{
    CGridCtrl& grid = LayoutGrid();
    if (nRow <= 0 || nRow >= grid.GetRowCount())
        return FALSE;
    m_nRememberedRow = nRow;
    grid.EnsureVisible(nRow, 0);
    grid.SetFocusCell(nRow, 0);
    grid.SetSelectedRange(nRow, 0, nRow, grid.GetColumnCount() - 1, TRUE, TRUE);
    return TRUE;
}

int CGridLayout::FindRowByData(LPARAM nData, int nColumn)
{
    CGridCtrl& grid = LayoutGrid();
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        if (grid.GetItemData(nRow, nColumn) == nData)
            return nRow;
    return grid.GetRowCount() > 1 ? 1 : -1;
}

void CGridLayout::DeleteAllGridRows()
{
    CGridCtrl& grid = LayoutGrid();
    while (grid.GetRowCount() > 1)
        grid.DeleteRow(grid.GetRowCount() - 1);
}

void CGridLayout::TakeColumnWidths()
{
    CGridCtrl& grid = LayoutGrid();
    m_arrColumnWidths.SetSize(m_arrColumnNames.GetSize());
    for (int i = 0; i < (int)m_arrColumnNames.GetSize(); ++i) {
        int nWidth = grid.GetColumnWidth(i);
        m_arrColumnWidths[i] = (UINT)(nWidth < 0 ? 0 : nWidth);
    }
}

void CGridLayout::ApplyColumnVisibility()
{
    CGridCtrl& grid = LayoutGrid();
    m_arrColumnWidths.SetSize(m_arrColumnNames.GetSize());
    m_arrColumnVisible.SetSize(m_arrColumnNames.GetSize());
    for (int i = 0; i < (int)m_arrColumnNames.GetSize(); ++i) {
        if (m_arrColumnVisible[i] != 0) {
            if (m_arrColumnWidths[i] == 0)
                m_arrColumnWidths[i] = (UINT)m_nDefaultColumnWidth;
            grid.SetColumnWidth(i, (int)m_arrColumnWidths[i]);
        } else {
            grid.SetColumnWidth(i, 0);
        }
    }
    ApplyColours();
}
