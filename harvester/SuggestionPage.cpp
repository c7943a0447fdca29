// SuggestionPage.cpp - the statistics-page parser and the level walker.
#include "SuggestionPage.h"
#include "Formula.h"

#include <string.h>

const char szStatsHeaderCell[] = "<td align=left>Слова</td>";
const char szStatsPhraseCell[] = "<td align=left><a";
const char szStatsLinkTagEnd[] = "\">";
const char szStatsPhraseEnd[] = "</a>";
const char szStatsCountCell[] = "<td align=right>";
const char szStatsCellEnd[] = "</td>";
const char szStatsNextPageLink[] = "&nbsp;<a class=scroll href=\"?&q=";
const char szNotParsedPage[] = "<Not Parsed>";
const char szNoSuggestions[] = "No Suggestions";

static const char szMessageCaption[] = "MESSAGE";
const char szNoTableMessage[] =
    "The statistics service sent a page without its table of phrases: the run ends here, with the phrases found so far.";

CHarvestRun::CHarvestRun()
    : m_nPagesLimit(1), m_nDigMode(0), m_nLevelsLimit(1), m_nPage(0), m_nSeedIndex(0),
      m_nLevelEnd(0), m_nLevel(0), m_bFirstLevel(false), m_bRunning(false),
      m_bStopRequested(false), m_nRunId(0), m_nIndexed(0)
{
}

bool CHarvestRun::BeginRun(LPCSTR pszSeed)
{
    if (!pszSeed || !*pszSeed)
        return false;
    m_sKeyword = pszSeed;
    m_nPage = 0;
    m_nSeedIndex = 0;
    m_nLevel = 0;
    m_nLevelEnd = 0;
    m_bFirstLevel = true;
    m_bRunning = true;
    m_bStopRequested = false;
    m_nRunId++;
    ResetResults();
    return true;
}

CString CHarvestRun::GetPageText() const
{
    return m_nPage != 0 ? NumberToText((UINT)m_nPage) : CString();
}

void CHarvestRun::ResetResults()
{
    m_aPhrases.RemoveAll();
    m_aQueries.RemoveAll();
    m_setPhrases.clear();
    m_nIndexed = 0;
}

// The set follows the phrase array; should the array have been emptied or
// shortened from outside, it is built again.
void CHarvestRun::IndexPhrases()
{
    if (m_nIndexed > m_aPhrases.GetSize()) {
        m_setPhrases.clear();
        m_nIndexed = 0;
    }
    for (; m_nIndexed < m_aPhrases.GetSize(); m_nIndexed++)
        m_setPhrases.insert(m_aPhrases[m_nIndexed]);
}

bool CHarvestRun::HasPhrase(const CString& sPhrase)
{
    IndexPhrases();
    return m_setPhrases.count(sPhrase) != 0;
}

void CHarvestRun::AddResult(const CString& sPhrase, const CString& sQueries)
{
    m_aPhrases.Add(sPhrase);
    m_aQueries.Add(sQueries);
}

CString NextPageLink(LPCSTR pszKeyword, int nPage)
{
    CString sLink(szStatsNextPageLink);
    sLink += CFormula::StatsKeyword(pszKeyword);
    sLink += "&sf=";
    sLink += NumberToText((UINT)nPage);
    sLink += "00";
    return sLink;
}

// Position of pszMarker in the page at or after nStart, or -1.
static int FindFrom(const CString& sPage, LPCSTR pszMarker, int nStart)
{
    if (nStart < 0)
        nStart = 0;
    if (nStart > sPage.GetLength())
        return -1;
    return sPage.Find(pszMarker, nStart);
}

// Link text of a phrase: no markup and no control characters.
static bool IsPhraseText(const CString& sPhrase)
{
    for (int i = 0; i < sPhrase.GetLength(); i++) {
        BYTE by = (BYTE)sPhrase[i];
        if (by < 0x20 || by == '<' || by == '>')
            return false;
    }
    return true;
}

// A query count: decimal digits only, at least one.
static bool IsCountText(const CString& sQueries)
{
    if (sQueries.IsEmpty())
        return false;
    for (int i = 0; i < sQueries.GetLength(); i++)
        if (sQueries[i] < '0' || sQueries[i] > '9')
            return false;
    return true;
}

static void EndRun(CHarvestRun& run, CHarvestStep& step, HarvestAction nAction, LPCSTR pszMessage,
                   UINT nType)
{
    run.m_bRunning = false;
    step.nAction = nAction;
    step.sMessage = pszMessage;
    step.sCaption = szMessageCaption;
    step.nMessageType = nType;
}

CHarvestStep ParseSuggestionPage(CHarvestRun& run, const CString& sPage)
{
    CHarvestStep step;
    if (!run.m_bRunning)
        return step;

    int p = sPage.Find(szStatsHeaderCell);
    if (p < 0) {
        // A page without the table (an error page, or one the service changed)
        // ends the run instead of leaving it open with nothing to come. With
        // phrases already listed the user is told why the run ended there;
        // with none, the view's "No Suggestions" says it.
        if (run.m_aPhrases.GetSize() > 0) {
            EndRun(run, step, harvestNoTable, szNoTableMessage, MB_OK | MB_ICONEXCLAMATION);
            step.nRunProgress = 100;
        } else {
            run.m_bRunning = false;
            step.nAction = harvestNoTable;
        }
        return step;
    }
    if (run.m_bStopRequested) {
        EndRun(run, step, harvestStopped, "process stoped", MB_OK | MB_ICONEXCLAMATION);
        return step;
    }

    const int nCountCell = (int)strlen(szStatsCountCell);
    for (;;) {
        int a = FindFrom(sPage, szStatsPhraseCell, p + 1);
        if (a < 0)
            break;
        int b = FindFrom(sPage, szStatsLinkTagEnd, a + 1);
        if (b < 0)
            break;
        // The phrase's end is looked for from its first byte, so an empty
        // link ends at its own "</a>" instead of taking in the next rows.
        int c = FindFrom(sPage, szStatsPhraseEnd, b + 2);
        if (c < 0)
            break;
        CString sPhrase = sPage.Mid(b + 2, c - b - 2);
        int d = FindFrom(sPage, szStatsCountCell, c + 1);
        if (d < 0)
            break;
        int e = d + nCountCell;
        p = FindFrom(sPage, szStatsCellEnd, e + 1);
        if (p < 0)
            break;
        CString sQueries = sPage.Mid(e, p - e);

        if (sPhrase.IsEmpty() || sPhrase.Find('[') >= 0)
            continue;
        // A damaged page (cut, or changed on its way) can put markup into a
        // phrase or text into a count: such a row is no phrase with its number
        // and is skipped, so the list and the seeds of a dig hold only real ones.
        if (!IsPhraseText(sPhrase) || !IsCountText(sQueries))
            continue;
        sPhrase.Replace("&quot;", "\"");
        if (run.m_nDigMode == 1 && run.HasPhrase(sPhrase))
            continue;
        run.AddResult(sPhrase, sQueries);
        step.nRowsAdded++;
    }

    run.m_nPage++;
    // Limits below 1 never come from the settings; they count as 1 here.
    int nPagesLimit = run.m_nPagesLimit < 1 ? 1 : run.m_nPagesLimit;
    if (run.m_nPage < nPagesLimit && sPage.Find(NextPageLink(run.m_sKeyword, run.m_nPage)) >= 0) {
        if (run.m_nDigMode == 0)
            step.nRunProgress = run.m_nPage * (100 / nPagesLimit);
        step.nAction = harvestFetchNextPage;
        return step;
    }
    if (run.m_nDigMode == 1) {
        CHarvestStep dig = DigNextKeyword(run);
        dig.nRowsAdded = step.nRowsAdded;
        return dig;
    }
    EndRun(run, step, harvestCompleted, "completed", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    step.nRunProgress = 100;
    return step;
}

CHarvestStep TakeFetchedPage(CHarvestRun& run, const CString& sPage)
{
    if (run.m_bRunning && sPage == szNotParsedPage) {
        // The run ends here instead of waiting for a page that will not come.
        CHarvestStep step;
        run.m_bRunning = false;
        step.nAction = harvestFetchFailed;
        step.sMessage = "Connection with Brenvik not stable !";
        step.nMessageType = MB_OK;
        return step;
    }
    return ParseSuggestionPage(run, sPage);
}

// Moves the run on to phrase k as its next seed.
static void TakeSeed(CHarvestRun& run, CHarvestStep& step, int k)
{
    run.m_sKeyword = run.m_aPhrases[k];
    run.m_nPage = 0;
    run.m_nSeedIndex = k + 1;
    step.nAction = harvestFetchNextSeed;
}

CHarvestStep DigNextKeyword(CHarvestRun& run)
{
    CHarvestStep step;
    int nLevelsLimit = run.m_nLevelsLimit < 1 ? 1 : run.m_nLevelsLimit;
    step.nRunProgress = (100 / nLevelsLimit) * run.m_nLevel;

    if (run.m_nLevel == 0 && run.m_bFirstLevel) {
        run.m_nLevelEnd = (int)run.m_aPhrases.GetSize();
        run.m_bFirstLevel = false;
    }
    int n = (int)run.m_aPhrases.GetSize();
    int k = run.m_nSeedIndex;
    if (k < n && k < run.m_nLevelEnd) {
        TakeSeed(run, step, k);
        return step;
    }
    // The current level is used up: the phrases found while digging it are
    // the next level.
    run.m_nLevel++;
    run.m_nLevelEnd = n;
    if (run.m_nLevel >= nLevelsLimit || k >= n) {
        EndRun(run, step, harvestCompleted, "completed", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        step.nRunProgress = 100;
        return step;
    }
    TakeSeed(run, step, k);
    return step;
}
