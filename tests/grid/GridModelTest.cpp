// The grid's model without a window: counts and cells, item accessors,
// selection (map and cell bits together), sorting, copy text, paste
// splitting, save and load, and the printer's character width. Tables of
// cases.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>
#include "GridCtrl.h"
#include "ByteFuzzer.h"
#include "TestFolder.h"

namespace {

// A grid of rows x cols with fixed rows and columns, each cell's text "r,c".
void Fill(CGridCtrl& grid, int rows, int cols, int fixedRows, int fixedCols)
{
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    grid.SetFixedRowCount(fixedRows);
    grid.SetFixedColumnCount(fixedCols);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++) {
            CString s;
            s.Format("%d,%d", r, c);
            grid.SetItemText(r, c, s);
        }
}

// Every cell whose selected bit is set, and the map's count, must agree.
std::vector<std::pair<int, int>> SelectedCells(CGridCtrl& grid)
{
    std::vector<std::pair<int, int>> cells;
    for (int r = 0; r < grid.GetRowCount(); r++)
        for (int c = 0; c < grid.GetColumnCount(); c++)
            if (grid.GetCellState(r, c) & CELLSTATE_SELECTED)
                cells.emplace_back(r, c);
    return cells;
}

std::string Str(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

}  // namespace

// ---------------------------------------------------------------------------
// Counts and cells

struct CountCase {
    int rows, cols, fixedRows, fixedCols;
    int wantRows, wantCols, wantFixedRows, wantFixedCols;
};

TEST(GridModelTest, CountsFollowTheSettersAndFixedCountsNeverExceedTheTotals)
{
    const CountCase cases[] = {
        {0, 0, 0, 0, 0, 0, 0, 0},
        {5, 4, 1, 1, 5, 4, 1, 1},
        {3, 3, 2, 0, 3, 3, 2, 0},
        // Fixed counts above the totals grow the totals.
        {1, 1, 3, 2, 3, 2, 3, 2},
    };
    for (const CountCase& c : cases) {
        CGridCtrl grid;
        grid.SetRowCount(c.rows);
        grid.SetColumnCount(c.cols);
        grid.SetFixedRowCount(c.fixedRows);
        grid.SetFixedColumnCount(c.fixedCols);
        EXPECT_EQ(grid.GetRowCount(), c.wantRows);
        EXPECT_EQ(grid.GetColumnCount(), c.wantCols);
        EXPECT_EQ(grid.GetFixedRowCount(), c.wantFixedRows);
        EXPECT_EQ(grid.GetFixedColumnCount(), c.wantFixedCols);
        for (int r = 0; r < grid.GetRowCount(); r++)
            for (int col = 0; col < grid.GetColumnCount(); col++) {
                ASSERT_NE(grid.GetCell(r, col), nullptr);
                UINT want = 0;
                if (r < c.wantFixedRows)
                    want |= CELLSTATE_FIXED | CELLSTATE_FIXEDROW;
                if (col < c.wantFixedCols)
                    want |= CELLSTATE_FIXED | CELLSTATE_FIXEDCOL;
                EXPECT_EQ(grid.GetCellState(r, col) & 0x70, want) << r << "," << col;
            }
    }
}

TEST(GridModelTest, ShrinkingRowsDropsFixedRowsAndAFocusOutsideTheGrid)
{
    CGridCtrl grid;
    Fill(grid, 10, 3, 3, 1);
    grid.SetFocusCell(8, 1);
    EXPECT_TRUE(grid.SetRowCount(10)) << "the same count changes nothing";
    EXPECT_EQ(grid.GetFocusCell(), CCellID(8, 1));
    EXPECT_TRUE(grid.SetRowCount(2));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetFixedRowCount(), 2);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    EXPECT_EQ(grid.GetCell(5, 0), nullptr);
}

TEST(GridModelTest, FixedCountChangesMarkAndUnmarkTheCells)
{
    CGridCtrl grid;
    Fill(grid, 4, 4, 2, 2);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(grid.GetCellState(1, 1) & 0x70, 0u);
    EXPECT_EQ(grid.GetCellState(1, 0) & 0x70, (UINT)(CELLSTATE_FIXED | CELLSTATE_FIXEDCOL));
    EXPECT_EQ(grid.GetCellState(0, 1) & 0x70, (UINT)(CELLSTATE_FIXED | CELLSTATE_FIXEDROW));
    grid.SetFixedRowCount(3);
    EXPECT_EQ(grid.GetCellState(2, 3) & 0x70, (UINT)(CELLSTATE_FIXED | CELLSTATE_FIXEDROW));
}

TEST(GridModelTest, InsertAndDeleteRowsAndColumns)
{
    CGridCtrl grid;
    Fill(grid, 3, 2, 1, 1);
    int fixedColWidth = grid.GetDefaultCell(FALSE, TRUE)->GetWidth();
    // A column index equal to the count appends; inside the fixed columns is refused.
    EXPECT_EQ(grid.InsertColumn("New", DT_LEFT, 2), 2);
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(Str(grid.GetItemText(0, 2)), "New");
    EXPECT_EQ(grid.InsertColumn("X", DT_LEFT, 0), -1);
    EXPECT_GT(grid.GetColumnWidth(2), 0);
    // New columns from SetColumnCount take the fixed-column default width.
    grid.SetColumnCount(4);
    EXPECT_EQ(grid.GetColumnWidth(3), fixedColWidth);

    // InsertRow with the row count is refused; -1 appends; an empty heading hides the row.
    EXPECT_EQ(grid.InsertRow("r", grid.GetRowCount()), -1);
    EXPECT_EQ(grid.InsertRow("", -1), 3);
    EXPECT_EQ(grid.GetRowHeight(3), 0);
    EXPECT_EQ(grid.InsertRow("mid", 1), 1);
    EXPECT_EQ(Str(grid.GetItemText(1, 0)), "mid");
    EXPECT_EQ(Str(grid.GetItemText(2, 1)), "1,1") << "the rows after it moved down";
    EXPECT_GT(grid.GetRowHeight(1), 0);

    grid.SetFocusCell(3, 1);
    EXPECT_TRUE(grid.DeleteRow(1));
    EXPECT_EQ(Str(grid.GetItemText(1, 1)), "1,1");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1)) << "deleting a row clears selection and focus";
    EXPECT_FALSE(grid.DeleteRow(99));
    EXPECT_TRUE(grid.DeleteColumn(1));
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(Str(grid.GetItemText(0, 1)), "New");
    EXPECT_TRUE(grid.DeleteAllItems());
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
}

TEST(GridModelTest, ManyInsertsAndDeletesKeepEveryRowInItsPlace)
{
    // The tiered row array across several blocks.
    CGridCtrl grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(1);
    grid.SetFixedRowCount(1);
    std::vector<std::string> model;
    for (int i = 0; i < 3000; i++) {
        CString s;
        s.Format("%d", i);
        int at = (i % 3 == 0) ? -1 : 1 + (i * 7919) % (int)(model.size() + 1);
        if (at > (int)model.size())
            at = -1;
        int row = grid.InsertRow(s, at);
        ASSERT_GE(row, 1);
        model.insert(at < 0 ? model.end() : model.begin() + (at - 1), Str(s));
    }
    for (int i = 0; i < 1000; i++) {
        int at = 1 + (i * 104729) % (int)model.size();
        ASSERT_TRUE(grid.DeleteRow(at));
        model.erase(model.begin() + (at - 1));
    }
    ASSERT_EQ(grid.GetRowCount(), (int)model.size() + 1);
    for (size_t i = 0; i < model.size(); i++)
        ASSERT_EQ(Str(grid.GetItemText((int)i + 1, 0)), model[i]) << "row " << i + 1;
}

TEST(GridModelTest, AccessorsOutsideTheGridAnswerWithTheirFallbacks)
{
    CGridCtrl grid;
    Fill(grid, 2, 2, 1, 1);
    EXPECT_EQ(Str(grid.GetItemText(5, 0)), "");
    EXPECT_EQ(Str(grid.GetItemText(0, -1)), "");
    EXPECT_EQ(grid.GetItemData(5, 5), 0);
    EXPECT_EQ(grid.GetItemImage(5, 5), -1);
    EXPECT_FALSE(grid.SetItemText(2, 0, "x"));
    EXPECT_FALSE(grid.SetItemData(0, 2, 1));
    EXPECT_EQ(grid.GetRowHeight(2), -1);
    EXPECT_EQ(grid.GetColumnWidth(-1), -1);
    EXPECT_FALSE(grid.SetColumnWidth(0, -1));
    // An empty text reads as "", never NULL.
    grid.SetItemText(1, 1, "");
    ASSERT_NE(grid.GetCell(1, 1)->GetText(), nullptr);
    EXPECT_STREQ(grid.GetCell(1, 1)->GetText(), "");
    EXPECT_TRUE(grid.SetItemData(1, 1, 42));
    EXPECT_EQ(grid.GetItemData(1, 1), 42);
}

// GetItem hands back what SetItem put in, each field under its own mask bit
// and no other: the two colours are told apart, and a field whose bit is
// not asked for keeps what the caller had in it.
TEST(GridModelTest, GetItemReadsBackEachFieldAsSet)
{
    CGridCtrl grid;
    Fill(grid, 3, 3, 1, 1);
    GRIDITEMINFO in = {};
    in.row = 1;
    in.column = 2;
    in.mask = GRIDITEM_ALL;
    in.strText = "set";
    in.lParam = 0x1234;
    in.image = 3;
    in.state = CELLSTATE_READONLY;
    in.format = DT_RIGHT | DT_SINGLELINE;
    in.crBack = RGB(10, 20, 30);
    in.crText = RGB(200, 100, 50);
    in.lfFont.lfHeight = -17;
    lstrcpyA(in.lfFont.lfFaceName, "Tahoma");
    in.margin = 7;
    ASSERT_TRUE(grid.SetItem(&in));

    GRIDITEMINFO out = {};
    out.row = 1;
    out.column = 2;
    out.mask = GRIDITEM_ALL;
    ASSERT_TRUE(grid.GetItem(&out));
    EXPECT_EQ(Str(out.strText), "set");
    EXPECT_EQ(out.lParam, 0x1234);
    EXPECT_EQ(out.image, 3);
    EXPECT_TRUE(out.state & CELLSTATE_READONLY);
    EXPECT_EQ(out.format, (UINT)(DT_RIGHT | DT_SINGLELINE));
    EXPECT_EQ(out.crBack, RGB(10, 20, 30));
    EXPECT_EQ(out.crText, RGB(200, 100, 50));
    EXPECT_EQ(out.lfFont.lfHeight, -17);
    EXPECT_STREQ(out.lfFont.lfFaceName, "Tahoma");
    EXPECT_EQ(out.margin, 7u);

    const COLORREF kUntouched = RGB(1, 2, 3);
    struct Case {
        UINT mask;
        COLORREF back, text;
    } cases[] = {
        {GRIDITEM_BKCLR, RGB(10, 20, 30), kUntouched},
        {GRIDITEM_FGCLR, kUntouched, RGB(200, 100, 50)},
        {GRIDITEM_TEXT, kUntouched, kUntouched},
    };
    for (const Case& c : cases) {
        GRIDITEMINFO one = {};
        one.row = 1;
        one.column = 2;
        one.mask = c.mask;
        one.crBack = one.crText = kUntouched;
        ASSERT_TRUE(grid.GetItem(&one));
        EXPECT_EQ(one.crBack, c.back) << "mask " << c.mask;
        EXPECT_EQ(one.crText, c.text) << "mask " << c.mask;
    }

    out.row = 3;   // outside the grid
    EXPECT_FALSE(grid.GetItem(&out));
    EXPECT_FALSE(grid.GetItem(NULL));
}

TEST(GridModelTest, ModifiedFlagsAndTheSortMark)
{
    CGridCtrl grid;
    Fill(grid, 3, 3, 1, 1);
    grid.SetModified(FALSE);
    EXPECT_FALSE(grid.IsModified());
    EXPECT_FALSE(grid.IsModified(1, 1));
    grid.SetSortColumn(2);
    grid.SetItemText(1, 1, "changed");
    EXPECT_TRUE(grid.IsModified(1, 1));
    EXPECT_TRUE(grid.IsModified());
    EXPECT_EQ(grid.GetSortColumn(), 2) << "a change in another column keeps the mark";
    grid.SetItemText(1, 2, "changed");
    EXPECT_EQ(grid.GetSortColumn(), -1) << "a change in the sort column drops it";
    grid.SetModified(FALSE);
    EXPECT_FALSE(grid.IsModified(1, 1));
}

TEST(GridModelTest, DefaultCellsAndTheirFallbacks)
{
    CGridCtrl grid;
    Fill(grid, 2, 2, 1, 1);
    CGridDefaultCell* pDef = grid.GetDefaultCell(FALSE, FALSE);
    EXPECT_EQ(pDef->GetFormat(), (DWORD)0x8824);
    EXPECT_TRUE(pDef->GetState() & CELLSTATE_READONLY) << "a default cell reports itself read-only";
    EXPECT_FALSE(pDef->IsReadOnly());
    EXPECT_GT(pDef->GetWidth(), 0);
    EXPECT_GT(pDef->GetHeight(), 0);
    EXPECT_EQ(grid.GetDefaultCell(TRUE, FALSE)->GetBackClr(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pDef->GetBackClr(), ::GetSysColor(COLOR_WINDOW));

    // A cell with nothing of its own answers with its default cell's values.
    CGridCellBase* pCell = grid.GetCell(1, 1);
    EXPECT_EQ(pCell->GetMargin(), pDef->GetMargin());
    EXPECT_EQ(pCell->GetFont(), pDef->GetFont());
    EXPECT_EQ(pCell->GetDefaultCell(), pDef);
    EXPECT_EQ(grid.GetCell(0, 1)->GetDefaultCell(), grid.GetDefaultCell(TRUE, FALSE));
    EXPECT_EQ(grid.GetCell(0, 0)->GetDefaultCell(), grid.GetDefaultCell(TRUE, TRUE));

    // A cell without a grid: format, margin and font answer 0, 0 and NULL.
    CGridCell loose;
    EXPECT_EQ(loose.GetFormat(), 0u);
    EXPECT_EQ(loose.GetMargin(), 0u);
    EXPECT_EQ(loose.GetFont(), nullptr);

    // The virtual copy resolves unset values through the source's default cell.
    CGridCell copy;
    copy = *pCell;
    EXPECT_EQ(copy.GetGrid(), &grid);
    EXPECT_STREQ(copy.GetText(), "1,1");
    EXPECT_EQ(copy.GetMargin(), pDef->GetMargin());
    EXPECT_TRUE(copy.IsDefaultFont());
}

TEST(GridModelTest, CellTypesMustDeriveFromTheCellBase)
{
    CGridCtrl grid;
    Fill(grid, 2, 2, 1, 1);
    EXPECT_FALSE(grid.SetDefaultCellType(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(grid.SetCellType(1, 1, RUNTIME_CLASS(CWnd)));
    grid.SetItemData(1, 1, 7);
    EXPECT_TRUE(grid.SetCellType(1, 1, RUNTIME_CLASS(CGridDefaultCell)));
    EXPECT_TRUE(grid.GetCell(1, 1)->IsKindOf(RUNTIME_CLASS(CGridDefaultCell)));
    EXPECT_STREQ(grid.GetCell(1, 1)->GetText(), "1,1");
}

// ---------------------------------------------------------------------------
// Selection

struct RangeCase {
    CCellRange asked;
    int wantCount;
    CCellRange wantBounds;
};

TEST(GridSelectionTest, SetSelectedRangeReplacesTheSelection)
{
    const RangeCase cases[] = {
        {CCellRange(1, 1, 2, 3), 6, CCellRange(1, 1, 2, 3)},
        // Bounds inside the fixed area are raised to the first non-fixed row and column.
        {CCellRange(0, 0, 1, 1), 1, CCellRange(1, 1, 1, 1)},
        // maxCol at the column count selects nothing (and clears the old selection).
        {CCellRange(1, 1, 2, 5), 0, CCellRange(6, 5, -1, -1)},
        {CCellRange(-1, -1, -1, -1), 0, CCellRange(6, 5, -1, -1)},
    };
    for (const RangeCase& c : cases) {
        CGridCtrl grid;
        Fill(grid, 6, 5, 1, 1);
        grid.SetSelectedRange(2, 2, 4, 4);
        grid.SetSelectedRange(c.asked);
        EXPECT_EQ(grid.GetSelectedCount(), c.wantCount);
        EXPECT_EQ((int)SelectedCells(grid).size(), c.wantCount) << "the bits agree with the map";
        CCellRange got = grid.GetSelectedCellRange();
        EXPECT_EQ(got, c.wantBounds) << got.GetMinRow() << "," << got.GetMinCol() << "," << got.GetMaxRow()
                                     << "," << got.GetMaxCol();
    }
}

TEST(GridSelectionTest, SelectAllSelectsTheNonFixedCellsInMapAndBits)
{
    // Select All must set the cells' bits with the map (painting and copy
    // read the bits) and leave every fixed row out.
    CGridCtrl grid;
    Fill(grid, 7, 4, 2, 1);
    grid.SetSelectedRange(3, 1, 3, 3);   // a previous selection
    grid.SelectAllCells();
    std::vector<std::pair<int, int>> want;
    for (int r = 2; r < 7; r++)
        for (int c = 1; c < 4; c++)
            want.emplace_back(r, c);
    EXPECT_EQ(SelectedCells(grid), want);
    EXPECT_EQ(grid.GetSelectedCount(), (int)want.size());
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 1, 6, 3));
    for (const auto& rc : want)
        EXPECT_TRUE(grid.IsCellInSelection(rc.first, rc.second));
    EXPECT_FALSE(grid.IsCellInSelection(1, 1)) << "fixed row 1 is not selected";

    // Copy then takes every selected text: the whole body of the grid.
    EXPECT_EQ(Str(grid.GetSelectionText()), "2,1\t2,2\t2,3\n3,1\t3,2\t3,3\n4,1\t4,2\t4,3\n5,1\t5,2\t5,3\n6,1\t6,2\t6,3");
}

TEST(GridSelectionTest, ReplacingALargeSelectionLeavesOnlyTheNewOne)
{
    // The map is walked from a copy while the old cells leave it.
    CGridCtrl grid;
    Fill(grid, 300, 6, 1, 1);
    grid.SelectAllCells();
    ASSERT_EQ(grid.GetSelectedCount(), 299 * 5);
    grid.SetSelectedRange(150, 1, 150, 5);
    EXPECT_EQ(grid.GetSelectedCount(), 5);
    std::vector<std::pair<int, int>> want = {{150, 1}, {150, 2}, {150, 3}, {150, 4}, {150, 5}};
    EXPECT_EQ(SelectedCells(grid), want);
}

namespace {
// Shows the selection map's table: chains longer than a few entries make
// every selection step walk them.
class CGridMapProbe : public CGridCtrl
{
public:
    double Load() const { return (double)m_mapSelected.GetCount() / m_mapSelected.GetHashTableSize(); }
};
}  // namespace

TEST(GridSelectionTest, TheSelectionMapIsSizedForTheRangeWhateverWasSelectedBefore)
{
    struct Case {
        const char* name;
        CCellRange before;   // selected first; minRow -1: nothing
        CCellRange range;    // then this range, or the whole grid when minRow is -1
    };
    const Case cases[] = {
        {"Select All from nothing", CCellRange(-1, -1, -1, -1), CCellRange(-1, -1, -1, -1)},
        {"Select All after one row", CCellRange(5, 1, 5, 7), CCellRange(-1, -1, -1, -1)},
        {"Select All after one cell", CCellRange(9, 3, 9, 3), CCellRange(-1, -1, -1, -1)},
        {"a block after one row", CCellRange(5, 1, 5, 7), CCellRange(100, 1, 3099, 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridMapProbe grid;
        grid.SetColumnCount(8);
        grid.SetRowCount(5001);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        if (c.before.GetMinRow() >= 0)
            grid.SetSelectedRange(c.before);
        if (c.range.GetMinRow() >= 0)
            grid.SetSelectedRange(c.range);
        else
            grid.SelectAllCells();
        ASSERT_GT(grid.GetSelectedCount(), 20000);
        EXPECT_LE(grid.Load(), 1.0);
    }
    // After a large selection one row leaves a table small enough to walk.
    CGridMapProbe grid;
    grid.SetColumnCount(8);
    grid.SetRowCount(5001);
    grid.SetFixedRowCount(1);
    grid.SelectAllCells();
    grid.SetSelectedRange(7, 0, 7, 7);
    EXPECT_GE(grid.Load(), 8.0 / 17);
}

TEST(GridSelectionTest, SelectionKeysDoNotCollideBeyond65535Rows)
{
    // Two 16-bit halves in one key would make row 65537 the same key as row 1.
    CGridCtrl grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(70000);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetSelectedRange(1, 1, 1, 1);
    grid.SetCellState(65537, 1, grid.GetCellState(65537, 1) | CELLSTATE_SELECTED);
    EXPECT_EQ(grid.GetSelectedCount(), 2);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 65537, 1));
    grid.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_FALSE(grid.GetCellState(1, 1) & CELLSTATE_SELECTED);
    EXPECT_FALSE(grid.GetCellState(65537, 1) & CELLSTATE_SELECTED);
    EXPECT_NE(GridSelKey(1, 1), GridSelKey(65537, 1));
    EXPECT_NE(GridSelKey(1, 65537), GridSelKey(1, 1));
}

TEST(GridSelectionTest, FocusIsRaisedOutOfTheFixedCellsAndMarksTheCell)
{
    CGridCtrl grid;
    Fill(grid, 5, 5, 1, 1);
    EXPECT_EQ(grid.SetFocusCell(0, 0), CCellID(-1, -1));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    EXPECT_TRUE(grid.GetCellState(1, 1) & CELLSTATE_FOCUSED);
    EXPECT_EQ(grid.SetFocusCell(3, 2), CCellID(1, 1));
    EXPECT_FALSE(grid.GetCellState(1, 1) & CELLSTATE_FOCUSED);
    EXPECT_TRUE(grid.GetCellState(3, 2) & CELLSTATE_FOCUSED);
    grid.SetFocusCell(-1, -1);
    EXPECT_FALSE(grid.GetCellState(3, 2) & CELLSTATE_FOCUSED);
}

TEST(GridSelectionTest, ListModeRowSelectionAndDisabledSelection)
{
    CGridCtrl grid;
    Fill(grid, 6, 4, 1, 1);
    grid.SetListMode(TRUE);
    grid.SelectRowRange(CCellID(3, 2), FALSE, TRUE);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 1, 3, 3));
    grid.SelectRowRange(CCellID(0, 2), FALSE, TRUE);   // a fixed row: nothing
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 1, 3, 3));

    grid.EnableSelection(FALSE);
    grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_FALSE(grid.IsCellInSelection(1, 1));
}

struct FindCase {
    CCellID start;
    int flags;
    CCellID want;
};

TEST(GridSelectionTest, FindNextCellWalksInTheAskedDirection)
{
    CGridCtrl grid;
    Fill(grid, 6, 6, 1, 1);
    grid.SetSelectedRange(2, 2, 2, 2);
    grid.SetCellState(4, 2, grid.GetCellState(4, 2) | CELLSTATE_SELECTED);
    grid.SetCellState(2, 4, grid.GetCellState(2, 4) | CELLSTATE_READONLY);
    grid.SetModified(FALSE);
    grid.SetItemText(5, 5, "m");
    const FindCase cases[] = {
        {CCellID(1, 2), FINDCELL_SELECTED | FINDCELL_BELOW, CCellID(2, 2)},
        {CCellID(2, 2), FINDCELL_SELECTED | FINDCELL_BELOW, CCellID(4, 2)},
        {CCellID(5, 2), FINDCELL_SELECTED | FINDCELL_ABOVE, CCellID(4, 2)},
        {CCellID(2, 1), FINDCELL_READONLY | FINDCELL_TORIGHT, CCellID(2, 4)},
        {CCellID(2, 5), FINDCELL_READONLY | FINDCELL_TOLEFT, CCellID(2, 4)},
        {CCellID(1, 1), FINDCELL_MODIFIED | FINDCELL_ALL, CCellID(5, 5)},
        {CCellID(2, 2), FINDCELL_SELECTED | FINDCELL_ALL, CCellID(4, 2)},
        {CCellID(1, 1), FINDCELL_SELECTED, CCellID(-1, -1)},
    };
    for (const FindCase& c : cases)
        EXPECT_EQ(grid.FindNextCell(c.start, c.flags), c.want)
            << "from " << c.start.row << "," << c.start.column << " flags " << std::hex << c.flags;
}

// ---------------------------------------------------------------------------
// Sorting

struct SortCase {
    const char* name;
    PFNGRIDCOMPARE fn;
    BOOL ascending;
    std::vector<const char*> texts;
    std::vector<const char*> want;
};

TEST(GridSortTest, SortsRowsByTheCompareFunction)
{
    const SortCase cases[] = {
        {"text ascending", CGridCtrl::CompareCellText, TRUE, {"pear", "apple", "fig", "banana"},
         {"apple", "banana", "fig", "pear"}},
        {"text descending", CGridCtrl::CompareCellText, FALSE, {"pear", "apple", "fig", "banana"},
         {"pear", "fig", "banana", "apple"}},
        {"text puts 10 before 9", CGridCtrl::CompareCellText, TRUE, {"9", "10", "2"}, {"10", "2", "9"}},
        {"float: 10 after 9", CGridCtrl::CompareCellFloat, TRUE, {"9", "10", "2", "2.5", "3"},
         {"2", "2.5", "3", "9", "10"}},
        {"float: words with the zeros", CGridCtrl::CompareCellFloat, TRUE, {"5", "abc", "-1", "0"},
         {"-1", "0", "abc", "5"}},
        {"long", CGridCtrl::CompareCellLong, FALSE, {"7", "12", "-3", "100"}, {"100", "12", "7", "-3"}},
        // cp1251 bytes compare as unsigned values: Cyrillic after Latin.
        {"cp1251 after Latin", CGridCtrl::CompareCellText, TRUE, {"\xFF\xE1\xEB\xEE\xEA\xEE", "zebra", "\xC0", "apple"},
         {"apple", "zebra", "\xC0", "\xFF\xE1\xEB\xEE\xEA\xEE"}},
        {"equal texts keep their order", CGridCtrl::CompareCellText, FALSE, {"b", "a", "b", "c", "a", "b"},
         {"c", "b", "b", "b", "a", "a"}},
    };
    for (const SortCase& c : cases) {
        CGridCtrl grid;
        grid.SetColumnCount(2);
        grid.SetRowCount((int)c.texts.size() + 1);
        grid.SetFixedRowCount(1);
        grid.SetItemText(0, 1, "header");
        for (size_t i = 0; i < c.texts.size(); i++) {
            grid.SetItemText((int)i + 1, 1, c.texts[i]);
            grid.SetItemData((int)i + 1, 0, (LPARAM)i);
            grid.SetRowHeight((int)i + 1, 10 + (int)i);
        }
        EXPECT_TRUE(grid.SortItems(c.fn, 1, c.ascending)) << c.name;
        std::vector<std::string> got;
        for (int r = 1; r < grid.GetRowCount(); r++) {
            got.push_back(Str(grid.GetItemText(r, 1)));
            // The whole row moved: its first column and its height with it.
            int from = (int)grid.GetItemData(r, 0);
            EXPECT_STREQ(c.texts[from], Str(grid.GetItemText(r, 1)).c_str()) << c.name;
            EXPECT_EQ(grid.GetRowHeight(r), 10 + from) << c.name;
            if (r > 1 && grid.GetItemText(r, 1) == grid.GetItemText(r - 1, 1)) {
                EXPECT_GT(from, (int)grid.GetItemData(r - 1, 0))
                    << c.name << ": rows that compare equal keep their order";
            }
        }
        std::vector<std::string> want(c.want.begin(), c.want.end());
        EXPECT_EQ(got, want) << c.name;
        EXPECT_EQ(Str(grid.GetItemText(0, 1)), "header") << "header rows never move";
        EXPECT_EQ(grid.GetSortColumn(), 1);
        EXPECT_EQ(grid.GetSortAscending(), c.ascending);
    }
}

// A cell that keeps the place the grid tells it.
class CGridPlacedCell : public CGridCell
{
    DECLARE_DYNCREATE(CGridPlacedCell)
public:
    void SetCoords(int nRow, int nCol) override { CGridCellBase::SetCoords(nRow, nCol); }
    int Row() const { return m_nRow; }
};
IMPLEMENT_DYNCREATE(CGridPlacedCell, CGridCell)

TEST(GridSortTest, CellsThatKeepTheirPlaceLearnTheirNewRows)
{
    struct Case {
        const char* name;
        bool wholeGrid;   // every cell of that kind, or a single one set later
    };
    for (const Case& c : {Case{"the grid's default cell kind", true}, Case{"one cell given that kind", false}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        if (c.wholeGrid)
            grid.SetDefaultCellType(RUNTIME_CLASS(CGridPlacedCell));
        Fill(grid, 6, 3, 1, 1);
        const char* texts[] = {"e", "c", "a", "d", "b"};
        for (int r = 1; r < 6; r++)
            grid.SetItemText(r, 2, texts[r - 1]);
        if (!c.wholeGrid) {
            ASSERT_TRUE(grid.SetCellType(3, 1, RUNTIME_CLASS(CGridPlacedCell)));   // row "a"
        }
        ASSERT_TRUE(grid.SortItems(CGridCtrl::CompareCellText, 2, TRUE));
        for (int r = 1; r < 6; r++)
            for (int col = 0; col < 3; col++) {
                CGridPlacedCell* pCell = dynamic_cast<CGridPlacedCell*>(grid.GetCell(r, col));
                if (pCell != nullptr) {
                    EXPECT_EQ(pCell->Row(), r) << r << "," << col;
                }
            }
        EXPECT_NE(dynamic_cast<CGridPlacedCell*>(grid.GetCell(1, 1)), nullptr) << "row a is first";
    }
}

TEST(GridSortTest, NothingToSortStillRecordsTheColumnAndClearsSelection)
{
    CGridCtrl grid;
    Fill(grid, 2, 3, 1, 1);
    grid.SetSelectedRange(1, 1, 1, 2);
    grid.SetFocusCell(1, 1);
    EXPECT_FALSE(grid.SortItems(2, TRUE));
    EXPECT_EQ(grid.GetSortColumn(), 2);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    // A column beyond the count: recorded, nothing moves.
    Fill(grid, 4, 3, 1, 1);
    EXPECT_FALSE(grid.SortItems(7, TRUE));
    EXPECT_EQ(grid.GetSortColumn(), 7);
}

TEST(GridSortTest, TheInstalledCompareFunctionIsUsed)
{
    CGridCtrl grid;
    Fill(grid, 5, 2, 1, 1);
    grid.SetItemText(1, 1, "10");
    grid.SetItemText(2, 1, "9");
    grid.SetItemText(3, 1, "100");
    grid.SetItemText(4, 1, "1");
    grid.SetCompareFunction(CGridCtrl::CompareCellFloat);
    grid.SortItems(1, TRUE);
    EXPECT_EQ(Str(grid.GetItemText(1, 1)) + " " + Str(grid.GetItemText(2, 1)) + " " + Str(grid.GetItemText(3, 1)) +
                  " " + Str(grid.GetItemText(4, 1)),
              "1 9 10 100");
    grid.SetCompareFunction(NULL);
    grid.SortItems(1, TRUE);
    EXPECT_EQ(Str(grid.GetItemText(1, 1)), "1");
    EXPECT_EQ(Str(grid.GetItemText(2, 1)), "10");
}

TEST(GridSortTest, ALargeSortIsOrdered)
{
    CGridCtrl grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(20001);
    grid.SetFixedRowCount(1);
    unsigned seed = 12345;
    for (int r = 1; r < 20001; r++) {
        seed = seed * 1103515245u + 12345u;
        CString s;
        s.Format("%08x", seed >> 3);
        grid.SetItemText(r, 1, s);
    }
    ASSERT_TRUE(grid.SortItems(CGridCtrl::CompareCellText, 1, TRUE));
    for (int r = 2; r < 20001; r++)
        ASSERT_LE(strcmp(grid.GetItemText(r - 1, 1), grid.GetItemText(r, 1)), 0) << r;
}

// ---------------------------------------------------------------------------
// Copy text and paste splitting

TEST(GridClipboardTextTest, CopyTextOfTheSelection)
{
    CGridCtrl grid;
    Fill(grid, 4, 4, 1, 1);
    grid.SetItemText(1, 1, "a");
    grid.SetItemText(1, 2, "b");
    grid.SetItemText(2, 2, "c");
    EXPECT_EQ(Str(grid.GetSelectionText()), "") << "nothing selected, nothing copied";
    EXPECT_EQ(grid.CopyTextFromGrid(), nullptr);

    grid.SetSelectedRange(1, 1, 1, 2);
    grid.SetCellState(2, 2, grid.GetCellState(2, 2) | CELLSTATE_SELECTED);
    EXPECT_EQ(Str(grid.GetSelectionText()), "a\tb\n\tc");

    grid.SetSelectedRange(2, 2, 2, 2);
    EXPECT_EQ(Str(grid.GetSelectionText()), "c") << "one cell: no separators";

    // Hidden rows and columns are left out entirely.
    grid.SetSelectedRange(1, 1, 3, 3);
    grid.SetRowHeight(2, 0);
    grid.SetColumnWidth(2, 0);
    EXPECT_EQ(Str(grid.GetSelectionText()), "a\t1,3\n3,1\t3,3");
}

struct PasteCase {
    const char* name;
    const char* text;
    std::vector<std::pair<CCellID, const char*>> want;
    CCellRange wantSelection;
};

TEST(GridClipboardTextTest, PasteSplitsAtTabsCommasAndLineFeeds)
{
    const PasteCase cases[] = {
        {"tab and comma", "1,2\t3", {{CCellID(1, 1), "1"}, {CCellID(1, 2), "2"}, {CCellID(1, 3), "3"}},
         CCellRange(1, 1, 1, 3)},
        {"CR LF lines", "a\r\nb\r\n", {{CCellID(1, 1), "a"}, {CCellID(2, 1), "b"}, {CCellID(3, 1), "3,1"}},
         CCellRange(1, 1, 2, 1)},
        {"trailing separator adds no field", "x,\ny", {{CCellID(1, 1), "x"}, {CCellID(1, 2), "1,2"}, {CCellID(2, 1), "y"}},
         CCellRange(1, 1, 2, 1)},
        {"white space trimmed, empty inner field kept", " p , ,q", {{CCellID(1, 1), "p"}, {CCellID(1, 2), ""}, {CCellID(1, 3), "q"}},
         CCellRange(1, 1, 1, 3)},
        {"an empty line takes a row", "u\n\nw", {{CCellID(1, 1), "u"}, {CCellID(2, 1), "2,1"}, {CCellID(3, 1), "w"}},
         CCellRange(1, 1, 3, 1)},
        {"beyond the grid is dropped", "1,2,3,4,5,6,7", {{CCellID(1, 4), "4"}}, CCellRange(1, 1, 1, 4)},
        {"cp1251 text", "\xCF\xF0\xE8\xE2\xE5\xF2\t\xEC\xE8\xF0", {{CCellID(1, 1), "\xCF\xF0\xE8\xE2\xE5\xF2"}, {CCellID(1, 2), "\xEC\xE8\xF0"}},
         CCellRange(1, 1, 1, 2)},
    };
    for (const PasteCase& c : cases) {
        CGridCtrl grid;
        Fill(grid, 5, 5, 1, 1);
        grid.SetEditable(TRUE);
        EXPECT_TRUE(grid.PasteText(CCellID(1, 1), c.text)) << c.name;
        for (const auto& w : c.want)
            EXPECT_EQ(Str(grid.GetItemText(w.first.row, w.first.column)), w.second)
                << c.name << " at " << w.first.row << "," << w.first.column;
        EXPECT_EQ(grid.GetSelectedCellRange(), c.wantSelection) << c.name;
    }
}

TEST(GridClipboardTextTest, PasteHonoursReadOnlyCellsHiddenRowsAndColumnsAndEditing)
{
    CGridCtrl grid;
    Fill(grid, 5, 5, 1, 1);
    EXPECT_FALSE(grid.PasteText(CCellID(1, 1), "x")) << "editing off";
    grid.SetEditable(TRUE);
    grid.SetCellState(1, 1, grid.GetCellState(1, 1) | CELLSTATE_READONLY);
    EXPECT_FALSE(grid.PasteText(CCellID(1, 1), "x")) << "a read-only target";
    EXPECT_EQ(Str(grid.GetItemText(1, 1)), "1,1");
    EXPECT_TRUE(grid.PasteText(CCellID(1, 2), "a\tb"));
    grid.SetCellState(2, 3, grid.GetCellState(2, 3) | CELLSTATE_READONLY);
    grid.SetRowHeight(3, 0);
    EXPECT_TRUE(grid.PasteText(CCellID(2, 2), "p\tq\tr\ns\tt"));
    EXPECT_EQ(Str(grid.GetItemText(2, 2)), "p");
    EXPECT_EQ(Str(grid.GetItemText(2, 3)), "2,3") << "a read-only cell inside keeps its text";
    EXPECT_EQ(Str(grid.GetItemText(2, 4)), "r");
    EXPECT_EQ(Str(grid.GetItemText(3, 2)), "3,2") << "the hidden row is stepped over";
    EXPECT_EQ(Str(grid.GetItemText(4, 2)), "s");
    EXPECT_EQ(Str(grid.GetItemText(4, 3)), "t");
    grid.SetColumnWidth(3, 0);
    EXPECT_TRUE(grid.PasteText(CCellID(1, 2), "x\ty"));
    EXPECT_EQ(Str(grid.GetItemText(1, 2)), "x");
    EXPECT_EQ(Str(grid.GetItemText(1, 3)), "b") << "the hidden column is stepped over";
    EXPECT_EQ(Str(grid.GetItemText(1, 4)), "y");
}

// ---------------------------------------------------------------------------
// Save and load

TEST(GridFileTest, SaveAndLoadRoundTrip)
{
    CTestFolder folder;
    std::string path = (LPCSTR)folder.File("grid.csv");
    CGridCtrl grid;
    Fill(grid, 3, 3, 1, 0);
    grid.SetItemText(2, 1, "");
    grid.SetItemText(1, 2, "\xC0\xE1\xE2");   // cp1251 text
    ASSERT_TRUE(grid.Save(path.c_str(), ';'));

    FILE* f = fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buf[256] = {0};
    size_t n = fread(buf, 1, sizeof(buf) - 1, f);
    fclose(f);
    EXPECT_EQ(std::string(buf, n), "0,0;0,1;0,2\r\n1,0;1,1;\xC0\xE1\xE2\r\n2,0;;2,2\r\n");

    CGridCtrl loaded;
    ASSERT_TRUE(loaded.Load(path.c_str(), ';'));
    ASSERT_EQ(loaded.GetRowCount(), 3);
    ASSERT_EQ(loaded.GetColumnCount(), 3);
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++)
            EXPECT_EQ(Str(loaded.GetItemText(r, c)), Str(grid.GetItemText(r, c))) << r << "," << c;
}

TEST(GridFileTest, LoadReadsWholeLinesAndGivesRowsTheDefaultHeight)
{
    // A line longer than any buffer stays one row, and a line with an empty
    // first field is a row that can be seen.
    CTestFolder folder;
    std::string path = (LPCSTR)folder.File("long.txt");
    std::string longField(3000, 'x');
    std::string text = "A;B;C\n" + longField + ";2;3\n;mid;\n\xE0\xE1;\xA6;z\n";
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);

    CGridCtrl grid;
    ASSERT_TRUE(grid.Load(path.c_str(), ';'));
    ASSERT_EQ(grid.GetRowCount(), 4);
    ASSERT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(Str(grid.GetItemText(1, 0)), longField);
    EXPECT_EQ(Str(grid.GetItemText(1, 2)), "3");
    EXPECT_EQ(Str(grid.GetItemText(2, 0)), "");
    EXPECT_EQ(Str(grid.GetItemText(2, 1)), "mid");
    EXPECT_EQ(Str(grid.GetItemText(2, 2)), "") << "the empty end of the line ends it";
    EXPECT_EQ(Str(grid.GetItemText(3, 1)), "\xA6");
    int defHeight = grid.GetDefaultCell(FALSE, FALSE)->GetHeight();
    for (int r = 1; r < 4; r++)
        EXPECT_EQ(grid.GetRowHeight(r), defHeight) << "row " << r;
}

TEST(GridFileTest, ASeparatorAbove0x7FSplitsFields)
{
    // A separator byte of cp1251 (0xA6) compares as itself.
    CTestFolder folder;
    std::string path = (LPCSTR)folder.File("sep.txt");
    CGridCtrl grid;
    Fill(grid, 2, 2, 1, 0);
    grid.SetItemText(1, 1, "\xE6\xE8\xE7\xED\xFC");
    ASSERT_TRUE(grid.Save(path.c_str(), '\xA6'));
    CGridCtrl loaded;
    ASSERT_TRUE(loaded.Load(path.c_str(), '\xA6'));
    ASSERT_EQ(loaded.GetColumnCount(), 2);
    EXPECT_EQ(Str(loaded.GetItemText(1, 1)), "\xE6\xE8\xE7\xED\xFC");
}

TEST(GridFileTest, VirtualModeDoesNotLoad)
{
    CTestFolder folder;
    std::string path = (LPCSTR)folder.File("v.txt");
    CGridCtrl grid;
    Fill(grid, 2, 2, 1, 0);
    ASSERT_TRUE(grid.Save(path.c_str()));
    CGridCtrl virt;
    virt.SetVirtualMode(TRUE);
    EXPECT_FALSE(virt.Load(path.c_str()));
}

// ---------------------------------------------------------------------------
// Virtual mode

namespace {
BOOL CALLBACK VirtualText(GRIDDISPINFO* pDispInfo, LPARAM lParam)
{
    pDispInfo->item.strText.Format("v%d.%d", pDispInfo->item.row, pDispInfo->item.column);
    ++*(int*)lParam;
    return TRUE;
}
}  // namespace

TEST(GridModelTest, VirtualModeAsksForEveryCellThroughOneReusedCell)
{
    CGridCtrl grid;
    grid.SetVirtualMode(TRUE);
    int asked = 0;
    grid.m_pfnCallback = VirtualText;
    grid.m_lParamCallback = (LPARAM)&asked;
    grid.SetRowCount(100000);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    EXPECT_FALSE(grid.IsEditable());
    EXPECT_EQ(Str(grid.GetItemText(99999, 2)), "v99999.2");
    CGridCellBase* p1 = grid.GetCell(5, 1);
    CGridCellBase* p2 = grid.GetCell(6, 1);
    EXPECT_EQ(p1, p2);
    EXPECT_STREQ(p1->GetText(), "v6.1");
    EXPECT_EQ(asked, 3);
    EXPECT_FALSE(grid.SetItemText(1, 1, "x"));
    grid.SetSelectedRange(2, 1, 2, 2);
    EXPECT_TRUE(grid.IsCellInSelection(2, 1));
    EXPECT_TRUE(grid.GetCell(2, 1)->GetState() & CELLSTATE_SELECTED);
    EXPECT_EQ(Str(grid.GetSelectionText()), "v2.1\tv2.2");
}

// ---------------------------------------------------------------------------
// Outside data: files to load and text to paste, mutated from a fixed seed.

namespace {
// Every row holds a cell for every column, and no text holds what splits it.
void ExpectWholeGrid(CGridCtrl& grid, const char* separators)
{
    for (int r = 0; r < grid.GetRowCount(); r++)
        for (int c = 0; c < grid.GetColumnCount(); c++) {
            ASSERT_NE(grid.GetCell(r, c), nullptr) << r << "," << c;
            CString text = grid.GetItemText(r, c);
            ASSERT_LT(text.FindOneOf(separators), 0) << r << "," << c;
        }
}

std::vector<std::string> Texts(CGridCtrl& grid)
{
    std::vector<std::string> texts;
    for (int r = 0; r < grid.GetRowCount(); r++)
        for (int c = 0; c < grid.GetColumnCount(); c++)
            texts.push_back(Str(grid.GetItemText(r, c)));
    return texts;
}
}  // namespace

TEST(GridFuzzTest, LoadTakesAnyBytesAsLinesAndFields)
{
    CTestFolder folder;
    std::string path = (LPCSTR)folder.File("fuzz.csv");
    const std::string seed =
        "Keyword,Shows,Words\n\xEA\xEB\xFE\xF7,1200,2\nalpha beta,30,\n,,\n\"quoted, field\",7,1\n";
    CByteFuzzer fuzzer;
    for (int i = 0; i < 1000; i++) {
        std::string bytes = fuzzer.Mutate(seed, 6);
        SCOPED_TRACE(::testing::Message() << "case " << i);
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        CGridCtrl grid;
        ASSERT_TRUE(grid.Load(path.c_str(), ','));
        ExpectWholeGrid(grid, ",\n");
    }
}

TEST(GridFuzzTest, PasteFillsOnlyWhatItMayAndARefusedPasteChangesNothing)
{
    CByteFuzzer fuzzer;
    const std::string seed = "a\tb,c\r\n\xE0\xE1\t \t7\n\n,,x\t\r\nlast";
    for (int i = 0; i < 1000; i++) {
        SCOPED_TRACE(::testing::Message() << "case " << i);
        CGridCtrl grid;
        Fill(grid, 8, 5, 1, 1);
        grid.SetEditable(TRUE);
        grid.SetCellState(3, 2, grid.GetCellState(3, 2) | CELLSTATE_READONLY);
        grid.SetRowHeight(5, 0);
        grid.SetSelectedRange(2, 1, 2, 4);
        std::string text = fuzzer.Mutate(seed, 6);
        CCellID at(1 + (int)fuzzer.Below(9), (int)fuzzer.Below(6));   // some outside the grid or fixed
        std::vector<std::string> before = Texts(grid);
        CCellRange selected = grid.GetSelectedCellRange();

        BOOL bPasted = grid.PasteText(at, text.c_str());
        ASSERT_EQ(grid.GetRowCount(), 8);
        ASSERT_EQ(grid.GetColumnCount(), 5);
        std::vector<std::string> after = Texts(grid);
        if (!bPasted) {
            EXPECT_EQ(after, before) << "a refused paste changes no cell";
            EXPECT_EQ(grid.GetSelectedCellRange(), selected) << "nor the selection";
            continue;
        }
        for (int r = 0; r < 8; r++)
            for (int c = 0; c < 5; c++) {
                size_t k = (size_t)(r * 5 + c);
                bool mayChange = r >= at.row && c >= at.column && !(r == 3 && c == 2) && r != 5;
                if (!mayChange) {
                    ASSERT_EQ(after[k], before[k]) << r << "," << c;
                } else if (after[k] != before[k]) {
                    ASSERT_EQ(after[k].find_first_of("\t,\n"), std::string::npos) << r << "," << c;
                }
            }
    }
}
