// The gallery's size-dock MDI frame: a COXMDIFrameWndSizeDock with sizing
// bars that hold lists, document windows that dock as bars, and the Bars and
// Window menus. Pages derive from it to show more of the docking family.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <memory>
#include <vector>

#include "GalleryListBar.h"
#include "OXFrameWndDock.h"
#include "OXMDIChildWndSizeDock.h"
#include "OXSizeControlBar.h"

// A document of the gallery: a title and some lines its view shows.
class CGalleryTextDoc : public CDocument
{
public:
    CString m_strText;
};

class CGallerySizeDockMDIFrame : public COXMDIFrameWndSizeDock
{
public:
    CGallerySizeDockMDIFrame();
    ~CGallerySizeDockMDIFrame() override;

    // Bars on all four sides, a document docked as a bar at the bottom, one
    // docked and floating in a floating frame, one in the MDI client and a
    // bar floating as a document window.
    virtual BOOL CreateFrame(CWnd* pGallery, LPCTSTR lpszTitle);

    // size: the length along its row and the row's thickness.
    CGalleryListBar* AddBar(LPCTSTR lpszTitle, UINT nDockBarID, const CSize& size, LPCTSTR lpszLines);
    COXMDIChildWndSizeDock* AddDocument(LPCTSTR lpszTitle, LPCTSTR lpszText, BOOL bModified = FALSE);

    std::vector<std::unique_ptr<CGalleryListBar>> m_bars;
    std::vector<CGalleryTextDoc*> m_docs;
    CMenu m_menu;
    // The docked document whose bar floats at the first idle pass: by then
    // the frame has taken its place above the gallery (a floating frame made
    // before that is left under the frame on the screen).
    HWND m_hWndFloatingDocument = NULL;

protected:
    void FloatDocument();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};
