// KeyboardEdit.h - CKeyboardEdit: an edit control that captures one key
// combination (Ctrl, Alt and Shift states and a key) instead of text, and
// shows it as "Ctrl+Alt+Shift+<key name>".
#pragma once

#include <afxwin.h>

class CKeyboardEdit : public CEdit
{
    DECLARE_DYNAMIC(CKeyboardEdit)
public:
    CKeyboardEdit();
    virtual ~CKeyboardEdit() {}

    // FALSE until a combination is complete.
    BOOL GetAccelerator(WORD& wVirtKey, bool& bCtrl, bool& bAlt, bool& bShift) const;
    void ResetKey();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void UpdateText();

    BYTE m_bKeyDefined;
    WORD m_wVirtKeyCode;
    BYTE m_bCtrlPressed;
    BYTE m_bAltPressed;
    BYTE m_bShiftPressed;
};
