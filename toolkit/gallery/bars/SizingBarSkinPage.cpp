// Gallery: sizing bars drawn by the dock bar skin of the gallery's current
// skin (its Skin menu): captions with text, close and maximize buttons, the
// splitter bands between the bars and the dock bar's background. Three bars
// sit in one dock area: two vertical bars stacked at the left (the lower one
// with a solid, active caption), a horizontal bar at the right whose
// maximize button cannot act. The buttons light up under the cursor and
// press; the bars do not size or dock here.
#include <afxwin.h>
#include <afxext.h>
#include <vector>

#include "Gallery.h"
#include "OXDockbarSkin.h"
#include "OXSizeControlBar.h"
#include "OXSkinnedApp.h"

namespace {

class CGallerySizeBar : public COXSizeControlBar
{
public:
    CGallerySizeBar(DWORD dwSizeBarStyle, DWORD dwAlign, BOOL bCanMaximize, LPCTSTR lpszContents)
        : COXSizeControlBar(dwSizeBarStyle), m_bCanMaximize(bCanMaximize), m_strContents(lpszContents)
    {
        m_dwStyle = dwAlign;
    }

    BOOL Create(CWnd* pDockArea, LPCTSTR lpszTitle, const CRect& rect, UINT nID, CFont* pFont)
    {
        m_pFont = pFont;
        LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
        return CreateEx(0, cls, lpszTitle, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pDockArea, nID);
    }

    BOOL CanMaximizeInRow() override { return m_bCanMaximize; }

    void Press(int nButton)
    {
        m_nPressedButton = nButton;
        RedrawFrame();
    }

    void Hover(CPoint point)
    {
        ClientToScreen(&point);
        ::SetCursorPos(point.x, point.y);
        RedrawFrame();
    }

protected:
    void RedrawFrame() { RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }

    void Log(LPCTSTR lpszWhat)
    {
        CString strTitle;
        GetWindowText(strTitle);
        if (CGalleryPage* pPage = dynamic_cast<CGalleryPage*>(GetParent()->GetParent()))
            pPage->Log("%s: %s", (LPCTSTR)strTitle, lpszWhat);
    }

    // The button under a point of the client coordinates: -3 close, -2
    // maximize (when it can act), -1 none.
    int HitButton(CPoint point)
    {
        if (m_rectCloseButton.PtInRect(point))
            return -3;
        if (m_rectMaximizeButton.PtInRect(point) && CanMaximizeInRow())
            return -2;
        return -1;
    }

    afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
    {
        GetDockbarSkin()->CalcClientRect(lpncsp->rgrc[0], this);
    }

    afx_msg void OnNcPaint()
    {
        CWindowDC dc(this);
        CRect rectWindow, rectClient;
        GetWindowRect(&rectWindow);
        GetClientRect(&rectClient);
        ClientToScreen(&rectClient);
        rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
        rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
        dc.ExcludeClipRect(&rectClient);
        dc.IntersectClipRect(&rectWindow);
        COXDockbarSkin* pSkin = GetDockbarSkin();
        pSkin->DrawNonClientBackground(&dc, rectWindow, this);
        pSkin->LayoutCaption(this);
        if (HasCaption())
            pSkin->DrawCaption(&dc, this);
        pSkin->DrawCloseButton(&dc, this);
        pSkin->DrawMaximizeButton(&dc, this);
    }

    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(&rect);
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
        rect.DeflateRect(4, 2);
        CFont* pOld = dc.SelectObject(m_pFont);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc.DrawText(m_strContents, &rect, DT_LEFT | DT_TOP | DT_NOPREFIX);
        dc.SelectObject(pOld);
    }

    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }

    // Docked, the whole bar is client: the caption's presses come as client
    // clicks (at negative coordinates).
    afx_msg LRESULT OnNcHitTest(CPoint point)
    {
        CRect rect;
        GetWindowRect(&rect);
        return rect.PtInRect(point) ? HTCLIENT : HTNOWHERE;
    }

    afx_msg void OnMouseMove(UINT, CPoint point)
    {
        if (GetCapture() == this)
            m_nPressedButton = HitButton(point) == m_nCapturedButton ? m_nCapturedButton : -1;
        else if (!m_bTrackingLeave) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            m_bTrackingLeave = ::TrackMouseEvent(&tme);
        }
        // The flat skins light the button under the cursor.
        RedrawFrame();
    }

    afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM)
    {
        m_bTrackingLeave = FALSE;
        RedrawFrame();
        return 0;
    }

    afx_msg void OnLButtonDown(UINT, CPoint point)
    {
        m_nCapturedButton = HitButton(point);
        if (m_nCapturedButton == -1)
            return;
        SetCapture();
        Press(m_nCapturedButton);
    }

    afx_msg void OnLButtonUp(UINT, CPoint point)
    {
        if (GetCapture() != this)
            return;
        ReleaseCapture();
        int nButton = m_nCapturedButton;
        m_nCapturedButton = -1;
        Press(-1);
        if (HitButton(point) != nButton)
            return;
        if (nButton == -3) {
            Log("close pressed");
        } else {
            m_bMaximizedInRow = !m_bMaximizedInRow;
            Log(m_bMaximizedInRow ? "maximized in its row" : "row restored");
            RedrawFrame();
        }
    }

    BOOL m_bCanMaximize;
    CString m_strContents;
    CFont* m_pFont = NULL;
    int m_nCapturedButton = -1;
    BOOL m_bTrackingLeave = FALSE;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGallerySizeBar, COXSizeControlBar)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

// The dock bar the sizing bars sit in: its background and the splitter bands
// between them come from the skin.
class CGalleryDockArea : public CWnd
{
public:
    std::vector<SPLITTERINFO> m_splitters;

protected:
    COXDockbarSkin* GetSkin()
    {
        COXSkin* pSkin = OXGetCurrentSkin();
        return pSkin != NULL && pSkin->GetDockbarSkin() != NULL ? pSkin->GetDockbarSkin() : &m_classic;
    }

    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        GetSkin()->DrawDockBarBackground(pDC, this);
        return TRUE;
    }

    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        for (const SPLITTERINFO& splitter : m_splitters)
            GetSkin()->DrawSplitter(&dc, splitter, this);
    }

    COXDockbarSkinClassic m_classic;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGalleryDockArea, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

enum { ID_DOCK_AREA = 820, ID_BAR_KEYWORDS, ID_BAR_BASKET, ID_BAR_LOG };

class CSizingBarSkinPage : public CGalleryPage
{
public:
    CSizingBarSkinPage()
        : m_keywords(0, CBRS_ALIGN_LEFT, TRUE, "seo tools\nkeyword planner\nsearch volume\nlong tail"),
          m_basket(SZBAR_SOLIDCAPTION, CBRS_ALIGN_LEFT, TRUE, "keyword planner\nlong tail"),
          m_log(0, CBRS_ALIGN_BOTTOM, FALSE, "Page 1 fetched: 50 phrases\nPage 2 fetched: 50 phrases\ncompleted")
    {
    }

protected:
    void Populate() override
    {
        NewRow("Sizing bars in the current skin: hover and press the caption buttons");
        CRect rect = NextRect(480, 300);
        m_dock.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "dock area",
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, this, ID_DOCK_AREA);
        // Two bars stacked at the left, a band across between them, a band
        // down beside them, and a horizontal bar beyond it.
        m_dock.m_splitters = {
            {{0, 140, 220, 146}, SPLITTERINFO::horizontal},
            {{220, 0, 226, 300}, SPLITTERINFO::vertical},
        };
        m_keywords.Create(&m_dock, "Keywords", CRect(0, 0, 220, 140), ID_BAR_KEYWORDS, &m_font);
        m_basket.Create(&m_dock, "Basket", CRect(0, 146, 220, 300), ID_BAR_BASKET, &m_font);
        m_log.Create(&m_dock, "Harvest log", CRect(226, 0, 480, 300), ID_BAR_LOG, &m_font);
        m_basket.m_bActive = TRUE;
    }

    // The screenshot: the close button of the first bar held down, the
    // cursor over the close button of the last (the flat skins light it).
    void ShowOff() override
    {
        m_keywords.Press(-3);
        m_log.Hover(m_log.m_rectCloseButton.CenterPoint());
    }

    CGalleryDockArea m_dock;
    CGallerySizeBar m_keywords, m_basket, m_log;
};

GALLERY_PAGE(CSizingBarSkinPage, "bars", "Sizing bar skins");

} // namespace
