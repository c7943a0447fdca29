#include "OXShadowedItemWnd.h"

#include "OXMenuSkin.h"

IMPLEMENT_DYNAMIC(COXShadowedItemWnd, CWnd)

BEGIN_MESSAGE_MAP(COXShadowedItemWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL COXShadowedItemWnd::Create(const RECT& rectScreen)
{
    const CRect rect(rectScreen);
    m_size = rect.Size();
    // One read of the screen, before the window covers it.
    CClientDC dcScreen(NULL);
    CDC dcMem;
    if (m_size.cx > 0 && m_size.cy > 0 && dcMem.CreateCompatibleDC(&dcScreen)) {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = m_size.cx;
        bmi.bmiHeader.biHeight = -m_size.cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        DWORD* pBits = NULL;
        HBITMAP hBitmap = ::CreateDIBSection(dcMem.m_hDC, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
        if (hBitmap != NULL) {
            m_bmpUnder.Attach(hBitmap);
            CBitmap* pOld = dcMem.SelectObject(&m_bmpUnder);
            dcMem.BitBlt(0, 0, m_size.cx, m_size.cy, &dcScreen, rect.left, rect.top, SRCCOPY);
            ::GdiFlush();
            m_arrUnder.resize((size_t)m_size.cx * m_size.cy);
            for (size_t i = 0; i < m_arrUnder.size(); ++i)
                m_arrUnder[i] = RGB(GetBValue(pBits[i]), GetGValue(pBits[i]), GetRValue(pBits[i]));
            dcMem.SelectObject(pOld);
        }
    }
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, lpszClass, "", WS_CHILD | WS_VISIBLE, rectScreen,
                    CWnd::GetDesktopWindow(), 0);
}

BOOL COXShadowedItemWnd::DrawUnder(CDC* pDC)
{
    if (m_bmpUnder.GetSafeHandle() == NULL)
        return FALSE;
    CDC dcMem;
    dcMem.CreateCompatibleDC(pDC);
    CBitmap* pOld = dcMem.SelectObject(&m_bmpUnder);
    pDC->BitBlt(0, 0, m_size.cx, m_size.cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
    return TRUE;
}

void COXShadowedItemWnd::GetShadowSource(CArray<COLORREF, COLORREF>& arrColors) const
{
    arrColors.RemoveAll();
    const int cx = m_size.cx, cy = m_size.cy, n = 4;
    if (m_arrUnder.empty() || cx < 2 * n || cy < 2 * n)
        return;
    auto At = [&](int x, int y) { return m_arrUnder[(size_t)y * cx + x]; };
    for (int k = 0; k < n; ++k)
        for (int y = 0; y < cy; ++y)
            arrColors.Add(At(cx - 1 - k, y));
    for (int k = 0; k < n; ++k)
        for (int x = 0; x < cx - n; ++x)
            arrColors.Add(At(x, cy - 1 - k));
}

void COXShadowedItemWnd::OnPaint()
{
    if (!OXGetMenuSkin()->PaintShadowedItem(this))
        Default();
}

BOOL COXShadowedItemWnd::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}
