#include "OXSplitterColRowState.h"

IMPLEMENT_SERIAL(COXSplitterColRowState, CObject, 1 | VERSIONABLE_SCHEMA)

COXSplitterColRowState::COXSplitterColRowState()
    : m_bRow(TRUE), m_nIndex(0), m_nIdealSize(0), m_nMinSize(0), m_nSerializedVersion(-1)
{
}

BOOL COXSplitterColRowState::Capture(CSplitterWnd* pSplitter, int nIndex, BOOL bRow)
{
    if (pSplitter == NULL)
        return FALSE;
    m_bRow = bRow;
    m_nIndex = nIndex;
    if (bRow)
        pSplitter->GetRowInfo(nIndex, m_nIdealSize, m_nMinSize);
    else
        pSplitter->GetColumnInfo(nIndex, m_nIdealSize, m_nMinSize);
    return TRUE;
}

BOOL COXSplitterColRowState::Apply(CSplitterWnd* pSplitter) const
{
    if (pSplitter == NULL)
        return FALSE;
    if (m_bRow)
        pSplitter->SetRowInfo(m_nIndex, m_nIdealSize, m_nMinSize);
    else
        pSplitter->SetColumnInfo(m_nIndex, m_nIdealSize, m_nMinSize);
    return TRUE;
}

void COXSplitterColRowState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (LONG)m_bRow << (LONG)m_nIndex << (LONG)m_nIdealSize << (LONG)m_nMinSize;
        return;
    }
    const UINT nSchema = ar.GetObjectSchema();
    m_nSerializedVersion = (int)nSchema;
    if (nSchema != (UINT)-1 && nSchema > 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    LONG bRow, nIndex, nIdeal, nMin;
    ar >> bRow >> nIndex >> nIdeal >> nMin;
    m_bRow = bRow;
    m_nIndex = nIndex;
    m_nIdealSize = nIdeal;
    m_nMinSize = nMin;
}

void COXSplitterRect::Draw(CDC* pDC) const
{
    const CRect r(m_rect);
    if (m_nType == vertical) {
        pDC->FillSolidRect(r.left + 1, r.top, 1, r.Height(), ::GetSysColor(COLOR_BTNFACE));
        pDC->FillSolidRect(r.left + 2, r.top, 1, r.Height(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), ::GetSysColor(COLOR_WINDOWFRAME));
        pDC->FillSolidRect(r.right - 2, r.top, 1, r.Height(), ::GetSysColor(COLOR_BTNSHADOW));
    } else if (m_nType == horizontal) {
        pDC->FillSolidRect(r.left, r.top + 1, r.Width(), 1, ::GetSysColor(COLOR_BTNFACE));
        pDC->FillSolidRect(r.left, r.top + 2, r.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, ::GetSysColor(COLOR_WINDOWFRAME));
        pDC->FillSolidRect(r.left, r.bottom - 2, r.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
    }
}
