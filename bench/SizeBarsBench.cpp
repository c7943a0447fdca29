// sizebars_bench: sizing bars where a user waits on them, each beside a
// floor measured in the same run:
//  - the bars' own drag over four dock bars holding six sizing bars: each
//    feedback frame re-docks the bar and lays the frame out (budget 16 ms),
//    beside the layer's dock context dragging a plain tool bar; the same
//    drag in the sizing bars' drag-dock context (budget 16 ms a frame);
//  - resizing that frame: each WM_SIZE (budget 16 ms), beside the same
//    resize of a plain frame holding six tool bars; and the same for an MDI
//    size-dock frame with two of its three document windows docked as bars,
//    beside a plain MDI frame with six tool bars and three document windows;
//  - loading the layout of 30 sizing bars (8 floating) from the profile
//    (budget 300 ms and 2x the layer's load of their bar state), and saving
//    it (budget 50 ms) beside the layer's save of their bar state, which it
//    includes.
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <afxext.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "OXFrameWndDock.h"
#include "OXMDIChildWndSizeDock.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"

namespace {

CBenchApp theBenchApp("sizebars_bench");

const UINT kFirstBar = AFX_IDW_CONTROLBAR_FIRST + 40;
const UINT kDockIds[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void ShowAsMain(CFrameWnd* pFrame)
{
    theBenchApp.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->RecalcLayout(TRUE);
    pFrame->UpdateWindow();
    Pump();
}

void CloseMain(CFrameWnd* pFrame)
{
    theBenchApp.m_pMainWnd = NULL;
    pFrame->DestroyWindow();
}

// A size-dock frame with nBars sizing bars spread over its four edges.
struct SizeFrame
{
    COXFrameWndSizeDock* pFrame = NULL;
    std::vector<std::unique_ptr<COXSizeControlBar>> bars;

    explicit SizeFrame(int nBars)
    {
        pFrame = new COXFrameWndSizeDock;
        pFrame->Create(NULL, "sizing bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 760));
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
        for (int i = 0; i < nBars; ++i) {
            bars.emplace_back(new COXSizeControlBar(0));
            CString str;
            str.Format("Bar %d", i + 1);
            bars.back()->Create(pFrame, str, kFirstBar + i, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 180, 110));
            bars.back()->EnableDocking(CBRS_ALIGN_ANY);
            pFrame->DockControlBar(bars.back().get(), kDockIds[i % 4]);
        }
        ShowAsMain(pFrame);
    }
    ~SizeFrame()
    {
        CloseMain(pFrame);
    }
};

// A plain frame with six tool bars in its standard dock bars.
struct PlainFrame
{
    CFrameWnd* pFrame = NULL;
    std::vector<std::unique_ptr<CToolBar>> bars;

    PlainFrame()
    {
        pFrame = new CFrameWnd;
        pFrame->Create(NULL, "plain bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 760));
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
        static const UINT buttons[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        for (int i = 0; i < 6; ++i) {
            bars.emplace_back(new CToolBar);
            bars.back()->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kFirstBar + i);
            bars.back()->SetButtons(buttons, 8);
            bars.back()->EnableDocking(CBRS_ALIGN_ANY);
            pFrame->DockControlBar(bars.back().get(), kDockIds[i % 4]);
        }
        ShowAsMain(pFrame);
    }
    ~PlainFrame()
    {
        CloseMain(pFrame);
    }
};

// Screen points over each of the frame's dock bars and over its middle.
std::vector<CPoint> DragPath(CFrameWnd* pFrame)
{
    CRect r;
    pFrame->GetClientRect(&r);
    pFrame->ClientToScreen(&r);
    const CPoint c = r.CenterPoint();
    return {CPoint(r.left + 4, c.y), c, CPoint(c.x, r.top + 4), c, CPoint(r.right - 4, c.y), c,
            CPoint(c.x, r.bottom - 4), c};
}

void BenchDrag()
{
    const int nMoves = 48;
    double dOwn;
    {
        SizeFrame frame(6);
        frame.pFrame->SetOwnBarDrag(TRUE);
        COXSizeControlBar* pBar = frame.bars[0].get();
        pBar->StartOwnDrag(CPoint(5, 5));
        std::vector<CPoint> path = DragPath(frame.pFrame);
        std::vector<double> times;
        for (int i = 0; i < nMoves; ++i) {
            CPoint pt = path[i % path.size()];
            pBar->ScreenToClient(&pt);
            double t0 = Now();
            pBar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            frame.pFrame->UpdateWindow();
            ::GdiFlush();
            times.push_back(Now() - t0);
        }
        pBar->SendMessage(WM_LBUTTONUP, 0, 0);
        dOwn = Median(times);
    }
    double dLayer;
    {
        PlainFrame frame;
        CToolBar* pBar = frame.bars[0].get();
        std::vector<CPoint> path = DragPath(frame.pFrame);
        // the moves wait in the queue; the dock context's loop takes them
        for (int i = 0; i < nMoves; ++i) {
            ::SetCursorPos(path[i % path.size()].x, path[i % path.size()].y);
            pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
        }
        pBar->PostMessage(WM_LBUTTONUP, 0, 0);
        CRect r;
        pBar->GetWindowRect(&r);
        double t0 = Now();
        pBar->m_pDockContext->StartDrag(r.CenterPoint());
        ::GdiFlush();
        dLayer = (Now() - t0) / nMoves;
    }
    Report("own drag frame, 4 dock bars, 6 sizing bars", dOwn, "dock context drag", dLayer);
    printf("%-46s %9.2f ms   budget 16 ms: %s\n", "", dOwn, dOwn < 16 ? "within" : "OVER");

    // The drag-dock context's loop over the same frame: the moves wait in
    // the queue (each at its point, as the bar that holds the mouse gets
    // it); Esc ends the drag, so only the feedback frames are timed.
    std::vector<double> contextTimes;
    for (int nRun = 0; nRun < 5; ++nRun) {
        SizeFrame frame(6);
        COXSizeControlBar* pBar = frame.bars[0].get();
        std::vector<CPoint> path = DragPath(frame.pFrame);
        for (int i = 0; i < nMoves; ++i) {
            CPoint pt = path[i % path.size()];
            pBar->ScreenToClient(&pt);
            pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        }
        pBar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        CRect r;
        pBar->GetWindowRect(&r);
        double t0 = Now();
        pBar->m_pDockContext->StartDrag(CPoint(r.left + 20, r.top + 5));
        ::GdiFlush();
        contextTimes.push_back((Now() - t0) / nMoves);
    }
    const double dContext = Median(contextTimes);
    Report("drag-dock context frame, 4 dock bars, 6 bars", dContext, "dock context drag", dLayer);
    printf("%-46s %9.2f ms   budget 16 ms: %s\n", "", dContext, dContext < 16 ? "within" : "OVER");
}

void BenchResize()
{
    auto resizes = [](CFrameWnd* pFrame) {
        std::vector<double> times;
        for (int i = 0; i < 41; ++i) {
            const int cx = 900 + (i % 2) * 100, cy = 700 + (i % 2) * 60;
            double t0 = Now();
            pFrame->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            pFrame->UpdateWindow();
            ::GdiFlush();
            times.push_back(Now() - t0);
        }
        return Median(times);
    };
    double dSize, dPlain;
    {
        SizeFrame frame(6);
        dSize = resizes(frame.pFrame);
    }
    {
        PlainFrame frame;
        dPlain = resizes(frame.pFrame);
    }
    Report("WM_SIZE, 6 sizing bars", dSize, "6 tool bars", dPlain);
    printf("%-46s %9.2f ms   budget 16 ms: %s\n", "", dSize, dSize < 16 ? "within" : "OVER");
}

class CBenchView : public CView
{
    DECLARE_DYNCREATE(CBenchView)
protected:
    void OnDraw(CDC* pDC) override
    {
        CRect r;
        GetClientRect(&r);
        pDC->FillSolidRect(&r, ::GetSysColor(COLOR_WINDOW));
    }
};
IMPLEMENT_DYNCREATE(CBenchView, CView)

// An MDI frame with six bars over its edges and three document windows;
// in the size-dock frame the first two are docked as bars.
struct MDIFrame
{
    CMDIFrameWnd* pFrame = NULL;
    std::vector<std::unique_ptr<CControlBar>> bars;
    std::vector<std::unique_ptr<CDocument>> docs;

    explicit MDIFrame(bool bSizeDock)
    {
        pFrame = bSizeDock ? new COXMDIFrameWndSizeDock : new CMDIFrameWnd;
        pFrame->Create(NULL, "MDI bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 760));
        if (bSizeDock)
            ((COXMDIFrameWndSizeDock*)pFrame)->EnableDocking(CBRS_ALIGN_ANY);
        else
            pFrame->EnableDocking(CBRS_ALIGN_ANY);
        static const UINT buttons[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        for (int i = 0; i < 6; ++i) {
            if (bSizeDock) {
                COXSizeControlBar* pBar = new COXSizeControlBar(0);
                bars.emplace_back(pBar);
                pBar->Create(pFrame, "Bar", kFirstBar + i, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 180, 110));
                pBar->EnableDocking(CBRS_ALIGN_ANY);
            } else {
                CToolBar* pBar = new CToolBar;
                bars.emplace_back(pBar);
                pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kFirstBar + i);
                pBar->SetButtons(buttons, 8);
                pBar->EnableDocking(CBRS_ALIGN_ANY);
            }
            pFrame->DockControlBar(bars.back().get(), kDockIds[i % 4]);
        }
        ShowAsMain(pFrame);
        for (int i = 0; i < 3; ++i) {
            docs.emplace_back(new CDocument);
            docs.back()->m_bAutoDelete = FALSE;
            CCreateContext context;
            context.m_pNewViewClass = RUNTIME_CLASS(CBenchView);
            context.m_pCurrentDoc = docs.back().get();
            CMDIChildWnd* pChild = bSizeDock ? new COXMDIChildWndSizeDock : new CMDIChildWnd;
            pChild->Create(NULL, "Document", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                           pFrame, &context);
            pChild->InitialUpdateFrame(docs.back().get(), TRUE);
            if (bSizeDock && i < 2)
                ((COXMDIChildWndSizeDock*)pChild)->SetDocked(TRUE);
        }
        pFrame->RecalcLayout(TRUE);
        Pump();
    }
    ~MDIFrame()
    {
        CloseMain(pFrame);
    }
};

double MedianResize(CFrameWnd* pFrame)
{
    std::vector<double> times;
    for (int i = 0; i < 41; ++i) {
        const int cx = 900 + (i % 2) * 100, cy = 700 + (i % 2) * 60;
        double t0 = Now();
        pFrame->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->UpdateWindow();
        ::GdiFlush();
        times.push_back(Now() - t0);
    }
    return Median(times);
}

void BenchResizeMDI()
{
    double dSize, dPlain;
    {
        MDIFrame frame(true);
        dSize = MedianResize(frame.pFrame);
    }
    {
        MDIFrame frame(false);
        dPlain = MedianResize(frame.pFrame);
    }
    Report("WM_SIZE, MDI, 6 sizing bars, 2 docked children", dSize, "6 tool bars, 3 children", dPlain);
    printf("%-46s %9.2f ms   budget 16 ms: %s\n", "", dSize, dSize < 16 ? "within" : "OVER");
}

void BenchState()
{
    const char* kSection = "SizeBarsBench";
    SizeFrame frame(30);
    for (int i = 0; i < 8; ++i)
        frame.pFrame->FloatControlBar(frame.bars[i].get(), CPoint(60 + 30 * i, 60 + 20 * i), CBRS_ALIGN_TOP);
    frame.pFrame->RecalcLayout(TRUE);
    Pump();
    double dSave = MedianMs(5, [&] { frame.pFrame->SaveSizeBarState(kSection); });
    double dLoad = MedianMs(5, [&] {
        frame.pFrame->LoadSizeBarState(kSection);
        Pump();
    });
    // the floors: the layer's own save and load of the same bars' state,
    // which the sizing layout wraps
    double dBarSave = MedianMs(5, [&] { frame.pFrame->SaveBarState(kSection); });
    double dBarLoad = MedianMs(5, [&] {
        frame.pFrame->LoadBarState(kSection);
        frame.pFrame->RecalcLayout(TRUE);
        Pump();
    });
    Report("LoadSizeBarState, 30 bars (8 floating)", dLoad, "LoadBarState of them", dBarLoad);
    printf("%-46s %9.2f ms   budget 300 ms and 2x the floor: %s\n", "", dLoad,
           dLoad < 300 && dLoad <= 2 * dBarLoad ? "within" : "OVER");
    Report("SaveSizeBarState, 30 bars", dSave, "SaveBarState of them", dBarSave);
    printf("%-46s %9.2f ms   budget 50 ms: %s\n", "", dSave, dSave < 50 ? "within" : "OVER");
    HKEY hKey = theBenchApp.GetAppRegistryKey();
    if (hKey != NULL) {
        theBenchApp.DelRegTree(hKey, kSection);
        ::RegCloseKey(hKey);
    }
}

}   // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOW))
        return 1;
    theBenchApp.SetRegistryKey("Pellucor Bench");
    BenchDrag();
    BenchResize();
    BenchResizeMDI();
    BenchState();
    return 0;
}
