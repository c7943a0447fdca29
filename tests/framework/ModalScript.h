// Runs a modal dialog while a script drives it: each step runs from a thread
// timer inside the dialog's own modal loop (so its message pre-translation
// sees what the steps post), one step per tick, the next only once the
// previous returned, what it posted had a tick to be handled and any dialog
// it opened has shown. A step that opens some other window, or a dialog only
// later, is followed by a wait for that window: a busy machine creates it
// well after the next tick. The next steps then run inside that box's loop.
//
// A script never leaves a box up: when a wait runs out, a step fails an
// assertion, the time limit passes or the steps are done, every dialog the
// script opened is ended, innermost first, and then the dialog itself.
#pragma once

#include <afxwin.h>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>
#include "testsupport.h"

class CModalScript
{
public:
    // An entry of a script: an action, or a wait that holds the script until
    // its condition holds (and fails it when the condition never comes).
    class Step
    {
    public:
        template <class F, class = std::enable_if_t<std::is_invocable_r_v<void, F&>>>
        Step(F action) : m_action(std::move(action))
        {
        }

    private:
        Step() = default;
        friend class CModalScript;
        std::function<void()> m_action;
        std::function<bool()> m_until;
        std::string m_strWhat;
        DWORD m_dwLimitMs = 0;
    };

    static Step WaitFor(std::string strWhat, std::function<bool()> until, DWORD dwLimitMs = kWaitMs)
    {
        Step step;
        step.m_until = std::move(until);
        step.m_strWhat = std::move(strWhat);
        step.m_dwLimitMs = dwLimitMs;
        return step;
    }
    // A visible, enabled dialog of this thread with the caption: the box a
    // step opened, ready to be driven.
    static HWND FindDialog(LPCSTR pszCaption)
    {
        HWND hwnd = ::FindWindowA("#32770", pszCaption);
        return hwnd != NULL && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd) &&
                       ::GetWindowThreadProcessId(hwnd, NULL) == ::GetCurrentThreadId()
                   ? hwnd
                   : NULL;
    }
    static Step WaitForDialog(LPCSTR pszCaption)
    {
        std::string strCaption = pszCaption;
        return WaitFor("the dialog \"" + strCaption + "\"", [strCaption] { return FindDialog(strCaption.c_str()) != NULL; });
    }
    static Step WaitForNoDialog(LPCSTR pszCaption)
    {
        std::string strCaption = pszCaption;
        return WaitFor("the dialog \"" + strCaption + "\" to close",
                       [strCaption] { return ::FindWindowA("#32770", strCaption.c_str()) == NULL; });
    }

    // DoModal of dlg with the steps; a script that has not closed the dialog
    // after its last step (or within the time limit) cancels it.
    static INT_PTR Run(CDialog& dlg, std::vector<Step> steps, DWORD dwLimitMs = 60000)
    {
        CModalScript script(dlg, std::move(steps));
        script.m_before = ThreadDialogs();
        s_pCurrent = &script;
        script.m_ullEnd = GetTickCount64() + dwLimitMs;
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 40, TimerProc);
        INT_PTR nResult = dlg.DoModal();
        ::KillTimer(NULL, nTimer);
        s_pCurrent = NULL;
        if (!script.m_bFailed) {
            EXPECT_EQ(script.m_nNext, script.m_steps.size()) << "steps run before the dialog ended";
        }
        return nResult;
    }

private:
    CModalScript(CDialog& dlg, std::vector<Step> steps) : m_dlg(dlg), m_steps(std::move(steps)) {}

    static std::set<HWND> ThreadDialogs()
    {
        std::set<HWND> dialogs;
        ::EnumThreadWindows(::GetCurrentThreadId(), AddDialog, (LPARAM)&dialogs);
        return dialogs;
    }
    static BOOL CALLBACK AddDialog(HWND hwnd, LPARAM lParam)
    {
        char szClass[16] = "";
        ::GetClassNameA(hwnd, szClass, sizeof(szClass));
        if (lstrcmpA(szClass, "#32770") == 0)
            reinterpret_cast<std::set<HWND>*>(lParam)->insert(hwnd);
        return TRUE;
    }

    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CModalScript* p = s_pCurrent;
        if (p == NULL)
            return;
        const ULONGLONG ullNow = GetTickCount64();
        if (!p->m_bClosing && ullNow >= p->m_ullEnd) {
            // Also reached while a step sits in a box nobody answers.
            p->m_bFailed = true;
            ADD_FAILURE() << "the script did not end within its time limit, at step " << p->m_nNext
                          << (p->BoxOpening() ? " (a dialog it opened never showed)" : "");
            p->m_bClosing = true;
        }
        if (p->m_bClosing) {
            p->CloseInnermost();
            return;
        }
        if (p->m_bBusy || p->m_dlg.GetSafeHwnd() == NULL || !::IsWindowVisible(p->m_dlg.m_hWnd) || p->BoxOpening())
            return;
        p->m_bBusy = true;
        if (p->m_nNext == p->m_steps.size()) {
            p->m_bClosing = true;
        } else if (p->m_steps[p->m_nNext].m_until) {
            p->Wait(ullNow);
        } else {
            ::testing::internal::HasNewFatalFailureHelper fatal;
            p->m_steps[p->m_nNext++].m_action();
            if (fatal.has_new_fatal_failure()) {
                p->m_bFailed = true;
                p->m_bClosing = true;
            }
        }
        p->m_bBusy = false;
    }

    // A modal box shows only once its loop first goes idle, and a tick can
    // come before that: a step run then would find the box missing, so the
    // script holds while a dialog it opened is still hidden.
    bool BoxOpening() const
    {
        for (HWND hwnd : ThreadDialogs())
            if (hwnd != m_dlg.m_hWnd && m_before.count(hwnd) == 0 && !::IsWindowVisible(hwnd))
                return true;
        return false;
    }

    void Wait(ULONGLONG ullNow)
    {
        const Step& step = m_steps[m_nNext];
        if (step.m_until()) {
            ++m_nNext;
            m_ullWaitEnd = 0;
        } else if (m_ullWaitEnd == 0) {
            m_ullWaitEnd = ullNow + step.m_dwLimitMs;
        } else if (ullNow >= m_ullWaitEnd) {
            m_bFailed = true;
            ADD_FAILURE() << "waited " << step.m_dwLimitMs << " ms for " << step.m_strWhat << " (step " << m_nNext
                   << "); it never came";
            m_bClosing = true;
        }
    }

    // Ends the enabled dialogs the script opened (a modal box disables its
    // owner, so these are the innermost ones), with any menu; once none is
    // left, the dialog itself. Runs on every tick until DoModal returns, so
    // a box that only appears later is closed too.
    void CloseInnermost()
    {
        ::EndMenu();
        bool bEnded = false;
        for (HWND hwnd : ThreadDialogs()) {
            if (hwnd == m_dlg.GetSafeHwnd() || m_before.count(hwnd) != 0 || !::IsWindowEnabled(hwnd))
                continue;
            EndDialog(hwnd);
            bEnded = true;
        }
        if (!bEnded && m_dlg.GetSafeHwnd() != NULL)
            EndDialog(m_dlg.m_hWnd);
    }
    static void EndDialog(HWND hwnd)
    {
        CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hwnd));
        if (pDialog != NULL)
            pDialog->EndDialog(IDCANCEL);
        else
            ::EndDialog(hwnd, IDCANCEL);
    }

    CDialog& m_dlg;
    std::vector<Step> m_steps;
    std::set<HWND> m_before;
    size_t m_nNext = 0;
    bool m_bBusy = false;
    bool m_bClosing = false;
    bool m_bFailed = false;
    ULONGLONG m_ullEnd = 0;
    ULONGLONG m_ullWaitEnd = 0;
    static inline CModalScript* s_pCurrent = NULL;
};
