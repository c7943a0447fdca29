#include "OXCoolControlOrganizer.h"

#include <afxmt.h>
#include <afxcmn.h>

#include "OXCoolButton.h"
#include "OXCoolComboBox.h"
#include "OXCoolCtrl.h"
#include "OXCoolScrollBar.h"
#include "OXCoolSliderCtrl.h"
#include "OXCoolSpinButtonCtrl.h"
#include "OXHookWnd.h"

namespace {

// What the organizers of a process share: which thread has which organizer,
// and the first hooks of each kind. Hooks run on their own threads while
// another thread may attach or detach, so all of it is read and written
// under the lock. Never destroyed: a hook may still run at the very end.
struct OrganizerRegistry
{
    CCriticalSection lock;
    CMap<DWORD, DWORD, COXCoolControlOrganizer*, COXCoolControlOrganizer*> mapThreads;
    HHOOK hCBTHook = NULL;
    HHOOK hGetMessageHook = NULL;
};

OrganizerRegistry& Registry()
{
    static OrganizerRegistry* s_pRegistry = new OrganizerRegistry;
    return *s_pRegistry;
}

class CRegistryLock
{
public:
    CRegistryLock() { Registry().lock.Lock(); }
    ~CRegistryLock() { Registry().lock.Unlock(); }
};

template <class TCool>
CWnd* NewOf()
{
    return new TCool;
}

struct CoolClass
{
    const char* pszClassName;
    CWnd* (*pfnNew)();
};

// The standard control classes and what each becomes; compared ignoring case.
const CoolClass kCoolClasses[] = {
    {"Edit", NewOf<COXCoolCtrl<CEdit>>},
    {"Button", NewOf<COXCoolButton>},
    {"msctls_updown32", NewOf<COXCoolSpinButtonCtrl>},
    {"msctls_hotkey32", NewOf<COXCoolCtrl<CHotKeyCtrl>>},
    {"ComboBox", NewOf<COXCoolComboBox>},
    {"ScrollBar", NewOf<COXCoolScrollBar>},
    {"msctls_progress32", NewOf<COXCoolCtrl<CProgressCtrl>>},
    {"msctls_trackbar32", NewOf<COXCoolSliderCtrl>},
    {"SysDateTimePick32", NewOf<COXCoolCtrl<CDateTimeCtrl>>},
    {"SysMonthCal32", NewOf<COXCoolCtrl<CMonthCalCtrl>>},
    {"SysIPAddress32", NewOf<COXCoolCtrl<CIPAddressCtrl>>},
    {"SysListView32", NewOf<COXCoolCtrl<CListCtrl>>},
    {"SysTreeView32", NewOf<COXCoolCtrl<CTreeCtrl>>},
    {"LISTBOX", NewOf<COXCoolCtrl<CListBox>>},
    {"RICHEDIT", NewOf<COXCoolCtrl<CRichEditCtrl>>},
};

const CoolClass* FindCoolClass(const CString& sClassName)
{
    for (const CoolClass& cls : kCoolClasses) {
        if (sClassName.CompareNoCase(cls.pszClassName) == 0)
            return &cls;
    }
    return NULL;
}

DWORD WindowThread(HWND hWnd)
{
    return ::GetWindowThreadProcessId(hWnd, NULL);
}

} // namespace

COXCoolControlOrganizer::COXCoolControlOrganizer()
    : m_mapConvertedWindows(10), m_mapSkippedWindows(10), m_dwThreadID(0), m_hCBTHook(NULL), m_hGetMessageHook(NULL)
{
}

COXCoolControlOrganizer::~COXCoolControlOrganizer()
{
    if (IsAttached())
        DetachFromThread();
    else
        DetachWindow(NULL);
}

HHOOK COXCoolControlOrganizer::GetCBTHook()
{
    CRegistryLock lock;
    return Registry().hCBTHook;
}

HHOOK COXCoolControlOrganizer::GetGetMessageHook()
{
    CRegistryLock lock;
    return Registry().hGetMessageHook;
}

COXCoolControlOrganizer* COXCoolControlOrganizer::GetThreadOrganizer(DWORD dwThreadID)
{
    CRegistryLock lock;
    COXCoolControlOrganizer* pOrganizer = NULL;
    Registry().mapThreads.Lookup(dwThreadID, pOrganizer);
    return pOrganizer;
}

BOOL COXCoolControlOrganizer::AttachToThread(DWORD dwThreadID)
{
    // Controls of another thread would get objects outside that thread's
    // handle map, and its hooks would call into this thread's objects.
    if (dwThreadID != ::GetCurrentThreadId() || IsAttached())
        return FALSE;
    {
        CRegistryLock lock;
        COXCoolControlOrganizer* pOther = NULL;
        if (Registry().mapThreads.Lookup(dwThreadID, pOther))
            return FALSE;
        Registry().mapThreads.SetAt(dwThreadID, this);
    }
    m_dwThreadID = dwThreadID;
    ::EnumWindows(EnumThreadWindowsProc, (LPARAM)this);
    m_hCBTHook = ::SetWindowsHookExA(WH_CBT, CBTHookProc, NULL, dwThreadID);
    m_hGetMessageHook = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageHookProc, NULL, dwThreadID);
    if (m_hCBTHook == NULL || m_hGetMessageHook == NULL) {
        // Without its hooks the organizer would miss every later control.
        DetachFromThread();
        return FALSE;
    }
    CRegistryLock lock;
    if (Registry().hCBTHook == NULL)
        Registry().hCBTHook = m_hCBTHook;
    if (Registry().hGetMessageHook == NULL)
        Registry().hGetMessageHook = m_hGetMessageHook;
    return TRUE;
}

BOOL COXCoolControlOrganizer::DetachFromThread()
{
    if (!IsAttached())
        return FALSE;
    if (m_hCBTHook)
        ::UnhookWindowsHookEx(m_hCBTHook);
    if (m_hGetMessageHook)
        ::UnhookWindowsHookEx(m_hGetMessageHook);
    m_hCBTHook = NULL;
    m_hGetMessageHook = NULL;
    {
        CRegistryLock lock;
        Registry().hCBTHook = NULL;
        Registry().hGetMessageHook = NULL;
        Registry().mapThreads.RemoveKey(m_dwThreadID);
    }
    m_mapSkippedWindows.RemoveAll();
    m_dwThreadID = 0;
    return DetachWindow(NULL);
}

BOOL COXCoolControlOrganizer::CanConvertWindow(HWND hWnd, const CString& sClassName)
{
    if (FindCoolClass(sClassName) == NULL)
        return FALSE;
    // The edit of a combo box is the cool combo box's to convert.
    if (sClassName.CompareNoCase("Edit") == 0 && hWnd != NULL && IsComboBoxClassWindow(::GetParent(hWnd)))
        return FALSE;
    return TRUE;
}

CWnd* COXCoolControlOrganizer::NewCoolControl(const CString& sClassName)
{
    const CoolClass* pClass = FindCoolClass(sClassName);
    return pClass ? pClass->pfnNew() : new COXCoolCtrl<CWnd>;
}

CWnd* COXCoolControlOrganizer::ConvertWindow(HWND hWnd, const CString& sClassName)
{
    CWnd* pWnd = NewCoolControl(sClassName);
    if (!pWnd->SubclassWindow(hWnd)) {
        delete pWnd;
        return NULL;
    }
    return pWnd;
}

BOOL COXCoolControlOrganizer::IsAttachedWindow(HWND hWnd) const
{
    void* p = NULL;
    return m_mapConvertedWindows.Lookup(hWnd, p);
}

BOOL COXCoolControlOrganizer::IsSkippedWindow(HWND hWnd) const
{
    DWORD dwReason = 0;
    return m_mapSkippedWindows.Lookup(hWnd, dwReason);
}

BOOL COXCoolControlOrganizer::AttachWindow(HWND hWnd)
{
    if (IsKnownWindow(hWnd))
        return FALSE;
    if (CWnd::FromHandlePermanent(hWnd) != NULL) {
        m_mapSkippedWindows.SetAt(hWnd, OXCOOL_SKIP_PERMANENT);
        return FALSE;
    }
    char szClass[512] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    CString sClassName(szClass);
    if (!CanConvertWindow(hWnd, sClassName)) {
        m_mapSkippedWindows.SetAt(hWnd, OXCOOL_SKIP_REFUSED);
        return FALSE;
    }
    CWnd* pWnd = ConvertWindow(hWnd, sClassName);
    if (pWnd == NULL) {
        m_mapSkippedWindows.SetAt(hWnd, OXCOOL_SKIP_FAILED);
        return FALSE;
    }
    m_mapConvertedWindows.SetAt(hWnd, pWnd);
    ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return TRUE;
}

void COXCoolControlOrganizer::ConvertWindowTree(HWND hWnd)
{
    for (; hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (WindowThread(hWnd) != m_dwThreadID)
            break;
        if (!IsKnownWindow(hWnd))
            AttachWindow(hWnd);
        HWND hChild = ::GetWindow(hWnd, GW_CHILD);
        if (hChild != NULL && !IsKnownWindow(hChild))
            ConvertWindowTree(hChild);
    }
}

void COXCoolControlOrganizer::ReleaseControl(CWnd* pWnd)
{
    HWND hWnd = pWnd->m_hWnd;
    ::KillTimer(hWnd, OXCOOL_TIMER_ID);
    WNDPROC pfnCurrent = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    if (pfnCurrent != AfxGetAfxWndProc() && pWnd->m_pfnSuper != NULL) {
        // Hooks put on the window after the conversion (an item tip) pass
        // their messages on to the cool object. Restoring the window's own
        // procedure would cut them off; instead they now pass on to it.
        BOOL bRechained = FALSE;
        for (COXHookWnd* pHook = COXHookWndMap::GetHookMap().LookupHook(hWnd); pHook; pHook = pHook->m_pNextHook) {
            if (pHook->m_pfnPrevWndProc == AfxGetAfxWndProc()) {
                pHook->m_pfnPrevWndProc = pWnd->m_pfnSuper;
                bRechained = TRUE;
            }
        }
        if (bRechained) {
            pWnd->m_pfnSuper = NULL;
            pWnd->Detach();
            return;
        }
    }
    pWnd->UnsubclassWindow();
}

BOOL COXCoolControlOrganizer::DetachWindow(HWND hWnd)
{
    if (hWnd == NULL) {
        while (!m_mapConvertedWindows.IsEmpty()) {
            POSITION pos = m_mapConvertedWindows.GetStartPosition();
            HWND hFirst = NULL;
            void* p = NULL;
            m_mapConvertedWindows.GetNextAssoc(pos, hFirst, p);
            DetachWindow(hFirst);
        }
        return TRUE;
    }
    void* p = NULL;
    if (!m_mapConvertedWindows.Lookup(hWnd, p))
        return FALSE;
    m_mapConvertedWindows.RemoveKey(hWnd);
    CWnd* pWnd = (CWnd*)p;
    if (::IsWindow(pWnd->m_hWnd)) {
        ReleaseControl(pWnd);
        ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    } else {
        // Destroyed unseen: nothing to unsubclass, and the object's end must
        // not touch a handle that may already name another window.
        pWnd->Detach();
        pWnd->m_hWnd = NULL;
    }
    delete pWnd;
    return TRUE;
}

void COXCoolControlOrganizer::DetachDestroyedWindows(HWND hWnd)
{
    // Only the window DestroyWindow is called for reaches the hook; the
    // controls on it go with it unannounced, and would otherwise keep their
    // objects (and their handles, which a later window may get) until the
    // organizer detaches.
    CArray<HWND, HWND> going;
    for (POSITION pos = m_mapConvertedWindows.GetStartPosition(); pos != NULL;) {
        HWND hConverted = NULL;
        void* p = NULL;
        m_mapConvertedWindows.GetNextAssoc(pos, hConverted, p);
        if (hConverted == hWnd || ::IsChild(hWnd, hConverted))
            going.Add(hConverted);
    }
    for (INT_PTR i = 0; i < going.GetSize(); i++)
        DetachWindow(going[i]);
}

LRESULT CALLBACK COXCoolControlOrganizer::CBTHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = (HWND)wParam;
    if (nCode >= 0 && ::IsWindow(hWnd)) {
        COXCoolControlOrganizer* pOrganizer = GetThreadOrganizer(WindowThread(hWnd));
        if (pOrganizer != NULL) {
            if (nCode == HCBT_DESTROYWND)
                pOrganizer->DetachDestroyedWindows(hWnd);
            return ::CallNextHookEx(pOrganizer->m_hCBTHook, nCode, wParam, lParam);
        }
    }
    return ::CallNextHookEx(GetCBTHook(), nCode, wParam, lParam);
}

LRESULT CALLBACK COXCoolControlOrganizer::GetMessageHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = (const MSG*)lParam;
    if (nCode >= 0 && pMsg != NULL && ::IsWindow(pMsg->hwnd)) {
        COXCoolControlOrganizer* pOrganizer = GetThreadOrganizer(WindowThread(pMsg->hwnd));
        if (pOrganizer != NULL) {
            if (pOrganizer->IsAttachedWindow(pMsg->hwnd)) {
                if (pMsg->message == WM_DESTROY)
                    pOrganizer->DetachWindow(pMsg->hwnd);
            } else {
                pOrganizer->ConvertWindowTree(pMsg->hwnd);
            }
            return ::CallNextHookEx(pOrganizer->m_hGetMessageHook, nCode, wParam, lParam);
        }
    }
    return ::CallNextHookEx(GetGetMessageHook(), nCode, wParam, lParam);
}

BOOL CALLBACK COXCoolControlOrganizer::EnumThreadWindowsProc(HWND hWnd, LPARAM lParam)
{
    COXCoolControlOrganizer* pOrganizer = (COXCoolControlOrganizer*)lParam;
    if (WindowThread(hWnd) != pOrganizer->m_dwThreadID)
        return TRUE;
    pOrganizer->ConvertWindowTree(hWnd);
    return FALSE;
}
