// COXFontPickerButton: a bitmap button that chooses a font and a text colour
// with the common font dialog. The choice is kept by a buddy label (a
// COXStatic, attached with SetBuddy) that shows "<size> pt, <face>" in that
// very font and colour.
#pragma once

#include "OXBitmapButton.h"
#include "OXStatic.h"

class COXFontPickerButton : public COXBitmapButton
{
    DECLARE_DYNCREATE(COXFontPickerButton)
public:
    COXFontPickerButton();
    virtual ~COXFontPickerButton();

    BOOL SetBuddy(UINT nID);
    BOOL SetBuddy(CWnd* pWnd);
    COXStatic* GetBuddy() const { return m_pBuddy; }

    BOOL SetBuddyFont(CFont* pFont, BOOL bRedraw = TRUE);
    BOOL SetBuddyLogFont(const LOGFONT* plf, BOOL bRedraw = TRUE);
    CFont* GetBuddyFont() const;
    BOOL GetBuddyLogFont(LOGFONT* plf) const;
    BOOL SetBuddyTextColor(COLORREF clr, BOOL bRedraw = TRUE);
    COLORREF GetBuddyTextColor() const;

    // "%d pt, %s": the point size (rounded to whole points) and the face.
    static CString FontDescription(const LOGFONT& lf, CDC* pDC = NULL);

    virtual BOOL OnClicked() override;

protected:
    BOOL AttachBuddy(HWND hWnd);

    COXStatic* m_pBuddy;
};

void AFXAPI DDX_FontPicker(CDataExchange* pDX, int nIDC, CFont& font);
void AFXAPI DDX_FontPickerColor(CDataExchange* pDX, int nIDC, COLORREF& clr);

// A font height in logical units and tenths of a point, on a DC (its
// attribute context) or, when it is null, on the screen.
int HeightToDeciPoints(int nHeight, CDC* pDC = NULL);
int DeciPointsToHeight(int nDeciPoints, CDC* pDC = NULL);
