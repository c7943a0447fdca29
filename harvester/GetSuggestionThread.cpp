// GetSuggestionThread.cpp - the statistics fetch thread and the blocks of
// WM_SUGGESTIONS_FETCHED.
#include "GetSuggestionThread.h"
#include <afxinet.h>
#include <deque>
#include "ExceptionReport.h"
#include "Formula.h"
#include "HarvestMessages.h"
#include "ProfileKeys.h"
#include "SuggestionPage.h"

// ---------------------------------------------------------------------------
// The message blocks
// ---------------------------------------------------------------------------

static volatile LONG s_nFetchedBlocksAlive = 0;

static HGLOBAL AllocCountedBlock(SIZE_T nSize)
{
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_FIXED, nSize);
    if (hBlock != NULL)
        InterlockedIncrement(&s_nFetchedBlocksAlive);
    return hBlock;
}

// The id goes after the keyword's NUL, byte-copied: whoever reads the block as
// text sees the keyword alone.
HGLOBAL AllocFetchedKeywordBlock(LPCSTR pszKeyword, UINT nRunId)
{
    if (pszKeyword == NULL)
        pszKeyword = "";
    SIZE_T nLength = strlen(pszKeyword);
    HGLOBAL hBlock = AllocCountedBlock(nLength + 1 + sizeof(UINT));
    if (hBlock != NULL) {
        BYTE* pBytes = (BYTE*)hBlock;   // a fixed block's handle is its address
        memcpy(pBytes, pszKeyword, nLength + 1);
        memcpy(pBytes + nLength + 1, &nRunId, sizeof(UINT));
    }
    return hBlock;
}

HGLOBAL AllocFetchedTextBlock(LPCSTR pszText)
{
    if (pszText == NULL)
        pszText = "";
    SIZE_T nSize = strlen(pszText) + 1;
    HGLOBAL hBlock = AllocCountedBlock(nSize);
    if (hBlock != NULL)
        memcpy((void*)hBlock, pszText, nSize);
    return hBlock;
}

void FreeFetchedBlock(HGLOBAL hBlock)
{
    if (hBlock != NULL && ::GlobalFree(hBlock) == NULL)
        InterlockedDecrement(&s_nFetchedBlocksAlive);
}

LONG GetFetchedBlocksAlive()
{
    return InterlockedCompareExchange(&s_nFetchedBlocksAlive, 0, 0);
}

CFetchedPage::CFetchedPage(WPARAM wParam, LPARAM lParam)
    : m_hKeyword((HGLOBAL)wParam), m_hPage((HGLOBAL)lParam), m_pszKeyword(""), m_pszPage(""), m_nRunId(0)
{
    if (m_hKeyword != NULL) {
        m_pszKeyword = (LPCSTR)m_hKeyword;
        // The id is there only when the block is long enough to hold it after
        // the text (the system may round a block's size up, never down).
        SIZE_T nLength = strlen(m_pszKeyword);
        if (::GlobalSize(m_hKeyword) >= nLength + 1 + sizeof(UINT))
            memcpy(&m_nRunId, m_pszKeyword + nLength + 1, sizeof(UINT));
    }
    if (m_hPage != NULL)
        m_pszPage = (LPCSTR)m_hPage;
}

CFetchedPage::~CFetchedPage()
{
    FreeFetchedBlock(m_hKeyword);
    FreeFetchedBlock(m_hPage);
}

// ---------------------------------------------------------------------------
// CGetSuggestionThread
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CGetSuggestionThread, CWinThread)

static const char szFetchAgent[] = "Vovived";

// Ten attempts at a host that never answers must not keep a user waiting for
// minutes: each attempt gives the connection 3 s and each read 10 s, so a
// dead host costs at most half a minute and a refused port a few
// milliseconds.
static const DWORD dwDefaultConnectTimeout = 3000;
static const DWORD dwDefaultReceiveTimeout = 10000;

CGetSuggestionThread::CGetSuggestionThread()
    : m_hWndTarget(NULL), m_nRunId(0), m_dwConnectTimeout(dwDefaultConnectTimeout),
      m_dwReceiveTimeout(dwDefaultReceiveTimeout), m_bServesRequests(FALSE)
{
    m_bAutoDelete = TRUE;
}

// ---------------------------------------------------------------------------
// The fetcher of the runs: one thread that takes the pages one after another
// ---------------------------------------------------------------------------

namespace {

struct FETCH_REQUEST
{
    HWND hWndTarget;
    UINT nRunId;
    CString sKeyword;
    CString sPage;
    CString sHost;
};

// The requests waiting for the fetcher, and the fetcher itself (NULL when
// none runs: it ends after a while without requests). Both under the lock.
CRITICAL_SECTION* FetchLock()
{
    static CRITICAL_SECTION s_lock;
    static bool s_bReady = [] {
        ::InitializeCriticalSection(&s_lock);
        return true;
    }();
    (void)s_bReady;
    return &s_lock;
}
std::deque<FETCH_REQUEST> s_requests;
CGetSuggestionThread* s_pFetcher = NULL;
HANDLE s_hRequestEvent = NULL;   // set while requests wait

}  // namespace

CGetSuggestionThread* CGetSuggestionThread::Start(HWND hWndTarget, UINT nRunId, LPCSTR pszKeyword,
                                                  LPCSTR pszPage, LPCSTR pszHost)
{
    FETCH_REQUEST request = {hWndTarget, nRunId, pszKeyword ? pszKeyword : "", pszPage ? pszPage : "",
                             pszHost ? pszHost : ""};
    CRITICAL_SECTION* pLock = FetchLock();
    ::EnterCriticalSection(pLock);
    if (s_hRequestEvent == NULL)
        s_hRequestEvent = ::CreateEventA(NULL, FALSE, FALSE, NULL);
    CGetSuggestionThread* pFetcher = s_pFetcher;
    if (pFetcher == NULL && s_hRequestEvent != NULL) {
        CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CGetSuggestionThread), THREAD_PRIORITY_NORMAL, 0,
                                             CREATE_SUSPENDED);
        if (pThread != NULL) {
            pFetcher = static_cast<CGetSuggestionThread*>(pThread);
            pFetcher->m_bServesRequests = TRUE;
            s_pFetcher = pFetcher;
            pFetcher->ResumeThread();
        }
    }
    if (pFetcher != NULL) {
        s_requests.push_back(request);
        ::SetEvent(s_hRequestEvent);
    }
    ::LeaveCriticalSection(pLock);
    return pFetcher;
}

// Takes the requests one after another. A fetcher that has waited
// nFetcherIdleMs for a request ends; the next request starts a new one.
int CGetSuggestionThread::ServeRequests()
{
    CRITICAL_SECTION* pLock = FetchLock();
    for (;;) {
        ::EnterCriticalSection(pLock);
        if (s_requests.empty()) {
            ::LeaveCriticalSection(pLock);
            if (::WaitForSingleObject(s_hRequestEvent, nFetcherIdleMs) == WAIT_TIMEOUT) {
                ::EnterCriticalSection(pLock);
                if (s_requests.empty()) {
                    s_pFetcher = NULL;   // from here on, a request starts a new fetcher
                    ::LeaveCriticalSection(pLock);
                    return ExitInstance();
                }
                ::LeaveCriticalSection(pLock);
            }
            continue;
        }
        FETCH_REQUEST request = s_requests.front();
        s_requests.pop_front();
        ::LeaveCriticalSection(pLock);

        m_hWndTarget = request.hWndTarget;
        m_nRunId = request.nRunId;
        m_sKeyword = request.sKeyword;
        m_sPage = request.sPage;
        m_sHost = request.sHost;
        CString sText;
        if (!m_sKeyword.IsEmpty())
            sText = DownloadPage();
        HandOver(sText);
    }
}

CString CGetSuggestionThread::GetProfileHost()
{
    return ReadProfileKey(AfxGetApp(), profileStatisticsHost);
}

// A host given with its scheme keeps it (an "https://" host makes the
// requests secure); a bare host is plain HTTP.
CString CGetSuggestionThread::BuildUrl(LPCSTR pszHost, const CString& sKeyword, const CString& sPage)
{
    CString sHost(pszHost ? pszHost : "");
    CString sLower(sHost);
    sLower.MakeLower();
    CString sUrl;
    if (sLower.Find("http://") == 0 || sLower.Find("https://") == 0)
        sUrl = sHost;
    else
        sUrl = "http://" + sHost;
    sUrl.TrimRight('/');
    return sUrl + CFormula::StatsRequestPath(sKeyword, sPage);
}

BOOL CGetSuggestionThread::InitInstance()
{
    InstallSeTranslator();
    return TRUE;
}

int CGetSuggestionThread::Run()
{
    if (m_bServesRequests)
        return ServeRequests();
    CString sText;
    if (!m_sKeyword.IsEmpty())
        sText = DownloadPage();
    HandOver(sText);
    return ExitInstance();
}

// The view's window may be gone by the time the page is ready: then the post
// fails and nobody else will free the blocks. (A window destroyed after the
// post succeeded takes the queued message, and its blocks, with it.)
BOOL CGetSuggestionThread::HandOver(const CString& sText)
{
    HGLOBAL hKeyword = AllocFetchedKeywordBlock(m_sKeyword, m_nRunId);
    HGLOBAL hText = AllocFetchedTextBlock(sText);
    if (hKeyword != NULL && hText != NULL && m_hWndTarget != NULL &&
        ::PostMessage(m_hWndTarget, WM_SUGGESTIONS_FETCHED, (WPARAM)hKeyword, (LPARAM)hText))
        return TRUE;
    FreeFetchedBlock(hKeyword);
    FreeFetchedBlock(hText);
    return FALSE;
}

CString CGetSuggestionThread::DownloadPage()
{
    // The request and the thread's keyword block both carry the lower-cased
    // keyword.
    m_sKeyword.MakeLower();
    CString sUrl = BuildUrl(m_sHost, m_sKeyword, m_sPage);

    // A failure of any kind ends one attempt and the next follows at once;
    // the reasons are not shown anywhere.
    CString sResult;
    for (int nAttempt = 0; sResult.IsEmpty() && nAttempt < nFetchAttempts; ++nAttempt) {
        try {
            sResult = DownloadOnce(sUrl);
        } catch (const CString&) {
        } catch (CInternetException* e) {
            char szMessage[512];
            e->GetErrorMessage(szMessage, sizeof szMessage);
            e->Delete();
        } catch (CException* e) {
            e->Delete();
        }
    }
    if (sResult.IsEmpty())
        sResult = szNotParsedPage;
    return sResult;
}

CString CGetSuggestionThread::DownloadOnce(const CString& sUrl)
{
    TestFaultPoint("fetch");
    CInternetSession session(szFetchAgent, 1, PRE_CONFIG_INTERNET_ACCESS, NULL, NULL, 0);
    session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, m_dwConnectTimeout);
    session.SetOption(INTERNET_OPTION_CONNECT_RETRIES, (DWORD)1);
    session.SetOption(INTERNET_OPTION_SEND_TIMEOUT, m_dwReceiveTimeout);
    session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, m_dwReceiveTimeout);
    session.SetOption(INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, m_dwReceiveTimeout);

    DWORD dwFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    CString sLowerUrl(sUrl);
    sLowerUrl.MakeLower();
    if (sLowerUrl.Find("https://") >= 0)
        dwFlags |= INTERNET_FLAG_SECURE;

    CHttpConnection* pConnection = NULL;
    CHttpFile* pFile = NULL;
    char* pBuffer = NULL;
    CString sPage;
    try {
        pBuffer = (char*)malloc(nFetchBufferSize);
        if (pBuffer == NULL)
            throw CString("Not enough memory");

        DWORD dwService = 0;
        CString sServer, sObject;
        INTERNET_PORT nPort = 0;
        if (!AfxParseURL(sUrl, dwService, sServer, sObject, nPort))
            throw CString("Can't load ") + sUrl;
        pConnection = session.GetHttpConnection(sServer, nPort, NULL, NULL);
        pFile = pConnection->OpenRequest(CHttpConnection::HTTP_VERB_GET, sObject, NULL, 1, NULL, NULL, dwFlags);
        if (!pFile->SendRequest(NULL, 0, NULL, 0))
            throw CString("Can't load ") + sUrl;

        // Only a success status carries a page: an error page of the
        // service (404, 500, 503 ...) would be parsed as "no suggestions".
        DWORD dwStatus = 0;
        if (!pFile->QueryInfoStatusCode(dwStatus) || dwStatus < 200 || dwStatus > 299) {
            CString sStatus;
            sStatus.Format("%lu", (unsigned long)dwStatus);
            throw CString("Error ") + sStatus + " on " + sUrl;
        }

        // Reads of 1,000 bytes until the data ends or more than 998,000 bytes
        // are stored; the chunk read when the size test ends the loop is not
        // kept, so the text never exceeds 999,000 bytes.
        DWORD nStored = 0;
        UINT nRead = pFile->Read(pBuffer, nFetchReadSize);
        while (nRead > 0 && nStored <= nFetchFillLimit) {
            nStored += nRead;
            nRead = pFile->Read(pBuffer + nStored, nFetchReadSize);
        }
        pFile->Close();
        pConnection->Close();
        pBuffer[nStored] = '\0';
        delete pFile;
        pFile = NULL;
        delete pConnection;
        pConnection = NULL;
        sPage = pBuffer;   // up to the first NUL
        free(pBuffer);
        pBuffer = NULL;
    } catch (...) {
        if (pFile != NULL) {
            pFile->Abort();
            delete pFile;
        }
        if (pConnection != NULL) {
            pConnection->Close();
            delete pConnection;
        }
        free(pBuffer);
        session.Close();
        throw;
    }
    session.Close();
    return sPage;
}
