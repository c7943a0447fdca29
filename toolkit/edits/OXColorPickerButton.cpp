// COXColorPickerButton - the colour button and its data exchange.
#include "OXColorPickerButton.h"

#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(COXColorPickerButton, COXBitmapButton)

BEGIN_MESSAGE_MAP(COXColorPickerButton, COXBitmapButton)
    ON_WM_CREATE()
    ON_MESSAGE(WM_OXPB_FLOATPICKED, OnFloatPicked)
END_MESSAGE_MAP()

COXColorPickerButton::COXColorPickerButton(UINT nButtons, UINT nRows, DWORD dwDefault, int cxCell, int cyCell,
                                           UINT nIDDefaultText, UINT nIDCustomText)
    : m_nColorBandHeight(5), m_clr((COLORREF)-1),
      m_colorPicker(nButtons, nRows, dwDefault, cxCell, cyCell, nIDDefaultText, nIDCustomText)
{
    SetStyleEx(OXBB_EX_DROPDOWN, TRUE);
}

COXColorPickerButton::~COXColorPickerButton()
{
    if (m_colorPicker.GetSafeHwnd())
        m_colorPicker.DestroyWindow();
    if (GetSafeHwnd())
        DestroyWindow();
}

void COXColorPickerButton::SetColor(COLORREF clr, BOOL bRedraw)
{
    m_clr = clr == CLR_DEFAULT ? GetDefaultColor() : clr;
    if (bRedraw && GetSafeHwnd())
        Invalidate();
}

BOOL COXColorPickerButton::CreatePicker()
{
    if (m_colorPicker.GetSafeHwnd())
        return TRUE;
    return m_colorPicker.Create(this, OXPB_NOTEAROFF);
}

int COXColorPickerButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COXBitmapButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    return CreatePicker() ? 0 : -1;
}

void COXColorPickerButton::PreSubclassWindow()
{
    COXBitmapButton::PreSubclassWindow();
    // A dialog's button arrives here already made, not through WM_CREATE; a
    // button being created gets its picker at WM_CREATE, outside the
    // creation hook.
    if (AfxGetThreadState()->m_pWndInit == NULL) {
        if ((GetStyle() & 0x0F) != BS_OWNERDRAW)
            ModifyStyle(0x0F, BS_OWNERDRAW);
        CreatePicker();
    }
}

CSize COXColorPickerButton::GetArrowPartSize()
{
    CSize size = COXBitmapButton::GetArrowPartSize();
    if (m_nColorBandHeight != 0)
        size.cy += m_nColorBandHeight + 2;
    return size;
}

void COXColorPickerButton::OnDropDown()
{
    m_colorPicker.SetSelectedValue(m_clr == CLR_DEFAULT ? GetDefaultColor() : m_clr);
    UINT alignment = (GetStyleEx() & OXBB_EX_DROPDOWNRIGHT) ? 1 : 3;
    if (m_colorPicker.Pick(alignment, NULL, 0, 0)) {
        m_clr = m_colorPicker.GetSelectedValue();
        if (GetSafeHwnd())
            Invalidate();
    }
}

LRESULT COXColorPickerButton::OnFloatPicked(WPARAM, LPARAM)
{
    DWORD value = m_colorPicker.GetSelectedValue();
    m_clr = value == CLR_DEFAULT ? GetDefaultColor() : value;
    Invalidate();
    CWnd* pParent = GetParent();
    if (pParent)
        pParent->SendMessage(WM_OXPB_FLOATPICKED, 0, (LPARAM)GetSafeHwnd());
    return 0;
}

CRect COXColorPickerButton::ColorBandRect(const CRect& rectContent) const
{
    CRect band = rectContent;
    band.DeflateRect(5, 0);
    band.top = rectContent.bottom - 4;
    band.bottom = band.top + m_nColorBandHeight;
    return band;
}

void COXColorPickerButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect = lpDrawItemStruct->rcItem;
    UINT nState = lpDrawItemStruct->itemState;
    if (IsWindowEnabled())
        nState &= ~ODS_DISABLED;
    else
        nState |= ODS_DISABLED;
    if (m_font.GetSafeHandle())
        pDC->SelectObject(&m_font);

    CSize arrow = GetArrowPartSize();
    CRect rectContent = rect;
    rectContent.right -= arrow.cx;
    rectContent.bottom -= arrow.cy;
    CRect rectImage, rectText;
    CalculateLayout(nState, rectContent, rectImage, rectText);

    CPalette* pOldPalette = SelectPalette(pDC, nState);
    DrawButtonFrame(pDC, nState, rect);
    DrawImage(pDC, nState, &m_imageList, rectImage);
    DrawText(pDC, nState, GetText(), rectText);
    if (HasArrowPart())
        DrawDropDownArrow(pDC, nState,
                          CRect(rectContent.right, rect.top - m_nArrowVerticalInset, rectContent.right + arrow.cx,
                                rect.bottom + m_nArrowVerticalInset));
    if (m_nColorBandHeight != 0) {
        CRect band = ColorBandRect(rectContent);
        if (rectImage.IsRectEmpty() && rectText.IsRectEmpty()) {
            // Nothing above the band: the colour takes the content's middle.
            band = rectContent;
            band.DeflateRect(5, 5);
        }
        DrawColorBand(pDC, nState, band);
    }
    if (nState & ODS_FOCUS)
        DrawFocusMark(pDC, nState, rect, rectImage, rectText);
    if (m_animateCtrl.GetSafeHwnd()) {
        m_animateCtrl.SetWindowPos(NULL, rectImage.left + 1, rectImage.top + 1, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_animateCtrl.Invalidate();
    }
    RestorePalette(pDC, pOldPalette);
}

void COXColorPickerButton::DrawColorBand(CDC* pDC, UINT nState, CRect rect)
{
    if ((nState & ODS_SELECTED) || (GetCheckState() & OXBB_STATE_CHECKED))
        rect.OffsetRect(m_pressedOffset);
    ::FrameRect(pDC->GetSafeHdc(), &rect, ::GetSysColorBrush(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    if (m_clr != (COLORREF)-1 && !(nState & ODS_DISABLED) && !rect.IsRectEmpty())
        pDC->FillSolidRect(&rect, m_clr);
}

void AFXAPI DDX_ColorPicker(CDataExchange* pDX, int nIDC, COLORREF& clr)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    COXColorPickerButton* pButton = dynamic_cast<COXColorPickerButton*>(CWnd::FromHandlePermanent(hWnd));
    if (!pButton)
        return;
    if (pDX->m_bSaveAndValidate) {
        clr = pButton->GetColor();
    } else {
        pButton->SetColor(clr == CLR_DEFAULT ? pButton->GetDefaultColor() : clr, TRUE);
    }
}
