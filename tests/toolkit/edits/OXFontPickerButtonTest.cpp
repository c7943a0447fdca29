// The font picker: the buddy label attached and given back, the description
// of a font, the dialog answered under real messages, and dialog data
// exchange, which never deletes the caller's font for one that is not there.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXFontPickerButton.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class COXFontPickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "fonts", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 300)));
        m_hLabel = ::CreateWindowExA(0, "Static", "label", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 200, 24,
                                     m_host.m_hWnd, (HMENU)10, NULL, NULL);
        ASSERT_TRUE(m_button.Create("Font...", WS_CHILD | WS_VISIBLE, CRect(220, 10, 300, 34), &m_host, 11));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CWnd m_host;
    HWND m_hLabel = NULL;
    COXFontPickerButton m_button;
};

TEST_F(COXFontPickerTest, DescriptionRoundsToWholePoints)
{
    LOGFONT lf = {};
    lf.lfHeight = -13;
    strcpy(lf.lfFaceName, "Tahoma");
    CClientDC dc(&m_host);
    if (dc.GetDeviceCaps(LOGPIXELSY) != 96)
        GTEST_SKIP() << "the screen is not 96 pixels per inch";
    EXPECT_EQ(HeightToDeciPoints(-13), 97);
    EXPECT_EQ(COXFontPickerButton::FontDescription(lf), "10 pt, Tahoma");
    EXPECT_EQ(DeciPointsToHeight(100), -13);
    EXPECT_EQ(HeightToDeciPoints(DeciPointsToHeight(120, &dc), &dc), 120);
}

TEST_F(COXFontPickerTest, BuddyIsAttachedOnlyFromTheSameParent)
{
    EXPECT_EQ(m_button.GetBuddyTextColor(), 0xFFFFFFFFu);   // no buddy window yet
    EXPECT_FALSE(m_button.SetBuddyTextColor(RGB(1, 2, 3)));
    ASSERT_TRUE(m_button.SetBuddy(10));
    EXPECT_EQ(m_button.GetBuddy()->m_hWnd, m_hLabel);
    EXPECT_FALSE(m_button.SetBuddy(99));
    EXPECT_EQ(m_button.GetBuddy()->m_hWnd, m_hLabel);

    CWnd other;
    ASSERT_TRUE(CreateHostWindow(other, "other", WS_POPUP, CRect(0, 0, 50, 50)));
    CStatic foreign;
    foreign.Create("x", WS_CHILD, CRect(0, 0, 10, 10), &other, 10);
    EXPECT_FALSE(m_button.SetBuddy(&foreign));
    EXPECT_EQ(m_button.GetBuddy()->m_hWnd, m_hLabel);
    other.DestroyWindow();

    LOGFONT lf = {};
    lf.lfHeight = -13;
    strcpy(lf.lfFaceName, "Tahoma");
    ASSERT_TRUE(m_button.SetBuddyLogFont(&lf));
    char text[64];
    ::GetWindowTextA(m_hLabel, text, sizeof(text));
    EXPECT_NE(strstr(text, " pt, Tahoma"), (char*)NULL) << text;
    LOGFONT back;
    ASSERT_TRUE(m_button.GetBuddyLogFont(&back));
    EXPECT_STREQ(back.lfFaceName, "Tahoma");
    EXPECT_TRUE(m_button.SetBuddyTextColor(RGB(200, 0, 0)));
    EXPECT_EQ(m_button.GetBuddyTextColor(), RGB(200, 0, 0));
}

TEST_F(COXFontPickerTest, DestroyingTheButtonLeavesTheLabelUnsubclassed)
{
    WNDPROC original = (WNDPROC)::GetWindowLongPtr(m_hLabel, GWLP_WNDPROC);
    {
        COXFontPickerButton button;
        ASSERT_TRUE(button.Create("F", WS_CHILD, CRect(0, 40, 50, 60), &m_host, 12));
        ASSERT_TRUE(button.SetBuddy(10));
        EXPECT_NE((WNDPROC)::GetWindowLongPtr(m_hLabel, GWLP_WNDPROC), original);
    }
    EXPECT_TRUE(::IsWindow(m_hLabel));
    EXPECT_EQ((WNDPROC)::GetWindowLongPtr(m_hLabel, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hLabel), (CWnd*)NULL);
}

TEST_F(COXFontPickerTest, ChoosingInTheDialogUpdatesTheBuddy)
{
    ASSERT_TRUE(m_button.SetBuddy(10));
    LOGFONT lf = {};
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    strcpy(lf.lfFaceName, "Tahoma");
    m_button.SetBuddyLogFont(&lf);
    m_button.SetBuddyTextColor(RGB(0, 0, 128));
    CDialogAnswerer answerer;   // OK at once: the dialog's font is the buddy's
    m_button.OnClicked();
    ASSERT_EQ(answerer.Shown().size(), 1u);
    LOGFONT chosen;
    ASSERT_TRUE(m_button.GetBuddyLogFont(&chosen));
    EXPECT_STREQ(chosen.lfFaceName, "Tahoma");
    EXPECT_EQ(chosen.lfWeight, FW_BOLD);
    EXPECT_EQ(m_button.GetBuddyTextColor(), RGB(0, 0, 128));
}

TEST_F(COXFontPickerTest, WithoutBuddyTheDialogChangesNothing)
{
    CDialogAnswerer answerer;
    m_button.OnClicked();
    EXPECT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(m_button.GetBuddyFont(), (CFont*)NULL);
}

TEST_F(COXFontPickerTest, DataExchangeKeepsTheCallersFontWhenTheLabelHasNone)
{
    ASSERT_TRUE(m_button.SetBuddy(10));   // a label without a font of its own
    ASSERT_EQ(m_button.GetBuddyFont(), (CFont*)NULL);
    CFont font;
    font.CreatePointFont(90, "Tahoma");
    HGDIOBJ hBefore = font.GetSafeHandle();
    COLORREF clr = RGB(1, 2, 3);
    {
        CDataExchange dx(&m_host, TRUE);
        DDX_FontPicker(&dx, 11, font);
        DDX_FontPickerColor(&dx, 11, clr);
    }
    EXPECT_EQ(font.GetSafeHandle(), hBefore);
    EXPECT_NE(::GetObjectType(hBefore), 0u);   // still a live font
    EXPECT_EQ(clr, ::GetSysColor(COLOR_WINDOWTEXT));

    // Loading gives the label the caller's font and colour; saving reads them back.
    clr = RGB(0, 128, 0);
    {
        CDataExchange dx(&m_host, FALSE);
        DDX_FontPicker(&dx, 11, font);
        DDX_FontPickerColor(&dx, 11, clr);
    }
    CFont copy;
    COLORREF back = 0;
    {
        CDataExchange dx(&m_host, TRUE);
        DDX_FontPicker(&dx, 11, copy);
        DDX_FontPickerColor(&dx, 11, back);
    }
    LOGFONT lf;
    ASSERT_TRUE(copy.GetLogFont(&lf));
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
    EXPECT_EQ(back, RGB(0, 128, 0));
}

}  // namespace
