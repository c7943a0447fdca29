#include "OXCoolToolBar.h"

#include <algorithm>
#include <vector>

#include "OXBitmapButton.h"
#include "OXComCtlVersion.h"
#include "OXSizeDockBar.h"
#include "OXSkinnedApp.h"

namespace {

// The room a docked bar's gripper takes in front of its buttons: the marks
// of every skin fit in it.
const int kGripperRoom = 8;

CString ResourceKey(LPCTSTR lpszName)
{
    CString strKey;
    if (IS_INTRESOURCE(lpszName))
        strKey.Format("#%u", (UINT)(UINT_PTR)lpszName);
    else
        strKey = lpszName;
    return strKey;
}

// The command's string resource, and whether it has one.
BOOL LoadCommandString(UINT nID, CString& str)
{
    char szBuffer[256] = "";
    int n = ::LoadStringA(AfxGetResourceHandle(), nID, szBuffer, sizeof(szBuffer));
    str = szBuffer;
    return n > 0;
}

} // namespace

// ---------------------------------------------------------------------------
// CMFCToolBar
// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CMFCToolBar, CToolBar)

BOOL CMFCToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    dwStyle = (dwStyle & 0xFFFF2FFF) | CBRS_ALIGN_TOP;
    return CToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

// ---------------------------------------------------------------------------
// COXCoolToolBarCmdUI
// ---------------------------------------------------------------------------
void COXCoolToolBarCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CToolBar* pBar = (CToolBar*)m_pOther;
    int nState = (int)pBar->SendMessage(TB_GETSTATE, m_nID);
    if (nState == -1)
        return;
    int nNew = bOn ? (nState | TBSTATE_ENABLED) : (nState & ~TBSTATE_ENABLED);
    if (nNew != nState)
        pBar->SendMessage(TB_SETSTATE, m_nID, MAKELPARAM(nNew, 0));
}

void COXCoolToolBarCmdUI::SetCheck(int nCheck)
{
    CToolBar* pBar = (CToolBar*)m_pOther;
    int nState = (int)pBar->SendMessage(TB_GETSTATE, m_nID);
    if (nState == -1)
        return;
    int nNew = nState & ~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE);
    if (nCheck == 1)
        nNew |= TBSTATE_CHECKED;
    else if (nCheck == 2)
        nNew |= TBSTATE_INDETERMINATE;
    if (nNew != nState)
        pBar->SendMessage(TB_SETSTATE, m_nID, MAKELPARAM(nNew, 0));
}

// ---------------------------------------------------------------------------
// COXCoolToolBar
// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(COXCoolToolBar, CMFCToolBar)

DWORD COXCoolToolBar::s_dwComCtlVersion = 0;

BEGIN_MESSAGE_MAP(COXCoolToolBar, CMFCToolBar)
    ON_WM_NCCREATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETTINGCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_NOTIFY_REFLECT_EX(TBN_TOOLBARCHANGE, OnToolbarChange)
    ON_NOTIFY_REFLECT_EX(TBN_DROPDOWN, OnDropDown)
    ON_NOTIFY_REFLECT_EX(NM_CUSTOMDRAW, OnCustomDraw)
    ON_MESSAGE(TB_INSERTBUTTONA, OnInsertButton)
    ON_MESSAGE(TB_DELETEBUTTON, OnDeleteButton)
    ON_MESSAGE(TB_MOVEBUTTON, OnMoveButton)
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MBUTTONDOWN()
    ON_NOTIFY_REFLECT_EX(TBN_GETBUTTONINFOA, OnGetButtonInfo)
    ON_NOTIFY_REFLECT_EX(TBN_QUERYINSERT, OnQueryInsertDelete)
    ON_NOTIFY_REFLECT_EX(TBN_QUERYDELETE, OnQueryInsertDelete)
    ON_NOTIFY_REFLECT_EX(TBN_BEGINDRAG, OnBeginEndDrag)
    ON_NOTIFY_REFLECT_EX(TBN_ENDDRAG, OnBeginEndDrag)
    ON_COMMAND_RANGE(ID_OXCUSTTB_DELETE, ID_OXCUSTTB_SEPARATOR_AFTER, OnCustomizeCommand)
    ON_MESSAGE(SHBDTM_DRAGENTER, OnDropTargetEnter)
    ON_MESSAGE(SHBDTM_DRAGOVER, OnDropTargetOver)
    ON_MESSAGE(SHBDTM_DRAGLEAVE, OnDropTargetLeave)
    ON_MESSAGE(SHBDTM_DROP, OnDropTargetDrop)
END_MESSAGE_MAP()

COXCoolToolBar::COXCoolToolBar()
    : m_bDragging(FALSE), m_nDropDownArrowWidth(COXBitmapButton::MeasureDropDownArrowWidth()), m_nTextType(3),
      m_bCool(FALSE), m_bSeparator(TRUE), m_bDropDownArrow(FALSE), m_nIndent(0), m_nMinButtonWidth(-1),
      m_nMaxButtonWidth(-1), m_nLastFloating(3), m_dwLastDockSide((DWORD)-1), m_hIcon(NULL),
      m_nCustomizedButton(-1), m_bCustomizable(FALSE), m_bCustomizationMode(FALSE), m_hNotifyWnd(NULL),
      m_nSecondButtonIndex(-1), m_ptDragOffset(0, 0), m_bInternalChange(FALSE), m_bInRecalcLayout(FALSE),
      m_nDeferredUpdate(0), m_bDragAnywhere(TRUE), m_nDropDownButton(-1), m_nDropDownButtonCopy(-1),
      m_pCustomizeIds(NULL), m_nCustomizeIdCount(0), m_bDragOver(FALSE), m_bDragStarted(FALSE), m_pSkin(NULL)
{
    for (int i = 0; i < 4; ++i)
        m_clrText[i] = m_clrBk[i] = m_clrBorder[i] = CLR_DEFAULT;
    m_mapBitmaps.InitHashTable(17);
    m_mapImageLists.InitHashTable(17);
    GetComCtlVersion();
}

COXCoolToolBar::~COXCoolToolBar()
{
    POSITION pos = m_mapBitmaps.GetStartPosition();
    while (pos != NULL) {
        CString strKey;
        void* p = NULL;
        m_mapBitmaps.GetNextAssoc(pos, strKey, p);
        ::DeleteObject((HBITMAP)p);
    }
    pos = m_mapImageLists.GetStartPosition();
    while (pos != NULL) {
        CString strKey;
        void* p = NULL;
        m_mapImageLists.GetNextAssoc(pos, strKey, p);
        ImageList_Destroy((HIMAGELIST)p);
    }
    delete m_pSkin;
    for (CustomButtonControl* pClone : m_clones)
        delete pClone;
}

DWORD COXCoolToolBar::GetComCtlVersion()
{
    if (s_dwComCtlVersion == 0) {
        int nMajor = 0, nMinor = 0;
        if (SUCCEEDED(::GetComCtlVersion(&nMajor, &nMinor)))
            s_dwComCtlVersion = PackComCtlVersion(nMajor, nMinor);
        else
            s_dwComCtlVersion = 0x00040000;
    }
    return s_dwComCtlVersion;
}

BOOL COXCoolToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!IsComCtl471()) {
        if (!CToolBar::Create(pParentWnd, dwStyle, nID))
            return FALSE;
        ModifyStyle(0, TBSTYLE_FLAT);
    } else {
        if (!CToolBar::Create(pParentWnd, dwStyle | WS_CLIPCHILDREN, nID))
            return FALSE;
        ModifyStyle(0, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
        SetBorders(0, 0, 0, 0);
        DWORD dwExStyle = (DWORD)SendMessage(TB_GETEXTENDEDSTYLE);
        SendMessage(TB_SETEXTENDEDSTYLE, 0, dwExStyle | TBSTYLE_EX_DRAWDDARROWS);
        m_bDropDownArrow = TRUE;
        // In an MDI child the frame behind shows no bar colour.
        if (pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
            ModifyStyle(TBSTYLE_TRANSPARENT, 0);
    }
    m_dropTarget.Register(this);
    static const char szEmpty[2] = {0, 0};
    SendMessage(TB_ADDSTRINGA, 0, (LPARAM)szEmpty);
    return TRUE;
}

COXToolbarSkin* COXCoolToolBar::GetToolbarSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetToolbarSkin() != NULL)
        return pSkin->GetToolbarSkin();
    if (m_pSkin == NULL)
        m_pSkin = new COXToolbarSkinClassic;
    return m_pSkin;
}

// ---------------------------------------------------------------------------
// Properties
// ---------------------------------------------------------------------------
BOOL COXCoolToolBar::SetIndent(int nIndent)
{
    if (!SendMessage(TB_SETINDENT, nIndent))
        return FALSE;
    m_nIndent = nIndent;
    return TRUE;
}

BOOL COXCoolToolBar::SetButtonsMinMaxWidth(int nMinWidth, int nMaxWidth)
{
    if (!SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(nMinWidth, nMaxWidth)))
        return FALSE;
    m_nMinButtonWidth = nMinWidth;
    m_nMaxButtonWidth = nMaxWidth;
    return TRUE;
}

BOOL COXCoolToolBar::SetMaxTextRows(int nRows)
{
    return (BOOL)SendMessage(TB_SETMAXTEXTROWS, nRows);
}

void COXCoolToolBar::SetDropDownArrow(BOOL bDropDownArrow)
{
    m_bDropDownArrow = bDropDownArrow;
    if (IsComCtl471() && m_hWnd != NULL) {
        DWORD dwExStyle = (DWORD)SendMessage(TB_GETEXTENDEDSTYLE);
        dwExStyle = bDropDownArrow ? (dwExStyle | TBSTYLE_EX_DRAWDDARROWS) : (dwExStyle & ~TBSTYLE_EX_DRAWDDARROWS);
        SendMessage(TB_SETEXTENDEDSTYLE, 0, dwExStyle);
    }
}

BOOL COXCoolToolBar::IsDropDownArrow() const
{
    if (!IsComCtl471() || m_hWnd == NULL)
        return m_bDropDownArrow;
    return (::SendMessage(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS) != 0;
}

void COXCoolToolBar::SetInsertMark(int nButton, DWORD dwFlags)
{
    TBINSERTMARK mark = {nButton, dwFlags};
    SendMessage(TB_SETINSERTMARK, 0, (LPARAM)&mark);
}

int COXCoolToolBar::HitTest(CPoint point) const
{
    return (int)::SendMessage(m_hWnd, TB_HITTEST, 0, (LPARAM)&point);
}

BOOL COXCoolToolBar::MoveButton(UINT nOldPos, UINT nNewPos)
{
    return (BOOL)SendMessage(TB_MOVEBUTTON, nOldPos, nNewPos);
}

CString COXCoolToolBar::GetButtonTooltip(int nIndex) const
{
    CString str;
    if (!LoadCommandString(GetItemID(nIndex), str))
        return CString();
    int n = str.Find('\n');
    return n < 0 ? CString() : str.Mid(n + 1);
}

// ---------------------------------------------------------------------------
// Button texts
// ---------------------------------------------------------------------------
CString COXCoolToolBar::ButtonTextFor(int nTextType, const CString& strResource, BOOL bHasString,
                                      const CString& strMenu, BOOL bInMenu)
{
    switch (nTextType) {
    case OXTB_TEXT_PROMPT: {
        if (!bHasString)
            return CString();
        int n = strResource.Find('\n');
        return n < 0 ? strResource : strResource.Left(n);
    }
    case OXTB_TEXT_TOOLTIP: {
        int n = bHasString ? strResource.Find('\n') : -1;
        return n < 0 ? CString() : strResource.Mid(n + 1);
    }
    case OXTB_TEXT_MENU: {
        if (!bInMenu)
            return CString();
        int n = strMenu.Find('\t');
        return n < 0 ? strMenu : strMenu.Left(n);
    }
    default: return CString();
    }
}

void COXCoolToolBar::SetButtonTextFromID(UINT nFrom, UINT nTo, int nTextType)
{
    m_nTextType = NormalizeTextType(nTextType);
    if (m_nTextType == OXTB_TEXT_BYHAND || m_hWnd == NULL)
        return;
    CWnd* pMainWnd = AfxGetMainWnd();
    HMENU hMenu = pMainWnd != NULL && pMainWnd->m_hWnd != NULL ? ::GetMenu(pMainWnd->m_hWnd) : NULL;
    int nCount = (int)SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON button = {};
        GetButton(i, &button);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        UINT nID = (UINT)button.idCommand;
        if (nID < nFrom || nID > nTo)
            continue;
        CString strResource, strMenu;
        BOOL bHasString = FALSE, bInMenu = FALSE;
        if (m_nTextType == OXTB_TEXT_PROMPT || m_nTextType == OXTB_TEXT_TOOLTIP)
            bHasString = LoadCommandString(nID, strResource);
        if (m_nTextType == OXTB_TEXT_MENU && hMenu != NULL) {
            char szItem[256] = "";
            bInMenu = ::GetMenuStringA(hMenu, nID, szItem, sizeof(szItem), MF_BYCOMMAND) > 0;
            strMenu = szItem;
        }
        SetButtonText(i, ButtonTextFor(m_nTextType, strResource, bHasString, strMenu, bInMenu));
    }
    FollowSeparators();
}

BOOL COXCoolToolBar::OnToolbarChange(NMHDR*, LRESULT*)
{
    SetButtonTextFromID(0, 0xFFFF, m_nTextType);
    return FALSE;
}

BOOL COXCoolToolBar::OnDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTOOLBAR* pNMTB = (NMTOOLBAR*)pNMHDR;
    m_nDropDownButton = m_nDropDownButtonCopy = pNMTB->iItem;
    *pResult = 0;
    // the owner still hears it, to drop its menu
    return FALSE;
}

BOOL COXCoolToolBar::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    GetToolbarSkin()->OnCustomDraw(pNMHDR, pResult, this);
    return TRUE;
}

void COXCoolToolBar::UpdateSizes()
{
    DWORD dwSize = (DWORD)SendMessage(TB_GETBUTTONSIZE);
    SetSizes(CSize(LOWORD(dwSize), HIWORD(dwSize)), m_sizeImage);
    SendMessage(TB_AUTOSIZE);
    FollowSeparators();
}

// Texts and button sizes move the buttons, and with them the separators that
// carry controls; the controls go along now, not when an idle update after
// the bar's next move re-places them (a visible jump). Within an internal
// change the one who made it places them.
void COXCoolToolBar::FollowSeparators()
{
    if (!m_bInternalChange && m_hWnd != NULL && !m_mapCustomButtons.empty())
        UpdateCustomButtons();
}

void COXCoolToolBar::RedrawToolBar(BOOL bRecalcLayout, BOOL bRecalcNC)
{
    if (m_bInternalChange || m_hWnd == NULL)
        return;
    UpdateCustomButtons();
    if (!IsWindowVisible())
        return;
    if (bRecalcLayout) {
        m_bInRecalcLayout = TRUE;
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != NULL)
            pFrame->RecalcLayout();
        m_bInRecalcLayout = FALSE;
        int nCount = (int)SendMessage(TB_BUTTONCOUNT);
        for (int i = 0; i < nCount; ++i) {
            CRect rect;
            GetItemRect(i, rect);
            RedrawWindow(rect, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        ValidateRect(NULL);
    } else if (!bRecalcNC) {
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (bRecalcNC)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

// ---------------------------------------------------------------------------
// Resources
// ---------------------------------------------------------------------------
HBITMAP COXCoolToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    CString strKey = ResourceKey(lpszResourceName);
    void* p = NULL;
    if (m_mapBitmaps.Lookup(strKey, p))
        return (HBITMAP)p;
    HBITMAP hBitmap = ::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName);
    if (hBitmap != NULL)
        m_mapBitmaps.SetAt(strKey, hBitmap);
    return hBitmap;
}

HIMAGELIST COXCoolToolBar::LoadImageList(LPCTSTR lpszResourceName, int cx, int nGrow, COLORREF crMask, UINT uType,
                                         UINT uFlags)
{
    CString strKey = ResourceKey(lpszResourceName);
    void* p = NULL;
    if (m_mapImageLists.Lookup(strKey, p))
        return (HIMAGELIST)p;
    HIMAGELIST hList = ImageList_LoadImageA(AfxGetResourceHandle(), lpszResourceName, cx, nGrow, crMask, uType,
                                            uFlags);
    if (hList != NULL)
        m_mapImageLists.SetAt(strKey, hList);
    return hList;
}

HIMAGELIST COXCoolToolBar::CreateImageList(LPCTSTR lpszResourceName, int cx, COLORREF crMask, UINT uFlags,
                                           int nInitial, int nGrow)
{
    CString strKey = ResourceKey(lpszResourceName);
    void* p = NULL;
    if (m_mapImageLists.Lookup(strKey, p))
        return (HIMAGELIST)p;
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), lpszResourceName, IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION);
    if (hBitmap == NULL)
        return NULL;
    BITMAP bm = {};
    ::GetObject(hBitmap, sizeof(bm), &bm);
    HIMAGELIST hList = ImageList_Create(cx, bm.bmHeight, uFlags, nInitial, nGrow);
    if (hList != NULL && ImageList_AddMasked(hList, hBitmap, crMask) == -1) {
        ImageList_Destroy(hList);
        hList = NULL;
    }
    ::DeleteObject(hBitmap);
    if (hList != NULL)
        m_mapImageLists.SetAt(strKey, hList);
    return hList;
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------
int COXCoolToolBar::ButtonWidth(const TBBUTTON& button, const WidthRule& rule, int cxItemRect)
{
    if (button.fsStyle & TBSTYLE_SEP)
        return button.iBitmap;
    if (button.fsStyle & TBSTYLE_AUTOSIZE)
        return cxItemRect;
    int cx = rule.cxButton;
    if ((button.fsStyle & TBSTYLE_DROPDOWN) && rule.bDropDownArrows)
        cx += rule.cxArrow;
    return cx;
}

int COXCoolToolBar::WrappedSeparatorHeight(const TBBUTTON& button, const WidthRule& rule)
{
    if (!rule.bFlat || !rule.bComCtl471)
        return button.iBitmap * 2 / 3;
    return button.iBitmap;
}

CSize COXCoolToolBar::EmptyBarSize(CSize sizeButton, BOOL bFloating, BOOL bHorz)
{
    if (bFloating)
        return sizeButton;
    return bHorz ? CSize(sizeButton.cx / 2, sizeButton.cy) : CSize(sizeButton.cx, sizeButton.cy / 2);
}

COXCoolToolBar::WidthRule COXCoolToolBar::CurrentWidthRule()
{
    WidthRule rule;
    DWORD dwSize = m_hWnd != NULL ? (DWORD)SendMessage(TB_GETBUTTONSIZE) : 0;
    rule.cxButton = LOWORD(dwSize) != 0 ? LOWORD(dwSize) : m_sizeButton.cx;
    rule.bFlat = m_hWnd != NULL && IsFlat();
    rule.bComCtl471 = IsComCtl471();
    rule.bDropDownArrows = m_hWnd != NULL && IsDropDownArrow();
    if (!rule.bFlat && !rule.bComCtl471)
        m_nDropDownArrowWidth = COXBitmapButton::MeasureDropDownArrowWidth();
    rule.cxArrow = m_nDropDownArrowWidth;
    return rule;
}

int COXCoolToolBar::GetLayoutWidth(int nIndex, const TBBUTTON& button, CSize sizeButton)
{
    WidthRule rule = CurrentWidthRule();
    rule.cxButton = sizeButton.cx;
    int cxItem = 0;
    if (button.fsStyle & TBSTYLE_AUTOSIZE) {
        CRect rect;
        SendMessage(TB_GETITEMRECT, nIndex, (LPARAM)&rect);
        cxItem = rect.Width();
    }
    return ButtonWidth(button, rule, cxItem);
}

int COXCoolToolBar::GetWrappedSeparatorHeight(const TBBUTTON& button)
{
    return WrappedSeparatorHeight(button, CurrentWidthRule());
}

// The first button starts at the indent.
CSize COXCoolToolBar::CalcSize(TBBUTTON* pData, int nCount)
{
    CSize size = CMFCToolBar::CalcSize(pData, nCount);
    size.cx += m_nIndent;
    return size;
}

int COXCoolToolBar::WrapToolBar(TBBUTTON* pData, int nCount, int nWidth)
{
    return CMFCToolBar::WrapToolBar(pData, nCount, nWidth - m_nIndent);
}

int COXCoolToolBar::DockRowLength() const
{
    if (m_pDockBar == NULL || m_pDockBar->m_hWnd == NULL || (m_dwStyle & CBRS_FLOATING) ||
        !(m_dwStyle & CBRS_ORIENT_HORZ))
        return 0;
    // The frame's width is the row's even while a shrinking frame lays out
    // its dock bars, which still have their old width.
    CWnd* pSite = m_pDockBar->GetParent();
    CRect rect;
    (pSite != NULL ? pSite : (CWnd*)m_pDockBar)->GetClientRect(rect);
    return rect.Width();
}

// One row, as a bar docked along the top or the bottom is laid out, is at
// most as long as the row it docks in: a longer bar wraps into more rows
// rather than run past the frame's edge.
void COXCoolToolBar::SizeToolBar(TBBUTTON* pData, int nCount, int nLength, BOOL bVert)
{
    if (!bVert && nLength == 32767) {
        const int nRow = DockRowLength();
        if (nRow > 0) {
            CRect rectInside(0, 0, 0, 0);
            CalcInsideRect(rectInside, TRUE);
            nLength = std::max(nRow + rectInside.Width(), 0);
        }
    }
    CMFCToolBar::SizeToolBar(pData, nCount, nLength, bVert);
}

// The framework's layout, over this bar's widths; a bar without buttons
// keeps a place the size of part of a button.
CSize COXCoolToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    if (m_hWnd != NULL && DefWindowProc(TB_BUTTONCOUNT, 0, 0) > 0)
        return CMFCToolBar::CalcLayout(dwMode, nLength);
    DWORD dwSize = m_hWnd != NULL ? (DWORD)SendMessage(TB_GETBUTTONSIZE) : 0;
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    CSize size = EmptyBarSize(CSize(LOWORD(dwSize), HIWORD(dwSize)), (m_dwStyle & CBRS_FLOATING) != 0, bHorz);
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    size -= rectInside.Size();
    CSize sizeMin = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
    return CSize(std::max(size.cx, sizeMin.cx), std::max(size.cy, sizeMin.cy));
}

CSize COXCoolToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    DWORD dwMode = bStretch ? LM_STRETCH : 0;
    dwMode |= bHorz ? LM_HORZ : 0;
    return CalcLayout(dwMode);
}

CSize COXCoolToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (nLength != -1 || (dwMode & (LM_MRUWIDTH | LM_COMMIT)) || !(dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcLayout(dwMode, nLength);
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
}

void COXCoolToolBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER) {
        if (bHorz)
            rect.left += kGripperRoom - 7;
        else
            rect.top += kGripperRoom - 7;
    }
}

// ---------------------------------------------------------------------------
// Non-client area and painting
// ---------------------------------------------------------------------------
BOOL COXCoolToolBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (m_bCool)
        return (BOOL)::DefWindowProc(m_hWnd, WM_NCCREATE, 0, (LPARAM)lpCreateStruct);
    return CMFCToolBar::OnNcCreate(lpCreateStruct);
}

void COXCoolToolBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    if (m_bCool)
        ::DefWindowProc(m_hWnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)lpWndPos);
    else
        CMFCToolBar::OnWindowPosChanging(lpWndPos);
}

void COXCoolToolBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    RECT& rc = lpncsp->rgrc[0];
    if (m_bCool) {
        ::DefWindowProc(m_hWnd, WM_NCCALCSIZE, bCalcValidRects, (LPARAM)lpncsp);
        if (IsFlat()) {
            if (bHorz)
                rc.right += 2;
            else
                rc.bottom += 2;
        }
    } else {
        CRect rect(0, 0, 0, 0);
        CalcInsideRect(rect, bHorz);
        ShrinkClientRect(lpncsp, rect);
    }
    if (m_hIcon != NULL) {
        if (bHorz)
            rc.left = std::min<LONG>(rc.right, rc.left + ::GetSystemMetrics(SM_CXSMICON) + 2);
        else
            rc.top = std::min<LONG>(rc.bottom, rc.top + ::GetSystemMetrics(SM_CYSMICON) + 2);
    }
    CRect rectMargins(0, 0, 0, 0);
    GetBorderMargins(rectMargins, bHorz);
    rc.left += rectMargins.left;
    rc.top += rectMargins.top;
    rc.right -= rectMargins.right;
    rc.bottom -= rectMargins.bottom;
}

CRect COXCoolToolBar::WindowRectAtOrigin() const
{
    CRect rect;
    GetWindowRect(rect);
    rect.OffsetRect(-rect.left, -rect.top);
    return rect;
}

void COXCoolToolBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow = WindowRectAtOrigin();
    dc.ExcludeClipRect(COXToolbarSkin::ClientInWindow(this));
    GetToolbarSkin()->DrawNonClientArea(&dc, rectWindow, this);
    if (m_bCool)
        Default();
    if (IsFlat() && (m_dwStyle & CBRS_GRIPPER))
        DrawGripper(&dc, rectWindow);
    CRect rect(rectWindow);
    DrawIcon(&dc, rect);
    DrawNonClientExtra(&dc, rect);
}

void COXCoolToolBar::DrawNonClientBackground()
{
    CWindowDC dc(this);
    CRect rectWindow = WindowRectAtOrigin();
    if (!m_bCool) {
        DrawBorders(&dc, rectWindow);
        if (!(m_dwStyle & CBRS_BORDER_3D))
            rectWindow.InflateRect(1, 1);
    }
    dc.IntersectClipRect(rectWindow);
    dc.ExcludeClipRect(COXToolbarSkin::ClientInWindow(this));
    SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC);
}

void COXCoolToolBar::DrawBorders(CDC* pDC, CRect& rect)
{
    CControlBar::DrawBorders(pDC, rect);
}

void COXCoolToolBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    GetToolbarSkin()->DrawGripper(pDC, rect, this);
}

void COXCoolToolBar::DrawSeparator(CDC* pDC, CRect& rect)
{
    GetToolbarSkin()->DrawSeparator(pDC, rect, this);
}

void COXCoolToolBar::DrawDragRect(CDC* pDC, const CRect& rect)
{
    GetToolbarSkin()->DrawDragRect(pDC, rect);
}

void COXCoolToolBar::DrawIcon(CDC* pDC, CRect& rect)
{
    if (m_hIcon == NULL)
        return;
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    // A bar docked at the very start of its dock bar leaves room for the
    // dock bar's edge.
    BOOL bAtStart = FALSE;
    if (m_pDockBar != NULL && !IsFloating()) {
        CRect rectBar, rectDock;
        GetWindowRect(rectBar);
        m_pDockBar->GetClientRect(rectDock);
        m_pDockBar->ClientToScreen(rectDock);
        bAtStart = (m_dwStyle & CBRS_ORIENT_HORZ) ? rectBar.left <= rectDock.left : rectBar.top <= rectDock.top;
    }
    const int nOffset = bAtStart ? 10 : 3;
    CPoint pt;
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        pt = CPoint(rect.left + nOffset, rect.top + (rect.Height() - cy) / 2);
        rect.left = pt.x + cx + 1;
    } else {
        pt = CPoint(rect.left + (rect.Width() - cx) / 2, rect.top + nOffset);
        rect.top = pt.y + cy + 1;
    }
    ::DrawIconEx(pDC->m_hDC, pt.x, pt.y, m_hIcon, cx, cy, 0, NULL, DI_NORMAL);
}

void COXCoolToolBar::OnPaint()
{
    if (IsComCtl471() || !m_bCool) {
        CMFCToolBar::OnPaint();
        return;
    }
    Default();
}

BOOL COXCoolToolBar::OnEraseBkgnd(CDC* pDC)
{
    if (GetToolbarSkin()->UseDefaultEraseBkgnd())
        return CMFCToolBar::OnEraseBkgnd(pDC);
    return FALSE;
}

// ---------------------------------------------------------------------------
// Position changes and idle update
// ---------------------------------------------------------------------------
void COXCoolToolBar::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    if (m_pDockContext != NULL)
        m_pDockContext->m_bDragging = FALSE;
    CMFCToolBar::OnWindowPosChanged(lpWndPos);
    const int nFloating = (m_dwStyle & CBRS_FLOATING) ? 1 : 0;
    const DWORD dwSide = m_dwStyle & CBRS_ALIGN_ANY;
    if (nFloating != m_nLastFloating) {
        m_nLastFloating = nFloating;
        m_dwLastDockSide = dwSide;
        OnFloatingDocking(nFloating);
    } else if (dwSide != m_dwLastDockSide) {
        m_dwLastDockSide = dwSide;
        OnChangeDockSide(dwSide);
    }
    m_nDeferredUpdate |= 2;
    // A docked bar of a new length may wrap otherwise: its buttons follow
    // before it paints.
    if (!(lpWndPos->flags & SWP_NOSIZE) && DockRowLength() > 0) {
        m_bDelayedButtonLayout = TRUE;
        Invalidate();
    }
    SendMessage(WM_NCPAINT);
}

void COXCoolToolBar::OnFloatingDocking(BOOL)
{
    if (!m_mapCustomButtons.empty())
        UpdateCustomButtons();
}

void COXCoolToolBar::OnChangeDockSide(DWORD)
{
    if (!m_mapCustomButtons.empty())
        m_nDeferredUpdate |= 1;
}

void COXCoolToolBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    m_nDropDownArrowWidth = COXBitmapButton::MeasureDropDownArrowWidth();
    RedrawToolBar(TRUE, FALSE);
    CMFCToolBar::OnSettingChange(uFlags, lpszSection);
}

LRESULT COXCoolToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (IsWindowVisible()) {
        UINT nDeferred = m_nDeferredUpdate;
        m_nDeferredUpdate = 0;
        if (nDeferred & 1)
            RedrawToolBar(TRUE, FALSE);
        if (nDeferred & 2)
            UpdateCustomButtons();
    }
    return CMFCToolBar::OnIdleUpdateCmdUI(wParam, lParam);
}

void COXCoolToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    COXCoolToolBarCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)SendMessage(TB_BUTTONCOUNT);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        TBBUTTON button;
        GetButton((int)state.m_nIndex, &button);
        // a separator carries a control when it has a command id
        if ((button.fsStyle & TBSTYLE_SEP) && button.idCommand == 0)
            continue;
        state.m_nID = (UINT)button.idCommand;
        if (CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

// ---------------------------------------------------------------------------
// Docking and the drag by the surface
// ---------------------------------------------------------------------------
void COXCoolToolBar::EnableDocking(DWORD dwDockStyle)
{
    if (m_pDockSite == NULL)
        m_pDockSite = GetParentFrame();
    CControlBar::EnableDocking(dwDockStyle);
}

void COXCoolToolBar::DockInto(CDockBar* pDockBar)
{
    if (pDockBar == NULL || m_pDockSite == NULL)
        return;
    m_pDockSite->RecalcLayout();
    CRect rect;
    pDockBar->GetWindowRect(rect);
    rect.OffsetRect(1, 0);
    const DWORD dwStyle = pDockBar->m_dwStyle;
    UINT nID = (dwStyle & CBRS_ALIGN_TOP)      ? AFX_IDW_DOCKBAR_TOP
               : (dwStyle & CBRS_ALIGN_BOTTOM) ? AFX_IDW_DOCKBAR_BOTTOM
               : (dwStyle & CBRS_ALIGN_LEFT)   ? AFX_IDW_DOCKBAR_LEFT
                                               : AFX_IDW_DOCKBAR_RIGHT;
    m_pDockSite->DockControlBar(this, nID, &rect);
}

BOOL COXCoolToolBar::IsInsideTool(CPoint point) const
{
    int nHit = HitTest(point);
    if (nHit < 0)
        return FALSE;
    TBBUTTON button = {};
    ::SendMessage(m_hWnd, TB_GETBUTTON, nHit, (LPARAM)&button);
    return !(button.fsStyle & TBSTYLE_SEP);
}

void COXCoolToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bCustomizationMode && m_bCustomizable) {
        // The control drags its buttons itself; a press it leaves behind on
        // the selection goes. It takes the mouse for the release, which
        // this mode swallows: the mouse goes back at once, or every later
        // click in the program would come here.
        const HWND hCaptureBefore = ::GetCapture();
        int nSelected = CustomizeHit(point);
        SetCustomizedButton(nSelected);
        Default();
        if (::GetCapture() == m_hWnd && hCaptureBefore != m_hWnd)
            ::ReleaseCapture();
        if (nSelected >= 0) {
            int nState = (int)SendMessage(TB_GETSTATE, GetItemID(nSelected));
            if (nState != -1 && (nState & TBSTATE_PRESSED))
                SendMessage(TB_SETSTATE, GetItemID(nSelected), MAKELPARAM(nState & ~TBSTATE_PRESSED, 0));
        }
        return;
    }
    const BOOL bOnTool = IsInsideTool(point);
    if (!bOnTool && !m_bDragAnywhere)
        return;
    CWnd* pMainWnd = AfxGetMainWnd();
    LRESULT lOwnDrag = pMainWnd != NULL && pMainWnd->m_hWnd != NULL ? pMainWnd->SendMessage(WM_QUERYSIZEDOCKDRAG)
                                                                    : 0;
    if (lOwnDrag == 0) {
        CMFCToolBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (m_pDockBar != NULL && !bOnTool) {
        CRect rectWindow;
        GetWindowRect(rectWindow);
        CPoint ptScreen(point);
        ClientToScreen(&ptScreen);
        m_ptDragOffset = ptScreen - rectWindow.TopLeft();
        SetCapture();
        m_bDragging = TRUE;
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
        return;
    }
    Default();
}

void COXCoolToolBar::BeginCaptionDrag(CPoint point)
{
    m_ptDragOffset = point;
    ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
}

BOOL COXCoolToolBar::PumpPaints()
{
    MSG msg;
    // A quit asked for while the bar moves ends the drag and still ends
    // the program: it goes back in the queue.
    if (::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        ::PostQuitMessage((int)msg.wParam);
        return FALSE;
    }
    while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessage(&msg);
    return TRUE;
}

void COXCoolToolBar::DragTo(CPoint ptScreen, UINT nFlags)
{
    if (m_pDockSite == NULL)
        return;
    CPoint ptFloat = ptScreen;
    if (m_pDockContext != NULL) {
        ptFloat -= m_ptDragOffset;
        // A size dock bar under the pointer takes the bar where it is
        // dragged to, keeping its size; Ctrl keeps it floating.
        COXSizeDockBar* pDockBar = COXSizeDockBar::FindDockBarAt(ptScreen, this);
        if (pDockBar != NULL && !(nFlags & MK_CONTROL)) {
            CSize size = CalcFixedLayout(FALSE, pDockBar->IsHorzDockBar());
            if (!IsFloating()) {
                CRect rectNow;
                GetWindowRect(rectNow);
                size = rectNow.Size();
            }
            CRect rect(ptFloat, size);
            pDockBar->DockBarAt(this, &rect);
            m_pDockSite->RecalcLayout(TRUE);
            if (m_bDragging && ::GetCapture() != m_hWnd)
                SetCapture();
            return;
        }
    }
    m_pDockSite->FloatControlBar(this, ptFloat, CBRS_ALIGN_TOP);
    if (m_bDragging && ::GetCapture() != m_hWnd)
        SetCapture();
}

void COXCoolToolBar::EndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void COXCoolToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bCustomizationMode && m_bCustomizable)
        return;
    if (!m_bDragging) {
        CMFCToolBar::OnMouseMove(nFlags, point);
        return;
    }
    if (!(nFlags & MK_LBUTTON)) {
        EndDrag();
        return;
    }
    if (!PumpPaints()) {
        EndDrag();
        return;
    }
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    DragTo(ptScreen, nFlags);
}

void COXCoolToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCustomizationMode && m_bCustomizable)
        return;
    if (m_bDragging) {
        EndDrag();
        return;
    }
    CMFCToolBar::OnLButtonUp(nFlags, point);
    SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}

void COXCoolToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_bCustomizationMode && m_bCustomizable)
        return;
    if (!IsInsideTool(point) && !m_bDragAnywhere)
        return;
    CMFCToolBar::OnLButtonDblClk(nFlags, point);
}

void COXCoolToolBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bDragging && (pWnd == NULL || pWnd->m_hWnd != m_hWnd))
        m_bDragging = FALSE;
    CMFCToolBar::OnCaptureChanged(pWnd);
}

void COXCoolToolBar::OnCancelMode()
{
    EndDrag();
    CMFCToolBar::OnCancelMode();
}
