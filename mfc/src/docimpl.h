// docimpl.h - helpers shared by the document, view, frame and bar sources
// (not for users).
#pragma once

#include <afxwin.h>

// String nID from the program's resources, or lpszDefault when the program
// has none of that id (the layer carries no resources of its own).
CString AFXAPI AfxDocLoadString(UINT nID, LPCTSTR lpszDefault);

// The full path of lpszFileName, quotes removed.
CString AFXAPI AfxDocFullPath(LPCTSTR lpszFileName);

// Whether two paths name the same file (full paths compared without case).
BOOL AFXAPI AfxDocSamePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2);

// The name of the window class frames and views get when PreCreateWindow
// finds none: double clicks, redrawn whole when resized, arrow cursor,
// window colour; with hIcon, that icon.
LPCTSTR AFXAPI AfxDocFrameOrViewClass(HICON hIcon = NULL);

// Moves the top-level window hWnd the least so that it lies on the work
// area of the monitor nearest to it (its top left when it is larger).
void AFXAPI AfxKeepOnWorkArea(HWND hWnd);

class CDockBar;
// The frame's dock bar at an edge (nID AFX_IDW_DOCKBAR_TOP ... BOTTOM);
// NULL for any other id or when no dock bar has it.
CDockBar* AFXAPI AfxGetEdgeDockBar(CFrameWnd* pFrame, UINT nID);
