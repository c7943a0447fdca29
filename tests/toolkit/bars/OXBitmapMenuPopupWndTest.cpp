// Menus while they are customized: a receiver of the bar's "open this menu"
// command shows the menu in a customization popup window, as the customize
// page does; real messages then select items, hold them, open the context
// menu of customization commands, and run those commands with and without
// the receiver taking them over.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXBitmapMenu.h"
#include "OXBitmapMenuOrganizer.h"
#include "OXBitmapMenuPopupWnd.h"
#include "OXCoolToolBar.h"
#include "OXSHBDropTarget.h"
#include "OXSkinnedApp.h"
#include "OXSkins.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// The bar's command that opens a menu in customization mode, and what it
// carries.
const int kOpenCustomizedMenu = 32910;
struct COpenMenu
{
    HMENU hMenu;
    UINT nFlags;
    int x, y;
};

// Records what the skin is asked to mark and which item was held.
class CHeldMenu : public COXBitmapMenu
{
public:
    std::vector<int> held;
    std::vector<CRect> customizedRects;
    std::vector<std::pair<CRect, BOOL>> marks;

    void OnItemHeld(int nPos) override
    {
        held.push_back(nPos);
        COXBitmapMenu::OnItemHeld(nPos);
    }
    void DrawCustomized(CDC* pDC, const RECT& rect) override
    {
        customizedRects.push_back(rect);
        COXBitmapMenu::DrawCustomized(pDC, rect);
    }
    void DrawInsertMark(CDC* pDC, const RECT& rect, BOOL bBefore) override
    {
        marks.push_back({rect, bBefore});
        COXBitmapMenu::DrawInsertMark(pDC, rect, bBefore);
    }
};

// Takes the customization notifications as the customize page does: the
// bar's open command shows the menu in a popup; the menu's commands are
// recorded and answered with m_veto.
class CReceiver : public CWnd
{
public:
    COXBitmapMenuPopupWnd m_popup;
    COXBitmapMenuOrganizer* m_pOrganizer = NULL;
    std::vector<int> m_commands;
    LRESULT m_veto = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const NMHDR* pHdr = (const NMHDR*)lParam;
            if (pHdr->code == OXCTBN_CUSTOMIZE && ((const OXCTBNOTIFY*)pHdr)->nCommand == kOpenCustomizedMenu) {
                const COpenMenu* pOpen = (const COpenMenu*)((const OXCTBNOTIFY*)pHdr)->pData;
                COXBitmapMenu* pMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(pOpen->hMenu));
                if (pMenu == NULL) {
                    m_pOrganizer->OnInitMenuPopup(CMenu::FromHandle(pOpen->hMenu), 0, FALSE);
                    pMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(pOpen->hMenu));
                }
                if (pMenu != NULL)
                    m_popup.TrackPopupMenu(pMenu, pOpen->nFlags & 0x0C, pOpen->x, pOpen->y, this);
                return 0;
            }
            if (pHdr->code == OXBMN_CUSTOMIZECOMMAND) {
                m_commands.push_back(((const NMBMCUSTOMIZE*)pHdr)->nCommand);
                return m_veto;
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Items as text: ids, "-" for separators.
std::string Layout(HMENU hMenu)
{
    std::string s;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        const UINT nID = ::GetMenuItemID(hMenu, i);
        s += (i ? " " : "") + (nID == 0 ? std::string("-") : std::to_string(nID));
    }
    return s;
}

class MenuCustomization : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(m_frame.Create("Customized menus", CRect(40, 40, 500, 400)));
        m_frame.Show();
        m_pSavedMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_frame;
        ASSERT_TRUE(m_organizer.AttachFrameWnd(m_frame));
        ASSERT_TRUE(m_receiver.CreateEx(0, AfxRegisterWndClass(0), "receiver", WS_POPUP, CRect(0, 0, 10, 10),
                                        NULL, 0));
        m_receiver.m_pOrganizer = &m_organizer;
        m_organizer.SetCustomizationMode(TRUE, m_receiver.m_hWnd);
    }
    void TearDown() override
    {
        m_receiver.m_popup.Hide();
        m_receiver.DestroyWindow();
        m_organizer.DetachFrameWnd();
        AfxGetApp()->m_pMainWnd = m_pSavedMain;
    }
    // A menu of Open, Save, a separator and Exit, given its items' data.
    void MakeMenu(CHeldMenu& menu)
    {
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, 101, "&Open");
        menu.AppendMenu(MF_STRING, 102, "&Save");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, 103, "E&xit");
        m_organizer.ConvertMenu(&menu, FALSE);
    }
    // As the bar asks for it.
    void Open(HMENU hMenu, int x = 120, int y = 90)
    {
        COpenMenu open = {hMenu, TPM_LEFTALIGN, x, y};
        OXCTBNOTIFY nm = {{m_frame->m_hWnd, 0, OXCTBN_CUSTOMIZE}, kOpenCustomizedMenu, &open};
        m_receiver.SendMessage(WM_NOTIFY, 0, (LPARAM)&nm);
    }
    COXBitmapMenuPopupWnd& Popup() { return m_receiver.m_popup; }
    CPoint ItemCentre(int nPos) { return Popup().GetItemRect(nPos).CenterPoint(); }

    CScopedFrame<CFrameWnd> m_frame;
    CWnd* m_pSavedMain = NULL;
    COXBitmapMenuOrganizer m_organizer;
    CReceiver m_receiver;
};

TEST_F(MenuCustomization, ThePopupShowsTheMenuAndSelectsAndMarksItems)
{
    CHeldMenu menu;
    MakeMenu(menu);
    Open(menu.m_hMenu);
    ASSERT_TRUE(Popup().GetSafeHwnd() != NULL && Popup().IsWindowVisible()) << "no popup shown";
    EXPECT_EQ(&Popup(), menu.GetPopupWnd());
    EXPECT_TRUE(menu.IsInCustomizationMode());
    EXPECT_TRUE(menu.CanDrop());
    CPoint ptClient(0, 0);
    Popup().ClientToScreen(&ptClient);
    EXPECT_EQ(CPoint(120, 90), ptClient) << "the client starts at the point asked for";
    ASSERT_EQ(4, Popup().GetItemRectCount());
    CRect rcClient;
    Popup().GetClientRect(&rcClient);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const CRect rc = Popup().GetItemRect(i);
        EXPECT_EQ(rcClient.Width(), rc.Width()) << "every item as wide as the window";
        EXPECT_EQ(i == 0 ? 0 : Popup().GetItemRect(i - 1).bottom, rc.top);
    }
    EXPECT_EQ(8, Popup().GetItemRect(2).Height()) << "the Classic separator";

    // A press selects, redraws the item marked, and tells the receiver.
    Popup().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ItemCentre(1).x, ItemCentre(1).y));
    EXPECT_EQ(1, menu.GetCustomizedItem());
    EXPECT_EQ(std::vector<int>{OX_CUSTOMIZE_SELECTITEM}, m_receiver.m_commands);
    ASSERT_FALSE(menu.customizedRects.empty());
    EXPECT_EQ(Popup().GetItemRect(1), menu.customizedRects.back());

    // A mark at the end is drawn below the last item; moving it to 1 draws
    // it above Save and below Open.
    m_receiver.m_commands.clear();
    menu.marks.clear();
    EXPECT_EQ(-1, menu.SetInsertMark(4));
    ASSERT_EQ(1u, menu.marks.size());
    EXPECT_EQ(Popup().GetItemRect(3), menu.marks[0].first);
    EXPECT_FALSE(menu.marks[0].second);
    menu.marks.clear();
    menu.SetInsertMark(1);
    EXPECT_EQ(std::vector<int>({OX_CUSTOMIZE_INSERTMARK, OX_CUSTOMIZE_INSERTMARK}), m_receiver.m_commands);
    bool bAboveSave = false;
    for (const auto& mark : menu.marks)
        bAboveSave |= mark.first == Popup().GetItemRect(1) && mark.second;
    EXPECT_TRUE(bAboveSave);

    // Hidden, the popup lets go of the menu and of its selection.
    Popup().Hide();
    EXPECT_FALSE(Popup().IsWindowVisible());
    EXPECT_EQ(-1, menu.GetCustomizedItem());
    EXPECT_EQ(NULL, menu.GetPopupWnd());
}

TEST_F(MenuCustomization, AHoldOf200MsIsADragAndAReleaseBeforeItIsNot)
{
    CHeldMenu menu;
    MakeMenu(menu);
    Open(menu.m_hMenu);
    ASSERT_TRUE(Popup().IsWindowVisible());

    // Released before the time is up: the timer stops.
    Popup().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ItemCentre(0).x, ItemCentre(0).y));
    EXPECT_NE(0u, Popup().m_nTimerID);
    Popup().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ItemCentre(0).x, ItemCentre(0).y));
    EXPECT_EQ(0u, Popup().m_nTimerID);
    ASSERT_TRUE(PumpPastTimer(OX_POPUP_HOLD_MS + 50));
    EXPECT_TRUE(menu.held.empty());

    // The time is up but the button is no longer down: no drag.
    Popup().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ItemCentre(1).x, ItemCentre(1).y));
    ASSERT_TRUE(PumpUntil([&] { return Popup().m_nTimerID == 0; }, kWaitMs)) << "the hold timer never ran";
    EXPECT_TRUE(menu.held.empty());

    // A real press held on Exit.
    CPoint pt = ItemCentre(3);
    Popup().ClientToScreen(&pt);
    ASSERT_TRUE(PlaceCursor(pt));
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &input, sizeof(input));
    const bool bHeld = PumpUntil([&] { return !menu.held.empty(); }, kWaitMs);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof(input));
    PumpUntil([] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }, kWaitMs);
    PumpPending();
    ASSERT_TRUE(bHeld) << "the held press was never reported";
    EXPECT_EQ(std::vector<int>{3}, menu.held);
}

// The items of the shown context menu as "id" ("-" separators), with "*"
// for checked and "~" for disabled.
std::string ReadShownMenu(HWND hMenuWnd)
{
    HMENU hMenu = (HMENU)::SendMessage(hMenuWnd, MN_GETHMENU, 0, 0);
    std::string s;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        const UINT nState = ::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION);
        const UINT nID = ::GetMenuItemID(hMenu, i);
        s += (i ? " " : "") + (nID == 0 ? std::string("-") : std::to_string(nID));
        if (nState & MF_CHECKED)
            s += "*";
        if (nID != 0 && (nState & MF_GRAYED))
            s += "~";
    }
    return s;
}

TEST_F(MenuCustomization, ARightClickOffersTheCommandsThatFitTheItem)
{
    CHeldMenu menu;
    MakeMenu(menu);
    Open(menu.m_hMenu);
    ASSERT_TRUE(Popup().IsWindowVisible());
    struct Row { int nItem; const char* expected; } rows[] = {
        {2, "32877"},
        {1, "32877 - 32878 - 32881* - 32879 32880~"},
        {0, "32877 - 32878 - 32881* - 32879~ 32880"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nItem);
        const CPoint pt = ItemCentre(row.nItem);
        Popup().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        EXPECT_EQ(row.nItem, menu.GetCustomizedItem());
        std::string shown;
        CMenuWatch watch([&](HWND hMenuWnd) {
            shown = ReadShownMenu(hMenuWnd);
            ::EndMenu();
        });
        Popup().SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        EXPECT_TRUE(watch.Acted()) << "no context menu showed";
        EXPECT_EQ(row.expected, shown);
    }
}

TEST_F(MenuCustomization, CommandsChangeTheMenuUnlessTheReceiverTakesThemOver)
{
    struct Row
    {
        const char* name;
        UINT nCommand;
        int nItem;
        LRESULT veto;
        const char* layout;
        int nCustomizedAfter;
    } rows[] = {
        {"delete", OX_CUSTOMIZE_DELETE, 1, 0, "101 - 103", -1},
        {"delete taken over", OX_CUSTOMIZE_DELETE, 1, 1, "101 102 - 103", 1},
        {"separator before", OX_CUSTOMIZE_SEPARATORBEFORE, 1, 0, "101 - 102 - 103", 2},
        {"separator before taken over", OX_CUSTOMIZE_SEPARATORBEFORE, 1, 1, "101 102 - 103", 1},
        {"separator after", OX_CUSTOMIZE_SEPARATORAFTER, 0, 0, "101 - 102 - 103", 0},
        {"separator after taken over", OX_CUSTOMIZE_SEPARATORAFTER, 0, 1, "101 102 - 103", 0},
        {"appearance", OX_CUSTOMIZE_APPEARANCE, 0, 0, "101 102 - 103", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CHeldMenu menu;
        MakeMenu(menu);
        Open(menu.m_hMenu);
        ASSERT_TRUE(Popup().IsWindowVisible());
        menu.SetCustomizedItem(row.nItem);
        m_receiver.m_commands.clear();
        m_receiver.m_veto = row.veto;
        Popup().SendMessage(WM_COMMAND, row.nCommand, 0);
        m_receiver.m_veto = 0;
        EXPECT_EQ(row.layout, Layout(menu.m_hMenu));
        ASSERT_FALSE(m_receiver.m_commands.empty());
        EXPECT_EQ((int)row.nCommand, m_receiver.m_commands.front()) << "the receiver is asked first";
        EXPECT_EQ(row.nCustomizedAfter, menu.GetCustomizedItem());
        // Converted again and laid out again: every item drawn by the menu.
        const int nCount = ::GetMenuItemCount(menu.m_hMenu);
        EXPECT_EQ(nCount, Popup().GetItemRectCount());
        for (int i = 0; i < nCount; ++i)
            EXPECT_TRUE(::GetMenuState(menu.m_hMenu, (UINT)i, MF_BYPOSITION) & MF_OWNERDRAW) << i;
        Popup().Hide();
    }
}

TEST_F(MenuCustomization, AlwaysShownTogglesTheItemsHiddenState)
{
    CHeldMenu menu;
    MakeMenu(menu);
    Open(menu.m_hMenu);
    menu.SetCustomizedItem(1);
    ASSERT_TRUE(m_organizer.IsItemShown(&menu, 1));
    Popup().SendMessage(WM_COMMAND, OX_CUSTOMIZE_ALWAYSSHOWN, 0);
    EXPECT_FALSE(m_organizer.IsItemShown(&menu, 1));
    EXPECT_FALSE(m_organizer.IsMenuItemShown(102));
    m_receiver.m_veto = 1;
    Popup().SendMessage(WM_COMMAND, OX_CUSTOMIZE_ALWAYSSHOWN, 0);
    EXPECT_FALSE(m_organizer.IsItemShown(&menu, 1)) << "taken over by the receiver";
    m_receiver.m_veto = 0;
    Popup().SendMessage(WM_COMMAND, OX_CUSTOMIZE_ALWAYSSHOWN, 0);
    EXPECT_TRUE(m_organizer.IsItemShown(&menu, 1));
    // Outside customization the commands do nothing.
    menu.SetCustomizeMode(NULL, FALSE);
    Popup().SendMessage(WM_COMMAND, OX_CUSTOMIZE_DELETE, 0);
    EXPECT_EQ("101 102 - 103", Layout(menu.m_hMenu));
}

TEST_F(MenuCustomization, AMenuTheOrganizerConvertsIsShownWhole)
{
    // Hidden items are taken out only outside customization.
    m_organizer.HideMenuItem(102);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, 101, "&Open");
    ::AppendMenuA(hMenu, MF_STRING, 102, "&Save");
    Open(hMenu);
    ASSERT_TRUE(Popup().IsWindowVisible());
    EXPECT_EQ("101 102", Layout(hMenu));
    EXPECT_EQ(2, Popup().GetItemRectCount());
    Popup().Hide();
    m_organizer.Empty(TRUE);
    ::DestroyMenu(hMenu);
}

TEST_F(MenuCustomization, TheFlatSkinsFrameThePopup)
{
    class CAppScope
    {
    public:
        CAppScope() : m_pPrevious(AfxGetApp()), m_pApp(new COXSkinnedApp) {}
        ~CAppScope()
        {
            delete m_pApp;
            AFX_MODULE_STATE* pState = AfxGetModuleState();
            pState->m_pCurrentWinApp = m_pPrevious;
            pState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
        }
        CWinApp* m_pPrevious;
        COXSkinnedApp* m_pApp;
    } app;
    ASSERT_TRUE(app.m_pApp->SetCurrentSkin("Office XP"));
    COXSkinXP* pSkin = dynamic_cast<COXSkinXP*>(OXGetCurrentSkin());
    ASSERT_TRUE(pSkin != NULL);
    CHeldMenu menu;
    MakeMenu(menu);
    Open(menu.m_hMenu);
    ASSERT_TRUE(Popup().IsWindowVisible());
    Popup().RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CRect rcWindow;
    Popup().GetWindowRect(&rcWindow);
    CWindowDC dc(&Popup());
    EXPECT_EQ(pSkin->SysColor(COLOR_BTNSHADOW), dc.GetPixel(0, rcWindow.Height() / 2)) << "the frame";
    EXPECT_EQ(pSkin->GetToolbarBackgroundColor(), dc.GetPixel(1, rcWindow.Height() / 2)) << "the image column";
    EXPECT_EQ(pSkin->GetMenuBackgroundColor(), dc.GetPixel(rcWindow.Width() - 2, rcWindow.Height() / 2));
    Popup().Hide();
}

TEST_F(MenuCustomization, DragsOverThePopupGoToTheMenuOnlyWhileItIsCustomized)
{
    CHeldMenu menu;
    MakeMenu(menu);
    Open(menu.m_hMenu);
    ASSERT_TRUE(Popup().IsWindowVisible());
    EXPECT_EQ(Popup().m_hWnd, menu.GetDropTarget()->m_hWnd) << "the menu's target moved to the popup";
    menu.SetInsertMark(2);
    struct Row { UINT nMsg; BOOL bCustomizing; LRESULT reply; } rows[] = {
        {SHBDTM_DRAGENTER, TRUE, 1}, {SHBDTM_DRAGOVER, TRUE, 1}, {SHBDTM_DROP, TRUE, 1},
        {SHBDTM_DRAGLEAVE, TRUE, 1}, {SHBDTM_DRAGOVER, FALSE, 0}, {SHBDTM_DRAGLEAVE, FALSE, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nMsg);
        if (!row.bCustomizing)
            menu.SetCustomizeMode(NULL, FALSE);
        OXDRAGDROPMESSAGE rec = {};
        rec.result = DROPEFFECT_COPY;
        EXPECT_EQ(row.reply, Popup().SendMessage(row.nMsg, 0, (LPARAM)&rec));
        if (row.reply && row.nMsg != SHBDTM_DRAGLEAVE)
            EXPECT_EQ((DWORD)DROPEFFECT_NONE, rec.result) << "nothing is dropped on a menu";
        if (row.nMsg == SHBDTM_DRAGLEAVE && row.bCustomizing)
            EXPECT_EQ(-1, menu.GetInsertMark()) << "leaving takes the mark away";
    }
}

}   // namespace

namespace {

// In the Classic skin the customization popup (on the button face) shows
// the menu as the system's popup does: one run of the menu colour with no
// face showing between items or on the separator's row, and the arrow of an
// item that opens a submenu.
TEST_F(MenuCustomization, ClassicPopupShowsOneMenuWithItsSubmenuArrow)
{
    ASSERT_NE(::GetSysColor(COLOR_MENU), ::GetSysColor(COLOR_BTNFACE));
    CHeldMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 101, "&Open");
    menu.AppendMenu(MF_SEPARATOR);
    HMENU hRecent = ::CreatePopupMenu();
    ::AppendMenuA(hRecent, MF_STRING, 111, "&First");
    menu.AppendMenu(MF_POPUP, (UINT_PTR)hRecent, "&Recent");
    menu.AppendMenu(MF_STRING, 103, "E&xit");
    m_organizer.ConvertMenu(&menu, FALSE);
    Open(menu.m_hMenu);
    ASSERT_TRUE(Popup().GetSafeHwnd() != NULL && Popup().IsWindowVisible()) << "no popup shown";
    Popup().UpdateWindow();
    CClientDC dc(&Popup());
    const COLORREF clrMenu = ::GetSysColor(COLOR_MENU), clrText = ::GetSysColor(COLOR_MENUTEXT);
    for (int i = 0; i < 4; ++i) {
        const CRect rc = Popup().GetItemRect(i);
        EXPECT_EQ(clrMenu, dc.GetPixel(rc.left + 1, rc.bottom - 1)) << "item " << i << ": its bottom row";
        EXPECT_EQ(clrMenu, dc.GetPixel(rc.left + 1, rc.top + 1)) << "item " << i << ": its left margin";
    }
    const CRect rcRecent = Popup().GetItemRect(2);
    int nArrow = 0;
    for (int x = rcRecent.right - 20; x < rcRecent.right; ++x)
        for (int y = rcRecent.top; y < rcRecent.bottom; ++y)
            nArrow += dc.GetPixel(x, y) == clrText;
    EXPECT_GT(nArrow, 6) << "no submenu arrow on Recent";
}

}   // namespace
