// Windows Sockets start-up.
#include "afxsock.h"

#include <cstdlib>

static CRITICAL_SECTION* SocketLock()
{
    static CRITICAL_SECTION cs;
    static BOOL bInit = (InitializeCriticalSection(&cs), TRUE);
    (void)bInit;
    return &cs;
}

static BOOL s_bSocketsStarted = FALSE;
static WSADATA s_wsaData;

static void __cdecl SocketTermAtExit()
{
    AfxSocketTerm();
}

BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData)
{
    EnterCriticalSection(SocketLock());
    if (!s_bSocketsStarted) {
        // 2.2 is what every current system offers; 1.1 is enough for the
        // calls the program makes, so take it when 2.2 is refused.
        if (WSAStartup(MAKEWORD(2, 2), &s_wsaData) == 0 || WSAStartup(MAKEWORD(1, 1), &s_wsaData) == 0) {
            static BOOL bRegistered = FALSE;
            if (!bRegistered)
                bRegistered = atexit(SocketTermAtExit) == 0;
            s_bSocketsStarted = TRUE;
        }
    }
    BOOL bOk = s_bSocketsStarted;
    if (bOk && lpwsaData != NULL)
        *lpwsaData = s_wsaData;
    LeaveCriticalSection(SocketLock());
    return bOk;
}

void AFXAPI AfxSocketTerm()
{
    EnterCriticalSection(SocketLock());
    if (s_bSocketsStarted) {
        WSACleanup();
        s_bSocketsStarted = FALSE;
    }
    LeaveCriticalSection(SocketLock());
}
