// The splash window customize page: its colour types and control states as
// tables, the splash window it shows when set up and on Preview, stored
// values out of range ignored, and the page in the customize manager: OK
// stores the eleven values (read back by the registry tool and by a page
// made anew, as at the next start), Cancel and a refused tolerance store
// nothing.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "CustomizePageRegistry.h"
#include "OXCustomizeManager.h"
#include "OXCustomizeSplashWindowPage.h"
#include "OXDIB.h"
#include "TestFolder.h"
#include "testsupport.h"

namespace {

const char* const kSection = "CustomizeSplashTest";

class CTestSplashPage : public COXCustomizeSplashWindowPage
{
public:
    using COXCustomizeSplashWindowPage::m_bDisplaySplashWindow;
    using COXCustomizeSplashWindowPage::m_bInterruptable;
    using COXCustomizeSplashWindowPage::m_bShowInfinitely;
    using COXCustomizeSplashWindowPage::m_bUseDefaultImage;
    using COXCustomizeSplashWindowPage::m_clrTransparent;
    using COXCustomizeSplashWindowPage::m_nColorTolerance;
    using COXCustomizeSplashWindowPage::m_nImageSource;
    using COXCustomizeSplashWindowPage::m_nShowDelay;
    using COXCustomizeSplashWindowPage::m_nShowMode;
    using COXCustomizeSplashWindowPage::m_nTransparentColorType;
    using COXCustomizeSplashWindowPage::m_ptTransparentColor;
    using COXCustomizeSplashWindowPage::m_sImageFileName;
};

// A 24-bit BMP file of 40 x 20: magenta round a blue block.
CString WriteSplashFile(const CTestFolder& folder)
{
    COXDIB dib;
    dib.CreateEmpty(24, 40, 20);
    BYTE* p = (BYTE*)dib.FindDIBBits();
    const DWORD row = OXDIBLayout::RowBytes(24, 40);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 40; x++) {
            BOOL bInside = x >= 10 && x < 30 && y >= 5 && y < 15;
            BYTE* px = p + (size_t)(19 - y) * row + 3 * x;
            px[0] = bInside ? 200 : 255;
            px[1] = 0;
            px[2] = bInside ? 0 : 255;
        }
    CString path = folder.File("splash.bmp");
    EXPECT_TRUE(dib.Save(path));
    return path;
}

// This thread's messages through the application's pump, where a splash
// window sees input before its window does.
bool PumpThroughAppUntil(const std::function<bool()>& pred, DWORD ms = 10000)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!pred()) {
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
        else if (::GetTickCount64() >= end)
            return false;
        else
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

BOOL IsShown(COXSplashWnd& wnd)
{
    return ::IsWindow(wnd.GetSafeHwnd()) && wnd.IsWindowVisible();
}

TEST(OXCustomizeSplashRules, ColourTypes)
{
    struct Row { COLORREF clrArgument; int nType; COLORREF clrGiven; } rows[] = {
        {CLR_DEFAULT, OX_SPLASH_COLOR_AT_POINT, CLR_DEFAULT},
        {CLR_NONE, OX_SPLASH_COLOR_NONE, CLR_NONE},
        {RGB(10, 20, 30), OX_SPLASH_COLOR_GIVEN, RGB(10, 20, 30)},
        {RGB(0, 0, 0), OX_SPLASH_COLOR_GIVEN, RGB(0, 0, 0)},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(OXSplashColorType(r.clrArgument), r.nType) << std::hex << r.clrArgument;
        EXPECT_EQ(OXSplashTransparentColor(r.nType, r.clrArgument), r.clrGiven) << std::hex << r.clrArgument;
    }
}

TEST(OXCustomizeSplashRules, ControlStates)
{
    const UINT D = IDC_OX_SPP_DELAY, DS = IDC_OX_SPP_DELAY_SPIN, F = IDC_OX_SPP_FILE_NAME, C = IDC_OX_SPP_COLOR,
               X = IDC_OX_SPP_POINT_X, Y = IDC_OX_SPP_POINT_Y, T = IDC_OX_SPP_TOLERANCE,
               TS = IDC_OX_SPP_TOLERANCE_SPIN;
    struct Row { int nShowMode, nImageSource, nColorType; std::set<UINT> enabled; } rows[] = {
        {0, 0, 0, {D, DS, C, T, TS}},
        {1, 0, 0, {C, T, TS}},
        {0, 1, 1, {D, DS, F}},
        {1, 1, 2, {F, X, Y, T, TS}},
        {1, 0, 1, {}},
    };
    for (const Row& r : rows) {
        std::set<UINT> enabled;
        for (UINT nID : {D, DS, F, C, X, Y, T, TS})
            if (OXSplashPageControlEnabled(nID, r.nShowMode, r.nImageSource, r.nColorType))
                enabled.insert(nID);
        EXPECT_EQ(enabled, r.enabled) << r.nShowMode << r.nImageSource << r.nColorType;
    }
    EXPECT_TRUE(OXSplashPageControlEnabled(IDC_OX_SPP_PREVIEW, 1, 0, 1));
}

class OXCustomizeSplashWindowPageTest : public ::testing::Test
{
protected:
    void SetUp() override { DeleteProfileSection(kSection); }
    void TearDown() override
    {
        m_pManager.reset();
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
    // A click on a page's button as the user's would reach it.
    static void Click(CWnd& page, UINT nID) { page.GetDlgItem(nID)->SendMessage(BM_CLICK); }
    static BOOL Enabled(CWnd& page, UINT nID) { return page.GetDlgItem(nID)->IsWindowEnabled(); }

    std::unique_ptr<COXCustomizeManager> m_pManager;
};

// Until closed and no transparent colour: the page shows show mode 1 and
// colour type 1, and the splash window stays, rectangular, until a click.
TEST_F(OXCustomizeSplashWindowPageTest, SetUpUntilClosedWithoutAColour)
{
    CTestSplashPage page;
    ASSERT_TRUE(page.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, TRUE, -1, TRUE, CLR_NONE, NULL, 0, NULL));
    EXPECT_EQ(page.m_nShowMode, 1);
    EXPECT_EQ(page.m_nTransparentColorType, OX_SPLASH_COLOR_NONE);
    EXPECT_EQ(page.m_nShowDelay, 0u);
    COXSplashWnd& splash = page.GetSplashWnd();
    ASSERT_TRUE(IsShown(splash));
    EXPECT_EQ(splash.GetTimeout(), -1);
    EXPECT_EQ(splash.GetRegion().GetSafeHandle(), nullptr);
    HWND hSplash = splash.GetSafeHwnd();
    ::PostMessageA(hSplash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(PumpThroughAppUntil([&] { return !::IsWindow(hSplash); })) << "a click left the splash window up";

    CTestSplashPage hidden;
    ASSERT_TRUE(hidden.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, FALSE, 2000, FALSE, RGB(192, 192, 192),
                                              NULL, 5, NULL));
    EXPECT_FALSE(::IsWindow(hidden.GetSplashWnd().GetSafeHwnd()));
    EXPECT_EQ(hidden.m_nShowMode, 0);
    EXPECT_EQ(hidden.m_nShowDelay, 2000u);
    EXPECT_EQ(hidden.m_nTransparentColorType, OX_SPLASH_COLOR_GIVEN);
    EXPECT_EQ(hidden.m_clrTransparent, RGB(192, 192, 192));
}

// A stored colour type outside 0-2 (7), a tolerance past 255, a negative
// delay or point: each is ignored and the splash window is shown as the
// arguments say, shaped by the colour at the point.
TEST_F(OXCustomizeSplashWindowPageTest, StoredValuesOutOfRangeAreIgnored)
{
    CWinApp* pApp = AfxGetApp();
    struct Case { int nType; int nExpectedType; } cases[] = {{7, 2}, {-1, 2}, {3, 2}, {1, 1}, {2, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nType);
        pApp->WriteProfileInt(kSection, "TransparentColorType", c.nType);
        pApp->WriteProfileInt(kSection, "ColorTolerance", 300);
        pApp->WriteProfileInt(kSection, "SplashWindowShowDelay", -5);
        pApp->WriteProfileInt(kSection, "TransparentColorPoint_CoordX", -3);
        CTestSplashPage page;
        CPoint pt(31, 31);
        ASSERT_TRUE(page.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, TRUE, 1500, TRUE, CLR_DEFAULT, &pt, 10,
                                                kSection));
        EXPECT_EQ(page.m_nTransparentColorType, c.nExpectedType);
        EXPECT_EQ(page.m_nColorTolerance, 10u);
        EXPECT_EQ(page.m_nShowDelay, 1500u);
        EXPECT_EQ(page.m_ptTransparentColor, CPoint(31, 31));
        COXSplashWnd& splash = page.GetSplashWnd();
        ASSERT_TRUE(IsShown(splash));
        EXPECT_EQ(splash.GetTimeout(), 1500);
        if (c.nExpectedType == OX_SPLASH_COLOR_AT_POINT) {
            EXPECT_EQ(splash.m_clrTransparent, RGB(192, 192, 192));   // the picture's clear grey at (31, 31)
            EXPECT_NE(splash.GetRegion().GetSafeHandle(), nullptr);
        } else {
            EXPECT_EQ(splash.GetRegion().GetSafeHandle(), nullptr);
        }
        splash.Close();
    }
}

// OK stores the eleven values; a page made anew reads them and its
// controls show them.
TEST_F(OXCustomizeSplashWindowPageTest, OkStoresWhatAFreshPageShows)
{
    CTestFolder folder;
    CString sFile = WriteSplashFile(folder);
    {
        CTestSplashPage page;
        ASSERT_TRUE(page.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, FALSE, -1, FALSE, CLR_DEFAULT, NULL, 0,
                                                kSection));
        Open(&page);
        Click(page, IDC_OX_SPP_INTERRUPTABLE);
        Click(page, IDC_OX_SPP_IMAGE_FILE);
        page.GetDlgItem(IDC_OX_SPP_FILE_NAME)->SetWindowText(sFile);
        Click(page, IDC_OX_SPP_SHOW_FOR);
        page.SetDlgItemInt(IDC_OX_SPP_DELAY, 2500);
        Click(page, IDC_OX_SPP_COLOR_TYPE_COLOR);
        ((COXColorPickerButton*)CWnd::FromHandlePermanent(page.GetDlgItem(IDC_OX_SPP_COLOR)->m_hWnd))
            ->SetColor(RGB(10, 20, 30));
        page.SetDlgItemInt(IDC_OX_SPP_POINT_X, 3);
        page.SetDlgItemInt(IDC_OX_SPP_POINT_Y, 4);
        page.SetDlgItemInt(IDC_OX_SPP_TOLERANCE, 20);
        Press(IDOK);
        ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    }
    std::map<std::string, std::string> expected = {
        {"DisplaySplashWindow", "0"},
        {"SplashWindow_Interruptable", "1"},
        {"SplashWindowShowDelay", "2500"},
        {"TransparentColorPoint_CoordX", "3"},
        {"TransparentColorPoint_CoordY", "4"},
        {"TransparentColorType", "0"},
        {"UseDefaultImage", "0"},
        {"SplashWindowShowInfinitely", "0"},
        {"SplashImageFileName", (LPCTSTR)sFile},
        {"TransparentColor", std::to_string(RGB(10, 20, 30))},
        {"ColorTolerance", "20"},
    };
    EXPECT_EQ(RegQuerySection(kSection), expected);

    CTestSplashPage next;
    ASSERT_TRUE(next.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, TRUE, -1, FALSE, CLR_NONE, NULL, 0, kSection));
    EXPECT_FALSE(::IsWindow(next.GetSplashWnd().GetSafeHwnd())) << "shown though switched off";
    EXPECT_EQ(next.m_nImageSource, 1);
    EXPECT_EQ(next.m_nShowMode, 0);
    EXPECT_EQ(next.m_sImageFileName, sFile);
    Open(&next);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_SPP_DISPLAY), BST_UNCHECKED);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_SPP_INTERRUPTABLE), BST_CHECKED);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_SPP_IMAGE_FILE), BST_CHECKED);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_SPP_SHOW_FOR), BST_CHECKED);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_SPP_COLOR_TYPE_COLOR), BST_CHECKED);
    EXPECT_EQ(next.GetDlgItemInt(IDC_OX_SPP_DELAY), 2500u);
    EXPECT_EQ(next.GetDlgItemInt(IDC_OX_SPP_TOLERANCE), 20u);
    EXPECT_EQ(WindowText(next.GetDlgItem(IDC_OX_SPP_FILE_NAME)->m_hWnd), std::string(sFile));
    EXPECT_EQ(((COXColorPickerButton*)CWnd::FromHandlePermanent(next.GetDlgItem(IDC_OX_SPP_COLOR)->m_hWnd))
                  ->GetColor(),
              RGB(10, 20, 30));
    EXPECT_TRUE(Enabled(next, IDC_OX_SPP_DELAY));
    EXPECT_TRUE(Enabled(next, IDC_OX_SPP_FILE_NAME));
    EXPECT_FALSE(Enabled(next, IDC_OX_SPP_POINT_X));
    m_pManager.reset();
}

// Cancel stores nothing, whatever was changed; a tolerance of 256 is
// refused, which keeps the dialog open on the page and stores nothing.
TEST_F(OXCustomizeSplashWindowPageTest, CancelAndARefusedToleranceStoreNothing)
{
    CTestSplashPage page;
    ASSERT_TRUE(page.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, FALSE, -1, FALSE, CLR_DEFAULT, NULL, 0,
                                            kSection));
    Open(&page);
    Click(page, IDC_OX_SPP_DISPLAY);
    page.SetDlgItemInt(IDC_OX_SPP_TOLERANCE, 40);
    Press(IDCANCEL);
    ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    EXPECT_TRUE(RegQuerySection(kSection).empty());

    // The answerer sees the manager (a dialog too) and leaves it alone.
    CDialogAnswerer answerer;
    std::vector<std::string> boxes;
    for (int i = 0; i < 3; i++)
        answerer.Handle([&](HWND hBox, const ShownDialog& shown) {
            if (hBox == m_pManager->GetSafeHwnd())
                return;
            boxes.push_back(shown.text);
            CDialogAnswerer::PressButton(hBox, IDOK);
        });
    ASSERT_TRUE(m_pManager->Open(NULL));
    page.SetDlgItemInt(IDC_OX_SPP_TOLERANCE, 256);
    Press(IDOK);
    ASSERT_EQ(boxes.size(), 1u) << "the tolerance was taken without a word";
    EXPECT_TRUE(::IsWindow(m_pManager->GetSafeHwnd()));
    EXPECT_EQ(m_pManager->GetActivePage(), &page);
    EXPECT_TRUE(RegQuerySection(kSection).empty());
    Press(IDCANCEL);
    EXPECT_TRUE(RegQuerySection(kSection).empty());
}

// The radio choices enable what they need, the program's own image empties
// the file name; Preview shows the chosen file, closed by a click even when
// the start-up one is not, and a missing file shows nothing and says nothing.
TEST_F(OXCustomizeSplashWindowPageTest, ChoicesAndPreview)
{
    CTestFolder folder;
    CString sFile = WriteSplashFile(folder);
    CTestSplashPage page;
    ASSERT_TRUE(page.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, FALSE, -1, FALSE, CLR_DEFAULT, NULL, 0, NULL));
    Open(&page);
    EXPECT_FALSE(Enabled(page, IDC_OX_SPP_DELAY));
    EXPECT_FALSE(Enabled(page, IDC_OX_SPP_FILE_NAME));
    EXPECT_TRUE(Enabled(page, IDC_OX_SPP_POINT_X));
    Click(page, IDC_OX_SPP_COLOR_TYPE_NONE);
    EXPECT_FALSE(Enabled(page, IDC_OX_SPP_POINT_X));
    EXPECT_FALSE(Enabled(page, IDC_OX_SPP_TOLERANCE));
    EXPECT_FALSE(Enabled(page, IDC_OX_SPP_COLOR));
    Click(page, IDC_OX_SPP_SHOW_FOR);
    EXPECT_TRUE(Enabled(page, IDC_OX_SPP_DELAY_SPIN));
    Click(page, IDC_OX_SPP_IMAGE_FILE);
    EXPECT_TRUE(Enabled(page, IDC_OX_SPP_FILE_NAME));

    page.GetDlgItem(IDC_OX_SPP_FILE_NAME)->SetWindowText(sFile);
    page.SetDlgItemInt(IDC_OX_SPP_DELAY, 30000);
    Click(page, IDC_OX_SPP_PREVIEW);
    COXSplashWnd& preview = page.GetPreviewSplashWnd();
    ASSERT_TRUE(IsShown(preview));
    CRect rect;
    preview.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(40, 20));
    EXPECT_EQ(preview.GetTimeout(), 30000);
    HWND hPreview = preview.GetSafeHwnd();
    ::PostMessageA(hPreview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 10));
    EXPECT_TRUE(PumpThroughAppUntil([&] { return !::IsWindow(hPreview); })) << "a click left the preview up";

    CDialogAnswerer answerer;
    page.GetDlgItem(IDC_OX_SPP_FILE_NAME)->SetWindowText(folder.File("missing.bmp"));
    Click(page, IDC_OX_SPP_PREVIEW);
    EXPECT_FALSE(::IsWindow(preview.GetSafeHwnd()));
    EXPECT_TRUE(answerer.Shown().empty());

    Click(page, IDC_OX_SPP_DEFAULT_IMAGE);
    EXPECT_FALSE(Enabled(page, IDC_OX_SPP_FILE_NAME));
    EXPECT_EQ(WindowText(page.GetDlgItem(IDC_OX_SPP_FILE_NAME)->m_hWnd), "");
    EXPECT_TRUE(page.m_sImageFileName.IsEmpty());
    m_pManager.reset();
}

}   // namespace
