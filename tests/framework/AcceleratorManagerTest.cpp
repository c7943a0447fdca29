// The keyboard-shortcut manager: accelerator texts and packing, the rules of
// assigning and deleting, defaults, the frame's table, and
// "Users_Shortcuts.shortcuts" written as golden bytes, read back, and refused
// whole (with a message, nothing changed) when it is damaged or cut.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <string>
#include <vector>
#include "ShortcutsFixture.h"
#include "testsupport.h"

namespace {

std::string Text(const CAccelsOb& accel)
{
  CString s;
  accel.GetString(s);
  return (LPCSTR)s;
}

// The accelerators of a command as texts, in order.
std::vector<std::string> Texts(const CAcceleratorManager& mgr, WORD wID)
{
  std::vector<std::string> texts;
  CCmdAccelOb* pCmd = mgr.Lookup(wID);
  if (pCmd == nullptr) return texts;
  POSITION pos = pCmd->m_Accels.GetHeadPosition();
  while (pos != NULL) texts.push_back(Text(*pCmd->m_Accels.GetNext(pos)));
  return texts;
}

// The frame's table as (flags, key, command) triples.
std::vector<std::vector<int>> TableOf(HACCEL hAccel)
{
  std::vector<std::vector<int>> rows;
  int n = CopyAcceleratorTableA(hAccel, nullptr, 0);
  std::vector<ACCEL> accels(n > 0 ? n : 0);
  if (n > 0) CopyAcceleratorTableA(hAccel, accels.data(), n);
  for (const ACCEL& a : accels) rows.push_back({a.fVirt, a.key, a.cmd});
  std::sort(rows.begin(), rows.end());
  return rows;
}

// The accelerator tables this process holds, found by their handles' low
// words (a handle whose high word is 0 stands for any generation of its slot).
int LiveAcceleratorTables()
{
  int count = 0;
  for (UINT_PTR h = 0x20; h < 0xFFF0; h += 2) count += CopyAcceleratorTableA((HACCEL)h, nullptr, 0) > 0;
  return count;
}

class AcceleratorManagerTest : public ShortcutsFixture {
 protected:
  AcceleratorManagerTest() : ShortcutsFixture("Software\\Pellucor Test\\AcceleratorManagerTest") {}
};

TEST(AccelsObTest, TextsAndPackedForm)
{
  struct Case {
    BYTE cVirt;
    WORD wKey;
    const char* text;
  } cases[] = {
      {kCtrl, 'S', "Ctrl+S"},
      {FVIRTKEY | FCONTROL | FALT | FSHIFT, VK_F5, "Ctrl+Alt+Shift+F5"},
      {FVIRTKEY | FSHIFT | FALT, VK_DELETE, "Alt+Shift+DELETE"},
      {FVIRTKEY, VK_NUMPAD7, "NUMPAD7"},
      {FVIRTKEY, VK_OEM_CLEAR, "VK_OEM_CLEAR"},
      {kCtrl, 0, ""},
  };
  for (const Case& c : cases) {
    CAccelsOb accel(c.cVirt, c.wKey, false);
    EXPECT_EQ(Text(accel), c.text);
    ACCEL record = {c.cVirt, c.wKey, 1};
    CString s;
    EXPECT_EQ(GetAccelString(record, s), c.text[0] != 0);
    EXPECT_EQ(std::string((LPCSTR)s), c.text);
  }

  CAccelsOb unlocked(kCtrl, 'S', false), locked(FVIRTKEY | FALT, VK_F4, true);
  EXPECT_EQ(unlocked.GetData(), 0x02090053u);
  EXPECT_EQ(locked.GetData(), 0x01110073u);
  CAccelsOb back(locked.GetData());
  EXPECT_EQ(back.m_cVirt, FVIRTKEY | FALT);
  EXPECT_EQ(back.m_wKey, VK_F4);
  EXPECT_TRUE(back.m_bLocked);
  EXPECT_FALSE(CAccelsOb((DWORD)0x03090053).m_bLocked);   // only 1 means locked
}

// Keys the table does not name take the keyboard's name (the punctuation
// keys, each its own), else their code; no key brings up a box.
TEST(AccelsObTest, EveryKeyHasAReadableName)
{
  CDialogAnswerer answerer;
  const WORD punctuation[] = {VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2,
                              VK_OEM_3, VK_OEM_4, VK_OEM_5, VK_OEM_6, VK_OEM_7};
  std::set<std::string> names;
  for (WORD vk : punctuation) {
    const std::string text = Text(CAccelsOb(kCtrl, vk, false));
    ASSERT_EQ(text.compare(0, 5, "Ctrl+"), 0) << vk;
    const std::string name = text.substr(5);
    EXPECT_FALSE(name.empty()) << vk;
    EXPECT_EQ(name.find("Key 0x"), std::string::npos) << vk << ": " << name;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), sizeof(punctuation) / sizeof(punctuation[0])) << "told apart";
  // On the test display's keyboard (US).
  EXPECT_EQ(Text(CAccelsOb(kCtrl, VK_OEM_1, false)), "Ctrl+;");
  EXPECT_EQ(Text(CAccelsOb(FVIRTKEY | FSHIFT, VK_OEM_PERIOD, false)), "Shift+.");

  struct Case { WORD wKey; const char* text; } codes[] = {
      {0xE5, "Alt+Key 0xE5"}, {0x1234, "Alt+Key 0x1234"}, {0xFFFF, "Alt+Key 0xFFFF"}, {0, ""},
  };
  for (const Case& c : codes) EXPECT_EQ(Text(CAccelsOb(FVIRTKEY | FALT, c.wKey, false)), c.text);
  EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(AcceleratorManagerTest, AssigningFollowsTheNameAndDuplicateRules)
{
  EXPECT_TRUE(mgr.SetAccel(kCtrl, kSave, 'S', "Save"));
  EXPECT_FALSE(mgr.SetAccel(kCtrl, kSave, 'S', "Save"));          // it has that one
  EXPECT_FALSE(mgr.SetAccel(kCtrl, kPrint, 'Q', "Save"));         // the name is Save's
  EXPECT_FALSE(mgr.SetAccel(kCtrl, kSave, 'W', "Store"));         // Save has its name
  EXPECT_TRUE(mgr.SetAccel(FVIRTKEY, kSave, VK_F2, "Save"));
  EXPECT_TRUE(mgr.SetAccel(kCtrl | FSHIFT, kSave, 'K', "Save"));
  EXPECT_TRUE(mgr.SetAccel(kCtrl | FALT, kSave, 'K', "Save"));    // Alt is not Shift
  EXPECT_TRUE(mgr.SetAccel(FVIRTKEY, 200, VK_F9, "Run"));         // new command with it
  EXPECT_EQ(Texts(mgr, kSave), (std::vector<std::string>{"Ctrl+S", "F2", "Ctrl+Shift+K", "Ctrl+Alt+K"}));
  EXPECT_EQ(Texts(mgr, 200), (std::vector<std::string>{"F9"}));
  EXPECT_EQ(Texts(mgr, kPrint), (std::vector<std::string>{"Ctrl+P"}));
  EXPECT_FALSE(mgr.CreateEntry(300, "Save"));                     // name known: nothing
  EXPECT_FALSE(mgr.IsEmpty());
}

TEST_F(AcceleratorManagerTest, LockedAcceleratorsAreNeverDeleted)
{
  ASSERT_TRUE(mgr.SetAccel(kCtrl, kPrint, 'R', "Print"));
  EXPECT_FALSE(mgr.DeleteAccel(kCtrl, kPrint, 'R'));   // the locked Ctrl+P comes first
  EXPECT_FALSE(mgr.DeleteEntry(kPrint));
  EXPECT_EQ(Texts(mgr, kPrint), (std::vector<std::string>{"Ctrl+P", "Ctrl+R"}));

  EXPECT_TRUE(mgr.DeleteAccel(kCtrl, kOpen, 'O'));
  EXPECT_FALSE(mgr.DeleteAccel(kCtrl, kOpen, 'O'));
  EXPECT_FALSE(mgr.DeleteAccel(kCtrl, 999, 'O'));
  EXPECT_TRUE(mgr.DeleteEntry("Open"));
  EXPECT_EQ(mgr.Lookup(kOpen), nullptr);
  EXPECT_TRUE(mgr.DeleteEntry("No such command"));
  EXPECT_FALSE(mgr.DeleteEntry((WORD)999));
}

TEST_F(AcceleratorManagerTest, ResetGoesBackToTheDefaultsTakenOnce)
{
  ASSERT_TRUE(mgr.CreateDefaultTable());
  EXPECT_FALSE(mgr.CreateDefaultTable());
  mgr.SetAccel(kCtrl, kSave, 'S', "Save");
  mgr.DeleteAccel(kCtrl, kOpen, 'O');
  mgr.SetAccel(FVIRTKEY, kOpen, VK_F3, "Open");
  mgr.Reset();
  EXPECT_EQ(Texts(mgr, kOpen), (std::vector<std::string>{"Ctrl+O"}));
  EXPECT_EQ(Texts(mgr, kPrint), (std::vector<std::string>{"Ctrl+P"}));
  // Save had no defaults: the reset leaves it as it is.
  EXPECT_EQ(Texts(mgr, kSave), (std::vector<std::string>{"Ctrl+S"}));

  // Without defaults every user accelerator goes.
  CAcceleratorManager other;
  other = mgr;
  EXPECT_EQ(Texts(other, kSave), (std::vector<std::string>{"Ctrl+S"}));
  other.DeleteAll();
  EXPECT_TRUE(other.IsEmpty());
  other.SetAccel(kCtrl, kSave, 'S', "Save", false);
  other.SetAccel(FVIRTKEY, kSave, VK_F12, "Save", true);
  other.Reset();
  EXPECT_EQ(Texts(other, kSave), (std::vector<std::string>{"F12"}));
}

TEST_F(AcceleratorManagerTest, RebuildsTheFramesTable)
{
  mgr.SetAccel(kCtrl, kSave, 'S', "Save");
  ASSERT_TRUE(mgr.UpdateWndTable());
  EXPECT_EQ(TableOf(frame->m_hAccelTable),
            (std::vector<std::vector<int>>{{kCtrl, 'O', kOpen}, {kCtrl, 'P', kPrint}, {kCtrl, 'S', kSave}}));

  // A frame without a table of its own cannot take one, and the table made
  // for it is freed.
  DestroyAcceleratorTable(frame->m_hAccelTable);
  frame->m_hAccelTable = NULL;
  const int nTables = LiveAcceleratorTables();
  ACCEL probe = {kCtrl, 'Q', 1};
  HACCEL hProbe = CreateAcceleratorTableA(&probe, 1);
  ASSERT_EQ(LiveAcceleratorTables(), nTables + 1) << "the count sees a table";
  DestroyAcceleratorTable(hProbe);
  EXPECT_FALSE(mgr.UpdateWndTable());
  EXPECT_EQ(frame->m_hAccelTable, (HACCEL)NULL);
  EXPECT_EQ(LiveAcceleratorTables(), nTables);
}

// An id that has a name takes the new one whole: the old name is free again
// for another command, and the id keeps no accelerators of the old one.
TEST_F(AcceleratorManagerTest, AnEntryForANamedIdReplacesIt)
{
  EXPECT_TRUE(mgr.CreateEntry(kOpen, "Open File"));
  ASSERT_NE(mgr.Lookup(kOpen), nullptr);
  EXPECT_EQ(mgr.Lookup(kOpen)->m_szCommand, CString("Open File"));
  EXPECT_TRUE(Texts(mgr, kOpen).empty());
  WORD wID = 0;
  EXPECT_FALSE(mgr.m_mapAccelString.Lookup("Open", wID)) << "still names command " << wID;
  EXPECT_EQ(mgr.m_mapAccelString.GetCount(), 3);
  EXPECT_TRUE(mgr.CreateEntry(300, "Open"));
  ASSERT_TRUE(mgr.m_mapAccelString.Lookup("Open", wID));
  EXPECT_EQ(wID, 300);
}

TEST_F(AcceleratorManagerTest, WritesTheGoldenBytes)
{
  // Only built-in accelerators: an empty body.
  CAcceleratorManager lockedOnly;
  lockedOnly.SetAccel(kCtrl, kPrint, 'P', "Print", true);
  ASSERT_TRUE(lockedOnly.Write());
  EXPECT_EQ(FileBytes(), ShortcutsBytes({1, 1, 0x0000FFFF}));

  // Open's Ctrl+O is a user accelerator; Save has none; Print's stays out.
  ASSERT_TRUE(mgr.Write());
  EXPECT_EQ(FileBytes(), ShortcutsBytes({1, 3, 0x0001FFFF, 0x00010000u | kOpen, 0x0209004F}));
}

TEST_F(AcceleratorManagerTest, ReadsItsFileBackAndRebuildsTheTable)
{
  mgr.SetAccel(kCtrl, kSave, 'S', "Save");
  mgr.SetAccel(FVIRTKEY | FSHIFT, kSave, VK_F2, "Save");
  mgr.DeleteAccel(kCtrl, kOpen, 'O');
  ASSERT_TRUE(mgr.Write());

  // A second manager of the same commands with the program's defaults.
  CAcceleratorManager reader;
  reader.Connect(frame);
  reader.SetAccel(kCtrl, kPrint, 'P', "Print", true);
  reader.SetAccel(kCtrl, kOpen, 'O', "Open");
  reader.SetAccel(FVIRTKEY, kSave, VK_F12, "Save");
  HACCEL hBefore = frame->m_hAccelTable;
  CDialogAnswerer answerer;
  ASSERT_TRUE(reader.Load(HKEY_CURRENT_USER, "Shortcuts"));
  EXPECT_TRUE(answerer.Shown().empty());
  EXPECT_EQ(Texts(reader, kSave), (std::vector<std::string>{"Ctrl+S", "Shift+F2"}));
  EXPECT_EQ(Texts(reader, kOpen), (std::vector<std::string>{"Ctrl+O"}));   // no block: kept
  EXPECT_EQ(Texts(reader, kPrint), (std::vector<std::string>{"Ctrl+P"}));
  EXPECT_NE(frame->m_hAccelTable, hBefore);
  EXPECT_EQ(TableOf(frame->m_hAccelTable),
            (std::vector<std::vector<int>>{{FVIRTKEY | FSHIFT, VK_F2, kSave}, {kCtrl, 'O', kOpen},
                                           {kCtrl, 'P', kPrint}, {kCtrl, 'S', kSave}}));
  // The parameterless form reads with the remembered name.
  EXPECT_TRUE(reader.Load());
  CAcceleratorManager unnamed;
  EXPECT_FALSE(unnamed.Load());
}

// A key code read from the file that no table or keyboard names is listed
// by its code, without a box.
TEST_F(AcceleratorManagerTest, AnUnnamedKeyFromTheFileIsShownByItsCode)
{
  WriteFileBytes(ShortcutsBytes({1, 3, 0x0001FFFF, 0x00010064, 0x020900E5}));
  CDialogAnswerer answerer;
  ASSERT_TRUE(mgr.Load(HKEY_CURRENT_USER, "Shortcuts"));
  EXPECT_EQ(Texts(mgr, kSave), (std::vector<std::string>{"Ctrl+Key 0xE5"}));
  EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(AcceleratorManagerTest, AMissingFileChangesNothingAndSaysNothing)
{
  CDialogAnswerer answerer;
  EXPECT_FALSE(mgr.Load(HKEY_CURRENT_USER, "Shortcuts"));
  EXPECT_TRUE(answerer.Shown().empty());
  EXPECT_EQ(Texts(mgr, kOpen), (std::vector<std::string>{"Ctrl+O"}));
}

TEST_F(AcceleratorManagerTest, ADamagedOrCutFileIsRefusedWholeWithAMessage)
{
  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
    const char* reason;
  } cases[] = {
      // A count that would ask for gigabytes, or wrap round in 32 bits (x 4 = 4).
      {"huge count", ShortcutsBytes({1, 0xFFFFFFFF, 0x0001FFFF}), "announces 4294967295 values but holds only 6"},
      {"wrapping count", ShortcutsBytes({1, 0x40000001, 0x0001FFFF}), "announces 1073741825 values but holds only 6"},
      {"count past the end", ShortcutsBytes({1, 4, 0x0001FFFF, 0x00010064, 0x02090053}, 0), "announces 4 values but holds only 3"},
      {"cut in the head", std::vector<BYTE>{1, 0, 0, 0, 3, 0}, "cut short"},
      {"empty", std::vector<BYTE>{}, "cut short"},
      // Blocks that run past the body: nothing of them is applied.
      {"too many blocks", ShortcutsBytes({1, 3, 0x0002FFFF, 0x00010064, 0x02090053}), "announces 2 commands but holds only 1"},
      {"too many accelerators", ShortcutsBytes({1, 3, 0x0001FFFF, 0x00030064, 0x02090053}), "command 100 announces more"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes(c.bytes);
    HACCEL hBefore = frame->m_hAccelTable;
    CDialogAnswerer answerer;
    EXPECT_FALSE(mgr.Load(HKEY_CURRENT_USER, "Shortcuts"));
    ASSERT_EQ(answerer.Shown().size(), 1u);
    const std::string text = answerer.Shown()[0].text;
    EXPECT_NE(text.find("Users_Shortcuts.shortcuts"), std::string::npos) << text;
    EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    EXPECT_NE(text.find("The shortcuts in use are kept."), std::string::npos) << text;
    EXPECT_EQ(std::string((LPCSTR)mgr.GetLastErrorText()), text);
    EXPECT_EQ(Texts(mgr, kOpen), (std::vector<std::string>{"Ctrl+O"}));
    EXPECT_TRUE(Texts(mgr, kSave).empty());
    EXPECT_EQ(frame->m_hAccelTable, hBefore);
  }
}

TEST_F(AcceleratorManagerTest, ABodyWithoutTheMarkLoadsNothingButRebuilds)
{
  WriteFileBytes(ShortcutsBytes({1, 3, 0x00010000, 0x00010064, 0x02090053}));
  HACCEL hBefore = frame->m_hAccelTable;
  EXPECT_TRUE(mgr.Load(HKEY_CURRENT_USER, "Shortcuts"));
  EXPECT_TRUE(Texts(mgr, kSave).empty());
  EXPECT_NE(frame->m_hAccelTable, hBefore);
  EXPECT_EQ(TableOf(frame->m_hAccelTable),
            (std::vector<std::vector<int>>{{kCtrl, 'O', kOpen}, {kCtrl, 'P', kPrint}}));
}

TEST_F(AcceleratorManagerTest, SavesOnDestructionOnlyWhenAskedAndNamed)
{
  {
    CAcceleratorManager saver;
    saver.SetAccel(kCtrl, kSave, 'S', "Save");
    saver.Load(HKEY_CURRENT_USER, "Shortcuts");   // no file: remembers the name
    saver.SetAutoSave(true);
  }
  EXPECT_EQ(FileBytes(), ShortcutsBytes({1, 3, 0x0001FFFF, 0x00010064, 0x02090053}));

  DeleteFileA(Path());
  {
    CAcceleratorManager saver;
    saver.SetAccel(kCtrl, kSave, 'S', "Save");
    saver.SetAutoSave(true);   // no name: nothing is written
  }
  EXPECT_TRUE(FileBytes().empty());
}

}  // namespace
