// The shortcut bar's group list: item layout in both views, insertion marks,
// hit flags, scrolling, item states, renaming, and item drag and drop (the
// block's layout and its checks, malformed drops refused with the source
// item kept, a real drag within a list and between two lists).
#include <afxole.h>
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ByteFuzzer.h"
#include "OXSHBListCtrl.h"
#include "OXShortcutBar.h"
#include "testsupport.h"

static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

// Texts measured as 7 pixels a character, 13 high, wrapping at the width.
CSize FakeMeasure(const std::vector<int>& lengths, int nItem, int nWidth, UINT nFormat)
{
    int cx = lengths[nItem] * 7;
    if (cx == 0)
        return CSize(0, 0);
    if ((nFormat & DT_WORDBREAK) && cx > nWidth)
        return CSize(nWidth, 13 * ((cx + nWidth - 1) / nWidth));
    return CSize(cx, 13);
}

TEST(SHBListLayout, LargeIconsTable)
{
    std::vector<int> lengths = {5, 0, 40};
    auto items = COXSHBListCtrl::LayoutItems(CRect(0, 0, 100, 300), SHB_LARGEICON,
                                             {CSize(32, 32), CSize(32, 32), CSize(0, 0)},
                                             [&](int i, int w, UINT f) { return FakeMeasure(lengths, i, w, f); });
    ASSERT_EQ(3u, items.size());
    // Image 38 square centred; label 35 + 4 wide centred under it, 13 + 4 high.
    EXPECT_EQ(CRect(0, 2, 100, 57), items[0].rectItem);
    EXPECT_EQ(CRect(31, 0, 69, 38), items[0].rectImage);
    EXPECT_EQ(CRect(30, 38, 69, 55), items[0].rectLabel);
    // No text: the image alone; the next item 6 pixels below.
    EXPECT_EQ(CRect(0, 63, 100, 101), items[1].rectItem);
    EXPECT_TRUE(items[1].rectLabel.IsRectEmpty());
    // No image, a text wider than the list: the whole width, three lines.
    EXPECT_EQ(CRect(0, 107, 100, 150), items[2].rectItem);
    EXPECT_EQ(CRect(0, 0, 100, 43), items[2].rectLabel);
}

TEST(SHBListLayout, SmallIconsTable)
{
    std::vector<int> lengths = {3, 30, 2};
    auto items = COXSHBListCtrl::LayoutItems(CRect(0, 0, 120, 300), SHB_SMALLICON,
                                             {CSize(16, 16), CSize(0, 0), CSize(4, 4)},
                                             [&](int i, int w, UINT f) { return FakeMeasure(lengths, i, w, f); });
    // Image 22 high, label 17 high: the label moves down by half the difference.
    EXPECT_EQ(CRect(0, 0, 22, 22), items[0].rectImage);
    EXPECT_EQ(CRect(22, 2, 47, 19), items[0].rectLabel);
    EXPECT_EQ(CRect(0, 2, 120, 24), items[0].rectItem);
    // No image: 2 pixels in, cut at the list's right edge.
    EXPECT_EQ(CRect(2, 0, 120, 17), items[1].rectLabel);
    // A short image (10 high) centred on a taller label.
    EXPECT_EQ(CRect(0, 3, 10, 13), items[2].rectImage);
    EXPECT_EQ(CRect(10, 0, 28, 17), items[2].rectLabel);
}

TEST(SHBListLayout, InsertMarksAndColours)
{
    std::vector<CRect> items = {{0, 2, 100, 40}, {0, 46, 100, 80}};
    EXPECT_EQ(CRect(0, 2, 100, 12), COXSHBListCtrl::InsertMarkRect(items, 0, 100, 2));
    EXPECT_EQ(CRect(0, 36, 100, 51), COXSHBListCtrl::InsertMarkRect(items, 1, 100, 2));
    EXPECT_EQ(CRect(0, 72, 100, 82), COXSHBListCtrl::InsertMarkRect(items, 2, 100, 2));
    EXPECT_TRUE(COXSHBListCtrl::InsertMarkRect(items, 3, 100, 2).IsRectEmpty());
    EXPECT_EQ(RGB(255, 255, 255), COXSHBListCtrl::InsertMarkColor(RGB(20, 30, 40)));
    EXPECT_EQ(RGB(0, 0, 0), COXSHBListCtrl::InsertMarkColor(RGB(100, 100, 100)));
}

std::vector<BYTE> Block(const char* text, std::vector<std::vector<DWORD>> records, std::vector<BYTE> tail)
{
    std::vector<BYTE> out(text, text + strlen(text) + 1);
    auto put = [&](DWORD dw) { out.insert(out.end(), (BYTE*)&dw, (BYTE*)&dw + 4); };
    put(7);
    put((DWORD)records.size());
    for (auto& r : records)
        for (DWORD dw : r)
            put(dw);
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

TEST(SHBListDragBlock, BuiltAndReadBack)
{
    COXSHBListCtrl::DragItem item;
    item.sText = "Inbox";
    item.dwData = 0xDEADBEEF;
    item.images.push_back({0, {1, 2, 3}});
    item.images.push_back({1, {4}});
    item.extra = {9, 9};
    std::vector<BYTE> block = COXSHBListCtrl::BuildDragBlock(item);
    EXPECT_EQ(6u + 4 + 4 + (12 + 3) + (12 + 1) + 4 + 2, block.size());
    COXSHBListCtrl::DragItem back;
    ASSERT_TRUE(COXSHBListCtrl::ParseDragBlock(block.data(), block.size(), back));
    EXPECT_EQ("Inbox", std::string(back.sText));
    EXPECT_EQ(0xDEADBEEFu, back.dwData);
    ASSERT_EQ(2u, back.images.size());
    EXPECT_EQ(1, back.images[1].nType);
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), back.images[0].bytes);
    EXPECT_EQ((std::vector<BYTE>{9, 9}), back.extra);
}

TEST(SHBListDragBlock, MalformedBlocksTable)
{
    const BYTE noNul[] = {'a', 'b', 'c'};
    struct Case { const char* what; std::vector<BYTE> bytes; BOOL ok; } cases[] = {
        {"good, no images", Block("x", {}, {0, 0, 0, 0}), TRUE},
        {"no NUL", std::vector<BYTE>(noNul, noNul + 3), FALSE},
        {"empty", {}, FALSE},
        {"three image records", Block("x", {{0, 0, 0}, {0, 0, 0}, {0, 1, 0}}, {0, 0, 0, 0}), FALSE},
        {"n past the end", Block("x", {{0, 0, 100}}, {1, 2, 3, 0, 0, 0, 0}), FALSE},
        {"m past the end", Block("x", {}, {50, 0, 0, 0, 1}), FALSE},
        {"no extra size", Block("x", {}, {}), FALSE},
        {"image type 2", Block("x", {{0, 2, 0}}, {0, 0, 0, 0}), FALSE},
        {"huge n", Block("x", {{0, 0, 0xFFFFFFF0}}, {0, 0, 0, 0}), FALSE},
    };
    for (const Case& c : cases) {
        COXSHBListCtrl::DragItem item;
        EXPECT_EQ(c.ok, COXSHBListCtrl::ParseDragBlock(c.bytes.data(), c.bytes.size(), item)) << c.what;
    }
}

// A list that a test may ask to start a drag.
class CTestList : public COXSHBListCtrl
{
public:
    using COXSHBListCtrl::PrepareDragDrop;
    BOOL m_bFailInserts = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == LVM_INSERTITEM && m_bFailInserts)
            return -1;
        return COXSHBListCtrl::WindowProc(message, wParam, lParam);
    }
};

// A drop source that moves the pointer to a place, then drops (or cancels).
class CScriptedSource : public COleDropSource
{
public:
    CPoint m_target;
    int m_calls = 0;
    BOOL m_bCancel = FALSE;
    SCODE QueryContinueDrag(BOOL, DWORD) override
    {
        if (++m_calls == 1) {
            ::SetCursorPos(m_target.x, m_target.y);
            return S_OK;
        }
        if (m_calls < 4)
            return S_OK;
        return m_bCancel ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    }
    SCODE GiveFeedback(DROPEFFECT) override { return S_OK; }
};

class CListHost : public CWnd
{
public:
    std::vector<UINT> m_codes;
    std::vector<int> m_items;
    UINT m_veto = 0;
    COleDropSource* m_pSource = NULL;
    DWORD m_dwEffectAtEnd = (DWORD)-1;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        SHB_NOTIFY* pNm = (SHB_NOTIFY*)lParam;
        if (pNm->hdr.code >= SHBN_DRAGENTER && pNm->hdr.code <= SHBN_CONTEXTMENU) {
            if (pNm->hdr.code != SHBN_DRAWITEM && pNm->hdr.code != SHBN_GETDROPTARGET) {
                m_codes.push_back(pNm->hdr.code);
                m_items.push_back(pNm->nItem);
            }
            *pResult = pNm->hdr.code == m_veto ? 1 : 0;
            if (pNm->hdr.code == SHBN_GETDROPSOURCE && m_pSource != NULL) {
                pNm->lParam = (LPARAM)m_pSource;
                *pResult = 1;
            }
            if (pNm->hdr.code == SHBN_DRAGDROPEND)
                m_dwEffectAtEnd = (DWORD)pNm->lParam;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

class SHBList : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { AfxOleInit(); }
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "list host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    CRect(300, 20, 600, 400), NULL, 0));
        for (CTestList* p : {&m_list, &m_other})
            ASSERT_TRUE(p->Create(WS_CHILD | WS_VISIBLE | LVS_EDITLABELS | LVS_SHAREIMAGELISTS,
                                  p == &m_list ? CRect(0, 0, 120, 200) : CRect(130, 0, 250, 200), &m_host,
                                  p == &m_list ? 10 : 11));
        m_images.Create(32, 32, ILC_COLOR24 | ILC_MASK, 4, 0);
        CClientDC dc(&m_host);
        for (COLORREF clr : {RGB(200, 0, 0), RGB(0, 150, 0)}) {
            CBitmap bmp;
            bmp.CreateCompatibleBitmap(&dc, 32, 32);
            CDC mem;
            mem.CreateCompatibleDC(&dc);
            CBitmap* pOld = mem.SelectObject(&bmp);
            mem.FillSolidRect(0, 0, 32, 32, clr);
            mem.SelectObject(pOld);
            m_images.Add(&bmp, RGB(255, 0, 255));
        }
        m_list.SetImageList(&m_images, LVSIL_NORMAL);
    }
    void TearDown() override { m_host.DestroyWindow(); }
    void Fill(CListCtrl& list, int n)
    {
        for (int i = 0; i < n; ++i) {
            CString s;
            s.Format("Item %d", i);
            list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, s, 0, 0, i % 2, (LPARAM)(0x100000000LL + i));
        }
    }
    std::string Texts(CListCtrl& list)
    {
        std::string s;
        for (int i = 0; i < list.GetItemCount(); ++i)
            s += std::string(i ? "," : "") + (LPCSTR)list.GetItemText(i, 0);
        return s;
    }
    // A drop of raw bytes, below every item of the list.
    BOOL DropBytes(const std::vector<BYTE>& bytes)
    {
        COleDataSource* pSource = new COleDataSource;
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(bytes.size(), 1));
        if (!bytes.empty())
            memcpy(::GlobalLock(h), bytes.data(), bytes.size());
        ::GlobalUnlock(h);
        pSource->CacheGlobalData(OXGetSHBItemClipFormat(), h);
        COleDataObject data;
        data.Attach(pSource->GetDataObject(), FALSE);
        OXDRAGDROPMESSAGE rec = {};
        rec.pWnd = &m_list;
        rec.pDataObject = &data;
        rec.x = 60;
        rec.y = 190;
        m_list.SendMessage(SHBDTM_DRAGENTER, 0, (LPARAM)&rec);
        OXDRAGDROPMESSAGE drop = rec;
        drop.dropEffect = DROPEFFECT_MOVE;
        drop.result = 0;
        m_list.SendMessage(SHBDTM_DROP, 0, (LPARAM)&drop);
        data.Release();
        pSource->InternalRelease();
        return (BOOL)drop.result;
    }
    CListHost m_host;
    CTestList m_list, m_other;
    CImageList m_images;
};

TEST_F(SHBList, HitFlagsTable)
{
    Fill(m_list, 2);
    CRect icon, label, row;
    m_list.GetItemRect(0, &icon, LVIR_ICON);
    m_list.GetItemRect(0, &label, LVIR_LABEL);
    m_list.GetItemRect(0, &row, -1);
    struct Case { CPoint pt; int item, flags; } cases[] = {
        {icon.CenterPoint(), 0, LVHT_ONITEMICON},
        {label.CenterPoint(), 0, LVHT_ONITEMLABEL},
        {CPoint(2, icon.top + 2), 0, SHBLC_ONITEMROW},
        {CPoint(60, 1), -1, LVHT_ABOVE},
        {CPoint(60, 190), -1, LVHT_BELOW},
    };
    for (const Case& c : cases) {
        int flags;
        EXPECT_EQ(c.item, m_list.HitTest(c.pt, &flags)) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(c.flags, flags) << c.pt.x << "," << c.pt.y;
    }
}

// A label too long for the list ends in an ellipsis, in either view: no
// letter is cut at the label's edge.
TEST_F(SHBList, ALongLabelEndsInAnEllipsis)
{
    m_list.InsertItem(0, "Letters to the customers of the north and of the south");
    for (DWORD dwView : {(DWORD)LVS_SMALLICON, (DWORD)LVS_ICON}) {
        m_list.ModifyStyle(LVS_TYPEMASK, dwView);
        m_list.SendMessage(LVM_ARRANGE);   // let the layout follow the view
        m_list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        CRect rectLabel, rectClient;
        ASSERT_TRUE(m_list.GetItemRect(0, &rectLabel, LVIR_LABEL));
        m_list.GetClientRect(&rectClient);
        ASSERT_LE(rectLabel.right, rectClient.right) << dwView;
        CClientDC dc(&m_list);
        const COLORREF clrBack = dc.GetPixel(rectLabel.left, rectLabel.top);
        int nInk = 0, nInkAtEdge = 0;
        for (int y = rectLabel.top; y < rectLabel.bottom; y++)
            for (int x = rectLabel.left; x < rectLabel.right; x++)
                if (dc.GetPixel(x, y) != clrBack) {
                    nInk++;
                    nInkAtEdge += x >= rectLabel.right - 2 || y >= rectLabel.bottom - 1;
                }
        EXPECT_GT(nInk, 20) << dwView;
        EXPECT_EQ(nInkAtEdge, 0) << dwView;
    }
}

TEST_F(SHBList, ScrollsByWholeItemsWithItsButtons)
{
    EXPECT_EQ(-1, m_list.GetTopIndex());
    EXPECT_FALSE(m_list.Scroll(CSize(0, 10)));
    Fill(m_list, 6);
    EXPECT_EQ(0, m_list.GetTopIndex());
    EXPECT_TRUE(m_list.GetTopScrollButtonRect().IsRectEmpty());
    ASSERT_FALSE(m_list.GetBottomScrollButtonRect().IsRectEmpty());
    int flags;
    m_list.HitTest(m_list.GetBottomScrollButtonRect().CenterPoint(), &flags);
    EXPECT_EQ(SHBLC_ONBOTTOMSCROLLBUTTON, flags);
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(m_list.GetBottomScrollButtonRect().CenterPoint().x,
                                                               m_list.GetBottomScrollButtonRect().CenterPoint().y));
    EXPECT_EQ(1, m_list.GetTopIndex()) << "one step at once";
    EXPECT_FALSE(m_list.GetTopScrollButtonRect().IsRectEmpty()) << "the up button appears";
    m_list.SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(m_list.IsScrollingDown());
    for (int i = 0; i < 10; ++i)
        m_list.SendMessage(LVM_SCROLL, 0, 40);
    EXPECT_TRUE(m_list.GetBottomScrollButtonRect().IsRectEmpty()) << "at the end";
    EXPECT_FALSE(m_list.Scroll(CSize(0, 40)));
    EXPECT_TRUE(m_list.EnsureItemVisible(0, FALSE));
    EXPECT_EQ(CPoint(0, 0), m_list.GetScrollOffset());
    EXPECT_FALSE(m_list.EnsureItemVisible(9, FALSE));
}

TEST_F(SHBList, PressReleaseActivatesAndDeletingMovesTheActiveItem)
{
    Fill(m_list, 4);
    CRect icon;
    m_list.GetItemRect(2, &icon, LVIR_ICON);
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(icon.CenterPoint().x, icon.CenterPoint().y));
    m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(icon.CenterPoint().x, icon.CenterPoint().y));
    EXPECT_EQ(2, m_list.GetActiveItem());
    m_list.DeleteItem(0);
    EXPECT_EQ(1, m_list.GetActiveItem());
    m_list.DeleteItem(1);
    EXPECT_EQ(-1, m_list.GetActiveItem());
    m_host.m_veto = SHBN_ACTIVATEITEM;
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(icon.CenterPoint().x, 20));
    m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(icon.CenterPoint().x, 20));
    EXPECT_EQ(-1, m_list.GetActiveItem()) << "refused";
}

TEST_F(SHBList, RenamingAnItemInPlace)
{
    Fill(m_list, 2);
    COXSHBEdit* pEdit = m_list.EditItem(1);
    ASSERT_NE(nullptr, pEdit);
    pEdit->SetWindowText("Outbox");
    pEdit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ("Item 0,Outbox", Texts(m_list));
    EXPECT_EQ(-1, m_list.GetEditItem());
    m_host.m_veto = SHBN_ENDITEMEDIT;
    pEdit = m_list.EditItem(1);
    pEdit->SetWindowText("Sent");
    pEdit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ("Item 0,Outbox", Texts(m_list));
}

// Items inserted or deleted while one is renamed: the new name lands on the
// item being renamed, and a rename of an item deleted meanwhile ends unsaved.
TEST_F(SHBList, ARenameFollowsItsItemThroughInsertsAndDeletes)
{
    Fill(m_list, 3);
    COXSHBEdit* pEdit = m_list.EditItem(1);
    ASSERT_NE(nullptr, pEdit);
    m_list.InsertItem(0, "New");
    EXPECT_EQ(2, m_list.GetEditItem());
    m_list.DeleteItem(1);   // "Item 0", before it
    m_list.DeleteItem(2);   // "Item 2", after it
    EXPECT_EQ(1, m_list.GetEditItem());
    pEdit->SetWindowText("Outbox");
    pEdit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ("New,Outbox", Texts(m_list));

    pEdit = m_list.EditItem(1);
    ASSERT_NE(nullptr, pEdit);
    m_list.DeleteItem(1);
    EXPECT_EQ(-1, m_list.GetEditItem());
    EXPECT_FALSE(pEdit->IsWindowVisible());
    pEdit->SetWindowText("Lost");
    pEdit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ("New", Texts(m_list));
    ASSERT_NE(nullptr, m_list.EditItem(0));
    m_list.DeleteAllItems();
    EXPECT_EQ(-1, m_list.GetEditItem());
}

TEST_F(SHBList, MalformedDropsInsertNothing)
{
    Fill(m_list, 2);
    COXSHBListCtrl::DragItem item;
    item.sText = "Dropped";
    item.images.push_back({0, {1, 2, 3, 4, 5, 6, 7, 8}});   // no image list in these bytes
    std::vector<std::vector<BYTE>> bad = {
        {'a', 'b'},
        Block("x", {{0, 0, 0}, {0, 0, 0}, {0, 1, 0}}, {0, 0, 0, 0}),
        Block("x", {{0, 0, 100}}, {0, 0, 0, 0}),
        Block("x", {}, {50, 0, 0, 0}),
        COXSHBListCtrl::BuildDragBlock(item),
        {},
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        m_host.m_codes.clear();
        EXPECT_FALSE(DropBytes(bad[i])) << i;
        EXPECT_EQ(2, m_list.GetItemCount()) << i;
        EXPECT_EQ(SHBN_DRAGDROPEND, m_host.m_codes.back()) << i;
        EXPECT_EQ((DWORD)DROPEFFECT_NONE, m_host.m_dwEffectAtEnd) << i;
    }
    item.images.clear();
    EXPECT_TRUE(DropBytes(COXSHBListCtrl::BuildDragBlock(item)));
    EXPECT_EQ("Item 0,Item 1,Dropped", Texts(m_list));
    EXPECT_EQ(0u, m_list.GetItemData(2)) << "from elsewhere: no item data";
}

// A dropped image whose header does not match its bitmaps is refused before
// the system's reader, which would write past its buffers, sees it.
TEST_F(SHBList, ImagesWhoseHeaderBelieThemAreRefused)
{
    const std::vector<BYTE> good = COXSHBListCtrl::WriteImage(&m_images, 0);
    CImageList list;
    ASSERT_TRUE(COXSHBListCtrl::ReadImage(good, list));
    struct Case { const char* what; size_t at; BYTE value; } cases[] = {
        {"image width 255 (a fuzz case that wrote past the reader's buffer)", 10, 0xFF},
        {"image height 255", 12, 0xFF},
        {"more images than room", 4, 9},
        {"images' bitmap wider", 28 + 14 + 4, 0xFF},
        {"images' bitmap 64 colours at 32 bits", 28 + 14 + 32, 64},
        {"compressed images", 28 + 14 + 16, BI_RLE8},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = good;
        bytes[c.at] = c.value;
        CImageList read;
        EXPECT_FALSE(COXSHBListCtrl::ReadImage(bytes, read)) << c.what;
    }
    std::vector<BYTE> cut(good.begin(), good.end() - 1);
    CImageList read;
    EXPECT_FALSE(COXSHBListCtrl::ReadImage(cut, read)) << "a mask cut short";
}

// Damaged drag blocks dropped on the list: nothing faults, a drop taken adds
// one item, and a drop refused adds no item and no image.
TEST_F(SHBList, DamagedDragBlocksFaultNothingAndARefusedOneChangesNothing)
{
    COXSHBListCtrl::DragItem item;
    item.sText = "Inbox";
    item.dwData = 7;
    item.images.push_back({0, COXSHBListCtrl::WriteImage(&m_images, 0)});
    item.images.push_back({1, COXSHBListCtrl::WriteImage(&m_images, 1)});
    item.extra = {1, 2, 3};
    const std::vector<BYTE> good = COXSHBListCtrl::BuildDragBlock(item);
    ASSERT_TRUE(DropBytes(good));
    auto images = [&](int nType) {
        CImageList* p = m_list.GetImageList(nType);
        return p != NULL && p->GetSafeHandle() != NULL ? p->GetImageCount() : 0;
    };
    CByteFuzzer fuzzer;
    const int nCases = 1000;
    int nTaken = 0;
    for (int i = 0; i < nCases; i++) {
        const std::vector<BYTE> bytes = fuzzer.Mutate(good);
        const int nItems = m_list.GetItemCount(), nLarge = images(LVSIL_NORMAL), nSmall = images(LVSIL_SMALL);
        const BOOL bTaken = DropBytes(bytes);
        ASSERT_EQ(nItems + (bTaken ? 1 : 0), m_list.GetItemCount()) << "case " << i;
        if (!bTaken) {
            ASSERT_EQ(nLarge, images(LVSIL_NORMAL)) << "case " << i;
            ASSERT_EQ(nSmall, images(LVSIL_SMALL)) << "case " << i;
        }
        nTaken += bTaken;
        m_list.DeleteAllItems();   // every drop lands below the items: keep it in view
    }
    EXPECT_GT(nTaken, 0);
    EXPECT_LT(nTaken, nCases);
    std::printf("group list drag blocks: %d cases, %d taken\n", nCases, nTaken);
}

TEST_F(SHBList, DragWithinTheListMovesTheItemWithItsWholeData)
{
    Fill(m_list, 3);
    CScriptedSource source;
    m_host.m_pSource = &source;
    CRect last;
    m_list.GetItemRect(2, &last, -1);
    source.m_target = CPoint(60, last.bottom + 4);
    m_list.ClientToScreen(&source.m_target);
    m_list.PrepareDragDrop(0);
    PumpUntil([&] { return m_host.m_dwEffectAtEnd != (DWORD)-1; }, kWaitMs);
    EXPECT_EQ((DWORD)DROPEFFECT_MOVE, m_host.m_dwEffectAtEnd);
    EXPECT_EQ("Item 1,Item 2,Item 0", Texts(m_list));
    EXPECT_EQ((DWORD_PTR)0x100000000LL, m_list.GetItemData(2)) << "all of the data, also above 32 bits";
    EXPECT_EQ(-1, m_list.GetDragItem());
}

TEST_F(SHBList, DragToAnotherListBringsTextAndImageButNotData)
{
    Fill(m_list, 2);
    CScriptedSource source;
    m_host.m_pSource = &source;
    source.m_target = CPoint(60, 150);
    m_other.ClientToScreen(&source.m_target);
    m_list.PrepareDragDrop(1);
    PumpUntil([&] { return m_host.m_dwEffectAtEnd != (DWORD)-1; }, kWaitMs);
    EXPECT_EQ("Item 0", Texts(m_list)) << "moved out";
    ASSERT_EQ("Item 1", Texts(m_other));
    EXPECT_EQ(0u, m_other.GetItemData(0));
    CImageList* pImages = m_other.GetImageList(LVSIL_NORMAL);
    ASSERT_NE(nullptr, pImages);
    EXPECT_EQ(1, pImages->GetImageCount()) << "the image came along into the list's own image list";
    EXPECT_EQ(0, m_other.GetItemImage(0));
}

TEST_F(SHBList, AMoveIntoAListThatCannotInsertKeepsTheSourceItem)
{
    Fill(m_list, 2);
    m_other.m_bFailInserts = TRUE;
    CScriptedSource source;
    m_host.m_pSource = &source;
    source.m_target = CPoint(60, 150);
    m_other.ClientToScreen(&source.m_target);
    m_list.PrepareDragDrop(1);
    PumpUntil([&] { return m_host.m_dwEffectAtEnd != (DWORD)-1; }, kWaitMs);
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, m_host.m_dwEffectAtEnd);
    EXPECT_EQ("Item 0,Item 1", Texts(m_list)) << "nothing arrived, so nothing left";
    EXPECT_EQ(0, m_other.GetItemCount());
    for (int nType : {LVSIL_NORMAL, LVSIL_SMALL}) {   // nor did the item's images
        CImageList* pImages = m_other.GetImageList(nType);
        EXPECT_TRUE(pImages == NULL || pImages->GetSafeHandle() == NULL || pImages->GetImageCount() == 0) << nType;
    }
}

TEST_F(SHBList, DragOverEffectsTable)
{
    Fill(m_list, 2);
    COleDataSource* pSource = new COleDataSource;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 8);
    pSource->CacheGlobalData(OXGetSHBItemClipFormat(), h);
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    CRect icon0, row1;
    m_list.GetItemRect(0, &icon0, LVIR_ICON);
    m_list.GetItemRect(1, &row1, -1);
    struct Case { CPoint pt; DWORD keys; DWORD effect; int mark; } cases[] = {
        {CPoint(60, 190), 0, DROPEFFECT_MOVE, 2},                      // below the items: the end
        {CPoint(60, 190), MK_CONTROL, DROPEFFECT_COPY, 2},             // Ctrl copies
        {CPoint(60, row1.top - 3), 0, DROPEFFECT_MOVE, 1},             // between two items
        {icon0.CenterPoint(), 0, DROPEFFECT_NONE, -1},                 // on an item: refused
    };
    for (const Case& c : cases) {
        OXDRAGDROPMESSAGE rec = {};
        rec.pWnd = &m_list;
        rec.pDataObject = &data;
        rec.dwKeyState = c.keys;
        rec.x = c.pt.x;
        rec.y = c.pt.y;
        m_list.SendMessage(SHBDTM_DRAGOVER, 0, (LPARAM)&rec);
        EXPECT_EQ(c.effect, rec.result) << c.pt.y;
        EXPECT_EQ(c.mark, m_list.GetInsertMark()) << c.pt.y;
    }
    OXDRAGDROPMESSAGE leave = {};
    m_list.SendMessage(SHBDTM_DRAGLEAVE, 0, (LPARAM)&leave);
    EXPECT_EQ(-1, m_list.GetInsertMark());
    data.Release();
    pSource->InternalRelease();
}

TEST_F(SHBList, AVetoedDragStartLetsTheItemBeDraggedAgain)
{
    Fill(m_list, 2);
    m_host.m_veto = SHBN_BEGINDRAGDROP;
    m_list.PrepareDragDrop(0);
    ASSERT_TRUE(PumpUntil([&] {
        return std::find(m_host.m_codes.begin(), m_host.m_codes.end(), (UINT)SHBN_BEGINDRAGDROP) != m_host.m_codes.end();
    }, kWaitMs)) << "the drag was never asked for";
    EXPECT_EQ(-1, m_list.GetDragItem());
    m_host.m_veto = 0;
    m_host.m_codes.clear();
    CScriptedSource source;
    source.m_bCancel = TRUE;
    m_host.m_pSource = &source;
    source.m_target = CPoint(5, 5);
    m_list.PrepareDragDrop(0);
    PumpUntil([&] { return m_host.m_dwEffectAtEnd != (DWORD)-1; }, kWaitMs);
    EXPECT_NE(m_host.m_codes.end(), std::find(m_host.m_codes.begin(), m_host.m_codes.end(), SHBN_BEGINDRAGDROP));
    EXPECT_EQ("Item 0,Item 1", Texts(m_list));
}

}  // namespace
namespace {
TEST_F(SHBList, HotTrackingFollowsThePointerAndClearsWhenItLeaves)
{
    Fill(m_list, 3);
    CRect icon;
    m_list.GetItemRect(1, &icon, LVIR_ICON);
    CPoint pt = icon.CenterPoint();
    m_list.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    m_host.m_codes.clear();
    m_host.m_items.clear();
    m_list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(icon.CenterPoint().x, icon.CenterPoint().y));
    EXPECT_EQ(1, m_list.GetHotItem());
    ASSERT_FALSE(m_host.m_codes.empty());
    EXPECT_EQ(SHBN_HOTITEM, m_host.m_codes.front()) << "the hot item's own code";
    EXPECT_EQ(1, m_host.m_items.front());
    // The pointer leaves without another message to the list: its timer notices.
    ::SetCursorPos(5, 700);
    EXPECT_TRUE(PumpUntil([&] { return m_list.GetHotItem() == -1; }, kWaitMs));
    EXPECT_EQ(1, m_list.GetLastHotItem());
    // A refused hot item stays as it was.
    m_host.m_veto = SHBN_HOTITEM;
    ::SetCursorPos(pt.x, pt.y);
    m_list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(icon.CenterPoint().x, icon.CenterPoint().y));
    EXPECT_EQ(-1, m_list.GetHotItem());
}
}  // namespace
