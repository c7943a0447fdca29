// ProgressBar.h - CProgressBar: a progress control inside one pane of the main
// frame's status bar, after a message it writes into the same pane. It places
// itself from the pane's rectangle, follows the status bar's layout, and gives
// the pane its old text back when it is cleared or destroyed.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxext.h>

class CProgressBar : public CProgressCtrl
{
    DECLARE_DYNCREATE(CProgressBar)
public:
    CProgressBar();
    CProgressBar(LPCTSTR strMessage, int nSize = 100, int MaxValue = 100, BOOL bSmooth = FALSE, int nPane = 0);
    virtual ~CProgressBar();

    // FALSE when the main window has no status bar or the control cannot be made.
    BOOL Create(LPCTSTR strMessage, int nSize = 100, int MaxValue = 100, BOOL bSmooth = FALSE, int nPane = 0);

    // Hides the bar and gives the pane its previous text ("Ready" for pane 0).
    void Clear();
    BOOL SetText(LPCTSTR strMessage);
    BOOL SetSize(int nSize);
    BOOL SetRange(int nLower, int nUpper, int nStep = 1);

    // Setting a position, an offset or a step shows a hidden bar again.
    void SetPos(int nPos);
    int OffsetPos(int nPos);
    void SetStep(int nStep);
    int StepIt();
    COLORREF SetBarColour(COLORREF clrBar);
    COLORREF SetBkColour(COLORREF clrBk);

    // Places the bar in its pane after the message; FALSE without a window or
    // a status bar.
    BOOL Resize();
    CStatusBar* GetStatusBar();

    CString GetMessage() const { return m_strMessage; }
    int GetPane() const { return m_nPane; }

protected:
    int m_nSize;               // percent of the pane's room after the message
    int m_nPane;
    CString m_strMessage;
    CString m_strPrevText;     // the pane's text before the bar came
    CRect m_Rect;              // where the bar was last placed (status-bar client)

    void Show() { ModifyStyle(0, WS_VISIBLE); }

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
