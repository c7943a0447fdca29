// The edit control under real messages: its colours through the reflected
// colour message, its fonts, the character filter (refused characters beep
// and stay out), its context menu and copying one control onto another.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "../framework/ContextMenuProbe.h"
#include "EditEx.h"
#include "ImportPatch.h"
#include "morecontrols_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

std::vector<UINT> g_beeps;
BOOL WINAPI RecordBeep(UINT type)
{
  g_beeps.push_back(type);
  return TRUE;
}

// Lets letters in, keeps digits out.
class CNoDigits : public CEditExValidator {
 public:
  explicit CNoDigits(int* pDeleted) : m_pDeleted(pDeleted) {}
  ~CNoDigits() override { ++*m_pDeleted; }
  BOOL IsValidChar(UINT nChar) override { return !(nChar >= '0' && nChar <= '9'); }

 private:
  int* m_pDeleted;
};

class EditExTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    g_beeps.clear();
    ASSERT_TRUE(CreateHostWindow(parent, "EditEx host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 120)));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 210, 40), &parent, 100));
  }
  void TearDown() override
  {
    edit.DestroyWindow();
    parent.DestroyWindow();
  }

  // Types the text as a user's key presses reach the control: posted WM_CHARs.
  void Type(CWnd& wnd, const char* text)
  {
    for (const char* p = text; *p; ++p) wnd.PostMessage(WM_CHAR, (BYTE)*p, 1);
    PumpMessagesFor(50);
  }
  static LOGFONTA FontOf(CWnd& wnd)
  {
    LOGFONTA lf = {};
    HFONT hFont = (HFONT)wnd.SendMessage(WM_GETFONT);
    EXPECT_NE(hFont, nullptr);
    ::GetObjectA(hFont, sizeof(lf), &lf);
    return lf;
  }

  CWnd parent;
  CEditEx edit;
};

TEST_F(EditExTest, IsMadeByItsRuntimeClassWithTheSystemColours)
{
  CObject* pObject = RUNTIME_CLASS(CEditEx)->CreateObject();
  ASSERT_NE(pObject, nullptr);
  EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CEdit)));
  CEditEx* pEdit = static_cast<CEditEx*>(pObject);
  EXPECT_EQ(pEdit->GetBkColor(), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pEdit->GetTextColor(), ::GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(pEdit->GetValidator(), nullptr);
  EXPECT_EQ(pEdit->GetContextMenuId(), 0u);
  delete pEdit;
}

TEST_F(EditExTest, ColoursReachThePaintThroughTheParentsColourMessage)
{
  EXPECT_EQ(edit.SetBkColor(kYellow), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(edit.SetTextColor(kBlue), ::GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(edit.SetBkColor(kCyan), kYellow);

  // The parent receives the colour message and hands it back to the control.
  CPixelCanvas canvas(10, 10);
  HBRUSH hBrush = (HBRUSH)parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)canvas.dc.m_hDC, (LPARAM)edit.m_hWnd);
  ASSERT_NE(hBrush, nullptr);
  LOGBRUSH lb = {};
  ::GetObjectA(hBrush, sizeof(lb), &lb);
  EXPECT_EQ(lb.lbColor, kCyan);
  EXPECT_EQ(canvas.dc.GetTextColor(), kBlue);
  EXPECT_EQ(canvas.dc.GetBkColor(), kCyan);

  // The control's own painting shows the background colour.
  edit.SetWindowText("W");
  CRect rc;
  edit.GetClientRect(rc);
  CPixelCanvas painted(rc.Width(), rc.Height());
  edit.SendMessage(WM_PRINTCLIENT, (WPARAM)painted.dc.m_hDC, PRF_CLIENT | PRF_ERASEBKGND);
  ::GdiFlush();
  EXPECT_EQ(painted.At(rc.Width() - 3, rc.Height() / 2), kCyan);
  EXPECT_GT(painted.Count(kBlue), 0);
}

TEST_F(EditExTest, FontsAreMadeFromTheirDescriptionAndTheOldOneGoes)
{
  edit.SetFont(-20, FF_SWISS | VARIABLE_PITCH, "Arial");
  LOGFONTA lf = FontOf(edit);
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(lf.lfPitchAndFamily, FF_SWISS | VARIABLE_PITCH);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  HGDIOBJ hFirst = edit.GetExFont()->m_hObject;

  LOGFONTA bold = lf;
  bold.lfWeight = FW_BOLD;
  bold.lfHeight = -11;
  edit.SetFont(&bold);
  EXPECT_EQ(FontOf(edit).lfWeight, FW_BOLD);
  EXPECT_EQ(FontOf(edit).lfHeight, -11);
  EXPECT_EQ(::GetObjectType(hFirst), 0u);   // the replaced font was deleted

  HGDIOBJ hSecond = edit.GetExFont()->m_hObject;
  edit.SetFont(static_cast<const LOGFONTA*>(nullptr));
  EXPECT_EQ(edit.GetExFont()->m_hObject, hSecond);
  EXPECT_EQ((HGDIOBJ)edit.SendMessage(WM_GETFONT), hSecond);

  // A face name longer than a font can carry is cut, not overrun.
  edit.SetFont(-12, 0, "An extremely long face name that no font ever had");
  EXPECT_EQ(strlen(FontOf(edit).lfFaceName), (size_t)LF_FACESIZE - 1);
}

TEST_F(EditExTest, RefusedCharactersBeepAndStayOut)
{
  CImportPatch beep("user32.dll", "MessageBeep", reinterpret_cast<ULONG_PTR>(&RecordBeep));
  ASSERT_TRUE(beep.Installed());

  Type(edit, "ab");
  EXPECT_EQ(WindowText(edit.m_hWnd), "ab");
  EXPECT_TRUE(g_beeps.empty());

  int deleted = 0;
  edit.SetValidator(new CNoDigits(&deleted));
  Type(edit, "c1d23");
  EXPECT_EQ(WindowText(edit.m_hWnd), "abcd");
  EXPECT_EQ(g_beeps, (std::vector<UINT>{0, 0, 0}));

  // A new filter replaces (and deletes) the old one; none lets all in.
  edit.SetValidator(nullptr);
  EXPECT_EQ(deleted, 1);
  Type(edit, "9");
  EXPECT_EQ(WindowText(edit.m_hWnd), "abcd9");
  EXPECT_EQ(g_beeps.size(), 3u);
}

TEST_F(EditExTest, TheControlDeletesItsFilterWhenItGoes)
{
  int deleted = 0;
  {
    CEditEx other;
    ASSERT_TRUE(other.Create(WS_CHILD, CRect(0, 0, 50, 20), &parent, 101));
    other.SetValidator(new CNoDigits(&deleted));
    other.SetFont(-12, 0, "Arial");
  }
  EXPECT_EQ(deleted, 1);
}

TEST_F(EditExTest, TheContextMenuComesFromTheResourcesWhenOneIsSet)
{
  CMessageRecorder rec;
  rec.Watch(edit.m_hWnd, "edit");
  rec.Only({WM_INITMENUPOPUP});

  // Without a menu id the edit keeps its own handling.
  OpenContextMenu(&edit, rec, 20, 10);
  EXPECT_EQ(ContextMenuItemStates().count(ID_EDITEX_TEST_FIRST), 0u);

  edit.SetContextMenuId(IDR_EDITEX_TEST_MENU);
  ASSERT_TRUE(OpenContextMenu(&edit, rec, 20, 10));
  EXPECT_EQ(ContextMenuItemStates().size(), 2u);
  EXPECT_EQ(ContextMenuItemStates().count(ID_EDITEX_TEST_FIRST), 1u);
  EXPECT_EQ(ContextMenuItemStates().count(ID_EDITEX_TEST_SECOND), 1u);

  // A menu that cannot be loaded falls back to the edit's own.
  edit.SetContextMenuId(4899);
  OpenContextMenu(&edit, rec, 20, 10);
  EXPECT_EQ(ContextMenuItemStates().count(ID_EDITEX_TEST_FIRST), 0u);
}

TEST_F(EditExTest, CopyingTakesColoursAndFontAndNothingFromItself)
{
  edit.SetBkColor(kYellow);
  edit.SetTextColor(kRed);
  edit = edit;
  EXPECT_EQ(edit.GetBkColor(), kYellow);
  EXPECT_EQ(edit.GetExFont(), nullptr);

  CEditEx source;
  ASSERT_TRUE(source.Create(WS_CHILD, CRect(0, 40, 100, 60), &parent, 102));
  source.SetBkColor(kGreen);
  source.SetTextColor(kMagenta);
  source.SetFont(-15, FF_ROMAN, "Times New Roman");
  edit = source;
  EXPECT_EQ(edit.GetBkColor(), kGreen);
  EXPECT_EQ(edit.GetTextColor(), kMagenta);
  ASSERT_NE(edit.GetExFont(), nullptr);
  EXPECT_NE(edit.GetExFont()->m_hObject, source.GetExFont()->m_hObject);   // its own copy
  EXPECT_EQ(FontOf(edit).lfHeight, -15);
  EXPECT_STREQ(FontOf(edit).lfFaceName, "Times New Roman");
}

}  // namespace
