// Gallery: the skinned tab control (thirty tabs at the top, so that its
// scroll arrows show, and a few at the bottom) and skinned combo boxes. They
// draw through the gallery's current skin (its Skin menu); where the
// application is not skinned they keep their own Classic look.
#include <afxwin.h>
#include <afxcmn.h>

#include "Gallery.h"
#include "OXSkinnedComboBox.h"
#include "OXSkinnedTabCtrl.h"

namespace {

enum { ID_TABS_TOP = 800, ID_TABS_BOTTOM, ID_COMBO_FIRST = 810 };

class CSkinnedControlsPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Thirty tabs at the top: scroll with the arrows");
        MakeTabs(m_top, 0, 30, NextRect(420, 110), ID_TABS_TOP);
        NewRow("Tabs at the bottom");
        MakeTabs(m_bottom, TCS_BOTTOM, 4, NextRect(420, 90), ID_TABS_BOTTOM);

        NewRow("Combo boxes: hover, drop down, choose");
        const char* items[] = {"Web search", "Shop search", "Video search", "News search"};
        for (int i = 0; i < 3; ++i) {
            COXSkinnedComboBox& combo = m_combos[i];
            DWORD dwStyle = i == 0 ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
            combo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | dwStyle, NextComboRect(130, 150), this,
                         ID_COMBO_FIRST + i);
            ApplyFont(&combo);
            for (const char* item : items)
                combo.AddString(item);
            combo.SetCurSel(i);
        }
    }

    void MakeTabs(COXSkinnedTabCtrl& tab, DWORD dwStyle, int nTabs, const CRect& rect, UINT nID)
    {
        tab.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwStyle, rect, this, nID);
        ApplyFont(&tab);
        for (int i = 0; i < nTabs; ++i) {
            CString s;
            s.Format("Keywords %d", i + 1);
            tab.InsertItem(i, s);
        }
        tab.SetCurSel(nTabs > 2 ? 2 : 0);
    }

    // The screenshot: the top tabs scrolled a little, so that both arrows
    // are live, and the first combo box with the focus (its hot look).
    void ShowOff() override
    {
        m_top.SetCurSel(5);
        m_top.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
        m_combos[0].SetFocus();
    }

    COXSkinnedTabCtrl m_top, m_bottom;
    COXSkinnedComboBox m_combos[3];
};

GALLERY_PAGE(CSkinnedControlsPage, "bars", "Skinned tabs and combo boxes");

} // namespace
