// statusbar_bench: a progress pane of the status bar driven as a long job
// drives it, beside the floor of a bare progress control given the same
// positions, both measured in the same run:
//  - 1,000,000 SetProgressPos on a pane showing its percentage, beside
//    1,000,000 PBM_SETPOS to a plain progress control of the same size (the
//    budget: within 2x; the pane text is set only when the percentage
//    changes, 100 times here).
// Both controls sit in a hidden frame, so that what is timed is the calls,
// not the display's repainting. Build it optimised and run it under Wine on a
// display; no test runs it. The first argument, when given, replaces the
// number of calls.
#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>

#include <cstdio>
#include <cstdlib>

#include "BenchSupport.h"
#include "OXStatusBar.h"

namespace {

CBenchApp theBenchApp("statusbar_bench");

int kCalls = 1000000;   // or the first argument
const int kChunks = 10;   // the two are timed in turn, chunk by chunk

void BenchProgressPos()
{
    CFrameWnd* pFrame = new CFrameWnd;
    // Hidden: the display repaints a visible progress control at every position
    // (under Wine about 0.7 ms), which would hide the calls' own cost.
    pFrame->Create(NULL, "statusbar", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 300));
    COXStatusBar bar;
    const UINT ids[] = {ID_SEPARATOR, ID_SEPARATOR};
    bar.Create(pFrame);
    bar.SetIndicators(ids, 2);
    bar.SetPaneInfo(1, ID_SEPARATOR, bar.GetPaneStyle(1), 200);
    bar.SetPaneProgress(1, 0, TRUE);
    pFrame->RecalcLayout();

    const CRect rect = bar.GetPaneProgress(1)->m_rect;
    CProgressCtrl plain;
    plain.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + rect.Width(), 10 + rect.Height()), pFrame, 2);
    plain.SetRange32(0, kCalls);

    double dPane = 0, dPlain = 0;
    CString strLast;
    const int nPerChunk = kCalls / kChunks;
    for (int c = 0; c < kChunks; ++c) {
        const int nFirst = c * nPerChunk;
        double t0 = Now();
        for (int i = nFirst; i < nFirst + nPerChunk; ++i)
            bar.SetProgressPos(1, 0, kCalls, i);
        double t1 = Now();
        HWND hPlain = plain.m_hWnd;
        for (int i = nFirst; i < nFirst + nPerChunk; ++i)
            ::SendMessage(hPlain, PBM_SETPOS, (WPARAM)i, 0);
        double t2 = Now();
        dPane += t1 - t0;
        dPlain += t2 - t1;
        strLast = bar.GetPaneText(1);
    }
    CString strWhat;
    strWhat.Format("%d SetProgressPos with percentage", kCalls);
    Report(strWhat, dPane, "bare PBM_SETPOS", dPlain);
    printf("%-46s %9.2f ms   budget 2x the floor: %s (last text \"%s\")\n", "", dPane,
           dPane <= 2 * dPlain ? "within" : "OVER", (LPCTSTR)strLast);
    pFrame->DestroyWindow();
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOW))
        return 1;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (__argc > 1 && atoi(__argv[1]) >= 10000)
        kCalls = atoi(__argv[1]) / 10000 * 10000;
    BenchProgressPos();
    return 0;
}
