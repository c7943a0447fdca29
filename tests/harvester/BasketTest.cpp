// The Basket's rules: splitting, sorting, de-duplicating, joining, ticking
// and unticking one row or many, membership, Check Custom and "Basket.txt".
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "Basket.h"
#include "TestFolder.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

std::vector<std::string> Lines(const CStringArray& a)
{
    std::vector<std::string> v;
    for (INT_PTR i = 0; i < a.GetSize(); i++)
        v.push_back(Bytes(a[i]));
    return v;
}

void Fill(CStringArray& a, const std::vector<std::string>& v)
{
    a.RemoveAll();
    for (const std::string& s : v)
        a.Add(CString(s.c_str(), (int)s.size()));
}

// The normalisation as a chain of replace-all steps, the plain way.
std::vector<std::string> ReferenceSplit(const CString& sText)
{
    CString s(sText);
    s.Replace('\r', '\n');
    s.Replace('\t', ' ');
    for (int i = 0; i < 5; i++)
        s.Replace("  ", " ");
    for (int i = 0; i < 3; i++)
        s.Replace("\n\n", "\n");
    std::vector<std::string> v;
    int nStart = 0;
    for (;;) {
        int nFeed = s.Find('\n', nStart);
        CString sPiece = nFeed < 0 ? s.Mid(nStart) : s.Mid(nStart, nFeed - nStart);
        if (!sPiece.IsEmpty())
            v.push_back(Bytes(sPiece));
        if (nFeed < 0)
            break;
        nStart = nFeed + 1;
    }
    return v;
}

TEST(BasketSplit, MatchesTheReplaceChain)
{
    const std::string spaces40(40, ' '), spaces70(70, ' '), spaces2000(2000, ' ');
    const std::string cases[] = {
        "",
        "a 7\r\nb 5",
        "a\tb\t\tc",
        "a  b   c    d",
        "x" + spaces40 + "y",
        "x" + spaces70 + "y",
        "x" + spaces2000 + "y",
        "\r\n\r\n\n\n x \r\n\r",
        "  lead\r\ntrail  \r\n   \r\n",
        "a\rb\nc\r\n\r\nd",
        " \t \t ",
        std::string(1500, 'q') + "\r\nlong",
    };
    for (const std::string& c : cases) {
        CStringArray aLines;
        SplitBasketLines(CString(c.c_str()), aLines);
        EXPECT_EQ(Lines(aLines), ReferenceSplit(c.c_str())) << "text: [" << c << "]";
    }
    CStringArray aLines;
    aLines.Add("kept");
    SplitBasketLines("b\t 5\r\n\r\n a 7 ", aLines);
    EXPECT_EQ(Lines(aLines), (std::vector<std::string>{"kept", "b 5", " a 7 "}));
}

TEST(BasketShape, SortDedupeAndJoin)
{
    CStringArray a;
    // Byte order: capitals before small letters, code page 1251 letters after
    // every ASCII byte.
    Fill(a, {"b 5", "яблоко 1", "a 7", "B 2", "b 5", "a 7 ", "z 0", "b 5"});
    CStringArray sorted;
    sorted.Copy(a);
    SortLines(sorted);
    EXPECT_EQ(Lines(sorted),
              (std::vector<std::string>{"B 2", "a 7", "a 7 ", "b 5", "b 5", "b 5", "z 0", "яблоко 1"}));

    CStringArray deduped;
    deduped.Copy(a);
    RemoveDuplicateLines(deduped);
    EXPECT_EQ(Lines(deduped), (std::vector<std::string>{"b 5", "яблоко 1", "a 7", "B 2", "a 7 ", "z 0"}));
    RemoveDuplicateLines(sorted);
    EXPECT_EQ(Lines(sorted), (std::vector<std::string>{"B 2", "a 7", "a 7 ", "b 5", "z 0", "яблоко 1"}));

    EXPECT_EQ(Bytes(JoinBasketLines(sorted)), "B 2\r\na 7\r\na 7 \r\nb 5\r\nz 0\r\nяблоко 1");
    CStringArray empty;
    EXPECT_EQ(Bytes(JoinBasketLines(empty)), "");
    Fill(a, {"only"});
    EXPECT_EQ(Bytes(JoinBasketLines(a)), "only");

    // One new line in front of a sorted Basket lands in its place.
    Fill(a, {"m", "a", "c", "x"});
    SortLines(a);
    EXPECT_EQ(Lines(a), (std::vector<std::string>{"a", "c", "m", "x"}));
}

TEST(BasketShape, CutAtCrLfForExports)
{
    CStringArray a;
    CutBasketText("a 1\r\n\r\nb\n2\r\nc\r3\r\n", a);
    EXPECT_EQ(Lines(a), (std::vector<std::string>{"a 1", "b\n2", "c\r3"}));
    a.RemoveAll();
    CutBasketText("", a);
    EXPECT_EQ(a.GetSize(), 0);
}

const BASKET_OPTIONS bothOn = {true, true}, bothOff = {false, false};

TEST(BasketTicking, AddsAndRemovesLines)
{
    // Ticking rows whose lines are b 5, a 7 and b 5 again.
    CString sBox;
    for (const char* line : {"b 5", "a 7", "b 5"})
        sBox = AddToBasket(sBox, line, bothOn);
    EXPECT_EQ(Bytes(sBox), "a 7\r\nb 5");

    sBox.Empty();
    for (const char* line : {"b 5", "a 7", "b 5"})
        sBox = AddToBasket(sBox, line, bothOff);
    EXPECT_EQ(Bytes(sBox), "b 5\r\na 7\r\nb 5");

    // Unticking removes every equal line, hand-typed copies too; hand edits
    // are normalised at the next change.
    sBox = "b 5\r\n\r\nB 5\tx\r\nb 5\r\nc 1";
    EXPECT_EQ(Bytes(RemoveFromBasket(sBox, "b 5", bothOff)), "B 5 x\r\nc 1");
    EXPECT_EQ(Bytes(RemoveFromBasket(sBox, "b 5", bothOn)), "B 5 x\r\nc 1");
    EXPECT_EQ(Bytes(RemoveFromBasket("b 5", "b 5", bothOn)), "");
}

// Each option alone, and both and neither, against known results: ticks,
// unticks and the reshaping itself.
TEST(BasketTicking, EachOptionAloneAndTogether)
{
    const struct {
        BASKET_OPTIONS options;
        const char* added;     // after ticking b 5, a 7, b 5
        const char* removed;   // "b 5" taken out of "c 1, b 5, a 7, a 7"
        std::vector<std::string> reshaped;   // of b, a, b
    } cases[] = {
        {{true, false}, "a 7\r\nb 5\r\nb 5", "a 7\r\na 7\r\nc 1", {"a", "b", "b"}},
        {{false, true}, "b 5\r\na 7", "c 1\r\na 7", {"b", "a"}},
        {{true, true}, "a 7\r\nb 5", "a 7\r\nc 1", {"a", "b"}},
        {{false, false}, "b 5\r\na 7\r\nb 5", "c 1\r\na 7\r\na 7", {"b", "a", "b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "sort " << c.options.bSort << " dedupe " << c.options.bDedupe);
        CString sBox;
        for (const char* line : {"b 5", "a 7", "b 5"})
            sBox = AddToBasket(sBox, line, c.options);
        EXPECT_EQ(Bytes(sBox), c.added);
        EXPECT_EQ(Bytes(RemoveFromBasket("c 1\r\nb 5\r\na 7\r\na 7", "b 5", c.options)), c.removed);
        CStringArray a;
        Fill(a, {"b", "a", "b"});
        ReshapeBasketLines(a, c.options);
        EXPECT_EQ(Lines(a), c.reshaped);
    }
}

TEST(BasketTicking, MembershipUsesTheRowsBasketLine)
{
    const CString sBox = "apple pie 120\r\nPear 3\r\nplum";
    EXPECT_EQ(Bytes(MakeBasketLine("apple pie", "120")), "apple pie 120");
    EXPECT_TRUE(IsInBasket(sBox, MakeBasketLine("apple pie", "120")));
    EXPECT_FALSE(IsInBasket(sBox, "apple pie"));
    EXPECT_FALSE(IsInBasket(sBox, "pear 3"));

    CBasketLineSet set(sBox);
    EXPECT_TRUE(set.Contains("apple pie", "120"));
    EXPECT_FALSE(set.Contains("apple pie", "12"));
    EXPECT_FALSE(set.Contains("apple pie 120 "));
    EXPECT_TRUE(set.Contains("plum"));
}

TEST(BasketTicking, CheckCustomWords)
{
    CStringArray aWords;
    SplitCustomWords("pie\r\n\r\n Pear\r\n", aWords);
    EXPECT_EQ(Lines(aWords), (std::vector<std::string>{"pie", " Pear"}));
    EXPECT_TRUE(PhraseContainsAnyWord("apple pie", aWords));
    EXPECT_TRUE(PhraseContainsAnyWord("big Pear", aWords));
    EXPECT_FALSE(PhraseContainsAnyWord("Pie pear", aWords));
}

// Many rows at once must leave exactly what one-by-one ticks leave, with
// every option and with lines whose runs of spaces shrink at each change.
TEST(BasketTicking, ManyRowsAtOnceEqualOneByOne)
{
    const std::string spaces40(40, ' '), spaces1100(1100, ' ');
    const std::vector<std::string> pool = {
        "b 5", "a 7", "B 5", "a  b 3", "a b 3", "x" + spaces40 + "y 1", "x  y 1", "x y 1",
        "q" + spaces1100 + "r 2", "q r 2", "t\tu 4", "t u 4", "z 9",
    };
    const std::string boxes[] = {
        "",
        "b 5\r\nz 9",
        "  hand typed \r\n\r\na b 3\r\nx" + spaces40 + "y 1\r\nq" + spaces1100 + "r 2\r\nb 5",
    };
    const BASKET_OPTIONS options[] = {{true, true}, {true, false}, {false, true}, {false, false}};
    unsigned seed = 12345;
    for (int round = 0; round < 60; round++) {
        std::vector<std::string> picks;
        int nPicks = 1 + round % 9;
        for (int i = 0; i < nPicks; i++) {
            seed = seed * 1103515245u + 12345u;
            picks.push_back(pool[(seed >> 16) % pool.size()]);
        }
        CStringArray aPicks;
        Fill(aPicks, picks);
        const std::string& box = boxes[round % 3];
        for (const BASKET_OPTIONS& o : options) {
            CString sOneByOne(box.c_str());
            for (const std::string& p : picks)
                sOneByOne = AddToBasket(sOneByOne, p.c_str(), o);
            EXPECT_EQ(Bytes(AddLinesToBasket(box.c_str(), aPicks, o)), Bytes(sOneByOne))
                << "add, round " << round << " sort " << o.bSort << " dedupe " << o.bDedupe;

            CString sFull = sOneByOne;
            CString sRemoved = sFull;
            for (const std::string& p : picks)
                sRemoved = RemoveFromBasket(sRemoved, p.c_str(), o);
            EXPECT_EQ(Bytes(RemoveLinesFromBasket(sFull, aPicks, o)), Bytes(sRemoved))
                << "remove, round " << round << " sort " << o.bSort << " dedupe " << o.bDedupe;
            CString sFromBox(box.c_str());
            sRemoved = sFromBox;
            for (const std::string& p : picks)
                sRemoved = RemoveFromBasket(sRemoved, p.c_str(), o);
            EXPECT_EQ(Bytes(RemoveLinesFromBasket(sFromBox, aPicks, o)), Bytes(sRemoved))
                << "remove from box, round " << round;
        }
    }
    CStringArray none;
    EXPECT_EQ(Bytes(AddLinesToBasket("a\t1", none, bothOn)), "a\t1");
}

TEST(BasketFile, WritesCrLfWithoutATrailingOneAndReadsItBack)
{
    CTestFolder folder;
    CString sPath = GetBasketFilePath(folder.Path());
    EXPECT_EQ(Bytes(sPath), Bytes(folder.Path()) + "\\Basket.txt");
    EXPECT_EQ(Bytes(GetBasketFilePath(folder.Path() + "\\")), Bytes(sPath));

    CString sText;
    EXPECT_FALSE(LoadBasketFile(sPath, sText));
    EXPECT_TRUE(sText.IsEmpty());

    CString sBox = AddToBasket(AddToBasket("", "b 5", bothOn), "яблоко 2", bothOn);
    CString sError;
    ASSERT_TRUE(SaveBasketFile(sPath, sBox, &sError)) << (LPCSTR)sError;
    EXPECT_EQ(ReadFileBytes(sPath), "b 5\r\nяблоко 2");
    EXPECT_FALSE(TestPathExists(sPath + ".tmp"));
    ASSERT_TRUE(LoadBasketFile(sPath, sText));
    EXPECT_EQ(Bytes(sText), Bytes(sBox));

    // An empty Basket gives an empty file.
    ASSERT_TRUE(SaveBasketFile(sPath, "", &sError));
    EXPECT_EQ(ReadFileBytes(sPath), "");
}

TEST(BasketFile, FailedWriteLeavesTheOldFileWhole)
{
    CTestFolder folder;
    CString sPath = GetBasketFilePath(folder.Path());
    ASSERT_TRUE(SaveBasketFile(sPath, "old 1\r\nold 2"));

    // The temporary file cannot be created.
    ASSERT_TRUE(CreateDirectoryA(sPath + ".tmp", NULL));
    CString sError;
    EXPECT_FALSE(SaveBasketFile(sPath, "new 1", &sError));
    EXPECT_EQ(Bytes(sError), "Can't open file " + Bytes(sPath) + ".tmp");
    EXPECT_EQ(ReadFileBytes(sPath), "old 1\r\nold 2");
    RemoveDirectoryA(sPath + ".tmp");

    // The old file cannot be replaced while another handle holds it.
    HANDLE h = CreateFileA(sPath, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    sError.Empty();
    EXPECT_FALSE(SaveBasketFile(sPath, "new 1", &sError));
    CloseHandle(h);
    EXPECT_FALSE(sError.IsEmpty());
    EXPECT_EQ(ReadFileBytes(sPath), "old 1\r\nold 2");
    EXPECT_FALSE(TestPathExists(sPath + ".tmp"));
}

}  // namespace
