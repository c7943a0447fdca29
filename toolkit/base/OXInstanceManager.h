// COXInstanceManager: the running copies of one program know about each
// other. Each registers its process id in a named shared list when its
// manager is built and leaves it when the manager goes; the list also holds
// how many copies the program allows. Copies are told of each other's coming
// and going by posted messages, and the same shared memory can carry a block
// of the program's own data.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>
#include <afxmt.h>

#define WM_INSTANCE_ADDED 0x80C8     // lParam: the new instance's process id
#define WM_INSTANCE_REMOVED 0x80C9   // lParam: the removed instance's process id

class COXInstanceManager : public CObject
{
    DECLARE_DYNAMIC(COXInstanceManager)
public:
    enum { nMaxInstances = 1000 };

    COXInstanceManager(LPCTSTR lpszName, DWORD nAdditionalSize = 0);
    virtual ~COXInstanceManager();

    int GetInstanceCount();
    BOOL IsAnotherInstanceRunning() { return GetInstanceCount() > 1; }
    int GetMaxAllowedInstances();
    BOOL GetInstanceList(CDWordArray& arrInstances);
    BOOL SetMaxAllowedInstances(int nMax, BOOL bCloseExtra = FALSE);
    BOOL CheckMaxAllowedInstances(BOOL bActivateOther = TRUE);

    LPVOID MapAdditionalData();
    void UnmapAdditionalData();
    CMutex& GetAdditionalDataMutex() { return m_mutexAdditional; }
    DWORD GetAdditionalDataSize() const { return m_nAdditionalSize; }

    // The first visible, unowned, non-tool top-level window of a process.
    static HWND GetMainWindow(DWORD dwProcessId);

protected:
    struct CSharedList;
    class CListAccess;
    BOOL Register(DWORD dwProcessId);
    BOOL Unregister(DWORD dwProcessId);
    static void DropEndedInstances(CSharedList& list);
    static void Notify(const CSharedList& list, UINT nMessage, DWORD dwProcessId);

    CString m_strName;
    DWORD m_nListSize;
    DWORD m_nAdditionalSize;
    CMutex m_mutexList;
    CMutex m_mutexAdditional;
    HANDLE m_hFileMap;
    LPVOID m_pList;
    LPVOID m_pAdditional;
};
