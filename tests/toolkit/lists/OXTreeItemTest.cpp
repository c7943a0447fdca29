// The tree's item model without a window: links, sorted insertion, sorting
// around items whose text the owner gives, columns, copies, and the rows of
// a list kept equal to the displayed items after every expansion.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "OXTreeItem.h"

namespace {

// The rows of a list: a plain vector of items.
class CRowList : public COXTreeRows
{
public:
    int RowOf(const COXTreeItem* pItem) const override
    {
        for (size_t i = 0; i < rows.size(); i++)
            if (rows[i] == pItem)
                return (int)i;
        return -1;
    }
    int InsertRow(COXTreeItem* pItem, int nRow) override
    {
        if (nRow < 0 || nRow > (int)rows.size())
            return -1;
        rows.insert(rows.begin() + nRow, pItem);
        return nRow;
    }
    void DeleteRow(int nRow) override
    {
        if (nRow >= 0 && nRow < (int)rows.size())
            rows.erase(rows.begin() + nRow);
    }
    std::vector<COXTreeItem*> rows;
};

// What must be on screen: every visible item, in tree order.
std::vector<COXTreeItem*> Displayed(COXTreeItem* pRoot)
{
    std::vector<COXTreeItem*> out;
    for (COXTreeItem* p = pRoot->GetFirstChild(); p != NULL; p = p->GetNextInOrder()) {
        // stay inside the root's subtree
        COXTreeItem* q = p;
        while (q != NULL && q != pRoot)
            q = q->m_pParent;
        if (q == NULL)
            break;
        if (p->IsVisible())
            out.push_back(p);
    }
    return out;
}

std::string Labels(const std::vector<COXTreeItem*>& items)
{
    std::string s;
    for (COXTreeItem* p : items)
        s += (s.empty() ? "" : " ") + std::string(p->GetLabel().IsEmpty() ? "?" : (LPCSTR)p->GetLabel());
    return s;
}

std::string Children(const COXTreeItem& parent)
{
    std::vector<COXTreeItem*> v;
    for (COXTreeItem* p = parent.GetFirstChild(); p != NULL; p = p->m_pNext)
        v.push_back(p);
    return Labels(v);
}

struct CTree
{
    CTree() { root.SetExpanded(TRUE); }
    COXTreeItem* Add(COXTreeItem* pParent, const char* text) { return pParent->AddChild(new COXTreeItem(text)); }
    COXTreeItem root;
    CRowList list;
};

TEST(OXTreeItem, LinksTraversalAndLevels)
{
    CTree t;
    COXTreeItem* a = t.Add(&t.root, "a");
    COXTreeItem* c = t.Add(&t.root, "c");
    COXTreeItem* b = t.root.AddChild(new COXTreeItem("b"), a->Handle());
    COXTreeItem* first = t.root.AddChild(new COXTreeItem("0"), TVI_FIRST);
    EXPECT_EQ(Children(t.root), "0 a b c");
    COXTreeItem* a1 = a->AddChild(new COXTreeItem("a1"), TVI_FIRST);   // the only child, whatever after says
    EXPECT_EQ(a->GetFirstChild(), a1);
    EXPECT_EQ(a1->GetLevel(), 2);
    EXPECT_EQ(a->GetLevel(), 1);
    EXPECT_EQ(t.root.GetLevel(), 0);
    EXPECT_EQ(a->GetNextInOrder(), a1);
    EXPECT_EQ(a1->GetNextInOrder(), b);
    EXPECT_EQ(b->GetPrevInOrder(), a1);
    EXPECT_EQ(first->GetPrevInOrder(), &t.root);
    EXPECT_EQ(c->GetNextInOrder(), nullptr);

    first->MoveDown();
    EXPECT_EQ(Children(t.root), "a 0 b c");
    EXPECT_EQ(t.root.GetFirstChild(), a);
    c->MoveDown();   // last: nothing
    EXPECT_EQ(Children(t.root), "a 0 b c");
    b->Unlink();
    EXPECT_EQ(Children(t.root), "a 0 c");
    delete b;
    c->Hide(TRUE);
    EXPECT_EQ(t.root.CountChildren(FALSE), 2);
    EXPECT_EQ(t.root.CountChildren(TRUE), 3);
    EXPECT_TRUE(first->IsLastShownSibling());
}

TEST(OXTreeItem, SortedInsertionPoints)
{
    CTree t;
    COXTreeItem* a = t.Add(&t.root, "a");
    t.Add(&t.root, "b");
    t.Add(&t.root, "c");
    EXPECT_EQ(t.root.FindSortedPosition("b", TRUE), a->Handle());   // before the equal one
    EXPECT_EQ(t.root.FindSortedPosition("", TRUE), (HTREEITEM)NULL);
    EXPECT_EQ(t.root.FindSortedPosition("", FALSE), TVI_FIRST);
    EXPECT_EQ(t.root.FindSortedPosition(LPSTR_TEXTCALLBACK, TRUE), (HTREEITEM)NULL);   // goes last
    COXTreeItem none;
    EXPECT_EQ(none.FindSortedPosition("x", TRUE), TVI_FIRST);
    // Labels the owner gives, and none at all, are never candidates nor a crash.
    t.root.AddChild(new COXTreeItem(LPSTR_TEXTCALLBACK));
    t.root.AddChild(new COXTreeItem());
    EXPECT_EQ(t.root.FindSortedPosition("bb", TRUE), t.root.GetFirstChild()->m_pNext->Handle());
}

TEST(OXTreeItem, SortingLeavesOwnerTextsInPlace)
{
    CTree t;
    for (const char* s : {"d", "b", "a"})
        t.Add(&t.root, s);
    t.root.AddChild(new COXTreeItem(LPSTR_TEXTCALLBACK));
    for (const char* s : {"z", "c", "y"})
        t.Add(&t.root, s);
    t.root.SortChildren(0, TRUE, TRUE, NULL, 0);
    EXPECT_EQ(Children(t.root), "a b d ? c y z");
    t.root.SortChildren(0, TRUE, FALSE, NULL, 0);
    EXPECT_EQ(Children(t.root), "d b a ? z y c");

    // By a column's text, and with a compare function over the item data.
    CTree u;
    const char* cols[] = {"3", "1", "2"};
    for (int i = 0; i < 3; i++) {
        COXTreeItem* p = u.Add(&u.root, std::string(1, char('x' + i)).c_str());
        p->SetSubItemText(cols[i], 2);
        p->m_tvi.lParam = 10 - i;
    }
    u.root.SortChildren(2, TRUE, TRUE, NULL, 0);
    EXPECT_EQ(Children(u.root), "y z x");
    u.root.SortChildren(0, TRUE, TRUE,
                        [](LPARAM a, LPARAM b, LPARAM) CALLBACK -> int { return (int)(a - b); }, 0);
    EXPECT_EQ(Children(u.root), "z y x");
}

// The order sorting must give: neighbours exchanged while out of order, as
// the rule reads, over labels and user values alone.
struct RefItem
{
    std::string label;   // "?" for a text the owner gives
    LPARAM data;
};
void NeighbourExchange(std::vector<RefItem>& v, int nSign, PFNTVCOMPARE pfn)
{
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (size_t i = 0; i + 1 < v.size(); i++) {
            bool out;
            if (pfn != NULL)
                out = nSign * pfn(v[i].data, v[i + 1].data, 0) > 0;
            else if (v[i].label == "?" || v[i + 1].label == "?")
                out = false;
            else
                out = nSign * CString(v[i].label.c_str()).Collate(v[i + 1].label.c_str()) > 0;
            if (out) {
                std::swap(v[i], v[i + 1]);
                swapped = true;
            }
        }
    }
}

TEST(OXTreeItem, SortingGivesTheNeighbourExchangeOrder)
{
    // Few distinct texts and compare results, so that equal items abound and
    // their order shows whether the sort keeps it.
    PFNTVCOMPARE byTens = [](LPARAM a, LPARAM b, LPARAM) CALLBACK -> int { return (int)(a / 10 - b / 10); };
    PFNTVCOMPARE sloppy = [](LPARAM a, LPARAM b, LPARAM) CALLBACK -> int { return a % 3 == 0 ? 0 : (int)(a - b); };
    struct {
        const char* what;
        int nCount;
        int nCallbackEvery;   // 0: none
        BOOL bAscending;
        PFNTVCOMPARE pfn;
        bool bOrder = true;   // false: the function is no order; only every item must stay
    } cases[] = {
        {"texts, ascending", 60, 0, TRUE, NULL},
        {"texts, descending", 60, 0, FALSE, NULL},
        {"owner texts split the runs", 60, 7, TRUE, NULL},
        {"owner texts split the runs, descending", 61, 5, FALSE, NULL},
        {"a compare function passes owner texts too", 60, 4, TRUE, byTens},
        {"a compare function, descending", 60, 0, FALSE, byTens},
        {"a compare function that is no order", 40, 0, TRUE, sloppy, false},
        {"one item", 1, 0, TRUE, NULL},
    };
    const char* words[] = {"b", "a", "D", "c", "a", "B", "A", "c"};
    for (auto& k : cases) {
        CTree t;
        std::vector<RefItem> expected;
        unsigned seed = 7;
        for (int i = 0; i < k.nCount; i++) {
            seed = seed * 1103515245u + 12345u;
            const bool bCallback = k.nCallbackEvery != 0 && i % k.nCallbackEvery == 3;
            const std::string label = bCallback ? "?" : words[(seed >> 16) % 8];
            COXTreeItem* p = t.root.AddChild(new COXTreeItem(bCallback ? LPSTR_TEXTCALLBACK : label.c_str()));
            p->m_tvi.lParam = (LPARAM)((seed >> 8) % 50);
            expected.push_back({label, p->m_tvi.lParam});
        }
        NeighbourExchange(expected, k.bAscending ? 1 : -1, k.pfn);
        t.root.SortChildren(0, TRUE, k.bAscending, k.pfn, 0);
        std::vector<RefItem> got;
        for (COXTreeItem* p = t.root.GetFirstChild(); p != NULL; p = p->m_pNext) {
            got.push_back({p->HasCallbackText() ? "?" : (LPCSTR)p->GetLabel(), p->m_tvi.lParam});
            EXPECT_EQ(p->m_pNext == NULL || p->m_pNext->m_pPrev == p, true) << k.what;
        }
        ASSERT_EQ(got.size(), expected.size()) << k.what;
        if (!k.bOrder) {
            auto key = [](const RefItem& r) { return r.label + "/" + std::to_string(r.data); };
            std::vector<std::string> a, b;
            for (size_t i = 0; i < got.size(); i++) {
                a.push_back(key(got[i]));
                b.push_back(key(expected[i]));
            }
            std::sort(a.begin(), a.end());
            std::sort(b.begin(), b.end());
            EXPECT_EQ(a, b) << k.what;
            continue;
        }
        for (size_t i = 0; i < got.size(); i++) {
            EXPECT_EQ(got[i].label, expected[i].label) << k.what << " at " << i;
            EXPECT_EQ(got[i].data, expected[i].data) << k.what << " at " << i;
        }
    }
}

TEST(OXTreeItem, ColumnsImagesFontsAndChoices)
{
    COXTreeItem item("label");
    item.m_tvi.iImage = 4;
    item.m_tvi.iSelectedImage = 5;
    EXPECT_EQ(item.GetImage(0, TRUE), 4);
    EXPECT_EQ(item.GetImage(0, FALSE), 5);
    EXPECT_EQ(item.GetImage(3, TRUE), -1);
    EXPECT_FALSE(item.SetSubItemText("x", 0));
    EXPECT_FALSE(item.SetSubItem(-1, TSF_TEXT, "x", 0, NULL, 0, 0));
    for (int col : {1, 2, 3})
        ASSERT_TRUE(item.SetSubItemText(std::to_string(col).c_str(), col));
    item.RemoveColumn(2);
    EXPECT_EQ(item.GetSubItemText(1), "1");
    EXPECT_EQ(item.GetSubItemText(2), "3");   // renumbered
    EXPECT_EQ(item.GetSubItem(3), nullptr);
    item.RemoveColumn(3);
    EXPECT_EQ(item.GetSubItemText(2), "3");

    CStringArray choices;
    choices.Add("one");
    item.SetEditMode(TEM_COMBO, choices, 0);
    choices.Add("two");
    item.SetEditMode(7, choices, 0);   // keeps the mode, takes the choices
    EXPECT_EQ(item.GetEditMode(0), TEM_COMBO);
    EXPECT_EQ(item.GetChoices(0).GetSize(), 2);
    EXPECT_EQ(item.GetChoices(9).GetSize(), 0);   // no sub-item: an empty list

    CFont font;
    font.CreatePointFont(90, "Liberation Sans");
    ASSERT_TRUE(item.SetFont(0, &font));
    EXPECT_TRUE(item.HasFont(0));
    EXPECT_NE(item.GetFont(0)->GetSafeHandle(), font.GetSafeHandle());   // a copy, never shared
    CFont empty;
    EXPECT_FALSE(item.SetFont(0, &empty));
    EXPECT_TRUE(item.HasFont(0));   // nothing changed
    EXPECT_FALSE(item.SetFont(7, &font));   // no sub-item for column 7
    EXPECT_TRUE(item.SetSubItem(1, TSF_FONT | TSF_TEXTCOLOR, NULL, 0, &font, RGB(1, 2, 3), 0));
    EXPECT_TRUE(item.HasFont(1));
    EXPECT_EQ(item.GetTextColor(1), RGB(1, 2, 3));
}

TEST(OXTreeItem, RowsFollowEveryExpansion)
{
    CTree t;
    COXTreeItem* a = t.Add(&t.root, "a");
    COXTreeItem* a1 = t.Add(a, "a1");
    COXTreeItem* a1x = t.Add(a1, "a1x");
    t.Add(a, "a2");
    COXTreeItem* b = t.Add(&t.root, "b");
    t.Add(b, "b1");
    t.root.UpdateChildRows(&t.list);
    auto check = [&](const char* what, const char* expected) {
        EXPECT_EQ(Labels(t.list.rows), expected) << what;
        EXPECT_EQ(t.list.rows, Displayed(&t.root)) << what;
    };
    check("top level", "a b");
    a->Expand(TVE_EXPAND, &t.list);
    check("a open", "a a1 a2 b");
    // An item under a collapsed parent: only its flag changes when collapsed,
    // and expanding it opens every collapsed ancestor up the tree.
    a->Expand(TVE_COLLAPSE, &t.list);
    check("a closed", "a b");
    a1->Expand(TVE_COLLAPSE, &t.list);
    check("invisible collapse", "a b");
    a1x->m_pParent->Expand(TVE_EXPAND, &t.list);
    check("a1 opened under a closed a", "a a1 a1x a2 b");
    EXPECT_TRUE(a->IsExpanded());
    b->Expand(TVE_TOGGLE, &t.list);
    check("b toggled open", "a a1 a1x a2 b b1");
    a1x->Hide(TRUE);
    a1->Expand(TVE_COLLAPSE, &t.list);
    a1->Expand(TVE_EXPAND, &t.list);
    check("hidden items have no row", "a a1 a2 b b1");
    a->Expand(TVE_COLLAPSERESET, &t.list);
    check("a reset", "a b b1");
    EXPECT_EQ(a->GetFirstChild(), nullptr);
    EXPECT_FALSE(a->IsExpanded());
    EXPECT_FALSE(a->m_bExpandedOnce);
    EXPECT_EQ(a->m_tvi.cChildren, 0);
    EXPECT_FALSE(a->Expand(0x1234, &t.list));
}

TEST(OXTreeItem, CopiesAreWholeAndKeepTheirOwnIdentity)
{
    CTree t;
    COXTreeItem* a = t.Add(&t.root, "a");
    a->SetSubItemText("col1", 1);
    a->SetTextColor(RGB(9, 9, 9));
    t.Add(a, "a1");
    t.Add(a, "a2");
    COXTreeItem* copy = t.root.CopySubtree(a, a->Handle(), TRUE);
    EXPECT_EQ(Children(t.root), "a a");
    EXPECT_EQ(Children(*copy), "a1 a2");
    EXPECT_EQ(copy->m_tvi.hItem, copy->Handle());
    EXPECT_EQ(copy->GetSubItemText(1), "col1");
    EXPECT_NE(copy->GetSubItem(1), a->GetSubItem(1));
    EXPECT_EQ(copy->GetTextColor(0), RGB(9, 9, 9));
    EXPECT_NE(copy->m_tvi.pszText, a->m_tvi.pszText);
    // Into its own subtree: the copy holds what was there, no more.
    COXTreeItem* inner = a->CopySubtree(a, NULL, TRUE);
    EXPECT_EQ(Children(*a), "a1 a2 a");
    EXPECT_EQ(Children(*inner), "a1 a2");
}

} // namespace
