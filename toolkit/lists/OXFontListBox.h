// COXFontListBox: the extended list box filled with the screen's fonts, one
// item per face name in alphabetical order, each drawn in its own face at one
// preview height, marked TrueType or not, with the face name as its tip.
// Symbol faces show their name in brackets in the list box's own font. Up to
// six faces stay in the MRU group at the top, which survives a refill.
#pragma once

#include "OXListBoxEx.h"

// The section that carries the group over a refill for another device context.
#define OXFONTLISTBOX_MRU_COPY_SECTION "FontListBox_MRU_ABCDEFG_0123456_Copy"

typedef struct _tagOXLBFONTINFO
{
    LOGFONT lf;         // as enumerated, with lfHeight the preview height and lfWidth 0
    int nFontType;      // RASTER_FONTTYPE, DEVICE_FONTTYPE, TRUETYPE_FONTTYPE bits
    BOOL bSymbol;
} OXLBFONTINFO;

// The window-free rules of the list: a face's record, whether it is a symbol
// face, and the sorted list of faces with each name once (a TrueType entry
// wins over another of the same name).
BOOL OXIsSymbolFont(const LOGFONT& lf);
OXLBFONTINFO OXMakeFontInfo(const LOGFONT& lf, int nFontType, int nPreviewHeight);
// The lfHeight a face is listed with, from its metrics at the preview height.
int OXPreviewFontHeight(int nPreviewHeight, const TEXTMETRIC& tmAtPreview);
void OXSortFontInfos(CArray<OXLBFONTINFO, OXLBFONTINFO&>& fonts);

class COXFontListBox : public COXListBoxEx
{
    DECLARE_DYNAMIC(COXFontListBox)
public:
    COXFontListBox();
    virtual ~COXFontListBox();

    virtual HDC GetFontDC() const { return m_hDC; }
    virtual int GetPreviewFontHeight() const { return m_nPreviewHeight; }
    // TRUE to list the face; every face by default.
    virtual BOOL IncludeFont(const OXLBFONTINFO* pFontInfo) { (void)pFontInfo; return TRUE; }

    BOOL FillFontList();
    void SetPreviewFontHeight(int nHeight);
    void SetFontDC(HDC hDC);

    CFont* GetSelectedFont() const;
    int SelectFontName(LPCTSTR lpszFaceName);
    int SelectFont(const LOGFONT* pLogFont);
    int SelectFont(CFont* pFont);

    // The face record behind a listed font, NULL for any other font.
    const OXLBFONTINFO* FindFontInfo(CFont* pFont) const;
    int GetFontCount() const { return (int)m_arrFonts.GetSize(); }

    int AddItem(LPCTSTR lpszText, int nMask, const OXLISTBOXITEM* pItem) override;
    using COXListBoxEx::AddItem;
    BOOL InitListBox() override;
    CSize GetTextSize(int nIndex) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DrawItemText(CDC* pDC, const CString& sText, const CRect& rect, COLORREF clrText, CFont* pFont) override;

    // The faces a fill lists: EnumFonts over the device context, each face
    // handed to AddFace.
    virtual void EnumerateFonts(HDC hDC);
    void AddFace(const LOGFONT& lf, int nFontType);
    CFont* NewPreviewFont(LOGFONT& lf, HDC hDC);

public:
    // The font and text an item is shown in: a symbol face's name in brackets
    // in the list box's own font.
    CFont* DisplayFont(CFont* pFont, CString& sText) const;

protected:
    void DeleteFonts();
    static int CALLBACK EnumFontProc(const LOGFONT* plf, const TEXTMETRIC* ptm, DWORD dwType, LPARAM lParam);

    CArray<OXLBFONTINFO, OXLBFONTINFO&> m_arrFonts;
    CMap<CFont*, CFont*, int, int> m_mapFonts;
    int m_nPreviewHeight;
    HDC m_hDC;
    HDC m_hOwnDC;
    CImageList m_images;
};
