// The shell namespace navigator over a fixture folder in the prefix: ID
// lists joined and split, paths and folders (the desktop for what does not
// parse), and an enumeration into item records.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "OXShellNamespaceNavigator.h"
#include "TestFolder.h"

namespace {

class COXShellNamespaceNavigatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CoInitialize(NULL);
        ::CreateDirectoryA(m_folder.File("Sub"), NULL);
        ::CreateDirectoryA(m_folder.File("Sub\\Deeper"), NULL);
        for (const char* name : {"a.txt", "b.bmp"}) {
            HANDLE h = ::CreateFileA(m_folder.File(name), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            ::CloseHandle(h);
        }
    }
    void TearDown() override { ::CoUninitialize(); }

    CTestFolder m_folder;
};

TEST_F(COXShellNamespaceNavigatorTest, IdListsJoinAndSplit)
{
    COXShellNamespaceNavigator nav;
    LPITEMIDLIST pidlSub = NULL;
    ASSERT_TRUE(nav.GetPIDLFromPath(m_folder.File("Sub"), &pidlSub));
    ASSERT_NE(pidlSub, (LPITEMIDLIST)NULL);
    EXPECT_EQ(COXShellNamespaceNavigator::GetPathFromIDL(pidlSub).CompareNoCase(m_folder.File("Sub")), 0);

    LPITEMIDLIST pidlEmpty = (LPITEMIDLIST)1;
    EXPECT_TRUE(nav.GetPIDLFromPath("", &pidlEmpty));
    EXPECT_EQ(pidlEmpty, (LPITEMIDLIST)NULL);
    LPITEMIDLIST pidlBad = NULL;
    EXPECT_FALSE(nav.GetPIDLFromPath("Q:\\no\\such\\place", &pidlBad));
    EXPECT_EQ(COXShellNamespaceNavigator::GetIDListSize(NULL), 0);

    // The folder's last item split off, then joined back.
    LPITEMIDLIST pidlLast = NULL;
    IShellFolder* pParent = nav.GetParentShellFolder(pidlSub, &pidlLast);
    ASSERT_NE(pParent, (IShellFolder*)NULL);
    ASSERT_NE(pidlLast, (LPITEMIDLIST)NULL);
    EXPECT_EQ(COXShellNamespaceNavigator::GetIDListItemCount(pidlLast), 1);
    EXPECT_EQ(nav.GetDisplayName(pParent, pidlLast), "Sub");

    LPITEMIDLIST pidlDeeper = NULL;
    ASSERT_TRUE(nav.ParseRelativeName(nav.GetShellFolder(m_folder.File("Sub")), "Deeper", &pidlDeeper));
    LPITEMIDLIST pidlJoined = nav.ConcatenatePIDLs(pidlSub, pidlDeeper);
    EXPECT_EQ(COXShellNamespaceNavigator::GetIDListSize(pidlJoined),
              COXShellNamespaceNavigator::GetIDListSize(pidlSub) + COXShellNamespaceNavigator::GetIDListSize(pidlDeeper)
                  - 2);
    EXPECT_EQ(COXShellNamespaceNavigator::GetIDListItemCount(pidlJoined),
              COXShellNamespaceNavigator::GetIDListItemCount(pidlSub) + 1);
    EXPECT_EQ(COXShellNamespaceNavigator::GetPathFromIDL(pidlJoined).CompareNoCase(m_folder.File("Sub\\Deeper")), 0);
    LPITEMIDLIST pidlCopy = nav.ConcatenatePIDLs(NULL, pidlSub);
    EXPECT_EQ(memcmp(pidlCopy, pidlSub, COXShellNamespaceNavigator::GetIDListSize(pidlSub)), 0);
    EXPECT_EQ(nav.ConcatenatePIDLs(NULL, NULL), (LPITEMIDLIST)NULL);
    for (LPITEMIDLIST p : {pidlSub, pidlLast, pidlDeeper, pidlJoined, pidlCopy})
        nav.FreeIDList(p);
}

TEST_F(COXShellNamespaceNavigatorTest, FoldersFallBackToTheDesktop)
{
    COXShellNamespaceNavigator nav;
    nav.SetAutoCleanUp(TRUE);
    IShellFolder* pDesktop = nav.GetShellFolder((LPCTSTR)"");
    ASSERT_NE(pDesktop, (IShellFolder*)NULL);
    IShellFolder* pMissing = nav.GetShellFolder("Q:\\no\\such\\place");
    // The desktop's display name of itself is the same for both.
    EXPECT_EQ(nav.GetDisplayName(pMissing, NULL), nav.GetDisplayName(pDesktop, NULL));

    // A one-item list's parent is the desktop and the item comes back as a copy.
    LPITEMIDLIST pidlDrive = NULL;
    ASSERT_TRUE(nav.GetPIDLFromPath("C:\\", &pidlDrive));
    LPITEMIDLIST pidlDesktopChild = NULL;
    IShellFolder* pParent = nav.GetParentShellFolder(pidlDrive, &pidlDesktopChild);
    ASSERT_NE(pParent, (IShellFolder*)NULL);
    if (COXShellNamespaceNavigator::GetIDListItemCount(pidlDrive) == 1) {
        EXPECT_EQ(nav.GetDisplayName(pParent, NULL), nav.GetDisplayName(pDesktop, NULL));
        EXPECT_EQ(memcmp(pidlDesktopChild, pidlDrive, COXShellNamespaceNavigator::GetIDListSize(pidlDrive)), 0);
    }
    nav.FreeIDList(pidlDrive);
    nav.FreeIDList(pidlDesktopChild);
}

TEST_F(COXShellNamespaceNavigatorTest, EnumerationMakesRecords)
{
    COXShellNamespaceNavigator nav;
    nav.SetAutoCleanUp(TRUE);
    LPITEMIDLIST pidlFolder = NULL;
    ASSERT_TRUE(nav.GetPIDLFromPath(m_folder.Path(), &pidlFolder));
    IShellFolder* pFolder = nav.GetShellFolder((LPCITEMIDLIST)pidlFolder);
    ASSERT_TRUE(nav.BeginEnumeration(pFolder, pidlFolder));
    EXPECT_FALSE(nav.BeginEnumeration(pFolder, pidlFolder));   // one at a time
    std::set<std::string> names;
    BOOL bEnd = FALSE;
    while (LPNAVIGATORITEM pItem = nav.GetNextEnumeratedObject(bEnd)) {
        names.insert(pItem->szName);
        if (std::string(pItem->szName) == "Sub") {
            EXPECT_TRUE(pItem->dwAttributes & SFGAO_FOLDER);
            EXPECT_TRUE(pItem->dwAttributes & SFGAO_FILESYSTEM);
            EXPECT_EQ(COXShellNamespaceNavigator::GetPathFromIDL(pItem->pidlFull).CompareNoCase(m_folder.File("Sub")), 0);
        }
        if (std::string(pItem->szName) == "a.txt") {
            EXPECT_FALSE(pItem->dwAttributes & SFGAO_FOLDER);
        }
        EXPECT_GE(pItem->nIconSmall, 0);
        nav.FreeItemRecord(pItem);
    }
    EXPECT_TRUE(bEnd);
    nav.EndEnumeration();
    EXPECT_FALSE(nav.IsEnumerating());
    EXPECT_TRUE(names.count("Sub"));
    EXPECT_TRUE(names.count("a.txt"));
    EXPECT_TRUE(names.count("b.bmp"));
    nav.FreeIDList(pidlFolder);

    // Renaming through the folder gives the new item.
    LPITEMIDLIST pidlA = NULL;
    ASSERT_TRUE(nav.ParseRelativeName(pFolder, "a.txt", &pidlA));
    LPITEMIDLIST pidlRenamed = nav.Rename(pFolder, pidlA, "renamed.txt");
    ASSERT_NE(pidlRenamed, (LPITEMIDLIST)NULL);
    EXPECT_NE(::GetFileAttributesA(m_folder.File("renamed.txt")), INVALID_FILE_ATTRIBUTES);
    nav.FreeIDList(pidlA);
    nav.FreeIDList(pidlRenamed);
}

}  // namespace
