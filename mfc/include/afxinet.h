// afxinet.h - HTTP and other internet files over WinINet: sessions,
// connections, request files, the internet exception and URL parsing.
// Failing WinINet calls throw a CInternetException*; the query and option
// calls return FALSE instead, as their BOOL results say.
#ifndef PELLUCOR_AFXINET_H
#define PELLUCOR_AFXINET_H

#include "afx.h"
#include <wininet.h>

class CInternetSession;
class CInternetConnection;
class CHttpConnection;
class CInternetFile;
class CHttpFile;

// Service types AfxParseURL reports.
#define AFX_INET_SERVICE_FTP INTERNET_SERVICE_FTP
#define AFX_INET_SERVICE_HTTP INTERNET_SERVICE_HTTP
#define AFX_INET_SERVICE_GOPHER INTERNET_SERVICE_GOPHER
#define AFX_INET_SERVICE_UNK 0x1000
#define AFX_INET_SERVICE_FILE (AFX_INET_SERVICE_UNK + 1)
#define AFX_INET_SERVICE_MAILTO (AFX_INET_SERVICE_UNK + 2)
#define AFX_INET_SERVICE_MID (AFX_INET_SERVICE_UNK + 3)
#define AFX_INET_SERVICE_CID (AFX_INET_SERVICE_UNK + 4)
#define AFX_INET_SERVICE_NEWS (AFX_INET_SERVICE_UNK + 5)
#define AFX_INET_SERVICE_NNTP (AFX_INET_SERVICE_UNK + 6)
#define AFX_INET_SERVICE_PROSPERO (AFX_INET_SERVICE_UNK + 7)
#define AFX_INET_SERVICE_TELNET (AFX_INET_SERVICE_UNK + 8)
#define AFX_INET_SERVICE_WAIS (AFX_INET_SERVICE_UNK + 9)
#define AFX_INET_SERVICE_AFS (AFX_INET_SERVICE_UNK + 10)
#define AFX_INET_SERVICE_HTTPS (AFX_INET_SERVICE_UNK + 11)

// Access types of CInternetSession.
#define PRE_CONFIG_INTERNET_ACCESS INTERNET_OPEN_TYPE_PRECONFIG
#define LOCAL_INTERNET_ACCESS INTERNET_OPEN_TYPE_DIRECT
#define CERN_PROXY_INTERNET_ACCESS INTERNET_OPEN_TYPE_PROXY

// Splits "scheme://[user[:password]@]server[:port][/path][?query][#fragment]".
// The object is everything from the path on, "/" when the URL has no path;
// the port is the scheme's default when none is given. FALSE for text that is
// not such a URL (no scheme, no "//", an empty server, a bad port); the
// service type is still set when the scheme was recognised.
BOOL AFXAPI AfxParseURL(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer,
                        CString& strObject, INTERNET_PORT& nPort);
BOOL AFXAPI AfxParseURLEx(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer,
                          CString& strObject, INTERNET_PORT& nPort, CString& strUsername,
                          CString& strPassword, DWORD dwFlags = 0);

// ---------------------------------------------------------------------------
// CInternetException: a WinINet or system error code and the context of the
// object that failed.
// ---------------------------------------------------------------------------
class CInternetException : public CException
{
    DECLARE_DYNAMIC(CInternetException)
public:
    explicit CInternetException(DWORD dwError) : m_dwContext(0), m_dwError(dwError) {}

    // The system's text for the code (WinINet's own table for 12xxx codes),
    // with the server's last response for ERROR_INTERNET_EXTENDED_ERROR.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    using CException::GetErrorMessage;

    DWORD_PTR m_dwContext;
    DWORD m_dwError;
};

// dwError 0 means GetLastError().
[[noreturn]] void AFXAPI AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError = 0);

// ---------------------------------------------------------------------------
// CInternetSession: one InternetOpen handle, the parent of connections.
// ---------------------------------------------------------------------------
class CInternetSession : public CObject
{
    DECLARE_DYNAMIC(CInternetSession)
public:
    // A NULL agent is the application's name. Throws CInternetException.
    CInternetSession(LPCTSTR pstrAgent = NULL, DWORD_PTR dwContext = 1,
                     DWORD dwAccessType = PRE_CONFIG_INTERNET_ACCESS, LPCTSTR pstrProxyName = NULL,
                     LPCTSTR pstrProxyBypass = NULL, DWORD dwFlags = 0);
    virtual ~CInternetSession();

    virtual void Close();
    operator HINTERNET() const { return m_hSession; }
    DWORD_PTR GetContext() const { return m_dwContext; }

    BOOL SetOption(DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength, DWORD dwFlags = 0);
    BOOL SetOption(DWORD dwOption, DWORD dwValue, DWORD dwFlags = 0);
    BOOL QueryOption(DWORD dwOption, LPVOID lpBuffer, LPDWORD lpdwBufLen) const { return InternetQueryOptionA(m_hSession, dwOption, lpBuffer, lpdwBufLen); }
    BOOL QueryOption(DWORD dwOption, DWORD& dwValue) const;
    BOOL QueryOption(DWORD dwOption, CString& refString) const;

    CHttpConnection* GetHttpConnection(LPCTSTR pstrServer,
                                       INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER,
                                       LPCTSTR pstrUserName = NULL, LPCTSTR pstrPassword = NULL);
    // dwFlags INTERNET_FLAG_SECURE makes every request of the connection HTTPS.
    CHttpConnection* GetHttpConnection(LPCTSTR pstrServer, DWORD dwFlags,
                                       INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER,
                                       LPCTSTR pstrUserName = NULL, LPCTSTR pstrPassword = NULL);

    // An HTTP(S) or FTP URL opens through WinINet (a CHttpFile for HTTP); a
    // "file://" URL or a plain path opens the local file as a CStdioFile.
    CStdioFile* OpenURL(LPCTSTR pstrURL, DWORD_PTR dwContext = 1,
                        DWORD dwFlags = INTERNET_FLAG_TRANSFER_ASCII, LPCTSTR pstrHeaders = NULL,
                        DWORD dwHeadersLength = 0);

    // Routes WinINet's status notifications to OnStatusCallback.
    BOOL EnableStatusCallback(BOOL bEnable = TRUE);
    virtual void OnStatusCallback(DWORD_PTR dwContext, DWORD dwInternetStatus,
                                  LPVOID lpvStatusInformation, DWORD dwStatusInformationLength) {}

protected:
    friend class CHttpConnection;
    // Time-out and retry options (INTERNET_OPTION_CONNECT_TIMEOUT up to
    // INTERNET_OPTION_DATA_RECEIVE_TIMEOUT) set on the session are also set
    // on each connection made from it.
    void ApplyInheritedOptions(HINTERNET hConnection) const;

    HINTERNET m_hSession;
    DWORD_PTR m_dwContext;
    DWORD m_dwAccessType;
    BOOL m_bCallbackEnabled;
    DWORD m_dwInheritedMask;              // bit n: option n was set
    DWORD m_adwInheritedOptions[INTERNET_OPTION_DATA_RECEIVE_TIMEOUT + 1];

private:
    static void CALLBACK StatusCallback(HINTERNET hInternet, DWORD_PTR dwContext,
                                        DWORD dwInternetStatus, LPVOID lpvStatusInformation,
                                        DWORD dwStatusInformationLength);
};

// ---------------------------------------------------------------------------
// Connections
// ---------------------------------------------------------------------------
class CInternetConnection : public CObject
{
    DECLARE_DYNAMIC(CInternetConnection)
public:
    CInternetConnection(CInternetSession* pSession, LPCTSTR pstrServer,
                        INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER, DWORD_PTR dwContext = 1);
    virtual ~CInternetConnection();

    virtual void Close();
    operator HINTERNET() const { return m_hConnection; }
    DWORD_PTR GetContext() const { return m_dwContext; }
    CInternetSession* GetSession() const { return m_pSession; }
    CString GetServerName() const { return m_strServerName; }

    BOOL SetOption(DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength, DWORD dwFlags = 0);
    BOOL SetOption(DWORD dwOption, DWORD dwValue, DWORD dwFlags = 0);
    BOOL QueryOption(DWORD dwOption, LPVOID lpBuffer, LPDWORD lpdwBufLen) const { return InternetQueryOptionA(m_hConnection, dwOption, lpBuffer, lpdwBufLen); }
    BOOL QueryOption(DWORD dwOption, DWORD& dwValue) const;
    BOOL QueryOption(DWORD dwOption, CString& refString) const;

protected:
    HINTERNET m_hConnection;
    DWORD_PTR m_dwContext;
    CInternetSession* m_pSession;
    CString m_strServerName;
    INTERNET_PORT m_nPort;
};

class CHttpConnection : public CInternetConnection
{
    DECLARE_DYNAMIC(CHttpConnection)
public:
    enum {
        _HTTP_VERB_MIN = 0,
        HTTP_VERB_POST = 0,
        HTTP_VERB_GET = 1,
        HTTP_VERB_HEAD = 2,
        HTTP_VERB_PUT = 3,
        HTTP_VERB_LINK = 4,
        HTTP_VERB_DELETE = 5,
        HTTP_VERB_UNLINK = 6,
        _HTTP_VERB_MAX = 6
    };

    // Each connects through InternetConnect and throws CInternetException.
    CHttpConnection(CInternetSession* pSession, HINTERNET hConnected, LPCTSTR pstrServer,
                    DWORD_PTR dwContext);
    CHttpConnection(CInternetSession* pSession, LPCTSTR pstrServer,
                    INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER, LPCTSTR pstrUserName = NULL,
                    LPCTSTR pstrPassword = NULL, DWORD_PTR dwContext = 1);
    CHttpConnection(CInternetSession* pSession, LPCTSTR pstrServer, DWORD dwFlags,
                    INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER, LPCTSTR pstrUserName = NULL,
                    LPCTSTR pstrPassword = NULL, DWORD_PTR dwContext = 1);

    // The request is not sent until CHttpFile::SendRequest. Throws.
    CHttpFile* OpenRequest(LPCTSTR pstrVerb, LPCTSTR pstrObjectName, LPCTSTR pstrReferer = NULL,
                           DWORD_PTR dwContext = 1, LPCTSTR* ppstrAcceptTypes = NULL,
                           LPCTSTR pstrVersion = NULL, DWORD dwFlags = INTERNET_FLAG_EXISTING_CONNECT);
    CHttpFile* OpenRequest(int nVerb, LPCTSTR pstrObjectName, LPCTSTR pstrReferer = NULL,
                           DWORD_PTR dwContext = 1, LPCTSTR* ppstrAcceptTypes = NULL,
                           LPCTSTR pstrVersion = NULL, DWORD dwFlags = INTERNET_FLAG_EXISTING_CONNECT);

    static const LPCTSTR szHtmlVerbs[];

protected:
    void Connect(LPCTSTR pstrUserName, LPCTSTR pstrPassword);
    DWORD m_dwFlags;   // INTERNET_FLAG_SECURE is added to every request
};

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------
class CInternetFile : public CStdioFile
{
    DECLARE_DYNAMIC(CInternetFile)
public:
    CInternetFile(HINTERNET hFile, LPCTSTR pstrFileName, CInternetConnection* pConnection,
                  BOOL bReadMode);
    CInternetFile(HINTERNET hFile, HINTERNET hSession, LPCTSTR pstrFileName, LPCTSTR pstrServer,
                  DWORD_PTR dwContext, BOOL bReadMode);
    virtual ~CInternetFile();

    operator HINTERNET() const { return m_hFile; }
    DWORD_PTR GetContext() const { return m_dwContext; }
    virtual CString GetFileURL() const;

    // A read buffer makes ReadString cheap; Read takes what the buffer holds
    // first. A write buffer collects Write calls until Flush or Close.
    BOOL SetReadBufferSize(UINT nReadSize);
    BOOL SetWriteBufferSize(UINT nWriteSize);

    BOOL SetOption(DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength, DWORD dwFlags = 0);
    BOOL SetOption(DWORD dwOption, DWORD dwValue, DWORD dwFlags = 0);
    BOOL QueryOption(DWORD dwOption, LPVOID lpBuffer, LPDWORD lpdwBufLen) const { return InternetQueryOptionA(m_hFile, dwOption, lpBuffer, lpdwBufLen); }
    BOOL QueryOption(DWORD dwOption, DWORD& dwValue) const;
    BOOL QueryOption(DWORD dwOption, CString& refString) const;

    // Read fills the whole buffer unless the data ends: a short count means
    // the end. Throws CInternetException.
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOffset, UINT nFrom) override;
    // The number of bytes that can be read now without waiting.
    ULONGLONG GetLength() const override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    void SetLength(ULONGLONG) override { AfxThrowNotSupportedException(); }
    void Flush() override;
    void Close() override;
    void Abort() override;
    BOOL ReadString(CString& rString) override;          // drops "\n" and a "\r" before it
    LPTSTR ReadString(LPTSTR pstr, UINT nMax) override;  // keeps the "\n"
    void WriteString(LPCTSTR pstr) override;
    void LockRange(ULONGLONG, ULONGLONG) override { AfxThrowNotSupportedException(); }
    void UnlockRange(ULONGLONG, ULONGLONG) override { AfxThrowNotSupportedException(); }
    CFile* Duplicate() const override { AfxThrowNotSupportedException(); }

protected:
    UINT ReadRaw(void* lpBuf, UINT nCount);   // straight from WinINet, loops to fill
    BOOL FillReadBuffer();
    void FlushWriteBuffer();

    HINTERNET m_hFile;
    BOOL m_bReadMode;
    DWORD_PTR m_dwContext;
    HINTERNET m_hConnection;
    CString m_strServerName;
    ULONGLONG m_nPosition;

    UINT m_nReadBufferSize;
    UINT m_nReadBufferPos;
    UINT m_nReadBufferBytes;
    LPBYTE m_pbReadBuffer;
    UINT m_nWriteBufferSize;
    UINT m_nWriteBufferPos;
    LPBYTE m_pbWriteBuffer;
};

class CHttpFile : public CInternetFile
{
    DECLARE_DYNAMIC(CHttpFile)
public:
    CHttpFile(HINTERNET hFile, HINTERNET hSession, LPCTSTR pstrObject, LPCTSTR pstrServer,
              LPCTSTR pstrVerb, DWORD_PTR dwContext);
    CHttpFile(HINTERNET hFile, LPCTSTR pstrVerb, LPCTSTR pstrObject, CHttpConnection* pConnection);

    BOOL AddRequestHeaders(LPCTSTR pstrHeaders, DWORD dwFlags = HTTP_ADDREQ_FLAG_ADD_IF_NEW,
                           int dwHeadersLen = -1) { return HttpAddRequestHeadersA(m_hFile, pstrHeaders, (DWORD)dwHeadersLen, dwFlags); }
    BOOL AddRequestHeaders(CString& str, DWORD dwFlags = HTTP_ADDREQ_FLAG_ADD_IF_NEW) { return HttpAddRequestHeadersA(m_hFile, str, (DWORD)str.GetLength(), dwFlags); }

    // Send the request and read the response head. Throw CInternetException.
    BOOL SendRequest(LPCTSTR pstrHeaders = NULL, DWORD dwHeadersLen = 0, LPVOID lpOptional = NULL,
                     DWORD dwOptionalLen = 0);
    BOOL SendRequest(CString& strHeaders, LPVOID lpOptional = NULL, DWORD dwOptionalLen = 0);
    // A request whose body is then written with Write, ended by EndRequest.
    BOOL SendRequestEx(DWORD dwTotalLen, DWORD dwFlags = HSR_INITIATE, DWORD_PTR dwContext = 1);
    BOOL SendRequestEx(LPINTERNET_BUFFERS lpBuffIn, LPINTERNET_BUFFERS lpBuffOut,
                       DWORD dwFlags = HSR_INITIATE, DWORD_PTR dwContext = 1);
    BOOL EndRequest(DWORD dwFlags = 0, LPINTERNET_BUFFERS lpBuffIn = NULL, DWORD_PTR dwContext = 1);

    BOOL QueryInfo(DWORD dwInfoLevel, LPVOID lpvBuffer, LPDWORD lpdwBufferLength,
                   LPDWORD lpdwIndex = NULL) const { return HttpQueryInfoA(m_hFile, dwInfoLevel, lpvBuffer, lpdwBufferLength, lpdwIndex); }
    BOOL QueryInfo(DWORD dwInfoLevel, CString& str, LPDWORD lpdwIndex = NULL) const;
    BOOL QueryInfo(DWORD dwInfoLevel, SYSTEMTIME* pSysTime, LPDWORD lpdwIndex = NULL) const;
    BOOL QueryInfo(DWORD dwInfoLevel, DWORD& dwResult, LPDWORD lpdwIndex = NULL) const;
    BOOL QueryInfoStatusCode(DWORD& dwStatusCode) const { return QueryInfo(HTTP_QUERY_STATUS_CODE, dwStatusCode); }

    CString GetVerb() const { return m_strVerb; }
    CString GetObject() const { return m_strObject; }
    CString GetFileURL() const override;   // the URL WinINet requests

protected:
    friend class CHttpConnection;   // sets the request's own context
    CString m_strObject;
    CString m_strVerb;
};

#endif // PELLUCOR_AFXINET_H
