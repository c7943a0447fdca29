// The four colour buttons as the grid column set-up dialog builds them: 40
// cells in 4 rows, no default colour, 18 x 18 cells, the toolkit's default
// and custom captions; each exchanged with a COLORREF through DDX_ColorPicker.
#pragma once

#include <afxwin.h>

#include "OXColorPickerButton.h"
#include "gallery_res.h"

class CColorButtonsDialog : public CDialog
{
public:
    enum { IDD = IDD_GALLERY_COLOR_BUTTONS };
    explicit CColorButtonsDialog(CWnd* pParent = NULL);

    COXColorPickerButton m_btnBackground;
    COXColorPickerButton m_btnTextBackground;
    COXColorPickerButton m_btnText;
    COXColorPickerButton m_btnGridLines;
    COLORREF m_clrBackground = RGB(255, 255, 255);
    COLORREF m_clrTextBackground = RGB(255, 255, 224);
    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrGridLines = RGB(192, 192, 192);

    // Modeless dialogs (the gallery's) delete themselves when closed.
    BOOL m_bDeleteOnClose = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;
};
