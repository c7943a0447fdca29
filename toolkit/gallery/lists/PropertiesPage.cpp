// Gallery: the property window. A harvest's settings under three categories,
// edited in place by a plain edit, a toolkit edit and masked edits; the tool
// bar switches between the categorized and the alphabetical view, and every
// stored change is logged.
#include "Gallery.h"
#include "OXEdit.h"
#include "OXMaskedEdit.h"
#include "OXPropertiesWnd.h"

namespace {

const UINT ID_PROPERTIES = 420;

class CLoggedPropertiesWnd : public COXPropertiesWnd
{
public:
    explicit CLoggedPropertiesWnd(CGalleryPage* pPage) : m_pPage(pPage) {}
    BOOL OnPropertyChanged(HTREEITEM hItem, LPCTSTR lpszOld, LPCTSTR lpszNew) override;

    CGalleryPage* m_pPage;
};

class CPropertiesPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Harvest settings: select a value to edit it; Return keeps it, Esc drops it");
        // A frame deletes itself when its window goes.
        m_pWnd = new CLoggedPropertiesWnd(this);
        m_pWnd->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, NextRect(420, 380), this);
        m_pWnd->SetDlgCtrlID(ID_PROPERTIES);
        CComboBoxEx* pCombo = m_pWnd->GetComboBox();
        for (const char* s : {"Harvest \"coffee\"", "Harvest \"gardening\""}) {
            COMBOBOXEXITEM item = {};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = (LPTSTR)s;
            pCombo->InsertItem(&item);
        }
        pCombo->SetCurSel(0);

        m_maskStart.SetMask("##:##");
        m_maskDepth.SetMask("#");
        m_pWnd->AddProperty("Seed keyword", "coffee", "The phrase the harvest starts from", "Harvest", &m_editSeed);
        m_pWnd->AddProperty("Depth", "2", "How many rounds of suggestions are followed", "Harvest", &m_maskDepth);
        m_pWnd->AddProperty("Start at", "09:30", "When a scheduled harvest begins (hours:minutes)", "Schedule",
                            &m_maskStart);
        m_pWnd->AddProperty("Language", "en", "The language the suggestions are asked in", "Market", &m_editLang);
        m_pWnd->AddProperty("Region", "us", "The country the suggestions come from", "Market", &m_editRegion);
        m_pWnd->AddProperty("Notes", "", "Free text kept with the harvest", NULL, &m_editNotes);
        m_pWnd->AddProperty("Created", "2026-12-10", "When the harvest was set up (read only)", "Harvest");
    }

    void ShowOff() override
    {
        // An edit in progress: the seed keyword being retyped.
        m_pWnd->GetTree()->SetFocus();
        m_pWnd->GetTree()->SelectItem(m_pWnd->FindProperty("Seed keyword", "Harvest"));
        m_editSeed.SetWindowText("cold brew coffee");
        m_editSeed.SetFocus();
        m_editSeed.SetSel(-1, -1);
    }

    CLoggedPropertiesWnd* m_pWnd = nullptr;
    CEdit m_editSeed;
    COXEdit m_editLang;
    CEdit m_editRegion;
    CEdit m_editNotes;
    COXMaskedEdit m_maskDepth;
    COXMaskedEdit m_maskStart;
};

BOOL CLoggedPropertiesWnd::OnPropertyChanged(HTREEITEM hItem, LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    m_pPage->Log("%s: \"%s\" -> \"%s\"", (LPCTSTR)GetTree()->GetItemText(hItem, 0), lpszOld, lpszNew);
    return TRUE;
}

GALLERY_PAGE(CPropertiesPage, "lists", "Property window");

}  // namespace
