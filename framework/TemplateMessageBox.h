// TemplateMessageBox.h - the framework's own message box: icon, text, buttons,
// an optional Help button and an optional "Don't ask me again" / "Don't tell
// me again" check box, laid out here and run from a dialog template built in
// memory.
#pragma once

#include <afxwin.h>

// Type bits beyond the system's: show the check box. When it is ticked the
// same bit is added to the pressed button's id in the result ("ask" wins when
// both are given).
#define MB_DONTASKAGAIN     0x01000000L
#define MB_DONTTELLAGAIN    0x02000000L
#define MB_DONTAGAINMASK    (MB_DONTASKAGAIN | MB_DONTTELLAGAIN)

// Control ids of the box.
#define IDC_TMB_ICON        1000
#define IDC_TMB_TEXT        1001
#define IDC_TMB_HELP        300
#define IDC_TMB_DONTAGAIN   5555

// Shows the box modally on hWndOwner (the desktop when NULL) and returns the
// pressed button's id, plus MB_DONTASKAGAIN or MB_DONTTELLAGAIN when the type
// asked for that check box and it was ticked. A stop icon with
// MB_SYSTEMMODAL shows the system's own box instead.
int TemplateMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption = NULL,
                       UINT nType = MB_OK, UINT nIDHelp = 0);

// The button id of a TemplateMessageBox result, the check-box mark removed.
inline int TemplateMessageBoxButton(int nResult) { return nResult & ~MB_DONTAGAINMASK; }
// Whether the result carries a ticked check box.
inline BOOL TemplateMessageBoxTicked(int nResult) { return (nResult & MB_DONTAGAINMASK) != 0; }

// One control of the box. Texts are bounded: a longer one is cut and ends
// with "..." so the cut shows.
struct DLGCONTROLDESC
{
    enum { MAX_TEXT = 1023 };
    DWORD dwStyle;
    DWORD dwExStyle;
    short x, y, cx, cy;         // dialog units
    WORD wId;
    WORD wClassAtom;            // 0x0080 button, 0x0082 static
    char szText[MAX_TEXT + 1];
};

// The control descriptions of one box and the writer of its template. The
// box's state lives in one object per call, so boxes on several threads do
// not share it.
class CDialogTemplate1
{
public:
    enum { MAX_CONTROLS = 20 };
    enum { ATOM_BUTTON = 0x0080, ATOM_STATIC = 0x0082 };

    CDialogTemplate1();
    virtual ~CDialogTemplate1();

    // Resets the descriptions and the kept state for a new box.
    void Reset();

    // Adds a control (coordinates in dialog units); FALSE once MAX_CONTROLS
    // are held: the description is dropped, never written past the table.
    BOOL AddControl(DWORD dwStyle, int x, int y, int cx, int cy, UINT nId, WORD wClassAtom, LPCTSTR lpszText);
    int GetControlCount() const { return m_nControls; }
    const DLGCONTROLDESC* GetControl(int i) const { return m_pControls[i]; }

    // Writes the template (movable, zeroed global memory; the caller frees
    // it), or NULL when the memory cannot be had.
    HGLOBAL Build(LPCTSTR lpszCaption) const;

    // Cuts a text to the description bound.
    static CString BoundText(LPCTSTR lpszText);

    // Kept for the box on screen.
    DWORD m_dwStyle;
    int m_cx, m_cy;             // dialog units
    HFONT m_hFont;
    int m_nDefButton;           // 0-based
    UINT m_nDefButtonId;
    UINT m_nHelpId;
    HICON m_hIcon;
    BOOL m_bHasCancel;
    BOOL m_bAskBox;
    BOOL m_bTellBox;

private:
    DLGCONTROLDESC* m_pControls[MAX_CONTROLS];
    int m_nControls;

    CDialogTemplate1(const CDialogTemplate1&) = delete;
    void operator=(const CDialogTemplate1&) = delete;
};
