// seh.cpp - translation of hardware exceptions into C++ exceptions. One
// process-wide vectored handler calls the translator the faulting thread
// installed; the translator throws, and the exception unwinds from the
// faulting instruction (code built with -fnon-call-exceptions).
#include "wndimpl.h"

#include <exception>
#include <mutex>

namespace {

// Each thread's translator, in a slot of its own: reading a slot the thread
// never set gives NULL and allocates nothing (a C++ thread_local would be
// allocated at a thread's first read, on the heap a faulting thread may hold
// or have corrupted). The slot is taken before the handler is installed.
DWORD g_dwTranslatorSlot = TLS_OUT_OF_INDEXES;

// Faults raised by the processor. Software exceptions (C++ throws, debugger
// events, breakpoints, guard pages the system handles) are never translated.
bool IsHardwareException(DWORD dwCode)
{
    switch (dwCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
        return true;
    default:
        return false;
    }
}

#ifndef _WIN64
// On x86 the unwinder reads the frames' own unwind tables and cannot cross
// the system's exception dispatcher, so a translator's exception cannot leave
// the handler. It is caught there and thrown again from the faulting
// instruction: the thread resumes in a trampoline that pushes that
// instruction's address + 1 (in EAX, which the faulting code no longer needs)
// as a return address and jumps to RethrowPending, which thus looks called
// from the faulting instruction. The registers the unwinder restores (EBX,
// ESI, EDI, EBP) are the faulting code's own.
thread_local std::exception_ptr t_pendingException;

extern "C" __attribute__((used)) void RethrowPendingException()
{
    std::exception_ptr pending = t_pendingException;
    t_pendingException = nullptr;
    std::rethrow_exception(pending);
}

asm(".text\n"
    ".globl _RethrowTrampoline\n"
    "_RethrowTrampoline:\n"
    "\tpushl %eax\n"
    "\tjmp _RethrowPendingException\n");
extern "C" void RethrowTrampoline();
#endif

LONG CALLBACK TranslatingHandler(EXCEPTION_POINTERS* pExceptionPointers)
{
    DWORD dwCode = pExceptionPointers->ExceptionRecord->ExceptionCode;
    const DWORD dwLastError = ::GetLastError();   // the read sets it; the faulting code's stays
    AFX_SE_TRANSLATOR pfnTranslator = (AFX_SE_TRANSLATOR)(ULONG_PTR)::TlsGetValue(g_dwTranslatorSlot);
    ::SetLastError(dwLastError);
    if (pfnTranslator == NULL || !IsHardwareException(dwCode))
        return EXCEPTION_CONTINUE_SEARCH;
#ifdef _WIN64
    pfnTranslator((unsigned int)dwCode, pExceptionPointers);   // normally throws
#else
    try {
        pfnTranslator((unsigned int)dwCode, pExceptionPointers);
    } catch (...) {
        t_pendingException = std::current_exception();
        CONTEXT* pContext = pExceptionPointers->ContextRecord;
        pContext->Eax = pContext->Eip + 1;
        pContext->Eip = (DWORD)(ULONG_PTR)&RethrowTrampoline;
        return EXCEPTION_CONTINUE_EXECUTION;
    }
#endif
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

AFX_SE_TRANSLATOR AFXAPI AfxSetSeTranslator(AFX_SE_TRANSLATOR pfnTranslator)
{
    static std::once_flag s_installed;
    std::call_once(s_installed, [] {
        g_dwTranslatorSlot = ::TlsAlloc();
        if (g_dwTranslatorSlot != TLS_OUT_OF_INDEXES)
            ::AddVectoredExceptionHandler(0, TranslatingHandler);
    });
    if (g_dwTranslatorSlot == TLS_OUT_OF_INDEXES)
        return NULL;
    AFX_SE_TRANSLATOR pfnOld = (AFX_SE_TRANSLATOR)(ULONG_PTR)::TlsGetValue(g_dwTranslatorSlot);
    ::TlsSetValue(g_dwTranslatorSlot, (LPVOID)(ULONG_PTR)pfnTranslator);
    return pfnOld;
}
