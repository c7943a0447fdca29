// OLE drag and drop between windows of this test: a data source dragged by a
// drop source whose QueryContinueDrag moves the cursor and decides when to
// drop or cancel, onto a window's drop target and onto a view that scrolls
// while the cursor rests along its edge.
#include <afxwin.h>
#include <afxole.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "testsupport.h"

namespace {

class OleDragDrop : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
};

COleDataSource* NewTextSource(const char* pszText)
{
    COleDataSource* pSource = new COleDataSource;
    size_t nLen = strlen(pszText) + 1;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nLen);
    memcpy(::GlobalLock(hGlobal), pszText, nLen);
    ::GlobalUnlock(hGlobal);
    pSource->CacheGlobalData(CF_TEXT, hGlobal);
    return pSource;
}

std::string TextOf(COleDataObject* pDataObject)
{
    HGLOBAL hGlobal = pDataObject->GetGlobalData(CF_TEXT);
    if (hGlobal == NULL)
        return "";
    std::string text = (const char*)::GlobalLock(hGlobal);
    ::GlobalUnlock(hGlobal);
    ::GlobalFree(hGlobal);
    return text;
}

CPoint CenterOf(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect.CenterPoint();
}

// Drives the drag: each call of QueryContinueDrag runs the next step of the
// script, which may move the cursor and answers S_OK to go on or ends the
// drag. No mouse button is really held.
class CScriptedDropSource : public COleDropSource
{
public:
    std::function<SCODE(int nStep)> m_script;
    int m_nStep = 0;

    SCODE QueryContinueDrag(BOOL, DWORD) override { return m_script(m_nStep++); }
};

// A plain window's target: takes text, as a copy.
class CTextDropTarget : public COleDropTarget
{
public:
    std::vector<std::string> m_log;
    std::string m_dropped;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD, CPoint point) override
    {
        m_log.push_back("enter");
        m_ptLast = point;
        return pDataObject->IsDataAvailable(CF_TEXT) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD, CPoint point) override
    {
        if (m_log.empty() || m_log.back() != "over")
            m_log.push_back("over");
        m_ptLast = point;
        return pDataObject->IsDataAvailable(CF_TEXT) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    }
    void OnDragLeave(CWnd*) override { m_log.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override
    {
        m_log.push_back(dropEffect == DROPEFFECT_COPY ? "drop copy" : "drop other");
        m_dropped = TextOf(pDataObject);
        m_ptLast = point;
        return TRUE;
    }
    CPoint m_ptLast;
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& line : lines)
        s += (s.empty() ? "" : " | ") + line;
    return s;
}

TEST_F(OleDragDrop, TextGoesFromOneWindowToAnotherThroughTheTarget)
{
    CWnd source, target;
    ASSERT_TRUE(source.CreateEx(0, AfxRegisterWndClass(0), "source", WS_POPUP | WS_VISIBLE, 20, 20, 200, 150, NULL,
                                NULL));
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP | WS_VISIBLE, 320, 20, 200, 150, NULL,
                                NULL));
    CTextDropTarget dropTarget;
    ASSERT_TRUE(dropTarget.Register(&target));
    EXPECT_EQ(target.m_pDropTarget, &dropTarget);
    EXPECT_FALSE(dropTarget.Register(&target));   // once per target

    COleDataSource* pData = NewTextSource("dragged words");
    CScriptedDropSource dropSource;
    const CPoint ptSource = CenterOf(source.m_hWnd), ptTarget = CenterOf(target.m_hWnd);
    dropSource.m_script = [&](int nStep) -> SCODE {
        if (nStep < 3) {
            ::SetCursorPos(ptSource.x, ptSource.y);
            return S_OK;
        }
        if (nStep < 10) {
            ::SetCursorPos(ptTarget.x + nStep, ptTarget.y);
            return S_OK;
        }
        return DRAGDROP_S_DROP;
    };
    ::SetCursorPos(ptSource.x, ptSource.y);
    DROPEFFECT effect = pData->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, CRect(0, 0, 0, 0), &dropSource);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(Joined(dropTarget.m_log), "enter | over | drop copy");
    EXPECT_EQ(dropTarget.m_dropped, "dragged words");
    CPoint ptClient = ptTarget + CPoint(9, 0);
    target.ScreenToClient(&ptClient);
    EXPECT_EQ(dropTarget.m_ptLast, ptClient);   // in the target's client coordinates
    EXPECT_EQ(dropTarget.m_lpDataObject, nullptr);   // let go after the drop

    // cancelled over the target: the target is left, nothing is dropped
    dropTarget.m_log.clear();
    dropSource.m_nStep = 0;
    dropSource.m_script = [&](int nStep) -> SCODE {
        ::SetCursorPos(ptTarget.x, ptTarget.y + nStep);
        return nStep < 5 ? S_OK : DRAGDROP_S_CANCEL;
    };
    effect = pData->DoDragDrop(DROPEFFECT_COPY, CRect(0, 0, 0, 0), &dropSource);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(Joined(dropTarget.m_log), "enter | over | leave");

    // a source that allows only a move gets a move for the target's copy
    dropTarget.m_log.clear();
    dropSource.m_nStep = 0;
    dropSource.m_script = [&](int nStep) -> SCODE {
        ::SetCursorPos(ptTarget.x, ptTarget.y + nStep);
        return nStep < 5 ? S_OK : DRAGDROP_S_DROP;
    };
    effect = pData->DoDragDrop(DROPEFFECT_MOVE, CRect(0, 0, 0, 0), &dropSource);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(Joined(dropTarget.m_log), "enter | over | drop other");
    pData->InternalRelease();

    // the window going revokes its target
    target.DestroyWindow();
    EXPECT_EQ(dropTarget.m_hWnd, nullptr);
    source.DestroyWindow();
}

TEST_F(OleDragDrop, TheSourceDropsOnlyAfterTheDragStartedAndCancelsOnTheOtherButton)
{
    COleDropSource source;
    source.m_dwButtonDrop = MK_LBUTTON;
    source.m_dwButtonCancel = MK_RBUTTON;
    source.m_bDragStarted = TRUE;
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_LBUTTON | MK_RBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_FALSE(source.m_bDragStarted);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, 0), DRAGDROP_S_CANCEL);   // released before it started
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_COPY), S_OK);
    source.m_bDragStarted = TRUE;
    EXPECT_EQ(source.QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);   // Escape
}

TEST_F(OleDragDrop, BeginDragWaitsForTheMouseToLeaveTheStartRectangle)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "begin", WS_POPUP | WS_VISIBLE, 20, 20, 200, 150, NULL,
                             NULL));
    COleDropSource source;
    UINT nOldDelay = COleDropSource::nDragDelay;
    COleDropSource::nDragDelay = 5000;
    source.m_rectStartDrag.SetRect(100, 100, 104, 104);

    // a move inside the rectangle, then one outside: the drag starts
    ::SetCursorPos(102, 102);
    wnd.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    ::SetCursorPos(150, 102);
    wnd.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 2));
    EXPECT_TRUE(source.OnBeginDrag(&wnd));
    EXPECT_NE(::GetCapture(), wnd.m_hWnd);   // the capture is given back

    // a click ends the wait without a drag
    ::SetCursorPos(102, 102);
    wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(source.OnBeginDrag(&wnd));

    // resting long enough starts it anyway
    COleDropSource::nDragDelay = 50;
    DWORD dwStart = ::GetTickCount();
    EXPECT_TRUE(source.OnBeginDrag(&wnd));
    EXPECT_GE(::GetTickCount() - dwStart, 50u);
    COleDropSource::nDragDelay = nOldDelay;
    wnd.DestroyWindow();
}

TEST_F(OleDragDrop, ADragStartsOnlyOnceTheMouseLeavesTheStartRectangle)
{
    CWnd source, target;
    ASSERT_TRUE(source.CreateEx(0, AfxRegisterWndClass(0), "source", WS_POPUP | WS_VISIBLE, 20, 20, 200, 150, NULL,
                                NULL));
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP | WS_VISIBLE, 320, 20, 200, 150, NULL,
                                NULL));
    CTextDropTarget dropTarget;
    ASSERT_TRUE(dropTarget.Register(&target));
    COleDataSource* pData = NewTextSource("after a wait");
    const CPoint ptSource = CenterOf(source.m_hWnd), ptTarget = CenterOf(target.m_hWnd);
    const CRect rectStart(ptSource.x - 2, ptSource.y - 2, ptSource.x + 3, ptSource.y + 3);
    CScriptedDropSource dropSource;
    dropSource.m_script = [&](int nStep) -> SCODE {
        ::SetCursorPos(ptTarget.x, ptTarget.y + nStep);
        return nStep < 5 ? S_OK : DRAGDROP_S_DROP;
    };

    // the press left the capture with the source; a click ends it all
    ::SetCursorPos(ptSource.x, ptSource.y);
    source.SetCapture();
    source.PostMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(pData->DoDragDrop(DROPEFFECT_COPY, rectStart, &dropSource), DROPEFFECT_NONE);
    EXPECT_EQ(dropSource.m_nStep, 0);   // OLE's loop never ran
    EXPECT_TRUE(dropTarget.m_log.empty());

    // a move out of the rectangle starts the drag
    ::SetCursorPos(ptSource.x, ptSource.y);
    source.SetCapture();
    source.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);   // still inside
    ::SetCursorPos(ptSource.x + 20, ptSource.y);
    source.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_EQ(pData->DoDragDrop(DROPEFFECT_COPY, rectStart, &dropSource), DROPEFFECT_COPY);
    EXPECT_EQ(dropTarget.m_dropped, "after a wait");
    pData->InternalRelease();
    target.DestroyWindow();
    source.DestroyWindow();
}

// Without a start rectangle the drag waits for the mouse to pass the drag
// threshold around the press: a 1-pixel jitter is still a click.
TEST_F(OleDragDrop, WithoutAStartRectangleAJitterIsNoDrag)
{
    CWnd source;
    ASSERT_TRUE(source.CreateEx(0, AfxRegisterWndClass(0), "source", WS_POPUP | WS_VISIBLE, 20, 20, 200, 150, NULL,
                                NULL));
    COleDataSource* pData = NewTextSource("jitter");
    const CPoint pt = CenterOf(source.m_hWnd);
    CScriptedDropSource dropSource;
    dropSource.m_script = [](int) -> SCODE { return DRAGDROP_S_CANCEL; };
    UINT nOldDelay = COleDropSource::nDragDelay;
    COleDropSource::nDragDelay = 5000;
    const CPoint jitters[] = {{1, 0}, {0, 1}, {-1, -1}, {1, 1}};
    for (const CPoint& jitter : jitters) {
        // the moves are queued with the cursor where they happen; the drag
        // starts with it back at the press
        source.SetCapture();
        ::SetCursorPos(pt.x + jitter.x, pt.y + jitter.y);
        source.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
        source.PostMessage(WM_LBUTTONUP, 0, 0);
        ::SetCursorPos(pt.x, pt.y);
        EXPECT_EQ(pData->DoDragDrop(DROPEFFECT_COPY, NULL, &dropSource), DROPEFFECT_NONE);
        EXPECT_FALSE(dropSource.m_bDragStarted) << jitter.x << "," << jitter.y;
        EXPECT_EQ(dropSource.m_nStep, 0);   // OLE's loop never ran
    }
    // past the threshold it starts
    const int cxDrag = std::max(::GetSystemMetrics(SM_CXDRAG), (int)COleDropSource::nDragMinDist);
    source.SetCapture();
    ::SetCursorPos(pt.x + cxDrag + 1, pt.y);
    source.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::SetCursorPos(pt.x, pt.y);
    pData->DoDragDrop(DROPEFFECT_COPY, NULL, &dropSource);
    EXPECT_GT(dropSource.m_nStep, 0);
    COleDropSource::nDragDelay = nOldDelay;
    pData->InternalRelease();
    source.DestroyWindow();
}

// A tall view that takes text: it scrolls while the cursor rests along its
// bottom edge, through the target's default handling.
class CDropView : public CScrollView
{
public:
    std::vector<std::string> m_log;
    std::string m_dropped;

    CDropView() {}
    void OnDraw(CDC*) override {}
    DROPEFFECT OnDragEnter(COleDataObject*, DWORD, CPoint) override
    {
        m_log.push_back("enter");
        return DROPEFFECT_COPY;
    }
    DROPEFFECT OnDragOver(COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
    void OnDragLeave() override { m_log.push_back("leave"); }
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT, CPoint) override
    {
        m_log.push_back("drop");
        m_dropped = TextOf(pDataObject);
        return TRUE;
    }
    void PostNcDestroy() override {}   // a member of the test, not on the heap
};

TEST_F(OleDragDrop, AViewScrollsWhileTheCursorRestsInTheBandAlongItsEdge)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 20, 20, 300, 240, NULL, NULL));
    CDropView view;
    ASSERT_TRUE(view.Create(NULL, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 240), &host, AFX_IDW_PANE_FIRST));
    view.SetScrollSizes(MM_TEXT, CSize(200, 3000));
    COleDropTarget dropTarget;   // the default handling, through the view
    ASSERT_TRUE(dropTarget.Register(&view));

    CRect rectView;
    view.GetClientRect(&rectView);
    view.ClientToScreen(&rectView);
    const CPoint ptMiddle = rectView.CenterPoint();
    const CPoint ptBand(ptMiddle.x, rectView.bottom - COleDropTarget::nScrollInset / 2 - 1);
    int nScrolledAt = -1;
    COleDataSource* pData = NewTextSource("scrolled onto");
    CScriptedDropSource dropSource;
    DWORD dwBandSince = 0;
    dropSource.m_script = [&](int nStep) -> SCODE {
        if (nStep < 3) {
            ::SetCursorPos(ptMiddle.x, ptMiddle.y);
            return S_OK;
        }
        if (nScrolledAt < 0) {
            if (dwBandSince == 0)
                dwBandSince = ::GetTickCount();
            ::SetCursorPos(ptBand.x + (nStep & 1), ptBand.y);   // resting, give or take a pixel
            if (view.GetScrollPosition().y > 0)
                nScrolledAt = nStep;
            return ::GetTickCount() - dwBandSince < 5000 ? S_OK : DRAGDROP_S_CANCEL;
        }
        ::SetCursorPos(ptMiddle.x, ptMiddle.y + (nStep & 1));
        return nStep < nScrolledAt + 4 ? S_OK : DRAGDROP_S_DROP;
    };
    ::SetCursorPos(ptMiddle.x, ptMiddle.y);
    DROPEFFECT effect = pData->DoDragDrop(DROPEFFECT_COPY, CRect(0, 0, 0, 0), &dropSource);
    pData->InternalRelease();

    ASSERT_GE(nScrolledAt, 0) << "the view never scrolled";
    EXPECT_GT(view.GetScrollPosition().y, 0);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    // into the band counts as leaving, out of it as entering again
    EXPECT_EQ(Joined(view.m_log), "enter | leave | enter | drop");
    EXPECT_EQ(view.m_dropped, "scrolled onto");

    // at the end of its range the band no longer scrolls
    view.ScrollToPosition(CPoint(0, 3000));
    CPoint ptInView = ptBand;
    view.ScreenToClient(&ptInView);
    EXPECT_EQ(dropTarget.OnDragScroll(&view, 0, ptInView), DROPEFFECT_NONE);
    EXPECT_EQ(dropTarget.OnDragScroll(&view, MK_CONTROL, CPoint(ptInView.x, 2)),
              DROPEFFECT_SCROLL | DROPEFFECT_COPY);   // the top band still can
    dropTarget.Revoke();
    host.DestroyWindow();
}

}  // namespace
