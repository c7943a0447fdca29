// winmain.cpp - the program's entry: WinMain runs the application object.
#include "wndimpl.h"

// Initialises the application, runs its InitInstance and, when that
// succeeds, its message loop. Whatever escapes is reported; the exit code is
// ExitInstance's (the WM_QUIT code), or -1 on failure.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    try {
        if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) {
            CWinApp* pApp = AfxGetApp();
            CWinThread* pThread = AfxGetThread();
            if (pThread != NULL && (pApp == NULL || pApp->InitApplication())) {
                if (!pThread->InitInstance()) {
                    if (pThread->m_pMainWnd != NULL)
                        pThread->m_pMainWnd->DestroyWindow();
                    nReturnCode = pThread->ExitInstance();
                } else {
                    nReturnCode = pThread->Run();
                }
            }
        }
    } catch (...) {
        AfxReportCaughtException(TRUE);
        nReturnCode = -1;
    }
    AfxWinTerm();
    return nReturnCode;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
