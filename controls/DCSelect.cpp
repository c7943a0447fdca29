// DCSelect.cpp - device-context guards: each keeps the first value it
// replaced and puts it back once.
#include "DCSelect.h"

void CSelFont::Select(CFont* pFont)
{
    if (pFont == NULL || pFont->GetSafeHandle() == NULL)
        return;
    HGDIOBJ hOld = m_pDC->SelectObject((HGDIOBJ)pFont->GetSafeHandle());
    if (m_hOldFont == NULL)
        m_hOldFont = hOld;
}

void CSelFont::Select(const LOGFONT& lf)
{
    CMyFont font;
    if (!font.CreateFontIndirect(&lf))
        return;
    // Select the new font before the previous own one is freed.
    HGDIOBJ hOld = m_pDC->SelectObject((HGDIOBJ)font.GetSafeHandle());
    if (m_hOldFont == NULL)
        m_hOldFont = hOld;
    m_font.DeleteObject();
    m_font.Attach(font.Detach());
}

void CSelFont::Restore()
{
    if (m_hOldFont != NULL) {
        m_pDC->SelectObject(m_hOldFont);
        m_hOldFont = NULL;
    }
    m_font.DeleteObject();
}

void CSelBkMode::Select(int nBkMode)
{
    int nOld = m_pDC->SetBkMode(nBkMode);
    if (m_nOldBkMode == 0)
        m_nOldBkMode = nOld;
}

void CSelBkMode::Restore()
{
    if (m_nOldBkMode != 0) {
        m_pDC->SetBkMode(m_nOldBkMode);
        m_nOldBkMode = 0;
    }
}

void CSelTextColor::Select(COLORREF clr)
{
    COLORREF clrOld = m_pDC->SetTextColor(clr);
    if (m_clrOld == CLR_INVALID)
        m_clrOld = clrOld;
}

void CSelTextColor::Restore()
{
    if (m_clrOld != CLR_INVALID) {
        m_pDC->SetTextColor(m_clrOld);
        m_clrOld = CLR_INVALID;
    }
}

void CSelTextAlign::Select(UINT nAlign)
{
    UINT nOld = m_pDC->SetTextAlign(nAlign);
    if (m_nOldAlign == GDI_ERROR)
        m_nOldAlign = nOld;
}

void CSelTextAlign::Restore()
{
    if (m_nOldAlign != GDI_ERROR) {
        m_pDC->SetTextAlign(m_nOldAlign);
        m_nOldAlign = GDI_ERROR;
    }
}
