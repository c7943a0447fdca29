// FileHandle.h - CFileHandle: one named file on a Win32 handle, with raw and
// typed reads and writes. Every failure is thrown as a CString (by value)
// holding a fixed English message; callers catch it and go on.
//
// Typed records (little-endian): a byte; an integer (4 bytes); a tagged string
// (0x73, the length as an integer, the bytes, no terminator); a tagged date
// (0x74, then year * 10000 + month * 100 + day of the local date).
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CFileHandle
{
public:
    explicit CFileHandle(LPCSTR pszPath);
    virtual ~CFileHandle();

    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    // Whether the path can be opened for reading with no sharing. Tried on a
    // handle of its own: an open file of this object is left as it is.
    bool CanOpen() const;
    void Close();

    void OpenForRead();
    void OpenForWrite();
    HANDLE OpenForUpdate();
    void CreateNew();
    void OpenForAppend();

    void WriteByte(BYTE by);
    void WriteInt(INT32 n);
    void WriteString(LPCSTR psz);
    void WriteTaggedString(LPCSTR psz);
    void WriteDate(__time64_t tTime);
    BOOL WriteBuffer(const void* pBytes, DWORD nCount);

    BYTE ReadByte();
    INT32 ReadInt();
    CString ReadTaggedString();
    __time64_t ReadDate();
    // The number of bytes read.
    DWORD ReadBuffer(void* pBuffer, DWORD nCount);

    void Seek(LONG nOffset);
    LONG SeekFrom(LONG nOffset, bool bFromEnd);
    LONG SeekToEnd();
    INT32 GetSize() const;
    bool IsEndOfFile() const;
    // Position as a percentage of the size taken when opened for reading; 0
    // when that size is 0.
    int GetPercentDone() const;
    void Delete();

    // The whole file, NUL-terminated, in a malloc'ed buffer the caller frees;
    // its size in *pnSize when given.
    BYTE* ReadAllBuffer(INT32* pnSize = NULL);
    CString ReadAllText();
    void LoadLines();
    CString GetLine(int nIndex) const;
    int GetLineCount() const { return (int)m_aLines.GetSize(); }
    // Up to nLines line-break characters (CR and LF each count) from the
    // current position, NUL-terminated, in a malloc'ed buffer the caller frees.
    char* ReadLines(int nLines);

    BYTE ScrambleByte(BYTE by) const;
    INT32 ScrambleInt(INT32 n) const;

    const CString& GetPath() const { return m_sPath; }

    bool m_bScramble;        // scrambles what the typed operations pass
    INT32 m_nSize;           // size when opened for reading
    INT32 m_nPosition;       // drives the scrambling and GetPercentDone

protected:
    void ThrowIfBusy() const;
    void OpenHandle(DWORD dwAccess, DWORD dwShare, DWORD dwCreation, LPCSTR pszFailure);
    void WriteRaw(const void* pBytes, DWORD nCount);
    void ReadRaw(void* pBytes, DWORD nCount);
    BYTE NextByteKey();
    INT32 NextIntKey();

    HANDLE m_hFile;
    CString m_sPath;
    CStringArray m_aLines;

private:
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
};
