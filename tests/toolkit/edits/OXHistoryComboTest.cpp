// The history combo under real messages: the list kept most recent first and
// bounded, deletions and their notifications, the registry value across two
// combos, the tool bar beside the combo with its buttons enabled through the
// combo's own update handlers, its commands and tips, and browsing.
#include <afxwin.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <set>

#include "OXHistoryCombo.h"
#include "TestFolder.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// Records the combo notifications its children send it.
class CComboHost : public CWnd
{
public:
    std::vector<std::pair<int, UINT>> m_commands;   // (id, code)

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
};

// The next file dialog gets a name typed and OK pressed.
void ChooseInFileDialog(CDialogAnswerer& answerer, const CString& sPath)
{
    answerer.Handle([sPath](HWND dialog, const ShownDialog&) {
        HWND hName = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
        SetWindowTextA(hName, sPath);
        CDialogAnswerer::PressButton(dialog, IDOK);
    });
}

const DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;

class COXHistoryComboTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "history", WS_POPUP | WS_VISIBLE, CRect(100, 100, 600, 400)));
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\HistoryCombo");
    }
    void TearDown() override { m_host.DestroyWindow(); }

    std::vector<CString> Entries(const COXHistoryCombo& combo)
    {
        std::vector<CString> v;
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString s;
            combo.GetLBText(i, s);
            v.push_back(s);
        }
        return v;
    }
    static CString ReadValue(const char* name)
    {
        char buffer[512] = "";
        DWORD cb = sizeof(buffer);
        if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\HistoryCombo", name,
                           RRF_RT_REG_SZ, NULL, buffer, &cb) != ERROR_SUCCESS)
            return "<none>";
        return buffer;
    }
    CComboHost m_host;
};

TEST_F(COXHistoryComboTest, MostRecentFirstAndBounded)
{
    COXHistoryCombo combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    EXPECT_TRUE(combo.AddHistoryItem("keyword"));
    EXPECT_TRUE(combo.AddHistoryItem("phrase"));
    EXPECT_FALSE(combo.AddHistoryItem("KEYWORD"));   // moves to the top in the new spelling
    EXPECT_EQ(Entries(combo), (std::vector<CString>{"KEYWORD", "phrase"}));
    EXPECT_EQ(combo.GetCurSel(), 0);

    for (const char* s : {"c", "d", "e", "f"})
        combo.AddHistoryItem(s);
    EXPECT_EQ(combo.GetCount(), 6);
    combo.AddHistoryItem("g");   // a seventh pushes the oldest out
    EXPECT_EQ(combo.GetCount(), 6);
    EXPECT_EQ(combo.FindStringExact(-1, "phrase"), CB_ERR);

    combo.SetWindowText("typed");
    EXPECT_TRUE(combo.AddHistoryItem(NULL));
    combo.SetWindowText("");
    combo.SetCurSel(-1);
    EXPECT_FALSE(combo.AddHistoryItem(NULL));
    combo.SetMaxHistoryCount(2);
    EXPECT_EQ(combo.GetCount(), 2);
}

TEST_F(COXHistoryComboTest, DeletingSelectsTheNextAndNotifies)
{
    COXHistoryCombo combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    combo.SetHistoryString("a|b|c");
    combo.SetCurSel(1);
    m_host.m_commands.clear();
    ASSERT_TRUE(combo.DeleteHistoryItem());
    EXPECT_EQ(combo.GetCurSel(), 1);   // "c" took b's place
    ASSERT_EQ(m_host.m_commands.size(), 1u);
    EXPECT_EQ(m_host.m_commands[0], std::make_pair(1, (UINT)CBN_SELCHANGE));

    m_host.m_commands.clear();
    ASSERT_TRUE(combo.DeleteHistoryItem(1));   // the last: the one before is selected, quietly
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_TRUE(m_host.m_commands.empty());
    EXPECT_FALSE(combo.DeleteHistoryItem(5));
}

TEST_F(COXHistoryComboTest, HistoryValueInTheRegistry)
{
    COXHistoryCombo combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    EXPECT_EQ(COXHistoryCombo::HistoryKeyPath(NULL, NULL), "Software\\Pellucor Test\\PellucorTests\\HistoryCombo");
    combo.SetHistoryString("one|two|three");
    EXPECT_EQ(combo.GetHistoryString(), "one|two|three");
    ASSERT_TRUE(combo.SaveHistory("Seeds", NULL, NULL, HKEY_CURRENT_USER, FALSE));
    EXPECT_EQ(ReadValue("Seeds"), "one|two|three");
    EXPECT_FALSE(combo.SaveHistory("", NULL, NULL, HKEY_CURRENT_USER, FALSE));

    combo.ResetContent();
    ASSERT_TRUE(combo.SaveHistory("Seeds", NULL, NULL, HKEY_CURRENT_USER, FALSE));
    EXPECT_EQ(ReadValue("Seeds"), "<none>");   // an empty list removes the value

    ASSERT_TRUE(combo.LoadHistory("Missing"));   // nothing stored reads as empty
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(COXHistoryComboTest, AutoPersistentListSurvivesTheWindow)
{
    {
        COXHistoryCombo first;
        ASSERT_TRUE(first.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
        ASSERT_TRUE(first.SetAutoPersistent("Keyword"));
        first.AddHistoryItem("alpha");
        first.AddHistoryItem("beta");
        first.SetWindowText("gamma");   // added on the way out
        first.DestroyWindow();
    }
    EXPECT_EQ(ReadValue("Keyword"), "gamma|beta|alpha");
    COXHistoryCombo second;
    ASSERT_TRUE(second.SetAutoPersistent("Keyword"));
    ASSERT_TRUE(second.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    EXPECT_EQ(Entries(second), (std::vector<CString>{"gamma", "beta", "alpha"}));
    EXPECT_EQ(second.GetCurSel(), 0);
}

TEST_F(COXHistoryComboTest, ToolbarBesideTheComboWithItsOwnUpdates)
{
    COXHistoryCombo combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    CToolBar* pBar = combo.GetToolbar();
    ASSERT_TRUE(::IsWindow(pBar->GetSafeHwnd()));
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(pBar->GetOwner(), &combo);
    EXPECT_EQ((int)pBar->SendMessage(TB_BUTTONCOUNT), 3);
    CRect rectCombo, rectBar;
    combo.GetWindowRect(&rectCombo);
    pBar->GetWindowRect(&rectBar);
    EXPECT_GE(rectBar.left, rectCombo.right - 8);   // right of the combo, less its own border
    EXPECT_LE(rectBar.left, rectCombo.right);
    EXPECT_NEAR(rectBar.CenterPoint().y, rectCombo.CenterPoint().y, 1);   // vertically centred

    auto enabled = [&](UINT id) { return (pBar->GetButtonStyle(pBar->CommandToIndex(id)) & TBBS_DISABLED) == 0; };
    combo.OnIdle(0);
    EXPECT_FALSE(enabled(ID_OX_HISTORY_ADD));      // no text
    EXPECT_FALSE(enabled(ID_OX_HISTORY_DELETE));   // nothing selected
    EXPECT_TRUE(enabled(ID_OX_HISTORY_BROWSE));
    combo.SetWindowText("seed");
    combo.OnIdle(0);
    EXPECT_TRUE(enabled(ID_OX_HISTORY_ADD));
    // The add button's command reaches the combo's own handler.
    combo.SendMessage(WM_COMMAND, MAKEWPARAM(ID_OX_HISTORY_ADD, BN_CLICKED), (LPARAM)pBar->m_hWnd);
    EXPECT_EQ(Entries(combo), (std::vector<CString>{"seed"}));
    combo.OnIdle(0);
    EXPECT_TRUE(enabled(ID_OX_HISTORY_DELETE));
    combo.EnableWindow(FALSE);
    combo.OnIdle(0);
    EXPECT_FALSE(enabled(ID_OX_HISTORY_BROWSE));
    EXPECT_FALSE(pBar->IsWindowEnabled());
    combo.EnableWindow(TRUE);

    // A tip is the second piece of the command's string.
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = pBar->m_hWnd;
    info.hdr.idFrom = ID_OX_HISTORY_DELETE;
    info.hdr.code = TTN_NEEDTEXTA;
    combo.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_STREQ(info.szText, "Delete from the list");

    // Other commands go on to the parent.
    m_host.m_commands.clear();
    combo.SendMessage(WM_COMMAND, MAKEWPARAM(4321, BN_CLICKED), (LPARAM)pBar->m_hWnd);
    ASSERT_EQ(m_host.m_commands.size(), 1u);
    EXPECT_EQ(m_host.m_commands[0].first, 4321);

    combo.DestroyWindow();
    EXPECT_FALSE(::IsWindow(pBar->GetSafeHwnd()) && pBar == combo.GetToolbar());
}

// The buttons' pictures blend with the bar: around a picture, an enabled and a
// disabled button alike show the bar's own face, and a disabled one still
// shows its picture (greyed), not a solid square.
TEST_F(COXHistoryComboTest, ToolbarPicturesBlendWithTheBar)
{
    COXHistoryCombo combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    combo.OnIdle(0);   // add and delete disabled, browse enabled
    CToolBar* pBar = combo.GetToolbar();
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CClientDC dc(pBar);
    for (UINT nID : {ID_OX_HISTORY_DELETE, ID_OX_HISTORY_BROWSE}) {
        CRect rect;
        pBar->GetItemRect(pBar->CommandToIndex(nID), &rect);
        const COLORREF clrBar = dc.GetPixel(rect.left + 2, rect.top + 2);
        const CPoint picture(rect.CenterPoint().x - 8, rect.CenterPoint().y - 7);   // a 16 x 15 picture
        EXPECT_EQ(dc.GetPixel(picture.x + 1, picture.y + 1), clrBar) << nID << ": the picture's blank corner";
        std::set<COLORREF> colours;
        for (int y = picture.y; y < picture.y + 15; ++y)
            for (int x = picture.x; x < picture.x + 16; ++x)
                colours.insert(dc.GetPixel(x, y));
        EXPECT_GE(colours.size(), 3u) << nID << ": a picture, not a square";
    }
    combo.DestroyWindow();
}

TEST_F(COXHistoryComboTest, SubclassedComboGetsItsToolbarAndFlags)
{
    HWND hCombo = ::CreateWindowExA(0, "ComboBox", "", kStyle, 10, 10, 200, 200, m_host.m_hWnd, (HMENU)1, NULL, NULL);
    COXHistoryCombo combo(OX_HISTORY_TOOLBAR_BELOW_LEFT);
    ASSERT_TRUE(combo.SubclassWindow(hCombo));
    ASSERT_TRUE(::IsWindow(combo.GetToolbar()->GetSafeHwnd()));
    for (int i = 0; i < 10; ++i)
        combo.SetButtonFlag(i, i == 2);
    EXPECT_EQ(combo.GetVisibleButtonCount(), 1);
    combo.InitializeToolbar();
    EXPECT_EQ((int)combo.GetToolbar()->SendMessage(TB_BUTTONCOUNT), 1);
    EXPECT_EQ(combo.GetToolbar()->GetItemID(0), (UINT)ID_OX_HISTORY_BROWSE);
    for (int i = 0; i < 10; ++i)
        combo.SetButtonFlag(i, FALSE);
    combo.InitializeToolbar();
    EXPECT_FALSE(combo.GetToolbar()->IsWindowVisible());
    combo.DestroyWindow();
}

TEST(OXHistoryToolbarOrigin, EveryPosition)
{
    const CRect R(100, 50, 300, 74);   // 200 x 24
    const CSize size(60, 22);
    const CRect borders(2, 3, 4, 5);   // left, top, right, bottom
    struct Case { int position; BOOL tight; CPoint expect; };
    const Case cases[] = {
        {2, FALSE, {98, 31}}, {3, FALSE, {170, 31}}, {4, FALSE, {244, 31}}, {2, TRUE, {98, 28}},
        {5, FALSE, {98, 69}}, {6, FALSE, {170, 69}}, {7, FALSE, {244, 69}}, {7, TRUE, {244, 74}},
        {8, FALSE, {42, 47}}, {9, FALSE, {42, 51}}, {10, FALSE, {42, 57}}, {9, TRUE, {40, 51}},
        {11, FALSE, {296, 47}}, {12, FALSE, {296, 51}}, {13, FALSE, {296, 57}}, {12, TRUE, {300, 51}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OXHistoryToolbarOrigin(c.position, c.tight, R, size, borders), c.expect)
            << "position " << c.position << (c.tight ? " tight" : "");
}

TEST_F(COXHistoryComboTest, BrowseTakesTheChosenPathAndTellsTheParent)
{
    CTestFolder folder;
    CString sPath = folder.File("picture.bmp");
    COXHistoryCombo combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    combo.SetFileDialogParams(TRUE, NULL, NULL, OFN_HIDEREADONLY, "All Files (*.*)|*.*||", NULL, folder.Path());
    CDialogAnswerer answerer;
    ChooseInFileDialog(answerer, sPath);
    m_host.m_commands.clear();
    ASSERT_TRUE(combo.Browse());
    CString sText;
    combo.GetWindowText(sText);
    EXPECT_EQ(sText.CompareNoCase(sPath), 0) << (LPCSTR)sText;
    ASSERT_FALSE(m_host.m_commands.empty());
    EXPECT_EQ(m_host.m_commands.back(), std::make_pair(1, (UINT)CBN_EDITCHANGE));

    answerer.Answer(IDCANCEL);
    EXPECT_FALSE(combo.Browse());
}

}  // namespace

namespace {

TEST_F(COXHistoryComboTest, PicturePickerBrowsesWithThePreviewDialog)
{
    CTestFolder folder;
    CString sPath = folder.File("photo.bmp");
    HANDLE h = ::CreateFileA(sPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ::CloseHandle(h);
    COXBMPFilePickerCombo picker;
    ASSERT_TRUE(picker.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 3));
    CRect rectCombo, rectBar;
    picker.GetWindowRect(&rectCombo);
    picker.GetToolbar()->GetWindowRect(&rectBar);
    EXPECT_LE(rectBar.left, rectCombo.right);   // right of the combo, centred
    EXPECT_GE(rectBar.left, rectCombo.right - 8);
    EXPECT_NEAR(rectBar.CenterPoint().y, rectCombo.CenterPoint().y, 1);

    CDialogAnswerer answerer;
    ChooseInFileDialog(answerer, sPath);
    m_host.m_commands.clear();
    ASSERT_TRUE(picker.Browse());
    CString sText;
    picker.GetWindowText(sText);
    EXPECT_EQ(sText.CompareNoCase(sPath), 0);
    ASSERT_FALSE(m_host.m_commands.empty());
    EXPECT_EQ(m_host.m_commands.back(), std::make_pair(3, (UINT)CBN_EDITCHANGE));
}

}  // namespace
