// GetSuggestionThread.h - CGetSuggestionThread: fetches statistics pages over
// HTTP and hands each to the main view by a posted WM_SUGGESTIONS_FETCHED
// (HarvestMessages.h). Start gives the page to the fetcher: one thread that
// takes the pages one after another and ends by itself after a while without
// any (the object deletes itself). A thread of its own for every page would
// cost several times the fetch: under this system a new thread's first
// request takes twice as long as a request of a thread that made one before.
// A thread configured by hand and resumed fetches its one page and ends.
//
// Everything the thread needs is copied into it before it runs: the keyword,
// the page number, the statistics host (read from the profile on the
// user-interface thread: a worker never touches the application object), the
// view's window and the run id. The thread touches nothing of the view; if
// the view's window is gone when the page is ready, the post fails and the
// thread frees both blocks itself.
//
//   CGetSuggestionThread::Start(m_hWnd, m_nRunId, m_sCurrentKeyword, sPage,
//                               CGetSuggestionThread::GetProfileHost());
#pragma once

#include <afxwin.h>

class CGetSuggestionThread : public CWinThread
{
    DECLARE_DYNCREATE(CGetSuggestionThread)
protected:
    CGetSuggestionThread();   // created through its run-time class

public:
    // Set before the thread is resumed.
    CString m_sKeyword;   // lower-cased in place by the request
    CString m_sPage;      // decimal page number, "" for the first page
    CString m_sHost;      // "host" or "host:port" of the statistics service
    HWND m_hWndTarget;    // the window the page is posted to
    UINT m_nRunId;        // travels back in the keyword block
    // Time limits of one attempt, in milliseconds (see the constructor).
    DWORD m_dwConnectTimeout;
    DWORD m_dwReceiveTimeout;

    // Queues the page for the fetcher, starting the fetcher (normal priority,
    // default stack) when none runs. The fetcher, or NULL when it cannot be
    // started.
    static CGetSuggestionThread* Start(HWND hWndTarget, UINT nRunId, LPCSTR pszKeyword, LPCSTR pszPage,
                                       LPCSTR pszHost);
    // The statistics host from the profile (profileStatisticsHost); call it
    // on the user-interface thread.
    static CString GetProfileHost();

    // The request path and the whole URL for a keyword and page text; the
    // keyword is lower-cased first.
    static CString BuildUrl(LPCSTR pszHost, const CString& sKeyword, const CString& sPage);

    BOOL InitInstance() override;
    int Run() override;

    // Up to ten attempts; the page text, or "<Not Parsed>".
    CString DownloadPage();

protected:
    // One attempt: the page text, or a thrown failure (CString or
    // CInternetException*); an empty text is a failed attempt as well.
    CString DownloadOnce(const CString& sUrl);
    // Posts the two blocks; frees them when they cannot be posted.
    BOOL HandOver(const CString& sText);
    // The fetcher's loop: the queued pages one after another.
    int ServeRequests();
    BOOL m_bServesRequests;   // the fetcher of Start, not a one-page thread
};

// The most attempts one page gets.
inline constexpr int nFetchAttempts = 10;
// The fetcher ends after waiting this long for a page to fetch.
inline constexpr DWORD nFetcherIdleMs = 3000;
// The receive buffer, the read size and the fill limit of one attempt.
inline constexpr DWORD nFetchBufferSize = 1000000;
inline constexpr DWORD nFetchReadSize = 1000;
inline constexpr DWORD nFetchFillLimit = 998000;
