// The calculator pop-up under real messages: keys through its accelerators,
// Enter, Esc and the focus leaving end it; a quit ends it as a cancel and
// reaches the program; its placement against an anchor.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits.h>

#include "EditsTestSupport.h"
#include "OXCalculatorEdit.h"
#include "OXStatic.h"
#include "testdrawing.h"
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

// The ink of a drawing: the bounding box of the pixels inside rect that are not
// the background colour.
CRect InkBox(const CPixelCanvas& canvas, const CRect& rect, COLORREF clrBackground)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (canvas.At(x, y) != clrBackground) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    return left == INT_MAX ? CRect(0, 0, 0, 0) : CRect(left, top, right, bottom);
}

// Drawn the look its users see: a display on the window colour, the focused
// button's black frame 3 pixels in, and captions drawn whole however small
// the buttons are for their bitmap font.
TEST(OXCalculatorLook, DisplayFramesAndWholeCaptions)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost());
    COXCalculatorCtrl calc;
    ASSERT_TRUE(calc.Create(&host));
    calc.CheckDlgButton(IDC_OX_CALC_SCIENTIFIC, BST_CHECKED);
    calc.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_CALC_SCIENTIFIC, BN_CLICKED),
                     (LPARAM)calc.GetDlgItem(IDC_OX_CALC_SCIENTIFIC)->m_hWnd);

    CWnd* pDisplay = calc.GetDlgItem(IDC_OX_CALC_DISPLAY);
    EXPECT_NE(DYNAMIC_DOWNCAST(COXStatic, CWnd::FromHandlePermanent(pDisplay->m_hWnd)), nullptr);
    CRect rcDisplay;
    pDisplay->GetClientRect(&rcDisplay);
    pDisplay->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    {
        CClientDC dc(pDisplay);
        EXPECT_EQ(dc.GetPixel(3, rcDisplay.Height() / 2), ::GetSysColor(COLOR_WINDOW));
    }

    auto draw = [&](UINT nID, UINT nState, CPixelCanvas& canvas) {
        COXBitmapButton* pButton = DYNAMIC_DOWNCAST(COXBitmapButton, CWnd::FromHandlePermanent(calc.GetDlgItem(nID)->m_hWnd));
        CRect rc;
        pButton->GetClientRect(&rc);
        DRAWITEMSTRUCT dis = {ODT_BUTTON, nID, 0, ODA_DRAWENTIRE, nState, pButton->m_hWnd, canvas.dc.m_hDC, rc};
        pButton->DrawItem(&dis);
        return pButton;
    };
    CRect rcButton;
    calc.GetDlgItem(IDC_OX_CALC_7)->GetClientRect(&rcButton);
    {
        CPixelCanvas canvas(rcButton.Width(), rcButton.Height(), kMagenta);
        draw(IDC_OX_CALC_7, ODS_FOCUS, canvas);
        const int y = rcButton.Height() / 2;
        EXPECT_EQ(canvas.At(3, y), kBlack) << "the default frame lies 3 pixels in";
        EXPECT_EQ(canvas.At(rcButton.Width() - 4, y), kBlack);
    }

    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    for (UINT nID : {IDC_OX_CALC_TANH, IDC_OX_CALC_LOG, IDC_OX_CALC_POWER, IDC_OX_CALC_SQRT}) {
        CRect rc;
        calc.GetDlgItem(nID)->GetClientRect(&rc);
        CPixelCanvas canvas(rc.Width(), rc.Height(), kMagenta);
        COXBitmapButton* pButton = draw(nID, 0, canvas);
        CRect face = rc;
        face.DeflateRect(2, 2);
        CRect ink = InkBox(canvas, face, clrFace);

        // the same caption in the same font, with all the room it needs
        CString sCaption = pButton->GetText();
        CPixelCanvas whole(200, 100, clrFace);
        whole.dc.SelectObject(pButton->GetTextFont());
        whole.dc.SetTextColor(pButton->GetTextColor());
        whole.dc.SetBkMode(TRANSPARENT);
        CRect all(0, 0, 200, 100);
        whole.dc.DrawText(sCaption, &all, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        CRect expected = InkBox(whole, all, clrFace);
        EXPECT_EQ(ink.Size(), expected.Size()) << (LPCSTR)sCaption << ": cut to " << ink.Width() << "x"
                                                << ink.Height() << " of " << expected.Width() << "x"
                                                << expected.Height();
    }
    calc.DestroyWindow();
    host.DestroyWindow();
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
