// The property window: the categorized and alphabetical arrangements as
// tables (without a window), then the window itself: its children and
// layout, editors shown over the value cell, and each way an edit ends.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OXEdit.h"
#include "OXMaskedEdit.h"
#include "OXPropertiesWnd.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// The list as text: "Category{A B} C", children in braces, in tree order.
std::string Layout(COXPropertiesWnd& wnd, HTREEITEM hParent = TVI_ROOT)
{
    std::string s;
    COXTreeCtrl& tree = *wnd.GetTree();
    for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h)) {
        if (!s.empty())
            s += " ";
        s += (LPCTSTR)tree.GetItemText(h, 0);
        if (tree.GetChildItem(h) != NULL)
            s += "{" + Layout(wnd, h) + "}";
    }
    return s;
}

// A window that can be told to refuse changes and deletions, and remembers
// what it was asked.
class CTestPropertiesWnd : public COXPropertiesWnd
{
public:
    BOOL OnPropertyChanged(HTREEITEM, LPCTSTR lpszOld, LPCTSTR lpszNew) override
    {
        changes.push_back(std::string(lpszOld) + ">" + lpszNew);
        return bAcceptChanges;
    }
    BOOL OnDeleteProperty(HTREEITEM hItem) override { return hItem != hKeep; }

    BOOL bAcceptChanges = TRUE;
    HTREEITEM hKeep = NULL;
    std::vector<std::string> changes;
};

TEST(COXPropertiesWndRules, ViewsRearrangeTheSameItems)
{
    CTestPropertiesWnd wnd;   // no window: the list's items alone
    wnd.GetTree()->ModifyStyle(0, TVS_LINESATROOT);   // as the window's creation gives it
    const struct {
        const char* what;
        std::function<void(CTestPropertiesWnd&)> step;
        const char* layout;
        BOOL bLinesAtRoot;
    } steps[] = {
        {"added in both kinds",
         [](CTestPropertiesWnd& w) {
             w.AddProperty("Font", "Tahoma", "The face of the text", "Look");
             w.AddProperty("Colour", "red", NULL, "Look");
             w.AddProperty("Width", "80", NULL, "Size");
             w.AddProperty("Name", "main");
         },
         "Look{Colour Font} Name Size{Width}", TRUE},
        {"alphabetical", [](CTestPropertiesWnd& w) { w.SetCategorized(FALSE); }, "Colour Font Name Width", FALSE},
        {"a category added while alphabetical",
         [](CTestPropertiesWnd& w) { w.AddProperty("Height", "20", NULL, "Size"); },
         "Colour Font Name Width Size{Height}", FALSE},
        {"categorized again", [](CTestPropertiesWnd& w) { w.SetCategorized(TRUE); },
         "Look{Colour Font} Name Size{Height Width}", TRUE},
        {"the view already shown is not redone",
         [](CTestPropertiesWnd& w) {
             w.GetTree()->MoveItem(w.FindCategory("Look"), TVI_ROOT, TVI_LAST);
             w.SetCategorized(TRUE);
         },
         "Name Size{Height Width} Look{Colour Font}", TRUE},
        {"the last property of a category takes it along",
         [](CTestPropertiesWnd& w) {
             EXPECT_TRUE(w.DeleteProperty(w.FindProperty("Colour", "Look")));
             EXPECT_TRUE(w.DeleteProperty(w.FindProperty("Font", "Look")));
         },
         "Name Size{Height Width}", TRUE},
        {"a top-level property goes alone", [](CTestPropertiesWnd& w) { EXPECT_TRUE(w.DeleteProperty(w.FindProperty("Name"))); },
         "Size{Height Width}", TRUE},
        {"a category's handle is refused, its properties stay",
         [](CTestPropertiesWnd& w) {
             EXPECT_FALSE(w.DeleteProperty(w.FindCategory("Size")));
             EXPECT_FALSE(w.DeleteProperty(NULL));
             EXPECT_EQ(w.m_mapCategories.GetCount(), 2);
         },
         "Size{Height Width}", TRUE},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        s.step(wnd);
        EXPECT_EQ(Layout(wnd), s.layout);
        EXPECT_EQ(wnd.GetTree()->HasLinesAtRoot() != 0, s.bLinesAtRoot != 0);
        EXPECT_EQ(wnd.IsCategorized(), s.bLinesAtRoot);
    }
    // Every property kept its handle, its value and its description through the switches.
    HTREEITEM hWidth = wnd.FindProperty("Width", "Size");
    ASSERT_NE(hWidth, (HTREEITEM)NULL);
    EXPECT_TRUE(wnd.IsProperty(hWidth));
    EXPECT_EQ(std::string(wnd.GetPropertyValue(hWidth)), "80");
    EXPECT_EQ(wnd.FindProperty("Width"), (HTREEITEM)NULL);   // not at the top level
    EXPECT_EQ(wnd.FindProperty("Width", "Nowhere"), (HTREEITEM)NULL);
    EXPECT_EQ(wnd.FindCategory("size"), (HTREEITEM)NULL);    // names match exactly
}

TEST(COXPropertiesWndRules, DeleteAllReportsARefusalAndKeepsThatProperty)
{
    CTestPropertiesWnd wnd;
    wnd.AddProperty("A", "1", NULL, "One");
    wnd.hKeep = wnd.AddProperty("B", "2", NULL, "One");
    wnd.AddProperty("C", "3");
    EXPECT_FALSE(wnd.DeleteAllProperties());
    EXPECT_EQ(Layout(wnd), "One{B}");
    EXPECT_EQ(wnd.m_mapCategories.GetCount(), 1);
    EXPECT_EQ(wnd.m_mapDescriptions.GetCount(), 1);
    wnd.hKeep = NULL;
    EXPECT_TRUE(wnd.DeleteAllProperties());
    EXPECT_EQ(Layout(wnd), "");
}

TEST(COXPropertiesWndRules, TheTitleFontIsBoldTahoma)
{
    COXPropertyDescriptionPane pane;
    LOGFONT lfTitle = {}, lfText = {};
    ASSERT_TRUE(pane.m_fontTitle.GetLogFont(&lfTitle));
    ASSERT_TRUE(pane.m_fontText.GetLogFont(&lfText));
    EXPECT_STREQ(lfTitle.lfFaceName, "Tahoma");
    EXPECT_EQ(lfTitle.lfWeight, FW_BOLD);
    EXPECT_STREQ(lfText.lfFaceName, "Tahoma");
    EXPECT_EQ(lfTitle.lfHeight, lfText.lfHeight);
}

// ---------------------------------------------------------------------------
// The window
// ---------------------------------------------------------------------------
class COXPropertiesWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create("Properties", CRect(60, 60, 460, 460)));
        m_frame.Show();
        m_wnd = m_frame;
        m_mask.SetMask("##:##");
        m_hName = m_wnd->AddProperty("Name", "main", "What the window is called", "General", &m_editPlain);
        m_hTime = m_wnd->AddProperty("Start", "09:30", "When the harvest starts", "General", &m_mask);
        m_hPlain = m_wnd->AddProperty("Owner", "nobody", "Who may change it", "General");
        m_hBox = m_wnd->AddProperty("Region", "us", "Where the searches come from", "Market", &m_edit);
        PumpMessagesFor(0);
    }

    // Selects a property as the list does when it is clicked.
    void Select(HTREEITEM hItem)
    {
        m_wnd->GetTree()->SelectItem(hItem);
        PumpMessagesFor(0);
    }
    void PressKey(UINT nKey)
    {
        CWnd* pEditor = m_wnd->GetEditor();
        MSG msg = {};
        msg.hwnd = pEditor != NULL ? pEditor->m_hWnd : m_wnd->GetTree()->m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = nKey;
        if (!CWnd::WalkPreTranslateTree(m_wnd->m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        PumpMessagesFor(0);
    }
    CRect TreeRect()
    {
        CRect rect;
        m_wnd->GetTree()->GetWindowRect(&rect);
        m_wnd->ScreenToClient(&rect);
        return rect;
    }

    CScopedFrame<CTestPropertiesWnd> m_frame;
    CTestPropertiesWnd* m_wnd = nullptr;
    CEdit m_editPlain;
    COXMaskedEdit m_mask;
    COXEdit m_edit;
    HTREEITEM m_hName = NULL, m_hTime = NULL, m_hPlain = NULL, m_hBox = NULL;
};

TEST_F(COXPropertiesWndTest, ChildrenColumnsToolBarAndFlatAnswer)
{
    for (int nID : {1000, 1001, 1002, 28134})
        EXPECT_NE(m_wnd->GetDlgItem(nID), nullptr) << nID;
    EXPECT_FALSE(m_wnd->GetExStyle() & WS_EX_CLIENTEDGE);
    CRect rectWindow, rectFramed;
    m_wnd->GetWindowRect(&rectWindow);
    m_wnd->GetClientRect(&rectFramed);
    ::AdjustWindowRectEx(&rectFramed, m_wnd->GetStyle(), FALSE, m_wnd->GetExStyle());
    EXPECT_EQ(rectFramed.Size(), rectWindow.Size()) << "the non-client area still has the removed edge";
    EXPECT_EQ(m_wnd->GetTree()->GetColumnCount(), 2);
    char szText[32] = {};
    LVCOLUMN lvc = {};
    lvc.mask = LVCF_TEXT;
    lvc.pszText = szText;
    lvc.cchTextMax = sizeof szText;
    for (int nCol : {0, 1}) {
        ASSERT_TRUE(m_wnd->GetTree()->GetColumn(nCol, &lvc));
        EXPECT_STREQ(szText, nCol == 0 ? "Property" : "Value");
    }
    CToolBarCtrl& bar = m_wnd->GetToolBar()->GetToolBarCtrl();
    ASSERT_EQ(bar.GetButtonCount(), 2);
    EXPECT_GE(bar.CommandToIndex(ID_OX_PROPERTIES_CATEGORIZED), 0);
    EXPECT_GE(bar.CommandToIndex(ID_OX_PROPERTIES_ALPHABETICAL), 0);

    // A burst of additions is drawn once the queue is read: the list is not left locked.
    EXPECT_EQ(m_wnd->GetTree()->m_nRedrawLock, 0);
    EXPECT_FALSE(m_wnd->GetTree()->m_bRedrawOff);

    // The tree asks for its flat layout with the registered message only.
    EXPECT_EQ(m_wnd->SendMessage(OXTreeQueryFlatMessage()), 1);
    EXPECT_EQ(m_wnd->SendMessage(WM_USER + 92), 0);

    // The buttons switch the view and show which one is shown.
    m_wnd->SendMessage(WM_COMMAND, ID_OX_PROPERTIES_ALPHABETICAL);
    EXPECT_EQ(Layout(*m_wnd), "Name Owner Region Start");
    m_wnd->GetToolBar()->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(bar.IsButtonChecked(ID_OX_PROPERTIES_ALPHABETICAL));
    EXPECT_FALSE(bar.IsButtonChecked(ID_OX_PROPERTIES_CATEGORIZED));
    m_wnd->SendMessage(WM_COMMAND, ID_OX_PROPERTIES_CATEGORIZED);
    EXPECT_EQ(Layout(*m_wnd), "General{Name Owner Start} Market{Region}");
    m_wnd->GetToolBar()->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(bar.IsButtonChecked(ID_OX_PROPERTIES_CATEGORIZED));
}

TEST_F(COXPropertiesWndTest, HidingACompanionLaysOutAtOnce)
{
    CRect client;
    m_wnd->GetClientRect(&client);
    const CRect full = TreeRect();
    EXPECT_EQ(full.left, 1);
    EXPECT_EQ(full.right, client.right - 1);
    EXPECT_EQ(full.bottom, client.bottom - 50 - 1);

    m_wnd->ShowToolBar(FALSE);   // no WM_SIZE: the layout follows at once
    EXPECT_FALSE(m_wnd->GetToolBar()->IsWindowVisible());
    EXPECT_EQ(TreeRect().top, full.top - 25);
    m_wnd->ShowDescription(FALSE);
    EXPECT_FALSE(m_wnd->GetDescriptionPane()->IsWindowVisible());
    EXPECT_EQ(TreeRect().bottom, client.bottom - 1);
    m_wnd->ShowComboBox(FALSE);
    EXPECT_EQ(TreeRect().top, 1);
    m_wnd->ShowToolBar(TRUE);
    m_wnd->ShowDescription(TRUE);
    m_wnd->ShowComboBox(TRUE);
    EXPECT_EQ(TreeRect(), full);
}

TEST_F(COXPropertiesWndTest, SelectingOpensTheEditorOverTheValueCell)
{
    Select(m_hName);
    ASSERT_EQ(m_wnd->GetEditor(), &m_editPlain);
    EXPECT_EQ(m_wnd->GetEditItem(), m_hName);
    EXPECT_TRUE(m_editPlain.IsWindowVisible());
    EXPECT_EQ(m_editPlain.GetParent(), m_wnd->GetTree());
    EXPECT_EQ(m_editPlain.GetDlgCtrlID(), 1003);
    EXPECT_EQ(WindowText(m_editPlain.m_hWnd), "main");
    CRect rect, cell = m_wnd->GetValueCellRect(m_hName);
    m_editPlain.GetWindowRect(&rect);
    m_wnd->GetTree()->ScreenToClient(&rect);
    EXPECT_EQ(rect.left, cell.left);
    EXPECT_EQ(rect.right, cell.right);
    EXPECT_EQ(rect.bottom, cell.bottom);
    EXPECT_FALSE(rect.IsRectEmpty());
    EXPECT_EQ(std::string(m_wnd->GetDescriptionPane()->GetTitle()), "Name");
    EXPECT_EQ(std::string(m_wnd->GetDescriptionPane()->GetDescription()), "What the window is called");

    // Another property while editing: the edit ends (committed), the next
    // editor waits for the next selection.
    m_editPlain.SetWindowText("second");
    Select(m_hBox);
    EXPECT_EQ(m_wnd->GetEditor(), nullptr);
    EXPECT_FALSE(m_editPlain.IsWindowVisible());
    EXPECT_EQ(std::string(m_wnd->GetPropertyValue(m_hName)), "second");
    Select(m_hBox);
    ASSERT_EQ(m_wnd->GetEditor(), &m_edit);
    EXPECT_EQ(WindowText(m_edit.m_hWnd), "us");

    // A property without an editor only describes itself.
    PressKey(VK_ESCAPE);
    Select(m_hPlain);
    EXPECT_EQ(m_wnd->GetEditor(), nullptr);
    EXPECT_EQ(std::string(m_wnd->GetDescriptionPane()->GetTitle()), "Owner");
}

// The editor's text stands where the list draws the value once the edit
// ends: same left edge and same top, to the pixel, for each kind of editor.
TEST_F(COXPropertiesWndTest, TheEditorsTextStandsWhereTheValueIsDrawn)
{
    COXTreeCtrl* pTree = m_wnd->GetTree();
    for (HTREEITEM hItem : {m_hName, m_hTime, m_hBox}) {
        Select(hItem);
        CWnd* pEditor = m_wnd->GetEditor();
        ASSERT_NE(pEditor, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(pEditor->m_hWnd, NULL, FALSE); }, kWaitMs));
        pEditor->HideCaret();
        CRect client;
        pEditor->GetClientRect(&client);
        CClientDC dcEditor(pEditor);
        CRect inEditor = InkBounds(dcEditor, client, dcEditor.GetPixel(0, 0));
        pEditor->ShowCaret();
        pEditor->MapWindowPoints(pTree, &inEditor);
        const std::string name = (LPCTSTR)pTree->GetItemText(hItem, 0);

        PressKey(VK_ESCAPE);
        ASSERT_EQ(m_wnd->GetEditor(), nullptr) << name;
        ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(pTree->m_hWnd, NULL, FALSE); }, kWaitMs));
        const CRect cell = m_wnd->GetValueCellRect(hItem);
        CClientDC dcTree(pTree);
        // past the faint line at the cell's left
        const CRect text(cell.left + 2, cell.top, cell.right, cell.bottom);
        const CRect inList = InkBounds(dcTree, text, dcTree.GetPixel(text.right - 1, text.top));
        ASSERT_FALSE(inList.IsRectEmpty()) << name;
        EXPECT_EQ(inEditor.TopLeft(), inList.TopLeft()) << name;
    }
}

TEST_F(COXPropertiesWndTest, EachWayAnEditEnds)
{
    const struct {
        const char* what;
        std::function<void()> end;
        bool bCommitted;
    } enders[] = {
        {"Escape", [this] { PressKey(VK_ESCAPE); }, false},
        {"Return", [this] { PressKey(VK_RETURN); }, true},
        {"the scroll bar", [this] { m_wnd->GetTree()->SendMessage(WM_VSCROLL, SB_LINEDOWN); }, true},
        {"the wheel",
         [this] {
             CRect r;
             m_wnd->GetTree()->GetWindowRect(&r);
             m_wnd->GetTree()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
                                           MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
         },
         true},
        {"a click below the rows",
         [this] {
             CRect r;
             m_wnd->GetTree()->GetClientRect(&r);
             const LPARAM lp = MAKELPARAM(r.CenterPoint().x, r.bottom - 3);
             m_wnd->GetTree()->PostMessage(WM_LBUTTONUP, 0, lp);
             m_wnd->GetTree()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lp);
             PumpMessagesFor(0);
         },
         true},
    };
    int n = 0;
    for (const auto& e : enders) {
        SCOPED_TRACE(e.what);
        const CString sOld = m_wnd->GetPropertyValue(m_hName);
        Select(m_hName);
        ASSERT_EQ(m_wnd->GetEditor(), &m_editPlain);
        const std::string sTyped = "typed " + std::to_string(++n);
        m_editPlain.SetWindowText(sTyped.c_str());
        e.end();
        EXPECT_EQ(m_wnd->GetEditor(), nullptr);
        EXPECT_EQ(m_wnd->GetEditItem(), (HTREEITEM)NULL);
        EXPECT_FALSE(m_editPlain.IsWindowVisible());
        EXPECT_EQ(m_wnd->GetSelectedProperty(), (HTREEITEM)NULL);
        EXPECT_EQ(std::string(m_wnd->GetPropertyValue(m_hName)), e.bCommitted ? sTyped : std::string(sOld));
    }
}

TEST_F(COXPropertiesWndTest, MaskedAndToolkitEditorsAndARefusedChange)
{
    // The masked editor takes and gives the value as its text, literals included.
    Select(m_hTime);
    ASSERT_EQ(m_wnd->GetEditor(), &m_mask);
    EXPECT_EQ(WindowText(m_mask.m_hWnd), "09:30");
    m_mask.SetWindowText("10:45");
    PressKey(VK_RETURN);
    EXPECT_EQ(std::string(m_wnd->GetPropertyValue(m_hTime)), "10:45");

    // The toolkit edit is emptied and given the value; its text comes back.
    Select(m_hBox);
    ASSERT_EQ(m_wnd->GetEditor(), &m_edit);
    EXPECT_EQ(WindowText(m_edit.m_hWnd), "us");
    m_edit.SetWindowText("de");
    m_wnd->bAcceptChanges = FALSE;
    PressKey(VK_RETURN);
    EXPECT_EQ(std::string(m_wnd->GetPropertyValue(m_hBox)), "us");
    ASSERT_FALSE(m_wnd->changes.empty());
    EXPECT_EQ(m_wnd->changes.back(), "us>de");

    // The editor windows are kept for the next edit of their property.
    const HWND hMask = m_mask.m_hWnd;
    Select(m_hTime);
    EXPECT_EQ(m_mask.m_hWnd, hMask);
    EXPECT_EQ(WindowText(m_mask.m_hWnd), "10:45");
}

TEST_F(COXPropertiesWndTest, DeletingTheEditedPropertyEndsTheEditFirst)
{
    Select(m_hName);
    m_editPlain.SetWindowText("gone");
    EXPECT_TRUE(m_wnd->DeleteProperty(m_hName));
    EXPECT_EQ(m_wnd->GetEditor(), nullptr);
    EXPECT_FALSE(m_editPlain.IsWindowVisible());
    EXPECT_EQ(m_wnd->changes, std::vector<std::string>{"main>gone"});
    EXPECT_EQ(Layout(*m_wnd), "General{Owner Start} Market{Region}");
}

// The rows hold their font whole: its cell height, a pixel above and below,
// and the grid line drawn over each row's last pixel row; a font given later
// makes them taller.
TEST_F(COXPropertiesWndTest, RowsAreAsTallAsTheirFontAndGridLine)
{
    COXTreeCtrl* pTree = m_wnd->GetTree();
    auto rowHeight = [&] {
        CRect rectRow;
        pTree->GetItemRect(m_hName, &rectRow, FALSE);
        return rectRow.Height();
    };
    auto fontHeight = [&] {
        CClientDC dc(pTree);
        CFont* pOld = dc.SelectObject(pTree->GetFont());
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        return (int)(tm.tmHeight + tm.tmExternalLeading);
    };
    EXPECT_GE(rowHeight(), fontHeight() + 3);

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(140, "Tahoma"));
    pTree->SetFont(&font);
    PumpMessagesFor(0);
    EXPECT_GE(fontHeight(), 20);
    EXPECT_GE(rowHeight(), fontHeight() + 3);
    pTree->SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
}

}  // namespace
