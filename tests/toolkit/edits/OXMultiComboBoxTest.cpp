// The multi-column combo under real messages: columns and rows, the caller's
// item data kept in the row records (also for items added by the plain
// message), the master column switched with the same row kept selected even
// among equal texts, a failed refill leaving the combo as it was, and
// searches that select the row they found.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "OXMultiComboBox.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// Records the item data its owner-drawn children show it.
class CDataHost : public CWnd
{
public:
    std::vector<DWORD_PTR> m_drawn, m_deleted;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DRAWITEM && ((DRAWITEMSTRUCT*)lParam)->itemID != (UINT)-1)
            m_drawn.push_back(((DRAWITEMSTRUCT*)lParam)->itemData);
        if (message == WM_DELETEITEM)
            m_deleted.push_back(((DELETEITEMSTRUCT*)lParam)->itemData);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

const DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

class COXMultiComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "multi", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 400)));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    // Three columns: name, city, code; two rows share the name "Ivanov".
    void Fill(COXMultiComboBox& combo)
    {
        ASSERT_TRUE(combo.SetColumnCount(3));
        LPCTSTR rows[][3] = {{"Petrov", "Omsk", "3"}, {"Ivanov", "Tver", "1"}, {"Ivanov", "Kursk", "2"}};
        for (auto& row : rows)
            ASSERT_GE(combo.AddString(row, 3), 0);
    }
    CDataHost m_host;
};

TEST_F(COXMultiComboBoxTest, ColumnsAndRows)
{
    COXMultiComboBox combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    EXPECT_EQ(combo.GetColumnCount(), 1);
    EXPECT_EQ(combo.GetColumnWidth(0), 60);
    EXPECT_FALSE(combo.SetColumnCount(0));
    EXPECT_TRUE(combo.SetColumnCount(3));
    EXPECT_EQ(combo.GetColumnWidth(2), 60);
    EXPECT_EQ(combo.GetColumnWidth(3), -1);
    EXPECT_FALSE(combo.SetColumnWidth(3, 10));
    EXPECT_TRUE(combo.SetColumnWidth(-1, 80));
    EXPECT_EQ(combo.GetTotalColumnWidth(), 240);

    LPCTSTR two[] = {"a", "b"};
    int nItem = combo.AddString(two, 2);
    ASSERT_GE(nItem, 0);
    CString s;
    combo.GetLBText(nItem, 2, s);
    EXPECT_EQ(s, "");                       // fewer texts: empty cells
    combo.GetLBText(nItem, 1, s);
    EXPECT_EQ(s, "b");
    EXPECT_EQ(combo.GetLBTextLen(nItem, 5), CB_ERR);
    EXPECT_EQ(combo.GetLBTextLen(7, 0), CB_ERR);
    LPCTSTR four[] = {"a", "b", "c", "d"};
    EXPECT_EQ(combo.AddString(four, 4), CB_ERR);   // more texts than columns
    EXPECT_EQ(combo.AddString(four, 0), CB_ERR);
    combo.SetMasterColumn(1);
    EXPECT_EQ(combo.AddString(four, 1), CB_ERR);   // does not reach the master column
    EXPECT_FALSE(combo.SetColumnCount(1));         // not above the master column
}

TEST_F(COXMultiComboBoxTest, ItemDataLivesInTheRowAndReachesTheOwner)
{
    COXMultiComboBox combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    Fill(combo);
    EXPECT_EQ(combo.GetItemData(1), 0u);
    combo.SetItemData(1, 4242);
    EXPECT_EQ(combo.GetItemData(1), 4242u);
    EXPECT_EQ(combo.SendMessage(CB_GETITEMDATA, 9, 0), CB_ERR);
    // The rows the list draws reach the owner with the caller's data.
    m_host.m_drawn.clear();
    combo.ShowDropDown(TRUE);
    EXPECT_TRUE(PumpUntil([&] {
        return std::find(m_host.m_drawn.begin(), m_host.m_drawn.end(), (DWORD_PTR)4242) != m_host.m_drawn.end();
    }, kWaitMs)) << "the dropped list draws its rows";
    combo.ShowDropDown(FALSE);
    EXPECT_NE(std::find(m_host.m_drawn.begin(), m_host.m_drawn.end(), (DWORD_PTR)4242), m_host.m_drawn.end());
    EXPECT_NE(std::find(m_host.m_drawn.begin(), m_host.m_drawn.end(), (DWORD_PTR)0), m_host.m_drawn.end());

    // The owner's WM_DELETEITEM sees the caller's data, not the record.
    m_host.m_deleted.clear();
    combo.DeleteString(1);
    ASSERT_EQ(m_host.m_deleted.size(), 1u);
    EXPECT_EQ(m_host.m_deleted[0], 4242u);
}

TEST_F(COXMultiComboBoxTest, PlainMessageItemsGetARecord)
{
    COXMultiComboBox combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    combo.SetColumnCount(2);
    int nItem = (int)combo.SendMessage(CB_ADDSTRING, 0, (LPARAM)"bare");
    ASSERT_GE(nItem, 0);
    ASSERT_NE(combo.GetRowData(nItem), (COXMultiComboBox::COXRowData*)NULL);
    EXPECT_EQ(combo.GetItemData(nItem), 0u);
    EXPECT_NE(combo.SetItemData(nItem, 7), CB_ERR);
    EXPECT_EQ(combo.GetItemData(nItem), 7u);
    CString s;
    combo.GetLBText(nItem, 0, s);
    EXPECT_EQ(s, "bare");
    combo.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);   // drawing a bare row
}

TEST_F(COXMultiComboBoxTest, SwitchingTheMasterColumnKeepsTheSelectedRow)
{
    COXMultiComboBox combo;
    ASSERT_TRUE(combo.Create(kStyle | CBS_SORT, CRect(10, 10, 210, 200), &m_host, 1));
    Fill(combo);   // sorted by name: Ivanov, Ivanov, Petrov
    int nKursk = combo.FindStringExact(-1, 1, "Kursk");
    combo.SetCurSel(nKursk);
    combo.SetItemData(nKursk, 99);

    ASSERT_TRUE(combo.SetMasterColumn(2));   // by code: 1, 2, 3
    EXPECT_FALSE(combo.IsResetting());
    CString s;
    combo.GetLBText(0, s);
    EXPECT_EQ(s, "1");
    combo.GetLBText(combo.GetCurSel(), 1, s);
    EXPECT_EQ(s, "Kursk");
    EXPECT_EQ(combo.GetItemData(combo.GetCurSel()), 99u);

    ASSERT_TRUE(combo.SetMasterColumn(0));   // back to equal names: still Kursk's row
    combo.GetLBText(combo.GetCurSel(), 1, s);
    EXPECT_EQ(s, "Kursk");
    EXPECT_FALSE(combo.SetMasterColumn(3));

    // Records survive the refills and go with their items.
    m_host.m_deleted.clear();
    combo.ResetContent();
    EXPECT_EQ(m_host.m_deleted.size(), 3u);
}

// The combo's own procedure, made to refuse one text while armed.
WNDPROC g_comboProc = NULL;
const char* g_refuse = NULL;
LRESULT CALLBACK RefusingProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == CB_ADDSTRING && g_refuse && strcmp((const char*)l, g_refuse) == 0)
        return CB_ERRSPACE;
    return ::CallWindowProcA(g_comboProc, h, m, w, l);
}

TEST_F(COXMultiComboBoxTest, FailedRefillLeavesTheOldColumn)
{
    HWND hCombo = ::CreateWindowExA(0, "ComboBox", "", kStyle, 10, 10, 200, 200, m_host.m_hWnd, (HMENU)1, NULL, NULL);
    g_comboProc = (WNDPROC)::SetWindowLongPtr(hCombo, GWLP_WNDPROC, (LONG_PTR)RefusingProc);
    COXMultiComboBox combo;
    ASSERT_TRUE(combo.SubclassWindow(hCombo));
    Fill(combo);
    combo.SetCurSel(2);
    g_refuse = "Kursk";
    EXPECT_FALSE(combo.SetMasterColumn(1));
    g_refuse = NULL;
    EXPECT_EQ(combo.GetMasterColumn(), 0);
    ASSERT_EQ(combo.GetCount(), 3);
    const char* names[] = {"Petrov", "Ivanov", "Ivanov"};
    const char* cities[] = {"Omsk", "Tver", "Kursk"};
    for (int i = 0; i < 3; ++i) {
        CString s;
        combo.CComboBox::GetLBText(i, s);   // the combo's own string: the old column
        EXPECT_EQ(s, names[i]);
        combo.GetLBText(i, 1, s);
        EXPECT_EQ(s, cities[i]);
    }
    EXPECT_FALSE(combo.IsResetting());
    combo.DestroyWindow();
}

TEST_F(COXMultiComboBoxTest, SearchesAndSelectingTheRowFound)
{
    COXMultiComboBox combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    combo.SetColumnCount(2);
    LPCTSTR a[] = {"Annabel", "first"};
    LPCTSTR b[] = {"Ann", "second"};
    combo.AddString(a, 2);
    combo.AddString(b, 2);
    // A prefix search on "Ann" would select Annabel; the row found is Ann's.
    EXPECT_EQ(combo.SelectString(-1, 1, "SECOND"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.SelectString(-1, 1, "third"), CB_ERR);
    EXPECT_EQ(combo.FindString(-1, 0, "ann", FALSE), 0);
    EXPECT_EQ(combo.FindString(0, 0, "ann", FALSE), 1);
    EXPECT_EQ(combo.FindString(-1, 0, "ann", TRUE), CB_ERR);
    EXPECT_EQ(combo.FindString(-1, 0, "", FALSE), CB_ERR);
    EXPECT_EQ(combo.FindStringExact(-5, 0, "Ann", TRUE), 1);
    EXPECT_EQ(combo.FindStringExact(2, 0, "Ann", TRUE), CB_ERR);
    EXPECT_EQ(combo.FindStringExact(0, 4, "Ann", TRUE), CB_ERR);
}

TEST_F(COXMultiComboBoxTest, WideColumnsScrollTheListByPages)
{
    COXMultiComboBox combo;
    ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 210, 200), &m_host, 1));
    Fill(combo);
    combo.SetColumnWidth(-1, 1000);
    combo.SetFitDropDownToColumns(TRUE);
    EXPECT_EQ(combo.GetDroppedWidth(), ::GetSystemMetrics(SM_CXSCREEN));
    combo.ShowDropDown(TRUE);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(combo.GetListBox().m_hWnd) != FALSE; }, kWaitMs));
    EXPECT_TRUE(combo.GetListBox().m_bHorzScroll);
    CRect client;
    combo.GetListBox().GetClientRect(&client);
    combo.GetListBox().SendMessage(WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(combo.GetListBox().GetScrollPos(SB_HORZ), 2 * client.Width() / 3);
    combo.ShowDropDown(FALSE);
}

}  // namespace
