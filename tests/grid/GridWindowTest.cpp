// The grid as a window under real messages: keyboard moves with their
// notifications in order (message-sequence tables), list mode, header-click
// sorting, divider drag and double-click, the title tip, in-place editing
// (F2, typed characters with cp1251 letters, Tab/Enter/Esc, the owner's veto
// and validation), copy, cut and paste through the real clipboard, painting,
// and printing into an enhanced-metafile DC.
#include <afxwin.h>
#include <afxext.h>
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <string>
#include <vector>
#include "GridCtrl.h"
#include "InPlaceEdit.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const UINT kGridId = 1014;

struct Note {
    UINT code;
    int row, column;
    bool operator==(const Note& o) const { return code == o.code && row == o.row && column == o.column; }
};

std::ostream& operator<<(std::ostream& os, const Note& n)
{
    return os << "{" << (int)n.code << " (" << n.row << "," << n.column << ")}";
}

// The grid's owner: keeps every grid notification with its cell, and answers
// the codes the test sets (the owner's veto and validation).
class CGridHost : public CWnd
{
public:
    std::vector<Note> notes;
    std::map<UINT, LRESULT> answers;
    static const UINT kMarker = WM_APP + 77;
    bool marked = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kMarker) {
            marked = true;
            return 0;
        }
        if (message == WM_NOTIFY) {
            NMHDR* pHdr = (NMHDR*)lParam;
            if (pHdr->idFrom == kGridId) {
                NMGRIDCELL* pNm = (NMGRIDCELL*)lParam;
                notes.push_back({pHdr->code, pNm->row, pNm->column});
                auto it = answers.find(pHdr->code);
                return it != answers.end() ? it->second : 0;
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Holds Ctrl and/or Shift in this thread's keyboard state while it lives.
class CHeldKeys
{
public:
    CHeldKeys(bool ctrl, bool shift)
    {
        GetKeyboardState(m_saved);
        BYTE keys[256];
        memcpy(keys, m_saved, sizeof(keys));
        keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    ~CHeldKeys() { SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

std::string Str(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

std::string ClipboardText()
{
    std::string text;
    if (!PumpUntil([] { return OpenClipboard(NULL) != FALSE; }, kWaitMs))
        return "<the clipboard stayed busy>";
    HANDLE h = GetClipboardData(CF_TEXT);
    if (h != NULL) {
        const char* p = (const char*)GlobalLock(h);
        if (p != NULL)
            text = p;
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

class GridWindowTest : public ::testing::Test
{
protected:
    CMessageRecorder rec;
    CGridHost host;
    CGridCtrl grid;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "Grid host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CRect(10, 10, 650, 490), NULL, 0));
        ASSERT_TRUE(grid.Create(CRect(0, 0, 600, 400), &host, kGridId));
        grid.SetRowCount(30);
        grid.SetColumnCount(6);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        for (int r = 0; r < 30; r++)
            for (int c = 0; c < 6; c++) {
                CString s;
                s.Format("%d,%d", r, c);
                grid.SetItemText(r, c, s);
            }
        host.SetForegroundWindow();
        grid.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == grid.m_hWnd; }, kWaitMs)) << "the grid has the focus";
        Drain();
        Hover(2, 2);
        ASSERT_EQ(grid.GetMouseMode(), 0) << "a pointer move with no button sets the mouse mode to none";
        rec.Watch(host.m_hWnd, "owner");
        rec.Only({WM_NOTIFY});
        host.notes.clear();
    }

    void TearDown() override
    {
        grid.GetTitleTip().Hide();
        grid.DestroyWindow();
        host.DestroyWindow();
    }

    // Lets every message posted so far run, and those they post in turn: a
    // marker posted behind them comes back only after them (a thread's posted
    // messages keep their order), and the queue is empty once a marker comes
    // back with nothing before it.
    void Drain()
    {
        for (int round = 0; round < 100; round++) {
            host.marked = false;
            int nDispatched = 0;
            host.PostMessage(CGridHost::kMarker);
            ASSERT_TRUE(PumpUntil([&] { return ++nDispatched, host.marked; }, kWaitMs))
                << "the posted marker came back";
            if (nDispatched <= 1)
                return;
        }
        FAIL() << "messages kept coming";
    }

    CPoint CellCenter(int row, int col)
    {
        CRect rect;
        EXPECT_TRUE(grid.GetCellRect(row, col, rect)) << row << "," << col;
        return rect.CenterPoint();
    }

    void Hover(int row, int col)
    {
        CPoint pt = CellCenter(row, col);
        grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    }

    void Key(UINT vk, bool ctrl = false, bool shift = false)
    {
        CHeldKeys held(ctrl, shift);
        grid.SendMessage(WM_KEYDOWN, vk, 0);
    }

    void Click(CPoint pt, UINT flags = 0)
    {
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(pt.x, pt.y));
        grid.SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(pt.x, pt.y));
    }

    CInPlaceEdit* Editor()
    {
        HWND hEdit = ::GetDlgItem(grid.m_hWnd, GRID_EDITOR_ID);
        return hEdit != NULL ? (CInPlaceEdit*)CWnd::FromHandlePermanent(hEdit) : nullptr;
    }

    std::string EditorText()
    {
        CInPlaceEdit* pEdit = Editor();
        if (pEdit == nullptr)
            return "<no editor>";
        return WindowText(pEdit->m_hWnd);
    }

    // Sends a character to the editor and lets what it posts run.
    void TypeInEditor(UINT ch)
    {
        CInPlaceEdit* pEdit = Editor();
        ASSERT_NE(pEdit, nullptr);
        pEdit->SendMessage(WM_CHAR, ch, 0);
        Drain();
    }
};

const ExpectedMessage kChanging = {"owner", WM_NOTIFY, kSent, kAnyWParam, (int)kGridId, (UINT)LVN_ITEMCHANGING};
const ExpectedMessage kChanged = {"owner", WM_NOTIFY, kSent, kAnyWParam, (int)kGridId, (UINT)LVN_ITEMCHANGED};
const ExpectedMessage kBeginEdit = {"owner", WM_NOTIFY, kSent, kAnyWParam, (int)kGridId, (UINT)LVN_BEGINLABELEDIT};
const ExpectedMessage kEndEdit = {"owner", WM_NOTIFY, kSent, kAnyWParam, (int)kGridId, (UINT)LVN_ENDLABELEDIT};

}  // namespace

// ---------------------------------------------------------------------------
// Keyboard

struct KeyCase {
    const char* name;
    CCellID start;
    UINT vk;
    bool ctrl, shift;
    CCellID want;
};

TEST_F(GridWindowTest, KeysMoveTheFocusWithChangingThenChangedForTheNewCell)
{
    grid.SetListMode(TRUE);
    const KeyCase cases[] = {
        {"Down", CCellID(3, 2), VK_DOWN, false, false, CCellID(4, 2)},
        {"Up", CCellID(3, 2), VK_UP, false, false, CCellID(2, 2)},
        {"Up at the first row", CCellID(1, 2), VK_UP, false, false, CCellID(1, 2)},
        {"Right", CCellID(3, 2), VK_RIGHT, false, false, CCellID(3, 3)},
        {"Left at the first column", CCellID(3, 1), VK_LEFT, false, false, CCellID(3, 1)},
        {"Tab", CCellID(3, 2), VK_TAB, false, false, CCellID(3, 3)},
        {"Tab wraps to the next row", CCellID(3, 5), VK_TAB, false, false, CCellID(4, 1)},
        {"Tab at the last cell", CCellID(29, 5), VK_TAB, false, false, CCellID(29, 5)},
        {"Shift+Tab wraps back", CCellID(4, 1), VK_TAB, false, true, CCellID(3, 5)},
        {"Shift+Tab at the first cell", CCellID(1, 1), VK_TAB, false, true, CCellID(1, 1)},
        {"Home", CCellID(3, 4), VK_HOME, false, false, CCellID(3, 1)},
        {"End", CCellID(3, 2), VK_END, false, false, CCellID(3, 5)},
        {"Ctrl+Home", CCellID(10, 3), VK_HOME, true, false, CCellID(1, 1)},
        {"Ctrl+End", CCellID(3, 2), VK_END, true, false, CCellID(29, 5)},
        {"Delete does nothing", CCellID(3, 2), VK_DELETE, false, false, CCellID(3, 2)},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
        grid.SetFocusCell(c.start);
        rec.Clear();
        host.notes.clear();
        Key(c.vk, c.ctrl, c.shift);
        EXPECT_EQ(grid.GetFocusCell(), c.want);
        if (c.want == c.start) {
            EXPECT_TRUE(rec.Matches({}));
            continue;
        }
        EXPECT_TRUE(rec.Matches({kChanging, kChanged}));
        EXPECT_EQ(host.notes, (std::vector<Note>{{(UINT)LVN_ITEMCHANGING, c.want.row, c.want.column},
                                                 {(UINT)LVN_ITEMCHANGED, c.want.row, c.want.column}}));
        // List mode: exactly the new row, from the first non-fixed column to the last.
        EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(c.want.row, 1, c.want.row, 5));
        EXPECT_EQ(grid.GetSelectedCount(), 5);
        EXPECT_TRUE(grid.IsCellVisible(c.want));
    }
}

TEST_F(GridWindowTest, PageKeysMoveByTheRowsTheViewMoved)
{
    grid.SetListMode(TRUE);
    grid.SetFocusCell(3, 2);
    CCellID top0 = grid.GetTopleftNonFixedCell(TRUE);
    Key(VK_NEXT);
    CCellID top1 = grid.GetTopleftNonFixedCell(TRUE);
    ASSERT_GT(top1.row, top0.row) << "the page scrolled";
    EXPECT_EQ(grid.GetFocusCell().row, 3 + (top1.row - top0.row));

    // At the bottom the view cannot move: Page Down goes to the last row.
    Key(VK_END, true);
    grid.SetFocusCell(25, 2);
    Key(VK_NEXT);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(29, 2));

    // Page Up at the top goes to the first non-fixed row.
    Key(VK_HOME, true);
    grid.SetFocusCell(2, 2);
    Key(VK_PRIOR);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 2));
}

TEST_F(GridWindowTest, HiddenRowsAndColumnsAreSteppedOver)
{
    grid.SetRowHeight(4, 0);
    grid.SetColumnWidth(3, 0);
    grid.SetFocusCell(3, 2);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 2));
    Key(VK_RIGHT);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 4));
    Key(VK_UP);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 4));
}

TEST_F(GridWindowTest, ClicksInListModeSelectWholeRows)
{
    grid.SetListMode(TRUE);
    rec.Only({WM_NOTIFY, WM_COMMAND});
    Click(CellCenter(4, 3));
    Drain();
    EXPECT_EQ(grid.GetFocusCell(), CCellID(4, 3));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(4, 1, 4, 5));
    EXPECT_TRUE(rec.Matches({kChanging, kChanged,
                             {"owner", WM_NOTIFY, kSent, kAnyWParam, (int)kGridId, (UINT)NM_CLICK},
                             {"owner", WM_COMMAND, kPosted, kGridId}}));
    // A click on a row header selects that row.
    Click(CellCenter(7, 0));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(7, 1, 7, 5));
}

TEST_F(GridWindowTest, RightClickOutsideTheCellsKeepsTheSelection)
{
    grid.SetSelectedRange(2, 1, 2, 5);
    grid.SetColumnWidth(5, 20);
    CRect client;
    grid.GetClientRect(client);
    grid.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(client.right - 2, client.bottom - 2));
    EXPECT_EQ(host.notes, (std::vector<Note>{{(UINT)NM_RCLICK, -1, -1}}));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 1, 2, 5));
}

// ---------------------------------------------------------------------------
// Header click sorting

TEST_F(GridWindowTest, HeaderClickSortsDescendingFirstThenAscendingWithTheNumericCompare)
{
    const char* values[] = {"9", "10", "2", "100", "2.5"};
    grid.SetRowCount(6);
    for (int r = 1; r < 6; r++)
        grid.SetItemText(r, 2, values[r - 1]);
    grid.SetSortOnClick(TRUE);
    grid.SetCompareFunction(CGridCtrl::CompareCellFloat);

    auto Column = [&]() {
        std::string s;
        for (int r = 1; r < grid.GetRowCount(); r++)
            s += Str(grid.GetItemText(r, 2)) + " ";
        return s;
    };

    Click(CellCenter(0, 2));
    EXPECT_EQ(Column(), "100 10 9 2.5 2 ");
    EXPECT_EQ(grid.GetSortColumn(), 2);
    EXPECT_FALSE(grid.GetSortAscending());
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 2));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 1, 5));

    Click(CellCenter(0, 2));
    EXPECT_EQ(Column(), "2 2.5 9 10 100 ");
    EXPECT_TRUE(grid.GetSortAscending());
}

// ---------------------------------------------------------------------------
// Dividers

TEST_F(GridWindowTest, DividersSizeAndFitTheRowOrColumnBeforeThemAlongEitherAxis)
{
    // Row 2 (column 2) ends at the divider; the pointer is on its last pixel
    // or within the margin past it, on the first pixels of the next one.
    struct Case {
        const char* name;
        bool rows;
        int past;   // pixels past the sized one's last pixel
    };
    const Case cases[] = {
        {"a column divider at the column's last pixel", false, 0},
        {"a column divider on the next column's first pixels", false, 2},
        {"a row divider at the row's last pixel", true, 0},
        {"a row divider on the next row's first pixels", true, 2},
    };
    grid.SetItemText(2, 2, "a much longer text than the column shows");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < grid.GetColumnCount(); i++)
            grid.SetColumnWidth(i, 80);
        for (int i = 0; i < grid.GetRowCount(); i++)
            grid.SetRowHeight(i, 25);
        auto extent = [&](int i) { return c.rows ? grid.GetRowHeight(i) : grid.GetColumnWidth(i); };
        // A point on the divider in the header band, and one as far along in the body.
        auto divider = [&](bool inBody) {
            CRect cell;
            EXPECT_TRUE(grid.GetCellRect(c.rows ? 2 : (inBody ? 4 : 0), c.rows ? (inBody ? 3 : 0) : 2, cell));
            return c.rows ? CPoint(cell.CenterPoint().x, cell.bottom + c.past)
                          : CPoint(cell.right + c.past, cell.CenterPoint().y);
        };
        auto along = [&](CPoint pt, int by) { return c.rows ? CPoint(pt.x, pt.y + by) : CPoint(pt.x + by, pt.y); };
        auto send = [&](UINT msg, WPARAM flags, CPoint pt) { grid.SendMessage(msg, flags, MAKELPARAM(pt.x, pt.y)); };
        const int nOver = c.rows ? 6 : 8, nSizing = c.rows ? 7 : 9;
        CPoint pt = divider(false);

        send(WM_MOUSEMOVE, 0, divider(true));
        EXPECT_EQ(grid.GetMouseMode(), 0) << "in the body the same place is no divider";
        send(WM_MOUSEMOVE, 0, pt);
        EXPECT_EQ(grid.GetMouseMode(), nOver);

        // Released where it was pressed: nothing changes.
        send(WM_LBUTTONDOWN, MK_LBUTTON, pt);
        EXPECT_EQ(grid.GetMouseMode(), nSizing);
        send(WM_LBUTTONUP, 0, pt);
        EXPECT_EQ(extent(2), 25 + 55 * !c.rows);

        // Dragged: the sized one ends where the pointer is released.
        send(WM_MOUSEMOVE, 0, pt);
        send(WM_LBUTTONDOWN, MK_LBUTTON, pt);
        send(WM_MOUSEMOVE, MK_LBUTTON, along(pt, 30));
        send(WM_LBUTTONUP, 0, along(pt, 30));
        EXPECT_EQ(extent(2), (c.rows ? 25 : 80) - 1 + c.past + 30) << "the release point is one past its last pixel";
        EXPECT_EQ(extent(3), c.rows ? 25 : 80) << "the next one keeps its size";
        EXPECT_EQ(grid.GetMouseMode(), 0);

        // A double click fits it to its cells.
        pt = divider(false);
        send(WM_MOUSEMOVE, 0, pt);
        ASSERT_EQ(grid.GetMouseMode(), nOver);
        send(WM_LBUTTONDBLCLK, MK_LBUTTON, pt);
        CClientDC dc(&grid);
        int want = 0;
        for (int i = 0; i < (c.rows ? grid.GetColumnCount() : grid.GetRowCount()); i++) {
            CSize size = grid.GetCell(c.rows ? 2 : i, c.rows ? i : 2)->GetCellExtent(&dc);
            want = std::max(want, (int)(c.rows ? size.cy : size.cx));
        }
        EXPECT_EQ(extent(2), want);
        EXPECT_EQ(extent(3), c.rows ? 25 : 80) << "the next one keeps its size";
    }
}

// ---------------------------------------------------------------------------
// Title tip

TEST_F(GridWindowTest, ATruncatedCellShowsItsTitleTipAndAFittingOneDoesNot)
{
    grid.SetItemText(4, 2, "a text far too long for its narrow column");
    grid.SetColumnWidth(2, 40);
    Hover(3, 3);   // a cell whose text fits
    EXPECT_FALSE(::IsWindow(grid.GetTitleTip().m_hWnd) && grid.GetTitleTip().IsWindowVisible());

    ASSERT_EQ(::GetFocus(), grid.m_hWnd) << "the tip shows only while the program has the focus";
    Hover(4, 2);
    ASSERT_TRUE(::IsWindow(grid.GetTitleTip().m_hWnd));
    EXPECT_TRUE(grid.GetTitleTip().IsWindowVisible());
    CRect tip;
    grid.GetTitleTip().GetWindowRect(tip);
    CRect cellRect;
    grid.GetCellRect(4, 2, cellRect);
    EXPECT_GT(tip.Width(), cellRect.Width()) << "the tip is as wide as the whole text";

    // A key hides it and reaches the grid.
    MSG msg = {grid.GetTitleTip().m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    grid.SetFocusCell(4, 2);
    EXPECT_TRUE(grid.GetTitleTip().PreTranslateMessage(&msg));
    EXPECT_FALSE(grid.GetTitleTip().IsWindowVisible());
    Drain();
    EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 2));
}

// ---------------------------------------------------------------------------
// In-place editing

TEST_F(GridWindowTest, F2OpensTheEditorWithTheCaretAtTheEnd)
{
    grid.SetEditable(TRUE);
    grid.SetFocusCell(3, 2);
    Key(VK_F2);
    Drain();
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(EditorText(), "3,2");
    int start = -1, end = -1;
    Editor()->GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 3);
    EXPECT_TRUE(rec.Matches({kBeginEdit}));
    EXPECT_EQ(host.notes, (std::vector<Note>{{(UINT)LVN_BEGINLABELEDIT, 3, 2}}));
    EXPECT_TRUE(grid.IsItemEditing(3, 2));

    // In an editor opened by F2 the arrows move the caret and stay in it.
    Editor()->SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_NE(Editor(), nullptr);
    TypeInEditor(VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Str(grid.GetItemText(3, 2)), "3,2");
}

TEST_F(GridWindowTest, EveryPrintableFirstCharacterStartsTheEditWithIt)
{
    // '!' to '(' must not be taken for navigation keys, and cp1251 letters
    // (bytes above 0x7F) must arrive as themselves.
    grid.SetEditable(TRUE);
    const UINT chars[] = {'!', '"', '#', '$', '%', '&', '\'', '(', 'a', 'Z', '0', 0xC0, 0xE6, 0xFF, 0xA0};
    for (UINT ch : chars) {
        SCOPED_TRACE(::testing::Message() << "character 0x" << std::hex << ch);
        grid.SetFocusCell(3, 2);
        grid.SendMessage(WM_CHAR, ch, 0);
        Drain();
        ASSERT_NE(Editor(), nullptr);
        EXPECT_EQ(EditorText(), std::string(1, (char)(unsigned char)ch));
        TypeInEditor(VK_ESCAPE);
        ASSERT_EQ(Editor(), nullptr);
        EXPECT_EQ(Str(grid.GetItemText(3, 2)), "3,2") << "Esc puts back the first text";
    }
    // Esc typed on the grid starts nothing; neither does Tab.
    grid.SendMessage(WM_CHAR, VK_ESCAPE, 0);
    grid.SendMessage(WM_CHAR, VK_TAB, 0);
    Drain();
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(GridWindowTest, EnterStoresTheTextAndNotifiesBeginThenEnd)
{
    grid.SetEditable(TRUE);
    grid.SetFocusCell(3, 2);
    grid.SendMessage(WM_CHAR, 'x', 0);
    Drain();
    TypeInEditor(0xFD);   // a cp1251 letter typed into the editor
    EXPECT_EQ(EditorText(), "x\xFD");
    TypeInEditor(VK_RETURN);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Str(grid.GetItemText(3, 2)), "x\xFD");
    EXPECT_TRUE(grid.IsModified(3, 2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2)) << "Enter does not move";
    EXPECT_TRUE(rec.Matches({kBeginEdit, kEndEdit}));
}

TEST_F(GridWindowTest, TabEndsTheEditMovesOnAndReopensTheEditor)
{
    grid.SetEditable(TRUE);
    grid.SetFocusCell(3, 2);
    grid.SendMessage(WM_CHAR, 'q', 0);
    Drain();
    TypeInEditor(VK_TAB);
    EXPECT_EQ(Str(grid.GetItemText(3, 2)), "q");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 3));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->GetRow(), 3);
    EXPECT_EQ(Editor()->GetColumn(), 3);
    EXPECT_EQ(host.notes, (std::vector<Note>{{(UINT)LVN_BEGINLABELEDIT, 3, 2},
                                             {(UINT)LVN_ENDLABELEDIT, 3, 2},
                                             {(UINT)LVN_ITEMCHANGING, 3, 3},
                                             {(UINT)LVN_ITEMCHANGED, 3, 3},
                                             {(UINT)LVN_BEGINLABELEDIT, 3, 3}}));
    TypeInEditor(VK_ESCAPE);
}

TEST_F(GridWindowTest, ArrowsEndAnEditStartedByTypingAndHomeStaysInIt)
{
    grid.SetEditable(TRUE);
    grid.SetFocusCell(3, 2);
    grid.SendMessage(WM_CHAR, 'k', 0);
    Drain();
    Editor()->SendMessage(WM_KEYDOWN, VK_HOME, 0);
    ASSERT_NE(Editor(), nullptr);
    Editor()->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    Drain();
    EXPECT_EQ(Str(grid.GetItemText(3, 2)), "k");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(4, 2));
    ASSERT_NE(Editor(), nullptr) << "the editor reopens on the new cell";
    EXPECT_EQ(Editor()->GetRow(), 4);
    TypeInEditor(VK_ESCAPE);
}

TEST_F(GridWindowTest, TheOwnersVetoAndValidationHold)
{
    grid.SetEditable(TRUE);
    grid.SetFocusCell(3, 2);
    host.answers[(UINT)LVN_BEGINLABELEDIT] = -1;
    Key(VK_F2);
    grid.SendMessage(WM_CHAR, 'v', 0);
    Drain();
    EXPECT_EQ(Editor(), nullptr) << "a veto opens no editor";

    host.answers.clear();
    host.answers[(UINT)LVN_ENDLABELEDIT] = -1;
    grid.SendMessage(WM_CHAR, 'w', 0);
    Drain();
    ASSERT_NE(Editor(), nullptr);
    TypeInEditor(VK_RETURN);
    EXPECT_EQ(Str(grid.GetItemText(3, 2)), "3,2") << "a rejected text is put back";

    // Read-only cells and a grid with editing off open no editor.
    grid.SetCellState(3, 2, grid.GetCellState(3, 2) | CELLSTATE_READONLY);
    host.answers.clear();
    Key(VK_F2);
    EXPECT_EQ(Editor(), nullptr);
    grid.SetEditable(FALSE);
    grid.SetFocusCell(4, 2);
    Key(VK_F2);
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(GridWindowTest, PressingTheFocusCellTextOfAnEditableGridEditsOnRelease)
{
    grid.SetEditable(TRUE);
    grid.SetFocusCell(3, 2);
    Click(CellCenter(3, 2));
    Drain();
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(EditorText(), "3,2");
    TypeInEditor(VK_ESCAPE);
}

// ---------------------------------------------------------------------------
// Clipboard

TEST_F(GridWindowTest, CtrlACtrlCCopiesTheWholeGrid)
{
    grid.SetRowCount(4);
    grid.SetFocusCell(2, 2);
    grid.SetSelectedRange(2, 2, 2, 2);
    Key('A', true);
    Key('C', true);
    EXPECT_EQ(ClipboardText(), "1,1\t1,2\t1,3\t1,4\t1,5\n2,1\t2,2\t2,3\t2,4\t2,5\n3,1\t3,2\t3,3\t3,4\t3,5");

    // And every body cell is drawn selected; the headers are not.
    CRect client;
    grid.GetClientRect(client);
    CPixelCanvas canvas(client.Width(), client.Height());
    grid.OnDraw(&canvas.dc);
    for (int r = 1; r < 4; r++)
        for (int c = 1; c < 6; c++) {
            CRect cell;
            grid.GetCellRect(r, c, cell);
            EXPECT_EQ(canvas.At(cell.left + 2, cell.bottom - 2), RGB(102, 153, 204)) << r << "," << c;
        }
    CRect header;
    grid.GetCellRect(0, 2, header);
    EXPECT_NE(canvas.At(header.left + 3, header.bottom - 3), RGB(102, 153, 204));
}

TEST_F(GridWindowTest, CutAndPasteThroughTheClipboard)
{
    grid.SetEditable(TRUE);
    grid.SetItemText(1, 1, "alpha");
    grid.SetItemText(1, 2, "\xE1\xE5\xF2\xE0");
    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(1, 1, 1, 2);
    Key('X', true);
    EXPECT_EQ(ClipboardText(), "alpha\t\xE1\xE5\xF2\xE0");
    EXPECT_EQ(Str(grid.GetItemText(1, 1)), "");
    EXPECT_EQ(Str(grid.GetItemText(1, 2)), "");

    grid.SetSelectedRange(-1, -1, -1, -1);
    grid.SetFocusCell(5, 3);
    host.notes.clear();
    Key('V', true);
    EXPECT_EQ(Str(grid.GetItemText(5, 3)), "alpha");
    EXPECT_EQ(Str(grid.GetItemText(5, 4)), "\xE1\xE5\xF2\xE0");
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(5, 3, 5, 4));
    // Each pasted cell was asked for: begin and end edit.
    EXPECT_EQ(host.notes, (std::vector<Note>{{(UINT)LVN_BEGINLABELEDIT, 5, 3},
                                             {(UINT)LVN_ENDLABELEDIT, 5, 3},
                                             {(UINT)LVN_BEGINLABELEDIT, 5, 4},
                                             {(UINT)LVN_ENDLABELEDIT, 5, 4}}));

    // With editing off Cut and Paste do nothing; Copy still works.
    grid.SetEditable(FALSE);
    grid.SetSelectedRange(2, 1, 2, 1);
    Key('X', true);
    EXPECT_EQ(Str(grid.GetItemText(2, 1)), "2,1");
    EXPECT_EQ(ClipboardText(), "alpha\t\xE1\xE5\xF2\xE0") << "Cut did nothing";
    Key('C', true);
    EXPECT_EQ(ClipboardText(), "2,1");
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(GridWindowTest, PaintingShowsSelectionGridLinesAndTheBackground)
{
    grid.m_crLines = kRed;
    grid.SetSelectedRange(2, 1, 2, 5);
    CRect client;
    grid.GetClientRect(client);
    {
        CPixelCanvas canvas(client.Width(), client.Height());
        grid.OnDraw(&canvas.dc);
        CRect sel;
        grid.GetCellRect(2, 3, sel);
        EXPECT_EQ(canvas.At(sel.left + 2, sel.top + 2), RGB(102, 153, 204)) << "a selected cell";
        CRect plain;
        grid.GetCellRect(4, 3, plain);
        EXPECT_EQ(canvas.At(plain.right, plain.CenterPoint().y), kRed) << "the vertical grid line";
        EXPECT_EQ(canvas.At(plain.left + 2, plain.bottom), kRed) << "the horizontal grid line";
        EXPECT_EQ(canvas.At(client.right - 2, client.bottom - 2), grid.m_crGridBack)
            << "beyond the last column the grid background";
    }
    grid.SetGridLines(GRIDLINES_NONE);
    {
        CPixelCanvas canvas(client.Width(), client.Height());
        grid.OnDraw(&canvas.dc);
        EXPECT_EQ(canvas.Count(kRed), 0) << "no lines";
    }
}

// Scrolling

namespace {

// The grid's client area as it stands on the screen.
std::vector<DWORD> ScreenPixels(CWnd& wnd)
{
    CRect client;
    wnd.GetClientRect(client);
    CPixelCanvas canvas(client.Width(), client.Height());
    CClientDC screen(&wnd);
    canvas.dc.BitBlt(0, 0, client.Width(), client.Height(), &screen, 0, 0, SRCCOPY);
    std::vector<DWORD> pixels;
    for (int y = 0; y < client.Height(); y++)
        for (int x = 0; x < client.Width(); x++)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

}  // namespace

TEST_F(GridWindowTest, PointsFindTheirCellInTheFixedBandAndBeyondIt)
{
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);   // row 2 is now the first scrolled row
    CRect fixedCorner, scrolled, lastCol;
    grid.GetCellRect(0, 0, fixedCorner);
    grid.GetCellRect(2, 3, scrolled);
    grid.GetCellRect(2, 5, lastCol);
    CRect client;
    grid.GetClientRect(client);
    struct Case {
        const char* name;
        CPoint pt;
        BOOL bAllowFixed;
        CCellID want;
    };
    const Case cases[] = {
        {"a scrolled cell", scrolled.CenterPoint(), FALSE, CCellID(2, 3)},
        {"its top left pixel", scrolled.TopLeft(), FALSE, CCellID(2, 3)},
        {"the fixed corner, allowed", fixedCorner.CenterPoint(), TRUE, CCellID(0, 0)},
        {"the fixed corner, not allowed", fixedCorner.CenterPoint(), FALSE, CCellID(-1, -1)},
        {"a fixed row over a scrolled column", CPoint(scrolled.CenterPoint().x, fixedCorner.CenterPoint().y), TRUE,
         CCellID(0, 3)},
        {"right of the last column", CPoint(lastCol.right + 5, scrolled.CenterPoint().y), FALSE, CCellID(2, -1)},
        {"left of the window", CPoint(-3, scrolled.CenterPoint().y), TRUE, CCellID(2, -1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_LT(c.pt.x, client.right);
        EXPECT_EQ(grid.GetCellFromPt(c.pt, c.bAllowFixed), c.want);
    }
}

TEST_F(GridWindowTest, ScrollCodesMoveEitherBarByItsOwnCellsAndRepaintWhatMoved)
{
    grid.SetRowCount(100);
    grid.SetColumnCount(30);
    for (int c = 0; c < 30; c++)
        grid.SetColumnWidth(c, c == 1 ? 0 : 70);   // the first column hidden: a line steps over it
    grid.SetRowHeight(1, 0);                       // and the first row
    struct Case {
        const char* name;
        UINT msg, code;
        int before;   // lines forward first
        int want;     // the first non-fixed row or column shown after; -1: the last one in view
    };
    const Case cases[] = {
        {"a line down steps over the hidden row", WM_VSCROLL, SB_LINEDOWN, 0, 3},
        {"a line right steps over the hidden column", WM_HSCROLL, SB_LINERIGHT, 0, 3},
        {"a line down, then another", WM_VSCROLL, SB_LINEDOWN, 1, 4},
        {"a line up from the third row back over the hidden one", WM_VSCROLL, SB_LINEUP, 1, 1},
        {"a line left at the start stays", WM_HSCROLL, SB_LINELEFT, 0, 1},
        {"the bottom", WM_VSCROLL, SB_BOTTOM, 0, -1},
        {"the right end", WM_HSCROLL, SB_RIGHT, 0, -1},
        {"back to the top", WM_VSCROLL, SB_TOP, 3, 1},
        {"back to the left", WM_HSCROLL, SB_LEFT, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
        grid.SendMessage(WM_HSCROLL, SB_LEFT, 0);
        grid.UpdateWindow();
        UINT forward = c.msg == WM_VSCROLL ? SB_LINEDOWN : SB_LINERIGHT;
        for (int i = 0; i < c.before; i++)
            grid.SendMessage(c.msg, forward, 0);
        grid.SendMessage(c.msg, c.code, 0);
        CCellID top = grid.GetTopleftNonFixedCell(TRUE);
        int shown = c.msg == WM_VSCROLL ? top.row : top.column;
        if (c.want >= 0)
            EXPECT_EQ(shown, c.want);
        else
            EXPECT_TRUE(c.msg == WM_VSCROLL ? grid.IsCellVisible(99, 2) : grid.IsCellVisible(2, 29));
        // What a line forward moved on the screen is what a whole repaint draws.
        grid.UpdateWindow();
        std::vector<DWORD> moved = ScreenPixels(grid);
        grid.Invalidate();
        grid.UpdateWindow();
        EXPECT_TRUE(moved == ScreenPixels(grid)) << "the screen after the step differs from a full repaint";
    }

    // A page moves by the scrolling area, not the client area.
    grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    CRect client;
    grid.GetClientRect(client);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), client.Height() - grid.GetFixedRowHeight());
    grid.SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 0);
}

TEST_F(GridWindowTest, AScrolledBarShowsItsNewPositionOnceTheGridIsPainted)
{
    // The whole window, its frame and scroll bars included, as on the screen.
    auto WindowPixels = [&]() {
        CRect win;
        grid.GetWindowRect(win);
        CPixelCanvas canvas(win.Width(), win.Height());
        CWindowDC screen(&grid);
        canvas.dc.BitBlt(0, 0, win.Width(), win.Height(), &screen, 0, 0, SRCCOPY);
        std::vector<DWORD> pixels;
        for (int y = 0; y < win.Height(); y++)
            for (int x = 0; x < win.Width(); x++)
                pixels.push_back(canvas.At(x, y));
        return pixels;
    };
    grid.SetRowCount(300);
    grid.SetColumnCount(30);
    grid.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    for (UINT msg : {WM_VSCROLL, WM_HSCROLL}) {
        SCOPED_TRACE(msg == WM_VSCROLL ? "the vertical bar" : "the horizontal bar");
        std::vector<DWORD> before = WindowPixels();
        for (int i = 0; i < 3; i++)
            grid.SendMessage(msg, SB_PAGEDOWN, 0);
        grid.UpdateWindow();
        std::vector<DWORD> scrolled = WindowPixels();
        EXPECT_FALSE(scrolled == before) << "the view moved";
        grid.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(scrolled == WindowPixels()) << "the window after the scroll differs from a full repaint";
    }
}

TEST_F(GridWindowTest, TheScrollBarsAreRedrawnAfterEachRunOfRowChanges)
{
    rec.Watch(grid.m_hWnd, "grid");
    rec.Only({WM_NCPAINT});
    for (int run = 0; run < 3; run++) {
        SCOPED_TRACE(::testing::Message() << "run " << run);
        Drain();
        grid.UpdateWindow();
        rec.Clear();
        for (int i = 0; i < 20; i++)
            grid.InsertRow("new");
        grid.DeleteRow(3);
        Drain();
        grid.UpdateWindow();
        EXPECT_GE(rec.Count(WM_NCPAINT), 1) << "the frame with the bars was repainted";
    }
}

TEST_F(GridWindowTest, EnsureVisibleScrollsUntilThePartlyHiddenCellIsWhole)
{
    CRect client;
    grid.GetClientRect(client);
    struct Case {
        const char* name;
        int width, height;   // of every column and row
        int wideColumn;      // a column wider than the view, or -1
        CCellID cell;
    };
    const Case cases[] = {
        {"a column cut off at the right", 150, 20, -1, CCellID(1, 3)},
        {"a row cut off at the bottom", 60, 50, -1, CCellID(7, 1)},
        {"a cell cut off both ways", 150, 50, -1, CCellID(7, 3)},
        {"a cell far beyond the view", 150, 50, -1, CCellID(29, 5)},
        {"a column wider than the view starts where the fixed ones end", 150, 20, 4, CCellID(1, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int col = 0; col < grid.GetColumnCount(); col++)
            grid.SetColumnWidth(col, col == c.wideColumn ? client.Width() * 2 : c.width);
        for (int row = 0; row < grid.GetRowCount(); row++)
            grid.SetRowHeight(row, c.height);
        grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
        grid.SendMessage(WM_HSCROLL, SB_LEFT, 0);
        grid.GetClientRect(client);
        CRect before;
        ASSERT_TRUE(grid.GetCellRect(c.cell, before) == FALSE || before.right >= client.right ||
                    before.bottom >= client.bottom)
            << "the cell starts cut off or out of view";

        grid.EnsureVisible(c.cell.row, c.cell.column);
        CRect rect;
        ASSERT_TRUE(grid.GetCellRect(c.cell, rect));
        EXPECT_LT(rect.bottom, client.bottom);
        if (c.wideColumn < 0)
            EXPECT_LT(rect.right, client.right);
        else
            EXPECT_EQ(rect.left, grid.GetFixedColumnWidth());
        EXPECT_GE(rect.left, grid.GetFixedColumnWidth());
        EXPECT_GE(rect.top, grid.GetFixedRowHeight());
    }
}

// ---------------------------------------------------------------------------
// ---------------------------------------------------------------------------
// Printing

namespace {

struct EmfText {
    std::vector<std::string> texts;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM lParam)
{
    EmfText* out = (EmfText*)lParam;
    if (rec->iType == EMR_EXTTEXTOUTA || rec->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTA* t = (const EMREXTTEXTOUTA*)rec;
        const BYTE* base = (const BYTE*)rec;
        if (rec->iType == EMR_EXTTEXTOUTA)
            out->texts.emplace_back((const char*)(base + t->emrtext.offString), t->emrtext.nChars);
        else {
            const WCHAR* w = (const WCHAR*)(base + t->emrtext.offString);
            char buf[512] = {0};
            WideCharToMultiByte(CP_ACP, 0, w, (int)t->emrtext.nChars, buf, sizeof(buf) - 1, NULL, NULL);
            out->texts.emplace_back(buf);
        }
    }
    return 1;
}

// Prints every page of the grid into one metafile; returns the page count
// and the texts drawn.
int PrintToMetafile(CGridCtrl& grid, EmfText& out)
{
    HDC hRef = ::GetDC(NULL);
    HDC hEmf = CreateEnhMetaFileA(hRef, NULL, NULL, "grid\0print\0");
    ::ReleaseDC(NULL, hRef);
    CDC dc;
    dc.Attach(hEmf);
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    grid.OnBeginPrinting(&dc, &info);
    int pages = (int)info.GetMaxPage();
    for (int p = 1; p <= pages; p++) {
        info.m_nCurPage = p;
        grid.OnPrint(&dc, &info);
    }
    grid.OnEndPrinting(&dc, &info);
    dc.Detach();
    HENHMETAFILE hMeta = CloseEnhMetaFile(hEmf);
    EnumEnhMetaFile(NULL, hMeta, CollectText, &out, NULL);
    DeleteEnhMetaFile(hMeta);
    return pages;
}

bool Contains(const EmfText& t, const std::string& s)
{
    for (const std::string& x : t.texts)
        if (x.find(s) != std::string::npos)
            return true;
    return false;
}

}  // namespace

namespace {
// Records the pages each cell is printed on.
class CPrintProbe : public CGridCtrl
{
public:
    std::map<std::pair<int, int>, std::vector<int>> pages;
    int PageHeight() const { return m_nPageHeight; }
    int PageWidth() const { return m_nPageWidth; }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_nPage = (int)pInfo->m_nCurPage;
        CGridCtrl::OnPrint(pDC, pInfo);
    }

protected:
    BOOL PrintGridCell(int nRow, int nCol, CDC* pDC, CRect rect, CGridCellBase* pCell) override
    {
        pages[{nRow, nCol}].push_back(m_nPage);
        return CGridCtrl::PrintGridCell(nRow, nCol, pDC, rect, pCell);
    }

private:
    int m_nPage = 0;
};
}  // namespace

TEST(GridPrintTest, EveryCellIsPrintedOnExactlyOnePage)
{
    // The first three rows (or columns, printed at screen size) fill the
    // page's space exactly, reach one pixel past it, or one alone is longer.
    struct Case {
        const char* name;
        bool columns;
        int past;        // pixels the third cell reaches past the page; -1: the first is twice the page
        int thirdPage;   // the page (down or across) the third cell is printed on
    };
    const Case cases[] = {
        {"rows filling the page exactly", false, 0, 1},
        {"a row reaching one pixel past the page", false, 1, 2},
        {"a row longer than the page", false, -1, 3},
        {"columns filling the page exactly", true, 0, 1},
        {"a column reaching one pixel past the page", true, 1, 2},
        {"a column wider than the page", true, -1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPrintProbe grid;
        grid.SetRowCount(c.columns ? 4 : 40);
        grid.SetColumnCount(c.columns ? 40 : 4);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetPrintAtScreenSize(c.columns);
        for (int r = 0; r < grid.GetRowCount(); r++)
            for (int col = 0; col < grid.GetColumnCount(); col++)
                grid.SetItemText(r, col, "x");
        EmfText out;
        // The page's space depends on neither the rows' heights nor, at screen
        // size, the columns' widths.
        PrintToMetafile(grid, out);
        int space = c.columns ? grid.PageWidth() : grid.PageHeight();
        ASSERT_GT(space, 60);
        int first = c.past < 0 ? 2 * space : space / 3;
        int third = c.past < 0 ? 30 : space + c.past - 2 * first;
        for (int i = 1; i <= 3; i++) {
            int extent = i == 3 ? third : first;
            if (c.columns)
                grid.SetColumnWidth(i, extent);
            else
                grid.SetRowHeight(i, extent);
        }

        grid.pages.clear();
        int nPages = PrintToMetafile(grid, out);
        EXPECT_EQ(c.columns ? grid.GetPrintPagesAcross() : grid.GetPrintPagesDown(), nPages);
        // Where a cell along the axis is printed: the cells of row (column) 1.
        auto pagesOf = [&](int i) {
            return c.columns ? grid.pages[std::make_pair(1, i)] : grid.pages[std::make_pair(i, 1)];
        };
        for (int r = 1; r < grid.GetRowCount(); r++)
            for (int col = 1; col < grid.GetColumnCount(); col++)
                ASSERT_EQ(grid.pages[std::make_pair(r, col)].size(), 1u) << "cell " << r << "," << col;
        EXPECT_EQ(pagesOf(3)[0], c.thirdPage);
        int last = c.columns ? grid.GetColumnCount() - 1 : grid.GetRowCount() - 1;
        EXPECT_EQ(pagesOf(last)[0], nPages) << "the last page ends the grid";
    }
}

TEST_F(GridWindowTest, PrintDeletesThePrinterDCAfterwardsAndSaysWhenThereIsNone)
{
    CDialogAnswerer answerer;
    // A dialog handed in with its printer's DC: the grid prints on it (no
    // printer here: the document is refused) and then deletes it.
    CPrintDialog chosen(FALSE);
    HDC hRef = ::GetDC(NULL);
    HDC hDC = CreateEnhMetaFileA(hRef, NULL, NULL, NULL);
    ::ReleaseDC(NULL, hRef);
    ASSERT_NE(hDC, (HDC)NULL);
    chosen.m_pd.hDC = hDC;
    grid.Print(&chosen);
    EXPECT_EQ(GetObjectType(hDC), 0u) << "the printer's DC is deleted after printing";
    EXPECT_EQ(chosen.m_pd.hDC, (HDC)NULL) << "and the dialog no longer names it";
    EXPECT_TRUE(answerer.Shown().empty());

    // A dialog that names no printer: the user is told, nothing is printed.
    CPrintDialog none(FALSE);
    grid.Print(&none);
    ASSERT_EQ(answerer.Shown().size(), 1u) << "a box says there is no printer";
    EXPECT_NE(answerer.Shown()[0].text.find("printer"), std::string::npos) << answerer.Shown()[0].text;
}

TEST_F(GridWindowTest, PrintingIntoAMetafileGivesPagesWithHeaderAndFooter)
{
    grid.SetRowCount(200);
    for (int r = 30; r < 200; r++) {
        CString s;
        s.Format("%d,1", r);
        grid.SetItemText(r, 1, s);
    }
    EmfText out;
    int pages = PrintToMetafile(grid, out);
    ASSERT_GT(pages, 1);
    // Every row's text reaches the paper once, whatever page it falls on.
    for (int r = 1; r < 200; r++) {
        CString s;
        s.Format("%d,1", r);
        EXPECT_EQ(std::count(out.texts.begin(), out.texts.end(), Str(s)), 1) << Str(s);
    }
    for (int p = 1; p <= pages; p++) {
        CString footer;
        footer.Format("Page %d of %d", p, pages);
        EXPECT_TRUE(Contains(out, Str(footer))) << Str(footer);
    }
    EXPECT_TRUE(Contains(out, "Grid host")) << "the header carries the parent's title";
    EXPECT_TRUE(Contains(out, "0,3")) << "the headings are printed";
}

TEST_F(GridWindowTest, AGridWithoutDataRowsPrintsOnePage)
{
    grid.SetRowCount(1);
    EmfText out;
    EXPECT_EQ(PrintToMetafile(grid, out), 1);
    EXPECT_TRUE(Contains(out, "Page 1 of 1"));
    EXPECT_TRUE(Contains(out, "0,2"));
}

TEST_F(GridWindowTest, ThePrintersCharacterWidthDividesByTheSamplesRealLength)
{
    // The 53-character sample must be divided by 53, not 52.
    EXPECT_EQ(lstrlenA(CGridCtrl::kPrintSample), 53);
    HDC hRef = ::GetDC(NULL);
    HDC hEmf = CreateEnhMetaFileA(hRef, NULL, NULL, NULL);
    ::ReleaseDC(NULL, hRef);
    CDC dc;
    dc.Attach(hEmf);
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    grid.OnBeginPrinting(&dc, &info);

    CFont font;
    font.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    CFont* pOld = dc.SelectObject(&font);
    CSize extent = dc.GetTextExtent(CGridCtrl::kPrintSample, 53);
    dc.SelectObject(pOld);
    EXPECT_EQ(grid.GetPrintCharSize().cx, extent.cx / 53);
    EXPECT_EQ(grid.GetPrintCharSize().cy, extent.cy);
    grid.OnEndPrinting(&dc, &info);
    dc.Detach();
    DeleteEnhMetaFile(CloseEnhMetaFile(hEmf));
}

// ---------------------------------------------------------------------------
// Wheel, virtual mode and dragging

TEST_F(GridWindowTest, TheWheelPostsLineOrPageScrolls)
{
    rec.Watch(grid.m_hWnd, "grid");
    rec.Only({WM_VSCROLL});
    grid.SetWheelScrollLines(3);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0);
    Drain();
    ExpectedMessage up = {"grid", WM_VSCROLL, kPosted, SB_LINEUP};
    EXPECT_TRUE(rec.Matches({up, up, up, up, up, up}));

    rec.Clear();
    grid.SetWheelScrollLines(-1);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-240), 0);
    Drain();
    ExpectedMessage pageDown = {"grid", WM_VSCROLL, kPosted, SB_PAGEDOWN};
    EXPECT_TRUE(rec.Matches({pageDown, pageDown}));
}

namespace {
// An owner that answers the display requests of a virtual grid.
class CVirtualOwner : public CGridHost
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == (UINT)LVN_GETDISPINFO) {
            GRIDDISPINFO* pInfo = (GRIDDISPINFO*)lParam;
            pInfo->item.strText.Format("v%d.%d", pInfo->item.row, pInfo->item.column);
            return 0;
        }
        if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == (UINT)LVN_ODCACHEHINT) {
            GRIDCACHEHINT* pHint = (GRIDCACHEHINT*)lParam;
            hints.push_back(pHint->range);
        }
        return CGridHost::WindowProc(message, wParam, lParam);
    }
    std::vector<CCellRange> hints;
};
}  // namespace

TEST(GridVirtualWindowTest, EveryPaintIsBracketedByTwoCacheHints)
{
    CVirtualOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Virtual", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               CRect(10, 10, 500, 400), NULL, 0));
    CGridCtrl grid;
    grid.SetVirtualMode(TRUE);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 450, 300), &owner, kGridId));
    grid.SetRowCount(100000);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(Str(grid.GetItemText(77777, 3)), "v77777.3");

    CRect client;
    grid.GetClientRect(client);
    CPixelCanvas canvas(client.Width(), client.Height());
    owner.hints.clear();
    grid.OnDraw(&canvas.dc);
    ASSERT_EQ(owner.hints.size(), 2u);
    EXPECT_EQ(owner.hints[0], grid.VisibleRange());
    EXPECT_EQ(owner.hints[1], CCellRange(-1, -1, -1, -1));
    grid.DestroyWindow();
    owner.DestroyWindow();
}

TEST_F(GridWindowTest, ADragOutAnnouncesItselfAndADropChangesNothing)
{
    // The drop target is registered once the window has a size.
    grid.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
    COleDataObject none;
    EXPECT_EQ(grid.OnDragEnter(&none, 0, CPoint(10, 10)), (DROPEFFECT)DROPEFFECT_NONE);
    EXPECT_FALSE(grid.OnDrop(&none, DROPEFFECT_COPY, CPoint(10, 10)));

    grid.EnableDragAndDrop(TRUE);
    grid.SetSelectedRange(2, 1, 3, 2);
    CPoint pt = CellCenter(2, 1);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(grid.GetMouseMode(), 11) << "a press on a selected cell prepares a drag";
    host.notes.clear();
    grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 8, pt.y));
    EXPECT_EQ(host.notes, (std::vector<Note>{{(UINT)LVN_BEGINDRAG, 2, 1}}));
    EXPECT_EQ(grid.GetMouseMode(), 12);
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x + 8, pt.y));
    EXPECT_EQ(Str(grid.GetItemText(2, 1)), "2,1");
}

TEST_F(GridWindowTest, AutoSizeFitsEveryShownColumnAndRowAndKeepsHiddenOnesHidden)
{
    grid.SetItemText(2, 2, "the widest text of its column");
    grid.SetColumnWidth(4, 0);
    grid.SetRowHeight(5, 0);
    grid.AutoSize();
    EXPECT_EQ(grid.GetColumnWidth(4), 0);
    EXPECT_EQ(grid.GetRowHeight(5), 0);
    CClientDC dc(&grid);
    EXPECT_EQ(grid.GetColumnWidth(2), (int)grid.GetCell(2, 2)->GetCellExtent(&dc).cx);
    EXPECT_EQ(grid.GetRowHeight(2), (int)grid.GetCell(2, 2)->GetCellExtent(&dc).cy);
    EXPECT_LT(grid.GetColumnWidth(3), grid.GetColumnWidth(2));
}

namespace {
// A grid that selects only the focus row on Select All.
class CRowSelectAllGrid : public CGridCtrl
{
public:
    int calls = 0;
    void SelectAllCells() override
    {
        calls++;
        SetSelectedRange(GetFocusCell().row, 1, GetFocusCell().row, GetColumnCount() - 1);
    }
};
}  // namespace

TEST(GridSelectAllTest, ADerivedGridsSelectAllAnswersTheCommandAndCtrlA)
{
    CGridHost host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "Select all", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              CRect(10, 10, 400, 300), NULL, 0));
    CRowSelectAllGrid grid;
    ASSERT_TRUE(grid.Create(CRect(0, 0, 350, 250), &host, kGridId));
    grid.SetRowCount(6);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetFocusCell(3, 2);
    grid.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    EXPECT_EQ(grid.calls, 1);
    {
        CHeldKeys ctrl(true, false);
        grid.SendMessage(WM_KEYDOWN, 'A', 0);
    }
    EXPECT_EQ(grid.calls, 2);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 1, 3, 3));
    grid.DestroyWindow();
    host.DestroyWindow();
}
