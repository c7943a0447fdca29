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

// A page's log starts with what the user does: the notices its screenshot
// set-up stirs up (a focus given, a key typed) are not the user's, and a
// scripted set-up says in one line what it did, if anything.
TEST_F(GalleryPages, OpeningAndPaintingLogsNothing)
{
    const struct {
        const char* name;
        BOOL bShowOff;
        const char* log;
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
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.name);
        HWND hPage = Open(page.name, page.bShowOff);
        ASSERT_NE(hPage, (HWND)NULL);
        // Painted again from the top, as when it is uncovered.
        ::RedrawWindow(hPage, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        EXPECT_EQ(WindowText(::GetDlgItem(hPage, ID_GALLERY_LOG)), page.log);
        ::DestroyWindow(hPage);
    }
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
