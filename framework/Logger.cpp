// Logger.cpp - the hand-over of trace events to the log window.
#include "Logger.h"
#include "LogWindow.h"

CLogger& GetLogger()
{
    static CLogger theLogger;
    return theLogger;
}

CLogger::CLogger() : m_pLogFrame(NULL), m_hLogFrame(NULL), m_hLogView(NULL)
{
}

UINT CLogger::GetAddEventMessage()
{
    static const UINT nMessage = ::RegisterWindowMessageA("UWM_TRACE_ADD_EVENT-Pellucor");
    return nMessage;
}

// The lock covers only the reading of the window handles. Holding it while
// the list is filled would let a worker that logs block the user-interface
// thread in the lock while the worker itself waits for that thread to answer
// list-box messages. So a worker posts the event (ownership goes with the
// message) and never waits; the window's own thread adds it directly.
int CLogger::AddEvent(TraceEvent* pEvent)
{
    if (pEvent == NULL)
        return -1;
    HWND hView = NULL;
    {
        CSingleLock lock(&m_cs, TRUE);
        if (m_hLogFrame != NULL && ::IsWindow(m_hLogFrame))
            hView = m_hLogView;
    }
    if (hView == NULL || !::IsWindow(hView)) {
        delete pEvent;
        return -1;
    }
    UINT nMessage = GetAddEventMessage();
    if (::GetWindowThreadProcessId(hView, NULL) != ::GetCurrentThreadId()) {
        if (!::PostMessageA(hView, nMessage, 0, (LPARAM)pEvent)) {
            delete pEvent;
            return -1;
        }
        return 0;
    }
    CLogWindowView* pView = DYNAMIC_DOWNCAST(CLogWindowView, CWnd::FromHandlePermanent(hView));
    if (pView == NULL) {
        delete pEvent;
        return -1;
    }
    // Events other threads posted before this call go first, so the rows keep
    // the order in which AddEvent was called.
    MSG msg;
    while (::PeekMessageA(&msg, hView, nMessage, nMessage, PM_REMOVE))
        pView->GetList().AddEvent((TraceEvent*)msg.lParam);
    return pView->GetList().AddEvent(pEvent);
}

void CLogger::SetLogFrame(CFrameWnd* pFrame)
{
    CSingleLock lock(&m_cs, TRUE);
    m_pLogFrame = pFrame;
    m_hLogFrame = pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
}

void CLogger::SetLogView(HWND hView)
{
    CSingleLock lock(&m_cs, TRUE);
    m_hLogView = hView;
}

CString CLogger::GetDefaultLogFile() const
{
    if (!m_strDefaultLogFile.IsEmpty())
        return m_strDefaultLogFile;
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strFolder(szPath);
    strFolder = strFolder.Left(strFolder.ReverseFind('\\') + 1);
    return strFolder + "\\Logs\\" + "log.txt";
}

CFrameWnd* CLogger::CreateLogWindow(CDocTemplate* pTemplate)
{
    if (m_pLogFrame != NULL && ::IsWindow(m_hLogFrame))
        return m_pLogFrame;
    if (pTemplate == NULL)
        return NULL;
    CDocument* pDoc = pTemplate->OpenDocumentFile(NULL, FALSE);
    if (pDoc == NULL)
        return NULL;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos != NULL ? pDoc->GetNextView(pos) : NULL;
    CFrameWnd* pFrame = pView != NULL ? pView->GetParentFrame() : NULL;
    if (pFrame == NULL)
        return NULL;
    // a frame made hidden gets no initial update from its template
    pFrame->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    SetLogFrame(pFrame);
    return pFrame;
}

CFrameWnd* CLogger::ShowLogWindow(CDocTemplate* pTemplate)
{
    CFrameWnd* pFrame = CreateLogWindow(pTemplate);
    if (pFrame != NULL) {
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
    }
    return pFrame;
}

void CLogger::DestroyLogWindow()
{
    CFrameWnd* pFrame = m_pLogFrame;
    SetLogFrame(NULL);
    if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
        pFrame->DestroyWindow();
}
