#include "OXMenuBar.h"

#include <algorithm>

#include "OXBitmapMenu.h"
#include "OXBitmapMenuOrganizer.h"
#include "OXCommandDragData.h"
#include "OXMenuSkin.h"
#include "OXSkinnedApp.h"
#include "OXSkins.h"
#include "toolkit_res.h"

IMPLEMENT_DYNAMIC(COXMenuBar, COXCoolToolBar)

HHOOK COXMenuBar::s_hMouseHook = NULL;
HWND COXMenuBar::s_hWndUnderMouse = NULL;
HWND COXMenuBar::s_hWndSavedFocus = NULL;
HHOOK COXMenuBar::s_hFilterHook = NULL;
COXMenuBar* COXMenuBar::s_pTrackingBar = NULL;

namespace {
const UINT_PTR kDragTimer = 412;
const UINT kDragDelay = 200;
const char kDefaultSection[] = "Menu_Default~!@#$#$%^";
const char kDataSizeEntry[] = "MenuDataSize";
const char kItemsEntry[] = "MenuItems";
// Ids of the MDI window list the MDI client appends to its window menu.
const UINT kFirstMDIChild = 0xFF00;

BOOL IsPopupId(UINT nID) { return nID == (UINT)-1 || nID == 0xFFFF; }
}   // namespace

COXMenuBar::COXMenuBar()
    : m_hWindowMenu(NULL), m_hMenu(NULL), m_nPopupItem(-1), m_nNextPopupItem(-1), m_nClosedItem(-1),
      m_bAlwaysFullLength(FALSE), m_bReturnToMenuMode(FALSE), m_bStretch(TRUE), m_pFrameWnd(NULL),
      m_mapMnemonics(10), m_nPressedMDIItem(-1), m_bMenuMode(FALSE), m_bFontCreated(FALSE),
      m_mapMenuTemplates(10), m_mapModifiedMenus(10), m_nDragTimer(0), m_nDragItem(-1), m_pMenuSkin(NULL),
      m_rectIcon(0, 0, 0, 0)
{
    if (GetComCtlVersion() < 0x00040047)
        AfxThrowNotSupportedException();
    m_mapMnemonics.InitHashTable(17);
    m_mapMenuTemplates.InitHashTable(17);
    m_mapModifiedMenus.InitHashTable(17);
}

COXMenuBar::~COXMenuBar()
{
    for (INT_PTR i = m_arrCreatedMenus.GetSize() - 1; i >= 0; --i)
        if (::IsMenu(m_arrCreatedMenus[i]))
            ::DestroyMenu(m_arrCreatedMenus[i]);
    m_arrCreatedMenus.RemoveAll();
    delete m_pMenuSkin;
    m_mapMnemonics.RemoveAll();
    m_mapMenuTemplates.RemoveAll();
    m_mapModifiedMenus.RemoveAll();
    if (m_fontMenu.GetSafeHandle() != NULL)
        m_fontMenu.DeleteObject();
}

BOOL COXMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (m_sizeImage.cx == 0 || m_sizeImage.cy == 0 || m_sizeButton.cx == 0 || m_sizeButton.cy == 0) {
        m_sizeImage = CSize(16, 15);
        m_sizeButton = CSize(23, 22);
    }
    if (!COXCoolToolBar::Create(pParentWnd, dwStyle, nID))
        return FALSE;
    if (GetComCtlVersion() > 0x00040046) {
        DWORD dwEx = (DWORD)SendMessage(TB_GETEXTENDEDSTYLE);
        SendMessage(TB_SETEXTENDEDSTYLE, 0, dwEx & ~TBSTYLE_EX_DRAWDDARROWS);
    }
    SendMessage(TB_SETBITMAPSIZE, 0, 0);
    SetWindowText("");
    m_pFrameWnd = pParentWnd;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Rules free of windows
// ---------------------------------------------------------------------------
int COXMenuBar::LayoutMDIButtons(BOOL bHorz, int cxWindow, int cyWindow, BOOL bBoxes, CRect& rectClose,
                                 CRect& rectRestore, CRect& rectMinimize)
{
    rectClose.SetRectEmpty();
    rectRestore.SetRectEmpty();
    rectMinimize.SetRectEmpty();
    const int T = bHorz ? cyWindow : cxWindow;
    const int S = std::min(T, 18);
    const int c = T > 18 ? (T - 18 + 1) / 2 : 0;
    if (bHorz)
        rectClose.SetRect(cxWindow - S - 2, c + 2, cxWindow - 4, c + S - 2);
    else
        rectClose.SetRect(c + 2, cyWindow - S - 2, c + S - 2, cyWindow - 4);
    int nExtra = S + 2;
    if (bBoxes) {
        rectRestore = rectClose;
        rectMinimize = rectClose;
        if (bHorz) {
            rectRestore.OffsetRect(-S, 0);
            rectMinimize.OffsetRect(-S - (S - 2), 0);
        } else {
            rectRestore.OffsetRect(0, -S);
            rectMinimize.OffsetRect(0, -S - (S - 2));
        }
        nExtra += 2 * S;
    }
    return nExtra + 6;
}

int COXMenuBar::PreviousPosition(int nPos, int nCount, BOOL bIcon)
{
    if (nPos == -1)
        return bIcon ? nCount : 0;
    if (nPos > 0)
        return nPos - 1;
    return bIcon ? nCount : std::max(nCount - 1, 0);
}

int COXMenuBar::NextPosition(int nPos, int nCount, BOOL bIcon)
{
    if (nPos == -1)
        return bIcon ? nCount : 0;
    const int nLast = bIcon ? nCount : nCount - 1;
    return nPos >= nLast ? 0 : nPos + 1;
}

BYTE COXMenuBar::FoldMnemonic(BYTE ch)
{
    char sz[2] = {(char)ch, 0};
    ::CharUpperBuffA(sz, 1);
    return (BYTE)sz[0];
}

BYTE COXMenuBar::MnemonicOf(LPCTSTR lpszText)
{
    const BYTE ch = COXBitmapMenu::AccessKeyOf(lpszText);
    return ch != 0 ? FoldMnemonic(ch) : 0;
}

namespace {

void PutDword(std::vector<BYTE>& out, DWORD dw)
{
    for (int i = 0; i < 4; ++i)
        out.push_back((BYTE)(dw >> (8 * i)));
}

// A string as an archive writes it: a length byte, or 0xFF and a wider one.
void PutString(std::vector<BYTE>& out, const std::string& s)
{
    const size_t n = s.size();
    if (n < 0xFF) {
        out.push_back((BYTE)n);
    } else if (n < 0xFFFE) {
        out.push_back(0xFF);
        out.push_back((BYTE)n);
        out.push_back((BYTE)(n >> 8));
    } else {
        out.push_back(0xFF);
        out.push_back(0xFF);
        out.push_back(0xFF);
        PutDword(out, (DWORD)n);
    }
    out.insert(out.end(), s.begin(), s.end());
}

// A bounded cursor over bytes from outside.
struct CReader
{
    const BYTE* p;
    UINT nLeft;
    BOOL Dword(DWORD& dw)
    {
        if (nLeft < 4)
            return FALSE;
        dw = (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
        p += 4;
        nLeft -= 4;
        return TRUE;
    }
    BOOL Skip(UINT n)
    {
        if (nLeft < n)
            return FALSE;
        p += n;
        nLeft -= n;
        return TRUE;
    }
    BOOL ArchiveString(std::string& s)
    {
        if (nLeft < 1)
            return FALSE;
        DWORD n = *p++;
        --nLeft;
        if (n == 0xFF) {
            if (nLeft < 2)
                return FALSE;
            n = (DWORD)p[0] | ((DWORD)p[1] << 8);
            p += 2;
            nLeft -= 2;
            if (n == 0xFFFE)   // a wide string: not one this program writes
                return FALSE;
            if (n == 0xFFFF && !Dword(n))
                return FALSE;
        }
        if (n > nLeft)
            return FALSE;
        s.assign((const char*)p, n);
        p += n;
        nLeft -= n;
        return TRUE;
    }
    BOOL CString0(std::string& s)
    {
        const BYTE* pEnd = (const BYTE*)memchr(p, 0, nLeft);
        if (pEnd == NULL)
            return FALSE;
        s.assign((const char*)p, pEnd - p);
        const UINT n = (UINT)(pEnd - p) + 1;
        p += n;
        nLeft -= n;
        return TRUE;
    }
};

void WriteLevel(HMENU hMenu, std::vector<BYTE>& out, int nDepth)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hMenu));
    std::vector<std::pair<MENUITEMINFOA, std::string>> items;
    for (int i = 0; i < std::max(nCount, 0); ++i) {
        char szText[512] = "";
        MENUITEMINFOA mii;
        if (!OXGetMenuItem(hMenu, i, mii, szText, sizeof(szText)))
            continue;
        std::string strText = (mii.fType & MFT_SEPARATOR) ? "" : szText;
        // A converted item keeps its text in its data; it is saved as the
        // plain string it was.
        if ((mii.fType & MFT_OWNERDRAW) && pBitmapMenu != NULL && mii.dwItemData != 0) {
            strText = (LPCTSTR)((COXItemInfo*)mii.dwItemData)->GetText();
            mii.fType = (mii.fType & ~(MFT_OWNERDRAW | MFT_BITMAP)) | MFT_STRING;
        }
        if (mii.wID == ID_OX_SHOWALLITEMS)
            continue;
        items.push_back({mii, strText});
    }
    PutDword(out, (DWORD)items.size());
    for (auto& item : items) {
        const MENUITEMINFOA& mii = item.first;
        const BOOL bPopup = mii.hSubMenu != NULL && nDepth < COXMenuBar::kMaxMenuDepth;
        PutDword(out, mii.fType);
        PutDword(out, bPopup ? 1 : 0);
        PutDword(out, bPopup ? (DWORD)-1 : mii.wID);
        PutString(out, item.second);
        if (bPopup)
            WriteLevel(mii.hSubMenu, out, nDepth + 1);
    }
}

BOOL ReadLevel(CReader& r, std::vector<OXMENUBARITEM>& items, int nDepth)
{
    if (nDepth > COXMenuBar::kMaxMenuDepth)
        return FALSE;
    DWORD nCount;
    if (!r.Dword(nCount))
        return FALSE;
    // Every item takes at least 13 bytes: a count beyond them is a lie.
    if (nCount > r.nLeft / 13)
        return FALSE;
    items.resize(nCount);
    for (OXMENUBARITEM& item : items) {
        DWORD dwType, dwPopup, dwID;
        if (!r.Dword(dwType) || !r.Dword(dwPopup) || !r.Dword(dwID) || !r.ArchiveString(item.strText))
            return FALSE;
        if (dwPopup > 1)
            return FALSE;
        item.nType = dwType;
        item.bPopup = dwPopup != 0;
        item.nID = dwID;
        if (item.bPopup && !ReadLevel(r, item.children, nDepth + 1))
            return FALSE;
    }
    return TRUE;
}

// Dropped command records as the items they insert.
std::vector<OXMENUBARITEM> ItemsFromRecords(const std::vector<OXCOMMANDDATAITEM>& records)
{
    std::vector<OXMENUBARITEM> items;
    for (const OXCOMMANDDATAITEM& record : records) {
        OXMENUBARITEM item;
        item.nID = (UINT)record.nCommandId;
        item.bPopup = record.nCommandId == -1;
        item.nType = record.nCommandId == 0 ? MFT_SEPARATOR : MFT_STRING;
        item.strText = (LPCTSTR)record.sText;
        item.children = ItemsFromRecords(record.arrItems);
        items.push_back(item);
    }
    return items;
}

}   // namespace

std::vector<BYTE> COXMenuBar::WriteMenuBlock(HMENU hMenu)
{
    std::vector<BYTE> out;
    WriteLevel(hMenu, out, 0);
    return out;
}

BOOL COXMenuBar::ReadMenuBlock(const BYTE* pData, UINT nBytes, std::vector<OXMENUBARITEM>& items)
{
    std::vector<OXMENUBARITEM> read;
    CReader r = {pData, pData != NULL ? nBytes : 0};
    if (!ReadLevel(r, read, 0))
        return FALSE;
    items.swap(read);
    return TRUE;
}

CString COXMenuBar::SectionFor(LPCTSTR pszDocClass)
{
    if (pszDocClass == NULL || *pszDocClass == 0)
        return kDefaultSection;
    return CString("Menu_") + pszDocClass;
}

// ---------------------------------------------------------------------------
// Finding frames, documents and bars
// ---------------------------------------------------------------------------
COXMenuBar* COXMenuBar::FindMenuBar(CWnd* pWnd)
{
    if (pWnd == NULL)
        pWnd = AfxGetMainWnd();
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return NULL;
    if (COXMenuBar* pBar = DYNAMIC_DOWNCAST(COXMenuBar, CWnd::FromHandlePermanent(pWnd->m_hWnd)))
        return pBar;
    for (HWND hChild = ::GetWindow(pWnd->m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (COXMenuBar* pBar = FindMenuBar(CWnd::FromHandle(hChild)))
            return pBar;
    }
    return NULL;
}

HMENU COXMenuBar::FrameMenuFor(CFrameWnd* pFrame)
{
    if (pFrame == NULL)
        return NULL;
    CFrameWnd* pActive = pFrame;
    if (CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame)) {
        CMDIChildWnd* pChild = pMDIFrame->MDIGetActive();
        if (pChild == NULL)
            return pFrame->m_hMenuDefault;
        pActive = pChild;
    }
    CDocument* pDoc = pActive->GetActiveDocument();
    HMENU hMenu = pDoc != NULL ? pDoc->GetDefaultMenu() : NULL;
    if (hMenu == NULL && pActive != pFrame)
        hMenu = static_cast<CMDIChildWnd*>(pActive)->m_hMenuShared;
    return hMenu != NULL ? hMenu : pFrame->m_hMenuDefault;
}

HMENU COXMenuBar::ChildMenuFor(CMDIChildWnd* pChild, BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = pChild != NULL ? pChild->GetMDIFrame() : NULL;
    if (pFrame == NULL)
        return NULL;
    if (bActivate) {
        if (hMenuAlt == NULL)
            if (CDocument* pDoc = pChild->GetActiveDocument())
                hMenuAlt = pDoc->GetDefaultMenu();
        return hMenuAlt != NULL ? hMenuAlt : pChild->m_hMenuShared;
    }
    return pActivateWnd == NULL ? pFrame->m_hMenuDefault : NULL;
}

void COXMenuBar::TakeFrameMenu(HMENU hMenu)
{
    CWnd* pFrame = m_pFrameWnd;
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    if (::GetMenu(pFrame->m_hWnd) != NULL)
        ::SetMenu(pFrame->m_hWnd, NULL);
    // The menu first: a customized one read from the profile brings a
    // window popup of its own.
    SetMenu(hMenu);
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
    if (pMDIFrame != NULL && pMDIFrame->m_hWndMDIClient != NULL && hMenu != NULL) {
        // The window list only: with a menu of its own the MDI client would
        // add the maximized child's items to it.
        ::SendMessage(pMDIFrame->m_hWndMDIClient, WM_MDISETMENU, 0, (LPARAM)pMDIFrame->GetWindowMenuPopup(hMenu));
    }
}

CFrameWnd* COXMenuBar::GetFrame() const
{
    return DYNAMIC_DOWNCAST(CFrameWnd, m_pFrameWnd);
}

CWnd* COXMenuBar::GetCommandTarget() const
{
    if (m_pFrameWnd != NULL && m_pFrameWnd->m_hWnd != NULL)
        return m_pFrameWnd;
    return AfxGetMainWnd();
}

CDocument* COXMenuBar::ActiveDocument() const
{
    CWnd* pMain = GetCommandTarget();
    if (CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pMain)) {
        CMDIChildWnd* pChild = pMDIFrame->MDIGetActive();
        return pChild != NULL ? pChild->GetActiveDocument() : NULL;
    }
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pMain);
    return pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
}

CMDIChildWnd* COXMenuBar::GetMaximizedChild() const
{
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrameWnd);
    if (pMDIFrame == NULL || pMDIFrame->m_hWndMDIClient == NULL)
        return NULL;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = pMDIFrame->MDIGetActive(&bMaximized);
    return pChild != NULL && bMaximized ? pChild : NULL;
}

// ---------------------------------------------------------------------------
// The menu and its buttons
// ---------------------------------------------------------------------------
BOOL COXMenuBar::SetMenu(HMENU hMenu)
{
    if (hMenu == m_hMenu)
        return TRUE;
    SaveMenuIfModified();
    m_hMenu = hMenu;
    CDocTemplate* pTemplate = NULL;
    if (hMenu != NULL && !m_mapMenuTemplates.Lookup(hMenu, pTemplate)) {
        CDocument* pDoc = ActiveDocument();
        pTemplate = pDoc != NULL ? pDoc->GetDocTemplate() : NULL;
        BOOL bKnown = FALSE;
        POSITION pos = m_mapMenuTemplates.GetStartPosition();
        while (pos != NULL && pTemplate != NULL) {
            HMENU hKey;
            CDocTemplate* pValue;
            m_mapMenuTemplates.GetNextAssoc(pos, hKey, pValue);
            if (pValue == pTemplate)
                bKnown = TRUE;
        }
        if (bKnown) {
            RebuildButtons(TRUE);
            return TRUE;
        }
        m_mapMenuTemplates.SetAt(hMenu, pTemplate);
        LoadMenu(hMenu, pDoc != NULL ? pDoc->GetRuntimeClass()->m_lpszClassName : NULL);
    }
    RebuildButtons(TRUE);
    return TRUE;
}

CString COXMenuBar::GetMenuText(int nPos) const
{
    char szText[256] = "";
    if (m_hMenu != NULL)
        ::GetMenuStringA(m_hMenu, nPos, szText, sizeof(szText), MF_BYPOSITION);
    return szText;
}

BOOL COXMenuBar::IsCommandItem(int nPos) const
{
    if (m_hMenu == NULL || nPos < 0 || nPos >= ::GetMenuItemCount(m_hMenu))
        return FALSE;
    return !IsPopupId(::GetMenuItemID(m_hMenu, nPos));
}

void COXMenuBar::RebuildButtons(BOOL bRedraw)
{
    if (m_hWnd == NULL)
        return;
    const int nSecond = m_nSecondButtonIndex, nCustomized = m_nCustomizedButton;
    m_bInternalChange = TRUE;
    // The control paints nothing until every button is back.
    DefWindowProc(WM_SETREDRAW, FALSE, 0);
    while (DefWindowProc(TB_BUTTONCOUNT, 0, 0) > 0)
        DefWindowProc(TB_DELETEBUTTON, 0, 0);
    m_mapMnemonics.RemoveAll();
    m_arrTextWidths.clear();
    UpdateMDIIcon(FALSE);
    const int nCount = m_hMenu != NULL ? std::max(::GetMenuItemCount(m_hMenu), 0) : 0;
    std::vector<TBBUTTON> buttons(nCount);
    for (int i = 0; i < nCount; ++i) {
        CString strText = GetMenuText(i);
        // The control keeps every string it is given: a text it has already
        // is used again, so that switching menus does not grow its list.
        INT_PTR nString;
        auto found = m_mapStrings.find((LPCTSTR)strText);
        if (found != m_mapStrings.end()) {
            nString = found->second;
        } else {
            std::string text((LPCTSTR)strText);
            text.push_back('\0');
            text.push_back('\0');
            nString = DefWindowProc(TB_ADDSTRING, 0, (LPARAM)text.c_str());
            m_mapStrings[(LPCTSTR)strText] = nString;
        }
        if (const BYTE ch = MnemonicOf(strText))
            m_mapMnemonics.SetAt(ch, i);
        TBBUTTON& b = buttons[i];
        b = TBBUTTON{};
        b.iBitmap = -1;
        b.idCommand = i + 1;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE;
        b.dwData = (DWORD_PTR)i;
        b.iString = nString;
    }
    if (nCount > 0)
        DefWindowProc(TB_ADDBUTTONS, nCount, (LPARAM)buttons.data());
    DefWindowProc(WM_SETREDRAW, TRUE, 0);
    m_bInternalChange = FALSE;
    if (nSecond < nCount)
        m_nSecondButtonIndex = nSecond;
    if (nCustomized < nCount)
        m_nCustomizedButton = nCustomized;
    if (!m_bFontCreated)
        MakeMenuFont();
    ApplyButtonWidths(IsHorz());
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
    if (m_hMenu == NULL) {
        if (pFrame != NULL)
            pFrame->ShowControlBar(this, FALSE, FALSE);
        else
            ShowWindow(SW_HIDE);
        return;
    }
    if (bRedraw)
        RedrawWithLayout(FALSE);
    if (pFrame != NULL) {
        if (!IsWindowVisible())
            pFrame->ShowControlBar(this, TRUE, FALSE);
    } else if (CWnd* pParent = GetParent()) {
        CSize size = CalcFixedLayout(TRUE, TRUE);
        CRect rectClient;
        pParent->GetClientRect(rectClient);
        SetWindowPos(NULL, rectClient.left, rectClient.top - 2, rectClient.Width(), size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNA);
    }
}

// One layout and one paint: the tool bar's redraw paints button by button,
// which would cost a paint each on every switch of menu.
void COXMenuBar::RedrawWithLayout(BOOL bFrameChanged)
{
    if (m_hWnd == NULL || !IsWindowVisible())
        return;
    m_bDelayedButtonLayout = TRUE;
    if (CFrameWnd* pDocking = GetDockingFrame())
        pDocking->RecalcLayout();
    // The non-client area changes with the MDI child's items only.
    if (bFrameChanged)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void COXMenuBar::MakeMenuFont()
{
    NONCLIENTMETRICSA ncm;
    if (!OXGetNonClientMetrics(ncm))
        return;
    if (m_fontMenu.GetSafeHandle() != NULL)
        m_fontMenu.DeleteObject();
    if (!m_fontMenu.CreateFontIndirect(&ncm.lfMenuFont))
        return;
    m_bFontCreated = TRUE;
    m_arrTextWidths.clear();
    SetFont(&m_fontMenu, FALSE);
    if (DefWindowProc(TB_BUTTONCOUNT, 0, 0) > 0) {
        DefWindowProc(TB_AUTOSIZE, 0, 0);
        CRect rect;
        DefWindowProc(TB_GETITEMRECT, 0, (LPARAM)&rect);
        DefWindowProc(TB_SETBUTTONSIZE, 0, MAKELPARAM(rect.Width(), rect.Height() + 3));
        m_sizeButton = CSize(rect.Width(), rect.Height() + 3);
    }
    SetTextColor(::GetSysColor(COLOR_MENUTEXT));
}

void COXMenuBar::ApplyButtonWidths(BOOL bHorz)
{
    const int nCount = (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0);
    if (nCount <= 0)
        return;
    const int nHorz = bHorz ? 1 : 0;
    if ((int)m_arrTextWidths.size() != nCount) {
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(m_fontMenu.GetSafeHandle() != NULL ? &m_fontMenu : GetFont());
        m_arrTextWidths.assign(nCount, 0);
        for (int i = 0; i < nCount; ++i) {
            CString strText = GetMenuText(i);
            if (strText.IsEmpty())
                continue;
            CRect rect(0, 0, 0, 0);
            dc.DrawText(strText, rect, DT_CALCRECT | DT_SINGLELINE);
            m_arrTextWidths[i] = rect.Width();
        }
        dc.SelectObject(pOld);
    }
    const int nWidest = *std::max_element(m_arrTextWidths.begin(), m_arrTextWidths.end());
    const int nPad = OXGetMenuSkin()->GetMetrics().m_nMenuBarButtonPad;
    for (int i = 0; i < nCount; ++i) {
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
        const WORD cx = (WORD)(nHorz ? m_arrTextWidths[i] + nPad : nWidest + 8);
        // A width set again lays the control out again: only a change is set.
        if (DefWindowProc(TB_GETBUTTONINFOA, i, (LPARAM)&info) != -1 && info.cx == cx)
            continue;
        info.cx = cx;
        DefWindowProc(TB_SETBUTTONINFOA, i, (LPARAM)&info);
    }
}

CSize COXMenuBar::CalcLayout(DWORD dwMode, int nLength)
{
    // The layout asked for may be of the orientation the bar is taking.
    if (m_hWnd != NULL)
        ApplyButtonWidths((dwMode & LM_HORZ) != 0);
    CSize size = COXCoolToolBar::CalcLayout(dwMode, nLength);
    // The layout puts back buttons whose wrapping changed, without their
    // widths.
    if (m_hWnd != NULL)
        ApplyButtonWidths((dwMode & LM_HORZ) != 0);
    // The fixed layout a dock bar asks of a docked bar carries no dock flag.
    const BOOL bDocked = (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0 ||
                         (m_pDockBar != NULL && !IsFloating() && !(dwMode & LM_MRUWIDTH));
    CFrameWnd* pSite = m_pDockSite != NULL ? m_pDockSite : GetFrame();
    if (m_bStretch && (bDocked || m_bAlwaysFullLength) && pSite != NULL && pSite->m_hWnd != NULL) {
        const BOOL bHorz = (dwMode & LM_HORZ) != 0;
        CRect rectClient;
        pSite->GetClientRect(rectClient);
        const int nBorder = 2 * ::GetSystemMetrics(bHorz ? SM_CXBORDER : SM_CYBORDER);
        int nFull = (bHorz ? rectClient.Width() : rectClient.Height()) + nBorder;
        // Along a vertical dock side, the bar stops where the bottom (right)
        // dock bar begins.
        CWnd* pStart = pSite->GetDlgItem(bHorz ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_LEFT);
        CWnd* pEnd = pSite->GetDlgItem(bHorz ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_RIGHT);
        if (pStart != NULL && pEnd != NULL) {
            CRect rectEnd;
            pEnd->GetWindowRect(rectEnd);
            pSite->ScreenToClient(rectEnd);
            // An empty dock bar has no length to go by.
            if (bHorz ? rectEnd.Width() > 0 : rectEnd.Height() > 0)
                nFull = (bHorz ? rectEnd.right : rectEnd.bottom) + nBorder;
        }
        if (bHorz)
            size.cx = std::max<LONG>(nFull, 0);
        else
            size.cy = std::max<LONG>(nFull, 0);
    }
    return size;
}

CSize COXMenuBar::CalcSize(TBBUTTON* pData, int nCount)
{
    CSize size = COXCoolToolBar::CalcSize(pData, nCount);
    if (m_pDockBar != NULL && !IsFloating()) {
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != NULL) {
            CRect rectClient;
            pFrame->GetClientRect(rectClient);
            const int nMDI = m_rectIcon.Width() + m_rectCloseBtn.Width() + m_rectRestoreBtn.Width() +
                             m_rectMinimizeBtn.Width();
            size.cx = std::min<LONG>(size.cx, std::max(rectClient.Width() - nMDI - 14, 0));
        }
    }
    return size;
}

void COXMenuBar::GetItemRect(int nPos, LPRECT lpRect) const
{
    const int nCount = m_hMenu != NULL ? ::GetMenuItemCount(m_hMenu) : 0;
    if (nPos == nCount && nPos >= 0) {
        CRect rect(m_rectIcon);
        CRect rectWindow, rectClient;
        GetWindowRect(rectWindow);
        GetClientRect(rectClient);
        ClientToScreen(rectClient);
        rect.OffsetRect(rectWindow.left - rectClient.left, rectWindow.top - rectClient.top);
        *lpRect = rect;
        return;
    }
    ::SendMessage(m_hWnd, TB_GETITEMRECT, nPos, (LPARAM)lpRect);
}

// ---------------------------------------------------------------------------
// The MDI child's icon and buttons
// ---------------------------------------------------------------------------
void COXMenuBar::UpdateMDIIcon(BOOL bRedraw)
{
    HICON hIcon = NULL;
    if (CMDIChildWnd* pChild = GetMaximizedChild()) {
        hIcon = (HICON)::GetClassLongPtrA(pChild->m_hWnd, GCLP_HICONSM);
        if (hIcon == NULL)
            hIcon = (HICON)::GetClassLongPtrA(pChild->m_hWnd, GCLP_HICON);
        DWORD_PTR dwResult = 0;
        if (hIcon == NULL &&
            ::SendMessageTimeoutA(pChild->m_hWnd, WM_GETICON, ICON_SMALL, 0, SMTO_ABORTIFHUNG, 1000, &dwResult))
            hIcon = (HICON)dwResult;
        if (hIcon == NULL &&
            ::SendMessageTimeoutA(pChild->m_hWnd, WM_GETICON, ICON_BIG, 0, SMTO_ABORTIFHUNG, 1000, &dwResult))
            hIcon = (HICON)dwResult;
        if (hIcon == NULL)
            hIcon = ::LoadIcon(NULL, IDI_WINLOGO);
    }
    SetMDIIcon(hIcon, bRedraw);
}

void COXMenuBar::SetMDIIcon(HICON hIcon, BOOL bRedraw)
{
    if (hIcon == m_hIcon)
        return;
    m_hIcon = hIcon;
    m_rectIcon.SetRectEmpty();
    if (bRedraw)
        RedrawWithLayout(TRUE);
}

void COXMenuBar::LayoutMDIItems()
{
    m_rectCloseBtn.SetRectEmpty();
    m_rectRestoreBtn.SetRectEmpty();
    m_rectMinimizeBtn.SetRectEmpty();
    CMDIChildWnd* pChild = GetMaximizedChild();
    if (m_hIcon == NULL || pChild == NULL)
        return;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    const BOOL bBoxes = (pChild->GetStyle() & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    LayoutMDIButtons(IsHorz(), rectWindow.Width(), rectWindow.Height(), bBoxes, m_rectCloseBtn,
                     m_rectRestoreBtn, m_rectMinimizeBtn);
}

void COXMenuBar::GetBorderMargins(CRect& rect, BOOL bHorz)
{
    LayoutMDIItems();
    if (m_rectCloseBtn.IsRectEmpty())
        return;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CRect a, b, c;
    const int nExtra = LayoutMDIButtons(bHorz, rectWindow.Width(), rectWindow.Height(),
                                        !m_rectRestoreBtn.IsRectEmpty(), a, b, c);
    if (bHorz)
        rect.right = nExtra;
    else
        rect.bottom = nExtra;
}

void COXMenuBar::DrawIcon(CDC* pDC, CRect& rect)
{
    const CRect rectBefore(rect);
    COXCoolToolBar::DrawIcon(pDC, rect);
    if (m_hIcon == NULL)
        return;
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    if (IsHorz()) {
        const int y = rectBefore.top + (rectBefore.Height() - cy) / 2;
        m_rectIcon.SetRect(rect.left - cx - 1, y, rect.left - 1, y + cy);
    } else {
        const int x = rectBefore.left + (rectBefore.Width() - cx) / 2;
        m_rectIcon.SetRect(x, rect.top - cy - 1, x + cx, rect.top - 1);
    }
}

void COXMenuBar::DrawNonClientExtra(CDC* pDC, CRect& rect)
{
    if (m_hIcon == NULL || !m_pFrameWnd || !m_pFrameWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return;
    LayoutMDIItems();
    DrawMDIItems(pDC);
    const CRect& rectFirst = !m_rectMinimizeBtn.IsRectEmpty() ? m_rectMinimizeBtn : m_rectCloseBtn;
    if (rectFirst.IsRectEmpty())
        return;
    if (IsHorz())
        rect.right = rectFirst.left - 6;
    else
        rect.bottom = rectFirst.top - 6;
}

void COXMenuBar::DrawMDIItems(CDC* pDC)
{
    GetToolbarSkin()->DrawMDIButtons(pDC, this);
}

int COXMenuBar::MDIItemAt(CPoint ptWindow) const
{
    if (m_rectCloseBtn.PtInRect(ptWindow))
        return -4;
    if (m_rectRestoreBtn.PtInRect(ptWindow))
        return -3;
    if (m_rectMinimizeBtn.PtInRect(ptWindow))
        return -2;
    return -1;
}

BOOL COXMenuBar::IsOverIconOrMDIButton(CPoint ptWindow) const
{
    return m_hIcon != NULL && (m_rectIcon.PtInRect(ptWindow) || MDIItemAt(ptWindow) != -1);
}

// ---------------------------------------------------------------------------
// Dropping popups
// ---------------------------------------------------------------------------
LRESULT COXMenuBar::OnMenuBarDropDown(WPARAM wParam, LPARAM)
{
    MSG msg;
    while (::PeekMessageA(&msg, m_hWnd, WM_MENUBAR_DROPDOWN, WM_MENUBAR_DROPDOWN, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        wParam = msg.wParam;
    }
    DropDown((int)wParam);
    return 0;
}

void COXMenuBar::ShowCustomizationPopup(HMENU hPopup, UINT nFlags, int x, int y)
{
    HWND hTarget = m_hNotifyWnd != NULL ? m_hNotifyWnd : ::GetParent(m_hWnd);
    if (hTarget == NULL)
        return;
    OXMENUBARPOPUP popup = {hPopup, nFlags, x, y};
    OXCTBNOTIFY notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = GetDlgCtrlID();
    notify.hdr.code = OXCTBN_CUSTOMIZE;
    notify.nCommand = ID_OXMENUBAR_CUSTOMIZEPOPUP;
    notify.pData = &popup;
    ::SendMessage(hTarget, WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify);
}

void COXMenuBar::DropDown(int nPos)
{
    const int nCount = m_hMenu != NULL ? ::GetMenuItemCount(m_hMenu) : 0;
    if (m_bCustomizationMode)
        SaveMenuIfModified();
    if (m_hMenu == NULL || nPos < 0 || nPos > nCount || (nPos == nCount && m_hIcon == NULL) ||
        IsCommandItem(nPos)) {
        if (m_bMenuMode && IsCommandItem(nPos))
            FireCommandItem(nPos);
        EndPopup();
        return;
    }
    const BOOL bWasOpen = m_nPopupItem != -1, bWasMenuMode = m_bMenuMode;
    if (bWasMenuMode)
        EnterMenuMode(FALSE);
    HMENU hPopup = NULL;
    CMDIChildWnd* pChild = NULL;
    if (nPos == nCount) {
        if (m_bCustomizationMode)
            return;
        pChild = GetMaximizedChild();
        if (pChild == NULL) {
            EndPopup();
            if (bWasMenuMode)
                NotifyExitMenuLoop();
            return;
        }
        CMenu* pSys = pChild->GetSystemMenu(FALSE);
        hPopup = pSys != NULL ? pSys->GetSafeHmenu() : NULL;
    } else {
        const UINT nState = ::GetMenuState(m_hMenu, nPos, MF_BYPOSITION);
        hPopup = ::GetSubMenu(m_hMenu, nPos);
        if ((nState & (MF_GRAYED | MF_DISABLED)) || hPopup == NULL) {
            if (!m_bCustomizationMode)
                EndPopup();
            hPopup = NULL;
        }
    }
    if (hPopup == NULL) {
        // Menu mode is over and no popup carries the loop on.
        if (bWasMenuMode)
            NotifyExitMenuLoop();
        return;
    }
    CWnd* pFrame = m_pFrameWnd;
    if (!bWasMenuMode && pFrame != NULL) {
        if (!bWasOpen) {
            pFrame->SendMessage(WM_ENTERMENULOOP, 0, 0);
            pFrame->SendMessage(WM_INITMENU, (WPARAM)m_hMenu);
        }
        pFrame->SendMessage(WM_MENUSELECT, nPos == nCount ? MAKEWPARAM(0, MF_SYSMENU)
                                                          : MAKEWPARAM(nPos, MF_POPUP | MF_HILITE),
                            (LPARAM)m_hMenu);
    }

    CRect rectItem;
    GetItemRect(nPos, rectItem);
    ClientToScreen(rectItem);
    CWnd* pMain = GetCommandTarget();
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hPopup));
    if (COXBitmapMenuOrganizer* pOrganizer =
            pMain != NULL ? COXBitmapMenuOrganizer::FindOrganizer(pMain->m_hWnd) : NULL) {
        // The organizer converts the popup now, so that it is measured as it
        // will show.
        pOrganizer->OnInitMenuPopup(CMenu::FromHandle(hPopup), nPos, nPos == nCount);
        pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hPopup));
    }
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(::MonitorFromRect(rectItem, MONITOR_DEFAULTTONEAREST), &mi);
    CPoint pt;
    int nSide = 0;
    const UINT nFlags = COXBitmapMenu::PlaceUnderBarButton(IsHorz(), rectItem, COXBitmapMenu::EstimateSize(hPopup),
                                                          mi.rcMonitor, pt, nSide);

    EndPopup();
    m_nPopupItem = nPos;
    m_nNextPopupItem = -1;
    if (!m_bCustomizationMode)
        PressButton(nPos + 1, TRUE);
    if (m_bCustomizationMode) {
        ShowCustomizationPopup(hPopup, nFlags, pt.x, pt.y);
        m_nClosedItem = -1;
        EndPopup();
        return;
    }

    // Left, Right and Esc reach the bar while the popup is tracked.
    COXMenuBar* pPreviousTracking = s_pTrackingBar;
    s_pTrackingBar = this;
    if (s_hFilterHook == NULL)
        s_hFilterHook = ::SetWindowsHookExA(WH_MSGFILTER, MenuFilterProc, NULL, ::GetCurrentThreadId());
    CWnd* pOwner = pMain;
    if (pOwner != NULL) {
        if (pBitmapMenu != NULL) {
            pBitmapMenu->TrackBarPopupMenu(this, pOwner, NULL);
        } else {
            TPMPARAMS params = {sizeof(params), rectItem};
            OXTrackPopupMenu(hPopup, nFlags | TPM_LEFTBUTTON, pt.x, pt.y,
                             pChild != NULL ? pChild->m_hWnd : pOwner->m_hWnd, &params);
        }
    }
    s_pTrackingBar = pPreviousTracking;
    if (s_pTrackingBar == NULL && s_hFilterHook != NULL) {
        ::UnhookWindowsHookEx(s_hFilterHook);
        s_hFilterHook = NULL;
    }
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    MSG msgQuit;
    if (::PeekMessageA(&msgQuit, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE))
        m_nNextPopupItem = -1;   // the program is ending
    if (m_nNextPopupItem != -1) {
        PostMessage(WM_MENUBAR_DROPDOWN, m_nNextPopupItem);
        return;
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    CRect rectButton;
    if (m_nPopupItem >= 0 && m_nPopupItem < nCount) {
        GetItemRect(m_nPopupItem, rectButton);
        // Only the click that closed the popup, still waiting for the bar,
        // is kept from opening it again; a popup closed by a key leaves the
        // next click on its button alone.
        MSG msg;
        if (rectButton.PtInRect(ptCursor) && ::PeekMessageA(&msg, m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE))
            m_nClosedItem = m_nPopupItem;
    }
    EndPopup();
}

namespace {

struct CPopupWindows
{
    std::vector<HWND> hWnds;
    static BOOL CALLBACK Collect(HWND hWnd, LPARAM lParam)
    {
        char szClass[16] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (strcmp(szClass, "#32768") == 0 && ::IsWindowVisible(hWnd))
            ((CPopupWindows*)lParam)->hWnds.push_back(hWnd);
        return TRUE;
    }
};

// Whether Left or Right acts inside the open menus (closes a submenu, opens
// the one under the selection) rather than moving along the bar. The menus
// are this thread's visible "#32768" windows, found by their menus.
BOOL KeyStaysInMenus(UINT nKey)
{
    CPopupWindows popups;
    ::EnumThreadWindows(::GetCurrentThreadId(), CPopupWindows::Collect, (LPARAM)&popups);
    if (nKey == VK_LEFT)
        return popups.hWnds.size() > 1;
    for (HWND hPopup : popups.hWnds) {
        HMENU hMenu = (HMENU)::SendMessageA(hPopup, 0x01E1 /* MN_GETHMENU */, 0, 0);
        if (hMenu == NULL)
            continue;
        const int nCount = ::GetMenuItemCount(hMenu);
        for (int i = 0; i < nCount; ++i) {
            if ((::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_HILITE) && ::GetSubMenu(hMenu, i) != NULL) {
                // Opening it is the key's work unless it is already open.
                HMENU hSub = ::GetSubMenu(hMenu, i);
                BOOL bOpen = FALSE;
                for (HWND h : popups.hWnds)
                    bOpen = bOpen || (HMENU)::SendMessageA(h, 0x01E1, 0, 0) == hSub;
                if (!bOpen)
                    return TRUE;
            }
        }
    }
    return FALSE;
}

}   // namespace

LRESULT CALLBACK COXMenuBar::MenuFilterProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    MSG* pMsg = (MSG*)lParam;
    if (nCode == MSGF_MENU && pMsg != NULL && pMsg->message == WM_KEYDOWN && s_pTrackingBar != NULL) {
        const UINT nKey = (UINT)pMsg->wParam;
        if (nKey == VK_ESCAPE) {
            // Esc in a submenu only closes that submenu.
            if (!KeyStaysInMenus(VK_LEFT))
                s_pTrackingBar->HandleMenuKey(nKey);
        } else if ((nKey == VK_LEFT || nKey == VK_RIGHT) && !KeyStaysInMenus(nKey)) {
            if (s_pTrackingBar->HandleMenuKey(nKey))
                return 1;
        }
    }
    return ::CallNextHookEx(s_hFilterHook, nCode, wParam, lParam);
}

void COXMenuBar::EndPopup()
{
    if (m_nPopupItem == -1)
        return;
    const int nClosed = m_nPopupItem;
    if (m_hWnd != NULL)
        PressButton(nClosed + 1, FALSE);
    m_nPopupItem = -1;
    if (m_nNextPopupItem == -1) {
        if (m_bReturnToMenuMode) {
            EnterMenuMode(TRUE, nClosed);
            m_nClosedItem = -1;
        } else {
            NotifyExitMenuLoop();
        }
    }
    m_bReturnToMenuMode = FALSE;
}

BOOL COXMenuBar::EnterMenuMode(BOOL bEnter, int nItem)
{
    const int nButtons = (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0);
    if (nItem == nButtons)
        nItem = -1;
    if (bEnter == m_bMenuMode) {
        if (m_bMenuMode)
            DefWindowProc(TB_SETHOTITEM, nItem, 0);
        return TRUE;
    }
    if (bEnter) {
        if (m_nPopupItem != -1)
            return FALSE;
        s_hWndSavedFocus = ::GetFocus();
        SetFocus();
        m_bMenuMode = TRUE;
        DefWindowProc(TB_SETHOTITEM, nItem, 0);
        if (!m_bReturnToMenuMode && m_pFrameWnd != NULL) {
            m_pFrameWnd->SendMessage(WM_ENTERMENULOOP, 0, 0);
            m_pFrameWnd->SendMessage(WM_INITMENU, (WPARAM)m_hMenu);
            m_pFrameWnd->SendMessage(WM_MENUSELECT, MAKEWPARAM(nItem, MF_POPUP | MF_HILITE), (LPARAM)m_hMenu);
        }
        return TRUE;
    }
    m_bMenuMode = FALSE;
    HWND hFocus = s_hWndSavedFocus;
    s_hWndSavedFocus = NULL;
    ::SetFocus(hFocus != NULL && ::IsWindow(hFocus) ? hFocus : NULL);
    DefWindowProc(TB_SETHOTITEM, (WPARAM)-1, 0);
    return TRUE;
}

void COXMenuBar::NotifyExitMenuLoop()
{
    if (m_pFrameWnd != NULL && m_pFrameWnd->m_hWnd != NULL)
        m_pFrameWnd->SendMessage(WM_EXITMENULOOP, 0, 0);
}

void COXMenuBar::LeaveMenuMode()
{
    if (!m_bMenuMode)
        return;
    EnterMenuMode(FALSE);
    NotifyExitMenuLoop();
}

// The menu loop ends before the command runs, as a chosen menu item's does.
void COXMenuBar::FireCommandItem(int nPos)
{
    const UINT nID = ::GetMenuItemID(m_hMenu, nPos);
    LeaveMenuMode();
    if (CWnd* pTarget = GetCommandTarget())
        pTarget->SendMessage(WM_COMMAND, nID);
}

// ---------------------------------------------------------------------------
// Keys
// ---------------------------------------------------------------------------
int COXMenuBar::MovedPosition(int nPos, BOOL bNext)
{
    const int nCount = m_hMenu != NULL ? ::GetMenuItemCount(m_hMenu) : 0;
    const BOOL bIcon = m_hIcon != NULL;
    int nNew = bNext ? NextPosition(nPos, nCount, bIcon) : PreviousPosition(nPos, nCount, bIcon);
    if (nNew != nCount) {
        CRect rectButton, rectClient;
        GetItemRect(nNew, rectButton);
        GetClientRect(rectClient);
        if (IsHorz() ? rectButton.left > rectClient.right : rectButton.top > rectClient.bottom)
            nNew = bIcon ? nCount : 0;
    }
    return nNew;
}

void COXMenuBar::SelectHot(int nPos)
{
    const int nCount = m_hMenu != NULL ? ::GetMenuItemCount(m_hMenu) : 0;
    DefWindowProc(TB_SETHOTITEM, nPos == nCount ? (WPARAM)-1 : (WPARAM)nPos, 0);
    if (m_pFrameWnd != NULL)
        m_pFrameWnd->SendMessage(WM_MENUSELECT, nPos == nCount ? MAKEWPARAM(0, MF_SYSMENU)
                                                                : MAKEWPARAM(nPos, MF_POPUP | MF_HILITE),
                                 (LPARAM)m_hMenu);
}

// A click on the next position's button ends the open popup the way the
// user would; the popup's end then opens the next one.
void COXMenuBar::PostNextPopupClick(int nPos)
{
    const int nCount = m_hMenu != NULL ? ::GetMenuItemCount(m_hMenu) : 0;
    CRect rect;
    if (nPos == nCount) {
        GetItemRect(0, rect);
        rect.DeflateRect(1, 1);
        rect.OffsetRect(-::GetSystemMetrics(SM_CXSMICON), 0);
    } else {
        GetItemRect(nPos, rect);
    }
    const CPoint pt = rect.CenterPoint();
    PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

BOOL COXMenuBar::HandleMenuKey(UINT nKey)
{
    if (CWnd* pMain = AfxGetMainWnd())
        if (pMain->SendMessage(WM_KEYDOWN, nKey, 1) != 0)
            return TRUE;
    const int nButtons = m_hWnd != NULL ? (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0) : 0;
    const int nCount = m_hMenu != NULL ? ::GetMenuItemCount(m_hMenu) : 0;
    int nHot = m_hWnd != NULL ? (int)DefWindowProc(TB_GETHOTITEM, 0, 0) : -1;
    if (nKey == 0) {
        if (m_bMenuMode)
            LeaveMenuMode();
        else
            EnterMenuMode(TRUE, nHot >= 0 ? nHot : 0);
        return TRUE;
    }
    if (nKey == VK_ESCAPE && m_bMenuMode) {
        LeaveMenuMode();
        return TRUE;
    }
    if (nButtons == 0)
        return FALSE;
    if (nKey == VK_ESCAPE) {
        if (m_nPopupItem != -1)
            m_bReturnToMenuMode = TRUE;
        return FALSE;
    }
    const BOOL bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const BOOL bBack = bHorz ? nKey == VK_LEFT : nKey == VK_UP;
    const BOOL bForward = bHorz ? nKey == VK_RIGHT : nKey == VK_DOWN;
    if (bBack || bForward) {
        if (m_bMenuMode) {
            // The system menu's position has no button: it is the hot item
            // while none is.
            int nFrom = nHot;
            if (nFrom == -1 && m_hIcon != NULL)
                nFrom = nCount;
            const int nNew = MovedPosition(nFrom, bForward);
            if (!bHorz && bForward)
                DefWindowProc(TB_SETHOTITEM, nNew == nCount ? (WPARAM)-1 : (WPARAM)nNew, 0);
            else
                SelectHot(nNew);
            return TRUE;
        }
        if (m_nPopupItem != -1 && bHorz) {
            const int nNew = MovedPosition(m_nPopupItem, bForward);
            if (nNew == m_nPopupItem)
                return FALSE;
            if (IsCommandItem(nNew))
                return TRUE;
            m_nNextPopupItem = nNew;
            PostNextPopupClick(nNew);
            return TRUE;
        }
        return FALSE;
    }
    const BOOL bAcross = bHorz ? (nKey == VK_UP || nKey == VK_DOWN) : (nKey == VK_LEFT || nKey == VK_RIGHT);
    if (nKey == VK_RETURN || bAcross) {
        if (!m_bMenuMode)
            return FALSE;
        const int nOpen = nHot >= 0 ? nHot : nCount;
        DropDown(nOpen);
        return TRUE;
    }
    if (m_nPopupItem != -1 || (::GetKeyState(VK_CONTROL) & 0x8000))
        return FALSE;
    // The character the key types in the user's layout, not its code.
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_MENU] = keys[VK_LCONTROL] = keys[VK_RCONTROL] = keys[VK_LMENU] = keys[VK_RMENU] = 0;
    WORD wChar = 0;
    BYTE ch = 0;
    if (::ToAscii(nKey, ::MapVirtualKeyA(nKey, 0), keys, &wChar, 0) == 1)
        ch = (BYTE)wChar;
    else if (nKey >= 'A' && nKey <= 'Z')
        ch = (BYTE)nKey;
    int nPos;
    if (ch != 0 && m_mapMnemonics.Lookup(FoldMnemonic(ch), nPos)) {
        // A top-level command runs at its mnemonic, in menu mode or not.
        if (IsCommandItem(nPos))
            FireCommandItem(nPos);
        else
            DropDown(nPos);
        return TRUE;
    }
    return FALSE;
}

BOOL COXMenuBar::TranslateFrameAccelerator(const MSG* pMsg)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pFrameWnd);
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return FALSE;
    HACCEL hAccel = pFrame->GetDefaultAccelerator();
    MSG msg = *pMsg;
    return hAccel != NULL && ::TranslateAcceleratorA(pFrame->m_hWnd, hAccel, &msg);
}

BOOL COXMenuBar::TranslateFrameKey(const MSG* pMsg)
{
    if (m_hWnd == NULL || !IsWindowVisible())
        return FALSE;
    const UINT nKey = (UINT)pMsg->wParam;
    // Shift+F10 is the keyboard's context menu key, for the focus window.
    const BOOL bF10 = nKey == VK_F10 && !(::GetKeyState(VK_SHIFT) & 0x8000);
    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
        if (nKey == VK_MENU) {
            // A repeat is not a new press.
            if (!(pMsg->lParam & 0x40000000))
                m_bAltAlone = TRUE;
            return TRUE;
        }
        m_bAltAlone = FALSE;
        // The frame's accelerators come before the menu's keys, so that an
        // Alt+letter command wins over a mnemonic of the same letter.
        if (!m_bMenuMode && TranslateFrameAccelerator(pMsg))
            return TRUE;
        if (nKey == VK_F10)
            return bF10 ? HandleMenuKey(0) : FALSE;
        if (nKey == VK_SPACE || nKey == VK_F4)
            return FALSE;   // the window's own system menu and closing
        if (HandleMenuKey(nKey))
            return TRUE;
        // Alt with a key that opens nothing ends menu mode.
        LeaveMenuMode();
        return FALSE;
    case WM_SYSKEYUP:
        if (nKey == VK_MENU && m_bAltAlone) {
            m_bAltAlone = FALSE;
            return HandleMenuKey(0);
        }
        return FALSE;
    case WM_KEYDOWN:
        m_bAltAlone = FALSE;
        if (bF10 && !m_bMenuMode && TranslateFrameAccelerator(pMsg))
            return TRUE;
        if (bF10)
            return HandleMenuKey(0);
        return m_bMenuMode ? HandleMenuKey(nKey) : FALSE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------
// The profile
// ---------------------------------------------------------------------------
void COXMenuBar::InsertItems(const std::vector<OXMENUBARITEM>& items, HMENU hMenu, int nPos, BOOL bRestoring)
{
    const BOOL bMDIMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, GetCommandTarget()) != NULL;
    for (const OXMENUBARITEM& item : items) {
        HMENU hSub = NULL;
        if (item.bPopup) {
            hSub = ::CreatePopupMenu();
            m_arrCreatedMenus.Add(hSub);
            InsertItems(item.children, hSub, 0, bRestoring);
        }
        if (bRestoring && item.nID == kFirstMDIChild && bMDIMain) {
            // The window list comes back from the MDI client, not from the
            // profile: the separator before it goes with it.
            const int nLast = ::GetMenuItemCount(hMenu) - 1;
            if (nLast >= 0 && (::GetMenuState(hMenu, nLast, MF_BYPOSITION) & MF_SEPARATOR))
                ::DeleteMenu(hMenu, nLast, MF_BYPOSITION);
            m_hWindowMenu = hMenu;
        }
        if (bRestoring && !item.bPopup && item.nID >= kFirstMDIChild && item.nID != (UINT)-1)
            continue;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        mii.fType = item.nType & ~(MFT_OWNERDRAW | MFT_BITMAP);
        if (item.nID == 0 && !item.bPopup)
            mii.fType |= MFT_SEPARATOR;
        mii.wID = item.bPopup ? (UINT)-1 : item.nID;
        mii.hSubMenu = hSub;
        mii.dwTypeData = const_cast<char*>(item.strText.c_str());
        mii.cch = (UINT)item.strText.size();
        ::InsertMenuItemA(hMenu, bRestoring ? ::GetMenuItemCount(hMenu) : nPos++, TRUE, &mii);
    }
}

BOOL COXMenuBar::LoadMenu(HMENU hMenu, LPCTSTR pszDocClass)
{
    const CString strSection = SectionFor(pszDocClass);
    CWinApp* pApp = AfxGetApp();
    BOOL bLoaded = FALSE;
    if (pApp != NULL && hMenu != NULL && (int)pApp->GetProfileInt(strSection, kDataSizeEntry, -1) != -1) {
        LPBYTE pData = NULL;
        UINT nBytes = 0;
        std::vector<OXMENUBARITEM> items;
        if (pApp->GetProfileBinary(strSection, kItemsEntry, &pData, &nBytes) && ReadMenuBlock(pData, nBytes, items)) {
            // Only a block that reads whole replaces the menu.
            m_hWindowMenu = NULL;
            while (::GetMenuItemCount(hMenu) > 0)
                ::RemoveMenu(hMenu, 0, MF_BYPOSITION);
            InsertItems(items, hMenu, 0, TRUE);
            bLoaded = TRUE;
        }
        delete[] pData;
    }
    if (m_pFrameWnd != NULL && m_pFrameWnd->m_hWnd != NULL)
        m_pFrameWnd->SendMessage(WM_MENUBAR_MENULOADED, (WPARAM)hMenu, (LPARAM)(LPCTSTR)strSection);
    return bLoaded;
}

BOOL COXMenuBar::SaveMenu(HMENU hMenu, LPCTSTR pszDocClass)
{
    const CString strSection = SectionFor(pszDocClass);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || hMenu == NULL)
        return FALSE;
    std::vector<BYTE> block = WriteMenuBlock(hMenu);
    BOOL bSaved = pApp->WriteProfileBinary(strSection, kItemsEntry, block.data(), (UINT)block.size()) &&
                  pApp->WriteProfileInt(strSection, kDataSizeEntry, (int)block.size());
    if (m_pFrameWnd != NULL && m_pFrameWnd->m_hWnd != NULL)
        m_pFrameWnd->SendMessage(WM_MENUBAR_MENUSAVED, (WPARAM)hMenu, (LPARAM)(LPCTSTR)strSection);
    return bSaved;
}

void COXMenuBar::SaveMenuIfModified()
{
    int nDummy;
    if (m_hMenu == NULL || !m_mapModifiedMenus.Lookup(m_hMenu, nDummy))
        return;
    CDocTemplate* pTemplate = NULL;
    CString strClass;
    if (m_mapMenuTemplates.Lookup(m_hMenu, pTemplate) && pTemplate != NULL) {
        POSITION pos = pTemplate->GetFirstDocPosition();
        if (CDocument* pDoc = pos != NULL ? pTemplate->GetNextDoc(pos) : NULL)
            strClass = pDoc->GetRuntimeClass()->m_lpszClassName;
    }
    SaveMenu(m_hMenu, strClass);
    m_mapModifiedMenus.RemoveKey(m_hMenu);
}

BOOL COXMenuBar::SaveBarState(LPCTSTR, LPCTSTR, BOOL)
{
    POSITION pos = m_mapModifiedMenus.GetStartPosition();
    const HMENU hCurrent = m_hMenu;
    while (pos != NULL) {
        HMENU hMenu;
        int nDummy;
        m_mapModifiedMenus.GetNextAssoc(pos, hMenu, nDummy);
        m_hMenu = hMenu;
        SaveMenuIfModified();
        pos = m_mapModifiedMenus.GetStartPosition();
    }
    m_hMenu = hCurrent;
    m_mapModifiedMenus.RemoveAll();
    return TRUE;
}

BOOL COXMenuBar::BuildMenu(const BYTE* pData, UINT nBytes, HMENU hMenu, int nPos)
{
    std::vector<OXCOMMANDDATAITEM> records;
    if (hMenu == NULL || !COXCommandDragData::ReadMenu(pData, nBytes, records))
        return FALSE;
    InsertItems(ItemsFromRecords(records), hMenu, nPos, FALSE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Customization
// ---------------------------------------------------------------------------
void COXMenuBar::DisplayCustomizeButtonContextMenu(int nButton, int x, int y)
{
    (void)nButton;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    CString strDelete, strAppearance;
    strDelete.LoadString(IDS_OX_CUSTTB_DELETE);
    strAppearance.LoadString(IDS_OX_CUSTTB_APPEARANCE);
    menu.AppendMenu(MF_STRING, ID_OXMENUBAR_DELETE, strDelete);
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_OXMENUBAR_APPEARANCE, strAppearance);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, x, y, this);
}

BOOL COXMenuBar::DeleteButton(int nPos)
{
    const int nButtons = (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0);
    if (nPos < 0 || nPos >= nButtons)
        return FALSE;
    for (int i = nPos + 1; i < nButtons; ++i)
        SetCmdID(i, (UINT)i);
    DefWindowProc(TB_DELETEBUTTON, nPos, 0);
    if (m_hMenu != NULL) {
        ::DeleteMenu(m_hMenu, nPos, MF_BYPOSITION);
        m_mapModifiedMenus.SetAt(m_hMenu, 1);
    }
    return TRUE;
}

void COXMenuBar::OnDeleteItem()
{
    if (NotifyCustomize(ID_OXMENUBAR_DELETE) != 0)
        return;
    if (m_nCustomizedButton >= 0)
        DeleteButton(m_nCustomizedButton);
    m_nCustomizedButton = -1;
    RedrawToolBar(TRUE, TRUE);
}

DROPEFFECT COXMenuBar::OnDragOver(OXDRAGDROPMESSAGE* pMessage)
{
    if (IsCustomizable(TRUE) && pMessage != NULL) {
        pMessage->result = DROPEFFECT_NONE;
        return DROPEFFECT_NONE;
    }
    return COXCoolToolBar::OnDragOver(pMessage);
}

namespace {
// Asks the bar to empty its floating frame's system menu once it is in it.
const UINT WM_OXMENUBAR_FLOATED = ::RegisterWindowMessageA("OXMenuBarFloated");
}   // namespace

void COXMenuBar::OnFloatingDocking(BOOL bFloating)
{
    COXCoolToolBar::OnFloatingDocking(bFloating);
    // The bar may hear of its floating before it has moved into its mini
    // frame: the frame's menu is emptied once the bar is there.
    if (bFloating && m_hWnd != NULL)
        PostMessage(WM_OXMENUBAR_FLOATED);
}

LRESULT COXMenuBar::OnFloated(WPARAM, LPARAM)
{
    if (!IsFloating())
        return 0;
    CMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, GetParentFrame());
    if (pMini == NULL)
        return 0;
    if (CMenu* pSys = pMini->GetSystemMenu(FALSE))
        while (pSys->GetMenuItemCount() > 0)
            pSys->DeleteMenu(0, MF_BYPOSITION);
    return 0;
}

void COXMenuBar::OnChangeDockSide(DWORD dwDockSide)
{
    COXCoolToolBar::OnChangeDockSide(dwDockSide);
    if (m_pDockBar != NULL && !IsFloating())
        if (CFrameWnd* pFrame = GetFrame())
            pFrame->RecalcLayout(TRUE);
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXMenuBar, COXCoolToolBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETTINGCHANGE()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_NOTIFY_REFLECT_EX(TBN_DROPDOWN, OnDropDown)
    ON_NOTIFY_REFLECT_EX(TBN_BEGINDRAG, OnBeginDrag)
    ON_MESSAGE(WM_MENUBAR_DROPDOWN, OnMenuBarDropDown)
    ON_REGISTERED_MESSAGE(WM_OXMENUBAR_FLOATED, OnFloated)
    ON_COMMAND(ID_OXMENUBAR_DELETE, OnDeleteItem)
    ON_UPDATE_COMMAND_UI_RANGE(0, 65535, OnUpdateButton)
END_MESSAGE_MAP()

int COXMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COXCoolToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (s_hMouseHook == NULL)
        s_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
    return 0;
}

void COXMenuBar::OnDestroy()
{
    // Any bar's end takes the class's hook down.
    if (s_hMouseHook != NULL) {
        ::UnhookWindowsHookEx(s_hMouseHook);
        s_hMouseHook = NULL;
    }
    if (m_nDragTimer != 0) {
        KillTimer(m_nDragTimer);
        m_nDragTimer = 0;
    }
    COXCoolToolBar::OnDestroy();
}

LRESULT CALLBACK COXMenuBar::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && (wParam == WM_MOUSEMOVE || wParam == WM_NCMOUSEMOVE)) {
        const MOUSEHOOKSTRUCT* pInfo = (const MOUSEHOOKSTRUCT*)lParam;
        HWND hUnder = pInfo->hwnd;
        if (s_hWndUnderMouse != NULL && s_hWndUnderMouse != hUnder && ::IsWindow(s_hWndUnderMouse)) {
            COXMenuBar* pBar = DYNAMIC_DOWNCAST(COXMenuBar, CWnd::FromHandlePermanent(s_hWndUnderMouse));
            if (pBar != NULL && pBar->m_pFrameWnd != NULL && pBar->m_pFrameWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
                CWindowDC dc(pBar);
                pBar->GetToolbarSkin()->DrawMDIButtons(&dc, pBar);
            }
        }
        s_hWndUnderMouse = hUnder;
    }
    return ::CallNextHookEx(s_hMouseHook, nCode, wParam, lParam);
}

void COXMenuBar::OnSize(UINT nType, int cx, int cy)
{
    Default();
    (void)nType, (void)cx, (void)cy;
    if (m_pDockBar != NULL && !IsFloating() && IsWindowVisible()) {
        m_bDelayedButtonLayout = TRUE;
        Invalidate();
    }
}

void COXMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    MakeMenuFont();
    COXCoolToolBar::OnSettingChange(uFlags, lpszSection);
}

void COXMenuBar::OnKillFocus(CWnd* pNewWnd)
{
    (void)pNewWnd;
    Default();
    // The focus went elsewhere (a click, another window): the loop is over.
    if (m_bMenuMode) {
        m_bMenuMode = FALSE;
        s_hWndSavedFocus = NULL;
        DefWindowProc(TB_SETHOTITEM, (WPARAM)-1, 0);
        NotifyExitMenuLoop();
    }
}

void COXMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDragTimer) {
        Default();
        return;
    }
    KillTimer(kDragTimer);
    m_nDragTimer = 0;
    const int nButtons = (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0);
    if (::IsWindow(m_hWnd) && (::GetKeyState(VK_LBUTTON) & 0x8000) && m_bCustomizationMode && m_nDragItem >= 0 &&
        m_nDragItem < nButtons) {
        NMTOOLBARA nm = {};
        nm.hdr.hwndFrom = m_hWnd;
        nm.hdr.idFrom = GetDlgCtrlID();
        nm.hdr.code = TBN_BEGINDRAG;
        nm.iItem = m_nDragItem + 1;
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
    }
    m_nDragItem = -1;
}

LRESULT COXMenuBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    UpdateMDIIcon(TRUE);
    return COXCoolToolBar::OnIdleUpdateCmdUI(wParam, lParam);
}

void COXMenuBar::OnUpdateButton(CCmdUI* pCmdUI)
{
    const int nPos = (int)pCmdUI->m_nID - 1;
    BOOL bEnable = TRUE;
    if (m_hMenu != NULL && nPos >= 0 && nPos < ::GetMenuItemCount(m_hMenu))
        bEnable = (::GetMenuState(m_hMenu, nPos, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
    pCmdUI->Enable(bEnable);
}

LRESULT COXMenuBar::OnNcHitTest(CPoint point)
{
    if (m_hIcon != NULL) {
        CRect rectWindow;
        GetWindowRect(rectWindow);
        if (IsOverIconOrMDIButton(CPoint(point.x - rectWindow.left, point.y - rectWindow.top)))
            return HTCAPTION;
    }
    return (LRESULT)Default();
}

void COXMenuBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_hIcon != NULL) {
        CRect rectWindow;
        GetWindowRect(rectWindow);
        const CPoint pt(point.x - rectWindow.left, point.y - rectWindow.top);
        if (m_rectIcon.PtInRect(pt)) {
            PostMessage(WM_MENUBAR_DROPDOWN, m_hMenu != NULL ? ::GetMenuItemCount(m_hMenu) : 0);
            return;
        }
        const int nItem = MDIItemAt(pt);
        if (nItem != -1) {
            SetCapture();
            m_nPressedMDIItem = nItem;
            RedrawWindow(NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
            return;
        }
    }
    (void)nHitTest;
    Default();
}

void COXMenuBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    if (m_hIcon != NULL) {
        CRect rectWindow;
        GetWindowRect(rectWindow);
        if (m_rectIcon.PtInRect(CPoint(point.x - rectWindow.left, point.y - rectWindow.top))) {
            if (CMDIChildWnd* pChild = GetMaximizedChild())
                pChild->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
            return;
        }
    }
    Default();
}

void COXMenuBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    (void)nHitTest, (void)point;
    if (m_hIcon != NULL) {
        CWindowDC dc(this);
        GetToolbarSkin()->DrawMDIButtons(&dc, this);
    }
    Default();
}

void COXMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsFloating())
        SendMessage(TB_PRESSBUTTON, 1, MAKELPARAM(FALSE, 0));
    CPoint ptWindow(point);
    ClientToScreen(&ptWindow);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    ptWindow -= rectWindow.TopLeft();
    if (m_bDragAnywhere || IsOverIconOrMDIButton(ptWindow) || HitTest(point) >= 0)
        COXCoolToolBar::OnLButtonDown(nFlags, point);
    if (m_bCustomizationMode && m_nSecondButtonIndex == -1) {
        if (m_nDragTimer != 0) {
            KillTimer(m_nDragTimer);
            m_nDragTimer = 0;
        } else {
            m_nDragItem = (int)DefWindowProc(TB_HITTEST, 0, (LPARAM)&point);
            m_nDragTimer = SetTimer(kDragTimer, kDragDelay, NULL);
        }
    }
}

void COXMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IsFloating())
        SendMessage(TB_PRESSBUTTON, 1, MAKELPARAM(FALSE, 0));
    if (m_bDragAnywhere || HitTest(point) >= 0)
        COXCoolToolBar::OnLButtonDblClk(nFlags, point);
}

void COXMenuBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nPressedMDIItem != -1 && ::GetCapture() == m_hWnd && !m_bDragging) {
        ::ReleaseCapture();
        CPoint ptWindow(point);
        ClientToScreen(&ptWindow);
        CRect rectWindow;
        GetWindowRect(rectWindow);
        ptWindow -= rectWindow.TopLeft();
        const int nItem = m_nPressedMDIItem;
        m_nPressedMDIItem = -1;
        if (MDIItemAt(ptWindow) == nItem) {
            if (CMDIChildWnd* pChild = GetMaximizedChild()) {
                const UINT nCommand = nItem == -4 ? SC_CLOSE : nItem == -3 ? SC_RESTORE : SC_MINIMIZE;
                pChild->SendMessage(WM_SYSCOMMAND, nCommand);
            }
        }
        if (::IsWindow(m_hWnd))
            RedrawWindow(NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
        return;
    }
    COXCoolToolBar::OnLButtonUp(nFlags, point);
}

void COXMenuBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_hIcon != NULL) {
        CWindowDC dc(this);
        GetToolbarSkin()->DrawMDIButtons(&dc, this);
    }
    if (m_nDragTimer != 0 && !(nFlags & MK_LBUTTON)) {
        KillTimer(m_nDragTimer);
        m_nDragTimer = 0;
    }
    if (m_nPressedMDIItem != -1 && ::GetCapture() == m_hWnd) {
        CPoint ptWindow(point);
        ClientToScreen(&ptWindow);
        CRect rectWindow;
        GetWindowRect(rectWindow);
        ptWindow -= rectWindow.TopLeft();
        const int nUnder = MDIItemAt(ptWindow);
        (void)nUnder;
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
    }
    COXCoolToolBar::OnMouseMove(nFlags, point);
}

void COXMenuBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (IsFloating())
        SendMessage(TB_PRESSBUTTON, 1, MAKELPARAM(FALSE, 0));
    COXCoolToolBar::OnRButtonDown(nFlags, point);
}

void COXMenuBar::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags, (void)point;
    if (IsFloating())
        SendMessage(TB_PRESSBUTTON, 1, MAKELPARAM(FALSE, 0));
    Default();
}

BOOL COXMenuBar::OnDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = TBDDRET_DEFAULT;
    const int nID = ((NMTOOLBARA*)pNMHDR)->iItem;
    if (nID == m_nClosedItem + 1) {
        m_nClosedItem = -1;
        return FALSE;
    }
    const int nPos = nID - 1;
    if (nID == 0 || m_hMenu == NULL || nPos >= ::GetMenuItemCount(m_hMenu))
        return FALSE;
    const UINT nItemID = ::GetMenuItemID(m_hMenu, nPos);
    if (IsPopupId(nItemID)) {
        PostMessage(WM_MENUBAR_DROPDOWN, nPos);
    } else if (!m_bCustomizationMode) {
        EndPopup();
        m_nClosedItem = m_nPopupItem = nPos;
        m_nNextPopupItem = -1;
        PressButton(nID, TRUE);
        if (m_pFrameWnd != NULL)
            m_pFrameWnd->SendMessage(WM_COMMAND, nItemID);
        m_nClosedItem = -1;
        EndPopup();
    }
    return FALSE;
}

BOOL COXMenuBar::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    return FALSE;
}
