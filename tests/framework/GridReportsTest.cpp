// The grid reports: the HTML and comma-separated files of a fixture grid,
// byte for byte; a grid with only its headings; a file that cannot be
// created; a cancelled file dialog; selecting a row.
#include <afxwin.h>
#include <afxext.h>
#include <commctrl.h>
#include <vector>
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>
#include "GridCtrl.h"
#include "GridReports.h"
#include "ProgressBar.h"
#include "TestFolder.h"
#include "testsupport.h"

namespace {

std::string FileBytes(const CString& path)
{
    std::ifstream in((LPCSTR)path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class GridReportsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "Reports", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300),
                                    NULL, 0));
        ASSERT_TRUE(m_grid.Create(CRect(0, 0, 380, 260), &m_host, 1014));
        m_grid.SetColumnCount(2);
        m_grid.SetFixedRowCount(1);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    // Row 0 the headings, then the rows of cells given.
    void Fill(std::initializer_list<std::initializer_list<const char*>> rows)
    {
        m_grid.SetRowCount((int)rows.size());
        int r = 0;
        for (const auto& row : rows) {
            int c = 0;
            for (const char* text : row)
                m_grid.SetItemText(r, c++, text);
            ++r;
        }
    }

    CWnd m_host;
    CGridCtrl m_grid;
    CTestFolder m_folder;
};

// An extension nothing opens, so that the shell's open verb starts nothing.
const char kNoProgram[] = ".gridreport";

TEST_F(GridReportsTest, WritesTheFixtureGridByteForByte)
{
    // Keywords holding what the two formats use: a comma, a double quote,
    // markup and an ampersand.
    Fill({{"A", "B<&>"}, {"1", "2"}, {"3", ""}, {"cats, dogs", "say \"hi\""}, {"<b>x</b> & y", "'q'"}});
    CString html = m_folder.File("report.html");
    CDialogAnswerer answerer;
    ASSERT_TRUE(GenerateHtmlReport(html, m_grid, "Keywords & <Counts>", NULL, FALSE));
    EXPECT_EQ(FileBytes(html),
              "<center><h3>Keywords &amp; &lt;Counts&gt;</h3><p><p><table border=1 width=80%><tr><th colspan=10></th></tr>"
              "<tr><th>A</th><th>B&lt;&amp;&gt;</th></tr>"
              "<tr><td>1</td><td>2</td></tr>"
              "<tr><td>3</td><td>___________</td></tr>"
              "<tr><td>cats, dogs</td><td>say \"hi\"</td></tr>"
              "<tr><td>&lt;b&gt;x&lt;/b&gt; &amp; y</td><td>'q'</td></tr>"
              "</table></center>");

    CString csv = m_folder.File(CString("report") + kNoProgram);
    ASSERT_TRUE(ExportGridToCsv(csv, m_grid));
    EXPECT_EQ(FileBytes(csv), "\"A\",\"B<&>\"\r\n\r\n\"1\",\"2\"\r\n\"3\",\"\"\r\n"
                              "\"cats, dogs\",\"say \"\"hi\"\"\"\r\n\"<b>x</b> & y\",\"'q'\"\r\n");
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(GridReportsTest, OnlyTheHeadingsWriteEmpty)
{
    Fill({{"A", "B"}});
    CString html = m_folder.File("empty.html");
    ASSERT_TRUE(GenerateHtmlReport(html, m_grid, "T", NULL, FALSE));
    EXPECT_EQ(FileBytes(html), "<center><h3>T</h3><p>Empty</center>");
    CString csv = m_folder.File(CString("empty") + kNoProgram);
    ASSERT_TRUE(ExportGridToCsv(csv, m_grid));
    EXPECT_EQ(FileBytes(csv), "Empty");
}

// A target that cannot be created is reported, and nothing is written or
// opened.
// The positions a progress bar is set to, as the window receives them, with
// what the status bar's pane says at that moment.
std::vector<std::string> g_paneTexts;
std::vector<int> g_positions;
CStatusBar* g_pBar = NULL;
LRESULT CALLBACK RecordProgress(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && p->message == PBM_SETPOS) {
        g_positions.push_back((int)p->wParam);
        g_paneTexts.push_back((LPCSTR)g_pBar->GetPaneText(0));
    }
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}

// With 4 rows the status-bar progress goes 25, 50, 75, then says "Done" and
// hides.
TEST_F(GridReportsTest, ShowsItsProgressOnTheStatusBar)
{
    Fill({{"A", "B"}, {"1", "2"}, {"3", "4"}, {"5", "6"}});
    CFrameWnd* pFrame = new CFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(NULL, "Progress"));
    CStatusBar bar;
    static const UINT indicators[] = {ID_SEPARATOR};
    ASSERT_TRUE(bar.Create(pFrame) && bar.SetIndicators(indicators, 1));
    pFrame->RecalcLayout();
    CWnd* pOldMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = pFrame;
    {
        CProgressBar progress("", 50);
        ASSERT_NE(progress.GetSafeHwnd(), nullptr);
        g_paneTexts.clear();
        g_pBar = &bar;
        g_positions.clear();
        HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordProgress, NULL, GetCurrentThreadId());
        EXPECT_TRUE(GenerateHtmlReport(m_folder.File("progress.html"), m_grid, "T", &progress, FALSE));
        UnhookWindowsHookEx(hHook);
        EXPECT_FALSE(progress.IsWindowVisible());
        EXPECT_EQ(g_paneTexts, (std::vector<std::string>{"25% - generate html report file",
                                                         "50% - generate html report file",
                                                         "75% - generate html report file"}));
        EXPECT_STREQ(progress.GetMessage(), "Done");
        EXPECT_EQ(g_positions, (std::vector<int>{25, 50, 75}));
    }
    AfxGetApp()->m_pMainWnd = pOldMain;
    pFrame->DestroyWindow();
}

TEST_F(GridReportsTest, AnUncreatableFileIsReported)
{
    Fill({{"A", "B"}, {"1", "2"}});
    CString missing = m_folder.File("no such folder\\report.html");
    CDialogAnswerer answerer;
    EXPECT_FALSE(GenerateHtmlReport(missing, m_grid, "T", NULL, TRUE));
    EXPECT_FALSE(ExportGridToCsv(m_folder.File("no such folder\\report.csv"), m_grid));
    ASSERT_EQ(answerer.Shown().size(), 2u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Warning");
    EXPECT_NE(answerer.Shown()[0].text.find("Cannot create the report file \"" + std::string((LPCSTR)missing) + "\""),
              std::string::npos)
        << answerer.Shown()[0].text;
}

TEST_F(GridReportsTest, ACancelledFileDialogWritesNothing)
{
    Fill({{"A", "B"}, {"1", "2"}});
    CDialogAnswerer answerer;
    answerer.Answer(IDCANCEL);
    EXPECT_FALSE(ExportGridToCsv("", m_grid));
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Select target file");
}

TEST_F(GridReportsTest, SelectsARowClampedToTheDataRows)
{
    Fill({{"A", "B"}});
    EXPECT_EQ(SelectGridRow(3, m_grid), 1) << "no data rows: the fixed row count";
    Fill({{"A", "B"}, {"1", "2"}, {"3", "4"}});
    EXPECT_TRUE(SelectGridRow(9, m_grid));
    CCellRange range = m_grid.GetSelectedCellRange();
    EXPECT_EQ(range.GetMinRow(), 2);
    EXPECT_EQ(range.GetMaxCol(), 1);
    EXPECT_EQ(m_grid.GetFocusCell().row, 2);
    EXPECT_TRUE(SelectGridRow(0, m_grid));
    EXPECT_EQ(m_grid.GetSelectedCellRange().GetMinRow(), 1);
}

}  // namespace
