// The taskbar icon: shown once, its record as the shell gets it (tip cut to
// 63 characters), and the shell's mouse reports reaching its owner, or the
// icon window itself when it has none.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXTaskbarIcon.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// Records the callback messages and plain mouse messages it receives.
class CRecordingWnd : public CWnd
{
public:
    std::vector<std::pair<UINT, LPARAM>> m_got;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == OX_TASKBAR_CALLBACK || message == WM_LBUTTONUP)
            m_got.push_back({message, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CRecordingIcon : public COXTaskbarIcon
{
public:
    std::vector<UINT> m_mouse;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONUP || message == WM_RBUTTONUP)
            m_mouse.push_back(message);
        return COXTaskbarIcon::WindowProc(message, wParam, lParam);
    }
};

TEST(COXTaskbarIcon, ShownOnceAndHiddenOnce)
{
    COXTaskbarIcon icon;
    ASSERT_TRUE(icon.Create(7));
    EXPECT_FALSE(icon.IsWindowVisible());
    icon.SetIcon(::LoadIcon(NULL, IDI_APPLICATION), FALSE);
    icon.SetTooltipText("Pellucor");
    EXPECT_FALSE(icon.Refresh());   // not shown yet
    EXPECT_TRUE(icon.Show());
    EXPECT_FALSE(icon.Show());
    EXPECT_TRUE(icon.IsShowing());
    EXPECT_TRUE(icon.Refresh());
    EXPECT_TRUE(icon.Hide());
    EXPECT_FALSE(icon.Hide());
    EXPECT_FALSE(icon.IsShowing());
}

TEST(COXTaskbarIcon, RecordCarriesTheTipCutAndTheCallback)
{
    COXTaskbarIcon icon;
    ASSERT_TRUE(icon.Create(9));
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    EXPECT_EQ(icon.SetIcon(hIcon, FALSE), (HICON)NULL);
    EXPECT_EQ(icon.GetIcon(), hIcon);
    icon.SetTooltipText(CString('x', 80));
    OXNOTIFYICONDATA nid;
    icon.FillNotifyData(NIM_ADD, nid);
    EXPECT_EQ(nid.cbSize, sizeof(void*) == 4 ? 88u : (DWORD)sizeof(OXNOTIFYICONDATA));
    EXPECT_EQ(nid.uID, 9u);
    EXPECT_EQ(nid.uFlags, (UINT)(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(nid.uCallbackMessage, 0x80A3u);
    EXPECT_EQ(nid.hIcon, hIcon);
    EXPECT_EQ(strlen(nid.szTip), 63u);
    icon.FillNotifyData(NIM_DELETE, nid);
    EXPECT_EQ(nid.uFlags, 0u);
    EXPECT_EQ(nid.hWnd, icon.m_hWnd);
    CString tip;
    icon.GetTooltipText(tip);
    EXPECT_EQ(tip.GetLength(), 80);
}

TEST(COXTaskbarIcon, DestroyingAShownIconRemovesIt)
{
    HWND hWnd;
    {
        COXTaskbarIcon icon;
        ASSERT_TRUE(icon.Create(3));
        icon.SetIcon(::LoadIcon(NULL, IDI_APPLICATION), FALSE);
        ASSERT_TRUE(icon.Show());
        hWnd = icon.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(COXTaskbarIcon, CallbackReachesTheOwner)
{
    CRecordingWnd owner;
    ASSERT_TRUE(CreateHostWindow(owner, "owner", WS_POPUP, CRect(0, 0, 10, 10)));
    COXTaskbarIcon icon;
    ASSERT_TRUE(icon.Create(5));
    ::SetWindowLongPtr(icon.m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)owner.m_hWnd);   // the owner
    EXPECT_EQ(icon.SendMessage(OX_TASKBAR_CALLBACK, 5, WM_LBUTTONDBLCLK), -1);
    PumpUntil([&] { return !owner.m_got.empty(); }, kWaitMs);
    ASSERT_EQ(owner.m_got.size(), 1u);
    EXPECT_EQ(owner.m_got[0].first, (UINT)OX_TASKBAR_CALLBACK);
    EXPECT_EQ(owner.m_got[0].second, (LPARAM)WM_LBUTTONDBLCLK);
    icon.DestroyWindow();
    owner.DestroyWindow();
}

TEST(COXTaskbarIcon, WithoutOwnerTheIconGetsThePlainMouseMessage)
{
    CRecordingIcon icon;
    ASSERT_TRUE(icon.Create(5));
    icon.SendMessage(OX_TASKBAR_CALLBACK, 5, WM_RBUTTONUP);
    PumpUntil([&] { return !icon.m_mouse.empty(); }, kWaitMs);
    ASSERT_EQ(icon.m_mouse.size(), 1u);
    EXPECT_EQ(icon.m_mouse[0], (UINT)WM_RBUTTONUP);
}

}  // namespace
