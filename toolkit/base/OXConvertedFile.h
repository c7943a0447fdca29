// COXConvertedFile: a file read and written in fixed-size blocks, each passed
// through a pair of conversions a derived class supplies (file form to memory
// form and back), on its own handle or on top of another CFile; with CR LF
// text lines. COXWatchBuffer is its block buffer: the bytes and, for each, a
// flag saying it was written since the block was loaded, so that a partly
// written block can be merged with the file's bytes before it goes back.
#pragma once

#include <afx.h>

class COXWatchBuffer : public CObject
{
    DECLARE_DYNAMIC(COXWatchBuffer)
public:
    COXWatchBuffer() : m_pData(NULL), m_pWritten(NULL), m_nSize(0) {}
    virtual ~COXWatchBuffer() { Free(); }

    void Create(int nSize);
    void Free();
    int GetSize() const { return m_nSize; }
    BYTE* GetData(int nOffset = 0) const { return m_pData + nOffset; }
    void Write(int nOffset, const void* pSource, int nCount);
    void SetAllFlags(BYTE bValue);
    void Clear(int nOffset = 0, int nCount = -1);
    BOOL IsAnyWritten() const { return FirstWritten() != -1; }
    int FirstWritten() const;
    int FirstUnwritten() const;
    BYTE GetFlag(int nIndex) const { return m_pWritten[nIndex]; }
    void SetFlag(int nIndex, BYTE bValue) { m_pWritten[nIndex] = bValue ? 1 : 0; }

protected:
    BYTE* m_pData;
    BYTE* m_pWritten;
    int m_nSize;
};

class COXConvertedFile : public CFile
{
    DECLARE_DYNAMIC(COXConvertedFile)
public:
    COXConvertedFile(UINT nBlockSize, BOOL bConvert);
    virtual ~COXConvertedFile();

    ULONGLONG GetPosition() const override;
    void SetFilePath(LPCSTR lpszNewName) override;
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
    CFile* Duplicate() const override;
    ULONGLONG GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Abort() override;
    void Flush() override;
    void Close() override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;

    virtual BOOL IsOpen() const;
    // Convert one whole block (m_nBlockSize bytes) between the two forms.
    virtual void ConvertFromFile(const BYTE* pFileBlock, BYTE* pMemoryBlock) = 0;
    virtual void ConvertToFile(const BYTE* pMemoryBlock, BYTE* pFileBlock) = 0;
    // A line of at most nCount - 1 characters, CR LF read as one line feed.
    virtual LPWSTR ReadString(LPWSTR lpsz, UINT nCount);
    virtual LPSTR ReadString(LPSTR lpsz, UINT nCount);
    virtual void WriteString(LPCWSTR lpsz);
    virtual void WriteString(LPCSTR lpsz);

    BOOL Attach(CFile* pFile, UINT nOpenFlags);
    void Reset();
    BOOL SetConvert(BOOL bConvert);
    UINT PadAndSetConvert(BOOL bConvert);
    BOOL GetConvert() const { return m_bConvert; }

protected:
    void LoadBlock();
    void WriteBlockOut();
    void FileToMemory(const BYTE* pFileBlock, BYTE* pMemoryBlock);
    void ClearState();
    BOOL InsideBlock() const { return m_nBlockPos != 0 && m_nBlockPos != m_nBlockSize; }

    // The file worked on: the attached one, or this object's own handle.
    void BaseSeek(ULONGLONG nPos);
    UINT BaseRead(void* p, UINT n);
    void BaseWrite(const void* p, UINT n);
    ULONGLONG BaseLength() const;

    BOOL m_bConvert;
    UINT m_nBlockSize;
    BYTE* m_pBlock;
    COXWatchBuffer m_watchBuffer;
    UINT m_nBlockPos;
    UINT m_nBlockStart;
    BOOL m_bBlockLoaded;
    BOOL m_bCanRead;
    BOOL m_bCanWrite;
    CFile* m_pFile;
    // Bytes of the current block that hold data: those the file had and
    // those written since. Reading stops there, so that a file whose length
    // is not a whole number of blocks gives no padding as data.
    UINT m_nBlockFill;
};
