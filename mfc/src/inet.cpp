// Internet sessions, connections and files over WinINet, the internet
// exception and URL parsing.
#include "afxinet.h"

#include <map>

IMPLEMENT_DYNAMIC(CInternetException, CException)
IMPLEMENT_DYNAMIC(CInternetSession, CObject)
IMPLEMENT_DYNAMIC(CInternetConnection, CObject)
IMPLEMENT_DYNAMIC(CHttpConnection, CInternetConnection)
IMPLEMENT_DYNAMIC(CInternetFile, CStdioFile)
IMPLEMENT_DYNAMIC(CHttpFile, CInternetFile)

// ---------------------------------------------------------------------------
// CInternetException

void AFXAPI AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError)
{
    if (dwError == 0)
        dwError = GetLastError();
    CInternetException* e = new CInternetException(dwError);
    e->m_dwContext = dwContext;
    throw e;
}

// Texts for the codes a program meets most, for when the system's message
// tables have none (some WinINet builds lack entries for the HTTP codes).
static CString FallbackText(DWORD dwError)
{
    static const struct { DWORD dwError; LPCSTR pszText; } s_texts[] = {
        {ERROR_INTERNET_TIMEOUT, "The operation timed out."},
        {ERROR_INTERNET_NAME_NOT_RESOLVED, "The server name or address could not be resolved."},
        {ERROR_INTERNET_CANNOT_CONNECT, "A connection with the server could not be established."},
        {ERROR_INTERNET_CONNECTION_ABORTED, "The connection with the server was terminated abnormally."},
        {ERROR_INTERNET_CONNECTION_RESET, "The connection with the server was reset."},
        {ERROR_HTTP_INVALID_SERVER_RESPONSE, "The server returned an invalid or unrecognized response."},
        {ERROR_INTERNET_UNRECOGNIZED_SCHEME, "The URL does not use a recognized protocol."},
        {ERROR_INTERNET_INVALID_URL, "The URL is invalid."},
    };
    for (const auto& t : s_texts)
        if (t.dwError == dwError)
            return t.pszText;
    CString strText;
    strText.Format("Internet error %lu.", (unsigned long)dwError);
    return strText;
}

BOOL CInternetException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;

    // WinINet's codes live in its own message table, not the system's.
    char szText[1024] = "";
    DWORD nLen = 0;
    HMODULE hWinInet = GetModuleHandleA("wininet.dll");
    if (m_dwError >= INTERNET_ERROR_BASE && m_dwError < INTERNET_ERROR_BASE + 1000 && hWinInet != NULL)
        nLen = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, hWinInet,
                              m_dwError, 0, szText, sizeof szText, NULL);
    if (nLen == 0)
        nLen = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                              m_dwError, 0, szText, sizeof szText, NULL);
    CString strText = nLen != 0 ? CString(szText, (int)nLen) : CString();
    strText.TrimRight();
    if (strText.IsEmpty())
        strText = FallbackText(m_dwError);

    // The server's own words explain an extended error.
    if (m_dwError == ERROR_INTERNET_EXTENDED_ERROR) {
        DWORD dwCode = 0;
        DWORD dwLen = 0;
        InternetGetLastResponseInfoA(&dwCode, NULL, &dwLen);
        if (dwLen > 0) {
            CString strResponse;
            DWORD dwSize = dwLen + 1;
            if (InternetGetLastResponseInfoA(&dwCode, strResponse.GetBuffer((int)dwSize), &dwSize))
                strResponse.ReleaseBuffer((int)dwSize);
            else
                strResponse.ReleaseBuffer(0);
            strResponse.Trim();
            if (!strResponse.IsEmpty())
                strText += "\r\n" + strResponse;
        }
    }

    lstrcpynA(lpszError, strText, (int)nMaxError);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Option helpers shared by sessions, connections and files

static BOOL QueryOptionString(HINTERNET hInternet, DWORD dwOption, CString& refString)
{
    DWORD dwLen = 0;
    InternetQueryOptionA(hInternet, dwOption, NULL, &dwLen);
    if (dwLen == 0)
        return FALSE;
    DWORD dwSize = dwLen + 1;
    LPSTR pBuf = refString.GetBuffer((int)dwSize);
    BOOL bOk = InternetQueryOptionA(hInternet, dwOption, pBuf, &dwSize);
    refString.ReleaseBuffer(bOk ? -1 : 0);
    return bOk;
}

static BOOL SetOptionOn(HINTERNET hInternet, DWORD dwOption, LPVOID lpBuffer, DWORD dwLen, DWORD dwFlags)
{
    return dwFlags == 0 ? InternetSetOptionA(hInternet, dwOption, lpBuffer, dwLen)
                        : InternetSetOptionExA(hInternet, dwOption, lpBuffer, dwLen, dwFlags);
}

static BOOL QueryOptionDword(HINTERNET hInternet, DWORD dwOption, DWORD& dwValue)
{
    DWORD dwLen = sizeof dwValue;
    return InternetQueryOptionA(hInternet, dwOption, &dwValue, &dwLen);
}

// A server that closes the connection without answering sends no status
// line. Some WinINet versions still report success, with status 0 and no
// headers; that is the invalid response it is, and must fail like one.
static void CheckResponseArrived(HINTERNET hRequest, DWORD_PTR dwContext)
{
    DWORD dwStatus = 0;
    DWORD dwLen = sizeof dwStatus;
    if (!HttpQueryInfoA(hRequest, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &dwStatus, &dwLen, NULL) ||
        dwStatus == 0)
        AfxThrowInternetException(dwContext, ERROR_HTTP_INVALID_SERVER_RESPONSE);
}

// The session each handle the layer made belongs to, so that the status
// callback (which WinINet calls with the handle that changed) finds the
// session to report to. WinINet cannot be asked for a handle's parent
// everywhere, so every session, connection and file handle is recorded here
// while it is open.
static CRITICAL_SECTION* HandleMapLock()
{
    static CRITICAL_SECTION cs;
    static BOOL bInit = (InitializeCriticalSection(&cs), TRUE);
    (void)bInit;
    return &cs;
}
static std::map<HINTERNET, CInternetSession*>& HandleMap()
{
    static std::map<HINTERNET, CInternetSession*> map;
    return map;
}
static void MapHandle(HINTERNET hInternet, CInternetSession* pSession)
{
    if (hInternet == NULL || pSession == NULL)
        return;
    EnterCriticalSection(HandleMapLock());
    HandleMap()[hInternet] = pSession;
    LeaveCriticalSection(HandleMapLock());
}
static void UnmapHandle(HINTERNET hInternet)
{
    EnterCriticalSection(HandleMapLock());
    HandleMap().erase(hInternet);
    LeaveCriticalSection(HandleMapLock());
}
static CInternetSession* SessionOf(HINTERNET hInternet)
{
    EnterCriticalSection(HandleMapLock());
    auto it = HandleMap().find(hInternet);
    CInternetSession* pSession = it != HandleMap().end() ? it->second : NULL;
    LeaveCriticalSection(HandleMapLock());
    return pSession;
}

// ---------------------------------------------------------------------------
// CInternetSession

static CString DefaultAgent()
{
    LPCSTR pszApp = AfxGetModuleState()->m_lpszCurrentAppName;
    if (pszApp != NULL && *pszApp != '\0')
        return pszApp;
    // No application object: the executable's name without its extension,
    // which is what an application takes as its name anyway.
    char szPath[MAX_PATH];
    DWORD nLen = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strName(szPath, (int)nLen);
    int nSlash = strName.ReverseFind('\\');
    if (strName.ReverseFind('/') > nSlash)
        nSlash = strName.ReverseFind('/');
    strName = strName.Mid(nSlash + 1);
    int nDot = strName.ReverseFind('.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

CInternetSession::CInternetSession(LPCTSTR pstrAgent, DWORD_PTR dwContext, DWORD dwAccessType,
                                   LPCTSTR pstrProxyName, LPCTSTR pstrProxyBypass, DWORD dwFlags)
    : m_hSession(NULL), m_dwContext(dwContext), m_dwAccessType(dwAccessType), m_bCallbackEnabled(FALSE),
      m_dwInheritedMask(0), m_adwInheritedOptions()
{
    CString strAgent = pstrAgent != NULL ? CString(pstrAgent) : DefaultAgent();
    m_hSession = InternetOpenA(strAgent, dwAccessType, pstrProxyName, pstrProxyBypass, dwFlags);
    if (m_hSession == NULL)
        AfxThrowInternetException(m_dwContext);
    MapHandle(m_hSession, this);
}

CInternetSession::~CInternetSession()
{
    Close();
}

void CInternetSession::Close()
{
    if (m_hSession == NULL)
        return;
    UnmapHandle(m_hSession);
    if (m_bCallbackEnabled)
        EnableStatusCallback(FALSE);
    InternetCloseHandle(m_hSession);
    m_hSession = NULL;
}

static BOOL IsInheritedOption(DWORD dwOption)
{
    return dwOption >= INTERNET_OPTION_CONNECT_TIMEOUT && dwOption <= INTERNET_OPTION_DATA_RECEIVE_TIMEOUT;
}

// Some WinINet versions keep a session's time-outs to the session handle and
// never use them for its connections, so a program that sets them once per
// session (as is usual) would still wait minutes on a silent server. The
// session remembers them and sets them on every connection it makes.
BOOL CInternetSession::SetOption(DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength, DWORD dwFlags)
{
    BOOL bOk = SetOptionOn(m_hSession, dwOption, lpBuffer, dwBufferLength, dwFlags);
    if (bOk && IsInheritedOption(dwOption) && lpBuffer != NULL && dwBufferLength == sizeof(DWORD)) {
        m_adwInheritedOptions[dwOption] = *(const DWORD*)lpBuffer;
        m_dwInheritedMask |= 1u << dwOption;
    }
    return bOk;
}

BOOL CInternetSession::SetOption(DWORD dwOption, DWORD dwValue, DWORD dwFlags)
{
    return SetOption(dwOption, &dwValue, sizeof dwValue, dwFlags);
}

void CInternetSession::ApplyInheritedOptions(HINTERNET hConnection) const
{
    for (DWORD dwOption = INTERNET_OPTION_CONNECT_TIMEOUT; dwOption <= INTERNET_OPTION_DATA_RECEIVE_TIMEOUT; dwOption++) {
        if (m_dwInheritedMask & (1u << dwOption)) {
            DWORD dwValue = m_adwInheritedOptions[dwOption];
            InternetSetOptionA(hConnection, dwOption, &dwValue, sizeof dwValue);
        }
    }
}

BOOL CInternetSession::QueryOption(DWORD dwOption, DWORD& dwValue) const
{
    if (IsInheritedOption(dwOption) && (m_dwInheritedMask & (1u << dwOption))) {
        dwValue = m_adwInheritedOptions[dwOption];
        return TRUE;
    }
    return QueryOptionDword(m_hSession, dwOption, dwValue);
}

BOOL CInternetSession::QueryOption(DWORD dwOption, CString& refString) const
{
    return QueryOptionString(m_hSession, dwOption, refString);
}

CHttpConnection* CInternetSession::GetHttpConnection(LPCTSTR pstrServer, INTERNET_PORT nPort,
                                                     LPCTSTR pstrUserName, LPCTSTR pstrPassword)
{
    return new CHttpConnection(this, pstrServer, nPort, pstrUserName, pstrPassword, m_dwContext);
}

CHttpConnection* CInternetSession::GetHttpConnection(LPCTSTR pstrServer, DWORD dwFlags, INTERNET_PORT nPort,
                                                     LPCTSTR pstrUserName, LPCTSTR pstrPassword)
{
    return new CHttpConnection(this, pstrServer, dwFlags, nPort, pstrUserName, pstrPassword, m_dwContext);
}

CStdioFile* CInternetSession::OpenURL(LPCTSTR pstrURL, DWORD_PTR dwContext, DWORD dwFlags,
                                      LPCTSTR pstrHeaders, DWORD dwHeadersLength)
{
    DWORD dwService = 0;
    CString strServer, strObject;
    INTERNET_PORT nPort = 0;
    BOOL bParsed = AfxParseURL(pstrURL, dwService, strServer, strObject, nPort);

    if (dwService == AFX_INET_SERVICE_FILE || (!bParsed && strstr(pstrURL, "://") == NULL)) {
        // "file:///C:/dir/x.txt" and "file://C:/dir/x.txt" name C:/dir/x.txt.
        CString strPath = dwService == AFX_INET_SERVICE_FILE ? strServer + strObject : CString(pstrURL);
        if (dwService == AFX_INET_SERVICE_FILE && strPath.GetLength() > 2 && strPath[0] == '/' &&
            strPath[2] == ':')
            strPath = strPath.Mid(1);
        UINT nMode = CFile::modeRead | CFile::shareDenyWrite |
                     ((dwFlags & INTERNET_FLAG_TRANSFER_BINARY) ? CFile::typeBinary : CFile::typeText);
        return new CStdioFile(strPath, nMode);
    }
    if (!bParsed || (dwService != AFX_INET_SERVICE_HTTP && dwService != AFX_INET_SERVICE_HTTPS &&
                     dwService != AFX_INET_SERVICE_FTP))
        AfxThrowInternetException(dwContext, ERROR_INTERNET_UNRECOGNIZED_SCHEME);

    if (pstrHeaders != NULL && dwHeadersLength == 0)
        dwHeadersLength = (DWORD)-1;
    HINTERNET hFile = InternetOpenUrlA(m_hSession, pstrURL, pstrHeaders, dwHeadersLength, dwFlags, dwContext);
    if (hFile == NULL)
        AfxThrowInternetException(dwContext);
    if (dwService == AFX_INET_SERVICE_FTP)
        return new CInternetFile(hFile, m_hSession, strObject, strServer, dwContext, TRUE);
    try {
        CheckResponseArrived(hFile, dwContext);
    } catch (CInternetException*) {
        InternetCloseHandle(hFile);
        throw;
    }
    return new CHttpFile(hFile, m_hSession, strObject, strServer,
                         CHttpConnection::szHtmlVerbs[CHttpConnection::HTTP_VERB_GET], dwContext);
}

BOOL CInternetSession::EnableStatusCallback(BOOL bEnable)
{
    if (m_hSession == NULL)
        return FALSE;
    INTERNET_STATUS_CALLBACK pfn = InternetSetStatusCallbackA(m_hSession, bEnable ? StatusCallback : NULL);
    if (pfn == INTERNET_INVALID_STATUS_CALLBACK)
        return FALSE;
    m_bCallbackEnabled = bEnable;
    return TRUE;
}

// Runs on WinINet's threads as well as the caller's: it must not let an
// exception out.
void CALLBACK CInternetSession::StatusCallback(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                               LPVOID lpvStatusInformation, DWORD dwStatusInformationLength)
{
    CInternetSession* pSession = SessionOf(hInternet);
    if (pSession == NULL || !pSession->m_bCallbackEnabled)
        return;
    try {
        pSession->OnStatusCallback(dwContext, dwInternetStatus, lpvStatusInformation,
                                   dwStatusInformationLength);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

// ---------------------------------------------------------------------------
// Connections

CInternetConnection::CInternetConnection(CInternetSession* pSession, LPCTSTR pstrServer, INTERNET_PORT nPort,
                                         DWORD_PTR dwContext)
    : m_hConnection(NULL), m_dwContext(dwContext), m_pSession(pSession), m_strServerName(pstrServer),
      m_nPort(nPort)
{
}

CInternetConnection::~CInternetConnection()
{
    Close();
}

void CInternetConnection::Close()
{
    if (m_hConnection != NULL) {
        UnmapHandle(m_hConnection);
        InternetCloseHandle(m_hConnection);
        m_hConnection = NULL;
    }
}

BOOL CInternetConnection::SetOption(DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength, DWORD dwFlags)
{
    return SetOptionOn(m_hConnection, dwOption, lpBuffer, dwBufferLength, dwFlags);
}

BOOL CInternetConnection::SetOption(DWORD dwOption, DWORD dwValue, DWORD dwFlags)
{
    return SetOptionOn(m_hConnection, dwOption, &dwValue, sizeof dwValue, dwFlags);
}

BOOL CInternetConnection::QueryOption(DWORD dwOption, DWORD& dwValue) const
{
    return QueryOptionDword(m_hConnection, dwOption, dwValue);
}

BOOL CInternetConnection::QueryOption(DWORD dwOption, CString& refString) const
{
    return QueryOptionString(m_hConnection, dwOption, refString);
}

const LPCTSTR CHttpConnection::szHtmlVerbs[] = {"POST", "GET", "HEAD", "PUT", "LINK", "DELETE", "UNLINK"};

CHttpConnection::CHttpConnection(CInternetSession* pSession, HINTERNET hConnected, LPCTSTR pstrServer,
                                 DWORD_PTR dwContext)
    : CInternetConnection(pSession, pstrServer, INTERNET_INVALID_PORT_NUMBER, dwContext), m_dwFlags(0)
{
    m_hConnection = hConnected;
    MapHandle(m_hConnection, pSession);
}

CHttpConnection::CHttpConnection(CInternetSession* pSession, LPCTSTR pstrServer, INTERNET_PORT nPort,
                                 LPCTSTR pstrUserName, LPCTSTR pstrPassword, DWORD_PTR dwContext)
    : CInternetConnection(pSession, pstrServer, nPort, dwContext), m_dwFlags(0)
{
    Connect(pstrUserName, pstrPassword);
}

CHttpConnection::CHttpConnection(CInternetSession* pSession, LPCTSTR pstrServer, DWORD dwFlags,
                                 INTERNET_PORT nPort, LPCTSTR pstrUserName, LPCTSTR pstrPassword,
                                 DWORD_PTR dwContext)
    : CInternetConnection(pSession, pstrServer, nPort, dwContext), m_dwFlags(dwFlags)
{
    Connect(pstrUserName, pstrPassword);
}

// A secure connection without a port goes to the HTTPS port, not WinINet's
// default HTTP one.
void CHttpConnection::Connect(LPCTSTR pstrUserName, LPCTSTR pstrPassword)
{
    if (m_nPort == INTERNET_INVALID_PORT_NUMBER && (m_dwFlags & INTERNET_FLAG_SECURE))
        m_nPort = INTERNET_DEFAULT_HTTPS_PORT;
    m_hConnection = InternetConnectA(*m_pSession, m_strServerName, m_nPort, pstrUserName, pstrPassword,
                                     INTERNET_SERVICE_HTTP, 0, m_dwContext);
    if (m_hConnection == NULL)
        AfxThrowInternetException(m_dwContext);
    MapHandle(m_hConnection, m_pSession);
    m_pSession->ApplyInheritedOptions(m_hConnection);
}

CHttpFile* CHttpConnection::OpenRequest(LPCTSTR pstrVerb, LPCTSTR pstrObjectName, LPCTSTR pstrReferer,
                                        DWORD_PTR dwContext, LPCTSTR* ppstrAcceptTypes, LPCTSTR pstrVersion,
                                        DWORD dwFlags)
{
    dwFlags |= (m_dwFlags & INTERNET_FLAG_SECURE);
    HINTERNET hFile = HttpOpenRequestA(m_hConnection, pstrVerb, pstrObjectName, pstrVersion, pstrReferer,
                                       ppstrAcceptTypes, dwFlags, dwContext);
    if (hFile == NULL)
        AfxThrowInternetException(dwContext);
    CHttpFile* pFile = new CHttpFile(hFile, pstrVerb, pstrObjectName, this);
    pFile->m_dwContext = dwContext;
    return pFile;
}

CHttpFile* CHttpConnection::OpenRequest(int nVerb, LPCTSTR pstrObjectName, LPCTSTR pstrReferer,
                                        DWORD_PTR dwContext, LPCTSTR* ppstrAcceptTypes, LPCTSTR pstrVersion,
                                        DWORD dwFlags)
{
    if (nVerb < _HTTP_VERB_MIN || nVerb > _HTTP_VERB_MAX)
        AfxThrowInvalidArgException();
    return OpenRequest(szHtmlVerbs[nVerb], pstrObjectName, pstrReferer, dwContext, ppstrAcceptTypes,
                       pstrVersion, dwFlags);
}

// ---------------------------------------------------------------------------
// CInternetFile

CInternetFile::CInternetFile(HINTERNET hFile, LPCTSTR pstrFileName, CInternetConnection* pConnection,
                             BOOL bReadMode)
    : m_hFile(hFile), m_bReadMode(bReadMode), m_dwContext(pConnection->GetContext()),
      m_hConnection(*pConnection), m_strServerName(pConnection->GetServerName()), m_nPosition(0),
      m_nReadBufferSize(0), m_nReadBufferPos(0), m_nReadBufferBytes(0), m_pbReadBuffer(NULL),
      m_nWriteBufferSize(0), m_nWriteBufferPos(0), m_pbWriteBuffer(NULL)
{
    m_strFileName = pstrFileName;
    MapHandle(hFile, pConnection->GetSession());
}

CInternetFile::CInternetFile(HINTERNET hFile, HINTERNET hSession, LPCTSTR pstrFileName, LPCTSTR pstrServer,
                             DWORD_PTR dwContext, BOOL bReadMode)
    : m_hFile(hFile), m_bReadMode(bReadMode), m_dwContext(dwContext), m_hConnection(hSession),
      m_strServerName(pstrServer), m_nPosition(0), m_nReadBufferSize(0), m_nReadBufferPos(0),
      m_nReadBufferBytes(0), m_pbReadBuffer(NULL), m_nWriteBufferSize(0), m_nWriteBufferPos(0),
      m_pbWriteBuffer(NULL)
{
    m_strFileName = pstrFileName;
    MapHandle(hFile, SessionOf(hSession));
}

// A destructor must not throw: data still in the write buffer that cannot be
// sent is lost here. Call Close to see that failure.
CInternetFile::~CInternetFile()
{
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
        Abort();
    }
}

CString CInternetFile::GetFileURL() const
{
    CString strURL;
    if (m_hFile != NULL && QueryOptionString(m_hFile, INTERNET_OPTION_URL, strURL) && !strURL.IsEmpty())
        return strURL;
    return m_strServerName + m_strFileName;
}

BOOL CInternetFile::SetReadBufferSize(UINT nReadSize)
{
    if (!m_bReadMode || nReadSize < m_nReadBufferBytes - m_nReadBufferPos)
        return FALSE;
    LPBYTE pNew = nReadSize != 0 ? new BYTE[nReadSize] : NULL;
    UINT nKeep = m_nReadBufferBytes - m_nReadBufferPos;
    if (nKeep != 0)
        memcpy(pNew, m_pbReadBuffer + m_nReadBufferPos, nKeep);
    delete[] m_pbReadBuffer;
    m_pbReadBuffer = pNew;
    m_nReadBufferSize = nReadSize;
    m_nReadBufferPos = 0;
    m_nReadBufferBytes = nKeep;
    return TRUE;
}

BOOL CInternetFile::SetWriteBufferSize(UINT nWriteSize)
{
    if (m_hFile == NULL)
        return FALSE;
    FlushWriteBuffer();
    delete[] m_pbWriteBuffer;
    m_pbWriteBuffer = nWriteSize != 0 ? new BYTE[nWriteSize] : NULL;
    m_nWriteBufferSize = nWriteSize;
    m_nWriteBufferPos = 0;
    return TRUE;
}

BOOL CInternetFile::SetOption(DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength, DWORD dwFlags)
{
    return SetOptionOn(m_hFile, dwOption, lpBuffer, dwBufferLength, dwFlags);
}

BOOL CInternetFile::SetOption(DWORD dwOption, DWORD dwValue, DWORD dwFlags)
{
    return SetOptionOn(m_hFile, dwOption, &dwValue, sizeof dwValue, dwFlags);
}

BOOL CInternetFile::QueryOption(DWORD dwOption, DWORD& dwValue) const
{
    return QueryOptionDword(m_hFile, dwOption, dwValue);
}

BOOL CInternetFile::QueryOption(DWORD dwOption, CString& refString) const
{
    return QueryOptionString(m_hFile, dwOption, refString);
}

// InternetReadFile may hand back less than asked before the data ends (a
// chunk, a packet); callers of Read take a short count as the end, so keep
// reading until the buffer is full or WinINet reports the end.
UINT CInternetFile::ReadRaw(void* lpBuf, UINT nCount)
{
    UINT nTotal = 0;
    while (nTotal < nCount) {
        DWORD dwRead = 0;
        if (!InternetReadFile(m_hFile, (LPBYTE)lpBuf + nTotal, nCount - nTotal, &dwRead))
            AfxThrowInternetException(m_dwContext);
        if (dwRead == 0)
            break;
        nTotal += dwRead;
    }
    return nTotal;
}

BOOL CInternetFile::FillReadBuffer()
{
    m_nReadBufferPos = 0;
    m_nReadBufferBytes = 0;
    DWORD dwRead = 0;
    if (!InternetReadFile(m_hFile, m_pbReadBuffer, m_nReadBufferSize, &dwRead))
        AfxThrowInternetException(m_dwContext);
    m_nReadBufferBytes = dwRead;
    return dwRead != 0;
}

UINT CInternetFile::Read(void* lpBuf, UINT nCount)
{
    if (m_hFile == NULL || !m_bReadMode)
        AfxThrowInternetException(m_dwContext, ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    UINT nTotal = 0;
    while (nTotal < nCount) {
        UINT nBuffered = m_nReadBufferBytes - m_nReadBufferPos;
        if (nBuffered != 0) {
            UINT n = nCount - nTotal < nBuffered ? nCount - nTotal : nBuffered;
            memcpy((LPBYTE)lpBuf + nTotal, m_pbReadBuffer + m_nReadBufferPos, n);
            m_nReadBufferPos += n;
            nTotal += n;
        } else if (m_nReadBufferSize == 0 || nCount - nTotal >= m_nReadBufferSize) {
            nTotal += ReadRaw((LPBYTE)lpBuf + nTotal, nCount - nTotal);
            break;
        } else if (!FillReadBuffer()) {
            break;
        }
    }
    m_nPosition += nTotal;
    return nTotal;
}

void CInternetFile::FlushWriteBuffer()
{
    if (m_nWriteBufferPos == 0)
        return;
    UINT nPending = m_nWriteBufferPos;
    m_nWriteBufferPos = 0;
    DWORD dwWritten = 0;
    for (UINT nDone = 0; nDone < nPending; nDone += dwWritten) {
        if (!InternetWriteFile(m_hFile, m_pbWriteBuffer + nDone, nPending - nDone, &dwWritten) || dwWritten == 0)
            AfxThrowInternetException(m_dwContext);
    }
}

void CInternetFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_hFile == NULL)
        AfxThrowInternetException(m_dwContext, ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    const BYTE* p = (const BYTE*)lpBuf;
    if (m_nWriteBufferSize != 0) {
        while (nCount != 0) {
            UINT n = m_nWriteBufferSize - m_nWriteBufferPos;
            if (n > nCount)
                n = nCount;
            memcpy(m_pbWriteBuffer + m_nWriteBufferPos, p, n);
            m_nWriteBufferPos += n;
            p += n;
            nCount -= n;
            m_nPosition += n;
            if (m_nWriteBufferPos == m_nWriteBufferSize)
                FlushWriteBuffer();
        }
        return;
    }
    while (nCount != 0) {
        DWORD dwWritten = 0;
        if (!InternetWriteFile(m_hFile, p, nCount, &dwWritten) || dwWritten == 0)
            AfxThrowInternetException(m_dwContext);
        p += dwWritten;
        nCount -= dwWritten;
        m_nPosition += dwWritten;
    }
}

// Only handles WinINet can position (cached or FTP files) support this.
ULONGLONG CInternetFile::Seek(LONGLONG lOffset, UINT nFrom)
{
    if (m_hFile == NULL)
        AfxThrowInternetException(m_dwContext, ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    FlushWriteBuffer();
    // WinINet's own position is past what the read buffer still holds.
    if (nFrom == CFile::current)
        lOffset -= (LONGLONG)(m_nReadBufferBytes - m_nReadBufferPos);
    LONG lHigh = (LONG)(lOffset >> 32);
    DWORD dwMethod = nFrom == CFile::begin ? FILE_BEGIN : nFrom == CFile::end ? FILE_END : FILE_CURRENT;
    DWORD dwLow = InternetSetFilePointer(m_hFile, (LONG)(lOffset & 0xFFFFFFFF), lHigh != 0 && lHigh != -1 ? &lHigh : NULL,
                                         dwMethod, m_dwContext);
    if (dwLow == (DWORD)-1)
        AfxThrowInternetException(m_dwContext);
    m_nReadBufferPos = m_nReadBufferBytes = 0;
    m_nPosition = dwLow;
    return m_nPosition;
}

ULONGLONG CInternetFile::GetLength() const
{
    if (m_hFile == NULL)
        AfxThrowInternetException(m_dwContext, ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    DWORD dwAvailable = 0;
    if (!InternetQueryDataAvailable(m_hFile, &dwAvailable, 0, 0))
        AfxThrowInternetException(m_dwContext);
    return (ULONGLONG)dwAvailable + (m_nReadBufferBytes - m_nReadBufferPos);
}

void CInternetFile::Flush()
{
    if (m_hFile != NULL)
        FlushWriteBuffer();
}

void CInternetFile::Close()
{
    if (m_hFile == NULL)
        return;
    HINTERNET hFile = m_hFile;
    try {
        FlushWriteBuffer();
    } catch (CException*) {
        Abort();
        throw;
    }
    m_hFile = NULL;
    UnmapHandle(hFile);
    InternetCloseHandle(hFile);
    Abort();
}

void CInternetFile::Abort()
{
    if (m_hFile != NULL) {
        UnmapHandle(m_hFile);
        InternetCloseHandle(m_hFile);
        m_hFile = NULL;
    }
    delete[] m_pbReadBuffer;
    m_pbReadBuffer = NULL;
    m_nReadBufferSize = m_nReadBufferPos = m_nReadBufferBytes = 0;
    delete[] m_pbWriteBuffer;
    m_pbWriteBuffer = NULL;
    m_nWriteBufferSize = m_nWriteBufferPos = 0;
}

// Lines end at "\n"; reading lines turns on a read buffer, since byte-wise
// reads from WinINet are slow.
BOOL CInternetFile::ReadString(CString& rString)
{
    rString.Empty();
    if (m_nReadBufferSize == 0)
        SetReadBufferSize(4096);
    BOOL bAny = FALSE;
    for (;;) {
        if (m_nReadBufferPos == m_nReadBufferBytes && !FillReadBuffer())
            break;
        bAny = TRUE;
        const BYTE* pStart = m_pbReadBuffer + m_nReadBufferPos;
        UINT nAvail = m_nReadBufferBytes - m_nReadBufferPos;
        const BYTE* pEnd = (const BYTE*)memchr(pStart, '\n', nAvail);
        UINT nTake = pEnd != NULL ? (UINT)(pEnd - pStart) + 1 : nAvail;
        rString.Append((LPCSTR)pStart, pEnd != NULL ? nTake - 1 : nTake);
        m_nReadBufferPos += nTake;
        m_nPosition += nTake;
        if (pEnd != NULL)
            break;
    }
    int nLen = rString.GetLength();
    if (nLen > 0 && rString[nLen - 1] == '\r')
        rString.Truncate(nLen - 1);
    return bAny;
}

LPTSTR CInternetFile::ReadString(LPTSTR pstr, UINT nMax)
{
    if (pstr == NULL || nMax == 0)
        return NULL;
    if (m_nReadBufferSize == 0)
        SetReadBufferSize(4096);
    UINT nLen = 0;
    while (nLen + 1 < nMax) {
        if (m_nReadBufferPos == m_nReadBufferBytes && !FillReadBuffer())
            break;
        char ch = (char)m_pbReadBuffer[m_nReadBufferPos++];
        m_nPosition++;
        pstr[nLen++] = ch;
        if (ch == '\n')
            break;
    }
    pstr[nLen] = '\0';
    return nLen != 0 ? pstr : NULL;
}

void CInternetFile::WriteString(LPCTSTR pstr)
{
    Write(pstr, (UINT)lstrlenA(pstr));
}

// ---------------------------------------------------------------------------
// CHttpFile

CHttpFile::CHttpFile(HINTERNET hFile, HINTERNET hSession, LPCTSTR pstrObject, LPCTSTR pstrServer,
                     LPCTSTR pstrVerb, DWORD_PTR dwContext)
    : CInternetFile(hFile, hSession, pstrObject, pstrServer, dwContext, TRUE), m_strObject(pstrObject),
      m_strVerb(pstrVerb)
{
}

CHttpFile::CHttpFile(HINTERNET hFile, LPCTSTR pstrVerb, LPCTSTR pstrObject, CHttpConnection* pConnection)
    : CInternetFile(hFile, pstrObject, pConnection, TRUE), m_strObject(pstrObject), m_strVerb(pstrVerb)
{
}

// Headers given without a length are a NUL-terminated text.
BOOL CHttpFile::SendRequest(LPCTSTR pstrHeaders, DWORD dwHeadersLen, LPVOID lpOptional, DWORD dwOptionalLen)
{
    if (pstrHeaders != NULL && dwHeadersLen == 0)
        dwHeadersLen = (DWORD)-1;
    if (!HttpSendRequestA(m_hFile, pstrHeaders, dwHeadersLen, lpOptional, dwOptionalLen))
        AfxThrowInternetException(m_dwContext);
    CheckResponseArrived(m_hFile, m_dwContext);
    return TRUE;
}

BOOL CHttpFile::SendRequest(CString& strHeaders, LPVOID lpOptional, DWORD dwOptionalLen)
{
    return SendRequest(strHeaders, (DWORD)strHeaders.GetLength(), lpOptional, dwOptionalLen);
}

BOOL CHttpFile::SendRequestEx(DWORD dwTotalLen, DWORD dwFlags, DWORD_PTR dwContext)
{
    INTERNET_BUFFERSA buffers = {};
    buffers.dwStructSize = sizeof buffers;
    buffers.dwBufferTotal = dwTotalLen;
    return SendRequestEx(&buffers, NULL, dwFlags, dwContext);
}

BOOL CHttpFile::SendRequestEx(LPINTERNET_BUFFERS lpBuffIn, LPINTERNET_BUFFERS lpBuffOut, DWORD dwFlags,
                              DWORD_PTR dwContext)
{
    if (!HttpSendRequestExA(m_hFile, lpBuffIn, lpBuffOut, dwFlags, dwContext))
        AfxThrowInternetException(m_dwContext);
    // The body is written next; the response is read after EndRequest.
    m_bReadMode = FALSE;
    return TRUE;
}

BOOL CHttpFile::EndRequest(DWORD dwFlags, LPINTERNET_BUFFERS lpBuffIn, DWORD_PTR dwContext)
{
    FlushWriteBuffer();
    if (!HttpEndRequestA(m_hFile, lpBuffIn, dwFlags, dwContext))
        AfxThrowInternetException(m_dwContext);
    CheckResponseArrived(m_hFile, m_dwContext);
    m_bReadMode = TRUE;
    m_nPosition = 0;
    return TRUE;
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, CString& str, LPDWORD lpdwIndex) const
{
    str.Empty();
    DWORD dwIndex = lpdwIndex != NULL ? *lpdwIndex : 0;
    DWORD dwLen = 0;
    if (HttpQueryInfoA(m_hFile, dwInfoLevel, NULL, &dwLen, &dwIndex) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return FALSE;
    dwIndex = lpdwIndex != NULL ? *lpdwIndex : 0;
    DWORD dwSize = dwLen + 1;
    BOOL bOk = HttpQueryInfoA(m_hFile, dwInfoLevel, str.GetBuffer((int)dwSize), &dwSize, &dwIndex);
    str.ReleaseBuffer(bOk ? (int)dwSize : 0);
    if (bOk && lpdwIndex != NULL)
        *lpdwIndex = dwIndex;
    return bOk;
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, SYSTEMTIME* pSysTime, LPDWORD lpdwIndex) const
{
    DWORD dwLen = sizeof(SYSTEMTIME);
    return HttpQueryInfoA(m_hFile, dwInfoLevel | HTTP_QUERY_FLAG_SYSTEMTIME, pSysTime, &dwLen, lpdwIndex);
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, DWORD& dwResult, LPDWORD lpdwIndex) const
{
    DWORD dwLen = sizeof dwResult;
    return HttpQueryInfoA(m_hFile, dwInfoLevel | HTTP_QUERY_FLAG_NUMBER, &dwResult, &dwLen, lpdwIndex);
}

CString CHttpFile::GetFileURL() const
{
    CString strURL;
    if (m_hFile != NULL && QueryOptionString(m_hFile, INTERNET_OPTION_URL, strURL) && !strURL.IsEmpty())
        return strURL;
    return "http://" + m_strServerName + m_strObject;
}

// ---------------------------------------------------------------------------
// AfxParseURL

struct AFX_URL_SCHEME
{
    LPCSTR pszScheme;
    DWORD dwService;
    INTERNET_PORT nPort;
};

static const AFX_URL_SCHEME s_schemes[] = {
    {"http", AFX_INET_SERVICE_HTTP, INTERNET_DEFAULT_HTTP_PORT},
    {"https", AFX_INET_SERVICE_HTTPS, INTERNET_DEFAULT_HTTPS_PORT},
    {"ftp", AFX_INET_SERVICE_FTP, INTERNET_DEFAULT_FTP_PORT},
    {"gopher", AFX_INET_SERVICE_GOPHER, INTERNET_DEFAULT_GOPHER_PORT},
    {"file", AFX_INET_SERVICE_FILE, 0},
    {"mailto", AFX_INET_SERVICE_MAILTO, 0},
    {"news", AFX_INET_SERVICE_NEWS, 0},
    {"nntp", AFX_INET_SERVICE_NNTP, 119},
    {"telnet", AFX_INET_SERVICE_TELNET, 23},
    {"wais", AFX_INET_SERVICE_WAIS, 210},
    {"prospero", AFX_INET_SERVICE_PROSPERO, 1525},
    {"afs", AFX_INET_SERVICE_AFS, 0},
    {"mid", AFX_INET_SERVICE_MID, 0},
    {"cid", AFX_INET_SERVICE_CID, 0},
};

static CString DecodeURLPart(const CString& str)
{
    CString strOut;
    for (int i = 0; i < str.GetLength(); i++) {
        char ch = str[i];
        if (ch == '%' && i + 2 < str.GetLength() && isxdigit((BYTE)str[i + 1]) && isxdigit((BYTE)str[i + 2])) {
            char hex[3] = {str[i + 1], str[i + 2], 0};
            strOut += (char)strtoul(hex, NULL, 16);
            i += 2;
        } else {
            strOut += ch;
        }
    }
    return strOut;
}

BOOL AFXAPI AfxParseURLEx(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                          INTERNET_PORT& nPort, CString& strUsername, CString& strPassword, DWORD dwFlags)
{
    dwServiceType = AFX_INET_SERVICE_UNK;
    strServer.Empty();
    strObject.Empty();
    strUsername.Empty();
    strPassword.Empty();
    nPort = 0;
    if (pstrURL == NULL)
        return FALSE;

    CString strURL(pstrURL);
    strURL.Trim();
    int nColon = strURL.Find(':');
    if (nColon <= 0)
        return FALSE;
    CString strScheme = strURL.Left(nColon);
    strScheme.MakeLower();
    const AFX_URL_SCHEME* pScheme = NULL;
    for (const AFX_URL_SCHEME& s : s_schemes)
        if (strScheme == s.pszScheme)
            pScheme = &s;
    if (pScheme == NULL)
        return FALSE;
    dwServiceType = pScheme->dwService;

    CString strRest = strURL.Mid(nColon + 1);
    if (strRest.Left(2) != "//")
        return FALSE;
    strRest = strRest.Mid(2);

    int nAuthorityEnd = strRest.FindOneOf("/?#");
    CString strAuthority = nAuthorityEnd < 0 ? strRest : strRest.Left(nAuthorityEnd);
    strObject = nAuthorityEnd < 0 ? CString() : strRest.Mid(nAuthorityEnd);
    if (strObject.IsEmpty() || strObject[0] != '/')
        strObject = "/" + strObject;

    int nAt = strAuthority.ReverseFind('@');
    if (nAt >= 0) {
        CString strUserInfo = strAuthority.Left(nAt);
        strAuthority = strAuthority.Mid(nAt + 1);
        int nPass = strUserInfo.Find(':');
        strUsername = nPass < 0 ? strUserInfo : strUserInfo.Left(nPass);
        if (nPass >= 0)
            strPassword = strUserInfo.Mid(nPass + 1);
    }

    // "[::1]:8080": the colon that starts the port comes after the bracket.
    int nPortColon = strAuthority.ReverseFind(':');
    if (nPortColon >= 0 && strAuthority.Find(']', nPortColon) >= 0)
        nPortColon = -1;
    strServer = nPortColon < 0 ? strAuthority : strAuthority.Left(nPortColon);
    nPort = pScheme->nPort;
    if (nPortColon >= 0 && nPortColon + 1 < strAuthority.GetLength()) {
        CString strPort = strAuthority.Mid(nPortColon + 1);
        if (strPort.GetLength() > 5 || strPort.SpanIncluding("0123456789") != strPort)
            return FALSE;
        long lPort = atol(strPort);
        if (lPort <= 0 || lPort > 65535)
            return FALSE;
        nPort = (INTERNET_PORT)lPort;
    }
    if (strServer.IsEmpty() && dwServiceType != AFX_INET_SERVICE_FILE)
        return FALSE;

    if (dwFlags & ICU_DECODE) {
        strObject = DecodeURLPart(strObject);
        strUsername = DecodeURLPart(strUsername);
        strPassword = DecodeURLPart(strPassword);
    }
    return TRUE;
}

BOOL AFXAPI AfxParseURL(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                        INTERNET_PORT& nPort)
{
    CString strUser, strPassword;
    return AfxParseURLEx(pstrURL, dwServiceType, strServer, strObject, nPort, strUser, strPassword, 0);
}
