// The gallery lists every registered page once and opens each of them.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "testsupport.h"

namespace {

TEST(Gallery, ListsEveryEntryOnce)
{
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    HWND hList = ::GetWindow(pGallery->GetSafeHwnd(), GW_CHILD);
    ASSERT_NE(hList, (HWND)NULL);
    EXPECT_EQ((size_t)::SendMessage(hList, LB_GETCOUNT, 0, 0), GalleryEntries().size());
    for (size_t i = 0; i < GalleryEntries().size(); ++i)
        for (size_t j = i + 1; j < GalleryEntries().size(); ++j)
            EXPECT_STRNE(GalleryEntries()[i].name, GalleryEntries()[j].name);
    pGallery->DestroyWindow();   // deletes itself
}

TEST(Gallery, OpensEachEntry)
{
    ASSERT_FALSE(GalleryEntries().empty());
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    for (const GalleryEntry& e : GalleryEntries()) {
        SCOPED_TRACE(e.name);
        CWnd* pPage = pGallery->Open(e.name);
        ASSERT_NE(pPage, (CWnd*)NULL);
        HWND hPage = pPage->GetSafeHwnd();
        EXPECT_TRUE(::IsWindowVisible(hPage));
        EXPECT_NE(::GetWindow(hPage, GW_CHILD), (HWND)NULL) << "a page with no controls";
        // what the page posted itself while opening runs before it closes
        EXPECT_TRUE(PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0; }, kWaitMs));
        ::DestroyWindow(hPage);
        EXPECT_FALSE(::IsWindow(hPage));
    }
    pGallery->DestroyWindow();
}

}  // namespace
