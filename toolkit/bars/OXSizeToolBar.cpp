#include "OXSizeToolBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(COXSizeToolBar, COXSizeControlBar)

// ---------------------------------------------------------------------------
// COXToolBarCtrl
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXToolBarCtrl, CToolBarCtrl)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int COXToolBarCtrl::HitButton(const std::vector<CRect>& rectButtons, const std::vector<BOOL>& separators, CPoint pt)
{
    for (int i = (int)rectButtons.size() - 1; i >= 0; --i) {
        const CRect& rect = rectButtons[i];
        if (rect.bottom <= pt.y)
            break;   // the rows above cannot hold the point
        if (!separators[i] && rect.PtInRect(pt))
            return i;
    }
    return -1;
}

void COXToolBarCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    std::vector<CRect> rects;
    std::vector<BOOL> separators;
    for (int i = 0; i < GetButtonCount(); ++i) {
        TBBUTTON button = {};
        CRect rect;
        GetButton(i, &button);
        GetItemRect(i, &rect);
        rects.push_back(rect);
        separators.push_back((button.fsStyle & TBSTYLE_SEP) != 0);
    }
    if (HitButton(rects, separators, point) >= 0) {
        Default();
        return;
    }
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL)
        pOwner = GetParent();
    if (pOwner == NULL) {
        Default();
        return;
    }
    MapWindowPoints(pOwner, &point, 1);
    pOwner->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

// ---------------------------------------------------------------------------
// COXToolCmdUI
// ---------------------------------------------------------------------------
CToolBarCtrl* COXToolCmdUI::Control() const
{
    COXSizeToolBar* pBar = DYNAMIC_DOWNCAST(COXSizeToolBar, m_pOther);
    return pBar != NULL && ::IsWindow(pBar->m_ToolCtrl.m_hWnd) ? &pBar->m_ToolCtrl : NULL;
}

void COXToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CToolBarCtrl* pCtrl = Control();
    if (pCtrl == NULL)
        return;
    const UINT nOld = (UINT)pCtrl->GetState((int)m_nID);
    const UINT nNew = bOn ? (nOld | TBSTATE_ENABLED) : (nOld & ~TBSTATE_ENABLED);
    if (nNew != nOld)
        pCtrl->SetState((int)m_nID, nNew);
}

UINT COXToolCmdUI::CheckState(UINT nState, int nCheck)
{
    nState &= ~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE);
    if (nCheck == 1)
        nState |= TBSTATE_CHECKED;
    else if (nCheck == 2)
        nState |= TBSTATE_INDETERMINATE;
    return nState;
}

void COXToolCmdUI::SetCheck(int nCheck)
{
    CToolBarCtrl* pCtrl = Control();
    if (pCtrl == NULL)
        return;
    const UINT nOld = (UINT)pCtrl->GetState((int)m_nID);
    const UINT nNew = CheckState(nOld, nCheck);
    if (nNew != nOld)
        pCtrl->SetState((int)m_nID, nNew);
}

// ---------------------------------------------------------------------------
// COXSizeToolBar
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXSizeToolBar, COXSizeControlBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

COXSizeToolBar::COXSizeToolBar(DWORD dwSizeBarStyle)
    : COXSizeControlBar(dwSizeBarStyle), m_sizeButton(16, 15), m_pBitmapIds(NULL), m_nBitmapIds(0)
{
}

BOOL COXSizeToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCRECT lpRect)
{
    m_sizeButton = CSize(16, 15);
    const CRect rect = lpRect != NULL ? CRect(*lpRect) : CRect(0, 0, 192, 33);
    return COXSizeControlBar::Create(pParentWnd, "", nID, dwStyle, rect);
}

int COXSizeToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COXSizeControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CRect rect;
    GetClientRect(&rect);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_TOOLTIPS |
                    TBSTYLE_WRAPABLE;
    if (m_pBitmapIds != NULL)
        dwStyle |= CCS_ADJUSTABLE;
    if (!m_ToolCtrl.Create(dwStyle, rect, this, nControlID))
        return -1;
    return 0;
}

BOOL COXSizeToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    m_bmpButtons.DeleteObject();
    if (!m_bmpButtons.LoadBitmap(lpszResourceName) || m_sizeButton.cx <= 0)
        return FALSE;
    BITMAP bm;
    if (!m_bmpButtons.GetBitmap(&bm))
        return FALSE;
    return m_ToolCtrl.AddBitmap(bm.bmWidth / m_sizeButton.cx, &m_bmpButtons) != -1;
}

void COXSizeToolBar::SetBitmapIds(const UINT* pIds, int nCount)
{
    m_pBitmapIds = pIds;
    m_nBitmapIds = pIds != NULL ? std::max(nCount, 0) : 0;
    // the customize dialog offers these commands
    if (::IsWindow(m_ToolCtrl.m_hWnd))
        m_ToolCtrl.ModifyStyle(m_pBitmapIds != NULL ? 0 : CCS_ADJUSTABLE, m_pBitmapIds != NULL ? CCS_ADJUSTABLE : 0);
}

int COXSizeToolBar::FindBitmapIndex(UINT nID) const
{
    if (m_pBitmapIds == NULL)
        return -1;
    for (int i = 0; i < m_nBitmapIds; ++i)
        if (m_pBitmapIds[i] == nID)
            return i;
    return -1;
}

std::vector<TBBUTTON> COXSizeToolBar::MakeButtons(const UINT* pIds, int nCount, const UINT* pBitmapIds,
                                                  int nBitmapIds)
{
    std::vector<TBBUTTON> buttons;
    int nImage = 0;
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON button = {};
        if (pIds[i] == 0) {
            button.fsStyle = TBSTYLE_SEP;
            buttons.push_back(button);
            continue;
        }
        int nBitmap = nImage++;
        if (pBitmapIds != NULL) {
            const UINT* pEnd = pBitmapIds + nBitmapIds;
            const UINT* pFound = std::find(pBitmapIds, pEnd, pIds[i]);
            if (pFound == pEnd)
                continue;
            nBitmap = (int)(pFound - pBitmapIds);
        }
        button.iBitmap = nBitmap;
        button.idCommand = (int)pIds[i];
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = TBSTYLE_BUTTON;
        buttons.push_back(button);
    }
    return buttons;
}

BOOL COXSizeToolBar::SetButtons(const UINT* pIds, int nCount)
{
    std::vector<TBBUTTON> buttons = MakeButtons(pIds, nCount, m_pBitmapIds, m_nBitmapIds);
    if (buttons.empty())
        return TRUE;
    if (!m_ToolCtrl.AddButtons((int)buttons.size(), buttons.data()))
        return FALSE;
    // a column docked at a side is one button wide
    for (int i = 0; i < m_ToolCtrl.GetButtonCount(); ++i) {
        TBBUTTON button = {};
        m_ToolCtrl.GetButton(i, &button);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        CRect rect;
        m_ToolCtrl.GetItemRect(i, &rect);
        m_VertDockSize.cx = rect.Width() + 10;
        break;
    }
    return TRUE;
}

BOOL COXSizeToolBar::SetSizes(CSize sizeButton, CSize sizeImage)
{
    if (!m_ToolCtrl.SetButtonSize(sizeButton))
        return FALSE;
    m_sizeButton = sizeButton;
    return m_ToolCtrl.SetBitmapSize(sizeImage);
}

void COXSizeToolBar::GetMaxButtonExtent(CSize& size)
{
    size = CSize(0, 0);
    for (int i = 0; i < m_ToolCtrl.GetButtonCount(); ++i) {
        CRect rect;
        m_ToolCtrl.GetItemRect(i, &rect);
        size.cx = std::max<LONG>(size.cx, rect.right);
        size.cy = std::max<LONG>(size.cy, rect.bottom);
    }
}

void COXSizeToolBar::OnSizedOrDocked(int cx, int cy, BOOL, UINT)
{
    if (!::IsWindow(m_ToolCtrl.m_hWnd))
        return;
    // the buttons wrap to what the bar shows of itself: its client area,
    // which the docked caption strip leaves smaller than the window
    CRect rectClient;
    GetClientRect(&rectClient);
    cx = std::min(cx, rectClient.Width());
    cy = std::min(cy, rectClient.Height());
    CRect rect(1, 1, cx, cy);
    rect.DeflateRect(4, 2);
    m_ToolCtrl.MoveWindow(&rect);
    m_ToolCtrl.AutoSize();
}

void COXSizeToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    COXSizeControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (::IsWindow(m_ToolCtrl.m_hWnd)) {
        COXToolCmdUI state;
        state.m_pOther = this;
        state.m_nIndexMax = (UINT)m_ToolCtrl.GetButtonCount();
        for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
            TBBUTTON button = {};
            m_ToolCtrl.GetButton((int)state.m_nIndex, &button);
            if (button.fsStyle & TBSTYLE_SEP)
                continue;
            state.m_nID = (UINT)button.idCommand;
            state.DoUpdate(pTarget, bDisableIfNoHndler);
        }
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

CString COXSizeToolBar::ShortName(UINT nID, BOOL* pbFound)
{
    CString str;
    const BOOL bLoaded = nID != 0 && str.LoadString(nID);
    const int nFeed = bLoaded ? str.Find('\n') : -1;
    if (pbFound != NULL)
        *pbFound = bLoaded;
    return nFeed >= 0 ? str.Mid(nFeed + 1) : CString();
}

void COXSizeToolBar::CopyText(LPSTR lpszBuffer, int nSize, LPCTSTR lpszText)
{
    if (lpszBuffer == NULL || nSize <= 0)
        return;
    lstrcpynA(lpszBuffer, lpszText, nSize);
}

BOOL COXSizeToolBar::OnToolNotify(NMHDR* pHeader, LRESULT* pResult)
{
    switch (pHeader->code) {
    case TTN_NEEDTEXTA: {
        NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pHeader;
        if (pInfo->uFlags & TTF_IDISHWND)
            return FALSE;
        const UINT nID = (UINT)pHeader->idFrom;
        CopyText(pInfo->szText, (int)(sizeof(pInfo->szText) / sizeof(pInfo->szText[0])), ShortName(nID));
        pInfo->lpszText = pInfo->szText;
        // above the floating frames the bar may sit in
        ::SetWindowPos(pHeader->hwndFrom, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != NULL && ::IsWindow(pMain->m_hWnd))
            pMain->SendMessage(WM_SETMESSAGESTRING, nID);
        *pResult = 0;
        return TRUE;
    }
    case TBN_GETBUTTONINFOA: {
        if (pHeader->idFrom != nControlID)
            return FALSE;
        NMTOOLBARA* pInfo = (NMTOOLBARA*)pHeader;
        if (pInfo->iItem < 0 || pInfo->iItem >= m_nBitmapIds || m_pBitmapIds == NULL) {
            *pResult = FALSE;
            return TRUE;
        }
        const UINT nID = m_pBitmapIds[pInfo->iItem];
        pInfo->tbButton.iBitmap = pInfo->iItem;
        pInfo->tbButton.idCommand = (int)nID;
        pInfo->tbButton.fsState = TBSTATE_ENABLED;
        pInfo->tbButton.fsStyle = TBSTYLE_BUTTON;
        CopyText(pInfo->pszText, pInfo->cchText, ShortName(nID));
        *pResult = TRUE;
        return TRUE;
    }
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
        *pResult = TRUE;
        return TRUE;
    case TBN_BEGINADJUST:
    case TBN_TOOLBARCHANGE:
        *pResult = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT COXSizeToolBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NOTIFY && lParam != 0) {
        LRESULT lResult = 0;
        if (OnToolNotify((NMHDR*)lParam, &lResult))
            return lResult;
    }
    return COXSizeControlBar::WindowProc(nMsg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// GetDllVersion
// ---------------------------------------------------------------------------
DWORD AFXAPI GetDllVersion(LPCTSTR lpszDllName)
{
    struct VersionInfo
    {
        DWORD cbSize, dwMajorVersion, dwMinorVersion, dwBuildNumber, dwPlatformID;
    };
    typedef HRESULT(CALLBACK * PFNDLLGETVERSION)(VersionInfo*);
    HINSTANCE hDll = ::LoadLibraryA(lpszDllName);
    if (hDll == NULL)
        return 0;
    DWORD dwVersion = 0;
    PFNDLLGETVERSION pfn = reinterpret_cast<PFNDLLGETVERSION>(::GetProcAddress(hDll, "DllGetVersion"));
    if (pfn != NULL) {
        VersionInfo info = {};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(pfn(&info)))
            dwVersion = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
    }
    ::FreeLibrary(hDll);
    return dwVersion;
}
