// The group-based layout engine: every window of a group lands on the group's
// rectangle, below the minimum size the controls keep their places, and
// reversed rectangles or shares are refused.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "DynamicControlsManager.h"

namespace {

CRect ChildRect(HWND child)
{
  CRect rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(NULL, ::GetParent(child), (LPPOINT)&rc, 2);
  return rc;
}

class DynamicLayoutManager : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE,
                                50, 50, 400, 300, NULL, NULL));
    for (int i = 0; i < 3; ++i) {
      HWND h = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10 + 100 * i, 20 + 30 * i, 80, 20,
                                 m_host, (HMENU)(INT_PTR)(100 + i), NULL, NULL);
      ASSERT_NE(h, nullptr);
      m_ctl[i].Attach(h);
    }
  }
  void TearDown() override
  {
    m_mgr.DoOnDestroy();
    for (CWnd& c : m_ctl) c.Detach();
    m_host.DestroyWindow();
  }
  void Resize(int cx, int cy)
  {
    m_host.SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_mgr.DoOnSize(SIZE_RESTORED);
  }

  CWnd m_host;
  CWnd m_ctl[3];
  cdxCDynamicControlsManager m_mgr;
};

TEST_F(DynamicLayoutManager, GroupsFollowTheSizeAndKeepTheirMinimumPlaces)
{
  const CRect a0 = ChildRect(m_ctl[0]), c0 = ChildRect(m_ctl[2]);
  m_mgr.DoInitWindow(m_host);
  auto* stretch = static_cast<cdxCDynamicControlsManager::ControlData*>(m_mgr.AddControl(m_ctl[0], 0, 100, 0, 0));
  ASSERT_NE(stretch, nullptr);
  stretch->Add(m_ctl[1]);   // a second window in the same group
  ASSERT_NE(m_mgr.AddControlByModes(m_ctl[2], cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRelative), nullptr);
  EXPECT_EQ(m_mgr.GetWindowCount(), 3);

  CRect host0;
  m_host.GetWindowRect(&host0);
  Resize(host0.Width() + 80, host0.Height() + 40);
  EXPECT_EQ(ChildRect(m_ctl[0]), CRect(a0.left, a0.top, a0.right + 80, a0.bottom));
  EXPECT_EQ(ChildRect(m_ctl[1]), ChildRect(m_ctl[0]));
  EXPECT_EQ(ChildRect(m_ctl[2]), CRect(c0.left + 80, c0.top + 20, c0.right + 80, c0.bottom + 20));

  Resize(host0.Width() - 50, host0.Height() - 30);   // below the minimum (the set-up size)
  EXPECT_EQ(ChildRect(m_ctl[0]), a0);
  EXPECT_EQ(ChildRect(m_ctl[2]), c0);

  EXPECT_TRUE(m_mgr.RemoveControl(m_ctl[1]));
  EXPECT_FALSE(m_mgr.RemoveControl(m_ctl[1]));
  EXPECT_EQ(m_mgr.GetWindowCount(), 2);
}

TEST_F(DynamicLayoutManager, RefusesReversedSharesRectanglesAndLimits)
{
  m_mgr.DoInitWindow(m_host);
  auto* group = static_cast<cdxCDynamicControlsManager::ControlData*>(m_mgr.AddControl(m_ctl[0], 0, 100, 0, 0));
  ASSERT_NE(group, nullptr);
  EXPECT_FALSE(group->Modify(CRect(0, 0, 10, 10), 60, 40, 0, 0));   // right share below the left one
  EXPECT_FALSE(group->Modify(CRect(0, 0, 10, 10), 0, 0, 50, 20));
  EXPECT_FALSE(group->Modify(CRect(10, 0, 5, 10), 0, 0, 0, 0));
  EXPECT_TRUE(group->Modify(CRect(0, 0, 10, 10), 0, 50, 0, 100));

  EXPECT_FALSE(m_mgr.SetSizeLimits(CSize(300, 200), CSize(200, 0), FALSE));
  // Limits given and applied: the window grows into them, half on each side.
  CRect before;
  m_host.GetWindowRect(&before);
  ASSERT_TRUE(m_mgr.SetSizeLimits(CSize(before.Width() + 40, 0), CSize(0, 0), TRUE));
  CRect after;
  m_host.GetWindowRect(&after);
  EXPECT_EQ(after, CRect(before.left - 20, before.top, before.right + 20, before.bottom));
  EXPECT_FALSE(m_mgr.FitWindowToLimits());   // already within them
}

}  // namespace
