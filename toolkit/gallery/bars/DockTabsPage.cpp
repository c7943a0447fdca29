// Gallery: a size-dock frame whose left edge holds three sizing bars stacked
// as tabs (click a tab to switch, drag one out to float it, double-click a
// bar to float it, drop a floating bar on the strip to stack it again), a bar
// along the top, one along the bottom, one at the right, and a 3D tab view container in the
// middle holding two views. The Bars menu switches between the bars' own
// drag (bars dock into rows as they move) and the drag-dock context
// (an outline shows where the bar would go; Ctrl floats, Esc cancels).
#include <afxwin.h>
#include <afxext.h>

#include "Gallery.h"
#include "GalleryListBar.h"
#include "OX3DTabViewContainer.h"
#include "OXDragDockContext.h"
#include "OXFrameWndDock.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"

namespace {

enum {
    ID_DOCKTABS_OWNDRAG = 29300,
    ID_DOCKTABS_DESKTOP,
    ID_DOCKTABS_BAR_FIRST = AFX_IDW_CONTROLBAR_FIRST + 0x50,
};

// A sizing bar showing a few lines of text.
class CTextBar : public COXSizeControlBar
{
public:
    CTextBar() : COXSizeControlBar(SZBAR_CONTEXTMENU) {}

    BOOL CreateBar(CFrameWnd* pFrame, LPCTSTR lpszTitle, UINT nID, LPCTSTR lpszText)
    {
        if (!Create(pFrame, lpszTitle, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 220, 160)))
            return FALSE;
        m_edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", NULL, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL,
                        CRect(0, 0, 10, 10), this, 1);
        m_edit.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        m_edit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 2));
        m_edit.SetWindowText(lpszText);
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        COXSizeControlBar::OnSize(nType, cx, cy);
        if (::IsWindow(m_edit.m_hWnd))
            m_edit.MoveWindow(GalleryBarContentRect(cx, cy));
    }
    CEdit m_edit;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTextBar, COXSizeControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

// A view that writes its name and a few lines.
class CTextView : public CView
{
    DECLARE_DYNCREATE(CTextView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
        rect.DeflateRect(8, 6);
        CFont* pOld = pDC->SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        pDC->SetBkMode(TRANSPARENT);
        CString str;
        GetWindowText(str);
        pDC->DrawText(str, &rect, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
        pDC->SelectObject(pOld);
    }
};
IMPLEMENT_DYNCREATE(CTextView, CView)

class CDockTabsFrame : public COXFrameWndSizeDock
{
public:
    BOOL CreateFrame(CWnd* pGallery)
    {
        CRect rect(60, 60, 900, 640);
        if (!Create(NULL, "Dock tabs", WS_OVERLAPPEDWINDOW, rect, pGallery))
            return FALSE;
        m_menu.CreateMenu();
        CMenu popup;
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, ID_DOCKTABS_OWNDRAG, "Bars drag &themselves");
        popup.AppendMenu(MF_STRING, ID_DOCKTABS_DESKTOP, "Outline on the &desktop");
        m_menu.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "&Bars");
        SetMenu(&m_menu);

        static const UINT indicators[] = {ID_SEPARATOR};
        m_status.Create(this);
        m_status.SetIndicators(indicators, 1);

        m_views.Create(NULL, "views", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
        m_views.InsertPage(0, RUNTIME_CLASS(CTextView), NULL, "Keywords");
        m_views.GetPage(0)->SetWindowText("Keywords view: seo tools, keyword planner, search volume");
        m_views.InsertPage(1, RUNTIME_CLASS(CTextView), NULL, "Basket");
        m_views.GetPage(1)->SetWindowText("Basket view: keyword planner, long tail");
        m_views.SetActivePageIndex(0);

        EnableDocking(CBRS_ALIGN_ANY);
        // A bar along the top or the bottom reads its title up the caption
        // strip at its left, under its buttons: it is made tall enough for
        // the title, whatever it holds.
        static const struct
        {
            LPCTSTR lpszTitle, lpszText;
            UINT nDockBar;
            int cyAlongEdge;
        } bars[kBars] = {
            {"Keywords", "seo tools\r\nkeyword planner\r\nsearch volume", AFX_IDW_DOCKBAR_LEFT, 0},
            {"Basket", "keyword planner\r\nlong tail", AFX_IDW_DOCKBAR_LEFT, 0},
            {"History", "seo\r\nseo tools", AFX_IDW_DOCKBAR_LEFT, 0},
            {"Harvest log", "Page 1 fetched: 50 phrases\r\nPage 2 fetched: 50 phrases\r\ncompleted",
             AFX_IDW_DOCKBAR_BOTTOM, 120},
            {"Export", "HTML table\r\nText list\r\nComma-separated", AFX_IDW_DOCKBAR_RIGHT, 0},
            {"Filters", "Skip phrases with [\r\nPages: 10   Levels: 2", AFX_IDW_DOCKBAR_TOP, 90},
        };
        for (int i = 0; i < kBars; ++i) {
            if (!m_bars[i].CreateBar(this, bars[i].lpszTitle, ID_DOCKTABS_BAR_FIRST + i, bars[i].lpszText))
                return FALSE;
            if (bars[i].cyAlongEdge != 0)
                m_bars[i].m_HorzDockSize.cy = bars[i].cyAlongEdge;
            DockControlBar(&m_bars[i], bars[i].nDockBar);
        }
        SetOwnBarDrag(TRUE);
        // the bars' own drag and the dock bar finder work in the program's
        // main frame: this one is while it is open
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = this;
        ShowWindow(SW_SHOW);
        RecalcLayout();
        // the three left bars share a column and stack as tabs there
        COXSizeDockBar* pLeft = DYNAMIC_DOWNCAST(COXSizeDockBar, GetControlBar(AFX_IDW_DOCKBAR_LEFT));
        if (pLeft != NULL) {
            for (int i = (int)pLeft->m_arrBars.GetSize() - 2; i > 1; --i)
                if (pLeft->m_arrBars[i] == NULL)
                    pLeft->m_arrBars.RemoveAt(i);
            pLeft->m_wndTabContainer.InsertBar(&m_bars[0], 0, TRUE);
            for (int i = 0; i < 3; ++i)
                m_bars[i].m_VertDockSize.cx = 220;
            RecalcLayout();
            pLeft->m_wndTabContainer.UpdateTabs();
        }
        RecalcLayout();
        return TRUE;
    }

protected:
    enum { kBars = 6 };

    afx_msg void OnOwnDrag() { SetOwnBarDrag(!m_bOwnBarDrag); }
    afx_msg void OnUpdateOwnDrag(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bOwnBarDrag ? 1 : 0); }
    afx_msg void OnDesktop() { COXDragDockContext::SetDrawOnDesktop(!COXDragDockContext::IsDrawingOnDesktop()); }
    afx_msg void OnUpdateDesktop(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(COXDragDockContext::IsDrawingOnDesktop() ? 1 : 0);
    }
    void GiveBackMain()
    {
        if (AfxGetApp()->m_pMainWnd == this)
            AfxGetApp()->m_pMainWnd = m_pOldMain;
    }
    afx_msg void OnClose()
    {
        GiveBackMain();
        COXFrameWndSizeDock::OnClose();
    }
    afx_msg void OnDestroy()
    {
        GiveBackMain();
        COXDragDockContext::SetDrawOnDesktop(FALSE);
        COXFrameWndSizeDock::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()

    CWnd* m_pOldMain = NULL;
    CMenu m_menu;
    CStatusBar m_status;
    COX3DTabViewContainer m_views;
    CTextBar m_bars[kBars];
};

BEGIN_MESSAGE_MAP(CDockTabsFrame, COXFrameWndSizeDock)
    ON_COMMAND(ID_DOCKTABS_OWNDRAG, OnOwnDrag)
    ON_UPDATE_COMMAND_UI(ID_DOCKTABS_OWNDRAG, OnUpdateOwnDrag)
    ON_COMMAND(ID_DOCKTABS_DESKTOP, OnDesktop)
    ON_UPDATE_COMMAND_UI(ID_DOCKTABS_DESKTOP, OnUpdateDesktop)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CWnd* OpenDockTabs(CWnd* pGallery)
{
    CDockTabsFrame* pFrame = new CDockTabsFrame;
    if (!pFrame->CreateFrame(pGallery)) {
        if (pFrame->m_hWnd != NULL)
            pFrame->DestroyWindow();
        else
            delete pFrame;
        return NULL;
    }
    return pFrame;
}

GALLERY_ENTRY("bars", "Dock tabs", OpenDockTabs);

}   // namespace
