// CObject, run-time classes, diagnostics and the module state.
#include "afx.h"

// ---------------------------------------------------------------------------
// Run-time class registration. Each IMPLEMENT_ macro's static initialiser
// pushes its class here; initialisers run on one thread before main, so the
// list needs no lock. The head is constant-initialised (zero), so order of
// initialisation between files does not matter.
// ---------------------------------------------------------------------------
static CRuntimeClass* s_pFirstClass = NULL;

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    pNewClass->m_pNextClass = s_pFirstClass;
    s_pFirstClass = pNewClass;
}

CRuntimeClass CObject::classCObject = { "CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL };
static AFX_CLASSINIT _afx_init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&)
{
}

void CObject::Dump(CDumpContext& dc) const
{
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << (const void*)this << "\n";
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* p = s_pFirstClass; p != NULL; p = p->m_pNextClass)
        if (strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* p = FromName(lpszClassName);
    return p != NULL ? p->CreateObject() : NULL;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}

// ---------------------------------------------------------------------------
// Diagnostics
// ---------------------------------------------------------------------------
CDumpContext afxDump;

void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    CString str;
    str.FormatV(lpszFormat, args);
    va_end(args);
    ::OutputDebugStringA(str);
}

BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    CString str;
    str.Format("Assertion failed: %s(%d)\n", lpszFileName ? lpszFileName : "?", nLine);
    ::OutputDebugStringA(str);
    return FALSE;
}

void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine)
{
    if (pOb == NULL)
    {
        AfxAssertFailedLine(lpszFileName, nLine);
        return;
    }
    pOb->AssertValid();
}

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz)
{
    ::OutputDebugStringA(lpsz ? lpsz : "(null)");
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CString& str)
{
    return *this << (LPCSTR)str;
}

CDumpContext& CDumpContext::operator<<(const void* lp)
{
    CString s;
    s.Format("$%p", lp);
    return *this << (LPCSTR)s;
}

CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (pOb == NULL)
        return *this << "NULL";
    pOb->Dump(*this);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& ob)
{
    return *this << &ob;
}

#define DUMP_NUMBER(type, fmt, cast) \
    CDumpContext& CDumpContext::operator<<(type v) \
    { CString s; s.Format(fmt, (cast)v); return *this << (LPCSTR)s; }
DUMP_NUMBER(BYTE, "%u", unsigned)
DUMP_NUMBER(WORD, "%u", unsigned)
DUMP_NUMBER(UINT, "%u", unsigned)
DUMP_NUMBER(LONG, "%ld", long)
DUMP_NUMBER(DWORD, "%lu", unsigned long)
DUMP_NUMBER(int, "%d", int)
DUMP_NUMBER(LONGLONG, "%I64d", LONGLONG)
DUMP_NUMBER(ULONGLONG, "%I64u", ULONGLONG)
DUMP_NUMBER(double, "%f", double)
#undef DUMP_NUMBER

// ---------------------------------------------------------------------------
// Module state: one per process. The handles default to the executable's
// module, so resources load before (and without) a CWinApp.
// ---------------------------------------------------------------------------
static AFX_MODULE_STATE s_moduleState = { NULL, NULL, NULL, NULL };

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    return &s_moduleState;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    if (s_moduleState.m_hCurrentInstanceHandle == NULL)
        return ::GetModuleHandleA(NULL);
    return s_moduleState.m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    if (s_moduleState.m_hCurrentResourceHandle == NULL)
        return AfxGetInstanceHandle();
    return s_moduleState.m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    s_moduleState.m_hCurrentResourceHandle = hInstResource;
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance)
{
    s_moduleState.m_hCurrentInstanceHandle = hInstance;
}

// The resource module first, then the executable: a resource DLL may
// override some resources and leave the rest to the program.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE hRes = AfxGetResourceHandle();
    if (::FindResourceA(hRes, lpszName, lpszType) != NULL)
        return hRes;
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (hInst != hRes && ::FindResourceA(hInst, lpszName, lpszType) != NULL)
        return hInst;
    return hRes;
}
