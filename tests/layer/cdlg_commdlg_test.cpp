// The common dialogs: filters and names of CFileDialog, a save dialog
// answered by typing a name, colour and font dialogs, and printing without a
// printer.
#include <afxdlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "services_test_res.h"
#include "testsupport.h"

namespace {

// The bytes of a NUL-separated list up to its double NUL, with the NULs shown as '|'.
std::string FilterBytes(LPCSTR psz)
{
  std::string s;
  while (*psz) {
    s += psz;
    s += '|';
    psz += strlen(psz) + 1;
  }
  return s + '|';
}

TEST(CdlgFileDialog, FilterBarsBecomeNulsAndTheDefaultExtensionLosesItsPeriod)
{
  struct Case {
    const char* filter;
    const char* expected;   // NULs shown as '|'
  } cases[] = {
      {"Text Files (*.txt)|*.txt|All Files (*.*)|*.*||", "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"},
      {"Logs (*.log)|*.log|", "Logs (*.log)|*.log||"},
      {"Logs (*.log)|*.log", "Logs (*.log)|*.log||"},   // the closing bar added
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    CFileDialog dlg(FALSE, ".log", "start.log", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, c.filter);
    ASSERT_NE(dlg.m_ofn.lpstrFilter, nullptr);
    EXPECT_EQ(FilterBytes(dlg.m_ofn.lpstrFilter), c.expected);
    EXPECT_STREQ(dlg.m_ofn.lpstrDefExt, "log");
    EXPECT_STREQ(dlg.m_ofn.lpstrFile, "start.log");
    EXPECT_EQ(dlg.m_ofn.lStructSize, sizeof(OPENFILENAME));
  }
  CFileDialog none(TRUE);
  EXPECT_EQ(none.m_ofn.lpstrFilter, nullptr);
  EXPECT_EQ(none.m_ofn.lpstrDefExt, nullptr);
}

TEST(CdlgFileDialog, NamesOfOneFileAndOfSeveral)
{
  CFileDialog dlg(TRUE, NULL, "C:\\data\\report.final.txt");
  EXPECT_STREQ(dlg.GetPathName(), "C:\\data\\report.final.txt");
  EXPECT_STREQ(dlg.GetFileName(), "report.final.txt");
  EXPECT_STREQ(dlg.GetFileExt(), "txt");
  EXPECT_STREQ(dlg.GetFileTitle(), "report.final");
  EXPECT_STREQ(dlg.GetFolderPath(), "C:\\data");
  POSITION pos = dlg.GetStartPosition();
  EXPECT_STREQ(dlg.GetNextPathName(pos), "C:\\data\\report.final.txt");
  EXPECT_EQ(pos, nullptr);

  // As the system fills the buffer when several names are chosen.
  dlg.m_ofn.Flags |= OFN_ALLOWMULTISELECT;
  static const char list[] = "C:\\data\0a.txt\0b c.log\0\0";
  memcpy(dlg.m_ofn.lpstrFile, list, sizeof list);
  std::vector<std::string> names;
  for (pos = dlg.GetStartPosition(); pos != nullptr;) names.push_back((LPCSTR)dlg.GetNextPathName(pos));
  EXPECT_EQ(names, (std::vector<std::string>{"C:\\data\\a.txt", "C:\\data\\b c.log"}));
  EXPECT_STREQ(dlg.GetFolderPath(), "C:\\data");

  // One name chosen in a multi-select dialog: the full path only.
  static const char one[] = "C:\\data\\a.txt\0\0";
  memcpy(dlg.m_ofn.lpstrFile, one, sizeof one);
  names.clear();
  for (pos = dlg.GetStartPosition(); pos != nullptr;) names.push_back((LPCSTR)dlg.GetNextPathName(pos));
  EXPECT_EQ(names, (std::vector<std::string>{"C:\\data\\a.txt"}));
}

// Refuses the first name the user confirms, to show the dialog stays up.
class CRefusingFileDialog : public CFileDialog {
 public:
  using CFileDialog::CFileDialog;
  std::vector<std::string> m_offered;
  bool m_attached = false;

 protected:
  BOOL OnFileNameOK() override
  {
    m_offered.push_back((LPCSTR)GetPathName());
    m_attached = m_hWnd != NULL && ::IsWindow(m_hWnd);
    return m_offered.size() == 1;
  }
};

// Types a name into a file dialog's name box and presses OK (twice: the
// first press is refused by the dialog object).
void TypeNameAndConfirm(HWND hDlg, const std::string& name)
{
  HWND hName = GetDlgItem(hDlg, edt1);
  if (!hName || !IsWindowVisible(hName)) hName = GetDlgItem(hDlg, cmb13);
  ASSERT_NE(hName, nullptr) << "no file name box";
  SetWindowTextA(hName, name.c_str());
  CDialogAnswerer::PressButton(hDlg, IDOK);
  CDialogAnswerer::PressButton(hDlg, IDOK);
}

TEST(CdlgFileDialog, SaveDialogGivesTheTypedNameWithTheDefaultExtension)
{
  char szDir[MAX_PATH];
  GetTempPathA(MAX_PATH, szDir);
  std::string dir = szDir;
  if (dir.back() == '\\') dir.pop_back();
  std::string typed = dir + "\\pellucor cdlg report";
  DeleteFileA((typed + ".log").c_str());

  CDialogAnswerer answerer;
  answerer.Handle([&](HWND hDlg, const ShownDialog&) { TypeNameAndConfirm(hDlg, typed); });
  CRefusingFileDialog dlg(FALSE, ".log", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                          "Log Files (*.log)|*.log|All Files (*.*)|*.*||");
  dlg.m_ofn.lpstrTitle = "Save the log";

  ASSERT_EQ(dlg.DoModal(), IDOK);
  ASSERT_GE(answerer.Shown().size(), 1u);
  EXPECT_EQ(answerer.Shown()[0].caption, "Save the log");
  EXPECT_EQ(dlg.m_offered.size(), 2u);
  EXPECT_TRUE(dlg.m_attached);
  EXPECT_EQ(dlg.m_hWnd, nullptr);   // let go when the dialog closed
  EXPECT_EQ(std::string(dlg.GetPathName()), typed + ".log");
  EXPECT_STREQ(dlg.GetFileName(), "pellucor cdlg report.log");
  EXPECT_STREQ(dlg.GetFileExt(), "log");
  EXPECT_STREQ(dlg.GetFileTitle(), "pellucor cdlg report");
  EXPECT_EQ(std::string(dlg.GetFolderPath()), dir);
}

TEST(CdlgFileDialog, CancelGivesIdCancel)
{
  CDialogAnswerer answerer;
  answerer.Answer(IDCANCEL);
  CFileDialog dlg(TRUE);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(answerer.Shown().size(), 1u);
}

TEST(CdlgColorFont, OkFillsTheDataMembers)
{
  CDialogAnswerer answerer;
  answerer.Answer(IDOK);
  CColorDialog color(RGB(255, 0, 0), CC_FULLOPEN);
  EXPECT_TRUE(color.m_cc.Flags & CC_RGBINIT);
  EXPECT_EQ(color.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
  EXPECT_EQ(color.DoModal(), IDOK);
  EXPECT_EQ(color.GetColor(), RGB(255, 0, 0));

  // A face the set-up installs (fonts-liberation); Wine has no Arial of its own.
  LOGFONT lf = {};
  lf.lfHeight = -16;
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = DEFAULT_CHARSET;
  strcpy(lf.lfFaceName, "Liberation Sans");
  answerer.Answer(IDOK);
  CFontDialog font(&lf);
  EXPECT_TRUE(font.m_cf.Flags & CF_INITTOLOGFONTSTRUCT);
  EXPECT_EQ(font.DoModal(), IDOK);
  EXPECT_STREQ(font.GetFaceName(), "Liberation Sans");
  EXPECT_TRUE(font.IsBold());
  EXPECT_FALSE(font.IsItalic());
  EXPECT_GT(font.GetSize(), 0);
  LOGFONT current;
  font.GetCurrentFont(&current);
  EXPECT_STREQ(current.lfFaceName, "Liberation Sans");

  answerer.Answer(IDCANCEL);
  CColorDialog cancelled(RGB(0, 0, 255));
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_EQ(answerer.Shown().size(), 3u);
}

// There is no printer here: asking for the default one must fail quietly,
// leave no handles, and show nothing.
TEST(CdlgPrintDialog, DefaultsFailCleanlyWithoutAPrinter)
{
  CDialogAnswerer answerer;
  CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                              PD_NOSELECTION | PD_RETURNDC);
  EXPECT_FALSE(dlg.GetDefaults());
  EXPECT_NE(CommDlgExtendedError(), 0u);
  EXPECT_FALSE(dlg.m_pd.Flags & PD_RETURNDEFAULT);
  EXPECT_EQ(dlg.GetPrinterDC(), nullptr);
  EXPECT_EQ(dlg.m_pd.hDevMode, nullptr);
  EXPECT_EQ(dlg.m_pd.hDevNames, nullptr);
  EXPECT_EQ(dlg.CreatePrinterDC(), nullptr);
  EXPECT_STREQ(dlg.GetDeviceName(), "");
  EXPECT_STREQ(dlg.GetDriverName(), "");
  EXPECT_STREQ(dlg.GetPortName(), "");
  EXPECT_EQ(dlg.GetDevMode(), nullptr);
  EXPECT_EQ(dlg.GetCopies(), 1);
  EXPECT_TRUE(dlg.PrintAll());
  EXPECT_FALSE(dlg.PrintSelection());
  EXPECT_FALSE(dlg.PrintRange());
  EXPECT_TRUE(answerer.Shown().empty());
}

}  // namespace

// ---------------------------------------------------------------------------
// The Explorer-style dialog's child template and the object's own handlers
// ---------------------------------------------------------------------------
namespace {

class CPreviewFileDialog : public CFileDialog {
 public:
  CPreviewFileDialog()
      : CFileDialog(TRUE, "txt", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||")
  {
    SetTemplate(0, IDD_SVC_FILECHILD);
  }
  std::vector<std::string> m_log;
  HWND m_hWndAtInit = NULL, m_hParentAtInit = NULL;
  bool m_bHasPreview = false;
  std::string m_pathAtOk;
  std::vector<UINT> m_codes;

  BOOL OnInitDialog() override
  {
    m_log.push_back("init");
    m_hWndAtInit = m_hWnd;
    m_hParentAtInit = GetParent()->GetSafeHwnd();
    m_bHasPreview = GetDlgItem(IDC_SVC_PREVIEW) != NULL;
    return CFileDialog::OnInitDialog();
  }

 protected:
  // every notification of the dialog reaches the object's own OnNotify
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
  {
    m_codes.push_back(((NMHDR*)lParam)->code);
    return CFileDialog::OnNotify(wParam, lParam, pResult);
  }
  void OnInitDone() override { m_log.push_back("initdone"); }
  void OnTypeChange() override { m_log.push_back("type"); }
  BOOL OnFileNameOK() override
  {
    m_log.push_back("fileok");
    m_pathAtOk = (LPCSTR)GetPathName();
    return FALSE;
  }
  afx_msg void OnPreview()
  {
    m_log.push_back("preview");
    SetDlgItemText(IDC_SVC_INFO, "shown");
    SetControlText(IDOK, "Take");
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPreviewFileDialog, CFileDialog)
  ON_BN_CLICKED(IDC_SVC_PREVIEW, &CPreviewFileDialog::OnPreview)
END_MESSAGE_MAP()

std::string ItemText(HWND hDlg, int nID)
{
  char sz[256] = "";
  GetDlgItemTextA(hDlg, nID, sz, sizeof(sz));
  return sz;
}

}  // namespace

TEST(CdlgFileDialog, TheObjectIsTheChildTemplateAndItsOwnHandlersRun)
{
  char szDir[MAX_PATH];
  GetTempPathA(MAX_PATH, szDir);
  std::string path = std::string(szDir) + "pellucor cdlg preview.txt";
  HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
  CloseHandle(hFile);

  CPreviewFileDialog dlg;
  HWND hChildSeen = NULL;
  std::string infoText, okText;
  // The dialog is activated before its controls and the child exist: the
  // answer runs a moment later, from the dialog's own loop.
  static std::function<void(HWND)> s_answer;
  s_answer = [&](HWND hDlg) {
    // the child dialog made from the template, inside the system's dialog
    HWND hChild = FindWindowExA(hDlg, NULL, "#32770", NULL);
    while (hChild != NULL && GetDlgItem(hChild, IDC_SVC_PREVIEW) == NULL)
      hChild = FindWindowExA(hDlg, hChild, "#32770", NULL);
    hChildSeen = hChild;
    if (hChild != NULL) {
      SendMessageA(GetDlgItem(hChild, IDC_SVC_PREVIEW), BM_CLICK, 0, 0);
      infoText = ItemText(hChild, IDC_SVC_INFO);
    }
    okText = ItemText(hDlg, IDOK);
    // another file type, as the user picks it from the list
    HWND hTypes = GetDlgItem(hDlg, cmb1);
    SendMessageA(hTypes, CB_SETCURSEL, 1, 0);
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), (LPARAM)hTypes);
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), (LPARAM)hTypes);
    HWND hName = GetDlgItem(hDlg, edt1);
    if (!hName || !IsWindowVisible(hName)) hName = GetDlgItem(hDlg, cmb13);
    SetWindowTextA(hName, path.c_str());
    CDialogAnswerer::PressButton(hDlg, IDOK);
  };
  CDialogAnswerer answerer;
  answerer.Handle([&](HWND hDlg, const ShownDialog&) {
    SetTimer(hDlg, 1, 20, [](HWND hWnd, UINT, UINT_PTR nID, DWORD) CALLBACK {
      KillTimer(hWnd, nID);
      s_answer(hWnd);
    });
  });

  ASSERT_EQ(dlg.DoModal(), IDOK);
  ASSERT_EQ(answerer.Shown().size(), 1u);
  ASSERT_NE(hChildSeen, nullptr);
  EXPECT_EQ(dlg.m_hWndAtInit, hChildSeen);                    // the object is the child...
  EXPECT_EQ(dlg.m_hParentAtInit, answerer.Shown()[0].hwnd);   // ...inside the real dialog
  EXPECT_TRUE(dlg.m_bHasPreview);
  EXPECT_EQ(infoText, "shown");   // the map's handler ran for the child's control
  EXPECT_EQ(okText, "Take");      // and reached the dialog's own controls
  std::vector<std::string> expected = {"init", "initdone", "preview", "type", "fileok"};
  EXPECT_EQ(dlg.m_log, expected);
  auto received = [&](UINT code) { return std::count(dlg.m_codes.begin(), dlg.m_codes.end(), code); };
  EXPECT_EQ(received(CDN_INITDONE), 1);
  EXPECT_EQ(received(CDN_TYPECHANGE), 1);
  EXPECT_EQ(received(CDN_FILEOK), 1);
  EXPECT_GE(received(CDN_FOLDERCHANGE), 1);
  EXPECT_EQ(dlg.m_pathAtOk, path);   // read from the dialog while it was up
  EXPECT_EQ(std::string(dlg.GetPathName()), path);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  DeleteFileA(path.c_str());
}
