// skins_bench: switching skins where a user waits on it, beside the floor of
// the same windows simply repainted, both measured in the same run:
//  - a skin switch (Office XP and Office 2003 in turn) over a window holding
//    a 30-tab skinned tab control and ten skinned combo boxes, beside a
//    RedrawWindow of that window and its children (the budget: within 2x).
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <afxcmn.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXSkinnedApp.h"
#include "OXSkinnedComboBox.h"
#include "OXSkinnedTabCtrl.h"

namespace {

class CSkinsBenchApp : public COXSkinnedApp
{
public:
    BOOL InitInstance() override { return TRUE; }
};

CSkinsBenchApp theBenchApp;

void BenchSkinSwitch()
{
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNFACE + 1)), "skins",
                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 900, 400), NULL, 0);
    CFont* pFont = CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
    COXSkinnedTabCtrl tab;
    tab.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 890, 250), &host, 1);
    tab.SetFont(pFont);
    for (int i = 0; i < 30; ++i) {
        CString s;
        s.Format("Keywords %d", i + 1);
        tab.InsertItem(i, s);
    }
    COXSkinnedComboBox combos[10];
    for (int i = 0; i < 10; ++i) {
        combos[i].Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL,
                         CRect(10 + 88 * i, 270, 93 + 88 * i, 400), &host, 100 + i);
        combos[i].SetFont(pFont);
        combos[i].AddString("Web search");
        combos[i].SetCurSel(0);
    }
    theBenchApp.m_pMainWnd = &host;
    host.UpdateWindow();

    // The switch and its floor are timed in turn, so that a machine busy
    // with other work slows both alike.
    const char* skins[] = {"Office XP", "Office 2003"};
    theBenchApp.SetCurrentSkin(skins[0]);
    std::vector<double> switches, redraws;
    for (int i = 1; i <= 41; ++i) {
        double t0 = Now();
        theBenchApp.SetCurrentSkin(skins[i % 2]);
        ::GdiFlush();
        double t1 = Now();
        host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
        double t2 = Now();
        switches.push_back(t1 - t0);
        redraws.push_back(t2 - t1);
    }
    std::sort(switches.begin(), switches.end());
    std::sort(redraws.begin(), redraws.end());
    double dSwitch = switches[switches.size() / 2], dRedraw = redraws[redraws.size() / 2];
    Report("skin switch, 30 tabs and 10 combos", dSwitch, "RedrawWindow of them", dRedraw);
    printf("%-46s %9.2f ms   budget 2x the floor: %s\n", "", dSwitch, dSwitch <= 2 * dRedraw ? "within" : "OVER");
    theBenchApp.m_pMainWnd = NULL;
    host.DestroyWindow();
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOW))
        return 1;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    BenchSkinSwitch();
    return 0;
}
