// Gallery: bitmap buttons with images, icons, toggle and three-state
// behaviour, drop-down arrow, track and hyperlink looks, and tooltips.
#include "Gallery.h"
#include "OXBitmapButton.h"
#include "gallery_res.h"

namespace {

class CBitmapButtonPage : public CGalleryPage
{
protected:
    enum { kCount = 10 };

    COXBitmapButton& Add(int i, LPCTSTR text, DWORD style, int cx, int cy)
    {
        COXBitmapButton& b = m_buttons[i];
        b.Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, NextRect(cx, cy), this, 200 + i);
        ApplyFont(&b);
        b.SetToolTip(TRUE);
        return b;
    }

    void Populate() override
    {
        NewRow("Images and captions");
        Add(0, "Star\nA bitmap with its clear colour", 0, 110, 44).LoadBitmap(IDB_GALLERY_STAR, FALSE, RGB(255, 0, 255));
        Add(1, "Globe\nAn icon\rIcons keep their own mask; the grey and disabled images are made from it",
            BS_TOP, 90, 70).LoadIcon(IDI_GALLERY_GLOBE, FALSE);
        Add(2, "Disabled\nNot now", 0, 110, 44).LoadBitmap(IDB_GALLERY_STAR, FALSE, RGB(255, 0, 255));
        m_buttons[2].EnableWindow(FALSE);
        Add(3, "A caption long enough to wrap\nMultiline", BS_MULTILINE, 110, 44);

        NewRow("Toggle, three-state and drop-down");
        Add(4, "Toggle\nClick to check and uncheck", 0, 110, 34).SetStyleEx(OXBB_EX_TOGGLE);
        Add(5, "Three states\nChecked, indeterminate, unchecked", 0, 110, 34)
            .SetStyleEx(OXBB_EX_TOGGLE | OXBB_EX_TOGGLE3STATE);
        Add(6, "Drop-down\nRaises the drop-down notification", 0, 120, 34).SetStyleEx(OXBB_EX_DROPDOWN);
        m_buttons[6].LoadBitmap(IDB_GALLERY_STAR, FALSE, RGB(255, 0, 255));

        NewRow("Looks");
        Add(7, "Track look\nFlat until the pointer is over it", 0, 110, 44).LoadBitmap(IDB_GALLERY_STAR, FALSE,
                                                                                       RGB(255, 0, 255));
        m_buttons[7].SetTrackLook(TRUE);
        Add(8, "Hyperlink look\nA hand over the parent's own background", 0, 120, 30).SetHyperLook(TRUE);
        m_buttons[8].SetTextColor(RGB(0, 0, 200));
        Add(9, "Red text\nIts own text colour and font", 0, 110, 30).SetTextColor(RGB(220, 0, 0));
        // Bold and upright: the page's face has a bold cut but no italic one,
        // and a made-up italic loses the weight.
        LOGFONT lf;
        m_font.GetLogFont(&lf);
        lf.lfWeight = FW_BOLD;
        m_bold.CreateFontIndirect(&lf);
        m_buttons[9].SetTextFont(&m_bold);
    }

    void ShowOff() override
    {
        m_buttons[4].SetCheckState(OXBB_STATE_CHECKED);
        m_buttons[5].SetCheckState(OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE);
        m_buttons[0].SetFocus();
        // The pointer rests on the globe: its tip shows after the delay.
        CRect rect;
        m_buttons[1].GetWindowRect(&rect);
        ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
        m_buttons[1].PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rect.Width() / 2, rect.Height() / 2));
    }

    COXBitmapButton m_buttons[kCount];
    CFont m_bold;
};

}  // namespace

GALLERY_PAGE(CBitmapButtonPage, "edits", "Bitmap button");
