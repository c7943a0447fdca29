// The commands page: its rules as tables (which menu items are commands, the
// tool bars' id list by image, the texts cut from menu and command strings,
// the preview's place); then a real frame with a cool tool bar, a menu bar
// and the page's organizer under real messages: the tree, descriptions, a
// custom button's preview, the drag blocks and one real drag onto the tool
// bar, the bars' customization notifications and the appearance dialog, the
// menu bar opening its menus in customization popups, OK and Cancel, the
// page's end with the bars still there, and a truncated recently-used value.
#include <afxwin.h>
#include <afxext.h>
#include <afxole.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CustomizePageTestSupport.h"
#include "OXBitmapMenu.h"
#include "OXBitmapMenuPopupWnd.h"
#include "OXButtonAppearanceDlg.h"
#include "OXCommandDragData.h"
#include "OXCoolToolBar.h"
#include "OXCustomizeCommandsPage.h"
#include "OXMenuBar.h"
#include "OXSHBDropTarget.h"
#include "gallery_res.h"
#include "toolkit_res.h"

namespace {

typedef COXCustomizeCommandsPage Page;
const char kSection[] = "CommandsPageTest";

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
TEST(CommandsPageRules, WhichMenuItemsAreCommands)
{
    struct Case { UINT nID; BOOL bMDI, bString, expected; };
    const Case cases[] = {
        {0, FALSE, TRUE, FALSE},        // separator
        {100, FALSE, TRUE, TRUE},
        {100, FALSE, FALSE, FALSE},     // no string
        {0xE110, FALSE, TRUE, FALSE},   // recent files
        {0xE11F, FALSE, TRUE, FALSE},
        {0xE120, FALSE, TRUE, TRUE},
        {0xE10F, FALSE, TRUE, TRUE},
        {0xFF00, TRUE, TRUE, FALSE},    // an MDI frame's window list
        {0xFF05, FALSE, TRUE, TRUE},
        {0xFEFF, TRUE, TRUE, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Page::IsCollectedCommand(c.nID, c.bMDI, c.bString), c.expected) << std::hex << c.nID << c.bMDI;

    // A menu with a submenu, a duplicate, a recent file and a command
    // without a string: each command once, known images kept.
    HMENU hMenu = ::CreatePopupMenu(), hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, 11, "a");
    ::AppendMenuA(hSub, MF_STRING, 12, "b");
    ::AppendMenuA(hMenu, MF_STRING, 11, "a again");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_STRING, 0xE110, "1 file");
    ::AppendMenuA(hMenu, MF_STRING, 13, "no string");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "sub");
    CMap<UINT, UINT, int, int> map;
    map.SetAt(12, 7);
    Page::CollectMenuCommands(hMenu, FALSE, [](UINT n) { return (BOOL)(n != 13); }, map);
    ::DestroyMenu(hMenu);
    std::map<UINT, int> got;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
        UINT n;
        int i;
        map.GetNextAssoc(pos, n, i);
        got[n] = i;
    }
    EXPECT_EQ(got, (std::map<UINT, int>{{11, -1}, {12, 7}}));
}

TEST(CommandsPageRules, IdsSitAtTheirImagesAndTheRestFillFreeSlotsFromTheEnd)
{
    struct Case { std::map<UINT, int> commands; std::vector<UINT> expected; };
    const Case cases[] = {
        {{}, {}},
        // Images 5, 6 at slots 0, 1; the image-less ones from the end back.
        {{{100, 5}, {101, 6}, {102, -1}, {103, -1}}, {100, 101, 103, 102}},
        // A strip longer than its buttons: image 12 needs slot 7 of 8.
        {{{100, 5}, {101, 12}, {102, -1}}, {100, 0, 0, 0, 0, 0, 102, 101}},
        // An image-less command never takes a placed one's slot.
        {{{100, 7}, {101, -1}, {102, -1}}, {102, 101, 100}},
        // Two commands on one image: the second takes a free slot.
        {{{100, 5}, {101, 5}}, {100, 101}},
        // The tree's own images are no slots.
        {{{100, 3}, {101, 5}}, {101, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Page::BuildButtonIds(c.commands), c.expected) << c.commands.size() << " commands";
}

TEST(CommandsPageRules, TextsAndThePreviewsPlace)
{
    const std::pair<const char*, const char*> menus[] = {
        {"&Open\tCtrl+O", "Open"}, {"Save &As", "Save As"}, {"A&&B", "A&B"}, {"Plain", "Plain"}, {"\tF1", ""}};
    for (const auto& m : menus)
        EXPECT_STREQ(Page::CleanMenuText(m.first), m.second) << m.first;

    struct Case { const char* s; const char* description; const char* text; };
    const Case strings[] = {
        {"Harvest the web\nWeb", "Harvest the web", "Web"},
        {"Only a prompt", "Only a prompt", "Only a prompt"},
        {"Prompt\n", "Prompt", ""},
        {"", "", ""},
        {"A\nB\nC", "A", "B\nC"},
    };
    for (const Case& c : strings) {
        EXPECT_STREQ(Page::CommandDescription(c.s), c.description) << c.s;
        EXPECT_STREQ(Page::CommandShortText(c.s), c.text) << c.s;
    }

    // Inside the frame inset by 5 (17 at the top), at most 22 high, centred
    // where it fits.
    const CRect frame(10, 100, 310, 170);   // area 15,117 - 305,165
    EXPECT_EQ(Page::PreviewRect(frame, CSize(100, 20)), CRect(110, 131, 210, 151));
    EXPECT_EQ(Page::PreviewRect(frame, CSize(100, 40)), CRect(110, 130, 210, 152));
    EXPECT_EQ(Page::PreviewRect(frame, CSize(500, 20)), CRect(15, 131, 305, 151));
}

// ---------------------------------------------------------------------------
// A real frame: a cool tool bar of three buttons on a strip of twenty images
// (the third shows the last one), a menu bar with the main menu.
// ---------------------------------------------------------------------------
const UINT kToolbarId = AFX_IDW_TOOLBAR;
const int kNoCommand = 0x7FFF;
const int kStripImages = 20;

void SendButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof input);
}

// Lets the button go on the fourth tick.
int s_nTicks = 0;
void CALLBACK ReleaseLater(HWND, UINT, UINT_PTR, DWORD)
{
    if (++s_nTicks == 4)
        SendButton(MOUSEEVENTF_LEFTUP);
}

// Takes the command format and keeps the block it was given.
class CDropWnd : public CWnd
{
public:
    std::vector<BYTE> m_dropped;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == SHBDTM_DRAGENTER || message == SHBDTM_DRAGOVER || message == SHBDTM_DROP) {
            OXDRAGDROPMESSAGE* pRec = (OXDRAGDROPMESSAGE*)lParam;
            const BOOL bCommand =
                pRec->pDataObject != NULL && pRec->pDataObject->IsDataAvailable(COXCommandDragData::GetFormat());
            if (message != SHBDTM_DROP) {
                pRec->result = bCommand ? DROPEFFECT_COPY : DROPEFFECT_NONE;
                return 1;
            }
            if (HGLOBAL hData = pRec->pDataObject->GetGlobalData(COXCommandDragData::GetFormat())) {
                const BYTE* p = (const BYTE*)::GlobalLock(hData);
                m_dropped.assign(p, p + ::GlobalSize(hData));
                ::GlobalUnlock(hData);
                ::GlobalFree(hData);
            }
            pRec->result = TRUE;
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CCommandsFrame : public CFrameWnd
{
public:
    COXCoolToolBar m_bar;
    COXMenuBar m_menuBar;
    CImageList m_strip;
};

class CommandsPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        DeleteProfileSection(kSection);
        DeleteProfileSection(Page::szRecentlyUsedSection);
        DeleteProfileSection(Page::szToolbarsStateSection);
        m_pSavedMain = AfxGetApp()->m_pMainWnd;
        m_pFrame = new CCommandsFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "commands", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 420)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_pFrame->m_menuBar.Create(m_pFrame));
        m_hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_GALLERY_SK_MAINMENU));
        ASSERT_TRUE(m_pFrame->m_menuBar.SetMenu(m_hMenu));
        COXCoolToolBar& bar = m_pFrame->m_bar;
        ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kToolbarId));
        // Each image a colour of its own, to be told apart after copying.
        m_pFrame->m_strip.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 0);
        for (int i = 0; i < kStripImages; i++)
            AddColour(m_pFrame->m_strip, RGB(10 * i, 255 - 10 * i, 100));
        bar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_pFrame->m_strip.GetSafeHandle());
        const UINT ids[] = {ID_GALLERY_BAR_SEARCH, ID_SEPARATOR, ID_GALLERY_BAR_SHOP, ID_GALLERY_BAR_HISTORY};
        ASSERT_TRUE(bar.SetButtons(ids, 4));
        bar.SetButtonInfo(3, ID_GALLERY_BAR_HISTORY, TBBS_BUTTON, kStripImages - 1);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&bar);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
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
        DeleteProfileSection(Page::szRecentlyUsedSection);
        DeleteProfileSection(Page::szToolbarsStateSection);
        COXCoolToolBar::RemoveAllCustomButtons();
    }
    static void AddColour(CImageList& il, COLORREF clr)
    {
        CClientDC dc(NULL);
        CBitmap bmp, mask;
        bmp.CreateCompatibleBitmap(&dc, 16, 16);
        mask.CreateBitmap(16, 16, 1, 1, NULL);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap* pOld = mem.SelectObject(&bmp);
        mem.FillSolidRect(0, 0, 16, 16, clr);
        mem.SelectObject(&mask);
        mem.FillSolidRect(0, 0, 16, 16, RGB(0, 0, 0));
        mem.SelectObject(pOld);
        il.Add(&bmp, &mask);
    }
    // The centre pixel of an image.
    static COLORREF Colour(HIMAGELIST hList, int nImage)
    {
        CClientDC dc(NULL);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, 16, 16);
        CBitmap* pOld = mem.SelectObject(&bmp);
        mem.FillSolidRect(0, 0, 16, 16, RGB(1, 2, 3));
        ImageList_Draw(hList, nImage, mem.m_hDC, 0, 0, ILD_NORMAL);
        const COLORREF clr = mem.GetPixel(8, 8);
        mem.SelectObject(pOld);
        return clr;
    }
    void Init(BOOL bIcons = TRUE)
    {
        m_page.reset(new Page);
        ASSERT_TRUE(m_page->InitializeCommands(NULL, RGB(192, 192, 192), bIcons, FALSE, kSection));
    }
    bool Open()
    {
        if (!m_page)
            Init();
        m_manager.reset(new pagetest::CPageManager(m_page.get()));
        return m_manager->OpenOn(m_page.get());
    }
    CTreeCtrl& Tree() { return m_page->GetTree(); }
    // The tree as text: "Folder{child child}", bold marked '*'.
    std::string Describe(HTREEITEM hParent = TVI_ROOT)
    {
        std::string s;
        for (HTREEITEM h = Tree().GetChildItem(hParent); h != NULL; h = Tree().GetNextSiblingItem(h)) {
            if (!s.empty())
                s += " ";
            s += (LPCTSTR)Tree().GetItemText(h);
            if (Tree().GetItemState(h, TVIS_BOLD) & TVIS_BOLD)
                s += "*";
            if (Tree().ItemHasChildren(h))
                s += "{" + Describe(h) + "}";
        }
        return s;
    }
    HTREEITEM Find(const char* lpszPath, HTREEITEM hParent = TVI_ROOT)
    {
        std::string path(lpszPath);
        const size_t slash = path.find('/');
        const std::string first = path.substr(0, slash);
        for (HTREEITEM h = Tree().GetChildItem(hParent); h != NULL; h = Tree().GetNextSiblingItem(h)) {
            if (first == (LPCTSTR)Tree().GetItemText(h))
                return slash == std::string::npos ? h : Find(path.substr(slash + 1).c_str(), h);
        }
        return NULL;
    }
    CString Select(const char* lpszPath)
    {
        HTREEITEM h = Find(lpszPath);
        EXPECT_TRUE(h != NULL) << lpszPath;
        Tree().SelectItem(NULL);
        Tree().SelectItem(h);
        return m_page->GetDescription();
    }
    static OXCOMMANDDATAITEM ReadBlock(HGLOBAL hData)
    {
        OXCOMMANDDATAITEM item = {};
        EXPECT_TRUE(hData != NULL);
        if (hData == NULL)
            return item;
        const BYTE* p = (const BYTE*)::GlobalLock(hData);
        EXPECT_TRUE(COXCommandDragData::Read(p, ::GlobalSize(hData), item));
        ::GlobalUnlock(hData);
        ::GlobalFree(hData);
        return item;
    }
    void Notify(CWnd& bar, int nCommand, void* pData = NULL)
    {
        OXCTBNOTIFY nm = {{bar.m_hWnd, (UINT_PTR)bar.GetDlgCtrlID(), OXCTBN_CUSTOMIZE}, nCommand, pData};
        m_page->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
    }

    CWnd* m_pSavedMain = NULL;
    CCommandsFrame* m_pFrame = NULL;
    HMENU m_hMenu = NULL;
    std::unique_ptr<Page> m_page;
    std::unique_ptr<pagetest::CPageManager> m_manager;
};

TEST_F(CommandsPage, CommandsAndImagesAreCollectedAndTheBarsGetTheIdsByImage)
{
    Init();
    // The main menu's commands with strings, none of the recent files, and
    // the bar's commands.
    std::set<UINT> expected = {ID_GALLERY_BAR_SEARCH, ID_GALLERY_BAR_SHOP,   ID_GALLERY_BAR_VIDEO,
                               ID_GALLERY_BAR_STOP,   ID_GALLERY_BAR_EXPORT, ID_GALLERY_BAR_FILTER,
                               ID_GALLERY_BAR_NEWS,   ID_GALLERY_BAR_HISTORY};
    EXPECT_EQ((int)expected.size(), m_page->GetCommandCount());
    EXPECT_EQ(-1, m_page->GetCommandImage(ID_GALLERY_SK_NOSTRING));
    EXPECT_EQ(-1, m_page->GetCommandImage(0xE110));

    // The strip copied after the tree's five icons; the buttons point at
    // their copies, the bar at the page's list.
    COXCoolToolBar& bar = m_pFrame->m_bar;
    CImageList& il = m_page->GetImageList();
    EXPECT_EQ(il.GetSafeHandle(), (HIMAGELIST)bar.SendMessage(TB_GETIMAGELIST));
    EXPECT_EQ(Page::kTreeImageCount + kStripImages, il.GetImageCount());
    const std::pair<UINT, int> images[] = {
        {ID_GALLERY_BAR_SEARCH, 5}, {ID_GALLERY_BAR_SHOP, 6}, {ID_GALLERY_BAR_HISTORY, 5 + kStripImages - 1}};
    for (const auto& image : images) {
        EXPECT_EQ(image.second, m_page->GetCommandImage(image.first)) << image.first;
        UINT nID, nStyle;
        int nImage;
        bar.GetButtonInfo(bar.CommandToIndex(image.first), nID, nStyle, nImage);
        EXPECT_EQ(image.second, nImage);
        EXPECT_TRUE(nStyle & TBSTYLE_AUTOSIZE);
        EXPECT_EQ(Colour(m_pFrame->m_strip, image.second - 5), Colour(il, image.second)) << image.first;
    }
    EXPECT_TRUE(bar.GetStyle() & TBSTYLE_LIST);

    // More images than buttons: twenty slots for eight commands, the last
    // slot the history's, image-less commands in free slots only.
    const std::vector<UINT> ids = m_page->GetButtonIds();
    ASSERT_EQ((size_t)kStripImages, ids.size());
    EXPECT_EQ((UINT)ID_GALLERY_BAR_SEARCH, ids[0]);
    EXPECT_EQ((UINT)ID_GALLERY_BAR_SHOP, ids[1]);
    EXPECT_EQ((UINT)ID_GALLERY_BAR_HISTORY, ids[kStripImages - 1]);
    std::set<UINT> offered(ids.begin(), ids.end());
    offered.erase(0);
    EXPECT_EQ(expected, offered);
    EXPECT_TRUE(bar.IsCustomizable(TRUE));

    // An added command: refused without a text, a path, or when known.
    EXPECT_FALSE(m_page->AddCustomCommand(0, "Zero", -1, "Extra"));
    EXPECT_FALSE(m_page->AddCustomCommand(19390, "", -1, "Extra"));
    EXPECT_FALSE(m_page->AddCustomCommand(19390, "Rank", -1, ""));
    EXPECT_FALSE(m_page->AddCustomCommand(ID_GALLERY_BAR_SHOP, "Shop", -1, "Extra"));
    EXPECT_TRUE(m_page->AddCustomCommand(19390, "Rank", -1, "Extra\tTools"));
    EXPECT_TRUE(m_page->IsCustomCommand(19390));
    CString sText, sPath;
    int nImage = 0;
    EXPECT_TRUE(m_page->GetCustomCommandInfo(19390, sText, nImage, sPath));
    EXPECT_STREQ("Rank", sText);
    EXPECT_STREQ("Extra\tTools", sPath);
    EXPECT_EQ(-1, nImage);
    EXPECT_FALSE(m_page->GetCustomCommandInfo(19391, sText, nImage, sPath));
    EXPECT_TRUE(sText.IsEmpty() && sPath.IsEmpty() && nImage == -1);
    const std::vector<UINT> more = m_page->GetButtonIds();
    EXPECT_NE(std::find(more.begin(), more.end(), 19390u), more.end());
}

TEST_F(CommandsPage, ASecondInitializationCopiesTheBarsImagesOnce)
{
    Init();
    ASSERT_TRUE(m_page->InitializeCommands(NULL, RGB(192, 192, 192), TRUE, FALSE, kSection));
    COXCoolToolBar& bar = m_pFrame->m_bar;
    CImageList& il = m_page->GetImageList();
    EXPECT_EQ(il.GetSafeHandle(), (HIMAGELIST)bar.SendMessage(TB_GETIMAGELIST));
    EXPECT_EQ(Page::kTreeImageCount + kStripImages, il.GetImageCount());
    for (UINT nCommand : {ID_GALLERY_BAR_SEARCH, ID_GALLERY_BAR_SHOP, ID_GALLERY_BAR_HISTORY}) {
        UINT nID, nStyle;
        int nImage;
        bar.GetButtonInfo(bar.CommandToIndex(nCommand), nID, nStyle, nImage);
        EXPECT_EQ(m_page->GetCommandImage(nCommand), nImage) << nCommand;
        ASSERT_GE(nImage, Page::kTreeImageCount) << nCommand;
        EXPECT_EQ(Colour(m_pFrame->m_strip, nImage - Page::kTreeImageCount), Colour(il, nImage)) << nCommand;
    }
    EXPECT_EQ((size_t)kStripImages, m_page->GetButtonIds().size());
}

TEST_F(CommandsPage, TheTreeMergesMenusAndDescribesWhatIsSelected)
{
    // A custom button on the bar, and an added command.
    COXCustomButtonWnd edit;
    const int nCustom = COXCoolToolBar::AddCustomButton(&edit, 19395, 80, 20);
    ASSERT_GE(nCustom, 0);
    COXCoolToolBar& bar = m_pFrame->m_bar;
    ASSERT_TRUE(bar.InsertEditBox(0, nCustom, "typed"));
    Init();
    ASSERT_TRUE(m_page->AddCustomCommand(19390, "Rank", -1, "Extra\tTools"));
    ASSERT_TRUE(Open());

    // "&Harvest" and "&harvest" are one folder; the recent file and the
    // command without a string are left out; "More" under "Keywords".
    EXPECT_EQ("Harvest*{Web search Shop search Video search Stop News search History} "
              "Keywords*{Export... Filter More*{Web search}} "
              "Custom buttons*{Window class 'Edit'} Extra*{Tools*{Rank}} New menu* Separator*",
              Describe());
    int nImage = 0, nSelected = 0;
    Tree().GetItemImage(Find("Harvest/History"), nImage, nSelected);
    EXPECT_EQ(5 + kStripImages - 1, nImage);
    Tree().GetItemImage(Find("Harvest/Video search"), nImage, nSelected);
    EXPECT_EQ(Page::kImageCommand, nImage);
    Tree().GetItemImage(Find("Keywords"), nImage, nSelected);
    EXPECT_EQ(Page::kImageFolder, nImage);

    // Descriptions: a command's prompt, the roots' strings.
    EXPECT_STREQ("Harvest suggestions of the web search", Select("Harvest/Web search"));
    EXPECT_STREQ(CString("The commands of the Keywords menu. Drag the folder to make a menu of them."),
                 Select("Keywords"));
    CString s;
    s.LoadString(IDS_OX_CMP_SEPARATOR_TIP);
    EXPECT_STREQ(s, Select("Separator"));
    s.LoadString(IDS_OX_CMP_NEW_MENU_TIP);
    EXPECT_STREQ(s, Select("New menu"));
    CString sShown;
    m_page->GetDlgItemText(IDC_OX_CMP_DESCRIPTION, sShown);
    EXPECT_STREQ(s, sShown);
    EXPECT_TRUE(m_page->GetPreviewWnd() == NULL);

    // A custom button: its own description and a preview copy of its
    // control inside the preview frame.
    s.LoadString(IDS_OX_CMP_CUSTOM_BUTTON_TIP);
    EXPECT_STREQ(s, Select("Custom buttons/Window class 'Edit'"));
    HWND hPreview = m_page->GetPreviewWnd();
    ASSERT_TRUE(hPreview != NULL && ::IsWindowVisible(hPreview) && ::IsWindowEnabled(hPreview));
    char szClass[32] = "";
    ::GetClassNameA(hPreview, szClass, sizeof szClass);
    EXPECT_STRCASEEQ("Edit", szClass);
    EXPECT_EQ("typed", WindowText(hPreview));
    CRect rectFrame, rectPreview;
    m_page->GetDlgItem(IDC_OX_CMP_PREVIEW_FRAME)->GetWindowRect(rectFrame);
    ::GetWindowRect(hPreview, rectPreview);
    EXPECT_TRUE(CRect().IntersectRect(rectFrame, rectPreview) && rectPreview.Height() <= 22);
    Select("Separator");
    EXPECT_FALSE(::IsWindow(hPreview)) << "the preview goes with the selection";
}

// Any command is previewed as a bar shows its button: its picture, if it
// has one, and its text, inside the preview frame.
TEST_F(CommandsPage, ACommandIsPreviewedAsItsButton)
{
    ASSERT_TRUE(Open());
    struct Case { const char* path; UINT nID; const char* text; } cases[] = {
        {"Keywords/Filter", ID_GALLERY_BAR_FILTER, "Filter"},
        {"Harvest/Web search", ID_GALLERY_BAR_SEARCH, nullptr},
    };
    CRect rectFrame;
    m_page->GetDlgItem(IDC_OX_CMP_PREVIEW_FRAME)->GetWindowRect(rectFrame);
    for (const Case& c : cases) {
        Select(c.path);
        HWND hPreview = m_page->GetPreviewWnd();
        ASSERT_TRUE(hPreview != NULL && ::IsWindowVisible(hPreview)) << c.path << ": no preview";
        ASSERT_EQ(::SendMessageA(hPreview, TB_BUTTONCOUNT, 0, 0), 1) << c.path;
        TBBUTTON button = {};
        ::SendMessageA(hPreview, TB_GETBUTTON, 0, (LPARAM)&button);
        EXPECT_EQ((UINT)button.idCommand, c.nID) << c.path;
        const int nImage = m_page->GetCommandImage(c.nID);
        EXPECT_EQ(button.iBitmap, nImage >= 0 ? nImage : I_IMAGENONE) << c.path;
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED) << c.path;
        if (c.text != nullptr) {
            char szText[64] = "";
            ::SendMessageA(hPreview, TB_GETBUTTONTEXTA, c.nID, (LPARAM)szText);
            EXPECT_STREQ(szText, c.text);
        }
        CRect rectPreview;
        ::GetWindowRect(hPreview, rectPreview);
        EXPECT_EQ(CRect().IntersectRect(rectFrame, rectPreview), TRUE) << c.path;
        EXPECT_LE(rectPreview.Height(), 22) << c.path;
        EXPECT_GT(rectPreview.Width(), 0) << c.path;
    }
    EXPECT_EQ(m_page->GetCommandImage(ID_GALLERY_BAR_SEARCH), 5);
}

TEST_F(CommandsPage, DragBlocksAndARealDrag)
{
    ASSERT_TRUE(Open());
    // A command: its tip as text, its image; a folder with its menu; a
    // separator; the custom buttons root gives nothing.
    OXCOMMANDDATAITEM item = ReadBlock(m_page->CreateItemDragData(Find("Harvest/History")));
    EXPECT_EQ(ID_GALLERY_BAR_HISTORY, item.nCommandId);
    EXPECT_STREQ("History", item.sText);
    EXPECT_EQ(5 + kStripImages - 1, item.nImage);
    EXPECT_EQ(0, item.nStyle);
    item = ReadBlock(m_page->CreateItemDragData(Find("Keywords")));
    EXPECT_EQ(-1, item.nCommandId);
    EXPECT_STREQ("Keywords", item.sText);
    EXPECT_EQ(TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, item.nStyle);
    ASSERT_EQ(3u, item.arrItems.size());
    EXPECT_STREQ("Export", item.arrItems[0].sText);
    EXPECT_EQ(-1, item.arrItems[2].nCommandId);
    ASSERT_EQ(1u, item.arrItems[2].arrItems.size());
    EXPECT_STREQ("Web", item.arrItems[2].arrItems[0].sText);
    item = ReadBlock(m_page->CreateItemDragData(Find("Separator")));
    EXPECT_EQ(0, item.nCommandId);
    EXPECT_EQ(TBSTYLE_SEP, item.nStyle);
    item = ReadBlock(m_page->CreateItemDragData(Find("New menu")));
    EXPECT_EQ(-1, item.nCommandId);
    EXPECT_TRUE(item.arrItems.empty());

    // The real drag: the button goes down as the user's does over a window
    // that takes the command format, the tree begins the drag, and the
    // button comes up a few ticks into the drag loop (which runs this
    // thread's timers): the window gets the item's block.
    CDropWnd target;
    ASSERT_TRUE(target.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "target", WS_POPUP | WS_VISIBLE, 660, 40,
                                160, 120, NULL, NULL));
    COXSHBDropTarget dropTarget;
    ASSERT_TRUE(dropTarget.Register(&target));
    CRect rectTarget;
    target.GetWindowRect(rectTarget);
    ASSERT_TRUE(PlaceCursor(rectTarget.CenterPoint()));
    SendButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) < 0; }, kWaitMs));
    PumpPending();
    s_nTicks = 0;
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, ReleaseLater);
    NMTREEVIEWA nm = {};
    nm.hdr = {Tree().m_hWnd, IDC_OX_CMP_COMMANDS, TVN_BEGINDRAGA};
    nm.itemNew.hItem = Find("Keywords/Filter");
    nm.itemNew.lParam = (LPARAM)Tree().GetItemData(nm.itemNew.hItem);
    m_page->SendMessage(WM_NOTIFY, IDC_OX_CMP_COMMANDS, (LPARAM)&nm);
    ::KillTimer(NULL, nTimer);
    if (::GetAsyncKeyState(VK_LBUTTON) < 0)
        SendButton(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(nm.itemNew.hItem, Tree().GetSelectedItem());
    EXPECT_GE(s_nTicks, 4) << "the drag ended before the button came up";
    ASSERT_FALSE(target.m_dropped.empty()) << "no drop reached the window";
    OXCOMMANDDATAITEM dropped = {};
    ASSERT_TRUE(COXCommandDragData::Read(target.m_dropped.data(), target.m_dropped.size(), dropped));
    EXPECT_EQ(ID_GALLERY_BAR_FILTER, dropped.nCommandId);
    EXPECT_STREQ("Filter", dropped.sText);
    dropTarget.Revoke();
    target.DestroyWindow();
}

TEST_F(CommandsPage, BarNotificationsRecordTheSelectionAndRunTheAppearanceDialog)
{
    ASSERT_TRUE(Open());
    COXCoolToolBar& bar = m_pFrame->m_bar;
    COXMenuBar& menuBar = m_pFrame->m_menuBar;
    EXPECT_TRUE(menuBar.IsInCustomizationMode());
    CWnd* pModify = m_page->GetDlgItem(IDC_OX_CMP_MODIFY);
    EXPECT_FALSE(pModify->IsWindowEnabled()) << "no button selected";

    // Selecting on the bar records it and enables the button; selecting on
    // the menu bar takes the record over; none selected clears it.
    bar.SetCustomizedButton(0);
    EXPECT_EQ(&bar, m_page->GetCustomizedToolbar());
    EXPECT_TRUE(pModify->IsWindowEnabled());
    menuBar.SetCustomizedButton(1);
    EXPECT_EQ(&menuBar, m_page->GetCustomizedToolbar());
    EXPECT_EQ(-1, bar.GetCustomizedButton());
    menuBar.SetCustomizedButton(-1);
    EXPECT_EQ(nullptr, m_page->GetCustomizedToolbar());
    EXPECT_FALSE(pModify->IsWindowEnabled());

    // The appearance of a plain button: text shown, drop-down set, another
    // image chosen.
    const int nShop = bar.CommandToIndex(ID_GALLERY_BAR_SHOP);
    bar.SetCustomizedButton(nShop);
    // The manager, a dialog too, comes back active after each box: a
    // command it does not know answers it.
    CDialogAnswerer answerer;
    answerer.SetDefault(kNoCommand);
    bool bSeen = false;
    answerer.Handle([&](HWND hDlg, const ShownDialog&) {
        bSeen = true;
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(hDlg, IDC_OX_BA_OPTION));
        EXPECT_EQ(0, (int)::SendDlgItemMessageA(hDlg, IDC_OX_BA_IMAGES, LB_GETCURSEL, 0, 0));
        EXPECT_EQ(1 + kStripImages, (int)::SendDlgItemMessageA(hDlg, IDC_OX_BA_IMAGES, LB_GETCOUNT, 0, 0));
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_STYLE_TEXT, BM_CLICK, 0, 0);
        EXPECT_EQ("Shop", WindowText(::GetDlgItem(hDlg, IDC_OX_BA_TEXT)));
        ::SetDlgItemTextA(hDlg, IDC_OX_BA_TEXT, "Shops");
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_OPTION, BM_CLICK, 0, 0);
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_IMAGES, LB_SETCURSEL, 3, 0);
        CDialogAnswerer::PressButton(hDlg, IDOK);
    });
    Notify(bar, ID_OXCUSTTB_APPEARANCE);
    ASSERT_TRUE(bSeen);
    EXPECT_STREQ("Shops", bar.GetButtonText(nShop));
    UINT nID, nStyle;
    int nImage;
    bar.GetButtonInfo(nShop, nID, nStyle, nImage);
    EXPECT_TRUE(nStyle & TBSTYLE_DROPDOWN);
    EXPECT_EQ(Page::kTreeImageCount + 2, nImage) << "the dialog's fourth image is the page's third past the tree's";

    // A menu bar item: text only; the new text goes into the menu.
    menuBar.SetCustomizedButton(1);
    bSeen = false;
    answerer.Handle([&](HWND hDlg, const ShownDialog&) {
        bSeen = true;
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hDlg, IDC_OX_BA_IMAGES)));
        EXPECT_EQ("&Keywords", WindowText(::GetDlgItem(hDlg, IDC_OX_BA_TEXT)));
        ::SetDlgItemTextA(hDlg, IDC_OX_BA_TEXT, "&Words");
        CDialogAnswerer::PressButton(hDlg, IDOK);
    });
    Notify(menuBar, ID_OXCUSTTB_APPEARANCE);
    ASSERT_TRUE(bSeen);
    char buf[64] = "";
    ::GetMenuStringA(menuBar.GetMenu(), 1, buf, sizeof buf, MF_BYPOSITION);
    EXPECT_STREQ("&Words", buf);

    // The delete of the menu bar item open for customizing clears that.
    menuBar.SetCustomizedButton(0);
    menuBar.SendMessage(WM_MENUBAR_DROPDOWN, 0);
    ASSERT_EQ(0, m_page->GetCustomizedPopupItem());
    Notify(menuBar, ID_OXCUSTTB_DELETE);
    EXPECT_EQ(-1, m_page->GetCustomizedPopupItem());
}

TEST_F(CommandsPage, ACustomButtonsAppearanceRebuildsItsDescriptor)
{
    COXCustomButtonWnd edit;
    const int nCustom = COXCoolToolBar::AddCustomButton(&edit, 19395, 80, 20, OXCBD_SHOWANY);
    ASSERT_GE(nCustom, 0);
    COXCoolToolBar& bar = m_pFrame->m_bar;
    // Put on the bar once the page has loaded the bars' state, as a user's
    // drop puts it.
    Init();
    ASSERT_TRUE(bar.InsertEditBox(0, nCustom, "typed"));
    ASSERT_TRUE(Open());
    bar.SetCustomizedButton(0);
    CDialogAnswerer answerer;
    answerer.SetDefault(kNoCommand);
    bool bSeen = false;
    answerer.Handle([&](HWND hDlg, const ShownDialog&) {
        bSeen = true;
        EXPECT_EQ("80", WindowText(::GetDlgItem(hDlg, IDC_OX_BA_WIDTH)));
        EXPECT_EQ("20", WindowText(::GetDlgItem(hDlg, IDC_OX_BA_HEIGHT)));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hDlg, IDC_OX_BA_SHOW_FLOATING));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hDlg, IDC_OX_BA_TEXT)));
        ::SetDlgItemTextA(hDlg, IDC_OX_BA_WIDTH, "120");
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_SHOW_FLOATING, BM_CLICK, 0, 0);
        CDialogAnswerer::PressButton(hDlg, IDOK);
    });
    Notify(bar, ID_OXCUSTTB_APPEARANCE);
    ASSERT_TRUE(bSeen);
    OXCUSTOMBUTTONDESCRIPTOR descriptor = {};
    ASSERT_TRUE(COXCoolToolBar::GetCustomButton(nCustom, descriptor));
    EXPECT_EQ(120, descriptor.m_nWidth);
    EXPECT_EQ(20, descriptor.m_nHeight);
    EXPECT_EQ(OXCBD_SHOWVERT | OXCBD_SHOWHORZ, descriptor.m_nFlags);
}

TEST_F(CommandsPage, TheMenuBarOpensItsMenusInCustomizationPopupsLevelByLevel)
{
    ASSERT_TRUE(Open());
    COXMenuBar& menuBar = m_pFrame->m_menuBar;
    // The bar asks for its second menu: a level-0 popup shows it, converted.
    menuBar.SendMessage(WM_MENUBAR_DROPDOWN, 1);
    HMENU hKeywords = ::GetSubMenu(menuBar.GetMenu(), 1);
    COXBitmapMenuPopupWnd* pPopup = m_page->FindPopupWnd(hKeywords);
    ASSERT_TRUE(pPopup != NULL) << "no customization popup for the menu";
    EXPECT_EQ(1, m_page->GetCustomizedPopupItem());
    COXBitmapMenu* pMenu = pPopup->GetBitmapMenu();
    ASSERT_TRUE(pMenu != NULL && pMenu->IsInCustomizationMode());
    // The same item again opens nothing more.
    menuBar.SendMessage(WM_MENUBAR_DROPDOWN, 1);
    EXPECT_EQ(1, m_page->GetVisiblePopupCount());

    // Selecting the submenu's opener shows it at the next level, beside.
    const CPoint ptMore = pPopup->GetItemRect(2).CenterPoint();
    pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptMore.x, ptMore.y));
    pPopup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptMore.x, ptMore.y));
    HMENU hMore = ::GetSubMenu(hKeywords, 2);
    COXBitmapMenuPopupWnd* pMore = m_page->FindPopupWnd(hMore);
    ASSERT_TRUE(pMore != NULL) << "the submenu did not open";
    EXPECT_EQ(2, m_page->GetVisiblePopupCount());
    CRect rectMore, rectItem = pPopup->GetItemRect(2);
    pPopup->ClientToScreen(rectItem);
    pMore->GetWindowRect(rectMore);
    EXPECT_GE(rectMore.left, rectItem.right - 4);

    // Another command on level 0 closes level 1.
    pMenu->SetCustomizedItem(0);
    pMenu->OnCustomizeCommand(OX_CUSTOMIZE_ALWAYSSHOWN);
    EXPECT_EQ(1, m_page->GetVisiblePopupCount());
    EXPECT_FALSE(pMore->IsWindowVisible());

    // A menu item's appearance: the text changes, the shortcut stays.
    bool bSeen = false;
    CDialogAnswerer answerer;
    answerer.SetDefault(kNoCommand);
    answerer.Handle([&](HWND hDlg, const ShownDialog&) {
        bSeen = true;
        EXPECT_EQ("E&xport...", WindowText(::GetDlgItem(hDlg, IDC_OX_BA_TEXT)));
        ::SetDlgItemTextA(hDlg, IDC_OX_BA_TEXT, "E&xport all...");
        CDialogAnswerer::PressButton(hDlg, IDOK);
    });
    pMenu->OnCustomizeCommand(OX_CUSTOMIZE_APPEARANCE);
    ASSERT_TRUE(bSeen);
    CString sText;
    ASSERT_TRUE(pMenu->GetStoredItemText(0, sText));
    EXPECT_STREQ("E&xport all...\tCtrl+E", sText);

    // Leaving the page closes every popup.
    m_page->Unload();
    EXPECT_EQ(0, m_page->GetVisiblePopupCount());
    EXPECT_FALSE(menuBar.IsInCustomizationMode());
    EXPECT_FALSE(m_pFrame->m_bar.IsInCustomizationMode());
}

TEST_F(CommandsPage, OkWritesTheFlagsCancelOnlyTheBarsAndTheEndLeavesTheBarsSound)
{
    ASSERT_TRUE(Open());
    m_page->CheckDlgButton(IDC_OX_CMP_RECENTLY_USED, BST_CHECKED);
    m_page->CheckDlgButton(IDC_OX_CMP_SHOW_ICONS, BST_UNCHECKED);
    // Cancel: no flags, but the bars and the recently used state saved.
    ASSERT_TRUE(m_page->OnCloseManager(FALSE));
    std::map<std::string, std::string> values = RegQuerySection(kSection);
    EXPECT_EQ(0u, values.count(Page::szShowIconsInMenu));
    CString sValue;
    sValue.Format(Page::szToolbarValueFormat, kToolbarId);
    EXPECT_FALSE(RegQuerySection(Page::szToolbarsStateSection).empty()) << "the bars are saved on Cancel";

    ASSERT_TRUE(m_page->OnCloseManager(TRUE));
    values = RegQuerySection(kSection);
    EXPECT_EQ("0", values[Page::szShowIconsInMenu]);
    EXPECT_EQ("1", values[Page::szShowOnlyRecentlyUsed]);
    EXPECT_EQ(nullptr, m_page->GetMenuOrganizer()->GetFrameWnd()) << "no icons: the organizer lets go";

    // Next start: the stored flags win over the arguments.
    m_manager.reset();
    m_page.reset(new Page);
    ASSERT_TRUE(m_page->InitializeCommands(NULL, RGB(192, 192, 192), TRUE, FALSE, kSection));
    EXPECT_FALSE(m_page->IsShowingIconsInMenu());
    EXPECT_TRUE(m_page->IsShowingOnlyRecentlyUsed());

    // The page ends with the bars still there: they keep no pointer into it
    // and show a copy of its images.
    COXCoolToolBar& bar = m_pFrame->m_bar;
    const HIMAGELIST hPageList = m_page->GetImageList().GetSafeHandle();
    const int nImage = m_page->GetCommandImage(ID_GALLERY_BAR_HISTORY);
    const COLORREF clr = Colour(hPageList, nImage);
    m_page.reset();
    EXPECT_FALSE(bar.IsCustomizable(TRUE)) << "the id list went with the page";
    const HIMAGELIST hLeft = (HIMAGELIST)bar.SendMessage(TB_GETIMAGELIST);
    ASSERT_TRUE(hLeft != NULL && hLeft != hPageList);
    EXPECT_EQ(clr, Colour(hLeft, nImage));
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

TEST_F(CommandsPage, ATruncatedRecentlyUsedValueLeavesTheOrganizerEmptyAndStartsAllTheSame)
{
    // Two hidden commands as the organizer writes them, cut short.
    CArray<UINT, UINT> arrIds;
    arrIds.Add(ID_GALLERY_BAR_SEARCH);
    arrIds.Add(ID_GALLERY_BAR_SHOP);
    CByteArray blob;
    COXBitmapMenuOrganizer::WriteIdBlob(arrIds, blob);
    ASSERT_GT(blob.GetSize(), 3);
    AfxGetApp()->WriteProfileBinary(Page::szRecentlyUsedSection, "RUContents", blob.GetData(),
                                    (UINT)blob.GetSize() - 3);
    AfxGetApp()->WriteProfileInt(Page::szRecentlyUsedSection, "RUItemsDataSize", (int)blob.GetSize());
    Init();
    COXBitmapMenuOrganizer* pOrganizer = m_page->GetMenuOrganizer();
    EXPECT_EQ(m_pFrame, pOrganizer->GetFrameWnd());
    for (UINT nID : {(UINT)ID_GALLERY_BAR_SEARCH, (UINT)ID_GALLERY_BAR_SHOP})
        EXPECT_TRUE(pOrganizer->IsMenuItemShown(nID)) << nID;
    EXPECT_TRUE(Open());
    EXPECT_FALSE(m_page->IsSupportingApplyChanges());
}

} // namespace
