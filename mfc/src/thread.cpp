// thread.cpp - CWinThread, AfxBeginThread and the message loop.
#include "wndimpl.h"

#include <process.h>
#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread()
{
    CommonConstruct();
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
{
    CommonConstruct();
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

void CWinThread::CommonConstruct()
{
    m_pMainWnd = NULL;
    m_pActiveWnd = NULL;
    m_bAutoDelete = TRUE;
    m_hThread = NULL;
    m_nThreadID = 0;
    m_pThreadParams = NULL;
    m_pfnThreadProc = NULL;
    memset(&m_msgCur, 0, sizeof(m_msgCur));
    m_ptCursorLast.x = m_ptCursorLast.y = -1;
    m_nMsgLast = 0;
}

CWinThread::~CWinThread()
{
    if (m_hThread != NULL)
        ::CloseHandle(m_hThread);
    AFX_WND_THREAD_STATE* pState = AfxPeekWndThreadState();
    if (pState != NULL && pState->pCurrentThread == this)
        pState->pCurrentThread = NULL;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != NULL)
        return m_pActiveWnd;
    return m_pMainWnd;
}

// ---------------------------------------------------------------------------
// Starting and ending threads
// ---------------------------------------------------------------------------

// Releases the thread's framework state and, for an auto-delete thread, the
// object, once the thread's code is done.
static void EndThreadState(CWinThread* pThread, BOOL bDelete)
{
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    pState->pCurrentThread = NULL;
    if (bDelete && pThread != NULL) {
        try {
            pThread->Delete();
        } catch (...) {
            AfxReportCaughtException(FALSE);
        }
    }
    AfxTermThread();
}

// Nothing escapes a thread: whatever InitInstance, Run or the thread
// function throws is reported (without a modal box: a worker may have no
// window to own one), ExitInstance still runs, and the thread ends cleanly.
static unsigned __stdcall AfxThreadEntry(void* pParam)
{
    CWinThread* pThread = (CWinThread*)pParam;
    AfxGetWndThreadState()->pCurrentThread = pThread;
    UINT nResult = (UINT)-1;
    BOOL bExited = FALSE;   // ExitInstance has run (or is not due)
    try {
        if (pThread->m_pfnThreadProc != NULL) {
            bExited = TRUE;
            nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        } else if (!pThread->InitInstance()) {
            bExited = TRUE;
            nResult = (UINT)pThread->ExitInstance();
        } else {
            nResult = (UINT)pThread->Run();   // Run ends with ExitInstance
            bExited = TRUE;
        }
    } catch (...) {
        AfxReportCaughtException(FALSE);
        if (!bExited) {
            try {
                pThread->ExitInstance();
            } catch (...) {
                AfxReportCaughtException(FALSE);
            }
        }
        nResult = (UINT)-1;
    }
    EndThreadState(pThread, TRUE);
    return nResult;
}

// The thread always starts suspended so that its handle and id are set
// before it runs; it is resumed here unless the caller asked otherwise.
BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned nThreadID = 0;
    HANDLE hThread = (HANDLE)_beginthreadex(lpSecurityAttrs, nStackSize, &AfxThreadEntry, this, CREATE_SUSPENDED,
                                            &nThreadID);
    if (hThread == NULL)
        return FALSE;
    m_hThread = hThread;
    m_nThreadID = nThreadID;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(hThread);
    return TRUE;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == NULL || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        AfxThrowInvalidArgException();
    CWinThread* pThread = (CWinThread*)pThreadClass->CreateObject();
    if (pThread == NULL)
        AfxThrowMemoryException();
    pThread->m_pThreadParams = NULL;
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == AfxGetApp())
        pThread = NULL;   // the application object is not the thread's to delete
    EndThreadState(pThread, bDelete);
    _endthreadex(nExitCode);
}

CWinThread* AFXAPI AfxGetThread()
{
    AFX_WND_THREAD_STATE* pState = AfxPeekWndThreadState();
    if (pState != NULL && pState->pCurrentThread != NULL)
        return pState->pCurrentThread;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_nThreadID == ::GetCurrentThreadId())
        return pApp;
    return NULL;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

// ---------------------------------------------------------------------------
// The message loop
// ---------------------------------------------------------------------------

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
            BOOL bMore = FALSE;
            try {
                bMore = OnIdle(lIdleCount++);
            } catch (...) {
                AfxReportCaughtException(this == AfxGetApp());
            }
            if (!bMore)
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, NULL, 0, 0))
        return FALSE;
    if (m_msgCur.message == WM_KICKIDLE)
        return TRUE;
    BOOL bTranslated = FALSE;
    try {
        bTranslated = PreTranslateMessage(&m_msgCur);
    } catch (...) {
        AfxReportCaughtException(this == AfxGetApp());
        return TRUE;
    }
    if (!bTranslated) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

// Thread messages go through the thread's map; window messages from their
// window up to the main window (stopping there); a message for a window
// outside the main window (a modeless dialog) still gets the main window's
// accelerators last.
BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg))
        return TRUE;
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = pMainWnd->GetSafeHwnd();
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    if (hWndMain != NULL && pMsg->hwnd != NULL && CWnd::FromHandlePermanent(hWndMain) == pMainWnd) {
        HWND hWnd = pMsg->hwnd;
        while (hWnd != NULL && hWnd != hWndMain)
            hWnd = ::GetParent(hWnd);
        if (hWnd == NULL)   // the walk did not pass the main window
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), pMsg->message);
    if (pEntry == NULL || (pEntry->nMessage != 0xC000 && pEntry->nSig != AfxSig_vwl))
        return FALSE;
    AFX_PMSGT pfn = static_cast<AFX_PMSGT>(pEntry->pfn);
    (this->*reinterpret_cast<void (CWinThread::*)(WPARAM, LPARAM)>(pfn))(pMsg->wParam, pMsg->lParam);
    return TRUE;
}

static void IdleUpdateWindow(CWnd* pWnd)
{
    if (pWnd != NULL && pWnd->m_hWnd != NULL && ::IsWindowVisible(pWnd->m_hWnd) &&
        CWnd::FromHandlePermanent(pWnd->m_hWnd) == pWnd) {
        AfxCallWndProc(pWnd, pWnd->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
        pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
    }
}

static BOOL CALLBACK CollectModelessDialog(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) && !(pWnd->m_nFlags & WF_MODALLOOP) &&
        ::IsWindowVisible(hWnd))
        ((std::vector<HWND>*)lParam)->push_back(hWnd);
    return TRUE;
}

// A modal dialog's own loop sends it WM_KICKIDLE while the thread is idle;
// a modeless dialog has only the thread's loop, so the idle pass sends it to
// every visible modeless dialog of the thread, with the same parameters.
// TRUE when one of them wants more idle time.
static BOOL KickModelessDialogs(LONG lCount)
{
    std::vector<HWND> dialogs;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectModelessDialog, (LPARAM)&dialogs);
    BOOL bMore = FALSE;
    for (HWND hWnd : dialogs) {
        // an earlier one may have closed it
        if (::IsWindow(hWnd) && ::SendMessage(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lCount))
            bMore = TRUE;
    }
    return bMore;
}

// Count 0 updates the command UI of the main window, of every other frame of
// this thread that is not a child window (a log window's bars and title, a
// floating palette owned by a frame) and of their bars; child frames are
// updated with their parents. Count 1 deletes the temporary wrappers made
// since the last idle time. Every count kicks the modeless dialogs.
BOOL CWinThread::OnIdle(LONG lCount)
{
    BOOL bMore = KickModelessDialogs(lCount);
    if (lCount <= 0) {
        IdleUpdateWindow(m_pMainWnd);
        for (CFrameWnd* pFrame = CFrameWnd::GetThreadFrameList(); pFrame != NULL;
             pFrame = pFrame->m_pNextFrameWnd) {
            if (pFrame == m_pMainWnd || pFrame->m_hWnd == NULL)
                continue;
            // a frame shown or hidden at idle time (a floating palette)
            if (pFrame->m_nShowDelay == SW_HIDE)
                pFrame->ShowWindow(pFrame->m_nShowDelay);
            if (!(pFrame->GetStyle() & WS_CHILD))
                IdleUpdateWindow(pFrame);
            if (pFrame->m_nShowDelay > SW_HIDE)
                pFrame->ShowWindow(pFrame->m_nShowDelay);
            pFrame->m_nShowDelay = -1;
        }
        return TRUE;
    }
    if (lCount == 1)
        AfxDeleteTempMaps();
    return bMore;
}

// Mouse moves that do not move, paint and caret blinks do not restart idle
// processing.
BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (pMsg->pt.x == m_ptCursorLast.x && pMsg->pt.y == m_ptCursorLast.y && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* WM_SYSTIMER */;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, NULL);   // or it would be raised again at once
    UINT nIDP = AFX_IDP_INTERNAL_FAILURE;
    LRESULT lResult = 0;
    if (pMsg->message == WM_CREATE) {
        lResult = -1;   // creation fails
    } else if (pMsg->message == WM_COMMAND) {
        if ((HWND)pMsg->lParam == NULL)
            nIDP = AFX_IDP_COMMAND_FAILURE;
        lResult = TRUE;
    }
    // a CUserException has already told the user
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONEXCLAMATION, nIDP);
    return lResult;
}

BOOL CWinThread::ProcessMessageFilter(int code, LPMSG lpMsg)
{
    (void)code;
    (void)lpMsg;
    return FALSE;
}

// ---------------------------------------------------------------------------
// Loops run by other code (modal loops)
// ---------------------------------------------------------------------------

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PumpMessage();
    MSG& msg = AfxGetWndThreadState()->m_msgCur;
    if (!::GetMessage(&msg, NULL, 0, 0))
        return FALSE;
    if (msg.message != WM_KICKIDLE && !CWnd::WalkPreTranslateTree(NULL, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->IsIdleMessage(pMsg);
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 && pMsg->message != WM_MOUSEMOVE &&
           pMsg->message != WM_NCMOUSEMOVE;
}
