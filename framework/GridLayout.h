// GridLayout.h - CGridLayout: what the framework's grid dialogs and grid form
// views keep of their grid in the profile (each column's width and
// visibility, the sort column and order, four table colours), and the
// operations both do alike on their grid: setting it up as a list, reading
// and applying the stored layout, refilling it while keeping the selected
// row, selecting rows, and writing the layout back.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "GridCtrl.h"

class CGridLayout
{
public:
    CGridLayout();
    virtual ~CGridLayout() {}

    // ---- what the column set-up dialog reads and changes ----
    COLORREF m_clrBackground;        // the grid's background
    COLORREF m_clrTextBackground;    // the normal cells' background
    COLORREF m_clrTextForeground;    // the normal cells' text
    COLORREF m_clrGridLines;
    // One column per name, in order; the names are also the profile keys.
    CStringArray m_arrColumnNames;
    CUIntArray m_arrColumnWidths;
    CUIntArray m_arrColumnVisible;   // non-zero: shown
    int m_nDefaultColumnWidth;
    // Names a record in the warning shown when none is selected.
    CString m_strItemNoun;

    // The four colours as the set-up's Default button gives them: the window,
    // the window text and the fixed grey of the lines.
    enum Colour { colourBackground, colourTextBackground, colourTextForeground, colourGridLines };
    static COLORREF DefaultColour(Colour which);
    // A colour picker's "default" (-1) is that colour, not a colour itself.
    static COLORREF PickedColour(COLORREF clr, Colour which);

    // The grid the layout belongs to, and the section its keys live in.
    virtual CGridCtrl& LayoutGrid() = 0;
    virtual CString LayoutSection() const = 0;

    // The top row of the selection, or -1 when no row is selected.
    int SelectedGridRow();
    // The item data of column 0 of the selected row; -1 with no selection.
    int SelectedGridItemData();
    // Focus, scroll to and select row nRow across all columns; FALSE (and
    // nothing done) unless 0 < nRow < row count. The row is remembered.
    BOOL SelectGridRowOf(int nRow);
    // The first row from 1 on whose item data in nColumn equals nData, or row
    // 1 when none does; -1 when the grid has no row below the header.
    int FindRowByData(LPARAM nData, int nColumn);
    // Every row below the header goes.
    void DeleteAllGridRows();

    // The text colour of the grid's three default cells.
    void SetDefaultCellsTextColour(COLORREF clr);

    // Takes the grid's current widths into the widths array.
    void TakeColumnWidths();
    // Shows each column after the visibility array: a shown column of width
    // 0 gets the default width; a hidden one width 0. Then the colours.
    void ApplyColumnVisibility();
    void ApplyColours();

protected:
    // Whole-row selection, no fixed columns, one column per name under one
    // header row, navy text in the default cells, the numeric compare.
    void SetUpListGrid();
    // The four colours from the profile, the grid's own as defaults; applied.
    // A stored "default" (-1) reads as the Default button's colour.
    void ReadColours();
    // Each column's header, width and visibility from the profile; a stored
    // width of -1 shares the client width out evenly. With pFirstRun the
    // default visible flags decide which columns show (hidden ones width 0).
    void ReadColumns(const CUIntArray* pFirstRunVisible);
    // Reads the stored sort and sorts by it.
    void SortAsStored(int nAscendingDefault, int nColumnDefault);
    // Stores the sort, refills through FillRows with drawing off, sorts as
    // stored and selects the row that was selected (or the new last row).
    void RefillGrid(int nAscendingDefault, int nColumnDefault, BOOL bSelectRemembered);
    virtual void FillRows() = 0;
    // Writes widths, visibility, sort and colours.
    void SaveLayout();

    int ReadInt(LPCTSTR lpszKey, int nDefault) const;
    void WriteInt(LPCTSTR lpszKey, int nValue) const;

    // The row kept across a refill.
    int m_nRememberedRow;
};
