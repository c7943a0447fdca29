// The rich edit with formatting helpers under real messages: bold toggled on
// a mixed selection, the other character formats, alignment and bullets, RTF
// in and out (in more than one piece), the TrueType faces, the colour dialog,
// and its owner-drawn context menu with the state and action of each command.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "../framework/ContextMenuProbe.h"
#include "AutoRichEditCtrl.h"
#include "ControlUtils.h"
#include "controls_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class AutoRichEditCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(CreateHostWindow(parent, "Rich edit host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 200)));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, CRect(5, 5, 395, 195), &parent, 200));
    // Without a font of its own the control writes in the bold system font.
    edit.SendMessage(WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), TRUE);
    edit.EmptyUndoBuffer();
  }
  void TearDown() override
  {
    edit.DestroyWindow();
    parent.DestroyWindow();
  }
  // Whether character i carries the effect.
  bool CharHas(int i, DWORD effect)
  {
    edit.SetSel(i, i + 1);
    CHARFORMAT cf = {};
    cf.cbSize = sizeof(cf);
    edit.GetSelectionCharFormat(cf);
    return (cf.dwEffects & effect) != 0;
  }
  std::string Text() { return WindowText(edit.m_hWnd); }
  void Command(UINT id) { edit.SendMessage(WM_COMMAND, id, 0); }

  CWnd parent;
  CAutoRichEditCtrl edit;
};

TEST_F(AutoRichEditCtrlTest, BoldOnAMixedSelectionGoesOnThenOff)
{
  edit.SetWindowText("abcdef");
  edit.SetSel(0, 3);
  edit.SetSelectionBold();
  EXPECT_TRUE(CharHas(0, CFE_BOLD));
  EXPECT_FALSE(CharHas(4, CFE_BOLD));

  edit.SetSel(0, 6);
  EXPECT_FALSE(edit.SelectionIsBold());   // mixed
  edit.SetSelectionBold();
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(CharHas(i, CFE_BOLD)) << i;
  edit.SetSel(0, 6);
  EXPECT_TRUE(edit.SelectionIsBold());
  edit.SetSelectionBold();
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(CharHas(i, CFE_BOLD)) << i;

  // Italic and underline toggle alone: bold stays as it is.
  edit.SetSel(0, 6);
  edit.SetSelectionBold();
  edit.SetSelectionItalic();
  edit.SetSelectionUnderlined();
  EXPECT_TRUE(edit.SelectionIsBold());
  EXPECT_TRUE(edit.SelectionIsItalic());
  EXPECT_TRUE(edit.SelectionIsUnderlined());
  edit.SetSelectionItalic();
  EXPECT_FALSE(edit.SelectionIsItalic());
  EXPECT_TRUE(edit.SelectionIsUnderlined());
}

TEST_F(AutoRichEditCtrlTest, ColourFaceAndSize)
{
  edit.SetWindowText("colour");
  edit.SetSel(0, 6);
  edit.SetColour(kRed);
  edit.SetFontName("Times New Roman");
  edit.SetFontSize(14);
  CHARFORMAT cf = {};
  cf.cbSize = sizeof(cf);
  edit.GetSelectionCharFormat(cf);
  EXPECT_EQ(cf.crTextColor, kRed);
  EXPECT_EQ(cf.dwEffects & CFE_AUTOCOLOR, 0u);
  EXPECT_EQ(edit.GetFontName(), CString("Times New Roman"));
  EXPECT_EQ(edit.GetFontSize(), 14);
  EXPECT_EQ(cf.yHeight, 280);
}

TEST_F(AutoRichEditCtrlTest, TheColourDialogStartsBlackAndCancelKeepsTheColour)
{
  edit.SetWindowText("ink");
  edit.SetSel(0, 3);
  edit.SetColour(kBlue);
  CDialogAnswerer answerer;
  answerer.Answer(IDCANCEL);
  edit.SelectColor();
  ASSERT_EQ(answerer.Shown().size(), 1u);
  CHARFORMAT cf = {};
  cf.cbSize = sizeof(cf);
  edit.GetSelectionCharFormat(cf);
  EXPECT_EQ(cf.crTextColor, kBlue);

  answerer.Answer(IDOK);
  edit.SelectColor();
  ASSERT_EQ(answerer.Shown().size(), 2u);
  edit.GetSelectionCharFormat(cf);
  EXPECT_EQ(cf.crTextColor, kBlack);
  EXPECT_EQ(cf.dwEffects & CFE_AUTOCOLOR, 0u);
}

// Cancelled over a selection of several colours, the dialog leaves every
// character its own colour.
TEST_F(AutoRichEditCtrlTest, CancelOverSeveralColoursKeepsEachColour)
{
  edit.SetWindowText("redblue");
  edit.SetSel(0, 3);
  edit.SetColour(kRed);
  edit.SetSel(3, 7);
  edit.SetColour(kBlue);
  edit.SetSel(0, 7);
  CDialogAnswerer answerer;
  answerer.Answer(IDCANCEL);
  edit.SelectColor();
  ASSERT_EQ(answerer.Shown().size(), 1u);
  const COLORREF want[7] = {kRed, kRed, kRed, kBlue, kBlue, kBlue, kBlue};
  for (int i = 0; i < 7; ++i) {
    edit.SetSel(i, i + 1);
    CHARFORMAT cf = {};
    cf.cbSize = sizeof(cf);
    edit.GetSelectionCharFormat(cf);
    EXPECT_EQ(cf.crTextColor, want[i]) << i;
  }
}

TEST_F(AutoRichEditCtrlTest, AlignmentAndBullets)
{
  edit.SetWindowText("one paragraph");
  edit.SetSel(0, 0);
  EXPECT_TRUE(edit.ParagraphIsLeft());
  edit.SetParagraphCenter();
  EXPECT_TRUE(edit.ParagraphIsCentered());
  EXPECT_FALSE(edit.ParagraphIsLeft());
  edit.SetParagraphRight();
  EXPECT_TRUE(edit.ParagraphIsRight());
  edit.SetParagraphLeft();
  EXPECT_TRUE(edit.ParagraphIsLeft());

  PARAFORMAT pf = {};
  pf.cbSize = sizeof(pf);
  EXPECT_FALSE(edit.ParagraphIsBulleted());
  edit.SetParagraphBulleted();
  EXPECT_TRUE(edit.ParagraphIsBulleted());
  edit.GetParaFormat(pf);
  EXPECT_EQ(pf.dxOffset, 4);
  EXPECT_TRUE(edit.ParagraphIsLeft());   // the alignment is untouched

  // A paragraph indented before keeps its offset when bullets go on...
  edit.SetParagraphBulleted();
  EXPECT_FALSE(edit.ParagraphIsBulleted());
  edit.GetParaFormat(pf);
  EXPECT_EQ(pf.dxOffset, 0);
  EXPECT_EQ(pf.dxStartIndent, 0);
  pf.dwMask = PFM_OFFSET;
  pf.dxOffset = 300;
  edit.SetParaFormat(pf);
  edit.SetParagraphBulleted();
  edit.GetParaFormat(pf);
  EXPECT_TRUE(edit.ParagraphIsBulleted());
  EXPECT_EQ(pf.dxOffset, 300);
  // ...and loses both indents when they go off.
  edit.SetParagraphBulleted();
  edit.GetParaFormat(pf);
  EXPECT_EQ(pf.dxOffset, 0);
  EXPECT_EQ(pf.dxStartIndent, 0);
}

TEST_F(AutoRichEditCtrlTest, RtfGoesInAndComesOutInPieces)
{
  edit.SetRTF("{\\rtf1\\ansi {\\b Bold} plain}");
  EXPECT_EQ(Text(), "Bold plain");
  EXPECT_TRUE(CharHas(0, CFE_BOLD));
  EXPECT_FALSE(CharHas(6, CFE_BOLD));
  CString rtf = edit.GetRTF();
  EXPECT_EQ(rtf.Left(6), CString("{\\rtf1"));
  EXPECT_NE(rtf.Find("\\b"), -1);

  // Longer than one piece of the stream both ways.
  std::string words;
  for (int i = 0; i < 2000; ++i) words += "word" + std::to_string(i) + " ";
  edit.SetRTF(("{\\rtf1\\ansi " + words + "}").c_str());
  EXPECT_TRUE(Text() == words) << Text().size() << " characters of " << words.size();
  CAutoRichEditCtrl copy;
  ASSERT_TRUE(copy.Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 100, 100), &parent, 201));
  copy.SetRTF(edit.GetRTF());
  EXPECT_TRUE(WindowText(copy.m_hWnd) == words);
}

TEST_F(AutoRichEditCtrlTest, ListsTheTrueTypeFacesWithoutEmptyingTheList)
{
  edit.m_saFontList.Add("kept");
  edit.GetSystemFonts();
  INT_PTR n = edit.m_saFontList.GetSize();
  ASSERT_GT(n, 1);
  EXPECT_EQ(edit.m_saFontList[0], CString("kept"));
  edit.GetSystemFonts();
  EXPECT_EQ(edit.m_saFontList.GetSize(), 2 * n - 1);
}

TEST_F(AutoRichEditCtrlTest, TheContextMenuIsOwnerDrawnAndFollowsTheText)
{
  CMessageRecorder rec;
  rec.Watch(edit.m_hWnd, "edit");
  rec.Only({WM_INITMENUPOPUP, WM_MEASUREITEM});

  ASSERT_TRUE(OpenContextMenu(&edit, rec, 30, 20));
  std::map<UINT, UINT> states = ContextMenuItemStates();
  EXPECT_GT(rec.Count(WM_MEASUREITEM), 0);   // the control measures its owner-drawn items
  const UINT ids[] = {ID_AUTORICHEDIT_UNDO, ID_AUTORICHEDIT_CUT, ID_AUTORICHEDIT_COPY, ID_AUTORICHEDIT_PASTE,
                      ID_AUTORICHEDIT_DELETE, ID_AUTORICHEDIT_SELECT_ALL};
  for (UINT id : ids) {
    ASSERT_EQ(states.count(id), 1u) << id;
    EXPECT_TRUE(states[id] & MF_OWNERDRAW) << id;
  }
  // Empty: only Paste is offered.
  for (UINT id : ids) EXPECT_EQ((states[id] & MF_GRAYED) != 0, id != ID_AUTORICHEDIT_PASTE) << id;

  // Typed text with a selection: everything is.
  edit.SetFocus();
  for (char c : std::string("abc")) edit.SendMessage(WM_CHAR, c, 1);
  edit.SetSel(0, 2);
  ASSERT_TRUE(OpenContextMenu(&edit, rec, 30, 20));
  states = ContextMenuItemStates();
  for (UINT id : ids) EXPECT_EQ(states[id] & MF_GRAYED, 0u) << id;
  // Text without a selection: Cut and Copy are not.
  edit.SetSel(1, 1);
  ASSERT_TRUE(OpenContextMenu(&edit, rec, 30, 20));
  states = ContextMenuItemStates();
  EXPECT_NE(states[ID_AUTORICHEDIT_CUT] & MF_GRAYED, 0u);
  EXPECT_NE(states[ID_AUTORICHEDIT_COPY] & MF_GRAYED, 0u);
  EXPECT_EQ(states[ID_AUTORICHEDIT_DELETE] & MF_GRAYED, 0u);
}

TEST_F(AutoRichEditCtrlTest, TheMenuCommands)
{
  edit.SetWindowText("abc");
  Command(ID_AUTORICHEDIT_SELECT_ALL);
  EXPECT_EQ(edit.GetSelText(), CString("abc"));

  Command(ID_AUTORICHEDIT_COPY);
  CString clip;
  ASSERT_TRUE(GetClipboardText(clip));
  EXPECT_EQ(clip, CString("abc"));
  Command(ID_AUTORICHEDIT_DELETE);
  EXPECT_EQ(Text(), "");
  Command(ID_AUTORICHEDIT_UNDO);
  EXPECT_EQ(Text(), "abc");

  edit.SetSel(1, 3);
  Command(ID_AUTORICHEDIT_CUT);
  EXPECT_EQ(Text(), "a");
  ASSERT_TRUE(GetClipboardText(clip));
  EXPECT_EQ(clip, CString("bc"));

  // Paste takes the place of the selection, or goes in at the caret; the
  // rest of the text stays, and the paste can be undone.
  struct Case { long from, to; const char* after; } pastes[] = {
    {4, 8, "old new"}, {3, 3, "oldnew text"}, {0, -1, "new"},
  };
  ASSERT_TRUE(SetClipboardText("new"));
  for (const Case& c : pastes) {
    edit.SetWindowText("old text");
    edit.EmptyUndoBuffer();
    edit.SetSel(c.from, c.to);
    Command(ID_AUTORICHEDIT_PASTE);
    EXPECT_EQ(Text(), c.after) << c.from << ".." << c.to;
    Command(ID_AUTORICHEDIT_UNDO);
    EXPECT_EQ(Text(), "old text") << c.from << ".." << c.to;
  }

  // A clipboard without text takes nothing away.
  edit.SetSel(0, -1);
  ASSERT_TRUE(OpenClipboard(parent.m_hWnd));
  EmptyClipboard();
  CloseClipboard();
  Command(ID_AUTORICHEDIT_PASTE);
  EXPECT_EQ(Text(), "old text");
}

}  // namespace
