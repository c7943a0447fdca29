// The dock bar element skins: caption layouts and client rectangles as
// tables, and the drawing of captions, caption buttons, splitters and dock
// backgrounds on memory DCs, in the three forms, with the skins' colours
// given by the test.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <sstream>

#include "Gallery.h"
#include "OXDockbarSkin.h"
#include "OXSizeControlBar.h"
#include "OXSkinnedApp.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"

static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace {

// A sizing bar whose row the test says it can be maximised in.
class CTestSizeBar : public COXSizeControlBar
{
public:
    explicit CTestSizeBar(DWORD dwSizeBarStyle = 0, DWORD dwStyle = CBRS_ALIGN_LEFT)
        : COXSizeControlBar(dwSizeBarStyle)
    {
        m_dwStyle = dwStyle;
    }
    BOOL CanMaximizeInRow() override { return m_bCanMaximize; }
    BOOL m_bCanMaximize = FALSE;
};

// Pixels of clr in the canvas within rect.
int CountIn(const CPixelCanvas& canvas, const CRect& rect, COLORREF clr)
{
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            n += canvas.At(x, y) == clr;
    return n;
}

const DWORD kVert = CBRS_ALIGN_LEFT, kHorz = CBRS_ALIGN_TOP, kFloat = CBRS_ALIGN_TOP | CBRS_FLOATING;

TEST(DockbarSkins, EachSkinMakesItsFormWithItsFontsAndGap)
{
    COXSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 skin2003(TRUE);
    auto* pClassic = dynamic_cast<COXDockbarSkinClassic*>(classic.GetDockbarSkin());
    auto* pXP = dynamic_cast<COXDockbarSkinXP*>(xp.GetDockbarSkin());
    auto* p2003 = dynamic_cast<COXDockbarSkin2003*>(skin2003.GetDockbarSkin());
    ASSERT_TRUE(pClassic != NULL && pXP != NULL && p2003 != NULL);
    EXPECT_TRUE(dynamic_cast<COXDockbarSkin2003*>(pXP) == NULL);
    EXPECT_EQ(2, *pClassic->GetCaptionGap());
    EXPECT_EQ(3, *pXP->GetCaptionGap());
    EXPECT_EQ(3, *p2003->GetCaptionGap());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), pClassic->GetBorderColor());
    EXPECT_EQ(xp.GetFrameBorderColor(), pXP->GetBorderColor());
    EXPECT_EQ(skin2003.GetFrameBorderColor(), p2003->GetBorderColor());

    CClientDC dcScreen(NULL);
    const int nDpi = dcScreen.GetDeviceCaps(LOGPIXELSY);
    struct Case
    {
        CFont* pFont;
        const char* face;
        int nTenths, nWeight;
    } cases[] = {
        {&pClassic->m_fontCaption, "Arial", 100, FW_DONTCARE},
        {&pClassic->m_fontCaptionSmall, "Arial", 80, FW_DONTCARE},
        {&pXP->m_fontCaption, "Tahoma", 85, FW_BOLD},
        {&p2003->m_fontCaption, "Tahoma", 85, FW_BOLD},
    };
    for (const Case& c : cases) {
        LOGFONT lf = {};
        ASSERT_NE(0, c.pFont->GetLogFont(&lf)) << c.face;
        EXPECT_STREQ(c.face, lf.lfFaceName);
        EXPECT_EQ(-::MulDiv(nDpi, c.nTenths, 720), lf.lfHeight) << c.face << " " << c.nTenths;
        EXPECT_EQ(c.nWeight, (int)lf.lfWeight) << c.face << " " << c.nTenths;
    }
}

// ---------------------------------------------------------------------------
// Layouts, without a window
// ---------------------------------------------------------------------------
enum Form { formClassic, formXP, form2003 };

TEST(DockCaptionLayout, CaptionStripAndButtonsInEveryForm)
{
    const CRect kWindow(0, 0, 200, 150);
    struct Case
    {
        const char* name;
        Form form;
        DWORD dwStyle, dwSizeBarStyle;
        CRect window, gripper, close, maximize;
    } cases[] = {
        {"classic vertical", formClassic, kVert, 0, kWindow, {5, 5, 169, 16}, {184, 5, 195, 16}, {171, 5, 182, 16}},
        {"classic horizontal", formClassic, kHorz, 0, kWindow, {5, 31, 16, 145}, {5, 5, 16, 16}, {5, 18, 16, 29}},
        {"classic horizontal, no close", formClassic, kHorz, SZBAR_NOCLOSEBUTTON, kWindow, {5, 18, 16, 145},
         {}, {5, 5, 16, 16}},
        {"classic vertical, no buttons", formClassic, kVert, SZBAR_NOCLOSEBUTTON | SZBAR_NOMAXIMIZEBUTTON, kWindow,
         {5, 5, 195, 16}, {}, {}},
        {"classic, window reaching left and up", formClassic, kVert, 0, {-5, -21, 195, 129}, {0, -16, 164, -5},
         {179, -16, 190, -5}, {166, -16, 177, -5}},
        {"xp vertical", formXP, kVert, 0, kWindow, {5, 5, 167, 16}, {184, 5, 195, 16}, {170, 5, 181, 16}},
        {"xp horizontal", formXP, kHorz, 0, kWindow, {5, 33, 16, 145}, {5, 5, 16, 16}, {5, 19, 16, 30}},
        {"classic floating", formClassic, kFloat, 0, kWindow, {}, {}, {}},
        {"xp without caption", formXP, kVert, SZBAR_NOGRIPPER, kWindow, {}, {}, {}},
        {"2003 vertical", form2003, kVert, 0, kWindow, {2, 0, 198, 24}, {181, 7, 192, 18}, {167, 7, 178, 18}},
        {"2003 horizontal", form2003, kHorz, 0, kWindow, {0, 2, 24, 148}, {7, 9, 18, 20}, {7, 23, 18, 34}},
        {"2003 horizontal, no close", form2003, kHorz, SZBAR_NOCLOSEBUTTON, kWindow, {0, 2, 24, 148}, {},
         {7, 9, 18, 20}},
        {"2003 vertical, no maximize", form2003, kVert, SZBAR_NOMAXIMIZEBUTTON, kWindow, {2, 0, 198, 24},
         {181, 7, 192, 18}, {}},
        {"2003 floating", form2003, kFloat, 0, kWindow, kWindow, {}, {}},
    };
    for (const Case& c : cases) {
        CTestSizeBar bar(c.dwSizeBarStyle, c.dwStyle);
        bar.m_bClientReduced = TRUE;
        bar.m_rectCloseButton.SetRect(1, 1, 2, 2);
        bar.m_rectMaximizeButton.SetRect(1, 1, 2, 2);
        if (c.form == form2003)
            COXDockbarSkin::LayoutWideCaption(&bar, c.window);
        else
            COXDockbarSkin::LayoutBandCaption(&bar, c.window, c.form == formClassic ? 2 : 3);
        EXPECT_EQ(c.gripper, bar.m_rectGripper) << c.name;
        EXPECT_EQ(c.close, bar.m_rectCloseButton) << c.name;
        EXPECT_EQ(c.maximize, bar.m_rectMaximizeButton) << c.name;
        EXPECT_FALSE(bar.m_bClientReduced) << c.name;
    }
}

// A bar docked along the top as short as a size tool bar keeps both its
// stacked buttons whole inside its edge; shorter still, it gives up the
// maximize button before either is cut.
TEST(DockCaptionLayout, StackedButtonsStayInsideAShortBarsEdge)
{
    for (Form form : {formClassic, formXP, form2003}) {
        for (int cy = 15; cy <= 44; ++cy) {
            for (DWORD dwSizeBarStyle : {0UL, (DWORD)SZBAR_NOCLOSEBUTTON}) {
                SCOPED_TRACE(::testing::Message() << "form " << form << ", height " << cy << ", style "
                                                  << dwSizeBarStyle);
                CTestSizeBar bar(dwSizeBarStyle, kHorz);
                const CRect window(0, 0, 300, cy);
                if (form == form2003)
                    COXDockbarSkin::LayoutWideCaption(&bar, window);
                else
                    COXDockbarSkin::LayoutBandCaption(&bar, window, form == formClassic ? 2 : 3);
                CRect inside(window);
                inside.DeflateRect(2, 2);
                for (const CRect& button : {bar.m_rectCloseButton, bar.m_rectMaximizeButton}) {
                    if (button.IsRectEmpty())
                        continue;
                    CRect common;
                    common.IntersectRect(&button, &inside);
                    EXPECT_EQ(button, common) << "a button cut by the edge";
                }
                const BOOL bTwo = dwSizeBarStyle == 0;
                CRect overlap;
                if (bTwo)
                    EXPECT_FALSE(overlap.IntersectRect(&bar.m_rectCloseButton, &bar.m_rectMaximizeButton));
                EXPECT_FALSE(bar.m_rectMaximizeButton.IsRectEmpty() && (!bTwo || cy >= 28))
                    << "the maximize button left out of a bar tall enough for it";
                EXPECT_LE(bar.m_rectGripper.top, bar.m_rectGripper.bottom);
            }
        }
    }
}

TEST(DockClientRect, DeflatedAndLessTheCaptionBandNeverInsideOut)
{
    COXDockbarSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 skin2003(FALSE);
    COXDockbarSkin* forms[] = {&classic, xp.GetDockbarSkin(), skin2003.GetDockbarSkin()};
    struct Case
    {
        const char* name;
        Form form;
        DWORD dwStyle, dwSizeBarStyle;
        CRect window, client;
        BOOL bReduced;
    } cases[] = {
        {"classic vertical", formClassic, kVert, 0, {0, 0, 200, 150}, {5, 21, 195, 145}, TRUE},
        {"xp horizontal", formXP, kHorz, 0, {0, 0, 200, 150}, {21, 5, 195, 145}, TRUE},
        {"2003 vertical", form2003, kVert, 0, {0, 0, 200, 150}, {5, 29, 195, 145}, TRUE},
        {"2003 horizontal", form2003, kHorz, 0, {10, 10, 210, 160}, {39, 15, 205, 155}, TRUE},
        {"classic floating", formClassic, kFloat, 0, {0, 0, 200, 150}, {5, 5, 195, 145}, FALSE},
        {"2003 floating", form2003, kFloat, 0, {0, 0, 200, 150}, {5, 5, 195, 145}, FALSE},
        {"xp without caption", formXP, kHorz, SZBAR_NOGRIPPER, {0, 0, 200, 150}, {5, 5, 195, 145}, FALSE},
        {"classic horizontal narrower than the band", formClassic, kHorz, 0, {0, 0, 20, 150}, {15, 5, 15, 145},
         TRUE},
        {"2003 horizontal narrower than the band", form2003, kHorz, 0, {0, 0, 30, 150}, {25, 5, 25, 145}, TRUE},
        {"2003 vertical lower than the band", form2003, kVert, 0, {0, 0, 100, 20}, {5, 15, 95, 15}, TRUE},
        {"floating, smaller than the borders", formXP, kFloat, 0, {0, 0, 6, 8}, {3, 4, 3, 4}, FALSE},
    };
    for (const Case& c : cases) {
        CTestSizeBar bar(c.dwSizeBarStyle, c.dwStyle);
        RECT rect = c.window;
        forms[c.form]->CalcClientRect(rect, &bar);
        EXPECT_EQ(c.client, CRect(rect)) << c.name;
        EXPECT_EQ(c.bReduced, bar.m_bClientReduced) << c.name;
    }
}

TEST(DockCaptionButtons, ClassicStateFlags)
{
    struct Case
    {
        int nPressed;
        BOOL bMaximized, bCanMaximize;
        UINT nClose, nMaximize;
    } cases[] = {
        {-1, FALSE, TRUE, DFCS_CAPTIONCLOSE, DFCS_CAPTIONMAX},
        {-3, FALSE, TRUE, DFCS_CAPTIONCLOSE | DFCS_PUSHED, DFCS_CAPTIONMAX},
        {-2, FALSE, TRUE, DFCS_CAPTIONCLOSE, DFCS_CAPTIONMAX | DFCS_PUSHED},
        {-1, TRUE, TRUE, DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN},
        {-1, FALSE, FALSE, DFCS_CAPTIONCLOSE, DFCS_CAPTIONMAX | DFCS_INACTIVE},
        {-2, TRUE, FALSE, DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN | DFCS_INACTIVE | DFCS_PUSHED},
    };
    for (const Case& c : cases) {
        CTestSizeBar bar;
        bar.m_nPressedButton = c.nPressed;
        bar.m_bMaximizedInRow = c.bMaximized;
        bar.m_bCanMaximize = c.bCanMaximize;
        EXPECT_EQ(c.nClose, COXDockbarSkin::CloseButtonState(&bar)) << c.nPressed;
        EXPECT_EQ(c.nMaximize, COXDockbarSkin::MaximizeButtonState(&bar))
            << c.nPressed << " " << c.bMaximized << " " << c.bCanMaximize;
    }
}

TEST(DockCaptionButtons, FlatFormsFrameTheMaximizeButtonThatCannotAct)
{
    CTestSkinXP xp;
    CTestSkin2003 skin2003(TRUE);
    auto* pXP = static_cast<COXDockbarSkinXP*>(xp.GetDockbarSkin());
    auto* p2003 = static_cast<COXDockbarSkinXP*>(skin2003.GetDockbarSkin());
    const COLORREF clrFace = TestSysColor(COLOR_BTNFACE), clrInactive = TestSysColor(COLOR_INACTIVECAPTION);
    struct Case
    {
        COXDockbarSkinXP* pForm;
        DWORD dwSizeBarStyle;
        BOOL bMaximize, bMaximized, bCanMaximize;
        UINT nState;
        BOOL bFrame, bHighlight;
        COLORREF clrBack;
    } cases[] = {
        {pXP, 0, FALSE, FALSE, FALSE, DFCS_CAPTIONCLOSE, FALSE, FALSE, clrFace},
        {pXP, SZBAR_SOLIDCAPTION, FALSE, FALSE, FALSE, DFCS_CAPTIONCLOSE, FALSE, TRUE, clrInactive},
        {pXP, 0, TRUE, FALSE, TRUE, DFCS_CAPTIONMAX, FALSE, FALSE, clrFace},
        {pXP, 0, TRUE, TRUE, FALSE, DFCS_CAPTIONMIN, TRUE, FALSE, clrFace},
        {pXP, SZBAR_SOLIDCAPTION, TRUE, FALSE, FALSE, DFCS_CAPTIONMAX, TRUE, TRUE, clrInactive},
        {p2003, SZBAR_SOLIDCAPTION, FALSE, FALSE, FALSE, DFCS_CAPTIONCLOSE, FALSE, FALSE, clrFace},
        {p2003, SZBAR_SOLIDCAPTION, TRUE, TRUE, FALSE, DFCS_CAPTIONMIN, TRUE, FALSE, clrFace},
    };
    for (const Case& c : cases) {
        CTestSizeBar bar(c.dwSizeBarStyle);
        bar.m_bMaximizedInRow = c.bMaximized;
        bar.m_bCanMaximize = c.bCanMaximize;
        COXDockbarSkinXP::ButtonLook look = c.pForm->GetButtonLook(&bar, c.bMaximize);
        const int row = int(&c - cases);
        EXPECT_EQ(c.nState, look.nState) << row;
        EXPECT_EQ(c.bFrame, look.bFrame) << row;
        EXPECT_EQ(c.bHighlight, look.bHighlightFrame) << row;
        EXPECT_EQ(c.clrBack, look.clrBack) << row;
    }
}

// ---------------------------------------------------------------------------
// Drawing, on memory DCs, for bars that are real windows
// ---------------------------------------------------------------------------
class DockbarDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "dock host", WS_POPUP | WS_VISIBLE, CRect(40, 40, 1000, 500)));
        // The caption buttons of the flat forms light up under the cursor:
        // keep it away from them.
        ::GetCursorPos(&m_ptSaved);
        ::SetCursorPos(1200, 1000);
    }
    void TearDown() override
    {
        ::SetCursorPos(m_ptSaved.x, m_ptSaved.y);
        m_host.DestroyWindow();
    }

    void MakeBar(CTestSizeBar& bar, LPCTSTR lpszText, const CRect& rect)
    {
        ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), lpszText, WS_CHILD | WS_VISIBLE, rect, &m_host, 1));
    }

    // The smallest rectangle holding every pixel of clr.
    static CRect BoundsOf(const CPixelCanvas& canvas, int cx, int cy, COLORREF clr)
    {
        CRect bounds(cx, cy, 0, 0);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                if (canvas.At(x, y) == clr)
                    bounds.SetRect(std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                                   std::max<LONG>(bounds.right, x + 1), std::max<LONG>(bounds.bottom, y + 1));
        return bounds;
    }

    CWnd m_host;
    POINT m_ptSaved = {};
};

TEST_F(DockbarDrawing, ClassicGripLinesFillTheBandOrFollowTheText)
{
    COXDockbarSkinClassic skin;
    const COLORREF clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT), clrDark = ::GetSysColor(COLOR_BTNSHADOW);

    // No text: two raised lines over the whole band (7,7)-(167,14).
    CTestSizeBar bare(SZBAR_NOCAPTIONTEXT);
    MakeBar(bare, "Keywords", CRect(0, 0, 200, 150));
    skin.LayoutCaption(&bare);
    CPixelCanvas canvas(200, 150, kMagenta);
    skin.DrawCaption(&canvas.dc, &bare);
    EXPECT_EQ(clrLight, canvas.At(7, 7));
    EXPECT_EQ(clrDark, canvas.At(166, 9));
    EXPECT_EQ(kMagenta, canvas.At(100, 10));
    EXPECT_EQ(clrLight, canvas.At(7, 11));
    EXPECT_EQ(clrDark, canvas.At(100, 13));
    EXPECT_EQ(kMagenta, canvas.At(167, 7));

    // With text: the lines start 3 pixels after it, when 6 pixels are left
    // for them; with 5 left only the text shows.
    CClientDC dcScreen(NULL);
    CFont* pOld = dcScreen.SelectObject(&skin.m_fontCaption);
    const int cxText = dcScreen.GetTextExtent(CString("Keywords")).cx;
    dcScreen.SelectObject(pOld);
    for (int nLeft : {6, 5}) {
        // The band is 40 pixels shorter than the bar: borders, buttons, gaps.
        const int cxBar = 40 + 6 + cxText + 3 + nLeft;
        CTestSizeBar bar;
        MakeBar(bar, "Keywords", CRect(0, 200, cxBar, 300));
        bar.m_bActive = TRUE;
        skin.LayoutCaption(&bar);
        CPixelCanvas text(cxBar, 100, kMagenta);
        skin.DrawCaption(&text.dc, &bar);
        EXPECT_GT(text.Count(::GetSysColor(COLOR_ACTIVECAPTION)), 0) << nLeft;
        if (nLeft == 6) {
            EXPECT_EQ(clrLight, text.At(7 + 6 + cxText + 3, 7));
            EXPECT_EQ(kMagenta, text.At(7 + 6 + cxText + 2, 7));
            EXPECT_EQ(clrDark, text.At(7 + 6 + cxText + 3 + 5, 13));
        } else {
            EXPECT_EQ(0, text.Count(clrLight)) << "lines in a caption too short for them";
        }
        bar.DestroyWindow();
    }
    bare.DestroyWindow();
}

TEST_F(DockbarDrawing, ClassicHorizontalBarTurnsItsTextAndGripsAboveIt)
{
    COXDockbarSkinClassic skin;
    CTestSizeBar bar(0, kHorz);
    MakeBar(bar, "Keyword list", CRect(0, 0, 120, 300));
    bar.m_bActive = TRUE;
    skin.LayoutCaption(&bar);
    // The bar keeps borders of its own: the strip is placed in its client
    // coordinates, drawn in window ones.
    ASSERT_EQ(CRect(5, 31, 16, 295), COXDockbarSkin::ToWindow(&bar, bar.m_rectGripper));
    CPixelCanvas canvas(120, 300, kMagenta);
    skin.DrawCaption(&canvas.dc, &bar);
    // The text reads upward from 6 pixels above the band's foot: taller than
    // wide, inside the band.
    CRect text = BoundsOf(canvas, 120, 300, ::GetSysColor(COLOR_ACTIVECAPTION));
    ASSERT_FALSE(text.IsRectEmpty());
    EXPECT_GT(text.Height(), 2 * text.Width()) << "the text is not turned";
    EXPECT_LE(text.bottom, 293 - 6);
    EXPECT_GE(text.left, 2);
    EXPECT_LE(text.right, 18);
    // Two raised columns from the top of the band down to 3 pixels above
    // the text.
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.At(7, 40));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.At(9, 40));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.At(11, 40));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.At(13, 40));
    EXPECT_EQ(kMagenta, canvas.At(10, 40));
    CRect grip = BoundsOf(canvas, 120, 300, ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(33, grip.top);
    EXPECT_LT(grip.bottom, text.top);
    bar.DestroyWindow();
}

TEST_F(DockbarDrawing, ClassicSolidCaptionTakesTheCaptionColours)
{
    COXDockbarSkinClassic skin;
    for (BOOL bActive : {TRUE, FALSE}) {
        CTestSizeBar bar(SZBAR_SOLIDCAPTION);
        MakeBar(bar, "Basket", CRect(0, 0, 200, 150));
        bar.m_bActive = bActive;
        skin.LayoutCaption(&bar);
        CPixelCanvas canvas(200, 150, kMagenta);
        skin.DrawCaption(&canvas.dc, &bar);
        const COLORREF clrFill = ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        EXPECT_EQ(clrFill, canvas.At(5, 5)) << bActive;
        EXPECT_EQ(clrFill, canvas.At(168, 15)) << bActive;
        EXPECT_EQ(kMagenta, canvas.At(169, 10)) << bActive;
        EXPECT_GT(canvas.Count(::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT)), 0)
            << bActive;
        EXPECT_EQ(0, canvas.Count(::GetSysColor(COLOR_BTNHIGHLIGHT))) << "no grip on a solid caption";
        bar.DestroyWindow();
    }
}

TEST_F(DockbarDrawing, XPGripsInFourLinesAndFillsASolidCaptionUnderItsButtons)
{
    CTestSkinXP xp;
    COXDockbarSkin* pSkin = xp.GetDockbarSkin();
    const COLORREF clrGrip = xp.GetGripperColor();

    CTestSizeBar bare(SZBAR_NOCAPTIONTEXT);
    MakeBar(bare, "Keywords", CRect(0, 0, 200, 150));
    pSkin->LayoutCaption(&bare);
    CPixelCanvas canvas(200, 150, kBlack);
    pSkin->DrawCaption(&canvas.dc, &bare);
    // The strip (5,5)-(167,16), grown by 3 and less 4 and 2: (6,4)-(166,17).
    EXPECT_EQ(4 * 160, canvas.Count(clrGrip));
    for (int y : {7, 9, 11, 13})
        EXPECT_EQ(160, CountIn(canvas, CRect(6, y, 166, y + 1), clrGrip)) << y;

    CTestSizeBar solid(SZBAR_SOLIDCAPTION | SZBAR_NOCAPTIONTEXT);
    MakeBar(solid, "Keywords", CRect(0, 200, 200, 350));
    pSkin->LayoutCaption(&solid);
    CPixelCanvas filled(200, 150, kBlack);
    pSkin->DrawCaption(&filled.dc, &solid);
    const COLORREF clrFill = TestSysColor(COLOR_INACTIVECAPTION);
    EXPECT_EQ(clrFill, filled.At(4, 4));
    EXPECT_EQ(kBlack, filled.At(3, 10));
    EXPECT_EQ(kBlack, filled.At(10, 3));
    EXPECT_EQ(clrFill, filled.At(190, 10)) << "the fill reaches under the close button";
    EXPECT_EQ(clrFill, filled.At(193, 17));
    EXPECT_EQ(kBlack, filled.At(194, 10));
    EXPECT_EQ(kBlack, filled.At(100, 18));
    EXPECT_EQ(0, filled.Count(clrGrip));
    bare.DestroyWindow();
    solid.DestroyWindow();
}

TEST_F(DockbarDrawing, Office2003CaptionGradientDockStripAndDots)
{
    CTestSkin2003 skin(TRUE);
    COXDockbarSkin* pSkin = skin.GetDockbarSkin();
    for (int yBar : {0, 30}) {
        CTestSizeBar bar(SZBAR_NOCAPTIONTEXT);
        MakeBar(bar, "Keywords", CRect(0, yBar, 200, yBar + 150));
        pSkin->LayoutCaption(&bar);
        CPixelCanvas canvas(200, 150, kBlack);
        pSkin->DrawCaption(&canvas.dc, &bar);
        // Top to bottom across the strip (2,0)-(198,24); a bar below
        // another parts from it by 2 rows of the dock colour.
        if (yBar == 0) {
            EXPECT_EQ(skin.GetCaptionGradientStartColor(), canvas.At(100, 0));
        } else {
            EXPECT_EQ(skin.GetDockbarBackgroundColor(), canvas.At(100, 0));
            EXPECT_EQ(skin.GetDockbarBackgroundColor(), canvas.At(100, 1));
            EXPECT_NE(skin.GetDockbarBackgroundColor(), canvas.At(100, 2));
        }
        EXPECT_EQ(kBlack, canvas.At(1, 10));
        // Dots down the left, in (5,6)-(7,18): every 4 pixels, each with its
        // light dot 1 pixel right and down.
        const COLORREF clrDot = skin.GetGripperColor();
        for (int y : {6, 10, 14}) {
            EXPECT_EQ(clrDot, canvas.At(5, y)) << y;
            EXPECT_EQ(clrDot, canvas.At(6, y + 1)) << y;
            EXPECT_EQ(kWhite, canvas.At(7, y + 2)) << y;
        }
        EXPECT_EQ(3 * 4, canvas.Count(clrDot));
        bar.DestroyWindow();
    }
}

// A bar docked along the top or the bottom has its dots across the foot of
// its caption strip, under its buttons. A bar too short to hold them below
// the buttons shows none: a dot beside a button reads as a stray mark.
TEST_F(DockbarDrawing, Office2003DotsStopBeforeTheCaptionButtons)
{
    CTestSkin2003 skin(TRUE);
    COXDockbarSkin* pSkin = skin.GetDockbarSkin();
    const COLORREF clrDot = skin.GetGripperColor();
    for (int cy = 20; cy <= 80; ++cy) {
        SCOPED_TRACE(::testing::Message() << "height " << cy);
        CTestSizeBar bar(SZBAR_NOCAPTIONTEXT, kHorz);
        MakeBar(bar, "Filters", CRect(0, 0, 300, cy));
        pSkin->LayoutCaption(&bar);
        CPixelCanvas canvas(300, cy, kBlack);
        pSkin->DrawCaption(&canvas.dc, &bar);
        // The buttons as drawn: a pixel more above and left, two more below
        // and right.
        int nButtonsEnd = 0;
        for (const CRect& button : {bar.m_rectCloseButton, bar.m_rectMaximizeButton})
            if (!button.IsRectEmpty())
                nButtonsEnd = std::max<int>(nButtonsEnd, COXDockbarSkin::ToWindow(&bar, button).bottom + 2);
        ASSERT_GT(nButtonsEnd, 0);
        const CRect rectBeside(0, 0, 30, nButtonsEnd);
        EXPECT_EQ(0, CountIn(canvas, rectBeside, clrDot)) << "dots beside the buttons";
        EXPECT_EQ(0, CountIn(canvas, rectBeside, kWhite)) << "dots' light beside the buttons";
        if (cy - nButtonsEnd >= 10)
            EXPECT_GT(canvas.Count(clrDot), 0) << "no dots on a bar with room for them below its buttons";
        bar.DestroyWindow();
    }
}

// The room a skin says a caption gives its title is the room it draws the
// title in: in a bar just long enough by that measure the whole title is
// drawn, as in a long bar, and within the room; in every form, along the
// top (turned) and at a side.
TEST_F(DockbarDrawing, CaptionTextRectIsWhereTheWholeTitleIsDrawn)
{
    COXDockbarSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 skin2003(TRUE);
    const struct {
        const char* name;
        COXDockbarSkin* pSkin;
        COLORREF clrText;
    } forms[] = {
        {"Classic", &classic, ::GetSysColor(COLOR_ACTIVECAPTION)},
        {"Office XP", xp.GetDockbarSkin(), TestSysColor(COLOR_WINDOWTEXT)},
        {"Office 2003", skin2003.GetDockbarSkin(), TestSysColor(COLOR_WINDOWTEXT)},
    };
    const CString strTitle = "Harvest log";
    for (const auto& form : forms) {
        for (DWORD dwAlign : {kVert, kHorz}) {
            SCOPED_TRACE(::testing::Message() << form.name << (dwAlign == kHorz ? ", along the top" : ", at a side"));
            const BOOL bHorz = dwAlign == kHorz;
            // The bar's length across its caption strip: the long one first.
            int nInkLong = 0;
            for (int nLength : {400, 0}) {
                CTestSizeBar bar(0, dwAlign);
                auto barRect = [&](int n) { return bHorz ? CRect(0, 0, 120, n) : CRect(0, 0, n, 150); };
                MakeBar(bar, strTitle, barRect(400));
                CClientDC dcScreen(NULL);
                CFont* pOld = dcScreen.SelectObject(form.pSkin->GetCaptionFont(&bar));
                const int cxTitle = dcScreen.GetTextExtent(strTitle).cx;
                dcScreen.SelectObject(pOld);
                auto room = [&] {
                    const CRect rect = form.pSkin->GetCaptionTextRect(&bar);
                    return bHorz ? rect.Height() : rect.Width();
                };
                if (nLength == 0) {
                    // The shortest bar whose room holds the title.
                    for (nLength = cxTitle; nLength < 400; ++nLength) {
                        bar.SetWindowPos(NULL, 0, 0, barRect(nLength).Width(), barRect(nLength).Height(),
                                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
                        form.pSkin->LayoutCaption(&bar);
                        if (room() >= cxTitle)
                            break;
                    }
                }
                bar.MoveWindow(barRect(nLength));
                bar.m_bActive = TRUE;
                form.pSkin->LayoutCaption(&bar);
                ASSERT_GE(room(), cxTitle) << nLength;
                const CRect rectRoom = form.pSkin->GetCaptionTextRect(&bar);
                const CRect rectBar = barRect(nLength);
                CPixelCanvas canvas(rectBar.Width(), rectBar.Height(), kMagenta);
                form.pSkin->DrawCaption(&canvas.dc, &bar);
                const CRect ink = BoundsOf(canvas, rectBar.Width(), rectBar.Height(), form.clrText);
                ASSERT_FALSE(ink.IsRectEmpty()) << "no title drawn, bar " << nLength;
                // Along the band (across it, a turned title may stand out of
                // a narrow strip).
                auto text = [](const CRect& r) {
                    std::ostringstream os;
                    PrintTo(r, &os);
                    return os.str();
                };
                EXPECT_TRUE(bHorz ? ink.top >= rectRoom.top && ink.bottom <= rectRoom.bottom
                                  : ink.left >= rectRoom.left && ink.right <= rectRoom.right)
                    << "the title drawn in " << text(ink) << ", outside its room " << text(rectRoom) << ", bar "
                    << nLength;
                const int nInk = bHorz ? ink.Height() : ink.Width();
                if (nInkLong == 0)
                    nInkLong = nInk;
                else
                    EXPECT_EQ(nInkLong, nInk) << "the title cut in a bar of " << nLength;
                bar.DestroyWindow();
            }
        }
    }
}

TEST_F(DockbarDrawing, ClassicButtonsAreTheSystemCaptionButtons)
{
    COXDockbarSkinClassic skin;
    CTestSizeBar bar;
    MakeBar(bar, "Keywords", CRect(0, 0, 200, 150));
    skin.LayoutCaption(&bar);
    bar.m_nPressedButton = -3;
    CPixelCanvas canvas(200, 150, kMagenta), expected(200, 150, kMagenta);
    skin.DrawCloseButton(&canvas.dc, &bar);
    skin.DrawMaximizeButton(&canvas.dc, &bar);
    CRect rectClose(184, 5, 195, 16), rectMaximize(171, 5, 182, 16);
    expected.dc.DrawFrameControl(&rectClose, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED);
    expected.dc.DrawFrameControl(&rectMaximize, DFC_CAPTION, DFCS_CAPTIONMAX | DFCS_INACTIVE);
    int nDiffer = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 160; x < 200; ++x)
            nDiffer += canvas.At(x, y) != expected.At(x, y);
    EXPECT_EQ(0, nDiffer);
    EXPECT_EQ(200 * 150 - 2 * 11 * 11, canvas.Count(kMagenta));

    // Hidden, or floating: nothing.
    for (DWORD dwHide : {(DWORD)SZBAR_NOCLOSEBUTTON | SZBAR_NOMAXIMIZEBUTTON, (DWORD)0}) {
        CTestSizeBar other(0);
        MakeBar(other, "Keywords", CRect(0, 200, 200, 350));
        skin.LayoutCaption(&other);
        other.m_dwSizeBarStyle |= dwHide;
        if (dwHide == 0)
            other.m_dwStyle |= CBRS_FLOATING;
        CPixelCanvas none(200, 150, kMagenta);
        skin.DrawCloseButton(&none.dc, &other);
        skin.DrawMaximizeButton(&none.dc, &other);
        EXPECT_EQ(200 * 150, none.Count(kMagenta)) << dwHide;
        other.DestroyWindow();
    }
    bar.DestroyWindow();
}

TEST_F(DockbarDrawing, FlatButtonsOnTheFaceOrOnTheCaptionGradient)
{
    CTestSkinXP xp;
    CTestSkin2003 skin2003(TRUE);
    CTestSizeBar bar;
    MakeBar(bar, "Keywords", CRect(0, 0, 200, 150));

    // XP: the close button (184,5)-(195,16), grown to (183,4)-(197,18), on
    // the face; the glyph in black.
    xp.GetDockbarSkin()->LayoutCaption(&bar);
    CPixelCanvas canvas(200, 150, kMagenta);
    xp.GetDockbarSkin()->DrawCloseButton(&canvas.dc, &bar);
    EXPECT_EQ(TestSysColor(COLOR_BTNFACE), canvas.At(183, 4));
    EXPECT_EQ(TestSysColor(COLOR_BTNFACE), canvas.At(196, 17));
    EXPECT_EQ(kMagenta, canvas.At(182, 4));
    EXPECT_GT(CountIn(canvas, CRect(183, 4, 197, 18), kBlack), 4);

    // 2003: the button shows the part of the caption gradient it covers.
    COXDockbarSkin* p2003 = skin2003.GetDockbarSkin();
    p2003->LayoutCaption(&bar);
    CPixelCanvas button(200, 150, kMagenta), caption(200, 150, kMagenta);
    p2003->DrawCloseButton(&button.dc, &bar);
    p2003->DrawMaximizeButton(&button.dc, &bar);
    skin2003.GradientFill(&caption.dc, COXDockbarSkin::ToWindow(&bar, bar.m_rectGripper),
                          skin2003.GetCaptionGradientStartColor(),
                          skin2003.GetCaptionGradientEndColor(), TRUE);
    for (CPoint pt : {CPoint(180, 6), CPoint(180, 19), CPoint(193, 12), CPoint(166, 6), CPoint(179, 19)})
        EXPECT_EQ(caption.At(pt.x, pt.y), button.At(pt.x, pt.y)) << pt.x << "," << pt.y;
    // The maximize button that cannot act is framed: its glyph in the frame
    // colour, none in black.
    EXPECT_EQ(0, CountIn(button, CRect(166, 6, 180, 20), kBlack));
    EXPECT_GT(CountIn(button, CRect(180, 6, 194, 20), kBlack), 4);
    bar.DestroyWindow();
}

// A button the bar holds pressed looks pressed in the flat forms as in
// Classic, with the mouse neither captured nor over it (a press the program
// shows, a repaint that comes from elsewhere); released, it is plain again.
TEST_F(DockbarDrawing, FlatButtonsTheBarHoldsPressedLookPressed)
{
    CTestSkinXP xp;
    CTestSkin2003 skin2003(TRUE);
    ASSERT_EQ(NULL, ::GetCapture());
    CTestSizeBar bar;
    bar.m_bCanMaximize = TRUE;
    MakeBar(bar, "Keywords", CRect(0, 0, 200, 150));
    const struct { const char* name; COXSkinXP* pSkin; } forms[] = {{"XP", &xp}, {"2003", &skin2003}};
    for (const auto& form : forms) {
        COXDockbarSkin* pForm = form.pSkin->GetDockbarSkin();
        pForm->LayoutCaption(&bar);
        for (BOOL bMaximize : {FALSE, TRUE}) {
            CRect rect = COXDockbarSkin::ToWindow(&bar, bMaximize ? bar.m_rectMaximizeButton : bar.m_rectCloseButton);
            rect.InflateRect(1, 1, 2, 2);
            for (int nPressed : {-3, -2, -1}) {
                bar.m_nPressedButton = nPressed;
                CPixelCanvas canvas(200, 150, kMagenta);
                if (bMaximize)
                    pForm->DrawMaximizeButton(&canvas.dc, &bar);
                else
                    pForm->DrawCloseButton(&canvas.dc, &bar);
                const bool bPressed = nPressed == (bMaximize ? -2 : -3);
                const COLORREF clrInside = canvas.At(rect.left + 1, rect.top + 1);
                EXPECT_EQ(bPressed, clrInside == form.pSkin->GetPressedItemColor())
                    << form.name << (bMaximize ? " maximize" : " close") << ", pressed " << nPressed;
                EXPECT_EQ(bPressed, canvas.At(rect.left, rect.top) == form.pSkin->GetHotItemBorderColor())
                    << form.name << (bMaximize ? " maximize" : " close") << ", pressed " << nPressed;
            }
        }
    }
    bar.DestroyWindow();
}

// On a solid caption the maximize button that cannot act shows its glyph in
// the caption's text colour, whole: every pixel of the button is either the
// caption colour or the text colour, so that it reads on a dark caption.
TEST_F(DockbarDrawing, XPMaximizeThatCannotActOnASolidCaptionTakesTheCaptionText)
{
    CTestSkinXP xp;
    CTestSizeBar bar(SZBAR_SOLIDCAPTION);
    MakeBar(bar, "Report", CRect(0, 0, 200, 150));
    COXDockbarSkin* pForm = xp.GetDockbarSkin();
    pForm->LayoutCaption(&bar);
    CPixelCanvas canvas(200, 150, kMagenta);
    pForm->DrawMaximizeButton(&canvas.dc, &bar);
    const CRect rect = COXDockbarSkin::ToWindow(&bar, bar.m_rectMaximizeButton);
    const COLORREF clrCaption = TestSysColor(COLOR_INACTIVECAPTION), clrText = TestSysColor(COLOR_CAPTIONTEXT);
    ASSERT_NE(clrCaption, clrText);
    EXPECT_GT(CountIn(canvas, rect, clrText), 4) << "the glyph in the caption text colour";
    EXPECT_EQ(rect.Width() * rect.Height(), CountIn(canvas, rect, clrText) + CountIn(canvas, rect, clrCaption))
        << "no pixel of the glyph in another colour";
    bar.DestroyWindow();
}

// A window known by the menu bar's run-time name, as the skins know it.
class CMenuBarStandIn : public CWnd
{
public:
    CRuntimeClass* GetRuntimeClass() const override
    {
        static CRuntimeClass rc = {"COXMenuBar", sizeof(CMenuBarStandIn), 0xFFFF, NULL, RUNTIME_CLASS(CWnd), NULL};
        return &rc;
    }
};

TEST_F(DockbarDrawing, Office2003ButtonInAMenuBarShowsTheDockGradient)
{
    CTestSkin2003 skin(TRUE);
    CMenuBarStandIn menuBar;
    ASSERT_TRUE(menuBar.CreateEx(0, AfxRegisterWndClass(0), "menu", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 24),
                                 &m_host, 3));
    // The menu bar's background band starts 2 pixels left of its frame's
    // edge, here its left edge: at -2 in its client coordinates.
    const int cxBand = std::max(::GetSystemMetrics(SM_CXSCREEN), 960);
    CPixelCanvas button(400, 24, kMagenta), band(400, 24, kMagenta);
    const CRect rect(300, 4, 316, 18);
    skin.DrawFrameButton(&button.dc, rect, DFCS_CAPTIONCLOSE, FALSE, FALSE, TestSysColor(COLOR_BTNFACE), &menuBar);
    skin.FillDockGradient(&band.dc, CRect(0, 0, 400, 24), -2, cxBand);
    int nDiffer = 0;
    for (int y : {rect.top, rect.top + 1})
        for (int x = rect.left; x < rect.right; ++x)
            nDiffer += button.At(x, y) != band.At(x, y);
    EXPECT_EQ(0, nDiffer);
    EXPECT_EQ(kMagenta, button.At(rect.left - 1, rect.top));
    // Any other window gets the plain back.
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), "plain", WS_CHILD | WS_VISIBLE, CRect(0, 30, 400, 54),
                               &m_host, 4));
    skin.DrawFrameButton(&button.dc, rect, DFCS_CAPTIONCLOSE, FALSE, FALSE, kGreen, &plain);
    EXPECT_EQ(kGreen, button.At(rect.left, rect.top));
    plain.DestroyWindow();
    menuBar.DestroyWindow();
}

TEST(DockSplitters, BandsInEveryForm)
{
    COXDockbarSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 plain(FALSE), themed(TRUE);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE), clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrFrame = ::GetSysColor(COLOR_WINDOWFRAME), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const SPLITTERINFO vert = {{10, 0, 16, 40}, SPLITTERINFO::vertical};
    const SPLITTERINFO horz = {{0, 10, 40, 16}, SPLITTERINFO::horizontal};

    // Classic: face and light on the near side, frame and shadow on the far.
    struct Case
    {
        const SPLITTERINFO* pSplitter;
        COLORREF colours[6];   // at offsets 0..5 across the band
    } classicCases[] = {
        {&vert, {kMagenta, clrFace, clrLight, kMagenta, clrShadow, clrFrame}},
        {&horz, {kMagenta, clrFace, clrLight, kMagenta, clrShadow, clrFrame}},
    };
    for (const Case& c : classicCases) {
        CPixelCanvas canvas(40, 40, kMagenta);
        classic.DrawSplitter(&canvas.dc, *c.pSplitter, NULL);
        const BOOL bVert = c.pSplitter->nKind == SPLITTERINFO::vertical;
        for (int i = 0; i < 6; ++i) {
            for (int along : {0, 39}) {
                COLORREF clr = bVert ? canvas.At(10 + i, along) : canvas.At(along, 10 + i);
                EXPECT_EQ(c.colours[i], clr) << bVert << " " << i << " " << along;
            }
        }
    }

    // The flat forms: the band filled, one line along its middle (13).
    struct FlatCase
    {
        const char* name;
        COXDockbarSkin* pForm;
        COLORREF clrBand, clrLine;
    } flatCases[] = {
        {"xp", xp.GetDockbarSkin(), TestSysColor(COLOR_BTNFACE), xp.GetSeparatorColor()},
        {"2003", plain.GetDockbarSkin(), plain.GetDockbarBackgroundColor(), plain.GetSeparatorColor()},
        {"2003 themed", themed.GetDockbarSkin(), themed.GetDockbarBackgroundColor(),
         themed.GetHeaderGradientColor()},
    };
    for (const FlatCase& c : flatCases) {
        for (const SPLITTERINFO* pSplitter : {&vert, &horz}) {
            CPixelCanvas canvas(40, 40, kMagenta);
            c.pForm->DrawSplitter(&canvas.dc, *pSplitter, NULL);
            const BOOL bVert = pSplitter->nKind == SPLITTERINFO::vertical;
            EXPECT_EQ(6 * 40 - 40, canvas.Count(c.clrBand)) << c.name << bVert;
            EXPECT_EQ(40, CountIn(canvas, bVert ? CRect(13, 0, 14, 40) : CRect(0, 13, 40, 14), c.clrLine))
                << c.name << bVert;
        }
    }
    EXPECT_NE(themed.GetSeparatorColor(), themed.GetHeaderGradientColor());
}

TEST(DockSplitters, BandsStopAtTheDepthLimit)
{
    COXDockbarSkinClassic classic;
    CTestSkinXP xp;
    const SPLITTERINFO deep = {{0, 7990, 6, 20000}, SPLITTERINFO::horizontal};
    CPixelCanvas canvas(6, 8010, kMagenta);
    classic.DrawSplitter(&canvas.dc, deep, NULL);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), canvas.At(3, 7999));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.At(3, 7998));
    EXPECT_EQ(kMagenta, canvas.At(3, 8000));
    xp.GetDockbarSkin()->DrawSplitter(&canvas.dc, deep, NULL);
    EXPECT_EQ(kMagenta, canvas.At(3, 8000));
    EXPECT_EQ(xp.GetSeparatorColor(), canvas.At(3, 7995));
    // A band wholly below the limit draws nothing.
    const SPLITTERINFO below = {{0, 8001, 6, 8009}, SPLITTERINFO::horizontal};
    classic.DrawSplitter(&canvas.dc, below, NULL);
    EXPECT_EQ(kMagenta, canvas.At(3, 8008));
}

TEST_F(DockbarDrawing, BackgroundsOfBarsAndDockBars)
{
    CTestSkinXP xp;
    CTestSkin2003 skin2003(TRUE);
    COXDockbarSkinClassic classic;
    CTestSizeBar bar;
    MakeBar(bar, "Keywords", CRect(0, 0, 200, 150));

    struct Case
    {
        const char* name;
        COXDockbarSkin* pForm;
        COLORREF clrBar, clrDock;
    } cases[] = {
        {"classic", &classic, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE)},
        {"xp", xp.GetDockbarSkin(), TestSysColor(COLOR_BTNFACE), TestSysColor(COLOR_BTNFACE)},
    };
    CWnd dock;
    ASSERT_TRUE(dock.CreateEx(0, AfxRegisterWndClass(0), "dock", WS_CHILD | WS_VISIBLE, CRect(100, 200, 900, 240),
                              &m_host, 2));
    for (const Case& c : cases) {
        CPixelCanvas canvas(50, 50, kMagenta);
        c.pForm->DrawNonClientBackground(&canvas.dc, CRect(0, 0, 50, 50), &bar);
        EXPECT_EQ(50 * 50, canvas.Count(c.clrBar)) << c.name;
        CPixelCanvas back(800, 40, kMagenta);
        c.pForm->DrawDockBarBackground(&back.dc, &dock);
        EXPECT_EQ(800 * 40, back.Count(c.clrDock)) << c.name;
    }
    CPixelCanvas bar2003(50, 50, kMagenta);
    skin2003.GetDockbarSkin()->DrawNonClientBackground(&bar2003.dc, CRect(0, 0, 50, 50), &bar);
    EXPECT_EQ(50 * 50, bar2003.Count(skin2003.GetDockbarBackgroundColor()));

    // Classic draws the bar's border lines over the face; the second pixel
    // of a plain border is the face too, not what lay there.
    bar.m_dwStyle |= CBRS_BORDER_ANY;
    CPixelCanvas bordered(50, 50, kMagenta);
    classic.DrawNonClientBackground(&bordered.dc, CRect(0, 0, 50, 50), &bar);
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), bordered.At(0, 25));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), bordered.At(1, 25));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), bordered.At(25, 25));
    EXPECT_EQ(0, bordered.Count(kMagenta));

    // 2003: the dock gradient runs from the frame's left edge over half the
    // screen's width, the end colour beyond; the dock bar 100 pixels into
    // the frame shows the band from its 100th pixel on.
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    ASSERT_GE(cxScreen, 960) << "a screen narrower than the test's frame";
    CPixelCanvas gradient(800, 40, kMagenta), band(cxScreen, 40, kMagenta);
    skin2003.GetDockbarSkin()->DrawDockBarBackground(&gradient.dc, &dock);
    skin2003.FillDockGradient(&band.dc, CRect(0, 0, cxScreen, 40), 0, cxScreen);
    EXPECT_EQ(skin2003.GetDockGradientStartColor(), band.At(0, 20));
    EXPECT_EQ(skin2003.GetDockGradientEndColor(), band.At(cxScreen / 2, 20));
    for (int x : {0, 150, cxScreen / 2 - 101, cxScreen / 2 - 100, 799 - 100})
        EXPECT_EQ(band.At(x + 100, 20), gradient.At(x, 20)) << x;
    EXPECT_EQ(0, gradient.Count(kMagenta));
    dock.DestroyWindow();
    bar.DestroyWindow();
}

// The gallery's sizing bars in a skinned application: each paint asks for
// the current skin's element, and a switch lays the caption band out anew.
class SkinnedSizingBars : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pPrevious = AfxGetApp();
        m_pApp = new COXSkinnedApp;
    }
    void TearDown() override
    {
        if (m_hPage != NULL && ::IsWindow(m_hPage))
            ::DestroyWindow(m_hPage);
        delete m_pApp;
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pState->m_pCurrentWinApp = m_pPrevious;
        pState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
    }

    COXSkinnedApp* m_pApp = nullptr;
    CWinApp* m_pPrevious = nullptr;
    HWND m_hPage = NULL;
};

TEST_F(SkinnedSizingBars, GalleryBarFollowsTheCurrentSkinThroughASwitch)
{
    const GalleryEntry* pEntry = FindGalleryEntry("Sizing bar skins");
    ASSERT_NE(nullptr, pEntry);
    CWnd* pPage = pEntry->open(NULL);
    ASSERT_NE(nullptr, pPage);
    m_hPage = pPage->m_hWnd;
    HWND hDock = ::GetDlgItem(m_hPage, 820);
    ASSERT_NE(HWND(NULL), hDock);
    auto* pBar = dynamic_cast<COXSizeControlBar*>(CWnd::FromHandlePermanent(::GetDlgItem(hDock, 821)));
    ASSERT_NE(nullptr, pBar);

    // Classic and XP reserve a band of 16 pixels, 2003 one of 24, inside
    // the 5-pixel border; without a skin the bar keeps a Classic element of
    // its own.
    // The caption strip, in client coordinates, is left of the buttons in
    // the gaps of Classic (2) and XP (3), and runs under them in 2003.
    struct Case
    {
        const char* skin;
        int nClientTop;
        CRect gripper;
    } cases[] = {
        {"Office 2003", 29, {-3, -29, 213, -5}}, {"Classic", 21, {0, -16, 184, -5}},
        {"Office 2003", 29, {-3, -29, 213, -5}}, {"none", 21, {0, -16, 184, -5}},
        {"Office XP", 21, {0, -16, 182, -5}},
    };
    for (const Case& c : cases) {
        m_pApp->SetCurrentSkin(c.skin);
        COXSkinnedApp::RefreshWindow(m_hPage);
        COXSkin* pSkin = m_pApp->GetCurrentSkin();
        if (pSkin != NULL)
            EXPECT_EQ(pSkin->GetDockbarSkin(), pBar->GetDockbarSkin()) << c.skin;
        else
            EXPECT_NE(nullptr, dynamic_cast<COXDockbarSkinClassic*>(pBar->GetDockbarSkin()));
        EXPECT_EQ(c.nClientTop, pBar->GetClientOffset().y) << c.skin;
        EXPECT_EQ(c.gripper, pBar->m_rectGripper) << c.skin;
    }
}

} // namespace
