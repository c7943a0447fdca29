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
    // list fills the client area it has there, no band left beside it
    auto expectListFills = [&] {
        CRect rectList, rectClient;
        pCompetitors->m_list.GetWindowRect(&rectList);
        pCompetitors->GetClientRect(&rectClient);
        pCompetitors->ClientToScreen(&rectClient);
        EXPECT_TRUE(rectClient == rectList) << "the list is " << rectList.Width() << "x" << rectList.Height()
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

}   // namespace
