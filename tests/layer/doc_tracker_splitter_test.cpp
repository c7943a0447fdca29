// A rectangle tracker moved and sized by real mouse messages in its capture
// loop, and a static splitter with two panes that keeps its column sizes
// and whose bar is dragged to a new size.
#include <afxwin.h>
#include <afxext.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "testsupport.h"

namespace {

// A visible window the tracker runs in; messages are queued before Track
// runs, as the mouse would send them.
class TrackerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "tracker", WS_POPUP | WS_VISIBLE, 40, 40, 300,
                                   240, NULL, NULL));
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    void Queue(UINT message, int x, int y, WPARAM wParam = 0)
    {
        m_wnd.PostMessage(message, wParam, MAKELPARAM(x, y));
    }
    // The cursor stands where the button went down.
    void PressAt(CPoint point)
    {
        CPoint ptScreen = point;
        m_wnd.ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
    }

    CWnd m_wnd;
};

// Counts the frames drawn and taken away.
class CCountingTracker : public CRectTracker
{
public:
    using CRectTracker::CRectTracker;
    int m_nDrawn = 0, m_nErased = 0, m_nFinal = 0, m_nChanged = 0;

    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override
    {
        if (m_bFinalErase)
            m_nFinal++;
        else if (m_bErase)
            m_nErased++;
        else
            m_nDrawn++;
        CRectTracker::DrawTrackerRect(lpRect, pWndClipTo, pDC, pWnd);
    }
    void OnChangedRect(const CRect&) override { m_nChanged++; }
};

TEST_F(TrackerTest, HandlesAreHitWhereTheyAreDrawn)
{
    CRectTracker tracker(CRect(50, 50, 150, 120), CRectTracker::solidLine | CRectTracker::resizeInside);
    EXPECT_EQ(tracker.m_nHandleSize, 4);
    CRect rectTrue;
    tracker.GetTrueRect(&rectTrue);
    EXPECT_EQ(rectTrue, CRect(49, 49, 151, 121));   // the line is one pixel outside
    EXPECT_EQ(tracker.GetHandleMask(), 0xFFu);

    struct Case { CPoint point; int hit; };
    const Case cases[] = {
        {{50, 50}, CRectTracker::hitTopLeft},    {{149, 51}, CRectTracker::hitTopRight},
        {{149, 119}, CRectTracker::hitBottomRight}, {{51, 119}, CRectTracker::hitBottomLeft},
        {{100, 50}, CRectTracker::hitTop},       {{149, 85}, CRectTracker::hitRight},
        {{100, 119}, CRectTracker::hitBottom},   {{50, 85}, CRectTracker::hitLeft},
        {{100, 85}, CRectTracker::hitMiddle},    {{20, 20}, CRectTracker::hitNothing},
        {{160, 85}, CRectTracker::hitNothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.point.x << "," << c.point.y;

    // a small rectangle has only its corners
    CRectTracker small(CRect(10, 10, 20, 20), CRectTracker::resizeInside);
    EXPECT_EQ(small.GetHandleMask(), 0x0Fu);
    // an inverted rectangle shows its handles where they look
    CRectTracker inverted(CRect(150, 120, 50, 50), CRectTracker::resizeInside);
    EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitBottomRight);
    EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitLeft), CRectTracker::hitRight);

    // the cursor over a handle is the sizing cursor of its direction
    m_wnd.ShowWindow(SW_SHOW);
    PressAt(CPoint(149, 119));
    EXPECT_TRUE(tracker.SetCursor(&m_wnd, HTCLIENT));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_SIZENWSE));
    EXPECT_FALSE(tracker.SetCursor(&m_wnd, HTCAPTION));
    PressAt(CPoint(20, 20));
    EXPECT_FALSE(tracker.SetCursor(&m_wnd, HTCLIENT));
}

TEST_F(TrackerTest, DraggingACornerSizesTheRectangleUntilTheButtonGoesUp)
{
    CCountingTracker tracker(CRect(50, 50, 150, 120), CRectTracker::solidLine | CRectTracker::resizeInside);
    PressAt(CPoint(149, 119));
    Queue(WM_MOUSEMOVE, 199, 149, MK_LBUTTON);
    Queue(WM_MOUSEMOVE, 189, 139, MK_LBUTTON);
    Queue(WM_LBUTTONUP, 209, 159);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(149, 119)));
    EXPECT_EQ(tracker.m_rect, CRect(50, 50, 210, 160));   // the press was one pixel inside the corner
    EXPECT_EQ(tracker.m_nDrawn, 2);                       // a frame per move...
    EXPECT_EQ(tracker.m_nErased, 1);                      // ...the one before taken away
    EXPECT_EQ(tracker.m_nFinal, 1);                       // and the last one at the end
    EXPECT_NE(::GetCapture(), m_wnd.m_hWnd);
}

TEST_F(TrackerTest, MovingKeepsTheSizeAndEscapeOrTheRightButtonPutsItBack)
{
    CRectTracker tracker(CRect(50, 50, 150, 120), CRectTracker::dottedLine | CRectTracker::resizeOutside);
    PressAt(CPoint(100, 85));
    Queue(WM_MOUSEMOVE, 130, 95);
    Queue(WM_LBUTTONUP, 140, 105);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(100, 85)));
    EXPECT_EQ(tracker.m_rect, CRect(90, 70, 190, 140));

    const CRect rectBefore = tracker.m_rect;
    Queue(WM_MOUSEMOVE, 10, 10);
    Queue(WM_KEYDOWN, 0, 0, VK_ESCAPE);
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(140, 105)));
    EXPECT_EQ(tracker.m_rect, rectBefore);
    Queue(WM_MOUSEMOVE, 10, 10);
    Queue(WM_RBUTTONDOWN, 10, 10);
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(140, 105)));
    EXPECT_EQ(tracker.m_rect, rectBefore);

    // a press off the rectangle does not track at all
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(5, 5)));
}

TEST_F(TrackerTest, SizingKeepsTheMinimumSizeUnlessInvertingIsAllowed)
{
    CRectTracker tracker(CRect(50, 50, 150, 120), CRectTracker::resizeInside);
    PressAt(CPoint(149, 119));
    Queue(WM_MOUSEMOVE, 100, 100);
    Queue(WM_LBUTTONUP, 20, 30);   // past the opposite corner
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(149, 119)));
    EXPECT_EQ(tracker.m_rect, CRect(50, 50, 50 + tracker.m_sizeMin.cx, 50 + tracker.m_sizeMin.cy));

    tracker.m_rect.SetRect(50, 50, 150, 120);
    Queue(WM_MOUSEMOVE, 100, 100);
    Queue(WM_LBUTTONUP, 20, 30);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(149, 119), TRUE));
    EXPECT_EQ(tracker.m_rect, CRect(50, 50, 21, 31));   // inverted
    CRect rectTrue;
    tracker.GetTrueRect(&rectTrue);
    EXPECT_EQ(rectTrue, CRect(21, 31, 50, 50));

    // the button going up without a move changes nothing
    tracker.m_rect.SetRect(50, 50, 150, 120);
    Queue(WM_LBUTTONUP, 20, 30);
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(149, 119)));
    EXPECT_EQ(tracker.m_rect, CRect(50, 50, 150, 120));

    // a rubber band starts at the press
    CRectTracker band;
    PressAt(CPoint(30, 30));
    Queue(WM_MOUSEMOVE, 60, 50);
    Queue(WM_LBUTTONUP, 90, 70);
    EXPECT_TRUE(band.TrackRubberBand(&m_wnd, CPoint(30, 30)));
    EXPECT_EQ(band.m_rect, CRect(30, 30, 90, 70));
}

// With handles outside the rectangle, only the handles and the inside grab
// between them; a hatched border grabs all round, as a move.
TEST_F(TrackerTest, OutsideHandlesGrabOnlyOnThemselvesAndAHatchedBorderGrabsAllRound)
{
    const CRect rect(50, 50, 150, 120);
    CRectTracker plain(rect, CRectTracker::resizeOutside);
    CRectTracker hatched(rect, CRectTracker::resizeOutside | CRectTracker::hatchedBorder);
    const int nSize = plain.GetHandleSize();
    ASSERT_GT(nSize, 1);
    struct Case { CPoint point; int nPlain; int nHatched; };
    const Case cases[] = {
        {{48, 48}, CRectTracker::hitTopLeft, CRectTracker::hitTopLeft},
        {{100, 48}, CRectTracker::hitTop, CRectTracker::hitTop},
        {{75, 50 - 2}, CRectTracker::hitNothing, CRectTracker::hitMiddle},   // between handles, above
        {{150 + 1, 70}, CRectTracker::hitNothing, CRectTracker::hitMiddle},  // between handles, right
        {{75, 120 + 1}, CRectTracker::hitNothing, CRectTracker::hitMiddle},  // between handles, below
        {{100, 85}, CRectTracker::hitMiddle, CRectTracker::hitMiddle},
        {{20, 20}, CRectTracker::hitNothing, CRectTracker::hitNothing},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plain.HitTest(c.point), c.nPlain) << c.point.x << "," << c.point.y;
        EXPECT_EQ(hatched.HitTest(c.point), c.nHatched) << c.point.x << "," << c.point.y;
    }
    // a press between the handles moves only a hatched tracker
    PressAt(CPoint(75, 48));
    Queue(WM_MOUSEMOVE, 85, 58);
    Queue(WM_LBUTTONUP, 95, 68);
    EXPECT_TRUE(hatched.Track(&m_wnd, CPoint(75, 48)));
    EXPECT_EQ(hatched.m_rect, CRect(70, 70, 170, 140));
    Queue(WM_LBUTTONUP, 95, 68);   // ends the loop should a plain one track
    EXPECT_FALSE(plain.Track(&m_wnd, CPoint(75, 48)));
    EXPECT_EQ(plain.m_rect, rect);
    MSG msg;
    while (::PeekMessage(&msg, m_wnd.m_hWnd, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
}

// A window that records the messages it is sent to, and takes the mouse
// capture from a tracker when told to.
class CCaptureThief : public CWnd
{
public:
    std::vector<UINT> m_received;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_APP)
            ::ReleaseCapture();
        if (nMsg >= WM_APP)
            m_received.push_back(nMsg);
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

// Before: the message fetched when the capture was found gone was dropped.
TEST_F(TrackerTest, LosingTheCaptureEndsTheLoopAndKeepsTheMessage)
{
    CCaptureThief thief;
    ASSERT_TRUE(thief.CreateEx(0, AfxRegisterWndClass(0), "thief", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    CRectTracker tracker(CRect(50, 50, 150, 120), CRectTracker::solidLine | CRectTracker::resizeInside);
    PressAt(CPoint(100, 85));
    Queue(WM_MOUSEMOVE, 110, 95);
    thief.PostMessage(WM_APP);       // the capture goes here
    thief.PostMessage(WM_APP + 1);   // fetched next, with the capture gone
    Queue(WM_MOUSEMOVE, 130, 95);
    tracker.Track(&m_wnd, CPoint(100, 85));
    EXPECT_EQ(thief.m_received, std::vector<UINT>({WM_APP, WM_APP + 1}));
    EXPECT_NE(::GetCapture(), m_wnd.m_hWnd);
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
    thief.DestroyWindow();
}

// ---------------------------------------------------------------------------
// A static splitter with two panes side by side
// ---------------------------------------------------------------------------

class CPaneView : public CView
{
    DECLARE_DYNCREATE(CPaneView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

class CSplitFrame : public CFrameWnd
{
public:
    CSplitterWnd m_splitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_splitter.CreateStatic(this, 1, 2) &&
               m_splitter.CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(120, 100), pContext) &&
               m_splitter.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(100, 100), pContext);
    }
};

int ColumnWidth(const CSplitterWnd& splitter, int col)
{
    int cx = 0, cxMin = 0;
    splitter.GetColumnInfo(col, cx, cxMin);
    return cx;
}

CRect PaneRect(const CSplitterWnd& splitter, int col)
{
    CRect rect;
    splitter.GetPane(0, col)->GetWindowRect(&rect);
    splitter.ScreenToClient(&rect);
    return rect;
}

TEST(Splitter, StaticPanesKeepTheirColumnSizesAndTheBarDragsToANewOne)
{
    CSplitFrame* pFrame = new CSplitFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    CSplitterWnd& splitter = pFrame->m_splitter;
    ASSERT_EQ(splitter.GetRowCount(), 1);
    ASSERT_EQ(splitter.GetColumnCount(), 2);
    ASSERT_NE(splitter.GetPane(0, 0), nullptr);
    ASSERT_NE(splitter.GetPane(0, 1), nullptr);
    EXPECT_EQ(splitter.GetPane(0, 1)->GetDlgCtrlID(), splitter.IdFromRowCol(0, 1));
    EXPECT_EQ(splitter.IdFromRowCol(0, 1), AFX_IDW_PANE_FIRST + 1);
    EXPECT_TRUE(splitter.GetPane(0, 0)->IsKindOf(RUNTIME_CLASS(CPaneView)));
    int row = -1, col = -1;
    EXPECT_TRUE(splitter.IsChildPane(splitter.GetPane(0, 1), &row, &col));
    EXPECT_EQ(col, 1);
    EXPECT_FALSE(splitter.IsChildPane(pFrame, &row, &col));

    // the first column has its ideal size, the last the rest, a bar between
    CRect rectClient;
    splitter.GetClientRect(&rectClient);
    const int nGap = splitter.m_cxSplitterGap, nBorder = splitter.m_cxBorder;
    EXPECT_EQ(ColumnWidth(splitter, 0), 120);
    EXPECT_EQ(ColumnWidth(splitter, 1), rectClient.Width() - 2 * nBorder - nGap - 120);
    EXPECT_EQ(PaneRect(splitter, 0), CRect(nBorder, nBorder, nBorder + 120, rectClient.bottom - nBorder));
    EXPECT_EQ(PaneRect(splitter, 1).left, nBorder + 120 + nGap);
    int cyCur = 0, cyMin = -1;
    splitter.GetRowInfo(0, cyCur, cyMin);
    EXPECT_EQ(cyCur, rectClient.Height() - 2 * nBorder);
    EXPECT_EQ(cyMin, 0);

    // a wider frame widens only the last column
    pFrame->SetWindowPos(NULL, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ColumnWidth(splitter, 0), 120);
    splitter.GetClientRect(&rectClient);
    EXPECT_EQ(ColumnWidth(splitter, 1), rectClient.Width() - 2 * nBorder - nGap - 120);

    // the bar dragged 60 pixels to the right with real messages
    const CPoint ptBar(nBorder + 120 + nGap / 2, 50);
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptBar.x, ptBar.y));
    EXPECT_TRUE(splitter.IsTracking());
    EXPECT_EQ(::GetCapture(), splitter.m_hWnd);
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptBar.x + 30, ptBar.y));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptBar.x + 60, ptBar.y + 20));
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptBar.x + 60, ptBar.y + 20));
    EXPECT_FALSE(splitter.IsTracking());
    EXPECT_EQ(ColumnWidth(splitter, 0), 180);
    EXPECT_EQ(PaneRect(splitter, 0).Width(), 180);
    EXPECT_EQ(PaneRect(splitter, 1).left, nBorder + 180 + nGap);

    // Escape while dragging leaves the sizes alone
    const CPoint ptBar2(nBorder + 180 + nGap / 2, 50);
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptBar2.x, ptBar2.y));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptBar2.x - 100, ptBar2.y));
    splitter.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(splitter.IsTracking());
    EXPECT_NE(::GetCapture(), splitter.m_hWnd);
    EXPECT_EQ(ColumnWidth(splitter, 0), 180);

    // the bar cannot be dragged past the panes it separates; dragged to the
    // end it leaves no room for the last column, which is hidden, and the
    // first takes the room but for the bar less the border it shared
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptBar2.x, ptBar2.y));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2000, ptBar2.y));
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2000, ptBar2.y));
    EXPECT_EQ(ColumnWidth(splitter, 1), 0);
    EXPECT_EQ(ColumnWidth(splitter, 0), rectClient.Width() - 2 * nBorder - (nGap - afxData.cxBorder2));

    // sizes set by the program (a stored layout) apply at the next layout;
    // an ideal size below the minimum hides the column
    splitter.SetColumnInfo(0, 60, 10);
    splitter.RecalcLayout();
    EXPECT_EQ(ColumnWidth(splitter, 0), 60);
    int cxCur = 0, cxMin = 0;
    splitter.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(cxMin, 10);
    splitter.SetColumnInfo(0, 5, 10);
    splitter.RecalcLayout();
    EXPECT_EQ(ColumnWidth(splitter, 0), 0);
    EXPECT_EQ(ColumnWidth(splitter, 1), rectClient.Width() - 2 * nBorder - nGap);

    // the active pane is the frame's active view
    splitter.SetActivePane(0, 1);
    EXPECT_EQ(pFrame->GetActiveView(), splitter.GetPane(0, 1));
    EXPECT_EQ(splitter.GetActivePane(&row, &col), splitter.GetPane(0, 1));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(CView::GetParentSplitter(splitter.GetPane(0, 1), TRUE), &splitter);
    EXPECT_EQ(CView::GetParentSplitter(pFrame, TRUE), nullptr);
    pFrame->DestroyWindow();
}

// Before: indexes were not checked and negative sizes went into the layout.
// The id of a pane keeps 16 columns to a row, so a splitter has at most 16.
TEST(Splitter, RowAndColumnIndexesOutOfRangeAreRefusedAndSizesStayAtLeastZero)
{
    CSplitFrame* pFrame = new CSplitFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
    pFrame->RecalcLayout();
    CSplitterWnd& splitter = pFrame->m_splitter;
    for (int index : {-1, 1, 1000}) {
        splitter.SetRowInfo(index, 77, 55);
        int cy = -7, cyMin = -7;
        splitter.GetRowInfo(index, cy, cyMin);
        EXPECT_EQ(cy, 0) << index;
        EXPECT_EQ(cyMin, 0) << index;
    }
    for (int index : {-1, 2, 1000}) {
        splitter.SetColumnInfo(index, 77, 55);
        int cx = -7, cxMin = -7;
        splitter.GetColumnInfo(index, cx, cxMin);
        EXPECT_EQ(cx, 0) << index;
        EXPECT_EQ(cxMin, 0) << index;
    }
    EXPECT_EQ(splitter.GetPane(0, 2), nullptr);
    EXPECT_EQ(splitter.GetPane(-1, 0), nullptr);
    EXPECT_EQ(splitter.GetPane(0, -1), nullptr);
    EXPECT_FALSE(CSplitterWnd().CreateStatic(pFrame, 1, 17));

    splitter.SetColumnInfo(0, -50, -10);
    splitter.SetRowInfo(0, -40, -20);
    int cx = 0, cxMin = -7, cy = 0, cyMin = -7;
    splitter.GetColumnInfo(0, cx, cxMin);
    splitter.GetRowInfo(0, cy, cyMin);
    EXPECT_EQ(cxMin, 0);
    EXPECT_EQ(cyMin, 0);
    splitter.RecalcLayout();
    splitter.GetColumnInfo(0, cx, cxMin);
    EXPECT_EQ(cx, 0);   // hidden, as an ideal size of 0 hides it
    EXPECT_GE(ColumnWidth(splitter, 1), 0);
    EXPECT_GE(PaneRect(splitter, 1).Width(), 0);
    pFrame->DestroyWindow();
}

// Two panes stacked: the rows' own way through the same rules.
class CStackFrame : public CFrameWnd
{
public:
    CSplitterWnd m_splitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_splitter.CreateStatic(this, 2, 1) &&
               m_splitter.CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(100, 120), pContext) &&
               m_splitter.CreateView(1, 0, RUNTIME_CLASS(CPaneView), CSize(100, 100), pContext);
    }
};

// A pane at exactly its minimum is shown; one pixel less hides it. That
// holds for a size set by the program, for a bar let go there, and for the
// room left to the last pane; along either axis.
TEST(Splitter, APaneAtExactlyItsMinimumIsShownAndOnePixelLessHidesIt)
{
    const int kMin = 40;
    for (bool bColumns : {true, false}) {
        SCOPED_TRACE(bColumns ? "columns" : "rows");
        CFrameWnd* pFrame = bColumns ? (CFrameWnd*)new CSplitFrame : (CFrameWnd*)new CStackFrame;
        ASSERT_TRUE(pFrame->Create(NULL, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400)));
        pFrame->ShowWindow(SW_SHOW);
        pFrame->RecalcLayout();
        CSplitterWnd& splitter = bColumns ? ((CSplitFrame*)pFrame)->m_splitter : ((CStackFrame*)pFrame)->m_splitter;
        auto setInfo = [&](int i, int nIdeal, int nMin) {
            if (bColumns)
                splitter.SetColumnInfo(i, nIdeal, nMin);
            else
                splitter.SetRowInfo(i, nIdeal, nMin);
            splitter.RecalcLayout();
        };
        auto size = [&](int i) {
            int nCur = -1, nMin = -1;
            if (bColumns)
                splitter.GetColumnInfo(i, nCur, nMin);
            else
                splitter.GetRowInfo(i, nCur, nMin);
            return nCur;
        };
        const int nGap = bColumns ? splitter.m_cxSplitterGap : splitter.m_cySplitterGap;
        const int nBorder = bColumns ? splitter.m_cxBorder : splitter.m_cyBorder;
        CRect rectClient;
        splitter.GetClientRect(&rectClient);
        const int nInside = (bColumns ? rectClient.Width() : rectClient.Height()) - 2 * nBorder;

        setInfo(0, kMin, kMin);
        EXPECT_EQ(size(0), kMin) << "set to its minimum";
        setInfo(0, kMin - 1, kMin);
        EXPECT_EQ(size(0), 0) << "set below its minimum";

        // the bar dragged from 120 to the minimum, then one pixel further
        for (int nTo : {kMin, kMin - 1}) {
            setInfo(0, 120, kMin);
            ASSERT_EQ(size(0), 120);
            const int nBar = nBorder + 120 + nGap / 2, nAcross = 50;
            auto at = [&](int nAlong) {
                return bColumns ? MAKELPARAM(nAlong, nAcross) : MAKELPARAM(nAcross, nAlong);
            };
            splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(nBar));
            ASSERT_TRUE(splitter.IsTracking());
            splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(nBar - 120 + nTo));
            splitter.SendMessage(WM_LBUTTONUP, 0, at(nBar - 120 + nTo));
            EXPECT_EQ(size(0), nTo == kMin ? kMin : 0) << "dragged to " << nTo;
        }

        // the last pane left exactly its minimum, then one pixel less
        const int nLeft = nInside - 120 - nGap;
        setInfo(0, 120, 0);
        setInfo(1, 0, nLeft);
        EXPECT_EQ(size(1), nLeft) << "left its minimum";
        EXPECT_EQ(size(0), 120);
        setInfo(1, 0, nLeft + 1);
        EXPECT_EQ(size(1), 0) << "left less than its minimum";
        pFrame->DestroyWindow();
    }
}

}  // namespace
