// The gallery lists every registered page once and opens each of them.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "../bars/SkinTestSupport.h"
#include "testsupport.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(Gallery, ListsEveryEntryOnce)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    HWND hList = ::GetWindow(pGallery->GetSafeHwnd(), GW_CHILD);
    ASSERT_NE(hList, (HWND)NULL);
    EXPECT_EQ((size_t)::SendMessage(hList, LB_GETCOUNT, 0, 0), GalleryEntries().size());
    for (size_t i = 0; i < GalleryEntries().size(); ++i)
        for (size_t j = i + 1; j < GalleryEntries().size(); ++j)
            EXPECT_STRNE(GalleryEntries()[i].name, GalleryEntries()[j].name);
    pGallery->DestroyWindow();   // deletes itself
}

TEST(Gallery, OpensEachEntry)
{
    ASSERT_FALSE(GalleryEntries().empty());
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    for (const GalleryEntry& e : GalleryEntries()) {
        SCOPED_TRACE(e.name);
        CWnd* pPage = pGallery->Open(e.name);
        ASSERT_NE(pPage, (CWnd*)NULL);
        HWND hPage = pPage->GetSafeHwnd();
        EXPECT_TRUE(::IsWindowVisible(hPage));
        // Owned, so that it stays above the gallery (and goes with it).
        EXPECT_EQ(::GetWindow(hPage, GW_OWNER), pGallery->GetSafeHwnd());
        EXPECT_NE(::GetWindow(hPage, GW_CHILD), (HWND)NULL) << "a page with no controls";
        // what the page posted itself while opening runs before it closes
        EXPECT_TRUE(PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0; }, kWaitMs));
        ::DestroyWindow(hPage);
        EXPECT_FALSE(::IsWindow(hPage));
    }
    pGallery->DestroyWindow();
}

bool IsAbove(HWND hUpper, HWND hLower)
{
    for (HWND h = ::GetWindow(hLower, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
        if (h == hUpper)
            return true;
    return false;
}

// Choosing a skin from the menu activates the gallery; the pages and frames
// it opened stay above it all the same, as windows it owns.
TEST(Gallery, PagesStayAboveTheGalleryWhenASkinIsChosenFromItsMenu)
{
    CSkinnedAppScope app;
    ASSERT_TRUE(app.m_pApp->SetCurrentSkin("Office XP"));
    CSkinnedGalleryWindow* pGallery = new CSkinnedGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    pGallery->AddSkinMenu();
    const HWND hGallery = pGallery->GetSafeHwnd();
    CRect rcGallery;
    pGallery->GetWindowRect(&rcGallery);
    // A page of controls and frames of their own, laid over the gallery
    // below its menu bar; the last opened is the active window.
    std::vector<std::pair<const char*, HWND>> pages;
    for (const char* name : {"Bitmap button", "Cool tool bars", "Tabbed MDI", "Background painter"}) {
        CWnd* pPage = pGallery->Open(name);
        ASSERT_NE(pPage, (CWnd*)NULL) << name;
        pPage->SetWindowPos(NULL, rcGallery.left + 40, rcGallery.top + 120, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pages.push_back({name, pPage->GetSafeHwnd()});
    }
    PumpPending();
    ASSERT_NE(::GetActiveWindow(), hGallery);

    MENUBARINFO skinItem = {sizeof(skinItem)};
    ASSERT_TRUE(::GetMenuBarInfo(hGallery, OBJID_MENU, 1, &skinItem));
    // The click opens the Skin menu; its first item, "Classic", is chosen by keys.
    CMenuWatch watch([](HWND hMenu) {
        ::PostMessage(hMenu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessage(hMenu, WM_KEYDOWN, VK_RETURN, 0);
    });
    ASSERT_TRUE(LeftClickOnScreen(CRect(skinItem.rcBar).CenterPoint()));
    EXPECT_TRUE(PumpUntil([&] {
        return watch.Acted() && ShownMenu() == NULL && OXGetCurrentSkin() != NULL &&
               OXGetCurrentSkin()->GetName() == "Classic";
    }, kWaitMs)) << "the Skin menu's command never came";
    EXPECT_EQ(::GetActiveWindow(), hGallery) << "the click activates the gallery";
    PumpPending();
    for (const auto& page : pages)
        EXPECT_TRUE(IsAbove(page.second, hGallery)) << page.first << " is below the gallery";

    for (const auto& page : pages)
        ::DestroyWindow(page.second);
    pGallery->DestroyWindow();
}

// The names of the given windows in their order on the screen, top first.
std::string StackingOrder(const std::vector<std::pair<const char*, HWND>>& windows)
{
    std::string order;
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        for (const auto& w : windows)
            if (w.second == h)
                order += (order.empty() ? "" : ", ") + std::string(w.first);
    return order;
}

// A click on the gallery's list activates it; the pages it opened go back
// above it in the order they had, the last opened on top.
TEST(Gallery, PagesKeepTheirOrderAboveTheGalleryWhenAClickActivatesIt)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    const HWND hGallery = pGallery->GetSafeHwnd();
    const HWND hList = ::GetWindow(hGallery, GW_CHILD);
    ASSERT_NE(hList, (HWND)NULL);
    CRect rcList;
    ::GetWindowRect(hList, &rcList);
    const CPoint click(rcList.left + 12, rcList.top + 12);
    // Cascaded down and right of the point clicked, over the gallery and each other.
    std::vector<std::pair<const char*, HWND>> pages;
    int offset = 20;
    for (const char* name : {"Bitmap button", "Drop edits", "Formatted edits", "Extended list box"}) {
        CWnd* pPage = pGallery->Open(name);
        ASSERT_NE(pPage, (CWnd*)NULL) << name;
        pPage->SetWindowPos(NULL, click.x + offset, click.y + offset, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        offset += 30;
        pages.push_back({name, pPage->GetSafeHwnd()});
    }
    std::vector<std::pair<const char*, HWND>> expected(pages.rbegin(), pages.rend());
    expected.push_back({"gallery", hGallery});
    const std::string expectedOrder = StackingOrder(expected);
    ASSERT_EQ(expectedOrder, "Extended list box, Formatted edits, Drop edits, Bitmap button, gallery");
    ASSERT_EQ(::WindowFromPoint(click), hList) << "a page covers the point to click";

    ASSERT_TRUE(LeftClickOnScreen(click));
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == hGallery; }, kWaitMs))
        << "the click never activated the gallery";
    EXPECT_TRUE(PumpUntil([&] { return StackingOrder(expected) == expectedOrder; }, kWaitMs))
        << "top first: " << StackingOrder(expected);
    // Wine raises the gallery on the X server and takes the new order into
    // its window list only when it reads the server's answer, which brings
    // no message to wait for: the order is looked at again once the thread
    // has waited for input a while.
    ASSERT_TRUE(PumpPastTimer(300));
    EXPECT_EQ(StackingOrder(expected), expectedOrder) << "top first";

    for (const auto& page : pages)
        ::DestroyWindow(page.second);
    pGallery->DestroyWindow();
}

// A point on hTop's own client area that no other window covers, or (-1,-1).
CPoint BarePointOf(HWND hTop)
{
    CRect rc;
    ::GetClientRect(hTop, &rc);
    ::MapWindowPoints(hTop, NULL, (POINT*)&rc, 2);
    for (int y = rc.bottom - 8; y > rc.top; y -= 8)
        for (int x = rc.right - 8; x > rc.left; x -= 8)
            if (::WindowFromPoint(CPoint(x, y)) == hTop)
                return CPoint(x, y);
    return CPoint(-1, -1);
}

// A page frame that owns floating bars of its own, under a second page: a
// click on it brings it back to the top with its floating bars above it, in
// every skin.
class GalleryFloatingBars : public ::testing::TestWithParam<const char*>
{
};

TEST_P(GalleryFloatingBars, StayAboveTheirPageWhenAClickBringsItBackOverAnotherPage)
{
    CSkinnedAppScope app;
    ASSERT_TRUE(app.m_pApp->SetCurrentSkin(GetParam()));
    CSkinnedGalleryWindow* pGallery = new CSkinnedGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    pGallery->AddSkinMenu();
    const HWND hGallery = pGallery->GetSafeHwnd();
    CWnd* pCool = pGallery->Open("Cool tool bars");
    ASSERT_NE(pCool, (CWnd*)NULL);
    const HWND hCool = pCool->GetSafeHwnd();
    HWND hFloating = NULL;
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::GetWindow(h, GW_OWNER) == hCool && ::IsWindowVisible(h))
            hFloating = h;
    ASSERT_NE(hFloating, (HWND)NULL) << "the page floats no bar";
    CWnd* pDockTabs = pGallery->Open("Dock tabs");
    ASSERT_NE(pDockTabs, (CWnd*)NULL);
    const HWND hDockTabs = pDockTabs->GetSafeHwnd();
    PumpPending();
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == hDockTabs; }, kWaitMs));
    const std::vector<std::pair<const char*, HWND>> windows = {
        {"Colours of its own", hFloating}, {"Cool tool bars", hCool}, {"Dock tabs", hDockTabs}, {"gallery", hGallery}};
    const CPoint click = BarePointOf(hCool);
    ASSERT_NE(click, CPoint(-1, -1)) << "no bare point of the page to click; top first: " << StackingOrder(windows);

    ASSERT_TRUE(LeftClickOnScreen(click));
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == hCool; }, kWaitMs))
        << "the click never activated the page";
    const std::string expected = "Colours of its own, Cool tool bars, Dock tabs, gallery";
    EXPECT_TRUE(PumpUntil([&] { return StackingOrder(windows) == expected; }, kWaitMs))
        << "top first: " << StackingOrder(windows);
    // The window list takes in the X server's order only when the thread
    // reads its answer: looked at again once the thread has waited a while.
    ASSERT_TRUE(PumpPastTimer(300));
    EXPECT_EQ(StackingOrder(windows), expected) << "top first";
    // Above its page, not above every window of the desktop.
    EXPECT_FALSE(::GetWindowLong(hFloating, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the floating bar was left topmost";

    ::DestroyWindow(hDockTabs);
    ::DestroyWindow(hCool);
    pGallery->DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Skins, GalleryFloatingBars,
                         ::testing::Values("Classic", "Office XP", "Office 2003"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

CString ReadWholeFile(const CString& path)
{
    CString text;
    if (FILE* f = fopen(path, "r")) {
        char buf[256];
        size_t n = fread(buf, 1, sizeof(buf) - 1, f);
        buf[n] = 0;
        text = buf;
        fclose(f);
    }
    return text;
}

TEST(Gallery, PendingPaintIsSeenDownToChildWindows)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "pending paint", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             10, 10, 200, 150, NULL, NULL));
    CWnd child;
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(5, 5, 60, 60), &top, 1));
    EXPECT_TRUE(PumpUntil([] { return !ThreadHasPendingPaint(); }, kWaitMs));
    child.InvalidateRect(NULL);
    EXPECT_TRUE(ThreadHasPendingPaint());
    child.UpdateWindow();
    EXPECT_FALSE(ThreadHasPendingPaint());
    // A hidden window's update region paints nothing on the screen: not waited for.
    child.ShowWindow(SW_HIDE);
    top.UpdateWindow();
    child.InvalidateRect(NULL);
    EXPECT_FALSE(ThreadHasPendingPaint());
    top.DestroyWindow();
}

TEST(Gallery, ReadyFileSaysWhenThePageHasPainted)
{
    char dir[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, dir), 0u);
    CString path = CString(dir) + "gallery-ready-test.txt";
    ::DeleteFileA(path);
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    pGallery->SetReadyFile(path);

    EXPECT_EQ(pGallery->Open("No such page", TRUE), (CWnd*)NULL);
    EXPECT_EQ(ReadWholeFile(path), "missing No such page\n");
    ::DeleteFileA(path);

    const char* name = "Skinned tabs and combo boxes";
    CWnd* pPage = pGallery->Open(name, TRUE);
    ASSERT_NE(pPage, (CWnd*)NULL);
    HWND hPage = pPage->GetSafeHwnd();
    EXPECT_EQ(::GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES) << "ready before the page was shown";
    ASSERT_TRUE(PumpUntil([&] { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }, 2 * kWaitMs));
    EXPECT_EQ(ReadWholeFile(path), CString("shown ") + name + "\n");
    EXPECT_FALSE(ThreadHasPendingPaint());
    ::DeleteFileA(path);
    ::DestroyWindow(hPage);
    pGallery->DestroyWindow();
}

// The list shows which page is open: the entry of a page opened by name
// (as /open does) is the one highlighted, and so is the entry of a page
// that comes back to the top when the user goes to it.
TEST(Gallery, ListHighlightsTheEntryOfThePageAtTheTop)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    const HWND hList = ::GetDlgItem(pGallery->GetSafeHwnd(), 100);
    ASSERT_NE(hList, (HWND)NULL);
    auto highlighted = [&] {
        char text[128] = "";
        int nSel = (int)::SendMessage(hList, LB_GETCURSEL, 0, 0);
        if (nSel >= 0)
            ::SendMessageA(hList, LB_GETTEXT, nSel, (LPARAM)text);
        return std::string(text);
    };
    // A page of controls and a dialog of its own, both down the list.
    CWnd* pFirst = pGallery->Open("Skinned tabs and combo boxes");
    ASSERT_NE(pFirst, (CWnd*)NULL);
    const HWND hFirst = pFirst->GetSafeHwnd();
    EXPECT_EQ(highlighted(), "bars: Skinned tabs and combo boxes");
    CWnd* pSecond = pGallery->Open("Colour buttons dialog");
    ASSERT_NE(pSecond, (CWnd*)NULL);
    const HWND hSecond = pSecond->GetSafeHwnd();
    EXPECT_EQ(highlighted(), "edits: Colour buttons dialog");
    PumpPending();

    ::SetActiveWindow(hFirst);
    EXPECT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == hFirst; }, kWaitMs));
    EXPECT_EQ(highlighted(), "bars: Skinned tabs and combo boxes");
    ::SetActiveWindow(hSecond);
    EXPECT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == hSecond; }, kWaitMs));
    EXPECT_EQ(highlighted(), "edits: Colour buttons dialog");

    ::DestroyWindow(hFirst);
    ::DestroyWindow(hSecond);
    pGallery->DestroyWindow();
}

}  // namespace
