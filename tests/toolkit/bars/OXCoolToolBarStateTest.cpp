// A cool tool bar's state in the profile: the blobs byte by byte, short and
// malformed blobs refused whole, the properties, and a customized bar that
// comes back in a second run of this program.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "OXCoolToolBar.h"
#include "bars_test_res.h"
#include "testdrawing.h"

namespace {

typedef COXCoolToolBar::ButtonState ButtonState;

// ---------------------------------------------------------------------------
// The blobs
// ---------------------------------------------------------------------------
TEST(CoolToolBarBlobs, ButtonsByteByByte)
{
    // Three buttons without texts: a count and 14 bytes each.
    std::vector<ButtonState> buttons = {{18101, 0, TBSTYLE_BUTTON, FALSE, ""},
                                        {0, -1, TBSTYLE_SEP, FALSE, ""},
                                        {18104, 3, TBSTYLE_DROPDOWN, FALSE, ""}};
    std::vector<BYTE> blob = COXCoolToolBar::WriteButtonsBlob(buttons);
    ASSERT_EQ(4u + 3 * 14, blob.size());
    const BYTE first[] = {3, 0, 0, 0, 0xB5, 0x46, 0, 0, 0, 0, 0, 0, TBSTYLE_BUTTON, 0, 0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(first, blob.data(), sizeof(first)));
    EXPECT_EQ(0xFF, blob[4 + 14 + 4]);   // iBitmap -1

    // A text of 300 characters: 0xFF, then a two-byte length.
    std::vector<ButtonState> long1 = {{18101, 0, 0, TRUE, CString('w', 300)}};
    blob = COXCoolToolBar::WriteButtonsBlob(long1);
    ASSERT_EQ(4u + 13 + 3 + 300, blob.size());
    EXPECT_EQ(0xFF, blob[4 + 13]);
    EXPECT_EQ(300 & 0xFF, blob[4 + 14]);
    EXPECT_EQ(300 >> 8, blob[4 + 15]);

    std::vector<ButtonState> read;
    ASSERT_TRUE(COXCoolToolBar::ReadButtonsBlob(blob.data(), (UINT)blob.size(), read));
    ASSERT_EQ(1u, read.size());
    EXPECT_EQ(CString('w', 300), read[0].strText);
    EXPECT_TRUE(read[0].bHasText);
}

TEST(CoolToolBarBlobs, ShortAndMalformedBlobsAreRefusedWhole)
{
    std::vector<ButtonState> buttons = {{18101, 0, 0, TRUE, "Web"}, {18102, 1, 0, FALSE, "Export"}};
    std::vector<BYTE> blob = COXCoolToolBar::WriteButtonsBlob(buttons);
    std::vector<ButtonState> kept = {{1, 2, 3, TRUE, "kept"}};
    for (size_t n = 0; n < blob.size(); ++n) {
        std::vector<ButtonState> read = kept;
        EXPECT_FALSE(COXCoolToolBar::ReadButtonsBlob(blob.data(), (UINT)n, read)) << n << " bytes";
        ASSERT_EQ(1u, read.size());
        EXPECT_STREQ("kept", read[0].strText);
    }
    // A count no blob of this size could hold.
    std::vector<BYTE> garbage = {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
    std::vector<ButtonState> read;
    EXPECT_FALSE(COXCoolToolBar::ReadButtonsBlob(garbage.data(), (UINT)garbage.size(), read));
    garbage = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_FALSE(COXCoolToolBar::ReadButtonsBlob(garbage.data(), (UINT)garbage.size(), read));

    std::vector<std::pair<int, int>> positions = {{1, 18201}, {4, 18202}};
    blob = COXCoolToolBar::WritePositionsBlob(positions);
    ASSERT_EQ(4u + 2 * 8, blob.size());
    std::vector<std::pair<int, int>> back;
    ASSERT_TRUE(COXCoolToolBar::ReadPositionsBlob(blob.data(), (UINT)blob.size(), back));
    EXPECT_EQ(positions, back);
    EXPECT_FALSE(COXCoolToolBar::ReadPositionsBlob(blob.data(), (UINT)blob.size() - 1, back));
    EXPECT_EQ(positions, back);
}

// A custom control with a state of its own in the descriptors blob.
class CStatefulButton : public COXCustomButtonWnd
{
public:
    int m_nState = 0;
    void SaveState(CArchive& ar) override { ar << m_nState; }
    void LoadState(CArchive& ar) override { ar >> m_nState; }
};

// A blob cut in its second record reads nothing into the first control.
TEST(CoolToolBarBlobs, ARefusedDescriptorsBlobLeavesEveryControlAsItWas)
{
    COXCoolToolBar::RemoveAllCustomButtons();
    CStatefulButton first, second;
    ASSERT_EQ(0, COXCoolToolBar::AddCustomButton(&first, 18221, 60));
    ASSERT_EQ(1, COXCoolToolBar::AddCustomButton(&second, 18222, 70));
    first.m_nState = 11;
    second.m_nState = 12;
    const std::vector<BYTE> blob = COXCoolToolBar::WriteDescriptorsBlob();
    ASSERT_EQ(4u + 2 * (5 * 4 + 4), blob.size());
    first.m_nState = second.m_nState = 0;

    EXPECT_FALSE(COXCoolToolBar::ReadDescriptorsBlob(blob.data(), (UINT)blob.size() - 2));
    EXPECT_EQ(0, first.m_nState);
    EXPECT_EQ(0, second.m_nState);
    // A width no bar could show refuses the blob as well.
    std::vector<BYTE> wide = blob;
    wide[4 + 24 + 4] = 0xF0, wide[4 + 24 + 5] = 0xFF, wide[4 + 24 + 6] = 0xFF, wide[4 + 24 + 7] = 0x7F;
    EXPECT_FALSE(COXCoolToolBar::ReadDescriptorsBlob(wide.data(), (UINT)wide.size()));
    EXPECT_EQ(0, first.m_nState);
    OXCUSTOMBUTTONDESCRIPTOR d;
    ASSERT_TRUE(COXCoolToolBar::GetCustomButton(1, d));
    EXPECT_EQ(70, d.m_nWidth);

    ASSERT_TRUE(COXCoolToolBar::ReadDescriptorsBlob(blob.data(), (UINT)blob.size()));
    EXPECT_EQ(11, first.m_nState);
    EXPECT_EQ(12, second.m_nState);
    COXCoolToolBar::RemoveAllCustomButtons();
}

// ---------------------------------------------------------------------------
// A real bar
// ---------------------------------------------------------------------------
const UINT kButtons[] = {IDS_BT_SEARCH, IDS_BT_EXPORT, ID_SEPARATOR, ID_BT_NOSTRING, IDS_BT_OPEN};
const UINT kOffered[] = {IDS_BT_SEARCH, IDS_BT_EXPORT, ID_BT_NOSTRING, IDS_BT_OPEN};
enum { IDC_BT_STATE_COMBO = 18211 };
const char kSection[] = "CoolBarState";

class CStateFrame : public CFrameWnd
{
public:
    COXCoolToolBar m_bar;
};

// A combo box that tells when its button leaves the bar.
class CRemovedCombo : public COXCustomButtonWnd
{
public:
    CRemovedCombo() : COXCustomButtonWnd("ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL) {}
    void OnRemove() override { ++m_nRemoved; }
    int m_nRemoved = 0;
};

// The bar as a program makes it at its start: its buttons, its commands
// offered for customizing, its combo box registered.
class CoolToolBarState
{
public:
    CoolToolBarState()
    {
        COXCoolToolBar::RemoveAllCustomButtons();
        m_nCombo = COXCoolToolBar::AddCustomButton(&m_combo, IDC_BT_STATE_COMBO, 100);
    }
    ~CoolToolBarState()
    {
        m_frame.Destroy();
        COXCoolToolBar::RemoveAllCustomButtons();
    }
    bool Create()
    {
        if (!m_frame.Create("bar state", CRect(50, 50, 650, 300)))
            return false;
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        if (!Bar().Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER) || !Bar().SetButtons(kButtons, 5))
            return false;
        Bar().SetButtonsIds(kOffered, 4);
        Bar().SetTextType(OXTB_TEXT_TOOLTIP);
        Bar().EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&Bar());
        m_frame.Show();
        return true;
    }
    // Created, with the combo box on the bar at 1.
    bool CreateWithCombo() { return Create() && Bar().InsertComboBox(1, m_nCombo); }
    COXCoolToolBar& Bar() { return m_frame->m_bar; }
    std::vector<std::pair<int, CString>> Buttons()
    {
        std::vector<std::pair<int, CString>> result;
        for (int i = 0; i < (int)Bar().SendMessage(TB_BUTTONCOUNT); ++i) {
            TBBUTTON button = {};
            Bar().SendMessage(TB_GETBUTTON, i, (LPARAM)&button);
            result.push_back({(button.fsStyle & TBSTYLE_SEP) ? -button.idCommand - 1 : button.idCommand,
                              Bar().GetButtonText(i)});
        }
        return result;
    }

    CScopedFrame<CStateFrame> m_frame;
    CRemovedCombo m_combo;
    int m_nCombo = -1;
};

void DeleteState()
{
    CWinApp* pApp = AfxGetApp();
    HKEY hApp = pApp->GetAppRegistryKey();
    ASSERT_NE((HKEY)NULL, hApp);
    ::RegDeleteTreeA(hApp, kSection);
    for (const char* pszName : {"Main", "Props"}) {
        CString strProps;
        strProps.Format("%s_%s", kSection, pszName);
        ::RegDeleteTreeA(hApp, strProps);
    }
    ::RegCloseKey(hApp);
}

TEST(CoolToolBarStateTest, PropertiesComeBack)
{
    DeleteState();
    CoolToolBarState state;
    ASSERT_TRUE(state.Create());
    COXCoolToolBar& bar = state.Bar();
    bar.SetBkColor(RGB(1, 2, 3), OXTB_COLOR_HOT);
    bar.SetIndent(4);
    bar.SetSeparator(FALSE);
    ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));

    bar.SetBkColor(CLR_DEFAULT, OXTB_COLOR_HOT);
    bar.SetIndent(0);
    bar.SetSeparator(TRUE);
    bar.SetTextType(OXTB_TEXT_PROMPT);
    ASSERT_TRUE(bar.LoadBarState(kSection, "Main"));
    EXPECT_EQ(RGB(1, 2, 3), bar.GetBkColor(OXTB_COLOR_HOT));
    EXPECT_EQ(CLR_DEFAULT, bar.GetBkColor(OXTB_COLOR_NORMAL));
    EXPECT_EQ(4, bar.GetIndent());
    EXPECT_FALSE(bar.IsSeparator());
    EXPECT_EQ(OXTB_TEXT_TOOLTIP, bar.GetTextType());
    EXPECT_STREQ("Web search", bar.GetButtonText(0));

    // "Gripper" and "Flat" 0 take the styles off; "TextType" 3 over 0
    // leaves no text (where no buttons were saved with theirs).
    CString strProps;
    strProps.Format("%s_%s", kSection, "Props");
    AfxGetApp()->WriteProfileInt(strProps, "Gripper", 0);
    AfxGetApp()->WriteProfileInt(strProps, "Flat", 0);
    AfxGetApp()->WriteProfileInt(strProps, "TextType", 3);
    bar.SetTextType(OXTB_TEXT_PROMPT);
    ASSERT_TRUE(bar.LoadBarState(kSection, "Props"));
    EXPECT_FALSE(bar.IsGripper());
    EXPECT_FALSE(bar.IsFlat());
    EXPECT_EQ(OXTB_TEXT_BYHAND, bar.GetTextType());
    for (const auto& b : state.Buttons())
        EXPECT_STREQ("", b.second) << b.first;
}

// A blob cut short, or a custom button placed outside the bar, is refused
// before anything changes; the bar goes on working.
TEST(CoolToolBarStateTest, ABadBlobLeavesTheBarAsItWas)
{
    DeleteState();
    CoolToolBarState state;
    ASSERT_TRUE(state.CreateWithCombo());
    COXCoolToolBar& bar = state.Bar();
    ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));
    const auto before = state.Buttons();
    CWinApp* pApp = AfxGetApp();

    struct Case
    {
        const char* pszKey;
        int nCut;                // bytes taken off the end, or
        std::vector<BYTE> bytes;  // written instead
    } cases[] = {
        {"Main_ButtonsSettings", 5, {}},
        {"Main_CustomButtonsPositions", 1, {}},
        {"Main_CustomButtonsPositions", 0, {1, 0, 0, 0, 40, 0, 0, 0, 0x23, 0x47, 0, 0}},   // index 40
        {"Main_ButtonsSettings", 0, {0xFF, 0xFF, 0xFF, 0x7F, 0, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));
        std::vector<BYTE> blob = c.bytes;
        if (blob.empty()) {
            LPBYTE pData = NULL;
            UINT nBytes = 0;
            ASSERT_TRUE(pApp->GetProfileBinary(kSection, c.pszKey, &pData, &nBytes));
            blob.assign(pData, pData + nBytes - c.nCut);
            delete[] pData;
        }
        pApp->WriteProfileBinary(kSection, c.pszKey, blob.data(), (UINT)blob.size());
        pApp->WriteProfileInt(kSection, CString(c.pszKey) + "_Size", (int)blob.size());

        bar.SetTextType(OXTB_TEXT_PROMPT);
        const auto prompts = state.Buttons();
        EXPECT_FALSE(bar.LoadBarState(kSection, "Main")) << c.pszKey << " " << blob.size();
        EXPECT_EQ(prompts, state.Buttons()) << c.pszKey;
        EXPECT_EQ(1, bar.GetCustomButtonCount());
        EXPECT_EQ(state.m_combo.GetControlWindow(), bar.GetCustomButtonWnd(1));
        EXPECT_FALSE(bar.m_bInternalChange);
        bar.SetTextType(OXTB_TEXT_TOOLTIP);
    }
    EXPECT_EQ(before, state.Buttons());
}

// A stored size no bar could have (a damaged or edited profile) refuses the
// load before the bar overflows, and so never reaches a later save.
TEST(CoolToolBarStateTest, ValuesOutOfBoundsAreRefused)
{
    DeleteState();
    CoolToolBarState state;
    ASSERT_TRUE(state.CreateWithCombo());
    COXCoolToolBar& bar = state.Bar();
    CWinApp* pApp = AfxGetApp();
    const int kHuge = 0x7FFFFFF0;
    auto blob = [](std::initializer_list<int> values) {
        std::vector<BYTE> bytes;
        for (int n : values)
            for (int i = 0; i < 4; ++i)
                bytes.push_back((BYTE)((unsigned)n >> (8 * i)));
        return bytes;
    };
    // A button blob of two: the one given, and one as saved.
    auto button = [](int idCommand, int iBitmap, BYTE fsStyle) {
        std::vector<BYTE> bytes = {2, 0, 0, 0};
        for (int n : {idCommand, iBitmap})
            for (int i = 0; i < 4; ++i)
                bytes.push_back((BYTE)((unsigned)n >> (8 * i)));
        bytes.insert(bytes.end(), {fsStyle, 0, 0, 0, 0, 0});
        bytes.insert(bytes.end(), {(BYTE)IDS_BT_OPEN, (BYTE)(IDS_BT_OPEN >> 8), 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        return bytes;
    };
    struct Case
    {
        const char* pszKey;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"Toolbars_CustomButtonsSettings", blob({1, IDC_BT_STATE_COMBO, kHuge, -1, 7, -1})},   // width
        {"Toolbars_CustomButtonsSettings", blob({1, IDC_BT_STATE_COMBO, 100, kHuge, 7, -1})},  // height
        {"Toolbars_CustomButtonsSettings", blob({1, IDC_BT_STATE_COMBO, 100, -1, 8, -1})},     // flags
        {"Toolbars_CustomButtonsSettings", blob({1, IDC_BT_STATE_COMBO, 100, -1, 7, kHuge})},  // image
        {"Main_ButtonsSettings", button(IDS_BT_SEARCH, kHuge, TBSTYLE_BUTTON)},                 // image
        {"Main_ButtonsSettings", button(0, kHuge, TBSTYLE_SEP)},                                // width
        {"Main_ButtonsSettings", button(0x10000, 0, TBSTYLE_BUTTON)},                           // command
        {"Main_CustomButtonsPositions", blob({1, 1, kHuge})},                                   // control id
    };
    for (const Case& c : cases) {
        // The registration is read once a process: again after it is made
        // anew.
        COXCoolToolBar::RemoveAllCustomButtons();
        ASSERT_EQ(0, COXCoolToolBar::AddCustomButton(&state.m_combo, IDC_BT_STATE_COMBO, 100));
        ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));
        pApp->WriteProfileBinary(kSection, c.pszKey, (LPBYTE)c.bytes.data(), (UINT)c.bytes.size());
        pApp->WriteProfileInt(kSection, CString(c.pszKey) + "_Size", (int)c.bytes.size());

        EXPECT_FALSE(bar.LoadBarState(kSection, "Main")) << c.pszKey << " " << &c - cases;
        OXCUSTOMBUTTONDESCRIPTOR d;
        ASSERT_TRUE(COXCoolToolBar::GetCustomButton(0, d));
        EXPECT_EQ(100, d.m_nWidth) << &c - cases;
        EXPECT_EQ(-1, d.m_nHeight) << &c - cases;
        EXPECT_EQ(OXCBD_SHOWANY, d.m_nFlags) << &c - cases;
        TBBUTTON combo = {};
        bar.SendMessage(TB_GETBUTTON, 1, (LPARAM)&combo);
        EXPECT_EQ(100, combo.iBitmap) << &c - cases;
        CRect rect;
        state.m_combo.GetControlWindow()->GetWindowRect(rect);
        EXPECT_LT(rect.Width(), 200) << &c - cases;
    }

    // A size among the properties is left out; the rest load.
    CString strProps;
    strProps.Format("%s_%s", kSection, "Props");
    pApp->WriteProfileInt(strProps, "Indent", kHuge);
    pApp->WriteProfileInt(strProps, "MaxButtonsWidth", kHuge);
    pApp->WriteProfileInt(strProps, "Separator", 0);
    bar.LoadBarState(kSection, "Props");
    EXPECT_EQ(0, bar.GetIndent());
    int nMin = 0, nMax = 0;
    bar.GetButtonsMinMaxWidth(nMin, nMax);
    EXPECT_EQ(-1, nMax);
    EXPECT_FALSE(bar.IsSeparator());
    EXPECT_LT(bar.CalcFixedLayout(FALSE, TRUE).cx, 1000);
}

// A load that takes custom buttons off moves the selection and the second
// index with the buttons, and tells the control.
TEST(CoolToolBarStateTest, ALoadThatRemovesCustomButtonsMovesTheSelection)
{
    DeleteState();
    CoolToolBarState state;
    ASSERT_TRUE(state.Create());
    COXCoolToolBar& bar = state.Bar();
    ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));   // five buttons, no combo
    ASSERT_TRUE(bar.InsertComboBox(1, state.m_nCombo));
    bar.SetCustomizationMode(TRUE);
    bar.SetCustomizedButton(5);
    bar.SetSecondButtonIndex(5);
    ASSERT_TRUE(bar.LoadBarState(kSection, "Main"));
    const int nCount = (int)bar.SendMessage(TB_BUTTONCOUNT);
    ASSERT_EQ(5, nCount);
    EXPECT_EQ(4, bar.GetCustomizedButton()) << "selected " << bar.GetCustomizedButton() << " of " << nCount;
    EXPECT_EQ(4, bar.GetSecondButtonIndex());
    EXPECT_EQ((UINT)IDS_BT_OPEN, bar.GetItemID(bar.GetCustomizedButton()));
    EXPECT_EQ(1, state.m_combo.m_nRemoved);
    EXPECT_EQ(0, bar.GetCustomButtonCount());
    EXPECT_FALSE(state.m_combo.GetControlWindow()->IsWindowVisible());
    bar.SetCustomizationMode(FALSE);
}

// Without a registry a customizable bar cannot load its buttons, but its
// properties come from the profile all the same.
TEST(CoolToolBarStateTest, WithoutARegistryTheProperiesStillLoad)
{
    CoolToolBarState state;
    ASSERT_TRUE(state.Create());
    COXCoolToolBar& bar = state.Bar();
    ASSERT_TRUE(bar.IsCustomizable(TRUE));
    CWinApp* pApp = AfxGetApp();
    LPCTSTR pszKey = pApp->m_pszRegistryKey;
    pApp->m_pszRegistryKey = NULL;   // the profile is the INI file now
    CString strProps;
    strProps.Format("%s_%s", kSection, "Ini");
    pApp->WriteProfileInt(strProps, "Indent", 6);
    pApp->WriteProfileInt(strProps, "Separator", 0);
    const BOOL bLoaded = bar.LoadBarState(kSection, "Ini");
    ::WritePrivateProfileStringA(strProps, NULL, NULL, pApp->m_pszProfileName);
    pApp->m_pszRegistryKey = pszKey;
    EXPECT_FALSE(bLoaded);
    EXPECT_EQ(6, bar.GetIndent());
    EXPECT_FALSE(bar.IsSeparator());
}

// The first run finds nothing stored: the bar keeps the buttons it was made
// with, its custom button included.
TEST(CoolToolBarStateTest, ABarNeverSavedKeepsItsButtons)
{
    DeleteState();
    CoolToolBarState state;
    ASSERT_TRUE(state.CreateWithCombo());
    COXCoolToolBar& bar = state.Bar();
    const auto before = state.Buttons();
    bar.LoadBarState(kSection, "Main");
    EXPECT_EQ(before, state.Buttons());
    EXPECT_EQ(1, bar.GetCustomButtonCount());
    EXPECT_EQ(state.m_combo.GetControlWindow(), bar.GetCustomButtonWnd(1));
}

// Separators given to the bar after its save, at its end or between its
// buttons, are gone after the load: it comes back with the saved buttons,
// whether the control's own state is there to restore or only the blobs.
TEST(CoolToolBarStateTest, SeparatorsAddedAfterTheSaveGo)
{
    DeleteState();
    CoolToolBarState state;
    ASSERT_TRUE(state.Create());
    COXCoolToolBar& bar = state.Bar();
    const auto saved = state.Buttons();
    for (BOOL bControlState : {TRUE, FALSE}) {
        ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));
        if (!bControlState) {
            ASSERT_TRUE(AfxGetApp()->WriteProfileString(kSection, "Main", NULL));
        }
        for (const std::vector<int>& added : {std::vector<int>{5}, std::vector<int>{1, 4}, std::vector<int>{5, 6}}) {
            for (int nIndex : added) {
                TBBUTTON separator = {-1, 0, 0, TBSTYLE_SEP, {}, 0, -1};
                ASSERT_TRUE(bar.SendMessage(TB_INSERTBUTTON, nIndex, (LPARAM)&separator));
            }
            ASSERT_EQ(saved.size() + added.size(), state.Buttons().size());
            EXPECT_TRUE(bar.LoadBarState(kSection, "Main"));
            EXPECT_EQ(saved, state.Buttons())
                << (bControlState ? "with" : "without") << " the control's state, separators added at " << added[0]
                << " and after";
        }
    }
}

// A custom button whose control the program no longer registers stays off
// the bar; the rest of the saved bar loads, the buttons after it closing up.
TEST(CoolToolBarStateTest, AControlNoLongerRegisteredLeavesOnlyItsButtonOut)
{
    DeleteState();
    const int IDC_BT_STATE_EDIT = 18212;
    {
        CoolToolBarState state;
        COXCustomButtonWnd edit("Edit", WS_BORDER);
        const int nEdit = COXCoolToolBar::AddCustomButton(&edit, IDC_BT_STATE_EDIT, 80);
        ASSERT_TRUE(state.Create());
        COXCoolToolBar& bar = state.Bar();
        bar.SetTextType(OXTB_TEXT_BYHAND);
        ASSERT_TRUE(bar.InsertEditBox(1, nEdit));
        ASSERT_TRUE(bar.MoveButton(5, 0));   // Open first
        bar.SetButtonText(1, "Look up");
        bar.SetCustomizationMode(TRUE);
        bar.SetCustomizedButton(1);
        ASSERT_TRUE(bar.DoCustomizeCommand(ID_OXCUSTTB_IMAGEONLY));
        bar.SetCustomizationMode(FALSE);
        ASSERT_TRUE(bar.InsertComboBox(4, state.m_nCombo));
        bar.SetIndent(4);
        const std::vector<std::pair<int, CString>> saved = {
            {IDS_BT_OPEN, "Open"}, {IDS_BT_SEARCH, ""}, {-IDC_BT_STATE_EDIT - 1, ""}, {IDS_BT_EXPORT, ""},
            {-IDC_BT_STATE_COMBO - 1, ""}, {-1, ""}, {ID_BT_NOSTRING, ""}};
        ASSERT_EQ(saved, state.Buttons());
        ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));
    }

    CoolToolBarState state;   // the combo box registered, the edit not
    ASSERT_TRUE(state.Create());
    COXCoolToolBar& bar = state.Bar();
    EXPECT_TRUE(bar.LoadBarState(kSection, "Main"));
    const std::vector<std::pair<int, CString>> expected = {
        {IDS_BT_OPEN, "Open"}, {IDS_BT_SEARCH, ""}, {IDS_BT_EXPORT, ""}, {-IDC_BT_STATE_COMBO - 1, ""}, {-1, ""},
        {ID_BT_NOSTRING, ""}};
    EXPECT_EQ(expected, state.Buttons());
    EXPECT_EQ(1, bar.GetCustomButtonCount());
    EXPECT_EQ(state.m_combo.GetControlWindow(), bar.GetCustomButtonWnd(3));
    EXPECT_EQ(4, bar.GetIndent());
    EXPECT_EQ(OXTB_TEXT_BYHAND, bar.GetTextType());
    bar.SetCustomizationMode(TRUE);
    bar.SetCustomizedButton(1);
    EXPECT_TRUE(bar.DoCustomizeCommand(ID_OXCUSTTB_IMAGEANDTEXT));
    EXPECT_STREQ("Look up", bar.GetButtonText(1)) << "the hidden text";
    bar.SetCustomizationMode(FALSE);
}

// ---------------------------------------------------------------------------
// Across a restart: a second run of this program loads what the first saved
// ---------------------------------------------------------------------------
const char kChildVariable[] = "PELLUCOR_COOLBAR_CHILD";

TEST(CoolToolBarRestart, ACustomizedBarComesBack)
{
    DeleteState();
    {
        CoolToolBarState state;
        ASSERT_TRUE(state.Create());
        COXCoolToolBar& bar = state.Bar();
        // Texts kept as set, the first button's hidden, a separator after
        // it, the combo box at the end.
        bar.SetTextType(OXTB_TEXT_BYHAND);
        bar.SetCustomizationMode(TRUE);
        bar.SetCustomizedButton(1);
        ASSERT_TRUE(bar.DoCustomizeCommand(ID_OXCUSTTB_SEPARATOR_BEFORE));
        bar.SetCustomizedButton(0);
        ASSERT_TRUE(bar.DoCustomizeCommand(ID_OXCUSTTB_IMAGEONLY));
        ASSERT_TRUE(bar.InsertComboBox(6, state.m_nCombo));
        bar.SetCustomizationMode(FALSE);
        ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));
        // A later change to the combo box's width: the second save keeps it.
        OXCUSTOMBUTTONDESCRIPTOR d;
        ASSERT_TRUE(COXCoolToolBar::GetCustomButton(state.m_nCombo, d));
        d.m_nWidth = 140;
        ASSERT_TRUE(COXCoolToolBar::UpdateCustomButton(state.m_nCombo, d));
        ASSERT_TRUE(bar.SaveBarState(kSection, "Main"));
    }
    AfxGetApp()->WriteProfileInt(kSection, "ChildRan", 0);

    char szExe[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
    CString strCommand;
    strCommand.Format("\"%s\" --gtest_filter=CoolToolBarRestartChild.*", szExe);
    ::SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = ::CreateProcessA(NULL, strCommand.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    strCommand.ReleaseBuffer();
    ::SetEnvironmentVariableA(kChildVariable, NULL);
    ASSERT_TRUE(bStarted);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 60000)) << "the second run did not end";
    DWORD dwExit = 1;
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(0u, dwExit) << "the second run found another bar (its output is above)";
    EXPECT_EQ(1u, AfxGetApp()->GetProfileInt(kSection, "ChildRan", 0)) << "the second run did not load the bar";
}

TEST(CoolToolBarRestartChild, LoadsTheSavedBar)
{
    if (getenv(kChildVariable) == NULL)
        GTEST_SKIP() << "run by CoolToolBarRestart";
    CoolToolBarState state;
    ASSERT_TRUE(state.Create());
    COXCoolToolBar& bar = state.Bar();
    ASSERT_TRUE(bar.LoadBarState(kSection, "Main"));
    const std::vector<std::pair<int, CString>> expected = {
        {IDS_BT_SEARCH, ""}, {-1, ""}, {IDS_BT_EXPORT, ""}, {-1, ""}, {ID_BT_NOSTRING, ""},
        {IDS_BT_OPEN, "Open"}, {-IDC_BT_STATE_COMBO - 1, ""}};
    EXPECT_EQ(expected, state.Buttons());
    ASSERT_TRUE(bar.IsCustomButton(6));
    CWnd* pCombo = bar.GetCustomButtonWnd(6);
    ASSERT_NE(nullptr, pCombo);
    char szClass[32] = "";
    ::GetClassNameA(pCombo->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("ComboBox", szClass);
    TBBUTTON button = {};
    bar.SendMessage(TB_GETBUTTON, 6, (LPARAM)&button);
    EXPECT_EQ(140, button.iBitmap) << "the width of the second save";
    // The hidden text comes back with the text command.
    bar.SetCustomizedButton(0);
    EXPECT_TRUE(bar.DoCustomizeCommand(ID_OXCUSTTB_IMAGEANDTEXT));
    EXPECT_STREQ("Web search", bar.GetButtonText(0));
    if (!::testing::Test::HasFailure())
        AfxGetApp()->WriteProfileInt(kSection, "ChildRan", 1);
}

} // namespace
