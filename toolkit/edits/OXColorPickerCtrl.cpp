// COXColorPickerCtrl - the colour popup bar.
#include "OXColorPickerCtrl.h"

#include <afxdlgs.h>
#include <algorithm>
#include <vector>

const COLORREF COXColorPickerCtrl::s_defaultColors[DEFAULT_COLOR_COUNT] = {
    0x000000, 0x2A2AA5, 0x404000, 0x005500, 0x5E0000, 0x8B0000, 0x82004B, 0x282828,
    0x00008B, 0x2068FF, 0x008B8B, 0x009300, 0x8E8E38, 0xFF0000, 0xC07B7B, 0x666666,
    0x0000FF, 0x5BADFF, 0x32CD32, 0x71B33C, 0xD4FF7F, 0xC09E7D, 0x800080, 0x7F7F7F,
    0xCBC0FF, 0x00D7FF, 0x00FFFF, 0x00FF00, 0xD0E040, 0xFFFFC0, 0x480048, 0xC0C0C0,
    0xE1E4FF, 0x8CB4D2, 0xE0FFFF, 0x98FB98, 0xEEEEAF, 0x8B8368, 0xFAE6E6, 0xFFFFFF,
};

// Cells 16 and 24 (the two middle greys) carry each other's place in the run.
const UINT COXColorPickerCtrl::s_defaultColorNames[DEFAULT_COLOR_COUNT] = {
    26540, 26541, 26542, 26543, 26544, 26545, 26546, 26547, 26548, 26549, 26550, 26551, 26552, 26553,
    26554, 26563, 26556, 26557, 26558, 26559, 26560, 26561, 26562, 26555, 26564, 26565, 26566, 26567,
    26568, 26569, 26570, 26571, 26572, 26573, 26574, 26575, 26576, 26577, 26578, 26579,
};

namespace {

// A colour given relative to the selected palette.
COLORREF PaletteColour(DWORD value)
{
    return 0x02000000 | (value & 0x00FFFFFF);
}

}  // namespace

IMPLEMENT_DYNAMIC(COXColorPickerCtrl, COXPopupBarCtrl)

COXColorPickerCtrl::COXColorPickerCtrl(UINT nButtons, UINT nRows, DWORD dwDefault, int cxCell, int cyCell,
                                       UINT nIDDefaultText, UINT nIDCustomText)
    : COXPopupBarCtrl(nButtons, nRows, dwDefault, cxCell, cyCell, nIDDefaultText, nIDCustomText)
{
}

BOOL COXColorPickerCtrl::CreatePaletteFromColors(const COLORREF* pColors, int nCount, CPalette* pPalette)
{
    nCount = std::min(nCount, 256);
    if (nCount <= 0)
        return FALSE;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + nCount * sizeof(PALETTEENTRY));
    LOGPALETTE* pLog = (LOGPALETTE*)buffer.data();
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)nCount;
    for (int i = 0; i < nCount; ++i) {
        pLog->palPalEntry[i].peRed = GetRValue(pColors[i]);
        pLog->palPalEntry[i].peGreen = GetGValue(pColors[i]);
        pLog->palPalEntry[i].peBlue = GetBValue(pColors[i]);
        pLog->palPalEntry[i].peFlags = 0;
    }
    pPalette->DeleteObject();
    return pPalette->CreatePalette(pLog);
}

BOOL COXColorPickerCtrl::LoadSystemPalette(CPalette* pPalette)
{
    HDC hdc = ::GetDC(NULL);
    if (!hdc)
        return FALSE;
    BOOL ok = FALSE;
    if (::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) {
        int n = ::GetDeviceCaps(hdc, SIZEPALETTE);
        if (n == 0)
            n = ::GetDeviceCaps(hdc, NUMCOLORS);
        if (n > 0) {
            std::vector<BYTE> buffer(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
            LOGPALETTE* pLog = (LOGPALETTE*)buffer.data();
            pLog->palVersion = 0x300;
            pLog->palNumEntries = (WORD)n;
            ::GetSystemPaletteEntries(hdc, 0, n, pLog->palPalEntry);
            pPalette->DeleteObject();
            ok = pPalette->CreatePalette(pLog);
        }
    }
    ::ReleaseDC(NULL, hdc);
    return ok;
}

int COXColorPickerCtrl::ReadPalette(CPalette* pPalette, const int* pIndexes, int nCount, int nFirst)
{
    CArray<DWORD, DWORD> values;
    for (int i = 0; i < nCount; ++i) {
        PALETTEENTRY e;
        UINT index = pIndexes ? (UINT)pIndexes[i] : (UINT)(nFirst + i);
        if (pPalette->GetPaletteEntries(index, 1, &e) == 1)
            values.Add(RGB(e.peRed, e.peGreen, e.peBlue));
    }
    SetCellValues(values);
    return (int)values.GetSize();
}

// The system palette when asked for and there is one, else the screen's
// current palette.
CPalette* COXColorPickerCtrl::SourcePalette(BOOL bUseSystemPalette, CPalette& system)
{
    if (bUseSystemPalette && LoadSystemPalette(&system))
        return &system;
    HDC hdc = ::GetDC(NULL);
    HPALETTE hCurrent = (HPALETTE)::GetCurrentObject(hdc, OBJ_PAL);
    ::ReleaseDC(NULL, hdc);
    return CPalette::FromHandle(hCurrent);
}

int COXColorPickerCtrl::SetColorsFromPalette(int nFirstIndex, BOOL bUseSystemPalette)
{
    CPalette system;
    return ReadPalette(SourcePalette(bUseSystemPalette, system), NULL, m_nButtons, nFirstIndex);
}

int COXColorPickerCtrl::SetColorsFromPaletteIndexes(const int* pIndexes, int nCount)
{
    CPalette system;
    return ReadPalette(SourcePalette(TRUE, system), pIndexes, nCount, 0);
}

BOOL COXColorPickerCtrl::Pick(UINT nAlignment, CRect* pParentRect, int nOffsetHorz, int nOffsetVert)
{
    if (m_arrData.GetSize() == 0)
        SetCellValues((const DWORD*)s_defaultColors, DEFAULT_COLOR_COUNT);
    while (m_arrData.GetSize() < m_nButtons)
        m_arrData.Add(0);
    if (m_mapToolTips.GetCount() == 0) {
        // A name that cannot be loaded is an empty tip: the picker still opens.
        OXPB_TEXTID names[DEFAULT_COLOR_COUNT];
        for (int i = 0; i < DEFAULT_COLOR_COUNT; ++i)
            names[i] = OXPB_TEXTID{s_defaultColors[i], s_defaultColorNames[i]};
        if (!SetToolTipTexts(names, DEFAULT_COLOR_COUNT))
            return FALSE;
    }
    std::vector<COLORREF> colours(m_arrData.GetData(), m_arrData.GetData() + m_arrData.GetSize());
    CreatePaletteFromColors(colours.data(), (int)colours.size(), &m_palette);
    return COXPopupBarCtrl::Pick(nAlignment, pParentRect, nOffsetHorz, nOffsetVert);
}

void COXColorPickerCtrl::DrawCell(CDC* pDC, int nIndex)
{
    if (nIndex < 1 || nIndex > m_arrCellRects.GetSize())
        return;
    CRect rect = m_arrCellRects[nIndex - 1];
    DrawItemFrame(pDC, rect, nIndex);
    rect.DeflateRect(2, 2);
    ::FrameRect(pDC->GetSafeHdc(), &rect, ::GetSysColorBrush(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    if (nIndex <= m_arrData.GetSize())
        pDC->FillSolidRect(&rect, PaletteColour(m_arrData[nIndex - 1]));
}

void COXColorPickerCtrl::DrawDefaultButton(CDC* pDC)
{
    CRect rect = m_rectDefaultButton;
    DrawItemFrame(pDC, rect, ITEM_DEFAULT);
    rect.DeflateRect(2, 2);
    ::FrameRect(pDC->GetSafeHdc(), &rect, ::GetSysColorBrush(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    if (m_dwDefault != (DWORD)-1) {
        CRect swatch(rect.left, rect.top, rect.left + rect.Height(), rect.bottom);
        rect.left += swatch.Width();
        swatch.DeflateRect(1, 1);
        ::FrameRect(pDC->GetSafeHdc(), &swatch, ::GetSysColorBrush(COLOR_BTNSHADOW));
        swatch.DeflateRect(1, 1);
        pDC->FillSolidRect(&swatch, PaletteColour(m_dwDefault));
    }
    DrawCaption(pDC, m_sDefaultText, rect);
}

BOOL COXColorPickerCtrl::OnCustomButton()
{
    ::ReleaseCapture();
    COLORREF initial = m_dwSelected == (DWORD)-1 ? RGB(0, 0, 0) : (m_dwSelected & 0x00FFFFFF);
    CColorDialog dialog(initial, CC_FULLOPEN | CC_ANYCOLOR, m_pOwner);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    SetSelectedItem(m_nButtons + 1);
    m_dwSelected = dialog.GetColor();
    return TRUE;
}
