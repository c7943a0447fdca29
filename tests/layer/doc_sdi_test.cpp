// A single-document program's start-up and its main frame: command routing,
// menu and bar updates, the status line, layout and closing.
#include "doc_test.h"
#include <dlgs.h>

namespace {

class SdiTest : public DocAppTest
{
protected:
    void SetUp() override
    {
        DocAppTest::SetUp();
        m_pFrame = StartUp();
        ASSERT_NE(m_pFrame, nullptr);
        m_pForm = DYNAMIC_DOWNCAST(CDocTestForm, m_pFrame->GetActiveView());
        ASSERT_NE(m_pForm, nullptr);
        m_pDoc = DYNAMIC_DOWNCAST(CDocTestDoc, m_pFrame->GetActiveDocument());
        ASSERT_NE(m_pDoc, nullptr);
        PumpMessagesFor(20);
    }

    std::string MessageLine() { return StatusPartText(m_pFrame->m_wndStatusBar.m_hWnd, 0); }

    CDocTestFrame* m_pFrame = nullptr;
    CDocTestForm* m_pForm = nullptr;
    CDocTestDoc* m_pDoc = nullptr;
};

TEST_F(SdiTest, FileNewMakesDocumentFrameAndFormOnceThenReusesThem)
{
    EXPECT_EQ(m_pForm->GetDocument(), m_pDoc);
    EXPECT_EQ(m_pForm->m_nInitialUpdates, 1);
    EXPECT_EQ(m_pDoc->m_nNewCalls, 1);
    EXPECT_EQ(CDocTestDoc::s_nAlive, 1);
    EXPECT_EQ(m_pDoc->GetTitle(), "Untitled");   // the document string names no document
    EXPECT_EQ(WindowText(m_pFrame->m_hWnd), "Untitled - Pellucor");
    EXPECT_TRUE(m_pFrame->IsWindowVisible());

    // the form is the frame's pane, a borderless child made from the popup template
    EXPECT_EQ(::GetParent(m_pForm->m_hWnd), m_pFrame->m_hWnd);
    EXPECT_EQ(m_pForm->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    DWORD dwStyle = m_pForm->GetStyle();
    EXPECT_TRUE(dwStyle & WS_CHILD);
    EXPECT_FALSE(dwStyle & (WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_TRUE(m_pForm->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(m_pFrame->GetExStyle() & WS_EX_CLIENTEDGE);   // the view has the edge
    // OnInitialUpdate put the document's text into the edit through DDX
    EXPECT_EQ(WindowText(::GetDlgItem(m_pForm->m_hWnd, IDC_DOC_NAME)), "new 1");
    // the scroll sizes are the template's: 200x80 dialog units
    CRect rect(0, 0, 200, 80);
    ::MapDialogRect(m_pForm->m_hWnd, &rect);
    EXPECT_EQ(m_pForm->GetTotalSize(), rect.Size());

    // File New again: the same document, emptied and renewed, in the same frame
    m_pDoc->m_strText = "edited";
    m_pApp->OnFileNew();
    EXPECT_EQ(m_pApp->m_pMainWnd, m_pFrame);
    EXPECT_EQ(m_pFrame->GetActiveDocument(), m_pDoc);
    EXPECT_EQ(CDocTestDoc::s_nAlive, 1);
    EXPECT_EQ(m_pDoc->m_nNewCalls, 2);
    EXPECT_EQ(m_pDoc->m_strText, "new 2");
    EXPECT_EQ(m_pForm->m_nInitialUpdates, 2);
    EXPECT_EQ(WindowText(::GetDlgItem(m_pForm->m_hWnd, IDC_DOC_NAME)), "new 2");
}

TEST_F(SdiTest, CommandsRouteViewDocumentTemplateFrameApplication)
{
    CDocTemplate* pTemplate = m_pDoc->GetDocTemplate();
    ASSERT_NE(pTemplate, nullptr);
    struct Case {
        UINT nID;
        const char* ran;       // the handlers that ran, in order
        CCmdTarget* pTarget;   // the target the routing finds, or NULL
    } cases[] = {
        {ID_DOC_VIEWCMD, "view", m_pForm},
        {ID_DOC_BOTHCMD, "view", m_pForm},   // the view comes before its document
        {ID_DOC_DOCCMD, "document", m_pDoc},
        {ID_DOC_TEMPLATECMD, "template", pTemplate},
        {ID_DOC_FRAMECMD, "frame", m_pFrame},
        {ID_APP_EXIT, nullptr, m_pApp},       // asked only: it would end the program
        {ID_DOC_NOHANDLER, "", nullptr},
    };
    for (const Case& c : cases) {
        AFX_CMDHANDLERINFO info = {NULL, NULL};
        BOOL bFound = m_pFrame->OnCmdMsg(c.nID, CN_COMMAND, NULL, &info);
        EXPECT_EQ(bFound, c.pTarget != nullptr) << c.nID;
        EXPECT_EQ(info.pTarget, c.pTarget) << c.nID;
        if (c.ran == nullptr)
            continue;
        g_docLog.clear();
        m_pFrame->SendMessage(WM_COMMAND, c.nID);
        EXPECT_EQ(DocLogJoined(), c.ran) << c.nID;
    }

    // a control of the form notifies the form's map
    g_docLog.clear();
    ::SendMessageA(::GetDlgItem(m_pForm->m_hWnd, IDC_DOC_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(DocLogJoined(), "form button");
}

TEST_F(SdiTest, KeysReachTheFrameAcceleratorsAndTheFormsDialogKeys)
{
    HWND hEdit = ::GetDlgItem(m_pForm->m_hWnd, IDC_DOC_NAME);
    HWND hButton = ::GetDlgItem(m_pForm->m_hWnd, IDC_DOC_BUTTON);
    m_pFrame->SetForegroundWindow();
    ::SetFocus(hEdit);
    ASSERT_EQ(::GetFocus(), hEdit);

    BYTE saved[256], keys[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    memcpy(keys, saved, sizeof(keys));
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg = {hEdit, WM_KEYDOWN, 'T', 0x00140001, 0, {0, 0}};
    g_docLog.clear();
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(m_pFrame->m_hWnd, &msg));
    EXPECT_EQ(DocLogJoined(), "frame");   // Ctrl+T of the frame's accelerators
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);

    MSG tab = {hEdit, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(m_pFrame->m_hWnd, &tab));
    EXPECT_EQ(::GetFocus(), hButton);   // the form's dialog keys
    SetKeyboardState(saved);
}

TEST_F(SdiTest, OpeningPopupUpdatesItemsThroughTheRouting)
{
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    ASSERT_EQ(hMenu, m_pFrame->m_hMenuDefault);
    HMENU hTest = ::GetSubMenu(hMenu, 1);
    HMENU hView = ::GetSubMenu(hMenu, 2);
    struct Case {
        UINT nID;
        bool bEnabled;
        bool bChecked;
    } cases[] = {
        {ID_DOC_VIEWCMD, true, false},    {ID_DOC_DOCCMD, true, false},  {ID_DOC_FRAMECMD, true, false},
        {ID_DOC_TEMPLATECMD, true, false}, {ID_DOC_NOHANDLER, false, false}, {ID_DOC_CHECKCMD, true, true},
    };
    // start from the opposite states
    for (const Case& c : cases)
        ::EnableMenuItem(hTest, c.nID, MF_BYCOMMAND | (c.bEnabled ? MF_GRAYED : MF_ENABLED));
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hTest, MAKELPARAM(1, FALSE));
    for (const Case& c : cases) {
        UINT nState = ::GetMenuState(hTest, c.nID, MF_BYCOMMAND);
        EXPECT_EQ((nState & MF_GRAYED) == 0, c.bEnabled) << c.nID;
        EXPECT_EQ((nState & MF_CHECKED) != 0, c.bChecked) << c.nID;
    }
    m_pFrame->SendMessage(WM_COMMAND, ID_DOC_CHECKCMD);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hTest, MAKELPARAM(1, FALSE));
    EXPECT_FALSE(::GetMenuState(hTest, ID_DOC_CHECKCMD, MF_BYCOMMAND) & MF_CHECKED);

    // the View menu checks the bars that show; its commands toggle them
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hView, MAKELPARAM(2, FALSE));
    EXPECT_TRUE(::GetMenuState(hView, ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(hView, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hView, MAKELPARAM(2, FALSE));
    EXPECT_FALSE(::GetMenuState(hView, ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());
}

TEST_F(SdiTest, StatusLineShowsPromptsOfMenuItemsAndIdleMessage)
{
    EXPECT_EQ(MessageLine(), "Ready");   // posted when the frame was made
    HMENU hTest = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 1);
    struct Case {
        UINT nItem;
        UINT nFlags;
        HMENU hMenu;
        const char* line;
    } cases[] = {
        {ID_DOC_VIEWCMD, MF_HILITE, hTest, "Runs the view command"},   // the part before "\n"
        {ID_DOC_NOHANDLER, MF_HILITE, hTest, "Does nothing at all"},   // a prompt with no tip
        {ID_DOC_BOTHCMD, MF_HILITE, hTest, ""},                        // no string
        {1, MF_POPUP | MF_HILITE, ::GetMenu(m_pFrame->m_hWnd), ""},    // a popup has no prompt
        {0, 0xFFFF, NULL, "Ready"},                                    // the menu closed
    };
    for (const Case& c : cases) {
        m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(c.nItem, c.nFlags), (LPARAM)c.hMenu);
        EXPECT_EQ(MessageLine(), c.line) << c.nItem;
        EXPECT_EQ(std::string(m_pFrame->m_wndStatusBar.GetPaneText(0)), c.line) << c.nItem;
    }
    m_pFrame->SetMessageText("Working");
    EXPECT_EQ(MessageLine(), "Working");
    m_pFrame->SetMessageText(ID_DOC_DOCCMD);
    EXPECT_EQ(MessageLine(), "Runs the document command");
    CString strPrompt;
    m_pFrame->GetMessageString(ID_DOC_CHECKCMD, strPrompt);
    EXPECT_EQ(strPrompt, "Toggles the check");
    EXPECT_EQ(m_pFrame->GetMessageBar(), &m_pFrame->m_wndStatusBar);
}

TEST_F(SdiTest, KeyIndicatorsShowWhileTheirKeysAreOn)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    BYTE saved[256], keys[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    for (int bCapsOn = 0; bCapsOn <= 1; bCapsOn++) {
        memcpy(keys, saved, sizeof(keys));
        keys[VK_CAPITAL] = bCapsOn ? 1 : 0;
        keys[VK_NUMLOCK] = bCapsOn ? 0 : 1;
        keys[VK_SCROLL] = 0;
        SetKeyboardState(keys);
        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        EXPECT_EQ(StatusPartText(bar.m_hWnd, 1), bCapsOn ? "CAP" : "");
        EXPECT_EQ(StatusPartText(bar.m_hWnd, 2), bCapsOn ? "" : "NUM");
        EXPECT_EQ(StatusPartText(bar.m_hWnd, 3), "");
        EXPECT_EQ(bar.GetPaneText(1), "CAP");   // the pane keeps its text
        EXPECT_EQ((bar.GetPaneStyle(1) & SBPS_DISABLED) != 0, !bCapsOn);
    }
    SetKeyboardState(saved);
}

TEST_F(SdiTest, ToolBarFromResourceFollowsTheRouting)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    const UINT ids[] = {ID_DOC_VIEWCMD, ID_DOC_DOCCMD, ID_SEPARATOR, ID_DOC_NOHANDLER, ID_DOC_CHECKCMD};
    ASSERT_EQ(bar.GetCount(), 5);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(bar.GetItemID(i), ids[i]) << i;
        EXPECT_EQ((bar.GetButtonStyle(i) & TBBS_SEPARATOR) != 0, ids[i] == ID_SEPARATOR) << i;
    }
    EXPECT_EQ(bar.CommandToIndex(ID_DOC_NOHANDLER), 3);
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_TOOLBAR), &bar);

    // idle update: a button nothing handles is disabled, the checked one checked
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    CToolBarCtrl& ctrl = bar.GetToolBarCtrl();
    EXPECT_EQ(ctrl.m_hWnd, bar.m_hWnd);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_DOC_VIEWCMD));
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_DOC_DOCCMD));
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_DOC_NOHANDLER));
    EXPECT_TRUE(bar.GetButtonStyle(3) & TBBS_DISABLED);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONCHECKED, ID_DOC_CHECKCMD));
    m_pFrame->m_bChecked = FALSE;
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONCHECKED, ID_DOC_CHECKCMD));

    // a button click is a command through the routing
    g_docLog.clear();
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_DOC_DOCCMD, BN_CLICKED), (LPARAM)bar.m_hWnd);
    EXPECT_EQ(DocLogJoined(), "document");
}

TEST_F(SdiTest, ToolTipsAndFlyByTextComeFromCommandStrings)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    HWND hTip = (HWND)bar.SendMessage(TB_GETTOOLTIPS);
    // the tool bar hands its tooltip's questions on to the frame
    NMTTDISPINFOA dia = {};
    dia.hdr.hwndFrom = hTip != NULL ? hTip : bar.m_hWnd;
    dia.hdr.idFrom = ID_DOC_VIEWCMD;
    dia.hdr.code = TTN_GETDISPINFOA;
    bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&dia);
    EXPECT_STREQ(dia.lpszText, "View command");

    NMTTDISPINFOW diw = {};
    diw.hdr.hwndFrom = dia.hdr.hwndFrom;
    diw.hdr.idFrom = ID_DOC_CHECKCMD;
    diw.hdr.code = TTN_GETDISPINFOW;
    bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&diw);
    EXPECT_STREQ(diw.lpszText, L"Check");

    // the hot button's prompt shows in the status line (CBRS_FLYBY)
    NMTBHOTITEM hot = {};
    hot.hdr.hwndFrom = bar.m_hWnd;
    hot.hdr.idFrom = AFX_IDW_TOOLBAR;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_DOC_DOCCMD;
    hot.dwFlags = HICF_MOUSE;
    m_pFrame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, (LPARAM)&hot);
    EXPECT_EQ(MessageLine(), "Runs the document command");
    hot.idOld = ID_DOC_DOCCMD;
    hot.idNew = 0;
    hot.dwFlags = HICF_LEAVING;
    m_pFrame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, (LPARAM)&hot);
    EXPECT_EQ(MessageLine(), "Ready");
}

TEST_F(SdiTest, LayoutPutsBarsAtTheEdgesAndTheViewBetween)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, 520, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    m_pFrame->GetClientRect(&client);
    CRect tool = ChildRect(&m_pFrame->m_wndToolBar);
    CRect status = ChildRect(&m_pFrame->m_wndStatusBar);
    CRect view = ChildRect(m_pForm);

    EXPECT_EQ(tool, CRect(0, 0, client.right, tool.bottom));
    EXPECT_GT(tool.Height(), 15);
    EXPECT_EQ(status, CRect(0, client.bottom - status.Height(), client.right, client.bottom));
    EXPECT_GT(status.Height(), 10);
    EXPECT_EQ(view, CRect(0, tool.bottom, client.right, status.top));

    // the message pane stretches; the indicators are as wide as their texts
    CRect pane0, pane1, pane3;
    m_pFrame->m_wndStatusBar.GetItemRect(0, &pane0);
    m_pFrame->m_wndStatusBar.GetItemRect(1, &pane1);
    m_pFrame->m_wndStatusBar.GetItemRect(3, &pane3);
    EXPECT_GT(pane0.Width(), client.Width() / 2);
    EXPECT_LT(pane1.Width(), client.Width() / 4);
    EXPECT_LE(pane3.right, client.right);

    // without the status bar the view reaches the bottom
    m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, FALSE, FALSE);
    view = ChildRect(m_pForm);
    EXPECT_EQ(view.bottom, client.bottom);
    m_pFrame->ShowControlBar(&m_pFrame->m_wndToolBar, FALSE, TRUE);   // delayed until the idle layout
    EXPECT_EQ(ChildRect(m_pForm).top, tool.bottom);
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(ChildRect(m_pForm), client);
}

TEST_F(SdiTest, ClosingAModifiedDocumentAsksToSave)
{
    CDialogAnswerer answerer;
    HWND hFrame = m_pFrame->m_hWnd;
    m_pDoc->SetModifiedFlag();

    answerer.Answer(IDCANCEL);
    m_pFrame->SendMessage(WM_CLOSE);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, "Save changes to Untitled?");
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_EQ(CDocTestDoc::s_nAlive, 1);

    // Yes saves under the document's name, then everything closes and the
    // program's loop is told to end
    char szTemp[MAX_PATH], szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    GetTempFileNameA(szTemp, "doc", 0, szPath);
    m_pDoc->SetPathName(szPath, FALSE);
    m_pDoc->m_strText = "saved text";
    m_pDoc->m_nValue = 42;
    answerer.Clear();
    answerer.Answer(IDYES);
    m_pFrame->SendMessage(WM_CLOSE);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    char szFull[MAX_PATH];
    GetFullPathNameA(szPath, MAX_PATH, szFull, NULL);
    EXPECT_EQ(answerer.Shown()[0].text, std::string("Save changes to ") + szFull + "?");
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(CDocTestDoc::s_nAlive, 0);
    EXPECT_EQ(m_pApp->m_pMainWnd, nullptr);
    EXPECT_TRUE(TakeQuitMessage());

    // the file holds what Serialize wrote; opening it reads it back
    CDocTestDoc* pDoc = DYNAMIC_DOWNCAST(CDocTestDoc, m_pApp->OpenDocumentFile(szPath));
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->m_strText, "saved text");
    EXPECT_EQ(pDoc->m_nValue, 42);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(m_pApp->OpenDocumentFile(szPath), pDoc);   // already open: the same document
    EXPECT_EQ(CDocTestDoc::s_nAlive, 1);
    m_pApp->CloseAllDocuments(FALSE);
    TakeQuitMessage();
    DeleteFileA(szPath);
}

// Types a name into a file dialog's name box and presses OK.
void TypeFileName(HWND hDlg, const std::string& name)
{
    HWND hName = GetDlgItem(hDlg, edt1);
    if (!hName || !IsWindowVisible(hName))
        hName = GetDlgItem(hDlg, cmb13);
    ASSERT_NE(hName, nullptr) << "no file name box";
    SetWindowTextA(hName, name.c_str());
    CDialogAnswerer::PressButton(hDlg, IDOK);
}

TEST_F(SdiTest, SaveWithoutANameAsksForOneAndFileOpenReadsItBack)
{
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    std::string base = std::string(szDir) + "pellucor doc save";
    std::string path = base + ".VLQA";   // the template's extension is the default
    DeleteFileA(path.c_str());

    CDialogAnswerer answerer;
    m_pDoc->m_strText = "typed";
    m_pDoc->m_nValue = 7;
    m_pDoc->SetModifiedFlag();
    answerer.Handle([&](HWND hDlg, const ShownDialog&) { TypeFileName(hDlg, base); });
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Save As");
    char szFull[MAX_PATH];
    GetFullPathNameA(path.c_str(), MAX_PATH, szFull, NULL);
    EXPECT_EQ(lstrcmpiA(m_pDoc->GetPathName(), szFull), 0) << m_pDoc->GetPathName();   // the dialog may fold the case
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(std::string(m_pDoc->GetTitle()).rfind("pellucor doc save", 0), 0u);
    EXPECT_EQ(WindowText(m_pFrame->m_hWnd), std::string(m_pDoc->GetTitle()) + " - Pellucor");

    // a new document, then File Open of the saved one: the same document
    // object reads the file
    m_pApp->OnFileNew();
    EXPECT_EQ(m_pDoc->m_strText, "new 2");
    EXPECT_TRUE(m_pDoc->GetPathName().IsEmpty());
    answerer.Clear();
    answerer.Handle([&](HWND hDlg, const ShownDialog&) { TypeFileName(hDlg, path); });
    m_pApp->OnFileOpen();
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Open");
    EXPECT_EQ(m_pFrame->GetActiveDocument(), m_pDoc);
    EXPECT_EQ(m_pDoc->m_strText, "typed");
    EXPECT_EQ(m_pDoc->m_nValue, 7);
    EXPECT_EQ(lstrcmpiA(m_pDoc->GetPathName(), szFull), 0) << m_pDoc->GetPathName();
    EXPECT_EQ(CDocTestDoc::s_nAlive, 1);
    DeleteFileA(path.c_str());
}

}  // namespace
