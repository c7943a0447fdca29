// grid_bench: how the grid control holds up at 100,000 rows by 8 columns.
// Each figure is printed beside a floor measured in the same run:
//  - sorting a column, beside std::sort of the same texts with the same compare;
//  - scrolling a page and repainting, beside a bare ExtTextOut of the visible cells,
//    with the parts of its time (the request, drawing the cells, the copy to the
//    screen, and the rest of the paint with the scroll bar);
//  - Select All after a row was selected, beside Select All from no selection;
//  - inserting and deleting rows at 1,000, 10,000 and 100,000 rows present,
//    which should cost the same at every size.
// Build it optimised (a Release build directory) and run it under Wine on a
// display; it is not a test and no test runs it.
#include <afxwin.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "BenchSupport.h"
#include "GridCtrl.h"

namespace {

CBenchApp theBenchApp("PellucorGridBench");

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

const int kRows = 100000;
const int kCols = 8;

// Texts of 4 to 12 letters, Latin and cp1251, from a fixed seed.
std::vector<std::string> MakeTexts(int n, unsigned seed)
{
    std::vector<std::string> texts;
    texts.reserve(n);
    for (int i = 0; i < n; i++) {
        seed = seed * 1103515245u + 12345u;
        int len = 4 + (int)((seed >> 16) % 9);
        std::string s;
        for (int k = 0; k < len; k++) {
            seed = seed * 1103515245u + 12345u;
            unsigned r = (seed >> 16) % 58;
            s += (r < 26) ? (char)('a' + r) : (char)(0xE0 + (r - 26));   // a-z, cp1251 а-я
        }
        texts.push_back(s);
    }
    return texts;
}

void FillColumn(CGridCtrl& grid, int col, const std::vector<std::string>& texts)
{
    for (int r = 1; r <= (int)texts.size(); r++)
        grid.SetItemText(r, col, texts[r - 1].c_str());
}

void Line(const char* what, double value, const char* unit, const char* floorWhat, double floor, const char* verdict)
{
    printf("%-44s %10.3f %-3s  | %-34s %10.3f %-3s | %s\n", what, value, unit, floorWhat, floor, unit, verdict);
}

// A part of the figure above it, without a floor of its own.
void PartLine(const char* what, double value)
{
    printf("  %-42s %10.3f ms   |\n", what, value);
}

// ---------------------------------------------------------------------------

void BenchSort(CGridCtrl& grid)
{
    std::vector<std::string> texts = MakeTexts(kRows, 2026);
    std::vector<double> gridTimes, floorTimes;
    for (int run = 0; run < 5; run++) {
        FillColumn(grid, 3, texts);
        double t0 = Now();
        grid.SortItems(CGridCtrl::CompareCellText, 3, TRUE);
        gridTimes.push_back(Now() - t0);

        // The floor: the same texts, the same compare, std::sort.
        std::vector<CString> plain;
        plain.reserve(texts.size());
        for (const std::string& t : texts)
            plain.emplace_back(t.c_str());
        t0 = Now();
        std::sort(plain.begin(), plain.end(),
                  [](const CString& a, const CString& b) { return CGridCtrl::CompareTexts(a, b) < 0; });
        floorTimes.push_back(Now() - t0);
    }
    for (int r = 2; r <= kRows; r++)
        if (CGridCtrl::CompareTexts(grid.GetItemText(r - 1, 3), grid.GetItemText(r, 3)) > 0) {
            printf("sort: rows %d and %d out of order\n", r - 1, r);
            break;
        }
    double g = Median(gridTimes);
    Line("sort 100,000 rows by one column", g, "ms", "std::sort, same texts and compare", Median(floorTimes),
         g < 200.0 ? "under 200 ms: yes" : "under 200 ms: NO");
}

void BenchScroll(CWnd& host, CGridCtrl& grid)
{
    (void)host;
    grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    grid.UpdateWindow();
    // Half way down, where the top-left cell is furthest from the first row.
    SCROLLINFO si = {sizeof(si), SIF_RANGE};
    grid.GetScrollInfo(SB_VERT, &si, SIF_RANGE);
    grid.SetScrollPos32(SB_VERT, si.nMax / 2);
    grid.Invalidate();
    grid.UpdateWindow();

    std::vector<double> gridTimes;
    for (int i = 0; i < 60; i++) {
        double t0 = Now();
        grid.SendMessage(WM_VSCROLL, (i % 2) ? SB_PAGEUP : SB_PAGEDOWN, 0);
        grid.UpdateWindow();
        ::GdiFlush();
        gridTimes.push_back(Now() - t0);
    }

    // The floor: the visible cells' texts, each drawn with one ExtTextOut.
    CRect visRect;
    CCellRange vis = grid.VisibleRange(visRect, TRUE);
    std::vector<double> floorTimes;
    for (int i = 0; i < 60; i++) {
        double t0 = Now();
        CClientDC dc(&grid);
        dc.SelectObject(grid.GetDefaultCell(FALSE, FALSE)->GetFontObject());
        for (int r = vis.GetMinRow(); r <= vis.GetMaxRow(); r++)
            for (int c = 0; c < kCols; c++) {
                CRect rect;
                if (!grid.GetCellRect(r, c, rect))
                    continue;
                CString s = grid.GetItemText(r, c);
                dc.ExtTextOut(rect.left + 2, rect.top + 1, ETO_CLIPPED | ETO_OPAQUE, rect, s, s.GetLength(), NULL);
            }
        ::GdiFlush();
        floorTimes.push_back(Now() - t0);
    }
    double g = Median(gridTimes);
    char what[80];
    sprintf(what, "page scroll + repaint (%d rows shown)", vis.GetMaxRow() - vis.GetMinRow() + 1);
    Line(what, g, "ms", "bare ExtTextOut of the visible cells", Median(floorTimes),
         g < 16.0 ? "under 16 ms: yes" : "under 16 ms: NO");

    // Where the page scroll's time goes: the scroll request alone (its paint
    // dropped), the cells drawn into memory, and the copy of the grid's
    // client area to the screen that double buffering adds.
    CRect client;
    grid.GetClientRect(client);
    double scrollOnly = MedianMs(30, [&] {
        static int i = 0;
        grid.SendMessage(WM_VSCROLL, (i++ % 2) ? SB_PAGEUP : SB_PAGEDOWN, 0);
        grid.ValidateRect(NULL);
    });
    // Within the request: finding the first row shown (a walk over the rows
    // above it).
    double walk = MedianMs(30, [&] { grid.GetTopleftNonFixedCell(TRUE); });

    CClientDC screen(&grid);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    CBitmap* pOld = mem.SelectObject(&bitmap);
    double drawOnly = MedianMs(30, [&] { grid.OnDraw(&mem); ::GdiFlush(); });
    double copyOnly = MedianMs(30, [&] {
        screen.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
        ::GdiFlush();
    });
    mem.SelectObject(pOld);
    PartLine("the scroll request alone", scrollOnly);
    PartLine("  in it: finding the first row shown", walk);
    PartLine("the cells drawn into memory", drawOnly);
    PartLine("the client area copied to the screen", copyOnly);
    PartLine("the rest: the paint's own work and the bar", g - scrollOnly - drawOnly - copyOnly);
}

// Select All with one row already selected, beside Select All with nothing
// selected: the same cells go into the selection either way.
void BenchSelectAll(CGridCtrl& grid)
{
    double afterRow = MedianMs(3, [&] {
        grid.SetSelectedRange(5, 1, 5, kCols - 1);
        grid.SelectAllCells();
    });
    double fromNothing = MedianMs(3, [&] {
        grid.SetSelectedRange(-1, -1, -1, -1);
        grid.SelectAllCells();
    });
    char verdict[64];
    sprintf(verdict, "%d cells; x%.2f", grid.GetSelectedCount(), afterRow / fromNothing);
    Line("Select All after a selection, 100,000 rows", afterRow, "ms", "Select All with nothing selected", fromNothing,
         verdict);
    grid.SetSelectedRange(-1, -1, -1, -1);
}

void BenchInsertDelete(CWnd& host, bool windowless)
{
    const int sizes[] = {1000, 10000, 100000};
    const int kOps = 2000;
    double first = 0;
    for (int size : sizes) {
        CGridCtrl grid;
        if (!windowless)
            grid.Create(CRect(0, 0, 900, 600), &host, 1015);
        grid.SetColumnCount(kCols);
        grid.SetRowCount(size + 1);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);

        std::vector<double> perOp;
        double total = 0;
        for (int w = 0; w < 3; w++) {
            double t0 = Now();
            for (int i = 0; i < kOps; i++) {
                int at = (w == 0) ? 1 : (w == 1) ? grid.GetRowCount() / 2 : -1;
                int row = grid.InsertRow("new", at);
                grid.DeleteRow(row);
            }
            double us = (Now() - t0) * 1000.0 / kOps;
            perOp.push_back(us);
            total += us;
        }
        // The floor: the same number of row objects of 8 cells made and freed.
        double t0 = Now();
        for (int i = 0; i < kOps; i++) {
            CGridRow* pRow = new CGridRow;
            pRow->SetSize(kCols);
            for (int c = 0; c < kCols; c++)
                pRow->SetAt(c, new CGridCell);
            for (int c = 0; c < kCols; c++)
                delete pRow->GetAt(c);
            delete pRow;
        }
        double floorUs = (Now() - t0) * 1000.0 / kOps;

        double mean = total / 3;
        if (first == 0)
            first = mean;
        char what[96];
        sprintf(what, "insert+delete, %s, %6d rows", windowless ? "model " : "window", size);
        char verdict[64];
        sprintf(verdict, "%.1f/%.1f/%.1f us; x%.2f of 1,000", perOp[0], perOp[1], perOp[2], mean / first);
        Line(what, mean, "us", "new+delete of 8 cells, no grid", floorUs, verdict);
        if (!windowless)
            grid.DestroyWindow();
    }
}

}  // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWNORMAL) || !theBenchApp.InitInstance()) {
        fprintf(stderr, "grid_bench: cannot start\n");
        return 2;
    }

    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "Grid bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 960, 700),
                       NULL, 0)) {
        fprintf(stderr, "grid_bench: cannot create a window (no display?)\n");
        return 2;
    }
    CGridCtrl grid;
    grid.Create(CRect(0, 0, 900, 600), &host, 1014);
    grid.SetListMode(TRUE);

    double t0 = Now();
    grid.SetColumnCount(kCols);
    grid.SetRowCount(kRows + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    std::vector<std::string> texts = MakeTexts(kRows * (kCols - 1), 7);
    for (int r = 1; r <= kRows; r++) {
        char head[16];
        sprintf(head, "%d", r);
        grid.SetItemText(r, 0, head);
        for (int c = 1; c < kCols; c++)
            grid.SetItemText(r, c, texts[(size_t)(r - 1) * (kCols - 1) + c - 1].c_str());
    }
    for (int c = 0; c < kCols; c++) {
        grid.SetItemText(0, c, c == 0 ? "#" : "Column");
        grid.SetColumnWidth(c, 105);
    }
    printf("grid of %d rows x %d columns filled in %.0f ms\n\n", kRows, kCols, Now() - t0);
    printf("%-44s %14s  | %-34s %14s | %s\n", "measure", "grid", "floor", "floor", "target");

    BenchSort(grid);
    BenchScroll(host, grid);
    BenchSelectAll(grid);
    BenchInsertDelete(host, true);
    BenchInsertDelete(host, false);

    grid.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
