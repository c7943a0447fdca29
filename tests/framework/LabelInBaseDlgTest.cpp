// Labels owned by the dialog base: taken over from the dialog's template,
// reached by index, given back to their windows when the dialog goes.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "BaseDlg.h"
#include "Label.h"
#include "controls_test_res.h"

namespace {

TEST(LabelInBaseDlgTest, TheDialogOwnsTheLabelsItTakesOver)
{
    CBaseDlg dlg(IDD_LABEL_HOST, nullptr);
    ASSERT_TRUE(dlg.Create(IDD_LABEL_HOST, nullptr));
    const int ids[] = {IDC_LABEL_HOST_TEXT, 4711};   // the second names no control
    EXPECT_EQ(dlg.SubclassLabels(ids, 2), 1);
    ASSERT_EQ(dlg.GetLabelCount(), 1);
    CLabel* label = dlg.GetLabel(0);
    EXPECT_EQ(label->GetSafeHwnd(), ::GetDlgItem(dlg.m_hWnd, IDC_LABEL_HOST_TEXT));
    EXPECT_EQ(CWnd::FromHandlePermanent(label->GetSafeHwnd()), label);
    label->SetText("Changed").SetTextColor(RGB(0, 0, 255));
    CString text;
    label->GetWindowText(text);
    EXPECT_STREQ((LPCSTR)text, "Changed");

    bool thrown = false;
    try {
        dlg.GetLabel(1);
    } catch (CInvalidArgException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown) << "an index outside the array";

    dlg.DestroyWindow();
    EXPECT_EQ(label->GetSafeHwnd(), (HWND)nullptr) << "the label gave its window back";
}

}  // namespace
