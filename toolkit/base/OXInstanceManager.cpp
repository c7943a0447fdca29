#include "OXInstanceManager.h"

IMPLEMENT_DYNAMIC(COXInstanceManager, CObject)

// The list part of the shared memory. The first three fields are the list
// every copy reads; beside each id its process's start time, so that an id
// left behind by a copy that died (and possibly reused by an unrelated
// process since) is recognised and dropped.
struct COXInstanceManager::CSharedList
{
    DWORD nMax;
    DWORD nCount;
    DWORD ids[nMaxInstances];
    ULONGLONG startTimes[nMaxInstances];
};

namespace
{
DWORD RoundUp(DWORD nSize, DWORD nGranularity)
{
    return nGranularity ? (nSize + nGranularity - 1) / nGranularity * nGranularity : nSize;
}

DWORD AllocationGranularity()
{
    SYSTEM_INFO si;
    ::GetSystemInfo(&si);
    return si.dwAllocationGranularity;
}

// The creation time of a running process; 0 when it has ended or cannot be
// asked. A process that exists but refuses to be asked counts as running.
ULONGLONG ProcessStartTime(DWORD dwProcessId, BOOL& bRunning)
{
    bRunning = FALSE;
    HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwProcessId);
    if (h == NULL) {
        bRunning = ::GetLastError() == ERROR_ACCESS_DENIED;
        return 0;
    }
    DWORD dwExit = 0;
    FILETIME created, exited, kernel, user;
    ULONGLONG nStart = 0;
    if (::GetExitCodeProcess(h, &dwExit) && dwExit == STILL_ACTIVE) {
        bRunning = TRUE;
        if (::GetProcessTimes(h, &created, &exited, &kernel, &user))
            nStart = ((ULONGLONG)created.dwHighDateTime << 32) | created.dwLowDateTime;
    }
    ::CloseHandle(h);
    return nStart;
}

struct CFindMainWindow
{
    DWORD dwProcessId;
    HWND hWnd;
};

BOOL CALLBACK FindMainWindowProc(HWND hWnd, LPARAM lParam)
{
    CFindMainWindow& find = *(CFindMainWindow*)lParam;
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId != find.dwProcessId || ::GetWindow(hWnd, GW_OWNER) != NULL)
        return TRUE;
    if ((::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) || !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE))
        return TRUE;
    find.hWnd = hWnd;
    return FALSE;
}
} // namespace

// Maps the list and holds its mutex for the length of one operation.
class COXInstanceManager::CListAccess
{
public:
    explicit CListAccess(COXInstanceManager& manager) : m_manager(manager), m_bLocked(FALSE)
    {
        if (manager.m_hFileMap == NULL)
            return;
        manager.m_pList = ::MapViewOfFile(manager.m_hFileMap, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, manager.m_nListSize);
        if (manager.m_pList == NULL)
            return;
        m_bLocked = manager.m_mutexList.Lock();
        if (!m_bLocked) {
            ::UnmapViewOfFile(manager.m_pList);
            manager.m_pList = NULL;
            return;
        }
        CSharedList& list = *(CSharedList*)manager.m_pList;
        // Whatever another process left there, the count is used as an index.
        if (list.nCount > nMaxInstances)
            list.nCount = nMaxInstances;
        DropEndedInstances(list);
    }
    ~CListAccess()
    {
        if (m_manager.m_pList != NULL) {
            ::UnmapViewOfFile(m_manager.m_pList);
            m_manager.m_pList = NULL;
        }
        if (m_bLocked)
            m_manager.m_mutexList.Unlock();
    }
    CSharedList* operator->() const { return (CSharedList*)m_manager.m_pList; }
    CSharedList& operator*() const { return *(CSharedList*)m_manager.m_pList; }
    BOOL IsValid() const { return m_manager.m_pList != NULL && m_bLocked; }

private:
    COXInstanceManager& m_manager;
    BOOL m_bLocked;
};

COXInstanceManager::COXInstanceManager(LPCTSTR lpszName, DWORD nAdditionalSize)
    : m_strName(lpszName),
      m_nListSize(RoundUp(sizeof(CSharedList), AllocationGranularity())),
      m_nAdditionalSize(RoundUp(nAdditionalSize, AllocationGranularity())),
      m_mutexList(FALSE, CString("COXInstanceManager_InstanceList_Mutex_") + lpszName),
      m_mutexAdditional(FALSE, CString("COXInstanceManager_Additional_Mutex_") + lpszName),
      m_hFileMap(NULL), m_pList(NULL), m_pAdditional(NULL)
{
    m_hFileMap = ::CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE | SEC_COMMIT, 0,
                                      m_nListSize + m_nAdditionalSize,
                                      CString("COXInstanceManager_FileMap_") + lpszName);
    if (m_hFileMap == NULL)
        return;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) {
        CListAccess list(*this);
        if (list.IsValid()) {
            memset(&*list, 0, sizeof(CSharedList));
            list->nMax = 1;
        }
    }
    Register(::GetCurrentProcessId());
}

COXInstanceManager::~COXInstanceManager()
{
    Unregister(::GetCurrentProcessId());
    UnmapAdditionalData();
    if (m_hFileMap != NULL)
        ::CloseHandle(m_hFileMap);
}

HWND COXInstanceManager::GetMainWindow(DWORD dwProcessId)
{
    CFindMainWindow find = {dwProcessId, NULL};
    ::EnumWindows(FindMainWindowProc, (LPARAM)&find);
    return find.hWnd;
}

void COXInstanceManager::Notify(const CSharedList& list, UINT nMessage, DWORD dwProcessId)
{
    // Only instances with a main window hear of it: a notice without a
    // window would land in the sender's own queue.
    for (DWORD i = 0; i < list.nCount; i++) {
        if (list.ids[i] == dwProcessId)
            continue;
        HWND hWnd = GetMainWindow(list.ids[i]);
        if (hWnd != NULL)
            ::PostMessageA(hWnd, nMessage, 0, (LPARAM)dwProcessId);
    }
}

void COXInstanceManager::DropEndedInstances(CSharedList& list)
{
    DWORD removed[nMaxInstances];
    DWORD nKept = 0, nRemoved = 0;
    for (DWORD i = 0; i < list.nCount; i++) {
        BOOL bRunning;
        ULONGLONG nStart = ProcessStartTime(list.ids[i], bRunning);
        const BOOL bSame = bRunning && (list.startTimes[i] == 0 || nStart == 0 || nStart == list.startTimes[i]);
        if (bSame) {
            list.ids[nKept] = list.ids[i];
            list.startTimes[nKept] = list.startTimes[i];
            nKept++;
        } else {
            removed[nRemoved++] = list.ids[i];
        }
    }
    for (DWORD i = nKept; i < list.nCount; i++) {
        list.ids[i] = 0;
        list.startTimes[i] = 0;
    }
    list.nCount = nKept;
    // Those left hear of the ended ones as if they had left themselves.
    for (DWORD i = 0; i < nRemoved; i++)
        Notify(list, WM_INSTANCE_REMOVED, removed[i]);
}

BOOL COXInstanceManager::Register(DWORD dwProcessId)
{
    CListAccess list(*this);
    if (!list.IsValid() || list->nCount >= nMaxInstances)
        return FALSE;
    Notify(*list, WM_INSTANCE_ADDED, dwProcessId);
    BOOL bRunning;
    list->ids[list->nCount] = dwProcessId;
    list->startTimes[list->nCount] = ProcessStartTime(dwProcessId, bRunning);
    list->nCount++;
    return TRUE;
}

BOOL COXInstanceManager::Unregister(DWORD dwProcessId)
{
    CListAccess list(*this);
    if (!list.IsValid())
        return FALSE;
    for (DWORD i = 0; i < list->nCount; i++) {
        if (list->ids[i] != dwProcessId)
            continue;
        memmove(&list->ids[i], &list->ids[i + 1], (list->nCount - i - 1) * sizeof(DWORD));
        memmove(&list->startTimes[i], &list->startTimes[i + 1], (list->nCount - i - 1) * sizeof(ULONGLONG));
        list->nCount--;
        list->ids[list->nCount] = 0;
        list->startTimes[list->nCount] = 0;
        Notify(*list, WM_INSTANCE_REMOVED, dwProcessId);
        return TRUE;
    }
    return FALSE;
}

int COXInstanceManager::GetInstanceCount()
{
    CListAccess list(*this);
    return list.IsValid() ? (int)list->nCount : 0;
}

int COXInstanceManager::GetMaxAllowedInstances()
{
    CListAccess list(*this);
    return list.IsValid() ? (int)list->nMax : 0;
}

BOOL COXInstanceManager::GetInstanceList(CDWordArray& arrInstances)
{
    arrInstances.RemoveAll();
    CListAccess list(*this);
    if (!list.IsValid())
        return FALSE;
    for (DWORD i = 0; i < list->nCount; i++)
        arrInstances.Add(list->ids[i]);
    return TRUE;
}

BOOL COXInstanceManager::SetMaxAllowedInstances(int nMax, BOOL bCloseExtra)
{
    if (nMax < 0)
        nMax = 0;
    CDWordArray ids;
    {
        CListAccess list(*this);
        if (!list.IsValid())
            return FALSE;
        list->nMax = (DWORD)nMax;
        for (DWORD i = 0; i < list->nCount; i++)
            ids.Add(list->ids[i]);
    }
    if (!bCloseExtra)
        return TRUE;
    const DWORD dwSelf = ::GetCurrentProcessId();
    INT_PTR nExtra = ids.GetSize() - nMax;
    INT_PTR i = ids.GetSize() - 1;
    for (; i >= 0 && nExtra > 0; i--) {
        if (ids[i] == dwSelf)
            continue;
        HWND hWnd = GetMainWindow(ids[i]);
        if (hWnd != NULL && ::IsWindowEnabled(hWnd)) {
            ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
            nExtra--;
        }
    }
    if (i < 0 && nExtra > 0) {
        HWND hWnd = GetMainWindow(dwSelf);
        if (hWnd != NULL && ::IsWindowEnabled(hWnd))
            ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

BOOL COXInstanceManager::CheckMaxAllowedInstances(BOOL bActivateOther)
{
    DWORD dwOther = 0;
    BOOL bTooMany;
    {
        CListAccess list(*this);
        if (!list.IsValid())
            return FALSE;
        bTooMany = list->nMax < list->nCount;
        if (list->nCount > 0)
            dwOther = list->ids[0] != ::GetCurrentProcessId() ? list->ids[0] : list->nCount > 1 ? list->ids[1] : 0;
    }
    if (bTooMany && bActivateOther && dwOther != 0) {
        HWND hWnd = GetMainWindow(dwOther);
        if (hWnd != NULL) {
            ::SetForegroundWindow(hWnd);
            if (::GetWindowLongA(hWnd, GWL_STYLE) & WS_MINIMIZE)
                ::ShowWindow(hWnd, SW_RESTORE);
        }
    }
    return bTooMany;
}

LPVOID COXInstanceManager::MapAdditionalData()
{
    if (m_pAdditional != NULL)
        return m_pAdditional;
    if (m_hFileMap == NULL || m_nAdditionalSize == 0)
        return NULL;
    m_pAdditional = ::MapViewOfFile(m_hFileMap, FILE_MAP_READ | FILE_MAP_WRITE, 0, m_nListSize, m_nAdditionalSize);
    return m_pAdditional;
}

void COXInstanceManager::UnmapAdditionalData()
{
    if (m_pAdditional != NULL) {
        ::UnmapViewOfFile(m_pAdditional);
        m_pAdditional = NULL;
    }
}
