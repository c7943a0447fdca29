// The late-bound visual-styles calls: with the library, a button theme draws
// text given as 8-bit characters; the wrapper lives and dies without harm.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vssym32.h>

#include "OXUxTheme.h"
#include "testdrawing.h"

namespace {

TEST(OXUxTheme, DrawsTheWholeTextOfCountMinusOne)
{
    COXUxTheme theme;
    ASSERT_TRUE(theme.IsLoaded());   // Wine ships the library
    HTHEME hTheme = theme.OpenThemeData(NULL, "button");
    if (hTheme == NULL)
        GTEST_SKIP() << "no visual style is active in this prefix";
    CPixelCanvas canvas(120, 30);
    RECT rc = {0, 0, 120, 30};
    EXPECT_TRUE(theme.DrawThemeText(hTheme, canvas.dc.GetSafeHdc(), BP_PUSHBUTTON, PBS_NORMAL, "\xC4\xEE\xEC house", -1,
                                    DT_LEFT | DT_SINGLELINE, 0, &rc));
    // Something was drawn as far as the last word.
    int dark = 0;
    for (int x = 60; x < 120; x++)
        for (int y = 0; y < 30; y++)
            dark += canvas.At(x, y) != kWhite;
    EXPECT_GT(dark, 0);
}

TEST(OXUxTheme, WithoutAThemeTheCallersFallBack)
{
    COXUxTheme theme;
    CWnd wnd;
    ASSERT_TRUE(CreateHostWindow(wnd, "plain", WS_POPUP, CRect(0, 0, 10, 10)));
    // A plain window class has no theme of its own.
    EXPECT_EQ(theme.GetWindowTheme(wnd.GetSafeHwnd()), nullptr);
    wnd.DestroyWindow();
}

} // namespace
