// The edits under real messages: typing around literals, each edit's own
// last input and brush, two invalid masked edits that must not fight over
// the focus, the drop button and drop key, and the list edit's pop-up.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "EditsTestSupport.h"
#include "OXCalculatorEdit.h"
#include "OXListEdit.h"
#include "OXMaskedEdit.h"
#include "OXNumericEdit.h"
#include "OXPhysicalEdit.h"
#include "edits_test_res.h"
#include "testsupport.h"

namespace {

const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;

class OXEditWindow : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_host.CreateHost()); }
    void TearDown() override { m_host.DestroyWindow(); }

    static void Type(CWnd& edit, const char* text)
    {
        for (const char* p = text; *p; ++p)
            edit.SendMessage(WM_CHAR, (BYTE)*p, 1);
    }
    static void Key(CWnd& edit, UINT vk) { edit.SendMessage(WM_KEYDOWN, vk, 1); }
    static int Caret(CWnd& edit)
    {
        DWORD sel = (DWORD)edit.SendMessage(EM_GETSEL);
        return LOWORD(sel);
    }

    CNotifyHost m_host;
};

TEST_F(OXEditWindow, TypingKeepsTheLiterals)
{
    COXEdit edit;
    edit.SetMask("Tel: #");
    ASSERT_TRUE(edit.Create(kEditStyle, CRect(10, 10, 200, 34), &m_host, 101));
    edit.SetFocus();
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: ") << "literals of a mask set before the window stay";
    edit.SendMessage(EM_SETSEL, 0, 0);
    Type(edit, "1");
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: ") << "the caret stood in the literals: refused";
    EXPECT_EQ(Caret(edit), 5);
    Type(edit, "12\xE6");
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: 12\xE6");
    Key(edit, VK_HOME);
    EXPECT_EQ(Caret(edit), 5);
    Type(edit, "\b");
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: 12\xE6") << "backspace at the literals changes nothing";
    Key(edit, VK_INSERT);
    Type(edit, "9");
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: 92\xE6");
    Key(edit, VK_END);
    Type(edit, "5");
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: 92\xE6") << "overwrite at the end is refused";
    edit.SetWindowText("777");
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: 777");
    edit.DestroyWindow();
}

TEST_F(OXEditWindow, EachEditKeepsItsOwnLastInputAndBrush)
{
    COXEdit first, second;
    ASSERT_TRUE(first.Create(kEditStyle, CRect(10, 10, 200, 34), &m_host, 101));
    ASSERT_TRUE(second.Create(kEditStyle, CRect(10, 40, 200, 64), &m_host, 102));
    first.SetLimitText(3);
    first.SetWindowText("abc");
    second.SetWindowText("a much longer text");
    first.SetFocus();
    first.SendMessage(EM_SETSEL, 3, 3);
    Type(first, "d");
    EXPECT_EQ(WindowText(first.m_hWnd), "abc") << "past the limit the edit goes back to its own input";

    first.SetBkColor(RGB(255, 0, 0), FALSE);
    second.SetBkColor(RGB(0, 0, 255), FALSE);
    CClientDC dc(&m_host);
    HBRUSH b1 = (HBRUSH)m_host.SendMessage(WM_CTLCOLOREDIT, (WPARAM)dc.m_hDC, (LPARAM)first.m_hWnd);
    HBRUSH b2 = (HBRUSH)m_host.SendMessage(WM_CTLCOLOREDIT, (WPARAM)dc.m_hDC, (LPARAM)second.m_hWnd);
    LOGBRUSH lb = {};
    ASSERT_NE(::GetObject(b1, sizeof(lb), &lb), 0) << "the first edit's brush is still alive";
    EXPECT_EQ(lb.lbColor, RGB(255, 0, 0));
    ASSERT_NE(::GetObject(b2, sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(0, 0, 255));
    EXPECT_EQ((HBRUSH)m_host.SendMessage(WM_CTLCOLOREDIT, (WPARAM)dc.m_hDC, (LPARAM)first.m_hWnd), b1)
        << "cached while the colour stays";
    first.DestroyWindow();
    second.DestroyWindow();
}

TEST_F(OXEditWindow, NumericEditTypesUnderRealMessages)
{
    COXNumericEdit edit;
    ASSERT_TRUE(edit.Create(kEditStyle, CRect(10, 10, 200, 34), &m_host, 101));
    COXNumberLocale loc;
    loc.sDecimal = ",";
    loc.sGroup = "\xA0";
    loc.sGrouping = "3;0";
    loc.sDigits = "2";
    loc.sNegative = "1";
    edit.ApplyLocale(loc, FALSE);
    edit.SetFocus();
    edit.SendMessage(EM_SETSEL, 0, 0);
    Type(edit, "1234,5-");
    EXPECT_EQ(WindowText(edit.m_hWnd), "-1\xA0" "234,50");
    EXPECT_DOUBLE_EQ(edit.GetValue(), -1234.5);

    // dialog data exchange: saving truncates toward zero, loading sets the value
    int nSaved = 0;
    CDataExchange save(&m_host, TRUE);
    DDX_NumericValue(&save, 101, nSaved);
    EXPECT_EQ(nSaved, -1234);
    double dLoaded = 98765.4;
    CDataExchange load(&m_host, FALSE);
    DDX_NumericValue(&load, 101, dLoaded);
    EXPECT_EQ(WindowText(edit.m_hWnd), "98\xA0" "765,40");
    edit.DestroyWindow();
}

// A dialog whose edits hold "1234" before the numeric edits subclass them.
class CNumbersDialog : public CDialog
{
public:
    CNumbersDialog() : CDialog(IDD_ET_NUMBERS), m_physical(&s_length, 0, TRUE) {}
    COXNumericEdit m_numeric;
    COXCurrencyEdit m_currency;
    COXCalculatorEdit m_calculator;
    COXPhysicalEdit m_physical;
    double m_dNumeric = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_ET_NUMERIC, m_numeric);
        DDX_Control(pDX, IDC_ET_CURRENCY, m_currency);
        DDX_Control(pDX, IDC_ET_CALCULATOR, m_calculator);
        DDX_Control(pDX, IDC_ET_PHYSICAL, m_physical);
        if (pDX->m_bSaveAndValidate)
            DDX_NumericValue(pDX, IDC_ET_NUMERIC, m_dNumeric);
    }
    static const LPCTSTR s_lengthNames[];
    static const double s_lengthConversion[][3];
    static const COXPhysicalUnitTable s_length;
};

const LPCTSTR CNumbersDialog::s_lengthNames[] = {"m"};
const double CNumbersDialog::s_lengthConversion[][3] = {{0, 1, 0}};
const COXPhysicalUnitTable CNumbersDialog::s_length = {1, 0, s_lengthNames, s_lengthConversion, NULL};

// Subclassing takes the number the dialog's edit already holds, whatever the
// locale's reading does to the text; the text shown is the number's own.
TEST(OXNumericEditSubclassing, TakesTheNumberTheDialogsEditHolds)
{
    CNumbersDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_ET_NUMBERS, NULL));
    struct Case { const char* name; COXNumericEdit* edit; };
    const Case cases[] = {{"numeric", &dialog.m_numeric}, {"currency", &dialog.m_currency},
                          {"calculator", &dialog.m_calculator}, {"physical", &dialog.m_physical}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(c.edit->GetValue(), 1234) << c.name;
        EXPECT_EQ(WindowText(c.edit->m_hWnd), (LPCSTR)c.edit->GetModelText()) << c.name;
        CString sShown = c.edit->GetModelText();
        c.edit->SetValue(1234);
        EXPECT_STREQ(c.edit->GetModelText(), sShown) << c.name << ": formatted as the number 1234";
    }
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_DOUBLE_EQ(dialog.m_dNumeric, 1234);
    dialog.DestroyWindow();
}

// A parent that refuses every masked edit the focus may leave.
class CRefusingHost : public CNotifyHost
{
protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        MENMHDR* pNM = (MENMHDR*)lParam;
        if (pNM->hdr.code == OXMEN_VALIDATE)
            pNM->bValid = FALSE;
        return CNotifyHost::OnNotify(wParam, lParam, pResult);
    }
};

TEST(OXMaskedEditWindow, TwoInvalidEditsDoNotFightOverTheFocus)
{
    CRefusingHost host;
    ASSERT_TRUE(host.CreateHost());
    COXMaskedEdit a("###"), b("###");
    ASSERT_TRUE(a.Create(kEditStyle, CRect(10, 10, 100, 34), &host, 101));
    ASSERT_TRUE(b.Create(kEditStyle, CRect(10, 40, 100, 64), &host, 102));
    host.SetForegroundWindow();
    a.SetFocus();
    ASSERT_TRUE(PumpUntilIdle());
    host.m_codes.clear();
    b.SetFocus();
    // Settled: the focus is back in the edit that failed and no exchange of
    // the focus is still on its way.
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == a.m_hWnd && PumpUntilIdle(0); }, kWaitMs))
        << "the edit that failed takes the focus back";
    EXPECT_LE(host.m_codes.size(), 2u) << "no endless exchange of the focus";
    a.DestroyWindow();
    b.DestroyWindow();
    host.DestroyWindow();
}

// A drop edit that counts its drops.
class CCountingDropEdit : public COXDropEdit<COXEdit>
{
public:
    int m_nDrops = 0;
    int m_nInits = 0;

protected:
    void OnDropButton() override { ++m_nDrops; }
    BOOL InitializeDropEdit() override
    {
        ++m_nInits;
        return TRUE;
    }
};

void SetAltDown(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_MENU] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

TEST_F(OXEditWindow, DropButtonTakesItsStripAndAltEnterDrops)
{
    CCountingDropEdit edit;
    ASSERT_TRUE(edit.Create(kEditStyle, CRect(10, 10, 210, 34), &m_host, 101));
    edit.SendMessage(WM_NULL);
    EXPECT_EQ(edit.m_nInits, 1);
    CRect client, button = edit.GetButtonRect();
    edit.GetClientRect(&client);
    const int withButton = client.Width();
    EXPECT_EQ(button, CRect(client.right, 0, client.right + ::GetSystemMetrics(SM_CXHTHUMB), client.bottom));

    SetAltDown(true);
    edit.SendMessage(WM_SYSKEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(edit.m_nDrops, 1);
    SetAltDown(false);
    edit.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(edit.m_nDrops, 1) << "plain Enter goes to the edit";

    // a click on the button drops; a read-only edit ignores click and key
    CRect screen = button;
    edit.ClientToScreen(&screen);
    LPARAM at = MAKELPARAM(screen.CenterPoint().x, screen.CenterPoint().y);
    EXPECT_EQ(edit.SendMessage(WM_NCHITTEST, 0, at), HTBORDER);
    edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, at);
    edit.SendMessage(WM_NCLBUTTONUP, HTBORDER, at);
    EXPECT_EQ(edit.m_nDrops, 2);
    edit.SetReadOnly(TRUE);
    edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, at);
    edit.SendMessage(WM_NCLBUTTONUP, HTBORDER, at);
    SetAltDown(true);
    edit.SendMessage(WM_SYSKEYDOWN, VK_RETURN, 0);
    SetAltDown(false);
    EXPECT_EQ(edit.m_nDrops, 2);

    edit.ShowButton(FALSE);
    edit.GetClientRect(&client);
    EXPECT_EQ(client.Width(), withButton + ::GetSystemMetrics(SM_CXHTHUMB));
    EXPECT_TRUE(edit.GetButtonRect().IsRectEmpty());
    edit.DestroyWindow();
}

class OXListEditWindow : public OXEditWindow
{
protected:
    void SetUp() override
    {
        OXEditWindow::SetUp();
        ASSERT_TRUE(m_edit.Create(kEditStyle, CRect(10, 10, 210, 34), &m_host, 101));
        CStringArray items;
        for (int i = 0; i < 25; ++i) {
            CString s;
            s.Format("item %d", i);
            items.Add(s);
        }
        m_edit.SendMessage(WM_NULL);
        EXPECT_EQ(m_edit.SetItems(items), 25);
    }
    void TearDown() override
    {
        m_edit.DestroyWindow();
        OXEditWindow::TearDown();
    }
    HWND List() { return m_edit.GetListPopup().m_hWnd; }

    COXListEdit m_edit;
};

TEST_F(OXListEditWindow, ListShowsTwentyRowsAndKeysChoose)
{
    const int itemHeight = (int)::SendMessage(List(), LB_GETITEMHEIGHT, 0, 0);
    EXPECT_EQ(m_edit.PopupHeight(25), 20 * (itemHeight + 1));
    EXPECT_EQ(m_edit.PopupHeight(1), itemHeight + 2);
    EXPECT_EQ(m_edit.PopupHeight(0), 0);

    ::SetCursorPos(1270, 1010);   // no mouse over the list to move its selection
    CStepDriver driver;
    driver.WaitFor([&] { return ::IsWindowVisible(List()) != FALSE; });
    driver.Then([&] {
        CRect rect;
        ::GetWindowRect(List(), &rect);
        EXPECT_EQ(rect.Height(), 20 * (itemHeight + 1));
        ::PostMessage(List(), WM_KEYDOWN, VK_UP, 0);     // no selection: the first
    });
    driver.Then([&] { ::PostMessage(List(), WM_KEYDOWN, VK_UP, 0); });   // the first stays
    driver.Then([&] { ::PostMessage(List(), WM_KEYDOWN, VK_DOWN, 0); });
    driver.Then([&] { ::PostMessage(List(), WM_KEYDOWN, VK_RETURN, 0); });
    SetAltDown(true);
    m_edit.SendMessage(WM_SYSKEYDOWN, VK_RETURN, 0);
    SetAltDown(false);
    EXPECT_EQ(WindowText(m_edit.m_hWnd), "item 1");
    EXPECT_FALSE(::IsWindowVisible(List()));
}

TEST_F(OXListEditWindow, EscapeAndAnOutsideClickChooseNothing)
{
    m_edit.SetWindowText("kept");
    {
        CStepDriver driver;
        driver.WaitFor([&] { return ::IsWindowVisible(List()) != FALSE; });
        driver.Then([&] { ::PostMessage(List(), WM_KEYDOWN, VK_DOWN, 0); });
        driver.Then([&] { ::PostMessage(List(), WM_KEYDOWN, VK_ESCAPE, 0); });
        SetAltDown(true);
        m_edit.SendMessage(WM_SYSKEYDOWN, VK_RETURN, 0);
        SetAltDown(false);
    }
    EXPECT_EQ(WindowText(m_edit.m_hWnd), "kept");
    {
        CStepDriver driver;
        driver.WaitFor([&] { return ::IsWindowVisible(List()) != FALSE; });
        driver.Then([&] { ::PostMessage(List(), WM_LBUTTONUP, 0, MAKELPARAM(-20, -20)); });
        m_edit.GetListPopup().Pick(CRect(100, 100, 300, 200), CRect(100, 80, 300, 100));
    }
    EXPECT_EQ(WindowText(m_edit.m_hWnd), "kept");
}

TEST_F(OXListEditWindow, AQuitEndsThePickAndReachesTheProgram)
{
    CStepDriver driver;
    driver.WaitFor([&] { return ::IsWindowVisible(List()) != FALSE; });
    driver.Then([] { ::PostQuitMessage(7); });
    EXPECT_EQ(m_edit.GetListPopup().Pick(CRect(100, 100, 300, 200), CRect(100, 80, 300, 100)), -1);
    EXPECT_FALSE(::IsWindowVisible(List()));
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
