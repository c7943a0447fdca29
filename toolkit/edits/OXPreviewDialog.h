// COXPreviewDialog: the system's Explorer-style file dialog with a preview
// pane. Once the dialog is up it finds the shell's file list and the dialog's
// small tool bar, adds a check button that switches the preview, narrows the
// file list and puts a preview window in the freed space at its right, with a
// draggable splitter between. File viewers (COXFileViewer, supplied by the
// caller, one per kind of file) are told the selected file and asked in turn
// to paint it; when none does the pane says "Preview not available.". The
// preview switch and the splitter's place are kept in the profile.
#pragma once

#include <afxwin.h>
#include <afxdlgs.h>
#include <afxtempl.h>

class COXPreviewDialog;

class COXFileViewer
{
public:
    virtual ~COXFileViewer() {}
    COXPreviewDialog* m_pPreviewDialog = NULL;

    virtual BOOL OnNewFileSelect(LPCTSTR lpszFile, BOOL bHandled) { (void)lpszFile; (void)bHandled; return FALSE; }
    virtual BOOL OnPaintPreview(CDC* pDC, LPRECT lpRect) { (void)pDC; (void)lpRect; return FALSE; }
    virtual BOOL OnDoRealizePalette(CWnd* pFocusWnd) { (void)pFocusWnd; return FALSE; }
    virtual void OnChangeSize() {}
    virtual void OnPreview(BOOL bOn) { (void)bOn; }
    virtual void OnCreatePreviewWnd(CWnd* pPane) { (void)pPane; }
    virtual void OnDestroyPreviewWnd(CWnd* pPane) { (void)pPane; }
};

class COXPreviewWnd : public CWnd
{
public:
    COXPreviewDialog* m_pPreviewDialog = NULL;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

#define OX_PREVIEW_BUTTON_ID 0xA100
#define OX_PREVIEW_PANE_ID 0xE900
#define OX_PREVIEW_SPLITTER_CURSOR 30980
#define WM_OX_PREVIEW_LOADOFFSET 0x8014

class COXPreviewDialog : public CFileDialog
{
    DECLARE_DYNAMIC(COXPreviewDialog)
public:
    explicit COXPreviewDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                              DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                              CWnd* pParentWnd = NULL);
    virtual ~COXPreviewDialog();

    void SetPreview(BOOL bOn);
    BOOL GetPreview() const { return m_bPreview; }
    int SetPreviewOffset(int nOffset);
    int GetPreviewOffset() const { return m_nPreviewOffset; }
    void SetFlatToolbar(BOOL bFlat);
    BOOL GetFlatToolbar() const { return m_bFlatToolbar; }
    BOOL InsertFileViewer(COXFileViewer* pViewer, int nIndex);
    BOOL RemoveFileViewer(int nIndex);
    COXFileViewer* GetFileViewer(int nIndex) const;
    int GetFileViewerCount() const { return (int)m_arrViewers.GetSize(); }
    BOOL IsOldStyle() const { return (m_ofn.Flags & OFN_EXPLORER) == 0; }
    CString GetCurrentFile() const { return m_sCurrentFile; }
    CWnd* GetPreviewWnd() { return ::IsWindow(m_previewWnd.m_hWnd) ? &m_previewWnd : NULL; }
    CRect GetSplitterRect() const { return m_rectSplitter; }

    // The source's size scaled down (never up) to fit the target, keeping
    // its proportions, and centred.
    static CRect AdjustRectToFit(const CRect& rectSource, const CRect& rectTarget);

    // The dialog's parts, looked up afresh: the shell's file list and the
    // small tool bar.
    HWND FindFileList() const;
    HWND FindToolbar() const;

    // ---- virtual operations ----
    virtual LRESULT DialogWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void AdjustControls();
    virtual void AddPreviewButton();
    virtual void InitializePreview();
    virtual void NotifyFileChange(LPCTSTR lpszFile);
    virtual BOOL PaintPreview(CDC* pDC, LPRECT lpRect);
    virtual void DoRealizePalette(CWnd* pFocusWnd);
    virtual void UpdatePreview();
    virtual void DrawNoPreview(CDC* pDC, LPRECT lpRect);

protected:
    virtual BOOL OnInitDialog() override;
    virtual void OnInitDone() override;
    virtual void OnFileNameChange() override;
    virtual void OnFolderChange() override;
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnDestroy();

    HWND DialogHwnd() const { return ::GetParent(m_hWnd); }
    CRect ChildRect(HWND hChild) const;   // in the dialog window's client coordinates
    void MoveChild(HWND hChild, const CRect& rect);
    void ForEachViewer(void (*pfn)(COXFileViewer*, void*), void* pData);
    static LRESULT CALLBACK GlobalDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL m_bPreview = TRUE;
    BOOL m_bPreviewAtLastUpdate = TRUE;
    CString m_sCurrentFile;
    CString m_sLastFile;
    CStatic m_static;
    CArray<COXFileViewer*, COXFileViewer*> m_arrViewers;
    COXPreviewWnd m_previewWnd;
    BOOL m_bInitialized = FALSE;
    BOOL m_bFlatToolbar = TRUE;
    CRect m_rectPreview;
    CRect m_rectSplitter;
    CRect m_rectDragLimits;
    BOOL m_bDragging = FALSE;
    CPoint m_ptLastDrag;
    int m_nListWidth = -1;
    int m_nListHeight = -1;
    int m_nPreviewOffset = 0;
    WNDPROC m_pfnOldDialogProc = NULL;

    DECLARE_MESSAGE_MAP()
};
