// OLE start-up and data transfer: COleDataSource on the clipboard, read back
// through the plain clipboard API and through COleDataObject.
#include <afxole.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

HGLOBAL GlobalText(const char* text, size_t size)
{
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(h), text, size);
  GlobalUnlock(h);
  return h;
}

std::string GlobalBytes(HGLOBAL h)
{
  std::string s((const char*)GlobalLock(h), GlobalSize(h));
  GlobalUnlock(h);
  return s;
}

// A source that says when it is destroyed and renders one delayed format.
class CTestSource : public COleDataSource {
 public:
  explicit CTestSource(bool* pDeleted = nullptr) : m_pDeleted(pDeleted) {}
  ~CTestSource() override
  {
    if (m_pDeleted) *m_pDeleted = true;
  }
  int m_nRendered = 0;
  enum { kRender, kRefuse, kThrowMemory, kThrowUser, kThrowOther } m_mode = kRender;

 protected:
  BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override
  {
    m_nRendered++;
    switch (m_mode) {
      case kRefuse: return FALSE;
      case kThrowMemory: AfxThrowMemoryException();
      case kThrowUser: AfxThrowUserException();
      case kThrowOther: throw 42;
      default: break;
    }
    char text[32];
    snprintf(text, sizeof text, "rendered %u", lpFormatEtc->cfFormat);
    *phGlobal = GlobalText(text, strlen(text) + 1);
    return TRUE;
  }
  bool* m_pDeleted;
};

class OleData : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
  void TearDown() override
  {
    // Leave an empty clipboard behind, whoever owned it.
    OleSetClipboard(NULL);
  }
};

TEST_F(OleData, AfxOleInitTwiceOnAThreadIsFine)
{
  EXPECT_TRUE(AfxOleInit());
  // OLE really is up on this thread: a second initialisation reports S_FALSE.
  HRESULT hr = OleInitialize(NULL);
  EXPECT_EQ(hr, S_FALSE);
  OleUninitialize();
}

TEST_F(OleData, TextOnTheClipboardReadsBackThroughBothApis)
{
  const char text[] = "\xD1\xEB\xEE\xE2\xE0 words";   // "Слова" in code page 1251
  bool deleted = false;
  CTestSource* pSource = new CTestSource(&deleted);
  pSource->CacheGlobalData(CF_TEXT, GlobalText(text, sizeof text));
  pSource->SetClipboard();
  EXPECT_EQ(COleDataSource::GetClipboardOwner(), pSource);

  // The plain clipboard API.
  ASSERT_TRUE(OpenClipboard(NULL));
  HANDLE h = GetClipboardData(CF_TEXT);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ((const char*)GlobalLock(h), text);
  GlobalUnlock(h);
  CloseClipboard();

  // COleDataObject over the OLE clipboard.
  COleDataObject data;
  ASSERT_TRUE(data.AttachClipboard());
  EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
  EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
  HGLOBAL hCopy = data.GetGlobalData(CF_TEXT);
  ASSERT_NE(hCopy, nullptr);
  EXPECT_STREQ((const char*)GlobalLock(hCopy), text);
  GlobalUnlock(hCopy);
  GlobalFree(hCopy);   // the caller's copy: freeing it leaves the clipboard intact
  hCopy = data.GetGlobalData(CF_TEXT);
  ASSERT_NE(hCopy, nullptr);
  GlobalFree(hCopy);
  EXPECT_EQ(data.GetGlobalData(CF_BITMAP), nullptr);
  data.Release();

  // The clipboard owns the source: replacing the clipboard's content frees it.
  EXPECT_FALSE(deleted);
  ASSERT_TRUE(OpenClipboard(NULL));
  EmptyClipboard();
  CloseClipboard();
  OleSetClipboard(NULL);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
}

TEST_F(OleData, FormatsAreEnumeratedAndDelayedOnesRenderedOnDemand)
{
  const CLIPFORMAT cfCustom = (CLIPFORMAT)RegisterClipboardFormatA("Pellucor Test Format");
  CTestSource* pSource = new CTestSource;
  pSource->CacheGlobalData(CF_TEXT, GlobalText("first", 6));
  pSource->CacheGlobalData(CF_TEXT, GlobalText("second", 7));   // replaces the first
  pSource->DelayRenderData(cfCustom);

  COleDataObject data;
  data.Attach(pSource->GetDataObject(), FALSE);
  std::vector<CLIPFORMAT> formats;
  FORMATETC f;
  data.BeginEnumFormats();
  while (data.GetNextFormat(&f)) formats.push_back(f.cfFormat);
  EXPECT_EQ(formats, (std::vector<CLIPFORMAT>{CF_TEXT, cfCustom}));

  EXPECT_EQ(pSource->m_nRendered, 0);
  HGLOBAL h = data.GetGlobalData(CF_TEXT);
  EXPECT_EQ(GlobalBytes(h), std::string("second", 7));
  GlobalFree(h);
  h = data.GetGlobalData(cfCustom);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ((const char*)GlobalLock(h), ("rendered " + std::to_string(cfCustom)).c_str());
  GlobalUnlock(h);
  GlobalFree(h);
  EXPECT_EQ(pSource->m_nRendered, 1);

  CFile* pFile = data.GetFileData(CF_TEXT);
  ASSERT_NE(pFile, nullptr);
  char buf[16] = {};
  EXPECT_EQ(pFile->Read(buf, sizeof buf), 7u);
  EXPECT_STREQ(buf, "second");
  delete pFile;

  data.Release();
  pSource->InternalRelease();
}

// Whatever a rendering override throws stays on our side of the COM call.
TEST_F(OleData, ExceptionsInRenderingBecomeErrorCodes)
{
  const CLIPFORMAT cfCustom = (CLIPFORMAT)RegisterClipboardFormatA("Pellucor Test Format");
  CTestSource* pSource = new CTestSource;
  pSource->DelayRenderData(cfCustom);
  IDataObject* pObject = pSource->GetDataObject();

  struct Case {
    int mode;
    HRESULT expected;
  } cases[] = {
      {CTestSource::kRefuse, DV_E_FORMATETC},
      {CTestSource::kThrowMemory, E_OUTOFMEMORY},
      {CTestSource::kThrowUser, E_UNEXPECTED},
      {CTestSource::kThrowOther, E_UNEXPECTED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    pSource->m_mode = (decltype(pSource->m_mode))c.mode;
    FORMATETC f = {cfCustom, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    EXPECT_EQ(pObject->GetData(&f, &medium), c.expected);
  }
  FORMATETC wrongMedium = {cfCustom, NULL, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
  EXPECT_EQ(pObject->QueryGetData(&wrongMedium), DV_E_FORMATETC);
  pSource->InternalRelease();
}

TEST_F(OleData, SetClipboardWithoutOleThrowsAndLeavesTheSourceToItsCreator)
{
  HRESULT hr = S_OK;
  std::thread([&] {
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, GlobalText("x", 2));
    try {
      pSource->SetClipboard();
    } catch (COleException* e) {
      hr = e->m_sc;
      e->Delete();
    }
    delete pSource;
  }).join();
  EXPECT_TRUE(FAILED(hr));
}

}  // namespace
