// Helpers for tests that draw into memory and read the pixels back, and for
// tests that need a window of their own to host controls, own menus or carry
// bars.
#pragma once

#include <afxwin.h>

// The pure colours tests draw with: each comes back from a 32-bit DIB unchanged.
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit top-down DIB section of cx x cy pixels; *ppBits, when asked for,
// receives its pixels row by row from the top left. The caller deletes it.
HBITMAP CreateDib32(int cx, int cy, void** ppBits = nullptr);

// A memory DC with a 32-bit DIB section selected, filled with one colour:
// what is drawn comes back through GetPixel exactly, with no palette or
// dithering in between.
class CPixelCanvas {
 public:
  CPixelCanvas(int cx, int cy, COLORREF background = kWhite);
  ~CPixelCanvas();
  CPixelCanvas(const CPixelCanvas&) = delete;
  CPixelCanvas& operator=(const CPixelCanvas&) = delete;

  COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
  // How many pixels of the whole canvas have the colour.
  int Count(COLORREF color) const;

  CDC dc;   // declared first: it lets go of the bitmap before it is deleted

 private:
  int m_cx, m_cy;
  HBITMAP m_hBitmap = NULL;
  HGDIOBJ m_hOld = NULL;
};

// The smallest rectangle of rect that holds every pixel of the DC not of the
// background colour (the ink of a text, say); empty when there is none.
CRect InkBounds(CDC& dc, const CRect& rect, COLORREF clrBack);

// Creates wnd from a plain registered class, without parent or menu.
BOOL CreateHostWindow(CWnd& wnd, LPCTSTR title, DWORD style, const CRect& rect);

// A top-level frame made for a test. A frame deletes itself when its window
// is destroyed, so it lives on the heap, and Destroy (or the holder's end)
// destroys it only if nothing else has already done so.
template <class TFrame = CFrameWnd>
class CScopedFrame {
 public:
  CScopedFrame() = default;
  ~CScopedFrame() { Destroy(); }
  CScopedFrame(const CScopedFrame&) = delete;
  CScopedFrame& operator=(const CScopedFrame&) = delete;

  BOOL Create(LPCTSTR title, const CRect& rect)
  {
    m_pFrame = new TFrame;
    if (!m_pFrame->Create(NULL, title, WS_OVERLAPPEDWINDOW, rect))
      return FALSE;
    m_hWnd = m_pFrame->m_hWnd;
    return TRUE;
  }
  // Shows the frame without taking the activation and lays out its bars.
  void Show()
  {
    m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    m_pFrame->RecalcLayout();
  }
  void Destroy()
  {
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
      m_pFrame->DestroyWindow();
    m_hWnd = NULL;
  }

  TFrame* operator->() const { return m_pFrame; }
  operator TFrame*() const { return m_pFrame; }

 private:
  TFrame* m_pFrame = nullptr;
  HWND m_hWnd = NULL;
};
