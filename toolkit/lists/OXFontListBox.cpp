// COXFontListBox: the screen's faces, each in its own font.
#include "OXFontListBox.h"

#include <mbstring.h>

#include <algorithm>
#include <stdlib.h>

#include "toolkit_res.h"

// ---------------------------------------------------------------------------
// Face records
// ---------------------------------------------------------------------------

BOOL OXIsSymbolFont(const LOGFONT& lf)
{
    if (lf.lfCharSet == SYMBOL_CHARSET)
        return TRUE;
    CString sName(lf.lfFaceName);
    sName.MakeUpper();
    if (sName.Find("SYMBOL") >= 0 || sName.Find("BATS") >= 0 || sName.Find("BRAILLE") >= 0 ||
        sName.Find(" EXTRAS") >= 0)
        return TRUE;
    return sName.Find("LINE") >= 0 && sName.Find("DRAW") >= 0;
}

OXLBFONTINFO OXMakeFontInfo(const LOGFONT& lf, int nFontType, int nPreviewHeight)
{
    OXLBFONTINFO info;
    info.lf = lf;
    info.lf.lfHeight = nPreviewHeight;
    info.lf.lfWidth = 0;
    info.nFontType = nFontType;
    info.bSymbol = OXIsSymbolFont(lf);
    return info;
}

static int CompareFaceNames(const void* p1, const void* p2)
{
    return _mbsicmp((const unsigned char*)((const OXLBFONTINFO*)p1)->lf.lfFaceName,
                    (const unsigned char*)((const OXLBFONTINFO*)p2)->lf.lfFaceName);
}

void OXSortFontInfos(CArray<OXLBFONTINFO, OXLBFONTINFO&>& fonts)
{
    if (fonts.GetSize() > 1)
        qsort(fonts.GetData(), (size_t)fonts.GetSize(), sizeof(OXLBFONTINFO), CompareFaceNames);
    // Each name once: of two equal neighbours the later stays when it is a
    // TrueType face, else the earlier; runs of three or more collapse too.
    for (INT_PTR i = 0; i + 1 < fonts.GetSize();) {
        if (CompareFaceNames(&fonts[i], &fonts[i + 1]) != 0) {
            i++;
            continue;
        }
        if (fonts[i + 1].nFontType & TRUETYPE_FONTTYPE)
            fonts.RemoveAt(i);
        else
            fonts.RemoveAt(i + 1);
    }
}

// ---------------------------------------------------------------------------
// The list box
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COXFontListBox, COXListBoxEx)

COXFontListBox::COXFontListBox() : m_mapFonts(10), m_nPreviewHeight(20), m_hDC(NULL), m_hOwnDC(NULL)
{
    m_mapFonts.InitHashTable(17);
    m_images.Create(IDB_OX_FONT_TYPES, 16, 0, RGB(192, 192, 192));
    SetImageList(&m_images);
    m_nMaxMRU = 6;
}

COXFontListBox::~COXFontListBox()
{
    if (m_hOwnDC)
        ::DeleteDC(m_hOwnDC);
    DeleteFonts();
}

void COXFontListBox::DeleteFonts()
{
    POSITION pos = m_mapFonts.GetStartPosition();
    while (pos) {
        CFont* pFont;
        int nIndex;
        m_mapFonts.GetNextAssoc(pos, pFont, nIndex);
        delete pFont;
    }
    m_mapFonts.RemoveAll();
}

BOOL COXFontListBox::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~(LBS_SORT | LBS_OWNERDRAWFIXED);
    cs.style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
    return COXListBoxEx::PreCreateWindow(cs);
}

int CALLBACK COXFontListBox::EnumFontProc(const LOGFONT* plf, const TEXTMETRIC* ptm, DWORD dwType, LPARAM lParam)
{
    (void)ptm;
    ((COXFontListBox*)lParam)->AddFace(*plf, (int)dwType);
    return 1;
}

void COXFontListBox::AddFace(const LOGFONT& lf, int nFontType)
{
    OXLBFONTINFO info = OXMakeFontInfo(lf, nFontType, GetPreviewFontHeight());
    if (IncludeFont(&info))
        m_arrFonts.Add(info);
}

void COXFontListBox::EnumerateFonts(HDC hDC)
{
    ::EnumFontsA(hDC, NULL, (FONTENUMPROCA)EnumFontProc, (LPARAM)this);
}

BOOL COXFontListBox::FillFontList()
{
    CWaitCursor wait;
    BeginUpdate();
    ResetContent();
    m_arrFonts.RemoveAll();
    DeleteFonts();

    HDC hScreen = ::GetDC(NULL);
    HDC hEnum = hScreen;
    if (!hScreen) {
        if (!m_hOwnDC)
            m_hOwnDC = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
        m_hDC = m_hOwnDC;
        hEnum = m_hOwnDC;
    }
    if (hEnum)
        EnumerateFonts(hEnum);
    OXSortFontInfos(m_arrFonts);

    for (INT_PTR i = 0; i < m_arrFonts.GetSize(); i++) {
        CFont* pFont = NewPreviewFont(m_arrFonts[i].lf, hEnum);
        m_mapFonts[pFont] = (int)i;
        OXLISTBOXITEM item;
        item.pFont = pFont;
        item.nImage = m_arrFonts[i].nFontType == TRUETYPE_FONTTYPE ? 1 : 0;
        item.sToolTipText = m_arrFonts[i].lf.lfFaceName;
        AddItem(m_arrFonts[i].lf.lfFaceName, OXLBI_FONT | OXLBI_IMAGE, &item);
    }
    if (hScreen)
        ::ReleaseDC(NULL, hScreen);
    EndUpdate();
    return TRUE;
}

int COXFontListBox::AddItem(LPCTSTR lpszText, int nMask, const OXLISTBOXITEM* pItem)
{
    // Alphabetical below the group, after any equal name.
    return InsertItem(SortedIndexBelowMRU(lpszText), lpszText, nMask, pItem);
}

BOOL COXFontListBox::InitListBox()
{
    if (ItemCount() > 0)
        ResetContent();
    if (!COXListBoxEx::InitListBox())
        return FALSE;
    BeginUpdate();
    SetRedraw(FALSE);
    FillFontList();
    if (IsMRUAutoSave())
        LoadMRU(OXLISTBOXEX_MRU_SECTION);
    SetRedraw(TRUE);
    EndUpdate();
    Invalidate();
    return TRUE;
}

int OXPreviewFontHeight(int nPreviewHeight, const TEXTMETRIC& tmAtPreview)
{
    const int nCharacters = tmAtPreview.tmHeight - tmAtPreview.tmInternalLeading;
    return nCharacters * 5 < nPreviewHeight * 3 ? -(nPreviewHeight * 4 / 5) : nPreviewHeight;
}

// The preview height is a cell height; a face whose cell is mostly leading
// (a math face's tall line spacing) would show its name a few pixels high
// in it, so such a face gets characters of the size an ordinary face has
// in that cell instead.
CFont* COXFontListBox::NewPreviewFont(LOGFONT& lf, HDC hDC)
{
    lf.lfHeight = m_nPreviewHeight;
    CFont* pFont = new CFont;
    pFont->CreateFontIndirect(&lf);
    TEXTMETRIC tm = {};
    HGDIOBJ hOld = hDC != NULL ? ::SelectObject(hDC, pFont->GetSafeHandle()) : NULL;
    const BOOL bMeasured = hDC != NULL && ::GetTextMetrics(hDC, &tm);
    if (hDC != NULL)
        ::SelectObject(hDC, hOld);
    if (bMeasured && OXPreviewFontHeight(m_nPreviewHeight, tm) != lf.lfHeight) {
        lf.lfHeight = OXPreviewFontHeight(m_nPreviewHeight, tm);
        pFont->DeleteObject();
        pFont->CreateFontIndirect(&lf);
    }
    return pFont;
}

void COXFontListBox::SetPreviewFontHeight(int nHeight)
{
    if (nHeight == m_nPreviewHeight)
        return;
    m_nPreviewHeight = nHeight;
    if (!::IsWindow(m_hWnd))
        return;
    int nCount = ItemCount();
    HDC hScreen = ::GetDC(NULL);
    for (int i = 0; i < nCount; i++) {
        CFont* pOld = GetItemFont(i);
        int nFont;
        if (!pOld || !m_mapFonts.Lookup(pOld, nFont))
            continue;
        m_mapFonts.RemoveKey(pOld);
        CFont* pNew = NewPreviewFont(m_arrFonts[nFont].lf, hScreen != NULL ? hScreen : m_hOwnDC);
        m_mapFonts[pNew] = nFont;
        SetItemFont(i, pNew);
        delete pOld;
    }
    if (hScreen)
        ::ReleaseDC(NULL, hScreen);
}

void COXFontListBox::SetFontDC(HDC hDC)
{
    if (hDC == m_hDC)
        return;
    m_hDC = hDC;
    if (!::IsWindow(m_hWnd))
        return;
    BeginUpdate();
    SaveMRU(OXFONTLISTBOX_MRU_COPY_SECTION);
    FillFontList();
    LoadMRU(OXFONTLISTBOX_MRU_COPY_SECTION);
    EndUpdate();
}

CFont* COXFontListBox::GetSelectedFont() const
{
    int nSel = GetCurSel();
    return nSel < 0 ? NULL : GetItemFont(nSel);
}

int COXFontListBox::SelectFontName(LPCTSTR lpszFaceName)
{
    if (!lpszFaceName || !*lpszFaceName)
        return SetCurSel(-1);
    // The whole name: a prefix search would take "Arial" for "Arial Narrow".
    int nFound = FindStringExact(-1, lpszFaceName);
    if (nFound == LB_ERR)
        return LB_ERR;
    return SetCurSel(nFound);
}

int COXFontListBox::SelectFont(const LOGFONT* pLogFont)
{
    return SelectFontName(pLogFont ? pLogFont->lfFaceName : NULL);
}

int COXFontListBox::SelectFont(CFont* pFont)
{
    LOGFONT lf;
    if (!pFont || !pFont->GetSafeHandle() || !pFont->GetLogFont(&lf))
        return -1;
    return SelectFontName(lf.lfFaceName);
}

const OXLBFONTINFO* COXFontListBox::FindFontInfo(CFont* pFont) const
{
    int nFont;
    if (!pFont || !m_mapFonts.Lookup(pFont, nFont) || nFont < 0 || nFont >= m_arrFonts.GetSize())
        return NULL;
    return &m_arrFonts[nFont];
}

CFont* COXFontListBox::DisplayFont(CFont* pFont, CString& sText) const
{
    const OXLBFONTINFO* pInfo = FindFontInfo(pFont);
    if (!pInfo || !pInfo->bSymbol)
        return pFont;
    sText.Format("[%s]", pInfo->lf.lfFaceName);
    HFONT hOwn = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    return hOwn ? CFont::FromHandle(hOwn) : NULL;
}

void COXFontListBox::DrawItemText(CDC* pDC, const CString& sText, const CRect& rect, COLORREF clrText, CFont* pFont)
{
    CString sShown(sText);
    CFont* pShown = DisplayFont(pFont, sShown);
    COXListBoxEx::DrawItemText(pDC, sShown, rect, clrText, pShown);
}

CSize COXFontListBox::GetTextSize(int nIndex)
{
    if (!(GetListStyle() & LBS_HASSTRINGS) || !::IsWindow(m_hWnd))
        return CSize(0, 0);
    CString sText = ItemText(nIndex);
    CFont* pFont = DisplayFont(GetItemFont(nIndex), sText);
    CSize size = MeasureText(sText, pFont);
    if (size.cy == 0 || size.cy > 5000)
        return CSize(0, 0);
    // A face listed by its character size may have a far taller line: the
    // row keeps the preview height, the characters centred in it.
    size.cy = std::min<LONG>(size.cy, std::max(m_nPreviewHeight, 1));
    return size;
}
