// The tree's in-place editors: the edit box's placement rule as a table, and
// each editor on a real tree, ended by Return, Escape or the focus leaving,
// reporting exactly once and writing the cell only with a real choice.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXTreeCtrl.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

TEST(COXTreeEdit, PlacementFollowsAnchorAndLimit)
{
    const CSize text(50, 13);
    struct {
        const char* what;
        bool bAuto;
        int nAlign;
        int nClip;    // 0 none, else a clip limit
        int nFixed;   // 0 none, else a fixed right / width
        CRect proposed;
        CRect expected;   // x, y, x + cx, y + cy
    } cases[] = {
        {"left on its anchor", true, 0, 0, 0, CRect(0, 0, 10, 10), CRect(100, 20, 164, 39)},
        {"centred", true, 1, 0, 0, CRect(0, 0, 10, 10), CRect(68, 20, 132, 39)},
        {"right: grows to the left", true, 2, 0, 0, CRect(0, 0, 10, 10), CRect(36, 20, 100, 39)},
        {"clipped at the limit", true, 0, 130, 0, CRect(0, 0, 10, 10), CRect(100, 20, 130, 39)},
        {"fixed right edge", true, 0, 0, 190, CRect(0, 0, 10, 10), CRect(100, 20, 190, 39)},
        {"not sizing: keeps its size, one pixel up", false, 0, 0, 0, CRect(5, 30, 85, 50), CRect(98, 29, 178, 49)},
        {"not sizing: the limit is a least width", false, 0, 120, 0, CRect(5, 30, 85, 50), CRect(98, 29, 218, 49)},
        {"not sizing: fixed width", false, 0, 0, 60, CRect(5, 30, 85, 50), CRect(98, 29, 158, 49)},
    };
    for (auto& k : cases) {
        COXTreeEdit edit;
        edit.SetAutoSize(k.bAuto);
        edit.SetAnchor(100, 20, k.nAlign);
        if (k.nClip)
            edit.SetClipRight(k.nClip);
        if (k.nFixed)
            edit.SetFixedRight(k.nFixed);
        int x = k.proposed.left, y = k.proposed.top, cx = k.proposed.Width(), cy = k.proposed.Height();
        edit.Place(x, y, cx, cy, text);
        EXPECT_EQ(CRect(x, y, x + cx, y + cy), k.expected) << k.what;
    }
    // Without an anchor a sizing edit keeps its place and takes its text's size.
    COXTreeEdit edit;
    int x = 7, y = 8, cx = 0, cy = 0;
    edit.Place(x, y, cx, cy, text);
    EXPECT_EQ(CRect(x, y, x + cx, y + cy), CRect(7, 8, 71, 27));
}

// A parent that reflects notifications, as a framework window does, and
// writes down every end of an edit.
class CEditHost : public CWnd
{
public:
    std::vector<std::pair<int, std::string>> ends;   // row, text
    HWND hTree = NULL;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = (NMHDR*)lParam;
        if (pHdr->hwndFrom == hTree && pHdr->code == LVN_ENDLABELEDITA) {
            NMLVDISPINFOA* p = (NMLVDISPINFOA*)lParam;
            ends.push_back({p->item.iItem, p->item.pszText != NULL ? p->item.pszText : "(null)"});
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

class COXTreeEditorsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "editors", WS_POPUP | WS_VISIBLE, CRect(60, 60, 520, 360)));
        ::SetActiveWindow(m_host.m_hWnd);
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                                      TVS_LINESATROOT | TVS_EDITLABELS,
                                  CRect(10, 10, 450, 250), &m_host, 100, TVXS_COLUMNHDR));
        m_host.hTree = m_tree.m_hWnd;
        m_tree.SetColumnWidth(0, 150);
        m_tree.InsertColumn(1, "Match", LVCFMT_LEFT, 100);
        m_tree.InsertColumn(2, "Bid", LVCFMT_RIGHT, 80);
        m_other.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 260, 200, 280), &m_host, 200);
        hA = m_tree.InsertItem("keyword one");
        hB = m_tree.InsertItem("keyword two");
        m_tree.SetItemText(hA, "10", 1);
        m_tree.SetItemText(hB, "phrase", 1);
        m_tree.SetItemText(hA, "0.40", 2);
        CStringArray choices;
        for (const char* s : {"10", "1", "broad", "phrase", "exact"})
            choices.Add(s);
        m_tree.SetItemEditMode(hA, TEM_COMBO, choices, 1);
        m_tree.SetItemEditMode(hB, TEM_COMBO, choices, 1);
        m_tree.SetItemText(hB, "2026-12-10", 2);
        CStringArray range;
        range.Add("2020-01-01");
        m_tree.SetItemEditMode(hB, TEM_DATE, range, 2);
        m_tree.SetFocus();
    }
    void TearDown() override { m_host.DestroyWindow(); }

    COXTreeCombo* OpenCombo(HTREEITEM h)
    {
        m_host.ends.clear();
        m_tree.EditLabel(h, 1);
        PumpUntil([&] { return m_tree.m_combo.m_hWnd != NULL; }, kWaitMs);
        return m_tree.m_combo.m_hWnd != NULL ? &m_tree.m_combo : NULL;
    }

    COXTreeCal* OpenCalendar(HTREEITEM h, int nCol)
    {
        m_host.ends.clear();
        m_tree.EditLabel(h, nCol);
        PumpUntil([&] { return m_tree.m_cal.m_hWnd != NULL; }, kWaitMs);
        return m_tree.m_cal.m_hWnd != NULL ? &m_tree.m_cal : NULL;
    }

    // A real click of the left button at a screen point.
    static void ClickAt(CPoint screen)
    {
        ::SetCursorPos(screen.x, screen.y);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, in, sizeof(INPUT));
    }

    // A key posted to a window and handled as the program's own loop does:
    // pre-translated first.
    static void PostAndPumpLikeTheProgram(HWND hWnd, WPARAM vk)
    {
        ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            if (!AfxGetThread()->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
    }

    CEditHost m_host;
    COXTreeCtrl m_tree;
    CEdit m_other;
    HTREEITEM hA = NULL, hB = NULL;
};

TEST_F(COXTreeEditorsTest, ComboEndsOnceByReturnEscapeOrFocus)
{
    struct {
        const char* what;
        HTREEITEM* phItem;
        int nPick;   // choice to select, -1 none
        int how;     // 0 Return, 1 Escape, 2 focus elsewhere
        int row;     // reported row
        const char* cell;
    } cases[] = {
        {"the exact text is selected, not the first that begins with it", &hA, -2, 0, 0, "1"},
        {"Return commits the choice", &hA, 2, 0, 0, "broad"},
        {"Escape cancels", &hA, 4, 1, -1, "broad"},
        {"the focus leaving commits", &hB, 4, 2, 1, "exact"},
    };
    m_tree.SetItemText(hA, "1", 1);
    for (auto& k : cases) {
        COXTreeCombo* pCombo = OpenCombo(*k.phItem);
        ASSERT_TRUE(pCombo != NULL) << k.what;
        if (k.nPick == -2)
            EXPECT_EQ(pCombo->GetCurSel(), 1) << k.what;   // "1", not "10"
        else
            pCombo->SetCurSel(k.nPick);
        if (k.how == 0)
            pCombo->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        else if (k.how == 1)
            pCombo->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        else
            m_other.SetFocus();
        PumpUntil([&] { return m_tree.m_combo.m_hWnd == NULL && !m_host.ends.empty(); }, kWaitMs);
        EXPECT_EQ(m_tree.m_combo.m_hWnd, (HWND)NULL) << k.what;
        ASSERT_EQ(m_host.ends.size(), 1u) << k.what;
        EXPECT_EQ(m_host.ends[0].first, k.row) << k.what;
        EXPECT_EQ((LPCSTR)m_tree.GetItemText(*k.phItem, 1), std::string(k.cell)) << k.what;
        m_tree.SetFocus();
    }
}

TEST_F(COXTreeEditorsTest, ComboWithoutAChoiceLeavesTheCell)
{
    m_tree.SetItemText(hB, "not a choice", 1);
    COXTreeCombo* pCombo = OpenCombo(hB);
    ASSERT_TRUE(pCombo != NULL);
    EXPECT_EQ(pCombo->GetCurSel(), CB_ERR);
    m_other.SetFocus();   // just opened and left
    PumpUntil([&] { return !m_host.ends.empty(); }, kWaitMs);
    ASSERT_EQ(m_host.ends.size(), 1u);
    EXPECT_EQ(m_host.ends[0].first, -1);
    EXPECT_EQ(m_tree.GetItemText(hB, 1), "not a choice");
}

// The date a cell's text names, read as the calendar reads its field: from
// the first digit on.
COleDateTime CellDate(const CString& text)
{
    COleDateTime date;
    const int nDigit = text.FindOneOf("0123456789");
    if (nDigit < 0 || !date.ParseDateTime(text.Mid(nDigit), 0, LANG_USER_DEFAULT))
        date.SetStatus(COleDateTime::invalid);
    return date;
}

TEST_F(COXTreeEditorsTest, DateEditorEndsOnceByReturnEscapeOrAClickElsewhere)
{
    struct {
        const char* what;
        const char* typed;
        int how;   // 0 Return, 1 Escape, 2 focus elsewhere, 3 a real click elsewhere,
                   // 4 Return and 5 Escape through the program's message loop
        bool commits;
    } cases[] = {
        {"Return takes the typed date over and commits it", "2026-03-14", 0, true},
        {"Return on a text that is no date cancels", "no date", 0, false},
        {"a date before the earliest choice cancels", "2019-05-01", 0, false},
        {"Escape cancels", "2026-03-15", 1, false},
        {"the focus leaving commits a date", "2026-03-16", 2, true},
        {"the focus leaving with no date cancels", "31.31.x", 2, false},
        {"a click elsewhere commits a date", "2026-03-17", 3, true},
        {"a click elsewhere with no date cancels", "no date", 3, false},
        {"an empty field commits an empty cell", "", 2, true},
        {"Return through the program's loop commits", "2026-04-01", 4, true},
        {"Escape through the program's loop cancels", "2026-04-02", 5, false},
    };
    CRect rectOther;
    m_other.GetWindowRect(&rectOther);
    int nClick = 0;
    for (auto& k : cases) {
        m_tree.SetItemText(hB, "2026-12-10", 2);
        COXTreeCal* pCal = OpenCalendar(hB, 2);
        ASSERT_TRUE(pCal != NULL) << k.what;
        EXPECT_EQ(pCal->GetDlgCtrlID(), 7) << k.what;
        EXPECT_EQ(::GetFocus(), pCal->GetEdit().m_hWnd) << k.what;
        EXPECT_EQ(WindowText(pCal->GetEdit().m_hWnd), "2026-12-10") << k.what;
        pCal->GetEdit().SetWindowText(k.typed);
        if (k.how == 0)
            pCal->GetEdit().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        else if (k.how == 1)
            pCal->GetEdit().SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        else if (k.how == 2)
            m_other.SetFocus();
        else if (k.how == 3)
            ClickAt(CPoint(rectOther.left + 20 + 40 * nClick++, rectOther.CenterPoint().y));   // no double click
        else
            PostAndPumpLikeTheProgram(pCal->GetEdit().m_hWnd, k.how == 4 ? VK_RETURN : VK_ESCAPE);
        PumpUntil([&] { return m_tree.m_cal.m_hWnd == NULL && !m_host.ends.empty(); }, kWaitMs);
        EXPECT_EQ(m_tree.m_cal.m_hWnd, (HWND)NULL) << k.what;
        ASSERT_EQ(m_host.ends.size(), 1u) << k.what;
        EXPECT_EQ(m_host.ends[0].first, k.commits ? 1 : -1) << k.what;
        const CString cell = m_tree.GetItemText(hB, 2);
        if (!k.commits)
            EXPECT_EQ(cell, "2026-12-10") << k.what;
        else if (*k.typed == 0)
            EXPECT_EQ(cell, "") << k.what;
        else
            EXPECT_EQ(CellDate(cell), CellDate(k.typed)) << k.what << ": " << (LPCSTR)cell;
        m_tree.SetFocus();
        PumpMessagesFor(10);
    }
}

TEST_F(COXTreeEditorsTest, DateEditorTakesItsRangeFromTheChoicesAndStaysOpenWithinItself)
{
    struct {
        std::vector<const char*> choices;
        const char* earliest;   // NULL: the calendar's own range
        const char* latest;
    } cases[] = {
        {{"2020-01-01"}, "2020-01-01", "9999-12-31"},
        {{"2020-01-01", "2021-06-30"}, "2020-01-01", "2021-06-30"},
        {{}, NULL, NULL},
        {{"not a date", "2021-06-30"}, NULL, NULL},
        {{"2021-06-30", "2020-01-01"}, NULL, NULL},   // reversed
    };
    for (auto& k : cases) {
        CStringArray choices;
        for (const char* c : k.choices)
            choices.Add(c);
        m_tree.SetItemEditMode(hA, TEM_DATE, choices, 2);
        COXTreeCal* pCal = OpenCalendar(hA, 2);
        ASSERT_TRUE(pCal != NULL);
        COleDateTime dateMin, dateMax;
        pCal->GetRange(dateMin, dateMax);
        EXPECT_EQ(dateMin, CellDate(k.earliest ? k.earliest : "0100-01-01")) << (k.earliest ? k.earliest : "own");
        EXPECT_EQ(dateMax, CellDate(k.latest ? k.latest : "9999-12-31"));
        // The focus passing to the calendar window and back to its field
        // keeps the edit open.
        pCal->SetFocus();
        PumpMessagesFor(10);
        EXPECT_TRUE(m_tree.m_cal.m_hWnd != NULL);
        EXPECT_EQ(::GetFocus(), pCal->GetEdit().m_hWnd);
        EXPECT_TRUE(m_host.ends.empty());
        pCal->GetEdit().SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        PumpUntil([&] { return !m_host.ends.empty(); }, kWaitMs);
        EXPECT_EQ(m_host.ends.size(), 1u);
        m_tree.SetFocus();
    }
}

TEST_F(COXTreeEditorsTest, EditBoxSitsOnItsCellAndWritesIt)
{
    CEdit* pEdit = m_tree.EditLabel(hA, 2);
    PumpMessagesFor(20);
    ASSERT_TRUE(pEdit != NULL);
    ASSERT_EQ(m_tree.m_edit.m_hWnd, pEdit->m_hWnd);
    EXPECT_EQ(m_tree.m_edit.m_nAlign, 2);   // a right-aligned column
    CString text;
    m_tree.m_edit.GetWindowText(text);
    EXPECT_EQ(text, "0.40");
    CRect rectEdit, rectRow;
    m_tree.m_edit.GetWindowRect(&rectEdit);
    m_tree.ScreenToClient(&rectEdit);
    m_tree.GetItemRect(hA, &rectRow, FALSE);
    EXPECT_EQ(rectEdit.right, rectRow.left + 150 + 100 + 80);   // on the cell's right edge
    m_tree.m_edit.SetWindowText("0.55");
    m_tree.m_edit.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    PumpUntil([&] { return m_tree.GetItemText(hA, 2) == "0.55"; }, kWaitMs);
    EXPECT_EQ(m_tree.GetItemText(hA, 2), "0.55");
    EXPECT_EQ(m_tree.GetItemText(hA, 0), "keyword one");
    // A cell that may not be edited never opens an editor.
    m_tree.SetItemNoEdit(hB, 0);
    EXPECT_EQ(m_tree.EditLabel(hB, 0), (CEdit*)NULL);
    PumpMessagesFor(20);
    EXPECT_EQ(::SendMessageA(m_tree.m_hWnd, LVM_GETEDITCONTROL, 0, 0), 0);
}

// A disabled item opens no editor in any of its cells, the list's edit box,
// the drop-down list or the calendar; enabled again, it edits as before.
TEST_F(COXTreeEditorsTest, ADisabledItemOpensNoEditor)
{
    ASSERT_TRUE(m_tree.DisableItem(hA));
    ASSERT_TRUE(m_tree.DisableItem(hB));
    struct {
        HTREEITEM* phItem;
        int nCol;
    } cells[] = {{&hA, 0}, {&hA, 1}, {&hA, 2}, {&hB, 2}};
    for (auto& k : cells) {
        EXPECT_EQ(m_tree.EditLabel(*k.phItem, k.nCol), (CEdit*)NULL) << k.nCol;
        PumpMessagesFor(20);
        EXPECT_EQ(::SendMessageA(m_tree.m_hWnd, LVM_GETEDITCONTROL, 0, 0), 0) << k.nCol;
        EXPECT_EQ(m_tree.m_combo.m_hWnd, (HWND)NULL) << k.nCol;
        EXPECT_EQ(m_tree.m_cal.m_hWnd, (HWND)NULL) << k.nCol;
    }
    EXPECT_EQ(m_tree.GetItemText(hA, 0), "keyword one");

    ASSERT_TRUE(m_tree.DisableItem(hA, FALSE));
    CEdit* pEdit = m_tree.EditLabel(hA, 0);
    ASSERT_TRUE(pEdit != NULL);
    m_tree.m_edit.SetWindowText("keyword three");
    m_tree.m_edit.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    PumpUntil([&] { return m_tree.GetItemText(hA, 0) == "keyword three"; }, kWaitMs);
    EXPECT_EQ(m_tree.GetItemText(hA, 0), "keyword three");
}

// A cell scrolled off the left: the list scrolls back, and the edit lands on
// the cell where the scroll really left it.
TEST_F(COXTreeEditorsTest, EditBoxOfACellScrolledOffTheLeftLandsOnIt)
{
    m_tree.SetColumnWidth(1, 400);
    m_tree.Scroll(CSize(60, 0));
    PumpMessagesFor(10);
    CRect rectLabel;
    m_tree.GetItemRect(hB, &rectLabel, TRUE);
    ASSERT_LT(rectLabel.left, 0);
    CEdit* pEdit = m_tree.EditLabel(hB, 0);
    ASSERT_TRUE(pEdit != NULL);
    PumpMessagesFor(20);
    CRect rectAfter, rectEdit;
    m_tree.GetItemRect(hB, &rectAfter, TRUE);
    m_tree.m_edit.GetWindowRect(&rectEdit);
    m_tree.ScreenToClient(&rectEdit);
    EXPECT_GE(rectAfter.left, 0);
    EXPECT_EQ(rectEdit.left, rectAfter.left);
    m_tree.m_edit.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessagesFor(10);
    EXPECT_EQ(m_tree.GetItemText(hB), "keyword two");
}

} // namespace
