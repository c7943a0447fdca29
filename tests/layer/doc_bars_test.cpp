// Control bars on their own frame (tool bar, status bar, rebar, dialog bar)
// and a scrolling view.
#include "doc_test.h"
#include <memory>

namespace {

// A frame that handles a tool bar command and a dialog bar button.
class CBarTestFrame : public CFrameWnd
{
public:
    afx_msg void OnFrameCmd() { g_docLog.push_back("frame"); }
    afx_msg void OnButton() { g_docLog.push_back("frame button"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarTestFrame, CFrameWnd)
    ON_COMMAND(ID_DOC_FRAMECMD, &CBarTestFrame::OnFrameCmd)
    ON_COMMAND(IDC_DOC_BUTTON, &CBarTestFrame::OnButton)
END_MESSAGE_MAP()

class BarsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_docLog.clear();
        m_pFrame = new CBarTestFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 480, 360)));
        m_hFrame = m_pFrame->m_hWnd;
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();   // deletes the frame
    }

    CFrameWnd* m_pFrame = nullptr;
    HWND m_hFrame = NULL;
};

TEST_F(BarsTest, ToolBarReadsBothResourceLayoutsAndEditsButtons)
{
    CToolBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame));
    EXPECT_FALSE(bar.LoadToolBar(IDR_DOC_SHORT));   // a string, not a tool bar
    ASSERT_TRUE(bar.LoadToolBar(IDR_DOC_WRTOOLBAR));
    const UINT ids[] = {ID_DOC_FRAMECMD, ID_SEPARATOR, ID_DOC_VIEWCMD};
    ASSERT_EQ(bar.GetCount(), 3);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(bar.GetItemID(i), ids[i]) << i;
    UINT nID, nStyle;
    int iImage;
    bar.GetButtonInfo(2, nID, nStyle, iImage);
    EXPECT_EQ(nStyle, TBBS_BUTTON);
    EXPECT_EQ(iImage, 1);   // separators take no image

    struct Case {
        UINT nStyle;
        bool bEnabled, bChecked;
    } cases[] = {
        {TBBS_CHECKBOX | TBBS_CHECKED, true, true},
        {TBBS_CHECKBOX, true, false},
        {TBBS_BUTTON | TBBS_DISABLED, false, false},
        {TBBS_BUTTON, true, false},
    };
    for (const Case& c : cases) {
        bar.SetButtonStyle(0, c.nStyle);
        EXPECT_EQ(bar.GetButtonStyle(0), c.nStyle) << std::hex << c.nStyle;
        EXPECT_EQ(bar.SendMessage(TB_ISBUTTONENABLED, ID_DOC_FRAMECMD) != 0, c.bEnabled) << std::hex << c.nStyle;
        EXPECT_EQ(bar.SendMessage(TB_ISBUTTONCHECKED, ID_DOC_FRAMECMD) != 0, c.bChecked) << std::hex << c.nStyle;
    }
    bar.SetButtonInfo(2, ID_DOC_DOCCMD, TBBS_BUTTON, 0);
    EXPECT_EQ(bar.CommandToIndex(ID_DOC_DOCCMD), 2);
    EXPECT_EQ(bar.CommandToIndex(ID_DOC_VIEWCMD), -1);
    EXPECT_TRUE(bar.SetButtonText(2, "Go"));
    EXPECT_EQ(bar.GetButtonText(2), "Go");

    EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cx, 32767);
    bar.SetHeight(40);
    EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE).cy, 40);
}

TEST_F(BarsTest, StatusBarKeepsPaneTextsStylesAndWidths)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame));
    const UINT missing[] = {ID_SEPARATOR, ID_DOC_BOTHCMD};   // an indicator with no string
    EXPECT_FALSE(bar.SetIndicators(missing, 2));
    const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    ASSERT_TRUE(bar.SetIndicators(ids, 3));
    // wide enough for the message pane's least width (a quarter of the screen)
    m_pFrame->SetWindowPos(NULL, 0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 4 + 400, 360,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(bar.GetCount(), 3);
    EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_SCRL), 2);
    EXPECT_EQ(bar.GetItemID(1), (UINT)ID_INDICATOR_NUM);
    EXPECT_EQ(bar.GetPaneText(1), "NUM");
    EXPECT_EQ(bar.GetPaneStyle(0), (UINT)(SBPS_STRETCH | SBPS_NOBORDERS));
    EXPECT_NE(bar.GetFont(), nullptr);
    EXPECT_EQ(bar.GetStatusBarCtrl().m_hWnd, bar.m_hWnd);

    // the window text is the message pane's
    bar.SetWindowText("hello");
    EXPECT_EQ(StatusPartText(bar.m_hWnd, 0), "hello");
    EXPECT_EQ(WindowText(bar.m_hWnd), "hello");
    EXPECT_TRUE(bar.SetPaneText(2, "S"));
    EXPECT_EQ(StatusPartText(bar.m_hWnd, 2), "S");
    EXPECT_TRUE(bar.SetPaneText(2, "later", FALSE));
    EXPECT_EQ(StatusPartText(bar.m_hWnd, 2), "S");
    EXPECT_EQ(bar.GetPaneText(2), "later");

    bar.SetPaneStyle(1, SBPS_DISABLED);
    EXPECT_EQ(StatusPartText(bar.m_hWnd, 1), "");
    bar.SetPaneStyle(1, SBPS_POPOUT);
    EXPECT_EQ(StatusPartText(bar.m_hWnd, 1), "NUM");

    CRect rect0, rect1;
    bar.GetItemRect(0, &rect0);
    bar.GetItemRect(1, &rect1);
    bar.SetPaneInfo(1, ID_INDICATOR_NUM, SBPS_NORMAL, 120);
    UINT nID, nStyle;
    int cxWidth;
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(nID, (UINT)ID_INDICATOR_NUM);
    EXPECT_EQ(nStyle, (UINT)SBPS_NORMAL);
    EXPECT_EQ(cxWidth, 120);
    CRect rectWide;
    bar.GetItemRect(1, &rectWide);
    EXPECT_GE(rectWide.Width(), 120);
    EXPECT_GT(rectWide.Width(), rect1.Width());
    // the stretching pane gave way; the panes still end inside the bar
    CRect rect0Now, rect2, rectBar;
    bar.GetItemRect(0, &rect0Now);
    bar.GetItemRect(2, &rect2);
    bar.GetClientRect(&rectBar);
    EXPECT_EQ(rect0Now.Width(), rect0.Width() - (rectWide.Width() - rect1.Width()));
    EXPECT_LE(rect2.right, rectBar.right);
}

TEST_F(BarsTest, ReBarHoldsAToolBarWhoseCommandsReachTheFrame)
{
    CReBar rebar;
    CToolBar bar;
    ASSERT_TRUE(rebar.Create(m_pFrame));
    ASSERT_TRUE(bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    ASSERT_TRUE(bar.LoadToolBar(IDR_DOC_WRTOOLBAR));
    ASSERT_TRUE(rebar.AddBar(&bar));
    EXPECT_EQ(rebar.GetReBarCtrl().GetBandCount(), 1u);
    EXPECT_EQ(::GetParent(bar.m_hWnd), rebar.m_hWnd);
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_TOOLBAR), &bar);   // still the frame's bar

    m_pFrame->RecalcLayout();
    CRect client, rect;
    m_pFrame->GetClientRect(&client);
    rect = ChildRect(&rebar);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, client.right);
    EXPECT_GE(rect.Height(), bar.CalcFixedLayout(FALSE, TRUE).cy);

    // the button's command goes through the rebar to the frame's routing
    g_docLog.clear();
    rebar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DOC_FRAMECMD, BN_CLICKED), (LPARAM)bar.m_hWnd);
    EXPECT_EQ(DocLogJoined(), "frame");

    // hiding the bar hides its band
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(bar.IsWindowVisible());
    REBARBANDINFOA rbbi = {};
    rbbi.cbSize = REBARBANDINFOA_V6_SIZE;
    rbbi.fMask = RBBIM_STYLE;
    rebar.SendMessage(RB_GETBANDINFOA, 0, (LPARAM)&rbbi);
    EXPECT_TRUE(rbbi.fStyle & RBBS_HIDDEN);
}

TEST_F(BarsTest, DialogBarTakesItsTemplateSizeAndPushButtonsFollowTheRouting)
{
    for (int bHandled = 0; bHandled <= 1; bHandled++) {
        CFrameWnd* pFrame = bHandled ? m_pFrame : new CFrameWnd;
        if (!bHandled) {
            ASSERT_TRUE(pFrame->Create(NULL, "Plain", WS_OVERLAPPEDWINDOW, CRect(0, 0, 480, 360)));
        }
        CDialogBar bar;
        ASSERT_TRUE(bar.Create(pFrame, IDD_DOC_FORM, CBRS_BOTTOM, AFX_IDW_DIALOGBAR));
        EXPECT_FALSE(bar.GetStyle() & (WS_POPUP | WS_CAPTION));
        CRect rect(0, 0, 200, 80);
        ::MapDialogRect(bar.m_hWnd, &rect);
        EXPECT_EQ(bar.m_sizeDefault, CSize(rect.Width(), rect.Height() + 2));   // and the border line above

        pFrame->RecalcLayout();
        CRect client;
        pFrame->GetClientRect(&client);
        CRect barRect = ChildRect(&bar);
        EXPECT_EQ(barRect.bottom, client.bottom);
        EXPECT_EQ(barRect.Height(), bar.m_sizeDefault.cy);

        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        HWND hButton = ::GetDlgItem(bar.m_hWnd, IDC_DOC_BUTTON);
        EXPECT_EQ(::IsWindowEnabled(hButton) != 0, bHandled != 0);
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(bar.m_hWnd, IDC_DOC_NAME)));   // not a push button
        if (bHandled) {
            g_docLog.clear();
            ::SendMessageA(hButton, BM_CLICK, 0, 0);
            EXPECT_EQ(DocLogJoined(), "frame button");
        } else {
            pFrame->DestroyWindow();
        }
    }
}

TEST(ScrollViewTest, ScrollsWithinTheTotalAndOffsetsTheViewport)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDocTestPlainView);
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "Scroll", WS_OVERLAPPEDWINDOW, CRect(0, 0, 320, 240), NULL, NULL, 0, &context));
    HWND hFrame = pFrame->m_hWnd;
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    CDocTestPlainView* pView = DYNAMIC_DOWNCAST(CDocTestPlainView, pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST));
    ASSERT_NE(pView, nullptr);
    pFrame->RecalcLayout();

    pView->SetScrollSizes(MM_TEXT, CSize(1000, 800));
    EXPECT_EQ(pView->GetTotalSize(), CSize(1000, 800));
    EXPECT_TRUE(pView->GetStyle() & WS_HSCROLL);
    EXPECT_TRUE(pView->GetStyle() & WS_VSCROLL);
    CRect client;
    pView->GetClientRect(&client);

    pView->ScrollToPosition(CPoint(100, 50));
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(100, 50));
    EXPECT_EQ(pView->GetDeviceScrollPosition(), CPoint(100, 50));
    {
        CClientDC dc(pView);
        pView->OnPrepareDC(&dc);
        POINT org;
        ::GetViewportOrgEx(dc.m_hDC, &org);
        EXPECT_EQ(CPoint(org), CPoint(-100, -50));
    }
    // a line is a hundredth of the total; the end is the total less the window
    pView->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(100, 58));
    pView->SendMessage(WM_HSCROLL, SB_BOTTOM);
    pView->ScrollToPosition(CPoint(5000, 5000));
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(1000 - client.Width(), 800 - client.Height()));

    // a total that fits needs no bars and no scrolling
    pView->SetScrollSizes(MM_TEXT, CSize(10, 10));
    EXPECT_FALSE(pView->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(0, 0));
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hFrame));
}

}  // namespace

TEST_F(BarsTest, AFlatToolBarPaintsItsOwnFaceBehindTheButtons)
{
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    bar.MoveWindow(0, 0, 100, 24);
    CRect rc;
    bar.GetClientRect(&rc);
    ASSERT_FALSE(rc.IsRectEmpty());

    // Drawn into a memory DC painted black first: the erase must cover it with
    // the face colour, not hand it to the frame, which paints nothing.
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBmp = ::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height());
    HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
    ::PatBlt(hMem, 0, 0, rc.Width(), rc.Height(), BLACKNESS);
    EXPECT_TRUE(bar.SendMessage(WM_ERASEBKGND, (WPARAM)hMem, 0));
    EXPECT_EQ(::GetPixel(hMem, rc.Width() / 2, rc.Height() / 2), ::GetNearestColor(hMem, ::GetSysColor(COLOR_BTNFACE)));
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBmp);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
}
