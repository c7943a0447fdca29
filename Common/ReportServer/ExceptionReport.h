// ExceptionReport.h - the exception reporter. A structured exception in a
// thread that installed the translator becomes a thrown CSeException; before
// the first one of a run becomes one, the user is asked whether to write an
// exception report (".err" in the temporary folder: system, processor,
// memory, the exception and the call stack), which is then handed to the mail
// program addressed to the maker's support.
//
// The report road never runs on the faulting thread: that thread may have no
// stack left (a stack overflow) or hold locks the road needs (the heap's). It
// hands the road to a thread made for it when the translator was installed
// and waits for it, within a limit; before that wait it allocates nothing,
// starts no thread and asks the loader nothing, since a thread starting
// meanwhile holds the loader's lock while it waits for the heap.
#pragma once

#include <afxwin.h>

// The reporter's settings, fixed for the run.
extern const char szReportProgramName[];     // "Pellucor"
extern const char szReportSupportAddress[];  // the maker's support mail address
extern const char szReportDownloadPage[];    // the maker's download page

// The boxes the road and CSeException::ReportError show: an error box, and a
// Yes/No warning question that gives the button pressed. The framework, which
// stands on the reporter, gives its own message boxes (they also log what they
// say) when the application starts; until a box is given, the system's box
// shows the same text under the same caption ("Error", "Warning") over the
// main window. NULL puts the system's box back.
typedef void (*PFNREPORTERRORBOX)(LPCSTR pszText);
typedef int (*PFNREPORTQUESTIONBOX)(LPCSTR pszText);
void SetExceptionReportBoxes(PFNREPORTERRORBOX pfnError, PFNREPORTQUESTIONBOX pfnQuestionWarning);
void ShowReportError(LPCSTR pszText);
int AskReportQuestion(LPCSTR pszText);

// Installs the translator for the calling thread (once per thread that wants
// its structured exceptions translated), and, once per process, the road's
// thread (waiting for a fault), the program's address range, and the
// unhandled-exception filter that takes the same road for faults the
// translator cannot serve: faults outside the program's own code (the
// system's code may handle them itself), in threads without the translator,
// and faults that leave no stack to throw from.
void InstallSeTranslator();

// The translator: runs the report road for a fault in the program's own code,
// then throws a new CSeException (the catcher deletes it); after a stack
// overflow, which leaves no stack to unwind with, it ends the program with the
// exception's code instead. Faults elsewhere are left to the system's
// handlers (and, unhandled, to the filter).
void __cdecl SeTranslator(unsigned int nCode, EXCEPTION_POINTERS* pExcPointers);

// The road itself: the first call of a run asks, writes, mails and tells;
// every later call does nothing, and so does any call before the translator
// was installed. Runs on the road's thread; returns when that thread is done.
void RunExceptionReportRoad(EXCEPTION_POINTERS* pExcPointers);
// How long the faulting thread waits for the road (five minutes unless set);
// a road still going then is taken for stuck and the program ends with the
// fault's code.
void SetExceptionReportWaitLimit(DWORD dwMs);
// Arms the road again, so that the next structured exception offers a report.
void ResetFirstReportFlag();

// The temporary folder + the program name + ".err"; empty when the system
// gives no temporary folder.
CString GetExceptionReportPath();

// The texts of the road's boxes and of the mail.
CString FormatReportQuestion(LPCSTR pszProgram, LPCSTR pszSupport);
// The report path is the only value formatted into the text: a "%" in the
// other values stays a "%".
CString FormatReportSavedText(LPCSTR pszPath, LPCSTR pszProgram, LPCSTR pszDownloadPage, LPCSTR pszSupport);

// Writes the report of an exception to an open file; throws the system's
// error code (DWORD) when a write fails. hThread is the faulting thread.
void WriteExceptionReport(HANDLE hFile, EXCEPTION_POINTERS* pExcPointers, HANDLE hThread);

// The processor part of the report, from the system information and what
// the registry says of the first processor.
class CProcessorInfo
{
public:
    CProcessorInfo();
    virtual ~CProcessorInfo() {}

    CString GetProcessorText() const;

    // The same text from given facts. bKeyOpened: the processor's registry
    // key opened; pszVendor NULL and pdwMHz NULL: those values were missing.
    static CString FormatProcessorText(const SYSTEM_INFO& info, BOOL bKeyOpened, LPCSTR pszVendor,
                                       const DWORD* pdwMHz, BOOL bMmx);

private:
    SYSTEM_INFO m_info;
};

// The memory part of the report.
CString GetMemoryText();

// Where an address lies: the module's file, its section (1-based) and the
// offset in that section. FALSE when the address is in no module.
BOOL GetLogicalAddress(const void* pAddress, CString& strModule, DWORD& dwSection, ULONG_PTR& nOffset);

// A hidden switch for the whole-program tests: when the environment variable
// PELLUCOR_TEST_FAULT names this place ("ui", "fetch", "export"), the calling
// thread writes through a null pointer here; "<place>-overflow" makes it run
// out of stack instead, "<place>-system" has the C library read through a null
// pointer. Does nothing otherwise.
void TestFaultPoint(LPCSTR pszPlace);
