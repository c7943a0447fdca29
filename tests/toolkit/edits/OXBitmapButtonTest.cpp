// The bitmap button: layout, caption fitting, check states and greying as
// tables; images, clicks, notifications, data exchange and drawing on real
// buttons.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits.h>

#include "EditsTestSupport.h"
#include "OXBitmapButton.h"
#include "gallery_res.h"
#include "testdrawing.h"
#include "testsupport.h"
#include "toolkit_res.h"

namespace {

TEST(OXBitmapButtonRules, LayoutOfImageAndCaption)
{
    const CRect content(0, 0, 100, 40);
    struct Case {
        const char* name;
        DWORD style;
        CSize image, text;
        CRect expectImage, expectText;
    } cases[] = {
        // Side by side (vertical centre): the image block first, then the caption.
        {"side by side", 0, {16, 16}, {50, 14}, {5, 12, 21, 28}, {26, 13, 76, 27}},
        // With BS_RIGHT the image goes after the caption block.
        {"image right", BS_RIGHT, {16, 16}, {50, 14}, {62, 12, 78, 28}, {7, 13, 57, 27}},
        // Stacked: image on top, caption under it; the image block gets what
        // the caption block leaves of the height (24 of 40), so the image is cut.
        {"top", BS_TOP, {16, 16}, {50, 10}, {42, 5, 58, 19}, {25, 24, 75, 34}},
        // Caption alone, centred.
        {"caption only", 0, {0, 0}, {50, 14}, {0, 0, 0, 0}, {25, 13, 75, 27}},
        // Image alone, left.
        {"image left", BS_LEFT, {16, 16}, {0, 0}, {5, 12, 21, 28}, {0, 0, 0, 0}},
        // Nothing: empty rects.
        {"empty", 0, {0, 0}, {0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        CRect image, text;
        COXBitmapButton::LayoutRects(c.style, content, c.image, c.text, image, text);
        EXPECT_EQ(image, c.expectImage) << c.name;
        EXPECT_EQ(text, c.expectText) << c.name;
    }
}

TEST(OXBitmapButtonRules, ACaptionTooLargeIsCutToTheContent)
{
    CRect image, text;
    COXBitmapButton::LayoutRects(BS_TOP, CRect(0, 0, 30, 20), CSize(16, 16), CSize(80, 14), image, text);
    EXPECT_LE(text.Width(), 30);
    EXPECT_LE(image.bottom, 20);
}

// The caption fitting ends on every measurement: one that cycles between two
// shapes, one that never settles, and an empty caption (no division by zero).
TEST(OXBitmapButtonRules, CaptionFittingAlwaysEnds)
{
    int calls = 0;
    // Wide text that wraps into a shape that, re-measured, gives the first
    // one again: a cycle of two.
    CSize cycled = COXBitmapButton::FitCaption(CSize(300, 10), [&](int width) {
        ++calls;
        return width < 250 ? CSize(60, 100) : CSize(300, 10);
    });
    EXPECT_LT(calls, 20);
    EXPECT_GT(cycled.cx, 0);

    calls = 0;
    int next = 1000;
    COXBitmapButton::FitCaption(CSize(400, 10), [&](int) {
        ++calls;
        return CSize(next++, 10);   // always new, always too wide
    });
    EXPECT_LE(calls, 20);

    calls = 0;
    EXPECT_EQ(COXBitmapButton::FitCaption(CSize(0, 0), [&](int) {
                  ++calls;
                  return CSize(1, 1);
              }),
              CSize(0, 0));
    EXPECT_EQ(calls, 0);

    // An ordinary caption settles below 2.6 widths a height.
    CSize fitted = COXBitmapButton::FitCaption(CSize(300, 15), [](int width) {
        int lines = (300 + width - 1) / width;
        return CSize(std::min(width, 300), 15 * lines);
    });
    EXPECT_LT((double)fitted.cx / fitted.cy, 2.6);
}

TEST(OXBitmapButtonRules, CheckStatesStep)
{
    const DWORD C = OXBB_STATE_CHECKED, I = OXBB_STATE_INDETERMINATE;
    struct Case {
        DWORD style, from, to;
    } cases[] = {
        {OXBB_EX_TOGGLE, 0, C},
        {OXBB_EX_TOGGLE, C, 0},
        {OXBB_EX_TOGGLE | OXBB_EX_TOGGLE3STATE, 0, C},
        {OXBB_EX_TOGGLE | OXBB_EX_TOGGLE3STATE, C, C | I},
        {OXBB_EX_TOGGLE | OXBB_EX_TOGGLE3STATE, C | I, 0},
        {OXBB_EX_DROPDOWN, 0, C},
        {OXBB_EX_DROPDOWN, C, 0},
        {0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(COXBitmapButton::NextCheckState(c.style, c.from), c.to) << c.style << " " << c.from;
}

TEST(OXBitmapButtonRules, GreyLevelsAndTextParts)
{
    EXPECT_EQ(COXBitmapButton::GrayLevel(0, 0, 0), 0);
    EXPECT_EQ(COXBitmapButton::GrayLevel(0, 0, 255), 0);       // 25
    EXPECT_EQ(COXBitmapButton::GrayLevel(255, 0, 0), 128);     // 77
    EXPECT_EQ(COXBitmapButton::GrayLevel(0, 255, 0), 128);     // 153
    EXPECT_EQ(COXBitmapButton::GrayLevel(200, 200, 200), 192); // 200
    EXPECT_EQ(COXBitmapButton::GrayLevel(255, 255, 255), 255);
    EXPECT_EQ(COXBitmapButton::ExtractTextPiece("Caption\nTip", 1), "Caption");
    EXPECT_EQ(COXBitmapButton::ExtractTextPiece("Caption\nTip", 2), "Tip");
    EXPECT_EQ(COXBitmapButton::ExtractTextPiece("Caption", 2), "");
}

class OXBitmapButtonWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_button.Create("Go\nStarts the run", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                    CRect(10, 10, 110, 50), &m_host, 200));
        ASSERT_TRUE(PumpUntilIdle());
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CNotifyHost m_host;
    COXBitmapButton m_button;
};

TEST_F(OXBitmapButtonWindow, IsOwnerDrawnAndSplitsItsText)
{
    EXPECT_EQ(m_button.GetStyle() & 0x0F, (DWORD)BS_OWNERDRAW);
    EXPECT_EQ(m_button.GetText(), "Go");
    EXPECT_EQ(m_button.GetToolTipText(), "Starts the run");
    m_button.SetText("Stop");
    EXPECT_EQ(WindowText(m_button.GetSafeHwnd()), "Stop\nStarts the run");
    m_button.SetToolTipText("");
    EXPECT_EQ(WindowText(m_button.GetSafeHwnd()), "Stop");
}

TEST_F(OXBitmapButtonWindow, LoadsBitmapsAndIconsAsThreeImages)
{
    ASSERT_TRUE(m_button.LoadBitmap(IDB_GALLERY_STAR, FALSE, RGB(255, 0, 255)));
    EXPECT_EQ(m_button.GetImageList()->GetImageCount(), 3);
    int cx = 0, cy = 0;
    m_button.GetImageList()->GetIconSize(&cx, &cy);
    EXPECT_EQ(CSize(cx, cy), CSize(24, 24));
    EXPECT_NE(m_button.GetPalette()->GetSafeHandle(), (HGDIOBJ)NULL);

    ASSERT_TRUE(m_button.LoadIcon(IDI_GALLERY_GLOBE, TRUE));
    EXPECT_EQ(m_button.GetImageList()->GetImageCount(), 3);
    CRect rect;
    m_button.GetWindowRect(&rect);
    EXPECT_GE(rect.Height(), 32 + 10);   // resized to its content

    EXPECT_FALSE(m_button.LoadBitmap(18999, FALSE));
    EXPECT_EQ(m_button.GetImageList()->GetSafeHandle(), (HIMAGELIST)NULL);
}

TEST_F(OXBitmapButtonWindow, AThreeStateToggleStepsOnEachClickAndNotifies)
{
    m_button.SetStyleEx(OXBB_EX_TOGGLE | OXBB_EX_TOGGLE3STATE);
    std::vector<DWORD> states;
    for (int i = 0; i < 3; ++i) {
        m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ASSERT_TRUE(PumpUntilIdle());
        states.push_back(m_button.GetCheckState());
    }
    EXPECT_EQ(states, (std::vector<DWORD>{OXBB_STATE_CHECKED, OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE, 0}));
    EXPECT_EQ(m_host.m_codes, (std::vector<UINT>{OXBBN_TOGGLE, OXBBN_TOGGLE, OXBBN_TOGGLE}));
}

TEST_F(OXBitmapButtonWindow, ADropDownAnsweredByItsParentEndsUncheckedWithoutDroppingDown)
{
    class CCountingButton : public COXBitmapButton
    {
    public:
        int m_dropped = 0;
        void OnDropDown() override { ++m_dropped; }
    };
    CCountingButton button;
    ASSERT_TRUE(button.Create("Menu", WS_CHILD | WS_VISIBLE, CRect(10, 60, 110, 90), &m_host, 201));
    button.SetStyleEx(OXBB_EX_DROPDOWN);
    m_host.m_notifyResult = 1;
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button.m_dropped, 0);
    EXPECT_EQ(button.GetCheckState(), 0u);

    m_host.m_notifyResult = 0;
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button.m_dropped, 1);
    EXPECT_EQ(button.GetCheckState(), 0u);
    EXPECT_EQ(m_host.m_codes, (std::vector<UINT>{OXBBN_DROPDOWN, OXBBN_DROPDOWN}));
    button.DestroyWindow();
}

TEST_F(OXBitmapButtonWindow, ToggleStateExchangesBothWays)
{
    m_button.SetStyleEx(OXBB_EX_TOGGLE | OXBB_EX_TOGGLE3STATE);
    int state = 2;
    CDataExchange load(&m_host, FALSE);
    DDX_ToggleState(&load, 200, state);
    EXPECT_EQ(m_button.GetCheckState(), (DWORD)(OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE));
    state = 7;
    DDX_ToggleState(&load, 200, state);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(m_button.GetCheckState(), 0u);

    m_button.SetCheckState(OXBB_STATE_CHECKED);
    CDataExchange save(&m_host, TRUE);
    DDX_ToggleState(&save, 200, state);
    EXPECT_EQ(state, 1);
    m_button.SetStyleEx(0);
    DDX_ToggleState(&save, 200, state);
    EXPECT_EQ(state, -1);
}

TEST_F(OXBitmapButtonWindow, HyperlinkLookKeepsTheWindowEnabledAndShowsHandCursors)
{
    ASSERT_TRUE(m_button.SetHyperLook(TRUE));
    EXPECT_NE(m_button.GetNormalCursor(), (HCURSOR)NULL);
    EXPECT_NE(m_button.GetDisabledCursor(), (HCURSOR)NULL);
    EXPECT_TRUE(m_button.GetKeepEnabled());
    m_button.EnableWindow(FALSE);
    EXPECT_FALSE(m_button.IsWindowEnabled());
    EXPECT_TRUE(::IsWindowEnabled(m_button.GetSafeHwnd()));        // the window itself stays enabled
    EXPECT_FALSE(m_button.GetStyle() & WS_TABSTOP);                // but leaves the tab order
    m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(m_host.m_codes.empty());
    m_button.EnableWindow(TRUE);
    EXPECT_TRUE(m_button.GetStyle() & WS_TABSTOP);
}

// In the track look the button takes the capture while the pointer is over
// it, to see it leave, and lets go when it has left.
TEST_F(OXBitmapButtonWindow, TrackLookFollowsThePointerInAndOut)
{
    ASSERT_TRUE(m_button.SetTrackLook(TRUE));
    CRect rect;
    m_button.GetWindowRect(&rect);
    ::SetCursorPos(rect.left + 5, rect.top + 5);
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(m_button.IsMouseOver());
    EXPECT_EQ(::GetCapture(), m_button.GetSafeHwnd());

    ::SetCursorPos(rect.right + 50, rect.bottom + 50);
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rect.Width() + 50, rect.Height() + 50));
    EXPECT_FALSE(m_button.IsMouseOver());
    EXPECT_NE(::GetCapture(), m_button.GetSafeHwnd());
}

// The hyperlink look shows what its parent paints under it, even before the
// parent is on the screen.
TEST_F(OXBitmapButtonWindow, HyperlinkLookDrawsItsParentsBackground)
{
    ASSERT_TRUE(m_button.SetHyperLook(TRUE));
    HDC hScreen = ::GetDC(NULL);
    m_button.SendMessage(WM_ERASEBKGND, (WPARAM)hScreen);
    ::ReleaseDC(NULL, hScreen);
    CRect client;
    m_button.GetClientRect(&client);
    CPixelCanvas canvas(client.Width(), client.Height(), kRed);
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 200, 0, ODA_DRAWENTIRE, 0, m_button.GetSafeHwnd(), canvas.dc.GetSafeHdc(),
                          client, 0};
    m_button.DrawItem(&dis);
    EXPECT_EQ(canvas.At(1, 1), ::GetSysColor(COLOR_BTNFACE));   // the host's class brush
    EXPECT_EQ(canvas.Count(kBlack) < client.Width() * client.Height() / 2, true);
}

// Sized to its content, a caption keeps its margins and is not cut.
TEST_F(OXBitmapButtonWindow, SizedToContentTheCaptionFits)
{
    m_button.SetWindowText("A fairly long caption");
    m_button.SizeToContent();
    CRect client;
    m_button.GetClientRect(&client);
    CClientDC dc(&m_button);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), (HFONT)m_button.SendMessage(WM_GETFONT));
    CSize text = dc.GetTextExtent("A fairly long caption");
    ::SelectObject(dc.GetSafeHdc(), old);
    EXPECT_GE(client.Width(), text.cx + 14);
    CRect image, caption;
    m_button.CalculateLayout(0, client, image, caption);
    EXPECT_EQ(caption.Width(), text.cx);
}

TEST_F(OXBitmapButtonWindow, TheToolTipCarriesTheSecondPartOfTheText)
{
    ASSERT_TRUE(m_button.SetToolTip(TRUE));
    CString text;
    m_button.GetToolTip()->GetText(text, &m_button, 1000);
    EXPECT_EQ(text, "Starts the run");
    m_button.SetToolTipText("Another tip\rWith more to say");
    m_button.GetToolTip()->GetText(text, &m_button, 1000);
    EXPECT_EQ(text, "Another tip  ");
    m_button.SetToolTip(FALSE);
    EXPECT_EQ(m_button.GetToolTip()->GetSafeHwnd(), (HWND)NULL);
}

// The arrow part points down, or right for buttons whose pop-ups open to the
// right: a triangle wider than tall, or taller than wide, not a cross.
TEST_F(OXBitmapButtonWindow, ArrowPointsDownOrRight)
{
    m_button.SetWindowText("");
    struct Case { DWORD styleEx; bool wide; };
    for (const Case& c : {Case{OXBB_EX_DROPDOWN, true}, Case{OXBB_EX_DROPDOWN | OXBB_EX_DROPDOWNRIGHT, false}}) {
        m_button.SetStyleEx(c.styleEx);
        CPixelCanvas canvas(100, 40, kWhite);
        DRAWITEMSTRUCT dis = {ODT_BUTTON, 200, 0, ODA_DRAWENTIRE, 0, m_button.GetSafeHwnd(),
                              canvas.dc.GetSafeHdc(), {0, 0, 100, 40}, 0};
        m_button.DrawItem(&dis);
        const COLORREF clrArrow = ::GetSysColor(COLOR_BTNTEXT);
        int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN, nInk = 0;
        for (int x = 100 - m_button.GetArrowPartSize().cx; x < 100; ++x)
            for (int y = 5; y < 35; ++y)
                if (canvas.At(x, y) == clrArrow) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    ++nInk;
                }
        ASSERT_GT(nInk, 3) << c.styleEx;
        const int cx = right - left + 1, cy = bottom - top + 1;
        EXPECT_EQ(cx > cy, c.wide) << c.styleEx << ": " << cx << " x " << cy;
        // a triangle fills about half its box; a cross far less
        EXPECT_GE(nInk * 3, cx * cy) << c.styleEx << ": " << nInk << " pixels in " << cx << " x " << cy;
    }
}

// Drawing straight into a canvas: a drop-down button without image or caption
// still draws its arrow part, and an image index past the list draws image 0.
TEST_F(OXBitmapButtonWindow, DrawsItsArrowPartAndFallsBackToImageZero)
{
    m_button.SetWindowText("");
    m_button.SetStyleEx(OXBB_EX_DROPDOWN);
    CPixelCanvas canvas(100, 40, kWhite);
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 200, 0, ODA_DRAWENTIRE, 0, m_button.GetSafeHwnd(), canvas.dc.GetSafeHdc(),
                          {0, 0, 100, 40}, 0};
    m_button.DrawItem(&dis);
    int arrowLeft = 100 - m_button.GetArrowPartSize().cx;
    int dark = 0;
    for (int x = arrowLeft; x < 100; ++x)
        for (int y = 5; y < 35; ++y)
            if (canvas.At(x, y) == ::GetSysColor(COLOR_BTNTEXT))
                ++dark;
    EXPECT_GT(dark, 3) << "no arrow glyph";

    CImageList one;
    ASSERT_TRUE(one.Create(8, 8, ILC_COLOR32, 0, 1));
    CBitmap red;
    {
        CPixelCanvas source(8, 8, kRed);
        red.Attach(CreateDib32(8, 8));
        CDC mem;
        mem.CreateCompatibleDC(NULL);
        CBitmap* old = mem.SelectObject(&red);
        mem.BitBlt(0, 0, 8, 8, &source.dc, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    }
    one.Add(&red, (CBitmap*)NULL);
    CPixelCanvas target(20, 20, kWhite);
    m_button.EnableWindow(FALSE);   // asks for image 2, which this list lacks
    m_button.DrawImage(&target.dc, ODS_DISABLED, &one, CRect(2, 2, 10, 10));
    EXPECT_EQ(target.At(5, 5), kRed);
}

}  // namespace
