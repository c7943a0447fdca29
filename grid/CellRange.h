// CellRange.h - the grid's shared address types:
// CCellID {row, column}, -1/-1 = none; CCellRange {minRow, minCol, maxRow,
// maxCol}, all -1 = none. Plain values; the grid, its cells and its owners
// pass them by value.
#pragma once

#include <afxwin.h>
#include <tchar.h>

class CCellID
{
public:
    int row, column;

    CCellID(int nRow = -1, int nCol = -1) : row(nRow), column(nCol) {}

    int IsValid() const { return row >= 0 && column >= 0; }
    int operator==(const CCellID& rhs) const { return row == rhs.row && column == rhs.column; }
    int operator!=(const CCellID& rhs) const { return !operator==(rhs); }
};

class CCellRange
{
public:
    CCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        Set(nMinRow, nMinCol, nMaxRow, nMaxCol);
    }

    void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        m_nMinRow = nMinRow;
        m_nMinCol = nMinCol;
        m_nMaxRow = nMaxRow;
        m_nMaxCol = nMaxCol;
    }

    int IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 &&
               m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
    }
    int InRange(int row, int col) const
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    int InRange(const CCellID& cellID) const { return InRange(cellID.row, cellID.column); }
    int Count() const { return (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1); }

    CCellID GetTopLeft() const { return CCellID(m_nMinRow, m_nMinCol); }

    int GetMinRow() const { return m_nMinRow; }
    void SetMinRow(int minRow) { m_nMinRow = minRow; }
    int GetMinCol() const { return m_nMinCol; }
    void SetMinCol(int minCol) { m_nMinCol = minCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    void SetMaxRow(int maxRow) { m_nMaxRow = maxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMaxCol(int maxCol) { m_nMaxCol = maxCol; }
    int GetRowSpan() const { return m_nMaxRow - m_nMinRow + 1; }
    int GetColSpan() const { return m_nMaxCol - m_nMinCol + 1; }

    int operator==(const CCellRange& rhs) const
    {
        return m_nMinRow == rhs.m_nMinRow && m_nMinCol == rhs.m_nMinCol && m_nMaxRow == rhs.m_nMaxRow &&
               m_nMaxCol == rhs.m_nMaxCol;
    }
    int operator!=(const CCellRange& rhs) const { return !operator==(rhs); }

protected:
    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};
