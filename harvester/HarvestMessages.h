// HarvestMessages.h - the two window messages that carry a harvest run
// between the main view and its fetch threads, and the blocks that travel
// with a fetched page.
//
// WM_SUGGESTIONS_FETCHED (posted by a fetch thread to the view):
//   wParam  the keyword block: a fixed global-memory block holding the
//           keyword the thread fetched (lower-cased), NUL-terminated, followed
//           by the run id the thread was given (4 bytes, byte-copied). Read as
//           text the block is the keyword alone; the id sits after its NUL.
//   lParam  the page block: a fixed global-memory block holding the page
//           text, NUL-terminated ("<Not Parsed>" after ten failed attempts).
//   The receiver owns both blocks and frees both whatever it does with them;
//   CFetchedPage does exactly that. Result 1.
//
// WM_FETCH_NEXT_PAGE (the view to itself): wParam and lParam 0. Result 1.
//
// Stale pages: the view counts its runs (a new id at every Go) and gives each
// fetch thread the id of the run it serves. A page whose id is not the
// current run's belongs to a run that was restarted: the view frees its
// blocks and drops it, so no page of an old run is parsed into a new one and
// no old chain posts a further fetch.
#pragma once

#include <windows.h>

#define WM_SUGGESTIONS_FETCHED (WM_USER + 101)
#define WM_FETCH_NEXT_PAGE (WM_USER + 102)

// The two blocks of one message. Both return NULL when the memory cannot be
// had. Each block made here is counted until FreeFetchedBlock frees it.
HGLOBAL AllocFetchedKeywordBlock(LPCSTR pszKeyword, UINT nRunId);
HGLOBAL AllocFetchedTextBlock(LPCSTR pszText);
// GlobalFree, for either block (NULL is ignored).
void FreeFetchedBlock(HGLOBAL hBlock);
// Blocks made by the two allocators and not yet freed, over the whole process.
LONG GetFetchedBlocksAlive();

// The receiving end of WM_SUGGESTIONS_FETCHED: takes both blocks and frees
// both when it goes, on every path out of the handler.
//
//   LRESULT CPellucorView::OnSuggestionsFetched(WPARAM wParam, LPARAM lParam)
//   {
//       CFetchedPage page(wParam, lParam);
//       if (page.GetRunId() != m_nRunId)
//           return 1;   // a page of an earlier run
//       ... page.GetPage() ...
//   }
class CFetchedPage
{
public:
    CFetchedPage(WPARAM wParam, LPARAM lParam);
    ~CFetchedPage();
    CFetchedPage(const CFetchedPage&) = delete;
    CFetchedPage& operator=(const CFetchedPage&) = delete;

    LPCSTR GetKeyword() const { return m_pszKeyword; }   // "" when the block is missing
    LPCSTR GetPage() const { return m_pszPage; }         // "" when the block is missing
    // The id AllocFetchedKeywordBlock put after the keyword; 0 when the block
    // is too short to hold one (run ids start at 1).
    UINT GetRunId() const { return m_nRunId; }

private:
    HGLOBAL m_hKeyword;
    HGLOBAL m_hPage;
    LPCSTR m_pszKeyword;
    LPCSTR m_pszPage;
    UINT m_nRunId;
};
