// StatisticsService.h - a keyword-statistics service of our own, for tests and
// for trying the program on this machine. It answers
//   GET /stats?&q=<percent-encoded code page 1251 keyword>&sf=<offset>
// on 127.0.0.1 with code page 1251 pages: a table whose header cell is
// "<td align=left>Слова</td>", one row per phrase with its query count, and a
// "&nbsp;<a class=scroll href="?&q=...&sf=...">" link to the next page.
//
// Pages are generated from a small Latin and Cyrillic word corpus: every phrase
// of a keyword is the keyword followed by one or two corpus words, so each
// phrase, asked for in turn, leads to phrases of its own. The same request
// always gives the same page, and query counts fall down the table from page
// to page.
//
// It shares no code with the program: the request is decoded and the links are
// encoded here by the service's own rules, so a test that round-trips the
// program's request through it checks both sides.
//
//   CStatisticsService service;
//   service.Start();                              // a free port
//   ... point the program at service.Host() ...
//   service.ScriptNext(StatsFault::NotFound);     // the next request fails
//   service.FailKeyword("apple", StatsFault::CloseConnection, 9);
//   service.WaitForRequests(10, 5000);
//   service.Requests()[0].Header("User-Agent");
#pragma once

#include "loopback_http.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// One row of a statistics page. The phrase is code page 1251 text as the
// program should read it (a double quote is written "&quot;" in the page).
struct CStatsRow {
    std::string phrase;
    unsigned queries = 0;
};

// Ways a test makes one answer go wrong.
enum class StatsFault {
    None,
    NotFound,          // status 404; the body is the page that would have been served
    ServerError,       // status 500; likewise, so a client that reads it as a page shows rows
    CloseConnection,   // the request is read, the connection closed with no answer
    Slow,              // the page, after the slow delay of the settings
    EmptyBody,         // status 200 and no body at all
    HugeBody,          // the rows, padding to 1,100,000 bytes, then the next-page link
    NulInBody,         // a NUL byte right after the first row
    NoHeaderCell,      // the table without its header cell (rows and link stay)
    MissingMarkers,    // the last row has no query-count cell
    OddPhrases,        // three rows first: a phrase with "[", one with "&quot;", an empty link
};

class CStatisticsService {
public:
    struct Settings {
        int nRowsPerPage = 10;
        int nPagesPerSeed = 3;       // the last page carries no next-page link
        unsigned nCorpusSeed = 1;    // another seed, other phrases for the same keyword
        DWORD nSlowDelayMs = 2000;   // how long StatsFault::Slow waits before answering
    };

    // Size of the body StatsFault::HugeBody sends.
    static constexpr size_t kHugeBodySize = 1100000;

    CStatisticsService() : CStatisticsService(Settings()) {}
    explicit CStatisticsService(const Settings& settings);

    // Listens on 127.0.0.1 at nPort (0: a free port). FALSE when the port
    // cannot be bound; LastError() says why.
    bool Start(unsigned short nPort = 0);
    void Stop() { m_server.Stop(); }
    std::string Host() const { return m_server.Host(); }   // "127.0.0.1:port"
    unsigned short Port() const { return m_server.Port(); }
    std::string LastError() const { return m_server.LastError(); }

    Settings GetSettings() const;
    void SetSettings(const Settings& settings);

    // The pages, without the server. The keyword is the decoded text of the
    // request (the program sends it lower-cased); the offset is the number
    // after "&sf=" (0 for the first page's empty offset, then 100, 200, ...).
    std::vector<CStatsRow> PageRows(const std::string& sKeyword, int nOffset) const;
    bool HasNextPage(const std::string& sKeyword, int nOffset) const;
    std::string BuildPage(const std::string& sKeyword, int nOffset,
                          StatsFault fault = StatsFault::None) const;

    // The request and the links, by the service's own rules: a space travels as
    // "+", and control bytes, bytes from 0x80 up and % + & = ? . ' " < > # as an
    // upper-case %XX escape.
    static std::string EncodeKeyword(const std::string& sKeyword);
    // "+" gives a space and %XX its byte; a "%" without two bytes after it stays.
    static std::string DecodeKeyword(const std::string& sEncoded);
    // The opening tag of the link to the page at nOffset:
    // "&nbsp;<a class=scroll href=\"?&q=" + encoded keyword + "&sf=" + nOffset + "\">".
    static std::string PageLink(const std::string& sKeyword, int nOffset);
    // Reads the keyword and offset of a "/stats" request. FALSE when the keyword
    // is missing or empty, or the offset is not a decimal number.
    static bool ParseRequest(const CLoopbackRequest& request, std::string& sKeyword, int& nOffset);

    // Faults. An answer takes the first one-shot fault still queued, else the
    // rule of its keyword, else none. Raw answers of any shape go through
    // Server().ScriptNext, and are answered before all of these.
    void ScriptNext(StatsFault fault);
    // The next request, whatever its keyword, is answered with a page of
    // exactly these rows and no link to a next page.
    void ScriptPage(const std::vector<CStatsRow>& rows);
    // The next nTimes requests for this (decoded) keyword, or all of them when
    // nTimes is negative.
    void FailKeyword(const std::string& sKeyword, StatsFault fault, int nTimes = -1);
    void ClearFaults();

    // Every request received, in order: request line and headers (User-Agent).
    std::vector<CLoopbackRequest> Requests() const { return m_server.Requests(); }
    size_t RequestCount() const { return m_server.RequestCount(); }
    bool WaitForRequests(size_t n, DWORD nTimeoutMs) const { return m_server.WaitForRequests(n, nTimeoutMs); }
    void ClearRequests() { m_server.ClearRequests(); }

    CLoopbackHttpServer& Server() { return m_server; }

private:
    struct KeywordRule {
        StatsFault fault;
        int nTimesLeft;   // negative: for ever
    };

    CLoopbackResponse Answer(const CLoopbackRequest& request);
    StatsFault TakeFault(const std::string& sKeyword);
    std::vector<std::string> Phrases(const std::string& sKeyword, const Settings& settings) const;

    mutable std::mutex m_mutex;   // guards the settings and the faults
    Settings m_settings;
    std::deque<StatsFault> m_oneShot;
    std::map<std::string, KeywordRule> m_keywordRules;
    // Last, so that it stops (and its handler is done) before the state above goes.
    CLoopbackHttpServer m_server;
};
