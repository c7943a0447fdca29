// The control host: a site answering a control's questions (interfaces,
// window context, ambient properties), and CHtmlView hosting the real
// WebBrowser control of this system with its events delivered to virtuals.
#include <afxhtml.h>
#include <afxole.h>
#include <exdispid.h>
#include <mshtmdid.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testsupport.h"

namespace {

const CLSID kClsidWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
// Any interface a site does not know.
const IID kIidStranger = {0x1c4bd0a2, 0x77e1, 0x4b52, {0x9a, 0x10, 0x4e, 0x36, 0x0a, 0x55, 0x21, 0x7f}};

// A container whose window answers one ambient property of its own.
class CTestContainer : public COleControlContainer {
 public:
  explicit CTestContainer(CWnd* pWnd) : COleControlContainer(pWnd) {}
  BOOL OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar) override
  {
    m_asked.push_back(dispid);
    if (dispid == DISPID_AMBIENT_DLCONTROL) {
      V_VT(pvar) = VT_I4;
      V_I4(pvar) = 0x1234;
      return TRUE;
    }
    return COleControlContainer::OnAmbientProperty(pSite, dispid, pvar);
  }
  std::vector<DISPID> m_asked;
};

// A site exposing one interface more, as a document host adds its own.
class CExtraSite : public COleControlSite {
 public:
  explicit CExtraSite(COleControlContainer* pCont) : COleControlSite(pCont) {}
  ULONG Refs() { AddRef(); return Release(); }

 protected:
  LPUNKNOWN GetExtraInterface(REFIID riid) override
  {
    return IsEqualIID(riid, kIidStranger) ? static_cast<IOleControlSite*>(this) : nullptr;
  }
};

HRESULT GetAmbient(IUnknown* pSite, DISPID dispid, VARIANT* pvar, WORD wFlags = DISPATCH_PROPERTYGET)
{
  IDispatch* pDisp = nullptr;
  HRESULT hr = pSite->QueryInterface(IID_IDispatch, (void**)&pDisp);
  if (FAILED(hr)) return hr;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  hr = pDisp->Invoke(dispid, IID_NULL, 0, wFlags, &none, pvar, nullptr, nullptr);
  pDisp->Release();
  return hr;
}

class OleHost : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(AfxOleInit());
    ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                  nullptr, nullptr));
  }
  void TearDown() override
  {
    if (m_parent.m_hWnd) m_parent.DestroyWindow();
  }
  CWnd m_parent;
};

TEST_F(OleHost, SiteAnswersItsInterfacesAndTheContainersAmbientProperties)
{
  CTestContainer cont(&m_parent);
  CExtraSite* pSite = new CExtraSite(&cont);
  IUnknown* pUnk = static_cast<IOleClientSite*>(pSite);

  struct { const IID* iid; bool known; } table[] = {
      {&IID_IUnknown, true},        {&IID_IOleClientSite, true}, {&IID_IOleInPlaceSite, true},
      {&IID_IOleWindow, true},      {&IID_IOleInPlaceFrame, true}, {&IID_IOleControlSite, true},
      {&IID_IDispatch, true},       {&kIidStranger, true},       {&IID_IOleObject, false},
  };
  for (const auto& row : table) {
    void* pv = reinterpret_cast<void*>(1);
    HRESULT hr = pUnk->QueryInterface(*row.iid, &pv);
    EXPECT_EQ(row.known, hr == S_OK) << "hr=" << std::hex << hr;
    if (hr == S_OK) {
      // Every interface leads back to one identity.
      IUnknown* pId = nullptr;
      static_cast<IUnknown*>(pv)->QueryInterface(IID_IUnknown, (void**)&pId);
      EXPECT_EQ(pUnk, pId);
      pId->Release();
      static_cast<IUnknown*>(pv)->Release();
    } else {
      EXPECT_EQ(nullptr, pv);
    }
  }
  EXPECT_EQ(1u, pSite->Refs());

  HWND hwnd = nullptr;
  IOleInPlaceSite* pIps = nullptr;
  ASSERT_EQ(S_OK, pUnk->QueryInterface(IID_IOleInPlaceSite, (void**)&pIps));
  EXPECT_EQ(S_OK, pIps->GetWindow(&hwnd));
  EXPECT_EQ(m_parent.m_hWnd, hwnd);
  pSite->m_rect = CRect(5, 6, 105, 56);
  IOleInPlaceFrame* pFrame = nullptr;
  IOleInPlaceUIWindow* pDoc = reinterpret_cast<IOleInPlaceUIWindow*>(1);
  RECT rcPos, rcClip;
  OLEINPLACEFRAMEINFO info = {};
  info.cb = sizeof(info);
  ASSERT_EQ(S_OK, pIps->GetWindowContext(&pFrame, &pDoc, &rcPos, &rcClip, &info));
  EXPECT_NE(nullptr, pFrame);
  EXPECT_EQ(nullptr, pDoc);
  EXPECT_TRUE(EqualRect(&rcPos, &pSite->m_rect));
  EXPECT_TRUE(EqualRect(&rcClip, &pSite->m_rect));
  EXPECT_EQ(m_parent.m_hWnd, info.hwndFrame);
  pFrame->Release();
  pIps->Release();

  // Ambient properties: the container's answer, the base's for user mode,
  // nothing for unknown ones, and nothing but property reads.
  VARIANT v;
  VariantInit(&v);
  ASSERT_EQ(S_OK, GetAmbient(pUnk, DISPID_AMBIENT_DLCONTROL, &v));
  EXPECT_EQ(VT_I4, V_VT(&v));
  EXPECT_EQ(0x1234, V_I4(&v));
  VariantInit(&v);
  ASSERT_EQ(S_OK, GetAmbient(pUnk, DISPID_AMBIENT_USERMODE, &v));
  EXPECT_EQ(VT_BOOL, V_VT(&v));
  EXPECT_EQ(VARIANT_TRUE, V_BOOL(&v));
  VariantInit(&v);
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, GetAmbient(pUnk, 4242, &v));
  EXPECT_EQ(VT_EMPTY, V_VT(&v));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, GetAmbient(pUnk, DISPID_AMBIENT_DLCONTROL, &v, DISPATCH_METHOD));
  EXPECT_EQ((std::vector<DISPID>{DISPID_AMBIENT_DLCONTROL, DISPID_AMBIENT_USERMODE, 4242}), cont.m_asked);

  EXPECT_EQ(0u, pSite->Release());
}

TEST_F(OleHost, SiteOfAClassNobodyRegisteredStaysEmpty)
{
  CTestContainer cont(&m_parent);
  COleControlSite* pSite = COccManager().CreateSite(&cont);
  ASSERT_NE(nullptr, pSite);
  EXPECT_FALSE(pSite->CreateControl(kIidStranger, "x", WS_VISIBLE, CRect(0, 0, 10, 10), 5));
  EXPECT_EQ(nullptr, pSite->GetControlUnknown());
  EXPECT_EQ(nullptr, pSite->GetControlWindow());
  EXPECT_EQ(nullptr, ::GetWindow(m_parent.m_hWnd, GW_CHILD));
  pSite->Release();
}

// A view that records what the browser tells it and cancels every navigation,
// so no test depends on a network or a renderer.
class CRecordingView : public CHtmlView {
 public:
  struct Event { std::string url; bool topLevel; };
  std::vector<Event> m_before;
  std::vector<DISPID> m_ambientAsked;
  bool* m_pDeleted = nullptr;
  ~CRecordingView() override
  {
    if (m_pDeleted) *m_pDeleted = true;
  }
  void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL* pbCancel) override
  {
    m_before.push_back({lpszURL, IsTopLevelEvent() != FALSE});
    *pbCancel = TRUE;
  }
  BOOL OnAmbientProperty(COleControlSite* pSite, DISPID dispid, VARIANT* pvar) override
  {
    m_ambientAsked.push_back(dispid);
    return CHtmlView::OnAmbientProperty(pSite, dispid, pvar);
  }
};

// Whether this system lets the WebBrowser control be made at all.
bool BrowserCreatable()
{
  IUnknown* p = nullptr;
  if (FAILED(CoCreateInstance(kClsidWebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, (void**)&p)))
    return false;
  p->Release();
  return true;
}

// A site whose control can never be made, as on a system without the browser.
class CFailingSite : public COleControlSite {
 public:
  explicit CFailingSite(COleControlContainer* pCont) : COleControlSite(pCont) {}
  BOOL CreateControl(REFCLSID, LPCTSTR, DWORD, const RECT&, UINT) override { return FALSE; }
};

class CNoBrowserView : public CRecordingView {
 public:
  COleControlSite* CreateControlSite(COleControlContainer* pContainer) override
  {
    return new CFailingSite(pContainer);
  }
};

TEST_F(OleHost, ViewWithoutABrowserFailsAndLeavesNothingBehind)
{
  bool bDeleted = false;
  CNoBrowserView* pView = new CNoBrowserView;
  pView->m_pDeleted = &bDeleted;
  EXPECT_FALSE(pView->Create(nullptr, "pane", WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 210), &m_parent, 77));
  // A heap view goes with its window, as views do.
  EXPECT_TRUE(bDeleted);
  EXPECT_EQ(nullptr, ::GetWindow(m_parent.m_hWnd, GW_CHILD));
}

TEST_F(OleHost, ViewHostsTheRealBrowserFillingItsClientArea)
{
  if (!BrowserCreatable()) GTEST_SKIP() << "this system has no WebBrowser control";
  bool bDeleted = false;
  CRecordingView* pView = new CRecordingView;
  pView->m_pDeleted = &bDeleted;
  ASSERT_TRUE(pView->Create(nullptr, "pane", WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 210), &m_parent, 77));
  ASSERT_NE(nullptr, pView->GetBrowserApp());
  HWND hView = pView->m_hWnd;
  HWND hCtrl = pView->GetBrowserSite()->GetControlWindow();
  ASSERT_NE(nullptr, hCtrl);
  EXPECT_EQ(hView, ::GetParent(hCtrl));
  EXPECT_EQ(AFX_IDW_PANE_FIRST_BROWSER, ::GetDlgCtrlID(hCtrl));
  EXPECT_EQ("pane", WindowText(hCtrl));
  EXPECT_TRUE(::IsWindowVisible(hCtrl));
  CRect rcClient, rcCtrl;
  ::GetClientRect(hView, &rcClient);
  ::GetWindowRect(hCtrl, &rcCtrl);
  EXPECT_EQ(rcClient.Size(), rcCtrl.Size());

  // The browser follows the view's size.
  pView->MoveWindow(0, 0, 200, 120);
  ::GetClientRect(hView, &rcClient);
  ::GetWindowRect(hCtrl, &rcCtrl);
  EXPECT_EQ(rcClient.Size(), rcCtrl.Size());

  // The browser asks its site for ambient properties, which reach the view.
  VARIANT v;
  VariantInit(&v);
  EXPECT_EQ(S_OK, GetAmbient(static_cast<IOleClientSite*>(pView->GetBrowserSite()), DISPID_AMBIENT_USERMODE, &v));
  EXPECT_FALSE(pView->m_ambientAsked.empty());

  // A real navigation reaches OnBeforeNavigate2 through the event connection,
  // as the pane's own (top-level) navigation.
  pView->Navigate2("http://127.0.0.1:9/nowhere.html");
  PumpUntil([&] { return !pView->m_before.empty(); }, kWaitMs);
  ASSERT_FALSE(pView->m_before.empty());
  EXPECT_EQ("http://127.0.0.1:9/nowhere.html", pView->m_before[0].url);
  EXPECT_TRUE(pView->m_before[0].topLevel);

  pView->DestroyWindow();
  EXPECT_TRUE(bDeleted);
  EXPECT_FALSE(::IsWindow(hCtrl));
}

}  // namespace

// The browser may hold its site after the view that made it is gone: the site
// then answers without reaching the view's container.
TEST_F(OleHost, SiteHeldPastItsViewAnswersWithoutTheContainer)
{
  if (!BrowserCreatable()) GTEST_SKIP() << "this system has no WebBrowser control";
  bool bDeleted = false;
  CRecordingView* pView = new CRecordingView;
  pView->m_pDeleted = &bDeleted;
  ASSERT_TRUE(pView->Create(nullptr, "pane", WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 210), &m_parent, 77));
  IOleInPlaceSite* pSite = nullptr;
  ASSERT_EQ(S_OK, static_cast<IOleClientSite*>(pView->GetBrowserSite())
                      ->QueryInterface(IID_IOleInPlaceSite, (void**)&pSite));
  pView->DestroyWindow();
  ASSERT_TRUE(bDeleted);

  HWND hWnd = (HWND)1;
  EXPECT_TRUE(FAILED(pSite->GetWindow(&hWnd)));
  VARIANT v;
  VariantInit(&v);
  EXPECT_TRUE(FAILED(GetAmbient(pSite, DISPID_AMBIENT_USERMODE, &v)));
  pSite->Release();
}

// Addresses reach the navigation events exactly: what is not ASCII is escaped
// as its UTF-8 bytes, never replaced by a look-alike of the ANSI code page.
TEST(HtmlViewUrl, AddressesOutsideAsciiAreEscapedNotApproximated)
{
  struct Row { const wchar_t* wide; const char* text; } table[] = {
      {L"http://www.example.com/a?b=1#c", "http://www.example.com/a?b=1#c"},
      {L"http://example.com/caf\u00e9", "http://example.com/caf%C3%A9"},
      {L"http://\uff57ww.example.com/", "http://%EF%BD%97ww.example.com/"},   // full-width w
      {L"http://example.com/\u2215x", "http://example.com/%E2%88%95x"},       // division slash
      {L"http://example.com/\U0001F600", "http://example.com/%F0%9F%98%80"},  // beyond 16 bits
      {L"", ""},
  };
  for (const Row& row : table)
    EXPECT_STREQ(row.text, (LPCSTR)CHtmlView::UrlFromWide(row.wide)) << row.text;
  EXPECT_STREQ("", (LPCSTR)CHtmlView::UrlFromWide(nullptr));
}
