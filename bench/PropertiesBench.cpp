// properties_bench: the property window with 1,000 properties in 20
// categories, each figure beside a floor measured in the same run:
//  - the properties added (each category found or made, each property sorted
//    into place), beside the same 1,020 items inserted into a bare tree of the
//    same columns and styles, expanded, unsorted, under its redraw lock;
//  - a switch to the alphabetical view and one back to the categorized view,
//    beside the same floor.
// usage: properties_bench [properties categories]   (default 1000 20)
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <afxcmn.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchSupport.h"
#include "OXPropertiesWnd.h"

namespace {

CBenchApp theBenchApp("PellucorPropertiesBench");

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

struct Property
{
    CString name, value, category;
};

// Names in no particular order, so that every insertion sorts for real.
std::vector<Property> MakeProperties(int nProperties, int nCategories)
{
    std::vector<Property> props;
    unsigned seed = 12345;
    for (int i = 0; i < nProperties; i++) {
        seed = seed * 1103515245u + 12345u;
        Property p;
        p.name.Format("Setting %05u", (seed >> 8) % 100000);
        p.value.Format("%d", i);
        p.category.Format("Category %02d", (int)((seed >> 4) % (unsigned)nCategories));
        props.push_back(p);
    }
    return props;
}

COXPropertiesWnd* NewWindow()
{
    COXPropertiesWnd* pWnd = new COXPropertiesWnd;   // deletes itself with its window
    if (!pWnd->Create(NULL, "Properties", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 640))) {
        fprintf(stderr, "properties_bench: the window could not be created\n");
        exit(1);
    }
    Pump();
    return pWnd;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nProperties = argc > 1 ? atoi(argv[1]) : 1000;
    const int nCategories = argc > 2 ? atoi(argv[2]) : 20;
    if (nProperties <= 0 || nCategories <= 0) {
        fprintf(stderr, "usage: properties_bench [properties categories]\n");
        return 2;
    }
    const std::vector<Property> props = MakeProperties(nProperties, nCategories);
    const int runs = 5;

    // The floor: the same items in a bare tree of the window's kind.
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 640),
                  NULL, 0);
    const double floorMs = MedianMs(runs, [&] {
        COXTreeCtrl tree;
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, CRect(0, 0, 400, 550),
                    &host, 1001,
                    TVXS_COLUMNHDR | TVXS_FULLROWSEL | TVXS_HGRID | TVXS_VGRID | TVXS_HGRIDEXT | TVXS_NOSORTHEADER |
                        TVXS_AUTOFITCOLUMNS | TVXS_NOFOCUSRECT);
        tree.InsertColumn(1, "Value", LVCFMT_LEFT, 100);
        std::vector<HTREEITEM> cats;
        for (int c = 0; c < nCategories; c++) {
            CString s;
            s.Format("Category %02d", c);
            cats.push_back(tree.InsertItem(s));
            tree.Expand(cats.back(), TVE_EXPAND);
        }
        tree.SetRedraw(FALSE);
        for (int i = 0; i < nProperties; i++) {
            HTREEITEM h = tree.InsertItem(props[i].name, cats[i % nCategories]);
            tree.SetItemText(h, props[i].value, 1);
        }
        tree.SetRedraw(TRUE);
        Pump();
        tree.DestroyWindow();
    });

    std::vector<double> adds, toAlpha, toCat;
    for (int r = 0; r < runs; r++) {
        COXPropertiesWnd* pWnd = NewWindow();
        double t0 = Now();
        for (const Property& p : props)
            pWnd->AddProperty(p.name, p.value, NULL, p.category);
        Pump();
        adds.push_back(Now() - t0);
        t0 = Now();
        pWnd->SetCategorized(FALSE);
        Pump();
        toAlpha.push_back(Now() - t0);
        t0 = Now();
        pWnd->SetCategorized(TRUE);
        Pump();
        toCat.push_back(Now() - t0);
        pWnd->DestroyWindow();
        Pump();
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    char what[80];
    snprintf(what, sizeof what, "%d properties in %d categories added", nProperties, nCategories);
    Report(what, median(adds), "bare tree inserts", floorMs);
    Report("switch to the alphabetical view", median(toAlpha), "bare tree inserts", floorMs);
    Report("switch to the categorized view", median(toCat), "bare tree inserts", floorMs);
    host.DestroyWindow();
    return 0;
}
