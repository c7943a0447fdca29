// The multi-column tree under real messages: after every step the list rows
// are exactly the displayed items in depth-first order; notifications reach
// the parent as a tree control's would; geometry, drawing, keys, mouse and
// item tips are checked on a real window.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "OXTreeCtrl.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// What the parent heard, and how it answers.
struct CParentLog
{
    std::vector<std::pair<UINT, HTREEITEM>> notices;
    BOOL bVetoExpand = FALSE;
    std::string sCallbackText = "given";
    TVITEMA lastSetDisp = {};
    LRESULT nFlat = 0;
    LPSTR pszOwnText = NULL;   // answer with a pointer to the owner's own text
    int nOwnImage = -1;        // answer a callback image with this one
    UINT nImageAsks = 0;       // image fields asked for, all asks together
} g_log;

LRESULT CALLBACK TreeParentProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_NOTIFY) {
        NMHDR* pHdr = (NMHDR*)l;
        switch (pHdr->code) {
        case TVN_ITEMEXPANDINGA:
            g_log.notices.push_back({pHdr->code, ((NMTREEVIEWA*)l)->itemNew.hItem});
            return g_log.bVetoExpand;
        case TVN_ITEMEXPANDEDA:
            g_log.notices.push_back({pHdr->code, ((NMTREEVIEWA*)l)->itemNew.hItem});
            return 0;
        case TVN_DELETEITEMA:
            g_log.notices.push_back({pHdr->code, ((NMTREEVIEWA*)l)->itemOld.hItem});
            return 0;
        case TVN_SETDISPINFOA:
            g_log.notices.push_back({pHdr->code, ((NMTVDISPINFOA*)l)->item.hItem});
            g_log.lastSetDisp = ((NMTVDISPINFOA*)l)->item;
            return 0;
        case TVN_GETDISPINFOA: {
            NMTVDISPINFOA* p = (NMTVDISPINFOA*)l;
            g_log.notices.push_back({pHdr->code, p->item.hItem});
            if ((p->item.mask & TVIF_TEXT) && g_log.pszOwnText != NULL)
                p->item.pszText = g_log.pszOwnText;
            else if ((p->item.mask & TVIF_TEXT) && p->item.pszText != NULL && p->item.cchTextMax > 0)
                lstrcpynA(p->item.pszText, g_log.sCallbackText.c_str(), p->item.cchTextMax);
            g_log.nImageAsks |= p->item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE);
            if (p->item.mask & TVIF_IMAGE)
                p->item.iImage = g_log.nOwnImage;
            if (p->item.mask & TVIF_SELECTEDIMAGE)
                p->item.iSelectedImage = g_log.nOwnImage;
            return 0;
        }
        default:
            return 0;
        }
    }
    if (m == WM_TREE_QUERYFLAT)
        return g_log.nFlat;
    if (m == WM_MEASUREITEM || m == WM_DRAWITEM) {
        // A plain parent passes owner drawing back to the control.
        HWND hCtl = m == WM_DRAWITEM ? ((DRAWITEMSTRUCT*)l)->hwndItem : ::GetDlgItem(h, (int)w);
        if (CWnd* p = CWnd::FromHandlePermanent(hCtl))
            return p->SendMessage(m + WM_REFLECT_BASE, w, l);
    }
    return ::DefWindowProcA(h, m, w, l);
}

class COXTreeCtrlTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        g_log = CParentLog();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TreeParentProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "OXTreeParent";
        ::RegisterClassA(&wc);
        m_hParent = ::CreateWindowExA(0, "OXTreeParent", "tree", WS_POPUP | WS_VISIBLE, 50, 50, 420, 320, NULL, NULL,
                                      NULL, NULL);
        ::SetActiveWindow(m_hParent);
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                                      TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS,
                                  CRect(10, 10, 400, 300), CWnd::FromHandle(m_hParent), 100,
                                  TVXS_COLUMNHDR | TVXS_MULTISEL));
        m_tree.SetColumnWidth(0, 160);
        m_tree.InsertColumn(1, "Queries", LVCFMT_LEFT, 80);
        m_tree.InsertColumn(2, "Trend", LVCFMT_RIGHT, 80);
    }
    void TearDown() override { ::DestroyWindow(m_hParent); }

    // The labels of the rows, in row order.
    std::string Rows()
    {
        std::string s;
        for (int i = 0; i < m_tree.GetItemCount(); i++) {
            COXTreeItem* p = m_tree.ItemOfRow(i);
            s += (s.empty() ? "" : " ") + std::string(p != NULL ? (LPCSTR)p->GetLabel() : "?");
        }
        return s;
    }
    // The displayed items, from the model alone.
    std::string Displayed()
    {
        std::string s;
        COXTreeItem* pRoot = m_tree.GetRoot();
        for (COXTreeItem* p = pRoot->GetFirstChild(); p != NULL; p = p->GetNextInOrder())
            if (p->IsVisible())
                s += (s.empty() ? "" : " ") + std::string((LPCSTR)p->GetLabel());
        return s;
    }
    HTREEITEM Add(const char* text, HTREEITEM hParent = TVI_ROOT, HTREEITEM hAfter = TVI_LAST)
    {
        return m_tree.InsertItem(text, hParent, hAfter);
    }
    // a (a1 (a11 a12) a2) b (b1) c
    void Build()
    {
        a = Add("a");
        a1 = Add("a1", a);
        a11 = Add("a11", a1);
        a12 = Add("a12", a1);
        a2 = Add("a2", a);
        b = Add("b");
        b1 = Add("b1", b);
        c = Add("c");
    }
    std::string Notices()
    {
        std::string s;
        for (auto& n : g_log.notices) {
            const char* what = n.first == TVN_ITEMEXPANDINGA  ? "expanding"
                               : n.first == TVN_ITEMEXPANDEDA ? "expanded"
                               : n.first == TVN_DELETEITEMA   ? "delete"
                               : n.first == TVN_SETDISPINFOA  ? "setdisp"
                               : n.first == TVN_GETDISPINFOA  ? "getdisp"
                                                              : "?";
            COXTreeItem* p = m_tree.ItemOf(n.second);
            std::string label = n.second == m_tree.GetRootItem() ? "root" : "";
            if (label.empty() && p != NULL && !IsBadReadPtr(p, sizeof(void*)))
                label = names[n.second];
            s += (s.empty() ? "" : " ") + std::string(what) + ":" + label;
        }
        g_log.notices.clear();
        return s;
    }
    CPoint CenterOf(HTREEITEM h)
    {
        CRect r;
        m_tree.GetItemRect(h, &r, TRUE);
        return r.CenterPoint();
    }
    void Name()
    {
        for (HTREEITEM h : {a, a1, a11, a12, a2, b, b1, c})
            names[h] = (LPCSTR)m_tree.GetItemText(h);
    }

    HWND m_hParent = NULL;
    COXTreeCtrl m_tree;
    HTREEITEM a, a1, a11, a12, a2, b, b1, c;
    std::map<HTREEITEM, std::string> names;
};

TEST_F(COXTreeCtrlTest, RowsFollowTheDisplayedItemsThroughEveryStep)
{
    Build();
    struct Step {
        const char* what;
        std::function<void(COXTreeCtrlTest*)> act;
        const char* rows;
    } steps[] = {
        {"inserted under collapsed parents", [](COXTreeCtrlTest*) {}, "a b c"},
        {"expand a", [](COXTreeCtrlTest* t) { t->m_tree.Expand(t->a, TVE_EXPAND); }, "a a1 a2 b c"},
        {"expand a1", [](COXTreeCtrlTest* t) { t->m_tree.Expand(t->a1, TVE_EXPAND); }, "a a1 a11 a12 a2 b c"},
        {"collapse a keeps a1 expanded", [](COXTreeCtrlTest* t) { t->m_tree.Expand(t->a, TVE_COLLAPSE); }, "a b c"},
        {"toggle a", [](COXTreeCtrlTest* t) { t->m_tree.Expand(t->a, TVE_TOGGLE); }, "a a1 a11 a12 a2 b c"},
        {"hide a1", [](COXTreeCtrlTest* t) { t->m_tree.HideItem(t->a1, TRUE); }, "a a2 b c"},
        {"insert under the hidden a1", [](COXTreeCtrlTest* t) { t->Add("a13", t->a1); }, "a a2 b c"},
        {"show a1 again", [](COXTreeCtrlTest* t) { t->m_tree.HideItem(t->a1, FALSE); }, "a a1 a11 a12 a13 a2 b c"},
        {"sort a1's children descending", [](COXTreeCtrlTest* t) { t->m_tree.SortChildren(t->a1, 0, FALSE); },
         "a a1 a13 a12 a11 a2 b c"},
        {"and ascending", [](COXTreeCtrlTest* t) { t->m_tree.SortChildren(t->a1, 0, TRUE); },
         "a a1 a11 a12 a13 a2 b c"},
        {"insert sorted", [](COXTreeCtrlTest* t) { t->Add("bb", TVI_ROOT, TVI_SORT); }, "a a1 a11 a12 a13 a2 b bb c"},
        {"insert first", [](COXTreeCtrlTest* t) { t->Add("0", TVI_ROOT, TVI_FIRST); }, "0 a a1 a11 a12 a13 a2 b bb c"},
        {"delete a1", [](COXTreeCtrlTest* t) { t->m_tree.DeleteItem(t->a1); }, "0 a a2 b bb c"},
        {"ensure b1 visible", [](COXTreeCtrlTest* t) { t->m_tree.EnsureVisible(t->b1); }, "0 a a2 b b1 bb c"},
        {"hide b, then ensure b1", [](COXTreeCtrlTest* t) {
             t->m_tree.HideItem(t->b, TRUE);
             t->m_tree.EnsureVisible(t->b1);
         }, "0 a a2 b b1 bb c"},
        {"sort the root descending", [](COXTreeCtrlTest* t) { t->m_tree.SortChildren(TVI_ROOT, 0, FALSE); },
         "c bb b b1 a a2 0"},
        {"collapse-reset b", [](COXTreeCtrlTest* t) { t->m_tree.Expand(t->b, TVE_COLLAPSE | TVE_COLLAPSERESET); },
         "c bb b a a2 0"},
        {"delete all", [](COXTreeCtrlTest* t) { t->m_tree.DeleteAllItems(); }, ""},
    };
    for (auto& s : steps) {
        s.act(this);
        EXPECT_EQ(Rows(), s.rows) << s.what;
        EXPECT_EQ(Rows(), Displayed()) << s.what;
    }
}

// A sort moves the items, not the marks of the rows: the selection, the
// focus and a state image stay with their items.
TEST_F(COXTreeCtrlTest, SortingKeepsEachItemsSelectionAndMarks)
{
    Build();
    m_tree.Expand(a, TVE_EXPAND);
    m_tree.Expand(a1, TVE_EXPAND);
    m_tree.SelectItem(a12);
    m_tree.SetItemState(b, INDEXTOSTATEIMAGEMASK(2), TVIS_STATEIMAGEMASK);
    ASSERT_EQ(Rows(), "a a1 a11 a12 a2 b c");
    m_tree.SortChildren(TVI_ROOT, 0, FALSE);
    EXPECT_EQ(Rows(), "c b a a2 a1 a12 a11");
    EXPECT_EQ(Rows(), Displayed());
    EXPECT_EQ(m_tree.GetSelectedItem(), a12);
    EXPECT_EQ(m_tree.GetSelectedCount(), 1u);
    EXPECT_EQ(m_tree.CListCtrl::GetNextItem(-1, LVNI_FOCUSED), m_tree.RowOf(a12));
    EXPECT_EQ(m_tree.GetItemState(b, TVIS_STATEIMAGEMASK), (UINT)INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(m_tree.GetItemState(c, TVIS_STATEIMAGEMASK), 0u);
}

TEST_F(COXTreeCtrlTest, DeletionAnnouncesEveryItemDeepestFirstAndKeepsTheCount)
{
    Build();
    Name();
    EXPECT_EQ(m_tree.GetCount(), 8u);
    m_tree.Expand(a, TVE_EXPAND);
    g_log.notices.clear();
    EXPECT_TRUE(m_tree.DeleteItem(a1));
    EXPECT_EQ(Notices(), "delete:a11 delete:a12 delete:a1");
    EXPECT_EQ(m_tree.GetCount(), 5u);
    m_tree.Expand(b, TVE_COLLAPSE | TVE_COLLAPSERESET);
    EXPECT_EQ(Notices(), "expanding:b delete:b1 expanded:b");
    EXPECT_EQ(m_tree.GetCount(), 4u);
    // The last child gone: its parent loses its expanded state.
    m_tree.DeleteItem(a2);
    EXPECT_EQ(m_tree.GetItemState(a, TVIS_EXPANDED), 0u);
    g_log.notices.clear();
    m_tree.DeleteAllItems();
    EXPECT_EQ(Notices(), "delete:a delete:b delete:c delete:root");
    EXPECT_EQ(m_tree.GetCount(), 0u);
}

TEST_F(COXTreeCtrlTest, ExpandRefusedByTheParentChangesNothing)
{
    Build();
    Name();
    g_log.bVetoExpand = TRUE;
    EXPECT_FALSE(m_tree.Expand(a, TVE_EXPAND));
    EXPECT_EQ(Notices(), "expanding:a");
    EXPECT_EQ(Rows(), "a b c");
    g_log.bVetoExpand = FALSE;
    EXPECT_TRUE(m_tree.SetItemState(a, TVIS_EXPANDED, TVIS_EXPANDED));
    EXPECT_EQ(Notices(), "expanding:a expanded:a");
    EXPECT_EQ(Rows(), "a a1 a2 b c");
}

TEST_F(COXTreeCtrlTest, NavigationCodes)
{
    Build();
    m_tree.Expand(a, TVE_EXPAND);
    m_tree.SelectItem(a2);
    struct {
        HTREEITEM hItem;
        UINT nCode;
        HTREEITEM expected;
    } cases[] = {
        {a1, TVGN_ROOT, a1},         {a, TVGN_ROOT, a},
        {a1, TVGN_NEXT, a2},         {a2, TVGN_NEXT, NULL},
        {a2, TVGN_PREVIOUS, a1},     {a1, TVGN_PARENT, a},
        {a, TVGN_PARENT, m_tree.GetRootItem()},
        {a, TVGN_CHILD, a1},         {c, TVGN_CHILD, NULL},
        {NULL, TVGN_FIRSTVISIBLE, a},
        {a2, TVGN_NEXTVISIBLE, b},   {a1, TVGN_NEXTVISIBLE, a2},
        {a11, TVGN_NEXTVISIBLE, a2}, // no row: the next item that has one
        {b, TVGN_PREVIOUSVISIBLE, a2},
        {NULL, TVGN_CARET, a2},      {NULL, 0x30, a2},
        {a2, 0x31, NULL},            {TVI_FIRST, TVGN_CHILD, NULL},
        {a, 0x77, NULL},
    };
    for (auto& k : cases)
        EXPECT_EQ(m_tree.GetNextItem(k.hItem, k.nCode), k.expected) << "code " << k.nCode;
    // The focused row's item, but no longer selected: no caret.
    m_tree.SetItemState(a2, 0, TVIS_SELECTED);
    EXPECT_EQ(m_tree.GetNextItem((HTREEITEM)NULL, TVGN_CARET), (HTREEITEM)NULL);
    EXPECT_EQ(m_tree.GetItemState(a11, TVIS_SELECTED), 0u);
    EXPECT_TRUE(m_tree.IsAncestor(a, a11));
    EXPECT_FALSE(m_tree.IsAncestor(a11, a));
}

TEST_F(COXTreeCtrlTest, StateChangesKeepToTheirMaskAndCallbacksNotifyACopy)
{
    Build();
    Name();
    // Only the masked bits change; an overlay stays the overlay asked.
    m_tree.SetItemState(c, INDEXTOOVERLAYMASK(2) | TVIS_BOLD | TVIS_CUT, 0x0F00 | TVIS_CUT);
    TVITEMA tvi = {};
    tvi.hItem = c;
    tvi.mask = TVIF_STATE;
    tvi.stateMask = 0xFFFF;
    m_tree.GetItem(&tvi);
    EXPECT_EQ(tvi.state & 0x0F00, (UINT)INDEXTOOVERLAYMASK(2));
    EXPECT_EQ(tvi.state & TVIS_BOLD, 0u);
    EXPECT_NE(tvi.state & TVIS_CUT, 0u);
    EXPECT_EQ(m_tree.GetItemState(c, LVIS_CUT), (UINT)TVIS_CUT);
    EXPECT_NE(ListView_GetItemState(m_tree.m_hWnd, m_tree.RowOf(c), LVIS_CUT), 0u);

    // A callback image: the owner hears of it, the caller's record keeps its
    // mask, and the row still gets the text change asked with it.
    TVITEMA set = {};
    set.hItem = b;
    set.mask = TVIF_IMAGE | TVIF_TEXT | TVIF_STATE;
    set.iImage = I_IMAGECALLBACK;
    set.pszText = (LPSTR) "beta";
    set.state = set.stateMask = TVIS_CUT;
    EXPECT_TRUE(m_tree.SetItem(&set));
    EXPECT_EQ(set.mask, (UINT)(TVIF_IMAGE | TVIF_TEXT | TVIF_STATE));
    EXPECT_EQ(g_log.lastSetDisp.mask, (UINT)TVIF_IMAGE);
    EXPECT_EQ(m_tree.GetItemText(b), "beta");
    EXPECT_NE(ListView_GetItemState(m_tree.m_hWnd, m_tree.RowOf(b), LVIS_CUT), 0u);
    Notices();

    // A callback text is asked from the parent, whatever its length.
    EXPECT_TRUE(m_tree.SetItemText(c, LPSTR_TEXTCALLBACK));
    EXPECT_EQ(Notices(), "setdisp:c");
    g_log.sCallbackText = std::string(700, 'x');
    EXPECT_EQ(m_tree.GetItemText(c).GetLength(), 700);
    // A short buffer is cut and terminated; a NULL text reads as empty.
    char buf[4] = {'?', '?', '?', '?'};
    TVITEMA get = {};
    get.hItem = a;
    get.mask = TVIF_TEXT;
    get.pszText = buf;
    get.cchTextMax = 2;
    m_tree.GetItem(&get);
    EXPECT_STREQ(buf, "a");
    get.cchTextMax = 1;
    m_tree.GetItem(&get);
    EXPECT_STREQ(buf, "");
    TVITEMA none = {};
    none.hItem = a;
    none.mask = TVIF_TEXT;   // no buffer at all
    EXPECT_TRUE(m_tree.GetItem(&none));
    none.pszText = NULL;
    EXPECT_TRUE(m_tree.SetItem(&none));
    EXPECT_EQ(m_tree.GetItemText(a), "");
    none.mask = TVIF_PARAM;   // no text asked: pszText is not read
    none.pszText = (LPSTR)1;
    EXPECT_TRUE(m_tree.SetItem(&none));
}

// An owner may answer with a pointer to a text of its own: read whole, and
// never written, however often the rows are painted.
TEST_F(COXTreeCtrlTest, AnOwnersOwnTextIsReadAndLeftAlone)
{
    Build();
    const std::string own(400, 'o');
    std::vector<char> text(own.begin(), own.end());
    text.push_back('\0');
    g_log.pszOwnText = text.data();
    ASSERT_TRUE(m_tree.SetItemText(c, LPSTR_TEXTCALLBACK));
    m_tree.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(std::string(m_tree.GetItemText(c)), own);
    char buf[8] = {};
    TVITEMA get = {};
    get.hItem = c;
    get.mask = TVIF_TEXT;
    get.pszText = buf;
    get.cchTextMax = sizeof buf;
    ASSERT_TRUE(m_tree.GetItem(&get));
    EXPECT_EQ(get.pszText, text.data());
    EXPECT_EQ(std::string(text.data()), own);
}

// Handles that name no place for an item, and columns past the last, are
// refused without touching anything.
TEST_F(COXTreeCtrlTest, PlacesAndColumnsThatDoNotExistAreRefused)
{
    Build();
    for (HTREEITEM hAfter : {TVI_ROOT, a1}) {   // a1 is no child of the root
        EXPECT_EQ(m_tree.InsertItem("x", TVI_ROOT, hAfter), (HTREEITEM)NULL);
        EXPECT_FALSE(m_tree.CopyItem(c, TVI_ROOT, hAfter));
        EXPECT_FALSE(m_tree.MoveItem(c, TVI_ROOT, hAfter));
    }
    EXPECT_EQ(m_tree.GetCount(), 8u);
    EXPECT_EQ(Rows(), "a b c");
    EXPECT_NE(m_tree.InsertItem("x", TVI_ROOT, b), (HTREEITEM)NULL);
    EXPECT_EQ(Rows(), "a b x c");

    // Three columns; a cell may hold a sub-item beyond them.
    m_tree.SetItemText(a, "two", 2);
    m_tree.SetItemText(a, "four", 4);
    EXPECT_FALSE(m_tree.DeleteColumn(3));
    EXPECT_EQ(m_tree.GetItemText(a, 2), "two");
    EXPECT_EQ(m_tree.GetItemText(a, 4), "four");
    EXPECT_TRUE(m_tree.DeleteColumn(1));
    EXPECT_EQ(m_tree.GetItemText(a, 1), "two");

    // A row height set before the window exists is only stored, with no
    // call on a window that is not there (such a call would leave its error
    // behind), and is the one the list measures with once it exists.
    COXTreeCtrl early;
    ::SetLastError(ERROR_SUCCESS);
    EXPECT_TRUE(early.SetItemHeight(40));
    EXPECT_EQ(::GetLastError(), (DWORD)ERROR_SUCCESS) << "a call on no window";
    EXPECT_EQ(early.GetItemHeight(), 40);
    ASSERT_TRUE(early.Create(WS_CHILD, CRect(0, 0, 100, 100), CWnd::FromHandle(m_hParent), 102, 0));
    CRect rectRow;
    ASSERT_TRUE(early.GetItemRect(early.InsertItem("y"), &rectRow, FALSE));
    EXPECT_EQ(rectRow.Height(), 40);
    EXPECT_EQ(early.GetItemHeight(), 40);
}

// Column 0's image comes from the owner when it keeps it, for drawing and
// for measuring alike; images sit centred in their row; a highlighted
// sub-item's image is blended over the highlight's colour.
TEST_F(COXTreeCtrlTest, ImagesAreAskedForCentredAndBlended)
{
    Build();
    CImageList images;   // 16 x 8: 0 blue, 1 green
    ASSERT_TRUE(images.Create(16, 8, ILC_COLOR32, 2, 0));
    for (COLORREF clr : {kBlue, kGreen}) {
        CPixelCanvas strip(16, 8, clr);
        CBitmap bmp;
        bmp.Attach(::CreateCompatibleBitmap(strip.dc.m_hDC, 16, 8));
        CDC dc;
        dc.CreateCompatibleDC(&strip.dc);
        CBitmap* pOld = dc.SelectObject(&bmp);
        dc.BitBlt(0, 0, 16, 8, &strip.dc, 0, 0, SRCCOPY);
        dc.SelectObject(pOld);
        images.Add(&bmp, (CBitmap*)NULL);
    }
    m_tree.SetImageList(&images, TVSIL_NORMAL);
    m_tree.SetItemHeight(24);
    ASSERT_TRUE(m_tree.SetItemImage(c, I_IMAGECALLBACK, I_IMAGECALLBACK));
    ASSERT_TRUE(m_tree.SetItemImage(c, 0, 0, 1));
    g_log.nOwnImage = 1;
    g_log.nImageAsks = 0;

    CRect rectRow, rectImage, rectLabel;
    int nIndent = -1;
    m_tree.GetItemRect(c, &rectRow, FALSE);
    ASSERT_EQ(rectRow.Height(), 24);
    ASSERT_TRUE(m_tree.GetItemPartRect(1, c, &rectImage, nIndent));
    EXPECT_EQ(rectImage.Width(), 16);
    m_tree.GetItemRect(c, &rectLabel, TRUE);
    EXPECT_EQ(rectLabel.left, rectImage.right);   // the label starts past the owner's image
    EXPECT_NE(g_log.nImageAsks & TVIF_IMAGE, 0u);

    ::SetFocus(m_hParent);   // a highlight without the focus blends over button face
    auto draw = [&](CPixelCanvas& canvas, UINT nState) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.itemID = (UINT)m_tree.RowOf(c);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = nState;
        dis.hDC = canvas.dc.m_hDC;
        dis.rcItem = CRect(0, 0, rectRow.Width(), 24);
        m_tree.DrawItem(&dis);
    };
    const int x0 = rectImage.left - rectRow.left;
    CPixelCanvas plain(rectRow.Width(), 24, kRed);
    g_log.nImageAsks = 0;
    draw(plain, 0);
    EXPECT_EQ(g_log.nImageAsks, (UINT)TVIF_IMAGE);
    EXPECT_EQ(plain.Count(kGreen), 16 * 8);   // the owner's image, whole
    EXPECT_EQ(plain.At(x0 + 8, 8), kGreen);    // centred: rows 8 to 15
    EXPECT_EQ(plain.At(x0 + 8, 15), kGreen);
    EXPECT_EQ(plain.At(x0 + 8, 3), m_tree.GetTextBkColor());
    EXPECT_EQ(plain.At(160 + 8, 12), kBlue);   // the sub-item's, unblended
    EXPECT_EQ(plain.At(160 + 8, 3), m_tree.GetTextBkColor());

    m_tree.ModifyExStyle(0, TVXS_FULLROWSEL);
    CPixelCanvas selected(rectRow.Width(), 24, kRed);
    draw(selected, ODS_SELECTED);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(selected.At(160 + 8, 3), clrFace);
    EXPECT_EQ(selected.At(160 + 8, 20), clrFace);
    EXPECT_NE(selected.At(160 + 8, 12), clrFace);   // the image over it
    m_tree.SetImageList(NULL, TVSIL_NORMAL);
}

TEST_F(COXTreeCtrlTest, DropHighlightMovesAndNeverOutlivesItsItem)
{
    Build();
    m_tree.Expand(a, TVE_EXPAND);
    EXPECT_TRUE(m_tree.SelectDropTarget(a1));
    EXPECT_EQ(m_tree.m_pDropHilite, m_tree.ItemOf(a1));
    EXPECT_TRUE(m_tree.SelectDropTarget(b));
    EXPECT_EQ(m_tree.GetItemState(a1, TVIS_DROPHILITED), 0u);
    EXPECT_EQ(m_tree.GetDropHilightItem(), b);
    m_tree.SelectDropTarget(a11);   // no row: no highlight
    m_tree.Expand(a1, TVE_EXPAND);
    m_tree.SelectDropTarget(a12);
    m_tree.DeleteItem(a1);
    EXPECT_EQ(m_tree.m_pDropHilite, (COXTreeItem*)NULL);
    m_tree.SelectDropTarget(a2);
    m_tree.Expand(a, TVE_COLLAPSE | TVE_COLLAPSERESET);
    EXPECT_EQ(m_tree.m_pDropHilite, (COXTreeItem*)NULL);
    EXPECT_TRUE(m_tree.SelectDropTarget(b));   // a fresh highlight after all that
    EXPECT_TRUE(m_tree.SelectDropTarget(NULL));
    EXPECT_EQ(m_tree.GetDropHilightItem(), (HTREEITEM)NULL);

    // Moved into another tree, where it is then deleted: the highlight went
    // with it, and the next one touches nothing of it.
    COXTreeCtrl other;
    ASSERT_TRUE(other.Create(WS_CHILD | TVS_HASBUTTONS, CRect(0, 0, 100, 100), CWnd::FromHandle(m_hParent), 101, 0));
    m_tree.Expand(b, TVE_EXPAND);
    ASSERT_TRUE(m_tree.SelectDropTarget(b1));
    EXPECT_TRUE(m_tree.MoveItem(b, TVI_ROOT, TVI_LAST, &other));
    EXPECT_EQ(m_tree.m_pDropHilite, (COXTreeItem*)NULL);
    EXPECT_TRUE(other.DeleteItem(b));
    EXPECT_TRUE(m_tree.SelectDropTarget(c));
    EXPECT_EQ(m_tree.GetDropHilightItem(), c);
}

TEST_F(COXTreeCtrlTest, CellsColumnsAndSorting)
{
    Build();
    m_tree.SetItemText(a, "12", 1);
    m_tree.SetItemText(a, "up", 2);
    m_tree.SetItemText(b, "3", 1);
    EXPECT_EQ(m_tree.GetItemText(a, 1), "12");
    EXPECT_EQ(m_tree.GetItemText(c, 1), "");
    EXPECT_FALSE(m_tree.SetItemTextColor(c, RGB(1, 2, 3), 1));   // no sub-item there
    EXPECT_TRUE(m_tree.SetItemTextColor(a, RGB(1, 2, 3), 1));
    EXPECT_EQ(m_tree.GetItemTextColor(a, 1), RGB(1, 2, 3));
    EXPECT_EQ(m_tree.GetItemTextColor(c), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_TRUE(m_tree.GetItemChoices(c, 5) != NULL);
    EXPECT_EQ(m_tree.GetItemChoices(c, 5)->GetSize(), 0);
    // Deleting column 1 renumbers column 2 everywhere.
    EXPECT_TRUE(m_tree.DeleteColumn(1));
    EXPECT_EQ(m_tree.GetColumnCount(), 2);
    EXPECT_EQ(m_tree.GetItemText(a, 1), "up");
    // Sorting a collapsed parent leaves the rows alone.
    Add("a0", a);
    m_tree.SortChildren(a, 0, TRUE);
    EXPECT_EQ(Rows(), "a b c");
    m_tree.Expand(a, TVE_EXPAND);
    EXPECT_EQ(Rows(), "a a0 a1 a2 b c");
    m_tree.SortChildren(a, 0, FALSE);
    EXPECT_EQ(Rows(), "a a2 a1 a0 b c");
    EXPECT_EQ(m_tree.GetSortColumn(), 0);
    EXPECT_EQ(m_tree.GetSortOrder(), -1);
    m_tree.SetIndent(5);
    EXPECT_EQ(m_tree.GetIndent(), 15u);
    m_tree.DeleteAllItems();
    EXPECT_EQ(m_tree.GetColumnFitWidth(0), 6);
}

TEST_F(COXTreeCtrlTest, CopyAndMoveKeepTheRowsOfBothTrees)
{
    Build();
    COXTreeCtrl other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 100, 100),
                             CWnd::FromHandle(m_hParent), 101, 0));
    HTREEITEM x = other.InsertItem("x");
    HTREEITEM hCopy = NULL;
    EXPECT_FALSE(m_tree.CopyItem(a, a1));   // into its own subtree
    EXPECT_TRUE(m_tree.CopyItem(a, TVI_ROOT, TVI_LAST, TRUE, &hCopy));
    EXPECT_EQ(Rows(), "a b c a");
    m_tree.Expand(hCopy, TVE_EXPAND);
    EXPECT_EQ(Rows(), "a b c a a1 a2");
    EXPECT_EQ(m_tree.GetCount(), 13u);
    EXPECT_EQ(Rows(), Displayed());

    EXPECT_FALSE(m_tree.MoveItem(a, a11));
    EXPECT_TRUE(m_tree.MoveItem(hCopy, TVI_ROOT, TVI_FIRST, &other));
    EXPECT_EQ(Rows(), "a b c");
    std::string otherRows;
    for (int i = 0; i < other.GetItemCount(); i++)
        otherRows += std::string(i ? " " : "") + (LPCSTR)other.ItemOfRow(i)->GetLabel();
    EXPECT_EQ(otherRows, "a a1 a2 x");
    EXPECT_EQ(m_tree.GetCount(), 8u);
    EXPECT_EQ(other.GetCount(), 6u);
    EXPECT_TRUE(m_tree.MoveItem(c, TVI_ROOT, TVI_FIRST));
    EXPECT_EQ(Rows(), "c a b");
    (void)x;
    other.DestroyWindow();
}

TEST_F(COXTreeCtrlTest, TheFlatQueryIsNotTheDockFramesMessage)
{
    EXPECT_NE(WM_TREE_QUERYFLAT, (UINT)(WM_USER + 92));
    Build();
    EXPECT_EQ(m_tree.GetItemIndent(a), 15);
    g_log.nFlat = 1;
    EXPECT_EQ(m_tree.GetItemIndent(a11), 15);   // flat: one indent at every depth
    g_log.nFlat = 0;
    EXPECT_EQ(m_tree.GetItemIndent(a11), 45);
    m_tree.ModifyStyle(TVS_LINESATROOT, 0);
    EXPECT_EQ(m_tree.GetItemIndent(a), 0);
    EXPECT_EQ(m_tree.GetItemIndent(a11), 30);
}

// The button's hit area is the square drawn, edges included.
TEST_F(COXTreeCtrlTest, HitTestFindsEveryPartOfARow)
{
    Build();
    CRect rectButton, rectLabel, rectRow;
    int nIndent = -1;
    ASSERT_TRUE(m_tree.GetItemPartRect(0, a, &rectButton, nIndent));
    m_tree.GetItemRect(a, &rectLabel, TRUE);
    m_tree.GetItemRect(a, &rectRow, FALSE);
    EXPECT_GE(rectButton.Width(), 9);
    EXPECT_EQ(rectButton.Width(), rectButton.Height());
    struct {
        CPoint pt;
        UINT flags;
    } cases[] = {
        {rectButton.TopLeft(), 0x56},
        {CPoint(rectButton.right - 1, rectButton.bottom - 1), 0x56},
        {CPoint(rectButton.left - 1, rectButton.top), 0x446},
        {rectLabel.CenterPoint(), 0x46},
        {CPoint(rectLabel.right + 5, rectLabel.top + 1), 0x446},
        {CPoint(rectRow.right + 5, rectLabel.top + 1), TVHT_NOWHERE},
        {CPoint(30, 250), TVHT_NOWHERE},
        {CPoint(-5, 5), TVHT_TOLEFT},
        {CPoint(5, 400), TVHT_BELOW},
    };
    for (auto& k : cases) {
        UINT flags = 0;
        m_tree.HitTest(k.pt, &flags);
        EXPECT_EQ(flags, k.flags) << k.pt.x << "," << k.pt.y;
    }
    // c has no children: no button to hit.
    CRect rectC;
    m_tree.GetItemRect(c, &rectC, FALSE);
    UINT flags = 0;
    m_tree.HitTest(CPoint(rectButton.CenterPoint().x, rectC.CenterPoint().y), &flags);
    EXPECT_EQ(flags, 0x446u);
    // The square for a row of 17 pixels and for a tall one.
    EXPECT_EQ(COXTreeCtrl::ButtonRect(CRect(0, 0, 15, 17)), CRect(3, 4, 12, 13));
    EXPECT_EQ(COXTreeCtrl::ButtonRect(CRect(0, 0, 30, 30)), CRect(8, 8, 23, 23));
}

TEST_F(COXTreeCtrlTest, ClicksOnButtonsAndLabels)
{
    Build();
    CRect rectButton;
    int nIndent = -1;
    m_tree.GetItemPartRect(0, a, &rectButton, nIndent);
    const CPoint pt = rectButton.CenterPoint();
    m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(Rows(), "a a1 a2 b c");
    EXPECT_EQ(m_tree.GetSelectedItem(), (HTREEITEM)NULL);   // the button does not select
    const CPoint ptB = CenterOf(b);
    m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptB.x, ptB.y));
    m_tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptB.x, ptB.y));
    EXPECT_EQ(m_tree.GetSelectedItem(), b);
    m_tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(ptB.x, ptB.y));
    m_tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptB.x, ptB.y));
    EXPECT_EQ(Rows(), "a a1 a2 b b1 c");
}

TEST_F(COXTreeCtrlTest, KeysExpandCollapseAndTypeAheadSearchesCharacters)
{
    Build();
    Add("Zeta");
    Add("zoo");
    m_tree.SetFocus();
    m_tree.SelectItem(a);
    m_tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(Rows(), "a a1 a2 b c Zeta zoo");
    m_tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(m_tree.GetSelectedItem(), a1);
    m_tree.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(m_tree.GetSelectedItem(), a);
    EXPECT_EQ(m_tree.GetSearchText(), "");   // arrows never search
    m_tree.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(Rows(), "a b c Zeta zoo");
    m_tree.SendMessage(WM_KEYDOWN, VK_LEFT, 0);   // a top-level item: nothing selected
    EXPECT_EQ(m_tree.GetSelectedItem(), (HTREEITEM)NULL);
    m_tree.SelectItem(a);

    // Characters, not key codes, and either case.
    m_tree.SendMessage(WM_CHAR, 'z', 0);
    EXPECT_EQ(m_tree.GetSelectedItem(), m_tree.GetNextSiblingItem(c));
    m_tree.SendMessage(WM_CHAR, 'O', 0);
    EXPECT_EQ(m_tree.GetSearchText(), "zO");
    EXPECT_EQ((LPCSTR)m_tree.GetItemText(m_tree.GetSelectedItem()), std::string("zoo"));
    // Delete carries no character: no search.
    m_tree.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(m_tree.GetSearchText(), "zO");
    EXPECT_TRUE(PumpUntil([&] { return m_tree.GetSearchText().IsEmpty(); }, kWaitMs));
    m_tree.SendMessage(WM_CHAR, 'b', 0);
    EXPECT_EQ(m_tree.GetSelectedItem(), b);
    // Folding follows the code page: an accented capital finds its small letter.
    EXPECT_EQ(COXTreeCtrl::FoldForSearch("\xe9t\xe9"), COXTreeCtrl::FoldForSearch("\xc9T\xc9"));
}

// Cyrillic in code page 1251: the fold is the code page's own (ё and я have
// capitals there, while the same bytes in 1252 are a cedilla and ÿ), and a
// letter typed on the keyboard reaches the search as its 1251 character.
TEST_F(COXTreeCtrlTest, TypeAheadFindsCyrillicTextsInTheirCodePage)
{
    struct {
        const char* text;
        UINT cp;
        const char* folded;
    } folds[] = {
        {"\xB8\xEB\xEA\xE0", 1251, "\xA8\xCB\xCA\xC0"},   // ёлка
        {"\xFF\xE6", 1251, "\xDF\xC6"},                       // яж
        {"\xB8", 1252, "\xB8"},                                 // a cedilla has no capital
        {"\xE9t\xE9", 1252, "\xC9T\xC9"},
        {"", 1251, ""},
    };
    for (auto& k : folds)
        EXPECT_EQ(std::string((LPCSTR)COXTreeCtrl::FoldForSearch(k.text, k.cp)), k.folded) << k.text << " in " << k.cp;

    // The test programs run in code page 1251, as the program's users do.
    ASSERT_EQ(::GetACP(), 1251u);
    Add("Ёлка");
    HTREEITEM hPhoto = Add("фото");
    HTREEITEM hPhrases = Add("Фразы");
    Add("Яблоко");
    m_tree.SetFocus();
    m_tree.SelectItem(m_tree.GetChildItem(TVI_ROOT));
    // Typed as a user types: Unicode key strokes the system turns into the
    // window's characters.
    auto type = [&](const wchar_t* keys, const std::function<bool()>& done) {
        TypeOnKeyboard(keys);
        PumpUntil(done, kWaitMs);
    };
    ASSERT_EQ(::GetFocus(), m_tree.m_hWnd);
    type(L"\x0444", [&] { return m_tree.GetSearchText() == "ф"; });   // ф
    EXPECT_EQ(m_tree.GetSearchText(), "ф");
    EXPECT_EQ(m_tree.GetSelectedItem(), hPhoto);
    type(L"\x0420", [&] { return m_tree.GetSelectedItem() == hPhrases; });   // Р: "фР" is the start of "Фразы"
    EXPECT_EQ(m_tree.GetSelectedItem(), hPhrases);
    EXPECT_TRUE(PumpUntil([&] { return m_tree.GetSearchText().IsEmpty(); }, kWaitMs));
    type(L"\x0451", [&] { return m_tree.GetSelectedItem() != hPhrases; });   // ё
    EXPECT_EQ((LPCSTR)m_tree.GetItemText(m_tree.GetSelectedItem()), std::string("Ёлка"));
}

// The tree's own item tip under the real mouse: hovering a cut-off label
// shows the whole text over the cell, and a click on the tip is the tree's.
TEST_F(COXTreeCtrlTest, ItemTipOverACutOffCellShowsAndPassesTheClick)
{
    const char kLong[] = "a keyword phrase far too long for its column";
    Build();
    HTREEITEM hLong = Add(kLong);
    m_tree.SetColumnWidth(0, 70);
    m_tree.ModifyExStyle(0, TVXS_ITEMTIPS);
    ::SetForegroundWindow(m_hParent);
    ::SetActiveWindow(m_hParent);
    PumpMessagesFor(20);
    // Messages as the program's own loop handles them, pre-translated first,
    // until what is waited for has happened.
    auto pumpUntil = [](const std::function<bool()>& done) {
        const ULONGLONG end = ::GetTickCount64() + kWaitMs;
        while (!done() && ::GetTickCount64() < end) {
            MSG msg;
            while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                if (!AfxGetThread()->PreTranslateMessage(&msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageA(&msg);
                }
            ::Sleep(5);
        }
        return done();
    };
    auto cursorAt = [](CPoint screen) {
        return [screen] {
            CPoint pt;
            return ::GetCursorPos(&pt) && pt == screen;
        };
    };
    auto mouse = [](CPoint screen, DWORD dwFlags) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = (LONG)(screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
        in.mi.dy = (LONG)(screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
        ::SendInput(1, &in, sizeof in);
    };
    CRect rectLabel;
    m_tree.GetItemRect(hLong, &rectLabel, TRUE);
    CPoint pt(rectLabel.left + 20, rectLabel.CenterPoint().y);
    m_tree.ClientToScreen(&pt);
    CWnd& tip = m_tree.m_itemTip.GetTipWnd();
    mouse(CPoint(pt.x + 5, pt.y + 40), 0);
    pumpUntil(cursorAt(CPoint(pt.x + 5, pt.y + 40)));
    mouse(pt, 0);
    // The tip is up once it shows and is the window at its own place.
    CRect rectTip, rectCell;
    ASSERT_TRUE(pumpUntil([&] {
        if (tip.GetSafeHwnd() == NULL || !tip.IsWindowVisible())
            return false;
        tip.GetWindowRect(&rectTip);
        return ::WindowFromPoint(CPoint(rectTip.left + 40, rectTip.CenterPoint().y)) == tip.GetSafeHwnd();
    })) << "no tip";
    m_tree.GetItemRect(hLong, &rectCell, TRUE);
    m_tree.ClientToScreen(&rectCell);
    EXPECT_NEAR(rectTip.left, rectCell.left, 3);   // its text over the cell's
    EXPECT_NEAR(rectTip.top, rectCell.top, 3);
    CClientDC dc(&m_tree);
    CFont* pOld = dc.SelectObject(m_tree.GetFont());
    EXPECT_GE(rectTip.Width(), dc.GetTextExtent(kLong).cx);   // the whole text, not the cell's 70 pixels
    dc.SelectObject(pOld);

    // A click on the tip reaches the tree beneath: the item is selected.
    EXPECT_NE(m_tree.GetSelectedItem(), hLong);
    const CPoint onTip(rectTip.left + 40, rectTip.CenterPoint().y);
    ASSERT_EQ(::WindowFromPoint(onTip), tip.GetSafeHwnd());
    mouse(onTip, 0);
    pumpUntil(cursorAt(onTip));
    mouse(onTip, MOUSEEVENTF_LEFTDOWN);
    mouse(onTip, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(pumpUntil([&] { return m_tree.GetSelectedItem() == hLong; })) << "the click did not select";
    // The mouse gone from the cell, the tip goes too.
    mouse(CPoint(5, 5), 0);
    EXPECT_TRUE(pumpUntil([&] { return !tip.IsWindowVisible(); })) << "the tip stayed";
}

// The dragged picture: column 0 of the item's row, or of every selected row
// one under the other, with the list's background masked out.
TEST_F(COXTreeCtrlTest, DragImageDrawsColumnZeroOfTheDraggedRows)
{
    Build();
    m_tree.Expand(a, TVE_EXPAND);   // a a1 a2 b c
    CRect rectRow;
    m_tree.GetItemRect(a, &rectRow, FALSE);
    const int cyRow = rectRow.Height();
    EXPECT_EQ(m_tree.CreateDragImage(a11, FALSE), (CImageList*)NULL);   // under a collapsed a1: no row

    m_tree.SetItemState(a1, TVIS_SELECTED, TVIS_SELECTED);
    m_tree.SetItemState(b, TVIS_SELECTED, TVIS_SELECTED);
    m_tree.SetItemState(c, TVIS_SELECTED, TVIS_SELECTED);
    struct {
        const char* what;
        BOOL bMultiple;
        int nRows;
    } cases[] = {{"the item alone", FALSE, 1}, {"every selected row", TRUE, 3}};
    for (auto& k : cases) {
        std::unique_ptr<CImageList> pList(m_tree.CreateDragImage(a1, k.bMultiple));
        ASSERT_TRUE(pList != nullptr) << k.what;
        EXPECT_EQ(pList->GetImageCount(), 1) << k.what;
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(pList->GetSafeHandle(), &cx, &cy);
        EXPECT_EQ(cx, 160) << k.what;   // column 0
        EXPECT_EQ(cy, k.nRows * cyRow) << k.what;
        // Drawn over red: the background lets the red through, each band's
        // label is there.
        CPixelCanvas canvas(cx, cy, kRed);
        pList->Draw(&canvas.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
        EXPECT_GT(canvas.Count(kRed), cx * cy / 2) << k.what;
        for (int nBand = 0; nBand < k.nRows; nBand++) {
            int nInk = 0;
            for (int y = nBand * cyRow; y < (nBand + 1) * cyRow; y++)
                for (int x = 0; x < cx; x++)
                    nInk += canvas.At(x, y) != kRed;
            EXPECT_GT(nInk, 4) << k.what << ", band " << nBand;   // even "c" leaves some
        }
    }
}

TEST_F(COXTreeCtrlTest, ButtonsDrawPlusAndMinus)
{
    CPixelCanvas canvas(20, 20, kRed);
    CDC* pDC = &canvas.dc;
    CPen pen(PS_SOLID, 1, kBlack);
    CPen* pOld = pDC->SelectObject(&pen);
    const CRect square(2, 2, 13, 13);
    m_tree.DrawItemButton(pDC, square, FALSE);
    const COLORREF clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(canvas.At(7, 4), clrText);   // the vertical bar of the plus
    EXPECT_EQ(canvas.At(4, 7), clrText);
    EXPECT_EQ(canvas.At(2, 2), kBlack);    // the frame
    EXPECT_EQ(canvas.At(15, 15), kRed);    // nothing outside
    m_tree.DrawItemButton(pDC, square, TRUE);
    EXPECT_NE(canvas.At(7, 4), clrText);   // a minus has no vertical bar
    EXPECT_EQ(canvas.At(4, 7), clrText);
    pDC->SelectObject(pOld);
}

TEST_F(COXTreeCtrlTest, ItemTipOnlyForCutOffCells)
{
    Build();
    m_tree.SetItemText(a, "A long text that the narrow column cannot show", 1);
    m_tree.SetItemText(b, "7", 1);
    CRect rectA, rectB;
    m_tree.GetItemRect(a, &rectA, FALSE);
    m_tree.GetItemRect(b, &rectB, FALSE);
    const int x = rectA.left + 160 + 40;
    OXITEMTIPINFO info = {};
    info.point = CPoint(x, rectA.CenterPoint().y);
    m_tree.SendMessage(WM_OX_GETITEMTIPINFO, 0, (LPARAM)&info);
    EXPECT_EQ(info.result, OXITEMTIP_SHOW);
    EXPECT_EQ(info.col, 1);
    EXPECT_STREQ(info.szText, "A long text that the narrow column cannot show");
    EXPECT_GT(info.rectItem.right - info.rectItem.left, 80);
    OXITEMTIPINFO fits = {};
    fits.point = CPoint(x, rectB.CenterPoint().y);
    m_tree.SendMessage(WM_OX_GETITEMTIPINFO, 0, (LPARAM)&fits);
    EXPECT_EQ(fits.result, OXITEMTIP_NOTHING);
    OXITEMTIPINFO empty = {};
    empty.point = CPoint(x, m_tree.GetItemCount() * rectA.Height() + 100);
    m_tree.SendMessage(WM_OX_GETITEMTIPINFO, 0, (LPARAM)&empty);
    EXPECT_EQ(empty.result, OXITEMTIP_NOITEM);
}

} // namespace
