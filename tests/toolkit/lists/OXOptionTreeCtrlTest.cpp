// The option tree: radio runs, locks, the light and dark marks, the change
// notices, and states saved to the profile and read back, stray profile
// values leaving every option intact.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "OXOptionTreeCtrl.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

class COptionHost : public CWnd
{
public:
    std::vector<NMOPTIONTREE> changes;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (((NMHDR*)lParam)->code == (UINT)OTN_OPTIONCHANGED)
            changes.push_back(*(NMOPTIONTREE*)lParam);
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

enum { ID_SAFE = 1, ID_LANG = 2, ID_EN = 10, ID_DE = 11, ID_RU = 12, ID_FAST = 13, ID_SLOW = 14, ID_LOCKED = 20 };

class COXOptionTreeCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "options", WS_POPUP | WS_VISIBLE, CRect(80, 80, 400, 400)));
        ::SetActiveWindow(m_host.m_hWnd);
        ASSERT_TRUE(Build(m_tree, 50));
    }
    BOOL Build(COXOptionTreeCtrl& tree, UINT nID)
    {
        if (!tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                             TVS_SHOWSELALWAYS,
                         CRect(0, 0, 300, 300), &m_host, nID))
            return FALSE;
        HTREEITEM hGroup = tree.AddGroup("Search");
        tree.AddCheckBox(ID_SAFE, "Safe search", hGroup, 1);
        tree.AddRadioButton(ID_EN, "English", hGroup, 1);
        tree.AddRadioButton(ID_DE, "German", hGroup);
        tree.AddRadioButton(ID_RU, "Russian", hGroup);
        tree.AddCheckBox(ID_LANG, "Detect language", hGroup);   // ends the run
        tree.AddRadioButton(ID_FAST, "Fast", hGroup, 1);
        tree.AddRadioButton(ID_SLOW, "Thorough", hGroup);
        tree.AddCheckBox(ID_LOCKED, "Licence accepted", hGroup, 1, TVI_LAST, TRUE);
        return TRUE;
    }
    void TearDown() override { m_host.DestroyWindow(); }

    std::string States() { return States(m_tree); }
    static std::string States(COXOptionTreeCtrl& tree)
    {
        std::string s;
        for (UINT id : {ID_SAFE, ID_EN, ID_DE, ID_RU, ID_LANG, ID_FAST, ID_SLOW, ID_LOCKED})
            s += std::to_string(tree.GetOptionCheck(id));
        return s;
    }
    void ClickOn(UINT id)
    {
        CRect r;
        m_tree.GetItemRect(m_tree.GetOptionItem(id), &r, TRUE);
        // The release waits in the queue: a press the tree handles itself
        // tracks the mouse until it comes.
        m_tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.left - 8, r.CenterPoint().y));
        m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left - 8, r.CenterPoint().y));   // the mark
        PumpMessagesFor(10);
    }

    COptionHost m_host;
    COXOptionTreeCtrl m_tree;
};

TEST_F(COXOptionTreeCtrlTest, RadioRunsLocksAndNotices)
{
    EXPECT_EQ(States(), "11000101");
    EXPECT_EQ(m_tree.AddCheckBox(ID_SAFE, "again"), (HTREEITEM)NULL);
    EXPECT_EQ(m_tree.AddCheckBox(0, "no id"), (HTREEITEM)NULL);
    EXPECT_EQ(m_tree.GetCheckedRadio(ID_EN, ID_RU), (UINT)ID_EN);

    m_tree.CheckOption(ID_RU);   // clears English only: the check box ends the run
    EXPECT_EQ(States(), "10010101");
    ASSERT_EQ(m_host.changes.size(), 2u);
    EXPECT_EQ(m_host.changes[0].uOptionID, (UINT)ID_EN);
    EXPECT_EQ(m_host.changes[0].nNewCheck, 0);
    EXPECT_EQ(m_host.changes[1].uOptionID, (UINT)ID_RU);
    EXPECT_EQ(m_host.changes[1].nOldCheck, 0);
    m_host.changes.clear();
    m_tree.SetOptionCheck(ID_RU, 1);   // no change, no notice
    EXPECT_TRUE(m_host.changes.empty());

    // The user: a click on a mark, the space bar; a locked option ignores both.
    ClickOn(ID_SLOW);
    EXPECT_EQ(States(), "10010011");
    ClickOn(ID_SAFE);
    EXPECT_EQ(States(), "00010011");
    ClickOn(ID_LOCKED);
    EXPECT_EQ(States(), "00010011");
    m_tree.SelectItem(m_tree.GetOptionItem(ID_LOCKED));
    m_tree.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(m_tree.GetOptionCheck(ID_LOCKED), 1);
    m_tree.SelectItem(m_tree.GetOptionItem(ID_LANG));
    m_tree.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(m_tree.GetOptionCheck(ID_LANG), 1);
    m_tree.SetOptionCheck(ID_LOCKED, 0);   // the program still may
    EXPECT_EQ(m_tree.GetOptionCheck(ID_LOCKED), 0);

    // Only off and on: another state is refused and the option stays.
    EXPECT_FALSE(m_tree.SetOptionCheck(ID_SAFE, 7));
    EXPECT_FALSE(m_tree.SetOptionCheck(ID_DE, -1));
    EXPECT_EQ(m_tree.GetOptionCheck(ID_SAFE), 0);
    EXPECT_EQ(m_tree.GetOptionCheck(ID_DE), 0);
    EXPECT_TRUE(m_tree.IsRadioButton(m_tree.GetOptionItem(ID_DE)));
}

TEST_F(COXOptionTreeCtrlTest, StatesSurviveARestartAndStrayValuesChangeNothing)
{
    m_tree.CheckOption(ID_DE);
    m_tree.SetOptionCheck(ID_SAFE, 0);
    ASSERT_TRUE(m_tree.SaveState("OptionTreeTest", "Main"));
    const std::string saved = States();

    // A new tree, as after a restart, starts from its defaults and reads back.
    m_tree.DestroyWindow();
    COXOptionTreeCtrl restarted;
    ASSERT_TRUE(Build(restarted, 51));
    EXPECT_NE(States(restarted), saved);
    ASSERT_TRUE(restarted.LoadState("OptionTreeTest", "Main"));
    EXPECT_EQ(States(restarted), saved);

    // Values 7 and -5 and a text in the profile leave every option intact.
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt("OptionTreeTest_Main", "1", 7);
    pApp->WriteProfileInt("OptionTreeTest_Main", "11", -5);
    pApp->WriteProfileString("OptionTreeTest_Main", "12", "on");
    restarted.LoadState("OptionTreeTest", "Main");
    EXPECT_EQ(States(restarted), saved);
    for (UINT id : {ID_SAFE, ID_DE, ID_RU})
        EXPECT_NE(restarted.GetOptionCheck(id), -1);
    // A section that is not there changes nothing either.
    restarted.LoadState("OptionTreeTest", "Nowhere");
    EXPECT_EQ(States(restarted), saved);
    restarted.DestroyWindow();
}

TEST_F(COXOptionTreeCtrlTest, DarkBackgroundTakesTheDarkMarks)
{
    EXPECT_FALSE(m_tree.IsDarkBackground());
    EXPECT_EQ((HIMAGELIST)m_tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL), m_tree.m_imagesLight.GetSafeHandle());
    m_tree.SendMessage(TVM_SETBKCOLOR, 0, RGB(30, 30, 40));
    EXPECT_TRUE(m_tree.IsDarkBackground());
    EXPECT_EQ((HIMAGELIST)m_tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL), m_tree.m_imagesDark.GetSafeHandle());
    struct {
        COLORREF clr;
        BOOL dark;
    } cases[] = {{RGB(100, 100, 99), TRUE}, {RGB(100, 100, 100), FALSE}, {RGB(255, 0, 0), TRUE},
                 {RGB(255, 255, 255), FALSE}};
    for (auto& k : cases)
        EXPECT_EQ(COXOptionTreeCtrl::IsDarkColor(k.clr), k.dark);
    // Deleting options takes them out of the maps.
    m_tree.DeleteAllOptions();
    EXPECT_EQ(m_tree.GetOptionItem(ID_SAFE), (HTREEITEM)NULL);
    EXPECT_EQ(m_tree.m_mapLocks.GetCount(), 0);
}

int Brightness(COLORREF c)
{
    return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
}

// A dark tree's selected item in colours that can be read, with the focus
// and without it: the list's grey selection would carry the tree's light
// text on a light ground.
TEST_F(COXOptionTreeCtrlTest, DarkTreeDrawsItsSelectionReadably)
{
    struct {
        COLORREF back, preferred, expected;
    } readable[] = {
        {RGB(36, 38, 48), RGB(230, 230, 230), RGB(230, 230, 230)},   // light on dark: kept
        {RGB(200, 200, 200), RGB(230, 230, 230), RGB(0, 0, 0)},      // light on light: black
        {RGB(40, 60, 110), RGB(50, 50, 60), RGB(255, 255, 255)},     // dark on dark: white
        {RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0)},
    };
    for (auto& k : readable)
        EXPECT_EQ(COXOptionTreeCtrl::ReadableOn(k.back, k.preferred), k.expected);
    for (BOOL bFocus : {TRUE, FALSE}) {
        COLORREF clrText = 0, clrBack = 0;
        COXOptionTreeCtrl::GetSelectionColors(RGB(36, 38, 48), RGB(230, 230, 230), bFocus, clrText, clrBack);
        EXPECT_GE(std::abs(Brightness(clrText) - Brightness(clrBack)), (int)COXOptionTreeCtrl::kMinContrast)
            << "focus " << bFocus;
        if (!bFocus)
            EXPECT_TRUE(COXOptionTreeCtrl::IsDarkColor(clrBack));   // a shade of the dark ground
    }

    // As painted, without the focus: the label's ground is the selection's,
    // and its text stands out from it.
    m_tree.SetBkColor(RGB(36, 38, 48));
    m_tree.SetTextColor(RGB(230, 230, 230));
    HTREEITEM hItem = m_tree.GetOptionItem(ID_DE);
    m_tree.SelectItem(hItem);
    ::SetFocus(NULL);
    CRect rectClient, rectLabel;
    m_tree.GetClientRect(&rectClient);
    m_tree.GetItemRect(hItem, &rectLabel, TRUE);
    CPixelCanvas canvas(rectClient.Width(), rectClient.Height(), kRed);
    m_tree.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.GetSafeHdc(), PRF_CLIENT | PRF_ERASEBKGND);
    COLORREF clrText = 0, clrBack = 0;
    COXOptionTreeCtrl::GetSelectionColors(RGB(36, 38, 48), RGB(230, 230, 230), FALSE, clrText, clrBack);
    EXPECT_EQ(canvas.At(rectLabel.right - 2, rectLabel.top + 1), clrBack);
    int nReadable = 0;
    for (int y = rectLabel.top; y < rectLabel.bottom; y++)
        for (int x = rectLabel.left; x < rectLabel.right; x++)
            nReadable += std::abs(Brightness(canvas.At(x, y)) - Brightness(clrBack)) >= 100;
    EXPECT_GT(nReadable, 20);
}

} // namespace
