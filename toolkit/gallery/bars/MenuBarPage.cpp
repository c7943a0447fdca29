// Gallery: the menu bar on an MDI frame of its own, drawn by the gallery's
// current skin (its Skin menu). Two children with menus of their own: the
// bar changes with the active one; the second is maximized, so the bar
// carries its icon (its system menu) and its minimize, restore and close
// buttons. Popups are bitmap menus with the tool bar's images. Alt or F10
// enters menu mode; Alt+letter opens a menu; the arrows move along the bar.
#include <afxwin.h>
#include <afxext.h>

#include "Gallery.h"
#include "OXBitmapMenuOrganizer.h"
#include "OXMenuBar.h"
#include "gallery_res.h"

namespace {

enum {
    ID_GALLERY_MENUBAR_NEW = 29200,
    ID_GALLERY_MENUBAR_HARVEST,
    ID_GALLERY_MENUBAR_EXPORT,
    ID_GALLERY_MENUBAR_COPY,
    ID_GALLERY_MENUBAR_FIND,
    ID_GALLERY_MENUBAR_VOLUMES,
    ID_GALLERY_MENUBAR_ABOUT,
};

HMENU Popup(std::initializer_list<std::pair<UINT, const char*>> items)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (const auto& item : items)
        ::AppendMenuA(hMenu, item.first == 0 ? MF_SEPARATOR : MF_STRING, item.first, item.second);
    return hMenu;
}

HMENU WindowPopup()
{
    return Popup({{ID_WINDOW_CASCADE, "&Cascade"}, {ID_WINDOW_TILE_HORZ, "&Tile"}});
}

class CMenuBarFrame;

class CMenuBarChild : public CMDIChildWnd
{
public:
    void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override;
};

class CMenuBarFrame : public CMDIFrameWnd
{
public:
    COXMenuBar m_bar;

    BOOL CreateFrame(CWnd* pGallery)
    {
        CRect rect;
        pGallery->GetWindowRect(rect);
        m_hMenuDefault = ::CreateMenu();
        ::AppendMenuA(m_hMenuDefault, MF_POPUP,
                      (UINT_PTR)Popup({{ID_GALLERY_MENUBAR_NEW, "&New window"}, {0, ""}, {ID_FILE_CLOSE, "&Close"}}),
                      "&File");
        ::AppendMenuA(m_hMenuDefault, MF_POPUP, (UINT_PTR)WindowPopup(), "&Window");
        if (!Create(NULL, "Menu bar", WS_OVERLAPPEDWINDOW,
                    CRect(rect.right + 10, rect.top, rect.right + 650, rect.top + 420), pGallery))
            return FALSE;
        MakeBlocks(this, m_images, {RGB(0, 120, 215), RGB(16, 124, 16), RGB(232, 17, 35), RGB(255, 185, 0)});
        const UINT images[] = {ID_GALLERY_MENUBAR_HARVEST, ID_GALLERY_MENUBAR_EXPORT, ID_GALLERY_MENUBAR_COPY,
                               ID_GALLERY_MENUBAR_FIND};
        for (int i = 0; i < 4; ++i) {
            HICON hIcon = m_images.ExtractIcon(i);
            m_organizer.SetMenuIcon(images[i], hIcon, 16, 16);
            ::DestroyIcon(hIcon);
        }
        // The commands have no update handlers here; they stay enabled.
        m_bAutoMenuEnable = FALSE;
        m_organizer.AttachFrameWnd(this);

        m_hKeywords = ::CreateMenu();
        ::AppendMenuA(m_hKeywords, MF_POPUP,
                      (UINT_PTR)Popup({{ID_GALLERY_MENUBAR_NEW, "&New window"},
                                       {ID_GALLERY_MENUBAR_HARVEST, "&Harvest\tF5"},
                                       {ID_GALLERY_MENUBAR_EXPORT, "E&xport..."},
                                       {0, ""},
                                       {ID_FILE_CLOSE, "&Close"}}),
                      "&File");
        ::AppendMenuA(m_hKeywords, MF_POPUP,
                      (UINT_PTR)Popup({{ID_GALLERY_MENUBAR_COPY, "&Copy\tCtrl+C"},
                                       {ID_GALLERY_MENUBAR_FIND, "&Find...\tCtrl+F"}}),
                      "&Edit");
        ::AppendMenuA(m_hKeywords, MF_POPUP, (UINT_PTR)Popup({{ID_GALLERY_MENUBAR_VOLUMES, "Show &volumes"}}),
                      "&View");
        ::AppendMenuA(m_hKeywords, MF_POPUP, (UINT_PTR)WindowPopup(), "&Window");
        ::AppendMenuA(m_hKeywords, MF_STRING, ID_GALLERY_MENUBAR_ABOUT, "&About");

        m_hReport = ::CreateMenu();
        ::AppendMenuA(m_hReport, MF_POPUP,
                      (UINT_PTR)Popup({{ID_GALLERY_MENUBAR_NEW, "&New window"}, {ID_FILE_CLOSE, "&Close"}}),
                      "&File");
        ::AppendMenuA(m_hReport, MF_POPUP,
                      (UINT_PTR)Popup({{ID_GALLERY_MENUBAR_EXPORT, "&Export report"},
                                       {ID_GALLERY_MENUBAR_VOLUMES, "&Volumes"}}),
                      "&Report");
        ::AppendMenuA(m_hReport, MF_POPUP, (UINT_PTR)WindowPopup(), "&Window");

        if (!m_bar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC))
            return FALSE;
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        ShowWindow(SW_SHOW);
        OnUpdateFrameMenu(NULL);
        NewChild(m_hKeywords, "Keywords: drill bits");
        CMDIChildWnd* pReport = NewChild(m_hReport, "Report");
        if (pReport != NULL)
            MDIMaximize(pReport);
        RecalcLayout();
        return TRUE;
    }

    void OnUpdateFrameMenu(HMENU hMenuAlt) override
    {
        m_bar.TakeFrameMenu(hMenuAlt != NULL ? hMenuAlt : COXMenuBar::FrameMenuFor(this));
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return m_bar.TranslateFrameKey(pMsg) || CMDIFrameWnd::PreTranslateMessage(pMsg);
    }

protected:
    CMDIChildWnd* NewChild(HMENU hMenu, const char* pszTitle)
    {
        CMenuBarChild* pChild = new CMenuBarChild;
        pChild->m_hMenuShared = hMenu;
        if (!pChild->Create(NULL, pszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 330, 230),
                            this))
            return NULL;
        return pChild;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT nID = LOWORD(wParam);
        if (nID == ID_GALLERY_MENUBAR_NEW) {
            NewChild(m_hKeywords, "Keywords");
            return TRUE;
        }
        if (nID >= ID_GALLERY_MENUBAR_HARVEST && nID <= ID_GALLERY_MENUBAR_ABOUT)
            return TRUE;
        if (nID == ID_FILE_CLOSE) {
            if (CMDIChildWnd* pChild = MDIGetActive())
                pChild->MDIDestroy();
            return TRUE;
        }
        return CMDIFrameWnd::OnCommand(wParam, lParam);
    }
    afx_msg void OnDestroy()
    {
        m_organizer.DetachFrameWnd();
        CMDIFrameWnd::OnDestroy();
        for (HMENU hMenu : {m_hKeywords, m_hReport, m_hMenuDefault})
            if (hMenu != NULL && ::IsMenu(hMenu))
                ::DestroyMenu(hMenu);
        m_hMenuDefault = NULL;
    }
    DECLARE_MESSAGE_MAP()

    COXBitmapMenuOrganizer m_organizer;
    CImageList m_images;
    HMENU m_hKeywords = NULL, m_hReport = NULL;
};

BEGIN_MESSAGE_MAP(CMenuBarFrame, CMDIFrameWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CMenuBarChild::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    if (HMENU hMenu = COXMenuBar::ChildMenuFor(this, bActivate, pActivateWnd, hMenuAlt))
        static_cast<CMenuBarFrame*>(GetMDIFrame())->m_bar.TakeFrameMenu(hMenu);
}

CWnd* OpenMenuBarFrame(CWnd* pGallery)
{
    CMenuBarFrame* pFrame = new CMenuBarFrame;
    if (!pFrame->CreateFrame(pGallery)) {
        if (pFrame->m_hWnd != NULL)
            pFrame->DestroyWindow();
        else
            delete pFrame;
        return NULL;
    }
    return pFrame;
}

}   // namespace

GALLERY_ENTRY("bars", "Menu bar", OpenMenuBarFrame);
