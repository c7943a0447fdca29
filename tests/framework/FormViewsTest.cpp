// The document base and the form-view bases under real windows: the modified
// flag as the framework reads it, the form view's context menu following its
// controls, and the tab view making its pages and keeping the selected tab in
// the profile.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include "BaseFormView.h"
#include "BaseTabCtrlFormView.h"
#include "BasedDocument.h"
#include "ContextMenuProbe.h"
#include "formviews_test_res.h"
#include "testsupport.h"

namespace {

const char kTabSection[] = "FormViewsTest";

// A document that outlives the views of a test.
class CKeptDocument : public CBasedDocument
{
public:
    CKeptDocument() { m_bAutoDelete = FALSE; }
};

class CContextFormView : public CBaseFormView
{
    DECLARE_DYNCREATE(CContextFormView)
public:
    CContextFormView() : CBaseFormView(IDD_FORMVIEWS_FORM) {}
};
IMPLEMENT_DYNCREATE(CContextFormView, CBaseFormView)

// A page that counts the objects alive, to see who deletes them.
class CCountedPage : public CBaseDlg
{
public:
    explicit CCountedPage(UINT nIDTemplate) : CBaseDlg(nIDTemplate, NULL) { ++s_nAlive; }
    ~CCountedPage() override { --s_nAlive; }
    static int s_nAlive;
};
int CCountedPage::s_nAlive = 0;

const char* const kTitles[] = {"One", "Two", "Three"};
const UINT kPageTemplates[] = {IDD_FORMVIEWS_PAGE1, IDD_FORMVIEWS_PAGE2, IDD_FORMVIEWS_PAGE3};

class CTabFormView : public CBaseTabCtrlFormView
{
    DECLARE_DYNCREATE(CTabFormView)
public:
    CTabFormView() : CBaseTabCtrlFormView(IDD_FORMVIEWS_TABFORM)
    {
        m_strProfileSection = kTabSection;
        for (int i = 0; i < 3; ++i) AddPage(kTitles[i], new CCountedPage(kPageTemplates[i]));
    }
    int m_nPagesCreated = 0;

protected:
    void OnPagesCreated() override { ++m_nPagesCreated; }
};
IMPLEMENT_DYNCREATE(CTabFormView, CBaseTabCtrlFormView)

// A frame holding one view of the given class on the document, updated as
// a document template would.
CFrameWnd* OpenFrame(CRuntimeClass* pViewClass, CDocument* pDoc)
{
    CCreateContext context;
    context.m_pNewViewClass = pViewClass;
    context.m_pCurrentDoc = pDoc;
    CFrameWnd* pFrame = new CFrameWnd;   // deletes itself with its window
    if (!pFrame->Create(NULL, "FormViews", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), NULL, NULL, 0, &context))
        return NULL;
    pFrame->InitialUpdateFrame(pDoc, TRUE);
    return pFrame;
}

template <class TView>
TView* ViewOf(CFrameWnd* pFrame)
{
    CWnd* pWnd = pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST);
    return pWnd != nullptr && pWnd->IsKindOf(TView::GetThisClass()) ? static_cast<TView*>(pWnd) : nullptr;
}

// ---------------------------------------------------------------------------
// The document's modified flag
// ---------------------------------------------------------------------------

// The flag set through the base is the one the framework asks before it
// drops a document: only a modified document asks to be saved.
TEST(BasedDocumentTest, TheModifiedFlagDecidesWhetherClosingAsks)
{
    CKeptDocument doc;
    CDocument* pDoc = &doc;
    EXPECT_FALSE(pDoc->IsModified());
    pDoc->SetModifiedFlag();
    EXPECT_TRUE(pDoc->IsModified());
    pDoc->SetModifiedFlag(FALSE);
    EXPECT_FALSE(pDoc->IsModified());

    CDialogAnswerer answerer;
    EXPECT_TRUE(pDoc->SaveModified());
    EXPECT_TRUE(answerer.Shown().empty()) << "an unmodified document closes without a question";

    pDoc->SetTitle("Harvest");
    pDoc->SetModifiedFlag(TRUE);
    answerer.Answer(IDCANCEL);
    EXPECT_FALSE(pDoc->SaveModified()) << "cancelling keeps the document";
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_NE(answerer.Shown()[0].text.find("Harvest"), std::string::npos) << answerer.Shown()[0].text;

    EXPECT_TRUE(pDoc->OnNewDocument());
    EXPECT_FALSE(pDoc->IsModified()) << "a new document starts unmodified";
}

// ---------------------------------------------------------------------------
// The form view's context menu
// ---------------------------------------------------------------------------

TEST(BaseFormViewTest, ContextMenuItemsFollowTheStateOfTheViewsControls)
{
    CKeptDocument doc;
    CFrameWnd* pFrame = OpenFrame(RUNTIME_CLASS(CContextFormView), &doc);
    ASSERT_NE(pFrame, nullptr);
    CContextFormView* pView = ViewOf<CContextFormView>(pFrame);
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(pView->m_strProfileSection.IsEmpty());
    ASSERT_EQ(pView->m_nContextMenuId, -1);

    CMessageRecorder rec;
    rec.Watch(pView->m_hWnd, "view");
    rec.Only({WM_INITMENUPOPUP, WM_MEASUREITEM});
    EXPECT_FALSE(OpenContextMenu(pView, rec, 30, 30)) << "no menu id: no menu";

    pView->m_nContextMenuId = IDR_FORMVIEWS_CONTEXT;
    CWnd* pEdit = pView->GetDlgItem(IDC_FORMVIEWS_EDIT);
    CWnd* pButton = pView->GetDlgItem(IDC_FORMVIEWS_BUTTON);
    const UINT grey = MF_GRAYED | MF_DISABLED;
    std::map<UINT, UINT>& states = ContextMenuItemStates();
    // The items of the controls follow them both ways; items naming no
    // control keep the state the resource gives them.
    struct Case {
        BOOL bEditEnabled, bButtonEnabled;
    } const cases[] = {{TRUE, FALSE}, {FALSE, TRUE}};
    for (const Case& c : cases) {
        pEdit->EnableWindow(c.bEditEnabled);
        pButton->EnableWindow(c.bButtonEnabled);
        ASSERT_TRUE(OpenContextMenu(pView, rec, 30, 30));
        EXPECT_EQ((states[IDC_FORMVIEWS_EDIT] & MF_GRAYED) != 0, !c.bEditEnabled) << "edit " << c.bEditEnabled;
        EXPECT_EQ((states[IDC_FORMVIEWS_BUTTON] & MF_GRAYED) != 0, !c.bButtonEnabled)
            << "button " << c.bButtonEnabled;
        EXPECT_EQ(states[ID_FORMVIEWS_FREE] & grey, 0u);
        EXPECT_NE(states[ID_FORMVIEWS_FREE_GRAYED] & MF_GRAYED, 0u);
        EXPECT_NE(states[ID_FORMVIEWS_FREE] & MF_OWNERDRAW, 0u) << "the items are owner-drawn";
        EXPECT_GT(rec.Count(WM_MEASUREITEM), 0) << "and measured through the view";
    }
    pFrame->DestroyWindow();
}

// ---------------------------------------------------------------------------
// The tab view
// ---------------------------------------------------------------------------

class BaseTabCtrlFormViewTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearSection(); }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame)) ::DestroyWindow(m_hFrame);
        ClearSection();
    }
    static void ClearSection() { AfxGetApp()->WriteProfileString(kTabSection, nullptr, nullptr); }

    CTabFormView* Open()
    {
        CFrameWnd* pFrame = OpenFrame(RUNTIME_CLASS(CTabFormView), &m_doc);
        if (pFrame == nullptr) return nullptr;
        m_hFrame = pFrame->m_hWnd;
        return ViewOf<CTabFormView>(pFrame);
    }
    void Close() { ::DestroyWindow(m_hFrame); }
    static int StoredTab() { return (int)AfxGetApp()->GetProfileInt(kTabSection, "CurrentTab", -99); }

    // The indexes of the visible pages.
    static std::vector<int> VisiblePages(CTabFormView* pView)
    {
        std::vector<int> visible;
        for (int i = 0; i < pView->m_TabCtrl.GetPageCount(); ++i)
            if (pView->m_TabCtrl.GetPage(i)->IsWindowVisible()) visible.push_back(i);
        return visible;
    }

    CKeptDocument m_doc;
    HWND m_hFrame = NULL;
};

TEST_F(BaseTabCtrlFormViewTest, CreatesItsPagesInTheTabControlAndDeletesThemWithIt)
{
    CTabFormView* pView = Open();
    ASSERT_NE(pView, nullptr);
    CDialogTabCtrl& tabs = pView->m_TabCtrl;
    ASSERT_EQ(tabs.GetDlgCtrlID(), 1023);
    ASSERT_EQ(tabs.GetItemCount(), 3);
    ASSERT_EQ(tabs.GetPageCount(), 3);
    EXPECT_EQ(CCountedPage::s_nAlive, 3);
    EXPECT_EQ(pView->m_nPagesCreated, 1);
    const CRect pageArea = tabs.GetPageRect(FALSE);
    for (int i = 0; i < 3; ++i) {
        char text[32] = {};
        TCITEM item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(tabs.GetItem(i, &item));
        EXPECT_STREQ(text, kTitles[i]);
        EXPECT_EQ(item.iImage, i);
        CDialog* pPage = tabs.GetPage(i);
        ASSERT_TRUE(pPage != nullptr && pPage->GetSafeHwnd() != NULL) << "page " << i;
        EXPECT_EQ(pPage, pView->m_arrPages[i]);
        EXPECT_EQ(pPage->GetParent(), &tabs);
        CRect rc;
        pPage->GetWindowRect(rc);
        tabs.ScreenToClient(rc);
        EXPECT_EQ(rc, pageArea) << "page " << i;
    }

    // A second initial update (a new document in the same frame) keeps them.
    pView->OnInitialUpdate();
    EXPECT_EQ(tabs.GetItemCount(), 3);
    EXPECT_EQ(CCountedPage::s_nAlive, 3);
    EXPECT_EQ(pView->m_nPagesCreated, 1);

    Close();
    EXPECT_EQ(CCountedPage::s_nAlive, 0);
}

// The stored tab is shown at the start; one that no longer exists falls back
// to the first.
TEST_F(BaseTabCtrlFormViewTest, SelectsTheTabStoredUnderCurrentTab)
{
    struct Case {
        int nStored;   // -99: nothing stored
        int nShown;
    } const cases[] = {{-99, 0}, {0, 0}, {2, 2}, {1, 1}, {3, 0}, {-1, 0}};
    for (const Case& c : cases) {
        ClearSection();
        if (c.nStored != -99) AfxGetApp()->WriteProfileInt(kTabSection, "CurrentTab", c.nStored);
        CTabFormView* pView = Open();
        ASSERT_NE(pView, nullptr);
        EXPECT_EQ(pView->m_TabCtrl.GetCurSel(), c.nShown) << "stored " << c.nStored;
        EXPECT_EQ(pView->m_TabCtrl.GetActivePage(), c.nShown) << "stored " << c.nStored;
        EXPECT_EQ(VisiblePages(pView), std::vector<int>{c.nShown}) << "stored " << c.nStored;
        EXPECT_TRUE(::IsChild(pView->m_TabCtrl.GetPage(c.nShown)->m_hWnd, ::GetFocus()))
            << "the shown page has the focus; stored " << c.nStored;
        Close();
        EXPECT_EQ(StoredTab(), c.nShown);
    }
}

TEST_F(BaseTabCtrlFormViewTest, WritesTheTabSelectedByAClickBackAtDestroy)
{
    AfxGetApp()->WriteProfileInt(kTabSection, "CurrentTab", 2);
    CTabFormView* pView = Open();
    ASSERT_NE(pView, nullptr);
    CRect rcTab;
    ASSERT_TRUE(pView->m_TabCtrl.GetItemRect(1, rcTab));
    pView->m_TabCtrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y));
    pView->m_TabCtrl.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y));
    EXPECT_EQ(VisiblePages(pView), std::vector<int>{1});
    EXPECT_EQ(StoredTab(), 2) << "written only when the view goes";
    Close();
    EXPECT_EQ(StoredTab(), 1);
}

}  // namespace
