// Gallery: menus being customized. "Customize the menu" shows a bitmap menu
// in its customization popup window with an item selected and an insert
// mark; clicking selects,
// right-clicking opens the customization commands, and every notification
// the menu sends this page is logged. Beside it, a command with its
// drop-down menu can be dragged (to this page's drop box, or to the same
// box in another gallery), where the dropped block is read into a menu.
#include <afxwin.h>
#include <afxole.h>

#include "Gallery.h"
#include "OXBitmapMenu.h"
#include "OXBitmapMenuOrganizer.h"
#include "OXBitmapMenuPopupWnd.h"
#include "OXCommandDragData.h"

namespace {

enum {
    ID_DRAG_SOURCE = 860,
    ID_DROP_BOX,
    ID_SHOW_POPUP,
    ID_CMD_HARVEST = 870,
    ID_CMD_EXPORT,
    ID_CMD_PRINT,
    ID_CMD_CLOSE,
    ID_CMD_CSV,
    ID_CMD_HTML,
};

// A window of this page that paints its own text, in the font the page
// gives it as it gives its controls theirs.
class CTextWnd : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETFONT) {
            m_hFont = (HFONT)wParam;
            if (LOWORD(lParam))
                Invalidate();
            return 0;
        }
        if (message == WM_GETFONT)
            return (LRESULT)m_hFont;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    HFONT m_hFont = NULL;
};

// Starts a drag of the Export command with its drop-down menu.
class CCommandSource : public CTextWnd
{
public:
    HMENU m_hMenu = NULL;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        if (m_hFont != NULL)
            dc.SelectObject(CFont::FromHandle(m_hFont));
        CRect rect;
        GetClientRect(&rect);
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_INFOBK));
        dc.DrawEdge(&rect, EDGE_RAISED, BF_RECT);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText("Drag me: Export with its menu", &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    afx_msg void OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
    {
        COleDataSource* pData = COXCommandDragData::CreateCommandDataSource("E&xport", -1, ID_CMD_EXPORT, 0, m_hMenu);
        if (pData == NULL)
            return;
        COXSHBDropSource source;
        pData->DoDragDrop(DROPEFFECT_COPY, NULL, &source);
        pData->InternalRelease();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandSource, CTextWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Takes dropped commands into a menu of its own and lists its items.
class CDropBox : public CTextWnd
{
public:
    COXBitmapMenu m_menu;
    COXSHBDropTarget m_target;
    CGalleryPage* m_pPage = NULL;

protected:
    static BOOL IsCommand(OXDRAGDROPMESSAGE* pRec)
    {
        return pRec->pDataObject != NULL && pRec->pDataObject->IsDataAvailable(COXCommandDragData::GetFormat());
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        OXDRAGDROPMESSAGE* pRec = (OXDRAGDROPMESSAGE*)lParam;
        switch (message) {
        case SHBDTM_DRAGENTER:
        case SHBDTM_DRAGOVER:
            pRec->result = IsCommand(pRec) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
            return 1;
        case SHBDTM_DROP:
            pRec->result = Drop(pRec->pDataObject);
            return 1;
        }
        return CTextWnd::WindowProc(message, wParam, lParam);
    }
    BOOL Drop(COleDataObject* pDataObject)
    {
        HGLOBAL hData = pDataObject->GetGlobalData(COXCommandDragData::GetFormat());
        if (hData == NULL)
            return FALSE;
        LPBYTE pData = (LPBYTE)::GlobalLock(hData);
        const BOOL bRead = m_menu.InsertItems(&pData, m_menu.m_hMenu, m_menu.GetMenuItemCount());
        ::GlobalUnlock(hData);
        ::GlobalFree(hData);
        m_pPage->Log(bRead ? "dropped: %d items now" : "a block that does not read was refused (%d items)",
                     m_menu.GetMenuItemCount());
        Invalidate();
        return bRead;
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(&rect);
        if (m_hFont != NULL)
            dc.SelectObject(CFont::FromHandle(m_hFont));
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
        dc.DrawEdge(&rect, EDGE_SUNKEN, BF_RECT);
        dc.SetBkMode(TRANSPARENT);
        CString strLines = "Drop commands here\n";
        for (int i = 0; i < m_menu.GetMenuItemCount(); ++i) {
            CString strText;
            m_menu.GetMenuString(i, strText, MF_BYPOSITION);
            strLines += (m_menu.GetSubMenu(i) != NULL ? "[" + strText + "]" : strText) + "\n";
        }
        rect.DeflateRect(6, 4);
        dc.DrawText(strLines, &rect, DT_LEFT | DT_TOP);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDropBox, CTextWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class CMenuCustomizationPage : public CGalleryPage
{
public:
    ~CMenuCustomizationPage() override
    {
        m_popup.Hide();
        m_menu.Detach();
        if (m_hMenu != NULL)
            ::DestroyMenu(m_hMenu);
        if (m_hExport != NULL)
            ::DestroyMenu(m_hExport);
    }

protected:
    void Populate() override
    {
        AfxOleInit();
        m_organizer.SubclassFrameWindow(this);
        MakeBlocks(this, m_images, {RGB(0, 120, 215), RGB(16, 124, 16), RGB(232, 17, 35)});
        const UINT images[] = {ID_CMD_HARVEST, ID_CMD_PRINT, ID_CMD_CLOSE};
        for (int i = 0; i < 3; ++i) {
            HICON hIcon = m_images.ExtractIcon(i);
            m_organizer.SetMenuIcon(images[i], hIcon, 16, 16);
            ::DestroyIcon(hIcon);
        }
        m_hExport = ::CreatePopupMenu();
        ::AppendMenuA(m_hExport, MF_STRING, ID_CMD_CSV, "&CSV file");
        ::AppendMenuA(m_hExport, MF_STRING, ID_CMD_HTML, "&HTML report");

        m_hMenu = ::CreatePopupMenu();
        ::AppendMenuA(m_hMenu, MF_STRING, ID_CMD_HARVEST, "&Harvest\tF5");
        ::AppendMenuA(m_hMenu, MF_STRING, ID_CMD_EXPORT, "E&xport...");
        ::AppendMenuA(m_hMenu, MF_SEPARATOR, 0, NULL);
        ::AppendMenuA(m_hMenu, MF_STRING, ID_CMD_PRINT, "&Print...\tCtrl+P");
        ::AppendMenuA(m_hMenu, MF_STRING, ID_CMD_CLOSE, "&Close");
        m_menu.Attach(m_hMenu);
        m_organizer.ConvertMenu(&m_menu, FALSE);

        NewRow("A menu in its customization popup: click selects, right-click offers the commands");
        m_show.Create("Customize the menu", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, NextRect(140, 26),
                      this, ID_SHOW_POPUP);
        ApplyFont(&m_show);
        m_rectPopup = NextRect(260, 150);
        NewRow("Commands travel by drag and drop");
        m_source.m_hMenu = m_hExport;
        m_source.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_HAND)), "drag source",
                          WS_CHILD | WS_VISIBLE, NextRect(220, 40), this, ID_DRAG_SOURCE);
        ApplyFont(&m_source);
        m_dropBox.m_pPage = this;
        m_dropBox.m_menu.CreatePopupMenu();
        m_dropBox.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "drop box",
                           WS_CHILD | WS_VISIBLE, NextRect(220, 150), this, ID_DROP_BOX);
        ApplyFont(&m_dropBox);
        m_dropBox.m_target.Register(&m_dropBox);
    }

    // The screenshot: the popup with a selected item and an insert mark.
    void ShowOff() override { PostMessage(WM_COMMAND, ID_SHOW_POPUP); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_SHOW_POPUP) {
            ShowPopup();
            return TRUE;
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    void ShowPopup()
    {
        // Shown already: what the user chose in it stays.
        if (m_menu.GetPopupWnd() != NULL)
            return;
        // The item and the mark the popup starts with are set before it takes
        // the menu: a menu in a popup reports every change of them to the page
        // as a customization command, and these are the page's, not the user's.
        m_menu.SetCustomizedItem(0);
        m_menu.SetInsertMark(3);
        CRect rect = m_rectPopup;
        ClientToScreen(&rect);
        m_popup.TrackPopupMenu(&m_menu, TPM_LEFTALIGN, rect.left, rect.top, this);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* pHdr = (const NMHDR*)lParam;
        if (pHdr->code == OXBMN_CUSTOMIZECOMMAND) {
            Log("customization command %d", ((const NMBMCUSTOMIZE*)lParam)->nCommand);
            *pResult = 0;
            return TRUE;
        }
        return CGalleryPage::OnNotify(wParam, lParam, pResult);
    }

    COXBitmapMenuOrganizer m_organizer;
    COXBitmapMenu m_menu;
    COXBitmapMenuPopupWnd m_popup;
    HMENU m_hMenu = NULL;
    HMENU m_hExport = NULL;
    CImageList m_images;
    CRect m_rectPopup;
    CButton m_show;
    CCommandSource m_source;
    CDropBox m_dropBox;
};

}   // namespace

GALLERY_PAGE(CMenuCustomizationPage, "bars", "Menu customization");
