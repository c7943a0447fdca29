// COXMaskedEdit - an edit whose text is a fixed row of cells described by an
// input mask: literal cells (shown, never typed over) and input cells that
// take one character of a class each and show a prompt while empty. Typing
// fills the cells, insert mode shifts later input along the input cells, and
// the parent can veto leaving the control.
//
// The cells work without a window (SetMask, SetInputData, InsertAt, SetAt,
// DeleteRange), so the mask rules can be called and tested alone.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

// Mask character classes
enum
{
    OXMASK_DECIMAL = 0, OXMASK_THOUSANDS, OXMASK_TIME, OXMASK_DATE,
    OXMASK_DIGIT, OXMASK_ALPHANUMERIC, OXMASK_ALPHA, OXMASK_ALPHA_UPPER, OXMASK_ALPHA_LOWER,
    OXMASK_CHARACTER, OXMASK_LITERAL_ESCAPE, OXMASK_LITERAL
};

// Sent to the parent (WM_NOTIFY) when the focus leaves a masked edit.
#define OXMEN_VALIDATE 0x808C

struct MENMHDR
{
    NMHDR hdr;
    BOOL bValid;                // the parent clears it to keep the focus
    BOOL bDefaultValidation;    // left set, OnValidate decides as well
    int nPosition;              // where the caret goes when the focus is kept
};

class CMaskData : public CObject
{
    DECLARE_DYNCREATE(CMaskData)
public:
    int m_eType = OXMASK_LITERAL;
    char m_chValue = 0;

    void operator=(const CMaskData& src) { m_eType = src.m_eType; m_chValue = src.m_chValue; }
    BOOL IsInputData() const { return m_eType >= OXMASK_DIGIT && m_eType <= OXMASK_CHARACTER; }
    BOOL IsValidInput(char ch) const;
    char PreProcessChar(char ch) const;
};

class COXMaskedEdit : public CEdit
{
    DECLARE_DYNAMIC(COXMaskedEdit)
public:
    explicit COXMaskedEdit(LPCTSTR pszMask = "");
    virtual ~COXMaskedEdit();

    // ---- virtual operations, in slot order ----
    virtual CString GetValueText() const;
    virtual void SetValueText(LPCTSTR pszText);
    virtual void ValidationError();
    virtual BOOL OnValidate();

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    void SetMask(LPCTSTR pszMask);
    CString GetMask() const;
    CString GetInputData() const;
    BOOL SetInputData(LPCTSTR pszText, int nBeginPos = 0, BOOL bWithPrompts = TRUE);
    void EmptyData(BOOL bOnlyInput = FALSE);
    void DeleteContents();
    BOOL IsInputEmpty() const;
    void SetPromptSymbol(char ch);
    char GetPromptSymbol() const { return m_chPromptSymbol; }
    void SetInsertMode(BOOL bInsert) { m_bInsertMode = bInsert; }
    BOOL GetInsertMode() const { return m_bInsertMode; }
    int PosToInputIndex(int nPos) const;
    int InputIndexToPos(int nIndex) const;
    BOOL IsInputPosition(int nPos) const;
    int GetNextInputPos(int nPos) const;
    int GetPrevInputPos(int nPos) const;
    int GetFirstEmptyInputPos(int nPos) const;
    void RefreshText(int nCaretPos = -1);
    void MoveCaretToNextInput(int nPos);
    void MoveCaretToPrevInput(int nPos);
    int GetCellCount() const { return (int)m_listData.GetCount(); }
    // The text the cells show, window or not.
    CString GetCellText() const;

    int SetAt(int nPos, char ch);
    int InsertAt(int nPos, char ch);
    int DeleteRange(int nStart, int nEnd);

protected:
    virtual void PreSubclassWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnKillFocusReflect();

    CMaskData* Cell(int nPos) const;
    BOOL IsPlain() const;
    void OnKeyDown(WPARAM wParam, LPARAM lParam);
    void OnCharTyped(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void Refocus(int nPosition);

    CTypedPtrList<CObList, CMaskData*> m_listData;
    BOOL m_bInsertMode;
    char m_chPromptSymbol;
    char m_chDecimalSeparator;
    char m_chThousandsSeparator;
    char m_chTimeSeparator;
    char m_chDateSeparator;
    int m_nRefreshDepth;
    BOOL m_bRefocusPending;

    DECLARE_MESSAGE_MAP()
};
