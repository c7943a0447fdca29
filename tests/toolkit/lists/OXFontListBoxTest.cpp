// The font list box: face records as tables on made-up LOGFONTs (never the
// machine's fonts); then a list filled from made-up faces: one item a name
// with TrueType winning, the marks, bracketed symbol faces, selection by the
// whole name, and the MRU group kept over a refill and over a restart.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXFontListBox.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

LOGFONT Face(const char* name, BYTE charset = ANSI_CHARSET)
{
    LOGFONT lf = {};
    lf.lfHeight = -11;
    lf.lfWidth = 6;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = charset;
    lstrcpynA(lf.lfFaceName, name, LF_FACESIZE);
    return lf;
}

TEST(OXFontListBoxRecords, SymbolFaces)
{
    struct Case {
        const char* name;
        BYTE charset;
        BOOL symbol;
    } cases[] = {
        {"Arial", ANSI_CHARSET, FALSE},
        {"Arial", SYMBOL_CHARSET, TRUE},
        {"Symbol", ANSI_CHARSET, TRUE},
        {"Zapf Dingbats", ANSI_CHARSET, TRUE},   // "BATS"
        {"acme dingbats", ANSI_CHARSET, TRUE},   // upper-cased first
        {"Braille Six", ANSI_CHARSET, TRUE},
        {"MT Extras", ANSI_CHARSET, TRUE},
        {"Extras", ANSI_CHARSET, FALSE},         // the blank before it counts
        {"Line Printer", ANSI_CHARSET, FALSE},   // "LINE" without "DRAW"
        {"MS LineDraw", ANSI_CHARSET, TRUE},
        {"Drawing Lines", ANSI_CHARSET, TRUE},
        {"Sans", RUSSIAN_CHARSET, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OXIsSymbolFont(Face(c.name, c.charset)), c.symbol) << c.name << " " << (int)c.charset;

    OXLBFONTINFO info = OXMakeFontInfo(Face("Zapf Dingbats"), TRUETYPE_FONTTYPE, 20);
    EXPECT_EQ(info.lf.lfHeight, 20);
    EXPECT_EQ(info.lf.lfWidth, 0);
    EXPECT_EQ(info.lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(info.nFontType, TRUETYPE_FONTTYPE);
    EXPECT_TRUE(info.bSymbol);
}

TEST(OXFontListBoxRecords, SortedWithEachNameOnceAndTrueTypeWinning)
{
    struct Case {
        std::vector<std::pair<const char*, int>> in;
        const char* out;   // name:type, ...
    } cases[] = {
        {{}, ""},
        {{{"Times", 1}, {"arial", 4}, {"Courier", 2}}, "arial:4,Courier:2,Times:1"},
        {{{"Arial", 1}, {"arial", 4}}, "arial:4"},
        {{{"arial", 4}, {"ARIAL", 1}}, "arial:4"},
        {{{"Courier", 1}, {"Courier", 4}, {"Courier", 2}}, "Courier:4"},
        {{{"Courier", 4}, {"Courier", 1}, {"Courier", 2}, {"Courier", 1}}, "Courier:4"},
        {{{"Fixed", 1}, {"Fixed", 2}, {"Able", 6}, {"Fixed", 1}}, "Able:6,Fixed:"},
    };
    for (const Case& c : cases) {
        CArray<OXLBFONTINFO, OXLBFONTINFO&> fonts;
        for (auto& f : c.in) {
            OXLBFONTINFO info = OXMakeFontInfo(Face(f.first), f.second, 20);
            fonts.Add(info);
        }
        OXSortFontInfos(fonts);
        std::string out;
        for (INT_PTR i = 0; i < fonts.GetSize(); i++) {
            out += (i ? "," : "") + std::string(fonts[i].lf.lfFaceName) + ":";
            // without a TrueType entry, which of the equals stays is not fixed
            if (std::string(fonts[i].lf.lfFaceName) != "Fixed")
                out += std::to_string(fonts[i].nFontType);
        }
        EXPECT_EQ(out, c.out);
    }
}

// A font list box whose fill lists made-up faces instead of the screen's.
class CMadeUpFontListBox : public COXFontListBox
{
public:
    std::vector<std::pair<LOGFONT, int>> faces;

protected:
    void EnumerateFonts(HDC hDC) override
    {
        (void)hDC;
        for (auto& f : faces)
            AddFace(f.first, f.second);
    }
};

class COXFontListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "fonts", WS_POPUP | WS_VISIBLE, CRect(60, 60, 360, 460)));
        AfxGetApp()->WriteProfileString(OXLISTBOXEX_MRU_SECTION, NULL, NULL);
        m_font.CreateStockObject(DEFAULT_GUI_FONT);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        AfxGetApp()->WriteProfileString(OXLISTBOXEX_MRU_SECTION, NULL, NULL);
        AfxGetApp()->WriteProfileString(OXFONTLISTBOX_MRU_COPY_SECTION, NULL, NULL);
    }
    BOOL Build(CMadeUpFontListBox& list, UINT nID, BOOL bAutoSave = FALSE)
    {
        list.faces = {
            {Face("Tahoma"), TRUETYPE_FONTTYPE | DEVICE_FONTTYPE},
            {Face("Arial"), RASTER_FONTTYPE},
            {Face("Zapf Dingbats"), TRUETYPE_FONTTYPE},
            {Face("ARIAL"), TRUETYPE_FONTTYPE},
            {Face("Courier"), RASTER_FONTTYPE},
            {Face("Symbol", SYMBOL_CHARSET), TRUETYPE_FONTTYPE},
            {Face("Courier"), DEVICE_FONTTYPE},
            {Face("Line Printer"), RASTER_FONTTYPE},
            {Face("Arial Narrow"), TRUETYPE_FONTTYPE},
        };
        list.SetMRUAutoSave(bAutoSave);
        // LBS_SORT is cleared: the list keeps its own order below the group.
        if (!list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_SORT | LBS_NOTIFY,
                         CRect(0, 0, 280, 380), &m_host, nID))
            return FALSE;
        list.SetFont(&m_font);
        return TRUE;
    }
    static std::string Items(CListBox& list)
    {
        std::string s;
        for (int i = 0; i < list.GetCount(); i++) {
            CString t;
            list.GetText(i, t);
            s += (i ? "," : "") + std::string(t);
        }
        return s;
    }
    static std::string Group(COXListBoxEx& list)
    {
        std::string s;
        for (int i = 0; i <= list.GetLastMRUIndex(); i++) {
            CString t;
            list.GetText(i, t);
            s += (i ? "," : "") + std::string(t);
        }
        return s;
    }
    CSize Measure(LPCTSTR text, CFont* pFont)
    {
        CClientDC dc(&m_host);
        CFont* pOld = dc.SelectObject(pFont);
        CRect r(0, 0, 0, 0);
        dc.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
        dc.SelectObject(pOld);
        return r.Size();
    }

    CWnd m_host;
    CFont m_font;
};

TEST_F(COXFontListBoxTest, OneItemAFaceWithItsMarkFontAndTip)
{
    CMadeUpFontListBox list;
    ASSERT_TRUE(Build(list, 20));
    EXPECT_EQ(list.GetStyle() & LBS_SORT, 0u);
    EXPECT_NE(list.GetStyle() & LBS_HASSTRINGS, 0u);
    EXPECT_EQ(Items(list), "ARIAL,Arial Narrow,Courier,Line Printer,Symbol,Tahoma,Zapf Dingbats");
    EXPECT_EQ(list.GetMaxMRU(), 6);
    // The mark: only a face that is TrueType and nothing else gets image 1.
    const int marks[] = {1, 1, 0, 0, 1, 0, 1};
    for (int i = 0; i < list.GetCount(); i++) {
        EXPECT_EQ(list.GetItemImage(i), marks[i]) << i;
        CString text;
        list.GetText(i, text);
        EXPECT_EQ(list.GetItemToolTipText(i), text);
        const OXLBFONTINFO* pInfo = list.FindFontInfo(list.GetItemFont(i));
        ASSERT_NE(pInfo, nullptr);
        EXPECT_STREQ(pInfo->lf.lfFaceName, (LPCTSTR)text);
        EXPECT_EQ(pInfo->lf.lfHeight, 20);
    }
    // Symbol faces: the name in brackets, in the list box's own font.
    for (int i : {4, 6}) {
        CString text;
        list.GetText(i, text);
        CString shown(text);
        EXPECT_EQ(list.DisplayFont(list.GetItemFont(i), shown)->GetSafeHandle(), m_font.GetSafeHandle());
        EXPECT_EQ(shown, "[" + text + "]");
        EXPECT_EQ(list.GetTextSize(i), Measure(shown, &m_font));
    }
    CString plain("Line Printer");
    EXPECT_EQ(list.DisplayFont(list.GetItemFont(3), plain), list.GetItemFont(3));
    EXPECT_EQ(plain, "Line Printer");
    CFont other;
    other.CreatePointFont(100, "Symbol");
    EXPECT_EQ(list.DisplayFont(&other, plain), &other);   // not one of the list's: as it is
}

// A face whose cell is mostly line spacing still shows characters of an
// ordinary face's size, at the preview height and after it changes.
TEST_F(COXFontListBoxTest, AFaceWithATallCellShowsLegibleCharacters)
{
    const char kTall[] = "DejaVu Math TeX Gyre";
    CMadeUpFontListBox list;
    list.faces = {{Face(kTall), TRUETYPE_FONTTYPE}, {Face("DejaVu Sans"), TRUETYPE_FONTTYPE}};
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, CRect(0, 0, 280, 380), &m_host, 30));
    auto characters = [&](int i, std::string* pFace) {
        CClientDC dc(&list);
        CFont* pOld = dc.SelectObject(list.GetItemFont(i));
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        char face[LF_FACESIZE] = {};
        ::GetTextFaceA(dc.m_hDC, LF_FACESIZE, face);
        dc.SelectObject(pOld);
        *pFace = face;
        return (int)(tm.tmHeight - tm.tmInternalLeading);
    };
    for (int nHeight : {20, 30}) {
        list.SetPreviewFontHeight(nHeight);
        std::string face;
        const int nOrdinary = characters(1, &face);
        ASSERT_EQ(face, "DejaVu Sans");
        const int nTall = characters(0, &face);
        ASSERT_EQ(face, kTall) << "the prefix has no such face";
        EXPECT_GE(nTall * 10, nOrdinary * 8) << nHeight;
        EXPECT_LE(nTall * 10, nOrdinary * 12) << nHeight;
        EXPECT_EQ(list.GetTextSize(0).cy, nHeight) << "its row is an ordinary one";
    }
    // The rule itself: an ordinary face keeps the preview height as its cell.
    TEXTMETRIC ordinary = {}, tall = {};
    ordinary.tmHeight = tall.tmHeight = 20;
    ordinary.tmInternalLeading = 3;
    tall.tmInternalLeading = 16;
    EXPECT_EQ(OXPreviewFontHeight(20, ordinary), 20);
    EXPECT_EQ(OXPreviewFontHeight(20, tall), -16);
}

TEST_F(COXFontListBoxTest, SelectsByTheWholeName)
{
    CMadeUpFontListBox list;
    ASSERT_TRUE(Build(list, 21));
    ASSERT_EQ(list.MoveToMRU(1, 0), 0);   // "Arial Narrow" heads the list
    EXPECT_EQ(list.SelectFontName("arial"), 1);
    CString sel;
    list.GetText(list.GetCurSel(), sel);
    EXPECT_EQ(sel, "ARIAL");
    EXPECT_EQ(list.GetSelectedFont(), list.GetItemFont(1));
    EXPECT_EQ(list.SelectFontName("Ari"), LB_ERR);   // no prefix matches
    EXPECT_EQ(list.GetCurSel(), 1);
    LOGFONT lf = Face("Tahoma");
    EXPECT_EQ(list.SelectFont(&lf), 5);
    CFont gone;
    EXPECT_EQ(list.SelectFont(&gone), -1);   // a font without a handle cannot be read
    EXPECT_EQ(list.SelectFontName(""), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.GetSelectedFont(), nullptr);
}

TEST_F(COXFontListBoxTest, GroupSurvivesRefillHeightAndRestart)
{
    {
        CMadeUpFontListBox list;
        ASSERT_TRUE(Build(list, 22, TRUE));
        list.MoveToMRU(5, 0);   // Tahoma
        list.AppendToMRU(3);    // Courier
        ASSERT_EQ(Group(list), "Tahoma,Courier");
        ASSERT_EQ(Items(list), "Tahoma,Courier,ARIAL,Arial Narrow,Line Printer,Symbol,Zapf Dingbats");

        CDC mem;
        mem.CreateCompatibleDC(NULL);
        list.SetFontDC(mem.GetSafeHdc());
        EXPECT_EQ(list.GetFontDC(), mem.GetSafeHdc());
        EXPECT_EQ(Group(list), "Tahoma,Courier");
        EXPECT_EQ(Items(list), "Tahoma,Courier,ARIAL,Arial Narrow,Line Printer,Symbol,Zapf Dingbats");
        list.SetFontDC(NULL);

        CFont* pBefore = list.GetItemFont(2);
        int before = list.GetItemHeight(2);
        list.SetPreviewFontHeight(20);   // the same height: nothing
        EXPECT_EQ(list.GetItemFont(2), pBefore);
        list.SetPreviewFontHeight(40);
        EXPECT_GT(list.GetItemHeight(2), before);
        EXPECT_EQ(list.FindFontInfo(list.GetItemFont(2))->lf.lfHeight, 40);
        list.DestroyWindow();   // saves the group
    }
    CMadeUpFontListBox restarted;
    ASSERT_TRUE(Build(restarted, 23, TRUE));
    EXPECT_EQ(Group(restarted), "Tahoma,Courier");
}

}  // namespace
