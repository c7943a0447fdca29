// The caption customize page: the title's place and ellipsis, a look shown
// in the controls and written back, and which controls are enabled, as
// tables; then the page over real frames: the main window alone or every
// window painted, both states' edits kept while switching between them and
// given to the painters on OK (stored in the profile, read back by the
// registry tool), and Cancel putting back what the profile holds.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "CustomizePageRegistry.h"
#include "OXCustomizeCaptionPage.h"
#include "OXCustomizeManager.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const char* const kSection = "CustomizeCaptionTest";

TEST(OXCustomizeCaptionRules, TitlePlaceAndEllipsisBothWays)
{
    // Every place and ellipsis comes back from the flags it writes.
    for (int nPlace = 0; nPlace < 9; nPlace++)
        for (int nEllipsis = 0; nEllipsis < 3; nEllipsis++) {
            const UINT nFormat = OXCaptionTextFormat(nPlace, nEllipsis);
            EXPECT_EQ(OXCaptionTextAlignmentIndex(nFormat), nPlace) << std::hex << nFormat;
            EXPECT_EQ(OXCaptionTextEllipsisIndex(nFormat), nEllipsis) << std::hex << nFormat;
            EXPECT_TRUE(nFormat & DT_SINGLELINE);
        }
    struct Row { int nPlace, nEllipsis; UINT nFormat; } rows[] = {
        {0, 0, 0x0020}, {1, 1, 0x8021}, {2, 2, 0x4022}, {4, 1, 0x8025},
        {5, 0, 0x0026}, {6, 0, 0x0028}, {8, 2, 0x402A},
        {-1, -1, 0x0020},   // no choice in either list
    };
    for (const Row& r : rows)
        EXPECT_EQ(OXCaptionTextFormat(r.nPlace, r.nEllipsis), r.nFormat) << r.nPlace << "," << r.nEllipsis;
    // The painter's default: left, centred vertically, cut at the end.
    EXPECT_EQ(OXCaptionTextAlignmentIndex(0x8024), 3);
    EXPECT_EQ(OXCaptionTextEllipsisIndex(0x8024), 1);
}

TEST(OXCaptionPageValues, ALookShownAndWrittenBack)
{
    COXCaptionInfo info;   // system colours, gradient, square, 64 shades, 0x8024
    OXCaptionPageValues v = OXCaptionPageValuesFromInfo(info, TRUE);
    EXPECT_EQ(v.clrBackground, ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(v.clrText, ::GetSysColor(COLOR_CAPTIONTEXT));
    EXPECT_EQ(OXCaptionPageValuesFromInfo(info, FALSE).clrBackground, ::GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(OXCaptionPageValuesFromInfo(info, FALSE).clrText, ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    EXPECT_TRUE(v.bGradient);
    EXPECT_EQ(v.nGradientAlgorithm, 1);
    EXPECT_EQ(v.nShadeCount, 64u);
    EXPECT_EQ(v.nTextAlignment, 3);
    EXPECT_EQ(v.nTextEllipsis, 1);
    info.m_nShadeCount = 5000;   // stored by anyone: the edit shows what it can hold
    EXPECT_EQ(OXCaptionPageValuesFromInfo(info, TRUE).nShadeCount, 128u);

    struct Row {
        const char* what;
        void (*change)(OXCaptionPageValues&);
        bool (*check)(const COXCaptionInfo&);
    } rows[] = {
        {"algorithm 0 is linear", [](OXCaptionPageValues& x) { x.nGradientAlgorithm = 0; },
         [](const COXCaptionInfo& i) { return i.m_nGradientAlgorithm == 0; }},
        {"any other algorithm is square", [](OXCaptionPageValues& x) { x.nGradientAlgorithm = -1; },
         [](const COXCaptionInfo& i) { return i.m_nGradientAlgorithm == 1; }},
        {"0 shades keep the count", [](OXCaptionPageValues& x) { x.nShadeCount = 0; },
         [](const COXCaptionInfo& i) { return i.m_nShadeCount == 40; }},
        {"shades written", [](OXCaptionPageValues& x) { x.nShadeCount = 7; },
         [](const COXCaptionInfo& i) { return i.m_nShadeCount == 7; }},
        {"dark side", [](OXCaptionPageValues& x) { x.nGradientAlignment = 2; },
         [](const COXCaptionInfo& i) { return i.m_nGradientAlignment == 2; }},
        {"no side chosen keeps it", [](OXCaptionPageValues& x) { x.nGradientAlignment = -1; },
         [](const COXCaptionInfo& i) { return i.m_nGradientAlignment == 1; }},
        {"colours as they are", [](OXCaptionPageValues& x) { x.clrBackground = RGB(1, 2, 3); x.clrText = RGB(4, 5, 6); },
         [](const COXCaptionInfo& i) { return i.m_clrBackground == RGB(1, 2, 3) && i.m_clrText == RGB(4, 5, 6); }},
        {"place and ellipsis", [](OXCaptionPageValues& x) { x.nTextAlignment = 8; x.nTextEllipsis = 2; },
         [](const COXCaptionInfo& i) { return i.m_nTextFormat == 0x402Au; }},
        {"gradient off", [](OXCaptionPageValues& x) { x.bGradient = FALSE; },
         [](const COXCaptionInfo& i) { return !i.m_bGradient; }},
    };
    for (const Row& r : rows) {
        COXCaptionInfo target;
        target.m_nShadeCount = 40;
        target.m_nGradientAlignment = 1;
        OXCaptionPageValues values = OXCaptionPageValuesFromInfo(target, TRUE);
        r.change(values);
        OXCaptionPageValuesToInfo(values, target);
        EXPECT_TRUE(r.check(target)) << r.what;
    }
}

TEST(OXCustomizeCaptionRules, EnablingDefaultColourAndPreview)
{
    const UINT all[] = {IDC_OX_CPP_STATE,       IDC_OX_CPP_BACKGROUND,     IDC_OX_CPP_GRADIENT,
                        IDC_OX_CPP_ALIGNMENT,   IDC_OX_CPP_ALGORITHM,      IDC_OX_CPP_SHADES,
                        IDC_OX_CPP_SHADES_SPIN, IDC_OX_CPP_CAPTION_FONT,   IDC_OX_CPP_SMCAPTION_FONT,
                        IDC_OX_CPP_TEXT_ALIGNMENT, IDC_OX_CPP_TEXT_ELLIPSIS};
    const std::set<UINT> gradientOnly = {IDC_OX_CPP_ALIGNMENT, IDC_OX_CPP_ALGORITHM, IDC_OX_CPP_SHADES,
                                         IDC_OX_CPP_SHADES_SPIN};
    for (BOOL bPaint : {FALSE, TRUE})
        for (BOOL bGradient : {FALSE, TRUE})
            for (UINT nID : all) {
                const BOOL bExpected = bPaint && (bGradient || gradientOnly.count(nID) == 0);
                EXPECT_EQ(OXCaptionPageControlEnabled(nID, bPaint, bGradient), bExpected)
                    << nID << " paint " << bPaint << " gradient " << bGradient;
            }
    EXPECT_TRUE(OXCaptionPageControlEnabled(IDC_OX_CPP_PAINT, FALSE, FALSE));
    EXPECT_EQ(OXCaptionPageDefaultBackground(TRUE), RGB(0, 0, 128));
    EXPECT_EQ(OXCaptionPageDefaultBackground(FALSE), RGB(128, 128, 128));
    struct Row { BOOL bGradient; int nAlignment; int nMode; } rows[] = {
        {FALSE, 2, 0}, {TRUE, 0, 1}, {TRUE, 1, 2}, {TRUE, 2, 3}, {TRUE, 7, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(OXCaptionPagePreviewMode(r.bGradient, r.nAlignment), r.nMode) << r.bGradient << r.nAlignment;
}

// ---------------------------------------------------------------------------
// The page over real frames
// ---------------------------------------------------------------------------

class OXCustomizeCaptionPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(COXCaptionPainter::IsThemed());
        DeleteProfileSection(kSection);
        ASSERT_TRUE(m_main.Create("Main", CRect(40, 40, 440, 240)));
        ASSERT_TRUE(m_other.Create("Other", CRect(60, 300, 400, 450)));
        m_main.Show();
        m_other.Show();
        m_pSavedMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_main;
    }
    void TearDown() override
    {
        m_pManager.reset();
        AfxGetApp()->m_pMainWnd = m_pSavedMain;
        DeleteProfileSection(kSection);
    }
    void Open(COXCustomizePage* pPage)
    {
        m_pManager.reset(new COXCustomizeManager);
        m_pManager->RegisterPage(pPage, 1);
        ASSERT_TRUE(m_pManager->Open(NULL));
        ASSERT_EQ(m_pManager->GetActivePage(), pPage);
    }
    void Press(UINT nID)
    {
        m_pManager->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                                (LPARAM)m_pManager->GetDlgItem(nID)->GetSafeHwnd());
    }
    static COXColorPickerButton* ColourButton(CWnd& page)
    {
        return (COXColorPickerButton*)CWnd::FromHandlePermanent(page.GetDlgItem(IDC_OX_CPP_BACKGROUND)->m_hWnd);
    }
    // A colour picked on the button, as the page hears of it once the picker closes.
    static void PickColour(CWnd& page, COLORREF clr)
    {
        ColourButton(page)->SetColor(clr);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_CPP_BACKGROUND, BN_CLICKED), 0);
    }
    static COXFontPickerButton* FontButton(CWnd& page, UINT nID)
    {
        return (COXFontPickerButton*)CWnd::FromHandlePermanent(page.GetDlgItem(nID)->m_hWnd);
    }
    static void Choose(CWnd& page, UINT nID, int nIndex)
    {
        CWnd* pCombo = page.GetDlgItem(nID);
        pCombo->SendMessage(CB_SETCURSEL, nIndex);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)pCombo->GetSafeHwnd());
    }
    static int Chosen(CWnd& page, UINT nID) { return (int)page.GetDlgItem(nID)->SendMessage(CB_GETCURSEL); }
    // The main frame's caption left of its buttons, once it is drawn active.
    bool CaptionShows(COLORREF clr)
    {
        m_main->SendMessage(WM_NCACTIVATE, TRUE);
        auto pixel = [&] {
            CRect rect;
            m_main->GetWindowRect(&rect);
            HDC hdc = ::GetWindowDC(m_main->GetSafeHwnd());
            const int x = rect.Width() - ::GetSystemMetrics(SM_CXFRAME) - 3 * ::GetSystemMetrics(SM_CXSIZE) - 20;
            const COLORREF c = ::GetPixel(hdc, x, ::GetSystemMetrics(SM_CYFRAME) + 3);
            ::ReleaseDC(m_main->GetSafeHwnd(), hdc);
            return c;
        };
        if (PumpUntil([&] { return pixel() == clr; }, 5000))
            return true;
        ADD_FAILURE() << "the caption reads 0x" << std::hex << pixel() << ", expected 0x" << clr;
        return false;
    }

    CScopedFrame<> m_main;
    CScopedFrame<> m_other;
    CWnd* m_pSavedMain = NULL;
    std::unique_ptr<COXCustomizeManager> m_pManager;
};

TEST_F(OXCustomizeCaptionPageTest, TheMainWindowAloneOrEveryWindow)
{
    struct Case { BOOL bPaint, bOnlyMain; bool bMain, bOther; } cases[] = {
        {TRUE, TRUE, true, false},
        {TRUE, FALSE, true, true},
        {FALSE, FALSE, false, false},
    };
    for (const Case& c : cases) {
        COXCustomizeCaptionPage page;
        ASSERT_TRUE(page.InitializeCaptionPainter(c.bPaint, NULL, c.bOnlyMain));
        EXPECT_EQ(page.GetOrganizer().IsAttached(m_main) != FALSE, c.bMain) << c.bPaint << c.bOnlyMain;
        EXPECT_EQ(page.GetOrganizer().IsAttached(m_other) != FALSE, c.bOther) << c.bPaint << c.bOnlyMain;
    }
    // The switches stored in the section win over the arguments.
    AfxGetApp()->WriteProfileInt(kSection, "PaintCaption", 1);
    AfxGetApp()->WriteProfileInt(kSection, "OnlyMainWindow", 1);
    COXCustomizeCaptionPage page;
    ASSERT_TRUE(page.InitializeCaptionPainter(FALSE, kSection, FALSE));
    EXPECT_TRUE(page.GetOrganizer().IsAttached(m_main));
    EXPECT_FALSE(page.GetOrganizer().IsAttached(m_other));
}

// Edits of the active look survive a visit to the inactive one; OK gives
// both to the painters, paints the caption and stores the section.
TEST_F(OXCustomizeCaptionPageTest, BothStatesEditedThenGivenToThePaintersOnOk)
{
    COXCustomizeCaptionPage page;
    ASSERT_TRUE(page.InitializeCaptionPainter(TRUE, kSection, TRUE));
    Open(&page);
    EXPECT_FALSE(m_pManager->GetDlgItem(IDC_OX_CUSTOMIZE_APPLY)->IsWindowEnabled());
    EXPECT_EQ(Chosen(page, IDC_OX_CPP_STATE), 0);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_OX_CPP_GRADIENT), BST_CHECKED);
    EXPECT_TRUE(page.GetDlgItem(IDC_OX_CPP_SHADES)->IsWindowEnabled());

    PickColour(page, RGB(200, 0, 0));
    page.GetDlgItem(IDC_OX_CPP_GRADIENT)->SendMessage(BM_CLICK);
    EXPECT_FALSE(page.GetDlgItem(IDC_OX_CPP_SHADES)->IsWindowEnabled());
    EXPECT_FALSE(page.GetDlgItem(IDC_OX_CPP_ALIGNMENT)->IsWindowEnabled());
    Choose(page, IDC_OX_CPP_TEXT_ALIGNMENT, 4);
    // A font and colour chosen on the caption font's button (as the page
    // hears of it once the font dialog closes): one colour for both fonts.
    LOGFONT lf = {};
    lf.lfHeight = -19;
    lf.lfWeight = FW_BOLD;
    lstrcpyA(lf.lfFaceName, "Arial");
    FontButton(page, IDC_OX_CPP_CAPTION_FONT)->SetBuddyLogFont(&lf, FALSE);
    FontButton(page, IDC_OX_CPP_CAPTION_FONT)->SetBuddyTextColor(RGB(255, 255, 0), TRUE);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_CPP_CAPTION_FONT, BN_CLICKED), 0);
    EXPECT_EQ(FontButton(page, IDC_OX_CPP_SMCAPTION_FONT)->GetBuddyTextColor(), RGB(255, 255, 0));

    Choose(page, IDC_OX_CPP_STATE, 1);
    EXPECT_EQ(ColourButton(page)->GetColor(), ::GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(ColourButton(page)->GetDefaultColor(), RGB(128, 128, 128));
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_OX_CPP_GRADIENT), BST_CHECKED);
    EXPECT_EQ(Chosen(page, IDC_OX_CPP_TEXT_ALIGNMENT), 3);
    PickColour(page, RGB(0, 0, 160));
    page.SetDlgItemInt(IDC_OX_CPP_SHADES, 10);
    page.SetDlgItemInt(IDC_OX_CPP_SHADES, 0);   // 0: the count stays
    EXPECT_EQ(page.GetEditedInfo(FALSE).m_nShadeCount, 10);
    {
        // Past 128 the page says so and keeps the count.
        CDialogAnswerer answerer;
        std::vector<std::string> boxes;
        answerer.Handle([&](HWND hBox, const ShownDialog& shown) {
            boxes.push_back(shown.text);
            CDialogAnswerer::PressButton(hBox, IDOK);
        });
        page.SetDlgItemInt(IDC_OX_CPP_SHADES, 200);
        EXPECT_EQ(boxes.size(), 1u) << "200 shades were taken without a word";
        EXPECT_EQ(page.GetEditedInfo(FALSE).m_nShadeCount, 10);
    }
    page.SetDlgItemInt(IDC_OX_CPP_SHADES, 10);

    Choose(page, IDC_OX_CPP_STATE, 0);
    EXPECT_EQ(ColourButton(page)->GetColor(), RGB(200, 0, 0));
    EXPECT_EQ(ColourButton(page)->GetDefaultColor(), RGB(0, 0, 128));
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_OX_CPP_GRADIENT), BST_UNCHECKED);
    EXPECT_EQ(Chosen(page, IDC_OX_CPP_TEXT_ALIGNMENT), 4);

    Press(IDOK);
    ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    COXCaptionPainter* pPainter = page.GetOrganizer().GetPainter(m_main);
    ASSERT_NE(pPainter, nullptr);
    EXPECT_FALSE(page.GetOrganizer().IsAttached(m_other));
    EXPECT_EQ(pPainter->GetCaptionInfo(TRUE)->m_clrBackground, RGB(200, 0, 0));
    EXPECT_FALSE(pPainter->GetCaptionInfo(TRUE)->m_bGradient);
    EXPECT_EQ(pPainter->GetCaptionInfo(TRUE)->m_nTextFormat, 0x8025u);
    EXPECT_EQ(pPainter->GetCaptionInfo(TRUE)->m_clrText, RGB(255, 255, 0));
    LOGFONT lfPainted = {};
    ASSERT_TRUE(pPainter->GetCaptionInfo(TRUE)->GetCaptionLogFont(&lfPainted));
    EXPECT_STREQ(lfPainted.lfFaceName, "Arial");
    EXPECT_EQ(lfPainted.lfHeight, -19);
    EXPECT_NE(pPainter->GetCaptionInfo(FALSE)->m_clrText, RGB(255, 255, 0));   // the other state's own
    EXPECT_EQ(pPainter->GetCaptionInfo(FALSE)->m_clrBackground, RGB(0, 0, 160));
    EXPECT_EQ(pPainter->GetCaptionInfo(FALSE)->m_nShadeCount, 10);
    EXPECT_TRUE(CaptionShows(RGB(200, 0, 0)));

    std::map<std::string, std::string> stored = RegQuerySection(kSection);
    EXPECT_EQ(stored["PaintCaption"], "1");
    EXPECT_EQ(stored["OnlyMainWindow"], "1");
    EXPECT_EQ(stored.count("Active"), 1u);
    EXPECT_EQ(stored.count("Inactive"), 1u);
    EXPECT_EQ(stored.size(), 4u);

    // The next start takes the stored looks.
    COXCaptionPainter back;
    ASSERT_TRUE(back.LoadState(kSection, FALSE));
    EXPECT_EQ(back.GetCaptionInfo(TRUE)->m_clrBackground, RGB(200, 0, 0));
    EXPECT_EQ(back.GetCaptionInfo(FALSE)->m_nShadeCount, 10);
}

// The preview strip carries a sample title: the main window's, in the
// caption font, placed as the title is and in a colour that reads on it.
TEST_F(OXCustomizeCaptionPageTest, ThePreviewShowsASampleTitle)
{
    COXCustomizeCaptionPage page;
    ASSERT_TRUE(page.InitializeCaptionPainter(TRUE, kSection, TRUE));
    Open(&page);
    COXStatic* pPreview = (COXStatic*)CWnd::FromHandlePermanent(page.GetDlgItem(IDC_OX_CPP_PREVIEW)->m_hWnd);
    ASSERT_NE(pPreview, nullptr);
    CString sText;
    pPreview->GetWindowText(sText);
    EXPECT_STREQ(sText, "Main");
    ASSERT_NE(pPreview->GetTextFont(), nullptr);

    struct Case { int nAlignment; DWORD dwType; } cases[] = {{0, SS_LEFT}, {4, SS_CENTER}, {8, SS_RIGHT}};
    for (const Case& c : cases) {
        Choose(page, IDC_OX_CPP_TEXT_ALIGNMENT, c.nAlignment);
        EXPECT_EQ(pPreview->GetStyle() & SS_TYPEMASK, c.dwType) << c.nAlignment;
    }
    // A dark title on a gradient darkening to where it stands reads light.
    Choose(page, IDC_OX_CPP_TEXT_ALIGNMENT, 0);
    Choose(page, IDC_OX_CPP_ALIGNMENT, 0);
    FontButton(page, IDC_OX_CPP_CAPTION_FONT)->SetBuddyTextColor(RGB(0, 0, 64), TRUE);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_CPP_CAPTION_FONT, BN_CLICKED), 0);
    EXPECT_EQ(pPreview->GetBkDrawMode(), 1);
    EXPECT_GE(OXContrastRatio(pPreview->GetTextColor(), RGB(0, 0, 0)), kOXMinTitleContrast)
        << std::hex << pPreview->GetTextColor();
}

// Cancel writes none of the page's values and puts back the look the
// profile holds, whatever was changed meanwhile; a switch the profile does
// not hold goes back to what the page was set up with.
TEST_F(OXCustomizeCaptionPageTest, CancelPutsBackWhatTheProfileHolds)
{
    {
        COXCaptionPainter stored;
        ASSERT_TRUE(stored.Attach(m_other));
        stored.GetCaptionInfo(TRUE)->m_bGradient = FALSE;
        stored.GetCaptionInfo(TRUE)->m_clrBackground = RGB(0, 128, 0);
        ASSERT_TRUE(stored.SaveState(kSection));
        stored.Unhook();
    }
    COXCustomizeCaptionPage page;
    ASSERT_TRUE(page.InitializeCaptionPainter(TRUE, kSection, TRUE));
    EXPECT_TRUE(CaptionShows(RGB(0, 128, 0)));
    Open(&page);
    EXPECT_EQ(ColourButton(page)->GetColor(), RGB(0, 128, 0));   // the page shows the main window's look
    PickColour(page, RGB(200, 0, 0));
    page.GetDlgItem(IDC_OX_CPP_PAINT)->SendMessage(BM_CLICK);
    EXPECT_FALSE(page.GetDlgItem(IDC_OX_CPP_BACKGROUND)->IsWindowEnabled());
    // A look given to the painters by other means meanwhile.
    COXCaptionInfo blue;
    blue.m_bGradient = FALSE;
    blue.m_clrBackground = RGB(0, 0, 200);
    page.GetOrganizer().SetCaptionInfo(NULL, &blue, TRUE);
    EXPECT_TRUE(CaptionShows(RGB(0, 0, 200)));

    Press(IDCANCEL);
    ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    // Painting switched off on the page and nothing stored: as set up.
    EXPECT_TRUE(page.GetOrganizer().IsAttached(m_main));
    EXPECT_TRUE(CaptionShows(RGB(0, 128, 0)));
    std::map<std::string, std::string> stored = RegQuerySection(kSection);
    EXPECT_EQ(stored.count("PaintCaption"), 0u);
    EXPECT_EQ(stored.count("OnlyMainWindow"), 0u);
}

// Without a section nothing is stored, yet OK still shows the chosen look.
TEST_F(OXCustomizeCaptionPageTest, WithoutASectionOkStillShowsTheLook)
{
    COXCustomizeCaptionPage page;
    ASSERT_TRUE(page.InitializeCaptionPainter(TRUE, NULL, TRUE));
    Open(&page);
    PickColour(page, RGB(200, 0, 0));
    page.GetDlgItem(IDC_OX_CPP_GRADIENT)->SendMessage(BM_CLICK);
    Press(IDOK);
    ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    EXPECT_TRUE(CaptionShows(RGB(200, 0, 0)));
    EXPECT_TRUE(RegQuerySection(kSection).empty());
}

}   // namespace
