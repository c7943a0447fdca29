// The external-tools editor and the grid column set-up under real messages:
// the list edited through the buttons, the fields and the hot-key control;
// "Delete all" asking once; a right click on the header opening the set-up;
// and the columns, sort and colours kept in the profile across a restart of
// the dialog.
#include <afxwin.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "BasedApp.h"
#include "ExternalToolDlg.h"
#include "ModalScript.h"
#include "OwnAppTest.h"
#include "ProfileKeys.h"
#include "TemplateMessageBox.h"
#include "TestFolder.h"
#include "framework_res.h"
#include "testsupport.h"

namespace {

const char kAppName[] = "PellucorToolsEditorTest";
const char kProfileKey[] = "Software\\Dunmorrow\\PellucorToolsEditorTest";
// A button no dialog has: the answerer presses it on the editor and the
// set-up dialog when they become active, which does nothing.
const int kNoButton = 0x7ABC;

class CToolsApp : public CBasedApp
{
public:
    CToolsApp() : CBasedApp(kAppName) {}
};

class ExternalToolDlgTest : public OwnAppTest<CToolsApp>
{
protected:
    ExternalToolDlgTest() : OwnAppTest(kProfileKey) {}
    void SetUp() override
    {
        OwnAppTest::SetUp();
        // The profile in the registry, as the program's start-up sets it.
        m_pApp->SetRegistryKey(szProfileCompanyKey);
    }

    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (INT_PTR i = 0; i < m_pApp->m_arrExternalTools.GetSize(); ++i)
            titles.push_back((LPCSTR)m_pApp->m_arrExternalTools[i]->m_strTitle);
        return titles;
    }
    void AddTool(LPCSTR pszTitle)
    {
        CExternalTool* p = new CExternalTool;
        p->m_strTitle = pszTitle;
        p->m_strCommand = CString(pszTitle) + ".exe";
        m_pApp->m_arrExternalTools.Add(p);
    }
};

void Press(CDialog& dlg, int nId)
{
    CDialogAnswerer::PressButton(dlg.m_hWnd, nId);
}

bool Enabled(CDialog& dlg, int nId)
{
    return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, nId)) != FALSE;
}

std::string Text(CDialog& dlg, int nId)
{
    return WindowText(::GetDlgItem(dlg.m_hWnd, nId));
}

// A right click as the user makes it, at client point (x, y) of the window.
void RightClick(HWND hwnd, int x, int y)
{
    ::PostMessage(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    ::PostMessage(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

const char kSetupCaption[] = "Setup Grid";

HWND SetupDialog()
{
    return CModalScript::FindDialog(kSetupCaption);
}

TEST_F(ExternalToolDlgTest, EditsTheListThroughItsButtonsFieldsAndHotKey)
{
    CDialogAnswerer answerer;
    answerer.SetDefault(kNoButton);
    CExternalToolDlg dlg;
    std::vector<std::string> questions;
    auto answerQuestion = [&](bool bTickOnce, int nButton) {
        answerer.Handle([&questions, bTickOnce, nButton](HWND hBox, const ShownDialog& shown) {
            questions.push_back(shown.caption + "|" + WindowText(::GetDlgItem(hBox, IDC_TMB_TEXT)));
            if (bTickOnce)
                ::SendMessage(::GetDlgItem(hBox, IDC_TMB_DONTAGAIN), BM_SETCHECK, BST_CHECKED, 0);
            CDialogAnswerer::PressButton(hBox, nButton);
        });
    };
    CModalScript::Run(dlg, {
        [&] {
            // An empty list: nothing selected, only Add (and Close) enabled.
            EXPECT_EQ(dlg.m_Grid.GetRowCount(), 1);
            EXPECT_STREQ(dlg.m_Grid.GetItemText(0, 3), "Hotkey");
            for (int nId : {IDC_TOOLS_DELETE, IDC_TOOLS_DELETE_ALL, IDC_TOOLS_UP, IDC_TOOLS_DOWN, IDC_TOOLS_CHOOSE,
                            IDC_TOOLS_TITLE, IDC_TOOLS_HOTKEY})
                EXPECT_FALSE(Enabled(dlg, nId)) << nId;
            EXPECT_TRUE(Enabled(dlg, IDC_TOOLS_ADD));
            answerer.Answer(IDOK);   // the warning of a Delete with nothing selected
            Press(dlg, IDC_TOOLS_DELETE);
        },
        [&] { Press(dlg, IDC_TOOLS_ADD); },
        [&] { Press(dlg, IDC_TOOLS_ADD); },
        [&] { Press(dlg, IDC_TOOLS_ADD); },
        [&] {
            EXPECT_EQ(Titles(), (std::vector<std::string>{"External Tool #0", "External Tool #1", "External Tool #2"}));
            EXPECT_EQ(dlg.GetSelectedRow(FALSE), 3);
            EXPECT_EQ(Text(dlg, IDC_TOOLS_TITLE), "External Tool #2");
            EXPECT_TRUE(Enabled(dlg, IDC_TOOLS_UP));
            EXPECT_FALSE(Enabled(dlg, IDC_TOOLS_DOWN));
            // Typing into the fields changes the tool and its row.
            ::SetWindowTextA(::GetDlgItem(dlg.m_hWnd, IDC_TOOLS_TITLE), "Notepad");
            ::SetWindowTextA(::GetDlgItem(dlg.m_hWnd, IDC_TOOLS_COMMAND), "notepad.exe");
            // A key pressed in the hot-key control.
            HWND hHotKey = ::GetDlgItem(dlg.m_hWnd, IDC_TOOLS_HOTKEY);
            ::SetFocus(hHotKey);
            ::PostMessage(hHotKey, WM_KEYDOWN, VK_F7, 0x00410001);
            ::PostMessage(hHotKey, WM_KEYUP, VK_F7, 0xC0410001);
        },
        [&] {
            const CExternalTool* p = m_pApp->m_arrExternalTools[2];
            EXPECT_STREQ(p->m_strTitle, "Notepad");
            EXPECT_STREQ(p->m_strCommand, "notepad.exe");
            EXPECT_EQ(p->m_nVirtualKey, VK_F7);
            EXPECT_EQ(p->m_nModifiers, 0);
            // The hot key is shown by its name.
            EXPECT_STREQ(p->m_strHotKey, "F7");
            EXPECT_STREQ(dlg.m_Grid.GetItemText(3, 0), "Notepad");
            EXPECT_STREQ(dlg.m_Grid.GetItemText(3, 3), "F7");
            Press(dlg, IDC_TOOLS_UP);
        },
        [&] {
            EXPECT_EQ(Titles(), (std::vector<std::string>{"External Tool #0", "Notepad", "External Tool #1"}));
            EXPECT_EQ(dlg.GetSelectedRow(FALSE), 2);
            Press(dlg, IDC_TOOLS_UP);
        },
        [&] {
            EXPECT_EQ(dlg.GetSelectedRow(FALSE), 1);
            EXPECT_FALSE(Enabled(dlg, IDC_TOOLS_UP));
            Press(dlg, IDC_TOOLS_UP);   // on row 1: nothing moves
        },
        [&] {
            EXPECT_EQ(Titles(), (std::vector<std::string>{"Notepad", "External Tool #0", "External Tool #1"}));
            Press(dlg, IDC_TOOLS_DOWN);
        },
        [&] {
            EXPECT_EQ(Titles(), (std::vector<std::string>{"External Tool #0", "Notepad", "External Tool #1"}));
            EXPECT_EQ(dlg.GetSelectedRow(FALSE), 2);
            dlg.SelectRow(3);
            Press(dlg, IDC_TOOLS_DOWN);   // on the last row: nothing moves
        },
        [&] {
            EXPECT_EQ(Titles(), (std::vector<std::string>{"External Tool #0", "Notepad", "External Tool #1"}));
            Press(dlg, IDC_TOOLS_DELETE);   // no confirmation
        },
        [&] {
            EXPECT_EQ(Titles(), (std::vector<std::string>{"External Tool #0", "Notepad"}));
            EXPECT_EQ(dlg.GetSelectedRow(FALSE), 2) << "the new last row";
            EXPECT_EQ(Text(dlg, IDC_TOOLS_TITLE), "Notepad");
            answerQuestion(false, IDNO);
            Press(dlg, IDC_TOOLS_DELETE_ALL);
        },
        [&] {
            EXPECT_EQ(Titles().size(), 2u) << "No keeps the list";
            answerQuestion(true, IDYES);
            Press(dlg, IDC_TOOLS_DELETE_ALL);
        },
        [&] {
            EXPECT_TRUE(Titles().empty());
            EXPECT_EQ(dlg.m_Grid.GetRowCount(), 1);
            EXPECT_EQ(Text(dlg, IDC_TOOLS_TITLE), "");
            EXPECT_FALSE(Enabled(dlg, IDC_TOOLS_DELETE_ALL));
            Press(dlg, IDC_TOOLS_ADD);
        },
        [&] { Press(dlg, IDC_TOOLS_DELETE_ALL); },   // not asked again
        [&] {
            EXPECT_TRUE(Titles().empty());
            Press(dlg, IDCANCEL);
        },
    });
    EXPECT_EQ(questions, (std::vector<std::string>{"Question|Are you sure to delete all external tools ?",
                                                   "Question|Are you sure to delete all external tools ?"}));
    std::vector<std::string> warnings;
    for (const ShownDialog& shown : answerer.Shown())
        if (!shown.text.empty())
            warnings.push_back(shown.text);
    EXPECT_EQ(warnings, std::vector<std::string>{"Please select a external tool"});
    EXPECT_EQ(m_pApp->GetProfileInt(szSectionSettings, szExternalToolsQuestionKey, 0), 1);
}

// The command chosen in the file dialog is taken as the user typed it: a name
// without an extension gets none added.
TEST_F(ExternalToolDlgTest, ChosenCommandIsTakenAsTyped)
{
    AddTool("Viewer");
    CString typed = m_folder.File("viewer");
    CDialogAnswerer answerer;
    answerer.SetDefault(kNoButton);
    CExternalToolDlg dlg;
    CModalScript::Run(dlg, {
        [&] {
            dlg.SelectRow(1);
            answerer.Handle([&](HWND hDialog, const ShownDialog&) {
                HWND hName = ::GetDlgItem(hDialog, cmb13) ? ::GetDlgItem(hDialog, cmb13) : ::GetDlgItem(hDialog, edt1);
                ::SetWindowTextA(hName, typed);
                CDialogAnswerer::PressButton(hDialog, IDOK);
            });
            Press(dlg, IDC_TOOLS_CHOOSE);
        },
        [&] {
            EXPECT_STREQ(m_pApp->m_arrExternalTools[0]->m_strCommand, typed);
            EXPECT_EQ(Text(dlg, IDC_TOOLS_COMMAND), std::string((LPCSTR)typed));
            EXPECT_STREQ(dlg.m_Grid.GetItemText(1, 1), typed);
            Press(dlg, IDCANCEL);
        },
    });
}

// Columns hidden in the set-up dialog, widths, the sort and the colours come
// back when the dialog is opened again; a right click on a data row opens
// nothing.
TEST_F(ExternalToolDlgTest, KeepsColumnsSortAndColoursAcrossARestart)
{
    AddTool("b");
    AddTool("a");
    AddTool("c");
    const COLORREF clrBackground = RGB(10, 20, 30);
    {
        CExternalToolDlg dlg;
        CModalScript::Run(dlg, {
            [&] {
                // A first opening: every column visible at 70, unsorted.
                for (int c = 0; c < 4; ++c)
                    EXPECT_EQ(dlg.m_Grid.GetColumnWidth(c), 70) << c;
                EXPECT_EQ(dlg.m_Grid.GetSortColumn(), -1);
                EXPECT_STREQ(dlg.m_Grid.GetItemText(1, 0), "b");
                dlg.m_Grid.SetColumnWidth(1, 120);
                // On a data row: nothing.
                RightClick(dlg.m_Grid.m_hWnd, 10, dlg.m_Grid.GetRowHeight(0) + 5);
            },
            [&] {
                EXPECT_EQ(SetupDialog(), nullptr);
                RightClick(dlg.m_Grid.m_hWnd, 10, 3);
            },
            CModalScript::WaitForDialog(kSetupCaption),
            [&] {
                HWND hSetup = SetupDialog();
                ASSERT_NE(hSetup, nullptr);
                HWND hList = ::GetDlgItem(hSetup, IDC_SETUP_COLUMNS);
                ASSERT_EQ(::SendMessage(hList, LB_GETCOUNT, 0, 0), 4);
                CCheckListBox* pList = (CCheckListBox*)CWnd::FromHandle(hList);
                EXPECT_EQ(pList->GetCheck(2), 1);
                pList->SetCheck(2, 0);   // hide "Arguments"
                CWnd* pSetup = CWnd::FromHandlePermanent(hSetup);
                ASSERT_NE(pSetup, nullptr);
                static_cast<CSetupBasesGridDlg*>(pSetup)->m_btnBackground.SetColor(clrBackground);
                CDialogAnswerer::PressButton(hSetup, IDOK);
            },
            CModalScript::WaitForNoDialog(kSetupCaption),
            [&] {
                EXPECT_EQ(dlg.m_Grid.GetColumnWidth(2), 0);
                EXPECT_EQ(dlg.m_Grid.GetColumnWidth(1), 120);
                EXPECT_EQ(dlg.m_Grid.m_crGridBack, clrBackground);
                dlg.m_Grid.SortItems(0, FALSE);
                Press(dlg, IDCANCEL);
            },
        });
    }
    EXPECT_EQ(m_pApp->GetProfileInt(szSectionExternalToolDlg, "Arguments", -5), 0);
    EXPECT_EQ(m_pApp->GetProfileInt(szSectionExternalToolDlg, "Arguments_Visible", -5), 0);
    EXPECT_EQ(m_pApp->GetProfileInt(szSectionExternalToolDlg, "Command", -5), 120);
    EXPECT_EQ(m_pApp->GetProfileInt(szSectionExternalToolDlg, "m_clrBackground", -5), (int)clrBackground);
    EXPECT_EQ(m_pApp->GetProfileInt(szSectionExternalToolDlg, "SetSortColumn", -5), 0);
    EXPECT_EQ(m_pApp->GetProfileInt(szSectionExternalToolDlg, "SetSortAscending", -5), 0);

    CExternalToolDlg again;
    CModalScript::Run(again, {
        [&] {
            EXPECT_EQ(again.m_Grid.GetColumnWidth(2), 0);
            EXPECT_EQ(again.m_Grid.GetColumnWidth(1), 120);
            EXPECT_EQ(again.m_Grid.m_crGridBack, clrBackground);
            EXPECT_EQ(again.m_Grid.GetSortColumn(), 0);
            EXPECT_FALSE(again.m_Grid.GetSortAscending());
            EXPECT_STREQ(again.m_Grid.GetItemText(1, 0), "c");
            EXPECT_STREQ(again.m_Grid.GetItemText(3, 0), "a");
            // Shown again, the hidden column takes the default width.
            RightClick(again.m_Grid.m_hWnd, 10, 3);
        },
        CModalScript::WaitForDialog(kSetupCaption),
        [&] {
            HWND hSetup = SetupDialog();
            ASSERT_NE(hSetup, nullptr);
            CDialogAnswerer::PressButton(hSetup, IDC_SETUP_SHOW_ALL);
        },
        [&] { CDialogAnswerer::PressButton(SetupDialog(), IDOK); },
        CModalScript::WaitForNoDialog(kSetupCaption),
        [&] {
            EXPECT_EQ(again.m_Grid.GetColumnWidth(2), 70);
            Press(again, IDCANCEL);
        },
    });
    EXPECT_EQ(m_pApp->GetProfileInt(szSectionExternalToolDlg, "Arguments_Visible", -5), 1);
}

}  // namespace
