// Gallery: the shortcut bar with list groups and one group whose window is a
// plain edit; a second bar of list groups beside it to drag items to. Every
// notification is logged; the boxes on the right refuse the ones they name.
#include <afxole.h>

#include <map>

#include "Gallery.h"
#include "OXSHBListCtrl.h"
#include "OXShortcutBar.h"

namespace {

const UINT ID_BAR = 500, ID_OTHER = 501, ID_NOTE = 502, ID_VETO_FIRST = 510;

struct Veto
{
    UINT nCode;
    const char* pszName;
};
const Veto kVetoes[] = {
    {SHBN_GROUPEXPANDING, "expand"},        {SHBN_DROPGROUP, "reorder"},
    {SHBN_BEGINGROUPEDIT, "header edit"},   {SHBN_ENDGROUPEDIT, "header rename"},
    {SHBN_DELETEGROUP, "delete group"},     {SHBN_INSERTGROUP, "insert group"},
    {SHBN_CONTEXTMENU, "context menu"},     {SHBN_BEGINITEMEDIT, "item edit"},
    {SHBN_ENDITEMEDIT, "item rename"},      {SHBN_BEGINDRAGDROP, "item drag"},
    {SHBN_DROP, "item drop"},               {SHBN_HOTITEM, "hot item"},
};

class CShortcutBarPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        AfxOleInit();
        MakeImages();
        NewRow("Click, hover or drag the headers; right-click for commands; drag items within and between bars");
        const DWORD dwStyle = SHBS_EDITHEADERS | SHBS_EDITITEMS | SHBS_INFOTIP | SHBS_BOLDEXPANDEDGROUP |
                              SHBS_UNDERLINEHOTITEM | SHBS_SHOWACTIVEALWAYS | SHBS_DRAWHEADERDRAGIMAGE |
                              SHBS_DRAWITEMDRAGIMAGE | SHBS_AUTOSCROLL | SHBS_ANIMATEEXPAND | SHBS_AUTOEXPAND |
                              SHBS_FLATGROUPBUTTON;
        m_bar.Create(this, NextRect(170, 330), dwStyle, ID_BAR, WS_CHILD | WS_VISIBLE | WS_BORDER);
        m_bar.SetImageList(&m_headerImages);
        const char* groups[] = {"Shortcuts", "Mail", "Folders"};
        const char* items[][5] = {{"Inbox", "Calendar", "Contacts", "Tasks", "Notes"},
                                  {"Drafts", "Sent Items", "Deleted Items", "Outbox", "Junk"},
                                  {"Projects", "Archive", "Reports", "Letters to the customers of the north", NULL}};
        for (int g = 0; g < 3; ++g) {
            HSHBGROUP h = m_bar.InsertGroup(groups[g], -1, g % 2, -1, 0, g == 2 ? SHB_SMALLICON : SHB_LARGEICON);
            m_bar.SetGroupImageList(h, &m_large, LVSIL_NORMAL);
            m_bar.SetGroupImageList(h, &m_small, LVSIL_SMALL);
            for (int i = 0; i < 5 && items[g][i] != NULL; ++i)
                m_bar.InsertGroupItem(h, LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, items[g][i], 0, 0, (g + i) % 4,
                                      (LPARAM)(1000 * (g + 1) + i));
        }
        m_note.Create(WS_CHILD | WS_BORDER | ES_MULTILINE, CRect(0, 0, 0, 0), &m_bar, ID_NOTE);
        m_note.SetWindowText("A group may hold any window of its own: this one is a note.");
        ApplyFont(&m_note);
        HSHBGROUP hNote = m_bar.InsertGroup("Note", -1, -1, -1, 0, -1, NULL, &m_note);
        m_bar.SetGroupHeaderBkColor(hNote, RGB(255, 236, 160));
        m_bar.ExpandGroup(m_bar.FindGroupByOrder(0));

        m_other.Create(this, NextRect(150, 330), dwStyle & ~SHBS_ANIMATEEXPAND, ID_OTHER,
                       WS_CHILD | WS_VISIBLE | WS_BORDER);
        HSHBGROUP hDrop = m_other.InsertGroup("Drop here");
        m_other.InsertGroup("Empty");
        m_other.SetGroupBkColor(hDrop, RGB(40, 60, 90));
        m_other.SetGroupTextColor(hDrop, RGB(255, 255, 255));
        m_other.ExpandGroup(hDrop);

        CRect rect = NextRect(130, 18 * (int)(sizeof(kVetoes) / sizeof(kVetoes[0])));
        for (size_t i = 0; i < sizeof(kVetoes) / sizeof(kVetoes[0]); ++i) {
            CButton* pBox = new CButton;
            CString s;
            s.Format("Refuse %s", kVetoes[i].pszName);
            pBox->Create(s, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                         CRect(rect.left, rect.top + 18 * (int)i, rect.right, rect.top + 18 * (int)i + 17), this,
                         ID_VETO_FIRST + (UINT)i);
            ApplyFont(pBox);
            m_boxes.push_back(pBox);
        }
    }

    void MakeImages()
    {
        const COLORREF colours[] = {RGB(220, 60, 50), RGB(60, 140, 220), RGB(70, 170, 80), RGB(230, 170, 40)};
        m_large.Create(32, 32, ILC_COLOR24 | ILC_MASK, 4, 0);
        m_small.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
        m_headerImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
        CClientDC dc(this);
        auto add = [&](CImageList& list, int size, COLORREF clr, BOOL bRound) {
            CBitmap bmp;
            bmp.CreateCompatibleBitmap(&dc, size, size);
            CDC mem;
            mem.CreateCompatibleDC(&dc);
            CBitmap* pOld = mem.SelectObject(&bmp);
            mem.FillSolidRect(0, 0, size, size, RGB(255, 0, 255));
            CBrush brush(clr);
            CBrush* pOldBrush = mem.SelectObject(&brush);
            if (bRound)
                mem.Ellipse(1, 1, size - 1, size - 1);
            else
                mem.RoundRect(1, 1, size - 1, size - 1, size / 3, size / 3);
            mem.SelectObject(pOldBrush);
            mem.SelectObject(pOld);
            list.Add(&bmp, RGB(255, 0, 255));
        };
        for (int i = 0; i < 4; ++i) {
            add(m_large, 32, colours[i], i % 2);
            add(m_small, 16, colours[i], i % 2);
        }
        add(m_headerImages, 16, RGB(120, 120, 120), FALSE);
        add(m_headerImages, 16, RGB(240, 200, 60), TRUE);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        SHB_NOTIFY* pNm = (SHB_NOTIFY*)lParam;
        UINT nCode = pNm->hdr.code;
        if ((pNm->hdr.idFrom == ID_BAR || pNm->hdr.idFrom == ID_OTHER) && nCode >= SHBN_DRAGENTER &&
            nCode <= SHBN_CONTEXTMENU) {
            *pResult = 0;
            for (size_t i = 0; i < m_boxes.size(); ++i)
                if (kVetoes[i].nCode == nCode && m_boxes[i]->GetCheck() == BST_CHECKED)
                    *pResult = 1;
            if (nCode == SHBN_GETHEADERINFOTIP || nCode == SHBN_GETITEMINFOTIP) {
                SHB_TIPINFO* pTip = (SHB_TIPINFO*)pNm->lParam;
                COXShortcutBar* pBar = pNm->hdr.idFrom == ID_BAR ? &m_bar : &m_other;
                if (nCode == SHBN_GETHEADERINFOTIP)
                    _snprintf(pTip->szText, 79, "Group \"%s\"", (LPCSTR)pBar->GetGroupText(pNm->hGroup));
                else
                    _snprintf(pTip->szText, 79, "Item %d of \"%s\"", pNm->nItem,
                              (LPCSTR)pBar->GetGroupText(pNm->hGroup));
            }
            // Drawing and drag-over arrive many times a second: not logged.
            if (nCode == SHBN_DRAWITEM || nCode == SHBN_DRAWHEADER || nCode == SHBN_DRAGOVER)
                return TRUE;
            Log("%s %u, group %d, item %d%s", pNm->hdr.idFrom == ID_BAR ? "bar" : "other", nCode,
                (int)(INT_PTR)pNm->hGroup, pNm->nItem, *pResult ? " (refused)" : "");
            return TRUE;
        }
        return CGalleryPage::OnNotify(wParam, lParam, pResult);
    }

    void ShowOff() override
    {
        // A header drag in progress: Mail's header pressed and pulled over
        // Folders'.
        HSHBGROUP hMail = m_bar.FindGroupByOrder(1), hFolders = m_bar.FindGroupByOrder(2);
        CRect from, to;
        m_bar.GetGroupHeaderRect(hMail, &from);
        m_bar.GetGroupHeaderRect(hFolders, &to);
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.CenterPoint().x, from.CenterPoint().y));
        m_ptFrom = from.CenterPoint();
        m_ptTo = to.CenterPoint();
        SetTimer(1, 300, NULL);
        LogSetUp("Mail's header pressed and pulled over Folders'");
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == 1) {
            KillTimer(1);
            CSetUpStep step(this);
            m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(m_ptFrom.x + 2, m_ptFrom.y));
            m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(m_ptTo.x - 20, m_ptTo.y - 4));
            return 0;
        }
        if (message == WM_DESTROY)
            for (CButton* p : m_boxes)
                delete p;
        return CGalleryPage::WindowProc(message, wParam, lParam);
    }

    COXShortcutBar m_bar, m_other;
    CEdit m_note;
    CImageList m_large, m_small, m_headerImages;
    std::vector<CButton*> m_boxes;
    CPoint m_ptFrom, m_ptTo;
};

}  // namespace

GALLERY_PAGE(CShortcutBarPage, "lists", "Shortcut bar");
