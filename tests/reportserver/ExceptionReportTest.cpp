// The exception reporter inside the test process: faults on worker threads
// that installed the translator, the question answered from the test thread,
// the report written into the test's temporary folder and mailed through the
// stand-in mail interface; the boxes handed over; the exception object's
// message; the system texts as tables of given facts.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include "ExceptionReport.h"
#include "SeException.h"
#include "TestFolder.h"
#include "testsupport.h"

#include <winternl.h>

namespace {

const char szQuestionStart[] = "An unhandled exception has occurred in Pellucor\r\n";

// ---------------------------------------------------------------------------
// Faults on worker threads
// ---------------------------------------------------------------------------

volatile int* volatile g_pNull = nullptr;

__attribute__((noinline)) void FaultInTheTest()
{
    *g_pNull = 7;
}

struct CBoxSeen
{
    HWND hwnd;
    DWORD dwThread;
    std::string sCaption;
    std::string sText;
};

BOOL CALLBACK CollectBox(HWND hwnd, LPARAM lParam)
{
    std::vector<CBoxSeen>& seen = *reinterpret_cast<std::vector<CBoxSeen>*>(lParam);
    DWORD pid = 0;
    DWORD dwThread = GetWindowThreadProcessId(hwnd, &pid);
    char szClass[64] = "";
    GetClassNameA(hwnd, szClass, sizeof szClass);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd) || strcmp(szClass, "#32770") != 0)
        return TRUE;
    for (const CBoxSeen& box : seen)
        if (box.hwnd == hwnd)
            return TRUE;
    char szCaption[256] = "", szText[4096] = "";
    GetWindowTextA(hwnd, szCaption, sizeof szCaption);
    GetDlgItemTextA(hwnd, 0xFFFF, szText, sizeof szText);
    seen.push_back({hwnd, dwThread, szCaption, szText});
    return TRUE;
}

// The visible dialog boxes of this process that are not yet in the list.
void CollectBoxes(std::vector<CBoxSeen>& seen)
{
    EnumWindows(CollectBox, (LPARAM)&seen);
}

class ExceptionReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* pszName : {"TMP", "TEMP"}) {
            char sz[MAX_PATH] = "";
            m_aSavedTemp.push_back(GetEnvironmentVariableA(pszName, sz, MAX_PATH) ? sz : "");
        }
        UseTemporaryFolder(m_folder.Path());
        SetEnvironmentVariableA("PELLUCOR_MAPI_LOG", m_folder.File("mapi.log"));
        ResetFirstReportFlag();
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("TMP", m_aSavedTemp[0].empty() ? NULL : m_aSavedTemp[0].c_str());
        SetEnvironmentVariableA("TEMP", m_aSavedTemp[1].empty() ? NULL : m_aSavedTemp[1].c_str());
        SetEnvironmentVariableA("PELLUCOR_MAPI_LOG", NULL);
        ResetFirstReportFlag();
    }

    static void UseTemporaryFolder(LPCSTR pszFolder)
    {
        SetEnvironmentVariableA("TMP", pszFolder);
        SetEnvironmentVariableA("TEMP", pszFolder);
    }

    // Runs the faulting functions, each on a thread of its own with the
    // translator, all released at once; answers every box that shows up
    // meanwhile with answer(box) and records it. Gives each thread's caught
    // code (0: nothing caught).
    std::vector<UINT> FaultOnThreads(const std::vector<std::function<void()>>& faults,
                                     const std::function<int(const CBoxSeen&)>& answer)
    {
        std::vector<UINT> codes(faults.size(), 0);
        std::vector<DWORD> ids(faults.size(), 0);
        std::atomic<int> nReady{0}, nDone{0};
        std::atomic<bool> bGo{false};
        std::vector<std::thread> threads;
        for (size_t i = 0; i < faults.size(); ++i)
            threads.emplace_back([&, i] {
                InstallSeTranslator();
                ids[i] = GetCurrentThreadId();
                ++nReady;
                while (!bGo)
                    Sleep(0);
                try {
                    faults[i]();
                } catch (CSeException* e) {
                    codes[i] = e->GetSeCode();
                    e->Delete();
                }
                AfxSetSeTranslator(NULL);
                ++nDone;
            });
        while (nReady < (int)faults.size())
            Sleep(1);
        m_aFaultingThreads = ids;
        bGo = true;
        const ULONGLONG end = GetTickCount64() + 30000;
        while (nDone < (int)faults.size() && GetTickCount64() < end) {
            size_t nBefore = m_seen.size();
            CollectBoxes(m_seen);
            for (size_t i = nBefore; i < m_seen.size(); ++i)
                PostMessageA(m_seen[i].hwnd, WM_COMMAND, answer(m_seen[i]), 0);
            Sleep(5);
        }
        for (std::thread& t : threads)
            t.join();
        return codes;
    }

    int CountQuestions() const
    {
        int n = 0;
        for (const CBoxSeen& box : m_seen)
            n += box.sText.compare(0, strlen(szQuestionStart), szQuestionStart) == 0;
        return n;
    }
    std::string Boxes() const
    {
        std::string s;
        for (const CBoxSeen& box : m_seen)
            s += "[" + box.sCaption + ": " + box.sText.substr(0, 70) + "] ";
        return s;
    }
    static int AnswerYes(const CBoxSeen& box) { return box.sCaption == "Warning" ? IDYES : IDOK; }

    CTestFolder m_folder;
    std::vector<std::string> m_aSavedTemp;
    std::vector<CBoxSeen> m_seen;
    std::vector<DWORD> m_aFaultingThreads;
};

// Two threads fault at once: one question, asked from neither of them; both
// get their exception; the report names the faulting function and its line.
TEST_F(ExceptionReportTest, FaultsAtOnceAskOnceFromAThreadOfTheirOwn)
{
    std::vector<UINT> codes = FaultOnThreads({FaultInTheTest, FaultInTheTest}, AnswerYes);
    EXPECT_EQ(codes, (std::vector<UINT>{0xC0000005u, 0xC0000005u}));
    ASSERT_EQ(CountQuestions(), 1) << Boxes();
    for (const CBoxSeen& box : m_seen) {
        EXPECT_EQ(std::count(m_aFaultingThreads.begin(), m_aFaultingThreads.end(), box.dwThread), 0)
            << "asked on the faulting thread: " << box.sText.substr(0, 60);
    }
    EXPECT_EQ(m_seen[0].sCaption, "Warning");

    const std::string sReport = ReadFileBytes(m_folder.File("Pellucor.err"));
    EXPECT_EQ(sReport.find("Exception report created by Application\r\n=="), 0u) << sReport;
    EXPECT_NE(sReport.find("\r\nException code: C0000005 ACCESS_VIOLATION\r\nFault address:  "), std::string::npos)
        << sReport;
    EXPECT_NE(sReport.find("FaultInTheTest+"), std::string::npos) << sReport;
    EXPECT_NE(sReport.find("ExceptionReportTest.cpp line "), std::string::npos) << sReport;
    EXPECT_NE(ReadFileBytes(m_folder.File("mapi.log")).find(" | Pellucor.err | position=-1"), std::string::npos);

    // Later faults of the run ask nothing, but are still translated.
    m_seen.clear();
    codes = FaultOnThreads({FaultInTheTest}, AnswerYes);
    EXPECT_EQ(codes, std::vector<UINT>{0xC0000005u});
    EXPECT_TRUE(m_seen.empty()) << Boxes();
}

// No: nothing written, nothing mailed; the fault is translated all the same.
TEST_F(ExceptionReportTest, NoWritesNoReport)
{
    std::vector<UINT> codes = FaultOnThreads({FaultInTheTest}, [](const CBoxSeen&) { return IDNO; });
    EXPECT_EQ(codes, std::vector<UINT>{0xC0000005u});
    EXPECT_EQ(CountQuestions(), 1) << Boxes();
    EXPECT_EQ(m_seen.size(), 1u) << Boxes();
    EXPECT_EQ(ReadFileBytes(m_folder.File("Pellucor.err")), "<missing>");
    EXPECT_EQ(ReadFileBytes(m_folder.File("mapi.log")), "<missing>");
}

// A temporary folder that does not exist: the error box with the system's code.
TEST_F(ExceptionReportTest, AReportThatCannotBeCreatedSaysWhy)
{
    UseTemporaryFolder(m_folder.File("gone"));
    FaultOnThreads({FaultInTheTest}, AnswerYes);
    ASSERT_EQ(m_seen.size(), 2u) << Boxes();
    EXPECT_EQ(m_seen[1].sCaption, "Error");
    EXPECT_EQ(m_seen[1].sText, "Unable to create exception report, error code 3.");
    EXPECT_EQ(ReadFileBytes(m_folder.File("mapi.log")), "<missing>");
}

// A fault inside the system's own code, which the system handles itself (a
// string function given a bad pointer), is none of the translator's business.
TEST_F(ExceptionReportTest, FaultsTheSystemHandlesItselfAreLeftToIt)
{
    std::atomic<int> nLength{-1};
    std::vector<UINT> codes =
        FaultOnThreads({[&] { nLength = lstrlenA((LPCSTR)(ULONG_PTR)16); }}, AnswerYes);
    EXPECT_EQ(codes, std::vector<UINT>{0u});
    EXPECT_EQ(nLength, 0);
    EXPECT_TRUE(m_seen.empty()) << Boxes();
}

// ---------------------------------------------------------------------------
// A road that never ends
// ---------------------------------------------------------------------------

const char szStuckRoadChild[] = "PELLUCOR_STUCK_ROAD_CHILD";
const char szChildThreadStarting[] = "thread-starting";
// The child's code when its new thread never waited in its start-up: the case
// was not set up, and proves nothing either way.
const DWORD dwChildNotSetUp = 77;

DWORD WINAPI SayRan(LPVOID pRan)
{
    *static_cast<std::atomic<bool>*>(pRan) = true;
    return 0;
}

// The lock the loader holds while a thread starts (its DLLs are told of it),
// as the process's environment block points to it.
volatile CRITICAL_SECTION* LoaderLock()
{
    const BYTE* pPeb = (const BYTE*)NtCurrentTeb()->ProcessEnvironmentBlock;
    return *(CRITICAL_SECTION* const*)(pPeb + (sizeof(void*) == 8 ? 0x110 : 0xA0));
}

// Runs only in the child process the tests below start: the faulting thread
// holds the heap's lock, which the road needs, and nobody would answer its
// question anyway. In the thread-starting case another thread is in its
// start-up by then, holding the loader's lock and waiting for the heap.
TEST(ExceptionReportStuckRoad, FaultingChild)
{
    char szCase[32] = "";
    if (GetEnvironmentVariableA(szStuckRoadChild, szCase, sizeof szCase) == 0)
        GTEST_SKIP() << "the child of the stuck-road tests";
    InstallSeTranslator();
    SetExceptionReportWaitLimit(1000);
    HeapLock(GetProcessHeap());
    if (strcmp(szCase, szChildThreadStarting) == 0) {
        // Started, and in its start-up with the loader's lock held, which it
        // cannot give back before it gets the heap: by itself, or behind a
        // thread started before it (under load, the harness's watchdog) that
        // does the same.
        std::atomic<bool> bRan{false};
        DWORD dwThread = 0;
        HANDLE hThread = CreateThread(NULL, 0, SayRan, &bRan, 0, &dwThread);
        volatile CRITICAL_SECTION* pLoaderLock = LoaderLock();
        const ULONGLONG end = GetTickCount64() + 20000;
        for (;;) {
            const DWORD dwOwner = (DWORD)(ULONG_PTR)pLoaderLock->OwningThread;
            if (hThread == NULL || bRan || GetTickCount64() > end)
                TerminateProcess(GetCurrentProcess(), dwChildNotSetUp);
            if (dwOwner == dwThread || (dwOwner != 0 && dwOwner != GetCurrentThreadId()))
                break;
            Sleep(1);
        }
    }
    FaultInTheTest();
    ADD_FAILURE() << "the fault came back";
}

// Starts the child with the given case and gives its exit code; fails when
// it does not end within 60 s.
void RunFaultingChild(LPCSTR pszCase, DWORD& dwCode)
{
    dwCode = 0;
    char szExe[MAX_PATH] = "";
    ASSERT_NE(GetModuleFileNameA(NULL, szExe, MAX_PATH), 0u);
    std::string sCommand = std::string("\"") + szExe + "\" --gtest_filter=ExceptionReportStuckRoad.FaultingChild";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    SetEnvironmentVariableA(szStuckRoadChild, pszCase);
    const BOOL bStarted = CreateProcessA(NULL, &sCommand[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    SetEnvironmentVariableA(szStuckRoadChild, NULL);
    ASSERT_TRUE(bStarted) << GetLastError();
    const DWORD dwWait = WaitForSingleObject(pi.hProcess, 60000);
    if (dwWait != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    GetExitCodeProcess(pi.hProcess, &dwCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(dwWait, WAIT_OBJECT_0) << "the program still waited for its report after 60 s";
}

TEST(ExceptionReportStuckRoad, AStuckRoadEndsTheProgramWithTheFaultsCode)
{
    DWORD dwCode = 0;
    ASSERT_NO_FATAL_FAILURE(RunFaultingChild("plain", dwCode));
    EXPECT_EQ(dwCode, 0xC0000005u) << std::hex << dwCode;
}

// A thread starting while the faulting thread holds the heap: the thread
// holds the loader's lock until the heap is free, so the faulting thread may
// not ask the loader anything before the program is sure to end.
TEST(ExceptionReportStuckRoad, AThreadStartingMeanwhileDoesNotHoldTheEndUp)
{
    DWORD dwCode = 0;
    ASSERT_NO_FATAL_FAILURE(RunFaultingChild(szChildThreadStarting, dwCode));
    ASSERT_NE(dwCode, dwChildNotSetUp) << "the child's new thread never waited in its start-up";
    EXPECT_EQ(dwCode, 0xC0000005u) << std::hex << dwCode;
}

// ---------------------------------------------------------------------------
// The boxes
// ---------------------------------------------------------------------------

std::vector<std::string> g_boxesShown;

void RecordErrorBox(LPCSTR pszText)
{
    g_boxesShown.push_back(std::string("error: ") + pszText);
}

int RecordQuestionBox(LPCSTR pszText)
{
    g_boxesShown.push_back(std::string("question: ") + pszText);
    return IDYES;
}

// The boxes the framework hands over are the ones shown; NULL puts the
// system's box back, under the same caption.
TEST(ExceptionReportBoxes, GivenBoxesAreShownAndNullPutsTheSystemsBack)
{
    SetExceptionReportBoxes(RecordErrorBox, RecordQuestionBox);
    CSeException fault(0xC0000094, NULL);
    fault.ReportError();
    EXPECT_EQ(AskReportQuestion("Write a report?"), IDYES);
    SetExceptionReportBoxes(NULL, NULL);
    EXPECT_EQ(g_boxesShown,
              (std::vector<std::string>{"error: Exception INT_DIVIDE_BY_ZERO (0xc0000094) at address 0x00000000.",
                                        "question: Write a report?"}));

    CDialogAnswerer answerer;
    answerer.Answer(IDNO);
    EXPECT_EQ(AskReportQuestion("Write a report?"), IDNO);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Warning");
    EXPECT_EQ(answerer.Shown()[0].text, "Write a report?");
    EXPECT_EQ(g_boxesShown.size(), 2u);
}

// ---------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------

// The saved-report text formats the path alone: a "%" in the program name, the
// download page or the support address stays as it is.
TEST(ExceptionReportTexts, OnlyThePathIsFormattedIntoTheSavedText)
{
    EXPECT_EQ(std::string(FormatReportSavedText("C:\\Temp\\100%s.err", "Pel%dlucor", "http://x/a%20b%n",
                                                "help%s@x")),
              "The exception report has been saved to \"C:\\Temp\\100%s.err\".\n"
              "Please make sure that you are using the latest version of Pel%dlucor.\n"
              "You can download the latest version from http://x/a%20b%n.\n"
              "If you do use the latest version, please send the exception report to help%s@x alongwith a brief "
              "explanation what you did before Pel%dlucor crashed.");
}

TEST(ExceptionReportTexts, TheExceptionMessageNamesTheCodeAndTheAddress)
{
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = 0xC0000094;
    record.ExceptionAddress = (PVOID)(ULONG_PTR)0x0040ABCD;
    CONTEXT context = {};
    EXCEPTION_POINTERS pointers = {&record, &context};
    CSeException e(0xC0000094, &pointers);
    record.ExceptionAddress = NULL;   // the system's record goes away; the exception keeps its copy
    char sz[128];
    UINT nHelp = 99;
    EXPECT_TRUE(e.GetErrorMessage(sz, sizeof sz, &nHelp));
    EXPECT_STREQ(sz, "Exception INT_DIVIDE_BY_ZERO (0xc0000094) at address 0x0040abcd.");
    EXPECT_EQ(nHelp, 0u);
    CSeException copy(e);
    EXPECT_EQ(copy.GetSePointers()->ExceptionRecord->ExceptionAddress, (PVOID)(ULONG_PTR)0x0040ABCD);

    char szSmall[20] = "x";
    EXPECT_FALSE(e.GetErrorMessage(szSmall, sizeof szSmall));
    EXPECT_STREQ(szSmall, "");

    CSeException unknown(0xE0000001, &pointers);
    EXPECT_TRUE(unknown.GetErrorMessage(sz, sizeof sz));
    EXPECT_STREQ(sz, "Unknown exception.");
    EXPECT_STREQ(GetSeCodeText(0xC00000FD), "STACK_OVERFLOW");
}

TEST(ExceptionReportTexts, WindowsVersionTextFromTheVersionRecord)
{
    struct Case {
        DWORD dwPlatform, dwMajor, dwMinor, dwBuild;
        const char* pszService;
        BOOL bExtended;
        BYTE nProductType;
        WORD wSuite;
        const char* pszRegistryType;
        const char* pszExpected;
    };
    const Case cases[] = {
        {2, 6, 1, 7601, "", TRUE, 1, 0, NULL, "Professional  (Build 7601)"},
        {2, 6, 1, 7601, "Service Pack 1", TRUE, 1, 0x200, NULL, "Home Edition Service Pack 1 (Build 7601)"},
        {2, 5, 1, 0x0A280A28, "Service Pack 3", TRUE, 1, 0, NULL,
         "Microsoft Windows XP Professional Service Pack 3 (Build 2600)"},
        {2, 5, 1, 3790, "", TRUE, 3, 0x80, NULL, "Microsoft Windows .NET DataCenter Server  (Build 3790)"},
        {2, 5, 2, 3790, "", TRUE, 3, 0x2, NULL, "Enterprise Server  (Build 3790)"},
        {2, 4, 0, 1381, "Service Pack 6", TRUE, 3, 0x2, NULL,
         "Microsoft Windows NT Advanced Server version 4.0 Service Pack 6 (Build 1381)"},
        {2, 5, 2, 3790, "", TRUE, 3, 0x400, NULL, "Web Server  (Build 3790)"},
        {2, 5, 2, 3790, "", TRUE, 3, 0x410, NULL, "Server  (Build 3790)"},
        {2, 5, 0, 2195, "Service Pack 4", TRUE, 1, 0, NULL,
         "Microsoft Windows 2000 Professional Service Pack 4 (Build 2195)"},
        {2, 5, 0, 2195, "", TRUE, 2, 0, NULL, "Microsoft Windows 2000  (Build 2195)"},
        {2, 4, 0, 1381, "Service Pack 6", FALSE, 0, 0, "LANMANNT",
         "Microsoft Windows NT Server version 4.0 Service Pack 6 (Build 1381)"},
        {2, 4, 0, 1381, "", FALSE, 0, 0, "winnt", "Microsoft Windows NT Professional version 4.0  (Build 1381)"},
        {2, 4, 0, 1381, "", FALSE, 0, 0, "ServerNT", "Microsoft Windows NT Advanced Server version 4.0  (Build 1381)"},
        {2, 3, 51, 1057, "", FALSE, 0, 0, NULL, "Microsoft Windows NT version 3.51  (Build 1057)"},
        {1, 4, 0, 950, " C", FALSE, 0, 0, NULL, "Microsoft Windows 95 OSR2 "},
        {1, 4, 0, 950, " A", FALSE, 0, 0, NULL, "Microsoft Windows 95 "},
        {1, 4, 10, 2222, " A", FALSE, 0, 0, NULL, "Microsoft Windows 98 SE "},
        {1, 4, 90, 3000, "", FALSE, 0, 0, NULL, "Microsoft Windows Millennium Edition "},
        {1, 4, 3, 950, "", FALSE, 0, 0, NULL, "4.3 build 950"},
        {3, 5, 0, 1, "", FALSE, 0, 0, NULL, "5.0 build 1"},
    };
    for (const Case& c : cases) {
        CWindowsVersion version = {};
        version.info.dwPlatformId = c.dwPlatform;
        version.info.dwMajorVersion = c.dwMajor;
        version.info.dwMinorVersion = c.dwMinor;
        version.info.dwBuildNumber = c.dwBuild;
        lstrcpynA(version.info.szCSDVersion, c.pszService, sizeof version.info.szCSDVersion);
        version.info.wProductType = c.nProductType;
        version.info.wSuiteMask = c.wSuite;
        version.bExtended = c.bExtended;
        version.pszRegistryProductType = c.pszRegistryType;
        EXPECT_STREQ(FormatWindowsVersionText(version), c.pszExpected) << c.dwMajor << "." << c.dwMinor;
    }
    CString strWindows;
    EXPECT_TRUE(GetWindowsVersionText(strWindows));
    EXPECT_FALSE(strWindows.IsEmpty());
}

TEST(ExceptionReportTexts, ProcessorTextFromTheSystemInformation)
{
    struct Case {
        WORD wArchitecture, wLevel, wRevision;
        DWORD dwType;
        BOOL bKey;
        const char* pszVendor;
        DWORD dwMHz;   // 0: missing
        BOOL bMmx;
        const char* pszExpected;
    };
    const Case cases[] = {
        {0, 6, 0x0305, 586, TRUE, "GenuineIntel", 2600, FALSE,
         "Vendor: GenuineIntel, Speed: 2600MHz, Type: Intel Pentium compatible, Number Of Processors: 2, "
         "Architecture: Intel, Level: Pentium II/Pro, Stepping: 7-73"},
        {0, 5, 201, 586, TRUE, NULL, 0, TRUE,
         "Vendor: Unknown, Speed: Unknown, Type: Intel Pentium compatible, Number Of Processors: 2, "
         "Architecture: Intel, Level: Pentium,  MMXStepping: 2-1"},
        {0, 15, 0, 386, FALSE, NULL, 0, FALSE,
         "Vendor: Unknown, Speed: Unknown, Type: Intel 386, Number Of Processors: 2, Architecture: Intel, "
         "Level: Unknown 15, Stepping: 0-0"},
        {1, 4, 3, 4000, FALSE, NULL, 0, FALSE,
         "Vendor: Unknown, Speed: Unknown, Type: MIPS, Number Of Processors: 2, Architecture: MIPS, "
         "Level: R4000, Stepping: 003"},
        {3, 9, 102, 0, FALSE, NULL, 0, FALSE,
         "Vendor: Unknown, Speed: Unknown, Type: Unknown, Number Of Processors: 2, Architecture: PowerPC, "
         "Level: 604+, Stepping: 1.2"},
        {0xFFFF, 2, 305, 0, FALSE, NULL, 0, FALSE,
         "Vendor: Unknown, Speed: Unknown, Type: Unknown, Number Of Processors: 2, Architecture: Unknown, "
         "Level: Unknown 2, Stepping: 3-5"},
        {9, 6, 0x1A35, 8664, TRUE, "AuthenticAMD", 0, FALSE,
         "Vendor: AuthenticAMD, Speed: Unknown, Type: Unknown, Number Of Processors: 2, "
         "Architecture: Unknown 9, Level: Unknown 6, Stepping: 67-9"},
    };
    for (const Case& c : cases) {
        SYSTEM_INFO info = {};
        info.wProcessorArchitecture = c.wArchitecture;
        info.wProcessorLevel = c.wLevel;
        info.wProcessorRevision = c.wRevision;
        info.dwProcessorType = c.dwType;
        info.dwNumberOfProcessors = 2;
        DWORD dwMHz = c.dwMHz;
        EXPECT_STREQ(CProcessorInfo::FormatProcessorText(info, c.bKey, c.pszVendor, c.dwMHz ? &dwMHz : NULL, c.bMmx),
                     c.pszExpected);
    }
}

__attribute__((noinline)) const void* AnAddressInTheCaller()
{
    return __builtin_return_address(0);
}

// The logical address of code in this file: the program's file, its first
// (code) section, and an offset within it.
TEST(ExceptionReportTexts, LogicalAddressFindsTheSectionOfCode)
{
    CString strModule;
    DWORD dwSection = 0;
    ULONG_PTR nOffset = 0;
    ASSERT_TRUE(GetLogicalAddress(AnAddressInTheCaller(), strModule, dwSection, nOffset));
    char szExe[MAX_PATH] = "";
    GetModuleFileNameA(NULL, szExe, MAX_PATH);
    EXPECT_STREQ(strModule, szExe);
    EXPECT_EQ(dwSection, 1u);
    EXPECT_GT(nOffset, 0u);
    EXPECT_FALSE(GetLogicalAddress(NULL, strModule, dwSection, nOffset));
}

}  // namespace
