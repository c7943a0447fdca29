// TraceEvent.cpp - trace records and their line format.
#include "TraceEvent.h"
#include "framework_res.h"
#include <cstdarg>
#include <cstdio>
#include <ctime>

IMPLEMENT_DYNAMIC(TraceEvent, CObject)
IMPLEMENT_DYNAMIC(TraceComment, TraceEvent)
IMPLEMENT_DYNAMIC(TraceNote, TraceComment)
IMPLEMENT_DYNAMIC(TraceFormatComment, TraceComment)
IMPLEMENT_DYNAMIC(TraceError, TraceEvent)
IMPLEMENT_DYNAMIC(TraceFormatError, TraceError)
IMPLEMENT_DYNAMIC(TraceFormatMessage, TraceError)
IMPLEMENT_DYNAMIC(TraceData, TraceEvent)

volatile LONG TraceEvent::s_nNextSequence = 0;
CFont* TraceComment::s_pFont = NULL;
CFont* TraceError::s_pFont = NULL;
CFont* TraceData::s_pFont = NULL;

// Any thread may build an event: the counter is taken atomically, so two
// events never share a number (the first event of a run has 0).
TraceEvent::TraceEvent(int nNumber)
    : m_time(_time64(NULL)), m_nNumber(nNumber), m_dwThreadId(::GetCurrentThreadId()),
      m_nSequence((int)::InterlockedIncrement(&s_nNextSequence) - 1)
{
}

CString TraceEvent::GetText() const
{
    return CString();
}

CString TraceEvent::GetNumberText() const
{
    CString str;
    if (m_nNumber != -1)
        str.Format("%d  ", m_nNumber);
    return str;
}

CString TraceEvent::GetThreadText() const
{
    CString str;
    str.Format("%08lx ", (unsigned long)m_dwThreadId);
    return str;
}

CString TraceEvent::GetLine() const
{
    CString strLine;
    strLine.Format("%06d| ", m_nSequence);
    if (m_nNumber == -1) {
        strLine += "      ";
    } else {
        CString strNumber;
        strNumber.Format("%04d  ", m_nNumber);
        strLine += strNumber;
    }
    return strLine + GetThreadText() + GetText();
}

CString TraceFormatBounded(LPCTSTR lpszFormat, va_list args)
{
    char szText[TraceEvent::nMaxFormattedText + 1];
    // The count leaves room for the terminator; a cut result has none, so it
    // is always set here.
    int n = _vsnprintf(szText, TraceEvent::nMaxFormattedText, lpszFormat, args);
    (void)n;
    szText[TraceEvent::nMaxFormattedText] = '\0';
    return CString(szText);
}

namespace {

CString LoadFormat(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

}  // namespace

// ---------------------------------------------------------------------------

TraceComment::TraceComment(int nNumber, const CString& strText) : TraceEvent(nNumber), m_strText(strText)
{
}

TraceComment::TraceComment(int nNumber, UINT nIDText) : TraceEvent(nNumber)
{
    m_strText.LoadString(nIDText);
}

TraceFormatComment::TraceFormatComment(int nNumber, LPCTSTR lpszFormat, ...) : TraceComment(nNumber)
{
    va_list args;
    va_start(args, lpszFormat);
    m_strText = TraceFormatBounded(lpszFormat, args);
    va_end(args);
}

TraceFormatComment::TraceFormatComment(int nNumber, UINT nIDFormat, ...) : TraceComment(nNumber)
{
    CString strFormat = LoadFormat(nIDFormat);
    va_list args;
    va_start(args, nIDFormat);
    m_strText = TraceFormatBounded(strFormat, args);
    va_end(args);
}

TraceError::TraceError(int nNumber, const CString& strText) : TraceEvent(nNumber), m_strText(strText)
{
}

TraceError::TraceError(int nNumber, UINT nIDText) : TraceEvent(nNumber)
{
    m_strText.LoadString(nIDText);
}

TraceFormatError::TraceFormatError(int nNumber, LPCTSTR lpszFormat, ...) : TraceError(nNumber)
{
    va_list args;
    va_start(args, lpszFormat);
    m_strText = TraceFormatBounded(lpszFormat, args);
    va_end(args);
}

TraceFormatError::TraceFormatError(int nNumber, UINT nIDFormat, ...) : TraceError(nNumber)
{
    CString strFormat = LoadFormat(nIDFormat);
    va_list args;
    va_start(args, nIDFormat);
    m_strText = TraceFormatBounded(strFormat, args);
    va_end(args);
}

// ---------------------------------------------------------------------------

TraceFormatMessage::TraceFormatMessage(int nNumber, DWORD dwError) : TraceError(nNumber)
{
    m_strText = GetMessageText(dwError);
}

CString TraceFormatMessage::GetMessageText(DWORD dwError)
{
    LPSTR pszMessage = NULL;
    DWORD nLength = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     NULL, dwError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&pszMessage,
                                     0, NULL);
    if (nLength != 0 && pszMessage != NULL) {
        CString strText(pszMessage);
        ::LocalFree(pszMessage);
        int nCR = strText.Find('\r');
        if (nCR >= 0)
            strText = strText.Left(nCR);
        return strText;
    }
    if (pszMessage != NULL)
        ::LocalFree(pszMessage);
    return GetResourceText(dwError);
}

// Only strings marked with 0xAE in front are error texts: any other string
// that happens to share the code's id is not taken for one.
CString TraceFormatMessage::GetResourceText(DWORD dwError)
{
    const char chMark = '\xAE';
    CString strText;
    if (dwError > 0 && dwError <= 0xFFFF && strText.LoadString((UINT)dwError) && !strText.IsEmpty() &&
        strText[0] == chMark)
        return strText.Mid(1);
    CString strFormat;
    if (!strFormat.LoadString(IDS_TRACE_UNKNOWN_ERROR) || strFormat.IsEmpty())
        strFormat = "Unknown error %d (0x%08x)";
    char szText[128];
    _snprintf(szText, sizeof szText - 1, strFormat, (int)dwError, (unsigned)dwError);
    szText[sizeof szText - 1] = '\0';
    return CString(szText);
}

// ---------------------------------------------------------------------------

TraceData::TraceData(int nNumber, const void* pData, UINT nLength)
    : TraceEvent(nNumber), m_bBinary(TRUE), m_nLength(nLength), m_pData(NULL)
{
    m_pData = new BYTE[nLength ? nLength : 1];
    if (nLength != 0 && pData != NULL)
        memcpy(m_pData, pData, nLength);
    else
        m_nLength = 0;
}

TraceData::TraceData(int nNumber, const CString& strText) : TraceEvent(nNumber), m_bBinary(FALSE), m_nLength(0), m_pData(NULL)
{
    SetText(strText, strText.GetLength());
}

TraceData::TraceData(int nNumber, LPCTSTR lpszText) : TraceEvent(nNumber), m_bBinary(FALSE), m_nLength(0), m_pData(NULL)
{
    SetText(lpszText, lpszText ? (int)strlen(lpszText) : 0);
}

void TraceData::SetText(LPCTSTR lpszText, int nLength)
{
    m_nLength = (UINT)nLength;
    m_pData = new BYTE[nLength + 1];
    if (nLength > 0)
        memcpy(m_pData, lpszText, nLength);
    m_pData[nLength] = 0;
}

TraceData::~TraceData()
{
    delete[] m_pData;
}

CString TraceData::GetText() const
{
    CString str;
    if (m_bBinary) {
        char* p = str.GetBuffer((int)m_nLength * 3 + 1);
        for (UINT i = 0; i < m_nLength; i++)
            p += sprintf(p, "%02x ", (unsigned)m_pData[i]);
        *p = '\0';
        str.ReleaseBuffer();
        return str;
    }
    static const char szEscapes[] = "abtnvfr";   // codes 7 to 13
    for (UINT i = 0; i < m_nLength && m_pData[i] != 0; i++) {
        BYTE ch = m_pData[i];
        if (ch == '"' || ch == '\\') {
            str += '\\';
            str += (char)ch;
        } else if (ch >= 0x20 && ch <= 0x7E) {
            str += (char)ch;
        } else if (ch >= 7 && ch <= 13) {
            str += '\\';
            str += szEscapes[ch - 7];
        } else {
            char szHex[8];
            sprintf(szHex, "\\x%02x", (unsigned)ch);
            str += szHex;
        }
    }
    return str;
}
