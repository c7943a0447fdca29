// A sizing bar of the gallery holding a list of lines.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include "OXSizeControlBar.h"

// Where a gallery sizing bar puts what it holds in a client area of cx x cy:
// in from every edge by a dialog's margin, as a dialog sets its controls. The
// caption strip of a bar docked at the top or the bottom runs down the left
// of the client area, its close and maximise buttons at its top: content
// right against it makes those buttons read as check boxes beside its first
// lines.
CRect GalleryBarContentRect(int cx, int cy);

class CGalleryListBar : public COXSizeControlBar
{
public:
    explicit CGalleryListBar(DWORD dwSizeBarStyle) : COXSizeControlBar(dwSizeBarStyle) {}
    // lpszLines: the list's lines, separated by '\n'.
    BOOL CreateBar(CFrameWnd* pFrame, LPCTSTR lpszTitle, UINT nID, const CSize& size, LPCTSTR lpszLines,
                   DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);

    CListBox m_list;

protected:
    // The list follows the client area, not the window: a bar that goes
    // from no dock bar straight into a floating window keeps its window
    // size and placement kind while its caption strip goes, and only
    // WM_SIZE tells that its client grew.
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};
