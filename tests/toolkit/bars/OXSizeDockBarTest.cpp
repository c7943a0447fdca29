// Sizing bars in size dock bars: the row rules as tables (metrics, shares,
// signatures, splitter moves, maximize, which dock bar a point picks, the
// drag offset and threshold, the profile record, window arrangement), then
// real bars in a real size-dock frame: layouts with their splitters,
// maximize in row, the own drag started by real mouse messages, and the
// sizes saved to and read back from the profile.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "OXCoolToolBar.h"
#include "OXDockbarSkin.h"
#include "OXFrameWndDock.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

OXROWBAR Sizing(int nLength, int nThickness = 100)
{
    return OXROWBAR{nLength, nThickness, TRUE, TRUE, FALSE, 0, 0};
}
OXROWBAR Fixed(int nLength, int nThickness = 30)
{
    return OXROWBAR{nLength, nThickness, TRUE, FALSE, FALSE, 0, 0};
}
OXROWBAR SizeTool(int nLength, int nThickness = 30)
{
    return OXROWBAR{nLength, nThickness, TRUE, TRUE, TRUE, 0, 0};
}
OXROWBAR Hidden(OXROWBAR b)
{
    b.bVisible = FALSE;
    return b;
}

std::vector<int> Lengths(const std::vector<OXROWBAR>& row)
{
    std::vector<int> v;
    for (const OXROWBAR& b : row)
        v.push_back(b.nLength);
    return v;
}

TEST(SizeDockRows, MetricsCountSplittersOnlyBetweenPlainSizingBars)
{
    struct Case
    {
        const char* name;
        std::vector<OXROWBAR> row;
        int nSizingLength, nFixedLength, nThickness, nFixedThickness, nSizingCount, nVisibleCount;
    } cases[] = {
        {"two sizing", {Sizing(100), Sizing(300)}, 400, 8, 100, 0, 2, 2},
        {"three sizing", {Sizing(10), Sizing(20), Sizing(30)}, 60, 16, 100, 0, 3, 3},
        {"tool bar between", {Sizing(100), Fixed(50), Sizing(100)}, 200, 50, 100, 30, 2, 3},
        {"size tool bar shares, no splitter", {Sizing(100), SizeTool(60)}, 160, 0, 100, 0, 2, 2},
        {"hidden bars count nowhere", {Sizing(100), Hidden(Sizing(90)), Sizing(50)}, 150, 8, 100, 0, 2, 2},
        {"negative thickness is 0", {Fixed(40, -5)}, 0, 40, 0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        OXROWMETRICS m = COXSizeDockBar::MeasureRow(c.row.data(), (int)c.row.size());
        EXPECT_EQ(c.nSizingLength, m.nSizingLength) << c.name;
        EXPECT_EQ(c.nFixedLength, m.nFixedLength) << c.name;
        EXPECT_EQ(c.nThickness, m.nThickness) << c.name;
        EXPECT_EQ(c.nFixedThickness, m.nFixedThickness) << c.name;
        EXPECT_EQ(c.nSizingCount, m.nSizingCount) << c.name;
        EXPECT_EQ(c.nVisibleCount, m.nVisibleCount) << c.name;
        EXPECT_EQ(c.nSizingLength + c.nFixedLength, m.nTotalLength) << c.name;
    }
}

TEST(SizeDockRows, ShareGivesLengthsInProportion)
{
    struct Case
    {
        const char* name;
        std::vector<OXROWBAR> row;
        int nLength;
        std::vector<int> expected;
    } cases[] = {
        // s = 800 + 2 * 2 - 8 = 796
        {"199 and 597", {Sizing(100), Sizing(300)}, 800, {199, 597}},
        {"a tool bar keeps its length", {Sizing(100), Fixed(50), Sizing(100)}, 400, {178, 50, 178}},
        {"all zero: the first takes all", {Sizing(0), Sizing(0)}, 100, {96, 0}},
        // s = 4 + 3 * 2 - 308 = -298: -149 each, raised by one
        {"a negative share is raised by one", {Sizing(100), Sizing(100), Fixed(300)}, 4, {-148, -148, 300}},
        // s = 200 + 2 * 2 - 8: the hidden bar neither shares nor counts
        {"a hidden bar keeps its length", {Sizing(100), Hidden(Sizing(70)), Sizing(100)}, 200, {98, 70, 98}},
    };
    for (const Case& c : cases) {
        std::vector<int> lengths = Lengths(c.row);
        ASSERT_TRUE(COXSizeDockBar::ShareLengths(c.row.data(), (int)c.row.size(), c.nLength, 2, lengths.data()))
            << c.name;
        EXPECT_EQ(c.expected, lengths) << c.name;
    }
    std::vector<OXROWBAR> tools = {Fixed(50), Fixed(60)};
    std::vector<int> lengths = Lengths(tools);
    EXPECT_FALSE(COXSizeDockBar::ShareLengths(tools.data(), 2, 500, 2, lengths.data()));
    // big lengths do not overflow the product
    std::vector<OXROWBAR> big = {Sizing(30000), Sizing(30000)};
    lengths = Lengths(big);
    COXSizeDockBar::ShareLengths(big.data(), 2, 30000, 2, lengths.data());
    EXPECT_EQ(std::vector<int>({14998, 14998}), lengths);
}

TEST(SizeDockRows, EqualizeSplitsTheRestAndSkipsRowsOfToolBars)
{
    std::vector<OXROWBAR> row = {Sizing(10), Fixed(100), Sizing(500), Sizing(3)};
    std::vector<int> lengths = Lengths(row);
    // s = 500 - 100 - 8 = 392: 130, 130 and the remainder 132
    ASSERT_TRUE(COXSizeDockBar::EqualLengths(row.data(), 4, 500, lengths.data()));
    EXPECT_EQ(std::vector<int>({130, 100, 130, 132}), lengths);

    std::vector<OXROWBAR> tools = {Fixed(100), Fixed(100)};
    lengths = Lengths(tools);
    EXPECT_FALSE(COXSizeDockBar::EqualLengths(tools.data(), 2, 500, lengths.data()));
    EXPECT_EQ(std::vector<int>({100, 100}), lengths);

    std::vector<OXROWBAR> narrow = {Sizing(100), Fixed(300)};
    lengths = Lengths(narrow);
    COXSizeDockBar::EqualLengths(narrow.data(), 2, 200, lengths.data());
    EXPECT_EQ(0, lengths[0]);
}

TEST(SizeDockRows, SignatureTellsRowsApart)
{
    // entries: -1 row end, 0 hidden, 1 bar, 2 sizing bar
    const std::vector<int> a = {-1, 2, 2, -1, 1, -1};
    const std::vector<int> b = {-1, 2, -1, 2, 1, -1};   // the second bar moved to the next row
    const std::vector<int> c = {-1, 2, 2, -1, 0, -1};   // the tool bar hidden
    const UINT sa = COXSizeDockBar::RowSignature(a.data(), (int)a.size());
    EXPECT_NE(sa, COXSizeDockBar::RowSignature(b.data(), (int)b.size()));
    EXPECT_NE(sa, COXSizeDockBar::RowSignature(c.data(), (int)c.size()));
    EXPECT_EQ(3u, sa & 0xFF);
    // a = ((0 + 1 + 1 + 1 + 2) * 2 + 1) * 2 = 22
    EXPECT_EQ(22u << 8 | 3u, sa);

    // forty rows double a forty times: a change in the last rows still shows
    std::vector<int> many;
    for (int i = 0; i < 40; ++i) {
        many.push_back(-1);
        many.push_back(2);
    }
    many.push_back(-1);
    const UINT s1 = COXSizeDockBar::RowSignature(many.data(), (int)many.size());
    many[many.size() - 2] = 0;
    EXPECT_NE(s1, COXSizeDockBar::RowSignature(many.data(), (int)many.size()));
}

TEST(SizeDockRows, SplitterMovesTakeFromTheNearestBarFirst)
{
    struct Case
    {
        const char* name;
        std::vector<OXROWBAR> row;
        int nSplitter, d;
        std::vector<int> expected;
        int nMoved;
    } cases[] = {
        {"-50 between two", {Sizing(200), Sizing(200)}, 1, -50, {150, 250}, -50},
        {"+50 between two", {Sizing(200), Sizing(200)}, 1, 50, {250, 150}, 50},
        {"never below 0", {Sizing(30), Sizing(200)}, 1, -50, {0, 230}, -30},
        {"nearest first, then the next", {Sizing(40), Sizing(20), Sizing(100)}, 2, -50, {10, 0, 150}, -50},
        {"the tool bar gives nothing", {Sizing(100), Fixed(30), Sizing(100)}, 2, -40, {60, 30, 140}, -40},
    };
    for (const Case& c : cases) {
        std::vector<int> lengths = Lengths(c.row);
        EXPECT_EQ(c.nMoved, COXSizeDockBar::MoveSplitterInRow(c.row.data(), (int)c.row.size(), c.nSplitter, c.d,
                                                              lengths.data()))
            << c.name;
        EXPECT_EQ(c.expected, lengths) << c.name;
    }
}

TEST(SizeDockRows, MaximizeLeavesStubsAndRowSplittersKeepTheirLimits)
{
    std::vector<OXROWBAR> row = {Sizing(200), Sizing(300), Sizing(100)};
    std::vector<int> lengths = Lengths(row);
    COXSizeDockBar::MaximizeLengths(row.data(), 3, 1, lengths.data());
    EXPECT_EQ(std::vector<int>({21, 558, 21}), lengths);

    OXROWMETRICS m = {};
    m.nThickness = 150;
    m.nFixedThickness = 30;
    struct Case
    {
        DWORD dwEdge;
        int cxMin, cyMin, nLimit;
    } cases[] = {
        {CBRS_ALIGN_LEFT, 0, 0, 200 - 150 + 30},  {CBRS_ALIGN_LEFT, 60, 0, 200 - 150 + 60},
        {CBRS_ALIGN_TOP, 0, 0, 80},               {CBRS_ALIGN_TOP, 0, 45, 95},
        {CBRS_ALIGN_RIGHT, 0, 0, 200 + 150 - 30}, {CBRS_ALIGN_RIGHT, 60, 0, 290},
        {CBRS_ALIGN_BOTTOM, 0, 0, 320},           {CBRS_ALIGN_BOTTOM, 0, 10, 320},
    };
    for (const Case& c : cases) {
        m.cxMinTrack = c.cxMin;
        m.cyMinTrack = c.cyMin;
        EXPECT_EQ(c.nLimit, COXSizeDockBar::RowSplitterLimit(c.dwEdge, 200, m)) << c.dwEdge << " " << c.cxMin;
    }
    m.cxMinTrack = m.cyMinTrack = 0;
    EXPECT_EQ(170, COXSizeDockBar::RowThicknessAfter(CBRS_ALIGN_TOP, m, 20));
    EXPECT_EQ(130, COXSizeDockBar::RowThicknessAfter(CBRS_ALIGN_BOTTOM, m, 20));
    EXPECT_EQ(30, COXSizeDockBar::RowThicknessAfter(CBRS_ALIGN_LEFT, m, -500));
}

TEST(SizeDockRows, PickDockBarTriesLeftRightTopBottomThenGrown)
{
    // left, right, top, bottom of an 800 x 600 frame
    const CRect rects[4] = {CRect(0, 30, 10, 570), CRect(790, 30, 800, 570), CRect(0, 0, 800, 30),
                            CRect(0, 570, 800, 600)};
    const BOOL all[4] = {TRUE, TRUE, TRUE, TRUE};
    struct Case
    {
        CPoint pt;
        int nExpected;
    } cases[] = {
        {CPoint(5, 300), 0},   {CPoint(795, 300), 1}, {CPoint(400, 10), 2}, {CPoint(400, 590), 3},
        {CPoint(5, 10), 2},     // in the top bar exactly, before the grown left one
        {CPoint(25, 300), 0},   // within 20 of the left bar
        {CPoint(400, 45), 2},   // within 20 below the top bar
        {CPoint(5, 560), 0},    // inside the left bar
        {CPoint(25, 565), 3},   // the grown left bar stops 28 short at its bottom
        {CPoint(400, 300), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nExpected, COXSizeDockBar::PickDockBar(rects, all, c.pt)) << c.pt.x << "," << c.pt.y;
    const BOOL noLeft[4] = {FALSE, TRUE, TRUE, TRUE};
    EXPECT_EQ(-1, COXSizeDockBar::PickDockBar(rects, noLeft, CPoint(25, 300)));
}

TEST(SizeBarDrag, OffsetAndThreshold)
{
    struct Case
    {
        CRect r;
        CPoint c;
        CSize sizeFloat;
        BOOL bHorz, bDocked;
        CPoint expected;
    } cases[] = {
        {CRect(0, 0, 200, 100), CPoint(100, 50), CSize(300, 200), FALSE, TRUE, CPoint(150, 10)},
        {CRect(0, 0, 200, 100), CPoint(0, 50), CSize(300, 200), FALSE, TRUE, CPoint(5, 10)},
        {CRect(0, 0, 200, 100), CPoint(200, 50), CSize(300, 200), FALSE, FALSE, CPoint(280, 50)},
        // docked along a horizontal edge the caption runs down the left
        {CRect(0, 0, 200, 100), CPoint(10, 25), CSize(300, 200), TRUE, TRUE, CPoint(225, 10)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, COXSizeControlBar::CalcDragOffset(c.r, c.c, c.sizeFloat, c.bHorz, c.bDocked));
    const CPoint down(50, 50);
    EXPECT_FALSE(COXSizeControlBar::IsBeyondDragThreshold(down, CPoint(53, 47)));
    EXPECT_TRUE(COXSizeControlBar::IsBeyondDragThreshold(down, CPoint(54, 50)));
    EXPECT_TRUE(COXSizeControlBar::IsBeyondDragThreshold(down, CPoint(50, 46)));
}

TEST(SizeDockProfile, RecordsOfAnotherLengthAreIgnoredAndSizesClamped)
{
    COXSizeControlBar bar(0);
    bar.m_FloatSize = CSize(1, 2);
    bar.m_HorzDockSize = CSize(3, 4);
    bar.m_VertDockSize = CSize(5, 6);
    OXBARSIZERECORD r = OXSizeDock::MakeRecord(&bar, TRUE);
    ASSERT_EQ(28u, sizeof(r));
    const LONG expected[7] = {1, 2, 3, 4, 5, 6, 1};
    EXPECT_EQ(0, memcmp(expected, &r, 28));
    EXPECT_EQ(CString("BarSize_59425"), OXSizeDock::RecordName(59425));

    BYTE bytes[29] = {};
    LONG values[7] = {-1, LONG_MAX, LONG_MIN, 40000, 300, 0, 7};
    memcpy(bytes, values, 28);
    OXBARSIZERECORD back;
    EXPECT_FALSE(OXSizeDock::ReadRecord(bytes, 27, back));
    EXPECT_FALSE(OXSizeDock::ReadRecord(bytes, 29, back));
    EXPECT_FALSE(OXSizeDock::ReadRecord(NULL, 28, back));
    ASSERT_TRUE(OXSizeDock::ReadRecord(bytes, 28, back));
    const LONG clamped[7] = {0, 32767, 0, 32767, 300, 0, 0};
    EXPECT_EQ(0, memcmp(clamped, &back, 28));
}

TEST(SizeDockArrange, WindowsGoInTheFirstBandThatFitsFromTheCorner)
{
    const CSize client(400, 300);
    const CSize sizes[4] = {CSize(200, 150), CSize(150, 100), CSize(150, 50), CSize(500, 10)};
    CPoint pos[4];
    BOOL placed[4];
    OXSizeDock::PlaceWindows(client, sizes, 4, 0x1 | 0x2 | 0x4, pos, placed);
    EXPECT_EQ(CPoint(0, 0), pos[0]);
    EXPECT_EQ(CPoint(200, 0), pos[1]);     // beside the first, in the band it opened
    EXPECT_EQ(CPoint(200, 100), pos[2]);   // under the second, still in the first band
    EXPECT_FALSE(placed[3]);               // wider than the client: keeps its place
    // from the bottom right the same places mirrored
    OXSizeDock::PlaceWindows(client, sizes, 3, 0, pos, placed);
    EXPECT_EQ(CPoint(200, 150), pos[0]);
    EXPECT_EQ(CPoint(50, 200), pos[1]);
    EXPECT_EQ(CPoint(50, 150), pos[2]);
    // from the top right
    OXSizeDock::PlaceWindows(client, sizes, 1, 0x1 | 0x2, pos, placed);
    EXPECT_EQ(CPoint(200, 0), pos[0]);
}

// ---------------------------------------------------------------------------
// Real bars in a real frame
// ---------------------------------------------------------------------------

const UINT kBarIds[4] = {AFX_IDW_CONTROLBAR_FIRST + 50, AFX_IDW_CONTROLBAR_FIRST + 51, AFX_IDW_CONTROLBAR_FIRST + 52,
                         AFX_IDW_CONTROLBAR_FIRST + 53};

CRect WindowRectOf(CWnd* pWnd)
{
    CRect r;
    pWnd->GetWindowRect(&r);
    return r;
}

class CTestSizeBar : public COXSizeControlBar
{
public:
    explicit CTestSizeBar(DWORD dwStyle = 0) : COXSizeControlBar(dwStyle) {}
    void OnSizedOrDocked(int cx, int cy, BOOL bFloating, UINT nWhat) override
    {
        m_nWhat |= nWhat;
        (void)cx;
        (void)cy;
        (void)bFloating;
    }
    UINT m_nWhat = 0;
};

class SizeDockFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new COXFrameWndSizeDock;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Size dock", WS_OVERLAPPEDWINDOW, CRect(20, 20, 820, 620)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->UpdateWindow();
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        for (CTestSizeBar* p : m_bars)
            delete p;
    }
    CTestSizeBar* AddBar(UINT nDockBarID, const CRect& rect = CRect(0, 0, 200, 100), DWORD dwStyle = 0)
    {
        CTestSizeBar* pBar = new CTestSizeBar(dwStyle);
        m_bars.push_back(pBar);
        CString strName;
        strName.Format("Bar %d", (int)m_bars.size());
        EXPECT_TRUE(pBar->Create(m_pFrame, strName, kBarIds[m_bars.size() - 1],
                                 WS_CHILD | WS_VISIBLE | CBRS_TOP, rect));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, nDockBarID);
        return pBar;
    }
    COXSizeDockBar* DockBar(UINT nID) { return DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(nID)); }
    void Layout()
    {
        m_pFrame->RecalcLayout(TRUE);
        PumpPending();
    }
    CRect InDock(CWnd* pBar, CWnd* pDock)
    {
        CRect r;
        pBar->GetWindowRect(&r);
        pDock->ScreenToClient(&r);
        return r;
    }

    COXFrameWndSizeDock* m_pFrame = NULL;
    CWnd* m_pOldMain = NULL;
    std::vector<CTestSizeBar*> m_bars;
};

TEST_F(SizeDockFrame, DefaultRectangleTakesTheParentsRightHalfAndBottomQuarter)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP, CRect(0, 0, 800, 600), NULL, 0));
    COXSizeControlBar bar(0);
    ASSERT_TRUE(bar.Create(&parent, "b", 100, WS_CHILD | CBRS_TOP, CFrameWnd::rectDefault));
    CRect rectClient;
    parent.GetClientRect(&rectClient);
    ASSERT_EQ(CSize(800, 600), rectClient.Size());
    EXPECT_EQ(CSize(400, 150), bar.m_HorzDockSize);
    EXPECT_EQ(CSize(150, 400), bar.m_VertDockSize);
    EXPECT_EQ(CSize(400, 150), bar.m_FloatSize);
    EXPECT_TRUE(OXSizeBarMouseHookInstalled());
    bar.DestroyWindow();
    EXPECT_FALSE(OXSizeBarMouseHookInstalled());
    parent.DestroyWindow();
}

TEST_F(SizeDockFrame, TwoBarsInATopRowShareItWithSplittersBetweenAndBelow)
{
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 100, 120));
    CTestSizeBar* pB = AddBar(AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 300, 120));
    COXSizeDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pTop != NULL);
    // both in one row: the row end between them goes
    for (int i = (int)pTop->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pTop->m_arrBars[i] == NULL)
            pTop->m_arrBars.RemoveAt(i);
    Layout();
    Layout();
    ASSERT_EQ(pTop->RowStart(pTop->FindBar(pA)), pTop->RowStart(pTop->FindBar(pB)));

    CRect a = InDock(pA, pTop), b = InDock(pB, pTop);
    ASSERT_EQ(2, pTop->m_arrSplitters.GetSize());
    COXSplitterRect* pBetween = (COXSplitterRect*)pTop->m_arrSplitters[0];
    COXSplitterRect* pBelow = (COXSplitterRect*)pTop->m_arrSplitters[1];
    EXPECT_EQ(COXSplitterRect::vertical, pBetween->m_nType);
    EXPECT_EQ(8, CRect(pBetween->m_rect).Width());
    EXPECT_EQ(b.left, pBetween->m_rect.right) << "bar, splitter, bar";
    EXPECT_EQ(COXSplitterRect::horizontal, pBelow->m_nType);
    EXPECT_EQ(8, CRect(pBelow->m_rect).Height());
    CRect rectTop;
    pTop->GetClientRect(&rectTop);
    EXPECT_EQ(rectTop.Width(), CRect(pBelow->m_rect).Width());
    // the row (its bars overlap both edges by the border) plus the splitter
    EXPECT_EQ(a.Height() - 2 * afxData.cyBorder2 + 8, rectTop.Height());
    // the shares keep the 1 : 3 proportion over the whole width
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    EXPECT_NEAR(rectFrame.Width(), a.Width() + b.Width() + 8 - 2 * afxData.cxBorder2, 2);
    EXPECT_NEAR(3.0, (double)b.Width() / a.Width(), 0.05);
    EXPECT_TRUE(pA->CanMaximizeInRow());
}

// A dock bar and the sizing bars in it paint every pixel of their windows,
// in every skin: a border that keeps two pixels for a line of one, or a
// bar's client that no child covers, would go on showing what lay there
// before (in an MDI frame, rows of the document windows once below the
// client area). What lay there stands in magenta.
TEST_F(SizeDockFrame, DockBarsAndTheirBarsPaintEveryPixel)
{
    const struct { UINT nID; const char* name; } docks[] = {{AFX_IDW_DOCKBAR_TOP, "top"},
                                                           {AFX_IDW_DOCKBAR_BOTTOM, "bottom"},
                                                           {AFX_IDW_DOCKBAR_LEFT, "left"},
                                                           {AFX_IDW_DOCKBAR_RIGHT, "right"}};
    for (const auto& d : docks)
        AddBar(d.nID);
    Layout();
    CSkinnedAppScope app;
    for (const char* skin : {"none", "Classic", "Office XP", "Office 2003"}) {
        app.m_pApp->SetCurrentSkin(skin);
        COXSkinnedApp::RefreshWindow(m_pFrame->m_hWnd);
        for (const auto& d : docks) {
            COXSizeDockBar* pDock = DockBar(d.nID);
            const CSize size = WindowRectOf(pDock).Size();
            ASSERT_GT(size.cx * size.cy, 0) << d.name;
            {
                CWindowDC dc(pDock);
                dc.FillSolidRect(0, 0, size.cx, size.cy, kMagenta);
            }
            ::RedrawWindow(pDock->m_hWnd, NULL, NULL,
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            PumpPending();
            CPixelCanvas shot(size.cx, size.cy, kBlack);
            {
                CWindowDC dc(pDock);
                shot.dc.BitBlt(0, 0, size.cx, size.cy, &dc, 0, 0, SRCCOPY);
            }
            int nLeft = 0;
            CPoint ptFirst(-1, -1);
            for (int y = 0; y < size.cy; ++y)
                for (int x = 0; x < size.cx; ++x)
                    if (shot.At(x, y) == kMagenta && nLeft++ == 0)
                        ptFirst = CPoint(x, y);
            EXPECT_EQ(0, nLeft) << skin << ", " << d.name << " dock bar of " << size.cx << " x " << size.cy
                                << ": the first unpainted pixel at (" << ptFirst.x << ", " << ptFirst.y << ")";
        }
    }
}

TEST_F(SizeDockFrame, ALeftColumnGrowsBySevenForItsLastSplitter)
{
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_LEFT, CRect(0, 0, 200, 120));
    COXSizeDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    Layout();
    CRect rectLeft;
    pLeft->GetClientRect(&rectLeft);
    CRect a = InDock(pA, pLeft);
    EXPECT_EQ(a.Width() - 2 * afxData.cxBorder2 + 7, rectLeft.Width());
    ASSERT_EQ(1, pLeft->m_arrSplitters.GetSize());
    EXPECT_EQ(COXSplitterRect::vertical, ((COXSplitterRect*)pLeft->m_arrSplitters[0])->m_nType);
    EXPECT_FALSE(pA->CanMaximizeInRow()) << "alone in its row";
}

TEST_F(SizeDockFrame, MaximizeInARowOfThreeLeavesStubsAndRestoreBringsSizesBack)
{
    CTestSizeBar* pBars[3];
    COXSizeDockBar* pBottom = NULL;
    for (int i = 0; i < 3; ++i)
        pBars[i] = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 150, 100));
    pBottom = DockBar(AFX_IDW_DOCKBAR_BOTTOM);
    // one row: drop the row ends between them
    for (int i = (int)pBottom->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pBottom->m_arrBars[i] == NULL)
            pBottom->m_arrBars.RemoveAt(i);
    Layout();
    Layout();
    int nBefore[3];
    for (int i = 0; i < 3; ++i)
        nBefore[i] = pBars[i]->m_HorzDockSize.cx;

    // the maximize button pressed and released by real messages
    pBars[1]->GetDockbarSkin()->LayoutCaption(pBars[1]);
    ASSERT_FALSE(pBars[1]->m_rectMaximizeButton.IsRectEmpty());
    const CPoint pt = pBars[1]->m_rectMaximizeButton.CenterPoint();
    pBars[1]->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(-2, pBars[1]->m_nPressedButton);
    pBars[1]->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(pBars[1]->IsMaximizedInRow());
    EXPECT_EQ(21, pBars[0]->m_HorzDockSize.cx);
    EXPECT_EQ(21, pBars[2]->m_HorzDockSize.cx);
    EXPECT_EQ(nBefore[0] + nBefore[1] + nBefore[2] - 42, pBars[1]->m_HorzDockSize.cx);

    // the same button pressed again restores the row
    Layout();
    pBars[1]->GetDockbarSkin()->LayoutCaption(pBars[1]);
    const CPoint ptAgain = pBars[1]->m_rectMaximizeButton.CenterPoint();
    pBars[1]->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptAgain.x, ptAgain.y));
    pBars[1]->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptAgain.x, ptAgain.y));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(nBefore[i], pBars[i]->m_HorzDockSize.cx) << i;
    EXPECT_FALSE(pBars[1]->IsMaximizedInRow());

    // and so does the direct call, after a maximize by call
    pBottom->MaximizeInRow(pBars[1], TRUE);
    ASSERT_TRUE(pBars[1]->IsMaximizedInRow());
    pBottom->MaximizeInRow(pBars[1], FALSE);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(nBefore[i], pBars[i]->m_HorzDockSize.cx) << i;
    EXPECT_FALSE(pBars[1]->IsMaximizedInRow());
}

TEST_F(SizeDockFrame, APressOnTheLoneBarsMaximizeButtonDoesNothing)
{
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_RIGHT);
    Layout();
    pA->GetDockbarSkin()->LayoutCaption(pA);
    const CPoint pt = pA->m_rectMaximizeButton.CenterPoint();
    pA->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(-1, pA->m_nPressedButton);
    EXPECT_NE(pA->m_hWnd, ::GetCapture());
    pA->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(pA->IsMaximizedInRow());
}

TEST_F(SizeDockFrame, OwnDragStartsBeyondThreePixelsAndFloatsAndDocks)
{
    m_pFrame->SetOwnBarDrag(TRUE);
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_LEFT);
    Layout();
    pA->GetDockbarSkin()->LayoutCaption(pA);
    CPoint pt = pA->m_rectGripper.CenterPoint();
    pA->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ASSERT_TRUE(pA->m_bMaybeDrag);
    pA->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 3, pt.y));
    EXPECT_FALSE(pA->m_bTracking);
    pA->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 4, pt.y));
    ASSERT_TRUE(pA->m_bTracking);

    // far from every dock bar: the bar floats
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    m_pFrame->ClientToScreen(&rectFrame);
    CPoint ptMid = rectFrame.CenterPoint();
    pA->ScreenToClient(&ptMid);
    pA->m_nWhat = 0;
    pA->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptMid.x, ptMid.y));
    EXPECT_TRUE(pA->IsFloating());
    EXPECT_EQ(1, pA->m_nLastPlacement);
    EXPECT_TRUE(pA->m_nWhat & 2) << "floating is a placement change";

    // over the right dock bar with Ctrl: stays floating; without: docks there
    CPoint ptRight(rectFrame.right - 5, rectFrame.CenterPoint().y);
    CPoint ptClient = ptRight;
    pA->ScreenToClient(&ptClient);
    pA->SendMessage(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_TRUE(pA->IsFloating());
    ptClient = ptRight;
    pA->ScreenToClient(&ptClient);
    pA->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_FALSE(pA->IsFloating());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), pA->m_pDockBar);
    pA->SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(pA->m_bTracking);
    EXPECT_NE(pA->m_hWnd, ::GetCapture());
}

TEST_F(SizeDockFrame, AQuitPostedDuringTheOwnDragEndsItAndStaysQueued)
{
    m_pFrame->SetOwnBarDrag(TRUE);
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    pA->GetDockbarSkin()->LayoutCaption(pA);
    pA->StartOwnDrag(pA->m_rectGripper.CenterPoint());
    ASSERT_TRUE(pA->m_bTracking);
    m_pFrame->Invalidate();   // a paint to pump
    ::PostQuitMessage(7);
    pA->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(pA->m_bTracking);
    EXPECT_NE(pA->m_hWnd, ::GetCapture());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit must reach the message loop";
    EXPECT_EQ(7, (int)msg.wParam);
}

TEST_F(SizeDockFrame, ACoolToolBarDraggedByItsSurfaceDocksInASizeDockBarUnlessItHoldsASizingBar)
{
    m_pFrame->SetOwnBarDrag(TRUE);
    CTestSizeBar* pSizing = AddBar(AFX_IDW_DOCKBAR_LEFT);
    COXCoolToolBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, AFX_IDW_TOOLBAR));
    const UINT ids[] = {ID_SEPARATOR, 101, 102};
    ASSERT_TRUE(bar.SetButtons(ids, 3));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    Layout();

    // The press on the separator, an empty part of the bar, starts the drag.
    CRect rectSep;
    bar.GetItemRect(0, rectSep);
    const CPoint ptPress = rectSep.CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptPress.x, ptPress.y));
    ASSERT_TRUE(bar.m_bDragging);
    auto moveTo = [&](CPoint ptScreen, UINT nFlags) {
        CPoint pt = ptScreen;
        bar.ScreenToClient(&pt);
        bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON | nFlags, MAKELPARAM(pt.x, pt.y));
    };
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    m_pFrame->ClientToScreen(&rectFrame);
    const CPoint ptRight(rectFrame.right - 5, rectFrame.CenterPoint().y);
    const CPoint ptLeft(rectFrame.left + 5, rectFrame.CenterPoint().y);

    moveTo(ptRight, MK_CONTROL);
    EXPECT_TRUE(bar.IsFloating()) << "Ctrl keeps the bar floating";
    moveTo(ptRight, 0);
    ASSERT_FALSE(bar.IsFloating());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), bar.m_pDockBar);
    EXPECT_EQ(bar.m_hWnd, ::GetCapture()) << "docking keeps the drag going";

    moveTo(ptLeft, 0);
    EXPECT_TRUE(bar.IsFloating()) << "the left dock bar holds a sizing bar";
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), pSizing->m_pDockBar);
    bar.SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(bar.m_bDragging);
    bar.DestroyWindow();
}

TEST_F(SizeDockFrame, SizesAreSavedAndReadBack)
{
    const char* kSection = "SizeDockTest";
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_LEFT);
    CTestSizeBar* pB = AddBar(AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    pA->m_VertDockSize = CSize(123, 300);
    pB->m_FloatSize = CSize(250, 180);
    m_pFrame->SaveSizeBarState(kSection);
    CWinApp* pApp = AfxGetApp();
    EXPECT_EQ(2u, pApp->GetProfileInt(kSection, "Version", 0));
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(pApp->GetProfileBinary(kSection, OXSizeDock::RecordName(kBarIds[0]), &pData, &nBytes));
    EXPECT_EQ(28u, nBytes);
    delete[] pData;

    pA->m_VertDockSize = CSize(10, 10);
    pB->m_FloatSize = CSize(10, 10);
    // a record of the wrong length and a record with absurd sizes
    BYTE bad[27] = {};
    pApp->WriteProfileBinary(kSection, OXSizeDock::RecordName(kBarIds[1]), bad, sizeof(bad));
    m_pFrame->LoadSizeBarState(kSection);
    EXPECT_EQ(123, pA->m_VertDockSize.cx);
    EXPECT_EQ(CSize(10, 10), pB->m_FloatSize) << "a 27-byte record is ignored";

    LONG absurd[7] = {-1, 0x7FFFFFFF, 100, 100, 100, 100, 0};
    pApp->WriteProfileBinary(kSection, OXSizeDock::RecordName(kBarIds[1]), (LPBYTE)absurd, sizeof(absurd));
    m_pFrame->LoadSizeBarState(kSection);
    EXPECT_EQ(0, pB->m_FloatSize.cx);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN) >= pB->m_FloatSize.cy, true) << "no taller than the screen";
    EXPECT_GT(pB->m_FloatSize.cy, 100);

    // another version: the section goes and nothing is restored
    pApp->WriteProfileInt(kSection, "Version", 1);
    pA->m_VertDockSize = CSize(10, 10);
    m_pFrame->LoadSizeBarState(kSection);
    EXPECT_EQ(CSize(10, 10), pA->m_VertDockSize);
    EXPECT_EQ(0u, pApp->GetProfileInt(kSection, "Version", 0));
    EXPECT_FALSE(pApp->GetProfileBinary(kSection, OXSizeDock::RecordName(kBarIds[0]), &pData, &nBytes));
}

// A row thickness saved in a larger frame (or written by hand) is laid out
// bounded by this frame: the row's splitter stays inside the dock bar and
// the frame, where the user can drag it back.
TEST_F(SizeDockFrame, ARestoredRowLeavesItsSplitterWithinReach)
{
    const char* kSection = "SizeDockBoundTest";
    CTestSizeBar* pLeft = AddBar(AFX_IDW_DOCKBAR_LEFT);
    CTestSizeBar* pTop = AddBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    m_pFrame->SaveSizeBarState(kSection);
    CWinApp* pApp = AfxGetApp();
    const LONG huge[7] = {300, 200, 5000, 5000, 5000, 5000, 0};
    for (UINT nID : {kBarIds[0], kBarIds[1]})
        pApp->WriteProfileBinary(kSection, OXSizeDock::RecordName(nID), (LPBYTE)huge, sizeof(huge));
    m_pFrame->LoadSizeBarState(kSection);
    Layout();
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    m_pFrame->ClientToScreen(&rectFrame);
    for (UINT nDock : {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_TOP}) {
        COXSizeDockBar* pDock = DockBar(nDock);
        CRect rectDock;
        pDock->GetClientRect(&rectDock);
        ASSERT_FALSE(pDock->m_arrSplitters.GetSize() == 0);
        for (INT_PTR i = 0; i < pDock->m_arrSplitters.GetSize(); ++i) {
            // reachable: its middle lies in the dock bar and in the frame
            CRect rect(((COXSplitterRect*)pDock->m_arrSplitters[i])->m_rect);
            EXPECT_TRUE(rectDock.PtInRect(rect.CenterPoint()))
                << "dock bar " << nDock << ": splitter " << rect.left << "," << rect.top << " outside the dock bar "
                << rectDock.Width() << "x" << rectDock.Height();
            pDock->ClientToScreen(&rect);
            EXPECT_TRUE(rectFrame.PtInRect(rect.CenterPoint())) << "outside the frame";
        }
    }
    EXPECT_LT(WindowRectOf(pLeft).Width(), rectFrame.Width());
    EXPECT_LT(WindowRectOf(pTop).Height(), rectFrame.Height());
    // the stored thickness is bounded by the screen, not by this frame
    EXPECT_GT(pTop->m_HorzDockSize.cy, rectFrame.Height());
    EXPECT_LE(pTop->m_HorzDockSize.cy, ::GetSystemMetrics(SM_CYSCREEN));
}

// A program loads its bars before it maximises its frame: a row saved at
// 60% of a large frame is laid out within reach while the frame is small,
// and has its saved thickness again once the frame is large again.
TEST_F(SizeDockFrame, ARowSavedInALargerFrameComesBackWholeWhenTheFrameIsLargeAgain)
{
    const char* kSection = "SizeDockLargeTest";
    CTestSizeBar* pLeft = AddBar(AFX_IDW_DOCKBAR_LEFT);
    CTestSizeBar* pTop = AddBar(AFX_IDW_DOCKBAR_TOP);
    auto sizeFrame = [&](CSize size) {
        m_pFrame->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        Layout();
        Layout();
        CRect r;
        m_pFrame->GetClientRect(&r);
        return r.Size();
    };
    const CSize sizeLarge = sizeFrame(CSize(1200, 900));
    pLeft->m_VertDockSize.cx = sizeLarge.cx * 6 / 10;
    pTop->m_HorzDockSize.cy = sizeLarge.cy * 6 / 10;
    Layout();
    const int cxSaved = pLeft->m_VertDockSize.cx, cySaved = pTop->m_HorzDockSize.cy;
    m_pFrame->SaveSizeBarState(kSection);

    const CSize sizeSmall = sizeFrame(CSize(800, 600));
    pLeft->m_VertDockSize.cx = pTop->m_HorzDockSize.cy = 100;
    m_pFrame->LoadSizeBarState(kSection);
    Layout();
    EXPECT_LT(WindowRectOf(pLeft).Width(), sizeSmall.cx - 16) << "laid out beyond reach in the small frame";
    EXPECT_LT(WindowRectOf(pTop).Height(), sizeSmall.cy - 16) << "laid out beyond reach in the small frame";

    sizeFrame(CSize(1200, 900));
    EXPECT_EQ(cxSaved, WindowRectOf(pLeft).Width()) << "the saved column did not come back";
    EXPECT_EQ(cySaved, WindowRectOf(pTop).Height()) << "the saved row did not come back";
}

// A frame shrunk to a few pixels for a moment must not break a column of
// bars into columns for good: when the room comes back, so does the column.
TEST_F(SizeDockFrame, AColumnBrokenForWantOfRoomComesBackWithTheRoom)
{
    CTestSizeBar* pBars[4];
    for (CTestSizeBar*& p : pBars)
        p = AddBar(AFX_IDW_DOCKBAR_LEFT, CRect(0, 0, 120, 100));
    COXSizeDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    for (int i = (int)pLeft->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pLeft->m_arrBars[i] == NULL)
            pLeft->m_arrBars.RemoveAt(i);
    Layout();
    Layout();
    auto oneColumn = [&] {
        for (CTestSizeBar* p : pBars)
            if (pLeft->RowStart(pLeft->FindBar(p)) != pLeft->RowStart(pLeft->FindBar(pBars[0])))
                return false;
        return true;
    };
    ASSERT_TRUE(oneColumn());
    CRect rectDock;
    pLeft->GetWindowRect(&rectDock);
    const int cxColumn = rectDock.Width();
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);

    m_pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width(), ::GetSystemMetrics(SM_CYCAPTION) + 12,
                           SWP_NOMOVE | SWP_NOZORDER);
    Layout();
    m_pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width(), rectFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Layout();
    Layout();
    EXPECT_TRUE(oneColumn()) << "the column stays broken";
    pLeft->GetWindowRect(&rectDock);
    EXPECT_EQ(cxColumn, rectDock.Width());
    for (CTestSizeBar* p : pBars)
        EXPECT_GT(InDock(p, pLeft).Height(), 30) << "every bar of the column shows again";
}

TEST_F(SizeDockFrame, TileGivesEveryBarOfARowTheSameLengthAndSkipsToolBarRows)
{
    CToolBar toolBar;
    ASSERT_TRUE(toolBar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
    toolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_TOP);
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 100, 80));
    CTestSizeBar* pB = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 300, 80));
    COXSizeDockBar* pBottom = DockBar(AFX_IDW_DOCKBAR_BOTTOM);
    for (int i = (int)pBottom->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pBottom->m_arrBars[i] == NULL)
            pBottom->m_arrBars.RemoveAt(i);
    Layout();
    m_pFrame->TileDockedBars();
    EXPECT_NEAR(pA->m_HorzDockSize.cx, pB->m_HorzDockSize.cx, 1);
    toolBar.DestroyWindow();
}

// Real mouse input at a screen point (the splitter's tracker runs its own
// loop from the dispatch of the press).
void MouseInput(DWORD dwFlags, CPoint pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
}

TEST_F(SizeDockFrame, DraggingASplitterMovesSpaceBetweenBars)
{
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 300, 120));
    CTestSizeBar* pB = AddBar(AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 300, 120));
    COXSizeDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    for (int i = (int)pTop->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pTop->m_arrBars[i] == NULL)
            pTop->m_arrBars.RemoveAt(i);
    Layout();
    Layout();
    ASSERT_EQ(2, pTop->m_arrSplitters.GetSize());
    const int nA = pA->m_HorzDockSize.cx, nB = pB->m_HorzDockSize.cx;
    CRect rectSplitter(((COXSplitterRect*)pTop->m_arrSplitters[0])->m_rect);
    pTop->ClientToScreen(&rectSplitter);
    CPoint from = rectSplitter.CenterPoint();
    auto drag = [&](CPoint ptFrom, CPoint ptTo) {
        MouseInput(0, ptFrom);
        MouseInput(MOUSEEVENTF_LEFTDOWN, ptFrom);
        for (int i = 1; i <= 4; ++i)
            MouseInput(0, CPoint(ptFrom.x + (ptTo.x - ptFrom.x) * i / 4, ptFrom.y + (ptTo.y - ptFrom.y) * i / 4));
        MouseInput(MOUSEEVENTF_LEFTUP, ptTo);
    };
    drag(from, CPoint(from.x - 50, from.y));
    ASSERT_TRUE(PumpUntil([&] { return pA->m_HorzDockSize.cx != nA; }, kWaitMs)) << "the splitter drag changed nothing";
    EXPECT_EQ(nA - 50, pA->m_HorzDockSize.cx);
    EXPECT_EQ(nB + 50, pB->m_HorzDockSize.cx);

    // and back the other way: the right bar gives, the total stays
    rectSplitter = ((COXSplitterRect*)pTop->m_arrSplitters[0])->m_rect;
    pTop->ClientToScreen(&rectSplitter);
    from = rectSplitter.CenterPoint();
    drag(from, CPoint(from.x + 120, from.y));
    ASSERT_TRUE(PumpUntil([&] { return pA->m_HorzDockSize.cx != nA - 50; }, kWaitMs));
    EXPECT_EQ(nA + 70, pA->m_HorzDockSize.cx);
    EXPECT_EQ(nB - 70, pB->m_HorzDockSize.cx);
}

// Each row splitter sizes the row it belongs to, on every edge: on the top
// and left dock bars the row before it (the last one too), on the bottom and
// right ones the row after it. Rows of one bar each, a tool bar row or a
// sizing row; the k-th row splitter sizes the k-th sizing row.
TEST_F(SizeDockFrame, EachRowSplitterSizesItsOwnRowOnEveryEdge)
{
    const UINT edges[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    const char* arrangements[] = {"TS", "SS", "STS"};
    for (UINT nEdge : edges)
        for (const char* pszRows : arrangements) {
            SCOPED_TRACE(testing::Message() << "dock bar " << std::hex << nEdge << std::dec << ", rows " << pszRows);
            TearDown();   // a frame of its own for each case
            m_bars.clear();
            SetUp();
            CToolBar toolBar;
            std::vector<CTestSizeBar*> sizing;
            for (const char* p = pszRows; *p != 0; ++p) {
                if (*p == 'S') {
                    sizing.push_back(AddBar(nEdge, CRect(0, 0, 200, 100)));
                    continue;
                }
                ASSERT_TRUE(toolBar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
                const UINT ids[] = {101, 102};
                ASSERT_TRUE(toolBar.SetButtons(ids, 2));
                toolBar.EnableDocking(CBRS_ALIGN_ANY);
                m_pFrame->DockControlBar(&toolBar, nEdge);
            }
            Layout();
            COXSizeDockBar* pDock = DockBar(nEdge);
            const BOOL bHorz = nEdge == AFX_IDW_DOCKBAR_TOP || nEdge == AFX_IDW_DOCKBAR_BOTTOM;
            const int nRowType = bHorz ? COXSplitterRect::horizontal : COXSplitterRect::vertical;
            auto thickness = [&](CTestSizeBar* p) { return bHorz ? p->m_HorzDockSize.cy : p->m_VertDockSize.cx; };
            auto rowSplitter = [&](size_t k) {
                for (INT_PTR i = 0; i < pDock->m_arrSplitters.GetSize(); ++i) {
                    COXSplitterRect* p = (COXSplitterRect*)pDock->m_arrSplitters[i];
                    if (p->m_nType == nRowType && k-- == 0)
                        return CRect(p->m_rect);
                }
                return CRect();
            };
            // towards the frame's inside: the row grows
            CSize step(0, 0);
            switch (nEdge) {
            case AFX_IDW_DOCKBAR_TOP: step.cy = 30; break;
            case AFX_IDW_DOCKBAR_BOTTOM: step.cy = -30; break;
            case AFX_IDW_DOCKBAR_LEFT: step.cx = 30; break;
            default: step.cx = -30; break;
            }
            for (size_t k = 0; k < sizing.size(); ++k) {
                CRect rect = rowSplitter(k);
                ASSERT_FALSE(rect.IsRectEmpty()) << "no row splitter " << k;
                pDock->ClientToScreen(&rect);
                std::vector<int> before;
                for (CTestSizeBar* p : sizing)
                    before.push_back(thickness(p));
                const CPoint from = rect.CenterPoint(), to = from + step;
                MouseInput(0, from);
                MouseInput(MOUSEEVENTF_LEFTDOWN, from);
                for (int i = 1; i <= 3; ++i)
                    MouseInput(0, CPoint(from.x + step.cx * i / 3, from.y + step.cy * i / 3));
                MouseInput(MOUSEEVENTF_LEFTUP, to);
                PumpUntil([&] { return thickness(sizing[k]) != before[k]; }, 3000);
                for (size_t j = 0; j < sizing.size(); ++j) {
                    if (j == k)
                        EXPECT_EQ(before[j] + 30, thickness(sizing[j])) << "row splitter " << k << " left its row";
                    else
                        EXPECT_EQ(before[j], thickness(sizing[j])) << "row splitter " << k << " sized row " << j;
                }
                PumpPending();
            }
            if (toolBar.m_hWnd != NULL)
                toolBar.DestroyWindow();
        }
}

TEST_F(SizeDockFrame, TheMenuOffersDockingAndHideAndItsCommandsAct)
{
    CTestSizeBar* pA = AddBar(AFX_IDW_DOCKBAR_LEFT, CRect(0, 0, 200, 100), SZBAR_CONTEXTMENU | SZBAR_ALLOWMDIFLOAT);
    Layout();
    HMENU hMenu = ::CreatePopupMenu();
    pA->SendMessage(WM_OXSIZEBAR_FILLMENU, 0, (LPARAM)hMenu);
    ASSERT_EQ(3, ::GetMenuItemCount(hMenu));
    EXPECT_EQ((UINT)ID_OXSIZEBAR_MDIFLOAT, ::GetMenuItemID(hMenu, 0));
    EXPECT_EQ((UINT)ID_OXSIZEBAR_ALLOWDOCKING, ::GetMenuItemID(hMenu, 1));
    EXPECT_TRUE(::GetMenuState(hMenu, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ((UINT)ID_OXSIZEBAR_HIDE, ::GetMenuItemID(hMenu, 2));
    ::DestroyMenu(hMenu);

    // docking off: the bar floats and keeps the edges for later
    pA->SendMessage(WM_COMMAND, ID_OXSIZEBAR_ALLOWDOCKING);
    EXPECT_TRUE(pA->IsFloating());
    EXPECT_EQ(0u, pA->m_dwDockStyle & CBRS_ALIGN_ANY);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, pA->m_dwSavedDockStyle);
    hMenu = ::CreatePopupMenu();
    pA->SendMessage(WM_OXSIZEBAR_FILLMENU, 0, (LPARAM)hMenu);
    EXPECT_FALSE(::GetMenuState(hMenu, ID_OXSIZEBAR_ALLOWDOCKING, MF_BYCOMMAND) & MF_CHECKED);
    ::DestroyMenu(hMenu);
    pA->SendMessage(WM_COMMAND, ID_OXSIZEBAR_ALLOWDOCKING);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, pA->m_dwDockStyle & CBRS_ALIGN_ANY);

    pA->SendMessage(WM_COMMAND, ID_OXSIZEBAR_HIDE);
    EXPECT_FALSE(pA->IsVisible());
}

TEST_F(SizeDockFrame, AutoDeleteBarsGoWithTheirFrame)
{
    COXSizeControlBar* pBar = new COXSizeControlBar(SZBAR_AUTODELETE);
    ASSERT_TRUE(pBar->Create(m_pFrame, "auto", kBarIds[3], WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 100, 80)));
    ASSERT_TRUE(COXSizeControlBar::m_pAutoDeleteBars != NULL);
    EXPECT_EQ(1, COXSizeControlBar::m_pAutoDeleteBars->GetSize());
    const HWND hWnd = pBar->m_hWnd;
    // Not as the main window, whose end would post a quit to later tests.
    AfxGetApp()->m_pMainWnd = m_pOldMain;
    m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(COXSizeControlBar::m_pAutoDeleteBars == NULL) << "the bar was deleted and the list with it";
}

// An MDI child whose object outlives its window, so that the test can
// make a new window with it.
class CKeptChild : public CMDIChildWnd
{
protected:
    void PostNcDestroy() override {}
};

TEST(SizeDockMDIFrame, DocksInSizeDockBarsAndForgetsADockedChildThatWent)
{
    COXMDIFrameWndSizeDock* pFrame = new COXMDIFrameWndSizeDock;
    ASSERT_TRUE(pFrame->Create(NULL, "MDI size dock", WS_OVERLAPPEDWINDOW, CRect(30, 30, 700, 500)));
    pFrame->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    EXPECT_TRUE(DYNAMIC_DOWNCAST(COXSizeDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)) != NULL);
    EXPECT_TRUE(DYNAMIC_DOWNCAST(COXSizeDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT)) != NULL);
    EXPECT_TRUE(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP) == NULL);
    EXPECT_EQ(0, pFrame->SendMessage(WM_QUERYSIZEDOCKDRAG));
    pFrame->SetOwnBarDrag(TRUE);
    EXPECT_NE(0, pFrame->SendMessage(WM_QUERYSIZEDOCKDRAG));

    // a child deletes itself when its window goes, and its memory may hold a
    // new window at once: here the same object makes a new, undocked child,
    // which a frame that kept the object would take for the docked one
    CKeptChild* pChild = new CKeptChild;
    ASSERT_TRUE(pChild->Create(NULL, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                               pFrame));
    pFrame->SetActiveDockedChild(pChild);
    EXPECT_EQ(pChild, pFrame->GetActiveDockedChild());
    BOOL bMaximized = TRUE;
    EXPECT_EQ(pChild, pFrame->GetActiveMDIChild(&bMaximized));
    EXPECT_FALSE(bMaximized);
    pChild->DestroyWindow();
    EXPECT_TRUE(pFrame->GetActiveMDIChild() == NULL);
    ASSERT_TRUE(pChild->Create(NULL, "another", WS_CHILD | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pFrame));
    EXPECT_TRUE(pFrame->GetActiveDockedChild() == NULL) << "the docked child that went is back";
    pChild->DestroyWindow();
    delete pChild;
    pFrame->DestroyWindow();
}

}   // namespace
