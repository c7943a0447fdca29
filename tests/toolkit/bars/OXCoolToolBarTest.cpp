// The cool tool bar: its rules without windows (texts, widths), and a real
// bar docked in a frame: texts from the string table and the menu, command
// updates, the drag by the bar's surface and what ends it.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include "OXComCtlVersion.h"
#include "OXCoolToolBar.h"
#include "bars_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
TEST(CoolToolBarRules, TextTypes)
{
    const CString strBoth = "Search the web\nWeb search", strPrompt = "Export", strMenu = "&Open list\tCtrl+O";
    struct Case
    {
        int nType;
        const CString& strResource;
        BOOL bHasString;
        BOOL bInMenu;
        const char* pszText;
    } cases[] = {
        {0, strBoth, TRUE, FALSE, "Search the web"},
        {0, strPrompt, TRUE, FALSE, "Export"},        // no "\n": the whole string
        {0, strPrompt, FALSE, FALSE, ""},             // no string resource
        {1, strBoth, TRUE, FALSE, "Web search"},
        {1, strPrompt, TRUE, FALSE, ""},              // nothing after a "\n"
        {2, strBoth, TRUE, TRUE, "&Open list"},       // up to the tab
        {2, strBoth, TRUE, FALSE, ""},                // not in the menu
        {4, strBoth, TRUE, TRUE, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.pszText, COXCoolToolBar::ButtonTextFor(c.nType, c.strResource, c.bHasString, strMenu, c.bInMenu))
            << "type " << c.nType << " " << (LPCTSTR)c.strResource;
    EXPECT_EQ(4, COXCoolToolBar::NormalizeTextType(7));
    EXPECT_EQ(4, COXCoolToolBar::NormalizeTextType(-1));
    EXPECT_EQ(0, COXCoolToolBar::NormalizeTextType(0));
    EXPECT_EQ(3, COXCoolToolBar::NormalizeTextType(3));
}

TEST(CoolToolBarRules, ButtonWidths)
{
    auto button = [](BYTE fsStyle, int iBitmap) {
        TBBUTTON b = {};
        b.fsStyle = fsStyle;
        b.iBitmap = iBitmap;
        return b;
    };
    const COXCoolToolBar::WidthRule arrows = {23, 11, TRUE, TRUE, TRUE};
    const COXCoolToolBar::WidthRule noArrows = {23, 11, FALSE, TRUE, TRUE};
    struct Case
    {
        TBBUTTON b;
        const COXCoolToolBar::WidthRule& rule;
        int cxItem;
        int cx;
    } cases[] = {
        {button(TBSTYLE_BUTTON, 0), arrows, 0, 23},
        {button(TBSTYLE_DROPDOWN, 0), arrows, 0, 34},
        {button(TBSTYLE_DROPDOWN, 0), noArrows, 0, 23},
        {button(TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, 0), arrows, 57, 57},   // its item's width, arrow in it
        {button(TBSTYLE_AUTOSIZE, 0), arrows, 40, 40},
        {button(TBSTYLE_SEP, 8), arrows, 0, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cx, COXCoolToolBar::ButtonWidth(c.b, c.rule, c.cxItem)) << (int)c.b.fsStyle;

    // A separator ending a wrapped row: its full width only on a flat bar of
    // recent controls.
    const COXCoolToolBar::WidthRule raised = {23, 11, TRUE, FALSE, TRUE}, old = {23, 11, TRUE, TRUE, FALSE};
    EXPECT_EQ(8, COXCoolToolBar::WrappedSeparatorHeight(button(TBSTYLE_SEP, 8), arrows));
    EXPECT_EQ(5, COXCoolToolBar::WrappedSeparatorHeight(button(TBSTYLE_SEP, 8), raised));
    EXPECT_EQ(5, COXCoolToolBar::WrappedSeparatorHeight(button(TBSTYLE_SEP, 8), old));

    EXPECT_EQ(CSize(11, 22), COXCoolToolBar::EmptyBarSize(CSize(23, 22), FALSE, TRUE));
    EXPECT_EQ(CSize(23, 11), COXCoolToolBar::EmptyBarSize(CSize(23, 22), FALSE, FALSE));
    EXPECT_EQ(CSize(23, 22), COXCoolToolBar::EmptyBarSize(CSize(23, 22), TRUE, TRUE));
}

// ---------------------------------------------------------------------------
// A real bar
// ---------------------------------------------------------------------------
const UINT kButtons[] = {IDS_BT_SEARCH, IDS_BT_EXPORT, ID_SEPARATOR, ID_BT_NOSTRING, IDS_BT_OPEN};
const int kSeparator = 2;

class CCoolFrame : public CFrameWnd
{
public:
    COXCoolToolBar m_bar;
    LRESULT m_lOwnDrag = 1;

protected:
    afx_msg LRESULT OnQuerySizeDockDrag(WPARAM, LPARAM) { return m_lOwnDrag; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCoolFrame, CFrameWnd)
    ON_MESSAGE(WM_QUERYSIZEDOCKDRAG, OnQuerySizeDockDrag)
END_MESSAGE_MAP()

class CoolToolBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create("cool bar", CRect(50, 50, 450, 300)));
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(Bar().Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC,
                                 AFX_IDW_TOOLBAR));
        ASSERT_TRUE(Bar().SetButtons(kButtons, 5));
        Bar().EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&Bar());
        m_pSavedMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_frame;
        m_frame.Show();
    }
    void TearDown() override
    {
        if (::GetCapture() != NULL)
            ::ReleaseCapture();
        AfxGetApp()->m_pMainWnd = m_pSavedMain;
        m_frame.Destroy();
    }
    COXCoolToolBar& Bar() { return m_frame->m_bar; }
    CString Text(int nIndex) { return Bar().GetButtonText(nIndex); }
    // The middle of the separator: an empty part of the bar.
    CPoint EmptyPoint()
    {
        CRect rect;
        Bar().GetItemRect(kSeparator, rect);
        return rect.CenterPoint();
    }
    LPARAM At(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }

    CScopedFrame<CCoolFrame> m_frame;
    CWnd* m_pSavedMain = NULL;
};

TEST_F(CoolToolBarTest, IsFlatWithArrowsAndTopAligned)
{
    EXPECT_TRUE(Bar().IsFlat());
    EXPECT_TRUE(Bar().GetStyle() & TBSTYLE_TRANSPARENT);
    EXPECT_TRUE(Bar().IsDropDownArrow());
    EXPECT_TRUE(Bar().IsGripper());
    EXPECT_EQ(CRect(0, 0, 0, 0), Bar().GetBorders());
    EXPECT_EQ(3, Bar().GetTextType());
}

TEST_F(CoolToolBarTest, TextsFromStringsAndMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_BT_MENU));
    m_frame->SetMenu(&menu);

    struct Case
    {
        int nType;
        const char* texts[5];   // by button, the separator's unused
    } cases[] = {
        {0, {"Search the web", "Export", "", "", "Open a keyword list"}},
        {1, {"Web search", "", "", "", "Open"}},
        {2, {"", "&Export", "", "", "&Open list"}},
        {7, {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        Bar().SetTextType(c.nType);
        for (int i = 0; i < 5; ++i) {
            if (i == kSeparator)
                continue;
            EXPECT_STREQ(c.texts[i], Text(i)) << "type " << c.nType << " button " << i;
        }
    }
    EXPECT_EQ(4, Bar().GetTextType());

    // Only the commands in range change.
    Bar().SetButtonTextFromID(IDS_BT_EXPORT, IDS_BT_EXPORT, 0);
    EXPECT_STREQ("Export", Text(1));
    EXPECT_STREQ("", Text(0));
    EXPECT_STREQ("", Text(4));
    // By hand: nothing changes.
    Bar().SetButtonText(0, "Mine");
    Bar().SetTextType(3);
    EXPECT_STREQ("Mine", Text(0));
    EXPECT_STREQ("Web search", Bar().GetButtonTooltip(0));
    EXPECT_STREQ("", Bar().GetButtonTooltip(1));

    m_frame->SetMenu(NULL);
}

TEST_F(CoolToolBarTest, CommandUpdatesSetTheButtonStates)
{
    COXCoolToolBarCmdUI state;
    state.m_pOther = &Bar();
    state.m_nID = IDS_BT_EXPORT;
    auto buttonState = [&] { return (int)Bar().SendMessage(TB_GETSTATE, IDS_BT_EXPORT); };

    state.Enable(FALSE);
    EXPECT_FALSE(buttonState() & TBSTATE_ENABLED);
    state.Enable(TRUE);
    EXPECT_TRUE(buttonState() & TBSTATE_ENABLED);
    struct Case
    {
        int nCheck;
        int nBits;
    } cases[] = {{1, TBSTATE_CHECKED}, {2, TBSTATE_INDETERMINATE}, {0, 0}, {2, TBSTATE_INDETERMINATE}, {1, TBSTATE_CHECKED}};
    for (const Case& c : cases) {
        state.SetCheck(c.nCheck);
        EXPECT_EQ(c.nBits, buttonState() & (TBSTATE_CHECKED | TBSTATE_INDETERMINATE)) << c.nCheck;
        EXPECT_TRUE(buttonState() & TBSTATE_ENABLED);
    }
}

TEST_F(CoolToolBarTest, IndentAndArrowsWidenTheBar)
{
    const int cxPlain = Bar().CalcFixedLayout(FALSE, TRUE).cx;
    ASSERT_TRUE(Bar().SetIndent(5));
    EXPECT_EQ(cxPlain + 5, Bar().CalcFixedLayout(FALSE, TRUE).cx);

    Bar().SetButtonStyle(1, TBSTYLE_DROPDOWN);
    EXPECT_EQ(cxPlain + 5 + Bar().GetDropDownArrowWidth(), Bar().CalcFixedLayout(FALSE, TRUE).cx);
    Bar().SetDropDownArrow(FALSE);
    EXPECT_FALSE(Bar().IsDropDownArrow());
    EXPECT_EQ(cxPlain + 5, Bar().CalcFixedLayout(FALSE, TRUE).cx);
}

// A bar docked along the top that is longer than its frame is wide wraps
// into more rows: no button runs past the frame's edge.
TEST_F(CoolToolBarTest, ABarLongerThanItsRowWraps)
{
    Bar().SetTextType(OXTB_TEXT_PROMPT);
    Bar().SendMessage(TB_AUTOSIZE);
    m_frame->RecalcLayout();
    CRect rectBar;
    Bar().GetWindowRect(rectBar);
    const int cyRow = rectBar.Height();
    // Narrower than the bar: its last buttons would be past the edge.
    CRect rectFrame;
    m_frame->GetWindowRect(rectFrame);
    m_frame->SetWindowPos(NULL, 0, 0, rectBar.Width() / 2 + 40, rectFrame.Height(),
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_frame->RecalcLayout();
    Bar().UpdateWindow();
    CRect rectClient;
    m_frame->GetClientRect(rectClient);
    m_frame->ClientToScreen(rectClient);
    Bar().GetWindowRect(rectBar);
    EXPECT_LE(rectBar.right, rectClient.right + 2) << "the bar runs past the frame";
    EXPECT_GT(rectBar.Height(), cyRow) << "one row only";
    CRect rectInside;
    Bar().GetClientRect(rectInside);
    for (int i = 0; i < (int)Bar().SendMessage(TB_BUTTONCOUNT); ++i) {
        if (i == kSeparator)
            continue;   // ending a row, it lies between the rows
        CRect rect;
        Bar().GetItemRect(i, rect);
        EXPECT_LE(rect.right, rectInside.right) << "button " << i;
        EXPECT_LE(rect.bottom, rectInside.bottom) << "button " << i;
    }
}

TEST(CoolToolBarOldControls, ArrowsAreTheBarsOwnSetting)
{
    SetComCtlVersionOverride(4, 70);
    COXCoolToolBar::ResetComCtlVersion();
    {
        CScopedFrame<CFrameWnd> frame;
        ASSERT_TRUE(frame.Create("old controls", CRect(0, 0, 300, 200)));
        COXCoolToolBar bar;
        ASSERT_TRUE(bar.Create(frame));
        EXPECT_FALSE(bar.IsDropDownArrow());
        EXPECT_TRUE(bar.IsFlat());
        // The control never hears of it.
        bar.SetDropDownArrow(TRUE);
        EXPECT_TRUE(bar.IsDropDownArrow());
        EXPECT_FALSE(bar.SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS);
        bar.DestroyWindow();
    }
    SetComCtlVersionOverride(-1, 0);
    COXCoolToolBar::ResetComCtlVersion();
    EXPECT_TRUE(COXCoolToolBar::IsComCtl471());
}

// ---------------------------------------------------------------------------
// The drag by the surface
// ---------------------------------------------------------------------------
TEST_F(CoolToolBarTest, SurfaceDragFloatsAndDoubleClickDocksAgain)
{
    ASSERT_FALSE(Bar().IsFloating());
    const CPoint ptEmpty = EmptyPoint();
    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(ptEmpty));
    ASSERT_TRUE(Bar().m_bDragging);
    EXPECT_EQ(Bar().m_hWnd, ::GetCapture());

    CRect rectBar;
    Bar().GetWindowRect(rectBar);
    CPoint ptScreen(ptEmpty);
    Bar().ClientToScreen(&ptScreen);
    const CPoint ptOffset = ptScreen - rectBar.TopLeft();

    CPoint ptTo(ptEmpty.x + 60, ptEmpty.y + 150);
    Bar().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(ptTo));
    ASSERT_TRUE(Bar().IsFloating());
    EXPECT_TRUE(Bar().m_bDragging) << "the drag goes on while the button is down";
    Bar().SendMessage(WM_LBUTTONUP, 0, At(ptTo));
    EXPECT_FALSE(Bar().m_bDragging);
    EXPECT_NE(Bar().m_hWnd, ::GetCapture());

    // The floating frame sits where the bar was dragged to, the press
    // keeping its place on the bar.
    CRect rectFrame;
    Bar().GetDockingFrame()->GetWindowRect(rectFrame);
    ptTo.Offset(ptScreen - ptEmpty);
    EXPECT_EQ(CPoint(ptTo.x - ptOffset.x, ptTo.y - ptOffset.y), rectFrame.TopLeft());

    Bar().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(EmptyPoint()));
    EXPECT_FALSE(Bar().IsFloating());
}

TEST_F(CoolToolBarTest, EmptySpaceIgnoredWithoutDragAnywhere)
{
    Bar().SetDragAnywhere(FALSE);
    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(EmptyPoint()));
    EXPECT_FALSE(Bar().m_bDragging);
    EXPECT_NE(Bar().m_hWnd, ::GetCapture());
    Bar().SendMessage(WM_LBUTTONUP, 0, At(EmptyPoint()));
    Bar().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(EmptyPoint()));
    EXPECT_FALSE(Bar().IsFloating());
}

TEST_F(CoolToolBarTest, APressOnAButtonIsNoDrag)
{
    CRect rect;
    Bar().GetItemRect(0, rect);
    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(rect.CenterPoint()));
    EXPECT_FALSE(Bar().m_bDragging);
    Bar().SendMessage(WM_LBUTTONUP, 0, At(rect.CenterPoint()));
}

// A quit asked for during the drag ends it and stays in the queue; so do
// the ways a drag is cut short from outside (Alt+Tab cancels the mode, or
// another window takes the mouse).
TEST_F(CoolToolBarTest, QuitAndCancelEndTheDrag)
{
    const CPoint ptEmpty = EmptyPoint();
    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(ptEmpty));
    ASSERT_TRUE(Bar().m_bDragging);
    ::PostQuitMessage(7);
    Bar().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(CPoint(ptEmpty.x + 40, ptEmpty.y + 120)));
    EXPECT_FALSE(Bar().m_bDragging);
    EXPECT_NE(Bar().m_hWnd, ::GetCapture());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was eaten";
    EXPECT_EQ(7u, msg.wParam);

    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(ptEmpty));
    ASSERT_TRUE(Bar().m_bDragging);
    Bar().SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(Bar().m_bDragging);
    EXPECT_NE(Bar().m_hWnd, ::GetCapture());

    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(ptEmpty));
    ASSERT_TRUE(Bar().m_bDragging);
    m_frame->SetCapture();
    EXPECT_FALSE(Bar().m_bDragging);
    ::ReleaseCapture();
}

TEST_F(CoolToolBarTest, CaptionDragStartsAtTheGivenPoint)
{
    m_frame->FloatControlBar(&Bar(), CPoint(100, 100));
    ASSERT_TRUE(Bar().IsFloating());
    Bar().BeginCaptionDrag(CPoint(10, 5));
    Bar().SetCapture();
    Bar().m_bDragging = TRUE;
    CPoint pt(150, 30), ptScreen(150, 30);
    Bar().ClientToScreen(&ptScreen);
    Bar().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pt));
    CRect rectFrame;
    Bar().GetDockingFrame()->GetWindowRect(rectFrame);
    EXPECT_EQ(CPoint(ptScreen.x - 10, ptScreen.y - 5), rectFrame.TopLeft());
    Bar().SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(Bar().m_bDragging);
}

} // namespace
