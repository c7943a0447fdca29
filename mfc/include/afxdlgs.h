// afxdlgs.h - the common dialogs (file, colour, font, print) and property
// sheets with their pages.
#ifndef PELLUCOR_AFXDLGS_H
#define PELLUCOR_AFXDLGS_H

#include "afxwin.h"
#include "afxcmn.h"
#include <commdlg.h>
#include <prsht.h>
#include <vector>

// ---------------------------------------------------------------------------
// CCommonDialog: the base of the system's dialogs. DoModal runs the system
// dialog with the parent's top-level window as owner and returns IDOK or
// IDCANCEL; the results are in the dialog's structure afterwards.
// ---------------------------------------------------------------------------
class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

protected:
    // The system dialog handles its own buttons.
    void OnOK() override {}
    void OnCancel() override {}
};

// ---------------------------------------------------------------------------
// CFileDialog. The system's Explorer-style dialog: while it is up the object
// is attached to the child dialog inside it (made from the program's template
// given with SetTemplate, or an empty one), so the object's message map gets
// that child's messages: OnInitDialog, its controls' commands, and the
// dialog's notifications (WM_NOTIFY with the CDN_ codes, which call the
// OnInitDone... virtuals unless the map handles them). GetParent() is the
// system's dialog itself.
// ---------------------------------------------------------------------------
class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||". A default
    // extension may be given with or without its leading period.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);
    virtual ~CFileDialog() {}

    OPENFILENAME m_ofn;

    INT_PTR DoModal() override;

    // The chosen file; with several chosen (OFN_ALLOWMULTISELECT) the path
    // name is their folder and GetStartPosition/GetNextPathName list them.
    CString GetPathName() const;
    CString GetFileName() const;    // "name.ext"
    CString GetFileExt() const;     // "ext"
    CString GetFileTitle() const;   // "name"
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // The child template shown inside the dialog (call before DoModal).
    void SetTemplate(UINT nWin3ID, UINT nWin4ID) { SetTemplate(MAKEINTRESOURCE(nWin3ID), MAKEINTRESOURCE(nWin4ID)); }
    void SetTemplate(LPCTSTR lpWin3ID, LPCTSTR lpWin4ID);
    // While the dialog is up: its own controls, through the system dialog.
    void SetControlText(int nID, LPCSTR lpsz) { GetParent()->SendMessage(CDM_SETCONTROLTEXT, (WPARAM)nID, (LPARAM)lpsz); }
    void HideControl(int nID) { GetParent()->SendMessage(CDM_HIDECONTROL, (WPARAM)nID, 0); }
    void SetDefExt(LPCSTR lpsz) { GetParent()->SendMessage(CDM_SETDEFEXT, 0, (LPARAM)lpsz); }

protected:
    // Called when the user presses OK with a name; nonzero refuses the name
    // and keeps the dialog open.
    virtual BOOL OnFileNameOK() { return FALSE; }
    virtual void OnInitDone() {}
    virtual void OnFileNameChange() {}
    virtual void OnFolderChange() {}
    virtual void OnTypeChange() {}
    // Another program has the chosen file open: OFN_SHAREWARN lets the
    // dialog warn, OFN_SHAREFALLTHROUGH takes the name, OFN_SHARENOWARN refuses it.
    virtual UINT OnShareViolation(LPCTSTR lpszPathName) { (void)lpszPathName; return OFN_SHAREWARN; }

    // The CDN_ notifications; the result also goes where the dialog reads it
    // (DWLP_MSGRESULT).
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    friend UINT_PTR CALLBACK AfxFileDialogHookProc(HWND, UINT, WPARAM, LPARAM);

    BOOL m_bOpenFileDialog;
    CString m_strFilter;     // "|" turned into NULs
    CString m_strDefExt;
    char m_szFileTitle[64];
    char m_szFileName[_MAX_PATH];
    std::vector<char> m_multiBuffer;   // the name buffer for several names
};

// ---------------------------------------------------------------------------
// CColorDialog
// ---------------------------------------------------------------------------
class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    CHOOSECOLOR m_cc;

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // Before DoModal: the colour the dialog starts with.
    void SetCurrentColor(COLORREF clr);
    // The custom colours, shared by every colour dialog of the program.
    static COLORREF* PASCAL GetSavedCustomColors() { return c_clrSavedCustom; }

protected:
    static COLORREF c_clrSavedCustom[16];
};

// ---------------------------------------------------------------------------
// CFontDialog
// ---------------------------------------------------------------------------
class CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    // A given font starts the dialog (CF_INITTOLOGFONTSTRUCT); a printer DC
    // lists the printer's fonts.
    explicit CFontDialog(LPLOGFONT lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);

    CHOOSEFONT m_cf;
    LOGFONT m_lf;

    INT_PTR DoModal() override;
    void GetCurrentFont(LPLOGFONT lplf);
    CString GetFaceName() const { return m_lf.lfFaceName; }
    CString GetStyleName() const { return m_cf.lpszStyle; }
    int GetSize() const { return m_cf.iPointSize; }   // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return (int)m_lf.lfWeight; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_BOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }

protected:
    char m_szStyleName[64];
};

// ---------------------------------------------------------------------------
// CPrintDialog. The handles the dialog returns (hDevMode, hDevNames, a
// printer DC) belong to the caller.
// ---------------------------------------------------------------------------
class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);

    PRINTDLG m_pd;

    INT_PTR DoModal() override;
    // The default printer's settings without showing anything; FALSE when
    // there is no printer (CommDlgExtendedError says why).
    BOOL GetDefaults();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    HDC CreatePrinterDC();   // from hDevNames/hDevMode, kept in m_pd.hDC

    CString GetDeviceName() const { return GetDevNamesString(0); }
    CString GetDriverName() const { return GetDevNamesString(1); }
    CString GetPortName() const { return GetDevNamesString(2); }
    LPDEVMODE GetDevMode() const;
    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

protected:
    CString GetDevNamesString(int nWhich) const;
};

// ---------------------------------------------------------------------------
// Property sheets
// ---------------------------------------------------------------------------
class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGE));
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGE));
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGE m_psp;

    // Tells the sheet the page has changes to apply (enables Apply).
    void SetModified(BOOL bChanged = TRUE);
    // After changes that cannot be undone: Cancel becomes Close.
    void CancelToClose();
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // The sheet's notifications. The defaults: OnSetActive moves the members
    // into the controls (after the first time, when OnInitDialog did it) and
    // accepts; OnKillActive moves the controls into the members and refuses
    // to leave on a bad value; OnApply calls OnOK and accepts; OnReset calls
    // OnCancel; OnQueryCancel allows; the wizard steps go on.
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual void OnOK() override {}
    virtual void OnCancel() override {}
    virtual BOOL OnQueryCancel() { return TRUE; }
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    virtual BOOL OnWizardFinish() { return TRUE; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CPropertySheet* GetParentSheet() const;

    friend class CPropertySheet;
    CString m_strCaption;
    BOOL m_bFirstSetActive;
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    PROPSHEETHEADER m_psh;

    // Runs the sheet in the layer's modal loop. Returns IDOK, IDCANCEL,
    // ID_WIZFINISH, or what EndDialog was given; -1 when it cannot be created.
    virtual INT_PTR DoModal();
    // A modeless sheet; OK, Cancel or Finish destroy it.
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    CTabCtrl* GetTabControl() const;

    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    void SetWizardButtons(DWORD dwFlags);
    void SetFinishText(LPCTSTR lpszText);
    void EnableStackedTabs(BOOL bStacked) { m_bStacked = bStacked; }
    // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, PSBTN_NEXT, PSBTN_BACK, PSBTN_FINISH...
    BOOL PressButton(int nButton);
    // Ends the sheet with nEndID as DoModal's result (pages are not applied).
    void EndDialog(int nEndID);

    virtual BOOL OnInitDialog() { return TRUE; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle);
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGE> m_pageStructs;   // what the system was given
    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bStacked;
    BOOL m_bModeless;
    BOOL m_bPagesReady;      // WM_INITDIALOG done: the sheet can tell it has ended
    BOOL m_bResultSet;
    int m_nMessageDepth;     // nesting of WindowProc
    DWORD m_dwCreateStyle;
    DWORD m_dwCreateExStyle;
};

#endif // PELLUCOR_AFXDLGS_H
