// The trace-log window under real messages: the logger's hand-over from the
// user-interface thread and from workers (and that a worker logging can never
// deadlock the user-interface thread), Disk mode and "log.txt", save, copy,
// the row limit with its note, error navigation, notes, the test commands and
// printing onto a metafile.
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>
#include "LogWindow.h"
#include "Logger.h"
#include "TestFolder.h"
#include "framework_res.h"
#include "testsupport.h"

namespace {

std::string Str(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

// The line of an event with no number, as the log file and Save write it.
std::string GoldenLine(int nSequence, DWORD dwThread, const char* text)
{
    char sz[512];
    sprintf(sz, "%06d|       %08lx %s\r\n", nSequence, (unsigned long)dwThread, text);
    return sz;
}

struct CountedComment : TraceComment
{
    static std::atomic<int> alive;
    CountedComment() : TraceComment(-1, CString("counted")) { ++alive; }
    ~CountedComment() override { --alive; }
};
std::atomic<int> CountedComment::alive{0};

class LogWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CWinApp* pApp = AfxGetApp();
        pApp->WriteProfileString("CTraceList", NULL, NULL);
        pApp->WriteProfileString("CLogWindowView", NULL, NULL);
        m_strSaved = m_folder.File("trace.log");
        pApp->WriteProfileString("CTraceList", "name", m_strSaved);
        pApp->WriteProfileInt("CLogWindowView", "desired", 0);
        m_pTemplate = new CMultiDocTemplate(IDR_TRACE_LOG, RUNTIME_CLASS(CLogWindowDoc), RUNTIME_CLASS(CLogFrame),
                                            RUNTIME_CLASS(CLogWindowView));
    }

    void TearDown() override
    {
        GetLogger().DestroyLogWindow();
        PumpMessagesFor(10);
        delete m_pTemplate;
        GetLogger().SetDefaultLogFile("");
    }

    void Open()
    {
        m_pFrame = GetLogger().CreateLogWindow(m_pTemplate);
        ASSERT_NE(m_pFrame, nullptr);
        m_pView = CLogWindowView::GetLogView();
        ASSERT_NE(m_pView, nullptr);
        ASSERT_NE(List().GetSafeHwnd(), nullptr);
    }

    CTraceList& List() { return m_pView->GetList(); }
    HWND Control(int nID) { return ::GetDlgItem(m_pView->m_hWnd, nID); }
    void Click(int nID) { ::SendMessageA(Control(nID), BM_CLICK, 0, 0); }
    void Command(UINT nID) { m_pFrame->SendMessage(WM_COMMAND, nID, 0); }
    int Log(const char* text) { return GetLogger().AddEvent(new TraceComment(-1, CString(text))); }

    std::vector<std::string> Texts()
    {
        std::vector<std::string> texts;
        for (int i = 0; i < List().GetCount(); i++)
            texts.push_back(Str(List().GetEvent(i)->GetText()));
        return texts;
    }

    CTestFolder m_folder;
    CString m_strSaved;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CLogWindowView* m_pView = nullptr;
};

TEST_F(LogWindow, OpensHiddenWithItsTitleAndProfile)
{
    Open();
    EXPECT_FALSE(m_pFrame->IsWindowVisible());
    EXPECT_EQ(WindowText(m_pFrame->m_hWnd), "Trace Log");
    EXPECT_EQ(Str(List().m_strFileName), Str(m_strSaved));
    EXPECT_FALSE(List().m_bDisk);
    EXPECT_EQ(::SendMessageA(Control(IDC_TRACE_DISK), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(Control(IDC_TRACE_SET)));   // the Limit box is off

    // Shown, the rows are drawn: the time and thread columns are measured
    // and the horizontal extent covers the widest row.
    GetLogger().ShowLogWindow(m_pTemplate);
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
    Log("a comment");
    GetLogger().AddEvent(new TraceError(-1, CString("a much longer error text than the comment above")));
    List().SetSel(1);
    List().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(List().m_nTimeWidth, List().m_nThreadWidth);
    EXPECT_GT(List().m_nThreadWidth, 0);
    EXPECT_GT(List().m_nLineHeight, 0);
    EXPECT_EQ(List().GetItemHeight(0), List().m_nLineHeight);
    CClientDC dc(&List());
    dc.SelectObject(List().GetFont());
    EXPECT_EQ(List().m_nExtent, List().m_nTimeWidth + List().m_nThreadWidth +
                                    dc.GetTextExtent(List().GetEvent(1)->GetText()).cx);

    // Closing only hides: events still arrive.
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(m_pFrame->IsWindowVisible());
    EXPECT_EQ(Log("still here"), 2);
}

TEST_F(LogWindow, RecordsFromUiAndWorkerAppearInOrder)
{
    Open();
    auto worker = [&](std::vector<const char*> texts) {
        DWORD dwId = 0;
        std::thread([&, texts] {
            dwId = GetCurrentThreadId();
            for (const char* t : texts)
                EXPECT_EQ(Log(t), 0);   // posted: its row is not known yet
        }).join();
        return dwId;
    };
    EXPECT_EQ(Log("one"), 0);
    DWORD dwWorker = worker({"two", "three"});   // the UI thread does not pump meanwhile
    EXPECT_EQ(Log("four"), 3);                    // posted events go first
    worker({"five"});
    ASSERT_TRUE(PumpUntil([&] { return List().GetCount() == 5; }, kWaitMs));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "two", "three", "four", "five"}));
    EXPECT_EQ(List().GetEvent(1)->m_dwThreadId, dwWorker);
    EXPECT_EQ(List().GetEvent(2)->m_dwThreadId, dwWorker);
    EXPECT_EQ(List().GetEvent(3)->m_dwThreadId, GetCurrentThreadId());
    for (int i = 1; i < 5; i++)
        EXPECT_LT(List().GetEvent(i - 1)->m_nSequence, List().GetEvent(i)->m_nSequence);
}

// Before the hand-over was posted, a worker held the logger's lock while it
// sent list-box messages to the user-interface thread: a UI thread that
// waited for the worker (or logged meanwhile) never came back.
TEST_F(LogWindow, WorkerLoggingNeverWaitsForTheUiThread)
{
    Open();
    const int nEach = 300;
    HANDLE hDone = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread worker([&] {
        for (int i = 0; i < nEach; i++)
            Log("worker");
        SetEvent(hDone);
    });
    DWORD dwWait = WaitForSingleObject(hDone, kWaitMs);   // no pumping here
    EXPECT_EQ(dwWait, WAIT_OBJECT_0);
    if (dwWait != WAIT_OBJECT_0)   // free a worker stuck on this thread, to fail rather than hang
        PumpUntil([&] { return WaitForSingleObject(hDone, 0) == WAIT_OBJECT_0; }, kWaitMs);
    worker.join();
    CloseHandle(hDone);
    ASSERT_TRUE(PumpUntil([&] { return List().GetCount() == nEach; }, kWaitMs));
}

struct ModalBoxContext
{
    HWND hBox = NULL;
    std::thread worker;
    std::atomic<bool> done{false};
    int nUiLogged = 0;
};
ModalBoxContext* g_pBoxContext = nullptr;

// Runs inside the message box's modal loop: the UI thread logs while the
// worker is logging, and answers the box once the worker is through.
void CALLBACK BoxTimerProc(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    ModalBoxContext& ctx = *g_pBoxContext;
    GetLogger().AddEvent(new TraceComment(-1, CString("== InfoMessage: ui")));
    ctx.nUiLogged++;
    if (ctx.done) {
        KillTimer(NULL, idTimer);
        CDialogAnswerer::PressButton(ctx.hBox, IDOK);
    }
}

TEST_F(LogWindow, WorkerLogsWhileUiShowsAModalBox)
{
    Open();
    const int nEach = 1000;
    ModalBoxContext ctx;
    g_pBoxContext = &ctx;
    CDialogAnswerer answerer;
    answerer.Handle([&](HWND hBox, const ShownDialog&) {
        ctx.hBox = hBox;
        ctx.worker = std::thread([&] {
            for (int i = 0; i < nEach; i++)
                Log("worker");
            ctx.done = true;
        });
        SetTimer(NULL, 0, 1, BoxTimerProc);
    });
    GetLogger().AddEvent(new TraceComment(-1, CString("== QuestionMessage: before")));
    AfxMessageBox("Logging while this box is up", MB_OK);
    ctx.worker.join();
    g_pBoxContext = nullptr;
    ASSERT_EQ(answerer.Shown().size(), 1u);
    int nExpected = 1 + nEach + ctx.nUiLogged;
    ASSERT_TRUE(PumpUntil([&] { return List().GetCount() == nExpected; }, kWaitMs)) << List().GetCount();
    EXPECT_EQ(Texts().back(), "== InfoMessage: ui");   // the last UI event came after the worker's
}

TEST_F(LogWindow, EventsWithoutAWindowAreDeleted)
{
    Open();
    // Posted but never received: the view deletes it when it goes.
    std::thread([] { EXPECT_EQ(GetLogger().AddEvent(new CountedComment), 0); }).join();
    EXPECT_EQ(CountedComment::alive, 1);
    GetLogger().DestroyLogWindow();
    EXPECT_EQ(CountedComment::alive, 0);
    EXPECT_EQ(CLogWindowView::GetLogView(), nullptr);

    EXPECT_EQ(GetLogger().AddEvent(new CountedComment), -1);
    std::thread([] { EXPECT_EQ(GetLogger().AddEvent(new CountedComment), -1); }).join();
    EXPECT_EQ(CountedComment::alive, 0);
}

TEST_F(LogWindow, DiskModeWritesLogTxt)
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString("CTraceList", NULL, NULL);   // the default file
    pApp->WriteProfileString("CLogWindowView", NULL, NULL);   // Disk on by default
    CString strLogs = m_folder.Path() + "\\\\Logs\\";
    CreateDirectoryA(strLogs, NULL);
    CString strLog = strLogs + "log.txt";
    GetLogger().SetDefaultLogFile(strLog);
    WriteFileBytes(strLog, "earlier run\r\n");
    Open();
    EXPECT_EQ(::SendMessageA(Control(IDC_TRACE_DISK), BM_GETCHECK, 0, 0), BST_CHECKED);

    LONG nFirst = TraceEvent::PeekNextSequence();
    Log("Application started");
    DWORD dwWorker = 0;
    std::thread([&] {
        dwWorker = GetCurrentThreadId();
        Log("from a worker");
    }).join();
    GetLogger().AddEvent(new TraceData(-1, "tab\there \"q\""));
    ASSERT_TRUE(PumpUntil([&] { return List().GetCount() == 3; }, kWaitMs));
    DWORD dwUi = GetCurrentThreadId();
    // The worker's posted event is taken in before the UI thread's next one.
    EXPECT_EQ(ReadFileBytes(strLog), "earlier run\r\n" + GoldenLine(nFirst, dwUi, "Application started") +
                                         GoldenLine(nFirst + 1, dwWorker, "from a worker") +
                                         GoldenLine(nFirst + 2, dwUi, "tab\\there \\\"q\\\""));

    // Unticking Disk stops the file and is remembered.
    Click(IDC_TRACE_DISK);
    EXPECT_FALSE(List().m_bDisk);
    EXPECT_EQ(pApp->GetProfileInt("CLogWindowView", "desired", 1), 0);
    std::string before = ReadFileBytes(strLog);
    Log("not written");
    EXPECT_EQ(ReadFileBytes(strLog), before);
}

TEST_F(LogWindow, SaveWritesTheLines)
{
    Open();
    LONG nFirst = TraceEvent::PeekNextSequence();
    Log("alpha");
    GetLogger().AddEvent(new TraceError(-1, CString("beta")));
    DWORD dwUi = GetCurrentThreadId();
    EXPECT_TRUE(List().IsModified());
    Command(ID_FILE_SAVE_AS);   // a stored name: no dialog
    EXPECT_EQ(ReadFileBytes(m_strSaved), GoldenLine(nFirst, dwUi, "alpha") + GoldenLine(nFirst + 1, dwUi, "beta"));
    EXPECT_FALSE(List().IsModified());
    EXPECT_EQ(Str(AfxGetApp()->GetProfileString("CTraceList", "name")), Str(m_strSaved));

    // A file that cannot be made: the box, then the system's reason as a row.
    List().m_strFileName = m_folder.File("no such folder\\x.log");
    CDialogAnswerer answerer;
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"Trace Log file open failed"});
    TraceEvent* pLast = List().GetEvent(List().GetCount() - 1);
    EXPECT_TRUE(pLast->IsKindOf(RUNTIME_CLASS(TraceFormatMessage)));
    EXPECT_EQ(Str(pLast->GetText()), Str(TraceFormatMessage::GetMessageText(ERROR_PATH_NOT_FOUND)));
}

TEST_F(LogWindow, CopyAndDeleteSelectedRows)
{
    Open();
    Log("a");
    Log("b");
    Log("c");
    List().SetSel(0);
    List().SetSel(2);
    Command(ID_EDIT_COPY);
    ASSERT_TRUE(OpenClipboard(NULL));
    HANDLE hText = GetClipboardData(CF_TEXT);
    std::string text = hText ? (const char*)GlobalLock(hText) : "";
    if (hText)
        GlobalUnlock(hText);
    CloseClipboard();
    EXPECT_EQ(text, Str(List().GetEvent(0)->GetLine()) + "\r\n" + Str(List().GetEvent(2)->GetLine()) + "\r\n");

    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(Texts(), std::vector<std::string>{"b"});
    Command(ID_EDIT_CLEAR_ALL);
    EXPECT_EQ(List().GetCount(), 0);
}

TEST_F(LogWindow, LimitTrimsWithItsNote)
{
    Open();
    Click(IDC_TRACE_LIMIT);
    EXPECT_TRUE(::IsWindowEnabled(Control(IDC_TRACE_SET)));
    struct {
        const char* text;
        int limit;
        BOOL on;
    } sets[] = {{"abc", INT_MAX, TRUE}, {"", INT_MAX, TRUE}, {"5", 20, TRUE}, {"35", 35, TRUE}, {"20", 20, TRUE}};
    for (auto& s : sets) {
        ::SetWindowTextA(Control(IDC_TRACE_LIMIT_EDIT), s.text);
        Click(IDC_TRACE_SET);
        EXPECT_EQ(List().m_nLimit, s.limit) << s.text;
        EXPECT_EQ(List().m_bLimit, s.on) << s.text;
    }

    for (int i = 0; i < 20; i++)
        Log(("e" + std::to_string(i)).c_str());
    ASSERT_EQ(List().GetCount(), 20);
    Log("e20");   // the first trim: two rows go, the note comes in their place
    std::vector<std::string> expected = {"e0", "Entries have been deleted from log (2)"};
    for (int i = 3; i <= 20; i++)
        expected.push_back("e" + std::to_string(i));
    EXPECT_EQ(Texts(), expected);
    Log("e21");   // later trims replace the note
    EXPECT_EQ(List().GetCount(), 20);
    EXPECT_EQ(Texts()[1], "Entries have been deleted from log (3)");
    EXPECT_EQ(Texts()[2], "e4");
    EXPECT_EQ(Texts().back(), "e21");

    // Switching the limit on trims from the top, with no note.
    Click(IDC_TRACE_LIMIT);
    EXPECT_FALSE(List().m_bLimit);
    Command(ID_EDIT_CLEAR_ALL);
    for (int i = 0; i < 30; i++)
        Log(("r" + std::to_string(i)).c_str());
    Click(IDC_TRACE_LIMIT);
    EXPECT_EQ(List().GetCount(), 19);
    EXPECT_EQ(Texts().front(), "r11");

    List().SetLimit(-1);
    EXPECT_FALSE(List().m_bLimit);
}

TEST_F(LogWindow, ErrorNavigationButtons)
{
    Open();
    GetLogger().AddEvent(new TraceComment(-1, CString("c0")));
    GetLogger().AddEvent(new TraceError(-1, CString("e1")));
    GetLogger().AddEvent(new TraceNote(-1, "n2"));
    GetLogger().AddEvent(new TraceData(-1, "d3"));
    GetLogger().AddEvent(new TraceFormatError(-1, "fe%d", 4));
    GetLogger().AddEvent(new TraceFormatComment(-1, "fc%d", 5));
    GetLogger().AddEvent(new TraceFormatMessage(-1, ERROR_FILE_NOT_FOUND));
    GetLogger().AddEvent(new TraceComment(-1, CString("c7")));

    auto selected = [&] {
        std::vector<int> rows;
        for (int i = 0; i < List().GetCount(); i++)
            if (List().GetSel(i) > 0)
                rows.push_back(i);
        return rows;
    };
    Click(IDC_TRACE_FIRST);
    EXPECT_EQ(selected(), std::vector<int>{0});
    EXPECT_FALSE(::IsWindowEnabled(Control(IDC_TRACE_PREV_ERROR)));
    for (int row : {1, 4, 6}) {
        ASSERT_TRUE(::IsWindowEnabled(Control(IDC_TRACE_NEXT_ERROR))) << row;
        Click(IDC_TRACE_NEXT_ERROR);
        EXPECT_EQ(selected(), std::vector<int>{row});
    }
    EXPECT_FALSE(::IsWindowEnabled(Control(IDC_TRACE_NEXT_ERROR)));
    for (int row : {4, 1}) {
        ASSERT_TRUE(::IsWindowEnabled(Control(IDC_TRACE_PREV_ERROR))) << row;
        Click(IDC_TRACE_PREV_ERROR);
        EXPECT_EQ(selected(), std::vector<int>{row});
    }
    EXPECT_FALSE(::IsWindowEnabled(Control(IDC_TRACE_PREV_ERROR)));
    Click(IDC_TRACE_LAST);
    EXPECT_EQ(selected(), std::vector<int>{7});
}

TEST_F(LogWindow, TestCommandsAndNotes)
{
    Open();
    for (UINT id : {ID_TRACE_TEST_COMMENT, ID_TRACE_TEST_ERROR, ID_TRACE_TEST_FORMAT_ERROR,
                    ID_TRACE_TEST_FORMAT_ERROR, ID_TRACE_TEST_FORMAT_MESSAGE, ID_TRACE_TEST_DATA_STRING})
        Command(id);
    CDialogAnswerer answerer;
    answerer.Handle([](HWND hDlg, const ShownDialog&) {
        SetDlgItemTextA(hDlg, IDC_TRACE_NOTE_TEXT, "a note \r\n ");
        CDialogAnswerer::PressButton(hDlg, IDOK);
    });
    Click(IDC_TRACE_NOTE);
    std::vector<std::string> expected = {"This is a sample comment",
                                         "==============",
                                         "A sample error message",
                                         "This function has been tested 1 time",
                                         "This function has been tested 2 times",
                                         "The following line formats ERROR_ACCESS_DENIED",
                                         Str(TraceFormatMessage::GetMessageText(ERROR_ACCESS_DENIED)),
                                         "This is some sample data",
                                         "a note"};
    EXPECT_EQ(Texts(), expected);
    EXPECT_TRUE(List().GetEvent(8)->IsKindOf(RUNTIME_CLASS(TraceNote)));
}

struct CCountingPrinter : CPrinter
{
    using CPrinter::CPrinter;
    int nHeaders = 0;
    void PrintHeader() override
    {
        nHeaders++;
        CPrinter::PrintHeader();
    }
};

TEST_F(LogWindow, PrintsPagesOntoAMetafile)
{
    HDC hEmf = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    ASSERT_NE(hEmf, nullptr);
    CDC dc;
    dc.Attach(hEmf);
    int nPerPage;
    {
        CCountingPrinter printer(&dc);
        ASSERT_TRUE(printer.StartDocument("PellucorTests"));
        ASSERT_GT(printer.m_nLineHeight, 0);
        EXPECT_EQ(printer.m_nTopMargin, dc.GetDeviceCaps(LOGPIXELSY) / 2);
        // Lines start at the top margin and a page takes lines while y has not
        // passed the page height less the margin.
        nPerPage = (printer.m_nPageHeight - 2 * printer.m_nTopMargin) / printer.m_nLineHeight + 1;
        for (int i = 0; i < nPerPage; i++)
            printer.PrintLine("line");
        EXPECT_EQ(printer.m_nPage, 1);
        printer.PrintLine("line");
        EXPECT_EQ(printer.m_nPage, 2);
        EXPECT_EQ(printer.nHeaders, 2);
    }
    dc.Detach();
    DeleteEnhMetaFile(CloseEnhMetaFile(hEmf));

    // The list prints all rows, or only the selected ones.
    Open();
    for (int i = 0; i < nPerPage + 5; i++)
        Log("row");
    struct {
        BOOL bSelection;
        int pages;
    } cases[] = {{FALSE, 2}, {TRUE, 1}};
    List().SetSel(3);
    List().SetSel(nPerPage + 2);
    for (auto& c : cases) {
        HDC hDC = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
        CDC printDC;
        printDC.Attach(hDC);
        {
            CCountingPrinter printer(&printDC);
            ASSERT_TRUE(printer.StartDocument("PellucorTests"));
            List().PrintRows(printer, c.bSelection);
            EXPECT_EQ(printer.m_nPage, c.pages) << c.bSelection;
            if (c.bSelection) {
                EXPECT_EQ(printer.m_nY, printer.m_nTopMargin + 2 * printer.m_nLineHeight);
            }
        }
        printDC.Detach();
        DeleteEnhMetaFile(CloseEnhMetaFile(hDC));
    }
}

}  // namespace
