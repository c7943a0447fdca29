// What a user sees on the gallery's pages: an event log that shows what the
// user did, controls in the page's font, row captions that fit the page, the
// screenshot state a page is pictured in, column titles.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Gallery.h"
#include "OXPopupBarCtrl.h"
#include "testsupport.h"

namespace {

const UINT ID_GALLERY_LOG = 0xFFF0;   // the page's event log, at the bottom

class GalleryPages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pGallery = new CGalleryWindow;
        ASSERT_TRUE(m_pGallery->CreateGallery());
    }
    void TearDown() override { m_pGallery->DestroyWindow(); }   // deletes itself

    // The page opened, everything it posted itself run and painted.
    HWND Open(const char* name, BOOL bShowOff = FALSE)
    {
        CWnd* pPage = m_pGallery->Open(name, bShowOff);
        if (pPage == NULL)
            return NULL;
        PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0 && !ThreadHasPendingPaint(); },
                  kWaitMs);
        return pPage->GetSafeHwnd();
    }
    static std::vector<HWND> Children(HWND hParent)
    {
        std::vector<HWND> children;
        for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
            children.push_back(h);
        return children;
    }

    CGalleryWindow* m_pGallery = NULL;
};

// The log's text while a set-up's drop or drag holds the mouse, read by a
// thread timer from inside the loop that holds it; the hold then ends as a
// click elsewhere would end it.
HWND g_hHeldPage = NULL;
bool g_bHeld = false;
std::string g_heldLog;
void CALLBACK ReadTheLogWhileHeld(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hCapture = ::GetCapture();
    if (g_bHeld || g_hHeldPage == NULL || hCapture == NULL || !::IsWindowVisible(hCapture))
        return;
    for (HWND h = hCapture; h != NULL; h = ::GetParent(h)) {   // a pop-up's owner counts
        if (h == g_hHeldPage) {
            g_heldLog = WindowText(::GetDlgItem(g_hHeldPage, ID_GALLERY_LOG));
            g_bHeld = true;
            ::ReleaseCapture();
            return;
        }
    }
}

// A page's log starts with what the user does: the notices its screenshot
// set-up stirs up (a focus given, a key typed, a click posted to come later,
// a drag moved on a timer) are not the user's, and a scripted set-up says in
// one line what it did, if anything.
TEST_F(GalleryPages, OpeningAndPaintingLogsNothing)
{
    const struct {
        const char* name;
        BOOL bShowOff;
        const char* log;
        bool bHoldsMouse;           // the set-up ends with a drop or a drag under way
        const char* logAfter;       // once the hold has ended, when it adds a line
    } pages[] = {
        {"History combo", FALSE, ""},
        {"Option tree", FALSE, ""},
        {"Shell folder tree", FALSE, ""},
        {"Extended list box", FALSE, ""},
        {"Multi-column tree", FALSE, ""},
        {"Menu customization", TRUE, ""},
        {"Formatted edits", TRUE, "set-up: typed 9 after \"Tel: 555\", in insert mode\r\n"},
        {"Cool combo box", TRUE, ""},
        {"Skinned tabs and combo boxes", TRUE, ""},
        // The click that drops the picker is posted, to run once the set-up
        // has returned; a click elsewhere closes the picker with nothing picked.
        {"Colour picker button", TRUE, "set-up: Text clicked: its picker dropped\r\n", true},
        {"Option tree", TRUE, "set-up: the video search chosen in the dark tree\r\n"},
        {"Taskbar icon", TRUE, "set-up: the icon shown, as Show / hide does\r\n"},
        // The drag moves on a timer; the drag's end is the user's doing.
        {"Shortcut bar", TRUE, "set-up: Mail's header pressed and pulled over Folders'\r\n", true,
         "set-up: Mail's header pressed and pulled over Folders'\r\nbar 32976, group 0, item -1\r\n"},
        // The page's own controls the organizer left alone, not the gallery's
        // captions and log.
        {"Cool controls", TRUE,
         "set-up: attached, as Attach does, and the mouse put on the first edit: 30 windows converted; left alone: "
         "Button 700 (an object of its own), Button 701 (an object of its own), Static 745 (refused), "
         "Edit 760 (declined)\r\n"},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.name);
        g_hHeldPage = NULL;
        g_bHeld = false;
        g_heldLog.clear();
        const UINT_PTR nTimer = page.bHoldsMouse ? ::SetTimer(NULL, 0, 50, ReadTheLogWhileHeld) : 0;
        CWnd* pPage = m_pGallery->Open(page.name, page.bShowOff);
        ASSERT_NE(pPage, (CWnd*)NULL);
        const HWND hPage = pPage->GetSafeHwnd();
        g_hHeldPage = hPage;
        if (page.bHoldsMouse) {
            EXPECT_TRUE(PumpUntil([] { return g_bHeld; }, kWaitMs)) << "the set-up never held the mouse";
            ::KillTimer(NULL, nTimer);
            EXPECT_EQ(g_heldLog, page.log) << "while held";
        }
        PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0 && !ThreadHasPendingPaint(); },
                  kWaitMs);
        // Painted again from the top, as when it is uncovered.
        ::RedrawWindow(hPage, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        EXPECT_EQ(WindowText(::GetDlgItem(hPage, ID_GALLERY_LOG)), page.logAfter ? page.logAfter : page.log);
        ::DestroyWindow(hPage);
    }
    g_hHeldPage = NULL;
}

// The screen point at the middle of an option tree's item with this text.
CPoint OptionLabelPoint(HWND hTree, const char* text)
{
    for (HTREEITEM hGroup = TreeView_GetRoot(hTree); hGroup != NULL; hGroup = TreeView_GetNextSibling(hTree, hGroup)) {
        for (HTREEITEM h = TreeView_GetChild(hTree, hGroup); h != NULL; h = TreeView_GetNextSibling(hTree, h)) {
            char label[128] = "";
            TVITEMA item = {};
            item.mask = TVIF_TEXT;
            item.hItem = h;
            item.pszText = label;
            item.cchTextMax = sizeof label;
            TreeView_GetItem(hTree, &item);
            CRect rect;
            if (strcmp(label, text) == 0 && TreeView_GetItemRect(hTree, h, &rect, TRUE)) {
                ::MapWindowPoints(hTree, NULL, (LPPOINT)&rect, 2);
                return rect.CenterPoint();
            }
        }
    }
    return CPoint(-1, -1);
}

CPoint ControlMiddle(HWND hControl)
{
    CRect rect;
    ::GetWindowRect(hControl, &rect);
    return rect.CenterPoint();
}

// Once a page is in its screenshot state, the log is open again: what the
// user then does with the page's controls (a real click) is written there,
// after the set-up's line, and nothing before it. The option tree's set-up runs whole in ShowOff;
// the colour picker's runs later, from a posted click, and holds the mouse
// until a click elsewhere closes its picker.
TEST_F(GalleryPages, WhatTheUserDoesAfterTheSetUpIsLogged)
{
    const struct {
        const char* name;
        bool bHoldsMouse;                   // the set-up's drop, and the user's, hold the mouse
        CPoint (*target)(HWND hPage);       // where the user clicks
        const char* setUp;
        const char* userLine;               // a line the click writes, among others
    } pages[] = {
        {"Option tree", false,
         [](HWND hPage) { return OptionLabelPoint(::GetDlgItem(hPage, 500), "Remove duplicates"); },
         "set-up: the video search chosen in the dark tree\r\n", "option 5: 1 -> 0\r\n"},
        {"Colour picker button", true, [](HWND hPage) { return ControlMiddle(::GetDlgItem(hPage, 310)); },
         "set-up: Text clicked: its picker dropped\r\n", "WM_NOTIFY id=310 code=32870\r\n"},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.name);
        g_hHeldPage = NULL;
        g_bHeld = false;
        const UINT_PTR nTimer = page.bHoldsMouse ? ::SetTimer(NULL, 0, 50, ReadTheLogWhileHeld) : 0;
        CWnd* pPage = m_pGallery->Open(page.name, TRUE);
        ASSERT_NE(pPage, (CWnd*)NULL);
        const HWND hPage = pPage->GetSafeHwnd();
        const HWND hLog = ::GetDlgItem(hPage, ID_GALLERY_LOG);
        g_hHeldPage = hPage;
        if (page.bHoldsMouse) {
            EXPECT_TRUE(PumpUntil([] { return g_bHeld; }, kWaitMs)) << "the set-up never held the mouse";
            g_bHeld = false;
        }
        const CPoint pt = page.target(hPage);
        ASSERT_TRUE(::IsChild(hPage, ::WindowFromPoint(pt))) << "the page is covered where the user clicks";
        // The pointer brought over the control: what a control asks as the
        // pointer passes (its cursor) comes at every move and is not logged.
        ASSERT_TRUE(PlaceCursor(pt));
        PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0 && !ThreadHasPendingPaint(); },
                  kWaitMs);
        ASSERT_EQ(WindowText(hLog), page.setUp);
        ASSERT_TRUE(LeftClickOnScreen(pt));
        const std::string setUp = page.setUp;
        EXPECT_TRUE(PumpUntil([&] {
            const std::string log = WindowText(hLog);
            return log.compare(0, setUp.size(), setUp) == 0 && log.find(page.userLine, setUp.size()) != std::string::npos;
        }, kWaitMs)) << WindowText(hLog);
        if (page.bHoldsMouse) {
            EXPECT_TRUE(PumpUntil([] { return g_bHeld; }, kWaitMs)) << "the click dropped nothing";
            ::KillTimer(NULL, nTimer);
        }
        ::DestroyWindow(hPage);
    }
    g_hHeldPage = NULL;
}

TEST_F(GalleryPages, EveryWindowOfAPageTakesItsFont)
{
    HWND hPage = Open("Menu customization");
    ASSERT_NE(hPage, (HWND)NULL);
    const HFONT hFont = (HFONT)::SendMessage(::GetDlgItem(hPage, ID_GALLERY_LOG), WM_GETFONT, 0, 0);
    ASSERT_NE(hFont, (HFONT)NULL);
    for (HWND h : Children(hPage)) {
        SCOPED_TRACE(WindowText(h));
        EXPECT_EQ((HFONT)::SendMessage(h, WM_GETFONT, 0, 0), hFont);
    }
    ::DestroyWindow(hPage);
}

TEST_F(GalleryPages, RowCaptionsFitThePage)
{
    for (const char* name : {"Caption painter", "Menu customization", "Workspace", "Popup bar", "Multi-column tree",
                             "History combo", "Option tree", "Shell folder tree", "Extended list box"}) {
        SCOPED_TRACE(name);
        HWND hPage = Open(name);
        ASSERT_NE(hPage, (HWND)NULL);
        CRect rectPage;
        ::GetClientRect(hPage, &rectPage);
        for (HWND h : Children(hPage)) {
            char cls[32] = "";
            ::GetClassNameA(h, cls, sizeof cls);
            if (_stricmp(cls, "Static") != 0)
                continue;
            const std::string text = WindowText(h);
            CRect rect;
            ::GetWindowRect(h, &rect);
            ::MapWindowPoints(NULL, hPage, (LPPOINT)&rect, 2);
            HDC hDC = ::GetDC(h);
            HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessage(h, WM_GETFONT, 0, 0));
            SIZE size = {};
            ::GetTextExtentPoint32A(hDC, text.c_str(), (int)text.size(), &size);
            ::SelectObject(hDC, hOld);
            ::ReleaseDC(h, hDC);
            EXPECT_LE(rect.left + size.cx, rectPage.right) << text;
        }
        ::DestroyWindow(hPage);
    }
}

// The bar found dropped by a tick of a thread timer: the bar runs a loop of
// its own, so it is looked at, and cancelled, from inside that loop.
HWND g_hDroppedBar = NULL;
void CALLBACK LookForTheBar(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hBar = ::GetCapture();
    if (g_hDroppedBar == NULL && hBar != NULL && ::IsWindowVisible(hBar)) {
        g_hDroppedBar = hBar;
        ::PostMessage(hBar, WM_OXPB_CANCEL, 0, 0);
    }
}

// Its picture shows the bar dropped under its button.
TEST_F(GalleryPages, PopupBarIsPicturedDropped)
{
    g_hDroppedBar = NULL;
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, LookForTheBar);
    HWND hPage = Open("Popup bar", TRUE);
    ASSERT_NE(hPage, (HWND)NULL);
    EXPECT_TRUE(PumpUntil([] { return g_hDroppedBar != NULL; }, kWaitMs)) << "no bar dropped";
    ::KillTimer(NULL, nTimer);
    EXPECT_TRUE(PumpUntil([] { return ::GetCapture() == NULL; }, kWaitMs)) << "the bar never closed";
    if (g_hDroppedBar != NULL) {
        EXPECT_EQ(::GetWindow(g_hDroppedBar, GW_OWNER), hPage);
        EXPECT_FALSE(::IsWindowVisible(g_hDroppedBar));
    }
    ::DestroyWindow(hPage);
}

// The middle-button scrolling page is pictured with its mark shown and the
// pointer away from it, yet holding still: a text that scrolls on under the
// picture is caught between two paints (its last line twice, its scroll
// arrow half drawn), and its screenshot is never the same twice.
TEST_F(GalleryPages, ScrollingPageIsPicturedStill)
{
    // The set-up moves the pointer; it is put back, since a page opened
    // later under it would take its resting there for the user's doing.
    POINT ptBefore = {};
    ::GetCursorPos(&ptBefore);
    HWND hPage = Open("Middle-button scrolling", TRUE);
    ASSERT_NE(hPage, (HWND)NULL);
    const HWND hText = ::GetDlgItem(hPage, 100);
    ASSERT_NE(hText, (HWND)NULL);
    // The scroll under way: the mouse is the text's.
    EXPECT_TRUE(PumpUntil([&] { return ::GetCapture() == hText; }, kWaitMs)) << "no scroll started";
    const LRESULT nFirstLine = ::SendMessage(hText, EM_GETFIRSTVISIBLELINE, 0, 0);
    // Several of the scroll's 100 ms ticks.
    EXPECT_TRUE(PumpPastTimer(500));
    EXPECT_EQ(::SendMessage(hText, EM_GETFIRSTVISIBLELINE, 0, 0), nFirstLine);
    EXPECT_EQ(::GetCapture(), hText) << "the scroll ended";
    ::DestroyWindow(hPage);
    EXPECT_TRUE(PlaceCursor(ptBefore));
}

TEST_F(GalleryPages, TreeColumnsHaveTitles)
{
    HWND hPage = Open("Multi-column tree");
    ASSERT_NE(hPage, (HWND)NULL);
    int nHeaders = 0;
    for (HWND h : Children(hPage)) {
        HWND hHeader = (HWND)::SendMessage(h, LVM_GETHEADER, 0, 0);
        char cls[32] = "";
        ::GetClassNameA(h, cls, sizeof cls);
        if (strcmp(cls, WC_LISTVIEWA) != 0 || hHeader == NULL || !::IsWindowVisible(hHeader))
            continue;
        nHeaders++;
        for (int i = 0; i < Header_GetItemCount(hHeader); i++) {
            char text[64] = "";
            HDITEMA hdi = {};
            hdi.mask = HDI_TEXT;
            hdi.pszText = text;
            hdi.cchTextMax = sizeof text;
            Header_GetItem(hHeader, i, &hdi);
            EXPECT_STRNE(text, "") << "column " << i;
        }
    }
    EXPECT_EQ(nHeaders, 2);
    ::DestroyWindow(hPage);
}

}  // namespace
