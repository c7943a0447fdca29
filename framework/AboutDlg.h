// AboutDlg.h - the about box CAboutDlg and its animated text panel
// CAboutCtrl. The panel draws the about text once into an off-screen picture
// and moves it over a drifting background, bottom to top, closing the box
// after the third pass; a click on it closes the box at once. The same box,
// made non-modal, can stand as a splash that any click or key press closes.
#pragma once

#include <afxwin.h>
#include <vector>
#include "ProgressCtrlX.h"

class CAboutCtrl : public CStatic
{
public:
    CAboutCtrl();
    virtual ~CAboutCtrl();

    // The animation timer and its period.
    enum { nTimerId = 1, nTickMs = 40 };
    // Size of the off-screen picture of the text.
    enum { cxPicture = 320, cyPicture = 300 };
    // The text stays this far below the top when it does not scroll.
    enum { nFixedTop = 5 };

    // Set before the control takes over its window.
    //  text: lines separated by "\n"; a leading tab makes a title line, a
    //        leading carriage return a bold line.
    void SetText(LPCTSTR lpszText) { m_strText = lpszText; }
    void SetXPosition(int nX) { m_nX = nX; }
    void SetWave(BOOL bWave) { m_bWave = bWave; }
    void SetScroll(BOOL bScroll) { m_bScroll = bScroll; }
    const CString& GetText() const { return m_strText; }
    int GetXPosition() const { return m_nX; }

    // One step of the animation (the timer's tick): moves the background,
    // the wave and the text, and shows the new frame.
    void Tick();

    // The picture of the text (cxPicture by cyPicture), drawn when the
    // control took over its window; NULL before.
    CDC* GetTextPicture() { return m_dcText.GetSafeHdc() != NULL ? &m_dcText : NULL; }
    // Where the text's top is drawn at the next tick.
    int GetTextTop() const { return m_bScroll ? m_nTextTop : nFixedTop; }
    // Passes still to go after the current one; the parent is asked to
    // close when this drops to -1.
    int GetPassesLeft() const { return m_nPassesLeft; }

protected:
    CString m_strText;
    int m_nX;
    BOOL m_bWave;
    BOOL m_bScroll;
    int m_nPassesLeft;
    int m_nTextTop;
    CPoint m_ptTile;
    int m_nAngleWave;       // along the sprite's columns
    int m_nAngleSway;       // of the whole sprite, sideways
    BOOL m_bClosePosted;

    CDC m_dcText;           // the text picture
    CBitmap m_bmpText;
    CBitmap* m_pOldText;
    CBitmap m_bmpTile;      // background tile, resource 114
    CBrush m_brTile;        // the tile as a pattern
    CBitmap m_bmpWave;      // wave sprite, resource 115
    std::vector<DWORD> m_arrWave;   // its pixels, top-down, 0x00RRGGBB
    CSize m_sizeWave;
    CDC m_dcFrame;          // the next frame, client-sized
    CBitmap m_bmpFrame;     // top-down 32-bit section ...
    DWORD* m_pFrameBits;    // ... whose pixels the wave is written into
    CBitmap* m_pOldFrame;
    CSize m_sizeFrame;

    void PreSubclassWindow() override;
    void DrawTextPicture();
    void FreePictures();
    void LoadWave();
    void DrawWave(const CRect& rc);

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class CAboutDlg : public CDialog
{
public:
    // Every "***" in the text becomes the program's version text.
    CAboutDlg(LPCTSTR lpszAbout, int nX, BOOL bWave, BOOL bScroll, CWnd* pParent = NULL);

    int m_nX;
    BOOL m_bScroll;
    CAboutCtrl m_ctrlAbout;
    CProgressCtrlX m_wndProgress;

    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL) override;

    // ---- the one non-modal box ----
    // Off by default; while off, ShowSplashScreen shows nothing.
    static void EnableSplashScreen(BOOL bEnable = TRUE);
    // Shows the non-modal box (shared text, at the left, waving, scrolling)
    // unless one is already up; FALSE when none was made.
    static BOOL ShowSplashScreen(CWnd* pParent = NULL);
    static CAboutDlg* GetSplashScreen();
    // Replaces the text shared by the boxes of the process.
    static void SetAboutText(LPCTSTR lpszText);
    static CString GetAboutText();

protected:
    BOOL m_bModeless;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void PostNcDestroy() override;

    // Closes the non-modal box on a mouse button or key press anywhere in
    // the thread, and swallows that press.
    static LRESULT CALLBACK SplashMessageFilter(int nCode, WPARAM wParam, LPARAM lParam);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
