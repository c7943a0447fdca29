// Gallery: colour picker buttons (as the grid column set-up dialog has them,
// and with the picker opening to the right) and a colour picker with a
// tear-off bar.
#include "Gallery.h"
#include "OXColorPickerButton.h"

namespace {

const UINT ID_PALETTE = 300;
const UINT WM_DROP_TEXT_COLOUR = WM_APP + 43;

class CColorPickerPage : public CGalleryPage
{
public:
    CColorPickerPage() : m_palette(40, 4, RGB(0, 0, 0), 18, 18) {}

protected:
    void Populate() override
    {
        NewRow("Colour buttons: 40 cells, 4 rows, no default colour");
        const char* names[] = {"Background", "Text", "Grid lines"};
        const COLORREF colours[] = {RGB(255, 255, 224), RGB(0, 0, 139), (COLORREF)-1};
        for (int i = 0; i < 3; ++i) {
            m_buttons[i].Create(names[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP, NextRect(110, 36), this, 310 + i);
            ApplyFont(&m_buttons[i]);
            m_buttons[i].SetColor(colours[i]);
        }
        m_right.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP, NextRect(50, 36), this, 313);
        m_right.SetStyleEx(OXBB_EX_DROPDOWN | OXBB_EX_DROPDOWNRIGHT);
        m_right.SetColor(RGB(46, 150, 80));

        NewRow("A picker with a tear-off bar (drag the blue strip away)");
        m_open.Create("Palette...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, NextRect(100, 26), this,
                      ID_PALETTE);
        ApplyFont(&m_open);
        m_palette.Create(this, 0);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_PALETTE && HIWORD(wParam) == BN_CLICKED) {
            CRect rect;
            m_open.GetWindowRect(&rect);
            if (m_palette.Pick(3, &rect))
                Log("picked 0x%06lX", (unsigned long)m_palette.GetSelectedValue());
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_OXPB_FLOATPICKED)
            Log("floating bar picked 0x%06lX", (unsigned long)m_palette.GetSelectedValue());
        if (message == WM_DROP_TEXT_COLOUR) {
            // The click that drops the picker, and what it sends until the
            // picker closes, are the set-up's.
            CSetUpStep step(this);
            LogSetUp("Text clicked: its picker dropped");
            m_buttons[1].SendMessage(BM_CLICK);
            return 0;
        }
        return CGalleryPage::WindowProc(message, wParam, lParam);
    }

    // The Text button's picker dropped. The click is posted: the picker
    // holds the mouse in a loop of its own until it closes.
    void ShowOff() override { PostMessage(WM_DROP_TEXT_COLOUR); }

    COXColorPickerButton m_buttons[3];
    COXColorPickerButton m_right;
    CButton m_open;
    COXColorPickerCtrl m_palette;
};

}  // namespace

GALLERY_PAGE(CColorPickerPage, "edits", "Colour picker button");
