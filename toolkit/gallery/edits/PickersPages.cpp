// Gallery: the font picker with its label, cool combos, a three-column combo,
// history combos kept in the registry, gradient statics and separators, and
// the taskbar icon.
#include "Gallery.h"
#include "OXCoolComboBox.h"
#include "OXFontPickerButton.h"
#include "OXHistoryCombo.h"
#include "OXMultiComboBox.h"
#include "OXSeparator.h"
#include "OXStatic.h"
#include "OXTaskbarIcon.h"

namespace {

// ---------------------------------------------------------------------------
class CFontPickerPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Choose a font: the label shows it, in itself");
        // The label is a plain static of the page, as a dialog's would be.
        CRect rect = NextRect(220, 30);
        ::CreateWindowExA(0, "Static", "label", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, rect.left, rect.top,
                          rect.Width(), rect.Height(), m_hWnd, (HMENU)501, NULL, NULL);
        m_button.Create("Font...", WS_CHILD | WS_VISIBLE | WS_TABSTOP, NextRect(90, 30), this, 502);
        ApplyFont(&m_button);
        m_button.SetBuddy(501);
        LOGFONT lf = {};
        lf.lfHeight = -13;
        strcpy(lf.lfFaceName, "Tahoma");
        m_button.SetBuddyLogFont(&lf);
        m_button.SetBuddyTextColor(RGB(0, 0, 160));
    }
    COXFontPickerButton m_button;
};

// ---------------------------------------------------------------------------
class CCoolComboPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Flat while idle, sunken while hovered or focused");
        const DWORD styles[] = {CBS_DROPDOWN, CBS_DROPDOWNLIST, CBS_DROPDOWN | WS_DISABLED};
        for (int i = 0; i < 3; ++i) {
            m_combos[i].Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | styles[i], NextComboRect(150, 200), this,
                               510 + i);
            ApplyFont(&m_combos[i]);
            for (const char* s : {"keyword", "keyword research", "keyword planner"})
                m_combos[i].AddString(s);
            m_combos[i].SetCurSel(i % 3);
            m_combos[i].SetTooltipText("A cool combo");
        }
        NewRow("Simple");
        m_simple.Create(WS_CHILD | WS_VISIBLE | CBS_SIMPLE, NextRect(150, 90), this, 513);
        ApplyFont(&m_simple);
        m_simple.AddString("one");
        m_simple.AddString("two");
    }
    void ShowOff() override { m_combos[0].GetEdit().SetFocus(); }
    COXCoolComboBox m_combos[3];
    COXCoolComboBox m_simple;
};

// ---------------------------------------------------------------------------
const UINT ID_MASTER_FIRST = 530;

class CMultiComboPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Name, city and code; the master column is shown in the field");
        m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED
                           | CBS_HASSTRINGS | CBS_SORT,
                       NextComboRect(200, 220), this, 520);
        ApplyFont(&m_combo);
        m_combo.SetColumnCount(3);
        m_combo.SetColumnWidth(0, 90);
        m_combo.SetColumnWidth(1, 90);
        m_combo.SetColumnWidth(2, 50);
        m_combo.SetFitDropDownToColumns(TRUE);
        LPCTSTR rows[][3] = {{"Petrov", "Omsk", "3"}, {"Ivanov", "Tver", "1"}, {"Ivanov", "Kursk", "2"},
                             {"Sidorova", "Perm", "4"}};
        for (auto& row : rows)
            m_combo.AddString(row, 3);
        m_combo.SetCurSel(m_combo.FindStringExact(-1, 1, "Kursk"));
        const char* names[] = {"By name", "By city", "By code"};
        for (int i = 0; i < 3; ++i) {
            m_buttons[i].Create(names[i], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(80, 26), this,
                                ID_MASTER_FIRST + i);
            ApplyFont(&m_buttons[i]);
        }
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        UINT id = LOWORD(wParam);
        if (id >= ID_MASTER_FIRST && id < ID_MASTER_FIRST + 3 && HIWORD(wParam) == BN_CLICKED) {
            m_combo.SetMasterColumn((int)(id - ID_MASTER_FIRST));
            CString s;
            m_combo.GetLBText(m_combo.GetCurSel(), 1, s);
            Log("master column %u, selected row's city %s", id - ID_MASTER_FIRST, (LPCTSTR)s);
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }
    void ShowOff() override
    {
        m_combo.SetMasterColumn(2);
        m_combo.ShowDropDown(TRUE);
    }
    COXMultiComboBox m_combo;
    CButton m_buttons[3];
};

// ---------------------------------------------------------------------------
class CHistoryComboPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Kept in the registry (value \"Gallery keywords\"): type, add, close, open again");
        m_history.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                         NextComboRect(220, 200), this, 540);
        ApplyFont(&m_history);
        m_history.SetAutoPersistent("Gallery keywords");
        NextRect(90, 26);   // room for its tool bar
        NewRow("Picture files, browsed with the preview dialog");
        m_picker.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                        NextComboRect(220, 200), this, 541);
        ApplyFont(&m_picker);
        NextRect(90, 26);
        SetTimer(1, 300, NULL);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // The tool bars' buttons follow their combos while the page idles.
        if (message == WM_TIMER && wParam == 1) {
            m_history.OnIdle(0);
            m_picker.OnIdle(0);
            return 0;
        }
        return CGalleryPage::WindowProc(message, wParam, lParam);
    }
    COXHistoryCombo m_history;
    COXBMPFilePickerCombo m_picker;
};

// ---------------------------------------------------------------------------
class CStaticsPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Solid, darkening left, bright edges, darkening right, none, zero width");
        const char* texts[] = {"Solid", "Gradient 1", "Gradient 2", "Gradient 3", "No background", ""};
        for (int i = 0; i < 6; ++i) {
            m_statics[i].Create(texts[i], WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE,
                                NextRect(i == 5 ? 0 : 110, 30), this, 550 + i);
            ApplyFont(&m_statics[i]);
            m_statics[i].SetBkColor(i == 4 ? 0xFFFFFFFF : RGB(70, 130, 220));
            m_statics[i].SetBkDrawMode(i < 4 ? i : 1);
            m_statics[i].SetTextColor(RGB(255, 255, 255));
            m_statics[i].SetShowToolTip(TRUE);
        }
        m_statics[4].SetTextColor(RGB(0, 0, 0));
        NewRow("Separators with captions");
        const DWORD aligns[] = {SS_LEFT, SS_CENTER, SS_RIGHT};
        const char* captions[] = {"Left", "Centre", "Right"};
        for (int i = 0; i < 3; ++i) {
            m_separators[i].Create(captions[i], WS_CHILD | WS_VISIBLE | aligns[i], NextRect(200, 20), this, 560 + i);
            ApplyFont(&m_separators[i]);
        }
        NewRow("Vertical, caption reading upwards");
        for (int i = 0; i < 2; ++i) {
            m_vertical[i].Create(i ? "Upwards" : "", WS_CHILD | WS_VISIBLE | SS_CENTER, NextRect(24, 140), this,
                                 570 + i);
            ApplyFont(&m_vertical[i]);
            m_vertical[i].SetVertical(TRUE);
        }
    }
    COXStatic m_statics[6];
    COXSeparator m_separators[3];
    COXSeparator m_vertical[2];
};

// ---------------------------------------------------------------------------
const UINT ID_TRAY_SHOW = 580;

class CTaskbarIconPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("An icon in the notification area; clicks on it are logged below");
        m_show.Create("Show / hide", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(110, 26), this, ID_TRAY_SHOW);
        ApplyFont(&m_show);
        m_icon.Create(1);
        ::SetWindowLongPtr(m_icon.m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)m_hWnd);   // this page owns it
        m_icon.SetIcon(::LoadIcon(NULL, IDI_INFORMATION), FALSE);
        m_icon.SetTooltipText("Pellucor gallery");
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_TRAY_SHOW && HIWORD(wParam) == BN_CLICKED)
            Log(m_icon.IsShowing() ? (m_icon.Hide() ? "hidden" : "not hidden") : (m_icon.Show() ? "shown" : "not shown"));
        return CGalleryPage::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == OX_TASKBAR_CALLBACK)
            Log("icon %u: mouse message 0x%04lX", (unsigned)wParam, (unsigned long)lParam);
        return CGalleryPage::WindowProc(message, wParam, lParam);
    }
    void ShowOff() override
    {
        m_icon.Show();
        LogSetUp("the icon shown, as Show / hide does");
    }
    CButton m_show;
    COXTaskbarIcon m_icon;
};

}  // namespace

GALLERY_PAGE(CFontPickerPage, "edits", "Font picker");
GALLERY_PAGE(CCoolComboPage, "edits", "Cool combo box");
GALLERY_PAGE(CMultiComboPage, "edits", "Multi-column combo");
GALLERY_PAGE(CHistoryComboPage, "edits", "History combo");
GALLERY_PAGE(CStaticsPage, "edits", "Gradient statics and separators");
GALLERY_PAGE(CTaskbarIconPage, "edits", "Taskbar icon");
