// Gallery: sizing bars floating in their sizable frames, painted by the mini
// frame element of the gallery's current skin (its Skin menu): Classic
// leaves border and caption to the system, the flat skins paint a flat
// border and caption and a close button that lights up under the cursor
// and presses. A dock site holds a sizing bar at its left and a size tool
// bar along its top; two sizing bars and a second size tool bar float.
// Size a frame by its border (the bar takes the new size), open its system
// menu (Move, Size and Hide only), close it, drag it by its caption; narrow
// a size tool bar and its buttons wrap; its buttons have tips, and a right
// click on the dock site's empty part offers the customize dialog of the
// docked one.
#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>

#include "Gallery.h"
#include "OXFrameWndDock.h"
#include "OXMiniFrameSkin.h"
#include "OXSizableMiniDockFrameWnd.h"
#include "OXSizeControlBar.h"
#include "OXSizeToolBar.h"
#include "gallery_res.h"

namespace {

const UINT WM_FLOAT_BARS = WM_APP + 29;

enum { ID_BAR_KEYWORDS = 29400, ID_BAR_BASKET, ID_BAR_LOG, ID_BAR_TOOLS, ID_BAR_MORE_TOOLS, ID_CONTENTS = 29410 };

const UINT kCommands[] = {ID_GALLERY_BAR_SEARCH, ID_GALLERY_BAR_SHOP, ID_GALLERY_BAR_VIDEO, ID_GALLERY_BAR_NEWS,
                          ID_GALLERY_BAR_EXPORT, ID_GALLERY_BAR_FILTER, ID_GALLERY_BAR_STOP, ID_GALLERY_BAR_HISTORY};
const UINT kButtons[] = {ID_GALLERY_BAR_SEARCH, ID_GALLERY_BAR_SHOP, 0, ID_GALLERY_BAR_VIDEO, ID_GALLERY_BAR_NEWS, 0,
                         ID_GALLERY_BAR_EXPORT, ID_GALLERY_BAR_STOP};

// A sizing bar showing a list that fills it.
class CListSizeBar : public COXSizeControlBar
{
public:
    CListSizeBar() : COXSizeControlBar(SZBAR_CONTEXTMENU) {}

    BOOL CreateBar(CFrameWnd* pSite, LPCTSTR lpszTitle, UINT nID, const CRect& rect, LPCTSTR lpszLines, CFont* pFont)
    {
        if (!Create(pSite, lpszTitle, nID, WS_CHILD | WS_VISIBLE | CBRS_LEFT, rect))
            return FALSE;
        if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 10, 10), this,
                           ID_CONTENTS))
            return FALSE;
        m_list.SetFont(pFont);
        CString strLines(lpszLines);
        int nStart = 0;
        CString strLine = strLines.Tokenize("\n", nStart);
        while (!strLine.IsEmpty()) {
            m_list.AddString(strLine);
            strLine = strLines.Tokenize("\n", nStart);
        }
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    void OnSizedOrDocked(int, int, BOOL, UINT) override
    {
        CRect rect;
        GetClientRect(&rect);
        if (::IsWindow(m_list.m_hWnd))
            m_list.MoveWindow(&rect);
    }

    CListBox m_list;
};

// The dock site: its bars' commands are written to the page's log and are
// always enabled.
class CFloatingSite : public COXFrameWndSizeDock
{
public:
    BOOL CreateSite(CGalleryPage* pPage, const CRect& rect)
    {
        m_pPage = pPage;
        return Create(NULL, "Dock site", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, rect, pPage);
    }

protected:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID >= ID_GALLERY_BAR_SEARCH && nID <= ID_GALLERY_BAR_HISTORY) {
            if (nCode == (int)CN_UPDATE_COMMAND_UI && pExtra != NULL)
                ((CCmdUI*)pExtra)->Enable(TRUE);
            else if (nCode == (int)CN_COMMAND && pHandlerInfo == NULL)
                m_pPage->Log("command %u", nID);
            return TRUE;
        }
        return COXFrameWndSizeDock::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_CONTEXTMENU && m_pTools != NULL && ::IsWindow(m_pTools->m_ToolCtrl.m_hWnd)) {
            m_pTools->m_ToolCtrl.Customize();
            return 0;
        }
        return COXFrameWndSizeDock::WindowProc(nMsg, wParam, lParam);
    }
    void PostNcDestroy() override {}   // a member of the page

public:
    CGalleryPage* m_pPage = NULL;
    COXSizeToolBar* m_pTools = NULL;
};

class CFloatingFramesPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Floating sizing bars and size tool bars in the current skin");
        CRect rect = NextRect(620, 360);
        if (!m_site.CreateSite(this, rect))
            return;
        m_site.EnableDocking(CBRS_ALIGN_ANY);
        MakeBlocks(this, m_images, {RGB(30, 90, 170), RGB(200, 60, 40), RGB(40, 150, 70), RGB(230, 170, 20),
                                    RGB(120, 60, 160), RGB(20, 140, 160), RGB(180, 30, 90), RGB(90, 90, 90)});
        const int nCommands = sizeof(kCommands) / sizeof(kCommands[0]);
        const int nButtons = sizeof(kButtons) / sizeof(kButtons[0]);
        for (COXSizeToolBar* pTools : {&m_tools, &m_moreTools}) {
            pTools->SetBitmapIds(kCommands, nCommands);
            const UINT nID = pTools == &m_tools ? ID_BAR_TOOLS : ID_BAR_MORE_TOOLS;
            CRect rectTools(0, 0, 240, 34);
            if (!pTools->Create(&m_site, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID, &rectTools))
                return;
            pTools->SetWindowText(pTools == &m_tools ? "Searches" : "More searches");
            pTools->SetSizes(CSize(23, 22), CSize(16, 16));
            pTools->m_ToolCtrl.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_images.GetSafeHandle());
            pTools->SetButtons(kButtons, nButtons);
            pTools->EnableDocking(CBRS_ALIGN_ANY);
        }
        m_site.m_pTools = &m_tools;
        m_keywords.CreateBar(&m_site, "Keywords", ID_BAR_KEYWORDS, CRect(0, 0, 170, 300),
                             "seo tools\nkeyword planner\nsearch volume\nlong tail\nbrenvik stats", &m_font);
        m_basket.CreateBar(&m_site, "Basket", ID_BAR_BASKET, CRect(0, 0, 190, 150),
                           "keyword planner\nlong tail\nseo tools", &m_font);
        m_log.CreateBar(&m_site, "Harvest log", ID_BAR_LOG, CRect(0, 0, 230, 120),
                        "Page 1 fetched: 50 phrases\nPage 2 fetched: 50 phrases\ncompleted", &m_font);
        m_site.DockControlBar(&m_tools, AFX_IDW_DOCKBAR_TOP);
        m_site.DockControlBar(&m_keywords, AFX_IDW_DOCKBAR_LEFT);
        m_site.RecalcLayout();
        // the page takes its place after this: the bars float once it has
        PostMessage(WM_FLOAT_BARS);
    }

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_FLOAT_BARS) {
            FloatBars();
            return 0;
        }
        return CGalleryPage::WindowProc(nMsg, wParam, lParam);
    }

    // The floating ones sit over the dock site's empty part.
    void FloatBars()
    {
        if (!::IsWindow(m_site.m_hWnd) || m_basket.IsFloating())
            return;
        CRect rectSite;
        m_site.GetClientRect(&rectSite);
        m_site.ClientToScreen(&rectSite);
        m_site.FloatControlBarNotify(&m_basket, rectSite.TopLeft() + CSize(200, 60), CBRS_ALIGN_TOP);
        m_site.FloatControlBarNotify(&m_log, rectSite.TopLeft() + CSize(400, 60), CBRS_ALIGN_TOP);
        m_site.FloatControlBarNotify(&m_moreTools, rectSite.TopLeft() + CSize(200, 240), CBRS_ALIGN_TOP);
    }

    // The screenshot: the cursor over the Basket frame's close button (the
    // flat skins light it).
    void ShowOff() override
    {
        FloatBars();
        COXSizableMiniDockFrameWnd* pFloat = DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, m_basket.GetParentFrame());
        if (pFloat == NULL)
            return;
        CRect rectWindow;
        pFloat->GetWindowRect(&rectWindow);
        CPoint ptClient(0, 0);
        pFloat->ClientToScreen(&ptClient);
        const CRect rectButton = COXMiniFrameSkinXP::CloseButtonRect(
            COXMiniFrameSkinXP::CaptionRect(rectWindow.Size(), ptClient - rectWindow.TopLeft()));
        const CPoint pt = rectWindow.TopLeft() + rectButton.CenterPoint();
        ::SetCursorPos(pt.x, pt.y);
        pFloat->GetMiniFrameSkin()->DrawCaptionButtons(pFloat);
    }

    CFloatingSite m_site;
    COXSizeToolBar m_tools, m_moreTools;
    CListSizeBar m_keywords, m_basket, m_log;
    CImageList m_images;
};

GALLERY_PAGE(CFloatingFramesPage, "bars", "Floating frames");

} // namespace
