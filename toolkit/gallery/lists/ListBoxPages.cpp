// Gallery: the extended list box (fonts, colours, images, indents, tips that
// follow scrolling, the MRU group under its line), the font list box (each
// face in itself, TrueType marks, symbol faces in brackets, a group kept over
// a refill) and image list boxes from shell32.dll and from an icon file of
// the gallery's own.
#include "Gallery.h"
#include "OXFontListBox.h"
#include "OXImageListBox.h"
#include "OXListBoxEx.h"
#include "gallery_res.h"

namespace {

const UINT ID_LIST = 600, ID_TO_RECENT = 601, ID_FROM_RECENT = 602, ID_REFILL = 603, ID_BIGGER = 604;

class CListBoxExPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Own fonts, colours, pictures, indents and tips; a recent group of 3");
        m_list.SetToolTipText("Keywords of the last harvest");
        m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_HASSTRINGS |
                          LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                      NextRect(330, 260), this, ID_LIST);
        ApplyFont(&m_list);
        MakeBlocks(this, m_images, {RGB(230, 180, 60), RGB(60, 120, 200), RGB(200, 60, 60), RGB(60, 160, 80)});
        m_list.SetImageList(&m_images);
        LOGFONT lf;
        CFont::FromHandle((HFONT)m_list.SendMessage(WM_GETFONT))->GetLogFont(&lf);
        lf.lfWeight = FW_BOLD;
        m_bold.CreateFontIndirect(&lf);
        lf.lfWeight = FW_NORMAL;
        lf.lfItalic = TRUE;
        m_italic.CreateFontIndirect(&lf);
        lf.lfItalic = FALSE;
        lf.lfHeight = lf.lfHeight * 3 / 2;
        m_big.CreateFontIndirect(&lf);

        const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT), back = ::GetSysColor(COLOR_WINDOW);
        struct {
            const char* group;
            COLORREF colour;
            const char* words[5];
        } groups[] = {
            {"Gardening", RGB(150, 90, 0), {"raised garden beds", "compost bin", "drip irrigation kits", "mulch", NULL}},
            {"Coffee", RGB(120, 60, 30), {"pour over kettle", "burr grinder", "cold brew ratio", "decaf beans", NULL}},
            {"Cycling", RGB(0, 90, 160), {"gravel bike", "bike repair stand", "tubeless tyres", NULL, NULL}},
            {"Baking", RGB(170, 40, 90), {"sourdough starter", "bread flour", "proofing basket", "lame", NULL}},
        };
        int n = 0;
        for (auto& g : groups) {
            CString tip;
            tip.Format("Group \"%s\"", g.group);
            m_list.AddItem(g.group, OXLBI_ALL, &m_bold, g.colour, RGB(245, 245, 235), tip, 0, 0);
            for (int w = 0; w < 5 && g.words[w]; w++, n++) {
                CString wordTip;
                wordTip.Format("\"%s\": %d searches a month", g.words[w], 900 + 1300 * ((n * 7) % 11));
                BOOL bHot = n % 5 == 1;
                m_list.AddItem(g.words[w], OXLBI_ALL, n % 4 == 3 ? &m_italic : NULL, bHot ? RGB(200, 0, 0) : text,
                               back, wordTip, bHot ? 2 : 1, 18);
            }
        }
        m_list.AddItem("a keyword in a larger font", OXLBI_ALL, &m_big, RGB(0, 100, 0), back, "Big text", 3, 0,
                       RGB(255, 255, 200), RGB(0, 100, 0));
        m_list.SetMaxMRU(3);
        m_list.AppendToMRU(m_list.FindStringExact(-1, "burr grinder"));
        m_list.AppendToMRU(m_list.FindStringExact(-1, "gravel bike"));

        NewRow();
        m_toRecent.Create("To recent", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(110, 26), this, ID_TO_RECENT);
        m_fromRecent.Create("Out of recent", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(110, 26), this,
                            ID_FROM_RECENT);
        ApplyFont(&m_toRecent);
        ApplyFont(&m_fromRecent);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        int nSel = m_list.GetCurSel();
        if (LOWORD(wParam) == ID_TO_RECENT && nSel >= 0)
            Log("MoveToMRU(%d, 0, force) = %d", nSel, m_list.MoveToMRU(nSel, 0, TRUE));
        else if (LOWORD(wParam) == ID_FROM_RECENT && nSel >= 0)
            Log("RemoveFromMRU(%d) = %d", nSel, m_list.RemoveFromMRU(nSel));
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    void ShowOff() override
    {
        m_list.SetCurSel(m_list.FindStringExact(-1, "compost bin"));
        m_list.SetTopIndex(0);
        // The pointer rests on an item, so that its tip shows.
        CRect rect;
        m_list.GetItemRect(m_list.FindStringExact(-1, "cold brew ratio"), rect);
        m_list.ClientToScreen(rect);
        ::SetCursorPos(rect.left + 60, rect.CenterPoint().y);
    }

    COXListBoxEx m_list;
    CImageList m_images;
    CFont m_bold, m_italic, m_big;
    CButton m_toRecent, m_fromRecent;
};

class CFontListBoxPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("The screen's fonts; TrueType marked; symbol faces [bracketed]");
        m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                          LBS_NOINTEGRALHEIGHT,
                      NextRect(330, 300), this, ID_LIST);
        ApplyFont(&m_list);
        m_list.UpdateItemSize(-1);   // symbol faces are measured in the list's font
        for (const char* face : {"Tahoma", "Wingdings", "Symbol"}) {
            int i = m_list.FindStringExact(-1, face);
            if (i >= 0)
                m_list.AppendToMRU(i);
        }
        NewRow();
        m_refill.Create("Refill (group stays)", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(150, 26), this,
                        ID_REFILL);
        m_bigger.Create("Larger preview", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(120, 26), this, ID_BIGGER);
        ApplyFont(&m_refill);
        ApplyFont(&m_bigger);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_REFILL) {
            m_mem.DeleteDC();
            m_mem.CreateCompatibleDC(NULL);
            m_list.SetFontDC(m_mem.GetSafeHdc());
            Log("refilled: %d faces, %d in the group", m_list.GetCount(), m_list.GetLastMRUIndex() + 1);
        } else if (LOWORD(wParam) == ID_BIGGER) {
            m_list.SetPreviewFontHeight(m_list.GetPreviewFontHeight() + 4);
        } else if (LOWORD(wParam) == ID_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
            CString face;
            m_list.GetText(m_list.GetCurSel(), face);
            Log("selected %s", (LPCTSTR)face);
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    void ShowOff() override { m_list.SelectFontName("Tahoma"); }

    COXFontListBox m_list;
    CButton m_refill, m_bigger;
    CDC m_mem;
};

class CImageListBoxPage : public CGalleryPage
{
public:
    CImageListBoxPage() : m_shell(32, 32), m_own(16, 16), m_program(32, 32) {}

protected:
    void Populate() override
    {
        char szSystem[MAX_PATH];
        ::GetSystemDirectoryA(szSystem, MAX_PATH);
        CString shell32 = CString(szSystem) + "\\shell32.dll";
        NewRow("Every icon of shell32.dll");
        m_shell.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       NextRect(520, 200),
                       this, ID_LIST);
        m_shell.LoadIconsFromFile(shell32);

        NewRow("The gallery's own icon file, small icons; the gallery program's own icons");
        m_own.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY, NextRect(120, 60),
                     this, ID_LIST + 1);
        CString file = WriteOwnIconFile();
        if (!file.IsEmpty())
            m_own.LoadIconsFromFile(file, TRUE);
        m_program.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY,
                         NextRect(120, 60), this, ID_LIST + 2);
        m_program.LoadIconsFromFile(NULL);
    }

    // The icon file travels inside the gallery; it is written out to be read
    // as a file.
    static CString WriteOwnIconFile()
    {
        HRSRC hRes = ::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_GALLERY_LIST_SHEET), RT_RCDATA);
        HGLOBAL hData = hRes ? ::LoadResource(AfxGetResourceHandle(), hRes) : NULL;
        if (!hData)
            return CString();
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        CString path = CString(szTemp) + "pellucor-gallery-list-sheet.ico";
        CFile file;
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
            return CString();
        file.Write(::LockResource(hData), ::SizeofResource(AfxGetResourceHandle(), hRes));
        file.Close();
        return path;
    }

    void ShowOff() override { m_shell.SetCurSel(3); }

    COXImageListBox m_shell, m_own, m_program;
};

}  // namespace

GALLERY_PAGE(CListBoxExPage, "lists", "Extended list box");
GALLERY_PAGE(CFontListBoxPage, "lists", "Font list box");
GALLERY_PAGE(CImageListBoxPage, "lists", "Image list box");
