// CArchive: a buffered binary stream with MFC's byte layout (little endian).
//
// Counts:  WORD when < 0xFFFF; else 0xFFFF + DWORD when < 0xFFFFFFFF;
//          else 0xFFFF 0xFFFFFFFF + 64-bit count.
// Strings: length BYTE when < 0xFF; else 0xFF + WORD when < 0xFFFE; else
//          0xFF 0xFFFF + DWORD (+ 64 bits past that); then the bytes.
//          0xFF 0xFFFE before a length marks a UTF-16 string (read only).
// Objects: 0x0000 is NULL. A class seen for the first time is 0xFFFF, the
//          schema WORD, the name length WORD and the name. Classes and
//          objects share one index space starting at 1, in the order they
//          are first written; a class already written is 0x8000|index, an
//          object already written is its index. Indexes from 0x7FFF up are
//          0x7FFF followed by a DWORD (with 0x80000000 set for classes).
#include "afx.h"
#include <stdlib.h>
#include <limits.h>
#include <unordered_map>
#include <vector>

namespace
{
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD dwBigClassTag = 0x80000000;
const DWORD nMaxMapCount = 0x3FFFFFFE;
const UINT nMaxClassName = 255;
} // namespace

struct AFX_ARCHIVE_MAPS
{
    struct Entry
    {
        void* p;        // CRuntimeClass* or CObject*
        bool bClass;
        UINT nSchema;
    };
    std::unordered_map<const void*, DWORD> storeMap;   // storing: pointer -> index
    std::vector<Entry> loadArray;                      // loading: index -> entry
    DWORD nMapCount = 1;                               // index 0 is NULL

    AFX_ARCHIVE_MAPS() { loadArray.push_back(Entry{ NULL, false, 0 }); }
    DWORD NextIndex()
    {
        if (nMapCount >= nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex);
        return nMapCount++;
    }
};

// ---------------------------------------------------------------------------
// Run-time class archive form
// ---------------------------------------------------------------------------
void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    char szClassName[nMaxClassName + 1];
    if (nLen > nMaxClassName || ar.Read(szClassName, nLen) != nLen)
        return NULL;
    szClassName[nLen] = '\0';
    if (pwSchemaNum != NULL)
        *pwSchemaNum = wSchema;
    return FromName(szClassName);
}

// ---------------------------------------------------------------------------
// Construction and buffering
// ---------------------------------------------------------------------------
CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_nObjectSchema((UINT)-1), m_nMode(nMode), m_pFile(pFile),
      m_nBufSize(nBufSize < 128 ? 128 : nBufSize), m_bUserBuf(lpBuf != NULL), m_pMaps(NULL)
{
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    m_strFileName = pFile->GetFilePath();
    m_lpBufStart = m_bUserBuf ? (BYTE*)lpBuf : (BYTE*)malloc((size_t)m_nBufSize);
    if (m_lpBufStart == NULL)
        AfxThrowMemoryException();
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    if (!m_bUserBuf)
        free(m_lpBufStart);
    delete m_pMaps;
}

// Storing: writes out what is buffered. Loading: gives back to the file
// what was read ahead, so the file's position is the archive's.
void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsStoring())
    {
        if (m_lpBufCur != m_lpBufStart)
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
        m_lpBufCur = m_lpBufStart;
    }
    else
    {
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    WriteRaw(lpBuf, nMax);
}

CArchive& CArchive::WriteRaw(const void* p, UINT n)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    const BYTE* pSrc = (const BYTE*)p;
    while (n > 0)
    {
        UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nRoom == 0)
        {
            Flush();
            // a block larger than the buffer goes straight to the file
            if (n >= (UINT)m_nBufSize)
            {
                m_pFile->Write(pSrc, n);
                return *this;
            }
            continue;
        }
        UINT nCopy = n < nRoom ? n : nRoom;
        memcpy(m_lpBufCur, pSrc, nCopy);
        m_lpBufCur += nCopy;
        pSrc += nCopy;
        n -= nCopy;
    }
    return *this;
}

void CArchive::FillBuffer(UINT)
{
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + m_pFile->Read(m_lpBufStart, (UINT)m_nBufSize);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    BYTE* pDst = (BYTE*)lpBuf;
    UINT nDone = 0;
    while (nDone < nMax)
    {
        UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nAvail == 0)
        {
            UINT nLeft = nMax - nDone;
            if (nLeft >= (UINT)m_nBufSize)
            {
                UINT nGot = m_pFile->Read(pDst + nDone, nLeft);
                nDone += nGot;
                if (nGot < nLeft)
                    break;
                continue;
            }
            FillBuffer(nLeft);
            nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
            if (nAvail == 0)
                break;
        }
        UINT nCopy = (nMax - nDone) < nAvail ? (nMax - nDone) : nAvail;
        memcpy(pDst + nDone, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        nDone += nCopy;
    }
    return nDone;
}

CArchive& CArchive::ReadRaw(void* p, UINT n)
{
    if (Read(p, n) != n)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    return *this;
}

// ---------------------------------------------------------------------------
// Counts and strings
// ---------------------------------------------------------------------------
void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << (WORD)dwCount;
        return;
    }
    *this << (WORD)0xFFFF;
    if ((ULONGLONG)dwCount < 0xFFFFFFFF)
    {
        *this << (DWORD)dwCount;
        return;
    }
    *this << (DWORD)0xFFFFFFFF;
    *this << (ULONGLONG)dwCount;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    if (qwCount > (ULONGLONG)(DWORD_PTR)-1)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    return (DWORD_PTR)qwCount;
}

namespace
{
void WriteStringLength(CArchive& ar, ULONGLONG nLength)
{
    if (nLength < 0xFF)
    {
        ar << (BYTE)nLength;
        return;
    }
    ar << (BYTE)0xFF;
    if (nLength < 0xFFFE)
    {
        ar << (WORD)nLength;
        return;
    }
    ar << (WORD)0xFFFF;
    if (nLength < 0xFFFFFFFF)
    {
        ar << (DWORD)nLength;
        return;
    }
    ar << (DWORD)0xFFFFFFFF << nLength;
}

ULONGLONG ReadStringLength(CArchive& ar, int& nCharSize)
{
    nCharSize = 1;
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE)
    {
        nCharSize = 2;
        ar >> bLength;
        if (bLength < 0xFF)
            return bLength;
        ar >> wLength;
    }
    if (wLength < 0xFFFF)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength < 0xFFFFFFFF)
        return dwLength;
    ULONGLONG qwLength;
    ar >> qwLength;
    return qwLength;
}
} // namespace

CArchive& CArchive::operator<<(const CString& str)
{
    WriteStringLength(*this, (ULONGLONG)str.GetLength());
    return WriteRaw(str.GetString(), (UINT)str.GetLength());
}

CArchive& CArchive::operator<<(LPCSTR lpsz)
{
    size_t n = lpsz ? strlen(lpsz) : 0;
    WriteStringLength(*this, n);
    return WriteRaw(lpsz, (UINT)n);
}

// A length read from a damaged archive can be huge: the characters are read
// in pieces, so such an archive ends in endOfFile, not in a vast allocation.
CArchive& CArchive::operator>>(CString& str)
{
    int nCharSize;
    ULONGLONG nLength = ReadStringLength(*this, nCharSize);
    if (nLength > (ULONGLONG)(INT_MAX / 2))
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    const UINT nPiece = 0x10000;
    CString result;
    if (nCharSize == 1)
    {
        UINT nLeft = (UINT)nLength;
        while (nLeft > 0)
        {
            UINT n = nLeft < nPiece ? nLeft : nPiece;
            int nOld = result.GetLength();
            char* p = result.GetBufferSetLength(nOld + (int)n);
            ReadRaw(p + nOld, n);
            nLeft -= n;
        }
    }
    else
    {
        std::vector<WCHAR> wide;
        UINT nLeft = (UINT)nLength;
        while (nLeft > 0)
        {
            UINT n = nLeft < nPiece ? nLeft : nPiece;
            size_t nOld = wide.size();
            wide.resize(nOld + n);
            ReadRaw(&wide[nOld], n * (UINT)sizeof(WCHAR));
            nLeft -= n;
        }
        if (!wide.empty())
            result = CString(wide.data(), (int)wide.size());
    }
    str = std::move(result);
    return *this;
}

// ---------------------------------------------------------------------------
// Text lines
// ---------------------------------------------------------------------------
void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    WriteRaw(lpsz, (UINT)strlen(lpsz));
}

BOOL CArchive::ReadString(CString& rString)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    rString.Empty();
    bool bGot = false;
    for (;;)
    {
        if (m_lpBufCur == m_lpBufMax)
        {
            FillBuffer(1);
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        bGot = true;
        BYTE* pNewLine = (BYTE*)memchr(m_lpBufCur, '\n', (size_t)(m_lpBufMax - m_lpBufCur));
        BYTE* pEnd = pNewLine ? pNewLine : m_lpBufMax;
        rString.Append((LPCSTR)m_lpBufCur, (int)(pEnd - m_lpBufCur));
        m_lpBufCur = pNewLine ? pNewLine + 1 : m_lpBufMax;
        if (pNewLine != NULL)
            break;
    }
    int n = rString.GetLength();
    if (n > 0 && rString[n - 1] == '\r')
        rString.Truncate(n - 1);
    return bGot;
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT nRead = 0;
    bool bGot = false;
    while (nRead + 1 < nMax)
    {
        char ch;
        if (Read(&ch, 1) != 1)
            break;
        bGot = true;
        if (ch == '\n')
            break;
        lpsz[nRead++] = ch;
    }
    if (!bGot)
        return NULL;
    if (nRead > 0 && lpsz[nRead - 1] == '\r')
        nRead--;
    lpsz[nRead] = '\0';
    return lpsz;
}

// ---------------------------------------------------------------------------
// Objects and classes
// ---------------------------------------------------------------------------
UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return nResult;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (m_pMaps == NULL)
        m_pMaps = new AFX_ARCHIVE_MAPS;
    if (IsStoring())
    {
        if (m_pMaps->storeMap.find(pOb) == m_pMaps->storeMap.end())
            m_pMaps->storeMap[pOb] = m_pMaps->NextIndex();
    }
    else
    {
        m_pMaps->NextIndex();
        m_pMaps->loadArray.push_back(AFX_ARCHIVE_MAPS::Entry{ (void*)pOb, false, 0 });
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pClassRef == NULL)
        AfxThrowInvalidArgException();
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF)
        AfxThrowNotSupportedException();   // not a serial class
    if (m_pMaps == NULL)
        m_pMaps = new AFX_ARCHIVE_MAPS;
    auto it = m_pMaps->storeMap.find(pClassRef);
    if (it != m_pMaps->storeMap.end())
    {
        DWORD nClassIndex = it->second;
        if (nClassIndex < wBigObjectTag)
            *this << (WORD)(wClassTag | nClassIndex);
        else
            *this << wBigObjectTag << (DWORD)(dwBigClassTag | nClassIndex);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_pMaps->storeMap[pClassRef] = m_pMaps->NextIndex();
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    if (m_pMaps == NULL)
        m_pMaps = new AFX_ARCHIVE_MAPS;
    auto it = m_pMaps->storeMap.find(pOb);
    if (it != m_pMaps->storeMap.end())
    {
        DWORD nObIndex = it->second;
        if (nObIndex < wBigObjectTag)
            *this << (WORD)nObIndex;
        else
            *this << wBigObjectTag << (DWORD)nObIndex;
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_pMaps->storeMap[pOb] = m_pMaps->NextIndex();
    const_cast<CObject*>(pOb)->Serialize(*this);
}

// Returns the class for a class tag; for an object tag returns NULL and the
// index in *pObTag (a class was required when pObTag is NULL).
CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (m_pMaps == NULL)
        m_pMaps = new AFX_ARCHIVE_MAPS;

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag))
    {
        if (pObTag == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return NULL;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema &&
            !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        m_pMaps->NextIndex();
        m_pMaps->loadArray.push_back(AFX_ARCHIVE_MAPS::Entry{ pClassRef, true, nSchema });
    }
    else
    {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_pMaps->loadArray.size() ||
            !m_pMaps->loadArray[nClassIndex].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = (CRuntimeClass*)m_pMaps->loadArray[nClassIndex].p;
        nSchema = m_pMaps->loadArray[nClassIndex].nSchema;
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == NULL)
    {
        if (obTag >= m_pMaps->loadArray.size() || m_pMaps->loadArray[obTag].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = (CObject*)m_pMaps->loadArray[obTag].p;
        if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    m_pMaps->NextIndex();
    size_t nIndex = m_pMaps->loadArray.size();
    m_pMaps->loadArray.push_back(AFX_ARCHIVE_MAPS::Entry{ pOb, false, 0 });
    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // the half-read object is nobody's: forget it and free it
        m_pMaps->loadArray[nIndex].p = NULL;
        delete pOb;
        m_nObjectSchema = nSchemaSave;
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, &m_nObjectSchema);
}
