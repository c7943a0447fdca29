// Document templates: the document string, matching files to templates,
// shell file types, and multi-document templates with MDI frames.
#include "doc_test.h"

namespace {

TEST(DocTemplateTest, DocStringGivesEachPieceIncludingEmptyOnes)
{
    typedef CDocTemplate T;
    struct Case {
        UINT nIDResource;
        T::DocStringIndex index;
        BOOL bResult;
        const char* text;
    } cases[] = {
        {IDR_DOC_MAIN, T::windowTitle, TRUE, "Pellucor"},
        {IDR_DOC_MAIN, T::docName, TRUE, ""},
        {IDR_DOC_MAIN, T::fileNewName, TRUE, "Pellucor"},
        {IDR_DOC_MAIN, T::filterName, TRUE, "Pellucor Files (*.kvfile)"},
        {IDR_DOC_MAIN, T::filterExt, TRUE, ".VLQA"},
        {IDR_DOC_MAIN, T::regFileTypeId, TRUE, "VLQB.Document"},
        {IDR_DOC_MAIN, T::regFileTypeName, TRUE, "VLQB Document"},
        {IDR_DOC_MAIN, (T::DocStringIndex)7, FALSE, ""},
        {IDR_DOC_SHORT, T::windowTitle, TRUE, "Only a title"},
        {IDR_DOC_SHORT, T::docName, FALSE, ""},
        {IDR_DOC_TRAILING, T::docName, TRUE, "Log"},
        {IDR_DOC_TRAILING, T::regFileTypeName, TRUE, ""},
        {IDR_DOC_LOG, T::windowTitle, TRUE, ""},
        {IDR_DOC_LOG, T::docName, TRUE, "Log"},
    };
    for (const Case& c : cases) {
        CSingleDocTemplate tmpl(c.nIDResource, RUNTIME_CLASS(CDocTestDoc), RUNTIME_CLASS(CDocTestFrame),
                                RUNTIME_CLASS(CDocTestForm));
        CString str = "left over";
        EXPECT_EQ(tmpl.GetDocString(str, c.index), c.bResult) << c.nIDResource << " piece " << (int)c.index;
        EXPECT_EQ(str, c.text) << c.nIDResource << " piece " << (int)c.index;
    }
}

TEST(DocTemplateTest, FilesMatchByExtensionAndOpenDocumentsByPath)
{
    CSingleDocTemplate tmpl(IDR_DOC_MAIN, RUNTIME_CLASS(CDocTestDoc), RUNTIME_CLASS(CDocTestFrame),
                            RUNTIME_CLASS(CDocTestForm));
    CDocument* pMatch = reinterpret_cast<CDocument*>(1);
    struct Case {
        const char* path;
        CDocTemplate::Confidence match;
    } cases[] = {
        {"C:\\data\\words.VLQA", CDocTemplate::yesAttemptNative},
        {"C:\\data\\words.vlqa", CDocTemplate::yesAttemptNative},
        {"C:\\data\\words.txt", CDocTemplate::yesAttemptForeign},
        {"C:\\data.vlqa\\words", CDocTemplate::yesAttemptForeign},
        {"C:\\data\\words.vlqab", CDocTemplate::yesAttemptForeign},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tmpl.MatchDocType(c.path, pMatch), c.match) << c.path;
        EXPECT_EQ(pMatch, nullptr) << c.path;
    }
    CDocument* pDoc = tmpl.CreateNewDocument();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetDocTemplate(), &tmpl);
    pDoc->SetPathName("C:\\data\\words.vlqa", FALSE);
    EXPECT_EQ(pDoc->GetTitle(), "words.vlqa");
    EXPECT_EQ(tmpl.MatchDocType("c:\\DATA\\Words.VLQA", pMatch), CDocTemplate::yesAlreadyOpen);
    EXPECT_EQ(pMatch, pDoc);
    delete pDoc;   // leaves the template
    EXPECT_EQ(tmpl.GetFirstDocPosition(), nullptr);
}

TEST(DocTemplateTest, ShellFileTypesAreRegisteredAndRemoved)
{
    CDocManager manager;
    manager.AddDocTemplate(new CSingleDocTemplate(IDR_DOC_MAIN, RUNTIME_CLASS(CDocTestDoc),
                                                  RUNTIME_CLASS(CDocTestFrame), RUNTIME_CLASS(CDocTestForm)));
    manager.RegisterShellFileTypes(TRUE);

    auto value = [](const char* key) {
        char sz[MAX_PATH * 2] = "";
        LONG cb = sizeof(sz);
        if (RegQueryValueA(HKEY_CLASSES_ROOT, key, sz, &cb) != ERROR_SUCCESS)
            return std::string("<none>");
        return std::string(sz);
    };
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, MAX_PATH);
    EXPECT_EQ(value(".VLQA"), "VLQB.Document");
    EXPECT_EQ(value("VLQB.Document"), "VLQB Document");
    EXPECT_EQ(value("VLQB.Document\\shell\\open\\command"), std::string("\"") + szExe + "\" \"%1\"");
    EXPECT_EQ(value("VLQB.Document\\DefaultIcon"), std::string(szExe) + ",1");

    manager.UnregisterShellFileTypes();
    EXPECT_EQ(value(".VLQA"), "<none>");
    EXPECT_EQ(value("VLQB.Document"), "<none>");
}

// The trace log's way: a multi-document template kept outside the document
// manager, its children in an MDI main frame.
class MdiTest : public DocAppTest
{
};

TEST_F(MdiTest, ChildrenShareTheTemplateMenuAndGetCommandsWhileActive)
{
    CMDIFrameWnd* pMain = new CMDIFrameWnd;
    ASSERT_TRUE(pMain->LoadFrame(IDR_DOC_MDIFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    m_pApp->m_pMainWnd = pMain;
    pMain->ShowWindow(SW_SHOWNORMAL);
    HWND hMain = pMain->m_hWnd;
    ASSERT_NE(pMain->m_hWndMDIClient, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(pMain->m_hWndMDIClient), AFX_IDW_PANE_FIRST);
    HMENU hFrameMenu = pMain->m_hMenuDefault;
    EXPECT_EQ(::GetMenu(hMain), hFrameMenu);

    CMultiDocTemplate* pLog = new CMultiDocTemplate(IDR_DOC_LOG, RUNTIME_CLASS(CDocTestDoc),
                                                    RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CDocTestPlainView));
    ASSERT_NE(pLog->m_hMenuShared, nullptr);
    CDocument* pDoc1 = pLog->OpenDocumentFile(NULL);
    CDocument* pDoc2 = pLog->OpenDocumentFile(NULL);
    ASSERT_NE(pDoc1, nullptr);
    ASSERT_NE(pDoc2, nullptr);
    EXPECT_EQ(pDoc1->GetTitle(), "Log1");
    EXPECT_EQ(pDoc2->GetTitle(), "Log2");

    CMDIChildWnd* pActive = pMain->MDIGetActive();
    ASSERT_NE(pActive, nullptr);
    EXPECT_EQ(pActive->GetActiveDocument(), pDoc2);
    EXPECT_EQ(pMain->GetActiveFrame(), pActive);
    EXPECT_EQ(WindowText(pActive->m_hWnd), "Log2");
    EXPECT_EQ(::GetMenu(hMain), pLog->m_hMenuShared);   // the template's menu while a child is active

    // the frame's commands go to the active child's view first
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    EXPECT_TRUE(pMain->OnCmdMsg(ID_DOC_VIEWCMD, CN_COMMAND, NULL, &info));
    EXPECT_EQ(info.pTarget, pActive->GetActiveView());
    g_docLog.clear();
    pMain->SendMessage(WM_COMMAND, ID_DOC_VIEWCMD);
    EXPECT_EQ(DocLogJoined(), "plain view");

    // closing a child closes its document; the other becomes active
    HWND hChild2 = pActive->m_hWnd;
    pActive->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hChild2));
    EXPECT_EQ(CDocTestDoc::s_nAlive, 1);
    ASSERT_NE(pMain->MDIGetActive(), nullptr);
    EXPECT_EQ(pMain->MDIGetActive()->GetActiveDocument(), pDoc1);

    // with no child left the frame has its own menu back
    pLog->CloseAllDocuments(FALSE);
    EXPECT_EQ(CDocTestDoc::s_nAlive, 0);
    EXPECT_EQ(pMain->MDIGetActive(), nullptr);
    EXPECT_EQ(::GetMenu(hMain), hFrameMenu);

    pMain->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hMain));
    EXPECT_TRUE(TakeQuitMessage());
    delete pLog;
}

}  // namespace
