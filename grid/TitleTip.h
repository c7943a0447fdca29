// TitleTip.h - CTitleTip: the small pop-up that shows the whole text of a
// grid cell whose text does not fit, while the pointer rests on it.
#pragma once

#include <afxwin.h>
#include <tchar.h>

#define TITLETIP_WNDCLASS _T("ZTitleTip")

class CTitleTip : public CWnd
{
public:
    CTitleTip();
    virtual ~CTitleTip();

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL Create(CWnd* pParentWnd);

    void SetParentWnd(CWnd* pParentWnd) { m_pOwnerGrid = pParentWnd; }
    CWnd* GetParentWnd() { return m_pOwnerGrid; }

    void Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0, LPRECT lpHoverRect = NULL,
              const LOGFONT* lpLogFont = NULL, COLORREF crTextClr = CLR_DEFAULT, COLORREF crBackClr = CLR_DEFAULT);
    void Hide();

    // The areas of the last Show, in the tip's client coordinates (for tests).
    CRect GetHoverRect() const { return m_hoverArea; }

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pOwnerGrid;
    CRect m_textArea;
    CRect m_hoverArea;
    DWORD m_lastPressTick;
    DWORD m_doubleClickTime;
    BOOL m_bWindowCreated;
};
