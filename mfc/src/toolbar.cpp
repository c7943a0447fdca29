// toolbar.cpp - CToolBar: the common tool bar control as a control bar.
// Buttons come from RT_TOOLBAR resources; their state follows the command
// routing at idle; tips and fly-by prompts come from the commands' strings.
#include "docimpl.h"
#include <afxext.h>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_NOTIFY_REFLECT_EX(TBN_HOTITEMCHANGE, OnHotItemChange)
END_MESSAGE_MAP()

CToolBar::CToolBar()
    : m_hbmImageWell(NULL), m_hRsrcImageWell(NULL), m_hInstImageWell(NULL), m_sizeButton(23, 22),
      m_sizeImage(16, 15)
{
    // a little more room above and below for grabbing the bar
    m_cyTopBorder = 3;
    m_cyBottomBorder = 3;
}

CToolBar::~CToolBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    if (m_hbmImageWell != NULL)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                    nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(rcBorders);
    if (dwStyle & CBRS_TOOLTIPS)
        dwCtrlStyle |= TBSTYLE_TOOLTIPS;
    if (!CreateBar(TOOLBARCLASSNAME, pParentWnd, dwCtrlStyle, dwStyle, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd != NULL) {
        SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
        Invalidate();
    }
}

// The height is made up by the borders around the buttons (the top one
// gets an odd pixel).
void CToolBar::SetHeight(int cyHeight)
{
    if (m_dwStyle & CBRS_BORDER_TOP)
        cyHeight -= 2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        cyHeight -= 2;
    int cyButton = m_sizeButton.cy;
    if (m_hWnd != NULL)
        cyButton = HIWORD(SendMessage(TB_GETBUTTONSIZE));
    m_cyBottomBorder = (cyHeight - cyButton) / 2;
    m_cyTopBorder = cyHeight - cyButton - m_cyBottomBorder;
    if (m_cyTopBorder < 0) {
        m_cyTopBorder = 0;
        m_cyBottomBorder = 0;
    }
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// RT_TOOLBAR: WORD version (1), width, height, count, then a WORD id per item
// (0: a separator). windres writes its TOOLBAR statement as DWORD width,
// height, count and ids with no version; both are read.
static BOOL ParseToolBarResource(const BYTE* pData, DWORD cbData, CSize& sizeImage, std::vector<UINT>& ids)
{
    const WORD* pw = (const WORD*)pData;
    if (cbData >= 8 && pw[0] == 1 && pw[1] != 0 && cbData >= 8u + 2u * pw[3]) {
        sizeImage = CSize(pw[1], pw[2]);
        for (WORD i = 0; i < pw[3]; i++)
            ids.push_back(pw[4 + i]);
        return TRUE;
    }
    const DWORD* pdw = (const DWORD*)pData;
    if (cbData >= 12 && pdw[0] != 0 && pdw[2] < 0x10000 && cbData >= 12u + 4u * pdw[2]) {
        sizeImage = CSize((int)pdw[0], (int)pdw[1]);
        for (DWORD i = 0; i < pdw[2]; i++)
            ids.push_back(pdw[3 + i]);
        return TRUE;
    }
    return FALSE;
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    if (pData == NULL)
        return FALSE;
    CSize sizeImage;
    std::vector<UINT> ids;
    if (!ParseToolBarResource(pData, ::SizeofResource(hInst, hRsrc), sizeImage, ids))
        return FALSE;
    if (!SetButtons(ids.empty() ? NULL : ids.data(), (int)ids.size()))
        return FALSE;
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    return LoadBitmap(lpszResourceName);
}

// Standard greys, black and white of the bitmap become the system colours.
BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInstImageWell = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    HRSRC hRsrcImageWell = ::FindResourceA(hInstImageWell, lpszResourceName, RT_BITMAP);
    if (hRsrcImageWell == NULL)
        return FALSE;
    HBITMAP hbmImageWell;
    if (IS_INTRESOURCE(lpszResourceName))
        hbmImageWell = ::CreateMappedBitmap(hInstImageWell, (INT_PTR)lpszResourceName, 0, NULL, 0);
    else
        hbmImageWell = (HBITMAP)::LoadImageA(hInstImageWell, lpszResourceName, IMAGE_BITMAP, 0, 0,
                                             LR_LOADMAP3DCOLORS);
    if (hbmImageWell == NULL)
        return FALSE;
    if (!SetBitmap(hbmImageWell)) {
        ::DeleteObject(hbmImageWell);
        return FALSE;
    }
    m_hInstImageWell = hInstImageWell;
    m_hRsrcImageWell = hRsrcImageWell;
    return TRUE;
}

// The bar owns the bitmap from now on.
BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    BITMAP bm;
    if (::GetObjectA(hbmImageWell, sizeof(bm), &bm) == 0 || m_sizeImage.cx <= 0)
        return FALSE;
    int nCount = bm.bmWidth / m_sizeImage.cx;
    if (m_hbmImageWell != NULL) {
        TBREPLACEBITMAP tbrb;
        tbrb.hInstOld = NULL;
        tbrb.nIDOld = (UINT_PTR)m_hbmImageWell;
        tbrb.hInstNew = NULL;
        tbrb.nIDNew = (UINT_PTR)hbmImageWell;
        tbrb.nButtons = nCount;
        if (!SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&tbrb))
            return FALSE;
        ::DeleteObject(m_hbmImageWell);
    } else {
        TBADDBITMAP tbab;
        tbab.hInst = NULL;
        tbab.nID = (UINT_PTR)hbmImageWell;
        if (SendMessage(TB_ADDBITMAP, (WPARAM)nCount, (LPARAM)&tbab) == -1)
            return FALSE;
    }
    m_hbmImageWell = hbmImageWell;
    return TRUE;
}

// Buttons take the images in order; separators take none.
BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    int nCount = (int)SendMessage(TB_BUTTONCOUNT);
    while (nCount-- > 0)
        SendMessage(TB_DELETEBUTTON, 0);

    TBBUTTON button;
    memset(&button, 0, sizeof(button));
    button.iString = -1;
    int iImage = 0;
    for (int i = 0; i < nIDCount; i++) {
        button.fsState = TBSTATE_ENABLED;
        if (lpIDArray == NULL) {
            button.idCommand = 0;
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = 0;
        } else if ((button.idCommand = (int)lpIDArray[i]) == 0) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = 8;   // the separator's width
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = iImage++;
        }
        if (!SendMessage(TB_ADDBUTTONS, 1, (LPARAM)&button))
            return FALSE;
    }
    m_nCount = (int)SendMessage(TB_BUTTONCOUNT);
    return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    return (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

// TBBS_DISABLED is TBSTATE_ENABLED turned round.
void CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    memset(pButton, 0, sizeof(TBBUTTON));
    ::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)pButton);
    pButton->fsState ^= TBSTATE_ENABLED;
}

// A change of state only is set in place; a new style, id or image replaces
// the button.
void CToolBar::SetButton(int nIndex, TBBUTTON* pButton)
{
    TBBUTTON current;
    memset(&current, 0, sizeof(current));
    if (!SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&current))
        return;
    TBBUTTON wanted = *pButton;
    wanted.fsState ^= TBSTATE_ENABLED;
    wanted.fsState = (BYTE)((wanted.fsState & ~TBSTATE_WRAP) | (current.fsState & TBSTATE_WRAP));
    if (wanted.idCommand == current.idCommand && wanted.iBitmap == current.iBitmap &&
        wanted.fsStyle == current.fsStyle && wanted.iString == current.iString && wanted.dwData == current.dwData) {
        if (wanted.fsState != current.fsState) {
            TBBUTTONINFOA tbbi = {};
            tbbi.cbSize = sizeof(tbbi);
            tbbi.dwMask = TBIF_BYINDEX | TBIF_STATE;
            tbbi.fsState = wanted.fsState;
            SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&tbbi);
        }
        return;
    }
    SetRedraw(FALSE);
    SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex);
    SendMessage(TB_INSERTBUTTONA, (WPARAM)nIndex, (LPARAM)&wanted);
    SetRedraw(TRUE);
    Invalidate();
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    BYTE fsStyle = (BYTE)LOWORD(nStyle), fsState = (BYTE)HIWORD(nStyle);
    if (button.fsStyle != fsStyle || button.fsState != fsState) {
        button.fsStyle = fsStyle;
        button.fsState = fsState;
        SetButton(nIndex, &button);
    }
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    nID = (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState);
    iImage = button.iBitmap;
}

// For a separator iImage is its width.
void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    button.idCommand = (int)nID;
    button.iBitmap = iImage;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)HIWORD(nStyle);
    SetButton(nIndex, &button);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    // the control's string list wants a double NUL at the end
    CString strText(lpszText);
    std::vector<char> buffer(strText.GetLength() + 2, '\0');
    memcpy(buffer.data(), (LPCTSTR)strText, strText.GetLength());
    INT_PTR nString = (INT_PTR)SendMessage(TB_ADDSTRINGA, 0, (LPARAM)buffer.data());
    if (nString == -1)
        return FALSE;
    TBBUTTON button;
    GetButton(nIndex, &button);
    button.iString = nString;
    SetButton(nIndex, &button);
    return TRUE;
}

CString CToolBar::GetButtonText(int nIndex) const
{
    CString strText;
    GetButtonText(nIndex, strText);
    return strText;
}

void CToolBar::GetButtonText(int nIndex, CString& rString) const
{
    rString.Empty();
    TBBUTTON button;
    GetButton(nIndex, &button);
    if (button.iString == -1 || (button.fsStyle & TBSTYLE_SEP))
        return;
    char szText[256] = "";
    LRESULT n = ::SendMessage(m_hWnd, TB_GETBUTTONTEXTA, (WPARAM)button.idCommand, (LPARAM)szText);
    if (n > 0)
        rString = szText;
}

// The buttons in one row plus the borders.
CSize CToolBar::CalcSize() const
{
    int cy = HIWORD(::SendMessage(m_hWnd, TB_GETBUTTONSIZE, 0, 0));
    if (cy == 0)
        cy = m_sizeButton.cy;
    int cx = 0;
    int nCount = (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++) {
        RECT rc;
        if (::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)i, (LPARAM)&rc)) {
            if (rc.right > cx)
                cx = rc.right;
            if (rc.bottom - rc.top > cy)
                cy = rc.bottom - rc.top;
        }
    }
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, TRUE);
    return CSize(cx - rect.Width(), cy - rect.Height());
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CalcSize();
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    (void)nLength;
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcSize();
}

// Updates one button from an ON_UPDATE_COMMAND_UI handler.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* pToolBar = (CToolBar*)m_pOther;
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn) {
            // a pressed button that gets disabled would stay pressed
            nNewStyle |= TBBS_DISABLED;
            nNewStyle &= ~TBBS_PRESSED;
        }
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle);
    }
    void SetCheck(int nCheck = 1) override
    {
        CToolBar* pToolBar = (CToolBar*)m_pOther;
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNewStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNewStyle |= TBBS_INDETERMINATE;
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle | TBBS_CHECKBOX);
    }
    void SetRadio(BOOL bOn = TRUE) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override { (void)lpszText; }
};

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)SendMessage(TB_BUTTONCOUNT);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        TBBUTTON button;
        GetButton((int)state.m_nIndex, &button);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        state.m_nID = (UINT)button.idCommand;
        // the bar's own update handlers come first
        if (CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

BOOL CToolBar::OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTBHOTITEM* pHot = (NMTBHOTITEM*)pNMHDR;
    *pResult = 0;
    if (!(m_dwStyle & CBRS_FLYBY))
        return FALSE;
    CFrameWnd* pFrame = GetUpdateTarget();
    if (pFrame == NULL)
        return FALSE;
    if ((pHot->dwFlags & HICF_LEAVING) || pHot->idNew == 0)
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    else
        pFrame->SetMessageText((UINT)pHot->idNew);
    return FALSE;   // the owner may want it too
}
