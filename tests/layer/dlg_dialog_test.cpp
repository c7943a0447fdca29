// Dialogs: modal and modeless, from .rc and in-memory templates; data exchange
// both ways and its refusals; message maps, control colours and owner draw
// inside a dialog.
#include <afxwin.h>
#include <afxcmn.h>
#include <climits>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "layer_test_res.h"
#include "testsupport.h"

namespace {

// Queues answers for the next message boxes: OK. The answerer also sees the
// test's own dialogs (they are "#32770" as well); those are left alone.
void AnswerBoxesWithOk(CDialogAnswerer& answerer, int nBoxes = 8)
{
    for (int i = 0; i < nBoxes; ++i)
        answerer.Handle([](HWND hwnd, const ShownDialog&) {
            if (GetDlgItem(hwnd, 0xFFFF) != nullptr)
                CDialogAnswerer::PressButton(hwnd, IDOK);
        });
}

std::vector<std::string> BoxTexts(const CDialogAnswerer& answerer)
{
    std::vector<std::string> texts;
    for (const ShownDialog& shown : answerer.Shown())
        if (!shown.text.empty())
            texts.push_back(shown.text);
    return texts;
}

void Click(HWND hButton)
{
    ::SendMessage(hButton, BM_CLICK, 0, 0);
}

// ---------------------------------------------------------------------------
// A modal dialog from the .rc template, with every kind of exchange the
// program uses; a script runs from a timer once the dialog is up.
// ---------------------------------------------------------------------------
class CDdxDialog : public CDialog
{
public:
    CDdxDialog() : CDialog(IDD_DLG_DDX) {}

    CString m_strName = "hello";
    int m_nCount = 42;
    int m_nCheck = 1;
    int m_nRadio = 1;
    CString m_strCombo = "Beta";
    int m_nPressed = 0;
    std::function<void(CDdxDialog&)> m_script;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_DLG_NAME, m_strName);
        DDX_Text(pDX, IDC_DLG_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 1000);
        DDX_Check(pDX, IDC_DLG_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_DLG_RADIO1, m_nRadio);
        DDX_CBString(pDX, IDC_DLG_COMBO, m_strCombo);
    }
    BOOL OnInitDialog() override
    {
        // The list must be filled before the members are transferred.
        for (const char* item : {"Alpha", "Beta", "Gamma"})
            SendDlgItemMessage(IDC_DLG_COMBO, CB_ADDSTRING, 0, (LPARAM)item);
        CDialog::OnInitDialog();
        SetTimer(1, 10, NULL);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        if (m_script)
            m_script(*this);
    }
    afx_msg void OnPress() { ++m_nPressed; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDdxDialog, CDialog)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_DLG_PRESS, &CDdxDialog::OnPress)
END_MESSAGE_MAP()

TEST(DlgModal, ExchangesBothWaysAndRefusesABadInteger)
{
    CDdxDialog dlg;
    std::string loadedName, loadedCount, loadedCombo;
    UINT loadedCheck = 0, loadedRadio2 = 0;
    std::vector<std::string> boxes;
    BOOL bStillModalAfterRefusal = FALSE;
    HWND hFocusAfterRefusal = NULL, hCount = NULL;
    DWORD dwSelAfterRefusal = 0;

    dlg.m_script = [&](CDdxDialog& d) {
        hCount = ::GetDlgItem(d, IDC_DLG_COUNT);
        loadedName = WindowText(::GetDlgItem(d, IDC_DLG_NAME));
        loadedCount = WindowText(hCount);
        loadedCheck = d.IsDlgButtonChecked(IDC_DLG_CHECK);
        loadedRadio2 = d.IsDlgButtonChecked(IDC_DLG_RADIO2);
        loadedCombo = WindowText(::GetDlgItem(d, IDC_DLG_COMBO));

        // What a user would do.
        d.SetDlgItemText(IDC_DLG_NAME, "world");
        d.CheckDlgButton(IDC_DLG_CHECK, BST_UNCHECKED);
        d.CheckRadioButton(IDC_DLG_RADIO1, IDC_DLG_RADIO3, IDC_DLG_RADIO3);
        d.SendDlgItemMessage(IDC_DLG_COMBO, CB_SETCURSEL, 2, 0);
        Click(::GetDlgItem(d, IDC_DLG_PRESS));

        d.SetDlgItemText(IDC_DLG_COUNT, "12x");
        {
            CDialogAnswerer answerer;
            AnswerBoxesWithOk(answerer);
            Click(::GetDlgItem(d, IDOK));
            boxes = BoxTexts(answerer);
        }
        bStillModalAfterRefusal = ::IsWindow(d) && (d.m_nFlags & WF_CONTINUEMODAL);
        hFocusAfterRefusal = ::GetFocus();
        dwSelAfterRefusal = (DWORD)::SendMessage(hCount, EM_GETSEL, 0, 0);

        d.SetDlgItemText(IDC_DLG_COUNT, "17");
        Click(::GetDlgItem(d, IDOK));
    };

    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(loadedName, "hello");
    EXPECT_EQ(loadedCount, "42");
    EXPECT_EQ(loadedCheck, (UINT)BST_CHECKED);
    EXPECT_EQ(loadedRadio2, (UINT)BST_CHECKED);
    EXPECT_EQ(loadedCombo, "Beta");

    EXPECT_EQ(dlg.m_nPressed, 1) << "ON_BN_CLICKED in a dialog";
    EXPECT_EQ(boxes, std::vector<std::string>{"Please enter an integer."});
    EXPECT_TRUE(bStillModalAfterRefusal) << "the dialog stays open";
    EXPECT_EQ(hFocusAfterRefusal, hCount);
    EXPECT_EQ(dwSelAfterRefusal, (DWORD)MAKELONG(0, 3)) << "the bad text is selected";

    EXPECT_EQ(dlg.m_strName, "world");
    EXPECT_EQ(dlg.m_nCount, 17);
    EXPECT_EQ(dlg.m_nCheck, 0);
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_EQ(dlg.m_strCombo, "Gamma");
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
}

// ---------------------------------------------------------------------------
// In-memory templates and the modal loop
// ---------------------------------------------------------------------------

// Builds a DLGTEMPLATE with a caption, a font and items, in memory.
class CTemplateBuilder
{
public:
    CTemplateBuilder(DWORD dwStyle, const char* pszCaption, short cx, short cy)
    {
        AddDword(dwStyle | DS_SETFONT);
        AddDword(0);
        m_nCountAt = m_words.size();
        m_words.push_back(0);
        for (short v : {(short)0, (short)0, cx, cy})
            m_words.push_back((WORD)v);
        m_words.push_back(0);   // no menu
        m_words.push_back(0);   // the dialog class
        AddString(pszCaption);
        m_words.push_back(8);
        AddString("MS Shell Dlg");
    }
    // wClass: 0x0080 button, 0x0081 edit, 0x0082 static
    void AddItem(WORD wClass, WORD wId, DWORD dwStyle, const char* pszText, short x, short y, short cx, short cy)
    {
        if (m_words.size() % 2)
            m_words.push_back(0);   // items start on a DWORD
        AddDword(dwStyle | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        for (short v : {x, y, cx, cy})
            m_words.push_back((WORD)v);
        m_words.push_back(wId);
        m_words.push_back(0xFFFF);
        m_words.push_back(wClass);
        AddString(pszText);
        m_words.push_back(0);   // no creation data
        ++m_words[m_nCountAt];
    }
    LPCDLGTEMPLATE Get() const { return (LPCDLGTEMPLATE)m_words.data(); }

private:
    void AddDword(DWORD dw)
    {
        m_words.push_back(LOWORD(dw));
        m_words.push_back(HIWORD(dw));
    }
    void AddString(const char* psz)
    {
        for (; *psz; ++psz)
            m_words.push_back((BYTE)*psz);
        m_words.push_back(0);
    }
    std::vector<WORD> m_words;
    size_t m_nCountAt = 0;
};

const WORD kEditId = 100;

CTemplateBuilder MakeEditTemplate()
{
    CTemplateBuilder t(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, "In memory", 160, 60);
    t.AddItem(0x0081, kEditId, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, "", 7, 7, 100, 14);
    t.AddItem(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 50, 40, 50, 14);
    t.AddItem(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, "Cancel", 103, 40, 50, 14);
    return t;
}

class CTimerDialog : public CDialog
{
public:
    std::function<void(CTimerDialog&)> m_action;
    HWND m_hOwner = NULL;
    BOOL m_bOwnerEnabledWhileModal = TRUE;
    BOOL m_bEditFound = FALSE;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetTimer(7, 10, NULL);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        m_bOwnerEnabledWhileModal = ::IsWindowEnabled(m_hOwner);
        m_bEditFound = GetDlgItem(kEditId) != NULL;
        m_action(*this);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(DlgModal, InMemoryTemplateEndsWithTheRightResult)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                               200, NULL, NULL));
    CTemplateBuilder tmpl = MakeEditTemplate();

    struct Case {
        const char* what;
        std::function<void(CTimerDialog&)> action;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"EndDialog from a timer", [](CTimerDialog& d) { d.EndDialog(4242); }, 4242},
        // Posted keys reach IsDialogMessage only through the modal loop's
        // PreTranslateMessage.
        {"Escape cancels", [](CTimerDialog& d) { ::PostMessage(::GetDlgItem(d, kEditId), WM_KEYDOWN, VK_ESCAPE, 0); },
         IDCANCEL},
        {"Enter presses the default button",
         [](CTimerDialog& d) { ::PostMessage(::GetDlgItem(d, kEditId), WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTimerDialog dlg;
        dlg.m_hOwner = owner;
        dlg.m_action = c.action;
        ASSERT_TRUE(dlg.InitModalIndirect(tmpl.Get(), &owner));
        EXPECT_EQ(dlg.DoModal(), c.expected);
        EXPECT_TRUE(dlg.m_bEditFound);
        EXPECT_FALSE(dlg.m_bOwnerEnabledWhileModal);
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
    }
    owner.DestroyWindow();
}

class CThrowingDialog : public CDialog
{
protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        AfxThrowNotSupportedException();
    }
};

// OnInitDialog runs under the system's dialog procedure: what it throws is
// reported there and the modal dialog ends, failed.
TEST(DlgModal, AnExceptionFromOnInitDialogIsReportedAndEndsTheDialog)
{
    CTemplateBuilder tmpl = MakeEditTemplate();
    CThrowingDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(tmpl.Get()));
    CDialogAnswerer answerer;
    AnswerBoxesWithOk(answerer);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(BoxTexts(answerer), std::vector<std::string>{"An unsupported operation was attempted."});
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
}

// ---------------------------------------------------------------------------
// Modeless: owner draw and control colours through the dialog
// ---------------------------------------------------------------------------

class COwnerDrawButton : public CButton
{
public:
    int m_nDrawn = 0;
    UINT m_nCtlType = 0;
    HWND m_hwndItem = NULL;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        ++m_nDrawn;
        m_nCtlType = lpDIS->CtlType;
        m_hwndItem = lpDIS->hwndItem;
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, (HBRUSH)::GetStockObject(GRAY_BRUSH));
    }
};

class CControlsDialog : public CDialog
{
public:
    COwnerDrawButton m_button;
    CCheckListBox m_checkList;
    HBRUSH m_hValueBrush = ::CreateSolidBrush(RGB(1, 2, 3));
    BOOL m_bPostNcDestroy = FALSE;
    ~CControlsDialog() override { ::DeleteObject(m_hValueBrush); }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_DLG_OWNERDRAW, m_button);
        DDX_Control(pDX, IDC_DLG_CHECKLIST, m_checkList);
    }
    void PostNcDestroy() override { m_bPostNcDestroy = TRUE; }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        if (nCtlColor == CTLCOLOR_EDIT && pWnd->GetDlgCtrlID() == IDC_DLG_VALUE)
            return m_hValueBrush;
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlsDialog, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST(DlgModeless, CreatesFromTemplateDrawsAndColoursThroughTheDialog)
{
    CControlsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_DLG_CONTROLS, NULL));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    EXPECT_EQ(dlg.m_nIDHelp, (UINT)IDD_DLG_CONTROLS);
    ASSERT_NE(::GetDlgItem(dlg, IDC_DLG_LIST), (HWND)NULL) << "a common control in the template";
    EXPECT_EQ(dlg.m_button.m_hWnd, ::GetDlgItem(dlg, IDC_DLG_OWNERDRAW)) << "DDX_Control subclassed it";

    dlg.ShowWindow(SW_SHOW);
    dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_GE(dlg.m_button.m_nDrawn, 1) << "WM_DRAWITEM reflected to CButton::DrawItem";
    EXPECT_EQ(dlg.m_button.m_nCtlType, (UINT)ODT_BUTTON);
    EXPECT_EQ(dlg.m_button.m_hwndItem, dlg.m_button.m_hWnd);

    // A check list from the template: its items make room for the check box.
    EXPECT_EQ(dlg.m_checkList.AddString("item"), 0);
    EXPECT_GE(dlg.m_checkList.GetItemHeight(0), 15);
    dlg.m_checkList.SetCheck(0, 1);
    EXPECT_EQ(dlg.m_checkList.GetCheck(0), 1);

    HWND hValue = ::GetDlgItem(dlg, IDC_DLG_VALUE);
    HDC hDC = ::GetDC(hValue);
    EXPECT_EQ((HBRUSH)::SendMessage(dlg, WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)hValue), dlg.m_hValueBrush);
    ::ReleaseDC(hValue, hDC);

    // OK/Cancel of a modeless dialog only hide it.
    Click(::GetDlgItem(dlg, IDCANCEL));
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_FALSE(dlg.IsWindowVisible());

    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
    EXPECT_TRUE(dlg.m_bPostNcDestroy);
}

// ---------------------------------------------------------------------------
// DDX_Text and DDV_: what each kind of member accepts and refuses
// ---------------------------------------------------------------------------

class CValueDialog : public CDialog
{
public:
    int m_n = 0;
    UINT m_u = 0;
    BYTE m_by = 0;
    double m_d = 0;
    float m_f = 0;
    CString m_s;
    std::function<void(CDataExchange*, CValueDialog&)> m_exchange;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_exchange)
            m_exchange(pDX, *this);
    }
};

using Exchange = std::function<void(CDataExchange*, CValueDialog&)>;
const Exchange kInt = [](CDataExchange* pDX, CValueDialog& d) { DDX_Text(pDX, IDC_DLG_VALUE, d.m_n); };
const Exchange kUInt = [](CDataExchange* pDX, CValueDialog& d) { DDX_Text(pDX, IDC_DLG_VALUE, d.m_u); };
const Exchange kByte = [](CDataExchange* pDX, CValueDialog& d) { DDX_Text(pDX, IDC_DLG_VALUE, d.m_by); };
const Exchange kDouble = [](CDataExchange* pDX, CValueDialog& d) { DDX_Text(pDX, IDC_DLG_VALUE, d.m_d); };
const Exchange kFloat = [](CDataExchange* pDX, CValueDialog& d) { DDX_Text(pDX, IDC_DLG_VALUE, d.m_f); };
const Exchange kIntOneToTen = [](CDataExchange* pDX, CValueDialog& d) {
    DDX_Text(pDX, IDC_DLG_VALUE, d.m_n);
    DDV_MinMaxInt(pDX, d.m_n, 1, 10);
};
const Exchange kDoubleZeroToOne = [](CDataExchange* pDX, CValueDialog& d) {
    DDX_Text(pDX, IDC_DLG_VALUE, d.m_d);
    DDV_MinMaxDouble(pDX, d.m_d, 0, 1);
};
const Exchange kStringMax3 = [](CDataExchange* pDX, CValueDialog& d) {
    DDX_Text(pDX, IDC_DLG_VALUE, d.m_s);
    DDV_MaxChars(pDX, d.m_s, 3);
};

class DlgExchange : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dlg.Create(IDD_DLG_CONTROLS, NULL)); }
    void TearDown() override { m_dlg.DestroyWindow(); }
    CValueDialog m_dlg;
};

TEST_F(DlgExchange, SavingAcceptsWholeValuesAndRefusesTheRest)
{
    struct Case {
        const char* text;
        Exchange exchange;
        const char* refusal;   // NULL: accepted
        std::function<bool(const CValueDialog&)> saved;
    };
    const Case cases[] = {
        {" 42 ", kInt, NULL, [](const CValueDialog& d) { return d.m_n == 42; }},
        {"+5", kInt, NULL, [](const CValueDialog& d) { return d.m_n == 5; }},
        {"-2147483648", kInt, NULL, [](const CValueDialog& d) { return d.m_n == INT_MIN; }},
        {"2147483648", kInt, "Please enter an integer.", nullptr},
        {"12a", kInt, "Please enter an integer.", nullptr},
        {"", kInt, "Please enter an integer.", nullptr},
        {"0x10", kInt, "Please enter an integer.", nullptr},
        {"1 2", kInt, "Please enter an integer.", nullptr},
        {"4294967295", kUInt, NULL, [](const CValueDialog& d) { return d.m_u == UINT_MAX; }},
        {"-1", kUInt, "Please enter a positive integer.", nullptr},
        {"256", kByte, "Please enter an integer between 0 and 255.", nullptr},
        {" 1.5e3", kDouble, NULL, [](const CValueDialog& d) { return d.m_d == 1500.0; }},
        {"1,5", kDouble, "Please enter a number.", nullptr},
        {"1e39", kFloat, "Please enter a number.", nullptr},
        {"10", kIntOneToTen, NULL, [](const CValueDialog& d) { return d.m_n == 10; }},
        {"11", kIntOneToTen, "Please enter an integer between 1 and 10.", nullptr},
        {"2.5", kDoubleZeroToOne, "Please enter a number between 0 and 1.", nullptr},
        {"abc", kStringMax3, NULL, [](const CValueDialog& d) { return d.m_s == "abc"; }},
        {"abcd", kStringMax3, "Please enter no more than 3 characters.", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        m_dlg.SetDlgItemText(IDC_DLG_VALUE, c.text);
        m_dlg.m_exchange = c.exchange;
        CDialogAnswerer answerer;
        AnswerBoxesWithOk(answerer);
        BOOL bOK = m_dlg.UpdateData(TRUE);
        if (c.refusal == NULL) {
            EXPECT_TRUE(bOK);
            EXPECT_TRUE(BoxTexts(answerer).empty());
            EXPECT_TRUE(c.saved(m_dlg));
        } else {
            EXPECT_FALSE(bOK);
            EXPECT_EQ(BoxTexts(answerer), std::vector<std::string>{c.refusal});
        }
    }
}

TEST_F(DlgExchange, LoadingShowsTheValueAndLimitsTheEdit)
{
    struct Case {
        Exchange set;
        const char* shown;
    };
    const Case cases[] = {
        {[](CDataExchange* pDX, CValueDialog& d) { d.m_n = -7; kInt(pDX, d); }, "-7"},
        {[](CDataExchange* pDX, CValueDialog& d) { d.m_u = 4000000000u; kUInt(pDX, d); }, "4000000000"},
        {[](CDataExchange* pDX, CValueDialog& d) { d.m_d = 0.1; kDouble(pDX, d); }, "0.1"},
        {[](CDataExchange* pDX, CValueDialog& d) { d.m_f = 0.1f; kFloat(pDX, d); }, "0.1"},
        {[](CDataExchange* pDX, CValueDialog& d) { d.m_s = "Слова"; kStringMax3(pDX, d); }, "Слова"},
    };
    for (const Case& c : cases) {
        m_dlg.m_exchange = c.set;
        EXPECT_TRUE(m_dlg.UpdateData(FALSE));
        EXPECT_EQ(WindowText(::GetDlgItem(m_dlg, IDC_DLG_VALUE)), c.shown);
    }
    // Loading never validates; DDV_MaxChars limits what can be typed.
    EXPECT_EQ(::SendDlgItemMessage(m_dlg, IDC_DLG_VALUE, EM_GETLIMITTEXT, 0, 0), 3);
}

// The first item is found like any other, and the whole list is searched
// (the search ignores case, so the third item would match as well).
TEST_F(DlgExchange, ExactComboStringSelectsTheFirstItem)
{
    for (DWORD dwKind : {(DWORD)CBS_DROPDOWNLIST, (DWORD)CBS_DROPDOWN}) {
        const char* pszKind = dwKind == CBS_DROPDOWNLIST ? "drop list" : "edit combo";
        HWND hCombo = ::CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | dwKind, 10, 120, 100, 80,
                                      m_dlg, (HMENU)(INT_PTR)IDC_DLG_COMBO, NULL, NULL);
        ASSERT_NE(hCombo, nullptr) << pszKind;
        for (const char* item : {"Alpha", "Beta", "ALPHA"})
            ::SendMessage(hCombo, CB_ADDSTRING, 0, (LPARAM)item);
        ::SendMessage(hCombo, CB_SETCURSEL, 1, 0);
        m_dlg.m_s = "Alpha";
        m_dlg.m_exchange = [](CDataExchange* pDX, CValueDialog& d) { DDX_CBStringExact(pDX, IDC_DLG_COMBO, d.m_s); };
        EXPECT_TRUE(m_dlg.UpdateData(FALSE)) << pszKind;
        EXPECT_EQ(::SendMessage(hCombo, CB_GETCURSEL, 0, 0), 0) << pszKind;
        EXPECT_EQ(WindowText(hCombo), "Alpha") << pszKind;
        ::DestroyWindow(hCombo);
    }
}

}  // namespace
