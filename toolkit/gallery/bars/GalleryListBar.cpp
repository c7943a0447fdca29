#include "GalleryListBar.h"

#include <algorithm>

CRect GalleryBarContentRect(int cx, int cy)
{
    const int kMargin = 7;
    CRect rect(0, 0, cx, cy);
    rect.DeflateRect(std::min(kMargin, cx / 2), std::min(kMargin, cy / 2));
    return rect;
}

BOOL CGalleryListBar::CreateBar(CFrameWnd* pFrame, LPCTSTR lpszTitle, UINT nID, const CSize& size, LPCTSTR lpszLines,
                                DWORD dwStyle)
{
    if (!Create(pFrame, lpszTitle, nID, dwStyle, CRect(CPoint(0, 0), size)))
        return FALSE;
    if (!m_list.CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", NULL,
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, CRect(0, 0, 10, 10),
                         this, 1))
        return FALSE;
    m_list.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    CString strLines(lpszLines), strLine;
    for (int i = 0; AfxExtractSubString(strLine, strLines, i, '\n'); ++i)
        m_list.AddString(strLine);
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

LRESULT CGalleryListBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = COXSizeControlBar::WindowProc(nMsg, wParam, lParam);
    if (nMsg == WM_SIZE && m_list.m_hWnd != NULL)
        m_list.MoveWindow(GalleryBarContentRect(LOWORD(lParam), HIWORD(lParam)));
    return lResult;
}
