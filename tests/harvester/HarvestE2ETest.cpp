// The harvest from end to end: the main window's Go, Stop, Back, Settings and
// Enter against the statistics service over HTTP, the pages and levels a run
// fetches, the rows it lists, both progress bars and the messages it shows.
#include "ViewFixture.h"
#include <algorithm>
#include <set>
#include "HarvestMessages.h"
#include "ProfileKeys.h"

namespace {

// "Слон" and its lower-case request form.
const char szElephant[] = "\xD1\xEB\xEE\xED";
const char szElephantLower[] = "\xF1\xEB\xEE\xED";

class HarvestTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        CreateWindows();
    }

    // The rows the list shows, as the service's rows.
    std::vector<std::pair<std::string, std::string>> ListedRows() const
    {
        std::vector<std::pair<std::string, std::string>> rows;
        for (int i = 0; i < RowCount(); i++)
            rows.emplace_back(RowText(i, 0), RowText(i, 1));
        return rows;
    }

    static std::vector<std::pair<std::string, std::string>> AsListed(const std::vector<CStatsRow>& rows)
    {
        std::vector<std::pair<std::string, std::string>> listed;
        for (const CStatsRow& row : rows)
            listed.emplace_back(row.phrase, std::to_string(row.queries));
        return listed;
    }

    static std::vector<int> Positions(const CMessageRecorder& recorder, const std::string& sWindow)
    {
        std::vector<int> v;
        for (const RecordedMessage& m : recorder.Records())
            if (m.window == sWindow)
                v.push_back((int)m.wParam);
        return v;
    }
};

TEST_F(HarvestTest, GoFetchesThePagesOfTheSeedAndListsEveryRow)
{
    ApplySettings(0, 1, 3);
    CMessageRecorder recorder;
    recorder.Watch(Item(IDC_PAGE_PROGRESS), "page");
    recorder.Watch(Item(IDC_RUN_PROGRESS), "run");
    recorder.Only({PBM_SETPOS});
    int nPageBarUnderBox = -1;
    m_answerer.Handle([&](HWND dialog, const ShownDialog&) {
        nPageBarUnderBox = (int)::SendMessageA(Item(IDC_PAGE_PROGRESS), PBM_GETPOS, 0, 0);
        CDialogAnswerer::PressButton(dialog, IDOK);
    });

    // Capitals in the seed: the request is lower-cased, and the next-page
    // links are looked for with the same lower-cased keyword.
    SetKeyword(szElephant);
    Click(IDC_GO);
    EXPECT_FALSE(GoEnabled());
    ASSERT_TRUE(WaitForRunEnd());

    std::vector<CLoopbackRequest> requests = m_service.Requests();
    ASSERT_EQ(requests.size(), 3u);
    const std::string sQuery = std::string("/stats?&q=%F1%EB%EE%ED&sf=");
    EXPECT_EQ(requests[0].target, sQuery);
    EXPECT_EQ(requests[1].target, sQuery + "100");
    EXPECT_EQ(requests[2].target, sQuery + "200");
    for (const CLoopbackRequest& request : requests) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.Header("User-Agent"), "Vovived");
    }

    std::vector<CStatsRow> expected = Rows(szElephantLower, 0);
    for (int nOffset : {100, 200}) {
        std::vector<CStatsRow> more = Rows(szElephantLower, nOffset);
        expected.insert(expected.end(), more.begin(), more.end());
    }
    ASSERT_EQ(expected.size(), 30u);
    EXPECT_EQ(ListedRows(), AsListed(expected));
    EXPECT_TRUE(IsWindowEnabled(List()));

    // The page bar stands at 60 while a page is handled, which shows only
    // while a box waits; it is moved only when what it shows changes.
    EXPECT_EQ(Positions(recorder, "page"), std::vector<int>({30, 100, 60, 100}));
    EXPECT_EQ(nPageBarUnderBox, 60);
    EXPECT_EQ(Positions(recorder, "run"), std::vector<int>({0, 33, 66, 100}));
    ASSERT_EQ(m_answerer.Shown().size(), 2u);   // the settings, then the end of the run
    EXPECT_EQ(m_answerer.Shown()[1].text, "completed");
    EXPECT_EQ(m_answerer.Shown()[1].caption, "MESSAGE");

    EXPECT_EQ(Keyword(), szElephant);
    EXPECT_TRUE(GoEnabled());
    ASSERT_EQ(m_pView->GetVisitHistory().GetSize(), 1);
    EXPECT_EQ(m_pView->GetVisitHistory()[0], szElephant);
    EXPECT_EQ(ReadProfileKey(m_pApp, profileLastKeyword), szElephant);
}

TEST_F(HarvestTest, DigByAllKeywordsTakesEveryPhraseOfTwoLevelsAsASeed)
{
    CStatisticsService::Settings settings = m_service.GetSettings();
    settings.nRowsPerPage = 3;
    m_service.SetSettings(settings);
    ApplySettings(1, 2, 1);

    ASSERT_TRUE(Harvest("plum"));

    // The seed's phrases are the first level of seeds, theirs the second.
    std::vector<CStatsRow> level0 = Rows("plum");
    std::vector<CStatsRow> rows = level0;
    std::set<std::string> seen;
    for (const CStatsRow& row : rows)
        seen.insert(row.phrase);
    std::vector<std::string> seeds = {"plum"};
    std::vector<CStatsRow> level = level0;
    for (int nLevel = 1; nLevel <= 2; nLevel++) {
        std::vector<CStatsRow> next;
        for (const CStatsRow& seed : level) {
            seeds.push_back(seed.phrase);
            for (const CStatsRow& row : Rows(seed.phrase))
                if (seen.insert(row.phrase).second)
                    next.push_back(row);
        }
        rows.insert(rows.end(), next.begin(), next.end());
        level = next;
    }
    ASSERT_EQ(seeds.size(), 13u);
    ASSERT_EQ(rows.size(), 39u);

    std::vector<std::string> requested;
    for (const auto& page : RequestedPages()) {
        requested.push_back(page.first);
        EXPECT_EQ(page.second, 0);
    }
    EXPECT_EQ(requested, seeds);
    EXPECT_EQ(ListedRows(), AsListed(rows));
    EXPECT_EQ(MessageTexts(m_answerer), std::vector<std::string>({"completed"}));
    // The keyword box showed each seed as it was fetched.
    EXPECT_EQ(Keyword(), seeds.back());
    EXPECT_EQ(::SendMessageA(Item(IDC_RUN_PROGRESS), PBM_GETPOS, 0, 0), 100);
}

TEST_F(HarvestTest, StopEndsTheRunWhenTheNextPageArrives)
{
    ApplySettings(0, 1, 3);
    MakeSecondPageSlow(500);

    SetKeyword("pear");
    Click(IDC_GO);
    ASSERT_TRUE(PumpApp([this] { return RowCount() == 10; }, 10000));
    Click(IDC_STOP);
    ASSERT_TRUE(WaitForRunEnd());

    // The second page was fetched but none of its rows were taken.
    EXPECT_EQ(m_service.RequestCount(), 2u);
    EXPECT_EQ(ListedRows(), AsListed(Rows("pear")));
    ASSERT_EQ(MessageTexts(m_answerer), std::vector<std::string>({"process stoped"}));
    EXPECT_EQ(m_answerer.Shown().back().caption, "MESSAGE");
    PumpAppFor(200);
    EXPECT_EQ(m_service.RequestCount(), 2u);
}

TEST_F(HarvestTest, BackShowsTheSeedsStartedBefore)
{
    for (const char* pszSeed : {"alpha", "beta", "gamma"})
        ASSERT_TRUE(Harvest(pszSeed));
    EXPECT_EQ(Keyword(), "gamma");

    Click(IDC_BACK);
    EXPECT_EQ(Keyword(), "beta");
    EXPECT_EQ(m_pView->GetVisitHistory().GetSize(), 2);
    Click(IDC_BACK);
    EXPECT_EQ(Keyword(), "alpha");
    // The oldest seed is the last one Back can show; no request is made.
    Click(IDC_BACK);
    EXPECT_EQ(Keyword(), "alpha");
    EXPECT_EQ(m_pView->GetVisitHistory().GetSize(), 0);
    Click(IDC_BACK);
    EXPECT_EQ(Keyword(), "alpha");
    PumpAppFor(150);
    EXPECT_EQ(m_service.RequestCount(), 3u);
}

// Go pressed again before a page arrives starts a new run; the pages of the
// runs it replaced are dropped (their blocks freed), and the history keeps
// the latest hundred seeds.
TEST_F(HarvestTest, RestartedRunsDropTheirPagesAndTheHistoryKeepsAHundredSeeds)
{
    const LONG nBlocksBefore = GetFetchedBlocksAlive();
    char szSeed[32];
    for (int i = 0; i <= 100; i++) {
        sprintf(szSeed, "seed%03d", i);
        SetKeyword(szSeed);
        Click(IDC_GO);
        // The start timer's tick, at once.
        ::SendMessageA(m_pView->m_hWnd, WM_TIMER, CPellucorView::nStartTimer, 0);
    }
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_TRUE(PumpApp([&] { return m_service.RequestCount() == 101 && GetFetchedBlocksAlive() == nBlocksBefore; },
                        20000))
        << m_service.RequestCount() << " requests, " << GetFetchedBlocksAlive() - nBlocksBefore << " blocks";
    PumpAppFor(100);

    EXPECT_EQ(ListedRows(), AsListed(Rows("seed100")));
    EXPECT_EQ(MessageTexts(m_answerer), std::vector<std::string>({"completed"}));
    const CStringArray& history = m_pView->GetVisitHistory();
    ASSERT_EQ(history.GetSize(), 100);
    EXPECT_EQ(history[0], "seed001");
    EXPECT_EQ(history[99], "seed100");
}

TEST_F(HarvestTest, TenFailedAttemptsEndTheRunWithTheConnectionMessage)
{
    m_service.FailKeyword("apple", StatsFault::CloseConnection, 10);
    ASSERT_TRUE(Harvest("apple"));
    EXPECT_EQ(m_service.RequestCount(), 10u);
    EXPECT_EQ(MessageTexts(m_answerer), std::vector<std::string>({"Connection with Brenvik not stable !"}));
    EXPECT_EQ(RowCount(), 0);

    // The run is over: Go starts the next one.
    m_answerer.Clear();
    ASSERT_TRUE(Harvest("apple"));
    EXPECT_EQ(ListedRows(), AsListed(Rows("apple")));
    EXPECT_EQ(MessageTexts(m_answerer), std::vector<std::string>({"completed"}));
}

TEST_F(HarvestTest, EachServiceFaultEndsOrRetriesTheRunCleanly)
{
    SetSlowDelay(300);
    const std::vector<CStatsRow> rows = Rows("apple");
    ASSERT_EQ(rows.size(), 10u);
    std::vector<CStatsRow> odd = rows;
    odd.insert(odd.begin(), CStatsRow{"apple \"quoted\"", rows[0].queries + 2});

    struct Case {
        StatsFault fault;
        const char* name;
        size_t nRequests;                 // a failed attempt is tried again at once
        std::vector<CStatsRow> rows;
        std::vector<std::string> messages;
    } cases[] = {
        {StatsFault::NotFound, "404", 2, rows, {"completed"}},
        {StatsFault::ServerError, "500", 2, rows, {"completed"}},
        {StatsFault::CloseConnection, "closed connection", 2, rows, {"completed"}},
        {StatsFault::EmptyBody, "empty body", 2, rows, {"completed"}},
        {StatsFault::Slow, "slow answer", 1, rows, {"completed"}},
        {StatsFault::HugeBody, "body over 1 MB", 1, rows, {"completed"}},
        {StatsFault::NulInBody, "NUL in the body", 1, {rows[0]}, {"completed"}},
        {StatsFault::NoHeaderCell, "no header cell", 1, {}, {"No Suggestions"}},
        {StatsFault::MissingMarkers, "missing markers", 1, {rows.begin(), rows.end() - 1}, {"completed"}},
        {StatsFault::OddPhrases, "odd phrases", 1, odd, {"completed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_service.ClearRequests();
        m_answerer.Clear();
        m_service.ScriptNext(c.fault);
        ASSERT_TRUE(Harvest("apple"));
        EXPECT_EQ(m_service.RequestCount(), c.nRequests);
        EXPECT_EQ(ListedRows(), AsListed(c.rows));
        EXPECT_EQ(MessageTexts(m_answerer), c.messages);
    }
}

TEST_F(HarvestTest, EnterStartsARunFromTheKeywordBoxButNotFromTheBasket)
{
    SetKeyword("apple");
    HWND hKeywordEdit = FindWindowExA(Item(IDC_KEYWORD), nullptr, "Edit", nullptr);
    ASSERT_NE(hKeywordEdit, nullptr);
    PressEnter(hKeywordEdit);
    EXPECT_FALSE(GoEnabled());
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(m_service.RequestCount(), 1u);
    EXPECT_EQ(RowCount(), 10);

    // In the Basket box Enter starts a new line.
    ::SetFocus(Item(IDC_BASKET));
    ::SetWindowTextA(Item(IDC_BASKET), "first");
    ::SendMessageA(Item(IDC_BASKET), EM_SETSEL, 5, 5);
    PressEnter(Item(IDC_BASKET));
    EXPECT_EQ(BasketBox(), "first\r\n");
    EXPECT_TRUE(GoEnabled());
    PumpAppFor(200);
    EXPECT_EQ(m_service.RequestCount(), 1u);
}

TEST_F(HarvestTest, AnEmptyKeywordStartsNothingAndSettingsWaitForTheRunToEnd)
{
    SetKeyword("");
    Click(IDC_GO);
    EXPECT_TRUE(GoEnabled());
    EXPECT_FALSE(m_pView->GetRun().m_bRunning);
    PumpAppFor(200);
    EXPECT_EQ(m_service.RequestCount(), 0u);
    // Nothing is left running: Settings opens.
    ApplySettings(0, 1, 2);

    SetSlowDelay(300);
    m_service.ScriptNext(StatsFault::Slow);
    SetKeyword("apple");
    Click(IDC_GO);
    m_answerer.Clear();
    Click(IDC_SETTINGS);
    ASSERT_EQ(m_answerer.Shown().size(), 1u);
    EXPECT_EQ(m_answerer.Shown()[0].text, "Can't change settings process is running");
    EXPECT_EQ(m_answerer.Shown()[0].caption, "WARNING");
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(RowCount(), 20);   // the two pages the settings asked for
}

TEST_F(HarvestTest, SelectingARowDuringARunShowsItsPhraseButKeepsTheSeed)
{
    ApplySettings(0, 1, 3);
    MakeSecondPageSlow(400);

    SetKeyword("apple");
    Click(IDC_GO);
    ASSERT_TRUE(PumpApp([this] { return RowCount() == 10; }, 10000));
    SelectRow(3);
    EXPECT_EQ(Keyword(), RowText(3, 0));
    ASSERT_TRUE(WaitForRunEnd());

    std::vector<std::pair<std::string, int>> expected = {{"apple", 0}, {"apple", 100}, {"apple", 200}};
    EXPECT_EQ(RequestedPages(), expected);
    EXPECT_EQ(RowCount(), 30);
    EXPECT_EQ(MessageTexts(m_answerer), std::vector<std::string>({"completed"}));
}

}  // namespace
