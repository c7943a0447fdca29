// msgbox.cpp - message boxes of the program and the report of exceptions
// caught at the layer's boundaries.
#include "wndimpl.h"

#include <exception>
#include <atomic>

// Every AfxMessageBox goes through the application's DoMessageBox, so a
// program (or a test) can capture them by overriding it.
int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    (void)nIDPrompt;
    // the owner is the active popup of the main window, so the box is modal
    // to whatever the user is working in
    HWND hWndOwner = CWnd::GetSafeOwner_(NULL, NULL);
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return ::MessageBoxA(hWndOwner, lpszPrompt, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(CWnd::GetSafeOwner_(NULL, NULL), lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox((LPCSTR)strPrompt, nType, nIDHelp);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxA(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

// ---------------------------------------------------------------------------
// Exception reports
// ---------------------------------------------------------------------------

static std::atomic<AFX_EXCEPTION_LOG_HOOK> g_pfnExceptionLogHook(NULL);

AFX_EXCEPTION_LOG_HOOK AFXAPI AfxSetExceptionLogHook(AFX_EXCEPTION_LOG_HOOK pfnHook)
{
    return g_pfnExceptionLogHook.exchange(pfnHook);
}

static void LogException(LPCSTR lpszText)
{
    char szLine[1100];
    snprintf(szLine, sizeof(szLine), "Unhandled exception on thread %lu: %.1024s\n",
             (unsigned long)::GetCurrentThreadId(), lpszText);
    ::OutputDebugStringA(szLine);
    if (AFX_EXCEPTION_LOG_HOOK pfnHook = g_pfnExceptionLogHook.load())
        pfnHook(lpszText);
}

void AFXAPI AfxReportCaughtException(BOOL bInteractive)
{
    CString strText;
    BOOL bShown = FALSE;   // the exception reported itself
    try {
        throw;
    } catch (CException* e) {
        char szMessage[1024] = "";
        if (!e->GetErrorMessage(szMessage, sizeof(szMessage)) || szMessage[0] == '\0') {
            CString strDefault;
            if (!strDefault.LoadString(AFX_IDP_INTERNAL_FAILURE))
                strDefault = "An unsupported operation was attempted.";
            lstrcpynA(szMessage, strDefault, sizeof(szMessage));
        }
        strText = szMessage;
        if (e->IsKindOf(RUNTIME_CLASS(CUserException))) {
            bShown = TRUE;   // the user was already told
        } else if (bInteractive) {
            e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
            bShown = TRUE;
        }
        e->Delete();
    } catch (const CString& str) {
        strText = str;
    } catch (const std::exception& ex) {
        strText = ex.what();
    } catch (...) {
        strText = "An unknown exception occurred.";
    }
    LogException(strText);
    if (bInteractive && !bShown)
        AfxMessageBox((LPCSTR)strText, MB_OK | MB_ICONSTOP);
}
