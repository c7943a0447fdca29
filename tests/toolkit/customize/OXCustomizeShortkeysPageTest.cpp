// The shortcut keys page: its rules as tables; the command tree built from
// the menus (the gallery's main menu); Ctrl+S pressed in the hot-key field
// shows the command it runs and does not run it; shortcuts assigned,
// removed one by one whatever their keys' names, removed all and reset; a
// document type's table beside the frame's; and OK, Cancel and a second run
// of this program.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CustomizePageTestSupport.h"
#include "OXBitmapMenu.h"
#include "OXCustomizeShortkeysPage.h"
#include "customize_test_res.h"
#include "gallery_res.h"
#include "toolkit_res.h"

namespace {

const char kSection[] = "ShortkeysPageTest";

// The page reads the program's main menu, 128: here the gallery's.
enum : UINT
{
    kNew = ID_GALLERY_BAR_SEARCH,
    kSave = ID_GALLERY_BAR_EXPORT,
    kCopy = ID_GALLERY_BAR_FILTER,
    kPaste = ID_GALLERY_BAR_SHOP,
    kFind = ID_GALLERY_BAR_HISTORY,
    kNoString = ID_GALLERY_SK_NOSTRING
};

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
TEST(ShortkeysPageRules, WhichMenuCommandsAreListed)
{
    struct Case { UINT nID; BOOL bMDI, bString, bListed; };
    const Case cases[] = {
        {0, FALSE, TRUE, FALSE},        {100, FALSE, TRUE, TRUE},      {100, FALSE, FALSE, FALSE},
        {0xE10F, FALSE, TRUE, TRUE},    {0xE110, FALSE, TRUE, FALSE},  {0xE11F, TRUE, TRUE, FALSE},
        {0xE120, FALSE, TRUE, TRUE},    {0xFF00, FALSE, TRUE, TRUE},   {0xFF00, TRUE, TRUE, FALSE},
        {0xFEFF, TRUE, TRUE, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(COXCustomizeShortkeysPage::IsListedCommand(c.nID, c.bMDI, c.bString), c.bListed)
            << c.nID << " mdi " << c.bMDI << " string " << c.bString;
}

TEST(ShortkeysPageRules, TextsAndKeys)
{
    const std::pair<const char*, const char*> texts[] = {
        {"&Save\tCtrl+S", "Save"}, {"Save &As...", "Save As..."}, {"R&&D &tools", "R&D &tools"},
        {"\tCtrl+X", ""},          {"Plain", "Plain"},
    };
    for (const auto& t : texts)
        EXPECT_STREQ(COXCustomizeShortkeysPage::GetItemText(t.first), t.second) << t.first;

    struct KeyCase { DWORD dwHotKey; BOOL bKey; BYTE fVirt; WORD key; };
    const KeyCase keys[] = {
        {0, FALSE, FVIRTKEY, 0},
        {MAKEWORD('S', HOTKEYF_CONTROL), TRUE, FVIRTKEY | FCONTROL, 'S'},
        {MAKEWORD(VK_F5, HOTKEYF_SHIFT | HOTKEYF_ALT), TRUE, FVIRTKEY | FSHIFT | FALT, VK_F5},
        {MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT), TRUE, FVIRTKEY | FCONTROL | FALT, 'K'},
        {MAKEWORD(VK_RETURN, HOTKEYF_EXT), TRUE, FVIRTKEY, VK_RETURN},
    };
    for (const KeyCase& k : keys) {
        ACCEL a = {};
        EXPECT_EQ(COXCustomizeShortkeysPage::HotKeyToAccel(k.dwHotKey, a), k.bKey) << k.dwHotKey;
        EXPECT_EQ(a.fVirt, k.fVirt) << k.dwHotKey;
        EXPECT_EQ(a.key, k.key) << k.dwHotKey;
    }

    EXPECT_STREQ(COXCustomizeShortkeysPage::GetDescriptionPart("Save the file\nSave"), "Save the file");
    EXPECT_STREQ(COXCustomizeShortkeysPage::GetNamePart("Save the file\nSave"), "Save");
    EXPECT_STREQ(COXCustomizeShortkeysPage::GetDescriptionPart("No name"), "No name");
    EXPECT_STREQ(COXCustomizeShortkeysPage::GetNamePart("No name"), "");
}

TEST(ShortkeysPageRules, ControlStates)
{
    typedef COXCustomizeShortkeysPage P;
    struct Case { BOOL bCommand; int nRows; BOOL bProfile, bKey; int nRowData; const char* expected; };
    // hot key, remove all, reset, assign, remove
    const Case cases[] = {
        {FALSE, 0, FALSE, FALSE, INT_MIN, "00000"},
        {TRUE, 0, FALSE, FALSE, INT_MIN, "10000"},
        {TRUE, 2, TRUE, TRUE, P::kRowChosenTable, "11111"},
        {TRUE, 2, TRUE, TRUE, P::kRowFrameTable, "11110"},   // a frame's shortcut under a template's table
        {FALSE, 3, FALSE, TRUE, INT_MIN, "00010"},
    };
    for (const Case& c : cases) {
        P::ControlStates s = P::GetControlStates(c.bCommand, c.nRows, c.bProfile, c.bKey, c.nRowData);
        std::string got;
        for (BOOL b : {s.bHotKey, s.bRemoveAll, s.bReset, s.bAssign, s.bRemove})
            got += b ? '1' : '0';
        EXPECT_EQ(got, c.expected);
    }
}

// ---------------------------------------------------------------------------
// The hot-key field's notices
// ---------------------------------------------------------------------------
class CNoticeRecorder : public CWnd
{
public:
    std::vector<std::string> m_notices;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* pHdr = (const NMHDR*)lParam;
        std::string s = std::to_string((int)pHdr->code) + " id " + std::to_string((int)wParam);
        if (pHdr->code == (UINT)NM_KEYDOWN) {
            const NMKEY* pKey = (const NMKEY*)lParam;
            s += " key " + std::to_string(pKey->nVKey) + " flags " + std::to_string(pKey->uFlags);
        }
        m_notices.push_back(s);
        *pResult = 0;
        return TRUE;
    }
};

TEST(InteractiveHotKeyCtrl, TellsItsParentOfFocusAndKeys)
{
    CNoticeRecorder parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100),
                                NULL, 0));
    COXInteractiveHotKeyCtrl field;
    ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 150, 25), &parent, 77));
    CEdit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(5, 40, 150, 60), &parent, 78));
    parent.SetForegroundWindow();
    field.SetFocus();
    field.SendMessage(WM_KEYDOWN, VK_F6, MAKELPARAM(1, 0x4040));
    other.SetFocus();
    const std::vector<std::string> expected = {"-7 id 77", "-15 id 77 key 117 flags 16448", "-8 id 77"};
    EXPECT_EQ(parent.m_notices, expected);
    // The key reached the field itself first.
    EXPECT_EQ(LOBYTE(field.GetHotKey()), VK_F6);

    // A field whose parent is gone tells no one.
    parent.m_notices.clear();
    field.SetParent(NULL);
    field.SendMessage(WM_KEYDOWN, VK_F7, 0);
    EXPECT_TRUE(parent.m_notices.empty());
    field.DestroyWindow();
    parent.DestroyWindow();
}

// ---------------------------------------------------------------------------
// A real page on a frame
// ---------------------------------------------------------------------------
class CShortkeysFrame : public CFrameWnd
{
public:
    int m_nSaved = 0;

protected:
    afx_msg void OnSave() { m_nSaved++; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CShortkeysFrame, CFrameWnd)
    ON_COMMAND(kSave, &CShortkeysFrame::OnSave)
END_MESSAGE_MAP()

// The frame's own table: Copy has keys of every kind, some of which have
// names that do not read back as the key, or no name at all.
const ACCEL kFrameKeys[] = {
    {FVIRTKEY | FCONTROL, 'S', kSave},   {FVIRTKEY | FCONTROL, 'N', kNew},
    {FVIRTKEY, VK_RETURN, kCopy},        {FVIRTKEY, VK_ESCAPE, kCopy},
    {FVIRTKEY | FSHIFT, VK_SPACE, kCopy}, {FVIRTKEY, VK_TAB, kCopy},
    {FVIRTKEY, VK_DELETE, kCopy},        {FVIRTKEY | FCONTROL, VK_OEM_1, kCopy},
    {FVIRTKEY | FALT, 'Q', kCopy},       {FVIRTKEY, VK_F13, kCopy},
    {FVIRTKEY | FCONTROL, VK_BROWSER_BACK, kCopy},
};

std::string TreeText(CTreeCtrl& tree, HTREEITEM hParent)
{
    std::string s;
    for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h)) {
        if (!s.empty())
            s += ",";
        s += (LPCTSTR)tree.GetItemText(h);
        if (tree.ItemHasChildren(h))
            s += "(" + TreeText(tree, h) + ")";
    }
    return s;
}

HTREEITEM FindPath(CTreeCtrl& tree, std::vector<const char*> path)
{
    HTREEITEM hParent = TVI_ROOT, hFound = NULL;
    for (const char* part : path) {
        hFound = NULL;
        for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h)) {
            if (tree.GetItemText(h) == part) {
                hFound = h;
                break;
            }
        }
        if (hFound == NULL)
            return NULL;
        hParent = hFound;
    }
    return hFound;
}

std::vector<ACCEL> Found(COXShortkeysOrganizer* pOrganizer, UINT nCommand, CDocTemplate* pTemplate = NULL)
{
    CArray<ACCEL, const ACCEL&> arr;
    pOrganizer->FindAccelerators((WORD)nCommand, pTemplate, arr);
    return std::vector<ACCEL>(arr.GetData(), arr.GetData() + arr.GetSize());
}

bool SameKey(const ACCEL& a, const ACCEL& b)
{
    return a.key == b.key && (a.fVirt & ~FNOINVERT) == (b.fVirt & ~FNOINVERT);
}

class ShortkeysPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteProfileSection(kSection);
        m_pSavedMain = AfxGetApp()->m_pMainWnd;
        m_pFrame = new CShortkeysFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "shortcut keys", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
        m_pFrame->m_hAccelTable = ::CreateAcceleratorTableA((ACCEL*)kFrameKeys, (int)std::size(kFrameKeys));
        AfxGetApp()->m_pMainWnd = m_pFrame;
    }
    void TearDown() override
    {
        m_manager.reset();
        m_page.reset();
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_pSavedMain;
        DeleteProfileSection(kSection);
    }
    bool Open(LPCTSTR lpszSection = kSection)
    {
        m_page.reset(new COXCustomizeShortkeysPage);
        if (!m_page->InitializeShortkeys(m_pFrame, lpszSection))
            return false;
        m_manager.reset(new pagetest::CPageManager(m_page.get()));
        return m_manager->OpenOn(m_page.get());
    }
    CTreeCtrl& Tree() { return *(CTreeCtrl*)m_page->GetDlgItem(IDC_OX_SKP_COMMANDS); }
    COXListBoxEx& List() { return *(COXListBoxEx*)m_page->GetDlgItem(IDC_OX_SKP_SHORTCUTS); }
    void Select(std::vector<const char*> path)
    {
        HTREEITEM h = FindPath(Tree(), path);
        ASSERT_NE(h, nullptr) << path.back();
        Tree().SelectItem(h);
    }
    void SelectRow(int nRow)
    {
        List().SetCurSel(nRow);
        m_page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_SKP_SHORTCUTS, LBN_SELCHANGE), (LPARAM)List().m_hWnd);
    }
    BOOL Enabled(UINT nID) { return m_page->GetDlgItem(nID)->IsWindowEnabled(); }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < List().GetCount(); i++) {
            CString s;
            List().GetText(i, s);
            rows.push_back((LPCTSTR)s);
        }
        return rows;
    }
    void Press(UINT nID) { pagetest::PressPageButton(m_page.get(), nID); }

    CWnd* m_pSavedMain = NULL;
    CShortkeysFrame* m_pFrame = NULL;
    std::unique_ptr<COXCustomizeShortkeysPage> m_page;
    std::unique_ptr<pagetest::CPageManager> m_manager;
};

TEST_F(ShortkeysPage, TheTreeHoldsTheMenusCommandsOncePerPlace)
{
    ASSERT_TRUE(Open());
    // "Harvest" and "harvest" are one item; the recent file and the command
    // without a string are left out; Web search is under Harvest and More.
    EXPECT_EQ(TreeText(Tree(), TVI_ROOT), "Harvest(Web search,Shop search,Video search,Stop,News search,History),"
                                          "Keywords(Export...,Filter,More(Web search))");
    HTREEITEM hFile = FindPath(Tree(), {"Harvest"});
    EXPECT_EQ(Tree().GetItemState(hFile, TVIS_BOLD) & TVIS_BOLD, (UINT)TVIS_BOLD);
    EXPECT_EQ(Tree().GetItemData(hFile), (DWORD_PTR)-1);
    EXPECT_EQ(Tree().GetItemData(FindPath(Tree(), {"Keywords", "Export..."})), (DWORD_PTR)kSave);
    int nImage = 0;
    EXPECT_TRUE(m_page->LookupCommandImage(kFind, nImage));
    EXPECT_EQ(nImage, -1);
    EXPECT_FALSE(m_page->LookupCommandImage(kNoString, nImage));

    // The description follows the selection.
    Select({"Keywords", "Export..."});
    EXPECT_EQ(m_page->GetDescription(), "Export the keywords");
    Select({"Keywords"});
    CString sMenu;
    sMenu.Format(CString(MAKEINTRESOURCE(IDS_OX_SKP_POPUP)), "Keywords");
    EXPECT_EQ(m_page->GetDescription(), sMenu);
    EXPECT_FALSE(Enabled(IDC_OX_SKP_HOTKEY));
    EXPECT_EQ(List().GetCount(), 0);
}

TEST_F(ShortkeysPage, CtrlSInTheFieldShowsItsCommandWithoutRunningIt)
{
    ASSERT_TRUE(Open());
    Select({"Harvest", "Shop search"});
    CWnd* pField = m_page->GetDlgItem(IDC_OX_SKP_HOTKEY);
    ASSERT_TRUE(pField->IsWindowEnabled());
    m_manager->SetForegroundWindow();
    pField->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == pField->m_hWnd; }, kWaitMs)) << "the field never had the focus";

    INPUT in[4] = {};
    const WORD keys[4] = {VK_CONTROL, 'S', 'S', VK_CONTROL};
    for (int i = 0; i < 4; i++) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.wScan = (WORD)::MapVirtualKeyA(keys[i], 0);
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    ASSERT_EQ(::SendInput(4, in, sizeof(INPUT)), 4u);
    ASSERT_TRUE(PumpUntil([&] { return !m_page->GetAssignedTo().IsEmpty(); }, kWaitMs))
        << "the page never said who has the key";
    PumpPending();
    EXPECT_EQ(LOWORD(pField->SendMessage(HKM_GETHOTKEY)), MAKEWORD('S', HOTKEYF_CONTROL));
    CString sExpected;
    sExpected.Format(CString(MAKEINTRESOURCE(IDS_OX_SKP_ASSIGNED_TO)), "Export");
    EXPECT_EQ(m_page->GetAssignedTo(), sExpected);
    EXPECT_EQ(m_pFrame->m_nSaved, 0) << "the key ran its command";
    EXPECT_TRUE(Enabled(IDC_OX_SKP_ASSIGN));
}

TEST_F(ShortkeysPage, EveryShortcutIsRemovedByItsOwnKey)
{
    // A layout whose key names are not the English ones.
    HKL hOld = ::GetKeyboardLayout(0);
    HKL hRussian = ::LoadKeyboardLayoutA("00000419", KLF_ACTIVATE);
    ASSERT_TRUE(Open());
    Select({"Keywords", "Filter"});
    ASSERT_EQ(List().GetCount(), 9);
    EXPECT_TRUE(Enabled(IDC_OX_SKP_REMOVE_ALL));
    EXPECT_FALSE(Enabled(IDC_OX_SKP_REMOVE));

    COXShortkeysOrganizer* pOrganizer = m_page->GetShortkeysOrganizer();
    while (List().GetCount() > 0) {
        const int nRow = List().GetCount() / 2;
        ACCEL row = {};
        ASSERT_TRUE(m_page->GetRowAccel(nRow, row));
        const std::vector<ACCEL> before = Found(pOrganizer, kCopy);
        SelectRow(nRow);
        ASSERT_TRUE(Enabled(IDC_OX_SKP_REMOVE));
        Press(IDC_OX_SKP_REMOVE);
        const std::vector<ACCEL> after = Found(pOrganizer, kCopy);
        ASSERT_EQ(after.size() + 1, before.size()) << "row " << Rows().size() << " key " << row.key;
        for (const ACCEL& a : after)
            EXPECT_FALSE(SameKey(a, row)) << "the key " << row.key << " is still there";
        EXPECT_EQ((int)after.size(), List().GetCount());
    }
    EXPECT_FALSE(Enabled(IDC_OX_SKP_REMOVE_ALL));
    if (hRussian != NULL)
        ::ActivateKeyboardLayout(hOld, 0);
}

TEST_F(ShortkeysPage, AssignRemoveAllResetOkAndCancel)
{
    ASSERT_TRUE(Open());
    COXShortkeysOrganizer* pOrganizer = m_page->GetShortkeysOrganizer();
    Select({"Harvest", "History"});
    CWnd* pField = m_page->GetDlgItem(IDC_OX_SKP_HOTKEY);
    // Ctrl+S goes to History, away from Export; F3 is added beside it.
    for (WORD wHotKey : {MAKEWORD('S', HOTKEYF_CONTROL), MAKEWORD(VK_F3, 0)}) {
        pField->SendMessage(HKM_SETHOTKEY, wHotKey);
        Press(IDC_OX_SKP_ASSIGN);
        EXPECT_EQ(LOWORD(pField->SendMessage(HKM_GETHOTKEY)), 0) << "the field is not cleared";
    }
    EXPECT_EQ(List().GetCount(), 2);
    EXPECT_EQ(pOrganizer->GetCommand(FVIRTKEY | FCONTROL, 'S', NULL), kFind);
    EXPECT_TRUE(Found(pOrganizer, kSave).empty());

    // OK makes the tables live and stores them.
    m_manager->SendMessage(WM_COMMAND, IDOK);
    ASSERT_FALSE(::IsWindow(m_manager->GetSafeHwnd()));
    std::map<std::string, std::string> stored = RegQuerySection(kSection);
    EXPECT_EQ(stored.count("AcceleratorsState"), 1u);
    ACCEL live[32];
    const int nLive = ::CopyAcceleratorTableA(m_pFrame->m_hAccelTable, live, 32);
    EXPECT_EQ(nLive, (int)std::size(kFrameKeys) + 1);

    // Remove all, then Reset brings back what OK stored.
    ASSERT_TRUE(m_manager->OpenOn(m_page.get()));
    Select({"Harvest", "History"});
    ASSERT_EQ(List().GetCount(), 2);
    Press(IDC_OX_SKP_REMOVE_ALL);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_TRUE(Found(pOrganizer, kFind).empty());
    ASSERT_TRUE(Enabled(IDC_OX_SKP_RESET));
    Press(IDC_OX_SKP_RESET);
    EXPECT_EQ(List().GetCount(), 2);

    // Cancel drops what was done since: the stored tables come back.
    Press(IDC_OX_SKP_REMOVE_ALL);
    m_manager->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(Found(pOrganizer, kFind).size(), 2u);
    EXPECT_EQ(RegQuerySection(kSection), stored);
}

TEST_F(ShortkeysPage, CancelWritesNothing)
{
    ASSERT_TRUE(Open());
    Select({"Harvest", "History"});
    m_page->GetDlgItem(IDC_OX_SKP_HOTKEY)->SendMessage(HKM_SETHOTKEY, MAKEWORD(VK_F3, 0));
    Press(IDC_OX_SKP_ASSIGN);
    EXPECT_FALSE(Enabled(IDC_OX_SKP_ASSIGN));
    m_manager->SendMessage(WM_COMMAND, IDCANCEL);
    for (const auto& value : RegQuerySection(kSection))
        ADD_FAILURE() << "Cancel wrote " << value.first;
}

// ---------------------------------------------------------------------------
// A document type's table
// ---------------------------------------------------------------------------
class CSheetDocument : public CDocument
{
    DECLARE_DYNCREATE(CSheetDocument)
};
IMPLEMENT_DYNCREATE(CSheetDocument, CDocument)

class CSheetView : public CView
{
    DECLARE_DYNCREATE(CSheetView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CSheetView, CView)

TEST(ShortkeysPageTemplates, TheFramesKeysShowGreyBesideADocumentTypesTable)
{
    CWinApp* pApp = AfxGetApp();
    CWnd* pSavedMain = pApp->m_pMainWnd;
    CMDIFrameWnd* pMain = new CMDIFrameWnd;
    ASSERT_TRUE(pMain->LoadFrame(IDR_CT_MDIFRAME, WS_OVERLAPPEDWINDOW));
    ACCEL frameKeys[] = {{FVIRTKEY | FCONTROL, 'S', kSave}};
    pMain->m_hAccelTable = ::CreateAcceleratorTableA(frameKeys, 1);
    pApp->m_pMainWnd = pMain;
    CMultiDocTemplate* pTemplate = new CMultiDocTemplate(IDR_CT_DOC, RUNTIME_CLASS(CSheetDocument),
                                                         RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CSheetView));
    ACCEL sheetKeys[] = {{FVIRTKEY, VK_F9, kSave}, {FVIRTKEY, VK_F8, ID_CT_SK_SHEET}};
    pTemplate->m_hAccelTable = ::CreateAcceleratorTableA(sheetKeys, 2);
    pTemplate->m_hMenuShared = ::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_CT_SK_DOCMENU));
    // A bitmap menu keeps an owner-drawn item's text in its own item data.
    COXBitmapMenu bitmapMenu;
    ASSERT_TRUE(bitmapMenu.CreatePopupMenu());
    COXItemInfo* pInfo = new COXItemInfo(NULL, "&Kept text\tF7");
    bitmapMenu.AddItemInfo(pInfo);
    ::AppendMenuA(bitmapMenu.m_hMenu, MF_OWNERDRAW, kPaste, (LPCSTR)pInfo);
    ::AppendMenuA(pTemplate->m_hMenuShared, MF_POPUP, (UINT_PTR)bitmapMenu.m_hMenu, "&Drawn");
    pApp->AddDocTemplate(pTemplate);
    {
        COXCustomizeShortkeysPage page;
        ASSERT_TRUE(page.InitializeShortkeys(pMain, NULL));
        pagetest::CPageManager manager(&page);
        ASSERT_TRUE(manager.OpenOn(&page));
        CTreeCtrl& tree = *(CTreeCtrl*)page.GetDlgItem(IDC_OX_SKP_COMMANDS);
        // The document type's menu joins the tree.
        EXPECT_NE(FindPath(tree, {"Sheet", "Sheet command"}), nullptr);
        EXPECT_NE(FindPath(tree, {"Drawn", "Kept text"}), nullptr);
        CComboBox& tables = *(CComboBox*)page.GetDlgItem(IDC_OX_SKP_TABLE);
        ASSERT_EQ(tables.GetCount(), 2);
        CString s;
        tables.GetLBText(0, s);
        EXPECT_EQ(s, "Main");
        tables.GetLBText(1, s);
        EXPECT_EQ(s, "Sheet");
        EXPECT_FALSE(page.GetDlgItem(IDC_OX_SKP_RESET)->IsWindowEnabled());   // no profile

        tree.SelectItem(FindPath(tree, {"Keywords", "Export..."}));
        tables.SetCurSel(1);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_SKP_TABLE, CBN_SELCHANGE), (LPARAM)tables.m_hWnd);
        COXListBoxEx& list = *(COXListBoxEx*)page.GetDlgItem(IDC_OX_SKP_SHORTCUTS);
        ASSERT_EQ(list.GetCount(), 2);
        EXPECT_EQ((int)(INT_PTR)list.GetItemData(0), COXCustomizeShortkeysPage::kRowFrameTable);
        EXPECT_EQ(list.GetItemTextColor(0), RGB(128, 128, 128));
        EXPECT_EQ((int)(INT_PTR)list.GetItemData(1), COXCustomizeShortkeysPage::kRowChosenTable);
        EXPECT_EQ(list.GetItemTextColor(1), ::GetSysColor(COLOR_WINDOWTEXT));

        // The frame's row cannot be removed here, the table's own can.
        list.SetCurSel(0);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_SKP_SHORTCUTS, LBN_SELCHANGE), (LPARAM)list.m_hWnd);
        EXPECT_FALSE(page.GetDlgItem(IDC_OX_SKP_REMOVE)->IsWindowEnabled());
        pagetest::PressPageButton(&page, IDC_OX_SKP_REMOVE);
        EXPECT_EQ(list.GetCount(), 2);
        list.SetCurSel(1);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_SKP_SHORTCUTS, LBN_SELCHANGE), (LPARAM)list.m_hWnd);
        EXPECT_TRUE(page.GetDlgItem(IDC_OX_SKP_REMOVE)->IsWindowEnabled());
        pagetest::PressPageButton(&page, IDC_OX_SKP_REMOVE);
        EXPECT_EQ(list.GetCount(), 1);
        EXPECT_EQ(page.GetShortkeysOrganizer()->GetCommand(FVIRTKEY | FCONTROL, 'S', NULL), kSave);
        EXPECT_EQ(page.GetShortkeysOrganizer()->GetCommand(FVIRTKEY, VK_F9, pTemplate), 0);
        manager.SendMessage(WM_COMMAND, IDCANCEL);
    }
    ::RemoveMenu(pTemplate->m_hMenuShared, 1, MF_BYPOSITION);   // the bitmap menu's own
    POSITION pos = pApp->m_pDocManager->m_templateList.Find(pTemplate);
    if (pos != NULL)
        pApp->m_pDocManager->m_templateList.RemoveAt(pos);
    delete pTemplate;
    pMain->DestroyWindow();
    pApp->m_pMainWnd = pSavedMain;
}

// ---------------------------------------------------------------------------
// A second run
// ---------------------------------------------------------------------------
TEST(ShortkeysPageRestartChild, Report)
{
    std::string args, log;
    if (!pagetest::ChildArgs(args, log) || args != "shortkeys")
        GTEST_SKIP() << "started by the restart test only";
    CShortkeysFrame* pFrame = new CShortkeysFrame;
    pFrame->Create(NULL, "second run", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200));
    pFrame->m_hAccelTable = ::CreateAcceleratorTableA((ACCEL*)kFrameKeys, (int)std::size(kFrameKeys));
    {
        COXCustomizeShortkeysPage page;
        page.InitializeShortkeys(pFrame, kSection);
        ACCEL live[32];
        const int n = ::CopyAcceleratorTableA(pFrame->m_hAccelTable, live, 32);
        std::string s = "keys=" + std::to_string(n);
        for (int i = 0; i < n; i++) {
            if (live[i].key == VK_F4)
                s += " F4=" + std::to_string(live[i].cmd);
        }
        pagetest::AppendLog(log, s);
    }
    pFrame->DestroyWindow();
}

TEST_F(ShortkeysPage, WhatOkStoredIsLiveInTheNextRun)
{
    ASSERT_TRUE(Open());
    Select({"Harvest", "Shop search"});
    m_page->GetDlgItem(IDC_OX_SKP_HOTKEY)->SendMessage(HKM_SETHOTKEY, MAKEWORD(VK_F4, 0));
    Press(IDC_OX_SKP_ASSIGN);
    m_manager->SendMessage(WM_COMMAND, IDOK);

    CTestFolder folder;
    pagetest::CChild child("ShortkeysPageRestartChild.Report", "shortkeys", folder.File("log.txt"));
    ASSERT_TRUE(child.Ended(60000)) << "the second run did not end";
    EXPECT_EQ(child.Log(), "keys=" + std::to_string(std::size(kFrameKeys) + 1) + " F4=" +
                               std::to_string(kPaste));
}

} // namespace
