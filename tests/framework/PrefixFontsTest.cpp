// The faces the system draws with resolve to themselves in the test prefix
// (the scripts put Wine's own fonts into every prefix they make): otherwise the
// caption buttons draw Marlett's letters instead of its symbols, and menus and
// list headers are measured with one face and drawn with another.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

std::string ResolvedFace(LOGFONTA lf)
{
    HDC hdc = GetDC(NULL);
    HFONT hFont = CreateFontIndirectA(&lf);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    char szFace[LF_FACESIZE] = "";
    GetTextFaceA(hdc, LF_FACESIZE, szFace);
    SelectObject(hdc, hOld);
    DeleteObject(hFont);
    ReleaseDC(NULL, hdc);
    return szFace;
}

TEST(PrefixFonts, CaptionButtonSymbolsComeFromMarlett)
{
    LOGFONTA lf = {};
    lf.lfHeight = -13;
    lf.lfCharSet = SYMBOL_CHARSET;
    lstrcpyA(lf.lfFaceName, "Marlett");
    EXPECT_EQ("Marlett", ResolvedFace(lf));
}

TEST(PrefixFonts, MenuCaptionAndMessageFacesAreThemselves)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof ncm;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    for (const LOGFONTA* plf : {&ncm.lfMenuFont, &ncm.lfCaptionFont, &ncm.lfMessageFont, &ncm.lfStatusFont}) {
        EXPECT_EQ(std::string(plf->lfFaceName), ResolvedFace(*plf)) << "with character set " << (int)plf->lfCharSet;
    }
}

}  // namespace
