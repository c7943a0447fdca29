// The menu element skins: metrics and layouts as tables, the shadow's
// darkening and the join, and the drawing of items on memory DCs in the three
// forms with the skins' colours given by the test.
#include <afxwin.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "OXBitmapMenu.h"
#include "OXMenuSkin.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"

namespace {

// A bitmap menu whose measurements the test sets.
class CMeasuredMenu : public COXBitmapMenu
{
public:
    CMeasuredMenu(int nImage, int nTextHeight, int nShortcut, int nText)
    {
        m_nImageWidth = nImage;
        m_nTextHeight = nTextHeight;
        m_nShortcutWidth = nShortcut;
        m_nTextWidth = nText;
    }
};

// A 16 x 16 image list of one red image, and of one image of 12 x 12.
struct CImages
{
    CImages()
    {
        list16.Create(16, 16, ILC_COLOR24, 1, 0);
        list12.Create(12, 12, ILC_COLOR24, 1, 0);
        Fill(list16, 16, kRed);
        Fill(list12, 12, kRed);
    }
    static void Fill(CImageList& list, int n, COLORREF clr)
    {
        CPixelCanvas canvas(n, n, clr);
        CBitmap bitmap;
        bitmap.Attach(::CreateCompatibleBitmap(canvas.dc.GetSafeHdc(), n, n));
        CDC dc;
        dc.CreateCompatibleDC(&canvas.dc);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, n, n, clr);
        dc.SelectObject(pOld);
        list.Add(&bitmap, (CBitmap*)NULL);
    }
    CImageList list16, list12;
};

struct MetricsRow
{
    const char* name;
    int values[10];
};

TEST(MenuSkins, EachSkinHoldsItsFormWithItsMetrics)
{
    COXSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 skin2003(FALSE);
    ASSERT_TRUE(dynamic_cast<COXMenuSkinClassic*>(classic.GetMenuSkin()) != NULL);
    ASSERT_TRUE(dynamic_cast<COXMenuSkinXP*>(xp.GetMenuSkin()) != NULL);
    ASSERT_TRUE(dynamic_cast<COXMenuSkin2003*>(skin2003.GetMenuSkin()) != NULL);
    EXPECT_TRUE(dynamic_cast<COXMenuSkin2003*>(xp.GetMenuSkin()) == NULL);

    const MetricsRow rows[] = {{"Classic", {2, 0, 8, 2, 3, 4, 3, 8, 0, 12}},
                               {"XP", {3, 5, 15, 12, 6, 10, 4, 3, 16, 16}},
                               {"2003", {3, 5, 15, 12, 6, 10, 4, 3, 16, 16}}};
    COXMenuSkin* skins[] = {classic.GetMenuSkin(), xp.GetMenuSkin(), skin2003.GetMenuSkin()};
    for (int i = 0; i < 3; ++i) {
        const OXMENUSKINMETRICS& m = skins[i]->GetMetrics();
        const int got[10] = {m.m_nImageLeft,      m.m_nImageColumnPad, m.m_nTextGap,      m.m_nRightTextGap,
                             m.m_nShortcutRight,  m.m_nTextMargin,     m.m_nImageMargin,  m.m_nSeparatorHeight,
                             m.m_nMinImageWidth,  m.m_nMenuBarButtonPad};
        for (int j = 0; j < 10; ++j)
            EXPECT_EQ(rows[i].values[j], got[j]) << rows[i].name << " metric " << j;
    }
}

TEST(MenuSkins, SeparatorHeightHalvesInTheFlatFormsOnly)
{
    COXSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 skin2003(FALSE);
    struct { COXMenuSkin* pSkin; UINT nIn, nOut; } rows[] = {
        {classic.GetMenuSkin(), 9, 9}, {xp.GetMenuSkin(), 9, 5}, {skin2003.GetMenuSkin(), 9, 5},
        {xp.GetMenuSkin(), 8, 5},      {xp.GetMenuSkin(), 3, 2},
    };
    for (auto& row : rows) {
        UINT n = row.nIn;
        row.pSkin->AdjustSeparatorHeight(n);
        EXPECT_EQ(row.nOut, n) << row.nIn;
    }
}

TEST(MenuSkins, DistributeSpaceLaysOutImageTextAndShortcut)
{
    COXSkinClassic classic;
    CTestSkinXP xp;
    CImages images;
    // Widest image 16, text 13 high, shortcut 40 wide, text 60 wide.
    CMeasuredMenu menu(16, 13, 40, 60);
    COXImageInfo image(&images.list16, 0), image12(&images.list12, 0), check(&images.list12, 0, TRUE);
    const CRect rcItem(0, 20, 200, 42);
    struct Row
    {
        const char* name;
        COXMenuSkin* pSkin;
        COXImageInfo* pImage;
        CRect frame, image, text, shortcut;
    } rows[] = {
        // Classic: image at 2, centred; frame 2 larger; text after 8 + 16 + 2;
        // the shortcut ends 3 from the right, then moves half way to the text.
        {"classic", classic.GetMenuSkin(), &image, CRect(0, 21, 20, 41), CRect(2, 23, 18, 39),
         CRect(26, 24, 86, 37), CRect(122, 24, 162, 37)},
        // XP: the frame spans the image column; a 12-pixel image stays at 3.
        {"xp", xp.GetMenuSkin(), &image12, CRect(1, 21, 21, 41), CRect(3, 25, 15, 37), CRect(34, 24, 94, 37),
         CRect(124, 24, 164, 37)},
        // XP check mark: moved right by (16 - 12 + 4) / 2 - 1 = 3.
        {"xp check", xp.GetMenuSkin(), &check, CRect(1, 21, 21, 41), CRect(6, 25, 18, 37), CRect(34, 24, 94, 37),
         CRect(124, 24, 164, 37)},
        // No image: nothing for image and frame.
        {"classic no image", classic.GetMenuSkin(), NULL, CRect(0, 0, 0, 0), CRect(0, 0, 0, 0),
         CRect(26, 24, 86, 37), CRect(122, 24, 162, 37)},
    };
    for (const Row& row : rows) {
        RECT frame, img, text, shortcut;
        row.pSkin->DistributeSpace(rcItem, row.pImage, frame, img, text, shortcut, &menu);
        EXPECT_EQ(row.frame, CRect(frame)) << row.name;
        EXPECT_EQ(row.image, CRect(img)) << row.name;
        EXPECT_EQ(row.text, CRect(text)) << row.name;
        EXPECT_EQ(row.shortcut, CRect(shortcut)) << row.name;
    }
}

TEST(MenuSkins, ShadowDarkensByEdgeDepthAndPosition)
{
    struct Row { int i, n, k; BOOL bTail; int nFactor; } rows[] = {
        {0, 100, 0, TRUE, 255},  {3, 100, 3, TRUE, 255},                        // the cut-off corner
        {7, 100, 0, TRUE, 243},  {6, 100, 0, TRUE, 246},  {4, 100, 0, TRUE, 252},  // fading in
        {7, 100, 3, TRUE, 207},  {4, 100, 3, TRUE, 243},
        {8, 100, 0, TRUE, 240},  {95, 100, 0, TRUE, 240}, {50, 100, 2, TRUE, 210},  // along the edge
        {99, 100, 0, TRUE, 252}, {96, 100, 0, TRUE, 243},                        // the far corner
        {99, 100, 3, TRUE, 243}, {96, 100, 3, TRUE, 207},
        {99, 100, 1, FALSE, 225},                                                // bottom edge: no tail
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.nFactor, COXMenuSkinXP::ShadowFactor(row.i, row.n, row.k, row.bTail))
            << "i=" << row.i << " k=" << row.k;
    EXPECT_EQ(RGB(100, 50, 0), COXMenuSkinXP::Darken(RGB(200, 100, 0), 128));
    EXPECT_EQ(RGB(::MulDiv(200, 240, 255), ::MulDiv(100, 240, 255), 0),
              COXMenuSkinXP::Darken(RGB(200, 100, 0), 240));
}

TEST(MenuSkins, JoinRectFollowsTheSideTheOpenerTouches)
{
    const CRect frame(100, 100, 300, 400);
    struct Row { const char* name; CRect opener, join; } rows[] = {
        {"above", CRect(100, 80, 160, 100), CRect(101, 79, 159, 101)},
        {"below", CRect(100, 400, 160, 420), CRect(101, 399, 159, 421)},
        {"left", CRect(60, 100, 100, 120), CRect(59, 101, 101, 119)},
        {"right", CRect(300, 100, 340, 120), CRect(299, 101, 341, 119)},
        {"apart", CRect(0, 0, 20, 20), CRect(0, 0, 0, 0)},
        {"none", CRect(0, 0, 0, 0), CRect(0, 0, 0, 0)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.join, COXMenuSkinXP::JoinRect(frame, row.opener)) << row.name;
}

TEST(MenuSkins, ShadowDrawsSavedColoursInTheirOrderAndSparesTheOpener)
{
    CTestSkinXP xp;
    COXMenuSkinXP* pSkin = static_cast<COXMenuSkinXP*>(xp.GetMenuSkin());
    // A popup of 40 x 30 at (1000, 1000) on the screen.
    const CRect rcPopup(1000, 1000, 1040, 1030);
    CArray<COLORREF, COLORREF> saved;
    // Right band column by column from the outside, then the bottom band
    // row by row from the outside: each pixel its own colour.
    const COLORREF clrRight = RGB(200, 100, 40), clrBottom = RGB(120, 240, 80);
    for (int i = 0; i < 4 * 30; ++i)
        saved.Add(clrRight);
    for (int i = 0; i < 4 * 36; ++i)
        saved.Add(clrBottom);
    // The opener covers the bottom band's columns 20 to 29.
    const CRect rcOpener(1020, 1026, 1030, 1040);
    CPixelCanvas canvas(40, 30, kBlue);
    pSkin->DrawShadow(canvas.dc.GetSafeHdc(), rcPopup, rcOpener, &saved);

    EXPECT_EQ(clrRight, canvas.At(39, 2)) << "the cut-off corner keeps the colour under it";
    EXPECT_EQ(COXMenuSkinXP::Darken(clrRight, 240), canvas.At(39, 15));
    EXPECT_EQ(COXMenuSkinXP::Darken(clrRight, 195), canvas.At(36, 15));
    EXPECT_EQ(COXMenuSkinXP::Darken(clrBottom, 240), canvas.At(10, 29));
    EXPECT_EQ(COXMenuSkinXP::Darken(clrBottom, 225), canvas.At(10, 28));
    EXPECT_EQ(clrBottom, canvas.At(2, 29)) << "the cut-off corner of the bottom band";
    // Where the popup overlaps the opener, no shadow but the join: the
    // tool bar back between two border lines.
    EXPECT_EQ(xp.GetToolbarBackgroundColor(), canvas.At(25, 29));
    EXPECT_EQ(xp.GetMenuBorderColor(), canvas.At(20, 28));
    EXPECT_EQ(xp.GetMenuBorderColor(), canvas.At(29, 28));
    EXPECT_EQ(4 * 30 + 4 * 36, saved.GetSize());
}

TEST(MenuSkins, ItemBackgroundsInEachForm)
{
    CTestSkinXP xp;
    CTestSkin2003 skin2003(FALSE);
    CMeasuredMenu menu(16, 13, 0, 60);
    const CRect rcItem(0, 0, 120, 22);
    const CRect rcNone(0, 0, 0, 0);
    COXMenuSkin* pXP = xp.GetMenuSkin();
    {
        CPixelCanvas canvas(120, 22, kBlack);
        pXP->DrawBackground(&canvas.dc, 0, NULL, rcItem, rcNone, &menu);
        // Image column 16 + 5 + 3 wide.
        EXPECT_EQ(xp.GetToolbarBackgroundColor(), canvas.At(23, 10));
        EXPECT_EQ(xp.GetMenuBackgroundColor(), canvas.At(24, 10));
    }
    {
        CPixelCanvas canvas(120, 22, kBlack);
        pXP->DrawBackground(&canvas.dc, OXODS_HIDDEN, NULL, rcItem, rcNone, &menu);
        EXPECT_EQ(OXOffsetColor(TestSysColor(COLOR_BTNFACE), -8), canvas.At(10, 10));
    }
    {
        CPixelCanvas canvas(120, 22, kBlack);
        pXP->DrawBackground(&canvas.dc, ODS_SELECTED, NULL, rcItem, rcNone, &menu);
        EXPECT_EQ(xp.GetHotItemBorderColor(), canvas.At(0, 10));
        EXPECT_EQ(xp.GetHotItemColor(), canvas.At(60, 10));
    }
    {
        // Selected but disabled: drawn as not selected.
        CPixelCanvas canvas(120, 22, kBlack);
        pXP->DrawBackground(&canvas.dc, ODS_SELECTED | ODS_DISABLED, NULL, rcItem, rcNone, &menu);
        EXPECT_EQ(xp.GetMenuBackgroundColor(), canvas.At(60, 10));
    }
    {
        CPixelCanvas canvas(120, 22, kBlack);
        skin2003.GetMenuSkin()->DrawBackground(&canvas.dc, 0, NULL, rcItem, rcNone, &menu);
        EXPECT_EQ(skin2003.GetMenuBackgroundColor(), canvas.At(60, 10));
        EXPECT_NE(kBlack, canvas.At(0, 10));
    }
}

// A Classic item fills its whole rectangle, so that it reads as one menu on
// any background, not only on a popup that painted the menu colour first.
TEST(MenuSkins, ClassicItemsCoverTheirWholeRectangle)
{
    COXSkinClassic classic;
    CImages images;
    COXImageInfo image(&images.list16, 0);
    CMeasuredMenu menu(16, 13, 0, 60);
    const CRect rcItem(0, 0, 120, 22);
    struct Row { const char* name; UINT nState; COXImageInfo* pImage; } rows[] = {
        {"plain", 0, NULL}, {"selected", ODS_SELECTED, NULL}, {"with an image", 0, &image},
        {"checked", ODS_CHECKED, &image}, {"rarely used", OXODS_HIDDEN, NULL},
    };
    for (const Row& row : rows) {
        CPixelCanvas canvas(120, 22, kBlack);
        CRect rcFrame, rcImage, rcText, rcShortcut;
        classic.GetMenuSkin()->DistributeSpace(rcItem, row.pImage, rcFrame, rcImage, rcText, rcShortcut, &menu);
        classic.GetMenuSkin()->DrawBackground(&canvas.dc, row.nState, row.pImage, rcItem, rcFrame, &menu);
        EXPECT_EQ(0, canvas.Count(kBlack)) << row.name << ": gaps left in the item";
        EXPECT_EQ(::GetSysColor(COLOR_MENU), canvas.At(60, 21)) << row.name << ": the bottom row";
    }
}

// A skin paints an item within the rectangle it is given: a menu drawn on a
// panel (a preview, a customization list) has nothing under its items to
// cover a stray column. Around the item stands magenta.
TEST(MenuSkins, ItemsAndSeparatorsStayInsideTheirRectangle)
{
    COXSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 skin2003(FALSE);
    CImages images;
    COXImageInfo image(&images.list16, 0);
    CMeasuredMenu menu(16, 13, 40, 60);
    const CRect rcItem(6, 4, 166, 26), rcSeparator(6, 4, 166, 9);
    const struct { const char* name; COXMenuSkin* pSkin; } skins[] = {
        {"Classic", classic.GetMenuSkin()}, {"XP", xp.GetMenuSkin()}, {"2003", skin2003.GetMenuSkin()}};
    const struct { const char* name; UINT nState; COXImageInfo* pImage; } items[] = {
        {"plain", 0, NULL},          {"with an image", 0, &image},        {"selected", ODS_SELECTED, &image},
        {"checked", ODS_CHECKED, &image}, {"disabled", ODS_DISABLED | ODS_GRAYED, &image},
        {"rarely used", OXODS_HIDDEN, &image}, {"separator", 0, NULL}};
    for (const auto& skin : skins) {
        for (const auto& item : items) {
            CPixelCanvas canvas(172, 30, kMagenta);
            const bool bSeparator = strcmp(item.name, "separator") == 0;
            const CRect rc = bSeparator ? rcSeparator : rcItem;
            if (bSeparator) {
                skin.pSkin->DrawSeparator(&canvas.dc, rc, &menu);
            } else {
                CRect rcFrame, rcImage, rcText, rcShortcut;
                skin.pSkin->DistributeSpace(rc, item.pImage, rcFrame, rcImage, rcText, rcShortcut, &menu);
                skin.pSkin->DrawBackground(&canvas.dc, item.nState, item.pImage, rc, rcFrame, &menu);
                skin.pSkin->DrawButton(&canvas.dc, item.nState, item.pImage, rcFrame, &menu);
                skin.pSkin->DrawImage(&canvas.dc, item.nState, item.pImage, rcImage, &menu);
                skin.pSkin->DrawText(&canvas.dc, item.nState, "Harvest\tF5", rcText, rcShortcut, &menu);
            }
            int nOutside = 0;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 172; ++x)
                    nOutside += !rc.PtInRect(CPoint(x, y)) && canvas.At(x, y) != kMagenta;
            EXPECT_EQ(0, nOutside) << skin.name << ", " << item.name;
        }
    }
}

// In 2003 the image column of an item and of a separator is one gradient,
// column by column the same colours.
TEST(MenuSkins, Office2003ItemsAndSeparatorsShareTheColumnsGradient)
{
    CTestSkin2003 skin2003(FALSE);
    CMeasuredMenu menu(16, 13, 0, 60);
    CPixelCanvas item(120, 22, kMagenta), separator(120, 5, kMagenta);
    skin2003.GetMenuSkin()->DrawBackground(&item.dc, 0, NULL, CRect(0, 0, 120, 22), CRect(0, 0, 0, 0), &menu);
    skin2003.GetMenuSkin()->DrawSeparator(&separator.dc, CRect(0, 0, 120, 5), &menu);
    EXPECT_NE(item.At(0, 10), item.At(23, 10)) << "a gradient across the column";
    for (int x = 0; x < 24; ++x)
        EXPECT_EQ(item.At(x, 10), separator.At(x, 0)) << x;
}

TEST(MenuSkins, SeparatorsInEachForm)
{
    COXSkinClassic classic;
    CTestSkinXP xp;
    CMeasuredMenu menu(16, 13, 0, 60);
    {
        CPixelCanvas canvas(100, 8, kBlack);
        classic.GetMenuSkin()->DrawSeparator(&canvas.dc, CRect(0, 0, 100, 8), &menu);
        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.At(50, 3));
        EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.At(50, 4));
        EXPECT_EQ(::GetSysColor(COLOR_MENU), canvas.At(1, 3)) << "2 pixels in from each side";
        EXPECT_EQ(0, canvas.Count(kBlack)) << "the separator's row is the menu's";
    }
    {
        CPixelCanvas canvas(100, 3, kBlack);
        xp.GetMenuSkin()->DrawSeparator(&canvas.dc, CRect(0, 0, 100, 3), &menu);
        // The line starts at 16 + 15 + 3.
        EXPECT_EQ(xp.GetSeparatorColor(), canvas.At(34, 1));
        EXPECT_EQ(xp.GetMenuBackgroundColor(), canvas.At(33 - 8, 1));
        EXPECT_EQ(xp.GetToolbarBackgroundColor(), canvas.At(5, 1));
    }
}

TEST(MenuSkins, CheckMarkImageIsDrawnOnlyOnCheckedItems)
{
    COXSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 skin2003(FALSE);
    CImages images;
    COXImageInfo check(&images.list16, 0, TRUE);
    CMeasuredMenu menu(16, 13, 0, 60);
    COXMenuSkin* skins[] = {classic.GetMenuSkin(), xp.GetMenuSkin(), skin2003.GetMenuSkin()};
    for (COXMenuSkin* pSkin : skins) {
        CPixelCanvas unchecked(20, 20, kWhite), checked(20, 20, kWhite);
        pSkin->DrawImage(&unchecked.dc, 0, &check, CRect(2, 2, 18, 18), &menu);
        pSkin->DrawImage(&checked.dc, ODS_CHECKED, &check, CRect(2, 2, 18, 18), &menu);
        EXPECT_EQ(0, unchecked.Count(kRed));
        EXPECT_EQ(16 * 16, checked.Count(kRed));
    }
}

TEST(MenuSkins, OnlyTheXPFormRaisesASelectedImage)
{
    CTestSkinXP xp;
    CTestSkin2003 skin2003(FALSE);
    CImages images;
    COXImageInfo image(&images.list16, 0);
    CMeasuredMenu menu(16, 13, 0, 60);
    CPixelCanvas raised(24, 24, kWhite), flat(24, 24, kWhite);
    xp.GetMenuSkin()->DrawImage(&raised.dc, ODS_SELECTED, &image, CRect(4, 4, 20, 20), &menu);
    skin2003.GetMenuSkin()->DrawImage(&flat.dc, ODS_SELECTED, &image, CRect(4, 4, 20, 20), &menu);
    EXPECT_EQ(kRed, raised.At(3, 3));
    EXPECT_EQ(kWhite, flat.At(3, 3));
    EXPECT_EQ(kRed, flat.At(4, 4));
}

TEST(MenuSkins, InsertMarkIsABarWithEndTicks)
{
    COXSkinClassic classic;
    CMeasuredMenu menu(16, 13, 0, 60);
    CPixelCanvas canvas(60, 20, kWhite);
    CPen pen(PS_SOLID, 1, kBlack);
    CPen* pOld = canvas.dc.SelectObject(&pen);
    classic.GetMenuSkin()->DrawInsertMark(&canvas.dc, CRect(0, 5, 60, 15), FALSE, &menu);
    canvas.dc.SelectObject(pOld);
    // At the bottom (15): the bar over rows 14 and 15, ticks at x = 2 and 58.
    EXPECT_EQ(kBlack, canvas.At(30, 14));
    EXPECT_EQ(kBlack, canvas.At(30, 15));
    EXPECT_EQ(kBlack, canvas.At(2, 13));
    EXPECT_EQ(kBlack, canvas.At(58, 13));
    EXPECT_EQ(kWhite, canvas.At(30, 12));
    EXPECT_EQ(kWhite, canvas.At(1, 14));
}

TEST(MenuSkins, EmptyShortcutIsNotDrawn)
{
    COXSkinClassic classic;
    CMeasuredMenu menu(16, 13, 40, 60);
    CPixelCanvas with(200, 20, kWhite), without(200, 20, kWhite);
    classic.GetMenuSkin()->DrawText(&with.dc, 0, "Open\tCtrl+O", CRect(26, 2, 86, 18), CRect(150, 2, 190, 18), &menu);
    classic.GetMenuSkin()->DrawText(&without.dc, 0, "Open", CRect(26, 2, 86, 18), CRect(150, 2, 190, 18), &menu);
    int nWithShortcut = 0, nWithout = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 140; x < 200; ++x) {
            nWithShortcut += with.At(x, y) != kWhite;
            nWithout += without.At(x, y) != kWhite;
        }
    EXPECT_GT(nWithShortcut, 0);
    EXPECT_EQ(0, nWithout);
}

// A window procedure standing for the system's: counts what reaches it.
int g_nOldCalls = 0;
LRESULT CALLBACK CountingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // The skin asks which menu the window shows; only the rest counts.
    if (nMsg != 0x01E1)
        ++g_nOldCalls;
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

TEST(MenuSkins, PopupOfAnotherMenuIsLeftToItsOwnProcedure)
{
    CTestSkinXP xp;
    CWnd wnd;
    ASSERT_TRUE(CreateHostWindow(wnd, "plain", WS_POPUP, CRect(0, 0, 50, 50)));
    g_nOldCalls = 0;
    const UINT msgs[] = {WM_ERASEBKGND, WM_NCPAINT, WM_WINDOWPOSCHANGING, WM_PRINT};
    WINDOWPOS pos = {wnd.m_hWnd, NULL, 0, 0, 50, 50, 0};
    for (UINT nMsg : msgs)
        xp.GetMenuSkin()->PopupWindowProc(CountingProc, wnd.m_hWnd, nMsg, nMsg == WM_NCPAINT ? 1 : 0,
                                          nMsg == WM_WINDOWPOSCHANGING ? (LPARAM)&pos : 0);
    EXPECT_EQ(4, g_nOldCalls);
    EXPECT_EQ(50, pos.cx) << "no room for a shadow on a window that is not a bitmap menu's";
    wnd.DestroyWindow();
}

}   // namespace
