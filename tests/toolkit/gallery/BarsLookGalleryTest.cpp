// What a user sees of the gallery's sizing bars and tool bars: the caption
// strip's buttons stand apart from what a bar holds, and the tool bars carry
// the titles the page gave them.
#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "Gallery.h"
#include "OXDockbarSkin.h"
#include "OXSizeControlBar.h"
#include "OXMDIChildWndSizeDock.h"
#include "../bars/SkinTestSupport.h"
#include "testsupport.h"

namespace {

class GalleryBarsLook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pGallery = new CGalleryWindow;
        ASSERT_TRUE(m_pGallery->CreateGallery());
    }
    void TearDown() override { m_pGallery->DestroyWindow(); }   // deletes itself

    // The page's frame, opened and laid out.
    CFrameWnd* Open(const char* name)
    {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pGallery->Open(name));
        if (pFrame != NULL)
            PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0 && !ThreadHasPendingPaint(); },
                      kWaitMs);
        return pFrame;
    }

    CGalleryWindow* m_pGallery = NULL;
};

// A bar docked at the top or the bottom has its caption strip down its left
// side, the close button at the strip's top: a first line right beside that
// button reads as a check box with its label. What the bar holds starts well
// clear of the strip's buttons, whichever side the bar is docked on.
TEST_F(GalleryBarsLook, CaptionButtonsStandClearOfWhatTheBarHolds)
{
    const int kClear = 10;
    for (const char* name : {"Dock tabs", "Size-dock MDI frame"}) {
        SCOPED_TRACE(name);
        CFrameWnd* pFrame = Open(name);
        ASSERT_NE(pFrame, nullptr);
        int nHorz = 0, nVert = 0;
        for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
            COXSizeControlBar* pBar =
                DYNAMIC_DOWNCAST(COXSizeControlBar, (CObject*)pFrame->m_listControlBars.GetNext(pos));
            // a document docked as a bar holds its own frame and view
            if (pBar == NULL || pBar->IsKindOf(RUNTIME_CLASS(COXSizeViewBar)) || !pBar->IsWindowVisible() ||
                pBar->IsFloating() || pBar->m_rectCloseButton.IsRectEmpty())
                continue;
            CString strTitle;
            pBar->GetWindowText(strTitle);
            CWnd* pContent = pBar->GetWindow(GW_CHILD);
            ASSERT_NE(pContent, nullptr) << (LPCTSTR)strTitle;
            CRect rectContent;
            pContent->GetWindowRect(&rectContent);
            pBar->ScreenToClient(&rectContent);
            const CRect& rectClose = pBar->m_rectCloseButton;
            if (pBar->IsHorzDocked()) {
                ++nHorz;
                EXPECT_GE(rectContent.left - rectClose.right, kClear)
                    << (LPCTSTR)strTitle << ": the close button ends at " << rectClose.right
                    << ", the content starts at " << rectContent.left;
            } else {
                ++nVert;
                EXPECT_GE(rectContent.top - rectClose.bottom, kClear)
                    << (LPCTSTR)strTitle << ": the close button ends at " << rectClose.bottom
                    << ", the content starts at " << rectContent.top;
            }
        }
        EXPECT_GE(nHorz, 2) << "bars docked at the top and the bottom";
        EXPECT_GE(nVert, 1) << "bars docked at a side";
        pFrame->DestroyWindow();
    }
}

// A bar docked at the top or the bottom reads its title up its caption
// strip, below its buttons: the page gives it the height its title needs
// there, in every skin, as it gives a side bar the width for its own.
TEST_F(GalleryBarsLook, DockedBarsTitlesFitTheirCaptions)
{
    CSkinnedAppScope app;
    for (const char* skin : {"Classic", "Office XP", "Office 2003"}) {
        ASSERT_TRUE(app.m_pApp->SetCurrentSkin(skin));
        for (const char* name : {"Dock tabs", "Size-dock MDI frame"}) {
            SCOPED_TRACE(::testing::Message() << name << ", " << skin);
            CFrameWnd* pFrame = Open(name);
            ASSERT_NE(pFrame, nullptr);
            int nHorz = 0;
            for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
                COXSizeControlBar* pBar =
                    DYNAMIC_DOWNCAST(COXSizeControlBar, (CObject*)pFrame->m_listControlBars.GetNext(pos));
                if (pBar == NULL || !pBar->IsWindowVisible() || pBar->IsFloating() || !pBar->HasCaption())
                    continue;
                CString strTitle;
                pBar->GetWindowText(strTitle);
                if (strTitle.IsEmpty())
                    continue;
                COXDockbarSkin* pSkin = pBar->GetDockbarSkin();
                const CRect rectText = pSkin->GetCaptionTextRect(pBar);
                CClientDC dc(pBar);
                CFont* pOld = dc.SelectObject(pSkin->GetCaptionFont(pBar));
                const int cxTitle = dc.GetTextExtent(strTitle).cx;
                dc.SelectObject(pOld);
                const int nRoom = pBar->IsHorzDocked() ? rectText.Height() : rectText.Width();
                nHorz += pBar->IsHorzDocked();
                EXPECT_GE(nRoom, cxTitle) << (LPCTSTR)strTitle << (pBar->IsHorzDocked() ? ", along an edge" : "")
                                          << ": " << cxTitle << " pixels long in a room of " << nRoom;
            }
            EXPECT_GE(nHorz, 2) << "bars docked at the top and the bottom";
            pFrame->DestroyWindow();
        }
    }
}

BOOL CALLBACK CollectToolBarTitlesProc(HWND h, LPARAM lParam)
{
    char cls[32] = "";
    ::GetClassNameA(h, cls, sizeof cls);
    if (strcmp(cls, TOOLBARCLASSNAMEA) == 0)
        *(std::string*)lParam += "\"" + WindowText(h) + "\" ";
    return TRUE;
}

// A tool bar's title is its caption while it floats: each keeps the one the
// page gave it, none takes the frame's prompts (those go to the bar with the
// status bar's id).
TEST_F(GalleryBarsLook, CoolToolBarsKeepTheirTitles)
{
    CFrameWnd* pFrame = Open("Cool tool bars");
    ASSERT_NE(pFrame, nullptr);
    pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    std::string titles;
    ::EnumChildWindows(pFrame->m_hWnd, CollectToolBarTitlesProc, (LPARAM)&titles);
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::GetWindow(h, GW_OWNER) == pFrame->m_hWnd)
            ::EnumChildWindows(h, CollectToolBarTitlesProc, (LPARAM)&titles);
    for (const char* title : {"Prompts under the images", "Tips beside the images", "Texts by hand", "Images only",
                              "Colours of its own", "Custom buttons"})
        EXPECT_NE(titles.find(std::string("\"") + title + "\""), std::string::npos) << title << " among " << titles;
    pFrame->DestroyWindow();
}

}  // namespace
