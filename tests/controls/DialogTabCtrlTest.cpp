// The dialog tab control under real messages: its pages placed beside the
// tabs, switched by clicks and the keyboard, resized with the control, owned
// and deleted by it; and its tab images.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>
#include <vector>
#include "DialogTabCtrl.h"
#include "tabctrl_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class CCountedPage : public CDialog
{
public:
    CCountedPage() { ++s_nAlive; }
    ~CCountedPage() override { --s_nAlive; }
    static int s_nAlive;
};
int CCountedPage::s_nAlive = 0;

const UINT kTemplates[] = {IDD_TABCTRL_PAGE1, IDD_TABCTRL_PAGE2, IDD_TABCTRL_PAGE3};

class DialogTabCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
    }
    void TearDown() override
    {
        delete m_pTabs;
        m_host.DestroyWindow();
        EXPECT_EQ(CCountedPage::s_nAlive, 0);
    }

    // A tab control with three pages, laid out.
    void Make(DWORD dwExtraStyle = 0)
    {
        m_pTabs = new CDialogTabCtrl;
        ASSERT_TRUE(m_pTabs->Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP | dwExtraStyle,
                                    CRect(10, 10, 410, 310), &m_host, 100));
        for (int i = 0; i < 3; ++i) {
            CCountedPage* pPage = new CCountedPage;
            ASSERT_TRUE(pPage->Create(kTemplates[i], m_pTabs));
            CString title;
            title.Format("Page %d", i);
            m_pTabs->AddPage(i, title, i, pPage);
        }
        m_pTabs->InitPages();
    }

    std::vector<int> VisiblePages() const
    {
        std::vector<int> visible;
        for (int i = 0; i < m_pTabs->GetPageCount(); ++i)
            if (m_pTabs->GetPage(i)->IsWindowVisible()) visible.push_back(i);
        return visible;
    }
    CRect PageRect(int i) const
    {
        CRect rc;
        m_pTabs->GetPage(i)->GetWindowRect(rc);
        m_pTabs->ScreenToClient(rc);
        return rc;
    }
    void ClickTab(int nTab)
    {
        CRect rc;
        ASSERT_TRUE(m_pTabs->GetItemRect(nTab, rc));
        const LPARAM at = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        m_pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        m_pTabs->SendMessage(WM_LBUTTONUP, 0, at);
    }
    bool PageHasFocus(int i) const { return ::IsChild(m_pTabs->GetPage(i)->m_hWnd, ::GetFocus()) != FALSE; }

    CWnd m_host;
    CDialogTabCtrl* m_pTabs = nullptr;
};

// The page area lies under the tabs: from the left of tab 0, one pixel below
// it, to one pixel short of the right and bottom of the client area.
CRect TopArea(CDialogTabCtrl& tabs)
{
    CRect client, tab;
    tabs.GetClientRect(client);
    tabs.GetItemRect(0, tab);
    return CRect(tab.left, tab.bottom + 1, client.right - 1, client.bottom - 1);
}

TEST_F(DialogTabCtrlTest, InitPagesShowsThePageOfTheFirstTabUnderTheTabs)
{
    Make();
    EXPECT_EQ(m_pTabs->GetActivePage(), 0);
    EXPECT_EQ(VisiblePages(), std::vector<int>{0});
    const CRect area = TopArea(*m_pTabs);
    ASSERT_FALSE(area.IsRectEmpty());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(PageRect(i), area) << "page " << i;
}

// Clicks and arrow keys change the selected tab; its page follows with the
// focus, and the tab that is already current changes nothing.
TEST_F(DialogTabCtrlTest, SelectingATabShowsItsPage)
{
    Make();
    CMessageRecorder rec;
    for (int i = 0; i < 3; ++i) rec.Watch(m_pTabs->GetPage(i)->m_hWnd, "page");
    rec.Only({WM_SHOWWINDOW, WM_WINDOWPOSCHANGED});

    struct Step {
        const char* what;
        int nTab;      // clicked tab, or -1: right arrow, -2: left arrow
        int nShown;
        bool bNoChange;   // no page is shown, hidden or moved
    } const steps[] = {
        {"click 2", 2, 2, false},     {"click 2 again", 2, 2, true}, {"click 0", 0, 0, false},
        {"right arrow", -1, 1, false}, {"right arrow", -1, 2, false}, {"left arrow", -2, 1, false},
    };
    for (const Step& s : steps) {
        rec.Clear();
        if (s.nTab >= 0) {
            ClickTab(s.nTab);
        } else {
            m_pTabs->SetFocus();
            m_pTabs->SendMessage(WM_KEYDOWN, s.nTab == -1 ? VK_RIGHT : VK_LEFT, 0);
        }
        EXPECT_EQ(m_pTabs->GetCurSel(), s.nShown) << s.what;
        EXPECT_EQ(m_pTabs->GetActivePage(), s.nShown) << s.what;
        EXPECT_EQ(VisiblePages(), std::vector<int>{s.nShown}) << s.what;
        if (s.nTab >= 0 && !s.bNoChange) {
            EXPECT_TRUE(PageHasFocus(s.nShown)) << s.what;
        }
        if (s.bNoChange) {
            EXPECT_EQ(rec.Count(WM_SHOWWINDOW) + rec.Count(WM_WINDOWPOSCHANGED), 0) << rec.Sequence();
        }
    }
}

TEST_F(DialogTabCtrlTest, SetActivePageSwapsThePagesAndSelectsTheTab)
{
    Make();
    m_pTabs->SetActivePage(1);
    EXPECT_EQ(m_pTabs->GetCurSel(), 1);
    EXPECT_EQ(VisiblePages(), std::vector<int>{1});
    EXPECT_TRUE(PageHasFocus(1));

    // An index with no page hides the current one and shows none.
    m_pTabs->SetActivePage(5);
    EXPECT_EQ(m_pTabs->GetActivePage(), 5);
    EXPECT_TRUE(VisiblePages().empty());
    ClickTab(0);
    EXPECT_EQ(VisiblePages(), std::vector<int>{0});
}

// Resizing lays the pages out again: under tabs along the top, at the
// control's top-left corner with tabs along the bottom.
TEST_F(DialogTabCtrlTest, ResizingPlacesThePagesForWhereTheTabsAre)
{
    for (DWORD style : {0ul, (DWORD)TCS_BOTTOM}) {
        Make(style);
        m_pTabs->SetActivePage(2);
        m_pTabs->MoveWindow(10, 10, 360, 250);
        CRect client, tab;
        m_pTabs->GetClientRect(client);
        m_pTabs->GetItemRect(0, tab);
        const CRect expected = style == 0 ? TopArea(*m_pTabs)
                                          : CRect(0, 0, client.right - tab.left - 1,
                                                  client.bottom - tab.Height() - 1);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(PageRect(i), expected) << "style " << style << " page " << i;
        EXPECT_EQ(VisiblePages(), std::vector<int>{2}) << "style " << style;
        delete m_pTabs;
        m_pTabs = nullptr;
        EXPECT_EQ(CCountedPage::s_nAlive, 0) << "the control deletes its pages";
    }
}

TEST_F(DialogTabCtrlTest, LoadTabImagesPutsTheBackgroundOnTheButtonFace)
{
    Make();
    EXPECT_FALSE(m_pTabs->LoadTabImages(4799)) << "no such bitmap";
    ASSERT_TRUE(m_pTabs->LoadTabImages(IDB_TABCTRL_IMAGES));
    HIMAGELIST hList = (HIMAGELIST)m_pTabs->SendMessage(TCM_GETIMAGELIST);
    ASSERT_EQ(hList, m_pTabs->m_ImageList.GetSafeHandle());
    EXPECT_EQ(ImageList_GetImageCount(hList), 2);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(hList, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    CPixelCanvas canvas(16, 16);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    struct Pixel {
        int image, x, y;
        COLORREF colour;
    } const pixels[] = {{0, 0, 0, face}, {0, 8, 8, RGB(255, 0, 0)}, {1, 15, 15, face}, {1, 8, 8, RGB(0, 255, 0)}};
    for (const Pixel& p : pixels) {
        canvas.dc.FillSolidRect(0, 0, 16, 16, kWhite);
        ImageList_Draw(hList, p.image, canvas.dc, 0, 0, ILD_NORMAL);
        EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << "image " << p.image << " at " << p.x << "," << p.y;
    }
}

}  // namespace
