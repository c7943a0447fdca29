// The in-memory message box: its button sets, default button, the check-box
// mark added to the result, Cancel's rule, the system box for a system-modal
// stop, and the bounds on long texts and on the control table.
#include <afxwin.h>
#include <algorithm>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "TemplateMessageBox.h"
#include "testsupport.h"

namespace {

struct BoxControl
{
    int id;
    std::string cls;
    std::string text;
    DWORD style;
    RECT rc;   // in the dialog's client coordinates
};

std::vector<BoxControl> ControlsOf(HWND dialog)
{
    std::vector<BoxControl> controls;
    for (HWND h = GetWindow(dialog, GW_CHILD); h != NULL; h = GetWindow(h, GW_HWNDNEXT)) {
        char cls[64] = "";
        GetClassNameA(h, cls, sizeof cls);
        BoxControl c{GetDlgCtrlID(h), cls, WindowText(h), (DWORD)GetWindowLongPtrA(h, GWL_STYLE), {}};
        GetWindowRect(h, &c.rc);
        MapWindowPoints(NULL, dialog, (POINT*)&c.rc, 2);
        controls.push_back(c);
    }
    return controls;
}

// The push buttons of the row, left to right, as "id:text" with a "*" on the default.
std::vector<std::string> ButtonRow(HWND dialog)
{
    std::vector<BoxControl> buttons;
    for (const BoxControl& c : ControlsOf(dialog))
        if (_stricmp(c.cls.c_str(), "Button") == 0 && c.id != IDC_TMB_DONTAGAIN)
            buttons.push_back(c);
    std::sort(buttons.begin(), buttons.end(), [](const BoxControl& a, const BoxControl& b) { return a.rc.left < b.rc.left; });
    std::vector<std::string> row;
    for (const BoxControl& b : buttons)
        row.push_back(std::to_string(b.id) + ":" + b.text + ((b.style & 0x0F) == BS_DEFPUSHBUTTON ? "*" : ""));
    return row;
}

struct ButtonSetCase
{
    UINT nType;
    std::vector<std::string> row;
    int nPress;
};

TEST(MessageBoxTest, EachButtonSetShowsItsRowAndReturnsThePressedButton)
{
    const ButtonSetCase cases[] = {
        {MB_OK, {"1:OK*"}, IDOK},
        {MB_OKCANCEL, {"1:OK*", "2:Cancel"}, IDCANCEL},
        {MB_ABORTRETRYIGNORE, {"3:&Abort*", "4:&Retry", "5:&Ignore"}, IDIGNORE},
        {MB_YESNOCANCEL, {"6:&Yes*", "7:&No", "2:Cancel"}, IDNO},
        {MB_YESNO, {"6:&Yes*", "7:&No"}, IDNO},
        {MB_RETRYCANCEL, {"4:&Retry*", "2:Cancel"}, IDRETRY},
        {6, {"1:OK*"}, IDOK},
        {7, {"1:OK*"}, IDOK},
        {8, {"10:&Continue*", "3:&Abort"}, 10},
        {15, {"1:OK*"}, IDOK},
        // The default bits name a button; a missing one falls back to the first.
        {MB_OK | MB_DEFBUTTON2, {"1:OK*"}, IDOK},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {"6:&Yes", "7:&No", "2:Cancel*"}, IDYES},
        {MB_YESNO | MB_DEFBUTTON4, {"6:&Yes*", "7:&No"}, IDYES},
        // Help comes last and counts for the default bits.
        {MB_YESNO | MB_HELP | MB_DEFBUTTON3, {"6:&Yes", "7:&No", "300:&Help*"}, IDNO},
    };
    CDialogAnswerer answerer;
    for (const ButtonSetCase& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.nType));
        std::vector<std::string> row;
        bool bCheckBox = true;
        answerer.Handle([&](HWND dialog, const ShownDialog&) {
            row = ButtonRow(dialog);
            bCheckBox = GetDlgItem(dialog, IDC_TMB_DONTAGAIN) != NULL;
            CDialogAnswerer::PressButton(dialog, c.nPress);
        });
        int nResult = TemplateMessageBox(NULL, "Proceed?", "Box", c.nType);
        EXPECT_EQ(c.row, row);
        EXPECT_FALSE(bCheckBox);
        EXPECT_EQ(c.nPress, nResult);
    }
}

struct MarkCase
{
    UINT nType;
    const char* pszCheckText;
    bool bTick;
    int nPress;
    int nExpected;
};

TEST(MessageBoxTest, TickedCheckBoxAddsItsMarkToTheButtonId)
{
    const MarkCase cases[] = {
        {MB_YESNO | MB_ICONQUESTION | MB_DONTASKAGAIN, "Don't ask me again", true, IDYES, IDYES + 0x1000000},
        {MB_YESNO | MB_ICONQUESTION | MB_DONTASKAGAIN, "Don't ask me again", false, IDYES, IDYES},
        {MB_YESNO | MB_DONTASKAGAIN, "Don't ask me again", true, IDNO, IDNO + 0x1000000},
        {MB_OK | MB_DONTTELLAGAIN, "Don't tell me again", true, IDOK, IDOK + 0x2000000},
        {MB_OK | MB_DONTASKAGAIN | MB_DONTTELLAGAIN, "Don't ask me again", true, IDOK, IDOK + 0x1000000},
        {MB_YESNOCANCEL | MB_DONTASKAGAIN, "Don't ask me again", true, IDCANCEL, IDCANCEL + 0x1000000},
    };
    CDialogAnswerer answerer;
    for (const MarkCase& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.nType) + " press " + std::to_string(c.nPress));
        std::string sCheckText;
        DWORD dwCheckStyle = 0;
        answerer.Handle([&](HWND dialog, const ShownDialog&) {
            HWND hCheck = GetDlgItem(dialog, IDC_TMB_DONTAGAIN);
            ASSERT_TRUE(hCheck != NULL);
            sCheckText = WindowText(hCheck);
            dwCheckStyle = (DWORD)GetWindowLongPtrA(hCheck, GWL_STYLE);
            if (c.bTick)
                PostMessageA(hCheck, BM_CLICK, 0, 0);
            CDialogAnswerer::PressButton(dialog, c.nPress);
        });
        int nResult = TemplateMessageBox(NULL, "Delete the file?", "Question", c.nType);
        EXPECT_EQ(c.pszCheckText, sCheckText);
        EXPECT_EQ(0x50010003u, dwCheckStyle);
        EXPECT_EQ(c.nExpected, nResult);
        EXPECT_EQ(c.nPress, TemplateMessageBoxButton(nResult));
    }
}

TEST(MessageBoxTest, WithoutCancelButtonEscAndCloseAreIgnored)
{
    CDialogAnswerer answerer;
    UINT nCloseState = 0;
    answerer.Handle([&](HWND dialog, const ShownDialog&) {
        nCloseState = GetMenuState(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
        PostMessageA(GetDlgItem(dialog, IDC_TMB_DONTAGAIN), BM_CLICK, 0, 0);
        CDialogAnswerer::PressButton(dialog, IDYES);
    });
    int nResult = TemplateMessageBox(NULL, "Save changes?", "Question", MB_YESNO | MB_ICONQUESTION | MB_DONTASKAGAIN);
    EXPECT_EQ(IDYES + 0x1000000, nResult);
    EXPECT_TRUE(nCloseState & MF_GRAYED);
}

TEST(MessageBoxTest, IconSitsLeftOfTheText)
{
    CDialogAnswerer answerer;
    std::vector<BoxControl> withIcon, withoutIcon;
    answerer.Handle([&](HWND dialog, const ShownDialog&) {
        withIcon = ControlsOf(dialog);
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    answerer.Handle([&](HWND dialog, const ShownDialog&) {
        withoutIcon = ControlsOf(dialog);
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    TemplateMessageBox(NULL, "Careful.", "Warning", MB_OK | MB_ICONEXCLAMATION);
    TemplateMessageBox(NULL, "Careful.", "Warning", MB_OK);

    auto find = [](const std::vector<BoxControl>& v, int id) {
        auto it = std::find_if(v.begin(), v.end(), [id](const BoxControl& c) { return c.id == id; });
        return it == v.end() ? nullptr : &*it;
    };
    const BoxControl* pIcon = find(withIcon, IDC_TMB_ICON);
    const BoxControl* pText = find(withIcon, IDC_TMB_TEXT);
    ASSERT_TRUE(pIcon && pText);
    EXPECT_EQ("Careful.", pText->text);
    EXPECT_EQ(0x50000000u, pText->style);
    EXPECT_GE(pText->rc.left, pIcon->rc.right);
    EXPECT_EQ(nullptr, find(withoutIcon, IDC_TMB_ICON));
    ASSERT_TRUE(find(withoutIcon, IDC_TMB_TEXT));
    EXPECT_LT(find(withoutIcon, IDC_TMB_TEXT)->rc.left, pText->rc.left);
}

TEST(MessageBoxTest, SystemModalStopShowsTheSystemBox)
{
    CDialogAnswerer answerer;
    bool bOwnControls = true;
    answerer.Handle([&](HWND dialog, const ShownDialog&) {
        bOwnControls = GetDlgItem(dialog, IDC_TMB_TEXT) != NULL || GetDlgItem(dialog, IDC_TMB_DONTAGAIN) != NULL;
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    int nResult = TemplateMessageBox(NULL, "Fatal failure.", "Stop", MB_OK | MB_ICONHAND | MB_SYSTEMMODAL | MB_DONTASKAGAIN);
    EXPECT_EQ(IDOK, nResult);
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Stop", answerer.Shown()[0].caption);
    EXPECT_FALSE(bOwnControls);
}

TEST(MessageBoxTest, LongTextsAreCutAndAnEmptyCaptionFallsBack)
{
    std::string sLong;
    while (sLong.size() < 5000)
        sLong += "word ";
    CDialogAnswerer answerer;
    std::string sText, sCaption, sFallback;
    answerer.Handle([&](HWND dialog, const ShownDialog& shown) {
        sText = WindowText(GetDlgItem(dialog, IDC_TMB_TEXT));
        sCaption = shown.caption;
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    answerer.Handle([&](HWND dialog, const ShownDialog& shown) {
        sFallback = shown.caption;
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, TemplateMessageBox(NULL, sLong.c_str(), std::string(3000, 'c').c_str(), MB_OK));
    EXPECT_EQ(IDOK, TemplateMessageBox(NULL, "Text", "", MB_OK));

    EXPECT_EQ(1023u, sText.size());
    EXPECT_EQ(sLong.substr(0, 1020) + "...", sText);
    EXPECT_EQ(std::string(1020, 'c') + "...", sCaption);
    char szTitle[1024] = "";
    std::string sExpected = LoadStringA(AfxGetResourceHandle(), 0xE000, szTitle, sizeof szTitle) > 0 ? szTitle : "Error";
    EXPECT_EQ(sExpected, sFallback);
}

TEST(MessageBoxTest, TemplateHoldsAtMostTwentyControls)
{
    CDialogTemplate1 tmpl;
    int nAdded = 0;
    for (int i = 0; i < 25; i++)
        nAdded += tmpl.AddControl(0x50000000, 0, 0, 10, 10, 2000 + i, CDialogTemplate1::ATOM_STATIC,
                                  std::string(2000, 'a' + i % 26).c_str()) ? 1 : 0;
    EXPECT_EQ(20, nAdded);
    EXPECT_EQ(20, tmpl.GetControlCount());
    EXPECT_EQ(1023u, strlen(tmpl.GetControl(19)->szText));

    HGLOBAL hTemplate = tmpl.Build("Caption");
    ASSERT_TRUE(hTemplate != NULL);
    const DLGTEMPLATE* pHeader = (const DLGTEMPLATE*)GlobalLock(hTemplate);
    EXPECT_EQ(20, pHeader->cdit);
    // The last control's text ends inside the block.
    const BYTE* pEnd = (const BYTE*)pHeader + GlobalSize(hTemplate);
    const WCHAR* pw = (const WCHAR*)(pHeader + 1) + 2;   // no menu, no class
    EXPECT_EQ(std::wstring(L"Caption"), std::wstring(pw));
    EXPECT_GT(pEnd, (const BYTE*)pw);
    GlobalUnlock(hTemplate);
    GlobalFree(hTemplate);
}

} // namespace
