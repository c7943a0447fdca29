// Gallery: the popup bar on its own, with cells a derived class would draw
// (here numbered), no custom button and a tear-off bar.
#include "Gallery.h"
#include "OXPopupBarCtrl.h"

namespace {

const UINT ID_DROP = 400;

class CNumberBar : public COXPopupBarCtrl
{
public:
    CNumberBar() : COXPopupBarCtrl(12, 3, 0, 26, 22, "None", "") {}

    void DrawCell(CDC* pDC, int nIndex) override
    {
        CRect rect = GetCellRect(nIndex);
        if (rect.IsRectEmpty())
            return;
        DrawItemFrame(pDC, rect, nIndex);
        CString text;
        text.Format("%lu", (unsigned long)GetCellValue(nIndex - 1));
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
};

class CPopupBarPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("A bar of twelve values in three rows");
        m_drop.Create("Choose a number...", WS_CHILD | WS_VISIBLE | WS_TABSTOP, NextRect(140, 26), this, ID_DROP);
        ApplyFont(&m_drop);
        for (DWORD v = 1; v <= 12; ++v)
            m_values.Add(v * 5);
        m_bar.SetCellValues(m_values);
        m_bar.Create(this, OXPB_NOCUSTOM);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_DROP && HIWORD(wParam) == BN_CLICKED) {
            CRect rect;
            m_drop.GetWindowRect(&rect);
            if (m_bar.Pick(3, &rect))
                Log("picked %lu", (unsigned long)m_bar.GetSelectedValue());
            else
                Log("nothing picked");
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    // The screenshot: the bar dropped under its button, as a click on the
    // button drops it (no lParam: the page's own command, not logged).
    void ShowOff() override { PostMessage(WM_COMMAND, MAKEWPARAM(ID_DROP, BN_CLICKED)); }

    CButton m_drop;
    CArray<DWORD, DWORD> m_values;
    CNumberBar m_bar;
};

}  // namespace

GALLERY_PAGE(CPopupBarPage, "edits", "Popup bar");
