// CRegistry: every value kind written and read back, the packed form of
// rectangles and points, the bounded reads, and keys that persist.
#include <afx.h>
#include <afxcoll.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "Registry.h"

namespace {

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sKey.Format("Software\\Pellucor Test\\RegistryTest-%lu", GetCurrentProcessId());
        ASSERT_TRUE(m_reg.Create(HKEY_CURRENT_USER, m_sKey));
    }
    void TearDown() override
    {
        m_reg.Close();
        RegDeleteKeyA(HKEY_CURRENT_USER, m_sKey + "\\Child");
        RegDeleteKeyA(HKEY_CURRENT_USER, m_sKey);
    }
    std::vector<BYTE> RawValue(LPCSTR pszName)
    {
        BYTE buf[256];
        DWORD dwSize = sizeof buf, dwType = 0;
        if (RegQueryValueExA(m_reg.m_hKey, pszName, NULL, &dwType, buf, &dwSize) != ERROR_SUCCESS)
            return {};
        return std::vector<BYTE>(buf, buf + dwSize);
    }
    static std::vector<BYTE> FiveNumbers(DWORD a, DWORD b, DWORD c, DWORD d, DWORD e)
    {
        std::vector<BYTE> v = {5, 0};
        for (DWORD n : {a, b, c, d, e})
            for (int i = 0; i < 4; i++)
                v.push_back((BYTE)(n >> (8 * i)));
        return v;
    }

    CString m_sKey;
    CRegistry m_reg;
};

TEST_F(RegistryTest, EveryValueKindRoundTrips)
{
    ASSERT_TRUE(m_reg.WriteDWORD("Number", 0xDEADBEEF));
    EXPECT_EQ((DWORD)REG_DWORD, m_reg.m_dwLastType);
    EXPECT_EQ(4u, m_reg.m_dwLastSize);
    ASSERT_TRUE(m_reg.WriteString("Text", "Слова и числа"));
    EXPECT_EQ((DWORD)REG_SZ, m_reg.m_dwLastType);
    EXPECT_EQ(14u, m_reg.m_dwLastSize);
    EXPECT_EQ(ERROR_SUCCESS, m_reg.SetDWORD("Plain", 7));

    CStringList list;
    list.AddTail("one");
    list.AddTail("");
    list.AddTail("three");
    CByteArray bytes;
    CWordArray words;
    CStringArray strings;
    CDWordArray dwords;
    for (int i = 0; i < 4; i++) {
        bytes.Add((BYTE)(i + 200));
        words.Add((WORD)(i * 1000));
        strings.Add(CString('s', i));
        dwords.Add(0x10000000u * i + 5);
    }
    ASSERT_TRUE(m_reg.WriteObject("List", list));
    EXPECT_EQ((DWORD)REG_BINARY, m_reg.m_dwLastType);
    ASSERT_TRUE(m_reg.WriteObject("Bytes", bytes));
    EXPECT_EQ(2u + 4u, m_reg.m_dwLastSize);
    ASSERT_TRUE(m_reg.WriteObject("Words", words));
    ASSERT_TRUE(m_reg.WriteObject("Strings", strings));
    ASSERT_TRUE(m_reg.WriteObject("DWords", dwords));
    ASSERT_TRUE(m_reg.WriteRect("Rect", CRect(-10, 20, 300, 4000)));
    ASSERT_TRUE(m_reg.WritePoint("Point", CPoint(-7, 123456)));

    DWORD dw = 0;
    EXPECT_TRUE(m_reg.ReadDWORD("Number", dw));
    EXPECT_EQ(0xDEADBEEFu, dw);
    EXPECT_TRUE(m_reg.ReadDWORD("Plain", dw));
    EXPECT_EQ(7u, dw);
    CString s;
    EXPECT_TRUE(m_reg.ReadString("Text", s));
    EXPECT_STREQ("Слова и числа", s);

    CStringList listBack;
    listBack.AddTail("stale");
    EXPECT_TRUE(m_reg.ReadStringList("List", listBack));
    ASSERT_EQ(3, (int)listBack.GetCount());
    EXPECT_STREQ("one", listBack.GetHead());
    EXPECT_STREQ("three", listBack.GetTail());

    CByteArray bytesBack;
    bytesBack.SetSize(4);
    CWordArray wordsBack;
    wordsBack.SetSize(4);
    CStringArray stringsBack;
    stringsBack.SetSize(4);
    CDWordArray dwordsBack;
    EXPECT_TRUE(m_reg.ReadByteArray("Bytes", bytesBack));
    EXPECT_TRUE(m_reg.ReadWordArray("Words", wordsBack));
    EXPECT_TRUE(m_reg.ReadStringArray("Strings", stringsBack));
    EXPECT_TRUE(m_reg.ReadDWordArray("DWords", dwordsBack));
    ASSERT_EQ(4, (int)dwordsBack.GetSize());
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(bytes[i], bytesBack[i]);
        EXPECT_EQ(words[i], wordsBack[i]);
        EXPECT_STREQ(strings[i], stringsBack[i]);
        EXPECT_EQ(dwords[i], dwordsBack[i]);
    }

    CRect rc;
    EXPECT_TRUE(m_reg.ReadRect("Rect", rc));
    EXPECT_EQ(CRect(-10, 20, 300, 4000), rc);
    CPoint pt;
    EXPECT_TRUE(m_reg.ReadPoint("Point", pt));
    EXPECT_EQ(-7, pt.x);
    EXPECT_EQ(123456, pt.y);
}

TEST_F(RegistryTest, RectAndPointArePackedAsFiveNumbers)
{
    ASSERT_TRUE(m_reg.WriteRect("Rect", CRect(1, 2, 3, 4)));
    EXPECT_EQ(FiveNumbers(2, 4, 1, 3, 0), RawValue("Rect"));
    EXPECT_EQ(22u, m_reg.m_dwLastSize);
    ASSERT_TRUE(m_reg.WritePoint("Point", CPoint(5, 6)));
    EXPECT_EQ(FiveNumbers(5, 6, 0, 0, 0), RawValue("Point"));

    // The stored point is 22 bytes: a read bounded at 20 would always fail.
    CPoint pt(0, 0);
    EXPECT_TRUE(m_reg.ReadPoint("Point", pt));
    EXPECT_EQ(ERROR_SUCCESS, m_reg.m_nLastError);
    EXPECT_EQ(CPoint(5, 6), pt);
}

TEST_F(RegistryTest, BoundedAndMismatchedReads)
{
    // A string longer than the read buffer fails and leaves the text alone.
    ASSERT_TRUE(m_reg.WriteString("Long", std::string(250, 'x').c_str()));
    CString s("unchanged");
    EXPECT_FALSE(m_reg.ReadString("Long", s));
    EXPECT_EQ(ERROR_MORE_DATA, m_reg.m_nLastError);
    EXPECT_STREQ("unchanged", s);

    // A byte array keeps the size it had before the read.
    CByteArray five;
    for (BYTE b = 1; b <= 5; b++)
        five.Add(b);
    ASSERT_TRUE(m_reg.WriteObject("Five", five));
    CByteArray three;
    three.SetSize(3);
    EXPECT_TRUE(m_reg.ReadByteArray("Five", three));
    ASSERT_EQ(3, (int)three.GetSize());
    EXPECT_EQ(1, three[0]);
    EXPECT_EQ(3, three[2]);
    CByteArray seven;
    seven.SetSize(7);
    seven[6] = 99;
    EXPECT_TRUE(m_reg.ReadByteArray("Five", seven));
    ASSERT_EQ(7, (int)seven.GetSize());
    EXPECT_EQ(5, seven[4]);
    EXPECT_EQ(0, seven[6]);

    // A value of another type leaves the target untouched; the query succeeded.
    ASSERT_TRUE(m_reg.WriteString("Short", "x"));
    CRect rc(9, 9, 9, 9);
    EXPECT_TRUE(m_reg.ReadRect("Short", rc));
    EXPECT_EQ((DWORD)REG_SZ, m_reg.m_dwLastType);
    EXPECT_EQ(CRect(9, 9, 9, 9), rc);

    // Bytes that are not an archive of the object fail without throwing, and
    // a count far beyond the stored bytes is refused before anything is
    // allocated for it.
    BYTE cut[] = {3, 0, 1, 'a', 1};
    BYTE huge[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    RegSetValueExA(m_reg.m_hKey, "Cut", 0, REG_BINARY, cut, sizeof cut);
    RegSetValueExA(m_reg.m_hKey, "Huge", 0, REG_BINARY, huge, sizeof huge);
    CStringArray strings;
    strings.Add("kept");
    EXPECT_FALSE(m_reg.ReadStringArray("Cut", strings));
    EXPECT_EQ(ERROR_INVALID_DATA, m_reg.m_nLastError);
    EXPECT_FALSE(m_reg.ReadStringArray("Huge", strings));
    EXPECT_EQ(ERROR_INVALID_DATA, m_reg.m_nLastError);
    ASSERT_EQ(1, (int)strings.GetSize());
    EXPECT_STREQ("kept", strings[0]);

    // Missing values.
    DWORD dw = 42;
    EXPECT_FALSE(m_reg.ReadDWORD("Missing", dw));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, m_reg.m_nLastError);
    EXPECT_EQ(42u, dw);
    EXPECT_TRUE(m_reg.ValueExists("Five"));
    EXPECT_TRUE(m_reg.DeleteValue("Five"));
    EXPECT_FALSE(m_reg.ValueExists("Five"));
    EXPECT_FALSE(m_reg.DeleteValue("Five"));
}

TEST_F(RegistryTest, KeysPersistOpenAndClose)
{
    // A volatile key refuses persistent children: the created key must not be one.
    HKEY hChild = NULL;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(m_reg.m_hKey, "Child", 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                             NULL, &hChild, NULL));
    RegCloseKey(hChild);

    {
        CRegistry reg;
        EXPECT_TRUE(reg.OpenKeyPath(HKEY_CURRENT_USER, m_sKey));
        EXPECT_STREQ(m_sKey, reg.m_sKeyPath);
        HKEY hParent = reg.m_hKey;
        EXPECT_TRUE(reg.OpenSubKey("Child"));
        EXPECT_NE(hParent, reg.m_hKey);
        EXPECT_TRUE(reg.WriteDWORD("InChild", 1));
        // The parent's handle went when the child took its place.
        DWORD nSubKeys = 0;
        EXPECT_EQ(ERROR_INVALID_HANDLE,
                  RegQueryInfoKeyA(hParent, NULL, NULL, NULL, &nSubKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL));
        // A sub-key that is not there leaves the open key open.
        HKEY hChild = reg.m_hKey;
        EXPECT_FALSE(reg.OpenSubKey("Nowhere"));
        EXPECT_EQ(hChild, reg.m_hKey);
        EXPECT_EQ(ERROR_SUCCESS,
                  RegQueryInfoKeyA(hChild, NULL, NULL, NULL, &nSubKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL));
        reg.Close();
        reg.Close();   // harmless
        EXPECT_EQ(NULL, reg.m_hKey);
        EXPECT_FALSE(reg.Open(HKEY_CURRENT_USER, m_sKey + "\\Nowhere"));
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, reg.m_nLastError);
        EXPECT_EQ(NULL, reg.m_hKey);
        EXPECT_TRUE(reg.Open(HKEY_CURRENT_USER, m_sKey));
    }   // the destructor closes the open key

    CRegistry reg;
    EXPECT_TRUE(reg.DeleteKey(HKEY_CURRENT_USER, m_sKey + "\\Child"));
    EXPECT_FALSE(reg.Open(HKEY_CURRENT_USER, m_sKey + "\\Child"));
}

} // namespace
