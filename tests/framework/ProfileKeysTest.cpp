// The profile keys: read and written through the application object.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "DynamicWnd.h"
#include "ProfileKeys.h"

namespace {

TEST(ProfileKeys, ReadDefaultsAndWriteThroughTheApplication)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT_NE(pApp, nullptr);
    // A clean section: the test prefix keeps its registry between runs.
    HKEY hAppKey = pApp->GetAppRegistryKey();
    ASSERT_NE(hAppKey, (HKEY)NULL);
    RegDeleteKeyA(hAppKey, "HarvesterProfileTest");
    RegCloseKey(hAppKey);
    const PROFILE_INT_KEY intKey = {"HarvesterProfileTest", "m_nValue", 42};
    const PROFILE_STRING_KEY stringKey = {"HarvesterProfileTest", "m_sValue", "fallback"};
    const PROFILE_STRING_KEY computedKey = {"HarvesterProfileTest", "m_sComputed", NULL};

    EXPECT_EQ(ReadProfileKey(pApp, intKey), 42);
    EXPECT_EQ(CString(ReadProfileKey(pApp, stringKey)), "fallback");
    EXPECT_EQ(CString(ReadProfileKey(pApp, computedKey, "C:\\Program")), "C:\\Program");
    EXPECT_EQ(CString(ReadProfileKey(pApp, computedKey)), "");

    EXPECT_TRUE(WriteProfileKey(pApp, intKey, 7));
    EXPECT_TRUE(WriteProfileKey(pApp, stringKey, "stored"));
    EXPECT_EQ(ReadProfileKey(pApp, intKey), 7);
    EXPECT_EQ(CString(ReadProfileKey(pApp, stringKey)), "stored");

    // Spellings the stored profiles of users depend on.
    EXPECT_STREQ(profileExportPhraseMatch.pszEntry, "OnExportTotAdwordsPhraseMatch");
    EXPECT_STREQ(profileExportMetaTag.pszDefault, "[keywords] Meta Tag");
    EXPECT_STREQ(szProfileCompanyKey, "Dunmorrow");
}

// The layout engine's placement record is written under the catalogue's
// names, which keep the spellings stored profiles hold.
TEST(ProfileKeys, PlacementRecordUsesTheCatalogue)
{
    EXPECT_STREQ(szWindowPositionsSection, "WindowPositions");
    EXPECT_STREQ(szPlacementValid, "(valid)");
    EXPECT_STREQ(szDialogXSuffix, " X");
    EXPECT_STREQ(szDialogHeightSuffix, " Height");
    EXPECT_STREQ(szTabViewCurrentTab, "CurrentTab");
    EXPECT_STREQ(szDialogProfileNameFormat, "ID=0x%08lx");

    CWinApp* pApp = AfxGetApp();
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "placed", WS_OVERLAPPEDWINDOW, 30, 40, 200, 150, NULL, NULL));
    const CString sSection = CString(szWindowPositionsSection) + "\\ProfileKeysTest";
    ASSERT_TRUE(cdxStoreWindowPlacement(&wnd, sSection));
    EXPECT_EQ(pApp->GetProfileInt(sSection, szPlacementValid, -9), 1);
    EXPECT_EQ(pApp->GetProfileInt(sSection, szPlacementLeft, -9), 30);
    EXPECT_EQ(pApp->GetProfileInt(sSection, szPlacementTop, -9), 40);
    EXPECT_EQ(pApp->GetProfileInt(sSection, szPlacementRight, -9), 230);
    EXPECT_EQ(pApp->GetProfileInt(sSection, szPlacementBottom, -9), 190);
    EXPECT_EQ(pApp->GetProfileInt(sSection, szPlacementVisibility, -9), 0);
    EXPECT_EQ(pApp->GetProfileInt(sSection, szPlacementState, -9), -1);
    wnd.DestroyWindow();
}

}  // namespace
