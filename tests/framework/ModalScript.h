// Runs a modal dialog while a script drives it: each step runs from a thread
// timer inside the dialog's own modal loop (so its message pre-translation
// sees what the steps post), one step per tick, the next only once the
// previous returned and what it posted had a tick to be handled. A step that
// opens a nested modal box returns; the next steps run inside that box's loop.
#pragma once

#include <afxwin.h>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

class CModalScript
{
public:
    using Step = std::function<void()>;

    // DoModal of dlg with the steps; a script that has not closed the dialog
    // after its last step (or within the time limit) cancels it.
    static INT_PTR Run(CDialog& dlg, std::vector<Step> steps, DWORD dwLimitMs = 20000)
    {
        CModalScript script(dlg, std::move(steps));
        s_pCurrent = &script;
        script.m_ullEnd = GetTickCount64() + dwLimitMs;
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 40, TimerProc);
        INT_PTR nResult = dlg.DoModal();
        ::KillTimer(NULL, nTimer);
        s_pCurrent = NULL;
        EXPECT_EQ(script.m_nNext, script.m_steps.size()) << "steps run before the dialog ended";
        return nResult;
    }

private:
    CModalScript(CDialog& dlg, std::vector<Step> steps) : m_dlg(dlg), m_steps(std::move(steps)) {}

    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CModalScript* p = s_pCurrent;
        if (p == NULL || p->m_bBusy || p->m_dlg.GetSafeHwnd() == NULL || !::IsWindowVisible(p->m_dlg.m_hWnd))
            return;
        p->m_bBusy = true;
        if (p->m_nNext < p->m_steps.size() && GetTickCount64() < p->m_ullEnd) {
            p->m_steps[p->m_nNext++]();
        } else if (!p->m_bCancelled) {
            p->m_bCancelled = true;
            // Whatever box a step left open goes first.
            HWND hActive = ::GetActiveWindow();
            if (hActive != NULL && hActive != p->m_dlg.m_hWnd)
                ::PostMessage(hActive, WM_COMMAND, IDCANCEL, 0);
            p->m_dlg.PostMessage(WM_COMMAND, IDCANCEL, 0);
        }
        p->m_bBusy = false;
    }

    CDialog& m_dlg;
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    bool m_bBusy = false;
    bool m_bCancelled = false;
    ULONGLONG m_ullEnd = 0;
    static inline CModalScript* s_pCurrent = NULL;
};
