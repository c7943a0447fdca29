// The program's version text, from the two version words of its file.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "VersionText.h"

namespace {

TEST(VersionTextTest, FormatsTheVersionWords)
{
    struct Case {
        WORD v[4];
        bool bNoName;
        const char* text;
    } cases[] = {
        {{1, 2, 0, 0}, false, "Pellucor version 1.2"},
        {{1, 2, 3, 0}, false, "Pellucor version 1.2.3"},
        {{1, 2, 0, 100}, false, "Pellucor version 1.2a"},
        {{1, 2, 3, 200}, false, "Pellucor version 1.2.3b"},
        {{1, 2, 0, 5}, false, "Pellucor version 1.2 beta 5"},
        {{1, 2, 3, 105}, false, "Pellucor version 1.2.3 beta 5"},
        {{1, 2, 3, 5}, true, "version 1.2.3.5 beta"},
        {{1, 2, 3, 0}, true, "Pellucor version 1.2.3"},
        {{0, 9, 3, 0}, false, "Pellucor Beta 9.3"},
        {{0, 9, 3, 4}, false, "Pellucor Beta 9.3 beta 4"},
        {{4, 0, 0, 0}, false, "Pellucor version 4.0"},
    };
    for (const Case& c : cases) {
        CString strText = FormatVersionText("Pellucor", MAKELONG(c.v[1], c.v[0]), MAKELONG(c.v[3], c.v[2]), c.bNoName);
        EXPECT_EQ(strText, c.text) << c.v[0] << "." << c.v[1] << "." << c.v[2] << "." << c.v[3];
    }
    // The test program has no version resource.
    EXPECT_EQ(GetVersionText(), "Application");
}

}  // namespace
