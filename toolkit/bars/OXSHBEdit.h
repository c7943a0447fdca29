// The shortcut bar's in-place edit: re-created for every edit at the place,
// size, style, font and colours of a display record, optionally growing with
// its text, holding the mouse so that a click anywhere else ends the edit,
// and telling its parent how the edit ended (WM_NOTIFY SHBN_ENDEDIT with a
// save flag; the parent reads the text from the window).
#pragma once

#include "OXSHBTypes.h"

// SHB_EDITDISPLAY mask bits.
#define SHBEIF_TEXT        0x001
#define SHBEIF_RECTDISPLAY 0x002
#define SHBEIF_RECTMAX     0x004
#define SHBEIF_STYLE       0x008
#define SHBEIF_ENLARGE     0x010
#define SHBEIF_SELRANGE    0x020
#define SHBEIF_FONT        0x040
#define SHBEIF_RECTMIN     0x080
#define SHBEIF_CLRTEXT     0x100
#define SHBEIF_CLRBACK     0x200

struct SHB_EDITDISPLAY
{
    LPCSTR lpText;
    RECT rectDisplay;       // in the parent's client coordinates
    RECT rectMax;           // the edit never grows beyond it
    DWORD dwStyle;
    BOOL bEnlargeAsTyping;
    int nSelStart;
    int nSelEnd;
    CFont* pFont;           // its LOGFONT is copied
    RECT rectMin;           // the edit is never smaller
    COLORREF clrText;
    COLORREF clrBack;
    UINT nMask;
};

// The end-of-edit notification.
struct NMSHBEDIT
{
    NMHDR hdr;
    BOOL bOK;               // TRUE: keep the typed text
};

class COXSHBEdit : public CEdit
{
    DECLARE_DYNAMIC(COXSHBEdit)
public:
    COXSHBEdit();
    virtual ~COXSHBEdit();

    // Validates the record, re-creates the window and opens the edit; NULL
    // re-creates it with its current text and style where it is.
    virtual BOOL StartEdit(const SHB_EDITDISPLAY* pDisplay);
    // Ends the edit: capture released, SHBN_ENDEDIT sent, window hidden.
    virtual void FinishEdit(BOOL bOK);

    BOOL IsEditing() const { return m_bEditing; }
    // WM_NOTIFY to the parent with the edit's own NMHDR; the parent's reply.
    LRESULT SendNotify(LPNMHDR pHdr);

    // The record checks, given the text the edit would edit and the client
    // rectangle it has now.
    static BOOL VerifyDisplayInfo(const SHB_EDITDISPLAY* pDisplay, int nTextLength, const CRect& rectClient);
    // Where an edit that grows to a measured size goes inside the maximum
    // rectangle: never smaller than the base, at the right edge for
    // ES_RIGHT, centred for ES_CENTER, else at the left; always at the top.
    static CRect PlaceGrown(const CRect& rectBase, const CRect& rectMax, CSize sizeMeasured, DWORD dwStyle);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnUpdate();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);

    SHB_EDITDISPLAY* m_pDisplay;
    CFont m_font;
    CBrush m_brushBack;
    BOOL m_bEditing;

    DECLARE_MESSAGE_MAP()
};
