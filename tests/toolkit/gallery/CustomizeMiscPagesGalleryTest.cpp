// The gallery's customize manager holds the intelli-mouse, splash window and
// tray icon pages: a click on each one's item brings its page up, with its
// controls, and Cancel closes the dialog.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "OXCustomizeManager.h"
#include "testsupport.h"

namespace {

TEST(GalleryCustomizeManager, AClickBringsUpTheIntelliMouseSplashAndTrayPages)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    COXCustomizeManager* pManager = dynamic_cast<COXCustomizeManager*>(pGallery->Open("Customize manager"));
    ASSERT_NE(pManager, nullptr);
    HWND hManager = pManager->GetSafeHwnd();
    for (const char* title : {"Intelli-mouse", "Splash window", "Tray icon"}) {
        SCOPED_TRACE(title);
        HSHBGROUP hGroup = NULL;
        int nItem = -1;
        ASSERT_TRUE(pManager->FindPage(title, "Customize", hGroup, nItem));
        COXShortcutBar& bar = pManager->GetShortcutBar();
        bar.ExpandGroup(hGroup);
        COXSHBListCtrl* pList = bar.GetGroupListCtrl(hGroup);
        pList->EnsureItemVisible(nItem, FALSE);
        CRect rect;
        pList->GetItemRect(nItem, &rect, LVIR_LABEL);
        CPoint pt = rect.CenterPoint();
        pList->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        pList->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        ASSERT_TRUE(PumpUntil([&] {
            COXCustomizePage* pPage = pManager->GetActivePage();
            return pPage != NULL && pPage->GetTitle() == title;
        }, kWaitMs)) << "the click did not bring the page up";
        COXCustomizePage* pPage = pManager->GetActivePage();
        EXPECT_TRUE(pPage->IsWindowVisible());
        EXPECT_NE(::GetWindow(pPage->GetSafeHwnd(), GW_CHILD), (HWND)NULL) << "a page with no controls";
    }
    // what the pages posted themselves while opening runs before the dialog closes
    EXPECT_TRUE(PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0; }, kWaitMs));
    pManager->SendMessage(WM_COMMAND, IDCANCEL, (LPARAM)pManager->GetDlgItem(IDCANCEL)->GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(hManager));
    pGallery->DestroyWindow();
}

}  // namespace
