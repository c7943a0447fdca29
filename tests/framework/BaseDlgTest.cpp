// The dialog base under real messages: its size kept in "Settings" and read
// back before creation, the layout engine's placement kept across two opens,
// the context menu greying the items of disabled controls and the background
// brush.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include "BaseDlg.h"
#include "ContextMenuProbe.h"
#include "framework_res.h"
#include "testsupport.h"

namespace {

const char kProfile[] = "CBaseDlgTest";

class CTestBaseDlg : public CBaseDlg
{
public:
    CTestBaseDlg() : CBaseDlg(IDD_BASEDLG_TEST, NULL) {}
    using CBaseDlg::PreCreateWindow;
};

class BaseDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = AfxGetApp();
        ClearKeys();
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd()) dlg.DestroyWindow();
        ClearKeys();
    }
    void ClearKeys()
    {
        for (const char* prefix : {kProfile, ""})
            for (const char* suffix : {" X", " Y", " Width", " Height"})
                app->WriteProfileString("Settings", (CString(prefix) + suffix), nullptr);
        app->WriteProfileString("WindowPositions\\ID=0x000000ea", nullptr, nullptr);
    }
    int Setting(const char* key) { return (int)app->GetProfileInt("Settings", key, -12345); }

    CWinApp* app = nullptr;
    CTestBaseDlg dlg;
};

TEST_F(BaseDlgTest, KeepsItsSizeInSettingsAndReadsItBackBeforeCreation)
{
    dlg.m_strProfile = kProfile;
    ASSERT_TRUE(dlg.Create(IDD_BASEDLG_TEST, nullptr));
    dlg.SetWindowPos(nullptr, 40, 30, 420, 310, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Setting("CBaseDlgTest Width"), 420);
    EXPECT_EQ(Setting("CBaseDlgTest Height"), 310);
    EXPECT_EQ(Setting("CBaseDlgTest X"), -12345) << "moving alone writes nothing";
    dlg.SavePosition();
    EXPECT_EQ(Setting("CBaseDlgTest X"), 40);
    EXPECT_EQ(Setting("CBaseDlgTest Y"), 30);

    CTestBaseDlg next;
    next.m_strProfile = kProfile;
    CREATESTRUCT cs = {};
    cs.x = 1, cs.y = 2, cs.cx = 3, cs.cy = 4;
    EXPECT_TRUE(next.PreCreateWindow(cs));
    EXPECT_EQ(cs.x, 40);
    EXPECT_EQ(cs.y, 30);
    EXPECT_EQ(cs.cx, 420);
    EXPECT_EQ(cs.cy, 310);

    CTestBaseDlg unnamed;   // nothing stored: the structure keeps its own values
    cs = {};
    cs.x = 1, cs.y = 2, cs.cx = 3, cs.cy = 4;
    unnamed.PreCreateWindow(cs);
    EXPECT_EQ(cs.x, 1);
    EXPECT_EQ(cs.cy, 4);
}

TEST_F(BaseDlgTest, ADialogWithoutAProfileNameSharesTheBlankKeys)
{
    ASSERT_TRUE(dlg.Create(IDD_BASEDLG_TEST, nullptr));
    dlg.SetWindowPos(nullptr, 0, 0, 333, 222, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_EQ(Setting(" Width"), 333);
    EXPECT_EQ(Setting(" Height"), 222);
}

TEST_F(BaseDlgTest, TheLayoutPlacementComesBackOnTheNextOpen)
{
    ASSERT_TRUE(dlg.Create(IDD_BASEDLG_TEST, nullptr));
    dlg.SetWindowPos(nullptr, 70, 60, 450, 330, SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.DestroyWindow();
    EXPECT_EQ(app->GetProfileInt("WindowPositions\\ID=0x000000ea", "(valid)", 0), 1u);

    CTestBaseDlg again;
    ASSERT_TRUE(again.Create(IDD_BASEDLG_TEST, nullptr));
    CRect rc;
    again.GetWindowRect(rc);
    EXPECT_EQ(rc, CRect(70, 60, 520, 390));
    again.DestroyWindow();
}

TEST_F(BaseDlgTest, ContextMenuGreysTheItemsOfDisabledControls)
{
    ASSERT_TRUE(dlg.Create(IDD_BASEDLG_TEST, nullptr));
    dlg.ShowWindow(SW_SHOW);
    CMessageRecorder rec;
    rec.Watch(dlg.m_hWnd, "dlg");
    rec.Only({WM_INITMENUPOPUP, WM_MEASUREITEM});

    // No menu id: a right click shows nothing.
    EXPECT_FALSE(OpenContextMenu(&dlg, rec, 20, 40));
    EXPECT_EQ(rec.Count(WM_INITMENUPOPUP), 0);

    dlg.m_nContextMenuId = IDR_BASEDLG_CONTEXT;
    ASSERT_TRUE(OpenContextMenu(&dlg, rec, 20, 40)) << "the menu was tracked";

    const UINT grey = MF_GRAYED | MF_DISABLED;
    std::map<UINT, UINT>& states = ContextMenuItemStates();
    EXPECT_EQ(states[IDC_BASEDLG_EDIT] & grey, 0u) << "enabled control: enabled, whatever the resource said";
    EXPECT_NE(states[IDC_BASEDLG_BUTTON] & MF_GRAYED, 0u) << "disabled control: greyed";
    EXPECT_EQ(states[ID_BASEDLG_NO_CONTROL] & grey, 0u) << "no control: the resource state";
    EXPECT_NE(states[ID_BASEDLG_NO_CONTROL_GRAYED] & MF_GRAYED, 0u) << "no control: the resource state";
    EXPECT_NE(states[IDC_BASEDLG_EDIT] & MF_OWNERDRAW, 0u) << "the items are owner-drawn";
    EXPECT_GT(rec.Count(WM_MEASUREITEM), 0) << "and measured through the dialog";
}

TEST_F(BaseDlgTest, BackgroundBrushAnswersEveryControlColourRequest)
{
    ASSERT_TRUE(dlg.Create(IDD_BASEDLG_TEST, nullptr));
    HWND edit = ::GetDlgItem(dlg.m_hWnd, IDC_BASEDLG_EDIT);
    HDC hdc = ::GetDC(edit);
    HBRUSH before = (HBRUSH)dlg.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hdc, (LPARAM)edit);
    HBRUSH mine = ::CreateSolidBrush(RGB(1, 2, 3));
    dlg.m_hBkBrush = mine;
    EXPECT_NE(before, mine);
    EXPECT_EQ((HBRUSH)dlg.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hdc, (LPARAM)edit), mine);
    EXPECT_EQ((HBRUSH)dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)edit), mine);
    ::ReleaseDC(edit, hdc);
    dlg.DestroyWindow();
    ::DeleteObject(mine);
}

}  // namespace
