// The button appearance dialog: which controls its flags enable (a table),
// and the dialog itself, shown modal and driven by clicks, on a bitmap
// button whose text and image it sets.
#include <afxcmn.h>
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXBitmapButton.h"
#include "OXButtonAppearanceDlg.h"
#include "testdrawing.h"
#include "testsupport.h"
#include "toolkit_res.h"

namespace {

TEST(OXButtonAppearanceRules, WhatEachFlagEnables)
{
    struct Case {
        const char* what;
        int nStyle;
        BOOL bCustom, bNoImage, bDisableOption, bDisableCombo;
        BOOL bText, bStyle, bImages, bOption, bCombo, bCustomFields;
    } cases[] = {
        {"image only", 0, FALSE, FALSE, FALSE, TRUE, FALSE, TRUE, TRUE, TRUE, FALSE, FALSE},
        {"image and text", 1, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE, TRUE, FALSE, FALSE},
        {"no style chosen yet", -1, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE, TRUE, FALSE, FALSE},
        {"no image: text whatever the style", 0, FALSE, TRUE, FALSE, TRUE, TRUE, FALSE, FALSE, TRUE, FALSE, FALSE},
        {"option off, list on", 1, FALSE, FALSE, TRUE, FALSE, TRUE, TRUE, TRUE, FALSE, TRUE, FALSE},
        // A custom button: only its own fields, and the images, stay.
        {"custom", 1, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, TRUE},
        {"custom without image", 0, TRUE, TRUE, FALSE, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, TRUE},
    };
    for (const Case& c : cases) {
        OXButtonAppearanceEnabling e =
            OXButtonAppearanceRules(c.nStyle, c.bCustom, c.bNoImage, c.bDisableOption, c.bDisableCombo);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(e.bText, c.bText);
        EXPECT_EQ(e.bStyle, c.bStyle);
        EXPECT_EQ(e.bImages, c.bImages);
        EXPECT_EQ(e.bOption, c.bOption);
        EXPECT_EQ(e.bCombo, c.bCombo);
        EXPECT_EQ(e.bCustom, c.bCustomFields);
    }
}

bool Enabled(HWND hDlg, int nID) { return ::IsWindowEnabled(::GetDlgItem(hDlg, nID)) != FALSE; }

class OXButtonAppearanceDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "Appearance", WS_OVERLAPPEDWINDOW, CRect(40, 40, 300, 200)));
        ASSERT_TRUE(m_button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_OWNERDRAW,
                                    CRect(10, 10, 110, 40), &m_host, 1));
        ASSERT_TRUE(m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 3));
        for (COLORREF c : {kRed, kGreen, kBlue}) {
            CPixelCanvas canvas(16, 16, c);
            CBitmap bitmap;
            bitmap.CreateCompatibleBitmap(&canvas.dc, 16, 16);
            CDC dc;
            dc.CreateCompatibleDC(&canvas.dc);
            CBitmap* pOld = dc.SelectObject(&bitmap);
            dc.FillSolidRect(0, 0, 16, 16, c);
            dc.SelectObject(pOld);
            m_images.Add(&bitmap, kMagenta);
        }
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CWnd m_host;
    COXBitmapButton m_button;
    CImageList m_images;
};

TEST_F(OXButtonAppearanceDlgTest, ChoosingTextOnABitmapButtonEnablesItsTextAndSetsIt)
{
    COXButtonAppearanceDlg dlg(&m_button);
    dlg.m_pImageList = &m_images;
    dlg.m_nStyle = 0;
    dlg.m_nImageIndex = 1;
    CString sText;
    m_button.GetWindowText(sText);
    dlg.m_sText = sText;
    dlg.m_arrComboStrings.Add("Wide");
    dlg.m_bDisableCombo = FALSE;

    CDialogAnswerer answerer;
    bool bSeen = false;
    answerer.Handle([&](HWND hDlg, const ShownDialog&) {
        bSeen = true;
        EXPECT_EQ(::SendDlgItemMessageA(hDlg, IDC_OX_BA_IMAGES, LB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(::SendDlgItemMessageA(hDlg, IDC_OX_BA_IMAGES, LB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(::SendDlgItemMessageA(hDlg, IDC_OX_BA_COMBO, CB_GETCOUNT, 0, 0), 2);   // "None", "Wide"
        EXPECT_EQ(::SendDlgItemMessageA(hDlg, IDC_OX_BA_HEIGHT_SPIN, UDM_GETRANGE, 0, 0), MAKELONG(1000, 0));
        EXPECT_FALSE(Enabled(hDlg, IDC_OX_BA_TEXT));   // image only
        EXPECT_TRUE(Enabled(hDlg, IDC_OX_BA_COMBO));
        EXPECT_FALSE(Enabled(hDlg, IDC_OX_BA_HEIGHT));
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_STYLE_TEXT, BM_CLICK, 0, 0);
        EXPECT_TRUE(Enabled(hDlg, IDC_OX_BA_TEXT));
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_STYLE_IMAGE, BM_CLICK, 0, 0);
        EXPECT_FALSE(Enabled(hDlg, IDC_OX_BA_TEXT));
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_STYLE_TEXT, BM_CLICK, 0, 0);
        ::SetDlgItemTextA(hDlg, IDC_OX_BA_TEXT, "Stop");
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_IMAGES, LB_SETCURSEL, 2, 0);
        CDialogAnswerer::PressButton(hDlg, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(bSeen);
    EXPECT_EQ(dlg.m_nStyle, 1);
    EXPECT_EQ(dlg.m_nImageIndex, 2);
    EXPECT_EQ(dlg.m_sText, "Stop");
    // What the commands page does with the answer: the button takes it.
    m_button.SetText(dlg.m_sText);
    m_button.GetWindowText(sText);
    EXPECT_EQ(sText, "Stop");
}

TEST_F(OXButtonAppearanceDlgTest, ACustomButtonEditsOnlyItsOwnFields)
{
    COXButtonAppearanceDlg dlg(&m_host);
    dlg.m_pImageList = &m_images;
    dlg.m_nStyle = 1;
    dlg.m_bCustomButton = TRUE;
    dlg.m_nHeight = 24;
    CDialogAnswerer answerer;
    answerer.Handle([&](HWND hDlg, const ShownDialog&) {
        struct {
            int nID;
            bool bEnabled;
        } const expected[] = {
            {IDC_OX_BA_TEXT, false},       {IDC_OX_BA_STYLE_IMAGE, false}, {IDC_OX_BA_STYLE_TEXT, false},
            {IDC_OX_BA_IMAGES, true},      {IDC_OX_BA_OPTION, false},      {IDC_OX_BA_COMBO, false},
            {IDC_OX_BA_HEIGHT, true},      {IDC_OX_BA_HEIGHT_SPIN, true},  {IDC_OX_BA_WIDTH, true},
            {IDC_OX_BA_WIDTH_SPIN, true},  {IDC_OX_BA_SHOW_HORZ, true},    {IDC_OX_BA_SHOW_VERT, true},
            {IDC_OX_BA_SHOW_FLOATING, true},
        };
        for (const auto& e : expected)
            EXPECT_EQ(Enabled(hDlg, e.nID), e.bEnabled) << "control " << e.nID;
        // The spin keeps the height within 0 to 1000.
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_HEIGHT_SPIN, UDM_SETPOS32, 0, 5000);
        ::SendDlgItemMessageA(hDlg, IDC_OX_BA_SHOW_FLOATING, BM_CLICK, 0, 0);
        CDialogAnswerer::PressButton(hDlg, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nHeight, 1000);
    EXPECT_TRUE(dlg.m_bShowFloating);
    EXPECT_FALSE(dlg.m_bShowVertDocked);
}

} // namespace
