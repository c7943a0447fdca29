// The menu bar: the MDI buttons' rectangles, keyboard positions, mnemonics,
// the saved block and command records as tables; placement under a bar
// button; and SDI and MDI frames that hand their menus to the bar, driven by
// real messages: popups dropped and closed, keys, the maximized child's
// items, customization, the profile across a restart.
#include <afxwin.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "OXBitmapMenu.h"
#include "OXBitmapMenuOrganizer.h"
#include "OXMenuBar.h"
#include "OXShadowedItemWnd.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// ---------------------------------------------------------------------------
// Rules free of windows
// ---------------------------------------------------------------------------
TEST(MenuBarRules, MDIButtonsFollowTheBarsThickness)
{
    struct Row {
        BOOL bHorz;
        int cx, cy;
        BOOL bBoxes;
        CRect close, restore, minimize;
        int nExtra;
    } rows[] = {
        {TRUE, 400, 16, TRUE, {382, 2, 396, 14}, {366, 2, 380, 14}, {352, 2, 366, 14}, 56},
        {TRUE, 400, 22, TRUE, {380, 4, 396, 18}, {362, 4, 378, 18}, {346, 4, 362, 18}, 62},
        {TRUE, 400, 30, TRUE, {380, 8, 396, 22}, {362, 8, 378, 22}, {346, 8, 362, 22}, 62},
        {TRUE, 400, 22, FALSE, {380, 4, 396, 18}, {0, 0, 0, 0}, {0, 0, 0, 0}, 26},
        {FALSE, 16, 300, TRUE, {2, 282, 14, 296}, {2, 266, 14, 280}, {2, 252, 14, 266}, 56},
        {FALSE, 22, 300, TRUE, {4, 280, 18, 296}, {4, 262, 18, 278}, {4, 246, 18, 262}, 62},
        {FALSE, 30, 300, TRUE, {8, 280, 22, 296}, {8, 262, 22, 278}, {8, 246, 22, 262}, 62},
    };
    for (const Row& row : rows) {
        CRect close, restore, minimize;
        const int nExtra =
            COXMenuBar::LayoutMDIButtons(row.bHorz, row.cx, row.cy, row.bBoxes, close, restore, minimize);
        const std::string name = std::string(row.bHorz ? "horizontal " : "vertical ") +
                                 std::to_string(row.bHorz ? row.cy : row.cx) + (row.bBoxes ? "" : " no boxes");
        EXPECT_EQ(row.close, close) << name;
        EXPECT_EQ(row.restore, restore) << name;
        EXPECT_EQ(row.minimize, minimize) << name;
        EXPECT_EQ(row.nExtra, nExtra) << name;
    }
}

TEST(MenuBarRules, PreviousAndNextPositionsWrapThroughTheSystemMenu)
{
    // Four items; the system menu is position 4 while an MDI icon shows.
    struct Row { int nPos; BOOL bIcon; int nPrevious, nNext; } rows[] = {
        {-1, FALSE, 0, 0}, {-1, TRUE, 4, 4},   {0, FALSE, 3, 1}, {0, TRUE, 4, 1},
        {2, FALSE, 1, 3},  {3, FALSE, 2, 0},   {3, TRUE, 2, 4},  {4, TRUE, 3, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.nPrevious, COXMenuBar::PreviousPosition(row.nPos, 4, row.bIcon))
            << "previous of " << row.nPos << (row.bIcon ? " with icon" : "");
        EXPECT_EQ(row.nNext, COXMenuBar::NextPosition(row.nPos, 4, row.bIcon))
            << "next of " << row.nPos << (row.bIcon ? " with icon" : "");
    }
}

TEST(MenuBarRules, MnemonicIsTheFirstMarkedCharacterUpperCased)
{
    struct Row { const char* text; BYTE ch; } rows[] = {
        {"&File", 'F'}, {"f&ile", 'I'}, {"&&Both &Edit", 'E'}, {"No mark", 0},
        {"&\xF4\xE0\xE9\xEB", 0xD4},   // the user's code page folds it
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.ch, COXMenuBar::MnemonicOf(row.text)) << row.text;
}

TEST(MenuBarRules, PlacementUnderAButtonStaysOnTheMonitor)
{
    const CRect monitor(0, 0, 800, 600);
    struct Row {
        const char* name;
        BOOL bHorz;
        CRect button;
        CSize menu;
        UINT nFlags;
        CPoint pt;
        int nSide;
    } rows[] = {
        {"below", TRUE, {100, 20, 140, 40}, {150, 200}, 0, {100, 39}, OXSIW_BELOW},
        {"kept inside at the right", TRUE, {700, 20, 740, 40}, {150, 200}, 0, {650, 39}, OXSIW_BELOW},
        {"above near the bottom", TRUE, {100, 560, 140, 580}, {150, 200}, TPM_BOTTOMALIGN, {100, 561},
         OXSIW_ABOVE},
        {"right of a vertical bar", FALSE, {0, 100, 30, 120}, {150, 200}, 0, {30, 101}, OXSIW_RIGHT},
        {"left near the right edge", FALSE, {770, 100, 800, 120}, {150, 200}, TPM_RIGHTALIGN, {770, 101},
         OXSIW_LEFT},
        {"moved up to end above the bottom", FALSE, {0, 500, 30, 520}, {150, 200}, 0, {30, 399}, OXSIW_RIGHT},
    };
    for (const Row& row : rows) {
        CPoint pt;
        int nSide = 0;
        EXPECT_EQ(row.nFlags, COXBitmapMenu::PlaceUnderBarButton(row.bHorz, row.button, row.menu, monitor, pt, nSide))
            << row.name;
        EXPECT_EQ(row.pt, pt) << row.name;
        EXPECT_EQ(row.nSide, nSide) << row.name;
    }
}

TEST(MenuBarRules, ShadowedItemLeavesOpenTheSideTouchingThePopup)
{
    struct Row { int nSide; BOOL l, t, r, b; int nBands; } rows[] = {
        {OXSIW_BELOW, TRUE, TRUE, TRUE, FALSE, 1},
        {OXSIW_RIGHT, TRUE, TRUE, FALSE, TRUE, 2},
        {OXSIW_ABOVE, TRUE, FALSE, TRUE, TRUE, 3},
        {OXSIW_LEFT, FALSE, TRUE, TRUE, TRUE, 3},
    };
    for (const Row& row : rows) {
        BOOL l, t, r, b;
        int nBands;
        COXMenuSkin::ShadowedItemSides(row.nSide, l, t, r, b, nBands);
        EXPECT_EQ(row.l, l) << row.nSide;
        EXPECT_EQ(row.t, t) << row.nSide;
        EXPECT_EQ(row.r, r) << row.nSide;
        EXPECT_EQ(row.b, b) << row.nSide;
        EXPECT_EQ(row.nBands, nBands) << row.nSide;
    }
}

// The items of a menu as text: "id:text", "-" for a separator, "[text: ...]"
// for a submenu.
std::string Describe(HMENU hMenu)
{
    std::string s;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        if (!s.empty())
            s += " ";
        char szText[128] = "";
        ::GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        if (HMENU hSub = ::GetSubMenu(hMenu, i))
            s += std::string("[") + szText + ": " + Describe(hSub) + "]";
        else if (::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_SEPARATOR)
            s += "-";
        else
            s += std::to_string(::GetMenuItemID(hMenu, i)) + ":" + szText;
    }
    return s;
}

std::string Describe(const std::vector<OXMENUBARITEM>& items)
{
    std::string s;
    for (const OXMENUBARITEM& item : items) {
        if (!s.empty())
            s += " ";
        if (item.bPopup)
            s += "[" + item.strText + ": " + Describe(item.children) + "]";
        else if (item.nType & MFT_SEPARATOR)
            s += "-";
        else
            s += std::to_string(item.nID) + ":" + item.strText;
    }
    return s;
}

// A menu bar's menu: "&File" (New, a separator, Exit), "&Edit" (Copy and a
// "Find" submenu), and the top-level command "&Help" (id 300).
HMENU MakeBarMenu()
{
    HMENU hMenu = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, 101, "&New");
    ::AppendMenuA(hFile, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hFile, MF_STRING, 102, "E&xit");
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenuA(hEdit, MF_STRING, 201, "&Copy");
    HMENU hFind = ::CreatePopupMenu();
    ::AppendMenuA(hFind, MF_STRING, 211, "&Next");
    ::AppendMenuA(hEdit, MF_POPUP, (UINT_PTR)hFind, "&Find");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hEdit, "&Edit");
    ::AppendMenuA(hMenu, MF_STRING, 300, "&Help");
    return hMenu;
}

TEST(MenuBarRules, SavedBlockRoundTripsAndAShortOrDeepOneIsRefusedWhole)
{
    HMENU hMenu = MakeBarMenu();
    std::vector<BYTE> block = COXMenuBar::WriteMenuBlock(hMenu);
    std::vector<OXMENUBARITEM> items;
    ASSERT_TRUE(COXMenuBar::ReadMenuBlock(block.data(), (UINT)block.size(), items));
    EXPECT_EQ(Describe(hMenu), Describe(items));
    // The layout an archive writes: count, then type, popup flag, id and a
    // counted string per item.
    const BYTE head[] = {3, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 5, '&', 'F', 'i', 'l', 'e', 3, 0, 0, 0};
    ASSERT_GE(block.size(), sizeof(head));
    EXPECT_EQ(0, memcmp(block.data(), head, sizeof(head)));

    std::vector<OXMENUBARITEM> kept = items;
    for (UINT n = 0; n < block.size(); ++n)
        EXPECT_FALSE(COXMenuBar::ReadMenuBlock(block.data(), n, kept)) << "cut at " << n;
    EXPECT_EQ(Describe(hMenu), Describe(kept)) << "a refused block leaves the items";

    // A count far beyond the bytes, and popups nested 17 deep.
    std::vector<BYTE> lying = {0xFF, 0xFF, 0xFF, 0x0F, 0, 0, 0, 0};
    EXPECT_FALSE(COXMenuBar::ReadMenuBlock(lying.data(), (UINT)lying.size(), kept));
    std::vector<BYTE> deep;
    for (int i = 0; i < 17; ++i) {
        const BYTE level[] = {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 'x'};
        deep.insert(deep.end(), level, level + sizeof(level));
    }
    const BYTE leaf[] = {0, 0, 0, 0};
    deep.insert(deep.end(), leaf, leaf + 4);
    EXPECT_FALSE(COXMenuBar::ReadMenuBlock(deep.data(), (UINT)deep.size(), kept));
    // 16 levels read.
    std::vector<BYTE> sixteen(deep.begin() + 18, deep.end());
    EXPECT_TRUE(COXMenuBar::ReadMenuBlock(sixteen.data(), (UINT)sixteen.size(), kept));
    ::DestroyMenu(hMenu);
}

// One command record: id, text, image index and style (skipped), continuation.
void Record(std::vector<BYTE>& out, int nID, const char* lpszText, int nCode)
{
    for (int i = 0; i < 4; ++i)
        out.push_back((BYTE)((DWORD)nID >> (8 * i)));
    out.insert(out.end(), lpszText, lpszText + strlen(lpszText) + 1);
    for (int i = 0; i < 5; ++i)
        out.push_back(0xAA);
    for (int i = 0; i < 4; ++i)
        out.push_back((BYTE)((DWORD)nCode >> (8 * i)));
}

// Dropped records go into a menu through the drag data's one bounded reader:
// a submenu's records follow the item opening it, also when that item is the
// last of its own menu (continuation 2); 0 ends the block.
TEST(MenuBarRules, BuildMenuInsertsDroppedRecordsWholeOrNotAtAll)
{
    std::vector<BYTE> good;
    Record(good, 501, "One", 1);
    Record(good, -1, "Sub", 1);
    Record(good, 502, "Inner", 2);
    Record(good, 0, "", 1);
    Record(good, -1, "Last", 2);
    Record(good, 503, "Deepest", 0);
    Record(good, 504, "Never read", 0);
    COXMenuBar bar;
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, 100, "Before");
    ::AppendMenuA(hMenu, MF_STRING, 101, "After");
    ASSERT_TRUE(bar.BuildMenu(good.data(), (UINT)good.size(), hMenu, 1));
    const std::string strBuilt = "100:Before 501:One [Sub: 502:Inner] - [Last: 503:Deepest] 101:After";
    EXPECT_EQ(strBuilt, Describe(hMenu));

    std::vector<BYTE> noNul;
    Record(noNul, 501, "One", 0);
    noNul.resize(7);   // the text's terminator is gone
    std::vector<BYTE> noEnd;
    Record(noEnd, 501, "One", 1);   // no record ends the menu
    std::vector<BYTE> deep;
    for (int i = 0; i < 17; ++i)
        Record(deep, -1, "Sub", 1);
    Record(deep, 501, "Leaf", 0);
    std::vector<BYTE> badCode;
    Record(badCode, 501, "One", 3);
    std::vector<BYTE> empty;
    struct Bad { const char* name; const std::vector<BYTE>* block; } bad[] = {
        {"no NUL", &noNul}, {"no final 0", &noEnd}, {"17 deep", &deep}, {"continuation 3", &badCode},
        {"empty", &empty}};
    for (const Bad& b : bad) {
        EXPECT_FALSE(bar.BuildMenu(b.block->data(), (UINT)b.block->size(), hMenu, 0)) << b.name;
        EXPECT_EQ(strBuilt, Describe(hMenu)) << b.name << ": nothing inserted";
    }
    ::DestroyMenu(hMenu);
}

// ---------------------------------------------------------------------------
// Frames that hand their menus to a bar
// ---------------------------------------------------------------------------

// The frame glue: the frame's own menu is hidden and handed to the bar; its
// keys go to the bar first. The bar is made once the frame is.
template <class TFrame>
class CMenuBarGlue : public TFrame
{
public:
    COXMenuBar m_bar;

    void OnUpdateFrameMenu(HMENU hMenuAlt) override
    {
        m_bar.TakeFrameMenu(hMenuAlt != NULL ? hMenuAlt : COXMenuBar::FrameMenuFor(this));
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return m_bar.TranslateFrameKey(pMsg) || TFrame::PreTranslateMessage(pMsg);
    }
};

class CBarFrame : public CMenuBarGlue<CFrameWnd>
{
public:
    std::vector<UINT> commands;
    std::vector<UINT> loops;   // WM_ENTERMENULOOP, WM_EXITMENULOOP in order
    // Those of the bar's own loop (wParam FALSE); a tracked popup adds the
    // system's, with wParam TRUE.
    std::vector<UINT> barLoops;
    std::vector<CString> loadedSections, savedSections;
    BOOL bVetoDelete = FALSE;
    std::vector<int> beginDrags;   // the items of TBN_BEGINDRAG
    std::vector<OXMENUBARPOPUP> customizationPopups;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        // Menu commands and accelerators.
        if (HIWORD(wParam) <= 1 && lParam == 0)
            commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_ENTERMENULOOP || nMsg == WM_EXITMENULOOP)
            loops.push_back(nMsg);
        if ((nMsg == WM_ENTERMENULOOP || nMsg == WM_EXITMENULOOP) && wParam == FALSE)
            barLoops.push_back(nMsg);
        if (nMsg == WM_MENUBAR_MENULOADED)
            loadedSections.push_back((LPCTSTR)lParam);
        if (nMsg == WM_MENUBAR_MENUSAVED)
            savedSections.push_back((LPCTSTR)lParam);
        if (nMsg == WM_NOTIFY && ((NMHDR*)lParam)->code == TBN_BEGINDRAG)
            beginDrags.push_back(((NMTOOLBARA*)lParam)->iItem);
        if (nMsg == WM_NOTIFY && ((NMHDR*)lParam)->code == OXCTBN_CUSTOMIZE) {
            const OXCTBNOTIFY* pNotify = (const OXCTBNOTIFY*)lParam;
            if (pNotify->nCommand == ID_OXMENUBAR_DELETE)
                return bVetoDelete;
            if (pNotify->nCommand == ID_OXMENUBAR_CUSTOMIZEPOPUP)
                customizationPopups.push_back(*(const OXMENUBARPOPUP*)pNotify->pData);
            return 0;
        }
        return CFrameWnd::WindowProc(nMsg, wParam, lParam);
    }
};

// The frame as the application's main window for a test.
class CMainWndScope
{
public:
    explicit CMainWndScope(CWnd* pWnd) : m_pSaved(AfxGetApp()->m_pMainWnd) { AfxGetApp()->m_pMainWnd = pWnd; }
    ~CMainWndScope() { AfxGetApp()->m_pMainWnd = m_pSaved; }
    CWnd* m_pSaved;
};

// The centre of a bar button in the bar's client coordinates.
CPoint ButtonCentre(COXMenuBar& bar, int nPos)
{
    CRect rect;
    bar.SendMessage(TB_GETITEMRECT, nPos, (LPARAM)&rect);
    return rect.CenterPoint();
}

void Click(CWnd& wnd, CPoint pt)
{
    wnd.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// A press and release at a point on the screen, as real input: a menu loop
// sees it as it sees the user's.
void ClickOnScreen(CPoint pt)
{
    INPUT inputs[3] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_MOUSE;
    inputs[0].mi.dx = MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, inputs, sizeof(INPUT));
}

// The menu of a shown popup window.
HMENU MenuOf(HWND hPopup)
{
    return (HMENU)::SendMessageA(hPopup, 0x01E1 /* MN_GETHMENU */, 0, 0);
}

struct CSdiFixture : public ::testing::Test
{
    CScopedFrame<CBarFrame> frame;
    HMENU hMenu = NULL;
    std::unique_ptr<CMainWndScope> main;

    void SetUp() override
    {
        // The pointer away from the bar, so that no hot item follows it.
        ASSERT_TRUE(PlaceCursor(CPoint(::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5)));
        ASSERT_TRUE(frame.Create("Menu bar", CRect(40, 40, 560, 400)));
        ASSERT_TRUE(frame->m_bar.Create(frame));
        main.reset(new CMainWndScope(frame));
        frame->m_bAutoMenuEnable = FALSE;
        hMenu = MakeBarMenu();
        frame->m_hMenuDefault = hMenu;
        frame.Show();
        frame->OnUpdateFrameMenu(NULL);
        frame->RecalcLayout();
        PumpPending();
    }
    // The main window's end would post a quit for the tests that follow.
    void TearDown() override
    {
        main.reset();
        frame.Destroy();
        if (hMenu != NULL && ::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
    }
};

TEST_F(CSdiFixture, FrameHandsItsMenuToTheBarOneButtonPerItem)
{
    COXMenuBar& bar = frame->m_bar;
    EXPECT_TRUE(::GetMenu(frame->m_hWnd) == NULL) << "the frame's own menu is hidden";
    EXPECT_EQ(hMenu, bar.GetMenu());
    ASSERT_EQ(3, (int)bar.SendMessage(TB_BUTTONCOUNT));
    const char* texts[] = {"&File", "&Edit", "&Help"};
    for (int i = 0; i < 3; ++i) {
        TBBUTTON button = {};
        bar.SendMessage(TB_GETBUTTON, i, (LPARAM)&button);
        EXPECT_EQ(i + 1, button.idCommand);
        EXPECT_EQ(-1, button.iBitmap);
        EXPECT_EQ(TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, button.fsStyle);
        EXPECT_EQ((DWORD_PTR)i, button.dwData);
        EXPECT_STREQ(texts[i], bar.GetMenuText(i));
    }
    EXPECT_TRUE(bar.IsWindowVisible());
    // Button widths follow their texts.
    CRect rectFile, rectHelp;
    bar.SendMessage(TB_GETITEMRECT, 0, (LPARAM)&rectFile);
    bar.SendMessage(TB_GETITEMRECT, 2, (LPARAM)&rectHelp);
    EXPECT_GT(rectFile.Width(), 0);

    // A menu without items: a bar without buttons; no menu: no bar.
    HMENU hEmpty = ::CreateMenu();
    bar.SetMenu(hEmpty);
    EXPECT_EQ(0, (int)bar.SendMessage(TB_BUTTONCOUNT));
    EXPECT_TRUE(bar.IsWindowVisible());
    bar.SetMenu(NULL);
    EXPECT_FALSE(bar.IsWindowVisible()) << "a NULL menu hides the bar";
    bar.SetMenu(hMenu);
    EXPECT_TRUE(bar.IsWindowVisible());
    ::DestroyMenu(hEmpty);
}

TEST_F(CSdiFixture, ClickDropsThePopupBelowItsButtonAndACommandItemFiresAtOnce)
{
    COXMenuBar& bar = frame->m_bar;
    HWND hShown = NULL;
    HMENU hShownMenu = NULL;
    int nOpenItem = -2;
    CRect rectPopup, rectButton;
    CMenuWatch watch([&](HWND hPopup) {
        hShown = hPopup;
        hShownMenu = MenuOf(hPopup);
        nOpenItem = bar.GetPopupItem();
        ::GetWindowRect(hPopup, &rectPopup);
        ::EndMenu();
    });
    bar.SendMessage(TB_GETITEMRECT, 1, (LPARAM)&rectButton);
    bar.ClientToScreen(rectButton);
    Click(bar, ButtonCentre(bar, 1));
    ASSERT_TRUE(PumpUntil([&] { return watch.Acted() && !bar.IsPopupOpen(); }, kWaitMs)) << "the popup never showed";
    EXPECT_EQ(::GetSubMenu(hMenu, 1), hShownMenu);
    EXPECT_EQ(1, nOpenItem);
    EXPECT_EQ(rectButton.bottom - 1, rectPopup.top) << "dropped below the button";
    EXPECT_EQ(rectButton.left, rectPopup.left);
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONPRESSED, 2)) << "the button is released when the popup closes";
    ASSERT_GE(frame->loops.size(), 2u);
    EXPECT_EQ((UINT)WM_ENTERMENULOOP, frame->loops.front());
    EXPECT_EQ((UINT)WM_EXITMENULOOP, frame->loops.back());

    // The top-level command fires and no popup shows.
    frame->commands.clear();
    Click(bar, ButtonCentre(bar, 2));
    ASSERT_TRUE(PumpUntil([&] { return !frame->commands.empty(); }, kWaitMs));
    EXPECT_EQ(300u, frame->commands[0]);
    EXPECT_TRUE(ShownMenu() == NULL);
}

TEST_F(CSdiFixture, KeysOpenPopupsMoveAlongTheBarAndReturnToMenuMode)
{
    COXMenuBar& bar = frame->m_bar;
    frame->SetForegroundWindow();
    frame->SetFocus();
    auto Key = [&](UINT nMsg, UINT nKey) {
        MSG msg = {frame->m_hWnd, nMsg, nKey, 0};
        return frame->PreTranslateMessage(&msg);
    };
    // Alt pressed and released alone: menu mode on the first item.
    Key(WM_SYSKEYDOWN, VK_MENU);
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_MENU));
    EXPECT_TRUE(bar.IsInMenuMode());
    EXPECT_EQ(0, (int)bar.SendMessage(TB_GETHOTITEM));
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_RIGHT));
    EXPECT_EQ(1, (int)bar.SendMessage(TB_GETHOTITEM));
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_LEFT));
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_LEFT));
    EXPECT_EQ(2, (int)bar.SendMessage(TB_GETHOTITEM)) << "Left from the first item wraps to the last";
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_FALSE(bar.IsInMenuMode());
    // F10 too.
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_F10));
    EXPECT_TRUE(bar.IsInMenuMode());
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_F10));
    EXPECT_FALSE(bar.IsInMenuMode());

    // Alt+E opens Edit; Right in it goes on to the Help command... which is
    // a command: the popup stays. Left goes to File; Esc there returns to
    // menu mode on File.
    std::vector<HMENU> shown;
    std::vector<int> steps;
    CMenuWatch first([&](HWND hPopup) {
        shown.push_back(MenuOf(hPopup));
        ::PostMessageA(hPopup, WM_KEYDOWN, VK_LEFT, 0);
    });
    frame->commands.clear();
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'E'));
    ASSERT_TRUE(first.Acted()) << "Alt+E showed no popup";
    ASSERT_TRUE(PumpUntil([&] { return bar.IsPopupOpen() || ShownMenu() != NULL; }, kWaitMs))
        << "Left did not open the previous popup";
    std::unique_ptr<CMenuWatch> second(new CMenuWatch([&](HWND hPopup) {
        shown.push_back(MenuOf(hPopup));
        ::PostMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
    }));
    ASSERT_TRUE(PumpUntil([&] { return second->Acted() && !bar.IsPopupOpen(); }, kWaitMs));
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(::GetSubMenu(hMenu, 1), shown[0]);
    EXPECT_EQ(::GetSubMenu(hMenu, 0), shown[1]);
    EXPECT_TRUE(bar.IsInMenuMode()) << "Esc in a popup goes back to menu mode";
    EXPECT_EQ(0, (int)bar.SendMessage(TB_GETHOTITEM));
    Key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(bar.IsInMenuMode());
    // Ctrl+letter is no mnemonic.
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_FALSE(bar.HandleMenuKey('F'));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(CSdiFixture, SecondClickOnTheOpenButtonClosesItsPopup)
{
    COXMenuBar& bar = frame->m_bar;
    int nShown = 0;
    // The second click lands on the open button while the popup is up: the
    // system's loop ends the menu and the bar must not open it again.
    CRect rectFile;
    bar.SendMessage(TB_GETITEMRECT, 0, (LPARAM)&rectFile);
    bar.ClientToScreen(rectFile);
    const CPoint pt = rectFile.CenterPoint();
    CMenuWatch watch([&](HWND) {
        ++nShown;
        ClickOnScreen(pt);
    });
    Click(bar, ButtonCentre(bar, 0));
    ASSERT_TRUE(PumpUntil([&] { return watch.Acted(); }, kWaitMs));
    ASSERT_TRUE(PumpUntil([&] { return ShownMenu() == NULL && !bar.IsPopupOpen(); }, kWaitMs));
    EXPECT_FALSE(watch.EndedAMenu()) << "the second click did not close the popup";
    // Nothing reopens once the queue is drained.
    PumpPastTimer(50);
    EXPECT_TRUE(ShownMenu() == NULL) << "the popup came back";
    EXPECT_EQ(1, nShown);
}

TEST_F(CSdiFixture, CustomizedMenuComesBackPerDocumentClassAcrossARestart)
{
    COXMenuBar& bar = frame->m_bar;
    ::AfxGetApp()->WriteProfileString(COXMenuBar::SectionFor(NULL), NULL, NULL);
    // Customizing: the Help item deleted, the menu saved with no document.
    bar.SetCustomizationMode(TRUE, frame->m_hWnd);
    bar.SetCustomizedButton(2);
    frame->bVetoDelete = TRUE;
    bar.SendMessage(WM_COMMAND, ID_OXMENUBAR_DELETE);
    EXPECT_EQ(3, (int)bar.SendMessage(TB_BUTTONCOUNT)) << "the receiver vetoed the delete";
    frame->bVetoDelete = FALSE;
    bar.SetCustomizedButton(2);
    bar.SendMessage(WM_COMMAND, ID_OXMENUBAR_DELETE);
    EXPECT_EQ(2, (int)bar.SendMessage(TB_BUTTONCOUNT));
    EXPECT_EQ(2, ::GetMenuItemCount(hMenu));
    bar.SetCustomizationMode(FALSE);
    EXPECT_TRUE(bar.SaveBarState(NULL, NULL));
    ASSERT_EQ(1u, frame->savedSections.size());
    EXPECT_STREQ("Menu_Default~!@#$#$%^", frame->savedSections[0]);

    // A new program start: the resource menu again, the saved one shown.
    main.reset();
    frame.Destroy();
    CScopedFrame<CBarFrame> again;
    ASSERT_TRUE(again.Create("Menu bar again", CRect(40, 40, 560, 400)));
    ASSERT_TRUE(again->m_bar.Create(again));
    std::unique_ptr<CMainWndScope> scope(new CMainWndScope(again));
    HMENU hFresh = MakeBarMenu();
    again->m_hMenuDefault = hFresh;
    again.Show();
    again->OnUpdateFrameMenu(NULL);
    EXPECT_EQ("[&File: 101:&New - 102:E&xit] [&Edit: 201:&Copy [&Find: 211:&Next]]", Describe(hFresh));
    EXPECT_EQ(2, (int)again->m_bar.SendMessage(TB_BUTTONCOUNT));
    ASSERT_FALSE(again->loadedSections.empty());
    EXPECT_STREQ("Menu_Default~!@#$#$%^", again->loadedSections.back());

    // A truncated block leaves the live menu as it is.
    HMENU hLive = MakeBarMenu();
    std::vector<BYTE> block = COXMenuBar::WriteMenuBlock(hLive);
    ::AfxGetApp()->WriteProfileBinary("Menu_CTruncated", "MenuItems", block.data(), (UINT)block.size() - 3);
    ::AfxGetApp()->WriteProfileInt("Menu_CTruncated", "MenuDataSize", (int)block.size());
    const std::string before = Describe(hLive);
    ASSERT_FALSE(before.empty());
    EXPECT_FALSE(again->m_bar.LoadMenu(hLive, "CTruncated"));
    EXPECT_EQ(before, Describe(hLive)) << "a truncated block left the menu changed";
    ::DestroyMenu(hLive);
    scope.reset();
    again.Destroy();
    ::DestroyMenu(hFresh);
    ::AfxGetApp()->WriteProfileString(COXMenuBar::SectionFor(NULL), NULL, NULL);
    ::AfxGetApp()->WriteProfileString("Menu_CTruncated", NULL, NULL);
}

TEST_F(CSdiFixture, ConvertedMenuSavesItsItemsAsStrings)
{
    COXBitmapMenuOrganizer organizer;
    ASSERT_TRUE(organizer.AttachFrameWnd(frame));
    HMENU hFile = ::GetSubMenu(hMenu, 0);
    organizer.OnInitMenuPopup(CMenu::FromHandle(hFile), 0, FALSE);
    ASSERT_TRUE(::GetMenuState(hFile, 0, MF_BYPOSITION) & MF_OWNERDRAW) << "the popup was not converted";
    std::vector<BYTE> block = COXMenuBar::WriteMenuBlock(hMenu);
    std::vector<OXMENUBARITEM> items;
    ASSERT_TRUE(COXMenuBar::ReadMenuBlock(block.data(), (UINT)block.size(), items));
    ASSERT_EQ(3u, items[0].children.size());
    EXPECT_EQ("&New", items[0].children[0].strText);
    EXPECT_EQ(0u, items[0].children[0].nType & MFT_OWNERDRAW) << "saved as a plain string";
    organizer.DetachFrameWnd();
}

TEST_F(CSdiFixture, CustomizationDeleteIsVetoedByTheReceiverAndDragsStartAfterTheHold)
{
    COXMenuBar& bar = frame->m_bar;
    bar.SetCustomizationMode(TRUE, frame->m_hWnd);
    // No popup of its own in customization mode: the receiver is asked.
    CMenuWatch none([](HWND) { ::EndMenu(); }, 500);
    bar.DropDown(0);
    EXPECT_FALSE(none.Acted()) << "customization mode dropped a system popup";
    EXPECT_FALSE(bar.IsPopupOpen());
    ASSERT_EQ(1u, frame->customizationPopups.size());
    EXPECT_EQ(::GetSubMenu(hMenu, 0), frame->customizationPopups[0].hMenu);

    // A press held 200 ms on a button asks the parent for a drag.
    bar.SetSecondButtonIndex(-1);
    CPoint pt = ButtonCentre(bar, 1);
    CRect rect;
    bar.SendMessage(TB_GETITEMRECT, 1, (LPARAM)&rect);
    bar.ClientToScreen(rect);
    PlaceCursor(rect.CenterPoint());
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = 0x80;
    ::SetKeyboardState(keys);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_NE(0u, (UINT)bar.m_nDragTimer);
    EXPECT_EQ(1, bar.m_nDragItem);
    frame->beginDrags.clear();
    ASSERT_TRUE(PumpUntil([&] { return bar.m_nDragTimer == 0; }, kWaitMs));
    ASSERT_EQ(1u, frame->beginDrags.size()) << "no drag asked after the hold";
    EXPECT_EQ(2, frame->beginDrags[0]);
    keys[VK_LBUTTON] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(-1, bar.m_nDragItem);
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    if (::GetCapture() == bar.m_hWnd)
        ::ReleaseCapture();
    bar.SetCustomizationMode(FALSE);
}

// ---------------------------------------------------------------------------
// MDI
// ---------------------------------------------------------------------------
class CBarMDIChild : public CMDIChildWnd
{
public:
    void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override;
};

typedef CMenuBarGlue<CMDIFrameWnd> CBarMDIFrame;

void CBarMDIChild::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    if (HMENU hMenu = COXMenuBar::ChildMenuFor(this, bActivate, pActivateWnd, hMenuAlt))
        static_cast<CBarMDIFrame*>(GetMDIFrame())->m_bar.TakeFrameMenu(hMenu);
}

struct CMdiFixture : public ::testing::Test
{
    CBarMDIFrame* pFrame = NULL;
    HWND hFrame = NULL;
    HMENU hFrameMenu = NULL, hChildMenu = NULL;
    std::unique_ptr<CMainWndScope> main;

    void SetUp() override
    {
        pFrame = new CBarMDIFrame;
        hFrameMenu = ::CreateMenu();
        HMENU hWindow = ::CreatePopupMenu();
        ::AppendMenuA(hWindow, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
        ::AppendMenuA(hFrameMenu, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "&File");
        ::AppendMenuA(hFrameMenu, MF_POPUP, (UINT_PTR)hWindow, "&Window");
        hChildMenu = MakeBarMenu();
        HMENU hWindow2 = ::CreatePopupMenu();
        ::AppendMenuA(hWindow2, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
        ::AppendMenuA(hChildMenu, MF_POPUP, (UINT_PTR)hWindow2, "&Window");
        ASSERT_TRUE(pFrame->Create(NULL, "MDI menu bar", WS_OVERLAPPEDWINDOW, CRect(30, 30, 630, 450)));
        ASSERT_TRUE(pFrame->m_bar.Create(pFrame));
        hFrame = pFrame->m_hWnd;
        pFrame->m_hMenuDefault = hFrameMenu;
        main.reset(new CMainWndScope(pFrame));
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->OnUpdateFrameMenu(NULL);
        pFrame->RecalcLayout();
        PumpPending();
    }
    CBarMDIChild* NewChild(HMENU hShared, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW)
    {
        CBarMDIChild* pChild = new CBarMDIChild;
        pChild->m_hMenuShared = hShared;
        if (!pChild->Create(NULL, "Child", dwStyle, CRect(0, 0, 200, 150), pFrame))
            return NULL;
        PumpPending();
        return pChild;
    }
    void TearDown() override
    {
        main.reset();
        if (::IsWindow(hFrame))
            pFrame->DestroyWindow();
        ::DestroyMenu(hFrameMenu);
        ::DestroyMenu(hChildMenu);
    }
};

TEST_F(CMdiFixture, ChildrenSwitchTheBarsMenuAndAMaximizedOneShowsItsButtons)
{
    COXMenuBar& bar = pFrame->m_bar;
    EXPECT_EQ(hFrameMenu, bar.GetMenu());
    CBarMDIChild* pChild = NewChild(hChildMenu);
    ASSERT_TRUE(pChild != NULL);
    pFrame->MDIActivate(pChild);
    PumpPending();
    EXPECT_EQ(hChildMenu, bar.GetMenu()) << "the active child's menu";
    EXPECT_EQ(4, (int)bar.SendMessage(TB_BUTTONCOUNT));
    EXPECT_TRUE(::GetMenu(hFrame) == NULL);
    EXPECT_TRUE(bar.GetIcon() == NULL);

    pFrame->MDIMaximize(pChild);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    pFrame->RecalcLayout();
    PumpPending();
    EXPECT_TRUE(bar.GetIcon() != NULL) << "a maximized child's icon";
    EXPECT_EQ(4, ::GetMenuItemCount(hChildMenu)) << "the system's own MDI items stay out of the menu";
    CRect rectWindow;
    bar.GetWindowRect(rectWindow);
    CRect close, restore, minimize;
    COXMenuBar::LayoutMDIButtons(TRUE, rectWindow.Width(), rectWindow.Height(), TRUE, close, restore, minimize);
    EXPECT_EQ(close, bar.GetCloseButtonRect());
    EXPECT_EQ(restore, bar.GetRestoreButtonRect());
    EXPECT_EQ(minimize, bar.GetMinimizeButtonRect());

    // Left from the first item goes to the system menu, Right from there
    // wraps to the first item.
    bar.EnterMenuMode(TRUE, 0);
    bar.HandleMenuKey(VK_LEFT);
    EXPECT_EQ(-1, (int)bar.SendMessage(TB_GETHOTITEM)) << "the system menu has no button";
    bar.HandleMenuKey(VK_RIGHT);
    EXPECT_EQ(0, (int)bar.SendMessage(TB_GETHOTITEM));
    bar.HandleMenuKey(VK_ESCAPE);

    // The icon's popup is the child's system menu.
    HMENU hShown = NULL;
    CMenuWatch watch([&](HWND hPopup) {
        hShown = MenuOf(hPopup);
        ::EndMenu();
    });
    bar.DropDown(4);
    ASSERT_TRUE(watch.Acted()) << "the system menu never showed";
    EXPECT_EQ(pChild->GetSystemMenu(FALSE)->GetSafeHmenu(), hShown);

    // The close button, pressed and released on it, closes the child.
    HWND hChild = pChild->m_hWnd;
    const CPoint ptClose = bar.GetCloseButtonRect().CenterPoint();
    CPoint ptScreen(rectWindow.left + ptClose.x, rectWindow.top + ptClose.y);
    EXPECT_EQ(HTCAPTION, (int)bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y)));
    bar.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptScreen.x, ptScreen.y));
    EXPECT_EQ(-4, bar.GetPressedMDIItem());
    CPoint ptClient(ptScreen);
    bar.ScreenToClient(&ptClient);
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM((short)ptClient.x, (short)ptClient.y));
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hChild); }, kWaitMs)) << "the child was not closed";
    PumpPending();
    EXPECT_EQ(hFrameMenu, bar.GetMenu()) << "no child: the frame's menu";
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(bar.GetIcon() == NULL);
}

TEST_F(CMdiFixture, SavedMenuLeavesTheWindowListOut)
{
    COXMenuBar& bar = pFrame->m_bar;
    CBarMDIChild* pChild = NewChild(hChildMenu);
    ASSERT_TRUE(pChild != NULL);
    pFrame->MDIActivate(pChild);
    PumpPending();
    HMENU hWindow = ::GetSubMenu(hChildMenu, 3);
    const int nWithList = ::GetMenuItemCount(hWindow);
    ASSERT_GE(nWithList, 3) << "the MDI client lists its child: " << Describe(hWindow);
    ASSERT_TRUE(bar.SaveMenu(hChildMenu, "CListDoc"));
    HMENU hRestored = ::CreateMenu();
    ASSERT_TRUE(bar.LoadMenu(hRestored, "CListDoc"));
    HMENU hRestoredWindow = ::GetSubMenu(hRestored, 3);
    ASSERT_TRUE(hRestoredWindow != NULL);
    EXPECT_EQ(std::to_string(ID_WINDOW_CASCADE) + ":&Cascade", Describe(hRestoredWindow))
        << "no window entries and no separator left hanging";
    EXPECT_EQ(hRestoredWindow, bar.GetWindowMenu()) << "the popup that held the list";
    ::DestroyMenu(hRestored);
    ::AfxGetApp()->WriteProfileString("Menu_CListDoc", NULL, NULL);
}

// ---------------------------------------------------------------------------
// Tracking under a bar button
// ---------------------------------------------------------------------------
TEST_F(CSdiFixture, BarPopupNearTheMonitorBottomOpensAboveWithItsShadowedItem)
{
    COXMenuBar& bar = frame->m_bar;
    MONITORINFO mi = {sizeof(mi)};
    ::GetMonitorInfoA(::MonitorFromWindow(frame->m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    // The frame at the monitor's bottom, its bar at the frame's top.
    frame->SetWindowPos(NULL, 40, mi.rcMonitor.bottom - 80, 520, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    frame->RecalcLayout();
    PumpPending();
    COXBitmapMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (int i = 0; i < 8; ++i)
        menu.AppendMenu(MF_STRING, 700 + i, "Item");
    CRect rectButton;
    bar.SendMessage(TB_GETITEMRECT, 1, (LPARAM)&rectButton);
    bar.ClientToScreen(rectButton);
    bar.PressButton(2, TRUE);
    CRect rectPopup, rectItemWnd, rectOwner;
    int nSide = 0;
    CMenuWatch watch([&](HWND hPopup) {
        ::GetWindowRect(hPopup, &rectPopup);
        rectOwner = menu.m_rectOwnerItem;
        HWND hItem = NULL;
        while ((hItem = ::FindWindowExA(::GetDesktopWindow(), hItem, NULL, NULL)) != NULL) {
            if (COXShadowedItemWnd* pItem =
                    DYNAMIC_DOWNCAST(COXShadowedItemWnd, CWnd::FromHandlePermanent(hItem))) {
                ::GetWindowRect(hItem, &rectItemWnd);
                nSide = pItem->m_nSide;
            }
        }
        ::EndMenu();
    });
    menu.TrackBarPopupMenu(&bar, frame, NULL);
    bar.PressButton(2, FALSE);
    ASSERT_TRUE(watch.Acted()) << "the menu never showed";
    EXPECT_EQ(rectButton.top + 1, rectPopup.bottom) << "opened above the button";
    EXPECT_EQ(rectButton, rectOwner);
    EXPECT_EQ(OXSIW_ABOVE, nSide);
    EXPECT_EQ(CRect(rectButton.left, rectButton.top + 1, rectButton.right + 4, rectButton.bottom + 3), rectItemWnd);
    EXPECT_TRUE(menu.m_rectOwnerItem.IsRectEmpty()) << "forgotten after tracking";
}

TEST_F(CSdiFixture, QuitPostedBeforeBarTrackingIsKeptForItsLoop)
{
    COXMenuBar& bar = frame->m_bar;
    COXBitmapMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 700, "Item");
    bar.PressButton(1, TRUE);
    ::PostQuitMessage(9);
    CMenuWatch watch([](HWND) { ::EndMenu(); }, 500);
    EXPECT_FALSE(menu.TrackBarPopupMenu(&bar, frame, NULL));
    bar.PressButton(1, FALSE);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 9)
        << "the quit was eaten";
    EXPECT_FALSE(watch.Acted()) << "a menu opened while the program quits";
}

}   // namespace

namespace {

// Dispatches as the program's loop does, the frame's keys through its
// PreTranslateMessage, until pred() holds or the time is up.
bool PumpFrameUntil(CFrameWnd* pFrame, const std::function<bool()>& pred, DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!pred()) {
        if (::GetTickCount64() > end)
            return pred();
        MSG msg;
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            return pred();
        }
        if (!pFrame->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return true;
}

// The ids of a shown popup's items.
std::vector<UINT> ItemIds(HMENU hMenu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
        ids.push_back(::GetMenuItemID(hMenu, i));
    return ids;
}

TEST_F(CSdiFixture, ReleaseOnTheExpansionItemReopensTheBarsPopupWithEverything)
{
    COXMenuBar& bar = frame->m_bar;
    COXBitmapMenuOrganizer organizer;
    ASSERT_TRUE(organizer.AttachFrameWnd(frame));
    organizer.ShowOnlyRecentlyUsedItems(TRUE);
    organizer.HideMenuItem(102);
    frame->SetForegroundWindow();
    HMENU hFile = ::GetSubMenu(hMenu, 0);
    std::vector<UINT> first, second;
    std::unique_ptr<CMenuWatch> reopened;
    CMenuWatch watch([&](HWND hPopup) {
        first = ItemIds(MenuOf(hPopup));
        // Pressed and released on the expansion item, at the end.
        CRect rect;
        ::GetMenuItemRect(NULL, hFile, ::GetMenuItemCount(hFile) - 1, &rect);
        ClickOnScreen(rect.CenterPoint());
    });
    Click(bar, ButtonCentre(bar, 0));
    // Expanded, the popup closes back to menu mode and opens again.
    ASSERT_TRUE(PumpFrameUntil(frame,
                               [&] {
                                   if (!reopened && !first.empty() && !bar.IsPopupOpen() && bar.IsInMenuMode())
                                       reopened.reset(new CMenuWatch([&](HWND hAgain) {
                                           second = ItemIds(MenuOf(hAgain));
                                           ::EndMenu();
                                       }));
                                   return !second.empty();
                               },
                               kWaitMs))
        << "the popup did not come back";
    EXPECT_EQ((std::vector<UINT>{101, 0, ID_OX_SHOWALLITEMS}), first) << "Exit hidden behind the expansion item";
    EXPECT_EQ((std::vector<UINT>{101, 0, 102}), second) << "reopened with everything";
    PumpFrameUntil(frame, [&] { return !bar.IsPopupOpen() && ShownMenu() == NULL; }, kWaitMs);
    if (bar.IsInMenuMode())
        bar.HandleMenuKey(VK_ESCAPE);
    organizer.DetachFrameWnd();
}

}   // namespace

#include "OXToolbarSkin.h"
#include "SkinTestSupport.h"

namespace {

TEST_F(CSdiFixture, FlatSkinsPaintTheMenuBarOnTheFaceColour)
{
    COXCoolToolBar plain;
    ASSERT_TRUE(plain.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 5));
    const UINT ids[] = {101, 102, 103};
    plain.SetButtons(ids, 3);
    frame->RecalcLayout();
    CTestSkinXP skin;
    COXToolbarSkinXP xp(&skin);
    struct Row { const char* name; CWnd* pBar; COLORREF clr; } rows[] = {
        {"menu bar", &frame->m_bar, TestSysColor(COLOR_BTNFACE)},
        {"tool bar", &plain, skin.GetToolbarBackgroundColor()},
    };
    ASSERT_NE(rows[0].clr, rows[1].clr);
    for (const Row& row : rows) {
        CPixelCanvas background(60, 20, kMagenta);
        xp.DrawBackground(&background.dc, row.pBar);
        EXPECT_EQ(row.clr, background.At(5, 5)) << row.name;
    }
    plain.DestroyWindow();
}

TEST_F(CMdiFixture, SkinsDrawTheMaximizedChildsButtonsWhereTheBarKeepsThem)
{
    COXMenuBar& bar = pFrame->m_bar;
    CBarMDIChild* pChild = NewChild(hChildMenu);
    ASSERT_TRUE(pChild != NULL);
    CRect rectWindow;
    bar.GetWindowRect(rectWindow);
    COXToolbarSkinClassic classic;
    CTestSkinXP skinXP;
    COXToolbarSkinXP xp(&skinXP);
    COXToolbarSkin* skins[] = {&classic, &xp};
    for (COXToolbarSkin* pSkin : skins) {
        // Not maximized: nothing.
        CPixelCanvas none(rectWindow.Width(), rectWindow.Height(), kMagenta);
        pSkin->DrawMDIButtons(&none.dc, &bar);
        EXPECT_EQ(rectWindow.Width() * rectWindow.Height(), none.Count(kMagenta));
    }
    pFrame->MDIMaximize(pChild);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    pFrame->RecalcLayout();
    PumpPending();
    bar.GetWindowRect(rectWindow);
    for (COXToolbarSkin* pSkin : skins) {
        CPixelCanvas canvas(rectWindow.Width(), rectWindow.Height(), kMagenta);
        pSkin->DrawMDIButtons(&canvas.dc, &bar);
        for (const CRect& rect : {bar.GetCloseButtonRect(), bar.GetRestoreButtonRect(), bar.GetMinimizeButtonRect()}) {
            ASSERT_FALSE(rect.IsRectEmpty());
            EXPECT_NE(kMagenta, canvas.At(rect.left + 1, rect.top + 1)) << "a button drawn at " << rect.left;
        }
        EXPECT_EQ(kMagenta, canvas.At(2, 2)) << "nothing outside the buttons";
    }
    // The pressed button looks pushed.
    CPixelCanvas up(rectWindow.Width(), rectWindow.Height()), down(rectWindow.Width(), rectWindow.Height());
    classic.DrawMDIButtons(&up.dc, &bar);
    const CRect rectClose = bar.GetCloseButtonRect();
    bar.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION,
                    MAKELPARAM(rectWindow.left + rectClose.CenterPoint().x, rectWindow.top + rectClose.CenterPoint().y));
    ASSERT_EQ(-4, bar.GetPressedMDIItem());
    classic.DrawMDIButtons(&down.dc, &bar);
    int nDiffer = 0;
    for (int x = rectClose.left; x < rectClose.right; ++x)
        for (int y = rectClose.top; y < rectClose.bottom; ++y)
            nDiffer += up.At(x, y) != down.At(x, y);
    EXPECT_GT(nDiffer, 0) << "the pressed close button is drawn pushed";
    ::ReleaseCapture();
}

}   // namespace

namespace {

TEST_F(CSdiFixture, DockedLeftTheButtonsShareTheWidestWidthAndFloatingEmptiesTheSystemMenu)
{
    COXMenuBar& bar = frame->m_bar;
    frame->EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    frame->RecalcLayout();
    PumpPending();
    ASSERT_TRUE(bar.GetBarStyle() & CBRS_ALIGN_LEFT);
    CRect rect0, rect1;
    bar.SendMessage(TB_GETITEMRECT, 0, (LPARAM)&rect0);
    bar.SendMessage(TB_GETITEMRECT, 1, (LPARAM)&rect1);
    EXPECT_EQ(rect0.Width(), rect1.Width()) << "every button as wide as the widest text";
    CRect rectBar;
    bar.GetWindowRect(rectBar);
    EXPECT_GT(rectBar.Height(), rectBar.Width()) << "the bar runs down the left side";
    // Up and Down move along it in menu mode.
    bar.EnterMenuMode(TRUE, 0);
    EXPECT_TRUE(bar.HandleMenuKey(VK_DOWN));
    EXPECT_EQ(1, (int)bar.SendMessage(TB_GETHOTITEM));
    EXPECT_TRUE(bar.HandleMenuKey(VK_UP));
    EXPECT_EQ(0, (int)bar.SendMessage(TB_GETHOTITEM));
    bar.HandleMenuKey(VK_ESCAPE);

    frame->FloatControlBar(&bar, CPoint(200, 200));
    PumpPending();
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* pMini = bar.GetParentFrame();
    ASSERT_TRUE(pMini != NULL && pMini != frame);
    CMenu* pSys = pMini->GetSystemMenu(FALSE);
    EXPECT_TRUE(pSys == NULL || pSys->GetMenuItemCount() == 0)
        << "a floating menu bar's frame has no system menu items: " << pMini->GetRuntimeClass()->m_lpszClassName << " "
        << (pSys ? pSys->GetMenuItemCount() : -1);
}

}   // namespace

namespace {

TEST_F(CSdiFixture, QuitPostedWhileABarPopupIsOpenEndsItAndStaysForTheProgramsLoop)
{
    COXMenuBar& bar = frame->m_bar;
    CMenuWatch watch([](HWND) { ::PostQuitMessage(6); });
    Click(bar, ButtonCentre(bar, 0));
    // The pump stops at the quit and leaves it in the queue.
    ASSERT_TRUE(PumpFrameUntil(frame, [&] { return watch.Acted() && !bar.IsPopupOpen(); }, kWaitMs))
        << "the popup never showed or stayed open on the quit";
    EXPECT_FALSE(watch.EndedAMenu()) << "the quit did not end the menu";
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 6) << "the quit was eaten";
}

TEST_F(CSdiFixture, HiddenSubmenusAreKeptBesideTheSavedMenu)
{
    COXMenuBar& bar = frame->m_bar;
    const CString strSection = COXMenuBar::SectionFor(NULL) + "_RecentlyUsedSubmenuItems";
    ::AfxGetApp()->WriteProfileString(strSection, NULL, NULL);
    {
        COXBitmapMenuOrganizer organizer;
        ASSERT_TRUE(organizer.AttachFrameWnd(frame));
        organizer.HideSubmenu(::GetSubMenu(::GetSubMenu(hMenu, 1), 1));
        ASSERT_TRUE(bar.SaveMenu(hMenu, NULL));
        organizer.DetachFrameWnd();
    }
    // Another start: the same menu read back, its Find submenu hidden again.
    COXBitmapMenuOrganizer organizer;
    ASSERT_TRUE(organizer.AttachFrameWnd(frame));
    HMENU hFresh = ::CreateMenu();
    ASSERT_TRUE(bar.LoadMenu(hFresh, NULL));
    HMENU hFind = ::GetSubMenu(::GetSubMenu(hFresh, 1), 1);
    ASSERT_TRUE(hFind != NULL) << Describe(hFresh);
    EXPECT_FALSE(organizer.IsSubmenuShown(hFind)) << "the submenu hidden by its path";
    EXPECT_TRUE(organizer.IsSubmenuShown(::GetSubMenu(hFresh, 0)));
    organizer.DetachFrameWnd();
    ::DestroyMenu(hFresh);
    ::AfxGetApp()->WriteProfileString(COXMenuBar::SectionFor(NULL), NULL, NULL);
    ::AfxGetApp()->WriteProfileString(strSection, NULL, NULL);
}

}   // namespace

namespace {

COLORREF ScreenPixel(CPoint pt)
{
    HDC hScreen = ::GetDC(NULL);
    const COLORREF clr = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(NULL, hScreen);
    return clr;
}

TEST_F(CSdiFixture, FlatShadowedItemShowsTheButtonItCovers)
{
    COXMenuBar& bar = frame->m_bar;
    CSkinnedAppScope app;
    ASSERT_TRUE(app.m_pApp->SetCurrentSkin("Office XP"));
    frame->SetForegroundWindow();
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    COXBitmapMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 700, "Item");
    CRect rectButton;
    bar.SendMessage(TB_GETITEMRECT, 1, (LPARAM)&rectButton);
    bar.ClientToScreen(rectButton);
    bar.PressButton(2, TRUE);
    bar.UpdateWindow();
    // Inside the frame the item window draws, away from the button's text.
    const CPoint pt(rectButton.left + 2, rectButton.top + 3);
    const COLORREF clrBefore = ScreenPixel(pt);
    COLORREF clrCovered = CLR_INVALID;
    BOOL bItemShown = FALSE;
    CMenuWatch watch([&](HWND) {
        HWND hItem = NULL;
        while ((hItem = ::FindWindowExA(::GetDesktopWindow(), hItem, NULL, NULL)) != NULL)
            if (DYNAMIC_DOWNCAST(COXShadowedItemWnd, CWnd::FromHandlePermanent(hItem)) != NULL) {
                bItemShown = ::IsWindowVisible(hItem);
                ::UpdateWindow(hItem);
            }
        clrCovered = ScreenPixel(pt);
        ::EndMenu();
    });
    menu.TrackBarPopupMenu(&bar, frame, NULL);
    bar.PressButton(2, FALSE);
    ASSERT_TRUE(watch.Acted());
    ASSERT_TRUE(bItemShown) << "no shadowed item window over the button";
    // The button may have been repainted hot or pressed since: near enough.
    auto Near = [](COLORREF a, COLORREF b) {
        return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
               abs(GetBValue(a) - GetBValue(b)) <= 8;
    };
    EXPECT_TRUE(Near(clrBefore, clrCovered)) << std::hex << clrBefore << " under, " << clrCovered
                                             << " shown: the item window hides the button it stands for";
}

}   // namespace

namespace {

TEST_F(CSdiFixture, SwitchingMenusDoesNotGrowTheControlsStrings)
{
    COXMenuBar& bar = frame->m_bar;
    HMENU hOther = ::CreateMenu();
    ::AppendMenuA(hOther, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "&Report");
    for (int i = 0; i < 10; ++i)
        bar.SetMenu(i % 2 ? hMenu : hOther);
    // Four texts in all: &File, &Edit, &Help and &Report.
    char szText[64] = "";
    EXPECT_NE(-1, (int)bar.SendMessage(TB_GETSTRINGA, MAKEWPARAM(sizeof(szText), 3), (LPARAM)szText));
    EXPECT_EQ(-1, (int)bar.SendMessage(TB_GETSTRINGA, MAKEWPARAM(sizeof(szText), 4), (LPARAM)szText))
        << "the control's string list grew with each switch";
    bar.SetMenu(hMenu);
    ::DestroyMenu(hOther);
}

}   // namespace

#include "ImportPatch.h"

namespace {

// Keyboard state for a key message: the modifiers held, nothing else.
class CHeldKeys
{
public:
    explicit CHeldKeys(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        memcpy(state, m_saved, sizeof(state));
        for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU,
                       VK_RMENU})
            state[vk] = 0;
        for (int vk : keys)
            state[vk] = 0x80;
        ::SetKeyboardState(state);
    }
    ~CHeldKeys() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

// A key message as the program's loop handles it: the frame's
// PreTranslateMessage, then (bDispatch) dispatched when nothing took it.
// TRUE when the frame took it.
BOOL LoopKey(CFrameWnd* pFrame, HWND hWnd, UINT nMsg, UINT nKey, BOOL bDispatch = TRUE)
{
    LPARAM lParam = 1;
    if (nMsg == WM_SYSKEYDOWN || nMsg == WM_SYSKEYUP)
        lParam |= (::GetKeyState(VK_MENU) & 0x8000) ? 0x20000000 : 0;
    if (nMsg == WM_KEYUP || nMsg == WM_SYSKEYUP)
        lParam |= 0xC0000000;
    MSG msg = {hWnd, nMsg, nKey, lParam};
    if (pFrame->PreTranslateMessage(&msg))
        return TRUE;
    if (!bDispatch)
        return FALSE;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    return FALSE;
}

// A window in the frame that counts the context menus asked of it.
class CContextTarget : public CWnd
{
public:
    int m_nContextMenus = 0;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_CONTEXTMENU)
            ++m_nContextMenus;
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

TEST_F(CSdiFixture, ShiftF10IsLeftToTheFocusWindowsContextMenu)
{
    COXMenuBar& bar = frame->m_bar;
    CContextTarget target;
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_CHILD | WS_VISIBLE, CRect(10, 60, 110, 120),
                                frame, 0x3A01));
    frame->SetForegroundWindow();
    target.SetFocus();
    {
        CHeldKeys shift({VK_SHIFT});
        EXPECT_FALSE(LoopKey(frame, target.m_hWnd, WM_SYSKEYDOWN, VK_F10)) << "the bar took Shift+F10";
        EXPECT_FALSE(bar.IsInMenuMode());
        EXPECT_EQ(1, target.m_nContextMenus) << "no context menu from the keyboard";
        EXPECT_FALSE(LoopKey(frame, target.m_hWnd, WM_KEYDOWN, VK_F10));
        EXPECT_FALSE(bar.IsInMenuMode());
    }
    // F10 alone is the menu key.
    CHeldKeys none({});
    EXPECT_TRUE(LoopKey(frame, target.m_hWnd, WM_SYSKEYDOWN, VK_F10));
    EXPECT_TRUE(bar.IsInMenuMode());
    EXPECT_TRUE(LoopKey(frame, target.m_hWnd, WM_SYSKEYDOWN, VK_F10));
    EXPECT_FALSE(bar.IsInMenuMode());
    target.DestroyWindow();
}

std::string LoopsText(const std::vector<UINT>& loops)
{
    std::string s;
    for (UINT n : loops)
        s += n == WM_ENTERMENULOOP ? "enter " : n == WM_EXITMENULOOP ? "exit " : "? ";
    return s;
}

// Every way out of keyboard menu mode tells the frame once that the loop
// ended: the organizer and the frame reset their loop state on it.
TEST_F(CSdiFixture, EveryWayOutOfMenuModeEndsTheLoopOnce)
{
    COXMenuBar& bar = frame->m_bar;
    frame->SetForegroundWindow();
    frame->SetFocus();
    HWND hFrame = frame->m_hWnd;
    // Only the frame's keys: a key left over goes to the system's own menu
    // loop (the window menu), which has loop messages of its own.
    auto Alt = [&](UINT nKey) {
        CHeldKeys alt({VK_MENU});
        return LoopKey(frame, hFrame, WM_SYSKEYDOWN, nKey, FALSE);
    };
    auto Plain = [&](UINT nKey) {
        CHeldKeys none({});
        return LoopKey(frame, hFrame, WM_KEYDOWN, nKey, FALSE);
    };
    struct Row {
        const char* name;
        std::function<void()> leave;
        UINT nCommand;   // the command that runs, 0 none
    } rows[] = {
        {"Alt again", [&] {
             Alt(VK_MENU);
             CHeldKeys none({});
             LoopKey(frame, hFrame, WM_SYSKEYUP, VK_MENU, FALSE);
         }, 0},
        {"F10 again", [&] {
             CHeldKeys none({});
             LoopKey(frame, hFrame, WM_SYSKEYDOWN, VK_F10, FALSE);
         }, 0},
        {"Esc", [&] { Plain(VK_ESCAPE); }, 0},
        {"Alt with a letter of no item", [&] { Alt('Q'); }, 0},
        {"Alt with the letter of a popup", [&] { Alt('E'); }, 0},
        {"Alt with the letter of a command item", [&] { Alt('H'); }, 300},
        {"Enter on a command item", [&] { Plain(VK_LEFT); Plain(VK_RETURN); }, 300},
        {"Enter on a grayed popup", [&] {
             ::EnableMenuItem(hMenu, 1, MF_BYPOSITION | MF_GRAYED);
             Plain(VK_RIGHT);
             Plain(VK_RETURN);
             ::EnableMenuItem(hMenu, 1, MF_BYPOSITION | MF_ENABLED);
         }, 0},
        {"the focus moved away", [&] { frame->SetFocus(); }, 0},
    };
    for (const Row& row : rows) {
        CMenuWatch watch([](HWND) { ::EndMenu(); }, 2000);
        frame->barLoops.clear();
        frame->commands.clear();
        {
            CHeldKeys none({});
            LoopKey(frame, hFrame, WM_SYSKEYDOWN, VK_MENU, FALSE);
            LoopKey(frame, hFrame, WM_SYSKEYUP, VK_MENU, FALSE);
        }
        ASSERT_TRUE(bar.IsInMenuMode()) << row.name;
        row.leave();
        PumpUntil([&] { return !bar.IsPopupOpen() && ShownMenu() == NULL; }, kWaitMs);
        EXPECT_FALSE(bar.IsInMenuMode()) << row.name;
        EXPECT_EQ("enter exit ", LoopsText(frame->barLoops)) << row.name;
        EXPECT_EQ(row.nCommand != 0 ? std::vector<UINT>{row.nCommand} : std::vector<UINT>{}, frame->commands)
            << row.name;
    }
}

TEST_F(CSdiFixture, AltWithTheMnemonicOfACommandItemRunsIt)
{
    COXMenuBar& bar = frame->m_bar;
    frame->SetForegroundWindow();
    frame->SetFocus();
    CMenuWatch watch([](HWND) { ::EndMenu(); }, 1000);
    CHeldKeys alt({VK_MENU});
    EXPECT_TRUE(LoopKey(frame, frame->m_hWnd, WM_SYSKEYDOWN, 'H'));
    EXPECT_EQ(std::vector<UINT>{300}, frame->commands) << "Alt+H did not run Help";
    EXPECT_FALSE(bar.IsInMenuMode());
    EXPECT_FALSE(watch.Acted()) << "a command item showed a popup";
}

// The frame's accelerators come first: Alt+E bound to a command runs it
// rather than opening "&Edit".
TEST_F(CSdiFixture, AnAltAcceleratorWinsOverTheMnemonicOfTheSameLetter)
{
    COXMenuBar& bar = frame->m_bar;
    frame->SetForegroundWindow();
    frame->SetFocus();
    ACCEL accel = {FALT | FVIRTKEY, 'E', 555};
    HACCEL hAccel = ::CreateAcceleratorTableA(&accel, 1);
    ASSERT_TRUE(hAccel != NULL);
    frame->m_hAccelTable = hAccel;
    CMenuWatch watch([](HWND) { ::EndMenu(); }, 1000);
    {
        CHeldKeys alt({VK_MENU});
        EXPECT_TRUE(LoopKey(frame, frame->m_hWnd, WM_SYSKEYDOWN, 'E'));
    }
    PumpPending();
    EXPECT_EQ(std::vector<UINT>{555}, frame->commands) << "the accelerator did not run";
    EXPECT_FALSE(watch.Acted()) << "the Edit popup opened instead";
    EXPECT_TRUE(frame->barLoops.empty()) << LoopsText(frame->barLoops);
    // Releasing Alt after the accelerator is no lone Alt.
    {
        CHeldKeys none({});
        LoopKey(frame, frame->m_hWnd, WM_SYSKEYUP, VK_MENU);
    }
    EXPECT_FALSE(bar.IsInMenuMode());
    frame->m_hAccelTable = NULL;
    ::DestroyAcceleratorTable(hAccel);
}

// The mnemonic is the character the key types in the user's layout: the
// minus key's code (0xBD) is no character of the item's text.
TEST_F(CSdiFixture, MnemonicIsFoundByTheCharacterTheKeyTypes)
{
    COXMenuBar& bar = frame->m_bar;
    HMENU hZoom = ::CreateMenu();
    HMENU hLess = ::CreatePopupMenu();
    ::AppendMenuA(hLess, MF_STRING, 401, "&Half");
    ::AppendMenuA(hZoom, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "&File");
    ::AppendMenuA(hZoom, MF_POPUP, (UINT_PTR)hLess, "&- Smaller");
    bar.SetMenu(hZoom);
    HMENU hShown = NULL;
    CMenuWatch watch([&](HWND hPopup) {
        hShown = MenuOf(hPopup);
        ::EndMenu();
    });
    CHeldKeys none({});
    ASSERT_EQ('-', (char)::MapVirtualKeyA(VK_OEM_MINUS, MAPVK_VK_TO_CHAR)) << "the layout has no minus key";
    EXPECT_TRUE(bar.HandleMenuKey(VK_OEM_MINUS));
    EXPECT_TRUE(hShown == hLess) << "the minus key opened no popup";
    bar.SetMenu(hMenu);
    ::DestroyMenu(hZoom);
}

// On a system that refuses the record with the padded border, the bar still
// gets the menu font.
typedef BOOL(WINAPI* PFNSPI)(UINT, UINT, PVOID, UINT);
PFNSPI g_pfnSystemParametersInfo = NULL;
UINT g_nRefusedSize = 0;
BOOL WINAPI RefusePaddedMetrics(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni)
{
    if (uiAction == SPI_GETNONCLIENTMETRICS && uiParam == sizeof(NONCLIENTMETRICSA)) {
        ++g_nRefusedSize;
        return FALSE;
    }
    return g_pfnSystemParametersInfo(uiAction, uiParam, pvParam, fWinIni);
}

TEST_F(CSdiFixture, BarGetsItsMenuFontWhereThePaddedMetricsAreRefused)
{
    CImportPatch patch("user32.dll", "SystemParametersInfoA", (ULONG_PTR)&RefusePaddedMetrics);
    ASSERT_TRUE(patch.Installed());
    g_pfnSystemParametersInfo = patch.Original<PFNSPI>();
    COXMenuBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, OX_IDW_MENUBAR + 1));
    g_nRefusedSize = 0;
    bar.m_hMenu = hMenu;
    bar.RebuildButtons(FALSE);
    EXPECT_GT(g_nRefusedSize, 0u) << "the padded record was never asked for";
    ASSERT_TRUE(bar.m_fontMenu.GetSafeHandle() != NULL) << "no menu font";
    EXPECT_EQ(bar.m_fontMenu.GetSafeHandle(), (HFONT)bar.SendMessage(WM_GETFONT));
    bar.DestroyWindow();
}

}   // namespace

namespace {

// The maximized child's restore and minimize buttons, each pressed and
// released on itself, do what they show.
TEST_F(CMdiFixture, MaximizedChildsRestoreAndMinimizeButtonsActOnIt)
{
    COXMenuBar& bar = pFrame->m_bar;
    CBarMDIChild* pChild = NewChild(hChildMenu);
    ASSERT_TRUE(pChild != NULL);
    struct Row {
        const char* name;
        CRect (COXMenuBar::*rect)() const;
        int nPressed;
        BOOL (CWnd::*state)() const;
    } rows[] = {
        {"restore", &COXMenuBar::GetRestoreButtonRect, -3, &CWnd::IsZoomed},
        {"minimize", &COXMenuBar::GetMinimizeButtonRect, -2, &CWnd::IsIconic},
    };
    for (const Row& row : rows) {
        pFrame->MDIMaximize(pChild);
        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        pFrame->RecalcLayout();
        PumpPending();
        ASSERT_TRUE(pChild->IsZoomed()) << row.name;
        const CRect rect = (bar.*row.rect)();
        ASSERT_FALSE(rect.IsRectEmpty()) << row.name;
        CRect rectWindow;
        bar.GetWindowRect(rectWindow);
        const CPoint ptScreen = rectWindow.TopLeft() + rect.CenterPoint();
        bar.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptScreen.x, ptScreen.y));
        EXPECT_EQ(row.nPressed, bar.GetPressedMDIItem()) << row.name;
        CPoint ptClient(ptScreen);
        bar.ScreenToClient(&ptClient);
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM((short)ptClient.x, (short)ptClient.y));
        PumpPending();
        EXPECT_EQ(-1, bar.GetPressedMDIItem()) << row.name;
        EXPECT_FALSE(pChild->IsZoomed()) << row.name << ": the child is still maximized";
        if (row.state == &CWnd::IsIconic)
            EXPECT_TRUE(pChild->IsIconic()) << "the child was not minimized";
        else
            EXPECT_FALSE(pChild->IsIconic()) << "restore minimized the child";
        pFrame->MDIRestore(pChild);
        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        PumpPending();
    }
}

// Loading a menu's hidden submenus puts its saved set in place of the one
// in effect: a submenu hidden since is shown again.
TEST_F(CSdiFixture, LoadedHiddenSubmenusReplaceTheSetInEffect)
{
    COXMenuBar& bar = frame->m_bar;
    const CString strSection = COXMenuBar::SectionFor(NULL) + "_RecentlyUsedSubmenuItems";
    COXBitmapMenuOrganizer organizer;
    ASSERT_TRUE(organizer.AttachFrameWnd(frame));
    HMENU hFind = ::GetSubMenu(::GetSubMenu(hMenu, 1), 1);
    organizer.HideSubmenu(hFind);
    ASSERT_TRUE(bar.SaveMenu(hMenu, NULL));
    // Since the save: Find shown again, another submenu hidden.
    organizer.UnhideSubmenu(hFind);
    HMENU hOther = ::CreatePopupMenu();
    organizer.HideSubmenu(hOther);
    HMENU hFresh = ::CreateMenu();
    ASSERT_TRUE(bar.LoadMenu(hFresh, NULL));
    HMENU hNewFind = ::GetSubMenu(::GetSubMenu(hFresh, 1), 1);
    ASSERT_TRUE(hNewFind != NULL) << Describe(hFresh);
    EXPECT_FALSE(organizer.IsSubmenuShown(hNewFind)) << "the saved set was not loaded";
    EXPECT_TRUE(organizer.IsSubmenuShown(hOther)) << "the set in effect before the load was kept";
    EXPECT_TRUE(organizer.IsSubmenuShown(hFind));
    ::DestroyMenu(hOther);
    ::DestroyMenu(hFresh);
    organizer.DetachFrameWnd();
    ::AfxGetApp()->WriteProfileString(COXMenuBar::SectionFor(NULL), NULL, NULL);
    ::AfxGetApp()->WriteProfileString(strSection, NULL, NULL);
}

}   // namespace
