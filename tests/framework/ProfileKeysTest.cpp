// The profile keys: read and written through the application object.
#include <afxwin.h>
#include <gtest/gtest.h>
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

}  // namespace
