// Gallery: tabbed MDI. An MDI frame with four documents, a tab per document
// (with its icon; one title carries an ampersand), and a status bar, all
// painted by the gallery's current skin (its Skin menu). The Tabs menu puts
// the tabs at the top or the bottom, as buttons, or takes them away; a
// double click on a tab maximizes or restores its document.
#include <afxwin.h>
#include <afxext.h>

#include "Gallery.h"
#include "OXStatusBar.h"
#include "OXTabClientWnd.h"

namespace {

enum {
    ID_TABS_TOP = 29700,
    ID_TABS_BOTTOM,
    ID_TABS_BUTTONS,
    ID_TABS_NONE,
};

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// A document: a text box filling the child frame.
class CDocumentChild : public CMDIChildWnd
{
public:
    CString m_sText;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_edit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 0, 0), this,
                      AFX_IDW_PANE_FIRST);
        m_edit.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        m_edit.SetWindowText(m_sText);
        return 0;
    }

    CEdit m_edit;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDocumentChild, CMDIChildWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CTabbedMDIFrame : public CMDIFrameWnd
{
public:
    BOOL CreateTabbed(CWnd* pGallery)
    {
        CRect rect;
        pGallery->GetWindowRect(&rect);
        if (!Create(NULL, "Tabbed MDI", WS_OVERLAPPEDWINDOW, CRect(rect.right + 10, rect.top, rect.right + 690,
                                                                        rect.top + 480),
                    pGallery))
            return FALSE;
        CMenu menu, popup;
        menu.CreateMenu();
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, ID_TABS_TOP, "Tabs at the &top");
        popup.AppendMenu(MF_STRING, ID_TABS_BOTTOM, "Tabs at the &bottom");
        popup.AppendMenu(MF_STRING, ID_TABS_BUTTONS, "&Buttons");
        popup.AppendMenu(MF_STRING, ID_TABS_NONE, "&No tabs");
        menu.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "&Tabs");
        SetMenu(&menu);
        menu.Detach();

        if (!m_status.Create(this))
            return FALSE;
        m_status.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]));

        struct Doc {
            const char* pszTitle;
            LPCSTR lpszIcon;
            const char* pszText;
        } docs[] = {
            {"Seeds.txt", IDI_APPLICATION, "keyword research\r\nkeyword planner\r\nlong tail"},
            {"Basket & export.txt", IDI_INFORMATION, "keyword research tool\t1,320\r\nfree keyword tool\t880"},
            {"Phrases.csv", IDI_APPLICATION, "\"keyword\",\"queries\"\r\n\"seo keywords\",590"},
            {"Levels.log", IDI_WARNING, "level 1: 40 pages\r\nlevel 2: 212 pages"},
        };
        int nOffset = 0;
        for (const Doc& doc : docs) {
            CDocumentChild* pChild = new CDocumentChild;
            pChild->m_sText = doc.pszText;
            if (!pChild->Create(NULL, doc.pszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                CRect(nOffset, nOffset, nOffset + 360, nOffset + 220), this))
                return FALSE;
            pChild->SetIcon(::LoadIcon(NULL, doc.lpszIcon), FALSE);
            nOffset += 24;
        }
        ShowWindow(SW_SHOW);
        RecalcLayout();
        return m_tabs.Attach(this, TCS_HOTTRACK);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT nID = LOWORD(wParam);
        if (nID >= ID_TABS_TOP && nID <= ID_TABS_NONE) {
            m_tabs.Detach();
            if (nID != ID_TABS_NONE)
                m_tabs.Attach(this, nID == ID_TABS_TOP      ? TCS_HOTTRACK
                                    : nID == ID_TABS_BOTTOM ? TCS_HOTTRACK | TCS_BOTTOM
                                                            : TCS_BUTTONS | TCS_FLATBUTTONS);
            return TRUE;
        }
        return CMDIFrameWnd::OnCommand(wParam, lParam);
    }

    COXStatusBar m_status;
    COXTabClientWnd m_tabs;
};

CWnd* OpenTabbedMDI(CWnd* pGallery)
{
    CTabbedMDIFrame* pFrame = new CTabbedMDIFrame;
    if (!pFrame->CreateTabbed(pGallery)) {
        if (pFrame->GetSafeHwnd() != NULL)
            pFrame->DestroyWindow();   // deletes it
        else
            delete pFrame;
        return NULL;
    }
    return pFrame;
}

GALLERY_ENTRY("bars", "Tabbed MDI", OpenTabbedMDI);

} // namespace
