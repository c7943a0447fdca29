// The shortcuts file read back after fixed-seed damage: sizes, counts and
// packed keys set to their extremes, cuts, repeats and stray bytes. Nothing
// faults; a file that is refused leaves the commands and the frame's table
// as they were, and says why in one box; a file that is taken says nothing.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>
#include "ByteFuzzer.h"
#include "ShortcutsFixture.h"
#include "testsupport.h"

namespace {

// What a load may change: every command's accelerators and the frame's table.
struct ShortcutsState {
  std::vector<std::string> accels;
  HACCEL hTable;
  bool operator==(const ShortcutsState& o) const { return accels == o.accels && hTable == o.hTable; }
};

class ShortcutsFileFuzzTest : public ShortcutsFixture {
 protected:
  ShortcutsFileFuzzTest() : ShortcutsFixture("Software\\Pellucor Test\\ShortcutsFileFuzzTest") {}

  ShortcutsState State() const
  {
    ShortcutsState state;
    for (WORD wID : {kSave, kOpen, kPrint}) {
      CCmdAccelOb* pCmd = mgr.Lookup(wID);
      std::string line = std::to_string(wID) + ":";
      POSITION pos = pCmd != nullptr ? pCmd->m_Accels.GetHeadPosition() : NULL;
      while (pos != NULL) line += " " + std::to_string(pCmd->m_Accels.GetNext(pos)->GetData());
      state.accels.push_back(line);
    }
    state.hTable = frame->m_hAccelTable;
    return state;
  }
};

TEST_F(ShortcutsFileFuzzTest, DamagedFilesNeverFaultAndRefusedOnesChangeNothing)
{
  // Save with Ctrl+S and Ctrl+Shift+Q, Open with Ctrl+O: two blocks.
  const std::vector<BYTE> seed =
      ShortcutsBytes({1, 6, 0x0002FFFF, 0x00020064, 0x02090053, 0x020D0051, 0x00010065, 0x0209004F});
  WriteFileBytes(seed);
  ASSERT_TRUE(mgr.Load(HKEY_CURRENT_USER, "Shortcuts")) << "the seed itself is a good file";

  CByteFuzzer fuzzer;
  const int kCases = 400;
  int refused = 0;
  DWORD slowest = 0;
  for (int i = 0; i < kCases; ++i) {
    const std::vector<unsigned char> bytes = fuzzer.Mutate(std::vector<unsigned char>(seed.begin(), seed.end()));
    WriteFileBytes(std::vector<BYTE>(bytes.begin(), bytes.end()));
    const ShortcutsState before = State();
    CDialogAnswerer answerer;
    const DWORD start = GetTickCount();
    const BOOL bLoaded = mgr.Load(HKEY_CURRENT_USER, "Shortcuts");
    slowest = std::max<DWORD>(slowest, GetTickCount() - start);
    if (bLoaded) {
      EXPECT_TRUE(answerer.Shown().empty()) << "case " << i;
    } else {
      ++refused;
      EXPECT_TRUE(State() == before) << "case " << i << ": a refused file changed the shortcuts";
      EXPECT_EQ(answerer.Shown().size(), 1u) << "case " << i;
    }
    if (HasFailure()) break;
  }
  printf("shortcuts fuzz: %d files, %d refused, slowest load %lu ms\n", kCases, refused, (unsigned long)slowest);
  EXPECT_GT(refused, 0);
  EXPECT_LT(refused, kCases) << "some damage still reads as a file";
}

}  // namespace
