// The gallery's customize manager shows every page registered with it: each
// item of the bar, activated, brings up its page with its controls.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "OXCustomizeManager.h"
#include "testsupport.h"

namespace {

TEST(GalleryCustomizeManager, EveryPageShows)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    COXCustomizeManager* pManager = dynamic_cast<COXCustomizeManager*>(pGallery->Open("Customize manager"));
    ASSERT_NE(pManager, nullptr);
    HWND hManager = pManager->GetSafeHwnd();
    COXShortcutBar& bar = pManager->GetShortcutBar();
    int nShown = 0;
    for (int nGroup = 0; nGroup < bar.GetGroupCount(); nGroup++) {
        HSHBGROUP hGroup = bar.FindGroupByOrder(nGroup);
        COXSHBListCtrl* pList = bar.GetGroupListCtrl(hGroup);
        ASSERT_NE(pList, nullptr);
        for (int nItem = 0; nItem < pList->GetItemCount(); nItem++) {
            CString sTitle = pList->GetItemText(nItem, 0);
            SCOPED_TRACE((LPCTSTR)sTitle);
            ASSERT_TRUE(pManager->ActivatePage(hGroup, nItem));
            COXCustomizePage* pPage = pManager->GetActivePage();
            ASSERT_NE(pPage, nullptr);
            EXPECT_TRUE(pPage->IsWindowVisible());
            EXPECT_NE(::GetWindow(pPage->GetSafeHwnd(), GW_CHILD), (HWND)NULL) << "a page with no controls";
            EXPECT_EQ(pPage->GetTitle(), sTitle);
            nShown++;
        }
    }
    EXPECT_EQ(nShown, pManager->GetPageCount());
    EXPECT_GE(nShown, 7);
    // what the pages posted themselves while opening runs before the dialog closes
    EXPECT_TRUE(PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0; }, 2000));
    pManager->SendMessage(WM_COMMAND, IDCANCEL, (LPARAM)pManager->GetDlgItem(IDCANCEL)->GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(hManager));
    pGallery->DestroyWindow();
}

}  // namespace
