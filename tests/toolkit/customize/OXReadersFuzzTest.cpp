// Bounded fuzz runs of every reader of outside data in the customize family:
// BMP files (the bitmap class and the splash), block-converted files, the
// caption painter's and the shortkeys organizer's registry records and the
// child-frame records of a workspace. Valid inputs are damaged by the
// fixed-seed mutator (fields of sizes, counts and offsets set to their
// extremes); nothing may fault, what is accepted must work, and what is
// refused leaves the object as it was. A failure names its case number.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ByteFuzzer.h"
#include "OXCaptionPainter.h"
#include "OXChildFrameState.h"
#include "OXConvertedFile.h"
#include "OXDIB.h"
#include "OXShortkeysOrganizer.h"
#include "OXSplashWnd.h"
#include "OXSplitterColRowState.h"
#include "TestFolder.h"
#include "testdrawing.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes ArchiveBytes(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
    }
    Bytes bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// Valid BMP files of every depth and header the reader takes.
std::vector<Bytes> BitmapSeeds()
{
    std::vector<Bytes> seeds;
    for (WORD bits : {1, 4, 8, 24}) {
        COXDIB dib;
        dib.CreateEmpty(bits, 7, 5);
        BYTE* p = (BYTE*)dib.FindDIBBits();
        for (int i = 0; i < 20; i++)
            p[i] = (BYTE)(i * 37);
        seeds.push_back(ArchiveBytes([&](CArchive& ar) { dib.Write(ar); }));
    }
    // 16 bits with masks, and an 8-bit image in RLE with its size.
    auto file = [](DWORD nHeader, LONG w, LONG h, WORD bits, DWORD compression, const Bytes& table, const Bytes& rows) {
        Bytes b = {'B', 'M'};
        auto put = [&](DWORD v, int n) {
            for (int i = 0; i < n; i++)
                b.push_back((unsigned char)(v >> (8 * i)));
        };
        const DWORD nOff = 14 + nHeader + (DWORD)table.size();
        put(nOff + (DWORD)rows.size(), 4); put(0, 4); put(nOff, 4);
        put(nHeader, 4); put((DWORD)w, 4); put((DWORD)h, 4); put(1, 2); put(bits, 2);
        put(compression, 4); put((DWORD)rows.size(), 4); put(0, 4); put(0, 4); put(0, 4); put(0, 4);
        b.resize(14 + nHeader, 0);
        b.insert(b.end(), table.begin(), table.end());
        b.insert(b.end(), rows.begin(), rows.end());
        return b;
    };
    seeds.push_back(file(40, 2, 2, 16, BI_BITFIELDS, {0, 0xF8, 0, 0, 0xE0, 7, 0, 0, 0x1F, 0, 0, 0},
                         {0, 0xF8, 0x1F, 0, 0xE0, 7, 0, 0}));
    Bytes gray;
    for (int i = 0; i < 256; i++)
        gray.insert(gray.end(), {(BYTE)i, (BYTE)i, (BYTE)i, 0});
    seeds.push_back(file(40, 4, 2, 8, BI_RLE8, gray, {4, 9, 0, 0, 2, 3, 2, 7, 0, 1}));
    seeds.push_back(file(124, 3, -2, 32, BI_RGB, {}, Bytes(24, 0x5A)));
    return seeds;
}

// A seed damaged at random, or in one of the fields that size and place the
// image (file size, bits offset, header size, width, height, bit count,
// compression, image size, colour count), which random damage seldom hits.
Bytes DamagedBitmap(CByteFuzzer& fuzzer, const Bytes& seed)
{
    if (fuzzer.Below(2))
        return fuzzer.Mutate(seed);
    Bytes bytes = seed;
    static const size_t fields[] = {2, 10, 14, 18, 22, 28, 30, 34, 46};
    const size_t nAt = fields[fuzzer.Below(sizeof fields / sizeof fields[0])];
    uint32_t nValue = fuzzer.Extreme(bytes.size());
    if (nAt == 28) {
        static const WORD depths[] = {1, 4, 8, 16, 24, 32};
        nValue = depths[fuzzer.Below(6)];
    }
    for (size_t i = 0; i < (nAt == 28 ? 2u : 4u) && nAt + i < bytes.size(); i++)
        bytes[nAt + i] = (unsigned char)(nValue >> (8 * i));
    return bytes;
}

TEST(OXReadersFuzz, BitmapFilesLoadWholeOrNotAtAll)
{
    const std::vector<Bytes> seeds = BitmapSeeds();
    CByteFuzzer fuzzer;
    CPixelCanvas canvas(16, 16);
    int nAccepted = 0;
    const int kCases = 4000;
    for (int nCase = 0; nCase < kCases; nCase++) {
        Bytes bytes = DamagedBitmap(fuzzer, seeds[nCase % seeds.size()]);
        CMemFile file(bytes.data(), (UINT)bytes.size());
        CArchive ar(&file, CArchive::load);
        COXDIB dib;
        BOOL bRead = FALSE;
        try {
            bRead = dib.Read(ar);
        } catch (CException* e) {
            e->Delete();
        }
        if (!bRead) {
            ASSERT_TRUE(dib.IsEmpty()) << "case " << nCase;
            continue;
        }
        nAccepted++;
        // What was taken is whole: it draws, turns, sizes and writes.
        const CSize size = dib.GetSize();
        ASSERT_GT(size.cx, 0) << "case " << nCase;
        ASSERT_GT(size.cy, 0) << "case " << nCase;
        dib.Paint(&canvas.dc, CRect(0, 0, 16, 16), CRect(0, 0, 16, 16));
        dib.Rotate(90 * (nCase % 4), nCase % 3 == 0, nCase % 5 == 0);
        if ((LONGLONG)size.cx * size.cy < 4096)
            dib.Resize(size.cx + 3, size.cy + 1);
        CMemFile out;
        CArchive arOut(&out, CArchive::store);
        dib.Write(arOut);
    }
    EXPECT_GT(nAccepted, kCases / 10);
}

TEST(OXReadersFuzz, TheSplashRefusesABadFileAndKeepsItsImageAndShape)
{
    const std::vector<Bytes> seeds = BitmapSeeds();
    CTestFolder folder;
    const CString path = folder.File("splash.bmp");
    CByteFuzzer fuzzer;
    COXSplashWnd splash;
    // The image it starts with, cut from its corner colour.
    WriteFileBytes(path, std::string(seeds[2].begin(), seeds[2].end()));
    ASSERT_TRUE(splash.LoadBitmapFile(path, 0xFFFFFFFF));
    int nAccepted = 0;
    const int kCases = 1500;
    for (int nCase = 0; nCase < kCases; nCase++) {
        Bytes bytes = DamagedBitmap(fuzzer, seeds[nCase % seeds.size()]);
        WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
        const CSize before = splash.m_dib.GetSize();
        const HGDIOBJ hRegionBefore = splash.GetRegion().GetSafeHandle();
        CMemFile memory(bytes.data(), (UINT)bytes.size());
        CArchive ar(&memory, CArchive::load);
        const BOOL bImage = COXDIB().Read(ar);
        const COLORREF clr = nCase % 3 == 0 ? 0xFFFFFFFF : nCase % 3 == 1 ? 0xFF000000 : RGB(0, 0, 0);
        CPoint start(nCase % 5 - 1, nCase % 7 - 1);
        if (splash.LoadBitmapFile(path, clr, &start, (BYTE)(nCase % 4))) {
            ASSERT_TRUE(bImage) << "case " << nCase;
            nAccepted++;
        } else if (!bImage) {
            // No image in the file: the splash keeps the one it had.
            ASSERT_EQ(splash.m_dib.GetSize(), before) << "case " << nCase;
            ASSERT_EQ(splash.GetRegion().GetSafeHandle(), hRegionBefore) << "case " << nCase;
        }
    }
    EXPECT_GT(nAccepted, kCases / 10);
}

// A conversion of its own (each byte's bits turned) over a file of any bytes.
class CTurnedFile : public COXConvertedFile
{
public:
    CTurnedFile(UINT nBlock, BOOL bConvert) : COXConvertedFile(nBlock, bConvert) {}
    void ConvertFromFile(const BYTE* in, BYTE* out) override
    {
        for (UINT i = 0; i < m_nBlockSize; i++)
            out[i] = (BYTE)~in[i];
    }
    void ConvertToFile(const BYTE* in, BYTE* out) override { ConvertFromFile(in, out); }
};

TEST(OXReadersFuzz, ConvertedFilesReadWhatTheFileHoldsAtAnyPlace)
{
    CTestFolder folder;
    const CString path = folder.File("converted.bin");
    CByteFuzzer fuzzer;
    Bytes seed;
    for (int i = 0; i < 200; i++)
        seed.push_back(i % 40 == 39 ? '\n' : i % 40 == 38 ? '\r' : (unsigned char)('a' + i % 26));
    const int kCases = 600;
    for (int nCase = 0; nCase < kCases; nCase++) {
        const Bytes bytes = fuzzer.Mutate(seed, 8);
        WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
        const UINT blocks[] = {1, 3, 16, 512};
        const BOOL bConvert = nCase % 2;
        CTurnedFile file(blocks[nCase % 4], bConvert);
        ASSERT_TRUE(file.Open(path, nCase % 3 ? CFile::modeRead : CFile::modeReadWrite)) << "case " << nCase;
        char buf[300];
        wchar_t wide[300];
        for (int nStep = 0; nStep < 12; nStep++) {
            try {
                const ULONGLONG nAt = file.GetPosition();
                const UINT nCount = fuzzer.Below(2) ? fuzzer.Extreme(bytes.size()) % 301 : fuzzer.Below(301);
                switch (fuzzer.Below(4)) {
                case 0: {
                    const UINT nRead = file.Read(buf, nCount);
                    ASSERT_LE(nRead, nCount) << "case " << nCase;
                    // Unconverted, what is read is the file's own bytes.
                    if (!bConvert && nRead > 0) {
                        ASSERT_LE(nAt + nRead, (ULONGLONG)bytes.size()) << "case " << nCase;
                        ASSERT_EQ(memcmp(buf, bytes.data() + nAt, nRead), 0) << "case " << nCase;
                    }
                    break;
                }
                case 1:
                    if (file.ReadString(buf, nCount) != NULL)
                        ASSERT_LT(strlen(buf), (size_t)nCount) << "case " << nCase;
                    break;
                case 2:
                    if (file.ReadString(wide, nCount) != NULL)
                        ASSERT_LT(wcslen(wide), (size_t)nCount) << "case " << nCase;
                    break;
                default: {
                    const UINT froms[] = {CFile::begin, CFile::current, CFile::end};
                    LONGLONG nOff = (LONGLONG)(int32_t)fuzzer.Extreme(bytes.size());
                    file.Seek(nOff, froms[fuzzer.Below(3)]);
                    break;
                }
                }
            } catch (CException* e) {
                e->Delete();
            }
        }
        try {
            file.Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
}

// The look one state of a caption has, as far as a record carries it.
std::string CaptionLook(const COXCaptionInfo& info)
{
    LOGFONT lf[2] = {};
    const_cast<CFont&>(info.m_fontCaption).GetObject(sizeof lf[0], &lf[0]);
    const_cast<CFont&>(info.m_fontSmCaption).GetObject(sizeof lf[1], &lf[1]);
    CString s;
    s.Format("%lx %d %d %d %d %lx %x %d %s %d %s", info.m_clrBackground, info.m_bGradient, info.m_nGradientAlignment,
             info.m_nGradientAlgorithm, info.m_nShadeCount, info.m_clrText, info.m_nTextFormat, (int)lf[0].lfHeight,
             lf[0].lfFaceName, (int)lf[1].lfHeight, lf[1].lfFaceName);
    return std::string((LPCSTR)s);
}

const char kFuzzKey[] = "Software\\Pellucor Test\\PellucorTests\\FuzzRecords";

void PutRecord(LPCSTR pszValue, const Bytes& bytes)
{
    HKEY hKey;
    ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, kFuzzKey, &hKey), ERROR_SUCCESS);
    ::RegSetValueExA(hKey, pszValue, 0, REG_BINARY, bytes.data(), (DWORD)bytes.size());
    ::RegCloseKey(hKey);
}

class OXRecordsFuzz : public ::testing::Test
{
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kFuzzKey); }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kFuzzKey); }
};

TEST_F(OXRecordsFuzz, CaptionRecordsReplaceALookWholeOrNotAtAll)
{
    COXCaptionInfo seedInfo;
    seedInfo.m_clrBackground = RGB(10, 20, 30);
    seedInfo.m_nGradientAlignment = 1;
    LOGFONT lf = {};
    lf.lfHeight = -12;
    strcpy(lf.lfFaceName, "Liberation Sans");
    seedInfo.m_fontCaption.CreateFontIndirect(&lf);
    const Bytes seed = ArchiveBytes([&](CArchive& ar) { seedInfo.Serialize(ar); });
    CByteFuzzer fuzzer;
    COXCaptionPainter painter;
    painter.GetCaptionInfo(TRUE)->m_clrBackground = RGB(1, 2, 3);
    std::vector<OXCaptionBand> bands;
    int nAccepted = 0;
    const int kCases = 1500;
    for (int nCase = 0; nCase < kCases; nCase++) {
        PutRecord("Active", fuzzer.Mutate(seed));
        const std::string before = CaptionLook(*painter.GetCaptionInfo(TRUE));
        if (!painter.LoadState("FuzzRecords", FALSE)) {
            ASSERT_EQ(CaptionLook(*painter.GetCaptionInfo(TRUE)), before) << "case " << nCase;
            continue;
        }
        nAccepted++;
        const COXCaptionInfo& info = *painter.GetCaptionInfo(TRUE);
        ASSERT_GE(info.m_nShadeCount, 1) << "case " << nCase;
        ASSERT_EQ(info.m_nTextFormat & ~COXCaptionInfo::kTextFormatFlags, 0u) << "case " << nCase;
        // The bands of any record cover the caption and no more.
        for (int W : {1, 2, 301}) {
            OXComputeCaptionBands(info, info.GetBackgroundColor(TRUE), W, bands);
            for (const OXCaptionBand& b : bands) {
                ASSERT_GE(b.x, 0) << "case " << nCase;
                ASSERT_LE(b.x + b.cx, W) << "case " << nCase;
            }
        }
    }
    EXPECT_GT(nAccepted, kCases / 10);
}

TEST_F(OXRecordsFuzz, ShortkeyRecordsReplaceTheTablesWholeOrNotAtAll)
{
    CScopedFrame<> frame;
    ASSERT_TRUE(frame.Create("shortcuts", CRect(0, 0, 300, 200)));
    ACCEL table[] = {{FVIRTKEY | FCONTROL, 'S', 100}, {FVIRTKEY | FCONTROL, 'O', 101}, {FVIRTKEY, VK_F1, 102}};
    frame->m_hAccelTable = ::CreateAcceleratorTableA(table, 3);
    COXShortkeysOrganizer organizer;
    ASSERT_TRUE(organizer.Attach(frame));
    const Bytes seed = ArchiveBytes([&](CArchive& ar) { organizer.Serialize(ar); });
    auto entries = [&] {
        std::string s;
        const _tagOXACCELTABLE* pTable = organizer.GetTable(NULL);
        for (INT_PTR j = 0; pTable != NULL && j < pTable->m_accelerators.GetSize(); j++) {
            const ACCEL& a = pTable->m_accelerators[j];
            s += std::to_string(a.fVirt) + "/" + std::to_string(a.key) + "/" + std::to_string(a.cmd) + " ";
        }
        return s;
    };
    CByteFuzzer fuzzer;
    int nAccepted = 0;
    const int kCases = 1500;
    for (int nCase = 0; nCase < kCases; nCase++) {
        Bytes bytes = fuzzer.Mutate(seed);
        HKEY hKey;
        ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, kFuzzKey, &hKey), ERROR_SUCCESS);
        ::RegSetValueExA(hKey, "AcceleratorsState", 0, REG_BINARY, bytes.data(), (DWORD)bytes.size());
        ::RegCloseKey(hKey);
        const std::string before = entries();
        if (!organizer.LoadState("FuzzRecords", nCase % 4 == 0)) {
            ASSERT_EQ(entries(), before) << "case " << nCase;
            continue;
        }
        nAccepted++;
    }
    EXPECT_GT(nAccepted, kCases / 10);
    organizer.Detach();
}

// A frame split in two rows and two columns, for records to be applied to.
class CSplitFrame : public CFrameWnd
{
public:
    CSplitterWnd m_splitter;
protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext*) override
    {
        if (!m_splitter.CreateStatic(this, 2, 2))
            return FALSE;
        for (int r = 0; r < 2; r++)
            for (int c = 0; c < 2; c++) {
                CWnd* pPane = new CWnd;
                if (!pPane->CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10),
                                     &m_splitter, m_splitter.IdFromRowCol(r, c)))
                    return FALSE;
            }
        return TRUE;
    }
};

TEST(OXReadersFuzz, ChildFrameRecordsReplaceAStateWholeOrNotAtAll)
{
    COXChildFrameState seedState;
    seedState.m_sDocumentPath = "C:\\docs\\sheet.sht";
    seedState.m_sDocumentClass = "CSheetDoc";
    seedState.m_windowPlacement.rcNormalPosition = {20, 30, 420, 280};
    for (int i = 0; i < 3; i++) {
        COXSplitterColRowState* pRecord = new COXSplitterColRowState;
        pRecord->m_bRow = i == 0;
        pRecord->m_nIndex = i % 2;
        pRecord->m_nIdealSize = 100 + i;
        pRecord->m_nMinSize = 10;
        seedState.m_pSplitterStates->Add(pRecord);
    }
    const Bytes seed = ArchiveBytes([&](CArchive& ar) { seedState.StoreProperties(ar); });
    auto look = [](const COXChildFrameState& s) {
        CString text;
        text.Format("%ld %ld %s %s %d %d", s.m_windowPlacement.rcNormalPosition.left,
                    s.m_windowPlacement.rcNormalPosition.bottom, (LPCSTR)s.m_sDocumentPath,
                    (LPCSTR)s.m_sDocumentClass, s.m_bSaveSplitterState, (int)s.m_pSplitterStates->GetSize());
        return std::string((LPCSTR)text);
    };
    CSplitFrame* pFrame = new CSplitFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CByteFuzzer fuzzer;
    COXChildFrameState state;
    int nAccepted = 0;
    const int kCases = 3000;
    for (int nCase = 0; nCase < kCases; nCase++) {
        Bytes bytes = fuzzer.Mutate(seed);
        CMemFile file(bytes.data(), (UINT)bytes.size());
        CArchive ar(&file, CArchive::load);
        const std::string before = look(state);
        try {
            state.Serialize(ar);
        } catch (CException* e) {
            e->Delete();
            ASSERT_EQ(look(state), before) << "case " << nCase;
            continue;
        }
        nAccepted++;
        // Whatever rows and columns the records name, the splitter takes
        // only its own.
        state.ApplySplitterProperties(pFrame);
    }
    EXPECT_GT(nAccepted, kCases / 10);
    pFrame->DestroyWindow();
}

} // namespace
