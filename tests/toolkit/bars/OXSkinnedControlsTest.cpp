// The tab skins' layout rules, and the skinned tab, spin and combo controls:
// tabs at the top and the bottom with scroll arrows in each skin, arrows
// hollow where scrolling stops, the combo boxes' hover redraws and the
// common-controls version they read.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "OXComCtlVersion.h"
#include "OXSkinnedApp.h"
#include "OXSkinnedComboBox.h"
#include "OXSkinnedTabCtrl.h"
#include "OXTabSkin.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// ---------------------------------------------------------------------------
// Tab skin rules
// ---------------------------------------------------------------------------
TEST(TabSkinRules, FacesAndPaintOrder)
{
    EXPECT_EQ(RGB(254, 249, 240), COXTabSkinXP::LighterFace(RGB(212, 208, 200)));
    EXPECT_EQ(RGB(255, 255, 0), COXTabSkinXP::LighterFace(RGB(240, 213, 0)));
    struct Case
    {
        int nCount, nSelected;
        std::vector<int> order;
    } cases[] = {
        {4, 1, {0, 2, 3, 1}}, {3, 2, {0, 1, 2}}, {3, -1, {0, 1, 2}}, {0, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.order, COXTabSkinXP::PaintOrder(c.nCount, c.nSelected)) << c.nCount << " " << c.nSelected;
}

TEST(TabSkinRules, TabsUnderTheScrollArrowsAreCutOrSkipped)
{
    struct Case
    {
        RECT tab;
        int xSpin;
        int right;
    } cases[] = {
        {{10, 0, 60, 20}, INT_MAX, 60},     // no arrows: the whole tab
        {{10, 0, 60, 20}, 40, 40},          // cut where the arrows begin
        {{40, 0, 90, 20}, 40, INT_MIN},     // begins under the arrows
        {{-50, 0, 3, 20}, 100, INT_MIN},    // scrolled off to the left
        {{-50, 0, 4, 20}, 100, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.right, COXTabSkinXP::VisibleTabRight(c.tab, 0, c.xSpin)) << c.tab.left << " " << c.xSpin;
}

TEST(TabSkinRules, StripArrowsAndMargins)
{
    int yLine = 0;
    EXPECT_EQ(CRect(0, 0, 200, 21), COXTabSkinXP::StripRect(CRect(0, 0, 200, 100), CRect(4, 24, 196, 96), FALSE, &yLine));
    EXPECT_EQ(21, yLine);
    EXPECT_EQ(CRect(0, 79, 200, 100), COXTabSkinXP::StripRect(CRect(0, 0, 200, 100), CRect(4, 4, 196, 76), TRUE, &yLine));
    EXPECT_EQ(78, yLine);

    POINT left[3], right[3];
    COXTabSkinXP::ArrowPoints(CRect(0, 0, 32, 16), TRUE, left);
    COXTabSkinXP::ArrowPoints(CRect(0, 0, 32, 16), FALSE, right);
    const POINT wantLeft[3] = {{6, 8}, {10, 4}, {10, 12}}, wantRight[3] = {{26, 8}, {22, 4}, {22, 12}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CPoint(wantLeft[i]), CPoint(left[i])) << i;
        EXPECT_EQ(CPoint(wantRight[i]), CPoint(right[i])) << i;
    }

    struct Arrow
    {
        BOOL bLeft;
        int nPos, nUpper;
        BOOL bEnabled;
    } arrows[] = {{TRUE, 0, 5, FALSE}, {TRUE, 3, 5, TRUE}, {FALSE, 3, 5, TRUE}, {FALSE, 5, 5, FALSE}};
    for (const Arrow& a : arrows)
        EXPECT_EQ(a.bEnabled, COXTabSkinXP::ArrowEnabled(a.bLeft, a.nPos, a.nUpper)) << a.bLeft << a.nPos;

    // Sides with a margin under 8 grow; the tabs' side (26) does not.
    EXPECT_EQ(CRect(7, 20, 93, 93),
              COXTabSkinXP::GrowThinMargins(CRect(10, 20, 90, 90), CRect(0, 0, 100, 100), CRect(2, 26, 98, 98), 3));
}

// ---------------------------------------------------------------------------
// Skinned controls on screen
// ---------------------------------------------------------------------------
class SkinnedTabs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pPrevious = AfxGetApp();
        m_pApp = new COXSkinnedApp;
        ASSERT_TRUE(CreateHostWindow(m_host, "tabs", WS_POPUP | WS_VISIBLE, CRect(50, 50, 290, 170)));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        delete m_pApp;
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pState->m_pCurrentWinApp = m_pPrevious;
        pState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
    }
    void MakeTabs(COXSkinnedTabCtrl& tab, DWORD dwStyle, int nTabs)
    {
        ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE | dwStyle, CRect(0, 0, 240, 120), &m_host, 7));
        tab.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        for (int i = 0; i < nTabs; ++i) {
            CString s;
            s.Format("Tab %d", i + 1);
            tab.InsertItem(i, s);
        }
        tab.SetCurSel(nTabs > 1 ? 1 : 0);
    }
    static COLORREF Pixel(CWnd* pWnd, int x, int y)
    {
        pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CClientDC dc(pWnd);
        return dc.GetPixel(x, y);
    }

    COXSkinnedApp* m_pApp = nullptr;
    CWinApp* m_pPrevious = nullptr;
    CWnd m_host;
};

TEST_F(SkinnedTabs, TopAndBottomTabsInOfficeXP)
{
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE), clrLighter = COXTabSkinXP::LighterFace(clrFace);
    for (DWORD dwStyle : {0ul, (DWORD)TCS_BOTTOM}) {
        COXSkinnedTabCtrl tab;
        MakeTabs(tab, dwStyle, 3);
        ASSERT_TRUE(dynamic_cast<COXTabSkinXP*>(tab.GetTabSkin()) != nullptr);
        CRect rectSelected, rectOther;
        tab.GetItemRect(1, &rectSelected);
        tab.GetItemRect(2, &rectOther);
        int y = dwStyle ? rectSelected.top + 1 : rectSelected.bottom - 2;
        int yOther = dwStyle ? rectOther.top + 1 : rectOther.bottom - 2;
        EXPECT_EQ(clrFace, Pixel(&tab, rectSelected.left + 4, y)) << "selected, style " << dwStyle;
        EXPECT_EQ(clrLighter, Pixel(&tab, rectOther.left + 4, yOther)) << "other, style " << dwStyle;
        // The strip beyond the last tab.
        EXPECT_EQ(clrLighter, Pixel(&tab, 236, dwStyle ? 117 : 2)) << "strip, style " << dwStyle;
        // The frame of the display area.
        CRect rectDisplay;
        tab.GetClientRect(&rectDisplay);
        tab.AdjustRect(FALSE, &rectDisplay);
        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), Pixel(&tab, rectDisplay.left, rectDisplay.CenterPoint().y));
        tab.DestroyWindow();
    }
}

// Office XP, tabs at the top: the selected tab is outlined on its top and
// left (a white edge would not show on the white strip) and the display
// area's frame opens under it, as the bottom strip joins its selected tab to
// the display area; under the other tabs the frame runs on.
TEST_F(SkinnedTabs, TheSelectedTopTabOpensIntoItsPageInOfficeXP)
{
    ASSERT_TRUE(m_pApp->SetCurrentSkin("Office XP"));
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE), clrFrame = ::GetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(clrFace, clrFrame);
    COXSkinnedTabCtrl tab;
    MakeTabs(tab, 0, 3);
    CRect rectSelected, rectOther, rectDisplay;
    tab.GetItemRect(1, &rectSelected);
    tab.GetItemRect(2, &rectOther);
    tab.GetClientRect(&rectDisplay);
    tab.AdjustRect(FALSE, &rectDisplay);
    const int yFrame = rectDisplay.top, xMiddle = rectSelected.CenterPoint().x;
    struct Case
    {
        const char* pszWhere;
        int x, y;
        COLORREF clr;
    } cases[] = {
        {"the selected tab's top edge", xMiddle, rectSelected.top, clrFrame},
        {"its left edge", rectSelected.left, rectSelected.CenterPoint().y, clrFrame},
        {"its left edge meets the frame", rectSelected.left, yFrame, clrFrame},
        {"the frame under it", xMiddle, yFrame, clrFace},
        {"the frame under it, by its left edge", rectSelected.left + 1, yFrame, clrFace},
        {"the frame under another tab", rectOther.CenterPoint().x, yFrame, clrFrame},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.clr, Pixel(&tab, c.x, c.y)) << c.pszWhere << " (" << c.x << ", " << c.y << ")";
    EXPECT_EQ(clrFrame, Pixel(&tab, rectDisplay.left, yFrame + 5)) << "the frame's left side";

    // Choosing another tab repaints only what the control invalidates: the
    // frame closes under the tab left and opens under the one chosen.
    tab.SetCurSel(2);
    tab.UpdateWindow();
    CClientDC dc(&tab);
    EXPECT_EQ(clrFrame, dc.GetPixel(xMiddle, yFrame)) << "under the tab selected before";
    EXPECT_EQ(clrFace, dc.GetPixel(rectOther.CenterPoint().x, yFrame)) << "under the tab selected now";
    tab.DestroyWindow();
}

// The flat skins draw the focus rectangle on the selected tab only while the
// control has the keyboard focus, and a focus change repaints it by itself:
// with the focus in another control, no tab strip looks focused.
TEST_F(SkinnedTabs, TheSelectedTabShowsTheFocusOnlyWhileTheControlHasIt)
{
    for (const char* pszSkin : {"Office XP", "Office 2003"}) {
        ASSERT_TRUE(m_pApp->SetCurrentSkin(pszSkin));
        for (DWORD dwStyle : {0ul, (DWORD)TCS_BOTTOM}) {
            COXSkinnedTabCtrl tab;
            MakeTabs(tab, dwStyle, 3);
            CEdit edit;
            ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(180, 60, 230, 80), &m_host, 8));
            CRect rect;
            tab.GetItemRect(tab.GetCurSel(), &rect);
            // The focus rectangle's top row, 2 in from the tab's edges; the
            // face of a selected tab is one colour across a row.
            auto focusDots = [&] {
                PumpPending();
                tab.UpdateWindow();
                CClientDC dc(&tab);
                const int y = rect.top + 2;
                const COLORREF clrFace = dc.GetPixel(rect.left + 1, y);
                int n = 0;
                for (int x = rect.left + 2; x < rect.right - 2; ++x)
                    n += dc.GetPixel(x, y) != clrFace;
                return n;
            };
            tab.SetFocus();
            ASSERT_EQ(tab.m_hWnd, ::GetFocus());
            EXPECT_GT(focusDots(), 0) << pszSkin << ", style " << dwStyle << ": focused, it shows";
            edit.SetFocus();
            ASSERT_EQ(edit.m_hWnd, ::GetFocus());
            EXPECT_EQ(0, focusDots()) << pszSkin << ", style " << dwStyle << ": the focus is elsewhere";
            edit.DestroyWindow();
            tab.DestroyWindow();
        }
    }
}

TEST_F(SkinnedTabs, WithoutTabsOnlyBackgroundAndFrame)
{
    COXSkinnedTabCtrl tab;
    MakeTabs(tab, 0, 0);
    CRect rectDisplay;
    tab.GetClientRect(&rectDisplay);
    tab.AdjustRect(FALSE, &rectDisplay);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), Pixel(&tab, rectDisplay.left, rectDisplay.CenterPoint().y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Pixel(&tab, rectDisplay.CenterPoint().x, rectDisplay.CenterPoint().y));
    tab.DestroyWindow();
}

// Thirty tabs in 240 pixels: the control shows its scroll arrows, which the
// XP and 2003 skins take over and draw hollow where scrolling stops.
TEST_F(SkinnedTabs, ScrollArrowsInEachSkin)
{
    for (const char* pszSkin : {"Office XP", "Office 2003", "Classic"}) {
        ASSERT_TRUE(m_pApp->SetCurrentSkin(pszSkin));
        for (DWORD dwStyle : {0ul, (DWORD)TCS_BOTTOM}) {
            COXSkinnedTabCtrl tab;
            MakeTabs(tab, dwStyle, 30);
            tab.UpdateWindow();
            COXSkinnedSpinCtrl* pSpin = COXSkinnedTabCtrl::GetSkinnedSpin(&tab);
            ASSERT_NE(nullptr, pSpin);
            bool bSkinned = strcmp(pszSkin, "Classic") != 0;
            if (!bSkinned) {
                EXPECT_EQ(NULL, pSpin->GetSafeHwnd()) << "Classic leaves the arrows alone";
                tab.DestroyWindow();
                continue;
            }
            ASSERT_TRUE(::IsWindow(pSpin->GetSafeHwnd())) << pszSkin << ": the arrows were not taken over";
            ASSERT_TRUE(pSpin->IsWindowVisible());
            CRect rect;
            pSpin->GetClientRect(&rect);
            POINT left[3], right[3];
            COXTabSkinXP::ArrowPoints(rect, TRUE, left);
            COXTabSkinXP::ArrowPoints(rect, FALSE, right);
            // Inside each triangle, a pixel beside its base.
            CPoint ptLeft(left[1].x - 1, left[0].y), ptRight(right[1].x + 1, right[0].y);
            const COLORREF clrArrow = dynamic_cast<COXSkinXP*>(m_pApp->GetCurrentSkin())->GetInactiveTabTextColor();
            pSpin->SetPos(0);
            EXPECT_NE(clrArrow, Pixel(pSpin, ptLeft.x, ptLeft.y)) << pszSkin << ": left arrow hollow at 0";
            EXPECT_EQ(clrArrow, Pixel(pSpin, ptRight.x, ptRight.y)) << pszSkin;
            pSpin->SetPos(3);
            EXPECT_EQ(clrArrow, Pixel(pSpin, ptLeft.x, ptLeft.y)) << pszSkin;
            tab.DestroyWindow();
        }
    }
}

// The arrow under the pointer is raised when it can scroll, and not at all
// when it cannot.
TEST_F(SkinnedTabs, TheArrowUnderThePointerIsRaisedWhenItCanScroll)
{
    POINT ptSaved;
    ::GetCursorPos(&ptSaved);
    COXSkinnedTabCtrl tab;
    MakeTabs(tab, 0, 30);
    tab.UpdateWindow();
    COXSkinnedSpinCtrl* pSpin = COXSkinnedTabCtrl::GetSkinnedSpin(&tab);
    ASSERT_TRUE(::IsWindow(pSpin->GetSafeHwnd()));
    pSpin->SetPos(0);
    CRect rect, rectScreen;
    pSpin->GetClientRect(&rect);
    pSpin->GetWindowRect(&rectScreen);
    const int xMiddle = rect.Width() / 2;
    const COLORREF clrLighter = COXTabSkinXP::LighterFace(::GetSysColor(COLOR_BTNFACE));
    struct Case
    {
        int x;   // where the pointer rests
        int xCorner;
        COLORREF topLeft;
    } cases[] = {
        {xMiddle + 3, xMiddle, RGB(255, 255, 255)},   // right: raised
        {3, 0, clrLighter},                           // left at 0: flat
    };
    for (const Case& c : cases) {
        CPoint pt(rectScreen.left + c.x, rectScreen.top + rect.Height() / 2);
        ASSERT_TRUE(PlaceCursor(pt)) << "the pointer could not be placed";
        EXPECT_EQ(c.topLeft, Pixel(pSpin, c.xCorner, 0)) << c.x;
    }
    ::SetCursorPos(ptSaved.x, ptSaved.y);
    tab.DestroyWindow();
}

TEST(SkinnedTabsAlone, EachControlKeepsAClassicSkinOfItsOwn)
{
    CWnd host;
    ASSERT_TRUE(CreateHostWindow(host, "tabs", WS_POPUP, CRect(0, 0, 200, 100)));
    COXSkinnedTabCtrl a, b;
    ASSERT_TRUE(a.Create(WS_CHILD, CRect(0, 0, 100, 50), &host, 1));
    ASSERT_TRUE(b.Create(WS_CHILD, CRect(0, 50, 100, 100), &host, 2));
    EXPECT_TRUE(dynamic_cast<COXTabSkinClassic*>(a.GetTabSkin()) != nullptr);
    EXPECT_NE(a.GetTabSkin(), b.GetTabSkin());
    EXPECT_EQ(a.GetTabSkin(), a.GetTabSkin()) << "made once";
    host.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Skinned combo boxes
// ---------------------------------------------------------------------------
TEST(SkinnedCombo, TheVersionBranchAndTheHoverRule)
{
    struct Case
    {
        int nMajor, nMinor;
        BOOL bComCtl6;
    } cases[] = {{6, 0, TRUE}, {6, 10, TRUE}, {5, 82, FALSE}, {5, 0xFFFF, FALSE}, {4, 71, FALSE}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.bComCtl6, COXSkinnedComboBox::IsComCtl6Version(c.nMajor, c.nMinor)) << c.nMajor << "." << c.nMinor;
        SetComCtlVersionOverride(c.nMajor, c.nMinor);
        COXSkinnedComboBox combo;
        EXPECT_EQ(c.bComCtl6, combo.IsComCtl6()) << c.nMajor << "." << c.nMinor;
    }
    SetComCtlVersionOverride(-1, 0);

    HWND a = (HWND)1, b = (HWND)2;
    EXPECT_EQ(a, COXSkinnedComboBox::HoverRedrawTarget(a, b)) << "left one for another";
    EXPECT_EQ(a, COXSkinnedComboBox::HoverRedrawTarget(a, NULL)) << "left";
    EXPECT_EQ(b, COXSkinnedComboBox::HoverRedrawTarget(NULL, b)) << "entered";
    EXPECT_EQ(NULL, COXSkinnedComboBox::HoverRedrawTarget(a, a)) << "still over it";
    EXPECT_EQ(NULL, COXSkinnedComboBox::HoverRedrawTarget(NULL, NULL));
}

// A tool bar skin that counts the combo drawings it is asked for.
class CRecordingToolbarSkin : public COXToolbarSkinClassic
{
public:
    explicit CRecordingToolbarSkin(int* pDraws) : m_pDraws(pDraws) {}
    void DrawComboBox(CWnd*) override { ++*m_pDraws; }
    int* m_pDraws;
};

class CRecordingCombo : public COXSkinnedComboBox
{
public:
    int m_nDraws = 0;
    CRecordingCombo() { m_pToolbarSkin = new CRecordingToolbarSkin(&m_nDraws); }
};

class SkinnedComboHover : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::GetCursorPos(&m_ptSaved);
        ASSERT_TRUE(CreateHostWindow(m_host, "combos", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 160)));
        ASSERT_TRUE(m_a.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 110, 200), &m_host, 1));
        ASSERT_TRUE(m_b.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(150, 10, 250, 200), &m_host, 2));
        m_host.UpdateWindow();
        MoveTo(5, 50);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        ::SetCursorPos(m_ptSaved.x, m_ptSaved.y);
    }
    // Moves the pointer to a point of the host and lets the move arrive.
    void MoveTo(int x, int y)
    {
        ::SetCursorPos(100 + x, 100 + y);
        HWND hUnder = ::WindowFromPoint(CPoint(100 + x, 100 + y));
        ::PostMessage(hUnder, WM_NULL, 0, 0);
        PumpMessagesFor(60);
    }
    // Waits until the counts reach what is expected, or a generous limit.
    bool WaitFor(int nA, int nB)
    {
        return PumpUntil([&] { return m_a.m_nDraws >= nA && m_b.m_nDraws >= nB; }, kWaitMs);
    }

    CWnd m_host;
    CRecordingCombo m_a, m_b;
    POINT m_ptSaved = {};
};

TEST_F(SkinnedComboHover, LeavingOneForAnotherRedrawsTheOneLeft)
{
    m_a.m_nDraws = m_b.m_nDraws = 0;
    MoveTo(50, 15);
    ASSERT_TRUE(WaitFor(1, 0)) << "entering A did not redraw it";
    int nBBefore = m_b.m_nDraws;
    MoveTo(200, 15);
    ASSERT_TRUE(WaitFor(2, 0)) << "leaving A for B did not redraw A";
    EXPECT_EQ(nBBefore, m_b.m_nDraws) << "B waits for its own notification or paint";

    // The first box destroyed takes the one hook with it: B hovers unseen.
    m_a.DestroyWindow();
    int nB = m_b.m_nDraws;
    MoveTo(5, 50);
    MoveTo(200, 15);
    MoveTo(5, 50);
    EXPECT_EQ(nB, m_b.m_nDraws);
}

// A parent that counts the combo box notifications that reach it.
class CNotifiedParent : public CWnd
{
public:
    std::vector<UINT> m_codes;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_codes.push_back(HIWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

TEST(SkinnedCombo, NotificationsRedrawTheBoxAndStillReachTheParent)
{
    CNotifiedParent parent;
    ASSERT_TRUE(CreateHostWindow(parent, "parent", WS_POPUP, CRect(0, 0, 200, 100)));
    CRecordingCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 120, 100), &parent, 5));
    const UINT codes[] = {CBN_SELCHANGE, CBN_SETFOCUS, CBN_KILLFOCUS, CBN_CLOSEUP, CBN_DROPDOWN};
    for (UINT nCode : codes)
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(5, nCode), (LPARAM)combo.GetSafeHwnd());
    EXPECT_EQ(4, combo.m_nDraws) << "every notification but the drop-down";
    EXPECT_EQ(std::vector<UINT>(std::begin(codes), std::end(codes)), parent.m_codes);
    parent.DestroyWindow();
}

// A spin control that counts the bare mouse moves the hook sends it.
class CCountingSpin : public COXSkinnedSpinCtrl
{
public:
    int m_nBareMoves = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSEMOVE && wParam == 0 && lParam == 0)
            ++m_nBareMoves;
        return COXSkinnedSpinCtrl::WindowProc(message, wParam, lParam);
    }
};

// A box with an edit shows its selection only while it has the focus, in
// every skin: the system's combo edit would keep painting it after the focus
// has gone to a tab strip beside it or to another box dropped down.
TEST(SkinnedCombo, TheSelectionShowsOnlyWhileTheBoxHasTheFocus)
{
    CSkinnedAppScope scope;
    POINT ptSaved;
    ::GetCursorPos(&ptSaved);
    CWnd host;
    ASSERT_TRUE(CreateHostWindow(host, "combos", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 260)));
    ASSERT_TRUE(PlaceCursor(CPoint(20, 20))) << "the pointer must be off the boxes";
    for (const char* pszSkin : {"Classic", "Office XP", "Office 2003"}) {
        ASSERT_TRUE(scope.m_pApp->SetCurrentSkin(pszSkin));
        COXSkinnedTabCtrl tab;
        ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 50, 390, 150), &host, 3));
        tab.InsertItem(0, "Keywords");
        COXSkinnedComboBox combos[2];
        const DWORD styles[2] = {CBS_DROPDOWN, CBS_DROPDOWNLIST};
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(combos[i].Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | styles[i],
                                         CRect(10 + 150 * i, 10, 140 + 150 * i, 160), &host, 1 + i));
            combos[i].SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
            combos[i].AddString("Web search");
            combos[i].AddString("Shop search");
            combos[i].SetCurSel(i);
        }
        COXSkinnedComboBox& box = combos[0];
        HWND hEdit = ::GetWindow(box.m_hWnd, GW_CHILD);
        ASSERT_NE((HWND)NULL, hEdit);
        // Pixels of the highlight colour on the box's edit, once all is painted.
        auto highlighted = [&] {
            PumpPending();
            host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            CRect rect;
            ::GetClientRect(hEdit, &rect);
            HDC hdc = ::GetDC(hEdit);
            int n = 0;
            for (int y = rect.top; y < rect.bottom; ++y)
                for (int x = rect.left; x < rect.right; ++x)
                    n += ::GetPixel(hdc, x, y) == ::GetSysColor(COLOR_HIGHLIGHT);
            ::ReleaseDC(hEdit, hdc);
            return n;
        };
        box.SetFocus();
        box.SetEditSel(0, -1);
        EXPECT_GT(highlighted(), 0) << pszSkin << ": with the focus";
        tab.SetFocus();
        EXPECT_EQ(0, highlighted()) << pszSkin << ": the focus is on the tab strip";
        box.SetFocus();
        EXPECT_GT(highlighted(), 0) << pszSkin << ": the selection comes back with the focus";
        EXPECT_EQ(MAKELONG(0, 10), (LONG)box.GetEditSel()) << pszSkin;

        // A real click drops the other box down: the focus goes with it.
        CRect rectOther;
        combos[1].GetWindowRect(&rectOther);
        ASSERT_TRUE(LeftClickOnScreen(CPoint(rectOther.right - 6, rectOther.top + 8)));
        ASSERT_TRUE(PumpUntil([&] { return combos[1].GetDroppedState() != 0; }, kWaitMs)) << pszSkin;
        EXPECT_EQ(0, highlighted()) << pszSkin << ": another box is dropped down";
        combos[1].ShowDropDown(FALSE);
        ASSERT_TRUE(PlaceCursor(CPoint(20, 20)));
        for (CWnd* pWnd : {(CWnd*)&combos[0], (CWnd*)&combos[1], (CWnd*)&tab})
            pWnd->DestroyWindow();
    }
    host.DestroyWindow();
    ::SetCursorPos(ptSaved.x, ptSaved.y);
}

TEST_F(SkinnedComboHover, ASpinLeftByThePointerLosesItsHotLook)
{
    CCountingSpin spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_HORZ, CRect(270, 10, 298, 30), &m_host, 3));
    MoveTo(284, 20);
    EXPECT_EQ(0, spin.m_nBareMoves) << "still under the pointer";
    MoveTo(5, 50);
    EXPECT_TRUE(PumpUntil([&] { return spin.m_nBareMoves > 0; }, kWaitMs)) << "the spin never heard the pointer leave";
    spin.DestroyWindow();
}

}  // namespace

