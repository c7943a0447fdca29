// The workspace state: its record byte for byte, records it refuses whole,
// and an MDI frame with documents, tool bars and a floating bar stored,
// started again and put back where it was.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "OXChildFrameState.h"
#include "OXSizeDockBar.h"
#include "OXSplitterColRowState.h"
#include "OXWorkspaceState.h"
#include "TestFolder.h"
#include "bars/WorkspaceFrame.h"
#include "testsupport.h"

namespace {

// Little-endian bytes as an archive writes them, with the offsets of the
// fields a test patches.
struct Bytes
{
    std::vector<BYTE> v;
    Bytes& dw(DWORD x)
    {
        for (int i = 0; i < 4; i++)
            v.push_back((BYTE)(x >> (8 * i)));
        return *this;
    }
    Bytes& w(WORD x)
    {
        v.push_back((BYTE)x);
        v.push_back((BYTE)(x >> 8));
        return *this;
    }
    Bytes& raw(const void* p, size_t n)
    {
        v.insert(v.end(), (const BYTE*)p, (const BYTE*)p + n);
        return *this;
    }
    Bytes& str(const char* s)   // a short CString: its length byte, its characters
    {
        v.push_back((BYTE)strlen(s));
        return raw(s, strlen(s));
    }
    Bytes& newClass(WORD wSchema, const char* name)
    {
        w(0xFFFF).w(wSchema).w((WORD)strlen(name));
        return raw(name, strlen(name));
    }
    size_t size() const { return v.size(); }
};

std::vector<BYTE> ToVector(const CByteArray& bytes)
{
    return std::vector<BYTE>(bytes.GetData(), bytes.GetData() + bytes.GetSize());
}

CByteArray& ToArray(const std::vector<BYTE>& v, CByteArray& bytes)
{
    bytes.SetSize((INT_PTR)v.size());
    if (!v.empty())
        memcpy(bytes.GetData(), v.data(), v.size());
    return bytes;
}

std::vector<BYTE> Stored(COXWorkspaceState& state)
{
    CByteArray bytes;
    EXPECT_TRUE(state.StoreToByteArray(bytes));
    return ToVector(bytes);
}

COXSplitterColRowState* PaneState(BOOL bRow, int nIndex, int nIdeal, int nMin)
{
    COXSplitterColRowState* pState = new COXSplitterColRowState;
    pState->m_bRow = bRow;
    pState->m_nIndex = nIndex;
    pState->m_nIdealSize = nIdeal;
    pState->m_nMinSize = nMin;
    return pState;
}

const UINT kTabBars[] = {100, 0xE83C, 0xE83D};

// A state with a value in every field, set by hand.
void FillFixture(COXWorkspaceState& state)
{
    state.m_nScreenWidth = 1280;
    state.m_nScreenHeight = 1024;
    state.m_bIncludeMainWindow = TRUE;
    state.m_wndPlacement.length = sizeof(WINDOWPLACEMENT);
    state.m_wndPlacement.flags = WPF_RESTORETOMAXIMIZED;
    state.m_wndPlacement.showCmd = SW_SHOWMAXIMIZED;
    state.m_wndPlacement.ptMinPosition = {-1, -1};
    state.m_wndPlacement.ptMaxPosition = {-8, -8};
    state.m_wndPlacement.rcNormalPosition = {10, 20, 610, 420};
    state.m_bIncludeBars = FALSE;   // stored all the same
    CControlBarInfo* pInfo = new CControlBarInfo;
    pInfo->m_nBarID = 0xE83C;
    pInfo->m_bFloating = TRUE;
    pInfo->m_pointPos = CPoint(300, 200);
    state.m_pDockState->m_arrBarInfo.Add(pInfo);
    state.m_bIncludeChildFrames = TRUE;
    state.m_bIncludeSplitterPanes = TRUE;
    COXChildFrameState* pChild = new COXChildFrameState;
    pChild->m_windowPlacement.showCmd = SW_SHOWNORMAL;
    pChild->m_windowPlacement.ptMinPosition = {-1, -1};
    pChild->m_windowPlacement.ptMaxPosition = {-1, -1};
    pChild->m_windowPlacement.rcNormalPosition = {0, 0, 300, 200};
    pChild->m_sDocumentPath = "C:\\a.kw";
    pChild->m_sDocumentClass = "CWorkspaceDoc";
    pChild->m_sFrameClass = "CWorkspaceSplitChild";
    pChild->m_sViewClass = "CWorkspaceView";
    state.m_pChildFrameStates->Add(pChild);
    OXDOCKTABPOSITION positions[] = {{100, AFX_IDW_DOCKBAR_LEFT, 0, FALSE},
                                     {0xE83C, AFX_IDW_DOCKBAR_BOTTOM, 1, TRUE},
                                     {0xE83D, AFX_IDW_DOCKBAR_BOTTOM, 0, FALSE}};
    for (OXDOCKTABPOSITION& p : positions)
        state.m_mapDockTabPositions.SetAt(p.nBarID, p);
    state.m_pSplitterPaneStates->Add(PaneState(TRUE, 0, 150, 10));
    state.m_pSplitterPaneStates->Add(PaneState(FALSE, 1, 200, 20));
}

// The fixture's record, and where its counts lie.
struct FixtureRecord
{
    std::vector<BYTE> bytes;
    size_t nDockStateAt = 0, nDockStateBytes = 0;
    size_t nChildCountAt = 0, nMapCountAt = 0, nPaneCountAt = 0;
};

FixtureRecord ExpectedFixtureRecord(COXWorkspaceState& state)
{
    // Field 11 is the layer's own dock state: it is taken as the layer
    // writes it (the first object of an archive, as in the record).
    CMemFile dockFile;
    {
        CArchive ar(&dockFile, CArchive::store);
        ar << (CObject*)state.m_pDockState;
    }
    std::vector<BYTE> dock((size_t)dockFile.GetLength());
    dockFile.SeekToBegin();
    dockFile.Read(dock.data(), (UINT)dock.size());

    FixtureRecord r;
    Bytes b;
    b.dw(0x1234FEDC).dw(1);                               // 1, 2
    b.dw(1280).dw(1024);                                  // 3
    b.dw(TRUE);                                           // 4
    b.dw(WPF_RESTORETOMAXIMIZED).dw(SW_SHOWMAXIMIZED);    // 5, 6
    b.dw((DWORD)-1).dw((DWORD)-1).dw((DWORD)-8).dw((DWORD)-8);   // 7, 8
    b.dw(10).dw(20).dw(610).dw(420);                      // 9
    b.dw(FALSE);                                          // 10
    r.nDockStateAt = b.size();
    r.nDockStateBytes = dock.size();
    b.raw(dock.data(), dock.size());                      // 11 (class 1, object 2)
    b.dw(TRUE);                                           // 12
    b.dw(TRUE);                                           // 13
    b.newClass(0, "CObArray");                            // 14: class 3, object 4
    r.nChildCountAt = b.size();
    b.w(1);
    b.newClass(1, "COXChildFrameState");                  // class 5, object 6
    b.dw(0).dw(SW_SHOWNORMAL).dw((DWORD)-1).dw((DWORD)-1).dw((DWORD)-1).dw((DWORD)-1);
    b.dw(0).dw(0).dw(300).dw(200);
    b.str("C:\\a.kw").str("CWorkspaceDoc").str("CWorkspaceSplitChild").str("CWorkspaceView");
    b.dw(TRUE);
    b.w(0x8000 | 3).w(0);                                 // its splitter array: object 7, empty
    r.nMapCountAt = b.size();
    b.w(3);                                               // 15, bucket by bucket, newest first
    const OXDOCKTABPOSITION inOrder[] = {{100, AFX_IDW_DOCKBAR_LEFT, 0, FALSE},
                                         {0xE83D, AFX_IDW_DOCKBAR_BOTTOM, 0, FALSE},
                                         {0xE83C, AFX_IDW_DOCKBAR_BOTTOM, 1, TRUE}};
    for (const OXDOCKTABPOSITION& p : inOrder)
        b.dw(p.nBarID).dw(p.nBarID).dw(p.nDockBarID).dw((DWORD)p.nTabIndex).dw(p.bActive);
    b.dw(TRUE);                                           // 16
    b.w(0x8000 | 3);                                      // 17: object 8
    r.nPaneCountAt = b.size();
    b.w(2);
    b.newClass(1, "COXSplitterColRowState").dw(TRUE).dw(0).dw(150).dw(10);   // class 9, object 10
    b.w(0x8000 | 9).dw(FALSE).dw(1).dw(200).dw(20);
    r.bytes = b.v;
    return r;
}

TEST(OXWorkspaceStateRecord, FieldsAreWrittenInTheirOrderWhateverTheSwitches)
{
    COXWorkspaceState state;
    FillFixture(state);
    const FixtureRecord expected = ExpectedFixtureRecord(state);
    const std::vector<BYTE> bytes = Stored(state);
    ASSERT_EQ(bytes.size(), expected.bytes.size());
    for (size_t i = 0; i < bytes.size(); i++)
        ASSERT_EQ(bytes[i], expected.bytes[i]) << "byte " << i;

    // Read back: every field, the dock state by its content.
    COXWorkspaceState back;
    CByteArray array;
    ASSERT_TRUE(back.LoadFromByteArray(ToArray(bytes, array)));
    EXPECT_EQ(back.m_nSerializedVersion, 1);
    EXPECT_EQ(back.m_nScreenWidth, 1280);
    EXPECT_FALSE(back.m_bIncludeBars);
    EXPECT_EQ(CRect(back.m_wndPlacement.rcNormalPosition), CRect(10, 20, 610, 420));
    EXPECT_EQ(back.m_wndPlacement.showCmd, (UINT)SW_SHOWMAXIMIZED);
    ASSERT_EQ(back.m_pDockState->m_arrBarInfo.GetSize(), 1);
    CControlBarInfo* pInfo = (CControlBarInfo*)back.m_pDockState->m_arrBarInfo[0];
    EXPECT_EQ(pInfo->m_nBarID, 0xE83Cu);
    EXPECT_TRUE(pInfo->m_bFloating);
    ASSERT_EQ(back.m_pChildFrameStates->GetSize(), 1);
    COXChildFrameState* pChild = (COXChildFrameState*)back.m_pChildFrameStates->GetAt(0);
    EXPECT_EQ(pChild->m_sFrameClass, "CWorkspaceSplitChild");
    EXPECT_EQ(back.m_mapDockTabPositions.GetCount(), 3);
    OXDOCKTABPOSITION p = {};
    ASSERT_TRUE(back.m_mapDockTabPositions.Lookup(0xE83C, p));
    EXPECT_EQ(p.nTabIndex, 1);
    EXPECT_TRUE(p.bActive);
    ASSERT_EQ(back.m_pSplitterPaneStates->GetSize(), 2);
    EXPECT_EQ(((COXSplitterColRowState*)back.m_pSplitterPaneStates->GetAt(1))->m_nIdealSize, 200);
}

TEST(OXWorkspaceStateRecord, TheSecondSplitterSwitchIsTheOneKept)
{
    COXWorkspaceState state;
    FillFixture(state);
    FixtureRecord r = ExpectedFixtureRecord(state);
    const size_t nSecondSwitch = r.nPaneCountAt - 6;   // before the array's class tag
    ASSERT_EQ(r.bytes[nSecondSwitch], 1);
    r.bytes[nSecondSwitch] = 0;
    COXWorkspaceState back;
    CByteArray array;
    ASSERT_TRUE(back.LoadFromByteArray(ToArray(r.bytes, array)));
    EXPECT_FALSE(back.m_bIncludeSplitterPanes);
}

// A state that counts its applies.
class CCountingState : public COXWorkspaceState
{
public:
    BOOL ApplyState() override
    {
        m_nApplied++;
        return COXWorkspaceState::ApplyState();
    }
    int m_nApplied = 0;
};

TEST(OXWorkspaceStateRecord, ABadRecordIsRefusedWholeAndLeavesTheStateAsItWas)
{
    COXWorkspaceState fixture;
    FillFixture(fixture);
    const FixtureRecord good = ExpectedFixtureRecord(fixture);

    // A record whose child array holds another registered class.
    COXWorkspaceState foreign;
    foreign.m_pChildFrameStates->Add(PaneState(TRUE, 0, 1, 1));
    const std::vector<BYTE> foreignBytes = Stored(foreign);
    // And one whose child's splitter array does.
    COXWorkspaceState foreignInChild;
    COXChildFrameState* pChild = new COXChildFrameState;
    pChild->m_pSplitterStates->Add(new COXChildFrameState);
    foreignInChild.m_pChildFrameStates->Add(pChild);
    const std::vector<BYTE> foreignInChildBytes = Stored(foreignInChild);

    struct Case { std::string what; std::vector<BYTE> bytes; };
    std::vector<Case> cases;
    auto patched = [&](const char* what, size_t at, std::vector<BYTE> patch) {
        Case c{what, good.bytes};
        std::copy(patch.begin(), patch.end(), c.bytes.begin() + (ptrdiff_t)at);
        cases.push_back(c);
    };
    patched("wrong magic", 0, {0xDD});
    patched("version 2", 4, {2});
    patched("child count 0xFFFF", good.nChildCountAt, {0xFF, 0xFF});
    patched("map count 0xFFFF", good.nMapCountAt, {0xFF, 0xFF});
    patched("pane count 0xFFFF", good.nPaneCountAt, {0xFF, 0xFF});
    {
        // A 32-bit count past anything the record could hold.
        Case c{"pane count 0x7FFFFFFF", good.bytes};
        const BYTE big[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
        c.bytes.erase(c.bytes.begin() + (ptrdiff_t)good.nPaneCountAt, c.bytes.begin() + (ptrdiff_t)good.nPaneCountAt + 2);
        c.bytes.insert(c.bytes.begin() + (ptrdiff_t)good.nPaneCountAt, big, big + sizeof big);
        cases.push_back(c);
    }
    cases.push_back({"a foreign class in the child array", foreignBytes});
    cases.push_back({"a foreign class in a child's splitter array", foreignInChildBytes});
    {
        // The last field a reference to the child's splitter array (object
        // 7), which would then have two owners.
        Case c{"an array read earlier", std::vector<BYTE>(good.bytes.begin(), good.bytes.begin() + (ptrdiff_t)good.nPaneCountAt - 2)};
        c.bytes.push_back(7);
        c.bytes.push_back(0);
        cases.push_back(c);
    }
    for (size_t n = 0; n < good.bytes.size(); n++)
        cases.push_back({"cut at " + std::to_string(n), std::vector<BYTE>(good.bytes.begin(), good.bytes.begin() + (ptrdiff_t)n)});

    COXWorkspaceState target;
    target.m_nScreenWidth = 777;
    target.m_pSplitterPaneStates->Add(PaneState(FALSE, 0, 90, 5));
    const std::vector<BYTE> unchanged = Stored(target);
    for (const Case& c : cases) {
        CByteArray array;
        EXPECT_FALSE(target.LoadFromByteArray(ToArray(c.bytes, array))) << c.what;
        ASSERT_EQ(Stored(target), unchanged) << c.what;
        ASSERT_EQ(target.m_nSerializedVersion, -1) << c.what;
    }

    // A count is believed only as far as the record's bytes could hold it:
    // it is refused before anything is read or sized by it.
    for (size_t at : {good.nChildCountAt, good.nMapCountAt, good.nPaneCountAt}) {
        std::vector<BYTE> huge = good.bytes;
        const BYTE count[] = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x04};   // 0x04000000
        huge.erase(huge.begin() + (ptrdiff_t)at, huge.begin() + (ptrdiff_t)at + 2);
        huge.insert(huge.begin() + (ptrdiff_t)at, count, count + sizeof count);
        CMemFile file(huge.data(), (UINT)huge.size());
        CArchive ar(&file, CArchive::load);
        int nCause = -1;
        try {
            target.Serialize(ar);
        } catch (CArchiveException* e) {
            nCause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(nCause, CArchiveException::badIndex) << "count at " << at;
        EXPECT_EQ(Stored(target), unchanged);
    }

    // A record of a later object schema, read through an archive.
    CMemFile file(good.bytes.size() ? (BYTE*)good.bytes.data() : NULL, (UINT)good.bytes.size());
    CArchive ar(&file, CArchive::load);
    ar.m_nObjectSchema = 2;
    CArchiveException* pError = NULL;
    try {
        target.Serialize(ar);
    } catch (CArchiveException* e) {
        pError = e;
    }
    ASSERT_NE(pError, nullptr);
    EXPECT_EQ(pError->m_cause, CArchiveException::badSchema);
    pError->Delete();
    EXPECT_EQ(Stored(target), unchanged);

    // Through the file and the registry: FALSE, nothing applied.
    CTestFolder folder;
    const CString strFile = folder.File("bad.wsp");
    CFile bad(strFile, CFile::modeCreate | CFile::modeWrite);
    bad.Write(good.bytes.data(), 40);
    bad.Close();
    CCountingState counting;
    EXPECT_FALSE(counting.LoadFromFile(strFile, TRUE));
    CByteArray cut;
    ToArray(std::vector<BYTE>(good.bytes.begin(), good.bytes.begin() + 40), cut);
    ASSERT_TRUE(counting.AccessRegistryValue(TRUE, "Cut", "Pellucor Test", "WorkspaceRecordTest", HKEY_CURRENT_USER, cut));
    EXPECT_FALSE(counting.LoadFromRegistry("Cut", "Pellucor Test", "WorkspaceRecordTest", HKEY_CURRENT_USER, TRUE));
    EXPECT_EQ(counting.m_nApplied, 0);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\WorkspaceRecordTest");
}

TEST(OXWorkspaceStateRegistry, NamesTakeTheirDefaultsAndAMissingValueReadsEmpty)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT_STREQ(pApp->m_pszRegistryKey, "Pellucor Test");
    COXWorkspaceState state;
    state.SetIncludeMainWnd(FALSE);
    state.SetIncludeBars(FALSE);
    state.SetIncludeChildFrames(FALSE);
    state.SetIncludeSplitterPanes(FALSE);
    state.m_nScreenWidth = 4321;
    // NULL and empty names: "Main" under the application's key and profile.
    ASSERT_TRUE(state.StoreToRegistry(NULL, NULL, "", HKEY_CURRENT_USER, FALSE, FALSE, FALSE));
    CString strKey;
    strKey.Format("Software\\Pellucor Test\\%s\\WorkspaceState", pApp->m_pszProfileName);
    HKEY hKey;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey), ERROR_SUCCESS);
    DWORD dwType = 0, dwSize = 0;
    EXPECT_EQ(::RegQueryValueExA(hKey, "Main", NULL, &dwType, NULL, &dwSize), ERROR_SUCCESS);
    EXPECT_EQ(dwType, (DWORD)REG_BINARY);
    ::RegCloseKey(hKey);

    COXWorkspaceState back;
    ASSERT_TRUE(back.LoadFromRegistry("", "", NULL, HKEY_CURRENT_USER, TRUE));
    EXPECT_EQ(back.m_nScreenWidth, 4321);
    // Loaded with every switch off: applying changes nothing and succeeds.
    EXPECT_FALSE(back.m_bIncludeMainWindow || back.m_bIncludeBars || back.m_bIncludeChildFrames ||
                 back.m_bIncludeSplitterPanes);

    CByteArray bytes;
    bytes.SetSize(5);
    EXPECT_FALSE(back.AccessRegistryValue(FALSE, "NoSuchValue", "Pellucor Test", pApp->m_pszProfileName,
                                          HKEY_CURRENT_USER, bytes));
    EXPECT_EQ(bytes.GetSize(), 0);
    EXPECT_FALSE(back.LoadFromRegistry("NoSuchValue"));

    // No registry key anywhere: FALSE without touching the registry.
    LPCTSTR pszKey = pApp->m_pszRegistryKey;
    pApp->m_pszRegistryKey = NULL;
    EXPECT_FALSE(state.StoreToRegistry(NULL, NULL, NULL, HKEY_CURRENT_USER, FALSE, FALSE, FALSE));
    EXPECT_FALSE(state.LoadFromRegistry());
    pApp->m_pszRegistryKey = pszKey;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\Pellucor Test\\") + pApp->m_pszProfileName +
                                            "\\WorkspaceState");
}

// ---------------------------------------------------------------------------
// A frame with a splitter of its own (the main frame's splitter)
// ---------------------------------------------------------------------------

class CSplitFrame : public CFrameWnd
{
public:
    CSplitterWnd m_splitter;
protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        CCreateContext context = {};
        context.m_pNewViewClass = RUNTIME_CLASS(CWorkspaceView);
        (void)pContext;
        return m_splitter.CreateStatic(this, 2, 2) &&
               m_splitter.CreateView(0, 0, RUNTIME_CLASS(CWorkspaceView), CSize(100, 80), &context) &&
               m_splitter.CreateView(0, 1, RUNTIME_CLASS(CWorkspaceView), CSize(100, 80), &context) &&
               m_splitter.CreateView(1, 0, RUNTIME_CLASS(CWorkspaceView), CSize(100, 80), &context) &&
               m_splitter.CreateView(1, 1, RUNTIME_CLASS(CWorkspaceView), CSize(100, 80), &context);
    }
};

class MainWindowState : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pApp = AfxGetApp();
        m_pSavedMain = m_pApp->m_pMainWnd;
        m_nSavedCmdShow = m_pApp->m_nCmdShow;
        m_pFrame = new CSplitFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Split", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 480)));
        m_pApp->m_pMainWnd = m_pFrame;
    }
    void TearDown() override
    {
        m_pApp->m_pMainWnd = m_pSavedMain;
        m_pApp->m_nCmdShow = m_nSavedCmdShow;
        m_pFrame->DestroyWindow();
    }
    CWinApp* m_pApp = NULL;
    CWnd* m_pSavedMain = NULL;
    int m_nSavedCmdShow = 0;
    CSplitFrame* m_pFrame = NULL;
};

TEST_F(MainWindowState, SplitterRowsThenColumnsAndAnIndexPastThePanesIsSkipped)
{
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    m_pFrame->m_splitter.SetColumnInfo(0, 170, 12);
    m_pFrame->m_splitter.RecalcLayout();
    COXWorkspaceState state;
    ASSERT_TRUE(state.CaptureState());
    ASSERT_EQ(state.m_pSplitterPaneStates->GetSize(), 4);
    const COXSplitterColRowState* pCol0 = (COXSplitterColRowState*)state.m_pSplitterPaneStates->GetAt(2);
    EXPECT_TRUE(((COXSplitterColRowState*)state.m_pSplitterPaneStates->GetAt(1))->m_bRow);
    EXPECT_FALSE(pCol0->m_bRow);
    EXPECT_EQ(pCol0->m_nIdealSize, 170);

    // Records for panes the splitter lacks, beside a good one.
    for (INT_PTR i = 0; i < state.m_pSplitterPaneStates->GetSize(); i++)
        delete state.m_pSplitterPaneStates->GetAt(i);
    state.m_pSplitterPaneStates->RemoveAll();
    state.m_pSplitterPaneStates->Add(PaneState(FALSE, 2, 50, 5));
    state.m_pSplitterPaneStates->Add(PaneState(TRUE, 7, 50, 5));
    state.m_pSplitterPaneStates->Add(PaneState(FALSE, 0, 140, 9));
    state.SetIncludeMainWindow(FALSE);
    state.SetIncludeChildFrames(FALSE);
    EXPECT_FALSE(state.ApplyState());
    int cx, cxMin;
    m_pFrame->m_splitter.GetColumnInfo(0, cx, cxMin);
    EXPECT_EQ(cx, 140);
    EXPECT_EQ(cxMin, 9);
}

TEST_F(MainWindowState, AHiddenWindowStaysHiddenAndAMinimizedOneIsShownNormally)
{
    COXWorkspaceState state;
    state.SetIncludeBars(FALSE);
    state.SetIncludeSplitterPanes(FALSE);
    state.SetIncludeChildFrames(FALSE);
    state.m_wndPlacement.length = sizeof(WINDOWPLACEMENT);
    state.m_wndPlacement.showCmd = SW_SHOWMINIMIZED;
    state.m_wndPlacement.rcNormalPosition = {60, 70, 560, 470};
    ASSERT_TRUE(state.ApplyState());
    EXPECT_FALSE(m_pFrame->IsWindowVisible());
    EXPECT_EQ(m_pApp->m_nCmdShow, SW_SHOWNORMAL);
    WINDOWPLACEMENT wp = {sizeof wp};
    m_pFrame->GetWindowPlacement(&wp);
    EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(60, 70, 560, 470));

    state.m_wndPlacement.showCmd = SW_SHOWMAXIMIZED;
    ASSERT_TRUE(state.ApplyState());
    EXPECT_EQ(m_pApp->m_nCmdShow, SW_SHOWMAXIMIZED);
    EXPECT_FALSE(m_pFrame->IsWindowVisible());
}

TEST_F(MainWindowState, AStoredHiddenOrUnknownShowCommandShowsTheWindowNormally)
{
    COXWorkspaceState state;
    state.SetIncludeBars(FALSE);
    state.SetIncludeSplitterPanes(FALSE);
    state.SetIncludeChildFrames(FALSE);
    state.m_wndPlacement.length = sizeof(WINDOWPLACEMENT);
    state.m_wndPlacement.rcNormalPosition = {60, 70, 560, 470};
    const struct { UINT nStored; int nCmdShow; } cases[] = {
        {SW_HIDE, SW_SHOWNORMAL},
        {SW_MAX + 1, SW_SHOWNORMAL},
        {SW_SHOWMINIMIZED, SW_SHOWNORMAL},
        {SW_SHOWMAXIMIZED, SW_SHOWMAXIMIZED},
    };
    for (const auto& c : cases) {
        state.m_wndPlacement.showCmd = c.nStored;
        m_pApp->m_nCmdShow = -1;
        ASSERT_TRUE(state.ApplyState());
        EXPECT_EQ(m_pApp->m_nCmdShow, c.nCmdShow) << "stored " << c.nStored;
    }

    // A window already on screen stays there.
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    state.m_wndPlacement.showCmd = SW_HIDE;
    ASSERT_TRUE(state.ApplyState());
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
}

// ---------------------------------------------------------------------------
// The MDI frame
// ---------------------------------------------------------------------------

struct FrameLayout
{
    CRect rectMain;
    CRect rectFileBar, rectHarvestBar, rectFloatFrame;
    BOOL bSizeBarFloating = FALSE;
    std::vector<std::string> children;   // top first: path and normal rectangle
    int nSplitColumn = -1;
    // The right dock bar's tabs in order, the selected one starred, then
    // the stack's bars that show and where.
    std::string stack;

    bool operator==(const FrameLayout& o) const
    {
        return rectMain == o.rectMain && rectFileBar == o.rectFileBar && rectHarvestBar == o.rectHarvestBar &&
               rectFloatFrame == o.rectFloatFrame && bSizeBarFloating == o.bSizeBarFloating &&
               children == o.children && nSplitColumn == o.nSplitColumn && stack == o.stack;
    }
};

std::ostream& operator<<(std::ostream& os, const CRect& r)
{
    return os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

std::ostream& operator<<(std::ostream& os, const FrameLayout& l)
{
    os << "main " << l.rectMain << " file " << l.rectFileBar << " harvest " << l.rectHarvestBar << " float "
       << l.rectFloatFrame << (l.bSizeBarFloating ? " floating" : " docked") << " split " << l.nSplitColumn
       << " stack " << l.stack << " children:";
    for (const std::string& s : l.children)
        os << " [" << s << "]";
    return os;
}

CRect ScreenRect(CWnd* pWnd)
{
    CRect r;
    pWnd->GetWindowRect(&r);
    return r;
}

class WorkspaceFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pApp = AfxGetApp();
        m_pSavedMain = m_pApp->m_pMainWnd;
        m_nSavedCmdShow = m_pApp->m_nCmdShow;
        for (int i = 0; i < 3; i++) {
            CString strName;
            strName.Format("phrases%d.kw", i + 1);
            m_paths[i] = m_folder.File(strName);
            CString strText;
            strText.Format("seed %d", i + 1);
            ASSERT_TRUE(WriteWorkspaceDocument(m_paths[i], strText));
        }
        Start();
    }
    void TearDown() override
    {
        CloseAll();
        m_pApp->m_pMainWnd = m_pSavedMain;
        m_pApp->m_nCmdShow = m_nSavedCmdShow;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\WorkspaceTest");
    }

    // As a program starts: a hidden frame with its bars in their first
    // places; shown after the workspace was applied.
    void Start()
    {
        m_pFrame = new CWorkspaceFrame;
        ASSERT_TRUE(m_pFrame->CreateWorkspaceFrame(CRect(0, 0, 900, 650)));
        m_pApp->m_pMainWnd = m_pFrame;
        m_pApp->m_nCmdShow = SW_SHOWNORMAL;
    }
    void Show()
    {
        m_pFrame->ShowWindow(m_pApp->m_nCmdShow);
        m_pFrame->RecalcLayout();
        PumpPending();
    }
    void CloseAll()
    {
        WorkspacePlainTemplate()->CloseAllDocuments(FALSE);
        WorkspaceSplitTemplate()->CloseAllDocuments(FALSE);
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        m_pFrame = NULL;
        PumpPending();
    }
    void Restart()
    {
        CloseAll();
        Start();
    }
    CMDIChildWnd* Open(int i, BOOL bSplit)
    {
        CDocument* pDoc = (bSplit ? WorkspaceSplitTemplate() : WorkspacePlainTemplate())->OpenDocumentFile(m_paths[i]);
        if (pDoc == NULL)
            return NULL;
        POSITION pos = pDoc->GetFirstViewPosition();
        return (CMDIChildWnd*)pDoc->GetNextView(pos)->GetParentFrame();
    }
    // Three documents (the second split), the bars moved from their first
    // places, the frame moved.
    void Arrange()
    {
        Show();
        m_pFrame->MoveWindow(30, 40, 860, 600);
        CMDIChildWnd* pChildren[3] = {Open(0, FALSE), Open(1, TRUE), Open(2, FALSE)};
        const CRect places[3] = {CRect(0, 0, 300, 220), CRect(50, 40, 470, 330), CRect(100, 80, 420, 300)};
        for (int i = 0; i < 3; i++) {
            ASSERT_NE(pChildren[i], nullptr);
            pChildren[i]->MoveWindow(places[i]);
        }
        CWorkspaceSplitChild* pSplit = (CWorkspaceSplitChild*)pChildren[1];
        pSplit->m_splitter.SetColumnInfo(0, 160, 10);
        pSplit->m_splitter.RecalcLayout();
        // The first document is the active one, on top.
        m_pFrame->MDIActivate(pChildren[0]);
        m_pFrame->DockControlBar(&m_pFrame->m_barHarvest, AFX_IDW_DOCKBAR_LEFT);
        m_pFrame->FloatControlBar(m_pFrame->m_pSizeBar, CPoint(420, 300));
        // The stack's first tab moved last, the middle one of the three
        // selected: "Queries", "Rivals"*, "Ideas".
        COXDockTabCtrl& tabs = Tabs();
        tabs.InsertBar(m_pFrame->m_pStackBars[0], 2, FALSE);
        tabs.SetCurSel(1);
        tabs.UpdateTabs();
        m_pFrame->RecalcLayout();
        PumpPending();
    }
    COXDockTabCtrl& Tabs()
    {
        return DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT))->m_wndTabContainer;
    }
    std::string Stack()
    {
        std::ostringstream os;
        COXDockTabCtrl& tabs = Tabs();
        for (int i = 0; i < tabs.GetItemCount(); i++) {
            CString strName;
            if (CControlBar* pBar = tabs.GetTabBar(i))
                pBar->GetWindowText(strName);
            os << (LPCTSTR)strName << (i == tabs.GetCurSel() ? "* " : " ");
        }
        os << "showing";
        for (COXSizeControlBar* pBar : m_pFrame->m_pStackBars) {
            if (!pBar->IsVisible())
                continue;
            CString strName;
            pBar->GetWindowText(strName);
            os << " " << (LPCTSTR)strName << (pBar->IsFloating() ? " floating " : " ") << ScreenRect(pBar);
        }
        return os.str();
    }
    FrameLayout Layout()
    {
        FrameLayout l;
        WINDOWPLACEMENT wp = {sizeof wp};
        m_pFrame->GetWindowPlacement(&wp);
        l.rectMain = wp.rcNormalPosition;
        l.rectFileBar = ScreenRect(&m_pFrame->m_barFile);
        l.rectHarvestBar = ScreenRect(&m_pFrame->m_barHarvest);
        l.bSizeBarFloating = m_pFrame->m_pSizeBar->IsFloating();
        l.rectFloatFrame = ScreenRect(m_pFrame->m_pSizeBar->GetParentFrame());
        l.stack = Stack();
        for (HWND h = ::GetWindow(m_pFrame->m_hWndMDIClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(h));
            if (pChild == NULL)
                continue;
            WINDOWPLACEMENT cwp = {sizeof cwp};
            pChild->GetWindowPlacement(&cwp);
            CDocument* pDoc = pChild->GetActiveDocument();
            std::ostringstream os;
            os << (pDoc != NULL ? (LPCTSTR)pDoc->GetPathName().Mid(m_folder.Path().GetLength() + 1) : "?") << " "
               << CRect(cwp.rcNormalPosition) << (pChild->IsWindowVisible() ? "" : " hidden");
            l.children.push_back(os.str());
            if (CWorkspaceSplitChild* pSplit = DYNAMIC_DOWNCAST(CWorkspaceSplitChild, pChild)) {
                int cxMin;
                pSplit->m_splitter.GetColumnInfo(0, l.nSplitColumn, cxMin);
            }
        }
        return l;
    }
    BOOL Store(COXWorkspaceState& state)
    {
        return state.StoreToRegistry(NULL, NULL, "WorkspaceTest", HKEY_CURRENT_USER, TRUE, TRUE, TRUE);
    }
    BOOL Load(COXWorkspaceState& state)
    {
        return state.LoadFromRegistry(NULL, NULL, "WorkspaceTest", HKEY_CURRENT_USER, TRUE);
    }

    CWinApp* m_pApp = NULL;
    CWnd* m_pSavedMain = NULL;
    int m_nSavedCmdShow = 0;
    CTestFolder m_folder;
    CString m_paths[3];
    CWorkspaceFrame* m_pFrame = NULL;
};

TEST_F(WorkspaceFrame, AStartedFrameComesBackAsItWasLeftAndTenCyclesMoveNothing)
{
    Arrange();
    const FrameLayout left = Layout();
    ASSERT_EQ(left.children.size(), 3u);
    ASSERT_EQ(left.children[0].substr(0, 11), "phrases1.kw") << left;
    ASSERT_TRUE(left.bSizeBarFloating);
    ASSERT_EQ(left.stack.rfind("Queries Rivals* Ideas showing Rivals (", 0), 0u) << left;

    COXWorkspaceState state;
    ASSERT_TRUE(Store(state));
    const CString strFile = m_folder.File("workspace.wsp");
    ASSERT_TRUE(state.StoreToFile(strFile, TRUE, FALSE, TRUE));

    Restart();
    EXPECT_EQ(Layout().children.size(), 0u);
    COXWorkspaceState fromRegistry;
    ASSERT_TRUE(Load(fromRegistry));
    EXPECT_FALSE(m_pFrame->IsWindowVisible()) << "applied before the frame was shown";
    Show();
    const FrameLayout restored = Layout();
    EXPECT_EQ(restored, left);
    EXPECT_NE(m_pFrame->m_barHarvest.GetStyle() & TBSTYLE_FLAT, 0u) << "the flat bar keeps its look";
    CMDIChildWnd* pActive = m_pFrame->MDIGetActive();
    ASSERT_NE(pActive, nullptr);
    EXPECT_EQ(pActive->GetActiveDocument()->GetPathName(), m_paths[0]);

    Restart();
    COXWorkspaceState fromFile;
    ASSERT_TRUE(fromFile.LoadFromFile(strFile, TRUE));
    Show();
    EXPECT_EQ(Layout(), left);

    for (int cycle = 0; cycle < 10; cycle++) {
        COXWorkspaceState store, load;
        ASSERT_TRUE(Store(store)) << cycle;
        Restart();
        ASSERT_TRUE(Load(load)) << cycle;
        Show();
        ASSERT_EQ(Layout(), left) << "cycle " << cycle;
    }
}

// A new frame starts with all three bars stacked, the first selected: what
// left the stack stays out of it, and the bars show as they did.
TEST_F(WorkspaceFrame, ABarOutOfTheStackComesBackOutOfIt)
{
    struct Case
    {
        const char* name;
        std::function<void(CWorkspaceFrame*, COXDockTabCtrl&)> change;
        const char* stackPrefix;
    } cases[] = {
        {"the shown one closed",
         [](CWorkspaceFrame* pFrame, COXDockTabCtrl&) { pFrame->m_pStackBars[2]->ShowBar(FALSE); },
         "Queries* Ideas showing Queries ("},
        {"the shown one dragged out to float",
         [](CWorkspaceFrame* pFrame, COXDockTabCtrl& tabs) {
             tabs.RemoveBar(pFrame->m_pStackBars[2]);
             pFrame->FloatControlBar(pFrame->m_pStackBars[2], CPoint(300, 420));
         },
         "Queries* Ideas showing Queries ("},
        {"the stack taken apart",
         [](CWorkspaceFrame* pFrame, COXDockTabCtrl& tabs) {
             for (COXSizeControlBar* pBar : pFrame->m_pStackBars)
                 tabs.RemoveBar(pBar);
             for (COXSizeControlBar* pBar : pFrame->m_pStackBars)
                 pFrame->ShowControlBar(pBar, TRUE, FALSE);
         },
         "showing Ideas ("},
    };
    for (const Case& c : cases) {
        Arrange();
        c.change(m_pFrame, Tabs());
        m_pFrame->RecalcLayout();
        PumpPending();
        const FrameLayout left = Layout();
        EXPECT_EQ(left.stack.rfind(c.stackPrefix, 0), 0u) << c.name << ": " << left.stack;
        COXWorkspaceState store, load;
        ASSERT_TRUE(Store(store)) << c.name;
        Restart();
        ASSERT_TRUE(Load(load)) << c.name;
        Show();
        EXPECT_EQ(Layout(), left) << c.name;
        Restart();
    }
}

// The floating frame is sized by its bar's floating size and, being
// sizable, feeds its client size back into it: applying must leave both as
// they were, however often it runs.
TEST_F(WorkspaceFrame, ApplyingLeavesAFloatingFrameAndItsBarsFloatingSizeAsTheyWere)
{
    Arrange();
    const CRect rectFloat = ScreenRect(m_pFrame->m_pSizeBar->GetParentFrame());
    const CSize sizeFloat = m_pFrame->m_pSizeBar->m_FloatSize;
    COXWorkspaceState state;
    ASSERT_TRUE(state.CaptureState());
    for (int i = 0; i < 3; i++) {
        ASSERT_TRUE(state.ApplyState());
        PumpPending();
        ASSERT_TRUE(m_pFrame->m_pSizeBar->IsFloating());
        const CRect rect = ScreenRect(m_pFrame->m_pSizeBar->GetParentFrame());
        const CSize size = m_pFrame->m_pSizeBar->m_FloatSize;
        EXPECT_TRUE(rect == rectFloat) << "apply " << i << ": " << rect << ", left " << rectFloat;
        EXPECT_TRUE(size == sizeFloat) << "apply " << i << ": " << size.cx << " x " << size.cy << ", left "
                                       << sizeFloat.cx << " x " << sizeFloat.cy;
    }
}

TEST_F(WorkspaceFrame, CancelAtSaveChangesStopsTheStoreAndKeepsTheEdits)
{
    Arrange();
    const CString strFile = m_folder.File("workspace.wsp");
    COXWorkspaceState state;
    ASSERT_TRUE(state.StoreToFile(strFile, FALSE, TRUE, FALSE));
    CFileStatus before;
    ASSERT_TRUE(CFile::GetStatus(strFile, before));

    CWorkspaceDoc* pDocs[3] = {};
    int n = 0;
    for (CMultiDocTemplate* pTemplate : {WorkspacePlainTemplate(), WorkspaceSplitTemplate()})
        for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL && n < 3;)
            pDocs[n++] = (CWorkspaceDoc*)pTemplate->GetNextDoc(pos);
    ASSERT_EQ(n, 3);
    for (CWorkspaceDoc* pDoc : pDocs)
        pDoc->SetModifiedFlag(TRUE);

    COXWorkspaceState cancelled;
    cancelled.m_nScreenWidth = 1;
    {
        CDialogAnswerer answerer;
        answerer.Answer(IDCANCEL);
        EXPECT_FALSE(cancelled.StoreToFile(strFile, TRUE, TRUE, TRUE));
        ASSERT_EQ(answerer.Shown().size(), 1u);
        EXPECT_NE(answerer.Shown()[0].text.find("Save changes to"), std::string::npos);
        answerer.Answer(IDCANCEL);
        EXPECT_FALSE(cancelled.StoreToRegistry(NULL, NULL, "WorkspaceTest", HKEY_CURRENT_USER, TRUE, TRUE, TRUE));
    }
    for (CWorkspaceDoc* pDoc : pDocs)
        EXPECT_TRUE(pDoc->IsModified());
    CFileStatus after;
    ASSERT_TRUE(CFile::GetStatus(strFile, after));
    EXPECT_EQ(after.m_size, before.m_size);
    EXPECT_EQ(cancelled.m_pChildFrameStates->GetSize(), 0) << "nothing captured";

    // No for every one: the store goes on, and the unsaved documents keep
    // their edits, to be asked about again.
    {
        CDialogAnswerer answerer;
        answerer.SetDefault(IDNO);
        EXPECT_TRUE(cancelled.StoreToFile(strFile, TRUE, TRUE, TRUE));
        EXPECT_EQ(answerer.Shown().size(), 3u);
    }
    for (CWorkspaceDoc* pDoc : pDocs)
        EXPECT_TRUE(pDoc->IsModified());
    for (CWorkspaceDoc* pDoc : pDocs)
        pDoc->SetModifiedFlag(FALSE);
}

// A store that fails after part of the record was written.
class CFailingState : public COXWorkspaceState
{
public:
    void StoreProperties(CArchive& ar) override
    {
        COXWorkspaceState::StoreProperties(ar);
        ar.Flush();
        AfxThrowFileException(CFileException::diskFull);
    }
};

TEST_F(WorkspaceFrame, AStoreFailingMidwayKeepsTheLastFile)
{
    Arrange();
    const CString strFile = m_folder.File("workspace.wsp");
    COXWorkspaceState state;
    ASSERT_TRUE(state.StoreToFile(strFile, FALSE, TRUE, FALSE));
    CFile file(strFile, CFile::modeRead);
    std::vector<BYTE> before((size_t)file.GetLength());
    file.Read(before.data(), (UINT)before.size());
    file.Close();

    CFailingState failing;
    EXPECT_FALSE(failing.StoreToFile(strFile, FALSE, TRUE, FALSE));
    CFile again(strFile, CFile::modeRead);
    std::vector<BYTE> after((size_t)again.GetLength());
    again.Read(after.data(), (UINT)after.size());
    again.Close();
    EXPECT_EQ(after, before);
    EXPECT_EQ(::GetFileAttributesA(strFile + ".tmp"), INVALID_FILE_ATTRIBUTES) << "no half-written file left";
    COXWorkspaceState back;
    EXPECT_TRUE(back.LoadFromFile(strFile, FALSE));
}

TEST_F(WorkspaceFrame, WindowsThatAreNotChildrenArePassedOverAndAFailedChildMakesTheCaptureFalse)
{
    Arrange();
    // A window of another kind on top of the client's children.
    CWnd floatWnd;
    ASSERT_TRUE(floatWnd.CreateEx(0, AfxRegisterWndClass(0), "float", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50),
                                  CWnd::FromHandle(m_pFrame->m_hWndMDIClient), 1));
    floatWnd.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(::GetWindow(m_pFrame->m_hWndMDIClient, GW_CHILD), floatWnd.m_hWnd);
    COXWorkspaceState state;
    EXPECT_TRUE(state.CaptureState());
    EXPECT_EQ(state.m_pChildFrameStates->GetSize(), 3);

    // A child with no document cannot be captured: the others still are.
    CMDIChildWnd* pBare = new CMDIChildWnd;
    ASSERT_TRUE(pBare->Create(NULL, "bare", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                              m_pFrame));
    EXPECT_FALSE(state.CaptureState());
    EXPECT_EQ(state.m_pChildFrameStates->GetSize(), 3);
    pBare->DestroyWindow();
    floatWnd.DestroyWindow();
}

} // namespace
