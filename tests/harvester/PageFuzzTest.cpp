// A bounded fuzz run of the page parser and the level walker: tens of
// thousands of random pages and of real pages of the statistics service
// damaged at random go through the parser, alone and as whole dig-by-all
// runs. Nothing may fault, every run must move on or end, and every row that
// comes out must be a phrase with its number. The seed is fixed: a failure
// names the case that reproduces it.
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "StatisticsService.h"
#include "SuggestionPage.h"

namespace {

const unsigned kSeed = 20261210;

// Pieces the parser looks for, and some that only resemble them.
const char* const kTokens[] = {
    "<td align=left>Слова</td>", "<td align=left><a", "<td align=left><a href=\"?&q=x&sf=\">", "\">", "</a>",
    "</a></td>", "<td align=right>", "</td>", "</tr>\n<tr>", "&quot;", "[", "]", "&nbsp;<a class=scroll href=\"?&q=",
    "&sf=", "00\">", "100", "7", "0", "apple", "дрель", " ", "\r\n", "<", ">", "\"", "%D0", "&", "\0",
};

class CFuzzer
{
public:
    CFuzzer() : m_random(kSeed), m_service(SmallPages())
    {
        for (const char* pszKeyword : {"apple", "дрель", "red apple pie", "x"})
            for (int nOffset : {0, 100, 200})
                m_pages.push_back(m_service.BuildPage(pszKeyword, nOffset));
    }

    // Few rows a page, so that a dig by all keywords stays a few hundred pages.
    static CStatisticsService::Settings SmallPages()
    {
        CStatisticsService::Settings settings;
        settings.nRowsPerPage = 4;
        settings.nPagesPerSeed = 3;
        return settings;
    }

    // The service's own page for the page the run asks for next.
    std::string PageFor(const CHarvestRun& run)
    {
        return m_service.BuildPage(std::string((LPCSTR)run.m_sKeyword), run.m_nPage * 100);
    }

    int Below(int n) { return (int)(m_random() % (unsigned)n); }

    std::string Token() { return kTokens[Below((int)(sizeof kTokens / sizeof kTokens[0]))]; }

    // Random bytes and parser pieces in any order.
    std::string RandomPage()
    {
        std::string sPage;
        int nParts = Below(400);
        for (int i = 0; i < nParts; i++) {
            if (Below(3) == 0)
                sPage += (char)Below(256);
            else
                sPage += Token();
        }
        return sPage;
    }

    // A real page with a few random changes.
    std::string DamagedPage()
    {
        std::string sPage = m_pages[Below((int)m_pages.size())];
        int nChanges = 1 + Below(8);
        for (int i = 0; i < nChanges && !sPage.empty(); i++) {
            size_t nAt = (size_t)Below((int)sPage.size());
            size_t nLength = 1 + (size_t)Below(64);
            switch (Below(6)) {
            case 0:
                sPage[nAt] = (char)Below(256);
                break;
            case 1:
                sPage.erase(nAt, nLength);
                break;
            case 2:
                sPage.insert(nAt, sPage.substr(nAt, nLength));
                break;
            case 3:
                sPage.insert(nAt, Token());
                break;
            case 4:
                sPage.resize(nAt);
                break;
            default: {
                size_t nOther = (size_t)Below((int)sPage.size());
                std::string sCut = sPage.substr(nAt, nLength);
                sPage.erase(nAt, nLength);
                sPage.insert(std::min(nOther, sPage.size()), sCut);
            }
            }
        }
        return sPage;
    }

    std::string AnyPage() { return Below(3) == 0 ? RandomPage() : DamagedPage(); }

private:
    std::mt19937 m_random;
    CStatisticsService m_service;
    std::vector<std::string> m_pages;
};

// The page as the fetch hands it over: text up to its first zero byte.
CString AsFetched(const std::string& sPage)
{
    return CString(sPage.c_str());
}

bool IsNumber(const CString& s)
{
    if (s.IsEmpty())
        return false;
    for (int i = 0; i < s.GetLength(); i++)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return true;
}

// Every row added since nFrom is a phrase and a number.
::testing::AssertionResult RowsAreSound(const CHarvestRun& run, INT_PTR nFrom)
{
    if (run.m_aPhrases.GetSize() != run.m_aQueries.GetSize())
        return ::testing::AssertionFailure() << "phrases and counts differ in number";
    for (INT_PTR i = nFrom; i < run.m_aPhrases.GetSize(); i++) {
        const CString& sPhrase = run.m_aPhrases[i];
        if (sPhrase.IsEmpty() || sPhrase.Find('[') >= 0 || sPhrase.FindOneOf("<>\r\n") >= 0)
            return ::testing::AssertionFailure() << "row " << i << " phrase \"" << (LPCSTR)sPhrase << "\"";
        if (!IsNumber(run.m_aQueries[i]))
            return ::testing::AssertionFailure() << "row " << i << " count \"" << (LPCSTR)run.m_aQueries[i] << "\"";
    }
    return ::testing::AssertionSuccess();
}

void StartRun(CFuzzer& fuzzer, CHarvestRun& run)
{
    run.m_nDigMode = (short)fuzzer.Below(2);
    run.m_nPagesLimit = 1 + fuzzer.Below(4);
    run.m_nLevelsLimit = 1 + fuzzer.Below(3);
    ASSERT_TRUE(run.BeginRun(fuzzer.Below(2) ? "apple" : "дрель"));
}

TEST(PageFuzz, SinglePagesYieldOnlyPhrasesWithTheirNumbers)
{
    CFuzzer fuzzer;
    const int nPages = 30000;
    for (int n = 0; n < nPages; n++) {
        CHarvestRun run;
        StartRun(fuzzer, run);
        std::string sPage = fuzzer.AnyPage();
        CHarvestStep step = TakeFetchedPage(run, AsFetched(sPage));
        ASSERT_TRUE(RowsAreSound(run, 0)) << "page " << n << " of seed " << kSeed;
        ASSERT_GE(step.nRowsAdded, 0);
        ASSERT_LE(step.nRunProgress, 100) << "page " << n;
        if (step.EndsRun()) {
            ASSERT_FALSE(run.m_bRunning) << "page " << n;
        }
    }
}

// Whole runs, a third of their pages damaged: each step either ends the run, moves to the
// next page of the seed (never past the pages limit) or to a later seed, so a
// run always comes to its end.
TEST(PageFuzz, DigRunsMoveOnAndEnd)
{
    CFuzzer fuzzer;
    const int nRuns = 5000;
    const int nMaxSteps = 5000;
    int nPagesParsed = 0;
    for (int r = 0; r < nRuns; r++) {
        CHarvestRun run;
        StartRun(fuzzer, run);
        int nSteps = 0;
        for (; nSteps < nMaxSteps && run.m_bRunning; nSteps++) {
            const int nPageBefore = run.m_nPage;
            const int nSeedBefore = run.m_nSeedIndex;
            const int nLevelBefore = run.m_nLevel;
            const INT_PTR nRowsBefore = run.m_aPhrases.GetSize();
            // Two pages in three sound, so that runs go deep; the rest damaged or random.
            std::string sPage = fuzzer.Below(3) ? fuzzer.PageFor(run) : fuzzer.AnyPage();
            CHarvestStep step = TakeFetchedPage(run, AsFetched(sPage));
            nPagesParsed++;
            ASSERT_TRUE(RowsAreSound(run, nRowsBefore)) << "run " << r << " step " << nSteps;
            ASSERT_LE(run.m_nSeedIndex, (int)run.m_aPhrases.GetSize()) << "run " << r;
            ASSERT_LE(run.m_nLevel, run.m_nLevelsLimit) << "run " << r;
            ASSERT_LE(step.nRunProgress, 100);
            switch (step.nAction) {
            case harvestFetchNextPage:
                ASSERT_EQ(run.m_nPage, nPageBefore + 1) << "run " << r;
                ASSERT_LT(run.m_nPage, run.m_nPagesLimit) << "run " << r;
                break;
            case harvestFetchNextSeed:
                ASSERT_EQ(run.m_nDigMode, 1);
                ASSERT_GT(run.m_nSeedIndex, nSeedBefore) << "run " << r;
                ASSERT_EQ(run.m_nPage, 0);
                ASSERT_EQ(run.m_sKeyword, run.m_aPhrases[run.m_nSeedIndex - 1]);
                break;
            case harvestNothing:
                // A page without the table ends the run; nothing else stands still.
                FAIL() << "run " << r << " step " << nSteps << " left the run where it was";
            default:
                ASSERT_TRUE(step.EndsRun()) << "run " << r;
                ASSERT_FALSE(run.m_bRunning) << "run " << r;
            }
            ASSERT_GE(run.m_nLevel, nLevelBefore);
        }
        ASSERT_FALSE(run.m_bRunning) << "run " << r << " had not ended after " << nMaxSteps << " pages";
    }
    EXPECT_GT(nPagesParsed, 10000);
}

}  // namespace
