// The toolkit's own resources (toolkit.rc): every id that the edits' Parts
// name is there.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "toolkit_res.h"

namespace {

CString LoadToolkitString(UINT id)
{
    CString s;
    s.LoadString(id);
    return s;
}

TEST(ToolkitResources, PopupBarAndColourPickerTextsAreThere)
{
    for (UINT id : {IDS_OX_COLORPICKER_DEFAULT, IDS_OX_COLORPICKER_CUSTOM, IDS_OX_POPUPBAR_TEAROFF,
                    IDS_OX_POPUPBAR_TITLE})
        EXPECT_FALSE(LoadToolkitString(id).IsEmpty()) << id;
}

TEST(ToolkitResources, EveryDefaultColourHasADistinctName)
{
    std::vector<CString> names;
    for (UINT id = IDS_OX_COLOR_FIRST; id <= IDS_OX_COLOR_LAST; ++id) {
        CString name = LoadToolkitString(id);
        EXPECT_FALSE(name.IsEmpty()) << id;
        for (const CString& other : names)
            EXPECT_NE(name, other) << id;
        names.push_back(name);
    }
    EXPECT_EQ(names.size(), 40u);
}

TEST(ToolkitResources, HyperlinkCursorsLoad)
{
    for (UINT id : {IDC_OX_HAND, IDC_OX_HAND_DISABLED}) {
        HCURSOR h = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
        EXPECT_NE(h, (HCURSOR)NULL) << id;
    }
}

}  // namespace
