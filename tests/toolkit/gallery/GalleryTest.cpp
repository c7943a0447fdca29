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

CString ReadWholeFile(const CString& path)
{
    CString text;
    if (FILE* f = fopen(path, "r")) {
        char buf[256];
        size_t n = fread(buf, 1, sizeof(buf) - 1, f);
        buf[n] = 0;
        text = buf;
        fclose(f);
    }
    return text;
}

TEST(Gallery, PendingPaintIsSeenDownToChildWindows)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "pending paint", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             10, 10, 200, 150, NULL, NULL));
    CWnd child;
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(5, 5, 60, 60), &top, 1));
    EXPECT_TRUE(PumpUntil([] { return !ThreadHasPendingPaint(); }, kWaitMs));
    child.InvalidateRect(NULL);
    EXPECT_TRUE(ThreadHasPendingPaint());
    child.UpdateWindow();
    EXPECT_FALSE(ThreadHasPendingPaint());
    // A hidden window's update region paints nothing on the screen: not waited for.
    child.ShowWindow(SW_HIDE);
    top.UpdateWindow();
    child.InvalidateRect(NULL);
    EXPECT_FALSE(ThreadHasPendingPaint());
    top.DestroyWindow();
}

TEST(Gallery, ReadyFileSaysWhenThePageHasPainted)
{
    char dir[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, dir), 0u);
    CString path = CString(dir) + "gallery-ready-test.txt";
    ::DeleteFileA(path);
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    pGallery->SetReadyFile(path);

    EXPECT_EQ(pGallery->Open("No such page", TRUE), (CWnd*)NULL);
    EXPECT_EQ(ReadWholeFile(path), "missing No such page\n");
    ::DeleteFileA(path);

    const char* name = "Skinned tabs and combo boxes";
    CWnd* pPage = pGallery->Open(name, TRUE);
    ASSERT_NE(pPage, (CWnd*)NULL);
    HWND hPage = pPage->GetSafeHwnd();
    EXPECT_EQ(::GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES) << "ready before the page was shown";
    ASSERT_TRUE(PumpUntil([&] { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }, 2 * kWaitMs));
    EXPECT_EQ(ReadWholeFile(path), CString("shown ") + name + "\n");
    EXPECT_FALSE(ThreadHasPendingPaint());
    ::DeleteFileA(path);
    ::DestroyWindow(hPage);
    pGallery->DestroyWindow();
}

}  // namespace
