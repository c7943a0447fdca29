// SeException.cpp - the structured-exception object and the system texts.
#include "SeException.h"

#include "ExceptionReport.h"

IMPLEMENT_DYNAMIC(CSeException, CException)

namespace {

struct CSeCodeName
{
    DWORD dwCode;
    LPCSTR pszName;
};

const CSeCodeName s_aCodeNames[] = {
    {0x80000001, "GUARD_PAGE"},
    {0x80000002, "DATATYPE_MISALIGNMENT"},
    {0x80000003, "BREAKPOINT"},
    {0x80000004, "SINGLE_STEP"},
    {0xC0000005, "ACCESS_VIOLATION"},
    {0xC0000006, "IN_PAGE_ERROR"},
    {0xC0000008, "INVALID_HANDLE"},
    {0xC000001D, "ILLEGAL_INSTRUCTION"},
    {0xC0000025, "NONCONTINUABLE_EXCEPTION"},
    {0xC0000026, "INVALID_DISPOSITION"},
    {0xC000008C, "ARRAY_BOUNDS_EXCEEDED"},
    {0xC000008D, "FLT_DENORMAL_OPERAND"},
    {0xC000008E, "FLT_DIVIDE_BY_ZERO"},
    {0xC000008F, "FLT_INEXACT_RESULT"},
    {0xC0000090, "FLT_INVALID_OPERATION"},
    {0xC0000091, "FLT_OVERFLOW"},
    {0xC0000092, "FLT_STACK_CHECK"},
    {0xC0000093, "FLT_UNDERFLOW"},
    {0xC0000094, "INT_DIVIDE_BY_ZERO"},
    {0xC0000095, "INT_OVERFLOW"},
    {0xC0000096, "PRIV_INSTRUCTION"},
    {0xC00000FD, "STACK_OVERFLOW"},
};

}  // namespace

LPCSTR GetSeCodeName(DWORD dwCode)
{
    for (const CSeCodeName& entry : s_aCodeNames)
        if (entry.dwCode == dwCode)
            return entry.pszName;
    return NULL;
}

CString GetSeCodeText(DWORD dwCode)
{
    if (LPCSTR pszName = GetSeCodeName(dwCode))
        return pszName;
    char szMessage[512] = "";
    ::FormatMessageA(FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_HMODULE, ::GetModuleHandleA("NTDLL.DLL"),
                     dwCode, 0, szMessage, sizeof szMessage, NULL);
    return szMessage;
}

// ---------------------------------------------------------------------------
// CSeException
// ---------------------------------------------------------------------------

CSeException::CSeException(UINT nSeCode, EXCEPTION_POINTERS* pExcPointers) : m_nSeCode(nSeCode)
{
    CopyPointers(pExcPointers);
}

CSeException::CSeException(const CSeException& other) : CException(), m_nSeCode(other.m_nSeCode)
{
    CopyPointers(&other.m_excPointers);
}

void CSeException::CopyPointers(const EXCEPTION_POINTERS* pExcPointers)
{
    memset(&m_record, 0, sizeof m_record);
    memset(&m_context, 0, sizeof m_context);
    if (pExcPointers != NULL && pExcPointers->ExceptionRecord != NULL) {
        m_record = *pExcPointers->ExceptionRecord;
        m_record.ExceptionRecord = NULL;
    }
    if (pExcPointers != NULL && pExcPointers->ContextRecord != NULL)
        m_context = *pExcPointers->ContextRecord;
    m_excPointers.ExceptionRecord = &m_record;
    m_excPointers.ContextRecord = &m_context;
}

BOOL CSeException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    CString strMessage;
    if (LPCSTR pszName = GetSeCodeName(m_nSeCode))
        strMessage.Format("Exception %s (0x%.8x) at address 0x%.8llx.", pszName, m_nSeCode,
                          (unsigned long long)(ULONG_PTR)GetSeExceptionAddress());
    else
        strMessage = "Unknown exception.";
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    if ((UINT)strMessage.GetLength() >= nMaxError) {
        lpszError[0] = '\0';
        return FALSE;
    }
    lstrcpynA(lpszError, strMessage, nMaxError);
    return TRUE;
}

int CSeException::ReportError(UINT, UINT)
{
    char szMessage[512] = "";
    GetErrorMessage(szMessage, sizeof szMessage);
    ShowReportError(szMessage);
    return 1;
}

// ---------------------------------------------------------------------------
// System texts
// ---------------------------------------------------------------------------

CString GetModulePath()
{
    char szPath[MAX_PATH + 1] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    return szPath;
}

CString FormatWindowsVersionText(const CWindowsVersion& version)
{
    const OSVERSIONINFOEXA& vi = version.info;
    const char* pszService = vi.szCSDVersion;
    const DWORD dwBuild = vi.dwBuildNumber & 0xFFFF;
    CString strText;

    if (vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && vi.dwMajorVersion == 4) {
        if (vi.dwMinorVersion == 0) {
            strText += "Microsoft Windows 95 ";
            if (pszService[0] != '\0' && (pszService[1] == 'C' || pszService[1] == 'B'))
                strText += "OSR2 ";
        } else if (vi.dwMinorVersion == 10) {
            strText += "Microsoft Windows 98 ";
            if (pszService[0] != '\0' && pszService[1] == 'A')
                strText += "SE ";
        } else if (vi.dwMinorVersion == 90) {
            strText += "Microsoft Windows Millennium Edition ";
        }
    } else if (vi.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (vi.dwMajorVersion <= 4)
            strText += "Microsoft Windows NT ";
        else if (vi.dwMajorVersion == 5 && vi.dwMinorVersion == 0)
            strText += "Microsoft Windows 2000 ";

        const bool bXpOrNet = vi.dwMajorVersion == 5 && vi.dwMinorVersion == 1;
        if (version.bExtended) {
            if (vi.wProductType == VER_NT_WORKSTATION) {
                if (bXpOrNet)
                    strText += "Microsoft Windows XP ";
                strText += (vi.wSuiteMask & VER_SUITE_PERSONAL) ? "Home Edition " : "Professional ";
            } else if (vi.wProductType == VER_NT_SERVER) {
                if (bXpOrNet)
                    strText += "Microsoft Windows .NET ";
                if (vi.wSuiteMask & VER_SUITE_DATACENTER)
                    strText += "DataCenter Server ";
                else if (vi.wSuiteMask & VER_SUITE_ENTERPRISE)
                    strText += vi.dwMajorVersion == 4 ? "Advanced Server " : "Enterprise Server ";
                else if (vi.wSuiteMask == VER_SUITE_BLADE)
                    strText += "Web Server ";
                else
                    strText += "Server ";
            }
        } else if (version.pszRegistryProductType != NULL) {
            if (lstrcmpiA(version.pszRegistryProductType, "WINNT") == 0)
                strText += "Professional ";
            else if (lstrcmpiA(version.pszRegistryProductType, "LANMANNT") == 0)
                strText += "Server ";
            else if (lstrcmpiA(version.pszRegistryProductType, "SERVERNT") == 0)
                strText += "Advanced Server ";
        }

        CString strBuild;
        if (vi.dwMajorVersion > 4)
            strBuild.Format("%s (Build %lu)", pszService, (unsigned long)dwBuild);
        else
            strBuild.Format("version %lu.%lu %s (Build %lu)", (unsigned long)vi.dwMajorVersion,
                            (unsigned long)vi.dwMinorVersion, pszService, (unsigned long)dwBuild);
        strText += strBuild;
    }

    if (strText.IsEmpty())
        strText.Format("%lu.%lu build %lu", (unsigned long)vi.dwMajorVersion, (unsigned long)vi.dwMinorVersion,
                       (unsigned long)vi.dwBuildNumber);
    return strText;
}

BOOL GetWindowsVersionText(CString& strText)
{
    CWindowsVersion version = {};
    version.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    version.bExtended = ::GetVersionExA((OSVERSIONINFOA*)&version.info);
    if (!version.bExtended) {
        version.info = OSVERSIONINFOEXA();
        version.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!::GetVersionExA((OSVERSIONINFOA*)&version.info))
            return FALSE;
    }

    char szProductType[80] = "";
    if (!version.bExtended && version.info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0,
                            KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS) {
            DWORD dwSize = sizeof szProductType - 1;
            if (::RegQueryValueExA(hKey, "ProductType", NULL, NULL, (LPBYTE)szProductType, &dwSize) ==
                ERROR_SUCCESS)
                version.pszRegistryProductType = szProductType;
            ::RegCloseKey(hKey);
        }
    }
    strText = FormatWindowsVersionText(version);
    return TRUE;
}
