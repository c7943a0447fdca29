// Synchronisation objects. A constructor that cannot get its kernel object
// throws CResourceException.
#include "afxmt.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

CSyncObject::CSyncObject(LPCSTR) : m_hObject(NULL)
{
}

CSyncObject::~CSyncObject()
{
    if (m_hObject != NULL)
        ::CloseHandle(m_hObject);
    m_hObject = NULL;
}

BOOL CSyncObject::Lock(DWORD dwTimeout)
{
    DWORD dwResult = ::WaitForSingleObject(m_hObject, dwTimeout);
    // an abandoned mutex is still acquired by the caller
    return dwResult == WAIT_OBJECT_0 || dwResult == WAIT_ABANDONED;
}

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttributes)
    : CSyncObject(pstrName)
{
    m_hObject = ::CreateSemaphoreA(lpsaAttributes, lInitialCount, lMaxCount, pstrName);
    if (m_hObject == NULL)
        AfxThrowResourceException();
}

CMutex::CMutex(BOOL bInitiallyOwn, LPCSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute) : CSyncObject(lpszName)
{
    m_hObject = ::CreateMutexA(lpsaAttribute, bInitiallyOwn, lpszName);
    if (m_hObject == NULL)
        AfxThrowResourceException();
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName)
{
    m_hObject = ::CreateEventA(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName);
    if (m_hObject == NULL)
        AfxThrowResourceException();
}

CCriticalSection::CCriticalSection() : CSyncObject(NULL)
{
    ::InitializeCriticalSection(&m_sect);
}

CCriticalSection::~CCriticalSection()
{
    ::DeleteCriticalSection(&m_sect);
}

// ---------------------------------------------------------------------------
CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(pObject ? pObject->m_hObject : NULL), m_bAcquired(FALSE)
{
    if (pObject == NULL)
        AfxThrowInvalidArgException();
    if (bInitialLock)
        Lock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    if (!m_bAcquired)
        m_bAcquired = m_pObject->Lock(dwTimeOut);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
    return !m_bAcquired;
}

// ---------------------------------------------------------------------------
CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
    : m_pHandleArray(NULL), m_bLockedArray(NULL), m_ppObjectArray(ppObjects), m_dwCount(dwCount)
{
    if (ppObjects == NULL || dwCount == 0 || dwCount > MAXIMUM_WAIT_OBJECTS)
        AfxThrowInvalidArgException();
    m_pHandleArray = new HANDLE[dwCount];
    m_bLockedArray = new BOOL[dwCount];
    for (DWORD i = 0; i < dwCount; i++)
    {
        if (ppObjects[i] == NULL || ppObjects[i]->IsKindOf(RUNTIME_CLASS(CCriticalSection)))
        {
            delete[] m_pHandleArray;
            delete[] m_bLockedArray;
            AfxThrowInvalidArgException();
        }
        m_pHandleArray[i] = ppObjects[i]->m_hObject;
        m_bLockedArray[i] = FALSE;
    }
    if (bInitialLock)
        Lock();
}

CMultiLock::~CMultiLock()
{
    Unlock();
    delete[] m_pHandleArray;
    delete[] m_bLockedArray;
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    DWORD dwResult = dwWakeMask == 0
        ? ::WaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut)
        : ::MsgWaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut, dwWakeMask);
    DWORD dwIndex = (DWORD)-1;
    if (dwResult < WAIT_OBJECT_0 + m_dwCount)
        dwIndex = dwResult - WAIT_OBJECT_0;
    else if (dwResult >= WAIT_ABANDONED_0 && dwResult < WAIT_ABANDONED_0 + m_dwCount)
        dwIndex = dwResult - WAIT_ABANDONED_0;
    if (dwIndex != (DWORD)-1)
    {
        if (bWaitForAll)
            for (DWORD i = 0; i < m_dwCount; i++)
                m_bLockedArray[i] = TRUE;
        else
            m_bLockedArray[dwIndex] = TRUE;
    }
    return dwResult;
}

BOOL CMultiLock::Unlock()
{
    for (DWORD i = 0; i < m_dwCount; i++)
        if (m_bLockedArray[i])
            m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock();
    return TRUE;
}

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    BOOL bGotOne = FALSE;
    for (DWORD i = 0; i < m_dwCount; i++)
    {
        if (m_bLockedArray[i] && m_ppObjectArray[i]->IsKindOf(RUNTIME_CLASS(CSemaphore)))
        {
            m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock(lCount, lPrevCount);
            bGotOne = TRUE;
        }
    }
    return bGotOne;
}

BOOL CMultiLock::IsLocked(DWORD dwObject) const
{
    if (dwObject >= m_dwCount)
        AfxThrowInvalidArgException();
    return m_bLockedArray[dwObject];
}
