// GridCtrl.cpp - the grid control: model, geometry and scrolling (Part
// 4.102), painting (4.103), printing, saving and loading (4.104), selection,
// focus and keyboard (4.110), mouse and title tips (4.111), in-place editing
// and notifications (4.112), clipboard and drag and drop (4.113), sorting
// (4.114).
//
// Rules this grid keeps that a reader might not expect:
//  - Select All is a range selection through SetSelectedRange, so the map and
//    the cells' selected bits agree and the fixed rows and columns stay out.
//  - Text bytes are compared and split as unsigned values (cp1251 letters and
//    separators are >= 0x80).
//  - Selection keys are 64-bit; Load reads whole lines of any length and gives
//    loaded rows the default height; the selection map is never changed while
//    it is walked.
#include "GridCtrl.h"
#include <algorithm>
#include <typeinfo>
#include <string>
using std::max;
using std::min;
#include "InPlaceEdit.h"
#include "MemDC.h"
#include <afxdlgs.h>
#include <afxext.h>
#include <mbstring.h>
#include <stdlib.h>
#include <time.h>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

const TCHAR* const CGridCtrl::kPrintSample = _T("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ");

// ===========================================================================
// CGridRowArray: the tiered row array.
// ===========================================================================

void CGridRowArray::InsertAt(int nIndex, const Row& row)
{
    if (nIndex < 0 || nIndex > m_nSize)
        AfxThrowInvalidArgException();
    if (m_nSize == (int)m_blocks.size() * kBlock)
        m_blocks.push_back(new Block);

    int k = nIndex >> kShift;
    int nLast = (int)m_blocks.size() - 1;
    Row carry = row;
    Block* b = m_blocks[k];
    int c = BlockCount(k);
    int o = nIndex & kMask;
    if (c == kBlock) {
        // A full block: its last row moves on to the next block.
        Row out = b->At(kBlock - 1);
        // Insert carry at o among the first kBlock - 1 rows.
        if (o < (kBlock - 1) / 2) {
            b->start = (b->start - 1) & kMask;
            for (int j = 0; j < o; j++)
                b->At(j) = b->At(j + 1);
        } else {
            for (int j = kBlock - 1; j > o; j--)
                b->At(j) = b->At(j - 1);
        }
        b->At(o) = carry;
        carry = out;
        // Every later block takes the carried row at its front.
        for (int kk = k + 1; kk <= nLast; kk++) {
            Block* bb = m_blocks[kk];
            int cc = BlockCount(kk);
            if (cc == kBlock) {
                Row out2 = bb->At(kBlock - 1);
                bb->start = (bb->start - 1) & kMask;
                bb->At(0) = carry;
                carry = out2;
            } else {
                bb->start = (bb->start - 1) & kMask;
                bb->At(0) = carry;
                m_nSize++;
                return;
            }
        }
        // Unreachable: a new block was added when all were full.
        m_nSize++;
        return;
    }
    // The last block, not full.
    if (o < c / 2) {
        b->start = (b->start - 1) & kMask;
        for (int j = 0; j < o; j++)
            b->At(j) = b->At(j + 1);
    } else {
        for (int j = c; j > o; j--)
            b->At(j) = b->At(j - 1);
    }
    b->At(o) = carry;
    m_nSize++;
}

void CGridRowArray::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        AfxThrowInvalidArgException();
    int k = nIndex >> kShift;
    int nLast = (int)m_blocks.size() - 1;
    Block* b = m_blocks[k];
    int c = BlockCount(k);
    int o = nIndex & kMask;
    if (o < c / 2) {
        for (int j = o; j > 0; j--)
            b->At(j) = b->At(j - 1);
        b->start = (b->start + 1) & kMask;
    } else {
        for (int j = o; j < c - 1; j++)
            b->At(j) = b->At(j + 1);
    }
    // Each later block gives its first row to the block before it.
    for (int kk = k + 1; kk <= nLast; kk++) {
        Block* bb = m_blocks[kk];
        m_blocks[kk - 1]->At(kBlock - 1) = bb->At(0);
        bb->start = (bb->start + 1) & kMask;
    }
    m_nSize--;
    if (m_nSize <= ((int)m_blocks.size() - 1) * kBlock) {
        delete m_blocks.back();
        m_blocks.pop_back();
    }
}

void CGridRowArray::RemoveAll()
{
    for (Block* b : m_blocks)
        delete b;
    m_blocks.clear();
    m_nSize = 0;
}

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

// ===========================================================================
// Counts and cells
// ===========================================================================

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
{
    if (bFixedRow && bFixedCol)
        return (CGridDefaultCell*)&m_defCellFixedBoth;
    if (bFixedRow)
        return (CGridDefaultCell*)&m_defCellFixedRow;
    if (bFixedCol)
        return (CGridDefaultCell*)&m_defCellFixedCol;
    return (CGridDefaultCell*)&m_defCellNormal;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return NULL;

    if (GetVirtualMode()) {
        // One process-wide record and cell: each call overwrites the last.
        static GRIDDISPINFO gvdi;
        static CGridCell* pCell = NULL;
        if (pCell == NULL)
            pCell = new CGridCell;
        pCell->Reset();
        pCell->SetGrid((CGridCtrl*)this);

        CGridDefaultCell* pDefCell = GetDefaultCell(nRow < m_nFixedRows, nCol < m_nFixedCols);
        gvdi.item.row = nRow;
        gvdi.item.column = nCol;
        gvdi.item.mask = 0xFFFFFFFF;
        gvdi.item.state = 0;
        gvdi.item.format = pDefCell->GetFormat();
        gvdi.item.image = pDefCell->GetImage();
        gvdi.item.crBack = pDefCell->GetBackClr();
        gvdi.item.crText = pDefCell->GetTextClr();
        gvdi.item.lParam = pDefCell->GetData();
        memcpy(&gvdi.item.lfFont, pDefCell->GetFont(), sizeof(LOGFONT));
        gvdi.item.margin = pDefCell->GetMargin();
        gvdi.item.strText.Empty();

        CCellID cell;
        if (m_mapSelected.PLookup(GridSelKey(nRow, nCol)) != NULL)
            gvdi.item.state |= CELLSTATE_SELECTED;
        if (nRow < GetFixedRowCount())
            gvdi.item.state |= (CELLSTATE_FIXED | CELLSTATE_FIXEDROW);
        if (nCol < GetFixedColumnCount())
            gvdi.item.state |= (CELLSTATE_FIXED | CELLSTATE_FIXEDCOL);
        if (GetFocusCell() == CCellID(nRow, nCol))
            gvdi.item.state |= CELLSTATE_FOCUSED;

        SendDisplayRequest(&gvdi);

        pCell->SetState(gvdi.item.state);
        pCell->SetText(gvdi.item.strText);
        pCell->SetData(gvdi.item.lParam);
        pCell->SetImage(gvdi.item.image);
        pCell->SetFormat(gvdi.item.format);
        pCell->SetTextClr(gvdi.item.crText);
        pCell->SetBackClr(gvdi.item.crBack);
        pCell->SetFont(&gvdi.item.lfFont);
        pCell->SetMargin(gvdi.item.margin);
        return pCell;
    }

    CGridRow* pRow = m_arRows[nRow].pCells;
    if (pRow == NULL)
        return NULL;
    return pRow->GetAt(nCol);
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass)
{
    if (GetVirtualMode() || !IsValid(nRow, nCol))
        return FALSE;
    if (pRuntimeClass == NULL || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;

    CGridCellBase* pNewCell = (CGridCellBase*)pRuntimeClass->CreateObject();
    if (pNewCell == NULL)
        return FALSE;
    CGridCellBase* pCurrCell = GetCell(nRow, nCol);
    if (pCurrCell != NULL)
        *pNewCell = *pCurrCell;
    pNewCell->SetCoords(nRow, nCol);
    NoteCellKind(pNewCell);
    m_arRows[nRow].pCells->SetAt(nCol, pNewCell);
    delete pCurrCell;
    return TRUE;
}

BOOL CGridCtrl::SetDefaultCellType(CRuntimeClass* pRuntimeClass)
{
    if (pRuntimeClass == NULL || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    m_pCellClass = pRuntimeClass;
    return TRUE;
}

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (m_pCellClass == NULL || !m_pCellClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return NULL;
    CGridCellBase* pCell = (CGridCellBase*)m_pCellClass->CreateObject();
    if (pCell == NULL)
        return NULL;

    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);

    if (nCol < m_nFixedCols)
        pCell->SetState(pCell->GetState() | CELLSTATE_FIXED | CELLSTATE_FIXEDCOL);
    if (nRow < m_nFixedRows)
        pCell->SetState(pCell->GetState() | CELLSTATE_FIXED | CELLSTATE_FIXEDROW);

    pCell->SetFormat(pCell->GetDefaultCell()->GetFormat());
    return pCell;
}

// Every cell put into the grid comes through here: plain cells ignore their
// coordinates, so rows can move without telling their cells until a cell of
// another kind is in the grid.
CGridCellBase* CGridCtrl::NewCell(int nRow, int nCol)
{
    CGridCellBase* pCell = CreateCell(nRow, nCol);
    NoteCellKind(pCell);
    return pCell;
}

void CGridCtrl::NoteCellKind(const CGridCellBase* pCell)
{
    if (pCell != NULL && typeid(*pCell) != typeid(CGridCell))
        m_bCellsKnowTheirPlace = TRUE;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    // The selection map forgets the cell first.
    SetCellState(nRow, nCol, 0);
    delete GetCell(nRow, nCol);
}

BOOL CGridCtrl::SetRowCount(int nRows)
{
    BOOL bResult = TRUE;
    if (nRows < 0)
        return FALSE;
    if (nRows == GetRowCount())
        return bResult;

    m_cellTopLeft.column = -1;

    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_cellFocus.row >= nRows)
        SetFocusCell(-1, -1);

    int addedRows = nRows - GetRowCount();

    // Shrinking: the cells and rows that fall out are destroyed.
    if (addedRows < 0) {
        if (!GetVirtualMode()) {
            for (int row = nRows; row < m_nRows; row++) {
                for (int col = 0; col < m_nCols; col++)
                    DestroyCell(row, col);
                delete m_arRows[row].pCells;
                m_arRows[row].pCells = NULL;
            }
        }
        while (m_arRows.GetSize() > nRows)
            m_arRows.RemoveAt(m_arRows.GetSize() - 1);
        m_nRows = nRows;
    }

    try {
        if (addedRows > 0) {
            UINT nHeight = (UINT)m_defCellNormal.GetHeight();
            if (GetVirtualMode()) {
                for (int row = m_nRows; row < nRows; row++) {
                    CGridRowArray::Row r = {NULL, nHeight};
                    m_arRows.Add(r);
                }
                m_nRows = nRows;
            } else {
                int startRow = m_nRows;
                for (int row = startRow; row < nRows; row++) {
                    CGridRow* pRow = new CGridRow;
                    pRow->SetSize(m_nCols);
                    for (int col = 0; col < m_nCols; col++)
                        pRow->SetAt(col, NULL);
                    CGridRowArray::Row r = {pRow, nHeight};
                    m_arRows.Add(r);
                    m_nRows++;
                    for (int col = 0; col < m_nCols; col++)
                        pRow->SetAt(col, NewCell(row, col));
                }
            }
        }
    } catch (CMemoryException* e) {
        e->ReportError();
        e->Delete();
        bResult = FALSE;
    }

    SetModified();
    ResetScrollBars();
    Refresh();
    return bResult;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    BOOL bResult = TRUE;
    if (nCols < 0)
        return FALSE;
    if (nCols == GetColumnCount())
        return bResult;

    m_cellTopLeft.column = -1;

    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_cellFocus.column >= nCols)
        SetFocusCell(-1, -1);

    int addedCols = nCols - GetColumnCount();

    if (addedCols < 0 && !GetVirtualMode()) {
        for (int row = 0; row < m_nRows; row++)
            for (int col = nCols; col < GetColumnCount(); col++)
                DestroyCell(row, col);
    }

    try {
        m_arColWidths.SetSize(nCols);

        if (!GetVirtualMode())
            for (int i = 0; i < m_nRows; i++)
                if (m_arRows[i].pCells != NULL)
                    m_arRows[i].pCells->SetSize(nCols);

        if (addedCols > 0) {
            int startCol = m_nCols;
            for (int col = startCol; col < nCols; col++)
                m_arColWidths[col] = (UINT)m_defCellFixedCol.GetWidth();

            if (!GetVirtualMode()) {
                for (int row = 0; row < m_nRows; row++)
                    for (int col = startCol; col < nCols; col++) {
                        CGridRow* pRow = m_arRows[row].pCells;
                        if (pRow != NULL)
                            pRow->SetAt(col, NewCell(row, col));
                    }
            }
        }
    } catch (CMemoryException* e) {
        e->ReportError();
        e->Delete();
        bResult = FALSE;
    }

    m_nCols = nCols;

    SetModified();
    ResetScrollBars();
    Refresh();
    return bResult;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (m_nFixedRows == nFixedRows)
        return TRUE;
    if (nFixedRows < 0)
        return FALSE;

    ClearSelectionAndFocus();
    m_cellTopLeft.column = -1;

    if (nFixedRows > GetRowCount())
        if (!SetRowCount(nFixedRows))
            return FALSE;

    if (m_cellFocus.row < nFixedRows)
        SetFocusCell(-1, -1);

    if (!GetVirtualMode()) {
        if (nFixedRows > m_nFixedRows) {
            for (int i = m_nFixedRows; i < nFixedRows; i++)
                for (int j = 0; j < GetColumnCount(); j++) {
                    SetCellState(i, j, GetCellState(i, j) | CELLSTATE_FIXED | CELLSTATE_FIXEDROW);
                }
        } else {
            for (int i = nFixedRows; i < m_nFixedRows; i++) {
                int j;
                for (j = 0; j < GetFixedColumnCount(); j++)
                    SetCellState(i, j, GetCellState(i, j) & ~CELLSTATE_FIXEDROW);
                for (j = GetFixedColumnCount(); j < GetColumnCount(); j++) {
                    SetCellState(i, j, GetCellState(i, j) & ~(CELLSTATE_FIXED | CELLSTATE_FIXEDROW));
                }
            }
        }
    }

    m_nFixedRows = nFixedRows;
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (m_nFixedCols == nFixedCols)
        return TRUE;
    if (nFixedCols < 0)
        return FALSE;

    if (nFixedCols > GetColumnCount())
        if (!SetColumnCount(nFixedCols))
            return FALSE;

    if (m_cellFocus.column < nFixedCols)
        SetFocusCell(-1, -1);

    ClearSelectionAndFocus();
    m_cellTopLeft.column = -1;

    if (!GetVirtualMode()) {
        if (nFixedCols > m_nFixedCols) {
            for (int i = 0; i < GetRowCount(); i++)
                for (int j = m_nFixedCols; j < nFixedCols; j++) {
                    SetCellState(i, j, GetCellState(i, j) | CELLSTATE_FIXED | CELLSTATE_FIXEDCOL);
                }
        } else {
            {
                for (int i = 0; i < GetFixedRowCount(); i++)
                    for (int j = nFixedCols; j < m_nFixedCols; j++)
                        SetCellState(i, j, GetCellState(i, j) & ~CELLSTATE_FIXEDCOL);
            }
            {
                for (int i = GetFixedRowCount(); i < GetRowCount(); i++)
                    for (int j = nFixedCols; j < m_nFixedCols; j++) {
                        SetCellState(i, j, GetCellState(i, j) & ~(CELLSTATE_FIXED | CELLSTATE_FIXEDCOL));
                    }
            }
        }
    }

    m_nFixedCols = nFixedCols;
    Refresh();
    return TRUE;
}

int CGridCtrl::InsertColumn(LPCTSTR strHeading, UINT nFormat, int nColumn)
{
    if (nColumn >= 0 && nColumn < m_nFixedCols)
        return -1;
    if (nColumn >= 0 && nColumn > GetColumnCount())
        return -1;

    ClearSelectionAndFocus();

    // A grid without rows gets one, for the heading.
    if (m_nRows < 1)
        SetRowCount(1);

    if (nColumn < 0 || nColumn == GetColumnCount()) {
        nColumn = m_nCols;
        m_arColWidths.Add(0);
        if (!GetVirtualMode())
            for (int row = 0; row < m_nRows; row++) {
                CGridRow* pRow = m_arRows[row].pCells;
                if (pRow == NULL)
                    return -1;
                pRow->Add(NewCell(row, nColumn));
            }
    } else {
        m_arColWidths.InsertAt(nColumn, (UINT)0);
        if (!GetVirtualMode())
            for (int row = 0; row < m_nRows; row++) {
                CGridRow* pRow = m_arRows[row].pCells;
                if (pRow == NULL)
                    return -1;
                pRow->InsertAt(nColumn, NewCell(row, nColumn));
            }
    }

    m_nCols++;

    SetItemText(0, nColumn, strHeading);
    for (int row = 0; row < m_nRows; row++)
        SetItemFormat(row, nColumn, nFormat);

    // The width of the heading.
    CGridCellBase* pCell = GetCell(0, nColumn);
    if (pCell != NULL)
        m_arColWidths[nColumn] = (UINT)pCell->GetTextExtent(strHeading).cx;

    if (m_cellFocus.column != -1 && nColumn < m_cellFocus.column)
        m_cellFocus.column++;

    ResetScrollBars();
    SetModified();
    return nColumn;
}

int CGridCtrl::InsertRow(LPCTSTR strHeading, int nRow)
{
    if (nRow >= 0 && nRow < m_nFixedRows)
        return -1;
    if (nRow >= 0 && nRow >= GetRowCount())
        return -1;

    ClearSelectionAndFocus();

    if (m_nCols < 1)
        SetColumnCount(1);

    CGridRowArray::Row r = {NULL, 0};
    if (!GetVirtualMode()) {
        r.pCells = new CGridRow;
        r.pCells->SetSize(m_nCols);
    }
    if (nRow < 0) {
        nRow = m_nRows;
        m_arRows.Add(r);
    } else
        m_arRows.InsertAt(nRow, r);

    if (!GetVirtualMode())
        for (int col = 0; col < m_nCols; col++) {
            CGridCellBase* pCell = NewCell(nRow, col);
            r.pCells->SetAt(col, pCell);
        }

    m_nRows++;

    SetItemText(nRow, 0, strHeading);

    // The row takes the height of its heading; an empty heading leaves it hidden.
    if (strHeading != NULL && strHeading[0] != 0) {
        CGridCellBase* pCell = GetCell(nRow, 0);
        if (pCell != NULL)
            m_arRows[nRow].nHeight = (UINT)pCell->GetTextExtent(strHeading).cy;
    }

    if (m_cellFocus.row != -1 && nRow < m_cellFocus.row)
        m_cellFocus.row++;

    ResetScrollBars();
    SetModified();
    return nRow;
}

BOOL CGridCtrl::DeleteColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return FALSE;

    ClearSelectionAndFocus();

    if (!GetVirtualMode()) {
        for (int row = 0; row < GetRowCount(); row++) {
            CGridRow* pRow = m_arRows[row].pCells;
            if (pRow == NULL)
                return FALSE;
            DestroyCell(row, nColumn);
            pRow->RemoveAt(nColumn);
        }
    }
    m_arColWidths.RemoveAt(nColumn);
    m_nCols--;
    if (nColumn < m_nFixedCols)
        m_nFixedCols--;

    if (nColumn == m_cellFocus.column)
        m_cellFocus.row = m_cellFocus.column = -1;
    else if (nColumn < m_cellFocus.column)
        m_cellFocus.column--;

    ResetScrollBars();
    SetModified();
    return TRUE;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return FALSE;

    ClearSelectionAndFocus();

    CGridRow* pRow = m_arRows[nRow].pCells;
    if (!GetVirtualMode()) {
        if (pRow == NULL)
            return FALSE;
        for (int col = 0; col < GetColumnCount(); col++)
            DestroyCell(nRow, col);
        delete pRow;
    }
    m_arRows.RemoveAt(nRow);

    m_nRows--;
    if (nRow < m_nFixedRows)
        m_nFixedRows--;

    if (nRow == m_cellFocus.row)
        m_cellFocus.row = m_cellFocus.column = -1;
    else if (nRow < m_cellFocus.row)
        m_cellFocus.row--;

    ResetScrollBars();
    SetModified();
    return TRUE;
}

BOOL CGridCtrl::DeleteNonFixedRows()
{
    ClearSelectionAndFocus();
    int nFixed = GetFixedRowCount();
    int nCount = GetRowCount();
    if (GetRowCount() > nFixed) {
        for (int nRow = nCount; nRow >= nFixed; nRow--)
            DeleteRow(nRow);
    }
    return TRUE;
}

BOOL CGridCtrl::DeleteAllItems()
{
    ClearSelectionAndFocus();

    m_arColWidths.RemoveAll();

    if (!GetVirtualMode()) {
        for (int row = 0; row < m_nRows; row++) {
            CGridRow* pRow = m_arRows[row].pCells;
            if (pRow == NULL)
                continue;
            for (int col = 0; col < m_nCols; col++) {
                CGridCellBase* pCell = pRow->GetAt(col);
                if (pCell != NULL) {
                    SetCellState(row, col, 0);
                    delete pCell;
                }
            }
            delete pRow;
        }
    }
    m_arRows.RemoveAll();

    m_nCols = m_nRows = m_nFixedCols = m_nFixedRows = 0;
    ResetScrollBars();
    SetModified();
    return TRUE;
}

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    DeleteAllItems();
    m_bVirtualMode = bVirtual;
    if (m_bVirtualMode) {
        SetEditable(FALSE);
        SetSortOnClick(FALSE);
        SetAutoSizeStyle(AUTOSIZE_HEADER);
        SetFixedColumnSelection(FALSE);
        SetFixedRowSelection(FALSE);
    }
}

// ---- item accessors ----

BOOL CGridCtrl::SetItem(const GRIDITEMINFO* pItem)
{
    if (pItem == NULL || GetVirtualMode())
        return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->column);
    if (pCell == NULL)
        return FALSE;

    SetModified(TRUE, pItem->row, pItem->column);

    if (pItem->mask & GRIDITEM_TEXT)
        pCell->SetText(pItem->strText);
    if (pItem->mask & GRIDITEM_PARAM)
        pCell->SetData(pItem->lParam);
    if (pItem->mask & GRIDITEM_IMAGE)
        pCell->SetImage(pItem->image);
    if (pItem->mask & GRIDITEM_STATE)
        SetCellState(pItem->row, pItem->column, pItem->state);
    if (pItem->mask & GRIDITEM_FORMAT)
        pCell->SetFormat(pItem->format);
    if (pItem->mask & GRIDITEM_BKCLR)
        pCell->SetBackClr(pItem->crBack);
    if (pItem->mask & GRIDITEM_FGCLR)
        pCell->SetTextClr(pItem->crText);
    if (pItem->mask & GRIDITEM_FONT)
        pCell->SetFont(&(pItem->lfFont));
    if (pItem->mask & GRIDITEM_MARGIN)
        pCell->SetMargin(pItem->margin);
    return TRUE;
}

BOOL CGridCtrl::GetItem(GRIDITEMINFO* pItem)
{
    if (pItem == NULL)
        return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->column);
    if (pCell == NULL)
        return FALSE;

    if (pItem->mask & GRIDITEM_TEXT)
        pItem->strText = GetItemText(pItem->row, pItem->column);
    if (pItem->mask & GRIDITEM_PARAM)
        pItem->lParam = pCell->GetData();
    if (pItem->mask & GRIDITEM_IMAGE)
        pItem->image = pCell->GetImage();
    if (pItem->mask & GRIDITEM_STATE)
        pItem->state = pCell->GetState();
    if (pItem->mask & GRIDITEM_FORMAT)
        pItem->format = pCell->GetFormat();
    if (pItem->mask & GRIDITEM_BKCLR)
        pItem->crBack = pCell->GetBackClr();
    if (pItem->mask & GRIDITEM_FGCLR)
        pItem->crText = pCell->GetTextClr();
    if (pItem->mask & GRIDITEM_FONT) {
        LOGFONT* plf = pCell->GetFont();
        if (plf != NULL)
            memcpy(&(pItem->lfFont), plf, sizeof(LOGFONT));
    }
    if (pItem->mask & GRIDITEM_MARGIN)
        pItem->margin = pCell->GetMargin();
    return TRUE;
}

// The cell a setter may write: none in virtual mode, where the owner keeps
// the data, nor outside the grid.
static CGridCellBase* StoredCell(const CGridCtrl* pGrid, int nRow, int nCol)
{
    return pGrid->GetVirtualMode() ? NULL : pGrid->GetCell(nRow, nCol);
}

// What a getter reads from a cell, or its answer where there is no cell.
template <class R, class T>
static R CellValue(const CGridCellBase* pCell, T (CGridCellBase::*get)() const, R rNone)
{
    return pCell != NULL ? (R)(pCell->*get)() : rNone;
}

// A setter's write into the stored cell; FALSE where there is none. Writes of
// what the grid saves (text, data, image) mark the cell modified.
template <class A, class V>
static BOOL WriteCell(CGridCtrl* pGrid, int nRow, int nCol, void (CGridCellBase::*set)(A), V value,
                      BOOL bModifies)
{
    CGridCellBase* pCell = StoredCell(pGrid, nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    (pCell->*set)(value);
    if (bModifies)
        pGrid->SetModified(TRUE, nRow, nCol);
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetText, str, TRUE);
}

BOOL CGridCtrl::SetItemTextFmt(int nRow, int nCol, LPCTSTR szFmt, ...)
{
    if (StoredCell(this, nRow, nCol) == NULL)
        return FALSE;
    CString strText;
    va_list argptr;
    va_start(argptr, szFmt);
    strText.FormatV(szFmt, argptr);
    va_end(argptr);
    return SetItemText(nRow, nCol, strText);
}

BOOL CGridCtrl::SetItemTextFmtID(int nRow, int nCol, UINT nID, ...)
{
    if (StoredCell(this, nRow, nCol) == NULL)
        return FALSE;
    CString strFormat;
    strFormat.LoadString(nID);
    CString strText;
    va_list argptr;
    va_start(argptr, nID);
    strText.FormatV(strFormat, argptr);
    va_end(argptr);
    return SetItemText(nRow, nCol, strText);
}

CString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return _T("");
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return _T("");
    return pCell->GetText();
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetData, lParam, TRUE);
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetData, (LPARAM)0);
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int iImage)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetImage, iImage, TRUE);
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetImage, -1);
}

BOOL CGridCtrl::SetCellState(int nRow, int nCol, UINT state)
{
    BOOL bSelected = IsCellInSelection(nRow, nCol);

    // The map follows the selected bit.
    if (bSelected && !(state & CELLSTATE_SELECTED)) {
        CCellID cell;
        GRIDSELKEY key = GridSelKey(nRow, nCol);
        if (m_mapSelected.Lookup(key, (CCellID&)cell))
            m_mapSelected.RemoveKey(key);
    } else if (!bSelected && (state & CELLSTATE_SELECTED)) {
        CCellID cell(nRow, nCol);
        m_mapSelected.SetAt(GridSelKey(nRow, nCol), cell);
    }

    if (GetVirtualMode())
        return FALSE;

    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    pCell->SetState(state);
    return TRUE;
}

UINT CGridCtrl::GetCellState(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetState, (UINT)0);
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetFormat, nFormat, FALSE);
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetFormat, (UINT)0);
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetBackClr, cr, FALSE);
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetBackClr, (COLORREF)0);
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetTextClr, cr, FALSE);
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::GetTextClr, (COLORREF)0);
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* plf)
{
    return WriteCell(this, nRow, nCol, &CGridCellBase::SetFont, plf, FALSE);
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return GetDefaultCell(nRow < GetFixedRowCount(), nCol < GetFixedColumnCount())->GetFont();
    return pCell->GetFont();
}

BOOL CGridCtrl::IsItemEditing(int nRow, int nCol)
{
    return CellValue(GetCell(nRow, nCol), &CGridCellBase::IsEditing, FALSE);
}

BOOL CGridCtrl::IsCellFixed(int nRow, int nCol)
{
    return (nRow < GetFixedRowCount() || nCol < GetFixedColumnCount());
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    // A change of a column (or of the whole grid) drops the sort mark.
    if (nCol < 0 || nCol == GetSortColumn()) {
        if (GetSortColumn() >= 0)
            InvalidateCellRect(0, GetSortColumn());
        m_nSortColumn = -1;
    }

    if (nRow >= 0 && nCol >= 0) {
        if (bModified) {
            SetCellState(nRow, nCol, GetCellState(nRow, nCol) | CELLSTATE_MODIFIED);
            m_bModified = TRUE;
        } else
            SetCellState(nRow, nCol, GetCellState(nRow, nCol) & ~CELLSTATE_MODIFIED);
    } else
        m_bModified = bModified;

    if (!m_bModified && !GetVirtualMode()) {
        for (int row = 0; row < GetRowCount(); row++)
            for (int col = 0; col < GetColumnCount(); col++)
                SetCellState(row, col, GetCellState(row, col) & ~CELLSTATE_MODIFIED);
    }
}

BOOL CGridCtrl::IsModified(int nRow, int nCol)
{
    if (nRow >= 0 && nCol >= 0)
        return ((GetCellState(nRow, nCol) & CELLSTATE_MODIFIED) == CELLSTATE_MODIFIED);
    return m_bModified;
}

BOOL CGridCtrl::IsValid(int nRow, int nCol) const
{
    return (nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols);
}

BOOL CGridCtrl::IsValid(const CCellID& cell) const
{
    return IsValid(cell.row, cell.column);
}

BOOL CGridCtrl::IsValid(const CCellRange& range) const
{
    return (range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0 &&
            range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow() &&
            range.GetMinCol() <= range.GetMaxCol());
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    return IsEditable() && ((GetCellState(nRow, nCol) & CELLSTATE_READONLY) != CELLSTATE_READONLY);
}

BOOL CGridCtrl::IsCellInSelection(int nRow, int nCol) const
{
    if (!IsSelectable())
        return FALSE;
    if (GetVirtualMode())
        return m_mapSelected.PLookup(GridSelKey(nRow, nCol)) != NULL;
    return ((GetCellState(nRow, nCol) & CELLSTATE_SELECTED) == CELLSTATE_SELECTED);
}

// ===========================================================================
// Geometry
// ===========================================================================

int CGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows)
        return -1;
    return (int)m_arRows[nRow].nHeight;
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return -1;
    return (int)m_arColWidths[nCol];
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0)
        return FALSE;
    m_arRows[nRow].nHeight = (UINT)height;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return FALSE;
    m_arColWidths[nCol] = (UINT)width;
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    int nHeight = 0;
    for (int i = 0; i < m_nFixedRows; i++)
        nHeight += GetRowHeight(i);
    return nHeight;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int nWidth = 0;
    for (int i = 0; i < m_nFixedCols; i++)
        nWidth += GetColumnWidth(i);
    return nWidth;
}

long CGridCtrl::GetVirtualWidth() const
{
    long lVirtualWidth = 0;
    int iColCount = GetColumnCount();
    for (int i = 0; i < iColCount; i++)
        lVirtualWidth += m_arColWidths[i];
    return lVirtualWidth;
}

long CGridCtrl::GetVirtualHeight() const
{
    // Rows are taken to be of equal height.
    if (m_nRows <= 0)
        return 0;
    return (long)m_nRows * (long)m_arRows[0].nHeight;
}

CCellID CGridCtrl::GetTopleftNonFixedCell(BOOL bForceRecalculation)
{
    if (m_cellTopLeft.IsValid() && !bForceRecalculation)
        return m_cellTopLeft;

    int nVertScroll = GetScrollPos32(SB_VERT), nHorzScroll = GetScrollPos32(SB_HORZ);

    m_cellTopLeft.column = m_nFixedCols;
    int nRight = 0;
    while (nRight < nHorzScroll && m_cellTopLeft.column < (GetColumnCount() - 1))
        nRight += GetColumnWidth(m_cellTopLeft.column++);

    m_cellTopLeft.row = m_nFixedRows;
    int nTop = 0;
    while (nTop < nVertScroll && m_cellTopLeft.row < (GetRowCount() - 1))
        nTop += GetRowHeight(m_cellTopLeft.row++);

    return m_cellTopLeft;
}

CCellRange CGridCtrl::VisibleRange(LPRECT pRect, BOOL bForceRecalculation)
{
    if (!::IsWindow(GetSafeHwnd())) {
        if (pRect != NULL)
            ::SetRectEmpty(pRect);
        return CCellRange(-1, -1, -1, -1);
    }
    CRect rect;
    GetClientRect(rect);
    CCellID idTopLeft = GetTopleftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    int i;
    for (i = idTopLeft.row; i < GetRowCount(); i++) {
        bottom += GetRowHeight(i);
        if (bottom >= rect.bottom) {
            bottom = rect.bottom;
            break;
        }
    }
    int maxVisibleRow = min(i, GetRowCount() - 1);

    int right = GetFixedColumnWidth();
    for (i = idTopLeft.column; i < GetColumnCount(); i++) {
        right += GetColumnWidth(i);
        if (right >= rect.right) {
            right = rect.right;
            break;
        }
    }
    int maxVisibleCol = min(i, GetColumnCount() - 1);
    if (pRect != NULL) {
        pRect->left = pRect->top = 0;
        pRect->right = right;
        pRect->bottom = bottom;
    }
    return CCellRange(idTopLeft.row, idTopLeft.column, maxVisibleRow, maxVisibleCol);
}

CCellRange CGridCtrl::UnobstructedRange(BOOL bForceRecalculation)
{
    if (!::IsWindow(GetSafeHwnd()))
        return CCellRange(-1, -1, -1, -1);
    CRect rect;
    GetClientRect(rect);
    CCellID idTopLeft = GetTopleftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    int i;
    for (i = idTopLeft.row; i < GetRowCount(); i++) {
        bottom += GetRowHeight(i);
        if (bottom >= rect.bottom)
            break;
    }
    int maxVisibleRow = min(i, GetRowCount() - 1);
    if (maxVisibleRow > 0 && bottom > rect.bottom)
        maxVisibleRow--;

    int right = GetFixedColumnWidth();
    for (i = idTopLeft.column; i < GetColumnCount(); i++) {
        right += GetColumnWidth(i);
        if (right >= rect.right)
            break;
    }
    int maxVisibleCol = min(i, GetColumnCount() - 1);
    if (maxVisibleCol > 0 && right > rect.right)
        maxVisibleCol--;

    return CCellRange(idTopLeft.row, idTopLeft.column, maxVisibleRow, maxVisibleCol);
}

CCellRange CGridCtrl::GetCellRange() const
{
    return CCellRange(0, 0, GetRowCount() - 1, GetColumnCount() - 1);
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p)
{
    if (!IsValid(nRow, nCol))
        return FALSE;

    CCellID idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
        idTopLeft = GetTopleftNonFixedCell();

    if ((nRow >= m_nFixedRows && nRow < idTopLeft.row) || (nCol >= m_nFixedCols && nCol < idTopLeft.column))
        return FALSE;

    int i;
    p->x = 0;
    if (nCol < m_nFixedCols)
        for (i = 0; i < nCol; i++)
            p->x += GetColumnWidth(i);
    else {
        for (i = 0; i < m_nFixedCols; i++)
            p->x += GetColumnWidth(i);
        for (i = idTopLeft.column; i < nCol; i++)
            p->x += GetColumnWidth(i);
    }

    p->y = 0;
    if (nRow < m_nFixedRows)
        for (i = 0; i < nRow; i++)
            p->y += GetRowHeight(i);
    else {
        for (i = 0; i < m_nFixedRows; i++)
            p->y += GetRowHeight(i);
        for (i = idTopLeft.row; i < nRow; i++)
            p->y += GetRowHeight(i);
    }
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    CPoint CellOrigin;
    if (!GetCellOrigin(nRow, nCol, &CellOrigin))
        return FALSE;
    pRect->left = CellOrigin.x;
    pRect->top = CellOrigin.y;
    pRect->right = CellOrigin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = CellOrigin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

BOOL CGridCtrl::GetTextRect(int nRow, int nCol, LPRECT pRect)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    if (!GetCellRect(nRow, nCol, pRect))
        return FALSE;
    return pCell->GetTextRect(pRect);
}

int CGridCtrl::GetColumnLeft(int nCol) const
{
    int x = 0;
    for (int i = 0; i < nCol && i < m_nCols; i++)
        x += GetColumnWidth(i);
    return x;
}

CCellID CGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck)
{
    CCellID cellID;
    CCellID idTopLeft = GetTopleftNonFixedCell();
    if (!bAllowFixedCellCheck && !IsValid(idTopLeft))
        return cellID;

    // The same walk along each axis: in the fixed band from the first cell,
    // beyond it from the first scrolled cell; -1 past the last.
    auto cellAt = [&](int pos, int nFixed, int nFixedExtent, int nFirst, int nCount, auto extent) {
        if (pos < 0 || (!bAllowFixedCellCheck && pos < nFixedExtent))
            return -1;
        BOOL bFixed = pos < nFixedExtent;
        int i = bFixed ? 0 : nFirst;
        int end = bFixed ? nFixed : nCount;
        for (int at = bFixed ? 0 : nFixedExtent; i < end; i++) {
            at += extent(i);
            if (at > pos)
                break;
        }
        return bFixed || i < nCount ? i : -1;
    };
    cellID.column = cellAt(point.x, m_nFixedCols, GetFixedColumnWidth(), idTopLeft.column, GetColumnCount(),
                           [&](int i) { return GetColumnWidth(i); });
    cellID.row = cellAt(point.y, m_nFixedRows, GetFixedRowHeight(), idTopLeft.row, GetRowCount(),
                        [&](int i) { return GetRowHeight(i); });
    return cellID;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!::IsWindow(GetSafeHwnd()))
        return FALSE;

    int x, y;
    CCellID TopLeft;
    if (nCol >= GetFixedColumnCount() || nRow >= GetFixedRowCount()) {
        TopLeft = GetTopleftNonFixedCell();
        if (nCol >= GetFixedColumnCount() && nCol < TopLeft.column)
            return FALSE;
        if (nRow >= GetFixedRowCount() && nRow < TopLeft.row)
            return FALSE;
    }

    CRect rect;
    GetClientRect(rect);
    if (nCol < GetFixedColumnCount()) {
        x = 0;
        for (int i = 0; i <= nCol; i++) {
            if (x >= rect.right)
                return FALSE;
            x += GetColumnWidth(i);
        }
    } else {
        x = GetFixedColumnWidth();
        for (int i = TopLeft.column; i <= nCol; i++) {
            if (x >= rect.right)
                return FALSE;
            x += GetColumnWidth(i);
        }
    }

    if (nRow < GetFixedRowCount()) {
        y = 0;
        for (int i = 0; i <= nRow; i++) {
            if (y >= rect.bottom)
                return FALSE;
            y += GetRowHeight(i);
        }
    } else {
        if (nRow < TopLeft.row)
            return FALSE;
        y = GetFixedRowHeight();
        for (int i = TopLeft.row; i <= nRow; i++) {
            if (y >= rect.bottom)
                return FALSE;
            y += GetRowHeight(i);
        }
    }
    return TRUE;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!m_bAllowDraw || !::IsWindow(GetSafeHwnd()))
        return;

    CRect rectWindow;
    // Keep the window that has the focus (the scroll ends any edit).
    CWnd* pFocusWnd = GetFocus();
    HWND hFocus = pFocusWnd->GetSafeHwnd();

    CCellRange VisibleCells = VisibleRange();

    int right = nCol - VisibleCells.GetMaxCol();
    int left = VisibleCells.GetMinCol() - nCol;
    int down = nRow - VisibleCells.GetMaxRow();
    int up = VisibleCells.GetMinRow() - nRow;

    int iColumnStart = VisibleCells.GetMaxCol() + 1;
    while (right > 0) {
        if (GetColumnWidth(iColumnStart) > 0)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        right--;
        iColumnStart++;
    }

    iColumnStart = VisibleCells.GetMinCol() - 1;
    while (left > 0) {
        if (GetColumnWidth(iColumnStart) > 0)
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        left--;
        iColumnStart--;
    }

    int iRowStart = VisibleCells.GetMaxRow() + 1;
    while (down > 0) {
        if (GetRowHeight(iRowStart) > 0)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        down--;
        iRowStart++;
    }

    iRowStart = VisibleCells.GetMinRow() - 1;
    while (up > 0) {
        if (GetRowHeight(iRowStart) > 0)
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        up--;
        iRowStart--;
    }

    // A cell only partly shown: on along each axis a line at a time while its
    // far edge is cut off and its near edge is still past the fixed cells (a
    // cell larger than the view ends up starting where the fixed cells end).
    GetClientRect(rectWindow);
    for (int nBar : {SB_HORZ, SB_VERT}) {
        const BOOL bHorz = nBar == SB_HORZ;
        const int nFixedExtent = bHorz ? GetFixedColumnWidth() : GetFixedRowHeight();
        const int nEnd = bHorz ? rectWindow.right : rectWindow.bottom;
        for (int nTimes = bHorz ? GetColumnCount() : GetRowCount(); nTimes > 0; nTimes--) {
            CRect rectCell;
            if (!GetCellRect(nRow, nCol, rectCell))
                break;
            int nNear = bHorz ? rectCell.left : rectCell.top;
            int nFar = bHorz ? rectCell.right : rectCell.bottom;
            if (nFar < nEnd || nNear <= nFixedExtent)
                break;
            int nPos = GetScrollPos32(nBar);
            SendMessage(bHorz ? WM_HSCROLL : WM_VSCROLL, bHorz ? SB_LINERIGHT : SB_LINEDOWN, 0);
            if (GetScrollPos32(nBar) == nPos)
                break;
        }
    }

    if (hFocus != NULL && ::IsWindow(hFocus))
        ::SetFocus(hFocus);
}

// ---- auto-size ----

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    if (GetColumnWidth(nCol) <= 0)
        return FALSE;   // hidden columns stay hidden

    CSize size;
    CDC* pDC = ::IsWindow(GetSafeHwnd()) ? GetDC() : NULL;
    if (pDC == NULL)
        return FALSE;

    if (nAutoSizeStyle == AUTOSIZE_DEFAULT)
        nAutoSizeStyle = GetAutoSizeStyle();

    int nStartRow = (nAutoSizeStyle & AUTOSIZE_HEADER) ? 0 : GetFixedRowCount();
    int nEndRow = (nAutoSizeStyle & AUTOSIZE_DATA) ? GetRowCount() - 1 : GetFixedRowCount() - 1;

    if (GetVirtualMode())
        SendCacheHint(CCellRange(nStartRow, nCol, nEndRow, nCol));

    int nWidth = 0;
    for (int nRow = nStartRow; nRow <= nEndRow; nRow++) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != NULL)
            size = pCell->GetCellExtent(pDC);
        else
            size = CSize(0, 0);
        if (size.cx > nWidth)
            nWidth = size.cx;
    }

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));

    m_arColWidths[nCol] = (UINT)nWidth;
    ReleaseDC(pDC);
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    if (GetRowHeight(nRow) <= 0)
        return FALSE;

    CSize size;
    CDC* pDC = ::IsWindow(GetSafeHwnd()) ? GetDC() : NULL;
    if (pDC == NULL)
        return FALSE;

    int nNumColumns = GetColumnCount();
    if (GetVirtualMode())
        SendCacheHint(CCellRange(nRow, 0, nRow, nNumColumns - 1));

    int nHeight = 0;
    for (int nCol = 0; nCol < nNumColumns; nCol++) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != NULL)
            size = pCell->GetCellExtent(pDC);
        else
            size = CSize(0, 0);
        if (size.cy > nHeight)
            nHeight = size.cy;
    }
    m_arRows[nRow].nHeight = (UINT)nHeight;

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));

    ReleaseDC(pDC);
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns(UINT nAutoSizeStyle)
{
    int nNumColumns = GetColumnCount();
    for (int nCol = 0; nCol < nNumColumns; nCol++)
        if (GetColumnWidth(nCol) > 0)
            AutoSizeColumn(nCol, nAutoSizeStyle, FALSE);
    ResetScrollBars();
}

void CGridCtrl::AutoSizeRows()
{
    int nNumRows = GetRowCount();
    for (int nRow = 0; nRow < nNumRows; nRow++)
        if (GetRowHeight(nRow) > 0)
            AutoSizeRow(nRow, FALSE);
    ResetScrollBars();
}

void CGridCtrl::AutoSize(UINT nAutoSizeStyle)
{
    CDC* pDC = ::IsWindow(GetSafeHwnd()) ? GetDC() : NULL;
    if (pDC == NULL)
        return;

    int nNumColumns = GetColumnCount();
    if (nAutoSizeStyle == AUTOSIZE_DEFAULT)
        nAutoSizeStyle = GetAutoSizeStyle();

    int nStartRow = (nAutoSizeStyle & AUTOSIZE_HEADER) ? 0 : GetFixedRowCount();
    int nEndRow = (nAutoSizeStyle & AUTOSIZE_DATA) ? GetRowCount() - 1 : GetFixedRowCount() - 1;

    if (GetVirtualMode())
        SendCacheHint(CCellRange(nStartRow, 0, nEndRow, nNumColumns - 1));

    // Hidden rows and columns stay hidden.
    std::vector<bool> colShown((size_t)nNumColumns), rowShown((size_t)max(0, nEndRow - nStartRow + 1));
    int nCol, nRow;
    for (nCol = 0; nCol < nNumColumns; nCol++) {
        colShown[(size_t)nCol] = GetColumnWidth(nCol) > 0;
        if (colShown[(size_t)nCol])
            m_arColWidths[nCol] = 0;
    }
    for (nRow = nStartRow; nRow <= nEndRow; nRow++) {
        rowShown[(size_t)(nRow - nStartRow)] = GetRowHeight(nRow) > 0;
        if (rowShown[(size_t)(nRow - nStartRow)])
            m_arRows[nRow].nHeight = 1;
    }

    CSize size;
    for (nCol = 0; nCol < nNumColumns; nCol++) {
        if (!colShown[(size_t)nCol])
            continue;
        for (nRow = nStartRow; nRow <= nEndRow; nRow++) {
            if (!rowShown[(size_t)(nRow - nStartRow)])
                continue;
            CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell != NULL)
                size = pCell->GetCellExtent(pDC);
            else
                size = CSize(0, 0);
            if (size.cx > (int)m_arColWidths[nCol])
                m_arColWidths[nCol] = (UINT)size.cx;
            if (size.cy > (int)m_arRows[nRow].nHeight)
                m_arRows[nRow].nHeight = (UINT)size.cy;
        }
    }

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));

    ReleaseDC(pDC);
    ResetScrollBars();
    Refresh();
}

void CGridCtrl::ExpandColumnsToFit(BOOL bExpandFixed)
{
    if (!::IsWindow(GetSafeHwnd()) || GetColumnCount() <= 0)
        return;

    EnableScrollBars(SB_HORZ, FALSE);

    int col;
    CRect rect;
    GetClientRect(rect);

    int nFirstColumn = (bExpandFixed) ? 0 : GetFixedColumnCount();
    int nNumColumnsAffected = 0;
    for (col = nFirstColumn; col < GetColumnCount(); col++)
        if (m_arColWidths[col] > 0)
            nNumColumnsAffected++;
    if (nNumColumnsAffected <= 0)
        return;

    long virtualWidth = GetVirtualWidth();
    int nDifference = rect.Width() - (int)virtualWidth;
    int nColumnAdjustment = nDifference / nNumColumnsAffected;

    for (col = nFirstColumn; col < GetColumnCount(); col++)
        if (m_arColWidths[col] > 0)
            m_arColWidths[col] += nColumnAdjustment;

    if (nDifference > 0) {
        int leftOver = nDifference % nNumColumnsAffected;
        for (int nCount = 0, c = nFirstColumn; (c < GetColumnCount()) && (nCount < leftOver); c++, nCount++)
            if (m_arColWidths[c] > 0)
                m_arColWidths[c] += 1;
    } else {
        int leftOver = (-nDifference) % nNumColumnsAffected;
        for (int nCount = 0, c = nFirstColumn; (c < GetColumnCount()) && (nCount < leftOver); c++, nCount++)
            if (m_arColWidths[c] > 0)
                m_arColWidths[c] -= 1;
    }

    Refresh();
    ResetScrollBars();
}

void CGridCtrl::ExpandLastColumn()
{
    if (!::IsWindow(GetSafeHwnd()) || GetColumnCount() <= 0)
        return;

    int nLastColumn = GetColumnCount() - 1;
    while (m_arColWidths[nLastColumn] <= 0)
        if (--nLastColumn < 0)
            return;

    EnableScrollBars(SB_HORZ, FALSE);
    CRect rect;
    GetClientRect(rect);
    long virtualWidth = GetVirtualWidth();
    int nDifference = rect.Width() - (int)virtualWidth;
    if (nDifference > 0) {
        m_arColWidths[nLastColumn] += nDifference;
        Refresh();
    }
    ResetScrollBars();
}

void CGridCtrl::ExpandRowsToFit(BOOL bExpandFixed)
{
    if (!::IsWindow(GetSafeHwnd()) || GetRowCount() <= 0)
        return;

    EnableScrollBars(SB_VERT, FALSE);

    int row;
    CRect rect;
    GetClientRect(rect);

    int nFirstRow = (bExpandFixed) ? 0 : GetFixedRowCount();
    int nNumRowsAffected = 0;
    for (row = nFirstRow; row < GetRowCount(); row++)
        if (m_arRows[row].nHeight > 0)
            nNumRowsAffected++;
    if (nNumRowsAffected <= 0)
        return;

    long virtualHeight = GetVirtualHeight();
    int nDifference = rect.Height() - (int)virtualHeight;
    int nRowAdjustment = nDifference / nNumRowsAffected;

    for (row = nFirstRow; row < GetRowCount(); row++)
        if (m_arRows[row].nHeight > 0)
            m_arRows[row].nHeight += nRowAdjustment;

    if (nDifference > 0) {
        int leftOver = nDifference % nNumRowsAffected;
        for (int nCount = 0, r = nFirstRow; (r < GetRowCount()) && (nCount < leftOver); r++, nCount++)
            if (m_arRows[r].nHeight > 0)
                m_arRows[r].nHeight += 1;
    } else {
        int leftOver = (-nDifference) % nNumRowsAffected;
        for (int nCount = 0, r = nFirstRow; (r < GetRowCount()) && (nCount < leftOver); r++, nCount++)
            if (m_arRows[r].nHeight > 0)
                m_arRows[r].nHeight -= 1;
    }

    Refresh();
    ResetScrollBars();
}

void CGridCtrl::AutoFill()
{
    if (!::IsWindow(m_hWnd))
        return;

    CRect rect;
    GetClientRect(rect);

    SetColumnCount(rect.Width() / m_defCellNormal.GetWidth() + 1);
    SetRowCount(rect.Height() / m_defCellNormal.GetHeight() + 1);
    SetFixedRowCount(1);
    SetFixedColumnCount(1);
    ExpandColumnsToFit(TRUE);
    ExpandRowsToFit(TRUE);
    ExpandColumnsToFit(TRUE);
}

CSize CGridCtrl::GetTextExtent(int nRow, int nCol, LPCTSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return CSize(0, 0);
    return pCell->GetTextExtent(str);
}

// ===========================================================================
// Scrolling
// ===========================================================================

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos)
{
    if (!::IsWindow(GetSafeHwnd()))
        return 0;
    SCROLLINFO si;
    si.cbSize = sizeof(SCROLLINFO);
    if (bGetTrackPos) {
        if (GetScrollInfo(nBar, &si, SIF_TRACKPOS))
            return si.nTrackPos;
    } else {
        if (GetScrollInfo(nBar, &si, SIF_POS))
            return si.nPos;
    }
    return 0;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    m_cellTopLeft.row = -1;
    if (!::IsWindow(GetSafeHwnd()))
        return FALSE;
    SCROLLINFO si;
    si.cbSize = sizeof(SCROLLINFO);
    si.fMask = SIF_POS;
    si.nPos = nPos;
    return SetScrollInfo(nBar, &si, bRedraw);
}

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable)
{
    if (!::IsWindow(GetSafeHwnd()))
        return;
    if (bEnable) {
        if (!IsHScrollShown() && (nBar == SB_HORZ || nBar == SB_BOTH)) {
            m_nShownBars |= GRIDLINES_HORZ;
            CWnd::EnableScrollBarCtrl(SB_HORZ, bEnable);
        }
        if (!IsVScrollShown() && (nBar == SB_VERT || nBar == SB_BOTH)) {
            m_nShownBars |= GRIDLINES_VERT;
            CWnd::EnableScrollBarCtrl(SB_VERT, bEnable);
        }
    } else {
        if (IsHScrollShown() && (nBar == SB_HORZ || nBar == SB_BOTH)) {
            m_nShownBars &= ~GRIDLINES_HORZ;
            CWnd::EnableScrollBarCtrl(SB_HORZ, bEnable);
        }
        if (IsVScrollShown() && (nBar == SB_VERT || nBar == SB_BOTH)) {
            m_nShownBars &= ~GRIDLINES_VERT;
            CWnd::EnableScrollBarCtrl(SB_VERT, bEnable);
        }
    }
}

BOOL CGridCtrl::ResetScrollBars()
{
    m_cellTopLeft.row = -1;

    if (!m_bAllowDraw || !::IsWindow(GetSafeHwnd()))
        return FALSE;

    // The client area as it is with no bar shown. Bars are shown or hidden
    // only when they must change: switching them costs a frame change and a
    // repaint, and row inserts and deletes reset the bars every time.
    CRect rect;
    GetClientRect(rect);
    DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        rect.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    if (rect.left == rect.right || rect.top == rect.bottom) {
        EnableScrollBars(SB_BOTH, FALSE);
        return FALSE;
    }

    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();
    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        EnableScrollBars(SB_BOTH, FALSE);
        return FALSE;
    }

    CRect VisibleRect(GetFixedColumnWidth(), GetFixedRowHeight(), rect.right, rect.bottom);
    CRect VirtualRect(GetFixedColumnWidth(), GetFixedRowHeight(), GetVirtualWidth(), GetVirtualHeight());

    if (VisibleRect.Height() < VirtualRect.Height())
        VisibleRect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (VisibleRect.Width() < VirtualRect.Width())
        VisibleRect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);

    if (VisibleRect.Height() < VirtualRect.Height()) {
        EnableScrollBars(SB_VERT, TRUE);
        m_nVScrollMax = VirtualRect.Height() - 1;
    } else {
        EnableScrollBars(SB_VERT, FALSE);
        m_nVScrollMax = 0;
    }

    if (VisibleRect.Width() < VirtualRect.Width()) {
        EnableScrollBars(SB_HORZ, TRUE);
        m_nHScrollMax = VirtualRect.Width() - 1;
    } else {
        EnableScrollBars(SB_HORZ, FALSE);
        m_nHScrollMax = 0;
    }

    // A bar is given its range and page only when they change, and is redrawn
    // with the next paint rather than at once: drawing it now would cost far
    // more than a row insert or delete, which reset the bars every time.
    auto SetRange = [this](int nBar, UINT fMask, int nMax, UINT nPage) {
        SCROLLINFO cur;
        cur.cbSize = sizeof(SCROLLINFO);
        if (GetScrollInfo(nBar, &cur, SIF_PAGE | SIF_RANGE) && cur.nMin == 0 && cur.nMax == nMax && cur.nPage == nPage)
            return FALSE;
        SCROLLINFO si;
        si.cbSize = sizeof(SCROLLINFO);
        si.fMask = fMask;
        si.nPage = nPage;
        si.nMin = 0;
        si.nMax = nMax;
        SetScrollInfo(nBar, &si, FALSE);
        return TRUE;
    };
    BOOL bChanged = SetRange(SB_HORZ, SIF_PAGE | SIF_RANGE, m_nHScrollMax,
                             (m_nHScrollMax > 0) ? (UINT)VisibleRect.Width() : 0);
    bChanged |= SetRange(SB_VERT, SIF_PAGE | SIF_RANGE | SIF_DISABLENOSCROLL, m_nVScrollMax,
                         (m_nVScrollMax > 0) ? (UINT)VisibleRect.Height() : 0);
    // The bars' frame is invalidated once for a run of changes (a loop of
    // row inserts resets the bars every time), from a message posted to the
    // grid: each invalidation is a round trip to the window server, dear
    // when the machine is busy.
    if (bChanged && !m_bBarsRedrawPosted) {
        m_bBarsRedrawPosted = PostMessage(WM_GRID_REDRAWBARS);
        if (!m_bBarsRedrawPosted)
            OnRedrawBars(0, 0);
    }
    return TRUE;
}

LRESULT CGridCtrl::OnRedrawBars(WPARAM, LPARAM)
{
    m_bBarsRedrawPosted = FALSE;
    RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return 0;
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    if (bAllowDraw && !m_bAllowDraw) {
        m_bAllowDraw = TRUE;
        Refresh();
    }
    m_bAllowDraw = bAllowDraw;
    if (bResetScrollBars)
        ResetScrollBars();
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    ScrollAlong(SB_HORZ, nSBCode);
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    ScrollAlong(SB_VERT, nSBCode);
}

// One scroll request along columns (SB_HORZ) or rows (SB_VERT): the codes of
// the two bars share their values (SB_LINERIGHT is SB_LINEDOWN, SB_LEFT is
// SB_TOP...), and so do the rules. A line is the first visible cell's extent,
// skipping hidden ones; a page the scrolling area's; only what scrolled into
// view is repainted after a line forward.
void CGridCtrl::ScrollAlong(int nBar, UINT nSBCode)
{
    EndEditing();
    m_TitleTip.Hide();

    const BOOL bHorz = nBar == SB_HORZ;
    auto extent = [&](int i) { return bHorz ? GetColumnWidth(i) : GetRowHeight(i); };
    const int nCount = bHorz ? GetColumnCount() : GetRowCount();
    const int nFixed = bHorz ? GetFixedColumnCount() : GetFixedRowCount();
    const int nFixedExtent = bHorz ? GetFixedColumnWidth() : GetFixedRowHeight();
    const int nMax = bHorz ? m_nHScrollMax : m_nVScrollMax;

    int scrollPos = GetScrollPos32(nBar);
    CCellID idTopLeft = GetTopleftNonFixedCell();
    int nFirst = bHorz ? idTopLeft.column : idTopLeft.row;

    // The scrolling area: the client area below or right of the fixed cells.
    CRect rect;
    GetClientRect(rect);
    LONG& rectStart = bHorz ? rect.left : rect.top;
    LONG& rectEnd = bHorz ? rect.right : rect.bottom;
    rectStart = nFixedExtent;
    const int nPage = bHorz ? rect.Width() : rect.Height();

    switch (nSBCode) {
    case SB_LINEDOWN:
        if (scrollPos < nMax) {
            while (nFirst < nCount - 1 && extent(nFirst) < 1)
                nFirst++;
            int nStep = extent(nFirst);
            SetScrollPos32(nBar, scrollPos + nStep, FALSE);
            if (GetScrollPos32(nBar) == scrollPos)
                break;
            rectStart = nFixedExtent + nStep;
            ScrollWindow(bHorz ? -nStep : 0, bHorz ? 0 : -nStep, rect);
            rectStart = rectEnd - nStep;
            InvalidateRect(rect);
        }
        break;

    case SB_LINEUP:
        if (scrollPos > 0 && nFirst > nFixed) {
            int nUse = nFirst - 1;
            while (nUse > nFixed && extent(nUse) < 1)
                nUse--;
            SetScrollPos32(nBar, max(0, scrollPos - extent(nUse)), FALSE);
            if (GetScrollPos32(nBar) != scrollPos)
                InvalidateRect(rect);
        }
        break;

    case SB_PAGEDOWN:
    case SB_PAGEUP: {
        int pos = nSBCode == SB_PAGEDOWN ? min(nMax, scrollPos + nPage) : max(0, scrollPos - nPage);
        if (nSBCode == SB_PAGEDOWN ? scrollPos >= nMax : scrollPos <= 0)
            break;
        SetScrollPos32(nBar, pos, FALSE);
        if (GetScrollPos32(nBar) != scrollPos)
            InvalidateRect(rect);
        break;
    }

    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SetScrollPos32(nBar, GetScrollPos32(nBar, TRUE), FALSE);
        m_cellTopLeft.row = -1;
        if (GetTopleftNonFixedCell() != idTopLeft)
            InvalidateRect(rect);
        break;
    }

    case SB_TOP:
    case SB_BOTTOM: {
        int pos = nSBCode == SB_TOP ? 0 : nMax;
        if (scrollPos != pos) {
            SetScrollPos32(nBar, pos, FALSE);
            Invalidate();
        }
        break;
    }

    default:
        break;
    }

    // The bar is drawn with the paint that follows, beside the cells, rather
    // than at once: drawn on its own it cost about as much as the cells.
    if (GetScrollPos32(nBar) != scrollPos)
        RedrawWindow(GetScrollRect(nBar), NULL, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// Where a scroll bar lies in client coordinates: beside the client area, so
// that invalidating it reaches the frame alone.
CRect CGridCtrl::GetScrollRect(int nBar) const
{
    CRect rect;
    GetClientRect(rect);
    if (nBar == SB_VERT)
        return CRect(rect.right, 0, rect.right + ::GetSystemMetrics(SM_CXVSCROLL), rect.bottom);
    return CRect(0, rect.bottom, rect.right, rect.bottom + ::GetSystemMetrics(SM_CYHSCROLL));
}

BOOL CGridCtrl::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    if (m_nWheelScrollLines == -1) {
        int nPagesScrolled = zDelta / 120;
        if (nPagesScrolled > 0)
            for (int i = 0; i < nPagesScrolled; i++)
                PostMessage(WM_VSCROLL, SB_PAGEUP, 0);
        else
            for (int i = 0; i > nPagesScrolled; i--)
                PostMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    } else {
        int nRowsScrolled = m_nWheelScrollLines * zDelta / 120;
        if (nRowsScrolled > 0)
            for (int i = 0; i < nRowsScrolled; i++)
                PostMessage(WM_VSCROLL, SB_LINEUP, 0);
        else
            for (int i = 0; i > nRowsScrolled; i--)
                PostMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    }
    return TRUE;
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    if (m_bInSize)
        return;
    m_bInSize = TRUE;

    // The drop target is registered once the window is there.
    if (!m_DropTarget.IsRegistered())
        m_DropTarget.Register(this);

    EndEditing();
    CWnd::OnSize(nType, cx, cy);
    ResetScrollBars();

    m_bInSize = FALSE;
}

LRESULT CGridCtrl::OnSetFont(WPARAM hFont, LPARAM /*lParam*/)
{
    LRESULT result = Default();

    LOGFONT lf;
    if (!GetObject((HFONT)hFont, sizeof(LOGFONT), &lf))
        return result;

    m_defCellNormal.SetFont(&lf);
    m_defCellFixedCol.SetFont(&lf);
    m_defCellFixedRow.SetFont(&lf);
    m_defCellFixedBoth.SetFont(&lf);

    Refresh();
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    CFont* pFont = m_defCellNormal.GetFontObject();
    return (LRESULT)(pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL);
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();

    CGridDefaultCell* cells[] = {&m_defCellNormal, &m_defCellFixedRow, &m_defCellFixedCol, &m_defCellFixedBoth};
    for (CGridDefaultCell* pCell : cells) {
        if (pCell->GetTextClr() == m_crSysWindowText)
            pCell->SetTextClr(::GetSysColor(COLOR_WINDOWTEXT));
        if (pCell->GetBackClr() == m_crSysWindow)
            pCell->SetBackClr(::GetSysColor(COLOR_WINDOW));
    }
    if (m_crGridBack == m_crSysShadow)
        m_crGridBack = ::GetSysColor(COLOR_3DSHADOW);

    m_crSysWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crSysWindow = ::GetSysColor(COLOR_WINDOW);
    m_crSysFace = ::GetSysColor(COLOR_3DFACE);
    m_crSysShadow = ::GetSysColor(COLOR_3DSHADOW);
}

void CGridCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    // Not routed by the message map; kept for derived grids.
    (void)uFlags;
    (void)lpszSection;
    OnSysColorChange();
    UINT nLines = 0;
    if (::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
        m_nWheelScrollLines = (nLines == WHEEL_PAGESCROLL) ? -1 : (int)nLines;
}

// ===========================================================================
// Painting
// ===========================================================================

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CMemDC MemDC(&dc);
        OnDraw(&MemDC);
    } else
        OnDraw(&dc);
}

BOOL CGridCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;   // OnDraw paints every pixel
}

void CGridCtrl::EraseBkgnd(CDC* pDC)
{
    CRect VisRect, ClipRect, rect;
    CBrush FixedRowColBack(GetDefaultCell(TRUE, TRUE)->GetBackClr()),
        FixedRowBack(GetDefaultCell(TRUE, FALSE)->GetBackClr()),
        FixedColBack(GetDefaultCell(FALSE, TRUE)->GetBackClr()),
        TextBack(GetDefaultCell(FALSE, FALSE)->GetBackClr());
    CBrush Back(m_crGridBack);

    if (pDC->GetClipBox(ClipRect) == ERROR)
        return;
    VisibleRange(VisRect);

    int nFixedColumnWidth = GetFixedColumnWidth();
    int nFixedRowHeight = GetFixedRowHeight();

    if (ClipRect.top < nFixedRowHeight && ClipRect.left < nFixedColumnWidth)
        pDC->FillRect(CRect(ClipRect.left, ClipRect.top, nFixedColumnWidth, nFixedRowHeight), &FixedRowColBack);

    if (ClipRect.left < nFixedColumnWidth && ClipRect.top < VisRect.bottom)
        pDC->FillRect(CRect(ClipRect.left, ClipRect.top, nFixedColumnWidth, VisRect.bottom), &FixedColBack);

    if (ClipRect.top < nFixedRowHeight && ClipRect.right > nFixedColumnWidth && ClipRect.left < VisRect.right)
        pDC->FillRect(CRect(nFixedColumnWidth - 1, ClipRect.top, VisRect.right, nFixedRowHeight), &FixedRowBack);

    if (rect.IntersectRect(VisRect, ClipRect)) {
        CRect CellRect(max(nFixedColumnWidth, (int)rect.left), max(nFixedRowHeight, (int)rect.top), rect.right, rect.bottom);
        pDC->FillRect(CellRect, &TextBack);
    }

    if (VisRect.right < ClipRect.right)
        pDC->FillRect(CRect(VisRect.right, ClipRect.top, ClipRect.right, ClipRect.bottom), &Back);

    if (VisRect.bottom < ClipRect.bottom && ClipRect.left < VisRect.right)
        pDC->FillRect(CRect(ClipRect.left, VisRect.bottom, VisRect.right, ClipRect.bottom), &Back);
}

void CGridCtrl::OnDraw(CDC* pDC)
{
    if (!m_bAllowDraw)
        return;

    CRect clipRect;
    if (pDC->GetClipBox(&clipRect) == ERROR)
        return;

    EraseBkgnd(pDC);

    int row, col;
    CGridCellBase* pCell;

    int nFixedRowHeight = GetFixedRowHeight();
    int nFixedColWidth = GetFixedColumnWidth();

    CCellID idTopLeft = GetTopleftNonFixedCell();
    int minVisibleRow = idTopLeft.row, minVisibleCol = idTopLeft.column;

    CRect VisRect;
    CCellRange VisCellRange = VisibleRange(VisRect);
    int maxVisibleRow = VisCellRange.GetMaxRow(), maxVisibleCol = VisCellRange.GetMaxCol();

    if (GetVirtualMode())
        SendCacheHint(VisCellRange);

    CRect rect;

    // The fixed corner.
    rect.bottom = -1;
    for (row = 0; row < m_nFixedRows; row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (col = 0; col < m_nFixedCols; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            pCell = GetCell(row, col);
            if (pCell != NULL) {
                pCell->SetCoords(row, col);
                pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    }

    // The fixed columns of the visible rows.
    rect.bottom = nFixedRowHeight - 1;
    for (row = minVisibleRow; row <= maxVisibleRow; row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = -1;
        for (col = 0; col < m_nFixedCols; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            pCell = GetCell(row, col);
            if (pCell != NULL) {
                pCell->SetCoords(row, col);
                pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    }

    // The fixed rows of the visible columns.
    rect.bottom = -1;
    for (row = 0; row < m_nFixedRows; row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = nFixedColWidth - 1;
        for (col = minVisibleCol; col <= maxVisibleCol; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            pCell = GetCell(row, col);
            if (pCell != NULL) {
                pCell->SetCoords(row, col);
                pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    }

    // The visible non-fixed cells.
    rect.bottom = nFixedRowHeight - 1;
    for (row = minVisibleRow; row <= maxVisibleRow; row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = nFixedColWidth - 1;
        for (col = minVisibleCol; col <= maxVisibleCol; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            pCell = GetCell(row, col);
            if (pCell != NULL) {
                pCell->SetCoords(row, col);
                pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    }

    // Grid lines, at the last pixel of each visible non-fixed row and column.
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, m_crLines);
    CPen* pOldPen = pDC->SelectObject(&pen);

    if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
        int x = nFixedColWidth;
        for (col = minVisibleCol; col <= maxVisibleCol; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            x += GetColumnWidth(col);
            pDC->MoveTo(x - 1, nFixedRowHeight);
            pDC->LineTo(x - 1, VisRect.bottom);
        }
    }

    if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
        int y = nFixedRowHeight;
        for (row = minVisibleRow; row <= maxVisibleRow; row++) {
            if (GetRowHeight(row) <= 0)
                continue;
            y += GetRowHeight(row);
            pDC->MoveTo(nFixedColWidth, y - 1);
            pDC->LineTo(VisRect.right, y - 1);
        }
    }

    pDC->SelectObject(pOldPen);

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));
}

BOOL CGridCtrl::RepaintCell(int nRow, int nCol, CDC* pDC)
{
    BOOL bResult = TRUE;
    BOOL bMustReleaseDC = FALSE;

    if (!m_bAllowDraw || !IsCellVisible(nRow, nCol))
        return FALSE;

    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return FALSE;

    if (pDC == NULL) {
        pDC = GetDC();
        if (pDC != NULL)
            bMustReleaseDC = TRUE;
    }

    if (pDC != NULL) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != NULL) {
            pCell->SetCoords(nRow, nCol);
            bResult = pCell->Draw(pDC, nRow, nCol, rect, TRUE);
        }

        if (!IsCellFixed(nRow, nCol)) {
            CPen pen;
            pen.CreatePen(PS_SOLID, 0, m_crLines);
            CPen* pOldPen = pDC->SelectObject(&pen);
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
            pDC->SelectObject(pOldPen);
        }
    } else
        InvalidateRect(rect, TRUE);

    if (bMustReleaseDC)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::RepaintRow(int row)
{
    BOOL bResult = TRUE;
    if (!::IsWindow(GetSafeHwnd()))
        return FALSE;
    CDC* pDC = GetDC();
    for (int col = 0; col < GetColumnCount(); col++)
        bResult = RepaintCell(row, col, pDC) && bResult;
    if (pDC != NULL)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::RepaintColumn(int col)
{
    BOOL bResult = TRUE;
    if (!::IsWindow(GetSafeHwnd()))
        return FALSE;
    CDC* pDC = GetDC();
    for (int row = 0; row < GetRowCount(); row++)
        bResult = RepaintCell(row, col, pDC) && bResult;
    if (pDC != NULL)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::InvalidateCellRect(const int row, const int col)
{
    if (!::IsWindow(GetSafeHwnd()) || !m_bAllowDraw)
        return FALSE;
    if (!IsValid(row, col))
        return FALSE;
    if (!IsCellVisible(row, col))
        return FALSE;

    CRect rect;
    if (!GetCellRect(row, col, rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(rect, TRUE);
    return TRUE;
}

BOOL CGridCtrl::InvalidateCellRect(const CCellRange& cellRange)
{
    if (!::IsWindow(GetSafeHwnd()) || !m_bAllowDraw)
        return FALSE;
    CCellRange visibleCellRange = VisibleRange();
    for (int row = cellRange.GetMinRow(); row <= cellRange.GetMaxRow(); row++)
        for (int col = cellRange.GetMinCol(); col <= cellRange.GetMaxCol(); col++)
            if (visibleCellRange.InRange(row, col))
                InvalidateCellRect(row, col);
    return TRUE;
}

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    Refresh();
}

void CGridCtrl::Refresh()
{
    if (::IsWindow(GetSafeHwnd()) && m_bAllowDraw)
        Invalidate();
}

// ===========================================================================
// Selection and focus
// ===========================================================================

static BOOL IsSHIFTpressed()
{
    return (GetKeyState(VK_SHIFT) & (1 << (sizeof(SHORT) * 8 - 1))) != 0;
}

static BOOL IsCTRLpressed()
{
    return (GetKeyState(VK_CONTROL) & (1 << (sizeof(SHORT) * 8 - 1))) != 0;
}

CCellID CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    return SetFocusCell(CCellID(nRow, nCol));
}

CCellID CGridCtrl::SetFocusCell(CCellID cell)
{
    if (cell == m_cellFocus)
        return m_cellFocus;

    CCellID idPrev = m_cellFocus;

    if (cell.row != -1 && cell.row < GetFixedRowCount())
        cell.row = GetFixedRowCount();
    if (cell.column != -1 && cell.column < GetFixedColumnCount())
        cell.column = GetFixedColumnCount();

    m_cellFocus = cell;

    if (IsValid(idPrev)) {
        SetCellState(idPrev.row, idPrev.column, GetCellState(idPrev.row, idPrev.column) & ~CELLSTATE_FOCUSED);
        InvalidateCellRect(idPrev);
    }
    if (IsValid(m_cellFocus)) {
        SetCellState(m_cellFocus.row, m_cellFocus.column,
                     GetCellState(m_cellFocus.row, m_cellFocus.column) | CELLSTATE_FOCUSED);
        InvalidateCellRect(m_cellFocus);
    }
    return idPrev;
}

void CGridCtrl::ClearSelectionAndFocus()
{
    m_mapPrevSelected.RemoveAll();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}

void CGridCtrl::ClearSelectionMap()
{
    m_mapSelected.RemoveAll();
    Refresh();
}

CCellRange CGridCtrl::GetSelectedCellRange() const
{
    CCellRange Selection(GetRowCount(), GetColumnCount(), -1, -1);

    for (POSITION pos = m_mapSelected.GetStartPosition(); pos != NULL;) {
        GRIDSELKEY key;
        CCellID cell;
        m_mapSelected.GetNextAssoc(pos, key, (CCellID&)cell);

        Selection.SetMinRow(min(Selection.GetMinRow(), cell.row));
        Selection.SetMinCol(min(Selection.GetMinCol(), cell.column));
        Selection.SetMaxRow(max(Selection.GetMaxRow(), cell.row));
        Selection.SetMaxCol(max(Selection.GetMaxCol(), cell.column));
    }
    return Selection;
}

void CGridCtrl::SetSelectedRange(const CCellRange& Range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SetSelectedRange(Range.GetMinRow(), Range.GetMinCol(), Range.GetMaxRow(), Range.GetMaxCol(), bForceRepaint,
                     bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint,
                                 BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;

    BOOL bWindow = ::IsWindow(GetSafeHwnd());
    CDC* pDC = (bForceRepaint && bWindow) ? GetDC() : NULL;

    CCellRange VisCellRange;
    if (bWindow)
        VisCellRange = VisibleRange();

    if (nMinRow >= 0 && nMinRow < GetFixedRowCount())
        nMinRow = GetFixedRowCount();
    if (nMaxRow >= 0 && nMaxRow < GetFixedRowCount())
        nMaxRow = GetFixedRowCount();
    if (nMinCol >= 0 && nMinCol < GetFixedColumnCount())
        nMinCol = GetFixedColumnCount();
    if (nMaxCol >= 0 && nMaxCol < GetFixedColumnCount())
        nMaxCol = GetFixedColumnCount();

    auto Redraw = [&](int row, int col) {
        if (!VisCellRange.InRange(row, col))
            return;
        if (pDC != NULL)
            RepaintCell(row, col, pDC);
        else
            InvalidateCellRect(row, col);
    };

    if (bSelectCells) {
        // The map is walked from a copy: clearing a cell's selected
        // bit removes its key, so the map is never changed while it is walked.
        std::vector<std::pair<GRIDSELKEY, CCellID>> selected;
        selected.reserve((size_t)m_mapSelected.GetCount());
        for (POSITION pos = m_mapSelected.GetStartPosition(); pos != NULL;) {
            GRIDSELKEY key;
            CCellID cell;
            m_mapSelected.GetNextAssoc(pos, key, (CCellID&)cell);
            selected.emplace_back(key, cell);
        }
        for (const auto& entry : selected) {
            const CCellID& cell = entry.second;
            if (!IsValid(cell)) {
                m_mapSelected.RemoveKey(entry.first);
                continue;
            }
            UINT state = GetCellState(cell.row, cell.column);
            SetCellState(cell.row, cell.column, state & ~CELLSTATE_SELECTED);
            // In virtual mode there is no cell whose state drops the key.
            m_mapSelected.RemoveKey(entry.first);

            if (nMinRow <= cell.row && cell.row <= nMaxRow && nMinCol <= cell.column && cell.column <= nMaxCol)
                continue;
            Redraw(cell.row, cell.column);
        }

        // A Ctrl-click selection keeps what was selected before it began.
        if (!GetSingleRowSelection() && nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0) {
            for (POSITION pos = m_mapPrevSelected.GetStartPosition(); pos != NULL;) {
                GRIDSELKEY key;
                CCellID cell;
                m_mapPrevSelected.GetNextAssoc(pos, key, (CCellID&)cell);
                if (!IsValid(cell))
                    continue;
                UINT state = GetCellState(cell.row, cell.column);
                SetCellState(cell.row, cell.column, state | CELLSTATE_SELECTED);
                Redraw(cell.row, cell.column);
            }
        }
    }

    if (nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0 && nMaxRow < m_nRows && nMaxCol < m_nCols &&
        nMinCol <= nMaxCol) {
        if (bSelectCells && nMinRow <= nMaxRow)
            SizeSelectionMap((LONGLONG)(nMaxRow - nMinRow + 1) * (nMaxCol - nMinCol + 1) + m_mapSelected.GetCount());
        for (int row = nMinRow; row <= nMaxRow; row++)
            for (int col = nMinCol; col <= nMaxCol; col++) {
                BOOL bCellSelected = IsCellInSelection(row, col);
                if (bSelectCells == bCellSelected)
                    continue;
                UINT state = GetCellState(row, col);
                if (bSelectCells)
                    SetCellState(row, col, state | CELLSTATE_SELECTED);
                else
                    SetCellState(row, col, state & ~CELLSTATE_SELECTED);
                Redraw(row, col);
            }
    }

    if (pDC != NULL)
        ReleaseDC(pDC);
}

// The map's table never grows by itself, and a chain per bucket makes every
// lookup walk it: a table too small for what is added turns a large selection
// quadratic. An empty map is sized for what it is about to hold (shrinking
// after a large selection, so that walking it stays cheap); a map that keeps
// entries only grows.
void CGridCtrl::SizeSelectionMap(LONGLONG nEntries)
{
    const LONGLONG nLeast = 17, nMost = 1 << 22;
    UINT nSize = (UINT)max(nLeast, min(nMost, nEntries));
    if (m_mapSelected.IsEmpty())
        m_mapSelected.InitHashTable(nSize, FALSE);
    else if (m_mapSelected.GetHashTableSize() < nSize)
        m_mapSelected.InitHashTable(nSize);
}

void CGridCtrl::SelectAllCells()
{
    NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, LVN_ITEMCHANGING);
    if (m_bEnableSelection)
        SelectEveryCell();
    NotifyOwner(m_cellFocus.row, m_cellFocus.column, LVN_ITEMCHANGED);
}

void CGridCtrl::SelectEveryCell()
{
    if (!m_bEnableSelection)
        return;
    // A range selection, so that the map and the cells'
    // selected bits agree; the fixed rows and columns stay out of it.
    SetSelectedRange(m_nFixedRows, m_nFixedCols, GetRowCount() - 1, GetColumnCount() - 1, FALSE, TRUE);
    Refresh();
}

void CGridCtrl::SelectColumnRange(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    if (currentCell.column < m_nFixedCols)
        return;
    if (!IsValid(currentCell))
        return;

    if (GetSingleColSelection())
        SetSelectedRange(GetFixedRowCount(), currentCell.column, GetRowCount() - 1, currentCell.column, bForceRedraw,
                         bSelectCells);
    else
        SetSelectedRange(GetFixedRowCount(), min(m_cellSelectStart.column, currentCell.column), GetRowCount() - 1,
                         max(m_cellSelectStart.column, currentCell.column), bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectRowRange(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    if (currentCell.row < m_nFixedRows)
        return;
    if (!IsValid(currentCell))
        return;

    if (GetSingleRowSelection())
        SetSelectedRange(currentCell.row, GetFixedColumnCount(), currentCell.row, GetColumnCount() - 1,
                         bForceRedraw, bSelectCells);
    else
        SetSelectedRange(min(m_cellSelectStart.row, currentCell.row), GetFixedColumnCount(),
                         max(m_cellSelectStart.row, currentCell.row), GetColumnCount() - 1, bForceRedraw,
                         bSelectCells);
}

void CGridCtrl::SelectCellRange(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    int row = currentCell.row;
    int col = currentCell.column;
    if (row < m_nFixedRows || col < m_nFixedCols)
        return;
    if (!IsValid(currentCell))
        return;

    SetSelectedRange(min(m_cellSelectStart.row, row), min(m_cellSelectStart.column, col),
                     max(m_cellSelectStart.row, row), max(m_cellSelectStart.column, col), bForceRedraw,
                     bSelectCells);
}

void CGridCtrl::ExtendSelectionTo(const CCellID& currentCell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_nMouseMode) {
    case MOUSE_SELECT_ALL: SelectEveryCell(); break;
    case MOUSE_SELECT_COL: SelectColumnRange(currentCell, TRUE, TRUE); break;
    case MOUSE_SELECT_ROW: SelectRowRange(currentCell, TRUE, TRUE); break;
    case MOUSE_SELECT_CELLS: SelectCellRange(currentCell, TRUE, TRUE); break;
    default: break;
    }
}

CCellID CGridCtrl::FindNextCell(CCellID start, int nFlags) const
{
    CCellID cell(-1, -1);
    if (!IsValid(start))
        return cell;

    // The state bits asked for.
    UINT nWanted = 0;
    if (nFlags & FINDCELL_FOCUSED)
        nWanted |= CELLSTATE_FOCUSED;
    if (nFlags & FINDCELL_SELECTED)
        nWanted |= CELLSTATE_SELECTED;
    if (nFlags & FINDCELL_DROPHILITED)
        nWanted |= CELLSTATE_DROPHILITED;
    if (nFlags & FINDCELL_READONLY)
        nWanted |= CELLSTATE_READONLY;
    if (nFlags & FINDCELL_FIXED)
        nWanted |= CELLSTATE_FIXED;
    if (nFlags & FINDCELL_MODIFIED)
        nWanted |= CELLSTATE_MODIFIED;

    auto Matches = [&](int row, int col) { return (GetCellState(row, col) & nWanted) != 0; };

    int row = start.row, col = start.column;

    if ((nFlags & FINDCELL_ALL) == FINDCELL_ALL) {
        // Row by row from the cell after start through all non-fixed cells.
        int nStartRow = (row < 1) ? m_nFixedRows : row;
        int nStartCol = (col < 1) ? m_nFixedCols : col + 1;
        for (int r = nStartRow; r < GetRowCount(); r++) {
            for (int c = (r == nStartRow ? nStartCol : m_nFixedCols); c < GetColumnCount(); c++)
                if (Matches(r, c))
                    return CCellID(r, c);
        }
        return cell;
    }
    if ((nFlags & FINDCELL_AREA) == FINDCELL_AREA) {
        for (int r = row; r < GetRowCount(); r++)
            for (int c = col + 1; c < GetColumnCount(); c++)
                if (Matches(r, c))
                    return CCellID(r, c);
        return cell;
    }
    if (nFlags & FINDCELL_ABOVE) {
        for (int r = row - 1; r >= m_nFixedRows; r--)
            if (Matches(r, col))
                return CCellID(r, col);
    } else if (nFlags & FINDCELL_BELOW) {
        for (int r = row + 1; r < GetRowCount(); r++)
            if (Matches(r, col))
                return CCellID(r, col);
    } else if (nFlags & FINDCELL_TOLEFT) {
        for (int c = col - 1; c >= m_nFixedCols; c--)
            if (Matches(row, c))
                return CCellID(row, c);
    } else if (nFlags & FINDCELL_TORIGHT) {
        for (int c = col + 1; c < GetColumnCount(); c++)
            if (Matches(row, c))
                return CCellID(row, c);
    }
    return cell;
}

void CGridCtrl::SetListMode(BOOL bEnableListMode)
{
    ClearSelectionAndFocus();
    SetSortColumn(-1);
    m_bListMode = bEnableListMode;
    SetFixedColumnSelection(FALSE);
    Refresh();
}

void CGridCtrl::SetSortColumn(int nCol)
{
    if (m_nSortColumn >= 0)
        InvalidateCellRect(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        InvalidateCellRect(0, nCol);
}

void CGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bEnableSelection);
}

// ===========================================================================
// Keyboard
// ===========================================================================

UINT CGridCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bWantTab && !IsCTRLpressed())
        nCode |= DLGC_WANTTAB;
    return nCode;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsValid(m_cellFocus)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    CCellID next = m_cellFocus;
    BOOL bChangeLine = FALSE;
    BOOL bHorzScrollAction = FALSE;
    BOOL bVertScrollAction = FALSE;

    if (IsCTRLpressed()) {
        switch (nChar) {
        case 'A': OnEditSelectAll(); break;
        case 'X': OnEditCut(); break;
        case VK_INSERT:
        case 'C': OnEditCopy(); break;
        case 'V': OnEditPaste(); break;
        }
    }

    if (IsSHIFTpressed() && nChar == VK_INSERT) {
        OnEditPaste();
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    auto FirstVisibleCol = [&]() {
        int c = m_nFixedCols;
        while (c < GetColumnCount() - 1 && GetColumnWidth(c) <= 0)
            c++;
        return c;
    };
    auto LastVisibleCol = [&]() {
        int c = GetColumnCount() - 1;
        while (c > m_nFixedCols && GetColumnWidth(c) <= 0)
            c--;
        return c;
    };
    auto FirstVisibleRow = [&]() {
        int r = m_nFixedRows;
        while (r < GetRowCount() - 1 && GetRowHeight(r) <= 0)
            r++;
        return r;
    };
    auto LastVisibleRow = [&]() {
        int r = GetRowCount() - 1;
        while (r > m_nFixedRows && GetRowHeight(r) <= 0)
            r--;
        return r;
    };

    if (nChar == VK_DOWN) {
        int iNextRow = next.row + 1;
        while (iNextRow < GetRowCount() && GetRowHeight(iNextRow) <= 0)
            iNextRow++;
        if (iNextRow < GetRowCount())
            next.row = iNextRow;
    } else if (nChar == VK_UP) {
        int iNextRow = next.row - 1;
        while (iNextRow >= m_nFixedRows && GetRowHeight(iNextRow) <= 0)
            iNextRow--;
        if (iNextRow >= m_nFixedRows)
            next.row = iNextRow;
    } else if (nChar == VK_RIGHT || (nChar == VK_TAB && !IsSHIFTpressed())) {
        int iNextCol = next.column + 1;
        while (iNextCol < GetColumnCount() && GetColumnWidth(iNextCol) <= 0)
            iNextCol++;
        if (iNextCol < GetColumnCount())
            next.column = iNextCol;
        else if (nChar == VK_TAB) {
            // Wrap to the first column of the next visible row.
            int iNextRow = next.row + 1;
            while (iNextRow < GetRowCount() && GetRowHeight(iNextRow) <= 0)
                iNextRow++;
            if (iNextRow < GetRowCount()) {
                next.row = iNextRow;
                next.column = FirstVisibleCol();
                bChangeLine = TRUE;
            }
        }
    } else if (nChar == VK_LEFT || (nChar == VK_TAB && IsSHIFTpressed())) {
        int iNextCol = next.column - 1;
        while (iNextCol >= m_nFixedCols && GetColumnWidth(iNextCol) <= 0)
            iNextCol--;
        if (iNextCol >= m_nFixedCols)
            next.column = iNextCol;
        else if (nChar == VK_TAB && next.row > m_nFixedRows) {
            int iNextRow = next.row - 1;
            while (iNextRow > m_nFixedRows && GetRowHeight(iNextRow) <= 0)
                iNextRow--;
            next.row = max(iNextRow, m_nFixedRows);
            next.column = LastVisibleCol();
            bChangeLine = TRUE;
        }
    } else if (nChar == VK_NEXT) {
        CCellID idOldTopLeft = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        bVertScrollAction = TRUE;
        CCellID idNewTopLeft = GetTopleftNonFixedCell();
        int increment = idNewTopLeft.row - idOldTopLeft.row;
        if (increment) {
            next.row += increment;
            if (next.row > (GetRowCount() - 1))
                next.row = GetRowCount() - 1;
        } else
            next.row = GetRowCount() - 1;
    } else if (nChar == VK_PRIOR) {
        CCellID idOldTopLeft = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
        bVertScrollAction = TRUE;
        CCellID idNewTopLeft = GetTopleftNonFixedCell();
        int increment = idNewTopLeft.row - idOldTopLeft.row;
        if (increment) {
            next.row += increment;
            if (next.row < m_nFixedRows)
                next.row = m_nFixedRows;
        } else
            next.row = m_nFixedRows;
    } else if (nChar == VK_HOME) {
        if (IsCTRLpressed()) {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            bVertScrollAction = TRUE;
            next.row = FirstVisibleRow();
        }
        SendMessage(WM_HSCROLL, SB_LEFT, 0);
        bHorzScrollAction = TRUE;
        next.column = FirstVisibleCol();
    } else if (nChar == VK_END) {
        if (IsCTRLpressed()) {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            bVertScrollAction = TRUE;
            next.row = LastVisibleRow();
        }
        SendMessage(WM_HSCROLL, SB_RIGHT, 0);
        bHorzScrollAction = TRUE;
        next.column = LastVisibleCol();
    } else if (nChar == VK_F2) {
        OnEditCell(m_cellFocus.row, m_cellFocus.column, CPoint(-1, -1), VK_LBUTTON);
    } else if (nChar == VK_DELETE) {
        // Consumed: nothing happens.
    } else {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    if (next == m_cellFocus)
        return;

    if (m_nMouseMode == MOUSE_NOTHING) {
        m_mapPrevSelected.RemoveAll();
        m_nMouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!IsSHIFTpressed() || nChar == VK_TAB)
            m_cellSelectStart = next;

        NotifyOwner(next.row, next.column, LVN_ITEMCHANGING);
        SelectRowRange(next, TRUE, TRUE);
        NotifyOwner(next.row, next.column, LVN_ITEMCHANGED);
        m_nMouseMode = MOUSE_NOTHING;
    }

    SetFocusCell(next);

    if (!IsCellVisible(next)) {
        switch (nChar) {
        case VK_RIGHT:
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            bHorzScrollAction = TRUE;
            break;
        case VK_LEFT:
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            bHorzScrollAction = TRUE;
            break;
        case VK_DOWN:
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            bVertScrollAction = TRUE;
            break;
        case VK_UP:
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            bVertScrollAction = TRUE;
            break;
        case VK_TAB:
            if (IsSHIFTpressed()) {
                if (bChangeLine) {
                    SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                    bVertScrollAction = TRUE;
                    SetScrollPos32(SB_HORZ, m_nHScrollMax);
                } else {
                    SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
                    bHorzScrollAction = TRUE;
                }
            } else {
                if (bChangeLine) {
                    SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                    bVertScrollAction = TRUE;
                    SetScrollPos32(SB_HORZ, 0);
                } else {
                    SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
                    bHorzScrollAction = TRUE;
                }
            }
            break;
        }
        EnsureVisible(next.row, next.column);
        Invalidate();
    }
    EnsureVisible(next.row, next.column);

    if (bHorzScrollAction)
        SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
    if (bVertScrollAction)
        SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsCTRLpressed() && m_nMouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE) {
        if (!m_bWantTab || nChar != VK_TAB)
            OnEditCell(m_cellFocus.row, m_cellFocus.column, CPoint(-1, -1), nChar);
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CGridCtrl::OnImeChar(WPARAM wCharCode, LPARAM /*lParam*/)
{
    if (!IsCTRLpressed() && m_nMouseMode == MOUSE_NOTHING && wCharCode != VK_ESCAPE)
        OnEditCell(m_cellFocus.row, m_cellFocus.column, CPoint(-1, -1), (UINT)wCharCode);
    return 0;
}

void CGridCtrl::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CWnd::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

// ===========================================================================
// Mouse and title tips
// ===========================================================================

CPoint CGridCtrl::GetPointClicked(int nRow, int nCol, const CPoint& point)
{
    CPoint PointCellOrigin;
    if (!GetCellOrigin(nRow, nCol, &PointCellOrigin))
        return CPoint(0, 0);
    CPoint PointClickedCellRelative(point);
    PointClickedCellRelative -= PointCellOrigin;
    return PointClickedCellRelative;
}

// Divider sizing follows one rule along either axis: bRows picks the rows
// (heights, y, the row header band left of the fixed columns) or the columns
// (widths, x, the column header band above the fixed rows).

int CGridCtrl::AxisExtent(BOOL bRows, int i) const
{
    return bRows ? GetRowHeight(i) : GetColumnWidth(i);
}

// The first pixel of row (column) i, along its axis.
BOOL CGridCtrl::AxisStart(BOOL bRows, int i, int& nStart)
{
    CPoint origin;
    if (!GetCellOrigin(bRows ? i : 0, bRows ? 0 : i, &origin))
        return FALSE;
    nStart = bRows ? origin.y : origin.x;
    return TRUE;
}

BOOL CGridCtrl::MouseOverResizeArea(BOOL bRows, CPoint point)
{
    if ((bRows ? point.x : point.y) >= (bRows ? GetFixedColumnWidth() : GetFixedRowHeight()))
        return FALSE;

    CCellID idCurrentCell = GetCellFromPt(point);
    int nIndex = bRows ? idCurrentCell.row : idCurrentCell.column;
    CPoint origin;
    if (!GetCellOrigin(idCurrentCell, &origin))
        return FALSE;
    int nAlong = bRows ? point.y - origin.y : point.x - origin.x;
    return (nAlong < m_nResizeMargin && nIndex != 0) || AxisExtent(bRows, nIndex) - nAlong < m_nResizeMargin;
}

// The 2-pixel line that follows the pointer while a divider is dragged,
// drawn and erased by inverting it.
void CGridCtrl::InvertSizingLine(BOOL bRows, int nPos)
{
    CRect rect;
    GetClientRect(rect);
    if (bRows)
        rect.SetRect(rect.left, nPos, rect.right, nPos + 2);
    else
        rect.SetRect(nPos, rect.top, nPos + 2, rect.bottom);
    CDC* pDC = GetDC();
    if (pDC != NULL) {
        pDC->InvertRect(&rect);
        ReleaseDC(pDC);
    }
}

// A press on a divider: picks the row (column) to size and starts the drag.
void CGridCtrl::BeginSizing(BOOL bRows, CPoint point)
{
    m_nMouseMode = bRows ? MOUSE_SIZING_ROW : MOUSE_SIZING_COL;
    int& nIndex = bRows ? m_cellLeftDown.row : m_cellLeftDown.column;
    const int nLast = (bRows ? GetRowCount() : GetColumnCount()) - 1;
    const int nPos = bRows ? point.y : point.x;

    // A last one thinner than the margin is sized at the edge of the cells.
    if (AxisExtent(bRows, nLast) < m_nResizeMargin) {
        CRect VisRect;
        VisibleRange(VisRect);
        if (abs(nPos - (bRows ? VisRect.bottom : VisRect.right)) < m_nResizeMargin)
            nIndex = nLast;
    }

    int nStart;
    if (!AxisStart(bRows, nIndex, nStart))
        return;
    const BOOL bNearEdge = nPos - nStart < m_nResizeMargin;

    // Unless hidden ones may be reopened, the nearest shown one before takes
    // the place of a hidden one.
    if (!(bRows ? m_bReopenHiddenRows : m_bReopenHiddenColumns) && (bNearEdge || nIndex < nLast)) {
        int iOffset = bNearEdge ? 1 : 0;
        while (nIndex - iOffset >= 0 && AxisExtent(bRows, nIndex - iOffset) <= 0)
            nIndex--;
        if (nIndex - iOffset < 0)
            return;
    }

    InvertSizingLine(bRows, nPos);

    // On the near edge the divider is the previous one's far edge.
    if (bNearEdge && (nIndex < nLast || AxisExtent(bRows, nLast) >= m_nResizeMargin))
        if (!AxisStart(bRows, --nIndex, nStart))
            return;

    // The pointer stays past the sized one's first pixel.
    CRect rect;
    GetClientRect(rect);
    LONG& rectStart = bRows ? rect.top : rect.left;
    LONG& rectEnd = bRows ? rect.bottom : rect.right;
    int nSpan = (rectEnd - rectStart) - (bRows ? GetFixedRowHeight() : GetFixedColumnWidth());
    rectStart = nStart + 1;
    rectEnd = rectStart + nSpan;
    ClientToScreen(rect);
    ::ClipCursor(rect);
}

// The release that ends a divider drag: the row (column) ends where the
// pointer is.
void CGridCtrl::EndSizing(BOOL bRows, CPoint point)
{
    InvertSizingLine(bRows, bRows ? m_lastPointerPos.y : m_lastPointerPos.x);
    if (m_pressPoint == point || (point.x == 0 && point.y == 0))
        return;
    int nIndex = bRows ? m_cellLeftDown.row : m_cellLeftDown.column;
    int nStart;
    if (!AxisStart(bRows, nIndex, nStart))
        return;
    BOOL bMayHide = bRows ? m_bAllowRowHide : m_bAllowColumnHide;
    int nExtent = max((int)((bRows ? point.y : point.x) - nStart), bMayHide ? 0 : 1);
    if (bRows)
        SetRowHeight(nIndex, nExtent);
    else
        SetColumnWidth(nIndex, nExtent);
    ResetScrollBars();
    Invalidate();
}

// A double click on a divider fits the row (column) whose far edge it is,
// or the nearest shown one before it.
void CGridCtrl::FitToDivider(BOOL bRows, CPoint point, CCellID cell)
{
    int nIndex = bRows ? cell.row : cell.column;
    int nStart;
    if (!AxisStart(bRows, nIndex, nStart))
        return;
    if ((bRows ? point.y : point.x) - nStart < m_nResizeMargin)
        nIndex--;
    while (nIndex > 0 && AxisExtent(bRows, nIndex) <= 0)
        nIndex--;
    if (nIndex < 0)
        return;
    if (bRows)
        AutoSizeRow(nIndex);
    else
        AutoSizeColumn(nIndex, GetAutoSizeStyle());
    Invalidate();
}

// The pointer over a divider (a column divider wins where both meet): its
// cursor and mode. FALSE when it is over none.
BOOL CGridCtrl::HoverDivider(CPoint point)
{
    for (BOOL bRows : {FALSE, TRUE}) {
        if (!(bRows ? m_bAllowRowResize : m_bAllowColumnResize) || !MouseOverResizeArea(bRows, point))
            continue;
        int nMode = bRows ? MOUSE_OVER_ROW_DIVIDE : MOUSE_OVER_COL_DIVIDE;
        if (m_nMouseMode != nMode) {
            ::SetCursor(::LoadCursor(NULL, bRows ? IDC_SIZENS : IDC_SIZEWE));
            m_nMouseMode = nMode;
        }
        return TRUE;
    }
    return FALSE;
}

void CGridCtrl::OnFixedColumnClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bFixedColumnSelection) {
        m_nMouseMode = (cell.row < GetFixedRowCount()) ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
        ExtendSelectionTo(cell);
    }
}

void CGridCtrl::OnFixedRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;

    if (GetSortOnClick()) {
        CWaitCursor waiter;
        if (cell.column == GetSortColumn())
            SortItems(cell.column, !GetSortAscending());
        else
            SortItems(cell.column, FALSE);   // a new column sorts descending first
        SendMessage(WM_VSCROLL, SB_TOP, 0);
        SetFocusCell(1, cell.column);
        SetSelectedRange(1, 0, 1, GetColumnCount() - 1, FALSE, TRUE);
        Invalidate();
    }

    if (m_bFixedRowSelection) {
        m_nMouseMode = (cell.column < GetFixedColumnCount()) ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        ExtendSelectionTo(cell);
    }
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();

    m_pressPoint = point;
    m_bLeftButtonDown = TRUE;
    m_cellLeftDown = GetCellFromPt(point);
    if (!IsValid(m_cellLeftDown))
        return;

    if ((nFlags & MK_SHIFT) != MK_SHIFT)
        m_cellSelectStart = m_cellLeftDown;
    else if (!IsValid(m_cellSelectStart))
        m_cellSelectStart = m_cellFocus;

    EndEditing();

    CGridCellBase* pCell = GetCell(m_cellLeftDown.row, m_cellLeftDown.column);
    if (pCell != NULL)
        pCell->OnPress(GetPointClicked(m_cellLeftDown.row, m_cellLeftDown.column, point));

    BOOL bInTextArea = FALSE;
    pCell = GetCell(m_cellLeftDown.row, m_cellLeftDown.column);
    if (pCell != NULL) {
        CRect rectCell;
        if (GetCellRect(m_cellLeftDown.row, m_cellLeftDown.column, rectCell) && pCell->GetTextRect(rectCell))
            bInTextArea = rectCell.PtInRect(point);
    }

    if (m_cellLeftDown == m_cellFocus && !(nFlags & MK_CONTROL) && bInTextArea &&
        IsCellEditable(m_cellLeftDown)) {
        m_nMouseMode = MOUSE_PREPARE_EDIT;
        return;
    } else if (IsCellInSelection(m_cellLeftDown)) {
        if (nFlags & MK_CONTROL) {
            SetFocusCell(m_cellLeftDown);
            if (GetListMode())
                SelectRowRange(m_cellLeftDown, TRUE, FALSE);
            else
                SelectCellRange(m_cellLeftDown, TRUE, FALSE);
            return;
        } else if (m_bAllowDragAndDrop)
            m_nMouseMode = MOUSE_PREPARE_DRAG;
    } else if (m_nMouseMode != MOUSE_OVER_COL_DIVIDE && m_nMouseMode != MOUSE_OVER_ROW_DIVIDE) {
        if (m_cellLeftDown.row >= GetFixedRowCount())
            SetFocusCell(m_cellLeftDown.row, m_cellLeftDown.column);
    }

    SetCapture();

    if (m_nMouseMode == MOUSE_NOTHING)
        HoverDivider(point);

    if (m_nMouseMode == MOUSE_OVER_COL_DIVIDE || m_nMouseMode == MOUSE_OVER_ROW_DIVIDE) {
        BeginSizing(m_nMouseMode == MOUSE_OVER_ROW_DIVIDE, point);
    } else if (m_nMouseMode != MOUSE_PREPARE_DRAG) {
        NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, LVN_ITEMCHANGING);

        if (m_cellLeftDown.row >= GetFixedRowCount()) {
            m_mapPrevSelected.RemoveAll();
            if (nFlags & MK_CONTROL) {
                for (POSITION pos = m_mapSelected.GetStartPosition(); pos != NULL;) {
                    GRIDSELKEY key;
                    CCellID cell;
                    m_mapSelected.GetNextAssoc(pos, key, (CCellID&)cell);
                    m_mapPrevSelected.SetAt(key, cell);
                }
            }
        }

        if (m_cellLeftDown.row < GetFixedRowCount())
            OnFixedRowClick(m_cellLeftDown);
        else if (m_cellLeftDown.column < GetFixedColumnCount()) {
            SelectRowRange(m_cellLeftDown, TRUE, TRUE);
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        } else {
            m_nMouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            ExtendSelectionTo(m_cellLeftDown);
            m_nAutoScrollTimer = SetTimer(GRID_AUTOSCROLL_TIMER, m_nAutoScrollInterval, NULL);
        }
    }

    m_lastPointerPos = point;
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rect;
    GetClientRect(rect);

    if (m_nMouseMode != MOUSE_DRAGGING && !rect.PtInRect(point))
        return;

    if (!m_bLeftButtonDown || (m_bLeftButtonDown && m_nMouseMode == MOUSE_NOTHING)) {
        // Hover handling.
        if (!HoverDivider(point) && m_nMouseMode != MOUSE_NOTHING) {
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
            m_nMouseMode = MOUSE_NOTHING;
        }

        if (m_nMouseMode == MOUSE_NOTHING && !(GetVirtualMode() && !m_bTitleTips)) {
            CCellID idCurrentCell = GetCellFromPt(point);
            CGridCellBase* pCell = GetCell(idCurrentCell.row, idCurrentCell.column);
            if (pCell != NULL) {
                pCell->OnHover();
                if (m_bTitleTips) {
                    CRect TextRect, CellRect;
                    LPCTSTR szTipText = pCell->GetTipText();
                    if (szTipText != NULL && szTipText[0] != 0 && !pCell->IsEditing() &&
                        GetCellRect(idCurrentCell.row, idCurrentCell.column, &TextRect) &&
                        pCell->GetTipTextRect(&TextRect) &&
                        GetCellRect(idCurrentCell.row, idCurrentCell.column, CellRect)) {
                        CString strTip = szTipText;
                        m_TitleTip.SetParentWnd(this);
                        m_TitleTip.Show(TextRect, strTip, 0, CellRect, pCell->GetFont(), m_crTitleTipText,
                                        m_crTitleTipBack);
                    }
                }
            }
        }
        m_lastPointerPos = point;
        return;
    }

    if (!IsValid(m_cellLeftDown)) {
        m_lastPointerPos = point;
        return;
    }

    if (m_bLeftButtonDown) {
        switch (m_nMouseMode) {
        case MOUSE_SELECT_ALL:
            break;

        case MOUSE_SELECT_COL:
        case MOUSE_SELECT_ROW:
        case MOUSE_SELECT_CELLS: {
            CCellID idCurrentCell = GetCellFromPt(point);
            if (!IsValid(idCurrentCell))
                return;
            if (idCurrentCell != GetFocusCell()) {
                ExtendSelectionTo(idCurrentCell);
                if ((idCurrentCell.row >= GetFixedRowCount() && idCurrentCell.column >= GetFixedColumnCount()) ||
                    m_nMouseMode == MOUSE_SELECT_COL || m_nMouseMode == MOUSE_SELECT_ROW)
                    RepaintRow(idCurrentCell.row);
            }
            break;
        }

        case MOUSE_SIZING_COL:
        case MOUSE_SIZING_ROW: {
            BOOL bRows = m_nMouseMode == MOUSE_SIZING_ROW;
            InvertSizingLine(bRows, bRows ? m_lastPointerPos.y : m_lastPointerPos.x);
            InvertSizingLine(bRows, bRows ? point.y : point.x);
            break;
        }

        case MOUSE_PREPARE_EDIT:
        case MOUSE_PREPARE_DRAG:
            m_nMouseMode = MOUSE_PREPARE_DRAG;
            OnBeginDrag();
            break;
        }
    }

    m_lastPointerPos = point;
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);

    m_bLeftButtonDown = FALSE;
    ::ClipCursor(NULL);

    if (GetCapture()->GetSafeHwnd() == GetSafeHwnd()) {
        ReleaseCapture();
        if (m_nAutoScrollTimer != 0)
            KillTimer(m_nAutoScrollTimer);
        m_nAutoScrollTimer = 0;
    }

    CPoint pointClickedRel = GetPointClicked(m_cellFocus.row, m_cellFocus.column, point);

    if (m_nMouseMode == MOUSE_PREPARE_EDIT) {
        OnEditCell(m_cellFocus.row, m_cellFocus.column, pointClickedRel, VK_LBUTTON);
    } else if (m_nMouseMode == MOUSE_PREPARE_DRAG) {
        // A press on a selected cell that did not become a drag.
        CGridCellBase* pCell = GetCell(m_cellFocus.row, m_cellFocus.column);
        if (pCell != NULL)
            pCell->OnClick(GetPointClicked(m_cellFocus.row, m_cellFocus.column, point));
        NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, NM_CLICK);
        NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, LVN_ITEMCHANGING);
        // The pressed cell (its row in list mode) becomes the selection, with
        // the map and the cells' bits together, and the focus is on it alone.
        ClearSelectionAndFocus();
        if (m_bListMode)
            SetSelectedRange(m_cellLeftDown.row, m_nFixedCols, m_cellLeftDown.row, GetColumnCount() - 1,
                             FALSE, TRUE);
        else
            SetSelectedRange(m_cellLeftDown.row, m_cellLeftDown.column, m_cellLeftDown.row,
                             m_cellLeftDown.column, FALSE, TRUE);
        SetFocusCell(m_cellLeftDown);
        Invalidate();
        NotifyOwner(m_cellFocus.row, m_cellFocus.column, LVN_ITEMCHANGED);
    } else if (m_nMouseMode == MOUSE_SIZING_COL || m_nMouseMode == MOUSE_SIZING_ROW) {
        EndSizing(m_nMouseMode == MOUSE_SIZING_ROW, point);
    } else {
        NotifyOwner(m_cellFocus.row, m_cellFocus.column, LVN_ITEMCHANGED);

        CGridCellBase* pCell = GetCell(m_cellFocus.row, m_cellFocus.column);
        if (pCell != NULL)
            pCell->OnClick(GetPointClicked(m_cellFocus.row, m_cellFocus.column, point));
        NotifyOwner(m_cellLeftDown.row, m_cellLeftDown.column, NM_CLICK);
    }

    m_nMouseMode = MOUSE_NOTHING;
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));

    if (!IsValid(m_cellLeftDown))
        return;

    CWnd* pOwner = GetOwner();
    if (pOwner != NULL && ::IsWindow(pOwner->m_hWnd))
        pOwner->PostMessage(WM_COMMAND, MAKELONG(GetDlgCtrlID(), 0), (LPARAM)GetSafeHwnd());
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return;

    if (m_nMouseMode == MOUSE_OVER_COL_DIVIDE || m_nMouseMode == MOUSE_OVER_ROW_DIVIDE) {
        FitToDivider(m_nMouseMode == MOUSE_OVER_ROW_DIVIDE, point, cell);
    } else if (m_nMouseMode == MOUSE_NOTHING) {
        CPoint pointClickedRel = GetPointClicked(cell.row, cell.column, point);

        CGridCellBase* pCell = NULL;
        if (IsValid(cell))
            pCell = GetCell(cell.row, cell.column);

        if (cell.row >= m_nFixedRows && cell.column >= m_nFixedCols && pCell != NULL &&
            (IsValid(m_cellLeftDown) || m_bListMode)) {
            CRect rectText;
            if (GetCellRect(cell.row, cell.column, rectText) && pCell->GetTextRect(rectText) &&
                rectText.PtInRect(point))
                OnEditCell(cell.row, cell.column, pointClickedRel, VK_LBUTTON);
        }

        pCell = GetCell(cell.row, cell.column);
        if (pCell != NULL)
            pCell->OnDoubleClick(pointClickedRel);
        NotifyOwner(cell.row, cell.column, NM_DBLCLK);
    }

    CWnd::OnLButtonDblClk(nFlags, point);
}

void CGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonUp(nFlags, point);

    m_bRightButtonDown = FALSE;
    EndEditing();

    CCellID FocusCell = GetCellFromPt(point);
    if (!IsValid(FocusCell)) {
        NotifyOwner(-1, -1, NM_RCLICK);
        return;
    }

    SetFocusCell(-1, -1);
    SetFocusCell(max(FocusCell.row, m_nFixedRows), max(FocusCell.column, m_nFixedCols));
    SetSelectedRange(FocusCell.row, 0, FocusCell.row, GetColumnCount() - 1, FALSE, TRUE);

    CGridCellBase* pCell = GetCell(FocusCell.row, FocusCell.column);
    if (pCell != NULL)
        pCell->OnRightClick(GetPointClicked(FocusCell.row, FocusCell.column, point));
    NotifyOwner(FocusCell.row, FocusCell.column, NM_RCLICK);
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        switch (m_nMouseMode) {
        case MOUSE_OVER_COL_DIVIDE: ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE)); break;
        case MOUSE_OVER_ROW_DIVIDE: ::SetCursor(::LoadCursor(NULL, IDC_SIZENS)); break;
        case MOUSE_DRAGGING: break;
        default:
            if (!GetVirtualMode()) {
                CPoint pt(GetMessagePos());
                ScreenToClient(&pt);
                CCellID cell = GetCellFromPt(pt);
                if (IsValid(cell)) {
                    CGridCellBase* pCell = GetCell(cell.row, cell.column);
                    if (pCell != NULL)
                        return pCell->OnSetCursor();
                }
            }
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
        }
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd->GetSafeHwnd() == GetSafeHwnd())
        return;

    if (m_nAutoScrollTimer != 0) {
        KillTimer(m_nAutoScrollTimer);
        m_nAutoScrollTimer = 0;
    }
    if (m_nMouseMode == MOUSE_DRAGGING)
        m_nMouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != GRID_AUTOSCROLL_TIMER)
        return;

    CPoint pt, origPt;
    if (!GetCursorPos(&origPt))
        return;
    ScreenToClient(&origPt);

    CRect rect;
    GetClientRect(rect);

    int nFixedRowHeight = GetFixedRowHeight();
    int nFixedColWidth = GetFixedColumnWidth();

    pt = origPt;
    if (pt.y > rect.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        if (pt.x < rect.left)
            pt.x = rect.left;
        if (pt.x > rect.right)
            pt.x = rect.right;
        pt.y = rect.bottom;
        ExtendSelectionTo(GetCellFromPt(pt));
    } else if (pt.y < nFixedRowHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        if (pt.x < rect.left)
            pt.x = rect.left;
        if (pt.x > rect.right)
            pt.x = rect.right;
        pt.y = nFixedRowHeight + 1;
        ExtendSelectionTo(GetCellFromPt(pt));
    }

    pt = origPt;
    if (pt.x > rect.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        if (pt.y < rect.top)
            pt.y = rect.top;
        if (pt.y > rect.bottom)
            pt.y = rect.bottom;
        pt.x = rect.right;
        ExtendSelectionTo(GetCellFromPt(pt));
    } else if (pt.x < nFixedColWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        if (pt.y < rect.top)
            pt.y = rect.top;
        if (pt.y > rect.bottom)
            pt.y = rect.bottom;
        pt.x = nFixedColWidth + 1;
        ExtendSelectionTo(GetCellFromPt(pt));
    }
}

// ===========================================================================
// In-place editing
// ===========================================================================

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar)
{
    m_TitleTip.Hide();

    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;

    EnsureVisible(nRow, nCol);
    if (!IsCellVisible(nRow, nCol))
        return;

    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return;

    if (NotifyOwner(nRow, nCol, LVN_BEGINLABELEDIT) >= 0) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != NULL)
            pCell->Edit(nRow, nCol, rect, point, GRID_EDITOR_ID, nChar);
    }
}

void CGridCtrl::EndEditing()
{
    CCellID cell = GetFocusCell();
    if (!IsValid(cell))
        return;
    CGridCellBase* pCell = GetCell(cell.row, cell.column);
    if (pCell != NULL)
        pCell->EndEdit();
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    GRIDDISPINFO* pgvDispInfo = (GRIDDISPINFO*)pNMHDR;
    GRIDITEMINFO* pgvItem = &pgvDispInfo->item;

    if (::IsWindow(GetSafeHwnd()))
        OnEndEditCell(pgvItem->row, pgvItem->column, pgvItem->strText);

    switch (pgvItem->lParam) {
    case VK_TAB:
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_HOME:
    case VK_END:
        OnKeyDown((UINT)pgvItem->lParam, 0, 0);
        OnEditCell(m_cellFocus.row, m_cellFocus.column, CPoint(-1, -1), VK_LBUTTON);
        break;
    }
    *pResult = 0;
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, CString str)
{
    CString strCurrentText = GetItemText(nRow, nCol);
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!GetVirtualMode() && pCell != NULL) {
        pCell->SetText(str);
        SetModified(TRUE, nRow, nCol);
    }

    if (ValidateEdit(nRow, nCol, str) && NotifyOwner(nRow, nCol, LVN_ENDLABELEDIT) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RepaintCell(nRow, nCol);
    } else
        SetItemText(nRow, nCol, strCurrentText);

    pCell = GetCell(nRow, nCol);
    if (pCell != NULL)
        pCell->OnEndEdit();
}

BOOL CGridCtrl::ValidateEdit(int nRow, int nCol, LPCTSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return TRUE;
    return pCell->ValidateEdit(str);
}

BOOL CGridCtrl::ReplaceCellText(int nRow, int nCol, LPCTSTR szText)
{
    if (!IsCellEditable(nRow, nCol))
        return FALSE;
    if (NotifyOwner(nRow, nCol, LVN_BEGINLABELEDIT) < 0)
        return FALSE;

    CString strCurrentText = GetItemText(nRow, nCol);
    if (strCurrentText == szText)
        return TRUE;

    SetItemText(nRow, nCol, szText);
    if (ValidateEdit(nRow, nCol, szText) && NotifyOwner(nRow, nCol, LVN_ENDLABELEDIT) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RepaintCell(nRow, nCol);
        return TRUE;
    }
    SetItemText(nRow, nCol, strCurrentText);
    return FALSE;
}

// ===========================================================================
// Clipboard and drag and drop
// ===========================================================================

CString CGridCtrl::GetSelectionText()
{
    CCellRange Selection = GetSelectedCellRange();
    if (!IsValid(Selection))
        return CString();

    if (GetVirtualMode())
        SendCacheHint(Selection);

    std::string text;
    for (int row = Selection.GetMinRow(); row <= Selection.GetMaxRow(); row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = Selection.GetMinCol(); col <= Selection.GetMaxCol(); col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != NULL && (pCell->GetState() & CELLSTATE_SELECTED))
                text += pCell->GetText();
            if (col != Selection.GetMaxCol())
                text += '\t';
        }
        if (row != Selection.GetMaxRow())
            text += '\n';
    }

    if (GetVirtualMode())
        SendCacheHint(CCellRange(-1, -1, -1, -1));

    return CString(text.c_str(), (int)text.size());
}

COleDataSource* CGridCtrl::CopyTextFromGrid()
{
    CCellRange Selection = GetSelectedCellRange();
    if (!IsValid(Selection))
        return NULL;

    CString str = GetSelectionText();
    int nLength = str.GetLength();
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, (SIZE_T)nLength + 1);
    if (hMem == NULL)
        return NULL;
    char* p = (char*)::GlobalLock(hMem);
    if (p == NULL) {
        ::GlobalFree(hMem);
        return NULL;
    }
    memcpy(p, (LPCSTR)str, (size_t)nLength);
    p[nLength] = 0;
    ::GlobalUnlock(hMem);

    COleDataSource* pSource = new COleDataSource();
    pSource->CacheGlobalData(CF_TEXT, hMem);
    return pSource;
}

// One field of pasted text, trimmed of white space (bytes compared as
// unsigned values, with no CRT classification of bytes above 0x7F).
static CString TrimField(const char* p, int n)
{
    auto IsSpace = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    int b = 0, e = n;
    while (b < e && IsSpace((unsigned char)p[b]))
        b++;
    while (e > b && IsSpace((unsigned char)p[e - 1]))
        e--;
    return CString(p + b, e - b);
}

BOOL CGridCtrl::PasteText(CCellID cell, LPCTSTR szText, BOOL bSelectPastedCells)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || szText == NULL)
        return FALSE;

    CCellRange PasteRange(cell.row, cell.column, -1, -1);

    const char* pText = szText;
    int nTargetRow = cell.row;
    while (*pText != 0) {
        const char* pLineEnd = strchr(pText, '\n');
        int nLineLen = pLineEnd ? (int)(pLineEnd - pText) : (int)strlen(pText);

        // Rows of height 0 are stepped over.
        while (nTargetRow < GetRowCount() && GetRowHeight(nTargetRow) == 0)
            nTargetRow++;

        if (nTargetRow < GetRowCount()) {
            int nTargetCol = cell.column;
            int nPos = 0;
            while (nPos < nLineLen) {
                int nEnd = nPos;
                while (nEnd < nLineLen && pText[nEnd] != '\t' && pText[nEnd] != ',')
                    nEnd++;
                // A trailing piece after the last separator that is only a
                // carriage return or white space still counts as a field
                // unless it is empty.
                CString field = TrimField(pText + nPos, nEnd - nPos);
                BOOL bLastPiece = (nEnd >= nLineLen);
                if (bLastPiece && nEnd == nPos)
                    break;

                while (nTargetCol < GetColumnCount() && GetColumnWidth(nTargetCol) == 0)
                    nTargetCol++;
                if (IsValid(nTargetRow, nTargetCol)) {
                    ReplaceCellText(nTargetRow, nTargetCol, field);
                    SetCellState(nTargetRow, nTargetCol, GetCellState(nTargetRow, nTargetCol) & ~CELLSTATE_SELECTED);
                    if (nTargetRow > PasteRange.GetMaxRow())
                        PasteRange.SetMaxRow(nTargetRow);
                    if (nTargetCol > PasteRange.GetMaxCol())
                        PasteRange.SetMaxCol(nTargetCol);
                }
                nTargetCol++;
                nPos = nEnd + 1;
            }
        }
        nTargetRow++;

        if (pLineEnd == NULL)
            break;
        pText = pLineEnd + 1;
    }

    if (bSelectPastedCells)
        SetSelectedRange(PasteRange, TRUE, TRUE);
    else {
        ClearSelectionAndFocus();
        Refresh();
    }
    return TRUE;
}

BOOL CGridCtrl::PasteTextToGrid(CCellID cell, COleDataObject* pDataObject, BOOL bSelectPastedCells)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || pDataObject == NULL || !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;

    HGLOBAL hmem = pDataObject->GetGlobalData(CF_TEXT);
    if (hmem == NULL)
        return FALSE;
    SIZE_T nSize = ::GlobalSize(hmem);
    const char* p = (const char*)::GlobalLock(hmem);
    CString strText;
    if (p != NULL) {
        SIZE_T n = 0;
        while (n < nSize && p[n] != 0)
            n++;
        strText = CString(p, (int)n);
        ::GlobalUnlock(hmem);
    }
    ::GlobalFree(hmem);

    return PasteText(cell, strText, bSelectPastedCells);
}

void CGridCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;

    CCellRange Selection = GetSelectedCellRange();
    NotifyOwner(Selection.GetMinRow(), Selection.GetMinCol(), LVN_BEGINDRAG);

    m_nMouseMode = MOUSE_DRAGGING;
    m_bLeftButtonDown = FALSE;

    m_DropTarget.Revoke();
    m_DropTarget.Register(this);
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/)
{
    return DROPEFFECT_NONE;
}

void CGridCtrl::OnDragLeave() {}

BOOL CGridCtrl::OnDrop(COleDataObject* /*pDataObject*/, DROPEFFECT /*dropEffect*/, CPoint /*point*/)
{
    return FALSE;
}

void CGridCtrl::CutSelectedText()
{
    if (!IsEditable())
        return;

    // A copy of the keys: replacing texts may change the map.
    std::vector<CCellID> cells;
    for (POSITION pos = m_mapSelected.GetStartPosition(); pos != NULL;) {
        GRIDSELKEY key;
        CCellID cell;
        m_mapSelected.GetNextAssoc(pos, key, (CCellID&)cell);
        cells.push_back(cell);
    }
    for (const CCellID& cell : cells)
        ReplaceCellText(cell.row, cell.column, _T(""));
}

void CGridCtrl::ClearCells(CCellRange Selection)
{
    for (int row = Selection.GetMinRow(); row <= Selection.GetMaxRow(); row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = Selection.GetMinCol(); col <= Selection.GetMaxCol(); col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            ReplaceCellText(row, col, _T(""));
        }
    }
    Refresh();
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditable())
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == NULL)
        return;
    pSource->SetClipboard();
    CutSelectedText();
}

void CGridCtrl::OnEditCopy()
{
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == NULL)
        return;
    pSource->SetClipboard();
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditable())
        return;

    CCellRange cellRange = GetSelectedCellRange();
    CCellID cell;
    if (IsValid(cellRange))
        cell = cellRange.GetTopLeft();
    else {
        cell = GetFocusCell();
        if (!IsValid(cell))
            cell = GetTopleftNonFixedCell();
        if (!IsValid(cell))
            return;
    }

    // A cell being edited takes the text into its editor.
    CGridCellBase* pCell = GetCell(cell.row, cell.column);
    if (pCell != NULL && pCell->IsEditing()) {
        CWnd* pEditWnd = pCell->GetEditWnd();
        if (pEditWnd != NULL && pEditWnd->IsKindOf(RUNTIME_CLASS(CEdit))) {
            ((CEdit*)pEditWnd)->Paste();
            return;
        }
    }

    COleDataObject obj;
    if (obj.AttachClipboard())
        PasteTextToGrid(cell, &obj);
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsEditable() && GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    CCellID cell = GetFocusCell();
    BOOL bCanPaste = IsValid(cell) && IsCellEditable(cell) && ::IsClipboardFormatAvailable(CF_TEXT);
    pCmdUI->Enable(bCanPaste);
}

// ===========================================================================
// Sorting
// ===========================================================================

int CGridCtrl::CompareTexts(LPCTSTR psz1, LPCTSTR psz2)
{
    // Multibyte, byte-wise: bytes are compared as unsigned values, so cp1251
    // letters sort after Latin ones.
    return _mbscmp((const unsigned char*)psz1, (const unsigned char*)psz2);
}

int CALLBACK CGridCtrl::CompareCellText(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM /*lParamSort*/)
{
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    return CompareTexts(pCell1->GetText(), pCell2->GetText());
}

int CALLBACK CGridCtrl::CompareCellLong(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM /*lParamSort*/)
{
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    long nValue1 = atol(pCell1->GetText());
    long nValue2 = atol(pCell2->GetText());
    if (nValue1 < nValue2)
        return -1;
    if (nValue1 == nValue2)
        return 0;
    return 1;
}

int CALLBACK CGridCtrl::CompareCellFloat(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM lParamSort)
{
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    double dValue1 = atof(pCell1->GetText());
    double dValue2 = atof(pCell2->GetText());
    if (dValue1 == dValue2)
        return CompareCellText(pCell1, pCell2, lParamSort);
    return (dValue1 < dValue2) ? -1 : 1;
}

BOOL CGridCtrl::SortItemsByText(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(CompareCellText, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ClearSelectionAndFocus();
    SetFocusCell(-1, -1);

    if (m_pfnCompare == NULL) {
        if (GetVirtualMode())
            return TRUE;
        return SortItems(CompareCellText, nCol, bAscending, data);
    }
    return SortItems(m_pfnCompare, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ClearSelectionAndFocus();
    SetFocusCell(-1, -1);
    return SortRange(pfnCompare, nCol, bAscending, data, GetFixedRowCount(), -1);
}

BOOL CGridCtrl::SortRange(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high)
{
    if (nCol >= GetColumnCount() || nCol < 0 || pfnCompare == NULL)
        return FALSE;
    if (high == -1)
        high = GetRowCount() - 1;
    if (low < 0 || high >= GetRowCount() || low >= high)
        return FALSE;

    // In virtual mode there are no cell objects, and no row moves.
    if (GetVirtualMode())
        return TRUE;

    // The rows are ordered by their sort-column cells with a merge sort, then
    // put back in that order in one pass: whole rows move (every cell, fixed
    // columns included, and the height). Rows that compare equal keep their
    // order, and an owner's compare that is not a consistent order (a NaN
    // among numbers) gives some order, never a read outside the rows.
    // Sorted small: each row's sort-column cell, or for the grid's own text
    // order its text, beside the row's place.
    struct SortEntry
    {
        const void* pKey;   // CGridCellBase*, or LPCTSTR for the text order
        int nRow;
    };
    const size_t nCount = (size_t)(high - low + 1);
    std::vector<CGridRowArray::Row> saved(nCount);
    std::vector<SortEntry> order(nCount);
    for (size_t i = 0; i < nCount; i++) {
        saved[i] = m_arRows[low + (int)i];
        order[i] = {saved[i].pCells->GetAt(nCol), (int)i};
    }

    auto inOrder = [bAscending](int nOrder) { return bAscending ? nOrder < 0 : nOrder > 0; };
    std::vector<TCHAR> keys;
    if (pfnCompare == CompareCellText) {
        // The texts copied side by side: the comparisons then read a few
        // pages instead of chasing each cell and its text over the heap,
        // which cost more than the comparisons themselves.
        std::vector<size_t> starts(nCount);
        for (size_t i = 0; i < nCount; i++) {
            const CGridCellBase* pCell = (const CGridCellBase*)order[i].pKey;
            LPCTSTR pszText = pCell != NULL ? pCell->GetText() : _T("");
            starts[i] = keys.size();
            keys.insert(keys.end(), pszText, pszText + _tcslen(pszText) + 1);
        }
        for (size_t i = 0; i < nCount; i++)
            order[i].pKey = keys.data() + starts[i];
        std::stable_sort(order.begin(), order.end(), [&](const SortEntry& a, const SortEntry& b) {
            return inOrder(CompareTexts((LPCTSTR)a.pKey, (LPCTSTR)b.pKey));
        });
    } else
        std::stable_sort(order.begin(), order.end(), [&](const SortEntry& a, const SortEntry& b) {
            return inOrder(pfnCompare((CGridCellBase*)a.pKey, (CGridCellBase*)b.pKey, data));
        });

    for (int row = low; row <= high; row++) {
        int nFrom = order[(size_t)(row - low)].nRow;
        if (nFrom == row - low)
            continue;   // a row that kept its place
        m_arRows[row] = saved[(size_t)nFrom];
        if (!m_bCellsKnowTheirPlace)
            continue;
        CGridRow* pRow = m_arRows[row].pCells;
        for (int col = 0; col < GetColumnCount(); col++) {
            CGridCellBase* pCell = pRow->GetAt(col);
            if (pCell != NULL)
                pCell->SetCoords(row, col);
        }
    }
    return TRUE;
}

// ===========================================================================
// Saving and loading
// ===========================================================================

BOOL CGridCtrl::Save(LPCTSTR filename, TCHAR chSeparator)
{
    CStdioFile File;
    CFileException ex;
    if (!File.Open(filename, CFile::modeWrite | CFile::modeCreate | CFile::typeText, &ex)) {
        ex.ReportError();
        return FALSE;
    }

    TCHAR strSeparator[2] = {chSeparator, 0};
    try {
        int nNumColumns = GetColumnCount();
        for (int i = 0; i < GetRowCount(); i++) {
            for (int j = 0; j < nNumColumns; j++) {
                File.WriteString(GetItemText(i, j));
                File.WriteString((j == (nNumColumns - 1)) ? _T("\n") : strSeparator);
            }
        }
        File.Close();
    } catch (CFileException* e) {
        AfxMessageBox(_T("Unable to save grid list"));
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CGridCtrl::SplitLoadLine(const CString& line, TCHAR chSeparator, CStringArray& fields)
{
    // Fields end at the separator or a line feed; an empty piece at the very
    // end of the line ends it, empty fields inside it are kept.
    fields.RemoveAll();
    const unsigned char sep = (unsigned char)chSeparator;   // bytes compare as unsigned values
    LPCTSTR p = line;
    int n = line.GetLength();
    int start = 0;
    for (int i = 0; i <= n; i++) {
        if (i < n && (unsigned char)p[i] != sep && p[i] != '\n')
            continue;
        if (i == n && i == start)
            break;
        fields.Add(CString(p + start, i - start));
        start = i + 1;
    }
}

BOOL CGridCtrl::Load(LPCTSTR filename, TCHAR chSeparator)
{
    if (GetVirtualMode())
        return FALSE;

    CStdioFile File;
    CFileException ex;
    if (!File.Open(filename, CFile::modeRead | CFile::typeText, &ex)) {
        ex.ReportError();
        return FALSE;
    }

    DeleteAllItems();

    try {
        // Whole lines of any length are read: a line is one row, however long.
        CString line;
        CStringArray fields;
        BOOL bFirstLine = TRUE;
        while (File.ReadString(line)) {
            SplitLoadLine(line, chSeparator, fields);
            if (bFirstLine) {
                for (INT_PTR i = 0; i < fields.GetSize(); i++)
                    InsertColumn(fields[i], DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                bFirstLine = FALSE;
                continue;
            }
            if (fields.IsEmpty())
                fields.Add(CString());
            int nItem = InsertRow(fields[0]);
            if (nItem < 0)
                continue;
            // A loaded row has the default height, whatever its first field
            // (an empty heading would otherwise hide it).
            SetRowHeight(nItem, m_defCellNormal.GetHeight());
            for (INT_PTR i = 1; i < fields.GetSize(); i++)
                SetItemText(nItem, (int)i, fields[i]);
        }

        AutoSizeColumns(GetAutoSizeStyle());
        File.Close();
    } catch (CFileException* e) {
        AfxMessageBox(_T("Unable to load grid data"));
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// ===========================================================================
// Printing
// ===========================================================================

CString CGridCtrl::GetParentTitle()
{
    CString strTitle;
    CWnd* pParentWnd = GetParent();
    while (pParentWnd != NULL) {
        pParentWnd->GetWindowText(strTitle);
        if (strTitle.GetLength())
            break;
        pParentWnd = pParentWnd->GetParent();
    }
    return strTitle;
}

void CGridCtrl::SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                                   int nTopMargin, int nBottomMargin, int nGap)
{
    if (nHeaderHeight >= 0)
        m_nHeaderHeight = nHeaderHeight;
    if (nFooterHeight >= 0)
        m_nFooterHeight = nFooterHeight;
    if (nLeftMargin >= 0)
        m_nLeftMargin = nLeftMargin;
    if (nRightMargin >= 0)
        m_nRightMargin = nRightMargin;
    if (nTopMargin >= 0)
        m_nTopMargin = nTopMargin;
    if (nBottomMargin >= 0)
        m_nBottomMargin = nBottomMargin;
    if (nGap >= 0)
        m_nGap = nGap;
}

void CGridCtrl::GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin, int& nRightMargin,
                                   int& nTopMargin, int& nBottomMargin, int& nGap)
{
    nHeaderHeight = m_nHeaderHeight;
    nFooterHeight = m_nFooterHeight;
    nLeftMargin = m_nLeftMargin;
    nRightMargin = m_nRightMargin;
    nTopMargin = m_nTopMargin;
    nBottomMargin = m_nBottomMargin;
    nGap = m_nGap;
}

void CGridCtrl::Print(CPrintDialog* pPrntDialog)
{
    // The grid's own dialog asks for the printer's DC; a dialog handed in
    // may have been shown without that flag, so its printer's DC is made here.
    CPrintDialog printDlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                                     PD_HIDEPRINTTOFILE | PD_RETURNDC);
    CPrintDialog* pDlg = pPrntDialog != NULL ? pPrntDialog : &printDlg;
    BOOL bChosen = pPrntDialog != NULL || printDlg.DoModal() == IDOK;
    HDC hDC = NULL;
    if (bChosen) {
        hDC = pDlg->GetPrinterDC();
        if (hDC == NULL)
            hDC = pDlg->CreatePrinterDC();
        // The DC is the grid's from here on and is deleted when printing
        // ends; the dialog no longer names it.
        pDlg->m_pd.hDC = NULL;
    }
    // The printer settings the grid's own dialog returned are not kept.
    for (HGLOBAL hSettings : {printDlg.m_pd.hDevMode, printDlg.m_pd.hDevNames})
        if (hSettings != NULL)
            ::GlobalFree(hSettings);
    if (!bChosen)
        return;
    if (hDC == NULL) {
        AfxMessageBox(_T("No printer is available: the grid was not printed."), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDC dc;
    dc.Attach(hDC);

    dc.m_bPrinting = TRUE;

    CString strTitle;
    strTitle.LoadString(AFX_IDS_APP_TITLE);
    if (strTitle.IsEmpty())
        strTitle = GetParentTitle();

    DOCINFO di;
    memset(&di, 0, sizeof(DOCINFO));
    di.cbSize = sizeof(DOCINFO);
    di.lpszDocName = strTitle;

    BOOL bPrintingOK = dc.StartDoc(&di) > 0;

    CPrintInfo Info;
    Info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));

    OnBeginPrinting(&dc, &Info);
    for (UINT page = Info.GetMinPage(); page <= Info.GetMaxPage() && bPrintingOK; page++) {
        dc.StartPage();
        Info.m_nCurPage = page;
        OnPrint(&dc, &Info);
        bPrintingOK = (dc.EndPage() > 0);
    }
    OnEndPrinting(&dc, &Info);

    if (bPrintingOK)
        dc.EndDoc();
    else
        dc.AbortDoc();
}

// Lays the rows (or columns) nFirst..nCount-1 out on pages nSpace pixels
// long and gives the first index of each page. A page takes the next cells
// while their extents add up to no more than the space (a cell's last pixel,
// where its grid line lies, is on the page), and at least one cell, clipped
// when it is longer than the whole page. There is always a first page.
template <class Extent>
std::vector<int> CGridCtrl::PageStarts(int nFirst, int nCount, int nSpace, Extent extent)
{
    std::vector<int> starts(1, nFirst);
    long long nUsed = 0;
    for (int i = nFirst; i < nCount; i++) {
        int nExtent = extent(i);
        if (nUsed + nExtent > nSpace && i > starts.back()) {
            starts.push_back(i);
            nUsed = 0;
        }
        nUsed += nExtent;
    }
    return starts;
}

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == NULL || pInfo == NULL)
        return;

    HDC hScreenDC = ::GetDC(NULL);
    if (hScreenDC == NULL)
        return;
    CSize PaperPixelsPerInch(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    CSize ScreenPixelsPerInch(::GetDeviceCaps(hScreenDC, LOGPIXELSX), ::GetDeviceCaps(hScreenDC, LOGPIXELSY));

    m_fontPrinter.DeleteObject();
    m_fontPrinter.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                             CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, _T("Arial"));
    CFont* pOldFont = pDC->SelectObject(&m_fontPrinter);

    // The sample has 53 characters; the width is divided by its real length.
    int nSampleLength = lstrlen(kPrintSample);
    m_sizeChar = pDC->GetTextExtent(kPrintSample, nSampleLength);
    m_sizeChar.cx /= nSampleLength;
    int nMargins = (m_nLeftMargin + m_nRightMargin) * m_sizeChar.cx;

    m_sizePaperDevice = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    if (m_bPrintAtScreenSize) {
        m_sizeLogicalPage.cx = ScreenPixelsPerInch.cx * m_sizePaperDevice.cx / PaperPixelsPerInch.cx * 3 / 4;
        m_sizeLogicalPage.cy = ScreenPixelsPerInch.cy * m_sizePaperDevice.cy / PaperPixelsPerInch.cy * 3 / 4;
    } else {
        m_sizeLogicalPage.cx = GetVirtualWidth() + nMargins;
        m_sizeLogicalPage.cy = MulDiv(m_sizeLogicalPage.cx, m_sizePaperDevice.cy, m_sizePaperDevice.cx);
    }

    m_nPageHeight = m_sizeLogicalPage.cy - GetFixedRowHeight() -
                    (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_sizeChar.cy;

    // Pages down and, at screen size, across: one rule for counting and printing.
    m_nPageWidth = m_sizeLogicalPage.cx - GetFixedColumnWidth() - nMargins;
    m_arPrintRowStarts = PageStarts(GetFixedRowCount(), GetRowCount(), m_nPageHeight,
                                    [this](int row) { return GetRowHeight(row); });
    if (m_bPrintAtScreenSize)
        m_arPrintColStarts = PageStarts(GetFixedColumnCount(), GetColumnCount(), m_nPageWidth,
                                        [this](int col) { return GetColumnWidth(col); });
    else
        m_arPrintColStarts.assign(1, GetFixedColumnCount());   // the page is as wide as the grid
    m_nPagesDown = (int)m_arPrintRowStarts.size();
    m_nPagesAcross = (int)m_arPrintColStarts.size();
    m_nNumPages = m_nPagesDown * m_nPagesAcross;

    pInfo->SetMaxPage(m_nNumPages);
    pInfo->m_nCurPage = 1;

    ::ReleaseDC(NULL, hScreenDC);
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == NULL || pInfo == NULL)
        return;

    CFont* pOldFont = pDC->SelectObject(&m_fontPrinter);

    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_sizeLogicalPage);
    pDC->SetViewportExt(m_sizePaperDevice);
    pDC->SetWindowOrg(-m_nLeftMargin * m_sizeChar.cx, 0);

    // Header.
    pInfo->m_rectDraw.top = 0;
    pInfo->m_rectDraw.left = 0;
    pInfo->m_rectDraw.right = m_sizeLogicalPage.cx - (m_nLeftMargin + m_nRightMargin) * m_sizeChar.cx;
    pInfo->m_rectDraw.bottom = m_nHeaderHeight * m_sizeChar.cy;
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -m_nHeaderHeight * m_sizeChar.cy);
    pDC->OffsetWindowOrg(0, -m_nGap * m_sizeChar.cy);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    // The page's block of rows and columns, pages counted across first.
    int nPage = max(0, min((int)pInfo->m_nCurPage, m_nNumPages) - 1);
    int nPageRow = nPage / max(1, m_nPagesAcross), nPageCol = nPage % max(1, m_nPagesAcross);
    auto blockEnd = [](const std::vector<int>& starts, int i, int nCount) {
        return i + 1 < (int)starts.size() ? starts[(size_t)i + 1] : nCount;
    };
    m_nCurrPrintRow = m_arPrintRowStarts.empty() ? GetRowCount() : m_arPrintRowStarts[(size_t)nPageRow];
    m_nPrintRowEnd = m_arPrintRowStarts.empty() ? GetRowCount() : blockEnd(m_arPrintRowStarts, nPageRow, GetRowCount());
    m_nCurrPrintCol = m_arPrintColStarts.empty() ? GetColumnCount() : m_arPrintColStarts[(size_t)nPageCol];
    m_nPrintColEnd =
        m_arPrintColStarts.empty() ? GetColumnCount() : blockEnd(m_arPrintColStarts, nPageCol, GetColumnCount());

    // Row headings (the fixed columns of the page's rows) and column headings.
    int nFixedColWidth = GetFixedColumnWidth();
    PrintRowHeadings(pDC, pInfo);
    pDC->OffsetWindowOrg(-nFixedColWidth, GetFixedRowHeight());
    PrintColumnHeadings(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    // The page's cells.
    BOOL bFirstPrintedRow = TRUE;
    CRect rect;
    rect.bottom = -1;
    int nRow = m_nCurrPrintRow;
    for (; nRow < m_nPrintRowEnd; nRow++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(nRow) - 1;

        rect.right = -1;
        BOOL bFirstCol = TRUE;
        for (int col = m_nCurrPrintCol; col < m_nPrintColEnd; col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;

            CGridCellBase* pCell = GetCell(nRow, col);
            if (pCell != NULL)
                PrintGridCell(nRow, col, pDC, rect, pCell);

            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
                if (bFirstPrintedRow) {
                    pDC->MoveTo(rect.left, rect.top);
                    pDC->LineTo(rect.right + 1, rect.top);
                }
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
                if (bFirstCol) {
                    pDC->MoveTo(rect.left, rect.top);
                    pDC->LineTo(rect.left, rect.bottom + 1);
                }
            }
            bFirstCol = FALSE;
        }
        bFirstPrintedRow = FALSE;
    }
    m_nCurrPrintRow = nRow;

    // Footer.
    pInfo->m_rectDraw.bottom = m_nFooterHeight * m_sizeChar.cy;
    pDC->SetWindowOrg(-m_nLeftMargin * m_sizeChar.cx, -m_sizeLogicalPage.cy + m_nFooterHeight * m_sizeChar.cy);
    PrintFooter(pDC, pInfo);

    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

BOOL CGridCtrl::PrintGridCell(int nRow, int nCol, CDC* pDC, CRect rect, CGridCellBase* pCell)
{
    return pCell->PrintCell(pDC, nRow, nCol, rect);
}

void CGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    // The fixed rows over the page's columns; the fixed corner left of them.
    CRect rect;
    rect.bottom = -1;
    int nFixedColWidth = GetFixedColumnWidth();
    for (int row = 0; row < GetFixedRowCount(); row++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;

        // The corner, left of the page's columns.
        rect.right = -1 - nFixedColWidth;
        for (int col = 0; col < GetFixedColumnCount(); col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != NULL)
                PrintGridCell(row, col, pDC, rect, pCell);
        }

        rect.right = -1;
        for (int col = m_nCurrPrintCol; col < m_nPrintColEnd; col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != NULL)
                PrintGridCell(row, col, pDC, rect, pCell);

            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
        }
    }
}

void CGridCtrl::PrintRowHeadings(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    // The fixed columns of the page's rows, left of the page's cells.
    CRect rect;
    rect.bottom = -1;
    for (int row = m_nCurrPrintRow; row < m_nPrintRowEnd; row++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < GetFixedColumnCount(); col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != NULL)
                PrintGridCell(row, col, pDC, rect, pCell);
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
        }
    }
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc(pInfo->m_rectDraw);
    CString strHeaderString = GetParentTitle();

    LOGFONT lf;
    m_fontPrinter.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont BoldFont;
    BoldFont.CreateFontIndirect(&lf);

    CFont* pNormalFont = pDC->SelectObject(&BoldFont);
    int nPrevBkMode = pDC->SetBkMode(TRANSPARENT);

    if (!strHeaderString.IsEmpty())
        pDC->DrawText(strHeaderString, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    CString strAppTitle;
    strAppTitle.LoadString(AFX_IDS_APP_TITLE);
    if (!strAppTitle.IsEmpty())
        pDC->DrawText(strAppTitle, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    pDC->SetBkMode(nPrevBkMode);
    pDC->SelectObject(pNormalFont);
    BoldFont.DeleteObject();

    CPen* pOldPen = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(rc.left, rc.bottom);
    pDC->LineTo(rc.right, rc.bottom);
    pDC->SelectObject(pOldPen);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc(pInfo->m_rectDraw);

    CPen* pOldPen = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(rc.left, rc.top);
    pDC->LineTo(rc.right, rc.top);
    pDC->SelectObject(pOldPen);

    LOGFONT lf;
    m_fontPrinter.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont BoldFont;
    BoldFont.CreateFontIndirect(&lf);

    CFont* pNormalFont = pDC->SelectObject(&BoldFont);
    int nPrevBkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));

    CString strPage;
    strPage.Format(_T("Page %d of %d"), pInfo->m_nCurPage, pInfo->GetMaxPage());
    pDC->DrawText(strPage, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    char szDate[128];
    time_t now = time(NULL);
    strftime(szDate, sizeof(szDate), "%c", localtime(&now));
    pDC->DrawText(szDate, -1, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    pDC->SetBkMode(nPrevBkMode);
    pDC->SelectObject(pNormalFont);
    BoldFont.DeleteObject();
}

void CGridCtrl::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
    m_fontPrinter.DeleteObject();
}
