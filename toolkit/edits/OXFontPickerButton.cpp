#include "OXFontPickerButton.h"

#include <afxdlgs.h>

IMPLEMENT_DYNCREATE(COXFontPickerButton, COXBitmapButton)

// A DC for the conversions: the given one, else the screen's, released after.
class CConversionDC
{
public:
    explicit CConversionDC(CDC* pDC) : m_hScreen(pDC ? NULL : ::GetDC(NULL))
    {
        m_hDC = pDC ? (pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC) : m_hScreen;
    }
    ~CConversionDC()
    {
        if (m_hScreen)
            ::ReleaseDC(NULL, m_hScreen);
    }
    HDC m_hDC;

private:
    HDC m_hScreen;
};

int HeightToDeciPoints(int nHeight, CDC* pDC)
{
    CConversionDC dc(pDC);
    POINT origin = {0, 0};
    ::DPtoLP(dc.m_hDC, &origin, 1);
    POINT pt = {0, abs(nHeight) + origin.y};
    ::LPtoDP(dc.m_hDC, &pt, 1);
    int nLogPixels = ::GetDeviceCaps(dc.m_hDC, LOGPIXELSY);
    return nLogPixels ? pt.y * 720 / nLogPixels : 0;
}

int DeciPointsToHeight(int nDeciPoints, CDC* pDC)
{
    CConversionDC dc(pDC);
    POINT pt = {0, nDeciPoints * ::GetDeviceCaps(dc.m_hDC, LOGPIXELSY) / 720};
    POINT origin = {0, 0};
    ::DPtoLP(dc.m_hDC, &pt, 1);
    ::DPtoLP(dc.m_hDC, &origin, 1);
    return -abs(pt.y - origin.y);
}

CString COXFontPickerButton::FontDescription(const LOGFONT& lf, CDC* pDC)
{
    CString s;
    s.Format("%d pt, %s", (HeightToDeciPoints(lf.lfHeight, pDC) + 5) / 10, lf.lfFaceName);
    return s;
}

COXFontPickerButton::COXFontPickerButton() : m_pBuddy(new COXStatic)
{
}

COXFontPickerButton::~COXFontPickerButton()
{
    // The label belongs to the dialog: it outlives the button, unsubclassed.
    if (::IsWindow(m_pBuddy->GetSafeHwnd()))
        m_pBuddy->UnsubclassWindow();
    delete m_pBuddy;
}

BOOL COXFontPickerButton::AttachBuddy(HWND hWnd)
{
    if (::IsWindow(m_pBuddy->GetSafeHwnd()))
        m_pBuddy->UnsubclassWindow();
    if (!m_pBuddy->SubclassWindow(hWnd))
        return FALSE;
    if (m_pBuddy->GetTextFont())
        SetBuddyFont(m_pBuddy->GetTextFont(), TRUE);
    return TRUE;
}

BOOL COXFontPickerButton::SetBuddy(UINT nID)
{
    CWnd* pParent = GetParent();
    HWND hWnd = pParent ? ::GetDlgItem(pParent->m_hWnd, (int)nID) : NULL;
    if (hWnd == NULL)
        return FALSE;
    if (hWnd == m_pBuddy->GetSafeHwnd())
        return TRUE;
    return AttachBuddy(hWnd);
}

BOOL COXFontPickerButton::SetBuddy(CWnd* pWnd)
{
    if (pWnd == NULL || !::IsWindow(pWnd->m_hWnd) || ::GetParent(pWnd->m_hWnd) != ::GetParent(m_hWnd))
        return FALSE;
    if (pWnd == m_pBuddy)
        return TRUE;
    HWND hWnd = pWnd->m_hWnd;
    // A window that an object subclasses goes back to its own procedure first.
    if (CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->UnsubclassWindow();
    else
        pWnd->Detach();
    return AttachBuddy(hWnd);
}

BOOL COXFontPickerButton::SetBuddyFont(CFont* pFont, BOOL bRedraw)
{
    if (!::IsWindow(m_pBuddy->GetSafeHwnd()))
        return FALSE;
    LOGFONT lf;
    if (pFont && pFont->GetSafeHandle() && pFont->GetLogFont(&lf))
        m_pBuddy->SetWindowText(FontDescription(lf));
    m_pBuddy->SetTextFont(pFont, bRedraw);
    return TRUE;
}

BOOL COXFontPickerButton::SetBuddyLogFont(const LOGFONT* plf, BOOL bRedraw)
{
    if (!::IsWindow(m_pBuddy->GetSafeHwnd()))
        return FALSE;
    if (plf)
        m_pBuddy->SetWindowText(FontDescription(*plf));
    m_pBuddy->SetTextLogFont(plf, bRedraw);
    return TRUE;
}

CFont* COXFontPickerButton::GetBuddyFont() const
{
    if (!::IsWindow(m_pBuddy->GetSafeHwnd()))
        return NULL;
    return m_pBuddy->GetTextFont();
}

BOOL COXFontPickerButton::GetBuddyLogFont(LOGFONT* plf) const
{
    if (!::IsWindow(m_pBuddy->GetSafeHwnd()))
        return FALSE;
    return m_pBuddy->GetTextLogFont(plf);
}

BOOL COXFontPickerButton::SetBuddyTextColor(COLORREF clr, BOOL bRedraw)
{
    if (!::IsWindow(m_pBuddy->GetSafeHwnd()))
        return FALSE;
    m_pBuddy->SetTextColor(clr, bRedraw);
    return TRUE;
}

COLORREF COXFontPickerButton::GetBuddyTextColor() const
{
    if (!::IsWindow(m_pBuddy->GetSafeHwnd()))
        return 0xFFFFFFFF;
    return m_pBuddy->GetTextColor();
}

BOOL COXFontPickerButton::OnClicked()
{
    LOGFONT lf;
    BOOL bHasFont = GetBuddyLogFont(&lf);
    CFontDialog* pDialog = new CFontDialog(bHasFont ? &lf : NULL, CF_SCREENFONTS | CF_EFFECTS, NULL, NULL);
    pDialog->m_cf.rgbColors = GetBuddyTextColor();
    if (pDialog->DoModal() == IDOK) {
        LOGFONT lfChosen;
        pDialog->GetCurrentFont(&lfChosen);
        SetBuddyLogFont(&lfChosen, FALSE);
        SetBuddyTextColor(pDialog->GetColor(), TRUE);
    }
    delete pDialog;
    return FALSE;
}

static COXFontPickerButton* FontPickerOf(CDataExchange* pDX, int nIDC)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    return dynamic_cast<COXFontPickerButton*>(CWnd::FromHandlePermanent(hWnd));
}

void AFXAPI DDX_FontPicker(CDataExchange* pDX, int nIDC, CFont& font)
{
    COXFontPickerButton* pButton = FontPickerOf(pDX, nIDC);
    if (pButton == NULL)
        return;
    if (pDX->m_bSaveAndValidate) {
        // The caller's font is replaced only by one that exists: a button
        // without a labelled font leaves it as it was.
        LOGFONT lf;
        if (pButton->GetBuddyLogFont(&lf)) {
            font.DeleteObject();
            font.CreateFontIndirect(&lf);
        }
    } else {
        pButton->SetBuddyFont(&font, TRUE);
    }
}

void AFXAPI DDX_FontPickerColor(CDataExchange* pDX, int nIDC, COLORREF& clr)
{
    COXFontPickerButton* pButton = FontPickerOf(pDX, nIDC);
    if (pButton == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        clr = pButton->GetBuddyTextColor();
    else if (::IsWindow(pButton->GetBuddy()->GetSafeHwnd()))
        pButton->SetBuddyTextColor(clr, TRUE);
}
