// COXDropEdit<T> - adds a drop button to an edit class T (COXEdit,
// COXNumericEdit or COXMaskedEdit). The button is not a child window: it
// lives in the edit's non-client area beside the client area and is painted,
// hit-tested and tracked by the template's own window procedure. Pressing it,
// with the mouse or the drop key (Alt+Enter by default), runs OnDropButton,
// which derived classes override to show their pop-up.
#pragma once

#include <afxwin.h>

#include "OXEdit.h"
#include "OXMaskedEdit.h"
#include "OXNumericEdit.h"

// Modifier bits of the drop key
#define OXDROPEDIT_CTRL  1
#define OXDROPEDIT_SHIFT 2
#define OXDROPEDIT_ALT   4

// Runs a pop-up's private message loop. Each message is offered to
// pfnMessage, which returns FALSE to end the loop. A WM_QUIT ends the loop as
// a cancel and is posted again, so that the program's own loop still sees it
// and the program can exit while a pop-up is open. Returns FALSE on WM_QUIT.
template <class TFn>
BOOL OXRunPopupLoop(TFn pfnMessage)
{
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessage(&msg, NULL, 0, 0);
        if (got == 0) {
            ::PostQuitMessage((int)msg.wParam);
            return FALSE;
        }
        if (got == -1)
            return FALSE;
        if (!pfnMessage(msg))
            return TRUE;
    }
}

// Keeps a pop-up rectangle on the monitor nearest to it: not past the
// monitor's left or right edge, and above the anchor when it would pass the
// bottom.
void OXKeepPopupOnMonitor(CRect& rcPopup, const CRect& rcAnchor);

// Shows a pop-up list or calendar at rcPopup (screen), kept on its monitor,
// topmost and without taking the activation, and gives it the mouse capture;
// OXHidePopup gives the capture back and hides it.
void OXShowPopup(CWnd* pPopup, CRect rcPopup, const CRect& rcAnchor);
void OXHidePopup(CWnd* pPopup);

template <class T>
class COXDropEdit : public T
{
    DECLARE_DYNAMIC(COXDropEdit)
public:
    COXDropEdit()
    {
        if (!this->IsKindOf(RUNTIME_CLASS(CEdit)))
            AfxThrowNotSupportedException();
    }

    // ---- virtual operations, in slot order after the base edit's ----
    virtual void OnDropButton()
    {
        if (m_pMenu == NULL)
            return;
        CRect rect;
        this->GetWindowRect(&rect);
        if (m_nButtonAlignment == 1)
            m_pMenu->TrackPopupMenu(TPM_LEFTALIGN, rect.left, rect.bottom, this);
        else
            m_pMenu->TrackPopupMenu(TPM_RIGHTALIGN, rect.right, rect.bottom, this);
        this->SetFocus();
    }
    virtual BOOL InitializeDropEdit() { return TRUE; }
    virtual CRect DrawButtonFrame(CDC* pDC, CRect rect, BOOL bPushed)
    {
        if (bPushed)
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        else
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        rect.DeflateRect(1, 1);
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        return rect;
    }
    virtual void DrawButtonContents(CDC* pDC, CRect rect, BOOL bPushed)
    {
        int nOldMode = pDC->SetBkMode(TRANSPARENT);
        COLORREF clrOld = pDC->SetTextColor(::GetSysColor(IsActive() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        if (bPushed)
            rect.OffsetRect(1, 1);
        pDC->DrawText("...", 3, &rect, DT_SINGLELINE | DT_BOTTOM | DT_CENTER);
        pDC->SetTextColor(clrOld);
        pDC->SetBkMode(nOldMode);
    }

    // ---- operations ----
    int GetButtonAlignment() const { return m_nButtonAlignment; }
    int GetButtonWidth() const { return m_nButtonWidth; }
    BOOL IsButtonVisible() const { return m_bButtonVisible; }
    UINT GetDropKey() const { return m_nDropKey; }
    UINT GetDropKeyModifiers() const { return m_nDropKeyModifiers; }
    void SetButtonAlignment(int nAlignment) { m_nButtonAlignment = nAlignment; RefreshFrame(); }
    void SetButtonWidth(int nWidth) { m_nButtonWidth = nWidth; RefreshFrame(); }
    void ShowButton(BOOL bShow) { m_bButtonVisible = bShow; RefreshFrame(); }
    void SetDropKey(UINT nKey, UINT nModifiers) { m_nDropKey = nKey; m_nDropKeyModifiers = nModifiers; }
    void SetMenu(CMenu* pMenu) { m_pMenu = pMenu; }
    CMenu* GetMenu() const { return m_pMenu; }

    BOOL RefreshFrame()
    {
        if (this->m_hWnd == NULL)
            return FALSE;
        ::SetWindowPos(this->m_hWnd, NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
        return TRUE;
    }

    CRect GetButtonRect() const
    {
        if (!m_bButtonVisible || this->m_hWnd == NULL)
            return CRect(0, 0, 0, 0);
        CRect rect;
        this->GetClientRect(&rect);
        if (m_nButtonAlignment)
            return CRect(rect.left - m_nButtonWidth, rect.top, rect.left, rect.bottom);
        return CRect(rect.right, rect.top, rect.right + m_nButtonWidth, rect.bottom);
    }

    BOOL IsPointInButton(CPoint ptScreen) const
    {
        if (!m_bButtonVisible)
            return FALSE;
        CRect rect = GetButtonRect();
        this->ClientToScreen(&rect);
        return rect.PtInRect(ptScreen);
    }

protected:
    BOOL IsActive() const
    {
        return this->IsWindowEnabled() && !(this->GetStyle() & ES_READONLY);
    }

    void RedrawButton()
    {
        ::RedrawWindow(this->m_hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE);
    }

    void StopTracking()
    {
        m_bButtonPressed = FALSE;
        m_bButtonPushed = FALSE;
        if (m_nTimerId) {
            ::KillTimer(this->m_hWnd, m_nTimerId);
            m_nTimerId = 0;
        }
        RedrawButton();
    }

    void PaintButton()
    {
        CWindowDC dc(this);
        CRect rect = GetButtonRect();
        CRect rcWindow;
        this->GetWindowRect(&rcWindow);
        this->ScreenToClient(&rcWindow);
        rect.OffsetRect(-rcWindow.left, -rcWindow.top);
        const BOOL bPushed = m_bButtonPressed && m_bButtonPushed;
        CRect rcInner = DrawButtonFrame(&dc, rect, bPushed);
        DrawButtonContents(&dc, rcInner, bPushed);
    }

    virtual void PreSubclassWindow() override
    {
        if (AfxGetThreadState()->m_pWndInit == NULL && !m_bInitialized) {
            m_bInitialized = TRUE;
            InitializeDropEdit();
            m_bFrameChangePending = TRUE;
        }
        T::PreSubclassWindow();
    }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_bInitialized && m_bCreated) {
            m_bInitialized = TRUE;
            InitializeDropEdit();
        }
        if (m_bFrameChangePending) {
            m_bFrameChangePending = FALSE;
            RefreshFrame();
        }
        switch (message) {
        case WM_NCCALCSIZE: {
            LRESULT lResult = T::WindowProc(message, wParam, lParam);
            if (m_bButtonVisible) {
                RECT* pRect = wParam ? &((NCCALCSIZE_PARAMS*)lParam)->rgrc[0] : (RECT*)lParam;
                if (m_nButtonWidth >= pRect->right - pRect->left)
                    pRect->right = pRect->left;
                else if (m_nButtonAlignment)
                    pRect->left += m_nButtonWidth;
                else
                    pRect->right -= m_nButtonWidth;
            }
            return lResult;
        }
        case WM_PAINT:
        case WM_NCPAINT: {
            LRESULT lResult = T::WindowProc(message, wParam, lParam);
            if (m_bButtonVisible)
                PaintButton();
            return lResult;
        }
        case WM_NCHITTEST: {
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            if (IsPointInButton(pt))
                return HTBORDER;
            break;
        }
        case WM_NCLBUTTONDOWN: {
            LRESULT lResult = T::WindowProc(message, wParam, lParam);
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            if (IsActive() && IsPointInButton(pt)) {
                m_bButtonPressed = TRUE;
                m_bButtonPushed = TRUE;
                RedrawButton();
                m_nTimerId = ::SetTimer(this->m_hWnd, 227, 200, NULL);
            }
            return lResult;
        }
        case WM_NCLBUTTONUP: {
            LRESULT lResult = T::WindowProc(message, wParam, lParam);
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            if (m_bButtonPressed && IsPointInButton(pt)) {
                StopTracking();
                OnDropButton();
            }
            return lResult;
        }
        case WM_TIMER:
            if (m_nTimerId != 0 && wParam == m_nTimerId) {
                if (!m_bButtonPressed)
                    return 0;
                if (::GetKeyState(VK_LBUTTON) < 0) {
                    CPoint pt;
                    ::GetCursorPos(&pt);
                    BOOL bOver = IsPointInButton(pt);
                    if (bOver != m_bButtonPushed) {
                        m_bButtonPushed = bOver;
                        RedrawButton();
                    }
                } else {
                    StopTracking();
                }
                return 0;
            }
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (IsActive() && wParam == m_nDropKey && ModifiersDown()) {
                if (m_bButtonPressed)
                    StopTracking();
                OnDropButton();
                return 0;
            }
            break;
        case WM_DESTROY:
            if (m_nTimerId) {
                ::KillTimer(this->m_hWnd, m_nTimerId);
                m_nTimerId = 0;
            }
            break;
        case WM_CREATE: {
            LRESULT lResult = T::WindowProc(message, wParam, lParam);
            m_bCreated = TRUE;
            return lResult;
        }
        default:
            break;
        }
        return T::WindowProc(message, wParam, lParam);
    }

    BOOL ModifiersDown() const
    {
        if ((m_nDropKeyModifiers & OXDROPEDIT_CTRL) && ::GetKeyState(VK_CONTROL) >= 0)
            return FALSE;
        if ((m_nDropKeyModifiers & OXDROPEDIT_SHIFT) && ::GetKeyState(VK_SHIFT) >= 0)
            return FALSE;
        if ((m_nDropKeyModifiers & OXDROPEDIT_ALT) && ::GetKeyState(VK_MENU) >= 0)
            return FALSE;
        return TRUE;
    }

    int m_nButtonAlignment = 0;
    int m_nButtonWidth = ::GetSystemMetrics(SM_CXHTHUMB);
    BOOL m_bButtonVisible = TRUE;
    BOOL m_bButtonPressed = FALSE;
    BOOL m_bButtonPushed = FALSE;
    BOOL m_bInitialized = FALSE;
    BOOL m_bCreated = FALSE;
    BOOL m_bFrameChangePending = FALSE;
    UINT_PTR m_nTimerId = 0;
    CMenu* m_pMenu = NULL;
    UINT m_nDropKey = VK_RETURN;
    UINT m_nDropKeyModifiers = OXDROPEDIT_ALT;
};

IMPLEMENT_DYNAMIC_T(COXDropEdit, T, T)

// Run-time class records of a class whose base is a template instance (the
// base is named through its GetThisClass, the plain macros paste its name).
#define OX_IMPLEMENT_RUNTIMECLASS_OVER_T(class_name, base_class_name, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, (int)sizeof(class class_name), 0xFFFF, pfnNew, \
        base_class_name::GetThisClass(), NULL }; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return _RUNTIME_CLASS(class_name); } \
    static AFX_CLASSINIT _afx_init_##class_name(_RUNTIME_CLASS(class_name));
#define OX_IMPLEMENT_DYNAMIC_OVER_T(class_name, base_class_name) \
    OX_IMPLEMENT_RUNTIMECLASS_OVER_T(class_name, base_class_name, NULL)
#define OX_IMPLEMENT_DYNCREATE_OVER_T(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    OX_IMPLEMENT_RUNTIMECLASS_OVER_T(class_name, base_class_name, class_name::CreateObject)
