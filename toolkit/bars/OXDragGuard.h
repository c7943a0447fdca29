// What a drag holds between its steps (the mouse capture, a window whose
// updates are locked, a DC of the screen) goes back when a step leaves by
// an exception: the guard releases whatever it still holds unless the step
// dismissed it, and can end the drag's own state too.
#pragma once

#include <windows.h>

#include <functional>

class COXDragGuard
{
public:
    explicit COXDragGuard(HWND hWndCapture, std::function<void()> endDrag = nullptr)
        : m_hWndCapture(hWndCapture), m_endDrag(std::move(endDrag))
    {
    }
    COXDragGuard(const COXDragGuard&) = delete;
    COXDragGuard& operator=(const COXDragGuard&) = delete;
    ~COXDragGuard()
    {
        if (!m_bDismissed)
            Release();
    }

    // The update lock (LockWindowUpdate) and a screen DC taken for the drag.
    void HoldLock() { m_bLocked = TRUE; }
    void HoldDC(HWND hWnd, HDC hDC)
    {
        m_hWndDC = hWnd;
        m_hDC = hDC;
    }
    // The step ended normally: the drag keeps what it holds.
    void Dismiss() { m_bDismissed = TRUE; }

    void Release()
    {
        m_bDismissed = TRUE;
        if (m_hDC != NULL) {
            ::ReleaseDC(m_hWndDC, m_hDC);
            m_hDC = NULL;
        }
        if (m_bLocked) {
            ::LockWindowUpdate(NULL);
            m_bLocked = FALSE;
        }
        if (m_hWndCapture != NULL && ::GetCapture() == m_hWndCapture)
            ::ReleaseCapture();
        if (m_endDrag)
            m_endDrag();
    }

private:
    HWND m_hWndCapture;
    std::function<void()> m_endDrag;
    HWND m_hWndDC = NULL;
    HDC m_hDC = NULL;
    BOOL m_bLocked = FALSE;
    BOOL m_bDismissed = FALSE;
};
