// Gallery: the multi-column tree (lines, buttons, images, grid lines, full-row
// selection, item tips over cut-off cells, a drop-down and a date editor in
// its cells) and a second tree to copy and move items into.
#include "Gallery.h"
#include "OXTreeCtrl.h"

namespace {

const UINT ID_TREE = 400, ID_OTHER = 401, ID_COPY = 402, ID_MOVE = 403;

class CTreePage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Keyword groups: four columns, grid, full-row selection, item tips, cell editors");
        m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                          TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS,
                      NextRect(520, 240), this, ID_TREE,
                      TVXS_COLUMNHDR | TVXS_FULLROWSEL | TVXS_HGRID | TVXS_VGRID | TVXS_ITEMTIPS | TVXS_MULTISEL);
        ApplyFont(&m_tree);
        m_tree.SetHGridColor(RGB(220, 220, 220));
        m_tree.SetVGridColor(RGB(220, 220, 220));
        MakeImages();
        m_tree.SetImageList(&m_images, TVSIL_NORMAL);
        SetFirstColumn(m_tree, "Keyword", 170);
        m_tree.InsertColumn(1, "Searches", LVCFMT_RIGHT, 70);
        m_tree.InsertColumn(2, "Competition", LVCFMT_LEFT, 120);
        m_tree.InsertColumn(3, "Checked", LVCFMT_LEFT, 140);
        Fill(&m_tree);

        m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                           TVS_SHOWSELALWAYS,
                       NextRect(170, 240), this, ID_OTHER, TVXS_COLUMNHDR);
        ApplyFont(&m_other);
        SetFirstColumn(m_other, "Chosen", 160);
        m_other.InsertItem("Chosen keywords");

        NewRow();
        m_copy.Create("Copy selected", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(120, 26), this, ID_COPY);
        m_move.Create("Move selected", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(120, 26), this, ID_MOVE);
        ApplyFont(&m_copy);
        ApplyFont(&m_move);
    }

    // The column a tree is made with holds the items themselves: its title
    // is the page's to give, as the other columns' are.
    static void SetFirstColumn(COXTreeCtrl& tree, LPCTSTR lpszTitle, int cx)
    {
        LVCOLUMN column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = (LPTSTR)lpszTitle;
        column.cx = cx;
        tree.SetColumn(0, &column);
    }

    void MakeImages()
    {
        // A folder-like block for groups, a dot for keywords.
        MakeBlocks(this, m_images, {RGB(230, 180, 60), RGB(60, 120, 200)});
    }

    static void Fill(COXTreeCtrl* pTree)
    {
        struct {
            const char* group;
            const char* words[4];
            const char* counts[4];
        } groups[] = {
            {"Gardening", {"raised garden beds", "compost bin", "drip irrigation kits for small balconies", NULL},
             {"12,400", "33,100", "880", NULL}},
            {"Coffee", {"pour over kettle", "burr grinder", "cold brew ratio", "decaf espresso beans"},
             {"9,900", "22,200", "14,800", "3,600"}},
            {"Cycling", {"gravel bike", "bike repair stand", NULL, NULL}, {"40,500", "6,600", NULL, NULL}},
        };
        const char* levels[] = {"low", "medium", "high: many strong pages rank for this keyword"};
        CStringArray levelChoices, since;
        for (const char* level : levels)
            levelChoices.Add(level);
        since.Add("2020-01-01");   // no check before the tool existed
        int n = 0;
        for (auto& g : groups) {
            HTREEITEM hGroup = pTree->InsertItem(g.group, 0, 0);
            pTree->SetItemText(hGroup, "", 1);
            for (int i = 0; i < 4 && g.words[i] != NULL; i++, n++) {
                HTREEITEM h = pTree->InsertItem(g.words[i], 1, 1, hGroup);
                pTree->SetItemText(h, g.counts[i], 1);
                pTree->SetItemText(h, levels[n % 3], 2);
                CString checked;
                checked.Format("2026-%02d-%02d", 1 + n % 12, 3 + 2 * n);
                pTree->SetItemText(h, checked, 3);
                pTree->SetItemEditMode(h, TEM_COMBO, levelChoices, 2);
                pTree->SetItemEditMode(h, TEM_DATE, since, 3);
            }
            pTree->Expand(hGroup, TVE_EXPAND);
        }
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        if ((id == ID_COPY || id == ID_MOVE) && HIWORD(wParam) == BN_CLICKED) {
            HTREEITEM h = m_tree.GetSelectedItem();
            HTREEITEM hTo = m_other.GetChildItem(TVI_ROOT);
            if (h != NULL) {
                BOOL bDone = id == ID_COPY ? FALSE : m_tree.MoveItem(h, hTo, TVI_LAST, &m_other);
                if (id == ID_COPY) {
                    // A copy into the other tree: moved there from a copy made here.
                    HTREEITEM hCopy = NULL;
                    bDone = m_tree.CopyItem(h, TVI_ROOT, TVI_LAST, TRUE, &hCopy) &&
                            m_tree.MoveItem(hCopy, hTo, TVI_LAST, &m_other);
                }
                m_other.Expand(hTo, TVE_EXPAND);
                Log("%s \"%s\": %s", id == ID_COPY ? "copied" : "moved", (LPCSTR)m_other.GetItemText(hTo, 0),
                    bDone ? "done" : "refused");
            }
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    void ShowOff() override
    {
        HTREEITEM h = m_tree.GetChildItem(m_tree.GetChildItem(TVI_ROOT));
        m_tree.SetFocus();
        m_tree.SelectItem(m_tree.GetNextSiblingItem(h));
        m_tree.EditLabel(h, 3);   // the date editor
    }

    COXTreeCtrl m_tree;
    COXTreeCtrl m_other;
    CImageList m_images;
    CButton m_copy;
    CButton m_move;
};

}  // namespace

GALLERY_PAGE(CTreePage, "lists", "Multi-column tree");
