#include "testdrawing.h"

#include <algorithm>

#include <gtest/gtest.h>

HBITMAP CreateDib32(int cx, int cy, void** ppBits)
{
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = -cy;   // top-down: row 0 is the top row
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  if (ppBits)
    *ppBits = pBits;
  return hBitmap;
}

CPixelCanvas::CPixelCanvas(int cx, int cy, COLORREF background) : m_cx(cx), m_cy(cy)
{
  EXPECT_TRUE(dc.Attach(::CreateCompatibleDC(NULL)));
  m_hBitmap = CreateDib32(cx, cy);
  EXPECT_NE(m_hBitmap, (HBITMAP)NULL) << cx << " x " << cy;
  m_hOld = ::SelectObject(dc.m_hDC, m_hBitmap);
  dc.FillSolidRect(0, 0, cx, cy, background);
}

CPixelCanvas::~CPixelCanvas()
{
  ::SelectObject(dc.m_hDC, m_hOld);
  ::DeleteObject(m_hBitmap);
}

int CPixelCanvas::Count(COLORREF color) const
{
  int n = 0;
  for (int y = 0; y < m_cy; y++)
    for (int x = 0; x < m_cx; x++)
      n += At(x, y) == color;
  return n;
}

CRect InkBounds(CDC& dc, const CRect& rect, COLORREF clrBack)
{
  CRect ink(0, 0, 0, 0);
  for (int y = rect.top; y < rect.bottom; y++)
    for (int x = rect.left; x < rect.right; x++) {
      if (dc.GetPixel(x, y) == clrBack)
        continue;
      if (ink.IsRectEmpty())
        ink = CRect(x, y, x + 1, y + 1);
      ink.left = std::min<LONG>(ink.left, x);
      ink.top = std::min<LONG>(ink.top, y);
      ink.right = std::max<LONG>(ink.right, x + 1);
      ink.bottom = std::max<LONG>(ink.bottom, y + 1);
    }
  return ink;
}

BOOL CreateHostWindow(CWnd& wnd, LPCTSTR title, DWORD style, const CRect& rect)
{
  return wnd.CreateEx(0, AfxRegisterWndClass(0), title, style, rect, NULL, 0);
}
