// Exports through the real progress dialog and writer thread, and the export
// commands' file prompt with the last path kept per format.
#include <afxwin.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ExportAndCopy.h"
#include "TestFolder.h"
#include "resource.h"
#include "testsupport.h"

namespace {

void ThreeLines(CStringArray& lines)
{
  lines.RemoveAll();
  lines.Add("apple 120");
  lines.Add("red apple's <b> 35");
  lines.Add("\xFF\xE1\xEB\xEE\xEA\xEE 7");   // code page 1251 text
}

// The file prompt: the common save dialog's file name box (the combo of the
// explorer-style dialog, or the plain edit).
HWND FileNameBox(HWND dialog)
{
  if (HWND combo = GetDlgItem(dialog, cmb13)) return combo;
  return GetDlgItem(dialog, edt1);
}

TEST(ExportTest, WritesAThreeLineBasketByteForByte)
{
  struct Case {
    int format;
    std::string bytes;
  } cases[] = {
      {exportTextList, "apple 120\r\nred apple's <b> 35\r\n\xFF\xE1\xEB\xEE\xEA\xEE 7\r\n"},
      {exportHtmlTable,
       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
       "<table border='1'>\r\n<tr>Words</tr>\r\n<tr><td align='left'>apple 120</td></tr>\r\n"
       "<tr><td align='left'>red apple's &lt;b&gt; 35</td></tr>\r\n"
       "<tr><td align='left'>\xFF\xE1\xEB\xEE\xEA\xEE 7</td></tr>\r\n</table>"},
      {exportCsv, "\"apple 120\";\r\n\"red apple's <b> 35\";\r\n\"\xFF\xE1\xEB\xEE\xEA\xEE 7\";\r\n"},
  };
  CTestFolder folder;
  CStringArray lines;
  ThreeLines(lines);
  for (const Case& c : cases) {
    CString path = folder.File("export.out");
    WriteFileBytes(path, "an older and longer file that must be replaced");
    // Whether the progress dialog gets to show for three lines depends on
    // the writer's speed (CancelWaitsForTheWriter makes sure it does); what
    // holds either way: no other box comes, and the file is whole.
    CDialogAnswerer answerer;
    CString error;
    EXPECT_TRUE(RunExport(c.format, path, lines, &error)) << c.format;
    EXPECT_EQ(error, CString(""));
    EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.format;
    EXPECT_LE(answerer.Shown().size(), 1u);
    for (const ShownDialog& shown : answerer.Shown()) EXPECT_EQ(shown.caption, "Exporting ...");
    EXPECT_EQ(FindWindowA("#32770", "Exporting ..."), nullptr) << "the progress dialog stayed";
  }
}

// Cancel pressed while the writer runs leaves the dialog open; it closes by
// itself once the whole file is written.
TEST(ExportTest, CancelWaitsForTheWriter)
{
  CTestFolder folder;
  CString path = folder.File("long.txt");
  CStringArray lines;
  const int count = 1000000;
  lines.SetSize(count);
  for (int i = 0; i < count; ++i) lines[i].Format("keyword number %d", i);
  CDialogAnswerer answerer;
  int positionAtCancel = -1;
  answerer.Handle([&](HWND dialog, const ShownDialog&) {
    positionAtCancel = (int)SendDlgItemMessageA(dialog, IDC_EXPORT_PROGRESS, PBM_GETPOS, 0, 0);
    CDialogAnswerer::PressButton(dialog, IDCANCEL);
  });
  EXPECT_TRUE(RunExport(exportTextList, path, lines));
  ASSERT_EQ(answerer.Shown().size(), 1u);
  EXPECT_EQ(answerer.Shown()[0].caption, "Exporting ...");   // a long export always shows the dialog
  EXPECT_LT(positionAtCancel, count - count / 100);   // the writer was still at work
  std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.size(), 22888890u);
  EXPECT_EQ(bytes.substr(bytes.size() - 23), "keyword number 999999\r\n");
}

// The writer catches the file handle's failure; the dialog shows its message
// on the user-interface thread and still closes.
TEST(ExportTest, AnUnwritablePathShowsTheFileMessageAndClosesTheDialog)
{
  CTestFolder folder;
  CString path = folder.File("no such folder\\export.txt");
  CStringArray lines;
  ThreeLines(lines);
  CDialogAnswerer answerer;
  std::vector<std::string> boxes;
  DWORD boxThread = 0;
  HWND progress = nullptr;
  // The progress dialog (if it shows before the failure) gets Cancel, the
  // failure box OK.
  auto answer = [&](HWND dialog, const ShownDialog& shown) {
    if (GetDlgItem(dialog, 0xFFFF)) {
      boxes.push_back(shown.text);
      boxThread = GetWindowThreadProcessId(dialog, nullptr);
      CDialogAnswerer::PressButton(dialog, IDOK);
    } else {
      progress = dialog;
      CDialogAnswerer::PressButton(dialog, IDCANCEL);
    }
  };
  answerer.Handle(answer);
  answerer.Handle(answer);
  CString error;
  EXPECT_FALSE(RunExport(exportTextList, path, lines, &error));
  EXPECT_EQ(error, "Can't open file " + path);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], std::string((LPCSTR)("Can't open file " + path)));
  EXPECT_EQ(boxThread, GetCurrentThreadId());
  // Shown or not before the failure, the progress dialog is gone.
  if (progress) {
    EXPECT_FALSE(IsWindow(progress));
  }
  EXPECT_EQ(FindWindowA("#32770", "Exporting ..."), nullptr) << "the progress dialog stayed";
  EXPECT_FALSE(TestPathExists(path));
}

class ExportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    for (const EXPORT_COMMAND& command : g_aExportCommands)
      AfxGetApp()->WriteProfileString(command.pKey->pszSection, command.pKey->pszEntry, nullptr);
  }
  void TearDown() override { SetUp(); }

  // Runs one export command; the prompt shows its proposal in *proposed and
  // gets typed, or is cancelled when typed is empty.
  BOOL Export(int format, const CString& typed, std::string* proposed)
  {
    CStringArray lines;
    ThreeLines(lines);
    CDialogAnswerer answerer;
    answerer.Handle([&](HWND dialog, const ShownDialog&) {
      HWND box = FileNameBox(dialog);
      *proposed = WindowText(box);
      if (typed.IsEmpty()) {
        CDialogAnswerer::PressButton(dialog, IDCANCEL);
        return;
      }
      SetWindowTextA(box, typed);
      CDialogAnswerer::PressButton(dialog, IDOK);
    });
    return ExportBasket(nullptr, format, lines);
  }

  CString Stored(int format)
  {
    const PROFILE_STRING_KEY* key = FindExportFormat(format)->pKey;
    return AfxGetApp()->GetProfileString(key->pszSection, key->pszEntry, "<none>");
  }

  CTestFolder folder;
};

TEST_F(ExportCommandTest, RemembersTheLastPathOfEachFormat)
{
  std::string proposed;
  CString htmlPath = folder.File("table.html");
  ASSERT_TRUE(Export(exportHtmlTable, htmlPath, &proposed));
  EXPECT_EQ(proposed, "Keywords");
  EXPECT_EQ(Stored(exportHtmlTable), htmlPath);
  EXPECT_EQ(ReadFileBytes(htmlPath).substr(0, 15), "<meta http-equi");

  // The same format proposes the path chosen last; a cancelled prompt
  // stores and writes nothing.
  ASSERT_FALSE(Export(exportHtmlTable, "", &proposed));
  EXPECT_NE(proposed.find("table.html"), std::string::npos) << proposed;
  EXPECT_EQ(Stored(exportHtmlTable), htmlPath);

  // The other formats keep their own keys and defaults.
  EXPECT_EQ(Stored(exportPhraseMatch), "<none>");
  CString phrasePath = folder.File("phrase.txt");
  ASSERT_TRUE(Export(exportPhraseMatch, phrasePath, &proposed));
  EXPECT_EQ(proposed, "Keywords");
  EXPECT_EQ(AfxGetApp()->GetProfileString("CMainFrame", "OnExportTotAdwordsPhraseMatch", ""), phrasePath);
  EXPECT_EQ(ReadFileBytes(phrasePath).substr(0, 12), "\"apple 120\"\r");
  EXPECT_EQ(Stored(exportHtmlTable), htmlPath);

  ASSERT_FALSE(Export(exportMetaTag, "", &proposed));
  EXPECT_EQ(proposed, "[keywords] Meta Tag");
  EXPECT_EQ(Stored(exportMetaTag), "<none>");
}

TEST(ExportCommandTableTest, HoldsTheEightCommands)
{
  struct Case {
    UINT id;
    int format;
    const char* key;
    const char* name;
    const char* extension;
    const char* filter;
  } cases[] = {
      {35018, exportHtmlTable, "OnExportTohtmlfile", "Keywords", "html", "HTML files\n*.html\nAll files\n*.*\n"},
      {35019, exportTextList, "OnExportTotextfile", "Keywords", "txt", "Text files\n*.txt\nAll files\n*.*\n"},
      {35020, exportMetaTag, "OnExportTometatag", "[keywords] Meta Tag", "txt",
       "Text Files\n*.txt\nAll files\n*.*\n"},
      {35021, exportCsv, "OnExportTocsvfile", "Keywords", "csv", "CSV files\n*.csv\nAll files\n*.*\n"},
      {35022, exportExcel, "OnExportToexcel", "Keywords", "xls", "Excel files\n*.xls\nAll files\n*.*\n"},
      {35044, exportBroadMatch, "OnExportToAdwordsBroadMatch", "Keywords", "txt",
       "Text files\n*.txt\nAll files\n*.*\n"},
      {35045, exportPhraseMatch, "OnExportTotAdwordsPhraseMatch", "Keywords", "txt",
       "Text files\n*.txt\nAll files\n*.*\n"},
      {35046, exportExactMatch, "OnExportToAdwordsExactMatch", "Keywords", "txt",
       "Text files\n*.txt\nAll files\n*.*\n"},
  };
  for (const Case& c : cases) {
    const EXPORT_COMMAND* command = FindExportCommand(c.id);
    ASSERT_NE(command, nullptr) << c.id;
    EXPECT_EQ(command, FindExportFormat(c.format));
    EXPECT_STREQ(command->pKey->pszSection, "CMainFrame");
    EXPECT_STREQ(command->pKey->pszEntry, c.key);
    EXPECT_STREQ(command->pKey->pszDefault, c.name);
    EXPECT_STREQ(command->pszExtension, c.extension);
    EXPECT_STREQ(command->pszFilter, c.filter);
    CString prompt;
    EXPECT_TRUE(prompt.LoadString(c.id));
    EXPECT_EQ(prompt, command->pszPrompt);
  }
  EXPECT_EQ(FindExportCommand(35023), nullptr);
}

}  // namespace
