// The skins' colour scheme, gradients and drawing helpers, and the skinned
// application: the skins it holds, switching, replacing a skin, the lookup
// controls make, and the repaint after a switch.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include "OXFrameSkin.h"
#include "OXMenuSkin.h"
#include "OXPropertiesWnd.h"
#include "OXShortcutBarSkin.h"
#include "OXSkinnedApp.h"
#include "OXTabClientWnd.h"
#include "OXTabSkin.h"
#include "MDITestSupport.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// ---------------------------------------------------------------------------
// Colour arithmetic
// ---------------------------------------------------------------------------
TEST(SkinColours, ChannelArithmeticStopsAtTheEnds)
{
    EXPECT_EQ(RGB(255, 166, 58), OXOffsetColor(RGB(230, 128, 20), 38));
    EXPECT_EQ(RGB(0, 0, 0), OXOffsetColor(RGB(0, 84, 50), 0, -84, -99));
    EXPECT_EQ(RGB(221, 119, 11), OXOffsetColor(RGB(230, 128, 20), -9));
    // Weights that sum to a whole give a colour blended with itself back.
    EXPECT_EQ(RGB(255, 255, 255), OXBlendColors(RGB(255, 255, 255), 70, RGB(255, 255, 255), 30));
    EXPECT_EQ(RGB(255, 255, 255), OXBlendColors(RGB(255, 255, 255), 42, RGB(255, 255, 255), 48,
                                                RGB(255, 255, 255), 10));
    EXPECT_EQ(RGB(27, 46, 0), OXScaleColor(RGB(50, 84, 0), 55));
}

typedef COLORREF (COXSkinXP::*ColourOp)() const;
typedef COLORREF (COXSkin2003::*Colour2003Op)() const;

// Every colour operation: Office XP, Office 2003 without and with a visual
// style, for the system colours of TestSysColor.
TEST(SkinColours, EveryOperationOfTheSchemes)
{
    struct Case
    {
        const char* name;
        ColourOp op;
        COLORREF xp, plain2003, themed2003;
    } cases[] = {
        {"HotItem", &COXSkinXP::GetHotItemColor, RGB(181, 189, 210), RGB(181, 189, 210), RGB(255, 238, 194)},
        {"CheckedItem", &COXSkinXP::GetCheckedItemColor, RGB(212, 213, 217), RGB(212, 213, 217), RGB(255, 192, 111)},
        {"PressedItem", &COXSkinXP::GetPressedItemColor, RGB(132, 145, 180), RGB(132, 145, 180), RGB(254, 128, 62)},
        {"HotItemBorder", &COXSkinXP::GetHotItemBorderColor, RGB(10, 36, 106), RGB(10, 36, 106), RGB(0, 0, 0)},
        {"MenuBackground", &COXSkinXP::GetMenuBackgroundColor, RGB(248, 248, 247), RGB(248, 248, 247),
         RGB(246, 246, 246)},
        {"MenuBorder", &COXSkinXP::GetMenuBorderColor, RGB(230, 128, 20), RGB(230, 128, 20), RGB(0, 46, 27)},
        {"ToolbarBackground", &COXSkinXP::GetToolbarBackgroundColor, RGB(218, 215, 208), RGB(218, 215, 208),
         RGB(218, 215, 208)},
        {"DockbarBackground", &COXSkinXP::GetDockbarBackgroundColor, RGB(212, 208, 200), RGB(212, 208, 200),
         RGB(193, 210, 237)},
        {"InactiveTabText", &COXSkinXP::GetInactiveTabTextColor, RGB(120, 116, 106), RGB(4, 5, 6), RGB(4, 5, 6)},
        {"Separator", &COXSkinXP::GetSeparatorColor, RGB(255, 166, 58), RGB(255, 166, 58), RGB(90, 135, 208)},
        {"FrameBorder", &COXSkinXP::GetFrameBorderColor, RGB(230, 128, 20), RGB(255, 166, 58), RGB(24, 53, 98)},
        {"Gripper", &COXSkinXP::GetGripperColor, RGB(255, 160, 52), RGB(255, 160, 52), RGB(34, 74, 137)},
        {"MiniFrameCaption", &COXSkinXP::GetMiniFrameCaptionColor, RGB(230, 128, 20), RGB(230, 128, 20),
         RGB(49, 106, 197)},
        {"MiniFrameCaptionText", &COXSkinXP::GetMiniFrameCaptionTextColor, RGB(1, 2, 3), RGB(1, 2, 3), RGB(1, 2, 3)},
        {"MiniFrameBorder", &COXSkinXP::GetMiniFrameBorderColor, RGB(221, 119, 11), RGB(221, 119, 11),
         RGB(49, 106, 197)},
        {"MiniFrameBackground", &COXSkinXP::GetMiniFrameBackgroundColor, RGB(218, 215, 208), RGB(212, 208, 200),
         RGB(193, 210, 237)},
        {"DisabledText", &COXSkinXP::GetDisabledTextColor, RGB(128, 128, 128), RGB(128, 128, 128),
         RGB(141, 141, 141)},
        {"MenuDisabledText", &COXSkinXP::GetMenuDisabledTextColor, RGB(255, 166, 58), RGB(255, 166, 58),
         RGB(141, 141, 141)},
    };
    CTestSkinXP xp;
    CTestSkin2003 plain(FALSE), themed(TRUE);
    for (const Case& c : cases) {
        EXPECT_EQ(c.xp, (xp.*c.op)()) << c.name << " (Office XP)";
        EXPECT_EQ(c.plain2003, (plain.*c.op)()) << c.name << " (Office 2003)";
        EXPECT_EQ(c.themed2003, (themed.*c.op)()) << c.name << " (Office 2003, themed)";
    }
    // The theme is opened once for all the colours, and let go on a reset.
    EXPECT_EQ(1, themed.m_theme.m_nOpen);
    EXPECT_EQ(0, themed.m_theme.m_nClose);
    themed.ResetTheme();
    EXPECT_EQ(1, themed.m_theme.m_nClose);
    // Read anew after the reset: a style gone is seen.
    themed.m_theme.m_bActive = FALSE;
    EXPECT_EQ(RGB(181, 189, 210), themed.GetHotItemColor());
    themed.m_theme.m_bActive = TRUE;
    EXPECT_EQ(RGB(181, 189, 210), themed.GetHotItemColor()) << "kept until the next reset";
}

TEST(SkinColours, TheColoursOnlyOffice2003Has)
{
    struct Case
    {
        const char* name;
        Colour2003Op op;
        COLORREF plain, themed;
    } cases[] = {
        {"BarGradientStart", &COXSkin2003::GetBarGradientStartColor, RGB(245, 244, 242), RGB(244, 247, 252)},
        {"BarGradientEnd", &COXSkin2003::GetBarGradientEndColor, RGB(213, 209, 202), RGB(90, 135, 208)},
        {"DockGradientStart", &COXSkin2003::GetDockGradientStartColor, RGB(212, 208, 200), RGB(152, 180, 226)},
        {"DockGradientEnd", &COXSkin2003::GetDockGradientEndColor, RGB(246, 245, 244), RGB(193, 210, 237)},
        {"CaptionGradientStart", &COXSkin2003::GetCaptionGradientStartColor, RGB(243, 242, 240), RGB(244, 247, 252)},
        {"CaptionGradientEnd", &COXSkin2003::GetCaptionGradientEndColor, RGB(212, 208, 200), RGB(90, 135, 208)},
        {"MenuGradientStart", &COXSkin2003::GetMenuGradientStartColor, RGB(248, 248, 247), RGB(244, 247, 252)},
        {"MenuGradientEnd", &COXSkin2003::GetMenuGradientEndColor, RGB(215, 211, 204), RGB(90, 135, 208)},
        {"MenuGradientAltEnd", &COXSkin2003::GetMenuGradientAltEndColor, RGB(236, 235, 231), RGB(90, 135, 208)},
        {"HeaderGradient", &COXSkin2003::GetHeaderGradientColor, RGB(218, 215, 208), RGB(152, 180, 226)},
        {"HotGradientStart", &COXSkin2003::GetHotGradientStartColor, RGB(181, 189, 210), RGB(255, 244, 204)},
        {"HotGradientEnd", &COXSkin2003::GetHotGradientEndColor, RGB(181, 189, 210), RGB(255, 208, 145)},
        {"CheckedGradientStart", &COXSkin2003::GetCheckedGradientStartColor, RGB(212, 213, 217), RGB(255, 213, 140)},
        {"CheckedGradientEnd", &COXSkin2003::GetCheckedGradientEndColor, RGB(212, 213, 217), RGB(255, 173, 85)},
        {"PressedGradientStart", &COXSkin2003::GetPressedGradientStartColor, RGB(132, 145, 180), RGB(254, 145, 78)},
        {"PressedGradientEnd", &COXSkin2003::GetPressedGradientEndColor, RGB(132, 145, 180), RGB(255, 211, 142)},
    };
    CTestSkin2003 plain(FALSE), themed(TRUE);
    for (const Case& c : cases) {
        EXPECT_EQ(c.plain, (plain.*c.op)()) << c.name;
        EXPECT_EQ(c.themed, (themed.*c.op)()) << c.name << " (themed)";
    }
}

TEST(SkinColours, NoThemeLibraryMeansTheUnthemedColumn)
{
    struct CNoLibrary : CFakeUxTheme
    {
        BOOL IsLoaded() const override { return FALSE; }
    } noLibrary;
    noLibrary.m_bActive = TRUE;
    CTestSkin2003 skin(TRUE);
    skin.SetUxTheme(&noLibrary);
    EXPECT_FALSE(skin.IsThemed());
    EXPECT_EQ(RGB(181, 189, 210), skin.GetHotItemColor());
    EXPECT_EQ(0, noLibrary.m_nOpen);
    skin.SetUxTheme(&skin.m_theme);
}

// ---------------------------------------------------------------------------
// Gradients
// ---------------------------------------------------------------------------
TEST(SkinGradients, LineColoursStepFromStartTowardEnd)
{
    struct Case
    {
        COLORREF start, end;
        int i, n;
        COLORREF expected;
    } cases[] = {
        {RGB(0, 0, 0), RGB(255, 255, 255), 0, 10, RGB(0, 0, 0)},
        {RGB(0, 0, 0), RGB(255, 255, 255), 9, 10, RGB(229, 229, 229)},
        {RGB(255, 100, 0), RGB(0, 100, 255), 1, 2, RGB(128, 100, 127)},  // truncated toward zero both ways
        {RGB(10, 20, 30), RGB(200, 200, 200), 0, 1, RGB(10, 20, 30)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, COXSkin2003::GradientLineColor(c.start, c.end, c.i, c.n)) << c.i << "/" << c.n;
}

TEST(SkinGradients, OnePixelRowIsTheStartAndZeroRowsDrawNothing)
{
    CPixelCanvas canvas(10, 4, kWhite);
    COXSkin2003::GradientFillLines(&canvas.dc, CRect(0, 1, 10, 2), kRed, kBlue, TRUE);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(kRed, canvas.At(x, 1)) << x;
    EXPECT_EQ(10, canvas.Count(kRed));
    COXSkin2003::GradientFillLines(&canvas.dc, CRect(0, 3, 10, 3), kGreen, kGreen, TRUE);
    COXSkin2003::GradientFillLines(&canvas.dc, CRect(5, 0, 5, 4), kGreen, kGreen, FALSE);
    COXSkin2003 skin;
    skin.GradientFill(&canvas.dc, CRect(0, 3, 10, 3), kGreen, kGreen, TRUE);
    EXPECT_EQ(0, canvas.Count(kGreen));
}

// The gradient call and the line-by-line form draw the same picture: white
// stays white (channels go in as value << 8), ends match and no row strays.
TEST(SkinGradients, BothPathsDrawTheSame)
{
    COXSkin2003 skin;
    ASSERT_TRUE(skin.HasGradientCall());
    struct Case
    {
        COLORREF start, end;
        BOOL bVertical;
    } cases[] = {
        {kWhite, kWhite, TRUE},
        {RGB(255, 238, 194), RGB(254, 128, 62), TRUE},
        {RGB(0, 0, 0), RGB(255, 255, 255), FALSE},
    };
    for (const Case& c : cases) {
        CPixelCanvas call(40, 30, kBlack), lines(40, 30, kBlack);
        CRect rect(2, 3, 38, 27);
        skin.GradientFill(&call.dc, rect, c.start, c.end, c.bVertical);
        COXSkin2003::GradientFillLines(&lines.dc, rect, c.start, c.end, c.bVertical);
        EXPECT_EQ(c.start, call.At(rect.left, rect.top));
        EXPECT_EQ(lines.At(rect.left, rect.top), call.At(rect.left, rect.top));
        int nWorst = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                COLORREF a = call.At(x, y), b = lines.At(x, y);
                int d = std::max({abs(GetRValue(a) - GetRValue(b)), abs(GetGValue(a) - GetGValue(b)),
                                  abs(GetBValue(a) - GetBValue(b))});
                nWorst = std::max(nWorst, d);
            }
        // Both interpolate the same line; only rounding may differ.
        EXPECT_LE(nWorst, 1) << "start " << c.start << " end " << c.end;
        if (c.start == c.end) {
            EXPECT_EQ(0, nWorst);
        }
    }
}

TEST(SkinGradients, FourCornersFallBackToTheLongerSide)
{
    COXSkin2003 skin;
    CPixelCanvas canvas(20, 20, kBlack);
    skin.GradientFill4(&canvas.dc, CRect(0, 0, 20, 20), kRed, kGreen, kBlue, kBlue);
    EXPECT_EQ(kRed, canvas.At(0, 0));
    EXPECT_EQ(0, canvas.Count(kBlack));
}

// ---------------------------------------------------------------------------
// Drawing helpers
// ---------------------------------------------------------------------------
TEST(SkinDrawing, DrawTransparentLeavesTheKeyColourOut)
{
    CPixelCanvas source(4, 2, kMagenta);
    source.dc.SetPixel(1, 0, kRed);
    source.dc.SetPixel(3, 1, kBlue);
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(4, 2, 1, 32, NULL));
    {
        CDC dc;
        dc.CreateCompatibleDC(&source.dc);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.BitBlt(0, 0, 4, 2, &source.dc, 0, 0, SRCCOPY);
        dc.SelectObject(pOld);
    }
    CPixelCanvas target(6, 3, kGreen);
    target.dc.SetBkColor(kYellow);
    target.dc.SetTextColor(kCyan);
    COXSkinXP::DrawTransparent(&bitmap, &target.dc, 1, 1, 4, 2, kMagenta);
    EXPECT_EQ(kRed, target.At(2, 1));
    EXPECT_EQ(kBlue, target.At(4, 2));
    EXPECT_EQ(6 * 3 - 2, target.Count(kGreen));
    // The target's colours are given back.
    EXPECT_EQ(kYellow, target.dc.GetBkColor());
    EXPECT_EQ(kCyan, target.dc.GetTextColor());
}

TEST(SkinDrawing, FrameButtonLookAndFrameColour)
{
    EXPECT_EQ(COXSkinXP::buttonPlain, COXSkinXP::FrameButtonLook(FALSE, TRUE));
    EXPECT_EQ(COXSkinXP::buttonHot, COXSkinXP::FrameButtonLook(TRUE, FALSE));
    EXPECT_EQ(COXSkinXP::buttonPressed, COXSkinXP::FrameButtonLook(TRUE, TRUE));
    EXPECT_EQ(RGB(255, 164, 164), COXSkinXP::FrameButtonFrameColor(RGB(200, 100, 100), TRUE));
    EXPECT_EQ(RGB(104, 4, 0), COXSkinXP::FrameButtonFrameColor(RGB(200, 100, 50), FALSE));
}

class SkinFrameButton : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::GetCursorPos(&m_ptSaved);
        ASSERT_TRUE(CreateHostWindow(m_host, "buttons", WS_POPUP | WS_VISIBLE, CRect(300, 300, 340, 330)));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        ::SetCursorPos(m_ptSaved.x, m_ptSaved.y);
    }
    // Places the cursor at a point of the host's window and waits until the
    // system reports it there.
    void PutCursor(int x, int y)
    {
        ASSERT_TRUE(PlaceCursor(CPoint(300 + x, 300 + y))) << "the cursor could not be placed";
    }

    CWnd m_host;
    POINT m_ptSaved = {};
};

TEST_F(SkinFrameButton, PlainHotAndFramedOnAMemoryDC)
{
    CTestSkinXP skin;
    const COLORREF clrBack = RGB(200, 180, 160);
    const CRect rect(4, 4, 20, 18);

    PutCursor(35, 28);
    CPixelCanvas plain(24, 22, kWhite);
    skin.DrawFrameButton(&plain.dc, rect, DFCS_CAPTIONCLOSE, FALSE, FALSE, clrBack, &m_host);
    EXPECT_EQ(clrBack, plain.At(4, 4));
    EXPECT_EQ(kWhite, plain.At(3, 3));
    EXPECT_GT(plain.Count(RGB(0, 0, 0)), 4) << "the close glyph";

    CPixelCanvas framed(24, 22, kWhite);
    skin.DrawFrameButton(&framed.dc, rect, DFCS_CAPTIONCLOSE, TRUE, FALSE, clrBack, &m_host);
    // Framed, the glyph takes the frame colour, darker than the back.
    EXPECT_EQ(clrBack, framed.At(4, 4));
    EXPECT_EQ(0, framed.Count(RGB(0, 0, 0)));
    EXPECT_GT(framed.Count(COXSkinXP::FrameButtonFrameColor(clrBack, FALSE)), 4);

    PutCursor(10, 10);
    CPixelCanvas hot(24, 22, kWhite);
    skin.DrawFrameButton(&hot.dc, rect, DFCS_CAPTIONCLOSE, FALSE, FALSE, clrBack, &m_host);
    EXPECT_EQ(skin.GetHotItemBorderColor(), hot.At(4, 4));
    EXPECT_EQ(skin.GetHotItemColor(), hot.At(5, 5));
}

// ---------------------------------------------------------------------------
// The skinned application
// ---------------------------------------------------------------------------
// A skin that says when it goes.
class CCountedSkin : public COXSkinXP
{
public:
    CCountedSkin(LPCTSTR lpszName, int* pDeleted) : m_pDeleted(pDeleted) { m_strName = lpszName; }
    ~CCountedSkin() override { ++*m_pDeleted; }
    int* m_pDeleted;
};

class SkinnedApp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pPrevious = AfxGetApp();
        m_pApp = new COXSkinnedApp;
    }
    void TearDown() override
    {
        delete m_pApp;
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pState->m_pCurrentWinApp = m_pPrevious;
        pState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
    }

    COXSkinnedApp* m_pApp = nullptr;
    CWinApp* m_pPrevious = nullptr;
};

TEST_F(SkinnedApp, HoldsTheThreeSkinsWithOfficeXPCurrent)
{
    struct Case
    {
        const char* name;
        bool xp, is2003;
    } cases[] = {{"Classic", false, false}, {"Office XP", true, false}, {"Office 2003", true, true}};
    for (const Case& c : cases) {
        COXSkin* pSkin = m_pApp->GetSkin(c.name);
        ASSERT_NE(nullptr, pSkin) << c.name;
        EXPECT_STREQ(c.name, pSkin->GetName());
        EXPECT_EQ(c.xp, dynamic_cast<COXSkinXP*>(pSkin) != nullptr) << c.name;
        EXPECT_EQ(c.is2003, dynamic_cast<COXSkin2003*>(pSkin) != nullptr) << c.name;
        // Each skin's own forms of the elements that exist so far.
        EXPECT_EQ(c.xp, dynamic_cast<COXTabSkinXP*>(pSkin->GetTabSkin()) != nullptr) << c.name;
        EXPECT_EQ(c.is2003, dynamic_cast<COXTabSkin2003*>(pSkin->GetTabSkin()) != nullptr) << c.name;
        EXPECT_EQ(!c.xp, dynamic_cast<COXTabSkinClassic*>(pSkin->GetTabSkin()) != nullptr) << c.name;
        EXPECT_EQ(c.xp, dynamic_cast<COXShortcutBarSkinXP*>(pSkin->GetShortcutBarSkin()) != nullptr) << c.name;
        EXPECT_EQ(c.is2003, dynamic_cast<COXShortcutBarSkin2003*>(pSkin->GetShortcutBarSkin()) != nullptr);
        EXPECT_EQ(c.xp, dynamic_cast<COXToolbarSkinXP*>(pSkin->GetToolbarSkin()) != nullptr) << c.name;
        EXPECT_EQ(c.is2003, dynamic_cast<COXToolbarSkin2003*>(pSkin->GetToolbarSkin()) != nullptr) << c.name;
        EXPECT_EQ(!c.xp, dynamic_cast<COXToolbarSkinClassic*>(pSkin->GetToolbarSkin()) != nullptr) << c.name;
        EXPECT_EQ(c.xp, dynamic_cast<COXMenuSkinXP*>(pSkin->GetMenuSkin()) != nullptr) << c.name;
        EXPECT_EQ(c.is2003, dynamic_cast<COXMenuSkin2003*>(pSkin->GetMenuSkin()) != nullptr) << c.name;
        EXPECT_EQ(c.xp, dynamic_cast<COXFrameSkinXP*>(pSkin->GetFrameSkin()) != nullptr) << c.name;
        EXPECT_EQ(c.is2003, dynamic_cast<COXFrameSkin2003*>(pSkin->GetFrameSkin()) != nullptr) << c.name;
        EXPECT_EQ(!c.xp, dynamic_cast<COXFrameSkinClassic*>(pSkin->GetFrameSkin()) != nullptr) << c.name;
    }
    EXPECT_EQ(m_pApp->GetSkin("Office XP"), m_pApp->GetCurrentSkin());
    EXPECT_EQ(nullptr, m_pApp->GetSkin("Office 2007"));
}

// The properties window and the tab client draw through the current skin's
// frame and tab elements, and through Classic elements of their own without
// a skin.
TEST_F(SkinnedApp, FramedAndTabbedWindowsFollowTheCurrentSkin)
{
    COXPropertiesWnd properties;
    COXTabClientWnd tabs;
    for (const char* name : {"Classic", "Office XP", "Office 2003"}) {
        ASSERT_TRUE(m_pApp->SetCurrentSkin(name));
        EXPECT_EQ(m_pApp->GetSkin(name)->GetFrameSkin(), properties.GetFrameSkin()) << name;
        EXPECT_EQ(m_pApp->GetSkin(name)->GetTabSkin(), tabs.GetTabSkin()) << name;
    }
    m_pApp->SetCurrentSkin("");
    EXPECT_NE(nullptr, dynamic_cast<COXFrameSkinClassic*>(properties.GetFrameSkin()));
    EXPECT_NE(nullptr, dynamic_cast<COXTabSkinClassic*>(tabs.GetTabSkin()));
}

// The XP tab element lays the tabbed MDI client over the tab control's thin
// margins (all but the tabs' side); Classic leaves it in the display area.
TEST_F(SkinnedApp, TheTabElementWidensTheTabbedClientOverThinMargins)
{
    CScopedFrame<CMDIFrameWnd> frame;
    ASSERT_TRUE(CreateMDIFrameWithChild(frame, "skinned tabs", CRect(0, 0, 500, 400)));
    CRect rects[2];
    const char* names[2] = {"Classic", "Office XP"};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(m_pApp->SetCurrentSkin(names[i]));
        COXTabClientWnd tabs;
        ASSERT_TRUE(tabs.Attach(frame, 0));
        ::GetWindowRect(frame->m_hWndMDIClient, &rects[i]);
        tabs.Detach();
    }
    const int nGrow = 1;   // the margin
    EXPECT_EQ(CRect(rects[0].left - nGrow, rects[0].top, rects[0].right + nGrow, rects[0].bottom + nGrow), rects[1]);
}

TEST_F(SkinnedApp, SwitchingAndAnUnknownName)
{
    EXPECT_TRUE(m_pApp->SetCurrentSkin("Office 2003"));
    EXPECT_EQ(m_pApp->GetSkin("Office 2003"), OXGetCurrentSkin());
    EXPECT_EQ(m_pApp->GetSkin("Office 2003")->GetShortcutBarSkin(), OXGetAppShortcutBarSkin());
    EXPECT_TRUE(m_pApp->SetCurrentSkin(m_pApp->GetSkin("Classic")));
    EXPECT_STREQ("Classic", m_pApp->GetCurrentSkin()->GetName());
    EXPECT_FALSE(m_pApp->SetCurrentSkin("Nothing"));
    EXPECT_EQ(nullptr, m_pApp->GetCurrentSkin());
    // No current skin: controls go back to their own elements.
    EXPECT_EQ(nullptr, OXGetAppShortcutBarSkin());
}

TEST_F(SkinnedApp, ASkinAddedUnderAUsedNameReplacesTheOld)
{
    int nDeleted = 0;
    m_pApp->AddSkin(new CCountedSkin("Mine", &nDeleted));
    ASSERT_TRUE(m_pApp->SetCurrentSkin("Mine"));
    COXSkin* pSecond = new CCountedSkin("Mine", &nDeleted);
    m_pApp->AddSkin(pSecond);
    EXPECT_EQ(1, nDeleted) << "the replaced skin is freed";
    EXPECT_EQ(pSecond, m_pApp->GetSkin("Mine"));
    EXPECT_EQ(pSecond, m_pApp->GetCurrentSkin()) << "the current one was replaced: the new one is current";

    ASSERT_TRUE(m_pApp->SetCurrentSkin("Classic"));
    m_pApp->AddSkin(new CCountedSkin("Mine", &nDeleted));
    EXPECT_EQ(2, nDeleted);
    EXPECT_STREQ("Classic", m_pApp->GetCurrentSkin()->GetName());
    // The same skin again changes nothing.
    COXSkin* pThird = m_pApp->GetSkin("Mine");
    m_pApp->AddSkin(pThird);
    EXPECT_EQ(2, nDeleted);
    delete m_pApp;
    m_pApp = NULL;
    EXPECT_EQ(3, nDeleted) << "the application frees what it holds";
}

TEST(SkinLookup, WithoutASkinnedApplicationEveryControlKeepsItsOwn)
{
    EXPECT_EQ(nullptr, OXGetCurrentSkin());
    EXPECT_EQ(nullptr, OXGetAppShortcutBarSkin());
}

// A window that counts the size and paint messages it gets.
class CSizeCounter : public CWnd
{
public:
    int m_nSizes = 0, m_nPaints = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE && wParam == SIZE_RESTORED)
            ++m_nSizes;
        if (message == WM_PAINT)
            ++m_nPaints;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CCountingMiniFrame : public CMiniDockFrameWnd
{
public:
    int m_nSizes = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE && wParam == SIZE_RESTORED)
            ++m_nSizes;
        return CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// Windows that place children are laid out again, every window is
// repainted, and windows outside the main window are left alone.
TEST_F(SkinnedApp, ASwitchLaysOutTheMainWindowItsChildrenAndFloatingFrames)
{
    CScopedFrame<> frame;
    ASSERT_TRUE(frame.Create("main", CRect(0, 0, 300, 200)));
    frame.Show();
    CSizeCounter child, leaf;
    CWnd grandchild;
    ASSERT_TRUE(child.Create(NULL, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), frame, 1));
    ASSERT_TRUE(grandchild.Create(NULL, "grandchild", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &child, 1));
    ASSERT_TRUE(leaf.Create(NULL, "leaf", WS_CHILD | WS_VISIBLE, CRect(60, 0, 90, 30), frame, 2));
    CCountingMiniFrame* pFloating = new CCountingMiniFrame;
    ASSERT_TRUE(pFloating->Create(frame, CBRS_ALIGN_TOP));
    CSizeCounter stranger;
    ASSERT_TRUE(CreateHostWindow(stranger, "stranger", WS_POPUP | WS_VISIBLE, CRect(400, 0, 420, 20)));
    m_pApp->m_pMainWnd = frame;
    frame->UpdateWindow();
    stranger.UpdateWindow();
    // Creation sized and painted them already.
    child.m_nSizes = leaf.m_nSizes = pFloating->m_nSizes = stranger.m_nSizes = 0;
    child.m_nPaints = leaf.m_nPaints = stranger.m_nPaints = 0;

    ASSERT_TRUE(m_pApp->SetCurrentSkin("Office 2003"));
    EXPECT_EQ(1, child.m_nSizes);
    EXPECT_EQ(1, pFloating->m_nSizes);
    EXPECT_EQ(0, leaf.m_nSizes) << "a window without children has nothing to lay out";
    EXPECT_EQ(1, child.m_nPaints);
    EXPECT_EQ(1, leaf.m_nPaints) << "painted once, not once per level";
    EXPECT_EQ(0, stranger.m_nSizes) << "a window outside the main window is left alone";
    EXPECT_EQ(0, stranger.m_nPaints);

    // No skin any more: the windows show their own Classic look at once.
    EXPECT_FALSE(m_pApp->SetCurrentSkin("none"));
    EXPECT_EQ(2, leaf.m_nPaints);
    EXPECT_FALSE(m_pApp->SetCurrentSkin("none"));
    EXPECT_EQ(2, leaf.m_nPaints) << "nothing changed, nothing repainted";

    m_pApp->m_pMainWnd = NULL;
    stranger.DestroyWindow();
    pFloating->DestroyWindow();
    leaf.DestroyWindow();
    grandchild.DestroyWindow();
    child.DestroyWindow();
}

}  // namespace
