// The shortcut bar's in-place edit: the display record's checks, where a
// growing edit goes, and how an edit ends (Enter, Escape, a click on another
// control, which reaches that control).
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "OXSHBEdit.h"
#include "testsupport.h"

namespace {

#ifdef _WIN64
static_assert(sizeof(SHB_EDITDISPLAY) == 96 && offsetof(SHB_EDITDISPLAY, pFont) == 56, "display record");
#else
static_assert(sizeof(SHB_EDITDISPLAY) == 84 && offsetof(SHB_EDITDISPLAY, pFont) == 52, "display record");
#endif

TEST(SHBEditRecord, ChecksTable)
{
    struct Case { UINT mask; const char* text; int selStart, selEnd; RECT display, max, min; BOOL ok; } cases[] = {
        {SHBEIF_TEXT | SHBEIF_SELRANGE, "", 0, -1, {}, {}, {}, TRUE},                 // all of an empty text
        {SHBEIF_TEXT | SHBEIF_SELRANGE, "abcd", 2, 5, {}, {}, {}, FALSE},
        {SHBEIF_TEXT | SHBEIF_SELRANGE, "abcd", 1, 3, {}, {}, {}, TRUE},
        {SHBEIF_TEXT | SHBEIF_SELRANGE, "abcd", -1, 9, {}, {}, {}, TRUE},
        {SHBEIF_ENLARGE, "", 0, 0, {}, {}, {}, FALSE},                                // grow needs a maximum
        {0x400, "", 0, 0, {}, {}, {}, FALSE},
        {SHBEIF_RECTDISPLAY, "", 0, 0, {0, 0, 0, 10}, {}, {}, FALSE},
        {SHBEIF_RECTDISPLAY | SHBEIF_RECTMAX, "", 0, 0, {0, 0, 20, 10}, {0, 0, 30, 30}, {}, TRUE},
        {SHBEIF_RECTDISPLAY | SHBEIF_RECTMAX, "", 0, 0, {0, 0, 40, 10}, {0, 0, 30, 30}, {}, FALSE},
        {SHBEIF_RECTMIN | SHBEIF_RECTMAX, "", 0, 0, {}, {0, 0, 30, 30}, {5, 5, 35, 10}, FALSE},
        {SHBEIF_RECTMIN, "", 0, 0, {}, {}, {5, 5, 5, 10}, FALSE},
        {SHBEIF_RECTMIN, "", 0, 0, {}, {}, {5, 5, 15, 10}, TRUE},
    };
    const CRect client(0, 0, 50, 20);   // the edit's present size
    for (const Case& c : cases) {
        SHB_EDITDISPLAY d = {};
        d.nMask = c.mask;
        d.lpText = c.text;
        d.nSelStart = c.selStart;
        d.nSelEnd = c.selEnd;
        d.rectDisplay = c.display;
        d.rectMax = c.max;
        d.rectMin = c.min;
        EXPECT_EQ(c.ok, COXSHBEdit::VerifyDisplayInfo(&d, 0, client)) << std::hex << c.mask;
    }
    SHB_EDITDISPLAY d = {};
    EXPECT_FALSE(COXSHBEdit::VerifyDisplayInfo(&d, 0, CRect())) << "no place to show it";
}

TEST(SHBEditRecord, GrowingPlacesTable)
{
    const CRect base(100, 10, 150, 30), maxRect(20, 10, 200, 100);
    struct Case { CSize measured; DWORD style; CRect expected; } cases[] = {
        {CSize(10, 10), 0, CRect(100, 10, 150, 30)},              // never below the base
        {CSize(80, 20), 0, CRect(100, 10, 180, 30)},
        {CSize(80, 20), ES_RIGHT, CRect(70, 10, 150, 30)},         // grows to the left
        {CSize(170, 20), ES_RIGHT, CRect(20, 10, 190, 30)},        // stopped by the maximum
        {CSize(400, 20), ES_RIGHT, CRect(20, 10, 200, 30)},
        {CSize(70, 20), ES_CENTER, CRect(90, 10, 160, 30)},
        {CSize(80, 200), 0, CRect(100, 10, 180, 100)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, COXSHBEdit::PlaceGrown(base, maxRect, c.measured, c.style))
            << c.measured.cx << "x" << c.measured.cy << " style " << c.style;
}

// A parent that records how edits end, with a button to click.
class CEditHost : public CWnd
{
public:
    std::vector<BOOL> m_ends;
    CString m_textAtEnd;
    COXSHBEdit m_edit;
    CButton m_button;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMSHBEDIT* pNm = (NMSHBEDIT*)lParam;
        if (pNm->hdr.code == SHBN_ENDEDIT && pNm->hdr.idFrom == 0xFFFF) {
            m_ends.push_back(pNm->bOK);
            m_edit.GetWindowText(m_textAtEnd);
            *pResult = 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

class SHBEdit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    CRect(50, 50, 350, 250), NULL, 0));
        ASSERT_TRUE(m_host.m_edit.Create(WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), &m_host, 0xFFFF));
        ASSERT_TRUE(m_host.m_button.Create("Other", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 120, 90, 150),
                                           &m_host, 100));
        m_host.SetForegroundWindow();
    }
    void TearDown() override { m_host.DestroyWindow(); }
    BOOL Start(const char* text)
    {
        SHB_EDITDISPLAY d = {};
        d.nMask = SHBEIF_TEXT | SHBEIF_RECTDISPLAY | SHBEIF_SELRANGE | SHBEIF_STYLE;
        d.lpText = text;
        d.rectDisplay = CRect(10, 10, 150, 30);
        d.dwStyle = WS_BORDER | ES_AUTOHSCROLL;
        d.nSelStart = 0;
        d.nSelEnd = -1;
        return m_host.m_edit.StartEdit(&d);
    }
    CEditHost m_host;
};

TEST_F(SHBEdit, EnterKeepsEscapeCancelsAndBothEndOnce)
{
    ASSERT_TRUE(Start("Mail"));
    EXPECT_TRUE(m_host.m_edit.IsWindowVisible());
    EXPECT_EQ(m_host.m_edit.GetSafeHwnd(), ::GetCapture());
    m_host.m_edit.SendMessage(WM_CHAR, 'X');   // replaces the selected text
    m_host.m_edit.SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(std::vector<BOOL>{TRUE}, m_host.m_ends);
    EXPECT_EQ("X", m_host.m_textAtEnd);
    EXPECT_FALSE(m_host.m_edit.IsWindowVisible());
    EXPECT_NE(m_host.m_edit.GetSafeHwnd(), ::GetCapture());

    ASSERT_TRUE(Start("Notes"));
    EXPECT_EQ(1, (int)m_host.m_edit.SendMessage(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), m_host.m_ends);
    EXPECT_EQ("Notes", m_host.m_textAtEnd);
}

TEST_F(SHBEdit, AClickOnAnotherControlCommitsAndReachesIt)
{
    ASSERT_TRUE(Start("Mail"));
    CMessageRecorder rec;
    rec.Watch(m_host.m_button.GetSafeHwnd(), "button");
    rec.Only({WM_LBUTTONDOWN});
    // The edit holds the mouse: the click at the button arrives at the edit.
    CPoint pt(50, 135);
    m_host.ClientToScreen(&pt);
    m_host.m_edit.ScreenToClient(&pt);
    m_host.m_edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(std::vector<BOOL>{TRUE}, m_host.m_ends);
    EXPECT_TRUE(rec.Matches({{"button", WM_LBUTTONDOWN}}));
    m_host.m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 15));
}

TEST_F(SHBEdit, ARefusedRecordLeavesTheEditClosed)
{
    SHB_EDITDISPLAY d = {};
    d.nMask = SHBEIF_ENLARGE;
    EXPECT_FALSE(m_host.m_edit.StartEdit(&d));
    EXPECT_FALSE(m_host.m_edit.IsEditing());
    EXPECT_FALSE(m_host.m_edit.IsWindowVisible());
}

}  // namespace
