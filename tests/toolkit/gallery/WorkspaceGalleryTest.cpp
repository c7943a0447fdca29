// The gallery's workspace page: its Restart button puts a new frame where
// the old one was left.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "bars/WorkspaceFrame.h"
#include "testdrawing.h"
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

// Where ink lies on a canvas: the right and bottom edges of what is not white.
CSize InkExtent(const CPixelCanvas& canvas, int cx, int cy)
{
    CSize ink(0, 0);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (canvas.At(x, y) != kWhite)
                ink = CSize(std::max((int)ink.cx, x + 1), std::max((int)ink.cy, y + 1));
    return ink;
}

// A document's text is drawn in the font of the lists in the frame's bars,
// not in the DC's bold system font.
TEST(WorkspaceGallery, DocumentsDrawInTheBarsFont)
{
    struct CDrawnView : public CWorkspaceView {
        void Draw(CDC* pDC, CDocument* pDoc)
        {
            m_pDocument = pDoc;
            OnDraw(pDC);
            m_pDocument = NULL;
        }
    } view;
    CWorkspaceDoc doc;
    doc.m_strText = "seed keyword 3";
    CPixelCanvas drawn(300, 40), expected(300, 40);
    view.Draw(&drawn.dc, &doc);
    expected.dc.SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    expected.dc.TextOut(4, 4, doc.m_strText);
    EXPECT_EQ(InkExtent(drawn, 300, 40), InkExtent(expected, 300, 40));
}

}  // namespace
