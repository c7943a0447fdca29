// Gallery: the toolkit's tooltip control over a few tools, with short and
// extended texts (click a tip to switch).
#include "Gallery.h"
#include "OXToolTipCtrl.h"

namespace {

class CToolTipPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Rest the pointer on a box; click a tip with an arrow to read more");
        const char* names[] = {"Short tip", "Extended tip", "Wide text", "Asks its owner"};
        for (int i = 0; i < 4; ++i) {
            m_tools[i].Create(names[i], WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | WS_BORDER,
                              NextRect(110, 40), this, 100 + i);
            ApplyFont(&m_tools[i]);
        }
        m_tip.Create(this);
        m_tip.AddTool(&m_tools[0], "A short tip");
        m_tip.AddTool(&m_tools[1], "Saves the list\rWrites every ticked phrase to the file you choose, "
                                   "one a line.\nClick the tip again to go back.");
        m_tip.AddTool(&m_tools[2], "A tip with\ttabs and\nseveral\nlines");
        m_tip.AddTool(&m_tools[3], LPSTR_TEXTCALLBACK);
        m_tip.FindTool(&m_tools[2])->m_crBkColor = RGB(230, 240, 255);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        m_tip.RelayEvent(pMsg);
        return CGalleryPage::PreTranslateMessage(pMsg);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = (NMHDR*)lParam;
        if (pHdr->code == TTN_NEEDTEXTA) {
            NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)lParam;
            strcpy(pInfo->szText, "Text given by the owner");
            return TRUE;
        }
        return CGalleryPage::OnNotify(wParam, lParam, pResult);
    }

    void ShowOff() override
    {
        CRect rect;
        m_tools[1].GetWindowRect(&rect);
        ::SetCursorPos(rect.left + 20, rect.top + 10);
        CPoint pt(20, 10);
        MSG msg = {m_tools[1].GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y)};
        m_tip.RelayEvent(&msg);
    }

    CStatic m_tools[4];
    COXToolTipCtrl m_tip;
};

}  // namespace

GALLERY_PAGE(CToolTipPage, "edits", "Tooltip control");
