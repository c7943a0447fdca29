#include "OXEdit.h"

#include <algorithm>
#include <string.h>

namespace {

const UINT TOOL_ID = 1;

BOOL IsKeyDown(int nVirtKey)
{
    return (::GetAsyncKeyState(nVirtKey) & 0x8000) != 0;
}

BOOL ReadClipboardText(HWND hOwner, CString& sText)
{
    if (!::OpenClipboard(hOwner))
        return FALSE;
    BOOL bRead = FALSE;
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        if (LPCSTR pszText = (LPCSTR)::GlobalLock(hData)) {
            // another program's block need not hold a terminator
            sText = CString(pszText, (int)strnlen(pszText, ::GlobalSize(hData)));
            ::GlobalUnlock(hData);
            bRead = TRUE;
        }
    }
    ::CloseClipboard();
    return bRead;
}

// Splits a mask at its first single '#': "##" stands for one literal '#', any
// further single '#' is dropped. FALSE when the mask has no single '#'.
BOOL ParseMask(LPCTSTR pszMask, CString& left, CString& right)
{
    left.Empty();
    right.Empty();
    BOOL bRight = FALSE;
    for (LPCTSTR p = pszMask; *p; ++p) {
        CString& side = bRight ? right : left;
        if (*p == '#') {
            if (p[1] == '#') {
                side += '#';
                ++p;
            } else {
                bRight = TRUE;
            }
        } else {
            side += *p;
        }
    }
    return bRight;
}

}  // namespace

IMPLEMENT_DYNCREATE(COXEdit, CEdit)

BEGIN_MESSAGE_MAP(COXEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

COXEdit::COXEdit()
    : m_clrText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_clrBack(::GetSysColor(COLOR_WINDOW)),
      m_sMask("#"),
      m_bInsertMode(TRUE),
      m_nRefreshDepth(0),
      m_bNotifyChange(TRUE),
      m_bControlSettingText(FALSE),
      m_bSettingFont(FALSE),
      m_bInitialized(FALSE),
      m_clrReadOnlyBack(::GetSysColor(COLOR_BTNFACE)),
      m_clrReadOnlyText(::GetSysColor(COLOR_GRAYTEXT)),
      m_clrBrush(CLR_NONE)
{
    SetMask("#");
}

COXEdit::~COXEdit()
{
}

// ---------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------

CString COXEdit::GetInputData() const
{
    return m_arrInputData;
}

BOOL COXEdit::SetInputData(LPCTSTR pszText, int nBeginPos)
{
    if (nBeginPos < 0 || nBeginPos > InputCount())
        return FALSE;
    int nIndex = nBeginPos;
    for (LPCTSTR p = pszText ? pszText : ""; *p; ++p, ++nIndex) {
        if (m_bInsertMode || nIndex >= m_arrInputData.GetLength())
            m_arrInputData.Insert(nIndex, *p);
        else
            m_arrInputData.SetAt(nIndex, *p);
    }
    Validate();
    RefreshText(-1);
    return TRUE;
}

void COXEdit::EmptyData(BOOL bOnlyInput)
{
    if (bOnlyInput)
        m_arrInputData.Empty();
    else
        DeleteContents();
    RefreshText(0);
}

void COXEdit::ValidationError()
{
    ::MessageBeep(MB_ICONEXCLAMATION);
}

BOOL COXEdit::GetLocaleSettings()
{
    return TRUE;
}

int COXEdit::ValidateInput()
{
    return 0;
}

void COXEdit::DeleteContents()
{
    m_arrLeftLiterals.Empty();
    m_arrRightLiterals.Empty();
    m_arrInputData.Empty();
}

BOOL COXEdit::IsInputPosition(int nPos) const
{
    return nPos >= LeftCount() && nPos < LeftCount() + InputCount();
}

BOOL COXEdit::IsInsertPosition(int nPos) const
{
    return nPos >= LeftCount() && nPos <= LeftCount() + InputCount();
}

int COXEdit::DeleteRange(int& nStart, int& nEnd)
{
    const int L = LeftCount();
    int nCount = 0;
    char chFirst = 0, chLast = 0;
    for (int nPos = nEnd - 1; nPos >= nStart; --nPos) {
        if (!IsInputPosition(nPos))
            continue;
        char ch = m_arrInputData[nPos - L];
        m_arrInputData.Delete(nPos - L);
        if (nCount == 0)
            chFirst = ch;
        chLast = ch;
        ++nCount;
    }
    // A CR LF pair is never split.
    if (nCount > 0) {
        if (chLast == '\r' && nStart - L >= 0 && nStart - L < InputCount() && m_arrInputData[nStart - L] == '\n') {
            m_arrInputData.Delete(nStart - L);
            ++nCount;
        }
        if (chFirst == '\n' && nStart > L && IsInputPosition(nStart - 1) && m_arrInputData[nStart - 1 - L] == '\r') {
            m_arrInputData.Delete(nStart - 1 - L);
            --nStart;
            ++nCount;
        }
        RefreshText(-1);
    }
    return nCount;
}

int COXEdit::InsertAt(int nPos, char ch)
{
    if (!IsInsertPosition(nPos))
        nPos = GetNextInsertPosition(nPos + 1);
    int nIndex = nPos - LeftCount();
    if (nIndex < 0 || nIndex > InputCount())
        return -1;
    m_arrInputData.Insert(nIndex, ch);
    int nShift = Validate();
    RefreshText(-1);
    return nPos + nShift;
}

int COXEdit::SetAt(int nPos, char ch)
{
    if (!IsInputPosition(nPos))
        nPos = GetNextInsertPosition(nPos + 1);
    if (!IsInputPosition(nPos))
        return -1;
    m_arrInputData.SetAt(nPos - LeftCount(), ch);
    int nShift = Validate();
    RefreshText(-1);
    return nPos + nShift;
}

int COXEdit::GetNextInsertPosition(int nPos) const
{
    const int nLast = LeftCount() + InputCount();
    for (int p = nPos; p <= nLast; ++p)
        if (IsInsertPosition(p))
            return p;
    return nLast;
}

int COXEdit::GetPrevInsertPosition(int nPos) const
{
    const int L = LeftCount();
    for (int p = std::min(nPos, L + InputCount()); p >= L; --p)
        if (IsInsertPosition(p))
            return p;
    return L;
}

void COXEdit::AdjustLiterals()
{
}

BOOL COXEdit::SetMask(LPCTSTR pszMask)
{
    if (pszMask == NULL || *pszMask == 0 || strchr(pszMask, '#') == NULL)
        return FALSE;
    CString left, right;
    if (!ParseMask(pszMask, left, right))
        return FALSE;   // the previous mask and its literals stay as they were
    DeleteContents();
    m_arrLeftLiterals = left;
    m_arrRightLiterals = right;
    m_sMask = pszMask;
    Validate();
    RefreshText(0);
    return TRUE;
}

int COXEdit::Validate()
{
    int nShift = ValidateInput();
    if (m_hWnd && (UINT)GetInputData().GetLength() > GetLimitText()) {
        m_arrInputData = m_sLastAcceptedInput;
        ValidateInput();
    }
    m_sLastAcceptedInput = GetInputData();
    return nShift;
}

int COXEdit::PosToInputIndex(int nPos) const
{
    if (nPos < LeftCount() || nPos > LeftCount() + InputCount())
        return -1;
    return nPos - LeftCount();
}

int COXEdit::InputIndexToPos(int nIndex) const
{
    if (nIndex < 0 || nIndex > InputCount())
        return -1;
    return nIndex + LeftCount();
}

// ---------------------------------------------------------------------------
// The window
// ---------------------------------------------------------------------------

BOOL COXEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CEdit::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    return InitControl();
}

void COXEdit::PreSubclassWindow()
{
    if (AfxGetThreadState()->m_pWndInit == NULL && !m_bInitialized)
        InitControl();
    CEdit::PreSubclassWindow();
}

BOOL COXEdit::InitControl()
{
    // The text is read first: reading the locale re-enters the (still empty)
    // input and so rewrites the window's text.
    CString sText;
    GetWindowText(sText);
    GetLocaleSettings();
    if (m_ttc.m_hWnd == NULL && m_ttc.Create(this)) {
        TOOLINFO ti = {};
        ti.cbSize = sizeof(ti);
        ti.hwnd = m_hWnd;
        ti.uId = TOOL_ID;
        ti.uFlags = TTF_SUBCLASS;
        GetClientRect(&ti.rect);
        ti.lpszText = (LPSTR)(LPCSTR)m_sToolTipText;
        m_ttc.SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
    }
    CopyFont();
    // The literals of a mask set before the window existed are kept; the
    // window's text becomes the input.
    DeleteContents();
    ParseMask(m_sMask, m_arrLeftLiterals, m_arrRightLiterals);
    RefreshText(0);
    SetInputData(sText, 0);
    m_bInitialized = TRUE;
    return TRUE;
}

void COXEdit::RefreshText(int nCaretPos)
{
    if (m_hWnd == NULL)
        return;
    ++m_nRefreshDepth;
    CString sText = GetModelText();
    ::SendMessage(m_hWnd, WM_SETTEXT, 0, (LPARAM)(LPCSTR)sText);
    --m_nRefreshDepth;
    ::SendMessage(m_hWnd, EM_SETMODIFY, TRUE, 0);
    if (nCaretPos >= 0)
        MoveCaretForward(nCaretPos);
}

void COXEdit::MoveCaretForward(int nPos)
{
    if (m_hWnd == NULL)
        return;
    int p = GetNextInsertPosition(nPos);
    ::SendMessage(m_hWnd, EM_SETSEL, p, p);
    ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void COXEdit::MoveCaretBackward(int nPos)
{
    if (m_hWnd == NULL)
        return;
    int p = GetPrevInsertPosition(nPos);
    ::SendMessage(m_hWnd, EM_SETSEL, p, p);
    ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

BOOL COXEdit::NotifyParent(UINT nCode)
{
    HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : NULL;
    if (hParent == NULL)
        return FALSE;
    ::SendMessage(hParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), nCode), (LPARAM)m_hWnd);
    return TRUE;
}

void COXEdit::SetTextColor(COLORREF clr, BOOL bRedraw)
{
    if (clr == m_clrText)
        return;
    m_clrText = clr;
    if (bRedraw && m_hWnd)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void COXEdit::SetBkColor(COLORREF clr, BOOL bRedraw)
{
    if (clr == m_clrBack)
        return;
    m_clrBack = clr;
    if (bRedraw && m_hWnd)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL COXEdit::SetToolTipText(LPCTSTR pszText)
{
    if (m_ttc.m_hWnd == NULL)
        return FALSE;
    m_sToolTipText = pszText ? pszText : "";
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hWnd;
    ti.uId = TOOL_ID;
    ti.lpszText = (LPSTR)(LPCSTR)m_sToolTipText;
    m_ttc.SendMessage(TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
    return TRUE;
}

BOOL COXEdit::CopyFont()
{
    HFONT hFont = m_hWnd ? (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0) : NULL;
    if (hFont == NULL)
        return TRUE;
    LOGFONT lf;
    if (::GetObject(hFont, sizeof(lf), &lf) == 0)
        return FALSE;
    if (m_font.m_hObject && (HFONT)m_font.m_hObject == hFont)
        return TRUE;
    m_font.DeleteObject();
    return m_font.CreateFontIndirect(&lf);
}

HBRUSH COXEdit::ColorBrush(COLORREF clr)
{
    if (m_brush.m_hObject == NULL || clr != m_clrBrush) {
        m_brush.DeleteObject();
        m_brush.CreateSolidBrush(clr);
        m_clrBrush = clr;
    }
    return (HBRUSH)m_brush.m_hObject;
}

HBRUSH COXEdit::CtlColor(CDC* pDC, UINT)
{
    COLORREF clrText = m_clrText, clrBack = m_clrBack;
    if (!IsWindowEnabled()) {
        clrText = ::GetSysColor(COLOR_GRAYTEXT);
        clrBack = ::GetSysColor(COLOR_BTNFACE);
    } else if (GetStyle() & ES_READONLY) {
        clrText = m_clrReadOnlyText;
        clrBack = m_clrReadOnlyBack;
    }
    pDC->SetTextColor(clrText);
    pDC->SetBkColor(clrBack);
    if (m_font.m_hObject)
        pDC->SelectObject(&m_font);
    return ColorBrush(clrBack);
}

BOOL COXEdit::PreTranslateMessage(MSG* pMsg)
{
    if (m_ttc.m_hWnd) {
        m_ttc.SendMessage(TTM_ACTIVATE, TRUE, 0);
        m_ttc.SendMessage(TTM_RELAYEVENT, 0, (LPARAM)pMsg);
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void COXEdit::OnKeyDown(UINT nChar, WPARAM wParam, LPARAM lParam)
{
    const BOOL bShift = IsKeyDown(VK_SHIFT);
    const BOOL bCtrl = IsKeyDown(VK_CONTROL);
    int s = 0, e = 0;
    switch (nChar) {
    case VK_HOME:
    case VK_END:
        CEdit::WindowProc(WM_KEYDOWN, wParam, lParam);
        GetSel(s, e);
        if (!bShift && !IsInsertPosition(s)) {
            if (nChar == VK_HOME)
                MoveCaretForward(s);
            else
                MoveCaretBackward(s);
        }
        return;
    case VK_LEFT:
    case VK_UP:
        CEdit::WindowProc(WM_KEYDOWN, wParam, lParam);
        GetSel(s, e);
        if (!bShift)
            MoveCaretBackward(s);
        return;
    case VK_RIGHT:
    case VK_DOWN:
        CEdit::WindowProc(WM_KEYDOWN, wParam, lParam);
        GetSel(s, e);
        if (!bShift)
            MoveCaretForward(e);
        return;
    case VK_INSERT:
        if (!bShift && !bCtrl)
            m_bInsertMode = !m_bInsertMode;
        else
            CEdit::WindowProc(WM_KEYDOWN, wParam, lParam);
        return;
    case VK_DELETE:
        if (bShift) {
            CEdit::WindowProc(WM_KEYDOWN, wParam, lParam);
            return;
        }
        GetSel(s, e);
        if (s == e)
            ++e;
        while (DeleteRange(s, e) == 0) {
            if (e > LeftCount() + InputCount())
                return;
            ++s;
            ++e;
        }
        RefreshText(s);
        return;
    default:
        CEdit::WindowProc(WM_KEYDOWN, wParam, lParam);
    }
}

void COXEdit::OnCharTyped(UINT nChar, WPARAM wParam, LPARAM lParam)
{
    // Bytes of 0x80 and above (Cyrillic letters in code page 1251) are
    // characters like any other: never read as negative.
    char ch = (char)(BYTE)nChar;
    int s = 0, e = 0;
    GetSel(s, e);
    if (ch == '\n') {
        if (!IsMultiLine()) {
            CEdit::WindowProc(WM_CHAR, wParam, lParam);
            return;
        }
        ch = '\r';
    } else if ((BYTE)ch < 32 && ch != '\b' && ch != '\r') {
        CEdit::WindowProc(WM_CHAR, wParam, lParam);
        return;
    } else if (ch == '\r' && !(IsMultiLine() && (GetStyle() & ES_WANTRETURN))) {
        CEdit::WindowProc(WM_CHAR, wParam, lParam);
        return;
    }

    if (ch == '\b') {
        if (s == e) {
            while (s > 0 && s == e) {
                --s;
                if (DeleteRange(s, e) > 0) {
                    RefreshText(s);
                    return;
                }
                --e;
            }
        } else if (DeleteRange(s, e) > 0) {
            RefreshText(s);
        } else {
            while (s > 0) {
                --s;
                if (DeleteRange(s, e) > 0) {
                    RefreshText(s);
                    return;
                }
                --e;
            }
        }
        return;
    }

    int r;
    if (s == e) {
        if ((GetStyle() & ES_NUMBER) && ch != '\r' && !(ch >= '0' && ch <= '9')) {
            CEdit::WindowProc(WM_CHAR, wParam, lParam);
            return;
        }
        if (!IsInsertPosition(s)) {
            ValidationError();
            MoveCaretForward(s);
            return;
        }
        r = m_bInsertMode ? InsertAt(s, ch) : SetAt(s, ch);
    } else {
        if (DeleteRange(s, e) == 0) {
            ValidationError();
            MoveCaretForward(s);
            return;
        }
        r = InsertAt(s, ch);
    }
    if (ch == '\r' && r >= 0)
        r = InsertAt(r + 1, '\n');
    if (r >= 0) {
        RefreshText(r + 1);
    } else {
        ValidationError();
        RefreshText(s);
    }
}

// A single-line edit control announces every text it is given with EN_UPDATE
// and EN_CHANGE of its own. For a rebuild of the text those are kept from the
// parent: the edit sends its own, and EN_CHANGE only when the input changed
// from within.
BOOL COXEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_bControlSettingText && message == WM_COMMAND &&
        (HIWORD(wParam) == EN_UPDATE || HIWORD(wParam) == EN_CHANGE))
        return TRUE;
    return CEdit::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT COXEdit::OnSetText(WPARAM wParam, LPARAM lParam)
{
    if (m_nRefreshDepth > 0) {
        m_bControlSettingText = TRUE;
        LRESULT lResult = CEdit::WindowProc(WM_SETTEXT, wParam, lParam);
        m_bControlSettingText = FALSE;
        NotifyParent(EN_UPDATE);
        if (m_bNotifyChange)
            NotifyParent(EN_CHANGE);
        return lResult;
    }
    CString sText = lParam ? (LPCSTR)lParam : "";
    m_arrInputData.Empty();
    m_bNotifyChange = FALSE;
    SetInputData(sText, 0);
    m_bNotifyChange = TRUE;
    return TRUE;
}

// The clipboard's text goes into the input in place of the part of the
// selection that covers input: a selection reaching into the literals never
// takes literal characters into the input. Pasted text that brings back the
// selected literals themselves (a whole text copied from such an edit) leaves
// them out. A single-line edit takes the text up to its first line break, as
// the control itself would.
void COXEdit::OnPaste()
{
    CString sPasted;
    if (!ReadClipboardText(m_hWnd, sPasted))
        return;
    if (!IsMultiLine()) {
        int nBreak = sPasted.FindOneOf("\r\n");
        if (nBreak >= 0)
            sPasted = sPasted.Left(nBreak);
    }
    int s = 0, e = 0;
    GetSel(s, e);
    const int nInputEnd = LeftCount() + InputCount();
    const CString sLeftSelected = s < LeftCount() ? m_arrLeftLiterals.Mid(s) : CString();
    const CString sRightSelected = e > nInputEnd ? m_arrRightLiterals.Left(e - nInputEnd) : CString();
    if (!sLeftSelected.IsEmpty() && sPasted.Left(sLeftSelected.GetLength()) == sLeftSelected)
        sPasted = sPasted.Mid(sLeftSelected.GetLength());
    if (!sRightSelected.IsEmpty() && sPasted.Right(sRightSelected.GetLength()) == sRightSelected)
        sPasted = sPasted.Left(sPasted.GetLength() - sRightSelected.GetLength());
    const int nFrom = std::min(std::max(s - LeftCount(), 0), InputCount());
    const int nTo = std::min(std::max(e - LeftCount(), nFrom), InputCount());
    CString sInput = m_arrInputData.Left(nFrom) + sPasted + m_arrInputData.Mid(nTo);
    EmptyData(TRUE);
    SetInputData(sInput, 0);
    int p = GetNextInsertPosition(s);
    ::SendMessage(m_hWnd, EM_SETSEL, p, p);
}

void COXEdit::OnCutOrClear(UINT message, WPARAM wParam, LPARAM lParam)
{
    int s = 0, e = 0;
    GetSel(s, e);
    CEdit::WindowProc(message, wParam, lParam);
    DeleteRange(s, e);
    RefreshText(s);
}

LRESULT COXEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const BOOL bReadOnly = m_hWnd && (GetStyle() & ES_READONLY);
    switch (message) {
    case WM_KEYDOWN:
        if (bReadOnly)
            break;
        OnKeyDown((UINT)wParam, wParam, lParam);
        return 0;
    case WM_CHAR:
        if (bReadOnly)
            break;
        OnCharTyped((UINT)wParam, wParam, lParam);
        return 0;
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_PASTE:
        if (bReadOnly)
            break;
        OnPaste();
        return 0;
    case WM_CUT:
    case WM_CLEAR:
        if (bReadOnly)
            break;
        OnCutOrClear(message, wParam, lParam);
        return 0;
    case WM_SETFOCUS: {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        int s = 0, e = 0;
        GetSel(s, e);
        if (s == 0 && e == GetWindowTextLength())
            MoveCaretForward(0);
        if (m_font.m_hObject) {
            m_bSettingFont = TRUE;
            SendMessage(WM_SETFONT, (WPARAM)m_font.m_hObject, TRUE);
            m_bSettingFont = FALSE;
        }
        return lResult;
    }
    case WM_LBUTTONDOWN: {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        int s = 0, e = 0;
        GetSel(s, e);
        if (s == e && !IsInsertPosition(s))
            MoveCaretForward(0);
        return lResult;
    }
    case WM_SIZE: {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        if (m_ttc.m_hWnd) {
            CRect rect;
            GetWindowRect(&rect);
            char szText[256];
            lstrcpyn(szText, m_sToolTipText, sizeof(szText));
            TOOLINFO ti = {};
            ti.cbSize = sizeof(ti);
            ti.hwnd = m_hWnd;
            ti.uId = TOOL_ID;
            ti.uFlags = TTF_SUBCLASS;
            ti.rect = CRect(0, 0, rect.Width(), rect.Height());
            ti.lpszText = szText;
            m_ttc.SendMessage(TTM_SETTOOLINFO, 0, (LPARAM)&ti);
        }
        return lResult;
    }
    case WM_DESTROY:
        if (m_ttc.m_hWnd) {
            TOOLINFO ti = {};
            ti.cbSize = sizeof(ti);
            ti.hwnd = m_hWnd;
            ti.uId = TOOL_ID;
            m_ttc.SendMessage(TTM_DELTOOL, 0, (LPARAM)&ti);
            m_ttc.DestroyWindow();
        }
        break;
    case WM_SETTINGCHANGE: {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        CString sInput = GetInputData();
        GetLocaleSettings();
        EmptyData(TRUE);
        SetInputData(sInput, 0);
        return lResult;
    }
    case WM_SETFONT: {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        if (!m_bSettingFont)
            CopyFont();
        return lResult;
    }
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
