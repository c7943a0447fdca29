// Customizing a cool tool bar: the custom-button map through insertions,
// deletions and moves, where the custom controls go, and a real bar in a
// frame: custom combo, edit, slider and date-picker buttons, the commands
// of the context menu with and without a veto, the ends of the bar kept
// free of separators, the customize dialog's texts.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <cstring>

#include "OXCoolToolBar.h"
#include "bars_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"
#include "toolkit_res.h"

namespace {

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
typedef COXCoolToolBar::CustomButtonMap Map;

Map MapOf(std::initializer_list<int> indexes)
{
    Map map;
    for (int n : indexes) {
        OXCUSTOMBUTTONDESCRIPTOR d = {NULL, 100 + n, -1, -1, OXCBD_SHOWANY, -1};
        map[n] = d;
    }
    return map;
}

// The indexes of a map and the ids its entries carry.
std::vector<std::pair<int, int>> Entries(const Map& map)
{
    std::vector<std::pair<int, int>> entries;
    for (const auto& e : map)
        entries.push_back({e.first, e.second.m_nID});
    return entries;
}

TEST(CustomButtonRules, TheMapFollowsItsButtons)
{
    Map map = MapOf({1, 3, 5});
    COXCoolToolBar::MapAfterInsert(map, 3);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 101}, {4, 103}, {6, 105}}), Entries(map));
    COXCoolToolBar::MapAfterDelete(map, 4);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 101}, {5, 105}}), Entries(map));
    COXCoolToolBar::MapAfterDelete(map, 0);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 101}, {4, 105}}), Entries(map));

    struct Case
    {
        int a, b;
        std::vector<std::pair<int, int>> entries;
    } moves[] = {
        {1, 4, {{0, 100}, {1, 102}, {2, 103}, {3, 104}, {4, 101}}},   // the ones between close up
        {4, 1, {{0, 100}, {1, 104}, {2, 101}, {3, 102}, {4, 103}}},   // and open up
        {2, 2, {{0, 100}, {1, 101}, {2, 102}, {3, 103}, {4, 104}}},
    };
    for (const Case& c : moves) {
        Map m = MapOf({0, 1, 2, 3, 4});
        COXCoolToolBar::MapAfterMove(m, c.a, c.b);
        EXPECT_EQ(c.entries, Entries(m)) << c.a << " to " << c.b;
    }

    EXPECT_EQ(4, COXCoolToolBar::IndexAfterInsert(3, 3));
    EXPECT_EQ(2, COXCoolToolBar::IndexAfterInsert(2, 3));
    EXPECT_EQ(-1, COXCoolToolBar::IndexAfterInsert(-1, 0));
    EXPECT_EQ(-1, COXCoolToolBar::IndexAfterDelete(3, 3));
    EXPECT_EQ(3, COXCoolToolBar::IndexAfterDelete(4, 3));
    EXPECT_EQ(2, COXCoolToolBar::IndexAfterDelete(2, 3));
}

TEST(CustomButtonRules, WhereTheControlsGo)
{
    struct Case
    {
        int nFlags;
        BOOL bFloating, bHorz, bShown;
    } cases[] = {
        {7, FALSE, FALSE, TRUE}, {2, FALSE, TRUE, TRUE},  {2, FALSE, FALSE, FALSE},
        {2, TRUE, TRUE, FALSE},  {1, FALSE, FALSE, TRUE}, {4, TRUE, FALSE, TRUE},
        {3, TRUE, TRUE, FALSE},  {0, FALSE, TRUE, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bShown, COXCoolToolBar::IsCustomControlShown(c.nFlags, c.bFloating, c.bHorz))
            << c.nFlags << " floating " << c.bFloating << " horz " << c.bHorz;

    EXPECT_EQ(CRect(12, 0, 98, 22), COXCoolToolBar::CustomControlRect(CRect(10, 0, 100, 22), -1));
    EXPECT_EQ(CRect(12, 4, 98, 18), COXCoolToolBar::CustomControlRect(CRect(10, 0, 100, 22), 14));
    EXPECT_EQ(CRect(12, 0, 98, 22), COXCoolToolBar::CustomControlRect(CRect(10, 0, 100, 22), 30));
    // A combo box on a bar whose first button ends at 22 goes 1 pixel down.
    EXPECT_EQ(1, COXCoolToolBar::ComboBoxOffset(22));
    EXPECT_EQ(5, COXCoolToolBar::ComboBoxOffset(30));
    EXPECT_EQ(1, COXCoolToolBar::ComboBoxOffset(21));   // -1 / 2 truncates to 0
}

// ---------------------------------------------------------------------------
// A real bar
// ---------------------------------------------------------------------------
const UINT kButtons[] = {IDS_BT_SEARCH, IDS_BT_EXPORT, ID_SEPARATOR, ID_BT_NOSTRING, IDS_BT_OPEN};
enum { IDC_BT_COMBO = 18201, IDC_BT_EDIT, IDC_BT_SLIDER, IDC_BT_DATE };

class CCustomizeFrame : public CFrameWnd
{
public:
    COXCoolToolBar m_bar;
    std::vector<int> m_commands;   // as heard
    LRESULT m_lAnswer = 0;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        OXCTBNOTIFY* pNotify = (OXCTBNOTIFY*)lParam;
        if (pNotify->hdr.code == OXCTBN_CUSTOMIZE) {
            EXPECT_EQ(m_bar.m_hWnd, pNotify->hdr.hwndFrom);
            m_commands.push_back(pNotify->nCommand);
            *pResult = pNotify->nCommand == ID_OXCUSTTB_SELECTION_CHANGED ? 0 : m_lAnswer;
            return TRUE;
        }
        return CFrameWnd::OnNotify(wParam, lParam, pResult);
    }
};

// A custom control that tells when its button leaves the bar.
class CRecordingButton : public COXCustomButtonWnd
{
public:
    int m_nRemoved = 0;
    BOOL m_bMode = FALSE;
    void OnRemove() override { ++m_nRemoved; }
    void SetCustomizationMode(BOOL bOn) override { m_bMode = bOn; }
};

class CoolToolBarCustomizeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        COXCoolToolBar::RemoveAllCustomButtons();
        ASSERT_TRUE(m_frame.Create("customized bar", CRect(50, 50, 650, 300)));
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(Bar().Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
        ASSERT_TRUE(Bar().SetButtons(kButtons, 5));
        Bar().EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&Bar());
        m_frame.Show();
        m_nCombo = COXCoolToolBar::AddCustomButton(&m_combo, IDC_BT_COMBO, 100, -1, OXCBD_SHOWANY, 2);
        m_nEdit = COXCoolToolBar::AddCustomButton(&m_edit, IDC_BT_EDIT, 80, 18, OXCBD_SHOWHORZ, 1);
    }
    void TearDown() override
    {
        m_frame.Destroy();
        COXCoolToolBar::RemoveAllCustomButtons();
    }
    COXCoolToolBar& Bar() { return m_frame->m_bar; }
    int Count() { return (int)Bar().SendMessage(TB_BUTTONCOUNT); }
    TBBUTTON Button(int nIndex)
    {
        TBBUTTON button = {};
        Bar().SendMessage(TB_GETBUTTON, nIndex, (LPARAM)&button);
        return button;
    }
    BOOL IsSeparator(int nIndex) { return (Button(nIndex).fsStyle & TBSTYLE_SEP) != 0; }

    CScopedFrame<CCustomizeFrame> m_frame;
    CRecordingButton m_combo, m_edit;
    COXCustomButtonWnd m_slider, m_date;
    int m_nCombo = -1, m_nEdit = -1;
};

TEST_F(CoolToolBarCustomizeTest, CustomizableAndAdvanced)
{
    const UINT ids[] = {IDS_BT_SEARCH, IDS_BT_EXPORT};
    auto adjustable = [&] { return (Bar().GetStyle() & CCS_ADJUSTABLE) != 0; };
    Bar().SetCustomizable(TRUE, FALSE);   // no list: nothing
    EXPECT_FALSE(adjustable());
    EXPECT_FALSE(Bar().IsCustomizable(TRUE));
    Bar().SetButtonsIds(ids, 2);
    EXPECT_TRUE(Bar().IsCustomizable(TRUE));
    EXPECT_FALSE(adjustable());
    struct Case
    {
        BOOL bCustomizable, bAdvanced, bAdjustable, bIsAdvanced;
    } cases[] = {{TRUE, FALSE, TRUE, FALSE}, {TRUE, TRUE, FALSE, TRUE}, {FALSE, FALSE, FALSE, FALSE}, {FALSE, TRUE, FALSE, FALSE}};
    for (const Case& c : cases) {
        Bar().SetCustomizable(c.bCustomizable, c.bAdvanced);
        EXPECT_EQ(c.bAdjustable, adjustable()) << c.bCustomizable << c.bAdvanced;
        EXPECT_EQ(c.bAdjustable, Bar().IsCustomizable(FALSE));
        EXPECT_EQ(c.bIsAdvanced, Bar().IsCustomizable(TRUE)) << c.bCustomizable << c.bAdvanced;
    }
    // Entering customization mode makes a bar with a list advanced.
    Bar().SetCustomizationMode(TRUE, m_frame->m_hWnd);
    EXPECT_TRUE(Bar().IsCustomizable(TRUE));
}

TEST_F(CoolToolBarCustomizeTest, CustomButtonsSitOnSeparatorsAndFollowTheirIndexes)
{
    ASSERT_TRUE(Bar().InsertComboBox(1, m_nCombo));
    ASSERT_NE(nullptr, m_combo.GetControlWindow());
    EXPECT_EQ(Bar().GetCustomButtonWnd(1), m_combo.GetControlWindow());
    EXPECT_TRUE(IsSeparator(1));
    EXPECT_EQ(100, Button(1).iBitmap);
    EXPECT_EQ(IDC_BT_COMBO, Button(1).idCommand);
    // Placed on its separator, one pixel down on a bar whose first button
    // ends at 22.
    CRect rectItem, rectCombo, rectFirst;
    Bar().GetItemRect(1, rectItem);
    Bar().GetItemRect(0, rectFirst);
    m_combo.GetControlWindow()->GetWindowRect(rectCombo);
    Bar().ScreenToClient(rectCombo);
    EXPECT_EQ(rectItem.left + 2, rectCombo.left);
    EXPECT_EQ(rectItem.top + COXCoolToolBar::ComboBoxOffset(rectFirst.bottom), rectCombo.top);
    EXPECT_TRUE(m_combo.GetControlWindow()->IsWindowVisible());

    // An edit, a slider and a date picker, each at its place.
    ASSERT_TRUE(Bar().InsertEditBox(0, m_nEdit, "drill"));
    EXPECT_EQ(Bar().GetCustomButtonWnd(2), m_combo.GetControlWindow()) << "moved up with the insertion";
    int nSlider = COXCoolToolBar::AddCustomButton(&m_slider, IDC_BT_SLIDER, 90);
    int nDate = COXCoolToolBar::AddCustomButton(&m_date, IDC_BT_DATE, 110);
    ASSERT_TRUE(Bar().InsertSlider(Count(), nSlider));
    SYSTEMTIME st = {2026, 12, 4, 10, 0, 0, 0, 0};
    ASSERT_TRUE(Bar().InsertDateTimePicker(Count(), nDate, &st));
    SYSTEMTIME read = {};
    ASSERT_EQ(GDT_VALID, Bar().GetCustomButtonWnd(Count() - 1)->SendMessage(DTM_GETSYSTEMTIME, 0, (LPARAM)&read));
    EXPECT_EQ(2026, read.wYear);
    EXPECT_EQ(4, Bar().GetCustomButtonCount());
    char szClass[32] = "";
    ::GetClassNameA(Bar().GetCustomButtonWnd(Count() - 2)->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ(TRACKBAR_CLASSA, szClass);

    // A move carries the control with its button.
    Bar().MoveButton(2, 4);
    EXPECT_EQ(Bar().GetCustomButtonWnd(4), m_combo.GetControlWindow());
    EXPECT_EQ(nullptr, Bar().GetCustomButtonWnd(2));

    // Deleting it tells the control.
    Bar().DeleteButton(4);
    EXPECT_EQ(1, m_combo.m_nRemoved);
    EXPECT_FALSE(Bar().IsCustomButton(4) && Bar().GetCustomButtonWnd(4) == m_combo.GetControlWindow());
    EXPECT_EQ(3, Bar().GetCustomButtonCount());

    // Failures leave the bar as it was.
    const int nCount = Count();
    EXPECT_FALSE(Bar().InsertCustomButton(nCount + 1, m_nCombo));
    EXPECT_FALSE(Bar().InsertCustomButton(0, 99));
    EXPECT_EQ(nCount, Count());
}

TEST_F(CoolToolBarCustomizeTest, AControlShownOnlyHorizontallyIsAnImageWhenDockedLeft)
{
    ASSERT_TRUE(Bar().InsertEditBox(1, m_nEdit));
    CWnd* pEdit = m_edit.GetControlWindow();
    ASSERT_TRUE(pEdit->IsWindowVisible());
    m_frame->DockControlBar(&Bar(), AFX_IDW_DOCKBAR_LEFT);
    m_frame->RecalcLayout();
    Bar().UpdateCustomButtons();
    EXPECT_FALSE(pEdit->IsWindowVisible());
    TBBUTTON button = Button(1);
    EXPECT_FALSE(button.fsStyle & TBSTYLE_SEP);
    EXPECT_TRUE(button.fsStyle & TBSTYLE_AUTOSIZE);
    EXPECT_EQ(1, button.iBitmap);
    EXPECT_EQ(IDC_BT_EDIT, button.idCommand);
    EXPECT_TRUE(Bar().IsWindowVisible());

    m_frame->DockControlBar(&Bar(), AFX_IDW_DOCKBAR_TOP);
    m_frame->RecalcLayout();
    Bar().UpdateCustomButtons();
    EXPECT_TRUE(pEdit->IsWindowVisible());
    EXPECT_TRUE(IsSeparator(1));
}

// A layout made for good (LM_COMMIT) takes every control along with its
// separator at once; the idle update then finds each where it belongs.
TEST_F(CoolToolBarCustomizeTest, ACommittedLayoutTakesTheControlsAlong)
{
    ASSERT_TRUE(Bar().InsertComboBox(3, m_nCombo));
    ASSERT_TRUE(Bar().InsertEditBox(5, m_nEdit, "drill"));
    auto offsets = [&] {
        std::vector<CPoint> result;
        for (int nIndex : {3, 5}) {
            CRect rectItem, rectControl;
            Bar().GetItemRect(nIndex, rectItem);
            Bar().GetCustomButtonWnd(nIndex)->GetWindowRect(rectControl);
            Bar().ScreenToClient(rectControl);
            result.push_back(CPoint(rectControl.left - rectItem.left, rectControl.top - rectItem.top));
        }
        return result;
    };
    const std::vector<CPoint> placed = offsets();
    CRect rectFirst;
    Bar().GetItemRect(5, rectFirst);
    // One button a row, then one row again.
    for (DWORD dwMode : {(DWORD)LM_COMMIT, (DWORD)(LM_HORZ | LM_COMMIT)}) {
        Bar().CalcDynamicLayout(-1, dwMode);
        EXPECT_EQ(placed, offsets()) << dwMode;
        Bar().SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        EXPECT_EQ(placed, offsets()) << dwMode << " after the idle update";
        CRect rect;
        Bar().GetItemRect(5, rect);
        EXPECT_EQ(!(dwMode & LM_HORZ), rect.TopLeft() != rectFirst.TopLeft()) << "the edit's separator moved";
    }
}

// Texts and button sizes move the buttons and the separators that carry the
// controls: each control goes with its separator at once, and the idle
// update that follows the bar's next layout finds nothing to move.
TEST_F(CoolToolBarCustomizeTest, TheControlsFollowTheirSeparatorsWhenTheButtonsChangeSize)
{
    ASSERT_TRUE(Bar().InsertComboBox(3, m_nCombo));
    ASSERT_TRUE(Bar().InsertEditBox(5, m_nEdit, "drill"));
    // left, top, right, bottom of each control in the bar
    auto controls = [&] {
        std::vector<std::vector<long>> rects;
        for (int nIndex : {3, 5}) {
            CRect rect;
            Bar().GetCustomButtonWnd(nIndex)->GetWindowRect(rect);
            Bar().ScreenToClient(rect);
            rects.push_back({rect.left, rect.top, rect.right, rect.bottom});
        }
        return rects;
    };
    auto idle = [&] {
        m_frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        PumpPending();
    };
    struct Step
    {
        const char* name;
        int nTextType;
        BOOL bUpdateSizes;
    } steps[] = {
        {"texts on", OXTB_TEXT_TOOLTIP, FALSE},
        {"texts off", OXTB_TEXT_NONE, FALSE},
        {"texts on, sizes updated", OXTB_TEXT_TOOLTIP, TRUE},
        {"texts off, sizes updated", OXTB_TEXT_NONE, TRUE},
    };
    for (const Step& step : steps) {
        CRect rectBefore;
        Bar().GetItemRect(3, rectBefore);
        Bar().SetTextType(step.nTextType);
        if (step.bUpdateSizes)
            Bar().UpdateSizes();
        CRect rectItem;
        Bar().GetItemRect(3, rectItem);
        ASSERT_NE(rectBefore, rectItem) << step.name << ": the separator stayed";
        const std::vector<std::vector<long>> placed = controls();
        for (size_t i = 0; i < placed.size(); ++i) {
            Bar().GetItemRect(i == 0 ? 3 : 5, rectItem);
            EXPECT_EQ(rectItem.left + 2, placed[i][0]) << step.name << ", control " << i << " left its separator";
            EXPECT_EQ(rectItem.right - 2, placed[i][2]) << step.name << ", control " << i;
        }
        idle();
        m_frame->RecalcLayout();
        PumpPending();
        idle();
        EXPECT_EQ(placed, controls()) << step.name << ": the controls jumped at the idle update";
    }
}

TEST_F(CoolToolBarCustomizeTest, TheEndsOfTheBarKeepNoSeparator)
{
    // Deleting the last button leaves no separator at the end.
    Bar().DeleteButton(4);
    Bar().DeleteButton(3);
    EXPECT_EQ(2, Count());
    EXPECT_FALSE(IsSeparator(1));
    // Nor at the start.
    Bar().SetCustomizedButton(1);
    Bar().DoCustomizeCommand(ID_OXCUSTTB_SEPARATOR_BEFORE);
    ASSERT_EQ(3, Count());
    Bar().DeleteButton(0);
    EXPECT_EQ(1, Count());
    EXPECT_FALSE(IsSeparator(0));
    // A separator carrying a control stays.
    ASSERT_TRUE(Bar().InsertComboBox(0, m_nCombo));
    Bar().DeleteButton(1);
    EXPECT_EQ(1, Count());
    EXPECT_TRUE(Bar().IsCustomButton(0));
}

TEST_F(CoolToolBarCustomizeTest, CommandsWithAndWithoutAVeto)
{
    Bar().SetTextType(OXTB_TEXT_TOOLTIP);
    Bar().SetCustomizationMode(TRUE, m_frame->m_hWnd);
    Bar().SetCustomizedButton(0);
    ASSERT_STREQ("Web search", Bar().GetButtonText(0));

    // Taken over by the notification window: nothing happens here.
    m_frame->m_lAnswer = 1;
    m_frame->m_commands.clear();
    for (int nCommand = ID_OXCUSTTB_DELETE; nCommand <= ID_OXCUSTTB_SEPARATOR_AFTER; ++nCommand)
        EXPECT_TRUE(Bar().DoCustomizeCommand(nCommand));
    EXPECT_EQ((std::vector<int>{32893, 32894, 32895, 32896, 32897, 32898}), m_frame->m_commands);
    EXPECT_EQ(5, Count());
    EXPECT_STREQ("Web search", Bar().GetButtonText(0));

    // Left to the bar.
    m_frame->m_lAnswer = 0;
    EXPECT_FALSE(Bar().DoCustomizeCommand(ID_OXCUSTTB_IMAGEANDTEXT)) << "it has a text already";
    EXPECT_TRUE(Bar().DoCustomizeCommand(ID_OXCUSTTB_IMAGEONLY));
    EXPECT_STREQ("", Bar().GetButtonText(0));
    EXPECT_FALSE(Bar().DoCustomizeCommand(ID_OXCUSTTB_IMAGEONLY)) << "no text to hide";
    EXPECT_TRUE(Bar().DoCustomizeCommand(ID_OXCUSTTB_IMAGEANDTEXT));
    EXPECT_STREQ("Web search", Bar().GetButtonText(0));

    EXPECT_TRUE(Bar().DoCustomizeCommand(ID_OXCUSTTB_SEPARATOR_AFTER));
    EXPECT_TRUE(IsSeparator(1));
    EXPECT_EQ(-1, Button(1).iBitmap);
    EXPECT_EQ(0, Button(1).idCommand);
    EXPECT_TRUE(Bar().DoCustomizeCommand(ID_OXCUSTTB_SEPARATOR_BEFORE));
    EXPECT_TRUE(IsSeparator(0));
    EXPECT_EQ(1, Bar().GetCustomizedButton()) << "the selection moves with its button";
    m_frame->m_commands.clear();
    EXPECT_TRUE(Bar().DoCustomizeCommand(ID_OXCUSTTB_DELETE));
    EXPECT_EQ(-1, Bar().GetCustomizedButton());
    EXPECT_EQ((std::vector<int>{32893, 32892}), m_frame->m_commands);
}

TEST_F(CoolToolBarCustomizeTest, TheContextMenuFitsTheButton)
{
    Bar().SetTextType(OXTB_TEXT_TOOLTIP);
    auto items = [&](int nButton) {
        CMenu menu;
        Bar().BuildCustomizeMenu(menu, nButton);
        std::vector<std::pair<UINT, UINT>> result;   // id, checked/greyed
        for (int i = 0; i < (int)menu.GetMenuItemCount(); ++i) {
            UINT nID = menu.GetMenuItemID(i);
            if (nID == 0)
                continue;
            result.push_back({nID, menu.GetMenuState(i, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED)});
        }
        return result;
    };
    // The first button, with a text: no separator before it.
    EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{32893, 0}, {32894, 0}, {32895, 0}, {32896, MF_CHECKED}, {32897, MF_GRAYED},
                                                  {32898, 0}}),
              items(0));
    // Before the separator, without text: image only checked, no separator after.
    EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{32893, 0}, {32894, 0}, {32895, MF_CHECKED}, {32896, 0},
                                                  {32897, 0}, {32898, MF_GRAYED}}),
              items(1));
    // A custom button has no text items.
    ASSERT_TRUE(Bar().InsertComboBox(5, m_nCombo));
    EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{32893, 0}, {32894, 0}, {32897, 0}, {32898, MF_GRAYED}}), items(5));
    CString str;
    ASSERT_TRUE(str.LoadString(IDS_OX_CUSTTB_SEPARATORAFTER));
}

TEST_F(CoolToolBarCustomizeTest, SelectingWithTheMouse)
{
    const UINT ids[] = {IDS_BT_SEARCH};
    Bar().SetButtonsIds(ids, 1);
    ASSERT_TRUE(Bar().InsertComboBox(5, m_nCombo));
    Bar().SetCustomizationMode(TRUE, m_frame->m_hWnd);
    EXPECT_TRUE(m_combo.m_bMode);
    auto pressAt = [&](UINT nMsg, int nIndex) {
        CRect rect;
        Bar().GetItemRect(nIndex, rect);
        // the control covers its separator's middle: its edge is the bar's
        Bar().SendMessage(nMsg, 0, MAKELPARAM(rect.left + 1, rect.top + 1));
    };
    m_frame->m_commands.clear();
    pressAt(WM_RBUTTONDOWN, 3);
    EXPECT_EQ(3, Bar().GetCustomizedButton());
    pressAt(WM_MBUTTONDOWN, 5);
    EXPECT_EQ(5, Bar().GetCustomizedButton()) << "a separator carrying a control";
    pressAt(WM_RBUTTONDOWN, 2);
    EXPECT_EQ(-1, Bar().GetCustomizedButton()) << "a plain separator";
    EXPECT_EQ((std::vector<int>{32892, 32892, 32892}), m_frame->m_commands);
    Bar().SetCustomizationMode(FALSE);
    EXPECT_FALSE(m_combo.m_bMode);
}

// The mode swallows the left release: a left press selects and leaves the
// mouse free, or every later click in the program would go to the bar.
TEST_F(CoolToolBarCustomizeTest, ALeftPressSelectsAndKeepsNoCapture)
{
    const UINT ids[] = {IDS_BT_SEARCH};
    Bar().SetButtonsIds(ids, 1);
    Bar().SetCustomizationMode(TRUE, m_frame->m_hWnd);
    for (int nIndex : {3, 0}) {
        CRect rect;
        Bar().GetItemRect(nIndex, rect);
        const LPARAM lPoint = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        EXPECT_EQ(nIndex, Bar().GetCustomizedButton());
        EXPECT_EQ(NULL, ::GetCapture()) << "after the press on " << nIndex;
        EXPECT_FALSE(Bar().SendMessage(TB_GETSTATE, Bar().GetItemID(nIndex)) & TBSTATE_PRESSED);
        Bar().SendMessage(WM_LBUTTONUP, 0, lPoint);
        EXPECT_EQ(NULL, ::GetCapture()) << "after the release on " << nIndex;
    }
    Bar().SetCustomizationMode(FALSE);
}

TEST_F(CoolToolBarCustomizeTest, TheCustomizeDialogsTextsFitTheirBuffer)
{
    const UINT ids[] = {IDS_BT_SEARCH, IDS_BT_EXPORT};
    Bar().SetButtonsIds(ids, 2);
    struct Case
    {
        int iItem, cchText;
        LRESULT lResult;
        const char* pszText;
    } cases[] = {{0, 64, TRUE, "Web search"}, {0, 5, TRUE, "Web "}, {1, 64, TRUE, ""}, {2, 64, FALSE, "XXXXXXXX"}};
    for (const Case& c : cases) {
        char szText[64];
        memset(szText, 'X', sizeof(szText));
        szText[8] = '\0';
        NMTOOLBARA nm = {};
        nm.hdr.hwndFrom = Bar().m_hWnd;
        nm.hdr.idFrom = Bar().GetDlgCtrlID();
        nm.hdr.code = TBN_GETBUTTONINFOA;
        nm.iItem = c.iItem;
        nm.pszText = szText;
        nm.cchText = c.cchText;
        LRESULT lResult = Bar().GetParent()->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
        EXPECT_EQ(c.lResult, lResult) << c.iItem;
        EXPECT_STREQ(c.pszText, szText) << c.iItem << " " << c.cchText;
        if (c.lResult) {
            EXPECT_EQ((int)ids[c.iItem], nm.tbButton.idCommand);
            EXPECT_EQ(c.iItem, nm.tbButton.iBitmap);
            EXPECT_EQ(TBSTATE_ENABLED, nm.tbButton.fsState);
        }
    }
}

} // namespace

