// AccelListBox.h - CAccelListBox: the owner-drawn list of a command's
// accelerators; each item's data is its CAccelsOb, and locked ones are greyed.
#pragma once

#include <afxwin.h>

class CAccelListBox : public CListBox
{
    DECLARE_DYNAMIC(CAccelListBox)
public:
    CAccelListBox();
    virtual ~CAccelListBox() {}

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Repaints the selected item at once.
    void RedrawSelection();

    afx_msg BOOL OnSetFocus();
    afx_msg BOOL OnKillFocus();

    COLORREF m_crHighlight;
    COLORREF m_crHighlightText;
    COLORREF m_crGrayText;
    COLORREF m_crWindow;

    DECLARE_MESSAGE_MAP()
};
