// Gallery: the cool control organizer over one plain control of each class
// it converts. Attach gives them all the cool look (flat while idle, sunken
// under the mouse or with the focus); Detach gives them their own look back.
// The log lists why the page's other windows were left alone. The edit with
// a long text carries an item tip, which survives both.
#include <afxwin.h>
#include <afxcmn.h>

#include "Gallery.h"
#include "OXCoolControlOrganizer.h"
#include "OXItemTip.h"

namespace {

enum { ID_ATTACH = 700, ID_DETACH, ID_DECLINED = 760, ID_FIRST_CONTROL = 720 };

// Declines the one control the page keeps plain, so that every reason a
// window can be left alone shows in the log.
class CPageOrganizer : public COXCoolControlOrganizer
{
public:
    CWnd* ConvertWindow(HWND hWnd, const CString& sClassName) override
    {
        if (::GetDlgCtrlID(hWnd) == ID_DECLINED)
            return NULL;
        return COXCoolControlOrganizer::ConvertWindow(hWnd, sClassName);
    }
};

class CCoolControlsPage : public CGalleryPage
{
protected:
    HWND Add(const char* className, const char* text, DWORD style, DWORD exStyle, const CRect& rect, int nID = 0)
    {
        if (nID == 0)
            nID = ID_FIRST_CONTROL + (int)m_controls.size();
        HWND hWnd = ::CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                      rect.Width(), rect.Height(), m_hWnd, (HMENU)(INT_PTR)nID,
                                      ::GetModuleHandleA(NULL), NULL);
        if (hWnd != NULL) {
            ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)m_font.m_hObject, TRUE);
            m_controls.push_back(hWnd);
        }
        return hWnd;
    }

    void Populate() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        ::InitCommonControlsEx(&icc);
        ::LoadLibraryA("riched32.dll");

        NewRow("The organizer");
        m_attach.Create("Attach", WS_CHILD | WS_VISIBLE | WS_TABSTOP, NextRect(90, 24), this, ID_ATTACH);
        m_detach.Create("Detach", WS_CHILD | WS_VISIBLE | WS_TABSTOP, NextRect(90, 24), this, ID_DETACH);
        ApplyFont(&m_attach);
        ApplyFont(&m_detach);

        NewRow("Edits, a spin button, a combo box, a hot key and an IP address");
        m_hEdit = Add("Edit", "Seed keyword", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, NextRect(130, 24));
        m_hTipEdit = Add("Edit", "a keyword phrase far too long for this edit", WS_TABSTOP | ES_AUTOHSCROLL,
                         WS_EX_CLIENTEDGE, NextRect(130, 24));
        HWND hNumber = Add("Edit", "25", WS_TABSTOP | ES_NUMBER, WS_EX_CLIENTEDGE, NextRect(60, 24));
        HWND hSpin = Add("msctls_updown32", "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, NextRect(16, 24));
        ::SendMessageA(hSpin, UDM_SETBUDDY, (WPARAM)hNumber, 0);
        ::SendMessageA(hSpin, UDM_SETRANGE32, 0, 100);
        ::SendMessageA(hSpin, UDM_SETPOS32, 0, 25);
        HWND hCombo = Add("ComboBox", "", WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL, 0, NextRect(130, 150));
        for (const char* engine : {"Web search", "Shop search", "Video search"})
            ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)engine);
        ::SendMessageA(hCombo, CB_SETCURSEL, 0, 0);
        m_rowHeight = 24;
        Add("msctls_hotkey32", "", WS_TABSTOP, WS_EX_CLIENTEDGE, NextRect(100, 24));
        Add("SysIPAddress32", "", WS_TABSTOP, 0, NextRect(130, 24));
        m_tip.Attach(CWnd::FromHandle(m_hTipEdit));

        NewRow("Buttons");
        Add("Button", "Harvest", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, NextRect(90, 26));
        Add("Button", "Stop", WS_TABSTOP | BS_PUSHBUTTON, 0, NextRect(90, 26));
        HWND hCheck = Add("Button", "Remove duplicates", WS_TABSTOP | BS_AUTOCHECKBOX, 0, NextRect(130, 26));
        ::SendMessageA(hCheck, BM_SETCHECK, BST_CHECKED, 0);
        HWND hRadio = Add("Button", "Web", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, NextRect(60, 26));
        ::SendMessageA(hRadio, BM_SETCHECK, BST_CHECKED, 0);
        Add("Button", "Shop", BS_AUTORADIOBUTTON, 0, NextRect(60, 26));
        Add("Button", "Pushed", WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, NextRect(80, 26));

        NewRow("A scroll bar, a progress bar, sliders and a date");
        HWND hScroll = Add("ScrollBar", "", SBS_HORZ, 0, NextRect(160, 17));
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 30, 0};
        ::SendMessageA(hScroll, SBM_SETSCROLLINFO, TRUE, (LPARAM)&si);
        HWND hProgress = Add("msctls_progress32", "", 0, 0, NextRect(140, 17));
        ::SendMessageA(hProgress, PBM_SETPOS, 60, 0);
        HWND hSlider = Add("msctls_trackbar32", "", WS_TABSTOP | TBS_AUTOTICKS, 0, NextRect(150, 32));
        ::SendMessageA(hSlider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        ::SendMessageA(hSlider, TBM_SETPOS, TRUE, 4);
        HWND hBoth = Add("msctls_trackbar32", "", WS_TABSTOP | TBS_BOTH | TBS_NOTICKS, 0, NextRect(110, 28));
        ::SendMessageA(hBoth, TBM_SETPOS, TRUE, 70);
        Add("SysDateTimePick32", "", WS_TABSTOP, 0, NextRect(130, 24));

        NewRow("Lists, a tree, a calendar and a rich edit");
        HWND hList = Add("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, WS_EX_CLIENTEDGE, NextRect(120, 110));
        for (const char* word : {"keyword", "keywords", "keyword tool", "keyword planner", "keyword research",
                                 "keyword density", "keyword ideas", "keyword finder"})
            ::SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)word);
        HWND hView = Add("SysListView32", "", WS_TABSTOP | LVS_REPORT, WS_EX_CLIENTEDGE, NextRect(170, 110));
        FillListView(hView);
        HWND hTree = Add("SysTreeView32", "", WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                         WS_EX_CLIENTEDGE, NextRect(140, 110));
        FillTree(hTree);
        Add("SysMonthCal32", "", WS_TABSTOP, 0, NextRect(200, 160));
        Add("RICHEDIT", "Notes on the harvest", WS_TABSTOP | ES_MULTILINE, WS_EX_CLIENTEDGE, NextRect(130, 110));
        HWND hVertical = Add("msctls_trackbar32", "", WS_TABSTOP | TBS_VERT | TBS_AUTOTICKS, 0, NextRect(36, 110));
        ::SendMessageA(hVertical, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        ::SendMessageA(hVertical, TBM_SETPOS, TRUE, 3);
        Add("msctls_trackbar32", "", WS_TABSTOP | TBS_VERT | TBS_LEFT | TBS_NOTICKS, 0, NextRect(28, 110));

        NewRow("Left alone: a static text (refused), an edit the organizer declines (no object)");
        Add("Static", "Static text", 0, 0, NextRect(120, 22));
        Add("Edit", "Declined", 0, WS_EX_CLIENTEDGE, NextRect(120, 24), ID_DECLINED);
    }

    static void FillListView(HWND hView)
    {
        LVCOLUMNA col = {LVCF_TEXT | LVCF_WIDTH, 0, 100, (LPSTR) "Keyword"};
        ::SendMessageA(hView, LVM_INSERTCOLUMNA, 0, (LPARAM)&col);
        col.cx = 60;
        col.pszText = (LPSTR) "Volume";
        ::SendMessageA(hView, LVM_INSERTCOLUMNA, 1, (LPARAM)&col);
        const char* rows[][2] = {{"keyword", "9100"}, {"keyword tool", "4400"}, {"keyword ideas", "880"}};
        for (int i = 0; i < 3; i++) {
            LVITEMA item = {LVIF_TEXT, i, 0, 0, 0, (LPSTR)rows[i][0]};
            ::SendMessageA(hView, LVM_INSERTITEMA, 0, (LPARAM)&item);
            item.iSubItem = 1;
            item.pszText = (LPSTR)rows[i][1];
            ::SendMessageA(hView, LVM_SETITEMTEXTA, i, (LPARAM)&item);
        }
    }

    static void FillTree(HWND hTree)
    {
        TVINSERTSTRUCTA ins = {};
        ins.hParent = TVI_ROOT;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT;
        ins.item.pszText = (LPSTR) "Harvests";
        HTREEITEM hRoot = (HTREEITEM)::SendMessageA(hTree, TVM_INSERTITEMA, 0, (LPARAM)&ins);
        ins.hParent = hRoot;
        for (const char* name : {"Web search", "Shop search"}) {
            ins.item.pszText = (LPSTR)name;
            ::SendMessageA(hTree, TVM_INSERTITEMA, 0, (LPARAM)&ins);
        }
        ::SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, (LPARAM)hRoot);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_ATTACH && HIWORD(wParam) == BN_CLICKED)
            Log("Attach: %s", (LPCTSTR)Attach());
        else if (LOWORD(wParam) == ID_DETACH && HIWORD(wParam) == BN_CLICKED)
            Detach();
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    // Whether hWnd is one of the parts every gallery page has (its row
    // captions, its log) rather than one of this page's controls.
    bool IsGalleryPart(HWND hWnd) const
    {
        if (hWnd == m_log.GetSafeHwnd())
            return true;
        for (const CWnd* pCaption : m_captions)
            if (hWnd == pCaption->GetSafeHwnd())
                return true;
        return false;
    }

    // Attaches the organizer; says how many controls it converted and why
    // each of the page's other controls was left alone.
    CString Attach()
    {
        if (!m_organizer.AttachToThread())
            return "refused (already attached)";
        CString text;
        text.Format("%d windows converted; left alone:", (int)m_organizer.GetConvertedWindows().GetCount());
        const char* reasons[] = {"", "an object of its own", "refused", "declined"};
        const char* separator = " ";
        for (HWND hWnd = ::GetWindow(m_hWnd, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
            DWORD dwReason = 0;
            if (IsGalleryPart(hWnd) || !m_organizer.GetSkippedWindows().Lookup(hWnd, dwReason))
                continue;
            char szClass[64] = "";
            ::GetClassNameA(hWnd, szClass, sizeof szClass);
            CString one;
            one.Format("%s%s %d (%s)", separator, szClass, ::GetDlgCtrlID(hWnd),
                       dwReason < sizeof reasons / sizeof *reasons ? reasons[dwReason] : "code");
            text += one;
            separator = ", ";
        }
        return text;
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        // Every repaint of a list or slider asks its parent about custom
        // drawing: logged, it would push the skip log out of sight.
        if (((const NMHDR*)lParam)->code == (UINT)NM_CUSTOMDRAW)
            return CWnd::OnNotify(wParam, lParam, pResult);
        return CGalleryPage::OnNotify(wParam, lParam, pResult);
    }

    void Detach()
    {
        Log(m_organizer.DetachFromThread() ? "Detach: every control has its own look back"
                                           : "Detach: not attached");
    }

    // Attached, with the mouse resting on the first edit: it is hot, the
    // rest are flat.
    void ShowOff() override
    {
        LogSetUp("attached, as Attach does, and the mouse put on the first edit: %s", (LPCTSTR)Attach());
        CRect rect;
        ::GetWindowRect(m_hEdit, &rect);
        ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
        ::SendMessageA(m_hEdit, WM_MOUSEMOVE, 0, MAKELPARAM(rect.Width() / 2, rect.Height() / 2));
    }

    void PostNcDestroy() override
    {
        m_tip.Detach();
        m_organizer.DetachFromThread();
        CGalleryPage::PostNcDestroy();
    }

    CPageOrganizer m_organizer;
    COXEditTip m_tip;
    CButton m_attach, m_detach;
    std::vector<HWND> m_controls;
    HWND m_hEdit = NULL, m_hTipEdit = NULL;
};

} // namespace

GALLERY_PAGE(CCoolControlsPage, "lists", "Cool controls");
