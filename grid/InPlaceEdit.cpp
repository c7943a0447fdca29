// InPlaceEdit.cpp - the grid's in-place editor.
#include "InPlaceEdit.h"
#include "GridCellBase.h"

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_CREATE()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           CString sInitText, UINT nFirstChar)
{
    m_strInitial = sInitText;
    m_nEditRow = nRow;
    m_nEditCol = nColumn;
    m_nEndKey = 0;
    m_bArrowsEndEdit = (nFirstChar != VK_LBUTTON);   // typed into: the arrows end the edit
    m_rectWindow = rect;

    DWORD dwEditStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | dwStyle;
    if (!Create(dwEditStyle, rect, pParent, nID))
        return;

    SetFont(pParent->GetFont());
    SetWindowText(sInitText);
    SetFocus();

    // Only Tab and a space start the edit without their character (the text
    // is selected instead); every other printable character, '!' to '('
    // included, goes into the editor. Navigation keys never arrive here: an
    // editor reopened after one is started with VK_LBUTTON.
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        SetSel((int)_tcslen(m_strInitial), -1);
        return;
    case VK_BACK:
        SetSel((int)_tcslen(m_strInitial), -1);
        PostMessage(WM_CHAR, VK_BACK, 0);
        return;
    case VK_TAB:
    case VK_SPACE:
        SetSel(0, -1);
        return;
    default:
        break;
    }
    SetSel(0, -1);

    // A character arrives as a code 0-255 of the ANSI
    // code page; it is passed on as that unsigned byte, never sign-extended.
    // Codes above 127 (cp1251 letters) go as WM_IME_CHAR, the others as WM_CHAR.
    UINT nCode = (nFirstChar <= 0xFF) ? (UINT)(unsigned char)nFirstChar : nFirstChar;
    PostMessage(nCode > 127 ? WM_IME_CHAR : WM_CHAR, (WPARAM)nCode, 0);
}

CInPlaceEdit::~CInPlaceEdit() {}

int CInPlaceEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CEdit::OnCreate(lpCreateStruct);
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_DOWN || nChar == VK_UP || nChar == VK_RIGHT ||
         nChar == VK_LEFT) &&
        (m_bArrowsEndEdit || GetKeyState(VK_CONTROL) < 0)) {
        m_nEndKey = nChar;
        GetParent()->SetFocus();
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit();
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        m_nEndKey = nChar;
        Sleep(100);
        GetParent()->SetFocus();
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_strInitial);
        m_nEndKey = nChar;
        GetParent()->SetFocus();
        return;
    }

    CEdit::OnChar(nChar, nRepCnt, nFlags);

    // Grow to the right while the text needs more room.
    CString str;
    GetWindowText(str);
    str += _T("  ");
    CWindowDC dc(this);
    CFont* pFontDC = dc.SelectObject(GetFont());
    CSize size = dc.GetTextExtent(str);
    dc.SelectObject(pFontDC);

    if (size.cx > m_rectWindow.Width()) {
        CRect ParentRect;
        GetParent()->GetClientRect(&ParentRect);
        if (size.cx + m_rectWindow.left < ParentRect.right)
            m_rectWindow.right = m_rectWindow.left + size.cx;
        else
            m_rectWindow.right = ParentRect.right;
        MoveWindow(&m_rectWindow);
    }
}

UINT CInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::EndEdit()
{
    static BOOL bAlreadyEnding = FALSE;
    if (bAlreadyEnding)
        return;
    bAlreadyEnding = TRUE;

    CString str;
    if (::IsWindow(GetSafeHwnd()))
        GetWindowText(str);

    GRIDDISPINFO dispinfo;
    dispinfo.hdr.hwndFrom = GetSafeHwnd();
    dispinfo.hdr.idFrom = GetDlgCtrlID();
    dispinfo.hdr.code = LVN_ENDLABELEDIT;
    dispinfo.item.mask = LVIF_TEXT | LVIF_PARAM;
    dispinfo.item.row = m_nEditRow;
    dispinfo.item.column = m_nEditCol;
    dispinfo.item.strText = str;
    dispinfo.item.lParam = (LPARAM)m_nEndKey;

    CWnd* pOwner = GetOwner();
    if (pOwner != NULL && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SendMessage(WM_NOTIFY, GetDlgCtrlID(), (LPARAM)&dispinfo);

    // The window is closed and the object deletes itself.
    if (::IsWindow(GetSafeHwnd()))
        SendMessage(WM_CLOSE, 0, 0);
    bAlreadyEnding = FALSE;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::PostNcDestroy()
{
    CEdit::PostNcDestroy();
    delete this;
}
