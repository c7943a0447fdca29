// The tip of the day reading a "tips.txt" fixture in a folder made the current
// directory: tips in order with notes skipped, the first tip after the last,
// the place kept in "Tip"/"FilePos" across openings, a start from the first
// tip when the file's time stamp changes, a bounded read of a file without
// tips, and the dialog itself run modally ("StartUp" written inverted).
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "ModalScript.h"
#include "ProfileKeys.h"
#include "TestFolder.h"
#include "TipDlg.h"
#include "framework_res.h"
#include "testsupport.h"

namespace {

// The test main's application object keeps its profile here; the dialog's
// placement is kept too, and would carry a size changed by one test over to
// the next run.
const char kTipKey[] = "Software\\Pellucor Test\\PellucorTests\\Tip";
const char kPlacementKey[] = "Software\\Pellucor Test\\PellucorTests\\WindowPositions\\ID=0x000000ca";

// Notes, an empty line, an indented line and a comment are no tips; the last
// tip has no line end.
std::string Fixture(const char* eol)
{
    std::string s;
    for (const char* line : {"; tips of the day", "First tip", "", "  an indented note", "\tanother note",
                             "Second tip", "; a comment"})
        s += std::string(line) + eol;
    return s + "Third tip";
}

class TipOfTheDayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTipKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kPlacementKey);
        char szCurrent[MAX_PATH];
        ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
        m_strPrevious = szCurrent;
        ASSERT_TRUE(::SetCurrentDirectoryA(m_folder.Path()));
    }
    void TearDown() override
    {
        ::SetCurrentDirectoryA(m_strPrevious);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTipKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kPlacementKey);
    }

    // Writes "tips.txt" and gives it a time stamp of its own (the stamp is
    // kept to the second, so a rewrite alone may keep the old one).
    void WriteTips(const std::string& content, WORD wDay = 1)
    {
        WriteFileBytes(m_folder.File("tips.txt"), content);
        SYSTEMTIME st = {2024, 3, 0, wDay, 10, 0, 0, 0};
        FILETIME ft;
        ::SystemTimeToFileTime(&st, &ft);
        HANDLE h = ::CreateFileA(m_folder.File("tips.txt"), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, NULL,
                                 OPEN_EXISTING, 0, NULL);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ::SetFileTime(h, &ft, &ft, &ft);
        ::CloseHandle(h);
    }
    int Profile(const PROFILE_INT_KEY& key, int nMissing = -99)
    {
        return (int)AfxGetApp()->GetProfileInt(key.pszSection, key.pszEntry, nMissing);
    }

    CTestFolder m_folder;
    CString m_strPrevious;
};

TEST_F(TipOfTheDayTest, ShowsTipsInOrderAndTheFirstAfterTheLast)
{
    for (const char* eol : {"\r\n", "\n"}) {
        SCOPED_TRACE(eol[0] == '\r' ? "CR LF" : "LF");
        RegDeleteTreeA(HKEY_CURRENT_USER, kTipKey);
        WriteTips(Fixture(eol));
        CTipDlg dlg;
        ASSERT_TRUE(dlg.HasTips());
        // Line ends of either kind come out as one line feed.
        EXPECT_EQ(dlg.m_strTip, "First tip\n");
        std::vector<std::string> next;
        for (int i = 0; i < 4; i++) {
            CString strTip;
            dlg.GetNextTipString(strTip);
            next.push_back((LPCSTR)strTip);
        }
        EXPECT_EQ(next, (std::vector<std::string>{"Second tip\n", "Third tip", "First tip\n", "Second tip\n"}));
    }
}

// Closing keeps the offset after the last tip shown; the next opening goes on
// from there, with either kind of line end (a text-mode offset would be off
// by one byte per line on a file of bare line feeds).
TEST_F(TipOfTheDayTest, GoesOnWhereTheLastOpeningStopped)
{
    for (const char* eol : {"\r\n", "\n"}) {
        SCOPED_TRACE(eol[0] == '\r' ? "CR LF" : "LF");
        RegDeleteTreeA(HKEY_CURRENT_USER, kTipKey);
        std::string content = Fixture(eol);
        WriteTips(content);
        {
            CTipDlg dlg;
            CString strTip;
            dlg.GetNextTipString(strTip);
            EXPECT_EQ(strTip, "Second tip\n");
        }
        EXPECT_EQ(Profile(profileTipFilePos), (int)content.find("; a comment"));
        CString strStamp = AfxGetApp()->GetProfileString("Tip", "TimeStamp", "");
        EXPECT_FALSE(strStamp.IsEmpty());
        {
            CTipDlg dlg;
            EXPECT_EQ(dlg.m_strTip, "Third tip");
        }
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_strTip, "First tip\n") << "after the last tip comes the first";
    }
}

TEST_F(TipOfTheDayTest, StartsAtTheFirstTipOfAFileWithANewTimeStamp)
{
    WriteTips(Fixture("\r\n"), 1);
    {
        CTipDlg dlg;
        CString strTip;
        dlg.GetNextTipString(strTip);
    }
    CString strOldStamp = AfxGetApp()->GetProfileString("Tip", "TimeStamp", "");
    ASSERT_GT(Profile(profileTipFilePos), 0);

    // The same tips again, so the kept offset would land on a later tip.
    WriteTips("New first\r\n" + Fixture("\r\n"), 2);
    CTipDlg dlg;
    EXPECT_EQ(dlg.m_strTip, "New first\n");
    EXPECT_NE(AfxGetApp()->GetProfileString("Tip", "TimeStamp", ""), strOldStamp);
}

// A file with no tip line at all ends the read after one whole pass.
TEST_F(TipOfTheDayTest, FileWithoutTipsDoesNotLoop)
{
    for (const char* content : {"", "; only a comment\r\n", "\r\n\r\n  indented\r\n\tnote\r\n", ";"}) {
        SCOPED_TRACE(content);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTipKey);
        WriteTips(content);
        CTipDlg dlg;
        EXPECT_TRUE(dlg.HasTipsFile());
        EXPECT_FALSE(dlg.HasTips());
        EXPECT_EQ(dlg.m_strTip, "The tips file holds no tips");
        CString strTip;
        dlg.GetNextTipString(strTip);
        EXPECT_EQ(strTip, "The tips file holds no tips");
    }
}

TEST_F(TipOfTheDayTest, OffsetThatCannotBeSoughtWarns)
{
    WriteTips(Fixture("\r\n"));
    { CTipDlg first; }   // keeps the file's time stamp
    AfxGetApp()->WriteProfileInt("Tip", "FilePos", -40);
    CDialogAnswerer answerer;
    CTipDlg dlg;
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Warning");
    EXPECT_EQ(answerer.Shown()[0].text, "Trouble reading the tips file");
}

struct ModalCase {
    const char* name;
    bool withFile;
    int startUpBefore;      // "Tip"/"StartUp" before opening
    bool clickCheckBox;     // the user flips the box
    int startUpAfter;
};

// The dialog run modally and used as a user would: the check box shows the
// inverse of "StartUp", Next shows the next tip, Close writes the box back
// inverted. Without a tips file the text says so and Next is disabled.
TEST_F(TipOfTheDayTest, DialogShowsTipsAndWritesStartUpInvertedOnClose)
{
    const ModalCase cases[] = {
        {"untick", true, 0, true, 1},
        {"leave ticked", true, 0, false, 0},
        {"tick again", true, 1, true, 0},
        {"no file", false, 0, false, 0},
    };
    for (const ModalCase& c : cases) {
        SCOPED_TRACE(c.name);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTipKey);
        ::DeleteFileA(m_folder.File("tips.txt"));
        if (c.withFile)
            WriteTips(Fixture("\r\n"));
        AfxGetApp()->WriteProfileInt("Tip", "StartUp", c.startUpBefore);

        std::string caption, firstTip, nextTip;
        int checkedAtStart = -1;
        BOOL nextEnabled = FALSE;
        CTipDlg dlg;
        EXPECT_EQ(CModalScript::Run(dlg, {
                      [&] {
                          HWND hDlg = dlg.m_hWnd;
                          caption = WindowText(hDlg);
                          firstTip = WindowText(::GetDlgItem(hDlg, IDC_TIP_TEXT));
                          checkedAtStart = (int)::SendDlgItemMessageA(hDlg, IDC_TIP_STARTUP, BM_GETCHECK, 0, 0);
                          nextEnabled = ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_TIP_NEXT));
                          if (c.clickCheckBox)
                              ::SendDlgItemMessageA(hDlg, IDC_TIP_STARTUP, BM_CLICK, 0, 0);
                          if (nextEnabled)
                              CDialogAnswerer::PressButton(hDlg, IDC_TIP_NEXT);
                      },
                      [&] {
                          nextTip = WindowText(::GetDlgItem(dlg.m_hWnd, IDC_TIP_TEXT));
                          CDialogAnswerer::PressButton(dlg.m_hWnd, IDCANCEL);
                      },
                  }),
                  IDCANCEL);
        EXPECT_EQ(caption, "Tip of the Day");
        EXPECT_EQ(checkedAtStart, c.startUpBefore ? BST_UNCHECKED : BST_CHECKED);
        EXPECT_EQ(Profile(profileTipStartUp), c.startUpAfter);
        if (c.withFile) {
            EXPECT_TRUE(nextEnabled);
            EXPECT_EQ(firstTip, "First tip\n");
            EXPECT_EQ(nextTip, "Second tip\n");
        } else {
            EXPECT_FALSE(nextEnabled);
            EXPECT_EQ(firstTip, "Tips file does not exist in the prescribed directory");
            EXPECT_EQ(Profile(profileTipFilePos), -99) << "no file, no offset";
        }
    }
}

// The header area and the rows of the frame stretch with the dialog; the
// check box keeps its left edge and follows the bottom; the buttons follow
// the lower right corner.
TEST_F(TipOfTheDayTest, DialogLayoutFollowsItsSize)
{
    WriteTips(Fixture("\r\n"));
    CRect before[4], after[4];
    const int ids[4] = {IDC_TIP_FRAME, IDC_TIP_STARTUP, IDC_TIP_NEXT, IDCANCEL};
    HWND hOuter = NULL;
    CRect outerBefore, outerAfter;
    CTipDlg dlg;
    CModalScript::Run(dlg, {
        [&] {
            HWND hDlg = dlg.m_hWnd;
            for (int i = 0; i < 4; i++)
                ::GetWindowRect(::GetDlgItem(hDlg, ids[i]), before[i]);
            hOuter = ::GetDlgItem(hDlg, 65535);
            ::GetWindowRect(hOuter, outerBefore);
            CRect rc;
            ::GetWindowRect(hDlg, rc);
            ::SetWindowPos(hDlg, NULL, 0, 0, rc.Width() + 60, rc.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
        },
        [&] {
            for (int i = 0; i < 4; i++)
                ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, ids[i]), after[i]);
            ::GetWindowRect(hOuter, outerAfter);
            CDialogAnswerer::PressButton(dlg.m_hWnd, IDCANCEL);
        },
    });
    ASSERT_NE(hOuter, (HWND)NULL) << "the unnamed frame is found by its id";
    EXPECT_EQ(outerAfter.Size(), outerBefore.Size() + CSize(60, 40));
    EXPECT_EQ(after[0].Size(), before[0].Size() + CSize(60, 40));      // header area
    EXPECT_EQ(after[1].TopLeft(), before[1].TopLeft() + CPoint(0, 40));  // check box
    EXPECT_EQ(after[1].Size(), before[1].Size());
    for (int i = 2; i < 4; i++) {
        EXPECT_EQ(after[i].TopLeft(), before[i].TopLeft() + CPoint(60, 40)) << ids[i];
        EXPECT_EQ(after[i].Size(), before[i].Size()) << ids[i];
    }
}

}  // namespace
