// SuggestionPage.h - the statistics-page parser and the level walker, over a
// run state of their own, so that the view only feeds pages in and acts on
// what comes back.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <unordered_set>
#include "Utilities.h"

// The markers of a statistics page: exact bytes, compared case-sensitively.
// The header cell's word is code page 1251 (D1 EB EE E2 E0).
extern const char szStatsHeaderCell[];   // "<td align=left>Слова</td>"
extern const char szStatsPhraseCell[];   // "<td align=left><a"
extern const char szStatsLinkTagEnd[];   // "\">"
extern const char szStatsPhraseEnd[];    // "</a>"
extern const char szStatsCountCell[];    // "<td align=right>"
extern const char szStatsCellEnd[];      // "</td>"
extern const char szStatsNextPageLink[]; // "&nbsp;<a class=scroll href=\"?&q="

// The page text the fetch hands over after ten failed attempts.
extern const char szNotParsedPage[];     // "<Not Parsed>"
// What the view shows after a page when the run has found no phrase at all.
extern const char szNoSuggestions[];     // "No Suggestions"

// The state of one harvest run. The view owns one and changes it only on the
// user-interface thread.
class CHarvestRun
{
public:
    CHarvestRun();

    // Starts a run for the seed: counters to 0, result arrays emptied, first-
    // level flag and running set, stop request cleared, a new run id. An empty
    // seed starts nothing and changes nothing (returns false).
    bool BeginRun(LPCSTR pszSeed);
    // The page text the fetch of the current page is given: "" for the first
    // page, else the page counter in decimal.
    CString GetPageText() const;
    // Empties both result arrays (and what the duplicate test knows of them).
    void ResetResults();

    // Whether the phrase array already holds this phrase (whole string, case-
    // sensitive); costs the same however many phrases were found.
    bool HasPhrase(const CString& sPhrase);
    void AddResult(const CString& sPhrase, const CString& sQueries);

    // Settings (set only between runs).
    int m_nPagesLimit;        // pages of one seed at most
    short m_nDigMode;         // 0 dig by the sample keyword, 1 dig by all keywords
    int m_nLevelsLimit;       // levels dug in dig-by-all mode

    // Run state.
    CString m_sKeyword;       // the seed whose pages are being fetched (the keyword
                              // box only shows it; it is never read back in a run)
    int m_nPage;              // pages of the current seed parsed so far
    int m_nSeedIndex;         // next phrase the level walker takes as seed
    int m_nLevelEnd;          // where the seeds of the current level end
    int m_nLevel;             // levels completed in dig-by-all mode
    bool m_bFirstLevel;
    bool m_bRunning;
    bool m_bStopRequested;
    UINT m_nRunId;            // changes at every BeginRun: pages of older runs are stale

    CStringArray m_aPhrases;  // phrases found in this run, in the order found
    CStringArray m_aQueries;  // the query-count text of each phrase

private:
    void IndexPhrases();

    std::unordered_set<CString, CStringHash> m_setPhrases;
    INT_PTR m_nIndexed;       // how many entries of m_aPhrases the set covers
};

enum HarvestAction
{
    harvestNothing,        // not running: the page was ignored
    harvestFetchNextPage,  // post WM_FETCH_NEXT_PAGE for the next page of the same seed
    harvestFetchNextSeed,  // show m_sKeyword in the keyword box, post WM_FETCH_NEXT_PAGE
    harvestCompleted,      // the run has ended; show the message
    harvestStopped,        // a stop request was taken; show the message
    harvestNoTable,        // the page held no statistics table; the run has ended
    harvestFetchFailed     // the fetch gave up; the run has ended; show the message
};

// What the view does after a page: the action, the run progress bar's new
// value, and a message box to show.
struct CHarvestStep
{
    HarvestAction nAction = harvestNothing;
    int nRunProgress = -1;     // -1: leave the run progress bar as it is
    CString sMessage;          // empty: no message box
    CString sCaption;
    UINT nMessageType = 0;     // MB_ flags of the message box
    int nRowsAdded = 0;

    // Running is false in the run state; enable Go again.
    bool EndsRun() const
    {
        return nAction == harvestCompleted || nAction == harvestStopped || nAction == harvestNoTable ||
               nAction == harvestFetchFailed;
    }
};

// The link to the next page that a page of this seed carries: built from the
// same lower-cased, encoded keyword as the request, so capitals in the seed
// still find it.
CString NextPageLink(LPCSTR pszKeyword, int nPage);

// Shown when a page without the table ends a run that had found phrases.
extern const char szNoTableMessage[];

// Reads the rows of one page into the run's arrays and decides what follows.
CHarvestStep ParseSuggestionPage(CHarvestRun& run, const CString& sPage);

// What a fetched page text leads to: the failed-fetch text ends the run with
// its message (shown as a plain message box, no caption of its own), any
// other text is parsed.
CHarvestStep TakeFetchedPage(CHarvestRun& run, const CString& sPage);

// Dig-by-all: takes the next phrase as the seed, or ends the run when the
// levels limit is reached or no phrase is left.
CHarvestStep DigNextKeyword(CHarvestRun& run);
