// The main window's export and copy-as commands: each takes the Basket as it
// stands in the Basket box when it runs (after start-up, after hand edits),
// goes to its own format, and puts files and clipboard text where they belong.
#include "ExportAndCopy.h"
#include "TestFolder.h"
#include "ViewFixture.h"
#include <dlgs.h>

namespace {

class CopyExportTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        for (const EXPORT_COMMAND& command : g_aExportCommands)
            m_pApp->WriteProfileString(command.pKey->pszSection, command.pKey->pszEntry, nullptr);
    }
    void TearDown() override
    {
        ViewTest::TearDown();
        for (const EXPORT_COMMAND& command : g_aExportCommands)
            m_pApp->WriteProfileString(command.pKey->pszSection, command.pKey->pszEntry, nullptr);
    }

    void Command(UINT nID) { ::SendMessageA(m_pFrame->m_hWnd, WM_COMMAND, MAKEWPARAM(nID, 0), 0); }

    // Runs an export command of the menu, naming this file in its prompt.
    std::string Export(UINT nID, const CString& sPath)
    {
        m_answerer.Handle([&](HWND dialog, const ShownDialog&) {
            HWND hName = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
            SetWindowTextA(hName, sPath);
            CDialogAnswerer::PressButton(dialog, IDOK);
        });
        Command(nID);
        return ReadFileBytes(sPath);
    }

    void TypeIntoBasket(const std::string& s)
    {
        ::SendMessageA(Item(IDC_BASKET), EM_SETSEL, 0, -1);
        ::SendMessageA(Item(IDC_BASKET), EM_REPLACESEL, TRUE, (LPARAM)s.c_str());
    }

    CTestFolder m_folder;
};

TEST_F(CopyExportTest, TheMenuHoldsTheExportAndCopyCommands)
{
    CreateWindows();
    struct MenuItem {
        UINT nID;
        const char* text;
    } items[] = {
        {35018, "To HTML File"}, {35019, "To Text File"}, {35020, "To \"keywords\" Meta Tag"},
        {35021, "To CSV File"},  {35022, "To Excel File"}, {35044, "Broad Match"},
        {35045, "Phrase Match"}, {35046, "Exact Match"},  {35027, "As Text"},
        {35028, "As HTML Table"}, {35029, "As Comma-Separated List"}, {35030, "As <keywords> Meta Tag"},
        {35055, "Brad Match"},   {35056, "Phrase Match"}, {35057, "Exact Match"},
    };
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    ASSERT_NE(hMenu, nullptr);
    for (const MenuItem& item : items) {
        char sz[128] = "";
        EXPECT_GT(GetMenuStringA(hMenu, item.nID, sz, sizeof sz, MF_BYCOMMAND), 0) << item.nID;
        EXPECT_STREQ(sz, item.text) << item.nID;
    }
}

// Right after start-up the Basket is what "Basket.txt" held; after hand edits
// it is what the box shows.
TEST_F(CopyExportTest, ExportsAndCopiesTakeTheBasketBoxAsItStandsNow)
{
    WriteFileBytes(m_sBasketPath, "apple 12\r\n\r\npear 7");
    CreateWindows();
    EXPECT_EQ(Export(35019, m_folder.File("start.txt")), "apple 12\r\npear 7\r\n");
    Command(35027);
    EXPECT_EQ(ClipboardText(), "apple 12\r\npear 7\r\n");

    TypeIntoBasket("pear 7\r\nplum 3\r\n");
    EXPECT_EQ(Export(35019, m_folder.File("edited.txt")), "pear 7\r\nplum 3\r\n");
    Command(35057);
    EXPECT_EQ(ClipboardText(), "[pear 7]\r\n[plum 3]\r\n");
}

TEST_F(CopyExportTest, EachExportCommandWritesItsOwnFormat)
{
    CreateWindows();
    TypeIntoBasket("red apple 12\r\npear 7");
    struct Case {
        UINT nID;
        const char* bytes;
    } cases[] = {
        {35018, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
                "<table border='1'>\r\n<tr>Words</tr>\r\n<tr><td align='left'>red apple 12</td></tr>\r\n"
                "<tr><td align='left'>pear 7</td></tr>\r\n</table>"},
        {35019, "red apple 12\r\npear 7\r\n"},
        {35020, "<meta name='keywords' content='red apple 12,pear 7,'>"},
        {35021, "\"red apple 12\";\r\n\"pear 7\";\r\n"},
        {35022, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
                "<table border='1'>\r\n<tr><tr><td align='left'>red apple 12</td><tr><td align='left'>pear 7</td>"
                "</table>"},
        {35044, "red apple 12\r\npear 7\r\n"},
        {35045, "\"red apple 12\"\r\n\"pear 7\"\r\n"},
        {35046, "[red apple 12]\r\n[pear 7]\r\n"},
    };
    for (const Case& c : cases) {
        CString sPath;
        sPath.Format("%s\\export%u.out", (LPCSTR)m_folder.Path(), c.nID);
        EXPECT_EQ(Export(c.nID, sPath), c.bytes) << c.nID;
    }
}

TEST_F(CopyExportTest, EachCopyCommandPutsItsFormatOnTheClipboard)
{
    CreateWindows();
    TypeIntoBasket("red apple 12\r\npear 7");
    struct Case {
        UINT nID;
        const char* text;
    } cases[] = {
        {35027, "red apple 12\r\npear 7\r\n"},
        {35028, "<tr><td align='left'>red apple 12</td></tr>\r\n<tr><td align='left'>pear 7</td></tr>\r\n"},
        {35029, "\"red apple 12\";\r\n\"pear 7\";\r\n"},
        {35030, "red apple 12,pear 7,"},
        {35055, "red apple 12\r\npear 7\r\n"},
        {35056, "\"red apple 12\"\r\n\"pear 7\"\r\n"},
        {35057, "[red apple 12]\r\n[pear 7]\r\n"},
    };
    for (const Case& c : cases) {
        SetClipboardText("before");
        Command(c.nID);
        EXPECT_EQ(ClipboardText(), c.text) << c.nID;
    }

    // An empty Basket leaves the clipboard as it was.
    TypeIntoBasket("\r\n\r\n");
    for (const Case& c : cases) {
        SetClipboardText("before");
        Command(c.nID);
        EXPECT_EQ(ClipboardText(), "before") << c.nID;
    }
    EXPECT_TRUE(m_answerer.Shown().empty());
}

}  // namespace
