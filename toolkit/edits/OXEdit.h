// COXEdit - an edit control that keeps its own model of the text: literal
// characters on the left, the characters the user typed (the input), and
// literal characters on the right. The window text is always rebuilt from the
// model, so the literals cannot be typed over and derived classes can
// reformat the input after every change.
//
// The model works without a window: the mask, the input and the typing
// operations (InsertAt, SetAt, DeleteRange) change the model and only touch
// the window when there is one, so the rules can be called and tested alone.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class COXEdit : public CEdit
{
    DECLARE_DYNCREATE(COXEdit)
public:
    COXEdit();
    virtual ~COXEdit();

    // ---- virtual operations, in slot order ----
    virtual CString GetInputData() const;
    virtual BOOL SetInputData(LPCTSTR pszText, int nBeginPos = 0);
    virtual void EmptyData(BOOL bOnlyInput = FALSE);
    virtual void ValidationError();
    virtual BOOL GetLocaleSettings();
    virtual BOOL InitControl();
    virtual int ValidateInput();
    virtual void DeleteContents();
    virtual BOOL IsInputPosition(int nPos) const;
    virtual BOOL IsInsertPosition(int nPos) const;
    virtual int DeleteRange(int& nStart, int& nEnd);
    virtual int InsertAt(int nPos, char ch);
    virtual int SetAt(int nPos, char ch);
    virtual int GetNextInsertPosition(int nPos) const;
    virtual int GetPrevInsertPosition(int nPos) const;
    virtual void AdjustLiterals();

    // ---- operations ----
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    BOOL SetMask(LPCTSTR pszMask);
    CString GetMask() const { return m_sMask; }
    void SetTextColor(COLORREF clr, BOOL bRedraw = TRUE);
    COLORREF GetTextColor() const { return m_clrText; }
    void SetBkColor(COLORREF clr, BOOL bRedraw = TRUE);
    COLORREF GetBkColor() const { return m_clrBack; }
    void SetReadOnlyColors(COLORREF clrText, COLORREF clrBack) { m_clrReadOnlyText = clrText; m_clrReadOnlyBack = clrBack; }
    BOOL SetToolTipText(LPCTSTR pszText);
    CString GetToolTipText() const { return m_sToolTipText; }
    void RefreshText(int nCaretPos = -1);
    int Validate();
    CString GetLeftLiterals() const { return m_arrLeftLiterals; }
    CString GetRightLiterals() const { return m_arrRightLiterals; }
    int PosToInputIndex(int nPos) const;
    int InputIndexToPos(int nIndex) const;
    void MoveCaretForward(int nPos);
    void MoveCaretBackward(int nPos);
    BOOL NotifyParent(UINT nCode);
    BOOL GetInsertMode() const { return m_bInsertMode; }
    void SetInsertMode(BOOL bInsert) { m_bInsertMode = bInsert; }
    // Puts text into the input from input index nPos (the property window's
    // way of setting a value after EmptyData); FALSE outside the input.
    BOOL InsertText(LPCTSTR pszText, int nPos) { return SetInputData(pszText, nPos); }
    // The whole text the model shows: left literals, input, right literals.
    CString GetModelText() const { return m_arrLeftLiterals + m_arrInputData + m_arrRightLiterals; }

protected:
    virtual void PreSubclassWindow() override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    HBRUSH ColorBrush(COLORREF clr);
    BOOL CopyFont();
    int LeftCount() const { return m_arrLeftLiterals.GetLength(); }
    int InputCount() const { return m_arrInputData.GetLength(); }
    BOOL IsMultiLine() const { return m_hWnd && (GetStyle() & ES_MULTILINE); }
    void OnKeyDown(UINT nChar, WPARAM wParam, LPARAM lParam);
    void OnCharTyped(UINT nChar, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnPaste();
    void OnCutOrClear(UINT message, WPARAM wParam, LPARAM lParam);

    COLORREF m_clrText;
    COLORREF m_clrBack;
    CFont m_font;
    CString m_sMask;
    CString m_arrLeftLiterals;
    CString m_arrRightLiterals;
    CString m_arrInputData;
    BOOL m_bInsertMode;
    CString m_sToolTipText;
    CToolTipCtrl m_ttc;
    int m_nRefreshDepth;
    BOOL m_bNotifyChange;
    BOOL m_bControlSettingText;     // the control itself is taking a rebuilt text
    BOOL m_bSettingFont;
    BOOL m_bInitialized;
    COLORREF m_clrReadOnlyBack;
    COLORREF m_clrReadOnlyText;
    // Each edit keeps its own last accepted input and its own brush: a shared
    // one would reset an edit to another edit's text and delete a brush that
    // another edit's colouring still returns.
    CString m_sLastAcceptedInput;
    CBrush m_brush;
    COLORREF m_clrBrush;

    DECLARE_MESSAGE_MAP()
};
