#include "OXConvertedFile.h"

#include <string.h>

#include <vector>

IMPLEMENT_DYNAMIC(COXWatchBuffer, CObject)
IMPLEMENT_DYNAMIC(COXConvertedFile, CFile)

// ---------------------------------------------------------------------------
// COXWatchBuffer
// ---------------------------------------------------------------------------
void COXWatchBuffer::Create(int nSize)
{
    Free();
    if (nSize <= 0)
        return;
    m_pData = new BYTE[nSize]();
    m_pWritten = new BYTE[nSize]();
    m_nSize = nSize;
}

void COXWatchBuffer::Free()
{
    delete[] m_pData;
    delete[] m_pWritten;
    m_pData = m_pWritten = NULL;
    m_nSize = 0;
}

void COXWatchBuffer::Write(int nOffset, const void* pSource, int nCount)
{
    memcpy(m_pData + nOffset, pSource, nCount);
    memset(m_pWritten + nOffset, 1, nCount);
}

void COXWatchBuffer::SetAllFlags(BYTE bValue)
{
    if (m_nSize > 0)
        memset(m_pWritten, bValue ? 1 : 0, m_nSize);
}

void COXWatchBuffer::Clear(int nOffset, int nCount)
{
    if (nOffset < 0 || nOffset >= m_nSize)
        return;
    if (nCount < 0 || nCount > m_nSize - nOffset)
        nCount = m_nSize - nOffset;
    memset(m_pData + nOffset, 0, nCount);
    memset(m_pWritten + nOffset, 0, nCount);
}

int COXWatchBuffer::FirstWritten() const
{
    const void* p = m_nSize > 0 ? memchr(m_pWritten, 1, m_nSize) : NULL;
    return p ? (int)((const BYTE*)p - m_pWritten) : -1;
}

int COXWatchBuffer::FirstUnwritten() const
{
    const void* p = m_nSize > 0 ? memchr(m_pWritten, 0, m_nSize) : NULL;
    return p ? (int)((const BYTE*)p - m_pWritten) : -1;
}

// ---------------------------------------------------------------------------
// COXConvertedFile
// ---------------------------------------------------------------------------
COXConvertedFile::COXConvertedFile(UINT nBlockSize, BOOL bConvert)
    : m_bConvert(bConvert), m_nBlockSize(nBlockSize ? nBlockSize : 1), m_pBlock(NULL),
      m_nBlockPos(0), m_nBlockStart(0), m_bBlockLoaded(FALSE), m_bCanRead(FALSE),
      m_bCanWrite(FALSE), m_pFile(NULL), m_nBlockFill(0)
{
    m_pBlock = new BYTE[m_nBlockSize]();
    m_watchBuffer.Create((int)m_nBlockSize);
}

COXConvertedFile::~COXConvertedFile()
{
    delete[] m_pBlock;
}

void COXConvertedFile::ClearState()
{
    m_watchBuffer.Clear();
    m_nBlockPos = m_nBlockStart = m_nBlockFill = 0;
    m_bBlockLoaded = FALSE;
}

void COXConvertedFile::BaseSeek(ULONGLONG nPos)
{
    if (m_pFile)
        m_pFile->Seek((LONGLONG)nPos, CFile::begin);
    else
        CFile::Seek((LONGLONG)nPos, CFile::begin);
}

UINT COXConvertedFile::BaseRead(void* p, UINT n)
{
    return m_pFile ? m_pFile->Read(p, n) : CFile::Read(p, n);
}

void COXConvertedFile::BaseWrite(const void* p, UINT n)
{
    if (m_pFile)
        m_pFile->Write(p, n);
    else
        CFile::Write(p, n);
}

ULONGLONG COXConvertedFile::BaseLength() const
{
    return m_pFile ? m_pFile->GetLength() : CFile::GetLength();
}

BOOL COXConvertedFile::IsOpen() const
{
    return (m_pFile ? m_pFile->m_hFile : m_hFile) != CFile::hFileNull;
}

BOOL COXConvertedFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_bCanRead = TRUE;
    m_bCanWrite = (nOpenFlags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
    ClearState();
    return CFile::Open(lpszFileName, nOpenFlags, pError);
}

BOOL COXConvertedFile::Attach(CFile* pFile, UINT nOpenFlags)
{
    m_pFile = pFile;
    m_bCanRead = TRUE;
    m_bCanWrite = (nOpenFlags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
    ClearState();
    return TRUE;
}

void COXConvertedFile::Reset()
{
    m_bConvert = FALSE;
    m_pFile = NULL;
    m_bCanRead = m_bCanWrite = FALSE;
    ClearState();
}

void COXConvertedFile::SetFilePath(LPCSTR lpszNewName)
{
    if (lpszNewName == NULL)
        AfxThrowInvalidArgException();
    CFile::SetFilePath(lpszNewName);
}

CFile* COXConvertedFile::Duplicate() const
{
    return m_pFile ? m_pFile->Duplicate() : CFile::Duplicate();
}

ULONGLONG COXConvertedFile::GetLength() const
{
    return BaseLength();
}

ULONGLONG COXConvertedFile::GetPosition() const
{
    return (ULONGLONG)m_nBlockStart + m_nBlockPos;
}

void COXConvertedFile::FileToMemory(const BYTE* pFileBlock, BYTE* pMemoryBlock)
{
    if (m_bConvert)
        ConvertFromFile(pFileBlock, pMemoryBlock);
    else
        memcpy(pMemoryBlock, pFileBlock, m_nBlockSize);
}

void COXConvertedFile::LoadBlock()
{
    WriteBlockOut();
    if (m_nBlockPos >= m_nBlockSize) {
        m_nBlockStart += m_nBlockSize;
        m_nBlockPos = 0;
        m_watchBuffer.Clear();
    }
    BaseSeek(m_nBlockStart);
    memset(m_pBlock, 0, m_nBlockSize);
    UINT nRead = BaseRead(m_pBlock, m_nBlockSize);
    FileToMemory(m_pBlock, m_watchBuffer.GetData());
    m_nBlockFill = nRead;
    m_bBlockLoaded = nRead > 0;
}

void COXConvertedFile::WriteBlockOut()
{
    if (!m_watchBuffer.IsAnyWritten())
        return;
    if (!m_bBlockLoaded && m_watchBuffer.FirstUnwritten() != -1) {
        // Bytes of the block this object never read keep the file's values.
        std::vector<BYTE> fileBlock(m_nBlockSize), memoryBlock(m_nBlockSize);
        BaseSeek(m_nBlockStart);
        UINT nRead = m_bCanRead ? BaseRead(fileBlock.data(), m_nBlockSize) : 0;
        FileToMemory(fileBlock.data(), memoryBlock.data());
        BYTE* pData = m_watchBuffer.GetData();
        for (UINT i = 0; i < nRead; i++)
            if (!m_watchBuffer.GetFlag((int)i))
                pData[i] = memoryBlock[i];
    }
    m_watchBuffer.SetAllFlags(1);
    BaseSeek(m_nBlockStart);
    if (m_bConvert)
        ConvertToFile(m_watchBuffer.GetData(), m_pBlock);
    else
        memcpy(m_pBlock, m_watchBuffer.GetData(), m_nBlockSize);
    BaseWrite(m_pBlock, m_nBlockSize);
    m_watchBuffer.SetAllFlags(0);
    m_bBlockLoaded = TRUE;
    m_nBlockFill = m_nBlockSize;   // the whole block is in the file now
}

UINT COXConvertedFile::Read(void* lpBuf, UINT nCount)
{
    if (!m_bCanRead)
        AfxThrowFileException(CFileException::accessDenied);
    BYTE* pOut = (BYTE*)lpBuf;
    UINT nDone = 0;
    while (nDone < nCount) {
        if (!m_bBlockLoaded || m_nBlockPos >= m_nBlockSize) {
            LoadBlock();
            if (!m_bBlockLoaded)
                break;
        }
        UINT nAvailable = m_nBlockFill > m_nBlockPos ? m_nBlockFill - m_nBlockPos : 0;
        if (nAvailable == 0)
            break;   // the real end of the file, inside its last block
        UINT n = nCount - nDone < nAvailable ? nCount - nDone : nAvailable;
        memcpy(pOut + nDone, m_watchBuffer.GetData((int)m_nBlockPos), n);
        m_nBlockPos += n;
        nDone += n;
    }
    return nDone;
}

void COXConvertedFile::Write(const void* lpBuf, UINT nCount)
{
    if (!m_bCanWrite)
        AfxThrowFileException(CFileException::accessDenied);
    const BYTE* pIn = (const BYTE*)lpBuf;
    while (nCount > 0) {
        if (m_nBlockPos >= m_nBlockSize) {
            WriteBlockOut();
            m_nBlockStart += m_nBlockSize;
            m_nBlockPos = 0;
            m_nBlockFill = 0;
            m_watchBuffer.Clear();
            m_bBlockLoaded = FALSE;
        }
        UINT n = m_nBlockSize - m_nBlockPos;
        if (n > nCount)
            n = nCount;
        m_watchBuffer.Write((int)m_nBlockPos, pIn, (int)n);
        m_nBlockPos += n;
        if (m_nBlockFill < m_nBlockPos)
            m_nBlockFill = m_nBlockPos;
        pIn += n;
        nCount -= n;
        if (nCount > 0)
            WriteBlockOut();
    }
}

ULONGLONG COXConvertedFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG target;
    switch (nFrom) {
    case CFile::begin: target = lOff; break;
    case CFile::current: target = (LONGLONG)GetPosition() + lOff; break;
    case CFile::end: target = (LONGLONG)BaseLength() + lOff; break;
    default: target = 0; break;
    }
    if (target < 0)
        AfxThrowFileException(CFileException::badSeek);
    UINT nStart = (UINT)(target - target % m_nBlockSize);
    if (nStart != m_nBlockStart) {
        Flush();
        m_bBlockLoaded = FALSE;
        m_nBlockFill = 0;
        m_watchBuffer.Clear();
    }
    m_nBlockStart = nStart;
    m_nBlockPos = (UINT)(target - nStart);
    BaseSeek(m_nBlockStart);
    return GetPosition();
}

void COXConvertedFile::Flush()
{
    if (!m_bCanWrite)
        return;
    WriteBlockOut();
    if (m_pFile)
        m_pFile->Flush();
    else
        CFile::Flush();
    m_bBlockLoaded = FALSE;
}

void COXConvertedFile::Close()
{
    if (IsOpen())
        Flush();
    if (m_pFile == NULL && m_hFile != CFile::hFileNull)
        CFile::Close();
    m_bCanRead = m_bCanWrite = FALSE;
    ClearState();
}

void COXConvertedFile::Abort()
{
    if (m_pFile)
        m_pFile->Abort();
    else
        CFile::Abort();
    m_bCanRead = m_bCanWrite = FALSE;
    ClearState();
}

void COXConvertedFile::SetLength(ULONGLONG dwNewLen)
{
    ULONGLONG n = (dwNewLen + m_nBlockSize - 1) / m_nBlockSize * m_nBlockSize;
    if (m_pFile)
        m_pFile->SetLength(n);
    else
        CFile::SetLength(n);
}

void COXConvertedFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    ULONGLONG nPos = dwPos / m_nBlockSize * m_nBlockSize;
    ULONGLONG nCount = (dwCount + m_nBlockSize - 1) / m_nBlockSize * m_nBlockSize;
    if (m_pFile)
        m_pFile->LockRange(nPos, nCount);
    else
        CFile::LockRange(nPos, nCount);
}

void COXConvertedFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    ULONGLONG nPos = dwPos / m_nBlockSize * m_nBlockSize;
    ULONGLONG nCount = (dwCount + m_nBlockSize - 1) / m_nBlockSize * m_nBlockSize;
    if (m_pFile)
        m_pFile->UnlockRange(nPos, nCount);
    else
        CFile::UnlockRange(nPos, nCount);
}

BOOL COXConvertedFile::SetConvert(BOOL bConvert)
{
    if ((bConvert != FALSE) == (m_bConvert != FALSE))
        return TRUE;
    if (InsideBlock())
        return FALSE;
    Flush();
    m_bConvert = bConvert;
    return TRUE;
}

UINT COXConvertedFile::PadAndSetConvert(BOOL bConvert)
{
    UINT nMoved = 0;
    if (IsOpen() && InsideBlock()) {
        UINT nRest = m_nBlockSize - m_nBlockPos;
        std::vector<BYTE> pad(nRest);
        if (m_bCanWrite)
            Write(pad.data(), nRest);
        else
            Read(pad.data(), nRest);
        nMoved = nRest;
    }
    SetConvert(bConvert);
    return nMoved;
}

LPSTR COXConvertedFile::ReadString(LPSTR lpsz, UINT nCount)
{
    if (lpsz == NULL || nCount == 0)
        return NULL;
    UINT n = 0;
    BOOL bLineEnded = FALSE;
    while (n + 1 < nCount) {
        BYTE c;
        if (Read(&c, 1) != 1) {
            bLineEnded = TRUE;
            break;
        }
        if (c == 26) {   // end-of-file mark: left for the next reader
            Seek(-1, CFile::current);
            bLineEnded = TRUE;
            break;
        }
        if (c == '\n') {
            if (n > 0 && lpsz[n - 1] == '\r')
                lpsz[n - 1] = '\n';
            else
                lpsz[n++] = '\n';
            bLineEnded = TRUE;
            break;
        }
        lpsz[n++] = (char)c;
    }
    // A carriage return cut from its line feed by the buffer's end.
    if (!bLineEnded && n > 0 && lpsz[n - 1] == '\r') {
        BYTE c;
        if (Read(&c, 1) == 1) {
            if (c == '\n')
                lpsz[n - 1] = '\n';
            else
                Seek(-1, CFile::current);
        }
    }
    lpsz[n] = '\0';
    return n > 0 ? lpsz : NULL;
}

LPWSTR COXConvertedFile::ReadString(LPWSTR lpsz, UINT nCount)
{
    if (lpsz == NULL || nCount == 0)
        return NULL;
    std::vector<char> line(nCount);
    if (ReadString(line.data(), nCount) == NULL) {
        lpsz[0] = L'\0';
        return NULL;
    }
    if (::MultiByteToWideChar(CP_ACP, 0, line.data(), -1, lpsz, (int)nCount) == 0) {
        lpsz[0] = L'\0';
        return NULL;
    }
    return lpsz;
}

void COXConvertedFile::WriteString(LPCSTR lpsz)
{
    if (lpsz == NULL)
        return;
    const char* p = lpsz;
    while (*p) {
        const char* lf = strchr(p, '\n');
        if (lf == NULL) {
            Write(p, (UINT)strlen(p));
            break;
        }
        if (lf > p)
            Write(p, (UINT)(lf - p));
        Write("\r\n", 2);
        p = lf + 1;
    }
}

void COXConvertedFile::WriteString(LPCWSTR lpsz)
{
    if (lpsz == NULL)
        return;
    int n = ::WideCharToMultiByte(CP_ACP, 0, lpsz, -1, NULL, 0, NULL, NULL);
    if (n <= 0)
        AfxThrowFileException(CFileException::invalidFile);
    std::vector<char> text(n);
    if (::WideCharToMultiByte(CP_ACP, 0, lpsz, -1, text.data(), n, NULL, NULL) != n)
        AfxThrowFileException(CFileException::invalidFile);
    WriteString(text.data());
}
