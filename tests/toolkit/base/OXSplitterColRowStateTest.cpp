// A splitter's row or column kept and put back: through an archive into a
// new splitter with its size and minimum each in its place; indexes outside
// the splitter, and stored records that are damaged, are refused and change
// nothing.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <vector>

#include "ByteFuzzer.h"
#include "OXSplitterColRowState.h"
#include "testdrawing.h"

namespace {

class CPaneView : public CView
{
    DECLARE_DYNCREATE(CPaneView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

// A frame split into two rows.
class CTwoRowFrame : public CFrameWnd
{
public:
    CSplitterWnd m_splitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_splitter.CreateStatic(this, 2, 1) &&
               m_splitter.CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(100, 100), pContext) &&
               m_splitter.CreateView(1, 0, RUNTIME_CLASS(CPaneView), CSize(100, 100), pContext);
    }
};

struct CRowInfo
{
    int cur, min;
    bool operator==(const CRowInfo& o) const { return cur == o.cur && min == o.min; }
    bool operator!=(const CRowInfo& o) const { return !(*this == o); }
};

void PrintTo(const CRowInfo& r, std::ostream* os)
{
    *os << r.cur << " (min " << r.min << ")";
}

CRowInfo RowOf(CSplitterWnd& splitter, int nRow)
{
    CRowInfo info = {};
    splitter.GetRowInfo(nRow, info.cur, info.min);
    return info;
}

std::vector<unsigned char> Stored(COXSplitterColRowState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &state;
    }
    const UINT nLength = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    std::vector<unsigned char> bytes(pData, pData + nLength);
    free(pData);
    return bytes;
}

// The record read back from bytes, or NULL when the archive refused them.
COXSplitterColRowState* Loaded(std::vector<unsigned char> bytes)
{
    bytes.push_back(0);   // a buffer even for no bytes
    CMemFile file(bytes.data(), (UINT)bytes.size() - 1);
    COXSplitterColRowState* pState = NULL;
    try {
        CArchive ar(&file, CArchive::load);
        CObject* pObject = ar.ReadObject(RUNTIME_CLASS(COXSplitterColRowState));
        pState = dynamic_cast<COXSplitterColRowState*>(pObject);
        if (pState == NULL)
            delete pObject;
    } catch (CException* e) {
        e->Delete();
    }
    return pState;
}

class OXSplitterColRowStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (CScopedFrame<CTwoRowFrame>* p : {&m_first, &m_second}) {
            ASSERT_TRUE(p->Create("split", CRect(0, 0, 300, 400)));
            p->Show();
        }
    }
    CSplitterWnd& First() { return m_first->m_splitter; }
    CSplitterWnd& Second() { return m_second->m_splitter; }

    CScopedFrame<CTwoRowFrame> m_first, m_second;
};

TEST_F(OXSplitterColRowStateTest, ARowComesBackWithItsSizeAndMinimum)
{
    First().SetRowInfo(0, 150, 20);
    First().RecalcLayout();
    COXSplitterColRowState state;
    ASSERT_TRUE(state.Capture(&First(), 0, TRUE));
    EXPECT_EQ(state.m_nIdealSize, 150);
    EXPECT_EQ(state.m_nMinSize, 20);

    std::unique_ptr<COXSplitterColRowState> pBack(Loaded(Stored(state)));
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(pBack->m_nSerializedVersion, 1);
    ASSERT_NE(RowOf(Second(), 0), (CRowInfo{150, 20}));   // not there by chance
    ASSERT_TRUE(pBack->Apply(&Second()));
    Second().RecalcLayout();
    EXPECT_EQ(RowOf(Second(), 0), (CRowInfo{150, 20}));
}

TEST_F(OXSplitterColRowStateTest, IndexesOutsideTheSplitterAreRefused)
{
    const CRowInfo before[2] = {RowOf(First(), 0), RowOf(First(), 1)};
    struct Case { int index; BOOL row; } cases[] = {{-1, TRUE}, {2, TRUE}, {-1, FALSE}, {1, FALSE}, {INT_MIN, TRUE}};
    for (const Case& c : cases) {
        COXSplitterColRowState state;
        EXPECT_FALSE(state.Capture(&First(), c.index, c.row)) << c.index << " " << c.row;
        state.m_bRow = c.row;
        state.m_nIndex = c.index;
        state.m_nIdealSize = 77;
        EXPECT_FALSE(state.Apply(&First())) << c.index << " " << c.row;
    }
    EXPECT_EQ(RowOf(First(), 0), before[0]);
    EXPECT_EQ(RowOf(First(), 1), before[1]);

    // A stored record with a negative index is refused by the archive, and
    // a record read over leaves it as it was.
    COXSplitterColRowState state;
    ASSERT_TRUE(state.Capture(&First(), 1, TRUE));
    state.m_nIndex = -1;
    EXPECT_EQ(Loaded(Stored(state)), nullptr);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
    }
    file.SeekToBegin();
    COXSplitterColRowState kept;
    ASSERT_TRUE(kept.Capture(&First(), 1, TRUE));
    CArchive ar(&file, CArchive::load);
    bool bRefused = false;
    try {
        kept.Serialize(ar);
    } catch (CArchiveException* e) {
        bRefused = true;
        e->Delete();
    }
    EXPECT_TRUE(bRefused);
    EXPECT_EQ(kept.m_nIndex, 1);
    EXPECT_EQ(kept.m_nSerializedVersion, -1);
}

// Damaged stored records: nothing faults, what the archive takes has an
// index of its own splitter or is refused when applied, and a refused
// record changes none of the splitter's rows.
TEST_F(OXSplitterColRowStateTest, DamagedRecordsNeverReachPastTheSplitter)
{
    COXSplitterColRowState state;
    ASSERT_TRUE(state.Capture(&First(), 1, TRUE));
    const std::vector<unsigned char> good = Stored(state);
    CByteFuzzer fuzzer;
    int nRead = 0, nApplied = 0;
    const int nCases = 20000;
    for (int i = 0; i < nCases; i++) {
        std::unique_ptr<COXSplitterColRowState> pState(Loaded(fuzzer.Mutate(good)));
        if (pState == nullptr)
            continue;
        nRead++;
        ASSERT_GE(pState->m_nIndex, 0) << "case " << i;
        const CRowInfo before[2] = {RowOf(First(), 0), RowOf(First(), 1)};
        const BOOL bApplied = pState->Apply(&First());
        const int nCount = pState->m_bRow ? 2 : 1;
        ASSERT_EQ(bApplied, pState->m_nIndex < nCount) << "case " << i;
        if (!bApplied) {
            ASSERT_EQ(RowOf(First(), 0), before[0]) << "case " << i;
            ASSERT_EQ(RowOf(First(), 1), before[1]) << "case " << i;
        }
        nApplied += bApplied;
    }
    // The run must have reached both ends.
    EXPECT_GT(nRead, 0);
    EXPECT_GT(nApplied, 0);
    EXPECT_LT(nRead, nCases);
    std::printf("splitter records: %d cases, %d read, %d applied\n", nCases, nRead, nApplied);
}

}  // namespace
