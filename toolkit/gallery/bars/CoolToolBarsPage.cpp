// Gallery: cool tool bars in a frame of their own, drawn by the gallery's
// current skin (its Skin menu): texts under the images, beside them and
// set by hand, drop-down arrows, a checked, a disabled and a pressed
// button, a bar in the twelve colours of its own, one docked at the left,
// one floating, one carrying a combo box, an edit, a slider and a date
// picker. The Customize menu selects buttons by the mouse and gives them a
// context menu. Drag a bar by any empty part of it to float it; a double
// click on an empty part docks it again.
#include <afxwin.h>
#include <afxext.h>

#include "Gallery.h"
#include "OXCoolToolBar.h"
#include "gallery_res.h"

namespace {

const UINT kCommands[] = {ID_GALLERY_BAR_SEARCH, ID_GALLERY_BAR_SHOP, ID_SEPARATOR,         ID_GALLERY_BAR_VIDEO,
                          ID_GALLERY_BAR_NEWS,   ID_SEPARATOR,        ID_GALLERY_BAR_EXPORT, ID_GALLERY_BAR_FILTER,
                          ID_GALLERY_BAR_STOP,   ID_GALLERY_BAR_HISTORY};
const int kBars = 6;
// The bars' ids: past the frame's own bars (the status bar's id would bring
// the frame's prompts to the first bar as its title) and its dock bars.
const UINT kFirstBarId = AFX_IDW_CONTROLBAR_FIRST + 0x30;
enum { IDC_GALLERY_BAR_COMBO = 19320, IDC_GALLERY_BAR_EDIT, IDC_GALLERY_BAR_SLIDER, IDC_GALLERY_BAR_DATE,
       ID_GALLERY_BAR_CUSTOMIZE = 19330 };

class CCoolBarsFrame : public CFrameWnd
{
public:
    BOOL CreateFrame(CWnd* pGallery)
    {
        CRect rect;
        pGallery->GetWindowRect(rect);
        if (!Create(NULL, "Cool tool bars", WS_OVERLAPPEDWINDOW, CRect(rect.right + 10, rect.top, rect.right + 730,
                                                                        rect.top + 420),
                    pGallery))
            return FALSE;
        m_menu.LoadMenu(IDR_GALLERY_BAR_MENU);
        // Customizing: select buttons with the mouse, right-click for their
        // menu.
        m_menu.AppendMenu(MF_STRING, ID_GALLERY_BAR_CUSTOMIZE, "&Customize");
        SetMenu(&m_menu);
        MakeBlocks(this, m_images, {RGB(30, 90, 170), RGB(200, 60, 40), RGB(40, 150, 70), RGB(230, 170, 20),
                                    RGB(120, 60, 160), RGB(20, 140, 160), RGB(180, 30, 90), RGB(90, 90, 90)});
        EnableDocking(CBRS_ALIGN_ANY);
        struct BarLook
        {
            const char* pszTitle;
            int nTextType;
            DWORD dwCtrlStyle;
            DWORD dwAlign;
        } looks[kBars] = {
            {"Prompts under the images", OXTB_TEXT_PROMPT, 0, CBRS_TOP},
            {"Tips beside the images", OXTB_TEXT_TOOLTIP, TBSTYLE_LIST, CBRS_TOP},
            {"Texts by hand", OXTB_TEXT_BYHAND, TBSTYLE_LIST, CBRS_TOP},
            {"Images only", OXTB_TEXT_NONE, 0, CBRS_LEFT},
            {"Colours of its own", OXTB_TEXT_TOOLTIP, TBSTYLE_LIST, CBRS_TOP},
            {"Custom buttons", OXTB_TEXT_NONE, 0, CBRS_TOP},
        };
        for (int i = 0; i < kBars; ++i) {
            COXCoolToolBar& bar = m_bars[i];
            if (!bar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                      CBRS_SIZE_DYNAMIC,
                            kFirstBarId + i))
                return FALSE;
            bar.SetWindowText(looks[i].pszTitle);
            bar.ModifyStyle(0, looks[i].dwCtrlStyle);
            bar.SetSizes(CSize(23, 22), CSize(16, 16));
            bar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_images.GetSafeHandle());
            bar.SetButtons(kCommands, sizeof(kCommands) / sizeof(kCommands[0]));
            bar.SetButtonStyle(bar.CommandToIndex(ID_GALLERY_BAR_SEARCH), TBSTYLE_DROPDOWN);
            bar.SetButtonStyle(bar.CommandToIndex(ID_GALLERY_BAR_EXPORT), TBSTYLE_DROPDOWN);
            bar.SetTextType(looks[i].nTextType);
            if (looks[i].nTextType == OXTB_TEXT_BYHAND) {
                bar.SetButtonText(bar.CommandToIndex(ID_GALLERY_BAR_SEARCH), "Search the web");
                bar.SetButtonText(bar.CommandToIndex(ID_GALLERY_BAR_HISTORY), "Earlier");
            }
            bar.UpdateSizes();
            bar.EnableDocking(CBRS_ALIGN_ANY);
        }
        // Windows on separators: a combo box, an edit, a slider and a date
        // picker; the edit shows only while the bar lies along the top or
        // the bottom, its image elsewhere.
        COXCoolToolBar& custom = m_bars[kBars - 1];
        int nCombo = COXCoolToolBar::AddCustomButton(&m_combo, IDC_GALLERY_BAR_COMBO, 120);
        int nEdit = COXCoolToolBar::AddCustomButton(&m_edit, IDC_GALLERY_BAR_EDIT, 90, 20, OXCBD_SHOWHORZ, 0);
        int nSlider = COXCoolToolBar::AddCustomButton(&m_slider, IDC_GALLERY_BAR_SLIDER, 90);
        int nDate = COXCoolToolBar::AddCustomButton(&m_date, IDC_GALLERY_BAR_DATE, 100);
        custom.InsertComboBox(0, nCombo);
        if (CWnd* pCombo = custom.GetCustomButtonWnd(0)) {
            for (const char* pszItem : {"Web search", "Shop search", "Video search"})
                pCombo->SendMessage(CB_ADDSTRING, 0, (LPARAM)pszItem);
            pCombo->SendMessage(CB_SETCURSEL, 0);
        }
        custom.InsertEditBox(1, nEdit, "drill bits");
        custom.InsertSlider(2, nSlider);
        custom.InsertDateTimePicker(3, nDate);
        custom.SetButtonsIds(kCommands, sizeof(kCommands) / sizeof(kCommands[0]));

        COXCoolToolBar& colours = m_bars[kBars - 2];
        const COLORREF text[4] = {RGB(20, 20, 90), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 80, 0)};
        const COLORREF back[4] = {RGB(225, 235, 250), RGB(60, 120, 200), RGB(20, 60, 140), RGB(200, 235, 200)};
        const COLORREF border[4] = {CLR_DEFAULT, RGB(20, 60, 140), RGB(0, 0, 0), RGB(0, 120, 0)};
        for (int nSet = 0; nSet < 4; ++nSet) {
            colours.SetTextColor(text[nSet], nSet);
            colours.SetBkColor(back[nSet], nSet);
            colours.SetBorderColor(border[nSet], nSet);
        }
        for (int i = 0; i < kBars; ++i)
            if (i != kBars - 2)
                DockControlBar(&m_bars[i], i == 3 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
        ShowWindow(SW_SHOW);
        RecalcLayout();
        FloatControlBar(&colours, CPoint(rect.right + 200, rect.top + 300));
        // A button held down, as while it is clicked.
        m_bars[0].SendMessage(TB_PRESSBUTTON, ID_GALLERY_BAR_NEWS, TRUE);
        return TRUE;
    }

protected:
    afx_msg void OnCommandRange(UINT) {}
    afx_msg void OnCustomize()
    {
        m_bCustomizing = !m_bCustomizing;
        for (int i = 0; i < kBars; ++i) {
            m_bars[i].SetButtonsIds(kCommands, sizeof(kCommands) / sizeof(kCommands[0]));
            m_bars[i].SetCustomizationMode(m_bCustomizing, m_hWnd);
            m_bars[i].RedrawToolBar(FALSE, FALSE);
        }
        m_menu.CheckMenuItem(ID_GALLERY_BAR_CUSTOMIZE, m_bCustomizing ? MF_CHECKED : MF_UNCHECKED);
        DrawMenuBar();
    }
    afx_msg void OnDestroy()
    {
        // The custom buttons' objects go with this window.
        COXCoolToolBar::RemoveAllCustomButtons();
        CFrameWnd::OnDestroy();
    }
    afx_msg void OnUpdateFilter(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateStop(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnDropDown(UINT, NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMTOOLBAR* pNMTB = (NMTOOLBAR*)pNMHDR;
        CWnd* pBar = CWnd::FromHandle(pNMHDR->hwndFrom);
        CRect rect;
        pBar->SendMessage(TB_GETRECT, pNMTB->iItem, (LPARAM)&rect);
        pBar->ClientToScreen(rect);
        CMenu* pPopup = m_menu.GetSubMenu(0);
        if (pPopup != NULL)
            pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, rect.left, rect.bottom, this);
        *pResult = TBDDRET_DEFAULT;
    }
    DECLARE_MESSAGE_MAP()

    COXCustomButtonWnd m_combo{"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL}, m_edit, m_slider, m_date;
    COXCoolToolBar m_bars[kBars];
    BOOL m_bCustomizing = FALSE;
    CImageList m_images;
    CMenu m_menu;
};

BEGIN_MESSAGE_MAP(CCoolBarsFrame, CFrameWnd)
    ON_WM_DESTROY()
    ON_COMMAND(ID_GALLERY_BAR_CUSTOMIZE, OnCustomize)
    ON_COMMAND_RANGE(ID_GALLERY_BAR_SEARCH, ID_GALLERY_BAR_HISTORY, OnCommandRange)
    ON_UPDATE_COMMAND_UI(ID_GALLERY_BAR_FILTER, OnUpdateFilter)
    ON_UPDATE_COMMAND_UI(ID_GALLERY_BAR_STOP, OnUpdateStop)
    ON_NOTIFY_RANGE(TBN_DROPDOWN, kFirstBarId, kFirstBarId + kBars - 1, OnDropDown)
END_MESSAGE_MAP()

CWnd* OpenCoolBars(CWnd* pGallery)
{
    CCoolBarsFrame* pFrame = new CCoolBarsFrame;
    if (!pFrame->CreateFrame(pGallery)) {
        if (pFrame->m_hWnd != NULL)
            pFrame->DestroyWindow();
        else
            delete pFrame;
        return NULL;
    }
    return pFrame;
}

GALLERY_ENTRY("bars", "Cool tool bars", OpenCoolBars);

} // namespace
