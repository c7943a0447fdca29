// AutoRichEditCtrl.h - CAutoRichEditCtrl: a rich edit control with one-call
// formatting of the selection (bold, italic, underline, colour, face, size),
// paragraph alignment and bullets, RTF in and out, the installed TrueType
// faces, and an owner-drawn context menu of the usual edit commands.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CAutoRichEditCtrl : public CRichEditCtrl
{
    DECLARE_DYNAMIC(CAutoRichEditCtrl)
public:
    CAutoRichEditCtrl();
    virtual ~CAutoRichEditCtrl() {}

    // ---- text ----
    void SetRTF(const CString& strRTF);
    CString GetRTF();

    // ---- character format of the selection ----
    // A uniform selection is flipped; a mixed one is switched on.
    void SetSelectionBold();
    void SetSelectionItalic();
    void SetSelectionUnderlined();
    BOOL SelectionIsBold();
    BOOL SelectionIsItalic();
    BOOL SelectionIsUnderlined();
    void SetColour(COLORREF crColour);
    // The colour dialog, starting from black; on OK its colour is the text's.
    void SelectColor();
    void SetFontName(const CString& strFontName);
    CString GetFontName();
    void SetFontSize(int nPointSize);
    long GetFontSize();

    // ---- paragraph format ----
    void SetParagraphLeft();
    void SetParagraphCenter();
    void SetParagraphRight();
    BOOL ParagraphIsLeft();
    BOOL ParagraphIsCentered();
    BOOL ParagraphIsRight();
    // Bullets on with an offset of 4 when there was none; off with both
    // indents 0.
    void SetParagraphBulleted();
    BOOL ParagraphIsBulleted();

    // Appends the face of every installed TrueType font to m_saFontList (the
    // list is not emptied first).
    void GetSystemFonts();

    CStringArray m_saFontList;

protected:
    CHARFORMAT GetCharFormat();
    PARAFORMAT GetParagraphFormat();
    void ToggleEffect(DWORD dwMaskAndEffect);
    void SetParagraphAlignment(WORD wAlignment);

    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnEditUndo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnUpdateNeedsSelection(CCmdUI* pCmdUI);
    afx_msg void OnEditPaste();
    afx_msg void OnEditDelete();
    afx_msg void OnEditSelectAll();
    afx_msg void OnUpdateNeedsText(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
