// The file dialog object: the save dialog answered as a user would, what it
// keeps of the initial name, and the walk over a multiple choice.
#include <afxwin.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "FileDialogST.h"
#include "TestFolder.h"
#include "testsupport.h"

namespace {

HWND FileNameBox(HWND dialog)
{
  if (HWND combo = GetDlgItem(dialog, cmb13)) return combo;
  return GetDlgItem(dialog, edt1);
}

TEST(FileDialogSTTest, TheSaveDialogTakesATypedName)
{
  CTestFolder folder;
  CString filter = CFileDialogST::MakeFilter("Text Files (*.txt)\n*.txt\nAll files (*.*)\n*.*\n");
  CFileDialogST dlg(FALSE, "txt", "Basket", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, nullptr);
  CDialogAnswerer answerer;
  std::string proposed;
  CString typed = folder.File("chosen");
  answerer.Handle([&](HWND d, const ShownDialog&) {
    proposed = WindowText(FileNameBox(d));
    SetWindowTextA(FileNameBox(d), typed);
    CDialogAnswerer::PressButton(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(proposed, "Basket");
  // The default extension is added to a name typed without one.
  EXPECT_EQ(dlg.GetPathName().CompareNoCase(typed + ".txt"), 0) << (LPCSTR)dlg.GetPathName();
  EXPECT_EQ(dlg.GetFileName(), CString("chosen.txt"));
  EXPECT_EQ(dlg.GetFileTitle(), CString("chosen"));
  EXPECT_EQ(dlg.GetFileExt(), CString(".txt"));
  EXPECT_EQ(dlg.GetFileFolder().CompareNoCase(folder.Path() + "\\"), 0) << (LPCSTR)dlg.GetFileFolder();
  EXPECT_EQ(dlg.GetFileDrive(), folder.Path().Left(2));
  EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXPLORER);
}

TEST(FileDialogSTTest, ACancelledDialogKeepsTheInitialName)
{
  CFileDialogST dlg(FALSE, "txt", "Basket", OFN_HIDEREADONLY, nullptr, nullptr);
  CDialogAnswerer answerer;
  answerer.Answer(IDCANCEL);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_STREQ(dlg.m_szFile, "Basket");
  EXPECT_EQ(answerer.Shown().size(), 1u);
}

TEST(FileDialogSTTest, CutsALongInitialNameTo259Bytes)
{
  std::string name(300, 'n');
  CFileDialogST dlg(TRUE, nullptr, name.c_str(), 0, nullptr, nullptr);
  EXPECT_EQ(strlen(dlg.m_szFile), 259u);
  EXPECT_EQ(dlg.m_ofn.lpstrFile, dlg.m_szFile);
  EXPECT_EQ(dlg.m_ofn.nMaxFile, (DWORD)MAX_PATH);
}

TEST(FileDialogSTTest, WalksTheChosenPaths)
{
  struct Case {
    const char* name;
    DWORD flags;
    std::string file;   // as the dialog leaves it, NULs included
    std::vector<std::string> paths;
  } cases[] = {
      {"explorer, several", OFN_EXPLORER | OFN_ALLOWMULTISELECT, std::string("C:\\dir\0a.txt\0b.txt\0\0", 20),
       {"C:\\dir\\a.txt", "C:\\dir\\b.txt"}},
      {"explorer, one", OFN_EXPLORER | OFN_ALLOWMULTISELECT, std::string("C:\\dir\\a.txt\0\0", 14),
       {"C:\\dir\\a.txt"}},
      {"explorer, root folder", OFN_EXPLORER | OFN_ALLOWMULTISELECT, std::string("C:\\\0a.txt\0b\0\0", 13),
       {"C:\\a.txt", "C:\\b"}},
      {"no multiple choice", OFN_EXPLORER, std::string("C:\\dir\\a b.txt\0\0", 16), {"C:\\dir\\a b.txt"}},
      {"old style", OFN_ALLOWMULTISELECT, std::string("C:\\dir a.txt b.txt\0", 19),
       {"C:\\dir\\a.txt", "C:\\dir\\b.txt"}},
  };
  for (const Case& c : cases) {
    CFileDialogST dlg(TRUE, nullptr, nullptr, 0, nullptr, nullptr);
    dlg.m_ofn.Flags = c.flags;
    memcpy(dlg.m_szFile, c.file.data(), c.file.size());
    std::vector<std::string> paths;
    POSITION pos = dlg.GetStartPosition();
    while (pos != nullptr && paths.size() < 10) paths.push_back((LPCSTR)dlg.GetNextPathName(pos));
    EXPECT_EQ(paths, c.paths) << c.name;
  }
}

TEST(FileDialogSTTest, MakesTheFilterList)
{
  CString filter = CFileDialogST::MakeFilter("Text files\n*.txt\nAll files\n*.*\n");
  EXPECT_EQ(std::string((LPCSTR)filter, filter.GetLength() + 1),
            std::string("Text files\0*.txt\0All files\0*.*\0\0", 32));
}

}  // namespace
