// COXCoolControlOrganizer: gives every standard control of one user-interface
// thread the cool look, with no change to the code that creates the controls.
// Attached to a thread, it subclasses each control it recognises by window
// class with the matching cool control; a WH_CBT and a WH_GETMESSAGE hook on
// that thread then convert controls that appear later and release those that
// are destroyed. One organizer serves one thread, one thread has at most one
// organizer, and an organizer attaches only to the thread it is called on
// (the converted objects live in that thread's handle map).
//
// Every window examined is remembered once: converted (the organizer owns
// the cool object) or skipped with a reason code.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

// Why a window was left alone.
#define OXCOOL_SKIP_PERMANENT 1   // it already has a permanent MFC object
#define OXCOOL_SKIP_REFUSED 2     // CanConvertWindow refused it
#define OXCOOL_SKIP_FAILED 3      // ConvertWindow gave no object

class COXCoolControlOrganizer
{
public:
    COXCoolControlOrganizer();
    virtual ~COXCoolControlOrganizer();

    // FALSE when already attached, when the thread has an organizer, or when
    // the thread is not the calling one.
    BOOL AttachToThread(DWORD dwThreadID = ::GetCurrentThreadId());
    // Unhooks and hands every converted control back to its plain self.
    BOOL DetachFromThread();
    BOOL IsAttached() const { return m_dwThreadID != 0; }
    DWORD GetAttachedThread() const { return m_dwThreadID; }

    // Which windows to convert: the standard control classes, by name
    // ignoring case, except the edit inside a combo box.
    virtual BOOL CanConvertWindow(HWND hWnd, const CString& sClassName);
    // A new cool object subclassing the window, or NULL.
    virtual CWnd* ConvertWindow(HWND hWnd, const CString& sClassName);

    BOOL AttachWindow(HWND hWnd);
    // Releases one converted window, or all of them for NULL.
    BOOL DetachWindow(HWND hWnd);
    // The window, the windows after it among its siblings, and all below them.
    void ConvertWindowTree(HWND hWnd);

    BOOL IsAttachedWindow(HWND hWnd) const;
    BOOL IsSkippedWindow(HWND hWnd) const;
    const CMap<HWND, HWND, void*, void*>& GetConvertedWindows() const { return m_mapConvertedWindows; }
    const CMap<HWND, HWND, DWORD, DWORD>& GetSkippedWindows() const { return m_mapSkippedWindows; }

    // The cool object the organizer builds for a window class, not yet
    // attached to any window: the class table (window-free).
    static CWnd* NewCoolControl(const CString& sClassName);

    static HHOOK GetCBTHook();
    static HHOOK GetGetMessageHook();
    // The organizer attached to a thread, or NULL.
    static COXCoolControlOrganizer* GetThreadOrganizer(DWORD dwThreadID);

protected:
    static LRESULT CALLBACK CBTHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GetMessageHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK EnumThreadWindowsProc(HWND hWnd, LPARAM lParam);

    BOOL IsKnownWindow(HWND hWnd) const { return IsAttachedWindow(hWnd) || IsSkippedWindow(hWnd); }
    // Hands the window back to the procedure it had before the cool object.
    static void ReleaseControl(CWnd* pWnd);
    // Releases the window and every converted control on it.
    void DetachDestroyedWindows(HWND hWnd);

public:
    // Plain members, read by the pages that offer the organizer; changed
    // only through the operations above.
    CMap<HWND, HWND, void*, void*> m_mapConvertedWindows;
    CMap<HWND, HWND, DWORD, DWORD> m_mapSkippedWindows;
    DWORD m_dwThreadID;
    HHOOK m_hCBTHook;
    HHOOK m_hGetMessageHook;

private:
    COXCoolControlOrganizer(const COXCoolControlOrganizer&) = delete;
    COXCoolControlOrganizer& operator=(const COXCoolControlOrganizer&) = delete;
};
