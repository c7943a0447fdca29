// Helpers shared by the window core's tests (wnd_*.cpp).
#pragma once

#include <afxwin.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "testsupport.h"

// A log of what handlers saw, in order.
struct CCallLog
{
    std::vector<std::string> lines;
    void Add(const std::string& s) { lines.push_back(s); }
    void Clear() { lines.clear(); }
    std::string Joined() const
    {
        std::string s;
        for (const std::string& l : lines)
            s += (s.empty() ? "" : " | ") + l;
        return s;
    }
};

// printf into a std::string (test messages only).
std::string Fmt(const char* fmt, ...) __attribute__((format(ms_printf, 1, 2)));

// An invisible top-level window of class cls; the object sees every message.
inline BOOL CreateTopLevel(CWnd& wnd, LPCTSTR lpszName = "wnd-test", DWORD dwStyle = WS_POPUP,
                           HWND hWndOwner = NULL)
{
    return wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), lpszName, dwStyle, 0, 0, 200, 150, hWndOwner, NULL);
}

// Sets the application's main window for the life of the object (and clears
// it before the window goes, so its destruction does not end the loop).
class CMainWndScope
{
public:
    explicit CMainWndScope(CWnd* pWnd) : m_pOld(AfxGetApp()->m_pMainWnd) { AfxGetApp()->m_pMainWnd = pWnd; }
    ~CMainWndScope() { AfxGetApp()->m_pMainWnd = m_pOld; }

private:
    CWnd* m_pOld;
};
