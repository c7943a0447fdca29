// The start-up splash counting up and closing itself; the about box: its text
// picture laid out line by line, its text scrolling three times before it
// closes, a click closing it at once, the version in place of "***"; the
// application's About and Tip of the Day commands, the tip at start-up and
// the about box standing as a splash while the last document opens; the one
// non-modal about box and its message filter.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "AboutDlg.h"
#include "BasedApp.h"
#include "SplashDialog.h"
#include "TestFolder.h"
#include "VersionText.h"
#include "framework_res.h"
#include "testsupport.h"

namespace {

// ---------------------------------------------------------------------------
// Splash
// ---------------------------------------------------------------------------

// What the splash's status line and bar are given, in order.
struct SplashTrace {
    HWND hDlg = NULL;
    std::vector<std::string> texts;
    std::vector<int> positions;
};
SplashTrace* g_pSplashTrace = nullptr;

LRESULT CALLBACK RecordSplashSteps(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && g_pSplashTrace != nullptr && g_pSplashTrace->hDlg != NULL &&
        ::GetParent(p->hwnd) == g_pSplashTrace->hDlg) {
        int nId = ::GetDlgCtrlID(p->hwnd);
        if (p->message == WM_SETTEXT && nId == IDC_SPLASH_STATUS)
            g_pSplashTrace->texts.push_back((LPCSTR)p->lParam);
        if (p->message == PBM_SETPOS && nId == IDC_SPLASH_PROGRESS)
            g_pSplashTrace->positions.push_back((int)p->wParam);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

TEST(SplashDialogTest, CountsUpForTwoSecondsThenClosesItself)
{
    SplashTrace trace;
    g_pSplashTrace = &trace;
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordSplashSteps, NULL, ::GetCurrentThreadId());
    CMessageRecorder recorder;
    recorder.Only({WM_CLOSE});
    CDialogAnswerer answerer;
    std::string caption, firstStatus, label;
    answerer.Handle([&](HWND dialog, const ShownDialog& shown) {
        trace.hDlg = dialog;
        caption = shown.caption;
        firstStatus = WindowText(::GetDlgItem(dialog, IDC_SPLASH_STATUS));
        label = WindowText(::GetDlgItem(dialog, IDC_SPLASH_LABEL));
        recorder.Watch(dialog, "splash");
    });

    CSplashDialog dlg("Pellucor v 4.0", NULL);
    ULONGLONG tStart = ::GetTickCount64();
    dlg.DoModal();
    ULONGLONG nElapsed = ::GetTickCount64() - tStart;
    ::UnhookWindowsHookEx(hHook);
    g_pSplashTrace = nullptr;

    EXPECT_EQ(caption, "Pellucor v 4.0");
    EXPECT_EQ(label, "Pellucor v 4.0");
    EXPECT_EQ(firstStatus, "Loading Icons...") << "the template's text until the first step";
    ASSERT_EQ(trace.texts.size(), 40u) << "one step every 50 ms for 2 s";
    const std::vector<std::string> first(trace.texts.begin(), trace.texts.begin() + 5);
    EXPECT_EQ(first, (std::vector<std::string>{"Loading (2%)...", "Loading (5%)...", "Loading (7%)...",
                                               "Loading (10%)...", "Loading (12%)..."}));
    EXPECT_EQ(trace.texts.back(), "Loading (100%)...");
    ASSERT_EQ(trace.positions.size(), 40u);
    EXPECT_EQ(trace.positions.front(), 2);
    EXPECT_EQ(trace.positions.back(), 100);
    EXPECT_TRUE(recorder.Matches({{"splash", WM_CLOSE, kPosted}})) << recorder.Sequence();
    EXPECT_GE(nElapsed, 1900u) << "40 steps of 50 ms cannot end sooner";
}

// ---------------------------------------------------------------------------
// About box: the text picture
// ---------------------------------------------------------------------------

// A plain popup with a static of the given client size for the panel to take.
class CPanelHost
{
public:
    CPanelHost(int cx, int cy)
    {
        m_hHost = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 10, 10, cx, cy, NULL, NULL,
                                    ::GetModuleHandleA(NULL), NULL);
        m_hPanel = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, cx, cy, m_hHost,
                                     (HMENU)IDC_ABOUT_TEXT, ::GetModuleHandleA(NULL), NULL);
    }
    ~CPanelHost()
    {
        if (::IsWindow(m_hHost))
            ::DestroyWindow(m_hHost);
    }
    HWND m_hHost;
    HWND m_hPanel;
};

bool IsInk(COLORREF clr) { return clr != RGB(255, 255, 255); }
bool IsDark(COLORREF clr) { return GetRValue(clr) < 80 && GetGValue(clr) < 80 && GetBValue(clr) < 80; }

struct Band {
    int nInk = 0;         // pixels not white
    int nTitle = 0;       // pixels of the title colour exactly
    int nDark = 0;        // near-black pixels
    int nLeft = INT_MAX;  // leftmost ink
};

Band Measure(CDC* pDC, int yTop, int yBottom)
{
    Band b;
    for (int y = yTop; y < yBottom; y++)
        for (int x = 0; x < CAboutCtrl::cxPicture; x++) {
            COLORREF clr = pDC->GetPixel(x, y);
            if (!IsInk(clr))
                continue;
            b.nInk++;
            b.nTitle += clr == 0xE78C10;
            b.nDark += IsDark(clr);
            b.nLeft = std::min(b.nLeft, x);
        }
    return b;
}

int FontHeight(int nHeight, int nWeight)
{
    CFont font;
    font.CreateFont(nHeight, 0, 0, 0, nWeight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    return tm.tmHeight;
}

// The title line (tab) is large and coloured; a carriage-return line is bold,
// a plain line normal, both black; each line starts lower by its font's
// height, an empty line included; the marks are not drawn.
TEST(AboutCtrlTest, DrawsTheTextLineByLineIntoItsPicture)
{
    CPanelHost host(460, 320);
    CAboutCtrl ctrl;
    ctrl.SetText("\tSame\n\rSame\nSame\n\nSame");
    ctrl.SetXPosition(130);
    ctrl.SetScroll(TRUE);
    ASSERT_TRUE(ctrl.SubclassWindow(host.m_hPanel));
    ::KillTimer(host.m_hPanel, CAboutCtrl::nTimerId);
    CDC* pPicture = ctrl.GetTextPicture();
    ASSERT_NE(pPicture, nullptr);

    const int h20 = FontHeight(20, FW_BOLD), h14b = FontHeight(14, FW_BOLD), h14 = FontHeight(14, FW_NORMAL);
    const int tops[] = {0, h20, h20 + h14b, h20 + h14b + h14, h20 + h14b + 2 * h14, h20 + h14b + 3 * h14};
    Band title = Measure(pPicture, tops[0], tops[1]);
    Band bold = Measure(pPicture, tops[1], tops[2]);
    Band plain = Measure(pPicture, tops[2], tops[3]);
    Band empty = Measure(pPicture, tops[3], tops[4]);
    Band last = Measure(pPicture, tops[4], tops[5]);
    Band below = Measure(pPicture, tops[5], CAboutCtrl::cyPicture);

    EXPECT_GT(title.nTitle, 0) << "the title is drawn in its colour";
    EXPECT_EQ(title.nDark, 0);
    EXPECT_GT(bold.nDark, 0);
    EXPECT_GT(plain.nDark, 0);
    EXPECT_EQ(bold.nTitle + plain.nTitle + last.nTitle, 0);
    EXPECT_GT(title.nInk, bold.nInk) << "the title's font is the larger";
    EXPECT_GT(bold.nInk, plain.nInk) << "the carriage-return line is bold";
    EXPECT_EQ(empty.nInk, 0);
    EXPECT_EQ(last.nInk, plain.nInk) << "the last line is the plain line again, below the empty one";
    EXPECT_EQ(below.nInk, 0);
    // Neither the tab nor the carriage return takes room in front of the text.
    EXPECT_LE(std::abs(bold.nLeft - plain.nLeft), 1);
    EXPECT_LE(title.nLeft, plain.nLeft + 2);
    ctrl.UnsubclassWindow();
}

// ---------------------------------------------------------------------------
// About box: scrolling and closing
// ---------------------------------------------------------------------------

int CountPostedClose(HWND hWnd)
{
    int n = 0;
    MSG msg;
    while (::PeekMessageA(&msg, hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE))
        n++;
    return n;
}

// The text starts at the bottom and rises a pixel per tick; once wholly above
// the top it starts again from the bottom; the third time the parent is asked
// to close, once. Without scrolling it stays 5 pixels below the top and
// nothing closes.
TEST(AboutCtrlTest, ScrollsThreeTimesThenClosesItsParent)
{
    const int cy = 40;
    CPanelHost host(460, cy);
    CAboutCtrl ctrl;
    ctrl.SetText("\tPellucor\nline");
    ctrl.SetScroll(TRUE);
    ASSERT_TRUE(ctrl.SubclassWindow(host.m_hPanel));
    ::KillTimer(host.m_hPanel, CAboutCtrl::nTimerId);

    EXPECT_EQ(ctrl.GetTextTop(), cy);
    ctrl.Tick();
    EXPECT_EQ(ctrl.GetTextTop(), cy - 1);

    std::vector<int> passEnds;   // ticks after which a pass ended
    int nClosedAt = -1;
    int nPasses = ctrl.GetPassesLeft();
    for (int nTick = 2; nTick <= 4 * (cy + CAboutCtrl::cyPicture) && nClosedAt < 0; nTick++) {
        ctrl.Tick();
        if (ctrl.GetPassesLeft() != nPasses) {
            nPasses = ctrl.GetPassesLeft();
            passEnds.push_back(nTick);
            EXPECT_EQ(ctrl.GetTextTop(), cy) << "a new pass starts at the bottom";
        }
        int nCloses = CountPostedClose(host.m_hHost);
        if (nCloses > 0) {
            EXPECT_EQ(nCloses, 1);
            nClosedAt = nTick;
        }
    }
    const int nPass = cy + CAboutCtrl::cyPicture;
    EXPECT_EQ(passEnds, (std::vector<int>{nPass, 2 * nPass, 3 * nPass}));
    EXPECT_EQ(nClosedAt, 3 * nPass);
    for (int i = 0; i < 50; i++)
        ctrl.Tick();
    EXPECT_EQ(CountPostedClose(host.m_hHost), 0) << "asked once only";
    ctrl.UnsubclassWindow();

    CPanelHost still(460, cy);
    CAboutCtrl fixed;
    fixed.SetScroll(FALSE);
    fixed.SetWave(TRUE);
    ASSERT_TRUE(fixed.SubclassWindow(still.m_hPanel));
    ::KillTimer(still.m_hPanel, CAboutCtrl::nTimerId);
    for (int i = 0; i < 3 * nPass + 10; i++) {
        fixed.Tick();
        ASSERT_EQ(fixed.GetTextTop(), CAboutCtrl::nFixedTop);
    }
    EXPECT_EQ(CountPostedClose(still.m_hHost), 0);
    fixed.UnsubclassWindow();
}

// ---------------------------------------------------------------------------
// The application's commands
// ---------------------------------------------------------------------------

const char kAppName[] = "PellucorSplashTest";
const char kAppKey[] = "Software\\Dunmorrow\\PellucorSplashTest";

class CSplashTestApp : public CBasedApp
{
public:
    CSplashTestApp() : CBasedApp(kAppName) {}
    // What the about box standing as a splash showed while the document opened.
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override
    {
        m_nOpened++;
        m_bSplashUpWhileOpening = m_pSplashWnd != NULL && ::IsWindow(m_pSplashWnd->GetSafeHwnd()) &&
                                  m_pSplashWnd->IsWindowVisible();
        (void)lpszFileName;
        // As a document template would: the document's frame becomes the
        // main window.
        if (m_pFrameToOpen != NULL)
            m_pMainWnd = m_pFrameToOpen;
        return NULL;
    }
    CWnd* m_pFrameToOpen = NULL;
    BOOL Command(UINT nId) { return OnCmdMsg(nId, CN_COMMAND, NULL, NULL); }
    int m_nOpened = 0;
    bool m_bSplashUpWhileOpening = false;
};

// The application object under test is AfxGetApp() while it lives; the test
// main's comes back after.
class AppCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pPrevious = AfxGetApp();
        RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
        m_pApp = new CSplashTestApp;
        m_pApp->InitProfile();
        char szCurrent[MAX_PATH];
        ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
        m_strPrevious = szCurrent;
        ::SetCurrentDirectoryA(m_folder.Path());
    }
    void TearDown() override
    {
        ::SetCurrentDirectoryA(m_strPrevious);
        delete m_pApp;
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pState->m_pCurrentWinApp = m_pPrevious;
        pState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
        RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    }

    CTestFolder m_folder;
    CString m_strPrevious;
    CSplashTestApp* m_pApp = nullptr;
    CWinApp* m_pPrevious = nullptr;
};

// What a test saw of the modal about box.
struct AboutSeen {
    HWND hDlg = NULL;
    CAboutCtrl* pCtrl = nullptr;
    CString strText;
    int nX = -1;
    int nTicks = 0;
    int nTopBeforeFirstTick = 0;
    int nClientHeight = 0;
};

// Keeps the about panel's own scrolling ticks from it while it lives: the
// test drives every tick itself, and on a busy machine the panel's timer can
// fire before the test first reaches the box.
class CPanelTicksHeld
{
public:
    CPanelTicksHeld() { s_hHook = ::SetWindowsHookExA(WH_GETMESSAGE, Hook, NULL, ::GetCurrentThreadId()); }
    ~CPanelTicksHeld() { ::UnhookWindowsHookEx(s_hHook); }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        MSG* pMsg = (MSG*)lParam;
        if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == WM_TIMER &&
            pMsg->wParam == CAboutCtrl::nTimerId && pMsg->hwnd != NULL &&
            ::GetDlgCtrlID(pMsg->hwnd) == IDC_ABOUT_TEXT)
            pMsg->message = WM_NULL;
        return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
    }
    static inline HHOOK s_hHook = NULL;
};

// About (57664) runs the box modally with the application's text and number;
// the text scrolls past three times and the box closes itself.
TEST_F(AppCommandTest, AboutCommandShowsTheBoxUntilTheThirdPassEnds)
{
    m_pApp->m_strAbout = "\tPellucor\n***\nDunmorrow\n\rRelease version.\nPress Esc to close this dialog";
    m_pApp->m_nAboutNumber = 130;
    m_pApp->m_bAboutFlag = 0;

    CDialogAnswerer answerer;
    AboutSeen seen;
    answerer.Handle([&](HWND dialog, const ShownDialog&) { seen.hDlg = dialog; });
    CPanelTicksHeld held;
    CStepDriver steps(40);
    steps.WaitFor([&] { return seen.hDlg != NULL; }, "the about box");
    steps.Then([&] {
        HWND hPanel = ::GetDlgItem(seen.hDlg, IDC_ABOUT_TEXT);
        seen.pCtrl = dynamic_cast<CAboutCtrl*>(CWnd::FromHandlePermanent(hPanel));
        if (seen.pCtrl == nullptr) {
            ::PostMessageA(seen.hDlg, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        // The ticks are driven here, not by the 40 ms timer: three passes
        // would take most of a minute.
        seen.strText = seen.pCtrl->GetText();
        seen.nX = seen.pCtrl->GetXPosition();
        CRect rc;
        ::GetClientRect(hPanel, rc);
        seen.nClientHeight = rc.Height();
        seen.nTopBeforeFirstTick = seen.pCtrl->GetTextTop();
        MSG msg;
        while (seen.nTicks < 10000 && !::PeekMessageA(&msg, seen.hDlg, WM_CLOSE, WM_CLOSE, PM_NOREMOVE)) {
            seen.pCtrl->Tick();
            seen.nTicks++;
        }
    });
    EXPECT_TRUE(m_pApp->Command(ID_APP_ABOUT));
    ASSERT_NE(seen.pCtrl, nullptr) << "the text static is taken over by the panel";
    EXPECT_EQ(seen.nX, 130);
    CString strExpected = "\tPellucor\n" + GetVersionText() + "\nDunmorrow\n\rRelease version.\nPress Esc to close this dialog";
    EXPECT_EQ(seen.strText, strExpected) << "the version stands in place of ***";
    EXPECT_EQ(CAboutDlg::GetAboutText(), strExpected) << "the text is the process's shared about text";
    EXPECT_EQ(seen.nTopBeforeFirstTick, seen.nClientHeight) << "scrolling starts at the bottom";
    EXPECT_EQ(seen.nTicks, 3 * (seen.nClientHeight + CAboutCtrl::cyPicture));
    EXPECT_FALSE(::IsWindow(seen.hDlg)) << "the box closed and DoModal returned";
}

// A left click on the text (a real mouse click) closes the box at once.
// A click that missed the box must fail the test, not wait out the three
// scrolling passes (over a minute): the box is then closed from outside.
static HWND s_hAboutToClose = NULL;
static bool s_bClosedFromOutside = false;
static void CALLBACK CloseMissedAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (::IsWindow(s_hAboutToClose)) {
        s_bClosedFromOutside = true;
        ::PostMessageA(s_hAboutToClose, WM_CLOSE, 0, 0);
    }
}

TEST_F(AppCommandTest, AboutBoxClosesOnALeftClick)
{
    CDialogAnswerer answerer;
    HWND hDlg = NULL;
    POINT ptBefore = {0, 0};
    UINT_PTR nFallback = 0;
    s_bClosedFromOutside = false;
    ::GetCursorPos(&ptBefore);
    answerer.Handle([&](HWND dialog, const ShownDialog&) {
        hDlg = dialog;
        s_hAboutToClose = dialog;
        nFallback = ::SetTimer(NULL, 0, kWaitMs + 5000, &CloseMissedAboutBox);
    });
    CStepDriver steps(40);
    // The click lands where the box shows on screen, once it shows.
    steps.WaitFor(
        [&] {
            if (hDlg == NULL)
                return false;
            CRect rc;
            HWND hText = ::GetDlgItem(hDlg, IDC_ABOUT_TEXT);
            ::GetWindowRect(hText, rc);
            ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
            return ::IsWindowVisible(hDlg) && ::WindowFromPoint(rc.CenterPoint()) == hText;
        },
        "the about box's text under the pointer");
    steps.Then([] {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, in, sizeof(INPUT));
    });
    EXPECT_TRUE(m_pApp->Command(ID_APP_ABOUT));
    ::KillTimer(NULL, nFallback);
    s_hAboutToClose = NULL;
    ::SetCursorPos(ptBefore.x, ptBefore.y);
    EXPECT_FALSE(s_bClosedFromOutside) << "the click did not close the box";
    EXPECT_TRUE(steps.Done());
    EXPECT_FALSE(::IsWindow(hDlg));
}

TEST_F(AppCommandTest, TipCommandAndTipAtStartUp)
{
    WriteFileBytes(m_folder.File("tips.txt"), "Only tip\r\n");
    struct Case {
        const char* name;
        int startUp;        // "Tip"/"StartUp"
        bool command;       // the command (shows always) or the start-up call
        bool shown;
    } cases[] = {
        {"command", 1, true, true},
        {"start-up, tips on", 0, false, true},
        {"start-up, tips off", 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_pApp->WriteProfileInt("Tip", "StartUp", c.startUp);
        CDialogAnswerer answerer;
        answerer.SetDefault(IDCANCEL);
        if (c.command)
            EXPECT_TRUE(m_pApp->Command(ID_SHOW_TIP_OF_THE_DAY));
        else
            m_pApp->ShowTipAtStartup();
        ASSERT_EQ(answerer.Shown().size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(answerer.Shown()[0].caption, "Tip of the Day");
        }
    }
}

// While the last document opens, the about box stands as a splash unless the
// program starts hidden or minimised; it is gone afterwards.
TEST_F(AppCommandTest, AboutBoxStandsAsSplashWhileTheLastDocumentOpens)
{
    CString strDoc = m_folder.File("last.kvfile");
    WriteFileBytes(strDoc, "document");
    m_pApp->WriteProfileString("Recent File List", "File1", strDoc);
    struct Case {
        int nCmdShow;
        bool splash;
    } cases[] = {
        {SW_SHOWNORMAL, true}, {SW_SHOWMAXIMIZED, true}, {SW_HIDE, false},
        {SW_SHOWMINIMIZED, false}, {SW_MINIMIZE, false}, {SW_SHOWMINNOACTIVE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nCmdShow);
        m_pApp->m_nCmdShow = c.nCmdShow;
        m_pApp->m_nOpened = 0;
        // No frame comes up and no template makes a new document: a failed start.
        EXPECT_FALSE(m_pApp->OpenLastDocumentAtStartup());
        EXPECT_EQ(m_pApp->m_nOpened, 1);
        EXPECT_EQ(m_pApp->m_bSplashUpWhileOpening, c.splash);
        EXPECT_EQ(m_pApp->m_bSplash, 0);
        ASSERT_NE(m_pApp->m_pSplashWnd, nullptr);
        EXPECT_FALSE(::IsWindow(m_pApp->m_pSplashWnd->GetSafeHwnd())) << "gone once the document is open";
    }

    // The last document brings its frame up: the start succeeds.
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    m_pApp->m_pFrameToOpen = &frame;
    m_pApp->m_nCmdShow = SW_SHOWNORMAL;
    m_pApp->m_nOpened = 0;
    EXPECT_TRUE(m_pApp->OpenLastDocumentAtStartup());
    EXPECT_EQ(m_pApp->m_nOpened, 1);
    m_pApp->m_pMainWnd = NULL;
    m_pApp->m_pFrameToOpen = NULL;
    frame.DestroyWindow();

    // No last document at all, and nothing to make a new one with: failed.
    DeleteFileA(strDoc);
    m_pApp->m_nOpened = 0;
    EXPECT_FALSE(m_pApp->OpenLastDocumentAtStartup());
    EXPECT_EQ(m_pApp->m_nOpened, 0);
}

// ---------------------------------------------------------------------------
// The non-modal about box
// ---------------------------------------------------------------------------

LRESULT CALLBACK CountingWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_KEYDOWN || nMsg == WM_LBUTTONDOWN) {
        int* pCount = (int*)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
        if (pCount != nullptr)
            (*pCount)++;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

// Off until switched on; then at most one at a time; a key or mouse press
// anywhere on the thread closes it and goes no further.
TEST(AboutSplashTest, OneBoxClosedByAnyPressThatItSwallows)
{
    EXPECT_FALSE(CAboutDlg::ShowSplashScreen()) << "off by default";
    EXPECT_EQ(CAboutDlg::GetSplashScreen(), nullptr);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingWndProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "PellucorPressCounter";
    ::RegisterClassA(&wc);
    HWND hOther = ::CreateWindowExA(0, wc.lpszClassName, "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL,
                                    wc.hInstance, NULL);
    int nPresses = 0;
    ::SetWindowLongPtrA(hOther, GWLP_USERDATA, (LONG_PTR)&nPresses);

    CAboutDlg::SetAboutText("\tShared\nbox");
    CAboutDlg::EnableSplashScreen(TRUE);
    for (UINT nPress : {(UINT)WM_KEYDOWN, (UINT)WM_LBUTTONDOWN}) {
        SCOPED_TRACE(nPress);
        ASSERT_TRUE(CAboutDlg::ShowSplashScreen());
        CAboutDlg* pBox = CAboutDlg::GetSplashScreen();
        ASSERT_NE(pBox, nullptr);
        EXPECT_FALSE(CAboutDlg::ShowSplashScreen()) << "one at a time";
        EXPECT_TRUE(pBox->IsWindowVisible());
        EXPECT_EQ(pBox->m_ctrlAbout.GetText(), "\tShared\nbox");
        EXPECT_EQ(pBox->m_ctrlAbout.GetXPosition(), 0);

        ::PostMessageA(hOther, nPress, 0, 0);
        EXPECT_TRUE(PumpUntil([] { return CAboutDlg::GetSplashScreen() == nullptr; }, kWaitMs));
        PumpMessagesFor(20);
        EXPECT_EQ(nPresses, 0) << "the press only closed the box";
    }
    ::PostMessageA(hOther, WM_KEYDOWN, 0, 0);
    PumpMessagesFor(20);
    EXPECT_EQ(nPresses, 1) << "with no box up, presses go where they were sent";

    CAboutDlg::EnableSplashScreen(FALSE);
    ::DestroyWindow(hOther);
}

}  // namespace
