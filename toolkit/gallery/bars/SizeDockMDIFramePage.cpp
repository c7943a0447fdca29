// Gallery: the size-dock MDI frame. Sizing bars sit on all four sides (drag
// them by their captions between the sides, drag the splitters between
// them, close and maximise them in their rows), drawn by the dock bar skin
// of the gallery's Skin menu. "Report.kwl" is a document window docked as a
// bar (its system menu or its bar's right-click menu docks and undocks it;
// its bar's close asks to save), "Notes.kwl" an ordinary one, "Ideas.kwl"
// a docked document whose bar floats (its floating frame's close, or the
// dock item at the end of its system menu, brings the document window back),
// and "Competitors" a bar floating as a document window (its bar menu floats it
// in a floating frame and back). The Bars menu tiles the docked bars and
// arranges the floating ones from each corner.
#include "SizeDockMDIFrame.h"

#include <algorithm>

#include "Gallery.h"
#include "OXMDIFloatWnd.h"

namespace {

enum {
    ID_SIZEDOCK_TILE = 29500,
    ID_SIZEDOCK_ARRANGE_TOPLEFT,
    ID_SIZEDOCK_ARRANGE_TOPRIGHT,
    ID_SIZEDOCK_ARRANGE_BOTTOMLEFT,
    ID_SIZEDOCK_ARRANGE_BOTTOMRIGHT,
    ID_SIZEDOCK_TOGGLE_DOCKED,
};

const UINT kFirstBarId = AFX_IDW_CONTROLBAR_FIRST + 70;

// The view of a gallery document: its lines on the window colour.
class CGalleryTextView : public CView
{
    DECLARE_DYNCREATE(CGalleryTextView)
protected:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
        CGalleryTextDoc* pDoc = dynamic_cast<CGalleryTextDoc*>(GetDocument());
        if (pDoc == NULL)
            return;
        rect.DeflateRect(6, 4);
        CFont* pOld = pDC->SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        pDC->DrawText(pDoc->m_strText, &rect, DT_LEFT | DT_TOP | DT_NOPREFIX);
        pDC->SelectObject(pOld);
    }
};
IMPLEMENT_DYNCREATE(CGalleryTextView, CView)

}   // namespace

CGallerySizeDockMDIFrame::CGallerySizeDockMDIFrame() {}

CGallerySizeDockMDIFrame::~CGallerySizeDockMDIFrame()
{
    for (CGalleryTextDoc* pDoc : m_docs)
        delete pDoc;
}

CGalleryListBar* CGallerySizeDockMDIFrame::AddBar(LPCTSTR lpszTitle, UINT nDockBarID, const CSize& size,
                                                  LPCTSTR lpszLines)
{
    m_bars.push_back(std::make_unique<CGalleryListBar>(SZBAR_CONTEXTMENU | SZBAR_ALLOWMDIFLOAT));
    CGalleryListBar* pBar = m_bars.back().get();
    if (!pBar->CreateBar(this, lpszTitle, kFirstBarId + (UINT)m_bars.size() - 1, size, lpszLines))
        return NULL;
    if (nDockBarID != 0)
        DockControlBar(pBar, nDockBarID);
    return pBar;
}

COXMDIChildWndSizeDock* CGallerySizeDockMDIFrame::AddDocument(LPCTSTR lpszTitle, LPCTSTR lpszText, BOOL bModified)
{
    CGalleryTextDoc* pDoc = new CGalleryTextDoc;
    pDoc->m_bAutoDelete = FALSE;
    pDoc->SetTitle(lpszTitle);
    pDoc->m_strText = lpszText;
    m_docs.push_back(pDoc);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CGalleryTextView);
    context.m_pCurrentDoc = pDoc;
    COXMDIChildWndSizeDock* pChild = new COXMDIChildWndSizeDock;
    if (!pChild->Create(NULL, lpszTitle, WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, rectDefault, this,
                        &context))
        return NULL;
    pChild->InitialUpdateFrame(pDoc, TRUE);
    pDoc->SetModifiedFlag(bModified);
    return pChild;
}

BOOL CGallerySizeDockMDIFrame::CreateFrame(CWnd* pGallery, LPCTSTR lpszTitle)
{
    CRect rectGallery(0, 0, 300, 0);
    if (pGallery != NULL)
        pGallery->GetWindowRect(&rectGallery);
    // Tall enough for the documents' area between the bars along the top
    // and the bottom, whose titles read up their caption strips.
    const int cx = 960, cy = 800;
    const int x = std::max(0, std::min((int)rectGallery.right + 10, ::GetSystemMetrics(SM_CXSCREEN) - cx));
    if (!Create(NULL, lpszTitle, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CRect(x, rectGallery.top, x + cx,
                                                                             rectGallery.top + cy),
                pGallery))
        return FALSE;
    SetTitle(lpszTitle);

    m_menu.CreateMenu();
    CMenu bars, window;
    bars.CreatePopupMenu();
    bars.AppendMenu(MF_STRING, ID_SIZEDOCK_TILE, "&Tile docked bars");
    bars.AppendMenu(MF_SEPARATOR);
    bars.AppendMenu(MF_STRING, ID_SIZEDOCK_ARRANGE_TOPLEFT, "Arrange floating bars from the top &left");
    bars.AppendMenu(MF_STRING, ID_SIZEDOCK_ARRANGE_TOPRIGHT, "Arrange floating bars from the top &right");
    bars.AppendMenu(MF_STRING, ID_SIZEDOCK_ARRANGE_BOTTOMLEFT, "Arrange floating bars from the &bottom left");
    bars.AppendMenu(MF_STRING, ID_SIZEDOCK_ARRANGE_BOTTOMRIGHT, "Arrange floating bars from the bottom ri&ght");
    bars.AppendMenu(MF_SEPARATOR);
    bars.AppendMenu(MF_STRING, ID_SIZEDOCK_TOGGLE_DOCKED, "&Dock or undock the active document");
    window.CreatePopupMenu();
    window.AppendMenu(MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
    window.AppendMenu(MF_STRING, ID_WINDOW_TILE_HORZ, "&Tile");
    window.AppendMenu(MF_STRING, ID_WINDOW_ARRANGE, "&Arrange icons");
    const HMENU hWindow = window.m_hMenu;
    m_menu.AppendMenu(MF_POPUP, (UINT_PTR)bars.Detach(), "&Bars");
    m_menu.AppendMenu(MF_POPUP, (UINT_PTR)window.Detach(), "&Window");
    SetMenu(&m_menu);
    m_hMenuDefault = m_menu.Detach();   // the window owns it now
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)m_hMenuDefault, (LPARAM)hWindow);
    DrawMenuBar();

    EnableDocking(CBRS_ALIGN_ANY);
    // The bars along the top and the bottom read their titles up the caption
    // strip at their left, under the buttons: they are made tall enough.
    if (AddBar("Search terms", AFX_IDW_DOCKBAR_TOP, CSize(400, 130),
               "seo tools\nkeyword planner\nsearch volume\nlong tail keywords") == NULL ||
        AddBar("Keywords", AFX_IDW_DOCKBAR_LEFT, CSize(300, 170),
               "seo tools\nseo tools free\nseo tools online\nkeyword planner\nkeyword research") == NULL ||
        AddBar("Basket", AFX_IDW_DOCKBAR_RIGHT, CSize(300, 160), "keyword planner\nlong tail keywords") == NULL ||
        AddBar("Harvest log", AFX_IDW_DOCKBAR_BOTTOM, CSize(500, 120),
               "Page 1 fetched: 50 phrases\nPage 2 fetched: 50 phrases\nCompleted") == NULL)
        return FALSE;
    CGalleryListBar* pFloating = AddBar("Competitors", 0, CSize(220, 140), "example.com\nexample.org\nexample.net");
    if (pFloating == NULL)
        return FALSE;
    ShowWindow(SW_SHOW);
    RecalcLayout();

    if (AddDocument("Notes.kwl", "Phrases to look at again:\nseo audit\nrank tracker", TRUE) == NULL)
        return FALSE;
    COXMDIChildWndSizeDock* pIdeas =
        AddDocument("Ideas.kwl", "Seeds for the next harvest:\nkeyword tool\nsearch terms\nrank checker");
    if (pIdeas == NULL || !pIdeas->SetDocked(TRUE))
        return FALSE;
    m_hWndFloatingDocument = pIdeas->m_hWnd;
    COXMDIChildWndSizeDock* pReport =
        AddDocument("Report.kwl", "Report of the last harvest:\n12,480 phrases in 250 pages", TRUE);
    if (pReport == NULL)
        return FALSE;
    pReport->m_dwDockBarStyle = CBRS_ALIGN_BOTTOM | CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
    pReport->SetDocked(TRUE);

    CRect rectClient;
    ::GetWindowRect(m_hWndMDIClient, &rectClient);
    pFloating->EnableDocking(CBRS_ALIGN_ANY);
    FloatControlBarInMDIChild(pFloating, rectClient.TopLeft() + CPoint(200, 40), CBRS_ALIGN_TOP, TRUE);
    RecalcLayout();
    return TRUE;
}

void CGallerySizeDockMDIFrame::FloatDocument()
{
    // the child deletes itself with its window: found by its handle
    COXMDIChildWndSizeDock* pChild =
        DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, CWnd::FromHandlePermanent(m_hWndFloatingDocument));
    m_hWndFloatingDocument = NULL;
    if (pChild == NULL || !pChild->IsDocked() || pChild->m_wndViewBar.IsFloating())
        return;
    COXSizeViewBar& bar = pChild->m_wndViewBar;
    CRect rectClient;
    ::GetWindowRect(m_hWndMDIClient, &rectClient);
    bar.m_FloatSize = CSize(240, 130);
    FloatControlBar(&bar, CPoint(rectClient.right - 270, rectClient.bottom - 190));
}

BOOL CGallerySizeDockMDIFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_SIZEDOCK_TILE:
        TileDockedBars();
        return TRUE;
    case ID_SIZEDOCK_ARRANGE_TOPLEFT:
        ArrangeFloatingBars(0x1 | 0x2 | 0x4);
        return TRUE;
    case ID_SIZEDOCK_ARRANGE_TOPRIGHT:
        ArrangeFloatingBars(0x1 | 0x2);
        return TRUE;
    case ID_SIZEDOCK_ARRANGE_BOTTOMLEFT:
        ArrangeFloatingBars(0x1 | 0x4);
        return TRUE;
    case ID_SIZEDOCK_ARRANGE_BOTTOMRIGHT:
        ArrangeFloatingBars(0x1);
        return TRUE;
    case ID_SIZEDOCK_TOGGLE_DOCKED: {
        COXMDIChildWndSizeDock* pChild = DYNAMIC_DOWNCAST(COXMDIChildWndSizeDock, GetActiveMDIChild());
        if (pChild != NULL && !pChild->IsKindOf(RUNTIME_CLASS(COXMDIFloatWnd)))
            pChild->ToggleDocked();
        return TRUE;
    }
    default:
        return COXMDIFrameWndSizeDock::OnCommand(wParam, lParam);
    }
}

LRESULT CGallerySizeDockMDIFrame::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_IDLEUPDATECMDUI && m_hWndFloatingDocument != NULL)
        FloatDocument();
    if (nMsg == WM_DESTROY) {
        // the documents' windows go first: nothing asks to save in a gallery
        for (CGalleryTextDoc* pDoc : m_docs)
            pDoc->SetModifiedFlag(FALSE);
    }
    return COXMDIFrameWndSizeDock::WindowProc(nMsg, wParam, lParam);
}

void CGallerySizeDockMDIFrame::PostNcDestroy()
{
    delete this;
}

namespace {

CWnd* OpenSizeDockMDIFrame(CWnd* pGallery)
{
    CGallerySizeDockMDIFrame* pFrame = new CGallerySizeDockMDIFrame;
    if (!pFrame->CreateFrame(pGallery, "Size-dock MDI frame")) {
        if (pFrame->m_hWnd != NULL)
            pFrame->DestroyWindow();
        else
            delete pFrame;
        return NULL;
    }
    return pFrame;
}

}   // namespace

GALLERY_ENTRY("bars", "Size-dock MDI frame", OpenSizeDockMDIFrame);
