// The browse edits under real messages: the colour edit's text and colours,
// the directory edit through the folder picker (its tree, history combo and
// title), and the file edit, whose dialog gets a path of any length in a
// buffer of its own.
#include <afxwin.h>
#include <afxcmn.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include "OXBrowseEdits.h"
#include "TestFolder.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class CTestColorEdit : public COXBrowseColorEdit
{
public:
    using COXBrowseColorEdit::InitializeDropEdit;
};
class CTestDirEdit : public COXBrowseDirEdit
{
public:
    using COXBrowseDirEdit::OnDropButton;
};
class CTestFileEdit : public COXBrowseFileEdit
{
public:
    using COXBrowseFileEdit::OnDropButton;
};

CString Str(UINT nID)
{
    CString s;
    s.LoadString(nID);
    return s;
}

class COXBrowseEditsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CoInitialize(NULL);
        ASSERT_TRUE(CreateHostWindow(m_host, "browse", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 300)));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        ::CoUninitialize();
    }
    CWnd m_host;
};

TEST(OXBrowseColor, ContrastColours)
{
    EXPECT_EQ(OXContrastColor(RGB(255, 0, 0)), RGB(191, 128, 255));
    EXPECT_EQ(OXContrastColor(RGB(0, 0, 0)), RGB(64, 128, 255));
    EXPECT_EQ(OXContrastColor(RGB(64, 128, 255)), RGB(0, 0, 0));
}

TEST_F(COXBrowseEditsTest, ColourEditShowsNameAndComponents)
{
    COXBrowseColorEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 260, 34), &m_host, 1));
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, Str(IDS_OX_COLORPICKER_DEFAULT) + " (255, 255, 255)");

    // The popup bar names its colours (once it has been opened, or as here).
    OXPB_TEXT names[] = {{RGB(255, 0, 0), "Red"}};
    ASSERT_TRUE(edit.GetColorPicker().SetToolTipTexts(names, 1));
    edit.SetShowColor(TRUE);
    edit.SetColor(RGB(255, 0, 0));
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Red (255, 0, 0)");
    EXPECT_EQ(edit.GetBkColor(), RGB(255, 0, 0));
    EXPECT_EQ(edit.GetTextColor(), RGB(191, 128, 255));

    edit.SetColor(RGB(1, 2, 3));   // unnamed: the components only
    edit.GetWindowText(text);
    EXPECT_EQ(text, "(1, 2, 3)");

    edit.SetColor(0xFFFFFFFF);
    EXPECT_EQ(edit.GetBkColor(), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(edit.GetTextColor(), ::GetSysColor(COLOR_WINDOWTEXT));

    COLORREF clr = RGB(0, 0, 255);
    {
        CDataExchange dx(&m_host, FALSE);
        DDX_BrowseColor(&dx, 1, clr);
    }
    EXPECT_EQ(edit.GetColor(), RGB(0, 0, 255));
    clr = 0;
    {
        CDataExchange dx(&m_host, TRUE);
        DDX_BrowseColor(&dx, 1, clr);
    }
    EXPECT_EQ(clr, RGB(0, 0, 255));
}

TEST_F(COXBrowseEditsTest, DirectoryEditChoosesThroughTheFolderPicker)
{
    CTestFolder folder;
    ::CreateDirectoryA(folder.File("Chosen"), NULL);
    CTestDirEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 360, 34), &m_host, 2));
    edit.SetPath(folder.Path());
    EXPECT_EQ(edit.GetPath(), folder.Path());
    edit.SetDialogTitle("Seed folder");

    std::string title, tree;
    int nTreeItems = 0;
    BOOL bFilesChecked = FALSE, bFileSystemChecked = TRUE;
    CDialogAnswerer answerer;
    answerer.Handle([&](HWND dialog, const ShownDialog&) {
        title = WindowText(dialog);
        HWND hTree = ::GetDlgItem(dialog, IDC_OX_FOLDER_TREE);
        tree = WindowText(hTree);
        nTreeItems = (int)::SendMessage(hTree, TVM_GETCOUNT, 0, 0);
        bFilesChecked = ::IsDlgButtonChecked(dialog, IDC_OX_FOLDER_SHOWFILES);
        bFileSystemChecked = ::IsDlgButtonChecked(dialog, IDC_OX_FOLDER_SHELLITEMS);
        // Type a folder and go there, then take it.
        ::SetDlgItemTextA(dialog, IDC_OX_FOLDER_COMBO, folder.File("Chosen"));
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_OX_FOLDER_GO, BN_CLICKED),
                      (LPARAM)::GetDlgItem(dialog, IDC_OX_FOLDER_GO));
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    edit.OnDropButton();
    EXPECT_FALSE(edit.IsBrowsing());
    EXPECT_EQ(title, std::string("Seed folder") + (LPCSTR)Str(IDS_OX_FOLDER_TITLE_ROOT)
                         + (LPCSTR)Str(IDS_OX_FOLDER_TITLE_DESKTOP) + " ]");
    EXPECT_EQ(tree, (LPCSTR)Str(IDS_OX_FOLDER_TREE_TEXT));
    EXPECT_GT(nTreeItems, 1);
    EXPECT_TRUE(bFilesChecked);
    EXPECT_FALSE(bFileSystemChecked);
    EXPECT_EQ(edit.GetPath().CompareNoCase(folder.File("Chosen")), 0) << (LPCSTR)edit.GetPath();

    // The folder typed is kept in the picker's history.
    COXHistoryCombo history;
    ASSERT_TRUE(history.Create(WS_CHILD | CBS_DROPDOWN, CRect(0, 0, 100, 100), &m_host, 9));
    ASSERT_TRUE(history.LoadHistory("Current Folder"));
    EXPECT_EQ(history.FindStringExact(-1, folder.File("Chosen")), 0);
}

// Every heap of the process is still sound (a name written past its buffer
// breaks the block after it).
bool HeapsAreSound()
{
    HANDLE heaps[64];
    DWORD nCount = ::GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < nCount && i < 64; ++i)
        if (!::HeapValidate(heaps[i], 0, NULL))
            return false;
    return true;
}

TEST_F(COXBrowseEditsTest, FileEditHandsAnyPathToTheDialogsOwnBuffer)
{
    CTestFolder folder;
    CString sShort = folder.File("a.txt");
    CString sLong = folder.File(CString('n', 200) + ".txt");   // far longer than the short path's text
    for (const CString& sFile : {sShort, sLong}) {
        HANDLE h = ::CreateFileA(sFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ::CloseHandle(h);
    }
    CTestFileEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 360, 34), &m_host, 3));
    edit.SetPath(sShort);

    // From a short path to a longer one, then back: each time the dialog shows
    // the current path and hands back the one chosen, whole.
    CDialogAnswerer answerer;
    std::string shown;
    auto choose = [&](const CString& sChosen) {
        answerer.Handle([&shown, sChosen](HWND dialog, const ShownDialog&) {
            HWND hName = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
            shown = WindowText(hName);
            SetWindowTextA(hName, sChosen);
            CDialogAnswerer::PressButton(dialog, IDOK);
        });
    };
    choose(sLong);
    edit.OnDropButton();
    EXPECT_NE(shown.find("a.txt"), std::string::npos) << shown;
    EXPECT_EQ(edit.GetPath().CompareNoCase(sLong), 0) << (LPCSTR)edit.GetPath();
    EXPECT_TRUE(HeapsAreSound());

    choose(sShort);
    edit.OnDropButton();
    EXPECT_NE(shown.find(std::string(200, 'n')), std::string::npos) << shown;
    EXPECT_GE(edit.GetFileDialog().m_ofn.nMaxFile, (DWORD)MAX_PATH);
    EXPECT_EQ(edit.GetPath().CompareNoCase(sShort), 0) << (LPCSTR)edit.GetPath();
    EXPECT_TRUE(HeapsAreSound());

    answerer.Answer(IDCANCEL);   // a cancel changes nothing
    edit.OnDropButton();
    EXPECT_EQ(edit.GetPath().CompareNoCase(sShort), 0);
}

}  // namespace
