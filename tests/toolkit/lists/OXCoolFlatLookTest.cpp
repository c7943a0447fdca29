// The flat faces of the cool button, spin button and slider drawn on memory
// DCs at the coordinates the controls give them: which pixels turn into
// which system colour, and which are left to what the control painted
// (the magenta background here).
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "OXCoolButton.h"
#include "OXCoolScrollBar.h"
#include "OXCoolSliderCtrl.h"
#include "OXCoolSpinButtonCtrl.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const COLORREF kUntouched = kMagenta;

// Named colours a case expects at a pixel.
enum Colour { Face, Highlight, Shadow, DarkShadow, Untouched };

COLORREF ColourOf(Colour c)
{
    switch (c) {
    case Face: return ::GetSysColor(COLOR_BTNFACE);
    case Highlight: return ::GetSysColor(COLOR_BTNHIGHLIGHT);
    case Shadow: return ::GetSysColor(COLOR_BTNSHADOW);
    case DarkShadow: return ::GetSysColor(COLOR_3DDKSHADOW);
    default: return kUntouched;
    }
}

struct PixelExpect {
    int x, y;
    Colour colour;
};

void ExpectPixels(const CPixelCanvas& canvas, std::initializer_list<PixelExpect> expects)
{
    for (const PixelExpect& e : expects)
        EXPECT_EQ(canvas.At(e.x, e.y), ColourOf(e.colour)) << "at (" << e.x << ", " << e.y << ")";
}

// Whether any pixel of the rectangle has the colour.
bool AnyIn(const CPixelCanvas& canvas, const CRect& rect, COLORREF colour)
{
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            if (canvas.At(x, y) == colour)
                return true;
    return false;
}

TEST(OXCoolButtonFlat, FramesOfPushButtons)
{
    struct Case {
        const char* name;
        DWORD style;
        int check;
        std::initializer_list<PixelExpect> pixels;
    };
    const Case cases[] = {
        // A 3-pixel frame ring: raised outer edge, face inside it, the
        // middle left as the control drew it.
        {"push", BS_PUSHBUTTON, 0, {{0, 10, Highlight}, {59, 10, Shadow}, {30, 23, Shadow}, {1, 10, Face},
                                    {2, 10, Face}, {3, 10, Untouched}, {30, 12, Untouched}}},
        {"default push", BS_DEFPUSHBUTTON, 0, {{0, 10, DarkShadow}, {59, 10, DarkShadow}, {1, 10, Highlight},
                                               {58, 10, Shadow}, {2, 10, Face}, {3, 10, Untouched}}},
        // Push-like check boxes have a 2-pixel frame, sunken while checked.
        {"push-like checked", BS_AUTOCHECKBOX | BS_PUSHLIKE, 1, {{0, 10, Shadow}, {59, 10, Highlight},
                                                                   {1, 10, Face}, {2, 10, Untouched}}},
        {"push-like unchecked", BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, {{0, 10, Highlight}, {59, 10, Shadow}}},
        {"push-like radio", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 1, {{0, 10, Shadow}, {2, 10, Untouched}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPixelCanvas canvas(60, 24, kUntouched);
        COXCoolButton::DrawFlat(&canvas.dc, CRect(0, 0, 60, 24), c.style, c.check);
        ExpectPixels(canvas, c.pixels);
    }
}

TEST(OXCoolButtonFlat, ButtonsLeftAlone)
{
    const DWORD styles[] = {BS_GROUPBOX, BS_OWNERDRAW, BS_USERBUTTON, BS_PUSHBUTTON | BS_FLAT,
                            BS_AUTOCHECKBOX | BS_FLAT, BS_PUSHBOX};
    for (DWORD style : styles) {
        CPixelCanvas canvas(60, 24, kUntouched);
        COXCoolButton::DrawFlat(&canvas.dc, CRect(0, 0, 60, 24), style, 0);
        EXPECT_EQ(canvas.Count(kUntouched), 60 * 24) << "style " << std::hex << style;
    }
}

TEST(OXCoolButtonFlat, CheckBoxMarkAtEitherSide)
{
    // Client 60 x 21: the 13-pixel box has its top at (0 + 21 - 13) / 2 = 4.
    CPixelCanvas left(60, 21, kUntouched);
    COXCoolButton::DrawFlat(&left.dc, CRect(0, 0, 60, 21), BS_AUTOCHECKBOX, 1);
    ExpectPixels(left, {{1, 5, Highlight}, {11, 15, Highlight}, {11, 5, Highlight}, {0, 4, Untouched},
                        {12, 16, Untouched}, {6, 10, Untouched}, {30, 10, Untouched}});
    EXPECT_EQ(COXCoolButton::MarkBoxRect(CRect(0, 0, 60, 21), BS_AUTOCHECKBOX), CRect(0, 4, 13, 17));

    CPixelCanvas right(60, 21, kUntouched);
    COXCoolButton::DrawFlat(&right.dc, CRect(0, 0, 60, 21), BS_3STATE | BS_LEFTTEXT, 2);
    ExpectPixels(right, {{48, 5, Highlight}, {58, 15, Highlight}, {1, 5, Untouched}});
}

// The flat radio mark is a whole ring that shows against the button face:
// shadow on every side of the box, the dot in the middle and the text left
// as the control drew them.
TEST(OXCoolButtonFlat, RadioMarkIsAWholeRingInShadow)
{
    // Box (0, 4, 13, 17).
    CPixelCanvas canvas(60, 21, ::GetSysColor(COLOR_BTNFACE));
    canvas.dc.FillSolidRect(5, 9, 3, 3, kBlack);   // the control's dot
    canvas.dc.FillSolidRect(20, 5, 30, 11, kBlack);   // its text
    COXCoolButton::DrawFlat(&canvas.dc, CRect(0, 0, 60, 21), BS_AUTORADIOBUTTON, 1);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_TRUE(AnyIn(canvas, CRect(4, 4, 9, 6), shadow));     // top
    EXPECT_TRUE(AnyIn(canvas, CRect(4, 15, 9, 17), shadow));   // bottom
    EXPECT_TRUE(AnyIn(canvas, CRect(0, 8, 2, 13), shadow));    // left
    EXPECT_TRUE(AnyIn(canvas, CRect(11, 8, 13, 13), shadow));  // right
    EXPECT_EQ(canvas.At(6, 10), kBlack);
    EXPECT_FALSE(AnyIn(canvas, CRect(14, 0, 60, 21), shadow));
    EXPECT_EQ(canvas.At(30, 10), kBlack);
}

// A cold cool scroll bar reads as one: an arrow in each arrow box, and a
// track that stands apart from the boxes and the thumb.
TEST(OXCoolScrollBarFlat, ArrowsAndATrackApartFromTheBoxes)
{
    CWnd host;
    ASSERT_TRUE(CreateHostWindow(host, "scroll bar host", WS_POPUP, CRect(0, 0, 300, 100)));
    for (BOOL bHorizontal : {TRUE, FALSE}) {
        SCOPED_TRACE(bHorizontal ? "horizontal" : "vertical");
        const CSize size = bHorizontal ? CSize(160, 17) : CSize(17, 90);
        COXCoolScrollBar bar;
        ASSERT_TRUE(bar.Create(WS_CHILD | (bHorizontal ? SBS_HORZ : SBS_VERT), CRect(CPoint(0, 0), size), &host, 1));
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 30, 0};
        bar.SetScrollInfo(&si, FALSE);
        ASSERT_TRUE(bar.IsCoolState());
        ASSERT_FALSE(bar.IsHot());
        CPixelCanvas canvas(size.cx, size.cy, kUntouched);
        bar.DrawFlatScrollBar(&canvas.dc, 0, 0, size.cx, size.cy, bHorizontal);

        const int nLength = bHorizontal ? size.cx : size.cy;
        const OXFlatScrollLayout layout =
            OXLayoutFlatScrollBar(nLength, ::GetSystemMetrics(bHorizontal ? SM_CXHSCROLL : SM_CYVSCROLL), si);
        ASSERT_TRUE(layout.bThumb);
        auto part = [&](int nStart, int nEnd) {
            return bHorizontal ? CRect(nStart, 0, nEnd, size.cy) : CRect(0, nStart, size.cx, nEnd);
        };
        const COLORREF text = ::GetSysColor(COLOR_BTNTEXT), hi = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        EXPECT_TRUE(AnyIn(canvas, part(0, layout.nArrow), text)) << "first arrow";
        EXPECT_TRUE(AnyIn(canvas, part(nLength - layout.nArrow, nLength), text)) << "second arrow";
        // Between the first arrow and the thumb, away from the boxes' edges.
        CRect track = part(layout.nArrow + 1, layout.nThumbStart - 1);
        if (bHorizontal)
            track.DeflateRect(0, 3);
        else
            track.DeflateRect(3, 0);
        EXPECT_TRUE(AnyIn(canvas, track, hi)) << "track";
        EXPECT_FALSE(AnyIn(canvas, track, kUntouched));
        EXPECT_FALSE(AnyIn(canvas, part(layout.nThumbStart + 3, layout.nThumbStart + layout.nThumbLength - 3), text))
            << "the thumb has no arrow";
        bar.DestroyWindow();
    }
    host.DestroyWindow();
}

TEST(OXCoolSpinFlat, HalvesAndTheContinuedBorder)
{
    using Look = OXSpinFlatLook;
    struct Case {
        const char* name;
        CRect client;
        Look look;
        std::initializer_list<PixelExpect> pixels;
    };
    auto look = [](BOOL bHorizontal, BOOL bAttached, BOOL bRight, int d, Look::Ring ring, BOOL bHot) {
        Look l;
        l.bHorizontal = bHorizontal;
        l.bAttached = bAttached;
        l.bAlignRight = bRight;
        l.nBuddyBorder = d;
        l.ring = ring;
        l.bHot = bHot;
        return l;
    };
    const Case cases[] = {
        {"vertical, alone", CRect(0, 0, 16, 40), look(FALSE, FALSE, TRUE, 0, Look::kNoRing, FALSE),
         {{0, 0, Highlight}, {15, 19, Shadow}, {1, 1, Face}, {0, 20, Highlight}, {15, 39, Shadow},
          {8, 10, Untouched}, {8, 30, Untouched}}},
        {"horizontal, alone", CRect(0, 0, 40, 16), look(TRUE, FALSE, TRUE, 0, Look::kNoRing, FALSE),
         {{0, 0, Highlight}, {19, 15, Shadow}, {20, 0, Highlight}, {39, 15, Shadow}, {10, 8, Untouched}}},
        {"hot: the control's own look", CRect(0, 0, 16, 40), look(FALSE, FALSE, TRUE, 0, Look::kNoRing, TRUE),
         {{0, 0, Untouched}, {15, 19, Untouched}}},
        // Right of a hot cool edit with a 2-pixel border: the sunken ring
        // runs on along top, right and bottom; the halves sit inside it.
        {"attached right, buddy hot", CRect(0, 0, 16, 40), look(FALSE, TRUE, TRUE, 2, Look::kHotRing, FALSE),
         {{5, 0, Shadow}, {5, 1, DarkShadow}, {15, 5, Highlight}, {14, 5, Face}, {5, 39, Highlight},
          {5, 38, Face}, {0, 2, Highlight}, {13, 19, Shadow}, {0, 20, Highlight}, {13, 37, Shadow}}},
        {"attached right, cold", CRect(0, 0, 16, 40), look(FALSE, TRUE, TRUE, 2, Look::kColdRing, FALSE),
         {{5, 0, Highlight}, {5, 1, Highlight}, {15, 5, Highlight}, {14, 5, Highlight}}},
        {"attached right, buddy disabled", CRect(0, 0, 16, 40),
         look(FALSE, TRUE, TRUE, 2, Look::kDisabledRing, FALSE), {{5, 0, Highlight}, {5, 1, Face}, {14, 5, Face}}},
        {"attached left, plain buddy", CRect(0, 0, 16, 40), look(FALSE, TRUE, FALSE, 2, Look::kNoRing, FALSE),
         {{2, 2, Highlight}, {15, 19, Shadow}, {5, 0, Untouched}, {0, 5, Untouched}}},
        {"attached left, cold ring", CRect(0, 0, 16, 40), look(FALSE, TRUE, FALSE, 2, Look::kColdRing, FALSE),
         {{0, 5, Highlight}, {1, 5, Highlight}, {5, 0, Highlight}}},
        // Shorter than 8 pixels along its axis: halves under 4 are not drawn.
        {"too small", CRect(0, 0, 16, 7), look(FALSE, FALSE, TRUE, 0, Look::kNoRing, FALSE),
         {{0, 0, Untouched}, {15, 6, Untouched}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPixelCanvas canvas(c.client.Width(), c.client.Height(), kUntouched);
        COXCoolSpinButtonCtrl::DrawFlat(&canvas.dc, c.client, c.look);
        ExpectPixels(canvas, c.pixels);
    }
    // Eight pixels make two halves of four: drawn.
    CPixelCanvas canvas(16, 8, kUntouched);
    COXCoolSpinButtonCtrl::DrawFlat(&canvas.dc, CRect(0, 0, 16, 8), Look());
    ExpectPixels(canvas, {{0, 0, Highlight}, {15, 3, Shadow}, {0, 4, Highlight}});
}

TEST(OXCoolSliderFlat, ThumbShapesFromTheStyle)
{
    using S = COXCoolSliderCtrl;
    EXPECT_EQ(S::ThumbShapeOf(0), S::kThumbDown);
    EXPECT_EQ(S::ThumbShapeOf(TBS_TOP), S::kThumbUp);
    EXPECT_EQ(S::ThumbShapeOf(TBS_VERT), S::kThumbRight);
    EXPECT_EQ(S::ThumbShapeOf(TBS_VERT | TBS_LEFT), S::kThumbLeft);
    EXPECT_EQ(S::ThumbShapeOf(TBS_BOTH), S::kThumbBox);
    EXPECT_EQ(S::ThumbShapeOf(TBS_VERT | TBS_BOTH | TBS_LEFT), S::kThumbBox);
}

TEST(OXCoolSliderFlat, ThumbsAndChannel)
{
    struct Case {
        const char* name;
        DWORD style;
        CRect thumb, channel;
        std::initializer_list<PixelExpect> pixels;
    };
    const Case cases[] = {
        // Thumb (10, 5, 21, 25): w 11, centre (15, 15); the point at the bottom.
        {"down", 0, CRect(10, 5, 21, 25), CRect(2, 14, 58, 18),
         {{10, 10, Highlight}, {15, 5, Highlight}, {20, 10, Shadow}, {11, 10, Face}, {19, 10, Face},
          {15, 6, Face}, {15, 12, Untouched},
          // The channel around the thumb, sunken; not inside the thumb.
          {30, 14, Shadow}, {30, 17, Highlight}, {30, 15, Face}, {2, 15, Shadow}, {15, 15, Untouched}}},
        {"up", TBS_TOP, CRect(10, 5, 21, 25), CRect(2, 14, 58, 18),
         {{10, 15, Highlight}, {20, 15, Shadow}, {15, 24, Shadow}, {11, 15, Face}, {19, 15, Face},
          {15, 23, Face}, {15, 18, Untouched}}},
        // Thumb (5, 10, 25, 21): h 11, centre (15, 15); the point to the right.
        {"right", TBS_VERT, CRect(5, 10, 25, 21), CRect(2, 14, 58, 18),
         {{10, 10, Highlight}, {5, 15, Highlight}, {10, 20, Shadow}, {10, 11, Face}, {6, 15, Face},
          {12, 15, Untouched},
          // The channel came lying on its side: (14, 2, 18, 58) is drawn.
          {14, 40, Shadow}, {17, 40, Highlight}, {15, 40, Face}, {40, 15, Untouched}}},
        {"left", TBS_VERT | TBS_LEFT, CRect(5, 10, 25, 21), CRect(14, 2, 18, 58),
         {{15, 10, Highlight}, {24, 15, Shadow}, {15, 20, Shadow}, {15, 11, Face}, {12, 15, Untouched},
          // A channel reported standing is drawn where it is.
          {14, 40, Shadow}, {17, 40, Highlight}, {40, 15, Untouched}}},
        {"box", TBS_BOTH, CRect(10, 5, 21, 25), CRect(2, 14, 58, 18),
         {{10, 10, Highlight}, {20, 10, Shadow}, {15, 24, Shadow}, {11, 10, Face}, {15, 12, Untouched}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPixelCanvas canvas(60, 60, kUntouched);
        COXCoolSliderCtrl::DrawFlat(&canvas.dc, c.style, c.thumb, c.channel);
        ExpectPixels(canvas, c.pixels);
    }
}

}  // namespace
