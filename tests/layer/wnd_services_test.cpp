// The services bars, the toolkit and the grid stand on: runtime classes of
// class templates, the thread state handlers read, and the small globals
// (wait cursor, string formatting, scroll-bar controls, drag rectangles,
// print info, afxData, deferred class registration, cancelled drop-downs,
// dialogs from templates with their keys and update handlers, the MDI
// client's edge, the extended combo box, image lists in archives).
#include <afxwin.h>
#include <afxcmn.h>
#include <afxext.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "services_test_res.h"
#include "layer_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// ---------------------------------------------------------------------------
// Runtime classes of class templates
// ---------------------------------------------------------------------------

// A mix-in over any window class, as the cool look and the drop button are.
template <class TBase>
class CSvcMixin : public TBase
{
    DECLARE_DYNCREATE(CSvcMixin)
public:
    int m_nMark = 7;
};
IMPLEMENT_DYNCREATE_T(CSvcMixin, TBase, TBase)

// A template over a fixed base.
template <class TValue>
class CSvcHolder : public CObject
{
    DECLARE_DYNAMIC(CSvcHolder)
public:
    TValue m_value {};
};
IMPLEMENT_DYNAMIC_T(CSvcHolder, TValue, CObject)

TEST(ServicesRuntimeClass, EachTemplateInstanceHasItsOwnRecordOverItsOwnBase)
{
    CRuntimeClass* pEdit = RUNTIME_CLASS_T(CSvcMixin, CEdit);
    CRuntimeClass* pList = RUNTIME_CLASS_T(CSvcMixin, CListBox);
    EXPECT_NE(pEdit, pList);
    EXPECT_STREQ(pEdit->m_lpszClassName, "CSvcMixin");
    EXPECT_EQ(pEdit->m_pBaseClass, RUNTIME_CLASS(CEdit));
    EXPECT_EQ(pList->m_pBaseClass, RUNTIME_CLASS(CListBox));
    EXPECT_EQ(pEdit->m_nObjectSize, (int)sizeof(CSvcMixin<CEdit>));
    EXPECT_TRUE(pEdit->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(pEdit->IsDerivedFrom(RUNTIME_CLASS(CListBox)));

    CSvcMixin<CEdit> edit;
    EXPECT_EQ(edit.GetRuntimeClass(), pEdit);
    EXPECT_TRUE(edit.IsKindOf(RUNTIME_CLASS(CEdit)));
    EXPECT_FALSE(edit.IsKindOf(pList));

    // dynamic creation makes an object of the instance, constructed
    CObject* pObject = pList->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_EQ(pObject->GetRuntimeClass(), pList);
    EXPECT_EQ(static_cast<CSvcMixin<CListBox>*>(pObject)->m_nMark, 7);
    delete pObject;

    CSvcHolder<int> holder;
    EXPECT_EQ(holder.GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(CObject));
    EXPECT_EQ(holder.GetRuntimeClass()->m_pfnCreateObject, nullptr);
    EXPECT_NE(RUNTIME_CLASS_T(CSvcHolder, int), RUNTIME_CLASS_T(CSvcHolder, double));
    // the records are not entered for creation by name: instances share it
    EXPECT_EQ(CRuntimeClass::FromName("CSvcMixin"), nullptr);
}

// ---------------------------------------------------------------------------
// Thread state
// ---------------------------------------------------------------------------

class CStateProbeWnd : public CWnd
{
public:
    CWnd* m_pWndInitSeen = (CWnd*)-1;
    MSG m_seen = {};
    HMENU m_hTrackingMenuSeen = NULL;
    HWND m_hTrackingWindowSeen = NULL;

    void PreSubclassWindow() override { m_pWndInitSeen = AfxGetThreadState()->m_pWndInit; }

protected:
    afx_msg LRESULT OnProbe(WPARAM, LPARAM)
    {
        m_seen = AfxGetThreadState()->m_lastSentMsg;
        return 0;
    }
    afx_msg void OnInitMenuPopup(CMenu*, UINT, BOOL)
    {
        m_hTrackingMenuSeen = AfxGetThreadState()->m_hTrackingMenu;
        m_hTrackingWindowSeen = AfxGetThreadState()->m_hTrackingWindow;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT WM_SVC_PROBE = WM_APP + 61;

BEGIN_MESSAGE_MAP(CStateProbeWnd, CWnd)
    ON_MESSAGE(WM_SVC_PROBE, &CStateProbeWnd::OnProbe)
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

// A control that makes a helper window of its own while it is being
// attached, as a control making its tooltip does.
class CHelperMakingWnd : public CWnd
{
public:
    CWnd m_helper;
    HWND m_hRawHelper = NULL;
    void PreSubclassWindow() override
    {
        m_helper.CreateEx(0, AfxRegisterWndClass(0), "helper", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
        m_hRawHelper = ::CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    }
};

TEST(ServicesThreadState, WindowsMadeWhileAttachingAreLeftToTheirOwners)
{
    CHelperMakingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "maker", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    ASSERT_NE(wnd.m_helper.m_hWnd, nullptr);
    EXPECT_NE(wnd.m_helper.m_hWnd, wnd.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_helper.m_hWnd), &wnd.m_helper);
    ASSERT_NE(wnd.m_hRawHelper, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hRawHelper), nullptr);   // nobody's object
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(AfxGetThreadState()->m_pWndInit, nullptr);
    ::DestroyWindow(wnd.m_hRawHelper);
    wnd.m_helper.DestroyWindow();
    wnd.DestroyWindow();
}

TEST(ServicesThreadState, CreationSubclassingCurrentMessageAndTrackedMenuAreVisible)
{
    // created: PreSubclassWindow sees the window under creation...
    CStateProbeWnd created;
    ASSERT_TRUE(created.CreateEx(0, AfxRegisterWndClass(0), "probe", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    EXPECT_EQ(created.m_pWndInitSeen, &created);
    EXPECT_EQ(AfxGetThreadState()->m_pWndInit, nullptr);   // and nothing after it

    // ...subclassed: none
    HWND hPlain = ::CreateWindowExA(0, "STATIC", "plain", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CStateProbeWnd subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hPlain));
    EXPECT_EQ(subclassed.m_pWndInitSeen, nullptr);
    subclassed.DestroyWindow();

    created.SendMessage(WM_SVC_PROBE, 0x1234, 0x5678);
    EXPECT_EQ(created.m_seen.hwnd, created.m_hWnd);
    EXPECT_EQ(created.m_seen.message, WM_SVC_PROBE);
    EXPECT_EQ(created.m_seen.wParam, (WPARAM)0x1234);
    EXPECT_EQ(created.m_seen.lParam, (LPARAM)0x5678);

    HMENU hPopup = ::CreatePopupMenu();
    created.SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, 0);
    EXPECT_EQ(created.m_hTrackingMenuSeen, hPopup);
    EXPECT_EQ(created.m_hTrackingWindowSeen, created.m_hWnd);
    ::DestroyMenu(hPopup);
    created.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Wait cursor
// ---------------------------------------------------------------------------

TEST(ServicesGlobals, WaitCursorsNestAndTheOutermostRestoresTheCursor)
{
    HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
    ::SetCursor(hArrow);
    CWinApp* pApp = AfxGetApp();
    {
        CWaitCursor outer;
        EXPECT_EQ(pApp->m_nWaitCursorCount, 1);
        EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_WAIT));
        {
            CWaitCursor inner;
            EXPECT_EQ(pApp->m_nWaitCursorCount, 2);
        }
        EXPECT_EQ(pApp->m_nWaitCursorCount, 1);
        EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_WAIT));
        ::SetCursor(hArrow);   // as a message box would
        outer.Restore();
        EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_WAIT));
    }
    EXPECT_EQ(pApp->m_nWaitCursorCount, 0);
    EXPECT_EQ(::GetCursor(), hArrow);
}

// ---------------------------------------------------------------------------
// String-table texts with arguments
// ---------------------------------------------------------------------------

TEST(ServicesGlobals, FormatStringsPutArgumentsInPlaceOfTheirNumbers)
{
    CString str;
    AfxFormatString1(str, IDS_SVC_FORMAT1, "C:\\a.txt");
    EXPECT_EQ(str, "Cannot open C:\\a.txt.");
    AfxFormatString2(str, IDS_SVC_FORMAT2, "one", "two");
    EXPECT_EQ(str, "two before one, %% stays, ? past the end");

    struct Case { const char* format; int nArgs; const char* expected; };
    const char* args[] = {"a", "b", NULL, "d", "e", "f", "g", "h", "i", "j", "k"};
    const Case cases[] = {
        {"%1%2%3%4", 4, "abd"},           // a NULL argument adds nothing
        {"%9 %A %B", 11, "i j k"},         // letters go on after 9
        {"%0 %x %", 2, "? %x %"},          // %0 is never an argument; others stay
        {"%2", 1, "?"},
        {"", 2, ""},
    };
    for (const Case& c : cases) {
        AfxFormatStrings(str, c.format, args, c.nArgs);
        EXPECT_EQ(str, c.expected) << c.format;
    }
    const char* letters[26];
    for (int i = 0; i < 26; i++)
        letters[i] = i == 9 ? "ten" : i == 10 ? "eleven" : "x";
    AfxFormatStrings(str, IDS_SVC_LETTERS, letters, 26);
    EXPECT_EQ(str, "ten|eleven|?");   // %Z is the 35th: past 26 arguments

    // a missing string formats as empty
    AfxFormatString1(str, IDS_CORE_MISSING, "x");
    EXPECT_EQ(str, "");
}

TEST(ServicesGlobals, LoadStringCopiesWhatFitsAndEmptiesTheBufferForAMissingString)
{
    char szBuf[8];
    EXPECT_EQ(AfxLoadString(IDS_SVC_FORMAT1, szBuf, sizeof(szBuf)), 7);
    EXPECT_STREQ(szBuf, "Cannot ");
    char szFull[256];
    EXPECT_EQ(AfxLoadString(IDS_SVC_FORMAT1, szFull), 15);
    EXPECT_STREQ(szFull, "Cannot open %1.");
    strcpy(szFull, "stale");
    EXPECT_EQ(AfxLoadString(IDS_CORE_MISSING, szFull), 0);
    EXPECT_STREQ(szFull, "");
}

// ---------------------------------------------------------------------------
// Scroll bars: the window's own, or controls standing in for them
// ---------------------------------------------------------------------------

class CSiblingBarsWnd : public CWnd
{
public:
    CScrollBar* m_pHorz = NULL;
    CScrollBar* GetScrollBarCtrl(int nBar) const override { return nBar == SB_HORZ ? m_pHorz : NULL; }
};

TEST(ServicesGlobals, EnableScrollBarCtrlEnablesAControlOrShowsTheOwnBar)
{
    CSiblingBarsWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "bars", WS_POPUP | WS_VSCROLL, 0, 0, 200, 150, NULL, NULL));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 100, 16), &wnd, 1));
    wnd.m_pHorz = &bar;

    wnd.EnableScrollBarCtrl(SB_BOTH, FALSE);
    EXPECT_FALSE(bar.IsWindowEnabled());                  // the control stands in for the bar
    EXPECT_FALSE(wnd.GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(wnd.GetStyle() & WS_VSCROLL);            // the own bar is hidden
    wnd.EnableScrollBarCtrl(SB_BOTH, TRUE);
    EXPECT_TRUE(bar.IsWindowEnabled());
    EXPECT_FALSE(wnd.GetStyle() & WS_HSCROLL);            // never the own bar for a replaced one
    EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
    wnd.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Drag rectangles
// ---------------------------------------------------------------------------

// Pixels that are not white.
int Marked(const CPixelCanvas& canvas, const CRect& rect)
{
    int n = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            n += canvas.At(x, y) != kWhite;
    return n;
}

bool SamePixels(const CPixelCanvas& a, const CPixelCanvas& b, int cx, int cy)
{
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

TEST(ServicesGlobals, DragRectInvertsAHalftoneFrameMovesItAndErasesIt)
{
    CBrush* pHalftone = CDC::GetHalftoneBrush();
    ASSERT_NE(pHalftone, nullptr);
    EXPECT_EQ(CDC::GetHalftoneBrush(), pHalftone);
    LOGBRUSH lb = {};
    ASSERT_TRUE(pHalftone->GetLogBrush(&lb));
    EXPECT_EQ(lb.lbStyle, (UINT)BS_PATTERN);

    const CRect r1(10, 10, 50, 40), r2(20, 16, 60, 56);
    const CSize frame(3, 3);
    CPixelCanvas canvas(64, 64);
    canvas.dc.DrawDragRect(r1, frame, NULL, CSize(0, 0));
    // half the pixels of the frame, nothing inside or outside it
    CRect inside = r1;
    inside.DeflateRect(frame);
    int nFrame = r1.Width() * r1.Height() - inside.Width() * inside.Height();
    EXPECT_EQ(Marked(canvas, r1), nFrame / 2);
    EXPECT_EQ(Marked(canvas, inside), 0);
    EXPECT_EQ(Marked(canvas, CRect(0, 0, 64, 64)), nFrame / 2);

    // moving it leaves exactly what drawing the new frame alone leaves
    canvas.dc.DrawDragRect(r2, frame, r1, frame);
    CPixelCanvas expected(64, 64);
    expected.dc.DrawDragRect(r2, frame, NULL, CSize(0, 0));
    EXPECT_TRUE(SamePixels(canvas, expected, 64, 64));

    // a frame of no thickness only takes the last one away
    canvas.dc.DrawDragRect(r2, CSize(0, 0), r2, frame);
    EXPECT_EQ(canvas.Count(kWhite), 64 * 64);

    // with another brush the last frame goes first, then the new one comes
    CBrush solid(kWhite);   // inverts every pixel it covers
    canvas.dc.DrawDragRect(r1, frame, NULL, CSize(0, 0), &solid);
    EXPECT_EQ(Marked(canvas, CRect(0, 0, 64, 64)), nFrame);
    canvas.dc.DrawDragRect(r2, frame, r1, frame, NULL, &solid);
    EXPECT_TRUE(SamePixels(canvas, expected, 64, 64));
}

// ---------------------------------------------------------------------------
// Print info, flags and ids, afxData, window classes
// ---------------------------------------------------------------------------

TEST(ServicesGlobals, PrintInfoStartsAtPageOneOfAnOpenRange)
{
    CPrintInfo info;
    ASSERT_NE(info.m_pPD, nullptr);
    EXPECT_EQ(info.GetMinPage(), 1u);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);
    EXPECT_EQ(info.GetFromPage(), 1u);
    EXPECT_EQ(info.GetToPage(), 0xFFFFu);
    EXPECT_EQ(info.m_nCurPage, 1u);
    EXPECT_TRUE(info.m_bContinuePrinting);
    EXPECT_FALSE(info.m_bPreview);
    EXPECT_EQ(info.m_lpUserData, nullptr);
    info.SetMaxPage(5);
    EXPECT_EQ(info.GetMaxPage(), 5u);
    EXPECT_EQ(info.m_pPD->m_pd.nMaxPage, 5);
}

TEST(ServicesGlobals, FlagsAndHelpIdsHaveTheValuesStoredHelpFilesUse)
{
    EXPECT_EQ(WF_STAYACTIVE, 0x0020);
    EXPECT_EQ(WF_STAYACTIVE & (WF_TOOLTIPS | WF_TEMPHIDE | WF_STAYDISABLED | WF_MODALLOOP | WF_CONTINUEMODAL |
                               WF_OLECTLCONTAINER | WF_TRACKINGTOOLTIPS), 0);
    EXPECT_EQ(HID_BASE_COMMAND, 0x10000);
    EXPECT_EQ(HID_BASE_RESOURCE, 0x20000);
    EXPECT_EQ(HID_BASE_PROMPT, 0x30000);
    EXPECT_EQ(HID_BASE_NCAREAS, 0x40000);
}

TEST(ServicesGlobals, AfxDataHoldsTheDoubledBordersAndTheMainWindowRefreshesIt)
{
    EXPECT_EQ(afxData.cxBorder2, 2 * ::GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(afxData.cyBorder2, 2 * ::GetSystemMetrics(SM_CYBORDER));
    EXPECT_EQ(afxData.cxVScroll, ::GetSystemMetrics(SM_CXVSCROLL));

    CWnd main, other;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    CWnd* pOldMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = &main;
    afxData.clrBtnFace = RGB(1, 2, 3);
    afxData.cxVScroll = -1;
    other.SendMessage(WM_SYSCOLORCHANGE);
    other.SendMessage(WM_SETTINGCHANGE);
    EXPECT_EQ(afxData.clrBtnFace, RGB(1, 2, 3));   // only the main window speaks for the program
    EXPECT_EQ(afxData.cxVScroll, -1);
    main.SendMessage(WM_SYSCOLORCHANGE);
    main.SendMessage(WM_SETTINGCHANGE);
    EXPECT_EQ(afxData.clrBtnFace, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(afxData.cxVScroll, ::GetSystemMetrics(SM_CXVSCROLL));
    AfxGetApp()->m_pMainWnd = pOldMain;
    other.DestroyWindow();
    main.DestroyWindow();
}

TEST(ServicesGlobals, DeferRegisterClassRegistersTheNamedClassesAndCommonControls)
{
    ASSERT_TRUE(AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG | AFX_WNDFRAMEORVIEW_REG | AFX_WNDMDIFRAME_REG |
                                      AFX_WND_REG | AFX_WNDCOMMCTL_USEREX_REG));
    WNDCLASSA wc;
    for (const char* name : {AFX_WNDCONTROLBAR, AFX_WNDFRAMEORVIEW, AFX_WNDMDIFRAME, AFX_WND, "ComboBoxEx32"})
        EXPECT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), name, &wc) || ::GetClassInfoA(NULL, name, &wc)) << name;
    CWnd bar;
    ASSERT_TRUE(bar.CreateEx(0, AFX_WNDCONTROLBAR, "bar", WS_POPUP, 0, 0, 20, 20, NULL, NULL));
    bar.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Cancelled drop-downs
// ---------------------------------------------------------------------------

TEST(ServicesGlobals, CancelModesClosesAFocusedDropListUnlessInputIsForIt)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 150, 120), &host, 1));
    combo.AddString("one");
    combo.AddString("two");
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, "BUTTON", "other", WS_CHILD | WS_VISIBLE, CRect(160, 10, 260, 30), &host, 2));
    host.SetForegroundWindow();
    combo.SetFocus();
    ASSERT_EQ(::GetFocus(), combo.m_hWnd);

    combo.ShowDropDown(TRUE);
    ASSERT_TRUE(combo.GetDroppedState());
    AfxCancelModes(combo.m_hWnd);   // input for the combo box itself
    EXPECT_TRUE(combo.GetDroppedState());
    AfxCancelModes(other.m_hWnd);
    EXPECT_FALSE(combo.GetDroppedState());

    // a drop-down combo box has the focus in its edit
    CComboBox dropDown;
    ASSERT_TRUE(dropDown.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 40, 150, 150), &host, 3));
    dropDown.AddString("three");
    dropDown.SetFocus();
    ASSERT_NE(::GetFocus(), dropDown.m_hWnd);
    ASSERT_EQ(::GetParent(::GetFocus()), dropDown.m_hWnd);
    dropDown.ShowDropDown(TRUE);
    ASSERT_TRUE(dropDown.GetDroppedState());
    AfxCancelModes(dropDown.m_hWnd);
    EXPECT_TRUE(dropDown.GetDroppedState());
    AfxCancelModes(other.m_hWnd);
    EXPECT_FALSE(dropDown.GetDroppedState());

    // a button with the focus has nothing to cancel
    other.SetFocus();
    AfxCancelModes(host.m_hWnd);
    host.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Dialogs from templates: creation, keys, control updates
// ---------------------------------------------------------------------------

std::vector<std::string> g_panelLog;

class CReflectedButton : public CButton
{
protected:
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI)
    {
        g_panelLog.push_back("reflected");
        pCmdUI->SetText("Mine");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectedButton, CButton)
    ON_UPDATE_COMMAND_UI_REFLECT(&CReflectedButton::OnUpdateSelf)
END_MESSAGE_MAP()

class CPanelWnd : public CWnd
{
public:
    int m_nClicks = 0;

protected:
    afx_msg void OnHandled() { m_nClicks++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPanelWnd, CWnd)
    ON_BN_CLICKED(IDC_SVC_HANDLED, &CPanelWnd::OnHandled)
END_MESSAGE_MAP()

// The object whose update handlers the panel's controls ask.
class CPanelTarget : public CCmdTarget
{
protected:
    afx_msg void OnUpdateHandled(CCmdUI* pCmdUI)
    {
        g_panelLog.push_back("target");
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPanelTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(IDC_SVC_HANDLED, &CPanelTarget::OnUpdateHandled)
END_MESSAGE_MAP()

TEST(ServicesDialogs, CreateDlgAttachesTheObjectAndItsMapGetsTheControlsCommands)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL));
    CPanelWnd panel;
    ASSERT_TRUE(panel.CreateDlg(MAKEINTRESOURCE(IDD_SVC_PANEL), &host));
    EXPECT_EQ(CWnd::FromHandlePermanent(panel.m_hWnd), &panel);
    EXPECT_EQ(::GetParent(panel.m_hWnd), host.m_hWnd);
    EXPECT_TRUE(panel.GetStyle() & WS_CHILD);   // the template's styles are kept
    ASSERT_NE(::GetDlgItem(panel.m_hWnd, IDC_SVC_HANDLED), nullptr);
    ::SendMessage(::GetDlgItem(panel.m_hWnd, IDC_SVC_HANDLED), BM_CLICK, 0, 0);
    EXPECT_EQ(panel.m_nClicks, 1);

    CWnd missing;
    EXPECT_FALSE(missing.CreateDlg(MAKEINTRESOURCE(IDS_CORE_MISSING), &host));
    host.DestroyWindow();
}

TEST(ServicesDialogs, PreTranslateInputTakesDialogKeysAndLeavesOtherMessages)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL));
    CPanelWnd panel;
    ASSERT_TRUE(panel.CreateDlg(MAKEINTRESOURCE(IDD_SVC_PANEL), &host));
    panel.ShowWindow(SW_SHOW);
    HWND hFirst = ::GetDlgItem(panel.m_hWnd, IDC_SVC_HANDLED);
    host.SetForegroundWindow();
    ::SetFocus(hFirst);

    MSG tab = {hFirst, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(panel.PreTranslateInput(&tab));
    EXPECT_NE(::GetFocus(), hFirst);   // Tab moved the focus on
    MSG other = {hFirst, WM_SVC_PROBE, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(panel.PreTranslateInput(&other));
    MSG timer = {panel.m_hWnd, WM_TIMER, 1, 0, 0, {0, 0}};
    EXPECT_FALSE(panel.PreTranslateInput(&timer));
    host.DestroyWindow();
}

TEST(ServicesDialogs, UpdateDialogControlsAsksEachControlsHandlersAndDisablesOnlyUnhandledPushButtons)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 400, 300, NULL, NULL));
    CPanelWnd panel;
    ASSERT_TRUE(panel.CreateDlg(MAKEINTRESOURCE(IDD_SVC_PANEL), &host));
    CReflectedButton reflected;
    ASSERT_TRUE(reflected.SubclassDlgItem(IDC_SVC_REFLECTED, &panel));
    CPanelTarget target;

    g_panelLog.clear();
    panel.UpdateDialogControls(&target, TRUE);
    auto enabled = [&](int nID) { return ::IsWindowEnabled(::GetDlgItem(panel.m_hWnd, nID)) != FALSE; };
    EXPECT_FALSE(enabled(IDC_SVC_HANDLED));     // the target's handler
    EXPECT_FALSE(enabled(IDC_SVC_UNHANDLED));   // a push button nothing handles
    EXPECT_TRUE(enabled(IDC_SVC_AUTOCHECK));    // acts by itself
    EXPECT_TRUE(enabled(IDC_SVC_EDIT));         // not a button
    EXPECT_TRUE(enabled(IDC_SVC_REFLECTED));    // its own handler answered
    CString strText;
    reflected.GetWindowText(strText);
    EXPECT_EQ(strText, "Mine");
    ASSERT_EQ(g_panelLog.size(), 2u);
    EXPECT_EQ(g_panelLog[0], "target");
    EXPECT_EQ(g_panelLog[1], "reflected");

    // without auto-disable an unhandled button is left as it is
    ::EnableWindow(::GetDlgItem(panel.m_hWnd, IDC_SVC_UNHANDLED), TRUE);
    panel.UpdateDialogControls(&target, FALSE);
    EXPECT_FALSE(enabled(IDC_SVC_HANDLED));
    EXPECT_TRUE(enabled(IDC_SVC_UNHANDLED));
    host.DestroyWindow();
}

// ---------------------------------------------------------------------------
// The MDI client's edge
// ---------------------------------------------------------------------------

TEST(ServicesMdi, TheClientLosesItsEdgeWhileTheActiveChildIsMaximised)
{
    CMDIFrameWnd* pMain = new CMDIFrameWnd;
    ASSERT_TRUE(pMain->LoadFrame(IDR_DOC_MDIFRAME, WS_OVERLAPPEDWINDOW));
    pMain->ShowWindow(SW_SHOWNORMAL);
    HWND hClient = pMain->m_hWndMDIClient;
    auto clientEdge = [&] { return (::GetWindowLongPtr(hClient, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0; };
    ASSERT_TRUE(clientEdge());

    CMDIChildWnd* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(NULL, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                               pMain));
    EXPECT_FALSE(pChild->UpdateClientEdge());   // nothing to change
    pChild->MDIMaximize();
    EXPECT_FALSE(clientEdge());
    CRect rectClient;
    ::GetClientRect(hClient, &rectClient);
    CRect rectWindow;
    ::GetWindowRect(hClient, &rectWindow);
    EXPECT_EQ(rectClient.Width(), rectWindow.Width());   // no border left around the child
    pChild->MDIRestore();
    EXPECT_TRUE(clientEdge());

    // asked directly, it reports the change and the client's new rectangle
    pChild->MDIMaximize();
    ::SetWindowLongPtr(hClient, GWL_EXSTYLE, ::GetWindowLongPtr(hClient, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    CRect rectNew;
    EXPECT_TRUE(pChild->UpdateClientEdge(&rectNew));
    ::GetClientRect(hClient, &rectClient);
    EXPECT_EQ(rectNew, rectClient);

    // the last child closing while maximised gives the edge back
    ASSERT_FALSE(clientEdge());
    pChild->MDIDestroy();
    EXPECT_EQ(pMain->MDIGetActive(), nullptr);
    EXPECT_TRUE(clientEdge());
    pMain->DestroyWindow();
}

// ---------------------------------------------------------------------------
// The extended combo box
// ---------------------------------------------------------------------------

TEST(ServicesControls, ComboBoxExTakesItemRecordsAndHasItsInnerControls)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    CComboBoxEx combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 200, 150), &host, 5));
    EXPECT_TRUE(combo.IsKindOf(RUNTIME_CLASS(CComboBox)));
    const char* texts[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; i++) {
        COMBOBOXEXITEM item = {};
        item.mask = CBEIF_TEXT | CBEIF_INDENT;
        item.iItem = i;
        item.pszText = (LPSTR)texts[i];
        item.iIndent = i;
        EXPECT_EQ(combo.InsertItem(&item), i);
    }
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetItemText(1), "Two");
    COMBOBOXEXITEM item = {};
    item.mask = CBEIF_INDENT;
    item.iItem = 2;
    ASSERT_TRUE(combo.GetItem(&item));
    EXPECT_EQ(item.iIndent, 2);
    EXPECT_EQ(combo.DeleteItem(0), 2);
    EXPECT_EQ(combo.GetItemText(0), "Two");

    ASSERT_NE(combo.GetComboBoxCtrl(), nullptr);
    char szClass[32] = "";
    ::GetClassNameA(combo.GetComboBoxCtrl()->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ(szClass, "ComboBox");
    EXPECT_NE(combo.GetEditCtrl(), nullptr);
    host.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Image lists in archives
// ---------------------------------------------------------------------------

TEST(ServicesGdi, ImageListsGoThroughAnArchiveBetweenOtherData)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    for (COLORREF color : {kRed, kBlue}) {
        CPixelCanvas canvas(16, 16, color);
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&canvas.dc, 16, 16));
        CDC dc;
        dc.CreateCompatibleDC(&canvas.dc);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 16, 16, color);
        dc.SelectObject(pOld);
        ASSERT_GE(images.Add(&bitmap, kMagenta), 0);
    }

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << (DWORD)0x11223344;
        ASSERT_TRUE(images.Write(&ar));
        ar << (DWORD)0x55667788;
        ar.Close();
    }
    file.SeekToBegin();
    CImageList copy;
    DWORD dwBefore = 0, dwAfter = 0;
    {
        CArchive ar(&file, CArchive::load);
        ar >> dwBefore;
        ASSERT_TRUE(copy.Read(&ar));
        ar >> dwAfter;
    }
    EXPECT_EQ(dwBefore, 0x11223344u);
    EXPECT_EQ(dwAfter, 0x55667788u);   // the list took exactly its own bytes
    EXPECT_EQ(copy.GetImageCount(), 2);
    int cx = 0, cy = 0;
    copy.GetIconSize(&cx, &cy);
    EXPECT_EQ(cx, 16);
    CPixelCanvas canvas(16, 16, kWhite);
    copy.Draw(&canvas.dc, 1, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(canvas.At(8, 8), kBlue);

    // a damaged archive: Read fails and the list keeps what it had
    BYTE garbage[16] = {1, 2, 3};
    CMemFile bad(garbage, sizeof(garbage));
    CArchive arBad(&bad, CArchive::load);
    EXPECT_FALSE(copy.Read(&arBad));
    EXPECT_EQ(copy.GetImageCount(), 2);
}

}  // namespace
