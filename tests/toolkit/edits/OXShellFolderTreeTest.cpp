// The shell folder tree over a fixture folder tree in the prefix: folders
// read on first expansion only, files through the extension filter, opening
// a folder by path, refreshing with expanded folders kept, in-place rename,
// and the item's shell context menu.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "OXShellFolderTree.h"
#include "TestFolder.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

void Touch(const CString& sPath)
{
    HANDLE h = ::CreateFileA(sPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ::CloseHandle(h);
}

class COXShellFolderTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CoInitialize(NULL);
        for (const char* dir : {"Beta", "Alpha", "Alpha\\Inner", "Alpha\\Inner\\Core"})
            ::CreateDirectoryA(m_folder.File(dir), NULL);
        for (const char* file : {"Alpha\\notes.TXT", "Alpha\\pic.bmp", "Alpha\\arch.tar.gz", "Alpha\\readme.doc"})
            Touch(m_folder.File(file));
        ASSERT_TRUE(CreateHostWindow(m_host, "tree", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 500)));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        ::CoUninitialize();
    }

    std::vector<std::string> Children(COXShellFolderTree& tree, HTREEITEM hParent)
    {
        std::vector<std::string> v;
        for (HTREEITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h))
            v.push_back((LPCSTR)tree.GetItemText(h));
        return v;
    }
    HTREEITEM Child(COXShellFolderTree& tree, HTREEITEM hParent, const char* name)
    {
        for (HTREEITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h))
            if (tree.GetItemText(h) == name)
                return h;
        return NULL;
    }
    BOOL CreateTree(COXShellFolderTree& tree)
    {
        return tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT
                               | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                           CRect(0, 0, 400, 400), &m_host, 7);
    }

    CTestFolder m_folder;
    CWnd m_host;
};

TEST(OXShellFolderTreeFilter, PiecesAndExtensions)
{
    struct Case { const char* text; const char* back; int count; };
    const Case cases[] = {
        {"txt|bmp", "txt|bmp", 2}, {"|txt", "txt", 1}, {"txt|", "txt|", 2}, {"|", "|", 1}, {"", "", 0},
        {"txt||bmp", "txt|bmp", 2},
    };
    for (const Case& c : cases) {
        COXShellFolderTree tree(TRUE, TRUE, TRUE, FALSE, TRUE, c.text);
        EXPECT_EQ(tree.GetFilter(), c.back) << c.text;
    }
    EXPECT_EQ(COXShellFolderTree::FilterExtension("Notes.TXT"), "TXT");
    EXPECT_EQ(COXShellFolderTree::FilterExtension("arch.tar.gz"), "tar.gz");
    EXPECT_EQ(COXShellFolderTree::FilterExtension("Makefile"), "Makefile");
    EXPECT_EQ(COXShellFolderTree::FilterExtension(".profile"), "");
    COXShellFolderTree tree(TRUE, TRUE, TRUE, FALSE, TRUE, "txt|bmp");
    EXPECT_TRUE(tree.IsFileAccepted("Notes.TXT"));
    EXPECT_FALSE(tree.IsFileAccepted("arch.tar.gz"));
    tree.SetFilter("gz");
    EXPECT_FALSE(tree.IsFileAccepted("arch.tar.gz"));   // compared as tar.gz
    tree.SetFilter("");
    EXPECT_TRUE(tree.IsFileAccepted("anything.at.all"));
}

TEST_F(COXShellFolderTreeTest, FoldersAreReadOnFirstExpansion)
{
    COXShellFolderTree tree;
    ASSERT_TRUE(CreateTree(tree));
    ASSERT_TRUE(tree.InitializeTree(m_folder.Path()));
    EXPECT_EQ(Children(tree, TVI_ROOT), (std::vector<std::string>{"Alpha", "Beta"}));   // sorted
    HTREEITEM hAlpha = Child(tree, TVI_ROOT, "Alpha");
    ASSERT_NE(hAlpha, (HTREEITEM)NULL);
    EXPECT_EQ(tree.GetChildItem(hAlpha), (HTREEITEM)NULL);   // not read yet
    EXPECT_EQ(tree.GetItemPath(hAlpha).CompareNoCase(m_folder.File("Alpha")), 0);

    tree.Expand(hAlpha, TVE_EXPAND);
    EXPECT_EQ(Children(tree, hAlpha), (std::vector<std::string>{"Inner"}));   // folders only

    // Read once: a folder made now shows only after a refresh.
    ::CreateDirectoryA(m_folder.File("Alpha\\Later"), NULL);
    tree.Expand(hAlpha, TVE_COLLAPSE);
    tree.Expand(hAlpha, TVE_EXPAND);
    EXPECT_EQ(Children(tree, hAlpha).size(), 1u);
    ASSERT_TRUE(tree.RefreshItem(hAlpha));
    EXPECT_EQ(Children(tree, hAlpha), (std::vector<std::string>{"Inner", "Later"}));
    EXPECT_TRUE(tree.GetItemState(hAlpha, TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST_F(COXShellFolderTreeTest, FilesPassTheFilter)
{
    COXShellFolderTree tree(TRUE, TRUE, TRUE, FALSE, TRUE, "txt|bmp");
    ASSERT_TRUE(CreateTree(tree));
    ASSERT_TRUE(tree.InitializeTree(m_folder.Path()));
    HTREEITEM hAlpha = Child(tree, TVI_ROOT, "Alpha");
    ASSERT_NE(hAlpha, (HTREEITEM)NULL);
    tree.Expand(hAlpha, TVE_EXPAND);
    std::vector<std::string> names = Children(tree, hAlpha);
    EXPECT_NE(std::find(names.begin(), names.end(), "Inner"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "notes.TXT"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "pic.bmp"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "readme.doc"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "arch.tar.gz"), names.end());
}

TEST_F(COXShellFolderTreeTest, OpeningByPathExpandsEachLevel)
{
    COXShellFolderTree tree(TRUE, TRUE, TRUE, TRUE, FALSE, NULL);   // with a top item
    ASSERT_TRUE(CreateTree(tree));
    ASSERT_TRUE(tree.InitializeTree(m_folder.Path()));
    HTREEITEM hTop = tree.GetRootItem();
    ASSERT_NE(hTop, (HTREEITEM)NULL);
    EXPECT_EQ(tree.GetItemRecord(hTop), (LPNAVIGATORITEM)NULL);
    EXPECT_EQ(tree.BuildContextMenu(hTop), (HMENU)NULL);   // no menu for the top item
    EXPECT_EQ(Children(tree, hTop), (std::vector<std::string>{"Alpha", "Beta"}));

    EXPECT_EQ(tree.FindFolder(m_folder.File("Alpha\\Inner")), (HTREEITEM)NULL);   // never expanded
    ASSERT_TRUE(tree.OpenFolder(m_folder.File("Alpha\\Inner\\Core")));
    HTREEITEM hSelected = tree.GetSelectedItem();
    EXPECT_EQ(tree.GetItemPath(hSelected).CompareNoCase(m_folder.File("Alpha\\Inner\\Core")), 0);
    EXPECT_EQ(tree.FindFolder(m_folder.File("Alpha\\Inner")), tree.GetParentItem(hSelected));
    EXPECT_TRUE(tree.OpenFolder(""));
    EXPECT_FALSE(tree.OpenFolder("Q:\\no\\such"));
}

// A folder's ID carries its last write time: the tree's root and the folders
// above it are still theirs after something was written in them.
TEST_F(COXShellFolderTreeTest, OpeningByPathAfterTheRootWasWrittenTo)
{
    COXShellFolderTree tree;
    ASSERT_TRUE(CreateTree(tree));
    ASSERT_TRUE(tree.InitializeTree(m_folder.Path()));
    HANDLE hDir = ::CreateFileA(m_folder.Path(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    ASSERT_NE(hDir, INVALID_HANDLE_VALUE);
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t = {{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart -= 36000000000ULL;   // an hour earlier
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    ASSERT_TRUE(::SetFileTime(hDir, NULL, NULL, &ft));
    ::CloseHandle(hDir);

    ASSERT_TRUE(tree.OpenFolder(m_folder.File("Alpha\\Inner")));
    EXPECT_EQ(tree.GetItemPath(tree.GetSelectedItem()).CompareNoCase(m_folder.File("Alpha\\Inner")), 0);
    EXPECT_EQ(tree.FindFolder(m_folder.File("Alpha\\Inner")), tree.GetSelectedItem());
}

TEST_F(COXShellFolderTreeTest, RefreshOfTheTopRebuildsForTheDesktopKeepingOpenFolders)
{
    COXShellFolderTree tree;
    ASSERT_TRUE(CreateTree(tree));
    ASSERT_TRUE(tree.InitializeTree(m_folder.Path()));
    ASSERT_TRUE(tree.OpenFolder(m_folder.File("Alpha\\Inner"), TRUE));
    ASSERT_TRUE(tree.RefreshItem(TVI_ROOT));
    // The desktop's contents at the top now, the open folders opened again.
    HTREEITEM hSelected = tree.GetSelectedItem();
    ASSERT_NE(hSelected, (HTREEITEM)NULL);
    EXPECT_EQ(tree.GetItemPath(hSelected).CompareNoCase(m_folder.File("Alpha\\Inner")), 0);
    EXPECT_TRUE(tree.GetItemState(hSelected, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(tree.GetItemPath(tree.GetRootItem()).Find(m_folder.Path()), -1);
}

TEST_F(COXShellFolderTreeTest, RenameInPlace)
{
    COXShellFolderTree tree;
    ASSERT_TRUE(CreateTree(tree));
    ASSERT_TRUE(tree.InitializeTree(m_folder.Path()));
    HTREEITEM hBeta = Child(tree, TVI_ROOT, "Beta");
    ASSERT_NE(hBeta, (HTREEITEM)NULL);
    tree.SetFocus();

    CEdit* pEdit = tree.EditLabel(hBeta);
    ASSERT_NE(pEdit, (CEdit*)NULL);
    pEdit->SetWindowText("");
    tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(tree.GetItemText(hBeta), "Beta");   // an empty name is refused

    pEdit = tree.EditLabel(hBeta);
    ASSERT_NE(pEdit, (CEdit*)NULL);
    pEdit->SetWindowText("Gamma");
    tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(tree.GetItemText(hBeta), "Gamma");
    EXPECT_NE(::GetFileAttributesA(m_folder.File("Gamma")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(tree.GetItemPath(hBeta).CompareNoCase(m_folder.File("Gamma")), 0);
}

TEST_F(COXShellFolderTreeTest, ContextMenuOfAnItemIsBuilt)
{
    COXShellFolderTree tree;
    ASSERT_TRUE(CreateTree(tree));
    ASSERT_TRUE(tree.InitializeTree(m_folder.Path()));
    HMENU hMenu = tree.BuildContextMenu(Child(tree, TVI_ROOT, "Alpha"));
    ASSERT_NE(hMenu, (HMENU)NULL);
    EXPECT_GT(::GetMenuItemCount(hMenu), 0);
    ::DestroyMenu(hMenu);
}

}  // namespace
