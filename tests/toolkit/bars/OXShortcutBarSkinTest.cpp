// The shortcut bar's element skins: Classic's frame colours in a bar, the
// flat boxes of Office XP, the one gradient of Office 2003, and a bar on
// screen in each skin of a skinned application.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "OXSHBListCtrl.h"
#include "OXShortcutBar.h"
#include "OXShortcutBarSkin.h"
#include "OXSkinnedApp.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"

namespace {

TEST(ShortcutBarSkins, ClassicFrameColoursInABarTakeBlueFromRed)
{
    struct Case
    {
        COLORREF back, dark, light;
    } cases[] = {
        {RGB(100, 150, 200), RGB(0, 22, 0), RGB(164, 214, 164)},
        {RGB(128, 191, 0), RGB(0, 63, 0), RGB(192, 255, 192)},
        {RGB(250, 127, 9), RGB(122, 0, 122), RGB(255, 191, 255)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.dark, COXShortcutBarSkinClassic::BarDarkFrameColor(c.back)) << c.back;
        EXPECT_EQ(c.light, COXShortcutBarSkinClassic::BarLightFrameColor(c.back)) << c.back;
    }
}

// A list view standing in for a group list: all the Classic frame reads of
// it is its background colour.
TEST(ShortcutBarSkins, ClassicFramesHotAndPressedItemsOnly)
{
    CWnd host;
    ASSERT_TRUE(CreateHostWindow(host, "list host", WS_POPUP, CRect(0, 0, 100, 100)));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_ICON, CRect(0, 0, 80, 80), &host, 1));
    list.SendMessage(LVM_SETBKCOLOR, 0, RGB(100, 150, 200));
    COXSHBListCtrl* pList = reinterpret_cast<COXSHBListCtrl*>(&list);
    COXShortcutBarSkinClassic skin;
    const COLORREF dark = RGB(0, 22, 0), light = RGB(164, 214, 164);
    struct Case
    {
        BOOL bHot, bPressed;
        COLORREF topLeft, bottomRight;
    } cases[] = {
        {TRUE, FALSE, light, dark}, {FALSE, TRUE, dark, light}, {TRUE, TRUE, dark, light},
        {FALSE, FALSE, kWhite, kWhite},
    };
    for (const Case& c : cases) {
        CPixelCanvas canvas(20, 20);
        EXPECT_EQ(dark, skin.DrawItemFrame(&canvas.dc, CRect(2, 2, 18, 18), c.bHot, c.bPressed, pList));
        EXPECT_EQ(c.topLeft, canvas.At(2, 2)) << c.bHot << c.bPressed;
        EXPECT_EQ(c.bottomRight, canvas.At(17, 17)) << c.bHot << c.bPressed;
    }
    host.DestroyWindow();
}

TEST(ShortcutBarSkins, OfficeXPBoxesItemsInTheItemColours)
{
    CTestSkinXP skin;
    COXShortcutBarSkinXP element(&skin);
    EXPECT_EQ(skin.GetToolbarBackgroundColor(), element.GetBackgroundColor(NULL));
    EXPECT_EQ(TestSysColor(COLOR_WINDOWTEXT), element.GetTextColor());
    struct Case
    {
        BOOL bHot, bPressed;
        COLORREF fill;
    } cases[] = {
        {TRUE, TRUE, skin.GetPressedItemColor()},
        {TRUE, FALSE, skin.GetHotItemColor()},
        {FALSE, TRUE, skin.GetCheckedItemColor()},
    };
    for (const Case& c : cases) {
        CPixelCanvas canvas(20, 20, kBlack);
        element.DrawItemFrame(&canvas.dc, CRect(2, 2, 18, 18), c.bHot, c.bPressed, NULL);
        EXPECT_EQ(skin.GetHotItemBorderColor(), canvas.At(2, 2));
        EXPECT_EQ(skin.GetHotItemBorderColor(), canvas.At(17, 17));
        EXPECT_EQ(c.fill, canvas.At(9, 9)) << c.bHot << c.bPressed;
    }
    // Neither: only the outline, over the DC's own brush.
    CPixelCanvas canvas(20, 20, kBlack);
    canvas.dc.SelectStockObject(NULL_BRUSH);
    element.DrawItemFrame(&canvas.dc, CRect(2, 2, 18, 18), FALSE, FALSE, NULL);
    EXPECT_EQ(skin.GetHotItemBorderColor(), canvas.At(2, 9));
    EXPECT_EQ(kBlack, canvas.At(9, 9));

    CPixelCanvas fill(10, 10, kBlack);
    element.FillBackground(&fill.dc, CRect(0, 0, 10, 10), NULL, FALSE, kRed);
    EXPECT_EQ(skin.GetToolbarBackgroundColor(), fill.At(5, 5));
    element.FillBackground(&fill.dc, CRect(0, 0, 10, 10), NULL, TRUE, kRed);
    EXPECT_EQ(kRed, fill.At(5, 5));
}

TEST(ShortcutBarSkins, Office2003FillsAFourCornerGradient)
{
    CTestSkin2003 skin(TRUE);
    COXShortcutBarSkin2003 element(&skin);
    CPixelCanvas canvas(60, 60, kBlack);
    element.FillBackground(&canvas.dc, CRect(0, 0, 60, 60), NULL, FALSE, kRed);
    EXPECT_EQ(skin.GetMenuGradientStartColor(), canvas.At(0, 0));
    COLORREF clrHeader = skin.GetHeaderGradientColor(), clrCorner = canvas.At(59, 59);
    EXPECT_LE(abs(GetBValue(clrHeader) - GetBValue(clrCorner)), 4) << clrCorner;
    EXPECT_EQ(0, canvas.Count(kBlack));
    element.FillBackground(&canvas.dc, CRect(0, 0, 60, 60), NULL, TRUE, kRed);
    EXPECT_EQ(60 * 60, canvas.Count(kRed));
}

class SkinnedShortcutBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pPrevious = AfxGetApp();
        m_pApp = new COXSkinnedApp;
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "bar host", WS_POPUP | WS_VISIBLE,
                                    CRect(40, 40, 260, 360), NULL, 0));
        ASSERT_TRUE(m_bar.Create(&m_host, CRect(0, 0, 200, 300), 0, 1000));
        HSHBGROUP h = m_bar.InsertGroup("Alpha");
        m_bar.InsertGroup("Bravo");
        for (int i = 0; i < 3; ++i)
            m_bar.InsertGroupItem(h, LVIF_TEXT, i, "Item", 0, 0, -1, 0);
        m_bar.ExpandGroup(h);
        m_pList = m_bar.GetGroupListCtrl(h);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        delete m_pApp;
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pState->m_pCurrentWinApp = m_pPrevious;
        pState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
    }
    // A pixel of the open group's list, after a full repaint.
    COLORREF ListPixel(int x, int y)
    {
        m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CClientDC dc(m_pList);
        return dc.GetPixel(x, y);
    }

    COXSkinnedApp* m_pApp = nullptr;
    CWinApp* m_pPrevious = nullptr;
    CWnd m_host;
    COXShortcutBar m_bar;
    COXSHBListCtrl* m_pList = nullptr;
};

TEST_F(SkinnedShortcutBar, TheOpenGroupIsFilledByTheCurrentSkin)
{
    ASSERT_NE(nullptr, m_pList);
    ASSERT_TRUE(m_pApp->SetCurrentSkin("Classic"));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), ListPixel(20, 20));

    ASSERT_TRUE(m_pApp->SetCurrentSkin("Office XP"));
    COXSkinXP* pXP = dynamic_cast<COXSkinXP*>(m_pApp->GetCurrentSkin());
    EXPECT_EQ(pXP->GetToolbarBackgroundColor(), ListPixel(20, 20));

    // 2003: one gradient over the bar, so the list's top-left is not the
    // gradient's start but what the bar's area shows there.
    ASSERT_TRUE(m_pApp->SetCurrentSkin("Office 2003"));
    COXSkin2003* p2003 = dynamic_cast<COXSkin2003*>(m_pApp->GetCurrentSkin());
    CRect rectList;
    m_pList->GetWindowRect(&rectList);
    m_bar.ScreenToClient(&rectList);
    CRect rectBar;
    m_bar.GetClientRect(&rectBar);
    CPixelCanvas expected(rectBar.Width(), rectBar.Height());
    COLORREF clrHeader = p2003->GetHeaderGradientColor();
    p2003->GradientFill4(&expected.dc, rectBar, p2003->GetMenuGradientStartColor(), clrHeader, clrHeader,
                         clrHeader);
    // Items are drawn in bitmaps of their own: the corner of the third
    // item shows the same part of the gradient as the list around it.
    CRect rectItem;
    ASSERT_TRUE(m_pList->GetItemRect(2, &rectItem, LVIR_BOUNDS));
    ASSERT_GT(rectItem.top, 20);
    for (CPoint pt : {CPoint(2, 2), CPoint(rectItem.left + 1, rectItem.top + 1)}) {
        COLORREF clrWant = expected.At(rectList.left + pt.x, rectList.top + pt.y), clrGot = ListPixel(pt.x, pt.y);
        EXPECT_LE(abs(GetRValue(clrWant) - GetRValue(clrGot)) + abs(GetBValue(clrWant) - GetBValue(clrGot)), 2)
            << std::hex << clrWant << " " << clrGot << " at " << std::dec << pt.x << "," << pt.y;
    }

    // No skin current: the bar's own Classic element.
    EXPECT_FALSE(m_pApp->SetCurrentSkin("none"));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), ListPixel(20, 20));
}

}  // namespace
