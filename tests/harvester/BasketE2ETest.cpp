// The Basket through the main window: ticking and unticking rows of the
// result list by mouse and keyboard, Check All, Unckeck All, Check Custom,
// the Basket box and "Basket.txt" byte for byte with the options on and off,
// the Basket loaded at start, Copy and Save.
#include <algorithm>
#include <deque>
#include "TestFolder.h"
#include "MainWindowDriver.h"
#include "ViewFixture.h"
#include <dlgs.h>

namespace {

std::string Join(const std::deque<std::string>& lines)
{
    std::string s;
    for (const std::string& line : lines)
        s += (s.empty() ? "" : "\r\n") + line;
    return s;
}

// What the Basket holds after a line goes in, by the options: sorted and
// without repeats, or the new line first.
void AddExpected(std::deque<std::string>& lines, const std::string& sLine, bool bOptionsOn)
{
    if (!bOptionsOn) {
        lines.push_front(sLine);
        return;
    }
    if (std::find(lines.begin(), lines.end(), sLine) == lines.end())
        lines.push_back(sLine);
    std::sort(lines.begin(), lines.end());
}

class BasketTest : public ViewTest
{
protected:
    // The rows of one page of "apple", listed.
    std::vector<CStatsRow> HarvestApple(int nRows = 6)
    {
        CStatisticsService::Settings settings = m_service.GetSettings();
        settings.nRowsPerPage = nRows;
        m_service.SetSettings(settings);
        EXPECT_TRUE(Harvest("apple"));
        std::vector<CStatsRow> rows = Rows("apple");
        EXPECT_EQ(RowCount(), (int)rows.size());
        return rows;
    }

    // Replaces the box's text as typing (or pasting) does.
    void TypeIntoBasket(const std::string& s)
    {
        ::SendMessageA(Item(IDC_BASKET), EM_SETSEL, 0, -1);
        ::SendMessageA(Item(IDC_BASKET), EM_REPLACESEL, TRUE, (LPARAM)s.c_str());
    }

    void ExpectBasket(const std::string& sText)
    {
        EXPECT_EQ(BasketBox(), sText);
        EXPECT_EQ(BasketFile(), sText);
    }
};

// The Basket goes into the box once the window stands at its size (a long
// text is laid out again at every change of the box's width); a reader that
// comes before gets it loaded at once.
TEST_F(BasketTest, TheBoxTakesTheBasketAfterTheWindowIsUpAndAnEarlyReaderFindsItLoaded)
{
    WriteFileBytes(m_sBasketPath, "pear 3\r\napple 12");
    m_pFrame = OpenMainWindow(m_pApp);
    ASSERT_NE(m_pFrame, nullptr);
    m_pView = m_pFrame->GetPellucorView();
    ASSERT_NE(m_pView, nullptr);
    EXPECT_EQ(BasketBox(), "") << "the box took the Basket before the window was up";
    PumpAppFor(20);
    EXPECT_EQ(BasketBox(), "pear 3\r\napple 12");

    DestroyWindows();
    m_pFrame = OpenMainWindow(m_pApp);
    ASSERT_NE(m_pFrame, nullptr);
    m_pView = m_pFrame->GetPellucorView();
    EXPECT_EQ(std::string((LPCSTR)m_pView->GetBasketText()), "pear 3\r\napple 12");
    EXPECT_EQ(BasketBox(), "pear 3\r\napple 12");
}

TEST_F(BasketTest, TickingAndUntickingRowsWritesTheBoxAndTheFile)
{
    for (bool bOn : {true, false}) {
        SCOPED_TRACE(bOn ? "sort and dedupe on" : "sort and dedupe off");
        DeleteFileA(m_sBasketPath);
        SetBasketOptions(bOn, bOn);
        CreateWindows();
        std::vector<CStatsRow> rows = HarvestApple();
        EXPECT_EQ(CheckedRows(), std::vector<bool>(6, false));

        std::deque<std::string> expected;
        for (int nRow : {3, 1, 4}) {
            ClickCheckBox(nRow);
            AddExpected(expected, Line(rows[nRow]), bOn);
            ExpectBasket(Join(expected));
        }
        // The space key ticks the focused row.
        SelectRow(5);
        ::SendMessageA(List(), WM_KEYDOWN, VK_SPACE, 0);
        AddExpected(expected, Line(rows[5]), bOn);
        ExpectBasket(Join(expected));
        EXPECT_EQ(CheckedRows(), std::vector<bool>({false, true, false, true, true, true}));

        // Unticking takes the row's line out, every copy of it.
        ClickCheckBox(1);
        expected.erase(std::find(expected.begin(), expected.end(), Line(rows[1])));
        ExpectBasket(Join(expected));
        EXPECT_EQ(CheckedRows(), std::vector<bool>({false, false, false, true, true, true}));
        DestroyWindows();
    }
}

TEST_F(BasketTest, UntickingRemovesHandTypedCopiesAndOnlyWholeLinesTick)
{
    SetBasketOptions(false, false);
    CreateWindows();
    std::vector<CStatsRow> rows = HarvestApple();

    // Typed lines: two copies of row 0's line, row 1's phrase without its
    // count, a line differing from row 2's only in letter case.
    std::string sRow2Upper = Line(rows[2]);
    std::transform(sRow2Upper.begin(), sRow2Upper.end(), sRow2Upper.begin(), ::toupper);
    TypeIntoBasket(Line(rows[0]) + "\r\n" + rows[1].phrase + "\r\n" + Line(rows[0]) + "\r\n" + sRow2Upper);
    ::InvalidateRect(List(), nullptr, TRUE);
    EXPECT_EQ(CheckedRows(), std::vector<bool>({true, false, false, false, false, false}));

    ClickCheckBox(0);
    ExpectBasket(rows[1].phrase + "\r\n" + sRow2Upper);
    EXPECT_EQ(CheckedRows(), std::vector<bool>(6, false));
}

// With sorting on, a line that is the start of another goes before it,
// whichever of the two was ticked first: the order ticking keeps, not only
// the order of a sort of the whole.
TEST_F(BasketTest, ALineThatStartsAnotherSortsFirstWhicheverIsTickedFirst)
{
    SetBasketOptions(true, true);
    const std::vector<CStatsRow> rows = {{"apple", 12}, {"apple", 120}};
    for (const std::vector<int>& order : {std::vector<int>{0, 1}, std::vector<int>{1, 0}}) {
        SCOPED_TRACE(::testing::Message() << "row " << order[0] << " ticked first");
        DeleteFileA(m_sBasketPath);
        CreateWindows();
        m_service.ScriptPage(rows);
        ASSERT_TRUE(Harvest("apple"));
        ASSERT_EQ(RowCount(), 2);
        for (int nRow : order)
            ClickCheckBox(nRow);
        ExpectBasket("apple 12\r\napple 120");
        DestroyWindows();
    }
}

// A row ticked between two pages is still ticked once the list is filled
// again, and the refill adds nothing to the Basket.
TEST_F(BasketTest, TicksSurviveTheRefillAfterEachPage)
{
    SetBasketOptions(false, false);
    CreateWindows();
    ApplySettings(0, 1, 2);
    MakeSecondPageSlow(400);

    SetKeyword("apple");
    Click(IDC_GO);
    ASSERT_TRUE(PumpApp([this] { return RowCount() == 10; }, 10000));
    ClickCheckBox(2);
    const std::string sLine = Line(Rows("apple")[2]);
    ExpectBasket(sLine);
    ASSERT_TRUE(WaitForRunEnd());

    ASSERT_EQ(RowCount(), 20);
    std::vector<bool> ticked(20, false);
    ticked[2] = true;
    EXPECT_EQ(CheckedRows(), ticked);
    ExpectBasket(sLine);
}

TEST_F(BasketTest, CheckAllGivesWhatTickingEachRowGivesAndUnckeckAllTakesThemOut)
{
    for (bool bOn : {true, false}) {
        SCOPED_TRACE(bOn ? "sort and dedupe on" : "sort and dedupe off");
        DeleteFileA(m_sBasketPath);
        SetBasketOptions(bOn, bOn);
        CreateWindows();
        std::vector<CStatsRow> rows = HarvestApple(8);
        TypeIntoBasket("zzz typed 1\r\naaa typed 2");
        ClickCheckBox(5);

        Click(IDC_CHECK_ALL);
        EXPECT_EQ(CheckedRows(), std::vector<bool>(8, true));
        const std::string sAll = BasketBox();
        EXPECT_EQ(BasketFile(), sAll);
        std::deque<std::string> expected = {"zzz typed 1", "aaa typed 2"};
        if (bOn)
            std::sort(expected.begin(), expected.end());
        AddExpected(expected, Line(rows[5]), bOn);
        for (int i = 0; i < 8; i++)
            if (i != 5)
                AddExpected(expected, Line(rows[i]), bOn);
        EXPECT_EQ(sAll, Join(expected));

        Click(IDC_UNCHECK_ALL);
        EXPECT_EQ(CheckedRows(), std::vector<bool>(8, false));
        ExpectBasket(bOn ? "aaa typed 2\r\nzzz typed 1" : "zzz typed 1\r\naaa typed 2");

        // The same Basket, one row at a time.
        ClickCheckBox(5);
        for (int i = 0; i < 8; i++)
            if (i != 5)
                ClickCheckBox(i);
        ExpectBasket(sAll);
        DestroyWindows();
    }
}

TEST_F(BasketTest, CheckCustomTicksTheRowsHoldingAnyOfTheWords)
{
    CreateWindows();
    std::vector<CStatsRow> rows = HarvestApple(10);
    // The last words of two phrases.
    auto lastWord = [](const std::string& s) { return s.substr(s.rfind(' ') + 1); };
    const std::string sWord1 = lastWord(rows[2].phrase);
    const std::string sWord2 = lastWord(rows[7].phrase);

    std::string sCaption;
    m_answerer.Handle([&](HWND dialog, const ShownDialog& shown) {
        sCaption = shown.caption;
        SetDlgItemTextA(dialog, IDC_INPUT_STRING, (sWord1 + "\r\n\r\n" + sWord2 + "\r\n").c_str());
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    Click(IDC_CHECK_CUSTOM);
    EXPECT_EQ(sCaption, "Pleas\xE5 enter a keywords");

    std::vector<bool> ticked;
    std::deque<std::string> expected;
    for (const CStatsRow& row : rows) {
        bool bMatch = row.phrase.find(sWord1) != std::string::npos || row.phrase.find(sWord2) != std::string::npos;
        ticked.push_back(bMatch);
        if (bMatch)
            AddExpected(expected, Line(row), true);
    }
    EXPECT_TRUE(ticked[2] && ticked[7]);
    EXPECT_EQ(CheckedRows(), ticked);
    ExpectBasket(Join(expected));

    // Cancel changes nothing.
    const size_t nShown = m_answerer.Shown().size();
    m_answerer.Handle([](HWND dialog, const ShownDialog&) {
        SetDlgItemTextA(dialog, IDC_INPUT_STRING, "apple");
        CDialogAnswerer::PressButton(dialog, IDCANCEL);
    });
    Click(IDC_CHECK_CUSTOM);
    ASSERT_EQ(m_answerer.Shown().size(), nShown + 1) << "the words were not asked for again";
    EXPECT_EQ(CheckedRows(), ticked);
    ExpectBasket(Join(expected));
}

TEST_F(BasketTest, TheBasketFileIsLoadedAtStartAndHandEditsAreKeptAtTheEnd)
{
    const std::vector<CStatsRow> rows = Rows("apple");
    const std::string sFile = "typed  by\thand\r\n\r\n" + Line(rows[2]) + "\r\n\xE0\xE1\xE2 7";
    WriteFileBytes(m_sBasketPath, sFile);
    CreateWindows();
    EXPECT_EQ(BasketBox(), sFile);
    ASSERT_TRUE(Harvest("apple"));
    std::vector<bool> ticked(10, false);
    ticked[2] = true;
    EXPECT_EQ(CheckedRows(), ticked);
    EXPECT_EQ(BasketFile(), sFile);

    // Closing without a change leaves the file alone; typed text is kept.
    DestroyWindows();
    EXPECT_EQ(BasketFile(), sFile);
    CreateWindows();
    TypeIntoBasket("typed later");
    DestroyWindows();
    EXPECT_EQ(BasketFile(), "typed later");
}

TEST_F(BasketTest, CopyPutsExactlyTheBasketBoxTextOnTheClipboard)
{
    CreateWindows();
    const std::string sText = "  leading\r\n\r\ntab\there  \r\n\xD1\xEB\xEE\xED 12\r\n";
    TypeIntoBasket(sText);
    SetClipboardText("something else");
    Click(IDC_COPY);
    EXPECT_EQ(ClipboardText(), sText);
}

TEST_F(BasketTest, SaveWritesTheBoxToTheChosenFileAndReportsAFailure)
{
    CreateWindows();
    CTestFolder folder;
    const std::string sText = "one 1\r\ntwo 2";
    TypeIntoBasket(sText);
    CString sPath = folder.File("saved.txt");
    std::string sProposed;
    auto choose = [&](HWND dialog, const ShownDialog&) {
        HWND hName = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
        sProposed = WindowText(hName);
        SetWindowTextA(hName, sPath);
        CDialogAnswerer::PressButton(dialog, IDOK);
    };
    m_answerer.Handle(choose);
    Click(IDC_SAVE);
    EXPECT_EQ(sProposed, "Basket");
    EXPECT_EQ(ReadFileBytes(sPath), sText);

    // A file another program holds cannot be written: the reason is shown.
    HANDLE hHeld = CreateFileA(sPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    m_answerer.Clear();
    m_answerer.Handle(choose);
    m_answerer.Handle([](HWND dialog, const ShownDialog&) {   // "replace it?"
        CDialogAnswerer::PressButton(dialog, GetDlgItem(dialog, IDYES) ? IDYES : IDOK);
    });
    Click(IDC_SAVE);
    CloseHandle(hHeld);
    ASSERT_GE(m_answerer.Shown().size(), 2u);
    const ShownDialog& failure = m_answerer.Shown().back();
    EXPECT_EQ(failure.caption, "Can't save Basket");
    EXPECT_FALSE(failure.text.empty());
    EXPECT_EQ(ReadFileBytes(sPath), sText);
}

}  // namespace
