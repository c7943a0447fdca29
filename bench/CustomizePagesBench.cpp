// customize_pages_bench: the first showing of the intelli-mouse, splash
// window, tray icon, cool controls, instance manager, background and caption
// pages in the customize manager (the page made from its template, its controls filled),
// each beside making the same template as a plain child window and showing
// it, measured in the same run.
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXCustomizeBackgroundPage.h"
#include "OXCustomizeCaptionPage.h"
#include "OXCustomizeCoolControlsPage.h"
#include "OXCustomizeInstanceManagerPage.h"
#include "OXCustomizeIntelliMousePage.h"
#include "OXCustomizeManager.h"
#include "OXCustomizeSplashWindowPage.h"
#include "OXCustomizeTrayIconPage.h"
#include "toolkit_res.h"

namespace {

CBenchApp theBenchApp("PellucorCustomizePagesBench");

// A page with no controls, shown first so that the timed page is made by
// switching to it.
class CFirstPage : public COXCustomizePage
{
public:
    CFirstPage() { m_nDialogID = IDD_OX_CUSTOMIZE_INTELLIMOUSE; }
    CString GetTitle() const override { return "A first page"; }
};

void Paint(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
}

void BenchFirstShowing(const char* what, COXCustomizePage& page, UINT nTemplate)
{
    CFirstPage first;
    COXCustomizeManager manager;
    manager.RegisterPage(&first, 1);
    manager.RegisterPage(&page, 2);
    std::vector<double> times;
    for (int i = 0; i < 7; i++) {
        manager.Open(NULL);
        Paint(manager);
        double t0 = Now();
        manager.ActivatePage(&page);
        Paint(manager);
        times.push_back(Now() - t0);
        manager.DestroyWindow();
    }
    std::sort(times.begin(), times.end());

    manager.Open(NULL);
    double floor = MedianMs(7, [&] {
        CWnd plain;
        plain.CreateDlg(MAKEINTRESOURCE(nTemplate), &manager);
        plain.MoveWindow(manager.GetPageRect());
        plain.ShowWindow(SW_SHOW);
        Paint(manager);
        plain.DestroyWindow();
    });
    manager.DestroyWindow();
    char label[80];
    snprintf(label, sizeof(label), "first showing: %s", what);
    Report(label, times[times.size() / 2], "its template as a plain window", floor);
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWNORMAL))
        return 1;
    // The splash and tray pages first: once the intelli-mouse page is set up,
    // every window the thread makes gets a scrolling handler.
    COXCustomizeSplashWindowPage splash;
    splash.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, FALSE, -1, TRUE, CLR_DEFAULT, NULL, 0, NULL);
    BenchFirstShowing("splash window page", splash, IDD_OX_CUSTOMIZE_SPLASH);
    COXCustomizeTrayIconPage tray;
    tray.InitializeTrayIcon(::LoadIcon(NULL, IDI_APPLICATION), 0, "bench", FALSE, TRUE, NULL, NULL);
    BenchFirstShowing("tray icon page", tray, IDD_OX_CUSTOMIZE_TRAYICON);
    COXCustomizeCoolControlsPage coolControls;
    coolControls.InitializeCoolControls(FALSE, NULL);
    BenchFirstShowing("cool controls page", coolControls, IDD_OX_CUSTOMIZE_COOLCONTROLS);
    COXCustomizeInstanceManagerPage instances;
    instances.InitializeInstanceManager(1000, NULL);
    BenchFirstShowing("instance manager page", instances, IDD_OX_CUSTOMIZE_INSTANCES);
    COXCustomizeBackgroundPage background;
    COXDIB image;
    image.CreateEmpty(24, 32, 32);
    background.InitializeBackgroundPainter(TRUE, TRUE, &image, OXPaintTiled, RGB(0, 128, 128), NULL);
    BenchFirstShowing("background page", background, IDD_OX_CUSTOMIZE_BACKGROUND);
    COXCustomizeCaptionPage caption;
    caption.InitializeCaptionPainter(FALSE, NULL, FALSE);
    BenchFirstShowing("caption page", caption, IDD_OX_CUSTOMIZE_CAPTION);
    // Painting on: every window the thread makes from here gets a caption painter.
    caption.InitializeCaptionPainter(TRUE, NULL, FALSE);
    BenchFirstShowing("caption page, captions painted", caption, IDD_OX_CUSTOMIZE_CAPTION);
    caption.InitializeCaptionPainter(FALSE, NULL, FALSE);
    COXCustomizeIntelliMousePage intelliMouse;
    intelliMouse.InitializeIntelliMouse(FALSE, WM_MBUTTONDOWN, 0, FALSE, NULL);
    BenchFirstShowing("intelli-mouse page", intelliMouse, IDD_OX_CUSTOMIZE_INTELLIMOUSE);
    intelliMouse.InitializeIntelliMouse(TRUE, WM_MBUTTONDOWN, 0, FALSE, NULL);
    BenchFirstShowing("intelli-mouse page, scrolling on", intelliMouse, IDD_OX_CUSTOMIZE_INTELLIMOUSE);
    return 0;
}
