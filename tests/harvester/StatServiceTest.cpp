// The statistics service the harvest tests fetch from: its pages read with the
// program's own parser, its links match the program's requests, and every
// scripted fault answers as scripted.
#include "StatisticsService.h"

#include <gtest/gtest.h>
#include <wininet.h>
#include <algorithm>
#include <climits>
#include <string>
#include <vector>
#include "Formula.h"
#include "SuggestionPage.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

// The page as the fetch hands it over: text up to its first NUL byte.
CString PageText(const std::string& body)
{
    return CString(body.c_str());
}

std::vector<std::string> Taken(const CHarvestRun& run, INT_PTR nFrom = 0)
{
    std::vector<std::string> v;
    for (INT_PTR i = nFrom; i < run.m_aPhrases.GetSize(); i++)
        v.push_back(Bytes(run.m_aPhrases[i]) + "|" + Bytes(run.m_aQueries[i]));
    return v;
}

std::vector<std::string> Listed(const std::vector<CStatsRow>& rows)
{
    std::vector<std::string> v;
    for (const CStatsRow& row : rows)
        v.push_back(row.phrase + "|" + std::to_string(row.queries));
    return v;
}

// What the service makes of the request the program would send.
void ServiceSees(const CString& sPath, std::string& sKeyword, int& nOffset)
{
    CLoopbackRequest request;
    request.method = "GET";
    request.target = Bytes(sPath);
    ASSERT_TRUE(CStatisticsService::ParseRequest(request, sKeyword, nOffset)) << request.target;
}

CStatisticsService::Settings SmallTable(int nRows, int nPages)
{
    CStatisticsService::Settings settings;
    settings.nRowsPerPage = nRows;
    settings.nPagesPerSeed = nPages;
    return settings;
}

struct CFetched {
    bool bAnswered = false;   // a status line came back
    DWORD nStatus = 0;
    std::string body;
    DWORD nElapsedMs = 0;
};

// One GET as the program sends it: agent "Vovived", reload, no cache write.
CFetched Fetch(const CStatisticsService& service, const std::string& sTarget)
{
    CFetched result;
    DWORD nStart = GetTickCount();
    HINTERNET hSession = InternetOpenA("Vovived", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET hConnect = InternetConnectA(hSession, "127.0.0.1", service.Port(), nullptr, nullptr,
                                          INTERNET_SERVICE_HTTP, 0, 1);
    HINTERNET hRequest = HttpOpenRequestA(hConnect, "GET", sTarget.c_str(), nullptr, "", nullptr,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 1);
    if (hRequest && HttpSendRequestA(hRequest, nullptr, 0, nullptr, 0)) {
        // A connection closed with no answer at all reads as status 0.
        DWORD nSize = sizeof result.nStatus;
        HttpQueryInfoA(hRequest, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &result.nStatus, &nSize,
                       nullptr);
        result.bAnswered = result.nStatus >= 100;
        char buffer[65536];
        DWORD nRead = 0;
        while (InternetReadFile(hRequest, buffer, sizeof buffer, &nRead) && nRead > 0)
            result.body.append(buffer, nRead);
    }
    InternetCloseHandle(hRequest);
    InternetCloseHandle(hConnect);
    InternetCloseHandle(hSession);
    result.nElapsedMs = GetTickCount() - nStart;
    return result;
}

TEST(StatServicePage, ReadsIntoItsRowsWithNextLinksUpToTheLastPage)
{
    CStatisticsService service(SmallTable(4, 3));
    for (const char* pszKeyword : {"apple", "купить сад", "c++ book"}) {
        SCOPED_TRACE(pszKeyword);
        CHarvestRun run;
        run.m_nPagesLimit = 10;
        ASSERT_TRUE(run.BeginRun(pszKeyword));
        unsigned nPrevious = UINT_MAX;
        bool bLatin = false, bCyrillic = false;
        for (int nPage = 0; nPage < 3; nPage++) {
            std::vector<CStatsRow> rows = service.PageRows(pszKeyword, nPage * 100);
            ASSERT_EQ(rows.size(), 4u);
            for (const CStatsRow& row : rows) {
                EXPECT_EQ(row.phrase.rfind(std::string(pszKeyword) + " ", 0), 0u) << row.phrase;
                EXPECT_LT(row.queries, nPrevious) << row.phrase;
                nPrevious = row.queries;
                std::string sAdded = row.phrase.substr(strlen(pszKeyword));
                bool bCyrillicWord =
                    std::any_of(sAdded.begin(), sAdded.end(), [](char ch) { return (BYTE)ch >= 0xC0; });
                (bCyrillicWord ? bCyrillic : bLatin) = true;
            }
            INT_PTR nBefore = run.m_aPhrases.GetSize();
            CHarvestStep step = TakeFetchedPage(run, PageText(service.BuildPage(pszKeyword, nPage * 100)));
            EXPECT_EQ(Taken(run, nBefore), Listed(rows)) << "page " << nPage;
            EXPECT_EQ(step.nAction, nPage < 2 ? harvestFetchNextPage : harvestCompleted) << "page " << nPage;
        }
        EXPECT_TRUE(bLatin && bCyrillic) << "the phrases mix Latin and Cyrillic words";
    }
    // A page past the last one is an empty table.
    EXPECT_TRUE(service.PageRows("apple", 300).empty());
    CHarvestRun run;
    run.BeginRun("apple");
    run.m_nPage = 3;
    EXPECT_EQ(TakeFetchedPage(run, PageText(service.BuildPage("apple", 300))).nAction, harvestCompleted);
    EXPECT_EQ(run.m_aPhrases.GetSize(), 0);
}

// A dig-by-all run from a Cyrillic seed typed with capitals, every request
// built by the program and read by the service: each seed gets both its pages
// (so every next-page link matched the request), and each level's phrases
// lead to new ones.
TEST(StatServicePage, DigByAllWalksLevelsFromACapitalisedSeed)
{
    CStatisticsService service(SmallTable(3, 2));
    CHarvestRun run;
    run.m_nPagesLimit = 2;
    run.m_nDigMode = 1;
    run.m_nLevelsLimit = 2;
    ASSERT_TRUE(run.BeginRun("Ёлка"));
    int nRequests = 0;
    while (run.m_bRunning && nRequests < 1000) {
        std::string sKeyword;
        int nOffset = -1;
        ServiceSees(CFormula::StatsRequestPath(run.m_sKeyword, run.GetPageText()), sKeyword, nOffset);
        nRequests++;
        TakeFetchedPage(run, PageText(service.BuildPage(sKeyword, nOffset)));
    }
    EXPECT_FALSE(run.m_bRunning);
    // Six phrases for the seed, six for each of them, six for each of those.
    EXPECT_EQ(run.m_aPhrases.GetSize(), 6 + 36 + 216);
    EXPECT_EQ(nRequests, 2 * (1 + 6 + 36));
    for (INT_PTR i = 0; i < run.m_aPhrases.GetSize(); i++)
        EXPECT_EQ(Bytes(run.m_aPhrases[i]).rfind("ёлка ", 0), 0u) << Bytes(run.m_aPhrases[i]);
}

TEST(StatServiceRequest, ProgramRequestsRoundTrip)
{
    const struct {
        const char* typed;
        const char* page;
        const char* keyword;   // what the service reads: the lower-cased keyword
        int offset;
    } cases[] = {
        {"Apple", "", "apple", 0},
        {"Ёлка Купить", "2", "ёлка купить", 200},
        {"C# & C++", "1", "c# & c++", 100},
        {"50% \"a.b\"?x=y's <i>", "", "50% \"a.b\"?x=y's <i>", 0},
        {"tab\there Ї і №1", "12", "tab\there ї і №1", 1200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string sKeyword;
        int nOffset = -1;
        ServiceSees(CFormula::StatsRequestPath(c.typed, c.page), sKeyword, nOffset);
        EXPECT_EQ(sKeyword, c.keyword);
        EXPECT_EQ(nOffset, c.offset);
        EXPECT_EQ(CStatisticsService::EncodeKeyword(sKeyword), Bytes(CFormula::StatsKeyword(c.typed)));
        // The service's link to the following page is what the program looks for.
        int nNext = atoi(c.page) + 1;
        EXPECT_EQ(CStatisticsService::PageLink(sKeyword, nNext * 100), Bytes(NextPageLink(c.typed, nNext)) + "\">");
    }
}

TEST(StatServiceHttp, ServesPagesAndLogsEveryRequest)
{
    CStatisticsService service(SmallTable(5, 2));
    ASSERT_TRUE(service.Start()) << service.LastError();
    std::string sTarget = Bytes(CFormula::StatsRequestPath("Ёлка", "1"));
    CFetched page = Fetch(service, sTarget);
    EXPECT_EQ(page.nStatus, 200u);
    EXPECT_EQ(page.body, service.BuildPage("ёлка", 100));
    EXPECT_EQ(Fetch(service, "/stats?&q=&sf=").nStatus, 400u);
    EXPECT_EQ(Fetch(service, "/stats?&q=apple&sf=x").nStatus, 400u);
    EXPECT_EQ(Fetch(service, "/other?&q=apple&sf=").nStatus, 404u);

    std::vector<CLoopbackRequest> requests = service.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, sTarget);
    EXPECT_EQ(requests[0].Header("User-Agent"), "Vovived");
    EXPECT_EQ(requests[3].target, "/other?&q=apple&sf=");
}

TEST(StatServiceHttp, ScriptedFaultsAnswerAsScripted)
{
    CStatisticsService::Settings settings = SmallTable(4, 3);
    settings.nSlowDelayMs = 300;
    CStatisticsService service(settings);
    ASSERT_TRUE(service.Start()) << service.LastError();
    const std::string sPage = service.BuildPage("apple", 0);
    const std::vector<std::string> rows = Listed(service.PageRows("apple", 0));
    const std::string sQuoted = "apple \"quoted\"|" + std::to_string(service.PageRows("apple", 0)[0].queries + 2);

    const struct {
        StatsFault fault;
        bool answered;
        DWORD status;
        bool plainPage;                  // the body is the page itself
        std::vector<std::string> taken;  // what the program's parser reads from the body
        HarvestAction action;
    } cases[] = {
        {StatsFault::NotFound, true, 404, true, rows, harvestFetchNextPage},
        {StatsFault::ServerError, true, 500, true, rows, harvestFetchNextPage},
        {StatsFault::CloseConnection, false, 0, false, {}, harvestNoTable},
        {StatsFault::Slow, true, 200, true, rows, harvestFetchNextPage},
        {StatsFault::EmptyBody, true, 200, false, {}, harvestNoTable},
        // Cut at 999,000 bytes: the rows, but not the link after the padding.
        {StatsFault::HugeBody, true, 200, false, rows, harvestCompleted},
        {StatsFault::NulInBody, true, 200, false, {rows[0]}, harvestCompleted},
        {StatsFault::NoHeaderCell, true, 200, false, {}, harvestNoTable},
        {StatsFault::MissingMarkers, true, 200, false, {rows[0], rows[1], rows[2]}, harvestFetchNextPage},
        {StatsFault::OddPhrases, true, 200, false, {sQuoted, rows[0], rows[1], rows[2], rows[3]},
         harvestFetchNextPage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((int)c.fault);
        // Each case as a rule of the keyword, cleared after its fetch; the
        // one-shot faults are checked below.
        service.FailKeyword("apple", c.fault);
        CFetched fetched = Fetch(service, "/stats?&q=apple&sf=");
        service.ClearFaults();
        EXPECT_EQ(fetched.bAnswered, c.answered);
        EXPECT_EQ(fetched.nStatus, c.status);
        if (c.plainPage) {
            EXPECT_EQ(fetched.body, sPage);
        }
        if (c.fault == StatsFault::Slow) {
            EXPECT_GE(fetched.nElapsedMs, 280u);
        }
        if (c.fault == StatsFault::HugeBody) {
            EXPECT_EQ(fetched.body.size(), CStatisticsService::kHugeBodySize);
        }
        if (c.fault == StatsFault::NulInBody) {
            EXPECT_EQ(fetched.body.size(), sPage.size() + 1);
        }

        CHarvestRun run;
        run.m_nPagesLimit = 10;
        run.BeginRun("apple");
        CHarvestStep step = TakeFetchedPage(run, PageText(fetched.body.substr(0, 999000)));
        EXPECT_EQ(Taken(run), c.taken);
        EXPECT_EQ(step.nAction, c.action);
    }

    // A one-shot fault is used up by the next request, whatever its keyword; a
    // keyword rule holds for its count only, and only for its keyword.
    service.ScriptNext(StatsFault::NotFound);
    EXPECT_EQ(Fetch(service, "/stats?&q=pear&sf=").nStatus, 404u);
    EXPECT_EQ(Fetch(service, "/stats?&q=pear&sf=").nStatus, 200u);
    service.FailKeyword("pear", StatsFault::ServerError, 2);
    EXPECT_EQ(Fetch(service, "/stats?&q=pear&sf=100").nStatus, 500u);
    EXPECT_EQ(Fetch(service, "/stats?&q=apple&sf=").body, sPage);
    EXPECT_EQ(Fetch(service, "/stats?&q=pear&sf=").nStatus, 500u);
    EXPECT_EQ(Fetch(service, "/stats?&q=pear&sf=").nStatus, 200u);
    service.FailKeyword("pear", StatsFault::CloseConnection);
    for (int i = 0; i < 3; i++)
        EXPECT_FALSE(Fetch(service, "/stats?&q=pear&sf=").bAnswered);
}

}  // namespace
