// Paths a user takes that other tests do not: a double click on the list,
// Enter held with a modifier, the Copy and Export bar's buttons and the
// Service menu's Settings reaching the view, and the picture on each button.
#include <afxwin.h>
#include <afxcmn.h>
#include <vector>
#include "ButtonST.h"
#include "MainFrame.h"
#include "PellucorView.h"
#include "ViewFixture.h"
#include "resource.h"

namespace {

class UserPathsTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        CreateWindows();
    }
};

// A double click on a row, away from its check box, starts a run as Go does:
// the click selects the row and so puts its phrase into the keyword box.
TEST_F(UserPathsTest, DoubleClickOnTheListStartsARun)
{
    ASSERT_TRUE(Harvest("apple"));
    const size_t nBefore = m_service.RequestCount();
    const std::string sPhrase = RowText(2, 0);
    RECT rc = {};
    rc.left = LVIR_LABEL;
    ASSERT_TRUE(::SendMessageA(List(), LVM_GETITEMRECT, 2, (LPARAM)&rc));
    const LPARAM lPos = MAKELPARAM(rc.left + 20, (rc.top + rc.bottom) / 2);
    ::SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, lPos);
    ::SendMessageA(List(), WM_LBUTTONUP, 0, lPos);
    ::SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, lPos);
    ::SendMessageA(List(), WM_LBUTTONUP, 0, lPos);
    EXPECT_FALSE(GoEnabled()) << "no run started";
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_GT(m_service.RequestCount(), nBefore);
    EXPECT_EQ(Keyword(), sPhrase);
    EXPECT_EQ(RequestedPages().back().first, sPhrase);
    EXPECT_FALSE(RowChecked(2)) << "a double click on the label ticks nothing";
}

// Enter with Shift, Ctrl or Alt held is not taken for Go.
TEST_F(UserPathsTest, EnterWithAModifierStartsNothing)
{
    SetKeyword("apple");
    HWND hKeywordEdit = FindWindowExA(Item(IDC_KEYWORD), nullptr, "Edit", nullptr);
    ASSERT_NE(hKeywordEdit, nullptr);
    BYTE abSaved[256];
    ASSERT_TRUE(::GetKeyboardState(abSaved));
    for (int nKey : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        SCOPED_TRACE(nKey);
        BYTE ab[256];
        memcpy(ab, abSaved, sizeof ab);
        ab[nKey] = 0x80;
        ::SetKeyboardState(ab);
        PressEnter(hKeywordEdit);
        ::SetKeyboardState(abSaved);
        EXPECT_TRUE(GoEnabled());
        EXPECT_FALSE(m_pView->GetRun().m_bRunning);
    }
    PumpAppFor(150);
    EXPECT_EQ(m_service.RequestCount(), 0u);
    // The same Enter without a modifier is taken.
    PressEnter(hKeywordEdit);
    EXPECT_FALSE(GoEnabled());
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(m_service.RequestCount(), 1u);
}

// The Copy and Export bar's first buttons are the view's commands: pressed on
// the bar they reach the view; so does Service > Settings.
TEST_F(UserPathsTest, TheBarsButtonsAndServiceSettingsReachTheView)
{
    ASSERT_TRUE(Harvest("apple"));
    const int nRows = RowCount();
    ASSERT_GT(nRows, 0);
    HWND hBar = m_pFrame->GetCopyExportBar().GetSafeHwnd();
    ASSERT_NE(hBar, nullptr);
    auto press = [&](int nID) {
        // A tool-bar button tells its owner, the frame, as a command.
        ::SendMessageA(m_pFrame->m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hBar);
        PumpAppFor(20);
    };
    press(IDC_CHECK_ALL);
    EXPECT_EQ(CheckedRows(), std::vector<bool>(nRows, true));
    press(IDC_UNCHECK_ALL);
    EXPECT_EQ(CheckedRows(), std::vector<bool>(nRows, false));

    SetClipboardText("before");
    ClickCheckBox(0);
    press(IDC_COPY);
    EXPECT_EQ(ClipboardText(), BasketBox());

    // Back puts the seed before the last one into the box.
    ASSERT_TRUE(Harvest("pear"));
    press(IDC_BACK);
    EXPECT_EQ(Keyword(), "apple");

    // The bar's Settings button and the Service menu's Settings both open the
    // harvest settings.
    for (int nID : {IDC_SETTINGS, ID_SERVICE_SETTINGS}) {
        SCOPED_TRACE(nID);
        std::string caption;
        m_answerer.Handle([&](HWND dialog, const ShownDialog& shown) {
            caption = shown.caption;
            EXPECT_NE(GetDlgItem(dialog, IDC_SETTINGS_PAGES), nullptr);
            CDialogAnswerer::PressButton(dialog, IDCANCEL);
        });
        if (nID == IDC_SETTINGS)
            press(nID);
        else
            ::SendMessageA(m_pFrame->m_hWnd, WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        EXPECT_EQ(caption, "Settings");
    }
}

// The picture each button of the view carries is the one of its resource:
// a bitmap where the button has one, else an icon.
std::vector<COLORREF> Pixels(HBITMAP hBitmap, int& cx, int& cy)
{
    BITMAP bm = {};
    if (!hBitmap || !GetObject(hBitmap, sizeof bm, &bm)) return {};
    cx = bm.bmWidth;
    cy = bm.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<COLORREF> px((size_t)cx * cy);
    HDC hdc = GetDC(NULL);
    GetDIBits(hdc, hBitmap, 0, cy, px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(NULL, hdc);
    for (COLORREF& c : px) c &= 0xFFFFFF;
    return px;
}

// Same size, and the same colour wherever the resource is not transparent.
bool SamePicture(HBITMAP hShown, HBITMAP hResource)
{
    int cxa = 0, cya = 0, cxb = 0, cyb = 0;
    std::vector<COLORREF> a = Pixels(hShown, cxa, cya), b = Pixels(hResource, cxb, cyb);
    if (a.empty() || cxa != cxb || cya != cyb) return false;
    const COLORREF kSilverBgr = 0xC0C0C0;
    int nCompared = 0;
    for (size_t i = 0; i < a.size(); i++) {
        if (b[i] == kSilverBgr) continue;
        if (a[i] != b[i]) return false;
        nCompared++;
    }
    return nCompared > 0;
}

TEST_F(UserPathsTest, EachButtonCarriesItsOwnPicture)
{
    const struct {
        int nButton;
        int nImage;
        bool bBitmap;
    } buttons[] = {
        {IDC_SETTINGS, IDR_IMAGE_SETTINGS, true},   {IDC_GET_NEW_VERSION, IDR_IMAGE_GET_NEW_VERSION, true},
        {IDC_CHECK_ALL, IDR_IMAGE_CHECK_ALL, true}, {IDC_COPY, IDR_IMAGE_COPY, true},
        {IDC_HELP_SITE, IDR_IMAGE_HELP, true},      {IDC_BACK, IDR_IMAGE_BACK, true},
        {IDC_SAVE, IDR_IMAGE_SAVE, true},           {IDC_UNCHECK_ALL, IDI_UNCHECK_ALL, false},
        {IDC_CHECK_CUSTOM, IDI_CHECK_CUSTOM, false},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.nButton);
        // The view subclasses every one of these buttons as an owner-drawn button.
        CButtonST* pButton = static_cast<CButtonST*>(CWnd::FromHandlePermanent(Item(b.nButton)));
        ASSERT_NE(pButton, nullptr);
        if (b.bBitmap) {
            ASSERT_NE(pButton->GetBitmap(0), nullptr) << "no bitmap";
            for (const auto& other : buttons) {
                if (!other.bBitmap) continue;
                HBITMAP hResource = (HBITMAP)LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(other.nImage),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
                ASSERT_NE(hResource, nullptr);
                EXPECT_EQ(SamePicture(pButton->GetBitmap(0), hResource), other.nImage == b.nImage)
                    << "against bitmap " << other.nImage;
                DeleteObject(hResource);
            }
        } else {
            HICON hShown = pButton->GetIcon(0);
            ASSERT_NE(hShown, nullptr) << "no icon";
            ICONINFO shown = {};
            ASSERT_TRUE(GetIconInfo(hShown, &shown));
            for (const auto& other : buttons) {
                if (other.bBitmap) continue;
                HICON hResource = (HICON)LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(other.nImage),
                                                    IMAGE_ICON, 16, 16, 0);
                ASSERT_NE(hResource, nullptr);
                ICONINFO own = {};
                ASSERT_TRUE(GetIconInfo(hResource, &own));
                int cx = 0, cy = 0;
                EXPECT_EQ(Pixels(shown.hbmColor, cx, cy) == Pixels(own.hbmColor, cx, cy), other.nImage == b.nImage)
                    << "against icon " << other.nImage;
                DeleteObject(own.hbmColor);
                DeleteObject(own.hbmMask);
                DestroyIcon(hResource);
            }
            DeleteObject(shown.hbmColor);
            DeleteObject(shown.hbmMask);
        }
    }
}

}  // namespace
