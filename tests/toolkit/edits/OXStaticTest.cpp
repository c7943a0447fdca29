// The gradient static and the separator: the gradient's bands as a table
// (narrow, wide and degenerate widths), backgrounds painted under real
// WM_ERASEBKGND, fitting to the text, the tooltip text, and the separator's
// caption kept apart from its window text and laid out around the line.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXSeparator.h"
#include "OXStatic.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

int Covered(const std::vector<OXGradientBand>& bands)
{
    int total = 0;
    for (const OXGradientBand& b : bands)
        total += b.cx;
    return total;
}

COLORREF ColourAt(const std::vector<OXGradientBand>& bands, int x)
{
    for (const OXGradientBand& b : bands)
        if (x >= b.x && x < b.x + b.cx)
            return b.clr;
    return 0xFFFFFFFF;
}

TEST(OXStaticGradient, BandsCoverTheWidthAndFallToBlack)
{
    const COLORREF clr = RGB(200, 100, 50);
    struct Case {
        int kind, width;
        int bandWidth;          // of the first band
        COLORREF left, right;   // at the two edges
    };
    const Case cases[] = {
        {1, 100, 1, RGB(0, 0, 0), clr},         // narrower than 128: 1-pixel bands
        {3, 100, 1, clr, RGB(0, 0, 0)},
        {1, 512, 4, RGB(0, 0, 0), clr},
        {2, 100, 1, clr, clr},                  // bright at both edges
        {1, 1, 1, clr, clr},                    // too narrow for a gradient: solid
        {2, 1, 1, clr, clr},
        {3, 4000, 31, clr, RGB(0, 0, 0)},       // beyond int range for the square
        {2, 6000, 11, clr, clr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " width " << c.width);
        std::vector<OXGradientBand> bands = OXStaticGradientBands(c.kind, c.width, clr);
        ASSERT_FALSE(bands.empty());
        EXPECT_EQ(Covered(bands), c.width);
        EXPECT_EQ(bands[0].cx, c.bandWidth);
        COLORREF left = ColourAt(bands, 0), right = ColourAt(bands, c.width - 1);
        // The dark end is black or within one band of it.
        auto close = [](COLORREF a, COLORREF b) {
            return abs(GetRValue(a) - GetRValue(b)) <= 12 && abs(GetGValue(a) - GetGValue(b)) <= 12
                   && abs(GetBValue(a) - GetBValue(b)) <= 12;
        };
        EXPECT_TRUE(close(left, c.left)) << std::hex << left;
        EXPECT_TRUE(close(right, c.right)) << std::hex << right;
    }
    EXPECT_TRUE(OXStaticGradientBands(1, 0, clr).empty());
    // Kind 2 is black in the middle.
    std::vector<OXGradientBand> both = OXStaticGradientBands(2, 200, clr);
    EXPECT_LT(GetRValue(ColourAt(both, 100)), 10);
    EXPECT_LT(GetRValue(ColourAt(both, 99)), 10);
}

class COXStaticTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "statics", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 300)));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    // The control's pixels after a real paint.
    COLORREF PixelAfterPaint(CWnd& wnd, int x, int y)
    {
        wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        CClientDC dc(&wnd);
        return dc.GetPixel(x, y);
    }
    CWnd m_host;
};

TEST_F(COXStaticTest, BackgroundsAsTheyArePainted)
{
    COXStatic stat;
    ASSERT_TRUE(stat.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 210, 40), &m_host, 1));
    stat.SetBkColor(RGB(0, 0, 255));
    stat.SetBkDrawMode(0);
    EXPECT_EQ(PixelAfterPaint(stat, 100, 10), RGB(0, 0, 255));
    stat.SetBkDrawMode(2);
    EXPECT_EQ(PixelAfterPaint(stat, 0, 10), RGB(0, 0, 255));
    EXPECT_EQ(PixelAfterPaint(stat, 199, 10), RGB(0, 0, 255));
    EXPECT_LT(GetBValue(PixelAfterPaint(stat, 100, 10)), 10);

    // No background: what lies behind shows (the host's white here).
    stat.SetBkColor(0xFFFFFFFF);
    CClientDC dc(&stat);
    dc.FillSolidRect(0, 0, 200, 30, RGB(0, 255, 0));
    stat.SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC, 0);
    EXPECT_EQ(dc.GetPixel(100, 10), RGB(0, 255, 0));

    // Zero width paints nothing and does not fault.
    stat.SetBkColor(RGB(255, 0, 0));
    stat.SetBkDrawMode(1);
    stat.MoveWindow(10, 10, 0, 30);
    stat.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    stat.MoveWindow(10, 10, 1, 30);
    EXPECT_EQ(PixelAfterPaint(stat, 0, 5), RGB(255, 0, 0));
}

TEST_F(COXStaticTest, FittingFollowsTheTextAndLeavingRestores)
{
    COXStatic stat;
    ASSERT_TRUE(stat.Create("Hi", WS_CHILD | WS_VISIBLE | SS_RIGHT, CRect(10, 10, 210, 40), &m_host, 1));
    stat.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    LOGFONT lf;
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    stat.SetTextLogFont(&lf);
    stat.SetFitToText(TRUE);
    CRect small;
    stat.GetWindowRect(&small);
    m_host.ScreenToClient(&small);
    EXPECT_EQ(small.right, 210);   // right-aligned text stays at the right
    EXPECT_LT(small.Width(), 50);
    stat.SetWindowText("A much longer caption for the label");
    CRect wide;
    stat.GetWindowRect(&wide);
    m_host.ScreenToClient(&wide);
    EXPECT_GT(wide.Width(), small.Width());
    EXPECT_EQ(wide.right, 210);
    stat.SetWindowText(CString('W', 400));   // not beyond the parent's client area
    stat.GetWindowRect(&wide);
    EXPECT_LE(wide.Width(), 400);
    stat.SetFitToText(FALSE);
    CRect back;
    stat.GetWindowRect(&back);
    m_host.ScreenToClient(&back);
    EXPECT_EQ(back, CRect(10, 10, 210, 40));
}

// The height of the text a static paints, as it paints it.
int PaintedTextHeight(CWnd& wnd)
{
    CRect rect;
    wnd.GetClientRect(&rect);
    CPixelCanvas canvas(rect.Width(), rect.Height(), kWhite);
    wnd.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT);
    int nTop = -1, nBottom = -1;
    for (int y = 0; y < rect.Height(); y++)
        for (int x = 0; x < rect.Width(); x++) {
            const COLORREF c = canvas.At(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 384) {
                nTop = nTop < 0 ? y : nTop;
                nBottom = y;
            }
        }
    return nTop < 0 ? 0 : nBottom - nTop + 1;
}

// The text font set is the one the text is painted in; none set, the
// static's own again.
TEST_F(COXStaticTest, TextIsPaintedInTheTextFont)
{
    COXStatic stat;
    ASSERT_TRUE(stat.Create("H", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 110, 80), &m_host, 1));
    stat.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    const int nOwn = PaintedTextHeight(stat);
    ASSERT_GT(nOwn, 0);
    CFont big;
    ASSERT_TRUE(big.CreatePointFont(280, "Arial"));
    ASSERT_TRUE(stat.SetTextFont(&big));
    EXPECT_GT(PaintedTextHeight(stat), nOwn * 3 / 2);
    ASSERT_TRUE(stat.SetTextFont(NULL));
    EXPECT_EQ(PaintedTextHeight(stat), nOwn);
}

TEST_F(COXStaticTest, TooltipTextFollowsTheWindowTextUnlessSet)
{
    COXStatic stat;
    ASSERT_TRUE(stat.Create("first", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 210, 40), &m_host, 1));
    stat.SetShowToolTip(TRUE);
    EXPECT_EQ(stat.GetToolTipText(TRUE), "first");
    stat.SetWindowText("second");
    EXPECT_EQ(stat.GetToolTipText(TRUE), "second");
    EXPECT_EQ(stat.GetToolTipText(), "");
    stat.SetToolTipText("own");
    stat.SetWindowText("third");
    EXPECT_EQ(stat.GetToolTipText(), "own");
    stat.SetToolTipText("");
    EXPECT_EQ(stat.GetToolTipText(TRUE), "third");
}

TEST_F(COXStaticTest, IconStaticKeepsTheSystemLook)
{
    COXStatic stat;
    ASSERT_TRUE(stat.Create("", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(10, 10, 42, 42), &m_host, 1));
    EXPECT_FALSE(COXStatic::IsTextStatic(&stat));
    EXPECT_EQ(stat.GetTextFont(), (CFont*)NULL);
    stat.SetFitToText(TRUE);
    CRect rect;
    stat.GetWindowRect(&rect);
    m_host.ScreenToClient(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(10, 10));
}

TEST(OXSeparatorLayout, CaptionAndSegments)
{
    // A 200-pixel line at x 0, 20 high at y 0, with a 40-pixel caption.
    OXSeparatorLayout none = OXLayoutSeparator(0, 200, 0, 20, 0, SS_LEFT);
    EXPECT_EQ(none.nSegments, 1);
    EXPECT_EQ(none.nSegStart[0], 0);
    EXPECT_EQ(none.nSegEnd[0], 200);
    EXPECT_EQ(none.nLineTop, 9);   // 0 + 10 + 0 - 1: two pixels centred
    EXPECT_EQ(OXLayoutSeparator(0, 200, 0, 21, 0, SS_LEFT).nLineTop, 10);

    OXSeparatorLayout left = OXLayoutSeparator(0, 200, 0, 20, 40, SS_LEFT);
    EXPECT_EQ(left.nTextStart, 0);
    EXPECT_EQ(left.nSegStart[0], 46);
    EXPECT_EQ(left.nSegEnd[0], 200);

    OXSeparatorLayout centre = OXLayoutSeparator(0, 200, 0, 20, 40, SS_CENTER);
    EXPECT_EQ(centre.nTextStart, 80);
    EXPECT_EQ(centre.nSegments, 2);
    EXPECT_EQ(centre.nSegEnd[0], 74);
    EXPECT_EQ(centre.nSegStart[1], 126);

    OXSeparatorLayout right = OXLayoutSeparator(0, 200, 0, 20, 40, SS_RIGHT);
    EXPECT_EQ(right.nTextStart, 160);
    EXPECT_EQ(right.nSegEnd[0], 154);
}

TEST_F(COXStaticTest, SeparatorKeepsItsCaptionAndDrawsTheLine)
{
    COXSeparator sep;
    ASSERT_TRUE(sep.CreateEx(WS_EX_CLIENTEDGE, "Static", "Options", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER,
                             CRect(10, 10, 310, 30), &m_host, 1));
    EXPECT_EQ(sep.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_EQ(sep.GetStyle() & WS_BORDER, 0u);
    CString text;
    sep.GetWindowText(text);
    EXPECT_EQ(text, "Options");
    sep.SetWindowText("A caption longer than any buffer given");
    char small[5];
    EXPECT_EQ(sep.SendMessage(WM_GETTEXT, sizeof(small), (LPARAM)small), 4);
    EXPECT_STREQ(small, "A ca");
    EXPECT_EQ(sep.SendMessage(WM_GETTEXT, 0, (LPARAM)small), 0);
    EXPECT_EQ(sep.GetWindowTextLength(), 38);

    sep.SetWindowText("");
    sep.SetLineColors(RGB(255, 0, 0), RGB(0, 0, 255));
    sep.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CClientDC dc(&sep);
    EXPECT_EQ(dc.GetPixel(150, 9), RGB(255, 0, 0));    // shadow on top
    EXPECT_EQ(dc.GetPixel(150, 10), RGB(0, 0, 255));   // highlight below
    EXPECT_EQ(dc.GetPixel(0, 9), RGB(255, 0, 0));      // the whole width
}

}  // namespace
