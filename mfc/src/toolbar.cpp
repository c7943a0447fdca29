// toolbar.cpp - CToolBar: the common tool bar control as a control bar.
// Buttons come from RT_TOOLBAR resources; their state follows the command
// routing at idle; tips and fly-by prompts come from the commands' strings.
#include "docimpl.h"
#include <afxext.h>
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_NOTIFY_REFLECT_EX(TBN_HOTITEMCHANGE, OnHotItemChange)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

// Buttons in a row do not overlap.
static const int kOverlap = 0;

CToolBar::CToolBar()
    : m_hbmImageWell(NULL), m_hRsrcImageWell(NULL), m_hInstImageWell(NULL), m_sizeButton(23, 22),
      m_sizeImage(16, 15), m_bDelayedButtonLayout(TRUE), m_bReplacingButton(FALSE)
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
    // tips come from OnToolHitTest through the window's tool tips
    // (CBRS_TOOLTIPS), as for every bar
    SetBorders(rcBorders);
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
// the button. The button keeps its wrapping (bKeepWrap) unless a layout is
// applying a new one, which also replaces it.
void CToolBar::SetButton(int nIndex, TBBUTTON* pButton, BOOL bKeepWrap)
{
    TBBUTTON current;
    memset(&current, 0, sizeof(current));
    if (!SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&current))
        return;
    TBBUTTON wanted = *pButton;
    wanted.fsState ^= TBSTATE_ENABLED;
    if (bKeepWrap)
        wanted.fsState = (BYTE)((wanted.fsState & ~TBSTATE_WRAP) | (current.fsState & TBSTATE_WRAP));
    if (wanted.idCommand == current.idCommand && wanted.iBitmap == current.iBitmap &&
        wanted.fsStyle == current.fsStyle && wanted.iString == current.iString && wanted.dwData == current.dwData &&
        ((wanted.fsState ^ current.fsState) & TBSTATE_WRAP) == 0) {
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
    m_bReplacingButton = TRUE;
    SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex);
    SendMessage(TB_INSERTBUTTONA, (WPARAM)nIndex, (LPARAM)&wanted);
    m_bReplacingButton = FALSE;
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
    TBBUTTON button;
    if (strText.IsEmpty()) {
        // The control adds no empty string: it would hand out the index the
        // next string takes. A button without text has none.
        GetButton(nIndex, &button);
        button.iString = -1;
        SetButton(nIndex, &button);
        return TRUE;
    }
    std::vector<char> buffer(strText.GetLength() + 2, '\0');
    memcpy(buffer.data(), (LPCTSTR)strText, strText.GetLength());
    INT_PTR nString = (INT_PTR)SendMessage(TB_ADDSTRINGA, 0, (LPARAM)buffer.data());
    if (nString == -1)
        return FALSE;
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

// The width of a drop-down arrow: the Marlett arrow glyph at the height of
// a menu check mark.
static int DropDownWidth()
{
    static int s_cxDropDown = -1;
    if (s_cxDropDown != -1)
        return s_cxDropDown;
    HDC hDC = ::GetDC(NULL);
    HFONT hFont = ::CreateFontA(::GetSystemMetrics(SM_CYMENUCHECK), 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0,
                                0, 0, 0, "Marlett");
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    int cx = 0;
    if (!::GetCharWidthA(hDC, '6', '6', &cx) || cx <= 0)
        cx = 11;
    if (hOld != NULL)
        ::SelectObject(hDC, hOld);
    if (hFont != NULL)
        ::DeleteObject(hFont);
    ::ReleaseDC(NULL, hDC);
    s_cxDropDown = cx;
    return cx;
}

// The size the control gives its buttons (text on them makes them larger
// than m_sizeButton), m_sizeButton before it has any.
static CSize ControlButtonSize(HWND hWnd, CSize sizeButton)
{
    DWORD dwSize = hWnd != NULL ? (DWORD)::SendMessage(hWnd, TB_GETBUTTONSIZE, 0, 0) : 0;
    if (LOWORD(dwSize) != 0 && HIWORD(dwSize) != 0)
        return CSize(LOWORD(dwSize), HIWORD(dwSize));
    return sizeButton;
}

int CToolBar::GetLayoutWidth(int, const TBBUTTON& button, CSize sizeButton)
{
    if (button.fsStyle & TBSTYLE_SEP)
        return button.iBitmap;
    int cx = sizeButton.cx;
    if ((button.fsStyle & TBSTYLE_DROPDOWN) && (DefWindowProc(TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS))
        cx += DropDownWidth();
    return cx;
}

// Two thirds of the separator unless the bar is flat.
int CToolBar::GetWrappedSeparatorHeight(const TBBUTTON& button)
{
    return (GetStyle() & TBSTYLE_FLAT) ? button.iBitmap : button.iBitmap * 2 / 3;
}

// The size of the buttons as wrapped (TBSTATE_WRAP): a separator in a row
// is its width (iBitmap), one ending a row adds its height below the row;
// hidden buttons take nothing.
CSize CToolBar::CalcSize(TBBUTTON* pData, int nCount)
{
    CPoint cur(0, 0);
    CSize sizeResult(0, 0);
    CSize sizeButton = ControlButtonSize(m_hWnd, m_sizeButton);
    for (int i = 0; i < nCount; i++) {
        if (pData[i].fsState & TBSTATE_HIDDEN)
            continue;
        int cySep = GetWrappedSeparatorHeight(pData[i]);
        int cx = GetLayoutWidth(i, pData[i], sizeButton);
        if (pData[i].fsStyle & TBSTYLE_SEP) {
            if (pData[i].fsState & TBSTATE_WRAP)
                sizeResult.cy = std::max<int>(cur.y + sizeButton.cy + cySep, sizeResult.cy);
            else
                sizeResult.cx = std::max<int>(cur.x + pData[i].iBitmap, sizeResult.cx);
        } else {
            sizeResult.cx = std::max<int>(cur.x + cx, sizeResult.cx);
            sizeResult.cy = std::max<int>(cur.y + sizeButton.cy, sizeResult.cy);
        }
        if (pData[i].fsStyle & TBSTYLE_SEP)
            cur.x += pData[i].iBitmap;
        else
            cur.x += cx - kOverlap;
        if (pData[i].fsState & TBSTATE_WRAP) {
            cur.x = 0;
            cur.y += sizeButton.cy;
            if (pData[i].fsStyle & TBSTYLE_SEP)
                cur.y += cySep;
        }
    }
    return sizeResult;
}

// Wraps the buttons into rows of at most nWidth: a row ends at the last
// plain separator before the button that does not fit, else before that
// button (never at a hidden one or a control on a separator). Returns the
// number of rows.
int CToolBar::WrapToolBar(TBBUTTON* pData, int nCount, int nWidth)
{
    int nResult = 0;
    int x = 0;
    CSize sizeButton = ControlButtonSize(m_hWnd, m_sizeButton);
    for (int i = 0; i < nCount; i++) {
        pData[i].fsState &= ~TBSTATE_WRAP;
        if (pData[i].fsState & TBSTATE_HIDDEN)
            continue;
        int dx = GetLayoutWidth(i, pData[i], sizeButton);
        int dxNext = (pData[i].fsStyle & TBSTYLE_SEP) ? dx : dx - kOverlap;
        if (x + dx > nWidth) {
            BOOL bFound = FALSE;
            for (int j = i; j >= 0 && !(pData[j].fsState & TBSTATE_WRAP); j--) {
                // a separator with a command id holds a control: not a break
                if ((pData[j].fsStyle & TBSTYLE_SEP) && pData[j].idCommand == 0 &&
                    !(pData[j].fsState & TBSTATE_HIDDEN)) {
                    bFound = TRUE;
                    i = j;
                    x = 0;
                    pData[j].fsState |= TBSTATE_WRAP;
                    nResult++;
                    break;
                }
            }
            if (!bFound) {
                for (int j = i - 1; j >= 0 && !(pData[j].fsState & TBSTATE_WRAP); j--) {
                    if ((pData[j].fsState & TBSTATE_HIDDEN) ||
                        ((pData[j].fsStyle & TBSTYLE_SEP) && pData[j].idCommand != 0))
                        continue;
                    bFound = TRUE;
                    i = j;
                    x = 0;
                    pData[j].fsState |= TBSTATE_WRAP;
                    nResult++;
                    break;
                }
                if (!bFound)
                    x += dxNext;
            }
        } else {
            x += dxNext;
        }
    }
    return nResult + 1;
}

// Horizontally: the narrowest wrapping with as many rows as wrapping to
// nLength gives (found by halving). Vertically (bVert): the narrowest
// wrapping whose height is nLength, or the nearest to it.
void CToolBar::SizeToolBar(TBBUTTON* pData, int nCount, int nLength, BOOL bVert)
{
    if (!bVert) {
        int nMax = nLength;
        int nTarget = WrapToolBar(pData, nCount, nMax);
        int nMin = 0;
        int nCurrent = WrapToolBar(pData, nCount, nMin);
        if (nCurrent != nTarget) {
            while (nMin < nMax) {
                int nMid = (nMin + nMax) / 2;
                nCurrent = WrapToolBar(pData, nCount, nMid);
                if (nCurrent == nTarget) {
                    nMax = nMid;
                } else {
                    if (nMin == nMid) {
                        WrapToolBar(pData, nCount, nMax);
                        break;
                    }
                    nMin = nMid;
                }
            }
        }
        CSize size = CalcSize(pData, nCount);
        WrapToolBar(pData, nCount, size.cx);
    } else {
        WrapToolBar(pData, nCount, 0);
        CSize sizeMin = CalcSize(pData, nCount);
        WrapToolBar(pData, nCount, 32767);
        CSize sizeMax = CalcSize(pData, nCount);
        while (sizeMin.cx < sizeMax.cx) {
            CSize sizeMid;
            sizeMid.cx = (sizeMin.cx + sizeMax.cx) / 2;
            WrapToolBar(pData, nCount, sizeMid.cx);
            sizeMid = CalcSize(pData, nCount);
            if (nLength < sizeMid.cy) {
                if (sizeMin == sizeMid) {
                    WrapToolBar(pData, nCount, sizeMax.cx);
                    return;
                }
                sizeMin = sizeMid;
            } else if (nLength > sizeMid.cy) {
                if (sizeMax == sizeMid) {
                    WrapToolBar(pData, nCount, sizeMin.cx);
                    return;
                }
                sizeMax = sizeMid;
            } else {
                return;
            }
        }
    }
}

// The rules of the layout, for a bar that is not CBRS_SIZE_FIXED (a fixed
// bar keeps the wrapping its buttons have). A CBRS_SIZE_DYNAMIC bar wraps:
// LM_MRUWIDTH to the MRU width; LM_HORZDOCK into one row; LM_VERTDOCK into
// one column; a given nLength to that width (LM_LENGTHY: height) plus the
// borders; floating to the MRU width. Any other bar: one row when LM_HORZ,
// else one column. LM_COMMIT applies the wrapping to the buttons (moving
// the controls that sit on separators with them) and, floating and dynamic,
// makes the width the MRU one. The result is the buttons' size plus the
// borders, at least CControlBar's (the stretched length with LM_STRETCH).
CSize CToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    CSize sizeResult(0, 0);
    int nCount = m_hWnd != NULL ? (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0) : 0;
    if (nCount > 0) {
        std::vector<TBBUTTON> data(nCount);
        TBBUTTON* pData = data.data();
        for (int i = 0; i < nCount; i++)
            GetButton(i, &pData[i]);
        if (!(m_dwStyle & CBRS_SIZE_FIXED)) {
            BOOL bDynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
            if (bDynamic && (dwMode & LM_MRUWIDTH)) {
                SizeToolBar(pData, nCount, (int)m_nMRUWidth);
            } else if (bDynamic && (dwMode & LM_HORZDOCK)) {
                SizeToolBar(pData, nCount, 32767);
            } else if (bDynamic && (dwMode & LM_VERTDOCK)) {
                SizeToolBar(pData, nCount, 0);
            } else if (bDynamic && nLength != -1) {
                CRect rect(0, 0, 0, 0);
                CalcInsideRect(rect, (dwMode & LM_HORZ) != 0);
                BOOL bVert = (dwMode & LM_LENGTHY) != 0;
                int nLen = nLength + (bVert ? rect.Height() : rect.Width());
                SizeToolBar(pData, nCount, nLen, bVert);
            } else if (bDynamic && (m_dwStyle & CBRS_FLOATING)) {
                SizeToolBar(pData, nCount, (int)m_nMRUWidth);
            } else {
                SizeToolBar(pData, nCount, (dwMode & LM_HORZ) ? 32767 : 0);
            }
        }
        sizeResult = CalcSize(pData, nCount);

        if (dwMode & LM_COMMIT) {
            struct ControlPos {
                int nIndex;
                int nID;
                CRect rectOldPos;
            };
            std::vector<ControlPos> controls;
            BOOL bIsDelayed = m_bDelayedButtonLayout;
            m_bDelayedButtonLayout = FALSE;
            for (int i = 0; i < nCount; i++) {
                if ((pData[i].fsStyle & TBSTYLE_SEP) && pData[i].idCommand != 0) {
                    ControlPos pos;
                    pos.nIndex = i;
                    pos.nID = pData[i].idCommand;
                    GetItemRect(i, &pos.rectOldPos);
                    ClientToScreen(&pos.rectOldPos);
                    controls.push_back(pos);
                }
            }
            if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
                m_nMRUWidth = (UINT)sizeResult.cx;
            for (int i = 0; i < nCount; i++)
                SetButton(i, &pData[i], FALSE);
            for (const ControlPos& pos : controls) {
                CWnd* pWnd = GetDlgItem(pos.nID);
                if (pWnd == NULL)
                    continue;
                CRect rect;
                pWnd->GetWindowRect(&rect);
                CPoint pt = rect.TopLeft() - pos.rectOldPos.TopLeft();
                GetItemRect(pos.nIndex, &rect);
                pt = rect.TopLeft() + pt;
                pWnd->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
            }
            m_bDelayedButtonLayout = bIsDelayed;
        }
    }

    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (dwMode & LM_HORZ) != 0);
    sizeResult.cy -= rect.Height();
    sizeResult.cx -= rect.Width();
    CSize size = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
    sizeResult.cx = std::max<int>(sizeResult.cx, size.cx);
    sizeResult.cy = std::max<int>(sizeResult.cy, size.cy);
    return sizeResult;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    DWORD dwMode = bStretch ? LM_STRETCH : 0;
    dwMode |= bHorz ? LM_HORZ : 0;
    return CalcLayout(dwMode);
}

// A docked bar asked for no particular length has its fixed layout.
CSize CToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (nLength == -1 && !(dwMode & LM_MRUWIDTH) && !(dwMode & LM_COMMIT) &&
        ((dwMode & LM_HORZDOCK) || (dwMode & LM_VERTDOCK)))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcLayout(dwMode, nLength);
}

// The buttons follow the bar's state: wrapped to the MRU width while a
// dynamic bar floats, one row docked at the top or bottom, one column at
// the sides.
void CToolBar::Layout()
{
    m_bDelayedButtonLayout = FALSE;
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
        CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    else if (bHorz)
        CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    else
        CalcDynamicLayout(0, LM_VERTDOCK | LM_COMMIT);
}

void CToolBar::OnPaint()
{
    if (m_bDelayedButtonLayout)
        Layout();
    Default();
}

// A style change lays the buttons out again before the next paint; new
// borders change the non-client area at once.
void CToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd != NULL && ((dwOldStyle ^ dwNewStyle) & (CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_FLOATING)))
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bDelayedButtonLayout = TRUE;
}

// The borders and gripper are the non-client area (the layout's inside).
void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(0, 0, 0, 0);
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CControlBar::CalcInsideRect(rect, bHorz);
    ShrinkClientRect(lpncsp, rect);
}

void CToolBar::OnNcPaint()
{
    EraseNonClient();
}

// A floating bar being resized repaints its buttons in their new rows.
void CToolBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    ::DefWindowProc(m_hWnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)lpWndPos);
    if ((m_dwStyle & CBRS_FLOATING) && !(lpWndPos->flags & SWP_NOSIZE))
        Invalidate();
}

LRESULT CToolBar::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

// Child controls first, then the buttons (separators are no tools).
INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    CToolBar* pBar = (CToolBar*)this;
    int nButtons = (int)pBar->DefWindowProc(TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < nButtons; i++) {
        CRect rect;
        TBBUTTON button;
        if (!pBar->DefWindowProc(TB_GETITEMRECT, (WPARAM)i, (LPARAM)&rect))
            continue;
        ++rect.bottom;
        ++rect.right;
        if (rect.PtInRect(point) && pBar->DefWindowProc(TB_GETBUTTON, (WPARAM)i, (LPARAM)&button) &&
            !(button.fsStyle & TBSTYLE_SEP)) {
            INT_PTR nID = (INT_PTR)button.idCommand;
            if (pTI != NULL) {
                pTI->hwnd = m_hWnd;
                pTI->rect = rect;
                pTI->uId = (UINT_PTR)nID;
                pTI->lpszText = LPSTR_TEXTCALLBACK;
            }
            return nID != 0 ? nID : -1;
        }
    }
    return -1;
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
    // the owning frame's status line (the main frame's for a floating bar)
    CCmdTarget* pTarget = GetUpdateTarget();
    CFrameWnd* pFrame = pTarget != NULL && ((CWnd*)pTarget)->IsFrameWnd() ? (CFrameWnd*)pTarget : NULL;
    if (pFrame == NULL || pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame = GetTopLevelFrame();
    if (pFrame == NULL)
        return FALSE;
    if ((pHot->dwFlags & HICF_LEAVING) || pHot->idNew == 0)
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    else
        pFrame->SetMessageText((UINT)pHot->idNew);
    return FALSE;   // the owner may want it too
}
