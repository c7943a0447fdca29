// PPHtmlDrawer.h - CPPHtmlDrawer: draws marked-up text (a small HTML and CSS
// dialect: fonts, b/i/u, alignment, rules, tabs, tables, pictures and links)
// into a device context. Every text is laid out twice: a measuring pass that
// records line, column and row sizes, then a drawing pass that reads them back.
// Parsing and layout need only a device context, never a window.
#pragma once

#include <afxwin.h>
#include <commctrl.h>
#include <map>
#include <string>
#include <vector>
#include "PPDrawManager.h"

// The drawer's style of the moment.
struct HtmlStyleRecord
{
    CString strTag;             // tag that opened this style
    int nSizeFont;              // font cell height, pixels
    int nWeightFont;
    int bItalicFont;
    int bUnderlineFont;
    int bStrikeOutFont;
    int bOverlineFont;
    CString sFaceFont;
    COLORREF crText;
    COLORREF crBkgnd;           // also the first colour of a fill effect
    COLORREF crBorderLight;
    COLORREF crBorderDark;
    COLORREF crMidBkgnd;
    COLORREF crEndBkgnd;
    int nBkMode;                // TRANSPARENT or OPAQUE
    int nFillBkgnd;             // fill effect, -1 none
    CString strNameResBk;       // background picture: "idres:", "iddll:" or "file:" and its value
    int nHorzAlign;             // 0 left, 1 center, 2 right
    int nVertAlign;             // 0 top, 1 middle, 2 bottom, 3 baseline
    int nBorderStyle;
    int nBorderWidth;
    int nTextTransform;         // 0 none, 1 upper, 2 lower, 3 capitalize
    int nMarginLeft, nMarginRight, nMarginTop, nMarginBottom;
    int nPaddingLeft, nPaddingRight, nPaddingTop, nPaddingBottom;
    int nTypeLink;              // 0 none, 1 href, 2 msg
    CString sHyperlink;
};

// A link's rectangle, recorded by the drawing pass.
struct HtmlHotArea
{
    RECT rect;
    int nTypeLink;
    int nIndexLink;
    CString sHyperlink;
};

#define HTML_LINK_NONE      0
#define HTML_LINK_HREF      1
#define HTML_LINK_MESSAGE   2

#define HTML_ALIGN_LEFT     0
#define HTML_ALIGN_CENTER   1
#define HTML_ALIGN_RIGHT    2
#define HTML_VALIGN_TOP     0
#define HTML_VALIGN_MIDDLE  1
#define HTML_VALIGN_BOTTOM  2
#define HTML_VALIGN_BASELINE 3

// How a link leaves the program. The default opens it with the shell and, when
// that fails, runs the command registered for .htm pages; tests put their own
// in place so that nothing is launched.
class CPPLinkOpener
{
public:
    virtual ~CPPLinkOpener() {}
    // Returns the shell's result (above 32 on success).
    virtual INT_PTR ShellOpen(LPCSTR lpszLink, int nShowCmd);
    // The command line registered to open .htm pages; empty when none.
    virtual CString HtmOpenCommand();
    // Starts a program from a command line; TRUE when it started.
    virtual BOOL RunCommand(const CString& sCommandLine, int nShowCmd);
};

class CPPHtmlDrawer
{
public:
    CPPHtmlDrawer();
    virtual ~CPPHtmlDrawer();

    // Drawing. Sizes are the laid-out extent plus 1 (DrawHtml) or 2 (MeasureHtml).
    void DrawHtml(LPSIZE lpSize, HDC hDC, LPCTSTR lpszHtml, LPCRECT lpRect, BOOL bMeasureOnly);
    void MeasureHtml(LPSIZE lpSize, HDC hDC, LPCTSTR lpszHtml);
    CSize DrawHtmlInRect(HDC hDC, LPCTSTR lpszHtml, int left, int top, int right, int bottom);
    void DrawHtmlAt(HDC hDC, LPCTSTR lpszHtml, int x, int y);
    void DrawHtml(LPSIZE lpSize, CDC* pDC, LPCTSTR lpszHtml, LPCRECT lpRect, BOOL bMeasureOnly)
    { DrawHtml(lpSize, pDC->GetSafeHdc(), lpszHtml, lpRect, bMeasureOnly); }
    void MeasureHtml(LPSIZE lpSize, CDC* pDC, LPCTSTR lpszHtml) { MeasureHtml(lpSize, pDC->GetSafeHdc(), lpszHtml); }

    void SetRedrawCallback(HWND hWnd, UINT nMessage, LPARAM lParam);
    void SetLinkCallback(HWND hWnd, UINT nMessage, LPARAM lParam);
    void EnableEscapeSequences(BOOL bEnable = TRUE) { m_bEnableEscapeSequences = bEnable; }
    CPPDrawManager* GetDrawManager() { return &m_drawmanager; }
    static LPLOGFONT GetSystemStatusFont();
    static CString GetStringResourceLine(UINT nID, int nLine);

    // Style sheets and styles.
    void SetCssStyles(LPCTSTR lpszCssString);
    void SetCssStyles(UINT nIdString, LPCTSTR lpszPathDll = NULL);
    void SetDefaultCssStyles();
    LPCTSTR GetCssStyles() const { return m_strCssStyles; }
    void SetTagStyle(LPCTSTR lpszTag, LPCTSTR lpszStyle);
    LPCTSTR GetTagStyle(LPCTSTR lpszTag) const;
    void RemoveTagStyle(LPCTSTR lpszTag);
    void ApplyTagStyle(LPCTSTR lpszTag, HtmlStyleRecord& style);
    void SetStyleFromCss(LPCTSTR lpszCss, HtmlStyleRecord& style);
    static void SetDefaultStyle(HtmlStyleRecord& style);
    void SetColorName(LPCTSTR lpszColorName, COLORREF color);
    COLORREF GetColorByName(LPCTSTR lpszColorName, COLORREF crDefColor = RGB(0, 0, 0)) const;

    // Value readers; lengths use the device context of the drawing call.
    COLORREF GetStyleColor(const CString& str, COLORREF crDefault) const;
    int GetLengthUnit(const CString& str, int nDefault, BOOL bFont = FALSE);
    static int GetStyleFontStyle(const CString& str, int nDefault);
    static int GetStyleFontWeight(const CString& str, int nDefault);
    static int GetStyleHorzAlign(const CString& str, int nDefault);
    static int GetStyleVertAlign(const CString& str, int nDefault);
    static int GetStyleTextTransform(const CString& str, int nDefault);
    int GetStyleBorder(const CString& str, int nDefault);
    static int GetStyleBorderStyle(const CString& str, int nDefault);
    static void StyleTextDecoration(const CString& str, HtmlStyleRecord& style);
    int StyleBkgndEffect(const CString& str, int nDefault);

    // Pictures, resources and links.
    HICON LoadIconResource(UINT nID, int cx, int cy);
    HICON LoadIconFile(LPCTSTR lpszPath, int cx, int cy);
    HICON LoadIconFromLibrary(UINT nID, int cx, int cy, LPCTSTR lpszLibrary);
    HBITMAP LoadBitmapResource(UINT nID);
    HBITMAP LoadBitmapFile(LPCTSTR lpszPath);
    HBITMAP LoadBitmapFromLibrary(UINT nID, LPCTSTR lpszLibrary);
    void SetResourceModule(HINSTANCE hInst);
    void SetResourceModuleFile(LPCTSTR lpszPath, DWORD dwFlags = 0);
    void SetImageList(HBITMAP hBitmap, int cx, int cy, int nCount, COLORREF crMask = RGB(255, 0, 255));
    void SetImageListFromResource(UINT nIdBitmap, int cx, int cy, int nCount, COLORREF crMask = RGB(255, 0, 255));
    void SetImageShadow(int nOffsetX, int nOffsetY, BYTE nDarkenPercent = 50, BOOL bGradient = TRUE,
                        int nDepthX = 7, int nDepthY = 7);
    DWORD ParseImageStyle(const CString& str) const;
    static BOOL HasShadowStyle(DWORD dwStyle) { return (dwStyle & (IMAGE_EFFECT_SHADOW | IMAGE_EFFECT_BLURRED_SHADOW)) != 0; }
    void SetHyperlinkCursor(HCURSOR hCursor = NULL);
    HCURSOR GetHyperlinkCursor() const { return m_hLinkCursor; }

    int HitTestHotAreas(POINT pt) const;
    BOOL OnHotAreaSetCursor(POINT pt);
    void OnHotAreaClick(POINT pt);
    void ActivateHotArea(int nIndex);
    INT_PTR OpenLink(LPCTSTR lpszLink, int nShowCmd = SW_SHOW);
    void SendRedrawRequest(WPARAM wParam);
    void SendLinkCallback(WPARAM wParam);
    const std::vector<HtmlHotArea>& GetHotAreas() const { return m_arrHotAreas; }
    int GetCurrentHotId() const { return m_nCurrentHotId; }

    // The command line that opens a link with the registered .htm command: the
    // link, quoted, replaces the template's %1 (or follows it after a blank).
    // Empty when the link cannot be passed safely.
    static CString BuildLinkCommand(const CString& sTemplate, const CString& sLink);
    // Installs the opener of every drawer of the process (null: the default).
    static void SetLinkOpener(CPPLinkOpener* pOpener);

protected:
    struct LineRecord { int nWidth, nHeight, nDescent, nPercent, nHorzAlign; };
    struct CellRecord { int nColSpan, nRowSpan, cxContent, cyContent, cxTotal, cyTotal; };
    struct TableLayout
    {
        int nRows, nCols;
        std::vector<CellRecord> cells;      // row by row
        std::vector<int> widths, heights;
        CellRecord* Cell(int r, int c) { return (r >= 0 && r < nRows && c >= 0 && c < nCols) ? &cells[(size_t)r * nCols + c] : NULL; }
    };
    struct FontEntry { HFONT hFont; TEXTMETRIC tm; HDC hdcMeasured; };

    // Layout.
    SIZE ParseHtml(const std::string& text, const RECT& rect, bool bMeasure);
    SIZE DrawHtmlTable(const std::string& table, const RECT& rect, bool bMeasure, int nDepth);
    SIZE LayoutPieces(const std::string& text, size_t begin, size_t end, const RECT& rect, bool bMeasure, int nDepth);
    void GetTableSize(const std::string& table, int& nCols, int& nRows) const;
    static size_t SearchEndOfTable(const std::string& text, size_t nBegin);
    int GetTableWidth(const std::string& tag, int nAvailable, int nContent, bool bMeasure);
    void DrawBackgroundImage(HDC hdc, const RECT& rc, const CString& sPicture);
    void ApplyTableAttributes(const std::string& tag, int& nColSpan, int& nRowSpan);

    // The tag parser's pieces.
    void NewLine(int nCount, bool bMeasure);
    void BeginLine(bool bMeasure);
    void Tabulation(int nCount);
    void PlaceText(const std::string& run, bool bMeasure, bool bTransform);
    void DrawHorzLine(const std::string& tag, bool bMeasure);
    void DrawPicture(const std::string& name, const std::string& tag, bool bMeasure);
    void DrawResourceString(const std::string& tag, bool bMeasure);
    void HandleTag(const std::string& rawTag, bool bMeasure);
    void PushStyle(const char* lpszTag);
    bool PopStyle(const char* lpszTag);
    size_t PushStructural(const char* lpszTag);
    void PopStructural(size_t nDepth);
    void SelectStyleFont();
    void ReleaseFonts(bool bAll);
    int ItemTop(int nHeight, int nAscent, bool bPicture) const;
    void AddHotArea(const RECT& rc);

    static bool ReadToken(const std::string& text, size_t& pos, size_t end, std::string& run,
                          std::string& tag, bool& bHasTag, bool bEscapes);
    static std::string TagName(const std::string& tag, size_t& pos);
    static bool NextAttribute(const std::string& tag, size_t& pos, std::string& name, std::string& value);
    static void ToLower(std::string& s);

    // Callbacks.
    HWND m_hRedrawWnd; UINT m_nRedrawMsg; LPARAM m_lRedrawParam;
    HWND m_hLinkWnd; UINT m_nLinkMsg; LPARAM m_lLinkParam;

    HtmlStyleRecord m_defStyle;         // the current style
    LineRecord m_line;                  // the line being built or drawn
    int m_nLineAscent;
    int m_nLineTop;
    CPPDrawManager m_drawmanager;
    HIMAGELIST m_hImageList;
    int m_szImageList_cx, m_szImageList_cy;
    HINSTANCE m_hResInst;
    BOOL m_bFreeResInst;
    HCURSOR m_hLinkCursor;

    HDC m_hDC;
    HFONT m_hOldFont;
    int m_nOldBkMode;
    COLORREF m_crOldText, m_crOldBk;
    HFONT m_hCurFont;
    TEXTMETRIC m_tm;

    int m_nMaxWidth, m_nTotalHeight;
    int m_nCurLine;
    int m_nCurTable;
    RECT m_rcOutput;
    int m_nCurIndexLink;
    int m_nCurrentHotId;                // the link under the mouse, -2 none
    int m_nPieceMaxWidth;
    BOOL m_bEnableEscapeSequences;
    int m_x, m_y;

    BOOL m_bGradientShadow;
    int m_nShadowOffsetX, m_nShadowOffsetY, m_nShadowDepthX, m_nShadowDepthY;
    BYTE m_nShadowDarkness;
    COLORREF m_crShadow;

    CString m_strCssStyles;
    std::string m_sMeasuredText;        // the text the stored layout belongs to
    bool m_bMeasured;
    std::vector<LineRecord> m_arrLines;
    std::vector<HtmlStyleRecord> m_arrStack;
    std::vector<HtmlHotArea> m_arrHotAreas;
    std::map<std::string, COLORREF> m_mapColors;
    std::map<std::string, std::string> m_mapStyles;
    std::vector<TableLayout> m_arrTables;
    std::map<std::string, FontEntry> m_mapFonts;

private:
    CPPHtmlDrawer(const CPPHtmlDrawer&);
    CPPHtmlDrawer& operator=(const CPPHtmlDrawer&);
};
