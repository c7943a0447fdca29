// The gallery's workspace page: its Restart button puts a new frame where
// the old one was left.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "bars/WorkspaceFrame.h"
#include "testsupport.h"

namespace {

BOOL CALLBACK FindWorkspaceFrameProc(HWND h, LPARAM lParam)
{
    char szTitle[32] = "";
    ::GetWindowTextA(h, szTitle, sizeof szTitle);
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(h));
    if (pFrame != NULL && strcmp(szTitle, "Workspace") == 0 && ::IsWindowVisible(h)) {
        *(CMDIFrameWnd**)lParam = pFrame;
        return FALSE;
    }
    return TRUE;
}

// The page's frame: this thread's top-level MDI frame titled "Workspace".
CMDIFrameWnd* FindWorkspaceFrame()
{
    CMDIFrameWnd* pFound = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindWorkspaceFrameProc, (LPARAM)&pFound);
    return pFound;
}

std::vector<CRect> ChildRects(CMDIFrameWnd* pFrame)
{
    std::vector<CRect> rects;
    for (HWND h = ::GetWindow(pFrame->m_hWndMDIClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        WINDOWPLACEMENT wp = {sizeof wp};
        ::GetWindowPlacement(h, &wp);
        rects.push_back(wp.rcNormalPosition);
    }
    return rects;
}

TEST(WorkspaceGallery, RestartPutsTheFrameBackAsItWasLeft)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    CWnd* pPage = pGallery->Open("Workspace");
    ASSERT_NE(pPage, nullptr);
    CMDIFrameWnd* pFrame = FindWorkspaceFrame();
    ASSERT_NE(pFrame, nullptr);
    pFrame->MoveWindow(80, 90, 800, 560);
    CMDIChildWnd* pActive = pFrame->MDIGetActive();
    ASSERT_NE(pActive, nullptr);
    pActive->MoveWindow(30, 20, 420, 260);
    const std::vector<CRect> left = ChildRects(pFrame);
    ASSERT_EQ(left.size(), 3u);
    const HWND hOld = pFrame->m_hWnd;

    ::SendMessage(::GetDlgItem(pPage->m_hWnd, ID_WORKSPACE_RESTART), BM_CLICK, 0, 0);
    ASSERT_FALSE(::IsWindow(hOld)) << "a new frame";
    pFrame = FindWorkspaceFrame();
    ASSERT_NE(pFrame, nullptr);
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    EXPECT_EQ(rectFrame, CRect(80, 90, 880, 650));
    EXPECT_EQ(ChildRects(pFrame), left);
    pPage->DestroyWindow();
    pGallery->DestroyWindow();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Gallery\\Workspace");
}

}  // namespace
