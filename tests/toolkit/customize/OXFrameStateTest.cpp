// Records of windows: the rect tracker's adjustments, splitter rows and
// columns kept and put back, and an MDI child frame captured, stored through
// an archive and opened again where it was, with its splitter sizes.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXCaptionPainter.h"
#include "OXChildFrameState.h"
#include "OXRectTracker.h"
#include "OXSplitterColRowState.h"
#include "customize_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

TEST(OXRectTracker, AdjustmentsKeepInsideTheBoundAndToOneDirection)
{
    struct Case { const char* what; CRect bound; UINT style; int handle; CRect in, expected; } cases[] = {
        {"moved past the right: left on the bound's right", CRect(0, 0, 200, 100), 0, 8,
         CRect(250, 5, 300, 35), CRect(200, 5, 250, 35)},
        {"moved down: top at most 10 above the bottom", CRect(0, 0, 200, 100), 0, 8,
         CRect(20, 95, 70, 125), CRect(20, 90, 70, 120)},
        {"moved left of the bound", CRect(0, 0, 200, 100), 0, 8,
         CRect(-30, 20, 20, 50), CRect(0, 20, 50, 50)},
        {"sized past the bound: cut to it", CRect(0, 0, 200, 100), 0, 2,
         CRect(10, 10, 260, 140), CRect(10, 10, 200, 100)},
        {"horizontal only: a corner changes the width alone", CRect(), OX_RT_HORZ_ONLY, 2,
         CRect(10, 10, 80, 70), CRect(10, 10, 80, 40)},
        {"vertical only", CRect(), OX_RT_VERT_ONLY, 2, CRect(10, 10, 80, 70), CRect(10, 10, 60, 70)},
        {"no bound: as the base", CRect(), 0, 8, CRect(500, 500, 550, 530), CRect(500, 500, 550, 530)},
    };
    for (const Case& c : cases) {
        COXRectTracker tracker(CRect(10, 10, 60, 40), CRectTracker::solidLine | c.style);
        tracker.SetBoundRect(c.bound);
        tracker.SetOriginalRect(CRect(10, 10, 60, 40));
        CRect r = c.in;
        tracker.AdjustRect(c.handle, &r);
        EXPECT_EQ(r, c.expected) << c.what;
    }
    EXPECT_EQ(COXRectTracker::HandleFromHitCode(HTCAPTION), CRectTracker::hitMiddle);
    EXPECT_EQ(COXRectTracker::HandleFromHitCode(HTBOTTOMRIGHT), CRectTracker::hitBottomRight);
    EXPECT_EQ(COXRectTracker::HandleFromHitCode(HTLEFT), CRectTracker::hitLeft);
}

TEST(OXSplitterRect, ANarrowStripStillDrawsItsFourLinesInOrder)
{
    CPixelCanvas canvas(10, 10, kBlue);
    COXSplitterRect strip(COXSplitterRect::vertical, CRect(2, 0, 4, 10));
    strip.Draw(&canvas.dc);
    // left+1 = 3 gets the face, then left+2 = 4 is outside; right-1 = 3 the
    // frame colour over the face, right-2 = 2 the shadow.
    EXPECT_EQ(canvas.At(3, 5), ::GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(canvas.At(2, 5), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(4, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    COXSplitterRect other(7, CRect(0, 0, 10, 10));
    CPixelCanvas untouched(10, 10, kBlue);
    other.Draw(&untouched.dc);
    EXPECT_EQ(untouched.Count(kBlue), 100);
}

// A document of the test and a child frame split in two columns.
class CSheetDoc : public CDocument { DECLARE_DYNCREATE(CSheetDoc) };
IMPLEMENT_DYNCREATE(CSheetDoc, CDocument)

class CSheetView : public CView
{
    DECLARE_DYNCREATE(CSheetView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CSheetView, CView)

class CSplitChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CSplitChild)
public:
    CSplitterWnd m_splitter;
protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_splitter.CreateStatic(this, 1, 2)
            && m_splitter.CreateView(0, 0, RUNTIME_CLASS(CSheetView), CSize(100, 100), pContext)
            && m_splitter.CreateView(0, 1, RUNTIME_CLASS(CSheetView), CSize(100, 100), pContext);
    }
};
IMPLEMENT_DYNCREATE(CSplitChild, CMDIChildWnd)

class OXChildFrameStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pApp = AfxGetApp();
        m_pSavedMain = m_pApp->m_pMainWnd;
        m_pMain = new CMDIFrameWnd;
        ASSERT_TRUE(m_pMain->LoadFrame(IDR_CT_MDIFRAME, WS_OVERLAPPEDWINDOW));
        m_pApp->m_pMainWnd = m_pMain;
        m_pMain->MoveWindow(0, 0, 800, 600);
        m_pMain->ShowWindow(SW_SHOWNORMAL);
        m_pTemplate = new CMultiDocTemplate(IDR_CT_DOC, RUNTIME_CLASS(CSheetDoc), RUNTIME_CLASS(CSplitChild),
                                            RUNTIME_CLASS(CSheetView));
        m_pApp->AddDocTemplate(m_pTemplate);
    }
    void TearDown() override
    {
        m_pTemplate->CloseAllDocuments(FALSE);
        m_pMain->DestroyWindow();
        m_pApp->m_pMainWnd = m_pSavedMain;
        // The template stays with the document manager: other tests ignore it.
        MSG msg;
        while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    CSplitChild* OpenNew()
    {
        CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
        if (pDoc == NULL)
            return NULL;
        POSITION pos = pDoc->GetFirstViewPosition();
        return (CSplitChild*)pDoc->GetNextView(pos)->GetParentFrame();
    }

    CWinApp* m_pApp = NULL;
    CWnd* m_pSavedMain = NULL;
    CMDIFrameWnd* m_pMain = NULL;
    CMultiDocTemplate* m_pTemplate = NULL;
};

TEST_F(OXChildFrameStateTest, AFrameComesBackWhereItWasWithItsSplitter)
{
    CSplitChild* pChild = OpenNew();
    ASSERT_NE(pChild, nullptr);
    pChild->MoveWindow(20, 30, 400, 250);
    pChild->m_splitter.SetColumnInfo(0, 150, 20);
    pChild->m_splitter.RecalcLayout();

    COXChildFrameState state;
    ASSERT_TRUE(state.Capture(pChild));
    EXPECT_EQ(state.m_sDocumentClass, "CSheetDoc");
    EXPECT_EQ(state.m_sFrameClass, "CSplitChild");
    EXPECT_EQ(state.m_sViewClass, "CSheetView");
    EXPECT_TRUE(state.m_sDocumentPath.IsEmpty());
    ASSERT_EQ(state.m_pSplitterStates->GetSize(), 3);   // one row, then two columns

    // Through an archive, as the workspace keeps it.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &state;
    }
    pChild->SendMessage(WM_CLOSE);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CObject* pObject = ar.ReadObject(RUNTIME_CLASS(COXChildFrameState));
    COXChildFrameState* pBack = dynamic_cast<COXChildFrameState*>(pObject);
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(pBack->m_nSchema, 1);

    ASSERT_TRUE(pBack->Apply());
    CSplitChild* pAgain = dynamic_cast<CSplitChild*>(pBack->GetAppliedFrame());
    ASSERT_NE(pAgain, nullptr);
    WINDOWPLACEMENT wp = {sizeof wp};
    pAgain->GetWindowPlacement(&wp);
    EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(20, 30, 420, 280));
    int cx, cxMin;
    pAgain->m_splitter.GetColumnInfo(0, cx, cxMin);
    EXPECT_EQ(cx, 150);
    EXPECT_EQ(cxMin, 20);
    delete pBack;
}

TEST_F(OXChildFrameStateTest, SplitterRecordsForPanesTheSplitterLacksArePassedOver)
{
    CSplitChild* pChild = OpenNew();
    ASSERT_NE(pChild, nullptr);
    pChild->MoveWindow(0, 0, 400, 250);
    // Records as a stored workspace may hold them, for a splitter of one row
    // and two columns: each bad one beside a good one for column 0.
    struct Case { BOOL bRow; int nIndex; } cases[] = {{FALSE, -1}, {TRUE, -1}, {FALSE, INT_MIN}, {FALSE, 2}, {TRUE, 1}};
    int nSize = 120;
    for (const Case& c : cases) {
        COXChildFrameState state;
        for (const Case& record : {c, Case{FALSE, 0}}) {
            COXSplitterColRowState* pRecord = new COXSplitterColRowState;
            pRecord->m_bRow = record.bRow;
            pRecord->m_nIndex = record.nIndex;
            pRecord->m_nIdealSize = ++nSize;
            pRecord->m_nMinSize = 15;
            state.m_pSplitterStates->Add(pRecord);
        }
        EXPECT_FALSE(state.ApplySplitterProperties(pChild)) << (c.bRow ? "row " : "column ") << c.nIndex;
        int cx, cxMin;
        pChild->m_splitter.GetColumnInfo(0, cx, cxMin);
        EXPECT_EQ(cx, nSize) << (c.bRow ? "row " : "column ") << c.nIndex;
        EXPECT_EQ(cxMin, 15);
    }
}

TEST_F(OXChildFrameStateTest, ThreeDocumentsComeBackWhereTheyWere)
{
    const CRect places[3] = {CRect(0, 0, 300, 200), CRect(40, 30, 360, 250), CRect(80, 60, 420, 300)};
    COXChildFrameState states[3];
    for (int i = 0; i < 3; i++) {
        CSplitChild* pChild = OpenNew();
        ASSERT_NE(pChild, nullptr);
        pChild->MoveWindow(places[i]);
        if (i == 1) {   // one of them split at a size of its own
            pChild->m_splitter.SetColumnInfo(0, 120, 10);
            pChild->m_splitter.RecalcLayout();
        }
        ASSERT_TRUE(states[i].Capture(pChild));
    }
    m_pTemplate->CloseAllDocuments(FALSE);
    for (int i = 0; i < 3; i++) {
        ASSERT_TRUE(states[i].Apply());
        CSplitChild* pAgain = dynamic_cast<CSplitChild*>(states[i].GetAppliedFrame());
        ASSERT_NE(pAgain, nullptr);
        WINDOWPLACEMENT wp = {sizeof wp};
        pAgain->GetWindowPlacement(&wp);
        EXPECT_EQ(CRect(wp.rcNormalPosition), places[i]) << i;
        if (i == 1) {
            int cx, cxMin;
            pAgain->m_splitter.GetColumnInfo(0, cx, cxMin);
            EXPECT_EQ(cx, 120);
        }
    }
}

TEST_F(OXChildFrameStateTest, MdiChildrenTakeTheThreadsCaptionLook)
{
    COXCaptionPainterOrganizer organizer;
    CSplitChild* pFirst = OpenNew();
    ASSERT_NE(pFirst, nullptr);
    ASSERT_TRUE(organizer.AttachToThread());
    ASSERT_TRUE(organizer.IsAttached(pFirst));
    COXCaptionInfo look;
    look.m_clrBackground = RGB(0, 80, 160);
    organizer.SetCaptionInfo(NULL, &look, TRUE);
    // A child opened later takes the look of the painted ones.
    CSplitChild* pSecond = OpenNew();
    ASSERT_NE(pSecond, nullptr);
    COXCaptionPainter* pPainter = organizer.GetPainter(pSecond);
    ASSERT_NE(pPainter, nullptr);
    EXPECT_EQ(pPainter->GetCaptionInfo(TRUE)->m_clrBackground, RGB(0, 80, 160));
    EXPECT_TRUE(organizer.DetachFromThread(FALSE));
}

TEST_F(OXChildFrameStateTest, HiddenFramesAndForeignRecords)
{
    CSplitChild* pChild = OpenNew();
    ASSERT_NE(pChild, nullptr);
    pChild->ShowWindow(SW_HIDE);
    COXChildFrameState state;
    ASSERT_TRUE(state.Capture(pChild));
    EXPECT_EQ(state.m_windowPlacement.showCmd, (UINT)SW_HIDE);
    ASSERT_TRUE(state.Apply());
    EXPECT_FALSE(state.GetAppliedFrame()->IsWindowVisible());

    // No template for the classes: nothing opens.
    COXChildFrameState foreign;
    foreign.m_sDocumentClass = "CNoSuchDoc";
    EXPECT_FALSE(foreign.Apply());

    // A record of a later schema is refused.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &state;
    }
    file.SeekToBegin();
    UINT n = (UINT)file.GetLength();
    std::vector<BYTE> bytes(n);
    file.Read(bytes.data(), n);
    // The class tag: 0xFFFF, then the schema word.
    ASSERT_EQ(bytes[0], 0xFF);
    bytes[2] = 2;
    CMemFile later(bytes.data(), n);
    CArchive ar(&later, CArchive::load);
    CArchiveException* pError = NULL;
    try {
        ar.ReadObject(RUNTIME_CLASS(COXChildFrameState));
    } catch (CArchiveException* e) {
        pError = e;
    }
    ASSERT_NE(pError, nullptr);
    EXPECT_EQ(pError->m_cause, CArchiveException::badSchema);
    pError->Delete();
}

} // namespace

namespace {

// Workspace archives make these by name: each is registered and creatable.
TEST(ToolkitSerialClasses, EachIsCreatedByItsName)
{
    for (const char* name : {"COXDIB", "COXCaptionInfo", "COXChildFrameState", "COXSplitterColRowState"}) {
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(pClass, nullptr) << name;
        CObject* pObject = pClass->CreateObject();
        ASSERT_NE(pObject, nullptr) << name;
        EXPECT_STREQ(pObject->GetRuntimeClass()->m_lpszClassName, name);
        delete pObject;
    }
}

} // namespace
