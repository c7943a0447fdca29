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
    COXCustomButtonWnd m_combo{"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL};
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
    ASSERT_TRUE(state.Create());
    COXCoolToolBar& bar = state.Bar();
    ASSERT_TRUE(bar.InsertComboBox(1, state.m_nCombo));
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

// The first run finds nothing stored: the bar keeps the buttons it was made
// with, its custom button included.
TEST(CoolToolBarStateTest, ABarNeverSavedKeepsItsButtons)
{
    DeleteState();
    CoolToolBarState state;
    ASSERT_TRUE(state.Create());
    COXCoolToolBar& bar = state.Bar();
    ASSERT_TRUE(bar.InsertComboBox(1, state.m_nCombo));
    const auto before = state.Buttons();
    bar.LoadBarState(kSection, "Main");
    EXPECT_EQ(before, state.Buttons());
    EXPECT_EQ(1, bar.GetCustomButtonCount());
    EXPECT_EQ(state.m_combo.GetControlWindow(), bar.GetCustomButtonWnd(1));
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
