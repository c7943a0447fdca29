// customize_bench: the customize manager where a user waits on it, each
// figure beside a floor measured in the same run:
//  - opening the dialog on its first page with eight pages registered in
//    three groups, beside creating and showing its template and one page's
//    template as plain windows;
//  - switching to a page already created, beside hiding one page window and
//    showing another.
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXCustomizeManager.h"
#include "toolkit_res.h"

#define IDD_BENCH_PAGE 18900

namespace {

CBenchApp theBenchApp("PellucorCustomizeBench");

class CBenchPage : public COXCustomizePage
{
public:
    CBenchPage(LPCTSTR lpszTitle, LPCTSTR lpszGroup) : m_sTitle(lpszTitle), m_sGroup(lpszGroup)
    {
        m_nDialogID = IDD_BENCH_PAGE;
    }
    CString GetTitle() const override { return m_sTitle; }
    CString GetGroup() const override { return m_sGroup; }
    UINT GetImageResource() const override { return IDB_OX_FONT_TYPES; }
    CString GetTooltip() const override { return "A page of the benchmark"; }

private:
    CString m_sTitle, m_sGroup;
};

// The median of a few timed runs of f, each followed by an untimed after().
template <class F, class G>
double MedianMsThen(int runs, F f, G after)
{
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        times.push_back(MedianMs(1, f));
        after();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Paint(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
}

void BenchOpenAndSwitch()
{
    std::vector<CBenchPage*> pages;
    const char* groups[] = {"Customize", "Windows", "Organizers"};
    for (int i = 0; i < 8; i++) {
        CString sTitle;
        sTitle.Format("Page %d", i + 1);
        pages.push_back(new CBenchPage(sTitle, groups[i % 3]));
    }
    COXCustomizeManager manager;
    for (size_t i = 0; i < pages.size(); i++)
        manager.RegisterPage(pages[i], (DWORD)i + 1);

    double open = MedianMsThen(7, [&] {
        manager.Open(NULL);
        Paint(manager);
    }, [&] { manager.DestroyWindow(); });

    double openFloor = MedianMs(7, [&] {
        CWnd dialog, page;
        dialog.CreateDlg(MAKEINTRESOURCE(IDD_OX_CUSTOMIZE_MANAGER), NULL);
        page.CreateDlg(MAKEINTRESOURCE(IDD_BENCH_PAGE), &dialog);
        dialog.ShowWindow(SW_SHOW);
        page.ShowWindow(SW_SHOW);
        Paint(dialog);
        dialog.DestroyWindow();
    });
    Report("opening on the first page, 8 pages", open, "its two templates shown", openFloor);

    // Every page created once; then switching between two of them.
    manager.Open(NULL);
    for (CBenchPage* pPage : pages)
        manager.ActivatePage(pPage);
    int nTurn = 0;
    double switching = MedianMs(21, [&] {
        manager.ActivatePage(pages[nTurn++ % 2]);
        Paint(manager);
    });
    double switchFloor = MedianMs(21, [&] {
        CBenchPage* pShow = pages[nTurn % 2];
        CBenchPage* pHide = pages[++nTurn % 2];
        pHide->ShowWindow(SW_HIDE);
        pShow->ShowWindow(SW_SHOW);
        Paint(manager);
    });
    Report("switching to a created page", switching, "hiding one page, showing another", switchFloor);
    manager.DestroyWindow();
    for (CBenchPage* pPage : pages)
        delete pPage;
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWNORMAL))
        return 1;
    BenchOpenAndSwitch();
    return 0;
}
