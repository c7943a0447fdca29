// A floating control bar living as an MDI child window of a
// COXMDIFrameWndSizeDock instead of in a floating frame: it moves, sizes,
// tiles and cascades with the document windows. It holds one floating dock
// bar; sizing the window sets a single sizing bar's floating size, and
// closing it hides its bars (a bar made to be deleted on close goes with the
// window).
#pragma once

#include "OXMDIChildWndSizeDock.h"

class COXMDIFloatWnd : public COXMDIChildWndSizeDock
{
    DECLARE_DYNCREATE(COXMDIFloatWnd)
public:
    COXMDIFloatWnd();

    // A hidden MDI child of pFrame (of the thread's main window when pFrame
    // is no MDI frame) with a dock bar for bars of dwBarStyle's orientation.
    // When the child cannot be made the object is gone; FALSE either way.
    virtual BOOL Create(CFrameWnd* pFrame, DWORD dwBarStyle);
    using COXMDIChildWndSizeDock::Create;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // A float window offers no dock item.
    void AppendDockMenuItem(HMENU) override {}
    void AddDockItemToSystemMenu(CMenu*) override {}

    // The bar it holds, NULL when it holds none or several.
    CControlBar* GetSingleBar();

    // A single bar's floating size for a window client area of sizeClient:
    // grown by cxBorder2 (cyBorder2) for each CBRS_BORDER_ bit of dwBarStyle.
    static CSize FloatSizeFromClient(CSize sizeClient, DWORD dwBarStyle, int cxBorder2, int cyBorder2);

    CDockBar m_wndDockBar;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnCloseFloat();
};
