// COXColorPickerCtrl - the popup bar with colour cells: each cell value is a
// COLORREF drawn as a swatch, the default button shows the default colour, the
// custom button opens the colour dialog.
#pragma once

#include "OXPopupBarCtrl.h"
#include "toolkit_res.h"

class COXColorPickerCtrl : public COXPopupBarCtrl
{
    DECLARE_DYNAMIC(COXColorPickerCtrl)
public:
    COXColorPickerCtrl(UINT nButtons = 40, UINT nRows = 4, DWORD dwDefault = (DWORD)-1, int cxCell = 18,
                       int cyCell = 18, UINT nIDDefaultText = IDS_OX_COLORPICKER_DEFAULT,
                       UINT nIDCustomText = IDS_OX_COLORPICKER_CUSTOM);

    // The 40 colours a picker without cell values of its own offers, and the
    // string ids of their names.
    static const int DEFAULT_COLOR_COUNT = 40;
    static const COLORREF s_defaultColors[DEFAULT_COLOR_COUNT];
    static const UINT s_defaultColorNames[DEFAULT_COLOR_COUNT];

    BOOL LoadSystemPalette(CPalette* pPalette);
    int SetColorsFromPalette(int nFirstIndex = 0, BOOL bUseSystemPalette = TRUE);
    int SetColorsFromPaletteIndexes(const int* pIndexes, int nCount);
    BOOL CreatePaletteFromColors(const COLORREF* pColors, int nCount, CPalette* pPalette);

    virtual BOOL Pick(UINT nAlignment = 3, CRect* pParentRect = NULL, int nOffsetHorz = 0,
                      int nOffsetVert = 0) override;
    virtual void DrawCell(CDC* pDC, int nIndex) override;
    virtual void DrawDefaultButton(CDC* pDC) override;
    virtual BOOL OnCustomButton() override;

protected:
    int ReadPalette(CPalette* pPalette, const int* pIndexes, int nCount, int nFirst);
    CPalette* SourcePalette(BOOL bUseSystemPalette, CPalette& system);
};
