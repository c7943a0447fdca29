// The external-tools file (reading its cut and odd forms, writing it back
// without ever losing the previous file), the tools menu, starting a tool
// and finding one by its hot key.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "ExternalTools.h"
#include "TestFolder.h"
#include "testsupport.h"

namespace {

struct ToolValues {
    const char* title;
    const char* command;
    const char* arguments;
    const char* hotKey;
    int virtualKey;
    int modifiers;
};

class CToolList
{
public:
    ~CToolList() { DeleteExternalTools(m_arr); }
    void Add(const ToolValues& v)
    {
        CExternalTool* p = new CExternalTool;
        p->m_strTitle = v.title;
        p->m_strCommand = v.command;
        p->m_strArguments = v.arguments;
        p->m_strHotKey = v.hotKey;
        p->m_nVirtualKey = (short)v.virtualKey;
        p->m_nModifiers = (short)v.modifiers;
        m_arr.Add(p);
    }
    CExternalToolArray m_arr;
};

void ExpectTool(const CExternalTool* p, const ToolValues& v)
{
    EXPECT_STREQ((LPCSTR)p->m_strTitle, v.title);
    EXPECT_STREQ((LPCSTR)p->m_strCommand, v.command);
    EXPECT_STREQ((LPCSTR)p->m_strArguments, v.arguments);
    EXPECT_STREQ((LPCSTR)p->m_strHotKey, v.hotKey);
    EXPECT_EQ(p->m_nVirtualKey, v.virtualKey);
    EXPECT_EQ(p->m_nModifiers, v.modifiers);
}

struct LoadCase {
    const char* name;
    std::string bytes;
    std::vector<ToolValues> tools;
};

TEST(ExternalToolsFile, ReadsWholeCutAndOddRecords)
{
    const LoadCase cases[] = {
        {"empty file", "", {}},
        {"version only", "1.1\r\n", {}},
        {"any version line", "9.9\r\nA\r\na.exe\r\n-x\r\nCtrl + A\r\n65 2\r\n",
         {{"A", "a.exe", "-x", "Ctrl + A", 65, 2}}},
        {"two tools, last line without its end",
         "1.1\r\nA\r\na.exe\r\n\r\n\r\n0 0\r\nB\r\nb.exe\r\n\"q r\"\r\nAlt + F5\r\n116 4",
         {{"A", "a.exe", "", "", 0, 0}, {"B", "b.exe", "\"q r\"", "Alt + F5", 116, 4}}},
        {"cut after the title", "1.1\r\nOnly title\r\n", {{"Only title", "", "", "", 0, 0}}},
        {"cut in the hot-key text", "1.1\r\nT\r\nc.exe\r\n", {{"T", "c.exe", "", "", 0, 0}}},
        {"numbers line without a blank", "1.1\r\nT\r\nc\r\na\r\nh\r\n65\r\n", {{"T", "c", "a", "h", 0, 65}}},
        {"signs and junk", "1.1\r\nT\r\nc\r\na\r\nh\r\n-3   -2x\r\n", {{"T", "c", "a", "h", -3, -2}}},
        {"no digits", "1.1\r\nT\r\nc\r\na\r\nh\r\nx y\r\n", {{"T", "c", "a", "h", 0, 0}}},
        {"bare line feeds", "1.1\nT\nc\na\nh\n1 2\n", {{"T", "c", "a", "h", 1, 2}}},
    };
    CTestFolder folder;
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        CString path = folder.File("ExternalTools.ini");
        WriteFileBytes(path, c.bytes);
        CToolList list;
        EXPECT_TRUE(LoadExternalTools(list.m_arr, path));
        ASSERT_EQ(list.m_arr.GetSize(), (INT_PTR)c.tools.size());
        for (size_t i = 0; i < c.tools.size(); i++)
            ExpectTool(list.m_arr[i], c.tools[i]);
    }
}

TEST(ExternalToolsFile, MissingFileLeavesTheListAlone)
{
    CTestFolder folder;
    CToolList list;
    list.Add({"kept", "", "", "", 0, 0});
    EXPECT_FALSE(LoadExternalTools(list.m_arr, folder.File("none.ini")));
    ASSERT_EQ(list.m_arr.GetSize(), 1);
    EXPECT_STREQ((LPCSTR)list.m_arr[0]->m_strTitle, "kept");
}

TEST(ExternalToolsFile, WritesTheFormatAndReadsItBack)
{
    CTestFolder folder;
    CString path = folder.File("ExternalTools.ini");
    const std::vector<ToolValues> tools = {
        {"Notepad", "notepad.exe", "C:\\a b.txt", "Ctrl + Shift + N", 78, 3},
        {"Empty", "", "", "", 0, 0},
        {"Negative", "x", "y", "z", -1, -7},
    };
    CToolList list;
    for (const ToolValues& v : tools)
        list.Add(v);
    ASSERT_TRUE(SaveExternalTools(list.m_arr, path));
    EXPECT_EQ(ReadFileBytes(path),
              "1.1\r\nNotepad\r\nnotepad.exe\r\nC:\\a b.txt\r\nCtrl + Shift + N\r\n78 3\r\n"
              "Empty\r\n\r\n\r\n\r\n0 0\r\n"
              "Negative\r\nx\r\ny\r\nz\r\n-1 -7\r\n");
    EXPECT_FALSE(TestPathExists(path + ".tmp"));

    CToolList back;
    ASSERT_TRUE(LoadExternalTools(back.m_arr, path));
    ASSERT_EQ(back.m_arr.GetSize(), (INT_PTR)tools.size());
    for (size_t i = 0; i < tools.size(); i++)
        ExpectTool(back.m_arr[i], tools[i]);

    CToolList none;
    ASSERT_TRUE(SaveExternalTools(none.m_arr, path));
    EXPECT_EQ(ReadFileBytes(path), "1.1\r\n");
}

TEST(ExternalToolsFile, FailedWriteKeepsThePreviousFile)
{
    CTestFolder folder;
    CString path = folder.File("ExternalTools.ini");
    const std::string previous = "1.1\r\nOld\r\nold.exe\r\n\r\n\r\n0 0\r\n";
    WriteFileBytes(path, previous);
    CToolList list;
    list.Add({"New", "new.exe", "", "", 0, 0});

    // The old file held open without delete sharing cannot be replaced.
    HANDLE hHeld = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveExternalTools(list.m_arr, path));
    CloseHandle(hHeld);
    EXPECT_EQ(ReadFileBytes(path), previous);
    EXPECT_FALSE(TestPathExists(path + ".tmp"));

    // A folder that does not exist: nothing is written anywhere.
    CString missing = folder.File("no such folder\\ExternalTools.ini");
    EXPECT_FALSE(SaveExternalTools(list.m_arr, missing));
    EXPECT_FALSE(TestPathExists(missing));
}

struct MenuItem {
    UINT id;
    std::string text;   // "-" for a separator
};

std::vector<MenuItem> MenuItems(CMenu& menu)
{
    std::vector<MenuItem> items;
    for (int i = 0; i < (int)menu.GetMenuItemCount(); i++) {
        char text[256] = "";
        MENUITEMINFOA info = {sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu.GetSafeHmenu(), i, TRUE, &info);
        items.push_back({info.wID, (info.fType & MFT_SEPARATOR) ? "-" : text});
    }
    return items;
}

TEST(ExternalToolsMenu, RebuildsBelowTheFirstItem)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_EXTERNAL_TOOLS, "&External Tools...");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_EXTERNAL_TOOL_FIRST, "stale");

    CToolList list;
    list.Add({"Calc", "calc.exe", "", "", 0, 0});
    list.Add({"Edit", "notepad.exe", "", "Ctrl + E", 69, 2});
    RebuildExternalToolsMenu(&menu, list.m_arr);
    std::vector<MenuItem> items = MenuItems(menu);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].id, (UINT)ID_EXTERNAL_TOOLS);
    EXPECT_EQ(items[0].text, "&External Tools...");
    EXPECT_EQ(items[1].text, "-");
    EXPECT_EQ(items[2].id, (UINT)ID_EXTERNAL_TOOL_FIRST);
    EXPECT_EQ(items[2].text, "Calc");
    EXPECT_EQ(items[3].id, (UINT)ID_EXTERNAL_TOOL_FIRST + 1);
    EXPECT_EQ(items[3].text, "Edit\t        Ctrl + E");

    // Through the update handler's path; with no tools only the first item stays.
    CToolList none;
    CCmdUI cmdUI;
    cmdUI.m_nID = ID_EXTERNAL_TOOLS;
    cmdUI.m_nIndex = 0;
    cmdUI.m_pMenu = &menu;
    cmdUI.m_nIndexMax = menu.GetMenuItemCount();
    UpdateExternalToolsMenu(&cmdUI, none.m_arr);
    ASSERT_EQ(menu.GetMenuItemCount(), 1u);
    EXPECT_EQ(cmdUI.m_nIndexMax, 1u);
    UpdateExternalToolsMenu(&cmdUI, list.m_arr);
    EXPECT_EQ(cmdUI.m_nIndexMax, 4u);

    // The editor's item is enabled.
    EXPECT_FALSE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(menu.GetMenuItemID(0), (UINT)ID_EXTERNAL_TOOLS);

    // A tool-bar button (no menu) is enabled and nothing else is touched.
    struct CRecordingCmdUI : CCmdUI {
        std::vector<BOOL> enables;
        int nOther = 0;
        void Enable(BOOL bOn) override { enables.push_back(bOn); }
        void SetCheck(int) override { nOther++; }
        void SetText(LPCTSTR) override { nOther++; }
    } buttonUI;
    buttonUI.m_nID = ID_EXTERNAL_TOOLS;
    UpdateExternalToolsMenu(&buttonUI, list.m_arr);
    EXPECT_EQ(buttonUI.enables, std::vector<BOOL>{TRUE});
    EXPECT_EQ(buttonUI.nOther, 0);
    EXPECT_EQ(buttonUI.m_pMenu, nullptr);
}

TEST(ExternalToolsStart, StartsTheToolOrWarns)
{
    CTestFolder folder;
    CString marker = folder.File("started.txt");
    CToolList list;
    list.Add({"Echo", "cmd.exe", (LPCSTR)("/c echo started> \"" + marker + "\""), "", 0, 0});
    list.Add({"Broken", "Z:\\no\\such\\program.exe", "", "", 0, 0});

    CDialogAnswerer answerer;
    EXPECT_FALSE(StartExternalTool(list.m_arr, ID_EXTERNAL_TOOL_FIRST - 1));
    EXPECT_FALSE(StartExternalTool(list.m_arr, ID_EXTERNAL_TOOL_FIRST + 2));
    EXPECT_TRUE(answerer.Shown().empty());

    EXPECT_TRUE(StartExternalTool(list.m_arr, ID_EXTERNAL_TOOL_FIRST));
    EXPECT_TRUE(PumpUntil([&] { return ReadFileBytes(marker).find("started") != std::string::npos; }, kWaitMs));

    EXPECT_FALSE(StartExternalTool(list.m_arr, ID_EXTERNAL_TOOL_FIRST + 1));
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Warning");
    EXPECT_EQ(answerer.Shown()[0].text, "Application is unable to execute!. Check its parameters.");
}

TEST(ExternalToolsHotKey, MatchesKeyAndExactModifiers)
{
    CToolList list;
    list.Add({"none", "", "", "", 0, 0});
    list.Add({"F5", "", "", "F5", VK_F5, 0});
    list.Add({"Ctrl+E", "", "", "Ctrl + E", 'E', HOTKEYF_CONTROL});
    list.Add({"Ctrl+Shift+E", "", "", "Ctrl + Shift + E", 'E', HOTKEYF_CONTROL | HOTKEYF_SHIFT});
    const struct {
        UINT key;
        int modifiers;
        int expected;
    } cases[] = {
        {VK_F5, 0, 1},
        {VK_F5, HOTKEYF_ALT, -1},
        {'E', HOTKEYF_CONTROL, 2},
        {'E', HOTKEYF_CONTROL | HOTKEYF_SHIFT, 3},
        {'E', 0, -1},
        {0, 0, -1},   // a tool without a key never matches
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindExternalToolByHotKey(list.m_arr, c.key, c.modifiers), c.expected)
            << "key " << c.key << " modifiers " << c.modifiers;
}

// A hot key without Ctrl or Alt never takes a key that types or edits text
// in an edit; with Ctrl or Alt, or as a function key, it always may.
TEST(ExternalToolsHotKey, KeysWithoutCtrlOrAltAreLeftToTyping)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "b", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    HWND hCombo = ::CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWN, 0, 0, 80, 100, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hEdit && hButton && hCombo);
    HWND hComboEdit = ::GetWindow(hCombo, GW_CHILD);
    ASSERT_NE(hComboEdit, nullptr);
    const struct {
        UINT key;
        int modifiers;
        HWND target;
        BOOL expected;
    } cases[] = {
        {'E', 0, hEdit, FALSE},
        {'E', HOTKEYF_SHIFT, hEdit, FALSE},        // a capital letter
        {VK_LEFT, HOTKEYF_SHIFT, hEdit, FALSE},    // a selection
        {VK_DELETE, 0, hEdit, FALSE},
        {'E', 0, hComboEdit, FALSE},
        {'E', HOTKEYF_CONTROL, hEdit, TRUE},
        {'E', HOTKEYF_ALT, hEdit, TRUE},
        {VK_F5, 0, hEdit, TRUE},
        {VK_F10, HOTKEYF_SHIFT, hEdit, TRUE},
        {'E', 0, hButton, TRUE},
        {VK_DELETE, 0, hButton, TRUE},
        {'E', 0, NULL, TRUE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MayTakeHotKey(c.key, c.modifiers, c.target), c.expected)
            << "key " << c.key << " modifiers " << c.modifiers << " target " << (c.target == hEdit ? "edit" : "other");
    ::DestroyWindow(hEdit);
    ::DestroyWindow(hButton);
    ::DestroyWindow(hCombo);
}

}  // namespace
