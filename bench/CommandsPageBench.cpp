// commands_page_bench: the customize dialog opening on the commands page of
// an MDI frame with 10 tool bars and 5 document types whose menus hold 1,000
// commands, beside the same tree filled by bare InsertItem (siblings found
// by a map) on a page of the same template in the same dialog, measured in
// the same run.
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <afxcmn.h>
#include <afxole.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "OXCoolToolBar.h"
#include "OXCustomizeCommandsPage.h"
#include "OXCustomizeManager.h"
#include "toolkit_res.h"

namespace {

CBenchApp theBenchApp("PellucorCommandsPageBench");

// The commands' strings are in CommandsPageBench.rc.
const UINT ID_BENCH_FIRST_COMMAND = 30000;
const int kToolbars = 10, kTemplates = 5, kButtons = 20;
const int kMenusPerTemplate = 10, kItemsPerMenu = 20;

class CBenchDoc : public CDocument
{
    DECLARE_DYNCREATE(CBenchDoc)
};
IMPLEMENT_DYNCREATE(CBenchDoc, CDocument)

// Each document type's menu: ten menus of twenty commands, the first menu's
// name shared by every type (merged in the tree), the commands its own.
HMENU MakeTemplateMenu(int nTemplate)
{
    HMENU hMenu = ::CreateMenu();
    for (int m = 0; m < kMenusPerTemplate; m++) {
        HMENU hSub = ::CreatePopupMenu();
        for (int i = 0; i < kItemsPerMenu; i++) {
            const UINT nID = ID_BENCH_FIRST_COMMAND +
                             (UINT)((nTemplate * kMenusPerTemplate + m) * kItemsPerMenu + i);
            char text[32];
            sprintf(text, "Command &%u\tCtrl+%d", nID - ID_BENCH_FIRST_COMMAND, i);
            ::AppendMenuA(hSub, MF_STRING, nID, text);
        }
        char name[32];
        if (m == 0)
            sprintf(name, "&File");
        else
            sprintf(name, "Menu %d-%d", nTemplate, m);
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, name);
    }
    return hMenu;
}

void Paint(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
}

// The floor: the same menus into a tree, each item by InsertItem, siblings
// found by a map of their texts.
void FillBare(CTreeCtrl& tree, HMENU hMenu, HTREEITEM hParent, std::map<std::pair<HTREEITEM, std::string>, HTREEITEM>& map)
{
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        char text[128] = "";
        ::GetMenuStringA(hMenu, i, text, sizeof text, MF_BYPOSITION);
        std::string key(text);
        auto found = map.find({hParent, key});
        HTREEITEM hItem = found != map.end() ? found->second : tree.InsertItem(text, 3, 3, hParent);
        map[{hParent, key}] = hItem;
        if (HMENU hSub = ::GetSubMenu(hMenu, i))
            FillBare(tree, hSub, hItem, map);
    }
}

class CBarePage : public COXCustomizePage
{
public:
    CBarePage(const std::vector<HMENU>& menus, CImageList* pImages) : m_menus(menus), m_pImages(pImages)
    {
        m_nDialogID = IDD_OX_CUSTOMIZE_COMMANDS;
    }
    CString GetTitle() const override { return "Bare"; }
    UINT m_nItems = 0;

protected:
    void OnInitPage() override
    {
        COXCustomizePage::OnInitPage();
        CTreeCtrl* pTree = (CTreeCtrl*)GetDlgItem(IDC_OX_CMP_COMMANDS);
        pTree->SetImageList(m_pImages, TVSIL_NORMAL);
        pTree->SetRedraw(FALSE);
        std::map<std::pair<HTREEITEM, std::string>, HTREEITEM> map;
        for (HMENU hMenu : m_menus)
            FillBare(*pTree, hMenu, TVI_ROOT, map);
        pTree->SetRedraw(TRUE);
        m_nItems = pTree->GetCount();
    }
    std::vector<HMENU> m_menus;
    CImageList* m_pImages;
};

} // namespace

int main()
{
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWNORMAL))
        return 1;
    // The tool bars are drop targets.
    AfxOleInit();
    CWinApp* pApp = AfxGetApp();
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    pFrame->Create(NULL, "commands bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 600));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    pApp->m_pMainWnd = pFrame;

    std::vector<HMENU> menus;
    for (int t = 0; t < kTemplates; t++) {
        CMultiDocTemplate* pTemplate = new CMultiDocTemplate(0, RUNTIME_CLASS(CBenchDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                             RUNTIME_CLASS(CView));
        pTemplate->m_hMenuShared = MakeTemplateMenu(t);
        menus.push_back(pTemplate->m_hMenuShared);
        pApp->AddDocTemplate(pTemplate);
    }

    // Ten bars of twenty buttons, each with a strip of its own.
    std::vector<COXCoolToolBar*> bars;
    std::vector<CImageList*> strips;
    for (int b = 0; b < kToolbars; b++) {
        COXCoolToolBar* pBar = new COXCoolToolBar;
        pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1 + b);
        CImageList* pStrip = new CImageList;
        pStrip->Create(16, 16, ILC_COLOR24 | ILC_MASK, kButtons, 0);
        CClientDC dc(NULL);
        for (int i = 0; i < kButtons; i++) {
            CBitmap bmp;
            bmp.CreateCompatibleBitmap(&dc, 16, 16);
            CDC mem;
            mem.CreateCompatibleDC(&dc);
            CBitmap* pOld = mem.SelectObject(&bmp);
            mem.FillSolidRect(0, 0, 16, 16, RGB(b * 20, i * 12, 128));
            mem.SelectObject(pOld);
            pStrip->Add(&bmp, RGB(255, 0, 255));
        }
        pBar->SendMessage(TB_SETIMAGELIST, 0, (LPARAM)pStrip->GetSafeHandle());
        UINT ids[kButtons];
        for (int i = 0; i < kButtons; i++)
            ids[i] = ID_BENCH_FIRST_COMMAND + (UINT)(b * kButtons * 5 + i);
        pBar->SetButtons(ids, kButtons);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(pBar);
        bars.push_back(pBar);
        strips.push_back(pStrip);
    }
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    pFrame->RecalcLayout();

    COXCustomizeCommandsPage page;
    page.InitializeCommands(NULL, RGB(192, 192, 192), FALSE, FALSE, "");
    printf("commands: %d\n", page.GetCommandCount());

    std::vector<double> open;
    for (int i = 0; i < 7; i++) {
        COXCustomizeManager manager;
        manager.RegisterPage(&page, 1);
        const double t0 = Now();
        manager.Open(NULL);
        Paint(manager);
        open.push_back(Now() - t0);
        if (i == 0)
            printf("tree items: %u\n", page.GetTree().GetCount());
        manager.DestroyWindow();
        page.DestroyWindow();
    }
    std::sort(open.begin(), open.end());

    // The floor: the same dialog on a page of the same template whose tree
    // is filled by bare InsertItem.
    CBarePage barePage(menus, &page.GetImageList());
    std::vector<double> bare;
    for (int i = 0; i < 7; i++) {
        COXCustomizeManager manager;
        manager.RegisterPage(&barePage, 1);
        const double t0 = Now();
        manager.Open(NULL);
        Paint(manager);
        bare.push_back(Now() - t0);
        if (i == 0)
            printf("bare tree items: %u\n", barePage.m_nItems);
        manager.DestroyWindow();
        barePage.DestroyWindow();
    }
    std::sort(bare.begin(), bare.end());
    Report("dialog opening on the commands page", open[open.size() / 2], "same dialog, bare InsertItem", bare[bare.size() / 2]);
    printf("limits: under 500 ms, within 2x the floor\n");

    pFrame->DestroyWindow();
    for (CImageList* p : strips)
        delete p;
    return 0;
}
