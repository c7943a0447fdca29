// wndimpl.h - state shared by the window core's sources (not for users).
#pragma once

#include <afxwin.h>
#include <afxhandle.h>

// Messages are cracked from lParam as signed coordinates.
#define AFX_GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define AFX_GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

struct AFX_MSGCACHE_ENTRY
{
    const AFX_MSGMAP* pMap;          // the most derived map looked up (NULL: empty slot)
    UINT nMsg;
    const AFX_MSGMAP_ENTRY* pEntry;  // NULL: the map chain has no entry
};

// A command an MDI frame has sent down to its active child (mdi.cpp).
struct AFX_CHILD_COMMAND
{
    HWND hWndFrame;
    WPARAM wParam;
    LPARAM lParam;
    const AFX_CHILD_COMMAND* pOuter;
};

// Per-thread state of the window core: the public part (_AFX_THREAD_STATE,
// afxwin.h) and what only the layer reads. Created on first use; released by
// AfxTermThread.
struct AFX_WND_THREAD_STATE : public _AFX_THREAD_STATE
{
    CWinThread* pCurrentThread = NULL;   // the CWinThread running this thread
    // tooltips of EnableToolTips
    HWND hToolTip = NULL;
    HWND hToolTipOwner = NULL;           // top-level window the tooltip belongs to
    HWND hLastHitWnd = NULL;             // the window whose tool is current
    INT_PTR nLastHit = -1;
    TOOLINFO lastInfo = {};
    // message-map lookups
    AFX_MSGCACHE_ENTRY msgCache[512] = {};
    // commands MDI frames have sent down to their active children and not
    // yet had back, innermost first (mdi.cpp)
    const AFX_CHILD_COMMAND* pChildCommand = NULL;
};

AFX_WND_THREAD_STATE* AFXAPI AfxGetWndThreadState();
// NULL when the thread never used the window core.
AFX_WND_THREAD_STATE* AFXAPI AfxPeekWndThreadState();

// This thread's map of CWnd wrappers.
typedef CHandleMap<CWnd, HWND, CHandleMemberTraits<CWnd, HWND, &CWnd::m_hWnd> > CWndHandleMap;

// Tooltips: forget the tools of a window being destroyed (wndtooltip.cpp).
void AFXAPI AfxToolTipWindowDestroyed(CWnd* pWnd);
void AFXAPI AfxToolTipTerm(AFX_WND_THREAD_STATE* pState);
