// What a run costs the window besides its pages: the page bar is drawn only
// when what it shows changes, and the messages that carry a run leave the
// program's idle-time updates alone.
#include "ViewFixture.h"
#include "HarvestMessages.h"

namespace {

class HarvestPaceTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        CreateWindows();
    }
};

TEST_F(HarvestPaceTest, ThePageBarIsDrawnWhenItChangesNotForEveryPage)
{
    const int nPages = 20;
    CStatisticsService::Settings settings = m_service.GetSettings();
    settings.nPagesPerSeed = nPages;
    m_service.SetSettings(settings);
    ApplySettings(0, 1, nPages);
    CMessageRecorder recorder;
    recorder.Watch(Item(IDC_PAGE_PROGRESS), "page");
    recorder.Only({WM_PAINT});

    ASSERT_TRUE(Harvest("pear"));
    ASSERT_EQ(m_service.RequestCount(), (size_t)nPages);
    EXPECT_EQ(RowCount(), nPages * settings.nRowsPerPage);
    // 30 after Go, 100 after the first page, 60 under the closing box and 100
    // again, and once more should the box's going uncover the bar.
    EXPECT_LE(recorder.Count(WM_PAINT), 5);
    EXPECT_EQ(::SendMessageA(Item(IDC_PAGE_PROGRESS), PBM_GETPOS, 0, 0), 100);
}

TEST_F(HarvestPaceTest, OnlyTheViewsOwnRunMessagesSkipTheIdleTimeUpdates)
{
    const struct {
        HWND hWnd;
        UINT nMessage;
        WPARAM wParam;
        bool bRunMessage;
    } cases[] = {
        {m_pView->m_hWnd, WM_SUGGESTIONS_FETCHED, 0, true},
        {m_pView->m_hWnd, WM_FETCH_NEXT_PAGE, 0, true},
        {m_pView->m_hWnd, WM_TIMER, CPellucorView::nRefillTimer, true},
        // The start of a run, and what the user does, still update the commands.
        {m_pView->m_hWnd, WM_TIMER, CPellucorView::nStartTimer, false},
        {m_pView->m_hWnd, WM_MOUSEMOVE, 0, false},
        // The same numbers mean something else to other windows.
        {List(), WM_SUGGESTIONS_FETCHED, 0, false},
        {m_pFrame->m_hWnd, WM_TIMER, CPellucorView::nRefillTimer, false},
        {NULL, WM_FETCH_NEXT_PAGE, 0, false},
    };
    for (const auto& c : cases) {
        MSG msg = {};
        msg.hwnd = c.hWnd;
        msg.message = c.nMessage;
        msg.wParam = c.wParam;
        EXPECT_EQ(CPellucorView::IsRunMessage(&msg), c.bRunMessage)
            << "message 0x" << std::hex << c.nMessage << " wParam " << std::dec << c.wParam;
    }
}

}  // namespace
