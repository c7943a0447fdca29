// Logger.h - the one logger every part of the program logs through: it hands
// each trace event to the trace-log window, or drops it when there is none.
#pragma once

#include <afxmt.h>
#include "TraceEvent.h"

class CDocTemplate;
class CFrameWnd;

class CLogger
{
public:
    CLogger();
    CLogger(const CLogger&) = delete;
    CLogger& operator=(const CLogger&) = delete;

    // Takes a heap event and owns it from then on; any thread may call it.
    // On the log window's own thread the event is added to the list at once
    // and its row index returned. From another thread it is posted to the log
    // view (0 is returned: its row is not known yet), so a logging worker
    // never waits for the user-interface thread, and that thread may log while
    // it waits for anything. -1: there is no log window; the event is deleted.
    int AddEvent(TraceEvent* pEvent);

    // The log window, made hidden through the template (kept outside the
    // document manager) the first time it is asked for. User-interface thread.
    CFrameWnd* CreateLogWindow(CDocTemplate* pTemplate);
    // Creates it when needed and shows it.
    CFrameWnd* ShowLogWindow(CDocTemplate* pTemplate);
    // Destroys it; later events are dropped until it is made again.
    void DestroyLogWindow();
    CFrameWnd* GetLogFrame() const { return m_pLogFrame; }

    // The frame and view register and unregister themselves.
    void SetLogFrame(CFrameWnd* pFrame);
    void SetLogView(HWND hView);

    // The log file the window uses unless the profile names another: the
    // application sets it to its "\Logs\log.txt"; empty means the program
    // folder + "\Logs\log.txt".
    void SetDefaultLogFile(const CString& strPath) { m_strDefaultLogFile = strPath; }
    CString GetDefaultLogFile() const;

    // The message that carries an event posted to the log view (lParam: the
    // TraceEvent*, owned by the receiver).
    static UINT GetAddEventMessage();

protected:
    CCriticalSection m_cs;    // guards the window handles below
    CFrameWnd* m_pLogFrame;   // user-interface thread only
    HWND m_hLogFrame;
    HWND m_hLogView;
    CString m_strDefaultLogFile;
};

// The program's logger.
CLogger& GetLogger();
