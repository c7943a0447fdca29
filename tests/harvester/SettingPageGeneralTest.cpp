// The general options page: what it shows from the profile, what it writes
// back, how it restarts the main window's auto-save timer, and the "General
// Settings" dialog of the Service menu that hosts it.
#include "ViewFixture.h"

#include "BasedApp.h"
#include "GeneralSettingsDlg.h"
#include "ProfileKeys.h"
#include "SettingPageGeneral.h"

namespace {

// The page's four options in the profile; -1 stands for "no value".
struct GeneralOptions {
    int nTipStartUp;
    int nEnableLog;
    int nAutoSaveEnable;
    int nSaveTime;
};

const PROFILE_INT_KEY* const kOptionKeys[] = {&profileTipStartUp, &profileEnableLog, &profileAutoSaveEnable,
                                              &profileSaveTime};

// A number of minutes whose period in milliseconds, taken modulo 2^32 as an
// unsigned multiplication wraps, is 32 ms: a timer started with it unclamped
// would tick at once.
const char kWrappingMinutes[] = "106157275";

}  // namespace

class SettingPageGeneralTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_bSavedEnableLog = g_bEnableLog;
        for (const PROFILE_INT_KEY* pKey : kOptionKeys)
            m_saved.push_back(Stored(*pKey));
        WriteOptions({-1, -1, -1, -1});
    }
    void TearDown() override
    {
        if (m_pPage != nullptr) {
            m_pPage->DestroyWindow();
            delete m_pPage;
        }
        if (m_host.GetSafeHwnd() != NULL)
            m_host.DestroyWindow();
        for (size_t i = 0; i < m_saved.size(); i++)
            Store(*kOptionKeys[i], m_saved[i]);
        g_bEnableLog = m_bSavedEnableLog;
        ViewTest::TearDown();
    }

    // The value in the profile, or -1 when there is none.
    int Stored(const PROFILE_INT_KEY& key) const
    {
        const int nMissing = -12345;
        int n = (int)m_pApp->GetProfileInt(key.pszSection, key.pszEntry, nMissing);
        return n == nMissing ? -1 : n;
    }
    void Store(const PROFILE_INT_KEY& key, int nValue)
    {
        if (nValue == -1) {
            CString sKey;
            sKey.Format("Software\\%s\\%s\\%s", m_pApp->m_pszRegistryKey, m_pApp->m_pszProfileName, key.pszSection);
            HKEY hKey;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, sKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS) {
                RegDeleteValueA(hKey, key.pszEntry);
                RegCloseKey(hKey);
            }
        } else {
            WriteProfileKey(m_pApp, key, nValue);
        }
    }
    void WriteOptions(const GeneralOptions& options)
    {
        const int values[] = {options.nTipStartUp, options.nEnableLog, options.nAutoSaveEnable, options.nSaveTime};
        for (size_t i = 0; i < 4; i++)
            Store(*kOptionKeys[i], values[i]);
    }
    GeneralOptions StoredOptions() const
    {
        return {Stored(profileTipStartUp), Stored(profileEnableLog), Stored(profileAutoSaveEnable),
                Stored(profileSaveTime)};
    }

    // The page as a child of a plain window, made from the profile as it is.
    CSettingPageGeneral& MakePage()
    {
        if (m_host.GetSafeHwnd() == NULL) {
            EXPECT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE,
                                        CRect(60, 60, 460, 260), nullptr, 0));
        }
        m_pPage = new CSettingPageGeneral(&m_host);
        EXPECT_TRUE(m_pPage->Create(CSettingPageGeneral::IDD, &m_host));
        return *m_pPage;
    }
    HWND PageItem(int nID) const { return ::GetDlgItem(m_pPage->m_hWnd, nID); }
    bool Checked(int nID) const { return ::SendMessageA(PageItem(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static void SetCheck(HWND hDlg, int nID, bool bOn)
    {
        ::SendDlgItemMessageA(hDlg, nID, BM_SETCHECK, bOn ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // The timer was running (and is stopped now).
    bool TakeAutoSaveTimer() { return ::KillTimer(m_pFrame->m_hWnd, CMainFrame::nAutoSaveTimer) != FALSE; }

    CWnd m_host;
    CSettingPageGeneral* m_pPage = nullptr;
    std::vector<int> m_saved;
    BYTE m_bSavedEnableLog = 1;
};

// The page shows tips inverted from "Tip"/"StartUp", the log and auto-save
// switches as stored, and the minutes (10 when there are none), which can be
// edited only while auto-save is on.
TEST_F(SettingPageGeneralTest, PageShowsTheStoredOptions)
{
    struct Case {
        GeneralOptions stored;
        bool bTips, bLog, bAutoSave;
        const char* pszMinutes;
    } cases[] = {
        {{-1, -1, -1, -1}, true, true, false, "10"},
        {{1, 0, 1, 25}, false, false, true, "25"},
        {{0, 1, 0, 3}, true, true, false, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszMinutes);
        WriteOptions(c.stored);
        MakePage();
        EXPECT_EQ(Checked(IDC_SHOW_TIPS), c.bTips);
        EXPECT_EQ(Checked(IDC_KEEP_LOG), c.bLog);
        EXPECT_EQ(Checked(IDC_AUTO_SAVE), c.bAutoSave);
        EXPECT_EQ(WindowText(PageItem(IDC_SAVE_MINUTES)), c.pszMinutes);
        EXPECT_EQ(::IsWindowEnabled(PageItem(IDC_SAVE_MINUTES)) != FALSE, c.bAutoSave);
        int nLow = -1, nHigh = -1;
        ::SendMessageA(PageItem(IDC_SAVE_MINUTES_SPIN), UDM_GETRANGE32, (WPARAM)&nLow, (LPARAM)&nHigh);
        EXPECT_EQ(nLow, 0);
        EXPECT_EQ(nHigh, 32762);
        m_pPage->DestroyWindow();
        delete m_pPage;
        m_pPage = nullptr;
    }
}

// Ticking "Auto save" makes the minutes editable, unticking greys them again.
TEST_F(SettingPageGeneralTest, AutoSaveBoxEnablesTheMinutes)
{
    MakePage();
    HWND hMinutes = PageItem(IDC_SAVE_MINUTES);
    ASSERT_FALSE(::IsWindowEnabled(hMinutes));
    ::SendMessageA(PageItem(IDC_AUTO_SAVE), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindowEnabled(hMinutes));
    EXPECT_TRUE(m_pPage->m_bAutoSave);
    ::SendMessageA(PageItem(IDC_AUTO_SAVE), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowEnabled(hMinutes));
    EXPECT_FALSE(m_pPage->m_bAutoSave);
}

// Saving writes the four options (tips inverted, the minutes by their leading
// digits) and hands the log switch to the running program.
TEST_F(SettingPageGeneralTest, SaveChangesWritesTheFourOptions)
{
    struct Case {
        bool bTips, bLog, bAutoSave;
        const char* pszMinutes;
        GeneralOptions expected;
    } cases[] = {
        {true, true, true, "15", {0, 1, 1, 15}},
        {false, false, false, "12abc", {1, 0, 0, 12}},
        {true, false, true, "", {0, 0, 1, 0}},
        {false, true, false, "abc", {1, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszMinutes);
        MakePage();
        SetCheck(m_pPage->m_hWnd, IDC_SHOW_TIPS, c.bTips);
        SetCheck(m_pPage->m_hWnd, IDC_KEEP_LOG, c.bLog);
        SetCheck(m_pPage->m_hWnd, IDC_AUTO_SAVE, c.bAutoSave);
        ::SetWindowTextA(PageItem(IDC_SAVE_MINUTES), c.pszMinutes);
        g_bEnableLog = c.bLog ? 0 : 1;

        EXPECT_TRUE(m_pPage->SaveChanges());
        const GeneralOptions stored = StoredOptions();
        EXPECT_EQ(stored.nTipStartUp, c.expected.nTipStartUp);
        EXPECT_EQ(stored.nEnableLog, c.expected.nEnableLog);
        EXPECT_EQ(stored.nAutoSaveEnable, c.expected.nAutoSaveEnable);
        EXPECT_EQ(stored.nSaveTime, c.expected.nSaveTime);
        EXPECT_EQ(g_bEnableLog, c.bLog ? 1 : 0);
        m_pPage->DestroyWindow();
        delete m_pPage;
        m_pPage = nullptr;
    }
}

// With auto-save on, saving restarts the main window's timer 45 at once. A
// number of minutes of 0, or one so large that its period would wrap, is
// clamped as the window clamps its own: the timer does not tick at once (the
// tests' application says auto-save is off, so a tick would stop it). With
// auto-save off the timer is left as it was.
TEST_F(SettingPageGeneralTest, SavingRestartsTheAutoSaveTimer)
{
    CreateWindows();
    struct Case {
        bool bAutoSave;
        const char* pszMinutes;
        bool bRunningBefore;
        bool bRunningAfter;
        UINT nPeriod;   // what the timer was started with; 0: not started
    } cases[] = {
        {true, "10", false, true, 600000u},
        {true, "7", false, true, 420000u},
        {true, "0", false, true, 60000u},
        {true, kWrappingMinutes, false, true, 35791u * 60000u},
        {false, "10", true, true, 0},
        {false, "10", false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pszMinutes) + (c.bAutoSave ? " on" : " off"));
        TakeAutoSaveTimer();
        if (c.bRunningBefore)
            ::SetTimer(m_pFrame->m_hWnd, CMainFrame::nAutoSaveTimer, 3600000, NULL);
        MakePage();
        SetCheck(m_pPage->m_hWnd, IDC_AUTO_SAVE, c.bAutoSave);
        ::SetWindowTextA(PageItem(IDC_SAVE_MINUTES), c.pszMinutes);
        const UINT nPeriodBefore = m_pFrame->GetAutoSavePeriod();
        EXPECT_TRUE(m_pPage->SaveChanges());
        PumpAppFor(150);
        EXPECT_EQ(TakeAutoSaveTimer(), c.bRunningAfter);
        EXPECT_EQ(m_pFrame->GetAutoSavePeriod(), c.nPeriod ? c.nPeriod : nPeriodBefore);
        m_pPage->DestroyWindow();
        delete m_pPage;
        m_pPage = nullptr;
    }
}

// "General Settings..." in the Service menu opens the page in a small dialog:
// OK stores what the user set there, Cancel stores nothing.
TEST_F(SettingPageGeneralTest, ServiceMenuOpensTheGeneralSettings)
{
    CreateWindows();
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    ASSERT_NE(hMenu, (HMENU)NULL);
    char szItem[64] = "";
    ASSERT_GT(::GetMenuStringA(hMenu, ID_GENERAL_SETTINGS, szItem, sizeof szItem, MF_BYCOMMAND), 0);
    EXPECT_STREQ(szItem, "General Settings...");

    for (int nButton : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(nButton == IDOK ? "OK" : "Cancel");
        WriteOptions({0, 1, 0, 10});
        std::string sCaption;
        bool bPageSeen = false;
        m_answerer.Handle([&](HWND hDlg, const ShownDialog& shown) {
            sCaption = shown.caption;
            HWND hPage = ::FindWindowExA(hDlg, NULL, "#32770", NULL);
            bPageSeen = hPage != NULL && ::GetDlgItem(hPage, IDC_SAVE_MINUTES) != NULL;
            if (bPageSeen) {
                SetCheck(hPage, IDC_KEEP_LOG, false);
                SetCheck(hPage, IDC_AUTO_SAVE, true);
                ::SetDlgItemTextA(hPage, IDC_SAVE_MINUTES, "20");
            }
            CDialogAnswerer::PressButton(hDlg, nButton);
        });
        ::SendMessageA(m_pFrame->m_hWnd, WM_COMMAND, ID_GENERAL_SETTINGS, 0);
        PumpAppFor(20);
        EXPECT_EQ(sCaption, "General Settings");
        EXPECT_TRUE(bPageSeen);
        const GeneralOptions stored = StoredOptions();
        if (nButton == IDOK) {
            EXPECT_EQ(stored.nEnableLog, 0);
            EXPECT_EQ(stored.nAutoSaveEnable, 1);
            EXPECT_EQ(stored.nSaveTime, 20);
        } else {
            EXPECT_EQ(stored.nEnableLog, 1);
            EXPECT_EQ(stored.nAutoSaveEnable, 0);
            EXPECT_EQ(stored.nSaveTime, 10);
        }
    }
}
