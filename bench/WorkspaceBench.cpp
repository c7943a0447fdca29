// workspace_bench: the workspace of an MDI frame with 20 documents (5 of them
// split) and 12 bars (3 floating, 3 stacked as tabs), each figure beside a floor measured in the
// same run:
//  - load and apply (from the registry: placement, bars, the 20 documents
//    opened and placed, their splitters) beside opening the 20 documents
//    alone (budget: under 1 s and within 1.5x the floor);
//  - capture and store in the registry beside taking the dock state and
//    writing a value of the same size (budget: under 100 ms).
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <afxext.h>

#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXWorkspaceState.h"
#include "WorkspaceFrame.h"

namespace {

CBenchApp theBenchApp("workspace_bench");

const int kDocuments = 20;
const int kSplit = 5;         // every fourth document
const int kExtraBars = 6;     // beside the frame's own six
const int kRuns = 5;
const char kKey[] = "Pellucor Bench";
const char kProfile[] = "WorkspaceBench";

CString g_strFolder;
std::vector<CString> g_paths;
CWorkspaceFrame* g_pFrame = NULL;
std::vector<CToolBar*> g_extraBars;

BOOL IsSplit(int i) { return i % (kDocuments / kSplit) == 0; }

void OpenDocuments()
{
    for (int i = 0; i < kDocuments; i++)
        (IsSplit(i) ? WorkspaceSplitTemplate() : WorkspacePlainTemplate())->OpenDocumentFile(g_paths[i]);
}

void CloseDocuments()
{
    WorkspacePlainTemplate()->CloseAllDocuments(FALSE);
    WorkspaceSplitTemplate()->CloseAllDocuments(FALSE);
}

void MakeFrame()
{
    g_pFrame = new CWorkspaceFrame;
    g_pFrame->CreateWorkspaceFrame(CRect(0, 0, 1100, 800));
    AfxGetApp()->m_pMainWnd = g_pFrame;
    static const UINT kButtons[] = {ID_WORKSPACE_OPEN, ID_WORKSPACE_SAVE, ID_WORKSPACE_FETCH};
    static const UINT kSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM,
                                  AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < kExtraBars; i++) {
        CToolBar* pBar = new CToolBar;
        pBar->CreateEx(g_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 0, 0),
                       IDW_WORKSPACE_STACKBAR + CWorkspaceFrame::nStackBars + i);
        pBar->SetButtons(kButtons, 3);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        if (i < 2)   // with the sizing bar, three floating
            g_pFrame->FloatControlBar(pBar, CPoint(200 + 150 * i, 500));
        else
            g_pFrame->DockControlBar(pBar, kSides[i % 4]);
        g_extraBars.push_back(pBar);
    }
    g_pFrame->ShowWindow(SW_SHOWNORMAL);
    g_pFrame->RecalcLayout();
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Bench()
{
    MakeFrame();
    OpenDocuments();
    // Each document somewhere of its own, the split ones at a column size of
    // their own.
    int i = 0;
    for (HWND h = ::GetWindow(g_pFrame->m_hWndMDIClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT), i++) {
        ::MoveWindow(h, 20 * i, 15 * i, 420, 300, TRUE);
        if (CWorkspaceSplitChild* pSplit = DYNAMIC_DOWNCAST(CWorkspaceSplitChild, CWnd::FromHandlePermanent(h))) {
            pSplit->m_splitter.SetColumnInfo(0, 100 + i, 10);
            pSplit->m_splitter.RecalcLayout();
        }
    }
    Pump();

    // Capture and store, beside the dock state and a raw write of as many bytes.
    CByteArray bytes;
    const double dStore = MedianMs(kRuns, [] {
        COXWorkspaceState state;
        state.StoreToRegistry(NULL, kKey, kProfile, HKEY_CURRENT_USER, FALSE, TRUE, FALSE);
    });
    COXWorkspaceState probe;
    probe.CaptureState();
    probe.StoreToByteArray(bytes);
    const double dStoreFloor = MedianMs(kRuns, [&bytes] {
        CDockState dockState;
        g_pFrame->GetDockState(dockState);
        HKEY hKey;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Pellucor Bench\\WorkspaceBench\\Raw", 0, NULL, 0, KEY_WRITE,
                          NULL, &hKey, NULL);
        ::RegSetValueExA(hKey, "Main", 0, REG_BINARY, bytes.GetData(), (DWORD)bytes.GetSize());
        ::RegCloseKey(hKey);
    });

    // Load and apply, beside opening the documents alone; the documents are
    // closed before each run, untimed.
    std::vector<double> applies, opens;
    BOOL bAllApplied = TRUE;
    for (int run = 0; run < kRuns; run++) {
        CloseDocuments();
        Pump();
        double t0 = Now();
        OpenDocuments();
        Pump();
        opens.push_back(Now() - t0);
        CloseDocuments();
        Pump();
        COXWorkspaceState state;
        t0 = Now();
        if (!state.LoadFromRegistry(NULL, kKey, kProfile, HKEY_CURRENT_USER, TRUE))
            bAllApplied = FALSE;
        Pump();
        applies.push_back(Now() - t0);
    }
    std::sort(applies.begin(), applies.end());
    std::sort(opens.begin(), opens.end());
    const double dApply = applies[kRuns / 2], dOpen = opens[kRuns / 2];

    printf("record: %d bytes, %d documents (%d split), %d bars (3 floating, a tab stack)\n", (int)bytes.GetSize(),
           kDocuments, kSplit, 3 + CWorkspaceFrame::nStackBars + kExtraBars);
    Report("load and apply", dApply, "opening the documents", dOpen);
    printf("%-46s %9.2f ms   budget under 1000 ms and 1.5x the floor: %s%s\n", "", dApply,
           dApply < 1000 && dApply <= 1.5 * dOpen ? "within" : "OVER", bAllApplied ? "" : " (an apply FAILED)");
    Report("capture and store", dStore, "dock state and raw write", dStoreFloor);
    printf("%-46s %9.2f ms   budget under 100 ms: %s\n", "", dStore, dStore < 100 ? "within" : "OVER");

    CloseDocuments();
    g_pFrame->DestroyWindow();
    for (CToolBar* pBar : g_extraBars)
        delete pBar;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Bench");
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOW))
        return 1;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    g_strFolder.Format("%sworkspace-bench-%lu", szTemp, ::GetCurrentProcessId());
    ::CreateDirectoryA(g_strFolder, NULL);
    for (int i = 0; i < kDocuments; i++) {
        CString strPath, strText;
        strPath.Format("%s\\phrases%02d.kw", (LPCTSTR)g_strFolder, i + 1);
        strText.Format("seed keyword %d", i + 1);
        WriteWorkspaceDocument(strPath, strText);
        g_paths.push_back(strPath);
    }
    Bench();
    for (const CString& strPath : g_paths)
        ::DeleteFileA(strPath);
    ::RemoveDirectoryA(g_strFolder);
    return 0;
}
