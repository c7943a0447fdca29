// afxtempl.h - the collection templates: CArray, CList, CMap and the typed
// pointer wrappers, with their helpers (HashKey, CompareElements,
// SerializeElements, ConstructElements, DestructElements).
//
// Elements are real C++ objects: they are constructed in place, moved when
// an array grows, and destroyed exactly once, so element types with
// constructors (CString, std types) are safe. A bad index throws
// CInvalidArgException.
#ifndef PELLUCOR_AFXTEMPL_H
#define PELLUCOR_AFXTEMPL_H

#include "afx.h"
#include <new>
#include <type_traits>
#include <utility>

// ---------------------------------------------------------------------------
// Element helpers
// ---------------------------------------------------------------------------
template<class TYPE>
inline void AFXAPI ConstructElements(TYPE* pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; pElements++)
        ::new ((void*)pElements) TYPE();
}

template<class TYPE>
inline void AFXAPI DestructElements(TYPE* pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; pElements++)
        pElements->~TYPE();
}

template<class TYPE>
inline void AFXAPI CopyElements(TYPE* pDest, const TYPE* pSrc, INT_PTR nCount)
{
    while (nCount-- > 0)
        *pDest++ = *pSrc++;
}

// Element types that can be copied bytewise are stored as their bytes;
// others need a specialisation (CString and CObject* have one).
template<class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if constexpr (std::is_trivially_copyable<TYPE>::value)
    {
        BYTE* p = (BYTE*)pElements;
        ULONGLONG nBytes = (ULONGLONG)nCount * sizeof(TYPE);
        while (nBytes > 0)
        {
            UINT n = nBytes > 0x40000000 ? 0x40000000u : (UINT)nBytes;
            if (ar.IsStoring())
                ar.Write(p, n);
            else if (ar.Read(p, n) != n)
                AfxThrowArchiveException(CArchiveException::endOfFile);
            p += n;
            nBytes -= n;
        }
    }
    else
    {
        (void)ar;
        (void)pElements;
        (void)nCount;
        AfxThrowNotSupportedException();
    }
}

template<>
inline void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; pElements++)
    {
        if (ar.IsStoring())
            ar << *pElements;
        else
            ar >> *pElements;
    }
}

template<>
inline void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; pElements++)
    {
        if (ar.IsStoring())
            ar << *pElements;
        else
            ar >> *pElements;
    }
}

template<class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Hash of a key: the value shifted right by 4 (pointers are aligned);
// strings: hash = hash * 33 + c over the (signed) characters.
template<class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    return (UINT)(((DWORD_PTR)key) >> 4);
}

inline UINT AfxHashString(LPCSTR key)
{
    UINT nHash = 0;
    if (key != NULL)
        while (*key)
            nHash = (nHash << 5) + nHash + (UINT)(int)*key++;
    return nHash;
}

template<>
inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key)
{
    return AfxHashString(key);
}

template<>
inline UINT AFXAPI HashKey<LPSTR>(LPSTR key)
{
    return AfxHashString(key);
}

template<>
inline UINT AFXAPI HashKey<const CString&>(const CString& key)
{
    return AfxHashString(key);
}

template<>
inline UINT AFXAPI HashKey<CString>(CString key)
{
    return AfxHashString(key);
}

// ---------------------------------------------------------------------------
// CPlex: blocks of list nodes and map entries, chained for freeing at once.
// ---------------------------------------------------------------------------
struct alignas(16) CPlex
{
    CPlex* pNext;

    void* data() { return this + 1; }

    static CPlex* PASCAL Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
    {
        if (nMax == 0 || cbElement == 0 || nMax > ((UINT_PTR)-1 - sizeof(CPlex)) / cbElement)
            AfxThrowInvalidArgException();
        CPlex* p = (CPlex*)::operator new(sizeof(CPlex) + nMax * cbElement, std::nothrow);
        if (p == NULL)
            AfxThrowMemoryException();
        p->pNext = pHead;
        pHead = p;
        return p;
    }

    void FreeDataChain()
    {
        CPlex* p = this;
        while (p != NULL)
        {
            CPlex* pNext = p->pNext;
            ::operator delete(p);
            p = pNext;
        }
    }
};

// ---------------------------------------------------------------------------
// CArray
// ---------------------------------------------------------------------------
template<class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArray() override { Free(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    // nGrowBy < 0 keeps the current step. Growth is at least half the
    // current capacity, so adding one by one is linear.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement) { INT_PTR nIndex = m_nSize; SetAtGrow(nIndex, newElement); return nIndex; }
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);

    void Serialize(CArchive& ar) override;

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;   // 0: chosen from the size

private:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    void Reallocate(INT_PTR nNewMax);
    void Free()
    {
        DestructElements(m_pData, m_nSize);
        ::operator delete(m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
    }
};

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    if (nNewMax < m_nSize)
        AfxThrowInvalidArgException();
    if ((UINT_PTR)nNewMax > ((UINT_PTR)-1 / 2) / sizeof(TYPE))
        AfxThrowMemoryException();
    TYPE* pNew = NULL;
    if (nNewMax > 0)
    {
        pNew = (TYPE*)::operator new((size_t)nNewMax * sizeof(TYPE), std::nothrow);
        if (pNew == NULL)
            AfxThrowMemoryException();
    }
    INT_PTR i = 0;
    try
    {
        for (; i < m_nSize; i++)
            ::new ((void*)(pNew + i)) TYPE(std::move_if_noexcept(m_pData[i]));
    }
    catch (...)
    {
        DestructElements(pNew, i);
        ::operator delete(pNew);
        throw;
    }
    DestructElements(m_pData, m_nSize);
    ::operator delete(m_pData);
    m_pData = pNew;
    m_nMaxSize = nNewMax;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize == 0)
    {
        Free();
        return;
    }
    if (nNewSize > m_nMaxSize)
    {
        INT_PTR nStep = m_nGrowBy > 0 ? m_nGrowBy : 4;
        INT_PTR nNewMax;
        if (m_pData == NULL)
            nNewMax = nNewSize > nStep ? nNewSize : nStep;
        else
        {
            INT_PTR nGeometric = m_nMaxSize / 2;
            nNewMax = m_nMaxSize + (nStep > nGeometric ? nStep : nGeometric);
            if (nNewMax < nNewSize)
                nNewMax = nNewSize;
        }
        Reallocate(nNewMax);
    }
    if (nNewSize > m_nSize)
    {
        INT_PTR i = m_nSize;
        try
        {
            for (; i < nNewSize; i++)
                ::new ((void*)(m_pData + i)) TYPE();
        }
        catch (...)
        {
            DestructElements(m_pData + m_nSize, i - m_nSize);
            throw;
        }
    }
    else
        DestructElements(m_pData + nNewSize, m_nSize - nNewSize);
    m_nSize = nNewSize;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0)
        Free();
    else
        Reallocate(m_nSize);
}

// newElement may be an element of this array: it is copied before the
// array moves.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nMaxSize)
    {
        TYPE temp(newElement);
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(temp);
        return;
    }
    if (nIndex >= m_nSize)
        SetSize(nIndex + 1, -1);
    m_pData[nIndex] = newElement;
}

template<class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    if (this == &src)
        AfxThrowInvalidArgException();
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + src.m_nSize, -1);
    for (INT_PTR i = 0; i < src.m_nSize; i++)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize, -1);
    for (INT_PTR i = 0; i < src.m_nSize; i++)
        m_pData[i] = src.m_pData[i];
}

// An index past the end grows the array (the gap default-constructed).
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    TYPE temp(newElement);
    if (nIndex >= m_nSize)
        SetSize(nIndex + nCount, -1);
    else
    {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; i--)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (INT_PTR i = 0; i < nCount; i++)
        m_pData[nIndex + i] = temp;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == NULL || nStartIndex < 0)
        AfxThrowInvalidArgException();
    if (pNewArray == this)
    {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    if (pNewArray->GetSize() > 0)
    {
        InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
        for (INT_PTR i = 1; i < pNewArray->GetSize(); i++)
            m_pData[nStartIndex + i] = pNewArray->m_pData[i];
    }
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    for (INT_PTR i = nIndex; i < m_nSize - nCount; i++)
        m_pData[i] = std::move(m_pData[i + nCount]);
    DestructElements(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
        ar.WriteCount((DWORD_PTR)m_nSize);
    else
    {
        DWORD_PTR nNewSize = ar.ReadCount();
        SetSize((INT_PTR)nNewSize, -1);
    }
    SerializeElements<TYPE>(ar, m_pData, m_nSize);
}

// ---------------------------------------------------------------------------
// CList: a doubly linked list; nodes come from blocks of nBlockSize.
// ---------------------------------------------------------------------------
template<class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
          m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
    {
    }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // The head and tail accessors throw CInvalidArgException on an empty list.
    TYPE& GetHead() { return NodeOf((POSITION)m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NodeOf((POSITION)m_pNodeHead)->data; }
    TYPE& GetTail() { return NodeOf((POSITION)m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NodeOf((POSITION)m_pNodeTail)->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore((POSITION)m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter((POSITION)m_pNodeTail, newElement); }
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition) { CNode* p = NodeOf(rPosition); rPosition = (POSITION)p->pNext; return p->data; }
    const TYPE& GetNext(POSITION& rPosition) const { CNode* p = NodeOf(rPosition); rPosition = (POSITION)p->pNext; return p->data; }
    TYPE& GetPrev(POSITION& rPosition) { CNode* p = NodeOf(rPosition); rPosition = (POSITION)p->pPrev; return p->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { CNode* p = NodeOf(rPosition); rPosition = (POSITION)p->pPrev; return p->data; }

    TYPE& GetAt(POSITION position) { return NodeOf(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeOf(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeOf(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // A NULL position inserts at the head (InsertBefore) or tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(INT_PTR nIndex) const;

    void Serialize(CArchive& ar) override;

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

    static CNode* NodeOf(POSITION position)
    {
        if (position == NULL)
            AfxThrowInvalidArgException();
        return (CNode*)position;
    }
    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
    void FreeNode(CNode* pNode);
};

template<class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    if (m_pNodeFree == NULL)
    {
        CPlex* pBlock = CPlex::Create(m_pBlocks, (UINT_PTR)m_nBlockSize, sizeof(CNode));
        CNode* pNode = (CNode*)pBlock->data() + m_nBlockSize - 1;
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; i--, pNode--)
        {
            pNode->pNext = m_pNodeFree;
            m_pNodeFree = pNode;
        }
    }
    CNode* pNode = m_pNodeFree;
    ::new ((void*)&pNode->data) TYPE(newElement);   // may throw: the node stays free
    m_pNodeFree = pNode->pNext;
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    m_nCount++;
    return pNode;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->data.~TYPE();
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    m_nCount--;
    if (m_nCount == 0)
        RemoveAll();
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* p = m_pNodeHead; p != NULL; p = p->pNext)
        p->data.~TYPE();
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template<class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* pOld = NodeOf((POSITION)m_pNodeHead);
    TYPE returnValue(std::move(pOld->data));
    m_pNodeHead = pOld->pNext;
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = NULL;
    else
        m_pNodeTail = NULL;
    FreeNode(pOld);
    return returnValue;
}

template<class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* pOld = NodeOf((POSITION)m_pNodeTail);
    TYPE returnValue(std::move(pOld->data));
    m_pNodeTail = pOld->pPrev;
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = NULL;
    else
        m_pNodeHead = NULL;
    FreeNode(pOld);
    return returnValue;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    // from the new list's tail backwards, so its order is kept
    POSITION pos = pNewList->GetTailPosition();
    INT_PTR n = pNewList->GetCount();   // fixed first: pNewList may be this list
    while (n-- > 0)
        AddHead(pNewList->GetPrev(pos));
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    POSITION pos = pNewList->GetHeadPosition();
    INT_PTR n = pNewList->GetCount();
    while (n-- > 0)
        AddTail(pNewList->GetNext(pos));
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
    {
        CNode* pNew = NewNode(NULL, m_pNodeHead, newElement);
        if (m_pNodeHead != NULL)
            m_pNodeHead->pPrev = pNew;
        else
            m_pNodeTail = pNew;
        m_pNodeHead = pNew;
        return (POSITION)pNew;
    }
    CNode* pOld = (CNode*)position;
    CNode* pNew = NewNode(pOld->pPrev, pOld, newElement);
    if (pOld->pPrev != NULL)
        pOld->pPrev->pNext = pNew;
    else
        m_pNodeHead = pNew;
    pOld->pPrev = pNew;
    return (POSITION)pNew;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
    {
        CNode* pNew = NewNode(m_pNodeTail, NULL, newElement);
        if (m_pNodeTail != NULL)
            m_pNodeTail->pNext = pNew;
        else
            m_pNodeHead = pNew;
        m_pNodeTail = pNew;
        return (POSITION)pNew;
    }
    CNode* pOld = (CNode*)position;
    CNode* pNew = NewNode(pOld, pOld->pNext, newElement);
    if (pOld->pNext != NULL)
        pOld->pNext->pPrev = pNew;
    else
        m_pNodeTail = pNew;
    pOld->pNext = pNew;
    return (POSITION)pNew;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pOld = NodeOf(position);
    if (pOld == m_pNodeHead)
        m_pNodeHead = pOld->pNext;
    else
        pOld->pPrev->pNext = pOld->pNext;
    if (pOld == m_pNodeTail)
        m_pNodeTail = pOld->pPrev;
    else
        pOld->pNext->pPrev = pOld->pPrev;
    FreeNode(pOld);
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter == NULL ? m_pNodeHead : ((CNode*)startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext)
        if (CompareElements<TYPE>(&pNode->data, &searchValue))
            return (POSITION)pNode;
    return NULL;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD_PTR)m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            SerializeElements<TYPE>(ar, &pNode->data, 1);
    }
    else
    {
        DWORD_PTR nNewCount = ar.ReadCount();
        while (nNewCount-- > 0)
        {
            TYPE newData[1] = {};
            SerializeElements<TYPE>(ar, newData, 1);
            AddTail(newData[0]);
        }
    }
}

// ---------------------------------------------------------------------------
// CMap: a chained hash table. New entries go to the front of their bucket;
// iteration runs bucket by bucket from bucket 0. The table keeps the size
// given to InitHashTable (17 by default) however many entries it holds: it
// never grows by itself, so the order in which GetNextAssoc gives the
// entries is the same for every size of map (code that lists a map's entries
// shows them in that order). A map meant for many entries is sized with
// InitHashTable; sizing a map that has entries keeps them.
// ---------------------------------------------------------------------------
template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    class CPair
    {
    public:
        const KEY key;
        VALUE value;
    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair
    {
        friend class CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>;
        CAssoc* pNext;
        UINT nHashValue;
    public:
        explicit CAssoc(ARG_KEY key) : CPair(key), pNext(NULL), nHashValue(0) {}
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pFreeList(NULL), m_pBlocks(NULL),
          m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
    {
    }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    const CPair* PLookup(ARG_KEY key) const;
    CPair* PLookup(ARG_KEY key);
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const { return FirstAssoc(); }
    CPair* PGetFirstAssoc() { return FirstAssoc(); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const { return NextAssoc((const CAssoc*)pAssoc); }
    CPair* PGetNextAssoc(const CPair* pAssoc) { return NextAssoc((const CAssoc*)pAssoc); }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    void Serialize(CArchive& ar) override;

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const;
    CAssoc* FirstAssoc() const;
    CAssoc* NextAssoc(const CAssoc* pAssoc) const;
    void Rehash(UINT nNewSize);
};

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Rehash(UINT nNewSize)
{
    CAssoc** pNewTable = new (std::nothrow) CAssoc*[nNewSize];
    if (pNewTable == NULL)
        AfxThrowMemoryException();
    memset(pNewTable, 0, sizeof(CAssoc*) * nNewSize);
    if (m_pHashTable != NULL)
    {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++)
        {
            CAssoc* pAssoc = m_pHashTable[nBucket];
            while (pAssoc != NULL)
            {
                CAssoc* pNext = pAssoc->pNext;
                UINT nNewBucket = pAssoc->nHashValue % nNewSize;
                pAssoc->pNext = pNewTable[nNewBucket];
                pNewTable[nNewBucket] = pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
    }
    m_pHashTable = pNewTable;
    m_nHashTableSize = nNewSize;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (hashSize == 0)
        AfxThrowInvalidArgException();
    if (m_pHashTable == NULL && !bAllocNow)
    {
        m_nHashTableSize = hashSize;
        return;
    }
    Rehash(hashSize);
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL)
    {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++)
        {
            CAssoc* pAssoc = m_pHashTable[nBucket];
            while (pAssoc != NULL)
            {
                CAssoc* pNext = pAssoc->pNext;
                pAssoc->CAssoc::~CAssoc();
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = NULL;
    }
    m_nCount = 0;
    m_pFreeList = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    if (m_pFreeList == NULL)
    {
        CPlex* pBlock = CPlex::Create(m_pBlocks, (UINT_PTR)m_nBlockSize, sizeof(CAssoc));
        CAssoc* pAssoc = (CAssoc*)pBlock->data() + m_nBlockSize - 1;
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; i--, pAssoc--)
        {
            // a free entry is raw memory; only its link is used
            *(CAssoc**)pAssoc = m_pFreeList;
            m_pFreeList = pAssoc;
        }
    }
    CAssoc* pAssoc = m_pFreeList;
    CAssoc* pNextFree = *(CAssoc**)pAssoc;
    ::new ((void*)pAssoc) CAssoc(key);   // may throw: the entry stays free
    m_pFreeList = pNextFree;
    m_nCount++;
    return pAssoc;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->CAssoc::~CAssoc();
    *(CAssoc**)pAssoc = m_pFreeList;
    m_pFreeList = pAssoc;
    m_nCount--;
    if (m_nCount == 0)
        RemoveAll();
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const
{
    nHashValue = HashKey<ARG_KEY>(key);
    nHashBucket = nHashValue % m_nHashTableSize;
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* pAssoc = m_pHashTable[nHashBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext)
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key))
            return pAssoc;
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc == NULL)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
const typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookup(ARG_KEY key) const
{
    UINT nHashBucket, nHashValue;
    return GetAssocAt(key, nHashBucket, nHashValue);
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookup(ARG_KEY key)
{
    UINT nHashBucket, nHashValue;
    return GetAssocAt(key, nHashBucket, nHashValue);
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc != NULL)
        return pAssoc->value;
    if (m_pHashTable == NULL)
        Rehash(m_nHashTableSize);
    pAssoc = NewAssoc(key);
    pAssoc->nHashValue = nHashValue;
    pAssoc->pNext = m_pHashTable[nHashBucket];
    m_pHashTable[nHashBucket] = pAssoc;
    return pAssoc->value;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nHashValue = HashKey<ARG_KEY>(key);
    CAssoc** ppAssocPrev = &m_pHashTable[nHashValue % m_nHashTableSize];
    for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext)
    {
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key))
        {
            *ppAssocPrev = pAssoc->pNext;
            FreeAssoc(pAssoc);
            return TRUE;
        }
        ppAssocPrev = &pAssoc->pNext;
    }
    return FALSE;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstAssoc() const
{
    if (m_pHashTable == NULL)
        return NULL;
    for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++)
        if (m_pHashTable[nBucket] != NULL)
            return m_pHashTable[nBucket];
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NextAssoc(const CAssoc* pAssoc) const
{
    if (pAssoc == NULL)
        AfxThrowInvalidArgException();
    if (pAssoc->pNext != NULL)
        return pAssoc->pNext;
    for (UINT nBucket = pAssoc->nHashValue % m_nHashTableSize + 1; nBucket < m_nHashTableSize; nBucket++)
        if (m_pHashTable[nBucket] != NULL)
            return m_pHashTable[nBucket];
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    if (rNextPosition == NULL || m_pHashTable == NULL)
        AfxThrowInvalidArgException();
    CAssoc* pAssocRet = rNextPosition == BEFORE_START_POSITION ? FirstAssoc() : (CAssoc*)rNextPosition;
    if (pAssocRet == NULL)
        AfxThrowInvalidArgException();
    rNextPosition = (POSITION)NextAssoc(pAssocRet);
    rKey = pAssocRet->key;
    rValue = pAssocRet->value;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD_PTR)m_nCount);
        if (m_nCount == 0)
            return;
        for (CAssoc* pAssoc = FirstAssoc(); pAssoc != NULL; pAssoc = NextAssoc(pAssoc))
        {
            KEY* pKey = const_cast<KEY*>(&pAssoc->key);
            SerializeElements<KEY>(ar, pKey, 1);
            SerializeElements<VALUE>(ar, &pAssoc->value, 1);
        }
    }
    else
    {
        DWORD_PTR nNewCount = ar.ReadCount();
        while (nNewCount-- > 0)
        {
            KEY newKey[1] = {};
            VALUE newValue[1] = {};
            SerializeElements<KEY>(ar, newKey, 1);
            SerializeElements<VALUE>(ar, newValue, 1);
            SetAt(newKey[0], newValue[0]);
        }
    }
}

// ---------------------------------------------------------------------------
// Typed pointer wrappers over CPtrArray/CObArray, CPtrList/CObList and the
// pointer maps: the same members with the element pointer type.
// ---------------------------------------------------------------------------
template<class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::operator[](nIndex)); }
};

template<class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
    POSITION Find(TYPE searchValue, POSITION startAfter = NULL) const { return BASE_CLASS::Find(searchValue, startAfter); }
};

template<class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value;
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = (VALUE)value;
        return TRUE;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key)
    {
        return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
    }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key;
        typename BASE_CLASS::BASE_VALUE value;
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = (KEY)key;
        rValue = (VALUE)value;
    }
};

// The non-template collections are built on the templates above; a program
// that includes only this header gets them too.
#include "afxcoll.h"

#endif // PELLUCOR_AFXTEMPL_H
