// COXPopupBarCtrl - the pop-up bar of cells with default, custom and tear-off
// parts, and its own pick loop.
#include "OXPopupBarCtrl.h"

#include <algorithm>
#include <vector>

#include "toolkit_res.h"

const UINT WM_OXPB_OK = ::RegisterWindowMessageA("_POPUPBAR_OK_");
const UINT WM_OXPB_CANCEL = ::RegisterWindowMessageA("_POPUPBAR_CANCEL_");
const UINT WM_OXPB_CUSTOMBUTTON = ::RegisterWindowMessageA("_POPUPBAR_CUSTOMBUTTONPICKED_");
const UINT WM_OXPB_TEAROFF = ::RegisterWindowMessageA("_POPUPBAR_TEAROFF_");

namespace {

const char kClassName[] = "PopupBarControl";
const int kTearOffHeight = 6;
const int kCaptionGrowth = 4;   // the button captions' margin, each side
const int kDragFrameWidth = 3;

CString LoadText(UINT nID)
{
    CString s;
    if (nID)
        s.LoadString(nID);   // a missing string is an empty text
    return s;
}

}  // namespace

IMPLEMENT_DYNAMIC(COXPopupBarCtrl, CWnd)

BEGIN_MESSAGE_MAP(COXPopupBarCtrl, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_KEYUP()
    ON_WM_SYSKEYUP()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_ACTIVATE()
    ON_WM_NCCREATE()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

COXPopupBarCtrl::COXPopupBarCtrl(UINT nButtons, UINT nRows, DWORD dwDefault, int cxCell, int cyCell,
                                 UINT nIDDefaultText, UINT nIDCustomText)
    : COXPopupBarCtrl(nButtons, nRows, dwDefault, cxCell, cyCell, LoadText(nIDDefaultText),
                      LoadText(nIDCustomText))
{
}

COXPopupBarCtrl::COXPopupBarCtrl(UINT nButtons, UINT nRows, DWORD dwDefault, int cxCell, int cyCell,
                                 LPCTSTR lpszDefaultText, LPCTSTR lpszCustomText)
    : m_nButtons((int)nButtons), m_nRows(std::max(1, (int)nRows)), m_dwPopupStyle(0), m_mapToolTips(10),
      m_dwSelected((DWORD)-1), m_dwDefault(dwDefault), m_nCellWidth(cxCell), m_nCellHeight(cyCell),
      m_sDefaultText(lpszDefaultText), m_sCustomText(lpszCustomText),
      m_sTearOffText(LoadText(IDS_OX_POPUPBAR_TEAROFF)), m_sWindowTitle(LoadText(IDS_OX_POPUPBAR_TITLE)),
      m_pOwner(NULL), m_nTimerID(0), m_bPointerMoved(TRUE), m_ptLastMouse(-1, -1), m_hbrBackground(NULL),
      m_rectMargins(4, 2, 4, 2), m_rectCellSpacing(0, 0, 0, 0), m_rectDefaultSpacing(0, 0, 0, 2),
      m_rectCustomSpacing(0, 2, 0, 0), m_rectTearOffSpacing(2, -1, 2, 2), m_nSelectedItem(-1),
      m_nHotItem(-1), m_bButtonDown(FALSE), m_bTearOffArmed(FALSE), m_bFloating(FALSE),
      m_nEndReason(END_NONE)
{
    m_mapToolTips.InitHashTable(17);
}

COXPopupBarCtrl::~COXPopupBarCtrl()
{
    m_arrData.RemoveAll();
    m_mapToolTips.RemoveAll();
    m_arrCellRects.RemoveAll();
    if (GetSafeHwnd())
        DestroyWindow();
    m_palette.DeleteObject();
    m_font.DeleteObject();
}

BOOL COXPopupBarCtrl::Create(CWnd* pOwner, DWORD dwPopupStyle, HBRUSH hbrBackground)
{
    m_pOwner = pOwner;
    m_dwPopupStyle = dwPopupStyle;
    m_hbrBackground = hbrBackground;
    return CreateBarWindow();
}

BOOL COXPopupBarCtrl::CreateBarWindow()
{
    WNDCLASSA wc = {};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!::GetClassInfoA(hInst, kClassName, &wc)) {
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = m_hbrBackground ? m_hbrBackground : (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        if (!AfxRegisterClass(&wc))
            return FALSE;
    }
    BOOL ok;
    HWND hOwner = m_pOwner ? m_pOwner->GetSafeHwnd() : NULL;
    if (m_bFloating) {
        ok = CreateEx(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, kClassName, m_sWindowTitle,
                      WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE, 0, 0,
                      10, 10, hOwner, NULL);
        if (ok) {
            CMenu* pMenu = GetSystemMenu(FALSE);
            if (pMenu) {
                pMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
                pMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
                pMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
                pMenu->DeleteMenu(SC_SIZE, MF_BYCOMMAND);
            }
        }
    } else {
        ok = CreateEx(WS_EX_DLGMODALFRAME, kClassName, m_sWindowTitle, WS_POPUP, 0, 0, 10, 10, hOwner, NULL);
    }
    if (!ok)
        return FALSE;
    m_nTimerID = SetTimer(HOVER_TIMER, 200, NULL);
    if (m_nTimerID == 0 || !m_toolTip.Create(this)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Values and texts
// ---------------------------------------------------------------------------

BOOL COXPopupBarCtrl::SetCellValues(const CArray<DWORD, DWORD>& arrValues)
{
    return SetCellValues(arrValues.GetData(), (int)arrValues.GetSize());
}

BOOL COXPopupBarCtrl::SetCellValues(const DWORD* pValues, int nCount)
{
    if (m_bFloating)
        EndPick(WM_OXPB_CANCEL);
    m_arrData.RemoveAll();
    return AddCellValues(pValues, nCount);
}

BOOL COXPopupBarCtrl::AddCellValues(const DWORD* pValues, int nCount)
{
    for (int i = 0; i < nCount; ++i)
        m_arrData.Add(pValues[i]);
    return TRUE;
}

BOOL COXPopupBarCtrl::SetToolTipTexts(const OXPB_TEXTID* pTexts, int nCount)
{
    m_mapToolTips.RemoveAll();
    for (int i = 0; i < nCount; ++i) {
        // A missing string is an empty tip, not a failure: the bar still opens.
        CString text = LoadText(pTexts[i].nTextID);
        m_mapToolTips.SetAt(pTexts[i].dwValue, text);
    }
    return TRUE;
}

BOOL COXPopupBarCtrl::SetToolTipTexts(const OXPB_TEXT* pTexts, int nCount)
{
    m_mapToolTips.RemoveAll();
    for (int i = 0; i < nCount; ++i) {
        CString text = pTexts[i].lpszText ? pTexts[i].lpszText : "";
        m_mapToolTips.SetAt(pTexts[i].dwValue, text);
    }
    return TRUE;
}

BOOL COXPopupBarCtrl::SetToolTipTexts(const CMap<DWORD, DWORD, CString, CString&>& mapTexts)
{
    m_mapToolTips.RemoveAll();
    POSITION pos = mapTexts.GetStartPosition();
    INT_PTR copied = 0;
    while (pos) {
        DWORD key;
        CString text;
        mapTexts.GetNextAssoc(pos, key, text);
        m_mapToolTips.SetAt(key, text);
        ++copied;
    }
    if (copied != mapTexts.GetCount()) {
        m_mapToolTips.RemoveAll();
        return FALSE;
    }
    return TRUE;
}

void COXPopupBarCtrl::SetFont(CFont* pFont)
{
    LOGFONT lf;
    if (!pFont || !pFont->GetLogFont(&lf))
        return;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
}

void COXPopupBarCtrl::SetPalette(CPalette* pPalette)
{
    m_palette.DeleteObject();
    if (!pPalette || !pPalette->GetSafeHandle())
        return;
    int n = pPalette->GetEntryCount();
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + std::max(n, 1) * sizeof(PALETTEENTRY));
    LOGPALETTE* pLog = (LOGPALETTE*)buffer.data();
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)n;
    pPalette->GetPaletteEntries(0, n, pLog->palPalEntry);
    m_palette.CreatePalette(pLog);
}

// ---------------------------------------------------------------------------
// Layout, placement and navigation (no window needed)
// ---------------------------------------------------------------------------

CRect COXPopupBarCtrl::GetCellRect(int nCell) const
{
    if (nCell < 1 || nCell > m_arrCellRects.GetSize())
        return CRect(0, 0, 0, 0);
    return m_arrCellRects[nCell - 1];
}

void COXPopupBarCtrl::CalculateLayout(int cyDefaultText, int cyCustomText)
{
    const int cxFrame = ::GetSystemMetrics(SM_CXDLGFRAME), cyFrame = ::GetSystemMetrics(SM_CYDLGFRAME);
    const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    const CRect& m = m_rectMargins;
    const CRect& cs = m_rectCellSpacing;
    const int columns = GetColumnCount();

    int W = columns * (m_nCellWidth + cs.right + cs.left) + 2 * cxFrame + m.right + m.left;
    int H = m_nRows * (m_nCellHeight + cs.bottom + cs.top) + 2 * cyFrame + m.bottom + m.top;
    if (m_bFloating)
        H += cyCaption;
    // The width inside the frame and margins that a full-width part has.
    auto partRight = [&](int left, const CRect& spacing) {
        return left + W - 2 * cxFrame - spacing.right - spacing.left - m.right - m.left;
    };

    int tearOffBlock = 0;
    m_rectTearOff.SetRectEmpty();
    if (IsTearOffShown()) {
        const CRect& ts = m_rectTearOffSpacing;
        m_rectTearOff.left = ts.left + m.left;
        m_rectTearOff.right = partRight(m_rectTearOff.left, ts);
        m_rectTearOff.top = m.top + ts.top;
        m_rectTearOff.bottom = m_rectTearOff.top + kTearOffHeight;
        tearOffBlock = ts.bottom + ts.top + kTearOffHeight;
        H += tearOffBlock;
    }

    int defaultBlock = 0;
    m_rectDefaultButton.SetRectEmpty();
    if (IsDefaultShown()) {
        const CRect& ds = m_rectDefaultSpacing;
        int height = cyDefaultText + 2 * kCaptionGrowth;
        m_rectDefaultButton.left = m.left + ds.left;
        m_rectDefaultButton.top = ds.top + m.top + tearOffBlock;
        m_rectDefaultButton.right = partRight(m_rectDefaultButton.left, ds);
        m_rectDefaultButton.bottom = m_rectDefaultButton.top + height;
        defaultBlock = ds.bottom + height + ds.top;
        H += defaultBlock;
    }

    m_rectCustomButton.SetRectEmpty();
    if (IsCustomShown()) {
        const CRect& us = m_rectCustomSpacing;
        int height = cyCustomText + 2 * kCaptionGrowth;
        m_rectCustomButton.left = m.left + us.left;
        m_rectCustomButton.right = partRight(m_rectCustomButton.left, us);
        m_rectCustomButton.top = H - 2 * cyFrame - m.top + us.top - (m_bFloating ? cyCaption : 0);
        m_rectCustomButton.bottom = m_rectCustomButton.top + height;
        H += us.bottom + height + us.top;
    }

    int x0 = m.left + cs.left, y0 = m.top + cs.top + defaultBlock + tearOffBlock;
    m_arrCellRects.SetSize(m_nButtons);
    for (int k = 1; k <= m_nButtons; ++k) {
        int row = (k - 1) / columns, column = (k - 1) % columns;
        int left = x0 + column * (m_nCellWidth + cs.right + cs.left);
        int top = y0 + row * (m_nCellHeight + cs.bottom + cs.top);
        m_arrCellRects[k - 1] = CRect(left, top, left + m_nCellWidth, top + m_nCellHeight);
    }
    m_rectWindow = CRect(0, 0, W, H);
}

BOOL COXPopupBarCtrl::PlaceBar(UINT nAlignment, const CRect& P, int dx, int dy, CSize size, CSize work,
                               CPoint& pt)
{
    const int w = size.cx, h = size.cy;
    if (w > work.cx || h > work.cy)
        return FALSE;
    int x = pt.x, y = pt.y;
    switch (nAlignment) {
    case 0: case 4:     // left of P
        x = P.left - w - dx;
        if (x < 0) {
            x = P.right + dx;
            if (x + w > work.cx)
                return FALSE;
        }
        break;
    case 1: case 5:     // right of P
        x = P.right + dx;
        if (x + w > work.cx) {
            x = P.left - w - dx;
            if (x < 0)
                return FALSE;
        }
        break;
    case 2: case 3:
        x = P.left + dx;
        break;
    case 6: case 7:
        x = P.right - dx - w;
        break;
    default:
        break;
    }
    switch (nAlignment) {
    case 0: case 1:
        y = P.top + dy;
        break;
    case 4: case 5:
        y = P.bottom - dy - h;
        break;
    case 2: case 6:     // above P
        y = P.top - h - dy;
        if (y < 0) {
            y = P.bottom + dy;
            if (y + h > work.cy)
                return FALSE;
        }
        break;
    case 3: case 7:     // below P
        y = P.bottom + dy;
        if (y + h > work.cy) {
            y = P.top - h - dy;
            if (y < 0)
                return FALSE;
        }
        break;
    default:
        break;
    }
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    if (x + w > work.cx)
        x = work.cx - w;
    if (y + h > work.cy)
        y = work.cy - h;
    pt = CPoint(x, y);
    return TRUE;
}

int COXPopupBarCtrl::NavigateKey(UINT nKey, BOOL bShift, int h, int n, int c, BOOL bDefault, BOOL bCustom)
{
    const int first = bDefault ? 0 : 1;
    const int last = bCustom ? n + 1 : n;
    const int custom = n + 1;
    auto isCell = [&](int i) { return i >= 1 && i <= n; };
    auto topRow = [&](int i) { return isCell(i) && i - 1 < c; };
    switch (nKey) {
    case VK_TAB:
        if (!bShift) {
            if (h == -1 || h == last || (isCell(h) && !bCustom))
                return first;
            if (h == 0)
                return 1;
            return custom;
        }
        if (h == -1 || h == first || (isCell(h) && !bDefault))
            return bCustom ? custom : 1;
        if (h == custom)
            return 1;
        return first;
    case VK_LEFT:
        return (h == -1 || h == first) ? last : h - 1;
    case VK_RIGHT:
        return (h == -1 || h == last) ? first : h + 1;
    case VK_UP:
        if (h == -1 || h == first || (!bDefault && topRow(h)))
            return last;
        if (h == custom)
            return n;
        if (topRow(h))
            return 0;
        return h - c;
    case VK_DOWN:
        if (h == -1 || h == last)
            return first;
        if (h == 0)
            return 1;
        if (h + c <= n)
            return h + c;
        return bCustom ? custom : first;
    default:
        return h;
    }
}

int COXPopupBarCtrl::HitTest(CPoint pt) const
{
    if (IsDefaultShown() && m_rectDefaultButton.PtInRect(pt))
        return ITEM_DEFAULT;
    for (int k = 1; k <= m_arrCellRects.GetSize(); ++k)
        if (m_arrCellRects[k - 1].PtInRect(pt))
            return k;
    if (IsCustomShown() && m_rectCustomButton.PtInRect(pt))
        return m_nButtons + 1;
    return ITEM_NONE;
}

int COXPopupBarCtrl::ValueToIndex(DWORD dwValue) const
{
    if (dwValue == (DWORD)-1)
        return ITEM_NONE;
    if (IsDefaultShown() && dwValue == m_dwDefault)
        return ITEM_DEFAULT;
    for (int i = 0; i < m_arrData.GetSize() && i < m_nButtons; ++i)
        if (m_arrData[i] == dwValue)
            return i + 1;
    return IsCustomShown() ? m_nButtons + 1 : ITEM_NONE;
}

void COXPopupBarCtrl::InvalidateItem(int nIndex)
{
    if (!GetSafeHwnd())
        return;
    CRect rect;
    if (nIndex == ITEM_DEFAULT)
        rect = m_rectDefaultButton;
    else if (nIndex == m_nButtons + 1)
        rect = m_rectCustomButton;
    else if (nIndex >= 1 && nIndex <= m_arrCellRects.GetSize())
        rect = m_arrCellRects[nIndex - 1];
    if (!rect.IsRectEmpty())
        InvalidateRect(&rect, FALSE);
}

void COXPopupBarCtrl::SetHotItem(int nIndex)
{
    if (nIndex == m_nHotItem)
        return;
    int old = m_nHotItem;
    m_nHotItem = nIndex;
    InvalidateItem(old);
    InvalidateItem(nIndex);
}

void COXPopupBarCtrl::SetSelectedItem(int nIndex)
{
    if (nIndex == m_nSelectedItem)
        return;
    int old = m_nSelectedItem;
    m_nSelectedItem = nIndex;
    InvalidateItem(old);
    InvalidateItem(nIndex);
}

// ---------------------------------------------------------------------------
// Picking
// ---------------------------------------------------------------------------

BOOL COXPopupBarCtrl::ComputeLayout()
{
    if (!m_font.GetSafeHandle()) {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof(ncm);
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
            m_font.CreateFontIndirect(&ncm.lfMessageFont);
    }
    CClientDC dc(this);
    CFont* pOld = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : NULL;
    CRect rcDefault(0, 0, 0, 0), rcCustom(0, 0, 0, 0);
    dc.DrawText(m_sDefaultText.IsEmpty() ? CString(" ") : m_sDefaultText, &rcDefault, DT_CALCRECT);
    dc.DrawText(m_sCustomText.IsEmpty() ? CString(" ") : m_sCustomText, &rcCustom, DT_CALCRECT);
    if (pOld)
        dc.SelectObject(pOld);
    CalculateLayout(rcDefault.Height(), rcCustom.Height());
    return TRUE;
}

BOOL COXPopupBarCtrl::SetupToolTips()
{
    if (!m_toolTip.GetSafeHwnd())
        return FALSE;
    // Every id a tool can have: cells, default, custom, tear-off.
    for (int id = 1; id <= m_nButtons + 3; ++id)
        m_toolTip.DelTool(this, id);
    for (int k = 1; k <= m_nButtons && k <= m_arrData.GetSize(); ++k) {
        CString text;
        if (m_mapToolTips.Lookup(m_arrData[k - 1], text) && !text.IsEmpty())
            if (!m_toolTip.AddTool(this, text, &m_arrCellRects[k - 1], k))
                return FALSE;
    }
    if (IsDefaultShown() && !m_sDefaultText.IsEmpty() &&
        !m_toolTip.AddTool(this, m_sDefaultText, &m_rectDefaultButton, m_nButtons + 1))
        return FALSE;
    if (IsCustomShown() && !m_sCustomText.IsEmpty() &&
        !m_toolTip.AddTool(this, m_sCustomText, &m_rectCustomButton, m_nButtons + 2))
        return FALSE;
    if (IsTearOffShown() && !m_sTearOffText.IsEmpty() &&
        !m_toolTip.AddTool(this, m_sTearOffText, &m_rectTearOff, m_nButtons + 3))
        return FALSE;
    m_toolTip.Activate(!(m_dwPopupStyle & OXPB_NOTOOLTIPS));
    return TRUE;
}

BOOL COXPopupBarCtrl::Pick(UINT nAlignment, CRect* pParentRect, int nOffsetHorz, int nOffsetVert)
{
    if (m_bFloating) {
        DestroyWindow();
        m_bFloating = FALSE;
        if (!CreateBarWindow())
            return FALSE;
    }
    if (!GetSafeHwnd())
        return FALSE;
    while (m_arrData.GetSize() < m_nButtons)
        m_arrData.Add(0);
    if (!ComputeLayout())
        return FALSE;

    CRect work;
    CWnd* pMain = AfxGetMainWnd();
    if (pMain && pMain->GetSafeHwnd() && (pMain->GetExStyle() & WS_EX_TOPMOST))
        ::GetWindowRect(::GetDesktopWindow(), &work);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    CRect parent;
    if (pParentRect)
        parent = *pParentRect;
    else if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->GetWindowRect(&parent);
    CPoint pt(0, 0);
    if (!PlaceBar(nAlignment, parent, nOffsetHorz, nOffsetVert, m_rectWindow.Size(), work.Size(), pt))
        return FALSE;

    m_nHotItem = ITEM_NONE;
    m_nSelectedItem = m_dwSelected != (DWORD)-1 ? ValueToIndex(m_dwSelected) : ITEM_NONE;
    if (!SetupToolTips())
        return FALSE;

    SetWindowPos(NULL, pt.x, pt.y, m_rectWindow.Width(), m_rectWindow.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    UpdateWindow();
    HWND hFocus = ::GetFocus();
    ::SetFocus(NULL);
    HWND hOldCapture = ::GetCapture();
    SetCapture();
    m_bButtonDown = FALSE;
    m_nEndReason = END_NONE;

    MSG pending = {};
    BOOL bPending = FALSE;
    while (::GetCapture() == m_hWnd) {
        MSG msg;
        BOOL got = ::GetMessage(&msg, NULL, 0, 0);
        if (got == 0) {
            // The program is quitting: the quit goes back on the queue for the
            // main loop, and the pick ends as a cancel.
            ::PostQuitMessage((int)msg.wParam);
            m_nEndReason = END_CANCEL;
            bPending = FALSE;
            break;
        }
        if (got == -1)
            break;
        if (m_toolTip.GetSafeHwnd())
            m_toolTip.RelayEvent(&msg);
        if (msg.message == WM_SYSKEYDOWN) {
            HandleKeyDown((UINT)msg.wParam);
        } else if (msg.message == WM_SYSKEYUP) {
            HandleKeyUp((UINT)msg.wParam);
        } else if (msg.message == WM_OXPB_OK && msg.hwnd == m_hWnd) {
            m_nEndReason = END_OK;
        } else if (msg.message == WM_OXPB_CANCEL && msg.hwnd == m_hWnd) {
            m_nEndReason = END_CANCEL;
        } else if (msg.message == WM_OXPB_CUSTOMBUTTON && msg.hwnd == m_hWnd) {
            m_nEndReason = END_CUSTOM;
            break;
        } else if (msg.message == WM_OXPB_TEAROFF && msg.hwnd == m_hWnd) {
            m_nEndReason = END_TEAROFF;
            break;
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (msg.message == WM_LBUTTONDOWN) {
            pending = msg;
            bPending = TRUE;
        } else if (m_nEndReason != END_NONE) {
            break;
        } else {
            bPending = FALSE;
        }
    }

    if (m_nEndReason != END_TEAROFF)
        ShowWindow(SW_HIDE);
    BOOL bResult = FALSE;
    if (m_nEndReason == END_CUSTOM)
        bResult = OnCustomButton();
    else if (m_nEndReason == END_OK)
        bResult = TRUE;
    if (hFocus && ::IsWindow(hFocus))
        ::SetFocus(hFocus);
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        if (hOldCapture && ::IsWindow(hOldCapture))
            ::SetCapture(hOldCapture);
    }
    m_bButtonDown = FALSE;
    if (bPending && m_nEndReason != END_OK)
        ForwardPendingClick(pending);
    if (m_nEndReason == END_TEAROFF)
        TearOff();
    return bResult;
}

// The click outside that cancelled the bar goes on to the window under it.
void COXPopupBarCtrl::ForwardPendingClick(const MSG& msg)
{
    CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
    ::ClientToScreen(msg.hwnd, &pt);
    HWND hTarget = ::WindowFromPoint(pt);
    if (!hTarget || hTarget == m_hWnd)
        return;
    LRESULT hit = ::SendMessage(hTarget, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    if (hit == HTCLIENT) {
        ::ScreenToClient(hTarget, &pt);
        ::PostMessage(hTarget, WM_LBUTTONDOWN, HTCLIENT, MAKELPARAM(pt.x, pt.y));
    } else {
        ::PostMessage(hTarget, WM_NCLBUTTONDOWN, (WPARAM)hit, MAKELPARAM(pt.x, pt.y));
    }
}

void COXPopupBarCtrl::EndPick(UINT nMessage)
{
    if (!m_bFloating) {
        PostMessage(nMessage);
        return;
    }
    if (nMessage == WM_OXPB_CUSTOMBUTTON) {
        if (!OnCustomButton())
            return;
    } else if (nMessage == WM_OXPB_CANCEL) {
        m_bPointerMoved = FALSE;
        ShowWindow(SW_HIDE);
        return;
    }
    Invalidate();
    if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->PostMessage(WM_OXPB_FLOATPICKED, 0, (LPARAM)m_hWnd);
}

void COXPopupBarCtrl::ChooseItem(int nIndex)
{
    if (nIndex == m_nButtons + 1) {
        EndPick(WM_OXPB_CUSTOMBUTTON);
        return;
    }
    SetSelectedItem(nIndex);
    m_dwSelected = nIndex == ITEM_DEFAULT ? m_dwDefault : m_arrData[nIndex - 1];
    EndPick(WM_OXPB_OK);
}

// ---------------------------------------------------------------------------
// Mouse and keys
// ---------------------------------------------------------------------------

void COXPopupBarCtrl::OnButtonDown(CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        m_bButtonDown = TRUE;
        InvalidateItem(HitTest(point));
    } else if (!m_bFloating) {
        EndPick(WM_OXPB_CANCEL);
    }
    if (IsTearOffShown() && m_rectTearOff.PtInRect(point))
        m_bTearOffArmed = TRUE;
}

void COXPopupBarCtrl::OnButtonUp(CPoint point)
{
    (void)point;
    m_bTearOffArmed = FALSE;
    if (m_bButtonDown) {
        if (m_nHotItem != ITEM_NONE)
            ChooseItem(m_nHotItem);
        else if (!m_bFloating)
            EndPick(WM_OXPB_CANCEL);
    }
    m_bButtonDown = FALSE;
}

void COXPopupBarCtrl::OnLButtonDown(UINT, CPoint point) { OnButtonDown(point); }
void COXPopupBarCtrl::OnRButtonDown(UINT, CPoint point) { OnButtonDown(point); }
void COXPopupBarCtrl::OnLButtonUp(UINT, CPoint point) { OnButtonUp(point); }
void COXPopupBarCtrl::OnRButtonUp(UINT, CPoint point) { OnButtonUp(point); }

void COXPopupBarCtrl::OnMouseMove(UINT, CPoint point)
{
    if (m_bFloating) {
        m_bPointerMoved = TRUE;
    } else if (m_bTearOffArmed && !m_rectTearOff.PtInRect(point)) {
        m_bTearOffArmed = FALSE;
        PostMessage(WM_OXPB_TEAROFF);
        return;
    }
    if (point != m_ptLastMouse) {
        m_ptLastMouse = point;
        SetHotItem(HitTest(point));
    }
}

void COXPopupBarCtrl::HandleKeyDown(UINT nChar)
{
    if (m_bFloating && (nChar == VK_DOWN || nChar == VK_UP || nChar == VK_RIGHT || nChar == VK_TAB ||
                        nChar == VK_RETURN || nChar == VK_SPACE))
        m_bPointerMoved = FALSE;
    switch (nChar) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        SetHotItem(NavigateKey(nChar, ::GetKeyState(VK_SHIFT) < 0, m_nHotItem, m_nButtons, GetColumnCount(),
                               IsDefaultShown(), IsCustomShown()));
        break;
    case VK_RETURN:
        if (m_nHotItem != ITEM_NONE)
            ChooseItem(m_nHotItem);
        else if (!m_bFloating)
            EndPick(WM_OXPB_CANCEL);
        break;
    case VK_SPACE:
        if (!m_bButtonDown && m_nHotItem != ITEM_NONE) {
            m_bButtonDown = TRUE;
            InvalidateItem(m_nHotItem);
        }
        break;
    default:
        break;
    }
}

void COXPopupBarCtrl::HandleKeyUp(UINT nChar)
{
    if (nChar == VK_ESCAPE) {
        EndPick(WM_OXPB_CANCEL);
    } else if (nChar == VK_SPACE) {
        m_bButtonDown = FALSE;
        if (m_nHotItem != ITEM_NONE)
            ChooseItem(m_nHotItem);
        else if (!m_bFloating)
            EndPick(WM_OXPB_CANCEL);
    }
}

void COXPopupBarCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    HandleKeyDown(nChar);
    Default();
}

void COXPopupBarCtrl::OnSysKeyDown(UINT nChar, UINT, UINT)
{
    HandleKeyDown(nChar);
    Default();
}

void COXPopupBarCtrl::OnKeyUp(UINT nChar, UINT, UINT)
{
    HandleKeyUp(nChar);
    Default();
}

void COXPopupBarCtrl::OnSysKeyUp(UINT nChar, UINT, UINT)
{
    HandleKeyUp(nChar);
    Default();
}

void COXPopupBarCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != HOVER_TIMER) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (m_bFloating && m_bPointerMoved) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (HitTest(pt) == ITEM_NONE)
            SetHotItem(ITEM_NONE);
    }
}

// ---------------------------------------------------------------------------
// Tear-off
// ---------------------------------------------------------------------------

void COXPopupBarCtrl::DrawTearOffFrame(CDC* pDC, const CRect& rect, const CRect* pLast)
{
    CSize size = rect.IsRectEmpty() ? CSize(0, 0) : CSize(kDragFrameWidth, kDragFrameWidth);
    pDC->DrawDragRect(&rect, size, pLast, CSize(kDragFrameWidth, kDragFrameWidth));
}

void COXPopupBarCtrl::TearOff()
{
    CPoint ptCursor((short)LOWORD(::GetMessagePos()), (short)HIWORD(::GetMessagePos()));
    CRect rectBar;
    GetWindowRect(&rectBar);
    if (!rectBar.PtInRect(ptCursor) || (::GetCapture() != NULL && ::GetCapture() != m_hWnd)) {
        ShowWindow(SW_HIDE);
        return;
    }
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    pDesktop->LockWindowUpdate();
    CDC* pDC = pDesktop->GetDCEx(NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    CPoint ptStart = ptCursor;
    CRect rectDrag = rectBar;
    DrawTearOffFrame(pDC, rectDrag, NULL);
    SetCapture();
    BOOL bDone = FALSE, bCancelled = FALSE;
    while (!bDone && ::GetCapture() == m_hWnd) {
        MSG msg;
        BOOL got = ::GetMessage(&msg, NULL, 0, 0);
        if (got == 0) {
            ::PostQuitMessage((int)msg.wParam);
            bCancelled = TRUE;
            break;
        }
        if (got == -1)
            break;
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            CRect rectLast = rectDrag;
            rectDrag = rectBar;
            rectDrag.OffsetRect(pt - ptStart);
            DrawTearOffFrame(pDC, rectDrag, &rectLast);
            break;
        }
        case WM_LBUTTONUP:
            bDone = TRUE;
            break;
        case WM_RBUTTONDOWN:
            bCancelled = TRUE;
            bDone = TRUE;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                bCancelled = TRUE;
                bDone = TRUE;
            }
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    if (!bDone)
        bCancelled = TRUE;
    DrawTearOffFrame(pDC, CRect(0, 0, 0, 0), &rectDrag);
    pDesktop->ReleaseDC(pDC);
    pDesktop->UnlockWindowUpdate();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (bCancelled) {
        ShowWindow(SW_HIDE);
        return;
    }
    // Finished: the bar becomes a floating tool window where the frame was.
    m_toolTip.DestroyWindow();
    DestroyWindow();
    m_bFloating = TRUE;
    if (!CreateBarWindow())
        return;
    ComputeLayout();
    SetupToolTips();
    SetWindowPos(NULL, rectDrag.left, rectDrag.top, m_rectWindow.Width(), m_rectWindow.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

// ---------------------------------------------------------------------------
// Painting and window life
// ---------------------------------------------------------------------------

void COXPopupBarCtrl::OnPaint()
{
    CPaintDC dc(this);
    CPalette* pOldPalette = NULL;
    if (m_palette.GetSafeHandle()) {
        pOldPalette = dc.SelectPalette(&m_palette, FALSE);
        dc.RealizePalette();
    }
    // Everything the bar and a derived class draw is in the bar's font, not
    // in the paint DC's System font.
    CFont* pOldFont = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : NULL;
    DrawBackground(&dc);
    for (int k = 1; k <= m_nButtons; ++k)
        DrawCell(&dc, k);
    if (IsTearOffShown())
        DrawTearOffBar(&dc);
    if (IsDefaultShown())
        DrawDefaultButton(&dc);
    if (IsCustomShown())
        DrawCustomButton(&dc);
    if (pOldFont)
        dc.SelectObject(pOldFont);
    if (pOldPalette)
        dc.SelectPalette(pOldPalette, FALSE);
}

BOOL COXPopupBarCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COXPopupBarCtrl::DrawBackground(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    HBRUSH hbr = (HBRUSH)::GetClassLongPtr(m_hWnd, GCLP_HBRBACKGROUND);
    ::FillRect(pDC->GetSafeHdc(), &rect, hbr ? hbr : ::GetSysColorBrush(COLOR_BTNFACE));
}

void COXPopupBarCtrl::DrawItemFrame(CDC* pDC, CRect& rect, int nIndex)
{
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (nIndex == m_nSelectedItem)
        pDC->Draw3dRect(&rect, shadow, light);
    else if (nIndex == m_nHotItem)
        pDC->Draw3dRect(&rect, m_bButtonDown ? shadow : light, m_bButtonDown ? light : shadow);
    rect.DeflateRect(1, 1);
    if (nIndex == m_nSelectedItem && nIndex != m_nHotItem)
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_3DLIGHT));
}

void COXPopupBarCtrl::DrawCell(CDC* pDC, int nIndex)
{
    if (nIndex < 1 || nIndex > m_arrCellRects.GetSize())
        return;
    CRect rect = m_arrCellRects[nIndex - 1];
    DrawItemFrame(pDC, rect, nIndex);
}

void COXPopupBarCtrl::DrawTearOffBar(CDC* pDC)
{
    pDC->FillSolidRect(&m_rectTearOff, ::GetSysColor(COLOR_HIGHLIGHT));
}

void COXPopupBarCtrl::DrawCaption(CDC* pDC, const CString& text, CRect rect)
{
    CFont* pOld = m_font.GetSafeHandle() ? pDC->SelectObject(&m_font) : NULL;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (pOld)
        pDC->SelectObject(pOld);
}

void COXPopupBarCtrl::DrawDefaultButton(CDC* pDC)
{
    CRect rect = m_rectDefaultButton;
    DrawItemFrame(pDC, rect, ITEM_DEFAULT);
    rect.DeflateRect(2, 2);
    ::FrameRect(pDC->GetSafeHdc(), &rect, ::GetSysColorBrush(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    DrawCaption(pDC, m_sDefaultText, rect);
}

void COXPopupBarCtrl::DrawCustomButton(CDC* pDC)
{
    CRect rect = m_rectCustomButton;
    DrawItemFrame(pDC, rect, m_nButtons + 1);
    rect.DeflateRect(3, 3);
    DrawCaption(pDC, m_sCustomText, rect);
}

BOOL COXPopupBarCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd()) {
        m_toolTip.Activate(!(m_dwPopupStyle & OXPB_NOTOOLTIPS));
        m_toolTip.RelayEvent(pMsg);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL COXPopupBarCtrl::OnQueryNewPalette()
{
    Invalidate();
    return (BOOL)Default();
}

void COXPopupBarCtrl::OnPaletteChanged(CWnd* pFocusWnd)
{
    if (pFocusWnd != this)
        Invalidate();
}

void COXPopupBarCtrl::OnClose()
{
    if (m_bFloating)
        ShowWindow(SW_HIDE);
    else
        Default();
}

void COXPopupBarCtrl::OnDestroy()
{
    if (m_nTimerID)
        KillTimer(m_nTimerID);
    m_nTimerID = 0;
    CWnd::OnDestroy();
}

void COXPopupBarCtrl::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE && !bMinimized)
        SetFocus();
}

// ---------------------------------------------------------------------------
// A floating bar's caption follows its owner's activation
// ---------------------------------------------------------------------------

// The owner's top-level window, or the pop-up it last activated, is the
// active window.
BOOL COXPopupBarCtrl::IsOwnerInFront() const
{
    if (!m_pOwner || !m_pOwner->GetSafeHwnd())
        return FALSE;
    HWND hTop = ::GetAncestor(m_pOwner->GetSafeHwnd(), GA_ROOT);
    HWND hActive = ::GetActiveWindow();
    return hActive != NULL && (hActive == hTop || hActive == ::GetLastActivePopup(hTop));
}

BOOL COXPopupBarCtrl::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CWnd::OnNcCreate(lpCreateStruct))
        return FALSE;
    if (m_bFloating && (lpCreateStruct->style & MFS_SYNCACTIVE) && IsOwnerInFront())
        m_nFlags |= WF_STAYACTIVE;
    return TRUE;
}

BOOL COXPopupBarCtrl::OnNcActivate(BOOL bActive)
{
    if (m_bFloating && (m_nFlags & WF_STAYACTIVE))
        bActive = TRUE;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

LRESULT COXPopupBarCtrl::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (!m_bFloating)
        return 0;
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) {
        BOOL bActive = (wParam & FS_ACTIVATE) != 0;
        if (bActive)
            m_nFlags |= WF_STAYACTIVE;
        else
            m_nFlags &= ~WF_STAYACTIVE;
        SendMessage(WM_NCACTIVATE, bActive);
    }
    // Activating the bar keeps its owner's caption active.
    return (wParam & FS_SYNCACTIVE) ? 1 : 0;
}
