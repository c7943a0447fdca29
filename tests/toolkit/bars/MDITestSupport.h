// MDI frames for tests: a shown frame and plain children in it.
#pragma once

#include <afxwin.h>

#include "testdrawing.h"

// A plain child of pFrame's MDI client, visible; NULL when it was refused.
// The child deletes itself when its window goes.
inline CMDIChildWnd* AddMDIChild(CMDIFrameWnd* pFrame, LPCTSTR lpszTitle, const CRect& rect = CRect(10, 10, 300, 200))
{
    CMDIChildWnd* pChild = new CMDIChildWnd;
    if (!pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rect, pFrame))
        return NULL;
    return pChild;
}

// A shown MDI frame holding one child.
inline BOOL CreateMDIFrameWithChild(CScopedFrame<CMDIFrameWnd>& frame, LPCTSTR lpszTitle, const CRect& rect)
{
    if (!frame.Create(lpszTitle, rect))
        return FALSE;
    frame.Show();
    return AddMDIChild(frame, "Seeds") != NULL;
}
