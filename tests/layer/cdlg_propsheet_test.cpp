// Property sheets run modally, driven from a timer: page DDX on leaving a
// page and on OK, a refused value keeping the sheet open, wizards, EndDialog.
#include <afxdlgs.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "layer_test_res.h"
#include "testsupport.h"

namespace {

// Runs one step per timer tick on this thread, in whatever modal loop is
// running (CStepDriver): a step that returns false is tried again at the next
// tick, up to the wait limit.
using CTimerScript = CStepDriver;

// A page of either template, recording the sheet's notifications.
class CNetPage : public CPropertyPage {
 public:
  explicit CNetPage(UINT nIDTemplate, UINT nIDCaption = 0) : CPropertyPage(nIDTemplate, nIDCaption) {}

  CString m_strText = "start";
  int m_nNumber = 5;
  std::vector<std::string> m_calls;

  void DoDataExchange(CDataExchange* pDX) override
  {
    if (m_psp.pszTemplate == MAKEINTRESOURCE(IDD_NET_PAGE1))
      DDX_Text(pDX, IDC_NET_TEXT, m_strText);
    else
      DDX_Text(pDX, IDC_NET_NUMBER, m_nNumber);
  }
  BOOL OnSetActive() override { return Record("SetActive", CPropertyPage::OnSetActive()); }
  BOOL OnKillActive() override { return Record("KillActive", CPropertyPage::OnKillActive()); }
  BOOL OnApply() override { return Record("Apply", CPropertyPage::OnApply()); }
  void OnReset() override { Record("Reset", TRUE); }
  LRESULT OnWizardNext() override { return Record("WizardNext", 0); }
  LRESULT OnWizardBack() override { return Record("WizardBack", 0); }
  BOOL OnWizardFinish() override { return Record("WizardFinish", TRUE); }

  std::string EditText(int nID) const { return WindowText(::GetDlgItem(m_hWnd, nID)); }
  void SetEditText(int nID, const char* text) { ::SetDlgItemTextA(m_hWnd, nID, text); }

 private:
  template <class T>
  T Record(const char* what, T result)
  {
    m_calls.push_back(what);
    return result;
  }
};

using Calls = std::vector<std::string>;

std::string TabText(CTabCtrl* pTab, int nItem)
{
  char text[64] = "";
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ::SendMessageA(pTab->m_hWnd, TCM_GETITEMA, nItem, (LPARAM)&item);
  return text;
}

class CdlgPropertySheet : public ::testing::Test {
 protected:
  CdlgPropertySheet() : m_page1(IDD_NET_PAGE1), m_page2(IDD_NET_PAGE2, IDS_NET_PAGE2), m_sheet("Settings")
  {
    m_sheet.AddPage(&m_page1);
    m_sheet.AddPage(&m_page2);
  }
  CNetPage m_page1;
  CNetPage m_page2;
  CPropertySheet m_sheet;
};

TEST_F(CdlgPropertySheet, OkAppliesEveryPageAfterDdxOnLeavingEach)
{
  EXPECT_EQ(m_sheet.GetPageCount(), 2);
  EXPECT_EQ(m_sheet.GetPage(1), &m_page2);
  CTimerScript script({
      [&] {
        EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
        EXPECT_EQ(m_sheet.GetActivePage(), &m_page1);
        EXPECT_EQ(m_page1.EditText(IDC_NET_TEXT), "start");   // members went into the controls
        CTabCtrl* pTab = m_sheet.GetTabControl();
        EXPECT_NE(pTab, nullptr);
        if (pTab) {
          EXPECT_EQ(pTab->GetItemCount(), 2);
          EXPECT_EQ(TabText(pTab, 0), "Text");     // the template's caption
          EXPECT_EQ(TabText(pTab, 1), "Number");   // the caption string given
        }
        m_page1.SetEditText(IDC_NET_TEXT, "changed");
        EXPECT_TRUE(m_sheet.SetActivePage(1));
        return true;
      },
      [&] {
        EXPECT_EQ(m_sheet.GetActivePage(), &m_page2);
        EXPECT_STREQ(m_page1.m_strText, "changed");   // DDX when the page was left
        EXPECT_EQ(m_page2.EditText(IDC_NET_NUMBER), "5");
        m_page2.SetEditText(IDC_NET_NUMBER, "42");
        m_sheet.PressButton(PSBTN_OK);
        return true;
      },
  });

  EXPECT_EQ(m_sheet.DoModal(), IDOK);
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(m_sheet.m_hWnd, nullptr);
  EXPECT_STREQ(m_page1.m_strText, "changed");
  EXPECT_EQ(m_page2.m_nNumber, 42);
  EXPECT_EQ(m_page1.m_calls, (Calls{"SetActive", "KillActive", "Apply"}));
  EXPECT_EQ(m_page2.m_calls, (Calls{"SetActive", "KillActive", "Apply"}));
}

TEST_F(CdlgPropertySheet, BadValueKeepsTheSheetOpenAndCancelAppliesNothing)
{
  CDialogAnswerer answerer;
  answerer.Handle([](HWND, const ShownDialog&) {});   // the sheet itself: left to the script
  bool stillOpen = false;
  CTimerScript script({
      [&] { return m_sheet.SetActivePage(1) != FALSE; },
      [&] {
        m_page2.SetEditText(IDC_NET_NUMBER, "abc");
        m_sheet.PressButton(PSBTN_OK);   // refused: the box comes and is answered
        stillOpen = m_sheet.m_hWnd != nullptr && m_sheet.GetActivePage() == &m_page2;
        return true;
      },
      [&] {
        m_sheet.PressButton(PSBTN_CANCEL);
        return true;
      },
  });

  EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(answerer.Texts(), (std::vector<std::string>{"", "Please enter an integer."}));
  EXPECT_EQ(m_page2.m_nNumber, 5);
  EXPECT_EQ(m_page1.m_calls, (Calls{"SetActive", "KillActive", "Reset"}));
  EXPECT_EQ(m_page2.m_calls, (Calls{"SetActive", "KillActive", "Reset"}));
}

TEST_F(CdlgPropertySheet, WizardStepsAndFinish)
{
  m_sheet.SetWizardMode();
  CTimerScript script({
      [&] {
        m_sheet.SetWizardButtons(PSWIZB_NEXT);
        m_sheet.PressButton(PSBTN_NEXT);
        EXPECT_EQ(m_sheet.GetActiveIndex(), 1);
        return true;
      },
      [&] {
        m_sheet.PressButton(PSBTN_BACK);
        EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
        m_sheet.PressButton(PSBTN_NEXT);
        return true;
      },
      [&] {
        m_sheet.SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
        m_sheet.PressButton(PSBTN_FINISH);
        return true;
      },
  });

  EXPECT_EQ(m_sheet.DoModal(), ID_WIZFINISH);
  EXPECT_TRUE(script.Done());
  // Leaving a wizard page by Next or Back exchanges its data as well.
  EXPECT_EQ(m_page1.m_calls,
            (Calls{"SetActive", "WizardNext", "KillActive", "SetActive", "WizardNext", "KillActive"}));
  EXPECT_EQ(m_page2.m_calls, (Calls{"SetActive", "WizardBack", "KillActive", "SetActive", "WizardFinish"}));
}

TEST_F(CdlgPropertySheet, EndDialogFromCodeGivesItsResult)
{
  CTimerScript script({[&] {
    m_sheet.EndDialog(IDABORT);
    return true;
  }});
  EXPECT_EQ(m_sheet.DoModal(), IDABORT);
  EXPECT_EQ(m_sheet.m_hWnd, nullptr);
  // Ended from code: nothing was applied.
  EXPECT_EQ(m_page1.m_calls, (Calls{"SetActive"}));
}

TEST_F(CdlgPropertySheet, ModelessSheetGoesAwayWhenCancelled)
{
  ASSERT_TRUE(m_sheet.Create());
  EXPECT_TRUE(::IsWindowVisible(m_sheet.m_hWnd));
  EXPECT_EQ(m_sheet.GetActivePage(), &m_page1);
  EXPECT_EQ(m_page1.EditText(IDC_NET_TEXT), "start");
  m_sheet.PressButton(PSBTN_CANCEL);
  EXPECT_TRUE(PumpUntil([&] { return m_sheet.m_hWnd == nullptr; }, kWaitMs));
  EXPECT_EQ(m_page1.m_calls, (Calls{"SetActive", "Reset"}));
}

}  // namespace
