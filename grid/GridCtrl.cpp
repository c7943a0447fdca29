// GridCtrl.cpp - CGridCtrl: construction, the window class, creation, the message map
// and notifications to the owner. Each of the other GridCtrl*.cpp holds one concern.
#include "GridCtrl.h"
#include <stdlib.h>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

// ===========================================================================
// Construction and window
// ===========================================================================

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
{
    RegisterWindowClass();

    // OLE for drag and drop and the clipboard, when MFC has not started it.
    static BOOL bOleChecked = FALSE;
    if (!bOleChecked) {
        bOleChecked = TRUE;
        HRESULT hr = ::OleInitialize(NULL);
        if (FAILED(hr) && hr != RPC_E_CHANGED_MODE)
            AfxMessageBox(_T("OLE initialization failed. Make sure that the OLE libraries are the correct version"));
    }

    m_crSysWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crSysWindow = ::GetSysColor(COLOR_WINDOW);
    m_crSysFace = ::GetSysColor(COLOR_3DFACE);
    m_crSysShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_crLines = RGB(192, 192, 192);
    m_crGridBack = m_crSysShadow;

    m_nRows = 0;
    m_nCols = 0;
    m_nFixedRows = 0;
    m_nFixedCols = 0;

    m_bVirtualMode = FALSE;
    m_pfnCallback = NULL;
    m_lParamCallback = 0;

    m_nVScrollMax = 0;
    m_nHScrollMax = 0;
    m_nShownBars = GRIDLINES_NONE;
    m_nMouseMode = MOUSE_SELECT_CELLS;   // 4 until the pointer first hovers
    m_nGridLines = GRIDLINES_BOTH;
    m_bEditable = FALSE;
    m_bListMode = FALSE;
    m_bSingleRowSelection = TRUE;
    m_bSingleColSelection = TRUE;
    m_bLeftButtonDown = FALSE;
    m_bRightButtonDown = FALSE;
    m_bAllowDraw = TRUE;
    m_bEnableSelection = TRUE;
    m_bFixedColumnSelection = TRUE;
    m_bFixedRowSelection = FALSE;
    m_bAllowRowResize = TRUE;
    m_bAllowColumnResize = TRUE;
    m_bSortOnClick = FALSE;
    m_bWantTab = TRUE;
    m_bDoubleBuffer = TRUE;
    m_bTitleTips = TRUE;
    m_bPrintAtScreenSize = FALSE;
    m_bReopenHiddenColumns = TRUE;
    m_bReopenHiddenRows = TRUE;
    m_bAllowColumnHide = TRUE;
    m_bAllowRowHide = TRUE;
    m_bMarkFocusHeaders = TRUE;
    m_bFocusFrame = TRUE;
    m_nAutoSizeStyle = AUTOSIZE_BOTH;
    m_bModified = FALSE;
    m_bAllowDragAndDrop = FALSE;

    m_bSortAscending = TRUE;
    m_nSortColumn = -1;
    m_pfnCompare = NULL;

    m_nAutoScrollTimer = 0;
    m_nAutoScrollInterval = 25;
    m_nResizeMargin = 3;
    m_pImageList = NULL;

    m_bPrintColours = TRUE;
    m_nHeaderHeight = 2;
    m_nFooterHeight = 2;
    m_nLeftMargin = 4;
    m_nRightMargin = 4;
    m_nTopMargin = 1;
    m_nBottomMargin = 1;
    m_nGap = 1;
    m_nPageHeight = 0;
    m_nPageWidth = 0;
    m_nCurrPrintCol = m_nPrintColEnd = 0;
    m_nCurrPrintRow = m_nPrintRowEnd = 0;
    m_nNumPages = 0;
    m_nPagesDown = 0;
    m_nPagesAcross = 0;

    m_bInSize = FALSE;
    m_bInPreSubclass = FALSE;
    m_bCellsKnowTheirPlace = FALSE;
    m_bBarsRedrawPosted = FALSE;

    // Rows per wheel notch: the system's setting, else the registry's, else 3.
    m_nWheelScrollLines = 3;
    UINT nLines = 0;
    if (::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
        m_nWheelScrollLines = (nLines == WHEEL_PAGESCROLL) ? -1 : (int)nLines;
    else {
        HKEY hKey;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, _T("Control Panel\\Desktop"), 0, KEY_QUERY_VALUE, &hKey) ==
            ERROR_SUCCESS) {
            TCHAR szData[128];
            DWORD dwKeyDataType, dwDataBufSize = sizeof(szData);
            if (RegQueryValueEx(hKey, _T("WheelScrollLines"), NULL, &dwKeyDataType, (LPBYTE)&szData,
                                &dwDataBufSize) == ERROR_SUCCESS)
                m_nWheelScrollLines = (int)_tcstoul(szData, NULL, 10);
            RegCloseKey(hKey);
        }
    }

    m_pCellClass = RUNTIME_CLASS(CGridCell);
    SetupDefaultCells();
    m_crGridBack = m_crSysShadow;

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);

    m_crTitleTipText = CLR_DEFAULT;
    m_crTitleTipBack = CLR_DEFAULT;

    ClearSelectionAndFocus();
    m_mapPrevSelected.RemoveAll();
    m_mapSelected.InitHashTable(17);
    m_mapPrevSelected.InitHashTable(17);
    m_bModified = FALSE;
}

CGridCtrl::~CGridCtrl()
{
    DeleteAllItems();

    if (m_bTitleTips && ::IsWindow(m_TitleTip.GetSafeHwnd()))
        m_TitleTip.DestroyWindow();

    if (::IsWindow(GetSafeHwnd()))
        DestroyWindow();

    // Clipboard data of this grid outlives it.
    COleDataSource* pSource = COleDataSource::GetClipboardOwner();
    if (pSource != NULL)
        COleDataSource::FlushClipboard();
}

BOOL CGridCtrl::RegisterWindowClass()
{
    WNDCLASS wndcls;
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!(::GetClassInfo(hInst, GRID_WNDCLASS, &wndcls))) {
        memset(&wndcls, 0, sizeof(wndcls));
        wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wndcls.hbrBackground = (HBRUSH)(COLOR_3DFACE + 1);
        wndcls.lpszClassName = GRID_WNDCLASS;
        if (!AfxRegisterClass(&wndcls)) {
            AfxThrowResourceException();
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CGridCtrl::Initialise()
{
    // A grid attached to a dialog control (PreSubclassWindow) or created: the title tip's
    // parent is the grid.
    m_TitleTip.SetParentWnd(this);
    return TRUE;
}

void CGridCtrl::SetupDefaultCells()
{
    m_defCellNormal.SetGrid(this);
    m_defCellFixedCol.SetGrid(this);
    m_defCellFixedRow.SetGrid(this);
    m_defCellFixedBoth.SetGrid(this);

    m_defCellNormal.SetTextClr(m_crSysWindowText);
    m_defCellNormal.SetBackClr(m_crSysWindow);
    m_defCellFixedCol.SetTextClr(m_crSysWindowText);
    m_defCellFixedCol.SetBackClr(m_crSysFace);
    m_defCellFixedRow.SetTextClr(m_crSysWindowText);
    m_defCellFixedRow.SetBackClr(m_crSysFace);
    m_defCellFixedBoth.SetTextClr(m_crSysWindowText);
    m_defCellFixedBoth.SetBackClr(m_crSysFace);
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    Initialise();
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);

    // Force the frame to be recalculated (guarded against re-entry).
    if (!m_bInPreSubclass && ::IsWindow(GetSafeHwnd()) && GetParent() != NULL) {
        m_bInPreSubclass = TRUE;
        CRect rect;
        GetWindowRect(rect);
        GetParent()->ScreenToClient(rect);
        rect.InflateRect(1, 1);
        MoveWindow(rect);
        rect.DeflateRect(1, 1);
        MoveWindow(rect);
        m_bInPreSubclass = FALSE;
    }
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!CWnd::Create(GRID_WNDCLASS, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;

    Initialise();

    // Every column the normal default width, every row its height.
    for (int i = 0; i < m_nRows; i++)
        m_arRows[i].nHeight = (UINT)m_defCellNormal.GetHeight();
    for (int i = 0; i < m_nCols; i++)
        m_arColWidths[i] = (UINT)m_defCellNormal.GetWidth();
    ResetScrollBars();
    return TRUE;
}

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_ERASEBKGND()
    ON_WM_SYSKEYDOWN()
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CAPTURECHANGED()
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
    ON_MESSAGE(WM_GRID_REDRAWBARS, OnRedrawBars)
    ON_NOTIFY(LVN_ENDLABELEDIT, GRID_EDITOR_ID, OnEndInPlaceEdit)
    ON_WM_RBUTTONUP()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

// ===========================================================================
// Notifications
// ===========================================================================

LRESULT CGridCtrl::NotifyOwner(int nRow, int nCol, int nMessage) const
{
    if (!::IsWindow(m_hWnd))
        return 0;

    NMGRIDCELL nmgv;
    nmgv.row = nRow;
    nmgv.column = nCol;
    nmgv.hdr.hwndFrom = m_hWnd;
    nmgv.hdr.idFrom = GetDlgCtrlID();
    nmgv.hdr.code = nMessage;
    return SendToOwner(&nmgv.hdr);
}

LRESULT CGridCtrl::SendToOwner(NMHDR* pHdr) const
{
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL || !::IsWindow(pOwner->m_hWnd))
        return 0;
    return pOwner->SendMessage(WM_NOTIFY, pHdr->idFrom, (LPARAM)pHdr);
}

LRESULT CGridCtrl::SendDisplayRequest(GRIDDISPINFO* pDisplayInfo) const
{
    if (m_pfnCallback != NULL)
        return m_pfnCallback(pDisplayInfo, m_lParamCallback);
    if (!::IsWindow(m_hWnd))
        return 0;
    pDisplayInfo->hdr.hwndFrom = m_hWnd;
    pDisplayInfo->hdr.idFrom = GetDlgCtrlID();
    pDisplayInfo->hdr.code = LVN_GETDISPINFO;
    return SendToOwner(&pDisplayInfo->hdr);
}

LRESULT CGridCtrl::SendCacheHint(const CCellRange& range) const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    GRIDCACHEHINT CacheHint;
    CacheHint.hdr.hwndFrom = m_hWnd;
    CacheHint.hdr.idFrom = GetDlgCtrlID();
    CacheHint.hdr.code = LVN_ODCACHEHINT;
    CacheHint.range = range;
    return SendToOwner(&CacheHint.hdr);
}
