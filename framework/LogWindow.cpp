// LogWindow.cpp - the trace-log window and its list.
#include "LogWindow.h"
#include "Logger.h"
#include "ProfileKeys.h"
#include "framework_res.h"
#include <climits>
#include <cstdlib>
#include <ctime>

const UINT UWM_TRACE_CHANGE = ::RegisterWindowMessageA("UWM_TRACE_CHANGE-{44E678F1-DA79-11d3-9FE9-006067718D04}");
static const UINT UWM_TRACE_ADD_EVENT = CLogger::GetAddEventMessage();

namespace {

CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

}  // namespace

// ---------------------------------------------------------------------------
// CPrinter
// ---------------------------------------------------------------------------

CPrinter::CPrinter(CDC* pDC)
    : m_pDC(pDC), m_nTopMargin(0), m_nLeftMargin(0), m_nPageHeight(0), m_nPageWidth(0), m_nY(0),
      m_nLineHeight(0), m_bPageOpen(FALSE), m_bDocOpen(FALSE), m_nPage(0), m_bSpooled(FALSE)
{
}

CPrinter::~CPrinter()
{
    EndDocument();
}

void CPrinter::SelectFont()
{
    m_pDC->SelectStockObject(ANSI_FIXED_FONT);
}

BOOL CPrinter::StartDocument(LPCTSTR lpszDocName)
{
    SelectFont();
    m_bSpooled = m_pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER;
    if (m_bSpooled) {
        DOCINFOA di = {};
        di.cbSize = sizeof di;
        di.lpszDocName = lpszDocName;
        if (m_pDC->StartDoc(&di) <= 0)
            return FALSE;
    }
    m_bDocOpen = TRUE;
    TEXTMETRIC tm;
    m_pDC->GetTextMetrics(&tm);
    m_nLineHeight = tm.tmHeight + tm.tmInternalLeading;
    m_nTopMargin = m_pDC->GetDeviceCaps(LOGPIXELSY) / 2;
    m_nLeftMargin = m_pDC->GetDeviceCaps(LOGPIXELSX) / 2;
    m_nPageHeight = m_pDC->GetDeviceCaps(VERTRES);
    m_nPageWidth = m_pDC->GetDeviceCaps(HORZRES);
    m_nY = m_nTopMargin;
    return TRUE;
}

void CPrinter::EndDocument()
{
    if (m_bPageOpen && m_bSpooled)
        m_pDC->EndPage();
    m_bPageOpen = FALSE;
    if (m_bDocOpen && m_bSpooled)
        m_pDC->EndDoc();
    m_bDocOpen = FALSE;
}

// A new page starts when none is open or the line would pass the bottom margin.
void CPrinter::PrintLine(const CString& strLine)
{
    if (!m_bPageOpen || m_nY > m_nPageHeight - m_nTopMargin) {
        if (m_bPageOpen && m_bSpooled)
            m_pDC->EndPage();
        if (m_bSpooled)
            m_pDC->StartPage();
        m_bPageOpen = TRUE;
        m_nPage++;
        m_nY = m_nTopMargin;
        PrintHeader();
    }
    m_pDC->TextOut(m_nLeftMargin, m_nY, strLine);
    m_nY += m_nLineHeight;
}

void CPrinter::PrintHeader()
{
    CPen pen(PS_SOLID, m_pDC->GetDeviceCaps(LOGPIXELSX) / 100, RGB(0xFF, 0, 0));
    int nSaved = m_pDC->SaveDC();
    m_pDC->SetTextColor(RGB(0, 0, 0));
    m_pDC->SelectObject(&pen);
    int y = m_nTopMargin - m_nLineHeight * 3 / 2;
    CWinApp* pApp = AfxGetApp();
    CString strName = pApp != NULL && pApp->m_pszAppName != NULL ? CString(pApp->m_pszAppName) : CString();
    m_pDC->TextOut(m_nLeftMargin, y, strName);
    CString strPage;
    strPage.Format("%d", m_nPage);
    CSize size = m_pDC->GetTextExtent(strPage);
    m_pDC->TextOut(m_nPageWidth - m_nLeftMargin - size.cx, y, strPage);
    m_pDC->MoveTo(m_nLeftMargin, m_nTopMargin - m_nLineHeight / 2);
    m_pDC->LineTo(m_nPageWidth - m_nLeftMargin, m_nTopMargin - m_nLineHeight / 2);
    m_pDC->RestoreDC(nSaved);
}

// ---------------------------------------------------------------------------
// CTraceList
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTraceList, CListBox)

CTraceList::CTraceList()
    : m_nLineHeight(0), m_bDisk(FALSE), m_pPrinter(NULL), m_nDeleted(0), m_bShowThread(TRUE), m_nTimeWidth(0),
      m_nThreadWidth(0), m_nExtent(0), m_bModified(FALSE), m_nLimit(INT_MAX), m_bLimit(FALSE), m_nKeep(0)
{
}

CTraceList::~CTraceList()
{
}

void CTraceList::NotifyParent()
{
    HWND hParent = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    if (hParent != NULL)
        ::SendMessageA(hParent, UWM_TRACE_CHANGE, 0, 0);
}

// Each event goes to the file on its own (open, append, close), so the file
// is complete up to the last event whatever happens to the program; a file
// that cannot be written does not stop the row.
void CTraceList::AppendToFile(TraceEvent* pEvent)
{
    HANDLE hFile = ::CreateFileA(m_strFileName, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    ::SetFilePointer(hFile, 0, NULL, FILE_END);
    CString strLine = pEvent->GetLine() + "\r\n";
    DWORD nWritten = 0;
    ::WriteFile(hFile, (LPCSTR)strLine, (DWORD)strLine.GetLength(), &nWritten, NULL);
    ::CloseHandle(hFile);
}

void CTraceList::MeasureLineHeight()
{
    CClientDC dc(this);
    CFont* pFont = GetFont();
    CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    m_nLineHeight = tm.tmHeight + tm.tmInternalLeading;
    if (pOld != NULL)
        dc.SelectObject(pOld);
}

// The column widths are measured once, with the list's font, by whichever
// comes first: the first drawing or the first row added (so the horizontal
// extent includes them from the first row on).
void CTraceList::MeasureColumns(CDC* pDC)
{
    if (m_nTimeWidth != 0)
        return;
    m_nTimeWidth = pDC->GetTextExtent(CString("00/00/0000 00:00:00")).cx;
    m_nThreadWidth = pDC->GetTextExtent(CString("00000000  ")).cx;
}

int CTraceList::RowWidth(CDC* pDC, TraceEvent* pEvent)
{
    return m_nTimeWidth + m_nThreadWidth + pDC->GetTextExtent(pEvent->GetText()).cx;
}

void CTraceList::RecalcExtent()
{
    int nExtent = 0;
    if (m_hWnd != NULL) {
        CClientDC dc(this);
        CFont* pFont = GetFont();
        CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
        for (int i = 0, n = GetCount(); i < n; i++) {
            int nWidth = RowWidth(&dc, GetEvent(i));
            if (nWidth > nExtent)
                nExtent = nWidth;
        }
        if (pOld != NULL)
            dc.SelectObject(pOld);
        SetHorizontalExtent(nExtent);
    }
    m_nExtent = nExtent;
}

// The row limit keeps the rows up to m_nKeep; what it removes after them is
// replaced by one note that counts the rows removed so far (each trim takes
// the previous note out first, so only the newest count shows).
int CTraceList::AddEvent(TraceEvent* pEvent)
{
    if (pEvent == NULL)
        return -1;
    if (m_bDisk && !m_strFileName.IsEmpty())
        AppendToFile(pEvent);
    if (m_hWnd == NULL || !::IsWindow(m_hWnd)) {
        delete pEvent;
        return -1;
    }

    int nCount = GetCount();
    int nTop = GetTopIndex();
    BOOL bTrimmed = FALSE;
    if (m_bLimit) {
        while (nCount > m_nLimit - 1 && nCount > m_nKeep + 1) {
            if (!bTrimmed)
                DeleteString(m_nKeep + 1);
            DeleteString(m_nKeep + 1);
            m_nDeleted++;
            nCount = GetCount();
            int nNewTop = m_nKeep >= nTop ? nTop - 1 : nTop;
            SetTopIndex(nNewTop < 0 ? 0 : nNewTop);
            bTrimmed = TRUE;
            if (!m_bLimit)
                break;
        }
        if (bTrimmed) {
            InsertString(m_nKeep + 1, (LPCTSTR)(TraceEvent*)new TraceFormatComment(-1, IDS_TRACE_ENTRIES_DELETED,
                                                                                   m_nDeleted + 1));
            m_bModified = TRUE;
        }
    }

    CRect rcClient;
    GetClientRect(&rcClient);
    nCount = GetCount();
    BOOL bLastVisible = TRUE;
    if (nCount > 0) {
        CRect rcLast;
        GetItemRect(nCount - 1, &rcLast);
        bLastVisible = rcLast.top < rcClient.bottom;
    }

    m_bModified = TRUE;
    int nIndex = AddString((LPCTSTR)pEvent);
    if (nIndex < 0) {
        delete pEvent;
        return -1;
    }

    if (bLastVisible) {
        CRect rcNew;
        GetItemRect(nIndex, &rcNew);
        int nNewTop = GetTopIndex() + 1;
        if (rcNew.bottom >= rcClient.bottom && nNewTop < GetCount())
            SetTopIndex(nNewTop);
    }

    {
        CClientDC dc(this);
        CFont* pFont = GetFont();
        CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
        MeasureColumns(&dc);
        int nWidth = RowWidth(&dc, pEvent);
        if (pOld != NULL)
            dc.SelectObject(pOld);
        if (nWidth > m_nExtent) {
            m_nExtent = nWidth;
            SetHorizontalExtent(nWidth);
        } else if (bTrimmed) {
            RecalcExtent();
        }
    }

    NotifyParent();
    return nIndex;
}

void CTraceList::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (m_nLineHeight == 0)
        MeasureLineHeight();
    TraceEvent* pEvent = (TraceEvent*)lpMIS->itemData;
    lpMIS->itemHeight = (UINT)((pEvent != NULL ? pEvent->GetLineCount() : 1) * m_nLineHeight);
}

void CTraceList::DeleteItem(LPDELETEITEMSTRUCT lpDIS)
{
    delete (TraceEvent*)lpDIS->itemData;
    HWND hParent = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    if (hParent != NULL)
        ::PostMessageA(hParent, UWM_TRACE_CHANGE, 0, 0);
}

void CTraceList::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    if (m_nLineHeight == 0)
        MeasureLineHeight();
    MeasureColumns(pDC);
    CRect rc(lpDIS->rcItem);
    if ((int)lpDIS->itemID < 0) {
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
        if (lpDIS->itemState & ODS_FOCUS)
            pDC->DrawFocusRect(&rc);
        return;
    }
    TraceEvent* pEvent = (TraceEvent*)lpDIS->itemData;
    if (pEvent == NULL)
        return;

    int nSaved = pDC->SaveDC();
    COLORREF clrBack, clrText;
    if ((lpDIS->itemState & ODS_SELECTED) && ::GetFocus() == m_hWnd) {
        clrBack = ::GetSysColor(COLOR_HIGHLIGHT);
        clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (lpDIS->itemState & ODS_SELECTED) {
        clrBack = ::GetSysColor(COLOR_BTNFACE);
        clrText = ::GetSysColor(COLOR_BTNTEXT);
    } else {
        clrBack = ::GetSysColor(COLOR_WINDOW);
        clrText = pEvent->GetColor();
    }
    pDC->FillSolidRect(&rc, clrBack);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);

    char szTime[128] = "";
    __time64_t t = pEvent->m_time;
    struct tm* ptm = _localtime64(&t);
    if (ptm == NULL || strftime(szTime, sizeof szTime, "%x %X", ptm) == 0)
        szTime[0] = '\0';
    if (pEvent->GetFont() != NULL)
        pDC->SelectObject(pEvent->GetFont());
    CString strTime(szTime);
    int nTimeX = rc.left + m_nTimeWidth - pDC->GetTextExtent(strTime).cx - 8;
    pDC->TextOut(nTimeX, rc.top, strTime);
    pDC->TextOut(rc.left + m_nTimeWidth, rc.top, pEvent->GetThreadText());
    int x1 = rc.left + m_nTimeWidth - 3;
    int x2 = rc.left + m_nTimeWidth + m_nThreadWidth - 3;
    pDC->MoveTo(x1, rc.top);
    pDC->LineTo(x1, rc.bottom);
    pDC->MoveTo(x2, rc.top);
    pDC->LineTo(x2, rc.bottom);
    pDC->TextOut(rc.left + m_nTimeWidth + m_nThreadWidth, rc.top, pEvent->GetText());
    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&rc);
    pDC->RestoreDC(nSaved);
}

BOOL CTraceList::Save(BOOL bUseStoredName)
{
    CString strPath = m_strFileName;
    if (!bUseStoredName || m_strFileName.IsEmpty()) {
        CString strTitle = LoadText(bUseStoredName ? IDS_TRACE_SAVE_TITLE : IDS_TRACE_SAVE_AS_TITLE);
        CFileDialog dlg(FALSE, ".log", m_strFileName.IsEmpty() ? NULL : (LPCTSTR)m_strFileName,
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadText(IDS_TRACE_SAVE_FILTER), GetParent());
        dlg.m_ofn.lpstrTitle = strTitle;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        strPath = dlg.GetPathName();
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        WriteProfileKey(pApp, profileTraceListName, strPath);

    CString strText;
    for (int i = 0, n = GetCount(); i < n; i++)
        strText += GetEvent(i)->GetLine() + "\r\n";
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD nWritten = 0;
    BOOL bOK = hFile != INVALID_HANDLE_VALUE &&
               ::WriteFile(hFile, (LPCSTR)strText, (DWORD)strText.GetLength(), &nWritten, NULL) &&
               nWritten == (DWORD)strText.GetLength();
    DWORD dwError = ::GetLastError();
    if (hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(hFile);
    if (!bOK) {
        AfxMessageBox(LoadText(IDS_TRACE_SAVE_FAILED), MB_OK | MB_ICONERROR);
        AddEvent(new TraceFormatMessage(-1, dwError));
        return FALSE;
    }
    m_strFileName = strPath;
    m_bModified = FALSE;
    return TRUE;
}

// Turning Disk on first saves the whole list under a name the user picks;
// without that file Disk stays off.
BOOL CTraceList::SetDisk(BOOL bDisk)
{
    if (!m_bDisk) {
        if (!bDisk || !Save(FALSE))
            return FALSE;
        m_bDisk = TRUE;
        return TRUE;
    }
    m_bDisk = bDisk;
    return TRUE;
}

void CTraceList::SetLimit(int nLimit)
{
    if (nLimit < 0) {
        m_bLimit = FALSE;
        return;
    }
    if (nLimit < 20)
        nLimit = 20;
    m_nLimit = nLimit < m_nKeep ? m_nKeep + 20 : nLimit;
    m_bLimit = TRUE;
}

void CTraceList::SetLimitOn(BOOL bOn)
{
    m_bLimit = bOn;
    if (!bOn || m_hWnd == NULL)
        return;
    BOOL bDeleted = FALSE;
    while (GetCount() > 0 && GetCount() >= m_nLimit) {
        DeleteString(0);
        bDeleted = TRUE;
    }
    if (bDeleted) {
        RecalcExtent();
        NotifyParent();
    }
}

void CTraceList::MarkHead()
{
    int nIndex = AddEvent(new TraceComment(-1, CString('=', 64)));
    if (nIndex < 0)
        return;
    m_nKeep = nIndex;
    if (m_nLimit > 0 && m_nLimit < m_nKeep + 20)
        m_nLimit = m_nKeep + 20;
}

void CTraceList::DeselectAll()
{
    int nIndex;
    while (GetSelCount() > 0 && GetSelItems(1, &nIndex) == 1)
        SetSel(nIndex, FALSE);
}

void CTraceList::SelectRow(int nIndex, int nTopIndex)
{
    SetTopIndex(nTopIndex);
    DeselectAll();
    SetSel(nIndex, TRUE);
    SetCaretIndex(nIndex, FALSE);
}

void CTraceList::GoFirst()
{
    if (GetCount() > 0)
        SelectRow(0, 0);
}

void CTraceList::GoLast()
{
    int nCount = GetCount();
    if (nCount == 0)
        return;
    SelectRow(nCount - 1, nCount - 1);
    NotifyParent();
}

int CTraceList::FindError(BOOL bForward) const
{
    if (m_hWnd == NULL)
        return -1;
    int nCount = GetCount();
    int nCaret = GetCaretIndex();
    if (nCaret < 0)
        nCaret = 0;
    int nStep = bForward ? 1 : -1;
    for (int i = nCaret + nStep; i >= 0 && i < nCount; i += nStep) {
        TraceEvent* pEvent = GetEvent(i);
        if (pEvent != NULL && pEvent->IsKindOf(RUNTIME_CLASS(TraceError)))
            return i;
    }
    return -1;
}

BOOL CTraceList::GoNextError()
{
    int nRow = FindError(TRUE);
    if (nRow < 0)
        return FALSE;
    SelectRow(nRow, nRow < 4 ? nRow : nRow - 3);
    NotifyParent();
    return TRUE;
}

BOOL CTraceList::GoPrevError()
{
    int nRow = FindError(FALSE);
    if (nRow < 0)
        return FALSE;
    SelectRow(nRow, nRow < 4 ? nRow : nRow - 3);
    NotifyParent();
    return TRUE;
}

BOOL CTraceList::CanGoFirst() const
{
    if (m_hWnd == NULL || GetCount() == 0)
        return FALSE;
    int nTop = GetTopIndex();
    return !GetSel(nTop) || nTop > 0;
}

BOOL CTraceList::CanGoLast() const
{
    int nCount = m_hWnd != NULL ? GetCount() : 0;
    if (nCount < 2)
        return FALSE;
    CRect rcClient, rcLast;
    GetClientRect(&rcClient);
    GetItemRect(nCount - 1, &rcLast);
    if (rcLast.bottom >= rcClient.bottom)
        return TRUE;
    return GetSelCount() > 0 && !GetSel(nCount - 1);
}

BOOL CTraceList::Copy()
{
    CString strText;
    for (int i = 0, n = GetCount(); i < n; i++)
        if (GetSel(i) > 0)
            strText += GetEvent(i)->GetLine() + "\r\n";
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, strText.GetLength() + 1);
    if (hMem == NULL)
        return FALSE;
    memcpy(::GlobalLock(hMem), (LPCSTR)strText, strText.GetLength() + 1);
    ::GlobalUnlock(hMem);
    if (!::OpenClipboard(m_hWnd)) {
        ::GlobalFree(hMem);
        return FALSE;
    }
    ::EmptyClipboard();
    BOOL bOK = ::SetClipboardData(CF_TEXT, hMem) != NULL;
    ::CloseClipboard();
    if (!bOK)
        ::GlobalFree(hMem);
    return bOK;
}

BOOL CTraceList::DeleteSelected()
{
    if (GetSelCount() <= 0)
        return FALSE;
    int nIndex;
    while (GetSelCount() > 0 && GetSelItems(1, &nIndex) == 1)
        DeleteString(nIndex);
    m_bModified = TRUE;
    RecalcExtent();
    NotifyParent();
    return TRUE;
}

void CTraceList::DeleteRow(int nIndex)
{
    m_bModified = TRUE;
    DeleteString(nIndex);
    RecalcExtent();
    NotifyParent();
}

void CTraceList::Clear()
{
    ResetContent();
    m_bModified = TRUE;
    m_nExtent = 0;
    NotifyParent();
}

void CTraceList::SelectAll()
{
    SetRedraw(FALSE);
    for (int i = 0, n = GetCount(); i < n; i++)
        SetSel(i, TRUE);
    SetRedraw(TRUE);
    Invalidate();
}

void CTraceList::PrintRows(CPrinter& printer, BOOL bSelection)
{
    for (int i = 0, n = GetCount(); i < n; i++) {
        if (bSelection && GetSel(i) <= 0)
            continue;
        TraceEvent* pEvent = GetEvent(i);
        int nSaved = printer.m_pDC->SaveDC();
        printer.m_pDC->SetTextColor(pEvent->GetColor());
        printer.PrintLine(pEvent->GetLine());
        printer.m_pDC->RestoreDC(nSaved);
    }
    if (!bSelection)
        printer.EndDocument();
}

// ---------------------------------------------------------------------------
// CTraceNoteDlg
// ---------------------------------------------------------------------------

CTraceNoteDlg::CTraceNoteDlg(CWnd* pParent) : CDialog(IDD_TRACE_NOTE, pParent)
{
}

void CTraceNoteDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TRACE_NOTE_TEXT, m_strNote);
}

// ---------------------------------------------------------------------------
// CLogFrame
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CLogFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CLogFrame, CFrameWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CLogFrame::CLogFrame()
{
}

// The title is exactly what the view sets, without a document name.
BOOL CLogFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~(LONG)FWS_ADDTOTITLE;
    return CFrameWnd::PreCreateWindow(cs);
}

void CLogFrame::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild != NULL) {
        CRect rc;
        GetClientRect(&rc);
        pChild->MoveWindow(&rc);
    }
}

// The user only hides the log: it keeps collecting while out of sight.
void CLogFrame::OnClose()
{
    ShowWindow(SW_HIDE);
}

void CLogFrame::OnDestroy()
{
    if (GetLogger().GetLogFrame() == this)
        GetLogger().SetLogFrame(NULL);
    CFrameWnd::OnDestroy();
}

// ---------------------------------------------------------------------------
// CLogWindowDoc
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CLogWindowDoc, CDocument)

CLogWindowDoc::CLogWindowDoc()
{
}

// ---------------------------------------------------------------------------
// CLogWindowView
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CLogWindowView, CFormView)

CLogWindowView* CLogWindowView::s_pLogView = NULL;

BEGIN_MESSAGE_MAP(CLogWindowView, CFormView)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_TRACE_FIRST, OnFirst)
    ON_BN_CLICKED(IDC_TRACE_PREV_ERROR, OnPrevError)
    ON_BN_CLICKED(IDC_TRACE_NEXT_ERROR, OnNextError)
    ON_BN_CLICKED(IDC_TRACE_LAST, OnLast)
    ON_BN_CLICKED(IDC_TRACE_LIMIT, OnLimit)
    ON_BN_CLICKED(IDC_TRACE_SET, OnSet)
    ON_BN_CLICKED(IDC_TRACE_NOTE, OnNote)
    ON_BN_CLICKED(IDC_TRACE_DISK, OnDisk)
    ON_LBN_SELCHANGE(IDC_TRACE_LIST, OnSelChangeList)
    ON_REGISTERED_MESSAGE(UWM_TRACE_CHANGE, OnTraceChange)
    ON_REGISTERED_MESSAGE(UWM_TRACE_ADD_EVENT, OnAddEvent)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateHasRows)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, OnUpdateHasRows)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateHasSelection)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateHasSelection)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateHasSelection)
    ON_COMMAND(ID_EDIT_CLEAR_ALL, OnEditClearAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR_ALL, OnUpdateHasRows)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateHasRows)
    ON_COMMAND(ID_TRACE_TEST_COMMENT, OnTestComment)
    ON_COMMAND(ID_TRACE_TEST_ERROR, OnTestError)
    ON_COMMAND(ID_TRACE_TEST_FORMAT_ERROR, OnTestFormatError)
    ON_COMMAND(ID_TRACE_TEST_FORMAT_MESSAGE, OnTestFormatMessage)
    ON_COMMAND(ID_TRACE_TEST_DATA_BINARY, OnTestDataBinary)
    ON_COMMAND(ID_TRACE_TEST_DATA_STRING, OnTestDataString)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TRACE_TEST_COMMENT, ID_TRACE_TEST_DATA_STRING, OnUpdateTest)
END_MESSAGE_MAP()

CLogWindowView::CLogWindowView() : CFormView(IDD_TRACE_LOG), m_nTestCounter(0)
{
    s_pLogView = this;
}

CLogWindowView::~CLogWindowView()
{
    if (s_pLogView == this)
        s_pLogView = NULL;
}

int CLogWindowView::AddEvent(TraceEvent* pEvent)
{
    if (s_pLogView == NULL) {
        delete pEvent;
        return -1;
    }
    return s_pLogView->m_wndList.AddEvent(pEvent);
}

void CLogWindowView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TRACE_DISK, m_wndDisk);
    DDX_Control(pDX, IDC_TRACE_SET, m_wndSet);
    DDX_Control(pDX, IDC_TRACE_FIRST, m_wndFirst);
    DDX_Control(pDX, IDC_TRACE_PREV_ERROR, m_wndPrevError);
    DDX_Control(pDX, IDC_TRACE_NEXT_ERROR, m_wndNextError);
    DDX_Control(pDX, IDC_TRACE_LIST, m_wndList);
    DDX_Control(pDX, IDC_TRACE_LIMIT_EDIT, m_wndLimitEdit);
    DDX_Control(pDX, IDC_TRACE_LIMIT, m_wndLimit);
    DDX_Control(pDX, IDC_TRACE_LAST, m_wndLast);
}

void CLogWindowView::OnInitialUpdate()
{
    if (m_wndList.GetSafeHwnd() != NULL)
        return;   // the controls are bound once
    CFormView::OnInitialUpdate();
    SizeList();
    CString strTitle = LoadText(IDS_TRACE_LOG_TITLE);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL) {
        pFrame->SetTitle(strTitle);
        pFrame->SetWindowText(strTitle);
    }
    CWinApp* pApp = AfxGetApp();
    BOOL bDisk = ReadProfileKey(pApp, profileLogDesired) != 0;
    m_wndDisk.SetCheck(bDisk ? BST_CHECKED : BST_UNCHECKED);
    m_wndList.m_strFileName = ReadProfileKey(pApp, profileTraceListName, GetLogger().GetDefaultLogFile());
    m_wndList.m_bDisk = bDisk;
    UpdateButtons();
    GetLogger().SetLogView(m_hWnd);
}

void CLogWindowView::SizeList()
{
    if (m_wndList.GetSafeHwnd() == NULL)
        return;
    CRect rcClient, rcList;
    GetClientRect(&rcClient);
    m_wndList.GetWindowRect(&rcList);
    ScreenToClient(&rcList);
    int nHeight = rcClient.bottom - rcList.top;
    m_wndList.MoveWindow(rcList.left, rcList.top, rcClient.Width(), nHeight > 0 ? nHeight : 0);
}

void CLogWindowView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    SizeList();
}

// Events other threads posted but the view never received are the view's to
// delete; the rows go with the list.
void CLogWindowView::OnDestroy()
{
    GetLogger().SetLogView(NULL);
    UINT nMessage = CLogger::GetAddEventMessage();
    MSG msg;
    while (::PeekMessageA(&msg, m_hWnd, nMessage, nMessage, PM_REMOVE))
        delete (TraceEvent*)msg.lParam;
    if (m_wndList.GetSafeHwnd() != NULL)
        m_wndList.ResetContent();
    CFormView::OnDestroy();
}

void CLogWindowView::UpdateButtons()
{
    if (m_wndList.GetSafeHwnd() == NULL)
        return;
    m_wndFirst.EnableWindow(m_wndList.CanGoFirst());
    m_wndPrevError.EnableWindow(m_wndList.HasPrevError());
    m_wndNextError.EnableWindow(m_wndList.HasNextError());
    m_wndLast.EnableWindow(m_wndList.CanGoLast());
    BOOL bLimit = m_wndLimit.GetCheck() == BST_CHECKED;
    m_wndSet.EnableWindow(bLimit);
    m_wndLimitEdit.EnableWindow(bLimit);
}

void CLogWindowView::OnFirst()
{
    m_wndList.GoFirst();
    UpdateButtons();
}

void CLogWindowView::OnPrevError()
{
    m_wndList.GoPrevError();
    UpdateButtons();
}

void CLogWindowView::OnNextError()
{
    m_wndList.GoNextError();
    UpdateButtons();
}

void CLogWindowView::OnLast()
{
    m_wndList.GoLast();
    UpdateButtons();
}

void CLogWindowView::OnLimit()
{
    m_wndList.SetLimitOn(m_wndLimit.GetCheck() == BST_CHECKED);
    UpdateButtons();
}

void CLogWindowView::OnSet()
{
    if (m_wndLimit.GetCheck() != BST_CHECKED)
        return;
    CString strText;
    m_wndLimitEdit.GetWindowText(strText);
    int nLimit = atoi(strText);
    if (nLimit != 0)
        m_wndList.SetLimit(nLimit);
    UpdateButtons();
}

void CLogWindowView::OnNote()
{
    CTraceNoteDlg dlg(GetParentFrame());
    if (dlg.DoModal() != IDOK)
        return;
    CString strNote = dlg.m_strNote;
    strNote.TrimRight();
    if (!strNote.IsEmpty())
        m_wndList.AddEvent(new TraceNote(-1, strNote));
}

void CLogWindowView::OnDisk()
{
    BOOL bChecked = m_wndDisk.GetCheck() == BST_CHECKED;
    BOOL bOK = m_wndList.SetDisk(bChecked);
    if (bChecked && !bOK)
        m_wndDisk.SetCheck(BST_UNCHECKED);
    else
        WriteProfileKey(AfxGetApp(), profileLogDesired, bChecked ? 1 : 0);
}

void CLogWindowView::OnSelChangeList()
{
    UpdateButtons();
}

// An event a worker handed over through the logger; the view owns it now.
LRESULT CLogWindowView::OnAddEvent(WPARAM, LPARAM lParam)
{
    m_wndList.AddEvent((TraceEvent*)lParam);
    return 0;
}

LRESULT CLogWindowView::OnTraceChange(WPARAM, LPARAM)
{
    UpdateButtons();
    return 0;
}

void CLogWindowView::OnFileSave()
{
    m_wndList.Save(TRUE);
}

void CLogWindowView::OnUpdateFileSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndList.IsModified());
}

void CLogWindowView::OnUpdateHasRows(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndList.GetCount() > 0);
}

void CLogWindowView::OnUpdateHasSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndList.GetSelCount() > 0);
}

void CLogWindowView::OnFilePrint()
{
    int nSelected = m_wndList.GetSelCount();
    DWORD dwFlags = PD_RETURNDC | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES;
    if (nSelected < 2)
        dwFlags |= PD_NOSELECTION;
    if (nSelected > 10)
        dwFlags |= PD_SELECTION;
    CPrintDialog dlg(FALSE, dwFlags, this);
    if (dlg.DoModal() != IDOK || dlg.GetPrinterDC() == NULL)
        return;
    CDC dc;
    dc.Attach(dlg.GetPrinterDC());
    {
        CPrinter printer(&dc);
        m_wndList.m_pPrinter = &printer;
        CWinApp* pApp = AfxGetApp();
        if (printer.StartDocument(pApp != NULL && pApp->m_pszAppName != NULL ? pApp->m_pszAppName : ""))
            m_wndList.PrintRows(printer, dlg.PrintSelection());
        m_wndList.m_pPrinter = NULL;
    }
    dc.DeleteDC();
}

void CLogWindowView::OnEditCopy()
{
    m_wndList.Copy();
}

void CLogWindowView::OnEditCut()
{
    if (m_wndList.Copy())
        m_wndList.DeleteSelected();
}

void CLogWindowView::OnEditClear()
{
    m_wndList.DeleteSelected();
}

void CLogWindowView::OnEditClearAll()
{
    m_wndList.Clear();
}

void CLogWindowView::OnEditSelectAll()
{
    m_wndList.SelectAll();
}

void CLogWindowView::OnTestComment()
{
    GetLogger().AddEvent(new TraceComment(-1, (UINT)IDS_TRACE_SAMPLE_COMMENT));
}

void CLogWindowView::OnTestError()
{
    GetLogger().AddEvent(new TraceError(-1, CString('=', 14)));
    GetLogger().AddEvent(new TraceError(-1, (UINT)IDS_TRACE_SAMPLE_ERROR));
}

void CLogWindowView::OnTestFormatError()
{
    ++m_nTestCounter;
    UINT nFormat = m_nTestCounter == 1 ? IDS_TRACE_TESTED_TIME : IDS_TRACE_TESTED_TIMES;
    GetLogger().AddEvent(new TraceFormatError(-1, nFormat, m_nTestCounter));
}

void CLogWindowView::OnTestFormatMessage()
{
    GetLogger().AddEvent(new TraceError(-1, (UINT)IDS_TRACE_SAMPLE_FORMAT_LINE));
    GetLogger().AddEvent(new TraceFormatMessage(-1, ERROR_ACCESS_DENIED));
}

void CLogWindowView::OnTestDataBinary()
{
    static const char szSample[] = "This is some sample data";
    GetLogger().AddEvent(new TraceData(-1, szSample, (UINT)(sizeof szSample - 1)));
}

void CLogWindowView::OnTestDataString()
{
    GetLogger().AddEvent(new TraceData(-1, "This is some sample data"));
}

void CLogWindowView::OnUpdateTest(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}
