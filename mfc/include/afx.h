// afx.h - the base of the MFC-compatible layer: object model, diagnostics,
// CString, exceptions, files, archives and CTime. Every other layer header
// includes this one first. Nothing here needs a window.
#ifndef PELLUCOR_AFX_H
#define PELLUCOR_AFX_H

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
// Winsock 2 before windows.h, which would otherwise bring in the old
// winsock.h and clash with any later use of sockets.
#include <winsock2.h>
#include <windows.h>
// Named here so that the A/W renaming of GetFileTitle, which CFile and
// CFileFind members share, is the same in every file even under
// WIN32_LEAN_AND_MEAN.
#include <commdlg.h>
#include <oleauto.h>
#include <stddef.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <new>

// windows.h turns these into other names; the layer's members of the same
// name must keep their own.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

// ---------------------------------------------------------------------------
// Calling conventions and helper macros
// ---------------------------------------------------------------------------
#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#define AFX_CDECL __cdecl
#define AFX_INLINE inline
#define AFX_STATIC static
#define AFX_STATIC_DATA static
#define AFX_DATA
#define AFX_DATADEF
#define AFX_API_EXPORT
#define AFX_CORE_DATA
#define AFX_NOVTABLE
#define AFX_COMDAT
#define AFX_IMPORT_DATA
#define AFX_CLASS_EXPORT
#define AFX_EXT_CLASS
#define AFX_EXT_API
#define AFX_EXT_DATA
#define AFX_MSG_CALL
#define AFX_NOINLINE __attribute__((noinline))

// Every printf-style function of the layer is checked against msvcrt's
// format rules: passing a CString where "%s" expects a char pointer, or a
// non-literal format without arguments, is a compile error.
#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(ms_printf, fmt, args)))

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif

#ifndef DEBUG_NEW
#define DEBUG_NEW new
#endif

class CObject;
class CRuntimeClass;
class CArchive;
class CDumpContext;
class CString;
class CFile;
class CException;
class CWinApp;

struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1)

// ---------------------------------------------------------------------------
// Diagnostics. ASSERT checks only in _DEBUG builds; TRACE is always format-
// checked at compile time and writes to the debugger output in _DEBUG builds.
// ---------------------------------------------------------------------------
void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(1, 2);
BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine);
inline void AFX_PRINTF_FORMAT(1, 2) AfxTraceNothing(LPCSTR, ...) {}

#ifdef _DEBUG
#define ASSERT(f) ((void)((f) || (AfxAssertFailedLine(__FILE__, __LINE__), 0)))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(pOb) AfxAssertValidObject((pOb), __FILE__, __LINE__)
#define TRACE AfxTrace
#else
#define ASSERT(f) ((void)sizeof(!(f)))
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#define TRACE AfxTraceNothing
#endif
#define ASSERT_POINTER(p, type) ASSERT((p) != NULL)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define TRACE0(sz) TRACE("%s", sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)
#define DEBUG_ONLY(f) ((void)0)
#define UNUSED(x) (void)(x)
#define UNUSED_ALWAYS(x) (void)(x)
#define ENSURE(cond) do { if (!(cond)) AfxThrowInvalidArgException(); } while (0)
#define ENSURE_ARG(cond) ENSURE(cond)
#define ENSURE_VALID(pOb) ENSURE((pOb) != NULL)

inline BOOL AFXAPI AfxIsValidAddress(const void* p, UINT_PTR, BOOL = TRUE) { return p != NULL; }
inline BOOL AFXAPI AfxIsValidString(LPCSTR psz, int = -1) { return psz != NULL; }
inline BOOL AFXAPI AfxIsValidString(LPCWSTR psz, int = -1) { return psz != NULL; }

// A minimal dump context: text goes to the debugger output.
class CDumpContext
{
public:
    CDumpContext() {}
    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(const CString& str);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);
    CDumpContext& operator<<(BYTE by);
    CDumpContext& operator<<(WORD w);
    CDumpContext& operator<<(UINT u);
    CDumpContext& operator<<(LONG l);
    CDumpContext& operator<<(DWORD dw);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(LONGLONG n);
    CDumpContext& operator<<(ULONGLONG n);
    CDumpContext& operator<<(double d);
    CDumpContext& operator<<(HWND h) { return *this << (const void*)h; }
    void Flush() {}
private:
    int m_nDepth = 0;
};
extern CDumpContext afxDump;

// ---------------------------------------------------------------------------
// Run-time classes
// ---------------------------------------------------------------------------
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                           // 0xFFFF: not serializable
    CObject* (PASCAL* m_pfnCreateObject)();   // NULL: not creatable
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;              // process-wide registration list

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    BOOL IsSerializable() const { return m_wSchema != 0xFFFF; }

    // Creation by name looks through every registered class.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // Archive form: schema WORD, name length WORD, the name's bytes.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class to the process-wide list from a static initialiser, so that
// creation by name works for classes nothing references by symbol (the
// layer is linked whole).
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))
#define _RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    static constexpr CRuntimeClass* PASCAL GetThisClass() { return &class_name::class##class_name; } \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, (int)sizeof(class class_name), (UINT)(wSchema), pfnNew, \
        _RUNTIME_CLASS(base_class_name), NULL }; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return _RUNTIME_CLASS(class_name); } \
    static AFX_CLASSINIT _afx_init_##class_name(_RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) \
    { pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); return ar; }

// Class templates: DECLARE_DYNAMIC(name) inside the template, then
// IMPLEMENT_DYNAMIC_T(name, T, base) once in its header. Every instance has a
// record of its own, named after the template; the base may be the template
// parameter itself (class name : public T). Instances are not entered in the
// list of classes creatable by name: they would all share one name.
#define RUNTIME_CLASS_T(class_name, T1) ((CRuntimeClass*)(&class_name<T1>::class##class_name))
#define _RUNTIME_CLASS_T(class_name, T1) (&class_name<T1>::class##class_name)

#define IMPLEMENT_RUNTIMECLASS_T(class_name, T1, base_class_name, wSchema, pfnNew) \
    template <typename T1> CRuntimeClass class_name<T1>::class##class_name = { \
        #class_name, (int)sizeof(class_name<T1>), (UINT)(wSchema), pfnNew, \
        base_class_name::GetThisClass(), NULL }; \
    template <typename T1> CRuntimeClass* class_name<T1>::GetRuntimeClass() const \
    { return _RUNTIME_CLASS_T(class_name, T1); }

#define IMPLEMENT_DYNAMIC_T(class_name, T1, base_class_name) \
    IMPLEMENT_RUNTIMECLASS_T(class_name, T1, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE_T(class_name, T1, base_class_name) \
    template <typename T1> CObject* PASCAL class_name<T1>::CreateObject() { return new class_name<T1>; } \
    IMPLEMENT_RUNTIMECLASS_T(class_name, T1, base_class_name, 0xFFFF, &class_name<T1>::CreateObject)

// ---------------------------------------------------------------------------
// CObject
// ---------------------------------------------------------------------------
class CObject
{
public:
    static CRuntimeClass classCObject;
    static constexpr CRuntimeClass* PASCAL GetThisClass() { return &CObject::classCObject; }
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() {}

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}
    virtual void Dump(CDumpContext& dc) const;

protected:
    CObject() {}
private:
    CObject(const CObject&) = delete;
    void operator=(const CObject&) = delete;
};

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// ---------------------------------------------------------------------------
// Module state: the instance and resource handles. Both default to the
// executable's module until CWinApp (or a test) sets them.
// ---------------------------------------------------------------------------
struct AFX_MODULE_STATE
{
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCSTR m_lpszCurrentAppName;
    CWinApp* m_pCurrentWinApp;
};
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);
HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

// ---------------------------------------------------------------------------
// CString: 8-bit, reference counted and copied on write. The object is one
// pointer to the characters; the length, capacity and count sit in front of
// them, so a CString may hold NUL bytes and may be moved bitwise.
// ---------------------------------------------------------------------------
struct CStringData
{
    volatile LONG nRefs;    // < 0: locked by LockBuffer, never shared
    int nDataLength;
    int nAllocLength;       // 0 only for the shared empty string
    char* data() { return (char*)(this + 1); }
};

class CString
{
public:
    typedef char XCHAR;
    typedef char* PXSTR;
    typedef const char* PCXSTR;

    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(LPCSTR lpsz);                 // MAKEINTRESOURCE(id) loads string id
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz) : CString((LPCSTR)psz) {}
    explicit CString(char ch, int nRepeat = 1);
    CString(LPCWSTR lpsz);                // through the ANSI code page
    CString(LPCWSTR lpch, int nLength);
    ~CString();

    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(const unsigned char* psz) { return operator=((LPCSTR)psz); }
    CString& operator=(LPCWSTR lpsz);
    CString& operator=(char ch);

    CString& operator+=(const CString& string) { Append(string); return *this; }
    CString& operator+=(LPCSTR lpsz) { Append(lpsz); return *this; }
    CString& operator+=(char ch) { AppendChar(ch); return *this; }
    CString& operator+=(LPCWSTR lpsz) { Append(CString(lpsz)); return *this; }

    // Attributes and element access
    int GetLength() const { return GetData()->nDataLength; }
    int GetAllocLength() const { return GetData()->nAllocLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();
    char GetAt(int nIndex) const;          // 0 <= nIndex <= GetLength()
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);       // 0 <= nIndex < GetLength()
    operator LPCSTR() const { return m_pchData; }
    LPCSTR GetString() const { return m_pchData; }

    void SetString(LPCSTR psz);
    void SetString(LPCSTR pch, int nLength);
    void Append(LPCSTR psz);
    void Append(LPCSTR pch, int nLength);
    void Append(const CString& str) { Append(str.m_pchData, str.GetLength()); }
    void AppendChar(char ch);
    void Truncate(int nNewLength);

    // Comparison: byte-wise (unsigned), the whole stored length counts
    int Compare(LPCSTR lpsz) const;
    int Compare(const CString& str) const;
    int CompareNoCase(LPCSTR lpsz) const;  // case folded through the ANSI code page
    int Collate(LPCSTR lpsz) const;        // the user locale's sort order
    int CollateNoCase(LPCSTR lpsz) const;

    // Extraction
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // Case mapping through the ANSI code page
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Trimming: white space, one character, or any of a set
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);

    // Searching
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // Editing
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);

    // Formatting with msvcrt's printf rules
    void AFX_CDECL Format(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void AFX_CDECL Format(UINT nFormatID, ...);
    void AFX_CDECL AppendFormat(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void AFX_CDECL AppendFormat(UINT nFormatID, ...);
    void FormatV(LPCSTR lpszFormat, va_list argList) AFX_PRINTF_FORMAT(2, 0);
    void AppendFormatV(LPCSTR lpszFormat, va_list argList) AFX_PRINTF_FORMAT(2, 0);
    // %1..%99 inserts as FormatMessage does; arguments must match the inserts
    void AFX_CDECL FormatMessage(LPCSTR lpszFormat, ...);
    void AFX_CDECL FormatMessage(UINT nFormatID, ...);
    void FormatMessageV(LPCSTR lpszFormat, va_list* pArgList);

    BOOL LoadString(UINT nID);              // from AfxFindResourceHandle
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Raw buffer access
    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    void Preallocate(int nLength);
    LPSTR LockBuffer();
    void UnlockBuffer();

    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;
    BOOL GetEnvironmentVariable(LPCSTR pszVar);
    void AnsiToOem();
    void OemToAnsi();

    static int PASCAL StringLength(LPCSTR psz) { return psz ? (int)strlen(psz) : 0; }

private:
    char* m_pchData;

    CStringData* GetData() const { return ((CStringData*)m_pchData) - 1; }
    static CStringData* AllocData(int nLength);
    static void ReleaseData(CStringData* pData);
    void AttachData(CStringData* pData) { m_pchData = pData->data(); }
    void Release();
    void SetLength(int nLength);
    char* PrepareWrite(int nLength, bool bGrow);
    bool IsInside(LPCSTR p) const;
    void AssignCopy(LPCSTR pch, int nLength);
    void AppendFormatArgs(LPCSTR lpszFormat, va_list argList);
};

CString AFXAPI operator+(const CString& string1, const CString& string2);
CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
CString AFXAPI operator+(LPCSTR lpsz, const CString& string);
CString AFXAPI operator+(const CString& string, char ch);
CString AFXAPI operator+(char ch, const CString& string);

inline bool operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator==(const CString& s1, char ch) { return s1.GetLength() == 1 && s1.GetAt(0) == ch; }
inline bool operator==(char ch, const CString& s1) { return s1 == ch; }
inline bool operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool operator!=(const CString& s1, char ch) { return !(s1 == ch); }
inline bool operator!=(char ch, const CString& s1) { return !(s1 == ch); }
inline bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
inline bool operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
inline bool operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// Splits lpszFullString at chSep and gives piece iSubString; FALSE past the end.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCSTR lpszFullString,
                                int iSubString, char chSep = '\n');

// Strings from the string table. AfxLoadString copies at most nMaxBuf - 1
// characters and returns how many (0, and an empty buffer, when the string is
// missing). The format functions put argument n for "%n" (%1-%9, then %A-%Z
// for the 10th to 35th); a placeholder past the arguments becomes '?'.
int AFXAPI AfxLoadString(UINT nIDS, LPSTR lpszBuf, UINT nMaxBuf = 256);
void AFXAPI AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString);
void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCSTR const* rglpsz, int nString);
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2);

// ---------------------------------------------------------------------------
// Exceptions: thrown as heap pointers (throw new CXxxException, or the
// AfxThrow functions) and deleted by the catcher with e->Delete().
// ---------------------------------------------------------------------------
class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    virtual ~CException() {}

    void Delete();
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    // Kept for handlers written against the older, non-const form.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() {}
    explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    using CException::GetErrorMessage;
protected:
    virtual LPCSTR GetDefaultText() const { return "An unknown error has occurred."; }
};

class CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() {}
    explicit CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override { return "Out of memory."; }
};

class CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() {}
    explicit CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override { return "An unsupported operation was attempted."; }
};

class CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() {}
    explicit CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override { return "Encountered an improper argument."; }
};

class CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() {}
    explicit CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override { return "A required resource was unavailable."; }
};

class CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() {}
    explicit CUserException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCSTR lpszArchiveName = NULL)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    using CException::GetErrorMessage;

    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);
    [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull
    };

    explicit CArchiveException(int cause = CArchiveException::none, LPCSTR lpszArchiveName = NULL)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    using CException::GetErrorMessage;

    int m_cause;
    CString m_strFileName;
};

class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    COleException() : m_sc(S_OK) {}
    explicit COleException(SCODE sc) : m_sc(sc) {}

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    using CException::GetErrorMessage;
    // The SCODE an exception stands for: its own for an OLE exception, else a
    // general failure code.
    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = NULL);
[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);

// Defined with the window classes: a message box on the active window.
int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// The old exception macros. A caught exception is deleted at the end of its
// CATCH block unless the block rethrows it with THROW_LAST().
struct AFX_EXCEPTION_AUTODELETE
{
    explicit AFX_EXCEPTION_AUTODELETE(CException* p) : m_p(p) {}
    ~AFX_EXCEPTION_AUTODELETE() { if (m_p) m_p->Delete(); }
    CException* m_p;
};
#define TRY try {
#define CATCH(class_name, e) } catch (class_name* e) { AFX_EXCEPTION_AUTODELETE _afxAutoDelete(e); (void)_afxAutoDelete;
#define AND_CATCH(class_name, e) } catch (class_name* e) { AFX_EXCEPTION_AUTODELETE _afxAutoDelete(e); (void)_afxAutoDelete;
#define END_CATCH }
#define CATCH_ALL(e) } catch (CException* e) { AFX_EXCEPTION_AUTODELETE _afxAutoDelete(e); (void)_afxAutoDelete;
#define AND_CATCH_ALL(e) } catch (CException* e) { AFX_EXCEPTION_AUTODELETE _afxAutoDelete(e); (void)_afxAutoDelete;
#define END_CATCH_ALL }
#define END_TRY }
#define THROW(e) throw e
#define THROW_LAST() do { _afxAutoDelete.m_p = NULL; throw; } while (0)

// ---------------------------------------------------------------------------
// CTimeSpan and CTime: seconds, on the C run-time's 64-bit time.
// ---------------------------------------------------------------------------
class CTimeSpan
{
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(__time64_t time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + (__time64_t)24 * lDays))) {}

    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    __time64_t GetTimeSpan() const { return m_timeSpan; }

    // %D days, %H hours, %M minutes, %S seconds, %% percent
    CString Format(LPCSTR pszFormat) const;
    CString Format(UINT nFormatID) const;

    CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan span) { m_timeSpan += span.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan span) { m_timeSpan -= span.m_timeSpan; return *this; }
    bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
    bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
    bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
    bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
    bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
    bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

private:
    __time64_t m_timeSpan;
};

class CTime
{
public:
    static CTime PASCAL GetCurrentTime();
    static BOOL PASCAL IsValidFILETIME(const FILETIME& ft);

    CTime() : m_time(0) {}
    CTime(__time64_t time) : m_time(time) {}
    // Local time; nDST < 0 lets the run-time decide daylight saving.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);   // local time
    CTime(const FILETIME& ft, int nDST = -1);     // UTC, shown as local

    CTime& operator=(__time64_t time) { m_time = time; return *this; }

    __time64_t GetTime() const { return m_time; }
    struct tm* GetGmtTm(struct tm* ptm = NULL) const;
    struct tm* GetLocalTm(struct tm* ptm = NULL) const;   // NULL: a per-thread buffer
    bool GetAsSystemTime(SYSTEMTIME& st) const;
    bool GetAsDBTIMESTAMP(void*) const { return false; }

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday

    // strftime formats, msvcrt's rules
    CString Format(LPCSTR pszFormat) const;
    CString FormatGmt(LPCSTR pszFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(UINT nFormatID) const;

    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    bool operator==(CTime time) const { return m_time == time.m_time; }
    bool operator!=(CTime time) const { return m_time != time.m_time; }
    bool operator<(CTime time) const { return m_time < time.m_time; }
    bool operator>(CTime time) const { return m_time > time.m_time; }
    bool operator<=(CTime time) const { return m_time <= time.m_time; }
    bool operator>=(CTime time) const { return m_time >= time.m_time; }

private:
    __time64_t m_time;
};

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------
struct CFileStatus
{
    CTime m_ctime;          // creation
    CTime m_mtime;          // last write
    CTime m_atime;          // last access
    ULONGLONG m_size;
    BYTE m_attribute;
    BYTE _m_padding;
    char m_szFullName[MAX_PATH];
};

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000
    };
    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);   // throws CFileException
    virtual ~CFile();

    HANDLE m_hFile;
    BOOL m_bCloseOnDelete;
    operator HANDLE() const { return m_hFile; }

    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    virtual void Abort();
    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual CFile* Duplicate() const;

    virtual CString GetFileName() const;    // name and extension
    virtual CString GetFileTitle() const;   // name without extension
    virtual CString GetFilePath() const;    // full path
    virtual void SetFilePath(LPCSTR lpszNewName);

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL PASCAL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
    static void PASCAL SetStatus(LPCSTR lpszFileName, const CFileStatus& status);
    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void PASCAL Remove(LPCSTR lpszFileName);

    // Buffer-sharing interface used by CArchive with memory files.
    enum BufferCommand { bufferRead, bufferWrite, bufferCommit, bufferCheck };
    enum BufferFlags { bufferDirect = 0x01, bufferBlocking = 0x02 };
    virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL, void** ppBufMax = NULL);

protected:
    CString m_strFileName;
    // Opens the Win32 handle for the flags; sets pError on failure.
    static HANDLE PASCAL OpenHandle(LPCSTR lpszFileName, UINT nOpenFlags, CString& strFullPath,
                                    CFileException* pError);
};

class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    explicit CStdioFile(FILE* pOpenStream);
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);   // throws CFileException
    virtual ~CStdioFile();

    FILE* m_pStream;

    // Text mode (the default) turns CR LF into "\n" on reading and "\n" into
    // CR LF on writing.
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
    virtual void WriteString(LPCSTR lpsz);
    virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);    // keeps the "\n"
    virtual BOOL ReadString(CString& rString);           // drops the line end

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    void LockRange(ULONGLONG, ULONGLONG) override { AfxThrowNotSupportedException(); }
    void UnlockRange(ULONGLONG, ULONGLONG) override { AfxThrowNotSupportedException(); }
    CFile* Duplicate() const override { AfxThrowNotSupportedException(); }
};

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    // nGrowBytes 0: the buffer is fixed and writing past it throws.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    BYTE* Detach();   // the caller owns the buffer afterwards

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    void Flush() override {}
    void Close() override;
    void Abort() override;
    void LockRange(ULONGLONG, ULONGLONG) override { AfxThrowNotSupportedException(); }
    void UnlockRange(ULONGLONG, ULONGLONG) override { AfxThrowNotSupportedException(); }
    CFile* Duplicate() const override { AfxThrowNotSupportedException(); }
    UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL, void** ppBufMax = NULL) override;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};

// A memory file in global memory, for the clipboard and OLE data transfer.
class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    virtual ~CSharedFile();

    HGLOBAL Detach();   // unlocked; the caller owns the block
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bAllowGrow;
};

class CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    virtual ~CFileFind();

    // FindFile finds the first match; each FindNextFile moves to the next
    // one and returns FALSE when the one it moved to is the last.
    virtual BOOL FindFile(LPCSTR pstrName = NULL, DWORD dwUnused = 0);
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetRoot() const;

    virtual BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetCreationTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetLastWriteTime(CTime& refTime) const;
    virtual BOOL GetLastAccessTime(CTime& refTime) const;
    virtual BOOL GetCreationTime(CTime& refTime) const;

    virtual BOOL MatchesMask(DWORD dwMask) const;
    virtual BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

protected:
    WIN32_FIND_DATAA* m_pFoundInfo;
    WIN32_FIND_DATAA* m_pNextInfo;
    HANDLE m_hContext;
    CString m_strRoot;
    char m_chDirSeparator;
};

// ---------------------------------------------------------------------------
// CArchive: a buffered binary stream over a CFile, with MFC's layout for
// counts, strings and object/class tags.
// ---------------------------------------------------------------------------
class CDocument;
struct AFX_ARCHIVE_MAPS;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }
    UINT GetObjectSchema();   // once per object, then (UINT)-1
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    UINT Read(void* lpBuf, UINT nMax);   // short at the end, no exception
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();

    // Raw text: no length prefix, no line end added / "\r\n" dropped.
    void WriteString(LPCSTR lpsz);
    LPSTR ReadString(LPSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // A WORD, or 0xFFFF and a DWORD, or 0xFFFF 0xFFFFFFFF and a 64-bit count
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL,
                             UINT* pSchema = NULL, DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Records an object as already stored/loaded, so later references to it
    // are written as a tag.
    void MapObject(const CObject* pOb);
    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128) { (void)nHashSize; (void)nBlockSize; }
    void SetLoadParams(UINT nGrowBy = 1024) { (void)nGrowBy; }

    CArchive& operator<<(BYTE by) { return WriteRaw(&by, sizeof by); }
    CArchive& operator<<(WORD w) { return WriteRaw(&w, sizeof w); }
    CArchive& operator<<(LONG l) { return WriteRaw(&l, sizeof l); }
    CArchive& operator<<(DWORD dw) { return WriteRaw(&dw, sizeof dw); }
    CArchive& operator<<(float f) { return WriteRaw(&f, sizeof f); }
    CArchive& operator<<(double d) { return WriteRaw(&d, sizeof d); }
    CArchive& operator<<(LONGLONG n) { return WriteRaw(&n, sizeof n); }
    CArchive& operator<<(ULONGLONG n) { return WriteRaw(&n, sizeof n); }
    CArchive& operator<<(int i) { return *this << (LONG)i; }
    CArchive& operator<<(short w) { return *this << (WORD)w; }
    CArchive& operator<<(char ch) { return *this << (BYTE)ch; }
    CArchive& operator<<(signed char ch) { return *this << (BYTE)ch; }
    CArchive& operator<<(wchar_t ch) { return *this << (WORD)ch; }
    CArchive& operator<<(unsigned u) { return *this << (LONG)u; }
    CArchive& operator<<(bool b) { return *this << (BYTE)(b ? 1 : 0); }
    CArchive& operator<<(const CString& str);
    CArchive& operator<<(LPCSTR lpsz);   // written as a CString
    CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }

    CArchive& operator>>(BYTE& by) { return ReadRaw(&by, sizeof by); }
    CArchive& operator>>(WORD& w) { return ReadRaw(&w, sizeof w); }
    CArchive& operator>>(LONG& l) { return ReadRaw(&l, sizeof l); }
    CArchive& operator>>(DWORD& dw) { return ReadRaw(&dw, sizeof dw); }
    CArchive& operator>>(float& f) { return ReadRaw(&f, sizeof f); }
    CArchive& operator>>(double& d) { return ReadRaw(&d, sizeof d); }
    CArchive& operator>>(LONGLONG& n) { return ReadRaw(&n, sizeof n); }
    CArchive& operator>>(ULONGLONG& n) { return ReadRaw(&n, sizeof n); }
    CArchive& operator>>(int& i) { LONG l; *this >> l; i = (int)l; return *this; }
    CArchive& operator>>(short& w) { WORD v; *this >> v; w = (short)v; return *this; }
    CArchive& operator>>(char& ch) { BYTE v; *this >> v; ch = (char)v; return *this; }
    CArchive& operator>>(signed char& ch) { BYTE v; *this >> v; ch = (signed char)v; return *this; }
    CArchive& operator>>(wchar_t& ch) { WORD v; *this >> v; ch = (wchar_t)v; return *this; }
    CArchive& operator>>(unsigned& u) { LONG l; *this >> l; u = (unsigned)l; return *this; }
    CArchive& operator>>(bool& b) { BYTE v; *this >> v; b = v != 0; return *this; }
    CArchive& operator>>(CString& str);
    CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(NULL); return *this; }
    CArchive& operator>>(const CObject*& pOb) { pOb = ReadObject(NULL); return *this; }

    CDocument* m_pDocument;
    UINT m_nObjectSchema;
    CString m_strFileName;

protected:
    CArchive& WriteRaw(const void* p, UINT n);
    CArchive& ReadRaw(void* p, UINT n);   // throws endOfFile when short
    void FillBuffer(UINT nBytesNeeded);

    UINT m_nMode;
    CFile* m_pFile;
    int m_nBufSize;
    BOOL m_bUserBuf;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    AFX_ARCHIVE_MAPS* m_pMaps;

private:
    CArchive(const CArchive&) = delete;
    void operator=(const CArchive&) = delete;
};

#endif // PELLUCOR_AFX_H
