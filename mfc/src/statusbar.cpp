// statusbar.cpp - CStatusBar: the common status bar control as a control
// bar. The bar keeps each pane's id, style, width and text; the control is
// given the panes' edges and texts. Pane 0 (ID_SEPARATOR) is the message line.
#include "docimpl.h"
#include <afxext.h>
#include <vector>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

// Space between a pane's text and its edges.
static const int kPaneBorder = 6;

// Texts of the standard indicators, for programs whose resources lack them.
static LPCTSTR DefaultIndicatorText(UINT nID)
{
    switch (nID) {
    case ID_INDICATOR_EXT: return "EXT";
    case ID_INDICATOR_CAPS: return "CAP";
    case ID_INDICATOR_NUM: return "NUM";
    case ID_INDICATOR_SCRL: return "SCRL";
    case ID_INDICATOR_OVR: return "OVR";
    case ID_INDICATOR_REC: return "REC";
    case ID_INDICATOR_KANA: return "KANA";
    default: return NULL;
    }
}

// The font the system uses for status lines, made once.
static HFONT StatusFont()
{
    static HFONT s_hFont = [] {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof(ncm);
        HFONT hFont = NULL;
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
            hFont = ::CreateFontIndirectA(&ncm.lfStatusFont);
        return hFont != NULL ? hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    }();
    return s_hFont;
}

CStatusBar::CStatusBar() : m_cxSizeBox(0)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    delete[] (AFX_STATUSPANE*)m_pData;
    m_pData = NULL;
    m_nCount = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

// A bar in a resizable frame gets a size grip.
BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwCtrlStyle |= SBARS_SIZEGRIP;
    if (!CreateBar(STATUSCLASSNAME, pParentWnd, dwCtrlStyle, dwStyle, nID))
        return FALSE;
    if (dwCtrlStyle & SBARS_SIZEGRIP)
        m_cxSizeBox = ::GetSystemMetrics(SM_CXVSCROLL);
    SendMessage(WM_SETFONT, (WPARAM)StatusFont());
    return TRUE;
}

BOOL CStatusBar::AllocElements(int nElements)
{
    delete[] (AFX_STATUSPANE*)m_pData;
    m_pData = NULL;
    m_nCount = 0;
    if (nElements <= 0)
        return nElements == 0;
    AFX_STATUSPANE* pPanes = new AFX_STATUSPANE[nElements];
    for (int i = 0; i < nElements; i++) {
        pPanes[i].nID = 0;
        pPanes[i].nStyle = SBPS_NORMAL;
        pPanes[i].cxText = 0;
        pPanes[i].nFlags = 0;
    }
    m_pData = pPanes;
    m_nCount = nElements;
    return TRUE;
}

// Text extents in the bar's font.
static int TextWidth(HWND hWnd, const CString& str)
{
    HDC hDC = ::GetDC(NULL);
    HFONT hFont = hWnd != NULL ? (HFONT)::SendMessage(hWnd, WM_GETFONT, 0, 0) : NULL;
    HGDIOBJ hOld = ::SelectObject(hDC, hFont != NULL ? (HGDIOBJ)hFont : (HGDIOBJ)StatusFont());
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, str, str.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (!AllocElements(nIDCount))
        return FALSE;
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount && lpIDArray != NULL; i++) {
        AFX_STATUSPANE* pSBP = GetPanePtr(i);
        pSBP->nID = lpIDArray[i];
        pSBP->nFlags |= SBPF_UPDATE;
        if (pSBP->nID != ID_SEPARATOR) {
            if (!pSBP->strText.LoadString(pSBP->nID)) {
                LPCTSTR lpszDefault = DefaultIndicatorText(pSBP->nID);
                if (lpszDefault == NULL) {
                    bResult = FALSE;   // an indicator needs its string
                    continue;
                }
                pSBP->strText = lpszDefault;
            }
            pSBP->cxText = TextWidth(m_hWnd, pSBP->strText);
        } else {
            // a quarter of the screen; the first pane stretches instead
            pSBP->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pSBP->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        }
    }
    if (m_hWnd != NULL)
        UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int CStatusBar::PaneWidth(const AFX_STATUSPANE* pSBP) const
{
    return pSBP->cxText + kPaneBorder;
}

// The stretching panes share what the fixed ones and the size grip leave.
void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;
    if (bUpdateRects && m_nCount > 0) {
        CRect rect;
        GetClientRect(&rect);
        int rgBorders[3] = {0, 0, 0};
        SendMessage(SB_GETBORDERS, 0, (LPARAM)rgBorders);
        int cxSizeBox = 0;
        if ((GetStyle() & SBARS_SIZEGRIP) && !::IsZoomed(::GetParent(m_hWnd)))
            cxSizeBox = m_cxSizeBox;

        int cxExtra = rect.Width() - cxSizeBox - rgBorders[0];
        int nStretchyCount = 0;
        for (int i = 0; i < m_nCount; i++) {
            AFX_STATUSPANE* pSBP = GetPanePtr(i);
            if (pSBP->nStyle & SBPS_STRETCH)
                ++nStretchyCount;
            cxExtra -= PaneWidth(pSBP) + rgBorders[2];
        }
        cxExtra += rgBorders[2];   // no gap after the last pane

        std::vector<int> rgRights(m_nCount);
        int right = rgBorders[0];
        for (int i = 0; i < m_nCount; i++) {
            AFX_STATUSPANE* pSBP = GetPanePtr(i);
            right += PaneWidth(pSBP);
            if ((pSBP->nStyle & SBPS_STRETCH) && cxExtra > 0 && nStretchyCount > 0) {
                int cxAddExtra = cxExtra / nStretchyCount;
                right += cxAddExtra;
                --nStretchyCount;
                cxExtra -= cxAddExtra;
            }
            rgRights[i] = right;
            right += rgBorders[2];
        }
        SendMessage(SB_SETPARTS, (WPARAM)m_nCount, (LPARAM)rgRights.data());
    }
    if (bUpdateText) {
        for (int i = 0; i < m_nCount; i++) {
            AFX_STATUSPANE* pSBP = GetPanePtr(i);
            if (pSBP->nFlags & SBPF_UPDATE)
                ShowPaneText(i);
        }
    }
}

// A disabled pane shows no text (the key indicators while their key is off).
void CStatusBar::ShowPaneText(int nIndex)
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    pSBP->nFlags &= ~SBPF_UPDATE;
    UINT nType = pSBP->nStyle & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW);
    LPCTSTR lpszText = (pSBP->nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pSBP->strText;
    CWnd::DefWindowProc(SB_SETTEXTA, (WPARAM)((UINT)nIndex | nType), (LPARAM)lpszText);
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; i++) {
        if (GetPanePtr(i)->nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? GetPanePtr(nIndex)->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? GetPanePtr(nIndex)->strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

// With bUpdate FALSE the control gets the text at the next full update.
BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return FALSE;
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (lpszNewText == NULL)
        lpszNewText = "";
    if (!(pSBP->nFlags & SBPF_UPDATE) && pSBP->strText.Compare(lpszNewText) == 0)
        return TRUE;
    pSBP->strText = lpszNewText;
    pSBP->nFlags |= SBPF_UPDATE;
    if (bUpdate && m_hWnd != NULL)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    nID = pSBP->nID;
    nStyle = pSBP->nStyle;
    cxWidth = pSBP->cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    BOOL bLayout = ((pSBP->nStyle ^ nStyle) & SBPS_STRETCH) != 0 || pSBP->cxText != cxWidth;
    BOOL bText = pSBP->nStyle != nStyle;
    pSBP->nID = nID;
    pSBP->nStyle = nStyle;
    pSBP->cxText = cxWidth;
    if (bLayout)
        UpdateAllPanes(TRUE, FALSE);
    if (bText && m_hWnd != NULL)
        ShowPaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return GetPanePtr(nIndex)->nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (pSBP->nStyle == nStyle)
        return;
    BOOL bLayout = ((pSBP->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    pSBP->nStyle = nStyle;
    if (bLayout)
        UpdateAllPanes(TRUE, FALSE);
    if (m_hWnd != NULL)
        ShowPaneText(nIndex);
}

// One line of the bar's font between the control's borders.
CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    (void)bStretch;
    TEXTMETRICA tm = {};
    HDC hDC = ::GetDC(NULL);
    HFONT hFont = m_hWnd != NULL ? (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0) : NULL;
    HGDIOBJ hOld = ::SelectObject(hDC, hFont != NULL ? (HGDIOBJ)hFont : (HGDIOBJ)StatusFont());
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);

    int rgBorders[3] = {0, 2, 2};
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)rgBorders);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    CSize size;
    size.cx = 32767;
    size.cy = tm.tmHeight + rgBorders[1] * 2 + ::GetSystemMetrics(SM_CYBORDER) * 2 + 2 - rect.Height();
    return size;
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

// The window text is the message pane's.
LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0)
        return FALSE;
    return SetPaneText(nIndex, (LPCTSTR)lParam);
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0 || wParam == 0 || lParam == 0)
        return 0;
    const CString& str = GetPanePtr(nIndex)->strText;
    lstrcpynA((LPSTR)lParam, str, (int)wParam);
    return lstrlenA((LPSTR)lParam);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = CommandToIndex(ID_SEPARATOR);
    return nIndex < 0 ? 0 : GetPanePtr(nIndex)->strText.GetLength();
}

// A new font changes the indicators' widths.
LRESULT CStatusBar::OnSetFont(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    for (int i = 0; i < m_nCount; i++) {
        AFX_STATUSPANE* pSBP = GetPanePtr(i);
        if (pSBP->nID != ID_SEPARATOR && !pSBP->strText.IsEmpty())
            pSBP->cxText = TextWidth(m_hWnd, pSBP->strText);
    }
    UpdateAllPanes(TRUE, FALSE);
    return lResult;
}

// Panes are enabled (their text shown), checked (popped out) or given text by
// update handlers; panes nothing handles stay as they are.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        if (!bOn)
            nNewStyle |= SBPS_DISABLED;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    void SetCheck(int nCheck = 1) override
    {
        CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        if (nCheck != 0)
            nNewStyle |= SBPS_POPOUT;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    void SetRadio(BOOL bOn = TRUE) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override { ((CStatusBar*)m_pOther)->SetPaneText((int)m_nIndex, lpszText); }
};

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    (void)bDisableIfNoHndler;
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = GetPanePtr((int)state.m_nIndex)->nID;
        if (state.m_nID == ID_SEPARATOR)
            continue;
        if (CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}
