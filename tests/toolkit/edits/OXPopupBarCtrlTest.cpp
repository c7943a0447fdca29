// The popup bar's rules as tables: layout, placement, keyboard navigation,
// value lookup; and its pick loop giving a quit back to the program.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "EditsTestSupport.h"
#include "OXColorPickerCtrl.h"
#include "OXPopupBarCtrl.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

TEST(OXPopupBarRules, LaysOutDefaultButtonCellsAndCustomButton)
{
    COXPopupBarCtrl bar(40, 4, 0, 18, 18, "Default", "More");
    bar.CalculateLayout(13, 13);
    EXPECT_EQ(bar.GetColumnCount(), 10);
    const int cx = ::GetSystemMetrics(SM_CXDLGFRAME), cy = ::GetSystemMetrics(SM_CYDLGFRAME);
    CRect win = bar.GetWindowLayoutRect();
    EXPECT_EQ(win.Width(), 10 * 18 + 2 * cx + 4 + 4);
    // Rows, plus the default (13 + 8, spacing 2 below) and custom (13 + 8,
    // spacing 2 above) buttons and the tear-off bar (6, spacing -1 and 2).
    EXPECT_EQ(win.Height(), 4 * 18 + 2 * cy + 2 + 2 + (21 + 2) + (21 + 2) + (6 + 1));

    CRect def = bar.GetDefaultButtonRect(), custom = bar.GetCustomButtonRect(), tear = bar.GetTearOffRect();
    EXPECT_EQ(tear, CRect(6, 1, 6 + 10 * 18 - 4, 7));
    EXPECT_EQ(def.top, 2 + 7);
    EXPECT_EQ(def.Height(), 21);
    EXPECT_EQ(bar.GetCellRect(1), CRect(4, def.bottom + 2, 22, def.bottom + 20));
    EXPECT_EQ(bar.GetCellRect(11).TopLeft(), bar.GetCellRect(1).TopLeft() + CPoint(0, 18));
    EXPECT_EQ(bar.GetCellRect(40).BottomRight() + CPoint(0, 2), custom.TopLeft() + CPoint(180, 0));
    EXPECT_EQ(bar.GetCellRect(41), CRect(0, 0, 0, 0));
}

TEST(OXPopupBarRules, MoreRowsThanCellsGiveOneColumnOfFullHeight)
{
    COXPopupBarCtrl bar(3, 5, 0, 10, 10, "", "");
    bar.Create(NULL);   // no owner needed for a layout
    bar.CalculateLayout(10, 10);
    EXPECT_EQ(bar.GetColumnCount(), 1);
    EXPECT_EQ(bar.GetCellRect(3).left, bar.GetCellRect(1).left);
    EXPECT_GE(bar.GetWindowLayoutRect().Height(), 5 * 10);
    bar.DestroyWindow();
}

TEST(OXPopupBarRules, PlacesBesideItsParentAndFlipsWhenThereIsNoRoom)
{
    const CSize work(1000, 800), size(200, 100);
    struct Case {
        UINT align;
        CRect parent;
        BOOL fits;
        CPoint expected;
    } cases[] = {
        {3, {100, 100, 180, 120}, TRUE, {100, 120}},      // below
        {3, {100, 750, 180, 770}, TRUE, {100, 650}},      // no room below: above
        {2, {100, 50, 180, 70}, TRUE, {100, 70}},         // no room above: below
        {1, {100, 100, 180, 120}, TRUE, {180, 100}},      // right of
        {1, {850, 100, 900, 120}, TRUE, {650, 100}},      // no room right: left of
        {0, {100, 100, 180, 120}, TRUE, {180, 100}},      // no room left: right of
        {7, {300, 100, 400, 120}, TRUE, {200, 120}},      // right edges aligned, below
        {5, {100, 100, 180, 300}, TRUE, {180, 200}},      // bottom edges aligned
        {3, {100, 50, 180, 750}, FALSE, {0, 0}},          // fits neither below nor above
        {9, {100, 100, 180, 120}, TRUE, {0, 0}},          // unknown code: unchanged
    };
    for (const Case& c : cases) {
        CPoint pt(0, 0);
        EXPECT_EQ(COXPopupBarCtrl::PlaceBar(c.align, c.parent, 0, 0, size, work, pt), c.fits) << c.align;
        if (c.fits) {
            EXPECT_EQ(pt, c.expected) << c.align << " " << c.parent.top;
        }
    }
    CPoint pt;
    EXPECT_FALSE(COXPopupBarCtrl::PlaceBar(3, CRect(0, 0, 1, 1), 0, 0, CSize(1200, 10), work, pt));
}

TEST(OXPopupBarRules, KeyboardNavigation)
{
    // 40 cells in 10 columns, default 0, custom 41.
    struct Case {
        UINT key;
        BOOL shift;
        int from, to;
        BOOL def = TRUE, custom = TRUE;
    } cases[] = {
        {VK_RIGHT, FALSE, -1, 0},  {VK_RIGHT, FALSE, 0, 1},   {VK_RIGHT, FALSE, 41, 0},
        {VK_LEFT, FALSE, 0, 41},   {VK_LEFT, FALSE, 5, 4},    {VK_LEFT, FALSE, -1, 41},
        {VK_DOWN, FALSE, 0, 1},    {VK_DOWN, FALSE, 3, 13},   {VK_DOWN, FALSE, 35, 41},
        {VK_DOWN, FALSE, 41, 0},   {VK_DOWN, FALSE, 35, 0, TRUE, FALSE},
        {VK_UP, FALSE, 41, 40},    {VK_UP, FALSE, 3, 0},      {VK_UP, FALSE, 13, 3},
        {VK_UP, FALSE, 0, 41},     {VK_UP, FALSE, 3, 41, FALSE, TRUE},
        {VK_TAB, FALSE, -1, 0},    {VK_TAB, FALSE, 0, 1},     {VK_TAB, FALSE, 7, 41},
        {VK_TAB, FALSE, 41, 0},    {VK_TAB, FALSE, 7, 0, TRUE, FALSE},
        {VK_TAB, TRUE, 0, 41},     {VK_TAB, TRUE, 41, 1},     {VK_TAB, TRUE, 7, 0},
        {VK_TAB, TRUE, 1, 41, FALSE, TRUE},                   {VK_TAB, TRUE, 1, 1, FALSE, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(COXPopupBarCtrl::NavigateKey(c.key, c.shift, c.from, 40, 10, c.def, c.custom), c.to)
            << "key " << c.key << (c.shift ? " shift" : "") << " from " << c.from;
}

TEST(OXPopupBarRules, ValuesFindTheirItems)
{
    COXPopupBarCtrl bar(3, 1, 7, 10, 10, "d", "c");
    DWORD values[] = {1, 2, 3};
    bar.SetCellValues(values, 3);
    EXPECT_EQ(bar.ValueToIndex(7), 0);
    EXPECT_EQ(bar.ValueToIndex(2), 2);
    EXPECT_EQ(bar.ValueToIndex(99), 4);   // not a cell: the custom button
    EXPECT_EQ(bar.ValueToIndex((DWORD)-1), -1);
    COXPopupBarCtrl plain(3, 1, 7, 10, 10, "d", "c");
    plain.SetCellValues(values, 3);
    plain.Create(NULL, OXPB_NOCUSTOM | OXPB_NODEFAULT);
    EXPECT_EQ(plain.ValueToIndex(99), -1);
    EXPECT_EQ(plain.ValueToIndex(7), -1);
    plain.DestroyWindow();
}

// A bar whose cells a derived class draws: it records the font each cell found
// selected in the paint DC.
class CFontRecordingBar : public COXPopupBarCtrl
{
public:
    CFontRecordingBar() : COXPopupBarCtrl(4, 2, 0, 26, 22, "None", "") {}
    void DrawCell(CDC* pDC, int nIndex) override
    {
        LOGFONT lf = {};
        ::GetObject(::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT), sizeof(lf), &lf);
        m_heights.push_back(lf.lfHeight);
        COXPopupBarCtrl::DrawCell(pDC, nIndex);
    }
    std::vector<LONG> m_heights;
};

TEST(OXPopupBarDrawing, CellsAreDrawnInTheBarsFont)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost());
    CFontRecordingBar bar;
    DWORD values[] = {1, 2, 3, 4};
    bar.SetCellValues(values, 4);
    ASSERT_TRUE(bar.Create(&host, OXPB_NOCUSTOM));
    CFont font;
    font.CreateFont(-17, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    bar.SetFont(&font);
    CStepDriver driver;
    driver.WaitFor([&] { return bar.IsWindowVisible() != FALSE; });
    driver.Then([&] {
        bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        bar.PostMessage(WM_KEYUP, VK_ESCAPE, 0);
    });
    bar.Pick(3);
    ASSERT_TRUE(driver.Done());
    ASSERT_GE(bar.m_heights.size(), 4u) << "every cell drawn";
    for (LONG nHeight : bar.m_heights)
        EXPECT_EQ(nHeight, -17);
    bar.DestroyWindow();
    host.DestroyWindow();
}

class OXPopupBarWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(CRect(100, 100, 500, 400)));
        ASSERT_TRUE(m_picker.Create(&m_host, 0));
    }
    void TearDown() override
    {
        m_picker.DestroyWindow();
        m_host.DestroyWindow();
    }
    CNotifyHost m_host;
    COXColorPickerCtrl m_picker{40, 4, (DWORD)-1, 18, 18};
};

// A quit that arrives while the bar is open ends the pick as a cancel and
// stays on the queue for the program's own loop.
TEST_F(OXPopupBarWindow, AQuitWhilePickingIsGivenBackToTheProgram)
{
    CStepDriver driver;
    driver.WaitFor([&] { return m_picker.IsWindowVisible() != FALSE; });
    driver.Then([] { ::PostQuitMessage(42); });
    EXPECT_FALSE(m_picker.Pick(3));
    EXPECT_EQ(m_picker.GetEndReason(), (int)COXPopupBarCtrl::END_CANCEL);
    EXPECT_FALSE(m_picker.IsWindowVisible());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 42u);
}

TEST_F(OXPopupBarWindow, KeysMoveTheHotItemAndReturnChoosesIt)
{
    CStepDriver driver;
    driver.WaitFor([&] { return m_picker.IsWindowVisible() != FALSE; });
    HWND bar = m_picker.GetSafeHwnd();
    // With no focus window keys come as system keys to the active window.
    driver.Then([&] { m_host.PostMessage(WM_SYSKEYDOWN, VK_RIGHT, 0); });      // default button
    driver.Then([=] { ::PostMessage(bar, WM_KEYDOWN, VK_DOWN, 0); });          // cell 1
    driver.Then([=] { ::PostMessage(bar, WM_KEYDOWN, VK_RIGHT, 0); });         // cell 2
    driver.Then([=] { ::PostMessage(bar, WM_KEYDOWN, VK_DOWN, 0); });          // cell 12
    driver.Then([&] { EXPECT_EQ(m_picker.GetHotItem(), 12); });
    driver.Then([=] { ::PostMessage(bar, WM_KEYDOWN, VK_RETURN, 0); });
    EXPECT_TRUE(m_picker.Pick(3));
    EXPECT_EQ(m_picker.GetSelectedValue(), COXColorPickerCtrl::s_defaultColors[11]);
    EXPECT_EQ(m_picker.GetSelectedItem(), 12);
}

TEST_F(OXPopupBarWindow, EscapeCancelsAndKeepsTheValue)
{
    m_picker.SetSelectedValue(RGB(0, 0, 255));
    CStepDriver driver;
    driver.WaitFor([&] { return m_picker.IsWindowVisible() != FALSE; });
    driver.Then([&] {
        EXPECT_EQ(m_picker.GetSelectedItem(), 14);   // blue preselected
        // A tip for each named cell, the default, custom and tear-off parts.
        EXPECT_EQ(m_picker.GetToolTipCtrl()->GetToolCount(), 43);
        // Cells are swatches of their colours inside a shadow frame.
        CClientDC dc(&m_picker);
        CRect cell = m_picker.GetCellRect(17);
        EXPECT_EQ(dc.GetPixel(cell.CenterPoint()), RGB(255, 0, 0));
    });
    driver.Then([&] { m_picker.PostMessage(WM_KEYUP, VK_ESCAPE, 0); });
    EXPECT_FALSE(m_picker.Pick(3));
    EXPECT_EQ(m_picker.GetSelectedValue(), RGB(0, 0, 255));
}

// Names whose strings are missing give empty tips (the colour picker names
// its default colours this way); the picker opens all the same.
TEST_F(OXPopupBarWindow, MissingColourNamesDoNotStopThePicker)
{
    OXPB_TEXTID names[COXColorPickerCtrl::DEFAULT_COLOR_COUNT];
    for (int i = 0; i < COXColorPickerCtrl::DEFAULT_COLOR_COUNT; ++i)
        names[i] = OXPB_TEXTID{COXColorPickerCtrl::s_defaultColors[i], 17900u + i};   // no such strings
    ASSERT_TRUE(m_picker.SetToolTipTexts(names, COXColorPickerCtrl::DEFAULT_COLOR_COUNT));
    CString name = "unchanged";
    EXPECT_TRUE(m_picker.GetToolTipText(RGB(0, 0, 0), name));
    EXPECT_EQ(name, "");
    bool shown = false;
    CStepDriver driver;
    driver.WaitFor([&] { return m_picker.IsWindowVisible() != FALSE; });
    driver.Then([&] {
        shown = true;
        m_picker.PostMessage(WM_KEYUP, VK_ESCAPE, 0);
    });
    m_picker.Pick(3);
    EXPECT_TRUE(shown);
}

// Drops the picker and tears it off: a button-down on the tear-off bar, a move
// off it, then the drag frame moved by the offset and dropped.
void TearOff(COXColorPickerCtrl& picker, CPoint offset, CRect* pBefore)
{
    CStepDriver driver;
    HWND bar = NULL;
    driver.WaitFor([&] { return picker.IsWindowVisible() != FALSE; });
    driver.Then([&] {
        bar = picker.GetSafeHwnd();
        picker.GetWindowRect(pBefore);
        CPoint tear = picker.GetTearOffRect().CenterPoint();
        CPoint screen = tear;
        picker.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        ::PostMessage(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tear.x, tear.y));
        CPoint below = picker.GetCellRect(1).CenterPoint();
        ::PostMessage(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(below.x, below.y));
    });
    driver.WaitFor([&] { return ::GetCapture() == bar && picker.GetEndReason() == COXPopupBarCtrl::END_TEAROFF; });
    driver.Then([&] {
        CPoint at = picker.GetTearOffRect().CenterPoint() + offset;
        ::PostMessage(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::PostMessage(bar, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    });
    EXPECT_FALSE(picker.Pick(3));
}

TEST_F(OXPopupBarWindow, TearsOffIntoAFloatingBarThatReportsPicksToItsOwner)
{
    m_host.m_recordMessage = WM_OXPB_FLOATPICKED;
    CRect before;
    TearOff(m_picker, CPoint(150, 60), &before);
    ASSERT_TRUE(m_picker.IsFloating());
    EXPECT_TRUE(m_picker.IsWindowVisible());
    EXPECT_TRUE(m_picker.GetStyle() & WS_CAPTION);
    EXPECT_EQ(WindowText(m_picker.GetSafeHwnd()), "Colours");
    CRect after;
    m_picker.GetWindowRect(&after);
    EXPECT_EQ(after.TopLeft(), before.TopLeft() + CPoint(150, 60));
    EXPECT_TRUE(m_picker.GetTearOffRect().IsRectEmpty());

    PostClick(m_picker.GetSafeHwnd(), m_picker.GetCellRect(17).CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return !m_host.m_messages.empty(); }, kWaitMs));
    EXPECT_EQ(m_picker.GetSelectedValue(), RGB(255, 0, 0));
    EXPECT_TRUE(m_picker.IsWindowVisible());   // a floating bar stays open

    // Closing it hides it; it is not destroyed.
    m_picker.SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(m_picker.GetSafeHwnd()));
    EXPECT_FALSE(m_picker.IsWindowVisible());

    // The next pick turns it back into a dropped-down bar.
    CStepDriver again;
    again.WaitFor([&] { return m_picker.IsWindowVisible() != FALSE && !m_picker.IsFloating(); });
    again.Then([&] { m_picker.PostMessage(WM_KEYUP, VK_ESCAPE, 0); });
    m_picker.Pick(3);
    EXPECT_FALSE(m_picker.IsFloating());
}

// A torn-off bar owned by a frame draws its caption active while the frame is
// the active window, and inactive when another window is.
TEST(OXPopupBarFloating, TheCaptionFollowsTheOwnerFramesActivation)
{
    CScopedFrame<CFrameWnd> frame;
    ASSERT_TRUE(frame.Create("owner", CRect(100, 100, 500, 400)));
    frame->ShowWindow(SW_SHOW);
    frame->SetActiveWindow();
    // What the bar finally asks the system to draw its caption as.
    class CSpyPicker : public COXColorPickerCtrl
    {
    public:
        CSpyPicker() : COXColorPickerCtrl(40, 4, (DWORD)-1, 18, 18) {}
        int m_nLastNcActive = -1;
        LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_NCACTIVATE)
                m_nLastNcActive = (int)wParam;
            return COXColorPickerCtrl::DefWindowProc(message, wParam, lParam);
        }
    };
    CSpyPicker picker;
    ASSERT_TRUE(picker.Create((CFrameWnd*)frame, 0));
    CRect before;
    TearOff(picker, CPoint(300, 0), &before);
    ASSERT_TRUE(picker.IsFloating());
    auto captionActive = [&] { return picker.m_nLastNcActive == 1; };
    frame->SetActiveWindow();
    EXPECT_TRUE(PumpUntil(captionActive, kWaitMs));
    EXPECT_EQ(picker.SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 1);

    CWnd other;
    ASSERT_TRUE(CreateHostWindow(other, "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(600, 100, 800, 300)));
    other.SetActiveWindow();
    EXPECT_TRUE(PumpUntil([&] { return !captionActive(); }, kWaitMs));
    other.DestroyWindow();
    picker.DestroyWindow();
}

}  // namespace
