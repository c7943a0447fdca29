// The shortkeys organizer: shortcut names and their reading back (every name
// it gives reads back as its key), edits of a frame's table made live, and
// the tables kept in the registry without a stale tail.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <aclapi.h>

#include "OXShortkeysOrganizer.h"
#include "testdrawing.h"

namespace {

struct ParseCase { const char* text; BYTE fVirt; WORD key; };

TEST(OXShortkeyNames, TextsParseToTheirKeys)
{
    const WORD plus = (WORD)(::VkKeyScanA('+') & 0xFF);
    const ParseCase cases[] = {
        {"ctrl+shift+f5", FVIRTKEY | FCONTROL | FSHIFT, 116},
        {"Ctrl++", FVIRTKEY | FCONTROL, plus},
        {" Alt + X ", FVIRTKEY | FALT, 'X'},
        {"Esc", FVIRTKEY, 27},
        {"page down", FVIRTKEY, 34},
        {"Shift+Num +", FVIRTKEY | FSHIFT, 107},
        {"/", FVIRTKEY, 111},
        {"Slash", FVIRTKEY, 191},
        {"Meta+F12", FVIRTKEY, 123},   // unknown words are passed over
    };
    for (const ParseCase& c : cases) {
        ACCEL a = {};
        ASSERT_TRUE(COXShortkeysOrganizer::ParseAccelKeyName(c.text, &a)) << c.text;
        EXPECT_EQ(a.fVirt, c.fVirt) << c.text;
        EXPECT_EQ(a.key, c.key) << c.text;
    }
    ACCEL a = {};
    for (const char* bad : {"", "   ", "Ctrl+Nothing", "\xB6"})   // the last: no key types it
        EXPECT_FALSE(COXShortkeysOrganizer::ParseAccelKeyName(bad, &a)) << bad;
}

TEST(OXShortkeyNames, EveryNameGivenReadsBackAsItsKey)
{
    HKL hUS = ::LoadKeyboardLayoutA("00000409", KLF_ACTIVATE);
    ASSERT_NE(hUS, nullptr);
    ACCEL f5 = {FVIRTKEY | FCONTROL | FSHIFT, VK_F5, 0};
    CString name = COXShortkeysOrganizer::GetAccelKeyName(&f5);
    EXPECT_EQ(name.Left(11), "Shift+Ctrl+");
    // Keys below 0x30 are not extended: Enter is not the keypad's Enter.
    for (WORD vk : {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_TAB, VK_BACK}) {
        ACCEL a = {FVIRTKEY, vk, 0};
        char plain[64] = "";
        ::GetKeyNameTextA((LONG)(::MapVirtualKeyA(vk, 0) << 16), plain, sizeof plain);
        EXPECT_EQ(COXShortkeysOrganizer::GetAccelKeyName(&a), CString(plain)) << vk;
    }
    int checked = 0;
    for (WORD vk = 1; vk < 255; vk++) {
        ACCEL a = {FVIRTKEY | FALT, vk, 0};
        CString text = COXShortkeysOrganizer::GetAccelKeyName(&a);
        if (text == "Alt+")
            continue;   // the layout has no name for it
        ACCEL back = {};
        ASSERT_TRUE(COXShortkeysOrganizer::ParseAccelKeyName(text, &back)) << (LPCSTR)text;
        // A name two keys share reads back as one of them; then it names
        // that key too.
        ACCEL again = {FVIRTKEY | FALT, back.key, 0};
        EXPECT_EQ(COXShortkeysOrganizer::GetAccelKeyName(&again), text) << vk;
        EXPECT_EQ(back.fVirt, FVIRTKEY | FALT);
        checked++;
    }
    EXPECT_GT(checked, 80);
}

class OXShortkeysOrganizerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create("shortcuts", CRect(0, 0, 300, 200)));
        ACCEL table[] = {{FVIRTKEY | FCONTROL, 'S', 100}, {FVIRTKEY | FCONTROL, 'O', 101}, {FVIRTKEY, VK_F1, 102}};
        m_frame->m_hAccelTable = ::CreateAcceleratorTableA(table, 3);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\ShortkeysTest");
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\ShortkeysTest");
    }
    static std::vector<ACCEL> Live(HACCEL h)
    {
        std::vector<ACCEL> v(::CopyAcceleratorTableA(h, NULL, 0));
        ::CopyAcceleratorTableA(h, v.data(), (int)v.size());
        return v;
    }
    CScopedFrame<> m_frame;
};

TEST_F(OXShortkeysOrganizerTest, EditsBecomeLiveAndRemovalsAreKept)
{
    COXShortkeysOrganizer organizer;
    EXPECT_FALSE(organizer.AddAccelerator(FVIRTKEY, 'A', 1, NULL));   // not attached
    ASSERT_TRUE(organizer.Attach(m_frame));
    EXPECT_FALSE(organizer.Attach(m_frame));
    EXPECT_EQ(organizer.GetTableCount(), 1);
    EXPECT_EQ(organizer.GetCommand(FVIRTKEY | FCONTROL | FNOINVERT, 'S', NULL), 100);

    EXPECT_FALSE(organizer.AddAccelerator(FVIRTKEY | FCONTROL, 'S', 200, NULL));
    ASSERT_TRUE(organizer.AddAccelerator(FVIRTKEY | FCONTROL, 'S', 200, NULL, TRUE));
    EXPECT_EQ(organizer.GetCommand(FVIRTKEY | FCONTROL, 'S', NULL), 200);
    EXPECT_EQ(organizer.GetRemovedCommand(FVIRTKEY | FCONTROL, 'S', NULL), 100);
    ASSERT_TRUE(organizer.RemoveCommand(102, NULL));
    CArray<ACCEL, const ACCEL&> found;
    EXPECT_TRUE(organizer.FindRemovedAccelerators(102, NULL, found));
    EXPECT_EQ(found.GetSize(), 1);

    ASSERT_TRUE(organizer.ApplyAccelerators());
    std::vector<ACCEL> live = Live(m_frame->m_hAccelTable);
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].cmd, 101);
    EXPECT_EQ(live[1].cmd, 200);
    EXPECT_EQ(organizer.GetRemovedCommand(FVIRTKEY | FCONTROL, 'S', NULL), 0);   // forgotten once applied

    // Alt is not Shift: Ctrl+Alt+K is free beside Ctrl+Shift+K, and each
    // finds its own command.
    ASSERT_TRUE(organizer.AddAccelerator(FVIRTKEY | FCONTROL | FSHIFT, 'K', 300, NULL));
    EXPECT_TRUE(organizer.AddAccelerator(FVIRTKEY | FCONTROL | FALT, 'K', 301, NULL));
    EXPECT_EQ(organizer.GetCommand(FVIRTKEY | FCONTROL | FSHIFT, 'K', NULL), 300);
    EXPECT_EQ(organizer.GetCommand(FVIRTKEY | FCONTROL | FALT, 'K', NULL), 301);
}

TEST_F(OXShortkeysOrganizerTest, TheLiveTableOutlivesTheOrganizer)
{
    {
        COXShortkeysOrganizer organizer;
        ASSERT_TRUE(organizer.Attach(m_frame));
        organizer.AddAccelerator(FVIRTKEY, VK_F2, 300, NULL);
        ASSERT_TRUE(organizer.ApplyAccelerators());
        organizer.AddAccelerator(FVIRTKEY, VK_F3, 301, NULL);
        ASSERT_TRUE(organizer.ApplyAccelerators());   // the first made table is no longer used
    }
    // The frame still translates with the last table made.
    std::vector<ACCEL> live = Live(m_frame->m_hAccelTable);
    ASSERT_EQ(live.size(), 5u);
    EXPECT_EQ(live[4].cmd, 301);

    // Let go of the frame first, then gone: the table stays the frame's.
    {
        COXShortkeysOrganizer organizer;
        ASSERT_TRUE(organizer.Attach(m_frame));
        organizer.AddAccelerator(FVIRTKEY, VK_F4, 302, NULL);
        ASSERT_TRUE(organizer.ApplyAccelerators());
        EXPECT_TRUE(organizer.Detach());
    }
    live = Live(m_frame->m_hAccelTable);
    ASSERT_EQ(live.size(), 6u);
    EXPECT_EQ(live[5].cmd, 302);
}

TEST_F(OXShortkeysOrganizerTest, TheStateIsStoredWithoutAStaleTailAndCheckedOnLoad)
{
    const char kSub[] = "ShortkeysTest";
    COXShortkeysOrganizer organizer;
    ASSERT_TRUE(organizer.Attach(m_frame));
    ASSERT_TRUE(organizer.SaveState(kSub));
    HKEY hKey;
    ASSERT_EQ(::RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\ShortkeysTest", &hKey),
              ERROR_SUCCESS);
    auto stored = [&] {
        DWORD size = 0;
        ::RegQueryValueExA(hKey, "AcceleratorsState", NULL, NULL, NULL, &size);
        return size;
    };
    EXPECT_EQ(stored(), 4u + 4 + 3 * 5);
    organizer.RemoveCommand(101, NULL);
    ASSERT_TRUE(organizer.SaveState(kSub));
    EXPECT_EQ(stored(), 4u + 4 + 2 * 5);

    // Read back into a fresh organizer on the same frame.
    COXShortkeysOrganizer other;
    ASSERT_TRUE(other.Attach(m_frame));
    ASSERT_TRUE(other.LoadState(kSub, TRUE));
    EXPECT_EQ(Live(m_frame->m_hAccelTable).size(), 2u);

    // A state of another number of tables leaves them as they are.
    BYTE twoTables[] = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ::RegSetValueExA(hKey, "AcceleratorsState", 0, REG_BINARY, twoTables, sizeof twoTables);
    COXShortkeysOrganizer third;
    ASSERT_TRUE(third.Attach(m_frame));
    EXPECT_TRUE(third.LoadState(kSub, FALSE));
    EXPECT_EQ(third.GetCommand(FVIRTKEY | FCONTROL, 'S', NULL), 100);

    // A state cut short fails and changes nothing.
    BYTE cut[] = {1, 0, 0, 0, 9, 0, 0, 0, FVIRTKEY, 'Q', 0};
    ::RegSetValueExA(hKey, "AcceleratorsState", 0, REG_BINARY, cut, sizeof cut);
    EXPECT_FALSE(third.LoadState(kSub, FALSE));
    EXPECT_EQ(third.GetCommand(FVIRTKEY | FCONTROL, 'S', NULL), 100);

    // A value of the wrong type is reported, not overwritten.
    ::RegSetValueExA(hKey, "AcceleratorsState", 0, REG_SZ, (const BYTE*)"x", 2);
    EXPECT_FALSE(third.SaveState(kSub));
    DWORD type = 0;
    ::RegQueryValueExA(hKey, "AcceleratorsState", NULL, &type, NULL, NULL);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    ::RegCloseKey(hKey);
}

TEST_F(OXShortkeysOrganizerTest, AStateThatCannotBeWrittenIsReportedNotClaimed)
{
    const char kPath[] = "Software\\Pellucor Test\\PellucorTests\\ShortkeysTest";
    COXShortkeysOrganizer organizer;
    ASSERT_TRUE(organizer.Attach(m_frame));
    ASSERT_TRUE(organizer.SaveState("ShortkeysTest"));
    // The key made read-only: it opens, and the value reads, but cannot be set.
    HKEY hKey;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, WRITE_DAC | KEY_READ, &hKey), ERROR_SUCCESS);
    EXPLICIT_ACCESSA access = {};
    access.grfAccessPermissions = KEY_READ;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    access.Trustee.ptstrName = (LPSTR) "EVERYONE";
    PACL pAcl = NULL;
    ASSERT_EQ(::SetEntriesInAclA(1, &access, NULL, &pAcl), ERROR_SUCCESS);
    ASSERT_EQ(::SetSecurityInfo(hKey, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                NULL, NULL, pAcl, NULL), ERROR_SUCCESS);
    ::LocalFree(pAcl);
    ::RegCloseKey(hKey);
    organizer.RemoveCommand(101, NULL);
    EXPECT_FALSE(organizer.SaveState("ShortkeysTest"));
    // What was stored before is still there, whole.
    DWORD nSize = 0;
    EXPECT_EQ(::RegGetValueA(HKEY_CURRENT_USER, kPath, "AcceleratorsState", RRF_RT_REG_BINARY, NULL, NULL, &nSize),
              ERROR_SUCCESS);
    EXPECT_EQ(nSize, 4u + 4 + 3 * 5);
}

} // namespace
