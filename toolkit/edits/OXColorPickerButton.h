// COXColorPickerButton - a drop-down bitmap button that holds one colour,
// shows it in a band under its image and caption, and drops its colour picker
// when clicked.
#pragma once

#include "OXBitmapButton.h"
#include "OXColorPickerCtrl.h"

class COXColorPickerButton : public COXBitmapButton
{
    DECLARE_DYNAMIC(COXColorPickerButton)
public:
    COXColorPickerButton(UINT nButtons = 40, UINT nRows = 4, DWORD dwDefault = (DWORD)-1, int cxCell = 18,
                         int cyCell = 18, UINT nIDDefaultText = IDS_OX_COLORPICKER_DEFAULT,
                       UINT nIDCustomText = IDS_OX_COLORPICKER_CUSTOM);
    virtual ~COXColorPickerButton();

    // CLR_DEFAULT (0xFF000000) stands for the picker's default colour.
    void SetColor(COLORREF clr, BOOL bRedraw = TRUE);
    COLORREF GetColor() const { return m_clr; }
    COLORREF GetDefaultColor() const { return m_colorPicker.GetDefaultValue(); }
    void SetColorBandHeight(int nHeight) { m_nColorBandHeight = nHeight; }
    int GetColorBandHeight() const { return m_nColorBandHeight; }
    COXColorPickerCtrl* GetColorPickerCtrl() { return &m_colorPicker; }
    // The band's rect inside a content rect (which already lacks the arrow
    // part and the band's own height).
    CRect ColorBandRect(const CRect& rectContent) const;

    virtual void PreSubclassWindow() override;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual CSize GetArrowPartSize() override;
    virtual void OnDropDown() override;
    virtual void DrawColorBand(CDC* pDC, UINT nState, CRect rect);

protected:
    BOOL CreatePicker();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnFloatPicked(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nColorBandHeight;
    COLORREF m_clr;
    COXColorPickerCtrl m_colorPicker;
};

void AFXAPI DDX_ColorPicker(CDataExchange* pDX, int nIDC, COLORREF& clr);
