// The shadow's graded bands, drawn from a cache of known colours and from a
// real white window beneath; and the template spy's matching.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXDocTemplateSpy.h"
#include "OXShdWnd.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

TEST(OXShdWnd, BandsDarkenByTheirSteps)
{
    const int cx = 40, cy = 30;
    CArray<COLORREF, COLORREF> cache;
    for (int i = 0; i < 4 * cy + 4 * (cx - 4); i++)   // more than enough: white beneath
        cache.Add(kWhite);
    CPixelCanvas canvas(cx, cy, kBlue);
    COXShdWnd::DrawShadow(&canvas.dc, CRect(100, 100, 100 + cx, 100 + cy), &cache);
    // The middle of the right edge, outermost column inwards.
    const int mid[4] = {230, 205, 180, 155};
    for (int k = 0; k < 4; k++)
        EXPECT_EQ(canvas.At(cx - 1 - k, 15), RGB(mid[k], mid[k], mid[k])) << k;
    // The top of the right edge stays as it was; its fade starts at row 4.
    EXPECT_EQ(canvas.At(cx - 1, 2), kWhite);
    EXPECT_EQ(canvas.At(cx - 1, 4), RGB(250, 250, 250));
    EXPECT_EQ(canvas.At(cx - 4, 7), RGB(175, 175, 175));
    // The bottom edge: its middle, and the corner belongs to the right edge.
    EXPECT_EQ(canvas.At(20, cy - 1), RGB(230, 230, 230));
    EXPECT_EQ(canvas.At(20, cy - 4), RGB(155, 155, 155));
    EXPECT_EQ(canvas.At(cx - 1, cy - 1), RGB(250, 250, 250));
    // Nothing outside the bands is painted.
    EXPECT_EQ(canvas.At(10, 10), kBlue);
    EXPECT_EQ(canvas.At(cx - 5, 10), kBlue);
}

// A white window on the screen for shadows to fall on, painted before it is read.
class OXShdWndOnWhite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_white.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)),
                                     "beneath", WS_POPUP | WS_VISIBLE, CRect(200, 200, 300, 300), NULL, 0));
        m_white.UpdateWindow();
        ASSERT_TRUE(PumpUntil([] {
            HDC hdc = ::GetDC(NULL);
            const bool bWhite = ::GetPixel(hdc, 210, 210) == kWhite && ::GetPixel(hdc, 290, 290) == kWhite;
            ::ReleaseDC(NULL, hdc);
            return bWhite;
        }, kWaitMs)) << "the white window never showed on the screen";
    }
    void TearDown() override { m_white.DestroyWindow(); }
    CWnd m_white;
};

TEST_F(OXShdWndOnWhite, AShortWindowHasNoMiddleAndTheScreenIsReadBeneath)
{
    CArray<COLORREF, COLORREF> cache;
    CPixelCanvas canvas(30, 10, kBlue);
    COXShdWnd::DrawShadow(&canvas.dc, CRect(210, 210, 240, 220), &cache);
    EXPECT_EQ(canvas.At(29, 4), RGB(250, 250, 250));   // fades only: no 230 row
    for (int y = 0; y < 10; y++)
        EXPECT_NE(canvas.At(29, y), RGB(230, 230, 230)) << y;
    ASSERT_GT(cache.GetSize(), 0);
    EXPECT_EQ(cache[0], kWhite);   // the colours beneath, as read
}

TEST_F(OXShdWndOnWhite, SmallWindowsDarkenEachPixelOnceAndOnlyInside)
{
    // One line of the band per case, read from the screen and then again from
    // the cache that first drawing filled: where the parts overlap the later
    // one decides, never both; the corner stays the right edge's however
    // narrow the window; nothing is drawn outside the rectangle.
    struct Case { int cx, cy; bool bColumn; int nAt; std::vector<int> levels; } cases[] = {
        {30, 10, true, 29, {255, 255, 255, 255, 250, 245, 235, 240, 245, 250}},
        {30, 10, true, 26, {255, 255, 255, 255, 235, 215, 175, 195, 215, 235}},
        {2, 12, true, 1, {255, 255, 255, 255, 250, 245, 240, 235, 235, 240, 245, 250}},
        {2, 12, true, 0, {255, 255, 255, 255, 245, 235, 225, 215, 215, 225, 235, 245}},
        {12, 2, false, 1, {255, 255, 255, 255, 250, 245, 240, 235, 235, 240, 245, 250}},
        {12, 2, false, 0, {255, 255, 255, 255, 245, 235, 225, 215, 215, 225, 235, 245}},
        {3, 3, true, 0, {210, 225, 240}},
        {1, 1, true, 0, {250}},
    };
    for (const Case& c : cases) {
        CArray<COLORREF, COLORREF> cache;
        for (int pass = 0; pass < 2; pass++) {
            CPixelCanvas canvas(c.cx + 2, c.cy + 2, kBlue);
            canvas.dc.SetViewportOrg(1, 1);
            COXShdWnd::DrawShadow(&canvas.dc, CRect(220, 220, 220 + c.cx, 220 + c.cy), &cache);
            canvas.dc.SetViewportOrg(0, 0);
            std::vector<int> levels;
            for (size_t i = 0; i < c.levels.size(); i++) {
                const COLORREF px = c.bColumn ? canvas.At(1 + c.nAt, 1 + (int)i) : canvas.At(1 + (int)i, 1 + c.nAt);
                levels.push_back(GetRValue(px) == GetGValue(px) && GetGValue(px) == GetBValue(px) ? GetRValue(px) : -1);
            }
            EXPECT_EQ(levels, c.levels) << c.cx << " x " << c.cy << (c.bColumn ? " column " : " row ") << c.nAt
                                        << (pass ? " from the cache" : " from the screen");
            int nOutside = 0;   // the ring of one pixel around the rectangle keeps its colour
            for (int x = 0; x < c.cx + 2; x++)
                nOutside += (canvas.At(x, 0) != kBlue) + (canvas.At(x, c.cy + 1) != kBlue);
            for (int y = 1; y <= c.cy; y++)
                nOutside += (canvas.At(0, y) != kBlue) + (canvas.At(c.cx + 1, y) != kBlue);
            EXPECT_EQ(nOutside, 0) << c.cx << " x " << c.cy;
        }
    }
}

class CDocA : public CDocument { DECLARE_DYNCREATE(CDocA) };
IMPLEMENT_DYNCREATE(CDocA, CDocument)

TEST(OXDocTemplateSpy, MatchesByPointerAndByExactName)
{
    CMultiDocTemplate tmpl(0, RUNTIME_CLASS(CDocA), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CView));
    EXPECT_TRUE(COXDocTemplateSpy::MatchRuntimeClasses(&tmpl, NULL, NULL, NULL));
    EXPECT_TRUE(COXDocTemplateSpy::MatchClassNames(&tmpl, NULL, NULL, NULL));
    EXPECT_TRUE(COXDocTemplateSpy::MatchRuntimeClasses(&tmpl, RUNTIME_CLASS(CDocA), NULL, RUNTIME_CLASS(CView)));
    EXPECT_FALSE(COXDocTemplateSpy::MatchRuntimeClasses(&tmpl, RUNTIME_CLASS(CDocument), NULL, NULL));
    EXPECT_TRUE(COXDocTemplateSpy::MatchClassNames(&tmpl, "CDocA", "CMDIChildWnd", "CView"));
    EXPECT_FALSE(COXDocTemplateSpy::MatchClassNames(&tmpl, "cdoca", NULL, NULL));
    EXPECT_FALSE(COXDocTemplateSpy::MatchClassNames(&tmpl, NULL, NULL, "CScrollView"));
}

} // namespace
