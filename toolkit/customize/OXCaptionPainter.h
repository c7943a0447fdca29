// The caption painter: a window's title bar drawn by the toolkit (a gradient
// or solid background, the small icon, the caption buttons and the title in a
// chosen font and colour), one set of settings for the active and one for the
// inactive state, kept in the registry. The organizer gives every window of a
// user-interface thread a painter, windows made later included, each new one
// with the settings of an existing one.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include <vector>

#include "OXHookWnd.h"

class COXCaptionInfo : public CObject
{
    DECLARE_SERIAL(COXCaptionInfo)
public:
    COXCaptionInfo();
    COXCaptionInfo(const COXCaptionInfo& other);
    COXCaptionInfo& operator=(const COXCaptionInfo& other);
    // Takes the other's settings and its fonts as they are (no font stays
    // none, following the system), leaving it without fonts; unlike
    // assignment, which fixes the system fonts of the moment.
    void TakeFrom(COXCaptionInfo& other);
    virtual void Serialize(CArchive& ar);

    void Reset();
    COLORREF GetBackgroundColor(BOOL bActive) const;
    COLORREF GetTextColor(BOOL bActive) const;
    BOOL GetCaptionLogFont(LOGFONT* pLogFont) const;
    BOOL GetSmCaptionLogFont(LOGFONT* pLogFont) const;
    // At least one band: none would divide the caption by zero.
    void SetShadeCount(int nShades) { m_nShadeCount = nShades < 1 ? 1 : nShades; }
    // The title's flags are kept to those that place and cut it: others would
    // draw nothing (DT_CALCRECT) or write into the string drawn
    // (DT_MODIFYSTRING).
    static const UINT kTextFormatFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE
        | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS
        | DT_RTLREADING | DT_HIDEPREFIX;
    void SetTextFormat(UINT nFormat) { m_nTextFormat = nFormat & kTextFormatFlags; }

    COLORREF m_clrBackground;
    BOOL m_bGradient;
    int m_nGradientAlignment;
    int m_nGradientAlgorithm;
    int m_nShadeCount;
    CFont m_fontCaption;
    CFont m_fontSmCaption;
    COLORREF m_clrText;
    UINT m_nTextFormat;
};

// One solid band of a caption's background.
struct OXCaptionBand
{
    int x;
    int cx;
    COLORREF color;
};
// The bands that paint a caption W pixels wide in colour clrBase, in drawing
// order (later bands over earlier ones).
void OXComputeCaptionBands(const COXCaptionInfo& info, COLORREF clrBase, int W, std::vector<OXCaptionBand>& bands);

// How well two colours read on each other: the ratio of their relative
// luminances, from 1 (alike) to 21 (black on white).
double OXContrastRatio(COLORREF clr1, COLORREF clr2);
// The contrast a title's text keeps at least on what lies behind it.
const double kOXMinTitleContrast = 4.5;
// The colour for a title drawn over the colours behind: clrPreferred when it
// reads on every one of them; otherwise whichever of clrPreferred, white and
// black reads best on the one it reads worst on. A scheme's caption text
// colour is made for its caption colour, not for the black end of a
// gradient: the text must still read there.
COLORREF OXReadableTextColor(COLORREF clrPreferred, const std::vector<COLORREF>& behind);
// The caption's text colour in a state, for a title spanning x0 to x1 of a
// caption W pixels wide.
COLORREF OXCaptionTextColor(const COXCaptionInfo& info, BOOL bActive, int W, int x0, int x1);

extern const UINT WM_SET_CAPTION_PAINTER;
extern const UINT WM_GET_CAPTION_PAINTER;

class COXCaptionPainter : public COXHookWnd
{
    DECLARE_DYNAMIC(COXCaptionPainter)
public:
    COXCaptionPainter();
    virtual ~COXCaptionPainter();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void OnNcPaint(HRGN hRgn);
    virtual BOOL OnNcActivate(BOOL bActive);
    virtual void OnSetText(LPCTSTR lpszText);
    virtual LRESULT OnNcLButtonDown(UINT nHitTest, LPARAM lPoint);
    virtual void DrawCaption();
    virtual void DrawCaptionBackground(CDC* pDC, COXCaptionInfo* pInfo, const CRect& rectCaption);
    virtual int DrawButtons(CDC* pDC, COXCaptionInfo* pInfo, const CSize& sizeCaption);
    virtual int DrawIcon(CDC* pDC, COXCaptionInfo* pInfo, const CSize& sizeCaption);
    virtual void DrawCaptionText(CDC* pDC, COXCaptionInfo* pInfo, const CSize& sizeCaption, int nIconWidth,
                                 int nButtonsWidth);

    BOOL Attach(CWnd* pWnd);
    // Lets go of the window and stops the refresh timer set on it.
    void Unhook() override;
    void SetCaptionInfo(const COXCaptionInfo* pInfo, BOOL bActive);
    COXCaptionInfo* GetCaptionInfo(BOOL bActive) { return bActive ? &m_infoActive : &m_infoInactive; }
    void ResetCache() { m_nCachedWidth = m_nCachedHeight = 0; }
    BOOL SaveState(LPCTSTR lpszSubKey);
    BOOL LoadState(LPCTSTR lpszSubKey, BOOL bRedraw = TRUE);
    CRect GetCaptionRect() const;   // window coordinates

    static BOOL IsThemed();

protected:
    LRESULT DefaultWithStyle(DWORD dwRemove, UINT message, WPARAM wParam, LPARAM lParam);
    void RestoreStyles();
    int ReadColorDepth() const;
    void StopRefreshTimer();

    int m_nCachedWidth;
    int m_nCachedHeight;
    CBitmap m_bmpActive;
    CBitmap m_bmpInactive;
    BOOL m_bActive;
    COXCaptionInfo m_infoActive;
    COXCaptionInfo m_infoInactive;
    BOOL m_bStyleSaved;
    DWORD m_dwSavedStyle;
    BOOL m_bExStyleSaved;
    DWORD m_dwSavedExStyle;
    BOOL m_bInNcActivate;
    int m_nColorDepth;
    CString m_sCaptionText;
    UINT_PTR m_nRefreshTimer;
};

BOOL OXSetCaptionPainter(CWnd* pWnd, COXCaptionPainter* pPainter);
BOOL OXGetCaptionPainter(CWnd* pWnd, COXCaptionPainter* pPainter);

class COXCaptionPainterOrganizer
{
public:
    COXCaptionPainterOrganizer();
    virtual ~COXCaptionPainterOrganizer();

    COXCaptionPainter* Attach(CWnd* pWnd);
    BOOL Detach(CWnd* pWnd = NULL, BOOL bRedraw = TRUE);
    BOOL SetCaptionInfo(CWnd* pWnd, const COXCaptionInfo* pInfo, BOOL bActive, BOOL bRedraw = TRUE);
    void Redraw(CWnd* pWnd = NULL, BOOL bSendPaint = TRUE);
    BOOL LoadState(CWnd* pWnd, LPCTSTR lpszSubKey, BOOL bRedraw = TRUE);
    COXCaptionPainter* GetPainter(const CWnd* pWnd) const;
    BOOL IsAttached(const CWnd* pWnd) const { return GetPainter(pWnd) != NULL; }
    COXCaptionPainter* GetFirstPainter() const;
    BOOL AttachToThread(DWORD dwThreadID = ::GetCurrentThreadId());
    BOOL DetachFromThread(BOOL bRedraw = TRUE);
    BOOL IsRefused(HWND hWnd) const;
    DWORD GetAttachedThread() const { return m_dwThreadID; }

protected:
    void AttachTree(HWND hWnd);
    void AttachWithSettings(HWND hWnd);
    void ForEach(CWnd* pWnd, void (*pfn)(COXCaptionPainter*, BOOL), BOOL bArg);
    static LRESULT CALLBACK CBTHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GetMessageHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    CMap<HWND, HWND, COXCaptionPainter*, COXCaptionPainter*> m_mapPainters;
    CArray<COXCaptionPainter*, COXCaptionPainter*> m_arrUnusedPainters;
    // Windows that refused a painter (no caption): not tried again while the
    // thread is served.
    CMap<HWND, HWND, void*, void*> m_mapRefused;
    DWORD m_dwThreadID;
    HHOOK m_hCBTHook;
    HHOOK m_hGetMessageHook;

    static CMap<DWORD, DWORD, COXCaptionPainterOrganizer*, COXCaptionPainterOrganizer*> m_mapThreadOrganizer;
    static HHOOK g_hCBTHook;
    static HHOOK g_hGetMessageHook;
};
