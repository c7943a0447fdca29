// Bitmap menus and their organizer: measuring, the hidden band's state bits,
// access keys, conversion and hiding as tables over real menu handles, the
// hidden sets' blobs, and a frame whose popup is opened by the system's own
// menu loop.
#include <afxwin.h>
#include <commctrl.h>
#include <map>
#include <string>
#include <gtest/gtest.h>

#include "OXBitmapMenu.h"
#include "OXBitmapMenuOrganizer.h"
#include "OXSkinnedApp.h"
#include "OXSkins.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// The items of a menu as text: commands by id, "-" for a separator, "[sub]"
// for a submenu, "+" for the expansion item.
std::string Layout(HMENU hMenu)
{
    std::string s;
    const int n = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < n; ++i) {
        if (!s.empty())
            s += " ";
        const UINT nID = ::GetMenuItemID(hMenu, i);
        if (::GetSubMenu(hMenu, i) != NULL)
            s += "[sub]";
        else if (nID == 0)
            s += "-";
        else if (nID == ID_OX_SHOWALLITEMS)
            s += "+";
        else
            s += std::to_string(nID);
    }
    return s;
}

// A popup from a layout: numbers are commands, "-" separators, "[sub]" a
// submenu holding command 900.
HMENU MakeMenu(const char* lpszLayout, HMENU* phSub = NULL)
{
    HMENU hMenu = ::CreatePopupMenu();
    std::string layout(lpszLayout);
    size_t i = 0;
    while (i < layout.size()) {
        size_t j = layout.find(' ', i);
        if (j == std::string::npos)
            j = layout.size();
        std::string item = layout.substr(i, j - i);
        if (item == "-") {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
        } else if (item == "[sub]") {
            HMENU hSub = ::CreatePopupMenu();
            ::AppendMenuA(hSub, MF_STRING, 900, "Inner");
            ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "&Sub");
            if (phSub != NULL)
                *phSub = hSub;
        } else {
            std::string text = "Item &" + item;
            ::AppendMenuA(hMenu, MF_STRING, (UINT_PTR)std::stoi(item), text.c_str());
        }
        i = j + 1;
    }
    return hMenu;
}

TEST(BitmapMenu, HiddenBandStateMarksTheRunsEnds)
{
    // Shown flags of a menu's items; the state each hidden one is drawn with.
    struct Row { const char* name; std::vector<BOOL> shown; std::vector<UINT> states; } rows[] = {
        {"one hidden between shown", {TRUE, FALSE, TRUE}, {0, 0x7000, 0}},
        {"a run of three", {TRUE, FALSE, FALSE, FALSE, TRUE}, {0, 0x3000, 0x1000, 0x5000, 0}},
        {"hidden at both ends", {FALSE, TRUE, FALSE}, {0x7000, 0, 0x7000}},
    };
    for (const Row& row : rows) {
        const int n = (int)row.shown.size();
        for (int i = 0; i < n; ++i) {
            const BOOL bPrev = i == 0 || row.shown[i - 1], bNext = i == n - 1 || row.shown[i + 1];
            EXPECT_EQ(row.states[i], COXBitmapMenu::HiddenBandState(!row.shown[i], bPrev, bNext))
                << row.name << " item " << i;
        }
    }
}

TEST(BitmapMenu, AccessKeysFoldInTheUsersCodePage)
{
    struct Row { const char* text; BYTE key; } rows[] = {
        {"&File", 'f'}, {"Save &As...", 'a'}, {"&&Fish && &Chips", 'c'}, {"None", 0}, {"End&", 0},
        // A letter above 0x7F: Cyrillic capital Ef in 1251, O circumflex in
        // 1252; both fold by 0x20. A C-locale fold leaves it alone.
        {"&\xD4\xE0\xE9\xEB", 0xF4},
    };
    for (const Row& row : rows) {
        BYTE chKey = COXBitmapMenu::AccessKeyOf(row.text);
        if (chKey != 0)
            chKey = COXBitmapMenu::FoldAccessKey(chKey);
        EXPECT_EQ(row.key, chKey) << row.text;
    }
}

// A bitmap menu over a handle made by the test, its items given data as the
// organizer gives it; records the drawing steps the skin is asked for.
class CRecordingMenu : public COXBitmapMenu
{
public:
    std::vector<std::string> steps;
    void DrawInsertMark(CDC*, const RECT&, BOOL bBefore) override
    {
        steps.push_back(bBefore ? "mark before" : "mark after");
    }
    void DrawCustomized(CDC*, const RECT&) override { steps.push_back("customized"); }
    void DrawSeparator(CDC*, const RECT&) override { steps.push_back("separator"); }
    void DrawExpansionItem(CDC*, const RECT&, UINT) override { steps.push_back("expansion"); }
    void DrawText(CDC*, UINT, LPCTSTR lpszText, const RECT&, const RECT&) override
    {
        steps.push_back(std::string("text ") + lpszText);
    }
};

// Converts a menu as the organizer does, without a frame.
struct CConverted
{
    explicit CConverted(const char* lpszLayout, BOOL bRecentOnly = FALSE)
    {
        organizer.ShowOnlyRecentlyUsedItems(bRecentOnly);
        hMenu = MakeMenu(lpszLayout, &hSub);
        menu.Attach(hMenu);
    }
    ~CConverted() { menu.Detach(); ::DestroyMenu(hMenu); }
    void Convert() { organizer.ConvertMenu(&menu, TRUE); }
    void DrawItem(int nPos, UINT nState = 0)
    {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, ::GetMenuItemID(hMenu, nPos), 0, 0, 0};
        MENUITEMINFOA mii = {sizeof(mii), MIIM_DATA};
        ::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii);
        mis.itemData = mii.dwItemData;
        // The item's top: the heights of the items above it.
        int y = 0;
        for (int i = 0; i < nPos; ++i) {
            MEASUREITEMSTRUCT m = {ODT_MENU, 0, ::GetMenuItemID(hMenu, i), 0, 0, 0};
            MENUITEMINFOA mi = {sizeof(mi), MIIM_DATA};
            ::GetMenuItemInfoA(hMenu, i, TRUE, &mi);
            m.itemData = mi.dwItemData;
            menu.MeasureItem(&m);
            y += (int)m.itemHeight;
        }
        menu.MeasureItem(&mis);
        CPixelCanvas canvas(200, 400);
        DRAWITEMSTRUCT dis = {ODT_MENU, 0, mis.itemID, ODA_DRAWENTIRE, nState, NULL, canvas.dc.GetSafeHdc(),
                              {0, y, 200, y + (int)mis.itemHeight}, mii.dwItemData};
        menu.DrawItem(&dis);
    }
    COXBitmapMenuOrganizer organizer;
    CRecordingMenu menu;
    HMENU hMenu = NULL, hSub = NULL;
};

TEST(BitmapMenu, ExtentsTakeTextAndShortcutApartAndBoldTheDefault)
{
    CConverted c("10 11 [sub]");
    ::ModifyMenuA(c.hMenu, 0, MF_BYPOSITION | MF_STRING, 10, "Word\tCtrl+Shift+W");
    ::ModifyMenuA(c.hMenu, 1, MF_BYPOSITION | MF_STRING, 11, "Wide bold default");
    ::SetMenuDefaultItem(c.hMenu, 1, TRUE);
    c.Convert();

    NONCLIENTMETRICSA ncm;
    OXGetNonClientMetrics(ncm);
    LOGFONTA lfBold = ncm.lfMenuFont;
    lfBold.lfWeight = FW_BOLD;
    CFont font, bold;
    font.CreateFontIndirect(&ncm.lfMenuFont);
    bold.CreateFontIndirect(&lfBold);
    CClientDC dc(NULL);
    auto width = [&](CFont& f, const char* text) {
        CFont* pOld = dc.SelectObject(&f);
        CRect rc(0, 0, 0, 0);
        dc.DrawText(text, &rc, DT_CALCRECT | DT_SINGLELINE);
        dc.SelectObject(pOld);
        return rc.Width();
    };
    EXPECT_EQ(width(bold, "Wide bold default"), c.menu.GetTextWidth());
    EXPECT_GT(width(bold, "Wide bold default"), width(font, "Wide bold default"));
    // The shortcut is the key name; the submenu item without a tab adds "W".
    EXPECT_EQ(std::max(width(font, "Ctrl+Shift+W"), width(font, "W")), c.menu.GetShortcutWidth());
    EXPECT_GT(c.menu.GetTextHeight(), 0);
}

TEST(BitmapMenu, MeasuringByKindOfItem)
{
    CConverted c("10 - 11");
    c.Convert();
    const OXMENUSKINMETRICS& m = c.menu.GetMenuSkin()->GetMetrics();
    MENUITEMINFOA mii = {sizeof(mii), MIIM_DATA};
    ::GetMenuItemInfoA(c.hMenu, 1, TRUE, &mii);
    MEASUREITEMSTRUCT sep = {ODT_MENU, 0, 0, 0, 0, mii.dwItemData};
    c.menu.MeasureItem(&sep);
    EXPECT_EQ(8u, sep.itemHeight) << "a Classic separator";

    ::GetMenuItemInfoA(c.hMenu, 0, TRUE, &mii);
    MEASUREITEMSTRUCT item = {ODT_MENU, 0, 10, 0, 0, mii.dwItemData};
    c.menu.MeasureItem(&item);
    // The default image (the check mark list) counts in the height.
    const int nImageHeight = c.organizer.GetDefaultImageList()->GetSafeHandle() != NULL
                                 ? COXMenuSkin::ImageRect(c.organizer.GetImageInfo(10)).Height() + 2
                                 : 0;
    EXPECT_EQ((UINT)std::max(m.m_nTextMargin + c.menu.GetTextHeight(), nImageHeight + m.m_nImageMargin),
              item.itemHeight);
    EXPECT_EQ((UINT)(c.menu.GetTextWidth() + c.menu.GetImageWidth() + 3 + 8 + 2), item.itemWidth)
        << "no shortcut, no fourth spacing";

    MEASUREITEMSTRUCT foreign = {ODT_MENU, 0, 10, 77, 99, 0x1234};
    c.menu.MeasureItem(&foreign);
    EXPECT_EQ(77u, foreign.itemWidth) << "data the menu did not make is not measured";
    EXPECT_EQ(99u, foreign.itemHeight);
}

TEST(BitmapMenu, HitTestWalksTheItemHeights)
{
    CConverted c("10 - 11");
    c.Convert();
    MENUITEMINFOA mii = {sizeof(mii), MIIM_DATA};
    ::GetMenuItemInfoA(c.hMenu, 0, TRUE, &mii);
    MEASUREITEMSTRUCT item = {ODT_MENU, 0, 10, 0, 0, mii.dwItemData};
    c.menu.MeasureItem(&item);
    const int h = (int)item.itemHeight;
    BOOL bUpper = FALSE;
    EXPECT_EQ(0, c.menu.HitTest(CPoint(5, 1), &bUpper));
    EXPECT_TRUE(bUpper);
    EXPECT_EQ(0, c.menu.HitTest(CPoint(5, h - 1), &bUpper));
    EXPECT_FALSE(bUpper);
    EXPECT_EQ(1, c.menu.HitTest(CPoint(5, h + 1)));
    EXPECT_EQ(2, c.menu.HitTest(CPoint(5, h + 8 + 1)));
    EXPECT_EQ(-1, c.menu.HitTest(CPoint(5, 2 * h + 8 + 1)));
}

TEST(BitmapMenu, InsertMarkAndCustomizedItemAreDrawnOnTheirItems)
{
    CConverted c("10 11 12");
    c.Convert();
    struct Row { int nMark, nItem; const char* step; } rows[] = {
        {1, 1, "mark before"}, {3, 2, "mark after"}, {0, 0, "mark before"}, {3, 1, NULL}, {-1, 2, NULL},
    };
    for (const Row& row : rows) {
        c.menu.steps.clear();
        c.menu.SetInsertMark(row.nMark);
        c.DrawItem(row.nItem);
        const bool bMarked = std::find(c.menu.steps.begin(), c.menu.steps.end(), "mark before") != c.menu.steps.end() ||
                             std::find(c.menu.steps.begin(), c.menu.steps.end(), "mark after") != c.menu.steps.end();
        if (row.step == NULL)
            EXPECT_FALSE(bMarked) << row.nMark << " on " << row.nItem;
        else
            EXPECT_EQ(row.step, c.menu.steps.back()) << row.nMark << " on " << row.nItem;
    }
    c.menu.SetInsertMark(-1);
    c.menu.SetCustomizedItem(1);
    c.menu.steps.clear();
    c.DrawItem(1);
    EXPECT_EQ("customized", c.menu.steps.back());
    c.menu.steps.clear();
    c.DrawItem(2);
    EXPECT_EQ("text Item &12", c.menu.steps.back());
}

TEST(BitmapMenu, CmdUISetTextRenamesOwnerDrawnItemsThroughTheirData)
{
    CConverted c("10 11");
    c.Convert();
    CBitmapMenuCmdUI ui;
    ui.m_pMenu = &c.menu;
    ui.m_nIndex = 0;
    ui.m_nID = 10;
    ui.m_nIndexMax = 2;
    ui.SetText("&Renamed\tF2");
    c.menu.steps.clear();
    c.DrawItem(0);
    EXPECT_EQ("text &Renamed\tF2", c.menu.steps.back());

    // A plain string item is renamed as any menu item is.
    HMENU hPlain = MakeMenu("20");
    CMenu plain;
    plain.Attach(hPlain);
    ui.m_pMenu = &plain;
    ui.SetText("Plain");
    char sz[32] = {};
    ::GetMenuStringA(hPlain, 0, sz, sizeof(sz), MF_BYPOSITION);
    EXPECT_STREQ("Plain", sz);
    plain.DestroyMenu();
}

TEST(BitmapMenu, HalftoneBrushIsACheckerboardOfTheTwoColours)
{
    HBRUSH hBrush = CreateHalftoneBrush(kRed, kBlue);
    ASSERT_TRUE(hBrush != NULL);
    CPixelCanvas canvas(8, 8);
    ::FillRect(canvas.dc.GetSafeHdc(), CRect(0, 0, 8, 8), hBrush);
    ::DeleteObject(hBrush);
    EXPECT_EQ(32, canvas.Count(kRed));
    EXPECT_EQ(32, canvas.Count(kBlue));
    EXPECT_NE(canvas.At(0, 0), canvas.At(1, 0));
    EXPECT_NE(canvas.At(0, 0), canvas.At(0, 1));
    EXPECT_EQ(canvas.At(0, 0), canvas.At(1, 1));
}

// ---------------------------------------------------------------------------
// The organizer
// ---------------------------------------------------------------------------
TEST(BitmapMenuOrganizer, ItemsWithoutImagesGetTheCheckMarkList)
{
    CConverted c("10 11 [sub]");
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    ASSERT_TRUE(c.organizer.SetMenuIcon(11, hIcon, 16, 16));
    c.Convert();
    COXImageInfo* pDefault = c.organizer.GetImageInfo(10);
    ASSERT_TRUE(pDefault != NULL);
    EXPECT_TRUE(pDefault->m_bDefaultImage);
    EXPECT_EQ(c.organizer.GetDefaultImageList(), pDefault->m_pImageList);
    EXPECT_EQ(0, pDefault->m_nIndex);
    EXPECT_EQ(-1, pDefault->m_nHotIndex);
    COXImageInfo* pIcon = c.organizer.GetImageInfo(11);
    ASSERT_TRUE(pIcon != NULL);
    EXPECT_FALSE(pIcon->m_bDefaultImage);
    EXPECT_NE(c.organizer.GetDefaultImageList(), pIcon->m_pImageList);
    // A submenu item is recorded under -1.
    EXPECT_TRUE(c.organizer.GetImageInfo((UINT)-1) != NULL);
    // Every item is owner-drawn now, its access key mapped to its position.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(::GetMenuState(c.hMenu, i, MF_BYPOSITION) & MF_OWNERDRAW) << i;
    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), c.organizer.OnMenuChar('1', 0, &c.menu));
    EXPECT_EQ(MAKELRESULT(2, MNC_EXECUTE), c.organizer.OnMenuChar('s', 0, &c.menu));
    EXPECT_EQ(0, c.organizer.OnMenuChar('x', 0, &c.menu));
}

TEST(BitmapMenuOrganizer, HidingTakesItemsOutAndRestoringPutsThemBack)
{
    struct Row { const char* name; const char* layout; std::vector<UINT> hidden; const char* opened; } rows[] = {
        {"nothing hidden: no expansion item", "10 - 11", {}, "10 - 11"},
        {"a hidden item takes the separator after it", "10 - 11 - 12", {11}, "10 - 12 +"},
        {"leading separators go", "- 10 11", {}, "10 11 +"},
        {"a hidden run at the top takes its separator", "10 - 11", {10}, "11 +"},
        {"all hidden: only the expansion item", "10 - 11", {10, 11}, "+"},
        {"a hidden submenu", "10 [sub] 11", {}, "10 [sub] 11"},
    };
    for (const Row& row : rows) {
        CConverted c(row.layout, TRUE);
        for (UINT nID : row.hidden)
            c.organizer.HideMenuItem(nID);
        const std::string before = Layout(c.hMenu);
        c.Convert();
        EXPECT_EQ(row.opened, Layout(c.hMenu)) << row.name;
        c.organizer.RestoreMenu(&c.menu, TRUE);
        EXPECT_EQ(before, Layout(c.hMenu)) << row.name;
        // RestoreMenu deleted the bitmap menu object: give the fixture a
        // fresh handle owner so its end is harmless.
        c.menu.Attach(c.hMenu);
    }
}

TEST(BitmapMenuOrganizer, HiddenSubmenuComesBackAsTheSameHandle)
{
    // The submenu may be held elsewhere (a window menu, a template's menu):
    // hiding must not destroy it or swap it for a copy.
    CConverted c("10 [sub] 11", TRUE);
    HMENU hSub = c.hSub;
    c.organizer.HideSubmenu(hSub);
    c.Convert();
    EXPECT_EQ("10 11 +", Layout(c.hMenu));
    EXPECT_TRUE(::IsMenu(hSub));
    c.organizer.RestoreMenu(&c.menu, TRUE);
    EXPECT_EQ(hSub, ::GetSubMenu(c.hMenu, 1));
    char sz[32] = {};
    ::GetMenuStringA(c.hMenu, 1, sz, sizeof(sz), MF_BYPOSITION);
    EXPECT_STREQ("&Sub", sz);
    c.menu.Attach(c.hMenu);
}

TEST(BitmapMenuOrganizer, BlobsRoundTripAndBadOnesAreRefusedWhole)
{
    CArray<UINT, UINT> ids;
    ids.Add(10);
    ids.Add(0x8001);
    CByteArray blob;
    COXBitmapMenuOrganizer::WriteIdBlob(ids, blob);
    const BYTE golden[] = {2, 0, 0, 0, 10, 0, 0, 0, 1, 0x80, 0, 0};
    ASSERT_EQ((INT_PTR)sizeof(golden), blob.GetSize());
    EXPECT_EQ(0, memcmp(golden, blob.GetData(), sizeof(golden)));
    CArray<UINT, UINT> back;
    EXPECT_TRUE(COXBitmapMenuOrganizer::ParseIdBlob(blob.GetData(), (UINT)blob.GetSize(), back));
    EXPECT_EQ(2, back.GetSize());
    EXPECT_FALSE(COXBitmapMenuOrganizer::ParseIdBlob(golden, sizeof(golden) - 1, back)) << "short";
    EXPECT_FALSE(COXBitmapMenuOrganizer::ParseIdBlob(golden, 3, back)) << "no count";

    // Paths: two paths, (1, 0) and the unreachable one.
    const INT32 paths[] = {2, 1, 0, -1, -1};
    CArray<int, int> flat;
    int nPaths;
    EXPECT_TRUE(COXBitmapMenuOrganizer::ParsePathBlob((const BYTE*)paths, sizeof(paths), flat, nPaths));
    EXPECT_EQ(2, nPaths);
    EXPECT_FALSE(COXBitmapMenuOrganizer::ParsePathBlob((const BYTE*)paths, sizeof(paths) - 4, flat, nPaths))
        << "no final -1";
    std::vector<INT32> deep = {1};
    for (int i = 0; i < 17; ++i)
        deep.push_back(0);
    deep.push_back(-1);
    EXPECT_FALSE(COXBitmapMenuOrganizer::ParsePathBlob((const BYTE*)deep.data(), (UINT)(deep.size() * 4), flat,
                                                       nPaths))
        << "17 deep";
    deep.erase(deep.begin() + 1);
    EXPECT_TRUE(COXBitmapMenuOrganizer::ParsePathBlob((const BYTE*)deep.data(), (UINT)(deep.size() * 4), flat,
                                                      nPaths))
        << "16 deep";
}

TEST(BitmapMenuOrganizer, ProfileKeepsBothSetsAndATruncatedBlobChangesNothing)
{
    HMENU hRoot = ::CreateMenu();
    HMENU hSub = NULL;
    HMENU hPopup = MakeMenu("10 [sub]", &hSub);
    ::AppendMenuA(hRoot, MF_POPUP, (UINT_PTR)hPopup, "&File");
    const char kItems[] = "MenusTest_Items", kSubs[] = "MenusTest_Subs";
    {
        COXBitmapMenuOrganizer organizer;
        organizer.HideMenuItem(10);
        organizer.HideMenuItem(77);
        organizer.HideSubmenu(hSub);
        EXPECT_TRUE(organizer.SaveRecentlyUsedState(kItems));
        EXPECT_TRUE(organizer.SaveRecentlyUsedSubmenuState(hRoot, kSubs));
    }
    {
        COXBitmapMenuOrganizer organizer;
        organizer.LoadRecentlyUsedState(kItems);
        organizer.LoadRecentlyUsedSubmenuState(hRoot, kSubs);
        EXPECT_FALSE(organizer.IsMenuItemShown(10));
        EXPECT_FALSE(organizer.IsMenuItemShown(77));
        EXPECT_FALSE(organizer.IsSubmenuShown(hSub));
    }
    // Cut the items blob short: the sets of a loader stay as they were.
    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(AfxGetApp()->GetProfileBinary(kItems, "RUContents", &pData, &nBytes));
    AfxGetApp()->WriteProfileBinary(kItems, "RUContents", pData, nBytes - 2);
    delete[] pData;
    {
        COXBitmapMenuOrganizer organizer;
        organizer.HideMenuItem(5);
        EXPECT_TRUE(organizer.LoadRecentlyUsedState(kItems));
        EXPECT_FALSE(organizer.IsMenuItemShown(5));
        EXPECT_TRUE(organizer.IsMenuItemShown(10));
        // No stored size: nothing changes either.
        EXPECT_TRUE(organizer.LoadRecentlyUsedState("MenusTest_Nothing"));
        EXPECT_FALSE(organizer.IsMenuItemShown(5));
    }
    ::DestroyMenu(hRoot);
}

// ---------------------------------------------------------------------------
// A frame whose popup the system's menu loop opens
// ---------------------------------------------------------------------------
class CMenuFrame : public CFrameWnd
{
public:
    std::vector<UINT> commands;
    int nDrawn = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == 0)
            commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_DRAWITEM && ((LPDRAWITEMSTRUCT)lParam)->CtlType == ODT_MENU)
            ++nDrawn;
        return CFrameWnd::WindowProc(nMsg, wParam, lParam);
    }
};

struct CTrackProbe
{
    HWND hFrame;
    HMENU hMenu;
    HWND hPopup = NULL;
    BOOL bOwnerDrawn = FALSE;
    BOOL bBitmapMenu = FALSE;
    BOOL bOurClass = FALSE;
    std::function<void(CTrackProbe&)> action;
};
CTrackProbe* g_pProbe = NULL;

void CALLBACK ProbeTimer(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    CTrackProbe& p = *g_pProbe;
    HWND hPopup = ::FindWindowA("#32768", NULL);
    if (hPopup == NULL || !::IsWindowVisible(hPopup))
        return;
    ::KillTimer(NULL, idEvent);
    p.hPopup = hPopup;
    p.bOwnerDrawn = (::GetMenuState(p.hMenu, 0, MF_BYPOSITION) & MF_OWNERDRAW) != 0;
    p.bBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(p.hMenu)) != NULL;
    p.bOurClass = (HINSTANCE)::GetClassLongPtrA(hPopup, GCLP_HMODULE) == AfxGetInstanceHandle();
    p.action(p);
}

// Opens the frame's first popup with the system's loop; the probe looks once
// the popup shows, then acts (closes it, or chooses an item).
void Track(CMenuFrame* pFrame, HMENU hPopup, CTrackProbe& probe)
{
    g_pProbe = &probe;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, ProbeTimer);
    pFrame->SetForegroundWindow();
    ::TrackPopupMenu(hPopup, TPM_LEFTALIGN, 100, 100, 0, pFrame->m_hWnd, NULL);
    ::KillTimer(NULL, nTimer);
    PumpMessagesFor(50);
    g_pProbe = NULL;
}

TEST(BitmapMenuOrganizer, SystemMenuLoopOpensAConvertedMenuAndAnswersItsKeys)
{
    CScopedFrame<CMenuFrame> frame;
    ASSERT_TRUE(frame.Create("Bitmap menus", CRect(50, 50, 450, 350)));
    HMENU hBar = ::CreateMenu();
    HMENU hPopup = MakeMenu("101 - 102");
    ::ModifyMenuA(hPopup, 2, MF_BYPOSITION | MF_STRING, 102, "&\xD4\xE0\xE9\xEB");
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hPopup, "&File");
    ::SetMenu(frame->m_hWnd, hBar);
    frame.Show();
    // The commands have no handlers here; they stay enabled.
    frame->m_bAutoMenuEnable = FALSE;
    COXBitmapMenuOrganizer organizer;
    ASSERT_TRUE(organizer.AttachFrameWnd(frame));
    CScopedFrame<CFrameWnd> other;
    ASSERT_TRUE(other.Create("Other", CRect(0, 0, 100, 100)));
    EXPECT_FALSE(organizer.AttachFrameWnd(other)) << "one frame per organizer";
    EXPECT_EQ(&organizer, COXBitmapMenuOrganizer::FindOrganizer(frame->m_hWnd));

    CTrackProbe probe{frame->m_hWnd, hPopup};
    probe.action = [](CTrackProbe& p) { ::PostMessageA(p.hFrame, WM_CANCELMODE, 0, 0); ::EndMenu(); };
    Track(frame, hPopup, probe);
    ASSERT_TRUE(probe.hPopup != NULL) << "the popup never showed";
    EXPECT_TRUE(probe.bOwnerDrawn);
    EXPECT_TRUE(probe.bBitmapMenu);
    EXPECT_TRUE(probe.bOurClass) << "the popup window runs through the local class";
    EXPECT_GT(frame->nDrawn, 0);

    // Keys typed in the open menu: the access key in the user's code page.
    struct Key { UINT ch; UINT nCommand; } keys[] = {{'1', 101}, {0xF4, 102}, {0xD4, 102}};
    for (const Key& key : keys) {
        frame->commands.clear();
        CTrackProbe typed{frame->m_hWnd, hPopup};
        const UINT ch = key.ch;
        typed.action = [ch](CTrackProbe& p) { ::PostMessageA(p.hPopup, WM_CHAR, ch, 1); };
        Track(frame, hPopup, typed);
        PumpUntil([&] { return !frame->commands.empty(); }, 2000);
        ASSERT_EQ(1u, frame->commands.size()) << "key " << key.ch;
        EXPECT_EQ(key.nCommand, frame->commands[0]) << "key " << key.ch;
    }
    organizer.DetachFrameWnd();
    EXPECT_TRUE(COXBitmapMenuOrganizer::FindOrganizer(frame->m_hWnd) == NULL);
}

}   // namespace

namespace {

// A shown frame whose popup (an item, a separator, an item) a bitmap menu
// organizer converts, in the skin named; the commands stay enabled without
// handlers.
struct CConvertingFrame
{
    CConvertingFrame() : hPopup(MakeMenu("101 - 102")) {}
    ~CConvertingFrame()
    {
        organizer.DetachFrameWnd();
        ::DestroyMenu(hPopup);
    }
    BOOL Create(COXSkinnedApp* pApp, LPCTSTR lpszSkin)
    {
        if (!pApp->SetCurrentSkin(lpszSkin) || !frame.Create("Flat menus", CRect(50, 50, 450, 350)))
            return FALSE;
        frame.Show();
        frame->m_bAutoMenuEnable = FALSE;
        return organizer.AttachFrameWnd(frame);
    }
    CScopedFrame<CMenuFrame> frame;
    HMENU hPopup;
    COXBitmapMenuOrganizer organizer;
};

TEST(BitmapMenuOrganizer, FlatSkinGrowsThePopupForItsShadowAndForgetsItWhenClosed)
{
    CSkinnedAppScope app;
    CConvertingFrame menuFrame;
    ASSERT_TRUE(menuFrame.Create(app.m_pApp, "Office XP"));
    COXMenuSkinXP* pSkin = dynamic_cast<COXMenuSkinXP*>(OXGetMenuSkin());
    ASSERT_TRUE(pSkin != NULL);
    CMenuFrame* frame = menuFrame.frame;
    HMENU hPopup = menuFrame.hPopup;

    CSize sizeWindow, sizeClient;
    int nPositions = 0;
    BOOL bQuitKept = FALSE;
    CTrackProbe probe{frame->m_hWnd, hPopup};
    probe.action = [&](CTrackProbe& p) {
        CRect rcWindow, rcClient;
        ::GetWindowRect(p.hPopup, &rcWindow);
        ::GetClientRect(p.hPopup, &rcClient);
        sizeWindow = rcWindow.Size();
        sizeClient = rcClient.Size();
        nPositions = pSkin->GetPopupPosCount();
        // A quit waiting while an animation frame is printed stays for
        // the loop that owns it.
        ::PostQuitMessage(7);
        CPixelCanvas canvas(rcWindow.Width(), rcWindow.Height());
        ::SendMessage(p.hPopup, WM_PRINT, (WPARAM)canvas.dc.GetSafeHdc(), PRF_NONCLIENT | PRF_CLIENT);
        MSG msg;
        bQuitKept = ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 7;
        ::EndMenu();
    };
    Track(frame, hPopup, probe);
    ASSERT_TRUE(probe.hPopup != NULL) << "the popup never showed";
    EXPECT_TRUE(probe.bOurClass);
    printf("popup window %ldx%ld, client %ldx%ld, positions %d\n", sizeWindow.cx, sizeWindow.cy, sizeClient.cx,
           sizeClient.cy, nPositions);
    EXPECT_TRUE(bQuitKept);
    EXPECT_EQ(0, pSkin->GetPopupPosCount()) << "a closed popup's position is dropped";
}

// The popup the system's loop shows in a flat skin wears the skin's frame:
// its border at the window's edge (less the shadow's band), the image column
// from border to border, the menu's own colour in the gap round the items,
// where a system that draws its border and margins inside the window (as
// this one does) would leave them in its menu colour.
TEST(BitmapMenuOrganizer, FlatSkinsFrameTheSystemsPopupUpToItsBorder)
{
    CSkinnedAppScope app;
    for (const char* pszSkin : {"Office XP", "Office 2003"}) {
        CConvertingFrame menuFrame;
        ASSERT_TRUE(menuFrame.Create(app.m_pApp, pszSkin));
        COXSkinXP* pSkin = dynamic_cast<COXSkinXP*>(OXGetCurrentSkin());
        ASSERT_TRUE(pSkin != NULL);
        CMenuFrame* frame = menuFrame.frame;
        HMENU hPopup = menuFrame.hPopup;

        // Pixels of the window, by name, read once it has painted.
        std::map<std::string, COLORREF> at;
        int nColumnRight = 0;
        CTrackProbe probe{frame->m_hWnd, hPopup};
        probe.action = [&](CTrackProbe& p) {
            ::UpdateWindow(p.hPopup);
            CRect rcWindow;
            ::GetWindowRect(p.hPopup, &rcWindow);
            const int cx = rcWindow.Width() - 4, cy = rcWindow.Height() - 4;   // the frame, less the shadow
            COXBitmapMenu* pMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(p.hMenu));
            nColumnRight = pMenu != NULL ? pMenu->GetImageWidth() + 3 + 8 : 0;
            const int xText = (nColumnRight + cx) / 2, yMiddle = cy / 2;
            HDC hDC = ::GetWindowDC(p.hPopup);
            const struct { const char* name; int x, y; } points[] = {
                {"left border", 0, yMiddle},
                {"right border", cx - 1, yMiddle},
                {"bottom border", xText, cy - 1},
                {"column at the left border", 1, yMiddle},
                {"column under the top border", 1, 1},
                {"column over the bottom border", 1, cy - 2},
                {"column beside the items", 2, yMiddle},
                {"gap over the items", xText, 1},
                {"gap under the items", xText, cy - 2},
                {"gap right of the items", cx - 2, yMiddle},
                {"column's inner edge", nColumnRight - 1, yMiddle},
            };
            for (const auto& point : points)
                at[point.name] = ::GetPixel(hDC, point.x, point.y);
            ::ReleaseDC(p.hPopup, hDC);
            ::EndMenu();
        };
        Track(frame, hPopup, probe);
        ASSERT_TRUE(probe.hPopup != NULL) << "the popup never showed";
        ASSERT_GT(nColumnRight, 11);
        const COLORREF clrBorder = pSkin->GetMenuBorderColor(), clrBack = pSkin->GetMenuBackgroundColor();
        for (const char* name : {"left border", "right border", "bottom border"})
            EXPECT_EQ(clrBorder, at[name]) << pszSkin << ": " << name;
        for (const char* name : {"gap over the items", "gap under the items", "gap right of the items"})
            EXPECT_EQ(clrBack, at[name]) << pszSkin << ": " << name;
        // The column runs down the whole height; XP's is one colour, 2003's
        // a gradient across it.
        for (const char* name : {"column under the top border", "column over the bottom border"})
            EXPECT_EQ(at["column at the left border"], at[name]) << pszSkin << ": " << name;
        if (strcmp(pszSkin, "Office XP") == 0) {
            EXPECT_EQ(pSkin->GetToolbarBackgroundColor(), at["column at the left border"]);
            EXPECT_EQ(pSkin->GetToolbarBackgroundColor(), at["column beside the items"]);
        } else {
            EXPECT_NE(at["column at the left border"], at["column's inner edge"]) << "a gradient across";
            EXPECT_NE(clrBack, at["column at the left border"]);
            EXPECT_NE(clrBack, at["column beside the items"]);
        }
    }
}

}   // namespace

namespace {

// A frame that counts the hidden-sets notification.
class CNotifiedFrame : public CMenuFrame
{
public:
    int nChanged = 0;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_OX_HIDDENSETSCHANGED)
            ++nChanged;
        return CMenuFrame::WindowProc(nMsg, wParam, lParam);
    }
};

TEST(BitmapMenuOrganizer, OpenMenuHidesItsRarelyUsedItemsUntilExpandedOrUsed)
{
    CScopedFrame<CNotifiedFrame> frame;
    ASSERT_TRUE(frame.Create("Recently used", CRect(50, 50, 450, 350)));
    frame.Show();
    frame->m_bAutoMenuEnable = FALSE;
    HMENU hPopup = MakeMenu("101 - 102 103");
    COXBitmapMenuOrganizer organizer;
    ASSERT_TRUE(organizer.AttachFrameWnd(frame));
    organizer.HideMenuItem(103);

    // Opened: the hidden command is out, the expansion item at the end. A
    // use of the hidden command while the menu is open brings it back.
    std::string opened;
    CTrackProbe used{frame->m_hWnd, hPopup};
    used.action = [&](CTrackProbe& p) {
        opened = Layout(p.hMenu);
        ::SendMessage(p.hFrame, WM_COMMAND, 103, 0);
        ::EndMenu();
    };
    Track(frame, hPopup, used);
    EXPECT_EQ("101 - 102 +", opened);
    EXPECT_TRUE(organizer.IsMenuItemShown(103));
    EXPECT_EQ(1, frame->nChanged) << "the frame hears that the sets changed";

    // Enter on the expansion item expands: the menu loop ends with the
    // menu given back whole.
    organizer.HideMenuItem(103);
    organizer.Empty(TRUE);
    EXPECT_EQ("101 - 102 103", Layout(hPopup));
    CTrackProbe expand{frame->m_hWnd, hPopup};
    expand.action = [&](CTrackProbe& p) {
        opened = Layout(p.hMenu);
        INPUT keys[4] = {};
        const WORD vk[4] = {VK_UP, VK_UP, VK_RETURN, VK_RETURN};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = vk[i];
            keys[i].ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
        }
        ::SendInput(4, keys, sizeof(INPUT));
    };
    Track(frame, hPopup, expand);
    EXPECT_EQ("101 - 102 +", opened);
    EXPECT_FALSE(organizer.IsExpanded()) << "expansion lasts to the end of the menu loop";
    EXPECT_EQ("101 - 102 103", Layout(hPopup));
    organizer.DetachFrameWnd();
    ::DestroyMenu(hPopup);
}

}   // namespace

namespace {

WNDPROC g_pfnBeforeLater = NULL;
int g_nLaterCalls = 0;
LRESULT CALLBACK LaterProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    ++g_nLaterCalls;
    return ::CallWindowProc(g_pfnBeforeLater, hWnd, nMsg, wParam, lParam);
}

TEST(BitmapMenuOrganizer, DetachingLeavesALaterSubclasserInPlace)
{
    CScopedFrame<CMenuFrame> frame;
    ASSERT_TRUE(frame.Create("Subclassed twice", CRect(50, 50, 300, 200)));
    COXBitmapMenuOrganizer organizer;
    ASSERT_TRUE(organizer.AttachFrameWnd(frame));
    g_pfnBeforeLater = (WNDPROC)::SetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC, (LONG_PTR)LaterProc);
    organizer.DetachFrameWnd();
    EXPECT_EQ((LONG_PTR)LaterProc, ::GetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC))
        << "the later procedure stays the window's";
    // Messages still go through the whole chain to the frame.
    g_nLaterCalls = 0;
    frame->commands.clear();
    ::SendMessage(frame->m_hWnd, WM_COMMAND, 4321, 0);
    EXPECT_EQ(1, g_nLaterCalls);
    ASSERT_EQ(1u, frame->commands.size());
    EXPECT_EQ(4321u, frame->commands[0]);
    EXPECT_TRUE(COXBitmapMenuOrganizer::FindOrganizer(frame->m_hWnd) == NULL);
    frame.Destroy();
}

}   // namespace

namespace {

TEST(BitmapMenuOrganizer, ToolBarImagesGoBesideTheirCommands)
{
    CScopedFrame<CMenuFrame> frame;
    ASSERT_TRUE(frame.Create("Tool bar images", CRect(50, 50, 400, 250)));
    COXBitmapMenuOrganizer organizer;
    ASSERT_TRUE(organizer.AttachFrameWnd(frame));

    // Two bars; the second holds command 203 again.
    CToolBar bars[2];
    const UINT ids0[] = {201, ID_SEPARATOR, 202, 203};
    const UINT ids1[] = {204, 203};
    const UINT* ids[] = {ids0, ids1};
    const int counts[] = {4, 2};
    CPixelCanvas canvas(48, 15, kRed);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(bars[i].Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + i));
        HBITMAP hWell = ::CreateCompatibleBitmap(canvas.dc.GetSafeHdc(), 16 * counts[i], 15);
        ASSERT_TRUE(bars[i].SetBitmap(hWell));
        ASSERT_TRUE(bars[i].SetButtons(ids[i], counts[i]));
    }
    frame.Show();

    ASSERT_TRUE(organizer.CollectToolbarImages());
    struct Row { UINT nID; int nBar, nIndex; } rows[] = {{201, 0, 0}, {202, 0, 1}, {204, 1, 0}, {203, 1, 1}};
    for (const Row& row : rows) {
        COXImageInfo* pInfo = organizer.GetImageInfo(row.nID);
        ASSERT_TRUE(pInfo != NULL) << row.nID;
        EXPECT_EQ(row.nIndex, pInfo->m_nIndex) << row.nID;
        EXPECT_FALSE(pInfo->m_bDefaultImage);
        EXPECT_EQ(-1, pInfo->m_nHotIndex) << "no hot list";
        EXPECT_EQ(pInfo->m_pImageList == organizer.GetImageInfo(201)->m_pImageList, row.nBar == 0) << row.nID;
    }
    EXPECT_TRUE(organizer.GetImageInfo(0) == NULL) << "separators have no image";
    organizer.DetachFrameWnd();
}

}   // namespace

namespace {

TEST(BitmapMenuOrganizer, HotImagesAreAppendedToTheCommandsList)
{
    COXBitmapMenuOrganizer organizer;
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    EXPECT_FALSE(organizer.SetMenuHotIcon(300, hIcon)) << "a hot image needs an image first";
    ASSERT_TRUE(organizer.SetMenuIcon(300, hIcon, 16, 16));
    ASSERT_TRUE(organizer.SetMenuHotIcon(300, ::LoadIcon(NULL, IDI_WARNING)));
    COXImageInfo* pInfo = organizer.GetImageInfo(300);
    EXPECT_EQ(0, pInfo->m_nIndex);
    EXPECT_EQ(1, pInfo->m_nHotIndex);
    EXPECT_EQ(2, pInfo->m_pImageList->GetImageCount());
    CBitmap bitmap;
    CPixelCanvas canvas(16, 16);
    bitmap.Attach(::CreateCompatibleBitmap(canvas.dc.GetSafeHdc(), 16, 16));
    ASSERT_TRUE(organizer.SetMenuHotBitmap(300, &bitmap, kWhite));
    EXPECT_EQ(2, pInfo->m_nHotIndex);
    EXPECT_FALSE(organizer.SetMenuIcon(301, (UINT)12345)) << "no such icon";
    EXPECT_TRUE(organizer.GetImageInfo(301) == NULL);
}

}   // namespace

namespace {

// An item that opens a submenu shows its arrow wherever it is drawn (the
// customization popup, a preview), and keeps the arrow the system draws
// after an owner-drawn item from landing on it.
TEST(BitmapMenu, SubmenuItemDrawsItsOwnArrowAndKeepsTheSystemsOff)
{
    COXBitmapMenuOrganizer organizer;
    HMENU hMenu = MakeMenu("10 [sub]");
    COXBitmapMenu menu;
    menu.Attach(hMenu);
    organizer.ConvertMenu(&menu, TRUE);
    MEASUREITEMSTRUCT mis[2] = {};
    MENUITEMINFOA mii[2] = {};
    for (int i = 0; i < 2; ++i) {
        mii[i].cbSize = sizeof(mii[i]);
        mii[i].fMask = MIIM_DATA;
        ::GetMenuItemInfoA(hMenu, i, TRUE, &mii[i]);
        mis[i] = {ODT_MENU, 0, i == 0 ? 10u : (UINT)-1, 0, 0, mii[i].dwItemData};
        menu.MeasureItem(&mis[i]);
    }
    const int cx = 200, y = (int)mis[0].itemHeight, cy = (int)mis[1].itemHeight;
    CPixelCanvas canvas(cx, y + cy);
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, (UINT)-1, ODA_DRAWENTIRE, 0, NULL, canvas.dc.GetSafeHdc(), {0, y, cx, y + cy},
                          mii[1].dwItemData};
    menu.DrawItem(&dis);
    // The arrow: text-coloured pixels at the item's right end.
    const COLORREF clrText = ::GetSysColor(COLOR_MENUTEXT);
    int nArrow = 0;
    for (int x = cx - 20; x < cx; ++x)
        for (int yy = y; yy < y + cy; ++yy)
            nArrow += canvas.At(x, yy) == clrText;
    EXPECT_GT(nArrow, 6) << "no submenu arrow";
    // What the system draws there after the item stays off.
    CBrush red(kRed);
    canvas.dc.FillRect(CRect(cx - 12, y, cx, y + cy), &red);
    EXPECT_EQ(0, canvas.Count(kRed)) << "the system's arrow would cover the skin's";
    canvas.dc.SelectClipRgn(NULL);
    menu.Detach();
    ::DestroyMenu(hMenu);
}

}   // namespace
