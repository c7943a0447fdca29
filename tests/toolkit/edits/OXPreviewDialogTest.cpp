// The file dialog with preview, shown for real and driven from a timer while
// it runs: the switch button and the pane beside the narrowed file list, the
// viewers told of the selected file (an empty name for one that does not
// exist) and asked to paint, the splitter held 50 pixels from either side,
// switching off and on keeping the offset, and the settings in the profile.
#include <afxwin.h>
#include <afxcmn.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OXPreviewDialog.h"
#include "TestFolder.h"
#include "testdrawing.h"
#include "toolkit_res.h"
#include "testsupport.h"

namespace {

class CRecordingViewer : public COXFileViewer
{
public:
    std::vector<std::string> m_files;
    BOOL m_bClaim = FALSE;
    BOOL OnNewFileSelect(LPCTSTR lpszFile, BOOL bHandled) override
    {
        (void)bHandled;
        m_files.push_back(lpszFile ? lpszFile : "");
        return m_bClaim;
    }
    BOOL OnPaintPreview(CDC* pDC, LPRECT lpRect) override
    {
        if (!m_bClaim)
            return FALSE;
        pDC->FillSolidRect(lpRect, RGB(255, 0, 0));
        return TRUE;
    }
};

class CTestPreviewDialog : public COXPreviewDialog
{
public:
    using COXPreviewDialog::COXPreviewDialog;
    using COXPreviewDialog::OnFileNameChange;
};

// Steps run one per timer tick while the dialog's own loop runs.
std::vector<std::function<bool()>> g_steps;
size_t g_next = 0;
void CALLBACK StepTick(HWND, UINT, UINT_PTR, DWORD)
{
    while (g_next < g_steps.size() && g_steps[g_next]())
        ++g_next;
}

// Where a file has no preview the dialog says so in the user's language:
// the toolkit's string, in Russian for the program's Russian users.
TEST(OXPreviewDialogText, NoPreviewIsSaidInTheUsersLanguage)
{
    const bool bRussian = PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_RUSSIAN;
    const char* expected = bRussian ? "\xCF\xF0\xEE\xF1\xEC\xEE\xF2\xF0 \xED\xE5\xE4\xEE\xF1\xF2\xF3\xEF\xE5\xED."
                                    : "Preview not available.";   // Просмотр недоступен.
    CString sText;
    ASSERT_TRUE(sText.LoadString(IDS_OX_PREVIEW_NONE));
    EXPECT_STREQ(sText, expected);
    // What the dialog draws is that text.
    COXPreviewDialog dialog(TRUE);
    CRect rect(0, 0, 240, 40);
    CPixelCanvas drawn(240, 40), wanted(240, 40);
    dialog.DrawNoPreview(&drawn.dc, rect);
    wanted.dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    wanted.dc.SelectStockObject(DEFAULT_GUI_FONT);
    wanted.dc.SetBkMode(TRANSPARENT);
    wanted.dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    wanted.dc.DrawText(expected, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int nDiffer = 0;
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 240; x++)
            nDiffer += drawn.At(x, y) != wanted.At(x, y);
    EXPECT_EQ(nDiffer, 0);
}

TEST(OXPreviewDialogRect, FitsDownAndCentres)
{
    CRect fit = COXPreviewDialog::AdjustRectToFit(CRect(0, 0, 400, 200), CRect(0, 0, 100, 100));
    EXPECT_EQ(fit, CRect(0, 25, 100, 75));
    fit = COXPreviewDialog::AdjustRectToFit(CRect(10, 10, 30, 30), CRect(0, 0, 100, 60));   // never scaled up
    EXPECT_EQ(fit, CRect(50, 30, 70, 50));
}

TEST(OXPreviewDialog, PreviewPaneAndSplitterUnderTheRunningDialog)
{
    CTestFolder folder;
    CString sPicture = folder.File("picture.bmp");
    HANDLE h = ::CreateFileA(sPicture, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ::CloseHandle(h);
    AfxGetApp()->WriteProfileInt("COXPreviewDialog Settings", "Preview", 1);
    AfxGetApp()->WriteProfileInt("COXPreviewDialog Settings", "Preview Window Offset", 0);

    CTestPreviewDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, "All Files (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = folder.Path();
    CRecordingViewer viewer;
    ASSERT_TRUE(dlg.InsertFileViewer(&viewer, 0));
    EXPECT_EQ(dlg.GetFileViewerCount(), 1);
    EXPECT_FALSE(dlg.IsOldStyle());

    HWND hDialog = NULL;
    CRect rectListBefore, rectList, rectPane;
    int nClamped = 0, nKept = 0;
    COLORREF clrClaimed = 0, clrNone = 0;
    // Steps run one per timer tick while the dialog's own loop runs.
    CStepDriver driver;
    driver.WaitFor([&] { return dlg.GetPreviewWnd() != NULL; }, "the preview pane");
    driver.Then([&] {
        hDialog = ::GetParent(dlg.m_hWnd);
        HWND hBar = dlg.FindToolbar();
        EXPECT_TRUE(::SendMessage(hBar, TB_ISBUTTONCHECKED, OX_PREVIEW_BUTTON_ID, 0));
        ::GetWindowRect(dlg.FindFileList(), &rectList);
        ::GetWindowRect(dlg.GetPreviewWnd()->m_hWnd, &rectPane);
    });
    driver.WaitFor(
        [&] {   // a file of the folder chosen in the list, once the list shows it
            HWND hView = ::FindWindowExA(dlg.FindFileList(), NULL, "SysListView32", NULL);
            LVFINDINFOA find = {};
            find.flags = LVFI_STRING;
            find.psz = "picture.bmp";
            int nItem = (int)::SendMessage(hView, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
            if (nItem < 0)
                return false;
            LVITEMA item = {};
            item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
            ::SendMessage(hView, LVM_SETITEMSTATE, nItem, (LPARAM)&item);
            return true;
        },
        "picture.bmp in the file list");
    driver.Then([&] {   // a name that is no file
        HWND hName = ::GetDlgItem(hDialog, cmb13) ? ::GetDlgItem(hDialog, cmb13) : ::GetDlgItem(hDialog, edt1);
        ::SetWindowTextA(hName, "nosuch.bmp");
        dlg.OnFileNameChange();
    });
    driver.Then([&] {   // painting: the claiming viewer, then nobody
        viewer.m_bClaim = TRUE;
        CWnd* pPane = dlg.GetPreviewWnd();
        pPane->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        clrClaimed = CClientDC(pPane).GetPixel(5, 5);
        viewer.m_bClaim = FALSE;
        pPane->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        clrNone = CClientDC(pPane).GetPixel(2, 2);
    });
    driver.Then([&] { nClamped = dlg.SetPreviewOffset(100000); });
    driver.Then([&] {
        ::SendMessage(dlg.m_hWnd, WM_COMMAND, OX_PREVIEW_BUTTON_ID, 0);   // off
        EXPECT_EQ(dlg.GetPreviewWnd(), (CWnd*)NULL);
        ::GetWindowRect(dlg.FindFileList(), &rectListBefore);
        ::SendMessage(dlg.m_hWnd, WM_COMMAND, OX_PREVIEW_BUTTON_ID, 0);   // on again
        nKept = dlg.GetPreviewOffset();
        CDialogAnswerer::PressButton(hDialog, IDCANCEL);
    });
    INT_PTR nResult = dlg.DoModal();
    EXPECT_EQ(nResult, IDCANCEL);
    ASSERT_TRUE(driver.Done());

    EXPECT_LT(rectList.right, rectPane.left + 1);       // the list ends where the pane begins
    EXPECT_GE(rectPane.Width(), 50);
    // The picture, then the name that is no file, then the switch off and on.
    ASSERT_GE(viewer.m_files.size(), 2u);
    EXPECT_EQ(CString(viewer.m_files[0].c_str()).CompareNoCase(sPicture), 0);
    EXPECT_EQ(viewer.m_files[1], "");
    EXPECT_EQ(clrClaimed, RGB(255, 0, 0));
    EXPECT_EQ(clrNone, ::GetSysColor(COLOR_BTNFACE));
    // The list keeps 50 pixels: the offset is cut to what was possible.
    EXPECT_EQ(nClamped, rectList.Width() - 50);
    EXPECT_EQ(rectListBefore.right, rectPane.right);   // off: the list takes the pane's place
    EXPECT_EQ(nKept, nClamped);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("COXPreviewDialog Settings", "Preview Window Offset", -1), nClamped);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("COXPreviewDialog Settings", "Preview", -1), 1);
    AfxGetApp()->WriteProfileInt("COXPreviewDialog Settings", "Preview Window Offset", 0);
}

}  // namespace
