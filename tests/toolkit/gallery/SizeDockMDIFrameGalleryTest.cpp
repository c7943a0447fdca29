// The gallery's size-dock MDI frame: bars on its four sides, a document
// window docked as a bar, one whose bar floats in a floating frame, and a
// bar floating as a document window that the bar's own menu, opened by a
// real right click, floats in a floating frame and back.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "OXMDIFloatWnd.h"
#include "OXSizableMiniDockFrameWnd.h"
#include "bars/SizeDockMDIFrame.h"
#include "OXSizeDockBar.h"
#include "OXSizeDockBar.h"
#include "testsupport.h"

namespace {

void RightClick(CPoint pt)
{
    INPUT input[2] = {};
    for (INPUT& in : input) {
        in.type = INPUT_MOUSE;
        in.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    input[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    input[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(2, input, sizeof(INPUT));
}

// The first item of the bar's menu: float as a document window, or back.
void ChooseFirstItem(HWND hMenuWnd)
{
    ::PostMessage(hMenuWnd, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessage(hMenuWnd, WM_KEYDOWN, VK_RETURN, 0);
}

TEST(GallerySizeDockMDIFrame, BarsOnFourSidesADockedDocumentAndABarFloatingAsADocument)
{
    const GalleryEntry* pEntry = FindGalleryEntry("Size-dock MDI frame");
    ASSERT_NE(pEntry, nullptr);
    CGallerySizeDockMDIFrame* pFrame = dynamic_cast<CGallerySizeDockMDIFrame*>(pEntry->open(NULL));
    ASSERT_NE(pFrame, nullptr);
    const HWND hFrame = pFrame->m_hWnd;
    PumpPending();

    for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(nID));
        ASSERT_NE(pDockBar, nullptr);
        EXPECT_GT(pDockBar->GetDockedVisibleCount(), 0) << "no bar docked at " << std::hex << nID;
    }
    COXMDIChildWndSizeDock* pReport = DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, pFrame->GetActiveMDIChild());
    ASSERT_NE(pReport, nullptr);
    EXPECT_TRUE(pReport->IsDocked());
    EXPECT_EQ(pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM), pReport->m_wndViewBar.m_pDockBar);

    // the thread's first idle pass floats a docked document's bar
    AfxGetApp()->OnIdle(0);
    PumpPending();
    COXSizableMiniDockFrameWnd* pIdeasFloat =
        DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, CWnd::FromHandlePermanent(::FindWindowA(NULL, "Ideas.kwl")));
    ASSERT_NE(pIdeasFloat, nullptr) << "\"Ideas.kwl\" does not float in a floating frame";
    EXPECT_TRUE(pIdeasFloat->IsWindowVisible());
    ASSERT_NE(pIdeasFloat->GetViewBarChild(), nullptr);
    EXPECT_TRUE(pIdeasFloat->GetViewBarChild()->IsDocked());

    CGalleryListBar* pCompetitors = pFrame->m_bars.back().get();
    ASSERT_NE(DYNAMIC_DOWNCAST(COXMDIFloatWnd, pCompetitors->GetParentFrame()), nullptr);
    // the bar went from no dock bar straight into its document window: its
    // list takes the client area it has there, no band left beside it
    auto expectListFills = [&] {
        CRect rectList, rectClient;
        pCompetitors->m_list.GetWindowRect(&rectList);
        pCompetitors->GetClientRect(&rectClient);
        CRect rectContent = GalleryBarContentRect(rectClient.Width(), rectClient.Height());
        pCompetitors->ClientToScreen(&rectContent);
        EXPECT_TRUE(rectContent == rectList) << "the list is " << rectList.Width() << "x" << rectList.Height()
                                             << " in a client area of " << rectClient.Width() << "x"
                                             << rectClient.Height();
    };
    expectListFills();

    // a right click on the bar's list brings up its menu; its first item
    // floats it in a floating frame, and then back as a document window
    pFrame->SetForegroundWindow();
    for (BOOL bInMDI : {FALSE, TRUE}) {
        SCOPED_TRACE(bInMDI ? "back as a document window" : "into a floating frame");
        CRect rectList;
        pCompetitors->m_list.GetWindowRect(&rectList);
        ASSERT_TRUE(PlaceCursor(rectList.CenterPoint()));
        CMenuWatch watch(ChooseFirstItem);
        RightClick(rectList.CenterPoint());
        ASSERT_TRUE(PumpUntil([&] { return watch.Acted(); }, kWaitMs)) << "the bar's menu never showed";
        ASSERT_TRUE(PumpUntil(
            [&] { return (DYNAMIC_DOWNCAST(COXMDIFloatWnd, pCompetitors->GetParentFrame()) != NULL) == bInMDI; },
            kWaitMs));
        EXPECT_TRUE(pCompetitors->IsWindowVisible());
        expectListFills();
    }
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hFrame));
}

// The user's layout outlives a passing resize: "Keywords" dragged by its
// caption, with real input, beside "Basket" at the right edge makes two
// columns there; the frame made small by its corner and given its size back
// leaves them two columns, not one above the other.
TEST(GallerySizeDockMDIFrame, TwoColumnsMadeAtTheRightEdgeOutliveATransientResize)
{
    const GalleryEntry* pEntry = FindGalleryEntry("Size-dock MDI frame");
    ASSERT_NE(pEntry, nullptr);
    CGallerySizeDockMDIFrame* pFrame = dynamic_cast<CGallerySizeDockMDIFrame*>(pEntry->open(NULL));
    ASSERT_NE(pFrame, nullptr);
    PumpPending();
    AfxGetApp()->OnIdle(0);
    PumpPending();
    pFrame->SetForegroundWindow();
    PumpPending();
    CGalleryListBar* pKeywords = pFrame->m_bars[1].get();
    CGalleryListBar* pBasket = pFrame->m_bars[2].get();
    COXSizeDockBar* pRight = DYNAMIC_DOWNCAST(COXSizeDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_NE(pRight, nullptr);
    ASSERT_EQ(pRight, pBasket->m_pDockBar);
    auto twoColumns = [&] {
        return pKeywords->m_pDockBar == pRight &&
               pRight->RowStart(pRight->FindBar(pKeywords)) != pRight->RowStart(pRight->FindBar(pBasket));
    };

    // by the caption to the frame's right edge, low enough that no dock bar
    // along the top or the bottom takes it
    CRect rectKeywords, rectRight;
    pKeywords->GetWindowRect(&rectKeywords);
    pRight->GetWindowRect(&rectRight);
    const CPoint from(rectKeywords.left + 30, rectKeywords.top + 8), to(rectRight.right - 20, from.y + 80);
    MouseInputAt(0, from);
    PumpPending();
    MouseInputAt(MOUSEEVENTF_LEFTDOWN, from);
    for (int i = 1; i <= 8; ++i)
        MouseInputAt(0, CPoint(from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8));
    MouseInputAt(MOUSEEVENTF_LEFTUP, to);
    ASSERT_TRUE(PumpUntil([&] { return pKeywords->m_pDockBar == pRight; }, kWaitMs)) << "the drag did not dock it";
    PumpPending();
    ASSERT_TRUE(twoColumns()) << "the drop made no column of its own";

    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    ASSERT_TRUE(SizeByCorner(pFrame->m_hWnd, CSize(480, 420)));
    ASSERT_TRUE(SizeByCorner(pFrame->m_hWnd, rectFrame.Size()));
    EXPECT_TRUE(twoColumns()) << "the two columns came back as one";
    CRect rectBasket;
    pKeywords->GetWindowRect(&rectKeywords);
    pBasket->GetWindowRect(&rectBasket);
    EXPECT_GE(rectKeywords.left, rectBasket.right) << "Keywords is no longer beside Basket";
    pFrame->DestroyWindow();
}

}   // namespace
