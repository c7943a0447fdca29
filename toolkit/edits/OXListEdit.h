// COXListEdit - a drop edit over the formatted edit whose drop button opens a
// list of strings under the edit; choosing an item replaces the edit's text.
// COXListPopup is that list, with a capture loop of its own.
#pragma once

#include "OXDropEdit.h"

class COXListPopup : public CListBox
{
public:
    // Shows the list at rcPopup (screen), kept on its monitor and above the
    // anchor when it would pass the bottom; returns the chosen index or -1.
    int Pick(CRect rcPopup, CRect rcAnchor);
};

class COXListEdit : public COXDropEdit<COXEdit>
{
    DECLARE_DYNCREATE(COXListEdit)
public:
    enum { MAX_VISIBLE_ROWS = 20, HIDDEN_EDIT_ID = 1003 };

    COXListEdit();

    // Fills the list; creates the edit hidden in pHost first when it has no
    // window yet. Returns the number of items.
    int SetItems(const CStringArray& items, CWnd* pHost = NULL);
    COXListPopup& GetListPopup() { return m_listPopup; }
    // The pop-up's height for a number of items.
    int PopupHeight(int nItems) const;

protected:
    virtual BOOL InitializeDropEdit() override;
    virtual void OnDropButton() override;

    CFont m_font;
    COXListPopup m_listPopup;
};
