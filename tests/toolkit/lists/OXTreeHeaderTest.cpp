// The tree's header: title clicks sort and flip the mark, divider double
// clicks fit, the mark is drawn themed (through a recording theme) or
// classic, and one mouse hook serves every header of the thread.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXTreeCtrl.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// A theme library that is there, has a theme for every window and writes
// down what it is asked to draw.
class CRecordingTheme : public COXUxTheme
{
public:
    BOOL IsLoaded() const override { return bLoaded; }
    HTHEME GetWindowTheme(HWND) override { return bLoaded ? (HTHEME)0x1234 : NULL; }
    BOOL DrawThemeBackground(HTHEME, HDC, int nPart, int nState, const RECT*, const RECT*) override
    {
        calls.push_back("background " + std::to_string(nPart) + "/" + std::to_string(nState));
        return TRUE;
    }
    BOOL DrawThemeText(HTHEME, HDC, int nPart, int nState, LPCSTR lpszText, int, DWORD dwFlags, DWORD,
                       const RECT* pRect) override
    {
        calls.push_back("text " + std::to_string(nPart) + "/" + std::to_string(nState) + " " + lpszText + " " +
                        std::to_string(dwFlags & (DT_RIGHT | DT_CENTER)));
        textRect = *pRect;
        return TRUE;
    }
    bool bLoaded = true;
    std::vector<std::string> calls;
    RECT textRect = {};
};

class COXTreeHeaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "header", WS_POPUP | WS_VISIBLE, CRect(40, 40, 500, 300)));
        ::SetActiveWindow(m_host.m_hWnd);
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 450, 250),
                                  &m_host, 100, TVXS_COLUMNHDR));
        m_tree.SetColumnWidth(0, 120);
        m_tree.InsertColumn(1, "Volume", LVCFMT_RIGHT, 100);
        for (const char* s : {"b", "c", "a"})
            m_tree.SetItemText(m_tree.InsertItem(s), s[0] == 'a' ? "3" : s[0] == 'b' ? "1" : "2", 1);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    std::string Rows()
    {
        std::string s;
        for (int i = 0; i < m_tree.GetItemCount(); i++)
            s += (LPCSTR)m_tree.ItemOfRow(i)->GetLabel();
        return s;
    }
    CRect ItemRect(int n)
    {
        CRect r;
        Header_GetItemRect(m_tree.GetHeaderWnd(), n, &r);
        return r;
    }
    void Click(CPoint down, CPoint up)
    {
        HWND h = m_tree.GetHeaderWnd();
        ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        ::SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }

    CWnd m_host;
    COXTreeCtrl m_tree;
};

TEST_F(COXTreeHeaderTest, TitleClicksSortAndFlipTheMark)
{
    ASSERT_EQ(m_tree.GetHeader().m_hWnd, m_tree.GetHeaderWnd());
    ASSERT_TRUE(COXTreeHeader::GetHook() != NULL);
    const CPoint title0 = ItemRect(0).CenterPoint(), title1 = ItemRect(1).CenterPoint();
    struct {
        CPoint pt;
        const char* rows;
        int column, order;
    } clicks[] = {
        {title0, "abc", 0, 1},
        {title0, "cba", 0, -1},
        {title0, "abc", 0, 1},
        {title1, "bca", 1, 1},
        {title1, "acb", 1, -1},
    };
    for (auto& k : clicks) {
        Click(k.pt, k.pt);
        EXPECT_EQ(Rows(), k.rows);
        EXPECT_EQ(m_tree.GetSortColumn(), k.column);
        EXPECT_EQ(m_tree.GetSortOrder(), k.order);
        EXPECT_EQ(::GetFocus(), m_tree.m_hWnd);   // the header hands the focus on
    }
    HDITEMA hdi = {};
    hdi.mask = HDI_FORMAT;
    Header_GetItem(m_tree.GetHeaderWnd(), 1, &hdi);
    EXPECT_NE(hdi.fmt & HDF_OWNERDRAW, 0);
    Header_GetItem(m_tree.GetHeaderWnd(), 0, &hdi);
    EXPECT_EQ(hdi.fmt & HDF_OWNERDRAW, 0);

    // A release on a divider, or one without a press, sorts nothing.
    const CPoint divider(ItemRect(0).right, ItemRect(0).CenterPoint().y);
    Click(title1, divider);
    EXPECT_EQ(Rows(), "acb");
    ::SendMessageA(m_tree.GetHeaderWnd(), WM_LBUTTONUP, 0, MAKELPARAM(title0.x, title0.y));
    EXPECT_EQ(Rows(), "acb");

    m_tree.GetHeader().SetSortMark(-1, 1);
    EXPECT_EQ(m_tree.GetSortOrder(), 0);
}

TEST_F(COXTreeHeaderTest, DividerDoubleClickFitsTheColumn)
{
    m_tree.SetItemText(m_tree.GetChildItem(TVI_ROOT), "a much longer text than fits", 1);
    const CPoint divider(ItemRect(1).right, ItemRect(1).CenterPoint().y);
    ::SendMessageA(m_tree.GetHeaderWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(divider.x, divider.y));
    EXPECT_EQ(m_tree.GetColumnWidth(1), m_tree.GetColumnFitWidth(1));
    EXPECT_GT(m_tree.GetColumnWidth(1), 100);
}

TEST_F(COXTreeHeaderTest, ThemedMarkThroughTheThemeLibrary)
{
    CRecordingTheme theme;
    COXTreeHeader& header = m_tree.GetHeader();
    header.SetTheme(&theme);
    header.SetSortMark(1, -1);
    CPixelCanvas canvas(200, 30);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_HEADER;
    dis.itemID = 1;
    dis.itemState = ODS_SELECTED;
    dis.hDC = canvas.dc.m_hDC;
    dis.rcItem = CRect(0, 0, 100, 24);
    header.DrawItem(&dis);
    ASSERT_EQ(theme.calls.size(), 2u);
    EXPECT_EQ(theme.calls[0], "background 1/3");
    EXPECT_EQ(theme.calls[1], "text 1/1 Volume " + std::to_string(DT_RIGHT));
    EXPECT_EQ(theme.textRect.left, 9 + 12);   // a right-aligned title leaves the left to the mark
    EXPECT_EQ(theme.textRect.right, 100 - 9);
    EXPECT_GT(canvas.Count(RGB(128, 128, 128)), 0);   // the triangle

    // No theme: the classic look, with a raised triangle of light and shadow.
    theme.bLoaded = false;
    theme.calls.clear();
    CPixelCanvas classic(200, 30, kRed);
    dis.hDC = classic.dc.m_hDC;
    dis.itemState = 0;
    header.DrawItem(&dis);
    EXPECT_TRUE(theme.calls.empty());
    EXPECT_EQ(classic.At(150, 10), kRed);   // nothing outside the item
    EXPECT_GT(classic.Count(::GetSysColor(COLOR_BTNSHADOW)), 0);
    EXPECT_GT(classic.Count(::GetSysColor(COLOR_BTNHIGHLIGHT)), 0);
    header.SetTheme(NULL);
}

TEST_F(COXTreeHeaderTest, OneHookForAllHeadersGoesWithAnyOfThem)
{
    COXTreeCtrl second;
    ASSERT_TRUE(second.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_host, 101, TVXS_COLUMNHDR));
    ASSERT_TRUE(COXTreeHeader::GetHook() != NULL);
    second.DestroyWindow();
    EXPECT_TRUE(COXTreeHeader::GetHook() == NULL);
    COXTreeCtrl third;
    ASSERT_TRUE(third.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_host, 102, TVXS_COLUMNHDR));
    EXPECT_TRUE(COXTreeHeader::GetHook() != NULL);
    third.DestroyWindow();
}

} // namespace
