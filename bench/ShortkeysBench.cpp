// shortkeys_bench: the shortcut keys customize page where a user waits on it,
// beside a floor measured in the same run: a command chosen in the tree
// refreshes the list of its shortcuts (2,000 accelerators in six tables, a
// document type's table chosen, so the frame's rows come first), beside the
// same rows put into the same list by LB_RESETCONTENT and LB_ADDSTRING and
// painted. Build it optimised and run it under Wine on a display; no test
// runs it.
#include <afxwin.h>

#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXCustomizeManager.h"
#include "OXCustomizeShortkeysPage.h"
#include "toolkit_res.h"

namespace {

CBenchApp theBenchApp("PellucorShortkeysBench");

const int kCommands = 200;
const UINT kFirstCommand = 20000;
const int kTables = 6;
const int kAccelerators = 2000;
const double kLimitMs = 16.0;

class CBenchDocument : public CDocument
{
    DECLARE_DYNCREATE(CBenchDocument)
};
IMPLEMENT_DYNCREATE(CBenchDocument, CDocument)

class CBenchView : public CView
{
    DECLARE_DYNCREATE(CBenchView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CBenchView, CView)

// Table t's accelerators: distinct keys, the commands taken in turn.
HACCEL MakeTable(int nTable, int nCount)
{
    static const BYTE mods[] = {FVIRTKEY, FVIRTKEY | FCONTROL, FVIRTKEY | FSHIFT, FVIRTKEY | FALT,
                                FVIRTKEY | FCONTROL | FSHIFT, FVIRTKEY | FCONTROL | FALT, FVIRTKEY | FSHIFT | FALT,
                                FVIRTKEY | FCONTROL | FSHIFT | FALT};
    std::vector<WORD> keys;
    for (WORD k = 'A'; k <= 'Z'; k++)
        keys.push_back(k);
    for (WORD k = '0'; k <= '9'; k++)
        keys.push_back(k);
    for (WORD k = VK_F1; k <= VK_F12; k++)
        keys.push_back(k);
    std::vector<ACCEL> accels;
    for (int i = 0; i < nCount; i++) {
        ACCEL a = {mods[i % 8], keys[(i / 8) % keys.size()], (WORD)(kFirstCommand + (i * 7 + nTable) % kCommands)};
        accels.push_back(a);
    }
    return ::CreateAcceleratorTableA(accels.data(), (int)accels.size());
}

void Paint(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
}

void Bench()
{
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    if (!pFrame->Create(NULL, "shortcut keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600))) {
        printf("the frame could not be made\n");
        return;
    }
    AfxGetApp()->m_pMainWnd = pFrame;
    const int nPerTable = kAccelerators / kTables;
    pFrame->m_hAccelTable = MakeTable(0, kAccelerators - nPerTable * (kTables - 1));
    for (int t = 1; t < kTables; t++) {
        CMultiDocTemplate* pTemplate = new CMultiDocTemplate(0, RUNTIME_CLASS(CBenchDocument),
                                                             RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CBenchView));
        pTemplate->m_hAccelTable = MakeTable(t, nPerTable);
        AfxGetApp()->AddDocTemplate(pTemplate);
    }

    COXCustomizeShortkeysPage page;
    page.InitializeShortkeys(pFrame, NULL);
    COXCustomizeManager manager;
    manager.RegisterPage(&page, 1);
    if (!manager.Open(NULL) || manager.GetActivePage() != &page) {
        printf("the page could not be opened\n");
        return;
    }
    CTreeCtrl* pTree = (CTreeCtrl*)page.GetDlgItem(IDC_OX_SKP_COMMANDS);
    CComboBox* pTables = (CComboBox*)page.GetDlgItem(IDC_OX_SKP_TABLE);
    CListBox* pList = (CListBox*)page.GetDlgItem(IDC_OX_SKP_SHORTCUTS);
    pTables->SetCurSel(kTables - 1);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_SKP_TABLE, CBN_SELCHANGE), (LPARAM)pTables->m_hWnd);

    std::vector<HTREEITEM> commands;
    for (HTREEITEM hMenu = pTree->GetRootItem(); hMenu != NULL; hMenu = pTree->GetNextSiblingItem(hMenu)) {
        for (HTREEITEM h = pTree->GetChildItem(hMenu); h != NULL; h = pTree->GetNextSiblingItem(h))
            commands.push_back(h);
    }
    if (commands.size() != (size_t)kCommands) {
        printf("the tree holds %d commands, not %d\n", (int)commands.size(), kCommands);
        return;
    }

    // Each run chooses the next command; the rows it shows are kept for the
    // floor.
    size_t nNext = 0;
    int nRows = 0;
    std::vector<std::vector<CString>> shown;
    const double ms = MedianMs(41, [&] {
        pTree->SelectItem(commands[nNext++ % commands.size()]);
        Paint(page);
        nRows += pList->GetCount();
        std::vector<CString> rows;
        for (int i = 0; i < pList->GetCount(); i++) {
            CString s;
            pList->GetText(i, s);
            rows.push_back(s);
        }
        shown.push_back(rows);
    });
    size_t nShown = 0;
    const double floorMs = MedianMs(41, [&] {
        const std::vector<CString>& rows = shown[nShown++ % shown.size()];
        pList->SendMessage(LB_RESETCONTENT);
        for (const CString& s : rows)
            pList->SendMessage(LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)s);
        Paint(page);
    });
    printf("%d rows a command on average\n", nRows / 41);
    Report("tree selection refreshes the list", ms, "the same rows added", floorMs);
    printf("%s: under %.0f ms\n", ms < kLimitMs ? "met" : "NOT MET", kLimitMs);
    manager.DestroyWindow();
    pFrame->DestroyWindow();
}

} // namespace

int main()
{
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWNORMAL)) {
        printf("the application could not start\n");
        return 1;
    }
    Bench();
    return 0;
}
