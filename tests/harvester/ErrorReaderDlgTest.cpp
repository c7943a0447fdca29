// The exception report reader: what it shows of the report left in the
// temporary folder, and that the user can read it but not change it.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "ErrorReaderDlg.h"
#include "TestFolder.h"
#include "resource.h"
#include "testsupport.h"

namespace {

// Puts a report in place of the one in the temporary folder (or takes it
// away) and gives back what was there.
class ErrorReaderDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sPath = CErrorReaderDlg::GetReportPath();
        ASSERT_FALSE(m_sPath.IsEmpty());
        m_bHadReport = TestPathExists(m_sPath);
        if (m_bHadReport)
            m_sSaved = ReadFileBytes(m_sPath);
    }
    void TearDown() override
    {
        ::DeleteFileA(m_sPath);
        if (m_bHadReport)
            WriteFileBytes(m_sPath, m_sSaved);
    }
    void PutReport(const char* pszBytes)
    {
        ::DeleteFileA(m_sPath);
        if (pszBytes != nullptr)
            WriteFileBytes(m_sPath, pszBytes);
    }

    // Runs the dialog; the handler looks at it, then OK closes it.
    void Run(const std::function<void(HWND)>& look)
    {
        CDialogAnswerer answerer;
        bool bSeen = false;
        answerer.Handle([&](HWND dialog, const ShownDialog&) {
            bSeen = true;
            look(dialog);
            CDialogAnswerer::PressButton(dialog, IDOK);
        });
        CErrorReaderDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_TRUE(bSeen);
    }

    CString m_sPath;
    bool m_bHadReport = false;
    std::string m_sSaved;
};

TEST_F(ErrorReaderDlgTest, ReportPathIsTheTemporaryFolderAndTheProgramName)
{
    char szTemp[MAX_PATH + 1] = "";
    ::GetTempPathA(sizeof szTemp, szTemp);
    EXPECT_EQ(std::string(m_sPath), std::string(szTemp) + "Pellucor.err");
}

// Every line is shown followed by "\r\n", the last one too.
TEST_F(ErrorReaderDlgTest, ShowsTheReportLineByLine)
{
    struct Case { const char* what; const char* pszFile; const char* pszShown; } cases[] = {
        {"no report", nullptr, "No file"},
        {"last line without a line end", "Exception: access violation\r\nAddress: 0x00401000",
         "Exception: access violation\r\nAddress: 0x00401000\r\n"},
        {"every line ended", "Система: Windows\r\nПамять: 512 MB\r\n", "Система: Windows\r\nПамять: 512 MB\r\n"},
        {"an empty report", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PutReport(c.pszFile);
        std::string shown = "<not seen>";
        Run([&](HWND dialog) { shown = WindowText(::GetDlgItem(dialog, IDC_INPUT_STRING)); });
        EXPECT_EQ(shown, c.pszShown);
    }
}

// The template's edit takes typing when it asks for words elsewhere; here
// it refuses it, and the dialog has the reader's caption.
TEST_F(ErrorReaderDlgTest, ReportCannotBeEdited)
{
    PutReport("line\r\n");
    Run([&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "Error report dialog");
        HWND hEdit = ::GetDlgItem(dialog, IDC_INPUT_STRING);
        EXPECT_NE(::GetWindowLongA(hEdit, GWL_STYLE) & ES_READONLY, 0);
        ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
        ::SendMessageA(hEdit, WM_CHAR, 'x', 0);
        ::SendMessageA(hEdit, WM_CLEAR, 0, 0);
        EXPECT_EQ(WindowText(hEdit), "line\r\n");
    });
}

// The report stretches with the dialog, OK keeps to the lower right corner
// and Cancel stays where it is.
TEST_F(ErrorReaderDlgTest, LayoutFollowsTheDialogsSize)
{
    PutReport(nullptr);
    Run([&](HWND dialog) {
        auto rectOf = [&](int nID) {
            CRect rc;
            ::GetWindowRect(::GetDlgItem(dialog, nID), &rc);
            ::MapWindowPoints(NULL, dialog, (LPPOINT)&rc, 2);
            return rc;
        };
        CRect rcEdit = rectOf(IDC_INPUT_STRING), rcOK = rectOf(IDOK), rcCancel = rectOf(IDCANCEL);
        CRect rcDlg;
        ::GetWindowRect(dialog, &rcDlg);
        ::SetWindowPos(dialog, NULL, 0, 0, rcDlg.Width() + 60, rcDlg.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(rectOf(IDC_INPUT_STRING), CRect(rcEdit.left, rcEdit.top, rcEdit.right + 60, rcEdit.bottom + 40));
        EXPECT_EQ(rectOf(IDOK), rcOK + CPoint(60, 40));
        EXPECT_EQ(rectOf(IDCANCEL), rcCancel);
    });
}

}  // namespace
