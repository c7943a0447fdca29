// The gradient progress control: the bands the gradient computes, the
// engine's range and position rules and its painting into a memory DC (bar
// ends, directions, text on and off the bar, an empty range), and the window
// under real progress-bar messages, timers and its tooltip.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "ProgressCtrlX.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

struct Band {
    COLORREF color;
    int length;
    bool operator==(const Band& o) const { return color == o.color && length == o.length; }
};

std::ostream& operator<<(std::ostream& os, const Band& b)
{
    return os << "{" << (int)GetRValue(b.color) << "," << (int)GetGValue(b.color) << "," << (int)GetBValue(b.color)
              << ": " << b.length << "}";
}

std::vector<Band> Bands(const CGradElArray& list)
{
    std::vector<Band> v;
    for (INT_PTR i = 0; i < list.GetSize(); i++)
        v.push_back({list[i].color, list[i].length});
    return v;
}

int TotalLength(const CGradElArray& list)
{
    int n = 0;
    for (INT_PTR i = 0; i < list.GetSize(); i++)
        n += list[i].length;
    return n;
}

// The engine with its protected parts opened and position changes counted.
class CTestProgress : public CProgress {
public:
    using CProgress::FormatText;
    using CProgress::GetTextValue;
    void OnPosChanged(int nNewPos) override { changes.push_back(nNewPos); }
    std::vector<int> changes;
};

// ---------------------------------------------------------------------------
// Gradient bands

TEST(GradientTest, TwoColourBandsFollowTheLargestChannelStepAndTheLength)
{
    CGradient g;
    CGradElArray list;
    g.CalcGradient(list, kBlack, RGB(3, 0, 0), 300);
    EXPECT_EQ(Bands(list), (std::vector<Band>{{RGB(0, 0, 0), 100}, {RGB(1, 0, 0), 100}, {RGB(2, 0, 0), 100}}));

    list.RemoveAll();
    g.CalcGradient(list, kBlack, kWhite, 100);
    ASSERT_EQ(list.GetSize(), 100) << "more colour steps than pixels: one band per pixel";
    for (INT_PTR i = 0; i < list.GetSize(); i++)
        EXPECT_EQ(list[i].length, 1);
    EXPECT_EQ(list[0].color, kBlack);
    EXPECT_EQ(list[99].color, RGB(252, 252, 252));

    // A window of the gradient, and a colour limit.
    list.RemoveAll();
    g.CalcGradient(list, kBlack, RGB(3, 0, 0), 300, 150, 250);
    EXPECT_EQ(Bands(list), (std::vector<Band>{{RGB(1, 0, 0), 50}, {RGB(2, 0, 0), 50}}));
    list.RemoveAll();
    g.CalcGradient(list, kBlack, kWhite, 100, 0, -1, 4);
    EXPECT_EQ(list.GetSize(), 4);
    EXPECT_EQ(TotalLength(list), 100);
    // Equal colours give one band over the whole length.
    list.RemoveAll();
    g.CalcGradient(list, kRed, kRed, 37);
    EXPECT_EQ(Bands(list), (std::vector<Band>{{kRed, 37}}));
}

TEST(GradientTest, StopsAndWeights)
{
    CGradient g;
    COLORREF c1 = 0, c2 = 0;
    g.GetColors(c1, c2);
    EXPECT_EQ(c1, (COLORREF)-1);
    EXPECT_EQ(c2, (COLORREF)-1);
    g.AddColor(kRed);
    g.GetColors(c1, c2);
    EXPECT_EQ(c1, kRed);
    EXPECT_EQ(c2, kRed);
    g.AddColor(kGreen);
    g.AddColor(kBlue);
    ASSERT_EQ(g.GetColorCount(), 3);
    EXPECT_DOUBLE_EQ(g.GetPercent(0), 50.0);
    EXPECT_DOUBLE_EQ(g.GetPercent(1), 50.0);

    g.SetPercents(1.0, 3.0);
    EXPECT_DOUBLE_EQ(g.GetPercent(0), 25.0);
    EXPECT_DOUBLE_EQ(g.GetPercent(1), 75.0);
    // Weights that sum to nothing become equal parts instead of dividing by zero.
    g.SetPercents(0.0, 0.0);
    EXPECT_DOUBLE_EQ(g.GetPercent(0), 50.0);

    g.SetColors(4, kRed, kGreen, kBlue, kWhite);
    g.GetColors(c1, c2);
    EXPECT_EQ(c1, kRed);
    EXPECT_EQ(c2, kGreen);
    EXPECT_NEAR(g.GetPercent(2), 100.0 / 3, 1e-9);

    g.SetStretch(0.5f);
    EXPECT_FLOAT_EQ(g.GetStretch(), 1.0f);
}

TEST(GradientTest, SegmentsSplitTheLengthByWeightAndAWindowCutsAcrossThem)
{
    CGradient g;
    g.SetColors(3, kBlack, RGB(4, 0, 0), RGB(4, 0, 8));
    g.SetPercents(25.0, 75.0);
    CGradElArray list;
    g.CalcMultiGradient(list, 400);
    EXPECT_EQ(Bands(list), (std::vector<Band>{{RGB(0, 0, 0), 25}, {RGB(1, 0, 0), 25}, {RGB(2, 0, 0), 25},
                                              {RGB(3, 0, 0), 25}, {RGB(4, 0, 0), 37}, {RGB(4, 0, 1), 38},
                                              {RGB(4, 0, 2), 37}, {RGB(4, 0, 3), 38}, {RGB(4, 0, 4), 37},
                                              {RGB(4, 0, 5), 38}, {RGB(4, 0, 6), 37}, {RGB(4, 0, 7), 38}}));
    list.RemoveAll();
    g.CalcMultiGradient(list, 400, 90, 120);
    EXPECT_EQ(Bands(list), (std::vector<Band>{{RGB(3, 0, 0), 10}, {RGB(4, 0, 0), 20}}));

    CGradient one;
    one.SetColors(1, kBlue);
    list.RemoveAll();
    one.CalcMultiGradient(list, 100, 10, 60);
    EXPECT_EQ(Bands(list), (std::vector<Band>{{kBlue, 50}}));
}

TEST(GradientTest, ShiftBringsTheEndRoundToTheFront)
{
    CGradient g;
    g.SetColors(2, kBlack, RGB(3, 0, 0));
    struct Case { int shift, from, to; std::vector<Band> expected; };
    const Case cases[] = {
        {0, 0, -1, {{RGB(0, 0, 0), 100}, {RGB(1, 0, 0), 100}, {RGB(2, 0, 0), 100}}},
        {100, 0, -1, {{RGB(2, 0, 0), 100}, {RGB(0, 0, 0), 100}, {RGB(1, 0, 0), 100}}},
        {-100, 0, -1, {{RGB(1, 0, 0), 100}, {RGB(2, 0, 0), 100}, {RGB(0, 0, 0), 100}}},
        {350, 0, -1, {{RGB(2, 0, 0), 50}, {RGB(0, 0, 0), 100}, {RGB(1, 0, 0), 100}, {RGB(2, 0, 0), 50}}},
        {50, 20, 160, {{RGB(2, 0, 0), 30}, {RGB(0, 0, 0), 100}, {RGB(1, 0, 0), 10}}},
    };
    for (const Case& c : cases) {
        CGradElArray list;
        g.CalcShiftedGradient(list, c.shift, 300, c.from, c.to);
        EXPECT_EQ(Bands(list), c.expected) << "shift " << c.shift << " from " << c.from << " to " << c.to;
    }
}

TEST(GradientTest, PalettesHoldTheGradientOrTheBitmapColourTable)
{
    CGradient g;
    g.SetColors(2, kBlack, kWhite);
    CPalette* pal = g.GetPalette();
    ASSERT_NE(pal, nullptr);
    ASSERT_EQ(pal->GetEntryCount(), 236);
    PALETTEENTRY pe[236] = {};
    pal->GetPaletteEntries(0, 236, pe);
    EXPECT_EQ(RGB(pe[0].peRed, pe[0].peGreen, pe[0].peBlue), kBlack);
    EXPECT_GE(pe[235].peRed, 250);
    // New colours drop the old palette.
    g.SetColors(2, kRed, kRed);
    ASSERT_NE(g.GetPalette(), nullptr);
    EXPECT_EQ(g.GetPalette()->GetEntryCount(), 1);

    // An 8-bit DIB section: its first 236 colours.
    struct { BITMAPINFOHEADER h; RGBQUAD colors[256]; } bi = {};
    bi.h.biSize = sizeof(bi.h);
    bi.h.biWidth = 4;
    bi.h.biHeight = 4;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = 8;
    for (int i = 0; i < 256; i++)
        bi.colors[i] = {(BYTE)i, 0, (BYTE)(255 - i), 0};
    void* bits = nullptr;
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HBITMAP bmp = ::CreateDIBSection(dc.m_hDC, (BITMAPINFO*)&bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    CPalette fromBitmap;
    EXPECT_FALSE(CreatePaletteFromDCBitmap(&dc, &fromBitmap)) << "no colour table selected yet";
    HGDIOBJ old = ::SelectObject(dc.m_hDC, bmp);
    ASSERT_TRUE(CreatePaletteFromDCBitmap(&dc, &fromBitmap));
    EXPECT_EQ(fromBitmap.GetEntryCount(), 236);
    PALETTEENTRY e = {};
    fromBitmap.GetPaletteEntries(200, 1, &e);
    EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), RGB(255 - 200, 0, 200));
    ::SelectObject(dc.m_hDC, old);
    ::DeleteObject(bmp);
}

// ---------------------------------------------------------------------------
// The engine: range and position

TEST(ProgressTest, RangeIsOrderedAndPositionsAreClampedAndReported)
{
    CTestProgress p;
    int lo = -1, hi = -1;
    p.SetRange(100, 0);
    p.GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);

    EXPECT_EQ(p.SetPos(150), 0);
    EXPECT_EQ(p.GetPos(), 100);
    EXPECT_EQ(p.SetPos(100), 100);            // no change: not reported
    EXPECT_EQ(p.OffsetPos(-30), 100);
    EXPECT_EQ(p.SetStep(25), 10);
    EXPECT_EQ(p.StepIt(), 70);
    EXPECT_EQ(p.OffsetPos(-1000), 95);
    p.SetPos(60);
    p.SetRange(0, 50);                         // the position follows the range
    EXPECT_EQ(p.GetPos(), 50);
    EXPECT_EQ(p.changes, (std::vector<int>{100, 70, 95, 0, 60, 50}));
}

TEST(ProgressTest, SnakeRunsPastTheEndByItsLengthThenTurnsRound)
{
    CTestProgress p;
    p.ModifyStyle(0, PBS_SNAKE);
    p.SetRange(0, 100);
    p.SetSnakeTail(40);
    p.SetStep(20);
    struct Step { int pos, tail; bool reversed; };
    const Step expected[] = {
        {20, 0, false}, {40, 0, false}, {60, 20, false}, {80, 40, false}, {100, 60, false},
        {100, 80, false},                     // the head runs on past upper...
        {100, 100, false},                    // ...until the tail reaches it (head 140)
        {20, 0, true},                        // head 160 wraps to 160 - 140 and turns round
        {40, 0, true},
        {60, 20, true},
    };
    for (const Step& s : expected) {
        p.StepIt();
        EXPECT_EQ(p.GetPos(), s.pos);
        EXPECT_EQ(p.GetTailPos(), s.tail) << "pos " << s.pos;
        EXPECT_EQ((p.GetStyle() & PBS_REVERSE) != 0, s.reversed) << "pos " << s.pos;
    }
}

TEST(ProgressTest, TextValueAndFormat)
{
    CTestProgress p;
    p.SetRange(0, 200);
    EXPECT_EQ(p.FormatText("", PBS_SHOW_PERCENT, p.GetTextValue(50, PBS_SHOW_PERCENT)), "25%");
    EXPECT_EQ(p.FormatText("", PBS_SHOW_POSITION, p.GetTextValue(50, PBS_SHOW_POSITION)), "50");
    EXPECT_EQ(p.FormatText("Done %d of 200", PBS_SHOW_POSITION, 199.9), "Done 199 of 200");
    EXPECT_EQ(p.FormatText("", 0, 5), "");
    // Formats that would read other arguments than one int, or print a huge
    // field, print nothing.
    for (const char* bad : {"%s", "%d %d", "%n", "%*d", "%lld", "%f", "50%", "%900000000d", "%.999d"})
        EXPECT_EQ(p.FormatText(bad, PBS_SHOW_PERCENT, 5), "") << bad;
    EXPECT_EQ(p.FormatText("%3d%%", PBS_SHOW_PERCENT, 5), "  5%");

    // An empty range has no percent, and asking does not divide by zero.
    p.SetRange(7, 7);
    EXPECT_EQ(p.GetTextValue(7, PBS_SHOW_PERCENT), 0);

    p.SetTextFormat("%d pc", PBS_SHOW_PERCENT);
    EXPECT_EQ(p.GetStyle() & PBS_TEXTMASK, (DWORD)PBS_SHOW_PERCENT);
    EXPECT_EQ(p.GetTextFormat(), "%d pc");
    p.SetTextFormat("", PBS_SHOW_POSITION);
    EXPECT_EQ(p.GetStyle() & PBS_TEXTMASK, 0u);
    EXPECT_EQ(p.GetTextFormat(), "");
}

TEST(ProgressTest, AnimationShiftWrapsWithTheStretchedRangeAndStopsOnAnEmptyOne)
{
    CProgress p;
    p.SetRange(0, 50);
    p.SetStretch(2.0f);
    p.AnimateBy(60);
    EXPECT_EQ(p.GetAnimPos(), 60);
    p.AnimateBy(60);
    EXPECT_EQ(p.GetAnimPos(), 20);
    p.SetRange(3, 3);
    p.AnimateBy(60);
    EXPECT_EQ(p.GetAnimPos(), 20);
}

// ---------------------------------------------------------------------------
// The engine: painting

class ProgressDrawTest : public ::testing::Test {
protected:
    ProgressDrawTest() : dib(200, 20)
    {
        p.SetColors(2, kRed, kBlue);
        p.SetBkColor(kGreen);
        p.SetRange(0, 100);
    }
    void Draw(BOOL bDirect = FALSE) { p.Draw(&dib.dc, CRect(0, 0, 200, 20), bDirect); }
    CTestProgress p;
    CPixelCanvas dib;
};

TEST_F(ProgressDrawTest, FullBarRunsFromTheFirstColourToTheLast)
{
    p.SetPos(100);
    Draw();
    EXPECT_EQ(dib.At(0, 10), kRed);
    COLORREF end = dib.At(199, 10);
    EXPECT_LE(GetRValue(end), 2);
    EXPECT_GE(GetBValue(end), 253);
    COLORREF mid = dib.At(100, 10);
    EXPECT_NEAR(GetRValue(mid), 127, 3);
    EXPECT_NEAR(GetBValue(mid), 128, 3);
    EXPECT_EQ(dib.Count(kGreen), 0);
}

TEST_F(ProgressDrawTest, BarGrowsFromTheEdgeTheStyleNames)
{
    struct Case { DWORD style; int rectW, rectH; POINT barStart, barInside, empty; };
    const Case cases[] = {
        {0, 200, 20, {0, 10}, {99, 10}, {100, 10}},
        {PBS_REVERSE, 200, 20, {199, 10}, {100, 10}, {99, 10}},
        {PBS_VERTICAL, 20, 200, {10, 199}, {10, 100}, {10, 99}},
        {PBS_VERTICAL | PBS_REVERSE, 20, 200, {10, 0}, {10, 99}, {10, 100}},
    };
    for (const Case& c : cases) {
        CPixelCanvas d(c.rectW, c.rectH);
        CProgress q;
        q.SetColors(2, kRed, kBlue);
        q.SetBkColor(kGreen);
        q.ModifyStyle(0, c.style);
        q.SetPos(50);
        q.Draw(&d.dc, CRect(0, 0, c.rectW, c.rectH));
        EXPECT_EQ(d.At(c.barStart.x, c.barStart.y), kRed) << "style " << std::hex << c.style;
        COLORREF inside = d.At(c.barInside.x, c.barInside.y);
        EXPECT_NE(inside, kGreen) << "style " << std::hex << c.style;
        EXPECT_GT(GetBValue(inside), 100) << "half the bar shows half the gradient, style " << std::hex << c.style;
        EXPECT_EQ(d.At(c.empty.x, c.empty.y), kGreen) << "style " << std::hex << c.style;
    }
}

TEST_F(ProgressDrawTest, RubberBarStretchAndBordersChangeWhatPartOfTheGradientShows)
{
    p.SetPos(50);
    Draw();
    COLORREF plainEnd = dib.At(99, 10);
    p.ModifyStyle(0, PBS_RUBBER_BAR);
    Draw();
    COLORREF rubberEnd = dib.At(99, 10);
    EXPECT_NEAR(GetBValue(plainEnd), 127, 3) << "the bar shows half of the whole-width gradient";
    EXPECT_GE(GetBValue(rubberEnd), 250) << "the whole gradient fitted into the filled part";
    p.ModifyStyle(PBS_RUBBER_BAR, 0);

    // Stretch 2: a 100-pixel bar shows the first half of a 200-pixel gradient.
    CPixelCanvas small(100, 10);
    CProgress q;
    q.SetColors(2, kBlack, RGB(200, 0, 0));
    q.SetPos(100);
    q.SetStretch(2.0f);
    q.Draw(&small.dc, CRect(0, 0, 100, 10));
    EXPECT_EQ(small.At(0, 5), kBlack);
    EXPECT_NEAR(GetRValue(small.At(99, 5)), 99, 1);

    // Borders keep the background around a full bar.
    p.SetPos(100);
    p.SetBorders(3, 2, 4, 5);
    Draw();
    EXPECT_EQ(dib.At(2, 10), kGreen);
    EXPECT_EQ(dib.At(3, 10), kRed);
    EXPECT_EQ(dib.At(196, 10), kGreen);
    EXPECT_EQ(dib.At(50, 1), kGreen);
    EXPECT_EQ(dib.At(50, 15), kGreen);
    EXPECT_NE(dib.At(50, 14), kGreen);
}

TEST_F(ProgressDrawTest, TextIsWrittenInTheBarColourOverTheFillAndTheBackgroundColourBeyondIt)
{
    p.SetColors(2, kBlack, kBlack);
    p.SetBkColor(kWhite);
    p.SetTextColor(kYellow, kCyan);
    p.SetTextFormat("%d%%", PBS_SHOW_PERCENT);

    p.SetPos(0);
    Draw();
    EXPECT_GT(dib.Count(kCyan), 10);
    EXPECT_EQ(dib.Count(kYellow), 0);

    p.SetPos(100);
    Draw();
    EXPECT_GT(dib.Count(kYellow), 10);
    EXPECT_EQ(dib.Count(kCyan), 0);

    // Half filled: the centred text is split between the two colours.
    p.SetPos(50);
    Draw();
    int yellow = 0, cyan = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 200; x++) {
            COLORREF c = dib.At(x, y);
            if (c == kYellow) {
                yellow++;
                EXPECT_LT(x, 100);
            } else if (c == kCyan) {
                cyan++;
                EXPECT_GE(x, 100);
            }
        }
    EXPECT_GT(yellow, 0);
    EXPECT_GT(cyan, 0);

    // No text bits: no text.
    p.SetTextFormat("", 0);
    Draw();
    EXPECT_EQ(dib.Count(kYellow) + dib.Count(kCyan), 0);
}

TEST_F(ProgressDrawTest, AlignmentBitsMoveTheTextToAnEdge)
{
    p.SetColors(2, kBlack, kBlack);
    p.SetTextColor(kYellow);
    p.SetTextFormat("%d%%", PBS_SHOW_PERCENT);
    p.SetPos(100);
    // x range of the text pixels for each alignment (0xF0, all four, centres).
    struct Case { DWORD align; int minX, maxX; bool top; };
    const Case cases[] = {
        {PBS_CENTER, 80, 120, false},
        {PBS_LEFT, 0, 40, false},
        {PBS_RIGHT, 160, 199, false},
        {PBS_LEFT | PBS_TOP, 0, 40, true},
    };
    CPixelCanvas tall(200, 60);
    for (const Case& c : cases) {
        p.ModifyStyle(PBS_CENTER, c.align);
        p.Draw(&tall.dc, CRect(0, 0, 200, 60));
        int lo = 200, hi = -1, loY = 60, hiY = -1;
        for (int y = 0; y < 60; y++)
            for (int x = 0; x < 200; x++)
                if (tall.At(x, y) == kYellow) {
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                    loY = std::min(loY, y);
                    hiY = std::max(hiY, y);
                }
        ASSERT_GE(hi, 0) << "align " << std::hex << c.align;
        EXPECT_GE(lo, c.minX) << "align " << std::hex << c.align;
        EXPECT_LE(hi, c.maxX) << "align " << std::hex << c.align;
        if (c.top)
            EXPECT_LT(hiY, 25) << "align " << std::hex << c.align;
        else
            EXPECT_TRUE(loY > 15 && hiY < 45) << "centred vertically: " << loY << ".." << hiY;
    }
}

TEST_F(ProgressDrawTest, TiedTextNeedsRoomOnTheFilledPart)
{
    p.SetColors(2, kBlack, kBlack);
    p.SetTextColor(kYellow, kCyan);
    p.SetTextFormat("%d%%", PBS_SHOW_PERCENT);
    p.ModifyStyle(0, PBS_TIED_TEXT);
    p.SetPos(2);                               // 4 pixels: no room for "2%"
    Draw();
    EXPECT_EQ(dib.Count(kYellow) + dib.Count(kCyan), 0);

    p.SetPos(60);
    Draw();
    EXPECT_GT(dib.Count(kYellow), 10);
    EXPECT_EQ(dib.Count(kCyan), 0);
    for (int y = 0; y < 20; y++)
        for (int x = 120; x < 200; x++)
            ASSERT_NE(dib.At(x, y), kYellow) << "the text stays on the filled part";
}

TEST_F(ProgressDrawTest, EmptyRangeDrawsNeitherBarNorText)
{
    p.SetTextColor(kYellow, kCyan);
    p.SetTextFormat("%d%%", PBS_SHOW_PERCENT);
    p.SetRange(0, 0);
    for (DWORD style : {DWORD(0), DWORD(PBS_SNAKE), DWORD(PBS_RUBBER_BAR), DWORD(PBS_VERTICAL)}) {
        p.ModifyStyle(PBS_SNAKE | PBS_RUBBER_BAR | PBS_VERTICAL, style);
        p.SetPos(0);
        p.AnimateBy(3);
        Draw();
        EXPECT_EQ(dib.Count(kGreen), 200 * 20) << "style " << std::hex << style;
        p.SetTextFormat("%d", PBS_SHOW_POSITION);
        Draw(TRUE);
        EXPECT_EQ(dib.Count(kGreen), 200 * 20) << "style " << std::hex << style;
        p.SetTextFormat("%d%%", PBS_SHOW_PERCENT);
    }
}

TEST_F(ProgressDrawTest, WithoutBackgroundTheBarIsDrawnOverWhatIsThere)
{
    dib.dc.FillSolidRect(0, 0, 200, 20, kCyan);
    p.SetBkColor((COLORREF)-1);
    p.SetPos(50);
    Draw();
    EXPECT_EQ(dib.At(0, 10), kRed);
    EXPECT_EQ(dib.At(150, 10), kCyan);
}

TEST_F(ProgressDrawTest, ClipRegionLimitsThePaintedArea)
{
    dib.dc.FillSolidRect(0, 0, 200, 20, kCyan);
    p.SetPos(100);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 50, 20);
    p.SetTextClipRegion(rgn);
    // Drawn at an offset: the region moves with the rectangle.
    p.Draw(&dib.dc, CRect(100, 0, 200, 20));
    EXPECT_EQ(dib.At(100, 10), kRed);
    EXPECT_NE(dib.At(149, 10), kCyan);
    EXPECT_EQ(dib.At(150, 10), kCyan);
    EXPECT_EQ(dib.At(50, 10), kCyan);
    // The caller's DC is left without the region.
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetClipRgn(dib.dc.m_hDC, probe), 0);
    ::DeleteObject(probe);
}

// ---------------------------------------------------------------------------
// The window

class ProgressCtrlXTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 260, 60), nullptr, 0));
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 30), &parent, 1001));
    }
    void TearDown() override { parent.DestroyWindow(); }

    // Paints the control through WM_PAINT and reads the screen.
    COLORREF Pixel(int x, int y)
    {
        bar.Invalidate();
        bar.UpdateWindow();
        HDC hdc = ::GetDC(bar.m_hWnd);
        COLORREF c = ::GetPixel(hdc, x, y);
        ::ReleaseDC(bar.m_hWnd, hdc);
        return c;
    }

    CWnd parent;
    CProgressCtrlX bar;
};

TEST_F(ProgressCtrlXTest, AnswersTheProgressBarMessages)
{
    HWND h = bar.m_hWnd;
    EXPECT_EQ(::SendMessage(h, PBM_SETRANGE, 0, MAKELPARAM(10, 300)), (LRESULT)((100 << 16) | 0));
    EXPECT_EQ(::SendMessage(h, PBM_SETRANGE, 0, MAKELPARAM(0, 50000)), (LRESULT)((300 << 16) | 10));
    EXPECT_EQ(::SendMessage(h, PBM_GETRANGE, FALSE, 0), 50000);
    EXPECT_EQ(::SendMessage(h, PBM_SETRANGE32, (WPARAM)-5, 40000), (LRESULT)((50000u << 16) | 0));
    EXPECT_EQ(::SendMessage(h, PBM_GETRANGE, TRUE, 0), -5);
    PBRANGE range = {};
    EXPECT_EQ(::SendMessage(h, PBM_GETRANGE, FALSE, (LPARAM)&range), 40000);
    EXPECT_EQ(range.iLow, -5);
    EXPECT_EQ(range.iHigh, 40000);
    int lo = 0, hi = 0;
    bar.GetRange(lo, hi);
    EXPECT_EQ(hi, 40000);

    bar.SetRange(0, 100);
    EXPECT_EQ(::SendMessage(h, PBM_SETPOS, 40, 0), 10) << "the position was clamped into 10..300";
    EXPECT_EQ(::SendMessage(h, PBM_DELTAPOS, 5, 0), 40);
    EXPECT_EQ(::SendMessage(h, PBM_SETSTEP, 20, 0), 10);
    EXPECT_EQ(::SendMessage(h, PBM_STEPIT, 0, 0), 45);
    EXPECT_EQ(::SendMessage(h, PBM_GETPOS, 0, 0), 65);
    EXPECT_EQ(::SendMessage(h, PBM_DELTAPOS, 500, 0), 65);
    EXPECT_EQ(bar.GetPos(), 100);

    EXPECT_EQ((COLORREF)::SendMessage(h, PBM_SETBARCOLOR, 0, kRed), CLR_DEFAULT);
    COLORREF c1 = 0, c2 = 0;
    bar.GetColors(c1, c2);
    EXPECT_EQ(c1, kRed);
    EXPECT_EQ(c2, kRed);
    ::SendMessage(h, PBM_SETBARCOLOR, kBlue, kRed);
    bar.GetColors(c1, c2);
    EXPECT_EQ(c1, kRed);
    EXPECT_EQ(c2, kBlue);
    COLORREF bk = bar.GetBkColor();
    EXPECT_EQ((COLORREF)::SendMessage(h, PBM_SETBKCOLOR, 0, kYellow), 0xFF000000u);
    EXPECT_EQ(bar.GetBkColor(), bk);

    EXPECT_TRUE(::SendMessage(h, WM_ERASEBKGND, 0, 0));
}

TEST_F(ProgressCtrlXTest, WindowTextIsTheTextFormatAndTheFontIsKept)
{
    EXPECT_TRUE(::SetWindowText(bar.m_hWnd, "%d percent"));
    EXPECT_EQ(bar.GetTextFormat(), "%d percent");
    char buf[64] = {};
    EXPECT_EQ(::GetWindowTextLength(bar.m_hWnd), 10);
    EXPECT_EQ(::SendMessage(bar.m_hWnd, WM_GETTEXT, sizeof(buf), (LPARAM)buf), 10);
    EXPECT_STREQ(buf, "%d percent");
    EXPECT_EQ(::SendMessage(bar.m_hWnd, WM_GETTEXT, 4, (LPARAM)buf), 3);
    EXPECT_STREQ(buf, "%d ");

    EXPECT_EQ(::SendMessage(bar.m_hWnd, WM_GETFONT, 0, 0), 0);
    HFONT hFont = (HFONT)::GetStockObject(ANSI_VAR_FONT);
    ::SendMessage(bar.m_hWnd, WM_SETFONT, (WPARAM)hFont, TRUE);
    EXPECT_EQ((HFONT)::SendMessage(bar.m_hWnd, WM_GETFONT, 0, 0), hFont);
    EXPECT_EQ(bar.GetFont()->GetSafeHandle(), (HGDIOBJ)hFont);
}

TEST_F(ProgressCtrlXTest, PaintsTheGradientAndTheWindowStyleDrivesIt)
{
    bar.SetColors(2, kRed, kBlue);
    bar.SetBkColor(kGreen);
    bar.SetPos(50);
    EXPECT_EQ(Pixel(0, 10), kRed);
    EXPECT_EQ(Pixel(150, 10), kGreen);

    bar.ModifyStyle(0, PBS_REVERSE);
    EXPECT_TRUE(bar.CWnd::GetStyle() & PBS_REVERSE);
    EXPECT_EQ(Pixel(199, 10), kRed);
    EXPECT_EQ(Pixel(50, 10), kGreen);

    // The text format sets the window's text bits.
    bar.SetTextFormat("%d%%", PBS_SHOW_PERCENT);
    EXPECT_EQ(bar.CWnd::GetStyle() & PBS_TEXTMASK, (DWORD)PBS_SHOW_PERCENT);

    // An empty range paints background only and survives every message.
    bar.SetRange(0, 0);
    bar.SetPos(0);
    bar.StepIt();
    bar.SendMessage(WM_TIMER, CProgressCtrlX::IDT_ANIMATE);
    for (int x : {0, 100, 199})
        EXPECT_EQ(Pixel(x, 10), kGreen) << x;
}

TEST_F(ProgressCtrlXTest, TimersStepAndRunTheGradient)
{
    bar.SetRange(0, 100);
    bar.SetStep(7);
    bar.SendMessage(WM_TIMER, CProgressCtrlX::IDT_STEPIT);
    bar.SendMessage(WM_TIMER, CProgressCtrlX::IDT_STEPIT);
    EXPECT_EQ(bar.GetPos(), 14);

    bar.SetAnimStep(30);
    for (int i = 0; i < 4; i++)
        bar.SendMessage(WM_TIMER, CProgressCtrlX::IDT_ANIMATE);
    EXPECT_EQ(bar.GetAnimPos(), 20);
    EXPECT_EQ(bar.GetPos(), 14);

    // A timer started by the owner on the control's window.
    bar.SetTimer(CProgressCtrlX::IDT_STEPIT, 10, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return bar.GetPos() >= 35; }, kWaitMs));
    bar.KillTimer(CProgressCtrlX::IDT_STEPIT);
}

TEST_F(ProgressCtrlXTest, TooltipFollowsThePosition)
{
    auto TipText = [&] {
        CString s;
        bar.GetToolTip()->GetText(s, &bar);
        return std::string((LPCTSTR)s);
    };
    bar.SetRange(0, 200);
    bar.SetPos(50);
    bar.SetTooltipFormat("%d%% done", PBS_SHOW_PERCENT);
    ASSERT_NE(bar.GetToolTip()->m_hWnd, (HWND)NULL);
    EXPECT_EQ(TipText(), "25% done");
    bar.SetPos(100);
    EXPECT_EQ(TipText(), "50% done");

    bar.SetTooltipFormat("at %d", PBS_SHOW_POSITION);
    EXPECT_EQ(TipText(), "at 100");
    bar.OffsetPos(-1);
    EXPECT_EQ(TipText(), "at 99");

    // An empty range has no percent: the tip keeps its last text.
    bar.SetTooltipFormat("%d%%", PBS_SHOW_PERCENT);
    EXPECT_EQ(TipText(), "49%");
    bar.SetRange(5, 5);
    EXPECT_EQ(bar.GetPos(), 5);
    EXPECT_EQ(TipText(), "49%");

    // Mouse moves reach the tooltip through PreTranslateMessage.
    CMessageRecorder rec;
    rec.Watch(bar.GetToolTip()->m_hWnd, "tip");
    rec.Only({TTM_RELAYEVENT});
    MSG msg = {bar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)};
    bar.PreTranslateMessage(&msg);
    EXPECT_TRUE(rec.Matches({{"tip", TTM_RELAYEVENT, kSent}}));
}

}  // namespace
