// tree_bench: the multi-column tree where a user waits on it, on 100,100
// items (100 top-level items of 100 children of 9 children each, two
// sub-item columns), each figure beside a floor measured in the same run:
//  - every item expanded, depth first, under the tree's redraw lock, beside
//    a plain report list given the same rows in display order with its
//    drawing off;
//  - every level sorted while expanded, beside that fill plus a stable sort
//    of the same sibling texts with the same comparison;
//  - a page scrolled down and repainted, beside the plain list's.
// usage: tree_bench [top middle leaves]   (default 100 100 9)
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <afxcmn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchSupport.h"
#include "OXTreeCtrl.h"

namespace {

CBenchApp theBenchApp("PellucorTreeBench");

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A keyword-like text that sorts in no particular order.
CString Word(unsigned& seed)
{
    static const char* syllables[] = {"ka", "lo", "mi", "ne", "su", "ta", "ri", "po", "ve", "zu", "da", "ge"};
    CString s;
    const int n = 2 + (int)((seed >> 7) % 3);
    for (int i = 0; i < n; i++) {
        seed = seed * 1103515245u + 12345u;
        s += syllables[(seed >> 16) % 12];
    }
    return s;
}

struct Node
{
    CString text, sub1, sub2;
    std::vector<Node> children;
};

// The rows in display order: every node, depth first.
void Flatten(const std::vector<Node>& nodes, std::vector<const Node*>& rows)
{
    for (const Node& n : nodes) {
        rows.push_back(&n);
        Flatten(n.children, rows);
    }
}

void InsertNodes(COXTreeCtrl& tree, const std::vector<Node>& nodes, HTREEITEM hParent, std::vector<HTREEITEM>& order)
{
    for (const Node& n : nodes) {
        HTREEITEM h = tree.InsertItem(n.text, hParent);
        tree.SetItemText(h, n.sub1, 1);
        tree.SetItemText(h, n.sub2, 2);
        order.push_back(h);
        InsertNodes(tree, n.children, h, order);
    }
}

// Every sibling group's texts sorted the way the tree sorts them.
void SortSiblingTexts(const std::vector<Node>& nodes)
{
    std::vector<CString> texts;
    texts.reserve(nodes.size());
    for (const Node& n : nodes)
        texts.push_back(n.text);
    std::stable_sort(texts.begin(), texts.end(), [](const CString& a, const CString& b) { return a.Collate(b) < 0; });
    for (const Node& n : nodes)
        SortSiblingTexts(n.children);
}

// One page down, repainted; the median of several pages.
double PageScrollMs(CListCtrl& list)
{
    list.EnsureVisible(0, FALSE);
    list.UpdateWindow();
    std::vector<double> times;
    for (int i = 0; i < 15; i++) {
        const double t0 = Now();
        list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        list.UpdateWindow();
        times.push_back(Now() - t0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWNORMAL))
        return 1;
    const int nTop = argc > 3 ? atoi(argv[1]) : 100, nMid = argc > 3 ? atoi(argv[2]) : 100,
              nLeaf = argc > 3 ? atoi(argv[3]) : 9;

    unsigned seed = 12345;
    std::vector<Node> roots(nTop);
    for (Node& a : roots) {
        a.text = Word(seed);
        a.children.resize(nMid);
        for (Node& b : a.children) {
            b.text = Word(seed);
            b.children.resize(nLeaf);
            for (Node& c : b.children)
                c.text = Word(seed);
        }
    }
    std::vector<const Node*> rows;
    Flatten(roots, rows);
    for (const Node* n : rows) {
        const_cast<Node*>(n)->sub1.Format("%u", (unsigned)(n - rows[0]) * 7919u % 100000u);
        const_cast<Node*>(n)->sub2 = "broad";
    }
    printf("tree_bench: %d x %d x %d = %d items, 3 columns\n", nTop, nMid, nLeaf, (int)rows.size());

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "tree bench", WS_POPUP | WS_VISIBLE,
                  CRect(0, 0, 1000, 700), NULL, 0);

    // The floor: a plain report list filled with the same rows in display order.
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 490, 700), &host, 1);
    for (int c = 0; c < 3; c++)
        list.InsertColumn(c, c == 0 ? "Keyword" : c == 1 ? "Queries" : "Match", LVCFMT_LEFT, 150);
    auto fill = [&] {
        list.DeleteAllItems();
        list.SetRedraw(FALSE);
        for (int i = 0; i < (int)rows.size(); i++) {
            list.InsertItem(i, rows[i]->text);
            list.SetItemText(i, 1, rows[i]->sub1);
            list.SetItemText(i, 2, rows[i]->sub2);
        }
        list.SetRedraw(TRUE);
        list.UpdateWindow();
    };
    double t0 = Now();
    fill();
    const double fillMs = Now() - t0;

    COXTreeCtrl tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(500, 0, 1000, 700),
                &host, 2, TVXS_COLUMNHDR);
    tree.SetColumnWidth(0, 200);
    tree.InsertColumn(1, "Queries", LVCFMT_RIGHT, 120);
    tree.InsertColumn(2, "Match", LVCFMT_LEFT, 120);
    std::vector<HTREEITEM> order;
    t0 = Now();
    InsertNodes(tree, roots, TVI_ROOT, order);
    const double insertMs = Now() - t0;
    Pump();

    // Under the tree's redraw lock, as the plain list fills with its drawing off.
    t0 = Now();
    tree.SetRedraw(FALSE);
    for (HTREEITEM h : order)
        tree.Expand(h, TVE_EXPAND);
    tree.SetRedraw(TRUE);
    tree.UpdateWindow();
    const double expandMs = Now() - t0;
    Pump();
    if (tree.GetItemCount() != (int)rows.size())
        printf("!! the tree shows %d rows, not %d\n", tree.GetItemCount(), (int)rows.size());
    printf("%-40s %10.2f ms\n", "insert every item (collapsed)", insertMs);
    Report("expand all, depth first", expandMs, "plain list fill", fillMs);

    t0 = Now();
    SortSiblingTexts(roots);
    const double stableMs = Now() - t0;
    t0 = Now();
    tree.SortChildren(TVI_ROOT, 0, TRUE);
    tree.UpdateWindow();
    const double sortMs = Now() - t0;
    Pump();
    if (tree.GetItemCount() != (int)rows.size())
        printf("!! the sorted tree shows %d rows, not %d\n", tree.GetItemCount(), (int)rows.size());
    Report("sort every level, expanded", sortMs, "fill + stable_sort", fillMs + stableMs);

    const double listPage = PageScrollMs(list);
    const double treePage = PageScrollMs(tree);
    Report("page scroll, repainted", treePage, "plain list page", listPage);
    printf("   (a page under 16 ms: %s)\n", treePage < 16.0 ? "yes" : "no");

    tree.DestroyWindow();
    list.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
