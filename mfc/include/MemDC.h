// MemDC.h - CMemDC: an off-screen device context that lives for one paint.
// Drawing goes to a bitmap the size of the buffered area, in the real DC's
// coordinates, and the whole picture reaches the real DC in one BitBlt when
// the CMemDC is destroyed, so a repaint does not flicker. A printing DC is
// drawn on directly. Shared by the grid and the gradient progress control.
#pragma once

#include <afxwin.h>

class CMemDC : public CDC
{
public:
    // pRect: the area to buffer (the real DC's clip box when NULL).
    // bCopyFirst: start from the real DC's pixels; otherwise the area starts
    // filled with the real DC's background colour.
    explicit CMemDC(CDC* pDC, const CRect* pRect = NULL, BOOL bCopyFirst = FALSE)
        : m_pOldBitmap(NULL), m_pDC(pDC), m_bMemDC(!pDC->IsPrinting())
    {
        if (!m_bMemDC) {
            // Borrow the printer's handles; they are given back, not deleted.
            m_hDC = pDC->m_hDC;
            m_hAttribDC = pDC->m_hAttribDC;
            m_bPrinting = pDC->m_bPrinting;
            return;
        }
        if (pRect != NULL)
            m_rect = *pRect;
        else
            pDC->GetClipBox(&m_rect);
        m_rect.NormalizeRect();
        CreateCompatibleDC(pDC);
        if (m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height()))
            m_pOldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
        if (bCopyFirst)
            BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pDC, m_rect.left, m_rect.top, SRCCOPY);
        else
            FillSolidRect(m_rect, pDC->GetBkColor());
    }

    ~CMemDC() override
    {
        if (m_bMemDC) {
            m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
            if (m_pOldBitmap != NULL)
                SelectObject(m_pOldBitmap);
        } else {
            m_hDC = NULL;
            m_hAttribDC = NULL;
        }
        // The bitmap (a member) and the memory DC (CDC) are freed after this.
    }

    CMemDC* operator->() { return this; }
    operator CMemDC*() { return this; }

    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
