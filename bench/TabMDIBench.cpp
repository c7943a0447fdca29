// tabmdi_bench: the tab workspace's tick over an MDI frame of 100 children
// when nothing has changed (the tick that runs every 500 ms for as long as
// the program runs), beside the floor of walking the same children and
// reading each one's title once, both measured in the same run. The budget:
// under 2 ms, each child looked up once. Build it optimised and run it under
// Wine on a display; no test runs it. The first argument, when given,
// replaces the number of children.
#include <afxwin.h>
#include <afxcmn.h>

#include <cstdio>
#include <cstdlib>

#include "BenchSupport.h"
#include "OXTabClientWnd.h"

namespace {

CBenchApp theBenchApp("tabmdi_bench");

int kChildren = 100;   // or the first argument
const int kRuns = 201;

void BenchTick()
{
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    pFrame->Create(NULL, "tabmdi", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 700));
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    for (int i = 0; i < kChildren; ++i) {
        CString sTitle;
        sTitle.Format("Keywords %d.txt", i + 1);
        CMDIChildWnd* pChild = new CMDIChildWnd;
        pChild->Create(NULL, sTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), pFrame);
    }
    COXTabClientWnd client;
    client.Attach(pFrame, 0);
    COXTabWorkspace* pTabs = client.GetTabCtrl();
    // Settle: the ticks the client posted while the children came.
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
    pTabs->UpdateContents(TRUE, FALSE);
    if (pTabs->GetItemCount() != kChildren)
        printf("tabmdi_bench: %d tabs for %d children\n", pTabs->GetItemCount(), kChildren);

    const double dTick = MedianMs(kRuns, [&] { pTabs->UpdateContents(TRUE, FALSE); });
    HWND hActive = (HWND)::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
    const double dWalk = MedianMs(kRuns, [&] {
        char szText[512];
        for (HWND h = ::GetWindow(hActive, GW_HWNDFIRST); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
            ::GetWindowTextA(h, szText, sizeof(szText));
    });
    char szWhat[64];
    snprintf(szWhat, sizeof(szWhat), "tab tick, %d children, nothing changed", kChildren);
    Report(szWhat, dTick, "walk reading each title", dWalk);
    printf("  budget: under 2 ms: %s\n", dTick < 2.0 ? "met" : "NOT MET");
    client.Detach();
    pFrame->DestroyWindow();
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOW))
        return 1;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (__argc > 1 && atoi(__argv[1]) > 0)
        kChildren = atoi(__argv[1]);
    BenchTick();
    return 0;
}
