// The grid form view under real windows: its column widths, visibility and
// sort kept in the profile across runs, the first run deciding by the
// default visible flags, a stored width of -1 shared out, the selected row
// kept across a refill, and the column set-up working for a view.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "BaseGridFormView.h"
#include "BasedDocument.h"
#include "BasedGridDlg.h"
#include "ModalScript.h"
#include "ProfileKeys.h"
#include "framework_res.h"
#include "gridviews_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const char kSection[] = "GridFormViewTest";

struct Row {
    const char* name;
    const char* count;
};
std::vector<Row> g_rows;

class CKeptDocument : public CBasedDocument
{
public:
    CKeptDocument() { m_bAutoDelete = FALSE; }
};

class CCountsView : public CBaseGridFormView
{
    DECLARE_DYNCREATE(CCountsView)
public:
    CCountsView() : CBaseGridFormView(IDD_GRIDVIEW_FORM)
    {
        m_strProfileSection = kSection;
        for (const char* name : {"Name", "Count", "Note"})
            m_arrColumnNames.Add(name);
        for (UINT visible : {1u, 1u, 0u})
            m_arrDefaultVisible.Add(visible);
    }
    int m_nSelectionReports = 0;

protected:
    void FillGrid() override
    {
        m_Grid.SetRowCount((int)g_rows.size() + 1);
        for (size_t i = 0; i < g_rows.size(); ++i) {
            m_Grid.SetItemText((int)i + 1, 0, g_rows[i].name);
            m_Grid.SetItemText((int)i + 1, 1, g_rows[i].count);
            m_Grid.SetItemData((int)i + 1, 0, (LPARAM)i);
        }
        CBaseGridFormView::FillGrid();
    }
    void OnGridSelectionChanged() override { ++m_nSelectionReports; }
};
IMPLEMENT_DYNCREATE(CCountsView, CBaseGridFormView)

class GridFormViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxGetApp()->WriteProfileString(kSection, NULL, NULL);
        CString strFirstRun = CString(kSection) + "_";
        AfxGetApp()->WriteProfileString(strFirstRun, NULL, NULL);
        g_rows = {{"b", "10"}, {"a", "9"}, {"c", "100"}};
    }
    void TearDown() override
    {
        CloseFrame();
        AfxGetApp()->WriteProfileString(kSection, NULL, NULL);
        AfxGetApp()->WriteProfileString(CString(kSection) + "_", NULL, NULL);
    }

    CCountsView* OpenView()
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CCountsView);
        context.m_pCurrentDoc = &m_doc;
        m_pFrame = new CFrameWnd;   // deletes itself with its window
        if (!m_pFrame->Create(NULL, "GridView", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), NULL, NULL, 0, &context))
            return NULL;
        m_pFrame->InitialUpdateFrame(&m_doc, TRUE);
        PumpMessagesFor(50);
        return (CCountsView*)m_pFrame->GetActiveView();
    }
    void CloseFrame()
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
        m_pFrame = NULL;
    }
    int Stored(LPCSTR pszKey) { return (int)AfxGetApp()->GetProfileInt(kSection, pszKey, -99); }
    static std::vector<std::string> Names(CGridCtrl& grid)
    {
        std::vector<std::string> names;
        for (int r = 1; r < grid.GetRowCount(); ++r)
            names.push_back((LPCSTR)grid.GetItemText(r, 0));
        return names;
    }

    CKeptDocument m_doc;
    CFrameWnd* m_pFrame = NULL;
};

TEST_F(GridFormViewTest, KeepsColumnWidthsAndSortAcrossRuns)
{
    // A stale profile: on the first run the default visible flags decide.
    AfxGetApp()->WriteProfileInt(kSection, "Note", 90);
    AfxGetApp()->WriteProfileInt(kSection, "Note_Visible", 1);
    CCountsView* pView = OpenView();
    ASSERT_NE(pView, nullptr);
    CGridCtrl& grid = pView->m_Grid;
    EXPECT_EQ(grid.GetColumnWidth(0), 70);
    EXPECT_EQ(grid.GetColumnWidth(2), 0) << "hidden by its default on the first run";
    EXPECT_STREQ(grid.GetItemText(0, 1), "Count");
    // The first sort: column 1, descending, by number.
    EXPECT_EQ(Names(grid), (std::vector<std::string>{"c", "b", "a"}));

    grid.SetColumnWidth(0, 150);
    grid.SortItems(0, TRUE);
    CloseFrame();
    EXPECT_EQ(Stored("Name"), 150);
    EXPECT_EQ(Stored("Name_Visible"), 1);
    EXPECT_EQ(Stored("Note"), 0);
    EXPECT_EQ(Stored("Note_Visible"), 0);
    EXPECT_EQ(Stored("SetSortColumn"), 0);
    EXPECT_EQ(Stored("SetSortAscending"), 1);
    EXPECT_EQ(AfxGetApp()->GetProfileInt(CString(kSection) + "_", CString(kSection) + "_", -99), 0);

    // The next run takes the profile: the note shown again by the user, the
    // count column shared out of the client width.
    AfxGetApp()->WriteProfileInt(kSection, "Note", 80);
    AfxGetApp()->WriteProfileInt(kSection, "Note_Visible", 1);
    AfxGetApp()->WriteProfileInt(kSection, "Count", -1);
    pView = OpenView();
    ASSERT_NE(pView, nullptr);
    CGridCtrl& again = pView->m_Grid;
    EXPECT_EQ(again.GetColumnWidth(0), 150);
    EXPECT_EQ(again.GetColumnWidth(2), 80);
    CRect rc;
    again.GetClientRect(&rc);
    EXPECT_EQ(again.GetColumnWidth(1), (rc.Width() - GetSystemMetrics(SM_CYVSCROLL) - 1) / 3);
    EXPECT_EQ(again.GetSortColumn(), 0);
    EXPECT_TRUE(again.GetSortAscending());
    EXPECT_EQ(Names(again), (std::vector<std::string>{"a", "b", "c"}));
}

// A column stored hidden comes back hidden, and keeps the width it was
// stored with: shown again, it takes that width, not the default.
TEST_F(GridFormViewTest, AStoredHiddenColumnComesBackHiddenAtItsStoredWidth)
{
    const CString strFirstRun = CString(kSection) + "_";
    AfxGetApp()->WriteProfileInt(strFirstRun, strFirstRun, 0);   // not the first run
    AfxGetApp()->WriteProfileInt(kSection, "Name", 90);
    AfxGetApp()->WriteProfileInt(kSection, "Name_Visible", 0);
    AfxGetApp()->WriteProfileInt(kSection, "Count", 60);
    CCountsView* pView = OpenView();
    ASSERT_NE(pView, nullptr);
    CGridCtrl& grid = pView->m_Grid;
    EXPECT_EQ(grid.GetColumnWidth(0), 0);
    EXPECT_EQ(pView->m_arrColumnVisible[0], 0u);
    EXPECT_EQ(pView->m_arrColumnWidths[0], 90u);
    EXPECT_EQ(grid.GetColumnWidth(1), 60);
    EXPECT_EQ(pView->m_arrColumnVisible[1], 1u);

    pView->m_arrColumnVisible[0] = 1;
    pView->ApplyColumnVisibility();
    EXPECT_EQ(grid.GetColumnWidth(0), 90);
}

// A click on a column's header sorts by it, and the sort is kept.
TEST_F(GridFormViewTest, AHeaderClickSortsByThatColumn)
{
    CCountsView* pView = OpenView();
    ASSERT_NE(pView, nullptr);
    CGridCtrl& grid = pView->m_Grid;
    ASSERT_EQ(grid.GetSortColumn(), 1);
    const int x = grid.GetColumnWidth(0) / 2, y = grid.GetRowHeight(0) / 2;
    grid.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    grid.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    ASSERT_TRUE(PumpUntil([&] { return grid.GetSortColumn() == 0; }, kWaitMs)) << "the click did not sort";
    const bool bAscending = grid.GetSortAscending() != FALSE;
    EXPECT_EQ(Names(grid), bAscending ? (std::vector<std::string>{"a", "b", "c"})
                                      : (std::vector<std::string>{"c", "b", "a"}));
    CloseFrame();
    EXPECT_EQ(Stored("SetSortColumn"), 0);
    EXPECT_EQ(Stored("SetSortAscending"), bAscending ? 1 : 0);
}

TEST_F(GridFormViewTest, RefreshKeepsTheSelectedRowOrTakesTheNewLast)
{
    CCountsView* pView = OpenView();
    ASSERT_NE(pView, nullptr);
    pView->SelectRow(2);
    EXPECT_EQ(pView->GetSelectedRow(FALSE), 2);
    pView->RefreshGrid();
    EXPECT_EQ(pView->GetSelectedRow(FALSE), 2);

    pView->SelectRow(3);
    g_rows.pop_back();
    int nReports = pView->m_nSelectionReports;
    pView->RefreshGrid();
    EXPECT_EQ(pView->GetSelectedRow(FALSE), 2) << "the new last row";
    EXPECT_GT(pView->m_nSelectionReports, nReports);

    // Out of range: nothing selected, nothing changed.
    pView->SelectRow(0);
    pView->SelectRow(9);
    EXPECT_EQ(pView->GetSelectedRow(FALSE), 2);

    // By data: the row whose column 0 holds it, else row 1.
    pView->SelectRowByData(1, 0);
    EXPECT_EQ((int)pView->m_Grid.GetItemData(pView->GetSelectedRow(FALSE), 0), 1);
    pView->SelectRowByData(42, 0);
    EXPECT_EQ(pView->GetSelectedRow(FALSE), 1);

    // No selection: -1, with the warning when asked.
    pView->DeleteAllRows();
    EXPECT_EQ(pView->m_Grid.GetRowCount(), 1);
    CDialogAnswerer answerer;
    EXPECT_EQ(pView->GetSelectedItemData(TRUE), -1);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Warning");
    EXPECT_EQ(answerer.Shown()[0].text, "Please select a item");
}

TEST_F(GridFormViewTest, ColumnSetupChangesTheViewsColumnsAndColours)
{
    CCountsView* pView = OpenView();
    ASSERT_NE(pView, nullptr);
    CSetupBasesGridDlg dlg(pView, pView);
    CModalScript::Run(dlg, {
        [&] {
            EXPECT_EQ(dlg.m_lstColumns.GetCount(), 3);
            EXPECT_EQ(dlg.m_lstColumns.GetCheck(2), 0);
            CDialogAnswerer::PressButton(dlg.m_hWnd, IDC_SETUP_SHOW_ALL);
        },
        [&] {
            EXPECT_EQ(dlg.m_lstColumns.GetCheck(2), 1);
            CDialogAnswerer::PressButton(dlg.m_hWnd, IDC_SETUP_DEFAULT);
        },
        [&] {
            EXPECT_EQ(dlg.m_btnGridLines.GetColor(), RGB(0xC0, 0xC0, 0xC0));
            dlg.m_lstColumns.SetCheck(0, 0);
            CDialogAnswerer::PressButton(dlg.m_hWnd, IDOK);
        },
    });
    EXPECT_EQ(pView->m_arrColumnVisible[0], 0u);
    EXPECT_EQ(pView->m_arrColumnVisible[2], 1u);
    EXPECT_EQ(pView->m_clrGridLines, RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(pView->m_clrTextForeground, ::GetSysColor(COLOR_WINDOWTEXT));
    pView->ApplyColumnVisibility();
    EXPECT_EQ(pView->m_Grid.GetColumnWidth(0), 0);
    EXPECT_EQ(pView->m_Grid.GetColumnWidth(2), 70);
    EXPECT_EQ(pView->m_Grid.m_crLines, RGB(0xC0, 0xC0, 0xC0));
}

// "Default" picked in a colour picker (-1) is the colour the Default button
// gives, stored and drawn so; a -1 already in the profile reads the same way.
TEST_F(GridFormViewTest, APickedDefaultColourIsTheDefaultButtonsColour)
{
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF clrGrey = RGB(0xC0, 0xC0, 0xC0);
    const COLORREF clrPickedDefault = (COLORREF)-1;
    auto expectDefaults = [&](CCountsView* pView) {
        EXPECT_EQ(pView->m_clrBackground, clrWindow);
        EXPECT_EQ(pView->m_clrTextBackground, clrWindow);
        EXPECT_EQ(pView->m_clrTextForeground, clrWindowText);
        EXPECT_EQ(pView->m_clrGridLines, clrGrey);
        CGridCtrl& grid = pView->m_Grid;
        CRect rc;
        grid.GetClientRect(&rc);
        CPixelCanvas canvas(rc.Width(), rc.Height(), kMagenta);
        grid.OnDraw(&canvas.dc);
        const int yRow1 = grid.GetRowHeight(0) + 3;
        EXPECT_EQ(canvas.At(grid.GetColumnWidth(0) - 4, yRow1), clrWindow) << "a cell's background";
        EXPECT_EQ(canvas.At(rc.right - 4, yRow1), clrWindow) << "beyond the columns";
        EXPECT_EQ(canvas.At(rc.right - 4, rc.bottom - 4), clrWindow) << "below the rows";
    };

    CCountsView* pView = OpenView();
    ASSERT_NE(pView, nullptr);
    CSetupBasesGridDlg dlg(pView, pView);
    CModalScript::Run(dlg, {
        [&] {
            for (COXColorPickerButton* pPicker : {&dlg.m_btnBackground, &dlg.m_btnTextBackground,
                                                  &dlg.m_btnTextForeground, &dlg.m_btnGridLines})
                pPicker->SetColor(clrPickedDefault);
            CDialogAnswerer::PressButton(dlg.m_hWnd, IDOK);
        },
    });
    pView->ApplyColumnVisibility();
    {
        SCOPED_TRACE("picked in the set-up");
        expectDefaults(pView);
    }
    CloseFrame();
    EXPECT_EQ(Stored(szGridBackground), (int)clrWindow);
    EXPECT_EQ(Stored(szGridLines), (int)clrGrey);

    for (LPCSTR pszKey : {szGridBackground, szGridTextBackground, szGridTextForeground, szGridLines})
        AfxGetApp()->WriteProfileInt(kSection, pszKey, -1);
    pView = OpenView();
    ASSERT_NE(pView, nullptr);
    SCOPED_TRACE("read from the profile");
    expectDefaults(pView);
}

}  // namespace
