// Rows of sizing bars after the moves a user makes. A bar floated off a row
// leaves its place-holder there (its control id in the row, where it docks
// back): layouts walk rows that hold place-holders, squeezed to nothing and
// given their room back every bar of such a row shows again, and no layout
// faults on the way; a bar docked at another edge leaves none behind. A bar
// dragged along its own row leaves the row within its dock bar.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXFrameWndDock.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "SizeDockTestSupport.h"
#include "testsupport.h"

namespace {

const UINT kFirstBarId = AFX_IDW_CONTROLBAR_FIRST + 70;

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

class SizeDockPlaceHolder : public ::testing::TestWithParam<PlaceHolderCase>
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
class SizeDockPlaceHolderElsewhere : public SizeDockPlaceHolder
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
class SizeDockRowDrag : public SizeDockPlaceHolder
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
