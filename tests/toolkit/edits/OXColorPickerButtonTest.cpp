// The colour buttons of the grid column set-up dialog: 40 cells in 4 rows, no
// default colour, 18 x 18 cells and the toolkit's captions; dropped, picked,
// set to the default, customised through the colour dialog, cancelled by a
// click elsewhere, and exchanged with the dialog's members.
#include <afxwin.h>
#include <colordlg.h>
#include <gtest/gtest.h>

#include "EditsTestSupport.h"
#include "edits/ColorButtonsDialog.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class OXColorPickerButtonDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(CRect(50, 50, 600, 500)));
        m_dialog.m_clrText = RGB(0, 0, 139);   // a cell of the table (dark blue)
        ASSERT_TRUE(m_dialog.Create(CColorButtonsDialog::IDD, &m_host));
        m_dialog.ShowWindow(SW_SHOW);
        ASSERT_TRUE(PumpUntilIdle());
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        m_host.DestroyWindow();
    }
    COXColorPickerCtrl& Picker() { return *m_dialog.m_btnText.GetColorPickerCtrl(); }
    // Drops the Text button's picker and runs the steps while it is open.
    void DropWhile(CStepDriver& driver)
    {
        (void)driver;
        m_dialog.m_btnText.SendMessage(BM_CLICK);
    }
    void WaitOpen(CStepDriver& driver)
    {
        driver.WaitFor([this] { return Picker().IsWindowVisible() != FALSE; });
    }

    CNotifyHost m_host;
    CColorButtonsDialog m_dialog;
};

TEST_F(OXColorPickerButtonDialog, TheButtonsAreBuiltAsTheSetUpDialogBuildsThem)
{
    COXColorPickerButton& b = m_dialog.m_btnText;
    EXPECT_EQ(b.GetStyle() & 0x0F, (DWORD)BS_OWNERDRAW);
    EXPECT_TRUE(b.GetStyleEx() & OXBB_EX_DROPDOWN);
    EXPECT_EQ(b.GetDefaultColor(), (COLORREF)-1);
    EXPECT_EQ(b.GetColor(), RGB(0, 0, 139));    // loaded by DDX_ColorPicker
    ASSERT_NE(Picker().GetSafeHwnd(), (HWND)NULL);
    EXPECT_EQ(Picker().GetButtonCount(), 40);
    EXPECT_EQ(Picker().GetOwnerWnd(), &b);
    EXPECT_TRUE(Picker().GetPopupStyle() & OXPB_NOTEAROFF);
}

// The dialog ends under its last row as far below it as its first row
// stands from the top: no empty band under "Grid lines:".
TEST_F(OXColorPickerButtonDialog, TheDialogEndsAMarginUnderItsLastRow)
{
    CRect client, first, last;
    m_dialog.GetClientRect(&client);
    m_dialog.m_btnBackground.GetWindowRect(&first);
    m_dialog.m_btnGridLines.GetWindowRect(&last);
    m_dialog.ScreenToClient(&first);
    m_dialog.ScreenToClient(&last);
    EXPECT_EQ(client.bottom - last.bottom, first.top - client.top);
}

TEST_F(OXColorPickerButtonDialog, DropsBelowTheButtonWithItsColourSelectedAndPicksACell)
{
    CStepDriver driver;
    WaitOpen(driver);
    driver.Then([this] {
        CRect button, bar;
        m_dialog.m_btnText.GetWindowRect(&button);
        Picker().GetWindowRect(&bar);
        EXPECT_EQ(bar.TopLeft(), CPoint(button.left, button.bottom));
        EXPECT_EQ(Picker().GetSelectedItem(), 6);   // dark blue is cell 6
        EXPECT_EQ(Picker().GetColumnCount(), 10);
        EXPECT_EQ(Picker().GetCellRect(1).Size(), CSize(18, 18));
        CString name;
        EXPECT_TRUE(Picker().GetToolTipText(RGB(255, 0, 0), name));
        EXPECT_EQ(name, "Red");
        PostClick(Picker().GetSafeHwnd(), Picker().GetCellRect(17).CenterPoint());
    });
    DropWhile(driver);
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(Picker().IsWindowVisible());
    EXPECT_EQ(m_dialog.m_btnText.GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(m_dialog.m_btnText.GetCheckState(), 0u);   // back up after the drop-down

    m_dialog.UpdateData(TRUE);
    EXPECT_EQ(m_dialog.m_clrText, RGB(255, 0, 0));
}

TEST_F(OXColorPickerButtonDialog, TheDefaultButtonStoresTheDefaultColour)
{
    CStepDriver driver;
    WaitOpen(driver);
    driver.Then([this] { PostClick(Picker().GetSafeHwnd(), Picker().GetDefaultButtonRect().CenterPoint()); });
    DropWhile(driver);
    EXPECT_EQ(m_dialog.m_btnText.GetColor(), (COLORREF)-1);
    m_dialog.UpdateData(TRUE);
    EXPECT_EQ(m_dialog.m_clrText, (COLORREF)-1);
}

TEST_F(OXColorPickerButtonDialog, TheCustomButtonAsksTheColourDialog)
{
    CDialogAnswerer answerer;
    // The test's own dialog, active again after the colour dialog, is left alone.
    answerer.SetDefault(0x7F00);
    answerer.Handle([](HWND dialog, const ShownDialog&) {
        ::SetDlgItemInt(dialog, COLOR_RED, 10, FALSE);
        ::SetDlgItemInt(dialog, COLOR_GREEN, 20, FALSE);
        ::SetDlgItemInt(dialog, COLOR_BLUE, 30, FALSE);
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    CStepDriver driver;
    WaitOpen(driver);
    driver.Then([this] { PostClick(Picker().GetSafeHwnd(), Picker().GetCustomButtonRect().CenterPoint()); });
    DropWhile(driver);
    ASSERT_GE(answerer.Shown().size(), 1u);
    EXPECT_NE(answerer.Shown()[0].hwnd, m_dialog.GetSafeHwnd());
    EXPECT_EQ(m_dialog.m_btnText.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(Picker().GetSelectedItem(), 41);

    // Cancelled, the colour dialog changes nothing.
    answerer.Answer(IDCANCEL);
    CStepDriver again;
    again.WaitFor([this] { return Picker().IsWindowVisible() != FALSE; });
    again.Then([this] { PostClick(Picker().GetSafeHwnd(), Picker().GetCustomButtonRect().CenterPoint()); });
    DropWhile(again);
    EXPECT_EQ(m_dialog.m_btnText.GetColor(), RGB(10, 20, 30));
}

// A click outside the open bar cancels it and reaches the control clicked.
TEST_F(OXColorPickerButtonDialog, AClickOutsideCancelsAndReachesTheClickedControl)
{
    CWnd* pOK = m_dialog.GetDlgItem(IDOK);
    ASSERT_NE(pOK, (CWnd*)NULL);
    CMessageRecorder recorder;
    recorder.Watch(pOK->GetSafeHwnd(), "ok");
    recorder.Only({WM_LBUTTONDOWN});
    CStepDriver driver;
    WaitOpen(driver);
    driver.Then([&] {
        CRect ok;
        pOK->GetWindowRect(&ok);
        CPoint pt = ok.CenterPoint();
        Picker().ScreenToClient(&pt);   // the bar holds the capture: its coordinates
        ::PostMessage(Picker().GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    });
    DropWhile(driver);
    EXPECT_FALSE(Picker().IsWindowVisible());
    EXPECT_EQ(m_dialog.m_btnText.GetColor(), RGB(0, 0, 139));
    // the click the bar passed on reaches the button under it
    EXPECT_TRUE(PumpUntil([&] { return recorder.Count(WM_LBUTTONDOWN) > 0; }, kWaitMs)) << recorder.Sequence();
    EXPECT_TRUE(recorder.Matches({{"ok", WM_LBUTTONDOWN, kPosted, HTCLIENT}})) << recorder.Sequence();
}

TEST_F(OXColorPickerButtonDialog, ExchangesColoursBothWays)
{
    m_dialog.m_clrBackground = RGB(1, 2, 3);
    m_dialog.m_clrGridLines = CLR_DEFAULT;      // stands for the button's default colour
    m_dialog.UpdateData(FALSE);
    EXPECT_EQ(m_dialog.m_btnBackground.GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(m_dialog.m_btnGridLines.GetColor(), (COLORREF)-1);

    m_dialog.m_btnTextBackground.SetColor(RGB(9, 8, 7));
    m_dialog.UpdateData(TRUE);
    EXPECT_EQ(m_dialog.m_clrTextBackground, RGB(9, 8, 7));
    EXPECT_EQ(m_dialog.m_clrGridLines, (COLORREF)-1);
}

// The band under the caption shows the colour; disabled, or with no colour,
// only its frame.
TEST_F(OXColorPickerButtonDialog, TheBandShowsTheColourOnlyWhenThereIsOneAndTheButtonIsEnabled)
{
    COXColorPickerButton& b = m_dialog.m_btnText;
    b.SetColor(RGB(255, 0, 0));
    CRect client;
    b.GetClientRect(&client);
    auto draw = [&](CPixelCanvas& canvas, UINT state) {
        DRAWITEMSTRUCT dis = {ODT_BUTTON, 1063, 0, ODA_DRAWENTIRE, state, b.GetSafeHwnd(),
                              canvas.dc.GetSafeHdc(), client, 0};
        b.DrawItem(&dis);
    };
    CPixelCanvas enabled(client.Width(), client.Height());
    draw(enabled, 0);
    EXPECT_GT(enabled.Count(kRed), 10);

    b.EnableWindow(FALSE);
    CPixelCanvas disabled(client.Width(), client.Height());
    draw(disabled, ODS_DISABLED);
    EXPECT_EQ(disabled.Count(kRed), 0);
    b.EnableWindow(TRUE);

    b.SetColor((COLORREF)-1);
    CPixelCanvas none(client.Width(), client.Height());
    draw(none, 0);
    EXPECT_EQ(none.Count(kRed), 0);
}

}  // namespace
