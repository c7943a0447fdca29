// The size tool bar: the buttons SetButtons makes, the button a press hits,
// the check states, as tables; then a real bar in a size-dock frame: its
// buttons wrapping as the bar narrows, their tips and the status text, the
// text offered to the customize dialog (always ended, whatever the buffer),
// states from the command routing, and a press beside the buttons reaching
// the bar.
#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "OXFrameWndDock.h"
#include "OXSizeToolBar.h"
#include "bars_test_res.h"
#include "testsupport.h"

namespace {

TEST(SizeToolBarRules, SetButtonsTakesImagesFromTheListOrCountsThem)
{
    struct Expected
    {
        int idCommand, iBitmap;
        BOOL bSeparator;
    };
    const UINT list[] = {101, 100, 102};
    struct Case
    {
        const char* name;
        std::vector<UINT> ids;
        const UINT* pList;
        int nList;
        std::vector<Expected> expected;
    } cases[] = {
        {"no list: running images, a separator between", {100, 0, 101}, NULL, 0,
         {{100, 0, FALSE}, {0, 0, TRUE}, {101, 1, FALSE}}},
        {"a list: the id's place in it", {100, 0, 101}, list, 3, {{100, 1, FALSE}, {0, 0, TRUE}, {101, 0, FALSE}}},
        {"an id missing from the list is left out", {102, 555, 100}, list, 3, {{102, 2, FALSE}, {100, 1, FALSE}}},
        {"separators only", {0, 0}, list, 3, {{0, 0, TRUE}, {0, 0, TRUE}}},
    };
    for (const Case& c : cases) {
        std::vector<TBBUTTON> buttons =
            COXSizeToolBar::MakeButtons(c.ids.data(), (int)c.ids.size(), c.pList, c.nList);
        ASSERT_EQ(c.expected.size(), buttons.size()) << c.name;
        for (size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(c.expected[i].bSeparator, (buttons[i].fsStyle & TBSTYLE_SEP) != 0) << c.name << " " << i;
            if (c.expected[i].bSeparator)
                continue;
            EXPECT_EQ(c.expected[i].idCommand, buttons[i].idCommand) << c.name << " " << i;
            EXPECT_EQ(c.expected[i].iBitmap, buttons[i].iBitmap) << c.name << " " << i;
            EXPECT_EQ(TBSTATE_ENABLED, buttons[i].fsState) << c.name << " " << i;
        }
    }
}

TEST(SizeToolBarRules, APressHitsButtonsNotSeparatorsAndTheSearchStopsAboveThePoint)
{
    // two rows of 23 x 22 buttons; a separator ends the first row
    const std::vector<CRect> rects = {CRect(0, 0, 23, 22), CRect(23, 0, 46, 22), CRect(46, 0, 54, 22),
                                      CRect(0, 22, 23, 44), CRect(23, 22, 46, 44)};
    const std::vector<BOOL> separators = {FALSE, FALSE, TRUE, FALSE, FALSE};
    struct Case
    {
        CPoint pt;
        int nHit;
    } cases[] = {
        {{5, 5}, 0}, {{30, 30}, 4}, {{0, 22}, 3}, {{50, 5}, -1},   // the separator
        {{60, 30}, -1},                                               // beside the last row
        {{5, 50}, -1},                                                // below every row
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nHit, COXToolBarCtrl::HitButton(rects, separators, c.pt)) << c.pt.x << "," << c.pt.y;
    // a button of a row above the point is never reached, even overlapping it
    const std::vector<CRect> odd = {CRect(0, 0, 50, 50), CRect(0, 10, 10, 20)};
    EXPECT_EQ(-1, COXToolBarCtrl::HitButton(odd, {FALSE, FALSE}, CPoint(30, 30)));
}

TEST(SizeToolBarRules, SetCheckKeepsTheOtherStateBits)
{
    const UINT nBase = TBSTATE_ENABLED | TBSTATE_WRAP;
    struct Case
    {
        UINT nState;
        int nCheck;
        UINT nExpected;
    } cases[] = {
        {nBase, 1, nBase | TBSTATE_CHECKED},
        {nBase | TBSTATE_CHECKED, 2, nBase | TBSTATE_INDETERMINATE},
        {nBase | TBSTATE_CHECKED | TBSTATE_INDETERMINATE, 0, nBase},
        {nBase | TBSTATE_INDETERMINATE, 1, nBase | TBSTATE_CHECKED},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nExpected, COXToolCmdUI::CheckState(c.nState, c.nCheck)) << c.nState << " " << c.nCheck;
}

TEST(SizeToolBarRules, ShortNamesAndBoundedCopies)
{
    BOOL bFound = FALSE;
    EXPECT_EQ(CString("Web search"), COXSizeToolBar::ShortName(IDS_BT_SEARCH, &bFound));
    EXPECT_TRUE(bFound);
    EXPECT_EQ(CString(""), COXSizeToolBar::ShortName(IDS_BT_EXPORT, &bFound)) << "no line feed: no tip";
    EXPECT_TRUE(bFound);
    EXPECT_EQ(CString(""), COXSizeToolBar::ShortName(ID_BT_NOSTRING, &bFound));
    EXPECT_FALSE(bFound);

    char buffer[8];
    memset(buffer, 'X', sizeof(buffer));
    COXSizeToolBar::CopyText(buffer, 4, "Web search");
    EXPECT_STREQ("Web", buffer) << "a text filling the buffer still ends in it";
    EXPECT_EQ('X', buffer[4]);
    COXSizeToolBar::CopyText(buffer, 0, "Web search");
    EXPECT_STREQ("Web", buffer) << "no room: nothing written";
}

// ---------------------------------------------------------------------------
// A real bar
// ---------------------------------------------------------------------------

const UINT kToolBarId = 29485;
const UINT kCommands[] = {IDS_BT_SEARCH, IDS_BT_EXPORT, IDS_BT_OPEN, 18110, 18111, 18112};

// A frame that handles the first command, checks the third and says
// nothing of the others; it keeps the last status text it was asked for.
class CToolFrame : public COXFrameWndSizeDock
{
public:
    UINT m_nLastMessageId = 0;

protected:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_UPDATE_COMMAND_UI && pExtra != NULL && (nID == IDS_BT_SEARCH || nID == IDS_BT_OPEN)) {
            CCmdUI* pCmdUI = (CCmdUI*)pExtra;
            pCmdUI->Enable(TRUE);
            if (nID == IDS_BT_OPEN)
                pCmdUI->SetCheck(1);
            return TRUE;
        }
        return COXFrameWndSizeDock::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_SETMESSAGESTRING)
            m_nLastMessageId = (UINT)wParam;
        return COXFrameWndSizeDock::WindowProc(nMsg, wParam, lParam);
    }
};

class SizeToolBarWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CToolFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Size tool bar", WS_OVERLAPPEDWINDOW, CRect(40, 40, 740, 540)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_bar.SetBitmapIds(kCommands, 6);
        ASSERT_TRUE(m_bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kToolBarId));
        m_bar.SetWindowText("Tools");
        ASSERT_TRUE(m_bar.LoadBitmap(IDB_BT_PANE_LARGE));
        ASSERT_TRUE(m_bar.SetButtons(kCommands, 6));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->RecalcLayout();
        PumpPending();
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
    }
    int Rows()
    {
        std::vector<LONG> tops;
        for (int i = 0; i < m_bar.m_ToolCtrl.GetButtonCount(); ++i) {
            CRect rect;
            m_bar.m_ToolCtrl.GetItemRect(i, &rect);
            if (std::find(tops.begin(), tops.end(), rect.top) == tops.end())
                tops.push_back(rect.top);
        }
        return (int)tops.size();
    }
    void Float(CSize size)
    {
        m_bar.m_FloatSize = size;
        m_pFrame->FloatControlBarNotify(&m_bar, CPoint(100, 100), CBRS_ALIGN_TOP);
        CFrameWnd* pFloat = m_bar.GetParentFrame();
        pFloat->RecalcLayout();
        PumpPending();
    }

    CToolFrame* m_pFrame = NULL;
    CWnd* m_pOldMain = NULL;
    COXSizeToolBar m_bar;
};

TEST_F(SizeToolBarWindow, TheControlIsMadeAdjustableWithTipsAndTheColumnIsOneButtonWide)
{
    ASSERT_TRUE(::IsWindow(m_bar.m_ToolCtrl.m_hWnd));
    EXPECT_EQ(COXSizeToolBar::nControlID, m_bar.m_ToolCtrl.GetDlgCtrlID());
    const DWORD dwStyle = m_bar.m_ToolCtrl.GetStyle();
    for (DWORD dwBit : {(DWORD)CCS_ADJUSTABLE, (DWORD)TBSTYLE_TOOLTIPS, (DWORD)TBSTYLE_WRAPABLE, (DWORD)CCS_NORESIZE})
        EXPECT_TRUE(dwStyle & dwBit) << std::hex << dwBit;
    EXPECT_EQ(6, m_bar.m_ToolCtrl.GetButtonCount());
    CRect rect;
    m_bar.m_ToolCtrl.GetItemRect(0, &rect);
    EXPECT_EQ(rect.Width() + 10, m_bar.m_VertDockSize.cx);

    // docked, the caption strip takes part of the window: the control keeps
    // within what is left
    CRect rectWindow, rectClient, rectCtrl;
    m_bar.GetWindowRect(&rectWindow);
    m_bar.GetClientRect(&rectClient);
    ASSERT_LT(rectClient.Width(), rectWindow.Width());
    m_bar.m_ToolCtrl.GetWindowRect(&rectCtrl);
    m_bar.ScreenToClient(&rectCtrl);
    EXPECT_EQ(CRect(5, 3, rectClient.right - 4, rectClient.bottom - 2), rectCtrl);
}

TEST_F(SizeToolBarWindow, ButtonsWrapToTheBarsWidth)
{
    CRect rectButton;
    m_bar.m_ToolCtrl.GetItemRect(0, &rectButton);
    Float(CSize(6 * rectButton.Width() + 40, 80));
    EXPECT_EQ(1, Rows()) << "wide enough for all six";
    CSize extent;
    m_bar.GetMaxButtonExtent(extent);
    m_bar.m_ToolCtrl.GetItemRect(5, &rectButton);
    EXPECT_EQ(rectButton.BottomRight(), CPoint(extent));

    CFrameWnd* pFloat = m_bar.GetParentFrame();
    CRect rectWindow;
    pFloat->GetWindowRect(&rectWindow);
    pFloat->SetWindowPos(NULL, 0, 0, 2 * rectButton.Width() + 30, rectWindow.Height() + 60,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
    EXPECT_GE(Rows(), 2) << "the buttons flow into more rows";
    m_bar.GetMaxButtonExtent(extent);
    CRect rectBar;
    m_bar.GetClientRect(&rectBar);
    EXPECT_LE(extent.cx, rectBar.Width()) << "no button past the bar's right edge";
}

TEST_F(SizeToolBarWindow, TipsAreTheShortNamesAndTheMainWindowShowsTheStatusText)
{
    struct Case
    {
        UINT nID;
        const char* lpszTip;
    } cases[] = {{IDS_BT_SEARCH, "Web search"}, {IDS_BT_EXPORT, ""}, {18110, ""}};
    for (const Case& c : cases) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = m_bar.m_ToolCtrl.m_hWnd;
        info.hdr.idFrom = c.nID;
        info.hdr.code = TTN_NEEDTEXTA;
        m_pFrame->m_nLastMessageId = 0;
        m_bar.SendMessage(WM_NOTIFY, c.nID, (LPARAM)&info);
        ASSERT_TRUE(info.lpszText != NULL);
        EXPECT_STREQ(c.lpszTip, info.lpszText) << c.nID;
        EXPECT_EQ(c.nID, m_pFrame->m_nLastMessageId) << "the status text is sent even without a tip";
    }
}

TEST_F(SizeToolBarWindow, TheCustomizeDialogIsOfferedTheListWithEndedTexts)
{
    struct Case
    {
        int iItem;
        int cchText;
        BOOL bResult;
        int idCommand;
        const char* lpszText;
    } cases[] = {
        {0, 64, TRUE, IDS_BT_SEARCH, "Web search"},
        {0, 4, TRUE, IDS_BT_SEARCH, "Web"},   // as long as the buffer: cut, and ended
        {2, 64, TRUE, IDS_BT_OPEN, "Open"},
        {1, 64, TRUE, IDS_BT_EXPORT, ""},
        {6, 64, FALSE, 0, "XXXXXXX"},          // past the list: no more entries
    };
    for (const Case& c : cases) {
        char text[64];
        memset(text, 'X', sizeof(text));
        text[7] = '\0';
        NMTOOLBARA info = {};
        info.hdr.hwndFrom = m_bar.m_ToolCtrl.m_hWnd;
        info.hdr.idFrom = COXSizeToolBar::nControlID;
        info.hdr.code = TBN_GETBUTTONINFOA;
        info.iItem = c.iItem;
        info.pszText = text;
        info.cchText = c.cchText;
        EXPECT_EQ(c.bResult, (BOOL)m_bar.SendMessage(WM_NOTIFY, COXSizeToolBar::nControlID, (LPARAM)&info))
            << c.iItem;
        EXPECT_STREQ(c.lpszText, text) << c.iItem << " " << c.cchText;
        if (!c.bResult)
            continue;
        EXPECT_EQ(c.idCommand, info.tbButton.idCommand);
        EXPECT_EQ(c.iItem, info.tbButton.iBitmap);
        EXPECT_EQ(TBSTATE_ENABLED, info.tbButton.fsState);
    }
    NMHDR query = {m_bar.m_ToolCtrl.m_hWnd, COXSizeToolBar::nControlID, (UINT)TBN_QUERYDELETE};
    EXPECT_TRUE(m_bar.SendMessage(WM_NOTIFY, COXSizeToolBar::nControlID, (LPARAM)&query));
    query.code = TBN_QUERYINSERT;
    EXPECT_TRUE(m_bar.SendMessage(WM_NOTIFY, COXSizeToolBar::nControlID, (LPARAM)&query));
}

TEST_F(SizeToolBarWindow, ButtonStatesFollowTheCommandRouting)
{
    m_bar.OnUpdateCmdUI(m_pFrame, FALSE);
    EXPECT_TRUE(m_bar.m_ToolCtrl.GetState(IDS_BT_EXPORT) & TBSTATE_ENABLED) << "left alone";
    EXPECT_TRUE(m_bar.m_ToolCtrl.GetState(IDS_BT_OPEN) & TBSTATE_CHECKED);
    m_bar.OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(m_bar.m_ToolCtrl.GetState(IDS_BT_SEARCH) & TBSTATE_ENABLED);
    EXPECT_FALSE(m_bar.m_ToolCtrl.GetState(IDS_BT_EXPORT) & TBSTATE_ENABLED) << "no handler: disabled";
    EXPECT_TRUE(m_bar.m_ToolCtrl.GetState(IDS_BT_OPEN) & TBSTATE_CHECKED);
}

TEST_F(SizeToolBarWindow, APressBesideTheButtonsReachesTheBar)
{
    m_pFrame->SetOwnBarDrag(TRUE);
    CSize extent;
    m_bar.GetMaxButtonExtent(extent);
    CRect rectCtrl;
    m_bar.m_ToolCtrl.GetClientRect(&rectCtrl);
    ASSERT_LT(extent.cx + 5, rectCtrl.right) << "room beside the buttons";
    const CPoint pt(rectCtrl.right - 3, 3);
    m_bar.m_ToolCtrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(m_bar.m_bMaybeDrag) << "the bar took the press as the start of a drag";
    CPoint ptBar = pt;
    m_bar.m_ToolCtrl.MapWindowPoints(&m_bar, &ptBar, 1);
    EXPECT_EQ(ptBar, m_bar.m_ptButtonDown);
    m_bar.SendMessage(WM_LBUTTONUP, 0, 0);
}

TEST_F(SizeToolBarWindow, HoveringAButtonShowsItsShortNameAsTheTip)
{
    m_pFrame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpPending();
    const HWND hTip = (HWND)m_bar.m_ToolCtrl.SendMessage(TB_GETTOOLTIPS);
    ASSERT_TRUE(hTip != NULL);
    CRect rect;
    m_bar.m_ToolCtrl.GetItemRect(0, &rect);
    CPoint pt = rect.CenterPoint();
    m_bar.m_ToolCtrl.ClientToScreen(&pt);
    ASSERT_TRUE(PlaceCursor(pt + CSize(1, 0)));
    ASSERT_TRUE(PlaceCursor(pt));
    // A move that reached the display before the frame was raised there went
    // to the window that was under it: the pointer moves again while no tip
    // shows, as a hand resting on the mouse would.
    DWORD dwMoved = GetTickCount();
    int nNudge = 0;
    ASSERT_TRUE(PumpUntil([&] {
        if (::IsWindowVisible(hTip))
            return true;
        if (GetTickCount() - dwMoved > 2000) {
            SetCursorPos(pt.x + (++nNudge & 1), pt.y);
            dwMoved = GetTickCount();
        }
        return false;
    }, kWaitMs)) << "no tip showed";
    char text[80] = {};
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ASSERT_TRUE(::SendMessage(hTip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti));
    ti.lpszText = text;
    ::SendMessage(hTip, TTM_GETTEXTA, sizeof(text), (LPARAM)&ti);
    EXPECT_STREQ("Web search", text);
    EXPECT_EQ((UINT)IDS_BT_SEARCH, m_pFrame->m_nLastMessageId);
    EXPECT_TRUE(::GetWindowLong(hTip, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(SizeToolBarWindow, TheCustomizeDialogOffersTheCommandsNotOnTheBar)
{
    // two buttons left on the bar: the other four are offered, with a separator
    while (m_bar.m_ToolCtrl.GetButtonCount() > 2)
        m_bar.m_ToolCtrl.DeleteButton(2);
    CDialogAnswerer answerer;
    int nAvailable = -1, nOnBar = -1;
    answerer.Handle([&](HWND hDlg, const ShownDialog&) {
        // the dialog's two lists: the available buttons and the bar's
        std::vector<HWND> lists;
        for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            char cls[32] = {};
            ::GetClassNameA(h, cls, sizeof(cls));
            if (lstrcmpiA(cls, "ListBox") == 0)
                lists.push_back(h);
        }
        if (lists.size() == 2) {
            nAvailable = (int)::SendMessage(lists[0], LB_GETCOUNT, 0, 0);
            nOnBar = (int)::SendMessage(lists[1], LB_GETCOUNT, 0, 0);
        }
        ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    m_bar.m_ToolCtrl.Customize();
    ASSERT_EQ(1u, answerer.Shown().size()) << "the customize dialog never showed";
    EXPECT_EQ(5, nAvailable) << "the four commands left and a separator";
    EXPECT_EQ(3, nOnBar) << "the two buttons and the end of the bar";
}

TEST(SizeToolBarModule, DllVersionOfTheCommonControls)
{
    const DWORD dwVersion = GetDllVersion("comctl32.dll");
    EXPECT_GE(HIWORD(dwVersion), 5u);
    EXPECT_EQ(0u, GetDllVersion("no-such-library-29400.dll"));
    EXPECT_EQ(0u, GetDllVersion("kernel32.dll")) << "no DllGetVersion export";
}

} // namespace
