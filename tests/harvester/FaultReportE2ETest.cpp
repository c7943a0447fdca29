// The whole program meeting a hardware fault: on its user-interface thread,
// in the fetch thread and in the export thread (armed by the hidden test
// switch), and a stack overflow. The first fault of a run asks once whether
// to write an exception report; the report lands in the temporary folder
// with its sections and a call stack that names the faulting code and its
// source line, goes to the mail program (the stand-in mail interface), and
// the program goes on; later faults ask nothing.
#include "PellucorProcess.h"
#include <atomic>
#include <mutex>
#include <thread>
#include "BasedApp.h"

namespace {

const char szQuestionStart[] = "An unhandled exception has occurred in Pellucor\r\n\r\n";
const char szSeMessageStart[] = "Exception ACCESS_VIOLATION (0xc0000005) at address 0x";

// Writing the report walks the faulting stack through the program's debug
// information: seconds on an idle machine, more than half a minute on a
// loaded one, before the box that says where it went, the mail and the end
// of the program. A wait ends as soon as what it waits for is there.
const DWORD kReportWaitMs = 180000;

// Records every message box and dialog the program shows, from a thread of
// its own, so that a box that came and went is still counted.
class CBoxWatcher
{
public:
    struct CBox
    {
        HWND hwnd;
        std::string sCaption;
        std::string sText;   // the message text; empty for other dialogs
    };

    explicit CBoxWatcher(DWORD dwProcessId) : m_dwProcessId(dwProcessId), m_thread([this] { Watch(); }) {}
    ~CBoxWatcher()
    {
        m_bStop = true;
        m_thread.join();
    }

    std::vector<CBox> Boxes()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_boxes;
    }
    int CountStartingWith(const std::string& sStart)
    {
        int n = 0;
        for (const CBox& box : Boxes())
            n += box.sText.compare(0, sStart.size(), sStart) == 0;
        return n;
    }
    // The first box seen whose text starts so and that was not answered yet.
    HWND Find(const std::string& sStart)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const CBox& box : m_boxes)
            if (box.sText.compare(0, sStart.size(), sStart) == 0 &&
                std::find(m_answered.begin(), m_answered.end(), box.hwnd) == m_answered.end() &&
                IsWindow(box.hwnd))
                return box.hwnd;
        return nullptr;
    }
    // Waits for such a box and presses a button in it.
    bool Answer(const std::string& sStart, int nButton, std::string* psText = nullptr)
    {
        HWND hBox = nullptr;
        if (!WaitFor([&] { return (hBox = Find(sStart)) != nullptr; }, kReportWaitMs))
            return false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_answered.push_back(hBox);
            if (psText)
                for (const CBox& box : m_boxes)
                    if (box.hwnd == hBox)
                        *psText = box.sText;
        }
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), 0);
        return true;
    }
    std::string Describe()
    {
        std::string s;
        for (const CBox& box : Boxes())
            s += "[" + box.sCaption + ": " + box.sText.substr(0, 80) + "] ";
        return s;
    }

private:
    void Watch()
    {
        while (!m_bStop) {
            for (HWND hwnd : TopLevelWindowsOf(m_dwProcessId, true)) {
                if (ClassOf(hwnd) != "#32770")
                    continue;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    if (std::any_of(m_boxes.begin(), m_boxes.end(), [&](const CBox& b) { return b.hwnd == hwnd; }))
                        continue;
                }
                HWND hText = GetDlgItem(hwnd, 0xFFFF);
                CBox box{hwnd, RemoteText(hwnd), hText ? RemoteText(hText) : std::string()};
                // Closed between the look and the read, or too slow to answer
                // on a loaded machine: read again at the next look, since a
                // box is read once.
                if (box.sCaption == szNoAnswer || box.sText == szNoAnswer)
                    continue;
                std::lock_guard<std::mutex> lock(m_mutex);
                m_boxes.push_back(box);
            }
            Sleep(5);
        }
    }

    DWORD m_dwProcessId;
    std::mutex m_mutex;
    std::vector<CBox> m_boxes;
    std::vector<HWND> m_answered;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

class FaultReportTest : public PellucorProcessTest
{
protected:
    void SetUp() override
    {
        PellucorProcessTest::SetUp();
        // The program takes its temporary folder from the test, and its mail
        // interface from its own folder, where the stand-in is put for the
        // test (the system's would be found before any other folder), writing
        // down the mail where the test reads it.
        char szTestExe[MAX_PATH] = "";
        GetModuleFileNameA(NULL, szTestExe, MAX_PATH);
        std::string sStub(szTestExe);
        sStub = sStub.substr(0, sStub.find_last_of('\\') + 1) + "mapi32.dll";
        m_sProgramStub = ProgramFolder() + "mapi32.dll";
        ASSERT_TRUE(CopyFileA(sStub.c_str(), m_sProgramStub.c_str(), FALSE)) << sStub;
        CreateDirectoryA(m_folder.File("temp"), NULL);
        m_sTemp = (LPCSTR)m_folder.File("temp");
        m_sReport = m_sTemp + "\\Pellucor.err";
        m_sMailLog = (LPCSTR)m_folder.File("mapi.log");
        for (const char* pszName : {"TMP", "TEMP", "PELLUCOR_MAPI_LOG", "PELLUCOR_TEST_FAULT"}) {
            char sz[MAX_PATH] = "";
            DWORD n = GetEnvironmentVariableA(pszName, sz, MAX_PATH);
            m_savedEnvironment.emplace_back(pszName, n ? std::string(sz) : std::string());
        }
        SetEnvironmentVariableA("PELLUCOR_MAPI_LOG", m_sMailLog.c_str());
    }

    void TearDown() override
    {
        m_pWatcher.reset();
        PellucorProcessTest::TearDown();
        DeleteFileA(m_sProgramStub.c_str());
        for (const auto& saved : m_savedEnvironment)
            SetEnvironmentVariableA(saved.first.c_str(), saved.second.empty() ? NULL : saved.second.c_str());
    }

    // Starts the program with the fault switch at one place, its temporary
    // folder the test's own, and waits for its main window.
    HWND StartArmed(const char* pszPlace)
    {
        SetEnvironmentVariableA("PELLUCOR_TEST_FAULT", pszPlace);
        SetEnvironmentVariableA("TMP", m_sTemp.c_str());
        SetEnvironmentVariableA("TEMP", m_sTemp.c_str());
        Start();
        // The test's own temporary folder again (its folders live there).
        for (const auto& saved : m_savedEnvironment)
            if (saved.first == "TMP" || saved.first == "TEMP")
                SetEnvironmentVariableA(saved.first.c_str(), saved.second.empty() ? NULL : saved.second.c_str());
        m_pWatcher.reset(new CBoxWatcher(m_pi.dwProcessId));
        HWND hFrame = WaitForMainFrame();
        if (hFrame && !WaitForStartUp(hFrame, [&] { return IsWindowVisible(hFrame) != FALSE; }))
            return nullptr;
        return hFrame;
    }

    // The road of the first fault: the question, answered Yes; the box that
    // tells where the report went.
    void AgreeToTheReport()
    {
        std::string sQuestion;
        ASSERT_TRUE(m_pWatcher->Answer(szQuestionStart, IDYES, &sQuestion))
            << "no question; seen: " << m_pWatcher->Describe();
        EXPECT_NE(sQuestion.find("to thefollowing mail address: support@dunmorrow.example\r\n"), std::string::npos)
            << sQuestion;
        std::string sSaved;
        ASSERT_TRUE(m_pWatcher->Answer("The exception report has been saved to", IDOK, &sSaved))
            << "seen: " << m_pWatcher->Describe();
        EXPECT_EQ(sSaved.substr(0, sSaved.find('\n')),
                  "The exception report has been saved to \"" + m_sReport + "\".");
    }

    // The report's sections in order, the exception's line, and a call stack
    // that names the given function with its source file and line.
    void ExpectReport(const std::string& sCodeLine, const std::string& sFunction, const std::string& sSource,
                      const std::string& sFaultModule = "Pellucor.exe")
    {
        const std::string sReport = ReadFileBytes(m_sReport.c_str());
        const char* const aSections[] = {
            "Exception report created by Pellucor version 4.0\r\n"
            "===================================================\r\n\r\n"
            "System details:\r\n---------------\r\n\r\nOperating System:      ",
            "\r\nProcessor Information: Vendor: ",
            "\r\nMemory Information:    Memory Used ",
            "\r\nException Details:\r\n------------------\r\n\r\nException code: ",
            "\r\nFault address:  ",
            "\r\nCall stack:\r\n-----------\r\n\r\nAddress   Frame     Function\t\t\tSourceFile\r\n",
        };
        size_t nAt = 0;
        for (const char* pszSection : aSections) {
            size_t nFound = sReport.find(pszSection, nAt);
            ASSERT_NE(nFound, std::string::npos) << "missing or out of order: " << pszSection << "\n" << sReport;
            nAt = nFound;
        }
        EXPECT_NE(sReport.find("Exception code: " + sCodeLine + "\r\n"), std::string::npos) << sReport;
        EXPECT_NE(sReport.find("\\" + sFaultModule + "\r\n\r\nCall stack:"), std::string::npos)
            << "the fault address names the faulting code's file\n" << sReport;
        // A frame line: "<address>  <frame>  <name>+<offset>  <file> line <n>".
        bool bFound = false;
        size_t nLine = sReport.find("SourceFile\r\n");
        while (!bFound && nLine != std::string::npos) {
            size_t nEnd = sReport.find("\r\n", nLine + 2);
            std::string sFrame = sReport.substr(nLine + 2, nEnd == std::string::npos ? nEnd : nEnd - nLine - 2);
            size_t nName = sFrame.find(sFunction + "+");
            size_t nSource = sFrame.find(sSource + " line ");
            bFound = nName != std::string::npos && nSource != std::string::npos && nName < nSource &&
                     isdigit((unsigned char)sFrame[nSource + sSource.size() + 6]);
            nLine = nEnd;
        }
        EXPECT_TRUE(bFound) << "no frame of " << sFunction << " in " << sSource << "\n" << sReport;
    }

    // The stand-in mail interface got the report as the one attachment, for
    // the maker's support address.
    void ExpectMailedReport()
    {
        std::string sMail;
        ASSERT_TRUE(WaitFor([&] { return (sMail = ReadFileBytes(m_sMailLog.c_str())).find("file: ") !=
                                         std::string::npos; }, kReportWaitMs))
            << sMail;
        EXPECT_NE(sMail.find("send session=ok flags=0x8\n"), std::string::npos) << sMail;
        EXPECT_NE(sMail.find("to: Pellucor <support@dunmorrow.example>\n"), std::string::npos) << sMail;
        EXPECT_NE(sMail.find("subject: Exception report created by Pellucor version 4.0\\r\\n\\r\\n\n"),
                  std::string::npos)
            << sMail;
        EXPECT_NE(sMail.find("files: 1\nfile: " + m_sReport + " | Pellucor.err | position=-1"), std::string::npos)
            << sMail;
    }

    std::string m_sProgramStub;
    std::string m_sTemp;
    std::string m_sReport;
    std::string m_sMailLog;
    std::vector<std::pair<std::string, std::string>> m_savedEnvironment;
    std::unique_ptr<CBoxWatcher> m_pWatcher;
};

// A fault in a command handler of the user-interface thread: one question,
// the report and its mail; the handler is abandoned with the exception's
// message and the program goes on. A second fault only shows that message.
// The error report dialog then shows the report.
TEST_F(FaultReportTest, AFaultOnTheUserInterfaceThreadIsReportedOnceAndTheProgramGoesOn)
{
    HWND hFrame = StartArmed("ui");
    ASSERT_NE(hFrame, nullptr);
    PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_TEST_FAULT, 0), 0);
    AgreeToTheReport();
    ASSERT_TRUE(m_pWatcher->Answer(szSeMessageStart, IDOK)) << m_pWatcher->Describe();
    ExpectReport("C0000005 ACCESS_VIOLATION", "TestFaultPoint", "ExceptionReport.cpp");
    ExpectMailedReport();

    PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_TEST_FAULT, 0), 0);
    ASSERT_TRUE(m_pWatcher->Answer(szSeMessageStart, IDOK)) << m_pWatcher->Describe();
    EXPECT_EQ(m_pWatcher->CountStartingWith(szQuestionStart), 1) << m_pWatcher->Describe();
    EXPECT_TRUE(Running());

    PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_ERROR_READER, 0), 0);
    HWND hReader = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hReader = DialogWith(IDC_INPUT_STRING)) != nullptr; }, kWaitMs));
    EXPECT_EQ(RemoteText(hReader), "Error report dialog");
    EXPECT_EQ(RemoteText(GetDlgItem(hReader, IDC_INPUT_STRING)), ReadFileBytes(m_sReport.c_str()));
    PostMessageA(hReader, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return DialogWith(IDC_INPUT_STRING) == nullptr; }, kWaitMs));
    EXPECT_EQ(Close(), 0u);
}

// Every attempt of the fetch thread faults: the first asks for the report,
// the other nine are translated quietly and counted as failed attempts, and
// the run ends as after ten failed attempts.
TEST_F(FaultReportTest, AFaultInTheFetchThreadIsReportedOnceAndTheRunEnds)
{
    HWND hFrame = StartArmed("fetch");
    ASSERT_NE(hFrame, nullptr);
    Send(Item(IDC_KEYWORD), WM_SETTEXT, 0, (LPARAM) "melon");
    Send(Item(IDC_GO), BM_CLICK);
    AgreeToTheReport();
    ExpectReport("C0000005 ACCESS_VIOLATION", "DownloadOnce", "GetSuggestionThread.cpp");
    ExpectMailedReport();

    // The run's end: the box of a page that could not be had.
    ASSERT_TRUE(m_pWatcher->Answer("Connection with Brenvik not stable", IDOK)) << m_pWatcher->Describe();
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Item(IDC_GO)) != FALSE; }, kWaitMs));
    EXPECT_EQ(m_pWatcher->CountStartingWith(szQuestionStart), 1) << m_pWatcher->Describe();
    EXPECT_TRUE(Running());
    EXPECT_EQ(Close(), 0u);
}

// The export thread faults before it writes: the report, then the export
// dialog closes with the exception's message, and nothing is written.
TEST_F(FaultReportTest, AFaultInTheExportThreadIsReportedAndTheExportEndsWithItsMessage)
{
    WriteFileBytes(m_sBasketPath.c_str(), "ant 2\r\nzebra 1\r\n");
    HWND hFrame = StartArmed("export");
    ASSERT_NE(hFrame, nullptr);
    const CString sExport = m_folder.File("basket.txt");
    ASSERT_TRUE(ExportTextTo(hFrame, sExport)) << "no save dialog";

    AgreeToTheReport();
    ExpectReport("C0000005 ACCESS_VIOLATION", "Run", "ExportThread.cpp");
    ExpectMailedReport();
    ASSERT_TRUE(m_pWatcher->Answer(szSeMessageStart, IDOK)) << m_pWatcher->Describe();
    EXPECT_TRUE(WaitFor([&] { return Windows(true) == std::vector<HWND>{hFrame}; }, kWaitMs))
        << "still open: " << Describe(Windows(true));
    EXPECT_EQ(ReadFileBytes(sExport), "<missing>");

    // A second export faults again and asks nothing.
    ASSERT_TRUE(ExportTextTo(hFrame, sExport)) << "no save dialog";
    ASSERT_TRUE(m_pWatcher->Answer(szSeMessageStart, IDOK)) << m_pWatcher->Describe();
    EXPECT_EQ(m_pWatcher->CountStartingWith(szQuestionStart), 1) << m_pWatcher->Describe();
    EXPECT_TRUE(Running());
    EXPECT_EQ(Close(), 0u);
}

// A stack overflow leaves the faulting thread no stack to ask or write with:
// the report is still offered and written, from a thread of its own, and the
// program ends.
TEST_F(FaultReportTest, AStackOverflowIsReportedToo)
{
    HWND hFrame = StartArmed("ui-overflow");
    ASSERT_NE(hFrame, nullptr);
    PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_TEST_FAULT, 0), 0);
    AgreeToTheReport();
    ExpectReport("C00000FD STACK_OVERFLOW", "RunOutOfStack", "ExceptionReport.cpp");
    ExpectMailedReport();
    // Then the program ends with the exception's code (Wine keeps its low byte).
    ASSERT_EQ(WaitForSingleObject(m_pi.hProcess, kReportWaitMs), WAIT_OBJECT_0);
    DWORD dwCode = 0;
    GetExitCodeProcess(m_pi.hProcess, &dwCode);
    EXPECT_EQ(dwCode & 0xFF, 0xFDu);
    EXPECT_EQ(m_pWatcher->CountStartingWith(szQuestionStart), 1) << m_pWatcher->Describe();
}

// A fault inside the system's code, which nothing of the system handles, is
// reported through the unhandled-exception filter, and the program ends with
// the exception's code.
TEST_F(FaultReportTest, AFaultInTheSystemsCodeIsReportedBeforeTheProgramEnds)
{
    HWND hFrame = StartArmed("ui-system");
    ASSERT_NE(hFrame, nullptr);
    PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_TEST_FAULT, 0), 0);
    AgreeToTheReport();
    ExpectReport("C0000005 ACCESS_VIOLATION", "TestFaultPoint", "ExceptionReport.cpp", "msvcrt.dll");
    ExpectMailedReport();
    ASSERT_EQ(WaitForSingleObject(m_pi.hProcess, kReportWaitMs), WAIT_OBJECT_0);
    DWORD dwCode = 0;
    GetExitCodeProcess(m_pi.hProcess, &dwCode);
    EXPECT_EQ(dwCode & 0xFF, 0x05u);
}

}  // namespace
