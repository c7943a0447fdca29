// The image list box: item sizes from the image size; images and item data
// kept in step through deletions; filling and appending; icons of a file
// (shell32.dll's, a small .ico of our own), damaged and icon-less files
// refused with the images shown before kept.
#include <afxwin.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXImageListBox.h"
#include "TestFolder.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

TEST(OXImageListBoxSize, AQuarterMoreEachWay)
{
    struct Case {
        int cx, cy, width, height;
    } cases[] = {{32, 32, 40, 40}, {16, 16, 20, 20}, {48, 16, 60, 20}, {3, 3, 3, 3}, {0, 0, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(OXImageListBoxItemSize(c.cx, c.cy), CSize(c.width, c.height)) << c.cx << "x" << c.cy;
}

HICON SolidIcon(int size, COLORREF colour)
{
    CPixelCanvas canvas(size, size, colour);
    HBITMAP hColour = CreateDib32(size, size);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(hdc, hColour);
    ::BitBlt(hdc, 0, 0, size, size, canvas.dc.GetSafeHdc(), 0, 0, SRCCOPY);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    std::vector<BYTE> zeros((size_t)size * size / 8 + 64, 0);
    HBITMAP hMask = ::CreateBitmap(size, size, 1, 1, zeros.data());
    ICONINFO ii = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}

// A 16 x 16, 32-bit .ico of one image, every pixel the colour.
std::string IcoBytes(COLORREF colour)
{
    const int n = 16;
    std::string pixels, mask((size_t)n * 4, '\0');
    for (int i = 0; i < n * n; i++) {
        pixels += (char)GetBValue(colour);
        pixels += (char)GetGValue(colour);
        pixels += (char)GetRValue(colour);
        pixels += (char)0xFF;
    }
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = n;
    bih.biHeight = 2 * n;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    std::string image((const char*)&bih, sizeof(bih));
    image += pixels + mask;
    WORD dir[3] = {0, 1, 1};
    std::string ico((const char*)dir, sizeof(dir));
    BYTE entry[16] = {n, n, 0, 0, 1, 0, 32, 0};
    DWORD size = (DWORD)image.size(), offset = 6 + 16;
    memcpy(entry + 8, &size, 4);
    memcpy(entry + 12, &offset, 4);
    ico.append((const char*)entry, 16);
    return ico + image;
}

void WriteFile(const CString& path, const std::string& bytes)
{
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    if (!bytes.empty())
        f.Write(bytes.data(), (UINT)bytes.size());
}

class COXImageListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_host, "images", WS_POPUP | WS_VISIBLE, CRect(60, 60, 460, 360)));
    }
    void TearDown() override { m_host.DestroyWindow(); }
    BOOL Build(COXImageListBox& list, UINT nID)
    {
        return list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | LBS_NOTIFY | LBS_MULTIPLESEL,
                           CRect(0, 0, 380, 260), &m_host, nID);
    }
    // The colour at the middle of image i of the list's image list.
    static COLORREF ImageColour(COXImageListBox& list, int i)
    {
        CPixelCanvas canvas(40, 40, kWhite);
        ImageList_Draw(list.GetImageList()->GetSafeHandle(), i, canvas.dc.GetSafeHdc(), 0, 0, ILD_NORMAL);
        return canvas.At(8, 8);
    }
    static int ColumnWidth(COXImageListBox& list)
    {
        CRect r;
        list.GetItemRect(0, r);
        return r.Width();
    }

    CWnd m_host;
};

TEST_F(COXImageListBoxTest, ItemSizeFromEachOwnDimension)
{
    COXImageListBox wide(48, 16);
    ASSERT_TRUE(Build(wide, 30));
    EXPECT_EQ(wide.GetStyle() & (LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | LBS_MULTIPLESEL),
              (DWORD)(LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN));
    wide.SendMessage(LB_ADDSTRING, 0, 0);
    EXPECT_EQ(wide.GetItemHeight(0), 20);
    EXPECT_EQ(ColumnWidth(wide), 60);

    COXImageListBox square(32, 32);
    ASSERT_TRUE(Build(square, 31));
    EXPECT_EQ(square.AddIcon(SolidIcon(32, kRed)), 0);
    EXPECT_EQ(square.GetItemHeight(0), 40);
    EXPECT_EQ(ColumnWidth(square), 40);
}

TEST_F(COXImageListBoxTest, ImagesAndItemDataStayInStep)
{
    COXImageListBox list(32, 32);
    ASSERT_TRUE(Build(list, 32));
    const COLORREF colours[] = {kRed, kGreen, kBlue, kYellow, kCyan};
    for (int i = 0; i < 5; i++) {
        HICON hIcon = SolidIcon(32, colours[i]);
        EXPECT_EQ(list.AddIcon(hIcon), i);
        ::DestroyIcon(hIcon);
    }
    EXPECT_EQ(list.DeleteString(2), 4);
    ASSERT_EQ(list.GetImageList()->GetImageCount(), 4);
    const COLORREF left[] = {kRed, kGreen, kYellow, kCyan};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(list.GetItemData(i), (DWORD_PTR)i);
        EXPECT_EQ(ImageColour(list, (int)list.GetItemData(i)), left[i]) << i;
    }
    EXPECT_EQ(list.DeleteString(9), LB_ERR);
    EXPECT_EQ(list.GetImageList()->GetImageCount(), 4);

    EXPECT_EQ(list.GetIcon(4), (HICON)NULL);
    EXPECT_EQ(list.GetSelectedIcon(), (HICON)NULL);
    list.SetCurSel(1);
    HICON hPicked = list.GetSelectedIcon();
    EXPECT_NE(hPicked, (HICON)NULL);
    ::DestroyIcon(hPicked);

    list.ResetContent();
    EXPECT_EQ(list.GetImageList()->GetImageCount(), 0);
}

TEST_F(COXImageListBoxTest, FillingAndAppending)
{
    COXImageListBox list(16, 16);
    ASSERT_TRUE(Build(list, 33));
    CImageList source, other;
    source.Create(24, 24, ILC_COLOR24 | ILC_MASK, 0, 0);
    other.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 0);
    for (COLORREF c : {kRed, kGreen, kBlue}) {
        HICON h = SolidIcon(24, c);
        source.Add(h);
        ::DestroyIcon(h);
    }
    EXPECT_EQ(list.AppendImageList(&source), -1);   // nothing to append to yet
    EXPECT_EQ(list.FillFromImageList(NULL), 0);
    EXPECT_EQ(list.FillFromImageList(&source), 3);
    EXPECT_EQ(list.GetItemHeight(0), 30);
    EXPECT_EQ(list.AppendImageList(&source), 3);
    EXPECT_EQ(list.GetCount(), 6);
    EXPECT_EQ(ImageColour(list, 5), kBlue);
    EXPECT_EQ(list.AppendImageList(&other), -1);   // empty
    HICON h = SolidIcon(16, kRed);
    other.Add(h);
    ::DestroyIcon(h);
    EXPECT_EQ(list.AppendImageList(&other), -1);   // another size
    EXPECT_EQ(list.GetCount(), 6);
}

TEST_F(COXImageListBoxTest, IconsOfAFileOrNothingChanged)
{
    COXImageListBox list(32, 32);
    ASSERT_TRUE(Build(list, 34));
    char szSystem[MAX_PATH];
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    CString shell32 = CString(szSystem) + "\\shell32.dll";
    UINT nIcons = ::ExtractIconExA(shell32, -1, NULL, NULL, 0);
    ASSERT_GT(nIcons, 10u);
    // A bulk load holds the list's drawing out of sight: it comes back shown,
    // with the focus it had and a scroll bar that reaches every column.
    list.SetFocus();
    ASSERT_TRUE(list.LoadIconsFromFile(shell32));
    EXPECT_TRUE(list.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), list.GetSafeHwnd());
    SCROLLINFO si = {sizeof(si), SIF_RANGE};
    ASSERT_TRUE(list.GetScrollInfo(SB_HORZ, &si));
    EXPECT_GT(si.nMax, 0);
    EXPECT_EQ(list.GetCount(), (int)nIcons);
    EXPECT_EQ(list.GetImageList()->GetImageCount(), (int)nIcons);
    EXPECT_EQ(list.GetItemHeight(0), ::GetSystemMetrics(SM_CYICON) * 5 / 4);

    CTestFolder folder;
    const std::string ico = IcoBytes(kGreen);
    WriteFile(folder.File("ours.ico"), ico);
    WriteFile(folder.File("truncated.ico"), ico.substr(0, 60));
    WriteFile(folder.File("empty.ico"), "");
    WriteFile(folder.File("notes.exe"), "These are notes, not a program.\r\n");
    for (const char* bad : {"truncated.ico", "empty.ico", "notes.exe", "missing.ico"}) {
        EXPECT_FALSE(list.LoadIconsFromFile(folder.File(bad))) << bad;
        EXPECT_EQ(list.GetCount(), (int)nIcons) << bad;
        EXPECT_EQ(list.GetImageList()->GetImageCount(), (int)nIcons) << bad;
    }

    ASSERT_TRUE(list.LoadIconsFromFile(folder.File("ours.ico"), TRUE));
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetItemHeight(0), ::GetSystemMetrics(SM_CYSMICON) * 5 / 4);
    EXPECT_EQ(ImageColour(list, 0), kGreen);
}

}  // namespace
