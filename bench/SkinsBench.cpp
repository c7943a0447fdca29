// skins_bench: switching skins where a user waits on it, beside the floor of
// the same windows simply repainted, both measured in the same run:
//  - a skin switch (Office XP and Office 2003 in turn) over a frame holding
//    four cool tool bars of ten buttons, a 30-tab skinned tab control and ten
//    skinned combo boxes, beside a RedrawWindow of that frame and its
//    children (the budget: within 2x);
//  - a paint of a cool tool bar of 40 buttons with texts and drop-down
//    arrows in Office XP and Office 2003, beside the same bar painted in
//    the Classic (stock) look (the budget: under 16 ms and within 3x).
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <afxcmn.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXCoolToolBar.h"
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

// A cool tool bar of nButtons with texts, every fourth a drop-down, its
// images cut from one strip of eight.
void FillBar(COXCoolToolBar& bar, CImageList& images, CWnd* pWnd, int nButtons, UINT nFirstID)
{
    if (images.GetSafeHandle() == NULL) {
        images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 8, 0);
        CClientDC screen(pWnd);
        CBitmap strip;
        strip.CreateCompatibleBitmap(&screen, 16 * 8, 16);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* pOld = dc.SelectObject(&strip);
        dc.FillSolidRect(0, 0, 16 * 8, 16, RGB(255, 0, 255));
        for (int i = 0; i < 8; ++i)
            dc.FillSolidRect(16 * i + 2, 2, 12, 12, RGB(30 * i, 200 - 20 * i, 90));
        dc.SelectObject(pOld);
        images.Add(&strip, RGB(255, 0, 255));
    }
    bar.SetSizes(CSize(23, 22), CSize(16, 16));
    bar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)images.GetSafeHandle());
    std::vector<UINT> ids(nButtons);
    for (int i = 0; i < nButtons; ++i)
        ids[i] = nFirstID + i;
    bar.SetButtons(ids.data(), nButtons);
    for (int i = 0; i < nButtons; ++i) {
        UINT nID, nStyle;
        int iImage;
        bar.GetButtonInfo(i, nID, nStyle, iImage);
        bar.SetButtonInfo(i, nID, i % 4 == 0 ? TBSTYLE_DROPDOWN : TBSTYLE_BUTTON, i % 8);
        CString s;
        s.Format("Key %d", i + 1);
        bar.SetButtonText(i, s);
    }
    bar.ModifyStyle(0, TBSTYLE_LIST);
    bar.UpdateSizes();
}

void BenchSkinSwitch()
{
    CFrameWnd* pHost = new CFrameWnd;
    pHost->Create(NULL, "skins", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 1000, 560));
    pHost->EnableDocking(CBRS_ALIGN_ANY);
    CImageList images;
    COXCoolToolBar bars[4];
    for (int i = 0; i < 4; ++i) {
        bars[i].Create(pHost, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, AFX_IDW_TOOLBAR + 1 + i);
        FillBar(bars[i], images, pHost, 10, 1000 + 10 * i);
        bars[i].EnableDocking(CBRS_ALIGN_ANY);
        pHost->DockControlBar(&bars[i], i < 2 ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_BOTTOM);
    }
    pHost->RecalcLayout();
    CRect rectBody;
    pHost->GetClientRect(rectBody);
    pHost->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, rectBody);

    CFont* pFont = CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
    COXSkinnedTabCtrl tab;
    tab.Create(WS_CHILD | WS_VISIBLE, CRect(rectBody.left + 10, rectBody.top + 10, rectBody.right - 10,
                                           rectBody.top + 150), pHost, 1);
    tab.SetFont(pFont);
    for (int i = 0; i < 30; ++i) {
        CString s;
        s.Format("Keywords %d", i + 1);
        tab.InsertItem(i, s);
    }
    COXSkinnedComboBox combos[10];
    for (int i = 0; i < 10; ++i) {
        const int x = rectBody.left + 10 + 95 * i, y = rectBody.top + 160;
        combos[i].Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(x, y, x + 90, y + 130), pHost,
                         100 + i);
        combos[i].SetFont(pFont);
        combos[i].AddString("Web search");
        combos[i].SetCurSel(0);
    }
    theBenchApp.m_pMainWnd = pHost;
    pHost->UpdateWindow();

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
        pHost->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
        double t2 = Now();
        switches.push_back(t1 - t0);
        redraws.push_back(t2 - t1);
    }
    std::sort(switches.begin(), switches.end());
    std::sort(redraws.begin(), redraws.end());
    double dSwitch = switches[switches.size() / 2], dRedraw = redraws[redraws.size() / 2];
    Report("skin switch, 4 bars, 30 tabs, 10 combos", dSwitch, "RedrawWindow of them", dRedraw);
    printf("%-46s %9.2f ms   budget 2x the floor: %s\n", "", dSwitch, dSwitch <= 2 * dRedraw ? "within" : "OVER");
    theBenchApp.m_pMainWnd = NULL;
    pHost->DestroyWindow();
}

// The median time of a full repaint of the bar, in the current skin.
double BarPaintTime(COXCoolToolBar& bar)
{
    std::vector<double> times;
    for (int i = 0; i < 41; ++i) {
        double t0 = Now();
        bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        ::GdiFlush();
        times.push_back(Now() - t0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BenchToolbarPaint()
{
    CFrameWnd* pFrame = new CFrameWnd;
    pFrame->Create(NULL, "tool bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1270, 300));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    COXCoolToolBar bar;
    bar.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER);
    CImageList images;
    FillBar(bar, images, pFrame, 40, 1000);
    bar.SendMessage(TB_SETHOTITEM, 3);
    bar.SendMessage(TB_CHECKBUTTON, 1005, TRUE);
    bar.SendMessage(TB_ENABLEBUTTON, 1006, FALSE);
    pFrame->DockControlBar(&bar);
    pFrame->RecalcLayout();
    theBenchApp.m_pMainWnd = pFrame;

    // Each look and its floor in turn, as often, so that a busy machine
    // slows both alike.
    std::vector<double> classic, xp, s2003;
    for (int round = 0; round < 5; ++round) {
        theBenchApp.SetCurrentSkin("Classic");
        classic.push_back(BarPaintTime(bar));
        theBenchApp.SetCurrentSkin("Office XP");
        xp.push_back(BarPaintTime(bar));
        theBenchApp.SetCurrentSkin("Office 2003");
        s2003.push_back(BarPaintTime(bar));
    }
    for (std::vector<double>* p : {&classic, &xp, &s2003})
        std::sort(p->begin(), p->end());
    double dClassic = classic[2], dXP = xp[2], d2003 = s2003[2];
    Report("40-button bar paint, Office XP", dXP, "the same bar, Classic", dClassic);
    printf("%-46s %9.2f ms   budget 16 ms and 3x the floor: %s\n", "", dXP,
           dXP < 16 && dXP <= 3 * dClassic ? "within" : "OVER");
    Report("40-button bar paint, Office 2003", d2003, "the same bar, Classic", dClassic);
    printf("%-46s %9.2f ms   budget 16 ms and 3x the floor: %s\n", "", d2003,
           d2003 < 16 && d2003 <= 3 * dClassic ? "within" : "OVER");
    theBenchApp.m_pMainWnd = NULL;
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
    BenchSkinSwitch();
    BenchToolbarPaint();
    return 0;
}
