// AutoRichEditCtrl.cpp - CAutoRichEditCtrl.
#include "AutoRichEditCtrl.h"

#include <afxdlgs.h>
#include <string>
#include "BCMenu.h"
#include "ControlUtils.h"
#include "controls_res.h"

IMPLEMENT_DYNAMIC(CAutoRichEditCtrl, CRichEditCtrl)

BEGIN_MESSAGE_MAP(CAutoRichEditCtrl, CRichEditCtrl)
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(ID_AUTORICHEDIT_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_AUTORICHEDIT_UNDO, OnUpdateEditUndo)
    ON_COMMAND(ID_AUTORICHEDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_AUTORICHEDIT_CUT, OnUpdateNeedsSelection)
    ON_COMMAND(ID_AUTORICHEDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_AUTORICHEDIT_COPY, OnUpdateNeedsSelection)
    ON_COMMAND(ID_AUTORICHEDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_AUTORICHEDIT_DELETE, OnEditDelete)
    ON_UPDATE_COMMAND_UI(ID_AUTORICHEDIT_DELETE, OnUpdateNeedsText)
    ON_COMMAND(ID_AUTORICHEDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_AUTORICHEDIT_SELECT_ALL, OnUpdateNeedsText)
END_MESSAGE_MAP()

namespace {

// The getters read with every attribute these helpers deal in.
const DWORD kReadMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;

struct CStreamText {
    std::string text;
    size_t nNext = 0;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    CStreamText* pStream = reinterpret_cast<CStreamText*>(dwCookie);
    size_t nLeft = pStream->text.size() - pStream->nNext;
    size_t n = cb > 0 && (size_t)cb < nLeft ? (size_t)cb : nLeft;
    memcpy(pbBuff, pStream->text.data() + pStream->nNext, n);
    pStream->nNext += n;
    *pcb = (LONG)n;
    return 0;
}

DWORD CALLBACK StreamOutCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    CString* pText = reinterpret_cast<CString*>(dwCookie);
    *pText += CString((LPCSTR)pbBuff, cb);
    *pcb = cb;
    return 0;
}

int CALLBACK CollectTrueTypeFace(const LOGFONTA* plf, const TEXTMETRICA*, DWORD dwType, LPARAM lParam)
{
    if (dwType == TRUETYPE_FONTTYPE)
        reinterpret_cast<CStringArray*>(lParam)->Add(plf->lfFaceName);
    return 1;
}

}  // namespace

CAutoRichEditCtrl::CAutoRichEditCtrl() {}

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

void CAutoRichEditCtrl::SetRTF(const CString& strRTF)
{
    CStreamText stream;
    stream.text.assign((LPCSTR)strRTF, (size_t)strRTF.GetLength());
    EDITSTREAM es = {};
    es.dwCookie = (DWORD_PTR)&stream;
    es.pfnCallback = StreamInCallback;
    StreamIn(SF_RTF, es);
}

CString CAutoRichEditCtrl::GetRTF()
{
    CString strRTF;
    EDITSTREAM es = {};
    es.dwCookie = (DWORD_PTR)&strRTF;
    es.pfnCallback = StreamOutCallback;
    StreamOut(SF_RTF, es);
    return strRTF;
}

// ---------------------------------------------------------------------------
// Character format
// ---------------------------------------------------------------------------

CHARFORMAT CAutoRichEditCtrl::GetCharFormat()
{
    CHARFORMAT cf;
    memset(&cf, 0, sizeof(cf));
    cf.cbSize = sizeof(cf);
    cf.dwMask = kReadMask;
    GetSelectionCharFormat(cf);
    return cf;
}

void CAutoRichEditCtrl::ToggleEffect(DWORD dwMaskAndEffect)
{
    CHARFORMAT cf = GetCharFormat();
    if (cf.dwMask & dwMaskAndEffect)
        cf.dwEffects ^= dwMaskAndEffect;
    else
        cf.dwEffects |= dwMaskAndEffect;
    cf.dwMask = dwMaskAndEffect;
    SetSelectionCharFormat(cf);
}

void CAutoRichEditCtrl::SetSelectionBold() { ToggleEffect(CFM_BOLD); }
void CAutoRichEditCtrl::SetSelectionItalic() { ToggleEffect(CFM_ITALIC); }
void CAutoRichEditCtrl::SetSelectionUnderlined() { ToggleEffect(CFM_UNDERLINE); }
BOOL CAutoRichEditCtrl::SelectionIsBold() { return (GetCharFormat().dwEffects & CFE_BOLD) != 0; }
BOOL CAutoRichEditCtrl::SelectionIsItalic() { return (GetCharFormat().dwEffects & CFE_ITALIC) != 0; }
BOOL CAutoRichEditCtrl::SelectionIsUnderlined() { return (GetCharFormat().dwEffects & CFE_UNDERLINE) != 0; }

void CAutoRichEditCtrl::SetColour(COLORREF crColour)
{
    CHARFORMAT cf = GetCharFormat();
    cf.dwEffects &= ~CFE_AUTOCOLOR;
    cf.crTextColor = crColour;
    cf.dwMask = CFM_COLOR;
    SetSelectionCharFormat(cf);
}

void CAutoRichEditCtrl::SelectColor()
{
    CHARFORMAT cf = GetCharFormat();
    CColorDialog dlg(RGB(0, 0, 0), 0, this);
    if (dlg.DoModal() == IDOK) {
        SetColour(dlg.GetColor());
        return;
    }
    // A selection of several colours has none to write back.
    if (!(cf.dwMask & CFM_COLOR))
        return;
    cf.dwEffects &= ~CFE_AUTOCOLOR;
    cf.dwMask = CFM_COLOR;
    SetSelectionCharFormat(cf);
}

void CAutoRichEditCtrl::SetFontName(const CString& strFontName)
{
    CHARFORMAT cf = GetCharFormat();
    memset(cf.szFaceName, 0, sizeof(cf.szFaceName));
    for (int i = 0; i < strFontName.GetLength() && i < LF_FACESIZE - 1; ++i)
        cf.szFaceName[i] = strFontName[i];
    cf.dwMask = CFM_FACE;
    SetSelectionCharFormat(cf);
}

CString CAutoRichEditCtrl::GetFontName()
{
    CHARFORMAT cf = GetCharFormat();
    return CString(cf.szFaceName);
}

void CAutoRichEditCtrl::SetFontSize(int nPointSize)
{
    CHARFORMAT cf = GetCharFormat();
    cf.yHeight = (LONG)nPointSize * 20;
    cf.dwMask = CFM_SIZE;
    SetSelectionCharFormat(cf);
}

long CAutoRichEditCtrl::GetFontSize()
{
    return GetCharFormat().yHeight / 20;
}

// ---------------------------------------------------------------------------
// Paragraph format
// ---------------------------------------------------------------------------

PARAFORMAT CAutoRichEditCtrl::GetParagraphFormat()
{
    PARAFORMAT pf;
    memset(&pf, 0, sizeof(pf));
    pf.cbSize = sizeof(pf);
    pf.dwMask = PFM_ALIGNMENT | PFM_NUMBERING;
    GetParaFormat(pf);
    return pf;
}

void CAutoRichEditCtrl::SetParagraphAlignment(WORD wAlignment)
{
    PARAFORMAT pf = GetParagraphFormat();
    pf.dwMask = PFM_ALIGNMENT;
    pf.wAlignment = wAlignment;
    SetParaFormat(pf);
}

void CAutoRichEditCtrl::SetParagraphLeft() { SetParagraphAlignment(PFA_LEFT); }
void CAutoRichEditCtrl::SetParagraphCenter() { SetParagraphAlignment(PFA_CENTER); }
void CAutoRichEditCtrl::SetParagraphRight() { SetParagraphAlignment(PFA_RIGHT); }
BOOL CAutoRichEditCtrl::ParagraphIsLeft() { return GetParagraphFormat().wAlignment == PFA_LEFT; }
BOOL CAutoRichEditCtrl::ParagraphIsCentered() { return GetParagraphFormat().wAlignment == PFA_CENTER; }
BOOL CAutoRichEditCtrl::ParagraphIsRight() { return GetParagraphFormat().wAlignment == PFA_RIGHT; }

void CAutoRichEditCtrl::SetParagraphBulleted()
{
    PARAFORMAT pf = GetParagraphFormat();
    if ((pf.dwMask & PFM_NUMBERING) && pf.wNumbering == PFN_BULLET) {
        pf.wNumbering = 0;
        pf.dxStartIndent = 0;
        pf.dxOffset = 0;
        pf.dwMask = PFM_NUMBERING | PFM_STARTINDENT | PFM_OFFSET;
    } else {
        pf.wNumbering = PFN_BULLET;
        pf.dwMask = PFM_NUMBERING;
        if (pf.dxOffset == 0) {
            pf.dxOffset = 4;
            pf.dwMask = PFM_NUMBERING | PFM_STARTINDENT | PFM_OFFSET;
        }
    }
    SetParaFormat(pf);
}

BOOL CAutoRichEditCtrl::ParagraphIsBulleted()
{
    return GetParagraphFormat().wNumbering == PFN_BULLET;
}

void CAutoRichEditCtrl::GetSystemFonts()
{
    CDC* pDC = GetDC();
    if (pDC == NULL)
        return;
    ::EnumFontsA(pDC->GetSafeHdc(), NULL, (FONTENUMPROCA)CollectTrueTypeFace, (LPARAM)&m_saFontList);
    ReleaseDC(pDC);
}

// ---------------------------------------------------------------------------
// Context menu and its commands
// ---------------------------------------------------------------------------

void CAutoRichEditCtrl::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    BCMenu menu;
    if (!menu.LoadMenu(IDR_AUTORICHEDIT_MENU))
        return;
    menu.LoadToolbar(IDR_AUTORICHEDIT_TOOLBAR);
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    // From the keyboard the point is (-1, -1): the menu opens at the caret.
    if (point.x == -1 && point.y == -1) {
        point = GetCaretPos();
        ClientToScreen(&point);
    }
    ::SetCursor(NULL);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
    menu.DestroyMenu();
}

// The control is the menu's owner: it updates the items itself, as a frame
// would for its own menus.
void CAutoRichEditCtrl::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    (void)nIndex;
    if (bSysMenu)
        return;
    AfxUpdatePopupMenu(this, pPopupMenu, FALSE);
    if (BCMenu::IsKnownMenu(pPopupMenu))
        BCMenu::UpdateMenu(pPopupMenu);
}

void CAutoRichEditCtrl::OnEditUndo() { SendMessage(EM_UNDO); }
void CAutoRichEditCtrl::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(CanUndo()); }
void CAutoRichEditCtrl::OnEditCut() { SendMessage(WM_CUT); }
void CAutoRichEditCtrl::OnEditCopy() { SendMessage(WM_COPY); }
void CAutoRichEditCtrl::OnUpdateNeedsSelection(CCmdUI* pCmdUI) { pCmdUI->Enable(!GetSelText().IsEmpty()); }

// The clipboard's text takes the place of the selection (at the caret when
// nothing is selected), as a step the user can undo; a clipboard without
// text leaves the text alone.
void CAutoRichEditCtrl::OnEditPaste()
{
    CString strText;
    if (GetClipboardText(strText))
        ReplaceSel(strText, TRUE);
}

void CAutoRichEditCtrl::OnEditDelete() { SendMessage(WM_CLEAR); }

void CAutoRichEditCtrl::OnEditSelectAll() { SetSel(0, -1); }

void CAutoRichEditCtrl::OnUpdateNeedsText(CCmdUI* pCmdUI) { pCmdUI->Enable(GetWindowTextLength() > 0); }
