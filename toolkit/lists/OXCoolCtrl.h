// COXCoolCtrl<T>: the "cool" look for a standard control. While the control
// is neither under the mouse nor holding the focus its border (and its own
// scroll bars) is painted flat; when the mouse enters it or it takes the
// focus it turns hot and shows a sunken two-pixel border. Each control owns a
// tooltip with one tool (id 1000) over its client area.
//
// Hover is polled by one timer (id 210, 150 ms) per control, and only while
// the mouse is over it: mouse messages start the check, the timer notices the
// mouse leaving (no WM_MOUSELEAVE tracking, so children of the control count).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// TRUE when pWnd is pAncestor or lies below it, walking MFC owners for
// windows with a permanent object and parents (children) or owners (others)
// for the rest.
BOOL IsAncestorOrSelf(CWnd* pAncestor, CWnd* pWnd);
// The spin button attached to an edit (by UDM_GETBUDDY, aligned left or
// right, with a permanent MFC object), or NULL.
HWND FindBuddySpinButton(HWND hWnd);
BOOL IsEditClassWindow(HWND hWnd);
BOOL IsSpinButtonClassWindow(HWND hWnd);
BOOL IsComboBoxClassWindow(HWND hWnd);

// The window-free arithmetic of a flat scroll bar: the arrow boxes, and the
// thumb (none when bThumb is FALSE). Coordinates run along the bar.
struct OXFlatScrollLayout
{
    int nArrow;          // size of each arrow box along the bar
    int nTrack;          // length between the arrow boxes
    BOOL bThumb;
    int nThumbStart;     // offset of the thumb from the bar's start
    int nThumbLength;
};
OXFlatScrollLayout OXLayoutFlatScrollBar(int nLength, int nArrowMetric, const SCROLLINFO& si);

// A whole flat scroll bar in rect: the track in the stock checker of
// highlight and face, raised flat arrow boxes with their arrows (grey when
// the bar is disabled) and the thumb as a raised flat box.
void OXDrawFlatScrollBar(CDC* pDC, const CRect& rect, BOOL bHorizontal, const SCROLLINFO& si, BOOL bEnabled);

// Pens of the cool family, made once on first use and kept for the program.
CPen* OXCoolPen(int nSysColor);

// The family's flat 3D boxes, two pixels deep: raised is highlight above and
// left, shadow below and right, then a ring of button face; sunken has the
// outer pair the other way round.
void OXDrawRaisedFlatBox(CDC* pDC, CRect rect);
void OXDrawSunkenFlatBox(CDC* pDC, CRect rect);

#define OXCOOL_TIMER_ID 210
#define OXCOOL_TIMER_PERIOD 150
#define OXCOOL_TOOL_ID 1000

template <class T>
class COXCoolCtrl : public T
{
public:
    COXCoolCtrl() {}
    virtual ~COXCoolCtrl()
    {
        if (::IsWindow(m_tooltip.GetSafeHwnd()))
            m_tooltip.DestroyWindow();
    }

    virtual BOOL IsCoolState() const { return m_bCoolState; }

    virtual void SetCoolState(BOOL bCool)
    {
        if (!bCool == !m_bCoolState)
            return;
        m_bCoolState = bCool;
        if (bCool) {
            UpdateMouseOver(TRUE);
            if (!m_bHot && IsAncestorOrSelf(this, CWnd::GetFocus()))
                SetHotState(TRUE);
        }
        if (::IsWindow(this->m_hWnd))
            this->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    }

    virtual void UpdateMouseOver(BOOL bCheckChildren)
    {
        if (!::IsWindow(this->m_hWnd))
            return;
        CPoint pt;
        ::GetCursorPos(&pt);
        HWND hUnder = ::WindowFromPoint(pt);
        BOOL bOver = hUnder == this->m_hWnd;
        if (!bOver && bCheckChildren && hUnder)
            bOver = IsAncestorOrSelf(this, CWnd::FromHandle(hUnder));
        if (!bOver && hUnder && IsEditClassWindow(this->m_hWnd) && IsSpinButtonClassWindow(hUnder)
            && (HWND)::SendMessage(hUnder, UDM_GETBUDDY, 0, 0) == this->m_hWnd)
            bOver = TRUE;
        if (hUnder && IsSpinButtonClassWindow(this->m_hWnd)) {
            HWND hBuddy = (HWND)::SendMessage(hUnder, UDM_GETBUDDY, 0, 0);
            if (hBuddy && IsEditClassWindow(hBuddy))
                ::SendMessage(hBuddy, WM_TIMER, OXCOOL_TIMER_ID, 0);
        }
        if (!bOver == !m_bMouseOver)
            return;
        m_bMouseOver = bOver;
        if (bOver)
            OnMouseEnter(pt);
        else
            OnMouseLeave(pt);
        if (!m_bMouseOver) {
            if (m_nTimerID && ::IsWindow(this->m_hWnd))
                this->KillTimer(m_nTimerID);
            m_nTimerID = 0;
        } else if (m_nTimerID == 0) {
            m_nTimerID = this->SetTimer(OXCOOL_TIMER_ID, OXCOOL_TIMER_PERIOD, NULL);
        }
    }

    virtual BOOL InitializeCoolCtrl()
    {
        SetHotState(IsAncestorOrSelf(this, CWnd::GetFocus()));
        if (!m_tooltip.Create(this, 0))
            return FALSE;
        m_tooltip.SendMessage(TTM_ACTIVATE, TRUE, 0);
        return TRUE;
    }

    virtual void SetHotState(BOOL bHot)
    {
        if (!bHot && ::IsWindow(this->m_hWnd) && IsAncestorOrSelf(this, CWnd::GetFocus()))
            return;
        if (!bHot == !m_bHot)
            return;
        m_bHot = bHot;
        if (!::IsWindow(this->m_hWnd))
            return;
        this->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE);
        HWND hSpin = FindBuddySpinButton(this->m_hWnd);
        if (hSpin)
            ::RedrawWindow(hSpin, NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    }

    virtual void OnFocusChanged(CWnd* pWndGainFocus, CWnd* pWndLoseFocus)
    {
        HWND hGain = pWndGainFocus ? pWndGainFocus->m_hWnd : NULL;
        HWND hLose = pWndLoseFocus ? pWndLoseFocus->m_hWnd : NULL;
        BOOL bAct = (hGain == this->m_hWnd && !m_bHot) || (hLose == this->m_hWnd && m_bHot);
        if (!bAct)
            return;
        if (hGain && hLose) {
            if (FindBuddySpinButton(hLose) == hGain)
                return;
            if (IsAncestorOrSelf(pWndLoseFocus, pWndGainFocus))
                return;
        }
        SetHotState(!m_bHot);
    }

    virtual BOOL HandleKeyDown(UINT nVirtKey) { (void)nVirtKey; return FALSE; }

    virtual void OnMouseEnter(const CPoint& ptCursor)
    {
        (void)ptCursor;
        if (!m_bHot)
            SetHotState(TRUE);
    }

    virtual void OnMouseLeave(const CPoint& ptCursor)
    {
        (void)ptCursor;
        if (m_bHot)
            SetHotState(FALSE);
    }

    virtual BOOL OnChangeTooltipText(const CString& sText) { (void)sText; return TRUE; }

    BOOL GetTooltipText(CString& sText) const
    {
        if (!::IsWindow(m_tooltip.GetSafeHwnd()))
            return FALSE;
        sText.Empty();
        TOOLINFO ti = MakeToolInfo();
        if (::SendMessage(m_tooltip.m_hWnd, TTM_GETTOOLINFO, 0, (LPARAM)&ti)) {
            char buffer[1024] = "";
            ti.lpszText = buffer;
            ::SendMessage(m_tooltip.m_hWnd, TTM_GETTEXT, sizeof(buffer), (LPARAM)&ti);
            sText = buffer;
        }
        return TRUE;
    }

    BOOL SetTooltipText(const CString& sText)
    {
        if (!::IsWindow(m_tooltip.GetSafeHwnd()) || !OnChangeTooltipText(sText))
            return FALSE;
        TOOLINFO ti = MakeToolInfo();
        if (sText.IsEmpty()) {
            ::SendMessage(m_tooltip.m_hWnd, TTM_DELTOOL, 0, (LPARAM)&ti);
            return TRUE;
        }
        CString sOld;
        GetTooltipText(sOld);
        if (sOld.Collate(sText) == 0)
            return TRUE;
        ReplaceTool(sText);
        return TRUE;
    }

    void DrawCoolBorder()
    {
        if (!IsCoolState())
            return;
        CPen* pHighlight = OXCoolPen(COLOR_BTNHIGHLIGHT);
        CPen* pShadow = OXCoolPen(COLOR_BTNSHADOW);
        CRect rectClient, rectWindow;
        this->GetClientRect(&rectClient);
        this->ClientToScreen(&rectClient);
        this->GetWindowRect(&rectWindow);
        if (rectClient == rectWindow)
            return;
        CRect rectSpin(0, 0, 0, 0);
        HWND hSpin = FindBuddySpinButton(this->m_hWnd);
        if (hSpin)
            ::GetWindowRect(hSpin, &rectSpin);
        CPoint offset(-rectWindow.left, -rectWindow.top);
        if (!rectSpin.IsRectEmpty())
            rectSpin.OffsetRect(offset);
        rectClient.OffsetRect(offset);
        rectWindow.OffsetRect(offset);
        rectSpin.IntersectRect(&rectSpin, &rectWindow);
        BOOL bHot = this->IsWindowEnabled() && m_bHot;

        CWindowDC dc(this);
        DWORD dwStyle = this->GetStyle();
        CRect rectH(0, 0, 0, 0), rectV(0, 0, 0, 0);
        if (dwStyle & WS_HSCROLL) {
            rectH.SetRect(rectClient.left, rectClient.bottom, rectClient.right,
                          rectClient.bottom + ::GetSystemMetrics(SM_CYHSCROLL));
            DrawFlatScrollBar(&dc, rectH.left, rectH.top, rectH.right, rectH.bottom, TRUE);
        }
        if (dwStyle & WS_VSCROLL) {
            rectV.SetRect(rectClient.right, rectClient.top,
                          rectClient.right + ::GetSystemMetrics(SM_CXVSCROLL), rectClient.bottom);
            DrawFlatScrollBar(&dc, rectV.left, rectV.top, rectV.right, rectV.bottom, FALSE);
        }
        dc.SelectClipRgn(NULL);
        dc.ExcludeClipRect(&rectSpin);
        dc.ExcludeClipRect(&rectClient);
        dc.ExcludeClipRect(&rectH);
        dc.ExcludeClipRect(&rectV);
        CRect rect = rectWindow;
        if (bHot) {
            dc.Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
            rect.DeflateRect(1, 1);
            dc.Draw3dRect(&rect, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNFACE));
        } else {
            CPen* pOldPen = dc.SelectObject(this->IsWindowEnabled() ? pHighlight : pShadow);
            dc.Rectangle(&rect);
            rect.DeflateRect(1, 1);
            dc.Rectangle(&rect);
            dc.SelectObject(pOldPen);
        }
        dc.SelectClipRgn(NULL);
        if (!this->IsWindowEnabled()) {
            CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
            CPen* pOldPen = dc.SelectObject(pHighlight);
            dc.Rectangle(&rectWindow);
            dc.SelectObject(pOldPen);
            dc.SelectObject(pOldBrush);
        }
        if (hSpin)
            ::RedrawWindow(hSpin, NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    }

    void DrawFlatScrollBar(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, BOOL bHorizontal)
    {
        if (!IsCoolState() || m_bHot)
            return;
        SCROLLINFO si = {};
        si.cbSize = sizeof(SCROLLINFO);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
        if (!::GetScrollInfo(this->m_hWnd, bHorizontal ? SB_HORZ : SB_VERT, &si))
            ::SendMessage(this->m_hWnd, SBM_GETSCROLLINFO, 0, (LPARAM)&si);
        OXDrawFlatScrollBar(pDC, CRect(nLeft, nTop, nRight, nBottom), bHorizontal, si, this->IsWindowEnabled());
    }

    BOOL IsHot() const { return m_bHot; }
    BOOL IsMouseOver() const { return m_bMouseOver; }
    UINT_PTR GetHoverTimerID() const { return m_nTimerID; }
    CToolTipCtrl& GetToolTip() { return m_tooltip; }

protected:
    virtual void PreSubclassWindow() override
    {
        if (AfxGetThreadState()->m_pWndInit == NULL && !m_bInitialized) {
            m_bInitialized = TRUE;
            InitializeCoolCtrl();
        }
        T::PreSubclassWindow();
    }

    virtual BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (::IsWindow(m_tooltip.GetSafeHwnd())) {
            m_tooltip.SendMessage(TTM_ACTIVATE, TRUE, 0);
            m_tooltip.SendMessage(TTM_RELAYEVENT, 0, (LPARAM)pMsg);
        }
        if (pMsg->message == WM_KEYDOWN && HandleKeyDown((UINT)pMsg->wParam))
            return TRUE;
        return CWnd::PreTranslateMessage(pMsg);
    }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE:
            if (!m_bInitialized) {
                m_bInitialized = TRUE;
                InitializeCoolCtrl();
            }
            break;
        case WM_DESTROY:
            if (m_nTimerID) {
                this->KillTimer(m_nTimerID);
                m_nTimerID = 0;
            }
            if (::IsWindow(m_tooltip.GetSafeHwnd()))
                m_tooltip.DestroyWindow();
            break;
        case WM_NCDESTROY: {
            LRESULT lResult = T::WindowProc(message, wParam, lParam);
            m_nTimerID = 0;
            m_bMouseOver = FALSE;
            m_bInitialized = FALSE;
            return lResult;
        }
        case WM_SIZE: {
            LRESULT lResult = T::WindowProc(message, wParam, lParam);
            CString sText;
            if (GetTooltipText(sText))
                ReplaceTool(sText);
            return lResult;
        }
        case WM_SETFOCUS:
            if (IsCoolState())
                OnFocusChanged(this, CWnd::FromHandle((HWND)wParam));
            break;
        case WM_KILLFOCUS:
            if (IsCoolState())
                OnFocusChanged(CWnd::FromHandle((HWND)wParam), this);
            break;
        case WM_ENABLE:
            if (IsCoolState()) {
                LRESULT lResult = T::WindowProc(message, wParam, lParam);
                this->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
                return lResult;
            }
            break;
        case WM_NCPAINT: {
            LRESULT lResult = T::WindowProc(message, wParam, lParam);
            DrawCoolBorder();
            return lResult;
        }
        case WM_TIMER:
            if (wParam == OXCOOL_TIMER_ID) {
                if (IsCoolState())
                    UpdateMouseOver(TRUE);
                return 0;
            }
            break;
        default:
            if (((message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL)
                 || (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK))
                && !m_bMouseOver && IsCoolState())
                UpdateMouseOver(TRUE);
            break;
        }
        return T::WindowProc(message, wParam, lParam);
    }

    // Tool 1000 anew, with this text, over the current client rectangle.
    void ReplaceTool(const CString& sText)
    {
        TOOLINFO ti = MakeToolInfo();
        ::SendMessage(m_tooltip.m_hWnd, TTM_DELTOOL, 0, (LPARAM)&ti);
        if (sText.IsEmpty())
            return;
        this->GetClientRect(&ti.rect);
        ti.lpszText = (LPSTR)(LPCTSTR)sText;
        ::SendMessage(m_tooltip.m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
    }

    TOOLINFO MakeToolInfo() const
    {
        TOOLINFO ti = {};
        ti.cbSize = sizeof(TOOLINFO);
        ti.hwnd = this->m_hWnd;
        ti.uId = OXCOOL_TOOL_ID;
        return ti;
    }

    BOOL m_bCoolState = TRUE;
    UINT_PTR m_nTimerID = 0;
    BOOL m_bMouseOver = FALSE;
    BOOL m_bHot = FALSE;
    CToolTipCtrl m_tooltip;
    BOOL m_bInitialized = FALSE;
};
