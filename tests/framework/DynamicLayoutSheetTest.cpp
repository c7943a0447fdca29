// The resizable property sheet: its buttons keep to the bottom-right corner,
// its tab control and the active page stretch with it.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "DynamicPropSheet.h"
#include "framework_res.h"

namespace {

class CLayoutTestPage : public cdxCDynamicPropPage {
 public:
  CLayoutTestPage() : cdxCDynamicPropPage(IDD_LAYOUT_PAGE) {}
  DECLARE_DYNAMIC_MAP()
};

BEGIN_DYNAMIC_MAP(CLayoutTestPage, cdxCDynamicPropPage)
  DYNAMIC_MAP_ENTRY_EX(IDC_LAYOUT_LIST, mdResize, mdResize)
END_DYNAMIC_MAP()

CRect ChildRect(HWND child)
{
  CRect rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(NULL, ::GetParent(child), (LPPOINT)&rc, 2);
  return rc;
}

TEST(DynamicLayoutSheet, ButtonsTabsAndThePageFollowTheSheet)
{
  CLayoutTestPage page, second;
  cdxCDynamicPropSheet sheet("Sheet");
  sheet.AddPage(&page);
  sheet.AddPage(&second);
  EXPECT_EQ(page.m_pSheet, &sheet);
  ASSERT_TRUE(sheet.Create());
  EXPECT_TRUE(sheet.GetStyle() & WS_THICKFRAME);
  EXPECT_TRUE(sheet.m_bHasPos);

  HWND ok = ::GetDlgItem(sheet, IDOK), tab = ::GetDlgItem(sheet, AFX_IDC_TAB_CONTROL);
  HWND list = ::GetDlgItem(page, IDC_LAYOUT_LIST);
  ASSERT_TRUE(ok && tab && list);
  const CRect ok0 = ChildRect(ok), tab0 = ChildRect(tab), page0 = ChildRect(page), list0 = ChildRect(list);

  CRect rc;
  sheet.GetWindowRect(&rc);
  sheet.SetWindowPos(NULL, 0, 0, rc.Width() + 90, rc.Height() + 50, SWP_NOMOVE | SWP_NOZORDER);
  CRect ok1 = ok0, tab1 = tab0, page1 = page0, list1 = list0;
  ok1.OffsetRect(90, 50);
  tab1.InflateRect(0, 0, 90, 50);
  page1.InflateRect(0, 0, 90, 50);
  list1.InflateRect(0, 0, 90, 50);
  EXPECT_EQ(ChildRect(ok), ok1);
  EXPECT_EQ(ChildRect(tab), tab1);
  EXPECT_EQ(ChildRect(page), page1);
  EXPECT_EQ(ChildRect(list), list1);

  // A page shown for the first time is put where the active page is.
  ASSERT_TRUE(sheet.SetActivePage(1));
  ASSERT_TRUE(::IsWindow(second.m_hWnd));
  EXPECT_TRUE(second.m_bFirstHit);
  EXPECT_EQ(ChildRect(second), page1);
  sheet.DestroyWindow();
}

}  // namespace
