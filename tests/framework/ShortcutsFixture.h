// The fixture of the shortcut manager's and editor's tests: an application of
// its own (so the shortcuts file goes to a folder of the test's), a frame
// with an accelerator table, and a manager of three commands: Print with a
// built-in Ctrl+P, Open with a changeable Ctrl+O, and Save with no keys.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <initializer_list>
#include <vector>
#include "OwnAppTest.h"
#include "AcceleratorManager.h"
#include "BasedApp.h"
#include "testdrawing.h"

const WORD kSave = 100, kOpen = 101, kPrint = 102;
const BYTE kCtrl = FVIRTKEY | FCONTROL;

// The bytes of a shortcuts file: the values, then a zero trailer.
inline std::vector<BYTE> ShortcutsBytes(std::initializer_list<DWORD> values, size_t nTrailer = 20)
{
  std::vector<BYTE> bytes;
  for (DWORD v : values)
    for (int i = 0; i < 4; ++i) bytes.push_back((BYTE)(v >> (8 * i)));
  bytes.insert(bytes.end(), nTrailer, 0);
  return bytes;
}

class ShortcutsFixture : public OwnAppTest<CBasedApp> {
 protected:
  explicit ShortcutsFixture(const char* pszProfileKey) : OwnAppTest<CBasedApp>(pszProfileKey) {}
  void SetUp() override
  {
    OwnAppTest<CBasedApp>::SetUp();
    ASSERT_TRUE(frame.Create("Shortcuts", CRect(0, 0, 400, 300)));
    ACCEL initial[] = {{kCtrl, 'P', kPrint}, {kCtrl, 'O', kOpen}};
    frame->m_hAccelTable = CreateAcceleratorTableA(initial, 2);
    mgr.Connect(frame);
    ASSERT_TRUE(mgr.AddCommandAccel(kPrint, "Print", true));
    ASSERT_TRUE(mgr.AddCommandAccel(kOpen, "Open", false));
    ASSERT_TRUE(mgr.CreateEntry(kSave, "Save"));
  }
  void TearDown() override
  {
    frame.Destroy();
    OwnAppTest<CBasedApp>::TearDown();
  }

  CString Path() const { return m_folder.File("Users_Shortcuts.shortcuts"); }
  std::vector<BYTE> FileBytes() const
  {
    std::vector<BYTE> bytes;
    FILE* f = fopen(Path(), "rb");
    if (f == nullptr) return bytes;
    for (int c; (c = fgetc(f)) != EOF;) bytes.push_back((BYTE)c);
    fclose(f);
    return bytes;
  }
  void WriteFileBytes(const std::vector<BYTE>& bytes) const
  {
    FILE* f = fopen(Path(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }

  CScopedFrame<> frame;
  CAcceleratorManager mgr;
};
