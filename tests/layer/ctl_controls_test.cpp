// Controls: the check list box, the list and tree views, the range controls,
// rich edit streaming, tool tips, hot keys and date pickers, created with
// Create under a window of the layer that records their notifications.
#include <afxwin.h>
#include <afxcmn.h>
#include <afxdisp.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const UINT kCheckListId = 301;
const UINT kListId = 302;

class CCtlHost : public CWnd
{
public:
    std::vector<HWND> m_checkChanges;
    std::vector<NMLISTVIEW> m_itemChanged;

protected:
    afx_msg void OnCheckChange() { m_checkChanges.push_back((HWND)GetCurrentMessage()->lParam); }
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_itemChanged.push_back(*(NMLISTVIEW*)pNMHDR);
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCtlHost, CWnd)
    ON_CONTROL(CLBN_CHKCHANGE, kCheckListId, &CCtlHost::OnCheckChange)
    ON_NOTIFY(LVN_ITEMCHANGED, kListId, &CCtlHost::OnItemChanged)
END_MESSAGE_MAP()

class CtlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 420)));
    }
    void TearDown() override { m_host.DestroyWindow(); }
    CCtlHost m_host;
};

void ClickAt(HWND hWnd, int x, int y)
{
    ::SendMessage(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessage(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// ---------------------------------------------------------------------------
// CCheckListBox
// ---------------------------------------------------------------------------

class CRecordingCheckList : public CCheckListBox
{
public:
    std::vector<DWORD_PTR> m_deleted;
    std::vector<DWORD_PTR> m_drawnData;
    void DeleteItem(LPDELETEITEMSTRUCT lpDIS) override { m_deleted.push_back(lpDIS->itemData); }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        m_drawnData.push_back(lpDIS->itemData);
        CCheckListBox::DrawItem(lpDIS);
    }
};

TEST_F(CtlTest, CheckListBoxTogglesByClickAndSpaceAndTellsTheParent)
{
    CRecordingCheckList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 10, 200, 130), &m_host,
                            kCheckListId));
    for (const char* s : {"zero", "one", "two"})
        list.AddString(s);
    list.SetItemData(1, 0xBEEF);
    EXPECT_GE(list.GetItemHeight(0), 15) << "room for the check box";

    auto clickCheck = [&](int nIndex, int dx) {
        CRect rc;
        list.GetItemRect(nIndex, rc);
        ClickAt(list, rc.left + dx, (rc.top + rc.bottom) / 2);
    };

    clickCheck(1, 5);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(m_host.m_checkChanges, std::vector<HWND>{list.m_hWnd});
    EXPECT_EQ(list.GetItemData(1), (DWORD_PTR)0xBEEF) << "item data kept apart from the check";
    EXPECT_EQ((DWORD_PTR)::SendMessage(list, LB_GETITEMDATA, 1, 0), (DWORD_PTR)0xBEEF);

    clickCheck(1, 80);   // on the text: selects, does not toggle
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(m_host.m_checkChanges.size(), 1u);

    list.SetCurSel(0);
    ::SendMessage(list, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(0), 1);
    ::SendMessage(list, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(m_host.m_checkChanges.size(), 3u);

    list.Enable(2, FALSE);
    clickCheck(2, 5);
    EXPECT_EQ(list.GetCheck(2), 0) << "a disabled item keeps its check";
    EXPECT_EQ(m_host.m_checkChanges.size(), 3u);

    list.SetCheckStyle(BS_AUTO3STATE);
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        clickCheck(1, 5);
        states.push_back(list.GetCheck(1));
    }
    EXPECT_EQ(states, (std::vector<int>{2, 0, 1}));

    list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(std::find(list.m_drawnData.begin(), list.m_drawnData.end(), (DWORD_PTR)0xBEEF), list.m_drawnData.end())
        << "DrawItem gets the caller's item data";

    list.DeleteString(1);
    EXPECT_EQ(list.m_deleted, std::vector<DWORD_PTR>{0xBEEF});
    EXPECT_EQ(list.GetItemData(1), (DWORD_PTR)0) << "the former item 2";
    EXPECT_FALSE(list.IsEnabled(1));
}

// ---------------------------------------------------------------------------
// CListCtrl
// ---------------------------------------------------------------------------

TEST_F(CtlTest, ListCtrlChecksNotifyTheParentAndTextHasAnyLength)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(210, 10, 590, 300), &m_host,
                            kListId));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              (DWORD)(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(list.InsertColumn(0, "Keyword", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, "Count", LVCFMT_RIGHT, 60), 1);
    EXPECT_EQ(list.GetColumnWidth(1), 60);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.InsertItem(i, i == 1 ? "one" : "other"), i);
        EXPECT_TRUE(list.SetItemText(i, 1, "7"));
    }
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(1, 0), "one");
    EXPECT_EQ(list.GetItemText(1, 1), "7");

    m_host.m_itemChanged.clear();
    EXPECT_TRUE(list.SetCheck(1));
    EXPECT_TRUE(list.GetCheck(1));
    EXPECT_FALSE(list.GetCheck(0));
    bool bSeen = false;
    for (const NMLISTVIEW& nm : m_host.m_itemChanged)
        if (nm.iItem == 1 && (nm.uChanged & LVIF_STATE) &&
            (nm.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2) &&
            (nm.uOldState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(1))
            bSeen = true;
    EXPECT_TRUE(bSeen) << "LVN_ITEMCHANGED for the check reached the parent's ON_NOTIFY";
    list.SetCheck(1, FALSE);
    EXPECT_FALSE(list.GetCheck(1));

    CString strLong('k', 5000);
    ASSERT_TRUE(list.SetItemText(2, 0, strLong));
    EXPECT_EQ(list.GetItemText(2, 0).GetLength(), 5000);
    EXPECT_EQ(list.GetItemText(2, 0), strLong);
    char szShort[16];
    EXPECT_EQ(list.GetItemText(2, 0, szShort, sizeof(szShort)), 15);
    EXPECT_STREQ(szShort, "kkkkkkkkkkkkkkk");

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != NULL;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));

    EXPECT_TRUE(list.SetItemData(1, 77));
    EXPECT_EQ(list.GetItemData(1), (DWORD_PTR)77);
    CRect rc;
    EXPECT_TRUE(list.GetItemRect(1, rc, LVIR_BOUNDS));
    EXPECT_EQ(list.HitTest(rc.CenterPoint()), 1);
    ASSERT_NE(list.GetHeaderCtrl(), (CHeaderCtrl*)NULL);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), "one");
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

// ---------------------------------------------------------------------------
// CTreeCtrl
// ---------------------------------------------------------------------------

TEST_F(CtlTest, TreeCtrlBuildsWalksAndSorts)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_CHECKBOXES, CRect(10, 140, 200, 400), &m_host,
                            303));
    HTREEITEM hRoot = tree.InsertItem("root");
    HTREEITEM hB = tree.InsertItem("b", hRoot);
    HTREEITEM hA = tree.InsertItem("a", hRoot);
    ASSERT_TRUE(hRoot && hA && hB);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), hRoot);
    EXPECT_EQ(tree.GetParentItem(hA), hRoot);
    EXPECT_TRUE(tree.ItemHasChildren(hRoot));
    EXPECT_FALSE(tree.ItemHasChildren(hA));
    EXPECT_TRUE(tree.SortChildren(hRoot));
    EXPECT_EQ(tree.GetChildItem(hRoot), hA);
    EXPECT_EQ(tree.GetNextSiblingItem(hA), hB);

    CString strLong('t', 1000);
    EXPECT_TRUE(tree.SetItemText(hB, strLong));
    EXPECT_EQ(tree.GetItemText(hB), strLong);
    EXPECT_TRUE(tree.SetItemData(hA, 99));
    EXPECT_EQ(tree.GetItemData(hA), (DWORD_PTR)99);

    EXPECT_TRUE(tree.SetCheck(hA));
    EXPECT_TRUE(tree.GetCheck(hA));
    EXPECT_FALSE(tree.GetCheck(hB));

    EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
    EXPECT_TRUE(tree.SelectItem(hA));
    EXPECT_EQ(tree.GetSelectedItem(), hA);
    CRect rc;
    ASSERT_TRUE(tree.GetItemRect(hA, rc, TRUE));
    EXPECT_EQ(tree.HitTest(rc.CenterPoint()), hA);

    EXPECT_TRUE(tree.DeleteItem(hB));
    EXPECT_EQ(tree.GetCount(), 2u);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
}

// ---------------------------------------------------------------------------
// Tab, progress and spin controls
// ---------------------------------------------------------------------------

TEST_F(CtlTest, TabCtrlInsertsEveryFormAndKeepsTheSelection)
{
    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 400, 200), &m_host, 304));
    EXPECT_TRUE(tab.InsertItem(0, "One"));
    EXPECT_TRUE(tab.InsertItem(1, "Two", 0));
    EXPECT_TRUE(tab.InsertItem(TCIF_TEXT | TCIF_PARAM, 2, "Three", 0, 99));
    EXPECT_EQ(tab.GetItemCount(), 3);

    char szText[32] = "";
    TCITEM item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    ASSERT_TRUE(tab.GetItem(2, &item));
    EXPECT_STREQ(szText, "Three");
    EXPECT_EQ(item.lParam, 99);

    EXPECT_EQ(tab.SetCurSel(2), 0);
    EXPECT_EQ(tab.GetCurSel(), 2);
    CRect rcItem, rcClient(0, 0, 390, 190), rcDisplay = rcClient;
    EXPECT_TRUE(tab.GetItemRect(0, rcItem));
    EXPECT_GT(rcItem.Width(), 0);
    tab.AdjustRect(FALSE, rcDisplay);
    EXPECT_GT(rcDisplay.top, rcClient.top) << "the display area is below the tabs";
    EXPECT_GE(tab.GetRowCount(), 1);

    EXPECT_TRUE(tab.DeleteItem(0));
    EXPECT_EQ(tab.GetItemCount(), 2);
    EXPECT_TRUE(tab.DeleteAllItems());
    EXPECT_EQ(tab.GetItemCount(), 0);
}

TEST_F(CtlTest, ProgressAndSpinKeepTheirRangesAndPositions)
{
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 300, 30), &m_host, 305));
    int nLow = -1, nHigh = -1;
    progress.SetRange32(0, 100000);
    progress.GetRange(nLow, nHigh);
    EXPECT_EQ(nLow, 0);
    EXPECT_EQ(nHigh, 100000);
    EXPECT_EQ(progress.SetPos(10), 0);
    progress.SetStep(5);
    EXPECT_EQ(progress.StepIt(), 10);
    EXPECT_EQ(progress.OffsetPos(70000), 15);
    EXPECT_EQ(progress.GetPos(), 70015);
    progress.SetRange(0, 100);
    progress.GetRange(nLow, nHigh);
    EXPECT_EQ(nHigh, 100);

    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 100, 60), &m_host, 306));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, CRect(100, 40, 120, 60),
                            &m_host, 307));
    EXPECT_EQ(spin.SetBuddy(&buddy), (CWnd*)NULL);
    EXPECT_EQ(spin.GetBuddy(), &buddy);
    spin.SetRange(-5, 50);
    spin.GetRange(nLow, nHigh);
    EXPECT_EQ(nLow, -5);
    EXPECT_EQ(nHigh, 50);
    spin.SetRange32(-100000, 100000);
    spin.GetRange32(nLow, nHigh);
    EXPECT_EQ(nLow, -100000);
    EXPECT_EQ(nHigh, 100000);
    spin.SetPos32(70000);
    BOOL bError = TRUE;
    EXPECT_EQ(spin.GetPos32(&bError), 70000);
    EXPECT_FALSE(bError);
    EXPECT_EQ(WindowText(buddy), "70000");
    EXPECT_EQ(spin.SetBase(16), 10);
}

// ---------------------------------------------------------------------------
// CRichEditCtrl streaming
// ---------------------------------------------------------------------------

struct StreamBuffer {
    std::string data;
    size_t pos = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    StreamBuffer* s = (StreamBuffer*)dwCookie;
    LONG n = (LONG)std::min<size_t>((size_t)cb, s->data.size() - s->pos);
    memcpy(pbBuff, s->data.data() + s->pos, (size_t)n);
    s->pos += (size_t)n;
    *pcb = n;
    return 0;
}

DWORD CALLBACK WriteStream(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    ((StreamBuffer*)dwCookie)->data.append((const char*)pbBuff, (size_t)cb);
    *pcb = cb;
    return 0;
}

std::string StreamOut(CRichEditCtrl& edit, int nFormat)
{
    StreamBuffer out;
    EDITSTREAM es = {(DWORD_PTR)&out, 0, WriteStream};
    edit.StreamOut(nFormat, es);
    return out.data;
}

void StreamIn(CRichEditCtrl& edit, int nFormat, const std::string& text)
{
    StreamBuffer in{text};
    EDITSTREAM es = {(DWORD_PTR)&in, 0, ReadStream};
    edit.StreamIn(nFormat, es);
}

TEST_F(CtlTest, RichEditStreamsTextAndRtfBothWays)
{
    CRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(10, 10, 400, 200), &m_host, 308));

    const std::string text = "Слова one\r\nline two";
    StreamIn(edit, SF_TEXT, text);
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 10) << "a paragraph ends with one CR inside the control";
    EXPECT_EQ(edit.LineFromChar(11), 1);
    EXPECT_EQ(StreamOut(edit, SF_TEXT), text);

    StreamIn(edit, SF_RTF, "{\\rtf1\\ansi {\\b Bold} plain}");
    EXPECT_EQ(edit.GetTextLength(), 10);
    edit.SetSel(0, 4);
    EXPECT_EQ(edit.GetSelText(), "Bold");
    CHARFORMAT cf = {};
    edit.GetSelectionCharFormat(cf);
    EXPECT_TRUE((cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD));

    edit.SetSel(5, 10);
    cf.dwMask = CFM_ITALIC | CFM_BOLD;
    cf.dwEffects = CFE_ITALIC;
    EXPECT_TRUE(edit.SetSelectionCharFormat(cf));
    long nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 5);
    EXPECT_EQ(nEnd, 10);

    std::string rtf = StreamOut(edit, SF_RTF);
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << rtf;
    EXPECT_NE(rtf.find("\\b"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\i"), std::string::npos) << rtf;

    CRichEditCtrl copy;
    ASSERT_TRUE(copy.Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 100, 100), &m_host, 309));
    StreamIn(copy, SF_RTF, rtf);
    copy.SetSel(5, 10);
    CHARFORMAT cf2 = {};
    copy.GetSelectionCharFormat(cf2);
    EXPECT_TRUE((cf2.dwMask & CFM_ITALIC) && (cf2.dwEffects & CFE_ITALIC)) << "formatting survived the round trip";
    EXPECT_FALSE(cf2.dwEffects & CFE_BOLD);

    FINDTEXTEX ft = {{0, -1}, "plain", {0, 0}};
    EXPECT_EQ(copy.FindText(FR_DOWN, &ft), 5);
}

// ---------------------------------------------------------------------------
// Tool tips, hot keys, date pickers
// ---------------------------------------------------------------------------

TEST_F(CtlTest, ToolTipCountsAndUpdatesItsTools)
{
    CButton one, two;
    ASSERT_TRUE(one.Create("one", WS_CHILD | WS_VISIBLE, CRect(10, 10, 80, 30), &m_host, 310));
    ASSERT_TRUE(two.Create("two", WS_CHILD | WS_VISIBLE, CRect(90, 10, 160, 30), &m_host, 311));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&m_host, TTS_ALWAYSTIP));
    EXPECT_EQ(tip.GetOwner(), &m_host);

    EXPECT_TRUE(tip.AddTool(&one, "first"));
    EXPECT_TRUE(tip.AddTool(&two, "second"));
    CRect rcArea(200, 200, 260, 240);
    EXPECT_TRUE(tip.AddTool(&m_host, "area", rcArea, 5));
    EXPECT_EQ(tip.GetToolCount(), 3);

    CString str;
    tip.GetText(str, &one);
    EXPECT_EQ(str, "first");
    tip.UpdateTipText("uno", &one);
    tip.GetText(str, &one);
    EXPECT_EQ(str, "uno");

    CToolInfo info;
    ASSERT_TRUE(tip.GetToolInfo(info, &m_host, 5));
    EXPECT_EQ(CRect(info.rect), rcArea);
    EXPECT_STREQ(info.szText, "area");

    tip.DelTool(&two);
    EXPECT_EQ(tip.GetToolCount(), 2);
    tip.SetMaxTipWidth(200);
    EXPECT_EQ(tip.GetMaxTipWidth(), 200);
    tip.DestroyWindow();
}

TEST_F(CtlTest, HotKeyCtrlNamesItsKey)
{
    CHotKeyCtrl hotkey;
    ASSERT_TRUE(hotkey.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &m_host, 312));
    EXPECT_EQ(hotkey.GetHotKeyName(), "") << "no key yet";
    hotkey.SetHotKey('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    WORD wKey = 0, wModifiers = 0;
    hotkey.GetHotKey(wKey, wModifiers);
    EXPECT_EQ(wKey, 'K');
    EXPECT_EQ(wModifiers, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    EXPECT_EQ(hotkey.GetHotKey(), (DWORD)MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT));

    CString strCtrl = CHotKeyCtrl::GetKeyName(VK_CONTROL, FALSE);
    CString strShift = CHotKeyCtrl::GetKeyName(VK_SHIFT, FALSE);
    EXPECT_FALSE(strCtrl.IsEmpty());
    EXPECT_EQ(CHotKeyCtrl::GetKeyName('K', FALSE), "K");
    EXPECT_EQ(hotkey.GetHotKeyName(), strCtrl + " + " + strShift + " + K");
}

TEST_F(CtlTest, DateTimeCtrlTakesEveryTimeForm)
{
    CDateTimeCtrl picker;
    ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE | DTS_SHOWNONE, CRect(10, 10, 200, 30), &m_host, 313));
    EXPECT_TRUE(picker.SetFormat("yyyy'-'MM'-'dd HH':'mm"));

    COleDateTime ole(2021, 3, 14, 15, 9, 26);
    EXPECT_TRUE(picker.SetTime(ole));
    COleDateTime oleBack;
    ASSERT_TRUE(picker.GetTime(oleBack));
    EXPECT_EQ(oleBack.GetYear(), 2021);
    EXPECT_EQ(oleBack.GetMonth(), 3);
    EXPECT_EQ(oleBack.GetDay(), 14);
    EXPECT_EQ(oleBack.GetHour(), 15);
    EXPECT_EQ(oleBack.GetMinute(), 9);
    EXPECT_EQ(oleBack.GetSecond(), 26);

    CTime time(2005, 6, 7, 8, 9, 10);
    EXPECT_TRUE(picker.SetTime(&time));
    CTime timeBack;
    EXPECT_EQ(picker.GetTime(timeBack), (DWORD)GDT_VALID);
    EXPECT_EQ(timeBack, time);

    EXPECT_TRUE(picker.SetTime((const CTime*)NULL));
    EXPECT_EQ(picker.GetTime(timeBack), (DWORD)GDT_NONE);
    EXPECT_FALSE(picker.GetTime(oleBack));
    EXPECT_EQ(oleBack.GetStatus(), COleDateTime::null);
}

// ---------------------------------------------------------------------------
// Bar controls
// ---------------------------------------------------------------------------

TEST_F(CtlTest, ToolBarStatusBarAndReBarControls)
{
    CToolBarCtrl toolbar;
    ASSERT_TRUE(toolbar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_TOP, CRect(0, 0, 0, 0), &m_host, 320));
    TBBUTTON buttons[3] = {};
    const int ids[3] = {1001, 0, 1002};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = i == 1 ? 0 : I_IMAGENONE;
        buttons[i].idCommand = ids[i];
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = i == 1 ? BTNS_SEP : BTNS_BUTTON;
    }
    ASSERT_TRUE(toolbar.AddButtons(3, buttons));
    EXPECT_EQ(toolbar.GetButtonCount(), 3);
    EXPECT_EQ(toolbar.CommandToIndex(1002), 2u);
    TBBUTTON back = {};
    ASSERT_TRUE(toolbar.GetButton(2, &back));
    EXPECT_EQ(back.idCommand, 1002);
    EXPECT_TRUE(toolbar.EnableButton(1001, FALSE));
    EXPECT_FALSE(toolbar.IsButtonEnabled(1001));
    EXPECT_TRUE(toolbar.CheckButton(1002));
    EXPECT_TRUE(toolbar.IsButtonChecked(1002));
    TBBUTTONINFO info = {sizeof(info), TBIF_COMMAND | TBIF_STATE};
    EXPECT_EQ(toolbar.GetButtonInfo(1002, &info), 2);
    EXPECT_TRUE(info.fsState & TBSTATE_CHECKED);

    CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(WS_CHILD | WS_VISIBLE | CCS_BOTTOM, CRect(0, 0, 0, 0), &m_host, 321));
    int widths[3] = {100, 200, -1};
    EXPECT_TRUE(status.SetParts(3, widths));
    int parts[3] = {};
    EXPECT_EQ(status.GetParts(3, parts), 3);
    EXPECT_EQ(parts[1], 200);
    EXPECT_TRUE(status.SetText("Ready", 1, SBT_NOBORDERS));
    int nType = 0;
    EXPECT_EQ(status.GetText(1, &nType), "Ready");
    EXPECT_EQ(nType, SBT_NOBORDERS);
    EXPECT_EQ(status.GetTextLength(1), 5);
    EXPECT_EQ(status.GetText(0), "");

    CReBarCtrl rebar;
    ASSERT_TRUE(rebar.Create(WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT | CCS_TOP, CRect(0, 0, 0, 0), &m_host, 322));
    CEdit child;
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 100, 20), &rebar, 323));
    REBARBANDINFO band = {};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID;
    band.hwndChild = child;
    band.cxMinChild = 100;
    band.cyMinChild = 20;
    band.wID = 77;
    ASSERT_TRUE(rebar.InsertBand(0, &band));
    EXPECT_EQ(rebar.GetBandCount(), 1u);
    EXPECT_EQ(rebar.IDToIndex(77), 0);
    REBARBANDINFO back2 = {};
    back2.cbSize = REBARBANDINFOA_V6_SIZE;
    back2.fMask = RBBIM_CHILD | RBBIM_ID;
    ASSERT_TRUE(rebar.GetBandInfo(0, &back2));
    EXPECT_EQ(back2.hwndChild, child.m_hWnd);
    EXPECT_GE(rebar.GetBarHeight(), 20u);
}

// ---------------------------------------------------------------------------
// Basic controls: edit lines and the scroll bar and size box
// ---------------------------------------------------------------------------

TEST_F(CtlTest, EditAndScrollBarBasics)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, CRect(10, 10, 300, 100), &m_host,
                            314));
    edit.SetWindowText("first\r\nsecond line");
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 7);
    EXPECT_EQ(edit.LineLength(7), 11);
    char szLine[32] = "";
    EXPECT_EQ(edit.GetLine(1, szLine, sizeof(szLine) - 1), 11);
    EXPECT_STREQ(szLine, "second line");
    edit.SetSel(2, 5);
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 2);
    EXPECT_EQ(nEnd, 5);
    edit.SetLimitText(50);
    EXPECT_EQ(edit.GetLimitText(), 50u);

    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(10, 120, 300, 140), &m_host, 315));
    SCROLLINFO si = {};
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = 100;
    si.nPage = 10;
    bar.SetScrollInfo(&si);
    EXPECT_EQ(bar.GetScrollLimit(), 91);
    bar.SetScrollPos(40);
    EXPECT_EQ(bar.GetScrollPos(), 40);

    CScrollBar sizeBox;
    ASSERT_TRUE(sizeBox.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                               CRect(500, 300, 600, 420), &m_host, AFX_IDW_SIZE_BOX));
    CRect rc;
    sizeBox.GetWindowRect(rc);
    m_host.ScreenToClient(rc);
    EXPECT_EQ(rc.BottomRight(), CPoint(600, 420)) << "aligned to the bottom right of the given rectangle";
    EXPECT_LT(rc.Width(), 100);
}

}  // namespace
