// The pages give their controls the keys a dialog gives: Tab and Shift+Tab
// through the tab stops, arrows in a group, Enter on the default button.
// Driven by real key input, pumped as the gallery's own loop pumps (each
// message offered to the windows' PreTranslateMessage first).
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "testsupport.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// PumpUntil with the gallery loop's pre-translation.
bool PumpAppUntil(const std::function<bool()>& pred, DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (pred())
                return true;
        }
        if (pred())
            return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, (DWORD)std::min<ULONGLONG>(end - now, 10), QS_ALLINPUT);
    }
}

bool g_bSettleTimerFired = false;

void CALLBACK SettleTimerFired(HWND, UINT, UINT_PTR, DWORD)
{
    g_bSettleTimerFired = true;
}

// Until every queued message, and every timer due within the period, has run.
void SettleApp()
{
    g_bSettleTimerFired = false;
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, 300, SettleTimerFired);
    PumpAppUntil([] { return g_bSettleTimerFired; }, kWaitMs);
    ::KillTimer(NULL, nTimer);
}

// One key stroke of the real keyboard, with Shift held when asked.
void PressKey(WORD vk, bool bShift = false)
{
    std::vector<INPUT> in;
    auto add = [&](WORD key, DWORD flags) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = key;
        i.ki.dwFlags = flags;
        in.push_back(i);
    };
    if (bShift)
        add(VK_SHIFT, 0);
    add(vk, 0);
    add(vk, KEYEVENTF_KEYUP);
    if (bShift)
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    ::SendInput((UINT)in.size(), in.data(), sizeof(INPUT));
}

// "Edit "Seed keyword"": what a failure names a window by.
std::string Describe(HWND hWnd)
{
    if (hWnd == NULL)
        return "(none)";
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    std::string text = WindowText(hWnd);
    if (text.size() > 24)
        text = text.substr(0, 24) + "...";
    return std::string(cls) + " \"" + text + "\" id " + std::to_string(::GetDlgCtrlID(hWnd));
}

// The window that holds the focus, or whose child (a combo's edit) does.
bool HasFocus(HWND hWnd)
{
    HWND hFocus = ::GetFocus();
    return hFocus != NULL && (hFocus == hWnd || ::IsChild(hWnd, hFocus));
}

// The page's tab stops, in the order its windows were made: shown, enabled,
// WS_TABSTOP; a container marked WS_EX_CONTROLPARENT is entered.
void CollectTabStops(HWND hParent, std::vector<HWND>& stops)
{
    for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLong(h, GWL_STYLE);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED))
            continue;
        if (::GetWindowLong(h, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
            CollectTabStops(h, stops);
        else if (style & WS_TABSTOP)
            stops.push_back(h);
    }
}

struct CPageScope
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    HWND hPage = NULL;
    explicit CPageScope(const char* name)
    {
        if (!pGallery->CreateGallery())
            return;
        CWnd* pPage = pGallery->Open(name);
        hPage = pPage->GetSafeHwnd();
        if (hPage != NULL) {
            ::SetForegroundWindow(hPage);
            PumpAppUntil([&] { return ::GetActiveWindow() == hPage; }, kWaitMs);
            SettleApp();
        }
    }
    ~CPageScope()
    {
        if (::IsWindow(hPage))
            ::DestroyWindow(hPage);
        pGallery->DestroyWindow();
    }
};

// Tab from the first tab stop visits every one in order and comes round to
// the first; Shift+Tab goes back the same way; text typed after a Tab goes
// into the control Tab came to.
class GalleryPageKeys : public ::testing::TestWithParam<const char*>
{
};

TEST_P(GalleryPageKeys, TabAndShiftTabWalkTheTabStopsAndTypingFollowsTheFocus)
{
    CPageScope scope(GetParam());
    ASSERT_NE(scope.hPage, (HWND)NULL);
    std::vector<HWND> stops;
    CollectTabStops(scope.hPage, stops);
    ASSERT_GE(stops.size(), 2u) << "too few tab stops to walk";
    ::SetFocus(stops[0]);
    ASSERT_TRUE(HasFocus(stops[0]));

    for (size_t i = 1; i <= stops.size(); ++i) {
        HWND hNext = stops[i % stops.size()];
        PressKey(VK_TAB);
        ASSERT_TRUE(PumpAppUntil([&] { return HasFocus(hNext); }, kWaitMs))
            << "Tab " << i << " went to " << Describe(::GetFocus()) << ", not " << Describe(hNext);
    }
    for (size_t i = stops.size(); i-- > 0;) {
        HWND hPrevious = stops[i];
        PressKey(VK_TAB, true);
        ASSERT_TRUE(PumpAppUntil([&] { return HasFocus(hPrevious); }, kWaitMs))
            << "Shift+Tab went to " << Describe(::GetFocus()) << ", not " << Describe(hPrevious);
    }

    // The first plain edit that a Tab comes to takes what is typed next.
    for (size_t i = 1; i < stops.size(); ++i) {
        char cls[16] = "";
        ::GetClassNameA(stops[i], cls, sizeof(cls));
        const LONG style = ::GetWindowLong(stops[i], GWL_STYLE);
        if (lstrcmpiA(cls, "Edit") != 0 || (style & (ES_READONLY | ES_MULTILINE)))
            continue;
        ::SetFocus(stops[i - 1]);
        const std::string before = WindowText(stops[i - 1]);
        PressKey(VK_TAB);
        ASSERT_TRUE(PumpAppUntil([&] { return HasFocus(stops[i]); }, kWaitMs))
            << "Tab went to " << Describe(::GetFocus());
        TypeOnKeyboard(L"zq");
        EXPECT_TRUE(PumpAppUntil([&] { return WindowText(stops[i]).find("zq") != std::string::npos; }, kWaitMs))
            << Describe(stops[i]) << " did not get the text";
        EXPECT_EQ(WindowText(stops[i - 1]), before) << "the control left still took keys";
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, GalleryPageKeys,
                         ::testing::Values("Cool controls", "Formatted edits", "Floating frames", "Property window"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* p = info.param; *p; ++p)
                                 if (isalnum((unsigned char)*p))
                                     name += *p;
                             return name;
                         });

std::string PageLog(HWND hPage)
{
    return WindowText(::GetDlgItem(hPage, 0xFFF0));
}

// Arrows go through a run of radio buttons (choosing each) and through a
// row's buttons, coming round within the row; Enter clicks the focused push
// button, else the page's default one, and a page with none leaves Enter to
// the control.
TEST(GalleryPageKeys, ArrowsGoThroughAGroupAndEnterClicksTheDefaultButton)
{
    CPageScope scope("Cool controls");
    const HWND hPage = scope.hPage;
    ASSERT_NE(hPage, (HWND)NULL);
    auto button = [&](const char* text) { return ::FindWindowExA(hPage, NULL, "Button", text); };
    const HWND hWeb = button("Web"), hShop = button("Shop"), hAttach = button("Attach"), hDetach = button("Detach");
    const HWND hHarvest = button("Harvest"), hStop = button("Stop"), hPushed = button("Pushed");
    const HWND hSeed = ::FindWindowExA(hPage, NULL, "Edit", NULL);   // the first edit, "Seed keyword"
    for (HWND h : {hWeb, hShop, hAttach, hDetach, hHarvest, hStop, hPushed, hSeed})
        ASSERT_NE(h, (HWND)NULL);

    struct Step
    {
        HWND hFrom;
        WORD vk;
        HWND hTo;
        const char* what;
    } steps[] = {
        {hWeb, VK_RIGHT, hShop, "Right from Web"},
        {hShop, VK_DOWN, hWeb, "Down from Shop, the last of the run"},
        {hShop, VK_LEFT, hWeb, "Left from Shop"},
        {hAttach, VK_RIGHT, hDetach, "Right from Attach"},
        {hDetach, VK_RIGHT, hAttach, "Right from Detach, the last of its row"},
        {hPushed, VK_RIGHT, hPushed, "Right from Pushed, a group of its own"},
    };
    for (const Step& step : steps) {
        ::SetFocus(step.hFrom);
        PressKey(step.vk);
        EXPECT_TRUE(PumpAppUntil([&] { return ::GetFocus() == step.hTo; }, kWaitMs))
            << step.what << ": the focus went to " << Describe(::GetFocus()) << ", not " << Describe(step.hTo);
        SettleApp();
        EXPECT_EQ(::GetFocus(), step.hTo) << step.what;
        if (step.hTo == hShop || step.hTo == hWeb) {
            EXPECT_EQ(::SendMessage(step.hTo, BM_GETCHECK, 0, 0), BST_CHECKED) << step.what;
            EXPECT_EQ(::SendMessage(step.hTo == hShop ? hWeb : hShop, BM_GETCHECK, 0, 0), BST_UNCHECKED)
                << step.what;
        }
    }

    auto clickLine = [](HWND hButton) {
        return "WM_COMMAND id=" + std::to_string(::GetDlgCtrlID(hButton)) + " code=0";
    };
    ::SetWindowTextA(::GetDlgItem(hPage, 0xFFF0), "");
    ::SetFocus(hSeed);
    PressKey(VK_RETURN);
    EXPECT_TRUE(PumpAppUntil([&] { return PageLog(hPage).find(clickLine(hHarvest)) != std::string::npos; }, kWaitMs))
        << "Enter in an edit; the log: " << PageLog(hPage);
    EXPECT_EQ(::GetFocus(), hSeed);
    ::SetWindowTextA(::GetDlgItem(hPage, 0xFFF0), "");
    ::SetFocus(hStop);
    PressKey(VK_RETURN);
    EXPECT_TRUE(PumpAppUntil([&] { return PageLog(hPage).find(clickLine(hStop)) != std::string::npos; }, kWaitMs))
        << "Enter on Stop; the log: " << PageLog(hPage);
    EXPECT_EQ(PageLog(hPage).find(clickLine(hHarvest)), std::string::npos) << PageLog(hPage);
}

// Every entry of the gallery: on a page with two tab stops or more, Tab
// takes the focus off the control that has it when the page opens (or the
// page's first tab stop). The entries with fewer are named, so that a page
// that loses its tab stops is seen.
TEST(GalleryPageKeys, TabLeavesTheFirstControlOnEveryPage)
{
    const std::set<std::string> fewStopsExpected = {
        // Frames, as an application's main window: the view keeps the keys,
        // the bars hold drawn views and multi-line edits (which keep Tab) or
        // are reached by the mouse.
        "Cool tool bars", "Dock tabs", "Menu bar", "Size-dock MDI frame", "Tabbed MDI", "Background painter",
        // One control that takes the focus; the rest is drawn (previews,
        // drag areas, bars, statics).
        "Bitmap menus", "Menu customization", "Sizing bar skins", "Status bar", "Caption painter",
        "Middle-button scrolling", "Shadow window", "Font picker", "Gradient statics and separators", "Popup bar",
        "Taskbar icon", "Tooltip control", "File dialog with preview", "Shell folder tree"};
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    std::string stuck;
    std::set<std::string> fewStops;
    for (const GalleryEntry& e : GalleryEntries()) {
        CWnd* pPage = pGallery->Open(e.name);
        ASSERT_NE(pPage, (CWnd*)NULL) << e.name;
        const HWND hPage = pPage->GetSafeHwnd();
        ::SetForegroundWindow(hPage);
        PumpAppUntil([&] { return ::GetActiveWindow() == hPage; }, kWaitMs);
        SettleApp();
        std::vector<HWND> stops;
        CollectTabStops(hPage, stops);
        if (stops.size() < 2) {
            fewStops.insert(e.name);
        } else {
            HWND hFirst = ::GetFocus();
            if (hFirst == NULL || !::IsChild(hPage, hFirst))
                ::SetFocus(hFirst = stops[0]);
            const std::string first = Describe(hFirst);
            PressKey(VK_TAB);
            const bool bMoved = PumpAppUntil([&] { return ::GetFocus() != hFirst; }, 2000);
            if (!bMoved)
                stuck += std::string("\n  ") + e.name + ": Tab stayed on " + first;
        }
        ::DestroyWindow(hPage);
        SettleApp();
    }
    EXPECT_EQ(stuck, "") << "pages where Tab does not move the focus";
    EXPECT_EQ(fewStops, fewStopsExpected) << "the entries with fewer than two tab stops";
    pGallery->DestroyWindow();
}

}  // namespace
