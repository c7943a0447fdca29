#include "OXMaskedEdit.h"

#include <algorithm>

namespace {

// Posted to an edit that must take the focus back after a failed check.
const UINT WM_OX_MASKED_REFOCUS = WM_APP + 0x0E1;

// The edit taking the focus back: the focus leaving another edit meanwhile
// is not checked, so two invalid edits cannot take it from each other.
HWND g_hRefocusing = NULL;

char LocaleChar(LCTYPE type, char chDefault)
{
    char szText[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, NULL, 0) > 0 &&
        ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, szText, sizeof(szText)) > 0 && szText[0])
        return szText[0];
    return chDefault;
}

BOOL IsKeyDown(int nVirtKey)
{
    return (::GetAsyncKeyState(nVirtKey) & 0x8000) != 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// CMaskData
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMaskData, CObject)

// Letters of code page 1251 (bytes 0xC0-0xFF and a few more) are letters:
// the system's tests take the byte as unsigned.
BOOL CMaskData::IsValidInput(char ch) const
{
    const BYTE b = (BYTE)ch;
    switch (m_eType) {
    case OXMASK_DIGIT:
        return b >= '0' && b <= '9';
    case OXMASK_ALPHANUMERIC:
        return ::IsCharAlphaNumericA((CHAR)b);
    case OXMASK_ALPHA:
    case OXMASK_ALPHA_UPPER:
    case OXMASK_ALPHA_LOWER:
        return ::IsCharAlphaA((CHAR)b);
    case OXMASK_CHARACTER:
        return b >= 0x20 && b <= 0x7E;
    default:
        return FALSE;
    }
}

char CMaskData::PreProcessChar(char ch) const
{
    if (m_eType == OXMASK_ALPHA_UPPER)
        return (char)(BYTE)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)ch);
    if (m_eType == OXMASK_ALPHA_LOWER)
        return (char)(BYTE)(UINT_PTR)::CharLowerA((LPSTR)(UINT_PTR)(BYTE)ch);
    return ch;
}

// ---------------------------------------------------------------------------
// The cells
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COXMaskedEdit, CEdit)

BEGIN_MESSAGE_MAP(COXMaskedEdit, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocusReflect)
END_MESSAGE_MAP()

COXMaskedEdit::COXMaskedEdit(LPCTSTR pszMask)
    : m_listData(10),
      m_bInsertMode(TRUE),
      m_chPromptSymbol(' '),
      m_chDecimalSeparator('.'),
      m_chThousandsSeparator(','),
      m_chTimeSeparator(':'),
      m_chDateSeparator('/'),
      m_nRefreshDepth(0),
      m_bRefocusPending(FALSE)
{
    m_chDecimalSeparator = LocaleChar(LOCALE_SDECIMAL, m_chDecimalSeparator);
    m_chThousandsSeparator = LocaleChar(LOCALE_STHOUSAND, m_chThousandsSeparator);
    m_chTimeSeparator = LocaleChar(LOCALE_STIME, m_chTimeSeparator);
    m_chDateSeparator = LocaleChar(LOCALE_SDATE, m_chDateSeparator);
    SetMask(pszMask);
}

COXMaskedEdit::~COXMaskedEdit()
{
    DeleteContents();
}

CMaskData* COXMaskedEdit::Cell(int nPos) const
{
    if (nPos < 0 || nPos >= GetCellCount())
        return NULL;
    return m_listData.GetAt(m_listData.FindIndex(nPos));
}

BOOL COXMaskedEdit::IsPlain() const
{
    return m_listData.IsEmpty() || (m_hWnd && (GetStyle() & ES_READONLY));
}

void COXMaskedEdit::SetMask(LPCTSTR pszMask)
{
    DeleteContents();
    for (LPCTSTR p = pszMask ? pszMask : ""; *p; ++p) {
        CMaskData* pCell = new CMaskData;
        switch (*p) {
        case '.': pCell->m_eType = OXMASK_DECIMAL; pCell->m_chValue = m_chDecimalSeparator; break;
        case ',': pCell->m_eType = OXMASK_THOUSANDS; pCell->m_chValue = m_chThousandsSeparator; break;
        case ':': pCell->m_eType = OXMASK_TIME; pCell->m_chValue = m_chTimeSeparator; break;
        case '/': pCell->m_eType = OXMASK_DATE; pCell->m_chValue = m_chDateSeparator; break;
        case '#': pCell->m_eType = OXMASK_DIGIT; break;
        case 'A': pCell->m_eType = OXMASK_ALPHANUMERIC; break;
        case '?': pCell->m_eType = OXMASK_ALPHA; break;
        case '>': pCell->m_eType = OXMASK_ALPHA_UPPER; break;
        case '<': pCell->m_eType = OXMASK_ALPHA_LOWER; break;
        case '&': pCell->m_eType = OXMASK_CHARACTER; break;
        case '\\':
            // a backslash at the very end has nothing to escape and adds nothing
            if (p[1] == 0) {
                delete pCell;
                continue;
            }
            ++p;
            pCell->m_eType = OXMASK_LITERAL_ESCAPE;
            pCell->m_chValue = *p;
            break;
        default: pCell->m_eType = OXMASK_LITERAL; pCell->m_chValue = *p; break;
        }
        if (pCell->IsInputData())
            pCell->m_chValue = m_chPromptSymbol;
        m_listData.AddTail(pCell);
    }
    RefreshText(0);
    if (m_hWnd)
        SendMessage(EM_SETMODIFY, FALSE);
}

CString COXMaskedEdit::GetMask() const
{
    static const char s_classChars[] = ".,:/#A?><&";
    CString sMask;
    for (POSITION pos = m_listData.GetHeadPosition(); pos;) {
        const CMaskData* pCell = m_listData.GetNext(pos);
        if (pCell->m_eType <= OXMASK_CHARACTER)
            sMask += s_classChars[pCell->m_eType];
        else if (pCell->m_eType == OXMASK_LITERAL_ESCAPE)
            sMask += CString('\\') + pCell->m_chValue;
        else
            sMask += pCell->m_chValue;
    }
    return sMask;
}

CString COXMaskedEdit::GetCellText() const
{
    CString sText;
    for (POSITION pos = m_listData.GetHeadPosition(); pos;)
        sText += m_listData.GetNext(pos)->m_chValue;
    return sText;
}

CString COXMaskedEdit::GetInputData() const
{
    if (m_listData.IsEmpty()) {
        CString sText;
        if (m_hWnd)
            GetWindowText(sText);
        return sText;
    }
    CString sInput;
    for (POSITION pos = m_listData.GetHeadPosition(); pos;) {
        const CMaskData* pCell = m_listData.GetNext(pos);
        if (pCell->IsInputData())
            sInput += pCell->m_chValue;
    }
    return sInput;
}

BOOL COXMaskedEdit::SetInputData(LPCTSTR pszText, int nBeginPos, BOOL bWithPrompts)
{
    CString sSource = GetInputData().Left(std::max(0, nBeginPos));
    for (LPCTSTR p = pszText ? pszText : ""; *p; ++p)
        if (bWithPrompts || *p != m_chPromptSymbol)
            sSource += *p;
    BOOL bAllTaken = TRUE;
    int i = 0;
    for (POSITION pos = m_listData.GetHeadPosition(); pos;) {
        CMaskData* pCell = m_listData.GetNext(pos);
        if (!pCell->IsInputData())
            continue;
        if (i >= sSource.GetLength()) {
            pCell->m_chValue = m_chPromptSymbol;
            continue;
        }
        while (i < sSource.GetLength() && sSource[i] != m_chPromptSymbol && !pCell->IsValidInput(sSource[i])) {
            bAllTaken = FALSE;
            ++i;
        }
        if (i >= sSource.GetLength()) {
            pCell->m_chValue = m_chPromptSymbol;
            continue;
        }
        char ch = sSource[i++];
        pCell->m_chValue = ch == m_chPromptSymbol ? m_chPromptSymbol : pCell->PreProcessChar(ch);
    }
    RefreshText(0);
    return bAllTaken;
}

void COXMaskedEdit::EmptyData(BOOL bOnlyInput)
{
    if (m_listData.IsEmpty()) {
        DeleteContents();
        return;
    }
    if (bOnlyInput) {
        for (POSITION pos = m_listData.GetHeadPosition(); pos;) {
            CMaskData* pCell = m_listData.GetNext(pos);
            if (pCell->IsInputData())
                pCell->m_chValue = m_chPromptSymbol;
        }
    } else {
        DeleteContents();
    }
    RefreshText(0);
}

void COXMaskedEdit::DeleteContents()
{
    if (m_listData.IsEmpty()) {
        if (m_hWnd) {
            ++m_nRefreshDepth;
            SetWindowText("");
            --m_nRefreshDepth;
        }
        return;
    }
    while (!m_listData.IsEmpty())
        delete m_listData.RemoveHead();
}

BOOL COXMaskedEdit::IsInputEmpty() const
{
    if (m_listData.IsEmpty())
        return GetInputData().IsEmpty();
    for (POSITION pos = m_listData.GetHeadPosition(); pos;) {
        const CMaskData* pCell = m_listData.GetNext(pos);
        if (pCell->IsInputData() && pCell->m_chValue != m_chPromptSymbol)
            return FALSE;
    }
    return TRUE;
}

void COXMaskedEdit::SetPromptSymbol(char ch)
{
    if (ch == 0 || ch == '\n' || ch == '\r' || ch == 0x7F)
        return;
    for (POSITION pos = m_listData.GetHeadPosition(); pos;) {
        CMaskData* pCell = m_listData.GetNext(pos);
        if (pCell->IsInputData() && pCell->m_chValue == m_chPromptSymbol)
            pCell->m_chValue = ch;
    }
    m_chPromptSymbol = ch;
    RefreshText(-1);
    if (m_hWnd)
        SendMessage(EM_SETMODIFY, FALSE);
}

int COXMaskedEdit::PosToInputIndex(int nPos) const
{
    CMaskData* pCell = Cell(nPos);
    if (pCell == NULL || !pCell->IsInputData())
        return -1;
    int nIndex = 0;
    for (int k = 0; k < nPos; ++k)
        if (Cell(k)->IsInputData())
            ++nIndex;
    return nIndex;
}

int COXMaskedEdit::InputIndexToPos(int nIndex) const
{
    if (nIndex < 0)
        return -1;
    int k = 0;
    for (POSITION pos = m_listData.GetHeadPosition(); pos; ++k) {
        if (m_listData.GetNext(pos)->IsInputData() && nIndex-- == 0)
            return k;
    }
    return -1;
}

BOOL COXMaskedEdit::IsInputPosition(int nPos) const
{
    if (m_listData.IsEmpty())
        return TRUE;
    CMaskData* pCell = Cell(nPos);
    return pCell && pCell->IsInputData();
}

int COXMaskedEdit::GetNextInputPos(int nPos) const
{
    const int nCount = GetCellCount();
    for (int k = std::max(0, nPos); k < nCount; ++k)
        if (Cell(k)->IsInputData())
            return k;
    return nCount;
}

int COXMaskedEdit::GetPrevInputPos(int nPos) const
{
    if (IsInputPosition(nPos))
        return nPos;
    for (int k = std::min(nPos, GetCellCount()) - 1; k >= 0; --k)
        if (Cell(k)->IsInputData())
            return k + 1;
    return GetNextInputPos(nPos);
}

int COXMaskedEdit::GetFirstEmptyInputPos(int nPos) const
{
    const int nCount = GetCellCount();
    for (int k = std::max(0, nPos); k < nCount; ++k) {
        CMaskData* pCell = Cell(k);
        if (pCell->IsInputData() && pCell->m_chValue == m_chPromptSymbol)
            return k;
    }
    return nCount;
}

int COXMaskedEdit::SetAt(int nPos, char ch)
{
    CMaskData* pCell = Cell(nPos);
    if (pCell == NULL || !pCell->IsInputData())
        return nPos;
    if (ch != m_chPromptSymbol && !pCell->IsValidInput(ch))
        return -1;
    pCell->m_chValue = pCell->PreProcessChar(ch);
    return nPos;
}

int COXMaskedEdit::InsertAt(int nPos, char ch)
{
    const int nTarget = GetNextInputPos(nPos);
    const CString sOld = GetInputData();
    if (nTarget >= GetCellCount()) {
        return -1;
    }
    int nIndex = PosToInputIndex(nTarget);
    CString sNew = sOld.Left(nIndex) + ch + sOld.Mid(nIndex);
    sNew = sNew.Left(sOld.GetLength());
    if (!Cell(nTarget)->IsValidInput(ch) || !SetInputData(sNew, 0, TRUE)) {
        SetInputData(sOld, 0, TRUE);
        return -1;
    }
    return nTarget;
}

int COXMaskedEdit::DeleteRange(int nStart, int nEnd)
{
    CString sInput;
    int nRemoved = 0;
    int k = 0;
    for (POSITION pos = m_listData.GetHeadPosition(); pos; ++k) {
        const CMaskData* pCell = m_listData.GetNext(pos);
        if (!pCell->IsInputData())
            continue;
        if (k >= nStart && k < nEnd)
            ++nRemoved;
        else
            sInput += pCell->m_chValue;
    }
    if (nRemoved > 0)
        SetInputData(sInput, 0, TRUE);
    return nRemoved;
}

// ---------------------------------------------------------------------------
// The window
// ---------------------------------------------------------------------------

CString COXMaskedEdit::GetValueText() const
{
    CString sText;
    if (m_hWnd)
        GetWindowText(sText);
    return sText;
}

void COXMaskedEdit::SetValueText(LPCTSTR pszText)
{
    if (m_hWnd)
        SetWindowText(pszText);
}

void COXMaskedEdit::ValidationError()
{
    ::MessageBeep(MB_ICONEXCLAMATION);
}

BOOL COXMaskedEdit::OnValidate()
{
    return TRUE;
}

BOOL COXMaskedEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CEdit::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    if (!m_listData.IsEmpty())
        RefreshText(0);
    return TRUE;
}

void COXMaskedEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    if (AfxGetThreadState()->m_pWndInit == NULL && !m_listData.IsEmpty())
        RefreshText(0);
}

void COXMaskedEdit::RefreshText(int nCaretPos)
{
    if (m_hWnd == NULL)
        return;
    ++m_nRefreshDepth;
    SetWindowText(GetCellText());
    --m_nRefreshDepth;
    SendMessage(EM_SETMODIFY, TRUE);
    if (nCaretPos >= 0)
        MoveCaretToNextInput(nCaretPos);
}

void COXMaskedEdit::MoveCaretToNextInput(int nPos)
{
    if (m_hWnd == NULL)
        return;
    int p = GetNextInputPos(nPos);
    SendMessage(EM_SETSEL, p, p);
    SendMessage(EM_SCROLLCARET);
}

void COXMaskedEdit::MoveCaretToPrevInput(int nPos)
{
    if (m_hWnd == NULL)
        return;
    int p = GetPrevInputPos(nPos);
    SendMessage(EM_SETSEL, p, p);
    SendMessage(EM_SCROLLCARET);
}

void COXMaskedEdit::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    const BOOL bShift = IsKeyDown(VK_SHIFT);
    int s = 0, e = 0;
    switch (wParam) {
    case VK_HOME:
    case VK_RIGHT:
    case VK_DOWN:
        CEdit::WindowProc(WM_KEYDOWN, wParam, lParam);
        GetSel(s, e);
        if (!bShift)
            MoveCaretToNextInput(e);
        return;
    case VK_LEFT:
    case VK_UP:
        CEdit::WindowProc(WM_KEYDOWN, wParam, lParam);
        GetSel(s, e);
        if (!bShift)
            MoveCaretToPrevInput(s);
        return;
    case VK_INSERT:
        m_bInsertMode = !m_bInsertMode;
        return;
    case VK_DELETE:
        GetSel(s, e);
        if (s == e)
            ++e;
        if (s >= GetCellCount())
            return;
        while (DeleteRange(s, e) == 0) {
            if (e >= GetCellCount())
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

void COXMaskedEdit::OnCharTyped(WPARAM wParam, LPARAM lParam)
{
    const char ch = (char)(BYTE)wParam;
    int s = 0, e = 0;
    GetSel(s, e);
    if (ch == '\b') {
        if (s != e && DeleteRange(s, e) > 0) {
            RefreshText(s);
            return;
        }
        if (s == e && s == 0)
            return;
        while (s > 0) {
            if (DeleteRange(s - 1, e) > 0) {
                RefreshText(s - 1);
                return;
            }
            --s;
            --e;
        }
        return;
    }
    if ((BYTE)ch < 32) {
        CEdit::WindowProc(WM_CHAR, wParam, lParam);
        return;
    }
    if (s == e && IsInputPosition(s)) {
        int r = m_bInsertMode ? InsertAt(s, ch) : SetAt(s, ch);
        if (r >= 0) {
            RefreshText(-1);
            MoveCaretToNextInput(r + 1);
            return;
        }
    } else if (s != e && DeleteRange(s, e) > 0) {
        int r = InsertAt(s, ch);
        RefreshText(-1);
        if (r >= 0) {
            MoveCaretToNextInput(r + 1);
        } else {
            ValidationError();
            MoveCaretToNextInput(s);
        }
        return;
    }
    ValidationError();
    MoveCaretToNextInput(s);
}

LRESULT COXMaskedEdit::OnSetText(WPARAM wParam, LPARAM lParam)
{
    if (m_nRefreshDepth > 0)
        return CEdit::WindowProc(WM_SETTEXT, wParam, lParam);
    // The literals are cut out where they stand at their own places; what is
    // left is the input (a text of bare input characters passes unchanged).
    CString sText = lParam ? (LPCSTR)lParam : "";
    CString sRest;
    int t = 0;
    for (POSITION pos = m_listData.GetHeadPosition(); pos;) {
        const CMaskData* pCell = m_listData.GetNext(pos);
        if (pCell->IsInputData()) {
            if (t < sText.GetLength())
                sRest += sText[t++];
        } else if (t < sText.GetLength() && sText[t] == pCell->m_chValue) {
            ++t;
        }
    }
    sRest += sText.Mid(t);
    if (sRest != GetInputData())
        SetInputData(sRest, 0, TRUE);
    return TRUE;
}

void COXMaskedEdit::OnKillFocusReflect()
{
    if (g_hRefocusing != NULL)
        return;
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return;
    MENMHDR nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = GetDlgCtrlID();
    nm.hdr.code = OXMEN_VALIDATE;
    nm.bValid = TRUE;
    nm.bDefaultValidation = TRUE;
    nm.nPosition = 0;
    pParent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
    if (!nm.bValid || (nm.bDefaultValidation && !OnValidate())) {
        // Taking the focus back inside the focus change would fight the
        // window that is getting it: it is done once the change is over.
        m_bRefocusPending = TRUE;
        PostMessage(WM_OX_MASKED_REFOCUS, (WPARAM)nm.nPosition);
    }
}

void COXMaskedEdit::Refocus(int nPosition)
{
    m_bRefocusPending = FALSE;
    // The application was left: the focus is not pulled back from elsewhere.
    if (::GetActiveWindow() == NULL || !IsWindowVisible())
        return;
    // The focus went to an edit that is itself waiting to take it back.
    COXMaskedEdit* pFocus = DYNAMIC_DOWNCAST(COXMaskedEdit, CWnd::FromHandlePermanent(::GetFocus()));
    if (pFocus && pFocus != this && pFocus->m_bRefocusPending)
        return;
    g_hRefocusing = m_hWnd;
    SetFocus();
    g_hRefocusing = NULL;
    ValidationError();
    MoveCaretToNextInput(nPosition);
}

LRESULT COXMaskedEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_OX_MASKED_REFOCUS) {
        Refocus((int)wParam);
        return 0;
    }
    switch (message) {
    case WM_SETFOCUS: {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        int s = 0, e = 0;
        GetSel(s, e);
        if (s == 0 && (e == 0 || e == GetWindowTextLength()))
            MoveCaretToNextInput(0);
        return lResult;
    }
    case WM_LBUTTONDOWN:
        if (::GetFocus() != m_hWnd && IsInputEmpty() && !m_listData.IsEmpty()) {
            SetFocus();
            MoveCaretToNextInput(0);
            return 0;
        }
        break;
    default:
        break;
    }
    if (IsPlain())
        return CEdit::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    case WM_CHAR:
        OnCharTyped(wParam, lParam);
        return 0;
    case WM_CUT:
    case WM_CLEAR: {
        int s = 0, e = 0;
        GetSel(s, e);
        CEdit::WindowProc(message, wParam, lParam);
        DeleteRange(s, e);
        RefreshText(s);
        return 0;
    }
    case WM_PASTE: {
        int s = 0, e = 0;
        GetSel(s, e);
        CEdit::WindowProc(message, wParam, lParam);
        CString sText;
        GetWindowText(sText);
        SetInputData(sText, 0, FALSE);
        RefreshText(-1);
        int p = GetFirstEmptyInputPos(s);
        SendMessage(EM_SETSEL, p, p);
        return 0;
    }
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
