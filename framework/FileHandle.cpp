// FileHandle.cpp - the framework's file class.
#include "FileHandle.h"

#include <stdlib.h>
#include <string.h>
#include <time.h>

// Multipliers of the scrambling keys; a scrambled file reads back only with
// the same sequence of typed operations from the same starting position.
static const UINT32 s_nByteKeyMultiplier = 0x2F5D3B1u;
static const UINT32 s_nIntKeyMultiplier = 0x6C8E9CF5u;

static const BYTE byStringTag = 0x73;   // 's'
static const BYTE byDateTag = 0x74;     // 't'
static const INT32 nMaxTaggedString = 10000;

CFileHandle::CFileHandle(LPCSTR pszPath)
    : m_bScramble(false), m_nSize(0), m_nPosition(0), m_hFile(INVALID_HANDLE_VALUE), m_sPath(pszPath)
{
    if (m_sPath.IsEmpty())
        throw CString("Empty file path");
}

CFileHandle::~CFileHandle()
{
    if (IsOpen())
        CloseHandle(m_hFile);
}

bool CFileHandle::CanOpen() const
{
    HANDLE h = CreateFileA(m_sPath, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

void CFileHandle::Close()
{
    if (!IsOpen())
        throw CString("Attempt to close closed file");
    CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

// ---------------------------------------------------------------------------
// Opening
// ---------------------------------------------------------------------------

void CFileHandle::ThrowIfBusy() const
{
    if (IsOpen())
        throw CString("Attempt to open busy file ") + m_sPath;
}

void CFileHandle::OpenHandle(DWORD dwAccess, DWORD dwShare, DWORD dwCreation, LPCSTR pszFailure)
{
    ThrowIfBusy();
    HANDLE h = CreateFileA(m_sPath, dwAccess, dwShare, NULL, dwCreation, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        throw CString(pszFailure) + m_sPath;
    m_hFile = h;
}

void CFileHandle::OpenForRead()
{
    OpenHandle(GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, "Can't open file ");
    m_nSize = (INT32)::GetFileSize(m_hFile, NULL);
}

void CFileHandle::OpenForWrite()
{
    OpenHandle(GENERIC_WRITE, 0, CREATE_ALWAYS, "Can't open file ");
}

HANDLE CFileHandle::OpenForUpdate()
{
    OpenHandle(GENERIC_WRITE, 0, OPEN_ALWAYS, "Can't open file ");
    return m_hFile;
}

void CFileHandle::CreateNew()
{
    OpenHandle(GENERIC_WRITE, 0, CREATE_NEW, "Can't create file ");
}

void CFileHandle::OpenForAppend()
{
    OpenHandle(GENERIC_WRITE, 0, OPEN_ALWAYS, "Can't open file ");
    m_nPosition = (INT32)SetFilePointer(m_hFile, 0, NULL, FILE_END);
}

// ---------------------------------------------------------------------------
// Scrambling: the key comes from the position counter, which each typed
// operation advances before it takes the key.
// ---------------------------------------------------------------------------

BYTE CFileHandle::ScrambleByte(BYTE by) const
{
    INT32 k = (INT32)((UINT32)m_nPosition * s_nByteKeyMultiplier);
    return (BYTE)(by ^ (BYTE)(k + (k >> 8)));
}

INT32 CFileHandle::ScrambleInt(INT32 n) const
{
    return (INT32)((UINT32)n ^ ((UINT32)m_nPosition * s_nIntKeyMultiplier));
}

// ---------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------

void CFileHandle::WriteRaw(const void* pBytes, DWORD nCount)
{
    DWORD nWritten = 0;
    if (!WriteFile(m_hFile, pBytes, nCount, &nWritten, NULL) || nWritten != nCount)
        throw CString("Error writing to file");
}

void CFileHandle::WriteByte(BYTE by)
{
    if (!IsOpen())
        throw CString("Attemt to write closed file");
    m_nPosition += 1;
    if (m_bScramble)
        by = ScrambleByte(by);
    WriteRaw(&by, 1);
}

void CFileHandle::WriteInt(INT32 n)
{
    if (!IsOpen())
        throw CString("Attemt to write closed file");
    m_nPosition += 4;
    if (m_bScramble)
        n = ScrambleInt(n);
    BYTE bytes[4] = {(BYTE)n, (BYTE)(n >> 8), (BYTE)(n >> 16), (BYTE)(n >> 24)};
    WriteRaw(bytes, 4);
}

void CFileHandle::WriteString(LPCSTR psz)
{
    if (!IsOpen())
        throw CString("Attemt to write closed file");
    DWORD nLength = (DWORD)CString::StringLength(psz);
    if (m_bScramble) {
        for (DWORD i = 0; i < nLength; i++)
            WriteByte((BYTE)psz[i]);
        return;
    }
    // Unscrambled, the bytes and the counter come out as byte-by-byte writes
    // would give them, in one call.
    WriteRaw(psz, nLength);
    m_nPosition += (INT32)nLength;
}

void CFileHandle::WriteTaggedString(LPCSTR psz)
{
    WriteByte(byStringTag);
    WriteInt(CString::StringLength(psz));
    WriteString(psz);
}

void CFileHandle::WriteDate(__time64_t tTime)
{
    struct tm local;
    int nValue = 0;
    if (_localtime64_s(&local, &tTime) == 0)
        nValue = (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
    WriteByte(byDateTag);
    WriteInt(nValue);
}

BOOL CFileHandle::WriteBuffer(const void* pBytes, DWORD nCount)
{
    if (!IsOpen())
        throw CString("Attempt to write closed file");
    DWORD nWritten = 0;
    if (!WriteFile(m_hFile, pBytes, nCount, &nWritten, NULL))
        throw CString("Error writing to file");
    return TRUE;
}

// ---------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------

void CFileHandle::ReadRaw(void* pBytes, DWORD nCount)
{
    DWORD nRead = 0;
    if (!ReadFile(m_hFile, pBytes, nCount, &nRead, NULL) || nRead != nCount)
        throw CString("Error reading from file");
}

BYTE CFileHandle::ReadByte()
{
    if (!IsOpen())
        throw CString("Attemt to read closed file");
    BYTE by = 0;
    ReadRaw(&by, 1);
    m_nPosition += 1;
    return m_bScramble ? ScrambleByte(by) : by;
}

INT32 CFileHandle::ReadInt()
{
    if (!IsOpen())
        throw CString("Attemt to read closed file");
    BYTE bytes[4];
    ReadRaw(bytes, 4);
    m_nPosition += 4;
    INT32 n = (INT32)((UINT32)bytes[0] | ((UINT32)bytes[1] << 8) | ((UINT32)bytes[2] << 16) |
                      ((UINT32)bytes[3] << 24));
    return m_bScramble ? ScrambleInt(n) : n;
}

CString CFileHandle::ReadTaggedString()
{
    if (ReadByte() != byStringTag)
        throw CString("File corrupted or unsupported format");
    INT32 nLength = ReadInt();
    if (nLength < 0 || nLength > nMaxTaggedString)
        throw CString("File corrupted or unsupported format");
    CString s;
    char* p = s.GetBuffer(nLength);
    for (INT32 i = 0; i < nLength; i++)
        p[i] = (char)ReadByte();
    s.ReleaseBuffer(nLength);
    return s;
}

__time64_t CFileHandle::ReadDate()
{
    if (ReadByte() != byDateTag)
        throw CString("Invalid file format: ") + m_sPath;
    INT32 nValue = ReadInt();
    int nYear = nValue / 10000, nMonth = (nValue / 100) % 100, nDay = nValue % 100;
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31)
        AfxThrowOleException(E_FAIL);
    struct tm local = {};
    local.tm_year = nYear - 1900;
    local.tm_mon = nMonth - 1;
    local.tm_mday = nDay;
    local.tm_isdst = -1;
    __time64_t t = _mktime64(&local);
    // A day the month does not have (30 February) would roll over.
    if (t == -1 || local.tm_mday != nDay || local.tm_mon != nMonth - 1)
        AfxThrowOleException(E_INVALIDARG);
    return t;
}

DWORD CFileHandle::ReadBuffer(void* pBuffer, DWORD nCount)
{
    if (!IsOpen())
        throw CString("Attemt to read closed file");
    if (m_bScramble) {
        BYTE* p = (BYTE*)pBuffer;
        for (DWORD i = 0; i < nCount; i++)
            p[i] = ReadByte();
        return nCount;
    }
    DWORD nRead = 0;
    if (!ReadFile(m_hFile, pBuffer, nCount, &nRead, NULL))
        throw CString("Error reading from file");
    return nRead;
}

// ---------------------------------------------------------------------------
// Positioning and size
// ---------------------------------------------------------------------------

LONG CFileHandle::SeekFrom(LONG nOffset, bool bFromEnd)
{
    if (!IsOpen())
        throw CString("Attempt to seek closed file ") + m_sPath;
    DWORD dwPos = SetFilePointer(m_hFile, nOffset, NULL, bFromEnd ? FILE_END : FILE_BEGIN);
    if (dwPos == INVALID_SET_FILE_POINTER)
        throw CString("Error seeking file ") + m_sPath;
    m_nPosition = (INT32)dwPos;
    return (LONG)dwPos;
}

void CFileHandle::Seek(LONG nOffset)
{
    SeekFrom(nOffset, false);
}

LONG CFileHandle::SeekToEnd()
{
    return SeekFrom(0, true);
}

INT32 CFileHandle::GetSize() const
{
    if (!IsOpen())
        throw CString("Attempt to get size of closed file");
    return (INT32)::GetFileSize(m_hFile, NULL);
}

bool CFileHandle::IsEndOfFile() const
{
    // A closed object has nothing left to read.
    if (!IsOpen())
        return true;
    DWORD dwPos = SetFilePointer(m_hFile, 0, NULL, FILE_CURRENT);
    return dwPos == ::GetFileSize(m_hFile, NULL);
}

int CFileHandle::GetPercentDone() const
{
    if (m_nSize <= 0)
        return 0;
    return (int)((INT64)m_nPosition * 100 / m_nSize);
}

void CFileHandle::Delete()
{
    if (!DeleteFileA(m_sPath))
        throw CString("Can't delete file: ") + m_sPath;
}

// ---------------------------------------------------------------------------
// Whole file and lines
// ---------------------------------------------------------------------------

BYTE* CFileHandle::ReadAllBuffer(INT32* pnSize)
{
    Seek(0);
    DWORD nSize = ::GetFileSize(m_hFile, NULL);
    BYTE* pBuffer = (BYTE*)malloc((size_t)nSize + 1);
    if (!pBuffer)
        AfxThrowMemoryException();
    DWORD nRead = 0;
    if (!ReadFile(m_hFile, pBuffer, nSize, &nRead, NULL) || nRead < nSize) {
        free(pBuffer);
        throw CString("Error reading from file");
    }
    m_nPosition = (INT32)nSize;
    pBuffer[nSize] = 0;
    if (pnSize)
        *pnSize = (INT32)nSize;
    return pBuffer;
}

CString CFileHandle::ReadAllText()
{
    BYTE* pBuffer = ReadAllBuffer();
    CString s((LPCSTR)pBuffer);
    free(pBuffer);
    return s;
}

void CFileHandle::LoadLines()
{
    m_aLines.RemoveAll();
    CString sText = ReadAllText();
    sText.Replace("\r\n", "\n");
    int nStart = 0;
    for (;;) {
        int nFeed = sText.Find('\n', nStart);
        if (nFeed < 0)
            break;   // text after the last line feed is no line
        m_aLines.Add(sText.Mid(nStart, nFeed - nStart));
        nStart = nFeed + 1;
    }
}

CString CFileHandle::GetLine(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_aLines.GetSize())
        return CString();
    return m_aLines[nIndex];
}

char* CFileHandle::ReadLines(int nLines)
{
    DWORD nMax = nLines > 0 ? (DWORD)nLines * 1000 : 0;
    char* pBuffer = (char*)malloc((size_t)nMax + 1);
    if (!pBuffer)
        AfxThrowMemoryException();
    DWORD nRead;
    try {
        nRead = ReadBuffer(pBuffer, nMax);
    } catch (...) {
        free(pBuffer);
        throw;
    }
    DWORD nEnd = nRead;
    int nBreaks = 0;
    for (DWORD i = 0; i < nRead; i++)
        if (pBuffer[i] == '\r' || pBuffer[i] == '\n') {
            if (++nBreaks == nLines) {
                nEnd = i + 1;
                break;
            }
        }
    pBuffer[nEnd] = 0;
    // Give back what was read past the returned text.
    if (nRead > nEnd)
        SetFilePointer(m_hFile, -(LONG)(nRead - nEnd), NULL, FILE_CURRENT);
    return pBuffer;
}
