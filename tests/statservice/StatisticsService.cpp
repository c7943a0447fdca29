// StatisticsService.cpp - the statistics pages, their generator and the
// scripted faults.
#include "StatisticsService.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Latin and Cyrillic words (code page 1251 once compiled). "c++" and "№1" make
// keywords that need escapes in the request once they are dug.
const char* const s_apszCorpus[] = {
    "apple", "garden", "fresh",  "cheap",  "online", "price",  "review", "best",
    "green", "juice",  "recipe", "c++",    "book",   "winter", "home",   "tree",
    "купить", "цена",  "отзывы", "дешево", "москва", "фото",   "сад",    "ёлка",
    "свежий", "сок",   "рецепт", "книга",  "недорого", "зима", "дом",    "№1",
};

const char s_szHeaderCell[] = "<td align=left>Слова</td>";
// What the header cell says when a test asks for a page without it.
const char s_szOtherHeaderCell[] = "<td align=left>Фразы</td>";
const char s_szContentType[] = "text/html; charset=windows-1251";

// FNV-1a: the same keyword gives the same pages on every run and machine.
unsigned Hash(const std::string& s, unsigned nSeed)
{
    unsigned h = 2166136261u ^ (nSeed * 16777619u);
    for (unsigned char c : s)
        h = (h ^ c) * 16777619u;
    return h;
}

// xorshift32, so that the order of words does not depend on the library's
// shuffling.
unsigned NextRandom(unsigned& nState)
{
    nState ^= nState << 13;
    nState ^= nState >> 17;
    nState ^= nState << 5;
    return nState;
}

std::vector<std::string> Words(const std::string& s)
{
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < s.size()) {
        size_t end = s.find(' ', pos);
        if (end == std::string::npos)
            end = s.size();
        if (end > pos)
            words.push_back(s.substr(pos, end - pos));
        pos = end + 1;
    }
    return words;
}

bool NeedsEscape(unsigned char c)
{
    if (c < 0x20 || c >= 0x80)
        return true;
    return std::string("%+&=?.'\"<>#").find((char)c) != std::string::npos;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A phrase as page text: the double quote is the one character the page
// writes as an entity.
std::string PageText(const std::string& sPhrase)
{
    std::string s;
    for (char c : sPhrase)
        s += c == '"' ? std::string("&quot;") : std::string(1, c);
    return s;
}

std::string Row(const std::string& sPhrase, unsigned nQueries, bool bCountCell = true)
{
    std::string s = "<tr><td align=left><a href=\"?&q=" + CStatisticsService::EncodeKeyword(sPhrase) +
                    "&sf=\">" + PageText(sPhrase) + "</a></td>";
    if (bCountCell)
        s += "<td align=right>" + std::to_string(nQueries) + "</td>";
    return s + "</tr>\n";
}

// The page up to its first row, the header row with the given phrase cell.
std::string PageHead(const char* pszHeaderCell)
{
    return std::string("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\n"
                       "<title>Статистика ключевых слов</title></head><body>\n<table class=stats>\n<tr>") +
           pszHeaderCell + "<td align=right>Показов в месяц</td></tr>\n";
}

}  // namespace

CStatisticsService::CStatisticsService(const Settings& settings) : m_settings(settings)
{
    m_server.Route("/stats", [this](const CLoopbackRequest& request) { return Answer(request); });
}

bool CStatisticsService::Start(unsigned short nPort)
{
    return m_server.Start(nPort);
}

CStatisticsService::Settings CStatisticsService::GetSettings() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_settings;
}

void CStatisticsService::SetSettings(const Settings& settings)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_settings = settings;
}

// ---------------------------------------------------------------------------
// Request and links

std::string CStatisticsService::EncodeKeyword(const std::string& sKeyword)
{
    static const char szHex[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned char c : sKeyword) {
        if (c == ' ') {
            s += '+';
        } else if (NeedsEscape(c)) {
            s += '%';
            s += szHex[c >> 4];
            s += szHex[c & 15];
        } else {
            s += (char)c;
        }
    }
    return s;
}

std::string CStatisticsService::DecodeKeyword(const std::string& sEncoded)
{
    std::string s;
    for (size_t i = 0; i < sEncoded.size(); i++) {
        char c = sEncoded[i];
        if (c == '+') {
            s += ' ';
        } else if (c == '%' && i + 2 < sEncoded.size() && HexValue(sEncoded[i + 1]) >= 0 &&
                   HexValue(sEncoded[i + 2]) >= 0) {
            s += (char)(HexValue(sEncoded[i + 1]) * 16 + HexValue(sEncoded[i + 2]));
            i += 2;
        } else {
            s += c;
        }
    }
    return s;
}

std::string CStatisticsService::PageLink(const std::string& sKeyword, int nOffset)
{
    return "&nbsp;<a class=scroll href=\"?&q=" + EncodeKeyword(sKeyword) + "&sf=" +
           (nOffset > 0 ? std::to_string(nOffset) : std::string()) + "\">";
}

bool CStatisticsService::ParseRequest(const CLoopbackRequest& request, std::string& sKeyword, int& nOffset)
{
    sKeyword = DecodeKeyword(request.Query("q"));
    std::string sOffset = request.Query("sf");
    if (request.Path() != "/stats" || sKeyword.empty() || sOffset.size() > 9 ||
        sOffset.find_first_not_of("0123456789") != std::string::npos)
        return false;
    nOffset = sOffset.empty() ? 0 : atoi(sOffset.c_str());
    return true;
}

// ---------------------------------------------------------------------------
// Pages

// Every phrase of a keyword, in table order: the keyword with one corpus word
// after it, then with two. Words the keyword already has are left out, so that
// no phrase repeats a word of its seed.
std::vector<std::string> CStatisticsService::Phrases(const std::string& sKeyword,
                                                     const Settings& settings) const
{
    std::vector<std::string> seedWords = Words(sKeyword);
    std::vector<std::string> words;
    for (const char* pszWord : s_apszCorpus)
        if (std::find(seedWords.begin(), seedWords.end(), pszWord) == seedWords.end())
            words.push_back(pszWord);
    unsigned nState = Hash(sKeyword, settings.nCorpusSeed) | 1;
    for (size_t i = words.size(); i > 1; i--)
        std::swap(words[i - 1], words[NextRandom(nState) % i]);

    size_t nWanted = (size_t)std::max(settings.nRowsPerPage, 1) * (size_t)std::max(settings.nPagesPerSeed, 1);
    std::vector<std::string> phrases;
    for (size_t i = 0; i < words.size() && phrases.size() < nWanted; i++)
        phrases.push_back(sKeyword + " " + words[i]);
    for (size_t i = 0; i < words.size() && phrases.size() < nWanted; i++)
        for (size_t j = 0; j < words.size() && phrases.size() < nWanted; j++)
            if (j != i)
                phrases.push_back(sKeyword + " " + words[i] + " " + words[j]);
    return phrases;
}

std::vector<CStatsRow> CStatisticsService::PageRows(const std::string& sKeyword, int nOffset) const
{
    Settings settings = GetSettings();
    std::vector<std::string> phrases = Phrases(sKeyword, settings);
    // Counts fall strictly down the whole table; shorter keywords are asked for more.
    size_t nWords = std::max<size_t>(Words(sKeyword).size(), 1);
    unsigned nBase = (200000 + Hash(sKeyword, settings.nCorpusSeed) % 100000) / (unsigned)(nWords * nWords);
    size_t nRows = (size_t)std::max(settings.nRowsPerPage, 1);
    size_t nFirst = (size_t)std::max(nOffset, 0) / 100 * nRows;
    std::vector<CStatsRow> rows;
    for (size_t i = nFirst; i < phrases.size() && i < nFirst + nRows; i++)
        rows.push_back({phrases[i], nBase / (unsigned)(i + 1) + (unsigned)(phrases.size() - i)});
    return rows;
}

bool CStatisticsService::HasNextPage(const std::string& sKeyword, int nOffset) const
{
    Settings settings = GetSettings();
    size_t nNextFirst = ((size_t)std::max(nOffset, 0) / 100 + 1) * (size_t)std::max(settings.nRowsPerPage, 1);
    return nNextFirst < Phrases(sKeyword, settings).size();
}

std::string CStatisticsService::BuildPage(const std::string& sKeyword, int nOffset, StatsFault fault) const
{
    std::vector<CStatsRow> rows = PageRows(sKeyword, nOffset);
    int nPage = std::max(nOffset, 0) / 100;

    std::string page = PageHead(fault == StatsFault::NoHeaderCell ? s_szOtherHeaderCell : s_szHeaderCell);
    if (fault == StatsFault::OddPhrases) {
        unsigned nTop = rows.empty() ? 10 : rows[0].queries;
        page += Row(sKeyword + " [test]", nTop + 3);
        page += Row(sKeyword + " \"quoted\"", nTop + 2);
        page += "<tr><td align=left><a href=\"?&q=\"></a></td><td align=right>" + std::to_string(nTop + 1) +
                "</td></tr>\n";
    }
    for (size_t i = 0; i < rows.size(); i++) {
        page += Row(rows[i].phrase, rows[i].queries, !(fault == StatsFault::MissingMarkers && i + 1 == rows.size()));
        if (i == 0 && fault == StatsFault::NulInBody)
            page += '\0';
    }
    if (rows.empty() && fault == StatsFault::NulInBody)
        page += '\0';
    page += "</table>\n";

    std::string links = "<p>";
    if (nPage > 0)
        links += PageLink(sKeyword, (nPage - 1) * 100) + "назад</a>\n";
    if (HasNextPage(sKeyword, nOffset))
        links += PageLink(sKeyword, (nPage + 1) * 100) + "далее</a>\n";
    links += "</p>\n</body></html>\n";

    // The padding goes before the links, so that a reader that stops short of
    // the whole body keeps the rows and loses the link to the next page.
    if (fault == StatsFault::HugeBody) {
        size_t nFill = kHugeBodySize - page.size() - links.size() - 7;
        page += "<!--" + std::string(nFill, 'x') + "-->";
    }
    return page + links;
}

// ---------------------------------------------------------------------------
// Faults and answers

void CStatisticsService::ScriptPage(const std::vector<CStatsRow>& rows)
{
    std::string page = PageHead(s_szHeaderCell);
    for (const CStatsRow& row : rows)
        page += Row(row.phrase, row.queries);
    page += "</table>\n<p></p>\n</body></html>\n";
    m_server.ScriptNext(CLoopbackResponse::Text(200, page, s_szContentType));
}

void CStatisticsService::ScriptNext(StatsFault fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_oneShot.push_back(fault);
}

void CStatisticsService::FailKeyword(const std::string& sKeyword, StatsFault fault, int nTimes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keywordRules[sKeyword] = {fault, nTimes};
}

void CStatisticsService::ClearFaults()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_oneShot.clear();
    m_keywordRules.clear();
}

StatsFault CStatisticsService::TakeFault(const std::string& sKeyword)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_oneShot.empty()) {
        StatsFault fault = m_oneShot.front();
        m_oneShot.pop_front();
        return fault;
    }
    auto rule = m_keywordRules.find(sKeyword);
    if (rule == m_keywordRules.end() || rule->second.nTimesLeft == 0)
        return StatsFault::None;
    if (rule->second.nTimesLeft > 0)
        rule->second.nTimesLeft--;
    return rule->second.fault;
}

CLoopbackResponse CStatisticsService::Answer(const CLoopbackRequest& request)
{
    std::string sKeyword;
    int nOffset = 0;
    if (!ParseRequest(request, sKeyword, nOffset))
        return CLoopbackResponse::Text(400, "<html>Bad request: /stats?&q=keyword&sf=offset</html>");

    StatsFault fault = TakeFault(sKeyword);
    switch (fault) {
    case StatsFault::NotFound:
        return CLoopbackResponse::Text(404, BuildPage(sKeyword, nOffset), s_szContentType);
    case StatsFault::ServerError:
        return CLoopbackResponse::Text(500, BuildPage(sKeyword, nOffset), s_szContentType);
    case StatsFault::CloseConnection:
        return CLoopbackResponse::NoAnswer();
    case StatsFault::Slow:
        return CLoopbackResponse::Slow(GetSettings().nSlowDelayMs,
                                       CLoopbackResponse::Text(200, BuildPage(sKeyword, nOffset), s_szContentType));
    case StatsFault::EmptyBody:
        return CLoopbackResponse::Text(200, std::string(), s_szContentType);
    default:
        return CLoopbackResponse::Text(200, BuildPage(sKeyword, nOffset, fault), s_szContentType);
    }
}
