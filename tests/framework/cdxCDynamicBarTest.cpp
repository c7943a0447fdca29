// The sizing bar that hosts a dialog: the dialog fills the bar as it is
// sized, its layout moves its controls, it hears the bar's commands first,
// and it sets the bar's minimum size.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include "cdxCDynamicBar.h"
#include "cdxCDynamicBarDlg.h"
#include "dynbar_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class CTestBarDlg : public cdxCDynamicBarDlg
{
public:
    CTestBarDlg() : cdxCDynamicBarDlg(IDD_DYNBAR_TEST) {}
    int m_nCommands = 0;

protected:
    afx_msg void OnTestCommand() { ++m_nCommands; }
    DECLARE_DYNAMIC_MAP()
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestBarDlg, cdxCDynamicBarDlg)
    ON_COMMAND(ID_DYNBAR_TEST_COMMAND, OnTestCommand)
END_MESSAGE_MAP()
BEGIN_DYNAMIC_MAP(CTestBarDlg, cdxCDynamicBarDlg)
    DYNAMIC_MAP_ENTRY_EX(IDC_DYNBAR_TEST_EDIT, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize)
    DYNAMIC_MAP_ENTRY_EX(IDC_DYNBAR_TEST_BUTTON, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
END_DYNAMIC_MAP()

class CDynBarFrame : public CFrameWnd
{
public:
    CDynBarFrame() : m_bar(&m_dlg) {}
    CTestBarDlg m_dlg;
    cdxCDynamicBar m_bar;
};

TEST(cdxCDynamicBarTest, TheDialogFillsTheBarAndHearsItsCommands)
{
  CScopedFrame<CDynBarFrame> frame;
  ASSERT_TRUE(frame.Create("Dynamic bar", CRect(60, 60, 560, 400)));
  frame->EnableDocking(CBRS_ALIGN_ANY);
  ASSERT_TRUE(frame->m_bar.Create("Notes", frame, CSize(200, 160), TRUE, 5301,
                                  WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_SIZE_DYNAMIC));
  frame->m_bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&frame->m_bar, AFX_IDW_DOCKBAR_LEFT);
  frame.Show();
  frame->RecalcLayout();
  PumpMessagesFor(30);

  CTestBarDlg& dlg = frame->m_dlg;
  ASSERT_TRUE(::IsWindow(dlg.m_hWnd));
  EXPECT_EQ(dlg.GetParent(), &frame->m_bar);
  CRect rcBar, rcDlg;
  frame->m_bar.GetClientRect(rcBar);
  dlg.GetWindowRect(rcDlg);
  EXPECT_EQ(rcDlg.Size(), rcBar.Size());

  // The minimum is the dialog's plus the bar's borders and its gripper.
  EXPECT_EQ(frame->m_bar.m_szMin, dlg.GetMinSize() + CSize(5 + 5 + 12, 5 + 5 + 12));
  EXPECT_GT(dlg.GetMinSize().cx, 100);

  // Wider: the edit follows, the button moves with the right edge.
  CRect rcButtonBefore;
  dlg.GetDlgItem(IDC_DYNBAR_TEST_BUTTON)->GetWindowRect(rcButtonBefore);
  frame->m_bar.m_szVert.cx += 60;
  frame->RecalcLayout();
  PumpMessagesFor(30);
  CRect rcButtonAfter, rcDlgAfter, rcBarAfter;
  dlg.GetDlgItem(IDC_DYNBAR_TEST_BUTTON)->GetWindowRect(rcButtonAfter);
  dlg.GetWindowRect(rcDlgAfter);
  frame->m_bar.GetClientRect(rcBarAfter);
  EXPECT_EQ(rcDlgAfter.Size(), rcBarAfter.Size());
  EXPECT_GT(rcDlgAfter.Width(), rcDlg.Width() + 50);
  EXPECT_EQ(rcButtonAfter.left - rcButtonBefore.left, rcDlgAfter.Width() - rcDlg.Width());

  // Commands reach the dialog through the bar.
  frame->m_bar.SendMessage(WM_COMMAND, ID_DYNBAR_TEST_COMMAND, 0);
  EXPECT_EQ(dlg.m_nCommands, 1);
}

TEST(cdxCDynamicBarTest, WithoutItsDialogThereIsNoBar)
{
  CScopedFrame<CDynBarFrame> frame;
  ASSERT_TRUE(frame.Create("Dynamic bar", CRect(60, 60, 560, 400)));
  cdxCDynamicBar bar(nullptr);
  EXPECT_FALSE(bar.Create("None", frame, CSize(100, 100), TRUE, 5302));
  EXPECT_EQ(bar.m_hWnd, (HWND)NULL);
}

}  // namespace
