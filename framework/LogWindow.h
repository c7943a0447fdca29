// LogWindow.h - the trace-log window: a frame, an empty document and a form
// view holding the colour-coded list of trace events, which can also write
// every new event to a log file (Disk mode), be saved, printed, copied,
// trimmed to a row limit, searched for errors and take notes.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxdlgs.h>
#include "TraceEvent.h"

// Sent by the list to its parent after its rows or the selection moved by
// navigation changed; posted once per deleted row.
extern const UINT UWM_TRACE_CHANGE;

// ---------------------------------------------------------------------------
// CPrinter: paginates lines onto a printer DC, with a header (application
// name, page number, a red rule) on each page. Works on any DC.
// ---------------------------------------------------------------------------
class CPrinter
{
public:
    explicit CPrinter(CDC* pDC);
    virtual ~CPrinter();   // ends an open page and document

    // Selects the font, starts the document and measures the page.
    BOOL StartDocument(LPCTSTR lpszDocName);
    void EndDocument();
    void PrintLine(const CString& strLine);
    virtual void PrintHeader();
    virtual void SelectFont();

    CDC* m_pDC;
    int m_nTopMargin;      // also the bottom margin
    int m_nLeftMargin;     // also the header's right margin
    int m_nPageHeight;
    int m_nPageWidth;
    int m_nY;
    int m_nLineHeight;
    BOOL m_bPageOpen;
    BOOL m_bDocOpen;
    int m_nPage;

protected:
    // Document and page calls go to printer DCs only; on a metafile or memory
    // DC the same drawing is done without them.
    BOOL m_bSpooled;
};

// ---------------------------------------------------------------------------
// CTraceList: owner-drawn multiple-selection list box whose item data are
// TraceEvent pointers owned by the list.
// ---------------------------------------------------------------------------
class CTraceList : public CListBox
{
    DECLARE_DYNAMIC(CTraceList)
public:
    CTraceList();
    ~CTraceList() override;

    // Takes the event; the row index, or -1 (event deleted) without a window.
    int AddEvent(TraceEvent* pEvent);
    TraceEvent* GetEvent(int nIndex) const { return (TraceEvent*)GetItemDataPtr(nIndex); }

    BOOL Save(BOOL bUseStoredName);
    BOOL SetDisk(BOOL bDisk);
    BOOL GetDisk() const { return m_bDisk; }
    void SetLimit(int nLimit);
    void SetLimitOn(BOOL bOn);
    void MarkHead();

    void GoFirst();
    void GoLast();
    BOOL GoNextError();
    BOOL GoPrevError();
    BOOL CanGoFirst() const;
    BOOL CanGoLast() const;
    BOOL HasNextError() const { return FindError(TRUE) >= 0; }
    BOOL HasPrevError() const { return FindError(FALSE) >= 0; }

    BOOL Copy();
    BOOL DeleteSelected();
    void DeleteRow(int nIndex);
    void Clear();
    void SelectAll();
    void DeselectAll();
    BOOL IsModified() const { return GetCount() > 0 ? m_bModified : FALSE; }

    // Prints all rows, or the selected ones, through the printer.
    void PrintRows(CPrinter& printer, BOOL bSelection);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

    int m_nLineHeight;
    CString m_strFileName;
    BOOL m_bDisk;
    CPrinter* m_pPrinter;
    int m_nDeleted;
    BOOL m_bShowThread;
    int m_nTimeWidth;
    int m_nThreadWidth;
    int m_nExtent;
    BOOL m_bModified;
    int m_nLimit;
    BOOL m_bLimit;
    int m_nKeep;

protected:
    int FindError(BOOL bForward) const;
    void SelectRow(int nIndex, int nTopIndex);
    void RecalcExtent();
    void MeasureColumns(CDC* pDC);
    int RowWidth(CDC* pDC, TraceEvent* pEvent);
    void MeasureLineHeight();
    void NotifyParent();
    void AppendToFile(TraceEvent* pEvent);
};

// ---------------------------------------------------------------------------
// CTraceNoteDlg: the note the user types into the log.
// ---------------------------------------------------------------------------
class CTraceNoteDlg : public CDialog
{
public:
    explicit CTraceNoteDlg(CWnd* pParent = NULL);
    CString m_strNote;
protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// ---------------------------------------------------------------------------
// Frame, document and view
// ---------------------------------------------------------------------------
class CLogFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CLogFrame)
public:
    CLogFrame();
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class CLogWindowDoc : public CDocument
{
    DECLARE_DYNCREATE(CLogWindowDoc)
public:
    CLogWindowDoc();
};

class CLogWindowView : public CFormView
{
    DECLARE_DYNCREATE(CLogWindowView)
public:
    CLogWindowView();
    ~CLogWindowView() override;

    // Adds straight to the registered view's list, without the logger.
    static int AddEvent(TraceEvent* pEvent);
    static CLogWindowView* GetLogView() { return s_pLogView; }
    CTraceList& GetList() { return m_wndList; }
    void UpdateButtons();

    void OnInitialUpdate() override;

    CButton m_wndDisk;
    CButton m_wndSet;
    CButton m_wndFirst;
    CButton m_wndPrevError;
    CButton m_wndNextError;
    CTraceList m_wndList;
    CEdit m_wndLimitEdit;
    CButton m_wndLimit;
    CButton m_wndLast;
    int m_nTestCounter;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SizeList();

    static CLogWindowView* s_pLogView;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnFirst();
    afx_msg void OnPrevError();
    afx_msg void OnNextError();
    afx_msg void OnLast();
    afx_msg void OnLimit();
    afx_msg void OnSet();
    afx_msg void OnNote();
    afx_msg void OnDisk();
    afx_msg void OnSelChangeList();
    afx_msg LRESULT OnTraceChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAddEvent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFileSave();
    afx_msg void OnUpdateFileSave(CCmdUI* pCmdUI);
    afx_msg void OnUpdateHasRows(CCmdUI* pCmdUI);
    afx_msg void OnUpdateHasSelection(CCmdUI* pCmdUI);
    afx_msg void OnFilePrint();
    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditClear();
    afx_msg void OnEditClearAll();
    afx_msg void OnEditSelectAll();
    afx_msg void OnTestComment();
    afx_msg void OnTestError();
    afx_msg void OnTestFormatError();
    afx_msg void OnTestFormatMessage();
    afx_msg void OnTestDataBinary();
    afx_msg void OnTestDataString();
    afx_msg void OnUpdateTest(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
