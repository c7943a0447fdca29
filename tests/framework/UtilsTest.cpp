// The framework's free helpers: number, date and month texts, text parsers,
// folder walks over a small tree, bitmap backgrounds and image lists, and the
// list and menu helpers.
#include <afxwin.h>
#include <afxcmn.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "FrameworkUtils.h"

#include "TestFolder.h"

namespace {

std::vector<std::string> ToVector(const CStringArray& a)
{
    std::vector<std::string> v;
    for (INT_PTR i = 0; i < a.GetSize(); i++)
        v.push_back((LPCSTR)a[i]);
    return v;
}

TEST(UtilsTest, NumberTexts)
{
    struct Case
    {
        CString actual;
        const char* expected;
    };
    const Case cases[] = {
        {IntToText(-5), "-5"},
        {FormatInteger(1000, TRUE), "1,000"},
        {FormatInteger(999, TRUE), "999"},
        {FormatInteger(-1000000, TRUE), "-1,000,000"},
        {FormatInteger(-123, TRUE), "-123"},
        {FormatInteger(-100000, TRUE), "-100,000"},
        {FormatInteger(1234567, FALSE), "1234567"},
        {FormatInteger(0, TRUE), "0"},
        {FormatUnsigned(18446744073709551615ULL, TRUE), "18,446,744,073,709,551,615"},
        {FormatUnsigned(1000, FALSE), "1000"},
        {FormatFloat(1234.5f, TRUE, 2), "1,234.50"},
        {FormatFloat(-0.5f, TRUE, 1), "-0.5"},
        {FormatFloat(1234567.0f, FALSE, 0), "1234567"},
        {FormatFloat(-4321.25f, TRUE, 3), "-4,321.250"},
        {FormatMoney(1234567.891, TRUE), "1,234,567.89"},
        {FormatMoney(-1000.0, TRUE), "-1,000.00"},
        {FormatMoney(-999.5, TRUE), "-999.50"},
        {FormatMoney(1234.5, FALSE), "1234.50"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.actual);
}

TEST(UtilsTest, MonthsAndDays)
{
    const char* names[] = {"Month error", "January", "February", "March", "April", "May", "June", "July",
                           "August", "September", "October", "November", "December", "Month error"};
    for (int m = 0; m <= 13; m++)
        EXPECT_STREQ(names[m], GetMonthName(m)) << m;
    const char codes[] = "FGHJKMNQUVXZ";
    for (int i = 0; i < 12; i++) {
        char code[2] = {codes[i], 0};
        EXPECT_EQ(i + 1, GetMonthFromCode(code));
        EXPECT_STREQ(names[i + 1], GetMonthNameFromCode(code));
    }
    for (const char* bad : {"z", "f", "FG", "", "A"}) {
        EXPECT_EQ(-1, GetMonthFromCode(bad)) << bad;
        EXPECT_STREQ("Month error", GetMonthNameFromCode(bad)) << bad;
    }
    const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0};
    for (int i = 0; i <= 12; i++)
        EXPECT_EQ(days[i], GetDaysInMonth(i)) << i;

    srand(7);
    for (int i = 0; i < 1000; i++) {
        double d = RandomInRange(-2.0, 3.0);
        ASSERT_GE(d, -2.0);
        ASSERT_LT(d, 3.0);
    }
}

SCODE ThrownCode(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (COleException* e) {
        SCODE sc = e->m_sc;
        e->Delete();
        return sc;
    } catch (CException* e) {
        e->Delete();
        return 1;
    }
    return S_OK;
}

TEST(UtilsTest, TimeAndDateTexts)
{
    CTime t = TimeFromHHMMSS("235958");
    EXPECT_STREQ("235958", FormatTimeHHMMSS(t));
    EXPECT_STREQ("20010101", FormatDateYYYYMMDD(t));
    EXPECT_STREQ("000507", FormatTimeHHMMSS(TimeFromHHMMSS("507xyz")));

    CTime d = DateFromYYYYMMDD("20240229");
    EXPECT_STREQ("20240229", FormatDateYYYYMMDD(d));
    EXPECT_STREQ("000000", FormatTimeHHMMSS(d));

    for (const char* bad : {"240000", "126000", "125960", "-1"})
        EXPECT_EQ(E_FAIL, ThrownCode([&] { TimeFromHHMMSS(bad); })) << bad;
    for (const char* bad : {"18991231", "20241301", "20240001", "20240100", "20240132", "abc"})
        EXPECT_EQ(E_FAIL, ThrownCode([&] { DateFromYYYYMMDD(bad); })) << bad;
    EXPECT_EQ(E_INVALIDARG, ThrownCode([] { DateFromYYYYMMDD("99991231"); }));
}

TEST(UtilsTest, LineAndLineEndHelpers)
{
    const CString sText = "ab\r\ncd\r\ntail";
    struct Case
    {
        int nStart;
        const char* line;
        int nNext;
    };
    const Case cases[] = {{0, "ab", 4}, {4, "cd", 8}, {8, "", 1}, {1, "b", 4}};
    for (const Case& c : cases) {
        int nNext = -5;
        EXPECT_STREQ(c.line, GetLineAt(sText, c.nStart, nNext)) << c.nStart;
        EXPECT_EQ(c.nNext, nNext) << c.nStart;
    }
    EXPECT_STREQ("a\r\nb\r\n", LfToCrLf("a\nb\n"));
    // A CR takes the character after it along, whatever it is.
    EXPECT_STREQ("a\nb\n\n", CrLfToLf("a\r\nb\rc\r"));
}

TEST(UtilsTest, CsvFieldsAndWords)
{
    struct Case
    {
        const char* line;
        char sep;
        int index;
        const char* field;
    };
    const Case cases[] = {
        {"a,\"b,c\",d", ',', 0, "a"},
        {"a,\"b,c\",d", ',', 1, "bc"},
        {"a,\"b,c\",d", ',', 2, "d"},
        {"a,\"b,c\",d", ',', 3, ""},
        {" 12 ; 3,400 ;x", ';', 1, "3400"},
        {" 12 ; 3,400 ;x", ';', 0, "12"},
        {"\"x;y\";\"z\"", ';', 1, "z"},
        {"one", ';', 0, "one"},
        {";lead", ';', 0, ""},
        {";lead", ';', 1, "lead"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.field, GetCsvField(c.line, c.sep, c.index)) << c.line << " #" << c.index;

    CStringArray words;
    words.Add("kept");
    SplitWords("  (1,234) 56   abc ", words);
    EXPECT_EQ((std::vector<std::string>{"kept", "-1234", "56", "abc"}), ToVector(words));
}

TEST(UtilsTest, TableReaders)
{
    const CString sPage = "x<tr><td>Big Apple&amp;Co</td><td>(1,200)</td><td><small>3</small></td>"
                          "<td>&nbsp;</td></tr>y";
    CStringArray cells;
    int nEnd = ExtractTableRow(cells, sPage, "<tr>", "</tr>", 0, "<td>", "</td>");
    EXPECT_EQ(sPage.Find("</tr>"), nEnd);
    EXPECT_EQ((std::vector<std::string>{"Big Apple&Co", "-1200", "3", " "}), ToVector(cells));
    CStringArray none;
    EXPECT_EQ(-1, ExtractTableRow(none, sPage, "<tr>", "</tr>", 5, "<td>", "</td>"));
    EXPECT_EQ(0, none.GetSize());

    const CString sQuotes = "<table id=q><td class=v>1,234</td><td class=v>\n\n(56)\n\n</td>"
                            "<td class=v>7 8</td></table>";
    CStringArray quotes;
    EXPECT_TRUE(ParseQuoteTable(quotes, sQuotes, "<table id=q>", "</table>", "<td class=v>", "quotes", "</div>"));
    EXPECT_EQ((std::vector<std::string>{"1234", "-56", "78"}), ToVector(quotes));

    CString sAlt = sQuotes;
    sAlt.Replace("</table>", "</div>");
    CStringArray alt;
    EXPECT_TRUE(ParseQuoteTable(alt, sAlt, "<table id=q>", "</table>", "<td class=v>", "quotes", "</div>"));
    EXPECT_EQ(3, alt.GetSize());
    CStringArray missing;
    EXPECT_FALSE(ParseQuoteTable(missing, sQuotes, "<table id=z>", "</table>", "<td class=v>", "quotes", ""));
}

TEST(UtilsTest, PathTexts)
{
    struct Case
    {
        const char* text;
        BOOL bRoot;
    };
    const Case roots[] = {{"C:\\", TRUE},   {"Z:\\\\", TRUE}, {"A:\\", TRUE},    {"c:\\", FALSE},
                          {"C:", FALSE},    {"C:\\x", FALSE}, {"AB:\\", FALSE},  {"", FALSE}};
    for (const Case& c : roots)
        EXPECT_EQ(c.bRoot, IsDriveRoot(c.text)) << c.text;

    EXPECT_STREQ("b.txt", GetFileNameFromPath("C:\\a\\b.txt"));
    EXPECT_STREQ("C:\\a\\", GetFileNameFromPath("C:\\a\\"));
    EXPECT_STREQ("name", GetFileNameFromPath("name"));
    EXPECT_STREQ("txt", GetExtensionFromPath("C:\\a.b\\c.d.txt"));
    EXPECT_STREQ("", GetExtensionFromPath("file."));
    EXPECT_STREQ("", GetExtensionFromPath("file"));
}

TEST(UtilsTest, StringsInFilesRoundTrip)
{
    CMemFile file;
    WriteStringToFile(file, "abc");
    WriteStringToFile(file, "");
    EXPECT_EQ(4u + 3u + 4u, (unsigned)file.GetLength());
    DWORD nHuge = 1000000;
    file.Write(&nHuge, 4);
    file.Write("xy", 2);
    file.SeekToBegin();
    CString s = "old";
    ReadStringFromFile(file, s);
    EXPECT_STREQ("abc", s);
    ReadStringFromFile(file, s);
    EXPECT_STREQ("", s);
    // A count beyond the file's end stops at the end.
    ReadStringFromFile(file, s);
    EXPECT_STREQ("xy", s);
}

class UtilsFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sRoot = m_folder.Path();
        CreateDirectoryA(m_sRoot + "\\sub", NULL);
        CreateDirectoryA(m_sRoot + "\\sub\\deeper", NULL);
        CreateDirectoryA(m_sRoot + "\\empty", NULL);
        WriteFileBytes(m_sRoot + "\\a.txt", std::string(1024, 'a'));
        WriteFileBytes(m_sRoot + "\\sub\\c.txt", std::string(10, 'c'));
        WriteFileBytes(m_sRoot + "\\sub\\deeper\\d.txt", std::string(5, 'd'));
    }
    std::string P(const char* pszRelative) { return std::string(m_sRoot) + "\\" + pszRelative; }

    CTestFolder m_folder;
    CString m_sRoot;
};

TEST_F(UtilsFolderTest, ListingsOfTheTree)
{
    struct Case
    {
        BOOL bRecursive;
        BOOL bFoldersOnly;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {FALSE, FALSE, {P("a.txt"), P("empty"), P("sub")}},
        {TRUE, FALSE, {P("a.txt"), P("empty"), P("sub"), P("sub\\c.txt"), P("sub\\deeper"), P("sub\\deeper\\d.txt")}},
        {FALSE, TRUE, {P("empty"), P("sub")}},
        {TRUE, TRUE, {P("empty"), P("sub"), P("sub\\deeper")}},
    };
    for (const Case& c : cases) {
        CStringArray files;
        EXPECT_TRUE(GetAllFilesSorted(m_sRoot, files, c.bRecursive, c.bFoldersOnly));
        EXPECT_EQ(c.expected, ToVector(files)) << c.bRecursive << c.bFoldersOnly;
    }

    // A sub-folder comes after its own entries; a trailing backslash is kept single.
    CStringArray files;
    EXPECT_TRUE(GetAllFilesInThisFolder(m_sRoot + "\\", files, TRUE, FALSE));
    std::vector<std::string> v = ToVector(files);
    auto at = [&](const std::string& s) { return std::find(v.begin(), v.end(), s) - v.begin(); };
    ASSERT_EQ(6u, v.size());
    EXPECT_LT(at(P("sub\\deeper\\d.txt")), at(P("sub\\deeper")));
    EXPECT_LT(at(P("sub\\deeper")), at(P("sub")));

    CStringArray one, noFolders, nothing;
    EXPECT_TRUE(GetAllFilesInThisFolder(P("a.txt").c_str(), one, TRUE, FALSE));
    EXPECT_EQ((std::vector<std::string>{P("a.txt")}), ToVector(one));
    EXPECT_TRUE(GetAllFilesInThisFolder(P("a.txt").c_str(), noFolders, TRUE, TRUE));
    EXPECT_EQ(0, noFolders.GetSize());
    EXPECT_TRUE(GetAllFilesInThisFolder(P("missing").c_str(), nothing, TRUE, FALSE));
    EXPECT_EQ(0, nothing.GetSize());
}

TEST_F(UtilsFolderTest, SizesAndDeletion)
{
    WriteFileBytes(m_sRoot + "\\empty\\b.txt", std::string(1023, 'b'));
    EXPECT_EQ(1024u + 1023u + 10u + 5u, GetSizeFolderOrFile(m_sRoot));
    EXPECT_EQ(15u, GetSizeFolderOrFile(P("sub").c_str()));

    struct Case
    {
        std::string path;
        BOOL bShort;
        const char* text;
    };
    const Case cases[] = {
        {P("a.txt"), TRUE, "1.000 Kb"},
        {P("a.txt"), FALSE, "1.000 Kb (1024 bytes)"},
        {P("empty\\b.txt"), TRUE, "1023 bytes"},
        {P("sub"), FALSE, "15 bytes"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.text, FormatFolderSize(c.path.c_str(), c.bShort)) << c.path;

    WriteFileBytes(m_sRoot + "\\big.bin", std::string(1572864, 'x'));
    EXPECT_STREQ("1.500 Mb", FormatFolderSize(P("big.bin").c_str(), TRUE));
    EXPECT_STREQ("1.500 Mb (1572864 bytes)", FormatFolderSize(P("big.bin").c_str(), FALSE));

    EXPECT_TRUE(DeleteFolderOrFile(P("sub").c_str()));
    EXPECT_FALSE(::FileExists(P("sub").c_str()));
    EXPECT_TRUE(DeleteFolderOrFile(P("a.txt").c_str()));
    EXPECT_FALSE(::FileExists(P("a.txt").c_str()));
    EXPECT_TRUE(::FileExists(P("empty\\b.txt").c_str()));
}

TEST_F(UtilsFolderTest, FilesAsTextAndMemory)
{
    WriteFileBytes(m_sRoot + "\\lines.txt", "one\r\ntwo\nthree");
    EXPECT_STREQ("one\r\ntwo\r\nthree\r\n", ReadTextFile(P("lines.txt").c_str()));
    WriteFileBytes(m_sRoot + "\\zero.txt", "");
    EXPECT_STREQ("", ReadTextFile(P("zero.txt").c_str()));
    EXPECT_STREQ("No file", ReadTextFile(P("missing.txt").c_str()));

    // The framework's FileExists takes a CString (the test folder's own takes a pointer).
    EXPECT_TRUE(FileExists(CString(P("a.txt").c_str())));
    EXPECT_FALSE(FileExists(CString(P("missing.txt").c_str())));
    EXPECT_FALSE(FileExists(CString(m_sRoot)));
    EXPECT_FALSE(FileExists(CString()));

    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 5);
    memcpy(GlobalLock(h), "hello", 5);
    GlobalUnlock(h);
    EXPECT_TRUE(SaveGlobalMemoryToFile(h, P("memory.bin").c_str()));
    std::string saved = ReadFileBytes(P("memory.bin").c_str());
    EXPECT_EQ(GlobalSize(h), saved.size());
    EXPECT_EQ("hello", saved.substr(0, 5));
    GlobalFree(h);
    EXPECT_FALSE(SaveGlobalMemoryToFile(NULL, P("never.bin").c_str()));
    EXPECT_FALSE(::FileExists(P("never.bin").c_str()));

    CString sProgram = GetProgramFolder();
    ASSERT_FALSE(sProgram.IsEmpty());
    EXPECT_EQ('\\', sProgram[sProgram.GetLength() - 1]);
    EXPECT_TRUE(::FileExists(sProgram + "test_framework.exe"));
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    EXPECT_STREQ(szTemp, GetTempFolder());
    EXPECT_FALSE(GetComputerNameText().IsEmpty());
}

TEST(UtilsTest, BitmapBackgroundIsReplacedExactly)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 3;
    bi.bmiHeader.biHeight = 2;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* pvBits = NULL;
    HBITMAP hBitmap = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    ASSERT_TRUE(hBitmap != NULL);
    // Rows of 3 pixels padded to 12 bytes; the padding holds the background's
    // bytes too and must stay as it is. Pixels are blue, green, red.
    const BYTE before[24] = {0, 0, 255, 0, 0, 255, 1, 0, 255, 0, 0, 255,
                             0, 0, 254, 0, 0, 255, 0, 0, 255, 0, 0, 255};
    memcpy(pvBits, before, sizeof before);
    ReplaceBitmapBackground(hBitmap, RGB(10, 20, 30));
    const BYTE after[24] = {30, 20, 10, 30, 20, 10, 1, 0, 255, 0, 0, 255,
                            0, 0, 254, 30, 20, 10, 30, 20, 10, 0, 0, 255};
    EXPECT_EQ(0, memcmp(after, pvBits, sizeof after));
    DeleteObject(hBitmap);

    CImageList images;
    EXPECT_FALSE(LoadBitmapImageList(0x7FFF, images, 16, 16, ILC_COLOR24, 1, RGB(1, 2, 3)));
}

TEST(UtilsTest, ListAndMenuHelpers)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, CRect(0, 0, 300, 200), NULL, 0));
    HWND hCheck = CreateWindowExA(0, "BUTTON", "c", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 50, 20, parent.m_hWnd,
                                  (HMENU)100, NULL, NULL);
    HWND hOff = CreateWindowExA(0, "BUTTON", "d", WS_CHILD | WS_DISABLED | BS_AUTOCHECKBOX, 0, 30, 50, 20,
                                parent.m_hWnd, (HMENU)101, NULL, NULL);
    SendMessageA(hCheck, BM_SETCHECK, BST_CHECKED, 0);
    (void)hOff;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING | MF_GRAYED, 100, "checked");
    menu.AppendMenu(MF_STRING | MF_CHECKED, 101, "disabled");
    menu.AppendMenu(MF_STRING | MF_CHECKED, 102, "no control");
    UpdateMenuFromDialog(&menu, &parent);
    EXPECT_EQ((UINT)MF_CHECKED, GetMenuState(menu.m_hMenu, 100, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED));
    EXPECT_EQ((UINT)MF_GRAYED, GetMenuState(menu.m_hMenu, 101, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED));
    EXPECT_EQ((UINT)MF_CHECKED, GetMenuState(menu.m_hMenu, 102, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED));

    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 60, 300, 200), &parent, 200));
    list.InsertColumn(0, "c", LVCFMT_LEFT, 100);
    EXPECT_FALSE(SelectListItem(2, &list));
    for (int i = 0; i < 5; i++)
        list.InsertItem(i, "row");
    SelectListItem(10, &list);
    EXPECT_EQ((UINT)(LVIS_SELECTED | LVIS_FOCUSED), list.GetItemState(4, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(4, (int)SendMessageA(list.m_hWnd, LVM_GETSELECTIONMARK, 0, 0));
    SelectListItem(-3, &list);
    EXPECT_EQ((UINT)(LVIS_SELECTED | LVIS_FOCUSED), list.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED));
    parent.DestroyWindow();
}

} // namespace
