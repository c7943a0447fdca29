// The cool control organizer: its class table and refusals without a window,
// then a host holding one plain control of each class under real messages:
// attaching converts them all, the look follows hover and focus, controls
// made later convert, destroyed ones are released, detaching hands every
// window its own procedure back, and the skip log tells why each other
// window was left alone. One organizer per thread, each on its own thread.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <thread>
#include <vector>

#include "OXCoolButton.h"
#include "OXCoolComboBox.h"
#include "OXCoolControlOrganizer.h"
#include "OXCoolScrollBar.h"
#include "OXCoolSliderCtrl.h"
#include "OXCoolSpinButtonCtrl.h"
#include "OXItemTip.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

using TypeCheck = std::function<bool(CWnd*)>;

template <class T>
TypeCheck Is()
{
    return [](CWnd* p) { return dynamic_cast<T*>(p) != nullptr; };
}

struct ClassCase {
    const char* className;
    TypeCheck isExpected;
};

// The table as the organizer must hold it; names in other cases on purpose.
const ClassCase kClassTable[] = {
    {"Edit", Is<COXCoolCtrl<CEdit>>()},
    {"EDIT", Is<COXCoolCtrl<CEdit>>()},
    {"Button", Is<COXCoolButton>()},
    {"msctls_updown32", Is<COXCoolSpinButtonCtrl>()},
    {"msctls_hotkey32", Is<COXCoolCtrl<CHotKeyCtrl>>()},
    {"combobox", Is<COXCoolComboBox>()},
    {"ScrollBar", Is<COXCoolScrollBar>()},
    {"msctls_progress32", Is<COXCoolCtrl<CProgressCtrl>>()},
    {"msctls_trackbar32", Is<COXCoolSliderCtrl>()},
    {"SysDateTimePick32", Is<COXCoolCtrl<CDateTimeCtrl>>()},
    {"SysMonthCal32", Is<COXCoolCtrl<CMonthCalCtrl>>()},
    {"SysIPAddress32", Is<COXCoolCtrl<CIPAddressCtrl>>()},
    {"SysListView32", Is<COXCoolCtrl<CListCtrl>>()},
    {"SysTreeView32", Is<COXCoolCtrl<CTreeCtrl>>()},
    {"LISTBOX", Is<COXCoolCtrl<CListBox>>()},
    {"listbox", Is<COXCoolCtrl<CListBox>>()},
    {"RICHEDIT", Is<COXCoolCtrl<CRichEditCtrl>>()},
};

TEST(OXCoolControlOrganizerTable, EachClassGetsItsCoolObject)
{
    COXCoolControlOrganizer organizer;
    for (const ClassCase& c : kClassTable) {
        SCOPED_TRACE(c.className);
        EXPECT_TRUE(organizer.CanConvertWindow(NULL, c.className));
        CWnd* pWnd = COXCoolControlOrganizer::NewCoolControl(c.className);
        EXPECT_TRUE(c.isExpected(pWnd));
        delete pWnd;
    }
    // A class a derived organizer accepts beyond the table: the plain form.
    CWnd* pOther = COXCoolControlOrganizer::NewCoolControl("Static");
    EXPECT_TRUE((Is<COXCoolCtrl<CWnd>>()(pOther)));
    EXPECT_FALSE((Is<COXCoolCtrl<CEdit>>()(pOther)));
    delete pOther;
}

TEST(OXCoolControlOrganizerTable, OtherClassesAreRefused)
{
    COXCoolControlOrganizer organizer;
    // Rich edits of later versions convert only under their first name.
    for (const char* name : {"Static", "#32770", "RichEdit20A", "RICHEDIT50W", "tooltips_class32", "ComboLBox",
                             "Edit2", ""}) {
        EXPECT_FALSE(organizer.CanConvertWindow(NULL, name)) << name;
    }
}

// One plain control of each class, made without MFC objects, on a host.
class COXCoolControlOrganizerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        ::InitCommonControlsEx(&icc);
        ::LoadLibraryA("riched32.dll");
        ASSERT_TRUE(CreateHostWindow(m_host, "organizer", WS_POPUP | WS_VISIBLE, CRect(300, 200, 900, 700)));
        ::SetForegroundWindow(m_host.m_hWnd);
        ::SetCursorPos(5, 5);
        m_hEdit = Make("Edit", WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 10, 100, 24);
        m_hSpin = Make("msctls_updown32", UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, 110, 10, 16, 24);
        ::SendMessageA(m_hSpin, UDM_SETBUDDY, (WPARAM)m_hEdit, 0);
        m_hButton = Make("Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 140, 10, 80, 24);
        m_hRadio = Make("Button", BS_AUTORADIOBUTTON, 0, 230, 10, 80, 24);
        m_hCombo = Make("ComboBox", CBS_DROPDOWN, 0, 320, 10, 100, 120);
        m_hHotKey = Make("msctls_hotkey32", 0, 0, 430, 10, 80, 24);
        Make("ScrollBar", SBS_HORZ, 0, 10, 50, 120, 17);
        Make("msctls_progress32", 0, 0, 140, 50, 100, 17);
        Make("msctls_trackbar32", 0, 0, 250, 50, 120, 30);
        Make("SysDateTimePick32", 0, 0, 380, 50, 120, 24);
        Make("SysIPAddress32", 0, 0, 10, 90, 140, 24);
        Make("SysListView32", LVS_REPORT, WS_EX_CLIENTEDGE, 160, 90, 120, 80);
        Make("SysTreeView32", 0, WS_EX_CLIENTEDGE, 290, 90, 120, 80);
        Make("LISTBOX", WS_VSCROLL, WS_EX_CLIENTEDGE, 420, 90, 100, 80);
        Make("SysMonthCal32", 0, 0, 10, 180, 240, 180);
        m_hRichEdit = Make("RICHEDIT", 0, WS_EX_CLIENTEDGE, 260, 180, 120, 40);
        m_hStatic = Make("Static", 0, 0, 400, 180, 80, 20);
        m_mfcEdit.Create(WS_CHILD | WS_VISIBLE, CRect(400, 220, 500, 244), &m_host, 99);
        PumpMessagesFor(50);
    }
    void TearDown() override
    {
        if (::IsWindow(m_host.m_hWnd))
            m_host.DestroyWindow();
    }

    HWND Make(const char* className, DWORD style, DWORD exStyle, int x, int y, int cx, int cy)
    {
        HWND hWnd = ::CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy,
                                      m_host.m_hWnd, (HMENU)(INT_PTR)(100 + m_controls.size()),
                                      ::GetModuleHandleA(NULL), NULL);
        if (hWnd != NULL) {
            m_controls.push_back(hWnd);
            m_procs[hWnd] = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
        }
        return hWnd;
    }

    static DWORD SkipReason(const COXCoolControlOrganizer& organizer, HWND hWnd)
    {
        DWORD dwReason = 0;
        organizer.GetSkippedWindows().Lookup(hWnd, dwReason);
        return dwReason;
    }

    template <class T>
    static T* CoolOf(HWND hWnd)
    {
        return dynamic_cast<T*>(CWnd::FromHandlePermanent(hWnd));
    }

    CWnd m_host;
    CEdit m_mfcEdit;
    std::vector<HWND> m_controls;
    std::map<HWND, WNDPROC> m_procs;
    HWND m_hEdit = NULL, m_hSpin = NULL, m_hButton = NULL, m_hRadio = NULL, m_hCombo = NULL, m_hHotKey = NULL;
    HWND m_hRichEdit = NULL, m_hStatic = NULL;
};

TEST_F(COXCoolControlOrganizerTest, AttachConvertsEveryClassAndLogsTheRest)
{
    ASSERT_NE(m_hRichEdit, (HWND)NULL);
    // The edit of the combo box is its own to convert, never the organizer's.
    COXCoolControlOrganizer organizer;
    HWND hComboEdit = ::GetWindow(m_hCombo, GW_CHILD);
    ASSERT_NE(hComboEdit, (HWND)NULL);
    EXPECT_FALSE(organizer.CanConvertWindow(hComboEdit, "Edit"));

    ASSERT_TRUE(organizer.AttachToThread(::GetCurrentThreadId()));
    EXPECT_EQ(COXCoolControlOrganizer::GetThreadOrganizer(::GetCurrentThreadId()), &organizer);
    for (HWND hWnd : m_controls) {
        char szClass[64] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        SCOPED_TRACE(szClass);
        if (hWnd == m_hStatic) {
            EXPECT_EQ(SkipReason(organizer, hWnd), (DWORD)OXCOOL_SKIP_REFUSED);
            continue;
        }
        EXPECT_TRUE(organizer.IsAttachedWindow(hWnd));
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        bool bTyped = false;
        for (const ClassCase& c : kClassTable)
            if (lstrcmpiA(c.className, szClass) == 0)
                bTyped = c.isExpected(pWnd);
        EXPECT_TRUE(bTyped);
    }
    // Windows with objects of their own are left to them: the host, an MFC
    // edit, and the combo box's edit, which the cool combo box took over.
    EXPECT_EQ(SkipReason(organizer, m_host.m_hWnd), (DWORD)OXCOOL_SKIP_PERMANENT);
    EXPECT_EQ(SkipReason(organizer, m_mfcEdit.m_hWnd), (DWORD)OXCOOL_SKIP_PERMANENT);
    EXPECT_TRUE((CoolOf<COXCoolCtrl<CEdit>>(hComboEdit) != nullptr));
    EXPECT_FALSE(organizer.IsAttachedWindow(hComboEdit));

    // Attaching again, or a second organizer for the thread: refused.
    EXPECT_FALSE(organizer.AttachToThread(::GetCurrentThreadId()));
    COXCoolControlOrganizer second;
    EXPECT_FALSE(second.AttachToThread(::GetCurrentThreadId()));
    EXPECT_NE(COXCoolControlOrganizer::GetCBTHook(), (HHOOK)NULL);

    EXPECT_TRUE(organizer.DetachFromThread());
    EXPECT_FALSE(organizer.DetachFromThread());
    EXPECT_EQ(COXCoolControlOrganizer::GetThreadOrganizer(::GetCurrentThreadId()), nullptr);
    EXPECT_EQ(COXCoolControlOrganizer::GetCBTHook(), (HHOOK)NULL);
    EXPECT_EQ(organizer.GetSkippedWindows().GetCount(), 0);
}

// An organizer that declines to build an object for one control.
class CDecliningOrganizer : public COXCoolControlOrganizer
{
public:
    HWND m_hDecline = NULL;
    CWnd* ConvertWindow(HWND hWnd, const CString& sClassName) override
    {
        if (hWnd == m_hDecline)
            return NULL;
        return COXCoolControlOrganizer::ConvertWindow(hWnd, sClassName);
    }
};

TEST_F(COXCoolControlOrganizerTest, AFailedConversionIsLoggedAndNotRetried)
{
    CDecliningOrganizer organizer;
    organizer.m_hDecline = m_hHotKey;
    ASSERT_TRUE(organizer.AttachToThread());
    EXPECT_EQ(SkipReason(organizer, m_hHotKey), (DWORD)OXCOOL_SKIP_FAILED);
    EXPECT_FALSE(organizer.AttachWindow(m_hHotKey));
    ::RedrawWindow(m_hHotKey, NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_FALSE(organizer.IsAttachedWindow(m_hHotKey));
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(m_hHotKey, GWLP_WNDPROC), m_procs[m_hHotKey]);
}

TEST_F(COXCoolControlOrganizerTest, FlatWhenColdSunkenWhenFocusedOrHovered)
{
    HWND hSecondEdit = Make("Edit", WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 400, 100, 24);
    COXCoolControlOrganizer organizer;
    ASSERT_TRUE(organizer.AttachToThread());
    auto borderAt = [](HWND hWnd, int x, int y) {
        ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC hDC = ::GetWindowDC(hWnd);
        COLORREF colour = ::GetPixel(hDC, x, y);
        ::ReleaseDC(hWnd, hDC);
        return colour;
    };
    const COLORREF hi = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF dark = ::GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(borderAt(m_hEdit, 0, 5), hi);
    EXPECT_EQ(borderAt(m_hEdit, 1, 5), hi);

    // Focus: the edit turns sunken, and the spin button beside it carries
    // the sunken border on around itself though it is cold.
    m_mfcEdit.SetFocus();
    ::SetFocus(m_hEdit);
    ASSERT_TRUE(CoolOf<COXCoolCtrl<CEdit>>(m_hEdit)->IsHot());
    EXPECT_EQ(borderAt(m_hEdit, 0, 5), shadow);
    EXPECT_EQ(borderAt(m_hEdit, 1, 5), dark);
    EXPECT_FALSE(CoolOf<COXCoolSpinButtonCtrl>(m_hSpin)->IsHot());
    ::RedrawWindow(m_hSpin, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    {
        CClientDC dc(CWnd::FromHandle(m_hSpin));
        EXPECT_EQ(dc.GetPixel(5, 0), shadow);
        EXPECT_EQ(dc.GetPixel(5, 1), dark);
    }

    // Hover: the mouse over the second edit makes it hot; leaving cools it.
    CRect rect;
    ::GetWindowRect(hSecondEdit, &rect);
    ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
    ::SendMessageA(hSecondEdit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(CoolOf<COXCoolCtrl<CEdit>>(hSecondEdit)->IsHot());
    EXPECT_EQ(borderAt(hSecondEdit, 0, 5), shadow);
    ::SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return !CoolOf<COXCoolCtrl<CEdit>>(hSecondEdit)->IsHot(); }, kWaitMs));
    EXPECT_EQ(borderAt(hSecondEdit, 0, 5), hi);

    // A push button: flat while cold, the system's raised frame while hot;
    // disabled, flat whatever the mouse does.
    ::GetWindowRect(m_hButton, &rect);
    auto buttonRight = [&] {
        ::RedrawWindow(m_hButton, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC hDC = ::GetDC(m_hButton);
        COLORREF colour = ::GetPixel(hDC, rect.Width() - 1, 10);
        ::ReleaseDC(m_hButton, hDC);
        return colour;
    };
    EXPECT_EQ(buttonRight(), shadow);
    ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
    ::SendMessageA(m_hButton, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(CoolOf<COXCoolButton>(m_hButton)->IsHot());
    EXPECT_NE(buttonRight(), shadow);
    ::EnableWindow(m_hButton, FALSE);
    EXPECT_EQ(buttonRight(), shadow);
    ::EnableWindow(m_hButton, TRUE);
    ::SetCursorPos(5, 5);

    // A radio button is hot only under the mouse: the focus alone does not
    // make it hot, nor keep it hot once the mouse has left.
    COXCoolButton* pRadio = CoolOf<COXCoolButton>(m_hRadio);
    ::SetFocus(m_hRadio);
    EXPECT_FALSE(pRadio->IsHot());
    ::GetWindowRect(m_hRadio, &rect);
    ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
    ::SendMessageA(m_hRadio, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(pRadio->IsHot());
    ::SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return !pRadio->IsHot(); }, kWaitMs));
    EXPECT_EQ(::GetFocus(), m_hRadio);
}

TEST_F(COXCoolControlOrganizerTest, LaterControlsConvertAndDestroyedOnesAreReleased)
{
    COXCoolControlOrganizer organizer;
    ASSERT_TRUE(organizer.AttachToThread());
    const INT_PTR nConverted = organizer.GetConvertedWindows().GetCount();

    HWND hLater = Make("Edit", 0, WS_EX_CLIENTEDGE, 10, 440, 100, 24);
    HWND hLaterSlider = Make("msctls_trackbar32", 0, 0, 120, 440, 120, 30);
    EXPECT_TRUE(PumpUntil(
        [&] { return organizer.IsAttachedWindow(hLater) && organizer.IsAttachedWindow(hLaterSlider); }, kWaitMs));
    EXPECT_TRUE(CoolOf<COXCoolSliderCtrl>(hLaterSlider) != nullptr);
    EXPECT_EQ(organizer.GetConvertedWindows().GetCount(), nConverted + 2);

    // Destroyed: released before the window goes, so the object never sees
    // a window that is gone.
    ::DestroyWindow(hLater);
    EXPECT_FALSE(organizer.IsAttachedWindow(hLater));
    ::DestroyWindow(m_hCombo);
    EXPECT_FALSE(organizer.IsAttachedWindow(m_hCombo));
    EXPECT_EQ(organizer.GetConvertedWindows().GetCount(), nConverted);

    // Controls that go with their parent are released too.
    HWND hPanel = Make("Static", 0, 0, 300, 400, 200, 60);
    HWND hOnPanel = ::CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE, 5, 5, 100, 24, hPanel,
                                      NULL, ::GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(PumpUntil([&] { return organizer.IsAttachedWindow(hOnPanel); }, kWaitMs));
    ::DestroyWindow(hPanel);
    EXPECT_FALSE(organizer.IsAttachedWindow(hOnPanel));
    EXPECT_EQ(organizer.GetConvertedWindows().GetCount(), nConverted);
}

TEST_F(COXCoolControlOrganizerTest, DetachRestoresEveryControlAndKeepsItemTips)
{
    // One tip put on before the organizer, one after: both stay on their edit.
    HWND hTipBefore = Make("Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 400, 60, 24);
    HWND hTipAfter = Make("Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 80, 400, 60, 24);
    COXEditTip tipBefore, tipAfter;
    tipBefore.Attach(CWnd::FromHandle(hTipBefore));
    const WNDPROC pfnHook = (WNDPROC)::GetWindowLongPtrA(hTipBefore, GWLP_WNDPROC);
    ASSERT_EQ(pfnHook, &COXHookWndMap::HookWndProc);
    HWND hComboEdit = ::GetWindow(m_hCombo, GW_CHILD);
    const WNDPROC pfnComboEdit = (WNDPROC)::GetWindowLongPtrA(hComboEdit, GWLP_WNDPROC);

    COXCoolControlOrganizer organizer;
    ASSERT_TRUE(organizer.AttachToThread());
    ASSERT_TRUE(organizer.IsAttachedWindow(hTipAfter));
    tipAfter.Attach(CWnd::FromHandle(hTipAfter));
    ::SetFocus(m_hEdit);
    ASSERT_TRUE(organizer.DetachFromThread());

    for (HWND hWnd : m_controls) {
        if (hWnd == hTipBefore || hWnd == hTipAfter)
            continue;
        EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC), m_procs[hWnd]);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        EXPECT_EQ(::IsWindow(hWnd), TRUE);
    }
    // The combo box's own edit is handed back too, alive.
    EXPECT_TRUE(::IsWindow(hComboEdit));
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(hComboEdit, GWLP_WNDPROC), pfnComboEdit);
    EXPECT_EQ(CWnd::FromHandlePermanent(hComboEdit), nullptr);

    for (HWND hWnd : {hTipBefore, hTipAfter}) {
        EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC), pfnHook);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        // The edit itself still answers: an edit's limit, not DefWindowProc's 0.
        EXPECT_GT(::SendMessageA(hWnd, EM_GETLIMITTEXT, 0, 0), 0);
    }
    EXPECT_EQ(COXHookWndMap::GetHookMap().LookupHook(hTipAfter), &tipAfter);
    // The tip still answers for its edit, whose converting object is gone.
    ::SetWindowTextA(hTipAfter, "A keyword far too long for the narrow edit");
    EXPECT_EQ(tipAfter.Query(CPoint(5, 5)).result, OXITEMTIP_SHOW);
    tipBefore.Detach();
    tipAfter.Detach();
}

TEST_F(COXCoolControlOrganizerTest, AttachesOnlyToTheCallingThread)
{
    // A second thread with a window and an edit of its own.
    std::atomic<DWORD> otherThread{0};
    std::atomic<bool> ready{false}, release{false};
    std::atomic<int> otherAttached{-1}, otherConverted{-1};
    std::thread worker([&] {
        otherThread = ::GetCurrentThreadId();
        HWND hOwnHost = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
        HWND hOwnEdit = ::CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 40, 20, hOwnHost, NULL, NULL, NULL);
        ready = true;
        while (!release)
            ::Sleep(5);
        // Its own organizer, while the main thread's is attached too.
        COXCoolControlOrganizer own;
        otherAttached = own.AttachToThread(::GetCurrentThreadId());
        otherConverted = own.IsAttachedWindow(hOwnEdit);
        own.DetachFromThread();
        ::DestroyWindow(hOwnHost);
    });
    while (!ready)
        ::Sleep(5);

    COXCoolControlOrganizer organizer;
    EXPECT_FALSE(organizer.AttachToThread(otherThread));
    EXPECT_FALSE(organizer.IsAttached());
    EXPECT_EQ(COXCoolControlOrganizer::GetThreadOrganizer(otherThread), nullptr);
    EXPECT_FALSE(organizer.AttachToThread(0));

    // (Not an ASSERT: the worker must be released and joined whatever happens.)
    EXPECT_TRUE(organizer.AttachToThread());
    release = true;
    // Messages of this thread go on while the other attaches and detaches.
    EXPECT_TRUE(PumpUntil([&] { return otherConverted != -1; }, kWaitMs));
    worker.join();
    EXPECT_EQ(otherAttached, 1);
    EXPECT_EQ(otherConverted, 1);
    EXPECT_EQ(COXCoolControlOrganizer::GetThreadOrganizer(::GetCurrentThreadId()), &organizer);
    EXPECT_TRUE(organizer.IsAttachedWindow(m_hEdit));
}

}  // namespace
