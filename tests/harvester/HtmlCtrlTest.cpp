// The browser pane: where addresses go (a table of addresses), the document
// host's answers through the real browser's client site, the pane's
// navigation events from real Navigate2 calls, context menus and the pane's
// survival of a browser that cannot be made.
#include "HtmlCtrl.h"
#include "PaneNavigation.h"
#include "SiteAddresses.h"

#include <afxole.h>
#include <mshtml.h>
#include <mshtmdid.h>
#include <exdispid.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testsupport.h"

namespace {

const IID kIidDocHostShowUI = {0xC4D244B0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};

// ---------------------------------------------------------------------------
// The navigation rule
// ---------------------------------------------------------------------------

const char* Name(PaneNavigation n)
{
  switch (n) {
  case paneLoad: return "load";
  case paneOpenInShell: return "shell";
  case paneAppCommand: return "app";
  case paneCancel: return "cancel";
  }
  return "?";
}

TEST(PaneNavigationRule, SendsEachAddressWhereItBelongs)
{
  const bool top = true, frame = false;
  struct Row { const char* url; bool topLevel; PaneNavigation want; } table[] = {
      // The maker's pages stay in the pane, in any frame, whatever the case
      // of scheme and host, with or without the default port or root slash.
      {PELLUCOR_PANE_PAGE_1, top, paneLoad},
      {PELLUCOR_PANE_PAGE_2, frame, paneLoad},
      {PELLUCOR_PANE_PAGE_3, top, paneLoad},
      {PELLUCOR_PANE_PAGE_4, top, paneLoad},
      {"HTTP://WWW.Dunmorrow.EXAMPLE/pellucor/news.html", top, paneLoad},
      {"http://www.dunmorrow.example:80/pellucor/news.html", top, paneLoad},
      {"http://pellucor.dunmorrow.example", top, paneLoad},
      {"http://pellucor.dunmorrow.example:80", top, paneLoad},
      // Near misses are other addresses: the user's browser opens them.
      {"http://www.dunmorrow.example/Pellucor/news.html", top, paneOpenInShell},
      {"http://www.dunmorrow.example/pellucor/news.html?x=1", top, paneOpenInShell},
      {"http://www.dunmorrow.example/pellucor/news.html#top", top, paneOpenInShell},
      {"http://www.dunmorrow.example/pellucor", top, paneOpenInShell},
      {"https://www.dunmorrow.example/pellucor/news.html", top, paneOpenInShell},
      {"http://www.dunmorrow.example:8080/pellucor/news.html", top, paneOpenInShell},
      {"http://www.dunmorrow.example.evil.example/pellucor/news.html", top, paneOpenInShell},
      {"http://www.example.com/", top, paneOpenInShell},
      {"HTTPS://www.example.com/a?b=c", top, paneOpenInShell},
      {"mailto:someone@example.com", top, paneOpenInShell},
      // ...but only when the pane itself was sent there, not a page's frame.
      {"http://www.example.com/", frame, paneCancel},
      {"mailto:someone@example.com", frame, paneCancel},
      // A user name in front of a host disguises the real host.
      {"http://user@www.dunmorrow.example/pellucor/news.html", top, paneCancel},
      {"http://www.dunmorrow.example@evil.example/", top, paneCancel},
      // Nothing local, nothing of other handlers, nothing malformed.
      {"about:blank", top, paneCancel},
      {"file:///C:/windows/system32/calc.exe", top, paneCancel},
      {"\\\\host\\share\\x.exe", top, paneCancel},
      {"C:\\Windows\\notepad.exe", top, paneCancel},
      {"javascript:alert(1)", top, paneCancel},
      {"res://ieframe.dll/navcancl.htm", top, paneCancel},
      {"telnet://example.com", top, paneCancel},
      {"ms-settings:display", top, paneCancel},
      {"http://www.example.com/\" --flag", top, paneCancel},
      {"http://www.example.com/\tx", top, paneCancel},
      {"http://", top, paneCancel},
      {"http:www.example.com", top, paneCancel},
      {"mailto:", top, paneCancel},
      {"", top, paneCancel},
      // "app:" goes to the pane's command hook from anywhere, and never to
      // the shell, whatever follows it.
      {"app:3", frame, paneAppCommand},
      {"APP:7", top, paneAppCommand},
      {"App:dialog", top, paneAppCommand},
      {"app:", top, paneAppCommand},
  };
  for (const Row& row : table)
    EXPECT_STREQ(Name(row.want), Name(DecidePaneNavigation(row.url, row.topLevel)))
        << row.url << (row.topLevel ? " (top level)" : " (frame)");
  EXPECT_EQ(paneCancel, DecidePaneNavigation(nullptr, true));
}

TEST(PaneNavigationRule, AppCommandIsTheFifthCharacterWhenTheHookKnowsIt)
{
  struct Row { const char* url; const char* want; } table[] = {
      {"app:0", "0"}, {"app:1", "1"}, {"app:2", "2"}, {"app:3", "3"}, {"app:9", "9"},
      {"APP:3", "3"}, {"aPp:1rest", "1"},
      {"app:4", ""},  {"app:7", ""},  {"app:", ""},   {"app:x", ""},  {"xapp:1", ""}, {"ap", ""},
  };
  for (const Row& row : table)
    EXPECT_STREQ(row.want, (LPCTSTR)PaneAppCommand(row.url)) << row.url;
}

TEST(PaneNavigationRule, ComparisonFormOfAddresses)
{
  struct Row { const char* url; const char* want; } table[] = {
      {"HTTP://Host.Example", "http://host.example/"},
      {"http://host.example:80/A/b?Q#F", "http://host.example/A/b?Q#F"},
      {"https://host.example:443", "https://host.example/"},
      {"https://host.example:80/", "https://host.example:80/"},
      {"http://host.example:/x", "http://host.example/x"},
      {"http://host.example?q", "http://host.example/?q"},
      {"http://host.example:8x/", ""},
      {"http://a@host.example/", ""},
      {"ftp://host.example/", ""},
      {"http://:80/", ""},
  };
  for (const Row& row : table)
    EXPECT_STREQ(row.want, (LPCTSTR)NormalizePaneAddress(row.url)) << row.url;
}

// ---------------------------------------------------------------------------
// The pane with the real browser control
// ---------------------------------------------------------------------------

struct ShellCall { std::string verb, file; bool paramsNull, dirNull; int show; };
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show)
{
  g_shellCalls.push_back({verb ? verb : "", file ? file : "", params == nullptr, dir == nullptr, show});
  return (HINSTANCE)42;
}

// A site whose control can never be made, as on a system without the browser.
class CFailingSite : public COleControlSite {
 public:
  explicit CFailingSite(COleControlContainer* pCont) : COleControlSite(pCont) {}
  BOOL CreateControl(REFCLSID, LPCTSTR, DWORD, const RECT&, UINT) override { return FALSE; }
};

class CTestHtmlCtrl : public CHtmlCtrl {
 public:
  struct Before { std::string url; BOOL cancel; };
  std::vector<Before> m_before;
  std::vector<std::string> m_appCommands;
  bool m_failBrowser = false;

  using CHtmlView::OnBrowserEvent;

  void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName, CByteArray& baPostedData,
                         LPCTSTR lpszHeaders, BOOL* pbCancel) override
  {
    CHtmlCtrl::OnBeforeNavigate2(lpszURL, nFlags, lpszTargetFrameName, baPostedData, lpszHeaders, pbCancel);
    m_before.push_back({lpszURL, *pbCancel});
    // Nothing is ever fetched by these tests.
    *pbCancel = TRUE;
  }
  COleControlSite* CreateControlSite(COleControlContainer* pContainer) override
  {
    if (m_failBrowser) return new CFailingSite(pContainer);
    return CHtmlCtrl::CreateControlSite(pContainer);
  }

 protected:
  void OnAppCommand(LPCTSTR lpszCommand) override { m_appCommands.push_back(lpszCommand); }
};

class HtmlPane : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(AfxOleInit());
    ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "view", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400,
                                  nullptr, nullptr));
    m_oldShell = CHtmlCtrl::s_pfnShellExecute;
    CHtmlCtrl::s_pfnShellExecute = RecordShellExecute;
    g_shellCalls.clear();
  }
  void TearDown() override
  {
    CHtmlCtrl::s_pfnShellExecute = m_oldShell;
    if (m_parent.m_hWnd) m_parent.DestroyWindow();
  }

  bool CreatePane(CTestHtmlCtrl& pane, BOOL bScroll = TRUE, BOOL b3D = TRUE)
  {
    return pane.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 310, 210), &m_parent, 1319,
                       nullptr, bScroll, b3D) != FALSE;
  }

  // The interface the browser itself would get from its client site.
  template <class I>
  I* FromClientSite(CHtmlCtrl& pane, REFIID iid)
  {
    IOleObject* pObj = nullptr;
    IOleClientSite* pSite = nullptr;
    I* p = nullptr;
    if (pane.GetBrowserApp() && SUCCEEDED(pane.GetBrowserApp()->QueryInterface(IID_IOleObject, (void**)&pObj))) {
      if (SUCCEEDED(pObj->GetClientSite(&pSite)) && pSite) {
        pSite->QueryInterface(iid, (void**)&p);
        pSite->Release();
      }
      pObj->Release();
    }
    return p;
  }

  CWnd m_parent;
  CHtmlCtrl::PFNSHELLEXECUTE m_oldShell = nullptr;
};

TEST_F(HtmlPane, HostTellsTheBrowserItsFlagsOptionKeyAndDownloadControl)
{
  struct Row { BOOL scroll, border; DWORD flags; } table[] = {
      {TRUE, TRUE, DOCHOSTUIFLAG_THEME},
      {FALSE, TRUE, DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_SCROLL_NO},
      {TRUE, FALSE, DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_NO3DBORDER},
      {FALSE, FALSE, 0x40000u | 0x8u | 0x4u},
  };
  for (const Row& row : table) {
    CTestHtmlCtrl pane;
    ASSERT_TRUE(CreatePane(pane, row.scroll, row.border));
    EXPECT_EQ(m_parent.m_hWnd, ::GetParent(pane.m_hWnd));
    EXPECT_EQ(1319, pane.GetDlgCtrlID());
    IDocHostUIHandler* pHost = FromClientSite<IDocHostUIHandler>(pane, IID_IDocHostUIHandler);
    ASSERT_NE(nullptr, pHost);
    DOCHOSTUIINFO info = {};
    info.cbSize = sizeof(info);
    info.dwDoubleClick = 99;
    EXPECT_EQ(S_OK, pHost->GetHostInfo(&info));
    EXPECT_EQ(row.flags, info.dwFlags) << row.scroll << row.border;
    EXPECT_EQ((DWORD)DOCHOSTUIDBLCLK_DEFAULT, info.dwDoubleClick);
    pHost->Release();
  }

  CTestHtmlCtrl pane;
  ASSERT_TRUE(CreatePane(pane));
  IDocHostUIHandler* pHost = FromClientSite<IDocHostUIHandler>(pane, IID_IDocHostUIHandler);
  ASSERT_NE(nullptr, pHost);
  LPOLESTR key = nullptr;
  ASSERT_EQ(S_OK, pHost->GetOptionKeyPath(&key, 0));
  ASSERT_NE(nullptr, key);
  EXPECT_STREQ(L"Software\\CHtmlDialog", key);
  CoTaskMemFree(key);
  EXPECT_EQ(E_INVALIDARG, pHost->GetOptionKeyPath(nullptr, 0));
  pHost->Release();

  // The download options the browser reads from its site's ambient properties.
  IDispatch* pAmbient = FromClientSite<IDispatch>(pane, IID_IDispatch);
  ASSERT_NE(nullptr, pAmbient);
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  VARIANT v;
  VariantInit(&v);
  ASSERT_EQ(S_OK, pAmbient->Invoke(DISPID_AMBIENT_DLCONTROL, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr,
                                   nullptr));
  EXPECT_EQ(VT_I4, V_VT(&v));
  EXPECT_EQ(0x40004410, V_I4(&v));
  VariantInit(&v);
  ASSERT_EQ(S_OK, pAmbient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr,
                                   nullptr));
  EXPECT_EQ(VARIANT_TRUE, V_BOOL(&v));
  pAmbient->Release();
}

TEST_F(HtmlPane, HostAnswersEveryOtherQuestionAsTheHandlerTableSays)
{
  CTestHtmlCtrl pane;
  ASSERT_TRUE(CreatePane(pane));
  IDocHostUIHandler* h = FromClientSite<IDocHostUIHandler>(pane, IID_IDocHostUIHandler);
  IDocHostShowUI* s = FromClientSite<IDocHostShowUI>(pane, kIidDocHostShowUI);
  ASSERT_NE(nullptr, h);
  ASSERT_NE(nullptr, s);

  IDataObject* pDO = reinterpret_cast<IDataObject*>(1);
  IDispatch* pExt = reinterpret_cast<IDispatch*>(1);
  OLECHAR* pUrlOut = reinterpret_cast<OLECHAR*>(1);
  IDropTarget* pDrop = nullptr;
  MSG msg = {};
  RECT rc = {};
  struct Row { const char* what; HRESULT got, want; } table[] = {
      {"OnDocWindowActivate", h->OnDocWindowActivate(TRUE), E_NOTIMPL},
      {"EnableModeless", h->EnableModeless(TRUE), E_NOTIMPL},
      {"FilterDataObject", h->FilterDataObject(nullptr, &pDO), E_NOTIMPL},
      {"OnFrameWindowActivate", h->OnFrameWindowActivate(TRUE), E_NOTIMPL},
      {"GetDropTarget", h->GetDropTarget(nullptr, &pDrop), E_NOTIMPL},
      {"GetExternal", h->GetExternal(&pExt), E_NOTIMPL},
      {"HideUI", h->HideUI(), S_OK},
      {"ResizeBorder", h->ResizeBorder(&rc, nullptr, TRUE), E_NOTIMPL},
      {"ShowUI", h->ShowUI(0, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL},
      {"TranslateAccelerator", h->TranslateAccelerator(&msg, nullptr, 0), S_FALSE},
      {"TranslateUrl", h->TranslateUrl(0, (OLECHAR*)L"http://x/", &pUrlOut), E_NOTIMPL},
      {"UpdateUI", h->UpdateUI(), S_OK},
      {"ShowHelp", s->ShowHelp(nullptr, nullptr, 0, 0, POINT{0, 0}, nullptr), E_NOTIMPL},
  };
  for (const Row& row : table) EXPECT_EQ(row.want, row.got) << row.what;
  // Outputs the browser would read are cleared, never left dangling.
  EXPECT_EQ(nullptr, pDO);
  EXPECT_EQ(nullptr, pExt);
  EXPECT_EQ(nullptr, pUrlOut);

  // A page's message box: plain, captioned "Caption", its answer returned.
  CDialogAnswerer answerer;
  answerer.Answer(IDNO);
  LRESULT result = 0;
  EXPECT_EQ(S_OK, s->ShowMessage(pane.m_hWnd, (LPOLESTR)L"Hello from the page", (LPOLESTR)L"Page caption",
                                 MB_YESNO, nullptr, 0, &result));
  EXPECT_EQ(IDNO, result);
  ASSERT_EQ(1u, answerer.Shown().size());
  EXPECT_EQ("Caption", answerer.Shown()[0].caption);
  EXPECT_EQ("Hello from the page", answerer.Shown()[0].text);

  h->Release();
  s->Release();
}

// The browser may hold its site after the pane's window is gone; the site must
// not answer through the handler object deleted with the window, and a pane
// created again gets a handler object of its own.
TEST_F(HtmlPane, SiteHeldPastDestroyAnswersSafelyAndThePaneCanBeCreatedAgain)
{
  CTestHtmlCtrl pane;
  ASSERT_TRUE(CreatePane(pane, FALSE, TRUE));
  IDocHostUIHandler* pHost = FromClientSite<IDocHostUIHandler>(pane, IID_IDocHostUIHandler);
  ASSERT_NE(nullptr, pHost);
  CDocHostOccManager* pManager = pane.GetOccManager();
  ASSERT_NE(nullptr, pManager);

  pane.DestroyWindow();
  EXPECT_EQ(nullptr, pane.GetHandlers());
  DOCHOSTUIINFO info = {};
  info.cbSize = sizeof(info);
  EXPECT_EQ(E_NOTIMPL, pHost->GetHostInfo(&info));
  EXPECT_EQ(S_FALSE, pHost->ShowContextMenu(0, nullptr, nullptr, nullptr));
  pHost->Release();

  ASSERT_TRUE(CreatePane(pane, TRUE, FALSE));
  EXPECT_EQ(pManager, pane.GetOccManager());   // one manager for the pane's life
  pHost = FromClientSite<IDocHostUIHandler>(pane, IID_IDocHostUIHandler);
  ASSERT_NE(nullptr, pHost);
  EXPECT_EQ(S_OK, pHost->GetHostInfo(&info));
  EXPECT_EQ((DWORD)(DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_NO3DBORDER), info.dwFlags);
  pHost->Release();
}

TEST_F(HtmlPane, PaneSurvivesABrowserThatCannotBeMade)
{
  CTestHtmlCtrl pane;
  pane.m_failBrowser = true;
  EXPECT_FALSE(CreatePane(pane));
  EXPECT_EQ(nullptr, pane.m_hWnd);
  EXPECT_EQ(nullptr, pane.GetBrowserApp());
  EXPECT_EQ(nullptr, pane.GetHandlers());
  EXPECT_EQ(nullptr, ::GetDlgItem(m_parent.m_hWnd, 1319));
  pane.Navigate2(PELLUCOR_PANE_PAGE_1);   // the caller goes on as if nothing happened
  EXPECT_EQ(nullptr, pane.GetHtmlDocument());
  EXPECT_TRUE(g_shellCalls.empty());

  pane.m_failBrowser = false;
  EXPECT_TRUE(CreatePane(pane));
  EXPECT_NE(nullptr, pane.GetBrowserApp());
}

TEST_F(HtmlPane, RealNavigationsGoWhereTheRuleSays)
{
  CTestHtmlCtrl pane;
  ASSERT_TRUE(CreatePane(pane));
  struct Row { const char* url; BOOL cancelled; const char* shell; const char* app; } table[] = {
      {"http://www.example.com/other.html", TRUE, "http://www.example.com/other.html", nullptr},
      {PELLUCOR_PANE_PAGE_1, FALSE, nullptr, nullptr},
      {"app:3", TRUE, nullptr, "3"},
      {"APP:7", TRUE, nullptr, nullptr},
      {"file:///C:/windows/notepad.exe", TRUE, nullptr, nullptr},
      {"\\\\127.0.0.1\\share\\x.exe", TRUE, nullptr, nullptr},
      {"about:blank", TRUE, nullptr, nullptr},
  };
  for (const Row& row : table) {
    pane.m_before.clear();
    pane.m_appCommands.clear();
    g_shellCalls.clear();
    pane.Navigate2(row.url);
    PumpUntil([&] { return !pane.m_before.empty(); }, kWaitMs);
    ASSERT_EQ(1u, pane.m_before.size()) << row.url;
    // (A file address may be reported as the plain path it names.)
    if (strncmp(row.url, "file:", 5) != 0) {
      EXPECT_EQ(row.url, pane.m_before[0].url);
    }
    EXPECT_EQ(row.cancelled, pane.m_before[0].cancel) << row.url;
    if (row.shell) {
      ASSERT_EQ(1u, g_shellCalls.size()) << row.url;
      EXPECT_EQ("open", g_shellCalls[0].verb);
      EXPECT_EQ(row.shell, g_shellCalls[0].file);
      EXPECT_TRUE(g_shellCalls[0].paramsNull && g_shellCalls[0].dirNull);
      EXPECT_EQ(SW_SHOWNORMAL, g_shellCalls[0].show);
    } else {
      EXPECT_TRUE(g_shellCalls.empty()) << row.url;
    }
    if (row.app) {
      EXPECT_EQ(std::vector<std::string>{row.app}, pane.m_appCommands) << row.url;
    } else {
      EXPECT_TRUE(pane.m_appCommands.empty()) << row.url;
    }
  }
  EXPECT_STREQ("APP:7", (LPCTSTR)pane.GetLastAppAddress());
}

// Fires a browser event at the pane as the browser does: arguments given in
// their declared order, passed last first.
void FireEvent(CTestHtmlCtrl& pane, DISPID dispid, std::vector<VARIANT> args)
{
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params = {reversed.data(), nullptr, (UINT)reversed.size(), 0};
  pane.OnBrowserEvent(dispid, &params);
}

VARIANT VarDispatch(IDispatch* p) { VARIANT v; VariantInit(&v); V_VT(&v) = VT_DISPATCH; V_DISPATCH(&v) = p; return v; }
VARIANT VarDispatchRef(IDispatch** pp) { VARIANT v; VariantInit(&v); V_VT(&v) = VT_BYREF | VT_DISPATCH; V_DISPATCHREF(&v) = pp; return v; }
VARIANT VarBoolRef(VARIANT_BOOL* p) { VARIANT v; VariantInit(&v); V_VT(&v) = VT_BYREF | VT_BOOL; V_BOOLREF(&v) = p; return v; }
VARIANT VarLong(LONG n) { VARIANT v; VariantInit(&v); V_VT(&v) = VT_I4; V_I4(&v) = n; return v; }
VARIANT VarEmpty() { VARIANT v; VariantInit(&v); return v; }
// The text lives as long as the test's table (freed by the caller).
VARIANT VarText(const char* text, std::vector<BSTR>& keep)
{
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = CString(text).AllocSysString();
  keep.push_back(V_BSTR(&v));
  return v;
}

// A page's frame asking for an outside address: the event carries a browser
// object other than the pane's own.
TEST_F(HtmlPane, FrameNavigationsNeverReachTheShell)
{
  CTestHtmlCtrl pane;
  ASSERT_TRUE(CreatePane(pane));
  // Any automation object that is not the pane's browser stands for the frame.
  IDispatch* pFrame = FromClientSite<IDispatch>(pane, IID_IDispatch);
  ASSERT_NE(nullptr, pFrame);

  struct Row { IDispatch* from; const char* url; size_t shellCalls; } table[] = {
      {pFrame, "http://www.example.com/ad.html", 0},
      {pane.GetBrowserApp(), "http://www.example.com/ad.html", 1},
  };
  std::vector<BSTR> keep;
  for (const Row& row : table) {
    g_shellCalls.clear();
    pane.m_before.clear();
    VARIANT_BOOL vbCancel = VARIANT_FALSE;
    // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
    FireEvent(pane, DISPID_BEFORENAVIGATE2,
              {VarDispatch(row.from), VarText(row.url, keep), VarLong(0), VarEmpty(), VarEmpty(), VarEmpty(),
               VarBoolRef(&vbCancel)});
    ASSERT_EQ(1u, pane.m_before.size());
    EXPECT_EQ(row.url, pane.m_before[0].url);
    EXPECT_TRUE(pane.m_before[0].cancel);
    EXPECT_EQ(VARIANT_TRUE, vbCancel);
    EXPECT_EQ(row.shellCalls, g_shellCalls.size());
  }
  for (BSTR b : keep) SysFreeString(b);
  pFrame->Release();
}

// A page asking for a new browser window never gets one; when the user's click
// asked for it, the address goes where a followed link would, and a window a
// script opens by itself goes nowhere.
TEST_F(HtmlPane, NewWindowsAreRefusedAndTheirAddressesRouted)
{
  CTestHtmlCtrl pane;
  ASSERT_TRUE(CreatePane(pane));
  const LONG kUser = 0x2;  // the user's click asked for the window
  struct Row { LONG flags; const char* url; const char* shell; const char* app; const char* paneLoads; } table[] = {
      {kUser, "http://www.example.com/offer.html", "http://www.example.com/offer.html", nullptr, nullptr},
      {kUser, "app:1", nullptr, "1", nullptr},
      {kUser, "file:///C:/windows/notepad.exe", nullptr, nullptr, nullptr},
      {kUser, PELLUCOR_PANE_PAGE_4, nullptr, nullptr, PELLUCOR_PANE_PAGE_4},
      {0, "http://www.example.com/popup.html", nullptr, nullptr, nullptr},
      {0, "app:1", nullptr, nullptr, nullptr},
  };
  std::vector<BSTR> keep;
  for (const Row& row : table) {
    g_shellCalls.clear();
    pane.m_appCommands.clear();
    pane.m_before.clear();
    VARIANT_BOOL vbCancel = VARIANT_FALSE;
    IDispatch* pNew = nullptr;
    // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
    FireEvent(pane, DISPID_NEWWINDOW3,
              {VarDispatchRef(&pNew), VarBoolRef(&vbCancel), VarLong(row.flags), VarText(PELLUCOR_PANE_PAGE_1, keep),
               VarText(row.url, keep)});
    EXPECT_EQ(VARIANT_TRUE, vbCancel) << row.url;
    EXPECT_EQ(row.shell ? 1u : 0u, g_shellCalls.size()) << row.url;
    if (row.shell && !g_shellCalls.empty()) {
      EXPECT_EQ(row.shell, g_shellCalls[0].file);
    }
    EXPECT_EQ(row.app ? std::vector<std::string>{row.app} : std::vector<std::string>{}, pane.m_appCommands);
    if (row.paneLoads) {
      PumpUntil([&] { return !pane.m_before.empty(); }, kWaitMs);
      ASSERT_EQ(1u, pane.m_before.size());
      EXPECT_EQ(row.paneLoads, pane.m_before[0].url);
      EXPECT_FALSE(pane.m_before[0].cancel);
    } else {
      PumpMessagesFor(20);
      EXPECT_TRUE(pane.m_before.empty()) << row.url;
    }
  }

  VARIANT_BOOL vbCancel = VARIANT_FALSE;
  IDispatch* pNew = nullptr;
  FireEvent(pane, DISPID_NEWWINDOW2, {VarDispatchRef(&pNew), VarBoolRef(&vbCancel)});
  EXPECT_EQ(VARIANT_TRUE, vbCancel);
  for (BSTR b : keep) SysFreeString(b);
}

// The pane takes a placeholder's place and id; the placeholder goes.
TEST_F(HtmlPane, ReplaceStaticTakesThePlaceholdersRectangleAndId)
{
  HWND hStatic = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 20, 30, 200, 100, m_parent.m_hWnd,
                                   (HMENU)1019, nullptr, nullptr);
  ASSERT_NE(nullptr, hStatic);
  CTestHtmlCtrl pane;
  ASSERT_TRUE(pane.ReplaceStatic(1019, &m_parent));
  EXPECT_FALSE(::IsWindow(hStatic));
  EXPECT_EQ(pane.m_hWnd, ::GetDlgItem(m_parent.m_hWnd, 1019));
  CRect rc;
  pane.GetWindowRect(&rc);
  m_parent.ScreenToClient(&rc);
  EXPECT_EQ(CRect(20, 30, 220, 130), rc);
  EXPECT_NE(nullptr, pane.GetBrowserApp());
  EXPECT_FALSE(pane.ReplaceStatic(4711, &m_parent));   // no such placeholder
}

// ---------------------------------------------------------------------------
// Context menus
// ---------------------------------------------------------------------------

// An element of a page, optionally a link with an address.
class CFakeElement : public IHTMLAnchorElement {
 public:
  CFakeElement(bool bAnchor, const wchar_t* href) : m_bAnchor(bAnchor), m_href(href) {}
  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
  {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        (m_bAnchor && IsEqualIID(riid, IID_IHTMLAnchorElement))) {
      *ppv = this;
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHOD_(ULONG, AddRef)() override { return 2; }
  STDMETHOD_(ULONG, Release)() override { return 1; }
  STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
  STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
  {
    return E_NOTIMPL;
  }
  STDMETHOD(get_href)(BSTR* p) override
  {
    *p = SysAllocString(m_href);
    return S_OK;
  }
  STDMETHOD(put_href)(BSTR) override { return E_NOTIMPL; }
#define FAKE_BSTR_PROP(n) \
  STDMETHOD(put_##n)(BSTR) override { return E_NOTIMPL; } \
  STDMETHOD(get_##n)(BSTR*) override { return E_NOTIMPL; }
  FAKE_BSTR_PROP(target) FAKE_BSTR_PROP(rel) FAKE_BSTR_PROP(rev) FAKE_BSTR_PROP(urn) FAKE_BSTR_PROP(Methods)
  FAKE_BSTR_PROP(name) FAKE_BSTR_PROP(host) FAKE_BSTR_PROP(hostname) FAKE_BSTR_PROP(pathname)
  FAKE_BSTR_PROP(port) FAKE_BSTR_PROP(protocol) FAKE_BSTR_PROP(search) FAKE_BSTR_PROP(hash)
  FAKE_BSTR_PROP(accessKey)
#undef FAKE_BSTR_PROP
  STDMETHOD(put_onblur)(VARIANT) override { return E_NOTIMPL; }
  STDMETHOD(get_onblur)(VARIANT*) override { return E_NOTIMPL; }
  STDMETHOD(put_onfocus)(VARIANT) override { return E_NOTIMPL; }
  STDMETHOD(get_onfocus)(VARIANT*) override { return E_NOTIMPL; }
  STDMETHOD(get_protocolLong)(BSTR*) override { return E_NOTIMPL; }
  STDMETHOD(get_mimeType)(BSTR*) override { return E_NOTIMPL; }
  STDMETHOD(get_nameProp)(BSTR*) override { return E_NOTIMPL; }
  STDMETHOD(put_tabIndex)(short) override { return E_NOTIMPL; }
  STDMETHOD(get_tabIndex)(short*) override { return E_NOTIMPL; }
  STDMETHOD(focus)() override { return E_NOTIMPL; }
  STDMETHOD(blur)() override { return E_NOTIMPL; }

 private:
  bool m_bAnchor;
  const wchar_t* m_href;
};

TEST(HtmlPaneContextMenu, OnlyLinksGetTheBrowsersMenu)
{
  CFakeElement link(true, L"http://www.example.com/"), emptyLink(true, L""), text(false, L"");
  const DWORD kDefault = CONTEXT_MENU_DEFAULT, kImage = CONTEXT_MENU_IMAGE,
              kSelection = CONTEXT_MENU_TEXTSELECT, kAnchor = CONTEXT_MENU_ANCHOR;
  struct Row { BOOL browserMenu; DWORD kind; IDispatch* element; HRESULT want; const char* what; } table[] = {
      {FALSE, kAnchor, &link, S_FALSE, "link"},
      {FALSE, kSelection, &link, S_FALSE, "selection inside a link"},
      {FALSE, kAnchor, &emptyLink, S_OK, "link without an address"},
      {FALSE, kAnchor, nullptr, S_OK, "no element"},
      {FALSE, kSelection, &text, S_OK, "selected text"},
      {FALSE, kDefault, &text, S_OK, "plain text"},
      {FALSE, kImage, &link, S_OK, "image"},
      {TRUE, kDefault, &text, S_FALSE, "plain text, browser menu allowed"},
      {TRUE, kAnchor, nullptr, S_FALSE, "anything, browser menu allowed"},
  };
  CHtmlCtrl pane;
  EXPECT_FALSE(pane.GetDefaultContextMenu());
  for (const Row& row : table) {
    pane.SetDefaultContextMenu(row.browserMenu);
    POINT pt = {5, 5};
    EXPECT_EQ(row.want, pane.OnShowContextMenu(row.kind, &pt, nullptr, row.element)) << row.what;
  }
}

}  // namespace
