// The frame element of the three skins: the colours a framed window fills
// and frames with, and the 1-pixel border of the XP and 2003 forms, drawn on
// a memory DC and on a real window's frame.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXFrameSkin.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

TEST(FrameSkin, ColoursOfEachForm)
{
    CTestSkinXP xp;
    CTestSkin2003 plain(FALSE), themed(TRUE);
    COXFrameSkinClassic classic;
    const COLORREF face = TestSysColor(COLOR_BTNFACE), shadow = TestSysColor(COLOR_BTNSHADOW);
    struct Case {
        const char* name;
        COXFrameSkin* pSkin;
        COLORREF back, border;
    } cases[] = {
        {"Classic", &classic, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW)},
        {"XP", xp.GetFrameSkin(), face, shadow},
        // Shadow (230,128,20) +38 stops at 255; the dock background is the face.
        {"2003", plain.GetFrameSkin(), face, RGB(255, 166, 58)},
        // Themed: TH halved, and the dock gradient's end colour.
        {"2003 themed", themed.GetFrameSkin(), themed.GetDockGradientEndColor(), RGB(24, 53, 98)},
    };
    for (const Case& c : cases) {
        ASSERT_NE(nullptr, c.pSkin) << c.name;
        EXPECT_EQ(c.back, c.pSkin->GetBackgroundColor()) << c.name;
        EXPECT_EQ(c.border, c.pSkin->GetBorderColor()) << c.name;
    }
}

TEST(FrameSkin, BorderIsOnePixelInTheFrameBorderColourAndTheRectGrowsByIt)
{
    CTestSkinXP xp;
    CTestSkin2003 themed(TRUE);
    for (COXSkinXP* pSkin : {(COXSkinXP*)&xp, (COXSkinXP*)&themed}) {
        COXFrameSkinXP* pFrame = dynamic_cast<COXFrameSkinXP*>(pSkin->GetFrameSkin());
        ASSERT_NE(nullptr, pFrame);
        CPixelCanvas canvas(20, 10, kWhite);
        pFrame->DrawBorderOn(&canvas.dc, CRect(0, 0, 20, 10));
        const COLORREF line = pSkin->GetFrameBorderColor();
        for (POINT pt : {POINT{0, 0}, POINT{19, 0}, POINT{0, 9}, POINT{19, 9}, POINT{10, 0}, POINT{0, 5}})
            EXPECT_EQ(line, canvas.At(pt.x, pt.y)) << pSkin->GetName().GetString() << " " << pt.x << "," << pt.y;
        EXPECT_EQ(kWhite, canvas.At(1, 1));
        EXPECT_EQ(2 * (20 + 10) - 4, canvas.Count(line));

        CRect rect(10, 10, 30, 40);
        pFrame->AdjustBorderRect(rect);
        EXPECT_EQ(CRect(9, 9, 31, 41), rect);
    }
    COXFrameSkinClassic classic;
    CRect rect(10, 10, 30, 40);
    classic.AdjustBorderRect(rect);
    EXPECT_EQ(CRect(10, 10, 30, 40), rect);
}

TEST(FrameSkin, DrawBorderFramesTheWindowItself)
{
    CTestSkinXP xp;
    CWnd wnd;
    ASSERT_TRUE(CreateHostWindow(wnd, "framed", WS_POPUP | WS_VISIBLE, CRect(0, 0, 60, 40)));
    PumpPending();
    xp.GetFrameSkin()->DrawBorder(&wnd);
    CWindowDC dc(&wnd);
    // The window's own DC reads back what was painted on it.
    const COLORREF line = xp.GetFrameBorderColor();
    EXPECT_EQ(line, dc.GetPixel(0, 0));
    EXPECT_EQ(line, dc.GetPixel(59, 39));
    EXPECT_NE(line, dc.GetPixel(30, 20));
    wnd.DestroyWindow();
    // No window, nothing drawn and nothing broken.
    xp.GetFrameSkin()->DrawBorder(NULL);
}

} // namespace
