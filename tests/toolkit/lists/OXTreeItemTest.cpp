// The tree's item model without a window: links, sorted insertion, sorting
// around items whose text the owner gives, columns, copies, and the rows of
// a list kept equal to the displayed items after every expansion.
#include <afxwin.h>
#include <gtest/gtest.h>

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
