// The modal script itself: a step after one that opened a box runs only once
// the box shows, however long it takes to open; and a script that fails ends
// every box it opened instead of leaving one up to hang the run.
#include <afxwin.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "ModalScript.h"
#include "modalscript_test_res.h"
#include "testsupport.h"

namespace {

const char kBoxCaption[] = "Slow box";
const UINT kOpenBox = WM_APP + 1;

// A box as slow to open as any is on a loaded machine: many script ticks
// pass before its modal loop first goes idle and shows it.
class CSlowBox : public CDialog
{
public:
    explicit CSlowBox(CWnd* pParent) : CDialog(IDD_SCRIPT_BOX, pParent) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::Sleep(400);
        return TRUE;
    }
};

// Opens the slow box when asked by a message, as a click on a control would.
class CScriptedDlg : public CDialog
{
public:
    CScriptedDlg() : CDialog(IDD_SCRIPT_OUTER) {}
    INT_PTR m_nBoxResult = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kOpenBox)
            return CDialog::WindowProc(message, wParam, lParam);
        CSlowBox box(this);
        m_nBoxResult = box.DoModal();
        return 0;
    }
};

TEST(ModalScriptTest, AStepAfterOneThatOpenedABoxRunsOnceTheBoxShows)
{
    CScriptedDlg dlg;
    INT_PTR nResult = CModalScript::Run(dlg, {
        [&] { dlg.PostMessage(kOpenBox); },
        [&] {
            HWND hBox = CModalScript::FindDialog(kBoxCaption);
            ASSERT_NE(hBox, nullptr) << "the step ran before the box showed";
            CDialogAnswerer::PressButton(hBox, IDOK);
        },
        [&] {
            EXPECT_EQ(dlg.m_nBoxResult, IDOK);
            CDialogAnswerer::PressButton(dlg.m_hWnd, IDOK);
        },
    });
    EXPECT_EQ(nResult, IDOK);
}

TEST(ModalScriptTest, AFailingScriptEndsTheBoxesItOpenedAndFails)
{
    auto post = [](CScriptedDlg& dlg) { dlg.PostMessage(kOpenBox); };
    struct Case {
        const char* name;
        std::function<void(CScriptedDlg&)> open;   // the first step
        CModalScript::Step then;
        DWORD dwLimitMs;
        const char* expected;   // in the failure's message
    };
    const std::vector<Case> cases = {
        {"a wait that never ends", post,
         CModalScript::WaitFor("a window that never opens", [] { return false; }, 300), 60000,
         "waited 300 ms for a window that never opens"},
        {"a failed assertion", post, [] { FAIL() << "no set-up dialog"; }, 60000, "no set-up dialog"},
        // The box shows only after the script began to close.
        {"a failed assertion as the box opens",
         [](CScriptedDlg& dlg) {
             dlg.PostMessage(kOpenBox);
             FAIL() << "no set-up dialog";
         },
         [] {}, 60000, "no set-up dialog"},
        // The dialog's own Cancel handled inside its box's loop hides the
        // dialog and leaves the box up.
        {"the dialog cancelled under its box",
         [](CScriptedDlg& dlg) {
             dlg.PostMessage(kOpenBox);
             dlg.PostMessage(WM_COMMAND, IDCANCEL);
         },
         [] {}, 1500, "did not end within its time limit"},
        {"a box nobody answers", [](CScriptedDlg& dlg) { dlg.SendMessage(kOpenBox); }, [] {}, 1500,
         "did not end within its time limit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedDlg dlg;
        bool bRanOn = false;
        INT_PTR nResult = 0;
        ::testing::TestPartResultArray failures;
        {
            ::testing::ScopedFakeTestPartResultReporter reporter(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
            nResult = CModalScript::Run(dlg, {[&] { c.open(dlg); }, c.then, [&] { bRanOn = true; }}, c.dwLimitMs);
        }
        ASSERT_EQ(failures.size(), 1);
        EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find(c.expected), std::string::npos)
            << failures.GetTestPartResult(0).message();
        EXPECT_FALSE(bRanOn) << "a step ran after the failure";
        EXPECT_EQ(dlg.m_nBoxResult, IDCANCEL);
        EXPECT_EQ(nResult, IDCANCEL);
        EXPECT_EQ(::FindWindowA("#32770", kBoxCaption), nullptr);
    }
}

}  // namespace
