// The extended list box: item geometry as a table; records that follow their
// items and the MRU group's moves over a list model of the test's own; then,
// on a real window, the separator strip, and the group saved to the profile
// and read back after a restart, stray stored values leaving a working group.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ByteFuzzer.h"
#include "OXListBoxEx.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

std::string Rect(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(OXListBoxExGeometry, ItemImageAndTextRectangles)
{
    struct Case {
        int indent;
        CSize image, text;
        BOOL lastMRU;
        const char *item, *image_, *text_;
    } cases[] = {
        // no image: no gap; text 2 in, 2 pixels of air above and below
        {0, CSize(0, 0), CSize(40, 13), FALSE, "0,0,44,17", "0,0,0,0", "2,2,42,15"},
        // indent, a 2-pixel gap before the image, content centred in the taller part
        {10, CSize(16, 16), CSize(40, 13), FALSE, "0,0,72,20", "12,2,28,18", "30,3,70,16"},
        // the last MRU item: 4 more pixels below, content still centred above them
        {5, CSize(32, 32), CSize(40, 13), TRUE, "0,0,83,40", "7,2,39,34", "41,11,81,24"},
        // an item without text (no LBS_HASSTRINGS)
        {0, CSize(16, 16), CSize(0, 0), FALSE, "0,0,22,20", "2,2,18,18", "20,10,20,10"},
        // odd heights truncate when centred
        {3, CSize(0, 0), CSize(10, 14), TRUE, "0,0,17,22", "0,0,0,0", "5,2,15,16"},
    };
    for (const Case& c : cases) {
        CRect item, image, text;
        OXCalcListItemRects(c.indent, c.image, c.text, c.lastMRU, item, image, text);
        EXPECT_EQ(Rect(item), c.item) << c.item;
        EXPECT_EQ(Rect(image), c.image_) << c.item;
        EXPECT_EQ(Rect(text), c.text_) << c.item;
    }
}

// A list box with no window: the list lives in vectors, heights and the
// horizontal extent are kept as the system would, and every deletion is
// reported before the item leaves, as the system reports it.
class CModelListBox : public COXListBoxEx
{
public:
    explicit CModelListBox(BOOL bSorted = FALSE) : m_bSorted(bSorted) {}

    struct Item {
        CString text;
        DWORD_PTR data = 0;
        int height = 13;
    };
    std::vector<Item> items;
    int cursel = -1;
    int extent = 0;

    // Each item gets its own text colour, so that a record on the wrong item shows.
    static COLORREF ColourOf(const CString& s) { return RGB((BYTE)s[0], 1, 2); }
    int Add(LPCTSTR text) { return AddItem(text, OXLBI_TEXTCOLOR, NULL, ColourOf(text)); }

    // "group|rest", e.g. "f,c,e|a,b,d".
    std::string Order() const
    {
        std::string group, rest;
        for (int i = 0; i < (int)items.size(); i++) {
            std::string& s = i <= m_nLastMRUIndex ? group : rest;
            s += (s.empty() ? "" : ",") + std::string(items[i].text);
        }
        return group + "|" + rest;
    }

    // Each record sits on its own item, group positions equal indexes, and
    // only the last group item is the taller one.
    ::testing::AssertionResult Consistent()
    {
        for (int i = 0; i < (int)items.size(); i++) {
            OXLISTBOXITEM* p = GetItemInfo(i);
            if (!p)
                return ::testing::AssertionFailure() << "no record at " << i;
            if (p->clrText != ColourOf(items[i].text))
                return ::testing::AssertionFailure() << "record of another item at " << i;
            int expected = i <= m_nLastMRUIndex ? i : -1;
            if (p->nMRUPosition != expected)
                return ::testing::AssertionFailure() << "MRU position " << p->nMRUPosition << " at " << i;
            int height = i == m_nLastMRUIndex ? 21 : 17;
            if (items[i].height != height)
                return ::testing::AssertionFailure() << "height " << items[i].height << " at " << i;
        }
        if (GetItemInfo((int)items.size()))
            return ::testing::AssertionFailure() << "a record past the end";
        return ::testing::AssertionSuccess();
    }

protected:
    DWORD GetListStyle() const override { return LBS_HASSTRINGS | LBS_OWNERDRAWVARIABLE | (m_bSorted ? LBS_SORT : 0); }
    CSize GetTextSize(int nIndex) override { return CSize(8 * items[nIndex].text.GetLength(), 13); }

    LRESULT SendListMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        int i = (int)wParam;
        bool valid = i >= 0 && i < (int)items.size();
        switch (message) {
        case LB_GETCOUNT:
            return (LRESULT)items.size();
        case LB_ADDSTRING: {
            size_t at = items.size();
            if (m_bSorted)
                for (at = 0; at < items.size() && items[at].text.CompareNoCase((LPCTSTR)lParam) <= 0; at++) {
                }
            items.insert(items.begin() + at, Item{(LPCTSTR)lParam});
            if (cursel >= (int)at)
                cursel++;
            return (LRESULT)at;
        }
        case LB_INSERTSTRING:
            if (i < 0 || i > (int)items.size())
                return LB_ERR;
            items.insert(items.begin() + i, Item{(LPCTSTR)lParam});
            if (cursel >= i)
                cursel++;
            return i;
        case LB_DELETESTRING: {
            if (!valid)
                return LB_ERR;
            DELETEITEMSTRUCT dis = {};
            dis.CtlType = ODT_LISTBOX;
            dis.itemID = (UINT)i;
            DeleteItem(&dis);
            items.erase(items.begin() + i);
            if (cursel == i)
                cursel = -1;
            else if (cursel > i)
                cursel--;
            return (LRESULT)items.size();
        }
        case LB_RESETCONTENT:
            items.clear();
            cursel = -1;
            return 0;
        case LB_GETTEXTLEN:
            return valid ? items[i].text.GetLength() : LB_ERR;
        case LB_GETTEXT:
            if (!valid)
                return LB_ERR;
            lstrcpyA((LPSTR)lParam, items[i].text);
            return items[i].text.GetLength();
        case LB_GETITEMDATA:
            return valid ? (LRESULT)items[i].data : LB_ERR;
        case LB_SETITEMDATA:
            if (valid)
                items[i].data = (DWORD_PTR)lParam;
            return valid ? 0 : LB_ERR;
        case LB_SETITEMHEIGHT:
            if (valid)
                items[i].height = LOWORD(lParam);
            return valid ? 0 : LB_ERR;
        case LB_GETITEMHEIGHT:
            return valid ? items[i].height : LB_ERR;
        case LB_GETHORIZONTALEXTENT:
            return extent;
        case LB_SETHORIZONTALEXTENT:
            extent = i;
            return 0;
        case LB_GETCURSEL:
            return cursel;
        case LB_SETCURSEL:
            cursel = valid ? i : -1;
            return valid ? i : LB_ERR;
        case LB_FINDSTRINGEXACT:
            for (size_t k = 0; k < items.size(); k++)
                if (items[k].text.CompareNoCase((LPCTSTR)lParam) == 0)
                    return (LRESULT)k;
            return LB_ERR;
        }
        return 0;
    }

private:
    BOOL m_bSorted;
};

void Fill(CModelListBox& list, std::initializer_list<const char*> texts)
{
    for (const char* t : texts)
        list.Add(t);
}

// a b c d e f, the group "f,c,e" full at a maximum of 3.
void FillFullGroup(CModelListBox& list)
{
    Fill(list, {"a", "b", "c", "d", "e", "f"});
    list.SetMaxMRU(3);
    ASSERT_EQ(list.AppendToMRU(2), 0);
    ASSERT_EQ(list.AppendToMRU(4), 1);
    ASSERT_EQ(list.MoveToMRU(5, 0), 0);
    ASSERT_EQ(list.Order(), "f,c,e|a,b,d");
}

TEST(OXListBoxExModel, MaximumZeroRefusesEveryItem)
{
    CModelListBox list;
    Fill(list, {"a", "b", "c"});
    EXPECT_EQ(list.GetMaxMRU(), 0);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(list.MoveToMRU(i, 0, FALSE), -1);
        EXPECT_EQ(list.MoveToMRU(i, 0, TRUE), -1);
    }
    EXPECT_EQ(list.Order(), "|a,b,c");
    EXPECT_TRUE(list.Consistent());
}

TEST(OXListBoxExModel, MovesIntoAndWithinTheGroup)
{
    struct Case {
        const char* what;
        int index, position;
        BOOL force;
        int answer;
        const char* order;
    } cases[] = {
        {"full, not forced", 3, 0, FALSE, -1, "f,c,e|a,b,d"},
        {"forced: the last leaves, the new one enters where asked", 3, 1, TRUE, 1, "f,a,c|b,d,e"},
        // the forced removal shortens the group: its end is now position 2
        {"forced to the old end", 3, 3, TRUE, 2, "f,c,a|b,d,e"},
        {"within the group, past its end", 0, 3, FALSE, 2, "c,e,f|a,b,d"},
        {"within the group, to the top", 2, 0, FALSE, 0, "e,f,c|a,b,d"},
        {"already there", 1, 1, FALSE, 1, "f,c,e|a,b,d"},
        {"past the maximum", 3, 4, TRUE, -1, "f,c,e|a,b,d"},
        {"no such item", 6, 0, TRUE, -1, "f,c,e|a,b,d"},
    };
    for (const Case& c : cases) {
        CModelListBox list;
        FillFullGroup(list);
        EXPECT_EQ(list.MoveToMRU(c.index, c.position, c.force), c.answer) << c.what;
        EXPECT_EQ(list.Order(), c.order) << c.what;
        EXPECT_TRUE(list.Consistent()) << c.what;
    }
}

TEST(OXListBoxExModel, ShrinkingRemovingAndDeletingKeepTheGroupWhole)
{
    CModelListBox list;
    FillFullGroup(list);
    list.cursel = 1;   // "c"
    EXPECT_EQ(list.RemoveFromMRU(1), 5);
    EXPECT_EQ(list.Order(), "f,e|a,b,d,c");
    EXPECT_EQ(list.cursel, 5);   // the selection went with it
    EXPECT_EQ(list.RemoveFromMRU(2), -1);
    EXPECT_TRUE(list.Consistent());

    list.SetMaxMRU(-5);   // refused: the group would break
    EXPECT_EQ(list.GetMaxMRU(), 3);
    ASSERT_EQ(list.AppendToMRU(5), 2);
    EXPECT_EQ(list.Order(), "f,e,c|a,b,d");

    list.SetMaxMRU(1);
    EXPECT_EQ(list.Order(), "f|a,b,d,c,e");
    EXPECT_TRUE(list.Consistent());

    list.SetMaxMRU(-1);
    ASSERT_EQ(list.AppendToMRU(3), 1);
    ASSERT_EQ(list.AppendToMRU(5), 2);
    ASSERT_EQ(list.Order(), "f,d,e|a,b,c");
    EXPECT_EQ(list.DeleteString(1), 5);   // inside the group
    EXPECT_EQ(list.Order(), "f,e|a,b,c");
    EXPECT_TRUE(list.Consistent());
    EXPECT_EQ(list.DeleteString(3), 4);   // outside
    EXPECT_EQ(list.Order(), "f,e|a,c");
    EXPECT_TRUE(list.Consistent());
    EXPECT_EQ(list.DeleteString(1), 3);   // the last of the group
    EXPECT_EQ(list.Order(), "f|a,c");
    EXPECT_TRUE(list.Consistent());
    list.ResetContent();
    EXPECT_EQ(list.Order(), "|");
    EXPECT_EQ(list.GetItemInfo(0), nullptr);
}

TEST(OXListBoxExModel, ItemsASortedListPlacesAnywhereKeepTheirRecordsInStep)
{
    CModelListBox list(TRUE);
    EXPECT_EQ(list.Add("d"), 0);
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("c"), 1);
    EXPECT_EQ(list.Add("e"), 3);
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Order(), "|a,b,c,d,e");
    EXPECT_TRUE(list.Consistent());
}

// A sorted list would file a new item among the group's, where it takes a
// group slot: it belongs below the group, in order among the rest.
TEST(OXListBoxExModel, ASortedListFilesNewItemsBelowTheGroup)
{
    CModelListBox list(TRUE);
    Fill(list, {"b", "d", "f", "h"});
    list.SetMaxMRU(-1);
    ASSERT_EQ(list.MoveToMRU(2, 0), 0);
    ASSERT_EQ(list.AppendToMRU(3), 1);
    ASSERT_EQ(list.Order(), "f,h|b,d");
    EXPECT_EQ(list.Add("a"), 2);
    EXPECT_EQ(list.Add("g"), 5);
    EXPECT_EQ(list.Add("c"), 4);
    EXPECT_EQ(list.Order(), "f,h|a,b,c,d,g");
    EXPECT_TRUE(list.Consistent());
    // An item leaving the group goes back the same way.
    EXPECT_EQ(list.RemoveFromMRU(0), 5);
    EXPECT_EQ(list.Order(), "h|a,b,c,d,f,g");
    EXPECT_TRUE(list.Consistent());
}

TEST(OXListBoxExModel, LooksSetOnOneItemOrOnAll)
{
    CModelListBox list;
    EXPECT_TRUE(list.SetItemInfo(-1, OXLBI_TEXTCOLOR, NULL, kRed, 0, NULL, 0, 0, 0, 0));   // empty: nothing
    Fill(list, {"a", "bb"});
    EXPECT_FALSE(list.SetItemIndent(2, 5));
    EXPECT_TRUE(list.SetItemIndent(1, 20));
    EXPECT_EQ(list.items[1].height, 17);
    EXPECT_EQ(list.extent, 20 + 16 + 4);   // the widest so far
    EXPECT_TRUE(list.SetItemInfo(-1, OXLBI_BKCOLOR, NULL, 0, kYellow, NULL, 0, 0, 0, 0));
    EXPECT_EQ(list.GetItemBkColor(0), kYellow);
    EXPECT_EQ(list.GetItemBkColor(1), kYellow);
    EXPECT_EQ(list.GetItemTextColor(1), CModelListBox::ColourOf("bb"));   // untouched
    EXPECT_EQ(list.GetItemIndent(1), 20);
    EXPECT_EQ(list.GetItemImage(7), -1);
    EXPECT_EQ(list.GetItemBkColor(7), (COLORREF)-1);
    list.DeleteString(1);   // the widest goes; the extent stays
    EXPECT_EQ(list.extent, 40);
}

// Stored MRU values of every kind, as another program or a damaged profile
// may leave them: nothing faults, the list keeps its items, each with its
// record, and the group is whole and within its maximum.
TEST(OXListBoxExModel, DamagedStoredGroupsLeaveAWholeList)
{
    CWinApp* pApp = AfxGetApp();
    const std::string section = "ListBoxExFuzz_" + std::to_string(::GetTickCount());
    const char* s = section.c_str();
    const char* const names[] = {"a", "b", "c", "d", "e", "f"};
    CByteFuzzer fuzzer;
    const int nCases = 400;
    int nGroups = 0;
    for (int i = 0; i < nCases; i++) {
        pApp->WriteProfileString(s, NULL, NULL);
        for (const char* key : {OXLISTBOXEX_MRU_MAXNUMBER, OXLISTBOXEX_MRU_COUNT}) {
            if (fuzzer.Below(2))
                pApp->WriteProfileInt(s, key, (int)fuzzer.Extreme(4));
            else
                pApp->WriteProfileString(s, key, fuzzer.ExtremeText(0).c_str());
        }
        for (int k = 0, n = (int)fuzzer.Below(8); k < n; k++) {
            CString key;
            key.Format(OXLISTBOXEX_MRU_ENTRY, k);
            const std::string name = names[fuzzer.Below(6)];
            pApp->WriteProfileString(s, key, (fuzzer.Below(4) ? name : fuzzer.Mutate(name)).c_str());
        }
        CModelListBox list(fuzzer.Below(2));
        Fill(list, {"a", "b", "c", "d", "e", "f"});
        list.SetMaxMRU(3);
        list.AppendToMRU(4);
        ASSERT_TRUE(list.LoadMRU(s)) << "case " << i;
        ASSERT_EQ(list.items.size(), 6u) << "case " << i;
        ASSERT_TRUE(list.Consistent()) << "case " << i;
        ASSERT_GE(list.GetMaxMRU(), -1) << "case " << i;
        if (list.GetMaxMRU() >= 0)
            ASSERT_LE(list.GetLastMRUIndex() + 1, list.GetMaxMRU()) << "case " << i;
        nGroups += list.GetLastMRUIndex() >= 0;
        // and it goes on working
        const int nLast = list.GetLastMRUIndex();
        if (list.RemoveFromMRU(0) >= 0)
            ASSERT_EQ(list.GetLastMRUIndex(), nLast - 1) << "case " << i;
        ASSERT_TRUE(list.Consistent()) << "case " << i;
    }
    pApp->WriteProfileString(s, NULL, NULL);
    EXPECT_GT(nGroups, 0);
    std::printf("stored MRU groups: %d cases, %d loaded a group\n", nCases, nGroups);
}

// ---------------------------------------------------------------------------
// On a real window
// ---------------------------------------------------------------------------

class CTestListBoxEx : public COXListBoxEx
{
public:
    using COXListBoxEx::DrawItem;
};

class COXListBoxExWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "list", WS_POPUP | WS_VISIBLE, CRect(60, 60, 360, 360)));
        m_section = "ListBoxExTest_" + std::to_string(::GetTickCount());
        AfxGetApp()->WriteProfileString(m_section.c_str(), NULL, NULL);
        AfxGetApp()->WriteProfileString(OXLISTBOXEX_MRU_SECTION, NULL, NULL);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        AfxGetApp()->WriteProfileString(m_section.c_str(), NULL, NULL);
        AfxGetApp()->WriteProfileString(OXLISTBOXEX_MRU_SECTION, NULL, NULL);
    }
    BOOL Build(COXListBoxEx& list, UINT nID)
    {
        if (!list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY,
                         CRect(0, 0, 280, 280), &m_host, nID))
            return FALSE;
        for (const char* t : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta"})
            list.AddItem(t, OXLBI_TOOLTIPTEXT, NULL, ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOW), t);
        list.SetMaxMRU(4);
        return TRUE;
    }
    // Each item still carries its own record (its tip is its text).
    static ::testing::AssertionResult InStep(COXListBoxEx& list)
    {
        for (int i = 0; i < list.GetCount(); i++) {
            CString t;
            list.GetText(i, t);
            if (list.GetItemToolTipText(i) != t)
                return ::testing::AssertionFailure() << "item " << i << " \"" << (LPCTSTR)t << "\" carries \""
                                                     << (LPCTSTR)list.GetItemToolTipText(i) << "\"";
        }
        return ::testing::AssertionSuccess();
    }
    static std::string Group(COXListBoxEx& list)
    {
        std::string s;
        for (int i = 0; i <= list.GetLastMRUIndex(); i++) {
            CString t;
            list.GetText(i, t);
            s += (s.empty() ? "" : ",") + std::string(t);
        }
        return s;
    }

    CWnd m_host;
    std::string m_section;
};

TEST_F(COXListBoxExWindowTest, LastGroupItemIsTallerAndShowsTheLine)
{
    CTestListBoxEx list;
    ASSERT_TRUE(Build(list, 10));
    EXPECT_EQ(list.GetStyle() & (LBS_OWNERDRAWVARIABLE | LBS_OWNERDRAWFIXED), (DWORD)LBS_OWNERDRAWVARIABLE);
    int plain = list.GetItemHeight(0);
    list.AppendToMRU(3);   // delta
    EXPECT_EQ(list.GetItemHeight(0), plain + 4);
    EXPECT_EQ(list.GetItemHeight(1), plain);

    list.SetItemBkColor(0, kYellow);
    CPixelCanvas canvas(120, 40, kWhite);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTBOX;
    dis.itemID = 0;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = list.m_hWnd;
    dis.hDC = canvas.dc.GetSafeHdc();
    dis.rcItem = CRect(0, 0, 100, plain + 4);
    list.DrawItem(&dis);
    const int strip = plain;   // the strip's top
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(canvas.At(50, strip), kYellow);
    EXPECT_EQ(canvas.At(50, strip + 1), shadow);
    EXPECT_EQ(canvas.At(99, strip + 2), shadow);
    EXPECT_EQ(canvas.At(50, strip + 3), kYellow);
    EXPECT_EQ(canvas.At(0, 1), kYellow);   // the item above the strip
}

TEST_F(COXListBoxExWindowTest, ToolsFollowTheVisibleItems)
{
    COXListBoxEx list;
    ASSERT_TRUE(Build(list, 11));
    for (int i = 0; i < 30; i++) {
        CString s;
        s.Format("item %02d", i);
        list.AddItem(s, OXLBI_TOOLTIPTEXT, NULL, ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOW), s);
    }
    CToolTipCtrl* pTips = list.GetToolTipCtrl();
    ASSERT_TRUE(::IsWindow(pTips->GetSafeHwnd()));
    int visible = pTips->GetToolCount() - 1;
    EXPECT_GT(visible, 3);
    EXPECT_LT(visible, 36);
    CString tip;
    pTips->GetText(tip, &list, 1);
    EXPECT_EQ(tip, "alpha");
    // Over an item its own tip answers, not the whole list's.
    list.SetToolTipText("the list");
    TOOLINFO ti = {};
    ASSERT_TRUE(pTips->HitTest(&list, CPoint(20, list.GetItemHeight(0) / 2), &ti));
    EXPECT_EQ(ti.uId, (UINT_PTR)1);
    list.SetItemToolTipText(2, "");   // an item without a tip: the list's
    CRect third;
    list.GetItemRect(2, third);
    ASSERT_TRUE(pTips->HitTest(&list, third.CenterPoint(), &ti));
    EXPECT_EQ(ti.uId, (UINT_PTR)OXLISTBOXEX_LIST_TOOL_ID);
    // A scroll by the wheel: the tools move on with the top item.
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-360), 0);
    EXPECT_EQ(list.GetTopIndex(), 1);   // one item a message, whatever the delta
    MSG msg = {list.m_hWnd, WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
    list.PreTranslateMessage(&msg);
    pTips->GetText(tip, &list, 1);
    EXPECT_EQ(tip, "beta");
}

TEST_F(COXListBoxExWindowTest, GroupSurvivesARestart)
{
    {
        COXListBoxEx list;
        ASSERT_TRUE(Build(list, 12));
        list.SetMRUAutoSave(TRUE);
        list.AppendToMRU(4);   // epsilon
        list.AppendToMRU(2);   // beta
        ASSERT_EQ(Group(list), "epsilon,beta");
        EXPECT_TRUE(list.SaveMRU(m_section.c_str()));   // a group the owner keeps
        list.MoveToMRU(5, 0);   // zeta (the last item) first, then saved on destroy
        EXPECT_TRUE(InStep(list));
        list.DeleteString(3);
        EXPECT_TRUE(InStep(list));
        list.DestroyWindow();
    }
    COXListBoxEx restarted;
    ASSERT_TRUE(Build(restarted, 13));
    ASSERT_TRUE(restarted.LoadMRU(OXLISTBOXEX_MRU_SECTION));
    EXPECT_EQ(Group(restarted), "zeta,epsilon,beta");
    ASSERT_TRUE(restarted.LoadMRU(m_section.c_str()));
    EXPECT_EQ(Group(restarted), "epsilon,beta");
    EXPECT_EQ(restarted.GetMaxMRU(), 4);
}

TEST_F(COXListBoxExWindowTest, StrayStoredValuesLeaveAWorkingGroup)
{
    CWinApp* pApp = AfxGetApp();
    const char* s = m_section.c_str();
    pApp->WriteProfileString(s, "MRU_Entry_0", "gamma");
    pApp->WriteProfileString(s, "MRU_Entry_1", "no such item");
    pApp->WriteProfileString(s, "MRU_Entry_2", "alpha");
    struct Case {
        const char* what;
        const char* max;   // NULL: an int value
        int maxNumber;
        const char* count;
        int countNumber;
        int expectedMax;
        const char* group;
    } cases[] = {
        {"a maximum below -1", NULL, -7, NULL, 3, 4, "gamma,alpha"},
        {"a huge count", NULL, 3, NULL, 0x7FFFFFFF, 3, "gamma,alpha"},
        {"text values", "many", 0, "lots", 0, 4, "gamma,alpha"},
    };
    for (const Case& c : cases) {
        COXListBoxEx list;
        ASSERT_TRUE(Build(list, 14));
        if (c.max)
            pApp->WriteProfileString(s, "MRU_MaxNumber", c.max);
        else
            pApp->WriteProfileInt(s, "MRU_MaxNumber", c.maxNumber);
        if (c.count)
            pApp->WriteProfileString(s, "MRU_Count", c.count);
        else
            pApp->WriteProfileInt(s, "MRU_Count", c.countNumber);
        EXPECT_TRUE(list.LoadMRU(s)) << c.what;
        EXPECT_EQ(list.GetMaxMRU(), c.expectedMax) << c.what;
        EXPECT_EQ(Group(list), c.group) << c.what;
        // and the group goes on working
        EXPECT_EQ(list.AppendToMRU(5), 2) << c.what;
        EXPECT_EQ(Group(list), std::string(c.group) + ",zeta") << c.what;
        EXPECT_EQ(list.RemoveFromMRU(0), 5) << c.what;
        EXPECT_EQ(Group(list), "alpha,zeta") << c.what;
        list.DestroyWindow();
    }
}

}  // namespace
