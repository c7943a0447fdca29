// GridCtrlSort.cpp - sorting rows by a column, part of the model (works without a window).
// Text bytes are compared as unsigned values (cp1251 letters are >= 0x80).
#include "GridCtrl.h"
#include <algorithm>
#include <mbstring.h>
#include <stdlib.h>

int CGridCtrl::CompareTexts(LPCTSTR psz1, LPCTSTR psz2)
{
    // Multibyte, byte-wise: bytes are compared as unsigned values, so cp1251
    // letters sort after Latin ones.
    return _mbscmp((const unsigned char*)psz1, (const unsigned char*)psz2);
}

int CALLBACK CGridCtrl::CompareCellText(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM /*lParamSort*/)
{
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    return CompareTexts(pCell1->GetText(), pCell2->GetText());
}

int CALLBACK CGridCtrl::CompareCellLong(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM /*lParamSort*/)
{
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    long nValue1 = atol(pCell1->GetText());
    long nValue2 = atol(pCell2->GetText());
    if (nValue1 < nValue2)
        return -1;
    if (nValue1 == nValue2)
        return 0;
    return 1;
}

int CALLBACK CGridCtrl::CompareCellFloat(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM lParamSort)
{
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    double dValue1 = atof(pCell1->GetText());
    double dValue2 = atof(pCell2->GetText());
    if (dValue1 == dValue2)
        return CompareCellText(pCell1, pCell2, lParamSort);
    return (dValue1 < dValue2) ? -1 : 1;
}

BOOL CGridCtrl::SortItemsByText(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(CompareCellText, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ClearSelectionAndFocus();
    SetFocusCell(-1, -1);

    if (m_pfnCompare == NULL) {
        if (GetVirtualMode())
            return TRUE;
        return SortItems(CompareCellText, nCol, bAscending, data);
    }
    return SortItems(m_pfnCompare, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ClearSelectionAndFocus();
    SetFocusCell(-1, -1);
    return SortRange(pfnCompare, nCol, bAscending, data, GetFixedRowCount(), -1);
}

BOOL CGridCtrl::SortRange(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high)
{
    if (nCol >= GetColumnCount() || nCol < 0 || pfnCompare == NULL)
        return FALSE;
    if (high == -1)
        high = GetRowCount() - 1;
    if (low < 0 || high >= GetRowCount() || low >= high)
        return FALSE;

    // In virtual mode there are no cell objects, and no row moves.
    if (GetVirtualMode())
        return TRUE;

    // The rows are ordered by their sort-column cells with a merge sort, then
    // put back in that order in one pass: whole rows move (every cell, fixed
    // columns included, and the height). Rows that compare equal keep their
    // order, and an owner's compare that is not a consistent order (a NaN
    // among numbers) gives some order, never a read outside the rows.
    // Sorted small: each row's sort-column cell, or for the grid's own text
    // order its text, beside the row's place.
    struct SortEntry
    {
        const void* pKey;   // CGridCellBase*, or LPCTSTR for the text order
        int nRow;
    };
    const size_t nCount = (size_t)(high - low + 1);
    std::vector<CGridRowArray::Row> saved(nCount);
    std::vector<SortEntry> order(nCount);
    for (size_t i = 0; i < nCount; i++) {
        saved[i] = m_arRows[low + (int)i];
        order[i] = {saved[i].pCells->GetAt(nCol), (int)i};
    }

    auto inOrder = [bAscending](int nOrder) { return bAscending ? nOrder < 0 : nOrder > 0; };
    std::vector<TCHAR> keys;
    if (pfnCompare == CompareCellText) {
        // The texts copied side by side: the comparisons then read a few
        // pages instead of chasing each cell and its text over the heap,
        // which cost more than the comparisons themselves.
        std::vector<size_t> starts(nCount);
        for (size_t i = 0; i < nCount; i++) {
            const CGridCellBase* pCell = (const CGridCellBase*)order[i].pKey;
            LPCTSTR pszText = pCell != NULL ? pCell->GetText() : _T("");
            starts[i] = keys.size();
            keys.insert(keys.end(), pszText, pszText + _tcslen(pszText) + 1);
        }
        for (size_t i = 0; i < nCount; i++)
            order[i].pKey = keys.data() + starts[i];
        std::stable_sort(order.begin(), order.end(), [&](const SortEntry& a, const SortEntry& b) {
            return inOrder(CompareTexts((LPCTSTR)a.pKey, (LPCTSTR)b.pKey));
        });
    } else
        std::stable_sort(order.begin(), order.end(), [&](const SortEntry& a, const SortEntry& b) {
            return inOrder(pfnCompare((CGridCellBase*)a.pKey, (CGridCellBase*)b.pKey, data));
        });

    for (int row = low; row <= high; row++) {
        int nFrom = order[(size_t)(row - low)].nRow;
        if (nFrom == row - low)
            continue;   // a row that kept its place
        m_arRows[row] = saved[(size_t)nFrom];
        if (!m_bCellsKnowTheirPlace)
            continue;
        CGridRow* pRow = m_arRows[row].pCells;
        for (int col = 0; col < GetColumnCount(); col++) {
            CGridCellBase* pCell = pRow->GetAt(col);
            if (pCell != NULL)
                pCell->SetCoords(row, col);
        }
    }
    return TRUE;
}
