// The sample frames the gallery opens show what their bars hold: after an
// idle pass every tool bar button is enabled (a command nobody handles is
// disabled and loses its picture), the background painter's buttons choose
// how the picture is laid, and the workspace frame's sizing bars are lists.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Gallery.h"
#include "bars/WorkspaceFrame.h"
#include "testsupport.h"

namespace {

std::vector<CToolBar*> ToolBars(CFrameWnd* pFrame)
{
    std::vector<CToolBar*> bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CToolBar* pBar = DYNAMIC_DOWNCAST(CToolBar, (CObject*)pFrame->m_listControlBars.GetNext(pos));
        if (pBar != NULL)
            bars.push_back(pBar);
    }
    return bars;
}

// The buttons that are not enabled, as "bar text:command".
std::string DisabledButtons(CFrameWnd* pFrame)
{
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    std::string disabled;
    for (CToolBar* pBar : ToolBars(pFrame)) {
        CString sTitle;
        pBar->GetWindowText(sTitle);
        const int nCount = (int)pBar->SendMessage(TB_BUTTONCOUNT);
        for (int i = 0; i < nCount; i++) {
            TBBUTTON button = {};
            pBar->SendMessage(TB_GETBUTTON, i, (LPARAM)&button);
            if (!(button.fsStyle & TBSTYLE_SEP) && !(button.fsState & TBSTATE_ENABLED))
                disabled += std::string((LPCTSTR)sTitle) + ":" + std::to_string(button.idCommand) + " ";
        }
    }
    return disabled;
}

BOOL CALLBACK FindWorkspaceFrameProc(HWND h, LPARAM lParam)
{
    char szTitle[32] = "";
    ::GetWindowTextA(h, szTitle, sizeof szTitle);
    CWorkspaceFrame* pFrame = dynamic_cast<CWorkspaceFrame*>(CWnd::FromHandlePermanent(h));
    if (pFrame != NULL && ::IsWindowVisible(h)) {
        *(CWorkspaceFrame**)lParam = pFrame;
        return FALSE;
    }
    return TRUE;
}

TEST(GallerySampleFrames, TheBackgroundPaintersButtonsAreEnabledAndChooseTheLaying)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pGallery->Open("Background painter"));
    ASSERT_NE(pFrame, nullptr);
    ASSERT_EQ(ToolBars(pFrame).size(), 2u);
    EXPECT_EQ(DisabledButtons(pFrame), "");

    CToolBar* pBar = ToolBars(pFrame).front();
    const int nFirst = (int)pBar->GetItemID(0), nSecond = (int)pBar->GetItemID(1);
    EXPECT_TRUE(pBar->SendMessage(TB_ISBUTTONCHECKED, nFirst)) << "tiled is the laying at first";
    pFrame->SendMessage(WM_COMMAND, nSecond);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(pBar->SendMessage(TB_ISBUTTONCHECKED, nFirst));
    EXPECT_TRUE(pBar->SendMessage(TB_ISBUTTONCHECKED, nSecond));
    pFrame->DestroyWindow();
    pGallery->DestroyWindow();
}

TEST(GallerySampleFrames, TheWorkspaceFramesBarsHoldButtonsAndLists)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    CWnd* pPage = pGallery->Open("Workspace");
    ASSERT_NE(pPage, nullptr);
    CWorkspaceFrame* pFrame = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindWorkspaceFrameProc, (LPARAM)&pFrame);
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(DisabledButtons(pFrame), "");
    pFrame->SendMessage(WM_COMMAND, ID_WORKSPACE_FETCH);
    EXPECT_EQ(pFrame->m_nLastCommand, (UINT)ID_WORKSPACE_FETCH);

    std::vector<CGalleryListBar*> bars = {pFrame->m_pSizeBar};
    bars.insert(bars.end(), std::begin(pFrame->m_pStackBars), std::end(pFrame->m_pStackBars));
    for (CGalleryListBar* pBar : bars) {
        CString sTitle;
        pBar->GetWindowText(sTitle);
        EXPECT_GT(pBar->m_list.GetCount(), 0) << (LPCTSTR)sTitle << " is empty";
    }
    // The list takes the bar shown.
    CRect rectBar, rectList;
    pFrame->m_pStackBars[0]->GetClientRect(&rectBar);
    pFrame->m_pStackBars[0]->m_list.GetWindowRect(&rectList);
    EXPECT_EQ(rectList.Size(), GalleryBarContentRect(rectBar.Width(), rectBar.Height()).Size());
    pPage->DestroyWindow();
    pGallery->DestroyWindow();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Gallery\\Workspace");
}

}  // namespace
