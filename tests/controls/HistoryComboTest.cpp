// The keyword history combo: adding with the case-insensitive duplicate test,
// the profile layout both ways, and the archive layout.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "HistoryCombo.h"
#include "testsupport.h"

namespace {

const char kSection[] = "HistoryComboTest";

class HistoryComboTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    app = AfxGetApp();
    app->WriteProfileString(kSection, nullptr, nullptr);   // the whole section goes
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(Make(combo));
  }
  void TearDown() override
  {
    parent.DestroyWindow();
    app->WriteProfileString(kSection, nullptr, nullptr);
  }

  BOOL Make(CHistoryCombo& c, DWORD style = CBS_DROPDOWN)
  {
    return c.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, CRect(0, 0, 200, 150), &parent, 1000);
  }

  static std::vector<std::string> Items(const CComboBox& c)
  {
    std::vector<std::string> items;
    for (int i = 0; i < c.GetCount(); ++i) {
      CString s;
      c.GetLBText(i, s);
      items.push_back((LPCSTR)s);
    }
    return items;
  }
  static std::string Text(const CWnd& w)
  {
    CString s;
    w.GetWindowText(s);
    return (LPCSTR)s;
  }
  std::string Entry(const char* key) { return (LPCSTR)app->GetProfileString(kSection, key, "<missing>"); }
  void SetEntry(const char* key, const char* value) { app->WriteProfileString(kSection, key, value); }

  CWinApp* app = nullptr;
  CWnd parent;
  CHistoryCombo combo;
};

TEST_F(HistoryComboTest, AddingPutsTheTextOnTopOnceIgnoringCase)
{
  struct Case {
    std::vector<const char*> added;
    std::vector<std::string> items;
  } cases[] = {
      {{"ABC", "abc"}, {"abc"}},
      {{"one", "two", "One"}, {"One", "two"}},
      {{"one", "one"}, {"one"}},
      {{"  padded  "}, {"padded"}},
      {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"},
       {"11", "10", "9", "8", "7", "6", "5", "4", "3", "2"}},   // the eleventh drops the oldest
  };
  for (const Case& c : cases) {
    combo.ResetContent();
    for (const char* text : c.added) EXPECT_EQ(combo.AddToHistory(text), 0);
    EXPECT_EQ(Items(combo), c.items);
    EXPECT_EQ(combo.GetCurSel(), 0);
  }
}

TEST_F(HistoryComboTest, LoadsAndSavesTheProfileLayout)
{
  const char* stored[] = {"pear", "plum", "fig", "kiwi", "lime"};
  for (int i = 0; i < 5; ++i) SetEntry(("m_wndKeyword" + std::to_string(i)).c_str(), stored[i]);
  SetEntry("m_wndKeyword", "Typed text");

  // Not listed: the current text goes into the edit field.
  EXPECT_EQ(combo.LoadHistory(kSection, "m_wndKeyword"), CString("Typed text"));
  EXPECT_EQ(Items(combo), (std::vector<std::string>{"pear", "plum", "fig", "kiwi", "lime"}));
  EXPECT_EQ(Text(combo), "Typed text");

  // Listed (ignoring case): it is selected.
  SetEntry("m_wndKeyword", "FIG");
  combo.LoadHistory(kSection, "m_wndKeyword");
  EXPECT_EQ(combo.GetCurSel(), 2);

  // Three items saved over five entries: entries 3 and 4 go.
  combo.ResetContent();
  combo.AddToHistory("b");
  combo.AddToHistory("a");
  combo.SetWindowText("new");
  combo.SaveHistory(TRUE);
  EXPECT_EQ(Entry("m_wndKeyword0"), "new");
  EXPECT_EQ(Entry("m_wndKeyword1"), "a");
  EXPECT_EQ(Entry("m_wndKeyword2"), "b");
  EXPECT_EQ(Entry("m_wndKeyword3"), "<missing>");
  EXPECT_EQ(Entry("m_wndKeyword4"), "<missing>");
  EXPECT_EQ(Entry("m_wndKeyword"), "new");

  // Round trip into another combo.
  CHistoryCombo other;
  ASSERT_TRUE(Make(other));
  EXPECT_EQ(other.LoadHistory(kSection, "m_wndKeyword"), CString("new"));
  EXPECT_EQ(Items(other), (std::vector<std::string>{"new", "a", "b"}));
  EXPECT_EQ(other.GetCurSel(), 0);
}

// Saving writes up to one entry more than the maximum, and a profile may hold
// more still: loading takes exactly the maximum, the newest first.
TEST_F(HistoryComboTest, LoadsNoMoreThanTheMaximumFromALongerProfile)
{
  combo.SetMaxHistoryItems(3);
  for (int nStored : {2, 3, 4, 6}) {
    SCOPED_TRACE(std::to_string(nStored) + " entries stored");
    app->WriteProfileString(kSection, nullptr, nullptr);
    std::vector<std::string> expected;
    for (int i = 0; i < nStored; ++i) {
      SetEntry(("h" + std::to_string(i)).c_str(), ("item " + std::to_string(i)).c_str());
      if (i < 3) expected.push_back("item " + std::to_string(i));
    }
    combo.LoadHistory(kSection, "h");
    EXPECT_EQ(Items(combo), expected);
  }
}

TEST_F(HistoryComboTest, KeepsTheCurrentTextUnderItsOwnKeyAndClears)
{
  combo.LoadHistory(kSection, "h", TRUE, "Current");
  combo.SetWindowText("x");
  combo.SaveHistory(TRUE);
  EXPECT_EQ(Entry("h0"), "x");
  EXPECT_EQ(Entry("Current"), "x");
  EXPECT_EQ(Entry("h"), "<missing>");

  combo.ClearHistory(TRUE);
  EXPECT_EQ(combo.GetCount(), 0);
  EXPECT_EQ(Entry("h0"), "<missing>");
  EXPECT_EQ(Entry("Current"), "<missing>");

  // Without a section nothing is loaded or saved.
  CHistoryCombo unbound;
  ASSERT_TRUE(Make(unbound));
  EXPECT_EQ(unbound.LoadHistory("", "h"), CString(""));
  unbound.SetWindowText("y");
  unbound.SaveHistory(TRUE);
  EXPECT_EQ(Entry("h0"), "<missing>");
}

TEST_F(HistoryComboTest, StoresAndLoadsTheArchiveLayout)
{
  combo.AddToHistory("ab");
  combo.AddToHistory("c");
  combo.SetWindowText("typed");
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    combo.Serialize(ar);
  }
  // A 16-bit count, the items, then the current text, each string with its
  // length in front; storing adds the current text to the history first.
  const std::string expected("\x03\x00" "\x05typed" "\x01" "c" "\x02" "ab" "\x05typed", 2 + 6 + 2 + 3 + 6);
  ULONGLONG size = file.GetLength();
  BYTE* bytes = file.Detach();
  EXPECT_EQ(std::string((const char*)bytes, (size_t)size), expected);

  CMemFile in(bytes, (UINT)size);
  CHistoryCombo loaded;
  ASSERT_TRUE(Make(loaded));
  {
    CArchive ar(&in, CArchive::load);
    loaded.Serialize(ar);
  }
  EXPECT_EQ(Items(loaded), (std::vector<std::string>{"typed", "c", "ab"}));
  EXPECT_EQ(loaded.GetCurSel(), 0);
  free(bytes);
}

TEST_F(HistoryComboTest, NeverSortsUnlessAllowed)
{
  CHistoryCombo unsorted;
  ASSERT_TRUE(Make(unsorted, CBS_DROPDOWN | CBS_SORT));
  EXPECT_EQ(unsorted.GetStyle() & CBS_SORT, 0u);
  unsorted.AddToHistory("b");
  unsorted.AddToHistory("a");
  unsorted.AddToHistory("c");
  EXPECT_EQ(Items(unsorted), (std::vector<std::string>{"c", "a", "b"}));
}

TEST_F(HistoryComboTest, FillsFromTextAndJoinsBack)
{
  combo.SetHistoryFromText("one\r\ntwo\r\n\r\nthree", "TWO");
  EXPECT_EQ(Items(combo), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(combo.GetCurSel(), 1);
  CString items;
  EXPECT_EQ(combo.GetHistoryText(items, FALSE, ";"), CString("two"));
  EXPECT_EQ(items, CString("one;two;three"));
}

}  // namespace
