#include "OXSplitterColRowState.h"

IMPLEMENT_SERIAL(COXSplitterColRowState, CObject, 1 | VERSIONABLE_SCHEMA)

COXSplitterColRowState::COXSplitterColRowState()
    : m_bRow(TRUE), m_nIndex(0), m_nIdealSize(0), m_nMinSize(0), m_nSerializedVersion(-1)
{
}

// The splitter keeps its rows and columns in arrays of their count: an index
// outside them, from a caller or a stored record, would reach past them.
static BOOL IsIndexOf(const CSplitterWnd* pSplitter, int nIndex, BOOL bRow)
{
    return pSplitter != NULL && nIndex >= 0 &&
           nIndex < (bRow ? pSplitter->GetRowCount() : pSplitter->GetColumnCount());
}

BOOL COXSplitterColRowState::Capture(CSplitterWnd* pSplitter, int nIndex, BOOL bRow)
{
    if (!IsIndexOf(pSplitter, nIndex, bRow))
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
    if (!IsIndexOf(pSplitter, m_nIndex, m_bRow))
        return FALSE;
    if (m_bRow)
        pSplitter->SetRowInfo(m_nIndex, m_nIdealSize, m_nMinSize);
    else
        pSplitter->SetColumnInfo(m_nIndex, m_nIdealSize, m_nMinSize);
    return TRUE;
}

CSplitterWnd* COXSplitterColRowState::FindSplitter(CWnd* pFrame)
{
    if (pFrame == NULL)
        return NULL;
    for (HWND h = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
            return (CSplitterWnd*)pWnd;
    }
    return NULL;
}

BOOL COXSplitterColRowState::CaptureAll(CSplitterWnd* pSplitter, CObArray& states)
{
    BOOL bOk = TRUE;
    for (int pass = 0; pass < 2; pass++) {
        const BOOL bRow = pass == 0;
        const int nCount = bRow ? pSplitter->GetRowCount() : pSplitter->GetColumnCount();
        for (int i = 0; i < nCount; i++) {
            COXSplitterColRowState* pState = new COXSplitterColRowState;
            if (pState->Capture(pSplitter, i, bRow)) {
                states.Add(pState);
            } else {
                delete pState;
                bOk = FALSE;
            }
        }
    }
    return bOk;
}

BOOL COXSplitterColRowState::ApplyAll(CSplitterWnd* pSplitter, const CObArray& states)
{
    BOOL bOk = TRUE;
    for (INT_PTR i = 0; i < states.GetSize(); i++) {
        const COXSplitterColRowState* pState = DYNAMIC_DOWNCAST(COXSplitterColRowState, states.GetAt(i));
        if (pState == NULL || !pState->Apply(pSplitter))
            bOk = FALSE;
    }
    pSplitter->RecalcLayout();
    return bOk;
}

void COXSplitterColRowState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (LONG)m_bRow << (LONG)m_nIndex << (LONG)m_nIdealSize << (LONG)m_nMinSize;
        return;
    }
    const UINT nSchema = ar.GetObjectSchema();
    if (nSchema != (UINT)-1 && nSchema > 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    LONG bRow, nIndex, nIdeal, nMin;
    ar >> bRow >> nIndex >> nIdeal >> nMin;
    // No row or column has a negative index or size: such a record is
    // refused whole, and this one keeps what it had.
    if (nIndex < 0 || nIdeal < 0 || nMin < 0)
        AfxThrowArchiveException(CArchiveException::genericException);
    m_bRow = bRow;
    m_nIndex = nIndex;
    m_nIdealSize = nIdeal;
    m_nMinSize = nMin;
    m_nSerializedVersion = (int)nSchema;
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
