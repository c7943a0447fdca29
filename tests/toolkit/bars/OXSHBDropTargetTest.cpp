// The drop target and drop source that hand every OLE call to a window as a
// message: the record each message carries, the answers taken from it, and
// the defaults when the window does not answer.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXSHBDropSource.h"
#include "OXShortcutBarSkin.h"

namespace {

#ifdef _WIN64
static_assert(sizeof(OXDRAGDROPMESSAGE) == 40 && offsetof(OXDRAGDROPMESSAGE, dwKeyState) == 16, "record");
static_assert(sizeof(OXDRAGDROPSOURCEMESSAGE) == 24, "source record");
#else
static_assert(sizeof(OXDRAGDROPMESSAGE) == 32 && offsetof(OXDRAGDROPMESSAGE, dwKeyState) == 8, "record");
static_assert(sizeof(OXDRAGDROPSOURCEMESSAGE) == 20, "source record");
#endif
static_assert(offsetof(OXDRAGDROPMESSAGE, result) == sizeof(OXDRAGDROPMESSAGE) - 4, "result last");

// A window that answers what it is told to and keeps the records it got.
class CAnsweringWnd : public CWnd
{
public:
    LRESULT m_reply = 0;
    DWORD m_result = 0;
    std::vector<UINT> m_messages;
    std::vector<OXDRAGDROPMESSAGE> m_records;
    std::vector<OXDRAGDROPSOURCEMESSAGE> m_sourceRecords;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= SHBDTM_DRAGENTER && message <= SHBDTM_DROPEX) {
            m_messages.push_back(message);
            OXDRAGDROPMESSAGE* pRec = (OXDRAGDROPMESSAGE*)lParam;
            m_records.push_back(*pRec);
            if (m_reply)
                pRec->result = m_result;
            return m_reply;
        }
        if (message >= SHBDSM_GIVEFEEDBACK && message <= SHBDSM_QUERYCONTINUEDRAG) {
            m_messages.push_back(message);
            OXDRAGDROPSOURCEMESSAGE* pRec = (OXDRAGDROPSOURCEMESSAGE*)lParam;
            m_sourceRecords.push_back(*pRec);
            if (m_reply)
                pRec->result = (LONG)m_result;
            return m_reply;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class SHBDropTarget : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    }
    void TearDown() override { m_wnd.DestroyWindow(); }
    CAnsweringWnd m_wnd;
    COXSHBDropTarget m_target;
};

TEST_F(SHBDropTarget, EachCallIsAMessageWithItsRecord)
{
    COleDataObject data;
    m_wnd.m_reply = 1;
    m_wnd.m_result = DROPEFFECT_COPY;
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, m_target.OnDragEnter(&m_wnd, &data, MK_CONTROL, CPoint(3, 4)));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, m_target.OnDragOver(&m_wnd, &data, MK_LBUTTON, CPoint(5, 6)));
    m_target.OnDragLeave(&m_wnd);
    m_wnd.m_result = TRUE;
    EXPECT_TRUE(m_target.OnDrop(&m_wnd, &data, DROPEFFECT_MOVE, CPoint(7, 8)));
    ASSERT_EQ((std::vector<UINT>{SHBDTM_DRAGENTER, SHBDTM_DRAGOVER, SHBDTM_DRAGLEAVE, SHBDTM_DROP}),
              m_wnd.m_messages);
    const OXDRAGDROPMESSAGE& enter = m_wnd.m_records[0];
    EXPECT_EQ(&m_wnd, enter.pWnd);
    EXPECT_EQ(&data, enter.pDataObject);
    EXPECT_EQ((DWORD)MK_CONTROL, enter.dwKeyState);
    EXPECT_EQ(3, enter.x);
    EXPECT_EQ(4, enter.y);
    EXPECT_EQ(0u, enter.result) << "records start zeroed";
    EXPECT_EQ(NULL, m_wnd.m_records[2].pDataObject);
    EXPECT_EQ((DWORD)DROPEFFECT_MOVE, m_wnd.m_records[3].dropEffect);
}

TEST_F(SHBDropTarget, AWindowThatDoesNotAnswerRefuses)
{
    COleDataObject data;
    m_wnd.m_result = DROPEFFECT_COPY;   // written nowhere: the reply is 0
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, m_target.OnDragEnter(&m_wnd, &data, 0, CPoint(1, 1)));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, m_target.OnDragOver(&m_wnd, &data, 0, CPoint(1, 1)));
    EXPECT_FALSE(m_target.OnDrop(&m_wnd, &data, DROPEFFECT_COPY, CPoint(1, 1)));
    EXPECT_EQ((DROPEFFECT)-1, m_target.OnDropEx(&m_wnd, &data, DROPEFFECT_COPY, DROPEFFECT_COPY, CPoint(1, 1)))
        << "not decided: OLE goes on to the plain drop";
}

TEST_F(SHBDropTarget, TheDropSourceAsksItsOwnerFirst)
{
    COXSHBDropSource source;
    EXPECT_EQ(NULL, source.SetOwner(&m_wnd));
    m_wnd.m_reply = 1;
    m_wnd.m_result = (DWORD)DRAGDROP_S_CANCEL;
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(FALSE, MK_LBUTTON));
    m_wnd.m_result = S_OK;
    EXPECT_EQ(S_OK, source.GiveFeedback(DROPEFFECT_MOVE));
    ASSERT_EQ(2u, m_wnd.m_sourceRecords.size());
    EXPECT_EQ((DWORD)MK_LBUTTON, m_wnd.m_sourceRecords[0].dwKeyState);
    EXPECT_EQ((DWORD)DROPEFFECT_MOVE, m_wnd.m_sourceRecords[1].dropEffect);
    // Unanswered: Escape cancels as it always does.
    m_wnd.m_reply = 0;
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(TRUE, MK_LBUTTON));
    EXPECT_EQ(S_OK, source.QueryContinueDrag(FALSE, MK_LBUTTON));
}

// Answers the drag scroll with what it is told (replying m_reply) and
// keeps the scroll steps and the other drag messages it gets.
class CScrollingWnd : public CWnd
{
public:
    DWORD m_answer = 0;
    LRESULT m_reply = 1;
    std::vector<std::string> m_log;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case SHBDTM_DRAGSCROLL:
            ((OXDRAGDROPMESSAGE*)lParam)->result = m_answer;
            return m_reply;
        case SHBDTM_DRAGENTER:
            m_log.push_back("enter");
            return 0;
        case SHBDTM_DRAGLEAVE:
            m_log.push_back("leave");
            return 1;
        case WM_VSCROLL:
            m_log.push_back(LOWORD(wParam) == SB_LINEUP ? "up" : LOWORD(wParam) == SB_LINEDOWN ? "down" : "?");
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& line : lines)
        s += (s.empty() ? "" : " ") + line;
    return s;
}

class SHBDropScroll : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.CreateEx(0, AfxRegisterWndClass(0), "scrolled", WS_POPUP | WS_VSCROLL,
                                   CRect(0, 0, 120, 200), NULL, 0));
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE, 0, 100, 10};
        m_wnd.SetScrollInfo(SB_VERT, &si, FALSE);
        m_nDelay = COleDropTarget::nScrollDelay;
        m_nInterval = COleDropTarget::nScrollInterval;
        COleDropTarget::nScrollDelay = 0;
        COleDropTarget::nScrollInterval = 0;
    }
    void TearDown() override
    {
        COleDropTarget::nScrollDelay = m_nDelay;
        COleDropTarget::nScrollInterval = m_nInterval;
        m_wnd.DestroyWindow();
    }
    CScrollingWnd m_wnd;
    COXSHBDropTarget m_target;
    UINT m_nDelay = 0, m_nInterval = 0;
};

TEST_F(SHBDropScroll, TheWindowsAnswerStandsEvenUnanswered)
{
    // Put in the record but not replied to: still the answer.
    m_wnd.m_reply = 0;
    m_wnd.m_answer = DROPEFFECT_COPY;
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, m_target.OnDragScroll(&m_wnd, 0, CPoint(60, 2)));
    m_wnd.m_answer = 0;
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, m_target.OnDragScroll(&m_wnd, 0, CPoint(60, 2)));
    EXPECT_TRUE(m_wnd.m_log.empty()) << Joined(m_wnd.m_log);
}

TEST_F(SHBDropScroll, AWindowAskingForScrollingScrollsInTheBandsAlongItsEdges)
{
    m_wnd.m_answer = DROPEFFECT_SCROLL;
    CRect rcClient;
    m_wnd.GetClientRect(&rcClient);
    const int nInset = COleDropTarget::nScrollInset;
    struct Step { CPoint pt; DWORD dwKeys; DROPEFFECT expected; const char* log; } steps[] = {
        {CPoint(60, 100), 0, DROPEFFECT_NONE, ""},
        {CPoint(60, nInset - 1), 0, DROPEFFECT_SCROLL, "up leave"},
        {CPoint(60, 1), MK_CONTROL, DROPEFFECT_SCROLL | DROPEFFECT_COPY, "up"},
        {CPoint(60, rcClient.bottom - 1), MK_SHIFT, DROPEFFECT_SCROLL | DROPEFFECT_MOVE, "down"},
        {CPoint(60, rcClient.bottom - 2), MK_CONTROL | MK_SHIFT, DROPEFFECT_SCROLL | DROPEFFECT_LINK, "down"},
        {CPoint(60, 100), 0, DROPEFFECT_NONE, "enter"},
        {CPoint(60, 101), 0, DROPEFFECT_NONE, ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.pt.y);
        m_wnd.m_log.clear();
        EXPECT_EQ(step.expected, m_target.OnDragScroll(&m_wnd, step.dwKeys, step.pt));
        EXPECT_EQ(step.log, Joined(m_wnd.m_log));
    }

    // Nothing to scroll: no scrolling.
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE, 0, 100, 200};
    m_wnd.SetScrollInfo(SB_VERT, &si, FALSE);
    m_wnd.m_log.clear();
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, m_target.OnDragScroll(&m_wnd, 0, CPoint(60, 1)));
    EXPECT_EQ("", Joined(m_wnd.m_log));
}

TEST(ShortcutBarSkinClassic, ColoursAndFrameColours)
{
    COXShortcutBarSkinClassic skin;
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), skin.GetBackgroundColor(NULL));
    EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), skin.GetTextColor());
    struct Case { COLORREF back, light, dark; } cases[] = {
        {RGB(250, 250, 250), RGB(255, 255, 255), RGB(122, 122, 122)},
        {RGB(20, 30, 200), RGB(84, 94, 255), RGB(0, 0, 72)},
        {RGB(0, 0, 0), RGB(64, 64, 64), RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.light, COXShortcutBarSkinClassic::LightFrameColor(c.back));
        EXPECT_EQ(c.dark, COXShortcutBarSkinClassic::DarkFrameColor(c.back));
    }
    EXPECT_EQ(NULL, OXGetAppShortcutBarSkin()) << "no skinned application yet";
}

}  // namespace
