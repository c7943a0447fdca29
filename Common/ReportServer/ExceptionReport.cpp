// ExceptionReport.cpp - the translator, the report road, the report file and
// its stack walk.
#include "ExceptionReport.h"

#include <dbghelp.h>
#include <mutex>
#include "MailMsg.h"
#include "SeException.h"
#include "VersionText.h"

const char szReportProgramName[] = "Pellucor";
const char szReportSupportAddress[] = "support@dunmorrow.example";
const char szReportDownloadPage[] = "http://www.dunmorrow.example/pellucor/download.html";

namespace {

// 1 until the first report road begins; at most one report is offered per run,
// whichever threads fault at once.
volatile LONG g_nFirstReport = 1;

// How long the faulting thread waits for the road: time for the user to read
// the question and for the report to be written and mailed.
DWORD g_dwRoadLimitMs = 5 * 60 * 1000;

// The boxes the framework gave; NULL: the system's.
PFNREPORTERRORBOX g_pfnErrorBox = NULL;
PFNREPORTQUESTIONBOX g_pfnQuestionBox = NULL;

HWND MainWindowOfThread()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL ? pMain->GetSafeHwnd() : NULL;
}

// A walk that never ends (a corrupt stack whose frames lead back into
// themselves) must not write forever.
const int nMaxStackFrames = 10000;

// ---------------------------------------------------------------------------
// The debugging functions, taken from "dbghelp.dll" by name: the 64-bit entry
// points where addresses are 64 bits wide, the original ones elsewhere.
// ---------------------------------------------------------------------------

#ifdef _WIN64
typedef STACKFRAME64 CReportStackFrame;
typedef IMAGEHLP_LINE64 CReportLine;
typedef DWORD64 CReportAddress;
typedef PFUNCTION_TABLE_ACCESS_ROUTINE64 PFNREPORTTABLEACCESS;
typedef PGET_MODULE_BASE_ROUTINE64 PFNREPORTMODULEBASE;
typedef BOOL(WINAPI* PFNSTACKWALK)(DWORD, HANDLE, HANDLE, STACKFRAME64*, PVOID, PREAD_PROCESS_MEMORY_ROUTINE64,
                                    PFUNCTION_TABLE_ACCESS_ROUTINE64, PGET_MODULE_BASE_ROUTINE64,
                                    PTRANSLATE_ADDRESS_ROUTINE64);
typedef BOOL(WINAPI* PFNSYMGETLINEFROMADDR)(HANDLE, DWORD64, PDWORD, IMAGEHLP_LINE64*);
const char szStackWalk[] = "StackWalk64";
const char szSymGetLineFromAddr[] = "SymGetLineFromAddr64";
const char szSymFunctionTableAccess[] = "SymFunctionTableAccess64";
const char szSymGetModuleBase[] = "SymGetModuleBase64";
const DWORD dwReportMachine = IMAGE_FILE_MACHINE_AMD64;
#else
typedef STACKFRAME CReportStackFrame;
typedef IMAGEHLP_LINE CReportLine;
typedef DWORD CReportAddress;
typedef PFUNCTION_TABLE_ACCESS_ROUTINE PFNREPORTTABLEACCESS;
typedef PGET_MODULE_BASE_ROUTINE PFNREPORTMODULEBASE;
typedef BOOL(WINAPI* PFNSTACKWALK)(DWORD, HANDLE, HANDLE, STACKFRAME*, PVOID, PREAD_PROCESS_MEMORY_ROUTINE,
                                    PFUNCTION_TABLE_ACCESS_ROUTINE, PGET_MODULE_BASE_ROUTINE,
                                    PTRANSLATE_ADDRESS_ROUTINE);
typedef BOOL(WINAPI* PFNSYMGETLINEFROMADDR)(HANDLE, DWORD, PDWORD, IMAGEHLP_LINE*);
const char szStackWalk[] = "StackWalk";
const char szSymGetLineFromAddr[] = "SymGetLineFromAddr";
const char szSymFunctionTableAccess[] = "SymFunctionTableAccess";
const char szSymGetModuleBase[] = "SymGetModuleBase";
const DWORD dwReportMachine = IMAGE_FILE_MACHINE_I386;
#endif
typedef BOOL(WINAPI* PFNSYMCLEANUP)(HANDLE);
typedef BOOL(WINAPI* PFNSYMINITIALIZE)(HANDLE, PCSTR, BOOL);
typedef DWORD(WINAPI* PFNSYMGETOPTIONS)();
typedef DWORD(WINAPI* PFNSYMSETOPTIONS)(DWORD);
typedef BOOL(WINAPI* PFNSYMFROMADDR)(HANDLE, DWORD64, PDWORD64, PSYMBOL_INFO);
typedef BOOL(WINAPI* PFNMINIDUMPWRITEDUMP)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                            PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);

template <class T> T TakeEntry(HMODULE hModule, LPCSTR pszName)
{
    return reinterpret_cast<T>(::GetProcAddress(hModule, pszName));
}

// "dbghelp.dll", loaded for one report road and freed at its end.
class CDebugHelp
{
public:
    CDebugHelp() : m_hModule(::LoadLibraryA("dbghelp.dll"))
    {
        if (m_hModule == NULL)
            return;
        SymCleanup = TakeEntry<PFNSYMCLEANUP>(m_hModule, "SymCleanup");
        SymInitialize = TakeEntry<PFNSYMINITIALIZE>(m_hModule, "SymInitialize");
        SymGetOptions = TakeEntry<PFNSYMGETOPTIONS>(m_hModule, "SymGetOptions");
        SymSetOptions = TakeEntry<PFNSYMSETOPTIONS>(m_hModule, "SymSetOptions");
        SymGetLineFromAddr = TakeEntry<PFNSYMGETLINEFROMADDR>(m_hModule, szSymGetLineFromAddr);
        SymFromAddr = TakeEntry<PFNSYMFROMADDR>(m_hModule, "SymFromAddr");
        StackWalk = TakeEntry<PFNSTACKWALK>(m_hModule, szStackWalk);
        SymFunctionTableAccess = TakeEntry<PFNREPORTTABLEACCESS>(m_hModule, szSymFunctionTableAccess);
        SymGetModuleBase = TakeEntry<PFNREPORTMODULEBASE>(m_hModule, szSymGetModuleBase);
        // Taken with the others; the report writes no dump file.
        MiniDumpWriteDump = TakeEntry<PFNMINIDUMPWRITEDUMP>(m_hModule, "MiniDumpWriteDump");
    }
    ~CDebugHelp()
    {
        if (m_hModule != NULL)
            ::FreeLibrary(m_hModule);
    }
    CDebugHelp(const CDebugHelp&) = delete;
    CDebugHelp& operator=(const CDebugHelp&) = delete;

    BOOL IsLoaded() const { return m_hModule != NULL; }
    BOOL CanWalk() const
    {
        return SymCleanup && SymInitialize && SymGetOptions && SymSetOptions && SymGetLineFromAddr &&
               SymFromAddr && StackWalk && SymFunctionTableAccess && SymGetModuleBase;
    }

    PFNSYMCLEANUP SymCleanup = NULL;
    PFNSYMINITIALIZE SymInitialize = NULL;
    PFNSYMGETOPTIONS SymGetOptions = NULL;
    PFNSYMSETOPTIONS SymSetOptions = NULL;
    PFNSYMGETLINEFROMADDR SymGetLineFromAddr = NULL;
    PFNSYMFROMADDR SymFromAddr = NULL;
    PFNSTACKWALK StackWalk = NULL;
    PFNREPORTTABLEACCESS SymFunctionTableAccess = NULL;
    PFNREPORTMODULEBASE SymGetModuleBase = NULL;
    PFNMINIDUMPWRITEDUMP MiniDumpWriteDump = NULL;

private:
    HMODULE m_hModule;
};

// ---------------------------------------------------------------------------
// The report file
// ---------------------------------------------------------------------------

// Writes the report piece by piece; a failed write throws the system's code.
class CReportWriter
{
public:
    explicit CReportWriter(HANDLE hFile) : m_hFile(hFile) {}
    void Put(const CString& str)
    {
        DWORD dwWritten = 0;
        if (!::WriteFile(m_hFile, (LPCSTR)str, (DWORD)str.GetLength(), &dwWritten, NULL) ||
            dwWritten != (DWORD)str.GetLength())
            throw (DWORD)::GetLastError();
    }
    void PutF(LPCSTR pszFormat, ...) AFX_PRINTF_FORMAT(2, 3)
    {
        va_list args;
        va_start(args, pszFormat);
        CString str;
        str.FormatV(pszFormat, args);
        va_end(args);
        Put(str);
    }

private:
    HANDLE m_hFile;
};

unsigned long long AddressValue(const void* p)
{
    return (unsigned long long)(ULONG_PTR)p;
}

void GetContextAddresses(const CONTEXT& context, ULONG_PTR& nInstruction, ULONG_PTR& nFrame, ULONG_PTR& nStack)
{
#ifdef _WIN64
    nInstruction = context.Rip;
    nFrame = context.Rbp;
    nStack = context.Rsp;
#else
    nInstruction = context.Eip;
    nFrame = context.Ebp;
    nStack = context.Esp;
#endif
}

void WriteCallStack(CReportWriter& out, CDebugHelp& help, const CONTEXT& faultContext, HANDLE hThread)
{
    out.Put("\r\nCall stack:\r\n-----------\r\n\r\n");
    out.Put("Address   Frame     Function\t\t\tSourceFile\r\n");

    // The walk changes the context it is given.
    CONTEXT context = faultContext;
    ULONG_PTR nInstruction = 0, nFrame = 0, nStack = 0;
    GetContextAddresses(context, nInstruction, nFrame, nStack);
    CReportStackFrame frame;
    memset(&frame, 0, sizeof frame);
    frame.AddrPC.Offset = nInstruction;
    frame.AddrPC.Mode = AddrModeFlat;
    frame.AddrFrame.Offset = nFrame;
    frame.AddrFrame.Mode = AddrModeFlat;
    frame.AddrStack.Offset = nStack;
    frame.AddrStack.Mode = AddrModeFlat;

    HANDLE hProcess = ::GetCurrentProcess();
    for (int nFrames = 0; nFrames < nMaxStackFrames; ++nFrames) {
        if (!help.StackWalk(dwReportMachine, hProcess, hThread, &frame, &context, NULL, help.SymFunctionTableAccess,
                            help.SymGetModuleBase, NULL))
            break;
        if (frame.AddrFrame.Offset == 0)
            break;
        const CReportAddress nAddress = frame.AddrPC.Offset;
        out.PutF("%08llX  %08llX  ", (unsigned long long)nAddress, (unsigned long long)frame.AddrFrame.Offset);

        union {
            SYMBOL_INFO info;
            BYTE bytes[sizeof(SYMBOL_INFO) + 1024];
        } symbol;
        memset(&symbol, 0, sizeof symbol);
        symbol.info.SizeOfStruct = sizeof(SYMBOL_INFO);
        symbol.info.MaxNameLen = 1024;
        DWORD64 nDisplacement = 0;
        if (help.SymFromAddr(hProcess, nAddress, &nDisplacement, &symbol.info)) {
            out.PutF("%s+%llX", symbol.info.Name, (unsigned long long)nDisplacement);
        } else {
            CString strModule;
            DWORD dwSection = 0;
            ULONG_PTR nOffset = 0;
            GetLogicalAddress((const void*)(ULONG_PTR)nAddress, strModule, dwSection, nOffset);
            out.PutF("%04lX:%08llX %s", (unsigned long)dwSection, (unsigned long long)nOffset, (LPCSTR)strModule);
        }

        CReportLine line;
        memset(&line, 0, sizeof line);
        line.SizeOfStruct = sizeof line;
        DWORD dwLineDisplacement = 0;
        if (help.SymGetLineFromAddr(hProcess, nAddress, &dwLineDisplacement, &line) && line.FileName != NULL)
            out.PutF("  %s line %lu", line.FileName, (unsigned long)line.LineNumber);
        out.Put("\r\n");
    }
}

// ---------------------------------------------------------------------------
// The road, on a thread of its own
// ---------------------------------------------------------------------------

struct CReportJob
{
    EXCEPTION_POINTERS* pExcPointers;
    DWORD dwFaultingThread;
};

void MailReport(const CString& strPath)
{
    CMailMsg mail;
    mail.AddRecipient(szReportSupportAddress, szReportProgramName);
    mail.SetSubject("Exception report created by " + GetVersionText(false) + "\r\n\r\n");
    mail.SetMessage(CString("Enter your comments here, what did you do with ") + szReportProgramName +
                    " before it crashed?");
    mail.AddAttachment(strPath, CString(szReportProgramName) + ".err");
    mail.Send();
}

void ReportRoad(const CReportJob& job, HANDLE hFaultingThread)
{
    const CString strPath = GetExceptionReportPath();
    CDebugHelp help;
    if (!help.IsLoaded())
        return;
    if (AskReportQuestion(FormatReportQuestion(szReportProgramName, szReportSupportAddress)) != IDYES)
        return;

    DWORD dwError = 0;
    HANDLE hFile = strPath.IsEmpty()
                       ? INVALID_HANDLE_VALUE
                       : ::CreateFileA(strPath, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        dwError = strPath.IsEmpty() ? ERROR_PATH_NOT_FOUND : ::GetLastError();
    } else {
        try {
            WriteExceptionReport(hFile, job.pExcPointers, hFaultingThread);
        } catch (DWORD dwCode) {
            dwError = dwCode != 0 ? dwCode : ERROR_WRITE_FAULT;
        }
        ::CloseHandle(hFile);
    }

    if (dwError == 0) {
        MailReport(strPath);
        ShowReportError(FormatReportSavedText(strPath, szReportProgramName, szReportDownloadPage,
                                           szReportSupportAddress));
    } else {
        CString strText;
        strText.Format("Unable to create exception report, error code %lu.", (unsigned long)dwError);
        ShowReportError(strText);
    }
}

// What a faulting thread may touch. It may hold the heap's lock (a fault
// inside the heap, a corrupt heap) while another thread starts, and a
// starting thread holds the loader's lock until it gets the heap: a faulting
// thread that allocated, formatted a text, started a thread or asked the
// loader anything (which module holds an address, an entry point, a library)
// could wait for good before making sure the program ends. So everything it
// needs is made when the translator is installed: the program's address
// range, the road's thread (already waiting) and the two events between
// them. The faulting thread only sets one event and waits on the other.
// All zero until the road is prepared (no constructor: the translator may be
// installed from another file's static initialisation).
struct CFaultRoad
{
    ULONG_PTR nImageStart;   // the program's file as mapped: [start, end)
    ULONG_PTR nImageEnd;
    HANDLE hGo;              // set by the faulting thread: a job is waiting
    HANDLE hDone;            // set by the road's thread: the road is over
    DWORD dwRoadThread;
    CReportJob job;
    LONG nBusy;              // 1 while a faulting thread owns the road
};
CFaultRoad g_road;

DWORD WINAPI ReportRoadThread(LPVOID pStarted)
{
    ::SetEvent((HANDLE)pStarted);   // see PrepareFaultRoad
    for (;;) {
        if (::WaitForSingleObject(g_road.hGo, INFINITE) != WAIT_OBJECT_0)
            return 0;
        const CReportJob job = g_road.job;
        HANDLE hFaultingThread = ::OpenThread(THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION | THREAD_SUSPEND_RESUME,
                                              FALSE, job.dwFaultingThread);
        try {
            ReportRoad(job, hFaultingThread);
        } catch (...) {
            // Nothing of a failed report may reach the faulting thread.
        }
        if (hFaultingThread != NULL)
            ::CloseHandle(hFaultingThread);
        // A thread that ran out of stack cannot be trusted to take another
        // step, not even the return from its wait: the program ends from here.
        const DWORD dwCode = job.pExcPointers->ExceptionRecord->ExceptionCode;
        if (dwCode == EXCEPTION_STACK_OVERFLOW)
            ::TerminateProcess(::GetCurrentProcess(), dwCode);
        ::SetEvent(g_road.hDone);
    }
}

// The program's range and the road, made once per process.
void PrepareFaultRoad()
{
    const BYTE* pBase = (const BYTE*)::GetModuleHandleA(NULL);
    const IMAGE_DOS_HEADER* pDos = (const IMAGE_DOS_HEADER*)pBase;
    const IMAGE_NT_HEADERS* pNt = (const IMAGE_NT_HEADERS*)(pBase + pDos->e_lfanew);
    if (pDos->e_magic == IMAGE_DOS_SIGNATURE && pNt->Signature == IMAGE_NT_SIGNATURE) {
        g_road.nImageStart = (ULONG_PTR)pBase;
        g_road.nImageEnd = (ULONG_PTR)pBase + pNt->OptionalHeader.SizeOfImage;
    }
    g_road.hGo = ::CreateEventA(NULL, FALSE, FALSE, NULL);
    g_road.hDone = ::CreateEventA(NULL, FALSE, FALSE, NULL);
    HANDLE hStarted = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    if (g_road.hGo == NULL || g_road.hDone == NULL || hStarted == NULL)
        return;
    HANDLE hThread = ::CreateThread(NULL, 0, ReportRoadThread, hStarted, 0, &g_road.dwRoadThread);
    if (hThread == NULL) {
        g_road.dwRoadThread = 0;
        ::CloseHandle(hStarted);
        return;
    }
    ::CloseHandle(hThread);
    // A thread in its start-up holds the loader's lock and needs the heap: the
    // road's own thread must not be one when the first fault comes. The wait
    // is bounded, should the loader's lock be held here; the event is then
    // left open for the thread to set later.
    if (::WaitForSingleObject(hStarted, 10000) == WAIT_OBJECT_0)
        ::CloseHandle(hStarted);
}

// Whether an address lies in the program's own file, whose code is built to
// unwind from a faulting instruction.
bool IsInProgramImage(const void* pAddress)
{
    const ULONG_PTR nAddress = (ULONG_PTR)pAddress;
    return nAddress >= g_road.nImageStart && nAddress < g_road.nImageEnd;
}

LONG WINAPI ReportUnhandledException(EXCEPTION_POINTERS* pExcPointers)
{
    RunExceptionReportRoad(pExcPointers);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

// ---------------------------------------------------------------------------
// The road and the translator
// ---------------------------------------------------------------------------

void SetExceptionReportBoxes(PFNREPORTERRORBOX pfnError, PFNREPORTQUESTIONBOX pfnQuestionWarning)
{
    g_pfnErrorBox = pfnError;
    g_pfnQuestionBox = pfnQuestionWarning;
}

void ShowReportError(LPCSTR pszText)
{
    if (PFNREPORTERRORBOX pfn = g_pfnErrorBox)
        pfn(pszText);
    else
        ::MessageBoxA(MainWindowOfThread(), pszText, "Error", MB_OK | MB_ICONERROR);
}

int AskReportQuestion(LPCSTR pszText)
{
    if (PFNREPORTQUESTIONBOX pfn = g_pfnQuestionBox)
        return pfn(pszText);
    return ::MessageBoxA(MainWindowOfThread(), pszText, "Warning", MB_YESNO | MB_ICONWARNING);
}

void SetExceptionReportWaitLimit(DWORD dwMs)
{
    g_dwRoadLimitMs = dwMs;
}

void ResetFirstReportFlag()
{
    InterlockedExchange(&g_nFirstReport, 1);
}

// Little happens on the faulting thread, whose stack may be all but used up
// and which may hold the heap's lock: the flag, the job handed to the road's
// thread, which waits already, and the wait for it (see CFaultRoad).
void RunExceptionReportRoad(EXCEPTION_POINTERS* pExcPointers)
{
    const DWORD dwThread = ::GetCurrentThreadId();
    // The road's own thread faulting has no road to wait for.
    if (g_road.dwRoadThread == 0 || dwThread == g_road.dwRoadThread)
        return;
    if (InterlockedExchange(&g_nFirstReport, 0) == 0)
        return;
    // One road at a time (the flag armed again while a road still goes).
    if (InterlockedCompareExchange(&g_road.nBusy, 1, 0) != 0)
        return;
    g_road.job.pExcPointers = pExcPointers;
    g_road.job.dwFaultingThread = dwThread;
    ::SetEvent(g_road.hGo);
    // A road still going past the limit waits for something the faulting
    // thread holds (the heap's lock, say) and never will end: the program
    // ends, as a fault would end it.
    if (::WaitForSingleObject(g_road.hDone, g_dwRoadLimitMs) != WAIT_OBJECT_0)
        ::TerminateProcess(::GetCurrentProcess(), pExcPointers->ExceptionRecord->ExceptionCode);
    InterlockedExchange(&g_road.nBusy, 0);
}

void __cdecl SeTranslator(unsigned int nCode, EXCEPTION_POINTERS* pExcPointers)
{
    if (pExcPointers == NULL || pExcPointers->ExceptionRecord == NULL ||
        !IsInProgramImage(pExcPointers->ExceptionRecord->ExceptionAddress))
        return;
    RunExceptionReportRoad(pExcPointers);
    // What is left of the stack is too little to unwind with: the thread
    // would only fault again. The program ends with the exception's code.
    if (nCode == EXCEPTION_STACK_OVERFLOW)
        ::TerminateProcess(::GetCurrentProcess(), nCode);
    throw new CSeException(nCode, pExcPointers);
}

void InstallSeTranslator()
{
    static std::once_flag s_prepared;
    std::call_once(s_prepared, [] {
        PrepareFaultRoad();
        ::SetUnhandledExceptionFilter(ReportUnhandledException);
    });
    AfxSetSeTranslator(SeTranslator);
}

CString GetExceptionReportPath()
{
    char szTemp[MAX_PATH + 2] = "";
    DWORD n = ::GetTempPathA(sizeof szTemp, szTemp);
    if (n == 0 || n >= sizeof szTemp)
        return CString();
    return CString(szTemp) + szReportProgramName + ".err";
}

CString FormatReportQuestion(LPCSTR pszProgram, LPCSTR pszSupport)
{
    CString strProgram(pszProgram);
    return "An unhandled exception has occurred in " + strProgram + "\r\n\r\n" + strProgram +
           " has to be closed.\r\nWould you like to generate an exception report?\r\n\r\n"
           "The report contains all neccessary information about the exception,\r\n"
           "including a call stack with function parameters and local variables.\r\n\r\n"
           "If you're using the latest version of " +
           strProgram + ", please send the generated exception record to thefollowing mail address: " + pszSupport +
           "\r\nThe report will be analyzed and the reason for this exception will be fixed in the next version of " +
           strProgram +
           ".\r\n\r\nPlease note: It may be possible - though unlikely - that the exception report may contain "
           "personal and or confidential information. All exception reports will be processed higly confidential "
           "and solelyto analyze the crash. The reports will be deleted immediately after processing.\r\n";
}

CString FormatReportSavedText(LPCSTR pszPath, LPCSTR pszProgram, LPCSTR pszDownloadPage, LPCSTR pszSupport)
{
    CString strSaved;
    strSaved.Format("The exception report has been saved to \"%s\".", pszPath);
    return strSaved + "\nPlease make sure that you are using the latest version of " + pszProgram +
           ".\nYou can download the latest version from " + pszDownloadPage +
           ".\nIf you do use the latest version, please send the exception report to " + pszSupport +
           " alongwith a brief explanation what you did before " + pszProgram + " crashed.";
}

void WriteExceptionReport(HANDLE hFile, EXCEPTION_POINTERS* pExcPointers, HANDLE hThread)
{
    CReportWriter out(hFile);
    const EXCEPTION_RECORD& record = *pExcPointers->ExceptionRecord;

    out.Put("Exception report created by " + GetVersionText(false));
    out.Put("\r\n===================================================\r\n\r\n");
    out.Put("System details:\r\n");
    CString strWindows;
    if (GetWindowsVersionText(strWindows))
        out.Put("---------------\r\n\r\nOperating System:      " + strWindows + "\r\n");
    else
        out.Put("---------------\r\n\r\nOperating System:      Could not get OS version\r\n");
    out.Put("Processor Information: " + CProcessorInfo().GetProcessorText());
    out.Put("\r\nMemory Information:    " + GetMemoryText());

    out.PutF("\r\nException Details:\r\n------------------\r\n\r\nException code: %08lX %s",
             (unsigned long)record.ExceptionCode, (LPCSTR)GetSeCodeText(record.ExceptionCode));
    CString strModule;
    DWORD dwSection = 0;
    ULONG_PTR nOffset = 0;
    GetLogicalAddress(record.ExceptionAddress, strModule, dwSection, nOffset);
    out.PutF("\r\nFault address:  %08llX %02lX:%08llX %s\r\n", AddressValue(record.ExceptionAddress),
             (unsigned long)dwSection, (unsigned long long)nOffset, (LPCSTR)strModule);

    CDebugHelp help;
    if (!help.CanWalk())
        return;
    help.SymSetOptions(help.SymGetOptions() | SYMOPT_DEFERRED_LOADS | SYMOPT_LOAD_LINES);
    HANDLE hProcess = ::GetCurrentProcess();
    if (!help.SymInitialize(hProcess, NULL, TRUE))
        return;
    try {
        WriteCallStack(out, help, *pExcPointers->ContextRecord, hThread);
    } catch (...) {
        help.SymCleanup(hProcess);
        throw;
    }
    help.SymCleanup(hProcess);
}

// ---------------------------------------------------------------------------
// Processor, memory and addresses
// ---------------------------------------------------------------------------

CProcessorInfo::CProcessorInfo()
{
    ::GetSystemInfo(&m_info);
}

CString CProcessorInfo::GetProcessorText() const
{
    HKEY hKey = NULL;
    BOOL bKeyOpened = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Hardware\\Description\\System\\CentralProcessor\\0", 0,
                                      KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS;
    char szVendor[65] = "";
    BOOL bVendor = FALSE;
    DWORD dwMHz = 0;
    BOOL bMHz = FALSE;
    if (bKeyOpened) {
        DWORD dwSize = sizeof szVendor - 1;
        bVendor = ::RegQueryValueExA(hKey, "VendorIdentifier", NULL, NULL, (LPBYTE)szVendor, &dwSize) ==
                  ERROR_SUCCESS;
        dwSize = sizeof dwMHz;
        bMHz = ::RegQueryValueExA(hKey, "~MHz", NULL, NULL, (LPBYTE)&dwMHz, &dwSize) == ERROR_SUCCESS;
        ::RegCloseKey(hKey);
    }
    return FormatProcessorText(m_info, bKeyOpened, bVendor ? szVendor : NULL, bMHz ? &dwMHz : NULL,
                               ::IsProcessorFeaturePresent(PF_MMX_INSTRUCTIONS_AVAILABLE));
}

CString CProcessorInfo::FormatProcessorText(const SYSTEM_INFO& info, BOOL bKeyOpened, LPCSTR pszVendor,
                                            const DWORD* pdwMHz, BOOL bMmx)
{
    CString strText, str;
    if (bKeyOpened) {
        if (pszVendor != NULL)
            str.Format("Vendor: %s", pszVendor);
        else
            str = "Vendor: Unknown";
        strText += str;
        if (pdwMHz != NULL)
            str.Format(", Speed: %luMHz, ", (unsigned long)*pdwMHz);
        else
            str = ", Speed: Unknown, ";
        strText += str;
    } else {
        strText += "Vendor: Unknown, Speed: Unknown, ";
    }

    switch (info.dwProcessorType) {
    case 386: strText += "Type: Intel 386, "; break;
    case 486: strText += "Type: Intel 486, "; break;
    case 586: strText += "Type: Intel Pentium compatible, "; break;
    case 4000: strText += "Type: MIPS, "; break;
    case 21064: strText += "Type: Alpha, "; break;
    default: strText += "Type: Unknown, "; break;
    }

    str.Format("Number Of Processors: %lu, ", (unsigned long)info.dwNumberOfProcessors);
    strText += str;

    const UINT nLevel = info.wProcessorLevel;
    const UINT nRevision = info.wProcessorRevision;
    const UINT nR1 = nRevision / 100, nR2 = nRevision % 100;
    CString strUnknownLevel;
    strUnknownLevel.Format("Level: Unknown %u, ", nLevel);
    CString strDashStepping;
    strDashStepping.Format("Stepping: %u-%u", nR1, nR2);
    switch (info.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_INTEL:
        strText += "Architecture: Intel, ";
        switch (nLevel) {
        case 3: strText += "Level: 80386, "; break;
        case 4: strText += "Level: 80486, "; break;
        case 5:
            strText += "Level: Pentium, ";
            if (bMmx)
                strText += " MMX";
            break;
        case 6: strText += "Level: Pentium II/Pro, "; break;
        default: strText += strUnknownLevel; break;
        }
        if (nLevel == 3 || nLevel == 4)
            str.Format("Stepping: %c%u", (char)nR1, nR2);
        else
            str = strDashStepping;
        strText += str;
        break;
    case PROCESSOR_ARCHITECTURE_MIPS:
        strText += "Architecture: MIPS, ";
        strText += nLevel == 4 ? CString("Level: R4000, ") : strUnknownLevel;
        str.Format("Stepping: 00%u", nRevision);
        strText += str;
        break;
    case PROCESSOR_ARCHITECTURE_ALPHA:
        strText += "Architecture: Alpha, ";
        str.Format("Level: %u, Stepping: %c%u", nLevel, (char)nR1, nR2);
        strText += str;
        break;
    case PROCESSOR_ARCHITECTURE_PPC:
        strText += "Architecture: PowerPC, ";
        switch (nLevel) {
        case 1: strText += "Level: 601, "; break;
        case 3: strText += "Level: 603, "; break;
        case 4: strText += "Level: 604, "; break;
        case 6: strText += "Level: 603+, "; break;
        case 9: strText += "Level: 604+, "; break;
        case 20: strText += "Level: 620, "; break;
        default: strText += strUnknownLevel; break;
        }
        str.Format("Stepping: %u.%u", nR1, nR2);
        strText += str;
        break;
    case PROCESSOR_ARCHITECTURE_UNKNOWN:
        strText += "Architecture: Unknown, " + strUnknownLevel + strDashStepping;
        break;
    default:
        str.Format("Architecture: Unknown %u, ", (UINT)info.wProcessorArchitecture);
        strText += str + strUnknownLevel + strDashStepping;
        break;
    }
    return strText;
}

CString GetMemoryText()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    ::GlobalMemoryStatusEx(&status);
    SIZE_T nMinimum = 0, nMaximum = 0;
    ::GetProcessWorkingSetSize(::GetCurrentProcess(), &nMinimum, &nMaximum);
    CString strText;
    strText.Format("Memory Used %lu%%, Total Physical Memory %lluKB, Physical Memory Available %lluKB, "
                   "Total Virtual Memory %lluKB, Available Virtual Memory %lluKB, "
                   "Working Set Min: %lluKB Max: %lluKB .\r\n",
                   (unsigned long)status.dwMemoryLoad, status.ullTotalPhys >> 10, status.ullAvailPhys >> 10,
                   status.ullTotalVirtual >> 10, status.ullAvailVirtual >> 10,
                   (unsigned long long)nMinimum >> 10, (unsigned long long)nMaximum >> 10);
    return strText;
}

// A section holds the offsets from its virtual address up to the larger of
// its raw and virtual sizes, so that data sections whose virtual size is the
// larger (uninitialised data) are found as well as code.
BOOL GetLogicalAddress(const void* pAddress, CString& strModule, DWORD& dwSection, ULONG_PTR& nOffset)
{
    strModule.Empty();
    dwSection = 0;
    nOffset = 0;
    MEMORY_BASIC_INFORMATION mbi = {};
    if (pAddress == NULL || ::VirtualQuery(pAddress, &mbi, sizeof mbi) == 0 || mbi.AllocationBase == NULL)
        return FALSE;
    HMODULE hModule = (HMODULE)mbi.AllocationBase;
    char szModule[MAX_PATH + 1] = "";
    if (::GetModuleFileNameA(hModule, szModule, MAX_PATH) == 0)
        return FALSE;
    strModule = szModule;

    const BYTE* pBase = (const BYTE*)hModule;
    const IMAGE_DOS_HEADER* pDos = (const IMAGE_DOS_HEADER*)pBase;
    if (pDos->e_magic != IMAGE_DOS_SIGNATURE)
        return TRUE;
    const IMAGE_NT_HEADERS* pNt = (const IMAGE_NT_HEADERS*)(pBase + pDos->e_lfanew);
    if (pNt->Signature != IMAGE_NT_SIGNATURE)
        return TRUE;
    const ULONG_PTR nRva = (ULONG_PTR)((const BYTE*)pAddress - pBase);
    const IMAGE_SECTION_HEADER* pSection = IMAGE_FIRST_SECTION(pNt);
    for (WORD i = 0; i < pNt->FileHeader.NumberOfSections; ++i, ++pSection) {
        const ULONG_PTR nStart = pSection->VirtualAddress;
        const ULONG_PTR nSize = pSection->SizeOfRawData > pSection->Misc.VirtualSize ? pSection->SizeOfRawData
                                                                                     : pSection->Misc.VirtualSize;
        if (nRva >= nStart && nRva < nStart + nSize) {
            dwSection = i + 1;
            nOffset = nRva - nStart;
            return TRUE;
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// The whole-program tests' switch
// ---------------------------------------------------------------------------

namespace {

volatile int* volatile g_pNowhere = NULL;
volatile int g_nNeverDepth = -1;
volatile size_t g_nReadLength = 0;

__attribute__((noinline)) void WriteThroughNull()
{
    *g_pNowhere = 1;
}

// The fault in the C library's code, not the program's.
__attribute__((noinline)) size_t ReadNullInTheSystem()
{
    return strlen((const char*)g_pNowhere);
}

// Each call keeps a kilobyte of its own until the stack runs out (less than a
// page, so that the fault is met in this function and not in a stack probe).
__attribute__((noinline)) int RunOutOfStack(int nDepth)
{
    if (nDepth == g_nNeverDepth)
        return 0;
    volatile char aFill[1024];
    aFill[0] = (char)nDepth;
    aFill[sizeof aFill - 1] = (char)nDepth;
    return RunOutOfStack(nDepth + 1) + aFill[0] + aFill[sizeof aFill - 1];
}

}  // namespace

void TestFaultPoint(LPCSTR pszPlace)
{
    char szWanted[64] = "";
    DWORD n = ::GetEnvironmentVariableA("PELLUCOR_TEST_FAULT", szWanted, sizeof szWanted);
    if (n == 0 || n >= sizeof szWanted)
        return;
    CString strWanted(szWanted);
    if (strWanted == pszPlace)
        WriteThroughNull();
    else if (strWanted == CString(pszPlace) + "-system")
        g_nReadLength = ReadNullInTheSystem();   // used, or the read could be dropped
    else if (strWanted == CString(pszPlace) + "-overflow")
        RunOutOfStack(0);
}
