// The off-screen DC: drawing in the real DC's coordinates lands in the real
// DC only when the CMemDC goes away, the buffered area is the clip box unless
// one is given, the copy-first flag starts from the real pixels, and a
// printing DC is drawn on directly and survives the CMemDC.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "MemDC.h"
#include "testdrawing.h"

namespace {

TEST(MemDCTest, CopiesItsPictureToTheRealDCOnlyWhenDestroyed)
{
    CPixelCanvas target(60, 40);
    CRect area(10, 10, 50, 30);
    {
        CMemDC mem(&target.dc, &area);
        EXPECT_TRUE(mem.m_bMemDC);
        EXPECT_EQ(mem.m_rect, area);
        EXPECT_EQ(mem.m_pDC, &target.dc);
        EXPECT_NE(mem.m_hDC, target.dc.m_hDC);
        // Target coordinates: the area's corner is the bitmap's first pixel.
        mem.FillSolidRect(10, 10, 20, 20, kRed);
        EXPECT_EQ(mem.GetPixel(10, 10), kRed);
        EXPECT_EQ(target.At(10, 10), kWhite) << "nothing reaches the real DC before the end";
        // Drawing beyond the area is cut off.
        mem.FillSolidRect(0, 0, 60, 5, kBlue);
    }
    EXPECT_EQ(target.At(10, 10), kRed);
    EXPECT_EQ(target.At(29, 29), kRed);
    EXPECT_EQ(target.At(30, 10), kWhite) << "the area not drawn keeps the real DC's background colour (white)";
    EXPECT_EQ(target.At(5, 5), kWhite);
    EXPECT_EQ(target.At(55, 35), kWhite);
    EXPECT_EQ(target.At(20, 2), kWhite) << "outside the area the real DC is untouched";
}

TEST(MemDCTest, BuffersTheClipBoxAndStartsFromBackgroundOrFromTheRealPixels)
{
    CPixelCanvas target(40, 40);
    target.dc.FillSolidRect(0, 0, 40, 40, kBlue);
    target.dc.SetBkColor(kRed);
    target.dc.IntersectClipRect(5, 6, 25, 26);
    {
        CMemDC mem(&target.dc);
        EXPECT_EQ(mem.m_rect, CRect(5, 6, 25, 26));
        EXPECT_EQ(mem.GetPixel(5, 6), kRed) << "filled with the real DC's background colour";
        EXPECT_EQ(mem.GetPixel(24, 25), kRed);
    }
    EXPECT_EQ(target.At(10, 10), kRed);
    EXPECT_EQ(target.At(2, 2), kBlue);

    target.dc.SelectClipRgn(nullptr);
    target.dc.FillSolidRect(0, 0, 40, 40, kBlue);
    target.dc.SetPixel(12, 13, kWhite);
    CRect area(10, 10, 20, 20);
    {
        CMemDC mem(&target.dc, &area, TRUE);
        EXPECT_EQ(mem.GetPixel(12, 13), kWhite);
        EXPECT_EQ(mem.GetPixel(11, 11), kBlue);
    }
    EXPECT_EQ(target.At(12, 13), kWhite) << "the copied picture goes back unchanged";
    EXPECT_EQ(target.At(11, 11), kBlue);
}

TEST(MemDCTest, PrintingDCIsDrawnStraightAndKeepsItsHandles)
{
    CPixelCanvas target(20, 20);
    target.dc.m_bPrinting = TRUE;
    HDC hTarget = target.dc.m_hDC;
    {
        CMemDC mem(&target.dc);
        EXPECT_FALSE(mem.m_bMemDC);
        EXPECT_TRUE(mem.IsPrinting());
        EXPECT_EQ(mem.m_hDC, hTarget);
        mem.FillSolidRect(0, 0, 5, 5, kRed);
        EXPECT_EQ(target.At(2, 2), kRed) << "drawn at once, no bitmap between";
    }
    EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(hTarget)) << "the borrowed DC is not deleted";
    target.dc.m_bPrinting = FALSE;
}

}  // namespace
