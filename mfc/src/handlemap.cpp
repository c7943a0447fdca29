// The per-thread list of handle maps, so that idle time can empty the
// temporary part of all of them at once. The list is a plain per-thread
// pointer chain: it needs no destructor of its own at thread exit.
#include "afxhandle.h"

namespace
{
thread_local CHandleMapBase* t_pFirstMap = NULL;
}

CHandleMapBase::CHandleMapBase() : m_pNextMap(t_pFirstMap)
{
    t_pFirstMap = this;
}

CHandleMapBase::~CHandleMapBase()
{
    for (CHandleMapBase** pp = &t_pFirstMap; *pp != NULL; pp = &(*pp)->m_pNextMap)
    {
        if (*pp == this)
        {
            *pp = m_pNextMap;
            break;
        }
    }
}

void AFXAPI AfxDeleteTempMaps()
{
    for (CHandleMapBase* p = t_pFirstMap; p != NULL; p = p->m_pNextMap)
        p->DeleteTemp();
}
