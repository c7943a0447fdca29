// The dragged command's block: the blocks the writer makes, byte for byte;
// the one reader, which takes a block whole or refuses it; the menus filled
// from blocks; and a block carried by a real OLE drag from one window to
// another, read at the drop.
#include <afxwin.h>
#include <afxole.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXBitmapMenu.h"
#include "OXCommandDragData.h"
#include "OXSHBDropSource.h"
#include "testsupport.h"
#include "toolkit_res.h"

namespace {

// A block written by hand, record by record.
class CBlock
{
public:
    CBlock& Rec(int nId, const char* lpszText, int nImage, BYTE nStyle, int nContinuation)
    {
        Int(nId);
        m_bytes.insert(m_bytes.end(), lpszText, lpszText + strlen(lpszText) + 1);
        Int(nImage);
        m_bytes.push_back(nStyle);
        Int(nContinuation);
        return *this;
    }
    // A menu item's record.
    CBlock& Item(int nId, const char* lpszText, int nContinuation) { return Rec(nId, lpszText, -1, 0, nContinuation); }
    CBlock& Int(int n)
    {
        const BYTE* p = (const BYTE*)&n;
        m_bytes.insert(m_bytes.end(), p, p + 4);
        return *this;
    }
    CBlock& Bytes(const char* p, size_t n)
    {
        m_bytes.insert(m_bytes.end(), p, p + n);
        return *this;
    }
    std::vector<BYTE> m_bytes;
};

std::vector<BYTE> BytesOf(HGLOBAL hData, size_t nSize)
{
    const BYTE* p = (const BYTE*)::GlobalLock(hData);
    std::vector<BYTE> bytes(p, p + nSize);
    ::GlobalUnlock(hData);
    return bytes;
}

// A read item as text: "id:text" and, in braces, its items.
std::string Tree(const OXCOMMANDDATAITEM& item)
{
    std::string s = std::to_string(item.nCommandId) + ":" + (LPCSTR)item.sText;
    if (!item.arrItems.empty()) {
        s += "{";
        for (size_t i = 0; i < item.arrItems.size(); ++i)
            s += (i ? " " : "") + Tree(item.arrItems[i]);
        s += "}";
    }
    return s;
}

// A menu as text: "id:text" per item, submenus in braces.
std::string MenuTree(HMENU hMenu)
{
    std::string s;
    const int n = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < n; ++i) {
        char sz[100] = "";
        ::GetMenuStringA(hMenu, (UINT)i, sz, sizeof(sz), MF_BYPOSITION);
        if (i)
            s += " ";
        if (HMENU hSub = ::GetSubMenu(hMenu, i))
            s += std::string("[") + sz + "]{" + MenuTree(hSub) + "}";
        else if (::GetMenuItemID(hMenu, i) == 0)
            s += "-";
        else
            s += std::to_string(::GetMenuItemID(hMenu, i)) + ":" + sz;
    }
    return s;
}

struct CMenuHolder
{
    HMENU h = ::CreatePopupMenu();
    ~CMenuHolder() { ::DestroyMenu(h); }
};

TEST(CommandDragData, WriterMakesTheGoldenBlocks)
{
    CMenuHolder two, withSub, withEmpty, onlyEmpty;
    ::AppendMenuA(two.h, MF_STRING, 201, "One");
    ::AppendMenuA(two.h, MF_STRING, 202, "Two");

    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, 301, "In");
    ::AppendMenuA(withSub.h, MF_STRING, 201, "One");
    ::AppendMenuA(withSub.h, MF_POPUP, (UINT_PTR)hSub, "Sub");

    // An empty submenu writes nothing, and no opener: read back, its
    // opener would take the items after it as its own.
    ::AppendMenuA(withEmpty.h, MF_STRING, 201, "One");
    ::AppendMenuA(withEmpty.h, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "Empty");
    ::AppendMenuA(withEmpty.h, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(withEmpty.h, MF_STRING, 203, "Three");
    ::AppendMenuA(onlyEmpty.h, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "Empty");

    struct Row { const char* name; HMENU hMenu; std::vector<BYTE> expected; } rows[] = {
        {"a command alone", NULL, CBlock().Rec(100, "abc", 5, 0, 0).m_bytes},
        {"two plain items", two.h,
         CBlock().Rec(100, "abc", 5, 0, 2).Item(201, "One", 1).Item(202, "Two", 0).m_bytes},
        {"a submenu last", withSub.h,
         CBlock().Rec(100, "abc", 5, 0, 2).Item(201, "One", 1).Item(-1, "Sub", 2).Item(301, "In", 0).m_bytes},
        {"an empty submenu left out", withEmpty.h,
         CBlock().Rec(100, "abc", 5, 0, 2).Item(201, "One", 1).Item(0, "", 1).Item(203, "Three", 0).m_bytes},
        {"a menu of empty submenus is no menu", onlyEmpty.h, CBlock().Rec(100, "abc", 5, 0, 0).m_bytes},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int nMenuSize = COXCommandDragData::GetCommandDataMenuSize(row.hMenu);
        EXPECT_EQ(row.expected.size(), 17u + nMenuSize) << "text length + 14 a record";
        HGLOBAL hData = COXCommandDragData::CreateCommandData("abc", 5, 100, 0, row.hMenu);
        ASSERT_TRUE(hData != NULL);
        ASSERT_GE(::GlobalSize(hData), row.expected.size());
        EXPECT_EQ(row.expected, BytesOf(hData, row.expected.size()));
        ::GlobalFree(hData);
    }
}

TEST(CommandDragData, ABitmapMenusItemsWriteTheTextOfTheirData)
{
    COXBitmapMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 201, "plain");
    COXItemInfo* pInfo = new COXItemInfo(NULL, "&Open\tCtrl+O");
    menu.AddItemInfo(pInfo);
    MENUITEMINFOA mii = {sizeof(mii)};
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    mii.fType = MFT_OWNERDRAW;
    mii.dwItemData = (ULONG_PTR)pInfo;
    ::SetMenuItemInfoA(menu.m_hMenu, 0, TRUE, &mii);

    HGLOBAL hData = COXCommandDragData::CreateCommandData("x", 1, 7, 0, menu.m_hMenu);
    const std::vector<BYTE> expected = CBlock().Rec(7, "x", 1, 0, 2).Item(201, "&Open\tCtrl+O", 0).m_bytes;
    EXPECT_EQ(expected, BytesOf(hData, expected.size()));
    ::GlobalFree(hData);
}

TEST(CommandDragData, TheReaderTakesWholeBlocksAndRefusesTheRest)
{
    // Menus nested n levels below the dragged command's.
    auto Nested = [](int nLevels) {
        CBlock block;
        block.Rec(100, "cmd", 0, 0, 2);
        for (int i = 0; i < nLevels - 1; ++i)
            block.Item(-1, "s", 2);
        block.Item(5, "deep", 0);
        return block.m_bytes;
    };
    struct Row { const char* name; std::vector<BYTE> bytes; const char* tree; } rows[] = {
        {"a command alone", CBlock().Rec(100, "abc", 5, 0, 0).m_bytes, "100:abc"},
        {"with its menu", CBlock().Rec(100, "abc", 5, 0, 2).Item(1, "a", 1).Item(-1, "S", 1).Item(2, "b", 2)
                              .Item(0, "", 1).Item(3, "c", 0).m_bytes,
         "100:abc{1:a -1:S{2:b} 0: 3:c}"},
        {"a submenu ending the block", CBlock().Rec(-1, "S", -1, 0, 2).Item(1, "a", 1).Item(-1, "T", 2)
                                           .Item(2, "b", 0).m_bytes,
         "-1:S{1:a -1:T{2:b}}"},
        {"16 levels", Nested(15), nullptr},
        {"17 levels", Nested(16), ""},
        {"empty", {}, ""},
        {"shorter than a record", CBlock().Int(100).Bytes("ab", 3).m_bytes, ""},
        {"a text without its zero", CBlock().Int(100).Bytes("abcdefgh", 8).m_bytes, ""},
        {"cut inside the continuation", [] {
             std::vector<BYTE> b = CBlock().Rec(100, "abc", 5, 0, 0).m_bytes;
             b.pop_back();
             return b;
         }(), ""},
        {"no final 0", CBlock().Rec(100, "abc", 5, 0, 2).Item(1, "a", 1).Item(2, "b", 1).m_bytes, ""},
        {"the menu ends but not the block", CBlock().Rec(100, "abc", 5, 0, 2).Item(1, "a", 2).m_bytes, ""},
        {"a continuation of 3", CBlock().Rec(100, "abc", 5, 0, 2).Item(1, "a", 3).Item(2, "b", 0).m_bytes, ""},
        {"a first record going on as a menu item", CBlock().Rec(100, "abc", 5, 0, 1).Item(2, "b", 0).m_bytes, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        OXCOMMANDDATAITEM item;
        SIZE_T nRead = 0;
        const BOOL bRead = COXCommandDragData::Read(row.bytes.data(), row.bytes.size(), item, &nRead);
        if (row.tree != nullptr && *row.tree == 0) {
            EXPECT_FALSE(bRead);
            EXPECT_TRUE(item.arrItems.empty());
            continue;
        }
        ASSERT_TRUE(bRead);
        EXPECT_EQ(row.bytes.size(), nRead);
        if (row.tree != nullptr)
            EXPECT_EQ(row.tree, Tree(item));
    }
}

TEST(CommandDragData, WriterAndReaderAgreeAndNothingDeeperThanReadableIsWritten)
{
    // 20 levels of submenus under the dragged command.
    CMenuHolder root;
    HMENU hLevel = root.h;
    for (int i = 0; i < 20; ++i) {
        ::AppendMenuA(hLevel, MF_STRING, (UINT_PTR)(1000 + i), "item");
        HMENU hSub = ::CreatePopupMenu();
        ::AppendMenuA(hLevel, MF_POPUP, (UINT_PTR)hSub, "sub");
        hLevel = hSub;
    }
    ::AppendMenuA(hLevel, MF_STRING, 9999, "bottom");
    HGLOBAL hData = COXCommandDragData::CreateCommandData("cmd", 0, 1, 0, root.h);
    OXCOMMANDDATAITEM item;
    ASSERT_TRUE(COXCommandDragData::Read((const BYTE*)::GlobalLock(hData), ::GlobalSize(hData), item));
    ::GlobalUnlock(hData);
    ::GlobalFree(hData);
    int nDepth = 1;
    for (const OXCOMMANDDATAITEM* p = &item; !p->arrItems.empty(); p = &p->arrItems.back())
        ++nDepth;
    EXPECT_EQ(COXCommandDragData::kMaxDepth, nDepth) << Tree(item);
}

TEST(CommandDragData, InsertItemsFillsAMenuFromABlockOrLeavesItAlone)
{
    COXBitmapMenu target;
    target.CreatePopupMenu();
    target.AppendMenu(MF_STRING, 1, "first");
    target.AppendMenu(MF_STRING, 2, "last");

    // A dragged submenu brings its items; a dragged command its own record
    // only; an empty text is the command's short name from its string.
    const std::vector<BYTE> sub = CBlock().Rec(-1, "Sub", -1, 0, 2).Item(11, "a", 1).Item(0, "", 1)
                                      .Item(-1, "Deep", 2).Item(ID_OX_PROPERTIES_CATEGORIZED, "", 0).m_bytes;
    EXPECT_TRUE(target.InsertItems(sub.data(), sub.size(), target.m_hMenu, 1));
    const std::vector<BYTE> cmd = CBlock().Rec(50, "Cmd", 3, 0, 2).Item(51, "dropdown", 0).m_bytes;
    EXPECT_TRUE(target.InsertItems(cmd.data(), cmd.size(), target.m_hMenu, 99));
    const std::string expected = "1:first [Sub]{11:a - [Deep]{28135:Categorized}} 2:last 50:Cmd";
    EXPECT_EQ(expected, MenuTree(target.m_hMenu));

    // Blocks that do not read whole change nothing.
    std::vector<BYTE> noZero = CBlock().Rec(-1, "Sub", -1, 0, 2).Item(11, "a", 1).Item(12, "b", 1).m_bytes;
    std::vector<BYTE> noNul = CBlock().Int(-1).Bytes("Subsubsub", 9).m_bytes;
    for (const std::vector<BYTE>* pBad : {&noZero, &noNul}) {
        EXPECT_FALSE(target.InsertItems(pBad->data(), pBad->size(), target.m_hMenu, 0));
        EXPECT_EQ(expected, MenuTree(target.m_hMenu));
    }

    // From global memory the block's bound is the memory's, and the cursor
    // moves past what was read.
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, noZero.size());
    memcpy(::GlobalLock(hData), noZero.data(), noZero.size());
    LPBYTE pCursor = (LPBYTE)::GlobalLock(hData);
    LPBYTE pStart = pCursor;
    EXPECT_FALSE(target.InsertItems(&pCursor, target.m_hMenu, 0)) << "no final 0 within the memory";
    EXPECT_EQ(pStart, pCursor);
    ::GlobalUnlock(hData);
    ::GlobalUnlock(hData);
    ::GlobalFree(hData);

    hData = COXCommandDragData::CreateCommandData("Tail", 0, 60, 0, NULL);
    pCursor = pStart = (LPBYTE)::GlobalLock(hData);
    EXPECT_TRUE(target.InsertItems(&pCursor, target.m_hMenu, 0));
    EXPECT_EQ(pStart + 4 + 5 + 4 + 1 + 4, pCursor);
    EXPECT_EQ("60:Tail " + expected, MenuTree(target.m_hMenu));
    ::GlobalUnlock(hData);
    ::GlobalFree(hData);
}

// The source's owner ends the drag over the target; the target's window
// accepts the command format and keeps the block it was given.
class CDragWnd : public CWnd
{
public:
    std::function<SCODE(int)> m_script;
    int m_nStep = 0;
    std::vector<BYTE> m_dropped;
    std::vector<UINT> m_messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == SHBDSM_QUERYCONTINUEDRAG && m_script) {
            ((OXDRAGDROPSOURCEMESSAGE*)lParam)->result = m_script(m_nStep++);
            return 1;
        }
        if (message >= SHBDTM_DRAGENTER && message <= SHBDTM_DROPEX) {
            // Each step asks about scrolling first: left out of the record.
            if (message != SHBDTM_DRAGSCROLL)
                m_messages.push_back(message);
            OXDRAGDROPMESSAGE* pRec = (OXDRAGDROPMESSAGE*)lParam;
            const BOOL bCommand =
                pRec->pDataObject != NULL && pRec->pDataObject->IsDataAvailable(COXCommandDragData::GetFormat());
            switch (message) {
            case SHBDTM_DRAGENTER:
            case SHBDTM_DRAGOVER:
                pRec->result = bCommand ? DROPEFFECT_COPY : DROPEFFECT_NONE;
                return 1;
            case SHBDTM_DROP:
                if (HGLOBAL hData = pRec->pDataObject->GetGlobalData(COXCommandDragData::GetFormat())) {
                    const BYTE* p = (const BYTE*)::GlobalLock(hData);
                    m_dropped.assign(p, p + ::GlobalSize(hData));
                    ::GlobalUnlock(hData);
                    ::GlobalFree(hData);
                }
                pRec->result = TRUE;
                return 1;
            }
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(CommandDragData, ARealDragCarriesTheBlockToAnotherWindow)
{
    ASSERT_TRUE(AfxOleInit());
    CDragWnd source, target;
    ASSERT_TRUE(source.CreateEx(0, AfxRegisterWndClass(0), "source", WS_POPUP | WS_VISIBLE, 20, 20, 160, 120, NULL,
                                NULL));
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP | WS_VISIBLE, 300, 20, 160, 120, NULL,
                                NULL));
    COXSHBDropTarget dropTarget;
    ASSERT_TRUE(dropTarget.Register(&target));
    COXSHBDropSource dropSource;
    dropSource.SetOwner(&source);

    CMenuHolder menu;
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, 301, "In");
    ::AppendMenuA(menu.h, MF_STRING, 201, "One");
    ::AppendMenuA(menu.h, MF_POPUP, (UINT_PTR)hSub, "Sub");
    COleDataSource* pData = COXCommandDragData::CreateCommandDataSource("", -1, -1, 0, menu.h);
    ASSERT_TRUE(pData != NULL);

    CRect rcTarget;
    target.GetWindowRect(&rcTarget);
    const CPoint ptTarget = rcTarget.CenterPoint();
    source.m_script = [&](int nStep) -> SCODE {
        ::SetCursorPos(ptTarget.x + nStep, ptTarget.y);
        return nStep < 5 ? S_OK : DRAGDROP_S_DROP;
    };
    CRect rcSource;
    source.GetWindowRect(&rcSource);
    ::SetCursorPos(rcSource.CenterPoint().x, rcSource.CenterPoint().y);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, pData->DoDragDrop(DROPEFFECT_COPY, CRect(0, 0, 0, 0), &dropSource));
    pData->InternalRelease();
    ASSERT_FALSE(target.m_dropped.empty()) << "no drop reached the target";
    EXPECT_EQ(SHBDTM_DRAGENTER, target.m_messages.front());
    EXPECT_EQ(SHBDTM_DROP, target.m_messages.back());

    // The dropped block fills a menu: the dragged submenu with its items.
    COXBitmapMenu into;
    into.CreatePopupMenu();
    EXPECT_TRUE(into.InsertItems(target.m_dropped.data(), target.m_dropped.size(), into.m_hMenu, 0));
    EXPECT_EQ("[]{201:One [Sub]{301:In}}", MenuTree(into.m_hMenu));

    target.DestroyWindow();
    source.DestroyWindow();
}

// Any process can offer the format: a data object made by hand, handed to
// the target's OLE interface, brings blocks the writer never makes.
TEST(CommandDragData, AFabricatedDataObjectReachesTheTargetAndABadBlockInsertsNothing)
{
    ASSERT_TRUE(AfxOleInit());
    CDragWnd target;
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP | WS_VISIBLE, 300, 20, 160, 120, NULL,
                                NULL));
    COXSHBDropTarget dropTarget;
    ASSERT_TRUE(dropTarget.Register(&target));
    CRect rc;
    target.GetWindowRect(&rc);
    const POINTL pt = {rc.CenterPoint().x, rc.CenterPoint().y};

    struct Row { const char* name; std::vector<BYTE> bytes; BOOL bInserted; } rows[] = {
        {"a good block", CBlock().Rec(-1, "Sub", -1, 0, 2).Item(11, "a", 0).m_bytes, TRUE},
        {"continuations never 0", CBlock().Rec(-1, "Sub", -1, 0, 2).Item(11, "a", 1).Item(12, "b", 1).m_bytes,
         FALSE},
        {"no zero after the text", CBlock().Int(-1).Bytes("Sub", 3).m_bytes, FALSE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, row.bytes.size());
        memcpy(::GlobalLock(hData), row.bytes.data(), row.bytes.size());
        ::GlobalUnlock(hData);
        COleDataSource* pData = new COleDataSource;
        pData->CacheGlobalData(COXCommandDragData::GetFormat(), hData);
        target.m_dropped.clear();
        LPDROPTARGET pTarget = dropTarget.GetDropTarget();
        DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(S_OK, pTarget->DragEnter(pData->GetDataObject(), MK_LBUTTON, pt, &dwEffect));
        EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
        dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(S_OK, pTarget->Drop(pData->GetDataObject(), 0, pt, &dwEffect));
        EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
        pData->InternalRelease();
        ASSERT_GE(target.m_dropped.size(), row.bytes.size());

        COXBitmapMenu into;
        into.CreatePopupMenu();
        into.AppendMenu(MF_STRING, 1, "kept");
        EXPECT_EQ(row.bInserted, into.InsertItems(target.m_dropped.data(), target.m_dropped.size(), into.m_hMenu, 0));
        EXPECT_EQ(row.bInserted ? "[Sub]{11:a} 1:kept" : "1:kept", MenuTree(into.m_hMenu));
    }
    target.DestroyWindow();
}

// The other side of a drag between processes: this executable started
// again runs only this test, which shows a target window, waits for one drop
// and exits with 0 when the block it got reads back whole, 1 when it read
// badly, 2 when no drop came.
TEST(CommandDragAcrossProcesses, DISABLED_Target)
{
    ASSERT_TRUE(AfxOleInit());
    CDragWnd target;
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 300, 200, 160, 120, NULL,
                                NULL));
    COXSHBDropTarget dropTarget;
    ASSERT_TRUE(dropTarget.Register(&target));
    // Found by this title, and only once it takes drops.
    target.SetWindowText("command drop target");
    const bool bDropped = PumpUntil([&] { return !target.m_dropped.empty(); }, kWaitMs);
    OXCOMMANDDATAITEM item;
    const BOOL bRead =
        bDropped && COXCommandDragData::Read(target.m_dropped.data(), target.m_dropped.size(), item);
    target.DestroyWindow();
    fflush(stdout);
    ::ExitProcess(!bDropped ? 2 : bRead && Tree(item) == "-1:{201:One -1:Sub{301:In}}" ? 0 : 1);
}

TEST(CommandDragAcrossProcesses, ABlockDraggedToAnotherProcessReadsThere)
{
    ASSERT_TRUE(AfxOleInit());
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
    std::string cmd = std::string("\"") + szExe +
                      "\" --gtest_also_run_disabled_tests --gtest_filter=CommandDragAcrossProcesses.DISABLED_Target";
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    HWND hTarget = NULL;
    PumpUntil([&] { return (hTarget = ::FindWindowA(NULL, "command drop target")) != NULL; }, kWaitMs);
    if (hTarget == NULL) {
        ::TerminateProcess(pi.hProcess, 9);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        FAIL() << "the other process showed no target";
    }

    CDragWnd source;
    ASSERT_TRUE(source.CreateEx(0, AfxRegisterWndClass(0), "source", WS_POPUP | WS_VISIBLE, 20, 20, 160, 120, NULL,
                                NULL));
    COXSHBDropSource dropSource;
    dropSource.SetOwner(&source);
    CMenuHolder menu;
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, 301, "In");
    ::AppendMenuA(menu.h, MF_STRING, 201, "One");
    ::AppendMenuA(menu.h, MF_POPUP, (UINT_PTR)hSub, "Sub");
    COleDataSource* pData = COXCommandDragData::CreateCommandDataSource("", -1, -1, 0, menu.h);
    CRect rcTarget;
    ::GetWindowRect(hTarget, &rcTarget);
    const CPoint ptTarget = rcTarget.CenterPoint();
    source.m_script = [&](int nStep) -> SCODE {
        ::SetCursorPos(ptTarget.x + nStep % 5, ptTarget.y);
        return nStep < 20 ? S_OK : DRAGDROP_S_DROP;
    };
    const DROPEFFECT effect = pData->DoDragDrop(DROPEFFECT_COPY, CRect(0, 0, 0, 0), &dropSource);
    pData->InternalRelease();
    DWORD dwExit = 99;
    PumpUntil([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, kWaitMs + 5000);
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    if (dwExit == STILL_ACTIVE)
        ::TerminateProcess(pi.hProcess, 9);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    source.DestroyWindow();
    printf("drag to another process: effect %lu, other side %lu\n", (unsigned long)effect, (unsigned long)dwExit);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, effect);
    EXPECT_EQ(0u, dwExit) << "1: the block read badly there, 2: no drop came";
}

}   // namespace
