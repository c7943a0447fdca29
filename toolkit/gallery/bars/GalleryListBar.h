// A sizing bar of the gallery holding a list of lines that fills it.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include "OXSizeControlBar.h"

class CGalleryListBar : public COXSizeControlBar
{
public:
    explicit CGalleryListBar(DWORD dwSizeBarStyle) : COXSizeControlBar(dwSizeBarStyle) {}
    // lpszLines: the list's lines, separated by '\n'.
    BOOL CreateBar(CFrameWnd* pFrame, LPCTSTR lpszTitle, UINT nID, const CSize& size, LPCTSTR lpszLines,
                   DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    void OnSizedOrDocked(int cx, int cy, BOOL bFloating, UINT nWhat) override;

    CListBox m_list;
};
