// seh.cpp - translation of hardware exceptions into C++ exceptions. One
// process-wide vectored handler calls the translator the faulting thread
// installed; the translator throws, and the exception unwinds from the
// faulting instruction (code built with -fnon-call-exceptions).
#include "wndimpl.h"

#include <mutex>

namespace {

thread_local AFX_SE_TRANSLATOR t_pfnTranslator = NULL;

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

#if defined(__i386__)
// On 32-bit x86 a C++ exception unwinds by its DWARF tables, which cannot step
// through the system's exception dispatch: a throw from inside the handler
// ends the program. So the handler only resumes the faulting thread in
// CallTranslator, as if the faulting instruction had called it; the throw then
// unwinds straight from the faulting function's frame. The record and context
// are copied first: the dispatcher's stack they lie on is reused.
thread_local EXCEPTION_RECORD t_record;
thread_local CONTEXT t_context;
thread_local EXCEPTION_POINTERS t_pointers;

extern "C" __attribute__((used, noinline)) void PellucorCallSeTranslator()
{
    AFX_SE_TRANSLATOR pfnTranslator = t_pfnTranslator;
    t_pointers.ExceptionRecord = &t_record;
    t_pointers.ContextRecord = &t_context;
    pfnTranslator((unsigned int)t_record.ExceptionCode, &t_pointers);
    // A translator that returns leaves nothing to resume into: the fault stands.
    ::RaiseException(t_record.ExceptionCode, EXCEPTION_NONCONTINUABLE, 0, NULL);
}
#endif

LONG CALLBACK TranslatingHandler(EXCEPTION_POINTERS* pExceptionPointers)
{
    DWORD dwCode = pExceptionPointers->ExceptionRecord->ExceptionCode;
    AFX_SE_TRANSLATOR pfnTranslator = t_pfnTranslator;
    if (pfnTranslator == NULL || !IsHardwareException(dwCode))
        return EXCEPTION_CONTINUE_SEARCH;
#if defined(__i386__)
    // A stack overflow leaves no room to call anything on the faulting stack.
    if (dwCode == EXCEPTION_STACK_OVERFLOW)
        return EXCEPTION_CONTINUE_SEARCH;
    t_record = *pExceptionPointers->ExceptionRecord;
    t_context = *pExceptionPointers->ContextRecord;
    CONTEXT* pContext = pExceptionPointers->ContextRecord;
    // The "return address" is one past the faulting instruction's start, so
    // the unwinder (which looks up the address before a return address) finds
    // the faulting instruction's own region.
    pContext->Esp -= sizeof(DWORD);
    *(DWORD*)pContext->Esp = pContext->Eip + 1;
    pContext->Eip = (DWORD)(DWORD_PTR)&PellucorCallSeTranslator;
    return EXCEPTION_CONTINUE_EXECUTION;
#else
    pfnTranslator((unsigned int)dwCode, pExceptionPointers);   // normally throws
    return EXCEPTION_CONTINUE_SEARCH;
#endif
}

}  // namespace

AFX_SE_TRANSLATOR AFXAPI AfxSetSeTranslator(AFX_SE_TRANSLATOR pfnTranslator)
{
    static std::once_flag s_installed;
    std::call_once(s_installed, [] { ::AddVectoredExceptionHandler(0, TranslatingHandler); });
    AFX_SE_TRANSLATOR pfnOld = t_pfnTranslator;
    t_pfnTranslator = pfnTranslator;
    return pfnOld;
}
