// Gallery: status bars painted by the status bar element of the gallery's
// current skin (its Skin menu). A sizable window carries a bar with a
// progress pane and its percentage, a pane bitmap with a transparent colour,
// a bold Tahoma pane in a colour of its own, a hand cursor and tips over
// some panes, and the lock-key indicators (drawn in the text colour when the
// key is on, else in the disabled colour); double clicks on its panes are
// logged. Below it a bar shows one picture in each bitmap placement.
#include <afxwin.h>
#include <afxext.h>

#include "Gallery.h"
#include "OXStatusBar.h"
#include "gallery_res.h"
#include "toolkit_res.h"

namespace {

enum { ID_PANE_PROGRESS = 830, ID_PANE_PICTURE, ID_PANE_BOLD, ID_ADVANCE, ID_MODES_BAR };

const UINT kIndicators[] = {ID_SEPARATOR,      ID_PANE_PROGRESS, ID_PANE_PICTURE, ID_PANE_BOLD,
                            ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
enum { paneMessage, paneProgress, panePicture, paneBold };

const LONGLONG kPages = 10000000000LL;   // past 32 bits: the percentage stays right

// A sizable window holding the bar, so that the skins draw its grip.
class CStatusHostFrame : public CFrameWnd
{
public:
    COXStatusBar m_bar;
    CFont m_fontBold;

    BOOL CreateHost(CGalleryPage* pPage, const CRect& rect)
    {
        m_pPage = pPage;
        if (!Create(NULL, "Harvest", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN, rect,
                    pPage))
            return FALSE;
        if (!m_bar.Create(this))
            return FALSE;
        m_bar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]));
        m_bar.SetBarStyle(m_bar.GetBarStyle() | CBRS_TOOLTIPS);
        m_bar.SetPaneInfo(paneMessage, ID_SEPARATOR, m_bar.GetPaneStyle(paneMessage), 60);
        m_bar.SetPaneText(paneMessage, "Ready");

        m_bar.SetPaneInfo(paneProgress, ID_PANE_PROGRESS, m_bar.GetPaneStyle(paneProgress), 120);
        m_bar.SetPaneProgress(paneProgress, 0, TRUE);
        m_bar.SetProgressPos(paneProgress, 0, kPages, 0);
        m_bar.SetPaneTooltip(paneProgress, "Pages fetched");

        m_bar.SetPaneInfo(panePicture, ID_PANE_PICTURE, SBPS_NORMAL, 30);
        m_bar.SetPaneBitmap(panePicture, IDB_GALLERY_STAR, COXStatusBar::bmpCenter, RGB(255, 0, 255));
        m_bar.SetPaneTooltip(panePicture, "Basket saved");
        m_bar.SetPaneCursor(panePicture, IDC_OX_HAND);

        LOGFONT lf = {};
        lf.lfHeight = -11;
        lf.lfWeight = FW_BOLD;
        lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
        m_fontBold.CreateFontIndirect(&lf);
        m_bar.SetPaneInfo(paneBold, ID_PANE_BOLD, SBPS_NORMAL, 100);
        m_bar.SetPaneFont(paneBold, &m_fontBold);
        m_bar.SetPaneText(paneBold, "12,480 phrases", RGB(160, 0, 0), TRUE);
        m_bar.SetPaneTooltip(paneBold, "Phrases in the basket");
        RecalcLayout();
        return TRUE;
    }

protected:
    afx_msg LRESULT OnPaneDblClk(WPARAM wParam, LPARAM)
    {
        m_pPage->Log("pane %u double-clicked", (UINT)wParam);
        return 0;
    }
    void PostNcDestroy() override {}   // a member of the page

    CGalleryPage* m_pPage = NULL;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusHostFrame, CFrameWnd)
    ON_MESSAGE(WM_SB_PANEDBLCLK, OnPaneDblClk)
END_MESSAGE_MAP()

class CStatusBarPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("A status bar in the current skin: progress, picture, font and colour, tips, cursor, lock keys");
        m_host.CreateHost(this, NextRect(600, 110));
        m_advance.Create("Advance", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(80, 24), this, ID_ADVANCE);
        ApplyFont(&m_advance);

        NewRow("Bitmap placements: left, stretched, centred, right; cut left, centred, right");
        const UINT ids[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR,
                            ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
        const int modes[] = {COXStatusBar::bmpLeft,    COXStatusBar::bmpStretch,   COXStatusBar::bmpCenter,
                             COXStatusBar::bmpRight,   COXStatusBar::bmpCutLeft,   COXStatusBar::bmpCutCenter,
                             COXStatusBar::bmpCutRight};
        const char* names[] = {"left", "stretched", "centred", "right", "cut left", "cut centred", "cut right"};
        m_modes.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, ID_MODES_BAR);
        m_modes.MoveWindow(NextRect(600, 26));
        m_modes.SetIndicators(ids, 7);
        m_modes.SetBarStyle(m_modes.GetBarStyle() | CBRS_TOOLTIPS);
        for (int i = 0; i < 7; ++i) {
            m_modes.SetPaneInfo(i, ID_SEPARATOR, SBPS_NORMAL, 64);
            m_modes.SetPaneBitmap(i, IDB_GALLERY_PAGE_COLOURS, modes[i], RGB(255, 0, 255));
            m_modes.SetPaneTooltip(i, names[i]);
        }
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_ADVANCE && HIWORD(wParam) == BN_CLICKED) {
            m_nFetched = m_nFetched >= kPages ? 0 : m_nFetched + kPages / 10;
            m_host.m_bar.SetProgressPos(paneProgress, 0, kPages, m_nFetched);
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    // The screenshot: half the pages fetched, Caps Lock shown as on.
    void ShowOff() override
    {
        m_nFetched = kPages / 2;
        m_host.m_bar.SetProgressPos(paneProgress, 0, kPages, m_nFetched);
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CAPITAL] |= 1;
        ::SetKeyboardState(keys);
        m_host.m_bar.Invalidate();
    }

    CStatusHostFrame m_host;
    CButton m_advance;
    COXStatusBar m_modes;
    LONGLONG m_nFetched = 0;
};

GALLERY_PAGE(CStatusBarPage, "bars", "Status bar");

} // namespace
