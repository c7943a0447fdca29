// The gallery's customize manager shows every page it holds: each item of
// its bar, activated in turn, brings up a page window with controls.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "OXCustomizeManager.h"
#include "testsupport.h"

namespace {

TEST(GalleryCustomizeManager, ActivatesEveryPage)
{
    const GalleryEntry* pEntry = FindGalleryEntry("Customize manager");
    ASSERT_NE(pEntry, nullptr);
    CWnd* pWnd = pEntry->open(NULL);
    ASSERT_NE(pWnd, nullptr);
    COXCustomizeManager* pManager = dynamic_cast<COXCustomizeManager*>(pWnd);
    ASSERT_NE(pManager, nullptr);
    HWND hManager = pManager->GetSafeHwnd();

    COXShortcutBar& bar = pManager->GetShortcutBar();
    int nPages = 0;
    for (int g = 0; g < bar.GetGroupCount(); g++) {
        HSHBGROUP hGroup = bar.FindGroupByOrder(g);
        COXSHBListCtrl* pList = bar.GetGroupListCtrl(hGroup);
        ASSERT_NE(pList, nullptr);
        for (int i = 0; i < pList->GetItemCount(); i++, nPages++) {
            SCOPED_TRACE((LPCTSTR)pList->GetItemText(i, 0));
            ASSERT_TRUE(pManager->ActivatePage(hGroup, i));
            COXCustomizePage* pPage = pManager->GetActivePage();
            ASSERT_NE(pPage, nullptr);
            EXPECT_TRUE(pPage->IsWindowVisible());
            EXPECT_NE(::GetWindow(pPage->GetSafeHwnd(), GW_CHILD), (HWND)NULL) << "a page with no controls";
            EXPECT_EQ(WindowText(pManager->GetDlgItem(IDC_OX_CUSTOMIZE_TITLE)->GetSafeHwnd()),
                      std::string((LPCTSTR)pPage->GetTitle()));
            PumpMessagesFor(0);
        }
    }
    EXPECT_EQ(nPages, pManager->GetPageCount());
    EXPECT_GE(nPages, 6);   // the gallery's four samples and the toolkit's own pages
    ::DestroyWindow(hManager);   // Cancel's way: the pages close and the dialog deletes itself
    EXPECT_FALSE(::IsWindow(hManager));
}

}  // namespace
