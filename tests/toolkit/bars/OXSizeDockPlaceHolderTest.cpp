// Rows of sizing bars after the moves a user makes. A bar floated off a row
// leaves its place-holder there (its control id in the row, where it docks
// back): layouts walk rows that hold place-holders, squeezed to nothing and
// given their room back every bar of such a row shows again, and no layout
// faults on the way; a bar docked at another edge leaves none behind. A bar
// dragged along its own row leaves the row within its dock bar. A row
// splitter sizes the row the user sees beside it, never a row of a hidden
// bar or of a place-holder next to it.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "OXFrameWndDock.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "SizeDockTestSupport.h"
#include "testsupport.h"

namespace {

const UINT kFirstBarId = AFX_IDW_CONTROLBAR_FIRST + 70;

// A size-dock frame of its own and bars named by a letter, each docked in a
// row of its own at the end of a dock bar.
class SizeDockRows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new COXFrameWndSizeDock;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Place-holders", WS_OVERLAPPEDWINDOW, CRect(20, 20, 820, 620)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_main.Show(m_pFrame);
    }
    void TearDown() override
    {
        m_main.Close();
        for (COXSizeControlBar* p : m_bars)
            delete p;
        PumpPending();
    }
    COXSizeControlBar* AddBar(UINT nDockBarID, char cName)
    {
        COXSizeControlBar* pBar = new COXSizeControlBar(0);
        m_bars.push_back(pBar);
        const CString strName(cName);
        EXPECT_TRUE(pBar->Create(m_pFrame, strName, kFirstBarId + (UINT)m_bars.size(), WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                 CRect(0, 0, 200, 120)));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, nDockBarID);
        return pBar;
    }
    COXSizeDockBar* DockBar(UINT nDockBarID)
    {
        return DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(nDockBarID));
    }
    void Layout()
    {
        m_pFrame->RecalcLayout(TRUE);
        PumpPending();
    }
    // The frame as small as it goes, as short as its caption, then its size
    // back.
    void SqueezeAndRestore()
    {
        const CRect rectFrame = WindowRectOf(m_pFrame);
        m_pFrame->SetWindowPos(NULL, 0, 0, ::GetSystemMetrics(SM_CXMIN), ::GetSystemMetrics(SM_CYCAPTION) + 8,
                               SWP_NOMOVE | SWP_NOZORDER);
        PumpPending();
        m_pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width(), rectFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
        PumpPending();
    }
    // Every docked, shown bar has room, and none lies over another.
    void ExpectEveryBarShows(COXSizeDockBar* pDock, const char* pszWhen)
    {
        std::vector<CRect> rects;
        for (COXSizeControlBar* p : m_bars) {
            if (p->IsFloating() || !p->IsVisible())
                continue;
            CString strName;
            p->GetWindowText(strName);
            const CRect r = WindowRectOf(p);
            EXPECT_GT(r.Width(), 40) << pszWhen << ": bar " << (LPCTSTR)strName << " is " << r.Width() << "x"
                                     << r.Height() << ", rows " << DescribeRows(pDock);
            EXPECT_GT(r.Height(), 40) << pszWhen << ": bar " << (LPCTSTR)strName << " is " << r.Width() << "x"
                                      << r.Height() << ", rows " << DescribeRows(pDock);
            for (const CRect& other : rects) {
                CRect overlap;
                // the shared border of neighbours overlaps by design
                CRect inner = r;
                inner.DeflateRect(afxData.cxBorder2 + 1, afxData.cyBorder2 + 1);
                EXPECT_FALSE(overlap.IntersectRect(inner, other))
                    << pszWhen << ": bar " << (LPCTSTR)strName << " lies over another, rows " << DescribeRows(pDock);
            }
            rects.push_back(r);
        }
    }

    COXFrameWndSizeDock* m_pFrame = NULL;
    CTestMainFrame m_main;
    std::vector<COXSizeControlBar*> m_bars;
};

// A row of sizing bars A, B, C as the case names them ('P' is the bar that
// is floated and leaves its place-holder), in a top or a left dock bar; an
// 'A' row of its own comes first for a place-holder alone in its row.
struct PlaceHolderCase
{
    const char* name;
    UINT nDockBarID;
    const char* pszRow;
    BOOL bRowOfItsOwn;
};

void PrintTo(const PlaceHolderCase& c, std::ostream* os)
{
    *os << c.name;
}

class SizeDockPlaceHolder : public SizeDockRows, public ::testing::WithParamInterface<PlaceHolderCase>
{
};

TEST_P(SizeDockPlaceHolder, ARowWithAPlaceHolderComesBackWholeAfterASqueeze)
{
    const PlaceHolderCase& c = GetParam();
    CLayoutFaultWatch watch;
    if (c.bRowOfItsOwn)
        AddBar(c.nDockBarID, 'A');
    COXSizeControlBar* pFloated = NULL;
    for (const char* p = c.pszRow; *p != 0; ++p) {
        COXSizeControlBar* pBar = AddBar(c.nDockBarID, *p);
        if (*p == 'P')
            pFloated = pBar;
    }
    ASSERT_TRUE(pFloated != NULL);
    COXSizeDockBar* pDock = DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(c.nDockBarID));
    ASSERT_TRUE(pDock != NULL);
    // the case's bars in one row: the row ends between them go
    const int nRowStart = c.bRowOfItsOwn ? 3 : 1;
    for (int i = (int)pDock->m_arrBars.GetSize() - 2; i > nRowStart; --i)
        if (pDock->m_arrBars[i] == NULL)
            pDock->m_arrBars.RemoveAt(i);
    Layout();
    Layout();

    m_pFrame->FloatControlBar(pFloated, WindowRectOf(m_pFrame).CenterPoint(), CBRS_ALIGN_TOP);
    Layout();
    ASSERT_TRUE(pFloated->IsFloating());
    ASSERT_GE(pDock->FindBar((CControlBar*)(UINT_PTR)pFloated->GetDlgCtrlID()), 1)
        << "no place-holder left: " << DescribeRows(pDock);
    ExpectEveryBarShows(pDock, "floated");

    SqueezeAndRestore();
    Layout();
    EXPECT_EQ(std::vector<std::string>(), watch.Faults()) << "rows " << DescribeRows(pDock);
    ExpectEveryBarShows(pDock, "after the squeeze");

    // and the floated bar docks back where it was, beside the others
    DoubleClickFloatingCaption(pFloated);
    Layout();
    Layout();
    EXPECT_FALSE(pFloated->IsFloating());
    EXPECT_EQ(std::vector<std::string>(), watch.Faults()) << "rows " << DescribeRows(pDock);
    ExpectEveryBarShows(pDock, "docked back");
}

const PlaceHolderCase kCases[] = {
    {"TopFirst", AFX_IDW_DOCKBAR_TOP, "PA", FALSE},   {"TopBetween", AFX_IDW_DOCKBAR_TOP, "APB", FALSE},
    {"TopLast", AFX_IDW_DOCKBAR_TOP, "AP", FALSE},    {"TopAlone", AFX_IDW_DOCKBAR_TOP, "P", TRUE},
    {"LeftFirst", AFX_IDW_DOCKBAR_LEFT, "PA", FALSE}, {"LeftBetween", AFX_IDW_DOCKBAR_LEFT, "APB", FALSE},
    {"LeftLast", AFX_IDW_DOCKBAR_LEFT, "AP", FALSE},  {"LeftAlone", AFX_IDW_DOCKBAR_LEFT, "P", TRUE},
};

INSTANTIATE_TEST_SUITE_P(EveryPlace, SizeDockPlaceHolder, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PlaceHolderCase>& info) {
                             return std::string(info.param.name);
                         });

}   // namespace

namespace {

// A bar floated off one edge and docked at another, by the frame's call or
// by a drag onto a bar there, has no place to go back to at the first edge:
// its place-holder there goes (a frame asked to dock it back without a dock
// bar named would take it to that place).
class SizeDockPlaceHolderElsewhere : public SizeDockRows
{
};

TEST_F(SizeDockPlaceHolderElsewhere, ABarDockedAtAnotherEdgeLeavesNoPlaceHolderBehind)
{
    CLayoutFaultWatch watch;
    COXSizeControlBar* pLeft = AddBar(AFX_IDW_DOCKBAR_LEFT, 'L');
    COXSizeDockBar* pRight = DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
    void* pPlaceHolder = NULL;
    for (const char* pszWay : {"by the frame's call", "by a drag"}) {
        COXSizeControlBar* pBar = AddBar(AFX_IDW_DOCKBAR_RIGHT, 'R');
        pPlaceHolder = (void*)(UINT_PTR)pBar->GetDlgCtrlID();
        Layout();
        m_pFrame->FloatControlBar(pBar, WindowRectOf(m_pFrame).CenterPoint(), CBRS_ALIGN_TOP);
        Layout();
        ASSERT_GE(pRight->FindBar((CControlBar*)pPlaceHolder), 1) << pszWay << ": " << DescribeRows(pRight);
        if (pszWay[3] == 't') {
            m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
        } else {
            const CRect rectBar = WindowRectOf(pBar), rectLeft = WindowRectOf(pLeft);
            DragBarByMessages(pBar, CPoint(rectBar.left + 30, rectBar.top + 6),
                              CPoint(rectLeft.CenterPoint().x, rectLeft.bottom - 20));
        }
        Layout();
        ASSERT_FALSE(pBar->IsFloating()) << pszWay;
        EXPECT_EQ(-1, pRight->FindBar((CControlBar*)pPlaceHolder))
            << pszWay << ": the right dock bar keeps a place for a bar docked at the left: " << DescribeRows(pRight);
    }
    EXPECT_EQ(std::vector<std::string>(), watch.Faults());
}

}   // namespace

namespace {

// A sizing bar dragged along its own row takes the drag's length; the row
// keeps its signature (the same bars in the same rows), and the others must
// still make room, or the row runs past the dock bar's end.
class SizeDockRowDrag : public SizeDockRows
{
};

TEST_F(SizeDockRowDrag, ABarDraggedAlongItsOwnRowLeavesTheRowWithinTheDockBar)
{
    CLayoutFaultWatch watch;
    COXSizeControlBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP, 'A');
    COXSizeControlBar* pB = AddBar(AFX_IDW_DOCKBAR_TOP, 'B');
    COXSizeControlBar* pC = AddBar(AFX_IDW_DOCKBAR_TOP, 'C');
    COXSizeDockBar* pTop = DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    for (int i = (int)pTop->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pTop->m_arrBars[i] == NULL)
            pTop->m_arrBars.RemoveAt(i);
    Layout();
    Layout();
    pTop->MaximizeInRow(pB, TRUE);
    Layout();
    const CRect rectA = WindowRectOf(pA), rectC = WindowRectOf(pC);
    DragBarByMessages(pC, CPoint(rectC.left + 30, rectC.top + 6), CPoint(rectA.left + 10, rectA.CenterPoint().y));
    Layout();
    ASSERT_FALSE(pC->IsFloating());
    ASSERT_EQ(pTop, pC->m_pDockBar);
    CRect rectTop = WindowRectOf(pTop);
    rectTop.InflateRect(afxData.cxBorder2, afxData.cyBorder2);
    for (COXSizeControlBar* p : {pA, pB, pC}) {
        const CRect r = WindowRectOf(p);
        EXPECT_LE(r.right, rectTop.right) << NameOf(p) << " at " << r.left - rectTop.left << ", " << r.Width()
                                          << " long, in a dock bar " << rectTop.Width() << " long: "
                                          << DescribeRows(pTop);
    }
    EXPECT_EQ(std::vector<std::string>(), watch.Faults());
}

}   // namespace

namespace {

// Rows of one bar each, in array order: 'A' the shown row whose splitter is
// dragged, 'C' another shown row, 'H' a hidden bar and 'P' a floated bar's
// place-holder, each alone in its row.
struct UnseenRowCase
{
    const char* name;
    UINT nDockBarID;
    const char* pszRows;
};

void PrintTo(const UnseenRowCase& c, std::ostream* os)
{
    *os << c.name;
}

class SizeDockUnseenRow : public SizeDockRows, public ::testing::WithParamInterface<UnseenRowCase>
{
};

// The row splitter on A's inner side (below A on a top dock bar, above it on
// a bottom one, ...) dragged 40 pixels outwards: A's row is 40 thinner, and
// the unseen bar beside it keeps its thickness (shown or docked back, it has
// room again).
TEST_P(SizeDockUnseenRow, ARowSplitterSizesTheShownRowBesideItNotAnUnseenOne)
{
    const UnseenRowCase& c = GetParam();
    CLayoutFaultWatch watch;
    COXSizeControlBar* pA = NULL;
    COXSizeControlBar* pC = NULL;
    COXSizeControlBar* pUnseen = NULL;
    for (const char* p = c.pszRows; *p != 0; ++p) {
        COXSizeControlBar* pBar = AddBar(c.nDockBarID, *p);
        (*p == 'A' ? pA : *p == 'C' ? pC : pUnseen) = pBar;
    }
    ASSERT_TRUE(pA != NULL && pUnseen != NULL);
    Layout();
    const char cUnseen = NameOf(pUnseen)[0];
    if (cUnseen == 'H')
        m_pFrame->ShowControlBar(pUnseen, FALSE, FALSE);
    else
        m_pFrame->FloatControlBar(pUnseen, WindowRectOf(m_pFrame).CenterPoint(), CBRS_ALIGN_TOP);
    Layout();
    COXSizeDockBar* pDock = DockBar(c.nDockBarID);
    ASSERT_TRUE(cUnseen == 'H' || pDock->FindBar((CControlBar*)(UINT_PTR)pUnseen->GetDlgCtrlID()) >= 1)
        << "no place-holder left: " << DescribeRows(pDock);

    const BOOL bHorz = pDock->IsHorzDockBar();
    auto thickness = [&](COXSizeControlBar* p) { return bHorz ? p->m_HorzDockSize.cy : p->m_VertDockSize.cx; };
    // A's inner edge and the outward direction, in the dock bar's client area
    CRect rectA = WindowRectOf(pA);
    pDock->ScreenToClient(&rectA);
    int nInner = 0, nOutwards = 0;
    switch (c.nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: nInner = rectA.bottom; nOutwards = -1; break;
    case AFX_IDW_DOCKBAR_BOTTOM: nInner = rectA.top; nOutwards = 1; break;
    case AFX_IDW_DOCKBAR_LEFT: nInner = rectA.right; nOutwards = -1; break;
    default: nInner = rectA.left; nOutwards = 1; break;
    }
    const int nRowType = bHorz ? COXSplitterRect::horizontal : COXSplitterRect::vertical;
    int nSplitter = -1, nDistance = INT_MAX;
    for (INT_PTR i = 0; i < pDock->m_arrSplitters.GetSize(); ++i) {
        const COXSplitterRect* p = (COXSplitterRect*)pDock->m_arrSplitters[i];
        const CPoint ptCentre = CRect(p->m_rect).CenterPoint();
        const int n = abs((bHorz ? ptCentre.y : ptCentre.x) - nInner);
        if (p->m_nType == nRowType && n < nDistance) {
            nSplitter = (int)i;
            nDistance = n;
        }
    }
    ASSERT_GE(nSplitter, 0) << "no row splitter: " << DescribeRows(pDock);
    ASSERT_LE(nDistance, 12) << "no row splitter beside A: " << DescribeRows(pDock);

    const int nA = thickness(pA), nUnseen = thickness(pUnseen), nC = pC != NULL ? thickness(pC) : 0;
    DragSplitterByMessages(pDock, nSplitter, 40 * nOutwards);
    Layout();
    EXPECT_EQ(nA - 40, thickness(pA)) << "the shown row did not take the drag: " << DescribeRows(pDock);
    EXPECT_EQ(nUnseen, thickness(pUnseen)) << "the unseen bar took the drag: " << DescribeRows(pDock);
    if (pC != NULL) {
        EXPECT_EQ(nC, thickness(pC)) << "the other shown row took the drag: " << DescribeRows(pDock);
    }

    if (cUnseen == 'H')
        m_pFrame->ShowControlBar(pUnseen, TRUE, FALSE);
    else
        DoubleClickFloatingCaption(pUnseen);
    Layout();
    Layout();
    EXPECT_FALSE(pUnseen->IsFloating());
    ExpectEveryBarShows(pDock, "shown again");
    EXPECT_EQ(std::vector<std::string>(), watch.Faults()) << "rows " << DescribeRows(pDock);
}

const UnseenRowCase kUnseenRowCases[] = {
    {"TopHiddenAfter", AFX_IDW_DOCKBAR_TOP, "AH"},
    {"TopHiddenBetween", AFX_IDW_DOCKBAR_TOP, "AHC"},
    {"TopHiddenBefore", AFX_IDW_DOCKBAR_TOP, "HA"},
    {"TopFloatedAfter", AFX_IDW_DOCKBAR_TOP, "AP"},
    {"TopFloatedBetween", AFX_IDW_DOCKBAR_TOP, "APC"},
    {"TopFloatedBefore", AFX_IDW_DOCKBAR_TOP, "PA"},
    {"LeftHiddenAfter", AFX_IDW_DOCKBAR_LEFT, "AH"},
    {"LeftHiddenBetween", AFX_IDW_DOCKBAR_LEFT, "AHC"},
    {"LeftHiddenBefore", AFX_IDW_DOCKBAR_LEFT, "HA"},
    {"LeftFloatedAfter", AFX_IDW_DOCKBAR_LEFT, "AP"},
    {"LeftFloatedBetween", AFX_IDW_DOCKBAR_LEFT, "APC"},
    {"LeftFloatedBefore", AFX_IDW_DOCKBAR_LEFT, "PA"},
    {"BottomHiddenAfter", AFX_IDW_DOCKBAR_BOTTOM, "AH"},
    {"BottomHiddenBetween", AFX_IDW_DOCKBAR_BOTTOM, "CHA"},
    {"BottomHiddenBefore", AFX_IDW_DOCKBAR_BOTTOM, "HA"},
    {"BottomFloatedAfter", AFX_IDW_DOCKBAR_BOTTOM, "AP"},
    {"BottomFloatedBetween", AFX_IDW_DOCKBAR_BOTTOM, "CPA"},
    {"BottomFloatedBefore", AFX_IDW_DOCKBAR_BOTTOM, "PA"},
    {"RightHiddenAfter", AFX_IDW_DOCKBAR_RIGHT, "AH"},
    {"RightHiddenBetween", AFX_IDW_DOCKBAR_RIGHT, "CHA"},
    {"RightHiddenBefore", AFX_IDW_DOCKBAR_RIGHT, "HA"},
    {"RightFloatedAfter", AFX_IDW_DOCKBAR_RIGHT, "AP"},
    {"RightFloatedBetween", AFX_IDW_DOCKBAR_RIGHT, "CPA"},
    {"RightFloatedBefore", AFX_IDW_DOCKBAR_RIGHT, "PA"},
};

INSTANTIATE_TEST_SUITE_P(EveryEdge, SizeDockUnseenRow, ::testing::ValuesIn(kUnseenRowCases),
                         [](const ::testing::TestParamInfo<UnseenRowCase>& info) {
                             return std::string(info.param.name);
                         });

}   // namespace

namespace {

// A row [A, P, B] of a top or left dock bar, P floated (its place-holder
// stays), A sized down by its splitter to a few pixels. The frame made narrow (or
// low) enough that A's share comes to nothing lays A out in a row of its own
// and B heads the row after it: that row is B's alone and B spans the dock
// bar's whole length at once, from the layout of that size change (which
// may be the last until the user acts again), not only once the frame is
// large again.
class SizeDockSqueezedRow : public SizeDockRows, public ::testing::WithParamInterface<UINT>
{
};

TEST_P(SizeDockSqueezedRow, TheRowAfterABarLaidOutAloneIsSharedAtOnceOverThePlaceHolders)
{
    const UINT nDockBarID = GetParam();
    CLayoutFaultWatch watch;
    COXSizeControlBar* pA = AddBar(nDockBarID, 'A');
    COXSizeControlBar* pP = AddBar(nDockBarID, 'P');
    COXSizeControlBar* pB = AddBar(nDockBarID, 'B');
    COXSizeDockBar* pDock = DockBar(nDockBarID);
    for (int i = (int)pDock->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pDock->m_arrBars[i] == NULL)
            pDock->m_arrBars.RemoveAt(i);
    Layout();
    Layout();
    m_pFrame->FloatControlBar(pP, WindowRectOf(m_pFrame).CenterPoint(), CBRS_ALIGN_TOP);
    Layout();
    ASSERT_GE(pDock->FindBar((CControlBar*)(UINT_PTR)pP->GetDlgCtrlID()), 1)
        << "no place-holder left: " << DescribeRows(pDock);
    const BOOL bHorz = pDock->IsHorzDockBar();
    auto length = [&](CWnd* p) {
        const CRect r = WindowRectOf(p);
        return bHorz ? r.Width() : r.Height();
    };
    ASSERT_EQ(1, pDock->m_arrSplitters.GetSize() - 1) << "A and B side by side: " << DescribeRows(pDock);
    // 3 pixels: its window still ends within the dock bar
    DragSplitterByMessages(pDock, 0, -(length(pA) - 3));
    Layout();
    ASSERT_EQ(3, length(pA)) << DescribeRows(pDock);

    const CRect rectFrame = WindowRectOf(m_pFrame);
    // a third of the length or less: A's share of the row comes to nothing
    const CSize sizeSmall = bHorz ? CSize(250, rectFrame.Height()) : CSize(rectFrame.Width(), 200);
    // the size change's own layout, as a single step of the user's leaves it
    m_pFrame->SetWindowPos(NULL, 0, 0, sizeSmall.cx, sizeSmall.cy, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    ASSERT_NE(pDock->RowStart(pDock->FindBar(pA)), pDock->RowStart(pDock->FindBar(pB)))
        << "A was not laid out alone: " << DescribeRows(pDock);
    CRect rectDock;
    pDock->GetClientRect(&rectDock);
    const int nBorder2 = bHorz ? afxData.cxBorder2 : afxData.cyBorder2;
    EXPECT_EQ((bHorz ? rectDock.Width() : rectDock.Height()) + nBorder2, length(pB))
        << "B's row is not shared over the small frame's dock bar: " << DescribeRows(pDock);

    m_pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width(), rectFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Layout();
    Layout();
    ExpectEveryBarShows(pDock, "the frame large again");
    EXPECT_EQ(std::vector<std::string>(), watch.Faults()) << "rows " << DescribeRows(pDock);
}

INSTANTIATE_TEST_SUITE_P(TopAndLeft, SizeDockSqueezedRow,
                         ::testing::Values((UINT)AFX_IDW_DOCKBAR_TOP, (UINT)AFX_IDW_DOCKBAR_LEFT),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                             return std::string(info.param == AFX_IDW_DOCKBAR_TOP ? "Top" : "Left");
                         });

}   // namespace
