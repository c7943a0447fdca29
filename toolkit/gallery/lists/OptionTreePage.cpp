// Gallery: the option tree on a light and on a dark background, with a radio
// run, a check box ending it, and a locked option.
#include "Gallery.h"
#include "OXOptionTreeCtrl.h"

namespace {

class COptionTreePage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Harvest options: light and dark backgrounds (the last option is locked)");
        for (int i = 0; i < 2; i++) {
            COXOptionTreeCtrl& tree = m_trees[i];
            tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                            TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                        NextRect(230, 230), this, 500 + i);
            ApplyFont(&tree);
            if (i == 1) {
                tree.SetBkColor(RGB(36, 38, 48));
                tree.SetTextColor(RGB(230, 230, 230));
            }
            HTREEITEM hSearch = tree.AddGroup("Search engine", TVI_ROOT, TRUE, I_IMAGENONE, I_IMAGENONE);
            tree.AddRadioButton(1, "Suggestions of the web search", hSearch, 1);
            tree.AddRadioButton(2, "Suggestions of the shop search", hSearch);
            tree.AddRadioButton(3, "Suggestions of the video search", hSearch);
            tree.AddCheckBox(4, "Also ask the image search", hSearch);
            HTREEITEM hResults = tree.AddGroup("Results", TVI_ROOT, TRUE, I_IMAGENONE, I_IMAGENONE);
            tree.AddCheckBox(5, "Remove duplicates", hResults, 1);
            tree.AddCheckBox(6, "Keep the question words", hResults);
            tree.AddCheckBox(7, "Write a log file", hResults, 1, TVI_LAST, TRUE);
        }
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* pHdr = (const NMHDR*)lParam;
        if (pHdr->code == (UINT)OTN_OPTIONCHANGED) {
            const NMOPTIONTREE* p = (const NMOPTIONTREE*)lParam;
            Log("option %u: %d -> %d", p->uOptionID, p->nOldCheck, p->nNewCheck);
        }
        return CGalleryPage::OnNotify(wParam, lParam, pResult);
    }

    void ShowOff() override
    {
        m_trees[1].CheckOption(3);
        m_trees[1].SelectItem(m_trees[1].GetOptionItem(3));
        LogSetUp("the video search chosen in the dark tree");
    }

    COXOptionTreeCtrl m_trees[2];
};

}  // namespace

GALLERY_PAGE(COptionTreePage, "lists", "Option tree");
