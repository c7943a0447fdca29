// The settings dialog: values in and out through its controls, and the
// levels and pages it refuses.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "SettingsDialog.h"
#include "resource.h"
#include "testsupport.h"

namespace {

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

TEST(SettingsDialogTest, ShowsTheValuesItIsGivenAndReturnsTheEdits)
{
  CSettingsDialog dlg(1, 0, 1, 3, 7);
  CDialogAnswerer answerer;
  answerer.Handle([](HWND d, const ShownDialog& shown) {
    EXPECT_EQ(shown.caption, "Settings");
    EXPECT_TRUE(Checked(d, IDC_DEDUPE_BASKET));
    EXPECT_FALSE(Checked(d, IDC_SORT_BASKET));
    EXPECT_TRUE(Checked(d, IDC_DIG_BY_ALL));
    EXPECT_FALSE(Checked(d, IDC_DIG_BY_SAMPLE));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SETTINGS_LEVELS)));
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_SETTINGS_LEVELS)), "3");
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_SETTINGS_PAGES)), "7");

    CheckDlgButton(d, IDC_DEDUPE_BASKET, BST_UNCHECKED);
    CheckDlgButton(d, IDC_SORT_BASKET, BST_CHECKED);
    SetDlgItemTextA(d, IDC_SETTINGS_LEVELS, "4");
    SetDlgItemTextA(d, IDC_SETTINGS_PAGES, "12");
    CDialogAnswerer::PressButton(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_bDedupeBasket, 0);
  EXPECT_EQ(dlg.m_bSortBasket, 1);
  EXPECT_EQ(dlg.m_nDigMode, 1);
  EXPECT_EQ(dlg.m_nLevels, 4);
  EXPECT_EQ(dlg.m_nPages, 12);
}

TEST(SettingsDialogTest, TheSampleKeywordModeDisablesTheLevels)
{
  CSettingsDialog dlg(0, 1, 0, 2, 1);
  CDialogAnswerer answerer;
  answerer.Handle([](HWND d, const ShownDialog&) {
    HWND levels = GetDlgItem(d, IDC_SETTINGS_LEVELS);
    EXPECT_TRUE(Checked(d, IDC_DIG_BY_SAMPLE));
    EXPECT_FALSE(IsWindowEnabled(levels));
    SendDlgItemMessageA(d, IDC_DIG_BY_ALL, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(levels));
    SendDlgItemMessageA(d, IDC_DIG_BY_SAMPLE, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(levels));
    CDialogAnswerer::PressButton(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_nDigMode, 0);
  EXPECT_EQ(dlg.m_nLevels, 2);
  EXPECT_EQ(dlg.m_bSortBasket, 1);
}

// A refused value keeps the dialog open with a message naming the field; the
// corrected value is then taken.
TEST(SettingsDialogTest, RefusesLevelsAndPagesOutOfRange)
{
  struct Case {
    int field;
    const char* text;
    const char* message;
  } cases[] = {
      {IDC_SETTINGS_PAGES, "0", "The number of pages must be from 1 to 100."},
      {IDC_SETTINGS_PAGES, "-3", "The number of pages must be from 1 to 100."},
      {IDC_SETTINGS_PAGES, "101", "The number of pages must be from 1 to 100."},
      {IDC_SETTINGS_LEVELS, "0", "The number of levels must be from 1 to 10."},
      {IDC_SETTINGS_LEVELS, "-1", "The number of levels must be from 1 to 10."},
      {IDC_SETTINGS_LEVELS, "11", "The number of levels must be from 1 to 10."},
  };
  for (const Case& c : cases) {
    CSettingsDialog dlg(0, 0, 1, 2, 3);
    CDialogAnswerer answerer;
    HWND settings = nullptr;
    std::string message;
    answerer.Handle([&](HWND d, const ShownDialog&) {
      settings = d;
      SetDlgItemTextA(d, c.field, c.text);
      CDialogAnswerer::PressButton(d, IDOK);
    });
    answerer.Handle([&](HWND box, const ShownDialog& shown) {
      message = shown.text;
      CDialogAnswerer::PressButton(box, IDOK);
      // Still open: correct the value and confirm again.
      SetDlgItemTextA(settings, c.field, "5");
      PostMessageA(settings, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK) << c.text;
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(c.field == IDC_SETTINGS_PAGES ? dlg.m_nPages : dlg.m_nLevels, 5);
    EXPECT_EQ(answerer.Shown().size(), 2u);
  }
}

}  // namespace
