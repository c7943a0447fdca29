// The label under real messages: its colours and gradient painted into a
// memory DC, the font setters, flashing on its timer, and clicks that open
// links through the (caught) shell call or notify the parent.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "Label.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

struct ShellCall {
    std::string verb;   // "<null>" for no verb
    std::string file;
    int show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI FakeShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show)
{
    g_shellCalls.push_back({verb ? verb : "<null>", file ? file : "", show});
    return (HINSTANCE)42;
}

// A label that lets the test see its flash state and send it paints.
class CTestLabel : public CLabel
{
public:
    using CLabel::m_Type;
    using CLabel::m_sLink;
};

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_shellCalls.clear();
        previous = CLabel::SetShellExecute(&FakeShellExecute);
        ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(label.Create("WWWW", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 10 + kWidth, 10 + kHeight),
                                 &parent, 1234));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        CLabel::SetShellExecute(previous);
    }

    // Paints the label into a 32-bit memory bitmap through WM_PRINTCLIENT and
    // returns its pixels as COLORREFs, row by row.
    std::vector<COLORREF> Paint()
    {
        CPixelCanvas canvas(kWidth, kHeight);
        ::SendMessage(label.m_hWnd, WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT);
        ::GdiFlush();
        std::vector<COLORREF> px(kWidth * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                px[y * kWidth + x] = canvas.At(x, y);
        return px;
    }
    static int Count(const std::vector<COLORREF>& px, COLORREF c)
    {
        int n = 0;
        for (COLORREF p : px) n += (p == c);
        return n;
    }
    static COLORREF At(const std::vector<COLORREF>& px, int x, int y) { return px[y * kWidth + x]; }

    static const int kWidth = 50;
    static const int kHeight = 30;
    CLabel::PFN_SHELLEXECUTE previous = nullptr;
    CWnd parent;
    CTestLabel label;
};


TEST_F(LabelTest, PaintsItsBackgroundAndTextColours)
{
    label.SetBkColor(kRed).SetTextColor(kBlue).SetFontBold(TRUE);
    std::vector<COLORREF> px = Paint();
    EXPECT_EQ(At(px, kWidth - 1, kHeight - 1), kRed);
    EXPECT_EQ(At(px, 0, kHeight - 1), kRed);
    EXPECT_GT(Count(px, kBlue), 10) << "the text is drawn in the text colour";

    // The default background is the face colour.
    CTestLabel plain;
    ASSERT_TRUE(plain.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 1235));
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 20, 20);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    plain.SendMessage(WM_PRINTCLIENT, (WPARAM)mem, PRF_CLIENT);
    EXPECT_EQ(::GetPixel(mem, 5, 5), ::GetNearestColor(mem, ::GetSysColor(COLOR_BTNFACE)));
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
}

TEST_F(LabelTest, GradientStepsOneBandPerPixelOnANarrowLabel)
{
    label.SetText("");
    label.SetBkColor(RGB(0, 0, 0), RGB(250, 0, 0), TRUE);
    std::vector<COLORREF> px = Paint();
    // 50 pixels wide: 100 bands become 50, each one pixel wide and 5 steps redder.
    for (int x = 0; x < kWidth; ++x) {
        EXPECT_EQ(At(px, x, 0), RGB(5 * x, 0, 0)) << "x=" << x;
        EXPECT_EQ(At(px, x, kHeight - 1), At(px, x, 0));
    }
}

TEST_F(LabelTest, DrawGradientClipsBandsToWidthAndEndsAtTheRightEdge)
{
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 20, 4);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    CDC* dc = CDC::FromHandle(mem);
    RECT all = {0, 0, 20, 4};
    ::FillRect(mem, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));

    RECT empty = {5, 0, 5, 4};
    CLabel::DrawGradient(dc, &empty, RGB(0, 0, 0), RGB(0, 0, 0), 10);   // zero width: nothing
    EXPECT_EQ(::GetPixel(mem, 5, 1), RGB(255, 255, 255));

    RECT r = {0, 0, 19, 4};   // 19 wide in 3 bands of 6, the last one 7 wide
    CLabel::DrawGradient(dc, &r, RGB(0, 0, 0), RGB(0, 0, 240), 3);
    EXPECT_EQ(::GetPixel(mem, 0, 1), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(mem, 6, 1), RGB(0, 0, 80));
    EXPECT_EQ(::GetPixel(mem, 12, 1), RGB(0, 0, 160));
    EXPECT_EQ(::GetPixel(mem, 18, 1), RGB(0, 0, 160));
    EXPECT_EQ(::GetPixel(mem, 19, 1), RGB(255, 255, 255));

    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
}

TEST_F(LabelTest, CentredImageLabelCentresOneLineVerticallyButNotSeveral)
{
    label.ModifyStyle(SS_TYPEMASK, SS_LEFT | SS_CENTERIMAGE);
    label.SetBkColor(kRed).SetTextColor(kBlue);
    auto topRowsHaveText = [&](const std::vector<COLORREF>& px) {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (At(px, x, y) == kBlue) return true;
        return false;
    };
    auto meanTextX = [&](const std::vector<COLORREF>& px) {
        long sum = 0, n = 0;
        for (int i = 0; i < (int)px.size(); ++i)
            if (px[i] == kBlue) sum += i % kWidth, ++n;
        return n ? (int)(sum / n) : -1;
    };

    label.SetText("I");
    std::vector<COLORREF> one = Paint();
    ASSERT_GT(Count(one, kBlue), 0);
    EXPECT_FALSE(topRowsHaveText(one)) << "one line: centred vertically";
    EXPECT_NEAR(meanTextX(one), kWidth / 2, 3) << "and horizontally";

    label.SetText("I\r\nI");
    std::vector<COLORREF> two = Paint();
    EXPECT_TRUE(topRowsHaveText(two)) << "several lines start at the top";
    EXPECT_NEAR(meanTextX(two), kWidth / 2, 3) << "centred horizontally";
}

TEST_F(LabelTest, FontSettersChangeTheDescription)
{
    label.SetFontName("Arial", RUSSIAN_CHARSET).SetFontBold(TRUE).SetFontItalic(TRUE).SetFontUnderline(TRUE);
    LOGFONT lf = label.GetLogFont();
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(lf.lfCharSet, RUSSIAN_CHARSET);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);

    label.SetFontSize(10);
    LONG h10 = label.GetLogFont().lfHeight;
    label.SetFontSize(20);
    EXPECT_LT(label.GetLogFont().lfHeight, 0);
    EXPECT_NEAR(label.GetLogFont().lfHeight, 2 * h10, 1) << "the height follows the point size";

    label.SetRotationAngle(90, TRUE).SetFontBold(FALSE);
    EXPECT_EQ(label.GetLogFont().lfEscapement, 900);
    EXPECT_EQ(label.GetLogFont().lfOrientation, 900);
    EXPECT_EQ(label.GetLogFont().lfWeight, FW_NORMAL);
}

TEST_F(LabelTest, StyleSettersAndSetTextWithoutAWindow)
{
    label.SetSunken(TRUE).SetBorder(TRUE).SetTransparent(FALSE);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_TRUE(label.GetStyle() & WS_BORDER);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_TRANSPARENT) << "added even when turned off";
    label.SetSunken(FALSE).SetBorder(FALSE);
    EXPECT_FALSE(label.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_FALSE(label.GetStyle() & WS_BORDER);

    label.SetLink(TRUE, FALSE);
    EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
    label.SetLink(FALSE, FALSE);
    EXPECT_FALSE(label.GetStyle() & SS_NOTIFY);

    CLabel detached;
    detached.SetText("ignored").SetTextColor(kBlue);   // no window: nothing happens
    EXPECT_EQ(detached.GetSafeHwnd(), (HWND)nullptr);
}

TEST_F(LabelTest, FlashingTextHidesAndShowsTheTextOnItsTimer)
{
    label.SetBkColor(kRed).SetTextColor(kBlue);
    label.FlashText(TRUE);
    EXPECT_FALSE(label.IsFlashPhaseOn());
    EXPECT_EQ(Count(Paint(), kBlue), 0) << "the first phase draws the text in the background colour";

    DWORD start = ::GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return label.IsFlashPhaseOn() != FALSE; }, kWaitMs));
    EXPECT_GE(::GetTickCount() - start, 350u) << "the phase flips every 500 ms";
    EXPECT_GT(Count(Paint(), kBlue), 10);
    ASSERT_TRUE(PumpUntil([&] { return !label.IsFlashPhaseOn(); }, kWaitMs));
    EXPECT_EQ(Count(Paint(), kBlue), 0);

    label.FlashText(FALSE);
    EXPECT_EQ(label.m_Type, 0);
    EXPECT_GT(Count(Paint(), kBlue), 10) << "text shown again once flashing stops";
    BOOL phase = label.IsFlashPhaseOn();
    ASSERT_TRUE(PumpPastTimer(700)) << "the marker timer never fired";
    EXPECT_EQ(label.IsFlashPhaseOn(), phase) << "the timer is stopped";

    label.FlashBackground(TRUE);
    EXPECT_EQ(label.m_Type, 2);
    EXPECT_EQ(Count(Paint(), kRed), 0) << "the background's off phase shows the face colour";
    ASSERT_TRUE(PumpUntil([&] { return label.IsFlashPhaseOn() != FALSE; }, kWaitMs));
    EXPECT_GT(Count(Paint(), kRed), 0);
    label.FlashBackground(FALSE);
    EXPECT_EQ(label.m_Type, 2) << "turning background flashing off only stops the timer";
}

TEST_F(LabelTest, ClicksOpenLinksThroughTheShellOrNotifyTheParent)
{
    struct Case {
        const char* name;
        int link;              // 1 link, 2 mail link
        const char* address;   // SetLinkAddress
        std::string verb, file;
    } cases[] = {
        {"link to its address", 1, "http://example.test/", "open", "http://example.test/"},
        {"link to its text", 1, "", "open", "WWWW"},
        {"mail to its text, whatever the address", 2, "http://example.test/", "<null>", "mailto:WWWW"},
    };
    for (const Case& c : cases) {
        g_shellCalls.clear();
        if (c.link == 1)
            label.SetLink(TRUE, FALSE);
        else
            label.SetMailLink(TRUE, FALSE);
        label.SetLinkAddress(c.address);
        label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ASSERT_EQ(g_shellCalls.size(), 1u) << c.name;
        EXPECT_EQ(g_shellCalls[0].verb, c.verb) << c.name;
        EXPECT_EQ(g_shellCalls[0].file, c.file) << c.name;
        EXPECT_EQ(g_shellCalls[0].show, SW_SHOWNORMAL) << c.name;
    }

    g_shellCalls.clear();
    label.SetLink(FALSE, FALSE);
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(g_shellCalls.empty()) << "a label without a link opens nothing";

    CMessageRecorder rec;
    rec.Watch(parent.m_hWnd, "parent");
    rec.Only({WM_NOTIFY});
    label.SetLink(TRUE, TRUE);
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(rec.Matches({{"parent", WM_NOTIFY, kSent, 1234, 1234, NM_LINKCLICK}})) << rec.Sequence();
    EXPECT_TRUE(g_shellCalls.empty()) << "a notifying label leaves the opening to its parent";
}

TEST_F(LabelTest, ShowsItsCursorOverTheLabel)
{
    HCURSOR hand = ::LoadCursor(nullptr, IDC_HAND);
    label.SetLinkCursor(hand);
    EXPECT_TRUE(label.SendMessage(WM_SETCURSOR, (WPARAM)label.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), hand);
}

}  // namespace
