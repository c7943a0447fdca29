// The statistics-page parser and the level walker, over code page 1251 pages
// built here with the service's markers.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include "Formula.h"
#include "SuggestionPage.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

// One table row as the service writes it.
std::string Row(const std::string& phrase, const std::string& queries)
{
    return "<tr><td align=left><a href=\"?&q=x\">" + phrase + "</a></td><td align=right>" + queries +
           "</td></tr>\n";
}

// A page: the header cell, the rows, and the link to page nNext of the seed
// (the keyword as the service puts it: lower-cased and encoded) when nNext > 0.
std::string Page(const std::string& rows, const char* pszLinkSeed = nullptr, int nNext = 0)
{
    std::string page = "<html><body><table><tr><td align=left>Слова</td><td>Показов</td></tr>\n" + rows +
                       "</table>\n";
    if (pszLinkSeed && nNext > 0)
        page += "&nbsp;<a class=scroll href=\"?&q=" + Bytes(CFormula::StatsKeyword(pszLinkSeed)) +
                "&sf=" + std::to_string(nNext) + "00\">далее</a>\n";
    return page + "</body></html>";
}

std::vector<std::string> Phrases(const CHarvestRun& run)
{
    std::vector<std::string> v;
    for (INT_PTR i = 0; i < run.m_aPhrases.GetSize(); i++)
        v.push_back(Bytes(run.m_aPhrases[i]) + "|" + Bytes(run.m_aQueries[i]));
    return v;
}

void Start(CHarvestRun& run, const char* pszSeed, int nPages = 1, short nMode = 0, int nLevels = 1)
{
    run.m_nPagesLimit = nPages;
    run.m_nDigMode = nMode;
    run.m_nLevelsLimit = nLevels;
    EXPECT_TRUE(run.BeginRun(pszSeed));
}

TEST(SuggestionPage, HeaderCellIsTheCp1251Word)
{
    EXPECT_EQ(Bytes(szStatsHeaderCell), "<td align=left>\xD1\xEB\xEE\xE2\xE0</td>");
}

TEST(SuggestionPage, OnePageCompletesTheRun)
{
    CHarvestRun run;
    Start(run, "apple");
    CHarvestStep step = ParseSuggestionPage(run, Page(Row("apple pie", "120") + Row("яблоко apple", "7")).c_str());
    EXPECT_EQ(Phrases(run), (std::vector<std::string>{"apple pie|120", "яблоко apple|7"}));
    EXPECT_EQ(step.nRowsAdded, 2);
    EXPECT_EQ(step.nAction, harvestCompleted);
    EXPECT_TRUE(step.EndsRun());
    EXPECT_FALSE(run.m_bRunning);
    EXPECT_EQ(step.nRunProgress, 100);
    EXPECT_EQ(Bytes(step.sMessage), "completed");
    EXPECT_EQ(Bytes(step.sCaption), "MESSAGE");
    EXPECT_EQ(step.nMessageType, (UINT)(MB_ICONINFORMATION | MB_TASKMODAL));
}

TEST(SuggestionPage, RowRules)
{
    struct {
        const char* name;
        std::string rows;
        std::vector<std::string> phrases;
    } cases[] = {
        {"bracket skipped", Row("a [b]", "1") + Row("c", "2"), {"c|2"}},
        {"bracket first", Row("[a] b", "1") + Row("c", "2"), {"c|2"}},
        {"bracket last", Row("a b[", "1") + Row("c", "2"), {"c|2"}},
        {"closing bracket kept", Row("a] b", "1"), {"a] b|1"}},
        // What a damaged page can hold: markup or a line break in a phrase,
        // text in a count. Such rows are no phrase with its number.
        {"markup in phrase", Row("a<b>c", "1") + Row("d", "2"), {"d|2"}},
        {"line break in phrase", Row("a\nb", "1") + Row("d", "2"), {"d|2"}},
        {"count with a letter", Row("a", "12x") + Row("d", "2"), {"d|2"}},
        {"count with a space", Row("a", "1 200") + Row("d", "2"), {"d|2"}},
        {"count zero", Row("a", "0"), {"a|0"}},
        {"quot replaced", Row("&quot;a&quot; b", "3"), {"\"a\" b|3"}},
        // An empty link ends at its own "</a>" and adds nothing; the next row
        // is read as it stands.
        {"empty link", Row("", "9") + Row("d", "4"), {"d|4"}},
        {"only row without right cell",
         "<tr><td align=left><a href=\"?&q=x\">e</a></td></tr>\n", {}},
        {"no rows", "", {}},
    };
    for (auto& c : cases) {
        CHarvestRun run;
    Start(run, "a");
        CHarvestStep step = ParseSuggestionPage(run, Page(c.rows).c_str());
        EXPECT_EQ(Phrases(run), c.phrases) << c.name;
        EXPECT_EQ(step.nAction, harvestCompleted) << c.name;
        EXPECT_EQ(run.m_nPage, 1) << c.name;
    }
}

TEST(SuggestionPage, PageWithoutTheTableEndsTheRun)
{
    CHarvestRun run;
    Start(run, "a", 3);
    CHarvestStep step = ParseSuggestionPage(run, "<html>Service unavailable " + CString(Row("x", "1").c_str()));
    EXPECT_EQ(step.nAction, harvestNoTable);
    EXPECT_TRUE(step.EndsRun());
    EXPECT_FALSE(run.m_bRunning);
    EXPECT_EQ(run.m_nPage, 0);
    EXPECT_TRUE(step.sMessage.IsEmpty());
    EXPECT_EQ(run.m_aPhrases.GetSize(), 0);

    // A page for a run that has ended changes nothing.
    step = ParseSuggestionPage(run, Page(Row("late", "1")).c_str());
    EXPECT_EQ(step.nAction, harvestNothing);
    EXPECT_EQ(run.m_aPhrases.GetSize(), 0);
}

// After some phrases were found, a page without the table ends the run with a
// message saying why, and the run progress shows the run over.
TEST(SuggestionPage, PageWithoutTheTableAfterPhrasesSaysWhyTheRunEnded)
{
    CHarvestRun run;
    Start(run, "a", 3);
    CHarvestStep step = ParseSuggestionPage(run, Page(Row("a b", "5"), "a", 1).c_str());
    ASSERT_EQ(step.nAction, harvestFetchNextPage);
    step = ParseSuggestionPage(run, "<html>Service unavailable</html>");
    EXPECT_EQ(step.nAction, harvestNoTable);
    EXPECT_FALSE(run.m_bRunning);
    EXPECT_STREQ((LPCSTR)step.sMessage, szNoTableMessage);
    EXPECT_STREQ((LPCSTR)step.sCaption, "MESSAGE");
    EXPECT_EQ(step.nMessageType, (UINT)(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(step.nRunProgress, 100);
    EXPECT_EQ(run.m_aPhrases.GetSize(), 1);
}

TEST(SuggestionPage, ThreePagesWithLinksThenCompleted)
{
    // The seed is typed with capitals: the links carry the lower-cased
    // keyword the request used, and are still found.
    CHarvestRun run;
    Start(run, "Big Apple", 3);
    EXPECT_EQ(Bytes(run.GetPageText()), "");
    EXPECT_EQ(Bytes(NextPageLink("Big Apple", 1)), "&nbsp;<a class=scroll href=\"?&q=big+apple&sf=100");

    CHarvestStep step = ParseSuggestionPage(run, Page(Row("p1", "1"), "big apple", 1).c_str());
    EXPECT_EQ(step.nAction, harvestFetchNextPage);
    EXPECT_EQ(step.nRunProgress, 33);
    EXPECT_EQ(Bytes(run.GetPageText()), "1");

    step = ParseSuggestionPage(run, Page(Row("p2", "2"), "big apple", 2).c_str());
    EXPECT_EQ(step.nAction, harvestFetchNextPage);
    EXPECT_EQ(step.nRunProgress, 66);
    EXPECT_EQ(Bytes(run.GetPageText()), "2");

    // The third page links on, but the pages limit is reached.
    step = ParseSuggestionPage(run, Page(Row("p3", "3"), "big apple", 3).c_str());
    EXPECT_EQ(step.nAction, harvestCompleted);
    EXPECT_EQ(step.nRunProgress, 100);
    EXPECT_EQ(Phrases(run), (std::vector<std::string>{"p1|1", "p2|2", "p3|3"}));
}

TEST(SuggestionPage, LinkOfAnotherPageOrSeedIsNoContinuation)
{
    CHarvestRun run;
    Start(run, "pear", 5);
    EXPECT_EQ(ParseSuggestionPage(run, Page(Row("x", "1"), "pear", 2).c_str()).nAction, harvestCompleted);
    Start(run, "pear", 5);
    EXPECT_EQ(ParseSuggestionPage(run, Page(Row("x", "1"), "pearl", 1).c_str()).nAction, harvestCompleted);
    // A pages limit of 1 never looks on.
    Start(run, "pear", 1);
    EXPECT_EQ(ParseSuggestionPage(run, Page(Row("x", "1"), "pear", 1).c_str()).nAction, harvestCompleted);
    // Limits below 1 count as 1 instead of dividing by zero.
    Start(run, "pear", 0);
    EXPECT_EQ(ParseSuggestionPage(run, Page(Row("x", "1"), "pear", 1).c_str()).nAction, harvestCompleted);
}

TEST(SuggestionPage, FailedFetchEndsTheRun)
{
    CHarvestRun run;
    Start(run, "a", 3);
    CHarvestStep step = TakeFetchedPage(run, szNotParsedPage);
    EXPECT_EQ(step.nAction, harvestFetchFailed);
    EXPECT_TRUE(step.EndsRun());
    EXPECT_FALSE(run.m_bRunning);
    EXPECT_EQ(Bytes(step.sMessage), "Connection with Brenvik not stable !");
    EXPECT_EQ(step.nMessageType, (UINT)MB_OK);
    EXPECT_EQ(TakeFetchedPage(run, szNotParsedPage).nAction, harvestNothing);

    Start(run, "a");
    EXPECT_EQ(TakeFetchedPage(run, Page(Row("x", "1")).c_str()).nAction, harvestCompleted);
}

TEST(SuggestionPage, StopIsTakenOnAPageWithTheTable)
{
    CHarvestRun run;
    Start(run, "a", 3);
    run.m_bStopRequested = true;
    CHarvestStep step = ParseSuggestionPage(run, Page(Row("x", "1"), "a", 1).c_str());
    EXPECT_EQ(step.nAction, harvestStopped);
    EXPECT_EQ(Bytes(step.sMessage), "process stoped");
    EXPECT_EQ(Bytes(step.sCaption), "MESSAGE");
    EXPECT_EQ(step.nMessageType, (UINT)MB_ICONEXCLAMATION);
    EXPECT_FALSE(run.m_bRunning);
    EXPECT_EQ(run.m_aPhrases.GetSize(), 0);
}

TEST(SuggestionPage, DuplicatesListedInModeZeroOnlyOnceInModeOne)
{
    for (short nMode : {0, 1}) {
        CHarvestRun run;
    Start(run, "a", 2, nMode, 1);
        ParseSuggestionPage(run, Page(Row("dup", "1") + Row("one", "2") + Row("dup", "3"), "a", 1).c_str());
        ParseSuggestionPage(run, Page(Row("dup", "4") + Row("Dup", "5")).c_str());
        std::vector<std::string> expected =
            nMode == 0 ? std::vector<std::string>{"dup|1", "one|2", "dup|3", "dup|4", "Dup|5"}
                       : std::vector<std::string>{"dup|1", "one|2", "Dup|5"};
        EXPECT_EQ(Phrases(run), expected) << "mode " << nMode;
    }
}

TEST(SuggestionPage, BeginRunRefusesAnEmptySeedAndResets)
{
    CHarvestRun run;
    Start(run, "a", 2, 1, 2);
    ParseSuggestionPage(run, Page(Row("x", "1"), "a", 1).c_str());
    UINT nFirstRun = run.m_nRunId;
    run.m_bStopRequested = true;
    EXPECT_FALSE(run.BeginRun(""));
    EXPECT_EQ(run.m_nRunId, nFirstRun);
    EXPECT_EQ(run.m_aPhrases.GetSize(), 1);

    EXPECT_TRUE(run.BeginRun("b"));
    EXPECT_NE(run.m_nRunId, nFirstRun);
    EXPECT_EQ(run.m_aPhrases.GetSize(), 0);
    EXPECT_FALSE(run.HasPhrase("x"));
    EXPECT_TRUE(run.m_bRunning && run.m_bFirstLevel && !run.m_bStopRequested);
    EXPECT_EQ(run.m_nPage + run.m_nSeedIndex + run.m_nLevel, 0);
    EXPECT_EQ(Bytes(run.m_sKeyword), "b");
}

// Drives a dig-by-all run the way the view does, against pages per seed, and
// records the seeds fetched and the level progress shown.
struct DigTrace {
    std::vector<std::string> seeds;
    std::vector<int> progress;
    CHarvestStep last;
};

DigTrace Dig(int nLevels, const std::map<std::string, std::string>& pages)
{
    DigTrace trace;
    CHarvestRun run;
    Start(run, "a", 1, 1, nLevels);
    for (int guard = 0; guard < 100 && run.m_bRunning; guard++) {
        trace.seeds.push_back(Bytes(run.m_sKeyword));
        auto it = pages.find(Bytes(run.m_sKeyword));
        CHarvestStep step = ParseSuggestionPage(run, Page(it == pages.end() ? "" : it->second).c_str());
        trace.progress.push_back(step.nRunProgress);
        trace.last = step;
        if (step.nAction != harvestFetchNextSeed && step.nAction != harvestFetchNextPage)
            break;
    }
    return trace;
}

TEST(LevelWalker, DigsTwoLevels)
{
    const std::map<std::string, std::string> pages = {
        {"a", Row("a1", "1") + Row("a2", "2")},
        {"a1", Row("a1x", "3") + Row("a2", "9")},   // a2 is listed already
        {"a2", Row("a2x", "4")},
        {"a1x", Row("a1xz", "5")},
        {"a2x", ""},
    };
    DigTrace trace = Dig(2, pages);
    EXPECT_EQ(trace.seeds, (std::vector<std::string>{"a", "a1", "a2", "a1x", "a2x"}));
    EXPECT_EQ(trace.progress, (std::vector<int>{0, 0, 0, 50, 100}));
    EXPECT_EQ(trace.last.nAction, harvestCompleted);
    EXPECT_EQ(Bytes(trace.last.sMessage), "completed");
    EXPECT_EQ(trace.last.nMessageType, (UINT)(MB_ICONEXCLAMATION | MB_TASKMODAL));

    // One level digs only the seed's own phrases.
    trace = Dig(1, pages);
    EXPECT_EQ(trace.seeds, (std::vector<std::string>{"a", "a1", "a2"}));
    // A levels limit of 0 is taken as 1 instead of dividing by zero.
    EXPECT_EQ(Dig(0, pages).seeds, trace.seeds);
    // Negative limits end too.
    EXPECT_EQ(Dig(-2, pages).seeds, trace.seeds);
}

TEST(LevelWalker, EndsWhenNoPhraseIsLeft)
{
    DigTrace trace = Dig(5, {{"a", Row("b", "1")}});
    EXPECT_EQ(trace.seeds, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(trace.last.nAction, harvestCompleted);
}

}  // namespace
