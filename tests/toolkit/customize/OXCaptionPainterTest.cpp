// The caption painter: the background bands by alignment and algorithm, a
// real frame's caption painted in its colour, settings stored and read back
// in the registry, and an organizer that gives new windows the settings of
// an existing one.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "OXCaptionPainter.h"
#include "OXCustomizeManager.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

COLORREF ColorAt(const std::vector<OXCaptionBand>& bands, int x)
{
    COLORREF c = CLR_INVALID;
    for (const OXCaptionBand& b : bands)   // later bands lie over earlier ones
        if (x >= b.x && x < b.x + b.cx)
            c = b.color;
    return c;
}

int FirstBandWidth(const std::vector<OXCaptionBand>& bands) { return bands.empty() ? 0 : bands.front().cx; }

TEST(OXCaptionBands, BandWidthsAndWhereTheCaptionIsDark)
{
    const COLORREF base = RGB(200, 100, 50);
    std::vector<OXCaptionBand> bands;
    COXCaptionInfo info;
    info.m_nGradientAlignment = 0;
    OXComputeCaptionBands(info, base, 100, bands);   // 64 shades
    EXPECT_EQ(FirstBandWidth(bands), 1);
    EXPECT_EQ(ColorAt(bands, 99), base);              // bright at the right
    EXPECT_EQ(ColorAt(bands, 0), RGB(0, 0, 0));       // dark at the left
    info.SetShadeCount(10);
    OXComputeCaptionBands(info, base, 100, bands);
    EXPECT_EQ(FirstBandWidth(bands), 10);

    info.m_nGradientAlignment = 2;
    OXComputeCaptionBands(info, base, 100, bands);
    EXPECT_EQ(ColorAt(bands, 0), base);
    EXPECT_EQ(ColorAt(bands, 95), RGB(0, 0, 0));

    info.m_nGradientAlignment = 1;
    info.SetShadeCount(64);
    OXComputeCaptionBands(info, base, 101, bands);   // odd: the centre stays dark
    EXPECT_EQ(ColorAt(bands, 0), base);
    EXPECT_EQ(ColorAt(bands, 100), base);
    const COLORREF centre = ColorAt(bands, 50);
    EXPECT_LE(GetRValue(centre), 10);   // all but black: d = W / 2 against L = W x W / 4
    EXPECT_LE(GetGValue(centre), 10);

    // Linear halves the colour half-way; square keeps three quarters of it.
    info.m_nGradientAlignment = 2;
    info.SetShadeCount(100);
    info.m_nGradientAlgorithm = 0;
    OXComputeCaptionBands(info, base, 100, bands);
    EXPECT_EQ(ColorAt(bands, 50), RGB(100, 50, 25));
    info.m_nGradientAlgorithm = 1;
    OXComputeCaptionBands(info, base, 100, bands);
    EXPECT_EQ(ColorAt(bands, 50), RGB(150, 75, 38));
}

TEST(OXCaptionBands, DegenerateCaptionsAndWideOnesStaySound)
{
    std::vector<OXCaptionBand> bands;
    COXCaptionInfo info;
    info.SetShadeCount(0);
    EXPECT_EQ(info.m_nShadeCount, 1);
    info.m_nShadeCount = 0;   // set behind the setter's back: still no division by zero
    OXComputeCaptionBands(info, RGB(255, 255, 255), 100, bands);
    EXPECT_FALSE(bands.empty());
    OXComputeCaptionBands(info, RGB(255, 0, 0), 1, bands);   // too narrow to shade
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].color, RGB(255, 0, 0));
    // 5000 pixels, square: 255 x 5000 x 5000 is past 32 bits; colours still fall.
    info.SetShadeCount(5000);
    info.m_nGradientAlignment = 2;
    OXComputeCaptionBands(info, RGB(255, 255, 255), 5000, bands);
    int last = 256;
    for (int x = 0; x < 4990; x += 500) {
        int r = GetRValue(ColorAt(bands, x));
        EXPECT_LE(r, last) << x;
        last = r;
    }
}

TEST(OXCaptionInfo, ArchivedAndReadBackWithFontsAndAtLeastOneShade)
{
    COXCaptionInfo info;
    info.m_clrBackground = RGB(1, 2, 3);
    info.m_nGradientAlignment = 1;
    info.m_nShadeCount = 0;   // as a broken record would carry it
    LOGFONT lf = {};
    lf.lfHeight = -13;
    lf.lfWeight = FW_BOLD;
    strcpy(lf.lfFaceName, "Liberation Sans");
    info.m_fontCaption.CreateFontIndirect(&lf);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        info.Serialize(ar);
    }
    file.SeekToBegin();
    COXCaptionInfo back;
    {
        CArchive ar(&file, CArchive::load);
        back.Serialize(ar);
    }
    EXPECT_EQ(back.m_clrBackground, RGB(1, 2, 3));
    EXPECT_EQ(back.m_nGradientAlignment, 1);
    EXPECT_EQ(back.m_nShadeCount, 1);
    LOGFONT got = {};
    ASSERT_NE(back.m_fontCaption.GetSafeHandle(), nullptr);
    back.m_fontCaption.GetObject(sizeof got, &got);
    EXPECT_STREQ(got.lfFaceName, "Liberation Sans");
    EXPECT_EQ(got.lfWeight, FW_BOLD);
    EXPECT_EQ(back.m_fontSmCaption.GetSafeHandle(), nullptr);   // none stored, none made
}

// A scheme's colours: its caption text is made to be read on its caption
// colour, which is what a gradient fades from; the customize dialog's title
// line fades from the face colour.
struct Scheme
{
    const char* name;
    COLORREF clrCaption, clrCaptionText, clrFace;
};
const Scheme kSchemes[] = {
    {"navy caption, white text", RGB(10, 36, 106), RGB(255, 255, 255), RGB(212, 208, 200)},
    {"pale caption, black text", RGB(153, 180, 209), RGB(0, 0, 0), RGB(240, 240, 240)},
    {"white caption, navy text", RGB(255, 255, 255), RGB(0, 0, 128), RGB(255, 255, 255)},
    {"grey caption, dark grey text", RGB(191, 205, 219), RGB(64, 64, 64), RGB(236, 233, 216)},
    {"black caption, yellow text", RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 0, 0)},
};

double WorstContrast(COLORREF clrText, const std::vector<COLORREF>& behind)
{
    double worst = 21.0;
    for (COLORREF clr : behind)
        worst = std::min(worst, OXContrastRatio(clrText, clr));
    return worst;
}

TEST(OXReadableTitles, ContrastRatioEnds)
{
    EXPECT_NEAR(OXContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 21.0, 0.01);
    EXPECT_NEAR(OXContrastRatio(RGB(255, 255, 255), RGB(0, 0, 0)), 21.0, 0.01);
    EXPECT_NEAR(OXContrastRatio(RGB(90, 90, 90), RGB(90, 90, 90)), 1.0, 0.001);
    // A colour that reads is kept, one that does not gives way.
    EXPECT_EQ(OXReadableTextColor(RGB(0, 0, 128), {RGB(255, 255, 255)}), RGB(0, 0, 128));
    EXPECT_EQ(OXReadableTextColor(RGB(0, 0, 128), {RGB(0, 0, 0), RGB(40, 40, 40)}), RGB(255, 255, 255));
    EXPECT_EQ(OXReadableTextColor(RGB(255, 255, 255), {RGB(250, 250, 250)}), RGB(0, 0, 0));
}

// In every scheme, the caption's title (after the icon, left-aligned, over
// the gradient's dark end) and the dialog's title line read.
TEST(OXReadableTitles, TitlesReadOnTheirGradientInEveryScheme)
{
    const int W = 400;
    for (const Scheme& scheme : kSchemes) {
        for (int nAlignment : {0, 1, 2}) {
            COXCaptionInfo info;
            info.m_clrBackground = scheme.clrCaption;
            info.m_clrText = scheme.clrCaptionText;
            info.m_nGradientAlignment = nAlignment;
            const int x0 = 20, x1 = 140;
            std::vector<OXCaptionBand> bands;
            OXComputeCaptionBands(info, scheme.clrCaption, W, bands);
            std::vector<COLORREF> behind;
            for (int x = x0; x < x1; x++)
                behind.push_back(ColorAt(bands, x));
            // Where the title spans light and dark, as good as white or
            // black can do.
            const double reachable = std::min(kOXMinTitleContrast, std::max(WorstContrast(RGB(255, 255, 255), behind),
                                                                            WorstContrast(RGB(0, 0, 0), behind)));
            const COLORREF clr = OXCaptionTextColor(info, TRUE, W, x0, x1);
            EXPECT_GE(WorstContrast(clr, behind), reachable)
                << scheme.name << ", alignment " << nAlignment << ": text " << std::hex << clr;
        }

        for (int cxText : {20, 90}) {
            std::vector<COLORREF> behind;
            for (const OXGradientBand& band : OXStaticGradientBands(OX_CUSTOMIZE_TITLE_BKMODE, W, scheme.clrFace))
                if (band.x < cxText)
                    behind.push_back(band.clr);
            const COLORREF clr = OXCustomizeTitleTextColor(scheme.clrCaptionText, scheme.clrFace, W, cxText);
            EXPECT_GE(WorstContrast(clr, behind), kOXMinTitleContrast)
                << scheme.name << ", title line " << cxText << " wide: text " << std::hex << clr;
        }
    }
}

class OXCaptionPainterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(COXCaptionPainter::IsThemed());
        ASSERT_TRUE(m_frame.Create("Painted caption", CRect(50, 50, 450, 250)));
        m_frame.Show();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\CaptionTest");
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\CaptionTest");
    }
    COLORREF CaptionPixel(int fromRight)
    {
        CRect rect;
        m_frame->GetWindowRect(&rect);
        HDC hdc = ::GetWindowDC(m_frame->GetSafeHwnd());
        const int y = ::GetSystemMetrics(SM_CYFRAME) + 3;
        COLORREF c = ::GetPixel(hdc, rect.Width() - ::GetSystemMetrics(SM_CXFRAME) - fromRight, y);
        ::ReleaseDC(m_frame->GetSafeHwnd(), hdc);
        return c;
    }
    // How many pixels of a colour the caption (window coordinates) shows
    // from x0 to x1, away from its top and bottom edges.
    int CaptionPixels(const CRect& caption, int x0, int x1, COLORREF clr)
    {
        HDC hdc = ::GetWindowDC(m_frame->GetSafeHwnd());
        int n = 0;
        for (int x = x0; x < x1; x++)
            for (int y = caption.top + 2; y < caption.bottom - 2; y++)
                n += ::GetPixel(hdc, x, y) == clr;
        ::ReleaseDC(m_frame->GetSafeHwnd(), hdc);
        return n;
    }
    CScopedFrame<> m_frame;
};

TEST_F(OXCaptionPainterTest, TheCaptionIsPaintedInItsColourAndFollowsActivation)
{
    COXCaptionPainter painter;
    ASSERT_TRUE(painter.Attach(m_frame));
    COXCaptionInfo active, inactive;
    active.m_bGradient = FALSE;
    active.m_clrBackground = RGB(200, 0, 0);
    inactive.m_bGradient = FALSE;
    inactive.m_clrBackground = RGB(0, 0, 160);
    painter.SetCaptionInfo(&active, TRUE);
    painter.SetCaptionInfo(&inactive, FALSE);
    painter.ResetCache();
    // Left of the buttons: the active colour, then the inactive one.
    const int x = 3 * ::GetSystemMetrics(SM_CXSIZE) + 20;
    m_frame->SendMessage(WM_NCACTIVATE, TRUE);
    EXPECT_TRUE(PumpUntil([&] { return CaptionPixel(x) == RGB(200, 0, 0); }, kWaitMs))
        << "active: the caption reads " << std::hex << CaptionPixel(x);
    m_frame->SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_TRUE(PumpUntil([&] { return CaptionPixel(x) == RGB(0, 0, 160); }, kWaitMs))
        << "inactive: the caption reads " << std::hex << CaptionPixel(x);
    painter.Unhook();
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    COXCaptionPainter other;
    EXPECT_FALSE(other.Attach(&plain));   // no caption to paint
    plain.DestroyWindow();
}

TEST_F(OXCaptionPainterTest, AnActivatedFrameTurnsTheFramesAroundItInactiveItselfFirst)
{
    COXCaptionPainter painter;
    ASSERT_TRUE(painter.Attach(m_frame));
    for (BOOL bActive : {TRUE, FALSE}) {
        painter.GetCaptionInfo(bActive)->m_bGradient = FALSE;
        painter.GetCaptionInfo(bActive)->m_clrBackground = bActive ? RGB(200, 0, 0) : RGB(0, 0, 160);
    }
    CScopedFrame<> below;
    ASSERT_TRUE(below.Create("Below", CRect(80, 80, 300, 200)));
    below->SetWindowPos(m_frame, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(::GetWindow(m_frame->GetSafeHwnd(), GW_HWNDNEXT), below->GetSafeHwnd());
    CMessageRecorder recorder;
    recorder.Watch(m_frame->GetSafeHwnd(), "painted");
    recorder.Watch(below->GetSafeHwnd(), "below");
    recorder.Only({WM_NCACTIVATE});
    m_frame->SendMessage(WM_NCACTIVATE, TRUE);
    // The frames after it, then from the frame itself back up the z-order;
    // its own activation is drawn last.
    EXPECT_TRUE(recorder.Matches({{"painted", WM_NCACTIVATE, kSent, TRUE},
                                  {"below", WM_NCACTIVATE, kSent, FALSE},
                                  {"painted", WM_NCACTIVATE, kSent, FALSE}}));
    const int x = 3 * ::GetSystemMetrics(SM_CXSIZE) + 20;
    EXPECT_TRUE(PumpUntil([&] { return CaptionPixel(x) == RGB(200, 0, 0); }, kWaitMs))
        << "the caption reads " << std::hex << CaptionPixel(x);
    painter.Unhook();
}

TEST_F(OXCaptionPainterTest, OnlyTheTextFlagsThatDrawAreReadOrUsed)
{
    COXCaptionPainter painter;
    ASSERT_TRUE(painter.Attach(m_frame));
    const UINT nDrawn = DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    COXCaptionInfo* pActive = painter.GetCaptionInfo(TRUE);
    pActive->m_nTextFormat = nDrawn | DT_MODIFYSTRING | DT_CALCRECT | 0xFF000000;
    ASSERT_TRUE(painter.SaveState("CaptionTest"));
    COXCaptionPainter back;
    ASSERT_TRUE(back.LoadState("CaptionTest", FALSE));
    EXPECT_EQ(back.GetCaptionInfo(TRUE)->m_nTextFormat, nDrawn);

    // Set behind the setter's back, the flags still draw the title.
    pActive->m_bGradient = FALSE;
    pActive->m_clrBackground = RGB(0, 0, 160);
    pActive->m_clrText = RGB(255, 255, 0);
    pActive->m_nTextFormat = DT_CALCRECT | DT_SINGLELINE | DT_VCENTER;
    m_frame->SendMessage(WM_NCACTIVATE, TRUE);
    const CRect caption = painter.GetCaptionRect();
    painter.ResetCache();
    painter.DrawCaption();
    auto titlePixels = [&] { return CaptionPixels(caption, caption.left + 30, caption.right - 80, RGB(255, 255, 0)); };
    EXPECT_TRUE(PumpUntil([&] { return titlePixels() > 0; }, kWaitMs)) << "no title drawn";
    painter.Unhook();
}

// A dark text colour over the gradient's black end is drawn light.
TEST_F(OXCaptionPainterTest, ADarkTitleOverTheDarkEndIsDrawnLight)
{
    COXCaptionPainter painter;
    ASSERT_TRUE(painter.Attach(m_frame));
    COXCaptionInfo* pActive = painter.GetCaptionInfo(TRUE);
    pActive->m_clrBackground = RGB(0, 0, 160);
    pActive->m_clrText = RGB(0, 0, 0);
    pActive->m_nGradientAlignment = 0;
    m_frame->SendMessage(WM_NCACTIVATE, TRUE);
    const CRect caption = painter.GetCaptionRect();
    auto lightPixels = [&] { return CaptionPixels(caption, caption.left + 20, caption.left + 120, RGB(255, 255, 255)); };
    painter.ResetCache();
    painter.DrawCaption();
    EXPECT_TRUE(PumpUntil([&] { return lightPixels() > 20; }, kWaitMs))
        << "the title is not drawn light: " << lightPixels() << " white pixels";
    painter.Unhook();
}

TEST_F(OXCaptionPainterTest, DetachedPaintersLeaveNoTimerOnTheWindow)
{
    for (BOOL bOneWindow : {TRUE, FALSE}) {
        COXCaptionPainterOrganizer organizer;
        COXCaptionPainter* pPainter = organizer.Attach(m_frame);
        ASSERT_NE(pPainter, nullptr);
        // The refresh timer's id is the address of a member of the painter.
        CMessageRecorder recorder;
        recorder.Watch(m_frame->GetSafeHwnd(), "frame");
        recorder.Only({WM_TIMER});
        UINT_PTR nTimer = 0;
        ASSERT_TRUE(PumpUntil([&] {
            for (const RecordedMessage& m : recorder.Records())
                if (m.wParam >= (UINT_PTR)pPainter && m.wParam < (UINT_PTR)pPainter + sizeof(COXCaptionPainter))
                    nTimer = m.wParam;
            return nTimer != 0;
        }, kWaitMs)) << "the painter's refresh timer never fired";
        ASSERT_TRUE(bOneWindow ? organizer.Detach(m_frame, FALSE) : organizer.Detach(NULL, FALSE));
        EXPECT_FALSE(::KillTimer(m_frame->GetSafeHwnd(), nTimer)) << (bOneWindow ? "one window" : "all windows");
    }
}

TEST_F(OXCaptionPainterTest, SettingsKeptInTheRegistryOneStateAtATime)
{
    COXCaptionPainter painter;
    ASSERT_TRUE(painter.Attach(m_frame));
    painter.GetCaptionInfo(TRUE)->m_clrBackground = RGB(10, 20, 30);
    painter.GetCaptionInfo(FALSE)->m_clrBackground = RGB(40, 50, 60);
    ASSERT_TRUE(painter.SaveState("CaptionTest"));
    // A subkey without "Inactive": only the active settings change.
    HKEY hKey;
    ASSERT_EQ(::RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\CaptionTest", &hKey),
              ERROR_SUCCESS);
    ::RegDeleteValueA(hKey, "Inactive");
    ::RegCloseKey(hKey);
    COXCaptionPainter back;
    back.GetCaptionInfo(FALSE)->m_clrBackground = RGB(7, 7, 7);
    ASSERT_TRUE(back.LoadState("CaptionTest", FALSE));
    EXPECT_EQ(back.GetCaptionInfo(TRUE)->m_clrBackground, RGB(10, 20, 30));
    EXPECT_EQ(back.GetCaptionInfo(FALSE)->m_clrBackground, RGB(7, 7, 7));

    // A record cut short changes nothing: a look without a font of its own
    // goes on following the system's caption font.
    ASSERT_EQ(::RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\CaptionTest", &hKey),
              ERROR_SUCCESS);
    const BYTE cut[] = {1, 2, 3, 0, 1, 0, 0, 0};
    ::RegSetValueExA(hKey, "Active", 0, REG_BINARY, cut, sizeof cut);
    ::RegCloseKey(hKey);
    EXPECT_FALSE(back.LoadState("CaptionTest", FALSE));
    EXPECT_EQ(back.GetCaptionInfo(TRUE)->m_clrBackground, RGB(10, 20, 30));
    EXPECT_EQ(back.GetCaptionInfo(TRUE)->m_fontCaption.GetSafeHandle(), nullptr);
    EXPECT_EQ(back.GetCaptionInfo(TRUE)->m_fontSmCaption.GetSafeHandle(), nullptr);
    painter.Unhook();
}

TEST_F(OXCaptionPainterTest, ANewFrameOfTheThreadTakesTheFirstPaintersSettings)
{
    COXCaptionPainterOrganizer organizer;
    ASSERT_TRUE(organizer.AttachToThread());
    EXPECT_FALSE(organizer.AttachToThread());
    COXCaptionPainter* pPainter = organizer.GetPainter(m_frame);
    ASSERT_NE(pPainter, nullptr);
    COXCaptionInfo info;
    info.m_clrBackground = RGB(0, 128, 0);
    ASSERT_TRUE(organizer.SetCaptionInfo(NULL, &info, TRUE));
    CScopedFrame<> later;
    ASSERT_TRUE(later.Create("Later", CRect(100, 100, 300, 200)));
    COXCaptionPainter* pLater = organizer.GetPainter(later);
    ASSERT_NE(pLater, nullptr);
    EXPECT_EQ(pLater->GetCaptionInfo(TRUE)->m_clrBackground, RGB(0, 128, 0));
    later.Destroy();
    EXPECT_TRUE(organizer.DetachFromThread(FALSE));
    EXPECT_FALSE(organizer.IsAttached(m_frame));
}

} // namespace
