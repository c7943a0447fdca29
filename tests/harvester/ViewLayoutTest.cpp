// The main view's first set-up and its layout: where every control goes when
// the window is sized, the result list's columns, the keyword box on a fresh
// profile, the buttons' tooltips and site links, and the tray icon's
// animation while a page is fetched.
#include "ViewFixture.h"

#include <afxole.h>
#include <commctrl.h>
#include <map>
#include "ProfileKeys.h"
#include "SiteAddresses.h"
#include "SystemTray.h"

namespace {

// The controls the size rules move or size (the ad pane comes on top when the
// view could make it).
const int kRuledControls[] = {IDC_RESULTS,  IDC_BASKET,          IDC_CHECK_CUSTOM, IDC_UNCHECK_ALL, IDC_CHECK_ALL,
                              IDC_SETTINGS, IDC_GET_NEW_VERSION, IDC_HELP_SITE,    IDC_SAVE,        IDC_COPY};

// ---- what the shell is asked ----

struct OpenCall {
    HWND hWnd;
    std::string verb, file;
    bool bNoParameters, bNoFolder;
    INT nShow;
};
std::vector<OpenCall> g_opened;

HINSTANCE WINAPI RecordOpen(HWND hWnd, LPCSTR pszVerb, LPCSTR pszFile, LPCSTR pszParameters, LPCSTR pszFolder,
                            INT nShow)
{
    g_opened.push_back({hWnd, pszVerb ? pszVerb : "", pszFile ? pszFile : "", pszParameters == nullptr,
                        pszFolder == nullptr, nShow});
    return (HINSTANCE)42;
}

struct TrayCall {
    DWORD dwMessage;
    UINT uFlags;
    HICON hIcon;
};
std::vector<TrayCall> g_trayCalls;

BOOL WINAPI RecordTray(DWORD dwMessage, PNOTIFYICONDATAA pData)
{
    g_trayCalls.push_back({dwMessage, pData->uFlags, pData->hIcon});
    return TRUE;
}

// The text of the tooltip a window of this thread shows for hTool, and
// whether it is a balloon; "<none>" when it has none.
struct ToolTipSeen {
    std::string text = "<none>";
    bool bBalloon = false;
};

ToolTipSeen ToolTipOf(HWND hTool)
{
    struct Search {
        HWND hTool;
        ToolTipSeen seen;
    } search{hTool, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) CALLBACK -> BOOL {
            Search& s = *reinterpret_cast<Search*>(lParam);
            char szClass[64] = "";
            GetClassNameA(hWnd, szClass, sizeof szClass);
            if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) != 0)
                return TRUE;
            int nTools = (int)SendMessageA(hWnd, TTM_GETTOOLCOUNT, 0, 0);
            for (int i = 0; i < nTools; i++) {
                char szText[512] = "";
                TOOLINFOA ti = {};
                ti.cbSize = sizeof ti;
                ti.lpszText = szText;
                if (!SendMessageA(hWnd, TTM_ENUMTOOLSA, (WPARAM)i, (LPARAM)&ti))
                    continue;
                if (ti.hwnd != s.hTool && (HWND)ti.uId != s.hTool)
                    continue;
                s.seen.text = szText;
                s.seen.bBalloon = (GetWindowLongA(hWnd, GWL_STYLE) & TTS_BALLOON) != 0;
                return FALSE;
            }
            return TRUE;
        },
        (LPARAM)&search);
    return search.seen;
}

// Whether this system lets the WebBrowser control be made at all.
bool BrowserCreatable()
{
    const CLSID clsidWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
    IUnknown* p = nullptr;
    if (FAILED(CoCreateInstance(clsidWebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, (void**)&p)))
        return false;
    p->Release();
    return true;
}

std::ostream& operator<<(std::ostream& os, const CRect& rc)
{
    return os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

}  // namespace

class ViewLayoutTest : public ViewTest
{
protected:
    // OLE is up, as the program brings it up before its first window: whether
    // the view gets its ad pane must not hang on which tests ran before.
    void SetUp() override
    {
        ViewTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
    }
    void TearDown() override
    {
        ViewTest::TearDown();
        CPellucorView::s_pfnOpenAddress = ::ShellExecuteA;
        CSystemTray::s_pfnShellNotifyIcon = ::Shell_NotifyIconA;
    }

    // A control's rectangle in the view's client co-ordinates.
    CRect RectOf(HWND hWnd) const
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(NULL, m_pView->m_hWnd, (LPPOINT)&rc, 2);
        return rc;
    }
    CRect RectOf(int nID) const { return RectOf(Item(nID)); }
    HWND AdPane() const { return Item(IDC_AD_PANE); }

    // Sizes the main window (not maximised) and lets the view follow.
    CSize SizeFrame(int cx, int cy)
    {
        ::ShowWindow(m_pFrame->m_hWnd, SW_RESTORE);
        ::SetWindowPos(m_pFrame->m_hWnd, NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpAppFor(30);
        CRect rc;
        m_pView->GetClientRect(&rc);
        return rc.Size();
    }

    // The visible children of the view, by window.
    std::vector<HWND> VisibleChildren() const
    {
        std::vector<HWND> children;
        for (HWND h = ::GetWindow(m_pView->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
            if (::IsWindowVisible(h))
                children.push_back(h);
        return children;
    }

    static std::string Describe(HWND h)
    {
        char szClass[64] = "", szText[64] = "";
        GetClassNameA(h, szClass, sizeof szClass);
        GetWindowTextA(h, szText, sizeof szText);
        return std::string(szClass) + " " + std::to_string(GetDlgCtrlID(h)) + " \"" + szText + "\"";
    }
};

// At the form's start and at every larger size of the main window the rules
// hold: the list keeps its width, the Basket fills the width right of it, the
// bottom row sits 25 pixels above the bottom edge, the right-hand buttons
// keep their distance from the right edge, everything else stays where it
// was; and nothing covers anything else.
TEST_F(ViewLayoutTest, SizeRulesGiveACleanLayoutAtEveryWindowSize)
{
    CreateWindows();
    const CSize sizes[] = {{800, 600}, {1024, 768}, {1280, 1024}, {900, 640}};
    std::map<int, CRect> start;
    for (int nID : kRuledControls)
        start[nID] = RectOf(nID);
    const bool bAdPane = AdPane() != NULL;
    ASSERT_EQ(bAdPane, BrowserCreatable()) << "the ad pane is there exactly when the browser can be made";
    const CRect rcAdStart = bAdPane ? RectOf(AdPane()) : CRect();

    for (const CSize& frame : sizes) {
        const CSize client = SizeFrame(frame.cx, frame.cy);
        const int W = client.cx, H = client.cy;
        SCOPED_TRACE("frame " + std::to_string(frame.cx) + "x" + std::to_string(frame.cy) + ", view " +
                     std::to_string(W) + "x" + std::to_string(H));
        ASSERT_GE(W, 700);

        if (bAdPane) {
            const CRect rc = RectOf(AdPane());
            EXPECT_EQ(rc.TopLeft(), rcAdStart.TopLeft());
            EXPECT_EQ(rc.Width(), W - 30);
            EXPECT_EQ(rc.Height(), rcAdStart.Height());
        }

        const CRect rcList = RectOf(IDC_RESULTS);
        EXPECT_EQ(rcList.TopLeft(), start[IDC_RESULTS].TopLeft());
        EXPECT_EQ(rcList.Size(), CSize(442, H - 258));

        const CRect rcBasket = RectOf(IDC_BASKET);
        EXPECT_EQ(rcBasket.TopLeft(), start[IDC_BASKET].TopLeft());
        EXPECT_EQ(rcBasket.Height(), H - 210);
        EXPECT_EQ(rcBasket.right, W - 10);
        EXPECT_GT(rcBasket.left, rcList.right);

        for (int nID : {IDC_CHECK_CUSTOM, IDC_UNCHECK_ALL, IDC_CHECK_ALL, IDC_SETTINGS}) {
            EXPECT_EQ(RectOf(nID).TopLeft(), CPoint(start[nID].left, H - 25)) << "button " << nID;
            EXPECT_EQ(RectOf(nID).Size(), start[nID].Size()) << "button " << nID;
        }
        EXPECT_EQ(RectOf(IDC_GET_NEW_VERSION).TopLeft(), CPoint(W - 257, H - 25));
        EXPECT_EQ(RectOf(IDC_HELP_SITE).TopLeft(), CPoint(W - 86, H - 25));
        EXPECT_EQ(RectOf(IDC_SAVE).TopLeft(), CPoint(W - 79, start[IDC_SAVE].top));
        EXPECT_EQ(RectOf(IDC_COPY).TopLeft(), CPoint(W - 143, start[IDC_COPY].top));
        for (int nID : kRuledControls)
            EXPECT_TRUE(::IsWindowVisible(Item(nID))) << "control " << nID;

        // Nothing outside the view, nothing over anything else.
        const std::vector<HWND> children = VisibleChildren();
        const CRect rcClient(0, 0, W, H);
        for (size_t i = 0; i < children.size(); i++) {
            const CRect a = RectOf(children[i]);
            CRect inside;
            inside.IntersectRect(a, rcClient);
            EXPECT_EQ(inside, a) << Describe(children[i]) << " " << a;
            for (size_t j = i + 1; j < children.size(); j++) {
                const CRect b = RectOf(children[j]);
                CRect overlap;
                EXPECT_FALSE(overlap.IntersectRect(a, b))
                    << Describe(children[i]) << " " << a << " covers " << Describe(children[j]) << " " << b;
            }
        }
    }
    // The hidden controls stay hidden.
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_EXIT)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_AD_PLACEHOLDER)));
}

// The ad pane is made where the hidden placeholder is, framed, and starts on
// the maker's page for even seconds of the clock or the one for odd seconds
// (the clock is the test's). Where the browser cannot be made the view goes
// on without the pane, and the choice of page is checked by itself.
time_t g_tClock = 0;
time_t TestClock(time_t* pt)
{
    if (pt) *pt = g_tClock;
    return g_tClock;
}

TEST_F(ViewLayoutTest, AdPaneTakesThePlaceholdersPlaceAndAPageByTheClock)
{
    // Two local times a second apart: one even second, one odd.
    struct tm even = {};
    even.tm_year = 126;
    even.tm_mon = 11;
    even.tm_mday = 10;
    even.tm_hour = 12;
    even.tm_min = 30;
    even.tm_sec = 20;
    even.tm_isdst = -1;
    const time_t tEven = mktime(&even);
    ASSERT_NE(tEven, (time_t)-1);
    EXPECT_STREQ(CPellucorView::AdPageAt(tEven), PELLUCOR_AD_PAGE_EVEN);
    EXPECT_STREQ(CPellucorView::AdPageAt(tEven + 1), PELLUCOR_AD_PAGE_ODD);
    EXPECT_STREQ(CPellucorView::AdPageAt(tEven + 2), PELLUCOR_AD_PAGE_EVEN);
    EXPECT_STREQ(CPellucorView::AdPageAt((time_t)-1), PELLUCOR_AD_PAGE_ODD);

    CPellucorView::s_pfnClock = TestClock;
    for (time_t t : {tEven, tEven + 1}) {
        g_tClock = t;
        CreateWindows();
        if (!BrowserCreatable()) {
            EXPECT_EQ(AdPane(), (HWND)NULL);
            EXPECT_EQ(m_pView->GetAdPane(), nullptr);
        } else {
            ASSERT_NE(AdPane(), (HWND)NULL) << "the browser can be made here, but the view made no pane";
            const CRect rcPane = RectOf(AdPane());
            const CRect rcPlaceholder = RectOf(IDC_AD_PLACEHOLDER);
            EXPECT_EQ(rcPane.TopLeft(), rcPlaceholder.TopLeft());
            EXPECT_EQ(rcPane.Height(), rcPlaceholder.Height());
            EXPECT_TRUE(::IsWindowVisible(AdPane()));
            EXPECT_TRUE((::GetWindowLongA(AdPane(), GWL_STYLE) & WS_BORDER) ||
                        (::GetWindowLongA(AdPane(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
            EXPECT_EQ(std::string((LPCSTR)m_pView->GetAdPane()->GetLocationURL()),
                      t == tEven ? PELLUCOR_AD_PAGE_EVEN : PELLUCOR_AD_PAGE_ODD);
        }
        DestroyWindows();
    }
    CPellucorView::s_pfnClock = ::time;
}

// "Keyword" takes the width the list had in the form but for "Queries", a
// right-aligned column of 100 pixels; the list ticks and selects whole rows,
// one at a time.
TEST_F(ViewLayoutTest, ResultListColumnsFillTheList)
{
    CreateWindows();
    HWND hList = List();
    // The page progress bar, which no size rule touches, is as wide as the
    // list is in the form.
    CRect rcWindow, rcClient;
    ::GetWindowRect(hList, &rcWindow);
    ::GetClientRect(hList, &rcClient);
    const int nFormClientWidth = RectOf(IDC_PAGE_PROGRESS).Width() - (rcWindow.Width() - rcClient.Width());

    struct Column {
        const char* pszTitle;
        int nFormat;
        int nWidth;
    } expected[] = {{"Keyword", LVCFMT_LEFT, nFormClientWidth - 103}, {"Queries", LVCFMT_RIGHT, 100}};
    for (int i = 0; i < 2; i++) {
        char szTitle[64] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.pszText = szTitle;
        column.cchTextMax = sizeof szTitle;
        ASSERT_TRUE(::SendMessageA(hList, LVM_GETCOLUMNA, (WPARAM)i, (LPARAM)&column)) << "column " << i;
        EXPECT_STREQ(szTitle, expected[i].pszTitle);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, expected[i].nFormat) << szTitle;
        EXPECT_EQ(column.cx, expected[i].nWidth) << szTitle;
    }
    EXPECT_FALSE(::SendMessageA(hList, LVM_GETCOLUMNA, 2, 0));

    const DWORD dwExStyle = (DWORD)::SendMessageA(hList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(dwExStyle & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT), (DWORD)(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
    const DWORD dwStyle = (DWORD)::GetWindowLongA(hList, GWL_STYLE);
    EXPECT_EQ(dwStyle & LVS_TYPEMASK, (DWORD)LVS_REPORT);
    EXPECT_EQ(dwStyle & (LVS_SINGLESEL | LVS_SHOWSELALWAYS), (DWORD)(LVS_SINGLESEL | LVS_SHOWSELALWAYS));
}

// The keyword box comes back as the profile left it: nothing at all on a
// fresh profile, else the history and the last keyword.
TEST_F(ViewLayoutTest, KeywordBoxStartsFromTheProfile)
{
    struct Case {
        std::vector<std::string> history;   // written as m_wndKeyword0, 1, ...
        const char* pszLast;                // NULL: no value
        std::string expectedText;
        int nExpectedItems;
    } cases[] = {
        {{}, nullptr, "", 0},
        {{"seo tools", "keyword research"}, "keyword research", "keyword research", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedText);
        for (size_t i = 0; i < c.history.size(); i++)
            m_pApp->WriteProfileString(szSectionPellucorView,
                                       (std::string(szKeywordHistoryPrefix) + std::to_string(i)).c_str(),
                                       c.history[i].c_str());
        if (c.pszLast != nullptr)
            WriteProfileKey(m_pApp, profileLastKeyword, c.pszLast);
        CreateWindows();
        EXPECT_EQ(Keyword(), c.expectedText);
        EXPECT_EQ((int)::SendMessageA(Item(IDC_KEYWORD), CB_GETCOUNT, 0, 0), c.nExpectedItems);
        DestroyWindows();
    }
}

// Every image button explains itself in a balloon; the Get New Version one
// names the maker's site.
TEST_F(ViewLayoutTest, ButtonsShowTheirTooltipsInBalloons)
{
    CreateWindows();
    const std::pair<int, std::string> tips[] = {
        {IDC_SETTINGS, "Settings"},
        {IDC_GET_NEW_VERSION, std::string("Get updates and new software from ") + PELLUCOR_SITE_ADDRESS},
        {IDC_CHECK_ALL, "Add all keywords to Basket"},
        {IDC_EXIT, "Quit Fennicle"},
        {IDC_COPY, "Copy all keywords from Basket to clipboard"},
        {IDC_HELP_SITE, "Learn how to effectively use Fennicle"},
        {IDC_BACK, "Navigate to previous keyword"},
        {IDC_SAVE, "Save all keywords from Basket to file"},
        {IDC_UNCHECK_ALL, "Unckeck All"},
        {IDC_CHECK_CUSTOM, "Check Custom Keywords and add to Basket"},
    };
    for (const auto& tip : tips) {
        const ToolTipSeen seen = ToolTipOf(Item(tip.first));
        EXPECT_EQ(seen.text, tip.second) << "button " << tip.first;
        EXPECT_TRUE(seen.bBalloon) << "button " << tip.first;
    }
    EXPECT_EQ(ToolTipOf(Item(IDC_GO)).text, "<none>");
}

// Get New Version and Help open the maker's pages in the user's browser; the
// hidden Exit does nothing at all.
TEST_F(ViewLayoutTest, SiteButtonsOpenTheMakersPages)
{
    CreateWindows();
    g_opened.clear();
    CPellucorView::s_pfnOpenAddress = RecordOpen;
    const std::pair<int, const char*> buttons[] = {{IDC_GET_NEW_VERSION, PELLUCOR_NEW_VERSION_URL},
                                                   {IDC_HELP_SITE, PELLUCOR_HELP_URL},
                                                   {IDC_EXIT, nullptr}};
    for (const auto& button : buttons) {
        g_opened.clear();
        Click(button.first);
        PumpAppFor(20);
        if (button.second == nullptr) {
            EXPECT_TRUE(g_opened.empty()) << "button " << button.first;
            continue;
        }
        ASSERT_EQ(g_opened.size(), 1u) << "button " << button.first;
        EXPECT_EQ(g_opened[0].hWnd, m_pView->m_hWnd);
        EXPECT_EQ(g_opened[0].verb, "open");
        EXPECT_EQ(g_opened[0].file, button.second);
        EXPECT_TRUE(g_opened[0].bNoParameters && g_opened[0].bNoFolder);
        EXPECT_EQ(g_opened[0].nShow, SW_SHOWNORMAL);
    }
    EXPECT_TRUE(::IsWindow(m_pView->m_hWnd));
    EXPECT_TRUE(m_answerer.Shown().empty());
}

// While a page is on its way the tray icon shows its two pictures by turns;
// once the page is in, the program's own icon is back and stays.
TEST_F(ViewLayoutTest, TrayIconAnimatesWhileAPageIsFetched)
{
    g_trayCalls.clear();
    CSystemTray::s_pfnShellNotifyIcon = RecordTray;
    CreateWindows();
    CSystemTray& tray = m_pFrame->GetTrayIcon();
    HICON hOwn = AfxGetApp()->LoadIcon(IDR_TRAY);
    HICON hBusy = AfxGetApp()->LoadIcon(IDI_TRAY_BUSY);
    ASSERT_NE(hOwn, (HICON)NULL);
    ASSERT_NE(hBusy, (HICON)NULL);
    EXPECT_FALSE(tray.IsAnimating());

    // The page takes long enough that the pictures counted below come well
    // before it, however slowly this machine runs the timer.
    SetSlowDelay(8000);
    m_service.ScriptNext(StatsFault::Slow);
    g_trayCalls.clear();
    SetKeyword("tray");
    Click(IDC_GO);
    auto iconsShown = [] {
        std::vector<HICON> icons;
        for (const TrayCall& call : g_trayCalls)
            if (call.dwMessage == NIM_MODIFY && (call.uFlags & NIF_ICON))
                icons.push_back(call.hIcon);
        return icons;
    };
    // 400 ms a picture: three pictures come well within the page's delay.
    ASSERT_TRUE(PumpApp([&] { return iconsShown().size() >= 3; }, 6000)) << iconsShown().size() << " pictures";
    EXPECT_TRUE(m_pView->GetRun().m_bRunning);
    EXPECT_TRUE(tray.IsAnimating());
    EXPECT_EQ(iconsShown(), (std::vector<HICON>{hBusy, hOwn, hBusy}));

    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_FALSE(tray.IsAnimating());
    ASSERT_FALSE(iconsShown().empty());
    EXPECT_EQ(iconsShown().back(), hOwn);
    const size_t nAfterPage = g_trayCalls.size();
    PumpAppFor(900);
    EXPECT_EQ(g_trayCalls.size(), nAfterPage);
}
