// KeyboardEdit.cpp - CKeyboardEdit.
#include "KeyboardEdit.h"

#include "AccelsOb.h"

IMPLEMENT_DYNAMIC(CKeyboardEdit, CEdit)

CKeyboardEdit::CKeyboardEdit()
    : m_bKeyDefined(FALSE), m_wVirtKeyCode(0), m_bCtrlPressed(FALSE), m_bAltPressed(FALSE), m_bShiftPressed(FALSE)
{
}

BOOL CKeyboardEdit::GetAccelerator(WORD& wVirtKey, bool& bCtrl, bool& bAlt, bool& bShift) const
{
    if (!m_bKeyDefined)
        return FALSE;
    wVirtKey = m_wVirtKeyCode;
    bCtrl = m_bCtrlPressed != FALSE;
    bAlt = m_bAltPressed != FALSE;
    bShift = m_bShiftPressed != FALSE;
    return TRUE;
}

void CKeyboardEdit::ResetKey()
{
    m_bKeyDefined = FALSE;
    m_wVirtKeyCode = 0;
    m_bCtrlPressed = m_bAltPressed = m_bShiftPressed = FALSE;
    if (m_hWnd != NULL)
        SetWindowText("");
}

BOOL CKeyboardEdit::PreTranslateMessage(MSG* pMsg)
{
    bool bPressed;
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        bPressed = true;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        bPressed = false;
        break;
    default:
        return CEdit::PreTranslateMessage(pMsg);
    }

    // A fresh press after a complete combination starts a new one; holding
    // the last key down (auto-repeat) keeps it.
    bool bRepeat = (pMsg->lParam & (1L << 30)) != 0;
    if (bPressed && !bRepeat && m_bKeyDefined)
        ResetKey();

    if (!m_bKeyDefined) {
        switch (pMsg->wParam) {
        case VK_SHIFT:
            m_bShiftPressed = bPressed;
            break;
        case VK_CONTROL:
            m_bCtrlPressed = bPressed;
            break;
        case VK_MENU:
            m_bAltPressed = bPressed;
            break;
        default:
            m_wVirtKeyCode = (WORD)pMsg->wParam;
            if (bPressed)
                m_bKeyDefined = TRUE;
            break;
        }
        UpdateText();
    }
    return TRUE;
}

void CKeyboardEdit::UpdateText()
{
    CString strText;
    const CString parts[] = {m_bCtrlPressed ? "Ctrl" : "", m_bAltPressed ? "Alt" : "",
                             m_bShiftPressed ? "Shift" : "", GetKeyName(m_wVirtKeyCode)};
    for (const CString& strPart : parts) {
        if (strPart.IsEmpty())
            continue;
        if (!strText.IsEmpty())
            strText += "+";
        strText += strPart;
    }
    SetWindowText(strText);
}
