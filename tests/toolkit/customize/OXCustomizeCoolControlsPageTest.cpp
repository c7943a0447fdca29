// The cool controls page: the type table and which windows it lets the
// organizer convert, a window of every type converted or left by its state,
// the page in the manager (Apply, OK with its profile values as "reg query"
// shows them, a restarted program reading them back, Cancel writing nothing).
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <commctrl.h>
#include <map>
#include <string>
#include <vector>

#include "CustomizePageTestSupport.h"
#include "OXCustomizeCoolControlsPage.h"
#include "toolkit_res.h"

using namespace pagetest;

namespace {

const char kSection[] = "CoolPageTest";
const char kTreeSection[] = "CoolPageTest_TreeControlTypes";

class CTestCoolPage : public COXCustomizeCoolControlsPage
{
public:
    using COXCustomizeCoolControlsPage::m_treeControlTypes;
};

// A top-level window holding one plain control of every type, none of them
// with an object of its own, as a program's dialogs have them.
class CControlHost
{
public:
    CControlHost()
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        ::InitCommonControlsEx(&icc);
        ::LoadLibraryA("riched32.dll");
        m_hWnd = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, NULL, NULL,
                                   ::GetModuleHandleA(NULL), NULL);
        const DWORD extra[COXCustomizeCoolControlsPage::nTypeCount] = {
            ES_AUTOHSCROLL, BS_PUSHBUTTON, CBS_DROPDOWNLIST, 0, LVS_REPORT, 0, 0, SBS_HORZ, 0, 0, 0, 0, 0, 0, 0};
        for (int i = 0; i < COXCustomizeCoolControlsPage::nTypeCount; i++) {
            const COXCustomizeCoolControlsPage::TypeInfo& type = COXCustomizeCoolControlsPage::GetTypes()[i];
            m_controls[i] = ::CreateWindowExA(0, type.lpszClassName, "", WS_CHILD | WS_VISIBLE | extra[i], 4,
                                              4 + i * 24, 200, 20, m_hWnd, (HMENU)(INT_PTR)(100 + i),
                                              ::GetModuleHandleA(NULL), NULL);
        }
    }
    ~CControlHost() { ::DestroyWindow(m_hWnd); }
    HWND Control(int nType) const { return m_controls[nType]; }

    HWND m_hWnd;
    HWND m_controls[COXCustomizeCoolControlsPage::nTypeCount];
};

// Which types of the host the organizer converted, as a string of 0 and 1.
std::string Converted(COXCoolControlOrganizer& organizer, const CControlHost& host)
{
    std::string s;
    for (int i = 0; i < COXCustomizeCoolControlsPage::nTypeCount; i++)
        s += organizer.IsAttachedWindow(host.Control(i)) ? '1' : '0';
    return s;
}

std::string States(const COXCustomizeCoolControlsPage& page)
{
    std::string s;
    for (int i = 0; i < COXCustomizeCoolControlsPage::nTypeCount; i++)
        s += (char)('0' + page.GetTypeState(i));
    return s;
}

TEST(OXCustomizeCoolControlsPage, TheTypeTableAndWhichWindowsConvert)
{
    COXCustomizeCoolControlsPage page;
    EXPECT_EQ(page.GetTitle(), "Cool controls");
    EXPECT_EQ(page.GetGroup(), "Customize");
    EXPECT_EQ(page.GetImageResource(), (UINT)IDB_OX_COOL_PAGE);
    EXPECT_FALSE(page.GetTooltip().IsEmpty());
    EXPECT_EQ(States(page), "111111111111111");

    const struct { const char* pszClass; int nType; } classes[] = {
        {"Edit", 0}, {"Button", 1}, {"ComboBox", 2}, {"SysTreeView32", 3}, {"SysListView32", 4},
        {"LISTBOX", 5}, {"ListBox", 5}, {"msctls_updown32", 6}, {"ScrollBar", 7}, {"msctls_progress32", 8},
        {"msctls_trackbar32", 9}, {"msctls_hotkey32", 10}, {"RICHEDIT", 11}, {"SysDateTimePick32", 12},
        {"SysMonthCal32", 13}, {"SysIPAddress32", 14}, {"edit", 0},
        {"Static", -1}, {"RichEdit20A", -1}, {"MyCustomControl", -1}, {"", -1},
    };
    for (const auto& c : classes) {
        SCOPED_TRACE(c.pszClass);
        EXPECT_EQ(page.FindClassType(c.pszClass), c.nType);
    }

    // Type 5 left alone: list boxes by either spelling are refused; a class
    // outside the table is the page's to allow.
    ASSERT_TRUE(page.SetTypeState(5, 0));
    EXPECT_FALSE(page.SetTypeState(15, 0));
    EXPECT_FALSE(page.SetTypeState(0, 2));
    EXPECT_FALSE(page.IsConvertibleWindow(NULL, "ListBox"));
    EXPECT_FALSE(page.IsConvertibleWindow(NULL, "LISTBOX"));
    EXPECT_TRUE(page.IsConvertibleWindow(NULL, "Edit"));
    EXPECT_TRUE(page.IsConvertibleWindow(NULL, "MyCustomControl"));
    // The organizer asks its own rule first: it has no cool form for it.
    EXPECT_FALSE(page.GetOrganizer().CanConvertWindow(NULL, "MyCustomControl"));
    EXPECT_FALSE(page.GetOrganizer().CanConvertWindow(NULL, "ListBox"));
    EXPECT_TRUE(page.GetOrganizer().CanConvertWindow(NULL, "SysIPAddress32"));
}

TEST(OXCustomizeCoolControlsPage, InitializingReadsTheProfileAndIgnoresStrayValues)
{
    DeleteProfileSection(kSection);
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(kSection, "ConvertCommonToCool", 0);
    pApp->WriteProfileInt(kSection, "ControlTypeState_3", 0);
    pApp->WriteProfileInt(kSection, "ControlTypeState_4", 7);    // stray: the state stays
    pApp->WriteProfileInt(kSection, "ControlTypeState_5", -1);
    pApp->WriteProfileInt(kSection, "ControlTypeState_15", 0);   // no such type

    COXCustomizeCoolControlsPage page;
    ASSERT_TRUE(page.InitializeCoolControls(TRUE, kSection));
    EXPECT_FALSE(page.IsConvertingCommonToCool());   // the stored flag wins over the argument
    EXPECT_FALSE(page.GetOrganizer().IsAttached());
    EXPECT_EQ(page.GetProfileName(), kSection);
    EXPECT_EQ(States(page), "111011111111111");

    // No profile name: the argument holds and nothing is read.
    COXCustomizeCoolControlsPage plain;
    ASSERT_TRUE(plain.InitializeCoolControls(FALSE, ""));
    EXPECT_TRUE(plain.GetProfileName().IsEmpty());
    EXPECT_EQ(States(plain), "111111111111111");
    DeleteProfileSection(kSection);
}

// Every type, converted while its state is 1 and left while it is 0: even
// types off (from the profile, which applies to windows that exist at start),
// then odd types off; with conversion off, nothing.
TEST(OXCustomizeCoolControlsPage, EveryTypeConvertsByItsState)
{
    CControlHost host;
    for (int i = 0; i < COXCustomizeCoolControlsPage::nTypeCount; i++)
        ASSERT_NE(host.Control(i), (HWND)NULL) << COXCustomizeCoolControlsPage::GetTypes()[i].lpszClassName;

    DeleteProfileSection(kSection);
    for (int i = 0; i < COXCustomizeCoolControlsPage::nTypeCount; i += 2) {
        CString sEntry;
        sEntry.Format("ControlTypeState_%d", i);
        AfxGetApp()->WriteProfileInt(kSection, sEntry, 0);
    }
    AfxGetApp()->WriteProfileInt(kSection, "ConvertCommonToCool", 1);
    {
        COXCustomizeCoolControlsPage page;
        ASSERT_TRUE(page.InitializeCoolControls(FALSE, kSection));
        ASSERT_TRUE(page.GetOrganizer().IsAttached());
        EXPECT_EQ(Converted(page.GetOrganizer(), host), "010101010101010");
    }
    DeleteProfileSection(kSection);
    {
        COXCustomizeCoolControlsPage page;
        for (int i = 1; i < COXCustomizeCoolControlsPage::nTypeCount; i += 2)
            page.SetTypeState(i, 0);
        ASSERT_TRUE(page.InitializeCoolControls(TRUE, ""));
        EXPECT_EQ(Converted(page.GetOrganizer(), host), "101010101010101");
        // The page's end hands every control back.
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(host.Control(0)), nullptr);
    {
        COXCustomizeCoolControlsPage page;
        ASSERT_TRUE(page.InitializeCoolControls(FALSE, ""));
        EXPECT_FALSE(page.GetOrganizer().IsAttached());
        EXPECT_EQ(Converted(page.GetOrganizer(), host), "000000000000000");
    }
}

class OXCustomizeCoolControlsPageDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        DeleteProfileSection(kSection);
        DeleteProfileSection(kTreeSection);
    }
    std::vector<std::string> TreeTexts(CTestCoolPage& page)
    {
        std::vector<std::string> texts;
        CTreeCtrl& tree = page.m_treeControlTypes;
        HTREEITEM hRoot = tree.GetRootItem();
        texts.push_back((LPCTSTR)tree.GetItemText(hRoot));
        for (HTREEITEM h = tree.GetChildItem(hRoot); h != NULL; h = tree.GetNextSiblingItem(h))
            texts.push_back((LPCTSTR)tree.GetItemText(h));
        return texts;
    }
    BOOL Enabled(CWnd& page, UINT nID) { return page.GetDlgItem(nID)->IsWindowEnabled(); }
    void ClickConvert(CWnd& page, BOOL bCheck)
    {
        page.CheckDlgButton(IDC_OX_COOL_CONVERT, bCheck ? BST_CHECKED : BST_UNCHECKED);
        PressPageButton(&page, IDC_OX_COOL_CONVERT);
    }
    CControlHost m_host;
};

// The tree lists the types sorted under their group; the check box enables
// the tree; Apply converts by the ticks; OK writes the values ("reg query"
// reads them) and a restarted program reads them back.
TEST_F(OXCustomizeCoolControlsPageDialogTest, ApplyThenOkStoresWhatARestartReads)
{
    CTestCoolPage page;
    ASSERT_TRUE(page.InitializeCoolControls(FALSE, kSection));
    {
        CPageManager manager(&page);
        ASSERT_TRUE(manager.OpenOn(&page));
        EXPECT_TRUE(page.IsInitialized());
        const std::vector<std::string> texts = TreeTexts(page);
        ASSERT_EQ(texts.size(), 16u);
        EXPECT_EQ(texts[0], "Control types");
        EXPECT_TRUE(std::is_sorted(texts.begin() + 1, texts.end())) << texts[1] << ", " << texts[2];
        EXPECT_EQ(page.m_treeControlTypes.GetItemState(page.m_treeControlTypes.GetRootItem(), TVIS_BOLD) & TVIS_BOLD,
                  (UINT)TVIS_BOLD);
        EXPECT_FALSE(Enabled(page, IDC_OX_COOL_TYPES));
        EXPECT_FALSE(Enabled(page, IDC_OX_COOL_CHECK_ALL));

        ClickConvert(page, TRUE);
        EXPECT_TRUE(Enabled(page, IDC_OX_COOL_TYPES));
        EXPECT_TRUE(Enabled(page, IDC_OX_COOL_CHECK_ALL));
        ASSERT_TRUE(page.m_treeControlTypes.SetOptionCheck(2, 0));    // Button
        ASSERT_TRUE(page.m_treeControlTypes.SetOptionCheck(15, 0));   // IP address edit box
        manager.Press(IDC_OX_CUSTOMIZE_APPLY);
        ASSERT_TRUE(page.GetOrganizer().IsAttached());
        EXPECT_EQ(Converted(page.GetOrganizer(), m_host), "101111111111110");

        // Check all ticks every type; Apply converts them all anew.
        PressPageButton(&page, IDC_OX_COOL_CHECK_ALL);
        EXPECT_EQ(page.m_treeControlTypes.GetOptionCheck(2), 1);
        manager.Press(IDC_OX_CUSTOMIZE_APPLY);
        EXPECT_EQ(Converted(page.GetOrganizer(), m_host), "111111111111111");

        ASSERT_TRUE(page.m_treeControlTypes.SetOptionCheck(6, 0));    // List box
        manager.Press(IDOK);
        EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
        EXPECT_EQ(Converted(page.GetOrganizer(), m_host), "111110111111111");
    }

    std::map<std::string, std::string> values = RegQuerySection(kSection);
    EXPECT_EQ(values.size(), 16u);
    EXPECT_EQ(values["ConvertCommonToCool"], "1");
    for (int i = 0; i < COXCustomizeCoolControlsPage::nTypeCount; i++)
        EXPECT_EQ(values["ControlTypeState_" + std::to_string(i)], i == 5 ? "0" : "1") << i;
    std::map<std::string, std::string> tree = RegQuerySection(kTreeSection);
    EXPECT_EQ(tree.size(), 15u);
    EXPECT_EQ(tree["6"], "0");
    EXPECT_EQ(tree["1"], "1");

    CTestFolder folder;
    CChild restarted("OXCustomizeCoolControlsPageChild.Report", kSection, folder.File("cool.log"));
    ASSERT_TRUE(restarted.Ended(30000)) << restarted.Log();
    EXPECT_EQ(restarted.Log(), "convert=1 states=111110111111111 list box converted=0 edit converted=1\n");
}

// Cancel writes no value and puts back what was in effect.
TEST_F(OXCustomizeCoolControlsPageDialogTest, CancelWritesNothingAndKeepsTheStatesInEffect)
{
    CTestCoolPage page;
    ASSERT_TRUE(page.InitializeCoolControls(TRUE, kSection));
    EXPECT_EQ(Converted(page.GetOrganizer(), m_host), "111111111111111");
    {
        CPageManager manager(&page);
        ASSERT_TRUE(manager.OpenOn(&page));
        EXPECT_TRUE(Enabled(page, IDC_OX_COOL_TYPES));
        ASSERT_TRUE(page.m_treeControlTypes.SetOptionCheck(1, 0));   // Edit box
        ClickConvert(page, FALSE);
        manager.Press(IDCANCEL);
        EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    }
    // Reading may have made the sections; no value is in them.
    EXPECT_TRUE(RegQuerySection(kSection).empty());
    EXPECT_TRUE(RegQuerySection(kTreeSection).empty());
    EXPECT_TRUE(page.IsConvertingCommonToCool());
    EXPECT_EQ(States(page), "111111111111111");
    EXPECT_EQ(Converted(page.GetOrganizer(), m_host), "111111111111111");
}

// A restarted program: reads the stored values with a host of every type
// made before it starts converting.
TEST(OXCustomizeCoolControlsPageChild, Report)
{
    std::string section, log;
    if (!ChildArgs(section, log))
        GTEST_SKIP() << "started by the cool controls page test only";
    CControlHost host;
    COXCustomizeCoolControlsPage page;
    page.InitializeCoolControls(FALSE, section.c_str());
    std::string line = "convert=" + std::to_string(page.IsConvertingCommonToCool() ? 1 : 0) +
                       " states=" + States(page) +
                       " list box converted=" + (page.GetOrganizer().IsAttachedWindow(host.Control(5)) ? "1" : "0") +
                       " edit converted=" + (page.GetOrganizer().IsAttachedWindow(host.Control(0)) ? "1" : "0") + "\n";
    AppendLog(log, line);
}

} // namespace
