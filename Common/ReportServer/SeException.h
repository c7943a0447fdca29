// SeException.h - CSeException, the exception a structured exception (an
// access violation, a division by zero, a stack overflow ...) becomes in a
// thread that installed the framework's translator, and the small system
// texts the exception report and the about box use: the program's path, its
// version text and the Windows version text.
#pragma once

#include <afxwin.h>

class CSeException : public CException
{
    DECLARE_DYNAMIC(CSeException)
public:
    // The exception record and the thread context are copied: the system's
    // own are gone once the stack has unwound to the catch block.
    CSeException(UINT nSeCode, EXCEPTION_POINTERS* pExcPointers);
    CSeException(const CSeException& other);

    // "Exception ACCESS_VIOLATION (0xc0000005) at address 0x...." for the
    // codes of the report's table, "Unknown exception." for any other. FALSE
    // (and an empty buffer) when the text does not fit.
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override
    {
        return static_cast<const CSeException*>(this)->GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    }
    // Shows the message in the reporter's error box (the framework's, once it
    // gave its own); both arguments are ignored.
    int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) override;

    UINT GetSeCode() const { return m_nSeCode; }
    EXCEPTION_POINTERS* GetSePointers() { return &m_excPointers; }
    PVOID GetSeExceptionAddress() const { return m_record.ExceptionAddress; }

private:
    void CopyPointers(const EXCEPTION_POINTERS* pExcPointers);

    UINT m_nSeCode;
    EXCEPTION_POINTERS m_excPointers;   // to the copies below
    EXCEPTION_RECORD m_record;          // the nested record, if any, is not kept
    CONTEXT m_context;
};

// The name of a structured-exception code of the report's table
// ("ACCESS_VIOLATION", "STACK_OVERFLOW" ...), or NULL for any other code.
LPCSTR GetSeCodeName(DWORD dwCode);
// The name from the table, else the system's own message for the code (from
// "NTDLL.DLL"'s message table), else the empty text.
CString GetSeCodeText(DWORD dwCode);

// The full path of the program's own file.
CString GetModulePath();

// The Windows version text, from the version record the system gives.
// "Professional  (Build 7601)" and the like. FALSE when the system gives no
// version at all.
BOOL GetWindowsVersionText(CString& strText);

// What the Windows version text is made of: the version record (extended
// when bExtended; a plain record leaves the product type, suite mask and
// service-pack numbers zero) and, for a plain NT record, the registry's
// "ProductType" value (NULL when it cannot be read).
struct CWindowsVersion
{
    OSVERSIONINFOEXA info;
    BOOL bExtended;
    LPCSTR pszRegistryProductType;
};
CString FormatWindowsVersionText(const CWindowsVersion& version);
