// The calculator pop-up under real messages: keys through its accelerators,
// Enter, Esc and the focus leaving end it; a quit ends it as a cancel and
// reaches the program; its placement against an anchor.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "EditsTestSupport.h"
#include "OXCalculatorEdit.h"
#include "testsupport.h"
#include "toolkit_res.h"

namespace {

class CDroppableCalculatorEdit : public COXCalculatorEdit
{
public:
    using COXCalculatorEdit::OnDropButton;
};

class OXCalculatorWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &m_host, 101));
        m_edit.SendMessage(WM_NULL);   // sets the drop edit up
        m_edit.SetDecimalSeparator('.');
        Calc().SetDecimalSeparator('.');
        m_edit.SetValue(2);
        m_host.SetForegroundWindow();
        m_edit.SetFocus();
    }
    void TearDown() override
    {
        m_edit.DestroyWindow();
        m_host.DestroyWindow();
    }
    COXCalculatorCtrl& Calc() { return m_edit.GetCalculatorPopup().GetCalculator(); }
    HWND Popup() { return m_edit.GetCalculatorPopup().m_hWnd; }
    void Chars(CStepDriver& driver, const char* keys)
    {
        for (const char* k = keys; *k; ++k) {
            char ch = *k;
            driver.Then([=] { ::PostMessage(::GetFocus(), WM_CHAR, (BYTE)ch, 1); });
        }
    }

    CNotifyHost m_host;
    CDroppableCalculatorEdit m_edit;
};

TEST_F(OXCalculatorWindow, KeysComputeAndEnterTakesTheResult)
{
    CStepDriver driver;
    driver.WaitFor([&] { return ::IsWindowVisible(Popup()) != FALSE; });
    Chars(driver, "+3=");
    driver.Then([&] { EXPECT_STREQ(Calc().GetDisplayText(), "5."); });
    Chars(driver, "=");
    driver.Then([&] { EXPECT_STREQ(Calc().GetDisplayText(), "8."); });
    driver.Then([&] { ::PostMessage(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1); });
    m_edit.OnDropButton();
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(::IsWindowVisible(Popup()));
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), 8);
    EXPECT_EQ(::GetFocus(), m_edit.m_hWnd);
}

TEST_F(OXCalculatorWindow, HexadecimalShowsLetters)
{
    CStepDriver driver;
    driver.WaitFor([&] { return ::IsWindowVisible(Popup()) != FALSE; });
    driver.Then([&] {
        Calc().SetValue(255, TRUE);
        Calc().CheckDlgButton(IDC_OX_CALC_SCIENTIFIC, BST_CHECKED);
        Calc().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_CALC_SCIENTIFIC, BN_CLICKED),
                           (LPARAM)Calc().GetDlgItem(IDC_OX_CALC_SCIENTIFIC)->m_hWnd);
        CComboBox* pBase = (CComboBox*)Calc().GetDlgItem(IDC_OX_CALC_BASE);
        pBase->SetCurSel(1);
        Calc().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_CALC_BASE, CBN_SELCHANGE), (LPARAM)pBase->m_hWnd);
    });
    driver.Then([&] {
        EXPECT_STREQ(Calc().GetDisplayText(), "ff");
        EXPECT_TRUE(Calc().GetDlgItem(IDC_OX_CALC_F)->IsWindowEnabled());
        EXPECT_FALSE(Calc().GetDlgItem(IDC_OX_CALC_PI)->IsWindowEnabled());
    });
    driver.Then([&] { ::PostMessage(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); });
    m_edit.OnDropButton();
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), 2) << "Esc keeps the value";
}

TEST_F(OXCalculatorWindow, FocusLeavingCancels)
{
    CStepDriver driver;
    driver.WaitFor([&] { return ::IsWindowVisible(Popup()) != FALSE; });
    Chars(driver, "7");
    driver.Then([&] { m_host.SetFocus(); });
    m_edit.OnDropButton();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(m_edit.GetCalculatorPopup().GetExitCode(), (int)COXCalculatorPopup::EXIT_CANCEL);
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), 2);
}

TEST_F(OXCalculatorWindow, AQuitEndsThePickAndReachesTheProgram)
{
    CStepDriver driver;
    driver.WaitFor([&] { return ::IsWindowVisible(Popup()) != FALSE; });
    driver.Then([] { ::PostQuitMessage(3); });
    EXPECT_FALSE(m_edit.GetCalculatorPopup().Pick(2, COXCalculatorPopup::ALIGN_BELOW, CRect(0, 0, 0, 0)));
    EXPECT_FALSE(::IsWindowVisible(Popup()));
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(OXCalculatorPlacement, SidesAndFlips)
{
    const CRect work(0, 0, 1000, 800);
    const CSize size(200, 300);
    struct Case { UINT align; CRect anchor; BOOL ok; CPoint at; };
    const Case cases[] = {
        {COXCalculatorPopup::ALIGN_BELOW, CRect(100, 100, 300, 120), TRUE, CPoint(100, 120)},
        {COXCalculatorPopup::ALIGN_BELOW, CRect(100, 600, 300, 620), TRUE, CPoint(100, 300)},   // flipped above
        {COXCalculatorPopup::ALIGN_BELOW_RIGHT, CRect(100, 100, 300, 120), TRUE, CPoint(100, 120)},
        {COXCalculatorPopup::ALIGN_BELOW_RIGHT, CRect(0, 100, 150, 120), TRUE, CPoint(0, 120)},   // pushed inside
        {COXCalculatorPopup::ALIGN_ABOVE, CRect(100, 400, 300, 420), TRUE, CPoint(100, 100)},
        {COXCalculatorPopup::ALIGN_RIGHT, CRect(900, 10, 950, 30), TRUE, CPoint(700, 10)},       // flipped left
        {COXCalculatorPopup::ALIGN_LEFT, CRect(100, 10, 150, 30), TRUE, CPoint(150, 10)},        // flipped right
        {COXCalculatorPopup::ALIGN_LEFT_BOTTOM, CRect(500, 400, 550, 420), TRUE, CPoint(300, 120)},
        {COXCalculatorPopup::ALIGN_BELOW, CRect(100, 250, 300, 520), FALSE, CPoint()},          // fits nowhere
    };
    for (const Case& c : cases) {
        CPoint at;
        EXPECT_EQ(COXCalculatorPopup::PlacePopup(size, c.anchor, c.align, 0, 0, work, at), c.ok) << c.align;
        if (c.ok) {
            EXPECT_EQ(at, c.at) << c.align << " " << c.anchor.top;
        }
    }
    CPoint at;
    EXPECT_FALSE(COXCalculatorPopup::PlacePopup(CSize(1200, 10), CRect(0, 0, 10, 10), 3, 0, 0, work, at));
}

}  // namespace
