// afxmt.h - synchronisation objects: critical section, mutex, event,
// semaphore, and the CSingleLock/CMultiLock helpers that release what they
// acquired when they go out of scope.
#ifndef PELLUCOR_AFXMT_H
#define PELLUCOR_AFXMT_H

#include "afx.h"

class CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCSTR pstrName);
    virtual ~CSyncObject();

    operator HANDLE() const { return m_hObject; }
    HANDLE m_hObject;

    // TRUE when the object was acquired within the time-out.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL) { (void)lCount; (void)lpPrevCount; return TRUE; }
};

class CSemaphore : public CSyncObject
{
    DECLARE_DYNAMIC(CSemaphore)
public:
    CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCSTR pstrName = NULL,
               LPSECURITY_ATTRIBUTES lpsaAttributes = NULL);
    BOOL Unlock() override { return Unlock(1, NULL); }
    BOOL Unlock(LONG lCount, LPLONG lprevCount = NULL) override { return ::ReleaseSemaphore(m_hObject, lCount, lprevCount); }
};

class CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    CMutex(BOOL bInitiallyOwn = FALSE, LPCSTR lpszName = NULL, LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
    using CSyncObject::Unlock;
};

class CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCSTR lpszName = NULL,
           LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    BOOL Unlock() override { return TRUE; }
    using CSyncObject::Unlock;
};

// Recursive on one thread; the time-out is ignored (a critical section waits
// until it is free).
class CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    virtual ~CCriticalSection();

    operator CRITICAL_SECTION*() { return &m_sect; }
    CRITICAL_SECTION m_sect;

    BOOL Lock() { ::EnterCriticalSection(&m_sect); return TRUE; }
    BOOL Lock(DWORD) override { return Lock(); }
    BOOL Unlock() override { ::LeaveCriticalSection(&m_sect); return TRUE; }
    using CSyncObject::Unlock;
};

class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock() { Unlock(); }

    BOOL Lock(DWORD dwTimeOut = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;

private:
    CSingleLock(const CSingleLock&) = delete;
    void operator=(const CSingleLock&) = delete;
};

// Waits on several kernel objects (not critical sections) at once.
class CMultiLock
{
public:
    CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
    ~CMultiLock();

    // The WaitForMultipleObjects result.
    DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked(DWORD dwItem) const;

protected:
    HANDLE* m_pHandleArray;
    BOOL* m_bLockedArray;
    CSyncObject** m_ppObjectArray;
    DWORD m_dwCount;

private:
    CMultiLock(const CMultiLock&) = delete;
    void operator=(const CMultiLock&) = delete;
};

#endif // PELLUCOR_AFXMT_H
