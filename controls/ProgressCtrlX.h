// ProgressCtrlX.h - CProgressCtrlX: a progress control painted with a
// multi-colour gradient by CProgress, with an optional percent or position
// text and a tooltip that shows the value. It answers the standard
// progress-bar messages itself, so code written for CProgressCtrl drives it
// unchanged.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include "Progress.h"

class CProgressCtrlX : public CProgressCtrl, public CProgress
{
    DECLARE_DYNAMIC(CProgressCtrlX)
public:
    // Timers the owner may start on the control's window: stepping and the
    // running gradient.
    enum { IDT_STEPIT = 11, IDT_ANIMATE = 12 };

    CProgressCtrlX();
    ~CProgressCtrlX() override;

    // The same calls as CProgressCtrl's; they go through the control's messages.
    void SetRange(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
    void GetRange(int& nLower, int& nUpper) const { CProgress::GetRange(nLower, nUpper); }
    int GetPos() const { return CProgress::GetPos(); }
    int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos); }
    int OffsetPos(int nDelta) { return (int)SendMessage(PBM_DELTAPOS, (WPARAM)nDelta); }
    int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, (WPARAM)nStep); }
    int StepIt() { return (int)SendMessage(PBM_STEPIT); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE) { SendMessage(WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw); }
    CFont* GetFont() const { return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0)); }
    // The background of the bar (-1: none); PBM_SETBKCOLOR leaves it alone.
    COLORREF SetBkColor(COLORREF clrBk);

    // The window style stands for the engine's style; a change repaints.
    DWORD GetStyle() const override { return CWnd::GetStyle(); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) override;

    // Tooltip text: a format and PBS_SHOW_PERCENT or PBS_SHOW_POSITION; an
    // empty format or no bits turn the tooltip off.
    void SetTooltipFormat(LPCTSTR szFormat, DWORD dwStyle = PBS_SHOW_PERCENT);
    CString GetTooltipFormat() const { return m_sToolTipFormat; }
    void UpdateTooltipText(int nPos);
    CToolTipCtrl* GetToolTip() { return &m_wndToolTip; }

    // The shift of the running gradient per IDT_ANIMATE tick.
    void SetAnimStep(int nAnimStep) { m_nAnimStep = nAnimStep; }
    int GetAnimStep() const { return m_nAnimStep; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnPosChanged(int nNewPos) override;

    CToolTipCtrl m_wndToolTip;
    CString m_sToolTipFormat;
    DWORD m_dwToolTipStyle;
    int m_nAnimStep;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The font set by WM_SETFONT; m_pFont is looked up from it at each paint,
    // as a wrapper of a handle the control does not own may be temporary.
    HFONT m_hFont;
};
