// Tabs for an existing MDI frame, without changing the frame's class: the
// tab client subclasses the frame's MDI client window and puts a
// COXTabWorkspace beside it; whenever the frame lays itself out, the tab
// control takes the client's place and the MDI client moves into the tab
// control's display area. MDI events reach the tabs at once, and whether
// tabs are attached, their margin and their style can be kept in the
// application profile.
//
// The layout (Layout) works through a small interface to the tab control,
// so that its rules are tested by tables without a window.
#pragma once

#include <afxwin.h>

#include "OXTabWorkspace.h"

class COXTabSkin;
class COXTabSkinClassic;

class COXTabClientWnd : public CWnd
{
    DECLARE_DYNAMIC(COXTabClientWnd)
public:
    COXTabClientWnd();
    ~COXTabClientWnd() override;

    // FALSE when already attached, for a window that is not an MDI frame,
    // when its MDI client already has a window object, or when the client
    // cannot be subclassed or the tab control made.
    BOOL Attach(CMDIFrameWnd* pMDIFrame, DWORD dwTabCtrlStyle);
    BOOL Detach();
    BOOL IsAttached() const { return m_pMDIFrame != NULL; }
    CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
    COXTabWorkspace* GetTabCtrl() { return &m_tab; }

    // "IsAttached", "Offset" and "Style" under the profile section.
    BOOL SaveState(LPCTSTR lpszProfileName);
    // Restores what SaveState kept. A detached window has no frame to attach
    // to: FALSE when the stored state asks for tabs. An offset outside
    // 0..1000 or a style with bits other than the tab control's own counts
    // as not stored. FALSE when attaching again fails.
    BOOL LoadState(LPCTSTR lpszProfileName);

    COXTabSkin* GetTabSkin();

    // ---- the layout, free of windows ----
    // What the layout asks of the tab control.
    struct LayoutControl {
        virtual ~LayoutControl() {}
        // Sizes the control before its display area is measured.
        virtual void SizeControl(const CRect& rect, BOOL bRedraw) = 0;
        // The display area the control gives rect with the style dwStyle.
        virtual CRect DisplayArea(const CRect& rect, DWORD dwStyle) = 0;
    };
    // The MDI client's rectangle when the tab control covers rect with the
    // style and margin given (the tab skin's adjustment not included).
    static CRect Layout(const CRect& rect, DWORD dwStyle, int nMargin, LayoutControl& control);

    // The stored style and offset, bounded: only the tab control's style
    // bits, offsets 0..1000.
    static const DWORD kStyleBits = 0xFFFF;
    static const int kMaxOffset = 1000;
    static const int kDefaultOffset = 1;
    static const DWORD kDefaultStyle = TCS_HOTTRACK;
    // The entries SaveState writes and LoadState reads.
    static constexpr const char kProfileIsAttached[] = "IsAttached";
    static constexpr const char kProfileOffset[] = "Offset";
    static constexpr const char kProfileStyle[] = "Style";

protected:
    friend class COXTabWorkspace;

    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;
    void PostTick();

    afx_msg LRESULT OnMDICreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnNcPaint();
    afx_msg void OnNcDestroy();

    COXTabWorkspace m_tab;
    CMDIFrameWnd* m_pMDIFrame;
    BOOL m_bForceToRecalc;
    COXTabSkinClassic* m_pDefaultSkin;

    DECLARE_MESSAGE_MAP()
};
