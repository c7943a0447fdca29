// EditEx.h - CEditEx: an edit control with its own text and background
// colours, its own font, an optional character filter that refuses typed
// characters with a beep, and an optional context menu from the resources.
#pragma once

#include <afxwin.h>

// A character filter for CEditEx: answers whether a typed character may go in.
class CEditExValidator
{
public:
    virtual ~CEditExValidator() {}
    virtual BOOL IsValidChar(UINT nChar) = 0;
};

class CEditEx : public CEdit
{
    DECLARE_DYNCREATE(CEditEx)
public:
    CEditEx();
    virtual ~CEditEx();

    // Both return the colour they replace and repaint the control.
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetBkColor() const { return m_crBkColor; }
    COLORREF GetTextColor() const { return m_crTextColor; }

    // A font made from the description replaces (and deletes) the control's
    // previous one; a null description changes nothing.
    void SetFont(const LOGFONTA* pLogFont);
    // The same from a height, a pitch-and-family byte and a face name (at
    // most 31 characters are taken).
    void SetFont(LONG nHeight, BYTE bPitchAndFamily, LPCSTR lpszFaceName);
    CFont* GetExFont() const { return m_pFont; }

    // The control owns the filter and deletes it; NULL lets every character in.
    void SetValidator(CEditExValidator* pValidator);
    CEditExValidator* GetValidator() const { return m_pValidator; }
    // The menu whose first pop-up is the context menu; 0 for the edit's own.
    void SetContextMenuId(UINT nMenuId) { m_nMenuId = nMenuId; }
    UINT GetContextMenuId() const { return m_nMenuId; }

    // Takes over the other control's colours and font.
    CEditEx& operator=(const CEditEx& other);

protected:
    virtual void CreateBkBrush();

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    CBrush m_brBkgnd;
    COLORREF m_crBkColor;
    COLORREF m_crTextColor;
    CEditExValidator* m_pValidator;
    CFont* m_pFont;
    UINT m_nMenuId;

    DECLARE_MESSAGE_MAP()

private:
    CEditEx(const CEditEx&) = delete;
};
