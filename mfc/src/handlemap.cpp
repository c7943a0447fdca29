// The per-thread handle maps, so that idle time can empty the temporary part
// of all of them at once and the thread's end deletes them.
//
// A thread's maps hang from one record in a fiber-local slot, not from
// thread_local objects: at a thread's end the runtime frees thread_local
// storage before it runs thread_local destructors, so maps kept there were
// emptied on freed memory. The slot's callback gets the record itself and
// touches nothing thread_local.
#include "afxhandle.h"
#include <atomic>
#include <vector>

struct CThreadHandleMaps
{
    std::vector<CHandleMapBase*> maps;   // by kind
    CHandleMapBase* pFirst = NULL;       // every map, the last made first

    static void WINAPI Delete(void* pValue);
};

void WINAPI CThreadHandleMaps::Delete(void* pValue)
{
    CThreadHandleMaps* pRecord = (CThreadHandleMaps*)pValue;
    if (pRecord == NULL)
        return;
    // taken out first: a wrapper deleted below may ask for a map again
    CHandleMapBase* pMap = pRecord->pFirst;
    pRecord->pFirst = NULL;
    pRecord->maps.clear();
    while (pMap != NULL) {
        CHandleMapBase* pNext = pMap->m_pNextMap;
        delete pMap;
        pMap = pNext;
    }
    delete pRecord;
}

namespace
{
std::atomic<int> g_nMapKinds(0);

DWORD Slot()
{
    static const DWORD s_nSlot = ::FlsAlloc(CThreadHandleMaps::Delete);
    return s_nSlot;
}

CThreadHandleMaps* ThreadRecord()
{
    CThreadHandleMaps* pRecord = (CThreadHandleMaps*)::FlsGetValue(Slot());
    if (pRecord == NULL) {
        pRecord = new CThreadHandleMaps;
        ::FlsSetValue(Slot(), pRecord);
    }
    return pRecord;
}
} // namespace

int AFXAPI CHandleMapBase::NewMapKind()
{
    return g_nMapKinds++;
}

CHandleMapBase* AFXAPI CHandleMapBase::GetThreadMapOf(int nKind)
{
    CThreadHandleMaps* pRecord = ThreadRecord();
    return nKind < (int)pRecord->maps.size() ? pRecord->maps[nKind] : NULL;
}

void AFXAPI CHandleMapBase::SetThreadMapOf(int nKind, CHandleMapBase* pMap)
{
    CThreadHandleMaps* pRecord = ThreadRecord();
    if (nKind >= (int)pRecord->maps.size())
        pRecord->maps.resize(nKind + 1, NULL);
    pRecord->maps[nKind] = pMap;
}

CHandleMapBase::CHandleMapBase()
{
    CThreadHandleMaps* pRecord = ThreadRecord();
    m_pNextMap = pRecord->pFirst;
    pRecord->pFirst = this;
}

CHandleMapBase::~CHandleMapBase()
{
}

void AFXAPI AfxDeleteTempMaps()
{
    CThreadHandleMaps* pRecord = (CThreadHandleMaps*)::FlsGetValue(Slot());
    if (pRecord == NULL)
        return;
    for (CHandleMapBase* p = pRecord->pFirst; p != NULL; p = p->m_pNextMap)
        p->DeleteTemp();
}
