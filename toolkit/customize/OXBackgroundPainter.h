// The background painter: fills an existing window's background with a
// colour and an image, tiled, stretched or placed at one of nine positions,
// by hooking the window and answering its WM_ERASEBKGND. The image is
// anchored to an origin window, so that several painted windows of one frame
// (docked tool bars, dock bars, the MDI client) show one continuous picture.
// The organizer gives painters to the qualifying windows of a user-interface
// thread, windows made later included, and keeps settings in the profile.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "OXDIB.h"
#include "OXHookWnd.h"

// The colour that stands for the window class's background brush
// (COLOR_BTNFACE when the class has none).
#define OX_DEFAULT_BACKGROUND ((COLORREF)0xFF000000)

// How the image is placed inside the origin window's client area.
enum OXBackgroundPaintType
{
    OXPaintTiled = 0,        // from the origin's top-left over the whole window
    OXPaintStretched = 1,    // stretched to the origin's client size
    OXPaintTopLeft = 2,
    OXPaintTopCenter = 3,
    OXPaintTopRight = 4,
    OXPaintCenterLeft = 5,
    OXPaintCenter = 6,
    OXPaintCenterRight = 7,
    OXPaintBottomLeft = 8,
    OXPaintBottomCenter = 9,
    OXPaintBottomRight = 10,
};

// Where the pictures go, window-free.
namespace OXBackgroundLayout
{
    // The image's rectangle for paint types 1 to 10, inside a reference area
    // of sizeReference whose top-left is (0, 0); empty for tiling, any other
    // type and an image without area (colour only).
    CRect Placement(int nPaintType, CSize sizeImage, CSize sizeReference);

    // The copies that tile a window of sizeWindow with an image whose grid is
    // anchored at ptOffset (window coordinates): the first copy's top-left,
    // never right of or below (0, 0), and how many columns and rows cover the
    // window. No copies for an image or a window without area.
    struct Tiles
    {
        CPoint ptFirst;
        int nColumns;
        int nRows;
    };
    Tiles Tiling(CPoint ptOffset, CSize sizeImage, CSize sizeWindow);

    // A window's client area in screen coordinates; empty when it is gone.
    CRect ClientOnScreen(HWND hWnd);
}

// The profile values of one painter: "ImageFileName", "PaintType" and
// "BackgroundColor", -1 where a value keeps the current one.
struct OXBackgroundState
{
    CString sImageFileName;
    int nPaintType;
    COLORREF clrBackground;

    OXBackgroundState() : nPaintType(-1), clrBackground((COLORREF)-1) {}
    void Read(LPCTSTR lpszSection);
};

class COXBackgroundPainter : public COXHookWnd
{
    DECLARE_DYNAMIC(COXBackgroundPainter)
public:
    COXBackgroundPainter();
    virtual ~COXBackgroundPainter();

    // Hooks pWnd and paints it with a copy of pDIB (NULL: colour only), the
    // paint type and colour, anchored to pOriginWnd (NULL: pWnd itself).
    BOOL Attach(CWnd* pWnd, const COXDIB* pDIB = NULL, int nPaintType = OXPaintTiled,
                COLORREF clrBackground = OX_DEFAULT_BACKGROUND, CWnd* pOriginWnd = NULL);
    void Detach(BOOL bRedraw = TRUE);

    BOOL SetImage(const COXDIB* pDIB, BOOL bRedraw = TRUE);
    // FALSE, with everything kept, when the file cannot be read as an image;
    // an empty name empties the image.
    BOOL LoadImage(LPCTSTR lpszFileName, BOOL bRedraw = TRUE);
    void SetPaintType(int nPaintType, BOOL bRedraw = TRUE);
    void SetBackgroundColor(COLORREF clrBackground, BOOL bRedraw = TRUE);
    void SetOriginWnd(CWnd* pOriginWnd, BOOL bRedraw = TRUE);
    // A colour the image keys out, as a shaped window made of it would: its
    // pixels show the background colour. CLR_NONE (the default): none;
    // CLR_DEFAULT: the colour of the image's top-left pixel.
    void SetTransparentColor(COLORREF clrTransparent, BOOL bRedraw = TRUE);
    COLORREF GetTransparentColor() const { return m_clrTransparent; }

    const COXDIB* GetImage() const { return &m_dib; }
    CString GetImageFileName() const { return m_sImageFileName; }
    int GetPaintType() const { return m_nPaintType; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    // The window the image is anchored to: the painted window by default.
    CWnd* GetOriginWnd() const;

    BOOL SaveState(LPCTSTR lpszSection) const;
    BOOL LoadState(LPCTSTR lpszSection, BOOL bRedraw = TRUE);

    void Redraw();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void DrawBackground(CDC* pDC);
    virtual void FillBackground(CDC* pDC);
    // The origin's client top-left relative to the painted window's, and the
    // origin's client area on the screen.
    virtual void GetOriginOffset(CPoint& ptOffset, CRect& rectReference);

protected:
    void ApplyImage(const COXDIB* pDIB, LPCTSTR lpszFileName, BOOL bRedraw);
    void ApplyState(const OXBackgroundState& state, const COXDIB* pLoaded, BOOL bRedraw);
    int RealizePalette(BOOL bBackground, BOOL bRedraw);
    // A window found elsewhere than at its last erase repaints whole; TRUE
    // when it did.
    BOOL RepaintIfMoved();
    HWND OriginWindow() const;
    // The image as a device bitmap, made once for the blits of tiling.
    CBitmap* ImageBitmap(CDC* pDC);
    void DrawTiles(CDC* pDC, const OXBackgroundLayout::Tiles& tiles, CSize sizeImage);
    // The image into rectDest (stretched to it), its keyed colour left out.
    void DrawKeyed(CDC* pDC, const CRect& rectDest, CSize sizeImage);

    COXDIB m_dib;
    int m_nPaintType;
    COLORREF m_clrBackground;
    COLORREF m_clrTransparent;
    // Kept as a handle: an origin destroyed before the painter leaves no
    // dangling object behind, and the painter falls back on its own window.
    HWND m_hWndOrigin;
    CString m_sImageFileName;
    CRect m_rectLastWindow;
    CBitmap m_bmpImage;

    friend class COXBackgroundPainterOrganizer;
};

class COXBackgroundPainterOrganizer
{
public:
    COXBackgroundPainterOrganizer();
    virtual ~COXBackgroundPainterOrganizer();

    // Which windows the thread's painters go to: tool bars docked in a dock
    // bar, dock bars, and, when attached to an MDI frame, its MDI client and
    // the tab controls that are its children.
    virtual BOOL ShouldPaintWindow(CObject* pObject);

    // FALSE for NULL or a window that already has a painter.
    BOOL Attach(CWnd* pWnd, const COXDIB* pDIB = NULL, int nPaintType = OXPaintTiled,
                COLORREF clrBackground = OX_DEFAULT_BACKGROUND, CWnd* pOriginWnd = NULL);
    // pWnd NULL: every window (each setter likewise). FALSE for a window
    // without a painter.
    BOOL Detach(CWnd* pWnd = NULL, BOOL bRedraw = TRUE);
    // For every window (pWnd NULL) while attached to a thread, the value also
    // becomes the default of the windows that come later.
    BOOL SetImage(CWnd* pWnd, const COXDIB* pDIB, BOOL bRedraw = TRUE);
    BOOL LoadImage(CWnd* pWnd, LPCTSTR lpszFileName, BOOL bRedraw = TRUE);
    BOOL SetPaintType(CWnd* pWnd, int nPaintType, BOOL bRedraw = TRUE);
    BOOL SetBackgroundColor(CWnd* pWnd, COLORREF clrBackground, BOOL bRedraw = TRUE);
    BOOL SetOriginWnd(CWnd* pWnd, CWnd* pOriginWnd, BOOL bRedraw = TRUE);
    // For every window (pWnd NULL), the colour also goes to every painter the
    // organizer attaches later, on the thread or one by one.
    BOOL SetTransparentColor(CWnd* pWnd, COLORREF clrTransparent, BOOL bRedraw = TRUE);
    BOOL LoadState(CWnd* pWnd, LPCTSTR lpszSection, BOOL bRedraw = TRUE);

    COXBackgroundPainter* GetPainter(const CWnd* pWnd) const;
    BOOL IsAttached(const CWnd* pWnd) const { return GetPainter(pWnd) != NULL; }
    COXBackgroundPainter* GetFirstPainter() const;

    // Paints every qualifying window of pWnd's thread, now and later, with
    // these defaults and pWnd as their origin. FALSE for NULL, when already
    // attached, or when the thread has a background organizer.
    BOOL AttachToThread(CWnd* pWnd, const COXDIB* pDIB = NULL, int nPaintType = OXPaintTiled,
                        COLORREF clrBackground = OX_DEFAULT_BACKGROUND);
    BOOL DetachFromThread(BOOL bRedraw = TRUE);
    CWnd* GetAttachedWnd() const { return m_pAttachedWnd; }

    const COXDIB* GetDefaultImage() const { return &m_dibDefault; }
    int GetDefaultPaintType() const { return m_nDefaultPaintType; }
    COLORREF GetDefaultBackgroundColor() const { return m_clrDefaultBackground; }
    CWnd* GetDefaultOriginWnd() const { return m_pDefaultOriginWnd; }

protected:
    // A window of the thread seen by a hook or the first walk: a painter
    // when it qualifies and has none. A refusal is remembered with the
    // window's parent, since docking a tool bar changes its verdict.
    void AttachWithSettings(HWND hWnd);
    void AttachTree(HWND hWnd);
    // The framework's object for hWnd, or a temporary one for the MDI
    // client, which the MDI frame keeps as a bare handle.
    CWnd* CandidateWindow(HWND hWnd) const;
    COXBackgroundPainter* TakePainter();
    template <class F> BOOL ForEach(CWnd* pWnd, F f);

    static LRESULT CALLBACK CBTHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GetMessageHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    COXDIB m_dibDefault;
    CString m_sDefaultImageFileName;
    int m_nDefaultPaintType;
    COLORREF m_clrDefaultBackground;
    COLORREF m_clrDefaultTransparent;
    CWnd* m_pDefaultOriginWnd;
    CMap<HWND, HWND, COXBackgroundPainter*, COXBackgroundPainter*> m_mapPainters;
    CArray<COXBackgroundPainter*, COXBackgroundPainter*> m_arrUnusedPainters;
    CMap<HWND, HWND, HWND, HWND> m_mapRefused;   // window -> its parent when refused
    CWnd* m_pAttachedWnd;
    DWORD m_dwThreadID;
    HHOOK m_hCBTHook;
    HHOOK m_hGetMessageHook;

    static CMap<DWORD, DWORD, COXBackgroundPainterOrganizer*, COXBackgroundPainterOrganizer*> m_mapThreadOrganizer;
    static HHOOK g_hCBTHook;
    static HHOOK g_hGetMessageHook;
};
