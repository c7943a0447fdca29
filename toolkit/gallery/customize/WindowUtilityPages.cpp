// Gallery: the toolkit's window utilities: painted captions, the shaped
// splash window, middle-button scrolling and a window's shadow.
#include "Gallery.h"

#include "OXCaptionPainter.h"
#include "OXIntelliMouse.h"
#include "OXShdWnd.h"
#include "OXSplashWnd.h"
#include "toolkit_res.h"

namespace {

// Two frames of this thread painted by one organizer: the second, made
// after the look was set, takes it from the first.
class CCaptionPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Painted captions: the frames beside this page (click each to see both looks)");
        m_button.Create("Open the frames", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(140, 26), this, 100);
        ApplyFont(&m_button);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == 100)
            ShowOff();
        return CGalleryPage::OnCommand(wParam, lParam);
    }
    void ShowOff() override
    {
        if (m_organizer.GetAttachedThread() != 0)
            return;
        CRect rect;
        GetWindowRect(&rect);
        m_pFirst = new CFrameWnd;
        m_pFirst->Create(NULL, "Gradient caption, bright at the right", WS_OVERLAPPEDWINDOW,
                         CRect(rect.right + 10, rect.top, rect.right + 430, rect.top + 150));
        m_organizer.AttachToThread();
        COXCaptionInfo active, inactive;
        active.m_clrBackground = RGB(30, 90, 170);
        active.m_nGradientAlignment = 0;
        active.m_clrText = RGB(255, 255, 255);
        inactive.m_clrBackground = RGB(120, 120, 130);
        inactive.m_nGradientAlignment = 1;
        m_organizer.SetCaptionInfo(NULL, &active, TRUE, FALSE);
        m_organizer.SetCaptionInfo(NULL, &inactive, FALSE, TRUE);
        m_pSecond = new CFrameWnd;
        m_pSecond->Create(NULL, "Made later: the same look", WS_OVERLAPPEDWINDOW,
                          CRect(rect.right + 10, rect.top + 170, rect.right + 430, rect.top + 320));
        m_pFirst->ShowWindow(SW_SHOWNOACTIVATE);
        m_pSecond->ShowWindow(SW_SHOW);
        m_pFirst->SendMessage(WM_NCACTIVATE, FALSE);
        m_organizer.Redraw(NULL, TRUE);
    }
    void PostNcDestroy() override
    {
        m_organizer.DetachFromThread(FALSE);
        for (CFrameWnd* p : {m_pFirst, m_pSecond})
            if (p != NULL && ::IsWindow(p->GetSafeHwnd()))
                p->DestroyWindow();
        CGalleryPage::PostNcDestroy();
    }

    CButton m_button;
    COXCaptionPainterOrganizer m_organizer;
    CFrameWnd* m_pFirst = NULL;
    CFrameWnd* m_pSecond = NULL;
};

// The scrolling origin mark as a shaped splash: its magenta corners cut away.
class CSplashPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("A shaped splash window: shown for 750 ms, or until a key or a click");
        m_show.Create("Show for 750 ms", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(140, 26), this, 100);
        m_stay.Create("Show until a click", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(140, 26), this, 101);
        ApplyFont(&m_show);
        ApplyFont(&m_stay);
        m_splash.LoadBitmap(IDB_OX_SCROLL_ORIGIN, 0xFF000000);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == 100)
            m_splash.Show(0);
        else if (LOWORD(wParam) == 101)
            m_splash.Show(-1);
        return CGalleryPage::OnCommand(wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_splash.GetSafeHwnd() != NULL && m_splash.PreTranslateMessage(pMsg))
            return TRUE;
        return CGalleryPage::PreTranslateMessage(pMsg);
    }
    void ShowOff() override { m_splash.Show(-1); }

    CButton m_show, m_stay;
    COXSplashWnd m_splash;
};

// A long text scrolled by the middle button.
class CScrollingPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Press the middle button over the text, move away from the mark; any click or key ends it");
        m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL
                          | ES_AUTOHSCROLL,
                      NextRect(420, 220), this, 100);
        ApplyFont(&m_edit);
        CString text;
        for (int i = 1; i <= 300; i++) {
            CString line;
            line.Format("%03d  drill bits, drill press, cordless drill, hammer drill, drill stand, masonry drill "
                        "bit set\r\n", i);
            text += line;
        }
        m_edit.SetWindowText(text);
        m_handler.Attach(&m_edit, WM_MBUTTONDOWN, 0);
    }
    // The mark shown and the pointer moved up from it, where the text, at
    // its top, cannot go: the picture holds still. (Moved down, the text
    // would scroll on under the picture, which would catch it between two
    // paints.)
    void ShowOff() override
    {
        CRect rect;
        m_edit.GetWindowRect(&rect);
        ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
        m_edit.SendMessage(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(rect.Width() / 2, rect.Height() / 2));
        ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y - 60);
        m_edit.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rect.Width() / 2, rect.Height() / 2 - 60));
    }
    void PostNcDestroy() override
    {
        m_handler.Detach();
        CGalleryPage::PostNcDestroy();
    }

    CEdit m_edit;
    COXIntelliMouse m_handler;
};

// A small window and its shadow, 4 pixels right and down.
class CShadowPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("A window casting a graded shadow on what lies beneath it");
        m_button.Create("Show the window", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(140, 26), this, 100);
        ApplyFont(&m_button);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == 100)
            ShowOff();
        return CGalleryPage::OnCommand(wParam, lParam);
    }
    void ShowOff() override
    {
        if (m_popup.GetSafeHwnd() != NULL)
            return;
        CRect rect;
        GetWindowRect(&rect);
        CRect popup(rect.left + 40, rect.top + 60, rect.left + 300, rect.top + 160);
        CRect shadow = popup;
        shadow.OffsetRect(4, 4);
        m_shadow.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, shadow, this, 0);
        m_popup.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_INFOBK + 1)),
                         "", WS_POPUP | WS_VISIBLE | WS_BORDER, popup, this, 0);
        m_text.Create("This window casts a shadow.", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE,
                      CRect(0, 0, popup.Width() - 2, popup.Height() - 2), &m_popup, 1);
        ApplyFont(&m_text);
    }
    void PostNcDestroy() override
    {
        if (m_popup.GetSafeHwnd() != NULL)
            m_popup.DestroyWindow();
        if (m_shadow.GetSafeHwnd() != NULL)
            m_shadow.DestroyWindow();
        CGalleryPage::PostNcDestroy();
    }

    CButton m_button;
    COXShdWnd m_shadow;
    CWnd m_popup;
    CStatic m_text;
};

}  // namespace

GALLERY_PAGE(CCaptionPage, "customize", "Caption painter");
GALLERY_PAGE(CSplashPage, "customize", "Splash window");
GALLERY_PAGE(CScrollingPage, "customize", "Middle-button scrolling");
GALLERY_PAGE(CShadowPage, "customize", "Shadow window");
