// Gallery: a bitmap menu in the gallery's current skin (its Skin menu). The
// panel draws the menu's items as the open popup shows them: one under the
// cursor, one checked with the check mark, one disabled, a separator, a
// submenu and an item with a shortcut. "Open the menu" opens the real popup,
// converted by a bitmap menu organizer on this page; typing an access key or
// choosing an item logs the command.
#include <afxwin.h>
#include <algorithm>

#include "Gallery.h"
#include "OXBitmapMenu.h"
#include "OXBitmapMenuOrganizer.h"

namespace {

enum {
    ID_MENU_PREVIEW = 840,
    ID_MENU_OPEN,
    ID_CMD_HARVEST = 850,
    ID_CMD_EXPORT,
    ID_CMD_SHOWVOLUMES,
    ID_CMD_PRINT,
    ID_CMD_CLOSE,
    ID_CMD_CSV,
    ID_CMD_HTML,
};

// Draws each item of a bitmap menu as its popup would, top to bottom.
class CMenuPreview : public CWnd
{
public:
    COXBitmapMenu* m_pMenu = NULL;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(&rect);
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_APPWORKSPACE));
        if (m_pMenu == NULL)
            return;
        // The skin may have changed since the last paint.
        m_pMenu->UpdateExtents();
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof(ncm);
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        CFont font;
        font.CreateFontIndirect(&ncm.lfMenuFont);
        CFont* pOld = dc.SelectObject(&font);
        const int nCount = m_pMenu->GetMenuItemCount();
        int y = 0, cx = 0;
        for (int i = 0; i < nCount; ++i) {
            MENUITEMINFOA mii = {sizeof(mii), MIIM_DATA | MIIM_ID | MIIM_SUBMENU | MIIM_STATE};
            m_pMenu->GetMenuItemInfo(i, &mii, TRUE);
            MEASUREITEMSTRUCT mis = {ODT_MENU, 0, mii.hSubMenu != NULL ? (UINT)-1 : mii.wID, 0, 0, mii.dwItemData};
            m_pMenu->MeasureItem(&mis);
            cx = std::max<int>(cx, (int)mis.itemWidth + 24);
        }
        for (int i = 0; i < nCount; ++i) {
            MENUITEMINFOA mii = {sizeof(mii), MIIM_DATA | MIIM_ID | MIIM_SUBMENU | MIIM_STATE};
            m_pMenu->GetMenuItemInfo(i, &mii, TRUE);
            const UINT nID = mii.hSubMenu != NULL ? (UINT)-1 : mii.wID;
            MEASUREITEMSTRUCT mis = {ODT_MENU, 0, nID, 0, 0, mii.dwItemData};
            m_pMenu->MeasureItem(&mis);
            UINT nState = 0;
            if (mii.fState & MFS_CHECKED)
                nState |= ODS_CHECKED;
            if (mii.fState & MFS_DISABLED)
                nState |= ODS_DISABLED | ODS_GRAYED;
            if (nID == ID_CMD_HARVEST)
                nState |= ODS_SELECTED;
            DRAWITEMSTRUCT dis = {ODT_MENU, 0, nID, ODA_DRAWENTIRE, nState, NULL, dc.GetSafeHdc(),
                                  {0, y, cx, y + (int)mis.itemHeight}, mii.dwItemData};
            // The menu finds an item by its offset from the popup's top.
            dc.SetViewportOrg(8, 8);
            m_pMenu->DrawItem(&dis);
            y += (int)mis.itemHeight;
        }
        dc.SelectObject(pOld);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuPreview, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class CBitmapMenuPage : public CGalleryPage
{
public:
    ~CBitmapMenuPage() override
    {
        m_menu.Detach();
        if (m_hMenu != NULL)
            ::DestroyMenu(m_hMenu);
    }

protected:
    void Populate() override
    {
        m_organizer.SubclassFrameWindow(this);
        MakeBlocks(this, m_images, {RGB(0, 120, 215), RGB(16, 124, 16), RGB(232, 17, 35), RGB(255, 185, 0)});
        const UINT images[] = {ID_CMD_HARVEST, ID_CMD_EXPORT, ID_CMD_PRINT, ID_CMD_CLOSE};
        for (int i = 0; i < 4; ++i) {
            HICON hIcon = m_images.ExtractIcon(i);
            m_organizer.SetMenuIcon(images[i], hIcon, 16, 16);
            ::DestroyIcon(hIcon);
        }

        m_hMenu = ::CreatePopupMenu();
        HMENU hExport = ::CreatePopupMenu();
        ::AppendMenuA(hExport, MF_STRING, ID_CMD_CSV, "&CSV file");
        ::AppendMenuA(hExport, MF_STRING, ID_CMD_HTML, "&HTML report");
        ::AppendMenuA(m_hMenu, MF_STRING, ID_CMD_HARVEST, "&Harvest\tF5");
        ::AppendMenuA(m_hMenu, MF_POPUP, (UINT_PTR)hExport, "E&xport");
        ::AppendMenuA(m_hMenu, MF_STRING | MF_CHECKED, ID_CMD_SHOWVOLUMES, "Show &volumes");
        ::AppendMenuA(m_hMenu, MF_SEPARATOR, 0, NULL);
        ::AppendMenuA(m_hMenu, MF_STRING | MF_GRAYED, ID_CMD_PRINT, "&Print...\tCtrl+P");
        ::AppendMenuA(m_hMenu, MF_STRING, ID_CMD_CLOSE, "&Close");
        m_menu.Attach(m_hMenu);
        m_organizer.ConvertMenu(&m_menu, FALSE);

        NewRow("A bitmap menu in the current skin (the Skin menu switches it)");
        m_preview.m_pMenu = &m_menu;
        m_preview.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "menu preview",
                           WS_CHILD | WS_VISIBLE, NextRect(300, 190), this, ID_MENU_PREVIEW);
        NewRow("The real popup");
        m_open.Create("Open the menu", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, NextRect(140, 26), this,
                      ID_MENU_OPEN);
        ApplyFont(&m_open);
    }

    // The screenshot: the real popup open under its button, beside the panel.
    void ShowOff() override { PostMessage(WM_COMMAND, ID_MENU_OPEN); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT nID = LOWORD(wParam);
        if (nID == ID_MENU_OPEN) {
            CRect rect;
            m_open.GetWindowRect(&rect);
            ::TrackPopupMenu(m_hMenu, TPM_LEFTALIGN | TPM_TOPALIGN, rect.left, rect.bottom, 0, m_hWnd, NULL);
            return TRUE;
        }
        if (nID >= ID_CMD_HARVEST && nID <= ID_CMD_HTML) {
            Log("command %u", nID);
            return TRUE;
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    COXBitmapMenuOrganizer m_organizer;
    COXBitmapMenu m_menu;
    HMENU m_hMenu = NULL;
    CImageList m_images;
    CMenuPreview m_preview;
    CButton m_open;
};

}   // namespace

GALLERY_PAGE(CBitmapMenuPage, "bars", "Bitmap menus");
