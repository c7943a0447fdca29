// afxhandle.h - per-thread maps from Win32 handles to their wrapper objects
// (CWnd for HWND, CMenu for HMENU, CDC for HDC, CGdiObject for HGDIOBJ...).
//
// The rules:
// - A permanent entry is a wrapper the program owns: a CWnd that created or
//   subclassed its window, a CMenu that attached its menu. The map never
//   deletes it; the owner adds it (SetPermanent) and removes it
//   (RemoveHandle) when it detaches or its handle is destroyed.
// - FromHandle for a handle nobody wraps makes a temporary wrapper. All
//   temporaries of a thread are deleted together at idle time
//   (AfxDeleteTempMaps, or DeleteTemp on one map). Before deletion each is
//   detached - its handle member cleared by the traits - so deleting it never
//   destroys the window, menu, DC or GDI object. A pointer FromHandle returns
//   may therefore only be used until the thread next goes idle.
// - Maps are per thread, as windows and their wrappers are: a handle
//   wrapped on one thread is unknown to the maps of another.
//
// Instantiate with a traits class that makes and detaches temporaries:
//   struct Traits {
//       static CObj* CreateTemp(HANDLE_T h);   // new wrapper holding h
//       static void DetachTemp(CObj* p);       // clear its handle member(s)
//   };
// CHandleMemberTraits does this for a wrapper with one handle member:
//   typedef CHandleMap<CWnd, HWND, CHandleMemberTraits<CWnd, HWND, &CWnd::m_hWnd> > CWndHandleMap;
//   CWnd* p = CWndHandleMap::GetThreadMap()->FromHandle(hWnd);
#ifndef PELLUCOR_AFXHANDLE_H
#define PELLUCOR_AFXHANDLE_H

#include "afx.h"
#include <unordered_map>

class CHandleMapBase
{
public:
    virtual void DeleteTemp() = 0;

    // A number of its own for each kind of map (made once per process), and
    // the calling thread's map of a kind (NULL until set). The thread's maps
    // are deleted when it ends.
    static int AFXAPI NewMapKind();
    static CHandleMapBase* AFXAPI GetThreadMapOf(int nKind);
    static void AFXAPI SetThreadMapOf(int nKind, CHandleMapBase* pMap);

protected:
    CHandleMapBase();            // joins this thread's list of maps
    virtual ~CHandleMapBase();   // only ever deleted with the thread's others

private:
    CHandleMapBase* m_pNextMap;
    friend void AFXAPI AfxDeleteTempMaps();
    friend struct CThreadHandleMaps;
    CHandleMapBase(const CHandleMapBase&) = delete;
    void operator=(const CHandleMapBase&) = delete;
};

// Deletes the temporary wrappers of every handle map of the calling thread.
void AFXAPI AfxDeleteTempMaps();

template<class CObj, class HANDLE_T, HANDLE_T CObj::*pmHandle>
struct CHandleMemberTraits
{
    static CObj* CreateTemp(HANDLE_T h)
    {
        CObj* p = new CObj;
        p->*pmHandle = h;
        return p;
    }
    static void DetachTemp(CObj* p) { p->*pmHandle = NULL; }
};

template<class CObj, class HANDLE_T, class Traits>
class CHandleMap : public CHandleMapBase
{
public:
    // The calling thread's map (made on first use, gone with the thread).
    static CHandleMap* GetThreadMap()
    {
        static const int s_nKind = NewMapKind();
        CHandleMapBase* pMap = GetThreadMapOf(s_nKind);
        if (pMap == NULL) {
            pMap = new CHandleMap;
            SetThreadMapOf(s_nKind, pMap);
        }
        return static_cast<CHandleMap*>(pMap);
    }

    // The permanent wrapper, else a temporary one (made if need be); NULL
    // for a NULL handle.
    CObj* FromHandle(HANDLE_T h)
    {
        if (h == NULL)
            return NULL;
        if (CObj* p = LookupPermanent(h))
            return p;
        if (CObj* p = LookupTemporary(h))
            return p;
        CObj* p = Traits::CreateTemp(h);
        m_temporary[h] = p;
        return p;
    }

    CObj* LookupPermanent(HANDLE_T h) const
    {
        auto it = m_permanent.find(h);
        return it != m_permanent.end() ? it->second : NULL;
    }

    CObj* LookupTemporary(HANDLE_T h) const
    {
        auto it = m_temporary.find(h);
        return it != m_temporary.end() ? it->second : NULL;
    }

    void SetPermanent(HANDLE_T h, CObj* pObj) { m_permanent[h] = pObj; }

    // Forgets the permanent entry; a temporary wrapper of the same handle
    // stays until DeleteTemp.
    void RemoveHandle(HANDLE_T h) { m_permanent.erase(h); }

    void DeleteTemp() override
    {
        // taken out first: a wrapper's destructor may look handles up again
        std::unordered_map<HANDLE_T, CObj*> temp;
        temp.swap(m_temporary);
        for (auto& entry : temp)
        {
            Traits::DetachTemp(entry.second);
            delete entry.second;
        }
    }

    ~CHandleMap() override { DeleteTemp(); }

private:
    CHandleMap() {}
    std::unordered_map<HANDLE_T, CObj*> m_permanent;
    std::unordered_map<HANDLE_T, CObj*> m_temporary;
};

#endif // PELLUCOR_AFXHANDLE_H
