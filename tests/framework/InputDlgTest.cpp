// The input dialogs run modal and answered as a user would: text typed and
// OK or Cancel pressed, a date chosen in the picker; the result only after OK,
// and the layout stretching the input control.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "InputDlg.h"
#include "framework_res.h"
#include "testsupport.h"

namespace {

struct Seen {
    std::string caption;
    std::string initial;
    bool focusInInput = false;
};

// The answer to the text dialog is given once it is up and active, from a
// timer: the focus is only placed when the dialog has been activated.
struct TextAnswer {
    HWND dialog;
    const char* typed;   // nullptr: leave the edit as it is
    int button;
    Seen* seen;
} g_answer;

void CALLBACK AnswerTextDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    HWND edit = ::GetDlgItem(g_answer.dialog, IDC_INPUT_TEXT);
    g_answer.seen->initial = WindowText(edit);
    g_answer.seen->focusInInput = ::GetFocus() == edit;
    if (g_answer.typed) ::SetWindowTextA(edit, g_answer.typed);
    CDialogAnswerer::PressButton(g_answer.dialog, g_answer.button);
}

TEST(InputDlgTest, TextDialogReturnsWhatWasTypedOnlyAfterOk)
{
    struct Case {
        const char* initial;
        const char* typed;
        int button;
        int result;
        std::string expected;
    } cases[] = {
        {"seed", "alpha\r\nbeta", IDOK, IDOK, "alpha\r\nbeta"},
        {"kept as is", nullptr, IDOK, IDOK, "kept as is"},
        {"", "", IDOK, IDOK, ""},
        {"seed", "typed but cancelled", IDCANCEL, IDCANCEL, ""},
    };
    for (const Case& c : cases) {
        CDialogAnswerer answerer;
        Seen seen;
        answerer.Handle([&](HWND dialog, const ShownDialog& shown) {
            seen.caption = shown.caption;
            g_answer = {dialog, c.typed, c.button, &seen};
            SetTimer(nullptr, 0, 20, &AnswerTextDialog);
        });
        CBaseInputStringDlg dlg(c.initial, "Please enter keywords", IDD_INPUT_TEXT);
        EXPECT_EQ(dlg.DoModal(), c.result) << c.initial;
        EXPECT_EQ(seen.caption, "Please enter keywords") << "the caption replaces the template's";
        EXPECT_EQ(seen.initial, c.initial);
        EXPECT_TRUE(seen.focusInInput) << "the focus starts in the edit";
        EXPECT_EQ(std::string((LPCSTR)dlg.m_strResult), c.expected);
    }
}

TEST(InputDlgTest, TextDialogStretchesItsEditAndMovesItsButtons)
{
    CDialogAnswerer answerer;
    CRect edit0, ok0, cancel0, edit1, ok1, cancel1;
    answerer.Handle([&](HWND dialog, const ShownDialog&) {
        auto rectOf = [dialog](int id) {
            CRect rc;
            ::GetWindowRect(::GetDlgItem(dialog, id), rc);
            return rc;
        };
        edit0 = rectOf(IDC_INPUT_TEXT), ok0 = rectOf(IDOK), cancel0 = rectOf(IDCANCEL);
        CRect rc;
        ::GetWindowRect(dialog, rc);
        ::SetWindowPos(dialog, nullptr, rc.left, rc.top, rc.Width() + 100, rc.Height() + 60,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        edit1 = rectOf(IDC_INPUT_TEXT), ok1 = rectOf(IDOK), cancel1 = rectOf(IDCANCEL);
        CDialogAnswerer::PressButton(dialog, IDCANCEL);
    });
    CBaseInputStringDlg dlg("", "Layout", IDD_INPUT_TEXT);
    dlg.DoModal();
    EXPECT_EQ(edit1.Width(), edit0.Width() + 100);
    EXPECT_EQ(edit1.Height(), edit0.Height() + 60);
    EXPECT_EQ(edit1.TopLeft(), edit0.TopLeft());
    EXPECT_EQ(ok1, ok0 + CPoint(100, 60));
    EXPECT_EQ(cancel1, cancel0 + CPoint(100, 60));
}

TEST(InputDlgTest, DateDialogReturnsTheChosenMoment)
{
    const COleDateTime initial(2023, 11, 20, 8, 30, 0);
    SYSTEMTIME shownTime = {};
    std::string caption, pickerText;
    CDialogAnswerer answerer;
    answerer.Handle([&](HWND dialog, const ShownDialog& shown) {
        caption = shown.caption;
        HWND picker = ::GetDlgItem(dialog, IDC_INPUT_DATE_PICKER);
        ::SendMessage(picker, DTM_GETSYSTEMTIME, 0, (LPARAM)&shownTime);
        SYSTEMTIME chosen = {};
        chosen.wYear = 2024, chosen.wMonth = 3, chosen.wDay = 5;
        chosen.wHour = 14, chosen.wMinute = 15, chosen.wSecond = 16;
        ::SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&chosen);
        pickerText = WindowText(picker);
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    CBaseInputDateDlg dlg(initial, "When?");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "When?");
    // The picker shows the long format; day and month names follow the locale.
    EXPECT_NE(pickerText.find(" : 05 - "), std::string::npos) << pickerText;
    const std::string tail = " - 2024  ---  (14 : 15 : 16)";
    ASSERT_GE(pickerText.size(), tail.size());
    EXPECT_EQ(pickerText.substr(pickerText.size() - tail.size()), tail);
    EXPECT_EQ(shownTime.wYear, 2023);
    EXPECT_EQ(shownTime.wMonth, 11);
    EXPECT_EQ(shownTime.wDay, 20);
    EXPECT_EQ(shownTime.wHour, 8);
    EXPECT_EQ(shownTime.wMinute, 30);

    EXPECT_EQ(dlg.m_dtResult.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(dlg.m_dtResult, COleDateTime(2024, 3, 5, 14, 15, 16));
    EXPECT_EQ(dlg.m_tmResult, CTime(2024, 3, 5, 14, 15, 16));
}

TEST(InputDlgTest, CancelledDateDialogLeavesTheResultsAlone)
{
    CDialogAnswerer answerer;
    answerer.Handle([](HWND dialog, const ShownDialog&) {
        SYSTEMTIME chosen = {};
        chosen.wYear = 2024, chosen.wMonth = 3, chosen.wDay = 5;
        ::SendMessage(::GetDlgItem(dialog, IDC_INPUT_DATE_PICKER), DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&chosen);
        CDialogAnswerer::PressButton(dialog, IDCANCEL);
    });
    CBaseInputDateDlg dlg(COleDateTime(2023, 1, 2, 3, 4, 5), "When?");
    const COleDateTime before = dlg.m_dtResult;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_dtResult, before);
    EXPECT_EQ(dlg.m_tmResult.GetTime(), 0);
}

}  // namespace
