// The sizing control bar under real messages: two bars docked in one row of a
// frame share its length, are resized by dragging their edges (the shared
// edge moves both, the outer edge the whole row), hidden by the close box,
// floated and docked at another side, and keep their sizes in the profile.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "SizingControlBar.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const UINT kFirstId = 5201, kSecondId = 5202;
const char kProfile[] = "SizingBarTest";

// A sizing bar whose list box fills it.
class CListBar : public CSizingControlBar
{
public:
    CListBox m_list;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CSizingControlBar::OnSize(nType, cx, cy);
        if (m_list.m_hWnd != NULL) m_list.MoveWindow(0, 0, cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CListBar, CSizingControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

// A frame with two sizing bars, each holding a list box.
class CBarFrame : public CFrameWnd
{
public:
    CListBar m_bar[2];

    BOOL CreateBars()
    {
        EnableDocking(CBRS_ALIGN_ANY);
        const char* names[] = {"Keywords", "Basket"};
        for (int i = 0; i < 2; ++i) {
            if (!m_bar[i].Create(names[i], this, CSize(180, 120), TRUE, i == 0 ? kFirstId : kSecondId,
                                 WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC))
                return FALSE;
            m_bar[i].EnableDocking(CBRS_ALIGN_ANY);
            CListBox& list = m_bar[i].m_list;
            list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 50, 50), &m_bar[i], 100);
            list.AddString(names[i]);
        }
        DockControlBar(&m_bar[0], AFX_IDW_DOCKBAR_TOP);
        // Docked at a rectangle right of the first: the same row.
        RecalcLayout();
        CRect rc;
        m_bar[0].GetWindowRect(rc);
        rc.OffsetRect(rc.Width(), 0);
        DockControlBar(&m_bar[1], AFX_IDW_DOCKBAR_TOP, rc);
        return TRUE;
    }
};

// A drag through the bar's dock context: the press starts the context's own
// loop, and a timer inside that loop moves the pointer and lets go.
struct DragPlan {
  HWND bar;
  CPoint from, to;
  int step;
} g_drag;
const int kDragSteps = 6;

void CALLBACK DragStep(HWND, UINT, UINT_PTR id, DWORD)
{
  ++g_drag.step;
  CPoint pt(g_drag.from.x + (g_drag.to.x - g_drag.from.x) * g_drag.step / kDragSteps,
            g_drag.from.y + (g_drag.to.y - g_drag.from.y) * g_drag.step / kDragSteps);
  SetCursorPos(pt.x, pt.y);
  CPoint ptClient = pt;
  ScreenToClient(g_drag.bar, &ptClient);
  if (g_drag.step < kDragSteps) {
    PostMessageA(g_drag.bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
  } else {
    PostMessageA(g_drag.bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    PostMessageA(g_drag.bar, WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    KillTimer(nullptr, id);
  }
}

CRect WindowRectIn(CWnd& wnd, CWnd& in)
{
    CRect rc;
    wnd.GetWindowRect(rc);
    in.ScreenToClient(rc);
    return rc;
}

class SizingControlBarTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    app = AfxGetApp();
    ClearProfile();
    ASSERT_TRUE(frame.Create("Sizing bars", CRect(40, 40, 640, 440)));
    ASSERT_TRUE(frame->CreateBars());
    frame.Show();
    Layout();
  }
  void TearDown() override
  {
    frame.Destroy();
    ClearProfile();
  }
  void ClearProfile()
  {
    for (UINT id : {kFirstId, kSecondId}) {
      CString section;
      section.Format("%s-SCBar-%d", kProfile, id);
      app->WriteProfileString(section, nullptr, nullptr);
    }
  }
  void Layout()
  {
    frame->RecalcLayout();
    PumpMessagesFor(30);
    frame->RecalcLayout();
  }
  CSizingControlBar& Bar(int i) { return frame->m_bar[i]; }
  CRect Rect(int i) { return WindowRectIn(Bar(i), *frame.operator CBarFrame*()); }
  LRESULT HitTest(int i, CPoint ptInWindow)
  {
    CRect rc;
    Bar(i).GetWindowRect(rc);
    return Bar(i).SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.left + ptInWindow.x, rc.top + ptInWindow.y));
  }
  // The middle of a sizable edge, in window coordinates.
  CPoint EdgeMiddle(int i, UINT nHitTest)
  {
    CRect rc = Rect(i);
    const int edge = Bar(i).m_cxEdge;
    switch (nHitTest) {
      case HTRIGHT: return CPoint((rc.Width() - edge + rc.Width()) / 2, rc.Height() / 2);
      case HTLEFT: return CPoint(edge / 2, rc.Height() / 2);
      case HTBOTTOM: return CPoint(rc.Width() / 2, (rc.Height() - edge + rc.Height()) / 2);
      default: return CPoint(rc.Width() / 2, edge / 2);
    }
  }
  // Drags an edge as the mouse does: a press on the non-client edge, moves
  // that the captured bar receives, and a release.
  void DragEdge(int i, UINT nHitTest, CPoint ptInWindow, CSize move)
  {
    CRect rc;
    Bar(i).GetWindowRect(rc);
    CPoint ptScreen(rc.left + ptInWindow.x, rc.top + ptInWindow.y);
    Bar(i).SendMessage(WM_NCLBUTTONDOWN, nHitTest, MAKELPARAM(ptScreen.x, ptScreen.y));
    ASSERT_TRUE(Bar(i).IsTracking());
    ASSERT_EQ(::GetCapture(), Bar(i).m_hWnd);
    for (int step = 1; step <= 4; ++step) {
      CPoint pt(ptScreen.x + move.cx * step / 4, ptScreen.y + move.cy * step / 4);
      Bar(i).ScreenToClient(&pt);
      Bar(i).SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    CPoint ptEnd(ptScreen.x + move.cx, ptScreen.y + move.cy);
    Bar(i).ScreenToClient(&ptEnd);
    Bar(i).SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptEnd.x, ptEnd.y));
    EXPECT_FALSE(Bar(i).IsTracking());
    Layout();
  }

  // Presses the bar's client area at (30, 30) and drags to ptTo (screen).
  void DragBar(int i, CPoint ptTo)
  {
    CPoint ptFrom(30, 30);
    Bar(i).ClientToScreen(&ptFrom);
    g_drag = {Bar(i).m_hWnd, ptFrom, ptTo, 0};
    SetCursorPos(ptFrom.x, ptFrom.y);
    UINT_PTR timer = SetTimer(nullptr, 0, 20, &DragStep);
    Bar(i).SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_drag.step, kDragSteps);
    Layout();
  }

  CWinApp* app = nullptr;
  CScopedFrame<CBarFrame> frame;
};

TEST_F(SizingControlBarTest, TwoBarsShareTheirRow)
{
  CRect client;
  frame->GetClientRect(client);
  CRect one = Rect(0), two = Rect(1);
  EXPECT_TRUE(Bar(0).IsHorzDocked());
  EXPECT_TRUE(Bar(1).IsHorzDocked());
  EXPECT_EQ(one.top, two.top);                 // one row
  EXPECT_EQ(one.Height(), two.Height());
  EXPECT_EQ(one.right - 2, two.left);          // overlapping by 2
  EXPECT_LE(one.left, client.left + 2);
  EXPECT_GE(two.right, client.right - 2);      // together they fill it
  if (const char* hold = getenv("CONTROLS_TEST_HOLD_MS")) Sleep((DWORD)atoi(hold));
}

TEST_F(SizingControlBarTest, HitTestsFindTheSizableEdgesAndTheCloseBox)
{
  CRect one = Rect(0), two = Rect(1);
  // The first bar: its right edge (shared) and its bottom edge; not its left.
  EXPECT_EQ(HitTest(0, CPoint(one.Width() - 2, one.Height() / 2)), HTRIGHT);
  EXPECT_EQ(HitTest(0, CPoint(one.Width() / 2, one.Height() - 2)), HTBOTTOM);
  EXPECT_EQ(HitTest(0, CPoint(1, one.Height() / 2)), HTCLIENT);
  // The second: the shared edge on its left, no right edge.
  EXPECT_EQ(HitTest(1, CPoint(2, two.Height() / 2)), HTLEFT);
  EXPECT_EQ(HitTest(1, CPoint(two.Width() - 2, two.Height() / 2)), HTCLIENT);
  // The close box sits at the top of the gripper strip.
  EXPECT_EQ(HitTest(0, CPoint(5 + 5, 5 + 5)), HTCLOSE);
  EXPECT_EQ(HitTest(0, CPoint(one.Width() / 2, one.Height() / 2)), HTCLIENT);
}

TEST_F(SizingControlBarTest, DraggingTheSharedEdgeMovesBothAndTheOuterEdgeTheRow)
{
  CRect one = Rect(0), two = Rect(1);
  DragEdge(0, HTRIGHT, EdgeMiddle(0, HTRIGHT), CSize(40, 0));
  CRect one2 = Rect(0), two2 = Rect(1);
  EXPECT_EQ(one2.Width(), one.Width() + 40);
  EXPECT_EQ(two2.Width(), two.Width() - 40);
  EXPECT_EQ(two2.right, two.right);

  DragEdge(1, HTBOTTOM, EdgeMiddle(1, HTBOTTOM), CSize(0, 30));
  EXPECT_EQ(Rect(0).Height(), one.Height() + 30);
  EXPECT_EQ(Rect(1).Height(), two.Height() + 30);

  // Neither gives up its minimum.
  DragEdge(0, HTRIGHT, EdgeMiddle(0, HTRIGHT), CSize(2000, 0));
  EXPECT_GE(Rect(1).Width(), Bar(1).m_szMin.cx);
}

TEST_F(SizingControlBarTest, TheCloseBoxHidesTheBar)
{
  CRect rc;
  Bar(0).GetWindowRect(rc);
  LPARAM at = MAKELPARAM(rc.left + 10, rc.top + 10);
  ASSERT_EQ(Bar(0).SendMessage(WM_NCHITTEST, 0, at), HTCLOSE);
  Bar(0).SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, at);
  Bar(0).SendMessage(WM_NCLBUTTONUP, HTCLOSE, at);
  Layout();
  EXPECT_FALSE(Bar(0).IsWindowVisible());
  // The other takes the whole row.
  CRect client;
  frame->GetClientRect(client);
  EXPECT_LE(Rect(1).left, client.left + 2);
}

TEST_F(SizingControlBarTest, IsDraggedOutToFloatAndBackToAnotherSide)
{
  // Dragged out of the frame, the second bar floats in a frame of its own.
  CRect rcFrame;
  frame->GetWindowRect(rcFrame);
  DragBar(1, CPoint(rcFrame.right + 150, rcFrame.bottom - 60));
  ASSERT_TRUE(Bar(1).IsFloating());
  CFrameWnd* pMini = Bar(1).GetParentFrame();
  ASSERT_NE(pMini, nullptr);
  EXPECT_NE(pMini->m_hWnd, frame->m_hWnd);
  // Floating: no gripper, no close box, the default hit test.
  CRect rcWindow, rcClient;
  Bar(1).GetWindowRect(rcWindow);
  Bar(1).GetClientRect(rcClient);
  Bar(1).ClientToScreen(rcClient);
  EXPECT_EQ(rcClient.left - rcWindow.left, 5);
  EXPECT_EQ(rcClient.top - rcWindow.top, 5);
  EXPECT_EQ(Bar(1).SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWindow.left + 10, rcWindow.top + 10)), HTCLIENT);
  EXPECT_EQ(rcWindow.Size(), Bar(1).m_szFloat);
  // The first bar has the top row to itself.
  CRect client;
  frame->GetClientRect(client);
  EXPECT_GE(Rect(0).right, client.right - 2);

  // Dragged onto the frame's left side, it docks there upright and is sized
  // on its right edge.
  CRect rcClientScreen = client;
  frame->ClientToScreen(rcClientScreen);
  DragBar(1, CPoint(rcClientScreen.left + 4, rcClientScreen.CenterPoint().y));
  ASSERT_TRUE(Bar(1).IsVertDocked());
  CRect two = Rect(1);
  EXPECT_EQ(HitTest(1, EdgeMiddle(1, HTRIGHT)), HTRIGHT);
  EXPECT_EQ(two.Width(), Bar(1).m_szVert.cx);
  if (const char* hold = getenv("CONTROLS_TEST_HOLD_MS")) Sleep((DWORD)atoi(hold));

  // A double click floats it again.
  Bar(1).SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 30));
  Layout();
  EXPECT_TRUE(Bar(1).IsFloating());
}

TEST_F(SizingControlBarTest, KeepsItsSizesInTheProfile)
{
  Bar(0).m_szHorz = CSize(250, 90);
  Bar(0).m_szVert = CSize(140, 300);
  Bar(0).m_szFloat = CSize(222, 111);
  CSizingControlBar::GlobalSaveState(kProfile);
  CString section;
  section.Format("%s-SCBar-%d", kProfile, kFirstId);
  EXPECT_EQ(app->GetProfileInt(section, "sizeHorzCX", -1), 250u);
  EXPECT_EQ(app->GetProfileInt(section, "sizeHorzCY", -1), 90u);
  EXPECT_EQ(app->GetProfileInt(section, "sizeVertCX", -1), 140u);
  EXPECT_EQ(app->GetProfileInt(section, "sizeVertCY", -1), 300u);
  EXPECT_EQ(app->GetProfileInt(section, "sizeFloatCX", -1), 222u);
  EXPECT_EQ(app->GetProfileInt(section, "sizeFloatCY", -1), 111u);

  // Too small a stored value loads as the minimum; a missing one keeps the size.
  app->WriteProfileInt(section, "sizeVertCX", 10);
  app->WriteProfileString(section, "sizeFloatCY", nullptr);
  Bar(0).m_szHorz = Bar(0).m_szVert = CSize(60, 60);
  Bar(0).m_szFloat = CSize(77, 88);
  Bar(0).LoadState(kProfile);
  EXPECT_EQ(Bar(0).m_szHorz, CSize(250, 90));
  EXPECT_EQ(Bar(0).m_szVert, CSize(33, 300));
  EXPECT_EQ(Bar(0).m_szFloat, CSize(222, 88));
}

TEST_F(SizingControlBarTest, ARowTooShortForBothMovesOneToARowOfItsOwn)
{
  Bar(0).m_szMin.cx = 400;
  Bar(1).m_szMin.cx = 400;
  frame->SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  CRect a = Rect(0), b = Rect(1);
  EXPECT_TRUE(a.top >= b.bottom - 2 || b.top >= a.bottom - 2) << "rows " << a.top << " and " << b.top;
}

}  // namespace
