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

TEST(OXShdWnd, AShortWindowHasNoMiddleAndTheScreenIsReadBeneath)
{
    // A white window on the screen to cast the shadow on.
    CWnd white;
    ASSERT_TRUE(white.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)),
                               "beneath", WS_POPUP | WS_VISIBLE, CRect(200, 200, 300, 300), NULL, 0));
    white.UpdateWindow();
    PumpMessagesFor(50);
    CArray<COLORREF, COLORREF> cache;
    CPixelCanvas canvas(30, 10, kBlue);
    COXShdWnd::DrawShadow(&canvas.dc, CRect(210, 210, 240, 220), &cache);
    EXPECT_EQ(canvas.At(29, 4), RGB(250, 250, 250));   // fades only: no 230 row
    for (int y = 0; y < 10; y++)
        EXPECT_NE(canvas.At(29, y), RGB(230, 230, 230)) << y;
    ASSERT_GT(cache.GetSize(), 0);
    EXPECT_EQ(cache[0], kWhite);   // the colours beneath, as read
    white.DestroyWindow();
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
