// COXCoolComboBox: a combo box drawn flat while idle and sunken, with a
// raised drop button, while hot (mouse over it or focus inside it). Its edit
// field and list are cool controls too, so hovering or focusing any part
// makes the whole combo hot, and all three show the combo's tooltip.
#pragma once

#include "OXCoolCtrl.h"

class COXCoolComboBox;

class COXCoolComboEdit : public COXCoolCtrl<CEdit>
{
public:
    COXCoolComboBox* m_pCombo = NULL;

    virtual void OnFocusChanged(CWnd* pWndGainFocus, CWnd* pWndLoseFocus) override;
};

class COXCoolComboBox : public COXCoolCtrl<CComboBox>
{
    DECLARE_DYNAMIC(COXCoolComboBox)
public:
    COXCoolComboBox();
    virtual ~COXCoolComboBox();

    CRect GetButtonRect() const;
    COXCoolComboEdit& GetEdit() { return m_edit; }
    COXCoolCtrl<CListBox>& GetListBox() { return m_listBox; }

    virtual BOOL InitializeCoolCtrl() override;
    virtual void SetHotState(BOOL bHot) override;
    virtual BOOL OnChangeTooltipText(const CString& sText) override;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;

    // Where the arrow of the drop button goes (window-free): three points.
    static void ArrowPoints(const CRect& rectButton, BOOL bDropped, POINT pts[3]);

protected:
    virtual void PreSubclassWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void MeasureFont();
    BOOL SubclassChildren();
    BOOL IsOwnerDrawn() const;

    afx_msg void OnPaint();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnCloseUp();
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

    COXCoolComboEdit m_edit;
    COXCoolCtrl<CListBox> m_listBox;
    int m_nTextHeight = 0;
    int m_nItemHeight = 0;

    DECLARE_MESSAGE_MAP()
};
