// The application object: profile values in the registry and in an INI
// file, the recent-file list, command-line parsing and the wait cursor.
#include "wnd_test.h"

#include <afxhandle.h>

namespace {

const char kSection[] = "WndProfileTest";

// The registry key the test application's profile lives under.
std::string SectionKeyPath(const char* section)
{
    CWinApp* pApp = AfxGetApp();
    return std::string("Software\\") + pApp->m_pszRegistryKey + "\\" + pApp->m_pszProfileName + "\\" + section;
}

class WndProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pApp = AfxGetApp();
        ASSERT_NE(m_pApp, (CWinApp*)NULL);
        ASSERT_NE(m_pApp->m_pszRegistryKey, (LPCTSTR)NULL) << "the test application sets a registry key";
        m_pApp->WriteProfileString(kSection, NULL, NULL);   // start from nothing
    }
    void TearDown() override { m_pApp->WriteProfileString(kSection, NULL, NULL); }

    CWinApp* m_pApp = NULL;
};

TEST_F(WndProfileTest, ValuesRoundTripUnderTheApplicationsKey)
{
    EXPECT_EQ(std::string(m_pApp->m_pszRegistryKey), "Pellucor Test");
    EXPECT_EQ(std::string(m_pApp->m_pszProfileName), "PellucorTests");

    ASSERT_TRUE(m_pApp->WriteProfileInt(kSection, "Count", -17));
    ASSERT_TRUE(m_pApp->WriteProfileString(kSection, "Name", "Слова и фразы"));
    BYTE data[] = { 0x00, 0x01, 0xFE, 0xFF, 0x7F };
    ASSERT_TRUE(m_pApp->WriteProfileBinary(kSection, "Blob", data, sizeof(data)));

    EXPECT_EQ((int)m_pApp->GetProfileInt(kSection, "Count", 5), -17);
    EXPECT_EQ(std::string(m_pApp->GetProfileString(kSection, "Name")), "Слова и фразы");
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(m_pApp->GetProfileBinary(kSection, "Blob", &pData, &nBytes));
    ASSERT_EQ(nBytes, sizeof(data));
    EXPECT_EQ(memcmp(pData, data, sizeof(data)), 0);
    delete[] pData;

    // the values are where other programs (and later runs) find them
    HKEY hKey = NULL;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, SectionKeyPath(kSection).c_str(), 0, KEY_READ, &hKey), ERROR_SUCCESS);
    DWORD dwType = 0, dwValue = 0, cb = sizeof(dwValue);
    EXPECT_EQ(::RegQueryValueExA(hKey, "Count", NULL, &dwType, (LPBYTE)&dwValue, &cb), ERROR_SUCCESS);
    EXPECT_EQ(dwType, (DWORD)REG_DWORD);
    EXPECT_EQ((int)dwValue, -17);
    char sz[64] = "";
    cb = sizeof(sz);
    EXPECT_EQ(::RegQueryValueExA(hKey, "Name", NULL, &dwType, (LPBYTE)sz, &cb), ERROR_SUCCESS);
    EXPECT_EQ(dwType, (DWORD)REG_SZ);
    EXPECT_STREQ(sz, "Слова и фразы");
    cb = 0;
    EXPECT_EQ(::RegQueryValueExA(hKey, "Blob", NULL, &dwType, NULL, &cb), ERROR_SUCCESS);
    EXPECT_EQ(dwType, (DWORD)REG_BINARY);
    EXPECT_EQ(cb, sizeof(data));
    ::RegCloseKey(hKey);
}

TEST_F(WndProfileTest, MissingValuesGiveTheDefaults)
{
    EXPECT_EQ(m_pApp->GetProfileInt(kSection, "Nothing", 42), 42u);
    EXPECT_EQ(std::string(m_pApp->GetProfileString(kSection, "Nothing", "fallback")), "fallback");
    EXPECT_EQ(std::string(m_pApp->GetProfileString(kSection, "Nothing")), "");
    LPBYTE pData = (LPBYTE)1;
    UINT nBytes = 99;
    EXPECT_FALSE(m_pApp->GetProfileBinary(kSection, "Nothing", &pData, &nBytes));
    EXPECT_EQ(pData, (LPBYTE)NULL);
    EXPECT_EQ(nBytes, 0u);
    // a value of another type is not taken for an int
    m_pApp->WriteProfileString(kSection, "Text", "12");
    EXPECT_EQ(m_pApp->GetProfileInt(kSection, "Text", 3), 3u);
}

TEST_F(WndProfileTest, NullValueDeletesTheEntryAndNullEntryTheSection)
{
    m_pApp->WriteProfileString(kSection, "A", "1");
    m_pApp->WriteProfileString(kSection, "B", "2");
    EXPECT_TRUE(m_pApp->WriteProfileString(kSection, "A", NULL));
    EXPECT_EQ(std::string(m_pApp->GetProfileString(kSection, "A", "gone")), "gone");
    EXPECT_EQ(std::string(m_pApp->GetProfileString(kSection, "B")), "2");

    EXPECT_TRUE(m_pApp->WriteProfileString(kSection, NULL, NULL));
    HKEY hKey = NULL;
    EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, SectionKeyPath(kSection).c_str(), 0, KEY_READ, &hKey),
              ERROR_FILE_NOT_FOUND);
}

// The application's key stays open between values: a profile renamed or
// deleted behind the application's back (a reset, another program) must still
// take the values where other programs look for them.
TEST_F(WndProfileTest, ValuesLandUnderARenamedOrDeletedProfile)
{
    LPCTSTR pszOldProfile = m_pApp->m_pszProfileName;
    char szProfile[] = "PellucorTests-Reopened";
    const std::string strAppKey = std::string("Software\\") + m_pApp->m_pszRegistryKey + "\\" + szProfile;
    auto storedCount = [&]() -> int {
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, (strAppKey + "\\" + kSection).c_str(), 0, KEY_READ, &hKey) !=
            ERROR_SUCCESS)
            return -1;
        DWORD dwValue = 0, cb = sizeof(dwValue);
        LONG lResult = ::RegQueryValueExA(hKey, "Count", NULL, NULL, (LPBYTE)&dwValue, &cb);
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS ? (int)dwValue : -1;
    };

    ASSERT_TRUE(m_pApp->WriteProfileInt(kSection, "Count", 1));   // the usual profile's key opened
    m_pApp->m_pszProfileName = szProfile;
    EXPECT_TRUE(m_pApp->WriteProfileInt(kSection, "Count", 2));
    EXPECT_EQ(storedCount(), 2) << "the value went under the profile's new name";

    HKEY hCompany = NULL;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string("Software\\") + m_pApp->m_pszRegistryKey).c_str(), 0,
                              KEY_ALL_ACCESS, &hCompany),
              ERROR_SUCCESS);
    ASSERT_EQ(m_pApp->DelRegTree(hCompany, szProfile), ERROR_SUCCESS);
    EXPECT_EQ(storedCount(), -1);
    EXPECT_EQ(m_pApp->GetProfileInt(kSection, "Count", 7), 7u);
    EXPECT_TRUE(m_pApp->WriteProfileInt(kSection, "Count", 3));
    EXPECT_EQ(storedCount(), 3) << "the value went into a profile made afresh";

    m_pApp->DelRegTree(hCompany, szProfile);
    ::RegCloseKey(hCompany);
    m_pApp->m_pszProfileName = pszOldProfile;
    EXPECT_EQ((int)m_pApp->GetProfileInt(kSection, "Count", 5), 1);
}

// Without a registry key the profile is an INI file; binary values are
// stored as letters, 'A' + low nibble then 'A' + high nibble.
TEST_F(WndProfileTest, WithoutRegistryKeyTheProfileIsAnIniFile)
{
    char szDir[MAX_PATH], szIni[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    ::GetTempFileNameA(szDir, "wnd", 0, szIni);
    LPCTSTR pszOldKey = m_pApp->m_pszRegistryKey;
    LPCTSTR pszOldProfile = m_pApp->m_pszProfileName;
    m_pApp->m_pszRegistryKey = NULL;
    m_pApp->m_pszProfileName = szIni;

    BYTE data[] = { 0x12, 0xAB };
    m_pApp->WriteProfileInt("Ini", "Int", 31);
    m_pApp->WriteProfileString("Ini", "Str", "value");
    m_pApp->WriteProfileBinary("Ini", "Bin", data, sizeof(data));
    UINT nInt = m_pApp->GetProfileInt("Ini", "Int", 0);
    CString str = m_pApp->GetProfileString("Ini", "Str");
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    BOOL bBinary = m_pApp->GetProfileBinary("Ini", "Bin", &pData, &nBytes);
    char szRaw[32] = "";
    ::GetPrivateProfileStringA("Ini", "Bin", "", szRaw, sizeof(szRaw), szIni);

    m_pApp->m_pszRegistryKey = pszOldKey;
    m_pApp->m_pszProfileName = pszOldProfile;
    ::DeleteFileA(szIni);

    EXPECT_EQ(nInt, 31u);
    EXPECT_EQ(std::string(str), "value");
    ASSERT_TRUE(bBinary);
    ASSERT_EQ(nBytes, 2u);
    EXPECT_EQ(pData[0], 0x12);
    EXPECT_EQ(pData[1], 0xAB);
    delete[] pData;
    EXPECT_STREQ(szRaw, "CBLK");
}

// ---------------------------------------------------------------------------
// Recent-file list
// ---------------------------------------------------------------------------

TEST(WndRecentFileList, AddMovesToTheTopAndDropsTheOldest)
{
    CRecentFileList list(0, "WndRecentTest", "File%d", 3);
    list.Add("C:\\data\\a.kwd");
    list.Add("C:\\data\\b.kwd");
    list.Add("C:\\data\\c.kwd");
    list.Add("c:\\DATA\\A.kwd");   // the same file, other case
    EXPECT_EQ(std::string(list[0]), "c:\\DATA\\A.kwd");
    EXPECT_EQ(std::string(list[1]), "C:\\data\\c.kwd");
    EXPECT_EQ(std::string(list[2]), "C:\\data\\b.kwd");
    list.Add("C:\\data\\d.kwd");
    EXPECT_EQ(std::string(list[0]), "C:\\data\\d.kwd");
    EXPECT_EQ(std::string(list[2]), "C:\\data\\c.kwd");
    list.Remove(0);
    EXPECT_EQ(std::string(list[0]), "c:\\DATA\\A.kwd");
    EXPECT_TRUE(list[2].IsEmpty());
    EXPECT_EQ(list.GetSize(), 3);
}

// A path already listed under other letter case is that entry: it moves to
// the top and nothing else is dropped, wherever it stood.
TEST(WndRecentFileList, APathListedUnderOtherCaseMovesThatEntryToTheTop)
{
    const char* const files[] = {"C:\\data\\a.kwd", "C:\\data\\b.kwd", "C:\\data\\c.kwd", "C:\\data\\d.kwd"};
    for (int nAt = 0; nAt < 4; nAt++) {
        SCOPED_TRACE(::testing::Message() << "entry " << nAt);
        CRecentFileList list(0, "WndRecentTest", "File%d", 4);
        for (const char* file : files)
            list.Add(file);   // d, c, b, a
        std::vector<std::string> expected = {"d.kwd", "c.kwd", "b.kwd", "a.kwd"};
        expected.erase(expected.begin() + nAt);
        CString strOtherCase = list[nAt];
        strOtherCase.MakeUpper();
        list.Add(strOtherCase);
        EXPECT_EQ(std::string(list[0]), std::string(strOtherCase));
        for (int i = 1; i < 4; i++)
            EXPECT_EQ(std::string(list[i]), "C:\\data\\" + expected[i - 1]) << "at " << i;
    }
}

TEST(WndRecentFileList, ListRoundTripsThroughTheProfile)
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString("WndRecentTest", NULL, NULL);
    {
        CRecentFileList list(0, "WndRecentTest", "File%d", 4);
        list.Add("C:\\one.kwd");
        list.Add("C:\\two.kwd");
        list.WriteList();
    }
    EXPECT_EQ(std::string(pApp->GetProfileString("WndRecentTest", "File1")), "C:\\two.kwd");
    EXPECT_EQ(std::string(pApp->GetProfileString("WndRecentTest", "File2")), "C:\\one.kwd");
    EXPECT_EQ(std::string(pApp->GetProfileString("WndRecentTest", "File3", "none")), "none");
    CRecentFileList list(0, "WndRecentTest", "File%d", 4);
    list.ReadList();
    EXPECT_EQ(std::string(list[0]), "C:\\two.kwd");
    EXPECT_EQ(std::string(list[1]), "C:\\one.kwd");
    EXPECT_TRUE(list[2].IsEmpty());
    pApp->WriteProfileString("WndRecentTest", NULL, NULL);
}

TEST(WndRecentFileList, DisplayNames)
{
    CRecentFileList list(0, "WndRecentTest", "File%d", 4, 30);
    list.Add("C:\\Program Files\\Pellucor\\data\\keywords.kwd");
    list.Add("C:\\work\\list.kwd");
    CString strName;
    EXPECT_TRUE(list.GetDisplayName(strName, 0, "C:\\work\\", 8));
    EXPECT_EQ(std::string(strName), "list.kwd");
    EXPECT_TRUE(list.GetDisplayName(strName, 0, "C:\\other\\", 9));
    EXPECT_EQ(std::string(strName), "C:\\work\\list.kwd");
    EXPECT_TRUE(list.GetDisplayName(strName, 1, "C:\\work\\", 8));
    EXPECT_EQ(std::string(strName), "C:\\...\\data\\keywords.kwd");
    EXPECT_FALSE(list.GetDisplayName(strName, 2, "C:\\work\\", 8));
}

TEST(WndRecentFileList, AbbreviateName)
{
    struct Case { const char* path; int nMax; BOOL bAtLeastName; const char* expected; } cases[] = {
        { "C:\\a\\b.txt", 30, TRUE, "C:\\a\\b.txt" },
        { "C:\\Program Files\\Pellucor\\data\\keywords.kwd", 30, TRUE, "C:\\...\\data\\keywords.kwd" },
        { "C:\\Program Files\\Pellucor\\data\\keywords.kwd", 40, TRUE, "C:\\...\\Pellucor\\data\\keywords.kwd" },
        { "C:\\Program Files\\Pellucor\\data\\keywords.kwd", 15, TRUE, "keywords.kwd" },
        { "C:\\dir\\a-very-long-file-name.kwd", 10, TRUE, "a-very-long-file-name.kwd" },
        { "C:\\dir\\a-very-long-file-name.kwd", 10, FALSE, "" },
        { "\\\\server\\share\\projects\\2024\\list.kwd", 30, TRUE, "\\\\server\\share\\...\\list.kwd" },
    };
    for (const Case& c : cases) {
        char sz[MAX_PATH];
        lstrcpyA(sz, c.path);
        AfxAbbreviateName(sz, c.nMax, c.bAtLeastName);
        EXPECT_STREQ(sz, c.expected) << c.path << " max " << c.nMax;
    }
}

TEST(WndRecentFileList, MenuShowsTheFilesOrTheDisabledPlaceholder)
{
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pOldList = pApp->m_pRecentFileList;
    CRecentFileList list(0, "WndRecentTest", "File%d", 4);
    pApp->m_pRecentFileList = &list;

    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_FILE_OPEN, "&Open");
    menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
    menu.AppendMenu(MF_STRING, ID_APP_EXIT, "E&xit");

    AfxUpdatePopupMenu(pApp, &menu, TRUE);
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_TRUE(menu.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    char szCurDir[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    list.Add("C:\\elsewhere\\b&c.kwd");
    list.Add((std::string(szCurDir) + "\\here.kwd").c_str());
    AfxUpdatePopupMenu(pApp, &menu, TRUE);
    ASSERT_EQ(menu.GetMenuItemCount(), 4u);
    char sz[64];
    ::GetMenuStringA(menu.m_hMenu, 1, sz, sizeof(sz), MF_BYPOSITION);
    EXPECT_STREQ(sz, "&1 here.kwd");
    ::GetMenuStringA(menu.m_hMenu, 2, sz, sizeof(sz), MF_BYPOSITION);
    EXPECT_STREQ(sz, "&2 C:\\elsewhere\\b&&c.kwd");
    EXPECT_EQ(menu.GetMenuItemID(2), (UINT)ID_FILE_MRU_FILE2);
    EXPECT_FALSE(menu.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(ID_FILE_MRU_FILE2, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(menu.GetMenuItemID(3), (UINT)ID_APP_EXIT);

    // updating again (the menu opened again) gives the same items
    AfxUpdatePopupMenu(pApp, &menu, TRUE);
    EXPECT_EQ(menu.GetMenuItemCount(), 4u);

    // emptied: back to the placeholder with its first text
    list.Remove(0);
    list.Remove(0);
    AfxUpdatePopupMenu(pApp, &menu, TRUE);
    ::GetMenuStringA(menu.m_hMenu, ID_FILE_MRU_FILE1, sz, sizeof(sz), MF_BYCOMMAND);
    EXPECT_STREQ(sz, "Recent File");
    EXPECT_TRUE(menu.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    pApp->m_pRecentFileList = pOldList;
    menu.DestroyMenu();
}

// ---------------------------------------------------------------------------
// Command line
// ---------------------------------------------------------------------------

TEST(WndCommandLine, ParseCommandLine)
{
    struct Case {
        const char* line;
        int nShellCommand;
        const char* file;
        BOOL bShowSplash;
        BOOL bEmbedded;
        const char* printer;
    } cases[] = {
        { "", CCommandLineInfo::FileNew, "", TRUE, FALSE, "" },
        { "\"C:\\My Files\\list one.kwd\"", CCommandLineInfo::FileOpen, "C:\\My Files\\list one.kwd", TRUE, FALSE, "" },
        { "  plain.kwd  ", CCommandLineInfo::FileOpen, "plain.kwd", TRUE, FALSE, "" },
        { "/p doc.kwd", CCommandLineInfo::FilePrint, "doc.kwd", TRUE, FALSE, "" },
        { "/pt doc.kwd \"Office Printer\" drv port", CCommandLineInfo::FilePrintTo, "doc.kwd", TRUE, FALSE, "Office Printer" },
        { "-Embedding", CCommandLineInfo::FileNew, "", FALSE, TRUE, "" },
        { "/UNREGISTER", CCommandLineInfo::AppUnregister, "", TRUE, FALSE, "" },
        { "/Regserver", CCommandLineInfo::AppRegister, "", TRUE, FALSE, "" },
        { "/dde", CCommandLineInfo::FileDDE, "", TRUE, FALSE, "" },
        { "\"say \\\"hi\\\".kwd\"", CCommandLineInfo::FileOpen, "say \"hi\".kwd", TRUE, FALSE, "" },
    };
    CWinApp* pApp = AfxGetApp();
    LPTSTR pszOld = pApp->m_lpCmdLine;
    for (const Case& c : cases) {
        char szLine[256];
        lstrcpyA(szLine, c.line);
        pApp->m_lpCmdLine = szLine;
        CCommandLineInfo info;
        pApp->ParseCommandLine(info);
        EXPECT_EQ((int)info.m_nShellCommand, c.nShellCommand) << c.line;
        EXPECT_EQ(std::string(info.m_strFileName), c.file) << c.line;
        EXPECT_EQ(info.m_bShowSplash, c.bShowSplash) << c.line;
        EXPECT_EQ(info.m_bRunEmbedded, c.bEmbedded) << c.line;
        EXPECT_EQ(std::string(info.m_strPrinterName), c.printer) << c.line;
    }
    pApp->m_lpCmdLine = pszOld;
}

TEST(WndCommandLine, NothingToDoSucceeds)
{
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(AfxGetApp()->ProcessShellCommand(info));
}

// ---------------------------------------------------------------------------
// Wait cursor
// ---------------------------------------------------------------------------

TEST(WndWaitCursor, CountIsClampedAtZero)
{
    CWinApp* pApp = AfxGetApp();
    HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
    HCURSOR hWait = ::LoadCursor(NULL, IDC_WAIT);
    ::SetCursor(hArrow);
    ASSERT_EQ(pApp->m_nWaitCursorCount, 0);

    CCmdTarget target;
    target.BeginWaitCursor();
    EXPECT_EQ(::GetCursor(), hWait);
    pApp->BeginWaitCursor();
    pApp->EndWaitCursor();
    EXPECT_EQ(::GetCursor(), hWait) << "still one wait pending";
    target.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), hArrow);
    target.EndWaitCursor();   // one too many
    EXPECT_EQ(pApp->m_nWaitCursorCount, 0);
    target.BeginWaitCursor();
    EXPECT_EQ(pApp->m_nWaitCursorCount, 1) << "an extra end must not swallow the next begin";
    EXPECT_EQ(::GetCursor(), hWait);
    target.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), hArrow);
}

}  // namespace
