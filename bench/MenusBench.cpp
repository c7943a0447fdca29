// menus_bench: bitmap menus where a user waits on them, each beside a floor
// measured in the same run:
//  - opening a 60-item popup with images converted by the organizer, from
//    WM_INITMENUPOPUP to the last WM_DRAWITEM, beside the same 60 items
//    owner-drawn by a bare handler (the budget: within 2x);
//  - an Office XP popup's WM_NCPAINT with its shadow, beside one BitBlt of
//    the shadow's bands from the screen (the budget: under 5 ms);
//  - switching between two MDI children with different menus while the menu
//    bar shows them, rebuilt and repainted, beside the same switch on a frame
//    that shows its menus the system's way (the budget: under 16 ms).
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXBitmapMenuOrganizer.h"
#include "OXMenuBar.h"
#include "OXSkinnedApp.h"

namespace {

class CMenusBenchApp : public COXSkinnedApp
{
public:
    BOOL InitInstance() override { return TRUE; }
};

CMenusBenchApp theBenchApp;

const int kItems = 60;

// A frame that times a popup from its WM_INITMENUPOPUP to its last
// WM_DRAWITEM; with bBare it measures and draws the items itself.
class CBenchFrame : public CFrameWnd
{
public:
    BOOL m_bBare = FALSE;
    CImageList* m_pImages = NULL;
    double m_tOpen = 0, m_tLastDraw = 0;
    int m_nDrawn = 0;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_INITMENUPOPUP) {
            m_tOpen = Now();
            m_nDrawn = 0;
        }
        if (m_bBare && nMsg == WM_MEASUREITEM) {
            LPMEASUREITEMSTRUCT p = (LPMEASUREITEMSTRUCT)lParam;
            p->itemWidth = 160;
            p->itemHeight = 22;
            return TRUE;
        }
        if (nMsg == WM_DRAWITEM && ((LPDRAWITEMSTRUCT)lParam)->CtlType == ODT_MENU) {
            LRESULT lResult = 0;
            if (m_bBare) {
                LPDRAWITEMSTRUCT p = (LPDRAWITEMSTRUCT)lParam;
                CRect rc(p->rcItem);
                ::FillRect(p->hDC, &rc, ::GetSysColorBrush(p->itemState & ODS_SELECTED ? COLOR_HIGHLIGHT : COLOR_MENU));
                ImageList_Draw(m_pImages->GetSafeHandle(), (int)(p->itemID % 4), p->hDC, rc.left + 2, rc.top + 3,
                               ILD_TRANSPARENT);
                ::SetBkMode(p->hDC, TRANSPARENT);
                char sz[32];
                wsprintfA(sz, "Keyword list %u", p->itemID);
                rc.left += 26;
                ::DrawTextA(p->hDC, sz, -1, &rc, DT_SINGLELINE | DT_VCENTER);
                lResult = TRUE;
            } else {
                lResult = CFrameWnd::WindowProc(nMsg, wParam, lParam);
            }
            ::GdiFlush();
            m_tLastDraw = Now();
            ++m_nDrawn;
            return lResult;
        }
        return CFrameWnd::WindowProc(nMsg, wParam, lParam);
    }
};

CBenchFrame* g_pFrame = NULL;
HMENU g_hPopup = NULL;
std::vector<double>* g_pNcPaint = NULL;
std::vector<double>* g_pBitBlt = NULL;

// While the popup is open: once every item is drawn, time the flat skin's
// frame painting when asked, then close the popup.
int g_nSeen = -1;
double g_tStart = 0;
void CALLBACK CloseWhenDrawn(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    // The screen may not hold all 60 items: the popup is done once the
    // items it shows are drawn and no more come.
    const BOOL bTimeUp = Now() - g_tStart > 3000;
    if (!bTimeUp && (g_pFrame->m_nDrawn == 0 || g_pFrame->m_nDrawn != g_nSeen)) {
        g_nSeen = g_pFrame->m_nDrawn;
        return;
    }
    HWND hPopup = ::FindWindowA("#32768", NULL);
    if (g_pNcPaint != NULL && hPopup != NULL) {
        CRect rc;
        ::GetWindowRect(hPopup, &rc);
        for (int i = 0; i < 20; ++i) {
            double t0 = Now();
            ::SendMessage(hPopup, WM_NCPAINT, 1, 0);
            ::GdiFlush();
            double t1 = Now();
            // The floor: the shadow's two bands read from the screen at once.
            HDC hScreen = ::GetDC(NULL);
            HDC hMem = ::CreateCompatibleDC(hScreen);
            HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.Width(), 4);
            HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
            ::BitBlt(hMem, 0, 0, 4, rc.Height() > 4 ? 4 : rc.Height(), hScreen, rc.right - 4, rc.top, SRCCOPY);
            ::BitBlt(hMem, 0, 0, rc.Width(), 4, hScreen, rc.left, rc.bottom - 4, SRCCOPY);
            ::GdiFlush();
            ::SelectObject(hMem, hOld);
            ::DeleteObject(hBitmap);
            ::DeleteDC(hMem);
            ::ReleaseDC(NULL, hScreen);
            double t2 = Now();
            g_pNcPaint->push_back(t1 - t0);
            g_pBitBlt->push_back(t2 - t1);
        }
    }
    ::KillTimer(NULL, idEvent);
    ::EndMenu();
}

double OpenOnce()
{
    g_nSeen = -1;
    g_pFrame->m_nDrawn = 0;
    g_tStart = Now();
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 10, CloseWhenDrawn);
    ::TrackPopupMenu(g_hPopup, TPM_LEFTALIGN, 40, 40, 0, g_pFrame->m_hWnd, NULL);
    ::KillTimer(NULL, nTimer);
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    return g_pFrame->m_tLastDraw - g_pFrame->m_tOpen;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void BenchMenus()
{
    CImageList images;
    images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
    const COLORREF colours[] = {RGB(0, 120, 215), RGB(16, 124, 16), RGB(232, 17, 35), RGB(255, 185, 0)};
    for (COLORREF clr : colours) {
        CBitmap bitmap;
        CClientDC dcScreen(NULL);
        bitmap.CreateCompatibleBitmap(&dcScreen, 16, 16);
        CDC dc;
        dc.CreateCompatibleDC(&dcScreen);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
        dc.FillSolidRect(2, 2, 12, 12, clr);
        dc.SelectObject(pOld);
        images.Add(&bitmap, RGB(255, 0, 255));
    }

    // The organizer's menu: plain strings it converts.
    CBenchFrame* pFrame = new CBenchFrame;
    pFrame->Create(NULL, "menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 500));
    pFrame->m_bAutoMenuEnable = FALSE;
    pFrame->m_pImages = &images;
    theBenchApp.m_pMainWnd = pFrame;
    g_pFrame = pFrame;
    COXBitmapMenuOrganizer organizer;
    organizer.AttachFrameWnd(pFrame);
    HMENU hConverted = ::CreatePopupMenu(), hBare = ::CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
        const UINT nID = 1000 + i;
        char sz[32];
        wsprintfA(sz, "Keyword list &%d\tCtrl+%d", i, i % 10);
        ::AppendMenuA(hConverted, MF_STRING, nID, sz);
        ::AppendMenuA(hBare, MF_OWNERDRAW, nID, NULL);
        HICON hIcon = images.ExtractIcon(i % 4);
        organizer.SetMenuIcon(nID, hIcon, 16, 16);
        ::DestroyIcon(hIcon);
    }
    pFrame->SetForegroundWindow();
    pFrame->UpdateWindow();

    theBenchApp.SetCurrentSkin("Office XP");
    std::vector<double> converted, bare, ncPaint, bitBlt;
    for (int i = 0; i < 15; ++i) {
        pFrame->m_bBare = FALSE;
        g_hPopup = hConverted;
        g_pNcPaint = i >= 5 ? &ncPaint : NULL;
        g_pBitBlt = &bitBlt;
        converted.push_back(OpenOnce());
        g_pNcPaint = NULL;
        pFrame->m_bBare = TRUE;
        g_hPopup = hBare;
        bare.push_back(OpenOnce());
    }
    printf("items drawn per opening: %d\n", pFrame->m_nDrawn);
    const double dConverted = Median(converted), dBare = Median(bare);
    Report("60-item bitmap popup opened (Office XP)", dConverted, "bare owner-drawn popup", dBare);
    printf("%-46s %9.2f ms   budget 2x the floor: %s\n", "", dConverted, dConverted <= 2 * dBare ? "within" : "OVER");
    const double dNc = Median(ncPaint), dBlt = Median(bitBlt);
    Report("XP popup WM_NCPAINT with shadow", dNc, "BitBlt of the shadow bands", dBlt);
    printf("%-46s %9.2f ms   budget 5 ms: %s\n", "", dNc, dNc < 5 ? "within" : "OVER");

    organizer.DetachFrameWnd();
    theBenchApp.m_pMainWnd = NULL;
    pFrame->DestroyWindow();
    ::DestroyMenu(hConverted);
    ::DestroyMenu(hBare);
}

// An MDI frame whose menus the bar shows (bBar), or the system's menu bar.
class CSwitchFrame : public CMDIFrameWnd
{
public:
    BOOL m_bBar = TRUE;
    COXMenuBar m_bar;

    void OnUpdateFrameMenu(HMENU hMenuAlt) override
    {
        if (!m_bBar) {
            CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
            return;
        }
        m_bar.TakeFrameMenu(hMenuAlt != NULL ? hMenuAlt : COXMenuBar::FrameMenuFor(this));
    }
};

class CSwitchChild : public CMDIChildWnd
{
public:
    void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override
    {
        CSwitchFrame* pFrame = static_cast<CSwitchFrame*>(GetMDIFrame());
        if (!pFrame->m_bBar) {
            CMDIChildWnd::OnUpdateFrameMenu(bActivate, pActivateWnd, hMenuAlt);
            return;
        }
        if (HMENU hMenu = COXMenuBar::ChildMenuFor(this, bActivate, pActivateWnd, hMenuAlt))
            pFrame->m_bar.TakeFrameMenu(hMenu);
    }
};

HMENU SwitchMenu(const char* pszPrefix, int nItems)
{
    HMENU hMenu = ::CreateMenu();
    for (int i = 0; i < nItems; ++i) {
        HMENU hPopup = ::CreatePopupMenu();
        for (int j = 0; j < 10; ++j)
            ::AppendMenuA(hPopup, MF_STRING, 2000 + i * 10 + j, "Command");
        char sz[32];
        wsprintfA(sz, "&%s %d", pszPrefix, i);
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, sz);
    }
    HMENU hWindow = ::CreatePopupMenu();
    ::AppendMenuA(hWindow, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hWindow, "&Window");
    return hMenu;
}

struct CSwitchTimes
{
    double dSwitch;   // a child activated, laid out and painted
    double dMenu;     // the menu alone changed and shown again
};

// Median times of switching the active child back and forth, each switch
// until the frame has painted, and of changing only the shown menu: the bar
// rebuilt, laid out and repainted, or the system's menu bar redrawn.
CSwitchTimes SwitchChildren(BOOL bBar)
{
    CSwitchFrame* pFrame = new CSwitchFrame;
    pFrame->m_bBar = bBar;
    HMENU hDefault = SwitchMenu("File", 2), hA = SwitchMenu("Keywords", 8), hB = SwitchMenu("Report", 6);
    pFrame->m_hMenuDefault = hDefault;
    pFrame->Create(NULL, "switch", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500));
    theBenchApp.m_pMainWnd = pFrame;
    if (bBar) {
        pFrame->m_bar.Create(pFrame);
        pFrame->m_bar.EnableDocking(CBRS_ALIGN_ANY);
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(&pFrame->m_bar, AFX_IDW_DOCKBAR_TOP);
    }
    pFrame->OnUpdateFrameMenu(NULL);
    CSwitchChild* pChildren[2];
    HMENU menus[2] = {hA, hB};
    for (int i = 0; i < 2; ++i) {
        pChildren[i] = new CSwitchChild;
        pChildren[i]->m_hMenuShared = menus[i];
        pChildren[i]->Create(NULL, i == 0 ? "Keywords" : "Report", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                             CRect(10, 10, 300, 200), pFrame);
    }
    pFrame->MDIMaximize(pChildren[1]);
    pFrame->RecalcLayout();
    pFrame->UpdateWindow();
    CSwitchTimes times;
    int n = 0;
    times.dSwitch = MedianMs(21, [&] {
        pFrame->MDIActivate(pChildren[n++ % 2]);
        pFrame->RecalcLayout();
        pFrame->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    times.dMenu = MedianMs(21, [&] {
        HMENU hMenu = menus[n++ % 2];
        if (bBar) {
            pFrame->m_bar.TakeFrameMenu(hMenu);
            pFrame->RecalcLayout();
            pFrame->m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        } else {
            ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, 0);
            pFrame->DrawMenuBar();
            pFrame->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_UPDATENOW);
        }
    });
    theBenchApp.m_pMainWnd = NULL;
    pFrame->DestroyWindow();
    for (HMENU hMenu : {hDefault, hA, hB})
        if (::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
    return times;
}

void BenchMenuBar()
{
    const CSwitchTimes bar = SwitchChildren(TRUE), system = SwitchChildren(FALSE);
    Report("MDI child switch with the menu bar", bar.dSwitch, "with the system menu bar", system.dSwitch);
    Report("menu bar rebuilt for the new menu", bar.dMenu, "system menu bar redrawn", system.dMenu);
    printf("%-46s %9.2f ms   budget 16 ms: %s\n", "", bar.dMenu, bar.dMenu < 16 ? "within" : "OVER");
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOW))
        return 1;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    BenchMenus();
    BenchMenuBar();
    return 0;
}
